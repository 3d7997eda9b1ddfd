#include <cmath>
#include <regex>

#include "PdfTestSupport.h"

using namespace pdf_test;

namespace {

class PdfFontsTest : public PdfTest {
protected:
  pdf_checks::ToolResult Run(const std::string& command) { return pdf_checks::RunLinux(command, temp_.Path()); }

  // The words that pdftotext finds on page 1, with their left and right edges in points.
  struct Word {
    std::string Text;
    double XMin, XMax;
  };
  std::vector<Word> Words(const std::string& path) {
    const pdf_checks::ToolResult r = Run("pdftotext -bbox '" + pdf_checks::UnixPath(path) + "' -");
    std::vector<Word> words;
    static const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="[0-9.]+" xMax="([0-9.]+)" yMax="[0-9.]+">([^<]*)</word>)re");
    for (std::sregex_iterator it(r.Out.begin(), r.Out.end(), word), end; it != end; ++it)
      words.push_back({(*it)[3].str(), std::stod((*it)[1].str()), std::stod((*it)[2].str())});
    return words;
  }
};

TEST_F(PdfFontsTest, ChoosingStandardCJKAndTrueTypeFonts) {
  Begin("choose.pdf");
  TPDFFonts* fonts = doc_->GetFonts();
  const struct {
    const char* face;
    TFontStyles style;
    Integer charset;
    const char* baseFont;
    const char* alias;
  } cases[] = {
      {"Arial", {}, 0, "Helvetica", "F0"},
      {"arial", {fsBold}, 1, "Helvetica-Bold", "F1"},
      {"Arial", {fsItalic, fsUnderline}, 0, "Helvetica-Oblique", "F2"},
      {"Helvetica", {fsBold, fsItalic}, 0, "Helvetica-BoldOblique", "F3"},
      {"Times New Roman", {fsBold, fsItalic}, 0, "Times-BoldItalic", "F7"},
      {"Times New Roman", {fsStrikeOut}, 0, "Times-Roman", "F4"},
      {"Courier New", {fsBold}, 0, "Courier-Bold", "F9"},
      {"Symbol", {fsBold}, 2, "Symbol", "F12"},
      {"ZapfDingbats", {}, 0, "ZapfDingbats", "F13"},
      {"MS Mincho", {}, 128, "HeiseiMin-W3", "CIDJ"},
      {"Batang", {fsBold, fsItalic}, 129, "HYSMyeongJo-Medium", "CIDKBI"},
      {"MingLiU", {fsItalic}, 136, "MSung-Light", "CIDCTI"},
      {"SimSun", {fsBold}, 134, "STSong-Light", "CIDCSB"},
      {"Liberation Serif", {}, 0, "Liberation#20Serif", "TT1"},
      {"Liberation Serif", {fsBold, fsItalic}, 0, "Liberation#20Serif#20Bold#20Italic", "TT2"},
      {"Liberation Sans", {fsUnderline}, 0, "Liberation#20Sans", "TT3"},
      {"Arial", {}, 204, "Arial", "TT4"},
  };
  for (const auto& c : cases) {
    TPDFFont* font = fonts->SelectFont(c.face, c.style, c.charset);
    EXPECT_EQ(font->BaseFont, c.baseFont) << c.face;
    EXPECT_EQ(font->Alias, c.alias) << c.face;
    EXPECT_EQ(fonts->GetCurrentFont(), font);
    EXPECT_GT(font->ObjectNumber, 0);
  }
  const Integer count = fonts->GetCount();
  // The same requests, underline and strike-out added, make no new fonts.
  for (const auto& c : cases) fonts->SelectFont(c.face, c.style + TFontStyles{fsUnderline, fsStrikeOut}, c.charset);
  EXPECT_EQ(fonts->GetCount(), count);

  EXPECT_EQ(fonts->SelectFont("MS Mincho", {}, 128)->GetWidth('A'), 1000);
  EXPECT_EQ(fonts->SelectFont("Arial", {}, 0)->GetWidth(' '), 278);
  const TPDFFont* serif = fonts->SelectFont("Liberation Serif", {}, 0);
  EXPECT_TRUE(serif->WidthsMeasured);
  EXPECT_EQ(serif->GetWidth('A'), 722);
  EXPECT_EQ(serif->GetWidth(' '), 250);
  try {
    fonts->SelectFont("No Such Face Anywhere", {}, 0);
    ADD_FAILURE() << "no exception";
  } catch (const TPDFException& e) {
    EXPECT_EQ(e.Message, "Cannot receive data for font No Such Face Anywhere");
  }
  doc_->Abort();
}

TEST_F(PdfFontsTest, TextInEveryStandardFontIsExtractedWithItsWidths) {
  const std::string path = Begin("standard.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  const struct {
    const char* face;
    TFontStyles style;
    const char* text;
    const char* extracted;
  } cases[] = {
      {"Arial", {}, "Helvetica regular", nullptr},
      {"Arial", {fsBold}, "Helvetica bold", nullptr},
      {"Arial", {fsItalic}, "Helvetica oblique", nullptr},
      {"Arial", {fsBold, fsItalic}, "Helvetica both", nullptr},
      {"Times New Roman", {}, "Times roman", nullptr},
      {"Times New Roman", {fsBold}, "Times bold", nullptr},
      {"Times New Roman", {fsItalic}, "Times italic", nullptr},
      {"Times New Roman", {fsBold, fsItalic}, "Times \xE9t\xE9 (both)", "Times \xC3\xA9t\xC3\xA9 (both)"},
      {"Courier New", {}, "Courier regular", nullptr},
      {"Courier New", {fsBold}, "Courier bold", nullptr},
      {"Courier New", {fsItalic}, "Courier oblique", nullptr},
      {"Courier New", {fsBold, fsItalic}, "Courier both", nullptr},
      {"Symbol", {}, "abg", "\xCE\xB1\xCE\xB2\xCE\xB3"},
      {"ZapfDingbats", {}, "4", "\xE2\x9C\x94"},
  };
  double y = 800;
  std::vector<std::pair<std::string, double>> expected;  // word and its right edge
  page->BeginText();
  for (const auto& c : cases) {
    page->SetActiveFont(c.face, c.style, 20);
    page->TextOutPt(72, y, 0, c.text);
    // The right edge of the last word is where the whole line ends.
    expected.push_back({c.text, 72 + page->TextWidth(c.text)});
    y -= 40;
  }
  page->EndText();
  doc_->EndDoc();
  const pdf_checks::PdfFile file = ExpectSoundPdf(path);

  const pdf_checks::ToolResult text = Run("pdftotext '" + pdf_checks::UnixPath(path) + "' -");
  std::string lines;
  for (const auto& c : cases) lines += std::string(c.extracted ? c.extracted : c.text) + "\n";
  EXPECT_EQ(text.Out, lines + "\n\f");

  // The right edge of each line's last word lies where the writer's widths put it.
  const std::vector<Word> words = Words(path);
  for (const auto& [line, right] : expected) {
    bool found = false;
    for (const Word& w : words) found = found || std::fabs(w.XMax - right) < 0.05;
    EXPECT_TRUE(found) << line << " should end at " << right;
  }

  const pdf_checks::ToolResult listed = Run("pdffonts '" + pdf_checks::UnixPath(path) + "'");
  for (const char* row : {"Helvetica                            Type 1            WinAnsi          no  no  no ",
                          "Times-BoldItalic                     Type 1            WinAnsi          no  no  no ",
                          "Courier-BoldOblique                  Type 1            WinAnsi          no  no  no ",
                          "Symbol                               Type 1            Symbol           no  no  no ",
                          "ZapfDingbats                         Type 1            ZapfDingbats     no  no  no "})
    EXPECT_NE(listed.Out.find(row), std::string::npos) << row << "\n" << listed.Out;
  // Standard fonts carry no widths; Symbol and ZapfDingbats no encoding.
  for (const auto& [n, o] : file.Objects) {
    if (o.Dictionary.find("/Subtype /Type1") == std::string::npos) continue;
    EXPECT_EQ(o.Dictionary.find("/Widths"), std::string::npos);
    const bool symbolic = o.Dictionary.find("/Symbol") != std::string::npos ||
                          o.Dictionary.find("/ZapfDingbats") != std::string::npos;
    EXPECT_EQ(o.Dictionary.find("/Encoding") == std::string::npos, symbolic) << o.Dictionary;
  }
}

TEST_F(PdfFontsTest, EmbeddedTrueTypeTextAndWidths) {
  doc_->SetCompression(ctFlate);
  const std::string path = Begin("truetype.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  const char* const lines[] = {"The LORD is my shepherd; I shall not want.",
                               "He maketh me to lie down in green pastures:",
                               "Caf\xE9 na\xEFve \x93quoted\x94 \x96 dash"};
  std::vector<double> rights;
  page->BeginText();
  page->SetActiveFont("Liberation Serif", {}, 16);
  double y = 760;
  for (const char* line : lines) {
    page->TextOutPt(50, y, 0, line);
    rights.push_back(50 + page->TextWidth(line));
    y -= 30;
  }
  page->SetActiveFont("Times New Roman", {fsBold}, 16);  // standard, beside the TrueType one
  page->TextOutPt(50, y, 0, "Psalm 23");
  page->EndText();
  doc_->EndDoc();
  const pdf_checks::PdfFile file = ExpectSoundPdf(path);

  const pdf_checks::ToolResult text = Run("pdftotext '" + pdf_checks::UnixPath(path) + "' -");
  EXPECT_EQ(text.Out,
            "The LORD is my shepherd; I shall not want.\nHe maketh me to lie down in green pastures:\n"
            "Caf\xC3\xA9 na\xC3\xAFve \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x80\x93 dash\nPsalm 23\n\n\f");
  const std::vector<Word> words = Words(path);
  for (double right : rights) {
    bool found = false;
    for (const Word& w : words) found = found || std::fabs(w.XMax - right) < 0.05;
    EXPECT_TRUE(found) << "a line should end at " << right;
  }

  const pdf_checks::ToolResult listed = Run("pdffonts '" + pdf_checks::UnixPath(path) + "'");
  EXPECT_NE(listed.Out.find("Liberation Serif                     TrueType          WinAnsi          yes no  no "),
            std::string::npos)
      << listed.Out;

  // The font file is the whole font, deflated, with its uncompressed size.
  int fontFiles = 0;
  for (const auto& [n, o] : file.Objects) {
    if (o.Dictionary.find("/Length1 ") == std::string::npos) continue;
    ++fontFiles;
    std::string font;
    ASSERT_TRUE(pdf_checks::Inflate(o.Stream, font));
    EXPECT_EQ(file.Value(n, "/Length1"), std::to_string(font.size()));
    EXPECT_EQ(font.substr(0, 4), std::string("\0\1\0\0", 4));
  }
  EXPECT_EQ(fontFiles, 1);
}

TEST_F(PdfFontsTest, NonEmbeddedFaceHasNoFontFile) {
  TStringList list;
  list.Add("liberation serif");
  doc_->SetNonEmbeddedFont(&list);
  const std::string path = Begin("notembedded.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  page->SetActiveFont("Liberation Serif", {}, 16);
  page->BeginText();
  page->TextOutPt(50, 700, 0, "Not embedded");
  page->EndText();
  doc_->EndDoc();
  const pdf_checks::PdfFile file = ExpectSoundPdf(path);
  for (const auto& [n, o] : file.Objects) {
    EXPECT_EQ(o.Dictionary.find("/FontFile2"), std::string::npos);
    EXPECT_EQ(o.Dictionary.find("/Length1"), std::string::npos);
  }
  const pdf_checks::ToolResult listed = Run("pdffonts '" + pdf_checks::UnixPath(path) + "'");
  EXPECT_NE(listed.Out.find("Liberation Serif                     TrueType          WinAnsi          no  no  no "),
            std::string::npos)
      << listed.Out;
}

TEST_F(PdfFontsTest, CyrillicTrueTypeGetsDifferences) {
  const std::string path = Begin("cyrillic.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  page->SetActiveFont("Arial", {}, 18, 204);
  EXPECT_EQ(page->GetActiveFont()->Alias, "TT1");
  page->BeginText();
  page->TextOutPt(50, 700, 0, "\xC2 \xED\xE0\xF7\xE0\xEB\xE5 \xE1\xFB\xEB\xEE \xD1\xEB\xEE\xE2\xEE");  // cp1251
  page->EndText();
  doc_->EndDoc();
  const pdf_checks::PdfFile file = ExpectSoundPdf(path);
  const pdf_checks::ToolResult text = Run("pdftotext '" + pdf_checks::UnixPath(path) + "' -");
  EXPECT_EQ(text.Out, "\xD0\x92 \xD0\xBD\xD0\xB0\xD1\x87\xD0\xB0\xD0\xBB\xD0\xB5 \xD0\xB1\xD1\x8B\xD0\xBB\xD0\xBE "
                      "\xD0\xA1\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE\n\n\f");
  bool differences = false;
  for (const auto& [n, o] : file.Objects) {
    if (o.Dictionary.find("/Differences [1 ") != std::string::npos) {
      differences = true;
      EXPECT_NE(o.Dictionary.find("/Encoding <</Type/Encoding"), std::string::npos);
      EXPECT_NE(o.Dictionary.find("\r\n/Acyrillic\r\n"), std::string::npos);
    }
    if (o.Dictionary.find("/Type /FontDescriptor") != std::string::npos) {
      EXPECT_NE(o.Dictionary.find("/FontName /Arial-Russian"), std::string::npos) << o.Dictionary;
    }
  }
  EXPECT_TRUE(differences);
}

TEST_F(PdfFontsTest, JapaneseTextInTheCJKFont) {
  const std::string path = Begin("japanese.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  page->SetActiveFont("MS Mincho", {}, 24, 128);
  page->BeginText();
  page->TextOutPt(50, 700, 0, "\x82\xA0\x82\xA2\x82\xA4 ABC");  // Shift-JIS: a i u
  page->EndText();
  doc_->EndDoc();
  const pdf_checks::PdfFile file = ExpectSoundPdf(path);
  const pdf_checks::ToolResult text = Run("pdftotext '" + pdf_checks::UnixPath(path) + "' -");
  EXPECT_EQ(text.Out, "\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86 ABC\n\n\f");
  const pdf_checks::ToolResult listed = Run("pdffonts '" + pdf_checks::UnixPath(path) + "'");
  EXPECT_NE(listed.Out.find("HeiseiMin-W3                         CID TrueType      90msp-RKSJ-H     no  no  no "),
            std::string::npos)
      << listed.Out;
}

}  // namespace
