// The drawing routines every control of the component set draws with: bevels, borders and
// frames, drop shadows, small arrows, pictures placed in a rectangle (centred, stretched, tiled,
// transparent), disabled and embossed glyphs, a TrueType test, and window helpers. The
// enumerations of the set's visual settings live here too.
//
// Most routines take a rectangle by reference and leave in it the area inside what they drew.
#pragma once

#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/Graphics.h"
#include "classlib/TypInfo.h"
#include "controls/VisDialogPlace.h"

class TControl;

// --- Enumerations of the visual settings -----------------------------------------------------------

// Scoped, because the class library's panel bevels already use the names bvNone, bvLowered and
// bvRaised; forms store the values under the names given here all the same.
enum class TVisBevelStyle { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };
ENUM_NAMES(TVisBevelStyle, "bvNone", "bvLowered", "bvRaised", "bvFrameLowered", "bvFrameRaised", "bvNormal",
           "bvShadow");

enum TVisBevelMode { bmCustom, bmStandard, bmEdge, bmWindows };
ENUM_NAMES(TVisBevelMode, "bmCustom", "bmStandard", "bmEdge", "bmWindows");

enum TVisBorderStyle {
  lsNone,
  lsSingle,
  lsLowered,
  lsRaised,
  lsRaisedspb,
  lsLoweredspb,
  lsRaisedExt,
  lsLoweredExt,
  lsFrameInset,
  lsFrameOffset,
  lsWindowBorder,
  lsSingleRaised,
  lsSingleLowered,
  lsDoubleRaised,
  lsDoubleLowered
};
ENUM_NAMES(TVisBorderStyle, "lsNone", "lsSingle", "lsLowered", "lsRaised", "lsRaisedspb", "lsLoweredspb",
           "lsRaisedExt", "lsLoweredExt", "lsFrameInset", "lsFrameOffset", "lsWindowBorder", "lsSingleRaised",
           "lsSingleLowered", "lsDoubleRaised", "lsDoubleLowered");

enum TVisEdgeStyle { etRaisedInner, etRaisedOuter, etSunkenInner, etSunkenOuter, etBump, etEtched, etRaised, etSunken };
ENUM_NAMES(TVisEdgeStyle, "etRaisedInner", "etRaisedOuter", "etSunkenInner", "etSunkenOuter", "etBump", "etEtched",
           "etRaised", "etSunken");

enum TVisFrameSide { fsBottom, fsLeft, fsRight, fsTop };
ENUM_NAMES(TVisFrameSide, "fsBottom", "fsLeft", "fsRight", "fsTop");

enum TVisBitmapStyle { sbNone, sbAutosize, sbCenter, sbStretch, sbTile, sbKeepAspRatio, sbKeepWidth, sbKeepHeight };
ENUM_NAMES(TVisBitmapStyle, "sbNone", "sbAutosize", "sbCenter", "sbStretch", "sbTile", "sbKeepAspRatio",
           "sbKeepWidth", "sbKeepHeight");

// Where a box sits in an area: three rows by three columns.
enum TVisAlignment {
  agTopLeft,
  agTopCenter,
  agTopRight,
  agCenterLeft,
  agCenter,
  agCenterRight,
  agBottomLeft,
  agBottomCenter,
  agBottomRight
};
ENUM_NAMES(TVisAlignment, "agTopLeft", "agTopCenter", "agTopRight", "agCenterLeft", "agCenter", "agCenterRight",
           "agBottomLeft", "agBottomCenter", "agBottomRight");

// Where the caption goes relative to the glyph (see CalcGlyphTextLayout).
enum TVisTextArrange { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom, taBottomLeft };
ENUM_NAMES(TVisTextArrange, "taLeft", "taLeftTop", "taRight", "taRightTop", "taTop", "taTopLeft", "taBottom",
           "taBottomLeft");

// Where a button's drop-down arrow goes: after or before the caption or the glyph.
enum TVisArrowPosition { apRightText, apLeftText, apRightGlyph, apLeftGlyph };
ENUM_NAMES(TVisArrowPosition, "apRightText", "apLeftText", "apRightGlyph", "apLeftGlyph");
// Rows of a drop-down arrow, 2 to 10.
using TVisDDArrowSize = Byte;

// How a disabled caption looks: dsAuto grey (sunken when the control asks for it), dsStandard
// grey in the caption's own style, ds3d grey and sunken, dsNone as if enabled.
enum TVisDisabledStyle { dsAuto, dsStandard, ds3d, dsNone };
ENUM_NAMES(TVisDisabledStyle, "dsAuto", "dsStandard", "ds3d", "dsNone");

enum TVisThreeDOrientation { toBottomLeft, toBottomRight, toTopLeft, toTopRight };
ENUM_NAMES(TVisThreeDOrientation, "toBottomLeft", "toBottomRight", "toTopLeft", "toTopRight");

enum TVisThreeDStyle {
  tdNone,
  tdSunken,
  tdRaised,
  tdSunkenShadow,
  tdRaisedShadow,
  tdPColorSunken,
  tdPColorRaised,
  tdShadow,
  tdOutline,
  tdExtrude,
  tdExtrudeEnh
};
ENUM_NAMES(TVisThreeDStyle, "tdNone", "tdSunken", "tdRaised", "tdSunkenShadow", "tdRaisedShadow", "tdPColorSunken",
           "tdPColorRaised", "tdShadow", "tdOutline", "tdExtrude", "tdExtrudeEnh");

// Degrees of a rotated caption, 0 to 359 (360 is kept as 0).
using TVisAngle = Word;

// Colours of a gradient, 2 to 236.
using TVisColorCount = Byte;

enum TVisGradientStyle {
  gstHorizontal,
  gstVertical,
  gstSquare,
  gstElliptic,
  gstTopLeft,
  gstTopRight,
  gstBottomLeft,
  gstBottomRight,
  gstTopLeftDiagonal,
  gstTopRightDiagonal
};
ENUM_NAMES(TVisGradientStyle, "gstHorizontal", "gstVertical", "gstSquare", "gstElliptic", "gstTopLeft", "gstTopRight",
           "gstBottomLeft", "gstBottomRight", "gstTopLeftDiagonal", "gstTopRightDiagonal");

// How a surface is filled: not at all, with a brush whose pattern is a bitmap, with a brush,
// with a bitmap, with a picture of an image list, or with a gradient.
enum TVisFillStyle { sfNone, sfBrushBitmap, sfBrush, sfBitmap, sfBitmapList, sfGradient };
ENUM_NAMES(TVisFillStyle, "sfNone", "sfBrushBitmap", "sfBrush", "sfBitmap", "sfBitmapList", "sfGradient");

enum TVisTileMode { tmNone, tmCenter, tmStretch, tmTile };
ENUM_NAMES(TVisTileMode, "tmNone", "tmCenter", "tmStretch", "tmTile");

// foFillInner: the area a picture leaves free is filled with the background colour first;
// foQuickDraw: pictures are drawn without realizing their palettes; foGrUseBitmap: gradients
// are painted through an off-screen bitmap.
enum TVisFillOption { foFillInner, foQuickDraw, foGrUseBitmap };
ENUM_NAMES(TVisFillOption, "foFillInner", "foQuickDraw", "foGrUseBitmap");
using TVisFillOptions = TSet<TVisFillOption>;

// Added to every byte of a picture, -255 to 255.
using TVisBrightness = SmallInt;
// Depth of a drop shadow in pixels, 0 to 40.
using TVisShadowDepth = Byte;

enum TVisShadowStyle { hssNone, hssSolid, hssTracing };
ENUM_NAMES(TVisShadowStyle, "hssNone", "hssSolid", "hssTracing");

// --- Frames and bevels ---------------------------------------------------------------------------------

// Draws a bevel Width pixels wide in Rect and leaves the inside in Rect. Raised styles put
// LightColor at the top-left and ShadowColor at the bottom-right, lowered ones the reverse,
// bvNormal black on both; the frame styles draw Width nested one-pixel frames. Returns false
// (drawing nothing, Rect unchanged) for bvNone, bvShadow and a width of 0.
bool DrawBevelFrame(TCanvas* Canvas, TRect& Rect, TVisBevelStyle Style, Integer Width, TColor ShadowColor,
                    TColor LightColor);
// A drop shadow Depth pixels deep along the right and bottom edges (from Depth in), the two
// corners it leaves free filled with BackColor unless NoCorners, then FrameWidth one-pixel
// frames in FrameColor. Rect is left inside the frames.
void DrawShadowFrame(TCanvas* Canvas, TRect& Rect, TColor FrameColor, bool NoCorners, Integer FrameWidth,
                     Integer Depth, TColor BackColor, TColor ShadowColor);
// Pixels a border of that style takes on each side: 0, 1 or 2.
Integer BorderWidth(TVisBorderStyle Style);
// Draws a border through the system's DrawEdge with Rect moved inwards past it; Sides are BF_
// flags added to the edges' own (BF_MIDDLE, BF_MONO, ...). Always true.
bool DrawBorderEdge(TCanvas* Canvas, TRect& Rect, TVisBorderStyle Style, UINT Sides = 0);

// --- Arrows ---------------------------------------------------------------------------------------------

// A small filled triangle Size rows high (2 to 15; other sizes draw nothing) with its top-left
// at (X, Y): pointing down it is 2 x Size - 1 pixels wide, pointing up it widens around
// X + Size div 2. A disabled arrow is drawn embossed in the highlight-text and grey-text colours.
void DrawArrowGlyph(TCanvas* Canvas, Integer X, Integer Y, bool Enabled, bool Down, TColor Color, Integer Size);

// --- Pictures in rectangles -----------------------------------------------------------------------------

// Flags of DrawBitmapInRect, DrawBitmapExt and DrawGraphicExt.
constexpr Word dbClip = 0x0001;          // clip to the target while drawing (Ext entry points)
constexpr Word dbCenter = 0x0008;        // centred in the target
constexpr Word dbStretch = 0x0010;       // stretched to the target
constexpr Word dbKeepHeight = 0x0200;    // with dbStretch: height of the target, width by its ratio
constexpr Word dbKeepWidth = 0x0400;     // with dbStretch: width of the target, height by its ratio
constexpr Word dbTile = 0x0020;          // repeated over the target
constexpr Word dbTransparent = 0x0040;   // pixels of the transparent colour left out
constexpr Word dbGraphic = 0x0080;       // the graphic draws itself
constexpr Word dbMask = 0x0100;          // pixels set in the mask left out
constexpr Word dbPalette = 0x1000;       // the picture's palette realized on the target first

// Sizes Bitmap to Rect and fills it with Color; nothing for an empty rectangle.
void FillBitmapRect(TBitmap* Bitmap, const TRect& Rect, TColor Color);
// Sizes Bitmap to Graphic, fills it with Color and draws Graphic over it.
void FillBitmapBehind(TBitmap* Bitmap, TGraphic* Graphic, TColor Color);

// Draws SourceRect of a picture into Rect as Flags say. The pixels come from Bitmap's canvas, or
// with dbGraphic from Graphic drawing itself. dbTransparent leaves out the pixels of
// TransparentColor, dbMask the pixels set in Mask (whose SourceRect lines up with the
// picture's). Without dbCenter, dbStretch or dbTile the picture is drawn once at Rect's
// top-left corner in its own size. On return Rect is the rectangle the picture covers (the
// whole target when tiled or when SourceRect is empty).
void DrawBitmapInRect(TCanvas* Canvas, TRect& Rect, TBitmap* Bitmap, TColor TransparentColor, TGraphic* Graphic,
                      TBitmap* Mask, HPALETTE Palette, Word Flags, const TRect& SourceRect);
// Draws a whole bitmap: its size and palette are the bitmap's own. dbPalette realizes the
// palette (unless the application's graphic flags say not to on a display of 8 bits or fewer),
// dbClip clips to Rect moved by ClipOffset (x in the low word, y in the high word).
void DrawBitmapExt(TCanvas* Canvas, TRect& Rect, TBitmap* Bitmap, Word Flags, TColor TransparentColor = clNone,
                   TBitmap* Mask = nullptr, DWORD ClipOffset = 0);
// The same for any graphic: a bitmap is copied from its canvas, other graphics draw themselves.
void DrawGraphicExt(TCanvas* Canvas, TRect& Rect, TGraphic* Graphic, Word Flags, TColor TransparentColor = clNone,
                    DWORD ClipOffset = 0);
// Rect moved by a clip offset: x in the low word, y in the high word (both signed).
TRect OffsetClipRect(const TRect& Rect, DWORD ClipOffset);
// Whether pictures' palettes are realized: always, unless bit 0 of the application's graphic
// flags is set and the display has 8 bits per pixel or fewer.
bool PalettesRealized();

// Builds a monochrome Mask of Rect of SourceCanvas: set (white) where the pixel has
// TransparentColor, clear elsewhere. Work receives the area's pixels with the transparent ones
// made black, ready for the two-pass copy.
void MakeTransparentMask(TCanvas* SourceCanvas, const TRect& Rect, TBitmap* Mask, TColor TransparentColor,
                         TBitmap* Work);
// The two-pass copy: Mask ANDed onto Dest, then the picture ORed over it. The pixels set in the
// mask keep what Dest showed; the picture must be black there. The canvas's CopyMode comes back.
void TransparentCopy(TCanvas* Dest, const TRect& DestRect, TCanvas* Mask, TCanvas* Picture, const TRect& SourceRect);

// The disabled look of a glyph: Target (sized like Glyph) is filled with the glyph's transparent
// colour and the glyph's black pixels are drawn embossed, in the highlight colour one pixel right
// and down and in the shadow colour at (X, Y).
void DrawEmbossedGlyph(TBitmap* Target, TBitmap* Glyph, Integer X, Integer Y);
// A four-tone copy of Source in Target: the colour of the top-left pixel counts as transparent
// and stays; every other pixel becomes white, the highlight colour, the shadow colour or black
// by how bright it is against the picture's average brightness.
void BuildDisabledImage(TBitmap* Target, TBitmap* Source);
// The brightness (R + G + B) of the last pixel BuildDisabledImage weighed.
extern Integer VisLastBrightness;

// --- Fonts ------------------------------------------------------------------------------------------------

bool IsTrueTypeFont(TFont* Font);
bool IsCanvasFontTrueType(TCanvas* Canvas);

// --- Windows ----------------------------------------------------------------------------------------------

// When another copy of the program is running: this copy's application window loses its text
// (so that it is not found itself) and the first copy's "TApplication" window with the same
// title is restored when minimised, else brought to the foreground.
void ActivatePrevInstance();

// The zoom animation: XOR focus rectangles on the screen from a point (the cursor when X is
// negative) to Control's window rectangle in Steps steps (fewer than 4 make 40), each drawn and
// erased again after a busy wait of Delay x 10000 loops (Delay at least 1).
void ZoomRectAnimation(TControl* Control, Integer X, Integer Y, Integer Delay, Integer Steps);
// Two phases: from the point to the window rectangle shrunk by DX and DY on each side, then
// from there to the window rectangle; with Twice each phase runs twice.
void ZoomRectAnimation2(TControl* Control, Integer X, Integer Y, bool Twice, Integer Delay, Integer DX, Integer DY,
                        Integer Steps);
// The frames of one animation phase from From to To: Steps rectangles in equal steps, the
// last being To.
std::vector<TRect> ZoomFrames(const TRect& From, const TRect& To, Integer Steps);
