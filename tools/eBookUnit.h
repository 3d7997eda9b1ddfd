// E-books: every chosen book becomes an HTML page with chapter links, which the outside e-book
// builder (the program of the builder setting) turns into an e-book in the e-books folder; a
// contents page in that folder links all 66 books. The builder has no interface for programs:
// it is driven by keystrokes, one step a second, through its menus and windows, and the end of a
// build is seen in its busy marker (the e-book's file name + ".OLD", there while it writes).
//
// This unit holds the files of a run, the builder's registry options, and the conversion of one
// page as a state machine over the builder (TEBookBuilder), so that all of it works without Print
// Bible, whose timers drive it. Every wait on the builder has a bound: a builder that ends, stops
// answering or builds nothing ends the conversion with a status text that says so.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/System.h"

class TCustomUzurUvad;
class TVisSendKeys;

// --- Files of a run

// The work folder: the program folder + "ebook\".
AnsiString EBookWorkFolder();
// The HTML page of a book: the work folder + its list entry + ".html".
AnsiString HtmlFileName(const AnsiString& entry);
// The e-books folder of the settings with a trailing backslash (the folder browser stores it
// without one).
AnsiString EBooksFolder();
// The e-book of an HTML page: the e-books folder + the page's name with the extension ".lit".
AnsiString EBookFileName(const AnsiString& htmlFile);
// The builder's busy marker of an e-book: its file name + ".OLD".
AnsiString BusyMarkerFileName(const AnsiString& eBookFile);
// The builder project: "pelorin.rwp" in the program folder (as installed) and the copy in the
// work folder that the builder opens.
AnsiString BuilderProjectTemplate();
AnsiString BuilderProjectFile();
// The contents page: the e-books folder + "00 Table of Contents.html".
AnsiString ContentsPageFileName();

// The link target of jump `jump` (counted from 0 in the page) of a book of `chapterCount`
// chapters: the chapter links of the "Go to chapter" line lead to the chapters' checkpoints
// ("#UzurUvadCheckpoint1" ...), every later jump (a chapter number) back to checkpoint 0, the line.
AnsiString CheckpointURL(Integer jump, Integer chapterCount);

// Copies the installed builder project over the work folder's (the work folder is made when
// missing). Raises EInOutError with a message naming the file when it cannot.
void CopyBuilderProject();

// Removes from the lines of an HTML page every line that holds "  margin: " or "  padding: ", so
// that the e-book's reader lays the page out with its own margins.
void StripCssMargins(std::vector<AnsiString>& lines);

// Writes the document of a book as an e-book page: HTML with a style sheet, titled `title`,
// without margins and paddings. Raises EInOutError when it cannot be written.
void SaveEBookPage(TCustomUzurUvad* editor, const AnsiString& htmlFile, const AnsiString& title);

// Writes the contents page through `editor` (cleared before and after): the 66 English book names
// in text style `style`, each linked to its e-book ("Genesis.lit" ...), titled "Table of
// Contents". The page replaces the earlier one in one step; raises EInOutError when it cannot.
void BuildContentsPage(TCustomUzurUvad* editor, Integer style);
// The contents page's line of names with each of the 66 names linked, as BuildContentsPage puts
// it in the line that holds "Genesis".
AnsiString LinkBookNames(const AnsiString& line);

// --- The builder's registry options

// "Show Startup Dialog" and "Extract HTML Titles" of the builder's "Options" key and "Autorun
// Reader" and "Build To CE" of its "Settings" key, set to 0, 1, 0 and 0 while Print Bible drives
// the builder, and the builder's "Auto-save" values, emptied, so that the builder starts straight
// into its main window and builds only what it is told. Values are read as they stand (a missing
// one is no error) and put back as they were: one that was missing is removed again.
class TBuilderOptions {
public:
  // Keeps the four values and writes the run's values; empties "Auto-save". False, with the
  // reason in `error`, when the keys cannot be written.
  bool Set(AnsiString& error);
  // Writes the kept values back (removing those that were missing) and empties "Auto-save".
  // Nothing happens unless Set ran.
  void Restore();
  bool IsSet() const { return set_; }
  // Removes every value of the builder's "Auto-save" key, when there is one.
  static void EmptyAutoSave();

  static const char OptionsKey[];
  static const char SettingsKey[];
  static const char AutoSaveKey[];

private:
  struct TKept {
    bool Kept = false;  // read, and so to be put back
    bool Existed = false;
    unsigned long Type = 0;
    std::vector<unsigned char> Data;
  };
  TKept kept_[4];
  // The keys that Set made, the deepest last; Restore removes them again when they are empty.
  std::vector<AnsiString> made_;
  bool set_ = false;
};

// --- The builder

// Text as a key script that types it as it stands: the characters that mean keys or modifiers to
// the keystroke sender ("+", "^", "%", "~", "(", ")", "{", "}") are sent in braces, so that a path
// such as "C:\Program Files (x86)\..." arrives whole.
AnsiString KeysForText(const AnsiString& text);

// What a conversion does with the builder program.
class TEBookBuilder {
public:
  virtual ~TEBookBuilder() = default;
  // The builder's process still runs.
  virtual bool Running() = 0;
  // Its window answers messages (it does not hang).
  virtual bool Answers() = 0;
  virtual void ShowWindow(bool visible) = 0;
  // Its main window is shown (showing it is asynchronous).
  virtual bool Shown() = 0;
  // Which of its windows is in front: none (another program's is), its main window (enabled), a
  // window it opened in front of the main window (which it disables meanwhile, as a dialog opened
  // by a key does), or neither yet (one window closing, the other not yet in front, or in front
  // without the keyboard focus yet). Keys go to the window with the focus: sent while a window
  // closes, they would go to the closing window and be lost with it.
  enum TFront { bfNone, bfMain, bfDialog, bfBetween };
  virtual TFront Front() = 0;
  // The builder's window in front as a number that no other window has while it exists, so that
  // a window opened in place of another is told from it; 0 when none of its windows is in front.
  virtual std::uintptr_t FrontWindow() = 0;
  // Brings the window to the front that the builder's keys belong to: the window it has open in
  // front of its main window, or else the main window.
  virtual void BringToFront() = 0;
  // On: SendKeys first brings the builder's window to the front.
  virtual void SetActivation(bool on) = 0;
  // Sends a key script (controls/VisSendKeys.h) to the window in front; with `processMessages`
  // this program's own messages are handled meanwhile.
  virtual void SendKeys(const AnsiString& keys, bool processMessages) = 0;
};

// The builder started through a keystroke sender (not owned).
class TSendKeysBuilder : public TEBookBuilder {
public:
  explicit TSendKeysBuilder(TVisSendKeys* sender) : sender_(sender) {}
  bool Running() override;
  bool Answers() override;
  void ShowWindow(bool visible) override;
  bool Shown() override;
  TFront Front() override;
  std::uintptr_t FrontWindow() override;
  void BringToFront() override;
  void SetActivation(bool on) override;
  void SendKeys(const AnsiString& keys, bool processMessages) override;

private:
  TVisSendKeys* sender_;
};

// --- Converting one page

// The conversion of one HTML page into its e-book. Step is one tick of the conversion timer
// (one state, then the next); WatchMarker is one tick of the busy-marker timer, which runs while
// the builder builds (from state 11 on, as long as MarkerWatched is true).
//
// State by state, the keys: 0 the builder's window shown; 1 "^o" (open a project), 2 the work
// folder's project path, 3 "%o"; 4 "%e%a" (add a source file), 5 the page's path and "%o";
// 6 "^b" (build; the old e-book deleted), 7 "%m", 8 "{TAB}", 9 the e-books folder, 10
// "{TAB}{TAB}", 11 " " (start; the marker watched); 12 wait for the marker watch; 13 "%{F4}"
// (close the build window); 14 "^n%b" (a blank new project), 15 "{ENTER}" (in the new project
// window), 16 "%n" (in the question that replaced it: the old project not saved); 17 the page
// deleted, the builder's window hidden: done.
//
// A builder takes its keys in turn, and a busy one takes them late. Keys sent meanwhile wait in
// its queue and reach the window the keys before them opened, as long as the builder stays in
// front; keys sent while another program is in front go to that program, keys sent while one of
// its windows closes go to that window and are lost with it, and keys still queued when the
// builder's window is hidden are lost. So a state's keys are sent only once the window they are
// for is in front (the builder is brought there when another program is), and its window is
// hidden only once its main window is in front again. A window that one key closes and replaces
// by another leaves the main window in front for a moment between the two, which must not be taken
// for the end: the key that does so is sent on its own, and the window after it is told from the
// window it was sent to. A builder that does not get there within AnswerBound gets the keys as
// they are.
class TEBookConversion {
public:
  enum TResult { crWorking, crDone, crFailed };
  using TClock = std::function<std::uint64_t()>;

  // How long the builder may leave a step unanswered, take to start building (no marker and no
  // e-book yet; a builder that no longer answers by then took the build and hangs in it), and
  // build (the marker there); and how long the e-book may lag behind the marker's going before
  // the build counts as one that made nothing. Milliseconds.
  static constexpr std::uint64_t AnswerBound = 15000;
  static constexpr std::uint64_t StartBound = 30000;
  static constexpr std::uint64_t BuildBound = 300000;
  static constexpr std::uint64_t EBookLag = 2000;

  // `name` names the book in the status texts. The clock gives milliseconds (GetTickCount64 when
  // none is given).
  TEBookConversion(TEBookBuilder& builder, const AnsiString& htmlFile, const AnsiString& name,
                   TClock clock = nullptr);

  TResult Step();
  void WatchMarker();
  bool MarkerWatched() const { return markerState_ == 0 || markerState_ == 1; }

  Integer State() const { return state_; }
  const AnsiString& HtmlFile() const { return htmlFile_; }
  const AnsiString& EBookFile() const { return eBookFile_; }
  // Why the conversion failed: a status text ("The eBook builder has ended: Genesis was not
  // converted" ...).
  const AnsiString& Failure() const { return failure_; }

private:
  TResult Fail(const char* reason);
  // The action of the current state.
  void Act();
  // The builder has taken the keys before the current state and is ready for its own.
  bool Ready();
  // Starts the wait for the builder at the first call; true once it has lasted AnswerBound.
  bool WaitedOut();

  TEBookBuilder& builder_;
  AnsiString htmlFile_, eBookFile_, markerFile_, name_;
  TClock clock_;
  Integer state_ = 0;
  // -1 not started, 0 waiting for the marker, 1 waiting for it to go, 2 done, 3 failed.
  Integer markerState_ = -1;
  std::uint64_t since_ = 0;            // when the marker watch started or the marker appeared
  std::uint64_t silentSince_ = 0;      // when the builder first left a step unanswered, 0 while it answers
  std::uint64_t waitingSince_ = 0;     // when the current state began to wait for the builder, 0 before
  std::uint64_t markerGoneAt_ = 0;     // when the marker went without an e-book, 0 before
  std::uintptr_t newProjectWindow_ = 0;  // the builder's window that Enter of state 15 went to
  AnsiString failure_;
};
