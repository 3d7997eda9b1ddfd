// The mechanical proofreading run over the book loaded in the main window: white space, standard
// format markers, structure with punctuation, the end-of-book flush and, for the Old Testament,
// paragraphing, each phase only when its option is on. It ends with "Mechanical proofreading
// ready". The run advances in steps: a set-up or flush is one step, the per-line phases take one
// line a step.
//
// The speed setting gives the time a step takes (800, 400, 200, 100, 30, 5 or 1 ms). The system
// timer does not tick faster than every 10 ms or so, so a tick takes as many steps as the time
// since the previous tick holds at that speed (at least one, at most MaxStepsPerTick): the fast
// settings then keep their pace, also through the set-ups between the phases.
#pragma once

#include "classlib/System.h"
#include "classlib/WinApi.h"

class TBookResults;
class TCheckingHost;
class TUSFM;

class TMechanicalRun : public TObject {
  CLASS_INFO(TMechanicalRun, TObject)
public:
  static constexpr int MaxStepsPerTick = 200;

  // Neither is owned: the book and its results, and the main window's marker checker.
  TMechanicalRun(TCheckingHost& host, TBookResults& book, TUSFM* usfm);

  // Starts a new run from its set-up (state 1) and enables the timer.
  void Start();
  // Disables the timer; a stopped run is not resumed.
  void Stop();
  // True once the run has ended: it is in state 0 and has said "Mechanical proofreading ready"
  // (the step after state 16, which may come a tick later).
  bool Idle() const { return State == 0 && ended_; }
  // One tick of the timer at the time `now` (milliseconds, as GetTickCount counts).
  void Tick(DWORD now);

  // The speed setting as the run uses it: one of 800, 400, 200, 100, 30, 5, 1; any other value
  // gives 100.
  static Cardinal LineInterval();

  // 0 ready, 1 set-up, 2 white space, 3 marker set-up, 4 markers, 5 structure set-up,
  // 6 structure and punctuation, 7 end-of-book flush, 8 paragraphing decision, 9 paragraphing,
  // 10 to 15 idle ticks, 16 end.
  Integer State = 0;
  // The line of the book the current phase is at.
  Integer Line = 0;
  // The number of results-list lines when the marker phase began.
  Integer ResultsBeforeMarkers = 0;

private:
  void Step();
  // One step of the per-line phases; each returns false once the phase has passed its last line
  // (and moved on to the next state).
  bool WhiteSpaceLine();
  bool MarkerLine();
  bool StructureLine();
  void SetUp();

  TCheckingHost& host_;
  TBookResults& book_;
  TUSFM* usfm_;
  bool ticking_ = false;
  Cardinal interval_ = 100;
  DWORD lastTick_ = 0;
  // The first tick of a run takes one step: the time before it belongs to no step.
  bool firstTick_ = true;
  bool ended_ = true;
  // Lines changed by the white-space phase during this tick, copied to the editor at its end.
  bool linesChanged_ = false;
};
