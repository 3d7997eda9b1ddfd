// The four spelling-error correction lists and their application to a book's lines. A list file
// holds pairs of lines: "1" + the misspelling, then "2" + its correction. List 1 holds first halves
// of words and list 2 second halves, searched as every first half joined to every second half (and
// every second half alone); list 3 holds whole words and list 4 phrases, found also inside words.
// All searches match case; whole words end at the line's edges or at one of the 14 delimiters.
#pragma once

#include <array>

#include "tools/ConversionText.h"

constexpr int CorrectionListCount = 4;

// "correctionlist1.txt" ... "correctionlist4.txt" (list 1..4), kept in the program's folder.
AnsiString CorrectionListFileName(int list);
// The characters that end a whole word: blank . ; , : ( ) { } " / \ ? !
extern const char CorrectionDelimiters[];

struct TCorrectionPair {
  AnsiString Misspelling;
  AnsiString Correction;
};

// The pairs of a list file's lines: each line at an even index is a misspelling and the line after
// it its correction, both without their first character (a last line without its correction gets
// an empty one). With `limit` each text keeps at most that many characters.
std::vector<TCorrectionPair> CorrectionPairs(const TextLines& listLines, std::size_t limit = AnsiString::npos);

// Replaces, in the order of the lists and of their entries, every occurrence of each misspelling
// by its correction; the search for one misspelling goes on after each inserted correction, so a
// correction that contains its misspelling is not corrected again. Returns the number of
// replacements. The lines are changed in place; lines never join or split.
int CorrectLines(TextLines& lines, const std::array<TextLines, CorrectionListCount>& lists);

// A book corrected as the correction window does it. With `onlyChapter` only the lines from the
// first one containing "\c " + chapter up to the line before the first later one containing
// "\c " + (chapter + 2) are corrected (chapter and the next; "\c 151" ends them when the chapter is
// no number), and the lines around them come back unchanged; when the chapter is not found nothing
// is corrected. The whole book passes through a plain-text document, one paragraph a line, which
// loses one empty line at the book's end.
struct TBookCorrection {
  TextLines Lines;
  int Count = 0;
};
TBookCorrection CorrectBook(const TextLines& book, const std::array<TextLines, CorrectionListCount>& lists,
                            bool onlyChapter, const AnsiString& chapter);
