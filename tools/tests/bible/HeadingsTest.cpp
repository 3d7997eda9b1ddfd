// The book headings of the page headers and the extra pages of the printed Bible, in the current
// project's work folder.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/ProgramFolderUnit.h"
#include "core/tests/CoreTestSupport.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"
#include "tools/BookHeadings.h"
#include "tools/ExtraPages.h"

namespace {

class HeadingsTest : public core_testing::CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    WriteProject("TST", "Test Project", "", "TST.SFM");
    MyReg->SetCurrentProject("Test Project");
    WriteBook("TST", "GENTST.SFM", "\\id GEN\r\n");
    ProgramFolder = temp_.Path() + "Program\\";
    ForceDirectories(ProgramFolder);
  }
  void TearDown() override {
    BookHeadings = DefaultBookHeadings();
    CoreTest::TearDown();
  }
  std::string WorkFolder() const { return Projects() + "TST\\Pelorin\\"; }
};

TEST_F(HeadingsTest, AMissingHeadingsFileIsWrittenWithTheEnglishNames) {
  LoadBookHeadings();
  const std::string bytes = testing_support::ReadFileBytes(WorkFolder() + "HeadingsOfBooks.txt");
  EXPECT_EQ(bytes.substr(0, 26), "GENGenesis\r\nEXOExodus\r\nLEV");
  EXPECT_EQ(bytes.substr(bytes.size() - 15), "REVRevelation\r\n");
  std::unique_ptr<TStringList> lines(new TStringList());
  lines->LoadFromFile(WorkFolder() + "HeadingsOfBooks.txt");
  EXPECT_EQ(lines->GetCount(), 66);
  EXPECT_EQ(BookHeadings[0], "Genesis");
  EXPECT_EQ(BookHeadings[65], "Revelation");
}

TEST_F(HeadingsTest, EachBookTakesTheHeadingOfItsLastLine) {
  const std::string longHeading(120, 'x');
  struct Row {
    const char* Lines;
    int Book;
    std::string Heading;
  } rows[] = {
      {"EXOThe going out\r\n", 2, "The going out"},
      {"EXOThe going out\r\n", 1, "Genesis"},
      {"EXOFirst\r\nEXOSecond\r\n", 2, "Second"},
      {"EXOFirst\r\nEXO\r\n", 2, "Exodus"},  // an empty heading stands for the English name
      {"exoLower case\r\n", 2, "Exodus"},
      {"", 66, "Revelation"},
  };
  for (const Row& r : rows) {
    testing_support::WriteFileBytes(WorkFolder() + "HeadingsOfBooks.txt", r.Lines);
    LoadBookHeadings();
    EXPECT_EQ(BookHeading(r.Book), r.Heading) << r.Lines;
  }
  testing_support::WriteFileBytes(WorkFolder() + "HeadingsOfBooks.txt", "PSA" + longHeading + "\r\n");
  LoadBookHeadings();
  EXPECT_EQ(BookHeading(19), std::string(100, 'x'));
  EXPECT_EQ(BookHeading(0), "");
  EXPECT_EQ(BookHeading(67), "");
}

TEST_F(HeadingsTest, SavedHeadingsAreReadBack) {
  TBookHeadings headings = DefaultBookHeadings();
  headings[0] = "The Beginning";
  ASSERT_EQ(SaveBookHeadings(headings), 0u);
  EXPECT_EQ(testing_support::ReadFileBytes(WorkFolder() + "HeadingsOfBooks.txt").substr(0, 18), "GENThe Beginning\r\n");
  LoadBookHeadings();
  EXPECT_EQ(BookHeadings, headings);
}

TEST_F(HeadingsTest, AnExtraPageIsCopiedFromItsTemplateOrWrittenAsAStartingPage) {
  EXPECT_EQ(ExtraPageFileName(epCover), WorkFolder() + "CoverPage.uvf");
  EXPECT_EQ(ExtraPageFileName(epLast), WorkFolder() + "LastPage.uvf");
  EXPECT_EQ(ExtraPageEditorCommandLine("C:\\x y\\FirstPage.uvf"),
            "\"" + ProgramFolder + "Editor\\editor.exe\" \"C:\\x y\\FirstPage.uvf\" \"C:\\x y\\FirstPage.uvf\"");

  testing_support::WriteFileBytes(ProgramFolder + "FirstPage.uvf", "template bytes");
  PrepareExtraPage(epFirst);
  EXPECT_EQ(testing_support::ReadFileBytes(ExtraPageFileName(epFirst)), "template bytes");
  // One that exists is left as it is.
  testing_support::WriteFileBytes(ProgramFolder + "FirstPage.uvf", "other template");
  PrepareExtraPage(epFirst);
  EXPECT_EQ(testing_support::ReadFileBytes(ExtraPageFileName(epFirst)), "template bytes");

  // Without a template: a title, and on a testament's title page its contents placeholder.
  struct Row {
    int Kind;
    std::vector<std::string> Texts;
  } rows[] = {
      {epCover, {"The Holy Bible"}},
      {epNTTitle, {"The New Testament", "", NewTestamentContentsPlaceholder}},
  };
  for (const Row& r : rows) {
    PrepareExtraPage(r.Kind);
    TUVStyle style(nullptr);
    VUzurUvad document(nullptr);
    document.SetStyle(&style);
    ASSERT_TRUE(document.LoadUVF(ExtraPageFileName(r.Kind))) << r.Kind;
    std::vector<std::string> texts;
    for (Integer i = 0; i < document.GetItemCount(); ++i) texts.push_back(document.GetItemText(i));
    EXPECT_EQ(texts, r.Texts);
    // The title's own style came along: large and bold.
    EXPECT_EQ(style.GetTextStyles()->GetItem(document.GetItemStyle(0))->Size, 28);
    document.SetStyle(nullptr);
  }
}

}  // namespace
