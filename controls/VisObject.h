// Option objects: small persistent objects in which the controls keep each group of visual
// settings (glyph and caption layout, 3D and rotated captions, gradients, fills, alpha blends,
// bitmap effects, shadows) and publish it as a nested property.
//
// Every setter stores a changed value only and then calls Change, which tells OnChange (the
// owning control's repaint handler) unless an update is in progress. Owned objects are assigned,
// never replaced, and their own changes reach the owner through GetChange. BeginUpdate and
// EndUpdate form a bracket that is a flag, not a counter: it ends at the first EndUpdate.
#pragma once

#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/Components.h"
#include "controls/visgradient.h"
#include "controls/visgraph.h"

class TVisChangeLink;
class TVisCustomImageList;

// The component is being read from a form text: its setters store, they do not yet draw or
// recompute.
inline bool Loading(const TComponent* Component) { return Component->GetComponentState().Contains(csLoading); }

// Set on systems whose pattern brushes take no more than 8 x 8 pixels: a brush-bitmap fill then
// uses the top-left 8 x 8 pixels of its bitmap.
extern bool VisSmallPatternBrushes;

class TVisObject : public TPersistent {
  CLASS_INFO(TVisObject, TPersistent)
public:
  TVisObject() = default;

  void BeginUpdate() { FUpdating = true; }
  // Ends the bracket; with Notify true, Change.
  void EndUpdate(bool Notify);
  bool GetUpdating() const { return FUpdating; }
  // Calls OnChange(this) unless an update is in progress.
  virtual void Change();
  // A change handler for owned objects: Change.
  virtual void GetChange(TObject* Sender);
  // A short text describing the settings; empty here.
  virtual AnsiString GetSummary();

  TNotifyEvent OnChange;

private:
  bool FUpdating = false;
};

// How a control lays out its glyph and caption: the box of both placed in the client area by
// Alignment and moved by the offsets; the caption arranged around the glyph by AlignText2Glyph,
// Spacing pixels apart.
class TVisGlyphTextLayout : public TVisObject {
  CLASS_INFO(TVisGlyphTextLayout, TVisObject)
public:
  TVisGlyphTextLayout() = default;
  void Assign(TPersistent* Source) override;

  TVisAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TVisAlignment Value);
  TVisTextArrange GetAlignText2Glyph() const { return FAlignText2Glyph; }
  void SetAlignText2Glyph(TVisTextArrange Value);
  Integer GetOffsetX() const { return FOffset[0]; }
  Integer GetOffsetY() const { return FOffset[1]; }
  void SetOffsetX(Integer Value) { SetOffset(0, Value); }
  void SetOffsetY(Integer Value) { SetOffset(1, Value); }
  Integer GetSpacing() const { return FSpacing; }
  void SetSpacing(Integer Value);

protected:
  void AssignFields(const TVisGlyphTextLayout& Source);
  TVisAlignment FAlignment = agTopLeft;

private:
  void SetOffset(Integer Index, Integer Value);
  TVisTextArrange FAlignText2Glyph = taRight;
  Integer FOffset[2] = {0, 0};
  Integer FSpacing = 2;
};

// The layout of a button: centred, with an optional drop-down arrow beside the caption or the glyph.
class TVisButtonLayout : public TVisGlyphTextLayout {
  CLASS_INFO(TVisButtonLayout, TVisGlyphTextLayout)
public:
  TVisButtonLayout() { FAlignment = agCenter; }
  void Assign(TPersistent* Source) override;

  bool GetArrow() const { return FArrow; }
  void SetArrow(bool Value);
  TColor GetArrowColor() const { return FArrowColor; }
  void SetArrowColor(TColor Value);
  Integer GetArrowIndent() const { return FArrowIndent; }
  void SetArrowIndent(Integer Value);
  TVisArrowPosition GetArrowPosition() const { return FArrowPosition; }
  void SetArrowPosition(TVisArrowPosition Value);
  // 2 to 10 rows; other values are held within that range.
  TVisDDArrowSize GetArrowSize() const { return FArrowSize; }
  void SetArrowSize(TVisDDArrowSize Value);
  // The pixels the arrow takes beside its neighbour: ArrowSize x 2 - 1 + ArrowIndent, or 0
  // without Arrow.
  Integer ArrowRoom() const;

private:
  bool FArrow = false;
  TColor FArrowColor = clBlack;
  Integer FArrowIndent = 3;
  TVisArrowPosition FArrowPosition = apRightText;
  TVisDDArrowSize FArrowSize = 3;
};

// A caption drawn in 3D: sunken, raised, with shadows, outlined or extruded, and how it looks
// when disabled.
class TVis3DCaption : public TVisObject {
  CLASS_INFO(TVis3DCaption, TVisObject)
public:
  TVis3DCaption() = default;
  void Assign(TPersistent* Source) override;
  // "{sunken}", "{raised}", ... by Style; "{Disabled}" for tdNone.
  AnsiString GetSummary() override;

  TVisDisabledStyle GetDisabledStyle() const { return FDisabledStyle; }
  void SetDisabledStyle(TVisDisabledStyle Value);
  Byte GetLightDepth() const { return FDepth[0]; }
  Byte GetShadowDepth() const { return FDepth[1]; }
  void SetLightDepth(Byte Value) { SetDepth(0, Value); }
  void SetShadowDepth(Byte Value) { SetDepth(1, Value); }
  TColor GetLightColor() const { return FColor[0]; }
  TColor GetShadowColor() const { return FColor[1]; }
  void SetLightColor(TColor Value) { SetColor(0, Value); }
  void SetShadowColor(TColor Value) { SetColor(1, Value); }
  TVisThreeDOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TVisThreeDOrientation Value);
  TVisThreeDStyle GetStyle() const { return FStyle; }
  void SetStyle(TVisThreeDStyle Value);
  // Extra pixels between characters.
  Integer GetTracing() const { return FTracing; }
  void SetTracing(Integer Value);

protected:
  void AssignFields(const TVis3DCaption& Source);

private:
  void SetDepth(Integer Index, Byte Value);
  void SetColor(Integer Index, TColor Value);
  TVisDisabledStyle FDisabledStyle = dsAuto;
  Byte FDepth[2] = {1, 1};
  TColor FColor[2] = {clBtnHighlight, clBtnShadow};
  TVisThreeDOrientation FOrientation = toTopLeft;
  TVisThreeDStyle FStyle = tdNone;
  Integer FTracing = 0;
};

// A 3D caption that can also be rotated: Angle degrees counter-clockwise, the text's origin at
// (PosX, PosY) inside the caption's box (set when the caption is measured).
class TVisFxCaption : public TVis3DCaption {
  CLASS_INFO(TVisFxCaption, TVis3DCaption)
public:
  TVisFxCaption() = default;
  void Assign(TPersistent* Source) override;
  // The 3D caption's text, with " rot: <angle>" inside the braces when rotated.
  AnsiString GetSummary() override;

  TVisAngle GetAngle() const { return FAngle; }
  // 360 is stored as 0; larger values are taken modulo 360.
  void SetAngle(TVisAngle Value);
  Word GetPosX() const { return FPos[0]; }
  Word GetPosY() const { return FPos[1]; }
  void SetPosX(Word Value) { SetPosition(0, Value); }
  void SetPosY(Word Value) { SetPosition(1, Value); }
  // Both at once, without a change notification.
  void SetPos(Word X, Word Y);

private:
  void SetPosition(Integer Index, Word Value);
  TVisAngle FAngle = 0;
  Word FPos[2] = {0, 0};
};

// A gradient: ColorCount colours from Color to EndColor, or (TwoColors off) through the colours
// of ColorList; the colour table and, with PaletteRealize, a palette are made whenever a setting
// changes, never while painting.
class TVisGradient : public TVisObject {
  CLASS_INFO(TVisGradient, TVisObject)
public:
  TVisGradient();
  ~TVisGradient() override;
  void Assign(TPersistent* Source) override;
  // Makes the colour table again, then notifies.
  void Change() override;
  // "<style>, Col: <count>, 2 col mode" or ", mult. col mode".
  AnsiString GetSummary() override;
  // "ColorList": the colours of ColorList as a list of integers, written when there are any.
  void DefineProperties(TFiler* Filer) override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  // 2 to 236; other values are held within that range.
  TVisColorCount GetColorCount() const { return FColorCount; }
  void SetColorCount(TVisColorCount Value);
  TVisGradientStyle GetStyle() const { return FStyle; }
  void SetStyle(TVisGradientStyle Value);
  TColor GetEndColor() const { return FEndColor; }
  void SetEndColor(TColor Value);
  bool GetPaletteRealize() const { return FPaletteRealize; }
  void SetPaletteRealize(bool Value);
  bool GetTwoColors() const { return FTwoColors; }
  void SetTwoColors(bool Value);

  // The colours of the multi-colour mode; each change remakes the table and notifies.
  const std::vector<TColor>& GetColorList() const { return FColorList; }
  void SetColorList(const std::vector<TColor>& Value);
  void AddColor(TColor Value);
  void ClearColors();

  // The colours to paint, made from the settings.
  const TVisColorTable& GetColorTable() const { return FTable; }
  // The palette of the table with PaletteRealize, else 0; the gradient owns it.
  HPALETTE GetPalette() const { return FPalette; }

private:
  void UpdateColors();
  void ReadColorList(TReader* Reader);
  void WriteColorList(TWriter* Writer);

  TColor FColor = clBlue;
  TVisColorCount FColorCount = 16;
  TVisGradientStyle FStyle = gstVertical;
  TColor FEndColor = clBlack;
  bool FPaletteRealize = false;
  bool FTwoColors = true;
  std::vector<TColor> FColorList;
  TVisColorTable FTable;
  HPALETTE FPalette = nullptr;
};

// How a surface is filled: a brush pattern bitmap, a brush, a bitmap (placed by TileMode), a
// picture taken from an image list (the list bitmap), or a gradient.
class TVisShapeFill : public TVisObject {
  CLASS_INFO(TVisShapeFill, TVisObject)
public:
  TVisShapeFill();
  ~TVisShapeFill() override;
  void Assign(TPersistent* Source) override;
  // "{Disabled}", "{}", "{Brush}", "{Bitmap}", "{BitmapList}" or "{Gradient}" by Style.
  AnsiString GetSummary() override;

  TBitmap* GetBitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value) { FBitmap->Assign(Value); }
  TVisFillStyle GetStyle() const { return FStyle; }
  void SetStyle(TVisFillStyle Value);
  TVisGradient* GetGradient() const { return FGradient; }
  void SetGradient(TVisGradient* Value) { FGradient->Assign(Value); }
  TVisTileMode GetTileMode() const { return FTileMode; }
  void SetTileMode(TVisTileMode Value);
  // The picture taken from an image list for sfBitmapList (no change event).
  TBitmap* GetListBitmap() const { return FListBitmap; }

  // Nothing to fill with: sfNone, or an empty picture for sfBitmap and sfBitmapList.
  bool IsEmpty();
  // The palette of the fill's picture or gradient, or 0.
  HPALETTE GetPalette();

protected:
  void AssignFields(const TVisShapeFill& Source);
  TVisFillStyle FStyle = sfBrush;

private:
  TBitmap* FBitmap;
  TVisGradient* FGradient;
  TBitmap* FListBitmap;
  TVisTileMode FTileMode = tmTile;
};

// A shape fill with its own brush, the position of an unstretched picture and drawing options;
// controls fill their surfaces through FillArea.
class TVisFillObject : public TVisShapeFill {
  CLASS_INFO(TVisFillObject, TVisShapeFill)
public:
  TVisFillObject();
  ~TVisFillObject() override;
  void Assign(TPersistent* Source) override;

  // Fills Rect of Canvas by Style; BackColor fills what a picture leaves free (foFillInner) and
  // is the background of hatched brushes. True when the fill covered the area.
  bool FillArea(TCanvas* Canvas, const TRect& Rect, TColor BackColor);

  // The position setters store always but notify only when the position matters: a picture
  // (sfBitmap or sfBitmapList) drawn unstretched (tmNone).
  TVisAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TVisAlignment Value);
  TBrush* GetBrush() const { return FBrush; }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  Integer GetOffsetX() const { return FOffset[0]; }
  Integer GetOffsetY() const { return FOffset[1]; }
  void SetOffsetX(Integer Value) { SetOffset(0, Value); }
  void SetOffsetY(Integer Value) { SetOffset(1, Value); }
  TVisFillOptions GetOptions() const { return FOptions; }
  void SetOptions(TVisFillOptions Value);

private:
  bool PositionMatters() const;
  void SetOffset(Integer Index, Integer Value);
  void FillInner(TCanvas* Canvas, const TRect& Rect, TColor BackColor);

  TVisAlignment FAlignment = agTopLeft;
  TBrush* FBrush;
  Integer FOffset[2] = {0, 0};
  TVisFillOptions FOptions{foFillInner, foGrUseBitmap};
};

// Blends a control's picture with a fill: Strength x picture + (1 - Strength) x fill. The fill
// may take its picture from an image list (ListIndex, ImageIndex), kept up to date through a
// change link.
class TVisAlphaObject : public TVisObject {
  CLASS_INFO(TVisAlphaObject, TVisObject)
public:
  TVisAlphaObject();
  ~TVisAlphaObject() override;
  void Assign(TPersistent* Source) override;
  // "{Disabled}" or "{Enabled (<brush|bmp|grad>), strength: <strength>}".
  AnsiString GetSummary() override;
  // A list of the global list owner is stored by its name as "Internal" (ImageList is then not
  // stored).
  void DefineProperties(TFiler* Filer) override;

  // The list the fill's picture comes from, or nil; a list that is freed is let go.
  TVisCustomImageList* GetImageList() const;
  void SetImageList(TVisCustomImageList* Value);
  Integer GetImageIndex() const { return FIndex[0]; }
  Integer GetListIndex() const { return FIndex[1]; }
  void SetImageIndex(Integer Value) { SetIndex(0, Value); }
  void SetListIndex(Integer Value) { SetIndex(1, Value); }
  Single GetStrength() const { return FStrength; }
  void SetStrength(Single Value);
  TVisFillObject* GetFillObject() const { return FFillObject; }
  void SetFillObject(TVisFillObject* Value) { FFillObject->Assign(Value); }

  // The fill is on and the strength is not exactly 1.
  bool IsActive() const;
  // Blends Picture (made 24 bits per pixel) with the fill over the whole picture; nothing while
  // the fill style is sfNone.
  void Apply(TBitmap* Picture);

  // Whether ImageList is written as a reference: a list is set and it is not a global one.
  bool IsImageListStored() const;
  bool IsStrengthStored() const;

private:
  void SetIndex(Integer Index, Integer Value);
  // Takes the picture (ListIndex, ImageIndex) of the list into the fill's list bitmap (or
  // clears it) and reports the fill's change.
  void Refresh(TObject* Sender = nullptr);
  void ReadInternal(TReader* Reader);
  void WriteInternal(TWriter* Writer);

  TVisChangeLink* FChangeLink;
  Integer FIndex[2] = {0, 0};
  Single FStrength = 0.6f;
  TVisFillObject* FFillObject;
};

// A chain of effects on a control's picture: mirroring, grey scale, inversion, brightness and an
// alpha blend, with the result optionally kept (Buffered) until a setting changes.
class TVisBitmapEffectObject : public TVisObject {
  CLASS_INFO(TVisBitmapEffectObject, TVisObject)
public:
  TVisBitmapEffectObject();
  ~TVisBitmapEffectObject() override;
  void Assign(TPersistent* Source) override;
  // Notifies and marks the kept result stale.
  void GetChange(TObject* Sender) override;
  // "{alpha,FV,FH,GS,INV,B}" with the effects that are on, or "{Disabled}".
  AnsiString GetSummary() override;

  TVisAlphaObject* GetAlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(TVisAlphaObject* Value) { FAlphaBlend->Assign(Value); }
  // The flags, in the order of their index: FlipVertical (0), FlipHorizontal (1), GrayScale (2),
  // Invert (3), Buffered (4) and the unpublished Monochrome (5).
  bool GetFlag(Integer Index) const { return FFlags[Index]; }
  void SetFlag(Integer Index, bool Value);
  bool GetFlipVertical() const { return FFlags[0]; }
  void SetFlipVertical(bool Value) { SetFlag(0, Value); }
  bool GetFlipHorizontal() const { return FFlags[1]; }
  void SetFlipHorizontal(bool Value) { SetFlag(1, Value); }
  bool GetGrayScale() const { return FFlags[2]; }
  void SetGrayScale(bool Value) { SetFlag(2, Value); }
  bool GetInvert() const { return FFlags[3]; }
  void SetInvert(bool Value) { SetFlag(3, Value); }
  bool GetBuffered() const { return FFlags[4]; }
  void SetBuffered(bool Value) { SetFlag(4, Value); }
  bool GetMonochrome() const { return FFlags[5]; }
  void SetMonochrome(bool Value) { SetFlag(5, Value); }
  // -255 to 255; other values are held within that range.
  TVisBrightness GetBrightness() const { return FBrightness; }
  void SetBrightness(TVisBrightness Value);

  // Any effect would change a picture.
  bool IsEffective() const;
  // Applies the effects to Picture in place (made 24 bits per pixel), or draws the kept result.
  void Apply(TBitmap* Picture);
  // The kept result while Buffered (nil otherwise) and whether it is up to date.
  TBitmap* GetBuffer() const { return FBuffer; }
  bool GetBufferValid() const { return FBufferValid; }

private:
  TVisAlphaObject* FAlphaBlend;
  bool FFlags[6] = {false, false, false, false, false, false};
  TVisBrightness FBrightness = 0;
  TBitmap* FBuffer = nullptr;
  bool FBufferValid = false;
};

// A drop shadow: solid or traced, Depth pixels deep.
class TVisShadow : public TVisObject {
  CLASS_INFO(TVisShadow, TVisObject)
public:
  TVisShadow() = default;
  void Assign(TPersistent* Source) override;
  // "{Disabled}", "{solid, <depth>}" or "{tracing, <depth>}".
  AnsiString GetSummary() override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  // 0 to 40; larger values are held at 40.
  TVisShadowDepth GetDepth() const { return FDepth; }
  void SetDepth(TVisShadowDepth Value);
  TVisShadowStyle GetStyle() const { return FStyle; }
  void SetStyle(TVisShadowStyle Value);

private:
  TColor FColor = clBtnShadow;
  TVisShadowDepth FDepth = 6;
  TVisShadowStyle FStyle = hssSolid;
};
