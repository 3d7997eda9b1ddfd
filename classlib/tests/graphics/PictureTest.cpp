// Icons, and pictures that hold any kind of graphic chosen by file extension.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "classlib/Bitmaps.h"
#include "classlib/Classes.h"
#include "classlib/Icons.h"
#include "classlib/Jpeg.h"
#include "classlib/Metafiles.h"
#include "tests/support/TestSupport.h"

namespace {

std::string SavePicture(TGraphic* graphic) {
  TStringStream stream;
  graphic->SaveToStream(&stream);
  return stream.GetDataString();
}

// A 16 x 16 icon: red square in the middle, transparent elsewhere.
HICON MakeIcon() {
  TBitmap color, mask;
  color.SetPixelFormat(pf32bit);
  color.SetSize(16, 16);
  color.GetCanvas()->GetBrush()->SetColor(clBlack);
  color.GetCanvas()->FillRect(Rect(0, 0, 16, 16));
  color.GetCanvas()->GetBrush()->SetColor(clRed);
  color.GetCanvas()->FillRect(Rect(4, 4, 12, 12));
  mask.SetMonochrome(true);
  mask.SetSize(16, 16);
  mask.GetCanvas()->GetBrush()->SetColor(clBlack);
  mask.GetCanvas()->FillRect(Rect(4, 4, 12, 12));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = color.GetHandle();
  info.hbmMask = mask.GetHandle();
  return ::CreateIconIndirect(&info);
}

TColor DrawnMiddleAndCorner(TGraphic* graphic, TColor& corner) {
  TBitmap ground;
  ground.SetPixelFormat(pf24bit);
  ground.SetSize(16, 16);
  ground.GetCanvas()->GetBrush()->SetColor(clGreen);
  ground.GetCanvas()->FillRect(Rect(0, 0, 16, 16));
  ground.GetCanvas()->Draw(0, 0, graphic);
  corner = ground.GetCanvas()->GetPixels(0, 0);
  return ground.GetCanvas()->GetPixels(8, 8);
}

TEST(Icon, FromAHandleToAFileAndBack) {
  TIcon icon;
  EXPECT_TRUE(icon.GetEmpty());
  icon.SetHandle(MakeIcon());
  EXPECT_FALSE(icon.GetEmpty());
  EXPECT_EQ(icon.GetWidth(), 16);
  EXPECT_EQ(icon.GetHeight(), 16);
  EXPECT_TRUE(icon.GetTransparent());
  TColor corner;
  EXPECT_EQ(DrawnMiddleAndCorner(&icon, corner), clRed);
  EXPECT_EQ(corner, clGreen);

  const std::string file = SavePicture(&icon);
  ASSERT_GE(file.size(), 6u + 16u + 40u);
  EXPECT_EQ(file.substr(0, 6), std::string("\0\0\1\0\1\0", 6));

  TIcon loaded;
  TStringStream in(file + "after the icon");
  loaded.LoadFromStream(&in);
  EXPECT_EQ(in.GetPosition(), static_cast<Int64>(file.size()));
  EXPECT_EQ(loaded.GetWidth(), 16);
  EXPECT_EQ(SavePicture(&loaded), file);  // the file image as read
  EXPECT_EQ(DrawnMiddleAndCorner(&loaded, corner), clRed);
  EXPECT_EQ(corner, clGreen);
  try {
    loaded.SetWidth(32);
    FAIL() << "no exception";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message, "Cannot change the size of an icon");
  }

  TIcon copy;
  copy.Assign(&loaded);
  EXPECT_EQ(SavePicture(&copy), file);
  TBitmap asBitmap;
  asBitmap.Assign(&loaded);  // drawn on white
  EXPECT_EQ(asBitmap.GetCanvas()->GetPixels(8, 8), clRed);
  EXPECT_EQ(asBitmap.GetCanvas()->GetPixels(0, 0), clWhite);
}

TEST(Icon, DrawnOnAMetafileWithItsPixels) {
  TIcon icon;
  icon.SetHandle(MakeIcon());
  TMetafile metafile;
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    canvas.Draw(0, 0, &icon);
  }
  const std::string emf = SavePicture(&metafile);
  int stretches = 0;
  for (std::size_t offset = 0; offset + 8 <= emf.size();) {
    DWORD type, size;
    std::memcpy(&type, emf.data() + offset, 4);
    std::memcpy(&size, emf.data() + offset + 4, 4);
    stretches += type == EMR_STRETCHBLT;
    offset += size;
  }
  EXPECT_EQ(stretches, 2);
  TColor corner;
  EXPECT_EQ(DrawnMiddleAndCorner(&metafile, corner), clRed);
  EXPECT_EQ(corner, clGreen);
}

TEST(Icon, InvalidFilesAreRefused) {
  for (const std::string& data : {std::string(), std::string("BM12345678"), std::string("\0\0\2\0\1\0", 6),
                                  std::string("\0\0\1\0\1\0", 6) + std::string(16, '\0')}) {
    TIcon icon;
    TStringStream in(data);
    try {
      icon.LoadFromStream(&in);
      ADD_FAILURE() << "accepted " << data.size() << " bytes";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message, "Icon image is not valid");
    }
    EXPECT_TRUE(icon.GetEmpty());
  }
}

TEST(Picture, LoadsEachKindByItsFileExtension) {
  testing_support::TempFolder temp;
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(8, 8);
  bitmap.GetCanvas()->GetBrush()->SetColor(clBlue);
  bitmap.GetCanvas()->FillRect(Rect(0, 0, 8, 8));
  bitmap.SaveToFile(temp.File("picture.BMP"));
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  jpeg.SaveToFile(temp.File("picture.jpg"));
  jpeg.SaveToFile(temp.File("picture.jpeg"));
  TMetafile metafile;
  { TMetafileCanvas canvas(&metafile, nullptr); canvas.Rectangle(0, 0, 5, 5); }
  metafile.SaveToFile(temp.File("picture.emf"));
  TIcon icon;
  icon.SetHandle(MakeIcon());
  icon.SaveToFile(temp.File("picture.ico"));

  const struct {
    const char* file;
    TClass kind;
  } cases[] = {{"picture.BMP", TBitmap::StaticClass()},
               {"picture.jpg", TJPEGImage::StaticClass()},
               {"picture.jpeg", TJPEGImage::StaticClass()},
               {"picture.emf", TMetafile::StaticClass()},
               {"picture.ico", TIcon::StaticClass()}};
  for (const auto& c : cases) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    picture.LoadFromFile(temp.File(c.file));
    ASSERT_NE(picture.GetGraphic(), nullptr) << c.file;
    EXPECT_EQ(picture.GetGraphic()->ClassType(), c.kind) << c.file;
    EXPECT_GT(picture.GetWidth(), 0) << c.file;
    EXPECT_EQ(changes, 1) << c.file;
    picture.SaveToFile(temp.File(std::string("again-") + c.file));
    EXPECT_TRUE(testing_support::ReadFileBytes(temp.File(std::string("again-") + c.file)).size() > 0);
  }

  TPicture picture;
  testing_support::WriteFileBytes(temp.File("picture.xyz"), "data");
  try {
    picture.LoadFromFile(temp.File("picture.xyz"));
    FAIL() << "no exception";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message, "Unknown picture file extension (.xyz)");
  }
  // A broken file leaves the picture as it was.
  picture.LoadFromFile(temp.File("picture.BMP"));
  testing_support::WriteFileBytes(temp.File("broken.bmp"), "BM broken");
  EXPECT_THROW(picture.LoadFromFile(temp.File("broken.bmp")), EInvalidGraphic);
  EXPECT_EQ(picture.GetWidth(), 8);
}

TEST(Picture, HoldsCopiesAndSwitchesKinds) {
  TBitmap bitmap;
  bitmap.SetSize(5, 3);
  TPicture picture;
  picture.SetGraphic(&bitmap);
  ASSERT_NE(picture.GetGraphic(), nullptr);
  EXPECT_NE(picture.GetGraphic(), &bitmap);
  EXPECT_EQ(picture.GetWidth(), 5);
  TBitmap* held = picture.GetBitmap();
  EXPECT_EQ(held, picture.GetGraphic());
  int changes = 0;
  picture.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
  held->SetSize(7, 3);  // changes of the held graphic reach the picture
  EXPECT_EQ(changes, 1);
  TMetafile* metafile = picture.GetMetafile();  // another kind: replaced by an empty one
  EXPECT_TRUE(metafile->GetEmpty());
  EXPECT_EQ(picture.GetWidth(), 0);

  TPicture other;
  other.Assign(&picture);
  EXPECT_EQ(other.GetGraphic()->ClassType(), TMetafile::StaticClass());
  other.Assign(nullptr);
  EXPECT_EQ(other.GetGraphic(), nullptr);
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_BITMAP));
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_ENHMETAFILE));
  EXPECT_FALSE(TPicture::SupportsClipboardFormat(CF_TEXT));
}

// A kind of graphic registered by a unit of its own.
class TTestGraphic : public TBitmap {
  CLASS_INFO(TTestGraphic, TBitmap)
};

TEST(Picture, FileFormatRegistry) {
  EXPECT_EQ(TPicture::FileFormatClass(".BMP"), TBitmap::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("wmf"), TMetafile::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("tst"), nullptr);
  TPicture::RegisterFileFormat("tst", "Test pictures", TTestGraphic::StaticClass());
  TPicture::RegisterFileFormat("bmp", "Test bitmaps", TTestGraphic::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("TST"), TTestGraphic::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("bmp"), TTestGraphic::StaticClass());  // the later wins
  TPicture::UnregisterGraphicClass(TTestGraphic::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("tst"), nullptr);
  EXPECT_EQ(TPicture::FileFormatClass("bmp"), TBitmap::StaticClass());
}

}  // namespace
