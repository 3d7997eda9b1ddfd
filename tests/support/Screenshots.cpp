#include <zlib.h>

#include <cstdlib>

#include "tests/support/TestSupport.h"

namespace testing_support {

COLORREF ScreenImage::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  const size_t at = (static_cast<size_t>(y) * width + x) * 3;
  return RGB(static_cast<unsigned char>(rgb[at]), static_cast<unsigned char>(rgb[at + 1]),
             static_cast<unsigned char>(rgb[at + 2]));
}

ScreenImage CaptureWindow(HWND window) {
  ScreenImage image;
  RECT r;
  if (!IsWindow(window) || !GetWindowRect(window, &r)) return image;
  // Paint whatever is still waiting to be painted, frames included, before copying.
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return image;
  // Copy from the screen rather than asking the window to paint itself: the picture is what
  // a person would see, other windows on top included.
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib && bits) {
    HGDIOBJ old = SelectObject(mem, dib);
    // Only what lies on the screen is copied (the screen cannot give the rest, and Wine then gives
    // nothing at all): a maximised window's frame reaches past the screen's edges. The parts off
    // the screen stay black; the image keeps the window's coordinates.
    const RECT screenRect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                          GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                          GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    RECT shown{};
    if (IntersectRect(&shown, &r, &screenRect))
      BitBlt(mem, shown.left - r.left, shown.top - r.top, shown.right - shown.left, shown.bottom - shown.top, screen,
             shown.left, shown.top, SRCCOPY);
    GdiFlush();
    image.width = w;
    image.height = h;
    image.rgb.resize(static_cast<size_t>(w) * h * 3);
    const auto* src = static_cast<const unsigned char*>(bits);
    for (size_t i = 0, n = static_cast<size_t>(w) * h; i < n; ++i) {
      image.rgb[i * 3] = static_cast<char>(src[i * 4 + 2]);
      image.rgb[i * 3 + 1] = static_cast<char>(src[i * 4 + 1]);
      image.rgb[i * 3 + 2] = static_cast<char>(src[i * 4]);
    }
    SelectObject(mem, old);
  }
  if (dib) DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return image;
}

namespace {

void PutBE32(std::string& out, uint32_t v) {
  out += static_cast<char>(v >> 24);
  out += static_cast<char>(v >> 16);
  out += static_cast<char>(v >> 8);
  out += static_cast<char>(v);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBE32(out, static_cast<uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  out += body;
  PutBE32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

}  // namespace

bool SavePng(const ScreenImage& image, const std::string& path) {
  if (image.width <= 0 || image.height <= 0) return false;
  // Each row starts with filter type 0 (none).
  std::string raw;
  const size_t row = static_cast<size_t>(image.width) * 3;
  raw.reserve((row + 1) * image.height);
  for (int y = 0; y < image.height; ++y) {
    raw += '\0';
    raw.append(image.rgb, y * row, row);
  }
  uLongf packedSize = compressBound(raw.size());
  std::string packed(packedSize, '\0');
  if (compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
               raw.size()) != Z_OK)
    return false;
  packed.resize(packedSize);

  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  PutBE32(header, image.width);
  PutBE32(header, image.height);
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", "");
  WriteFileBytes(path, png);
  return ReadFileBytes(path).size() == png.size();
}

std::string SaveScreenshot(HWND window, const std::string& name) {
  const char* folder = std::getenv("PELORIN_SCREENSHOTS");
  if (!folder || !*folder) return {};
  std::string path = folder;
  if (path.back() != '\\' && path.back() != '/') path += '\\';
  path += name + ".png";
  return SavePng(CaptureWindow(window), path) ? path : std::string();
}

}  // namespace testing_support
