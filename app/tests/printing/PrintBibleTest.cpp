// Print Bible on a project of a few books, driven with clicks: building the documents, preparing
// the pages, printing "Bible.pdf" (sound to the PDF tools, every verse in order, the page headers,
// the text filling the page between the margins), stopping a run, and a "Bible.pdf" held open by
// another program.
#include <algorithm>
#include <string>
#include <vector>

#include "app/tests/printing/PrintingSupport.h"
#include "app/tests/support/ProgramDriver.h"
#include "classlib/SysUtils.h"
#include "core/ProgramFolderUnit.h"
#include "richtext/edit/UVEdit.h"
#include "tools/BookHeadings.h"
#include "tools/ExtraPages.h"

namespace {

using namespace printing_testing;
using namespace dialog_testing;
using testing_support::SaveScreenshot;

// A verse of some fifteen words that varies with its number.
std::string VerseText(int chapter, int verse) {
  return "And it came to pass in chapter " + std::to_string(chapter) + " at verse " + std::to_string(verse) +
         ", that the people went up unto the mountain to pray.";
}

class PrintBibleTest : public PrintingTest {
protected:
  void TearDown() override {
    BookHeadings = DefaultBookHeadings();
    PrintingTest::TearDown();
  }

  // A book of many chapters of many verses, some pages long.
  void WriteLongBook(const std::string& id, const std::string& title, int chapters, int verses) {
    Lines lines = {"\\id " + id, "\\mt " + title};
    for (int c = 1; c <= chapters; ++c) {
      lines.push_back("\\c " + std::to_string(c));
      lines.push_back("\\p");
      for (int v = 1; v <= verses; ++v) lines.push_back("\\v " + std::to_string(v) + " " + VerseText(c, v));
    }
    WriteTestBook(id, lines);
  }

  // Runs the dialog with every book chosen; `act` then drives it.
  void RunDialog(const std::function<void(TPrintBibleV3Dialog*, HWND)>& act) {
    auto dialog = MakePrintDialog();
    RunModal(dialog.get(), [&](HWND wnd) {
      SelectBooks(dialog.get(), {});
      act(dialog.get(), wnd);
      if (IsWindowVisible(wnd)) Click(wnd, "&OK");
    });
  }

  std::string BiblePdf() const { return Printing() + "Bible.pdf"; }
};

TEST_F(PrintBibleTest, ProduceBuildsBothTestamentsAndShowsThem) {
  WriteBooks();
  auto dialog = MakePrintDialog();
  RunModal(dialog.get(), [&](HWND wnd) {
    EXPECT_EQ(app_testing::ItemsOf(dialog->BooksListBox->GetItems()),
              (Lines{"Genesis", "Ruth", "Matthew", "Philemon"}));
    SaveScreenshot(wnd, "print-bible-books");
    SelectBooks(dialog.get(), {"Genesis", "Philemon"});
    StatusRecorder status(dialog->StatusBar1);
    Click(wnd, "&Produce");
    EXPECT_EQ(dialog->PageControl1->GetActivePage(), dialog->ViewSheet);
    EXPECT_TRUE(dialog->Produced());
    EXPECT_EQ(status.Texts, (Lines{"Formatting Genesis", "Formatting text...", "Ready", "Formatting Philemon",
                                  "Formatting text...", "Ready"}));
    ProcessFor(100);
    SaveScreenshot(wnd, "print-bible-view");
    EXPECT_EQ(dialog->OTUzurUvadEdit->GetItemText(0), "The First Book of Moses");
    EXPECT_EQ(dialog->NTUzurUvadEdit->GetItemText(0), "Philemon");
    // The selection is kept; changing it forgets the documents.
    EXPECT_EQ(dialog->CountSelectedBooks(2), 2);
    SelectBooks(dialog.get(), {"Ruth"});
    EXPECT_FALSE(dialog->Produced());
    Click(wnd, "&OK");
  });
}

TEST_F(PrintBibleTest, PreparingWithoutBooksSaysSo) {
  WriteBooks();
  auto dialog = MakePrintDialog();
  RunModal(dialog.get(), [&](HWND wnd) {
    Click(wnd, "P&repare print");
    EXPECT_EQ(dialog->StatusBar1->GetSimpleText(), "No books selected");
    EXPECT_FALSE(dialog->Prepared());
    Click(wnd, "&OK");
  });
}

TEST_F(PrintBibleTest, PrintWritesEveryVerseUnderItsHeaders) {
  WriteBooks();
  BookHeadings = DefaultBookHeadings();
  testing_support::WriteFileBytes(WorkFolder() + "HeadingsOfBooks.txt", "MATMatthew's Gospel\r\n");
  // As the main window loads them when it starts.
  LoadBookHeadings();
  Lines statuses;
  RunDialog([&](TPrintBibleV3Dialog* dialog, HWND wnd) {
    StatusRecorder status(dialog->StatusBar1);
    Click(wnd, "Pr&int");
    statuses = status.Texts;
    EXPECT_EQ(dialog->PageControl1->GetActivePage(), dialog->PrintingSheet);
    EXPECT_TRUE(FileExists(TPrintBibleV3Dialog::PageFileName(0)));
    EXPECT_EQ(dialog->PageCount(0), 1);
    EXPECT_EQ(dialog->PageCount(1), 1);
    // Four books: no cover, first or last page; both testaments.
    EXPECT_FALSE(dialog->CoverPageBox->GetChecked());
    EXPECT_TRUE(dialog->OTBox->GetChecked());
    EXPECT_TRUE(dialog->NTBox->GetChecked());
    EXPECT_EQ(dialog->Contents(1), (std::vector<TContentsEntry>{{"Matthew's Gospel", 1}, {"Philemon", 1}}));
    SaveScreenshot(wnd, "print-bible-printing");
  });
  // Closing removes the page files.
  EXPECT_FALSE(FileExists(TPrintBibleV3Dialog::PageFileName(0)));
  EXPECT_FALSE(FileExists(TPrintBibleV3Dialog::PageFileName(1)));
  for (const char* expected : {"Formatting text for printing ...", "Repaginating ...", "Formatting Old Testament page 1",
                               "Formatting New Testament page 1", "Ready for printing", "Start printing ...",
                               "Printing Old Testament page 1", "Printing New Testament page 1", "Writing PDF file",
                               "Ready"})
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), expected), statuses.end()) << expected;

  EXPECT_EQ(pdf_checks::ToolComplaints(BiblePdf()), std::vector<std::string>{});
  const std::vector<std::string> pages = PdfRawPages(BiblePdf(), Printing());
  ASSERT_EQ(pages.size(), 2u);
  const std::string all = Squeezed(pages[0] + pages[1]);
  std::size_t at = 0;
  for (const char* verse :
       {"In the beginning God created the heaven and the earth.", "And the earth was without form, and void.",
        "Thus the heavens and the earth were finished.", "Now it came to pass in the days when the judges ruled.",
        "And the name of the man was Elimelech.", "The genealogy", "The book of the generation of Jesus Christ.",
        "Abraham begat Isaac; and Isaac begat Jacob.", "Paul, a prisoner of Jesus Christ, and Timothy our brother.",
        "And to our beloved Apphia."}) {
    const std::size_t found = all.find(Squeezed(verse), at);
    EXPECT_NE(found, std::string::npos) << verse;
    if (found != std::string::npos) at = found;
  }
  // Each page's header: the date and the page number at the right, the books and chapters in the
  // middle; Philemon without a chapter number.
  const std::vector<PdfPage> words = PdfWords(BiblePdf(), Printing());
  ASSERT_EQ(words.size(), 2u);
  auto header = [](const PdfPage& page) {
    std::vector<PdfWord> top;
    for (const PdfWord& w : page.Words)
      if (w.YMax < 72) top.push_back(w);
    std::sort(top.begin(), top.end(), [](const PdfWord& a, const PdfWord& b) { return a.XMin < b.XMin; });
    std::string text;
    for (const PdfWord& w : top) text += (text.empty() ? "" : " ") + w.Text;
    return text;
  };
  EXPECT_EQ(header(words[0]), "Genesis 1 - Ruth 1 " + Today() + " 1");
  EXPECT_EQ(header(words[1]), "Matthew's Gospel 1 - Philemon " + Today() + " 1");
}

TEST_F(PrintBibleTest, TheTextFillsThePageBetweenTheMarginsOnA4AndLetter) {
  WriteLongBook("GEN", "Genesis", 6, 40);
  struct Row {
    Integer PaperSize;
    double Width, Height;
  } rows[] = {{1, 595, 842}, {0, 612, 792}};
  for (const Row& row : rows) {
    MyReg->SetPaperSize(row.PaperSize);
    MyReg->SetTopMargin(20);
    MyReg->SetBottomMargin(30);
    MyReg->SetLeftMargin(25);
    MyReg->SetRightMargin(15);
    RunDialog([&](TPrintBibleV3Dialog*, HWND wnd) { Click(wnd, "Pr&int"); });
    const std::vector<PdfPage> pages = PdfWords(BiblePdf(), Printing());
    ASSERT_GE(pages.size(), 3u) << row.PaperSize;
    // A full page (the first): words from the left margin to the right one, down to the bottom
    // margin, the header above the top margin.
    const PdfPage& page = pages[0];
    EXPECT_NEAR(page.Width, row.Width, 0.5);
    EXPECT_NEAR(page.Height, row.Height, 0.5);
    const double mm = 72 / 25.4;
    double left = page.Width, right = 0, bottom = 0, textTop = page.Height;
    for (const PdfWord& w : page.Words) {
      if (w.YMax < 20 * mm) continue;  // the header
      left = std::min(left, w.XMin);
      right = std::max(right, w.XMax);
      bottom = std::max(bottom, w.YMax);
      textTop = std::min(textTop, w.YMin);
    }
    EXPECT_NEAR(left, 25 * mm, 1.5) << row.PaperSize;
    EXPECT_NEAR(right, page.Width - 15 * mm, 1.5) << row.PaperSize;
    EXPECT_LE(bottom, page.Height - 30 * mm + 1) << row.PaperSize;
    EXPECT_GE(bottom, page.Height - 30 * mm - 16) << row.PaperSize;
    EXPECT_NEAR(textTop, 20 * mm, 6) << row.PaperSize;
  }
}

TEST_F(PrintBibleTest, MirroredMarginsPutEvenPageNumbersOnTheLeft) {
  WriteLongBook("GEN", "Genesis", 6, 40);
  MyReg->SetPaperSize(1);
  MyReg->SetLeftMargin(30);
  MyReg->SetRightMargin(20);
  MyReg->SetMirrorMargins(true);
  RunDialog([&](TPrintBibleV3Dialog*, HWND wnd) { Click(wnd, "Pr&int"); });
  const std::vector<PdfPage> pages = PdfWords(BiblePdf(), Printing());
  ASSERT_GE(pages.size(), 3u);
  const double mm = 72 / 25.4;
  for (std::size_t p = 0; p < 2; ++p) {
    const bool even = p % 2 == 1;
    const PdfWord* number = nullptr;
    double left = pages[p].Width, right = 0;
    for (const PdfWord& w : pages[p].Words) {
      // The page number is the outermost word of the header that reads so.
      if (w.Text == std::to_string(p + 1) && w.YMax < 25 * mm &&
          (!number || (even ? w.XMin < number->XMin : w.XMax > number->XMax)))
        number = &w;
      if (w.YMax >= 25 * mm) {
        left = std::min(left, w.XMin);
        right = std::max(right, w.XMax);
      }
    }
    // Odd pages: 30 mm on the left, 20 on the right, the number at the right; even pages swap.
    EXPECT_NEAR(left, (even ? 20 : 30) * mm, 1.5) << p;
    EXPECT_NEAR(right, pages[p].Width - (even ? 30 : 20) * mm, 1.5) << p;
    ASSERT_TRUE(number) << p;
    if (even) {
      EXPECT_NEAR(number->XMin, 20 * mm, 1.5);
    } else {
      EXPECT_NEAR(number->XMax, pages[p].Width - 20 * mm, 1.5);
    }
  }
}

TEST_F(PrintBibleTest, AStoppedRunLeavesTheEarlierBiblePdfWhole) {
  WriteLongBook("GEN", "Genesis", 50, 40);
  ForceDirectories(Printing());
  testing_support::WriteFileBytes(BiblePdf(), "the earlier Bible.pdf");
  Lines statuses;
  RunDialog([&](TPrintBibleV3Dialog* dialog, HWND wnd) {
    StatusRecorder status(dialog->StatusBar1);
    // &Stop is pressed as the fifth page is printed, as the user would while the run goes on.
    bool pressed = false;
    const auto stopAt = [&] {
      for (const std::string& text : status.Texts)
        if (text == "Printing Old Testament page 5" && !pressed) {
          pressed = true;
          EXPECT_TRUE(dialog->Running());
          EXPECT_FALSE(dialog->PrintButton->GetEnabled());
          SaveScreenshot(wnd, "print-bible-running");
          PostMessageA(dialog->StopButton->GetHandle(), BM_CLICK, 0, 0);
        }
    };
    TWndMethod old = dialog->StatusBar1->WindowProc;
    dialog->StatusBar1->WindowProc = TWndMethod::FromFunction([&](TMessage& message) {
      old(message);
      if (message.Msg == SB_SETTEXTA) stopAt();
    });
    Click(wnd, "Pr&int");
    dialog->StatusBar1->WindowProc = old;
    statuses = status.Texts;
    EXPECT_TRUE(pressed);
    EXPECT_FALSE(dialog->Running());
    EXPECT_TRUE(dialog->PrintButton->GetEnabled());
    EXPECT_EQ(dialog->StatusBar1->GetSimpleText(), "Stopped");
  });
  EXPECT_EQ(testing_support::ReadFileBytes(BiblePdf()), "the earlier Bible.pdf");
  EXPECT_EQ(app_testing::FilesIn(Printing(), "*").size(), 1u);
  EXPECT_EQ(std::find(statuses.begin(), statuses.end(), "Writing PDF file"), statuses.end());
}

TEST_F(PrintBibleTest, ABiblePdfHeldOpenIsSaidAndStaysAsItWas) {
  WriteBooks();
  ForceDirectories(Printing());
  testing_support::WriteFileBytes(BiblePdf(), "held by a viewer");
  // A viewer that keeps the file open and lets nobody replace it.
  HANDLE held = CreateFileA(BiblePdf().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::string message;
  RunDialog([&](TPrintBibleV3Dialog*, HWND wnd) {
    WindowWatch box("Print Bible", [&](HWND shown) {
      message = TextOf(GetDlgItem(shown, 0xFFFF));
      testing_support::PressDialogButton(shown, IDOK);
    }, 20000, "#32770");
    Click(wnd, "Pr&int");
    EXPECT_TRUE(box.Done());
  });
  CloseHandle(held);
  EXPECT_NE(message.find("Bible.pdf"), std::string::npos) << message;
  EXPECT_EQ(testing_support::ReadFileBytes(BiblePdf()), "held by a viewer");
  EXPECT_EQ(app_testing::FilesIn(Printing(), "*").size(), 1u);
}

TEST_F(PrintBibleTest, ClosingWithOnlyOneChapterOffersTheNextOne) {
  WriteBooks();
  MyReg->SetOnlyChapterNumber(1);
  RunDialog([&](TPrintBibleV3Dialog* dialog, HWND wnd) {
    Click(wnd, "Produce o&nly chapter");
    EXPECT_TRUE(dialog->OCEdit->GetEnabled());
    EXPECT_FALSE(dialog->BooksListBox->GetMultiSelect());
  });
  EXPECT_EQ(ReadSettingString("I1"), "2");
}

TEST_F(PrintBibleTest, ThePrintOptionsFollowTheSettingsAndTheBooksChosen) {
  WriteBooks();
  WriteTestBook("EXO", {"\\id EXO", "\\mt Exodus", "\\c 1", "\\p", "\\v 1 Now these are the names."});
  for (int kind : {epCover, epFirst, epNTTitle, epLast}) PrepareExtraPage(kind);
  MyReg->SetPrintCoverPages(true);
  MyReg->SetPrintFirstPages(true);
  MyReg->SetPrintLastPages(true);
  MyReg->SetPrintOTTitlePages(true);
  MyReg->SetPrintNTTitlePages(true);
  struct Row {
    std::vector<std::string> Books;
    bool Cover, OTTitle, OT, NTTitle, NT;
  } rows[] = {
      // Five books in all: cover, first and last pages; both testaments: the NT title page.
      {{"Genesis", "Exodus", "Ruth", "Matthew", "Philemon"}, true, false, true, true, true},
      // Three books: none of them, though the settings allow them.
      {{"Genesis", "Exodus", "Ruth"}, false, false, true, false, false},
      {{"Matthew", "Philemon"}, false, false, false, false, true},
  };
  auto dialog = MakePrintDialog();
  RunModal(dialog.get(), [&](HWND wnd) {
    for (const Row& row : rows) {
      SelectBooks(dialog.get(), row.Books);
      Click(wnd, "P&repare print");
      EXPECT_EQ(dialog->StatusBar1->GetSimpleText(), "Ready for printing");
      EXPECT_EQ(dialog->CoverPageBox->GetChecked(), row.Cover) << row.Books.size();
      EXPECT_EQ(dialog->FirstPageBox->GetChecked(), row.Cover);
      EXPECT_EQ(dialog->LastPageBox->GetChecked(), row.Cover);
      EXPECT_EQ(dialog->OTTitleBox->GetChecked(), row.OTTitle);
      EXPECT_EQ(dialog->OTBox->GetChecked(), row.OT);
      EXPECT_EQ(dialog->NTTitleBox->GetChecked(), row.NTTitle);
      EXPECT_EQ(dialog->NTBox->GetChecked(), row.NT);
      // The OT title page has no document: its box cannot be chosen.
      EXPECT_FALSE(dialog->OTTitleBox->GetEnabled());
      EXPECT_TRUE(dialog->CoverPageBox->GetEnabled());
    }
    Click(wnd, "&OK");
  });
}

TEST_F(PrintBibleTest, HeadingsInCapitalsWhenTheSettingSaysSo) {
  WriteBooks();
  WriteSettingString("Heading in All Caps", "T");
  WriteSettingString("Include date", "F");
  RunDialog([&](TPrintBibleV3Dialog*, HWND wnd) { Click(wnd, "Pr&int"); });
  const std::vector<std::string> pages = PdfRawPages(BiblePdf(), Printing());
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_NE(pages[0].find("GENESIS 1 - RUTH 1"), std::string::npos) << pages[0];
  EXPECT_EQ(pages[0].find(Today()), std::string::npos);
  EXPECT_NE(pages[1].find("MATTHEW 1 - PHILEMON"), std::string::npos) << pages[1];
}

}  // namespace
