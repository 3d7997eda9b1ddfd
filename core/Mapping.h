// Versification mapping. Projects number chapters and verses by one of five versifications
// (1 Original ... 5 Russian Canonical). A book text or a list of references is converted from one
// into another always through versification 1, using one map file per other versification in the
// program folder: its name + ".map" ("English.map"). Each line of a map file is a reference in
// versification 1, " - ", and the same verse's reference in the file's versification; a verse that
// is not listed keeps its reference.
#pragma once

#include "classlib/System.h"

class TStrings;

// The map file of versification 2..5 (ProgramFolder + name + ".map"); empty for any other number.
AnsiString MapFileName(int versification);

// Clears both lists and fills them from the map file of the versification, in file order: the
// versification-1 side of each line into `first` and the other side into `second`, or the other
// way round with swap. A missing or unreadable file, or a versification without a map file, gives
// two empty lists. A line whose two sides, around its first hyphen and with blanks trimmed, are not
// both whole references (book id, blank, chapter ":" verse in digits, neither of them 0) is skipped.
void LoadMapFile(int versification, TStrings* first, TStrings* second, bool swap);

// Converts a book (one standard-format line per entry) from versification `from` to `to`.
// Verse lines keep their order; a verse whose number changes keeps its former chapter ":" verse at
// the start of its text, and a verse moved into another chapter gets a chapter line before it. A
// book without an "\id" line, or one the map files do not mention, is left as it is.
void MapTextVersification(int from, int to, TStrings* bookLines);

// Converts the reference at the start of each line (book id, blank, chapter ":" verse, as
// ExtractReference finds it) from versification `from` to `to`, keeping the rest of the line.
// References the map files do not list keep their value. Nothing is read when from equals to.
void MapReferencesVersification(int from, int to, TStrings* lines);
