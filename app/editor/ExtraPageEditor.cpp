#include "app/editor/ExtraPageEditor.h"

#include <memory>

#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/FormTextReader.h"
#include "classlib/Graphics.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/Utilities.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEdit.h"

extern const char ExtraPageEditorFormText[];

PUBLISHED(TExtraPageEditor) {
  Field("Editor1", &TExtraPageEditor::Editor1);
  Field("EditorStyle", &TExtraPageEditor::EditorStyle);
  Field("StatusBar1", &TExtraPageEditor::StatusBar1);
  Method("FormCloseQuery", &TExtraPageEditor::FormCloseQuery);
  Method("Editor1Change", &TExtraPageEditor::Editor1Change);
  Method("Save1Click", &TExtraPageEditor::Save1Click);
  Method("Exit1Click", &TExtraPageEditor::Exit1Click);
  Method("Undo1Click", &TExtraPageEditor::Undo1Click);
  Method("Cut1Click", &TExtraPageEditor::Cut1Click);
  Method("Copy1Click", &TExtraPageEditor::Copy1Click);
  Method("Paste1Click", &TExtraPageEditor::Paste1Click);
  Method("SelectAll1Click", &TExtraPageEditor::SelectAll1Click);
  Method("Font1Click", &TExtraPageEditor::Font1Click);
  Method("AlignLeft1Click", &TExtraPageEditor::AlignLeft1Click);
  Method("AlignCenter1Click", &TExtraPageEditor::AlignCenter1Click);
  Method("AlignRight1Click", &TExtraPageEditor::AlignRight1Click);
}

TExtraPageEditor::TExtraPageEditor(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, ExtraPageEditorFormText);
  chosenFont_ = new TFont();
  // The document keeps its own styles, so that printing shows what was formatted here.
  TUVFOptions options = Editor1->GetUVFOptions();
  options << uvfoSaveTextStyles << uvfoSaveParaStyles;
  Editor1->SetUVFOptions(options);
  Editor1->OnStyleConversion = TUVStyleConversionEvent(this, &TExtraPageEditor::TextStyleConversion);
  Editor1->OnParaStyleConversion = TUVStyleConversionEvent(this, &TExtraPageEditor::ParaStyleConversion);
  ShowTitle();
}

TExtraPageEditor::~TExtraPageEditor() { delete chosenFont_; }

void TExtraPageEditor::ShowTitle() {
  AnsiString title = "Editor";
  if (!fileName_.empty()) title = ExtractFileName(fileName_) + " - " + title;
  if (Editor1->GetModified()) title = "*" + title;
  SetCaption(title);
}

bool TExtraPageEditor::OpenDocument(const AnsiString& fileName) {
  fileName_ = fileName;
  Editor1->Clear();
  bool opened = true;
  if (FileExists(fileName)) {
    opened = Editor1->LoadUVF(fileName);
    if (!opened) {
      Editor1->Clear();
      StatusBar1->SetSimpleText("The document " + fileName + " cannot be read.");
    }
  } else {
    StatusBar1->SetSimpleText("A new document: Save creates " + fileName + ".");
  }
  Editor1->Format();
  Editor1->SetModified(false);
  ShowTitle();
  return opened;
}

bool TExtraPageEditor::SaveDocument() {
  if (fileName_.empty()) return false;
  TMemoryStream stream;
  Editor1->SaveUVFToStream(&stream, false);
  const AnsiString bytes(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  if (const Cardinal error = ReplaceFileContents(fileName_, bytes)) {
    Application->MessageBox("The document cannot be saved in " + fileName_ + ": " + SysErrorMessage(error),
                            "Editor", MB_OK | MB_ICONERROR);
    return false;
  }
  Editor1->SetModified(false);
  StatusBar1->SetSimpleText("Saved");
  ShowTitle();
  return true;
}

void TExtraPageEditor::FormCloseQuery(TObject*, bool& CanClose) {
  if (!Editor1->GetModified()) return;
  switch (Application->MessageBox("Save the changes to " + fileName_ + "?", "Editor",
                                  MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: CanClose = SaveDocument(); break;
    case IDNO: break;
    default: CanClose = false; break;
  }
}

void TExtraPageEditor::Editor1Change(TObject*) { ShowTitle(); }
void TExtraPageEditor::Save1Click(TObject*) { SaveDocument(); }
void TExtraPageEditor::Exit1Click(TObject*) { Close(); }
void TExtraPageEditor::Undo1Click(TObject*) { Editor1->Undo(); }
void TExtraPageEditor::Cut1Click(TObject*) { Editor1->CutSelectionToClipboard(); }
void TExtraPageEditor::Copy1Click(TObject*) { Editor1->CopyToClipboard(); }
void TExtraPageEditor::Paste1Click(TObject*) { Editor1->Paste(); }
void TExtraPageEditor::SelectAll1Click(TObject*) { Editor1->SelectAll(); }

void TExtraPageEditor::Font1Click(TObject*) {
  std::unique_ptr<TFontDialog> dialog(new TFontDialog(this));
  dialog->GetFont()->Assign(EditorStyle->GetTextStyles()->GetItem(Editor1->GetCurTextStyleNo()));
  if (!dialog->Execute()) return;
  chosenFont_->Assign(dialog->GetFont());
  Editor1->ConvertTextStyles(0);
}

void TExtraPageEditor::AlignLeft1Click(TObject*) { Align(uvaLeft); }
void TExtraPageEditor::AlignCenter1Click(TObject*) { Align(uvaCenter); }
void TExtraPageEditor::AlignRight1Click(TObject*) { Align(uvaRight); }

void TExtraPageEditor::Align(Integer alignment) { Editor1->ConvertParagraphStyles(alignment); }

namespace {

// The index of a style of the collection equal to `wanted`, which is added when there is none.
template <class Infos, class Info>
Integer FindOrAddStyle(Infos* styles, const Info* wanted) {
  for (Integer i = 0; i < styles->GetCount(); ++i)
    if (styles->GetItem(i)->IsEqual(wanted, true)) return i;
  styles->Add()->Assign(const_cast<Info*>(wanted));
  return styles->GetCount() - 1;
}

}  // namespace

void TExtraPageEditor::TextStyleConversion(TObject*, Integer StyleNo, Integer, bool, Integer& NewStyleNo) {
  TFontInfos* styles = EditorStyle->GetTextStyles();
  std::unique_ptr<TFontInfo> wanted(new TFontInfo(nullptr));
  wanted->Assign(styles->GetItem(StyleNo));
  wanted->FontName = chosenFont_->GetName();
  wanted->Size = chosenFont_->GetSize();
  wanted->Color = chosenFont_->GetColor();
  wanted->Style = chosenFont_->GetStyle();
  wanted->Charset = chosenFont_->GetCharset();
  wanted->Standard = false;
  NewStyleNo = FindOrAddStyle(styles, wanted.get());
}

void TExtraPageEditor::ParaStyleConversion(TObject*, Integer StyleNo, Integer UserData, bool, Integer& NewStyleNo) {
  TParaInfos* styles = EditorStyle->GetParaStyles();
  std::unique_ptr<TParaInfo> wanted(new TParaInfo(nullptr));
  wanted->Assign(styles->GetItem(StyleNo));
  wanted->Alignment = static_cast<TUVAlignment>(UserData);
  wanted->Standard = false;
  NewStyleNo = FindOrAddStyle(styles, wanted.get());
}
