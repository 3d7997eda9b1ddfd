// Link annotations and actions: the objects written for them, action chains, the links made from
// web addresses in text, and where their rectangles lie against the text readers find.
#include "InteractiveSupport.h"

using namespace pdf_test;

namespace {

class PdfLinksTest : public PdfInteractiveTest {};

TEST_F(PdfLinksTest, ALinkAndItsActionAreWrittenAsSet) {
  const std::string path = Begin("link.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  auto* link = new TPDFActionAnnotation(page);
  link->SetRect(TRect(110, 60, 10, 10));
  link->Flags = {afPrint, afReadOnly};
  auto* action = new TPDFURLAction;
  action->SetURL("http://example.org/a(b)\\c");
  link->SetAction(action);
  ASSERT_EQ(link->ID, 3);
  ASSERT_EQ(action->ID, 4);
  const pdf_checks::PdfFile file = Finish(path);
  EXPECT_EQ(Object(file, 3),
            "3 0 obj|<</Type /Annot|/Subtype /Link|/Border [0 0 1]|/F 68|/C [1 1 0 ]|/Rect [10 782 110 832]|"
            "/A 4 0 R|>>|endobj|");
  EXPECT_EQ(Object(file, 4), "4 0 obj|<</S /URI /URI (http://example.org/a\\(b\\)\\\\c)|>>|endobj|");
  EXPECT_NE(Object(file, 2).find("/Annots [|3 0 R|]|>>"), std::string::npos) << Object(file, 2);
}

TEST_F(PdfLinksTest, RectanglesFlagsAndColours) {
  const struct {
    Integer resolution;
    TRect rect;
    Integer left, top, right, bottom;
  } rects[] = {
      {72, TRect(10, 10, 110, 60), 10, 832, 110, 782},
      {72, TRect(110, 60, 10, 10), 10, 832, 110, 782},
      {72, TRect(10, 60, 110, 10), 10, 832, 110, 782},
      // 7.5 and 82.5 points, 834.5 from the bottom: halves go to the even neighbour.
      {96, TRect(10, 10, 110, 60), 8, 834, 82, 797},
  };
  for (const auto& c : rects) {
    SCOPED_TRACE(c.resolution);
    doc_->SetResolution(c.resolution);
    Begin("rect.pdf");
    TPDFPage* page = doc_->GetCurrentPage();
    auto* link = new TPDFActionAnnotation(page);
    link->SetRect(c.rect);
    EXPECT_EQ(link->Left, c.left);
    EXPECT_EQ(link->Top, c.top);
    EXPECT_EQ(link->Right, c.right);
    EXPECT_EQ(link->Bottom, c.bottom);
    // Placing an annotation counts as drawing on the page.
    EXPECT_EQ(Refusal([page] { page->SetSize(1); }), "Page in progress");
    doc_->Abort();
  }

  const struct {
    TPDFAnnotationFlags flags;
    Integer value;
  } flags[] = {{{}, 0}, {{afInvisible}, 1}, {{afPrint, afReadOnly}, 68}, {{afNoView}, 32},
               {{afInvisible, afHidden, afPrint, afNoZoom, afNoRotate, afNoView, afReadOnly}, 127}};
  Begin("flags.pdf");
  auto* link = new TPDFActionAnnotation(doc_->GetCurrentPage());
  EXPECT_EQ(link->Border, "[0 0 1]");
  EXPECT_EQ(link->Color, 65535);
  for (const auto& c : flags) {
    link->Flags = c.flags;
    EXPECT_EQ(link->GetFlagsValue(), c.value);
  }
  link->Color = clNavy;
  link->Border = "[0 0 2 [3]]";
  const std::string path = temp_.File("flags.pdf");
  const pdf_checks::PdfFile file = Finish(path);
  const std::string text = Object(file, 3);
  EXPECT_NE(text.find("|/Border [0 0 2 [3]]|/F 127|/C [0 0 0.502 ]|"), std::string::npos) << text;
  EXPECT_EQ(text.find("/A "), std::string::npos) << "a link without an action names none";
}

TEST_F(PdfLinksTest, ActionChainsAreRegisteredAndWrittenInOrder) {
  const std::string path = Begin("chain.pdf");
  TPDFPage* first = doc_->GetCurrentPage();
  auto* a = new TPDFURLAction;
  auto* b = new TPDFURLAction;
  auto* c = new TPDFURLAction;
  a->SetURL("http://example.org/1");
  b->SetURL("http://example.org/2");
  c->SetURL("http://example.org/3");
  a->Next = b;
  b->Next = c;
  auto* link = new TPDFActionAnnotation(first);
  link->SetAction(a);
  // The same action on a second link stays one action of the document.
  auto* again = new TPDFActionAnnotation(first);
  again->SetAction(a);
  EXPECT_EQ(doc_->GetActions()->GetCount(), 1);
  EXPECT_EQ(a->ID, 4);
  EXPECT_EQ(b->ID, 0);

  doc_->NewPage();
  TPDFPage* second = doc_->GetCurrentPage();
  doc_->SetOpenDocumentAction(new TPDFGoToPageAction(*second, 72));
  EXPECT_EQ(doc_->GetActions()->GetCount(), 2);

  const pdf_checks::PdfFile file = Finish(path);
  const std::vector<int> uris = ObjectsWith(file, "/S /URI");
  ASSERT_EQ(uris.size(), 3u);
  // The chain's later actions are numbered in chain order as they are reached, after the
  // information dictionary (8).
  EXPECT_EQ(uris, (std::vector<int>{4, 9, 10}));
  EXPECT_EQ(Object(file, 4), "4 0 obj|<</S /URI /URI (http://example.org/1)|/Next 9 0 R|>>|endobj|");
  EXPECT_EQ(file.Value(9, "/Next"), "10 0 R");
  EXPECT_EQ(file.Value(10, "/Next"), "");
  EXPECT_EQ(file.Value(10, "/URI"), "(http://example.org/3)");

  const int open = Referenced(file, Catalog(file), "/OpenAction");
  EXPECT_EQ(open, 7);
  EXPECT_EQ(Object(file, open), "7 0 obj|<</S /GoTo /D [6 0 R /XYZ null 770 null]|>>|endobj|");
}

TEST_F(PdfLinksTest, Refusals) {
  EXPECT_EQ(Refusal([] { new TPDFActionAnnotation(nullptr); }), "Annotation must have TPDFPage as owner");
  EXPECT_EQ(Refusal([] { new TPDFButton(nullptr, "b"); }), "Annotation must have TPDFPage as owner");

  TPDFURLAction url;
  url.SetURL("http://example.org");
  EXPECT_EQ(Refusal([&] { url.SetURL(""); }), "URL cannot be empty");
  EXPECT_EQ(url.GetURL(), "http://example.org");

  // Outside a document nothing takes an action or an outline item.
  TPDFPage loose(doc_.get());
  auto* link = new TPDFActionAnnotation(&loose);
  EXPECT_EQ(Refusal([&] { link->SetAction(&url); }), "Generation PDF file not activated");
  EXPECT_EQ(link->GetAction(), nullptr);
  EXPECT_EQ(Refusal([&] { doc_->SetOpenDocumentAction(&url); }), "Generation PDF file not activated");
  EXPECT_EQ(doc_->GetOpenDocumentAction(), nullptr);
  EXPECT_EQ(Refusal([&] { doc_->GetOutlines()->Add(nullptr, "Genesis"); }), "Generation PDF file not activated");
  EXPECT_EQ(doc_->GetActions()->GetCount(), 0);
  EXPECT_EQ(loose.GetAnnotationCount(), 1);
}

// Links made by TextOut from the addresses in the text: Courier New is 6 points to the
// character at 10 points, the text's top left corner is (100, 200).
TEST_F(PdfLinksTest, AddressesInTextBecomeLinks) {
  struct Link {
    const char* url;
    Integer left, right;
  };
  const struct {
    const char* text;
    bool autoCreate;
    Extended angle;
    std::vector<Link> links;
  } cases[] = {
      {"Visit http://a.org/b now", true, 0, {{"http://a.org/b", 136, 220}}},
      {"http://a.org first", true, 0, {{"http://a.org", 100, 172}}},
      {"xhttp://a.org", true, 0, {}},
      {"Visit http://a.org/b now", false, 0, {}},
      {"Visit http://a.org/b now", true, 90, {}},
      {"http://a http://b", true, 0, {{"http://a", 100, 148}}},
      {"mail mailto:x@y.z and http://h.i", true, 0, {{"http://h.i", 232, 292}, {"mailto:x@y.z", 130, 202}}},
      {"get FTP://Files.org/x", true, 0, {{"FTP://Files.org/x", 124, 226}}},
      {"http://a.org\tb", true, 0, {{"http://a.org", 100, 172}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    doc_->SetAutoCreateURL(c.autoCreate);
    Begin("links.pdf");
    TPDFPage* page = doc_->GetCurrentPage();
    page->SetActiveFont("Courier New", {}, 10);
    page->BeginText();
    page->TextOut(100, 200, c.angle, c.text);
    page->EndText();
    ASSERT_EQ(page->GetAnnotationCount(), static_cast<Integer>(c.links.size()));
    for (size_t i = 0; i < c.links.size(); ++i) {
      auto* link = dynamic_cast<TPDFActionAnnotation*>(page->GetAnnotation(static_cast<Integer>(i)));
      ASSERT_NE(link, nullptr);
      auto* action = dynamic_cast<TPDFURLAction*>(link->GetAction());
      ASSERT_NE(action, nullptr);
      EXPECT_EQ(action->GetURL(), c.links[i].url);
      EXPECT_EQ(link->Left, c.links[i].left);
      EXPECT_EQ(link->Right, c.links[i].right);
      // From a third of the size below the text's top (203.3 rounds to 203) to the baseline (210).
      EXPECT_EQ(link->Top, 842 - 203);
      EXPECT_EQ(link->Bottom, 842 - 210);
      EXPECT_EQ(link->Border, "[]");
      EXPECT_EQ(link->GetFlagsValue(), 0);
    }
    doc_->Abort();
  }

  // An appearance page of a field is a form: text on it makes no link.
  doc_->SetAutoCreateURL(true);
  Begin("form.pdf");
  TPDFPage form(doc_.get());
  form.SetIsForm(true);
  form.SetActiveFont("Courier New", {}, 10);
  form.BeginText();
  form.TextOut(0, 0, 0, "http://example.org");
  form.EndText();
  EXPECT_EQ(form.GetAnnotationCount(), 0);
  doc_->Abort();
}

// Text drawn on the canvas as the print dialogs draw it: each address gets a link whose
// rectangle lies over the word that pdftotext finds, at the canvas's usual resolutions.
TEST_F(PdfLinksTest, LinkRectanglesCoverTheWordsReadersFind) {
  const std::vector<std::string> urls = {"http://example.org/verse?id=1", "mailto:translator@example.org",
                                         "ftp://files.example.org/bible.zip"};
  for (Integer resolution : {72, 96}) {
    SCOPED_TRACE(resolution);
    doc_->SetResolution(resolution);
    doc_->SetAutoCreateURL(true);
    doc_->SetCompression(ctFlate);
    const std::string path = Begin("canvas" + std::to_string(resolution) + ".pdf");
    TCanvas* canvas = doc_->GetCanvas();
    canvas->GetFont()->SetName("Arial");
    canvas->GetFont()->SetSize(12);
    canvas->TextOut(50, 100, AnsiString("Read " + urls[0] + " today"));
    canvas->GetFont()->SetName("Times New Roman");
    canvas->GetFont()->SetSize(20);
    canvas->TextOut(60, 200, AnsiString(urls[1]));
    canvas->GetFont()->SetName("Liberation Serif");
    canvas->GetFont()->SetSize(9);
    canvas->TextOut(200, 300, AnsiString(urls[2] + " and more"));
    const pdf_checks::PdfFile file = Finish(path);

    const pdf_checks::ToolResult words = Run("pdftotext -bbox " + Quoted(path) + " -");
    const std::vector<int> links = ObjectsWith(file, "/Subtype /Link");
    ASSERT_EQ(links.size(), urls.size());
    for (size_t i = 0; i < urls.size(); ++i) {
      SCOPED_TRACE(urls[i]);
      const int action = Referenced(file, links[i], "/A");
      EXPECT_EQ(file.Value(action, "/URI"), "(" + urls[i] + ")");
      double left, bottom, right, top;
      ASSERT_EQ(std::sscanf(file.Value(links[i], "/Rect").c_str(), "[%lf %lf %lf %lf]", &left, &bottom, &right, &top),
                4);
      std::smatch m;
      const std::regex word("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">" +
                            std::regex_replace(urls[i], std::regex(R"([.?])"), R"(\$&)") + "</word>");
      ASSERT_TRUE(std::regex_search(words.Out, m, word)) << words.Out;
      const double xMin = std::stod(m[1]), yMin = 842 - std::stod(m[4]), xMax = std::stod(m[3]),
                   yMax = 842 - std::stod(m[2]);
      // Whole points: the edges lie within a point of the word's.
      EXPECT_NEAR(left, xMin, 1);
      EXPECT_NEAR(right, xMax, 1);
      // Upright, the link spans the word's letters above the baseline, inside the word's box.
      EXPECT_GE(bottom, yMin - 1);
      EXPECT_LE(top, yMax + 1);
      EXPECT_GE(top - bottom, 0.5 * (yMax - yMin));
    }
  }
}

}  // namespace
