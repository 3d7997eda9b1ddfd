#include "tools/ConsistencyListFiles.h"

#include <algorithm>
#include <memory>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

namespace {

bool AllDigits(const AnsiString& text, Integer first, Integer last) {
  for (Integer i = first; i <= last; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return first <= last;
}

// Whether the lines from `first` on make a readable record of the kind, and when not, why.
bool ReadableRecord(TListFile kind, TStrings* lines, Integer first, AnsiString* reason) {
  const Integer fields = ListFieldCount(kind);
  if (first + fields > lines->GetCount()) {
    if (reason) *reason = "too few lines for a whole record";
    return false;
  }
  if (kind != TListFile::References) return true;
  const AnsiString reference = lines->GetStrings(first + rfReference);
  if (!IsListReference(reference)) {
    if (reason) *reason = "the reference \"" + reference + "\" cannot be read";
    return false;
  }
  const AnsiString item = lines->GetStrings(first + rfItem);
  if (!IsItemNumber(item)) {
    if (reason) *reason = "the item number \"" + item + "\" is not a number";
    return false;
  }
  return true;
}

bool AllEmpty(TStrings* lines, Integer first) {
  for (Integer i = first; i < lines->GetCount(); ++i)
    if (!lines->GetStrings(i).empty()) return false;
  return true;
}

AnsiString LinesText(Integer first, Integer last) {
  return first == last ? "line " + IntToStr(first) : "lines " + IntToStr(first) + " to " + IntToStr(last);
}

}  // namespace

Integer ListFieldCount(TListFile kind) { return kind == TListFile::Translations ? 2 : 3; }

bool IsListReference(const AnsiString& text) {
  // "GEN 1:1" to "PSA 119:176": the sorting of the keywords editor pads both numbers to three
  // digits, so longer ones are no reference of a list.
  const Integer n = Length(text);
  if (n < 7 || n > 11 || text[3] != ' ' || BookNumberFromId(text.substr(0, 3)) == 0) return false;
  const Integer colon = Pos(':', text);  // 1-based
  if (colon < 6 || colon > 8) return false;
  return AllDigits(text, 4, colon - 2) && n - colon >= 1 && n - colon <= 3 && AllDigits(text, colon, n - 1);
}

bool IsItemNumber(const AnsiString& text) {
  return !text.empty() && text.size() <= 9 && AllDigits(text, 0, Length(text) - 1);
}

TListDatabase::TListDatabase(const AnsiString& fileName, TListFile kind)
    : TDatabase(fileName, ListFieldCount(kind), nullptr), Kind(kind), Problems(new TStringList()) {
  Reload();
  LastRecord = RecordCount() - 1;
}

TListDatabase::~TListDatabase() { delete Problems; }

void TListDatabase::Reload() {
  Problems->Clear();
  Lines->Clear();
  Modified = false;
  Unreadable = false;
  if (!FileExists(FileName)) return;
  std::unique_ptr<TStringList> read(new TStringList());
  try {
    read->LoadFromFile(FileName);
  } catch (const Exception& e) {
    Unreadable = true;
    Problems->Add("File " + FileName + " cannot be read: " + e.Message);
    return;
  }
  const Integer count = read->GetCount();
  Lines->BeginUpdate();
  for (Integer i = 0; i < count;) {
    if (ReadableRecord(Kind, read.get(), i, nullptr)) {
      for (Integer f = 0; f < FieldCount; ++f) Lines->Add(read->GetStrings(i + f));
      i += FieldCount;
      continue;
    }
    // A file ending in empty lines (as an editor may leave it) has lost nothing.
    if (AllEmpty(read.get(), i)) break;
    // The next line where a readable record starts: a missing line shifts the fields of the
    // records after it, and this finds their order again.
    Integer next = i + 1;
    while (next < count && !ReadableRecord(Kind, read.get(), next, nullptr)) ++next;
    // Lines left out that make whole records are reported record by record, each with its reason.
    const Integer step = (next - i) % FieldCount == 0 ? FieldCount : next - i;
    for (Integer first = i; first < next; first += step) {
      AnsiString reason;
      ReadableRecord(Kind, read.get(), first, &reason);
      Problems->Add("File " + FileName + ", " + LinesText(first + 1, std::min(first + step, count)) + ": " + reason +
                    " - skipped");
    }
    i = next;
  }
  Lines->EndUpdate();
}

bool TListDatabase::SaveChanges(AnsiString& error) {
  if (Unreadable) {
    error = "File " + FileName + " could not be read when the list was opened, so it has not been replaced";
    return false;
  }
  const Cardinal code = ReplaceFileContents(FileName, Lines->GetText());
  if (code != 0) {
    error = "Cannot create file \"" + FileName + "\". " + SysErrorMessage(code);
    return false;
  }
  Modified = false;
  return true;
}

void CollectListProblems(TStrings* problems, std::initializer_list<const TListDatabase*> databases) {
  for (const TListDatabase* database : databases)
    if (database) problems->AddStrings(database->Problems);
}

AnsiString ListProblemsText(TStrings* problems, Integer shown) {
  AnsiString text = "Some lines of the list files could not be read; they have been left out:\r\n";
  const Integer count = problems->GetCount();
  for (Integer i = 0; i < count && i < shown; ++i) text += "\r\n" + problems->GetStrings(i);
  if (count > shown) text += "\r\n... and " + IntToStr(count - shown) + " more";
  return text;
}
