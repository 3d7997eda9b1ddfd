// JPEG pictures coded and decoded through libjpeg.
#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "classlib/Classes.h"
#include "classlib/Jpeg.h"
#include "tests/support/TestSupport.h"

namespace {

// A smooth colour picture (JPEG's kind of picture) with a width that is no multiple of 8.
std::unique_ptr<TBitmap> Landscape(int width = 67, int height = 45) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<Byte*>(bitmap->GetScanLine(y));
    for (int x = 0; x < width; ++x) {
      row[3 * x] = Byte(255 * y / height);                 // blue
      row[3 * x + 1] = Byte(128 + 100 * x / width);         // green
      row[3 * x + 2] = Byte(255 - 200 * (x + y) / (width + height));  // red
    }
  }
  return bitmap;
}

std::string Save(TGraphic* graphic) {
  TStringStream stream;
  graphic->SaveToStream(&stream);
  return stream.GetDataString();
}

// The quantization table of the luminance channel: the first DQT segment's 64 values.
std::string FirstQuantTable(const std::string& jpeg) {
  for (std::size_t i = 2; i + 4 < jpeg.size();) {
    if (Byte(jpeg[i]) != 0xFF) return {};
    const Byte marker = Byte(jpeg[i + 1]);
    const std::size_t length = (Byte(jpeg[i + 2]) << 8) | Byte(jpeg[i + 3]);
    if (marker == 0xDB) return jpeg.substr(i + 5, 64);
    i += 2 + length;
  }
  return {};
}

// Number of components in the frame header (SOF0 or SOF2).
int Components(const std::string& jpeg) {
  for (std::size_t i = 2; i + 4 < jpeg.size();) {
    const Byte marker = Byte(jpeg[i + 1]);
    const std::size_t length = (Byte(jpeg[i + 2]) << 8) | Byte(jpeg[i + 3]);
    if (marker == 0xC0 || marker == 0xC2) return Byte(jpeg[i + 9]);
    i += 2 + length;
  }
  return 0;
}

TEST(Jpeg, RoundTripAtQuality80) {
  auto original = Landscape();
  TJPEGImage jpeg;
  jpeg.Assign(original.get());
  jpeg.SetCompressionQuality(80);
  const std::string data = Save(&jpeg);
  ASSERT_GT(data.size(), 100u);
  EXPECT_EQ(data.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(data.substr(data.size() - 2), "\xFF\xD9");
  EXPECT_EQ(Components(data), 3);
  // libjpeg scales the standard tables to 40 percent at quality 80: 16 becomes 6, 11 becomes 4.
  const std::string table = FirstQuantTable(data);
  ASSERT_EQ(table.size(), 64u);
  EXPECT_EQ(Byte(table[0]), 6);
  EXPECT_EQ(Byte(table[1]), 4);

  TJPEGImage loaded;
  TStringStream in(data);
  loaded.LoadFromStream(&in);
  EXPECT_EQ(loaded.GetWidth(), 67);
  EXPECT_EQ(loaded.GetHeight(), 45);
  EXPECT_FALSE(loaded.GetGrayscale());
  // The bytes are kept as read.
  EXPECT_EQ(Save(&loaded), data);

  TBitmap decoded;
  decoded.Assign(&loaded);
  EXPECT_EQ(decoded.GetPixelFormat(), pf24bit);
  ASSERT_EQ(decoded.GetWidth(), 67);
  ASSERT_EQ(decoded.GetHeight(), 45);
  long total = 0;
  int worst = 0;
  for (int y = 0; y < 45; ++y) {
    auto* a = static_cast<Byte*>(original->GetScanLine(y));
    auto* b = static_cast<Byte*>(decoded.GetScanLine(y));
    for (int i = 0; i < 67 * 3; ++i) {
      const int d = std::abs(int(a[i]) - int(b[i]));
      total += d;
      worst = std::max(worst, d);
    }
  }
  EXPECT_LT(double(total) / (67 * 45 * 3), 2.0);
  EXPECT_LT(worst, 16);
}

TEST(Jpeg, GrayscaleCodingAndDecoding) {
  TJPEGImage jpeg;
  jpeg.Assign(Landscape().get());
  jpeg.SetGrayscale(true);
  const std::string data = Save(&jpeg);
  EXPECT_EQ(Components(data), 1);

  TJPEGImage loaded;
  TStringStream in(data);
  loaded.LoadFromStream(&in);
  EXPECT_TRUE(loaded.GetGrayscale());
  TBitmap gray;
  gray.Assign(&loaded);
  auto* row = static_cast<Byte*>(gray.GetScanLine(10));
  EXPECT_EQ(row[30], row[31]);
  EXPECT_EQ(row[31], row[32]);
  // As 8 bits with a grey palette.
  loaded.SetPixelFormat(jf8Bit);
  gray.Assign(&loaded);
  EXPECT_EQ(gray.GetPixelFormat(), pf8bit);
  const TColor c = gray.GetCanvas()->GetPixels(10, 10);
  EXPECT_EQ(GetRValue(c), GetGValue(c));
  EXPECT_EQ(GetGValue(c), GetBValue(c));
}

TEST(Jpeg, ScaleProgressiveAndCopies) {
  TJPEGImage jpeg;
  jpeg.Assign(Landscape(64, 48).get());
  jpeg.ProgressiveEncoding = true;
  const std::string data = Save(&jpeg);
  TJPEGImage loaded;
  TStringStream in(data);
  loaded.LoadFromStream(&in);
  loaded.SetScale(jsQuarter);
  EXPECT_EQ(loaded.GetWidth(), 16);
  EXPECT_EQ(loaded.GetHeight(), 12);
  TBitmap small;
  small.Assign(&loaded);
  EXPECT_EQ(small.GetWidth(), 16);

  TJPEGImage copy;
  copy.Assign(&loaded);
  EXPECT_EQ(Save(&copy), data);
  EXPECT_EQ(copy.GetScale(), jsQuarter);
  EXPECT_THROW(copy.SetWidth(10), EInvalidGraphicOperation);

  // Drawn on a canvas at its decoded size.
  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(20, 20);
  target.GetCanvas()->Draw(0, 0, &copy);
  EXPECT_NE(target.GetCanvas()->GetPixels(5, 5), clWhite);
  EXPECT_EQ(target.GetCanvas()->GetPixels(18, 18), clWhite);
}

TEST(Jpeg, DataThatIsNoJpegIsRefusedAndTheImageKept) {
  TJPEGImage jpeg;
  jpeg.Assign(Landscape().get());
  const std::string good = Save(&jpeg);
  for (const std::string& bad : {std::string("BM this is a bitmap"), std::string(), std::string("\xFF\xD8\xFF", 3)}) {
    TStringStream in(bad);
    try {
      jpeg.LoadFromStream(&in);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EJPEG& e) {
      EXPECT_EQ(e.Message.rfind("JPEG error", 0), 0u) << e.Message;
    }
    EXPECT_EQ(Save(&jpeg), good);
  }
  // Data cut after the header decodes as far as it goes (libjpeg warns and fills the rest).
  TJPEGImage cut;
  TStringStream in(good.substr(0, good.size() - 40));
  cut.LoadFromStream(&in);
  TBitmap decoded;
  decoded.Assign(&cut);
  EXPECT_EQ(decoded.GetWidth(), 67);
}

}  // namespace
