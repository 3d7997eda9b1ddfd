// "Convert Paratext files to BibleWorks": all books of a chosen Paratext project become one
// BibleWorks import text, one verse a line with its reference, shown in the editor and saved as a
// text file (normally into BibleWorks' "userdb" folder).
#pragma once

#include <memory>

#include "app/WorkSteps.h"
#include "classlib/Forms.h"

class TAllScriptures;
class TSFMToBibleWorks;
class TScripture;
class TButton;
class TComboBox;
class TStatusBar;
class VUzurUvadEdit;

class TSFMToBibleWorksDlg : public TForm {
  CLASS_INFO(TSFMToBibleWorksDlg, TForm)
public:
  explicit TSFMToBibleWorksDlg(TComponent* AOwner);
  ~TSFMToBibleWorksDlg() override;

  TComboBox* VersionsComboBox = nullptr;
  VUzurUvadEdit* UzurUvadEdit1 = nullptr;
  TButton* ConvertBtn = nullptr;
  TButton* SaveBtn = nullptr;
  TButton* CloseBtn = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void VersionsComboBoxChange(TObject* Sender);
  void ConvertBtnClick(TObject* Sender);
  void SaveBtnClick(TObject* Sender);

protected:
  // Closing stops a conversion that runs; the editor keeps what it showed before it.
  void DoClose(TCloseAction& Action) override;

private:
  void ShowStatus(const AnsiString& text);
  void Refuse(const AnsiString& text);
  // The books are converted, and the result put into the editor and laid out, in steps so that
  // the dialog answers while it converts a whole Bible.
  bool ConvertStep(const TWorkSteps::TSpent& spent);
  void ConversionEnded();
  // While converting, nothing that would start another conversion, change the project or save can
  // be chosen.
  void SetConverting(bool converting);

  TAllScriptures* Scriptures = nullptr;
  TWorkSteps Work;
  std::unique_ptr<TScripture> Project;
  std::unique_ptr<TSFMToBibleWorks> Conversion;
  Integer NextBook = 0;
  std::size_t NextLine = 0;
  bool Filling = false;  // every book converted; the editor is being filled
};
