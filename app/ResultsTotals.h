// The button timer of the main window (1 s): it keeps "Results to Paratext" and the save button
// enabled as their state allows and, after a results file was written, counts the spelling errors
// and the mechanical messages of the Old and the New Testament again from all results files.
#pragma once

#include "classlib/System.h"

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

// Counts the totals from the results files of the project's books.
TResultsTotals CountResultsTotals(const TBookResults& book);

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
};
