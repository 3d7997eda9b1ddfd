// TMetafile and TMetafileCanvas.
#include "classlib/Metafiles.h"

#include <vector>

#include "classlib/Handles.h"
#include "classlib/MetafileChecks.h"
#include "classlib/SysUtils.h"

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr Integer kHundredthMMPerInch = 2540;

#pragma pack(push, 2)
// The header that precedes a placeable Windows metafile.
struct PlaceableHeader {
  std::uint32_t Key;
  Word Handle;
  SmallInt Left, Top, Right, Bottom;
  Word Inch;
  std::uint32_t Reserved;
  Word Checksum;
};
#pragma pack(pop)
static_assert(sizeof(PlaceableHeader) == 22);

Word Checksum(const PlaceableHeader& h) {
  const auto* words = reinterpret_cast<const Word*>(&h);
  Word sum = 0;
  for (int i = 0; i < 10; ++i) sum ^= words[i];
  return sum;
}

[[noreturn]] void InvalidMetafile() { throw EInvalidGraphic("Metafile is not valid"); }

// The screen's resolution in pixels per hundredth of a millimetre, as GDI itself relates
// recording frames to reference pixels.
struct ScreenScale {
  Integer Pixels;  // HORZRES / VERTRES
  Integer Hundredths;  // HORZSIZE / VERTSIZE times 100
};

const ScreenScale& ScreenX() {
  static const ScreenScale s = [] {
    WindowDC screen;
    return ScreenScale{::GetDeviceCaps(screen, HORZRES), ::GetDeviceCaps(screen, HORZSIZE) * 100};
  }();
  return s;
}

const ScreenScale& ScreenY() {
  static const ScreenScale s = [] {
    WindowDC screen;
    return ScreenScale{::GetDeviceCaps(screen, VERTRES), ::GetDeviceCaps(screen, VERTSIZE) * 100};
  }();
  return s;
}

void ReadExactly(TStream* Stream, void* Buffer, std::size_t Count) {
  if (Stream->Read(Buffer, static_cast<Integer>(Count)) != static_cast<Integer>(Count)) InvalidMetafile();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TMetafile

TMetafile::TMetafile() { FTransparent = true; }

TMetafile::~TMetafile() {
  if (FHandle) ::DeleteEnhMetaFile(FHandle);
}

void TMetafile::Clear() {
  if (FHandle) ::DeleteEnhMetaFile(FHandle);
  FHandle = nullptr;
  FMMWidth = FMMHeight = 0;
  FInch = 0;
  Changed(this);
}

void TMetafile::Assign(TPersistent* Source) {
  if (!Source) {
    Clear();
    return;
  }
  auto* source = dynamic_cast<TMetafile*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  if (source == this) return;
  HENHMETAFILE copy = nullptr;
  if (source->FHandle) {
    copy = ::CopyEnhMetaFileA(source->FHandle, nullptr);
    if (!copy) GDIError();
  }
  if (FHandle) ::DeleteEnhMetaFile(FHandle);
  FHandle = copy;
  FMMWidth = source->FMMWidth;
  FMMHeight = source->FMMHeight;
  FInch = source->FInch;
  FEnhanced = source->FEnhanced;
  Changed(this);
}

Integer TMetafile::GetWidth() {
  if (FInch) return ::MulDiv(FMMWidth, FInch, kHundredthMMPerInch);
  return ::MulDiv(FMMWidth, ScreenX().Pixels, ScreenX().Hundredths);
}

void TMetafile::SetWidth(Integer Value) {
  SetMMWidth(FInch ? ::MulDiv(Value, kHundredthMMPerInch, FInch) : ::MulDiv(Value, ScreenX().Hundredths, ScreenX().Pixels));
}

Integer TMetafile::GetHeight() {
  if (FInch) return ::MulDiv(FMMHeight, FInch, kHundredthMMPerInch);
  return ::MulDiv(FMMHeight, ScreenY().Pixels, ScreenY().Hundredths);
}

void TMetafile::SetHeight(Integer Value) {
  SetMMHeight(FInch ? ::MulDiv(Value, kHundredthMMPerInch, FInch)
                    : ::MulDiv(Value, ScreenY().Hundredths, ScreenY().Pixels));
}

void TMetafile::SetMMWidth(Integer Value) {
  if (Value == FMMWidth) return;
  FMMWidth = Value;
  Changed(this);
}

void TMetafile::SetMMHeight(Integer Value) {
  if (Value == FMMHeight) return;
  FMMHeight = Value;
  Changed(this);
}

void TMetafile::SetInch(Word Value) {
  if (Value == FInch) return;
  FInch = Value;
  Changed(this);
}

void TMetafile::SetEnhanced(bool Value) {
  if (Value == FEnhanced) return;
  FEnhanced = Value;
  Changed(this);
}

void TMetafile::SetHandle(HENHMETAFILE Value) {
  if (Value == FHandle) return;
  Adopt(Value);
  Changed(this);
}

void TMetafile::Adopt(HENHMETAFILE Value) {
  ENHMETAHEADER header{};
  if (Value && !::GetEnhMetaFileHeader(Value, sizeof header, &header)) InvalidMetafile();
  if (FHandle) ::DeleteEnhMetaFile(FHandle);
  FHandle = Value;
  if (Value) {
    FMMWidth = header.rclFrame.right - header.rclFrame.left;
    FMMHeight = header.rclFrame.bottom - header.rclFrame.top;
    FInch = 0;
  }
}

HENHMETAFILE TMetafile::ReleaseHandle() {
  HENHMETAFILE result = FHandle;
  FHandle = nullptr;
  return result;
}

AnsiString TMetafile::GetCreatedBy() { return DescriptionPart(0); }

AnsiString TMetafile::GetDescription() { return DescriptionPart(1); }

// The header's description is two strings, each ended by a zero.
AnsiString TMetafile::DescriptionPart(int Index) {
  if (!FHandle) return AnsiString();
  const UINT n = ::GetEnhMetaFileDescriptionA(FHandle, 0, nullptr);
  if (n == 0 || n == GDI_ERROR) return AnsiString();
  std::string text(n, '\0');
  ::GetEnhMetaFileDescriptionA(FHandle, n, text.data());
  std::size_t start = 0;
  for (int i = 0; i < Index && start < text.size(); ++i) start += std::strlen(text.c_str() + start) + 1;
  return start < text.size() ? AnsiString(text.c_str() + start) : AnsiString();
}

void TMetafile::LoadFromStream(TStream* Stream) {
  std::uint32_t first = 0;
  ReadExactly(Stream, &first, sizeof first);
  if (first == kPlaceableKey)
    LoadWindowsMetafile(Stream);
  else if (first == EMR_HEADER)
    LoadEnhancedMetafile(Stream, first);
  else
    InvalidMetafile();
  Changed(this);
}

void TMetafile::LoadEnhancedMetafile(TStream* Stream, std::uint32_t FirstDword) {
  // The header record tells the size of the whole metafile (nBytes at offset 48).
  Byte start[52];
  std::memcpy(start, &FirstDword, 4);
  ReadExactly(Stream, start + 4, sizeof start - 4);
  std::uint32_t signature, bytes;
  std::memcpy(&signature, start + 40, 4);
  std::memcpy(&bytes, start + 48, 4);
  if (signature != ENHMETA_SIGNATURE || bytes < sizeof start || bytes > (1u << 30)) InvalidMetafile();
  std::vector<Byte> data(bytes);
  std::memcpy(data.data(), start, sizeof start);
  ReadExactly(Stream, data.data() + sizeof start, bytes - sizeof start);
  if (!IsWholeEnhancedMetafile(data.data(), data.size())) InvalidMetafile();
  HENHMETAFILE handle = ::SetEnhMetaFileBits(bytes, data.data());
  if (!handle) InvalidMetafile();
  Adopt(handle);
  FEnhanced = true;
}

void TMetafile::LoadWindowsMetafile(TStream* Stream) {
  PlaceableHeader ph{};
  ph.Key = kPlaceableKey;
  ReadExactly(Stream, reinterpret_cast<Byte*>(&ph) + 4, sizeof ph - 4);
  if (ph.Checksum != Checksum(ph) || ph.Inch == 0) InvalidMetafile();
  // The metafile header (METAHEADER) gives the size in 16-bit words at offset 6.
  Byte header[18];
  ReadExactly(Stream, header, sizeof header);
  std::uint32_t words;
  std::memcpy(&words, header + 6, 4);
  if (words < sizeof header / 2 || words > (1u << 29)) InvalidMetafile();
  std::vector<Byte> data(std::size_t(words) * 2);
  std::memcpy(data.data(), header, sizeof header);
  ReadExactly(Stream, data.data() + sizeof header, data.size() - sizeof header);
  if (!IsWholeWindowsMetafile(data.data(), data.size())) InvalidMetafile();
  const Integer width = ph.Right - ph.Left, height = ph.Bottom - ph.Top;
  METAFILEPICT pict{};
  pict.mm = MM_ANISOTROPIC;
  pict.xExt = ::MulDiv(width, kHundredthMMPerInch, ph.Inch);
  pict.yExt = ::MulDiv(height, kHundredthMMPerInch, ph.Inch);
  HENHMETAFILE handle = ::SetWinMetaFileBits(static_cast<UINT>(data.size()), data.data(), nullptr, &pict);
  if (!handle) InvalidMetafile();
  if (FHandle) ::DeleteEnhMetaFile(FHandle);
  FHandle = handle;
  FMMWidth = pict.xExt;
  FMMHeight = pict.yExt;
  FInch = ph.Inch;
  FEnhanced = false;
}

void TMetafile::SaveToStream(TStream* Stream) {
  if (!FHandle) return;
  if (FEnhanced) {
    const UINT size = ::GetEnhMetaFileBits(FHandle, 0, nullptr);
    std::vector<Byte> data(size);
    if (!size || ::GetEnhMetaFileBits(FHandle, size, data.data()) != size) GDIError();
    Stream->WriteBuffer(data.data(), static_cast<Integer>(size));
    return;
  }
  const Word inch = FInch ? FInch : 96;
  PlaceableHeader ph{};
  ph.Key = kPlaceableKey;
  ph.Right = static_cast<SmallInt>(::MulDiv(FMMWidth, inch, kHundredthMMPerInch));
  ph.Bottom = static_cast<SmallInt>(::MulDiv(FMMHeight, inch, kHundredthMMPerInch));
  ph.Inch = inch;
  ph.Checksum = Checksum(ph);
  WindowDC screen;
  const UINT size = ::GetWinMetaFileBits(FHandle, 0, nullptr, MM_ANISOTROPIC, screen);
  std::vector<Byte> data(size);
  if (!size || ::GetWinMetaFileBits(FHandle, size, data.data(), MM_ANISOTROPIC, screen) != size) GDIError();
  Stream->WriteBuffer(&ph, sizeof ph);
  Stream->WriteBuffer(data.data(), static_cast<Integer>(size));
}

void TMetafile::LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE) {
  if (AFormat != CF_ENHMETAFILE || !AData) throw EInvalidGraphic("Unsupported clipboard format");
  HENHMETAFILE copy = ::CopyEnhMetaFileA(static_cast<HENHMETAFILE>(AData), nullptr);
  if (!copy) InvalidMetafile();
  SetHandle(copy);
  FEnhanced = true;
}

void TMetafile::SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) {
  AFormat = CF_ENHMETAFILE;
  AData = FHandle ? ::CopyEnhMetaFileA(FHandle, nullptr) : nullptr;
  APalette = nullptr;
}

void TMetafile::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!FHandle) return;
  ::PlayEnhMetaFile(ACanvas->GetHandle(), FHandle, AsRECT(Rect));
}

// ---------------------------------------------------------------------------------------------
// TMetafileCanvas

TMetafileCanvas::TMetafileCanvas(TMetafile* AMetafile, HDC ReferenceDevice) : FMetafile(AMetafile) {
  Start(ReferenceDevice, AnsiString(), AnsiString());
}

TMetafileCanvas::TMetafileCanvas(TMetafile* AMetafile, HDC ReferenceDevice, const AnsiString& CreatedBy,
                                 const AnsiString& Description)
    : FMetafile(AMetafile) {
  Start(ReferenceDevice, CreatedBy, Description);
}

void TMetafileCanvas::Start(HDC ReferenceDevice, const AnsiString& CreatedBy, const AnsiString& Description) {
  WindowDC screen;
  HDC ref = ReferenceDevice ? ReferenceDevice : screen.get();
  // The frame in hundredths of a millimetre: the metafile's size, or the whole device.
  Integer mmWidth = FMetafile->GetMMWidth(), mmHeight = FMetafile->GetMMHeight();
  if (mmWidth == 0) mmWidth = ::GetDeviceCaps(ref, HORZSIZE) * 100;
  if (mmHeight == 0) mmHeight = ::GetDeviceCaps(ref, VERTSIZE) * 100;
  const RECT frame{0, 0, mmWidth, mmHeight};
  std::string description;
  if (!CreatedBy.empty() || !Description.empty()) {
    description = CreatedBy;
    description += '\0';
    description += Description;
    description += '\0';
    description += '\0';
  }
  HDC dc = ::CreateEnhMetaFileA(ref, nullptr, &frame, description.empty() ? nullptr : description.c_str());
  if (!dc) GDIError();
  SetHandle(dc);
}

TMetafileCanvas::~TMetafileCanvas() {
  HDC dc = FHandle;
  SetHandle(nullptr);
  if (dc) FMetafile->SetHandle(::CloseEnhMetaFile(dc));
}
