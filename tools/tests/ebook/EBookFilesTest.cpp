// The files of an e-book run: their names, the keys that type a path, the page of a book with its
// chapter links, the contents page with its 66 links, and the builder project's copy.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "core/FontTable.h"
#include "core/TypesConstants.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"
#include "tools/BibleDocument.h"
#include "tools/BibleText.h"
#include "tools/eBookUnit.h"
#include "tools/tests/support/ToolsTestSupport.h"

namespace {

using tools_testing::Lines;

Lines SplitCrLf(const std::string& bytes) {
  Lines lines;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// How often `part` occurs in `text`.
std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

// A viewer with the Bible's styles (the e-book sizes), on a hidden form: laying a document out
// needs a window.
class BibleViewer {
public:
  BibleViewer() : form_(new TForm(nullptr)) {
    CreateBibleStyles(&style_, 100);
    ApplyBibleFonts(&style_, DefaultFontTable(), true, 2);
    viewer_ = new VUzurUvad(form_.get());
    viewer_->SetParent(form_.get());
    viewer_->SetStyle(&style_);
  }
  ~BibleViewer() { viewer_->SetStyle(nullptr); }
  VUzurUvad* operator->() const { return viewer_; }
  VUzurUvad* get() const { return viewer_; }
  TUVStyle* Style() { return &style_; }

private:
  TUVStyle style_{nullptr};
  std::unique_ptr<TForm> form_;
  VUzurUvad* viewer_;
};

class EBookFilesTest : public tools_testing::ToolsTest {
protected:
  std::string EBooks() const { return temp_.Path() + "eBooks\\"; }
};

TEST_F(EBookFilesTest, NamesOfTheFiles) {
  EXPECT_EQ(EBookWorkFolder(), ProgramFolder + "ebook\\");
  EXPECT_EQ(HtmlFileName("1 John"), ProgramFolder + "ebook\\1 John.html");
  EXPECT_EQ(BuilderProjectTemplate(), ProgramFolder + "pelorin.rwp");
  EXPECT_EQ(BuilderProjectFile(), ProgramFolder + "ebook\\pelorin.rwp");
  // The folder browser stores the e-books folder without a trailing backslash.
  for (const std::string folder : {"C:\\Books\\eBooks", "C:\\Books\\eBooks\\"}) {
    MyReg->SetEBooksFolder(folder);
    EXPECT_EQ(EBooksFolder(), "C:\\Books\\eBooks\\") << folder;
    EXPECT_EQ(EBookFileName(HtmlFileName("Song of Solomon")), "C:\\Books\\eBooks\\Song of Solomon.lit") << folder;
    EXPECT_EQ(BusyMarkerFileName(EBookFileName(HtmlFileName("Genesis"))), "C:\\Books\\eBooks\\Genesis.lit.OLD");
    EXPECT_EQ(ContentsPageFileName(), "C:\\Books\\eBooks\\00 Table of Contents.html");
  }
  MyReg->SetEBooksFolder("");
  EXPECT_EQ(EBooksFolder(), "");
}

TEST_F(EBookFilesTest, ChapterLinksLeadToTheChaptersAndChapterNumbersBack) {
  struct Row {
    Integer Jump, Chapters;
    const char* Url;
  } rows[] = {
      {0, 3, "#UzurUvadCheckpoint1"}, {2, 3, "#UzurUvadCheckpoint3"}, {3, 3, "#UzurUvadCheckpoint0"},
      {5, 3, "#UzurUvadCheckpoint0"}, {49, 50, "#UzurUvadCheckpoint50"}, {50, 50, "#UzurUvadCheckpoint0"},
  };
  for (const Row& row : rows) EXPECT_EQ(CheckpointURL(row.Jump, row.Chapters), row.Url) << row.Jump;
}

TEST_F(EBookFilesTest, PathsAreTypedAsTheyStand) {
  struct Row {
    const char* Text;
    const char* Keys;
  } rows[] = {
      {"C:\\Pelorin\\ebook\\Genesis.html", "C:\\Pelorin\\ebook\\Genesis.html"},
      {"C:\\Program Files (x86)\\Pelorin\\", "C:\\Program Files {(}x86{)}\\Pelorin\\"},
      {"D:\\100% ~books+^{x}", "D:\\100{%} {~}books{+}{^}{{}x{}}"},
      {"", ""},
  };
  for (const Row& row : rows) EXPECT_EQ(KeysForText(row.Text), row.Keys) << row.Text;
}

TEST_F(EBookFilesTest, MarginsAndPaddingsLeaveTheStyleSheet) {
  std::vector<AnsiString> lines = {"BODY {",          "  margin: 5px 5px 5px 5px;", "}",
                                   ".UVPS1",          "{",                          "  text-align: center;",
                                   "  padding: 0px;", "  margin-left: 2px;",        " margin: 1px;",
                                   "P { margin: 0 }", "}"};
  StripCssMargins(lines);
  EXPECT_EQ(lines, (std::vector<AnsiString>{"BODY {", "}", ".UVPS1", "{", "  text-align: center;",
                                            "  margin-left: 2px;", " margin: 1px;", "P { margin: 0 }", "}"}));
}

TEST_F(EBookFilesTest, EveryBookNameIsLinkedOnce) {
  AnsiString names;
  for (int book = 1; book <= BookCount; ++book) names += EnglishBookName(book) + " ";
  const std::string line = "<DIV><FONT face=\"Job Sans\">" + names + "</FONT></DIV>";
  const std::string linked = LinkBookNames(line);
  std::string expected = "<DIV><FONT face=\"Job Sans\">";
  for (int book = 1; book <= BookCount; ++book)
    expected += "<a href=\"" + EnglishBookName(book) + ".lit\">" + EnglishBookName(book) + "</a> ";
  expected += "</FONT></DIV>";
  EXPECT_EQ(linked, expected);
  // The gospel is linked where it stands, the letters where they stand.
  EXPECT_NE(linked.find("<a href=\"Luke.lit\">Luke</a> <a href=\"John.lit\">John</a> <a href=\"Acts.lit\">"),
            std::string::npos);
  EXPECT_NE(linked.find("<a href=\"2 John.lit\">2 John</a> <a href=\"3 John.lit\">3 John</a>"), std::string::npos);
  EXPECT_EQ(Count(linked, "<a href="), 66u);
  // A line without the names stays as it is.
  EXPECT_EQ(LinkBookNames("<TITLE>Table of Contents</TITLE>"), "<TITLE>Table of Contents</TITLE>");
}

TEST_F(EBookFilesTest, TheContentsPageLinksAllBooks) {
  MyReg->SetEBooksFolder(EBooks());
  ForceDirectories(EBooks());
  testing_support::WriteFileBytes(ContentsPageFileName(), "an earlier page");
  BibleViewer editor;
  editor->AddNL("left over", bsText, bpNormal);
  BuildContentsPage(editor.get(), bsText);
  EXPECT_EQ(editor->GetItemCount(), 0);
  const Lines lines = SplitCrLf(testing_support::ReadFileBytes(ContentsPageFileName()));
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "<HTML><HEAD><TITLE>Table of Contents</TITLE>");
  EXPECT_EQ(lines.back(), "</BODY></HTML>");
  std::size_t linkLines = 0;
  for (const std::string& line : lines) {
    if (line.find("<a href=") == std::string::npos) continue;
    ++linkLines;
    EXPECT_EQ(Count(line, "<a href="), 66u);
    EXPECT_EQ(Count(line, "</a>"), 66u);
    EXPECT_NE(line.find("<a href=\"Genesis.lit\">Genesis</a> <a href=\"Exodus.lit\">Exodus</a> "), std::string::npos);
    EXPECT_NE(line.find("<a href=\"Revelation.lit\">Revelation</a> "), std::string::npos);
    // In the text style's font.
    EXPECT_NE(line.find(std::string("<FONT ")), std::string::npos) << line;
  }
  EXPECT_EQ(linkLines, 1u);
}

TEST_F(EBookFilesTest, AContentsPageThatCannotBeWrittenIsSaid) {
  MyReg->SetEBooksFolder(temp_.Path() + "no such folder\\deeper");
  BibleViewer editor;
  try {
    BuildContentsPage(editor.get(), bsText);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_NE(e.Message.find("00 Table of Contents.html"), std::string::npos) << e.Message;
  }
}

TEST_F(EBookFilesTest, TheBuilderProjectIsCopiedIntoTheWorkFolder) {
  try {
    CopyBuilderProject();
    ADD_FAILURE() << "no error without the installed project";
  } catch (const EInOutError& e) {
    EXPECT_NE(e.Message.find(BuilderProjectTemplate()), std::string::npos) << e.Message;
  }
  testing_support::WriteFileBytes(BuilderProjectTemplate(), "the installed project");
  CopyBuilderProject();
  EXPECT_EQ(testing_support::ReadFileBytes(BuilderProjectFile()), "the installed project");
  // A project the builder changed is replaced before the next book.
  testing_support::WriteFileBytes(BuilderProjectFile(), "changed by the builder");
  CopyBuilderProject();
  EXPECT_EQ(testing_support::ReadFileBytes(BuilderProjectFile()), "the installed project");
}

// A book's page: built as Print Bible builds it in e-book mode, then written.
class EBookPageTest : public EBookFilesTest {
protected:
  std::string Page(const tools_testing::Lines& book, Integer* chapters = nullptr) {
    WriteTestBook("GEN", book);
    BibleViewer editor;
    TUzurUvadBibleText text(editor.get());
    TBibleDocumentBuilder builder(text, editor.Style());
    TBibleBuildOptions options;
    options.EBook = true;
    TBookStarts starts;
    builder.Build({TBibleBook{"Genesis", BookPath("GEN")}}, options, starts);
    const Integer count = builder.ChapterCount();
    if (chapters) *chapters = count;
    editor->OnURLNeeded = TUVURLNeededEvent::FromFunction(
        [count](TObject*, Integer id, AnsiString& url) { url = CheckpointURL(id, count); });
    editor->Format();
    const std::string file = HtmlFileName("Genesis");
    ForceDirectories(EBookWorkFolder());
    SaveEBookPage(editor.get(), file, "Genesis");
    return testing_support::ReadFileBytes(file);
  }
};

TEST_F(EBookPageTest, ABookOfChaptersLinksThemBothWays) {
  Integer chapters = 0;
  const std::string page = Page({"\\id GEN", "\\mt Genesis", "\\c 1", "\\p", "\\v 1 In the beginning.",
                                 "\\v 2 And the earth.", "\\c 2", "\\s The seventh day", "\\p",
                                 "\\v 1 Thus the heavens.", "\\c 3", "\\p", "\\v 1 Now the serpent."},
                                &chapters);
  EXPECT_EQ(chapters, 3);
  const Lines lines = SplitCrLf(page);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "<HTML><HEAD><TITLE>Genesis</TITLE>");
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find("  margin: "), std::string::npos) << line;
    EXPECT_EQ(line.find("  padding: "), std::string::npos) << line;
  }
  // The "Go to chapter" line after checkpoint 0 links the three chapters; each chapter number,
  // after its own checkpoint, links back to the line.
  const std::size_t line = page.find("Go to chapter");
  ASSERT_NE(line, std::string::npos);
  EXPECT_LT(page.find("<A name=UzurUvadCheckpoint0></A>"), line);
  std::size_t at = line;
  for (int c = 1; c <= 3; ++c) {
    const std::string link = "href=\"#UzurUvadCheckpoint" + std::to_string(c) + "\">" + std::to_string(c) + "</A>";
    at = page.find(link, at);
    ASSERT_NE(at, std::string::npos) << link;
  }
  for (int c = 1; c <= 3; ++c) {
    const std::string anchor = "<A name=UzurUvadCheckpoint" + std::to_string(c) + "></A>";
    at = page.find(anchor, at);
    ASSERT_NE(at, std::string::npos) << anchor;
    const std::string back = "href=\"#UzurUvadCheckpoint0\">" + std::to_string(c) + "</A>";
    at = page.find(back, at);
    ASSERT_NE(at, std::string::npos) << back;
  }
  EXPECT_EQ(Count(page, "<A name=UzurUvadCheckpoint"), 4u);
  EXPECT_EQ(Count(page, "href=\"#UzurUvadCheckpoint"), 6u);
  EXPECT_NE(page.find("The seventh day"), std::string::npos);
}

TEST_F(EBookPageTest, ABookOfOneChapterHasNoLinks) {
  const std::string page = Page({"\\id GEN", "\\mt Genesis", "\\c 1", "\\p", "\\v 1 In the beginning.",
                                 "\\v 2 And the earth."});
  EXPECT_EQ(page.find("Go to chapter"), std::string::npos);
  EXPECT_EQ(page.find("href="), std::string::npos);
  EXPECT_EQ(page.find("UzurUvadCheckpoint"), std::string::npos);
  EXPECT_NE(page.find("In the beginning."), std::string::npos);
}

}  // namespace
