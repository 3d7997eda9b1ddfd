// The background spelling check of the book in the main editor, driven by the main window's spell
// timer: each tick checks words, in the order of the text, until the tick has used its few
// milliseconds or input waits (so a Bible takes well under a second of work, and the window
// answers at once). A word that the spell-check component does not accept is, when the user named
// a spelling helper application, put to that program over DDE ("Spelling" topic: the word as an
// execute command, then a request for "DoesWordExist"), one word at a time, after waiting until
// the machine is idle (at most 20 s). The helper's "Yes..." adds the word to the component's user
// dictionary; any other answer, or no helper at all, makes it a misspelt word of the book.
// Misspelt words are remembered for the whole run of the program (KnownBadWords), so that the
// helper is asked about each once.
//
// A helper program that has to be started is waited for a tick at a time, never in one call, so
// that the window answers meanwhile. A helper that does not answer (its link cannot be opened, or
// a question gets no answer in time) is not asked again until the spelling settings change or the
// program starts again; the status bar says so once, and unknown words count as misspelt.
//
// SpellState: 0 idle or finished; 1 the component runs an interactive check, look again in 5 s;
// 2 look again in 1 s; 3 start from the first word; 4 the next words; 5 wait for idleness; 6 read
// the helper's answer; 7 the helper program is starting: try the link again.
//
// The same helper is asked, without an idle wait, about the words the spelling dialog does not
// find (WordCheck, the component's OnWordCheck).
#pragma once

#include "app/SpellingHelperState.h"
#include "classlib/DdeMan.h"
#include "classlib/System.h"
#include "spell/lx3Ignore.h"
#include "spell/lx3SpellBase.h"

class TBookResults;
class TCheckingHost;
class TIdleWaits;

// What the check asks of the spell-check component and the spell timer. The program's is the
// main window's component over its editor; tests give fakes.
class TSpellCheckPeer {
public:
  virtual ~TSpellCheckPeer() = default;
  // True while the component runs an interactive check (the spelling dialog).
  virtual bool ComponentBusy() = 0;
  // Binds the word breaker, over the editor, to the start of the whole text.
  virtual void StartWords() = 0;
  // The next word; empty at the end of the text.
  virtual AnsiString NextWord() = 0;
  virtual bool IsWordAcceptable(const AnsiString& word) = 0;
  // The share of a tick that the words take: TickBudgetSpent is asked after each word of a tick
  // begun with StartTickBudget, and the tick ends once it says true.
  virtual void StartTickBudget() = 0;
  virtual bool TickBudgetSpent() = 0;
  // Adds the word to the active user dictionary as an accepted word and reloads the
  // configuration, so that the component accepts it from now on.
  virtual void AcceptWord(const AnsiString& word) = 0;
  // The spell timer: its interval, or disabled.
  virtual void SetTimerInterval(Cardinal milliseconds) = 0;
  virtual void DisableTimer() = 0;

  // --- The interactive checks of whole books
  // The user cancelled the last interactive check.
  virtual bool CheckCancelled() = 0;
  // Whether the component says that a check is over.
  virtual void SetEndMessage(TSpellEndMessage endMessage) = 0;
  // Checks the whole text of the editor with the spelling dialog; returns when the check is over.
  virtual void CheckEditor() = 0;
  // The timer of the whole-book check (100 ms), and the message that it has checked every book.
  virtual void DisableAllBooksTimer() = 0;
  virtual void ShowAllBooksFinished() = 0;
};

// The DDE conversation with the helper. Its open and close events keep the helper state's Linked
// flag (and the close event its status, "Connection has been broken").
class THelperLink {
public:
  virtual ~THelperLink() = default;
  // Names the service, the topic "Spelling" and the program started when no server answers, and
  // takes a step towards an open link without waiting: open, the program is still starting (the
  // next call goes on with the same start), or the link cannot be opened.
  virtual TDdeOpenProgress Open(const AnsiString& service, const AnsiString& serviceApplication) = 0;
  // Sends the word as an execute command without waiting.
  virtual void Ask(const AnsiString& word) = 0;
  // The text of the item "DoesWordExist" (empty when the helper refuses it); false when the
  // helper did not answer in time.
  virtual bool Answer(AnsiString& text) = 0;
};

// The word without the characters of "Chars Filtered Out" (brackets around a word, by default).
AnsiString WithoutFilteredChars(const AnsiString& word);

// Passes over a word written with characters of "Chars Filtered Out" ("[word]") when the word
// without them is acceptable. The component adds it to its filters whenever they are rebuilt.
class TFilterWordIgnore : public TParserIgnoreBase {
  CLASS_INFO(TFilterWordIgnore, TParserIgnoreBase)
public:
  explicit TFilterWordIgnore(TLexemeSpell3Base* spell) : spell_(spell) {}
  bool IgnoreWord(const AnsiString& Word, TControlParser* Parser) override;

private:
  TLexemeSpell3Base* spell_;
};

class TSpellTimerRun : public TObject {
  CLASS_INFO(TSpellTimerRun, TObject)
public:
  // The time the helper gets to answer (on idle-wait channel 1), and the answer that approves.
  static constexpr Cardinal HelperWaitMs = 20000;
  static constexpr const char* HelperTopic = "Spelling";
  static constexpr const char* HelperItem = "DoesWordExist";
  // The spell timer's interval while words are checked, and while a starting helper program is
  // waited for (the link is tried again each tick).
  static constexpr Cardinal WordIntervalMs = 10;
  static constexpr Cardinal HelperStartIntervalMs = 100;
  // What the status bar and the tasks dialog say once the helper has not answered.
  static constexpr const char* HelperSilentText = "Spelling helper does not answer; not asked again";

  // The helper's folder and file name are the checking cycle's (taken at each initialisation);
  // they are read at each query.
  TSpellTimerRun(TCheckingHost& host, TSpellCheckPeer& spell, THelperLink& helper, TIdleWaits& idle,
                 TBookResults& book, TSpellingHelperState& helperState, const AnsiString& helperFolder,
                 const AnsiString& helperFileName);

  // One tick of the spell timer; a tick that starts while another runs does nothing.
  void Tick();

  // The component's verdict on a word of an interactive check, as its OnWordCheck event gives
  // it: a word not found (wcNotFound) that is acceptable without its filtered characters, or that
  // the helper approves, becomes accepted (wcAccepted).
  void WordCheck(const AnsiString& word, TWordCheckType& checkType);

  // The spelling settings have changed: a helper that did not answer is asked again.
  void HelperSettingsChanged() { helperSilent_ = false; }
  // True once the helper has not answered (until the settings change).
  bool HelperSilent() const { return helperSilent_; }

  Integer SpellState = 0;
  // The word being checked (without its filtered characters once it was not accepted).
  AnsiString CurrentWord;

private:
  void Step();
  void NextWordStep();
  // The word is misspelt: counted, and remembered for this book and for the run.
  void CountMisspelt(const AnsiString& word);
  // Whether a word the component does not accept is put to a helper.
  bool HelperAvailable() const { return !helperFileName_.empty() && !helperSilent_; }
  // Puts the current word to the helper once the link is open (state 5), waits for a starting
  // helper (state 7) or, when the link cannot be opened, counts the word as misspelt.
  void AskHelper();
  // A step towards the link with the helper.
  TDdeOpenProgress LinkHelper();
  // The helper has not answered: it is not asked again, and the user is told once.
  void HelperDidNotAnswer();
  // Reads the helper's answer to the current word (state 6).
  void AnswerStep();

  TCheckingHost& host_;
  TSpellCheckPeer& spell_;
  THelperLink& helper_;
  TIdleWaits& idle_;
  TBookResults& book_;
  TSpellingHelperState& helperState_;
  const AnsiString& helperFolder_;
  const AnsiString& helperFileName_;
  bool ticking_ = false;
  bool helperSilent_ = false;
};
