// Region shapes: the point list, the border and shadow options, the mask of bitmap shapes, and the
// regions and outlines of the eighteen shapes.
#include "controls/visregion.h"

#include <cfenv>
#include <cmath>
#include <cstring>
#include <memory>

#include "classlib/Filer.h"
#include "classlib/Handles.h"
#include "controls/visclass.h"
#include "controls/visstream.h"

PUBLISHED(TVisRegionBorder) {
  Prop("Style", &TVisRegionBorder::GetStyle, &TVisRegionBorder::SetStyle).Default(rbSingle);
  Prop("LightColor", &TVisRegionBorder::GetLightColor, &TVisRegionBorder::SetLightColor)
      .Type(ColorTypeInfo())
      .Default(clBtnHighlight);
  Prop("ShadowColor", &TVisRegionBorder::GetShadowColor, &TVisRegionBorder::SetShadowColor)
      .Type(ColorTypeInfo())
      .Default(clBtnShadow);
  Prop("SingleColor", &TVisRegionBorder::GetSingleColor, &TVisRegionBorder::SetSingleColor)
      .Type(ColorTypeInfo())
      .Default(clBlack);
}

PUBLISHED(TVisRgnShadow) { Prop("Style", &TVisRgnShadow::GetStyle, &TVisRgnShadow::SetStyle).Default(hssNone); }

PUBLISHED(TVisRegionMask) {
  Prop("RegionDataSize", &TVisRegionMask::GetRegionDataSize, &TVisRegionMask::SetRegionDataSize).Default(0);
  Prop("Compressed", &TVisRegionMask::GetCompressed, &TVisRegionMask::SetCompressed).Default(false);
  Prop("PixelFormat", &TVisRegionMask::GetPixelFormat, &TVisRegionMask::SetPixelFormat).Default(spfDefault);
}

PUBLISHED(TVisRegion) {
  Prop("Shape", &TVisRegion::GetShape, &TVisRegion::SetShape).Default(rsRoundRect);
  Prop("ExtPos", &TVisRegion::GetExtPos, &TVisRegion::SetExtPos).Default(epLeftTop);
  Prop("Mask", &TVisRegion::GetMask, &TVisRegion::SetMask);
  Prop("RoundX", &TVisRegion::GetRoundX, &TVisRegion::SetRoundX).Default(20);
  Prop("RoundY", &TVisRegion::GetRoundY, &TVisRegion::SetRoundY).Default(20);
  Prop("Shadow", &TVisRegion::GetShadow, &TVisRegion::SetShadow);
}

PUBLISHED(TVisBorderRegion) { Prop("Border", &TVisRegion::GetBorder, &TVisRegion::SetBorder); }

namespace {

// x rounded to the nearest integer, halves to the even neighbour.
Integer Nearest(double X) {
  const int mode = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const auto result = static_cast<Integer>(std::nearbyint(X));
  std::fesetround(mode);
  return result;
}

// A region handle that is deleted unless it is handed on.
struct Rgn {
  HRGN h;
  explicit Rgn(HRGN r = nullptr) : h(r) {}
  ~Rgn() {
    if (h) ::DeleteObject(h);
  }
  Rgn(const Rgn&) = delete;
  Rgn& operator=(const Rgn&) = delete;
  HRGN release() {
    HRGN r = h;
    h = nullptr;
    return r;
  }
};

HRGN PolygonRgn(const std::vector<POINT>& Points) {
  return ::CreatePolygonRgn(Points.data(), static_cast<int>(Points.size()), ALTERNATE);
}

// Combines Other into Target and deletes Other.
void Combine(HRGN Target, HRGN Other, int Mode) {
  ::CombineRgn(Target, Target, Other, Mode);
  ::DeleteObject(Other);
}

HRGN Empty() { return ::CreateRectRgn(0, 0, 0, 0); }

bool TopEdge(TVisExtPos P) { return P <= epRightTop; }
bool LeftEdge(TVisExtPos P) { return P <= epTopLeft || P >= epBottomLeft; }

TRect MovedIn(const TRect& R, TVisExtPos P, Integer N) {
  TRect r = R;
  if (TopEdge(P))
    r.Top += N;
  else
    r.Bottom -= N;
  if (LeftEdge(P))
    r.Left += N;
  else
    r.Right -= N;
  return r;
}

// The region of a shield: an ellipse (or the intersection of two, sharp) less two ellipses at
// the top corners and a strip above the top, for the rectangle's size, moved to its corner.
HRGN Shield(const TRect& R, bool Sharp) {
  const Integer w = R.Width();
  const Integer h = R.Height();
  HRGN result;
  if (Sharp) {
    const Integer k = (8 * h) / 7;
    result = ::CreateEllipticRgn(-w, -k, w, k);
    Combine(result, ::CreateEllipticRgn(0, -k, 2 * w, k), RGN_AND);
  } else {
    result = ::CreateEllipticRgn(0, -(h - h / 5), w, h);
  }
  Combine(result, ::CreateEllipticRgn(-(w / 2), -(h / 5), w / 2, h / 5), RGN_DIFF);
  Combine(result, ::CreateEllipticRgn(w / 2, -(h / 5), w / 2 + w, h / 5), RGN_DIFF);
  Combine(result, ::CreateRectRgn(0, -40, w, 0), RGN_DIFF);
  ::OffsetRgn(result, R.Left, R.Top);
  return result;
}

std::vector<POINT> StarPoints(const TRect& R) {
  const Integer L = R.Left, T = R.Top, w = R.Width(), h = R.Height();
  const auto x = [&](double f) { return L + Nearest(f * w); };
  const auto y = [&](double f) { return T + Nearest(f * h); };
  return {{L + w / 2, T},     {x(0.65), y(0.38)}, {R.Right, y(0.38)}, {x(0.7), y(0.6)},   {x(0.85), R.Bottom},
          {L + w / 2, y(0.75)}, {x(0.15), R.Bottom}, {x(0.3), y(0.6)},   {L, y(0.38)},       {x(0.35), y(0.38)}};
}

std::vector<POINT> DiamondPoints(const TRect& R) {
  const Integer L = R.Left, T = R.Top, w = R.Width(), h = R.Height();
  return {{L + w / 2, T}, {L, T + h / 2}, {L + w / 2, R.Bottom}, {R.Right, T + h / 2}};
}

std::vector<POINT> OctagonPoints(const TRect& R) {
  const Integer L = R.Left, T = R.Top, w = R.Width(), h = R.Height();
  return {{L + 2 * (w / 3), T},        {L + w / 3, T},       {L, T + h / 3},        {L, T + 2 * (h / 3)},
          {L + w / 3, R.Bottom},       {L + 2 * (w / 3), R.Bottom}, {R.Right, T + 2 * (h / 3)}, {R.Right, T + h / 3}};
}

std::vector<POINT> CombPoints(const TRect& R) {
  const Integer L = R.Left, T = R.Top, w = R.Width(), h = R.Height();
  return {{L + w / 2, T},        {L, T + h / 4},       {L, T + 3 * (h / 4)},
          {L + w / 2, R.Bottom}, {R.Right, T + 3 * (h / 4)}, {R.Right, T + h / 4}};
}

// The body of a composite shape.
enum class Body { Rect, Round, Ellipse };

HRGN BodyRegion(Body Kind, const TRect& R, Integer RoundX, Integer RoundY) {
  switch (Kind) {
    case Body::Rect: return ::CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
    case Body::Round: return ::CreateRoundRectRgn(R.Left, R.Top, R.Right, R.Bottom, RoundX, RoundY);
    case Body::Ellipse: return ::CreateEllipticRgn(R.Left, R.Top, R.Right, R.Bottom);
  }
  return Empty();
}

// The colours of a border style, and which of the two passes draw what: the outer pass's
// top-left and bottom-right colours, then the pass one unit further in (clNone: not drawn).
struct BorderPasses {
  TColor outerTopLeft = clNone, outerBottomRight = clNone;
  TColor innerTopLeft = clNone, innerBottomRight = clNone;
};

BorderPasses PassesOf(TVisRegionBorderStyle Style, TColor Light, TColor Shadow, TColor Single) {
  switch (Style) {
    case rbRaised: return {Light, Shadow};
    case rbLowered: return {Shadow, Light};
    case rbSingle: return {Single, Single};
    case rbSingleRaised: return {Single, Single, Light, Shadow};
    case rbSingleLowered: return {Single, Single, Shadow, Light};
    case rbRaisedpsb: return {Light, Single, clNone, Shadow};
    case rbLoweredpsb: return {Shadow, Single, clNone, Light};
    default: return {};
  }
}

// Frames Region one pixel wide in Color, clipped to the half of R's plane on the top-left (or
// bottom-right) side of the diagonal from R's top-right to its bottom-left corner.
void FrameHalf(HDC DC, HRGN Region, const TRect& R, TColor Color, bool TopLeft) {
  if (Color == clNone || !Region) return;
  const Integer w = std::max(R.Width(), 1);
  const Integer h = std::max(R.Height(), 1);
  const POINT far1{R.Right + w, R.Top - h};
  const POINT far2{R.Left - w, R.Bottom + h};
  const POINT side = TopLeft ? POINT{R.Left - 2 * w, R.Top - 2 * h} : POINT{R.Right + 2 * w, R.Bottom + 2 * h};
  Rgn half(PolygonRgn({far1, side, far2}));
  const int saved = ::SaveDC(DC);
  ::ExtSelectClipRgn(DC, half.h, RGN_AND);
  UniqueGdiObject brush(::CreateSolidBrush(ColorToRGB(Color)));
  ::FrameRgn(DC, Region, static_cast<HBRUSH>(brush.get()), 1, 1);
  ::RestoreDC(DC, saved);
}

}  // namespace

// --- Composite shapes --------------------------------------------------------------------------------

TVisShapeParts NoseParts(const TRect& Rect, TVisExtPos Position, Integer Size, Integer Offset) {
  TVisShapeParts parts;
  const Integer n = Size;
  const Integer b = Offset;
  const TRect r = MovedIn(Rect, Position, n);
  parts.Body = r;
  const Integer d = Nearest(std::sqrt(2.0 * n * n));
  const Integer L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  switch (Position) {
    case epLeftTop: parts.Nose[0] = {L - n, T - n}; parts.Nose[1] = {L, T + b}; parts.Nose[2] = {L, T + b + d}; break;
    case epTopLeft: parts.Nose[0] = {L - n, T - n}; parts.Nose[1] = {L + b, T}; parts.Nose[2] = {L + b + d, T}; break;
    case epTopRight: parts.Nose[0] = {R + n, T - n}; parts.Nose[1] = {R - b, T}; parts.Nose[2] = {R - b - d, T}; break;
    case epRightTop: parts.Nose[0] = {R + n, T - n}; parts.Nose[1] = {R, T + b}; parts.Nose[2] = {R, T + b + d}; break;
    case epRightBottom:
      parts.Nose[0] = {R + n, B + n}; parts.Nose[1] = {R, B - b}; parts.Nose[2] = {R, B - b - d};
      break;
    case epBottomRight:
      parts.Nose[0] = {R + n, B + n}; parts.Nose[1] = {R - b, B}; parts.Nose[2] = {R - b - d, B};
      break;
    case epBottomLeft: parts.Nose[0] = {L - n, B + n}; parts.Nose[1] = {L + b, B}; parts.Nose[2] = {L + b + d, B}; break;
    case epLeftBottom: parts.Nose[0] = {L - n, B + n}; parts.Nose[1] = {L, B - b}; parts.Nose[2] = {L, B - b - d}; break;
  }
  return parts;
}

TVisShapeParts BubbleParts(const TRect& Rect, TVisExtPos Position, Integer Size, Integer Count) {
  TVisShapeParts parts;
  const Integer n = Size;
  const TRect r = MovedIn(Rect, Position, n);
  parts.Body = r;
  const Integer L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  const double c = std::max(Count, 1);
  const double step = n * 6.283185307179586 / 4 / c / c;
  constexpr double q = 1.57;
  for (Integer i = 0; i <= Count + 1; ++i) {
    const Integer diameter = Nearest(i * step);
    const double a = (90.0 / (c + 1)) * i * 0.017453292519943295;
    const auto nc = [&](double angle) { return Nearest(n * std::cos(angle)); };
    const auto ns = [&](double angle) { return Nearest(n * std::sin(angle)); };
    Integer x = 0, y = 0;
    switch (Position) {
      case epLeftTop: x = L - nc(a); y = T - n + ns(a); break;
      case epTopLeft: x = L - n + nc(q - a); y = T - ns(q - a); break;
      case epTopRight: x = R + n - nc(q - a); y = T - ns(q + a); break;
      case epRightTop: x = R + nc(a); y = T - n + ns(a); break;
      case epRightBottom: x = R + nc(a); y = B + n - ns(a); break;
      case epBottomRight: x = R + n - nc(q - a); y = B + ns(q - a); break;
      case epBottomLeft: x = L - n + nc(q - a); y = B + ns(q - a); break;
      case epLeftBottom: x = L - nc(a); y = B + n - ns(a); break;
    }
    const Integer radius = diameter / 2;
    parts.Bubbles.push_back({x - radius, y - radius, x + radius, y + radius});
  }
  return parts;
}

// --- TVisPointList -----------------------------------------------------------------------------------

void TVisPointList::GetPoint(Integer Index, TPoint& Point) const {
  if (Index < 0 || Index >= GetCount()) return;
  const auto packed = static_cast<LongWord>(reinterpret_cast<std::uintptr_t>(Get(Index)));
  Point.X = static_cast<Integer>(packed >> 16);
  Point.Y = static_cast<SmallInt>(packed & 0xFFFF);
}

TPoint TVisPointList::GetPoint(Integer Index) const {
  TPoint p{0, 0};
  GetPoint(Index, p);
  return p;
}

void TVisPointList::SetPoint(Integer Index, TPoint Point) {
  if (Index < 0 || Index >= GetCount()) return;
  const LongWord packed = (static_cast<LongWord>(Point.X) << 16) | (static_cast<LongWord>(Point.Y) & 0xFFFF);
  Put(Index, reinterpret_cast<void*>(static_cast<std::uintptr_t>(packed)));
  Changed();
}

void TVisPointList::AddPoint(TPoint Point) {
  BeginUpdate();
  Add(nullptr);
  SetPoint(GetCount() - 1, Point);
  EndUpdate();
}

void TVisPointList::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TVisPointList::Changed() {
  if (FUpdateCount < 1 && OnChange) OnChange(this);
}

// --- The border, the shadow and the mask --------------------------------------------------------------

void TVisRegionBorder::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisRegionBorder*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FStyle = source->FStyle;
  std::copy(std::begin(source->FColors), std::end(source->FColors), std::begin(FColors));
  Change();
}

void TVisRegionBorder::SetStyle(TVisRegionBorderStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Change();
}

void TVisRegionBorder::SetColor(Integer Index, TColor Value) {
  if (Value == FColors[Index]) return;
  FColors[Index] = Value;
  Change();
}

TVisRgnShadow::TVisRgnShadow() {
  BeginUpdate();
  SetStyle(hssNone);
  EndUpdate(false);
}

HRGN RegionFromData(const std::vector<Byte>& Data) {
  if (Data.size() < sizeof(RGNDATAHEADER)) return nullptr;
  RGNDATAHEADER header;
  std::memcpy(&header, Data.data(), sizeof header);
  if (header.dwSize != sizeof(RGNDATAHEADER) || header.iType != RDH_RECTANGLES) return nullptr;
  if (std::uint64_t(header.nCount) * sizeof(RECT) > Data.size() - sizeof(RGNDATAHEADER)) return nullptr;
  const auto size = static_cast<DWORD>(sizeof(RGNDATAHEADER) + header.nCount * sizeof(RECT));
  return ::ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(Data.data()));
}

std::vector<Byte> RegionToData(HRGN Region) {
  if (!Region) return {};
  const DWORD size = ::GetRegionData(Region, 0, nullptr);
  std::vector<Byte> data(size);
  if (size == 0 || ::GetRegionData(Region, size, reinterpret_cast<RGNDATA*>(data.data())) != size) return {};
  return data;
}

TVisRegionMask::TVisRegionMask() : FBitmaps{new TBitmap, new TBitmap, new TBitmap} {}

TVisRegionMask::~TVisRegionMask() {
  for (TBitmap* bitmap : FBitmaps) delete bitmap;
}

void TVisRegionMask::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisRegionMask*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  if (source == this) return;
  ClearRegionData();
  if (!source->FRegionData.empty()) {
    FRegionData = source->FRegionData;
    FRegionDataSize = source->FRegionDataSize;
    for (int i = 0; i < 3; ++i) FBitmaps[i]->Assign(source->FBitmaps[i]);
  }
  Change();
}

void TVisRegionMask::SetRegionData(HRGN Region) {
  FRegionData = RegionToData(Region);
  FRegionDataSize = static_cast<Integer>(FRegionData.size());
  Change();
}

void TVisRegionMask::ClearRegionData() {
  FRegionData.clear();
  FRegionDataSize = 0;
}

HRGN TVisRegionMask::CreateRegion() const { return RegionFromData(FRegionData); }

void TVisRegionMask::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty("RegionData", TStreamProc(this, &TVisRegionMask::ReadRegionData),
                              TStreamProc(this, &TVisRegionMask::WriteRegionData), FRegionDataSize != 0);
  const char* names[] = {"BorderBmp", "BorderUpBmp", "BorderDnBmp"};
  for (int i = 0; i < 3; ++i) {
    Filer->DefineBinaryProperty(
        names[i],
        TStreamProc::FromFunction([this, i](TStream* s) { ReadBitmap(i, s); }),
        TStreamProc::FromFunction([this, i](TStream* s) { WriteBitmap(i, s); }), !FBitmaps[i]->GetEmpty());
  }
}

void TVisRegionMask::ReadRegionData(TStream* Stream) {
  const Int64 size = Stream->GetSize() - Stream->GetPosition();
  // The data must be exactly as long as the size read before them says.
  if (FRegionDataSize <= 0 || size != FRegionDataSize) throw EReadError("Stream read error");
  std::vector<Byte> data(static_cast<std::size_t>(size));
  Stream->ReadBuffer(data.data(), static_cast<Integer>(size));
  FRegionData.swap(data);
}

void TVisRegionMask::WriteRegionData(TStream* Stream) {
  const auto size = static_cast<Integer>(std::min<std::size_t>(FRegionData.size(), std::size_t(FRegionDataSize)));
  if (size > 0) Stream->WriteBuffer(FRegionData.data(), size);
}

void TVisRegionMask::ReadBitmap(Integer Index, TStream* Stream) {
  FCompressed = ReadStreamByte(Stream) != 0;
  TBitmap bitmap;
  ReadObjectProp(Stream, &bitmap, FCompressed);
  FBitmaps[Index]->Assign(&bitmap);
}

void TVisRegionMask::WriteBitmap(Integer Index, TStream* Stream) {
  WriteStreamByte(Stream, FCompressed ? 1 : 0);
  WriteBitmapProp(Stream, FBitmaps[Index], FCompressed, -1);
}

// --- TVisRegion ---------------------------------------------------------------------------------------

TVisRegion::TVisRegion()
    : FPoints(new TVisPointList),
      FMask(new TVisRegionMask),
      FShadow(new TVisRgnShadow),
      FBorder(new TVisRegionBorder) {
  FPoints->OnChange = TNotifyEvent(this, &TVisRegion::PointsChanged);
  for (TVisObject* part : {static_cast<TVisObject*>(FMask), static_cast<TVisObject*>(FShadow),
                           static_cast<TVisObject*>(FBorder)})
    part->OnChange = TNotifyEvent(this, &TVisRegion::PartChanged);
}

TVisRegion::~TVisRegion() {
  FPoints->OnChange = nullptr;
  FMask->OnChange = nullptr;
  FShadow->OnChange = nullptr;
  FBorder->OnChange = nullptr;
  delete FPoints;
  delete FMask;
  delete FShadow;
  delete FBorder;
  if (FRegion) ::DeleteObject(FRegion);
}

void TVisRegion::PartChanged(TObject*) { Change(); }

void TVisRegion::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisRegion*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  SetShape(source->FShape);
  FRound[0] = source->FRound[0];
  FRound[1] = source->FRound[1];
  FBorder->Assign(source->FBorder);
  FExtPos = source->FExtPos;
  FMask->Assign(source->FMask);
  FShadow->Assign(source->FShadow);
  EndUpdate(true);
}

void TVisRegion::SetShape(TVisRegionShape Value) {
  if (Value == FShape) return;
  FShape = Value;
  if (FShape == rsPointList) PointsChanged(FPoints);
  Change();
}

void TVisRegion::SetExtPos(TVisExtPos Value) {
  if (Value == FExtPos) return;
  FExtPos = Value;
  Change();
}

void TVisRegion::SetRound(Integer Index, Integer Value) {
  if (Value == FRound[Index]) return;
  FRound[Index] = Value;
  Change();
}

void TVisRegion::PointsChanged(TObject*) {
  if (FPoints->GetCount() == 0 || FShape != rsPointList) return;
  std::vector<POINT> points;
  for (Integer i = 0; i < FPoints->GetCount(); ++i) {
    const TPoint p = FPoints->GetPoint(i);
    points.push_back({p.X, p.Y});
  }
  Rgn polygon(PolygonRgn(points));
  StoreRegionData(polygon.h);
}

void TVisRegion::StoreRegionData(HRGN Region) { FRegionData = RegionToData(Region); }

bool TVisRegion::OwnerDestroying() const {
  return OwnerComponent && OwnerComponent->GetComponentState().Contains(csDestroying);
}

bool TVisRegion::OwnerDesigning() const {
  return OwnerComponent && OwnerComponent->GetComponentState().Contains(csDesigning);
}

void TVisRegion::SetRectRegion(const TRect& Rect) {
  if (OwnerDestroying()) return;
  if (FRegion) ::DeleteObject(FRegion);
  FRegion = ::CreateRectRgn(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
}

HRGN TVisRegion::BuildRegion(const TRect& Rect) {
  if (OwnerDestroying()) return FRegion;
  TRect r = Rect;
  r.Left += Origin.X;
  r.Top += Origin.Y;
  if (FRegion) {
    ::DeleteObject(FRegion);
    FRegion = nullptr;
  }
  if (FShadow->GetStyle() != hssNone) {
    r.Right -= FShadow->GetDepth();
    r.Bottom -= FShadow->GetDepth();
  }
  FRegion = ShapeRegion(r);
  return FRegion;
}

HRGN TVisRegion::ShapeRegion(const TRect& Rect) {
  const Integer L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
  const Integer w = R - L;
  const auto composite = [&](Body Kind, const TVisShapeParts& Parts, bool Nose) {
    HRGN body = BodyRegion(Kind, Parts.Body, FRound[0], FRound[1]);
    if (Nose) {
      Combine(body, PolygonRgn({{Parts.Nose[0].X, Parts.Nose[0].Y}, {Parts.Nose[1].X, Parts.Nose[1].Y},
                             {Parts.Nose[2].X, Parts.Nose[2].Y}}),
              RGN_OR);
    } else {
      HRGN bubbles = Empty();
      for (const TRect& box : Parts.Bubbles)
        Combine(bubbles, ::CreateEllipticRgn(box.Left, box.Top, box.Right, box.Bottom), RGN_OR);
      Combine(body, bubbles, RGN_OR);
    }
    return body;
  };
  const bool roundOffsetY = FExtPos == epLeftTop || FExtPos == epRightTop || FExtPos == epRightBottom ||
                            FExtPos == epLeftBottom;
  switch (FShape) {
    case rsRect: return ::CreateRectRgn(L, T, R, B);
    case rsRoundRect: return ::CreateRoundRectRgn(L, T, R, B, FRound[0], FRound[1]);
    case rsBitmap: return FMask->CreateRegion();
    case rsNoseRect: return composite(Body::Rect, NoseParts(Rect, FExtPos, w / 10, 5), true);
    case rsRoundNoseRect:
      return composite(Body::Round, NoseParts(Rect, FExtPos, w / 10, roundOffsetY ? FRound[1] : FRound[0]), true);
    case rsElliptic: return ::CreateEllipticRgn(L, T, R, B);
    case rsStar: return PolygonRgn(StarPoints(Rect));
    case rsRoundShield: return Shield(Rect, false);
    case rsSharpShield: return Shield(Rect, true);
    case rsDiamond: return PolygonRgn(DiamondPoints(Rect));
    case rsOctagon: return PolygonRgn(OctagonPoints(Rect));
    case rsComb: return PolygonRgn(CombPoints(Rect));
    case rsHalfRound: return ::CreateEllipticRgn(L, 2 * T - B, R, B);
    case rsUserRegion:
      if (OwnerDesigning()) return ::CreateRectRgn(L, T, R, B);
      return RegionFromData(FRegionData);
    case rsThinkBubble: return composite(Body::Rect, BubbleParts(Rect, FExtPos, w / 6, BubbleCount), false);
    case rsRoundThinkBubble: return composite(Body::Round, BubbleParts(Rect, FExtPos, w / 6, BubbleCount), false);
    case rsEllipticThinkBubble:
      return composite(Body::Ellipse, BubbleParts(Rect, FExtPos, w / 6, BubbleCount), false);
    case rsPointList: return RegionFromData(FRegionData);
  }
  return nullptr;
}

void TVisRegion::DrawBorder(TCanvas* Canvas, const TRect& Rect) {
  TRect r = Rect;
  r.Left += Origin.X;
  r.Top += Origin.Y;
  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->GetPen()->SetWidth(2);
  Canvas->RequiredState({csHandleValid, csPenValid, csBrushValid});
  HDC dc = Canvas->GetHandle();

  if (FShadow->GetStyle() != hssNone) {
    const Integer depth = FShadow->GetDepth();
    r.Right -= depth;
    r.Bottom -= depth;
    if (!NoShadowDrawn && FRegion) {
      Rgn area(::CreateRectRgn(0, 0, 0, 0));
      ::CombineRgn(area.h, FRegion, nullptr, RGN_COPY);
      ::OffsetRgn(area.h, depth, depth);
      ::CombineRgn(area.h, area.h, FRegion, RGN_DIFF);
      if (FShadow->GetStyle() == hssSolid) {
        UniqueGdiObject brush(::CreateSolidBrush(ColorToRGB(FShadow->GetColor())));
        ::FillRgn(dc, area.h, static_cast<HBRUSH>(brush.get()));
      } else {
        TBitmap* pattern = VisApplication->GetPatternBitmap(FShadow->GetColor());
        UniqueGdiObject brush(::CreatePatternBrush(pattern->GetHandle()));
        const int rop = ::SetROP2(dc, R2_MASKPEN);
        ::FillRgn(dc, area.h, static_cast<HBRUSH>(brush.get()));
        ::SetROP2(dc, rop);
      }
    }
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->GetPen()->SetMode(pmCopy);
    Canvas->GetPen()->SetStyle(psSolid);
  }

  const TColor light = FBorder->GetLightColor();
  const TColor shadow = FBorder->GetShadowColor();
  const TColor single = FBorder->GetSingleColor();
  const TVisRegionBorderStyle style = FBorder->GetStyle();

  if (FShape == rsPointList) {
    const Integer count = FPoints->GetCount();
    if (count == 0) return;
    const bool lowered = style == rbLowered || style == rbSingleLowered || style == rbLoweredpsb;
    TColor up = lowered ? shadow : light;
    TColor down = lowered ? light : shadow;
    if (style == rbSingle) up = down = single;
    TColor color = up;
    for (Integer i = 0; i < count; ++i) {
      const TPoint from = FPoints->GetPoint(i);
      const TPoint to = FPoints->GetPoint((i + 1) % count);
      if (to.Y > from.Y) color = down;
      if (to.Y < from.Y) color = up;
      if (to.X < from.X) color = down;
      if (to.X > from.X) color = up;
      Canvas->GetPen()->SetColor(color);
      Canvas->MoveTo(from.X, from.Y);
      Canvas->LineTo(to.X, to.Y);
    }
    return;
  }
  if (FShape == rsBitmap || FShape == rsUserRegion || style == rbNone) return;

  const BorderPasses passes = PassesOf(style, light, shadow, single);
  const Integer w = r.Width();
  const bool nose = FShape == rsNoseRect || FShape == rsRoundNoseRect;
  const bool bubbles = FShape == rsThinkBubble || FShape == rsRoundThinkBubble || FShape == rsEllipticThinkBubble;
  // One pass: the outline of the shape for Area, in two halves.
  const auto pass = [&](const TRect& Area, TColor TopLeft, TColor BottomRight) {
    if (TopLeft == clNone && BottomRight == clNone) return;
    const auto frame = [&](HRGN Region) {
      Rgn region(Region);
      FrameHalf(dc, region.h, Area, TopLeft, true);
      FrameHalf(dc, region.h, Area, BottomRight, false);
    };
    if (!nose && !bubbles) {
      frame(ShapeRegion(Area));
      return;
    }
    const int saved = ::SaveDC(dc);
    const Body kind = FShape == rsNoseRect || FShape == rsThinkBubble ? Body::Rect
                      : FShape == rsEllipticThinkBubble              ? Body::Ellipse
                                                                     : Body::Round;
    TVisShapeParts parts;
    if (nose) {
      const bool roundOffsetY = FExtPos == epLeftTop || FExtPos == epRightTop || FExtPos == epRightBottom ||
                                FExtPos == epLeftBottom;
      parts = NoseParts(Area, FExtPos, w / 10,
                        FShape == rsNoseRect ? 5 : (roundOffsetY ? FRound[1] : FRound[0]));
      // The body's outline stops where the nose joins it.
      const TPoint a = parts.Nose[1], b = parts.Nose[2];
      ::ExcludeClipRect(dc, std::min(a.X, b.X) - 2, std::min(a.Y, b.Y) - 2, std::max(a.X, b.X) + 2,
                        std::max(a.Y, b.Y) + 2);
    } else {
      parts = BubbleParts(Area, FExtPos, w / 6, BubbleCount);
      for (const TRect& box : parts.Bubbles) {
        if (box.Width() > 0) frame(::CreateEllipticRgn(box.Left, box.Top, box.Right, box.Bottom));
        ::ExcludeClipRect(dc, box.Left, box.Top, box.Right, box.Bottom);
      }
    }
    frame(BodyRegion(kind, parts.Body, FRound[0], FRound[1]));
    ::RestoreDC(dc, saved);
  };
  pass(r, passes.outerTopLeft, passes.outerBottomRight);
  pass({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, passes.innerTopLeft, passes.innerBottomRight);
}

void TVisRegion::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty("PointList", TReaderProc(this, &TVisRegion::ReadPoints),
                        TWriterProc(this, &TVisRegion::WritePoints), FPoints->GetCount() > 0);
}

void TVisRegion::ReadPoints(TReader* Reader) {
  Reader->ReadListBegin();
  FPoints->BeginUpdate();
  while (!Reader->EndOfList()) {
    const Integer x = Reader->ReadInteger();
    const Integer y = Reader->ReadInteger();
    FPoints->AddPoint({x, y});
  }
  Reader->ReadListEnd();
  FPoints->EndUpdate();
}

void TVisRegion::WritePoints(TWriter* Writer) {
  Writer->WriteListBegin();
  for (Integer i = 0; i < FPoints->GetCount(); ++i) {
    const TPoint p = FPoints->GetPoint(i);
    Writer->WriteInteger(p.X);
    Writer->WriteInteger(p.Y);
  }
  Writer->WriteListEnd();
}
