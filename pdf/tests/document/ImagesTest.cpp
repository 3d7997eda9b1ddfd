#include <cstdlib>

#include "PdfTestSupport.h"
#include "classlib/Bitmaps.h"
#include "classlib/Jpeg.h"
#include "classlib/Metafiles.h"

using namespace pdf_test;

namespace {

// A 24-bit bitmap in four quadrants: red, green / blue, white.
std::unique_ptr<TBitmap> Quadrants(int size) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(size, size);
  for (int y = 0; y < size; ++y) {
    Byte* row = static_cast<Byte*>(b->GetScanLine(y));
    for (int x = 0; x < size; ++x) {
      const unsigned rgb = y < size / 2 ? (x < size / 2 ? 0xFF0000 : 0x00FF00) : (x < size / 2 ? 0x0000FF : 0xFFFFFF);
      row[3 * x] = static_cast<Byte>(rgb);            // blue
      row[3 * x + 1] = static_cast<Byte>(rgb >> 8);   // green
      row[3 * x + 2] = static_cast<Byte>(rgb >> 16);  // red
    }
  }
  return b;
}

// Whether pixel (x, y) of the fax pattern is black: stripes, a diagonal, long runs and noise.
bool PatternBlack(int x, int y) {
  if (y == 0) return false;
  if (y == 1) return true;
  if (y < 8) return (x / (y + 1)) % 2 == 0;
  if (y < 16) return x == y || x == y + 1 || x + y == 60;
  if (y < 20) return x >= 3 && x < 150;
  unsigned h = static_cast<unsigned>(x * 7919 + y * 104729);
  h ^= h >> 13;
  h *= 0x5bd1e995;
  return (h >> 7) % 3 == 0;
}

constexpr int kFaxWidth = 203, kFaxHeight = 41;

std::unique_ptr<TBitmap> FaxPattern() {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf1bit);
  b->SetSize(kFaxWidth, kFaxHeight);
  for (int y = 0; y < kFaxHeight; ++y) {
    Byte* row = static_cast<Byte*>(b->GetScanLine(y));
    std::memset(row, 0, (kFaxWidth + 7) / 8);
    for (int x = 0; x < kFaxWidth; ++x)
      if (!PatternBlack(x, y)) row[x / 8] |= static_cast<Byte>(0x80 >> (x % 8));  // 1 is white
  }
  return b;
}

int Channel(unsigned rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

bool Near(unsigned a, unsigned b, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(Channel(a, shift) - Channel(b, shift)) > tolerance) return false;
  return true;
}

class PdfImagesTest : public PdfTest {};

TEST_F(PdfImagesTest, FlateAndJpegImagesRenderTheirColours) {
  auto bitmap = Quadrants(40);
  const std::string path = Begin("colour.pdf");
  const Integer flate = doc_->AddImage(bitmap.get(), itcFlate);
  const Integer jpeg = doc_->AddImage(bitmap.get(), itcJpeg);
  EXPECT_EQ(flate, 0);
  EXPECT_EQ(jpeg, 1);
  TPDFPage* page = doc_->GetCurrentPage();
  // Each image pixel covers 2 x 2 points.
  page->ShowImagePt(flate, 100, 600, 80, 80);
  page->ShowImagePt(jpeg, 300, 600, 80, 80);
  doc_->EndDoc();
  const pdf_checks::PdfFile file = ExpectSoundPdf(path);

  const pdf_checks::Raster r = pdf_checks::RenderPage(path, 1, 72);
  ASSERT_EQ(r.Width, 595);
  ASSERT_EQ(r.Height, 842);
  const struct {
    int dx, dy;
    unsigned rgb;
  } quadrants[] = {{20, 20, 0xFF0000}, {60, 20, 0x00FF00}, {20, 60, 0x0000FF}, {60, 60, 0xFFFFFF}};
  for (const auto& q : quadrants) {
    // The image's top edge is at 600 + 80 points from the bottom.
    const int y = 842 - 680 + q.dy;
    EXPECT_EQ(r.Pixel(100 + q.dx, y), q.rgb) << "flate " << q.dx << "," << q.dy;
    EXPECT_TRUE(Near(r.Pixel(300 + q.dx, y), q.rgb, 40)) << "jpeg " << q.dx << "," << q.dy << " " << std::hex
                                                        << r.Pixel(300 + q.dx, y);
  }
  int images = 0;
  for (const auto& [n, o] : file.Objects) {
    if (o.Dictionary.find("/Subtype /Image") == std::string::npos) continue;
    ++images;
    EXPECT_NE(o.Dictionary.find("/ColorSpace /DeviceRGB"), std::string::npos);
    EXPECT_NE(o.Dictionary.find("/BitsPerComponent 8"), std::string::npos);
    EXPECT_NE(o.Dictionary.find("/Width 40\r\n/Height 40"), std::string::npos);
  }
  EXPECT_EQ(images, 2);
}

TEST_F(PdfImagesTest, CCITTImagesRenderEveryPixel) {
  auto bitmap = FaxPattern();
  for (TImageCompressionType kind : {itcCCITT3, itcCCITT32d, itcCCITT4}) {
    SCOPED_TRACE(kind);
    const std::string path = Begin("fax" + std::to_string(kind) + ".pdf");
    const Integer index = doc_->AddImage(bitmap.get(), kind);
    doc_->GetCurrentPage()->ShowImagePt(index, 50, 400, kFaxWidth * 2, kFaxHeight * 2);
    doc_->EndDoc();
    const pdf_checks::PdfFile file = ExpectSoundPdf(path);
    const char* k = kind == itcCCITT3 ? "0" : kind == itcCCITT32d ? "1" : "-1";
    bool found = false;
    for (const auto& [n, o] : file.Objects) {
      if (o.Dictionary.find("/Subtype /Image") == std::string::npos) continue;
      found = true;
      EXPECT_NE(o.Dictionary.find("/ColorSpace /DeviceGray\r\n/BitsPerComponent 1"), std::string::npos);
      EXPECT_NE(o.Dictionary.find("/Filter [/CCITTFaxDecode]"), std::string::npos);
      EXPECT_NE(o.Dictionary.find(std::string("/DecodeParms [<</K ") + k + " /Columns 203 /Rows 41>>]"),
                std::string::npos)
          << o.Dictionary;
    }
    EXPECT_TRUE(found);
    // At 144 dpi each image pixel is 4 x 4 device pixels (at exactly 2 x 2 the renderer's
    // upscaling of 1-bit images shifts rows).
    const pdf_checks::Raster r = pdf_checks::RenderPage(path, 1, 144);
    ASSERT_EQ(r.Width, 1190);
    int wrong = 0;
    for (int y = 0; y < kFaxHeight; ++y) {
      for (int x = 0; x < kFaxWidth; ++x) {
        const unsigned pixel = r.Pixel(2 * (50 + 2 * x) + 2, 2 * (842 - 400 - 2 * kFaxHeight + 2 * y) + 2);
        const bool black = pixel == 0;
        if (black != PatternBlack(x, y) || (pixel != 0 && pixel != 0xFFFFFF)) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(PdfImagesTest, OneBitBitmapAsFlateAndGrayscaleJpeg) {
  auto fax = FaxPattern();
  auto colour = Quadrants(16);
  TJPEGImage gray;
  gray.Assign(colour.get());
  gray.SetGrayscale(true);
  const std::string path = Begin("kinds.pdf");
  const Integer flate = doc_->AddImage(fax.get(), itcFlate);
  const Integer jpeg = doc_->AddImage(&gray, itcJpeg);
  doc_->GetCurrentPage()->ShowImagePt(flate, 10, 10, 203, 41);
  doc_->GetCurrentPage()->ShowImagePt(jpeg, 10, 100, 32, 32);
  doc_->EndDoc();
  const pdf_checks::PdfFile file = ExpectSoundPdf(path);
  std::vector<std::string> spaces;
  for (const auto& [n, o] : file.Objects)
    if (o.Dictionary.find("/Subtype /Image") != std::string::npos)
      spaces.push_back(file.Value(n, "/ColorSpace") + " " + file.Value(n, "/BitsPerComponent"));
  EXPECT_EQ(spaces, (std::vector<std::string>{"/DeviceRGB 8", "/DeviceGray 8"}));
  // The page's /ProcSet names both kinds of image.
  bool procSet = false;
  for (const auto& [n, o] : file.Objects)
    procSet = procSet || o.Dictionary.find("/ProcSet [/PDF /ImageB /ImageC ]") != std::string::npos;
  EXPECT_TRUE(procSet);
}

TEST_F(PdfImagesTest, ImagesThatCannotBeAdded) {
  Begin("refused.pdf");
  auto message = [](auto&& call) -> std::string {
    try {
      call();
    } catch (const Exception& e) {
      return e.Message;
    }
    return "no exception";
  };
  TMetafile metafile;
  metafile.SetWidth(10);
  metafile.SetHeight(10);
  EXPECT_EQ(message([&] { doc_->AddImage(&metafile, itcFlate); }), "Not valid image.");
  TJPEGImage jpeg;
  jpeg.Assign(Quadrants(8).get());
  EXPECT_EQ(message([&] { doc_->AddImage(&jpeg, itcCCITT4); }), "CCITT compression work only for bitmap");
  auto colour = Quadrants(8);
  EXPECT_EQ(message([&] { doc_->AddImage(colour.get(), itcCCITT3); }), "Not b/w image.");
  EXPECT_EQ(doc_->GetImages()->GetCount(), 0);
  EXPECT_EQ(message([&] { doc_->GetCurrentPage()->ShowImagePt(0, 0, 0, 1, 1); }), "Out of range");
  doc_->Abort();
  EXPECT_EQ(message([&] { doc_->AddImage(colour.get(), itcFlate); }), "Generation PDF file not activated");
}

TEST_F(PdfImagesTest, ImageSharedByPagesIsWrittenOnce) {
  for (bool onePass : {false, true}) {
    SCOPED_TRACE(onePass);
    doc_->SetOnePass(onePass);
    auto bitmap = Quadrants(10);
    const std::string path = Begin(onePass ? "shared1.pdf" : "shared2.pdf");
    const Integer index = doc_->AddImage(bitmap.get(), itcFlate);
    doc_->AddImage(bitmap.get(), itcJpeg);  // never shown: written at the end unless in one pass
    doc_->GetCurrentPage()->ShowImagePt(index, 10, 10, 100, 100, 30);
    doc_->NewPage();
    doc_->GetCurrentPage()->ShowImagePt(index, 10, 10, 100, 100);
    doc_->EndDoc();
    const pdf_checks::PdfFile file = ExpectSoundPdf(path);
    int images = 0, references = 0;
    for (const auto& [n, o] : file.Objects) {
      if (o.Dictionary.find("/Subtype /Image") != std::string::npos) ++images;
      if (o.Dictionary.find("/XObject <<\r\n/Im0 ") != std::string::npos) ++references;
    }
    EXPECT_EQ(images, onePass ? 1 : 2);
    EXPECT_EQ(references, 2);
  }
}

}  // namespace
