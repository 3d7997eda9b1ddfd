// The checking cycle: which book of the current project is checked next. Driven by the main
// window's check timer (100 ms, once a second when every book is checked): after a restart it reads the project's books and their file
// ages afresh, checks the book Paratext shows first (after a pause of 5 s) and then every book of
// the project in canonical order, one book a tick (every 10 ms during this scan), each only when
// its file's age differs from the first line of its results file; it loads such a book into the
// editor in one tick and its results into the lists in the next (each takes tens of milliseconds
// for a long book, and the window answers nothing meanwhile), starts its spelling check and its
// mechanical run, writes its results file when both have finished, and ends on "All checks done".
//
// The cycle restarts when Paratext starts or stops or moves to another book, when a settings
// dialog asks for it (RestartRequested), when the folder monitor reports a change, while the
// spell-check component runs an interactive check, and on every tick while a book opened by hand
// holds the cycle.
#pragma once

#include "classlib/System.h"

class TBookResults;
class TCheckingHost;
class TMechanicalRun;

class TCheckingCycle : public TObject {
  CLASS_INFO(TCheckingCycle, TObject)
public:
  // A book opened by hand holds the cycle for at most this many ticks (or until the main window
  // is deactivated).
  static constexpr int MaxHoldTicks = 6000;
  // The check timer's interval; its interval while the cycle goes through the books (a book's
  // checks at the fastest speed take a fraction of a second, and three tenths of a second between
  // books, a tick to load a book, one to start its checks and one to see them finish, would add a
  // sixth to a cycle over a Bible); and its interval once every book is checked, when a tick only
  // looks for a reason to start again (the link with Paratext looks once a second too; a change
  // the folder monitor reports and a book opened by hand bring the shorter interval back at once),
  // so that the idle program wakes up rarely.
  static constexpr Cardinal IntervalMs = 100;
  static constexpr Cardinal ScanIntervalMs = 10;
  static constexpr Cardinal IdleIntervalMs = 1000;

  TCheckingCycle(TCheckingHost& host, TBookResults& book, TMechanicalRun& mechanical);

  // One tick of the check timer.
  void Tick();
  // The next tick starts the cycle afresh.
  void Restart();
  // Stops the spelling check and the mechanical run of the current book.
  void StopChecks();
  // The folder monitor saw a file or folder name change in the project folder.
  void FolderChanged();
  // The user opened the book by hand (button or drop-down list): it is loaded with its results
  // and the cycle holds until the main window is deactivated.
  void OpenBookManually(const AnsiString& englishName);

  // 0 idle, 1 restart requested, 2 initialise, 100 book shown in Paratext, 104 read its results,
  // 101 start its checks, 102 wait for them, 200 start the scan, 201 next book, 204 read its
  // results, 202 start its checks, 203 wait for them, 205 read the results of the book Paratext
  // shows after the scan.
  Integer State = 1;
  // The book being checked (0 for none).
  Integer CurrentBook = 0;
  // The identifier of the book Paratext shows, as taken at the initialisation, and the last one
  // seen by a tick.
  AnsiString CurrentBookId;
  AnsiString LastBookId;
  bool LastParatextRunning = false;
  // Set by the settings dialogs that change what the checks find; the next tick restarts.
  bool RestartRequested = false;
  bool ManualHold = false;
  Integer HoldTicks = 0;
  // The folder and file name of the spelling helper application, taken at each initialisation.
  AnsiString HelperFolder;
  AnsiString HelperFileName;

private:
  void Step();
  void Initialise();
  void CurrentBookStep();
  void NextBookStep();
  // Between loading a book into the editor and reading its results (states 104, 204 and 205):
  // the book.
  bool ResultsPending() const;
  int PendingBook() const;
  void ResultsStep();
  void EndScan();
  void StartChecks();
  // Writes the results once both checks have finished; true then.
  bool FinishChecks();

  TCheckingHost& host_;
  TBookResults& book_;
  TMechanicalRun& mechanical_;
  bool ticking_ = false;
};
