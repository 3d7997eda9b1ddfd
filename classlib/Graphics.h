// Colours, fonts, pens and brushes, and the canvas that draws with them on any device context
// (a window, a memory bitmap, a metafile being recorded, a printer page).
//
// Fonts, pens and brushes describe a GDI object; the handle is made when first asked for and
// shared by every object with the same description, so switching a canvas between a few fonts
// costs no new GDI objects. A canvas selects its font, pen and brush only when a drawing call
// needs them and only when they differ from what the device context already holds, which keeps
// metafile recordings free of repeated selections.
#pragma once

#include <initializer_list>
#include <vector>

#include "classlib/Components.h"
#include "classlib/Sets.h"
#include "classlib/TypInfo.h"
#include "classlib/WinApi.h"

class TBitmap;
class TGraphic;
class TCanvas;
class TTypeInfo;

// ---------------------------------------------------------------------------------------------
// Colours

// A GDI colour value $00BBGGRR; a value with the high byte $80 names a system colour by its
// COLOR_... index in the low byte.
using TColor = Integer;

constexpr TColor clScrollBar = TColor(0x80000000u | COLOR_SCROLLBAR);
constexpr TColor clBackground = TColor(0x80000000u | COLOR_BACKGROUND);
constexpr TColor clActiveCaption = TColor(0x80000000u | COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = TColor(0x80000000u | COLOR_INACTIVECAPTION);
constexpr TColor clMenu = TColor(0x80000000u | COLOR_MENU);
constexpr TColor clWindow = TColor(0x80000000u | COLOR_WINDOW);
constexpr TColor clWindowFrame = TColor(0x80000000u | COLOR_WINDOWFRAME);
constexpr TColor clMenuText = TColor(0x80000000u | COLOR_MENUTEXT);
constexpr TColor clWindowText = TColor(0x80000000u | COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = TColor(0x80000000u | COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = TColor(0x80000000u | COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = TColor(0x80000000u | COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = TColor(0x80000000u | COLOR_APPWORKSPACE);
constexpr TColor clHighlight = TColor(0x80000000u | COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = TColor(0x80000000u | COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = TColor(0x80000000u | COLOR_BTNFACE);
constexpr TColor clBtnShadow = TColor(0x80000000u | COLOR_BTNSHADOW);
constexpr TColor clGrayText = TColor(0x80000000u | COLOR_GRAYTEXT);
constexpr TColor clBtnText = TColor(0x80000000u | COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = TColor(0x80000000u | COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = TColor(0x80000000u | COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = TColor(0x80000000u | COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = TColor(0x80000000u | COLOR_3DLIGHT);
constexpr TColor clInfoText = TColor(0x80000000u | COLOR_INFOTEXT);
constexpr TColor clInfoBk = TColor(0x80000000u | COLOR_INFOBK);
constexpr TColor clHotLight = TColor(0x80000000u | COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = TColor(0x80000000u | COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = TColor(0x80000000u | COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = TColor(0x80000000u | COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = TColor(0x80000000u | COLOR_MENUBAR);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The RGB value of a colour: system colours through GetSysColor, every other value unchanged.
LongInt ColorToRGB(TColor Color);
// "clRed" for a named colour, else "$00BBGGRR" (8 hexadecimal digits), as the form text stores it.
AnsiString ColorToString(TColor Color);
// The reverse of ColorToString; also accepts decimal and $-hexadecimal numbers. Raises
// EConvertError for anything else.
TColor StringToColor(const AnsiString& S);
// The colour names alone: false when the value has no name (or the name is unknown).
bool ColorToIdent(LongInt Color, AnsiString& Ident);
bool IdentToColor(const AnsiString& Ident, LongInt& Color);
// The type of colour properties in forms, which stores named colours by their names: publish
// a TColor property with .Type(ColorTypeInfo()) (see classlib/TypInfo.h).
const TTypeInfo* ColorTypeInfo();
// Adds colour names that forms may use, asked before the library's own names (a component
// library registers its names once, when the program starts).
void RegisterColorNames(TIdentToInt IdentToInt, TIntToIdent IntToIdent);

// The names of the character sets in forms ("DEFAULT_CHARSET"); false for a value without one.
bool CharsetToIdent(Integer Charset, AnsiString& Ident);
bool IdentToCharset(const AnsiString& Ident, Integer& Charset);

// The type of character-set properties in forms, which stores the named ones by their names.
const TTypeInfo* CharsetTypeInfo();

// Pixels per inch of the screen, read once.
Integer ScreenLogPixels();

// A new palette with the same colours (nullptr for none).
HPALETTE CopyPalette(HPALETTE Palette);

// Raises EOutOfResources for a failed GDI call, with the system's message for GetLastError.
[[noreturn]] void GDIError();

// ---------------------------------------------------------------------------------------------
// Errors

// A picture's data could not be read ("Bitmap image is not valid", ...).
class EInvalidGraphic : public Exception {
  CLASS_INFO(EInvalidGraphic, Exception)
public:
  using Exception::Exception;
};

// An operation a picture cannot do ("Scan line index out of range", "Invalid image size", ...).
class EInvalidGraphicOperation : public Exception {
  CLASS_INFO(EInvalidGraphicOperation, Exception)
public:
  using Exception::Exception;
};

// ---------------------------------------------------------------------------------------------
// Fonts, pens and brushes

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut");
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
ENUM_NAMES(TFontPitch, "fpDefault", "fpVariable", "fpFixed");
using TFontCharset = Byte;
using TFontName = AnsiString;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
ENUM_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame");
enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};
ENUM_NAMES(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
           "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor");
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross",
           "bsDiagCross");

namespace classlib_detail {
// A GDI object with its description, shared by every font, pen or brush that describes it.
struct GdiResource;
// A canvas keeps the resources it has selected into a context alive with these.
void RetainResource(GdiResource* Resource) noexcept;
void ReleaseResource(GdiResource* Resource) noexcept;
}  // namespace classlib_detail

// The common base of fonts, pens and brushes: OnChange fires after every change.
class TGraphicsObject : public TPersistent {
  CLASS_INFO(TGraphicsObject, TPersistent)
public:
  TNotifyEvent OnChange;

protected:
  virtual void Changed();
};

class TFont : public TGraphicsObject {
  CLASS_INFO(TFont, TGraphicsObject)
public:
  // "MS Sans Serif", 8 points at the screen's resolution, black, default character set.
  TFont();
  ~TFont() override;
  // From another font: the description and colour; the size in points is kept when the two
  // fonts have different PixelsPerInch.
  void Assign(TPersistent* Source) override;

  // The GDI font; made on first use and shared with every font of the same description.
  HFONT GetHandle();
  // Takes over a font made elsewhere: its description is read back and the font owns it.
  void SetHandle(HFONT Value);

  AnsiString GetName() const;
  void SetName(const AnsiString& Value);
  // Size in points: -MulDiv(Height, 72, PixelsPerInch); Height = -MulDiv(Size, PixelsPerInch, 72).
  Integer GetSize() const;
  void SetSize(Integer Value);
  // Height in pixels, negative for the character height (without internal leading).
  Integer GetHeight() const;
  void SetHeight(Integer Value);
  TFontStyles GetStyle() const;
  void SetStyle(TFontStyles Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TFontCharset GetCharset() const;
  void SetCharset(TFontCharset Value);
  TFontPitch GetPitch() const;
  void SetPitch(TFontPitch Value);

  // The resolution that converts Size to Height; the screen's unless a printer canvas set its own.
  Integer PixelsPerInch;

private:
  void Change(const void* data);
  friend class TCanvas;
  classlib_detail::GdiResource* FResource;
  TColor FColor = clWindowText;
};

class TPen : public TGraphicsObject {
  CLASS_INFO(TPen, TGraphicsObject)
public:
  // Black, solid, 1 pixel, pmCopy.
  TPen();
  ~TPen() override;
  void Assign(TPersistent* Source) override;

  // The GDI pen (psClear gives a null pen); made on first use and shared.
  HPEN GetHandle();
  void SetHandle(HPEN Value);

  TColor GetColor() const;
  void SetColor(TColor Value);
  Integer GetWidth() const;
  void SetWidth(Integer Value);
  TPenStyle GetStyle() const;
  void SetStyle(TPenStyle Value);
  // How the pen combines with the picture (SetROP2); applied by the canvas, not part of the handle.
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode Value);

private:
  void Change(const void* data);
  friend class TCanvas;
  classlib_detail::GdiResource* FResource;
  TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
  CLASS_INFO(TBrush, TGraphicsObject)
public:
  // White, solid.
  TBrush();
  ~TBrush() override;
  void Assign(TPersistent* Source) override;

  // The GDI brush: solid, hatched, hollow for bsClear, or a pattern of Bitmap; made on first use.
  HBRUSH GetHandle();
  void SetHandle(HBRUSH Value);

  TColor GetColor() const;
  // A colour makes a bsClear brush solid again.
  void SetColor(TColor Value);
  TBrushStyle GetStyle() const;
  void SetStyle(TBrushStyle Value);
  // A bitmap whose pixels become the brush's pattern; the brush does not own it. The pattern is
  // taken from the bitmap when the handle is made.
  TBitmap* GetBitmap() const;
  void SetBitmap(TBitmap* Value);

private:
  void Change(const void* data);
  friend class TCanvas;
  classlib_detail::GdiResource* FResource;
};

// ---------------------------------------------------------------------------------------------
// The canvas

// Raster operations for CopyMode.
using TCopyMode = LongInt;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

enum TFillStyle { fsSurface, fsBorder };

enum TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStates>;

// Draws with its Font, Pen and Brush on a device context. The context comes from SetHandle or,
// in descendants (bitmap, metafile and printer canvases), from CreateHandle when first needed.
class TCanvas : public TPersistent {
  CLASS_INFO(TCanvas, TPersistent)
public:
  TCanvas();
  ~TCanvas() override;

  // The device context, with the current font, pen and brush selected into it.
  HDC GetHandle();
  // Takes any device context (or none). The context stays the caller's: detaching it selects the
  // stock objects back in so that the canvas's own objects can be freed.
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPen* GetPen() const { return FPen; }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* GetBrush() const { return FBrush; }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

  // The current position that MoveTo and LineTo use; TextOut leaves it after the text.
  TPoint GetPenPos();
  void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }
  // The bounds of the context's clipping region.
  TRect GetClipRect();
  TColor GetPixels(Integer X, Integer Y);
  void SetPixels(Integer X, Integer Y, TColor Value);

  // Serialises drawing from several threads; a locked bitmap canvas keeps its context.
  void Lock();
  bool TryLock();
  void Unlock();
  Integer GetLockCount() const { return FLockCount; }

  // Selects the stock objects back into the context; the next drawing call selects the canvas's
  // own again. For use after someone else changed the context's objects.
  void Refresh();
  // A capability of the device drawn on (GetDeviceCaps of the context). A printer canvas asks its
  // printer, whose device calls a descendant may replace.
  virtual Integer DeviceCaps(Integer Index);

  void MoveTo(Integer X, Integer Y);
  void LineTo(Integer X, Integer Y);
  void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  // Fills with the brush, no outline.
  void FillRect(const TRect& Rect);
  // A one-pixel frame in the brush.
  void FrameRect(const TRect& Rect);
  void DrawFocusRect(const TRect& Rect);
  void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
  void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void Polygon(const TPoint* Points, Integer Count);
  void Polygon(std::initializer_list<TPoint> Points) { Polygon(Points.begin(), Integer(Points.size())); }
  void Polygon(const std::vector<TPoint>& Points) { Polygon(Points.data(), Integer(Points.size())); }
  void Polyline(const TPoint* Points, Integer Count);
  void Polyline(std::initializer_list<TPoint> Points) { Polyline(Points.begin(), Integer(Points.size())); }
  void Polyline(const std::vector<TPoint>& Points) { Polyline(Points.data(), Integer(Points.size())); }
  // Cubic Bezier curves: a start point, then three points per curve.
  void PolyBezier(const TPoint* Points, Integer Count);
  void PolyBezier(std::initializer_list<TPoint> Points) { PolyBezier(Points.begin(), Integer(Points.size())); }
  void PolyBezier(const std::vector<TPoint>& Points) { PolyBezier(Points.data(), Integer(Points.size())); }
  // Curves from the current position, three points per curve.
  void PolyBezierTo(const TPoint* Points, Integer Count);
  void FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle);

  // Text at (X, Y) in the font's colour, on the brush colour unless the brush is bsClear.
  // Drawn with ExtTextOut without a spacing array, so that a metafile records GDI's own advances.
  void TextOut(Integer X, Integer Y, const AnsiString& Text);
  void TextOut(Integer X, Integer Y, const WideString& Text);
  // Text clipped to Rect, which is filled with the brush first unless the brush is bsClear.
  void TextRect(const TRect& Rect, Integer X, Integer Y, const AnsiString& Text);
  void TextRect(const TRect& Rect, Integer X, Integer Y, const WideString& Text);
  TSize TextExtent(const AnsiString& Text);
  TSize TextExtent(const WideString& Text);
  Integer TextWidth(const AnsiString& Text) { return TextExtent(Text).cx; }
  Integer TextWidth(const WideString& Text) { return TextExtent(Text).cx; }
  Integer TextHeight(const AnsiString& Text) { return TextExtent(Text).cy; }
  Integer TextHeight(const WideString& Text) { return TextExtent(Text).cy; }

  // Pictures are drawn by stretching their pixels (StretchDIBits or StretchBlt), never by a
  // plain block copy, so that a metafile recording carries the pixels.
  void Draw(Integer X, Integer Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  // Copies a rectangle of another canvas, stretched to Dest, with CopyMode.
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  // Copies a rectangle of Bitmap with every pixel of Color replaced by the brush.
  void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

  // Raster operation of CopyRect.
  TCopyMode CopyMode = cmSrcCopy;
  // ETO_... options added to every TextOut and TextRect.
  Integer TextFlags = 0;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  // Makes sure the listed parts are valid: the context exists and the font, pen or brush is
  // selected. Drawing code that calls GDI on Handle directly uses it after changing them.
  void RequiredState(TCanvasState ReqState);

protected:
  // Provides the device context when a drawing call needs one; the base has none to offer.
  virtual void CreateHandle() {}
  virtual void Changing();
  virtual void Changed();
  // Selects the stock objects back and forgets which of ours were selected.
  void DeselectHandles();

  TCanvasState FState;
  HDC FHandle = nullptr;

private:
  friend class TBitmap;
  void FontChanged(TObject* Sender);
  void PenChanged(TObject* Sender);
  void BrushChanged(TObject* Sender);
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void FlushPenPos();
  void Select(classlib_detail::GdiResource*& Slot, classlib_detail::GdiResource* Resource);
  void ResolvePendingWidth();

  TFont* FFont;
  TPen* FPen;
  TBrush* FBrush;
  // The objects of ours that the context holds, kept alive (by a reference) while selected.
  classlib_detail::GdiResource* FSelectedFont = nullptr;
  classlib_detail::GdiResource* FSelectedPen = nullptr;
  classlib_detail::GdiResource* FSelectedBrush = nullptr;
  // TextOut leaves the pen after the text, but moving it there costs a measurement and a
  // metafile record that hardly any caller needs: the text is measured when the font is about
  // to change or the position is asked for, and the move is made when a line needs it.
  enum class PendingPen { None, AfterText, At };
  PendingPen FPending = PendingPen::None;
  TPoint FPendingPos;
  AnsiString FPendingText;
  WideString FPendingWideText;
  bool FPendingWide = false;
  CRITICAL_SECTION FLock;
  Integer FLockCount = 0;
};
