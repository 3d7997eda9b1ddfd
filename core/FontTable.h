// The font table: the ten fonts the program uses for the printed Bible, the result lists, the
// comparisons and the main editor. It is read from "pelorin.fnt" in the program folder at
// start-up and after the fonts dialog closes, and written by that dialog.
//
// "pelorin.fnt" is exactly ten records of 48 bytes in table order:
//   0  name length (0..32)      1  name, 32 bytes      33  padding, 3 bytes
//  36  size in points, signed 32-bit little-endian    40  colour (red in the low byte), same
//  44  style bits: 1 bold, 2 italic, 4 underline, 8 strike-out            45  padding, 3 bytes
#pragma once

#include <array>

#include "classlib/Graphics.h"

struct TFontRecord {
  AnsiString Name;
  Integer Size = 12;
  TColor Color = clBlack;
  TFontStyles Style;
  bool operator==(const TFontRecord&) const = default;
};

// The uses of the records, in table order.
enum TFontIndex {
  fiSubtitle = 0,
  fiMainTitle = 1,
  fiChapter = 2,
  fiSubheading = 3,
  fiVerseNumber = 4,
  fiNormalText = 5,
  fiTextInBrackets = 6,
  fiAddedText = 7,
  fiRemovedText = 8,
  fiEditorText = 9,
};

constexpr int FontCount = 10;
constexpr int FontRecordSize = 48;
constexpr int MaxFontNameLength = 32;
using TFontTable = std::array<TFontRecord, FontCount>;

// The program's table.
extern TFontTable Fonts;

// "pelorin.fnt" in the program folder.
AnsiString FontsFileName();
// The table every record of which is "Times New Roman" in black, with the sizes and styles of
// its use (16 bold, 20 bold, 34 bold, 12 bold, then 12 points; added text bold, removed text
// struck out).
TFontTable DefaultFontTable();

// The 480 bytes of a table, and a table from them. A name longer than 32 characters is cut; a
// name length above 32 is read as 32. Fewer than 480 bytes give the default table; bytes after
// the tenth record are not read.
AnsiString EncodeFontTable(const TFontTable& table);
TFontTable DecodeFontTable(const AnsiString& bytes);

// Reads "pelorin.fnt" into Fonts; the defaults when the file cannot be opened or read.
void LoadFontsFile();
// Writes the table as "pelorin.fnt", replacing the file; returns 0 or the system's error code.
Cardinal SaveFontsFile(const TFontTable& table);

// Copies the record's name, size, colour and style into the program's one shared scratch font
// and returns that font (owned by the unit; the next call changes it).
TFont* FontRecordToFont(const TFontRecord& record);
// A record of the font's name (cut to 32 characters), size, colour and style.
void FontToFontRecord(TFont* font, TFontRecord& record);
