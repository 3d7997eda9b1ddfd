// Table drawing: the table's background, its vertical and horizontal rules, its own border, and
// each visible cell: its background (or the selection colour), its document through the
// document painter, and its border in the table's border styles; in an editor, borders of width
// 0 show as dotted grid lines.
#include <algorithm>

#include "classlib/Graphics.h"
#include "richtext/core/PtUVData.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVTable.h"

namespace {

TRect Intersection(const TRect& A, const TRect& B) {
  TRect r{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right), std::min(A.Bottom, B.Bottom)};
  return r;
}

bool IsEmptyRect(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

// Draws lines on a canvas whose vertical lines are cut to one pixel beyond the clip rectangle
// (lines far longer than the window otherwise overflow the system's coordinates).
class LineDrawer {
public:
  LineDrawer(TCanvas* Canvas, const TRect& Clip) : canvas_(Canvas), clip_(Clip) {}
  void Vertical(Integer X, Integer Y1, Integer Y2) {
    Y1 = std::max(Y1, clip_.Top - 1);
    Y2 = std::min(Y2, clip_.Bottom + 1);
    if (Y2 <= Y1) return;
    canvas_->MoveTo(X, Y1);
    canvas_->LineTo(X, Y2);
  }
  void Horizontal(Integer X1, Integer X2, Integer Y) {
    canvas_->MoveTo(X1, Y);
    canvas_->LineTo(X2, Y);
  }

private:
  TCanvas* canvas_;
  TRect clip_;
};

// The last index whose start is at or before Value; 0 when none.
Integer LastStartAtOrBefore(const std::vector<Integer>& Starts, Integer Value) {
  auto it = std::upper_bound(Starts.begin(), Starts.end(), Value);
  Integer index = static_cast<Integer>(it - Starts.begin()) - 1;
  return std::max(index, 0);
}

bool SameRGB(TColor A, TColor B) { return ColorToRGB(A) == ColorToRGB(B); }

}  // namespace

void TUVTableItemInfo::PaintFullWidth(Integer Left, Integer /*Right*/, Integer Top, TCanvas* Canvas,
                                      TUVTextDrawStates DrawState, TUVStyle* /*Style*/, const TRect& ClipRect,
                                      TCustomUVFormattedData* /*UVData*/) {
  PaintX = Left;
  PaintY = Top;
  PaintTo(Left, Top, Canvas, ClipRect, DrawState, FormattingInfo, false, 0, -1, false);
}

void TUVTableItemInfo::PaintTo(Integer X, Integer Y, TCanvas* Canvas, const TRect& ClipRect,
                               TUVTextDrawStates DrawState, TUVTableItemFormattingInfo* FI, bool Printing,
                               Integer FirstRow, Integer RowCount, bool RepeatHeadings) {
  Integer rowCount = GetRowCount();
  Integer colCount = GetColCount();
  TCustomUVFormattedData* parent = GetFormattedParent();
  TUVStyle* style = parent ? parent->GetUVStyle() : nullptr;
  // The layout must be the grid's: a change not laid out yet paints nothing but the frame.
  bool laidOut = FI->Width > 0 && static_cast<Integer>(FI->ColStarts.size()) == colCount &&
                 static_cast<Integer>(FI->RowStarts.size()) == rowCount && !Rows->IsEmpty();
  bool focused = parent ? parent->IsControlFocused() : DrawState.Contains(uvtsControlFocused);
  TColor selColor = style ? (focused ? style->SelColor : style->InactiveSelColor) : clHighlight;
  bool vRules = FVRuleWidth != 0 && FVRuleColor != clNone;
  bool hRules = FHRuleWidth != 0 && FHRuleColor != clNone;
  bool drawGrid = (State & uvtsInEditor) && !FOptions.Contains(uvtoHideGridLines);
  bool white = Printing && FPrintOptions.Contains(uvtoWhiteBackground);

  // The rows painted and the box.
  Integer first = FirstRow;
  Integer last = RowCount < 0 ? rowCount - 1 : FirstRow + RowCount - 1;
  TRect box{X, Y, X + FI->Width, Y + FI->Height};
  if (!Printing && laidOut) {
    first = rowCount < 2 ? 0 : LastStartAtOrBefore(FI->RowStarts, ClipRect.Top - Y);
    last = rowCount - 1;
  }
  Canvas->GetBrush()->SetStyle(bsClear);

  if (FColor != clNone) {
    TRect fill = Intersection(box, ClipRect);
    if (!IsEmptyRect(fill)) {
      Canvas->GetBrush()->SetStyle(bsSolid);
      Canvas->GetBrush()->SetColor(white ? clWhite : FColor);
      Canvas->FillRect(fill);
      Canvas->GetBrush()->SetStyle(bsClear);
    }
  }

  LineDrawer lines(Canvas, ClipRect);
  if (laidOut && vRules) {
    Integer w = ScaleX(FVRuleWidth);
    Integer inset = hRules && FHOutermostRule ? ScaleX(FBorderWidth + FBorderVSpacing / 2) : 0;
    Integer top = box.Top + inset;
    Integer bottom = box.Bottom - inset;
    Canvas->GetPen()->SetColor(FVRuleColor);
    Canvas->GetPen()->SetWidth(1);
    Canvas->GetPen()->SetStyle(psSolid);
    auto rule = [&](Integer P) {
      for (Integer j = 0; j < w; ++j) lines.Vertical(P - w / 2 + j, top, bottom);
    };
    Integer firstCol =
        LastStartAtOrBefore(FI->ColStarts, ClipRect.Left - X - ScaleX(FBorderWidth + FCellHSpacing + FBorderHSpacing));
    if (FVOutermostRule && firstCol == 0) rule(X + ScaleX(FBorderWidth + FBorderHSpacing / 2));
    for (Integer c = firstCol; c < colCount - 1; ++c) {
      Integer p = X + FI->ColStarts[static_cast<std::size_t>(c + 1)] - (ScaleX(FCellHSpacing + 2 * FCellBorderWidth) + 1) / 2;
      if (p - w > ClipRect.Right) break;
      rule(p);
    }
    if (FVOutermostRule) rule(X + FI->Width - ScaleX(FBorderWidth + FBorderHSpacing / 2) - 1 + (w % 2 == 0 ? 1 : 0));
  }
  if (laidOut && hRules) {
    Integer w = ScaleY(FHRuleWidth);
    Integer inset = vRules && FVOutermostRule ? ScaleY(FBorderWidth + FBorderHSpacing / 2) : 0;
    Integer left = box.Left + inset;
    Integer right = box.Right - inset;
    Canvas->GetPen()->SetColor(FHRuleColor);
    Canvas->GetPen()->SetWidth(1);
    Canvas->GetPen()->SetStyle(psSolid);
    auto rule = [&](Integer P) {
      for (Integer j = 0; j < w; ++j) lines.Horizontal(left, right, P - w / 2 + j);
    };
    if (FHOutermostRule && (first <= 1 || Printing)) rule(Y + ScaleY(FBorderWidth + FBorderVSpacing / 2));
    Integer gap = (ScaleY(FCellVSpacing + 2 * FCellBorderWidth) + 1) / 2;
    if (Printing && RepeatHeadings)
      for (Integer r = 0; r < std::min(FHeadingRowCount, rowCount) - 1; ++r)
        rule(Y + FI->RowStarts[static_cast<std::size_t>(r + 1)] - gap);
    for (Integer r = first; r < std::min(last, rowCount - 1); ++r) {
      Integer p = Y + FI->RowStarts[static_cast<std::size_t>(r + 1)] - gap;
      if (p - w > ClipRect.Bottom) break;
      rule(p);
    }
    if (FHOutermostRule) rule(box.Bottom - ScaleY(FBorderWidth + FBorderVSpacing / 2) - 1 + (w % 2 == 0 ? 1 : 0));
  }

  TColor documentColor = parent ? parent->GetColor() : clWindow;
  PaintBorder(Canvas, box.Left, box.Top, box.Right, box.Bottom, FBorderWidth, FBorderLightColor, FBorderColor,
              documentColor, FBorderStyle, Printing, nullptr, drawGrid, -1, -1, ClipRect);
  if (!laidOut) return;

  // A merged cell that starts above the first painted row but reaches into it is painted too.
  if (first > 0) {
    for (Integer c = 0; c < colCount;) {
      Integer mr, mc;
      TUVTableCellData* cell = Rows->GetMainCell(first, c, mr, mc);
      if (!cell) break;
      if (mr < first) {
        if (X + cell->Left > ClipRect.Right) break;
        PaintCell(Canvas, X, Y, mr, mc, cell, FI, Printing, ClipRect, DrawState, selColor, drawGrid);
      }
      c = mc + cell->ColSpan;
    }
  }
  for (Integer r = first; r <= last; ++r) {
    if (!Printing && Y + FI->RowStarts[static_cast<std::size_t>(r)] > ClipRect.Bottom) break;
    for (Integer c = 0; c < colCount; ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell) continue;
      if (X + cell->Left > ClipRect.Right) break;
      PaintCell(Canvas, X, Y, r, c, cell, FI, Printing, ClipRect, DrawState, selColor, drawGrid);
    }
  }
}

void TUVTableItemInfo::PaintCell(TCanvas* Canvas, Integer X, Integer Y, Integer Row, Integer Col,
                                 TUVTableCellData* Cell, TUVTableItemFormattingInfo* FI, bool Printing,
                                 const TRect& ClipRect, TUVTextDrawStates DrawState, TColor SelColor, bool DrawGrid) {
  Integer x0 = X + Cell->Left;
  Integer y0 = Y + Cell->Top;
  Integer width = Cell->Width;
  Integer height = Cell->Height;
  // A printed cell takes its box from the print layout and its text from its print copy.
  TRectPtblUVData* copy = nullptr;
  if (Printing && FI->PrintCells) {
    x0 = X + FI->ColStarts[static_cast<std::size_t>(Col)];
    y0 = Y + FI->RowStarts[static_cast<std::size_t>(Row)];
    width = SpanWidth(FI, Col, Cell->ColSpan);
    height = SpanHeight(FI, Row, Cell->RowSpan);
    copy = static_cast<TRectPtblUVData*>(FI->PrintCells->Get(Row * GetColCount() + Col));
  }
  // The whole table drawn as selected selects every cell, its text too, for this paint.
  bool wholeSelected = DrawState.Contains(uvtsSelected);
  TColor color = clNone;
  if (wholeSelected)
    color = SelColor;
  else if (!Printing && IsCellSelected(Row, Col))
    color = SelColor;
  if (color == clNone) color = Cell->GetCellColor();
  if (color != clNone) {
    if (Printing && FPrintOptions.Contains(uvtoWhiteBackground)) color = clWhite;
    TRect fill{x0, y0, x0 + width, y0 + height};
    if (FOptions.Contains(uvtoCellBelowBorders)) {
      Integer bx = ScaleX(FCellBorderWidth);
      Integer by = ScaleY(FCellBorderWidth);
      fill = TRect{fill.Left - bx, fill.Top - by, fill.Right + bx, fill.Bottom + by};
    }
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(color);
    Canvas->FillRect(fill);
    Canvas->GetBrush()->SetStyle(bsClear);
  }
  if (copy) {
    Integer room = copy->Height - copy->DocumentHeight;
    TUVCellVAlign align = Cell->GetVAlign();
    copy->DX = X;
    copy->DY = Y + (align == uvcMiddle ? room / 2 : align == uvcBottom ? room : 0);
    copy->DrawPage(1, Canvas, FPrintPreview, FPrintCorrection);
  }
  if (!Printing) {
    Integer padding = FCellPadding;
    TRect content{x0 + padding, y0 + padding, x0 + width - padding, y0 + height - padding};
    TRect clip = Intersection(content, ClipRect);
    if (!IsEmptyRect(clip)) {
      TUVPaintRequest request;
      request.Canvas = Canvas;
      request.OriginX = content.Left;
      request.OriginY = content.Top + Cell->GetVAlignOffset();
      request.ClipRect = clip;
      if (DrawState.Contains(uvtsControlFocused)) request.BaseState << uvtsControlFocused;
      Cardinal marked = Cell->State & uvstDrawAllSelected;
      if (wholeSelected) Cell->State |= uvstDrawAllSelected;
      try {
        Cell->PaintDrawLines(request);
      } catch (...) {
        Cell->State = (Cell->State & ~static_cast<Cardinal>(uvstDrawAllSelected)) | marked;
        throw;
      }
      Cell->State = (Cell->State & ~static_cast<Cardinal>(uvstDrawAllSelected)) | marked;
    }
  }
  Integer b = ScaleY(FCellBorderWidth);
  TColor light = Cell->BorderLightColor != clNone ? Cell->BorderLightColor : FCellBorderLightColor;
  TColor dark = Cell->BorderColor != clNone ? Cell->BorderColor : FCellBorderColor;
  PaintBorder(Canvas, x0 - b, y0 - b, x0 + width + b, y0 + height + b, FCellBorderWidth, light, dark, FColor,
              FCellBorderStyle, Printing, Cell->GetVisibleBorders(), DrawGrid, Row, Col, ClipRect);
}

void TUVTableItemInfo::PaintBorder(TCanvas* Canvas, Integer Left, Integer Top, Integer Right, Integer Bottom,
                                   Integer Width, TColor LightColor, TColor Color, TColor BackgroundColor,
                                   TUVTableBorderStyle Style, bool Printing, TUVBooleanRect* VisibleBorders,
                                   bool DrawGrid, Integer Row, Integer Col, const TRect& ClipRect) {
  if (IsEmptyRect(Intersection(TRect{Left, Top, Right, Bottom}, ClipRect))) return;
  if (OnDrawBorder) {
    bool doDefault = true;
    OnDrawBorder(this, Canvas, Left, Top, Right, Bottom, Width, LightColor, Color, BackgroundColor, Style, Printing,
                 VisibleBorders, doDefault);
    if (!doDefault) return;
  }
  TPen* pen = Canvas->GetPen();
  LineDrawer lines(Canvas, ClipRect);
  bool grid = DrawGrid && !Printing && UVTableGridStyle != psClear;
  auto gridPen = [&] {
    pen->SetWidth(1);
    pen->SetStyle(UVTableGridStyle);
    pen->SetColor(clBtnFace);
    Canvas->GetBrush()->SetStyle(bsClear);
  };
  auto restorePen = [&] {
    pen->SetMode(pmCopy);
    pen->SetStyle(psSolid);
  };
  if (Width == 0) {
    if (grid) {
      gridPen();
      Canvas->Rectangle(Left, Top, Right, Bottom);
      restorePen();
    }
    return;
  }
  bool allVisible = !VisibleBorders || VisibleBorders->IsAllEqual(true);
  if (grid && VisibleBorders && !allVisible) {
    // A hidden side shows as a grid line unless the neighbour across it draws its border there.
    auto neighbourDraws = [&](Integer R, Integer C, bool Vertical, bool (TUVBooleanRect::*Side)) {
      if (R < 0 || C < 0 || R >= GetRowCount() || C >= GetColCount())
        return (Vertical ? FBorderHSpacing : FBorderVSpacing) < 0 && FBorderWidth >= 1;
      if ((Vertical ? FCellHSpacing : FCellVSpacing) >= 0) return false;
      Integer mr, mc;
      TUVTableCellData* other = Rows->GetMainCell(R, C, mr, mc);
      return other && other->GetVisibleBorders()->*Side;
    };
    TUVTableCellData* cell = GetCells(Row, Col);
    Integer rowSpan = cell ? cell->RowSpan : 1;
    Integer colSpan = cell ? cell->ColSpan : 1;
    gridPen();
    if (!VisibleBorders->Top && !neighbourDraws(Row - 1, Col, false, &TUVBooleanRect::Bottom))
      lines.Horizontal(Left, Right, Top);
    if (!VisibleBorders->Bottom && !neighbourDraws(Row + rowSpan, Col, false, &TUVBooleanRect::Top))
      lines.Horizontal(Left, Right, Bottom - 1);
    if (!VisibleBorders->Left && !neighbourDraws(Row, Col - 1, true, &TUVBooleanRect::Right))
      lines.Vertical(Left, Top, Bottom);
    if (!VisibleBorders->Right && !neighbourDraws(Row, Col + colSpan, true, &TUVBooleanRect::Left))
      lines.Vertical(Right - 1, Top, Bottom);
    restorePen();
  }
  bool visLeft = !VisibleBorders || VisibleBorders->Left;
  bool visTop = !VisibleBorders || VisibleBorders->Top;
  bool visRight = !VisibleBorders || VisibleBorders->Right;
  bool visBottom = !VisibleBorders || VisibleBorders->Bottom;
  bool halftone = Printing && FPrintOptions.Contains(uvtoHalftoneBorders);
  bool finerDevice = FDeviceRatio && FDeviceRatio->DevicePpiY > FDeviceRatio->ScreenPpiY;
  Integer w = ScaleY(Width);
  pen->SetMode(pmCopy);
  if (Style != uvtbColor) {
    Right -= 1;
    Bottom -= 1;
    TColor first, second;
    TColor highlight = SameRGB(BackgroundColor, clBtnHighlight) ? clBtnFace : clBtnHighlight;
    switch (Style) {
      case uvtbRaised:
        first = highlight;
        second = clBtnShadow;
        break;
      case uvtbLowered:
        first = clBtnShadow;
        second = highlight;
        break;
      case uvtbRaisedColor:
        first = LightColor;
        second = Color;
        break;
      default:  // uvtbLoweredColor
        first = Color;
        second = LightColor;
        break;
    }
    if (halftone) {
      // One wide line per side.
      Integer penWidth = w;
      Integer left = Left, top = Top;
      if (finerDevice) {
        ++penWidth;
        --left;
        --top;
      }
      Integer inset = w / 2;
      pen->SetStyle(psInsideFrame);
      pen->SetWidth(penWidth);
      pen->SetColor(first);
      if (visTop) lines.Horizontal(left, Right, top + inset);
      if (visLeft) lines.Vertical(left + inset, top, Bottom);
      pen->SetColor(second);
      if (visBottom) lines.Horizontal(left, Right, Bottom - inset);
      if (visRight) lines.Vertical(Right - inset, top, Bottom);
    } else {
      pen->SetStyle(psSolid);
      pen->SetWidth(1);
      for (Integer i = 0; i < w; ++i) {
        pen->SetColor(first);
        if (visTop) lines.Horizontal(Left + i, Right - i + 1, Top + i);
        if (visLeft) lines.Vertical(Left + i, Top + i, Bottom - i + 1);
        pen->SetColor(second);
        if (visBottom) lines.Horizontal(Left + i, Right - i + 1, Bottom - i);
        if (visRight) lines.Vertical(Right - i, Top + i, Bottom - i + 1);
      }
    }
  } else if (Color != clNone) {
    pen->SetColor(Color);
    if (allVisible && Bottom - Top < 32000) {
      Integer penWidth = w;
      Integer left = Left, top = Top;
      if (Printing && finerDevice) {
        ++penWidth;
        --left;
        --top;
      }
      pen->SetStyle(psInsideFrame);
      pen->SetWidth(penWidth);
      Canvas->GetBrush()->SetStyle(bsClear);
      Canvas->Rectangle(left, top, Right, Bottom);
    } else {
      Right -= 1;
      Bottom -= 1;
      Integer passes = w;
      Integer inset = 0;
      if (halftone) {
        pen->SetStyle(psInsideFrame);
        pen->SetWidth(w);
        passes = 1;
        inset = w / 2;
      } else {
        pen->SetStyle(psSolid);
        pen->SetWidth(1);
      }
      if (FOptions.Contains(uvtoOverlappingCorners)) {
        for (Integer i = 0; i < passes; ++i) {
          Integer d = i + inset;
          if (visLeft) lines.Vertical(Left + d, Top, Bottom + 1);
          if (visRight) lines.Vertical(Right - d, Top, Bottom + 1);
          if (visTop) lines.Horizontal(Left, Right + 1, Top + d);
          if (visBottom) lines.Horizontal(Left, Right + 1, Bottom - d);
        }
      } else {
        Integer l = Left + inset, t = Top + inset, r = Right - inset, b = Bottom - inset;
        for (Integer i = 0; i < passes; ++i) {
          if (visLeft) lines.Vertical(l, t, b + 1);
          if (visRight) lines.Vertical(r, t, b + 1);
          if (visTop) lines.Horizontal(l, r + 1, t);
          if (visBottom) lines.Horizontal(l, r + 1, b);
          ++l;
          ++t;
          --r;
          --b;
        }
      }
    }
  }
  pen->SetStyle(psSolid);
  pen->SetWidth(1);
}
