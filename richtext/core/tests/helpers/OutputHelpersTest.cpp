// The helpers that the readers and writers share: hexadecimal coding, header fields, tags,
// HTML colours and font tags, picture drawing, and what a document does for its readers.
#include <memory>
#include <string>

#include "classlib/Bitmaps.h"
#include "classlib/Metafiles.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Bytes(TMemoryStream& Stream) {
  return std::string(static_cast<const char*>(Stream.GetMemory()), static_cast<std::size_t>(Stream.GetSize()));
}

TEST(OutputHelpers, HexCoding) {
  EXPECT_EQ(UVFStrToHex(std::string("\x00\xFF\x1B", 3)), "00FF1B");
  EXPECT_EQ(UVFWideStrToHex(L"\x00E9\xABCD"), "00E9ABCD");
  EXPECT_EQ(UVFHexToWideStr("00E9abcd"), L"\x00E9\xABCD");
  EXPECT_EQ(UVFHexToWideStr("00E"), L"");
  EXPECT_EQ(UVFHexToStr("41424G43"), "AB");

  const struct {
    const char* Hex;
    bool Ok;
    std::string Bytes;
  } cases[] = {{"0a1B", true, "\x0A\x1B"}, {"0G", false, ""}, {"ABC", false, ""}, {"", true, ""}};
  for (const auto& c : cases) {
    TMemoryStream stream;
    EXPECT_EQ(UVFHexToStream(c.Hex, &stream), c.Ok) << c.Hex;
    if (c.Ok) {
      EXPECT_EQ(Bytes(stream), c.Bytes) << c.Hex;
    }
  }
}

TEST(OutputHelpers, PicturesInBinaryLinesCarryTheirLength) {
  TBitmap bitmap;
  bitmap.SetSize(2, 2);
  TMemoryStream stream;
  stream.WriteBuffer("xy", 2);
  UVFSavePictureBinary(&stream, &bitmap);
  const std::string data = Bytes(stream);
  Integer size;
  std::memcpy(&size, data.data() + 2, 4);
  EXPECT_EQ(size, static_cast<Integer>(data.size()) - 6);
  EXPECT_EQ(stream.GetPosition(), stream.GetSize());
  TBitmap read;
  UVFLoadPictureBinary(data.substr(6), &read);
  EXPECT_EQ(read.GetWidth(), 2);
  EXPECT_EQ(UVFSavePicture(&bitmap), UVFStrToHex(data.substr(6)));
}

TEST(OutputHelpers, HeaderFields) {
  const char* p = "-12 5";
  Integer value = 0;
  ASSERT_TRUE(UVFReadInteger(p, value));
  EXPECT_EQ(value, -12);
  EXPECT_STREQ(p, "5");
  const char* bad = "1x";
  EXPECT_FALSE(UVFReadInteger(bad, value));

  TUVStyle style(nullptr);
  const struct {
    const char* Field;
    Integer Expected;
    const char* Rest;
  } styles[] = {{"3 x", 3, "x"}, {"\"Heading\" x", 1, "x"}, {"\"Jump 2\"", 5, ""}, {"\"No such style\" x", 0, "x"}};
  for (const auto& c : styles) {
    const char* q = c.Field;
    Integer no = -1;
    ASSERT_TRUE(UVFReadTextStyle(q, &style, no)) << c.Field;
    EXPECT_EQ(no, c.Expected) << c.Field;
    EXPECT_STREQ(q, c.Rest) << c.Field;
  }
  const char* para = "\"Centered\" 0";
  Integer paraNo = -1;
  ASSERT_TRUE(UVFReadParaStyle(para, &style, paraNo));
  EXPECT_EQ(paraNo, 1);
  const char* unquoted = "Centered";
  EXPECT_FALSE(UVFReadParaStyle(unquoted, &style, paraNo));

  TUVWindowlessData doc(&style);
  doc.AddNL("a", 0, 1);
  doc.Add("b", 0);
  EXPECT_EQ(UVFItemParaNoToStr(&doc, doc.GetItem(0)), "1");
  EXPECT_EQ(UVFItemParaNoToStr(&doc, doc.GetItem(1)), "-1");
  doc.UVFOptions = TUVFOptions{uvfoUseStyleNames};
  EXPECT_EQ(UVFItemParaNoToStr(&doc, doc.GetItem(0)), "\"Centered\"");
}

TEST(OutputHelpers, Tags) {
  TUVTag a = UVMakeStringTag("tag");
  TUVTag copy = CopyItemTag(a, true);
  EXPECT_NE(copy, a);
  EXPECT_TRUE(UVCompareTags(a, copy, true));
  EXPECT_FALSE(UVCompareTags(a, 0, true));
  EXPECT_TRUE(UVCompareTags(0, 0, true));
  EXPECT_EQ(UVFTagToStr(a, true), "tag");
  EXPECT_EQ(UVFTagToStr(0, true), "0");
  EXPECT_EQ(UVFTagToStr(-7, false), "-7");
  EXPECT_EQ(CopyItemTag(42, false), 42);
  UVFreeStringTag(a);
  UVFreeStringTag(copy);
}

TEST(OutputHelpers, TextAndBuffers) {
  EXPECT_EQ(ReplaceTabsAnsi("a\tb", 3), "a   b");
  EXPECT_EQ(ReplaceTabsUnicode(std::string("a\0\t\0", 4), 2), std::string("a\0 \0 \0", 6));
  const char buffer[] = "abcd";
  EXPECT_EQ(FindByteInBuffer(buffer, 4, 'c'), 3);
  EXPECT_EQ(FindByteInBuffer(buffer, 2, 'c'), 0);
  EXPECT_EQ(FindByteInBuffer(nullptr, 4, 'c'), 0);
  EXPECT_FALSE(IsPointInRect(15, 5, 5, 5, 10, 10));
  EXPECT_TRUE(IsPointInRect(14, 14, 5, 5, 10, 10));
}

TEST(OutputHelpers, HTMLColoursAndFontTags) {
  EXPECT_EQ(ColorToHTMLString(clRed), "#FF0000");
  EXPECT_EQ(ColorToHTMLString(clWindowText), "#000000");
  EXPECT_EQ(ColorToHTMLString(clNone), "");
  EXPECT_EQ(UVMakeHTMLPath("a\\b\\c.jpg"), "a/b/c.jpg");

  TUVStyle style(nullptr);
  TFontInfo* base = style.GetTextStyles()->GetItem(0);
  TFontInfo* heading = style.GetTextStyles()->GetItem(1);
  EXPECT_EQ(UVOpenHTMLFontTags(base, nullptr), "<FONT size=2 color=#000000 face=\"Arial\">");
  EXPECT_EQ(UVCloseHTMLFontTags(base, nullptr), "</FONT>");
  EXPECT_EQ(UVOpenHTMLFontTags(heading, base), "<FONT color=#0000FF><B>");
  EXPECT_EQ(UVCloseHTMLFontTags(heading, base), "</B></FONT>");
  // Styles the base has and this one lacks are closed first and opened again afterwards.
  TFontInfo* plainLarge = style.GetTextStyles()->Add();
  plainLarge->Size = 20;
  plainLarge->VShift = 10;
  EXPECT_EQ(UVOpenHTMLFontTags(plainLarge, heading), "<FONT size=6 color=#000000></B><SUP>");
  EXPECT_EQ(UVCloseHTMLFontTags(plainLarge, heading), "</SUP><B></FONT>");
  EXPECT_EQ(UVFontSizeToHTML(8), 1);
  EXPECT_EQ(UVFontSizeToHTML(12), 3);
  EXPECT_EQ(UVFontSizeToHTML(30), 7);
}

TEST(OutputHelpers, DrawingAPictureScaledToTheDevice) {
  TBitmap picture;
  picture.SetSize(2, 2);
  picture.GetCanvas()->GetBrush()->SetColor(clRed);
  picture.GetCanvas()->FillRect(Rect(0, 0, 2, 2));
  TUVScreenAndDevice sad;
  sad.DevicePpiX = sad.DevicePpiY = 192;
  for (bool stretch : {false, true}) {
    TBitmap target;
    target.SetSize(10, 10);
    target.GetCanvas()->GetBrush()->SetColor(clWhite);
    target.GetCanvas()->FillRect(Rect(0, 0, 10, 10));
    UVDrawGraphic(target.GetCanvas(), 1, 1, -1, -1, &picture, sad, stretch);
    EXPECT_EQ(target.GetCanvas()->GetPixels(1, 1), clRed) << stretch;
    EXPECT_EQ(target.GetCanvas()->GetPixels(4, 4), clRed) << stretch;
    EXPECT_EQ(target.GetCanvas()->GetPixels(5, 5), clWhite) << stretch;
  }
  // Without stretching only bitmaps are drawn.
  TMetafile metafile;
  metafile.SetWidth(4);
  metafile.SetHeight(4);
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    canvas.GetBrush()->SetColor(clBlue);
    canvas.FillRect(Rect(0, 0, 4, 4));
  }
  TBitmap target;
  target.SetSize(10, 10);
  target.GetCanvas()->GetBrush()->SetColor(clWhite);
  target.GetCanvas()->FillRect(Rect(0, 0, 10, 10));
  UVDrawGraphic(target.GetCanvas(), 0, 0, -1, -1, &metafile, TUVScreenAndDevice(), false);
  EXPECT_EQ(target.GetCanvas()->GetPixels(1, 1), clWhite);
  UVDrawGraphic(target.GetCanvas(), 0, 0, -1, -1, &metafile, TUVScreenAndDevice(), true);
  EXPECT_EQ(target.GetCanvas()->GetPixels(1, 1), clBlue);
}

// A document that shows the items of another, as printable copies do.
class SharingDocument : public TUVWindowlessData {
public:
  using TUVWindowlessData::TUVWindowlessData;
  // The base class frees the list it finds: give it one of its own again.
  ~SharingDocument() override { Items = new TStringList; }
  bool ShareItems() override { return true; }
};

TEST(OutputHelpers, DocumentsForTheReaders) {
  TUVStyle style(nullptr);
  TUVWindowlessData source(&style);
  source.AddNL("shared", 0, 0);
  SharingDocument copy(&style);
  TStringList* own = copy.Items;
  copy.TakeItemsFrom(&source);
  EXPECT_EQ(copy.Items, source.Items);
  EXPECT_EQ(copy.GetItemText(0), "shared");
  delete own;
  // An ordinary document keeps its own items.
  TUVWindowlessData other(&style);
  other.TakeItemsFrom(&source);
  EXPECT_NE(other.Items, source.Items);
  other.UpdateItemsStyleContext();
}

}  // namespace
