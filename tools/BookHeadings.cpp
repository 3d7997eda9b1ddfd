#include "tools/BookHeadings.h"

#include <memory>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/ScripturesUnit.h"
#include "core/Utilities.h"

namespace {

// A heading is read from the characters after the identifier, at most this many.
constexpr int kMaxHeadingLength = 100;

}  // namespace

TBookHeadings BookHeadings = DefaultBookHeadings();

TBookHeadings DefaultBookHeadings() {
  TBookHeadings headings;
  for (int book = 1; book <= BookCount; ++book) headings[book - 1] = EnglishBookName(book);
  return headings;
}

AnsiString BookHeading(int book) { return book >= 1 && book <= BookCount ? BookHeadings[book - 1] : AnsiString(); }

AnsiString HeadingsFileName() {
  const AnsiString folder = CurrentProjectWorkFolder();
  return folder.empty() ? AnsiString() : folder + "HeadingsOfBooks.txt";
}

TBookHeadings HeadingsFromLines(TStrings* lines) {
  TBookHeadings headings = DefaultBookHeadings();
  for (int i = 0; i < lines->GetCount(); ++i) {
    const AnsiString line = lines->GetStrings(i);
    const int book = BookNumberFromId(line.substr(0, 3));
    if (book == 0) continue;
    // A later line of the same book wins, an empty one included: it stands for the English name.
    const AnsiString heading = line.size() > 3 ? line.substr(3, kMaxHeadingLength) : AnsiString();
    headings[book - 1] = heading.empty() ? EnglishBookName(book) : heading;
  }
  return headings;
}

AnsiString HeadingsFileBytes(const TBookHeadings& headings) {
  AnsiString bytes;
  for (int book = 1; book <= BookCount; ++book) bytes += BookId(book) + headings[book - 1] + "\r\n";
  return bytes;
}

Cardinal SaveBookHeadings(const TBookHeadings& headings) {
  const AnsiString path = HeadingsFileName();
  if (path.empty()) return ERROR_PATH_NOT_FOUND;
  ForceDirectories(ExtractFilePath(path));
  return ReplaceFileContents(path, HeadingsFileBytes(headings));
}

void LoadBookHeadings() {
  const AnsiString path = HeadingsFileName();
  if (path.empty()) {
    BookHeadings = DefaultBookHeadings();
    return;
  }
  // A file that cannot be written now leaves the English names in force; nothing is lost.
  if (!FileExists(path)) SaveBookHeadings(DefaultBookHeadings());
  std::unique_ptr<TStringList> lines(new TStringList());
  ReadLinesOrNone(path, lines.get());
  BookHeadings = HeadingsFromLines(lines.get());
}
