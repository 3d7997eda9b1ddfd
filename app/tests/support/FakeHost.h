// A main window for the background work without a window: it keeps what the state machines tell
// it, and its timers are driven by a fake clock, so that a test runs a whole checking cycle in a
// loop without waiting.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/BookEditor.h"
#include "app/BookResults.h"
#include "app/CheckingCycle.h"
#include "app/CheckingHost.h"
#include "app/MechanicalRun.h"
#include "app/ResultsTotals.h"
#include "classlib/StringLists.h"
#include "core/CheckMessages.h"
#include "core/FontTable.h"
#include "core/ScripturesUnit.h"
#include "core/USFMUnit.h"

namespace app_testing {

// The book view: the text as lines.
class FakeEditor : public TBookEditor {
public:
  FakeEditor() : Lines(new TStringList()) {}
  ~FakeEditor() override { delete Lines; }
  void Clear() override { Lines->Clear(); }
  void SetTextFont(const TFontRecord& font) override { Font = font; }
  bool LoadText(const AnsiString& fileName) override {
    if (FailLoading || fileName == FailFile) return false;
    std::unique_ptr<TStringList> file(new TStringList());
    try {
      file->LoadFromFile(fileName);
    } catch (const Exception&) {
      return false;
    }
    Lines->AddStrings(file.get());
    ++Loads;
    return true;
  }
  void Format() override {}
  void GetLines(TStrings* lines) override { lines->Assign(Lines); }
  bool SaveText(const AnsiString& fileName) override {
    Lines->SaveToFile(fileName);
    return true;
  }
  bool GetModified() override { return Modified; }
  void SetModified(bool value) override { Modified = value; }

  TStringList* Lines;
  TFontRecord Font;
  bool Modified = false;
  bool FailLoading = false;
  // A file the editor cannot show.
  std::string FailFile;
  int Loads = 0;
};

// A timer of the fake clock.
struct FakeTimer {
  bool Enabled = false;
  Cardinal Interval = 100;
  DWORD Due = 0;
};

class FakeHost : public TCheckingHost {
public:
  FakeHost() : ResultLines(new TStringList()), BookNames(new TStringList()) { Check.Enabled = true; }
  ~FakeHost() override {
    delete ResultLines;
    delete BookNames;
  }

  TBookEditor* Editor() override { return &EditorView; }
  TStrings* Results() override { return ResultLines; }
  void SetStatus(TStatusPanelIndex panel, const AnsiString& text) override {
    Status[panel] = text;
    if (panel == spCycle) CycleStatuses.push_back(text);
  }
  void SaveBookIfModified() override { ++SaveQuestions; }
  bool WindowActive() override { return Active; }
  void ShowCurrentBookButton(const AnsiString& bookName) override { CurrentBookButton = bookName; }
  void ShowBookNames(TStrings* names) override { BookNames->Assign(names); }
  void WatchProjectFolder(const AnsiString& folder, bool active) override {
    WatchedFolder = folder;
    Watching = active;
  }
  void EnableButtons(bool resultsToParatext, bool save) override {
    ResultsToParatextEnabled = resultsToParatext;
    SaveEnabled = save;
  }
  void ShowTotals(const AnsiString& spellingOT, const AnsiString& spellingNT, const AnsiString& mechanicalOT,
                  const AnsiString& mechanicalNT) override {
    Totals = {spellingOT, spellingNT, mechanicalOT, mechanicalNT};
  }
  void SetCheckInterval(Cardinal milliseconds) override { Restart(Check, milliseconds); }
  void SetMechanicalTimer(bool enabled, Cardinal milliseconds) override {
    if (milliseconds) Mechanical.Interval = milliseconds;
    Mechanical.Enabled = enabled;
    Mechanical.Due = Now + Mechanical.Interval;
  }
  void StartSpellingCheck() override {
    ++SpellingStarts;
    SpellingIdle = false;
    SpellingRunning = true;
  }
  void StopSpellingCheck() override { SpellingRunning = false; }
  void ResetSpellingCheck() override { SpellingIdle = true; }
  bool SpellingCheckIdle() override { return SpellingIdle; }
  bool InteractiveSpellCheckRunning() override { return Interactive; }
  bool ParatextRunning() override { return Paratext; }
  AnsiString FocusReference() override { return Focus; }

  void Restart(FakeTimer& timer, Cardinal interval) {
    timer.Interval = interval;
    timer.Due = Now + interval;
  }

  FakeEditor EditorView;
  TStringList* ResultLines;
  TStringList* BookNames;
  std::string Status[3];
  // Every text panel 1 showed, in order.
  std::vector<std::string> CycleStatuses;
  int SaveQuestions = 0;
  bool Active = true;
  AnsiString CurrentBookButton;
  AnsiString WatchedFolder;
  bool Watching = false;
  bool ResultsToParatextEnabled = false;
  bool SaveEnabled = false;
  std::vector<std::string> Totals;
  // The spelling check stands still unless a test finishes it (SpellingIdle); a test that does not
  // care leaves FinishSpellingAtOnce set.
  bool SpellingIdle = true;
  bool SpellingRunning = false;
  bool FinishSpellingAtOnce = true;
  int SpellingStarts = 0;
  bool Interactive = false;
  bool Paratext = false;
  AnsiString Focus;

  // The fake clock and the timers it drives.
  DWORD Now = 1000;
  FakeTimer Check;
  FakeTimer Mechanical;
};

// The background work of a main window over the current project, on a fake host: the book model,
// the marker checker, the results, the mechanical run, the cycle and the button timer, wired as
// the main window wires them.
class Background {
public:
  Background()
      : Scripture(new TScripture(nullptr, -1)),
        USFM(new TUSFM(Scripture.get())),
        Book(new TBookResults(Host, Scripture.get())),
        Mechanical(new TMechanicalRun(Host, *Book, USFM.get())),
        Cycle(new TCheckingCycle(Host, *Book, *Mechanical)),
        Buttons(new TButtonTimerRun(Host, *Book)) {
    SetMessageTarget(Host.ResultLines, Book->IgnoreList);
  }
  ~Background() { SetMessageTarget(nullptr, nullptr); }

  // Fires the timer that is due first (the check timer when both are due), moving the clock to it.
  void FireNextTimer() {
    FakeTimer* next = nullptr;
    for (FakeTimer* t : {&Host.Check, &Host.Mechanical})
      if (t->Enabled && (!next || static_cast<int>(t->Due - next->Due) < 0)) next = t;
    if (!next) return;
    if (static_cast<int>(next->Due - Host.Now) > 0) Host.Now = next->Due;
    next->Due = Host.Now + next->Interval;
    if (next == &Host.Check) {
      if (Host.FinishSpellingAtOnce && Host.SpellingRunning) {
        Host.SpellingRunning = false;
        Host.SpellingIdle = true;
      }
      Cycle->Tick();
    } else {
      Mechanical->Tick(Host.Now);
    }
  }

  // Runs the timers until the cycle is idle (state 0); false when it is not after `limit` firings.
  bool RunCycle(int limit = 100000) {
    for (int i = 0; i < limit; ++i) {
      if (Cycle->State == 0 && !Host.Mechanical.Enabled) return true;
      FireNextTimer();
    }
    return Cycle->State == 0;
  }

  FakeHost Host;
  std::unique_ptr<TScripture> Scripture;
  std::unique_ptr<TUSFM> USFM;
  std::unique_ptr<TBookResults> Book;
  std::unique_ptr<TMechanicalRun> Mechanical;
  std::unique_ptr<TCheckingCycle> Cycle;
  std::unique_ptr<TButtonTimerRun> Buttons;
};

}  // namespace app_testing
