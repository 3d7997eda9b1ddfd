// The print settings ("Settings for printing"), driven with clicks and keys: what it shows, what
// "&OK" stores (and "Cancel" does not), the headings of the books and the extra pages' buttons.
#include <string>

#include "app/tests/printing/PrintingSupport.h"
#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "controls/VisExtSpinEdit.h"
#include "richtext/edit/UVEdit.h"
#include "tools/BookHeadings.h"
#include "tools/ExtraPages.h"

namespace {

using namespace printing_testing;
using namespace dialog_testing;
using testing_support::SaveScreenshot;

// Answers the folder browser with a folder and the file dialog with a file.
class ChoiceResponder : public TDialogResponder {
public:
  ChoiceResponder(std::string folder, std::string file) : folder_(std::move(folder)), file_(std::move(file)) {
    previous_ = SetDialogResponder(this);
  }
  ~ChoiceResponder() override { SetDialogResponder(previous_); }
  bool SelectDirectory(const AnsiString&, const AnsiString&, AnsiString& Directory) override {
    StartedAt.push_back(Directory);
    Directory = folder_;
    return true;
  }
  bool Execute(TCommonDialog* dialog) override {
    auto* open = dynamic_cast<TOpenDialog*>(dialog);
    if (!open) return false;
    Filter = open->Filter;
    DefaultExt = open->DefaultExt;
    StartedAt.push_back(open->FileName);
    open->FileName = file_;
    return true;
  }
  std::vector<std::string> StartedAt;
  std::string Filter, DefaultExt;

private:
  std::string folder_, file_;
  TDialogResponder* previous_;
};

class BibleSettingsTest : public PrintingTest {
protected:
  std::string HeadingsPath() const { return WorkFolder() + "HeadingsOfBooks.txt"; }
  void TearDown() override {
    BookHeadings = DefaultBookHeadings();
    PrintingTest::TearDown();
  }
  // Shows a page of the dialog, as a click on its tab does.
  static void ShowPage(TBibleSettingsDialog* dialog, Integer page) {
    dialog->PageControl1->SetActivePageIndex(page);
    ProcessFor(50);
  }
  // Clicks an entry of a list box where it is shown.
  static void ClickEntry(TListBox* list, Integer index) {
    RECT rect{};
    SendMessageA(list->GetHandle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    testing_support::MouseClick(list->GetHandle(), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ProcessFor(100);
  }
};

TEST_F(BibleSettingsTest, OpeningShowsTheSettingsAndWritesTheMissingHeadingsFile) {
  MyReg->SetPaperSize(0);
  MyReg->SetLeftMargin(30);
  MyReg->SetMirrorMargins(true);
  MyReg->SetPrintLastPages(true);
  MyReg->SetHyphenationRule(2);
  MyReg->SetEBookFontSize(4);
  WriteSettingString("Line spacing", "120");
  WriteSettingString("Heading in All Caps", "T");
  testing_support::WriteFileBytes(WorkFolder() + "HyphenatedWords.txt", "Je-ru-sa-lem\r\nBeth-le-hem\r\n");
  auto dialog = std::make_unique<TBibleSettingsDialog>(nullptr);
  RunModal(dialog.get(), [&](HWND wnd) {
    EXPECT_EQ(dialog->PageControl1->GetActivePage(), dialog->PageSetupSheet);
    EXPECT_EQ(dialog->PaperSizeComboBox->GetText(), "Letter");
    EXPECT_EQ(dialog->PaperSizeComboBox->GetItems()->GetCount(), 19);
    EXPECT_EQ(dialog->LeftMarginEdit->GetText(), "30 mm");
    EXPECT_EQ(dialog->TopMarginEdit->GetAsInteger(), 25);
    EXPECT_TRUE(dialog->MirrorCheckBox->GetChecked());
    EXPECT_EQ(dialog->Edit5->GetText(), "120");
    EXPECT_EQ(dialog->PDFFolderButton->GetCaption(), Printing());
    SaveScreenshot(wnd, "print-settings-page-setup");
    const char* sheets[] = {"print-settings-headers", "print-settings-extra-pages", "print-settings-hyphenation",
                            "print-settings-ebook"};
    for (int page = 1; page <= 4; ++page) {
      dialog->PageControl1->SetActivePageIndex(page);
      ProcessFor(100);
      SaveScreenshot(wnd, sheets[page - 1]);
    }
    EXPECT_EQ(dialog->HeadersListBox->GetItems()->GetCount(), 66);
    EXPECT_EQ(dialog->HeadersListBox->GetItems()->GetStrings(0), "Genesis");
    EXPECT_EQ(dialog->HeadingEdit->GetText(), "");
    EXPECT_TRUE(dialog->AllCapsCheckBox->GetChecked());
    EXPECT_TRUE(dialog->DateCheckBox->GetChecked());
    EXPECT_FALSE(dialog->PageButtons[epCover]->GetEnabled());
    EXPECT_TRUE(dialog->PageButtons[epLast]->GetEnabled());
    EXPECT_EQ(dialog->HyphenationGroup->GetItemIndex(), 2);
    EXPECT_EQ(dialog->NoHyphNumberEdit->GetText(), "3");
    EXPECT_EQ(dialog->VowelsEdit->GetText(), "aeiouAEIOU");
    EXPECT_EQ(dialog->HyphenUzurUvadEdit->GetItemCount(), 2);
    EXPECT_EQ(dialog->HyphenUzurUvadEdit->GetItemText(1), "Beth-le-hem");
    EXPECT_EQ(dialog->eBookFontSizeLabel->GetCaption(), "Font size of the ebook: largest");
    Click(wnd, "Cancel");
  });
  const Lines headings = app_testing::FileLines(HeadingsPath());
  ASSERT_EQ(headings.size(), 66u);
  EXPECT_EQ(headings.front(), "GENGenesis");
  EXPECT_EQ(headings.back(), "REVRevelation");
}

TEST_F(BibleSettingsTest, OkStoresEverySettingAndTheFiles) {
  ChoiceResponder responder(temp_.Path() + "Out", "C:\\Builder\\Build.exe");
  const std::string eBooks = MyReg->GetEBooksFolder();
  auto dialog = std::make_unique<TBibleSettingsDialog>(nullptr);
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    Click(wnd, "&Mirror left and right margins for double sided printing");
    dialog->PaperSizeComboBox->SetItemIndex(8);
    dialog->TopMarginEdit->SetValue(10);
    dialog->RightMarginEdit->SetValue(95);  // held to 70
    dialog->UpDown5->SetPosition(150);
    SendMessageA(dialog->PDFFolderButton->GetHandle(), BM_CLICK, 0, 0);
    ShowPage(dialog.get(), 2);
    Click(wnd, "Allow printing &cover page(s)");
    Click(wnd, "Allow printing &NT title page(s)");
    ShowPage(dialog.get(), 3);
    Click(wnd, "Hyphenate at transition from vowel to consonant");
    dialog->NoHyphNumberUpDown->SetPosition(4);
    dialog->ConsonantsEdit->SetText("bcd");
    dialog->HyphenUzurUvadEdit->SetFocus();
    TypeText("Na-za-reth");
    ShowPage(dialog.get(), 4);
    SendMessageA(dialog->eBookButton->GetHandle(), BM_CLICK, 0, 0);
    SendMessageA(dialog->ReaderWorksButton->GetHandle(), BM_CLICK, 0, 0);
    dialog->FontSizeTrackBar->SetPosition(0);
    EXPECT_EQ(dialog->eBookFontSizeLabel->GetCaption(), "Font size of the ebook: smallest");
    ShowPage(dialog.get(), 1);
    Click(wnd, "Include the current &date in the header of every page");
    Click(wnd, "&OK");
  });
  EXPECT_EQ(result, mrOk);
  const auto stored = StoredSettings();
  const std::map<std::string, std::string> expected = {
      {"B6", "-1"},  {"Line spacing", "150"}, {"Include date", "F"}, {"Heading in All Caps", "F"},
      {"B4", "-1"},  {"B11", "-1"},           {"I2", "1"},           {"I5", "4"},
      {"S4", "bcd"}, {"S10", temp_.Path() + "Out"}, {"I6", "0"},     {"S11", temp_.Path() + "Out\\"},
      {"I8", "10"},  {"I11", "70"},          {"I12", "8"},          {"S12", "C:\\Builder\\Build.exe"},
  };
  for (const auto& [name, value] : expected) EXPECT_EQ(stored.count(name) ? stored.at(name) : "(none)", value) << name;
  // Unchanged values are not written again.
  EXPECT_EQ(stored.count("B7"), 0u);
  EXPECT_EQ(testing_support::ReadFileBytes(WorkFolder() + "HyphenatedWords.txt"), "Na-za-reth");
  EXPECT_EQ(app_testing::FileLines(HeadingsPath()).size(), 66u);
  // Each browser starts at what its button shows.
  EXPECT_EQ(responder.StartedAt,
            (std::vector<std::string>{Printing(), eBooks, "C:\\Program Files\\OverDrive ReaderWorks\\RWStan.exe"}));
  EXPECT_EQ(responder.Filter, "Program Files|*.exe");
  EXPECT_EQ(responder.DefaultExt, "*.exe");
}

TEST_F(BibleSettingsTest, CancelChangesNothing) {
  LoadBookHeadings();
  const auto before = StoredSettings();
  const std::string headings = testing_support::ReadFileBytes(HeadingsPath());
  ChoiceResponder responder(temp_.Path() + "Out", "C:\\Builder\\Build.exe");
  auto dialog = std::make_unique<TBibleSettingsDialog>(nullptr);
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    Click(wnd, "&Mirror left and right margins for double sided printing");
    SendMessageA(dialog->PDFFolderButton->GetHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog->PDFFolderButton->GetCaption(), temp_.Path() + "Out");
    ShowPage(dialog.get(), 1);
    ClickEntry(dialog->HeadersListBox, 0);
    dialog->HeadingEdit->SetFocus();
    TypeText("X");
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(StoredSettings(), before);
  EXPECT_EQ(testing_support::ReadFileBytes(HeadingsPath()), headings);
  EXPECT_FALSE(FileExists(WorkFolder() + "HyphenatedWords.txt"));
}

TEST_F(BibleSettingsTest, AHeadingChangedInItsEntryIsWrittenAndInForce) {
  auto dialog = std::make_unique<TBibleSettingsDialog>(nullptr);
  RunModal(dialog.get(), [&](HWND wnd) {
    ShowPage(dialog.get(), 1);
    ClickEntry(dialog->HeadersListBox, 1);
    EXPECT_EQ(dialog->HeadingEdit->GetText(), "Exodus");
    dialog->HeadingEdit->SetFocus();
    SendMessageA(dialog->HeadingEdit->GetHandle(), EM_SETSEL, 0, -1);
    TypeText("The Way Out");
    // The entry follows every key at once, and stays chosen.
    EXPECT_EQ(dialog->HeadersListBox->GetItems()->GetStrings(1), "The Way Out");
    EXPECT_EQ(dialog->HeadersListBox->GetItemIndex(), 1);
    SaveScreenshot(wnd, "print-settings-heading-changed");
    Click(wnd, "&OK");
  });
  EXPECT_EQ(app_testing::FileLines(HeadingsPath()).at(1), "EXOThe Way Out");
  EXPECT_EQ(BookHeading(2), "The Way Out");
}

TEST_F(BibleSettingsTest, EachEditButtonFollowsItsCheckBox) {
  MyReg->SetPrintCoverPages(true);
  auto dialog = std::make_unique<TBibleSettingsDialog>(nullptr);
  RunModal(dialog.get(), [&](HWND wnd) {
    ShowPage(dialog.get(), 2);
    EXPECT_TRUE(dialog->PageButtons[epCover]->GetEnabled());
    Click(wnd, "Allow printing &cover page(s)");
    EXPECT_FALSE(dialog->PageButtons[epCover]->GetEnabled());
    Click(wnd, "Allow printing O&T title page(s)");
    EXPECT_TRUE(dialog->PageButtons[epOTTitle]->GetEnabled());
    Click(wnd, "Cancel");
  });
}

}  // namespace
