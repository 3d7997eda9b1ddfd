// Captions: measuring, placing and drawing a control's caption in its 3D or rotated style, the
// nine-way placement of a box in an area, and the layout of a glyph, a caption and a drop-down
// arrow together.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/Graphics.h"
#include "controls/visgraph.h"

class TVis3DCaption;
class TVisGlyphTextLayout;

// Flags of Draw3DText and CalcGlyphTextLayout.
constexpr Word cfEnabled = 0x0002;        // the control is enabled
constexpr Word cfDisabledSunken = 0x0004; // a disabled dsAuto caption is drawn sunken
constexpr Word cfClip = 0x0008;           // clip to the clip rectangle (or the text rectangle)
constexpr Word cfFocusRect = 0x0040;      // CalcGlyphTextLayout returns the focus rectangle
constexpr Word cfFocusRect2 = 0x0080;     // the same
constexpr Word cfMeasureOnly = 0x0200;    // CalcGlyphTextLayout only places, draws nothing
constexpr Word cfClipText = 0x0400;       // the text rectangle is cut to the client area

// Draws Text in Rect in the caption's 3D style (Caption may be nil: plain text) with DrawText
// flags DrawFlags; a rotated TVisFxCaption is drawn from (Rect.Left + PosX, Rect.Top + PosY)
// without formatting. A disabled caption (no cfEnabled) is grey unless its DisabledStyle is
// dsNone. Nothing for an empty text or rectangle.
void Draw3DText(TCanvas* Canvas, const AnsiString& Text, TVis3DCaption* Caption, const TRect* ClipRect, Word Flags,
                UINT DrawFlags, TRect& Rect);
// Grows Rect's right and bottom by the room the caption's 3D style takes beyond the text.
void Get3DTextExtent(TVis3DCaption* Caption, TRect& Rect);
// The box of a caption in the canvas's font, in Rect (whose width limits a word-wrapped
// caption): the text's extent, the 3D room, for a rotated caption the rotated box (PosX and PosY
// are set to where the text starts in it), and Margin + 1 pixels on each side.
void MeasureCaption(TCanvas* Canvas, Integer Margin, bool ShowAccelChar, bool WordWrap, UINT DrawFlags,
                    TVis3DCaption* Caption, const AnsiString& Text, TRect& Rect);
// Measures the caption in Font against Area (less its last column) and places the box in Area
// by Alignment; Result is the caption's rectangle.
void AlignCaption(TVisAlignment Alignment, const AnsiString& Text, TVis3DCaption* Caption, TRect& Result,
                  UINT DrawFlags, bool ShowAccelChar, bool WordWrap, TFont* Font, const TRect& Area);
// The DrawText format of an alignment: column in the low bits (left 0, centre 1, right 2), row
// in the next (top 0, middle 4, bottom 8).
UINT AlignmentFormat(TVisAlignment Alignment);
// Box moved into Area by Alignment: top, middle or bottom row and left, centre or right column;
// the middle offsets are rounded towards zero.
void AlignBoxInRect(TVisAlignment Alignment, const TRect& Box, const TRect& Area, TRect& Result);

// A glyph to lay out: its size, and where its pixels come from (a cell of Image, with the same
// cell of Mask or the transparent colour leaving out the background).
struct TVisGlyphImage {
  Integer Width = 0;
  Integer Height = 0;
  TBitmap* Image = nullptr;
  TBitmap* Mask = nullptr;
  TColor TransparentColor = clNone;
  TRect Source;
  HPALETTE Palette = nullptr;
};

// Places a glyph and a caption (and a TVisButtonLayout's drop-down arrow) in ClientRect by
// Layout and, unless Flags has cfMeasureOnly, draws them. GlyphRect and TextRect receive where
// the glyph and the caption go. Flags also carry cfEnabled and cfDisabledSunken for the caption
// and the arrow, and cfClipText; DrawFlags are added to the caption's DrawText flags (reading
// order, say). Returns the focus rectangle (the text rectangle grown by 1) when Flags has
// cfFocusRect or cfFocusRect2, else an empty rectangle.
TRect CalcGlyphTextLayout(TCanvas* Canvas, const AnsiString& Text, TVis3DCaption* Caption, Word Flags,
                          UINT DrawFlags, bool WordWrap, const TVisGlyphImage& Glyph, TVisGlyphTextLayout* Layout,
                          const TRect& ClientRect, TRect& GlyphRect, TRect& TextRect);
