// Building documents the way the program does, and what the items and the document keep.
#include <memory>

#include "classlib/Bitmaps.h"
#include "classlib/Metafiles.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

class DocumentTest : public testing_support::IsolatedTest {
protected:
  TUVStyle style{nullptr};
  TUVWindowlessData doc{&style};

  AnsiString Text(Integer i) { return doc.GetItemText(i); }
};

TEST_F(DocumentTest, AddNLStartsParagraphsAndAddContinuesThem) {
  doc.AddNL("Hello", 0, 0);
  doc.Add(" world", 1);
  doc.AddNL("Next", 0, 1);
  ASSERT_EQ(doc.GetItemCount(), 3);
  EXPECT_TRUE(doc.IsParaStart(0));
  EXPECT_FALSE(doc.IsParaStart(1));
  EXPECT_EQ(doc.GetItemPara(1), 0);  // takes the paragraph style of the item before
  EXPECT_EQ(doc.GetItemOptions(1), uvioSameAsPrev);
  EXPECT_TRUE(doc.IsParaStart(2));
  EXPECT_EQ(doc.GetItemPara(2), 1);
  EXPECT_EQ(doc.GetFirstParaItem(1), 0);
}

TEST_F(DocumentTest, ContinuingAnEmptyDocumentOrAfterABreakStartsAParagraphOfStyleZero) {
  doc.Add("first", 0);
  EXPECT_TRUE(doc.IsParaStart(0));
  EXPECT_EQ(doc.GetItemPara(0), 0);
  doc.AddItem("", new TUVBreakItemInfo(&doc));
  doc.GetItem(1)->ParaNo = 0;
  doc.Add("after", 0);
  EXPECT_TRUE(doc.IsParaStart(2));
  EXPECT_EQ(doc.GetItemPara(2), 0);
}

TEST_F(DocumentTest, AParagraphAfterAListMarkerGetsAnEmptyTextItemFirst) {
  TUVListLevel* level = style.GetListStyles()->Add()->GetLevels()->Add();
  level->ListType = uvlstDecimal;
  doc.AddItem("", new TUVMarkerItemInfo(&doc, 0, 0, 1, false));
  doc.AddNL("para", 0, 1);
  ASSERT_EQ(doc.GetItemCount(), 3);
  EXPECT_EQ(doc.GetItemStyle(1), 0);
  EXPECT_EQ(Text(1), "");
  EXPECT_FALSE(doc.IsParaStart(1));
  EXPECT_TRUE(doc.IsParaStart(2));
}

TEST_F(DocumentTest, TabsBecomeSpacesOfTheStyleSheet) {
  style.SpacesInTab = 4;
  doc.AddNL("a\tb\tc", 0, 0);
  EXPECT_EQ(Text(0), "a    b    c");  // two tabs add 6 characters
  TCustomUVData plain;
  plain.AddNL("x\ty", 0, 0);
  EXPECT_EQ(plain.GetItemText(0), "x        y");
}

TEST_F(DocumentTest, UnicodeStylesKeepUTF16AndRefuseOddLengths) {
  style.GetTextStyles()->GetItem(1)->Unicode = true;
  doc.AddNL(UVUniWideStringToRaw(L"\x3b1\t\x3b2"), 1, 0);
  EXPECT_TRUE(doc.GetItem(0)->IsUnicode());
  EXPECT_EQ(UVUniRawToWide(Text(0)), L"\x3b1        \x3b2");
  EXPECT_EQ(doc.GetItemLength(0), 10);
  EXPECT_EQ(doc.GetOffsAfterItem(0), 11);
  EXPECT_THROW(doc.AddNL("odd", 1, 0), EUzurUvadError);
  EXPECT_EQ(doc.GetItemCount(), 1);
}

TEST_F(DocumentTest, AddParagraphsOffMakesLineBreaksInsideOneParagraph) {
  doc.AddNL("one", 0, 0);
  doc.AddParagraphs = false;
  doc.AddNL("two", 0, 0);
  doc.AddParagraphs = true;
  EXPECT_FALSE(doc.IsParaStart(1));
  EXPECT_TRUE(doc.GetItem(1)->GetBreaksLine());
  EXPECT_TRUE(doc.IsLineStart(1));
  EXPECT_EQ(doc.GetFirstLineItem(1), 1);
  EXPECT_EQ(doc.GetFirstParaItem(1), 0);
}

TEST_F(DocumentTest, OptionBitsFollowTheirRules) {
  TUVTextItemInfo text(&doc);
  text.SetContinuesPara(true);
  text.SetPageBreakBefore(true);  // a page break starts a paragraph
  EXPECT_EQ(text.ItemOptions, uvioPageBreakBefore);
  text.SetBreaksLine(true);
  EXPECT_EQ(text.ItemOptions, uvioPageBreakBefore | uvioBR);
  text.SetContinuesPara(true);
  EXPECT_EQ(text.ItemOptions, uvioSameAsPrev);
  TUVBreakItemInfo line(&doc);
  line.SetBreaksLine(true);  // refused by items that take a whole line
  EXPECT_EQ(line.ItemOptions, 0);
}

TEST_F(DocumentTest, PageBreakAccessChecksTheIndexAndFollowsMarkers) {
  doc.AddNL("a", 0, 0);
  EXPECT_THROW(doc.GetPageBreakBefore(1), EUzurUvadError);
  EXPECT_THROW(doc.SetPageBreakBefore(-1, true), EUzurUvadError);
  try {
    doc.GetPageBreakBefore(5);
  } catch (const EUzurUvadError& e) {
    EXPECT_EQ(e.Message, "Item index is out of bounds");
  }
  style.GetListStyles()->Add()->GetLevels()->Add();
  auto* marker = new TUVMarkerItemInfo(&doc, 0, 0, 1, false);
  doc.AddItem("", marker);
  doc.Add("item", 0);
  marker->SetPageBreakBefore(true);
  EXPECT_TRUE(doc.GetPageBreakBefore(2));
}

TEST_F(DocumentTest, CheckpointsArePendingUntilTheNextItem) {
  EXPECT_EQ(doc.AddCheckpoint(), 0);
  EXPECT_EQ(doc.AddCheckpoint(), 0);  // a second call changes nothing
  EXPECT_EQ(doc.CPCount, 1);
  doc.AddNL("a", 0, 0);
  ASSERT_NE(doc.GetItemCheckpoint(0), nullptr);
  EXPECT_EQ(doc.FirstCP, doc.GetItemCheckpoint(0));
  EXPECT_EQ(doc.GetItemCheckpoint(0)->ItemInfo, doc.GetItem(0));
  EXPECT_EQ(doc.AddNamedCheckpointExTag("second", true, 7), 1);
  doc.AddNL("b", 0, 0);
  doc.AddNL("c", 0, 0);
  EXPECT_EQ(doc.CPCount, 2);
  EXPECT_EQ(doc.LastCP->Name, "second");
  EXPECT_EQ(doc.LastCP->Tag, 7);
  EXPECT_EQ(doc.FirstCP->Next, doc.LastCP);
  EXPECT_EQ(doc.GetCheckpointBeforeItem(0), nullptr);
  EXPECT_EQ(doc.GetCheckpointBeforeItem(1), doc.FirstCP);
  EXPECT_EQ(doc.GetCheckpointBeforeItem(2), doc.LastCP);
  doc.DeleteItems(0, 1);
  EXPECT_EQ(doc.CPCount, 1);
  EXPECT_EQ(doc.FirstCP, doc.LastCP);
  EXPECT_EQ(doc.FirstCP->Name, "second");
}

TEST_F(DocumentTest, StringTagsAreOwnedCopiedAndComparedByText) {
  doc.Options << uvoTagsArePChars;
  doc.AddTextItemTag("a", 0, 0, UVMakeStringTag("one"));
  TCustomUVItemInfo* copy = TCustomUVItemInfo::CreateCopy(doc.GetItem(0), &doc);
  EXPECT_NE(copy->Tag, doc.GetItem(0)->Tag);
  EXPECT_TRUE(UVCompareTags(copy->Tag, doc.GetItem(0)->Tag, true));
  doc.AddItem("b", copy);
  EXPECT_EQ(UVTagText(doc.GetItem(1)->Tag), "one");
  doc.Clear();  // frees both strings
  EXPECT_EQ(doc.GetItemCount(), 0);
}

TEST_F(DocumentTest, MergingJoinsTextsOfTheSameKind) {
  struct Case {
    const char* name;
    const char* first;
    Integer firstStyle;
    const char* second;
    Integer secondStyle;
    bool sameLine;
    bool checkpoint;
    bool merges;
    const char* result;
  } cases[] = {
      {"same style", "ab", 0, "cd", 0, true, false, true, "abcd"},
      {"other style", "ab", 0, "cd", 1, true, false, false, "ab"},
      {"new paragraph", "ab", 0, "cd", 0, false, false, false, "ab"},
      {"empty first of another style", "", 1, "cd", 0, true, false, true, "cd"},
      {"empty second", "ab", 0, "", 1, true, false, true, "ab"},
      {"checkpoint on the second", "ab", 0, "cd", 0, true, true, false, "ab"},
      {"checkpoint after an empty first", "", 1, "cd", 0, true, true, true, "cd"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    doc.Clear();
    doc.AddNL(c.first, c.firstStyle, 0);
    if (c.checkpoint) doc.AddNamedCheckpointExTag("cp", false, 0);
    if (c.sameLine)
      doc.Add(c.second, c.secondStyle);
    else
      doc.AddNL(c.second, c.secondStyle, 0);
    EXPECT_EQ(doc.CanMergeTextItems(0, false), c.merges);
    doc.NormalizeTextItems(0, 1);
    EXPECT_EQ(doc.GetItemCount(), c.merges ? 1 : 2);
    EXPECT_EQ(Text(0), c.result);
    if (c.merges && c.first[0] == 0) {
      // The kept second item took the paragraph start of the first and kept its own style.
      EXPECT_TRUE(doc.IsParaStart(0));
      EXPECT_EQ(doc.GetItemStyle(0), c.secondStyle);
    }
    if (c.checkpoint) {
      EXPECT_NE(doc.FirstCP, nullptr);
    }
  }
}

TEST_F(DocumentTest, MergingRespectsTagsProtectionAndUnicode) {
  doc.AddTextItemTag("a", 0, 0, 1);
  doc.AddTextItemTag("b", 0, -1, 2);
  EXPECT_FALSE(doc.CanMergeTextItems(0, false));
  doc.Clear();
  style.GetTextStyles()->GetItem(0)->Protection << uvprConcateProtect;
  doc.AddNL("a", 0, 0);
  doc.Add("b", 0);
  EXPECT_FALSE(doc.CanMergeTextItems(0, false));
  style.GetTextStyles()->GetItem(0)->Protection = TUVProtectOptions();
  EXPECT_TRUE(doc.CanMergeTextItems(0, false));
  doc.Clear();
  style.GetTextStyles()->GetItem(1)->Unicode = true;
  doc.AddNL("", 0, 0);
  doc.Add(UVUniWideStringToRaw(L"w"), 1);
  doc.NormalizeTextItems(0, 1);
  // The empty 8-bit item gave way; the UTF-16 text was never put into it.
  ASSERT_EQ(doc.GetItemCount(), 1);
  EXPECT_TRUE(doc.GetItem(0)->IsUnicode());
}

TEST_F(DocumentTest, LoadTextSplitsAtLineEndsAndFormFeeds) {
  testing_support::WriteFileBytes(temp_.File("a.txt"), std::string("one\r\nx\fy\ntwo\0z\r", 15));
  ASSERT_TRUE(doc.LoadText(temp_.File("a.txt"), 0, 1, false));
  ASSERT_EQ(doc.GetItemCount(), 4);
  EXPECT_EQ(Text(0), "one");
  EXPECT_EQ(Text(1), "x");
  EXPECT_EQ(Text(2), "y");
  EXPECT_TRUE(doc.GetItem(2)->GetPageBreakBefore());
  EXPECT_EQ(Text(3), "two?z");
  for (Integer i = 0; i < 4; ++i) EXPECT_TRUE(doc.IsParaStart(i));
}

TEST_F(DocumentTest, LoadTextAsOneParagraphAndOfMissingFiles) {
  testing_support::WriteFileBytes(temp_.File("b.txt"), "a\nb\nc");
  ASSERT_TRUE(doc.LoadText(temp_.File("b.txt"), 0, 0, true));
  ASSERT_EQ(doc.GetItemCount(), 3);
  EXPECT_TRUE(doc.IsParaStart(0));
  EXPECT_TRUE(doc.GetItem(1)->GetBreaksLine());
  EXPECT_TRUE(doc.GetItem(2)->GetBreaksLine());
  EXPECT_TRUE(doc.AddParagraphs);
  EXPECT_FALSE(doc.LoadText(temp_.File("missing.txt"), 0, 0, false));
  EXPECT_EQ(doc.GetItemCount(), 3);
}

TEST_F(DocumentTest, LoadTextConvertsForUnicodeStyles) {
  style.GetTextStyles()->GetItem(1)->Unicode = true;
  style.GetTextStyles()->GetItem(1)->Charset = 204;  // code page 1251
  testing_support::WriteFileBytes(temp_.File("c.txt"), "\xC0\xE1");
  ASSERT_TRUE(doc.LoadText(temp_.File("c.txt"), 1, 0, false));
  EXPECT_EQ(UVUniRawToWide(Text(0)), L"\x410\x431");
}

TEST_F(DocumentTest, AppendFromMovesItemsAndThePendingCheckpoint) {
  TUVWindowlessData other(&style);
  other.AddNL("x", 0, 0);
  other.Add("y", 1);
  other.AddNamedCheckpointExTag("end", false, 0);
  doc.AddNL("a", 0, 0);
  doc.AppendFrom(&other);
  EXPECT_EQ(doc.GetItemCount(), 3);
  EXPECT_EQ(other.GetItemCount(), 0);
  EXPECT_EQ(other.NotAddedCP, nullptr);
  ASSERT_NE(doc.NotAddedCP, nullptr);
  EXPECT_EQ(doc.NotAddedCP->Name, "end");
  EXPECT_EQ(doc.CPCount, 1);
  EXPECT_FALSE(doc.IsParaStart(2));
  other.Options << uvoTagsArePChars;
  EXPECT_THROW(doc.AppendFrom(&other), EUzurUvadError);
}

TEST_F(DocumentTest, DeleteItemsClampsTheCount) {
  for (const char* s : {"a", "b", "c", "d"}) doc.AddNL(s, 0, 0);
  doc.DeleteItems(2, 100);
  EXPECT_EQ(doc.GetItemCount(), 2);
  doc.DeleteItems(5, 1);
  EXPECT_EQ(doc.GetItemCount(), 2);
  doc.DeleteItems(0, 1);
  EXPECT_EQ(Text(0), "b");
}

TEST_F(DocumentTest, UnifyParaNoAndExpandToParagraphs) {
  doc.AddNL("a", 0, 1);
  doc.Add("b", 0);
  doc.Add("c", 0);
  doc.AddNL("d", 0, 0);
  doc.GetItem(2)->ParaNo = 0;
  doc.UnifyParaNo(1);
  EXPECT_EQ(doc.GetItemPara(2), 1);
  Integer first, last;
  doc.ExpandToParagraphs(1, 1, first, last);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 2);
}

TEST_F(DocumentTest, DelimitersAndCharacterOffsets) {
  doc.AddNL("ab c", 0, 0);
  EXPECT_FALSE(doc.IsDelimiter(Text(0), 1, 0));
  EXPECT_TRUE(doc.IsDelimiter(Text(0), 3, 0));
  EXPECT_FALSE(doc.IsDelimiterW(L'\x2014'));
  EXPECT_EQ(doc.NextCharOffset(0, Text(0), 2), 3);
  EXPECT_EQ(doc.PrevCharOffset(0, Text(0), 2), 1);
  // A surrogate pair is one character: the offsets step over both of its units.
  style.GetTextStyles()->GetItem(1)->Unicode = true;
  doc.AddNL(AnsiString("a\0\x3D\xD8\x00\xDE" "b\0", 8), 1, 0);
  EXPECT_EQ(doc.NextCharOffset(1, Text(1), 2), 4);
  EXPECT_EQ(doc.PrevCharOffset(1, Text(1), 4), 2);
  EXPECT_EQ(doc.NextCharOffset(1, Text(1), 1), 2);
}

// A kind of item registered from outside, as the table unit does.
class TTestItem : public TUVFullLineItemInfo {
  UVITEM_CLASS(TTestItem, TUVFullLineItemInfo)
public:
  explicit TTestItem(TCustomUVData* UVData) : TUVFullLineItemInfo(UVData) {}
};

class TOtherItem : public TUVFullLineItemInfo {
  UVITEM_CLASS(TOtherItem, TUVFullLineItemInfo)
public:
  explicit TOtherItem(TCustomUVData* UVData) : TUVFullLineItemInfo(UVData) {}
};

TEST_F(DocumentTest, TheFactoryAndTheRegistry) {
  struct Case {
    Integer styleNo;
    TClass cls;
  } cases[] = {{3, TUVTextItemInfo::StaticClass()},     {-1, TUVBreakItemInfo::StaticClass()},
               {-3, TUVGraphicItemInfo::StaticClass()}, {-4, TUVHotspotItemInfo::StaticClass()},
               {-6, TUVBulletItemInfo::StaticClass()},  {-10, TUVHotGraphicItemInfo::StaticClass()},
               {-11, TUVMarkerItemInfo::StaticClass()}};
  for (const Case& c : cases) {
    std::unique_ptr<TCustomUVItemInfo> item(CreateItemByStyleNo(&doc, c.styleNo));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->ClassType(), c.cls);
    EXPECT_EQ(item->StyleNo, c.styleNo);
    EXPECT_EQ(item->DrawItemNo, -1);
  }
  EXPECT_EQ(CreateItemByStyleNo(&doc, -2), nullptr);
  EXPECT_EQ(CreateItemByStyleNo(&doc, -77), nullptr);
  RegisterUzurUvadItemClass<TTestItem>(-77);
  RegisterUzurUvadItemClass<TTestItem>(-77);  // the same pair again is accepted
  std::unique_ptr<TCustomUVItemInfo> item(CreateItemByStyleNo(&doc, -77));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->ClassType(), TTestItem::StaticClass());
  EXPECT_THROW(RegisterUzurUvadItemClass<TOtherItem>(-77), EUzurUvadError);
  try {
    RegisterUzurUvadItemClass<TOtherItem>(-9);
    ADD_FAILURE();
  } catch (const EUzurUvadError& e) {
    EXPECT_EQ(e.Message, "Can't register UzurUvad item type - this StyleNo is already registered");
  }
}

TEST_F(DocumentTest, QueryFlagsOfTheItemKinds) {
  TUVTextItemInfo text(&doc);
  TUVBreakItemInfo line(&doc);
  TUVGraphicItemInfo picture(&doc);
  TUVBulletItemInfo bullet(&doc);
  TUVMarkerItemInfo marker(&doc);
  // code:                0      1      2      3      4      5      6      7      8
  bool textFlags[] = {false, true, true, false, false, false, false, false, true};
  bool lineFlags[] = {true, true, false, false, false, false, false, false, true};
  bool pictureFlags[] = {false, false, true, true, true, false, false, false, true};
  bool markerFlags[] = {false, true, true, false, true, true, false, false, true};
  for (Integer code = 0; code <= 8; ++code) {
    EXPECT_EQ(text.QueryFlag(code), textFlags[code]) << code;
    EXPECT_EQ(line.QueryFlag(code), lineFlags[code]) << code;
    EXPECT_EQ(picture.QueryFlag(code), pictureFlags[code]) << code;  // holds no picture: code 1 false
    EXPECT_EQ(marker.QueryFlag(code), markerFlags[code]) << code;
  }
  EXPECT_FALSE(bullet.QueryFlag(uvbpValid));
  text.StyleNo = 4;  // "Jump 1"
  EXPECT_TRUE(text.QueryStyledFlag(uvbspJump, &style));
  EXPECT_TRUE(text.QueryStyledFlag(uvbspAllowsFocus, &style));
  EXPECT_FALSE(text.QueryStyledFlag(uvbspHotColdJump, &style));
  style.GetTextStyles()->GetItem(4)->HoverColor = clRed;
  EXPECT_TRUE(text.QueryStyledFlag(uvbspHotColdJump, &style));
  EXPECT_FALSE(line.QueryStyledFlag(uvbspPrintToBitmap, &style));
  EXPECT_TRUE(marker.QueryStyledFlag(uvbspSetsDrawLineSize, &style));
}

TEST_F(DocumentTest, ExtraPropertiesOfRectangularItemsAndPictures) {
  EXPECT_EQ(GetExtraPropertyCode("vshift"), uvepVShift);
  EXPECT_EQ(GetExtraPropertyCode("minheightonpage"), uvepMinHeightOnPage);
  EXPECT_EQ(GetExtraPropertyCode("VShift"), uvepUnknown);
  TUVGraphicItemInfo picture(&doc, new TBitmap(), 0);
  ReadUVFExtraProperty(&picture, "vshift=-20");
  ReadUVFExtraProperty(&picture, "width=x");
  ReadUVFExtraProperty(&picture, "height=30");
  ReadUVFExtraProperty(&picture, "novalue");
  EXPECT_EQ(picture.VShift, -20);
  EXPECT_EQ(picture.ImageWidth, 0);
  EXPECT_EQ(picture.ImageHeight, 30);
  EXPECT_EQ(picture.GetExtraPropertyCount(), 2);
  TStringStream out;
  picture.SaveUVFExtraProperties(&out);
  EXPECT_EQ(out.GetDataString(), "vshift=-20\r\nheight=30\r\n");
  picture.VShiftAbs = true;
  TUVGraphicItemInfo copy(&doc);
  copy.Assign(&picture);
  EXPECT_TRUE(copy.VShiftAbs);
  EXPECT_EQ(copy.ImageHeight, 30);
  ASSERT_NE(copy.Image, nullptr);
  EXPECT_NE(copy.Image, picture.Image);
}

TEST_F(DocumentTest, ItemHeaderFieldsOfTheNativeFormat) {
  TUVBreakItemInfo line(&doc, 3, 0, clRed);
  EXPECT_EQ(line.GetUVFExtraHeader(&doc), "255 0 3");
  TUVBreakItemInfo read(&doc);
  const char* p = "";
  ASSERT_TRUE(read.ReadUVFHeader(p, &doc));
  EXPECT_EQ(read.Color, clNone);
  EXPECT_EQ(read.LineWidth, 1);
  TCustomImageList images(16, 16);
  TUVHotspotItemInfo hotspot(&doc, &images, 1, 2, 0);
  EXPECT_EQ(hotspot.GetUVFExtraHeader(&doc), "0 1 2");
  TUVHotspotItemInfo hot2(&doc);
  p = "0 4";
  ASSERT_TRUE(hot2.ReadUVFHeader(p, &doc));
  EXPECT_EQ(hot2.HotImageIndex, 4);
  TStringStream out;
  doc.AddNL("x", 0, 0);
  line.SaveUVF(&out, &doc, 1, "", true);
  EXPECT_EQ(out.GetDataString(), "-1 0 -1 1 0 0 255 0 3\r\n");
}

TEST_F(DocumentTest, RTFTablesAndEscaping) {
  TUVColorList colors;
  TUVIntegerList overrides;
  doc.AddNL("a", 0, 0);
  doc.AddItem("", new TUVBreakItemInfo(&doc, 1, 0, 0x123456));
  doc.MakeRTFTables(&colors, &overrides, true);
  EXPECT_EQ(colors.Get(0), clWindowText);
  EXPECT_EQ(colors.Get(2), 0xFF0000);
  EXPECT_GE(colors.IndexOf(0x123456), 17);
  EXPECT_EQ(colors.IndexOf(clNone), -1);
  EXPECT_EQ(TCustomUVData::RTFEscapeText("a{\\}\xE9\t", false), "a\\{\\\\\\}\\'e9\\'09");
  EXPECT_EQ(TCustomUVData::RTFEscapeName("a{b}"), "a_b_");
  EXPECT_EQ(TCustomUVData::RTFEscapeIdentifier("a b-c"), "a_b_c");
  EXPECT_EQ(TCustomUVData::RTFUnicodeText(L"\x4E2D", TUVRTFOptions{uvrtfDuplicateUnicode}, 1252), "\\u20013 ?");
  EXPECT_EQ(TCustomUVData::RTFUnicodeText(L"\xFFFD", TUVRTFOptions(), 1252), "\\u-3 ");
}

TEST_F(DocumentTest, LayoutRecordRoundTripsAndRejectsShortBlocks) {
  TUVLayoutInfo layout;
  layout.LeftMargin = 7;
  layout.MaxTextWidth = 500;
  layout.BiDiMode = uvbdRightToLeft;
  TMemoryStream stream;
  layout.SaveToStream(&stream, true);
  EXPECT_EQ(stream.GetSize(), 37);
  stream.SetPosition(0);
  TUVLayoutInfo read;
  read.LoadFromStream(&stream, true);
  EXPECT_TRUE(read.Loaded);
  EXPECT_EQ(read.LeftMargin, 7);
  EXPECT_EQ(read.MaxTextWidth, 500);
  EXPECT_EQ(read.BiDiMode, uvbdRightToLeft);
  TUVLayoutInfo fromHex;
  fromHex.LoadFromHex(layout.SaveToHex());
  EXPECT_EQ(fromHex.MaxTextWidth, 500);
  EXPECT_THROW(fromHex.LoadFromHex("00000000" "18000000" + AnsiString(50, '0')), EUzurUvadError);
}

}  // namespace

namespace {

TEST(ItemWritersTest, PictureGroupsOfRTF) {
  TBitmap bitmap;
  bitmap.SetSize(2, 2);
  TStringStream out;
  UVSaveImageToRTF(&out, &bitmap, 4, 0, TUVRTFOptions(), 15);
  const AnsiString& rtf = out.GetDataString();
  EXPECT_EQ(rtf.find("{\\pict\\picscalex200\\picwgoal30\\pichgoal30\\dibitmap0\\wbmwidthbytes8\\picw2\\pich2 "), 0u)
      << rtf;
  EXPECT_EQ(rtf.back(), '}');
  AnsiString hex = UVFSavePicture(&bitmap).substr(28);
  EXPECT_NE(rtf.find(hex), AnsiString::npos);
  TStringStream none;
  UVSaveImageToRTF(&none, nullptr, 0, 0, TUVRTFOptions(), 15);
  EXPECT_EQ(none.GetDataString(), "");
}

// Pictures say their natural size in twips, which other word processors multiply by the scale:
// a 16 x 8 picture is shown 16 x 8 pixels (240 x 120 twips at 15 twips a pixel), stretched or not.
TEST(ItemWritersTest, PictureGroupsSayTheirSizeInTwips) {
  TBitmap bitmap;
  bitmap.SetSize(16, 8);
  TMetafile metafile;
  metafile.SetMMWidth(846);  // 32 x 16 pixels at 96 pixels an inch
  metafile.SetMMHeight(423);
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    canvas.Rectangle(0, 0, 32, 16);
  }
  const struct {
    const char* Name;
    TGraphic* Graphic;
    Integer Width, Height;
    double TwipsPerPixel;
    const char* Start;
  } rows[] = {
      {"a bitmap at its own size", &bitmap, 0, 0, 15, "{\\pict\\picwgoal240\\pichgoal120\\dibitmap0"},
      {"a bitmap stretched", &bitmap, 32, 4, 15, "{\\pict\\picscalex200\\picscaley50\\picwgoal240\\pichgoal120\\dibitmap0"},
      {"written for another device", &bitmap, 0, 0, 7.5, "{\\pict\\picwgoal120\\pichgoal60\\dibitmap0"},
      {"a metafile by its frame", &metafile, 64, 0, 15, "{\\pict\\picscalex200\\picwgoal480\\pichgoal240\\"},
  };
  for (const auto& row : rows) {
    TStringStream out;
    UVSaveImageToRTF(&out, row.Graphic, row.Width, row.Height, TUVRTFOptions(), row.TwipsPerPixel);
    EXPECT_EQ(out.GetDataString().rfind(row.Start, 0), 0u) << row.Name << ": " << out.GetDataString().substr(0, 80);
  }
}

TEST(ItemWritersTest, HorizontalLinesInRTFHTMLAndText) {
  TUVStyle style(nullptr);
  TUVWindowlessData doc(&style);
  TUVBreakItemInfo line(&doc, 2, 0, clRed);
  TUVColorList colors;
  doc.AddItem("", new TUVBreakItemInfo(&doc, 2, 0, clRed));
  doc.MakeRTFTables(&colors, nullptr, true);
  TUVRTFSaveContext context;
  context.ColorList = &colors;
  TStringStream rtf;
  line.SaveRTF(&rtf, "", &doc, 0, "", context);
  EXPECT_EQ(rtf.GetDataString(), Format("\\pard\\plain\\fs6\\brdrb\\brdrs\\brdrw30\\brdrcf%d\\par\\pard", colors.IndexOf(clRed)));
  TStringStream html;
  Integer counter = 0;
  line.SaveHTML(&html, &doc, 0, "", "", "", counter, clNone, 0, false, nullptr);
  EXPECT_EQ(html.GetDataString(), "<HR noshade size=2>\r\n");
  TStringStream css;
  line.SaveHTML(&css, &doc, 0, "", "", "", counter, clNone, 0, true, nullptr);
  EXPECT_EQ(css.GetDataString(), "<HR noshade size=2 style='{color : #FF0000}'>\r\n");
  EXPECT_EQ(line.AsText(5, &doc, "", "", false, false), "=====");
  line.LineWidth = 1;
  EXPECT_EQ(line.AsText(0, &doc, "", "", false, false), "-");
}

}  // namespace
