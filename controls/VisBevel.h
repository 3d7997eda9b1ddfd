// The border of a bevelled panel or edit: its kind, widths, colours and sides. The bevel tells
// its owner how wide the border is, so that the owner's client area can be made smaller, and
// draws it on a canvas.
#pragma once

#include "controls/VisObject.h"

using TVisBevelWidth = Byte;
using TVisBorderWidth = Byte;
using TVisFrameSides = TSet<TVisFrameSide>;

class TVisBevel : public TVisObject {
  CLASS_INFO(TVisBevel, TVisObject)
public:
  TVisBevel() { UpdateExtent(); }
  // Copies every property and the owner's theme flag, then reports one change.
  void Assign(TPersistent* Source) override;

  TVisBevelStyle GetStyleInner() const { return FStyleInner; }
  void SetStyleInner(TVisBevelStyle Value);
  TVisBevelStyle GetStyleOuter() const { return FStyleOuter; }
  void SetStyleOuter(TVisBevelStyle Value);
  TVisBevelWidth GetWidthInner() const { return FWidthInner; }
  void SetWidthInner(TVisBevelWidth Value);
  TVisBevelWidth GetWidthOuter() const { return FWidthOuter; }
  void SetWidthOuter(TVisBevelWidth Value);
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TVisFrameSides GetBorderSides() const { return FBorderSides; }
  void SetBorderSides(TVisFrameSides Value);
  TVisBorderWidth GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(TVisBorderWidth Value);
  TVisBorderWidth GetBorderInnerWidth() const { return FBorderInnerWidth; }
  void SetBorderInnerWidth(TVisBorderWidth Value);
  TVisEdgeStyle GetEdgeStyle() const { return FEdgeStyle; }
  void SetEdgeStyle(TVisEdgeStyle Value);
  TColor GetLightColor() const { return FLightColor; }
  void SetLightColor(TColor Value);
  TVisBevelMode GetMode() const { return FMode; }
  // Switching to or from bmWindows asks the owner to re-create its window (GetRecreateWanted),
  // whose border follows the mode.
  void SetMode(TVisBevelMode Value);
  TColor GetShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value);
  TVisBorderStyle GetStandardStyle() const { return FStandardStyle; }
  // Reports the change only in bmStandard, where the style shows.
  void SetStandardStyle(TVisBorderStyle Value);

  // The border's width in pixels.
  Integer GetBevelExtent() const { return FExtent; }
  // The width taken from the client area: the extent, except for an outer shadow, which lies
  // only on the right and bottom.
  Integer GetBevelExtentClient() const { return FExtentClient; }
  // The area inside the border.
  TRect GetClientRect(const TRect& Rect) const;
  // Draws the border in Rect and leaves the area inside in Rect; with AreaOnly nothing is
  // drawn. BackColor fills the corners a shadow leaves free. In bmWindows the owner draws the
  // edges itself; the bevel only takes their area.
  void Draw(TCanvas* Canvas, TRect& Rect, bool AreaOnly, TColor BackColor = clBtnFace);

  // Set by the owner while it draws with themes (bmWindows then takes no room).
  bool GetOwnerThemed() const { return FOwnerThemed; }
  void SetOwnerThemed(bool Value);
  // Whether the owner should re-create its window; reading it through TakeRecreateWanted
  // clears it.
  bool GetRecreateWanted() const { return FRecreateWanted; }
  bool TakeRecreateWanted();

protected:
  // Computes the extents from the settings.
  void UpdateExtent();
  TVisBevelMode FMode = bmStandard;

private:
  void Changed();
  void DrawLayer(TCanvas* Canvas, TRect& Rect, Integer Width);

  TVisBevelStyle FStyleInner = TVisBevelStyle::bvNone;
  TVisBevelStyle FStyleOuter = TVisBevelStyle::bvNone;
  TVisBevelWidth FWidthInner = 1;
  TVisBevelWidth FWidthOuter = 1;
  TColor FBorderColor = clBtnFace;
  TVisFrameSides FBorderSides{fsBottom, fsLeft, fsRight, fsTop};
  TVisBorderWidth FBorderWidth = 0;
  TVisBorderWidth FBorderInnerWidth = 0;
  TVisEdgeStyle FEdgeStyle = etEtched;
  TColor FLightColor = clBtnHighlight;
  TColor FShadowColor = clBtnShadow;
  TVisBorderStyle FStandardStyle = lsSingleLowered;
  Integer FExtent = 0;
  Integer FExtentClient = 0;
  bool FOwnerThemed = false;
  bool FRecreateWanted = false;
};

// The bevel of scroll boxes: bmWindows unless set otherwise.
class TVisScrollBoxBevel : public TVisBevel {
  CLASS_INFO(TVisScrollBoxBevel, TVisBevel)
public:
  TVisScrollBoxBevel();
};
