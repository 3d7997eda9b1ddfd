// RTF import into documents: small fixture files that LibreOffice wrote (text, fonts, colours,
// paragraph properties, Unicode with fallbacks, lists, hyperlinks, pictures, page breaks), the
// three ways of finding styles, and RTF from this library's own writer read back.
#include <string>
#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/Metafiles.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

// The fixtures lie next to this source; the Linux file system is drive Z: under Wine.
std::string Fixture(const char* Name) {
  std::string path = std::string("Z:") + RTF_FIXTURES_DIR + Name;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// A document that keeps the hyperlink targets the import reports and tags its items with them.
class LinkDocument : public TUVWindowlessData {
public:
  using TUVWindowlessData::TUVWindowlessData;
  void ReadHyperlink(const AnsiString& Target, const AnsiString& Extras, Integer DocFormat, Integer& StyleNo,
                     TUVTag& ItemTag, AnsiString& ItemName) override {
    TUVWindowlessData::ReadHyperlink(Target, Extras, DocFormat, StyleNo, ItemTag, ItemName);
    Targets.push_back(Target);
    ItemTag = static_cast<TUVTag>(Targets.size());
  }
  std::vector<AnsiString> Targets;
};

class RTFImportTest : public testing_support::IsolatedTest {
protected:
  RTFImportTest() {
    props.TextStyleMode = uvrsAddIfNeeded;
    props.ParaStyleMode = uvrsAddIfNeeded;
    props.UnicodeMode = uvruMixed;
  }

  TUVRTFResult Read(const std::string& Rtf) {
    TStringStream stream(Rtf);
    return props.ReadFromStream(&stream, &doc);
  }

  // The text of paragraph n (counted from 0), UTF-16 items converted to UTF-8, markers shown as
  // "[list level]".
  std::string Paragraph(Integer N) { return ParagraphOf(doc, N); }
  static std::string ParagraphOf(TCustomUVData& doc, Integer N) {
    std::string text;
    Integer para = -1;
    for (Integer i = 0; i < doc.GetItemCount(); ++i) {
      if (doc.IsParaStart(i)) ++para;
      if (para != N) continue;
      TCustomUVItemInfo* item = doc.GetItem(i);
      if (item->StyleNo == uvsListMarker) {
        auto* marker = static_cast<TUVMarkerItemInfo*>(item);
        text += Format("[%d %d]", marker->ListNo, marker->Level);
      } else if (item->IsUnicode()) {
        text += UTF8Encode(UVUniRawToWide(doc.GetItemText(i)));
      } else if (item->StyleNo >= 0) {
        text += doc.GetItemText(i);
      }
    }
    return text;
  }
  Integer ParagraphCount() {
    Integer count = 0;
    for (Integer i = 0; i < doc.GetItemCount(); ++i) count += doc.IsParaStart(i) ? 1 : 0;
    return count;
  }
  // The first item whose text contains Text.
  Integer Find(const std::string& Text) {
    for (Integer i = 0; i < doc.GetItemCount(); ++i) {
      std::string t = doc.GetItem(i)->IsUnicode() ? UTF8Encode(UVUniRawToWide(doc.GetItemText(i))) : doc.GetItemText(i);
      if (t.find(Text) != std::string::npos) return i;
    }
    return -1;
  }
  TFontInfo* FontOf(const std::string& Text) {
    Integer i = Find(Text);
    EXPECT_GE(i, 0) << Text;
    return style.GetTextStyles()->GetItem(i < 0 ? 0 : doc.GetItemStyle(i));
  }
  TParaInfo* ParaOf(const std::string& Text) {
    Integer i = Find(Text);
    EXPECT_GE(i, 0) << Text;
    return style.GetParaStyles()->GetItem(i < 0 ? 0 : doc.GetItemPara(i));
  }

  TUVStyle style{nullptr};
  LinkDocument doc{&style};
  TUVRTFReaderProperties props;
};

// --- LibreOffice's files --------------------------------------------------------------------------

TEST_F(RTFImportTest, FontsColoursAndParagraphsOfALibreOfficeFile) {
  ASSERT_EQ(props.ReadFromFile(Fixture("formatting.rtf"), &doc), rtf_ec_OK);
  ASSERT_EQ(ParagraphCount(), 7);
  EXPECT_EQ(Paragraph(0), "Plain paragraph in a serif font.");
  EXPECT_EQ(Paragraph(1), "Bold italic underlined struck red marked");
  EXPECT_EQ(Paragraph(2), "Centred");

  TFontInfo* plain = FontOf("Plain paragraph");
  EXPECT_EQ(plain->FontName, "Liberation Serif");
  EXPECT_EQ(plain->Size, 12);
  EXPECT_EQ(FontOf("Bold")->Style, TFontStyles{fsBold});
  EXPECT_EQ(FontOf("Bold")->FontName, "Liberation Sans");
  EXPECT_EQ(FontOf("Bold")->Size, 14);
  EXPECT_EQ(FontOf("italic")->Style, TFontStyles{fsItalic});
  EXPECT_EQ(FontOf("underlined")->Style, TFontStyles{fsUnderline});
  EXPECT_EQ(FontOf("struck")->Style, TFontStyles{fsStrikeOut});
  EXPECT_EQ(FontOf("red")->Color, clRed);
  EXPECT_EQ(FontOf("marked")->BackColor, clYellow);
  EXPECT_EQ(FontOf("x")->VShift, 0);
  EXPECT_EQ(FontOf("Caf")->FontName, "Liberation Mono");

  EXPECT_EQ(ParaOf("Centred")->Alignment, uvaCenter);
  EXPECT_EQ(ParaOf("Right")->Alignment, uvaRight);
  TParaInfo* justified = ParaOf("Justified");
  EXPECT_EQ(justified->Alignment, uvaJustify);
  EXPECT_EQ(justified->LeftIndent, 96);
  EXPECT_EQ(justified->FirstIndent, -48);
  EXPECT_EQ(justified->SpaceBefore, 24);
  EXPECT_EQ(justified->SpaceAfter, 12);
  EXPECT_EQ(ParaOf("Plain")->LineSpacing, 115);
  EXPECT_EQ(ParaOf("Plain")->SpaceAfter, 9);
}

TEST_F(RTFImportTest, UnicodeTextWithAndWithoutItsFallbacks) {
  ASSERT_EQ(props.ReadFromFile(Fixture("formatting.rtf"), &doc), rtf_ec_OK);
  EXPECT_EQ(Paragraph(5),
            "Caf\xC3\xA9 na\xC3\xAFve \xE2\x80\x94 \xE2\x80\x9Cquoted\xE2\x80\x9D \xCE\xB1\xCE\xB2\xCE\xB3 "
            "\xD0\x96\xD0\xB8\xD0\xB7\xD0\xBD\xD1\x8C \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xE4\xB8\xAD\xE6\x96\x87 "
            "\xE2\x82\xAC");
  EXPECT_TRUE(doc.GetItem(Find("\xD0\x96"))->IsUnicode());

  // Without UTF-16 the fallback characters are the text.
  TUVStyle style2(nullptr);
  TUVWindowlessData doc2(&style2);
  props.UnicodeMode = uvruNoUnicode;
  ASSERT_EQ(props.ReadFromFile(Fixture("formatting.rtf"), &doc2), rtf_ec_OK);
  EXPECT_EQ(ParagraphOf(doc2, 5), "Caf\xE9 na\xEFve \x97 \x93quoted\x94 ??? ????? ???? ?? \x80");
}

TEST_F(RTFImportTest, RaisedAndLoweredText) {
  ASSERT_EQ(props.ReadFromFile(Fixture("formatting.rtf"), &doc), rtf_ec_OK);
  EXPECT_EQ(Paragraph(6), "x2 E=mc2");
  Integer sub = Find("x") + 1;
  EXPECT_EQ(style.GetTextStyles()->GetItem(doc.GetItemStyle(sub))->VShift, -25);
  Integer sup = doc.GetItemCount() - 1;
  EXPECT_EQ(doc.GetItemText(sup), "2");
  EXPECT_EQ(style.GetTextStyles()->GetItem(doc.GetItemStyle(sup))->VShift, 45);
  EXPECT_EQ(style.GetTextStyles()->GetItem(doc.GetItemStyle(sup))->Size, 6);
}

TEST_F(RTFImportTest, ListsOfALibreOfficeFile) {
  ASSERT_EQ(props.ReadFromFile(Fixture("lists-links-pictures.rtf"), &doc), rtf_ec_OK);
  EXPECT_EQ(Paragraph(0), "Before the lists.");
  EXPECT_EQ(Paragraph(1), "[0 0]First bullet");
  EXPECT_EQ(Paragraph(2), "[0 0]Second bullet");
  EXPECT_EQ(Paragraph(3), "[0 1]Nested bullet");
  EXPECT_EQ(Paragraph(4), "[1 0]One");
  EXPECT_EQ(Paragraph(5), "[1 0]Two");
  EXPECT_EQ(Paragraph(6), "[2 0]Alpha");
  EXPECT_EQ(Paragraph(7), "[3 0]Four");
  TUVListLevel* bullet = style.GetListStyles()->GetItem(0)->GetLevels()->GetItem(0);
  EXPECT_EQ(bullet->ListType, uvlstUnicodeBullet);
  EXPECT_EQ(bullet->FormatStringW, L"\x2022");
  EXPECT_EQ(bullet->LeftIndent, 47);
  EXPECT_EQ(bullet->MarkerIndent, 28);
  TUVListLevel* decimal = style.GetListStyles()->GetItem(1)->GetLevels()->GetItem(0);
  EXPECT_EQ(decimal->ListType, uvlstDecimal);
  EXPECT_EQ(decimal->FormatString, "%0:s.");
  EXPECT_EQ(style.GetListStyles()->GetItem(2)->GetLevels()->GetItem(0)->ListType, uvlstLowerAlpha);
  TUVListLevel* roman = style.GetListStyles()->GetItem(3)->GetLevels()->GetItem(0);
  EXPECT_EQ(roman->ListType, uvlstUpperRoman);
  EXPECT_EQ(roman->StartFrom, 4);
  // The numbers the markers show.
  std::vector<std::string> shown;
  for (Integer i = 0; i < doc.GetItemCount(); ++i)
    if (doc.GetItemStyle(i) == uvsListMarker) shown.push_back(static_cast<TUVMarkerItemInfo*>(doc.GetItem(i))->DisplayString);
  EXPECT_EQ(shown, (std::vector<std::string>{"", "", "", "1.", "2.", "a.", "IV."}));
}

TEST_F(RTFImportTest, HyperlinksPicturesAndPageBreaksOfALibreOfficeFile) {
  ASSERT_EQ(props.ReadFromFile(Fixture("lists-links-pictures.rtf"), &doc), rtf_ec_OK);
  EXPECT_EQ(Paragraph(8), "See the site and mail.");
  EXPECT_EQ(doc.Targets, (std::vector<AnsiString>{"http://example.org/page?a=1&b=2", "mailto:me@example.org"}));
  Integer link = Find("the site");
  ASSERT_GE(link, 0);
  EXPECT_TRUE(style.GetTextStyles()->GetItem(doc.GetItemStyle(link))->Jump);
  EXPECT_EQ(doc.GetItem(link)->Tag, 1);
  EXPECT_FALSE(style.GetTextStyles()->GetItem(doc.GetItemStyle(Find(" and ")))->Jump);

  EXPECT_EQ(Paragraph(9), "Picture:  after.");
  Integer picture = -1;
  for (Integer i = 0; i < doc.GetItemCount(); ++i)
    if (doc.GetItemStyle(i) == uvsPicture) picture = i;
  ASSERT_GE(picture, 0);
  auto* item = static_cast<TUVGraphicItemInfo*>(doc.GetItem(picture));
  EXPECT_TRUE(dynamic_cast<TMetafile*>(item->Image));
  EXPECT_EQ(item->ImageWidth, 40);
  EXPECT_EQ(item->ImageHeight, 20);

  Integer last = Find("After the page break.");
  ASSERT_GE(last, 0);
  EXPECT_TRUE(doc.GetItem(last)->GetPageBreakBefore());
  EXPECT_FALSE(doc.GetItem(Find("See "))->GetPageBreakBefore());
}

// --- Finding styles -------------------------------------------------------------------------------

TEST_F(RTFImportTest, ImportingTwiceAddsNoSecondSetOfStyles) {
  ASSERT_EQ(props.ReadFromFile(Fixture("formatting.rtf"), &doc), rtf_ec_OK);
  const Integer texts = style.GetTextStyles()->GetCount();
  const Integer paras = style.GetParaStyles()->GetCount();
  ASSERT_EQ(props.ReadFromFile(Fixture("lists-links-pictures.rtf"), &doc), rtf_ec_OK);
  const Integer lists = style.GetListStyles()->GetCount();
  ASSERT_EQ(props.ReadFromFile(Fixture("formatting.rtf"), &doc), rtf_ec_OK);
  ASSERT_EQ(props.ReadFromFile(Fixture("lists-links-pictures.rtf"), &doc), rtf_ec_OK);
  EXPECT_GT(style.GetTextStyles()->GetCount(), texts);  // the second file has styles of its own
  const Integer texts2 = style.GetTextStyles()->GetCount();
  ASSERT_EQ(props.ReadFromFile(Fixture("formatting.rtf"), &doc), rtf_ec_OK);
  EXPECT_EQ(style.GetTextStyles()->GetCount(), texts2);
  EXPECT_GE(style.GetParaStyles()->GetCount(), paras);
  EXPECT_EQ(style.GetListStyles()->GetCount(), lists);
}

TEST_F(RTFImportTest, SubscriptLooksForAHalfSizeStyle) {
  ASSERT_EQ(Read(R"({\rtf1{\fonttbl{\f0 Arial;}}\f0\fs24 a{\sub b}})"), rtf_ec_OK);
  TFontInfo* sub = style.GetTextStyles()->GetItem(doc.GetItemStyle(1));
  EXPECT_EQ(sub->Size, 6);
  EXPECT_EQ(sub->VShift, -25);
  EXPECT_EQ(style.GetTextStyles()->GetItem(doc.GetItemStyle(0))->Size, 12);
}

TEST_F(RTFImportTest, ClosestStylesAreChosenWithoutAddingAny) {
  props.TextStyleMode = uvrsUseClosest;
  props.ParaStyleMode = uvrsUseClosest;
  ASSERT_EQ(Read(R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red0\green0\blue255;})"
                 R"(\f0\fs20 plain\par\b\cf1 bold blue\par\pard\qc\plain centred\par})"),
            rtf_ec_OK);
  EXPECT_EQ(style.GetTextStyles()->GetCount(), 6);
  EXPECT_EQ(style.GetParaStyles()->GetCount(), 2);
  EXPECT_EQ(doc.GetItemStyle(0), 0);
  EXPECT_EQ(doc.GetItemStyle(1), 1);  // "Heading": bold and blue
  EXPECT_EQ(doc.GetItemPara(2), 1);   // "Centered"
}

TEST_F(RTFImportTest, SpecifiedStyles) {
  props.TextStyleMode = uvrsUseSpecified;
  props.ParaStyleMode = uvrsUseSpecified;
  props.SetTextStyleNo(3);
  props.SetParaStyleNo(1);
  ASSERT_EQ(Read(R"({\rtf1 \b a\par\qj b})"), rtf_ec_OK);
  EXPECT_EQ(doc.GetItemStyle(0), 3);
  EXPECT_EQ(doc.GetItemPara(1), 1);
  EXPECT_THROW(props.SetTextStyleNo(-1), EUzurUvadError);
  EXPECT_THROW(props.SetParaStyleNo(-1), EUzurUvadError);
}

TEST_F(RTFImportTest, StyleFilterKeepsStylesOut) {
  props.TextStyleMode = uvrsUseClosest;
  props.StyleFilter = [](Integer StyleNo, bool IsPara) { return IsPara || StyleNo != 1; };
  ASSERT_EQ(Read(R"({\rtf1{\colortbl;\red0\green0\blue255;}\b\cf1 bold blue})"), rtf_ec_OK);
  EXPECT_NE(doc.GetItemStyle(0), 1);
}

TEST_F(RTFImportTest, ParagraphBordersAndBackgrounds) {
  ASSERT_EQ(Read(R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green255\blue0;})"
                 R"(\pard\brdrt\brdrdb\brdrw15\brdrcf1\brdrb\brdrdb\brdrw15\brdrcf1\cbpat2 boxed\par})"),
            rtf_ec_OK);
  TParaInfo* p = style.GetParaStyles()->GetItem(doc.GetItemPara(0));
  EXPECT_EQ(p->GetBorder()->Style, uvbDouble);
  EXPECT_EQ(p->GetBorder()->Width, 1);
  EXPECT_EQ(p->GetBorder()->InternalWidth, 1);
  EXPECT_EQ(p->GetBorder()->Color, clRed);
  EXPECT_TRUE(p->GetBorder()->GetVisibleBorders()->Top);
  EXPECT_FALSE(p->GetBorder()->GetVisibleBorders()->Left);
  EXPECT_EQ(p->GetBackground()->Color, clLime);
  EXPECT_EQ(p->SpaceBefore, 3);  // the border's width is room taken before and after
}

// --- Items, paragraphs and hyperlinks -------------------------------------------------------------

TEST_F(RTFImportTest, FirstItemOfAnEmptyDocumentStartsAParagraph) {
  ASSERT_EQ(Read(R"({\rtf1{\fonttbl{\f0 Arial;}} {\b bold} rest})"), rtf_ec_OK);
  ASSERT_GE(doc.GetItemCount(), 1);
  EXPECT_TRUE(doc.IsParaStart(0));
  EXPECT_FALSE(doc.IsParaStart(1));
}

TEST_F(RTFImportTest, LinesAndHiddenText) {
  ASSERT_EQ(Read(R"({\rtf1 a\line b{\v hidden}c\par d})"), rtf_ec_OK);
  EXPECT_EQ(Paragraph(0), "abc");
  EXPECT_TRUE(doc.GetItem(Find("b"))->GetBreaksLine());
  EXPECT_EQ(Find("hidden"), -1);
  doc.Clear();
  props.LineBreaksAsParagraphs = true;
  props.SkipHiddenText = false;
  ASSERT_EQ(Read(R"({\rtf1 a\line b{\v hidden}c})"), rtf_ec_OK);
  EXPECT_EQ(Paragraph(0), "a");
  EXPECT_EQ(Paragraph(1), "bhiddenc");
}

TEST_F(RTFImportTest, HyperlinkTargetsAndTheBasePath) {
  props.BasePath = "C:\\docs\\";
  ASSERT_EQ(Read(R"({\rtf1 {\field{\*\fldinst HYPERLINK "page.htm" \\l "part" \\o "tip"}{\fldrslt here}})"
                 R"({\field{\*\fldinst HYPERLINK "http://x.org/"}{\fldrslt there}}})"),
            rtf_ec_OK);
  EXPECT_EQ(doc.Targets, (std::vector<AnsiString>{"C:\\docs\\page.htm", "http://x.org/"}));
}

// A document whose hyperlinks all lead to one target.
class OneLinkDocument : public TUVWindowlessData {
public:
  OneLinkDocument(TUVStyle* Style, AnsiString Target) : TUVWindowlessData(Style), FTarget(std::move(Target)) {}
  AnsiString GetURL(Integer) override { return FTarget; }

private:
  AnsiString FTarget;
};

TEST_F(RTFImportTest, HyperlinkTargetsWithQuotesAndBackslashesReadBackAsWritten) {
  for (const AnsiString target : {"http://x.org/a?b=1&c={2}", "say \"hi\".htm", "\"quoted\"", "C:\\dir\\file.doc",
                                  "\\\\server\\share\\a b.doc", "C:\\ends in\\", "with  two spaces and \\\" both"}) {
    TUVStyle sourceStyle(nullptr);
    OneLinkDocument source(&sourceStyle, target);
    source.AddNL("see ", 0, 0);
    source.Add("link", 4);
    source.FormatDefault(false);  // gives the hyperlinks their numbers
    TMemoryStream stream;
    ASSERT_TRUE(source.SaveRTFToStream(&stream, false, clWindow));
    stream.SetPosition(0);
    doc.Clear();
    doc.Targets.clear();
    ASSERT_EQ(props.ReadFromStream(&stream, &doc), rtf_ec_OK) << target;
    EXPECT_EQ(doc.Targets, std::vector<AnsiString>{target}) << target;
    EXPECT_EQ(Paragraph(0), "see link") << target;
  }
  // Targets written without escapes (by earlier versions) keep their backslashes; escaped ones
  // (as word processors write paths) lose the escapes.
  doc.Clear();
  doc.Targets.clear();
  ASSERT_EQ(Read(R"({\rtf1 {\field{\*\fldinst HYPERLINK "C:\\dir\\"}{\fldrslt a}})"
                 R"({\field{\*\fldinst HYPERLINK "C:\\\\dir\\\\x.doc"}{\fldrslt b}}})"),
            rtf_ec_OK);
  EXPECT_EQ(doc.Targets, (std::vector<AnsiString>{"C:\\dir\\", "C:\\dir\\x.doc"}));
}

TEST_F(RTFImportTest, OldStyleNumberingBecomesAListStyle) {
  ASSERT_EQ(Read(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Symbol;}})"
                 R"(\pard{\*\pn\pnlvlblt\pnf1\pnindent360{\pntxtb \'b7}}\li720\fi-360\f0 first\par)"
                 R"(\pard{\*\pn\pnlvlblt\pnf1\pnindent360{\pntxtb \'b7}}\li720\fi-360\f0 second\par)"
                 R"(\pard{\*\pn\pnlvl3\pndec\pnf0\pnindent360{\pntxta .}}\li720\fi-360 numbered\par})"),
            rtf_ec_OK);
  EXPECT_EQ(Paragraph(0), "[0 0]first");
  EXPECT_EQ(Paragraph(1), "[0 0]second");
  EXPECT_EQ(Paragraph(2), "[1 0]numbered");
  ASSERT_EQ(style.GetListStyles()->GetCount(), 2);
  TUVListLevel* bullet = style.GetListStyles()->GetItem(0)->GetLevels()->GetItem(0);
  EXPECT_EQ(bullet->ListType, uvlstBullet);
  EXPECT_EQ(bullet->FormatString, "\xB7");
  EXPECT_EQ(bullet->GetFont()->GetName(), "Symbol");
  EXPECT_EQ(bullet->LeftIndent, 48);
  EXPECT_EQ(bullet->MarkerIndent, 24);
  TUVListLevel* numbered = style.GetListStyles()->GetItem(1)->GetLevels()->GetItem(0);
  EXPECT_EQ(numbered->FormatString, "%s.");
  EXPECT_EQ(static_cast<TUVMarkerItemInfo*>(doc.GetItem(Find("numbered") - 1))->DisplayString, "1.");
}

TEST_F(RTFImportTest, ListLevelTextWithPercentAndSymbolBullets) {
  ASSERT_EQ(Read(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Symbol;}{\f2 Wingdings;}})"
                 R"({\*\listtable{\list{\listlevel\levelnfc0{\leveltext\'03\'00%.;}{\levelnumbers\'01\'09;}}\listid1})"
                 R"({\list{\listlevel\levelnfc23\f1{\leveltext\'01\u-3913 ?;}{\levelnumbers;}}\listid2})"
                 R"({\list{\listlevel\levelnfc23\f2{\leveltext\'01\u-3986 ?;}{\levelnumbers;}}\listid3}})"
                 R"({\*\listoverridetable{\listoverride\listid1\ls1}{\listoverride\listid2\ls2}{\listoverride\listid3\ls3}})"
                 R"(\pard\ls1 a\par\pard\ls2 b\par\pard\ls3 c\par})"),
            rtf_ec_OK);
  TUVListInfos* lists = style.GetListStyles();
  ASSERT_EQ(lists->GetCount(), 3);
  // The placeholder at 9 lies outside the level text and is ignored.
  EXPECT_EQ(lists->GetItem(0)->GetLevels()->GetItem(0)->FormatString, "%0:s%%.");
  EXPECT_EQ(static_cast<TUVMarkerItemInfo*>(doc.GetItem(0))->DisplayString, "1%.");
  TUVListLevel* symbol = lists->GetItem(1)->GetLevels()->GetItem(0);
  EXPECT_EQ(symbol->ListType, uvlstBullet);
  EXPECT_EQ(symbol->FormatString, "\xB7");
  TUVListLevel* wingdings = lists->GetItem(2)->GetLevels()->GetItem(0);
  EXPECT_EQ(wingdings->ListType, uvlstBullet);
  EXPECT_EQ(wingdings->FormatString, "n");
}

TEST_F(RTFImportTest, ListsOnlyWhenParagraphStylesAreAdded) {
  props.ParaStyleMode = uvrsUseClosest;
  ASSERT_EQ(props.ReadFromFile(Fixture("lists-links-pictures.rtf"), &doc), rtf_ec_OK);
  EXPECT_EQ(style.GetListStyles()->GetCount(), 0);
  EXPECT_EQ(Paragraph(1), "First bullet");
}

TEST_F(RTFImportTest, MissingPicturesShowTheBadPictureAndCanBeIgnored) {
  ASSERT_EQ(Read(R"({\rtf1 a{\pict\pngblip 89504e47}b})"), rtf_ec_OK);
  ASSERT_EQ(doc.GetItemCount(), 3);
  auto* picture = dynamic_cast<TUVGraphicItemInfo*>(doc.GetItem(1));
  ASSERT_TRUE(picture);
  EXPECT_FALSE(picture->Image->GetEmpty());
  doc.Clear();
  props.IgnorePictures = true;
  ASSERT_EQ(Read(R"({\rtf1 a{\pict\pngblip 89504e47}b})"), rtf_ec_OK);
  EXPECT_EQ(Paragraph(0), "ab");
  EXPECT_EQ(doc.GetItemCount(), 1);
}

TEST_F(RTFImportTest, BrokenInputKeepsWhatWasRead) {
  EXPECT_EQ(Read("{\\rtf1 first\\par second\\'zz"), rtf_ec_InvalidHex);
  EXPECT_EQ(Paragraph(0), "first");
  doc.Clear();
  EXPECT_EQ(Read("{\\rtf1 unfinished"), rtf_ec_UnmatchedBrace);
  doc.Clear();
  EXPECT_EQ(props.ReadFromFile(temp_.File("none.rtf"), &doc), rtf_ec_FileOpenError);
  EXPECT_EQ(doc.GetItemCount(), 0);
}

TEST_F(RTFImportTest, TableCellsBecomeParagraphs) {
  ASSERT_EQ(Read(R"({\rtf1\trowd\cellx1000\cellx2000\pard\intbl a\cell b\cell\row\pard after\par})"), rtf_ec_OK);
  EXPECT_EQ(ParagraphCount(), 3);
  EXPECT_EQ(Paragraph(0), "a");
  EXPECT_EQ(Paragraph(1), "b");
  EXPECT_EQ(Paragraph(2), "after");
}

TEST_F(RTFImportTest, InsertingPlacesTheContentAtTheIndex) {
  doc.AddNL("first", 0, 0);
  doc.AddNL("last", 0, 0);
  TStringStream stream("{\\rtf1 middle\\par}");
  Integer index = 1;
  ASSERT_EQ(props.InsertFromStream(&stream, &doc, index), rtf_ec_OK);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(Paragraph(1), "middle");
  EXPECT_EQ(Paragraph(2), "last");
}

TEST_F(RTFImportTest, HeadersAndFootersGoToTheirDocuments) {
  TUVWindowlessData header(&style);
  TUVWindowlessData footer(&style);
  props.HeaderData = &header;
  props.FooterData = &footer;
  ASSERT_EQ(Read(R"({\rtf1{\header head\par}{\footer foot}body})"), rtf_ec_OK);
  EXPECT_EQ(Paragraph(0), "body");
  ASSERT_EQ(header.GetItemCount(), 1);
  EXPECT_EQ(header.GetItemText(0), "head");
  ASSERT_EQ(footer.GetItemCount(), 1);
  EXPECT_EQ(footer.GetItemText(0), "foot");
}

// --- This library's own RTF -----------------------------------------------------------------------

// Pictures come back at the size they were shown at, stretched or not.
TEST_F(RTFImportTest, OwnPicturesReadBackAtTheirSize) {
  TUVStyle sourceStyle(nullptr);
  TUVWindowlessData source(&sourceStyle);
  const struct {
    Integer Width, Height;  // as shown; 0 for the picture's own
  } shown[] = {{0, 0}, {32, 4}};
  for (const auto& s : shown) {
    auto* bitmap = new TBitmap;
    bitmap->SetSize(16, 8);
    auto* item = new TUVGraphicItemInfo(&source, bitmap, 0);
    item->ImageWidth = s.Width;
    item->ImageHeight = s.Height;
    source.AddItem("", item);
  }
  TMemoryStream stream;
  ASSERT_TRUE(source.SaveRTFToStream(&stream, false, clWindow));
  stream.SetPosition(0);
  ASSERT_EQ(props.ReadFromStream(&stream, &doc), rtf_ec_OK);
  std::vector<std::pair<Integer, Integer>> sizes;
  for (Integer i = 0; i < doc.GetItemCount(); ++i)
    if (auto* picture = dynamic_cast<TUVGraphicItemInfo*>(doc.GetItem(i)))
      sizes.emplace_back(picture->ImageWidth > 0 ? picture->ImageWidth : picture->Image->GetWidth(),
                         picture->ImageHeight > 0 ? picture->ImageHeight : picture->Image->GetHeight());
  EXPECT_EQ(sizes, (std::vector<std::pair<Integer, Integer>>{{16, 8}, {32, 4}}));
}

TEST_F(RTFImportTest, OwnRTFReadsBackWithItsStyles) {
  TUVStyle sourceStyle(nullptr);
  TUVWindowlessData source(&sourceStyle);
  TFontInfo* unicode = sourceStyle.GetTextStyles()->Add();
  unicode->Unicode = true;
  unicode->FontName = "Times New Roman";
  unicode->Size = 14;
  TParaInfo* centred = sourceStyle.GetParaStyles()->Add();
  centred->Alignment = uvaCenter;
  centred->SpaceAfter = 10;
  TParaInfo* framed = sourceStyle.GetParaStyles()->Add();
  framed->GetBorder()->Style = uvbDouble;
  framed->GetBorder()->Color = clRed;
  framed->GetBorder()->Width = 1;
  source.AddNL("Caf\xE9 {braces} \\ back", 1, 0);
  source.AddNL(UVUniWideStringToRaw(L"\x0416\x05D0 \x00E9"), 6, 2);
  source.Add(" tail", 3);
  source.AddNL("framed", 0, 3);
  TMemoryStream stream;
  ASSERT_TRUE(source.SaveRTFToStream(&stream, false, clWindow));
  stream.SetPosition(0);
  ASSERT_EQ(props.ReadFromStream(&stream, &doc), rtf_ec_OK);
  ASSERT_EQ(ParagraphCount(), 3);
  EXPECT_EQ(Paragraph(0), "Caf\xE9 {braces} \\ back");
  EXPECT_EQ(Paragraph(1), "\xD0\x96\xD7\x90 \xC3\xA9 tail");
  TFontInfo* heading = FontOf("braces");
  EXPECT_EQ(heading->Style, TFontStyles{fsBold});
  EXPECT_EQ(heading->Color, clBlue);
  EXPECT_EQ(heading->Size, 10);
  EXPECT_EQ(FontOf("tail")->Style, TFontStyles{fsItalic});
  TParaInfo* para = style.GetParaStyles()->GetItem(doc.GetItemPara(Find(" tail")));
  EXPECT_EQ(para->Alignment, uvaCenter);
  EXPECT_EQ(para->SpaceAfter, 10);
  // A double border stays double, not a single thick one.
  TUVBorder* border = ParaOf("framed")->GetBorder();
  EXPECT_EQ(border->Style, uvbDouble);
  EXPECT_EQ(border->Width, 1);
  EXPECT_EQ(border->Color, clRed);
}

}  // namespace
