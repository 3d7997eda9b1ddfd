// The editor: construction, what its document asks of it, and its operations (inserting,
// deleting, pasting, undo and redo, styles, searching). Keys and messages are in
// UVEditInput.cpp.
#include "richtext/edit/UVEdit.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <memory>

#include "classlib/Bitmaps.h"
#include "classlib/Clipbrd.h"
#include "classlib/Metafiles.h"
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UzurUvadPublished.h"

decltype(&::MessageBeep) UVMessageBeep = &::MessageBeep;
TUVImmGetCompositionStringW UVImmGetCompositionStringW = &::ImmGetCompositionStringW;
TUVImmSetCompositionWindow UVImmSetCompositionWindow = &::ImmSetCompositionWindow;
TUVImmSetCompositionFontA UVImmSetCompositionFontA = &::ImmSetCompositionFontA;
decltype(&::GetKeyboardLayout) UVGetKeyboardLayout = &::GetKeyboardLayout;

// The editor's document: what the editor decides (read-only mode, options, the current styles
// and their events, the modified flag) it answers from the editor. Editor is cleared when the
// editor part of the control is destroyed, before the viewer part clears the document.
class TUVEditorData : public TUVEditUVData {
  CLASS_INFO(TUVEditorData, TUVEditUVData)
public:
  explicit TUVEditorData(TCustomUzurUvad* Viewer)
      : TUVEditUVData(Viewer), Editor(static_cast<TCustomUzurUvadEdit*>(Viewer)) {}

  bool IsReadOnly() override { return Editor && Editor->FReadOnly; }
  TUVEditorOptions GetEditorOptions() override {
    return Editor ? Editor->FEditorOptions : TUVEditUVData::GetEditorOptions();
  }
  void DoCaretMove() override {
    if (Editor) Editor->DataCaretMoved();
  }
  void SetCurrentTextStyle(Integer StyleNo) override {
    if (StyleNo == CurTextStyleNo && !(State & uvstForceStyleNotify)) return;
    CurTextStyleNo = StyleNo;
    if (Editor) Editor->DataCurTextStyleChanged();
  }
  void SetCurrentParaStyle(Integer ParaNo) override {
    if (ParaNo == CurParaStyleNo && !(State & uvstForceStyleNotify)) return;
    CurParaStyleNo = ParaNo;
    if (Editor) Editor->DataCurParaStyleChanged();
  }
  void DoStyleConversion(Integer StyleNo, Integer UserData, bool AppliedToText, Integer& NewStyleNo) override {
    if (Editor) Editor->DataStyleConversion(StyleNo, UserData, AppliedToText, NewStyleNo);
  }
  void DoParaStyleConversion(Integer StyleNo, Integer UserData, bool AppliedToText, Integer& NewStyleNo) override {
    if (Editor) Editor->DataStyleConversion(StyleNo, UserData, AppliedToText, NewStyleNo);
  }
  void Change(bool ClearRedo) override {
    TUVEditUVData::Change(ClearRedo);
    if (Editor) Editor->DataChanged();
  }
  void ClearModified() override {
    if (Editor) Editor->FModified = false;
  }
  void Beep() override {
    TUVStyle* style = GetUVStyle();
    if (style && style->UseSound) UVMessageBeep(0xFFFFFFFF);
  }

  TCustomUzurUvadEdit* Editor;
};

namespace {

VUzurUvadUVData* MakeEditorData(TCustomUzurUvad* Viewer) { return new TUVEditorData(Viewer); }

Word UVFClipboardFormat() { return static_cast<Word>(::RegisterClipboardFormatA("UzurUvad Format")); }
Word RTFClipboardFormat() { return static_cast<Word>(::RegisterClipboardFormatA("Rich Text Format")); }
Word HTMLClipboardFormat() { return static_cast<Word>(::RegisterClipboardFormatA("HTML Format")); }

// Percent escapes of an address decoded into their bytes.
AnsiString DecodePercents(const AnsiString& Text) {
  AnsiString out;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '%' && i + 2 < Text.size() && std::isxdigit(static_cast<unsigned char>(Text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(Text[i + 2]))) {
      out += static_cast<char>(std::stoi(Text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += Text[i];
    }
  }
  return out;
}

// The folder part of a path: up to and including its last backslash.
AnsiString FolderPart(const AnsiString& Path) {
  std::size_t slash = Path.rfind('\\');
  return slash == AnsiString::npos ? AnsiString() : Path.substr(0, slash + 1);
}

}  // namespace

AnsiString UVHTMLClipboardBasePath(const AnsiString& HTMLClipboardText) {
  static const char kKey[] = "SourceURL:";
  std::size_t at = HTMLClipboardText.find(kKey);
  if (at == AnsiString::npos) return AnsiString();
  at += std::strlen(kKey);
  std::size_t end = HTMLClipboardText.find_first_of(AnsiString("\0\n\r", 3), at);
  AnsiString address = HTMLClipboardText.substr(at, end == AnsiString::npos ? AnsiString::npos : end - at);
  AnsiString lower = LowerCase(address);
  if (lower.compare(0, 7, "file://") == 0) {
    // The file's folder in the system's form: "file:///C:/dir/page.htm" is in "C:\dir\",
    // "file://host/share/page.htm" in "\\host\share\".
    AnsiString path = Utf8ToAnsi(DecodePercents(address.substr(7)));
    for (char& c : path)
      if (c == '/') c = '\\';
    if (path.size() >= 3 && path[0] == '\\' && std::isalpha(static_cast<unsigned char>(path[1])) && path[2] == ':')
      path.erase(0, 1);
    else if (!path.empty() && path[0] != '\\')
      path = "\\\\" + path;
    return FolderPart(path);
  }
  AnsiString path = Utf8ToAnsi(address);
  bool web = lower.compare(0, 7, "http://") == 0;
  AnsiString prefix = web ? path.substr(0, 7) : AnsiString();
  if (web) path.erase(0, 7);
  for (char& c : path)
    if (c == '/') c = '\\';
  path = FolderPart(path);
  if (!web) return path;
  for (char& c : path)
    if (c == '\\') c = '/';
  return prefix + path;
}

// ---------------------------------------------------------------------------------------------
// Construction

TCustomUzurUvadEdit::TCustomUzurUvadEdit(TComponent* AOwner) : TCustomUzurUvad(AOwner, &MakeEditorData) {
  SetCursor(crIBeam);
  // The caret's moves scroll the view themselves; the viewer's key scrolling would fight them.
  SetKeyboardScroll(false);
  SetTabNavigation(uvtnNone);
  // Hyperlinks stay inactive while the text is edited, and the writers know the root editor.
  SetDocumentFlags(static_cast<TUVFlags>((GetDocumentFlags() & ~uvflBuildJumps) | uvflRootEditor));
}

TCustomUzurUvadEdit::~TCustomUzurUvadEdit() {
  // From here on the document answers as a document without an editor.
  static_cast<TUVEditorData*>(FData)->Editor = nullptr;
}

TCustomUzurUvadEdit* TCustomUzurUvadEdit::GetInplaceEdit() const {
  return dynamic_cast<TCustomUzurUvadEdit*>(GetInplaceEditor());
}

TCustomUzurUvadEdit* TCustomUzurUvadEdit::GetTopLevelEditor() {
  TCustomUzurUvadEdit* editor = this;
  while (TCustomUzurUvadEdit* inner = editor->GetInplaceEdit()) editor = inner;
  return editor;
}

bool TCustomUzurUvadEdit::IsBeingDestroyed() const {
  return GetComponentState().Contains(csDestroying) || IsDestroyingDeep();
}

// ---------------------------------------------------------------------------------------------
// What the document tells

void TCustomUzurUvadEdit::DataChanged() {
  FModified = true;
  if (FChangeLock <= 0 && OnChange && !IsBeingDestroyed()) OnChange(this);
}

void TCustomUzurUvadEdit::DataCurTextStyleChanged() {
  if (OnCurTextStyleChanged && !IsBeingDestroyed()) OnCurTextStyleChanged(this);
}

void TCustomUzurUvadEdit::DataCurParaStyleChanged() {
  if (OnCurParaStyleChanged && !IsBeingDestroyed()) OnCurParaStyleChanged(this);
}

void TCustomUzurUvadEdit::DataCaretMoved() {
  if (OnCaretMove && !IsBeingDestroyed()) OnCaretMove(this);
}

void TCustomUzurUvadEdit::DataStyleConversion(Integer StyleNo, Integer UserData, bool AppliedToText,
                                              Integer& NewStyleNo) {
  if (FPendingConversion) FPendingConversion(this, StyleNo, UserData, AppliedToText, NewStyleNo);
}

// ---------------------------------------------------------------------------------------------
// Changes

bool TCustomUzurUvadEdit::CanChange(bool Forced) {
  TUVEditUVData* data = GetEditData();
  if (FReadOnly || !GetStyle() || (!Forced && (data->EditFlags & uvefPreparing))) {
    Beep();
    return false;
  }
  data->PrepareForEdit();
  if (FChangeLock < 1 && OnChanging) OnChanging(this);
  return true;
}

void TCustomUzurUvadEdit::NotifyChanged(bool ClearRedo) { GetEditData()->Change(ClearRedo); }

// ---------------------------------------------------------------------------------------------
// Inserting

bool TCustomUzurUvadEdit::CanInsertHere() {
  if (TCustomUzurUvadEdit* inner = GetInplaceEdit()) return inner->CanInsertHere();
  TUVEditUVData* data = GetEditData();
  if (data->PartialSelectedItem) return false;
  Integer itemNo = data->GetCurItemNo();
  return itemNo < 0 || data->SelectionExists() || !data->IsItemParaReadOnly(itemNo);
}

bool TCustomUzurUvadEdit::PrepareInsertion() {
  TUVEditUVData* data = GetEditData();
  if ((data->EditFlags & uvefPreparing) || !CanInsertHere()) {
    Beep();
    return false;
  }
  if (!CanChange()) return false;
  Integer styleNo = data->CurTextStyleNo;
  data->OpenUndoAction(uvutInsert);
  data->ChangeGroupCounter(true);
  if (!data->DeleteSelection()) {
    data->ChangeGroupCounter(false);
    data->UndoList->DropEmptyLast();
    return false;
  }
  data->SetCurrentTextStyle(styleNo);
  return true;
}

void TCustomUzurUvadEdit::FinishInsertion(bool Inserted) {
  TUVEditUVData* data = GetEditData();
  data->ChangeGroupCounter(false);
  data->UndoList->DropEmptyLast();
  Invalidate();
  if (Inserted) NotifyChanged(true);
}

bool TCustomUzurUvadEdit::InsertItem(const AnsiString& Name, TCustomUVItemInfo* Item) {
  if (TCustomUzurUvadEdit* inner = GetInplaceEdit()) return inner->InsertItem(Name, Item);
  if (!PrepareInsertion()) {
    delete Item;
    return false;
  }
  bool ok = GetEditData()->InsertItemAtCaret(Name, Item, false);
  FinishInsertion(ok);
  return ok;
}

bool TCustomUzurUvadEdit::InsertText(const AnsiString& Text, bool CaretBefore) {
  if (TCustomUzurUvadEdit* inner = GetInplaceEdit()) return inner->InsertText(Text, CaretBefore);
  if (!PrepareInsertion()) return false;
  bool ok = GetEditData()->InsertTextA(Text, CaretBefore);
  FinishInsertion(ok && !Text.empty());
  return ok;
}

bool TCustomUzurUvadEdit::InsertUnicodeText(const WideString& Text, bool CaretBefore) {
  SwitchToUnicodeTextStyle();
  if (!PrepareInsertion()) return false;
  bool ok = GetEditData()->InsertTextW(Text, CaretBefore);
  FinishInsertion(ok && !Text.empty());
  return ok;
}

bool TCustomUzurUvadEdit::InsertGraphic(const AnsiString& Name, TGraphic* Graphic, Byte VAlign) {
  if (TCustomUzurUvadEdit* inner = GetInplaceEdit()) return inner->InsertGraphic(Name, Graphic, VAlign);
  return InsertItem(Name, new TUVGraphicItemInfo(GetEditData(), Graphic, VAlign));
}

namespace {

// A stream read in at the caret as one insertion; the document tells of the change itself.
bool InsertStreamAtCaret(TCustomUzurUvadEdit* Editor, const std::function<bool()>& Read) {
  if (!Editor->PrepareInsertion()) return false;
  bool ok = Read();
  Editor->FinishInsertion(false);
  return ok;
}

}  // namespace

bool TCustomUzurUvadEdit::InsertUVFStream(TStream* Stream) {
  if (TCustomUzurUvadEdit* inner = GetInplaceEdit()) return inner->InsertUVFStream(Stream);
  return InsertStreamAtCaret(this, [&] { return GetEditData()->InsertUVFAtCaret(Stream); });
}

bool TCustomUzurUvadEdit::InsertRTFStream(TStream* Stream) {
  if (TCustomUzurUvadEdit* inner = GetInplaceEdit()) return inner->InsertRTFStream(Stream);
  return InsertStreamAtCaret(this, [&] { return GetEditData()->InsertRTFAtCaret(Stream); });
}

// ---------------------------------------------------------------------------------------------
// Deleting and the clipboard

void TCustomUzurUvadEdit::DeleteSelected() {
  if (TCustomUzurUvadEdit* inner = GetInplaceEdit()) {
    inner->DeleteSelected();
    return;
  }
  // The document tells of the change when something was selected.
  if (CanChange()) GetEditData()->DeleteSelection();
}

void TCustomUzurUvadEdit::CutSelectionToClipboard() {
  if (CanChange() && CopyToClipboard()) DeleteSelected();
}

bool TCustomUzurUvadEdit::CanPaste() {
  TClipboard* clipboard = Clipboard();
  return clipboard->HasFormat(CF_TEXT) || clipboard->HasFormat(CF_UNICODETEXT) || clipboard->HasFormat(CF_BITMAP) ||
         clipboard->HasFormat(CF_METAFILEPICT) || clipboard->HasFormat(CF_ENHMETAFILE) ||
         clipboard->HasFormat(RTFClipboardFormat()) || clipboard->HasFormat(UVFClipboardFormat());
}

void TCustomUzurUvadEdit::Paste() {
  if (!CanChange()) return;
  bool doDefault = true;
  if (OnPaste) OnPaste(this, doDefault);
  if (!doDefault) return;
  TClipboard* clipboard = Clipboard();
  TCustomUzurUvadEdit* target = GetTopLevelEditor();
  if (clipboard->HasFormat(UVFClipboardFormat())) {
    // A 32-bit byte count, then the document; a count beyond the block is cut to it.
    AnsiString block = clipboard->GetBuffer(UVFClipboardFormat());
    if (block.size() < 4) return;
    uint32_t count = 0;
    std::memcpy(&count, block.data(), 4);
    count = std::min<uint32_t>(count, static_cast<uint32_t>(block.size() - 4));
    TMemoryStream stream;
    stream.WriteBuffer(block.data() + 4, static_cast<Integer>(count));
    stream.SetPosition(0);
    InsertUVFStream(&stream);
    return;
  }
  if (clipboard->HasFormat(RTFClipboardFormat())) {
    AnsiString rtf = clipboard->GetBuffer(RTFClipboardFormat());
    std::size_t end = rtf.find('\0');
    if (end != AnsiString::npos) rtf.resize(end);
    // Relative hyperlinks of a copied web page or file lead to where it came from.
    TUVRTFReaderProperties* properties = target->GetRTFReadProperties();
    properties->BasePath = clipboard->HasFormat(HTMLClipboardFormat())
                               ? UVHTMLClipboardBasePath(clipboard->GetBuffer(HTMLClipboardFormat()))
                               : AnsiString();
    TMemoryStream stream;
    stream.WriteBuffer(rtf.data(), static_cast<Integer>(rtf.size()));
    stream.SetPosition(0);
    try {
      InsertRTFStream(&stream);
    } catch (...) {
      properties->BasePath.clear();
      throw;
    }
    properties->BasePath.clear();
    return;
  }
  bool unicodeStyle = GetStyle()->GetTextStyles()->GetItem(target->GetEditData()->CurTextStyleNo)->Unicode;
  if (clipboard->HasFormat(CF_UNICODETEXT) && (unicodeStyle || !clipboard->HasFormat(CF_TEXT))) {
    AnsiString bytes = clipboard->GetBuffer(CF_UNICODETEXT);
    WideString text(bytes.size() / 2, L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * 2);
    std::size_t end = text.find(L'\0');
    if (end != WideString::npos) text.resize(end);
    InsertUnicodeText(text);
    return;
  }
  if (clipboard->HasFormat(CF_TEXT)) {
    InsertText(clipboard->GetAsText());
    return;
  }
  if (clipboard->HasFormat(CF_BITMAP)) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(clipboard);
    InsertGraphic(AnsiString(), bitmap.release(), 0);
    return;
  }
  if (clipboard->HasFormat(CF_METAFILEPICT) || clipboard->HasFormat(CF_ENHMETAFILE)) {
    auto* metafile = new TMetafile();
    try {
      metafile->Assign(clipboard);
    } catch (...) {
      delete metafile;
      throw;
    }
    // The picture keeps the size it has on the screen, also once the metafile counts 1440 units
    // an inch (as it is written for other programs).
    Integer width = metafile->GetWidth();
    Integer height = metafile->GetHeight();
    if (metafile->GetInch() == 0) metafile->SetInch(1440);
    auto* item = new TUVGraphicItemInfo(target->GetEditData(), metafile, 0);
    item->ImageWidth = width;
    item->ImageHeight = height;
    target->InsertItem(AnsiString(), item);
  }
}

// ---------------------------------------------------------------------------------------------
// Undo and redo

namespace {

bool HasAction(TUVUndoList* List) { return List->GetCount() > 0 && !List->LastAction()->IsEmptyAction(); }

}  // namespace

bool TCustomUzurUvadEdit::CanUndo() {
  TCustomUzurUvadEdit* inner = GetInplaceEdit();
  return (inner && inner->CanUndo()) || HasAction(GetEditData()->UndoList);
}

bool TCustomUzurUvadEdit::CanRedo() {
  TCustomUzurUvadEdit* inner = GetInplaceEdit();
  return (inner && inner->CanRedo()) || HasAction(GetEditData()->RedoList);
}

void TCustomUzurUvadEdit::Undo() { UndoOrRedo(false); }

void TCustomUzurUvadEdit::Redo() { UndoOrRedo(true); }

void TCustomUzurUvadEdit::UndoOrRedo(bool Redo) {
  if (FReadOnly) {
    Beep();
    return;
  }
  TUVEditUVData* data = GetEditData();
  if (TCustomUzurUvadEdit* inner = GetInplaceEdit()) {
    if (Redo ? inner->CanRedo() : inner->CanUndo()) {
      inner->UndoOrRedo(Redo);
      return;
    }
    // The cell's editor closes first, which must not happen inside its own handler.
    if (HasAction(Redo ? data->RedoList : data->UndoList) && HandleAllocated())
      ::PostMessageA(GetHandle(), Redo ? WM_UVREDO : WM_UVUNDO, 0, 0);
    else
      Beep();
  } else {
    PerformLastAction(Redo);
  }
  if (GetVisible()) SetActiveControlIfCanFocus();
}

void TCustomUzurUvadEdit::PerformLastAction(bool Redo) {
  TUVEditUVData* data = GetEditData();
  TUVUndoList* list = Redo ? data->RedoList : data->UndoList;
  if (!HasAction(list)) {
    Beep();
    return;
  }
  if (Redo)
    list->Redo(data);
  else
    list->Undo(data);
  NotifyChanged(false);
}

void TCustomUzurUvadEdit::ClearUndoLists() {
  if (TCustomUzurUvadEdit* inner = GetInplaceEdit()) inner->ClearUndoLists();
  GetEditData()->UndoList->Clear();
  GetEditData()->RedoList->Clear();
}

// ---------------------------------------------------------------------------------------------
// Styles

void TCustomUzurUvadEdit::ApplyParagraphStyle(Integer ParaNo) {
  if (TCustomUzurUvadEdit* inner = GetInplaceEdit()) {
    inner->ApplyParagraphStyle(ParaNo);
    return;
  }
  if (!CanChange()) return;
  TUVEditUVData* data = GetEditData();
  data->OpenUndoAction(uvutPara);
  data->ApplyParaStyle(ParaNo, false);
  data->UndoList->DropEmptyLast();
}

void TCustomUzurUvadEdit::ConvertTextStyles(Integer UserData) { ConvertStyles(UserData, false); }

void TCustomUzurUvadEdit::ConvertParagraphStyles(Integer UserData) { ConvertStyles(UserData, true); }

void TCustomUzurUvadEdit::ConvertStyles(Integer UserData, bool Para) {
  if (TCustomUzurUvadEdit* inner = GetInplaceEdit()) {
    inner->ConvertStyles(UserData, Para);
    return;
  }
  const TUVStyleConversionEvent& event = Para ? OnParaStyleConversion : OnStyleConversion;
  if (!event || !CanChange()) return;
  // The document asks the event under way for each style it converts.
  FPendingConversion = event;
  TUVEditUVData* data = GetEditData();
  try {
    if (Para) {
      data->OpenUndoAction(uvutPara);
      data->ApplyParaStyle(UserData, true);
    } else {
      data->ApplyStyleConversion(UserData);
    }
  } catch (...) {
    FPendingConversion = TUVStyleConversionEvent();
    throw;
  }
  data->UndoList->DropEmptyLast();
  FPendingConversion = TUVStyleConversionEvent();
}

Integer TCustomUzurUvadEdit::GetCurTextStyleNo() { return GetTopLevelEditor()->GetEditData()->CurTextStyleNo; }

Integer TCustomUzurUvadEdit::GetCurParaStyleNo() { return GetTopLevelEditor()->GetEditData()->CurParaStyleNo; }

void TCustomUzurUvadEdit::SetCurrentTextStyle(Integer StyleNo) {
  GetTopLevelEditor()->GetEditData()->SetCurrentTextStyle(StyleNo);
}

void TCustomUzurUvadEdit::SetCurrentParaStyle(Integer ParaNo) {
  GetTopLevelEditor()->GetEditData()->SetCurrentParaStyle(ParaNo);
}

void TCustomUzurUvadEdit::SwitchToUnicodeTextStyle() {
  TUVStyle* style = GetStyle();
  if (!style) return;
  TFontInfos* fonts = style->GetTextStyles();
  Integer unicodeStyle = style->DefUnicodeStyle;
  if (fonts->GetItem(GetCurTextStyleNo())->Unicode || unicodeStyle < 0 || unicodeStyle >= fonts->GetCount()) return;
  SetCurrentTextStyle(unicodeStyle);
}

// ---------------------------------------------------------------------------------------------
// The caret and searching

TCustomUVItemInfo* TCustomUzurUvadEdit::GetItemAtCaret() {
  TUVEditUVData* data = GetTopLevelEditor()->GetEditData();
  Integer itemNo = data->GetCurItemNo();
  return itemNo < 0 ? nullptr : data->GetItem(itemNo);
}

bool TCustomUzurUvadEdit::SearchText(const AnsiString& Text, Integer Options) {
  return GetEditData()->SearchText((Options & uvsoDown) != 0, (Options & uvsoMatchCase) != 0, Text,
                                   (Options & uvsoWholeWords) != 0);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TCustomUzurUvadEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  // The caret is shown again, or hidden while read-only when the options say so.
  GetEditData()->ChangeCaret(false, false, true);
  TCustomUzurUvadEdit* top = GetTopLevelEditor();
  if (top != this) top->GetEditData()->ChangeCaret(false, false, true);
  Invalidate();
}

void TCustomUzurUvadEdit::SetTabNavigation(TUVTabNavigationType Value) {
  if (Value != uvtnNone) throw EUzurUvadError("Not supported in editor");
  inherited::SetTabNavigation(Value);
}

void TCustomUzurUvadEdit::AssignEvents(TCustomUzurUvad* Source) {
  inherited::AssignEvents(Source);
  auto* editor = dynamic_cast<TCustomUzurUvadEdit*>(Source);
  if (!editor) return;
  OnStyleConversion = editor->OnStyleConversion;
  OnParaStyleConversion = editor->OnParaStyleConversion;
  OnPaste = editor->OnPaste;
  OnCaretGetOut = editor->OnCaretGetOut;
  OnCaretMove = editor->OnCaretMove;
  OnChange = editor->OnChange;
  OnChanging = editor->OnChanging;
  OnCurParaStyleChanged = editor->OnCurParaStyleChanged;
  OnCurTextStyleChanged = editor->OnCurTextStyleChanged;
}

void TCustomUzurUvadEdit::ClearFormattingData() {
  // The system caret has nowhere to stand until the document is laid out again.
  TUVEditUVData* data = GetEditData();
  if (data->CaretHeight != 0 && HandleAllocated() && ::GetFocus() == GetHandle()) {
    ::HideCaret(GetHandle());
    ::DestroyCaret();
  }
  data->CaretHeight = 0;
  inherited::ClearFormattingData();
}

void TCustomUzurUvadEdit::ScrollToPosition(Integer Position, bool Redraw) {
  inherited::ScrollToPosition(Position, Redraw);
  GetEditData()->PlaceSystemCaret();
}

void TCustomUzurUvadEdit::ScrollToHPosition(Integer X) {
  inherited::ScrollToHPosition(X);
  GetEditData()->PlaceSystemCaret();
}

// ---------------------------------------------------------------------------------------------
// Published properties

PUBLISHED(VUzurUvadEdit) {
  UV_VIEWER_PUBLISHED_PROPS(crIBeam, uvtnNone);
  Prop("ReadOnly", &VUzurUvadEdit::GetReadOnly, &VUzurUvadEdit::SetReadOnly).Default(false);
  Prop("EditorOptions", &VUzurUvadEdit::GetEditorOptions, &VUzurUvadEdit::SetEditorOptions)
      .Default(TUVEditorOptions{uvoClearTagOnStyleApp});
  Prop("UndoLimit", &VUzurUvadEdit::GetUndoLimit, &VUzurUvadEdit::SetUndoLimit).Default(-1);
  Prop("OnCurParaStyleChanged", &VUzurUvadEdit::OnCurParaStyleChanged);
  Prop("OnCurTextStyleChanged", &VUzurUvadEdit::OnCurTextStyleChanged);
  Prop("OnChange", &VUzurUvadEdit::OnChange);
  Prop("OnChanging", &VUzurUvadEdit::OnChanging);
  Prop("OnCaretMove", &VUzurUvadEdit::OnCaretMove);
  Prop("OnStyleConversion", &VUzurUvadEdit::OnStyleConversion);
  Prop("OnParaStyleConversion", &VUzurUvadEdit::OnParaStyleConversion);
  Prop("OnPaste", &VUzurUvadEdit::OnPaste);
  Prop("OnCaretGetOut", &VUzurUvadEdit::OnCaretGetOut);
}

bool uvedit_detail::RegisterClasses() {
  RegisterClass(VUzurUvadEdit::StaticClass());
  return true;
}
