// The link with Paratext and BibleWorks, driven by the main window's DDE timer (1 s): each tick
// looks for the two programs' windows by title, reads the reference Paratext shows from the
// registry and, while BibleWorks runs, keeps a DDE conversation with its "Commands" topic open
// and moves BibleWorks to the same verse with macros until it reports that verse as its own.
//
// SyncCount is 0 while BibleWorks shows Paratext's verse, 1 after Paratext moved, and grows by one
// on every tick on which BibleWorks still shows another verse; from the fifth to the tenth such
// tick BibleWorks is first switched to the Hebrew (Old Testament) or Greek (New Testament)
// version, which holds every verse of the original versification.
#pragma once

#include "classlib/System.h"

class TDdeClientConv;

// What the link reaches outside the program. The program's are the real ones (TSystemLinkPeers);
// tests give fakes.
class TLinkPeers {
public:
  virtual ~TLinkPeers() = default;
  // Whether a top-level window has the title, or one whose title begins with it (letter case
  // aside).
  virtual bool WindowExists(const AnsiString& title) = 0;
  // The reference Paratext shows ("MAT 5:3"), from the registry.
  virtual AnsiString FocusReference() = 0;
  // The DDE conversation with BibleWorks.
  virtual bool BibleWorksLinked() = 0;
  // Names the service and topic and opens the link; true when it is open.
  virtual bool OpenBibleWorksLink(const AnsiString& service, const AnsiString& topic) = 0;
  // Sends a macro without waiting for BibleWorks to carry it out.
  virtual void SendToBibleWorks(const AnsiString& macro) = 0;
  // The text of an item; empty when BibleWorks does not answer.
  virtual AnsiString AskBibleWorks(const AnsiString& item) = 0;
};

// The real outside world: the desktop's windows, the current user's registry and a DDE client
// conversation (not owned) in manual connect mode.
class TSystemLinkPeers : public TLinkPeers {
public:
  // Milliseconds a request to BibleWorks may take. A BibleWorks that does not answer in that time
  // loses its conversation, and the next tick makes a new one, so that the window never waits
  // on it for long.
  static constexpr Integer RequestTimeout = 500;

  explicit TSystemLinkPeers(TDdeClientConv* conversation);
  bool WindowExists(const AnsiString& title) override;
  AnsiString FocusReference() override;
  bool BibleWorksLinked() override;
  bool OpenBibleWorksLink(const AnsiString& service, const AnsiString& topic) override;
  void SendToBibleWorks(const AnsiString& macro) override;
  AnsiString AskBibleWorks(const AnsiString& item) override;

private:
  TDdeClientConv* conversation_;
};

// The title Paratext's main window has, and the beginning of BibleWorks's.
extern const char* const ParatextWindowTitle;    // "Paratext 6"
extern const char* const BibleWorksWindowTitle;  // "BibleWorks - "
// The DDE topic of BibleWorks's macros.
extern const char* const BibleWorksTopic;  // "Commands"

// The DDE service name of BibleWorks: the setting "BibleWorks Filename" without its first ".exe".
AnsiString BibleWorksProgramName();

class TProgramsLink : public TObject {
  CLASS_INFO(TProgramsLink, TObject)
public:
  // `bibleWorksService` is the DDE service name, taken once when the program starts.
  TProgramsLink(TLinkPeers& peers, const AnsiString& bibleWorksService);

  // One tick of the DDE timer; a tick that starts while another runs does nothing.
  void Tick();

  // The verse BibleWorks is sent to for the reference: its book's BibleWorks abbreviation, a
  // blank, chapter ":" verse ("MAT 5:3" gives "Mat 5:3"); empty when the reference names no book.
  static AnsiString BibleWorksTarget(const AnsiString& focusReference);

  bool ParatextRunning = false;
  bool BibleWorksRunning = false;
  // The reference Paratext shows, and BibleWorks's answer to "GetCurrentVerse" (such as
  // "KJV Mat 5:3").
  AnsiString FocusReference;
  AnsiString BibleWorksVerse;
  Integer SyncCount = 0;
  bool BibleWorksLinked() { return peers_.BibleWorksLinked(); }

private:
  void Step();
  void SendVerse(const AnsiString& verse);

  TLinkPeers& peers_;
  AnsiString service_;
  bool ticking_ = false;
};
