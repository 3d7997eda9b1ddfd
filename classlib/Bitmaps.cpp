// TBitmap: the image in its DIB section, pixel formats, drawing and transparency.
#include "classlib/Bitmaps.h"

#include <algorithm>
#include <unordered_map>

#include "classlib/SysUtils.h"

namespace {

// Clears the destination where the monochrome source is set (destination AND NOT source).
constexpr DWORD kRopDSna = 0x00220326;

RGBQUAD Quad(Byte r, Byte g, Byte b) { return RGBQUAD{b, g, r, 0}; }

bool SameColors(const std::vector<RGBQUAD>& a, const std::vector<RGBQUAD>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(RGBQUAD)) == 0;
}

const std::vector<RGBQUAD>& MonochromeColors() {
  static const std::vector<RGBQUAD> colors{Quad(0, 0, 0), Quad(255, 255, 255)};
  return colors;
}

// The 16 colours of the standard VGA palette, in their usual order.
const std::vector<RGBQUAD>& StandardColors16() {
  static const std::vector<RGBQUAD> colors{
      Quad(0, 0, 0),       Quad(128, 0, 0),   Quad(0, 128, 0),   Quad(128, 128, 0),
      Quad(0, 0, 128),     Quad(128, 0, 128), Quad(0, 128, 128), Quad(192, 192, 192),
      Quad(128, 128, 128), Quad(255, 0, 0),   Quad(0, 255, 0),   Quad(255, 255, 0),
      Quad(0, 0, 255),     Quad(255, 0, 255), Quad(0, 255, 255), Quad(255, 255, 255)};
  return colors;
}

// The halftone palette of the system: an even spread of colours for 8-bit images.
const std::vector<RGBQUAD>& HalftoneColors() {
  static const std::vector<RGBQUAD> colors = [] {
    WindowDC screen;
    UniqueGdiObject palette(::CreateHalftonePalette(screen));
    PALETTEENTRY entries[256] = {};
    const UINT n = palette ? ::GetPaletteEntries(static_cast<HPALETTE>(palette.get()), 0, 256, entries) : 0;
    std::vector<RGBQUAD> result(256, Quad(0, 0, 0));
    for (UINT i = 0; i < n && i < 256; ++i) result[i] = Quad(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
    if (n < 256) result[255] = Quad(255, 255, 255);
    return result;
  }();
  return colors;
}

TBitmap::Layout FormatFor(TPixelFormat pf) {
  TBitmap::Layout f;
  f.PixelFormat = pf;
  switch (pf) {
    case pfDevice: {
      static const Integer depth = [] {
        WindowDC screen;
        return ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
      }();
      if (depth <= 8) {
        f.BitCount = 8;
        f.Colors = HalftoneColors();
      } else if (depth == 16) {
        f.BitCount = 16;
        f.BitFields = true;
      } else {
        f.BitCount = depth == 24 ? 24 : 32;
      }
      break;
    }
    case pf1bit: f.BitCount = 1; f.Colors = MonochromeColors(); break;
    case pf4bit: f.BitCount = 4; f.Colors = StandardColors16(); break;
    case pf8bit: f.BitCount = 8; f.Colors = HalftoneColors(); break;
    case pf15bit: f.BitCount = 16; break;
    case pf16bit: f.BitCount = 16; f.BitFields = true; break;
    case pf24bit: f.BitCount = 24; break;
    case pf32bit: f.BitCount = 32; break;
    default: throw EInvalidGraphic("Invalid pixel format");
  }
  return f;
}

TPixelFormat PixelFormatOf(Integer bitCount, bool bitFields) {
  switch (bitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return bitFields ? pf16bit : pf15bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: return pfCustom;
  }
}

constexpr DWORD kMasks565[3] = {0xF800, 0x07E0, 0x001F};

std::vector<Byte> MakeInfo(Integer width, Integer height, const TBitmap::Layout& f) {
  const std::size_t extra = f.BitCount <= 8 ? f.Colors.size() * sizeof(RGBQUAD) : f.BitFields ? sizeof kMasks565 : 0;
  std::vector<Byte> info(sizeof(BITMAPINFOHEADER) + extra);
  auto* h = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  h->biSize = sizeof(BITMAPINFOHEADER);
  h->biWidth = width;
  h->biHeight = height;
  h->biPlanes = 1;
  h->biBitCount = static_cast<WORD>(f.BitCount);
  h->biCompression = f.BitFields ? BI_BITFIELDS : BI_RGB;
  h->biSizeImage = static_cast<DWORD>(((width * f.BitCount + 31) / 32) * 4 * height);
  if (f.BitCount <= 8) {
    h->biClrUsed = static_cast<DWORD>(f.Colors.size());
    std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), f.Colors.data(), extra);
  } else if (f.BitFields) {
    std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), kMasks565, sizeof kMasks565);
  }
  return info;
}

// A memory context holding a bitmap for the lifetime of the object.
class BitmapContext {
public:
  explicit BitmapContext(HBITMAP bitmap) : dc_(::CreateCompatibleDC(nullptr)) {
    if (!dc_) GDIError();
    old_ = ::SelectObject(dc_.get(), bitmap);
  }
  ~BitmapContext() {
    if (old_) ::SelectObject(dc_.get(), old_);
  }
  BitmapContext(const BitmapContext&) = delete;
  BitmapContext& operator=(const BitmapContext&) = delete;
  HDC get() const { return dc_.get(); }

private:
  UniqueMemoryDC dc_;
  HGDIOBJ old_ = nullptr;
};

// The nearest colour of a colour table: exact colours directly, others through a cache of the
// colour cube at 5 bits per channel.
class NearestColor {
public:
  explicit NearestColor(const std::vector<RGBQUAD>& table) : table_(table), cache_(32768, -1) {
    for (std::size_t i = table.size(); i-- > 0;) exact_[Key(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue)] = Byte(i);
  }
  Byte Find(Byte r, Byte g, Byte b) {
    auto it = exact_.find(Key(r, g, b));
    if (it != exact_.end()) return it->second;
    int& slot = cache_[((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)];
    if (slot < 0) slot = Search(r, g, b);
    return Byte(slot);
  }

private:
  static std::uint32_t Key(Byte r, Byte g, Byte b) { return (std::uint32_t(r) << 16) | (g << 8) | b; }
  int Search(int r, int g, int b) const {
    int best = 0;
    long bestDistance = 0x7FFFFFFF;
    for (std::size_t i = 0; i < table_.size(); ++i) {
      const long dr = r - table_[i].rgbRed, dg = g - table_[i].rgbGreen, db = b - table_[i].rgbBlue;
      const long d = dr * dr + dg * dg + db * db;
      if (d < bestDistance) {
        bestDistance = d;
        best = static_cast<int>(i);
      }
    }
    return best;
  }
  const std::vector<RGBQUAD>& table_;
  std::vector<int> cache_;
  std::unordered_map<std::uint32_t, Byte> exact_;
};

// Writes 32-bit BGRX pixels (top row first) into DIB rows of another format (bottom-up).
void PackPixels(const std::vector<std::uint32_t>& pixels, Integer width, Integer height, const TBitmap::Layout& f,
                Byte* bits) {
  const Integer stride = ((width * f.BitCount + 31) / 32) * 4;
  std::unique_ptr<NearestColor> nearest;
  if (f.BitCount <= 8) nearest = std::make_unique<NearestColor>(f.Colors);
  for (Integer y = 0; y < height; ++y) {
    Byte* row = bits + std::size_t(height - 1 - y) * stride;
    std::memset(row, 0, stride);
    const std::uint32_t* src = pixels.data() + std::size_t(y) * width;
    for (Integer x = 0; x < width; ++x) {
      const std::uint32_t p = src[x];
      const Byte b = Byte(p), g = Byte(p >> 8), r = Byte(p >> 16);
      switch (f.BitCount) {
        case 1:
          if (nearest->Find(r, g, b)) row[x >> 3] |= Byte(0x80 >> (x & 7));
          break;
        case 4: row[x >> 1] |= Byte(nearest->Find(r, g, b) << ((x & 1) ? 0 : 4)); break;
        case 8: row[x] = nearest->Find(r, g, b); break;
        case 16: {
          const Word w = f.BitFields ? Word(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))
                                     : Word(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
          row[2 * x] = Byte(w);
          row[2 * x + 1] = Byte(w >> 8);
          break;
        }
        case 24:
          row[3 * x] = b;
          row[3 * x + 1] = g;
          row[3 * x + 2] = r;
          break;
        default: std::memcpy(row + 4 * x, &p, 4); break;
      }
    }
  }
}

HPALETTE PaletteFromColors(const std::vector<RGBQUAD>& colors) {
  std::vector<Byte> buffer(sizeof(LOGPALETTE) + colors.size() * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(colors.size());
  for (std::size_t i = 0; i < colors.size(); ++i)
    lp->palPalEntry[i] = PALETTEENTRY{colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
  return ::CreatePalette(lp);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TBitmapCanvas

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
  if (!dc) GDIError();
  FBitmap->HandleNeeded();
  if (FBitmap->FHandle) FOldBitmap = ::SelectObject(dc.get(), FBitmap->FHandle);
  SetHandle(dc.release());
}

void TBitmapCanvas::Changed() {
  inherited::Changed();
  FBitmap->Changed(FBitmap);
}

void TBitmapCanvas::SelectBitmap(HBITMAP Handle) {
  if (!FHandle) return;
  if (Handle) {
    HGDIOBJ previous = ::SelectObject(FHandle, Handle);
    if (!FOldBitmap) FOldBitmap = previous;
  } else if (FOldBitmap) {
    ::SelectObject(FHandle, FOldBitmap);
    FOldBitmap = nullptr;
  }
}

void TBitmapCanvas::FreeContext() {
  if (!FHandle) return;
  HDC dc = FHandle;
  SetHandle(nullptr);
  if (FOldBitmap) ::SelectObject(dc, FOldBitmap);
  FOldBitmap = nullptr;
  ::DeleteDC(dc);
}

// ---------------------------------------------------------------------------------------------
// TBitmap

TBitmap::TBitmap() {
  const Layout f = FormatFor(pfDevice);
  FBitCount = f.BitCount;
  FColors = f.Colors;
  FBitFields = f.BitFields;
}

TBitmap::~TBitmap() {
  delete FCanvas;
  FCanvas = nullptr;
  DropImage();
  if (FPalette) ::DeleteObject(FPalette);
}

TBitmap::Layout TBitmap::CurrentFormat() const {
  Layout f;
  f.BitCount = FBitCount;
  f.PixelFormat = FPixelFormat;
  f.Colors = FColors;
  f.BitFields = FBitFields;
  return f;
}

const BITMAPINFO* TBitmap::Info() {
  if (FInfo.empty()) FInfo = MakeInfo(FWidth, FHeight, CurrentFormat());
  return reinterpret_cast<const BITMAPINFO*>(FInfo.data());
}

void TBitmap::InvalidateMasks() {
  FMask.reset();
  FMaskedImage.reset();
  FMaskColor = clNone;
}

void TBitmap::InstallHandle(HBITMAP handle, void* bits) {
  HBITMAP old = FHandle;
  FHandle = handle;
  FBits = bits;
  FInfo.clear();
  InvalidateMasks();
  if (FCanvas) FCanvas->SelectBitmap(handle);
  if (old && old != handle) ::DeleteObject(old);
}

void TBitmap::DropImage() {
  InvalidateMasks();
  if (FCanvas) FCanvas->SelectBitmap(nullptr);
  if (FHandle) ::DeleteObject(FHandle);
  FHandle = nullptr;
  FBits = nullptr;
  FDDB = false;
  FInfo.clear();
}

void TBitmap::Clear() {
  DropImage();
  FWidth = FHeight = 0;
}

void TBitmap::NewImage(Integer AWidth, Integer AHeight, const Layout& format, bool copyPixels) {
  const std::vector<Byte> info = MakeInfo(AWidth, AHeight, format);
  void* bits = nullptr;
  UniqueGdiObject section(
      ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section) GDIError();
  {
    BitmapContext target(static_cast<HBITMAP>(section.get()));
    const RECT all{0, 0, AWidth, AHeight};
    // New pixels take the canvas's brush, white unless the caller changed it.
    ::FillRect(target.get(), &all, FCanvas ? FCanvas->GetBrush()->GetHandle() : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (copyPixels && FHandle) {
      const int w = std::min(AWidth, FWidth), h = std::min(AHeight, FHeight);
      if (FCanvas && FCanvas->HandleAllocated()) {
        ::BitBlt(target.get(), 0, 0, w, h, FCanvas->FHandle, 0, 0, SRCCOPY);
      } else {
        BitmapContext source(FHandle);
        ::BitBlt(target.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);
      }
    }
  }
  FWidth = AWidth;
  FHeight = AHeight;
  FBitCount = format.BitCount;
  FColors = format.Colors;
  FBitFields = format.BitFields;
  FPixelFormat = format.PixelFormat;
  FDDB = false;
  InstallHandle(static_cast<HBITMAP>(section.release()), bits);
}

void TBitmap::HandleNeeded() {
  if (!FHandle && !GetEmpty()) NewImage(FWidth, FHeight, CurrentFormat(), false);
}

TCanvas* TBitmap::GetCanvas() {
  if (!FCanvas) {
    HandleNeeded();
    FCanvas = new TBitmapCanvas(this);
  }
  return FCanvas;
}

HBITMAP TBitmap::GetHandle() {
  // A bitmap can be selected into one context only: the caller may want to select it, so the
  // canvas gives its context up (it makes a new one when drawn on again).
  if (FCanvas && FCanvas->GetLockCount() == 0) FCanvas->FreeContext();
  HandleNeeded();
  return FHandle;
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value == FHandle) return;
  if (!Value) {
    Clear();
    Changed(this);
    return;
  }
  DIBSECTION ds{};
  const int size = ::GetObjectA(Value, sizeof ds, &ds);
  if (size == sizeof(DIBSECTION) && ds.dsBm.bmBits && ds.dsBmih.biHeight > 0 &&
      (ds.dsBmih.biCompression == BI_RGB ||
       (ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBmih.biBitCount == 16 && ds.dsBitfields[0] == kMasks565[0] &&
        ds.dsBitfields[1] == kMasks565[1] && ds.dsBitfields[2] == kMasks565[2]))) {
    FWidth = ds.dsBm.bmWidth;
    FHeight = ds.dsBmih.biHeight;
    FBitCount = ds.dsBmih.biBitCount;
    FBitFields = ds.dsBmih.biCompression == BI_BITFIELDS;
    FColors.clear();
    if (FBitCount <= 8) {
      RGBQUAD table[256];
      BitmapContext dc(Value);
      const UINT n = ::GetDIBColorTable(dc.get(), 0, 1u << FBitCount, table);
      FColors.assign(table, table + n);
      FColors.resize(std::size_t(1) << FBitCount, Quad(0, 0, 0));
    }
    FPixelFormat = PixelFormatOf(FBitCount, FBitFields);
    FDDB = false;
    InstallHandle(Value, ds.dsBm.bmBits);
  } else if (size >= static_cast<int>(sizeof(BITMAP))) {
    // A device-dependent bitmap, or a DIB section of a layout the rows cannot serve directly
    // (top-down, unusual masks): kept as it is and drawn through a context; ScanLine and
    // saving convert it first.
    BITMAP bm{};
    ::GetObjectA(Value, sizeof bm, &bm);
    FWidth = bm.bmWidth;
    FHeight = bm.bmHeight;
    FBitCount = bm.bmBitsPixel * bm.bmPlanes;
    FBitFields = false;
    FColors = FBitCount == 1 ? MonochromeColors() : std::vector<RGBQUAD>();
    FPixelFormat = FBitCount == 1 ? pf1bit : pfDevice;
    InstallHandle(Value, nullptr);
    FDDB = true;
  } else {
    throw EInvalidGraphic("Bitmap image is not valid");
  }
  if (FPalette) {
    ::DeleteObject(FPalette);
    FPalette = nullptr;
  }
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  HandleNeeded();
  HBITMAP result = FHandle;
  InvalidateMasks();
  if (FCanvas) FCanvas->SelectBitmap(nullptr);
  FHandle = nullptr;
  FBits = nullptr;
  FInfo.clear();
  if (FDDB) {
    FDDB = false;
    const Layout f = FormatFor(FBitCount == 1 ? pf1bit : pfDevice);
    FBitCount = f.BitCount;
    FColors = f.Colors;
    FBitFields = f.BitFields;
  }
  return result;
}

void TBitmap::SetHandleType(TBitmapHandleType Value) {
  if (Value == GetHandleType() || GetEmpty()) return;
  HandleNeeded();
  if (Value == bmDIB) {
    NewImage(FWidth, FHeight, FormatFor(FBitCount == 1 ? pf1bit : pfDevice), true);
  } else {
    WindowDC screen;
    UniqueGdiObject ddb(FBitCount == 1 ? ::CreateBitmap(FWidth, FHeight, 1, 1, nullptr)
                                       : ::CreateCompatibleBitmap(screen, FWidth, FHeight));
    if (!ddb) GDIError();
    {
      BitmapContext target(static_cast<HBITMAP>(ddb.get()));
      ::GdiFlush();
      ::StretchDIBits(target.get(), 0, 0, FWidth, FHeight, 0, 0, FWidth, FHeight, FBits, Info(), DIB_RGB_COLORS,
                      SRCCOPY);
    }
    InstallHandle(static_cast<HBITMAP>(ddb.release()), nullptr);
    FDDB = true;
    FPixelFormat = FBitCount == 1 ? pf1bit : pfDevice;
  }
  Changed(this);
}

void TBitmap::SetSize(Integer AWidth, Integer AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == FWidth && AHeight == FHeight) return;
  if (AWidth > 0 && AHeight > 0) {
    Layout f = FDDB ? FormatFor(FBitCount == 1 ? pf1bit : pfDevice) : CurrentFormat();
    if (FDDB) f.PixelFormat = FPixelFormat;
    NewImage(AWidth, AHeight, f, true);
  } else {
    DropImage();
    FWidth = AWidth;
    FHeight = AHeight;
  }
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat && !FDDB) return;
  const Layout f = FormatFor(Value);
  if (GetEmpty() || !FHandle) {
    FBitCount = f.BitCount;
    FColors = f.Colors;
    FBitFields = f.BitFields;
    FPixelFormat = Value;
    FInfo.clear();
  } else if (!FDDB && f.BitCount == FBitCount && f.BitFields == FBitFields && (f.BitCount > 8 || SameColors(f.Colors, FColors))) {
    FPixelFormat = Value;
  } else {
    // Read every pixel as 32-bit colour and write it in the new format.
    std::vector<std::uint32_t> pixels(std::size_t(FWidth) * FHeight);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = FWidth;
    bi.bmiHeader.biHeight = -FHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    if (FCanvas) FCanvas->SelectBitmap(nullptr);
    ::GdiFlush();
    {
      WindowDC screen;
      ::GetDIBits(screen, FHandle, 0, static_cast<UINT>(FHeight), pixels.data(), &bi, DIB_RGB_COLORS);
    }
    const std::vector<Byte> info = MakeInfo(FWidth, FHeight, f);
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                         &bits, nullptr, 0);
    if (!section) {
      if (FCanvas) FCanvas->SelectBitmap(FHandle);
      GDIError();
    }
    PackPixels(pixels, FWidth, FHeight, f, static_cast<Byte*>(bits));
    FBitCount = f.BitCount;
    FColors = f.Colors;
    FBitFields = f.BitFields;
    FPixelFormat = Value;
    FDDB = false;
    InstallHandle(section, bits);
  }
  if (FPalette) {
    ::DeleteObject(FPalette);
    FPalette = nullptr;
  }
  Changed(this);
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value == GetMonochrome()) return;
  SetPixelFormat(Value ? pf1bit : pfDevice);
}

HPALETTE TBitmap::GetPalette() {
  if (!FPalette && FBitCount <= 8 && !FColors.empty()) FPalette = PaletteFromColors(FColors);
  return FPalette;
}

void TBitmap::SetPalette(HPALETTE Value) {
  if (Value == FPalette) return;
  if (FPalette) ::DeleteObject(FPalette);
  FPalette = Value;
  if (Value && FBitCount <= 8) {
    PALETTEENTRY entries[256] = {};
    const UINT n = ::GetPaletteEntries(Value, 0, 1u << FBitCount, entries);
    for (UINT i = 0; i < n && i < FColors.size(); ++i)
      FColors[i] = Quad(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
    if (FHandle && !FDDB) {
      // The bitmap can be selected into one context only: the canvas's, if it has one.
      if (FCanvas) FCanvas->SelectBitmap(nullptr);
      {
        BitmapContext dc(FHandle);
        ::SetDIBColorTable(dc.get(), 0, static_cast<UINT>(FColors.size()), FColors.data());
      }
      if (FCanvas) FCanvas->SelectBitmap(FHandle);
    }
    FInfo.clear();
  }
  PaletteModified = true;
  Changed(this);
}

void* TBitmap::GetScanLine(Integer Row) {
  if (Row < 0 || Row >= FHeight) throw EInvalidGraphicOperation("Scan line index out of range");
  if (FDDB) SetHandleType(bmDIB);
  HandleNeeded();
  ::GdiFlush();
  // The caller may change pixels through the pointer.
  InvalidateMasks();
  return static_cast<Byte*>(FBits) + std::size_t(FHeight - 1 - Row) * Stride();
}

TColor TBitmap::GetTransparentColor() {
  TColor result;
  if (FTransparentColor == clDefault) {
    if (GetMonochrome())
      result = clWhite;
    else
      result = GetCanvas()->GetPixels(0, FHeight - 1);
  } else {
    result = ColorToRGB(FTransparentColor);
  }
  return result | 0x02000000;
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto)
    SetTransparentColor(clDefault);
  else
    SetTransparentColor(GetTransparentColor());
}

void TBitmap::Changed(TObject* Sender) {
  InvalidateMasks();
  inherited::Changed(Sender);
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    Clear();
    Changed(this);
    return;
  }
  auto* source = dynamic_cast<TBitmap*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  if (source == this) return;
  FTransparent = source->FTransparent;
  FTransparentColor = source->FTransparentColor;
  FTransparentMode = source->FTransparentMode;
  FXPelsPerMeter = source->FXPelsPerMeter;
  FYPelsPerMeter = source->FYPelsPerMeter;
  FClrUsed = source->FClrUsed;
  FClrImportant = source->FClrImportant;
  if (FPalette) ::DeleteObject(FPalette);
  FPalette = CopyPalette(source->FPalette);
  if (source->GetEmpty() || !source->FHandle) {
    DropImage();
    FWidth = source->FWidth;
    FHeight = source->FHeight;
    FBitCount = source->FBitCount;
    FColors = source->FColors;
    FBitFields = source->FBitFields;
    FPixelFormat = source->FPixelFormat;
  } else if (source->FDDB) {
    HBITMAP copy = static_cast<HBITMAP>(::CopyImage(source->FHandle, IMAGE_BITMAP, 0, 0, 0));
    if (!copy) GDIError();
    FWidth = source->FWidth;
    FHeight = source->FHeight;
    FBitCount = source->FBitCount;
    FColors = source->FColors;
    FBitFields = false;
    FPixelFormat = source->FPixelFormat;
    InstallHandle(copy, nullptr);
    FDDB = true;
  } else {
    const Layout f = source->CurrentFormat();
    const std::vector<Byte> info = MakeInfo(source->FWidth, source->FHeight, f);
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                         &bits, nullptr, 0);
    if (!section) GDIError();
    ::GdiFlush();
    std::memcpy(bits, source->FBits, std::size_t(source->Stride()) * source->FHeight);
    FWidth = source->FWidth;
    FHeight = source->FHeight;
    FBitCount = f.BitCount;
    FColors = f.Colors;
    FBitFields = f.BitFields;
    FPixelFormat = f.PixelFormat;
    FDDB = false;
    InstallHandle(section, bits);
  }
  Changed(this);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (GetEmpty()) return;
  HandleNeeded();
  HDC dc = ACanvas->FHandle;
  ::GdiFlush();
  const bool stretched = Rect.Width() != FWidth || Rect.Height() != FHeight;
  // Shrinking in the default mode would AND pixels together.
  if (stretched && ::GetStretchBltMode(dc) != COLORONCOLOR) ::SetStretchBltMode(dc, COLORONCOLOR);
  if (GetTransparent()) {
    DrawTransparent(dc, Rect);
  } else if (FDDB) {
    if (FCanvas && FCanvas->HandleAllocated()) {
      ::StretchBlt(dc, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), FCanvas->FHandle, 0, 0, FWidth, FHeight,
                   static_cast<DWORD>(ACanvas->CopyMode));
    } else {
      BitmapContext source(FHandle);
      ::StretchBlt(dc, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), source.get(), 0, 0, FWidth, FHeight,
                   static_cast<DWORD>(ACanvas->CopyMode));
    }
  } else {
    ::StretchDIBits(dc, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), 0, 0, FWidth, FHeight, FBits, Info(),
                    DIB_RGB_COLORS, static_cast<DWORD>(ACanvas->CopyMode));
  }
}

// Transparent drawing in two stretched copies, which a metafile records with their pixels: a
// mask (set where the picture is transparent) ANDed onto the destination, then the picture with
// its transparent pixels made black ORed onto it.
void TBitmap::DrawTransparent(HDC dc, const TRect& Rect) {
  const COLORREF transparent = static_cast<COLORREF>(GetTransparentColor() & 0xFFFFFF);
  if (!FMask || FMaskColor != static_cast<TColor>(transparent)) {
    InvalidateMasks();
    UniqueGdiObject mask(::CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
    WindowDC screen;
    UniqueGdiObject masked(::CreateCompatibleBitmap(screen, FWidth, FHeight));
    if (!mask || !masked) GDIError();
    const bool ownContext = !(FCanvas && FCanvas->HandleAllocated());
    std::unique_ptr<BitmapContext> temporary;
    if (ownContext) temporary = std::make_unique<BitmapContext>(FHandle);
    HDC source = ownContext ? temporary->get() : FCanvas->FHandle;
    BitmapContext maskDC(static_cast<HBITMAP>(mask.get()));
    BitmapContext maskedDC(static_cast<HBITMAP>(masked.get()));
    // Colour to monochrome sets the pixels equal to the source's background colour.
    const COLORREF oldBack = ::SetBkColor(source, transparent);
    ::BitBlt(maskDC.get(), 0, 0, FWidth, FHeight, source, 0, 0, SRCCOPY);
    ::SetBkColor(source, oldBack);
    ::BitBlt(maskedDC.get(), 0, 0, FWidth, FHeight, source, 0, 0, SRCCOPY);
    ::SetTextColor(maskedDC.get(), RGB(0, 0, 0));
    ::SetBkColor(maskedDC.get(), RGB(255, 255, 255));
    ::BitBlt(maskedDC.get(), 0, 0, FWidth, FHeight, maskDC.get(), 0, 0, kRopDSna);
    FMask = std::move(mask);
    FMaskedImage = std::move(masked);
    FMaskColor = static_cast<TColor>(transparent);
  }
  BitmapContext maskDC(static_cast<HBITMAP>(FMask.get()));
  BitmapContext maskedDC(static_cast<HBITMAP>(FMaskedImage.get()));
  // Monochrome pixels take the destination's text colour for 0 and background colour for 1.
  const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
  ::StretchBlt(dc, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), maskDC.get(), 0, 0, FWidth, FHeight, SRCAND);
  ::StretchBlt(dc, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), maskedDC.get(), 0, 0, FWidth, FHeight, SRCPAINT);
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBack);
}
