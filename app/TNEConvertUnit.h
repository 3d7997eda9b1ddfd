// "Convert Paratext books to Translation Notes Editor": the notes kept in the books of a Paratext
// project (one note a verse, or a chapter or book heading) become one notes file (".tne") of the
// Translation Notes Editor, each note with the chosen type, categories, creator, project and note
// language; a note holding the "unresolved" text is unresolved whatever type is chosen.
#pragma once

#include <memory>

#include "app/WorkSteps.h"
#include "classlib/Forms.h"
#include "tools/ConversionText.h"

class TAllScriptures;
class TButton;
class TComboBox;
class TEdit;
class TScripture;
class TStatusBar;
class TTNEExport;

class TTNEConvertDialog : public TForm {
  CLASS_INFO(TTNEConvertDialog, TForm)
public:
  explicit TTNEConvertDialog(TComponent* AOwner);
  ~TTNEConvertDialog() override;

  TComboBox* VersionsComboBox = nullptr;
  TComboBox* NoteTypeComboBox = nullptr;
  TComboBox* Category1ComboBox = nullptr;
  TComboBox* Category2ComboBox = nullptr;
  TComboBox* Category3ComboBox = nullptr;
  TEdit* ProjectEdit = nullptr;
  TEdit* CreatedByEdit = nullptr;
  TEdit* NoteLanguageEdit = nullptr;
  TEdit* UnresolvedEdit = nullptr;
  TButton* SelectButton = nullptr;
  TButton* ConvertBtn = nullptr;
  TButton* SaveBtn = nullptr;
  TButton* CloseBtn = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void VersionsComboBoxChange(TObject* Sender);
  void SelectButtonClick(TObject* Sender);
  void ConvertBtnClick(TObject* Sender);
  void SaveBtnClick(TObject* Sender);

  // The file's lines of the last conversion; empty before the first.
  TextLines Output;

protected:
  // Closing stops a conversion that runs; the output of the last whole conversion stays.
  void DoClose(TCloseAction& Action) override;

private:
  void ShowStatus(const AnsiString& text);
  void Refuse(const AnsiString& text);
  // The books are converted in steps so that the dialog answers while it converts a whole Bible;
  // Output is replaced only when every book is converted.
  bool ConvertStep(const TWorkSteps::TSpent& spent);
  void ConversionEnded();
  // While converting, nothing that would start another conversion, change the books or save can
  // be chosen.
  void SetConverting(bool converting);

  TAllScriptures* Scriptures = nullptr;
  TScripture* Project = nullptr;
  TWorkSteps Work;
  std::unique_ptr<TTNEExport> Notes;
  Integer NextBook = 0;
};
