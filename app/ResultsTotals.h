// The button timer of the main window (1 s): it keeps "Results to Paratext" and the save button
// enabled as their state allows and, after a results file was written, counts the spelling errors
// and the mechanical messages of the Old and the New Testament again from all results files.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "classlib/System.h"
#include "classlib/WinApi.h"

class TBookResults;
class TCheckingHost;

// The four totals of the main window and whether each testament's are complete (every book of it
// has a results file with a count).
struct TResultsTotals {
  Integer SpellingOT = 0;
  Integer SpellingNT = 0;
  Integer MechanicalOT = 0;
  Integer MechanicalNT = 0;
  bool CompleteOT = true;
  bool CompleteNT = true;
};

// What the totals take from one results file: its second line as a number (when it is one), and
// the lines of its "[mechanical errors]" section (up to the next section header).
struct TResultsFileCounts {
  bool HasCount = false;
  Integer Count = 0;
  Integer Mechanical = 0;
};
TResultsFileCounts CountResultsFile(std::string_view text);

// The counts of the results files read before, by path, with the size and the time of last
// writing of the file they were read from; a file that differs in either is read again. A file
// written shortly before it was read may change again within the resolution of file times
// (seconds on some disks) and keep both: it is read again until it was read well after it was
// written.
class TResultsFileCountCache {
public:
  // A file read this long (in units of 100 ns) after it was last written is taken as settled.
  static constexpr ULONGLONG SettledAfter = 3 * 10000000ULL;

  TResultsFileCounts Counts(const AnsiString& path);

private:
  struct Entry {
    ULONGLONG written = 0;
    ULONGLONG size = 0;
    ULONGLONG readAt = 0;
    TResultsFileCounts counts;
  };
  std::map<std::string, Entry> entries_;
};

// Counts the totals from the results files of the project's books; with a cache, only the files
// that changed since it read them are read.
TResultsTotals CountResultsTotals(const TBookResults& book, TResultsFileCountCache* cache = nullptr);

// A total as the main window shows it: the number when its testament is complete, else
// "At least " and the number when it is above 0, else "Defining ...".
AnsiString TotalText(Integer sum, bool complete);

class TButtonTimerRun : public TObject {
  CLASS_INFO(TButtonTimerRun, TObject)
public:
  TButtonTimerRun(TCheckingHost& host, TBookResults& book) : host_(host), book_(book) {}
  void Tick();

private:
  TCheckingHost& host_;
  TBookResults& book_;
  bool ticking_ = false;
  // A Bible's results files hold a hundred thousand lines and more; each book checked changes one.
  TResultsFileCountCache counts_;
};
