#include "spell/lx3CustomDictionariesDialog.h"

#include <memory>

#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/Strings.h"
#include "spell/lx3ConfigurationDialogCtrl.h"
#include "spell/lx3CustomDictionary.h"
#include "spell/lx3NewCustomDictionaryDialog.h"

extern const char lx3CustomDictionariesDialogFormText[];

PUBLISHED(TCustomDictionariesDialog) {
  Field("CustomGroup", &TCustomDictionariesDialog::CustomGroup);
  Field("CustomDictionaries", &TCustomDictionariesDialog::CustomDictionaries);
  Field("NewButton", &TCustomDictionariesDialog::NewButton);
  Field("DeleteButton", &TCustomDictionariesDialog::DeleteButton);
  Field("EditButton", &TCustomDictionariesDialog::EditButton);
  Field("OK", &TCustomDictionariesDialog::OK);
  Field("HelpButton", &TCustomDictionariesDialog::HelpButton);
  Field("DialogControl", &TCustomDictionariesDialog::DialogControl);
  using C = TCustomDictionariesDialog;
  Method("DialogControlConfigurationAvailable", &C::DialogControlConfigurationAvailable);
  Method("CustomDictionariesSelectItem", &C::CustomDictionariesSelectItem);
  Method("CustomDictionariesChange", &C::CustomDictionariesChange);
  Method("CustomDictionariesEditing", &C::CustomDictionariesEditing);
  Method("CustomDictionariesEdited", &C::CustomDictionariesEdited);
  Method("CustomDictionariesDeletion", &C::CustomDictionariesDeletion);
  Method("CustomDictionariesKeyDown", &C::CustomDictionariesKeyDown);
  Method("NewButtonClick", &C::NewButtonClick);
  Method("DeleteButtonClick", &C::DeleteButtonClick);
  Method("EditButtonClick", &C::EditButtonClick);
  Method("HelpButtonClick", &C::HelpButtonClick);
}

TCustomDictionariesDialog::TCustomDictionariesDialog(TComponent* AOwner) : TForm(AOwner) {
  RegisterSpellFormClasses();
  ReadComponentFromText(this, lx3CustomDictionariesDialogFormText);
}

void TCustomDictionariesDialog::DialogControlConfigurationAvailable(TObject*) {
  AnsiString text;
  auto caption = [&](Integer id) {
    DialogControl->GetString(id, text);
    return text;
  };
  SetCaption(caption(16));
  CustomGroup->SetCaption(caption(42));
  NewButton->SetCaption(caption(45));
  DeleteButton->SetCaption(caption(44));
  EditButton->SetCaption(caption(43));
  OK->SetCaption(caption(46));
  HelpButton->SetCaption(caption(31));
  const TSpellDialogCommands visible = DialogControl->CommandsVisible();
  HelpButton->SetVisible(visible.Contains(sdcHelp) && DialogControl->HelpCtxDictionariesDialog() != 0);
  HelpButton->SetEnabled(DialogControl->CommandsEnabled().Contains(sdcHelp));
  EditButton->SetEnabled(false);
  DeleteButton->SetEnabled(false);

  TStrings* customs = DialogControl->AvailableCustomDictionaries();
  TStrings* msWord = DialogControl->AvailableMSWordDictionaries();
  TLexemeConfig* config = DialogControl->GetConfiguration();
  if (!customs || !msWord || !config) return;
  filling_ = true;
  TListItems* items = CustomDictionaries->GetItems();
  items->BeginUpdate();
  items->Clear();
  TCustomDictionary* internal = DialogControl->InternalList();
  if (visible.Contains(sdcInternalEdit) && internal &&
      (internal->IgnoreCount() > 0 || internal->AutoCorrectCount() > 0)) {
    TListItem* item = items->Add();
    item->SetCaption(caption(13));
    item->SetChecked(true);
    auto* entry = new TListEntry;
    entry->Internal = true;
    item->Data = entry;
  }
  for (Integer i = 0; i < customs->GetCount(); ++i) {
    const AnsiString name = customs->GetStrings(i);
    TListItem* item = items->Add();
    item->SetCaption(ExtractFileName(name));
    auto* entry = new TListEntry;
    entry->Checked = config->CustomDictionaries()->IndexOf(name) >= 0;
    entry->Name = name;
    entry->Renamable = item->GetCaption() == name;
    item->Data = entry;
    item->SetChecked(entry->Checked);
  }
  for (Integer i = 0; i < msWord->GetCount(); ++i) {
    const AnsiString name = msWord->GetStrings(i);
    TListItem* item = items->Add();
    item->SetCaption(ExtractFileName(name));
    auto* entry = new TListEntry;
    entry->Checked = config->MSWordCustomDictionaries()->IndexOf(name) >= 0;
    entry->MSWord = true;
    entry->Name = name;
    item->Data = entry;
    item->SetChecked(entry->Checked);
  }
  items->EndUpdate();
  filling_ = false;
}

void TCustomDictionariesDialog::UpdateButtons() {
  TListItem* item = CustomDictionaries->GetSelected();
  TListEntry* entry = Entry(item);
  DeleteButton->SetEnabled(entry && !entry->Internal && !entry->MSWord);
  EditButton->SetEnabled(entry != nullptr);
}

void TCustomDictionariesDialog::CustomDictionariesSelectItem(TObject*, TListItem*, bool) { UpdateButtons(); }

void TCustomDictionariesDialog::CustomDictionariesChange(TObject*, TListItem* Item, TItemChange Change) {
  TListEntry* entry = Entry(Item);
  if (filling_ || Change != ctState || !entry) return;
  const bool checked = Item->GetChecked();
  if (entry->Internal) {
    // The list of Ignore All and Change All is always used.
    if (!checked) Item->SetChecked(true);
    return;
  }
  if (checked == entry->Checked) return;
  entry->Checked = checked;
  Item->SetFocused(true);
  if (entry->MSWord)
    DialogControl->SetMSWordDictionaryActive(entry->Name, checked);
  else
    DialogControl->SetCustomDictionaryActive(entry->Name, checked);
}

void TCustomDictionariesDialog::CustomDictionariesEditing(TObject*, TListItem* Item, bool& AllowEdit) {
  TListEntry* entry = Entry(Item);
  AllowEdit = entry && entry->Renamable && !entry->Internal && !entry->MSWord;
  // Enter ends the edit instead of pressing OK.
  if (AllowEdit) OK->SetDefault(false);
}

void TCustomDictionariesDialog::CustomDictionariesEdited(TObject*, TListItem* Item, AnsiString& S) {
  OK->SetDefault(true);
  TListEntry* entry = Entry(Item);
  if (!entry) return;
  // The file takes the name with the dictionaries' extension; the row shows the file's name so
  // that it keeps standing for the file.
  const AnsiString file = ChangeFileExt(ExtractFileName(Trim(S)), ".lxu");
  if (!Trim(S).empty() && DialogControl->RenameCustomDictionary(Item->GetCaption(), S)) {
    entry->Name = file;
    S = file;
  } else {
    S = Item->GetCaption();
  }
}

void TCustomDictionariesDialog::CustomDictionariesDeletion(TObject*, TListItem* Item) {
  delete Entry(Item);
  Item->Data = nullptr;
}

void TCustomDictionariesDialog::CustomDictionariesKeyDown(TObject*, Word& Key, TShiftState Shift) {
  TListItem* item = CustomDictionaries->GetSelected();
  if (Key != VK_F2 || !Shift.Empty() || !item) return;
  Key = 0;
  item->EditCaption();
}

TListItem* TCustomDictionariesDialog::FindRow(const AnsiString& Caption) {
  TListItems* items = CustomDictionaries->GetItems();
  for (Integer i = 0; i < items->GetCount(); ++i)
    if (SameText(items->GetItem(i)->GetCaption(), Caption)) return items->GetItem(i);
  return nullptr;
}

void TCustomDictionariesDialog::NewButtonClick(TObject*) {
  std::unique_ptr<TNewCustomDictionary> dialog(new TNewCustomDictionary(this));
  dialog->DialogControl->SetSpellComponent(DialogControl->GetSpellComponent());
  if (dialog->ShowModal() != mrOk) return;
  const AnsiString typed = Trim(dialog->NameEdit->GetText());
  dialog.reset();
  // A name of no characters would make a file named only by its extension.
  if (ChangeFileExt(ExtractFileName(typed), "").empty()) return;
  const AnsiString name = ChangeFileExt(ExtractFileName(typed), ".lxu");
  TListItem* row = FindRow(name);
  if (!row) {
    DialogControl->NewCustomDictionary(name);
    DialogControlConfigurationAvailable(DialogControl);
    row = FindRow(name);
    if (!row) return;
  }
  row->SetFocused(true);
  row->SetSelected(true);
  row->MakeVisible(false);
  CustomDictionaries->SetFocus();
  UpdateButtons();
}

void TCustomDictionariesDialog::DeleteButtonClick(TObject*) {
  TListEntry* entry = Entry(CustomDictionaries->GetSelected());
  if (!entry || entry->Internal || entry->MSWord) return;
  AnsiString question, caption;
  DialogControl->GetString(12, question);
  DialogControl->GetString(11, caption);
  if (Application->MessageBox(question, caption, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
  DialogControl->DeleteCustomDictionary(entry->Name);
  DialogControlConfigurationAvailable(DialogControl);
}

void TCustomDictionariesDialog::EditButtonClick(TObject*) {
  TListEntry* entry = Entry(CustomDictionaries->GetSelected());
  if (!entry) return;
  if (entry->Internal) {
    DialogControl->ShowEditCustomDictionaryDialog(DialogControl->InternalList());
  } else if (entry->MSWord) {
    // The word processor's dictionaries are edited with the program the system opens them with.
    const AnsiString folder = ExtractFilePath(entry->Name);
    ShellExecuteA(GetHandle(), "open", entry->Name.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
  } else {
    std::unique_ptr<TCustomDictionary> dictionary(DialogControl->OpenCustomDictionary(entry->Name));
    DialogControl->ShowEditCustomDictionaryDialog(dictionary.get());
  }
}

void TCustomDictionariesDialog::HelpButtonClick(TObject*) { DialogControl->ShowDictionariesDialogHelp(); }
