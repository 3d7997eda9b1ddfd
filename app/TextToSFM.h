// "Convert text document to Paratext format": a document typed or scanned outside Paratext (an RTF
// file) becomes one book in standard format, in two phases on two pages. Phase 1 loads the file
// and cleans its lines, with optional repairs of typical scanning errors; phase 2 takes the
// book's identifier, recognises titles, headings, chapters and verses, and saves the book (normally
// as "*.sfc") for the user to put into the Paratext project.
#pragma once

#include "classlib/Forms.h"

class TCheckBox;
class TEdit;
class TPageControl;
class TStatusBar;
class VUzurUvadEdit;

class TTextToSFMDialog : public TForm {
  CLASS_INFO(TTextToSFMDialog, TForm)
public:
  explicit TTextToSFMDialog(TComponent* AOwner);

  TPageControl* PageControl1 = nullptr;
  VUzurUvadEdit* PrepareUzurUvadEdit = nullptr;
  VUzurUvadEdit* UzurUvadEdit1 = nullptr;
  TCheckBox* IICheckBox = nullptr;
  TCheckBox* xOxCheckBox = nullptr;
  TCheckBox* OCheckBox = nullptr;
  TCheckBox* ClosingBracketCheckBox = nullptr;
  TCheckBox* PunctuationCheckBox = nullptr;
  TEdit* IDEdit = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void OpenButtonClick(TObject* Sender);
  void PrepareButtonClick(TObject* Sender);
  void Save1ButtonClick(TObject* Sender);
  void IDEditChange(TObject* Sender);
  void ConvertBtnClick(TObject* Sender);
  void SaveBtnClick(TObject* Sender);

private:
  void ShowStatus(const AnsiString& text);
  void Refuse(const AnsiString& text);

  bool settingID_ = false;
};
