#include "core/ParagraphingUnit.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckMessages.h"
#include "core/DatabaseUnit.h"
#include "core/Mapping.h"
#include "core/ProgramFolderUnit.h"
#include "core/SSFUnit.h"
#include "core/ScripturesUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

namespace {

const char kChapterMark[] = "c";
const char kParagraphMark[] = "p";

struct ParagraphRecord {
  AnsiString Verse;  // field 0
  AnsiString Break;  // field 1: "0", or the break's position in percent
  AnsiString Start;  // field 2
};

std::vector<ParagraphRecord> RecordsOfBook(const AnsiString& bookId) {
  std::unique_ptr<TDatabase> table(new TDatabase(ProgramFolder + "OTParagraphs.txt", 3));
  std::vector<ParagraphRecord> records;
  for (int r = 0; r < table->RecordCount(); ++r) {
    const AnsiString verse = Trim(table->GetField(r, 0));
    if (verse.compare(0, bookId.size(), bookId) != 0) continue;
    records.push_back({verse, Trim(table->GetField(r, 1)), Trim(table->GetField(r, 2))});
  }
  return records;
}

// The versification of the current project; English (4) when there is none or its settings file
// cannot be read, as for a project whose file names none.
int CurrentProjectVersification() {
  std::unique_ptr<TAllScriptures> all(new TAllScriptures());
  if (all->CurrentIndex < 0) return 4;
  try {
    return GetProjectVersification(all->ShortNames->GetStrings(all->CurrentIndex));
  } catch (const Exception&) {
    return 4;
  }
}

// The book as marks: "c" for a chapter line, "p" for a paragraph or section heading line, and the
// reference of each verse line; with the length of every verse and paragraph line less 3.
struct Marks {
  std::vector<AnsiString> Entries;
  std::vector<Integer> Lengths;

  void Add(const AnsiString& entry, Integer length) {
    Entries.push_back(entry);
    Lengths.push_back(length);
  }
  void Erase(std::size_t i) {
    Entries.erase(Entries.begin() + static_cast<std::ptrdiff_t>(i));
    Lengths.erase(Lengths.begin() + static_cast<std::ptrdiff_t>(i));
  }
  bool IsBreak(std::size_t i) const { return Entries[i] == kChapterMark || Entries[i] == kParagraphMark; }
};

Marks MarkBook(const AnsiString& bookId, TStrings* lines) {
  Marks marks;
  AnsiString chapter = "1";
  for (int i = 0; i < lines->GetCount(); ++i) {
    const AnsiString line = lines->GetStrings(i);
    const Integer length = Length(line) - 3;
    if (IsMarkerLine(line, "\\c")) {
      chapter = FirstNumberInString(line);
      marks.Add(kChapterMark, 0);
    } else if (IsMarkerLine(line, "\\v")) {
      marks.Add(bookId + " " + chapter + ":" + FirstNumberInString(line), length);
    } else if (Copy(line, 1, 2) == "\\s") {
      marks.Add(kParagraphMark, 0);
    } else if (Copy(line, 1, 2) == "\\p") {
      marks.Add(kParagraphMark, length);
    }
  }
  // No paragraph mark stands next to a chapter mark or another paragraph mark: a heading right
  // after a chapter line, or a paragraph line after a heading, is the same break.
  for (std::size_t i = marks.Entries.size(); i-- > 1;) {
    if (marks.Entries[i] == kParagraphMark && marks.IsBreak(i - 1)) marks.Erase(i);
    else if (marks.Entries[i] == kChapterMark && marks.Entries[i - 1] == kParagraphMark) marks.Erase(i - 1);
  }
  return marks;
}

void CompareWithReference(const Marks& marks, const std::vector<ParagraphRecord>& records, TStrings* messages) {
  std::unordered_set<std::string> startsAtVerse, starts;
  for (const ParagraphRecord& r : records) {
    starts.insert(r.Start);
    if (r.Break == "0") startsAtVerse.insert(r.Start);
  }
  const std::vector<AnsiString>& entries = marks.Entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0 && !marks.IsBreak(i) && !marks.IsBreak(i - 1) && startsAtVerse.count(entries[i]))
      messages->Add(entries[i] + " does not start a new paragraph, but according to the BHS it is advisable");
    if (entries[i] == kParagraphMark && i + 1 < entries.size() && !starts.count(entries[i + 1]))
      messages->Add(entries[i + 1] + " starts a new paragraph, but according to the BHS there is no need for it");
  }

  // The first verse of each reference that a paragraph mark follows.
  std::unordered_map<std::string, std::size_t> brokenVerses;
  for (std::size_t i = 0; i + 1 < entries.size(); ++i)
    if (entries[i + 1] == kParagraphMark) brokenVerses.emplace(entries[i], i);
  for (const ParagraphRecord& r : records) {
    const Integer percent = StrToIntDef(r.Break, 0);
    if (percent <= 0) continue;
    const auto found = brokenVerses.find(r.Verse);
    if (found == brokenVerses.end()) {
      messages->Add(r.Verse + " is not spread out over two paragraphs, but according to the BHS it is advisable");
      continue;
    }
    const Int64 a = marks.Lengths[found->second];
    const Int64 b = marks.Lengths[found->second + 1];
    if (a + b <= 0) continue;
    const Int64 position = a * 100 / (a + b);
    if (position >= percent + 20 || position <= percent - 20)
      messages->Add(r.Verse +
                    " is spread out over two paragraphs, but according to the BHS the break is not on the right position");
  }
}

}  // namespace

void CheckParagraphing(int book, TStrings* bookLines) {
  const AnsiString bookId = BookId(book);
  const std::vector<ParagraphRecord> records = RecordsOfBook(bookId);

  // The reference counts verses in versification 1; the project's own text is left as it is.
  std::unique_ptr<TStringList> lines(new TStringList());
  lines->Assign(bookLines);
  const int versification = CurrentProjectVersification();
  if (versification != 1) MapTextVersification(versification, 1, lines.get());

  std::unique_ptr<TStringList> messages(new TStringList());
  CompareWithReference(MarkBook(bookId, lines.get()), records, messages.get());
  if (versification != 1) MapReferencesVersification(1, versification, messages.get());
  for (int i = 0; i < messages->GetCount(); ++i) AddCheckMessage(nullptr, messages->GetStrings(i), false);
}
