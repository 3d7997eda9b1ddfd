// Plain text from documents and selections, 8-bit and UTF-16, byte for byte.
#include <string>

#include "classlib/SysUtils.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

class TextWriterTest : public testing_support::IsolatedTest {
protected:
  std::string Save(bool Unicode, bool Selection = false, bool TextOnly = false, Integer LineWidth = 5) {
    TMemoryStream stream;
    EXPECT_TRUE(doc.SaveTextToStream(&stream, AnsiString(), LineWidth, Selection, TextOnly, Unicode));
    return std::string(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  }

  TUVStyle style{nullptr};
  TUVWindowlessData doc{&style};
};

TEST_F(TextWriterTest, ParagraphsAndLinesEndWithCRLF) {
  doc.AddNL("a", 0, 0);
  doc.AddNL("b", 0, 0);
  EXPECT_EQ(Save(false), "a\r\nb");
  EXPECT_EQ(Save(true), std::string("a\0\r\0\n\0b\0", 8));
  doc.AddNL("c", 0, 0);
  doc.GetItem(2)->SetBreaksLine(true);
  doc.Add("d", 1);
  EXPECT_EQ(Save(false), "a\r\nb\r\ncd");
}

TEST_F(TextWriterTest, TextIsConvertedToTheOutputEncoding) {
  TFontInfo* unicode = style.GetTextStyles()->Add();
  unicode->Unicode = true;
  TFontInfo* cyrillic = style.GetTextStyles()->Add();
  cyrillic->Charset = RUSSIAN_CHARSET;
  doc.AddNL(UVUniWideStringToRaw(L"caf\x00E9 \x4E2D"), 6, 0);
  doc.AddNL("\xC6", 7, 0);
  EXPECT_EQ(Save(false), "caf\xE9 ?\r\n\xC6");
  EXPECT_EQ(Save(true), UVUniWideStringToRaw(L"caf\x00E9 \x4E2D\r\n\x0416"));
}

TEST_F(TextWriterTest, ItemsThatAreNotTextGiveTheirOwnText) {
  doc.AddNL("above", 0, 0);
  auto* line = new TUVBreakItemInfo(&doc, 1, 0, clNone);
  line->ParaNo = 0;
  doc.AddItem("", line);
  TBitmap* bitmap = new TBitmap;
  bitmap->SetSize(1, 1);
  auto* picture = new TUVGraphicItemInfo(&doc, bitmap, 0);
  picture->ParaNo = 0;
  doc.AddItem("pic", picture);
  doc.Add("after", 0);
  EXPECT_EQ(Save(false), "above\r\n-----\r\nafter");
  EXPECT_EQ(Save(true), UVUniWideStringToRaw(L"above\r\n-----\r\nafter"));
  // Only items that count as text go into a text-only export.
  EXPECT_EQ(Save(false, false, true), "above\r\n\r\nafter");
}

TEST_F(TextWriterTest, SelectionsGiveTheirPartsAndListNumbers) {
  TUVListLevel* level = style.GetListStyles()->Add()->GetLevels()->Add();
  level->ListType = uvlstDecimal;
  level->FormatString = "%s.";
  doc.AddNL("first line", 0, 0);
  auto* marker = new TUVMarkerItemInfo(&doc, 0, 0, 1, false);
  marker->ParaNo = 0;
  doc.AddItem("", marker);
  doc.Add("item text", 0);
  doc.FormatDefault(false);
  doc.SetSelBoundsFromItems(0, 7, 2, 5);
  EXPECT_EQ(Save(false, true), "line\r\n1. item");
  doc.SetSelBoundsFromItems(2, 6, 2, 10);
  EXPECT_EQ(Save(false, true), "1. text");
  doc.SetSelBoundsFromItems(0, 2, 0, 6);
  EXPECT_EQ(Save(true, true), UVUniWideStringToRaw(L"irst"));
}

TEST_F(TextWriterTest, SaveTextReplacesTheFile) {
  doc.AddNL("new", 0, 0);
  std::string file = temp_.File("out.txt");
  testing_support::WriteFileBytes(file, "old content that is longer");
  ASSERT_TRUE(doc.SaveText(file, 10, false));
  EXPECT_EQ(testing_support::ReadFileBytes(file), "new");
  EXPECT_FALSE(doc.SaveText(temp_.File("missing\\folder\\out.txt"), 10, false));
}

}  // namespace
