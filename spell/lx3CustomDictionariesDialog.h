// The list of the user's dictionaries: the custom dictionaries, the word processor's
// dictionaries and the list of Ignore All and Change All words. A tick says which are used; the
// buttons create, delete and edit them, and a custom dictionary's name is edited in place.
#pragma once

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"

class TButton;
class TGroupBox;
class TConfigurationDialogCtrl;

class TCustomDictionariesDialog : public TForm {
  CLASS_INFO(TCustomDictionariesDialog, TForm)
public:
  explicit TCustomDictionariesDialog(TComponent* AOwner);

  // What a row stands for.
  struct TListEntry {
    bool Checked = true;  // the state last applied
    bool Internal = false;  // the list of Ignore All and Change All
    bool MSWord = false;  // a dictionary of the word processor
    bool Renamable = false;  // the caption is the stored name, so it may be edited
    AnsiString Name;  // as the component lists it
  };
  static TListEntry* Entry(TListItem* Item) { return Item ? static_cast<TListEntry*>(Item->Data) : nullptr; }

  TGroupBox* CustomGroup = nullptr;
  TListView* CustomDictionaries = nullptr;
  TButton* NewButton = nullptr;
  TButton* DeleteButton = nullptr;
  TButton* EditButton = nullptr;
  TButton* OK = nullptr;
  TButton* HelpButton = nullptr;
  TConfigurationDialogCtrl* DialogControl = nullptr;

  void DialogControlConfigurationAvailable(TObject* Sender);
  void CustomDictionariesSelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void CustomDictionariesChange(TObject* Sender, TListItem* Item, TItemChange Change);
  void CustomDictionariesEditing(TObject* Sender, TListItem* Item, bool& AllowEdit);
  void CustomDictionariesEdited(TObject* Sender, TListItem* Item, AnsiString& S);
  void CustomDictionariesDeletion(TObject* Sender, TListItem* Item);
  // F2 edits the selected row's name, as it does in the shell's lists.
  void CustomDictionariesKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void NewButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  void EditButtonClick(TObject* Sender);
  void HelpButtonClick(TObject* Sender);

private:
  TListItem* FindRow(const AnsiString& Caption);
  void UpdateButtons();

  bool filling_ = false;
};
