// The main window's spelling checks: the spell timer's background check of the loaded book with
// the spelling helper's DDE conversation, the interactive checks of the Text checking menu ("Check
// this book", "Check all books" with the whole-book timer), and the spell component's events.
#include <memory>

#include "app/BookEditor.h"
#include "app/BookResults.h"
#include "app/CheckingCycle.h"
#include "app/IdleWait.h"
#include "app/OTNTDialogUnit.h"
#include "app/SpellAllRun.h"
#include "app/SpellTimerRun.h"
#include "app/TickBudget.h"
#include "app/UnitMain.h"
#include "classlib/DdeMan.h"
#include "classlib/StringLists.h"
#include "classlib/Timers.h"
#include "richtext/edit/UVEdit.h"
#include "core/MyRegistry.h"
#include "spell/lx3CustomDictionary.h"
#include "spell/lx3ParseEngine.h"
#include "spell/richtext/lx3UzurUvad.h"
#include "spell/richtext/lx3UzurUvadCmpnts.h"

namespace {

// The main window's spell component and timers.
class TMainSpellPeer : public TSpellCheckPeer {
public:
  explicit TMainSpellPeer(TMainScreen& window) : window_(window), walker_(new VUzurUvadParser3()) {}
  ~TMainSpellPeer() override { delete walker_; }

  bool ComponentBusy() override { return window_.UVLexemeSpell31->IsChecking(); }
  void StartWords() override {
    walker_->CodePage = window_.UVLexemeSpell31->CodePage;
    walker_->Init(window_.UzurUvadEdit1);
    window_.UVLexemeSpell31->GetParsingEngine()->Initialize(walker_, ckWholeText);
  }
  AnsiString NextWord() override {
    AnsiString word;
    window_.UVLexemeSpell31->GetParsingEngine()->GetNextWord(word);
    return word;
  }
  bool IsWordAcceptable(const AnsiString& word) override { return window_.UVLexemeSpell31->IsWordAcceptable(word); }
  void StartTickBudget() override { budget_.Start(); }
  bool TickBudgetSpent() override { return budget_.Spent(); }
  void AcceptWord(const AnsiString& word) override {
    TLexemeSpell3Base* spell = window_.UVLexemeSpell31;
    if (TCustomDictionary* dictionary = spell->GetActiveCustomDictionary()) dictionary->AddIgnore(word);
    spell->ReloadConfiguration(true);
  }
  void SetTimerInterval(Cardinal milliseconds) override {
    if (window_.SpellTimer->GetInterval() != milliseconds) window_.SpellTimer->SetInterval(milliseconds);
  }
  void DisableTimer() override { window_.SpellTimer->SetEnabled(false); }

  bool CheckCancelled() override { return window_.UVLexemeSpell31->GetCancelled(); }
  void SetEndMessage(TSpellEndMessage endMessage) override { window_.UVLexemeSpell31->EndMessage = endMessage; }
  void CheckEditor() override { window_.UVLexemeSpell31->CheckUzurUvadEdit(window_.UzurUvadEdit1, ckWholeText); }
  void DisableAllBooksTimer() override { window_.SpellAllTimer->SetEnabled(false); }
  void ShowAllBooksFinished() override {
    Application->MessageBox("All books spelling check finished", "Spelling", MB_OK);
  }

private:
  TMainScreen& window_;
  // The walker of every background check, over the main editor.
  VUzurUvadParser3* walker_;
  TTickBudget budget_;
};

// The DDE conversation with the spelling helper.
class TDdeHelperLink : public THelperLink {
public:
  // Milliseconds a request to the helper may take; a helper that does not answer in time
  // disapproves of the word, and the window never waits on it for long.
  static constexpr Integer RequestTimeout = 2000;

  explicit TDdeHelperLink(TDdeClientConv* conversation) : conversation_(conversation) {
    conversation_->Timeout = RequestTimeout;
  }
  TDdeOpenProgress Open(const AnsiString& service, const AnsiString& serviceApplication) override {
    conversation_->ServiceApplication = serviceApplication;
    // Naming the same service again keeps a helper program that is still starting.
    conversation_->SetLink(service, TSpellTimerRun::HelperTopic);
    return conversation_->TryOpenLink();
  }
  void Ask(const AnsiString& word) override { conversation_->ExecuteMacro(word, false); }
  bool Answer(AnsiString& text) override {
    text = conversation_->RequestData(TSpellTimerRun::HelperItem);
    return !conversation_->GetTimedOut();
  }

private:
  TDdeClientConv* conversation_;
};

}  // namespace

void TMainScreen::CreateSpelling() {
  spellPeer_ = std::make_unique<TMainSpellPeer>(*this);
  helperLink_ = std::make_unique<TDdeHelperLink>(DdeClientConv2);
  Spelling = new TSpellTimerRun(*this, *spellPeer_, *helperLink_, *IdleWaits, *Book, HelperState,
                                Cycle->HelperFolder, Cycle->HelperFileName);
  SpellingAll = new TSpellAllRun(*this, *spellPeer_, *Book);
}

void TMainScreen::FreeSpelling() {
  SpellTimer->SetEnabled(false);
  SpellAllTimer->SetEnabled(false);
  DdeClientConv2->CloseLink();
  delete SpellingAll;
  delete Spelling;
  SpellingAll = nullptr;
  Spelling = nullptr;
  helperLink_.reset();
  spellPeer_.reset();
}

void TMainScreen::SpellTimerTimer(TObject*) {
  if (Spelling) Spelling->Tick();
}

void TMainScreen::SpellAllTimerTimer(TObject*) {
  if (SpellingAll) SpellingAll->Tick();
}

void TMainScreen::StartSpellingCheck() {
  if (!Spelling) return;
  Spelling->SpellState = 3;
  SpellTimer->SetEnabled(true);
}

void TMainScreen::StopSpellingCheck() { SpellTimer->SetEnabled(false); }

void TMainScreen::ResetSpellingCheck() {
  if (Spelling) Spelling->SpellState = 0;
}

bool TMainScreen::SpellingCheckIdle() { return !Spelling || Spelling->SpellState == 0; }

bool TMainScreen::InteractiveSpellCheckRunning() { return UVLexemeSpell31->IsChecking(); }

void TMainScreen::CheckThisbook1Click(TObject*) {
  if (spellPeer_) spellPeer_->CheckEditor();
}

void TMainScreen::Allbooks1Click(TObject*) {
  if (!SpellingAll || !ChooseTestament(this)) return;
  SpellingAll->Start();
  SpellAllTimer->SetEnabled(true);
}

void TMainScreen::LexemeSpellWordCheck(TObject*, const AnsiString& Word, TWordCheckType& CheckType, AnsiString&) {
  if (Spelling) Spelling->WordCheck(Word, CheckType);
}

void TMainScreen::LexemeSpellAddCustomIgnore(TObject*) {
  UVLexemeSpell31->AddIgnoreFilter(new TFilterWordIgnore(UVLexemeSpell31));
}

void TMainScreen::DdeClientConv2Open(TObject*) { HelperState.Linked = true; }

void TMainScreen::DdeClientConv2Close(TObject*) {
  HelperState.Linked = false;
  HelperState.Status = "Connection has been broken";
}

// The word characters of the spell component's word breaker: the letters of the settings, the
// characters filtered out of words (so that "[word]" is one word) and the digits.
void HandWordCharsToSpelling(TLexemeSpell3Base* spell) {
  if (auto* engine = dynamic_cast<TMainParsingEngine*>(spell->GetParsingEngine()))
    engine->SetWordChars(ReadSettingString("Small Letters") + ReadSettingString("Capitals") +
                         ReadSettingString("Chars Filtered Out") + "0123456789");
}
