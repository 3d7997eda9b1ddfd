// The markers the current project's style sheet declares, with each marker's text type and text
// properties, read once at start-up. The marker checker rejects markers that are not declared and
// knows the book, chapter and verse markers by their type and properties.
#pragma once

#include <vector>

#include "classlib/System.h"

class TStringList;

enum StyleSheetTextTypeType : Byte {
  sttTitle = 0,
  sttSection = 1,
  sttChapterNumber = 2,
  sttVerseNumber = 3,
  sttVerseText = 4,
  sttNoteText = 5,
  sttOther = 6,
};

// Text properties, one bit each.
using TStyleSheetTextProperties = Word;
enum : Word {
  tpBook = 1,
  tpChapter = 2,
  tpCrossReference = 4,
  tpLevel1 = 8,
  tpLevel2 = 16,
  tpLevel3 = 32,
  tpNonPublishable = 64,
  tpNonVernacular = 128,
  tpNote = 256,
  tpParagraph = 512,
  tpPoetic = 1024,
  tpPublishable = 2048,
  tpVernacular = 4096,
  tpVerse = 8192,
};

// Parallel tables in file order (a marker declared twice is listed twice): the marker names
// without the backslash, their text types and their text properties.
extern TStringList* StyleSheetMarkers;
extern std::vector<StyleSheetTextTypeType> StyleSheetTextTypes;
extern std::vector<TStyleSheetTextProperties> StyleSheetTextProperties;

// Reads the current project's style sheet into the tables (emptied first). A style sheet that is
// missing or cannot be read, or no project at all, leaves them empty.
void LoadStyleSheet();
// The index of a marker in the tables (letter case ignored, first match), or -1.
int FindStyleSheetMarker(const AnsiString& marker);

// The unit's start and end: the program calls them after the settings store has started.
void InitializeStyleSheet();
void FinalizeStyleSheet();
