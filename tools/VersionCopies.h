// Dated copies of approved books: every approved state of a book is kept in the project's work
// folder as a copy named after the book and the minute it was saved, with a text file of comments
// beside it, so that a translator can compare the book with its last approved state and look back
// at any earlier one.
//
//   <work folder><English book name> yyyy mm dd hh nn.sfc       the copy
//   <work folder><English book name> yyyy mm dd hh nn.sfc.txt   its comments
#pragma once

#include "classlib/System.h"

class TCustomUVData;
class TStrings;

// The copy of the book saved at the moment: work folder + English name + " yyyy mm dd hh nn" +
// ".sfc". Copies saved within one minute share the name.
AnsiString DatedCopyName(const AnsiString& workFolder, const AnsiString& englishName, TDateTime moment);

// The comment file of a copy: its full name + ".txt".
AnsiString CommentFileName(const AnsiString& copyName);

// Fills `copies` (cleared first) with the full paths of the book's copies in the work folder,
// sorted, so that the last is the newest. Only names made of the English name, a blank, the date
// stamp and ".sfc" are copies of the book: "Jude" does not take the copies of "Judges".
void FindPreviousCopies(const AnsiString& workFolder, const AnsiString& englishName, TStrings* copies);

// Copies the book file to the copy's name, replacing a copy of the same minute. The copy is
// written whole or not at all. Returns empty, or why it failed.
AnsiString SaveDatedCopy(const AnsiString& bookFile, const AnsiString& copyName);

// Writes the lines as the copy's comment file, replacing it in one step. Returns empty, or why it
// failed.
AnsiString SaveComments(const AnsiString& copyName, TStrings* lines);

// The first comments of a copy just saved (`savedAt` as the system's date and time text): which
// book was saved when and, when it was compared with an earlier copy (`comparedWith` not empty),
// with which and how many differences were found.
void ApprovalComments(TStrings* lines, const AnsiString& englishName, const AnsiString& savedAt,
                      const AnsiString& comparedWith, Integer changeCount);

// Removes up to `most` empty text items from the start of the document, and lowers the change
// positions (seven-digit item numbers) by the number removed; a position of a removed item goes.
void RemoveLeadingEmptyItems(TCustomUVData* document, TStrings* positions, Integer most);
