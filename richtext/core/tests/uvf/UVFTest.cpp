// The native format: the exact text and binary forms of small documents, round trips through
// UVF that give back an equal document, style merging and mapping when a stream is inserted,
// and the reader's answers to malformed streams.
#include <memory>
#include <string>

#include "classlib/Filer.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVBack.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Bytes(TMemoryStream& Stream) {
  return std::string(static_cast<const char*>(Stream.GetMemory()), static_cast<std::size_t>(Stream.GetSize()));
}

// A readable account of a document: one line per item, then the trailing checkpoint.
std::string Dump(TCustomUVData& Doc) {
  std::string s;
  for (Integer i = 0; i < Doc.GetItemCount(); ++i) {
    TCustomUVItemInfo* item = Doc.GetItem(i);
    s += Format("%d/%d/%d/%s", item->StyleNo, item->ParaNo, static_cast<Integer>(item->ItemOptions),
                UVFTagToStr(item->Tag, Doc.GetOptions().Contains(uvoTagsArePChars)));
    std::string text = Doc.GetItemText(i);
    s += ":" + (item->IsUnicode() ? "U" + UVFStrToHex(text) : text);
    if (TUVCPInfo* cp = item->Checkpoint)
      s += Format(" cp(%s,%d,%s)", cp->Name, cp->RaiseEvent ? 1 : 0,
                  UVFTagToStr(cp->Tag, Doc.GetOptions().Contains(uvoTagsArePChars)));
    if (item->StyleNo == uvsListMarker) {
      auto* marker = static_cast<TUVMarkerItemInfo*>(item);
      s += Format(" list(%d,%d,%d,%d)", marker->ListNo, marker->Level, marker->StartFrom, marker->Reset ? 1 : 0);
    }
    s += "\n";
  }
  if (TUVCPInfo* cp = Doc.NotAddedCP) s += Format("end cp(%s,%d)\n", cp->Name, cp->RaiseEvent ? 1 : 0);
  return s;
}

class UVFTest : public testing_support::IsolatedTest {
protected:
  UVFTest() {
    doc.UVFOptions = TUVFOptions();
    copy.UVFOptions = TUVFOptions();
  }

  std::string Save(TCustomUVData& Doc, bool Selection = false, TUVBackground* Background = nullptr,
                   TUVLayoutInfo* Layout = nullptr) {
    TMemoryStream stream;
    EXPECT_TRUE(Doc.SaveUVFToStream(&stream, Selection, clWhite, Background, Layout));
    return Bytes(stream);
  }
  bool Load(TCustomUVData& Doc, const std::string& Data, TUVBackground* Background = nullptr,
            TUVLayoutInfo* Layout = nullptr, TColor* Color = nullptr) {
    TMemoryStream stream;
    stream.WriteBuffer(Data.data(), static_cast<Integer>(Data.size()));
    stream.SetPosition(0);
    return Doc.LoadUVFFromStream(&stream, Color, Background, Layout);
  }
  bool Insert(TCustomUVData& Doc, const std::string& Data, Integer Index) {
    TMemoryStream stream;
    stream.WriteBuffer(Data.data(), static_cast<Integer>(Data.size()));
    stream.SetPosition(0);
    return Doc.InsertUVFFromStreamAt(&stream, Index, false, nullptr, nullptr, nullptr);
  }

  TUVStyle style{nullptr};
  TUVWindowlessData doc{&style};
  TUVStyle copyStyle{nullptr};
  TUVWindowlessData copy{&copyStyle};
};

// --- The text and binary forms ----------------------------------------------------------------

TEST_F(UVFTest, EmptyDocumentWritesNothing) {
  EXPECT_EQ(Save(doc), "");
  EXPECT_TRUE(Load(copy, ""));
  EXPECT_EQ(copy.GetItemCount(), 0);
}

TEST_F(UVFTest, TextRecordsGatherParagraphsOfOneKind) {
  doc.AddNL("Hello", 0, 0);
  doc.Add(" world", 1);
  doc.AddNL("One", 0, 1);
  doc.AddNL("Two", 0, 1);
  doc.AddNL("Three", 0, 1);
  doc.AddNL("", 2, 0);
  EXPECT_EQ(Save(doc),
            "-8 1 2\r\n"
            "0 1 0 0 0 0\r\nHello\r\n"
            "1 1 -1 1 0 0\r\n world\r\n"
            "0 3 1 0 0 0\r\nOne\r\nTwo\r\nThree\r\n"
            "2 1 0 0 0 0\r\n\r\n");
}

TEST_F(UVFTest, LineBreaksPageBreaksAndTagsKeepRecordsApart) {
  doc.AddNL("a", 0, 0);
  doc.AddNL("b", 0, 0);
  doc.GetItem(1)->SetBreaksLine(true);
  doc.AddNL("c", 0, 0);
  doc.GetItem(2)->SetPageBreakBefore(true);
  doc.AddTextItemTag("d", 0, 0, 7);
  EXPECT_EQ(Save(doc),
            "-8 1 2\r\n"
            "0 1 0 0 0 0\r\na\r\n"
            "0 1 0 4 0 0\r\nb\r\n"
            "0 1 0 2 0 0\r\nc\r\n"
            "0 1 0 0 0 7\r\nd\r\n");
}

TEST_F(UVFTest, CheckpointsComeBeforeTheirItemsAndAfterTheLastOne) {
  doc.AddNamedCheckpointExTag("first", true, 0);
  doc.AddNL("a", 0, 0);
  doc.AddNL("b", 0, 0);
  doc.AddNamedCheckpointExTag("", false, 0);
  doc.AddNL("c", 0, 0);
  doc.AddNamedCheckpointExTag("end", false, 5);
  EXPECT_EQ(Save(doc),
            "-8 1 2\r\n"
            "-2 1 0 0 0 0 1\r\nfirst\r\n"
            "0 2 0 0 0 0\r\na\r\nb\r\n"
            "-2 1 0 0 0 0 0\r\n\r\n"
            "0 1 0 0 0 0\r\nc\r\n"
            "-2 1 0 0 0 5 0\r\nend\r\n");
}

TEST_F(UVFTest, StringTagsAreWrittenAsTheirText) {
  doc.Options = doc.Options + TUVOptions{uvoTagsArePChars};
  doc.AddTextItemTag("a", 0, 0, UVMakeStringTag("tag1"));
  doc.AddTextItemTag("b", 0, 0, 0);
  EXPECT_EQ(Save(doc), "-8 1 2\r\n0 1 0 0 0 tag1\r\na\r\n0 1 0 0 0 0\r\nb\r\n");
}

TEST_F(UVFTest, UnicodeLinesEndWithTheParagraphSeparator) {
  TFontInfo* unicode = style.GetTextStyles()->Add();
  unicode->Unicode = true;
  doc.AddNL(UVUniWideStringToRaw(L"\x05D0\x05D1"), 6, 0);
  doc.AddNL(UVUniWideStringToRaw(L"x"), 6, 0);
  doc.AddNL("plain", 0, 0);
  EXPECT_EQ(Save(doc), std::string("-8 1 2\r\n6 2 0 8 0 0\r\n"
                                   "\xD0\x05\xD1\x05\x29\x20"
                                   "x\0\x29\x20"
                                   "0 1 0 0 0 0\r\nplain\r\n",
                                   51));
}

TEST_F(UVFTest, StyleNamesInsteadOfNumbers) {
  doc.UVFOptions = TUVFOptions{uvfoUseStyleNames};
  style.GetParaStyles()->GetItem(1)->StyleName = "Say \"hi\"";
  doc.AddNL("a", 1, 1);
  doc.Add("b", 0);
  EXPECT_EQ(Save(doc), "-8 1 2\r\n\"Heading\" 1 \"Say \"\"hi\"\"\" 0 0 0\r\na\r\n\"Normal text\" 1 -1 1 0 0\r\nb\r\n");
  ASSERT_TRUE(Load(copy, Save(doc)));
  copyStyle.GetParaStyles()->GetItem(1)->StyleName = "Say \"hi\"";
  ASSERT_TRUE(Load(copy, Save(doc)));
  EXPECT_EQ(Dump(copy), "1/1/0/0:a\n0/1/1/0:b\n");
}

TEST_F(UVFTest, BackgroundRecordWithAndWithoutPicture) {
  doc.UVFOptions = TUVFOptions{uvfoSaveBack};
  doc.AddNL("a", 0, 0);
  TUVBackground back;
  EXPECT_EQ(Save(doc, false, &back), "-8 1 2\r\n-7 0 -1 0 0 0 0 16777215\r\n0 1 0 0 0 0\r\na\r\n");
  back.Bitmap->SetSize(2, 1);
  back.Style = bsTiled;
  std::string text = Save(doc, false, &back);
  const std::string head = "-8 1 2\r\n-7 2 0 0 0 0 2 16777215\r\nTBitmap\r\n424D";
  EXPECT_EQ(text.substr(0, head.size()), head);
  doc.UVFOptions = TUVFOptions{uvfoSaveBack, uvfoSaveBinary};
  std::string binary = Save(doc, false, &back);
  const std::string binaryHead = "-8 1 2\r\n-7 2 0 0 2 0 2 16777215\r\nTBitmap\r\n";
  ASSERT_EQ(binary.substr(0, binaryHead.size()), binaryHead);
  Integer size;
  std::memcpy(&size, binary.data() + binaryHead.size(), 4);
  EXPECT_EQ(binary.substr(binaryHead.size() + 4 + size), "0 1 0 0 0 0\r\na\r\n");
  EXPECT_EQ(binary.substr(binaryHead.size() + 4, 2), "BM");

  // Read back only with uvfoLoadBack.
  for (const std::string& data : {text, binary}) {
    TUVBackground read;
    TColor color = clNone;
    ASSERT_TRUE(Load(copy, data, &read, nullptr, &color));
    EXPECT_EQ(read.Style, bsNoBitmap);
    EXPECT_EQ(color, clNone);
    copy.UVFOptions = TUVFOptions{uvfoLoadBack};
    ASSERT_TRUE(Load(copy, data, &read, nullptr, &color));
    EXPECT_EQ(read.Style, bsTiled);
    EXPECT_EQ(read.Bitmap->GetWidth(), 2);
    EXPECT_EQ(color, clWhite);
    EXPECT_EQ(Dump(copy), "0/0/0/0:a\n");
    copy.UVFOptions = TUVFOptions();
  }
}

TEST_F(UVFTest, LayoutRecordInHexAndBinary) {
  TUVLayoutInfo layout;
  layout.LeftMargin = 1;
  layout.RightMargin = 2;
  layout.TopMargin = 3;
  layout.BottomMargin = 4;
  layout.MinTextWidth = 5;
  layout.MaxTextWidth = 6;
  layout.BiDiMode = uvbdRightToLeft;
  doc.AddNL("a", 0, 0);
  doc.UVFOptions = TUVFOptions{uvfoSaveLayout};
  const std::string hex = "00000000" "19000000" "01000000" "02000000" "03000000" "04000000" "05000000" "06000000" "02";
  const std::string text = Save(doc, false, nullptr, &layout);
  EXPECT_EQ(text, "-8 1 2\r\n-9 2 0 0 0 0 3\r\n\r\n" + hex + "\r\n0 1 0 0 0 0\r\na\r\n");
  doc.UVFOptions = TUVFOptions{uvfoSaveLayout, uvfoSaveBinary};
  const std::string binary = Save(doc, false, nullptr, &layout);
  EXPECT_EQ(binary.substr(0, 26), "-8 1 2\r\n-9 2 0 0 2 0 3\r\n\r\n");
  EXPECT_EQ(UVFStrToHex(binary.substr(26, 37)), "21000000" + hex);
  EXPECT_EQ(binary.substr(63), "0 1 0 0 0 0\r\na\r\n");

  for (const std::string& data : {text, binary}) {
    TUVLayoutInfo read;
    ASSERT_TRUE(Load(copy, data, nullptr, &read));
    EXPECT_FALSE(read.Loaded);  // only with uvfoLoadLayout
    copy.UVFOptions = TUVFOptions{uvfoLoadLayout};
    ASSERT_TRUE(Load(copy, data, nullptr, &read));
    EXPECT_TRUE(read.Loaded);
    EXPECT_EQ(read.MaxTextWidth, 6);
    EXPECT_EQ(read.BiDiMode, uvbdRightToLeft);
    // Inserting never applies a layout.
    TUVLayoutInfo inserted;
    TMemoryStream stream;
    stream.WriteBuffer(data.data(), static_cast<Integer>(data.size()));
    stream.SetPosition(0);
    ASSERT_TRUE(copy.InsertUVFFromStreamAt(&stream, 0, false, &inserted, nullptr, nullptr));
    EXPECT_FALSE(inserted.Loaded);
    copy.UVFOptions = TUVFOptions();
  }
}

TEST_F(UVFTest, StyleCollectionsAreComponentStreamedCollections) {
  doc.UVFOptions = TUVFOptions{uvfoSaveTextStyles, uvfoSaveParaStyles};
  style.SetName("Styles1");
  doc.AddNL("a", 0, 0);
  const std::string text = Save(doc);
  // Three records: text styles, paragraph styles, list styles; each a collection value.
  std::size_t p = 0;
  for (Integer kind : {1, 2, 4}) {
    const std::string head = Format("-9 2 0 0 0 0 %d\r\nStyles1\r\n0E", kind);
    ASSERT_EQ(text.compare(p == 0 ? 8 : p, head.size(), head), 0) << text;
    p = text.find("\r\n", text.find("\r\nStyles1\r\n", p == 0 ? 8 : p) + 11) + 2;
  }
  EXPECT_EQ(text.substr(p), "0 1 0 0 0 0\r\na\r\n");

  // The text-style body is exactly what the component writer makes of the collection.
  TMemoryStream expected;
  {
    TWriter writer(&expected);
    writer.WriteCollection(style.GetTextStyles());
  }
  EXPECT_NE(text.find("\r\n" + UVFStreamToHex(&expected) + "\r\n"), std::string::npos);
}

// --- Round trips --------------------------------------------------------------------------------

class UVFRoundTrip : public UVFTest, public ::testing::WithParamInterface<bool> {};

TEST_P(UVFRoundTrip, DocumentComesBackEqual) {
  const TUVFOptions options = GetParam() ? TUVFOptions{uvfoSaveBinary, uvfoSaveTextStyles, uvfoSaveParaStyles,
                                                         uvfoSavePicturesBody}
                                         : TUVFOptions{uvfoSaveTextStyles, uvfoSaveParaStyles, uvfoSavePicturesBody};
  doc.UVFOptions = options;
  TFontInfo* red = style.GetTextStyles()->Add();
  red->StyleName = "Red";
  red->Color = clRed;
  red->FontName = "Courier New";
  TFontInfo* unicode = style.GetTextStyles()->Add();
  unicode->StyleName = "Unicode";
  unicode->Unicode = true;
  TParaInfo* indented = style.GetParaStyles()->Add();
  indented->LeftIndent = 20;
  indented->GetBorder()->Style = uvbDouble;
  TUVListLevel* level = style.GetListStyles()->Add()->GetLevels()->Add();
  level->ListType = uvlstDecimal;
  level->FormatString = "%0:s.";

  doc.AddNamedCheckpointExTag("top", true, 9);
  doc.AddNL("Title", 1, 1);
  doc.AddNL("Red ", 6, 2);
  doc.Add(UVUniWideStringToRaw(L"\x0416\x05D0 text"), 7);
  doc.AddItem("", new TUVMarkerItemInfo(&doc, 0, 0, 3, true));
  doc.Add("numbered", 0);
  doc.AddItem("", new TUVBreakItemInfo(&doc, 2, 0, clBlue));
  TBitmap* bitmap = new TBitmap;
  bitmap->SetSize(3, 2);
  auto* picture = new TUVGraphicItemInfo(&doc, bitmap, 1);
  picture->ParaNo = 0;
  doc.AddItem("pic", picture);
  doc.AddTextItemTag("tagged", 0, -1, 42);
  doc.AddNamedCheckpointExTag("bottom", false, 0);

  copy.UVFOptions = TUVFOptions{uvfoLoadBack};
  ASSERT_TRUE(Load(copy, Save(doc)));
  EXPECT_EQ(Dump(copy), Dump(doc));
  EXPECT_EQ(copy.CPCount, doc.CPCount);
  // The styles replaced the new document's.
  ASSERT_EQ(copyStyle.GetTextStyles()->GetCount(), 8);
  EXPECT_TRUE(copyStyle.GetTextStyles()->GetItem(6)->IsEqual(red, false));
  EXPECT_TRUE(copyStyle.GetTextStyles()->GetItem(7)->Unicode);
  ASSERT_EQ(copyStyle.GetParaStyles()->GetCount(), 3);
  EXPECT_TRUE(copyStyle.GetParaStyles()->GetItem(2)->IsEqual(indented, false));
  ASSERT_EQ(copyStyle.GetListStyles()->GetCount(), 1);
  EXPECT_EQ(copyStyle.GetListStyles()->GetItem(0)->GetLevels()->GetItem(0)->FormatString, "%0:s.");
  auto* pictureCopy = dynamic_cast<TUVGraphicItemInfo*>(copy.GetItem(6));
  ASSERT_TRUE(pictureCopy);
  EXPECT_EQ(pictureCopy->Image->GetWidth(), 3);
  EXPECT_EQ(static_cast<TUVBreakItemInfo*>(copy.GetItem(5))->Color, clBlue);
  // The checkpoint chain is in item order.
  ASSERT_TRUE(copy.FirstCP);
  EXPECT_EQ(copy.FirstCP->Name, "top");
  EXPECT_EQ(copy.FirstCP->ItemInfo, copy.GetItem(0));
  // And the copy writes the same stream again.
  copy.UVFOptions = options;
  EXPECT_EQ(Save(copy), Save(doc));
}

INSTANTIATE_TEST_SUITE_P(Forms, UVFRoundTrip, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Binary" : "Text"; });

TEST_F(UVFTest, TrailingCheckpointSurvivesOnlyAtTheEnd) {
  doc.AddNL("a", 0, 0);
  doc.AddNamedCheckpointExTag("end", true, 0);
  const std::string data = Save(doc);

  // Appended to a document without a trailing checkpoint: it becomes the document's.
  copy.AddNL("x", 0, 0);
  ASSERT_TRUE(Insert(copy, data, copy.GetItemCount()));
  EXPECT_EQ(Dump(copy), "0/0/0/0:x\n0/0/0/0:a\nend cp(end,1)\n");
  EXPECT_EQ(copy.CPCount, 1);

  // Inserted before the end of another document: it is lost.
  TUVStyle otherStyle(nullptr);
  TUVWindowlessData other(&otherStyle);
  other.AddNL("y", 0, 0);
  ASSERT_TRUE(Insert(other, data, 0));
  EXPECT_EQ(Dump(other), "0/0/0/0:a\n0/0/0/0:y\n");
  EXPECT_EQ(other.CPCount, 0);
}

TEST_F(UVFTest, InsertedCheckpointsJoinTheChainInItemOrder) {
  doc.AddNamedCheckpointExTag("in", false, 0);
  doc.AddNL("a", 0, 0);
  const std::string data = Save(doc);
  copy.AddNamedCheckpointExTag("one", false, 0);
  copy.AddNL("x", 0, 0);
  copy.AddNamedCheckpointExTag("two", false, 0);
  copy.AddNL("y", 0, 0);
  ASSERT_TRUE(Insert(copy, data, 1));
  std::string chain;
  for (TUVCPInfo* cp = copy.FirstCP; cp; cp = cp->Next) chain += cp->Name + " ";
  EXPECT_EQ(chain, "one in two ");
  EXPECT_EQ(copy.LastCP->Name, "two");
  EXPECT_EQ(copy.CPCount, 3);
}

TEST_F(UVFTest, InsertedParagraphsContinueOrStartParagraphs) {
  doc.AddNL("a", 0, 0);
  doc.Add("b", 0);
  doc.AddNL("c", 0, 0);
  TMemoryStream stream;
  // A selection-like stream whose first item continues a paragraph.
  const std::string data = "-8 1 2\r\n0 1 -1 1 0 0\r\nmore\r\n";
  copy.AddNL("x", 0, 1);
  ASSERT_TRUE(Insert(copy, data, 1));
  EXPECT_EQ(Dump(copy), "0/1/0/0:x\n0/1/1/0:more\n");
  TUVStyle emptyStyle(nullptr);
  TUVWindowlessData empty(&emptyStyle);
  ASSERT_TRUE(Insert(empty, data, 0));
  EXPECT_EQ(Dump(empty), "0/0/0/0:more\n");  // nothing to continue: a paragraph of style 0
}

// --- Styles brought in by an insertion ------------------------------------------------------------

TEST_F(UVFTest, InsertMergesStylesAndMapsTheItems) {
  doc.UVFOptions = TUVFOptions{uvfoSaveTextStyles, uvfoSaveParaStyles};
  TFontInfo* red = style.GetTextStyles()->Add();
  red->Color = clRed;
  TParaInfo* right = style.GetParaStyles()->Add();
  right->Alignment = uvaRight;
  doc.AddNL("red", 6, 2);
  doc.AddNL("heading", 1, 1);
  const std::string data = Save(doc);

  copy.TextStylesReadMode = uvf_sInsertMerge;
  copy.ParaStylesReadMode = uvf_sInsertMerge;
  TFontInfo* green = copyStyle.GetTextStyles()->Add();
  green->Color = clGreen;
  copy.AddNL("x", 6, 0);
  ASSERT_TRUE(Insert(copy, data, 1));
  ASSERT_EQ(copyStyle.GetTextStyles()->GetCount(), 8);  // the red style was added after the green one
  EXPECT_EQ(copyStyle.GetTextStyles()->GetItem(7)->Color, clRed);
  EXPECT_FALSE(copyStyle.GetTextStyles()->GetItem(7)->Standard);
  ASSERT_EQ(copyStyle.GetParaStyles()->GetCount(), 3);
  EXPECT_EQ(Dump(copy), "6/0/0/0:x\n7/2/0/0:red\n1/1/0/0:heading\n");

  // Inserting again adds nothing more.
  ASSERT_TRUE(Insert(copy, data, 0));
  EXPECT_EQ(copyStyle.GetTextStyles()->GetCount(), 8);
  EXPECT_EQ(copy.GetItemStyle(0), 7);
}

TEST_F(UVFTest, InsertMapsStylesToTheClosest) {
  doc.UVFOptions = TUVFOptions{uvfoSaveTextStyles, uvfoSaveParaStyles};
  TFontInfo* darkRed = style.GetTextStyles()->Add();
  darkRed->Color = 0x000070;
  darkRed->Style = TFontStyles{fsBold};
  doc.AddNL("dark", 6, 0);
  const std::string data = Save(doc);

  copy.TextStylesReadMode = uvf_sInsertMap;
  TFontInfo* boldRed = copyStyle.GetTextStyles()->Add();
  boldRed->Color = clRed;
  boldRed->Style = TFontStyles{fsBold};
  ASSERT_TRUE(Insert(copy, data, 0));
  EXPECT_EQ(copyStyle.GetTextStyles()->GetCount(), 7);
  EXPECT_EQ(copy.GetItemStyle(0), 6);
}

TEST_F(UVFTest, IgnoredStylesKeepTheNumbersAndUnknownOnesFail) {
  doc.UVFOptions = TUVFOptions{uvfoSaveTextStyles};
  style.GetTextStyles()->Add();
  doc.AddNL("x", 6, 0);
  const std::string data = Save(doc);
  copy.TextStylesReadMode = uvf_sIgnore;
  EXPECT_FALSE(Insert(copy, data, 0));  // style 6 does not exist here
  EXPECT_EQ(copy.GetUVFWarnings(), 4u);
  copy.UVFOptions = TUVFOptions{uvfoConvUnknownStylesToZero};
  EXPECT_TRUE(Insert(copy, data, 0));
  EXPECT_EQ(copy.GetItemStyle(0), 0);
  EXPECT_EQ(copy.GetUVFWarnings(), 4u);
}

TEST_F(UVFTest, UnicodeTextMeetsAnAnsiStyleAndBack) {
  TFontInfo* unicode = style.GetTextStyles()->Add();
  unicode->Unicode = true;
  doc.AddNL(UVUniWideStringToRaw(L"caf\x00E9"), 6, 0);
  const std::string data = Save(doc);
  copyStyle.GetTextStyles()->Add();  // style 6 here is 8-bit
  ASSERT_TRUE(Load(copy, data));
  EXPECT_EQ(Dump(copy), "6/0/0/0:caf\xe9\n");
  EXPECT_EQ(copy.GetUVFWarnings(), 32u);

  ASSERT_TRUE(Load(doc, Save(copy)));  // and an 8-bit line read into a Unicode style
  EXPECT_EQ(Dump(doc), "6/0/8/0:U" + UVFStrToHex(UVUniWideStringToRaw(L"caf\x00E9")) + "\n");
  EXPECT_EQ(doc.GetUVFWarnings(), 16u);
}

TEST_F(UVFTest, SelectionInsideAListParagraphKeepsItsMarker) {
  TUVListLevel* level = style.GetListStyles()->Add()->GetLevels()->Add();
  level->ListType = uvlstDecimal;
  doc.AddItem("", new TUVMarkerItemInfo(&doc, 0, 0, 1, false));
  doc.Add("first part", 0);
  doc.Add(" second", 1);
  doc.FormatDefault(false);
  doc.SetSelBoundsFromItems(2, 2, 2, 5);
  EXPECT_EQ(Save(doc, true), "-8 1 2\r\n1 1 -1 1 0 0\r\nsec\r\n");
  doc.SetSelBoundsFromItems(1, 7, 2, 8);
  EXPECT_EQ(Save(doc, true),
            "-8 1 2\r\n-11 1 0 0 0 0 0 0 1 0\r\n\r\n0 1 -1 1 0 0\r\npart\r\n1 1 -1 1 0 0\r\n second\r\n");
}

// --- Malformed streams --------------------------------------------------------------------------

TEST_F(UVFTest, MalformedStreamsFail) {
  const struct {
    const char* Name;
    std::string Data;
  } cases[] = {
      {"non-numeric field", "-8 1 2\r\n0 1 x 0 0 0\r\na\r\n"},
      {"too few data lines", "-8 1 2\r\n0 3 0 0 0 0\r\na\r\nb\r\n"},
      {"unicode without CR LF", std::string("-8 1 2\r\n0 1 0 8 0 0\na\0\x29\x20", 26)},
      {"binary without CR LF", "-8 1 2\r\n-9 2 0 0 2 0 3\r\n\nxxxx"},
      {"binary count beyond the data", std::string("-8 1 2\r\n-9 2 0 0 2 0 3\r\n\r\n\xff\x00\x00\x00", 30)},
      {"bad hex in a picture", "-8 1 2\r\n-3 3 0 0 0 0 0\r\npic\r\nTBitmap\r\n0G\r\n"},
      {"layout too short", "-8 1 2\r\n-9 2 0 0 0 0 3\r\n\r\n000000001800000001000000020000000300000004000000050000000600000000\r\n"},
      {"layout cut off", "-8 1 2\r\n-9 2 0 0 0 0 3\r\n\r\n00000000190000000100000002000000\r\n"},
      {"binary layout cut off", std::string("-8 1 2\r\n-9 2 0 0 2 0 3\r\n\r\n\x08\x00\x00\x00\x00\x00\x00\x00\x19\x00\x00\x00", 38)},
      {"unknown picture class", "-8 1 2\r\n-3 3 0 0 0 0 0\r\npic\r\nTNoSuchGraphic\r\n00\r\n"},
  };
  for (const auto& c : cases) {
    TUVLayoutInfo layout;
    copy.UVFOptions = TUVFOptions{uvfoLoadLayout};
    EXPECT_FALSE(Load(copy, c.Data, nullptr, &layout)) << c.Name;
  }
}

TEST_F(UVFTest, ReaderLeniencies) {
  // Lower-case hex, lines ended by LF alone, and a stream of version 1.0 without the options field.
  TBitmap bitmap;
  bitmap.SetSize(1, 1);
  TMemoryStream picture;
  bitmap.SaveToStream(&picture);
  std::string hex = UVFStreamToHex(&picture);
  for (char& c : hex) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  ASSERT_TRUE(Load(copy, "-8 1 2\n0 1 0 0 0 0\nx\n-3 3 0 0 0 0 0\npic\nTBitmap\n" + hex + "\n"));
  EXPECT_EQ(Dump(copy), "0/0/0/0:x\n-3/0/0/0:pic\n");
  ASSERT_TRUE(Load(copy, "-8 1 0\r\n0 1 0 0 0\r\na\r\n"));
  EXPECT_EQ(Dump(copy), "0/0/0/0:a\n");
  ASSERT_TRUE(Load(copy, "0 1 0 0 0\r\nno version record\r\n"));
  EXPECT_EQ(Dump(copy), "0/0/0/0:no version record\n");
}

TEST_F(UVFTest, RecordsOfUnknownKindsAreSkipped) {
  ASSERT_TRUE(Load(copy, "-8 1 2\r\n-77 2 0 0 0 0 x\r\nline 1\r\nline 2\r\n0 1 0 0 0 0\r\nafter\r\n"));
  EXPECT_EQ(Dump(copy), "0/0/0/0:after\n");
}

TEST_F(UVFTest, NestedDataWithItsLength) {
  doc.AddNL("cell text", 0, 0);
  doc.UVFOptions = TUVFOptions{uvfoSaveBack};
  TMemoryStream stream;
  doc.SaveUVFToStreamWithLength(&stream);
  std::string data = Bytes(stream);
  Integer size;
  std::memcpy(&size, data.data(), 4);
  EXPECT_EQ(data.substr(4), "-8 1 2\r\n0 1 0 0 0 0\r\ncell text\r\n");  // no background record
  EXPECT_EQ(size, static_cast<Integer>(data.size()) - 4);
  EXPECT_EQ(doc.UVFOptions, TUVFOptions{uvfoSaveBack});
  stream.SetPosition(0);
  ASSERT_TRUE(copy.InsertUVFFromStreamWithLength(&stream));
  EXPECT_EQ(Dump(copy), "0/0/0/0:cell text\n");
  EXPECT_EQ(copy.State & uvstInsertingNestedUVF, 0u);
}

}  // namespace
