// The graphics operators of a page: coordinate conversion, paths, curves, arcs, painting,
// colours, line width and dash, and the placing of images.
#include "pdf/PDF.h"

#include <cmath>

#include "pdf/pdfResources.h"

namespace {

constexpr Extended kDegreeGraphics = kPi / 180;
// The distance of a Bezier's control points from its ends, as a fraction of the radius, that
// makes four curves a circle.
constexpr Extended kBezier = 0.5522847498L;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Units

Extended TPDFPage::PtX(Extended X) {
  FDrawn = true;
  return X / FScale;
}

Extended TPDFPage::PtY(Extended Y) {
  FDrawn = true;
  return FHeightPt - Y / FScale;
}

TPDFPoint TPDFPage::DevicePoint(const TPDFPoint& P) {
  FDrawn = true;
  return {P.x * FScale, (FHeightPt - P.y) * FScale};
}

void TPDFPage::WriteOperator(std::initializer_list<Extended> Operands, const char* Operator) {
  bool first = true;
  for (Extended v : Operands) {
    if (!first) FContent += ' ';
    first = false;
    AppendFloat(FContent, v);
  }
  FContent += Operator;
  FContent += "\r\n";
}

void TPDFPage::RequireNoText() const {
  if (FTextInited) throw TPDFException(STextObjectInited);
}

// ---------------------------------------------------------------------------------------------
// Paths

void TPDFPage::MoveTo(Extended X, Extended Y) { MoveToPt(PtX(X), PtY(Y)); }

void TPDFPage::MoveToPt(Extended X, Extended Y) {
  RequireNoText();
  WriteOperator({X, Y}, " m");
}

void TPDFPage::LineTo(Extended X, Extended Y) { LineToPt(PtX(X), PtY(Y)); }

void TPDFPage::LineToPt(Extended X, Extended Y) {
  RequireNoText();
  WriteOperator({X, Y}, " l");
}

void TPDFPage::CurveTo(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3) {
  CurveToPt(PtX(X1), PtY(Y1), PtX(X2), PtY(Y2), PtX(X3), PtY(Y3));
}

void TPDFPage::CurveToPt(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3) {
  RequireNoText();
  WriteOperator({X1, Y1, X2, Y2, X3, Y3}, " c");
}

void TPDFPage::Rectangle(Extended X1, Extended Y1, Extended X2, Extended Y2) {
  NormalizeRect(X1, Y1, X2, Y2);
  RectanglePt(PtX(X1), PtY(Y1), PtLength(X2 - X1), -PtLength(Y2 - Y1));
}

void TPDFPage::RectanglePt(Extended X, Extended Y, Extended W, Extended H) {
  RequireNoText();
  WriteOperator({X, Y, W, H}, " re");
}

void TPDFPage::ClosePath() {
  RequireNoText();
  AppendLine("h");
}

void TPDFPage::NewPath() {
  RequireNoText();
  AppendLine("n");
}

void TPDFPage::Fill() {
  RequireNoText();
  AppendLine("f");
}

void TPDFPage::Stroke() {
  RequireNoText();
  AppendLine("S");
}

void TPDFPage::FillAndStroke() {
  RequireNoText();
  AppendLine("B");
}

void TPDFPage::EoFill() {
  RequireNoText();
  AppendLine("f*");
}

void TPDFPage::EoFillAndStroke() {
  RequireNoText();
  AppendLine("B*");
}

void TPDFPage::Clip() { AppendLine("W"); }

void TPDFPage::ConcatPt(Extended A, Extended B, Extended C, Extended D, Extended E, Extended F) {
  RequireNoText();
  WriteOperator({A, B, C, D, E, F}, " cm");
}

// ---------------------------------------------------------------------------------------------
// Line and colour

void TPDFPage::SetLineWidth(Extended Width) { WriteOperator({PtLength(Width)}, " w"); }

void TPDFPage::SetDash(const AnsiString& Pattern) {
  if (Pattern == FDash) return;
  FDash = Pattern;
  AppendLine(Pattern + " d");
}

void TPDFPage::NoDash() { SetDash("[] 0"); }

void TPDFPage::SetRGBFillColor(Extended R, Extended G, Extended B) { WriteOperator({R, G, B}, " rg"); }

void TPDFPage::SetRGBStrokeColor(Extended R, Extended G, Extended B) { WriteOperator({R, G, B}, " RG"); }

// ---------------------------------------------------------------------------------------------
// Circles, ellipses and arcs

void TPDFPage::Circle(Extended X, Extended Y, Extended R) { CirclePt(PtX(X), PtY(Y), PtLength(R)); }

void TPDFPage::CirclePt(Extended X, Extended Y, Extended R) {
  const Extended k = kBezier * R;
  MoveToPt(X + R, Y);
  CurveToPt(X + R, Y + k, X + k, Y + R, X, Y + R);
  CurveToPt(X - k, Y + R, X - R, Y + k, X - R, Y);
  CurveToPt(X - R, Y - k, X - k, Y - R, X, Y - R);
  CurveToPt(X + k, Y - R, X + R, Y - k, X + R, Y);
}

void TPDFPage::Ellipse(Extended X1, Extended Y1, Extended X2, Extended Y2) {
  EllipsePt(PtX(X1), PtY(Y1), PtX(X2), PtY(Y2));
}

void TPDFPage::EllipsePt(Extended X1, Extended Y1, Extended X2, Extended Y2) {
  const Extended rx = (X2 - X1) / 2, ry = (Y2 - Y1) / 2;
  const Extended x = X1 + rx, y = Y1 + ry;
  const Extended kx = kBezier * rx, ky = kBezier * ry;
  MoveToPt(x + rx, y);
  CurveToPt(x + rx, y + ky, x + kx, y + ry, x, y + ry);
  CurveToPt(x - kx, y + ry, x - rx, y + ky, x - rx, y);
  CurveToPt(x - rx, y - ky, x - kx, y - ry, x, y - ry);
  CurveToPt(x + kx, y - ry, x + rx, y - ky, x + rx, y);
}

// One Bezier for an arc of at most a quarter turn. Angles grow clockwise as seen on the page,
// the way the device's y axis runs, so that the device forms can pass GDI's geometry through.
void TPDFPage::ArcSegment(Extended CX, Extended CY, Extended RX, Extended RY, Extended Start, Extended Sweep,
                          bool MoveFirst) {
  if (Sweep == 0) {
    const Extended x = CX + RX * std::cos(Start), y = CY - RY * std::sin(Start);
    if (MoveFirst) MoveToPt(x, y);
    LineToPt(x, y);
    return;
  }
  const Extended half = Sweep / 2;
  const Extended sn = std::sin(half), cs = std::cos(half);
  const Extended h = (1 - cs) * 4 / 3;
  const Extended q = sn - cs * h / sn;
  const Extended m = Start + half, sm = std::sin(m), cm = std::cos(m);
  const TPDFPoint unit[4] = {{cs, sn}, {cs + h, q}, {cs + h, -q}, {cs, -sn}};
  TPDFPoint p[4];
  for (int i = 0; i < 4; ++i) {
    p[i].x = CX + RX * (unit[i].y * sm + unit[i].x * cm) - 0.0001L;
    p[i].y = CY + RY * (unit[i].y * cm - unit[i].x * sm) - 0.0001L;
  }
  if (MoveFirst) MoveToPt(p[0].x, p[0].y);
  CurveToPt(p[1].x, p[1].y, p[2].x, p[2].y, p[3].x, p[3].y);
}

namespace {

// The centre and radii that the arcs use for a box.
struct ArcBox {
  Extended cx, cy, rx, ry;
};

ArcBox BoxOf(Extended X1, Extended Y1, Extended X2, Extended Y2) {
  return {(X1 + X2) / 2, (Y1 + Y2) / 2, std::max<Extended>(0, (std::fabs(X2 - X1) - 1) / 2),
          std::max<Extended>(0, (std::fabs(Y2 - Y1) - 1) / 2)};
}

}  // namespace

TPDFPoint TPDFPage::Arc(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Begin, Extended End) {
  const TPDFPoint start = ArcPt(PtX(X1), PtY(Y1), PtX(X2), PtY(Y2), -End, -Begin);
  return DevicePoint(start);
}

TPDFPoint TPDFPage::ArcPt(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Begin, Extended End) {
  const ArcBox b = BoxOf(X1, Y1, X2, Y2);
  Extended s = Begin * kDegreeGraphics, t = (End - Begin) * kDegreeGraphics;
  if (t < 0) t += 2 * kPi;
  const TPDFPoint result{b.cx + b.rx * std::cos(s), b.cy - b.ry * std::sin(s)};
  bool first = true;
  // A whole turn is four quarters, not four and a sliver left by rounding.
  while (t > kPi / 2 + 1e-12L) {
    ArcSegment(b.cx, b.cy, b.rx, b.ry, s, kPi / 2, first);
    first = false;
    s += kPi / 2;
    t -= kPi / 2;
  }
  if (t >= 0) ArcSegment(b.cx, b.cy, b.rx, b.ry, s, t, first);
  return result;
}

TPDFPoint TPDFPage::ArcByPoints(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                                Extended X4, Extended Y4) {
  const TPDFPoint start = ArcByPointsPt(PtX(X1), PtY(Y1), PtX(X2), PtY(Y2), PtX(X4), PtY(Y4), PtX(X3), PtY(Y3));
  return DevicePoint(start);
}

TPDFPoint TPDFPage::ArcByPointsPt(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                                  Extended X4, Extended Y4) {
  const ArcBox b = BoxOf(X1, Y1, X2, Y2);
  const Extended begin = std::atan2(-(Y3 - b.cy) * b.rx, (X3 - b.cx) * b.ry);
  Extended end = std::atan2(-(Y4 - b.cy) * b.rx, (X4 - b.cx) * b.ry);
  // Rays in the same direction give the whole ellipse, as GDI draws them.
  if (end == begin) end += 2 * kPi;
  return ArcPt(X1, Y1, X2, Y2, begin / kDegreeGraphics, end / kDegreeGraphics);
}

void TPDFPage::Pie(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
                   Extended Y4) {
  PiePt(PtX(X1), PtY(Y1), PtX(X2), PtY(Y2), PtX(X4), PtY(Y4), PtX(X3), PtY(Y3));
}

void TPDFPage::PiePt(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
                     Extended Y4) {
  const TPDFPoint start = ArcByPointsPt(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  const Extended cx = (X1 + X2) / 2, cy = (Y1 + Y2) / 2;
  LineToPt(cx, cy);
  MoveToPt(start.x, start.y);
  LineToPt(cx, cy);
}

void TPDFPage::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer W, Integer H) {
  NormalizeRect(X1, Y1, X2, Y2);
  const Extended b = W / 2.0L, a = H / 2.0L;
  const Extended kb = kBezier * b, ka = kBezier * a;
  MoveTo(X1 + b, Y1);
  LineTo(X2 - b, Y1);
  CurveTo(X2 - b + kb, Y1, X2, Y1 + a - ka, X2, Y1 + a);
  LineTo(X2, Y2 - a);
  CurveTo(X2, Y2 - a + ka, X2 - b + kb, Y2, X2 - b, Y2);
  LineTo(X1 + b, Y2);
  CurveTo(X1 + b - kb, Y2, X1, Y2 - a + ka, X1, Y2 - a);
  LineTo(X1, Y1 + a);
  CurveTo(X1, Y1 + a - ka, X1 + b - kb, Y1, X1 + b, Y1);
  ClosePath();
}

// ---------------------------------------------------------------------------------------------
// Images

void TPDFPage::ShowImage(Integer Index, Extended X, Extended Y, Extended W, Extended H, Extended Angle) {
  ShowImagePt(Index, PtX(X), PtY(Y) - PtLength(H), PtLength(W), PtLength(H), Angle);
}

void TPDFPage::ShowImagePt(Integer Index, Extended X, Extended Y, Extended W, Extended H, Extended Angle) {
  TPDFImages* images = FOwner->GetImages();
  if (Index < 0 || Index >= images->GetCount()) throw TPDFException(SOutOfRange);
  TPDFImage* image = images->GetItems(Index);
  if (image->BitPerPixel == 1 || image->GrayScale)
    FUsesGrayImage = true;
  else
    FUsesColorImage = true;
  AppendLine("q");
  WriteOperator({1, 0, 0, 1, X, Y}, " cm");
  if (std::fabs(Angle) > 0.001L) {
    const Extended a = Angle * kDegreeGraphics;
    WriteOperator({std::cos(a), std::sin(a), -std::sin(a), std::cos(a), 0, 0}, " cm");
  }
  WriteOperator({W, 0, 0, H, 0, 0}, " cm");
  AppendLine("/" + image->Name + " Do");
  AppendLine("Q");
  if (std::find(FImages.begin(), FImages.end(), image) == FImages.end()) FImages.push_back(image);
}
