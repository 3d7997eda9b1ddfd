// The viewer: construction and properties, layout, painting, the background and palette, and
// the files and streams it loads and saves. Input and messages are in UzurUvadInput.cpp.
#include "richtext/core/UzurUvad.h"

#include <memory>

#include "classlib/Forms.h"
#include "classlib/Registry.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvadPublished.h"

namespace {

VUzurUvadUVData* MakeViewerData(TCustomUzurUvad* Viewer) { return new VUzurUvadUVData(Viewer); }

}  // namespace

TCustomUzurUvad::TCustomUzurUvad(TComponent* AOwner) : TUVScroller(AOwner) { Init(&MakeViewerData); }

TCustomUzurUvad::TCustomUzurUvad(TComponent* AOwner, TUVDataClass DataClass) : TUVScroller(AOwner) {
  Init(DataClass);
}

void TCustomUzurUvad::Init(TUVDataClass DataClass) {
  FDataClass = DataClass;
  FData = DataClass(this);
  SetColor(clNone);
  FBackground = new TUVBackground();
  FBackground->Bitmap->OnChange = TNotifyEvent(this, &TCustomUzurUvad::BackgroundChanged);
  SetBounds(GetLeft(), GetTop(), 100, 40);
  FDelimiters = UVDefaultDelimiters;
  SetBorderStyle(bsSingle);
  if (GetComponentState().Contains(csDesigning) && !GetComponentState().Contains(csLoading)) ReadDesignDefaults();
}

TCustomUzurUvad::~TCustomUzurUvad() {
  delete FBackground;
  FBackground = nullptr;
  Clear();
  for (TUVMessageData* data : FPendingEvents) delete data;
  FPendingEvents.clear();
  delete FData;
  FData = nullptr;
  delete FRTFReadProperties;
}

void TCustomUzurUvad::ReadDesignDefaults() {
  if (FData->DesignDefaultsRead) return;
  FData->DesignDefaultsRead = true;
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  if (!reg.OpenKeyReadOnly("Software\\VUzurUvad")) return;
  if (reg.ValueExists("Styles")) {
    Integer styles = reg.ReadInteger("Styles");
    if (styles == 0 || styles == 1) {
      TUVFReaderStyleMode mode = styles == 0 ? uvf_sInsertMap : uvf_sInsertMerge;
      FUVFTextStylesReadMode = mode;
      FUVFParaStylesReadMode = mode;
      if (styles == 0)
        FUVFOptions >> uvfoSaveTextStyles >> uvfoSaveParaStyles;
      else
        FUVFOptions << uvfoSaveTextStyles << uvfoSaveParaStyles;
      TUVReaderStyleMode rtfMode = styles == 0 ? uvrsUseClosest : uvrsAddIfNeeded;
      GetRTFReadProperties()->TextStyleMode = rtfMode;
      GetRTFReadProperties()->ParaStyleMode = rtfMode;
    }
  }
  if (reg.ValueExists("Tags")) {
    Integer tags = reg.ReadInteger("Tags");
    if (tags == 0) FOptions >> uvoTagsArePChars;
    if (tags == 1) FOptions << uvoTagsArePChars;
  }
  static const TUVFOption kFlags[] = {uvfoSaveBack,           uvfoSaveLayout,          uvfoSaveBinary,
                                      uvfoSavePicturesBody,   uvfoSaveControlsBody,    uvfoLoadBack,
                                      uvfoLoadLayout,         uvfoIgnoreUnknownPicFmt, uvfoIgnoreUnknownCtrls,
                                      uvfoConvUnknownStylesToZero, uvfoConvLargeImageIdxToZero};
  for (Integer i = 0; i < 11; ++i) {
    AnsiString name = ::Format("uvf%.2d", {i + 1});
    if (!reg.ValueExists(name)) continue;
    if (reg.ReadBool(name))
      FUVFOptions << kFlags[i];
    else
      FUVFOptions >> kFlags[i];
  }
}

void TCustomUzurUvad::Loaded() {
  inherited::Loaded();
  UpdatePaletteInfo();
  Format();
}

void TCustomUzurUvad::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FStyle) FStyle = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Properties

void TCustomUzurUvad::SetStyle(TUVStyle* Value) {
  if (Value == FStyle) return;
  if (FStyle) FStyle->RemoveFreeNotification(this);
  FStyle = Value;
  if (FStyle) FStyle->FreeNotification(this);
  if (GetComponentState().Contains(csDesigning) || FOptions.Contains(uvoFormatInvalidate)) Invalidate();
}

void TCustomUzurUvad::SetCursor(TCursor Value) {
  FUVCursor = Value;
  ShowCursor(Value);
}

void TCustomUzurUvad::ShowCursor(TCursor Value) {
  if (TControl::GetCursor() == Value) return;
  TControl::SetCursor(Value);
  // Shown at once when the mouse is over the document.
  if (!HandleAllocated()) return;
  POINT p;
  if (::GetCursorPos(&p) && ::WindowFromPoint(p) == GetHandle() && !::GetCapture())
    ::SendMessageA(GetHandle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(GetHandle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  else if (::GetCapture() == GetHandle())
    ::SetCursor(Screen->GetCursors(Value));
}

void TCustomUzurUvad::SetTabNavigation(TUVTabNavigationType Value) {
  FData->TabNavigation = Value;
  if (Value == uvtnNone) FData->SetFocusedItem(nullptr, -1);
}

void TCustomUzurUvad::SetAllowSelection(bool Value) {
  if (Value)
    FOptions << uvoAllowSelection;
  else
    FOptions >> uvoAllowSelection;
}

void TCustomUzurUvad::SetSingleClick(bool Value) {
  if (Value)
    FOptions << uvoSingleClick;
  else
    FOptions >> uvoSingleClick;
}

TColor TCustomUzurUvad::GetEffectiveColor() {
  if (GetColor() != clNone) return GetColor();
  return FStyle ? FStyle->Color : clWindow;
}

TUVRTFReaderProperties* TCustomUzurUvad::GetRTFReadProperties() {
  if (!FRTFReadProperties) FRTFReadProperties = new TUVRTFReaderProperties();
  return FRTFReadProperties;
}

void TCustomUzurUvad::SetRTFReadProperties(TUVRTFReaderProperties* Value) { GetRTFReadProperties()->Assign(Value); }

void TCustomUzurUvad::SetVSmallStep(Integer Value) {
  // A step that would need more than 32000 steps for the document is refused.
  if (Value <= 0 || FData->DocumentHeight / Value >= 32001) return;
  inherited::SetVSmallStep(Value);
}

void TCustomUzurUvad::SetUVBiDiMode(TUVBiDiMode Value) {
  if (Value == GetUVBiDiMode()) return;
  inherited::SetUVBiDiMode(Value);
  FormatData(false);
}

void TCustomUzurUvad::SetBackgroundBitmap(TBitmap* Value) {
  FBackground->Bitmap->Assign(Value);
  BackgroundChanged(this);
}

void TCustomUzurUvad::SetBackgroundStyle(TBackgroundStyle Value) {
  FBackground->Style = Value;
  BackgroundChanged(this);
}

void TCustomUzurUvad::BackgroundChanged(TObject*) {
  if (!FBackground || FData->IsUpdatingPalette()) return;
  SetFullRedraw(FBackground->ScrollRequiresFullRedraw());
  FData->UpdateBackgroundPaletted(FBackground);
  if (FOptions.Contains(uvoFormatInvalidate)) Invalidate();
}

void TCustomUzurUvad::UpdatePaletteInfo() {
  inherited::UpdatePaletteInfo();
  for (Integer i = 0; i < FData->GetItemCount(); ++i)
    FData->GetItem(i)->UpdatePaletteInfo(GetDoInPaletteMode(), false, GetPalette(), GetLogPalette());
  FData->UpdateBackgroundPaletted(FBackground);
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Layout and the document

void TCustomUzurUvad::Format() {
  FormatData(false);
  if (FOptions.Contains(uvoFormatInvalidate)) Invalidate();
}

void TCustomUzurUvad::FormatData(bool KeepPosition) {
  if (FVSmallStep == 0 || GetComponentState().Contains(csDesigning)) return;
  FData->Format(KeepPosition, false, false, 0, nullptr, false, false);
}

void TCustomUzurUvad::ClearFormattingData() {
  StopAutoScroll();
  FData->ClearFormattingData();
}

void TCustomUzurUvad::Clear() {
  // A chosen document nested in an item (a table cell) goes with its item: the choice is given
  // up while the item can still answer for it.
  if (GetChosenData()) UnChoose(GetChosenData());
  ClearFormattingData();
  FData->Clear();
}

void TCustomUzurUvad::InitScrollState() {
  if (FData->GetItemCount() == 0) {
    FHPos = 0;
    FVPos = 0;
    TRect client = GetClientRect();
    UpdateScrollBars(client.Right, client.Bottom / FVSmallStep, true, true);
  } else {
    FormatData(true);
  }
}

void TCustomUzurUvad::SelectAll() {
  FData->SelectAll();
  Invalidate();
}

void TCustomUzurUvad::Deselect() {
  FData->Deselect(nullptr, true);
  Invalidate();
}

bool TCustomUzurUvad::CopyToClipboard() { return FData->Copy(GetEffectiveColor(), FBackground); }

void TCustomUzurUvad::RefreshAfterChange() {
  FData->LastDIUnderMouse = -1;
  Invalidate();
}

void TCustomUzurUvad::AssignEvents(TCustomUzurUvad* Source) {
  OnJump = Source->OnJump;
  OnUVMouseMove = Source->OnUVMouseMove;
  OnSaveComponentToFile = Source->OnSaveComponentToFile;
  OnURLNeeded = Source->OnURLNeeded;
  OnUVDblClick = Source->OnUVDblClick;
  OnUVRightClick = Source->OnUVRightClick;
  OnUVMouseUp = Source->OnUVMouseUp;
  OnUVMouseDown = Source->OnUVMouseDown;
  OnControlAction = Source->OnControlAction;
  OnItemAction = Source->OnItemAction;
  OnUVFPictureNeeded = Source->OnUVFPictureNeeded;
  OnUVFControlNeeded = Source->OnUVFControlNeeded;
  OnUVFImageListNeeded = Source->OnUVFImageListNeeded;
  OnCopy = Source->OnCopy;
  OnHTMLSaveImage = Source->OnHTMLSaveImage;
  OnSelect = Source->OnSelect;
  OnClick = Source->OnClick;
  OnDblClick = Source->OnDblClick;
  OnKeyDown = Source->OnKeyDown;
  OnKeyPress = Source->OnKeyPress;
  OnKeyUp = Source->OnKeyUp;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TCustomUzurUvad::Paint() {
  TCanvas* canvas = GetCanvas();
  if (!FStyle) {
    PaintNoStyle();
    return;
  }
  bool overlay = FData->XorDrawingShown;
  if (overlay) FData->HideXorDrawing();
  FData->PaintBuffered(canvas, canvas->GetClipRect());
  if (OnPaint) OnPaint(this, canvas, false);
  if (overlay) FData->XorDrawingAt(FData->XorX, FData->XorY);
}

void TCustomUzurUvad::PaintNoStyle() {
  TCanvas* canvas = GetCanvas();
  TRect client = GetClientRect();
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->GetBrush()->SetColor(GetEffectiveColor());
  canvas->GetPen()->SetColor(GetCtl3D() ? clWindow : clWindowText);
  if (GetCtl3D())
    canvas->FillRect(client);
  else
    canvas->Rectangle(client.Left, client.Top, client.Right, client.Bottom);
  TFont* font = canvas->GetFont();
  font->SetName("MS Sans Serif");
  font->SetSize(8);
  font->SetStyle(TFontStyles());
  font->SetColor(clWindowText);
  canvas->GetBrush()->SetStyle(bsClear);
  AnsiString text = "Style is not defined\rCreate a TUVStyle object and assign it to " + GetName() + ".Style";
  RECT r{client.Left + 2, client.Top + 2, client.Right - 2, client.Bottom - 2};
  ::DrawTextA(canvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &r, DT_WORDBREAK | DT_NOPREFIX);
}

// ---------------------------------------------------------------------------------------------
// Files and streams

namespace {

// The layout record a document is saved with: the viewer's margins, widths and direction.
void FillLayout(TCustomUzurUvad* Viewer, TUVLayoutInfo& Layout) {
  Layout.LeftMargin = Viewer->GetLeftMargin();
  Layout.RightMargin = Viewer->GetRightMargin();
  Layout.TopMargin = Viewer->GetTopMargin();
  Layout.BottomMargin = Viewer->GetBottomMargin();
  Layout.MinTextWidth = Viewer->GetMinTextWidth();
  Layout.MaxTextWidth = Viewer->GetMaxTextWidth();
  Layout.BiDiMode = Viewer->GetUVBiDiMode();
}

}  // namespace

bool TCustomUzurUvad::LoadUVFFromStream(TStream* Stream) {
  TUVLayoutInfo layout;
  TColor color = GetColor();
  bool ok = FData->LoadUVFFromStream(Stream, &color, FBackground, &layout);
  if (layout.Loaded) {
    FLeftMargin = layout.LeftMargin;
    FRightMargin = layout.RightMargin;
    FTopMargin = layout.TopMargin;
    FBottomMargin = layout.BottomMargin;
    FMinTextWidth = layout.MinTextWidth;
    FMaxTextWidth = layout.MaxTextWidth;
    SetUVBiDiMode(layout.BiDiMode);
  }
  SetColor(color);
  return ok;
}

bool TCustomUzurUvad::LoadUVF(const AnsiString& FileName) {
  std::unique_ptr<TFileStream> stream;
  try {
    stream = std::make_unique<TFileStream>(FileName, fmOpenRead | fmShareDenyWrite);
  } catch (const Exception&) {
    return false;
  }
  return LoadUVFFromStream(stream.get());
}

bool TCustomUzurUvad::SaveUVFToStream(TStream* Stream, bool SelectionOnly) {
  TUVLayoutInfo layout;
  FillLayout(this, layout);
  return FData->SaveUVFToStream(Stream, SelectionOnly, GetColor(), FBackground, &layout);
}

bool TCustomUzurUvad::SaveUVF(const AnsiString& FileName, bool SelectionOnly) {
  std::unique_ptr<TFileStream> stream;
  try {
    stream = std::make_unique<TFileStream>(FileName, fmCreate);
  } catch (const Exception&) {
    return false;
  }
  return SaveUVFToStream(stream.get(), SelectionOnly);
}

bool TCustomUzurUvad::SaveRTFToStream(TStream* Stream, bool SelectionOnly) {
  return FData->SaveRTFToStream(Stream, SelectionOnly, GetEffectiveColor());
}

bool TCustomUzurUvad::SaveRTF(const AnsiString& FileName, bool SelectionOnly) {
  return FData->SaveRTF(FileName, SelectionOnly, GetEffectiveColor());
}

bool TCustomUzurUvad::LoadRTF(const AnsiString& FileName) {
  return GetRTFReadProperties()->ReadFromFile(FileName, FData) == rtf_ec_OK;
}

bool TCustomUzurUvad::LoadRTFFromStream(TStream* Stream) {
  return GetRTFReadProperties()->ReadFromStream(Stream, FData) == rtf_ec_OK;
}

bool TCustomUzurUvad::SaveHTML(const AnsiString& FileName, const AnsiString& Title, const AnsiString& ImagesPrefix,
                               Integer Options) {
  return FData->SaveHTML(FileName, Title, ImagesPrefix, Options, GetEffectiveColor(), FLeftMargin, FTopMargin,
                         FRightMargin, FBottomMargin, FBackground);
}

bool TCustomUzurUvad::SaveHTMLWithCSS(const AnsiString& FileName, const AnsiString& Title,
                                      const AnsiString& ImagesPrefix, Integer Options) {
  return FData->SaveHTMLWithCSS(FileName, Title, ImagesPrefix, Options, GetEffectiveColor(), FLeftMargin, FTopMargin,
                                FRightMargin, FBottomMargin, FBackground, AnsiString());
}

bool TCustomUzurUvad::LoadText(const AnsiString& FileName, Integer StyleNo, Integer ParaNo, bool AsSingleParagraph) {
  return FData->LoadText(FileName, StyleNo, ParaNo, AsSingleParagraph);
}

bool TCustomUzurUvad::SaveText(const AnsiString& FileName, Integer LineWidth) {
  return FData->SaveText(FileName, LineWidth, false);
}

bool TCustomUzurUvad::SaveTextUnicode(const AnsiString& FileName, Integer LineWidth) {
  return FData->SaveText(FileName, LineWidth, true);
}

bool TCustomUzurUvad::SaveTextToStream(const AnsiString& Path, TStream* Stream, Integer LineWidth, bool SelectionOnly,
                                       bool TextOnly) {
  return FData->SaveTextToStream(Stream, Path, LineWidth, SelectionOnly, TextOnly, false);
}

// ---------------------------------------------------------------------------------------------
// Published properties

PUBLISHED(VUzurUvad) { UV_VIEWER_PUBLISHED_PROPS(crDefault, uvtnTab); }

namespace {
// Forms name the viewer by its class.
const bool kUzurUvadRegistered = (RegisterClass(VUzurUvad::StaticClass()), true);
}  // namespace
