// TBitmap: BMP files, bitmap resources, the clipboard and the form stream.
#include <algorithm>

#include "classlib/Bitmaps.h"
#include "classlib/SysUtils.h"

namespace {

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic("Bitmap image is not valid"); }

// What a DIB header says, for every header size from BITMAPCOREHEADER to BITMAPV5HEADER.
struct DibHeader {
  std::uint32_t HeaderSize = 0;
  Integer Width = 0;
  Integer Height = 0;
  bool TopDown = false;
  Integer BitCount = 0;
  std::uint32_t Compression = BI_RGB;
  std::uint32_t SizeImage = 0;
  Integer XPelsPerMeter = 0;
  Integer YPelsPerMeter = 0;
  std::uint32_t ClrUsed = 0;
  std::uint32_t ClrImportant = 0;
  std::uint32_t Masks[3] = {0, 0, 0};
  // Where the colour table starts and how it is laid out.
  std::size_t TableOffset = 0;
  std::size_t TableEntries = 0;
  std::size_t EntrySize = 4;

  std::size_t TableEnd() const { return TableOffset + TableEntries * EntrySize; }
  std::size_t Stride() const { return ((std::size_t(Width) * BitCount + 31) / 32) * 4; }
  std::size_t ImageBytes() const {
    if (Compression == BI_RLE8 || Compression == BI_RLE4) return SizeImage;
    return Stride() * std::size_t(Height);
  }
};

template <class T>
T ReadAt(const Byte* p, std::size_t offset) {
  T value;
  std::memcpy(&value, p + offset, sizeof value);
  return value;
}

// The header at p (size bytes available, which must cover the colour table).
DibHeader ParseHeader(const Byte* p, std::size_t size) {
  DibHeader h;
  if (size < 4) InvalidBitmap();
  h.HeaderSize = ReadAt<std::uint32_t>(p, 0);
  if (h.HeaderSize == sizeof(BITMAPCOREHEADER)) {
    if (size < h.HeaderSize) InvalidBitmap();
    h.Width = ReadAt<Word>(p, 4);
    h.Height = ReadAt<Word>(p, 6);
    h.BitCount = ReadAt<Word>(p, 10);
    h.EntrySize = 3;
  } else if (h.HeaderSize >= sizeof(BITMAPINFOHEADER) && h.HeaderSize <= 1024) {
    if (size < h.HeaderSize) InvalidBitmap();
    h.Width = ReadAt<std::int32_t>(p, 4);
    const std::int32_t height = ReadAt<std::int32_t>(p, 8);
    if (height == INT32_MIN) InvalidBitmap();
    h.TopDown = height < 0;
    h.Height = height < 0 ? -height : height;
    h.BitCount = ReadAt<Word>(p, 14);
    h.Compression = ReadAt<std::uint32_t>(p, 16);
    h.SizeImage = ReadAt<std::uint32_t>(p, 20);
    h.XPelsPerMeter = ReadAt<std::int32_t>(p, 24);
    h.YPelsPerMeter = ReadAt<std::int32_t>(p, 28);
    h.ClrUsed = ReadAt<std::uint32_t>(p, 32);
    h.ClrImportant = ReadAt<std::uint32_t>(p, 36);
  } else {
    InvalidBitmap();
  }
  h.TableOffset = h.HeaderSize;
  switch (h.BitCount) {
    case 1:
    case 4:
    case 8:
      h.TableEntries = h.ClrUsed ? h.ClrUsed : (std::size_t(1) << h.BitCount);
      if (h.TableEntries > (std::size_t(1) << h.BitCount)) InvalidBitmap();
      break;
    case 16:
    case 24:
    case 32: break;
    default: InvalidBitmap();
  }
  if (h.Compression == BI_BITFIELDS) {
    if (h.BitCount != 16 && h.BitCount != 32) InvalidBitmap();
    // A plain info header is followed by the three masks; the later headers hold them.
    if (h.HeaderSize == sizeof(BITMAPINFOHEADER)) {
      if (size < h.HeaderSize + 12) InvalidBitmap();
      h.TableOffset += 12;
    }
    for (int i = 0; i < 3; ++i) h.Masks[i] = ReadAt<std::uint32_t>(p, 40 + 4 * i);
  } else if (h.Compression == BI_RLE8) {
    if (h.BitCount != 8 || h.TopDown) InvalidBitmap();
  } else if (h.Compression == BI_RLE4) {
    if (h.BitCount != 4 || h.TopDown) InvalidBitmap();
  } else if (h.Compression != BI_RGB) {
    InvalidBitmap();
  }
  if (h.Width <= 0 || h.Height <= 0) InvalidBitmap();
  // Refuse sizes no real picture has before allocating anything.
  if (h.Stride() * std::size_t(h.Height) > (std::size_t(1) << 31)) InvalidBitmap();
  return h;
}

// Expands run-length encoded rows (bottom-up) into 8 or 4-bit rows; pixels the runs do not
// reach keep index 0.
void DecodeRLE(const DibHeader& h, const Byte* src, std::size_t size, Byte* dst) {
  const bool four = h.Compression == BI_RLE4;
  const std::size_t stride = h.Stride();
  std::memset(dst, 0, stride * h.Height);
  auto put = [&](Integer x, Integer y, Byte index) {
    if (x < 0 || x >= h.Width || y < 0 || y >= h.Height) return;
    Byte* row = dst + std::size_t(y) * stride;
    if (four) {
      const int shift = (x & 1) ? 0 : 4;
      row[x >> 1] = Byte((row[x >> 1] & ~(0xF << shift)) | ((index & 0xF) << shift));
    } else {
      row[x] = index;
    }
  };
  Integer x = 0, y = 0;
  std::size_t i = 0;
  while (i + 1 < size) {
    const Byte count = src[i++];
    const Byte value = src[i++];
    if (count > 0) {
      for (int k = 0; k < count; ++k) put(x++, y, four ? Byte((k & 1) ? value & 0xF : value >> 4) : value);
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (i + 1 >= size) return;
      x += src[i++];
      y += src[i++];
    } else {
      const std::size_t bytes = four ? (value + 1) / 2 : value;
      if (i + bytes > size) return;
      for (int k = 0; k < value; ++k)
        put(x++, y, four ? Byte((k & 1) ? src[i + k / 2] & 0xF : src[i + k / 2] >> 4) : src[i + k]);
      i += (bytes + 1) & ~std::size_t(1);
    }
  }
}

int ShiftOf(std::uint32_t mask) {
  int shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

// A channel of a pixel under a bit mask, scaled to 0..255.
Byte Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (!mask) return 0;
  const int shift = ShiftOf(mask);
  const std::uint32_t max = mask >> shift;
  return Byte(((pixel & mask) >> shift) * 255 / max);
}

class MemoryReader {
public:
  explicit MemoryReader(TStream* stream) : stream_(stream) {}
  void Read(void* buffer, std::size_t count) {
    if (stream_->Read(buffer, static_cast<Integer>(count)) != static_cast<Integer>(count)) InvalidBitmap();
  }

private:
  TStream* stream_;
};

}  // namespace

void TBitmap::LoadDIB(const Byte* Header, std::size_t HeaderSize, const Byte* Bits, std::size_t BitsSize) {
  const DibHeader h = ParseHeader(Header, HeaderSize);
  if (HeaderSize < h.TableEnd() || BitsSize < h.ImageBytes()) InvalidBitmap();

  Layout f;
  bool rawRows = true;  // the file's rows can be copied as they are
  if (h.BitCount <= 8) {
    f.BitCount = h.BitCount;
    f.PixelFormat = h.BitCount == 1 ? pf1bit : h.BitCount == 4 ? pf4bit : pf8bit;
    f.Colors.assign(std::size_t(1) << h.BitCount, RGBQUAD{0, 0, 0, 0});
    for (std::size_t i = 0; i < h.TableEntries; ++i) {
      const Byte* e = Header + h.TableOffset + i * h.EntrySize;
      f.Colors[i] = RGBQUAD{e[0], e[1], e[2], 0};
    }
  } else if (h.BitCount == 16) {
    f.BitCount = 16;
    if (h.Compression == BI_RGB || (h.Masks[0] == 0x7C00 && h.Masks[1] == 0x03E0 && h.Masks[2] == 0x001F)) {
      f.PixelFormat = pf15bit;
    } else if (h.Masks[0] == 0xF800 && h.Masks[1] == 0x07E0 && h.Masks[2] == 0x001F) {
      f.PixelFormat = pf16bit;
      f.BitFields = true;
    } else {
      f.BitCount = 32;
      f.PixelFormat = pf32bit;
      rawRows = false;
    }
  } else if (h.BitCount == 24) {
    f.BitCount = 24;
    f.PixelFormat = pf24bit;
  } else {
    f.BitCount = 32;
    f.PixelFormat = pf32bit;
    if (h.Compression == BI_BITFIELDS && !(h.Masks[0] == 0xFF0000 && h.Masks[1] == 0xFF00 && h.Masks[2] == 0xFF))
      rawRows = false;
  }

  std::vector<Byte> info(sizeof(BITMAPINFOHEADER) + (f.BitCount <= 8 ? f.Colors.size() * 4 : f.BitFields ? 12 : 0));
  auto* ih = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  ih->biSize = sizeof(BITMAPINFOHEADER);
  ih->biWidth = h.Width;
  ih->biHeight = h.Height;
  ih->biPlanes = 1;
  ih->biBitCount = static_cast<WORD>(f.BitCount);
  ih->biCompression = f.BitFields ? BI_BITFIELDS : BI_RGB;
  if (f.BitCount <= 8) {
    std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), f.Colors.data(), f.Colors.size() * 4);
  } else if (f.BitFields) {
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), masks, sizeof masks);
  }
  void* bits = nullptr;
  UniqueGdiObject section(
      ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section) GDIError();
  auto* out = static_cast<Byte*>(bits);
  const std::size_t outStride = ((std::size_t(h.Width) * f.BitCount + 31) / 32) * 4;

  if (h.Compression == BI_RLE8 || h.Compression == BI_RLE4) {
    DecodeRLE(h, Bits, h.ImageBytes(), out);
  } else if (rawRows) {
    for (Integer y = 0; y < h.Height; ++y) {
      // Rows in memory go bottom-up; a top-down file stores the top row first.
      const Integer sourceRow = h.TopDown ? h.Height - 1 - y : y;
      std::memcpy(out + std::size_t(y) * outStride, Bits + std::size_t(sourceRow) * h.Stride(), outStride);
    }
  } else {
    for (Integer y = 0; y < h.Height; ++y) {
      const Integer sourceRow = h.TopDown ? h.Height - 1 - y : y;
      const Byte* row = Bits + std::size_t(sourceRow) * h.Stride();
      Byte* target = out + std::size_t(y) * outStride;
      for (Integer x = 0; x < h.Width; ++x) {
        const std::uint32_t p = h.BitCount == 16 ? ReadAt<Word>(row, 2 * std::size_t(x)) : ReadAt<std::uint32_t>(row, 4 * std::size_t(x));
        target[4 * x] = Channel(p, h.Masks[2]);
        target[4 * x + 1] = Channel(p, h.Masks[1]);
        target[4 * x + 2] = Channel(p, h.Masks[0]);
        target[4 * x + 3] = 0;
      }
    }
  }

  FWidth = h.Width;
  FHeight = h.Height;
  FBitCount = f.BitCount;
  FColors = f.Colors;
  FBitFields = f.BitFields;
  FPixelFormat = f.PixelFormat;
  FDDB = false;
  FXPelsPerMeter = h.XPelsPerMeter;
  FYPelsPerMeter = h.YPelsPerMeter;
  FClrUsed = f.BitCount <= 8 ? h.ClrUsed : 0;
  FClrImportant = h.ClrImportant;
  FTransparentColor = clDefault;
  FTransparentMode = tmAuto;
  if (FPalette) {
    ::DeleteObject(FPalette);
    FPalette = nullptr;
  }
  InstallHandle(static_cast<HBITMAP>(section.release()), bits);
}

void TBitmap::LoadFromPackedDIB(const void* Data, std::size_t Size) {
  const auto* p = static_cast<const Byte*>(Data);
  const DibHeader h = ParseHeader(p, Size);
  if (Size < h.TableEnd()) InvalidBitmap();
  LoadDIB(p, h.TableEnd(), p + h.TableEnd(), Size - h.TableEnd());
}

void TBitmap::ReadBitmapFile(TStream* Stream) {
  MemoryReader reader(Stream);
  BITMAPFILEHEADER fh;
  reader.Read(&fh, sizeof fh);
  if (fh.bfType != 0x4D42 || fh.bfOffBits < sizeof fh + sizeof(BITMAPCOREHEADER) || fh.bfOffBits > (1u << 20))
    InvalidBitmap();
  // The header, the colour table and whatever lies between them and the pixels.
  std::vector<Byte> header(fh.bfOffBits - sizeof fh);
  reader.Read(header.data(), header.size());
  const DibHeader h = ParseHeader(header.data(), header.size());
  if (header.size() < h.TableEnd()) InvalidBitmap();
  std::vector<Byte> bits(h.ImageBytes());
  reader.Read(bits.data(), bits.size());
  LoadDIB(header.data(), header.size(), bits.data(), bits.size());
}

void TBitmap::WriteBitmapFile(TStream* Stream) {
  if (GetEmpty()) return;
  HandleNeeded();
  if (FDDB) {
    TBitmap copy;
    copy.Assign(this);
    copy.SetHandleType(bmDIB);
    copy.WriteBitmapFile(Stream);
    return;
  }
  ::GdiFlush();
  const std::size_t tableEntries =
      FBitCount <= 8 ? (FClrUsed ? std::min<std::size_t>(FClrUsed, FColors.size()) : FColors.size()) : 0;
  const std::size_t maskBytes = FBitFields ? 12 : 0;
  const std::size_t imageBytes = std::size_t(Stride()) * FHeight;
  const std::size_t offBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + maskBytes + tableEntries * 4;

  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfSize = static_cast<DWORD>(offBits + imageBytes);
  fh.bfOffBits = static_cast<DWORD>(offBits);
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = FWidth;
  ih.biHeight = FHeight;
  ih.biPlanes = 1;
  ih.biBitCount = static_cast<WORD>(FBitCount);
  ih.biCompression = FBitFields ? BI_BITFIELDS : BI_RGB;
  ih.biSizeImage = static_cast<DWORD>(imageBytes);
  ih.biXPelsPerMeter = FXPelsPerMeter;
  ih.biYPelsPerMeter = FYPelsPerMeter;
  ih.biClrUsed = FBitCount <= 8 ? FClrUsed : 0;
  ih.biClrImportant = FClrImportant;

  std::vector<Byte> out(offBits + imageBytes);
  std::memcpy(out.data(), &fh, sizeof fh);
  std::memcpy(out.data() + sizeof fh, &ih, sizeof ih);
  Byte* p = out.data() + sizeof fh + sizeof ih;
  if (FBitFields) {
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(p, masks, sizeof masks);
    p += sizeof masks;
  }
  if (tableEntries) std::memcpy(p, FColors.data(), tableEntries * 4);
  std::memcpy(out.data() + offBits, FBits, imageBytes);
  Stream->WriteBuffer(out.data(), static_cast<Integer>(out.size()));
}

void TBitmap::LoadFromStream(TStream* Stream) {
  ReadBitmapFile(Stream);
  Changed(this);
}

void TBitmap::SaveToStream(TStream* Stream) { WriteBitmapFile(Stream); }

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName) {
  HRSRC resource = ::FindResourceA(Instance, ResName.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
  if (!resource) throw EResNotFound(Format("Resource %s not found", {ResName}));
  HGLOBAL data = ::LoadResource(Instance, resource);
  const void* p = data ? ::LockResource(data) : nullptr;
  if (!p) throw EResNotFound(Format("Resource %s not found", {ResName}));
  LoadFromPackedDIB(p, ::SizeofResource(Instance, resource));
  Changed(this);
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, Integer ResID) {
  HRSRC resource = ::FindResourceA(Instance, MAKEINTRESOURCEA(ResID), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
  if (!resource) throw EResNotFound(Format("Resource %d not found", {ResID}));
  HGLOBAL data = ::LoadResource(Instance, resource);
  const void* p = data ? ::LockResource(data) : nullptr;
  if (!p) throw EResNotFound(Format("Resource %d not found", {ResID}));
  LoadFromPackedDIB(p, ::SizeofResource(Instance, resource));
  Changed(this);
}

void TBitmap::LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) {
  if (AFormat == CF_BITMAP && AData) {
    // The clipboard keeps its bitmap: work on a DIB copy.
    HBITMAP copy = static_cast<HBITMAP>(::CopyImage(AData, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!copy) InvalidBitmap();
    SetHandle(copy);
    if (APalette) SetPalette(CopyPalette(APalette));
  } else if (AFormat == CF_DIB && AData) {
    GlobalLockGuard lock(AData);
    if (!lock.get()) InvalidBitmap();
    LoadFromPackedDIB(lock.get(), lock.size());
    Changed(this);
  } else {
    throw EInvalidGraphic("Unsupported clipboard format");
  }
}

void TBitmap::SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) {
  AFormat = CF_BITMAP;
  AData = nullptr;
  APalette = nullptr;
  if (GetEmpty()) return;
  HandleNeeded();
  if (FDDB) {
    AData = ::CopyImage(FHandle, IMAGE_BITMAP, 0, 0, 0);
  } else {
    WindowDC screen;
    UniqueGdiObject ddb(FBitCount == 1 ? ::CreateBitmap(FWidth, FHeight, 1, 1, nullptr)
                                       : ::CreateCompatibleBitmap(screen, FWidth, FHeight));
    if (!ddb) GDIError();
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, ddb.get());
    ::GdiFlush();
    ::StretchDIBits(dc, 0, 0, FWidth, FHeight, 0, 0, FWidth, FHeight, FBits, Info(), DIB_RGB_COLORS, SRCCOPY);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    AData = ddb.release();
  }
  APalette = CopyPalette(GetPalette());
}

void TBitmap::ReadData(TStream* Stream) {
  LongInt size = 0;
  Stream->ReadBuffer(&size, sizeof size);
  if (size <= 0) {
    Clear();
    Changed(this);
    return;
  }
  const Int64 start = Stream->GetPosition();
  ReadBitmapFile(Stream);
  Stream->SetPosition(start + size);
  Changed(this);
}

void TBitmap::WriteData(TStream* Stream) {
  TMemoryStream data;
  WriteBitmapFile(&data);
  const LongInt size = static_cast<LongInt>(data.GetSize());
  Stream->WriteBuffer(&size, sizeof size);
  if (size) Stream->WriteBuffer(data.GetMemory(), size);
}
