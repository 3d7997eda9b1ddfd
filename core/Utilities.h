// Small text and file routines that the checks, lists and tools share.
#pragma once

#include <string_view>

#include "classlib/Strings.h"
#include "classlib/System.h"

class TStrings;

// The set of the characters of a text (a settings string such as "Sentence Enders").
TCharSet StringToCharSet(const AnsiString& text);
// Letter case as the system code page has it, one character for one, as AnsiLowerCase gives it: in
// code page 1252 the accented capitals, N with tilde, S and Z with caron, OE and Y with diaeresis
// have their small letters, not only "A" to "Z". The searches and checks that ignore letter case
// compare texts lowered with these, so that they all find the same words.
struct TLowerCaseTable {
  TLowerCaseTable();  // from AnsiLowerCase of the 256 characters
  char Of[256];
};
// Inline, as the searches call it for every character of a Bible, and made on first use.
inline char LowerCaseChar(char c) {
  static const TLowerCaseTable table;
  return table.Of[static_cast<unsigned char>(c)];
}
AnsiString LowerCaseText(std::string_view text);
// The last n characters of a text, or all of it when it is shorter.
AnsiString LastChars(const AnsiString& text, int n);
// The first run of the digits "0" to "9" in a text; empty when it holds none.
AnsiString FirstNumberInString(const AnsiString& text);
// Fills `words` (cleared first). Without keepBlanks: the words of the trimmed line between single
// blanks, so that two blanks in a row give an empty word. With keepBlanks: the line cut into
// alternating runs of blanks and non-blanks, nothing trimmed.
void SplitLineIntoWords(const AnsiString& line, TStrings* words, bool keepBlanks);
// "1st", "2nd", "3rd", "4th" ... "15th" for 1 to 15; empty otherwise.
AnsiString OrdinalWord(int n);
// Copies a whole file, replacing the target. The source may be read by others meanwhile but not
// written. Returns true; a failure raises the stream error of the class library.
bool FileCopy(const AnsiString& source, const AnsiString& target);
// Fills `lines` (cleared first) with the file's lines; none when the name is empty or the file is
// missing or cannot be read. Another program may hold the file open, even for writing, meanwhile.
void ReadLinesOrNone(const AnsiString& fileName, TStrings* lines);
// Replaces the whole file with the bytes in one step: they are written to a new file in the same
// folder, which then takes the old file's place. A failure at any point leaves the old file as it
// was (or absent), and no reader ever sees half a file. Returns 0, or the Windows error code.
Cardinal ReplaceFileContents(const AnsiString& fileName, const AnsiString& bytes);
// The text with every line feed replaced by a blank.
AnsiString LineFeedsToBlanks(const AnsiString& text);
AnsiString NumberToText(int n);
// 1..66 for an exact, case-sensitive English book name; 0 when none matches.
int BookNumberFromEnglishName(const AnsiString& name);
// 1..66 for a book's three-letter identifier ("MAT" gives 40), compared exactly; 0 for none.
int BookNumberFromId(const AnsiString& id);
// True when the line begins with the marker (such as "\c") followed by a blank or nothing, so that
// "\c" does not take "\cl" or "\cp".
bool IsMarkerLine(const AnsiString& line, const AnsiString& marker);
// The reference at the start of a message line: the trimmed line up to and including its first
// colon, followed by the first run of digits after that colon ("MAT 5:3 text" gives "MAT 5:3").
AnsiString ExtractReference(const AnsiString& line);
// Whole screen pixels of a length in millimetres: millimetres x (screen pixels per inch x 5) / 127,
// rounded to the nearest as the system's multiply-divide rounds.
Integer MillimetresToPixels(Integer millimetres);
// The PDF page size of a paper-size setting (slot I12): the index plus one.
Integer PaperSizeToPageSize(Integer paperSize);
