// Showing the word at which a check stopped: the spelling dialog with the interface type
// suiDialog (its form, its placement beside the word, the hooks on its show and activation
// events), the prompt, and the message at the end of a check.
#include <algorithm>

#include "classlib/Forms.h"
#include "spell/lx3ConfigurationDialogCtrl.h"
#include "spell/lx3ParserBase.h"
#include "spell/lx3SpellBase.h"
#include "spell/lx3Util.h"

namespace {

constexpr TModalResult kDialogDone = 1;

TRect WindowRect(HWND window) {
  TRect r;
  GetWindowRect(window, AsRECT(r));
  return r;
}

TRect WorkArea() { return Screen->GetWorkAreaRect(); }

void MoveWindowTo(HWND window, Integer x, Integer y) {
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void TLexemeSpell3Base::PromptWord() {
  RankMainDictionaries();
  if (dialogControl_ && dialogControl_->OnPromptWord) dialogControl_->OnPromptWord(dialogControl_, currentWord_, repeated_);
  if (OnPromptWord) OnPromptWord(this, currentWord_, repeated_);
}

TConfigurationDialogCtrl* TLexemeSpell3Base::ConnectDialogControl(TForm* Form, TCustomDictionary* CustomDictionary) {
  if (!Form) return nullptr;
  for (Integer i = 0; i < Form->GetComponentCount(); ++i)
    if (auto* control = dynamic_cast<TConfigurationDialogCtrl*>(Form->GetComponents(i))) {
      control->SetSpellComponent(this);
      control->SetCustomDictionary(CustomDictionary);
      return control;
    }
  return nullptr;
}

// The base class has no dialog of its own: a descendant supplies one, or the application
// through OnCreateSpellDialog.
TForm* TLexemeSpell3Base::CreateSpellDialog() { return nullptr; }

void TLexemeSpell3Base::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove || !AComponent) return;
  if (AComponent == dialog_) {
    dialog_ = nullptr;
    dialogControl_ = nullptr;
    dialogShown_ = false;
  } else if (AComponent == dialogControl_) {
    dialogControl_ = nullptr;
  }
}

// ---------------------------------------------------------------------------------------------
// Showing and hiding

void TLexemeSpell3Base::ShowSpellDialog() {
  if (UIType != suiDialog) return;
  if (!dialogControl_) {
    dialogDeactivated_ = false;
    if (!dialog_) {
      if (OnCreateSpellDialog) {
        TForm* form = nullptr;
        OnCreateSpellDialog(this, form, true);
        dialog_ = form;
      } else if ((dialog_ = CreateSpellDialog())) {
        dialog_->SetHelpFile(HelpFile);
        dialog_->HelpContext = HelpCtxSpellDialog;
      }
      if (dialog_) dialog_->FreeNotification(this);
    }
    dialogControl_ = ConnectDialogControl(dialog_, nullptr);
    if (dialogControl_) dialogControl_->FreeNotification(this);
  }
  if (!dialog_) return;
  if (!dialogShown_) {
    dialogShown_ = true;
    if (OnSpellDialogShow) OnSpellDialogShow(this);
    PositionDialog();
    if (DialogShowModal)
      showModalPending_ = true;
    else
      dialog_->Show();
    formOnShow_ = dialog_->OnShow;
    formOnActivate_ = dialog_->OnActivate;
    formOnDeactivate_ = dialog_->OnDeactivate;
    dialog_->OnShow = TNotifyEvent(this, &TLexemeSpell3Base::DialogShown);
    dialog_->OnActivate = TNotifyEvent(this, &TLexemeSpell3Base::DialogActivated);
    dialog_->OnDeactivate = TNotifyEvent(this, &TLexemeSpell3Base::DialogDeactivated);
  }
  AvoidSelection();
  if (showModalPending_) {
    showModalPending_ = false;
    // The check goes on from the dialog's show hook and its commands; the form is gone (or
    // hidden for good) when ShowModal returns.
    dialog_->ShowModal();
  }
}

void TLexemeSpell3Base::HideSpellDialog() {
  if (!dialog_) return;
  if (DialogInitialPos == ipLastUserPos && dialog_->HandleAllocated()) {
    config_->SetDialogX(dialog_->GetLeft());
    config_->SetDialogY(dialog_->GetTop());
  }
  if (!closeAtEnd_ && !DialogShowModal) return;
  dialogShown_ = false;
  TForm* form = dialog_;
  form->OnShow = formOnShow_;
  form->OnActivate = formOnActivate_;
  form->OnDeactivate = formOnDeactivate_;
  formOnShow_ = formOnActivate_ = formOnDeactivate_ = nullptr;
  if (form->GetFormState().Contains(fsModal))
    form->SetModalResult(kDialogDone);
  else
    form->SetVisible(false);
  if (OnSpellDialogHide) OnSpellDialogHide(this);
  DisposeSpellDialog();
}

void TLexemeSpell3Base::DisposeSpellDialog() {
  if (!dialog_) return;
  TForm* form = dialog_;
  if (dialogControl_) dialogControl_->RemoveFreeNotification(this);
  dialogControl_ = nullptr;
  form->RemoveFreeNotification(this);
  dialog_ = nullptr;
  dialogShown_ = false;
  if (OnCreateSpellDialog) {
    OnCreateSpellDialog(this, form, false);
  } else {
    // The form lives on until its release message is handled; without its name a check started
    // before then (one book after another) can make its own dialog under the same owner.
    form->SetName("");
    form->Release();
  }
}

void TLexemeSpell3Base::CloseSpellDialog() { HideSpellDialog(); }

// ---------------------------------------------------------------------------------------------
// The form's show and activation

void TLexemeSpell3Base::DialogShown(TObject* Sender) {
  if (DialogShowModal) {
    if (DialogShowImmediate)
      ContinueCheck();
    else
      PromptWord();
  }
  if (formOnShow_) formOnShow_(Sender);
}

void TLexemeSpell3Base::DialogDeactivated(TObject* Sender) {
  if (!dialogDeactivated_) {
    dialogDeactivated_ = true;
    if (OnDialogDeactivate) OnDialogDeactivate(this);
  }
  if (formOnDeactivate_) formOnDeactivate_(Sender);
}

void TLexemeSpell3Base::DialogActivated(TObject* Sender) {
  if (formOnActivate_) formOnActivate_(Sender);
  if (!dialogDeactivated_) return;
  dialogDeactivated_ = false;
  if (OnDialogActivate) OnDialogActivate(this);
  // The user may have edited the text meanwhile.
  ResumeAtCursor();
}

// ---------------------------------------------------------------------------------------------
// Placing the dialog

void TLexemeSpell3Base::PositionDialog() {
  if (!dialog_) return;
  switch (DialogInitialPos) {
    case ipScreenCenter:
      dialog_->SetPosition(poScreenCenter);
      break;
    case ipUnderSelection:
      if (!DialogShowImmediate) PlaceDialogNearSelection(true, true);
      break;
    case ipAvoidControl:
      PlaceDialogBesideControl();
      break;
    case ipUserDefined:
      if (OnPositionDialog) OnPositionDialog(this);
      break;
    case ipLastUserPos:
      if (config_->DialogX() == -1)
        PlaceDialogBesideControl();
      else
        // A position stored on a larger screen must not put the dialog out of reach.
        ClampDialog(dialog_->GetHandle(), config_->DialogX(), config_->DialogY());
      break;
    case ipIgnore:
      dialog_->SetPosition(poDefault);
      break;
    case ipDesktopCenter:
      dialog_->SetPosition(poDesktopCenter);
      break;
  }
}

void TLexemeSpell3Base::AvoidSelection() {
  if (!dialog_ || !walker_ || DialogSelectionAvoid == saNone) return;
  TRect word;
  walker_->SelectionRect(word);
  RECT overlap;
  const TRect form = WindowRect(dialog_->GetHandle());
  const bool intersects = IntersectRect(&overlap, AsRECT(word), AsRECT(form)) != FALSE;
  switch (DialogSelectionAvoid) {
    case saAvoid:
      if (intersects) PlaceDialogNearSelection(true, true);
      break;
    case saAvoidUpDown:
      if (intersects) PlaceDialogNearSelection(false, true);
      break;
    case saMove:
      PlaceDialogNearSelection(true, true);
      break;
    case saMoveUpDown:
      PlaceDialogNearSelection(false, true);
      break;
    case saNone:
      break;
  }
}

void TLexemeSpell3Base::PlaceDialogNearSelection(bool Horizontal, bool Vertical) {
  if (!dialog_ || !walker_) return;
  TRect word;
  walker_->SelectionRect(word);
  PlaceDialogNear(dialog_->GetHandle(), word, Horizontal, Vertical);
}

void TLexemeSpell3Base::PlaceDialogBesideControl() {
  if (!dialog_ || !walker_) return;
  TRect control;
  walker_->ControlRect(control);
  const TRect area = WorkArea();
  const HWND window = dialog_->GetHandle();
  const TRect form = WindowRect(window);
  const Integer width = form.Width(), height = form.Height();
  if (control.Bottom + height <= area.Bottom)
    MoveWindowTo(window, control.Left, control.Bottom);
  else if (control.Right + width <= area.Right)
    MoveWindowTo(window, control.Right, control.Top);
  else if (control.Top - height >= area.Top)
    MoveWindowTo(window, control.Left, control.Top - height);
  else if (control.Left - width >= area.Left)
    MoveWindowTo(window, control.Left - width, control.Top);
  else if (DialogShowImmediate)
    MoveWindowTo(window, control.Left + (control.Width() - width) / 2, control.Top + (control.Height() - height) / 2);
  else
    PlaceDialogNearSelection(true, true);
}

// ---------------------------------------------------------------------------------------------
// The end of a check

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
  Application->MessageBox(text, GetString(14), MB_OK | MB_ICONINFORMATION);
}
