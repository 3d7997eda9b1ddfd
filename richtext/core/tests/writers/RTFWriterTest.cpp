// RTF written byte for byte for small documents, and what the writer does with characters,
// styles, checkpoints, hyperlinks, lists and selections.
#include <regex>
#include <string>

#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

// A document whose hyperlinks have targets, as a viewer's OnURLNeeded gives them.
class RTFLinkedDocument : public TUVWindowlessData {
public:
  using TUVWindowlessData::TUVWindowlessData;
  AnsiString GetURL(Integer Id) override { return ::Format("http://example.org/%d?a=1&b={2}", Id); }
};

// The start of every document written with the default style sheet: header, one Arial font,
// the seventeen standard colours.
const std::string kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\\deflang1024\\deflangfe1024"
    "{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;\\red0\\green255\\blue0;"
    "\\red255\\green0\\blue255;\\red255\\green0\\blue0;\\red255\\green255\\blue0;\\red255\\green255\\blue255;"
    "\\red0\\green0\\blue128;\\red0\\green128\\blue128;\\red0\\green128\\blue0;\\red128\\green0\\blue128;"
    "\\red128\\green0\\blue0;\\red128\\green128\\blue0;\\red128\\green128\\blue128;\\red192\\green192\\blue192;}"
    "\\uc1";
const std::string kPara = "\r\n\\pard\\fi0\\li0\\ql\\ri0\\sb0\\sa0\\itap0 ";

class RTFWriterTest : public testing_support::IsolatedTest {
protected:
  std::string Save(bool Selection = false) {
    TMemoryStream stream;
    EXPECT_TRUE(doc.SaveRTFToStream(&stream, Selection, clWindow));
    return std::string(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  }

  // A list paragraph: its marker, which the text then continues.
  void AddMarker(Integer ListNo, Integer Level, Integer StartFrom, bool Reset) {
    auto* marker = new TUVMarkerItemInfo(&doc, ListNo, Level, StartFrom, Reset);
    marker->ParaNo = 0;
    doc.AddItem("", marker);
  }

  TUVStyle style{nullptr};
  RTFLinkedDocument doc{&style};
};

TEST_F(RTFWriterTest, SmallDocumentByteForByte) {
  doc.AddNL("Hello", 0, 0);
  doc.Add(" bold", 1);
  doc.AddNL("second", 0, 1);
  EXPECT_EQ(Save(), kHeader + kPara + "\\plain \\f0\\fs20 Hello\\plain \\f0\\b\\fs20\\cf2  bold" +
                        "\r\n\\par\\pard\\fi0\\li0\\qc\\ri0\\sb0\\sa0\\itap0 \\plain \\f0\\fs20 second}");
}

TEST_F(RTFWriterTest, OneEmptyParagraph) {
  doc.AddNL("", 0, 0);
  EXPECT_EQ(Save(), kHeader + kPara + "\\plain \\f0\\fs20 }");
}

TEST_F(RTFWriterTest, ClosingEmptyParagraphGetsItsParagraphMark) {
  doc.AddNL("a", 0, 0);
  doc.AddNL("", 0, 0);
  EXPECT_EQ(Save(), kHeader + kPara + "\\plain \\f0\\fs20 a\r\n\\par\\pard\\fi0\\li0\\ql\\ri0\\sb0\\sa0\\itap0 " +
                        "\\plain \\f0\\fs20 \\par}");
}

TEST_F(RTFWriterTest, CharactersAreEscaped) {
  doc.AddNL("", 0, 0);
  doc.SetItemText(0, "caf\xE9 {x}\\\ty");  // the add family turns tabs into blanks
  EXPECT_EQ(Save(), kHeader + kPara + "\\plain \\f0\\fs20 caf\\'e9 \\{x\\}\\\\\\'09y}");
}

TEST_F(RTFWriterTest, UnicodeTextAndItsFallbacks) {
  TFontInfo* unicode = style.GetTextStyles()->Add();
  unicode->Unicode = true;
  doc.AddNL(UVUniWideStringToRaw(L"a\x4E2D\xFFFD\x00E9"), 6, 0);
  EXPECT_EQ(Save(), kHeader + kPara + "\\plain \\f0\\fs20 a\\u20013 ?\\u-3 ?\\u233 \\'e9}");
  doc.RTFOptions = TUVRTFOptions();
  EXPECT_NE(Save().find("\\uc0"), std::string::npos);
  EXPECT_NE(Save().find("a\\u20013 \\u-3 \\u233 }"), std::string::npos);
}

TEST_F(RTFWriterTest, CharacterFormatting) {
  TFontInfo* sub = style.GetTextStyles()->Add();
  sub->VShift = -30;
  sub->Size = 10;
  sub->FontName = "Times New Roman";
  TFontInfo* fancy = style.GetTextStyles()->Add();
  fancy->Style = TFontStyles{fsItalic, fsUnderline, fsStrikeOut};
  fancy->CharScale = 80;
  fancy->CharSpacing = 2;
  fancy->StyleEx = TUVFontStyles{uvfsAllCaps};
  fancy->Charset = RUSSIAN_CHARSET;
  fancy->BackColor = clYellow;
  fancy->Color = clRed;
  doc.AddNL("s", 6, 0);
  doc.AddNL("f", 7, 0);
  const std::string rtf = Save();
  EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Times New Roman;}"
                     "{\\f2\\fnil\\fcharset204 Arial;}}"),
            std::string::npos);
  EXPECT_NE(rtf.find("\\plain \\f1\\sub\\fs40 s"), std::string::npos);
  EXPECT_NE(rtf.find("\\plain \\f2\\i\\ul\\strike\\charscalex80\\expndtw30\\caps\\lang1049\\fs20\\chcbpat7\\cf6 f"),
            std::string::npos);
}

TEST_F(RTFWriterTest, ParagraphFormatting) {
  TParaInfo* p = style.GetParaStyles()->Add();
  p->LineSpacing = 150;
  p->FirstIndent = -10;
  p->LeftIndent = 20;
  p->RightIndent = 4;
  p->SpaceBefore = 2;
  p->SpaceAfter = 6;
  p->Alignment = uvaJustify;
  p->GetBackground()->Color = clAqua;
  p->GetBorder()->Style = uvbDouble;
  p->GetBorder()->Color = clBlue;
  p->GetBorder()->Width = 1;
  p->GetBorder()->GetVisibleBorders()->Left = false;
  p->GetBorder()->GetBorderOffsets()->Top = 3;
  TParaInfo* single = style.GetParaStyles()->Add();
  single->LineSpacing = 100;
  doc.AddNL("p", 0, 2);
  doc.AddNL("q", 0, 3);
  const std::string rtf = Save();
  EXPECT_NE(rtf.find("\\pard\\sl360\\slmult1\\fi-150\\li300\\qj\\ri60\\sb30\\sa90\\cbpat3\\brdrbtw"
                     "\\brdrt\\brsp45\\brdrdb\\brdrcf2\\brdrw15\\brdrr\\brsp0\\brdrdb\\brdrcf2\\brdrw15"
                     "\\brdrb\\brsp0\\brdrdb\\brdrcf2\\brdrw15\\itap0 \\plain"),
            std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("\\pard\\fi0\\li0\\ql\\ri0\\sb0\\sa0\\itap0 \\plain \\f0\\fs20 q"), std::string::npos);
}

TEST_F(RTFWriterTest, PageAndLineBreaks) {
  doc.AddNL("a", 0, 0);
  doc.AddNL("b", 0, 0);
  doc.GetItem(1)->SetBreaksLine(true);
  doc.AddNL("c", 0, 0);
  doc.GetItem(2)->SetPageBreakBefore(true);
  const std::string rtf = Save();
  EXPECT_NE(rtf.find("a\r\n\\line\\plain \\f0\\fs20 b\r\n\\par\\pard\\page\\fi0"), std::string::npos) << rtf;
}

TEST_F(RTFWriterTest, CheckpointsBecomeBookmarks) {
  doc.AddCheckpoint();
  doc.AddNL("a", 0, 0);
  doc.AddNamedCheckpointExTag("Gen 1:1", false, 0);
  doc.AddNL("b", 0, 0);
  doc.AddCheckpoint();
  const std::string rtf = Save();
  EXPECT_NE(rtf.find("{\\*\\bkmkstart UzurUvadCheckpoint0}{\\*\\bkmkend UzurUvadCheckpoint0}\\plain \\f0\\fs20 a"),
            std::string::npos);
  EXPECT_NE(rtf.find("{\\*\\bkmkstart Gen_1_1}{\\*\\bkmkend Gen_1_1}\\plain"), std::string::npos);
  EXPECT_NE(rtf.find("b{\\*\\bkmkstart UzurUvadCheckpoint1}{\\*\\bkmkend UzurUvadCheckpoint1}}"), std::string::npos);
}

TEST_F(RTFWriterTest, HyperlinksBecomeFields) {
  doc.AddNL("see ", 0, 0);
  doc.Add("link", 4);
  doc.FormatDefault(false);  // gives the hyperlinks their numbers
  const std::string rtf = Save();
  EXPECT_NE(rtf.find("{\\field{\\*\\fldinst HYPERLINK \"http://example.org/0?a=1&b=\\{2\\}\"}{\\fldrslt"
                     "\\plain \\f0\\ul\\fs20\\cf11 link}}}"),
            std::string::npos)
      << rtf;
}

TEST_F(RTFWriterTest, StyleSheet) {
  doc.RTFOptions = TUVRTFOptions{uvrtfSaveStyleSheet, uvrtfDuplicateUnicode};
  style.GetTextStyles()->GetItem(3)->StyleName = "Key{words}";
  doc.AddNL("a", 1, 1);
  const std::string rtf = Save();
  EXPECT_NE(rtf.find("{\\stylesheet{\\s0\\fi0\\li0\\ql\\ri0\\sb0\\sa0 Paragraph Style;}"
                     "{\\s1\\fi0\\li0\\qc\\ri0\\sb0\\sa0 Centered;}"
                     "{\\*\\cs2\\f0\\fs20 Normal text;}{\\*\\cs3\\f0\\b\\fs20\\cf2 Heading;}"),
            std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("{\\*\\cs5\\f0\\i\\fs20\\cf13 Key_words_;}"), std::string::npos);
  EXPECT_NE(rtf.find("\\pard\\s1\\fi0\\li0\\qc\\ri0\\sb0\\sa0\\itap0 \\plain \\s3\\f0\\b\\fs20\\cf2 a}"),
            std::string::npos);
}

TEST_F(RTFWriterTest, ListTablesAndMarkers) {
  TUVListInfo* numbered = style.GetListStyles()->Add();
  TUVListLevel* level = numbered->GetLevels()->Add();
  level->ListType = uvlstDecimal;
  level->FormatString = "%0:s.";
  level->LeftIndent = 24;
  level->FirstIndent = 12;
  TUVListInfo* bullets = style.GetListStyles()->Add();
  bullets->GetLevels()->Add();
  bullets->GetLevels()->Add()->ListType = uvlstLowerRoman;
  AddMarker(0, 0, 1, false);
  doc.Add("one", 0);
  AddMarker(0, 0, 1, false);
  doc.Add("two", 0);
  AddMarker(0, 0, 5, true);
  doc.Add("five", 0);
  AddMarker(1, 0, 1, false);
  doc.Add("bullet", 0);
  std::string rtf = Save();
  // The identifiers are random: give them names.
  rtf = std::regex_replace(rtf, std::regex("listtemplateid[0-9]+"), "listtemplateidT");
  std::smatch m;
  std::string ids = rtf;
  std::vector<std::string> listIds;
  while (std::regex_search(ids, m, std::regex("\\\\listid([0-9]+)\\}"))) {
    listIds.push_back(m[1]);
    ids = m.suffix();
  }
  ASSERT_EQ(listIds.size(), 2u);
  EXPECT_NE(listIds[0], listIds[1]);
  rtf = std::regex_replace(rtf, std::regex("listid" + listIds[0]), "listidA");
  rtf = std::regex_replace(rtf, std::regex("listid" + listIds[1]), "listidB");
  EXPECT_NE(rtf.find("{\\*\\listtable{\\list\\listtemplateidT\\listsimple1\r\n"
                     "{\\listlevel\\levelnfc0\\leveljc0\\li360\\fi-360\\jclisttab\\tx540\\levelstartat1"
                     "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}\\f0\\fs16\\cf0}\r\n"
                     "\\listidA}\r\n"
                     "{\\list\\listtemplateidT\r\n"
                     "{\\listlevel\\levelnfc23\\leveljc0\\li0\\fi0\\jclisttab\\tx150{\\leveltext\\'01\\'b7;}"
                     "{\\levelnumbers;}\\f0\\fs16\\cf0}\r\n"),
            std::string::npos)
      << rtf;
  // Nine levels for a list of two, the last defined one repeated.
  const std::size_t a = rtf.find("\\listidA}");
  const std::string second = rtf.substr(a, rtf.find("\\listidB}") - a);
  std::size_t levels = 0;
  for (std::size_t p = second.find("{\\listlevel"); p != std::string::npos; p = second.find("{\\listlevel", p + 1))
    ++levels;
  EXPECT_EQ(levels, 9u);
  EXPECT_NE(rtf.find("{\\*\\listoverridetable{\\listoverride\\listidA\\listoverridecount0\\ls1}"
                     "{\\listoverride\\listidA\\listoverridecount1{\\lfolevel\\listoverridestartat\\levelstartat5}"
                     "\\ls2}{\\listoverride\\listidB\\listoverridecount0\\ls3}}"),
            std::string::npos)
      << rtf;
  // The paragraphs: indents from the list level, the marker's text and override number.
  EXPECT_NE(rtf.find("\\pard\\li360\\fi-360\\jclisttab\\tx540\\ql\\ri0\\sb0\\sa0\\itap0 {\\listtext\\pard\\plain"
                     "\\f0\\fs16 1.\\tab}\\ls1\\ilvl0\\plain \\f0\\fs20 one"),
            std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("5.\\tab}\\ls2\\ilvl0"), std::string::npos);
  EXPECT_NE(rtf.find("\\'b7\\tab}\\ls3\\ilvl0"), std::string::npos);
  EXPECT_NE(rtf.find("\\plain\\par\\pard"), std::string::npos);  // after a list paragraph
}

TEST_F(RTFWriterTest, NoListTablesWithoutListStyles) {
  doc.AddNL("a", 0, 0);
  EXPECT_EQ(Save().find("listtable"), std::string::npos);
  EXPECT_EQ(Save().find("listoverridetable"), std::string::npos);
}

TEST_F(RTFWriterTest, SelectionInsideANumberedParagraphWritesTheMarkerFirst) {
  TUVListLevel* level = style.GetListStyles()->Add()->GetLevels()->Add();
  level->ListType = uvlstDecimal;
  level->FormatString = "%s)";
  AddMarker(0, 0, 1, false);
  doc.Add("numbered text", 0);
  doc.FormatDefault(false);
  doc.SetSelBoundsFromItems(1, 10, 1, 14);
  const std::string rtf = Save(true);
  EXPECT_NE(rtf.find("\\uc1{\\listtext\\pard\\plain\\f0\\fs16 1)\\tab}\\ls1\\ilvl0\\plain \\f0\\fs20 text}"),
            std::string::npos)
      << rtf;
}

TEST_F(RTFWriterTest, BackgroundColourEntersTheColourTableButNoneNever) {
  doc.AddNL("a", 0, 0);
  TMemoryStream stream;
  ASSERT_TRUE(doc.SaveRTFToStream(&stream, false, 0x123456));
  std::string rtf(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  EXPECT_NE(rtf.find("\\red192\\green192\\blue192;\\red86\\green52\\blue18;}"), std::string::npos);
  TMemoryStream none;
  ASSERT_TRUE(doc.SaveRTFToStream(&none, false, clNone));
  EXPECT_EQ(std::string(static_cast<const char*>(none.GetMemory()), static_cast<std::size_t>(none.GetSize())),
            Save());
}

TEST_F(RTFWriterTest, SaveRTFWritesAFile) {
  doc.AddNL("file", 0, 0);
  const std::string file = temp_.File("out.rtf");
  ASSERT_TRUE(doc.SaveRTF(file, false, clWindow));
  EXPECT_EQ(testing_support::ReadFileBytes(file), Save());
}

}  // namespace
