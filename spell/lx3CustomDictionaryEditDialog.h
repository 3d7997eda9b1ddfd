// Edits the entries of one user dictionary on three pages: the added words, the auto-correct
// pairs and the excluded words. Every change is made on the dictionary at once.
#pragma once

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"

class TButton;
class TEdit;
class TLabel;
class TListBox;
class TTimer;
class TConfigurationDialogCtrl;
class TCustomDictionary;

class TCustomDictionaryEditDialog : public TForm {
  CLASS_INFO(TCustomDictionaryEditDialog, TForm)
public:
  explicit TCustomDictionaryEditDialog(TComponent* AOwner);

  TPageControl* PageControl = nullptr;
  TTabSheet* AddedWordsSheet = nullptr;
  TLabel* AddedWordsExplain = nullptr;
  TLabel* IgnoreEditLabel = nullptr;
  TEdit* IgnoreEdit = nullptr;
  TListBox* IgnoreList = nullptr;
  TButton* AddIgnoreButton = nullptr;
  TButton* DeleteIgnoreButton = nullptr;
  TTabSheet* AutoCorrectWordsSheet = nullptr;
  TLabel* AutoCorrectWordsExplain = nullptr;
  TLabel* ReplaceEditLabel = nullptr;
  TEdit* ReplaceEdit = nullptr;
  TLabel* WithEditLabel = nullptr;
  TEdit* WithEdit = nullptr;
  TListView* AutoCorrectList = nullptr;
  TButton* AddAutoCorrectButton = nullptr;
  TButton* DeleteAutoCorrectButton = nullptr;
  TTabSheet* ExcludedWordsSheet = nullptr;
  TLabel* ExcludeWordsExplanation = nullptr;
  TLabel* ExcludeEditLabel = nullptr;
  TEdit* ExcludeEdit = nullptr;
  TListBox* ExcludeList = nullptr;
  TButton* AddExcludeButton = nullptr;
  TButton* DeleteExcludeButton = nullptr;
  TButton* OK = nullptr;
  TButton* HelpButton = nullptr;
  TTimer* Timer = nullptr;
  TConfigurationDialogCtrl* DialogControl = nullptr;

  void DialogControlConfigurationAvailable(TObject* Sender);
  void DialogControlCustomDictionaryAvailable(TObject* Sender);
  void AddedWordsSheetShow(TObject* Sender);
  void IgnoreEditChange(TObject* Sender);
  void IgnoreEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void IgnoreListClick(TObject* Sender);
  void AddIgnoreButtonClick(TObject* Sender);
  void DeleteIgnoreButtonClick(TObject* Sender);
  void AutoCorrectWordsSheetShow(TObject* Sender);
  void ReplaceEditChange(TObject* Sender);
  void WithEditChange(TObject* Sender);
  void ReplaceEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void WithEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void AutoCorrectListSelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void AddAutoCorrectButtonClick(TObject* Sender);
  void DeleteAutoCorrectButtonClick(TObject* Sender);
  void TimerTimer(TObject* Sender);
  void ExcludedWordsSheetShow(TObject* Sender);
  void ExcludeEditChange(TObject* Sender);
  void ExcludeEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void ExcludeListClick(TObject* Sender);
  void AddExcludeButtonClick(TObject* Sender);
  void DeleteExcludeButtonClick(TObject* Sender);
  void HelpButtonClick(TObject* Sender);

private:
  // The added words and the excluded words pages work alike.
  struct WordPage {
    TEdit* Edit;
    TListBox* List;
    TButton* Add;
    TButton* Delete;
    bool Excluded;
  };
  WordPage Added() const { return {IgnoreEdit, IgnoreList, AddIgnoreButton, DeleteIgnoreButton, false}; }
  WordPage ExcludedPage() const { return {ExcludeEdit, ExcludeList, AddExcludeButton, DeleteExcludeButton, true}; }
  TCustomDictionary* Dictionary() const;
  // False (and the dialog closes) when there is no dictionary to edit.
  bool CanFill();
  void FillWords(const WordPage& Page);
  void WordEditChange(const WordPage& Page);
  void WordListClick(const WordPage& Page);
  void AddWord(const WordPage& Page);
  void DeleteWord(const WordPage& Page);
  void SizeReplacementColumn();
  TListItem* FindPair(const AnsiString& Word);
};
