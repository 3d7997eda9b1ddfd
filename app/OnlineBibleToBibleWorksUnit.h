// "Convert books from Online Bible to BibleWorks": a text exported from the Online Bible program
// (an RTF file: a heading of book name and chapter before each chapter, then one line a verse)
// becomes BibleWorks import text, one verse a line with its reference, shown in the editor and
// saved as a text file (normally into BibleWorks' "userdb" folder).
#pragma once

#include "classlib/Forms.h"

class TLabel;
class VUzurUvadEdit;

class TOnlineBibleToBibleWorksDialog : public TForm {
  CLASS_INFO(TOnlineBibleToBibleWorksDialog, TForm)
public:
  explicit TOnlineBibleToBibleWorksDialog(TComponent* AOwner);

  VUzurUvadEdit* UzurUvadEdit1 = nullptr;
  TLabel* Status = nullptr;

  void FormCreate(TObject* Sender);
  void OpenBtnClick(TObject* Sender);
  void ConvertBtnClick(TObject* Sender);
  void SaveBtnClick(TObject* Sender);

private:
  void ShowStatus(const AnsiString& text);
  void Refuse(const AnsiString& text);
};
