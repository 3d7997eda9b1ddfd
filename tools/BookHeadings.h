// The names under which the books stand in the page headers of the printed Bible. They live in
// "HeadingsOfBooks.txt" in the current project's work folder, one line per book: its identifier
// directly followed by the heading.
#pragma once

#include <array>

#include "classlib/System.h"
#include "core/TypesConstants.h"

class TStrings;

using TBookHeadings = std::array<AnsiString, BookCount>;

// The heading of book 1..66 (index book - 1), filled by LoadBookHeadings; the English names until
// then.
extern TBookHeadings BookHeadings;
// The heading of book 1..66; empty for any other number.
AnsiString BookHeading(int book);

// "HeadingsOfBooks.txt" in the current project's work folder; empty when there is no project.
AnsiString HeadingsFileName();
// Fills BookHeadings from the headings file, writing the file with the English names first when it
// is missing. Without a project, or with a file that cannot be read, the headings are the
// English names.
void LoadBookHeadings();
// The headings of the lines of a headings file: for each book the characters 4 to 103 of the
// last line that begins with its identifier (exact case); the English name when there is none or
// it is empty.
TBookHeadings HeadingsFromLines(TStrings* lines);
// The file's bytes for the headings: identifier and heading per line, in canonical order, each
// line ended by carriage return and line feed.
AnsiString HeadingsFileBytes(const TBookHeadings& headings);
// Writes the headings file (creating the work folder); 0, or the system's error code.
Cardinal SaveBookHeadings(const TBookHeadings& headings);
// The English names of the 66 books.
TBookHeadings DefaultBookHeadings();
