#include "app/BookResults.h"

#include <memory>

#include "app/BookEditor.h"
#include "app/CheckingHost.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/ScripturesUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

const char* const SpellingErrorsHeader = "[spelling errors]";
const char* const MechanicalErrorsHeader = "[mechanical errors]";
const char* const ExceptionsHeader = "[exceptions]";

namespace {

TStringList* WordList() {
  auto* list = new TStringList();
  list->Duplicates = dupIgnore;
  list->SetSorted(true);
  return list;
}

bool IsHeader(const AnsiString& line) {
  return line == SpellingErrorsHeader || line == MechanicalErrorsHeader || line == ExceptionsHeader;
}

// Reads a whole file into lines; false when it exists but cannot be read.
bool LoadLines(const AnsiString& path, TStrings* lines) {
  try {
    lines->LoadFromFile(path);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

}  // namespace

bool BeginsWithBookId(const AnsiString& line) { return line.size() >= 3 && BookNumberFromId(line.substr(0, 3)) != 0; }

void SectionLines(TStrings* fileLines, const AnsiString& header, TStrings* section) {
  section->Clear();
  bool inSection = false;
  for (int i = 0; i < fileLines->GetCount(); ++i) {
    const AnsiString line = fileLines->GetStrings(i);
    if (IsHeader(line))
      inSection = line == header;
    else if (inSection)
      section->Add(line);
  }
}

void TestamentRange(int testament, int& first, int& last) {
  first = testament == 1 ? OldTestamentBookCount + 1 : 1;
  last = testament == 0 ? OldTestamentBookCount : BookCount;
}

AnsiString TestamentTitleEnding(int testament) {
  switch (testament) {
    case 0: return "the Old Testament";
    case 1: return "the New Testament";
    default: return "all books";
  }
}

TBookResults::TBookResults(TCheckingHost& host, TScripture* scripture)
    : Scripture(scripture),
      BookAges(new TStringList()),
      BookLines(new TStringList()),
      BookSpellingErrors(WordList()),
      KnownBadWords(WordList()),
      IgnoreList(new TStringList()),
      host_(host) {}

TBookResults::~TBookResults() {
  delete BookAges;
  delete BookLines;
  delete BookSpellingErrors;
  delete KnownBadWords;
  delete IgnoreList;
}

AnsiString TBookResults::ResultsFilePath(int book) const {
  return Scripture->WorkFolder + EnglishBookName(book) + ".dat";
}

Integer TBookResults::ReadResultsFileAge(int book) const {
  if (book < 1 || book > BookCount) return 0;
  std::unique_ptr<TStringList> lines(new TStringList());
  ReadLinesOrNone(ResultsFilePath(book), lines.get());
  return lines->GetCount() > 0 ? StrToIntDef(lines->GetStrings(0), 0) : 0;
}

Integer TBookResults::RecordedBookFileAge(int book) const {
  if (book < 1 || book > BookCount) return 0;
  const int i = Scripture->BookNames->IndexOf(EnglishBookName(book));
  if (i < 0 || i >= BookAges->GetCount()) return 0;
  return StrToIntDef(BookAges->GetStrings(i), 0);
}

void TBookResults::RecordBookAges() {
  BookAges->Clear();
  for (int i = 0; i < Scripture->BookFiles->GetCount(); ++i)
    BookAges->Add(IntToStr(FileAge(Scripture->BookFiles->GetStrings(i))));
}

void TBookResults::ResetResultsFileAges() {
  std::unique_ptr<TStringList> lines(new TStringList());
  for (int book = 1; book <= BookCount; ++book) {
    const AnsiString path = ResultsFilePath(book);
    if (!FileExists(path) || !LoadLines(path, lines.get())) continue;
    if (lines->GetCount() == 0)
      lines->Add("0");
    else
      lines->SetStrings(0, "0");
    ReplaceFileContents(path, lines->GetText());
  }
}

void TBookResults::GatherMechanicalMessages(int testament, TStrings* lines) const {
  int first, last;
  TestamentRange(testament, first, last);
  lines->Clear();
  std::unique_ptr<TStringList> file(new TStringList());
  std::unique_ptr<TStringList> section(new TStringList());
  for (int book = first; book <= last; ++book) {
    const AnsiString path = ResultsFilePath(book);
    if (!FileExists(path)) continue;
    ReadLinesOrNone(path, file.get());
    SectionLines(file.get(), MechanicalErrorsHeader, section.get());
    lines->AddStrings(section.get());
  }
}

void TBookResults::GatherSpellingErrors(int testament, TStringList* words) const {
  int first, last;
  TestamentRange(testament, first, last);
  words->Clear();
  words->SetCaseSensitive(true);
  words->Duplicates = dupIgnore;
  words->SetSorted(true);
  std::unique_ptr<TStringList> file(new TStringList());
  std::unique_ptr<TStringList> section(new TStringList());
  for (int i = 0; i < Scripture->BookNames->GetCount(); ++i) {
    const int book = BookNumberFromEnglishName(Scripture->BookNames->GetStrings(i));
    if (book < first || book > last || !FileExists(ResultsFilePath(book))) continue;
    ReadLinesOrNone(ResultsFilePath(book), file.get());
    SectionLines(file.get(), SpellingErrorsHeader, section.get());
    words->AddStrings(section.get());
  }
}

bool TBookResults::LoadBook(int book) {
  const int i = book >= 1 && book <= BookCount ? Scripture->BookNames->IndexOf(EnglishBookName(book)) : -1;
  if (i < 0 || !FileExists(Scripture->BookFiles->GetStrings(i))) return false;
  const AnsiString path = Scripture->BookFiles->GetStrings(i);

  host_.SaveBookIfModified();
  host_.SetStatus(spBook, EnglishBookName(book));
  // Until its results are read the book counts as not loaded: the lists still hold the previous
  // book's results, which must not be written into this book's results file.
  LoadedBook = 0;
  if (LoadBookIntoEditor(host_.Editor(), path, BookLines)) {
    LoadedBookPath = path;
    bookInEditor_ = book;
  } else {
    LoadedBookPath.clear();
    bookInEditor_ = 0;
    BookLines->Clear();
  }
  return true;
}

bool TBookResults::LoadResults(int book) {
  bool loaded = book != 0 && bookInEditor_ == book;
  bookInEditor_ = 0;
  if (loaded) LoadedBook = book;
  KnownBadWords->AddStrings(BookSpellingErrors);
  BookSpellingErrors->Clear();
  IgnoreList->Clear();
  host_.Results()->Clear();
  SpellingErrorCount = 0;
  StoredSpellingErrorCount = 0;
  ResultsAge = 0;
  if (!ReadResultsFile(book)) {
    // A results file that cannot be read is never written over: the book counts as not loaded.
    loaded = false;
    LoadedBookPath.clear();
    LoadedBook = 0;
  }
  host_.SetStatus(spMechanical, "");
  KnownBadWords->AddStrings(BookSpellingErrors);
  return loaded;
}

bool TBookResults::ReadResultsFile(int book) {
  const AnsiString path = ResultsFilePath(book);
  if (!FileExists(path)) return true;
  std::unique_ptr<TStringList> lines(new TStringList());
  if (!LoadLines(path, lines.get())) return false;
  // The first line is the age and the second the count; a file too short to hold a count has
  // none (taking its age for a count would make thousands of spelling errors of it).
  if (lines->GetCount() > 0) ResultsAge = StrToIntDef(lines->GetStrings(0), 0);
  if (lines->GetCount() > 1) StoredSpellingErrorCount = StrToIntDef(lines->GetStrings(1), 0);

  std::unique_ptr<TStringList> section(new TStringList());
  SectionLines(lines.get(), SpellingErrorsHeader, section.get());
  BookSpellingErrors->AddStrings(section.get());
  SectionLines(lines.get(), ExceptionsHeader, section.get());
  IgnoreList->AddStrings(section.get());
  SectionLines(lines.get(), MechanicalErrorsHeader, section.get());
  TStrings* results = host_.Results();
  results->BeginUpdate();
  results->AddStrings(section.get());
  results->EndUpdate();
  return true;
}

void TBookResults::ChecksFinished() { ResultsAge = RecordedBookFileAge(LoadedBook); }

bool TBookResults::WriteResultsFile() {
  if (LoadedBook < 1 || LoadedBook > BookCount) return false;
  std::unique_ptr<TStringList> lines(new TStringList());
  lines->Add(IntToStr(ResultsAge));
  lines->Add(IntToStr(StoredSpellingErrorCount));
  lines->Add(SpellingErrorsHeader);
  lines->AddStrings(BookSpellingErrors);
  lines->Add(MechanicalErrorsHeader);
  // Each line of the results list is read once: the list may hold thousands.
  TStrings* results = host_.Results();
  for (int i = 0, count = results->GetCount(); i < count; ++i) {
    const AnsiString line = results->GetStrings(i);
    if (BeginsWithBookId(line)) lines->Add(line);
  }
  lines->Add(ExceptionsHeader);
  lines->AddStrings(IgnoreList);
  const AnsiString path = ResultsFilePath(LoadedBook);
  if (!DirectoryExists(Scripture->WorkFolder)) ForceDirectories(Scripture->WorkFolder);
  if (const Cardinal error = ReplaceFileContents(path, lines->GetText())) {
    host_.Results()->Add("The results file " + path + " cannot be written: " + SysErrorMessage(error));
    return false;
  }
  RecountNeeded = true;
  return true;
}
