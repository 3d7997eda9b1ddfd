#include "richtext/core/UVUVData.h"

#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"

VUzurUvadUVData::VUzurUvadUVData(TCustomUzurUvad* AViewer) : FViewer(AViewer) {}

VUzurUvadUVData::~VUzurUvadUVData() {
  // The items go while this class's answers (the viewer, the marker list) still exist.
  Clear();
  delete FMarkers;
}

// ---------------------------------------------------------------------------------------------
// From the viewer

TUVStyle* VUzurUvadUVData::GetUVStyle() { return FViewer->GetStyle(); }
TUVOptions VUzurUvadUVData::GetOptions() { return FViewer->GetOptions(); }
void VUzurUvadUVData::SetOptions(TUVOptions Value) { FViewer->SetOptions(Value); }
TUVFOptions VUzurUvadUVData::GetUVFOptions() { return FViewer->GetUVFOptions(); }
void VUzurUvadUVData::SetUVFOptions(TUVFOptions Value) { FViewer->SetUVFOptions(Value); }
TUVRTFOptions VUzurUvadUVData::GetRTFOptions() { return FViewer->GetRTFOptions(); }
void VUzurUvadUVData::SetRTFOptions(TUVRTFOptions Value) { FViewer->SetRTFOptions(Value); }
Cardinal VUzurUvadUVData::GetUVFWarnings() { return FViewer->GetUVFWarnings(); }
void VUzurUvadUVData::SetUVFWarnings(Cardinal Value) { FViewer->SetUVFWarnings(Value); }
TUVFlags VUzurUvadUVData::GetFlags() { return FViewer->GetDocumentFlags(); }
void VUzurUvadUVData::SetFlags(TUVFlags Value) { FViewer->SetDocumentFlags(Value); }
TUVFReaderStyleMode VUzurUvadUVData::GetUVFTextStylesReadMode() { return FViewer->GetUVFTextStylesReadMode(); }
TUVFReaderStyleMode VUzurUvadUVData::GetUVFParaStylesReadMode() { return FViewer->GetUVFParaStylesReadMode(); }
TUVPaletteAction VUzurUvadUVData::GetDoInPaletteMode() { return FViewer->GetDoInPaletteMode(); }
HPALETTE VUzurUvadUVData::GetUVPalette() { return FViewer->GetPalette(); }
LOGPALETTE* VUzurUvadUVData::GetUVLogPalette() { return FViewer->GetLogPalette(); }
TUVBiDiMode VUzurUvadUVData::GetBiDiMode() { return FViewer->GetUVBiDiMode(); }
Integer VUzurUvadUVData::GetLeftMargin() { return FViewer->GetLeftMargin(); }
Integer VUzurUvadUVData::GetRightMargin() { return FViewer->GetRightMargin(); }
Integer VUzurUvadUVData::GetTopMargin() { return FViewer->GetTopMargin(); }
Integer VUzurUvadUVData::GetBottomMargin() { return FViewer->GetBottomMargin(); }
Integer VUzurUvadUVData::GetMinTextWidth() { return FViewer->GetMinTextWidth(); }
Integer VUzurUvadUVData::GetMaxTextWidth() { return FViewer->GetMaxTextWidth(); }
Integer VUzurUvadUVData::GetWidth() { return FViewer->GetClientWidth(); }
Integer VUzurUvadUVData::GetHeight() { return FViewer->GetClientHeight(); }
Integer VUzurUvadUVData::GetHOffs() { return FViewer->GetHOffs(); }
Integer VUzurUvadUVData::GetVOffs() { return FViewer->GetVOffs(); }
Integer VUzurUvadUVData::GetVSmallStep() { return FViewer->GetVSmallStep(); }
TCanvas* VUzurUvadUVData::GetCanvas() { return FViewer->GetCanvas(); }
TUVBackground* VUzurUvadUVData::GetBackground() { return FViewer->GetBackground(); }
TColor VUzurUvadUVData::GetColor() { return FViewer->GetEffectiveColor(); }
TCursor VUzurUvadUVData::GetCursor() { return FViewer->GetCursor(); }
void VUzurUvadUVData::SetCursor(TCursor Cursor) { FViewer->ShowCursor(Cursor); }
AnsiString VUzurUvadUVData::GetDelimiters() { return FViewer->GetDelimiters(); }
TCPEventKind VUzurUvadUVData::GetCPEventKind() { return FViewer->GetCPEventKind(); }
TUVRTFReaderProperties* VUzurUvadUVData::GetRTFReadProperties() { return FViewer->GetRTFReadProperties(); }
TWinControl* VUzurUvadUVData::GetParentControl() { return FViewer; }
TWinControl* VUzurUvadUVData::GetInplaceEditor() { return FViewer->GetInplaceEditor(); }
void VUzurUvadUVData::CloseInplaceEditor() { FViewer->CloseInplaceEditor(); }
TCustomUVFormattedData* VUzurUvadUVData::GetChosenData() { return FViewer->GetChosenData(); }
TCustomUVItemInfo* VUzurUvadUVData::GetChosenItem() { return FViewer->GetChosenItem(); }

void VUzurUvadUVData::ReleasePartialSelection(TCustomUVItemInfo* Item) {
  TUVControlData::ReleasePartialSelection(Item);
  if (FViewer && FViewer->GetChosenItem() && FViewer->GetChosenItem() != Item)
    FViewer->UnChoose(FViewer->GetChosenData());
}
bool VUzurUvadUVData::CanMoveChildren() { return FViewer->HandleAllocated(); }
bool VUzurUvadUVData::IsDestroying() { return FViewer->GetComponentState().Contains(csDestroying); }
bool VUzurUvadUVData::IsControlFocused() { return FViewer->IsFocusedDeep(); }

void VUzurUvadUVData::SetControlFocus() {
  if (FViewer->CanFocus() && !FViewer->IsFocusedDeep()) FViewer->SetFocus();
}

TUVMarkerList* VUzurUvadUVData::GetMarkers(bool AllowCreate) {
  if (!(GetFlags() & uvflOwnMarkers)) return TUVControlData::GetMarkers(AllowCreate);
  if (!FMarkers && AllowCreate) FMarkers = new TUVMarkerList();
  return FMarkers;
}

void VUzurUvadUVData::DestroyMarkers() {
  if (!(GetFlags() & uvflOwnMarkers)) {
    TUVControlData::DestroyMarkers();
    return;
  }
  delete FMarkers;
  FMarkers = nullptr;
}

// ---------------------------------------------------------------------------------------------
// To the viewer

void VUzurUvadUVData::SetDocumentAreaSize(Integer Width, Integer Height, bool UpdateH) {
  Integer step = FViewer->GetVSmallStep();
  if (step <= 0) return;
  FViewer->UpdateScrollBars(Width, Height / step + (Height % step != 0 ? 1 : 0), true, UpdateH);
}

void VUzurUvadUVData::AdjustVScrollUnits() {
  // The scroll bar's range stays within 32000 steps: short documents scroll 10 pixels a step,
  // longer ones as few pixels more as that needs.
  Integer height = DocumentHeight;
  Integer step = FViewer->GetVSmallStep();
  if (step <= 0) return;
  if (height / step < 32001) {
    if (step > 10 && height / 10 < 32001) FViewer->SetVSmallStep(10);
    return;
  }
  step = height / 32000;
  if (height / step > 32000) ++step;
  FViewer->SetVSmallStep(step);
}

void VUzurUvadUVData::ScrollTo(Integer Y, bool Redraw) {
  if (State & uvstNoScroll) return;
  if (Redraw)
    FViewer->ScrollTo(Y);
  else
    FViewer->ScrollToNoRedraw(Y);
}

void VUzurUvadUVData::HScrollTo(Integer X) {
  if (State & uvstNoScroll) return;
  FViewer->ScrollToHPosition(X);
}

// ---------------------------------------------------------------------------------------------
// The viewer's events

void VUzurUvadUVData::DoCheckpointVisible(TUVCPInfo* Checkpoint) {
  if (FViewer->OnCheckpointVisible) FViewer->OnCheckpointVisible(FViewer, Checkpoint);
}

void VUzurUvadUVData::DoSelect() {
  if (FViewer->OnSelect && !IsDestroying() && FViewer->HandleAllocated()) FViewer->OnSelect(FViewer);
}

void VUzurUvadUVData::DoJump(Integer Id) {
  if (FViewer->OnJump) FViewer->OnJump(FViewer, Id);
}

void VUzurUvadUVData::DoUVMouseMove(Integer Id) {
  if (FViewer->OnUVMouseMove) FViewer->OnUVMouseMove(FViewer, Id);
}

void VUzurUvadUVData::DoUVMouseDown(TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X, Integer Y) {
  if (FViewer->OnUVMouseDown) FViewer->OnUVMouseDown(FViewer, Button, Shift, ItemNo, X, Y);
}

void VUzurUvadUVData::DoUVMouseUp(TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X, Integer Y) {
  if (FViewer->OnUVMouseUp) FViewer->OnUVMouseUp(FViewer, Button, Shift, ItemNo, X, Y);
}

void VUzurUvadUVData::DoUVDblClick(const AnsiString& ClickedWord, Integer Style) {
  if (FViewer->OnUVDblClick) FViewer->OnUVDblClick(FViewer, ClickedWord, Style);
}

void VUzurUvadUVData::DoUVRightClick(const AnsiString& ClickedWord, Integer Style, Integer X, Integer Y) {
  if (FViewer->OnUVRightClick) FViewer->OnUVRightClick(FViewer, ClickedWord, Style, X, Y);
}

void VUzurUvadUVData::DoCopy() {
  if (FViewer->OnCopy) FViewer->OnCopy(FViewer);
}

bool VUzurUvadUVData::IsAssignedOnJump() { return static_cast<bool>(FViewer->OnJump); }
bool VUzurUvadUVData::IsAssignedOnUVMouseDown() { return static_cast<bool>(FViewer->OnUVMouseDown); }
bool VUzurUvadUVData::IsAssignedOnUVMouseUp() { return static_cast<bool>(FViewer->OnUVMouseUp); }
bool VUzurUvadUVData::IsAssignedOnUVDblClick() { return static_cast<bool>(FViewer->OnUVDblClick); }
bool VUzurUvadUVData::IsAssignedOnUVRightClick() { return static_cast<bool>(FViewer->OnUVRightClick); }
bool VUzurUvadUVData::IsAssignedOnCopy() { return static_cast<bool>(FViewer->OnCopy); }
bool VUzurUvadUVData::IsAssignedOnCheckpointVisible() { return static_cast<bool>(FViewer->OnCheckpointVisible); }

AnsiString VUzurUvadUVData::GetURL(Integer Id) {
  AnsiString url;
  if (FViewer->OnURLNeeded) FViewer->OnURLNeeded(FViewer, Id, url);
  return url;
}

AnsiString VUzurUvadUVData::GetRTFExtra(Integer Area, TPersistent* Obj, Integer Index1, Integer Index2,
                                        bool InStyleSheet) {
  AnsiString code;
  if (FViewer->OnSaveRTFExtra) FViewer->OnSaveRTFExtra(FViewer, Area, Obj, Index1, Index2, InStyleSheet, code);
  return code;
}

AnsiString VUzurUvadUVData::GetHTMLExtra(Integer Area, bool CSSVersion) {
  AnsiString code;
  if (FViewer->OnSaveHTMLExtra) FViewer->OnSaveHTMLExtra(FViewer, Area, CSSVersion, code);
  return code;
}

void VUzurUvadUVData::ReadHyperlink(const AnsiString& Target, const AnsiString& Extras, Integer DocFormat,
                                    Integer& StyleNo, TUVTag& ItemTag, AnsiString& ItemName) {
  // Pictures and image-list images that are hyperlinks become their hyperlink kinds.
  if (StyleNo == uvsBullet) StyleNo = uvsHotspot;
  if (StyleNo == uvsPicture) StyleNo = uvsHotPicture;
  if (FViewer->OnReadHyperlink) FViewer->OnReadHyperlink(FViewer, Target, Extras, DocFormat, StyleNo, ItemTag, ItemName);
}

TGraphic* VUzurUvadUVData::UVFPictureNeeded(const AnsiString& ItemName, TUVTag ItemTag) {
  TGraphic* graphic = nullptr;
  if (FViewer->OnUVFPictureNeeded) FViewer->OnUVFPictureNeeded(FViewer, ItemName, ItemTag, graphic);
  return graphic;
}

TControl* VUzurUvadUVData::UVFControlNeeded(const AnsiString& ItemName, TUVTag ItemTag) {
  TControl* control = nullptr;
  if (FViewer->OnUVFControlNeeded) FViewer->OnUVFControlNeeded(FViewer, ItemName, ItemTag, control);
  return control;
}

TCustomImageList* VUzurUvadUVData::UVFImageListNeeded(Integer ImageListTag) {
  TCustomImageList* list = nullptr;
  if (FViewer->OnUVFImageListNeeded) FViewer->OnUVFImageListNeeded(FViewer, ImageListTag, list);
  return list;
}

AnsiString VUzurUvadUVData::SaveComponentToFile(const AnsiString& Path, TControl* Control, Integer SaveFormat) {
  AnsiString out;
  if (FViewer->OnSaveComponentToFile) FViewer->OnSaveComponentToFile(FViewer, Path, Control, SaveFormat, out);
  return out;
}

void VUzurUvadUVData::HTMLSaveImage(TCustomUVData* UVData, Integer ItemNo, const AnsiString& Path, TColor BackColor,
                                    AnsiString& Location, bool& DoDefault) {
  Location.clear();
  DoDefault = true;
  if (FViewer->OnHTMLSaveImage) FViewer->OnHTMLSaveImage(FViewer, UVData, ItemNo, Path, BackColor, Location, DoDefault);
}

void VUzurUvadUVData::ControlAction(TUVControlAction Action, Integer ItemNo, TControl*& Control) {
  if (FViewer->OnControlAction) FViewer->OnControlAction(FViewer, Action, ItemNo, Control);
}

void VUzurUvadUVData::ItemAction(TUVItemAction Action, TCustomUVItemInfo* Item, AnsiString& Text) {
  if (FViewer->OnItemAction) FViewer->OnItemAction(FViewer, Action, Item, Text, this);
}
