// The paragraphing check of an Old Testament book: its paragraph breaks are compared with the
// reference list of the paragraph breaks of the BHS, "OTParagraphs.txt" in the program folder.
// That file is a record table of three lines per record: a verse reference in versification 1;
// 0 when a paragraph starts at the beginning of the verse, otherwise the position in percent of
// the verse's length at which a paragraph starts inside it; and the verse reference used for the
// paragraph-start comparisons. The findings go to the message filter without a reference in front,
// each line beginning with the verse's reference in the current project's versification.
#pragma once

#include "classlib/System.h"

class TStrings;

// Checks book 1..39 given as its standard-format lines (not changed). A missing or unreadable
// "OTParagraphs.txt" raises the class library's file-open error before any message is given.
void CheckParagraphing(int book, TStrings* bookLines);
