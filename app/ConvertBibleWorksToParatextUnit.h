// "Convert BibleWorks books to Paratext": a text exported from BibleWorks (an RTF file, one verse
// a line with its reference) becomes one standard-format book file a book (GEN.sfc, ...) in the
// location the user chose. A Hebrew export (reference at the end of the line) is recognised, after
// a question, and its verses cut into lines of the length of the conversion settings. Nothing is
// written unless every line carries a reference and a location was chosen.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TCheckBox;
class TLabel;
class TVisBrowseDlg;
class VUzurUvadEdit;

class TConvertBibleWorksToParatextDlg : public TForm {
  CLASS_INFO(TConvertBibleWorksToParatextDlg, TForm)
public:
  explicit TConvertBibleWorksToParatextDlg(TComponent* AOwner);

  VUzurUvadEdit* UzurUvadEdit1 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TLabel* Status = nullptr;
  TVisBrowseDlg* VisBrowseDlg1 = nullptr;

  void FormCreate(TObject* Sender);
  void OpenBtnClick(TObject* Sender);
  void ConvertBtnClick(TObject* Sender);
  void SaveBtnClick(TObject* Sender);

  // The folder the books are written to; empty until one is chosen.
  AnsiString Location;

private:
  void ShowStatus(const AnsiString& text);
};
