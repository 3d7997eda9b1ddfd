// The outline tree: links between items, open and closed counts, titles in 8-bit and Unicode
// text as readers show them, colours and styles by version, and deleting items.
#include "InteractiveSupport.h"

using namespace pdf_test;

namespace {

class PdfOutlinesTest : public PdfInteractiveTest {
protected:
  // The outline as poppler reads it: pdftohtml's outline elements, one line each.
  std::string PopplerOutline(const std::string& path, const std::string& password = "") {
    const std::string pw = password.empty() ? "" : " -upw '" + password + "'";
    const std::string xml = Run("pdftohtml -xml -i -stdout -q" + pw + " " + Quoted(path)).Out;
    const size_t start = xml.find("<outline>"), end = xml.rfind("</outline>");
    if (start == std::string::npos || end == std::string::npos) return "no outline";
    return std::regex_replace(xml.substr(start, end + 10 - start), std::regex("\n"), "|");
  }
  // The outline as qpdf reads it: each item as "+" (open) or "-" (closed), its title and ";",
  // then its children in brackets.
  std::string QpdfOutline(const std::string& path, const std::string& password = "") {
    const std::string pw = password.empty() ? "" : " --password='" + password + "'";
    const std::string json = Run("qpdf --json --json-key=outlines" + pw + " " + Quoted(path)).Out;
    // qpdf writes an item's keys in alphabetical order: its kids come before its flag and title.
    std::vector<std::string> tokens;
    static const std::regex key(R"re("kids": \[\]|"kids": \[|\],?\s*"object"|"open": (true|false)|"title": "([^"]*)")re");
    for (std::sregex_iterator it(json.begin(), json.end(), key), end; it != end; ++it) {
      const std::string m = (*it)[0];
      if (m == "\"kids\": []") continue;
      if ((*it)[1].matched)
        tokens.push_back((*it)[1] == "true" ? "+" : "-");
      else if ((*it)[2].matched)
        tokens.push_back(std::regex_replace((*it)[2].str(), std::regex(R"(\\(.))"), "$1") + ";");
      else
        tokens.push_back(m[0] == ']' ? "]" : "[");
    }
    size_t i = 0;
    return Items(tokens, i);
  }
  static std::string Items(const std::vector<std::string>& tokens, size_t& i) {
    std::string out;
    while (i + 1 < tokens.size() && tokens[i] != "]") {
      std::string kids;
      if (tokens[i] == "[") {
        ++i;
        kids = "[" + Items(tokens, i) + "]";
        ++i;
      }
      out += tokens[i] + tokens[i + 1] + kids;
      i += 2;
    }
    return out;
  }
};

TEST_F(PdfOutlinesTest, ATreeOfOpenAndClosedItems) {
  const std::string path = Begin("tree.pdf");
  TPDFPage* first = doc_->GetCurrentPage();
  doc_->NewPage();
  TPDFPage* second = doc_->GetCurrentPage();
  TPDFOutlines* outlines = doc_->GetOutlines();
  TPDFOutlineNode* genesis = outlines->Add(nullptr, "Genesis", new TPDFGoToPageAction(*first));
  genesis->Expanded = true;
  TPDFOutlineNode* one = outlines->Add(genesis, "Chapter 1", new TPDFGoToPageAction(*second, 72));
  TPDFOutlineNode* two = outlines->Add(genesis, "Chapter 2");
  two->Expanded = true;
  outlines->Add(two, "Verse 1");
  outlines->Add(two, "Verse 2");
  TPDFOutlineNode* exodus = outlines->Add(nullptr, "Exodus");
  for (const char* title : {"Exodus 1", "Exodus 2", "Exodus 3"}) outlines->Add(exodus, title);
  TPDFOutlineNode* leviticus = outlines->Add(nullptr, "Leviticus");
  const int secondPage = second->GetPageNumber();
  EXPECT_EQ(outlines->GetCount(), 10);
  EXPECT_EQ(genesis->GetFirstChild(), one);
  EXPECT_EQ(genesis->GetLastChild(), two);
  EXPECT_EQ(one->GetNext(), two);
  EXPECT_EQ(two->GetPrev(), one);
  EXPECT_EQ(exodus->GetPrev(), genesis);
  EXPECT_EQ(leviticus->GetParent(), nullptr);
  EXPECT_EQ(one->GetParent(), genesis);

  const pdf_checks::PdfFile file = Finish(path);
  const int root = Referenced(file, Catalog(file), "/Outlines");
  // The root first, then the items in order of creation.
  const int g = root + 1, g1 = root + 2, g2 = root + 3, v1 = root + 4, v2 = root + 5, e = root + 6, e1 = root + 7,
            e3 = root + 9, l = root + 10;
  const auto ref = [](int n) { return std::to_string(n) + " 0 R"; };
  // Open below the root: Genesis, its two chapters, the two verses of the open chapter 2,
  // Exodus (closed) and Leviticus.
  EXPECT_EQ(Object(file, root), std::to_string(root) + " 0 obj|<</Type /Outlines|/Count 7|/First " + ref(g) +
                                    "|/Last " + ref(l) + "|>>|endobj|");
  EXPECT_EQ(Object(file, g), std::to_string(g) + " 0 obj|<</Title (Genesis)|/Count 4|/First " + ref(g1) +
                                 "|/Last " + ref(g2) + "|/Parent " + ref(root) + "|/Next " + ref(e) + "|/A " +
                                 file.Value(g, "/A") + "|>>|endobj|");
  EXPECT_EQ(Object(file, e), std::to_string(e) + " 0 obj|<</Title (Exodus)|/Count -3|/First " + ref(e1) +
                                 "|/Last " + ref(e3) + "|/Parent " + ref(root) + "|/Next " + ref(l) + "|/Prev " +
                                 ref(g) + "|>>|endobj|");
  EXPECT_EQ(file.Value(g2, "/Count"), "2");
  EXPECT_EQ(file.Value(g2, "/Parent"), ref(g));
  EXPECT_EQ(file.Value(v1, "/Parent"), ref(g2));
  EXPECT_EQ(file.Value(v2, "/Prev"), ref(v1));
  EXPECT_EQ(Object(file, l), std::to_string(l) + " 0 obj|<</Title (Leviticus)|/Parent " + ref(root) + "|/Prev " +
                                 ref(e) + "|>>|endobj|");
  EXPECT_EQ(file.Value(Referenced(file, g1, "/A"), "/D"), "[" + std::to_string(secondPage) +
                                                              " 0 R /XYZ null 770 null]");

  // Items without children read as open.
  EXPECT_EQ(QpdfOutline(path), "+Genesis;[+Chapter 1;+Chapter 2;[+Verse 1;+Verse 2;]]-Exodus;"
                               "[+Exodus 1;+Exodus 2;+Exodus 3;]+Leviticus;");
  EXPECT_EQ(PopplerOutline(path),
            "<outline>|<item page=\"1\">Genesis</item>|<outline>|<item page=\"2\">Chapter 1</item>|"
            "<item>Chapter 2</item>|<outline>|<item>Verse 1</item>|<item>Verse 2</item>|</outline>|</outline>|"
            "<item>Exodus</item>|<outline>|<item>Exodus 1</item>|<item>Exodus 2</item>|<item>Exodus 3</item>|"
            "</outline>|<item>Leviticus</item>|</outline>");
}

// Titles in the Western code page are 8-bit text; other character sets, and Western text with
// letters that PDF's 8-bit text encoding keeps elsewhere, become Unicode. Both readers show
// every title as it was written, also in an encrypted file.
TEST_F(PdfOutlinesTest, TitlesInEightBitAndUnicodeText) {
  const struct {
    const char* title;
    Integer charset;
    const char* shown;  // UTF-8
    char form;          // '(' literal, '<' hexadecimal
  } titles[] = {
      {"Genesis (1:1-3)", 0, "Genesis (1:1-3)", '('},
      {"G\xE9n\xE8se \\ \xC9xode", 0, "G\xC3\xA9n\xC3\xA8se \\ \xC3\x89xode", '('},
      {"\x93Quoted\x94 \x96 dash \x80", 0, "\xE2\x80\x9CQuoted\xE2\x80\x9D \xE2\x80\x93 dash \xE2\x82\xAC", '<'},
      {"\xC1\xFB\xF2\xE8\xE5", 204, "\xD0\x91\xD1\x8B\xD1\x82\xD0\xB8\xD0\xB5", '<'},
      {"\xC3\xE5\xED\xE5\xF3\xE9\xF2", 161, "\xCE\x93\xCE\xB5\xCE\xBD\xCE\xB5\xCF\x83\xCE\xB9\xCF\x82", '<'},
      {"\x82\xB1\x82\xF1", 128, "\xE3\x81\x93\xE3\x82\x93", '<'},
  };
  for (bool encrypted : {false, true}) {
    SCOPED_TRACE(encrypted ? "encrypted" : "plain");
    doc_->SetProtectionEnabled(encrypted);
    doc_->SetUserPassword(encrypted ? "user" : "");
    doc_->SetOwnerPassword(encrypted ? "owner" : "");
    // pdftohtml reads only what may be copied.
    doc_->SetProtectionOptions({coCopyInformation});
    const std::string path = Begin(encrypted ? "secret-titles.pdf" : "titles.pdf");
    for (const auto& t : titles) doc_->GetOutlines()->Add(nullptr, t.title, nullptr, t.charset);
    const pdf_checks::PdfFile file = Finish(path, encrypted ? "user" : "");
    const int root = Referenced(file, Catalog(file), "/Outlines");
    std::string expected, poppler = "<outline>|";
    for (size_t i = 0; i < std::size(titles); ++i) {
      EXPECT_EQ(file.Value(root + 1 + static_cast<int>(i), "/Title")[0], titles[i].form) << titles[i].title;
      expected += "+" + std::string(titles[i].shown) + ";";
      const std::string html = std::regex_replace(titles[i].shown, std::regex("&"), "&amp;");
      poppler += "<item>" + html + "</item>|";
    }
    EXPECT_EQ(QpdfOutline(path, encrypted ? "user" : ""), expected);
    EXPECT_EQ(PopplerOutline(path, encrypted ? "user" : ""), poppler + "</outline>");
  }
}

TEST_F(PdfOutlinesTest, ColoursAndStylesOnlyFromVersion14) {
  const struct {
    TColor color;
    TFontStyles style;
    const char* colorLine;  // "" when none is written
    const char* flags;
  } items[] = {
      {0, {}, "", ""},
      {clRed, {fsBold, fsItalic}, "[1 0 0 ]", "3"},
      {clBlue, {fsItalic}, "[0 0 1 ]", "1"},
      {clGray, {fsBold, fsUnderline}, "[0.502 0.502 0.502 ]", "2"},
  };
  for (TPDFVersion version : {v13, v14}) {
    SCOPED_TRACE(version == v14 ? "v14" : "v13");
    doc_->SetVersion(version);
    const std::string path = Begin(version == v14 ? "v14.pdf" : "v13.pdf");
    for (const auto& item : items) {
      TPDFOutlineNode* node = doc_->GetOutlines()->Add(nullptr, "Item");
      node->Color = item.color;
      node->Style = item.style;
    }
    const pdf_checks::PdfFile file = Finish(path);
    const int root = Referenced(file, Catalog(file), "/Outlines");
    for (size_t i = 0; i < std::size(items); ++i) {
      const int n = root + 1 + static_cast<int>(i);
      EXPECT_EQ(file.Value(n, "/C"), version == v14 ? items[i].colorLine : "") << i;
      EXPECT_EQ(file.Value(n, "/F"), version == v14 ? items[i].flags : "") << i;
    }
  }
}

TEST_F(PdfOutlinesTest, DeletingItemsRelinksTheirSiblings) {
  const std::string path = Begin("delete.pdf");
  TPDFOutlines* outlines = doc_->GetOutlines();
  TPDFOutlineNode* a = outlines->Add(nullptr, "A");
  TPDFOutlineNode* b = outlines->Add(nullptr, "B");
  TPDFOutlineNode* c = outlines->Add(nullptr, "C");
  outlines->Add(b, "B1");
  TPDFOutlineNode* b2 = outlines->Add(b, "B2");
  outlines->Add(b2, "B2a");
  TPDFOutlineNode* a1 = outlines->Add(a, "A1");
  TPDFOutlineNode* a2 = outlines->Add(a, "A2");
  TPDFOutlineNode* a3 = outlines->Add(a, "A3");
  ASSERT_EQ(outlines->GetCount(), 9);

  a2->Delete();
  EXPECT_EQ(a1->GetNext(), a3);
  EXPECT_EQ(a3->GetPrev(), a1);
  EXPECT_EQ(a->GetChildCount(), 2);
  // An item goes with everything below it.
  b->Delete();
  EXPECT_EQ(a->GetNext(), c);
  EXPECT_EQ(c->GetPrev(), a);
  EXPECT_EQ(outlines->GetCount(), 4);
  a3->Delete();
  EXPECT_EQ(a->GetLastChild(), a1);
  EXPECT_EQ(a1->GetNext(), nullptr);

  const pdf_checks::PdfFile file = Finish(path);
  EXPECT_EQ(QpdfOutline(path), "-A;[+A1;]+C;");
  const int root = Referenced(file, Catalog(file), "/Outlines");
  EXPECT_EQ(file.Value(root, "/Count"), "2");
  EXPECT_EQ(file.Value(root + 1, "/Count"), "-1");

  // Clearing empties the list; a document without items has no outline tree.
  Begin("none.pdf");
  outlines->Add(outlines->Add(nullptr, "X"), "Y");
  outlines->Clear();
  EXPECT_EQ(outlines->GetCount(), 0);
  const pdf_checks::PdfFile none = Finish(temp_.File("none.pdf"));
  EXPECT_EQ(none.Value(Catalog(none), "/Outlines"), "");
  EXPECT_TRUE(ObjectsWith(none, "/Type /Outlines").empty());
}

}  // namespace
