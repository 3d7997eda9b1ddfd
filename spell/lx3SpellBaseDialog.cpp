// Showing the word at which a check stopped: the spelling dialog, its placement beside the word,
// and the message at the end of a check.
#include "spell/lx3ParserBase.h"
#include "spell/lx3SpellBase.h"

void TLexemeSpell3Base::PromptWord() {
  RankMainDictionaries();
  if (OnPromptWord) OnPromptWord(this, currentWord_, repeated_);
}

TConfigurationDialogCtrl* TLexemeSpell3Base::ConnectDialogControl(TForm*, TCustomDictionary*) { return nullptr; }

void TLexemeSpell3Base::DialogShown(TObject*) {}
void TLexemeSpell3Base::DialogDeactivated(TObject*) {}
void TLexemeSpell3Base::DialogActivated(TObject*) {}
void TLexemeSpell3Base::PlaceDialogNearSelection(bool, bool) {}
void TLexemeSpell3Base::PlaceDialogBesideControl() {}
void TLexemeSpell3Base::PositionDialog() {}
void TLexemeSpell3Base::AvoidSelection() {}
TForm* TLexemeSpell3Base::CreateSpellDialog() { return nullptr; }
void TLexemeSpell3Base::ShowSpellDialog() {}
void TLexemeSpell3Base::HideSpellDialog() {}
void TLexemeSpell3Base::DisposeSpellDialog() {}
void TLexemeSpell3Base::CloseSpellDialog() { HideSpellDialog(); }

void TLexemeSpell3Base::ShowEndMessage() {
  if (UIType != suiDialog || seriesRunning_) return;
  const bool show = EndMessage == emAlways || (EndMessage == emExceptCancel && !cancelled_) ||
                    (EndMessage == emNoDialog && dialogShown_);
  if (!show) return;
  if (closeAtEnd_) HideSpellDialog();
  if (OnShowEndMessage) {
    OnShowEndMessage(this);
    return;
  }
  AnsiString text = GetString(58);
  if (EndMessageWordCount) text += "\r\n\r\n" + GetString(59) + " " + std::to_string(wordsChecked_);
  MessageBoxA(GetActiveWindow(), text.c_str(), GetString(14).c_str(), MB_OK | MB_ICONINFORMATION);
}
