// What the keywords editor does to the definition and reference files of a consistency list
// (record layouts in ConsistencyListFiles.h): adding and deleting keywords, adding, numbering
// and deleting a keyword's references, taking references from the exchange file "pelorin.ref",
// and keeping the references in canonical order.
#pragma once

#include "classlib/System.h"

class TDatabase;
class TStrings;

// The keyword of every definition record, in record order (so a line number is a record index).
void KeywordList(TDatabase* definitions, TStrings* result);
// The group number of a definition; 0 when its group field is no number.
Integer KeywordGroupNumber(TDatabase* definitions, Integer record);

// What a keyword typed for adding is.
enum class TNewKeyword {
  Empty,     // nothing typed
  HasBlank,  // a keyword is one word
  Exists,    // a definition has it already, letter case aside
  Accepted,
};
TNewKeyword CheckNewKeyword(TDatabase* definitions, const AnsiString& keyword);
// The definition a new keyword starts with: group 1 and a gloss that asks for one.
void AddDefinition(TDatabase* definitions, const AnsiString& keyword);
// Deletes every reference record of the keyword; the number deleted.
Integer DeleteKeywordReferences(TDatabase* references, const AnsiString& keyword);

// Whether a reference record of the keyword has the reference (exactly) and the item number.
bool ReferenceExists(TDatabase* references, const AnsiString& keyword, const AnsiString& reference, Integer item);
// Appends the record (keyword, reference, "0").
void AddReference(TDatabase* references, const AnsiString& keyword, const AnsiString& reference);
// The item number of the keyword's (line + 1)-th reference record; -1 when it has fewer.
Integer KeywordReferenceItem(TDatabase* references, const AnsiString& keyword, Integer line);
// Gives the first record of the keyword with the reference and the item number `from` the item
// number `to`, unless the keyword has that reference with `to` already; whether one was changed.
bool RenumberReference(TDatabase* references, const AnsiString& keyword, const AnsiString& reference, Integer from,
                       Integer to);
// Deletes every record of the keyword with the reference and the item number; the number deleted.
Integer DeleteReference(TDatabase* references, const AnsiString& keyword, const AnsiString& reference, Integer item);

// The reference at the start of a line of "pelorin.ref": the text up to the first ":", the
// character after it and the digits after that ("GEN 1:21 - ..." gives "GEN 1:21"); empty when
// that is no reference of a list (IsListReference).
AnsiString ExchangeLineReference(const AnsiString& line);
// The references of the lines (ExchangeLineReference) that the keyword does not have as item 0,
// each once (letter case aside), in the order of the lines; fills `collected` (cleared first).
void ReferencesToLoad(TStrings* lines, TDatabase* references, const AnsiString& keyword, TStrings* collected);

// Puts the reference records in canonical order: by book (the order of the book table), chapter
// and verse, and for one reference by item number; records with the same reference and item
// keep their order. Records whose reference begins with no book identifier come first, in their
// order. Leading zeros of chapter and verse are dropped ("GEN 01:1" becomes "GEN 1:1"). The
// modified flag is left as it was: sorting alone is no change.
void SortReferenceDatabase(TDatabase* references);
