// The name comparison ("Compare names"): compares every approved name of the current project
// ("ApprovedNames.txt" of the work folder) with every other and lists the pairs that look or sound
// alike. Reviewed pairs are removed; "&OK" remembers the names of removed pairs in
// "ComparedNames.txt", and later comparisons leave those names out.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TListBox;
class TScripture;
class TStatusBar;
class TStringList;

class TCompareNamesDialog : public TForm {
  CLASS_INFO(TCompareNamesDialog, TForm)
public:
  explicit TCompareNamesDialog(TComponent* AOwner);

  TListBox* NamesListBox = nullptr;
  TListBox* MessagesListBox = nullptr;
  TButton* CompareButton = nullptr;
  TButton* RemoveButton = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  // The current project, for its work folder.
  TScripture* Scripture = nullptr;
  // The pairs removed, now and before: one line per pair, as it was shown.
  TStringList* Dismissed = nullptr;

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void CompareButtonClick(TObject* Sender);
  void RemoveButtonClick(TObject* Sender);
  void OKBtnClick(TObject* Sender);

private:
  void ShowStatus(const AnsiString& text);
  AnsiString ComparedNamesPath() const;
};
