#include "core/ParatextBibleWorks.h"

#include <memory>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "core/MyRegistry.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

AnsiString ParatextFolder;
AnsiString BibleWorksFolder;

const char* const ParatextReferenceFileName = "pelorin.ref";
const char* const BibleWorksReferenceFileName = "pelorin.vls";

namespace {

const char kBibleWorksHeader[] = "BWRL 1";
const char kBibleWorksVersion[] = "KJV ";

AnsiString FileInFolder(const AnsiString& folder, const char* name) {
  return folder.empty() ? AnsiString() : IncludeTrailingBackslash(folder) + name;
}

// Writes the lines, each ended by carriage return and line feed; a target that cannot be written
// keeps what it held.
void WriteList(const AnsiString& fileName, TStrings* lines) {
  if (!fileName.empty()) ReplaceFileContents(fileName, lines->GetText());
}

// True when the text is chapter ":" verse in digits, the verse possibly a range ("5:3", "5:3-4").
bool IsChapterAndVerse(const AnsiString& text) {
  std::size_t at = 0;
  const auto digits = [&text, &at] {
    const std::size_t start = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    return at > start;
  };
  const auto skip = [&text, &at](char c) {
    if (at >= text.size() || text[at] != c) return false;
    ++at;
    return true;
  };
  if (!digits() || !skip(':') || !digits()) return false;
  if (skip('-') && !digits()) return false;
  return at == text.size();
}

// "MAT 5:3 [1] text" gives "KJV Mat 5:3". A line that is no reference of a book id, a blank, a
// chapter and a verse ("MAT", "GEN1:1", "XYZ 1:1", "MAT 5") gives nothing: BibleWorks cannot read
// it.
void ParatextToBibleWorks(TStrings* in, TStrings* out) {
  out->Add(kBibleWorksHeader);
  for (int i = 0; i < in->GetCount(); ++i) {
    const AnsiString line = in->GetStrings(i);
    const AnsiString bookPart = Copy(line, 1, 4);
    AnsiString rest = Copy(line, 5, Length(line));
    const std::size_t bracket = rest.find('[');
    if (bracket != AnsiString::npos) rest.erase(bracket);
    const std::size_t blank = rest.find_first_of(" \t");
    if (blank != AnsiString::npos) rest.erase(blank);
    if (bookPart.size() != 4 || (bookPart[3] != ' ' && bookPart[3] != '\t') || !IsChapterAndVerse(rest)) continue;
    for (int book = 1; book <= BookCount; ++book) {
      if (bookPart.compare(0, 3, BookId(book)) == 0) {
        out->Add(kBibleWorksVersion + BibleWorksBookName(book) + " " + rest);
        break;
      }
    }
  }
}

// "KJV Gen 1:1" gives "GEN 1:1". The first two lines are BibleWorks's heading and are skipped.
void BibleWorksToParatext(TStrings* in, TStrings* out) {
  for (int i = 2; i < in->GetCount(); ++i) {
    const AnsiString line = Copy(in->GetStrings(i), 5, Length(in->GetStrings(i)));
    for (int book = 1; book <= BookCount; ++book) {
      const std::size_t at = line.find(BibleWorksBookName(book));
      if (at == AnsiString::npos) continue;
      // The text after the book's name, wherever it stands: a version name of other than three
      // letters must not cut into the reference.
      out->Add(BookId(book) + line.substr(at + BibleWorksBookName(book).size()));
      break;
    }
  }
}

}  // namespace

void BuildRefFolders() {
  ParatextFolder = MyReg->GetParatextProjectsFolder();
  BibleWorksFolder = ReadSettingString("BibleWorks Folder");
}

AnsiString ParatextReferenceFile() { return FileInFolder(ParatextFolder, ParatextReferenceFileName); }
AnsiString BibleWorksReferenceFile() { return FileInFolder(BibleWorksFolder, BibleWorksReferenceFileName); }

void ConvertReferenceList(const AnsiString& direction, AnsiString& message) {
  ConvertReferenceList(direction, message, Now());
}

void ConvertReferenceList(const AnsiString& direction, AnsiString& message, TDateTime timeOfDay) {
  std::unique_ptr<TStringList> in(new TStringList());
  std::unique_ptr<TStringList> out(new TStringList());
  if (direction == "paratext") {
    ReadLinesOrNone(ParatextReferenceFile(), in.get());
    ParatextToBibleWorks(in.get(), out.get());
    WriteList(BibleWorksReferenceFile(), out.get());
    message = TimeToStr(timeOfDay) + ": Conversion Paratext -> BibleWorks, open the Ref List Manager, then open file " +
              BibleWorksReferenceFileName + ".";
  } else if (direction == "bibleworks") {
    ReadLinesOrNone(BibleWorksReferenceFile(), in.get());
    BibleWorksToParatext(in.get(), out.get());
    WriteList(ParatextReferenceFile(), out.get());
    message = TimeToStr(timeOfDay) + ": Conversion BibleWorks -> Paratext, open the List, then open file " +
              ParatextReferenceFileName + ".";
  } else {
    message = "Error encountered";
  }
}

namespace {

// The file's attributes, times and size; false for a missing file or a folder.
bool ReadFileData(const AnsiString& fileName, WIN32_FILE_ATTRIBUTE_DATA& data) {
  return !fileName.empty() && ::GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data) &&
         !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

Int64 Join(DWORD high, DWORD low) {
  return static_cast<Int64>((static_cast<unsigned long long>(high) << 32) | low);
}

TExchangeFileStamp StampOf(const WIN32_FILE_ATTRIBUTE_DATA& data) {
  TExchangeFileStamp stamp;
  stamp.Exists = true;
  stamp.LastWrite = Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
  stamp.Size = Join(data.nFileSizeHigh, data.nFileSizeLow);
  return stamp;
}

}  // namespace

TExchangeFileStamp ReadExchangeFileStamp(const AnsiString& fileName) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return ReadFileData(fileName, data) ? StampOf(data) : TExchangeFileStamp();
}

bool ExchangeFileChanged(const AnsiString& fileName, const TExchangeFileStamp& lastConverted) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return ReadFileData(fileName, data) && (data.dwFileAttributes & FILE_ATTRIBUTE_ARCHIVE) &&
         !(StampOf(data) == lastConverted);
}
