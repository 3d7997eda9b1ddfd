// What the background work (the checking cycle, the mechanical run, the buttons and totals) asks
// of the main window. The window implements it; tests implement it with fakes. The background
// spelling check and the link with Paratext are reached through it too, so that each plugs into
// the window without the state machines knowing how it works.
#pragma once

#include "classlib/System.h"

class TBookEditor;
class TStrings;

// The panels of the main window's status bar.
enum TStatusPanelIndex {
  spBook = 0,        // the book in the editor
  spCycle = 1,       // the checking cycle and the spelling check
  spMechanical = 2,  // the mechanical run
};

class TCheckingHost {
public:
  virtual ~TCheckingHost() = default;

  // --- The window's parts
  virtual TBookEditor* Editor() = 0;
  // The results list (the lines of ResultsBox).
  virtual TStrings* Results() = 0;
  virtual void SetStatus(TStatusPanelIndex panel, const AnsiString& text) = 0;
  // Asks whether to save the book in the editor when it was changed (before another is loaded).
  virtual void SaveBookIfModified() = 0;
  // Whether the main window is the active window.
  virtual bool WindowActive() = 0;
  // Shows the button that opens the book Paratext shows, with the book's name; hides it for an
  // empty name.
  virtual void ShowCurrentBookButton(const AnsiString& bookName) = 0;
  // Fills the drop-down list of books with the project's book names.
  virtual void ShowBookNames(TStrings* names) = 0;
  // Points the folder monitor at the project folder; it watches only while `active`.
  virtual void WatchProjectFolder(const AnsiString& folder, bool active) = 0;
  // The buttons the button timer keeps up to date, and the four totals (spelling OT, spelling NT,
  // mechanical OT, mechanical NT).
  virtual void EnableButtons(bool resultsToParatext, bool save) = 0;
  virtual void ShowTotals(const AnsiString& spellingOT, const AnsiString& spellingNT, const AnsiString& mechanicalOT,
                          const AnsiString& mechanicalNT) = 0;

  // --- The timers
  virtual void SetCheckInterval(Cardinal milliseconds) = 0;
  // Enables or disables the mechanical run's timer; a non-zero interval also sets its interval.
  virtual void SetMechanicalTimer(bool enabled, Cardinal milliseconds = 0) = 0;

  // --- The background spelling check of the loaded book
  // Starts it from the first word of the book.
  virtual void StartSpellingCheck() = 0;
  // Stops its timer (a stopped check is started again from the beginning, never resumed).
  virtual void StopSpellingCheck() = 0;
  // Marks it as idle, as when it has nothing to do.
  virtual void ResetSpellingCheck() = 0;
  // True while it is idle or finished.
  virtual bool SpellingCheckIdle() = 0;
  // True while the spell-check component runs an interactive check (the spelling dialog).
  virtual bool InteractiveSpellCheckRunning() = 0;

  // --- The link with Paratext
  virtual bool ParatextRunning() = 0;
  // The reference Paratext shows ("MAT 5:3"), empty when none.
  virtual AnsiString FocusReference() = 0;
};
