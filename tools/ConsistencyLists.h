// The seven consistency lists (flora and fauna, borrowed words, keywords and names of the two
// Testaments) and what the consistency-list dialog does with their files: the definitions of a
// group, the references and the translation of a keyword, and the reference list with one line per
// occurrence of every keyword, which the results window shows and sends to Paratext.
#pragma once

#include <functional>
#include <vector>

#include "classlib/System.h"

class TDatabase;
class TStrings;

// How the main menu sets up one list: the dialog's caption, the source language, the bare names
// of the reference and definition files (in the program folder) and of the translation file (in
// the project's work folder), and the kind of list, which chooses the group names.
struct TConsistencyList {
  const char* Caption;
  const char* Language;
  const char* ReferenceFile;
  const char* DefinitionFile;
  const char* TranslationFile;
  Integer Kind;
};

// The lists in the order of the menu: flora and fauna OT and NT, borrowed words NT, keywords OT
// and NT, names OT and NT.
enum : Integer {
  clFloraFaunaOT, clFloraFaunaNT, clBorrowedWordsNT, clKeywordsOT, clKeywordsNT, clNamesOT, clNamesNT,
  ConsistencyListCount
};
const TConsistencyList& ConsistencyList(Integer list);

// Kinds of list: 1 flora and fauna, 2 borrowed words, 3 keywords, 4 names.
constexpr Integer FirstListKind = 1, LastListKind = 4;
// Fills `names` (cleared first) with the kind's group names in order; a definition's group number
// is the 1-based position of its group here. None for a number that is no kind.
void ListKindGroups(Integer kind, TStrings* names);

// The translation of the keyword: that of the last translation record of the keyword, or empty.
AnsiString LookupTranslation(TDatabase* translations, const AnsiString& keyword);
// Sets the translation of every record of the keyword, or appends a record when there is none;
// marks the table modified. Nothing happens for an empty keyword.
void StoreTranslation(TDatabase* translations, const AnsiString& keyword, const AnsiString& text);

// Fills `references` (cleared first) with the reference of every reference record of the keyword,
// in record order.
void KeywordReferences(TDatabase* references, const AnsiString& keyword, TStrings* result);

// Fills `lines` (cleared first) with "keyword: gloss" of every definition in the group (numbered
// from 1, compared as text with the record's group field), in record order, and `records` with
// the record index of each line.
void GroupDefinitions(TDatabase* definitions, Integer group, TStrings* lines, std::vector<Integer>& records);

// The reference list of the definitions whose keyword is `filter` (all of them when it is empty),
// in definition order and within a keyword in reference order, one line per reference record:
//   "GEN 1:21 - Hebrew: keyword - English: gloss - only item - Translate as: translation"
// (" - 2nd item" and so on for the n-th occurrence in a verse). `language` is the list's source
// language; the references are those of the lists (versification 1). `progress`, when given, is
// called with the record index of each definition produced. Fills `result` (cleared first).
void ProduceReferenceLines(TDatabase* definitions, TDatabase* references, TDatabase* translations,
                           const AnsiString& language, const AnsiString& filter, TStrings* result,
                           const std::function<void(Integer)>& progress = {});
