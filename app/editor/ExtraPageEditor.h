// The editor of the printed Bible's extra pages ("Editor\editor.exe" in the program folder): a
// window holding a rich-text editor on the document named on the command line. The text is typed
// and formatted there (fonts, alignment) and "&Save" writes the document back in place, with its
// styles, so that it prints as it looks. Closing with unsaved changes asks whether to save them.
#pragma once

#include "classlib/Forms.h"

class TFont;
class TStatusBar;
class TUVStyle;
class VUzurUvadEdit;

class TExtraPageEditor : public TForm {
  CLASS_INFO(TExtraPageEditor, TForm)
public:
  explicit TExtraPageEditor(TComponent* AOwner);
  ~TExtraPageEditor() override;

  // Opens the document (a missing one starts empty and is created by "&Save"); false, with a
  // message on the status bar, when it cannot be read.
  bool OpenDocument(const AnsiString& fileName);
  // Writes the document in place; false after saying why it could not.
  bool SaveDocument();
  const AnsiString& FileName() const { return fileName_; }

  VUzurUvadEdit* Editor1 = nullptr;
  TUVStyle* EditorStyle = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  // --- Handlers named by the form text
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void Editor1Change(TObject* Sender);
  void Save1Click(TObject* Sender);
  void Exit1Click(TObject* Sender);
  void Undo1Click(TObject* Sender);
  void Cut1Click(TObject* Sender);
  void Copy1Click(TObject* Sender);
  void Paste1Click(TObject* Sender);
  void SelectAll1Click(TObject* Sender);
  void Font1Click(TObject* Sender);
  void AlignLeft1Click(TObject* Sender);
  void AlignCenter1Click(TObject* Sender);
  void AlignRight1Click(TObject* Sender);

private:
  void ShowTitle();
  void Align(Integer alignment);
  // The style conversions the editor asks for: a text style with the font chosen, a paragraph
  // style with the alignment chosen; an equal style is taken when there is one.
  void TextStyleConversion(TObject* Sender, Integer StyleNo, Integer UserData, bool AppliedToText,
                           Integer& NewStyleNo);
  void ParaStyleConversion(TObject* Sender, Integer StyleNo, Integer UserData, bool AppliedToText,
                           Integer& NewStyleNo);

  AnsiString fileName_;
  TFont* chosenFont_ = nullptr;
};
