// "Convert Paratext files to BibleWorks": all books of a chosen Paratext project become one
// BibleWorks import text, one verse a line with its reference, shown in the editor and saved as a
// text file (normally into BibleWorks' "userdb" folder).
#pragma once

#include "classlib/Forms.h"

class TAllScriptures;
class TComboBox;
class TStatusBar;
class VUzurUvadEdit;

class TSFMToBibleWorksDlg : public TForm {
  CLASS_INFO(TSFMToBibleWorksDlg, TForm)
public:
  explicit TSFMToBibleWorksDlg(TComponent* AOwner);

  TComboBox* VersionsComboBox = nullptr;
  VUzurUvadEdit* UzurUvadEdit1 = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void VersionsComboBoxChange(TObject* Sender);
  void ConvertBtnClick(TObject* Sender);
  void SaveBtnClick(TObject* Sender);

private:
  void ShowStatus(const AnsiString& text);
  void Refuse(const AnsiString& text);

  TAllScriptures* Scriptures = nullptr;
};
