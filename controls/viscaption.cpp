// Caption measuring, placing and drawing, and the glyph-and-caption layout.
#include "controls/viscaption.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "controls/VisObject.h"
#include "controls/visprocs.h"

namespace {

// A canvas on the screen's context carrying a font, for measuring.
class ScreenCanvas {
public:
  explicit ScreenCanvas(TFont* Font) {
    canvas_.SetHandle(screen_.get());
    if (Font) canvas_.SetFont(Font);
  }
  ~ScreenCanvas() { canvas_.SetHandle(nullptr); }
  TCanvas* get() { return &canvas_; }

private:
  WindowDC screen_;
  TCanvas canvas_;
};

TVisFxCaption* RotatedCaption(TVis3DCaption* Caption) {
  auto* fx = dynamic_cast<TVisFxCaption*>(Caption);
  return fx && fx->GetAngle() != 0 ? fx : nullptr;
}

// Sets the caption's extra character spacing on the context and takes it off again.
class Tracing {
public:
  Tracing(HDC dc, TVis3DCaption* Caption) : dc_(dc) {
    if (Caption && Caption->GetTracing() != 0) {
      ::SetTextCharacterExtra(dc, Caption->GetTracing());
      set_ = true;
    }
  }
  ~Tracing() {
    if (set_) ::SetTextCharacterExtra(dc_, 0);
  }
  Tracing(const Tracing&) = delete;
  Tracing& operator=(const Tracing&) = delete;

private:
  HDC dc_;
  bool set_ = false;
};

// A copy of the context's font turned by Angle degrees (escapement in tenths), selected while
// this object lives.
class RotatedFont {
public:
  RotatedFont(HDC dc, Integer Angle) {
    LOGFONTA font{};
    ::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font);
    font.lfEscapement = font.lfOrientation = Angle * 10;
    font_.reset(::CreateFontIndirectA(&font));
    selected_ = std::make_unique<SelectedObject>(dc, font_.get());
  }

private:
  UniqueGdiObject font_;
  std::unique_ptr<SelectedObject> selected_;
};

// The caption's box on dc: the text's extent with the 3D room, or for a rotated caption the
// rotated box, whose PosX and PosY then say where the text starts. Rect's width limits a
// word-wrapped text.
void MeasureBox(HDC dc, const AnsiString& Text, TVis3DCaption* Caption, UINT Flags, TRect& Rect) {
  Tracing tracing(dc, Caption);
  TVisFxCaption* rotated = RotatedCaption(Caption);
  if (!rotated) {
    if (auto* fx = dynamic_cast<TVisFxCaption*>(Caption)) fx->SetPos(0, 0);
    ::DrawTextExA(dc, const_cast<char*>(Text.c_str()), static_cast<int>(Text.size()), AsRECT(Rect),
                  Flags | DT_CALCRECT, nullptr);
    Get3DTextExtent(Caption, Rect);
    return;
  }
  SIZE extent{};
  ::GetTextExtentPoint32A(dc, Text.c_str(), static_cast<int>(Text.size()), &extent);
  TRect text = ::Rect(0, 0, extent.cx, extent.cy);
  Get3DTextExtent(Caption, text);
  const TRect box = RotatedRect(text, rotated->GetAngle());
  // The text turns counter-clockwise about the box's centre; its starting corner, half a text
  // box up and left of the centre, turns with it.
  const long double a = rotated->GetAngle() * 0.017453292519943295L;
  const long double x = -text.Width() / 2.0L;
  const long double y = -text.Height() / 2.0L;
  const long double rx = x * std::cos(a) + y * std::sin(a);
  const long double ry = -x * std::sin(a) + y * std::cos(a);
  const auto posX = static_cast<Integer>(Round(box.Width() / 2.0L + rx));
  const auto posY = static_cast<Integer>(Round(box.Height() / 2.0L + ry));
  rotated->SetPosX(static_cast<Word>(posX < 0 ? 0 : posX));
  rotated->SetPosY(static_cast<Word>(posY < 0 ? 0 : posY));
  Rect = {Rect.Left, Rect.Top, Rect.Left + box.Width(), Rect.Top + box.Height()};
}

}  // namespace

UINT AlignmentFormat(TVisAlignment Alignment) {
  const UINT a = Alignment;
  return (a % 3) | ((a / 3) * 4);
}

void Get3DTextExtent(TVis3DCaption* Caption, TRect& Rect) {
  if (!Caption) return;
  const Integer l = Caption->GetLightDepth();
  const Integer s = Caption->GetShadowDepth();
  Integer grow = 0;
  switch (Caption->GetStyle()) {
    case tdSunken:
    case tdRaised: grow = l; break;
    case tdSunkenShadow:
    case tdRaisedShadow:
    case tdPColorSunken:
    case tdPColorRaised: grow = l + s; break;
    case tdShadow:
    case tdOutline:
    case tdExtrude:
    case tdExtrudeEnh: grow = s; break;
    default: break;
  }
  Rect.Right += grow;
  Rect.Bottom += grow;
}

void Draw3DText(TCanvas* Canvas, const AnsiString& Text, TVis3DCaption* Caption, const TRect* ClipRect, Word Flags,
                UINT DrawFlags, TRect& Rect) {
  if (Text.empty() || Rect.Width() <= 0 || Rect.Height() <= 0) return;
  TVisThreeDStyle style = Caption ? Caption->GetStyle() : tdNone;
  // Without a caption object the text is plain; drawn sunken when disabled, it is one pixel deep.
  const Integer l = Caption ? Caption->GetLightDepth() : 1;
  const Integer s = Caption ? Caption->GetShadowDepth() : 1;
  const TColor light = Caption ? Caption->GetLightColor() : clBtnHighlight;
  const TColor shadow = Caption ? Caption->GetShadowColor() : clBtnShadow;
  const TVisDisabledStyle disabledStyle = Caption ? Caption->GetDisabledStyle() : dsAuto;

  TColor text;
  if (!(Flags & cfEnabled) && disabledStyle != dsNone) {
    text = clGrayText;
    if (disabledStyle == ds3d || (disabledStyle == dsAuto && (Flags & cfDisabledSunken))) style = tdSunken;
  } else if (style == tdPColorSunken || style == tdPColorRaised) {
    text = Canvas->GetBrush()->GetColor();
  } else {
    text = Canvas->GetFont()->GetColor();
  }

  Canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  HDC dc = Canvas->GetHandle();
  std::unique_ptr<ClipIntersection> clip;
  if (Flags & cfClip) clip = std::make_unique<ClipIntersection>(dc, *AsRECT(ClipRect ? *ClipRect : Rect));
  Tracing tracing(dc, Caption);
  TVisFxCaption* rotated = RotatedCaption(Caption);
  std::unique_ptr<RotatedFont> font;
  if (rotated) font = std::make_unique<RotatedFont>(dc, rotated->GetAngle());
  const COLORREF oldText = ::GetTextColor(dc);
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);

  TRect textRect = Rect;
  const auto draw = [&](TColor color, Integer dx, Integer dy) {
    ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(color)));
    if (rotated) {
      ::ExtTextOutA(dc, Rect.Left + rotated->GetPosX() + dx, Rect.Top + rotated->GetPosY() + dy, 0, nullptr,
                    Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
    } else {
      TRect r{textRect.Left + dx, textRect.Top + dy, textRect.Right + dx, textRect.Bottom + dy};
      ::DrawTextExA(dc, const_cast<char*>(Text.c_str()), static_cast<int>(Text.size()), AsRECT(r), DrawFlags,
                    nullptr);
    }
  };

  switch (style) {
    case tdSunken:
      textRect.Right -= l;
      draw(light, l, l);
      draw(text, 0, 0);
      break;
    case tdRaised:
      textRect.Right -= l;
      draw(light, 0, 0);
      draw(text, l, l);
      break;
    case tdSunkenShadow:
    case tdPColorSunken:
      textRect.Right -= l + s;
      draw(shadow, 0, 0);
      draw(light, l + s, l + s);
      draw(text, s, s);
      break;
    case tdRaisedShadow:
    case tdPColorRaised:
      textRect.Right -= l + s;
      draw(shadow, l + s, l + s);
      draw(light, 0, 0);
      draw(text, l, l);
      break;
    case tdShadow:
      textRect.Right -= s;
      draw(shadow, s, s);
      draw(text, 0, 0);
      break;
    case tdOutline: {
      // The letters' outlines only, stroked with a pen as wide as the shadow depth.
      ::BeginPath(dc);
      draw(text, s / 2, s / 2);
      ::EndPath(dc);
      UniqueGdiObject pen(::CreatePen(PS_SOLID, s, static_cast<COLORREF>(ColorToRGB(text))));
      SelectedObject selected(dc, pen.get());
      ::StrokePath(dc);
      break;
    }
    case tdExtrude:
    case tdExtrudeEnh: {
      if (s == 0) {
        draw(text, 0, 0);
        break;
      }
      TPoint at{0, 0};
      TPoint step{1, 1};
      switch (Caption->GetOrientation()) {
        case toBottomLeft: at = {0, s + 1}; step = {1, -1}; break;
        case toBottomRight: at = {s + 1, s + 1}; step = {-1, -1}; break;
        case toTopLeft: break;
        case toTopRight: at = {s + 1, 0}; step = {-1, 1}; break;
      }
      for (Integer k = s; k >= 1; --k) {
        at = {at.X + step.X, at.Y + step.Y};
        draw(style == tdExtrude ? shadow : InterpolateColor(shadow, light, k - 1, s), at.X, at.Y);
      }
      draw(text, at.X, at.Y);
      break;
    }
    default: draw(text, 0, 0); break;
  }

  ::SetBkMode(dc, oldMode);
  ::SetTextColor(dc, oldText);
}

void MeasureCaption(TCanvas* Canvas, Integer Margin, bool ShowAccelChar, bool WordWrap, UINT DrawFlags,
                    TVis3DCaption* Caption, const AnsiString& Text, TRect& Rect) {
  ScreenCanvas screen(Canvas ? Canvas->GetFont() : nullptr);
  TCanvas* canvas = screen.get();
  canvas->RequiredState({csHandleValid, csFontValid});
  UINT flags = DrawFlags | DT_EXPANDTABS;
  if (WordWrap) flags |= DT_WORDBREAK;
  if (!ShowAccelChar) flags |= DT_NOPREFIX;
  MeasureBox(canvas->GetHandle(), Text, Caption, flags, Rect);
  Rect.Right += (Margin + 1) * 2;
  Rect.Bottom += (Margin + 1) * 2;
}

void AlignBoxInRect(TVisAlignment Alignment, const TRect& Box, const TRect& Area, TRect& Result) {
  const Integer w = Box.Width();
  const Integer h = Box.Height();
  const Integer column = Alignment % 3;
  const Integer row = Alignment / 3;
  const Integer x = column == 0 ? 0 : column == 1 ? (Area.Width() - w) / 2 : Area.Width() - w;
  const Integer y = row == 0 ? 0 : row == 1 ? (Area.Height() - h) / 2 : Area.Height() - h;
  Result = Bounds(Area.Left + x, Area.Top + y, w, h);
}

void AlignCaption(TVisAlignment Alignment, const AnsiString& Text, TVis3DCaption* Caption, TRect& Result,
                  UINT DrawFlags, bool ShowAccelChar, bool WordWrap, TFont* Font, const TRect& Area) {
  ScreenCanvas screen(Font);
  TRect box = Area;
  --box.Right;
  MeasureCaption(screen.get(), 0, ShowAccelChar, WordWrap, DrawFlags, Caption, Text, box);
  AlignBoxInRect(Alignment, box, Area, Result);
}

TRect CalcGlyphTextLayout(TCanvas* Canvas, const AnsiString& Text, TVis3DCaption* Caption, Word Flags,
                          UINT DrawFlags, bool WordWrap, const TVisGlyphImage& Glyph, TVisGlyphTextLayout* Layout,
                          const TRect& ClientRect, TRect& GlyphRect, TRect& TextRect) {
  TVisGlyphTextLayout plain;
  if (!Layout) Layout = &plain;
  auto* button = dynamic_cast<TVisButtonLayout*>(Layout);
  const Integer room = button ? button->ArrowRoom() : 0;
  const TVisArrowPosition arrowAt = button ? button->GetArrowPosition() : apRightText;
  const bool arrowByGlyph = room > 0 && (arrowAt == apRightGlyph || arrowAt == apLeftGlyph);
  const bool arrowByText = room > 0 && !arrowByGlyph;
  const TVisTextArrange arrange = Layout->GetAlignText2Glyph();
  const bool sideBySide = arrange == taLeft || arrange == taLeftTop || arrange == taRight || arrange == taRightTop;

  const bool hasGlyph = Glyph.Width > 0 && Glyph.Height > 0;
  const Integer gw = hasGlyph ? Glyph.Width : 0;
  const Integer gh = hasGlyph ? Glyph.Height : 0;
  const Integer glyphSlotW = gw + (arrowByGlyph ? room : 0);
  const Integer spacing = Layout->GetSpacing();

  const UINT format = AlignmentFormat(Layout->GetAlignment()) | (WordWrap ? DT_WORDBREAK : 0) | DrawFlags;
  Integer tw = 0;
  Integer th = 0;
  if (!Text.empty()) {
    Integer limit = ClientRect.Width() - (arrowByText ? room : 0);
    if (sideBySide && glyphSlotW > 0) limit -= glyphSlotW + spacing;
    TRect measured = Rect(0, 0, limit > 0 ? limit : 1, 0);
    Canvas->RequiredState({csHandleValid, csFontValid});
    MeasureBox(Canvas->GetHandle(), Text, Caption, format, measured);
    tw = measured.Width();
    th = measured.Height();
  }
  const Integer textSlotW = tw + (arrowByText ? room : 0);
  const Integer gap = glyphSlotW > 0 && textSlotW > 0 ? spacing : 0;

  // The two slots inside the combined box.
  Integer boxW, boxH;
  TPoint glyphAt, textAt;
  if (sideBySide) {
    boxW = glyphSlotW + gap + textSlotW;
    boxH = std::max(gh, th);
    const Integer glyphY = (boxH - gh) / 2;
    const Integer textY = (boxH - th) / 2;
    switch (arrange) {
      case taLeft: textAt = {0, textY}; glyphAt = {textSlotW + gap, glyphY}; break;
      case taLeftTop: textAt = {0, textY}; glyphAt = {textSlotW + gap, 0}; break;
      case taRightTop: glyphAt = {0, 1}; textAt = {glyphSlotW + gap, textY}; break;
      default: glyphAt = {0, glyphY}; textAt = {glyphSlotW + gap, textY}; break;
    }
  } else {
    boxW = std::max(glyphSlotW, textSlotW);
    boxH = gh + gap + th;
    const Integer glyphX = (boxW - glyphSlotW) / 2;
    const Integer textX = (boxW - textSlotW) / 2;
    switch (arrange) {
      case taTop: textAt = {textX, 0}; glyphAt = {glyphX, th + gap}; break;
      case taTopLeft: textAt = {textX, 0}; glyphAt = {0, th + gap}; break;
      case taBottomLeft: glyphAt = {0, 0}; textAt = {textX, gh + gap}; break;
      default: glyphAt = {glyphX, 0}; textAt = {textX, gh + gap}; break;
    }
  }
  TRect box;
  AlignBoxInRect(Layout->GetAlignment(), Rect(0, 0, boxW, boxH), ClientRect, box);
  const Integer x0 = box.Left + Layout->GetOffsetX();
  const Integer y0 = box.Top + Layout->GetOffsetY();

  const TRect glyphSlot = Bounds(x0 + glyphAt.X, y0 + glyphAt.Y, glyphSlotW, gh);
  const TRect textSlot = Bounds(x0 + textAt.X, y0 + textAt.Y, textSlotW, th);
  GlyphRect = Bounds(glyphSlot.Left + (arrowByGlyph && arrowAt == apLeftGlyph ? room : 0), glyphSlot.Top, gw, gh);
  TextRect = Bounds(textSlot.Left + (arrowByText && arrowAt == apLeftText ? room : 0), textSlot.Top, tw, th);
  if (Flags & cfClipText) {
    TextRect = {std::max(TextRect.Left, ClientRect.Left), std::max(TextRect.Top, ClientRect.Top),
                std::min(TextRect.Right, ClientRect.Right), std::min(TextRect.Bottom, ClientRect.Bottom)};
  }

  if (!(Flags & cfMeasureOnly)) {
    if (tw > 0) {
      TRect r = TextRect;
      Draw3DText(Canvas, Text, Caption, nullptr, Flags & (cfEnabled | cfDisabledSunken | cfClip), format, r);
    }
    if (hasGlyph && Glyph.Image) {
      const Word flags = Glyph.Mask ? dbMask : Glyph.TransparentColor != clNone ? dbTransparent : 0;
      TRect r = GlyphRect;
      const TRect source = Glyph.Source.Width() > 0 ? Glyph.Source : Rect(0, 0, gw, gh);
      DrawBitmapInRect(Canvas, r, Glyph.Image, Glyph.TransparentColor, nullptr, Glyph.Mask, Glyph.Palette,
                       static_cast<Word>(flags | (Glyph.Palette ? dbPalette : 0)), source);
    }
    if (room > 0) {
      const Integer size = button->GetArrowSize();
      Integer ax = 0;
      Integer ay = 0;
      switch (arrowAt) {
        case apRightText: ax = TextRect.Left + tw + button->GetArrowIndent(); ay = textSlot.Top; break;
        case apLeftText: ax = textSlot.Left; ay = textSlot.Top; break;
        case apRightGlyph: ax = GlyphRect.Right + button->GetArrowIndent(); ay = glyphSlot.Top; break;
        case apLeftGlyph: ax = glyphSlot.Left; ay = glyphSlot.Top; break;
      }
      const Integer besideHeight = arrowByGlyph ? gh : th;
      ay += (besideHeight - size) / 2;
      DrawArrowGlyph(Canvas, ax, ay, (Flags & cfEnabled) != 0, true, button->GetArrowColor(), size);
    }
  }
  if (Flags & (cfFocusRect | cfFocusRect2))
    return {TextRect.Left - 1, TextRect.Top - 1, TextRect.Right + 1, TextRect.Bottom + 1};
  return {};
}
