// The whole KJV printed into "Bible.pdf" through Print Bible, as a translation team prints its
// Bible for reviewers: the file is sound to the PDF tools and a second reader, every verse of
// every book comes back from it in order, and the page headers name the books and chapters of
// their pages.
#include <cctype>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/tests/printing/PrintingSupport.h"
#include "app/tests/support/ProgramDriver.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/TypesConstants.h"
#include "tools/BookHeadings.h"

namespace {

using namespace printing_testing;
using namespace dialog_testing;

class KjvBibleTest : public PrintingTest {
protected:
  void SetUp() override {
    PrintingTest::SetUp();
    if (app_testing::KjvDataFolder().empty()) GTEST_SKIP() << "the KJV project of the shared data is not here";
    app_testing::CopyKjvProject(Projects());
    MyReg->SetCurrentProject("King James Version");
    LoadBookHeadings();
  }
  void TearDown() override {
    BookHeadings = DefaultBookHeadings();
    PrintingTest::TearDown();
  }
};

TEST_F(KjvBibleTest, TheWholeBibleIsPrintedWithEveryVerseInOrder) {
  MyReg->SetHyphenationRule(2);
  auto dialog = MakePrintDialog();
  Integer oldPages = 0, newPages = 0;
  double seconds = 0;
  RunModal(dialog.get(), [&](HWND wnd) {
    SelectBooks(dialog.get(), {});
    EXPECT_EQ(dialog->CountSelectedBooks(2), 66);
    const auto start = std::chrono::steady_clock::now();
    Click(wnd, "Pr&int");
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(dialog->StatusBar1->GetSimpleText(), "Ready");
    oldPages = dialog->PageCount(0);
    newPages = dialog->PageCount(1);
    ASSERT_EQ(dialog->Contents(0).size(), 39u);
    EXPECT_EQ(dialog->Contents(0)[0], (TContentsEntry{"Genesis", 1}));
    ASSERT_EQ(dialog->Contents(1).size(), 27u);
    EXPECT_EQ(dialog->Contents(1).back().Heading, "Revelation");
    Click(wnd, "&OK");
  }, 300000);  // the whole Bible takes a while on a slow or busy machine
  std::printf("the KJV printed in %.1f s: %d + %d pages\n", seconds, oldPages, newPages);
  EXPECT_GT(oldPages, 400);
  EXPECT_GT(newPages, 100);

  const std::string pdf = Printing() + "Bible.pdf";
  EXPECT_EQ(pdf_checks::ToolComplaints(pdf), std::vector<std::string>{});
  const std::vector<std::string> pages = PdfRawPages(pdf, Printing());
  ASSERT_EQ(static_cast<Integer>(pages.size()), oldPages + newPages);

  // Each page is its text followed by its header; the header begins with the date.
  const std::string date = Squeezed(Today());
  std::string text;
  std::vector<std::string> headers;
  for (const std::string& page : pages) {
    const std::string squeezed = Squeezed(page);
    const std::size_t header = squeezed.rfind(date);
    ASSERT_NE(header, std::string::npos);
    text += squeezed.substr(0, header);
    headers.push_back(squeezed.substr(header + date.size()));
  }
  std::size_t at = 0, verses = 0;
  for (const std::string& file : app_testing::FilesIn(Projects() + "KJV\\", "*.SFM")) {
    std::unique_ptr<TStringList> lines(new TStringList());
    lines->LoadFromFile(file);
    for (Integer i = 0; i < lines->GetCount(); ++i) {
      const std::string line = lines->GetStrings(i);
      if (line.rfind("\\v ", 0) != 0) continue;
      const std::string verse = Squeezed(Utf8(line.substr(line.find(' ', 3) + 1)));
      const std::size_t found = text.find(verse, at);
      ASSERT_NE(found, std::string::npos) << file << ": " << line;
      at = found + verse.size();
      ++verses;
    }
  }
  EXPECT_EQ(verses, 31102u);

  // Headers: the page number after the date, the books and chapters before it; the New
  // Testament's pages count from 1 again; Obadiah shows its one chapter, Philemon none.
  EXPECT_EQ(headers[0], "1Genesis12");
  EXPECT_EQ(headers[oldPages].substr(0, 9), "1Matthew1");
  bool obadiah = false, philemon = false;
  for (std::size_t p = 0; p < headers.size(); ++p) {
    const std::string number = std::to_string(p < static_cast<std::size_t>(oldPages) ? p + 1 : p + 1 - oldPages);
    EXPECT_EQ(headers[p].substr(0, number.size()), number) << p;
    const std::string& h = headers[p];
    const std::size_t o = h.find("Obadiah");
    if (o != std::string::npos) {
      obadiah = true;
      EXPECT_EQ(h.substr(o, 8), "Obadiah1") << h;
    }
    const std::size_t f = h.find("Philemon");
    if (f != std::string::npos) {
      philemon = true;
      EXPECT_TRUE(f + 8 == h.size() || !std::isdigit(static_cast<unsigned char>(h[f + 8]))) << h;
    }
  }
  EXPECT_TRUE(obadiah);
  EXPECT_TRUE(philemon);
}

}  // namespace
