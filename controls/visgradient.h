// Gradients: the colour table of a gradient, the palette made from it, and the painting of the
// ten gradient styles.
#pragma once

#include <vector>

#include "classlib/Graphics.h"
#include "controls/visgraph.h"

// The colours of a gradient in painting order, as RGB values (red in the low byte).
using TVisColorTable = std::vector<LongInt>;

// Flags of FillGradient and DrawGradientList.
constexpr Word gfClip = 0x0001;     // clip to the rectangle (moved by the clip offset)
constexpr Word gfBitmap = 0x0004;   // paint into an off-screen bitmap, then copy it over
constexpr Word gfPalette = 0x1000;  // realize the palette first

// Adds Count colours stepping from StartColor to EndColor (system colours resolved) to Table:
// component = start + MulDiv(i, end - start, Count - 1), modulo 256. With Clear the table is
// emptied first and i runs 0 .. Count-1; without (a continuation segment) i runs 1 .. Count-1,
// so that the start colour, already the previous segment's last, is not repeated. Nothing for a
// nil table or a count of 0; Count 1 gives the start colour alone.
void BuildColorSteps(TColor StartColor, TColor EndColor, Byte Count, bool Clear, TVisColorTable* Table);
// The colour Step / Steps of the way from Color1 to Color2, each component rounded to the nearest
// integer (halves to even).
TColor InterpolateColor(TColor Color1, TColor Color2, Integer Step, Integer Steps);
// A logical palette of the table's colours in table order (PC_NOCOLLAPSE); 0 for a nil or empty
// table. The caller deletes it.
HPALETTE CreateGradientPalette(const TVisColorTable* Table);
// Paints Rect with the table's colours in Style. Horizontal and vertical styles paint bands;
// the others paint shapes from the largest (last colour) to the smallest (first colour). Nothing
// for a nil or empty table or an empty rectangle.
void FillGradient(TCanvas* Canvas, const TRect& Rect, TVisGradientStyle Style, Word Flags, HPALETTE Palette,
                  DWORD ClipOffset, const TVisColorTable* Table);
// FillGradient with a table of Count colours from StartColor to EndColor made for the call (and
// a palette when Flags has gfPalette).
void DrawGradientList(TCanvas* Canvas, const TRect& Rect, TColor StartColor, TColor EndColor, Byte Count,
                      TVisGradientStyle Style, Word Flags, DWORD ClipOffset = 0);
