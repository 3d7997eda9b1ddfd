#include "spell/lx3CustomDictionaryEditDialog.h"

#include <algorithm>

#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/Strings.h"
#include "classlib/Timers.h"
#include "spell/lx3ConfigurationDialogCtrl.h"
#include "spell/lx3CustomDictionary.h"

extern const char lx3CustomDictionaryEditDialogFormText[];

PUBLISHED(TCustomDictionaryEditDialog) {
  Field("PageControl", &TCustomDictionaryEditDialog::PageControl);
  Field("AddedWordsSheet", &TCustomDictionaryEditDialog::AddedWordsSheet);
  Field("AddedWordsExplain", &TCustomDictionaryEditDialog::AddedWordsExplain);
  Field("IgnoreEditLabel", &TCustomDictionaryEditDialog::IgnoreEditLabel);
  Field("IgnoreEdit", &TCustomDictionaryEditDialog::IgnoreEdit);
  Field("IgnoreList", &TCustomDictionaryEditDialog::IgnoreList);
  Field("AddIgnoreButton", &TCustomDictionaryEditDialog::AddIgnoreButton);
  Field("DeleteIgnoreButton", &TCustomDictionaryEditDialog::DeleteIgnoreButton);
  Field("AutoCorrectWordsSheet", &TCustomDictionaryEditDialog::AutoCorrectWordsSheet);
  Field("AutoCorrectWordsExplain", &TCustomDictionaryEditDialog::AutoCorrectWordsExplain);
  Field("ReplaceEditLabel", &TCustomDictionaryEditDialog::ReplaceEditLabel);
  Field("ReplaceEdit", &TCustomDictionaryEditDialog::ReplaceEdit);
  Field("WithEditLabel", &TCustomDictionaryEditDialog::WithEditLabel);
  Field("WithEdit", &TCustomDictionaryEditDialog::WithEdit);
  Field("AutoCorrectList", &TCustomDictionaryEditDialog::AutoCorrectList);
  Field("AddAutoCorrectButton", &TCustomDictionaryEditDialog::AddAutoCorrectButton);
  Field("DeleteAutoCorrectButton", &TCustomDictionaryEditDialog::DeleteAutoCorrectButton);
  Field("ExcludedWordsSheet", &TCustomDictionaryEditDialog::ExcludedWordsSheet);
  Field("ExcludeWordsExplanation", &TCustomDictionaryEditDialog::ExcludeWordsExplanation);
  Field("ExcludeEditLabel", &TCustomDictionaryEditDialog::ExcludeEditLabel);
  Field("ExcludeEdit", &TCustomDictionaryEditDialog::ExcludeEdit);
  Field("ExcludeList", &TCustomDictionaryEditDialog::ExcludeList);
  Field("AddExcludeButton", &TCustomDictionaryEditDialog::AddExcludeButton);
  Field("DeleteExcludeButton", &TCustomDictionaryEditDialog::DeleteExcludeButton);
  Field("OK", &TCustomDictionaryEditDialog::OK);
  Field("HelpButton", &TCustomDictionaryEditDialog::HelpButton);
  Field("Timer", &TCustomDictionaryEditDialog::Timer);
  Field("DialogControl", &TCustomDictionaryEditDialog::DialogControl);
  using C = TCustomDictionaryEditDialog;
  Method("DialogControlConfigurationAvailable", &C::DialogControlConfigurationAvailable);
  Method("DialogControlCustomDictionaryAvailable", &C::DialogControlCustomDictionaryAvailable);
  Method("AddedWordsSheetShow", &C::AddedWordsSheetShow);
  Method("IgnoreEditChange", &C::IgnoreEditChange);
  Method("IgnoreEditKeyDown", &C::IgnoreEditKeyDown);
  Method("IgnoreListClick", &C::IgnoreListClick);
  Method("AddIgnoreButtonClick", &C::AddIgnoreButtonClick);
  Method("DeleteIgnoreButtonClick", &C::DeleteIgnoreButtonClick);
  Method("AutoCorrectWordsSheetShow", &C::AutoCorrectWordsSheetShow);
  Method("ReplaceEditChange", &C::ReplaceEditChange);
  Method("WithEditChange", &C::WithEditChange);
  Method("ReplaceEditKeyDown", &C::ReplaceEditKeyDown);
  Method("WithEditKeyDown", &C::WithEditKeyDown);
  Method("AutoCorrectListSelectItem", &C::AutoCorrectListSelectItem);
  Method("AddAutoCorrectButtonClick", &C::AddAutoCorrectButtonClick);
  Method("DeleteAutoCorrectButtonClick", &C::DeleteAutoCorrectButtonClick);
  Method("TimerTimer", &C::TimerTimer);
  Method("ExcludedWordsSheetShow", &C::ExcludedWordsSheetShow);
  Method("ExcludeEditChange", &C::ExcludeEditChange);
  Method("ExcludeEditKeyDown", &C::ExcludeEditKeyDown);
  Method("ExcludeListClick", &C::ExcludeListClick);
  Method("AddExcludeButtonClick", &C::AddExcludeButtonClick);
  Method("DeleteExcludeButtonClick", &C::DeleteExcludeButtonClick);
  Method("HelpButtonClick", &C::HelpButtonClick);
}

namespace {

// The hourglass while a long list is loaded.
class Hourglass {
public:
  Hourglass() : saved_(Screen->GetCursor()) { Screen->SetCursor(crHourGlass); }
  ~Hourglass() { Screen->SetCursor(saved_); }

private:
  TCursor saved_;
};

}  // namespace

TCustomDictionaryEditDialog::TCustomDictionaryEditDialog(TComponent* AOwner) : TForm(AOwner) {
  RegisterSpellFormClasses();
  ReadComponentFromText(this, lx3CustomDictionaryEditDialogFormText);
}

TCustomDictionary* TCustomDictionaryEditDialog::Dictionary() const { return DialogControl->GetCustomDictionary(); }

void TCustomDictionaryEditDialog::DialogControlConfigurationAvailable(TObject*) {
  AnsiString text;
  auto caption = [&](Integer id) {
    DialogControl->GetString(id, text);
    return text;
  };
  AddedWordsSheet->SetCaption(caption(48));
  AddedWordsExplain->SetCaption(caption(49));
  IgnoreEditLabel->SetCaption(caption(50));
  AddIgnoreButton->SetCaption(caption(29));
  DeleteIgnoreButton->SetCaption(caption(44));
  AutoCorrectWordsSheet->SetCaption(caption(51));
  AutoCorrectWordsExplain->SetCaption(caption(52));
  ReplaceEditLabel->SetCaption(caption(53));
  WithEditLabel->SetCaption(caption(54));
  AddAutoCorrectButton->SetCaption(caption(29));
  DeleteAutoCorrectButton->SetCaption(caption(44));
  ExcludedWordsSheet->SetCaption(caption(55));
  ExcludeWordsExplanation->SetCaption(caption(56));
  ExcludeEditLabel->SetCaption(caption(57));
  AddExcludeButton->SetCaption(caption(29));
  DeleteExcludeButton->SetCaption(caption(44));
  OK->SetCaption(caption(46));
  HelpButton->SetCaption(caption(31));
}

void TCustomDictionaryEditDialog::DialogControlCustomDictionaryAvailable(TObject*) {
  TCustomDictionary* dictionary = Dictionary();
  const bool internal = dictionary == DialogControl->InternalList();
  const TSpellDialogCommands visible = DialogControl->CommandsVisible();
  AddedWordsSheet->SetTabVisible(visible.Contains(sdcAddedEdit));
  AutoCorrectWordsSheet->SetTabVisible(visible.Contains(sdcAutoCorrectEdit));
  ExcludedWordsSheet->SetTabVisible(DialogControl->UseExcludeWords() && !internal &&
                                    visible.Contains(sdcExcludedEdit));
  AnsiString text;
  if (internal) {
    DialogControl->GetString(17, text);
    SetCaption(text);
    DialogControl->GetString(25, text);
    AddedWordsSheet->SetCaption(text);
    DialogControl->GetString(27, text);
    AutoCorrectWordsSheet->SetCaption(text);
  } else if (dictionary) {
    SetCaption(ExtractFileName(dictionary->GetFileName()));
  }
  HelpButton->SetVisible(visible.Contains(sdcHelp) && DialogControl->HelpCtxDictionaryEditDialog() != 0);
  HelpButton->SetEnabled(DialogControl->CommandsEnabled().Contains(sdcHelp));
  // The first page whose tab shows is the one shown first.
  for (TTabSheet* sheet : {AddedWordsSheet, AutoCorrectWordsSheet, ExcludedWordsSheet})
    if (sheet->GetTabVisible()) {
      PageControl->SetActivePage(sheet);
      break;
    }
}

bool TCustomDictionaryEditDialog::CanFill() {
  if (Dictionary()) return true;
  SetModalResult(mrCancel);
  return false;
}

// ---------------------------------------------------------------------------------------------
// Added words and excluded words

void TCustomDictionaryEditDialog::FillWords(const WordPage& Page) {
  if (Page.List->GetItems()->GetCount() > 0 || !CanFill()) return;
  Hourglass wait;
  Page.Add->SetEnabled(false);
  Page.Delete->SetEnabled(false);
  TCustomDictionary* d = Dictionary();
  TStrings* items = Page.List->GetItems();
  items->BeginUpdate();
  const Integer count = Page.Excluded ? d->ExcludeCount() : d->IgnoreCount();
  AnsiString word;
  for (Integer i = 0; i < count; ++i) {
    if (Page.Excluded)
      d->GetExcludeWord(i, word);
    else
      d->GetIgnoreWord(i, word);
    items->Add(word);
  }
  items->EndUpdate();
}

void TCustomDictionaryEditDialog::WordEditChange(const WordPage& Page) {
  TCustomDictionary* d = Dictionary();
  if (!d) return;
  const AnsiString text = Page.Edit->GetText();
  const bool listed = Page.Excluded ? d->IsExcluded(text) : d->IsIgnored(text);
  if (listed) {
    Page.Add->SetEnabled(false);
    Page.List->SetItemIndex(Page.List->GetItems()->IndexOf(text));
    Page.Delete->SetEnabled(Page.List->GetItemIndex() >= 0);
    return;
  }
  Page.List->SetItemIndex(-1);
  Page.Delete->SetEnabled(false);
  AnsiString replacement;
  // A word is either added or excluded, and never both a word and an auto-correction.
  const bool other = Page.Excluded ? d->IsIgnored(text) : d->IsExcluded(text);
  Page.Add->SetEnabled(!text.empty() && !d->GetAutoCorrection(text, replacement) && !other);
}

void TCustomDictionaryEditDialog::WordListClick(const WordPage& Page) {
  const Integer index = Page.List->GetItemIndex();
  if (index >= 0)
    Page.Edit->SetText(Page.List->GetItems()->GetStrings(index));
  else
    WordEditChange(Page);
}

void TCustomDictionaryEditDialog::AddWord(const WordPage& Page) {
  TCustomDictionary* d = Dictionary();
  const AnsiString text = Page.Edit->GetText();
  if (!d || text.empty()) return;
  if (!(Page.Excluded ? d->AddExclude(text) : d->AddIgnore(text))) return;
  Page.List->GetItems()->Add(text);
  WordEditChange(Page);
}

void TCustomDictionaryEditDialog::DeleteWord(const WordPage& Page) {
  TCustomDictionary* d = Dictionary();
  const AnsiString text = Page.Edit->GetText();
  if (!d || !(Page.Excluded ? d->RemoveExclude(text) : d->RemoveIgnore(text))) return;
  TStrings* items = Page.List->GetItems();
  Integer index = items->IndexOf(text);
  if (index >= 0) items->Delete(index);
  if (items->GetCount() == 0) {
    WordEditChange(Page);
    return;
  }
  index = std::clamp<Integer>(index, 0, items->GetCount() - 1);
  Page.List->SetItemIndex(index);
  // The word now selected is the one the next Delete removes.
  WordListClick(Page);
}

void TCustomDictionaryEditDialog::AddedWordsSheetShow(TObject*) { FillWords(Added()); }
void TCustomDictionaryEditDialog::IgnoreEditChange(TObject*) { WordEditChange(Added()); }
void TCustomDictionaryEditDialog::IgnoreListClick(TObject*) { WordListClick(Added()); }
void TCustomDictionaryEditDialog::AddIgnoreButtonClick(TObject*) { AddWord(Added()); }
void TCustomDictionaryEditDialog::DeleteIgnoreButtonClick(TObject*) { DeleteWord(Added()); }
void TCustomDictionaryEditDialog::IgnoreEditKeyDown(TObject*, Word& Key, TShiftState) {
  if (Key == VK_RETURN && AddIgnoreButton->GetEnabled()) {
    Key = 0;
    AddWord(Added());
  }
}

void TCustomDictionaryEditDialog::ExcludedWordsSheetShow(TObject*) { FillWords(ExcludedPage()); }
void TCustomDictionaryEditDialog::ExcludeEditChange(TObject*) { WordEditChange(ExcludedPage()); }
void TCustomDictionaryEditDialog::ExcludeListClick(TObject*) { WordListClick(ExcludedPage()); }
void TCustomDictionaryEditDialog::AddExcludeButtonClick(TObject*) { AddWord(ExcludedPage()); }
void TCustomDictionaryEditDialog::DeleteExcludeButtonClick(TObject*) { DeleteWord(ExcludedPage()); }
void TCustomDictionaryEditDialog::ExcludeEditKeyDown(TObject*, Word& Key, TShiftState) {
  if (Key == VK_RETURN && AddExcludeButton->GetEnabled()) {
    Key = 0;
    AddWord(ExcludedPage());
  }
}

// ---------------------------------------------------------------------------------------------
// Auto-correct pairs

void TCustomDictionaryEditDialog::SizeReplacementColumn() {
  TListColumns* columns = AutoCorrectList->GetColumns();
  columns->GetItems(1)->SetWidth(AutoCorrectList->GetClientWidth() - columns->GetItems(0)->GetWidth());
}

TListItem* TCustomDictionaryEditDialog::FindPair(const AnsiString& Word) {
  TListItems* items = AutoCorrectList->GetItems();
  for (Integer i = 0; i < items->GetCount(); ++i)
    if (items->GetItem(i)->GetCaption() == Word) return items->GetItem(i);
  return nullptr;
}

void TCustomDictionaryEditDialog::AutoCorrectWordsSheetShow(TObject*) {
  if (AutoCorrectList->GetItems()->GetCount() > 0 || !CanFill()) return;
  Hourglass wait;
  AddAutoCorrectButton->SetEnabled(false);
  DeleteAutoCorrectButton->SetEnabled(false);
  TCustomDictionary* d = Dictionary();
  TListItems* items = AutoCorrectList->GetItems();
  items->BeginUpdate();
  AnsiString word, replacement;
  for (Integer i = 0; i < d->AutoCorrectCount(); ++i) {
    d->GetAutoCorrect(i, word, replacement);
    TListItem* item = items->Add();
    item->SetCaption(word);
    item->GetSubItems()->Add(replacement);
  }
  items->EndUpdate();
  AutoCorrectList->GetColumns()->GetItems(0)->SetWidth(WithEdit->GetLeft() - ReplaceEdit->GetLeft());
  SizeReplacementColumn();
}

void TCustomDictionaryEditDialog::ReplaceEditChange(TObject*) {
  TCustomDictionary* d = Dictionary();
  if (!d) return;
  const AnsiString word = ReplaceEdit->GetText();
  AnsiString replacement;
  if (d->GetAutoCorrection(word, replacement)) {
    AddAutoCorrectButton->SetEnabled(false);
    if (TListItem* row = FindPair(word)) {
      if (AutoCorrectList->GetSelected() != row) AutoCorrectList->SetSelected(row);
      row->MakeVisible(false);
    }
    DeleteAutoCorrectButton->SetEnabled(AutoCorrectList->GetSelected() != nullptr);
    return;
  }
  AutoCorrectList->SetSelected(nullptr);
  DeleteAutoCorrectButton->SetEnabled(false);
  AddAutoCorrectButton->SetEnabled(!word.empty() && !d->IsIgnored(word) && !d->IsExcluded(word) &&
                                    !WithEdit->GetText().empty());
}

void TCustomDictionaryEditDialog::WithEditChange(TObject*) {
  TCustomDictionary* d = Dictionary();
  TListItem* row = AutoCorrectList->GetSelected();
  if (!d) return;
  if (!row) {
    ReplaceEditChange(this);
    return;
  }
  // Editing the replacement of the pair shown changes the pair at once (never to nothing).
  const AnsiString word = ReplaceEdit->GetText();
  const AnsiString with = WithEdit->GetText();
  AnsiString replacement;
  if (with.empty() || !d->GetAutoCorrection(word, replacement) || replacement == with) return;
  d->RemoveAutoCorrect(word);
  d->AddAutoCorrect(word, with);
  if (row->GetSubItems()->GetCount() == 0)
    row->GetSubItems()->Add(with);
  else
    row->GetSubItems()->SetStrings(0, with);
}

void TCustomDictionaryEditDialog::ReplaceEditKeyDown(TObject*, Word& Key, TShiftState) {
  if (Key == VK_RETURN && !ReplaceEdit->GetText().empty()) {
    Key = 0;
    WithEdit->SetFocus();
  }
}

void TCustomDictionaryEditDialog::WithEditKeyDown(TObject*, Word& Key, TShiftState) {
  if (Key == VK_RETURN && AddAutoCorrectButton->GetEnabled()) {
    Key = 0;
    AddAutoCorrectButtonClick(this);
  }
}

void TCustomDictionaryEditDialog::AutoCorrectListSelectItem(TObject*, TListItem* Item, bool Selected) {
  if (!Item) return;
  if (Selected) {
    ReplaceEdit->SetText(Item->GetCaption());
    WithEdit->SetText(Item->GetSubItems()->GetCount() ? Item->GetSubItems()->GetStrings(0) : AnsiString());
  } else if (AutoCorrectList->GetSelected() == Item) {
    Timer->SetEnabled(true);
  }
}

void TCustomDictionaryEditDialog::TimerTimer(TObject*) {
  Timer->SetEnabled(false);
  ReplaceEditChange(this);
}

void TCustomDictionaryEditDialog::AddAutoCorrectButtonClick(TObject*) {
  TCustomDictionary* d = Dictionary();
  const AnsiString word = ReplaceEdit->GetText();
  const AnsiString with = WithEdit->GetText();
  if (!d || word.empty() || with.empty() || !d->AddAutoCorrect(word, with)) return;
  TListItem* row = AutoCorrectList->GetItems()->Add();
  row->SetCaption(word);
  row->GetSubItems()->Add(with);
  AutoCorrectList->AlphaSort();
  row->SetFocused(true);
  ReplaceEditChange(this);
  SizeReplacementColumn();
}

void TCustomDictionaryEditDialog::DeleteAutoCorrectButtonClick(TObject*) {
  TCustomDictionary* d = Dictionary();
  TListItem* row = AutoCorrectList->GetSelected();
  if (!d || !row || !d->RemoveAutoCorrect(ReplaceEdit->GetText())) return;
  Integer index = row->GetIndex();
  row->Delete();
  TListItems* items = AutoCorrectList->GetItems();
  if (items->GetCount() > 0) {
    index = std::min<Integer>(index, items->GetCount() - 1);
    TListItem* next = items->GetItem(index);
    next->SetSelected(true);
    next->SetFocused(true);
  } else {
    ReplaceEditChange(this);
  }
  SizeReplacementColumn();
}

void TCustomDictionaryEditDialog::HelpButtonClick(TObject*) { DialogControl->ShowDictionaryEditDialogHelp(); }
