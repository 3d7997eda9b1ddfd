// The compare versions dialog, driven as a user drives it: projects and books chosen in its
// lists, the differences found and thumbed through line by line, all books compared on its timer,
// and the result sent to the results list window.
#include <memory>
#include <string>
#include <vector>

#include "app/Compare.h"
#include "app/tests/compare/CompareDialogsSupport.h"
#include "app/tests/support/LockedFile.h"
#include "core/ScripturesUnit.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/Timers.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEdit.h"

namespace {

using namespace compare_dialogs;
using namespace dialog_testing;
using testing_support::PumpUntil;
using testing_support::SaveScreenshot;

// Ruth in two chapters of 40 verses, so that the result is much taller than the window.
Lines Ruth() {
  Lines lines = {"\\id RUT", "\\c 1", "\\p"};
  for (int v = 1; v <= 40; ++v) lines.push_back("\\v " + std::to_string(v) + " And the woman went on her way.");
  lines.insert(lines.end(), {"\\c 2", "\\v 1 And Naomi had a kinsman of her husband's."});
  for (int v = 2; v <= 40; ++v) lines.push_back("\\v " + std::to_string(v) + " And Boaz went up to the gate.");
  return lines;
}

class CompareDialogTest : public CompareDialogsTest {
protected:
  void SetUp() override {
    CompareDialogsTest::SetUp();
    WriteSettingString("Date format", "yyyy-mm-dd");
    Lines current = Ruth();
    current[3] = "\\v 1 And the woman went on her road.";           // a word changed: four changes on a line
    current[32] = "\\v 30 And the woman went on her way gladly.";   // a word added
    current[44] = "\\v 1 And naomi had a kinsman of her husband's.";  // letter case
    WriteTestBook("RUT", current);
    WriteEarlierBook("RUT", Ruth());
    WriteTestBook("JON", {"\\id JON", "\\c 1", "\\v 1 Now the word of the LORD came."});
    WriteEarlierBook("JON", {"\\id JON", "\\c 1", "\\v 1 Now the word of the Lord came."});
    // Only the current project has Genesis; the earlier one has a single line of Esther.
    WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\v 1 In the beginning."});
    WriteTestBook("EST", {"\\id EST", "\\c 1", "\\v 1 Now it came to pass."});
    WriteEarlierBook("EST", {"\\id EST"});
  }
};

TEST_F(CompareDialogTest, FindsThumbsThroughAndHandsOnTheDifferences) {
  MyReg->SetCompareBook("Ruth");
  MyReg->SetCompareEarlierVersion("Earlier Project");
  std::unique_ptr<TCompareDlg> dialog(new TCompareDlg(nullptr));
  // The projects and the stored choices are shown at once.
  std::unique_ptr<TAllScriptures> projects(new TAllScriptures());
  EXPECT_EQ(ItemsOf(dialog->CurrentComboBox), app_testing::ItemsOf(projects->FullNames));
  EXPECT_EQ(dialog->CurrentComboBox->GetText(), "Test Project");
  EXPECT_EQ(ItemsOf(dialog->FilenamesComboBox), (Lines{"Genesis", "Ruth", "Esther", "Jonah", "Compare all books"}));
  EXPECT_EQ(dialog->FilenamesComboBox->GetText(), "Ruth");
  EXPECT_EQ(dialog->EarlierComboBox->GetText(), "Earlier Project");
  EXPECT_EQ(dialog->UzurUvad1->GetItemCount(), 84);
  EXPECT_EQ(TextOf(dialog->UzurUvad2), Ruth());

  Lines thumbs;
  std::vector<bool> inView;
  bool sentOn = false, sentAddedBold = false, sentRemovedStruck = false;
  Lines sentText;
  std::string sentCaption, sentTitle;
  RunModal(dialog.get(), [&](HWND wnd) {
    SaveScreenshot(wnd, "compare-versions");
    PressKey('F', true);  // Alt+F: "&Find differences"
    ProcessFor(100);
    SaveScreenshot(wnd, "compare-versions-differences");
    // Every change shown lies in view, 30 pixels below the top; changes on the line shown pass.
    for (int click = 0; click < 5; ++click) {
      PressKey('T', true);  // Alt+T: "&Thumb through differences"
      thumbs.push_back(dialog->StatusBar1->GetSimpleText());
      Integer left = 0, top = 0;
      VUzurUvadEdit* editor = dialog->CompareUzurUvadEdit;
      bool shown = false;
      for (Integer i = 0; i < dialog->ChangePositions->GetCount(); ++i) {
        editor->GetItemCoords(StrToInt(dialog->ChangePositions->GetStrings(i)), left, top);
        const Integer below = top - editor->GetVOffs();
        if (top == 0 || below < 20 || below > 40) continue;
        shown = true;
      }
      inView.push_back(shown);
    }
    WindowWatch list(
        "Compare versions",
        [&](HWND results) {
          ProcessFor(100);
          SaveScreenshot(results, "compare-versions-results");
          if (TPrintGeneralListDialog* window = OpenResultsWindow()) {
            sentOn = true;
            sentText = TextOf(window->UzurUvadEdit1);
            sentCaption = window->GetCaption();
            sentTitle = window->Title;
            // The marks keep their look: the styles go with the text.
            VUzurUvad* text = window->UzurUvadEdit1;
            TFontInfos* styles = window->UVStyle1->GetTextStyles();
            for (Integer i = 0; i < text->GetItemCount(); ++i) {
              const TFontStyles look = styles->GetItem(text->GetItemStyle(i))->Style;
              if (text->GetItemText(i) == "road") sentAddedBold = look.Contains(fsBold);
              if (text->GetItemText(i) == "way" && text->GetItemStyle(i) != 0) sentRemovedStruck = look.Contains(fsStrikeOut);
            }
          }
          PostMessageA(results, WM_CLOSE, 0, 0);
        },
        10000, "TPrintGeneralListDialog");
    PressKey('C', true);  // Alt+C: "&Copy result to editor"
    PumpUntil([&] { return list.Done(); });
    ProcessFor(100);
    Click(wnd, "&OK");
  });

  // The result: header, legend, the book with its marks, and the count.
  const Lines result = TextOf(dialog->CompareUzurUvadEdit);
  ASSERT_GT(result.size(), 10u);
  const Lines head(result.begin(), result.begin() + 10);
  EXPECT_EQ(head, (Lines{FormatDateTime("yyyy-mm-dd", Date()),
                         "Comparison between the current version (Test Project) and an earlier version (Earlier "
                         "Project) of Ruth.",
                         "", "Words added to the current version are marked like this: Word added", "",
                         "Words removed from the current version are marked like this: Word removed", "", "",
                         "\\id RUT", "\\c 1"}));
  EXPECT_EQ(result[11], "\\v 1 And the woman went on her road.way.");
  const Lines tail(result.end() - 3, result.end());
  EXPECT_EQ(tail, (Lines{"", "Comparison finished - 7 changes.", ""}));
  EXPECT_EQ(dialog->ChangeCount, 7);
  // Three lines hold changes: three clicks show them, the fourth finds the end, the fifth begins again.
  EXPECT_EQ(thumbs, (Lines{"Viewing next change(s)", "Viewing next change(s)", "Viewing next change(s)",
                           "End reached", "Viewing next change(s)"}));
  EXPECT_EQ(inView, (std::vector<bool>{true, true, true, true, true}));
  EXPECT_TRUE(sentOn);
  EXPECT_EQ(sentCaption, "Compare versions");
  EXPECT_EQ(sentTitle, "Comparison of Ruth");
  EXPECT_EQ(sentText, result);
  EXPECT_TRUE(sentAddedBold);
  EXPECT_TRUE(sentRemovedStruck);
  EXPECT_EQ(MyReg->GetCompareBook(), "Ruth");
  EXPECT_EQ(MyReg->GetCompareEarlierVersion(), "Earlier Project");
}

TEST_F(CompareDialogTest, ComparesAllBooksIntoOneDocument) {
  MyReg->SetCompareBook("Jonah");
  MyReg->SetCompareEarlierVersion("Earlier Project");
  std::unique_ptr<TCompareDlg> dialog(new TCompareDlg(nullptr));
  std::string finalStatus;
  RunModal(dialog.get(), [&](HWND wnd) {
    Choose(dialog->FilenamesComboBox, 4);  // "Compare all books"
    PumpUntil([&] { return dialog->StatusBar1->GetSimpleText().rfind("Ready comparing all books", 0) == 0; }, 60000);
    finalStatus = dialog->StatusBar1->GetSimpleText();
    SaveScreenshot(wnd, "compare-versions-all-books");
    Click(wnd, "&OK");
  });
  EXPECT_EQ(finalStatus, "Ready comparing all books - 9 changes");
  EXPECT_FALSE(dialog->AllTimer->GetEnabled());
  EXPECT_EQ(dialog->FilenamesComboBox->GetText(), "Compare all books");
  // Genesis (not in the earlier project) and Esther (a single line there) are passed over.
  const Lines result = TextOf(dialog->CompareUzurUvadEdit);
  Lines headers, closings;
  for (const std::string& p : result) {
    if (p.rfind("Comparison between", 0) == 0) headers.push_back(p.substr(p.rfind(' ') + 1));
    if (p.rfind("Comparison finished", 0) == 0) closings.push_back(p);
  }
  EXPECT_EQ(headers, (Lines{"Ruth.", "Jonah."}));
  EXPECT_EQ(closings, (Lines{"Comparison finished - 7 changes.", "Comparison finished - 2 changes."}));
  // The positions of both books point at marked items of the one document.
  ASSERT_EQ(dialog->ChangePositions->GetCount(), 9);
  for (Integer i = 0; i < dialog->ChangePositions->GetCount(); ++i)
    EXPECT_NE(dialog->CompareUzurUvadEdit->GetItemStyle(StrToInt(dialog->ChangePositions->GetStrings(i))), 0) << i;
  // The book chosen before stays stored.
  EXPECT_EQ(MyReg->GetCompareBook(), "Jonah");
}

TEST_F(CompareDialogTest, SaysWhatIsMissingBeforeComparing) {
  WriteProject("NON", "Empty Project", "", "NON.SFM");
  struct Row {
    const char* Name;
    const char* Current;  // project
    const char* Book;
    const char* Earlier;  // project, or "" for none
    Lines EarlierShown;
    std::string Status;            // after choosing
    Lines Result;                  // after "&Find differences", from the first line on
  } rows[] = {
      {"the same project twice", "Test Project", "Jonah", "Test Project",
       {"\\id JON", "\\c 1", "\\v 1 Now the word of the LORD came."}, "Viewing versions",
       {"", "Note: the current version has been compared with itself, as both filenames are the same.", "",
        "Words added to the current version are marked like this: Word added"}},
      {"no earlier version", "Test Project", "Jonah", "", {"Select an earlier version first"}, "Loading older version ...",
       {"Load the current version and the earlier version first."}},
      {"a book the earlier version lacks", "Test Project", "Genesis", "Earlier Project", {},
       "Genesis does not exist in the earlier version.", {"Load the current version and the earlier version first."}},
      {"a project without books", "Empty Project", "", "Earlier Project", {}, "No files found",
       {"Load the current version and the earlier version first."}},
  };
  for (const Row& r : rows) {
    MyReg->SetCompareBook(r.Book);
    MyReg->SetCompareEarlierVersion(r.Earlier);
    MyReg->SetCurrentProject(r.Current);
    std::unique_ptr<TCompareDlg> dialog(new TCompareDlg(nullptr));
    std::string status;
    Lines earlierShown, result;
    RunModal(dialog.get(), [&](HWND wnd) {
      status = dialog->StatusBar1->GetSimpleText();
      earlierShown = TextOf(dialog->UzurUvad2);
      Click(wnd, "&Find differences");
      result = TextOf(dialog->CompareUzurUvadEdit);
      Click(wnd, "&OK");
    });
    EXPECT_EQ(status, r.Status) << r.Name;
    EXPECT_EQ(earlierShown, r.EarlierShown) << r.Name;
    if (r.Result.size() == 1) {
      EXPECT_EQ(result, r.Result) << r.Name;
    } else {
      ASSERT_GE(result.size(), 2 + r.Result.size()) << r.Name;
      EXPECT_EQ(Lines(result.begin() + 2, result.begin() + 2 + r.Result.size()), r.Result) << r.Name;
      EXPECT_EQ(result[result.size() - 2], "Comparison finished - 0 changes.") << r.Name;
    }
  }
}

// A version that another program holds open without sharing: the dialog says which book and file
// could not be read and why, when the book is chosen and again when the differences are asked for.
TEST_F(CompareDialogTest, ALockedVersionIsNamedWithTheReason) {
  struct Row {
    const char* Name;
    std::string Locked;
  } rows[] = {
      {"the current version", BookPath("RUT")},
      {"the earlier version", Projects() + "EAR\\RUTEAR.SFM"},
  };
  for (const Row& r : rows) {
    MyReg->SetCompareBook("Ruth");
    MyReg->SetCompareEarlierVersion("Earlier Project");
    app_testing::LockedFile lock(r.Locked);
    ASSERT_TRUE(lock.Locked()) << r.Name;
    std::unique_ptr<TCompareDlg> dialog(new TCompareDlg(nullptr));
    std::string status, statusAfter;
    Lines result;
    RunModal(dialog.get(), [&](HWND wnd) {
      status = dialog->StatusBar1->GetSimpleText();
      Click(wnd, "&Find differences");
      ProcessFor(100);
      result = TextOf(dialog->CompareUzurUvadEdit);
      statusAfter = dialog->StatusBar1->GetSimpleText();
      SaveScreenshot(wnd, "compare-versions-locked");
      Click(wnd, "&OK");
    });
    const std::string message = "The book Ruth could not be read from the file " + r.Locked + ": " +
                                app_testing::SharingViolationText() + ".";
    EXPECT_EQ(status, message) << r.Name;
    EXPECT_EQ(result, Lines{message}) << r.Name;
    EXPECT_EQ(statusAfter, message) << r.Name;
  }
}

}  // namespace
