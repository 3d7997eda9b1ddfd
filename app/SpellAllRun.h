// The interactive spelling check of every book of a testament ("Check all books"), driven by the
// main window's whole-book timer (100 ms): each book of the project in the chosen testament is
// loaded with its results and checked with the spelling dialog, one after the other, without an
// end message per book; cancelling the dialog ends the whole check ("Checks cancelled"), and
// after the last book a message says that all books were checked.
//
// State: 0 start (the project's books read afresh); 1 the next book.
#pragma once

#include "classlib/System.h"

class TBookResults;
class TCheckingHost;
class TSpellCheckPeer;

class TSpellAllRun : public TObject {
  CLASS_INFO(TSpellAllRun, TObject)
public:
  TSpellAllRun(TCheckingHost& host, TSpellCheckPeer& spell, TBookResults& book);

  // Starts the check from the first book of the testament stored by the testament choice; the
  // caller enables the timer.
  void Start();
  // One tick of the timer. Nothing happens while another tick runs or the component runs an
  // interactive check.
  void Tick();

  Integer State = 0;
  // The last book checked (0 before the first).
  Integer CurrentBook = 0;
  // Set once a book's check was started, so that a cancelled check ends the whole run.
  bool BookCheckStarted = false;

private:
  void Step();
  void NextBook();

  TCheckingHost& host_;
  TSpellCheckPeer& spell_;
  TBookResults& book_;
  bool ticking_ = false;
};
