// Small helpers shared by the document, its items and the writers: tags, tabs, colours as HTML,
// paths, rectangles and device resolution.
#pragma once

#include "classlib/Graphics.h"
#include "classlib/System.h"
#include "richtext/core/DLines.h"
#include "richtext/core/UVTypes.h"

// --- Tags ------------------------------------------------------------------------------------
// A string tag is an owned zero-terminated copy of its text; an empty text gives no tag (0).
TUVTag UVMakeStringTag(const AnsiString& Text);
// The text of a string tag ("" for none).
AnsiString UVTagText(TUVTag Tag);
// Frees a string tag and sets it to 0.
void UVFreeStringTag(TUVTag& Tag);
// A copy of a tag: a new copy of the string when tags are strings, else the value itself.
TUVTag CopyItemTag(TUVTag Tag, bool TagsArePChars);
// Equal tags: integers by value; string tags both absent, or both present with equal text.
bool UVCompareTags(TUVTag Tag1, TUVTag Tag2, bool TagsArePChars);

// --- Text ------------------------------------------------------------------------------------
// Every tab replaced by SpacesInTab blanks.
AnsiString ReplaceTabsAnsi(const AnsiString& Text, Integer SpacesInTab);
// The same for raw UTF-16 text held in an 8-bit string (a tab is the unit 9 at an even offset).
AnsiString ReplaceTabsUnicode(const AnsiString& Text, Integer SpacesInTab);
// 1-based position of a byte in a buffer of Length bytes; 0 when absent or there is no buffer.
Integer FindByteInBuffer(const void* Buffer, Integer Length, Byte Value);

// --- HTML ------------------------------------------------------------------------------------
// "#RRGGBB" (system colours resolved; clWindowText counts as black); "" for clNone.
AnsiString ColorToHTMLString(TColor Color);
// Every "\" turned into "/".
AnsiString UVMakeHTMLPath(const AnsiString& Path);
// Appends Word to S, separated by one blank when S is not empty.
void UVAppendWord(AnsiString& S, const AnsiString& Word);
// A point size as the HTML FONT size 1 to 7.
Integer UVFontSizeToHTML(Integer Size);

class TFontInfo;
// CSS text of a font: "font: [bold] [italic] <size> '<name>';" with decoration and colour.
AnsiString UVFontToCSS(TFont* Font);
// FONT, B, I, U and S tags of a font relative to a base text style, and the matching closing tags.
AnsiString UVOpenHTMLMarkerFontTags(TFont* Font, const TFontInfo* Base);
// The same for a text style, with SUB and SUP; absolute (every attribute) without a base.
AnsiString UVOpenHTMLFontTags(const TFontInfo* Style, const TFontInfo* Base);
AnsiString UVCloseHTMLFontTags(const TFontInfo* Style, const TFontInfo* Base);
AnsiString UVCloseHTMLMarkerFontTags(TFont* Font, const TFontInfo* Base);

// Gives a picture a palette made from a logical palette (a JPEG picture first switches to 8-bit
// output); the palette is deleted again when the picture did not keep it.
void UVApplyPalette(TGraphic* Graphic, LOGPALETTE* LogPalette);

// --- Geometry and devices -----------------------------------------------------------------------
// The mark of a picture that cannot be shown: a white box with a red frame and a red cross.
void UVDrawCrossedBox(TCanvas* Canvas, const TRect& R);
// Draws a picture at (X, Y), Width x Height screen pixels (negative: its own size) scaled to the
// device. Stretched: the canvas stretches the picture; else only bitmaps are drawn, their pixels
// through the halftone palette and stretch mode.
void UVDrawGraphic(TCanvas* Canvas, Integer X, Integer Y, Integer Width, Integer Height, TGraphic* Graphic,
                   const TUVScreenAndDevice& Sad, bool Stretch);
// X in [Left, Left + Width) and Y in [Top, Top + Height).
bool IsPointInRect(Integer X, Integer Y, Integer Left, Integer Top, Integer Width, Integer Height);
// Device resolution from the canvas (its logical units per inch, through the canvas's own device
// capabilities and map mode), screen resolution from a screen-compatible context.
void UVGetResolution(TCanvas* Canvas, TUVScreenAndDevice& Sad);
// The width in the canvas's logical units of Pixels of its device's pixels: more than Pixels on a
// canvas whose logical units are finer than its pixels; Pixels without a canvas.
Integer UVDevicePixelsToLogicalX(TCanvas* Canvas, Integer Pixels);
