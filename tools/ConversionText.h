// What the conversions share: text as a list of lines, the longest input line they accept, and
// the writing of a result file in one step.
#pragma once

#include <string_view>
#include <vector>

#include "classlib/System.h"

class TStrings;

using TextLines = std::vector<AnsiString>;

// No line of a text of verses comes near this; a longer one means the file is not such a text (a
// binary file, or line ends the reader did not see), and converting it would only spread garbage.
constexpr std::size_t MaxConvertedLineLength = 10000;

// The lines of a text as a string list reads them: a carriage return, a line feed or both end a
// line; text after the last line end is a line too.
TextLines SplitTextLines(std::string_view text);
// The lines joined with carriage return and line feed, as an editor saves its paragraphs (nothing
// after the last line).
AnsiString JoinParagraphs(const TextLines& lines);
// Every line followed by carriage return and line feed, as a string list saves itself.
AnsiString JoinLines(const TextLines& lines);
TextLines LinesOf(const TStrings* list);
void AssignLines(TStrings* list, const TextLines& lines);

// Empty when every line is short enough; otherwise the message that tells which line is not.
AnsiString CheckLineLengths(const TextLines& lines);

// Replaces the file with the bytes through a temporary file and a rename, so that a failed write
// leaves the old file whole. Empty on success, otherwise the message to show ("... could not be
// written: " and the system's reason).
AnsiString WriteResultFile(const AnsiString& fileName, const AnsiString& bytes);
// Reads a whole file; false when it cannot be read.
bool ReadResultFile(const AnsiString& fileName, AnsiString& bytes);

// The first run of the digits "0" to "9" in the text from `from` on, and where it starts; npos
// and empty when there is none.
std::size_t FindDigits(std::string_view text, AnsiString& digits, std::size_t from = 0);
