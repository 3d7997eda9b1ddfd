// The document of a viewer: it answers every question the document model asks about its
// surroundings (style sheet, options, margins, colours, scroll position, canvas) from the viewer
// that owns it, raises the viewer's events, and tells the viewer's scroll bars the size of the
// formatted document. The editor's document derives from it.
#pragma once

#include "richtext/core/UVCtrlData.h"

class TCustomUzurUvad;
class TUVRTFReaderProperties;

class VUzurUvadUVData : public TUVControlData {
  CLASS_INFO(VUzurUvadUVData, TUVControlData)
public:
  explicit VUzurUvadUVData(TCustomUzurUvad* AViewer);
  ~VUzurUvadUVData() override;

  TCustomUzurUvad* GetViewer() const { return FViewer; }
  // Set once a viewer made in a designer has read its defaults from the registry.
  bool DesignDefaultsRead = false;

  // --- From the viewer
  TUVStyle* GetUVStyle() override;
  TUVOptions GetOptions() override;
  void SetOptions(TUVOptions Value) override;
  TUVFOptions GetUVFOptions() override;
  void SetUVFOptions(TUVFOptions Value) override;
  TUVRTFOptions GetRTFOptions() override;
  void SetRTFOptions(TUVRTFOptions Value) override;
  Cardinal GetUVFWarnings() override;
  void SetUVFWarnings(Cardinal Value) override;
  TUVFlags GetFlags() override;
  void SetFlags(TUVFlags Value) override;
  TUVFReaderStyleMode GetUVFTextStylesReadMode() override;
  TUVFReaderStyleMode GetUVFParaStylesReadMode() override;
  TUVPaletteAction GetDoInPaletteMode() override;
  HPALETTE GetUVPalette() override;
  LOGPALETTE* GetUVLogPalette() override;
  TUVBiDiMode GetBiDiMode() override;
  Integer GetLeftMargin() override;
  Integer GetRightMargin() override;
  Integer GetTopMargin() override;
  Integer GetBottomMargin() override;
  Integer GetMinTextWidth() override;
  Integer GetMaxTextWidth() override;
  Integer GetWidth() override;
  Integer GetHeight() override;
  Integer GetHOffs() override;
  Integer GetVOffs() override;
  Integer GetVSmallStep() override;
  TCanvas* GetCanvas() override;
  TUVBackground* GetBackground() override;
  TColor GetColor() override;
  TCursor GetCursor() override;
  void SetCursor(TCursor Cursor) override;
  AnsiString GetDelimiters() override;
  TCPEventKind GetCPEventKind() override;
  TUVRTFReaderProperties* GetRTFReadProperties() override;
  TWinControl* GetParentControl() override;
  TWinControl* GetInplaceEditor() override;
  void CloseInplaceEditor() override;
  TCustomUVFormattedData* GetChosenData() override;
  TCustomUVItemInfo* GetChosenItem() override;
  // The viewer keeps the chosen nested document: another item pressed gives it up there too.
  void ReleasePartialSelection(TCustomUVItemInfo* Item) override;
  bool CanMoveChildren() override;
  bool IsDestroying() override;
  bool IsControlFocused() override;
  void SetControlFocus() override;
  // The list-marker list of its own (created when first asked for) when the viewer's document
  // flags say so; the parent's otherwise.
  TUVMarkerList* GetMarkers(bool AllowCreate) override;
  void DestroyMarkers() override;

  // --- To the viewer
  // Sets the scroll bars for the document: the height in vertical steps, rounded up.
  void SetDocumentAreaSize(Integer Width, Integer Height, bool UpdateH) override;
  // Picks the vertical step: 10 pixels, or more when the document would need more than 32000.
  void AdjustVScrollUnits() override;
  void ScrollTo(Integer Y, bool Redraw) override;
  void HScrollTo(Integer X) override;

  // --- The viewer's events
  void DoCheckpointVisible(TUVCPInfo* Checkpoint) override;
  void DoSelect() override;
  void DoJump(Integer Id) override;
  void DoUVMouseMove(Integer Id) override;
  void DoUVMouseDown(TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X, Integer Y) override;
  void DoUVMouseUp(TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X, Integer Y) override;
  void DoUVDblClick(const AnsiString& ClickedWord, Integer Style) override;
  void DoUVRightClick(const AnsiString& ClickedWord, Integer Style, Integer X, Integer Y) override;
  void DoCopy() override;
  bool IsAssignedOnJump() override;
  bool IsAssignedOnUVMouseDown() override;
  bool IsAssignedOnUVMouseUp() override;
  bool IsAssignedOnUVDblClick() override;
  bool IsAssignedOnUVRightClick() override;
  bool IsAssignedOnCopy() override;
  bool IsAssignedOnCheckpointVisible() override;
  AnsiString GetURL(Integer Id) override;
  AnsiString GetRTFExtra(Integer Area, TPersistent* Obj, Integer Index1, Integer Index2, bool InStyleSheet) override;
  AnsiString GetHTMLExtra(Integer Area, bool CSSVersion) override;
  void ReadHyperlink(const AnsiString& Target, const AnsiString& Extras, Integer DocFormat, Integer& StyleNo,
                     TUVTag& ItemTag, AnsiString& ItemName) override;
  TGraphic* UVFPictureNeeded(const AnsiString& ItemName, TUVTag ItemTag) override;
  TControl* UVFControlNeeded(const AnsiString& ItemName, TUVTag ItemTag) override;
  TCustomImageList* UVFImageListNeeded(Integer ImageListTag) override;
  AnsiString SaveComponentToFile(const AnsiString& Path, TControl* Control, Integer SaveFormat) override;
  void HTMLSaveImage(TCustomUVData* UVData, Integer ItemNo, const AnsiString& Path, TColor BackColor,
                     AnsiString& Location, bool& DoDefault) override;
  void ControlAction(TUVControlAction Action, Integer ItemNo, TControl*& Control) override;
  void ItemAction(TUVItemAction Action, TCustomUVItemInfo* Item, AnsiString& Text) override;

private:
  TCustomUzurUvad* FViewer;
  TUVMarkerList* FMarkers = nullptr;
};
