// Region shapes: the outline of a window as one of eighteen shapes fitted into a rectangle (some
// with a pointed nose or a trail of thought bubbles at a corner), made into a GDI region, with a
// drop shadow and a border drawn to match; the mask that carries a bitmap shape's prepared
// region data and pictures; and the shadow option of regions.
#pragma once

#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/Lists.h"
#include "classlib/TypInfo.h"
#include "controls/VisObject.h"
#include "controls/viscont.h"

class TFiler;

enum TVisRegionShape {
  rsRect,
  rsRoundRect,
  rsBitmap,
  rsNoseRect,
  rsRoundNoseRect,
  rsElliptic,
  rsStar,
  rsRoundShield,
  rsSharpShield,
  rsDiamond,
  rsOctagon,
  rsComb,
  rsHalfRound,
  rsUserRegion,
  rsThinkBubble,
  rsRoundThinkBubble,
  rsEllipticThinkBubble,
  rsPointList
};
ENUM_NAMES(TVisRegionShape, "rsRect", "rsRoundRect", "rsBitmap", "rsNoseRect", "rsRoundNoseRect", "rsElliptic",
           "rsStar", "rsRoundShield", "rsSharpShield", "rsDiamond", "rsOctagon", "rsComb", "rsHalfRound",
           "rsUserRegion", "rsThinkBubble", "rsRoundThinkBubble", "rsEllipticThinkBubble", "rsPointList");

// The corner at which a nose or the bubbles sit and the edge they start on (the first word).
enum TVisExtPos {
  epLeftTop,
  epTopLeft,
  epTopRight,
  epRightTop,
  epRightBottom,
  epBottomRight,
  epBottomLeft,
  epLeftBottom
};
ENUM_NAMES(TVisExtPos, "epLeftTop", "epTopLeft", "epTopRight", "epRightTop", "epRightBottom", "epBottomRight",
           "epBottomLeft", "epLeftBottom");

enum TVisRegionBorderStyle {
  rbNone,
  rbLowered,
  rbRaised,
  rbSingle,
  rbSingleRaised,
  rbSingleLowered,
  rbRaisedpsb,
  rbLoweredpsb
};
ENUM_NAMES(TVisRegionBorderStyle, "rbNone", "rbLowered", "rbRaised", "rbSingle", "rbSingleRaised",
           "rbSingleLowered", "rbRaisedpsb", "rbLoweredpsb");

// Points packed into the list's pointers: x in the upper 16 bits (read back unsigned, 0 to
// 65535), y in the lower 16 bits (read back signed). OnChange reports each change while no
// update is in progress.
class TVisPointList : public TList {
  CLASS_INFO(TVisPointList, TList)
public:
  TVisPointList() = default;

  // The point of that index into Point; an index beyond the last leaves Point as it was.
  void GetPoint(Integer Index, TPoint& Point) const;
  TPoint GetPoint(Integer Index) const;
  // Ignored beyond the last point.
  void SetPoint(Integer Index, TPoint Point);
  void AddPoint(TPoint Point);
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void Changed();

  TNotifyEvent OnChange;

private:
  Integer FUpdateCount = 0;
};

// The border drawn along a region's outline: a single line, a raised or lowered pair of colours,
// or both.
class TVisRegionBorder : public TVisObject {
  CLASS_INFO(TVisRegionBorder, TVisObject)
public:
  TVisRegionBorder() = default;
  void Assign(TPersistent* Source) override;

  TVisRegionBorderStyle GetStyle() const { return FStyle; }
  void SetStyle(TVisRegionBorderStyle Value);
  TColor GetLightColor() const { return FColors[0]; }
  void SetLightColor(TColor Value) { SetColor(0, Value); }
  TColor GetShadowColor() const { return FColors[1]; }
  void SetShadowColor(TColor Value) { SetColor(1, Value); }
  TColor GetSingleColor() const { return FColors[2]; }
  void SetSingleColor(TColor Value) { SetColor(2, Value); }

private:
  void SetColor(Integer Index, TColor Value);
  TVisRegionBorderStyle FStyle = rbSingle;
  TColor FColors[3] = {clBtnHighlight, clBtnShadow, clBlack};
};

// The drop shadow of a region: none unless chosen.
class TVisRgnShadow : public TVisShadow {
  CLASS_INFO(TVisRgnShadow, TVisShadow)
public:
  TVisRgnShadow();
};

// The shape of a bitmap-shaped region: its prepared region data (the system's region-data format)
// and the pictures of the shaped form. Streamed with the form: "RegionData" (exactly
// RegionDataSize bytes, when there are any) and "BorderBmp", "BorderUpBmp", "BorderDnBmp" (each
// when not empty: a byte holding Compressed, then the bitmap property, compressed when it says
// so).
class TVisRegionMask : public TVisObject {
  CLASS_INFO(TVisRegionMask, TVisObject)
public:
  TVisRegionMask();
  ~TVisRegionMask() override;
  // From another mask: its region data and, when it has data, its three pictures.
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;

  Integer GetRegionDataSize() const { return FRegionDataSize; }
  // Only stores the size; the data come with "RegionData" or SetRegionData.
  void SetRegionDataSize(Integer Value) { FRegionDataSize = Value; }
  bool GetCompressed() const { return FCompressed; }
  void SetCompressed(bool Value) { FCompressed = Value; }
  TVisSavePixelFormat GetPixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TVisSavePixelFormat Value) { FPixelFormat = Value; }

  const std::vector<Byte>& GetRegionData() const { return FRegionData; }
  // Takes a copy of Region's data (nil clears them).
  void SetRegionData(HRGN Region);
  void ClearRegionData();
  // A region made from the data; nil without data or when they are damaged.
  HRGN CreateRegion() const;

  TBitmap* GetBorderBmp() const { return FBitmaps[0]; }
  TBitmap* GetBorderUpBmp() const { return FBitmaps[1]; }
  TBitmap* GetBorderDnBmp() const { return FBitmaps[2]; }

private:
  void ReadRegionData(TStream* Stream);
  void WriteRegionData(TStream* Stream);
  void ReadBitmap(Integer Index, TStream* Stream);
  void WriteBitmap(Integer Index, TStream* Stream);

  Integer FRegionDataSize = 0;
  bool FCompressed = false;
  TVisSavePixelFormat FPixelFormat = spfDefault;
  std::vector<Byte> FRegionData;
  // BorderBmp, BorderUpBmp, BorderDnBmp.
  TBitmap* FBitmaps[3];
};

// A region made from system region data; nil for data that are too short or whose header or
// rectangle count do not agree with their size.
HRGN RegionFromData(const std::vector<Byte>& Data);
// The system's region data of a region.
std::vector<Byte> RegionToData(HRGN Region);

// An outline of a shape fitted into a rectangle, as a GDI region and as a border drawn on a
// canvas.
class TVisRegion : public TVisObject {
  CLASS_INFO(TVisRegion, TVisObject)
public:
  TVisRegion();
  ~TVisRegion() override;
  // From another region: Shape, RoundX, RoundY, Border, ExtPos, Mask and Shadow.
  void Assign(TPersistent* Source) override;
  // "PointList": the points as pairs of integers, x then y, written when there are any.
  void DefineProperties(TFiler* Filer) override;

  TVisPointList* GetPoints() const { return FPoints; }
  TVisRegionShape GetShape() const { return FShape; }
  // A point-list shape makes its region from the points at once.
  void SetShape(TVisRegionShape Value);
  TVisExtPos GetExtPos() const { return FExtPos; }
  void SetExtPos(TVisExtPos Value);
  TVisRegionMask* GetMask() const { return FMask; }
  void SetMask(TVisRegionMask* Value) { FMask->Assign(Value); }
  Integer GetRoundX() const { return FRound[0]; }
  void SetRoundX(Integer Value) { SetRound(0, Value); }
  Integer GetRoundY() const { return FRound[1]; }
  void SetRoundY(Integer Value) { SetRound(1, Value); }
  TVisRgnShadow* GetShadow() const { return FShadow; }
  void SetShadow(TVisRgnShadow* Value) { FShadow->Assign(Value); }
  TVisRegionBorder* GetBorder() const { return FBorder; }
  void SetBorder(TVisRegionBorder* Value) { FBorder->Assign(Value); }
  // The number of thought bubbles, besides the two the trail starts and ends with.
  Integer BubbleCount = 4;
  // The component the region belongs to: nothing is built while it is destroyed, and a user
  // region is a plain rectangle while it is designed.
  TComponent* OwnerComponent = nullptr;
  // Added to the left and top of every rectangle the region is built or drawn for.
  TPoint Origin{0, 0};
  // Leaves the shadow out when the border is drawn (the shadow still takes its room).
  bool NoShadowDrawn = false;

  // Builds the shape's region for Rect (Algorithms in the source): the previous one is deleted
  // first, the shadow's depth taken from the right and bottom. The region belongs to this object;
  // nil when the shape yields nothing.
  virtual HRGN BuildRegion(const TRect& Rect);
  // Draws the shadow and then the border along the current shape in Rect.
  virtual void DrawBorder(TCanvas* Canvas, const TRect& Rect);
  // Makes the region a plain rectangle (unless the owner is being destroyed).
  void SetRectRegion(const TRect& Rect);
  HRGN GetRegion() const { return FRegion; }
  // Keeps Region's data as the region's stored data, from which user and point-list shapes are
  // made.
  void StoreRegionData(HRGN Region);
  const std::vector<Byte>& GetRegionData() const { return FRegionData; }

private:
  void SetRound(Integer Index, Integer Value);
  void PartChanged(TObject* Sender);
  void PointsChanged(TObject* Sender);
  bool OwnerDestroying() const;
  bool OwnerDesigning() const;
  HRGN ShapeRegion(const TRect& Rect);
  void ReadPoints(TReader* Reader);
  void WritePoints(TWriter* Writer);

  TVisPointList* FPoints;
  TVisRegionShape FShape = rsRoundRect;
  TVisExtPos FExtPos = epLeftTop;
  TVisRegionMask* FMask;
  Integer FRound[2] = {20, 20};
  TVisRgnShadow* FShadow;
  TVisRegionBorder* FBorder;
  HRGN FRegion = nullptr;
  std::vector<Byte> FRegionData;
};

// A region that publishes its border.
class TVisBorderRegion : public TVisRegion {
  CLASS_INFO(TVisBorderRegion, TVisRegion)
public:
  TVisBorderRegion() = default;
};

// The pieces of a shape with a nose or bubbles, as the region and its outline use them.
struct TVisShapeParts {
  // The body: the rectangle moved in at the corner.
  TRect Body;
  // A nose: its tip and its two base points.
  TPoint Nose[3];
  // The bubbles' boxes, in order.
  std::vector<TRect> Bubbles;
};
// The nose of the nose shapes for Rect: nose size n and base offset b.
TVisShapeParts NoseParts(const TRect& Rect, TVisExtPos Position, Integer Size, Integer Offset);
// The bubbles of the think-bubble shapes for Rect: size n and Count bubbles besides the two ends.
TVisShapeParts BubbleParts(const TRect& Rect, TVisExtPos Position, Integer Size, Integer Count);
