// Text, paragraph and list styles, the style sheet's defaults and its CSS.
#include "classlib/Streams.h"
#include "richtext/core/UVMapWht.h"
#include "richtext/core/UVStyle.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(StylesTest, AFreshStyleSheetHasTheDefaultStyles) {
  TUVStyle style(nullptr);
  TFontInfos* text = style.GetTextStyles();
  ASSERT_EQ(text->GetCount(), 6);
  struct Expected {
    const char* name;
    TFontStyles fs;
    TColor color;
    bool jump;
  } expected[] = {{"Normal text", {}, clWindowText, false}, {"Heading", {fsBold}, clBlue, false},
                  {"Subheading", {fsBold}, clNavy, false},  {"Keywords", {fsItalic}, clMaroon, false},
                  {"Jump 1", {fsUnderline}, clGreen, true}, {"Jump 2", {fsUnderline}, clGreen, true}};
  for (Integer i = 0; i < 6; ++i) {
    TFontInfo* f = text->GetItem(i);
    EXPECT_EQ(f->StyleName, expected[i].name);
    EXPECT_EQ(f->Style, expected[i].fs);
    EXPECT_EQ(f->Color, expected[i].color);
    EXPECT_EQ(f->Jump, expected[i].jump);
    EXPECT_EQ(f->FontName, "Arial");
    EXPECT_EQ(f->Size, 10);
  }
  ASSERT_EQ(style.GetParaStyles()->GetCount(), 2);
  EXPECT_EQ(style.GetParaStyles()->GetItem(1)->StyleName, "Centered");
  EXPECT_EQ(style.GetParaStyles()->GetItem(1)->Alignment, uvaCenter);
  EXPECT_EQ(style.GetListStyles()->GetCount(), 0);
  EXPECT_EQ(style.SpacesInTab, 8);
  EXPECT_EQ(style.SelColor, clHighlight);
}

TEST(StylesTest, IndicesOutsideTheCollectionsGiveFallbackStyles) {
  TUVStyle style(nullptr);
  for (Integer index : {-1, 6}) {
    TFontInfo* f = style.GetTextStyles()->GetItem(index);
    EXPECT_EQ(f->Color, clWhite);
    EXPECT_EQ(f->BackColor, clRed);
    EXPECT_EQ(f->FontName, "Arial");
  }
  TParaInfo* p = style.GetParaStyles()->GetItem(2);
  EXPECT_EQ(p->GetBorder()->Style, uvbSingle);
  EXPECT_EQ(p->GetBorder()->Width, 2);
  EXPECT_EQ(p->GetBorder()->Color, clRed);
  EXPECT_EQ(p->LeftIndent, 1);
  EXPECT_EQ(p->GetBorder()->GetBorderOffsets()->Bottom, 1);
}

TEST(StylesTest, EqualityOfTextStyles) {
  TUVStyle style(nullptr);
  TFontInfo* a = style.GetTextStyles()->Add();
  TFontInfo* b = style.GetTextStyles()->Add();
  a->HoverColor = clRed;
  EXPECT_TRUE(a->IsEqual(b, false));  // hover colours matter for hyperlinks only
  a->Jump = b->Jump = true;
  EXPECT_FALSE(a->IsEqual(b, false));
  b->HoverColor = clRed;
  b->FontName = "ARIAL";
  EXPECT_TRUE(a->IsEqual(b, false));
  b->NextStyleNo = 3;
  EXPECT_FALSE(a->IsEqual(b, false));
  EXPECT_TRUE(a->IsEqual(b, true));
  b->Size = 12;
  EXPECT_FALSE(a->IsEqualIgnoring(b, uvfiNextStyleNo));
  EXPECT_TRUE(a->IsEqualIgnoring(b, uvfiNextStyleNo | uvfiSize));
}

TEST(StylesTest, EqualityOfParagraphStylesAndExtraLineSpacing) {
  TUVStyle style(nullptr);
  TParaInfo* a = style.GetParaStyles()->Add();
  TParaInfo* b = style.GetParaStyles()->Add();
  EXPECT_TRUE(a->IsEqual(b, false));
  b->GetBorder()->GetVisibleBorders()->Left = false;
  EXPECT_FALSE(a->IsEqual(b, false));
  EXPECT_TRUE(a->IsEqualIgnoring(b, uvpiBorder_Vis_Left));
  EXPECT_FALSE(a->ExtraLineSpacing());
  a->LineSpacing = 101;
  EXPECT_TRUE(a->ExtraLineSpacing());
  a->LineSpacingType = uvlsSpaceBetween;
  a->LineSpacing = 0;
  EXPECT_FALSE(a->ExtraLineSpacing());
  // FindMatchingStyle compares the properties named in the set.
  b->LeftIndent = 20;
  EXPECT_EQ(style.GetParaStyles()->FindMatchingStyle(3, b, uvpiLeftIndent), 3);
  EXPECT_EQ(style.GetParaStyles()->FindMatchingStyle(0, b, uvpiLeftIndent), 3);
  EXPECT_EQ(style.GetParaStyles()->FindMatchingStyle(0, b, uvpiAlignment), 0);
}

TEST(StylesTest, SimilarityWeights) {
  EXPECT_EQ(UVIntSimilarity(0, 0, 100), 100);
  EXPECT_EQ(UVIntSimilarity(0, 3, 100), -200);
  EXPECT_EQ(UVIntSimilarity(10, 12, 1000), 800);
  EXPECT_EQ(UVIntSimilarity(8, 9, 300), 262);  // 262.5 rounds to the even neighbour
  EXPECT_EQ(UVColorSimilarity(clNone, clNone, 10000, 50000), 80000);
  EXPECT_EQ(UVColorSimilarity(clNone, clWhite, 10000, 50000), 0);
  EXPECT_EQ(UVColorSimilarity(clWhite, clWhite, 10000, 50000), 50000);
  EXPECT_EQ(UVColorSimilarity(clBlack, clWhite, 255, 7), -765);

  TUVStyle style(nullptr);
  TFontInfo* a = style.GetTextStyles()->Add();
  TFontInfo* b = style.GetTextStyles()->Add();
  Integer plain = a->Similarity(b);
  a->BackColor = b->BackColor = clWhite;
  EXPECT_EQ(plain - a->Similarity(b), 30000);
}

TEST(StylesTest, MergingCollections) {
  TUVStyle existing(nullptr);
  TUVStyle incoming(nullptr);
  TFontInfo* bigger = incoming.GetTextStyles()->Add();
  bigger->Size = 20;
  bigger->NextStyleNo = 0;
  TUVIntegerList mapping;
  TFontInfos* text = existing.GetTextStyles();
  text->GetItem(2)->Standard = true;
  text->MergeCollection(incoming.GetTextStyles(), uvsmMerge, &mapping);
  ASSERT_EQ(mapping.GetCount(), 7);
  for (Integer i = 0; i < 6; ++i) EXPECT_EQ(mapping[i], i);
  EXPECT_EQ(mapping[6], 6);
  ASSERT_EQ(text->GetCount(), 7);
  EXPECT_EQ(text->GetItem(6)->Size, 20);
  EXPECT_FALSE(text->GetItem(6)->Standard);
  EXPECT_EQ(text->GetItem(6)->NextStyleNo, 0);
  EXPECT_TRUE(text->GetItem(2)->Standard);  // existing styles are left alone

  TUVStyle target(nullptr);
  target.GetTextStyles()->MergeCollection(incoming.GetTextStyles(), uvsmClosest, &mapping);
  EXPECT_EQ(target.GetTextStyles()->GetCount(), 6);
  EXPECT_EQ(mapping[4], 4);
  EXPECT_EQ(mapping[6], 0);  // a big plain style is closest to the plain normal text
  target.GetTextStyles()->MergeCollection(incoming.GetTextStyles(), uvsmAdd, &mapping);
  EXPECT_EQ(target.GetTextStyles()->GetCount(), 13);
  EXPECT_EQ(mapping[0], 6);
}

TEST(StylesTest, ListLevelsCompareAndDescribeThemselves) {
  TUVStyle style(nullptr);
  TUVListInfo* a = style.GetListStyles()->Add();
  TUVListInfo* b = style.GetListStyles()->Add();
  for (TUVListInfo* list : {a, b}) {
    list->GetLevels()->Add();
    list->GetLevels()->Add();
  }
  EXPECT_EQ(a->GetLevels()->GetItem(1)->GetDisplayName(), "List Level 1");
  EXPECT_TRUE(a->IsSimpleEqual(b));
  Integer same = a->SimilarityValue(b);
  b->GetLevels()->GetItem(0)->FirstIndent = 30;
  EXPECT_FALSE(a->IsSimpleEqual(b));
  EXPECT_EQ(same - a->SimilarityValue(b), 200);
  EXPECT_TRUE(a->GetLevels()->GetItem(0)->GetFont()->IsDefault());
  a->GetLevels()->GetItem(0)->GetFont()->SetName("ARIAL");
  EXPECT_TRUE(a->IsSimpleEqual(style.GetListStyles()->GetItem(0)));

  TUVListLevel* level = a->GetLevels()->GetItem(0);
  level->ListType = uvlstLowerRoman;
  level->LeftIndent = 24;
  level->MarkerIndent = 4;
  EXPECT_EQ(level->HTMLOpenTag(false), "<OL type=i>");
  EXPECT_EQ(level->HTMLOpenTag(true),
            "<OL type=i style=\"text-indent: 10px; margin-left: 24px; list-style:outside;\">");
  EXPECT_EQ(level->HTMLCloseTag(), "</OL>");
  level->ListType = uvlstBullet;
  level->LeftIndent = 0;
  EXPECT_EQ(level->HTMLOpenTag(true), "<UL style=\"text-indent: 4px; margin-left: 0px; list-style:inside;\">");
  EXPECT_EQ(level->GetIndentCSSText(), "text-indent: 4px; margin-left: 0px;");
  EXPECT_TRUE(a->HasTextNumbering() == false);
}

TEST(StylesTest, BordersHaveTheirTotalWidths) {
  TUVBorder border;
  border.Width = 2;
  border.InternalWidth = 3;
  struct {
    TUVBorderStyle style;
    Integer width;
  } cases[] = {{uvbNone, 0}, {uvbSingle, 2}, {uvbDouble, 7}, {uvbTriple, 12}, {uvbThickInside, 9}, {uvbThickOutside, 9}};
  for (auto c : cases) {
    border.Style = c.style;
    EXPECT_EQ(border.GetTotalWidth(), c.width);
  }
}

TEST(StylesTest, CSSOfTheDefaultStyleSheet) {
  TUVStyle style(nullptr);
  TStringStream out;
  style.SaveCSSToStream(&out, 0);
  const AnsiString& css = out.GetDataString();
  EXPECT_EQ(css.find("/*----------Text Styles----------*/\r\nHR { color: #000000}\r\nBODY, TABLE /* Normal text */\r\n{"), 0u);
  EXPECT_NE(css.find("SPAN.UVTS1 /* Heading */\r\n{\r\n  font-weight: bold;\r\n  color: #0000FF;\r\n}\r\n"),
            AnsiString::npos);
  EXPECT_NE(css.find("A.UVTS4, SPAN.UVTS4 /* Jump 1 */\r\n{\r\n  color: #008000;\r\n  text-decoration: underline;\r\n}"),
            AnsiString::npos);
  EXPECT_NE(css.find("A.UVTS5, SPAN.UVTS5 /* Jump 2 */"), AnsiString::npos);
  EXPECT_NE(css.find("  font-family: \"Arial\";"), AnsiString::npos);
  EXPECT_NE(css.find("P,UL,OL /* Paragraph Style */\r\n{\r\n  text-align: left;\r\n  text-indent: 0px;"),
            AnsiString::npos);
  EXPECT_NE(css.find(".UVPS1 /* Centered */\r\n{\r\n  text-align: center;\r\n  padding: 0px 0px 0px 0px;"),
            AnsiString::npos);
}

TEST(StylesTest, CSSTextDecorationOfHyperlinks) {
  TUVStyle style(nullptr);
  TFontInfo* strike = style.GetTextStyles()->GetItem(4);
  strike->Style = TFontStyles{fsStrikeOut};
  TFontInfo* plain = style.GetTextStyles()->GetItem(5);
  plain->Style = TFontStyles();
  TStringStream out;
  style.SaveCSSToStream(&out, 0);
  const AnsiString& css = out.GetDataString();
  EXPECT_NE(css.find("A.UVTS4, SPAN.UVTS4 /* Jump 1 */\r\n{\r\n  color: #008000;\r\n  text-decoration: line-through;"),
            AnsiString::npos);
  EXPECT_NE(css.find("A.UVTS5, SPAN.UVTS5 /* Jump 2 */\r\n{\r\n  color: #008000;\r\n  text-decoration: none;"),
            AnsiString::npos);
}

TEST(StylesTest, TheStyleSheetForgetsAFreedImageList) {
  TUVStyle style(nullptr);
  TUVListLevel* level = style.GetListStyles()->Add()->GetLevels()->Add();
  auto* images = new TCustomImageList(16, 16);
  level->SetImageList(images);
  EXPECT_EQ(level->GetImageList(), images);
  delete images;
  EXPECT_EQ(level->GetImageList(), nullptr);
}

}  // namespace

#include "classlib/Filer.h"
#include "classlib/FormText.h"

namespace {

AnsiString AsFormText(TComponent* Root) {
  TMemoryStream binary;
  TWriter(&binary).WriteRootComponent(Root);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  return text.GetDataString();
}

TEST(StylesTest, TheStyleSheetGoesThroughTheFormStream) {
  TUVStyle style(nullptr);
  style.SetName("UVStyle1");
  style.SpacesInTab = 4;
  style.GetParaStyles()->GetItem(1)->GetBorder()->Style = uvbDouble;
  TUVListLevel* plain = style.GetListStyles()->Add()->GetLevels()->Add();
  TUVListLevel* changed = style.GetListStyles()->Add()->GetLevels()->Add();
  changed->ListType = uvlstDecimal;
  changed->FormatString = "%0:s)";
  changed->FormatStringW = L"\x2022";
  changed->GetFont()->SetSize(12);
  AnsiString form = AsFormText(&style);
  EXPECT_NE(form.find("FormatStringCode = '25303A7329'"), AnsiString::npos) << form;
  EXPECT_NE(form.find("FormatStringWCode = '2022'"), AnsiString::npos);
  EXPECT_NE(form.find("Font.Height"), AnsiString::npos);
  // The default marker font of the first list is not written.
  EXPECT_EQ(form.find("Font.Height"), form.rfind("Font.Height"));
  (void)plain;

  TMemoryStream binary;
  TWriter(&binary).WriteRootComponent(&style);
  binary.SetPosition(0);
  TUVStyle read(nullptr);
  TReader(&binary).ReadRootComponent(&read);
  EXPECT_EQ(read.SpacesInTab, 4);
  EXPECT_EQ(read.GetTextStyles()->GetCount(), 6);
  EXPECT_EQ(read.GetTextStyles()->GetItem(4)->Style, TFontStyles{fsUnderline});
  EXPECT_EQ(read.GetParaStyles()->GetItem(1)->GetBorder()->Style, uvbDouble);
  ASSERT_EQ(read.GetListStyles()->GetCount(), 2);
  TUVListLevel* level = read.GetListStyles()->GetItem(1)->GetLevels()->GetItem(0);
  EXPECT_EQ(level->FormatString, "%0:s)");
  EXPECT_EQ(level->FormatStringW, L"\x2022");
  EXPECT_EQ(level->GetFont()->GetSize(), 12);
  EXPECT_EQ(read.GetListStyles()->GetItem(0)->GetLevels()->GetItem(0)->FormatString, "\xB7");
}

TEST(StylesTest, TheOldSingleSymbolsPropertyProtectsTheStyle) {
  const char* form =
      "object UVStyle1: TUVStyle\n"
      "  TextStyles = <\n"
      "    item\n"
      "      StyleName = 'Normal text'\n"
      "      SingleSymbols = True\n"
      "    end>\n"
      "end\n";
  TStringStream text(form);
  TMemoryStream binary;
  ObjectTextToBinary(&text, &binary);
  binary.SetPosition(0);
  TUVStyle read(nullptr);
  TReader(&binary).ReadRootComponent(&read);
  ASSERT_EQ(read.GetTextStyles()->GetCount(), 1);
  EXPECT_EQ(read.GetTextStyles()->GetItem(0)->Protection, (TUVProtectOptions{uvprStyleProtect, uvprDoNotAutoSwitch}));
}

}  // namespace
