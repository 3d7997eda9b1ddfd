// Structural checks of Windows and enhanced metafiles.
#include "classlib/MetafileChecks.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>

#include "classlib/WinApi.h"

namespace {

Word ReadWord(const Byte* At) { return static_cast<Word>(At[0] | (At[1] << 8)); }

DWORD ReadDword(const Byte* At) {
  return static_cast<DWORD>(At[0] | (At[1] << 8) | (At[2] << 16) | (static_cast<DWORD>(At[3]) << 24));
}

// Whether Count bytes from Offset lie within Size bytes.
bool Within(Int64 Offset, Int64 Count, Int64 Size) {
  return Offset >= 0 && Count >= 0 && Offset <= Size && Count <= Size - Offset;
}

// The sizes of a device-independent bitmap: its header with the colour table, and its pixels.
struct DIBSizes {
  Int64 Info = 0;
  Int64 Bits = 0;
};

// Measures the bitmap whose header starts at Dib, Size bytes being there to read. With
// PaletteIndexes the colour table holds 16-bit indexes into the selected palette. Lines, when
// not negative, limits the rows the pixels hold (a bitmap set to a device a band at a time).
// False when the header is not one of a bitmap.
bool MeasureDIB(const Byte* Dib, std::size_t Size, bool PaletteIndexes, DIBSizes& Out, Int64 Lines = -1) {
  if (Size < 4) return false;
  const DWORD headerSize = ReadDword(Dib);
  Int64 width, height;
  DWORD bitCount, compression = BI_RGB, imageSize = 0;
  Int64 colors = 0;
  if (headerSize == sizeof(BITMAPCOREHEADER)) {
    if (Size < sizeof(BITMAPCOREHEADER)) return false;
    BITMAPCOREHEADER core;
    std::memcpy(&core, Dib, sizeof core);
    width = core.bcWidth;
    height = core.bcHeight;
    bitCount = core.bcBitCount;
    if (bitCount <= 8) colors = Int64{1} << bitCount;
    colors *= PaletteIndexes ? sizeof(Word) : sizeof(RGBTRIPLE);
  } else {
    if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > Size) return false;
    BITMAPINFOHEADER info;
    std::memcpy(&info, Dib, sizeof info);
    width = info.biWidth;
    height = info.biHeight;
    bitCount = info.biBitCount;
    compression = info.biCompression;
    imageSize = info.biSizeImage;
    DWORD used = info.biClrUsed;
    if (used == 0 && bitCount <= 8) used = 1u << bitCount;
    if (used > 256) return false;
    colors = Int64{used} * (PaletteIndexes ? sizeof(Word) : sizeof(RGBQUAD));
    if (headerSize == sizeof(BITMAPINFOHEADER) && compression == BI_BITFIELDS) colors += 12;
  }
  if (width <= 0 || height == 0 || bitCount == 0 || bitCount > 32) return false;
  Out.Info = Int64{headerSize} + colors;
  if (compression == BI_RGB || compression == BI_BITFIELDS) {
    const Int64 stride = (width * bitCount + 31) / 32 * 4;
    Int64 rows = height < 0 ? -height : height;
    if (Lines >= 0) rows = std::min(rows, Lines);
    if (rows > std::numeric_limits<Int64>::max() / stride) return false;
    Out.Bits = stride * rows;
  } else {
    Out.Bits = imageSize;
  }
  return true;
}

// Whether a bitmap (header, colours and pixels, one after the other) lies within Size bytes.
bool IsWholeDIB(const Byte* Dib, std::size_t Size) {
  DIBSizes sizes;
  return MeasureDIB(Dib, Size, false, sizes) && sizes.Info + sizes.Bits <= static_cast<Int64>(Size);
}

// --- Enhanced metafiles ----------------------------------------------------------------------

constexpr DWORD kStockObject = 0x80000000;  // an object number that names a stock object

// The bytes the fixed part of a record of the kind takes; records with lists after their fixed
// part are measured up to the list. 8 (the type and size) for kinds with nothing to check.
std::size_t FixedSize(DWORD Type) {
  switch (Type) {
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
      return offsetof(EMRPOLYLINE, aptl);
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
      return offsetof(EMRPOLYLINE16, apts);
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
      return offsetof(EMRPOLYPOLYLINE, aPolyCounts);
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
      return offsetof(EMRPOLYPOLYLINE16, aPolyCounts);
    case EMR_POLYDRAW: return offsetof(EMRPOLYDRAW, aptl);
    case EMR_POLYDRAW16: return offsetof(EMRPOLYDRAW16, apts);
    case EMR_SETWINDOWEXTEX:
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTEXTEX:
    case EMR_SETVIEWPORTORGEX:
    case EMR_SETBRUSHORGEX:
    case EMR_MOVETOEX:
    case EMR_LINETO:
      return sizeof(EMRLINETO);
    case EMR_EOF: return sizeof(EMREOF);
    case EMR_SETPIXELV: return sizeof(EMRSETPIXELV);
    case EMR_SETMAPPERFLAGS:
    case EMR_SETMAPMODE:
    case EMR_SETBKMODE:
    case EMR_SETPOLYFILLMODE:
    case EMR_SETROP2:
    case EMR_SETSTRETCHBLTMODE:
    case EMR_SETTEXTALIGN:
    case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR:
    case EMR_RESTOREDC:
    case EMR_SETARCDIRECTION:
    case EMR_SETMITERLIMIT:
    case EMR_SELECTCLIPPATH:
    case EMR_SETICMMODE:
    case EMR_SETLAYOUT:
    case EMR_SELECTOBJECT:
    case EMR_DELETEOBJECT:
    case EMR_SELECTPALETTE:
    case EMR_SETCOLORSPACE:
    case EMR_DELETECOLORSPACE:
      return sizeof(EMRSETMAPMODE);
    case EMR_SETCOLORADJUSTMENT: return sizeof(EMRSETCOLORADJUSTMENT);
    case EMR_OFFSETCLIPRGN: return sizeof(EMROFFSETCLIPRGN);
    case EMR_EXCLUDECLIPRECT:
    case EMR_INTERSECTCLIPRECT:
      return sizeof(EMREXCLUDECLIPRECT);
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX:
      return sizeof(EMRSCALEVIEWPORTEXTEX);
    case EMR_SETWORLDTRANSFORM: return sizeof(EMRSETWORLDTRANSFORM);
    case EMR_MODIFYWORLDTRANSFORM: return sizeof(EMRMODIFYWORLDTRANSFORM);
    case EMR_CREATEPEN: return sizeof(EMRCREATEPEN);
    case EMR_CREATEBRUSHINDIRECT: return sizeof(EMRCREATEBRUSHINDIRECT);
    case EMR_ANGLEARC: return sizeof(EMRANGLEARC);
    case EMR_ELLIPSE:
    case EMR_RECTANGLE:
      return sizeof(EMRRECTANGLE);
    case EMR_ROUNDRECT: return sizeof(EMRROUNDRECT);
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE:
    case EMR_ARCTO:
      return sizeof(EMRARC);
    case EMR_CREATEPALETTE: return offsetof(EMRCREATEPALETTE, lgpl.palPalEntry);
    case EMR_SETPALETTEENTRIES: return offsetof(EMRSETPALETTEENTRIES, aPalEntries);
    case EMR_RESIZEPALETTE: return sizeof(EMRRESIZEPALETTE);
    case EMR_EXTFLOODFILL: return sizeof(EMREXTFLOODFILL);
    case EMR_FILLPATH:
    case EMR_STROKEANDFILLPATH:
    case EMR_STROKEPATH:
      return sizeof(EMRFILLPATH);
    case EMR_GDICOMMENT: return offsetof(EMRGDICOMMENT, Data);
    case EMR_FILLRGN: return offsetof(EMRFILLRGN, RgnData);
    case EMR_FRAMERGN: return offsetof(EMRFRAMERGN, RgnData);
    case EMR_INVERTRGN:
    case EMR_PAINTRGN:
      return offsetof(EMRINVERTRGN, RgnData);
    case EMR_EXTSELECTCLIPRGN: return offsetof(EMREXTSELECTCLIPRGN, RgnData);
    case EMR_BITBLT: return sizeof(EMRBITBLT);
    case EMR_STRETCHBLT: return sizeof(EMRSTRETCHBLT);
    case EMR_MASKBLT: return sizeof(EMRMASKBLT);
    case EMR_PLGBLT: return sizeof(EMRPLGBLT);
    case EMR_SETDIBITSTODEVICE: return sizeof(EMRSETDIBITSTODEVICE);
    case EMR_STRETCHDIBITS: return sizeof(EMRSTRETCHDIBITS);
    case EMR_ALPHABLEND: return sizeof(EMRALPHABLEND);
    case EMR_TRANSPARENTBLT: return sizeof(EMRTRANSPARENTBLT);
    // The font record may carry the logical font alone, without the extended description.
    case EMR_EXTCREATEFONTINDIRECTW: return offsetof(EMREXTCREATEFONTINDIRECTW, elfw) + sizeof(LOGFONTW);
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
      return sizeof(EMREXTTEXTOUTW);
    case EMR_POLYTEXTOUTA:
    case EMR_POLYTEXTOUTW:
      return offsetof(EMRPOLYTEXTOUTW, aemrtext);
    case EMR_CREATEMONOBRUSH: return sizeof(EMRCREATEMONOBRUSH);
    case EMR_CREATEDIBPATTERNBRUSHPT: return sizeof(EMRCREATEDIBPATTERNBRUSHPT);
    case EMR_EXTCREATEPEN: return offsetof(EMREXTCREATEPEN, elp.elpStyleEntry);
    case EMR_CREATECOLORSPACE: return sizeof(EMRCREATECOLORSPACE);
    case EMR_CREATECOLORSPACEW: return offsetof(EMRCREATECOLORSPACEW, Data);
    case EMR_GRADIENTFILL: return offsetof(EMRGRADIENTFILL, Ver);
    default: return 8;
  }
}

// The checks of one record of N bytes (at least its fixed part) against an object table of
// Handles entries.
class RecordCheck {
public:
  RecordCheck(const Byte* Record, std::size_t N, DWORD Handles) : r_(Record), n_(N), handles_(Handles) {}

  DWORD At(std::size_t Offset) const { return ReadDword(r_ + Offset); }

  // Count items of ItemSize bytes from Offset lie inside the record.
  bool Fits(Int64 Offset, Int64 Count, Int64 ItemSize) const {
    return Count >= 0 && Count <= static_cast<Int64>(n_) / ItemSize && Within(Offset, Count * ItemSize, n_);
  }

  // An object made at the number at Offset: a slot of the table (slot 0 stands for the metafile).
  bool Made(std::size_t Offset) const { return At(Offset) >= 1 && At(Offset) < handles_; }
  // An object used by the number at Offset: a slot of the table, or a stock object when allowed.
  bool Used(std::size_t Offset, bool StockAllowed) const {
    const DWORD index = At(Offset);
    return (StockAllowed && (index & kStockObject)) || index < handles_;
  }

  // The bitmap whose header and colours (size at Offset + 4, start at Offset) and pixels (size at
  // Offset + 12, start at Offset + 8) the record carries; Usage says how its colours are given.
  // An optional bitmap may be absent (both header numbers 0).
  bool Bitmap(std::size_t Offset, DWORD Usage, bool Optional, Int64 Lines = -1) const {
    const DWORD offBmi = At(Offset), cbBmi = At(Offset + 4), offBits = At(Offset + 8), cbBits = At(Offset + 12);
    if (Optional && offBmi == 0 && cbBmi == 0) return true;
    if (!Within(offBmi, cbBmi, n_) || !Within(offBits, cbBits, n_)) return false;
    DIBSizes sizes;
    return MeasureDIB(r_ + offBmi, cbBmi, Usage == DIB_PAL_COLORS, sizes, Lines) && sizes.Info <= cbBmi &&
           sizes.Bits <= cbBits;
  }

  // The text at Offset (an EMRTEXT): its characters of CharSize bytes and its advances.
  bool Text(std::size_t Offset, Int64 CharSize) const {
    if (!Fits(Offset, 1, sizeof(EMRTEXT))) return false;
    const DWORD chars = At(Offset + offsetof(EMRTEXT, nChars));
    const DWORD offString = At(Offset + offsetof(EMRTEXT, offString));
    const DWORD options = At(Offset + offsetof(EMRTEXT, fOptions));
    const DWORD offDx = At(Offset + offsetof(EMRTEXT, offDx));
    if (!Fits(offString, chars, CharSize)) return false;
    // Advances are optional; with ETO_PDY each character has two.
    return offDx == 0 || Fits(offDx, chars, (options & ETO_PDY) ? 8 : 4);
  }

  // Region data of Bytes bytes at Offset: a header and the rectangles it counts. Empty data is
  // allowed only where the record may name no region.
  bool Region(std::size_t Offset, DWORD Bytes, bool EmptyAllowed) const {
    if (!Within(Offset, Bytes, n_)) return false;
    if (Bytes == 0) return EmptyAllowed;
    if (Bytes < sizeof(RGNDATAHEADER)) return false;
    const DWORD headerSize = At(Offset), rectangles = At(Offset + offsetof(RGNDATAHEADER, nCount));
    return headerSize >= sizeof(RGNDATAHEADER) && headerSize <= Bytes &&
           Int64{rectangles} <= (Bytes - headerSize) / Int64{sizeof(RECT)};
  }

  // A list of Count points of PointSize bytes at Offset, followed by TypeBytes bytes per point.
  bool Points(std::size_t Offset, DWORD Count, Int64 PointSize, Int64 TypeBytes = 0) const {
    return Fits(Offset, Count, PointSize + TypeBytes);
  }

  // A list of polygons: their count at 8 + 16, the points' count after it, then the polygons'
  // point counts and the points, whose number the counts must not pass.
  bool Polygons(Int64 PointSize) const {
    const DWORD polygons = At(24), points = At(28);
    if (!Fits(32, polygons, 4)) return false;
    Int64 counted = 0;
    for (DWORD i = 0; i < polygons; ++i) counted += At(32 + std::size_t{i} * 4);
    return counted <= points && Points(32 + std::size_t{polygons} * 4, points, PointSize);
  }

private:
  const Byte* r_;
  std::size_t n_;
  DWORD handles_;
};

// The places of the fields read by number below.
static_assert(offsetof(EMRPOLYLINE, cptl) == 24 && offsetof(EMRPOLYLINE, aptl) == 28);
static_assert(offsetof(EMRPOLYLINE16, cpts) == 24 && offsetof(EMRPOLYLINE16, apts) == 28);
static_assert(offsetof(EMRPOLYPOLYLINE, nPolys) == 24 && offsetof(EMRPOLYPOLYLINE, cptl) == 28 &&
              offsetof(EMRPOLYPOLYLINE, aPolyCounts) == 32 && offsetof(EMRPOLYPOLYLINE16, aPolyCounts) == 32);
static_assert(offsetof(EMRPOLYDRAW, aptl) == 28 && offsetof(EMRPOLYDRAW16, apts) == 28);
static_assert(offsetof(EMRSELECTOBJECT, ihObject) == 8 && offsetof(EMRCREATEPEN, ihPen) == 8 &&
              offsetof(EMRCREATEPALETTE, lgpl.palNumEntries) == 14 && offsetof(EMRCREATEPALETTE, lgpl.palPalEntry) == 16 &&
              offsetof(EMRSETPALETTEENTRIES, cEntries) == 16 && offsetof(EMRSETPALETTEENTRIES, aPalEntries) == 20);
static_assert(offsetof(EMREXTTEXTOUTW, emrtext) == 36 && offsetof(EMRPOLYTEXTOUTW, cStrings) == 36 &&
              offsetof(EMRPOLYTEXTOUTW, aemrtext) == 40);
static_assert(offsetof(EMRGDICOMMENT, cbData) == 8 && offsetof(EMRGDICOMMENT, Data) == 12);
static_assert(offsetof(EMREXTSELECTCLIPRGN, cbRgnData) == 8 && offsetof(EMREXTSELECTCLIPRGN, RgnData) == 16);
static_assert(offsetof(EMRFILLRGN, cbRgnData) == 24 && offsetof(EMRFILLRGN, ihBrush) == 28 &&
              offsetof(EMRFILLRGN, RgnData) == 32 && offsetof(EMRFRAMERGN, RgnData) == 40 &&
              offsetof(EMRINVERTRGN, cbRgnData) == 24 && offsetof(EMRINVERTRGN, RgnData) == 28);
static_assert(offsetof(EMRSTRETCHBLT, offBmiSrc) == offsetof(EMRBITBLT, offBmiSrc) &&
              offsetof(EMRALPHABLEND, offBmiSrc) == offsetof(EMRBITBLT, offBmiSrc) &&
              offsetof(EMRTRANSPARENTBLT, offBmiSrc) == offsetof(EMRBITBLT, offBmiSrc) &&
              offsetof(EMRALPHABLEND, iUsageSrc) == offsetof(EMRBITBLT, iUsageSrc) &&
              offsetof(EMRTRANSPARENTBLT, iUsageSrc) == offsetof(EMRBITBLT, iUsageSrc));
static_assert(offsetof(EMRGRADIENTFILL, nVer) == 24 && offsetof(EMRGRADIENTFILL, nTri) == 28 &&
              offsetof(EMRGRADIENTFILL, ulMode) == 32 && offsetof(EMRGRADIENTFILL, Ver) == 36);
static_assert(offsetof(EMREOF, nPalEntries) == 8 && offsetof(EMREOF, offPalEntries) == 12);

// Whether a record of N bytes of the type is whole, its object numbers within Handles.
bool IsWholeRecord(const Byte* Record, DWORD Type, std::size_t N, DWORD Handles) {
  if (N < FixedSize(Type)) return false;
  const RecordCheck c(Record, N, Handles);
  switch (Type) {
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
      return c.Points(28, c.At(24), sizeof(POINTL));
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
      return c.Points(28, c.At(24), sizeof(POINTS));
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
      return c.Polygons(sizeof(POINTL));
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
      return c.Polygons(sizeof(POINTS));
    case EMR_POLYDRAW: return c.Points(28, c.At(24), sizeof(POINTL), 1);
    case EMR_POLYDRAW16: return c.Points(28, c.At(24), sizeof(POINTS), 1);

    case EMR_SELECTOBJECT:
    case EMR_SELECTPALETTE:
      return c.Used(8, true);
    case EMR_DELETEOBJECT:
    case EMR_SETPALETTEENTRIES:
    case EMR_RESIZEPALETTE:
    case EMR_SETCOLORSPACE:
    case EMR_DELETECOLORSPACE:
      if (!c.Used(8, false)) return false;
      return Type != EMR_SETPALETTEENTRIES || c.Fits(20, c.At(16), sizeof(PALETTEENTRY));
    case EMR_CREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_CREATECOLORSPACE:
      return c.Made(8);
    case EMR_CREATECOLORSPACEW:
      return c.Made(8) && c.Fits(offsetof(EMRCREATECOLORSPACEW, Data), c.At(offsetof(EMRCREATECOLORSPACEW, cbData)), 1);
    case EMR_CREATEPALETTE:
      return c.Made(8) && c.Fits(16, ReadWord(Record + 14), sizeof(PALETTEENTRY));
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
      return c.Made(8) && c.Bitmap(offsetof(EMRCREATEMONOBRUSH, offBmi), c.At(offsetof(EMRCREATEMONOBRUSH, iUsage)), false);
    case EMR_EXTCREATEPEN:
      return c.Made(8) && c.Bitmap(offsetof(EMREXTCREATEPEN, offBmi), DIB_RGB_COLORS, true) &&
             c.Fits(offsetof(EMREXTCREATEPEN, elp.elpStyleEntry), c.At(offsetof(EMREXTCREATEPEN, elp.elpNumEntries)), 4);

    case EMR_EXTTEXTOUTA: return c.Text(36, 1);
    case EMR_EXTTEXTOUTW: return c.Text(36, 2);
    case EMR_POLYTEXTOUTA:
    case EMR_POLYTEXTOUTW: {
      const DWORD strings = c.At(36);
      if (!c.Fits(40, strings, sizeof(EMRTEXT))) return false;
      for (DWORD i = 0; i < strings; ++i)
        if (!c.Text(40 + std::size_t{i} * sizeof(EMRTEXT), Type == EMR_POLYTEXTOUTW ? 2 : 1)) return false;
      return true;
    }

    case EMR_GDICOMMENT: return c.Fits(12, c.At(8), 1);
    case EMR_EXTSELECTCLIPRGN: return c.Region(16, c.At(8), true);
    case EMR_FILLRGN:
    case EMR_FRAMERGN:
      return c.Used(28, false) && c.Region(Type == EMR_FILLRGN ? 32 : 40, c.At(24), false);
    case EMR_INVERTRGN:
    case EMR_PAINTRGN:
      return c.Region(28, c.At(24), false);

    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT:
      return c.Bitmap(offsetof(EMRBITBLT, offBmiSrc), c.At(offsetof(EMRBITBLT, iUsageSrc)), true);
    case EMR_MASKBLT:
      return c.Bitmap(offsetof(EMRMASKBLT, offBmiSrc), c.At(offsetof(EMRMASKBLT, iUsageSrc)), true) &&
             c.Bitmap(offsetof(EMRMASKBLT, offBmiMask), c.At(offsetof(EMRMASKBLT, iUsageMask)), true);
    case EMR_PLGBLT:
      return c.Bitmap(offsetof(EMRPLGBLT, offBmiSrc), c.At(offsetof(EMRPLGBLT, iUsageSrc)), true) &&
             c.Bitmap(offsetof(EMRPLGBLT, offBmiMask), c.At(offsetof(EMRPLGBLT, iUsageMask)), true);
    case EMR_SETDIBITSTODEVICE:
      return c.Bitmap(offsetof(EMRSETDIBITSTODEVICE, offBmiSrc), c.At(offsetof(EMRSETDIBITSTODEVICE, iUsageSrc)),
                      false, c.At(offsetof(EMRSETDIBITSTODEVICE, cScans)));
    case EMR_STRETCHDIBITS:
      return c.Bitmap(offsetof(EMRSTRETCHDIBITS, offBmiSrc), c.At(offsetof(EMRSTRETCHDIBITS, iUsageSrc)), false);

    case EMR_GRADIENTFILL: {
      const DWORD vertices = c.At(24), shapes = c.At(28);
      const Int64 shapeSize = c.At(32) == GRADIENT_FILL_TRIANGLE ? sizeof(GRADIENT_TRIANGLE) : sizeof(GRADIENT_RECT);
      return c.Fits(36, vertices, sizeof(TRIVERTEX)) &&
             c.Fits(36 + Int64{vertices} * Int64{sizeof(TRIVERTEX)}, shapes, shapeSize);
    }
    default:
      return true;
  }
}

}  // namespace

bool IsWholeWindowsMetafile(const Byte* Data, std::size_t Size) {
  auto word = [Data](std::size_t At) { return ReadWord(Data + At); };
  auto dword = [Data](std::size_t At) { return ReadDword(Data + At); };
  constexpr std::size_t kHeaderSize = 18;
  if (Size < kHeaderSize) return false;
  const Word type = word(0);
  if ((type != 1 && type != 2) || word(2) != kHeaderSize / 2) return false;
  // The size the header states, in words, is what the system walks.
  const DWORD total = dword(6);
  if (total > Size / 2) return false;
  Size = static_cast<std::size_t>(total) * 2;
  const Word objects = word(10);  // the size of the table of objects records refer to
  constexpr DWORD kEmbeddedEMF = 0x43464D57;    // "WMFC"
  constexpr std::size_t kChunkHeaderSize = 34;  // the chunk fields before the EMF bytes
  std::size_t offset = kHeaderSize;
  for (;;) {
    if (offset == Size) return true;  // records that fill the data without a closing one
    if (Size - offset < 6) return false;
    const DWORD words = dword(offset);
    const Word function = word(offset + 4);
    if (words < 3 || words > (Size - offset) / 2) return false;
    if (function == 0) return true;
    // The record's parameters: N bytes from P.
    const std::size_t p = offset + 6;
    const std::size_t n = static_cast<std::size_t>(words) * 2 - 6;
    auto param = [&](std::size_t Index) { return Index * 2 + 2 <= n ? word(p + Index * 2) : Word(0); };
    auto dibAt = [&](std::size_t Words) { return Words * 2 <= n && IsWholeDIB(Data + p + Words * 2, n - Words * 2); };
    bool ok = true;
    switch (function) {
      case 0x0626:  // escape: a comment may carry a chunk of an enhanced metafile
        if (param(0) == 15 && n >= 8 && dword(p + 4) == kEmbeddedEMF)
          ok = n - 4 >= kChunkHeaderSize && dword(p + 4 + 22) <= n - 4 - kChunkHeaderSize;
        break;
      case 0x0324:  // polygon
      case 0x0325:  // polyline
        ok = 2 + std::size_t{param(0)} * 4 <= n;
        break;
      case 0x0538: {  // polypolygon
        const std::size_t polygons = param(0);
        ok = 2 + polygons * 2 <= n;
        std::size_t points = 0;
        for (std::size_t i = 0; ok && i < polygons; ++i) points += param(1 + i);
        ok = ok && 2 + polygons * 2 + points * 4 <= n;
        break;
      }
      case 0x0521:  // text out: count, text, position
        ok = 2 + (std::size_t{param(0)} + 1) / 2 * 2 + 4 <= n;
        break;
      case 0x0a32: {  // extended text out: position, count, options, [rectangle], text
        const std::size_t rect = (param(3) & (ETO_OPAQUE | ETO_CLIPPED)) ? 8 : 0;
        ok = 8 + rect + std::size_t{param(2)} <= n;
        break;
      }
      case 0x00f7:  // create palette
      case 0x0037:  // set palette entries
      case 0x0436:  // animate palette
        ok = 4 + std::size_t{param(1)} * 4 <= n;
        break;
      case 0x012d:  // select object
      case 0x01f0:  // delete object
      case 0x0234:  // select palette
      case 0x012c:  // select clip region
      case 0x012b:  // paint region
      case 0x012a:  // invert region
        ok = n >= 2 && param(0) < objects;
        break;
      case 0x0228:  // fill region
      case 0x0429:  // frame region
        ok = n >= 4 && param(0) < objects && param(1) < objects;
        break;
      case 0x0f43:  // stretch DIB
        ok = dibAt(11);
        break;
      case 0x0b41:  // DIB stretch blit (with a bitmap when the record is long enough)
        ok = words <= 12 || dibAt(10);
        break;
      case 0x0940:  // DIB bit blit
        ok = words <= 12 || dibAt(8);
        break;
      case 0x0d33:  // set DIB to device
        ok = dibAt(9);
        break;
      case 0x0142:  // DIB pattern brush
        ok = dibAt(2);
        break;
      case 0x06ff: {  // create region: ten words, then the scans
        std::size_t at = 20;
        for (std::size_t scan = 0; ok && scan < param(5); ++scan) {
          const std::size_t count = at + 2 <= n ? word(p + at) : 0;
          ok = at + 6 + count * 2 + 2 <= n;
          at += 6 + count * 2 + 2;
        }
        break;
      }
      default:
        break;
    }
    if (!ok) return false;
    offset += static_cast<std::size_t>(words) * 2;
  }
}

bool IsWholeEnhancedMetafile(const Byte* Data, std::size_t Size) {
  // The header fields up to the reference device's size in millimetres are always there.
  constexpr std::size_t kHeaderSize = offsetof(ENHMETAHEADER, cbPixelFormat);
  if (Size < kHeaderSize || ReadDword(Data) != EMR_HEADER) return false;
  ENHMETAHEADER header{};
  std::memcpy(&header, Data, kHeaderSize);
  if (header.dSignature != ENHMETA_SIGNATURE) return false;
  // The size the header states is what the system walks.
  if (header.nBytes > Size || header.nBytes % 4 != 0) return false;
  Size = header.nBytes;
  if (header.nSize < kHeaderSize || header.nSize % 4 != 0 || header.nSize > Size) return false;
  // The reference device maps the picture's units to the page: sizes of nothing divide by zero, and
  // Wine's drawing fails outright on sizes no device has (a reference device over 65 m wide).
  constexpr LONG kLargestDevice = 0x10000;
  for (LONG extent : {header.szlDevice.cx, header.szlDevice.cy, header.szlMillimeters.cx, header.szlMillimeters.cy})
    if (extent <= 0 || extent > kLargestDevice) return false;
  // Object numbers count from 1; slot 0 of the table stands for the metafile itself.
  const DWORD handles = header.nHandles;
  if (handles == 0) return false;
  if (header.nDescription != 0 && !Within(header.offDescription, Int64{header.nDescription} * 2, header.nSize))
    return false;
  if (header.nSize >= offsetof(ENHMETAHEADER, bOpenGL)) {
    const DWORD cbPixelFormat = ReadDword(Data + offsetof(ENHMETAHEADER, cbPixelFormat));
    const DWORD offPixelFormat = ReadDword(Data + offsetof(ENHMETAHEADER, offPixelFormat));
    if (cbPixelFormat != 0 && !Within(offPixelFormat, cbPixelFormat, header.nSize)) return false;
  }
  std::size_t offset = header.nSize;
  for (;;) {
    if (Size - offset < 8) return false;  // no closing record
    const Byte* record = Data + offset;
    const DWORD type = ReadDword(record), n = ReadDword(record + 4);
    if (n < 8 || n % 4 != 0 || n > Size - offset) return false;
    if (type == EMR_HEADER || !IsWholeRecord(record, type, n, handles)) return false;
    offset += n;
    if (type == EMR_EOF) {
      // The palette the closing record carries, of which the header counts the entries the
      // system hands out; nothing follows the closing record.
      const DWORD entries = ReadDword(record + 8), at = ReadDword(record + 12);
      if (entries != 0 && !Within(at, Int64{entries} * sizeof(PALETTEENTRY), n - 4)) return false;
      return header.nPalEntries <= entries && offset == Size;
    }
  }
}

bool IsWholeEnhancedMetafileRecord(const Byte* Record, std::size_t Size, DWORD Handles) {
  if (Size < 8) return false;
  const DWORD type = ReadDword(Record);
  return type != EMR_HEADER && IsWholeRecord(Record, type, Size, Handles);
}
