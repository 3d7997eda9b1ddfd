// TEMWParser: the bit-block records. A bitmap is drawn by GDI into a work bitmap of its own size,
// added to the document as an image (CCITT for black and white, JPEG or deflate otherwise) and
// placed over its destination; a block operation without a bitmap fills its destination.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "classlib/Bitmaps.h"
#include "pdf/pdfWMF.h"

namespace {

// Whether a two-colour table holds black and white, so that the picture loses nothing as fax
// data.
bool BlackAndWhite(const BITMAPINFOHEADER& header, const std::vector<Byte>& info) {
  if (header.biBitCount != 1) return false;
  const std::size_t tableAt = header.biSize;
  if (info.size() < tableAt + 2 * sizeof(RGBQUAD)) return false;
  RGBQUAD colors[2];
  std::memcpy(colors, info.data() + tableAt, sizeof colors);
  auto level = [](const RGBQUAD& q) -> int {
    if (q.rgbRed == 0 && q.rgbGreen == 0 && q.rgbBlue == 0) return 0;
    if (q.rgbRed == 255 && q.rgbGreen == 255 && q.rgbBlue == 255) return 1;
    return -1;
  };
  const int a = level(colors[0]), b = level(colors[1]);
  return a >= 0 && b >= 0 && a != b;
}

// Whether the source rectangle lies inside the record's bitmap, whose pixels the record holds
// (checked with the record). The work bitmap is as large as the source, so a source larger than
// the bitmap would ask for pixels the record never carried. A coded bitmap (run lengths) may
// stand for more pixels than it has bytes, but for no more than 255 a byte, a run's most.
bool SourceInside(const BITMAPINFOHEADER& Header, std::size_t BitsSize, Integer SrcX, Integer SrcY, Integer SrcW,
                  Integer SrcH) {
  const Int64 width = Header.biWidth, height = std::abs(Int64{Header.biHeight});
  if (Header.biCompression != BI_RGB && Header.biCompression != BI_BITFIELDS &&
      width * height > Int64{255} * static_cast<Int64>(BitsSize))
    return false;
  const Int64 left = std::min<Int64>(SrcX, Int64{SrcX} + SrcW), right = std::max<Int64>(SrcX, Int64{SrcX} + SrcW);
  const Int64 top = std::min<Int64>(SrcY, Int64{SrcY} + SrcH), bottom = std::max<Int64>(SrcY, Int64{SrcY} + SrcH);
  return left >= 0 && top >= 0 && right <= width && bottom <= height;
}

}  // namespace

Integer TEMWParser::AddBitmap(std::size_t InfoOffset, std::size_t InfoSize, std::size_t BitsOffset,
                              std::size_t BitsSize, Integer SrcX, Integer SrcY, Integer SrcW, Integer SrcH,
                              UINT Usage, DWORD Rop, bool Stretch, UINT StartScan, UINT Scans) {
  if (InfoSize < sizeof(BITMAPINFOHEADER) || !Fits(InfoOffset, InfoSize) || !Fits(BitsOffset, BitsSize)) return -1;
  const Integer width = std::abs(SrcW), height = std::abs(SrcH);
  if (width == 0 || height == 0) return -1;
  // Copies, so that GDI reads aligned structures.
  std::vector<Byte> info(At(InfoOffset), At(InfoOffset) + InfoSize);
  std::vector<Byte> bits(At(BitsOffset), At(BitsOffset) + BitsSize);
  BITMAPINFOHEADER header;
  std::memcpy(&header, info.data(), sizeof header);
  if (!SourceInside(header, BitsSize, SrcX, SrcY, SrcW, SrcH)) return -1;
  const bool mono = BlackAndWhite(header, info);

  TBitmap work;
  work.SetPixelFormat(mono ? pf1bit : pf24bit);
  work.SetSize(width, height);
  HDC dc = work.GetCanvas()->GetHandle();
  const auto* bmi = reinterpret_cast<const BITMAPINFO*>(info.data());
  if (Stretch) {
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchDIBits(dc, 0, 0, width, height, SrcX, SrcY, SrcW, SrcH, bits.data(), bmi, Usage, Rop);
  } else {
    ::SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), SrcX, SrcY, StartScan,
                        Scans, bits.data(), bmi, Usage);
  }
  TImageCompressionType compression = itcFlate;
  if (work.GetPixelFormat() == pf1bit)
    compression = itcCCITT4;
  else if (FPage->GetDocument()->GetEMFImageAsJpeg())
    compression = itcJpeg;
  return FPage->GetDocument()->AddImage(&work, compression);
}

void TEMWParser::PlaceImage(Integer Index, Extended X1, Extended Y1, Extended X2, Extended Y2) {
  const Extended x1 = MapX(X1), y1 = MapY(Y1), x2 = MapX(X2), y2 = MapY(Y2);
  FPage->ShowImage(Index, std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1), 0);
}

void TEMWParser::FillLogicalRect(Integer X, Integer Y, Integer W, Integer H, COLORREF Color) {
  ApplyFill(Color);
  FPage->NewPath();
  FPage->Rectangle(MapX(X), MapY(Y), MapX(static_cast<Extended>(X) + W), MapY(static_cast<Extended>(Y) + H));
  FPage->Fill();
}

// The destination is placed by the record's destination rectangle, in logical units: it is
// exact, where the bounds are whole pixels (and logical ones in some recorders).
void TEMWParser::DoStretchDIBits() {
  const LONG x = Field<LONG>(24), y = Field<LONG>(28);
  const Integer index =
      AddBitmap(Field<DWORD>(48), Field<DWORD>(52), Field<DWORD>(56), Field<DWORD>(60), Field<LONG>(32),
                Field<LONG>(36), Field<LONG>(40), Field<LONG>(44), Field<DWORD>(64), Field<DWORD>(68), true, 0, 0);
  if (index < 0) return;
  PlaceImage(index, x, y, static_cast<Extended>(x) + Field<LONG>(72), static_cast<Extended>(y) + Field<LONG>(76));
}

void TEMWParser::DoSetDIBitsToDevice() {
  const LONG x = Field<LONG>(24), y = Field<LONG>(28);
  const LONG width = Field<LONG>(40), height = Field<LONG>(44);
  const Integer index =
      AddBitmap(Field<DWORD>(48), Field<DWORD>(52), Field<DWORD>(56), Field<DWORD>(60), Field<LONG>(32),
                Field<LONG>(36), width, height, Field<DWORD>(64), SRCCOPY, false, Field<DWORD>(68), Field<DWORD>(72));
  if (index < 0) return;
  // The origin is a logical point, the size device pixels.
  FPage->ShowImage(index, MapX(x), MapY(y), DeviceValue(width), DeviceValue(height), 0);
}

void TEMWParser::DoStretchBlt() {
  const LONG x = Field<LONG>(24), y = Field<LONG>(28), w = Field<LONG>(32), h = Field<LONG>(36);
  const LONG srcW = Field<LONG>(100), srcH = Field<LONG>(104);
  if (srcW == 0 || srcH == 0 || Field<DWORD>(88) == 0) {
    // A raster operation without a bitmap fills the destination with the brush.
    if (!FNullBrush) FillLogicalRect(x, y, w, h, FBrushColor);
    return;
  }
  const Integer index = AddBitmap(Field<DWORD>(84), Field<DWORD>(88), Field<DWORD>(92), Field<DWORD>(96),
                                  Field<LONG>(44), Field<LONG>(48), srcW, srcH, Field<DWORD>(80), Field<DWORD>(40), true, 0, 0);
  if (index >= 0) PlaceImage(index, x, y, static_cast<Extended>(x) + w, static_cast<Extended>(y) + h);
}

void TEMWParser::DoBitBlt() {
  const LONG x = Field<LONG>(24), y = Field<LONG>(28), w = Field<LONG>(32), h = Field<LONG>(36);
  const DWORD rop = Field<DWORD>(40);
  // Images and fills may not stand inside a text object: it is closed around them.
  const bool wasInText = FInText;
  if (wasInText) CloseTextObject();
  if (Field<DWORD>(88) != 0) {
    // A block copied from a bitmap keeps its size.
    const Integer index = AddBitmap(Field<DWORD>(84), Field<DWORD>(88), Field<DWORD>(92), Field<DWORD>(96),
                                    Field<LONG>(44), Field<LONG>(48), w, h, Field<DWORD>(80), rop, true, 0, 0);
    if (index >= 0) PlaceImage(index, x, y, static_cast<Extended>(x) + w, static_cast<Extended>(y) + h);
  } else if (rop == BLACKNESS) {
    FillLogicalRect(x, y, w, h, 0);
  } else if (rop == WHITENESS) {
    FillLogicalRect(x, y, w, h, 0xFFFFFF);
  } else if (!FNullBrush) {
    // PatBlt and the brush fills built on it (FillRect): the brush's colour.
    FillLogicalRect(x, y, w, h, FBrushColor);
  }
  if (wasInText) OpenTextObject();
}
