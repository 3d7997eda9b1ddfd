// HTML in both forms, FONT tags and CSS classes, for documents with checkpoints, hyperlinks,
// lists and pictures.
#include <string>

#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVBack.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

class LinkedDocument : public TUVWindowlessData {
public:
  using TUVWindowlessData::TUVWindowlessData;
  AnsiString GetURL(Integer Id) override { return ::Format("http://example.org/?q=%d&r=\"x\"", Id); }
  AnsiString GetHTMLExtra(Integer Area, bool CSSVersion) override {
    return Extras ? ::Format("<!-- %d %d -->", Area, CSSVersion ? 1 : 0) : AnsiString();
  }
  bool Extras = false;
};

class HTMLWriterTest : public testing_support::IsolatedTest {
protected:
  HTMLWriterTest() {
    // Text style 0 in the Latin-1 set: no META tag.
    style.GetTextStyles()->GetItem(0)->Charset = ANSI_CHARSET;
  }

  std::string Save(Integer Options = 0, const char* Title = "A & B") {
    TMemoryStream stream;
    EXPECT_TRUE(doc.SaveHTMLToStream(&stream, temp_.Path(), Title, "img", Options, clWhite, 1, 2, 3, 4, nullptr));
    return std::string(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  }
  std::string SaveCSS(Integer Options = 0, const char* CSSFile = "") {
    TMemoryStream stream;
    EXPECT_TRUE(doc.SaveHTMLToStreamWithCSS(&stream, temp_.Path(), "T", "img", Options, clWhite, 1, 2, 3, 4, nullptr,
                                            CSSFile));
    return std::string(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  }
  std::string StyleSheetCSS() {
    TMemoryStream stream;
    style.SaveCSSToStream(&stream, 0);
    return std::string(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  }
  // A document with checkpoints and hyperlinks.
  void Build() {
    doc.AddNamedCheckpointExTag("Top", false, 0);
    doc.AddNL("Title  of   it", 1, 1);
    doc.AddNL("See ", 0, 0);
    doc.Add("the <site>", 4);
    doc.Add(" & more", 0);
    doc.AddCheckpoint();
    doc.AddNL("", 0, 0);
    doc.AddNamedCheckpointExTag("End", false, 0);
    doc.FormatDefault(false);
  }

  // A list paragraph: its marker, which the text then continues.
  void AddMarker(Integer ListNo, Integer Level, Integer StartFrom, bool Reset) {
    auto* marker = new TUVMarkerItemInfo(&doc, ListNo, Level, StartFrom, Reset);
    marker->ParaNo = 0;
    doc.AddItem("", marker);
  }

  TUVStyle style{nullptr};
  LinkedDocument doc{&style};
};

TEST_F(HTMLWriterTest, FontTagFormByteForByte) {
  Build();
  EXPECT_EQ(Save(),
            "<HTML><HEAD><TITLE>A &amp; B</TITLE>\r\n"
            "</HEAD>\r\n"
            "<BODY bgcolor=#FFFFFF leftmargin=1 topmargin=2 rightmargin=3 bottommargin=4>\r\n"
            "<FONT size=2 color=#000000 face=\"Arial\">\r\n"
            "<DIV align=center><A name=UzurUvadCheckpoint0></A>\r\n"
            "<FONT color=#0000FF><B>Title&nbsp; of&nbsp;&nbsp; it</B></FONT></DIV>\r\n"
            "<DIV>See <A href=\"http://example.org/?q=0&amp;r=&quot;x&quot;\"><FONT color=#008000><U>the &lt;site&gt;"
            "</U></FONT></A> &amp; more</DIV>\r\n"
            "<DIV><A name=UzurUvadCheckpoint1></A>\r\n"
            "&nbsp;</DIV>\r\n"
            "</FONT>\r\n"
            "<A name=UzurUvadCheckpoint2></A>\r\n"
            "</BODY></HTML>\r\n");
}

TEST_F(HTMLWriterTest, CheckpointNamesWhenAsked) {
  Build();
  const std::string html = Save(uvsoUseCheckpointsNames);
  EXPECT_NE(html.find("<A name=\"Top\"></A>"), std::string::npos);
  EXPECT_NE(html.find("<DIV><A name=UzurUvadCheckpoint0></A>"), std::string::npos);
  EXPECT_NE(html.find("<A name=\"End\"></A>\r\n</BODY>"), std::string::npos);
}

TEST_F(HTMLWriterTest, CSSFormByteForByte) {
  Build();
  EXPECT_EQ(SaveCSS(),
            "<HTML><HEAD><TITLE>T</TITLE>\r\n"
            "<STYLE type=\"text/css\"><!--\r\n"
            "BODY {\r\n"
            "  margin: 2px 3px 4px 1px;\r\n"
            "  background-color: #FFFFFF;\r\n"
            "}\r\n" +
                StyleSheetCSS() +
                "--></STYLE>\r\n"
                "</HEAD>\r\n"
                "<BODY>\r\n"
                "<P class=UVPS1><A name=UzurUvadCheckpoint0></A>\r\n"
                "<SPAN class=UVTS1>Title&nbsp; of&nbsp;&nbsp; it</SPAN></P>\r\n"
                "<P>See <A class=UVTS4 href=\"http://example.org/?q=0&amp;r=&quot;x&quot;\">the &lt;site&gt;</A>"
                " &amp; more</P>\r\n"
                "<P><A name=UzurUvadCheckpoint1></A>\r\n"
                "&nbsp;</P>\r\n"
                "<A name=UzurUvadCheckpoint2></A>\r\n"
                "</BODY></HTML>\r\n");
}

TEST_F(HTMLWriterTest, ExternalStyleSheetAndExtraCode) {
  doc.AddNL("a", 0, 0);
  doc.Extras = true;
  const std::string css = SaveCSS(0, "my.css");
  EXPECT_NE(css.find("}\r\n--></STYLE>\r\n<LINK type=\"text/css\" href=\"my.css\" rel=STYLESHEET>\r\n"
                     "<!-- 0 1 -->\r\n</HEAD>\r\n<BODY <!-- 1 1 -->>\r\n<!-- 2 1 -->\r\n"),
            std::string::npos)
      << css;
  EXPECT_EQ(css.find("UVTS"), std::string::npos);
  const std::string html = Save();
  EXPECT_NE(html.find("<!-- 0 0 -->\r\n</HEAD>\r\n<BODY bgcolor=#FFFFFF <!-- 1 0 --> leftmargin=1"), std::string::npos);
}

TEST_F(HTMLWriterTest, RunsOfOneStyleShareASpan) {
  TFontInfo* red = style.GetTextStyles()->Add();
  red->Color = clRed;
  doc.AddNL("a", 6, 0);
  doc.Add("b", 6);
  doc.Add("c", 6);
  doc.Add("d", 0);
  EXPECT_NE(SaveCSS().find("<P><SPAN class=UVTS6>abc</SPAN>d</P>"), std::string::npos);
}

TEST_F(HTMLWriterTest, TextEscapingAndRawHTML) {
  TFontInfo* code = style.GetTextStyles()->Add();
  code->Options = TUVTextOptions{uvteoHTMLCode};
  TFontInfo* unicode = style.GetTextStyles()->Add();
  unicode->Unicode = true;
  doc.AddNL("a  b   c<&>", 0, 0);
  doc.AddNL("<b>raw</b>", 6, 0);
  doc.AddNL(UVUniWideStringToRaw(L"\x05D0<"), 7, 0);
  const std::string html = Save(uvsoDefault0Style);
  EXPECT_NE(html.find("<DIV>a&nbsp; b&nbsp;&nbsp; c&lt;&amp;&gt;</DIV>"), std::string::npos);
  EXPECT_NE(html.find("<DIV><b>raw</b></DIV>"), std::string::npos);
  EXPECT_NE(html.find("<DIV>&#1488;&lt;</DIV>"), std::string::npos);
  EXPECT_EQ(html.find("<FONT size"), std::string::npos);
}

TEST_F(HTMLWriterTest, PartsOfThePage) {
  doc.AddNL("a", 0, 0);
  const std::string head = Save(uvsoFirstOnly);
  EXPECT_EQ(head.substr(head.size() - 11), "margin=4>\r\n");
  EXPECT_EQ(Save(uvsoLastOnly), "</BODY></HTML>\r\n");
  EXPECT_EQ(Save(uvsoMiddleOnly), "<FONT size=2 color=#000000 face=\"Arial\">\r\n<DIV>a</DIV>\r\n</FONT>\r\n");
}

TEST_F(HTMLWriterTest, CharsetNameOfTextStyleZero) {
  doc.AddNL("a", 0, 0);
  style.GetTextStyles()->GetItem(0)->Charset = RUSSIAN_CHARSET;
  EXPECT_NE(Save().find("<META HTTP-EQUIV=\"Content-Type\"  CONTENT=\"text/html; CHARSET=Windows-1251\">\r\n"),
            std::string::npos);
  style.GetTextStyles()->GetItem(0)->Charset = DEFAULT_CHARSET;
  EXPECT_EQ(Save().find("<META"), std::string::npos);
}

TEST_F(HTMLWriterTest, ListsAsListElementsOrAsText) {
  TUVListInfo* list = style.GetListStyles()->Add();
  TUVListLevel* level = list->GetLevels()->Add();
  level->ListType = uvlstDecimal;
  level->FormatString = "%s.";
  TUVListLevel* inner = list->GetLevels()->Add();
  inner->ListType = uvlstLowerAlpha;
  inner->FormatString = "%1:s)";
  AddMarker(0, 0, 1, false);
  doc.Add("one", 0);
  AddMarker(0, 1, 1, false);
  doc.Add("inner", 0);
  AddMarker(0, 0, 1, false);
  doc.Add("two", 0);
  doc.AddNL("after", 0, 0);
  EXPECT_NE(Save().find("<OL>\r\n<LI value=1>one</LI>\r\n<OL type=a>\r\n<LI value=1>inner</LI>\r\n</OL>\r\n"
                        "<LI value=2>two</LI>\r\n</OL>\r\n<DIV>after</DIV>"),
            std::string::npos)
      << Save();
  const std::string text = Save(uvsoMarkersAsText);
  EXPECT_EQ(text.find("<OL"), std::string::npos);
  EXPECT_NE(text.find("<DIV><FONT size=1>1.</FONT>\r\none</DIV>"), std::string::npos) << text;
}

TEST_F(HTMLWriterTest, PicturesAndTheBackgroundBecomeImageFiles) {
  TBitmap* bitmap = new TBitmap;
  bitmap->SetSize(4, 3);
  auto* picture = new TUVGraphicItemInfo(&doc, bitmap, 0);
  picture->ParaNo = 0;
  doc.AddItem("pic", picture);
  ::CreateDirectoryA(temp_.File("sub").c_str(), nullptr);
  TUVBackground back;
  back.Bitmap->SetSize(2, 2);
  back.Style = bsTiledAndScrolled;
  TMemoryStream stream;
  ASSERT_TRUE(doc.SaveHTMLToStream(&stream, temp_.Path(), "t", "sub\\img", 0, clNone, 0, 0, 0, 0, &back));
  const std::string html(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  EXPECT_NE(html.find("<BODY background=\"sub/img1.jpg\" leftmargin=0"), std::string::npos) << html;
  EXPECT_NE(html.find("<DIV><IMG src=\"sub/img2.jpg\"></DIV>"), std::string::npos) << html;
  EXPECT_FALSE(testing_support::ReadFileBytes(temp_.File("sub\\img1.jpg")).empty());
  EXPECT_FALSE(testing_support::ReadFileBytes(temp_.File("sub\\img2.jpg")).empty());

  TMemoryStream css;
  back.Style = bsCentered;
  ASSERT_TRUE(doc.SaveHTMLToStreamWithCSS(&css, temp_.Path(), "t", "img", 0, clNone, 0, 0, 0, 0, &back, ""));
  const std::string page(static_cast<const char*>(css.GetMemory()), static_cast<std::size_t>(css.GetSize()));
  EXPECT_NE(page.find("  background-image: url(\"img1.jpg\");\r\n  background-repeat: no-repeat;\r\n"
                      "  background-attachment: fixed;\r\n  background-position: center center;\r\n}\r\n"),
            std::string::npos)
      << page;
}

TEST_F(HTMLWriterTest, WithoutAStyleSheetNothingIsWritten) {
  TUVWindowlessData bare(nullptr);
  bare.AddNL("a", 0, 0);
  TMemoryStream stream;
  EXPECT_FALSE(bare.SaveHTMLToStream(&stream, "", "", "", 0, clNone, 0, 0, 0, 0, nullptr));
  EXPECT_EQ(stream.GetSize(), 0);
}

}  // namespace
