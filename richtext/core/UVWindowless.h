// A root document without a window: it answers every question about its environment from its
// own fields and measures on a screen-compatible memory canvas. It lets a document be built,
// formatted and looked into without a viewer control (tests, and layout for other canvases).
// TUVWindowlessOwner gives those answers to any kind of root document data (the editor's too).
#pragma once

#include <vector>

#include "classlib/Bitmaps.h"
#include "richtext/core/CUVFData.h"
#include "richtext/core/UVMarker.h"

template <class Base>
class TUVWindowlessOwner : public Base {
public:
  // Base is constructed from BaseArgs.
  template <class... BaseArgs>
  explicit TUVWindowlessOwner(TUVStyle* AStyle, BaseArgs&&... Args) : Base(Args...), Style(AStyle) {
    FCanvasBitmap.SetSize(1, 1);
  }
  ~TUVWindowlessOwner() override {
    // The items go while this class's own answers (the marker list) still exist.
    this->Clear();
    delete FMarkers;
  }

  TUVStyle* GetUVStyle() override { return Style; }
  TUVOptions GetOptions() override { return Options; }
  void SetOptions(TUVOptions Value) override { Options = Value; }
  TUVFOptions GetUVFOptions() override { return UVFOptions; }
  void SetUVFOptions(TUVFOptions Value) override { UVFOptions = Value; }
  TUVRTFOptions GetRTFOptions() override { return RTFOptions; }
  void SetRTFOptions(TUVRTFOptions Value) override { RTFOptions = Value; }
  Cardinal GetUVFWarnings() override { return UVFWarnings; }
  void SetUVFWarnings(Cardinal Value) override { UVFWarnings = Value; }
  TUVFReaderStyleMode GetUVFTextStylesReadMode() override { return TextStylesReadMode; }
  TUVFReaderStyleMode GetUVFParaStylesReadMode() override { return ParaStylesReadMode; }
  TUVPaletteAction GetDoInPaletteMode() override { return PaletteMode; }
  TUVBiDiMode GetBiDiMode() override { return BiDiMode; }
  TUVFlags GetFlags() override { return Flags; }
  void SetFlags(TUVFlags Value) override { Flags = Value; }
  AnsiString GetDelimiters() override { return Delimiters; }
  // With uvflOwnMarkers the document keeps its own marker list, else its parent's is used.
  TUVMarkerList* GetMarkers(bool AllowCreate) override {
    if (!(Flags & uvflOwnMarkers)) return Base::GetMarkers(AllowCreate);
    if (!FMarkers && AllowCreate) FMarkers = new TUVMarkerList();
    return FMarkers;
  }
  void DestroyMarkers() override {
    if (!(Flags & uvflOwnMarkers)) {
      Base::DestroyMarkers();
      return;
    }
    delete FMarkers;
    FMarkers = nullptr;
  }

  Integer GetLeftMargin() override { return LeftMargin; }
  Integer GetRightMargin() override { return RightMargin; }
  Integer GetTopMargin() override { return TopMargin; }
  Integer GetBottomMargin() override { return BottomMargin; }
  Integer GetMinTextWidth() override { return MinTextWidth; }
  Integer GetMaxTextWidth() override { return MaxTextWidth; }
  Integer GetWidth() override { return ClientWidth; }
  Integer GetHeight() override { return ClientHeight; }
  Integer GetHOffs() override { return HOffs; }
  Integer GetVOffs() override { return VOffs; }
  Integer GetVSmallStep() override { return VSmallStep; }
  TCanvas* GetCanvas() override { return FCanvasBitmap.GetCanvas(); }
  TCPEventKind GetCPEventKind() override { return CPEventKind; }
  TUVBackground* GetBackground() override { return Background; }
  // Color, or the style sheet's when it is clNone.
  TColor GetColor() override { return Color != clNone ? Color : Base::GetColor(); }
  void SetDocumentAreaSize(Integer Width, Integer Height, bool UpdateH) override {
    Base::SetDocumentAreaSize(Width, Height, UpdateH);
    DocumentAreaWidth = Width;
    DocumentAreaHeight = Height;
  }
  void ScrollTo(Integer Y, bool /*Redraw*/) override { VOffs = Y < 0 ? 0 : Y; }
  void HScrollTo(Integer X) override { HOffs = X < 0 ? 0 : X; }
  void DoCheckpointVisible(TUVCPInfo* Checkpoint) override { VisibleCheckpoints.push_back(Checkpoint); }
  void SelectionChanged() override {
    Base::SelectionChanged();
    ++SelectionChanges;
  }
  void Formatted(Integer FirstItemNo, Integer LastItemNo, bool Partial) override {
    Base::Formatted(FirstItemNo, LastItemNo, Partial);
    ++FormatNotifications;
  }

  // The owner's settings, with a viewer's defaults.
  TUVStyle* Style;
  TUVOptions Options = uvoDefaultOptions;
  TUVFOptions UVFOptions = uvfoDefaultOptions;
  TUVRTFOptions RTFOptions = uvrtfDefaultOptions;
  Cardinal UVFWarnings = 0;
  TUVFReaderStyleMode TextStylesReadMode = uvf_sInsertMerge;
  TUVFReaderStyleMode ParaStylesReadMode = uvf_sInsertMerge;
  TUVPaletteAction PaletteMode = uvpaCreateCopies;
  TUVBiDiMode BiDiMode = uvbdUnspecified;
  TUVFlags Flags = uvflDefaultFlags;
  AnsiString Delimiters = UVDefaultDelimiters;
  Integer LeftMargin = 5;
  Integer RightMargin = 5;
  Integer TopMargin = 5;
  Integer BottomMargin = 5;
  Integer MinTextWidth = 0;
  Integer MaxTextWidth = 0;
  Integer ClientWidth = 400;
  Integer ClientHeight = 300;
  Integer HOffs = 0;
  Integer VOffs = 0;
  Integer VSmallStep = 10;
  TCPEventKind CPEventKind = cpeNone;
  TUVBackground* Background = nullptr;  // not owned
  TColor Color = clNone;

  // What the document told its owner.
  Integer DocumentAreaWidth = 0;
  Integer DocumentAreaHeight = 0;
  Integer SelectionChanges = 0;
  Integer FormatNotifications = 0;
  std::vector<TUVCPInfo*> VisibleCheckpoints;

private:
  TBitmap FCanvasBitmap;
  TUVMarkerList* FMarkers = nullptr;
};

class TUVWindowlessData : public TUVWindowlessOwner<TCustomUVFormattedData> {
  CLASS_INFO(TUVWindowlessData, TUVWindowlessOwner<TCustomUVFormattedData>)
public:
  explicit TUVWindowlessData(TUVStyle* AStyle = nullptr) : TUVWindowlessOwner(AStyle) {}
};
