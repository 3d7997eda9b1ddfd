#include "spell/lx3SpellDialog.h"

#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "spell/lx3ConfigurationDialogCtrl.h"
#include "spell/lx3CustomDictionary.h"

extern const char lx3SpellDialogFormText[];

PUBLISHED(TSpellDialog) {
  Field("NotFoundText", &TSpellDialog::NotFoundText);
  Field("NotFoundEdit", &TSpellDialog::NotFoundEdit);
  Field("ReplaceWithText", &TSpellDialog::ReplaceWithText);
  Field("ReplaceWithEdit", &TSpellDialog::ReplaceWithEdit);
  Field("SuggestionsText", &TSpellDialog::SuggestionsText);
  Field("SuggestionsListbox", &TSpellDialog::SuggestionsListbox);
  Field("UndoButton", &TSpellDialog::UndoButton);
  Field("OptionsButton", &TSpellDialog::OptionsButton);
  Field("IgnoreAllButton", &TSpellDialog::IgnoreAllButton);
  Field("IgnoreButton", &TSpellDialog::IgnoreButton);
  Field("ChangeAllButton", &TSpellDialog::ChangeAllButton);
  Field("ChangeButton", &TSpellDialog::ChangeButton);
  Field("AddButton", &TSpellDialog::AddButton);
  Field("AutoCorrectButton", &TSpellDialog::AutoCorrectButton);
  Field("HelpButton", &TSpellDialog::HelpButton);
  Field("CancelButton", &TSpellDialog::CancelButton);
  Field("DialogControl", &TSpellDialog::DialogControl);
  using C = TSpellDialog;
  Method("DialogControlConfigurationAvailable", &C::DialogControlConfigurationAvailable);
  Method("DialogControlPromptWord", &C::DialogControlPromptWord);
  Method("IgnoreButtonClick", &C::IgnoreButtonClick);
  Method("IgnoreAllButtonClick", &C::IgnoreAllButtonClick);
  Method("ChangeButtonClick", &C::ChangeButtonClick);
  Method("ChangeAllButtonClick", &C::ChangeAllButtonClick);
  Method("AddButtonClick", &C::AddButtonClick);
  Method("AutoCorrectButtonClick", &C::AutoCorrectButtonClick);
  Method("UndoButtonClick", &C::UndoButtonClick);
  Method("CancelButtonClick", &C::CancelButtonClick);
  Method("OptionsButtonClick", &C::OptionsButtonClick);
  Method("HelpButtonClick", &C::HelpButtonClick);
  Method("SuggestionsListboxClick", &C::SuggestionsListboxClick);
  Method("SuggestionsListboxDblClick", &C::SuggestionsListboxDblClick);
  Method("NotFoundEditDblClick", &C::NotFoundEditDblClick);
  Method("ReplaceWithEditChange", &C::ReplaceWithEditChange);
  Method("FormActivate", &C::FormActivate);
  Method("FormDeactivate", &C::FormDeactivate);
  Method("FormCloseQuery", &C::FormCloseQuery);
}

namespace {

// Interface texts of the dialog.
enum : Integer {
  txSpelling = 14,
  txNotFound = 19,
  txRepeatedWord = 20,
  txReplaceWith = 21,
  txSuggestions = 22,
  txUndo = 23,
  txOptions = 24,
  txIgnoreAll = 25,
  txIgnore = 26,
  txChangeAll = 27,
  txChange = 28,
  txAdd = 29,
  txAutoCorrect = 30,
  txHelp = 31,
  txCancel = 32,
  txNoSuggestions = 61
};

}  // namespace

TSpellDialog::TSpellDialog(TComponent* AOwner) : TForm(AOwner) {
  RegisterSpellFormClasses();
  ReadComponentFromText(this, lx3SpellDialogFormText);
}

void TSpellDialog::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  bool onForm = false;
  for (TComponent* c = GetOwner(); c && !onForm; c = c->GetOwner()) onForm = dynamic_cast<TCustomForm*>(c) != nullptr;
  if (!onForm || !GetOwner()) return;
  if (auto* holder = dynamic_cast<TWinControl*>(GetOwner()->GetOwner())) Params.WndParent = holder->GetHandle();
}

AnsiString TSpellDialog::Text(Integer Id) const {
  AnsiString text;
  DialogControl->GetString(Id, text);
  return text;
}

bool TSpellDialog::Enabled(Integer Command) const {
  return DialogControl->CommandsEnabled().Contains(static_cast<TSpellDialogCommand>(Command));
}

bool TSpellDialog::Visible(Integer Command) const {
  return DialogControl->CommandsVisible().Contains(static_cast<TSpellDialogCommand>(Command));
}

bool TSpellDialog::HasActiveCustomDictionary() const { return DialogControl->ActiveCustomDictionary() != nullptr; }

void TSpellDialog::DialogControlConfigurationAvailable(TObject*) {
  repeated_ = false;
  deactivated_ = false;
  SetCaption(Text(txSpelling));
  NotFoundText->SetCaption(Text(txNotFound));
  ReplaceWithText->SetCaption(Text(txReplaceWith));
  SuggestionsText->SetCaption(Text(txSuggestions));
  const struct {
    TButton* button;
    Integer text;
    TSpellDialogCommand command;
  } buttons[] = {{UndoButton, txUndo, sdcUndo},
                 {OptionsButton, txOptions, sdcOptions},
                 {IgnoreAllButton, txIgnoreAll, sdcIgnoreAll},
                 {IgnoreButton, txIgnore, sdcIgnore},
                 {ChangeAllButton, txChangeAll, sdcChangeAll},
                 {ChangeButton, txChange, sdcChange},
                 {AddButton, txAdd, sdcAdd},
                 {AutoCorrectButton, txAutoCorrect, sdcAutoCorrect},
                 {HelpButton, txHelp, sdcHelp},
                 {CancelButton, txCancel, sdcCancel}};
  for (const auto& b : buttons) {
    b.button->SetCaption(Text(b.text));
    b.button->SetVisible(Visible(b.command));
  }
  HelpButton->SetVisible(Visible(sdcHelp) && DialogControl->HelpCtxSpellDialog() != 0);
  HelpButton->SetEnabled(Enabled(sdcHelp));
  CancelButton->SetEnabled(Enabled(sdcCancel));
  if (!OptionsButton->GetVisible()) UndoButton->SetTop(OptionsButton->GetTop());
  // The first word shown changes no mode: the buttons start as the component allows them, not
  // as the form was drawn.
  EnableCommands(true);
}

void TSpellDialog::EnableCommands(bool E) {
  UndoButton->SetEnabled(E && DialogControl->CanUndo() && Enabled(sdcUndo));
  OptionsButton->SetEnabled(E && Enabled(sdcOptions));
  ReplaceWithEdit->SetEnabled(E);
  SuggestionsListbox->SetEnabled(E);
  IgnoreAllButton->SetEnabled(E && Enabled(sdcIgnoreAll));
  IgnoreButton->SetEnabled(E && Enabled(sdcIgnore));
  ChangeAllButton->SetEnabled(E && Enabled(sdcChangeAll));
  ChangeButton->SetEnabled(E && Enabled(sdcChange));
  AddButton->SetEnabled(E && HasActiveCustomDictionary() && Enabled(sdcAdd));
  AutoCorrectButton->SetEnabled(E && HasActiveCustomDictionary() && Enabled(sdcAutoCorrect));
}

void TSpellDialog::DialogControlPromptWord(TObject*, const AnsiString& Word, bool Repeated) {
  NotFoundEdit->SetText(Word);
  SuggestionsListbox->GetItems()->Clear();
  if (Repeated != repeated_) {
    repeated_ = Repeated;
    EnableCommands(!Repeated);
    if (Repeated) {
      OptionsButton->SetEnabled(Enabled(sdcOptions));
      IgnoreButton->SetEnabled(Enabled(sdcIgnore));
      ChangeButton->SetEnabled(Enabled(sdcChange));
      NotFoundText->SetCaption(Text(txRepeatedWord));
    } else {
      NotFoundText->SetCaption(Text(txNotFound));
    }
  }
  UndoButton->SetEnabled(DialogControl->CanUndo() && Enabled(sdcUndo));
  if (Repeated) {
    // The pair is the word, a blank and the word again: the replacement is the single word.
    ReplaceWithEdit->SetText(Word.substr(0, Word.size() / 2));
    return;
  }
  AddButton->SetEnabled(HasActiveCustomDictionary() && Enabled(sdcAdd));
  AutoCorrectButton->SetEnabled(HasActiveCustomDictionary() && Enabled(sdcAutoCorrect));
  DialogControl->GetSuggestions(Word, SuggestionsListbox->GetItems());
  SuggestionsListbox->SetEnabled(SuggestionsListbox->GetItems()->GetCount() > 0);
  if (SuggestionsListbox->GetEnabled()) {
    ReplaceWithEdit->SetText(SuggestionsListbox->GetItems()->GetStrings(0));
    SuggestionsListbox->SetItemIndex(0);
  } else {
    ReplaceWithEdit->SetText("");
    ReplaceWithEditChange(ReplaceWithEdit);
    SuggestionsListbox->GetItems()->Add(Text(txNoSuggestions));
  }
}

void TSpellDialog::IgnoreButtonClick(TObject*) {
  if (repeated_)
    DialogControl->DialogIgnoreRepeated();
  else
    DialogControl->DialogIgnore();
}

void TSpellDialog::IgnoreAllButtonClick(TObject*) { DialogControl->DialogIgnoreAll(); }

void TSpellDialog::ChangeButtonClick(TObject*) {
  if (repeated_)
    DialogControl->DialogDeleteRepeated();
  else
    DialogControl->DialogChange(ReplaceWithEdit->GetText());
}

void TSpellDialog::ChangeAllButtonClick(TObject*) { DialogControl->DialogChangeAll(ReplaceWithEdit->GetText()); }

void TSpellDialog::AddButtonClick(TObject*) { DialogControl->DialogAdd(); }

void TSpellDialog::AutoCorrectButtonClick(TObject*) { DialogControl->DialogAutoCorrect(ReplaceWithEdit->GetText()); }

void TSpellDialog::UndoButtonClick(TObject*) { DialogControl->DialogUndo(); }

void TSpellDialog::CancelButtonClick(TObject*) { DialogControl->DialogCancel(); }

void TSpellDialog::FormCloseQuery(TObject*, bool&) { DialogControl->DialogCancel(); }

void TSpellDialog::OptionsButtonClick(TObject*) {
  DialogControl->ShowConfigDialog();
  // Show the word again, so that the suggestions follow the changed options and dictionaries.
  DialogControlPromptWord(DialogControl, NotFoundEdit->GetText(), repeated_);
}

void TSpellDialog::HelpButtonClick(TObject*) { DialogControl->ShowSpellDialogHelp(); }

void TSpellDialog::SuggestionsListboxClick(TObject*) {
  const Integer index = SuggestionsListbox->GetItemIndex();
  if (index >= 0) ReplaceWithEdit->SetText(SuggestionsListbox->GetItems()->GetStrings(index));
}

void TSpellDialog::SuggestionsListboxDblClick(TObject*) {
  const Integer index = SuggestionsListbox->GetItemIndex();
  if (index >= 0) DialogControl->DialogChange(SuggestionsListbox->GetItems()->GetStrings(index));
}

void TSpellDialog::NotFoundEditDblClick(TObject*) { ReplaceWithEdit->SetText(NotFoundEdit->GetText()); }

void TSpellDialog::ReplaceWithEditChange(TObject*) {
  if (repeated_) return;
  const bool text = !ReplaceWithEdit->GetText().empty();
  ChangeAllButton->SetEnabled(text && Enabled(sdcChangeAll));
  ChangeButton->SetEnabled(text && Enabled(sdcChange));
  AutoCorrectButton->SetEnabled(text && HasActiveCustomDictionary() && Enabled(sdcAutoCorrect));
}

void TSpellDialog::FormDeactivate(TObject*) {
  deactivated_ = true;
  EnableCommands(false);
}

void TSpellDialog::FormActivate(TObject*) {
  if (!deactivated_) return;
  deactivated_ = false;
  EnableCommands(true);
}
