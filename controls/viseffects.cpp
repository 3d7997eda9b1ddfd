// Pixel effects on 24-bit bitmaps, through their scan lines (blue, green, red per pixel).
#include "controls/viseffects.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "classlib/SysUtils.h"

namespace {

Byte* Pixel(TBitmap* Bitmap, Integer X, Integer Y) { return static_cast<Byte*>(Bitmap->GetScanLine(Y)) + 3 * X; }

// The rows and columns of SourceRect that lie in both bitmaps (from SourceRect's and DestPoint's
// corners), so that no routine reads or writes outside a bitmap.
struct Span {
  Integer width = 0;
  Integer height = 0;
};

Span Overlap(TBitmap* Source, const TRect& SourceRect, TBitmap* Dest, TPoint DestPoint) {
  const Integer left = std::max(SourceRect.Left, 0);
  const Integer top = std::max(SourceRect.Top, 0);
  if (left != SourceRect.Left || top != SourceRect.Top || DestPoint.X < 0 || DestPoint.Y < 0) return {};
  Span s;
  s.width = std::min({SourceRect.Right, Source->GetWidth()}) - left;
  s.height = std::min({SourceRect.Bottom, Source->GetHeight()}) - top;
  s.width = std::min(s.width, Dest->GetWidth() - DestPoint.X);
  s.height = std::min(s.height, Dest->GetHeight() - DestPoint.Y);
  if (s.width <= 0 || s.height <= 0) return {};
  return s;
}

// Applies a byte mapping to every byte of the area.
template <class F>
void MapBytes(TBitmap* Source, const TRect& SourceRect, TBitmap* Dest, TPoint DestPoint, F map) {
  const Span s = Overlap(Source, SourceRect, Dest, DestPoint);
  for (Integer y = 0; y < s.height; ++y) {
    const Byte* in = Pixel(Source, SourceRect.Left, SourceRect.Top + y);
    Byte* out = Pixel(Dest, DestPoint.X, DestPoint.Y + y);
    for (Integer i = 0; i < 3 * s.width; ++i) out[i] = map(in[i]);
  }
}

}  // namespace

bool CheckPixelFormat(TBitmap* Bitmap, const AnsiString& Name) {
  if (Bitmap && Bitmap->GetPixelFormat() == pf24bit) return true;
  throw EVisWrongPixelFormat("Wrong PixelFormat in " + Name + " bitmap!");
}

void GrayScaleBitmap(TBitmap* Source, const TRect& SourceRect, TBitmap* Dest, TPoint DestPoint) {
  std::array<Byte, 256> red{}, green{}, blue{};
  for (Integer v = 0; v < 256; ++v) {
    red[v] = static_cast<Byte>(Round(v * 0.3L));
    green[v] = static_cast<Byte>(Round(v * 0.59L));
    blue[v] = static_cast<Byte>(Round(v * 0.11L));
  }
  const Span s = Overlap(Source, SourceRect, Dest, DestPoint);
  for (Integer y = 0; y < s.height; ++y) {
    const Byte* in = Pixel(Source, SourceRect.Left, SourceRect.Top + y);
    Byte* out = Pixel(Dest, DestPoint.X, DestPoint.Y + y);
    for (Integer x = 0; x < s.width; ++x, in += 3, out += 3) {
      const Byte grey = static_cast<Byte>(red[in[2]] + green[in[1]] + blue[in[0]]);
      out[0] = out[1] = out[2] = grey;
    }
  }
}

void MirrorRowsBitmap(TBitmap* Source, const TRect& SourceRect, TBitmap* Dest, TPoint DestPoint) {
  const Span s = Overlap(Source, SourceRect, Dest, DestPoint);
  const auto bytes = static_cast<std::size_t>(3 * s.width);
  // Both rows of a pair are read before either is written, so the exchange works in place.
  std::vector<Byte> upper(bytes), lower(bytes);
  for (Integer i = 0; i < (s.height + 1) / 2; ++i) {
    const Integer j = s.height - 1 - i;
    std::memcpy(upper.data(), Pixel(Source, SourceRect.Left, SourceRect.Top + i), bytes);
    std::memcpy(lower.data(), Pixel(Source, SourceRect.Left, SourceRect.Top + j), bytes);
    std::memcpy(Pixel(Dest, DestPoint.X, DestPoint.Y + i), lower.data(), bytes);
    std::memcpy(Pixel(Dest, DestPoint.X, DestPoint.Y + j), upper.data(), bytes);
  }
}

void MirrorColumnsBitmap(TBitmap* Source, const TRect& SourceRect, TBitmap* Dest, TPoint DestPoint) {
  const Span s = Overlap(Source, SourceRect, Dest, DestPoint);
  std::vector<Byte> row(static_cast<std::size_t>(3 * s.width));
  for (Integer y = 0; y < s.height; ++y) {
    std::memcpy(row.data(), Pixel(Source, SourceRect.Left, SourceRect.Top + y), row.size());
    for (Integer j = 0; j < s.width / 2; ++j)
      for (Integer b = 0; b < 3; ++b) std::swap(row[3 * j + b], row[3 * (s.width - 1 - j) + b]);
    std::memcpy(Pixel(Dest, DestPoint.X, DestPoint.Y + y), row.data(), row.size());
  }
}

void InvertBitmap(TBitmap* Source, const TRect& SourceRect, TBitmap* Dest, TPoint DestPoint) {
  MapBytes(Source, SourceRect, Dest, DestPoint, [](Byte b) { return static_cast<Byte>(255 - b); });
}

void BrightnessBitmap(TBitmap* Source, const TRect& SourceRect, TBitmap* Dest, Integer Amount, TPoint DestPoint) {
  Amount = std::clamp(Amount, -255, 255);
  MapBytes(Source, SourceRect, Dest, DestPoint,
           [Amount](Byte b) { return static_cast<Byte>(std::clamp(b + Amount, 0, 255)); });
}

void AlphaBlendBitmaps(TBitmap* Source1, TBitmap* Source2, const TRect& Rect, TPoint TargetPoint, Single Alpha,
                       TBitmap* Target, TPoint Source2Point) {
  CheckPixelFormat(Source1, "Source 1");
  CheckPixelFormat(Source2, "Source 2");
  CheckPixelFormat(Target, "Target");
  // table[d + 255] = Round(d x Alpha) for every difference d of two bytes.
  std::array<Integer, 511> table{};
  for (Integer d = -255; d <= 255; ++d) table[d + 255] = static_cast<Integer>(Round(d * static_cast<Extended>(Alpha)));
  const Span toTarget = Overlap(Source1, Rect, Target, TargetPoint);
  const Span fromSecond = Overlap(Source1, Rect, Source2, Source2Point);
  const Integer width = std::min(toTarget.width, fromSecond.width);
  const Integer height = std::min(toTarget.height, fromSecond.height);
  std::vector<Byte> row(static_cast<std::size_t>(3 * std::max(width, 0)));
  for (Integer y = 0; y < height; ++y) {
    const Byte* s1 = Pixel(Source1, Rect.Left, Rect.Top + y);
    const Byte* s2 = Pixel(Source2, Source2Point.X, Source2Point.Y + y);
    for (Integer i = 0; i < 3 * width; ++i) row[i] = static_cast<Byte>(std::clamp(table[s1[i] - s2[i] + 255] + s2[i], 0, 255));
    std::memcpy(Pixel(Target, TargetPoint.X, TargetPoint.Y + y), row.data(), row.size());
  }
}
