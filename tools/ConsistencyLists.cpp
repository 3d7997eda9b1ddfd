#include "tools/ConsistencyLists.h"

#include <unordered_map>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/DatabaseUnit.h"
#include "core/Utilities.h"
#include "tools/ConsistencyListFiles.h"

namespace {

const TConsistencyList kLists[ConsistencyListCount] = {
    {"Flora and fauna of the Old Testament", "Hebrew", "ffotref.txt", "ffotdef.txt", "FloraFaunaOTTranslation.txt", 1},
    {"Flora and fauna of the New Testament", "Greek", "ffntref.txt", "ffntdef.txt", "FloraFaunaNTTranslation.txt", 1},
    {"Borrowed words in the New Testament", "Greek", "bwntref.txt", "bwntdef.txt", "BorrowedWordsNTTranslation.txt", 2},
    {"Keywords of the Old Testament", "Hebrew", "kwotref.txt", "kwotdef.txt", "KeyWordsOTTranslation.txt", 3},
    {"Keywords of the New Testament", "Greek", "kwntref.txt", "kwntdef.txt", "KeyWordsNTTranslation.txt", 3},
    {"Names of the Old Testament", "Hebrew", "NamesOTRef.txt", "NamesOTDef.txt", "NamesOTTranslation.txt", 4},
    // The names of the New Testament are kept in their Hebrew form.
    {"Names of the New Testament", "Hebrew", "NamesNTRef.txt", "NamesNTDef.txt", "NamesNTTranslation.txt", 4},
};

const char* const kFloraFaunaGroups[] = {
    "birds",   "mammals", "amphibians",       "fish",
    "insects", "other invertebrates", "lizards", "snakes",
    "flowers", "crops",   "herbs and spices", "thorns and other wild plants",
    "trees and vines",
};
const char* const kBorrowedWordGroups[] = {"from Hebrew", "from Latin"};
// Groups 6 and 7 have no name; they keep their places so that the numbers stored stay valid.
const char* const kKeywordGroups[] = {"clothes", "natural things", "holy things", "tools", "grammar", "", "",
                                      "actions", "invisible things"};
const char* const kNameGroups[] = {"divine names", "human names", "place names"};

template <std::size_t N>
void AddAll(TStrings* names, const char* const (&groups)[N]) {
  for (const char* group : groups) names->Add(group);
}

// The record indexes of each keyword's references, in record order.
using TKeywordIndex = std::unordered_map<AnsiString, std::vector<Integer>>;

}  // namespace

const TConsistencyList& ConsistencyList(Integer list) { return kLists[list]; }

void ListKindGroups(Integer kind, TStrings* names) {
  names->Clear();
  switch (kind) {
    case 1: AddAll(names, kFloraFaunaGroups); break;
    case 2: AddAll(names, kBorrowedWordGroups); break;
    case 3: AddAll(names, kKeywordGroups); break;
    case 4: AddAll(names, kNameGroups); break;
    default: break;
  }
}

AnsiString LookupTranslation(TDatabase* translations, const AnsiString& keyword) {
  AnsiString result;
  const Integer count = translations->RecordCount();
  for (Integer i = 0; i < count; ++i)
    if (translations->GetField(i, tfKeyword) == keyword) result = translations->GetField(i, tfTranslation);
  return result;
}

void StoreTranslation(TDatabase* translations, const AnsiString& keyword, const AnsiString& text) {
  if (keyword.empty()) return;
  bool found = false;
  const Integer count = translations->RecordCount();
  for (Integer i = 0; i < count; ++i) {
    if (translations->GetField(i, tfKeyword) != keyword) continue;
    translations->SetField(i, tfTranslation, text);
    found = true;
  }
  if (!found) {
    translations->AppendField(tfTranslation, text, false);
    translations->AppendField(tfKeyword, keyword, true);
  }
  translations->Modified = true;
}

void KeywordReferences(TDatabase* references, const AnsiString& keyword, TStrings* result) {
  result->BeginUpdate();
  result->Clear();
  const Integer count = references->RecordCount();
  for (Integer i = 0; i < count; ++i)
    if (references->GetField(i, rfKeyword) == keyword) result->Add(references->GetField(i, rfReference));
  result->EndUpdate();
}

void GroupDefinitions(TDatabase* definitions, Integer group, TStrings* lines, std::vector<Integer>& records) {
  lines->BeginUpdate();
  lines->Clear();
  records.clear();
  const AnsiString number = IntToStr(group);
  const Integer count = definitions->RecordCount();
  for (Integer i = 0; i < count; ++i) {
    if (definitions->GetField(i, dfGroup) != number) continue;
    lines->Add(definitions->GetField(i, dfKeyword) + ": " + definitions->GetField(i, dfEnglish));
    records.push_back(i);
  }
  lines->EndUpdate();
}

void ProduceReferenceLines(TDatabase* definitions, TDatabase* references, TDatabase* translations,
                           const AnsiString& language, const AnsiString& filter, TStrings* result,
                           const std::function<void(Integer)>& progress) {
  result->BeginUpdate();
  result->Clear();
  // One pass over each table instead of one per keyword: a list of thousands of keywords with
  // tens of thousands of references is produced at once.
  TStringList* refLines = references->Lines;
  TKeywordIndex byKeyword;
  const Integer referenceCount = references->RecordCount();
  for (Integer j = 0; j < referenceCount; ++j)
    byKeyword[refLines->GetStrings(j * references->FieldCount + rfKeyword)].push_back(j);
  std::unordered_map<AnsiString, Integer> lastTranslation;
  const Integer translationCount = translations->RecordCount();
  for (Integer t = 0; t < translationCount; ++t)
    lastTranslation[translations->Lines->GetStrings(t * translations->FieldCount + tfKeyword)] = t;

  const Integer count = definitions->RecordCount();
  for (Integer i = 0; i < count; ++i) {
    const AnsiString keyword = definitions->GetField(i, dfKeyword);
    if (!filter.empty() && keyword != filter) continue;
    if (progress) progress(i);
    const auto refs = byKeyword.find(keyword);
    if (refs == byKeyword.end()) continue;
    const auto translation = lastTranslation.find(keyword);
    const AnsiString translated =
        translation == lastTranslation.end() ? AnsiString() : translations->GetField(translation->second, tfTranslation);
    const AnsiString head = " - " + language + ": " + keyword + " - English: " + definitions->GetField(i, dfEnglish);
    const AnsiString tail = " - Translate as: " + translated;
    for (Integer j : refs->second) {
      const Integer item = StrToInt(references->GetField(j, rfItem));
      const AnsiString itemPart = item == 0 ? AnsiString(" - only item") : " - " + OrdinalWord(item) + " item";
      result->Add(references->GetField(j, rfReference) + head + itemPart + tail);
    }
  }
  result->EndUpdate();
}
