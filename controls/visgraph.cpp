// Frames, bevels, shadows, borders, arrows and the TrueType test.
#include "controls/visgraph.h"

#include <utility>

#include "classlib/Handles.h"

bool DrawBevelFrame(TCanvas* Canvas, TRect& Rect, TVisBevelStyle Style, Integer Width, TColor ShadowColor,
                    TColor LightColor) {
  using enum TVisBevelStyle;
  if (Style == bvNone || Style == bvShadow || Width <= 0) return false;
  TColor topLeft = LightColor;
  TColor bottomRight = ShadowColor;
  if (Style == bvLowered || Style == bvFrameLowered) std::swap(topLeft, bottomRight);
  if (Style == bvNormal) topLeft = bottomRight = clBlack;
  const TRect r = Rect;

  if (Style == bvFrameLowered || Style == bvFrameRaised) {
    TBrush* brush = Canvas->GetBrush();
    brush->SetStyle(bsSolid);
    for (Integer i = 0; i < Width; ++i) {
      brush->SetColor(bottomRight);
      Canvas->FrameRect({r.Left + i + 1, r.Top + i + 1, r.Right, r.Bottom});
      brush->SetColor(topLeft);
      Canvas->FrameRect({r.Left, r.Top, r.Right - i - 1, r.Bottom - i - 1});
    }
    Rect = {r.Left + Width + 1, r.Top + Width + 1, r.Right - Width - 1, r.Bottom - Width - 1};
    return true;
  }

  if (Width > 1) {
    // Two bands filled without outline; GDI leaves out a polygon's right and bottom edges, so
    // the corner points lie on the rectangle's edges and the bands come out Width pixels deep.
    const Integer w = Width;
    Canvas->GetPen()->SetStyle(psClear);
    TBrush* brush = Canvas->GetBrush();
    brush->SetStyle(bsSolid);
    brush->SetColor(topLeft);
    Canvas->Polygon({{r.Left, r.Top},
                     {r.Right, r.Top},
                     {r.Right - w, r.Top + w},
                     {r.Left + w, r.Top + w},
                     {r.Left + w, r.Bottom - w},
                     {r.Left, r.Bottom}});
    brush->SetColor(bottomRight);
    Canvas->Polygon({{r.Right, r.Top},
                     {r.Right, r.Bottom},
                     {r.Left, r.Bottom},
                     {r.Left + w, r.Bottom - w},
                     {r.Right - w, r.Bottom - w},
                     {r.Right - w, r.Top + w}});
  } else {
    TPen* pen = Canvas->GetPen();
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    pen->SetColor(topLeft);
    Canvas->Polyline({{r.Left, r.Bottom - 1}, {r.Left, r.Top}, {r.Right - 1, r.Top}});
    pen->SetColor(bottomRight);
    // Polyline leaves out its last point; the line closes on the top-left colour's corner.
    Canvas->Polyline({{r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1}});
  }
  Rect = {r.Left + Width, r.Top + Width, r.Right - Width, r.Bottom - Width};
  return true;
}

void DrawShadowFrame(TCanvas* Canvas, TRect& Rect, TColor FrameColor, bool NoCorners, Integer FrameWidth,
                     Integer Depth, TColor BackColor, TColor ShadowColor) {
  TBrush* brush = Canvas->GetBrush();
  brush->SetStyle(bsSolid);
  if (Depth > 0) {
    const TRect r = Rect;
    brush->SetColor(ShadowColor);
    Canvas->FillRect({r.Right - Depth, r.Top + Depth, r.Right, r.Bottom});
    Canvas->FillRect({r.Left + Depth, r.Bottom - Depth, r.Right, r.Bottom});
    if (!NoCorners) {
      brush->SetColor(BackColor);
      Canvas->FillRect({r.Right - Depth, r.Top, r.Right, r.Top + Depth});
      Canvas->FillRect({r.Left, r.Bottom - Depth, r.Left + Depth, r.Bottom});
    }
    Rect.Right -= Depth;
    Rect.Bottom -= Depth;
  }
  brush->SetColor(FrameColor);
  for (Integer i = 0; i < FrameWidth; ++i) {
    Canvas->FrameRect(Rect);
    Rect = {Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
  }
}

Integer BorderWidth(TVisBorderStyle Style) {
  switch (Style) {
    case lsNone: return 0;
    case lsSingle:
    case lsSingleRaised:
    case lsSingleLowered: return 1;
    default: return 2;
  }
}

bool DrawBorderEdge(TCanvas* Canvas, TRect& Rect, TVisBorderStyle Style, UINT Sides) {
  HDC dc = Canvas->GetHandle();
  RECT* r = AsRECT(Rect);
  const UINT g = Sides | BF_RECT | BF_ADJUST;
  const UINT f = g | BF_SOFT;
  switch (Style) {
    case lsSingle:
      ::DrawEdge(dc, r, BDR_SUNKENOUTER, Sides | BF_TOPLEFT | BF_SOFT | BF_ADJUST);
      ::DrawEdge(dc, r, BDR_RAISEDOUTER, BF_BOTTOMRIGHT | BF_ADJUST);
      break;
    case lsLowered: ::DrawEdge(dc, r, EDGE_SUNKEN, f); break;
    case lsRaised: ::DrawEdge(dc, r, EDGE_RAISED, f); break;
    case lsRaisedspb:
    case lsRaisedExt:
      ::DrawEdge(dc, r, BDR_RAISEDOUTER, f);
      ::DrawEdge(dc, r, BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
      if (Style == lsRaisedExt) {
        ++Rect.Left;
        ++Rect.Top;
      }
      break;
    case lsLoweredspb:
      ::DrawEdge(dc, r, BDR_SUNKENOUTER, g);
      ::DrawEdge(dc, r, BDR_SUNKENINNER, Sides | BF_TOPLEFT | BF_ADJUST);
      break;
    case lsLoweredExt:
      ::DrawEdge(dc, r, BDR_SUNKENOUTER, g);
      ::DrawEdge(dc, r, BDR_SUNKENINNER, BF_TOPLEFT | BF_ADJUST);
      --Rect.Right;
      --Rect.Bottom;
      break;
    case lsFrameInset: ::DrawEdge(dc, r, EDGE_ETCHED, g); break;
    case lsFrameOffset:
      ::DrawEdge(dc, r, BDR_RAISEDINNER, g);
      ::DrawEdge(dc, r, BDR_SUNKENOUTER, g);
      break;
    case lsWindowBorder:
      ::DrawEdge(dc, r, BDR_RAISEDOUTER, Sides | BF_BOTTOMRIGHT | BF_ADJUST);
      ++Rect.Left;
      ++Rect.Top;
      ::DrawEdge(dc, r, BDR_RAISEDINNER, g);
      break;
    case lsSingleRaised: ::DrawEdge(dc, r, BDR_RAISEDINNER, g); break;
    case lsSingleLowered: ::DrawEdge(dc, r, BDR_SUNKENOUTER, g); break;
    case lsDoubleRaised:
      ::DrawEdge(dc, r, BDR_RAISEDINNER, g);
      ::DrawEdge(dc, r, BDR_RAISEDINNER, g);
      break;
    case lsDoubleLowered:
      ::DrawEdge(dc, r, BDR_SUNKENOUTER, g);
      ::DrawEdge(dc, r, BDR_SUNKENOUTER, g);
      break;
    default: break;
  }
  return true;
}

namespace {

void DrawArrowRows(TCanvas* Canvas, Integer X, Integer Y, bool Down, Integer Size) {
  if (Down) {
    for (Integer i = 0; i <= Size - 2; ++i) {
      Canvas->MoveTo(X + i, Y + i);
      Canvas->LineTo(X + 2 * Size - i - 1, Y + i);
    }
    Canvas->MoveTo(X + Size - 1, Y + Size - 1);
    Canvas->LineTo(X + Size, Y + Size - 1);
  } else {
    const Integer c = X + Size / 2;
    for (Integer i = 0; i < Size; ++i) {
      Canvas->MoveTo(c - i, Y + i);
      Canvas->LineTo(c + i + 1, Y + i);
    }
  }
}

}  // namespace

void DrawArrowGlyph(TCanvas* Canvas, Integer X, Integer Y, bool Enabled, bool Down, TColor Color, Integer Size) {
  if (Size < 2 || Size > 15) return;
  TPen* pen = Canvas->GetPen();
  pen->SetStyle(psSolid);
  pen->SetWidth(1);
  if (Enabled) {
    pen->SetColor(Color);
    DrawArrowRows(Canvas, X, Y, Down, Size);
    return;
  }
  pen->SetColor(clHighlightText);
  DrawArrowRows(Canvas, X + 1, Y + 1, Down, Size);
  pen->SetColor(clGrayText);
  DrawArrowRows(Canvas, X, Y, Down, Size);
}

bool IsTrueTypeFont(TFont* Font) {
  WindowDC screen;
  SelectedObject selected(screen, Font->GetHandle());
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(screen, &metrics);
  return (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

bool IsCanvasFontTrueType(TCanvas* Canvas) {
  Canvas->RequiredState({csHandleValid, csFontValid});
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(Canvas->GetHandle(), &metrics);
  return (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}
