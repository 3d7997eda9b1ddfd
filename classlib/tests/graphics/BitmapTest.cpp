// Bitmaps: pixel formats, rows, copies, BMP files and resources.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "classlib/Bitmaps.h"
#include "classlib/Classes.h"
#include "classlib/SysUtils.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Save(TBitmap* bitmap) {
  TStringStream stream;
  bitmap->SaveToStream(&stream);
  return stream.GetDataString();
}

void Load(TBitmap* bitmap, const std::string& bytes) {
  TStringStream stream(bytes);
  bitmap->LoadFromStream(&stream);
}

template <class T>
T At(const std::string& s, std::size_t offset) {
  T value{};
  std::memcpy(&value, s.data() + offset, sizeof value);
  return value;
}

// A 24-bit picture whose every pixel differs, with a width that needs row padding.
std::unique_ptr<TBitmap> Gradient(int width = 7, int height = 5) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<Byte*>(bitmap->GetScanLine(y));
    for (int x = 0; x < width; ++x) {
      row[3 * x] = Byte(20 * x);        // blue
      row[3 * x + 1] = Byte(40 * y);    // green
      row[3 * x + 2] = Byte(x * y + 1); // red
    }
  }
  return bitmap;
}

TEST(Bitmap, NewBitmapsAreWhiteAndKeepPixelsWhenResized) {
  TBitmap bitmap;
  EXPECT_TRUE(bitmap.GetEmpty());
  EXPECT_EQ(bitmap.GetPixelFormat(), pfDevice);
  bitmap.SetWidth(3);
  EXPECT_TRUE(bitmap.GetEmpty());
  bitmap.SetHeight(2);
  EXPECT_FALSE(bitmap.GetEmpty());
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(2, 1), clWhite);
  bitmap.GetCanvas()->SetPixels(1, 1, clRed);
  bitmap.SetSize(5, 4);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(1, 1), clRed);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(4, 3), clWhite);
  bitmap.SetSize(1, 1);
  EXPECT_EQ(bitmap.GetWidth(), 1);
  bitmap.SetSize(0, 0);
  EXPECT_TRUE(bitmap.GetEmpty());
  EXPECT_EQ(bitmap.GetHandle(), nullptr);
}

TEST(Bitmap, ScanLinesAreBottomUpAndPaddedToFourBytes) {
  auto bitmap = Gradient();
  // Seven 3-byte pixels take 21 bytes, padded to 24; row 0 is the top row, stored last.
  auto* top = static_cast<Byte*>(bitmap->GetScanLine(0));
  auto* next = static_cast<Byte*>(bitmap->GetScanLine(1));
  EXPECT_EQ(top - next, 24);
  EXPECT_EQ(bitmap->GetCanvas()->GetPixels(3, 2), TColor(RGB(3 * 2 + 1, 80, 60)));
  EXPECT_THROW(bitmap->GetScanLine(5), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap->GetScanLine(-1), EInvalidGraphicOperation);
  try {
    bitmap->GetScanLine(5);
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message, "Scan line index out of range");
  }
}

TEST(Bitmap, PixelFormatConversions) {
  struct Case {
    TPixelFormat format;
    int bits;
  };
  const Case cases[] = {{pf1bit, 1}, {pf4bit, 4}, {pf8bit, 8}, {pf15bit, 16}, {pf16bit, 16}, {pf24bit, 24}, {pf32bit, 32}};
  for (const Case& c : cases) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(4, 2);
    TCanvas* canvas = bitmap.GetCanvas();
    canvas->SetPixels(0, 0, clBlack);
    canvas->SetPixels(1, 0, clRed);
    canvas->SetPixels(2, 0, clBlue);
    canvas->SetPixels(3, 0, clGray);
    bitmap.SetPixelFormat(c.format);
    EXPECT_EQ(bitmap.GetPixelFormat(), c.format);
    const std::string bmp = Save(&bitmap);
    EXPECT_EQ(At<Word>(bmp, 28), c.bits) << c.format;
    EXPECT_EQ(bitmap.GetMonochrome(), c.format == pf1bit);
    // Black and white survive every format; the colours every format with colours.
    EXPECT_EQ(bitmap.GetCanvas()->GetPixels(0, 0), clBlack) << c.format;
    EXPECT_EQ(bitmap.GetCanvas()->GetPixels(0, 1), clWhite) << c.format;
    if (c.format == pf1bit) {
      EXPECT_EQ(bitmap.GetCanvas()->GetPixels(1, 0), clBlack);  // dark red is nearer black
      EXPECT_EQ(bitmap.GetCanvas()->GetPixels(3, 0), clWhite);  // gray is nearer white
    } else if (c.format != pf15bit && c.format != pf16bit) {
      EXPECT_EQ(bitmap.GetCanvas()->GetPixels(1, 0), clRed) << c.format;
      EXPECT_EQ(bitmap.GetCanvas()->GetPixels(2, 0), clBlue) << c.format;
      EXPECT_EQ(bitmap.GetCanvas()->GetPixels(3, 0), clGray) << c.format;
    } else {
      EXPECT_EQ(bitmap.GetCanvas()->GetPixels(1, 0), clRed) << c.format;
    }
    // And back to 24 bits without loss of what the format kept.
    const TColor kept = bitmap.GetCanvas()->GetPixels(2, 0);
    bitmap.SetPixelFormat(pf24bit);
    EXPECT_EQ(bitmap.GetCanvas()->GetPixels(2, 0), kept) << c.format;
  }
  TBitmap bitmap;
  bitmap.SetMonochrome(true);
  EXPECT_EQ(bitmap.GetPixelFormat(), pf1bit);
  EXPECT_NE(bitmap.GetPalette(), nullptr);
  EXPECT_THROW(bitmap.SetPixelFormat(pfCustom), EInvalidGraphic);
}

TEST(Bitmap, AssignMakesADeepCopy) {
  auto source = Gradient();
  source->SetTransparent(true);
  source->SetTransparentColor(clLime);
  TBitmap copy;
  copy.Assign(source.get());
  EXPECT_NE(copy.GetHandle(), source->GetHandle());
  EXPECT_EQ(Save(&copy), Save(source.get()));
  EXPECT_TRUE(copy.GetTransparent());
  EXPECT_EQ(copy.GetTransparentColor(), clLime | 0x02000000);
  source->GetCanvas()->SetPixels(0, 0, clRed);
  EXPECT_NE(copy.GetCanvas()->GetPixels(0, 0), clRed);
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.GetEmpty());
}

TEST(Bitmap, HandlesCanBeTakenOverAndReleased) {
  auto source = Gradient();
  HBITMAP handle = source->ReleaseHandle();
  ASSERT_NE(handle, nullptr);
  // The bitmap keeps its size and makes a new blank image.
  EXPECT_EQ(source->GetWidth(), 7);
  EXPECT_EQ(source->GetCanvas()->GetPixels(0, 0), clWhite);

  TBitmap adopted;
  adopted.SetHandle(handle);
  EXPECT_EQ(adopted.GetHandle(), handle);
  EXPECT_EQ(adopted.GetPixelFormat(), pf24bit);
  EXPECT_EQ(adopted.GetCanvas()->GetPixels(3, 2), TColor(RGB(7, 80, 60)));

  // A device-dependent bitmap is drawn as it is and converted for its rows.
  WindowDC screen;
  HBITMAP ddb = ::CreateCompatibleBitmap(screen, 3, 3);
  TBitmap device;
  device.SetHandle(ddb);
  EXPECT_EQ(device.GetHandleType(), bmDDB);
  device.GetCanvas()->GetBrush()->SetColor(clBlue);
  device.GetCanvas()->FillRect(Rect(0, 0, 3, 3));
  device.GetScanLine(0);
  EXPECT_EQ(device.GetHandleType(), bmDIB);
  EXPECT_EQ(device.GetCanvas()->GetPixels(1, 1), clBlue);
}

// A 24-bit BMP as common tools write it: 3 x 2 pixels, 2835 pixels per metre.
const std::string kBmp24 = std::string(
                               "BM\x4e\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00"
                               "\x28\x00\x00\x00\x03\x00\x00\x00\x02\x00\x00\x00\x01\x00\x18\x00"
                               "\x00\x00\x00\x00\x18\x00\x00\x00\x13\x0b\x00\x00\x13\x0b\x00\x00"
                               "\x00\x00\x00\x00\x00\x00\x00\x00",
                               54) +
                           std::string("\x00\x00\xff\x00\xff\x00\xff\x00\x00\x00\x00\x00"
                                       "\xff\xff\xff\x00\x00\x00\x80\x80\x80\x00\x00\x00",
                                       24);

TEST(Bitmap, TwentyFourBitFilesReadAndWrittenByteForByte) {
  TBitmap bitmap;
  Load(&bitmap, kBmp24);
  EXPECT_EQ(bitmap.GetPixelFormat(), pf24bit);
  EXPECT_EQ(bitmap.GetWidth(), 3);
  EXPECT_EQ(bitmap.GetHeight(), 2);
  // The last row of the file is the top row of the picture.
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(0, 0), clWhite);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(1, 0), clBlack);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(2, 0), clGray);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(0, 1), clRed);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(1, 1), clLime);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(2, 1), clBlue);
  EXPECT_EQ(Save(&bitmap), kBmp24);

  // A picture drawn here, written, read back and written again.
  auto drawn = Gradient();
  const std::string written = Save(drawn.get());
  EXPECT_EQ(written.substr(0, 2), "BM");
  EXPECT_EQ(At<DWORD>(written, 2), written.size());
  EXPECT_EQ(At<DWORD>(written, 10), 54u);
  EXPECT_EQ(At<LONG>(written, 18), 7);
  EXPECT_EQ(At<LONG>(written, 22), 5);
  EXPECT_EQ(At<DWORD>(written, 34), 24u * 5u);
  EXPECT_EQ(written.size(), 54u + 24u * 5u);
  TBitmap loaded;
  Load(&loaded, written);
  EXPECT_EQ(Save(&loaded), written);
  for (int y = 0; y < 5; ++y)
    EXPECT_EQ(std::memcmp(loaded.GetScanLine(y), drawn->GetScanLine(y), 21), 0) << y;

  testing_support::TempFolder temp;
  drawn->SaveToFile(temp.File("gradient.bmp"));
  EXPECT_EQ(testing_support::ReadFileBytes(temp.File("gradient.bmp")), written);
  TBitmap fromFile;
  fromFile.LoadFromFile(temp.File("gradient.bmp"));
  EXPECT_EQ(Save(&fromFile), written);
}

std::string FileHeader(std::size_t headerAndTable, std::size_t bits) {
  std::string h("BM", 2);
  const DWORD size = DWORD(14 + headerAndTable + bits), zero = 0, off = DWORD(14 + headerAndTable);
  h.append(reinterpret_cast<const char*>(&size), 4);
  h.append(reinterpret_cast<const char*>(&zero), 4);
  h.append(reinterpret_cast<const char*>(&off), 4);
  return h;
}

std::string InfoHeader(LONG width, LONG height, WORD bits, DWORD compression, DWORD sizeImage, DWORD clrUsed) {
  BITMAPINFOHEADER ih{};
  ih.biSize = 40;
  ih.biWidth = width;
  ih.biHeight = height;
  ih.biPlanes = 1;
  ih.biBitCount = bits;
  ih.biCompression = compression;
  ih.biSizeImage = sizeImage;
  ih.biClrUsed = clrUsed;
  return std::string(reinterpret_cast<const char*>(&ih), sizeof ih);
}

std::string Colors(std::initializer_list<TColor> colors) {
  std::string s;
  for (TColor c : colors) {
    const RGBQUAD q{GetBValue(c), GetGValue(c), GetRValue(c), 0};
    s.append(reinterpret_cast<const char*>(&q), 4);
  }
  return s;
}

TEST(Bitmap, OtherLayoutsOfBmpFiles) {
  // 8 bits, RLE8: a run of 3 red, 1 absolute blue... (index 1 red, 2 blue); end of line,
  // then one white pixel; end of bitmap. A 4 x 2 picture, bottom row first.
  const std::string table = Colors({clBlack, clRed, clBlue, clWhite});
  const std::string rle("\x03\x01\x01\x02\x00\x00\x01\x03\x00\x01", 10);
  TBitmap bitmap;
  Load(&bitmap, FileHeader(40 + 16, rle.size()) + InfoHeader(4, 2, 8, BI_RLE8, DWORD(rle.size()), 4) + table + rle);
  EXPECT_EQ(bitmap.GetPixelFormat(), pf8bit);
  const TColor expected[2][4] = {{clWhite, clBlack, clBlack, clBlack}, {clRed, clRed, clRed, clBlue}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(bitmap.GetCanvas()->GetPixels(x, y), expected[y][x]) << x << "," << y;

  // A top-down 1-bit file: the first row in the file is the top.
  const std::string rows("\x80\x00\x00\x00\x40\x00\x00\x00", 8);
  Load(&bitmap, FileHeader(40 + 8, 8) + InfoHeader(2, -2, 1, BI_RGB, 0, 0) + Colors({clBlack, clWhite}) + rows);
  EXPECT_EQ(bitmap.GetPixelFormat(), pf1bit);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(0, 0), clWhite);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(1, 0), clBlack);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(1, 1), clWhite);

  // 16 bits with 5-6-5 masks.
  const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
  const std::string pixels("\x00\xF8\xE0\x07", 4);  // red, green
  Load(&bitmap, FileHeader(40 + 12, 4) + InfoHeader(2, 1, 16, BI_BITFIELDS, 4, 0) +
                    std::string(reinterpret_cast<const char*>(masks), 12) + pixels);
  EXPECT_EQ(bitmap.GetPixelFormat(), pf16bit);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(0, 0), clRed);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(1, 0), clLime);
  const std::string saved = Save(&bitmap);
  TBitmap again;
  Load(&again, saved);
  EXPECT_EQ(Save(&again), saved);
}

TEST(Bitmap, BrokenFilesAreRefusedAndLeaveTheBitmapAsItWas) {
  auto bitmap = Gradient();
  const std::string before = Save(bitmap.get());
  const std::string broken[] = {
      "",
      "XX not a bitmap",
      kBmp24.substr(0, 40),                                                             // header cut short
      kBmp24.substr(0, 60),                                                             // pixels cut short
      FileHeader(40, 0) + InfoHeader(3, 2, 7, BI_RGB, 0, 0),                            // 7 bits per pixel
      FileHeader(40, 0) + InfoHeader(0, 2, 24, BI_RGB, 0, 0),                           // no width
      FileHeader(40, 0) + InfoHeader(100000, 100000, 32, BI_RGB, 0, 0),                 // absurd size
      FileHeader(40, 0) + InfoHeader(3, 2, 24, BI_JPEG, 0, 0),                          // compression not handled
      FileHeader(40 + 4, 0) + InfoHeader(3, 2, 1, BI_RGB, 0, 5) + Colors({clBlack}),  // 5 colours for 1 bit
  };
  for (const std::string& data : broken) {
    try {
      Load(bitmap.get(), data);
      ADD_FAILURE() << "accepted " << data.size() << " bytes";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message, "Bitmap image is not valid");
    }
    EXPECT_EQ(Save(bitmap.get()), before);
  }
}

TEST(Bitmap, FromABitmapResource) {
  // A module with a bitmap resource: a copy of this program with one added.
  testing_support::TempFolder temp;
  char self[MAX_PATH];
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string module = temp.File("resources.dll");
  ASSERT_TRUE(::CopyFileA(self, module.c_str(), FALSE));
  const std::string dib = kBmp24.substr(14);
  HANDLE update = ::BeginUpdateResourceA(module.c_str(), FALSE);
  ASSERT_NE(update, nullptr);
  ASSERT_TRUE(::UpdateResourceA(update, MAKEINTRESOURCEA(2), "PICTURE", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                const_cast<char*>(dib.data()), DWORD(dib.size())));
  ASSERT_TRUE(::UpdateResourceA(update, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(7), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                const_cast<char*>(dib.data()), DWORD(dib.size())));
  ASSERT_TRUE(::EndUpdateResourceA(update, FALSE));
  UniqueModule instance(::LoadLibraryExA(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(instance);

  TBitmap bitmap;
  bitmap.LoadFromResourceName(static_cast<HINSTANCE>(instance.get()), "PICTURE");
  EXPECT_EQ(Save(&bitmap), kBmp24);
  TBitmap byId;
  byId.LoadFromResourceID(static_cast<HINSTANCE>(instance.get()), 7);
  EXPECT_EQ(Save(&byId), kBmp24);
  try {
    bitmap.LoadFromResourceName(static_cast<HINSTANCE>(instance.get()), "MISSING");
    FAIL() << "no exception";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message, "Resource MISSING not found");
  }
}

}  // namespace
