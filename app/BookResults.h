// The books' results: the file age recorded for each book of the project, the book loaded into
// the main editor with what was found in it, and the per-book results files.
//
// A results file is the project's work folder + the book's English name + ".dat" (for example
// "Matthew.dat"), lines ended by carriage return and line feed:
//   the book file's age when its checks last finished (a whole number)
//   the number of spelling errors found
//   "[spelling errors]"    followed by the distinct misspelt words
//   "[mechanical errors]"  followed by the results-list lines that begin with a book identifier
//   "[exceptions]"         followed by the messages the user chose to ignore
// Lines before the first section header are ignored when the file is read; the headers are whole
// lines, compared exactly. A book is checked again when its file's age differs from the first line.
#pragma once

#include "classlib/System.h"

class TCheckingHost;
class TScripture;
class TStringList;
class TStrings;

extern const char* const SpellingErrorsHeader;    // "[spelling errors]"
extern const char* const MechanicalErrorsHeader;  // "[mechanical errors]"
extern const char* const ExceptionsHeader;        // "[exceptions]"

// True when the line begins with one of the 66 book identifiers (a message with a reference).
bool BeginsWithBookId(const AnsiString& line);

// The lines of one section of a results file's lines (up to the next header).
void SectionLines(TStrings* fileLines, const AnsiString& header, TStrings* section);

// The books of a testament choice (0 the Old Testament, 1 the New, 2 both) as a range of book
// numbers, and the words that end the titles of lists over it ("the Old Testament", "the New
// Testament", "all books").
void TestamentRange(int testament, int& first, int& last);
AnsiString TestamentTitleEnding(int testament);

class TBookResults : public TObject {
  CLASS_INFO(TBookResults, TObject)
public:
  // The project's book model is not owned; it is the main window's.
  TBookResults(TCheckingHost& host, TScripture* scripture);
  ~TBookResults() override;

  // --- All books
  AnsiString ResultsFilePath(int book) const;
  // The first line of the book's results file; 0 when the file is missing, empty, unreadable or
  // its first line is no whole number.
  Integer ReadResultsFileAge(int book) const;
  // The age recorded for the book by RecordBookAges; 0 when the book is not in the project or its
  // entry is no number.
  Integer RecordedBookFileAge(int book) const;
  // True when the book's results file is up to date: its first line equals the recorded age.
  bool ResultsUpToDate(int book) const { return ReadResultsFileAge(book) == RecordedBookFileAge(book); }
  // BookAges := the age of each book file of the project, in the project's order.
  void RecordBookAges();
  // Replaces the first line of every existing results file (books 1..66) by "0", so that each of
  // these books is checked again.
  void ResetResultsFileAges();

  // The "[mechanical errors]" lines of the results files of the books in the testament's range, in
  // book order (books without a results file have none).
  void GatherMechanicalMessages(int testament, TStrings* lines) const;
  // The distinct "[spelling errors]" words of the results files of the project's books in the
  // testament's range, sorted with letter case counting.
  void GatherSpellingErrors(int testament, TStringList* words) const;

  // --- The loaded book
  // Loads the book into the editor and its results file into the lists: the misspelt words, the
  // ignored messages and the results list (its mechanical messages). False, with no book loaded,
  // when the book is not in the project, its file is missing, or the book or its results file
  // cannot be read.
  bool LoadBookAndResults(int book) { return LoadBook(book) && LoadResults(book); }
  // The two halves of LoadBookAndResults, which the checking cycle takes in ticks of their own:
  // laying out a long book and filling the results list with thousands of lines each keep the
  // window from answering for tens of milliseconds.
  // LoadBook loads the book into the editor, laid out, and its lines into BookLines; false, with
  // nothing done, when the book is not in the project or its file is missing.
  bool LoadBook(int book);
  // LoadResults then reads the book's results file into the lists and the results list; false,
  // with no book loaded, when the book could not be loaded into the editor or its results file
  // cannot be read.
  bool LoadResults(int book);
  // Writes the loaded book's results file (nothing when no book is loaded): its first line is the
  // age the file had when the book was loaded until both checks of the book have finished, its
  // second line the spelling count read back until a spelling check of the book has finished.
  // False when the file cannot be written (the results list then says why).
  bool WriteResultsFile();
  // Both checks of the loaded book have finished: its results file now gets the book file's
  // recorded age.
  void ChecksFinished();
  // The spelling check of the loaded book has finished: its results file now gets its count.
  void SpellingCheckFinished() { StoredSpellingErrorCount = SpellingErrorCount; }

  TScripture* Scripture;
  // One decimal file age per book of the project, in the order of the project's book files.
  TStringList* BookAges;

  // The book in the editor (0 and empty when none; its number is 0 too while its results are not
  // read yet) and its lines as the mechanical run reads them.
  Integer LoadedBook = 0;
  AnsiString LoadedBookPath;
  TStringList* BookLines;
  // The distinct misspelt words of the loaded book, and every word judged misspelt in this run of
  // the program (never cleared). Both sorted, duplicates ignored, letter case ignored.
  TStringList* BookSpellingErrors;
  TStringList* KnownBadWords;
  // The messages of the loaded book the user chose to ignore.
  TStringList* IgnoreList;
  // Occurrences of misspelt words found by the current spelling check, and the count the results
  // file keeps (read back when the book was loaded).
  Integer SpellingErrorCount = 0;
  Integer StoredSpellingErrorCount = 0;
  // The age the results file keeps (read back when the book was loaded).
  Integer ResultsAge = 0;
  // Set whenever a results file was written; the totals are then counted again.
  bool RecountNeeded = false;

private:
  // Reads the loaded book's results file into the lists; false when it exists but cannot be read.
  bool ReadResultsFile(int book);

  TCheckingHost& host_;
  // The book LoadBook put into the editor, until LoadResults reads its results.
  Integer bookInEditor_ = 0;
};
