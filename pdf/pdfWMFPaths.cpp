// TEMWParser: pens and brushes, the shape records, GDI paths and clipping.
//
// PDF allows no colour, width or dash operator while a path is being built, so the pen and brush
// a shape uses are written before its first path operator; a path that GDI builds over several
// records is taken out of the content and put back behind whatever has to come first.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "pdf/pdfWMF.h"

// ---------------------------------------------------------------------------------------------
// Pens and brushes

// Selecting only records the pen or brush; the drawing that uses it writes what it needs.
void TEMWParser::SelectPen(const LOGPEN& Pen) {
  FPenStyle = static_cast<Integer>(Pen.lopnStyle);
  if (FPenStyle == PS_NULL) return;
  FPenColor = Pen.lopnColor;
  // A pen of width 0 is one unit wide.
  const Extended width = Pen.lopnWidth.x == 0 ? 1 : Pen.lopnWidth.x;
  FLineWidth = width * ScaleX();
}

void TEMWParser::SelectBrush(const LOGBRUSH& Brush) {
  FNullBrush = Brush.lbStyle == BS_NULL;
  if (FNullBrush) return;
  FBrushColor = Brush.lbColor;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TEMWParser::StrokeOrEnd() {
  if (FLineWidth != 0 && FPenStyle != PS_NULL)
    FPage->Stroke();
  else
    FPage->NewPath();
}

void TEMWParser::FillAndStroke() {
  if (FNullBrush) {
    StrokeOrEnd();
  } else if (FLineWidth == 0 || FPenStyle == PS_NULL) {
    if (FEvenOdd)
      FPage->EoFill();
    else
      FPage->Fill();
  } else if (FEvenOdd) {
    FPage->EoFillAndStroke();
  } else {
    FPage->FillAndStroke();
  }
}

// Rectangles, ellipses and rounded rectangles fill by the nonzero rule.
void TEMWParser::PaintBox() {
  const bool stroke = FLineWidth != 0 && FPenStyle != PS_NULL;
  if (!FNullBrush)
    stroke ? FPage->FillAndStroke() : FPage->Fill();
  else
    stroke ? FPage->Stroke() : FPage->NewPath();
}

void TEMWParser::PrepareShape(bool Fills) {
  if (FInPath) return;
  if (FLineWidth != 0 && FPenStyle != PS_NULL) ApplyStroke();
  if (Fills && !FNullBrush) ApplyBrush();
}

void TEMWParser::StartShape() {
  if (!FInPath) FPage->NewPath();
}

TPoint TEMWParser::PointAt(std::size_t Offset, bool Small, DWORD Index) const {
  if (Small) {
    const std::size_t at = Offset + static_cast<std::size_t>(Index) * 4;
    return TPoint(Field<SHORT>(at), Field<SHORT>(at + 2));
  }
  const std::size_t at = Offset + static_cast<std::size_t>(Index) * 8;
  return TPoint(Field<LONG>(at), Field<LONG>(at + 4));
}

// The points of Size bytes the record holds after its count (at 28); none in a record too short
// to hold the count.
std::size_t TEMWParser::PointsHeld(std::size_t Size) const { return FRecordSize < 28 ? 0 : (FRecordSize - 28) / Size; }

void TEMWParser::MoveToLogical(Extended X, Extended Y) { FPage->MoveTo(MapX(X), MapY(Y)); }

void TEMWParser::LineToLogical(Extended X, Extended Y) { FPage->LineTo(MapX(X), MapY(Y)); }

// ---------------------------------------------------------------------------------------------
// Shapes

void TEMWParser::DoPoly(DWORD Type, bool Small) {
  // Never more points than the record holds.
  const std::size_t pointSize = Small ? 4 : 8;
  const DWORD count = std::min<DWORD>(Field<DWORD>(24), static_cast<DWORD>(PointsHeld(pointSize)));
  auto point = [&](DWORD i) { return PointAt(28, Small, i); };
  auto curve = [&](DWORD i) {
    const TPoint a = point(i), b = point(i + 1), c = point(i + 2);
    FPage->CurveTo(MapX(a.X), MapY(a.Y), MapX(b.X), MapY(b.Y), MapX(c.X), MapY(c.Y));
  };
  switch (Type) {
    case EMR_POLYLINE:
    case EMR_POLYGON: {
      const bool polygon = Type == EMR_POLYGON;
      PrepareShape(polygon);
      StartShape();
      if (count > 0) {
        MoveToLogical(point(0).X, point(0).Y);
        for (DWORD i = 1; i < count; ++i) LineToLogical(point(i).X, point(i).Y);
        if (polygon) FPage->ClosePath();
      }
      if (!FInPath) polygon ? FillAndStroke() : StrokeOrEnd();
      break;
    }
    case EMR_POLYLINETO:
      PrepareShape(false);
      StartShape();
      MoveToLogical(FCurrentPosition.X, FCurrentPosition.Y);
      for (DWORD i = 0; i < count; ++i) LineToLogical(point(i).X, point(i).Y);
      if (count > 0) FCurrentPosition = point(count - 1);
      if (!FInPath) StrokeOrEnd();
      break;
    case EMR_POLYBEZIER:
      PrepareShape(false);
      if (count > 3) {
        MoveToLogical(point(0).X, point(0).Y);
        for (DWORD i = 1; i + 2 < count; i += 3) curve(i);
      }
      if (!FInPath) StrokeOrEnd();
      break;
    case EMR_POLYBEZIERTO:
      PrepareShape(false);
      if (count > 2) {
        MoveToLogical(FCurrentPosition.X, FCurrentPosition.Y);
        for (DWORD i = 0; i + 2 < count; i += 3) {
          curve(i);
          FCurrentPosition = point(i + 2);
        }
      }
      if (!FInPath) StrokeOrEnd();
      break;
    default:
      break;
  }
}

void TEMWParser::DoPolyPoly(bool Closed, bool Small) {
  const DWORD polys = Field<DWORD>(24);
  const DWORD total = Field<DWORD>(28);
  const std::size_t pointSize = Small ? 4 : 8;
  const std::size_t pointsAt = 32 + static_cast<std::size_t>(polys) * 4;
  if (!Fits(32, static_cast<std::size_t>(polys) * 4) || !Fits(pointsAt, static_cast<std::size_t>(total) * pointSize))
    return;
  PrepareShape(Closed);
  StartShape();
  DWORD next = 0;
  for (DWORD p = 0; p < polys; ++p) {
    const DWORD n = Field<DWORD>(32 + static_cast<std::size_t>(p) * 4);
    if (n == 0 || n > total - next) break;
    const TPoint first = PointAt(pointsAt, Small, next);
    MoveToLogical(first.X, first.Y);
    for (DWORD i = 1; i < n; ++i) {
      const TPoint q = PointAt(pointsAt, Small, next + i);
      LineToLogical(q.X, q.Y);
    }
    if (Closed) LineToLogical(first.X, first.Y);
    next += n;
  }
  if (!FInPath) Closed ? FillAndStroke() : StrokeOrEnd();
}

void TEMWParser::DoPolyDraw(bool Small) {
  const std::size_t pointSize = Small ? 4 : 8;
  const DWORD count = std::min<DWORD>(Field<DWORD>(24), static_cast<DWORD>(PointsHeld(pointSize + 1)));
  const std::size_t typesAt = 28 + static_cast<std::size_t>(count) * pointSize;
  auto point = [&](DWORD i) { return PointAt(28, Small, i); };
  auto type = [&](DWORD i) { return Field<BYTE>(typesAt + i); };
  PrepareShape(false);
  StartShape();
  MoveToLogical(FCurrentPosition.X, FCurrentPosition.Y);
  TPoint start = FCurrentPosition;
  DWORD i = 0;
  while (i < count) {
    const BYTE t = type(i);
    if ((t & ~PT_CLOSEFIGURE) == PT_MOVETO) {
      start = point(i);
      MoveToLogical(start.X, start.Y);
      FCurrentPosition = start;
      ++i;
    } else if ((t & ~PT_CLOSEFIGURE) == PT_LINETO) {
      FCurrentPosition = point(i);
      LineToLogical(FCurrentPosition.X, FCurrentPosition.Y);
      if (t & PT_CLOSEFIGURE) LineToLogical(start.X, start.Y);
      ++i;
    } else if ((t & ~PT_CLOSEFIGURE) == PT_BEZIERTO && i + 2 < count) {
      const TPoint a = point(i), b = point(i + 1), c = point(i + 2);
      FPage->CurveTo(MapX(a.X), MapY(a.Y), MapX(b.X), MapY(b.Y), MapX(c.X), MapY(c.Y));
      FCurrentPosition = c;
      if ((t | type(i + 1) | type(i + 2)) & PT_CLOSEFIGURE) LineToLogical(start.X, start.Y);
      i += 3;
    } else {
      // A point of no known kind is passed over.
      ++i;
    }
  }
  if (!FInPath) StrokeOrEnd();
}

void TEMWParser::DoBox(DWORD Type) {
  // The box as recorded: GDI already stored its right and bottom edges inclusive.
  const RECTL box = Field<RECTL>(8);
  PrepareShape(true);
  const Extended x1 = MapX(box.left), y1 = MapY(box.top), x2 = MapX(box.right), y2 = MapY(box.bottom);
  switch (Type) {
    case EMR_RECTANGLE:
      FPage->Rectangle(x1, y1, x2, y2);
      break;
    case EMR_ELLIPSE:
      FPage->Ellipse(x1, y1, x2, y2);
      break;
    default: {
      const SIZEL corner = Field<SIZEL>(24);
      FPage->RoundRect(static_cast<Integer>(std::lround(x1)), static_cast<Integer>(std::lround(y1)),
                       static_cast<Integer>(std::lround(x2)), static_cast<Integer>(std::lround(y2)),
                       static_cast<Integer>(std::lround(corner.cx * ScaleX() * FDevScale)),
                       static_cast<Integer>(std::lround(corner.cy * ScaleY() * FDevScale)));
      break;
    }
  }
  if (!FInPath) PaintBox();
}

void TEMWParser::DoArcRecord(DWORD Type) {
  const RECTL box = Field<RECTL>(8);
  POINTL start = Field<POINTL>(24), end = Field<POINTL>(32);
  // The page draws arcs counter-clockwise; a clockwise arc is the same curve the other way.
  if (!FCounterClockwise) std::swap(start, end);
  PrepareShape(Type != EMR_ARC);
  const Extended x1 = MapX(box.left), y1 = MapY(box.top), x2 = MapX(box.right), y2 = MapY(box.bottom);
  if (Type == EMR_PIE) {
    FPage->Pie(x1, y1, x2, y2, MapX(start.x), MapY(start.y), MapX(end.x), MapY(end.y));
  } else {
    const TPDFPoint begin = FPage->ArcByPoints(x1, y1, x2, y2, MapX(start.x), MapY(start.y), MapX(end.x), MapY(end.y));
    if (Type == EMR_CHORD) FPage->LineTo(begin.x, begin.y);
  }
  if (!FInPath) Type == EMR_ARC ? StrokeOrEnd() : FillAndStroke();
}

void TEMWParser::DoArcTo() {
  const RECTL box = Field<RECTL>(8);
  const POINTL start = Field<POINTL>(24), end = Field<POINTL>(32);
  PrepareShape(false);
  const Extended cx = (box.left + box.right) / 2.0L, cy = (box.top + box.bottom) / 2.0L;
  const Extended rx = std::max<Extended>(0, (std::abs(box.right - box.left) - 1) / 2.0L);
  const Extended ry = std::max<Extended>(0, (std::abs(box.bottom - box.top) - 1) / 2.0L);
  auto angleOf = [&](const POINTL& p) { return std::atan2((cy - p.y) * rx, (p.x - cx) * ry); };
  const Extended s = angleOf(start), e = angleOf(end);
  MoveToLogical(FCurrentPosition.X, FCurrentPosition.Y);
  LineToLogical(cx + rx * std::cos(s), cy - ry * std::sin(s));
  POINTL from = start, to = end;
  if (!FCounterClockwise) std::swap(from, to);
  FPage->ArcByPoints(MapX(box.left), MapY(box.top), MapX(box.right), MapY(box.bottom), MapX(from.x), MapY(from.y),
                     MapX(to.x), MapY(to.y));
  FCurrentPosition = TPoint(static_cast<Integer>(std::lround(cx + rx * std::cos(e))),
                            static_cast<Integer>(std::lround(cy - ry * std::sin(e))));
  if (!FInPath) StrokeOrEnd();
}

void TEMWParser::DoAngleArc() {
  const POINTL centre = Field<POINTL>(8);
  const Extended r = Field<DWORD>(16);
  const Extended start = Field<FLOAT>(20), sweep = Field<FLOAT>(24);
  PrepareShape(false);
  auto circlePoint = [&](Extended degrees) {
    const Extended t = degrees * kPi / 180;
    return TPDFPoint{centre.x + r * std::cos(t), centre.y - r * std::sin(t)};
  };
  MoveToLogical(FCurrentPosition.X, FCurrentPosition.Y);
  const TPDFPoint first = circlePoint(start);
  LineToLogical(first.x, first.y);
  const Extended x1 = MapX(centre.x - r), y1 = MapY(centre.y - r), x2 = MapX(centre.x + r), y2 = MapY(centre.y + r);
  if (std::fabs(sweep) < 360) {
    // A negative sweep runs clockwise: the same curve as from its end counter-clockwise.
    if (sweep >= 0)
      FPage->Arc(x1, y1, x2, y2, start, start + sweep);
    else
      FPage->Arc(x1, y1, x2, y2, start + sweep, start);
  } else {
    FPage->Ellipse(x1, y1, x2, y2);
  }
  const TPDFPoint last = circlePoint(start + sweep);
  FCurrentPosition = TPoint(static_cast<Integer>(std::lround(last.x)), static_cast<Integer>(std::lround(last.y)));
  if (!FInPath) StrokeOrEnd();
}

void TEMWParser::DoLineTo() {
  const POINTL p = Field<POINTL>(8);
  PrepareShape(false);
  if (!FInPath) MoveToLogical(FCurrentPosition.X, FCurrentPosition.Y);
  LineToLogical(p.x, p.y);
  FCurrentPosition = TPoint(p.x, p.y);
  if (!FInPath) StrokeOrEnd();
}

void TEMWParser::DoMoveTo() {
  const POINTL p = Field<POINTL>(8);
  FCurrentPosition = TPoint(p.x, p.y);
  ::MoveToEx(FDC, p.x, p.y, nullptr);
  if (FInPath) {
    if (FInText) CloseTextObject();
    MoveToLogical(p.x, p.y);
  }
}

// A pixel is the device pixel at the point, filled in its colour; a path being built waits.
void TEMWParser::DoSetPixel() {
  const POINTL p = Field<POINTL>(8);
  const COLORREF color = Field<COLORREF>(16);
  const AnsiString path = TakePath();
  ApplyFill(color);
  FPage->NewPath();
  const Extended x = MapX(p.x), y = MapY(p.y);
  FPage->Rectangle(x, y, x + FDevScale, y + FDevScale);
  FPage->Fill();
  PutPathBack(path);
}

// ---------------------------------------------------------------------------------------------
// GDI paths

void TEMWParser::DoBeginPath() {
  // The pen and brush in force now are written before the path, which may not be interrupted.
  if (FLineWidth != 0 && FPenStyle != PS_NULL) ApplyStroke();
  if (!FNullBrush) ApplyBrush();
  FInPath = true;
  FHavePath = true;
  FPathStart = FPage->GetContent().size();
  FPage->NewPath();
  MoveToLogical(FCurrentPosition.X, FCurrentPosition.Y);
}

AnsiString TEMWParser::TakePath() {
  if (!FHavePath) return AnsiString();
  return FPage->CutContent(FPathStart);
}

void TEMWParser::PutPathBack(const AnsiString& Path) {
  if (!FHavePath) return;
  FPathStart = FPage->GetContent().size();
  FPage->AppendContent(Path);
}

void TEMWParser::DoPaintPath(DWORD Type) {
  FInPath = false;
  const bool fills = Type != EMR_STROKEPATH && !FNullBrush;
  const bool strokes = Type != EMR_FILLPATH && FLineWidth != 0 && FPenStyle != PS_NULL;
  // A pen or brush selected while the path was built goes in front of it.
  const AnsiString path = TakePath();
  if (strokes) ApplyStroke();
  if (fills) ApplyBrush();
  PutPathBack(path);
  switch (Type) {
    case EMR_FILLPATH:
      if (!FNullBrush) FPage->Fill();
      break;
    case EMR_STROKEANDFILLPATH:
      FillAndStroke();
      break;
    default:
      StrokeOrEnd();
      break;
  }
  FPage->NewPath();
  FHavePath = false;
}

// ---------------------------------------------------------------------------------------------
// Clipping: one graphics state is pushed for the clip in force.

void TEMWParser::DoIntersectClipRect() {
  const RECTL r = Field<RECTL>(8);
  if (FClip) EndClip();
  FPage->GStateSave();
  FClip = true;
  FPage->NewPath();
  FPage->Rectangle(MapX(r.left), MapY(r.top), MapX(r.right), MapY(r.bottom));
  FPage->Clip();
  FPage->NewPath();
}

void TEMWParser::DoExcludeClipRect() {
  if (FClip) EndClip();
}

void TEMWParser::DoSelectClipPath() {
  const AnsiString path = TakePath();
  if (FClip) EndClip();
  FPage->GStateSave();
  FClip = true;
  PutPathBack(path);
  FPage->Clip();
  FPage->NewPath();
  FInPath = false;
  FHavePath = false;
}

void TEMWParser::DoExtSelectClipRgn() {
  const DWORD mode = Field<DWORD>(12);
  const DWORD rects = Field<DWORD>(24);
  const bool haveRects = Field<DWORD>(8) >= 32 && rects > 0 && Fits(48, static_cast<std::size_t>(rects) * 16);
  auto clipToRects = [&] {
    FPage->NewPath();
    for (DWORD i = 0; i < rects; ++i) {
      const RECTL r = Field<RECTL>(48 + static_cast<std::size_t>(i) * 16);
      FPage->Rectangle(DeviceValue(r.left), DeviceValue(r.top), DeviceValue(r.right), DeviceValue(r.bottom));
    }
    FPage->Clip();
    FPage->NewPath();
  };
  // A region given whole replaces the clip; a region intersected with it narrows it; any
  // other combination, and no region, leaves no clip.
  if (mode == RGN_AND && haveRects) {
    if (!FClip) {
      FPage->GStateSave();
      FClip = true;
    }
    clipToRects();
    return;
  }
  if (FClip) EndClip();
  if (mode == RGN_COPY && haveRects) {
    FPage->GStateSave();
    FClip = true;
    clipToRects();
  }
}
