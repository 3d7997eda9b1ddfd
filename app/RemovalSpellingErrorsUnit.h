// "Removal of spelling errors": corrects recurring misspellings in one book of the current
// project with the four correction lists of the program's folder (first halves, second halves,
// whole words, phrases), in the whole book or in a chapter and the next. The lists are edited here
// (pairs entered and removed) and written back to their files when the window closes.
#pragma once

#include <array>

#include "classlib/Forms.h"
#include "tools/CorrectionLists.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TListBox;
class TRadioButton;
class TScripture;
class TStatusBar;
class TTimer;
class TUpDown;

class TRemovalSpellingErrorsDlg : public TForm {
  CLASS_INFO(TRemovalSpellingErrorsDlg, TForm)
public:
  explicit TRemovalSpellingErrorsDlg(TComponent* AOwner);

  TComboBox* ComboBox1 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TEdit* Edit3 = nullptr;
  TUpDown* UpDown1 = nullptr;
  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TLabel* Label8 = nullptr;
  TLabel* Label9 = nullptr;
  TListBox* ListBox1 = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TTimer* Timer1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void RadioButton1Click(TObject* Sender);
  void RadioButton2Click(TObject* Sender);
  void RadioButton3Click(TObject* Sender);
  void RadioButton4Click(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void OKBtnClick(TObject* Sender);

private:
  void ChooseList(int list);
  void ShowStatus(const AnsiString& text);
  void Refuse(const AnsiString& text);

  // The lines of the list files, lists 1..4 at 0..3.
  std::array<TextLines, CorrectionListCount> Lists;
  int CurrentList = 1;
  bool Busy = false;
  bool Refresh = true;
  TScripture* Books = nullptr;
};
