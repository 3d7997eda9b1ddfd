// Print versions, driven as a user drives it: versions, book and comparison chosen in its lists
// with the example following each choice, the document of verse blocks produced, and that
// document printed from the results list window into a PDF file whose text holds every version in
// order.
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "PdfChecks.h"
#include "PdfTestSupport.h"
#include "app/PrintVersionsUnit.h"
#include "app/tests/compare/CompareDialogsSupport.h"
#include "classlib/ComCtrls.h"
#include "core/ScripturesUnit.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEdit.h"
#include "richtext/edit/UVTable.h"

namespace {

using namespace compare_dialogs;
using namespace dialog_testing;
using testing_support::PumpUntil;
using testing_support::SaveScreenshot;
using testing_support::WriteFileBytes;

// The text of each table row of the document (a table of its own, or a row of tables joined by
// RTF), its paragraphs joined by " / "; other items as "text ...".
Lines Blocks(TCustomUzurUvad* editor) {
  Lines blocks;
  for (Integer i = 0; i < editor->GetItemCount(); ++i) {
    auto* table = dynamic_cast<TUVTableItemInfo*>(editor->GetItem(i));
    if (!table) {
      blocks.push_back("text " + editor->GetItemText(i));
      continue;
    }
    for (Integer r = 0; r < table->GetRowCount(); ++r) {
      std::string text;
      TUVTableCellData* cell = table->GetCells(r, 0);
      for (Integer j = 0; j < cell->GetItemCount(); ++j) {
        if (j > 0 && cell->IsParaStart(j)) text += " / ";
        text += cell->GetItemText(j);
      }
      blocks.push_back(text);
    }
  }
  return blocks;
}

class PrintVersionsTest : public CompareDialogsTest {
protected:
  void SetUp() override {
    CompareDialogsTest::SetUp();
    WriteTestBook("RUT", {"\\id RUT", "\\c 1", "\\s Naomi and Ruth",
                          "\\v 1 Now it came to pass in the days when the judges ruled.",
                          "\\v 2 And the name of the man was Elimelech.", "\\c 2", "\\v 1 And Naomi had a kinsman."});
    WriteTestBook("JON", {"\\id JON", "\\c 1", "\\v 1 Now the word of the LORD came."});
    WriteEarlierBook("RUT", {"\\id RUT", "\\c 1", "\\v 1 In the days of the judges.", "\\v 2 The man was Elimelech.",
                             "\\c 2", "\\v 1 Naomi had a kinsman."});
    WriteFileBytes(Projects() + "English.lds", "[General]\r\nfont=Courier New\r\nsize=14\r\n");
    std::unique_ptr<TAllScriptures> projects(new TAllScriptures());
    test_ = projects->FullNames->IndexOf("Test Project");
    earlier_ = projects->FullNames->IndexOf("Earlier Project");
  }
  int test_ = -1, earlier_ = -1;
};

TEST_F(PrintVersionsTest, ProducesVerseBlocksOfTheVersionsAndPrintsThem) {
  const std::string printing = temp_.Path() + "Printing\\";
  MyReg->SetPrintingFolder(printing);
  std::unique_ptr<TPrintVersionsDlg> dialog(new TPrintVersionsDlg(nullptr));
  for (TComboBox* box : dialog->VersionComboBoxes) {
    EXPECT_EQ(box->GetItems()->GetCount(), 2);
    EXPECT_EQ(box->GetItemIndex(), -1);
  }
  struct Step {
    std::string Status;
    Lines Text;
  };
  std::vector<Step> steps;
  auto note = [&] { steps.push_back({dialog->StatusBar1->GetSimpleText(), TextOf(dialog->UzurUvadEdit1)}); };
  Lines books, produced, producedAgain, sent;
  std::string fontName;
  Integer fontSize = 0;
  bool printed = false;
  RunModal(dialog.get(), [&](HWND wnd) {
    Choose(dialog->VersionComboBoxes[0], test_);
    note();
    books = ItemsOf(dialog->FileNamesComboBox);
    Choose(dialog->FileNamesComboBox, 0);  // Ruth
    note();
    Choose(dialog->VersionComboBoxes[2], earlier_);  // numbered second: the boxes between are skipped
    note();
    Choose(dialog->NewerComboBox, test_);
    Choose(dialog->OlderComboBox, earlier_);
    note();
    ProcessFor(50);
    SaveScreenshot(wnd, "print-versions-example");
    Click(wnd, "&Produce");
    note();
    produced = Blocks(dialog->UzurUvadEdit1);
    fontName = dialog->UVStyle1->GetTextStyles()->GetItem(1)->FontName;
    fontSize = dialog->UVStyle1->GetTextStyles()->GetItem(1)->Size;
    ProcessFor(50);
    SaveScreenshot(wnd, "print-versions");
    Click(wnd, "&Produce");
    producedAgain = Blocks(dialog->UzurUvadEdit1);

    WindowWatch list(
        "Ruth",
        [&](HWND results) {
          TPrintGeneralListDialog* window = OpenResultsWindow();
          if (!window) return;
          sent = Blocks(window->UzurUvadEdit1);
          SetForegroundWindow(results);
          ProcessFor(50);
          window->PDFDocument1->SetAutoLaunch(false);
          ProcessFor(50);
          SaveScreenshot(results, "print-versions-results");
          SendKeyEvents({{VK_CONTROL, false}, {'P', false}, {'P', true}, {VK_CONTROL, true}});
          // The application's own loop handles the menu's shortcut keys.
          for (int wait = 0; wait < 300 && !printed; ++wait) {
            ProcessFor(50);
            printed = window->StatusBar1->GetSimpleText() == "Ready printing";
          }
          PostMessageA(results, WM_CLOSE, 0, 0);
        },
        10000, "TPrintGeneralListDialog");
    Click(wnd, "&To editor");
    PumpUntil([&] { return list.Done(); });
    note();
    Click(wnd, "&OK");
  });

  EXPECT_EQ(books, (Lines{"Ruth", "Jonah"}));
  ASSERT_EQ(steps.size(), 6u);
  EXPECT_EQ(steps[0].Status, "Select a book");
  EXPECT_TRUE(steps[0].Text.empty());
  EXPECT_EQ(steps[1].Status, "Example produced");
  EXPECT_EQ(steps[1].Text, (Lines{"Example", "", "1: \\v 1 Now it came to pass in the days when the judges ruled."}));
  EXPECT_EQ(steps[2].Text, (Lines{"Example", "", "1: \\v 1 Now it came to pass in the days when the judges ruled.",
                                  "1: \\v 1 In the days of the judges."}));
  EXPECT_EQ(steps[3].Text, (Lines{"Example", "", "1: \\v 1 Now it came to pass in the days when the judges ruled.",
                                  "1: \\v 1 In the days of the judges.",
                                  "1: TST-EAR - comparison of newer and older versions"}));
  EXPECT_EQ(steps[4].Status, "Ready");
  EXPECT_EQ(steps[5].Status, "Ready");
  EXPECT_EQ(produced,
            (Lines{"TST \\id RUT / TST 1:\\c 1 / EAR 1:\\id RUT / EAR 1:\\c 1 / TST-EAR 1:\\id RUT / TST-EAR 1:\\c 1",
                   "TST 1:\\s Naomi and Ruth / TST 1:\\v 1 Now it came to pass in the days when the judges ruled. / "
                   "EAR 1:\\v 1 In the days of the judges. / TST-EAR 1:\\s Naomi and Ruth / "
                   "TST-EAR 1:\\v 1 Now it came to pass inIn the days when of the judges ruled.",
                   "TST 1:\\v 2 And the name of the man was Elimelech. / EAR 1:\\v 2 The man was Elimelech. / "
                   "TST-EAR 1:\\v 2 And theThe name of the man was Elimelech.",
                   "TST 2:\\c 2 / EAR 2:\\c 2 / TST-EAR 2:\\c 2",
                   "TST 2:\\v 1 And Naomi had a kinsman. / EAR 2:\\v 1 Naomi had a kinsman. / "
                   "TST-EAR 2:\\v 1 And Naomi had a kinsman."}));
  EXPECT_EQ(producedAgain, produced);
  EXPECT_EQ(fontName, "Courier New");
  EXPECT_EQ(fontSize, 14);
  EXPECT_EQ(sent, produced);

  // The PDF is sound and shows the versions' verses in order.
  const std::string pdf = printing + "List.pdf";
  ASSERT_TRUE(printed);
  ASSERT_TRUE(FileExists(pdf));
  pdf_test::ExpectSoundPdf(pdf);
  const pdf_checks::ToolResult text =
      pdf_checks::RunLinux("pdftotext '" + pdf_checks::UnixPath(pdf) + "' -", temp_.Path());
  std::string flat;
  // Lines joined and runs of blanks made one, so that a verse wrapped over lines reads whole.
  for (char c : text.Out) {
    if (c == '\n' || c == '\f') c = ' ';
    if (c != ' ' || (!flat.empty() && flat.back() != ' ')) flat += c;
  }
  std::size_t at = 0;
  for (const char* piece : {"Now it came to pass in the days when the judges ruled.", "In the days of the judges.",
                            "And the name of the man was Elimelech.", "The man was Elimelech.",
                            "And Naomi had a kinsman.", "Naomi had a kinsman."}) {
    const std::size_t found = flat.find(piece, at);
    EXPECT_NE(found, std::string::npos) << piece << "\n" << text.Out;
    if (found != std::string::npos) at = found + 1;
  }
  if (const char* shots = std::getenv("PELORIN_SCREENSHOTS"); shots && *shots) {
    const pdf_checks::Raster raster = pdf_checks::RenderPage(pdf, 1, 96);
    testing_support::SavePng({raster.Width, raster.Height, raster.Rgb}, std::string(shots) + "\\print-versions-pdf.png");
  }
}

TEST_F(PrintVersionsTest, VersionsOfAnotherVersificationOrWithoutALanguageFileAreAlignedAndPrinted) {
  DeleteFile(Projects() + "English.lds");
  // The original numbering's verse 1:3 is verse 1:2 in the English numbering of the first version.
  WriteProject("ORG", "Original Project", "", "ORG.SFM", "test.sty", "1");
  compare_testing::WriteLines(Projects() + "ORG\\RUTORG.SFM",
                              {"\\id RUT", "\\c 1", "\\v 1 One.", "\\v 3 Two in the original."});
  compare_testing::WriteLines(temp_.File("English.map"), {"RUT 1:3 - RUT 1:2"});
  std::unique_ptr<TAllScriptures> projects(new TAllScriptures());
  const int original = projects->FullNames->IndexOf("Original Project");
  const int current = projects->FullNames->IndexOf("Test Project");
  std::unique_ptr<TPrintVersionsDlg> dialog(new TPrintVersionsDlg(nullptr));
  Lines nothingChosen, produced;
  std::string status;
  RunModal(dialog.get(), [&](HWND wnd) {
    // Without a book nothing is produced.
    Click(wnd, "&Produce");
    nothingChosen = TextOf(dialog->UzurUvadEdit1);
    status = dialog->StatusBar1->GetSimpleText();
    Choose(dialog->VersionComboBoxes[0], current);
    Choose(dialog->FileNamesComboBox, 0);
    Choose(dialog->VersionComboBoxes[1], original);
    Click(wnd, "&Produce");
    produced = Blocks(dialog->UzurUvadEdit1);
    Click(wnd, "&OK");
  });
  EXPECT_TRUE(nothingChosen.empty());
  EXPECT_EQ(status, "Ready");
  ASSERT_GE(produced.size(), 3u);
  EXPECT_EQ(produced[1], "TST 1:\\s Naomi and Ruth / TST 1:\\v 1 Now it came to pass in the days when the judges ruled. / "
                         "ORG 1:\\v 1 One.");
  EXPECT_EQ(produced[2].rfind("TST 1:\\v 2 And the name of the man was Elimelech. / ORG 1:\\v 2 ", 0), 0u) << produced[2];
  EXPECT_NE(produced[2].find("Two in the original."), std::string::npos) << produced[2];
  // Without a language file the versions keep the form's font.
  for (Integer style : {1, 2}) EXPECT_EQ(dialog->UVStyle1->GetTextStyles()->GetItem(style)->FontName, "Times New Roman");
}

}  // namespace
