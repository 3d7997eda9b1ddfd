// TIcon.
#include "classlib/Icons.h"

#include <vector>

#include "classlib/Handles.h"
#include "classlib/SysUtils.h"

namespace {

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

#pragma pack(push, 1)
struct IconDirectory {
  Word Reserved;
  Word Type;  // 1 for icons
  Word Count;
};
struct IconEntry {
  Byte Width;  // 0 stands for 256
  Byte Height;
  Byte ColorCount;
  Byte Reserved;
  Word Planes;
  Word BitCount;
  std::uint32_t BytesInRes;
  std::uint32_t ImageOffset;
};
#pragma pack(pop)
static_assert(sizeof(IconDirectory) == 6 && sizeof(IconEntry) == 16);

Integer EntrySize(Byte size) { return size ? size : 256; }

// The bits of a bitmap as rows of the given depth, bottom-up.
std::vector<Byte> BitmapBits(HBITMAP bitmap, Integer width, Integer height, Integer bitCount) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bitCount);
  info.header.biCompression = BI_RGB;
  const std::size_t stride = ((std::size_t(width) * bitCount + 31) / 32) * 4;
  std::vector<Byte> bits(stride * height);
  WindowDC screen;
  ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
  return bits;
}

}  // namespace

TIcon::TIcon()
    : FRequestedWidth(::GetSystemMetrics(SM_CXICON)), FRequestedHeight(::GetSystemMetrics(SM_CYICON)) {
  FTransparent = true;
}

TIcon::~TIcon() { FreeHandle(); }

void TIcon::FreeHandle() {
  if (FHandle) ::DestroyIcon(FHandle);
  FHandle = nullptr;
}

void TIcon::Assign(TPersistent* Source) {
  if (!Source) {
    FreeHandle();
    FData.clear();
    Changed(this);
    return;
  }
  auto* icon = dynamic_cast<TIcon*>(Source);
  if (!icon) {
    inherited::Assign(Source);
    return;
  }
  if (icon == this) return;
  HICON copy = icon->FHandle ? ::CopyIcon(icon->FHandle) : nullptr;
  FreeHandle();
  FHandle = copy;
  FData = icon->FData;
  FRequestedWidth = icon->FRequestedWidth;
  FRequestedHeight = icon->FRequestedHeight;
  Changed(this);
}

std::size_t TIcon::ChooseImage(Integer& Width, Integer& Height, std::size_t& Bytes) const {
  IconDirectory dir;
  std::memcpy(&dir, FData.data(), sizeof dir);
  const auto* entries = reinterpret_cast<const IconEntry*>(FData.data() + sizeof dir);
  // The requested size with the most colours, else the first image.
  int best = 0;
  int bestDepth = -1;
  for (int i = 0; i < dir.Count; ++i) {
    IconEntry e;
    std::memcpy(&e, entries + i, sizeof e);
    if (EntrySize(e.Width) == FRequestedWidth && EntrySize(e.Height) == FRequestedHeight && e.BitCount > bestDepth) {
      best = i;
      bestDepth = e.BitCount;
    }
  }
  IconEntry e;
  std::memcpy(&e, entries + best, sizeof e);
  Width = EntrySize(e.Width);
  Height = EntrySize(e.Height);
  Bytes = e.BytesInRes;
  return e.ImageOffset;
}

void TIcon::HandleNeeded() {
  if (FHandle || FData.empty()) return;
  Integer width, height;
  std::size_t bytes;
  const std::size_t offset = ChooseImage(width, height, bytes);
  FHandle = ::CreateIconFromResourceEx(reinterpret_cast<PBYTE>(FData.data() + offset), static_cast<DWORD>(bytes), TRUE,
                                       0x00030000, width, height, LR_DEFAULTCOLOR);
  if (!FHandle) InvalidIcon();
}

HICON TIcon::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TIcon::SetHandle(HICON Value) {
  if (Value == FHandle) return;
  FreeHandle();
  FData.clear();
  FHandle = Value;
  Changed(this);
}

HICON TIcon::ReleaseHandle() {
  HandleNeeded();
  HICON result = FHandle;
  FHandle = nullptr;
  return result;
}

TSize TIcon::ImageSize() {
  if (FHandle) {
    ICONINFO info{};
    if (!::GetIconInfo(FHandle, &info)) return TSize{};
    UniqueGdiObject color(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    ::GetObjectA(info.hbmMask, sizeof bm, &bm);
    // A monochrome icon keeps its image above its mask in one bitmap of twice the height.
    return TSize{bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
  }
  if (FData.empty()) return TSize{};
  TSize size;
  std::size_t bytes;
  ChooseImage(size.cx, size.cy, bytes);
  return size;
}

Integer TIcon::GetWidth() { return ImageSize().cx; }

Integer TIcon::GetHeight() { return ImageSize().cy; }

void TIcon::SetWidth(Integer Value) {
  if (FHandle) throw EInvalidGraphicOperation("Cannot change the size of an icon");
  FRequestedWidth = Value;
}

void TIcon::SetHeight(Integer Value) {
  if (FHandle) throw EInvalidGraphicOperation("Cannot change the size of an icon");
  FRequestedHeight = Value;
}

void TIcon::LoadFromStream(TStream* Stream) {
  IconDirectory dir{};
  if (Stream->Read(&dir, sizeof dir) != sizeof dir || dir.Reserved != 0 || dir.Type != 1 || dir.Count == 0)
    InvalidIcon();
  std::string data(sizeof dir + std::size_t(dir.Count) * sizeof(IconEntry), '\0');
  std::memcpy(data.data(), &dir, sizeof dir);
  const Integer entriesSize = static_cast<Integer>(data.size() - sizeof dir);
  if (Stream->Read(data.data() + sizeof dir, entriesSize) != entriesSize) InvalidIcon();
  // The file ends with the last of its images.
  std::size_t end = data.size();
  for (int i = 0; i < dir.Count; ++i) {
    IconEntry e;
    std::memcpy(&e, data.data() + sizeof dir + i * sizeof e, sizeof e);
    if (e.ImageOffset < data.size() || e.BytesInRes == 0 || e.BytesInRes > (1u << 26) ||
        e.ImageOffset > (1u << 26))
      InvalidIcon();
    end = std::max<std::size_t>(end, std::size_t(e.ImageOffset) + e.BytesInRes);
  }
  const std::size_t head = data.size();
  data.resize(end);
  const Integer rest = static_cast<Integer>(end - head);
  if (Stream->Read(data.data() + head, rest) != rest) InvalidIcon();
  FreeHandle();
  FData.swap(data);
  Changed(this);
}

void TIcon::SaveToStream(TStream* Stream) {
  if (!FData.empty()) {
    Stream->WriteBuffer(FData.data(), static_cast<Integer>(FData.size()));
    return;
  }
  if (!FHandle) return;
  ICONINFO info{};
  if (!::GetIconInfo(FHandle, &info)) InvalidIcon();
  UniqueGdiObject color(info.hbmColor), mask(info.hbmMask);
  BITMAP bm{};
  ::GetObjectA(info.hbmMask, sizeof bm, &bm);
  const Integer width = bm.bmWidth;
  const Integer height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
  const Integer bitCount = info.hbmColor ? 32 : 1;
  // The image: a DIB header of twice the height, the colour rows (with a colour table for
  // monochrome), then the mask rows.
  std::vector<Byte> colorBits, maskBits;
  if (info.hbmColor) {
    colorBits = BitmapBits(info.hbmColor, width, height, 32);
    maskBits = BitmapBits(info.hbmMask, width, height, 1);
  } else {
    std::vector<Byte> both = BitmapBits(info.hbmMask, width, 2 * height, 1);
    const std::size_t half = both.size() / 2;
    // Bottom-up: the mask is the lower half of the bitmap, the image the upper.
    maskBits.assign(both.begin(), both.begin() + half);
    colorBits.assign(both.begin() + half, both.end());
  }
  const std::size_t tableBytes = bitCount == 1 ? 8 : 0;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = 2 * height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bitCount);
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(colorBits.size() + maskBits.size());
  const std::size_t imageBytes = sizeof header + tableBytes + colorBits.size() + maskBits.size();
  IconDirectory dir{0, 1, 1};
  IconEntry entry{};
  entry.Width = static_cast<Byte>(width >= 256 ? 0 : width);
  entry.Height = static_cast<Byte>(height >= 256 ? 0 : height);
  entry.ColorCount = bitCount == 1 ? 2 : 0;
  entry.Planes = 1;
  entry.BitCount = static_cast<Word>(bitCount);
  entry.BytesInRes = static_cast<std::uint32_t>(imageBytes);
  entry.ImageOffset = sizeof dir + sizeof entry;
  Stream->WriteBuffer(&dir, sizeof dir);
  Stream->WriteBuffer(&entry, sizeof entry);
  Stream->WriteBuffer(&header, sizeof header);
  if (tableBytes) {
    const RGBQUAD table[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    Stream->WriteBuffer(table, sizeof table);
  }
  Stream->WriteBuffer(colorBits.data(), static_cast<Integer>(colorBits.size()));
  Stream->WriteBuffer(maskBits.data(), static_cast<Integer>(maskBits.size()));
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
  HandleNeeded();
  if (!FHandle) return;
  HDC dc = ACanvas->GetHandle();
  if (::GetObjectType(dc) != OBJ_ENHMETADC) {
    ::DrawIconEx(dc, Rect.Left, Rect.Top, FHandle, Rect.Width(), Rect.Height(), 0, nullptr, DI_NORMAL);
    return;
  }
  // A metafile records nothing of DrawIconEx: the icon is drawn as the system draws it, in two
  // stretched copies that carry their pixels: the mask ANDed, then the image XORed.
  ICONINFO info{};
  if (!::GetIconInfo(FHandle, &info)) return;
  UniqueGdiObject color(info.hbmColor), mask(info.hbmMask);
  BITMAP bm{};
  ::GetObjectA(info.hbmMask, sizeof bm, &bm);
  const int width = bm.bmWidth, height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
  UniqueMemoryDC maskDC(::CreateCompatibleDC(nullptr)), colorDC(::CreateCompatibleDC(nullptr));
  if (!maskDC || !colorDC) GDIError();
  SelectedObject maskSelected(maskDC.get(), info.hbmMask);
  SelectedObject colorSelected(colorDC.get(), info.hbmColor);
  // Monochrome sources take the destination's text colour for 0 and background colour for 1.
  const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
  ::StretchBlt(dc, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), maskDC.get(), 0, 0, width, height, SRCAND);
  if (info.hbmColor)
    ::StretchBlt(dc, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), colorDC.get(), 0, 0, width, height, SRCINVERT);
  else  // a monochrome icon keeps its image below the mask
    ::StretchBlt(dc, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), maskDC.get(), 0, height, width, height,
                 SRCINVERT);
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBack);
}
