#include "tools/KeywordsEditing.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/DatabaseUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "tools/ConsistencyListFiles.h"

namespace {

// "GEN 1:1" as "GEN 001:001", so that references of one book compare as text in the order of
// their numbers: the chapter after the four characters of the book and its blank and the verse
// after the colon are padded to three digits.
AnsiString PaddedReference(AnsiString reference) {
  const Integer colon = Pos(':', reference);
  if (colon == 6) Insert("00", reference, 5);
  else if (colon == 7) Insert("0", reference, 5);
  AnsiString verse = Copy(reference, 9, Length(reference));
  if (Length(verse) == 1) verse = "00" + verse;
  else if (Length(verse) == 2) verse = "0" + verse;
  return Copy(reference, 1, 8) + verse;
}

// Drops up to two leading zeros of the verse (at position 9 of a padded reference), then of the
// chapter (at position 5).
AnsiString UnpaddedReference(AnsiString reference) {
  for (Integer at : {9, 5})
    for (int n = 0; n < 2 && Copy(reference, at, 1) == "0"; ++n) Delete(reference, at, 1);
  return reference;
}

}  // namespace

void KeywordList(TDatabase* definitions, TStrings* result) {
  result->BeginUpdate();
  result->Clear();
  const Integer count = definitions->RecordCount();
  for (Integer i = 0; i < count; ++i) result->Add(definitions->GetField(i, dfKeyword));
  result->EndUpdate();
}

Integer KeywordGroupNumber(TDatabase* definitions, Integer record) {
  return StrToIntDef(definitions->GetField(record, dfGroup), 0);
}

TNewKeyword CheckNewKeyword(TDatabase* definitions, const AnsiString& keyword) {
  if (keyword.empty()) return TNewKeyword::Empty;
  if (Pos(' ', keyword) > 0) return TNewKeyword::HasBlank;
  const Integer count = definitions->RecordCount();
  for (Integer i = 0; i < count; ++i)
    if (AnsiSameText(definitions->GetField(i, dfKeyword), keyword)) return TNewKeyword::Exists;
  return TNewKeyword::Accepted;
}

void AddDefinition(TDatabase* definitions, const AnsiString& keyword) {
  definitions->AppendField(dfKeyword, keyword, false);
  definitions->AppendField(dfGroup, "1", true);
  definitions->AppendField(dfEnglish, "Enter English translation here", true);
}

Integer DeleteKeywordReferences(TDatabase* references, const AnsiString& keyword) {
  Integer deleted = 0;
  for (Integer i = references->RecordCount() - 1; i >= 0; --i) {
    if (references->GetField(i, rfKeyword) != keyword) continue;
    references->DeleteRecord(i);
    ++deleted;
  }
  return deleted;
}

bool ReferenceExists(TDatabase* references, const AnsiString& keyword, const AnsiString& reference, Integer item) {
  const Integer count = references->RecordCount();
  for (Integer i = 0; i < count; ++i)
    if (references->GetField(i, rfKeyword) == keyword && references->GetField(i, rfReference) == reference &&
        StrToInt(references->GetField(i, rfItem)) == item)
      return true;
  return false;
}

void AddReference(TDatabase* references, const AnsiString& keyword, const AnsiString& reference) {
  references->AppendField(rfKeyword, keyword, false);
  references->AppendField(rfReference, reference, true);
  references->AppendField(rfItem, "0", true);
}

Integer KeywordReferenceItem(TDatabase* references, const AnsiString& keyword, Integer line) {
  const Integer count = references->RecordCount();
  for (Integer i = 0, seen = 0; i < count; ++i) {
    if (references->GetField(i, rfKeyword) != keyword) continue;
    if (seen++ == line) return StrToInt(references->GetField(i, rfItem));
  }
  return -1;
}

bool RenumberReference(TDatabase* references, const AnsiString& keyword, const AnsiString& reference, Integer from,
                       Integer to) {
  if (ReferenceExists(references, keyword, reference, to)) return false;
  const Integer count = references->RecordCount();
  for (Integer i = 0; i < count; ++i) {
    if (references->GetField(i, rfKeyword) != keyword || references->GetField(i, rfReference) != reference ||
        StrToInt(references->GetField(i, rfItem)) != from)
      continue;
    references->SetField(i, rfItem, IntToStr(to));
    return true;
  }
  return false;
}

Integer DeleteReference(TDatabase* references, const AnsiString& keyword, const AnsiString& reference, Integer item) {
  Integer deleted = 0;
  for (Integer i = references->RecordCount() - 1; i >= 0; --i) {
    if (references->GetField(i, rfKeyword) != keyword || references->GetField(i, rfReference) != reference ||
        StrToInt(references->GetField(i, rfItem)) != item)
      continue;
    references->DeleteRecord(i);
    ++deleted;
  }
  return deleted;
}

AnsiString ExchangeLineReference(const AnsiString& line) {
  const Integer colon = Pos(':', line);
  if (colon == 0) return AnsiString();
  AnsiString reference = Copy(line, 1, colon + 1);
  for (Integer i = colon + 2; i <= Length(line) && line[i - 1] >= '0' && line[i - 1] <= '9'; ++i)
    reference += line[i - 1];
  return IsListReference(reference) ? reference : AnsiString();
}

void ReferencesToLoad(TStrings* lines, TDatabase* references, const AnsiString& keyword, TStrings* collected) {
  // Sets instead of searching the table and the list for every line: a long exchange file is
  // taken at once.
  std::unordered_set<AnsiString> present;
  const Integer records = references->RecordCount();
  for (Integer i = 0; i < records; ++i)
    if (references->GetField(i, rfKeyword) == keyword && StrToInt(references->GetField(i, rfItem)) == 0)
      present.insert(references->GetField(i, rfReference));
  std::unordered_set<AnsiString> seen;  // upper case: once, letter case aside
  collected->BeginUpdate();
  collected->Clear();
  const Integer count = lines->GetCount();
  for (Integer i = 0; i < count; ++i) {
    const AnsiString reference = ExchangeLineReference(lines->GetStrings(i));
    // A line that begins with no reference (a heading, an empty line) is no reference to add.
    if (reference.empty() || present.count(reference)) continue;
    if (seen.insert(AnsiUpperCase(reference)).second) collected->Add(reference);
  }
  collected->EndUpdate();
}

void SortReferenceDatabase(TDatabase* references) {
  const Integer count = references->RecordCount();
  if (count < 2) return;
  const bool modified = references->Modified;
  const Integer fields = references->FieldCount;
  TStringList* lines = references->Lines;

  struct Entry {
    Integer Book;  // 0 for a reference that begins with no book identifier
    AnsiString Key;
    Integer Item;
    Integer Record;
  };
  // Every key is made before anything moves: an item number that is no number raises the
  // conversion error with the table as it was.
  std::vector<Entry> entries;
  entries.reserve(count);
  for (Integer r = 0; r < count; ++r) {
    const AnsiString padded = PaddedReference(lines->GetStrings(r * fields + rfReference));
    const Integer book = BookNumberFromId(Copy(padded, 1, 3));
    entries.push_back({book, book ? UpperCase(padded) : AnsiString(),
                       book ? StrToInt(lines->GetStrings(r * fields + rfItem)) : 0, r});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    if (a.Book != b.Book) return a.Book < b.Book;
    if (a.Key != b.Key) return a.Key < b.Key;
    return a.Item < b.Item;
  });

  std::vector<AnsiString> sorted;
  sorted.reserve(lines->GetCount());
  for (const Entry& e : entries)
    for (Integer f = 0; f < fields; ++f) {
      const AnsiString line = lines->GetStrings(e.Record * fields + f);
      sorted.push_back(f == rfReference ? UnpaddedReference(PaddedReference(line)) : line);
    }
  // The lines of an incomplete last record stay at the end.
  for (Integer i = count * fields; i < lines->GetCount(); ++i) sorted.push_back(lines->GetStrings(i));

  lines->BeginUpdate();
  lines->Clear();
  for (const AnsiString& line : sorted) lines->Add(line);
  lines->EndUpdate();
  references->Modified = modified;
}
