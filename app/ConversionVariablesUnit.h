// The conversion settings ("Conversion variables"): the length after which a Hebrew verse from
// BibleWorks goes on on a new line (setting "Hebrew cut length", 20 to 200 in steps of 5), and the
// word that is left out of a chapter line when a document is converted to standard format
// ("Remove chapter line"). "OK" stores both; "Cancel" changes nothing.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TEdit;
class TUpDown;

class TConversionVariablesDlg : public TForm {
  CLASS_INFO(TConversionVariablesDlg, TForm)
public:
  explicit TConversionVariablesDlg(TComponent* AOwner);

  TEdit* HebrewEdit = nullptr;
  TUpDown* UpDown1 = nullptr;
  TEdit* ChapterLineEdit = nullptr;

  void FormCreate(TObject* Sender);
  void OKBtnClick(TObject* Sender);
};
