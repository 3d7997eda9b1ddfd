#include "app/ResultsTotals.h"

#include <memory>

#include "app/BookEditor.h"
#include "app/BookResults.h"
#include "app/CheckingHost.h"
#include "app/TickGuard.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/ScripturesUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

TResultsTotals CountResultsTotals(const TBookResults& book) {
  TResultsTotals totals;
  std::unique_ptr<TStringList> lines(new TStringList());
  std::unique_ptr<TStringList> section(new TStringList());
  TStrings* names = book.Scripture->BookNames;
  for (int i = 0; i < names->GetCount(); ++i) {
    const int n = BookNumberFromEnglishName(names->GetStrings(i));
    const bool oldTestament = n <= OldTestamentBookCount;
    Integer& spelling = oldTestament ? totals.SpellingOT : totals.SpellingNT;
    Integer& mechanical = oldTestament ? totals.MechanicalOT : totals.MechanicalNT;
    bool& complete = oldTestament ? totals.CompleteOT : totals.CompleteNT;
    const AnsiString path = book.ResultsFilePath(n);
    if (!FileExists(path)) {
      complete = false;
      continue;
    }
    ReadLinesOrNone(path, lines.get());
    // The second line holds the count; a file without one leaves the total incomplete.
    Integer count = 0;
    if (lines->GetCount() > 1 && TryStrToInt(lines->GetStrings(1), count))
      spelling += count;
    else
      complete = false;
    SectionLines(lines.get(), MechanicalErrorsHeader, section.get());
    mechanical += section->GetCount();
  }
  return totals;
}

AnsiString TotalText(Integer sum, bool complete) {
  if (complete) return IntToStr(sum);
  return sum > 0 ? "At least " + IntToStr(sum) : AnsiString("Defining ...");
}

void TButtonTimerRun::Tick() {
  TTickGuard guard(ticking_);
  if (!guard.Entered()) return;
  TStrings* results = host_.Results();
  bool withReference = false;
  for (int i = 0; i < results->GetCount() && !withReference; ++i) withReference = BeginsWithBookId(results->GetStrings(i));
  host_.EnableButtons(withReference, host_.Editor()->GetModified() && book_.LoadedBook != 0);
  if (book_.RecountNeeded) {
    const TResultsTotals t = CountResultsTotals(book_);
    host_.ShowTotals(TotalText(t.SpellingOT, t.CompleteOT), TotalText(t.SpellingNT, t.CompleteNT),
                     TotalText(t.MechanicalOT, t.CompleteOT), TotalText(t.MechanicalNT, t.CompleteNT));
    book_.RecountNeeded = false;
  }
}
