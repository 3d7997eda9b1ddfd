// The constant tables every unit shares: the 66 books in Paratext order with their identifiers,
// BibleWorks abbreviations and English names, and the names of the versifications.
#pragma once

#include "classlib/System.h"

// Book numbers run from 1 (Genesis) to 66 (Revelation); 1 to 39 are the Old Testament.
constexpr int BookCount = 66;
constexpr int OldTestamentBookCount = 39;

// The upper-case three-letter identifier of book 1..66 ("GEN", ..., "REV").
const AnsiString& BookId(int book);
// The three-character name BibleWorks gives book 1..66 in its reference lists ("Gen", ...).
const AnsiString& BibleWorksBookName(int book);
// The English name of book 1..66 ("Genesis", ...), also the name of its results file.
const AnsiString& EnglishBookName(int book);

// Versification numbers as a project's settings give them: 1 Original ... 5 Russian Canonical.
constexpr int VersificationCount = 5;
const AnsiString& VersificationName(int versification);
