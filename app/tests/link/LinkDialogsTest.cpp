// The windows of the link: the tasks dialog that shows what the links do, and the save-book
// dialog that keeps a book Paratext has open from being overwritten.
#include <memory>
#include <string>

#include "app/ProgramsLink.h"
#include "app/ReferenceExchangeRun.h"
#include "app/IdleWait.h"
#include "app/SaveBookDialogUnit.h"
#include "app/SpellingHelperState.h"
#include "app/TasksDialogUnit.h"
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/DialogDriver.h"
#include "app/tests/support/FakeHost.h"
#include "classlib/StdCtrls.h"

namespace {

using namespace dialog_testing;
using app_testing::ItemsOf;
using app_testing::Lines;
using testing_support::SaveScreenshot;

struct QuietPeers : TLinkPeers {
  bool WindowExists(const AnsiString&) override { return false; }
  AnsiString FocusReference() override { return {}; }
  bool BibleWorksLinked() override { return Linked; }
  bool OpenBibleWorksLink(const AnsiString&, const AnsiString&) override { return false; }
  void SendToBibleWorks(const AnsiString&) override {}
  AnsiString AskBibleWorks(const AnsiString&) override { return {}; }
  bool Linked = false;
};

class LinkDialogsTest : public app_testing::AppTest {
protected:
  // Waits for the dialog's next refresh.
  static void Refresh() { ProcessFor(250); }
};

TEST_F(LinkDialogsTest, TasksDialogShowsWhatTheLinksDo) {
  CreateDirectoryA(Projects().c_str(), nullptr);
  WriteSettingString("BibleWorks Folder", temp_.Path() + "BibleWorks 5");
  BuildRefFolders();
  QuietPeers peers;
  TProgramsLink link(peers, "bw500");
  TIdleWaits waits(nullptr, false);
  TReferenceExchangeRun exchange(waits, nullptr);
  TSpellingHelperState helper;
  std::unique_ptr<TTasksDlg> dialog(new TTasksDlg(nullptr, link, exchange, helper));

  auto shown = [&] {
    return Lines{dialog->ParatextLabel->GetCaption(),   dialog->ParatextReferenceLabel->GetCaption(),
                 dialog->BibleWorksLabel->GetCaption(), dialog->BibleWorksVerseLabel->GetCaption(),
                 dialog->HelperLabel->GetCaption(),     dialog->HelperStatusLabel->GetCaption()};
  };
  Lines atStart, contacting, linked, folders, memo;
  const Integer result = RunModal(dialog.get(), [&](HWND) {
    atStart = shown();
    folders = {dialog->ParatextFolderLabel->GetCaption(), dialog->BibleWorksFolderLabel->GetCaption()};
    link.BibleWorksRunning = true;
    Refresh();
    contacting = shown();
    peers.Linked = true;
    link.BibleWorksVerse = "KJV Mat 5:3";
    link.ParatextRunning = true;
    link.FocusReference = "MAT 5:3";
    exchange.ParatextToBibleWorksMessage = "2:05:09 PM: Conversion Paratext -> BibleWorks";
    exchange.BibleWorksToParatextMessage = "2:06:00 PM: Conversion BibleWorks -> Paratext";
    helper.Linked = true;
    helper.Status = "Enquiring about Bethsaida";
    Refresh();
    linked = shown();
    memo = ItemsOf(dialog->ConversionsMemo->GetLines());
    SaveScreenshot(dialog->GetHandle(), "tasks");
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(atStart, (Lines{"Paratext is not running", "", "BibleWorks is not running", "",
                            "No connection has been established", "None"}));
  EXPECT_EQ(contacting[2], "Contacting BibleWorks ...");
  EXPECT_EQ(contacting[3], "");
  EXPECT_EQ(linked, (Lines{"Paratext is running", "Paratext displays MAT 5:3", "Connection with BibleWorks established",
                           "BibleWorks displays Mat 5:3", "Connection has been established",
                           "Enquiring about Bethsaida"}));
  EXPECT_EQ(folders, (Lines{"Paratext folder is " + Projects() + " - monitoring pelorin.ref",
                            "BibleWorks folder is " + temp_.Path() + "BibleWorks 5 - does not exist"}));
  EXPECT_EQ(memo, (Lines{"2:05:09 PM: Conversion Paratext -> BibleWorks", "2:06:00 PM: Conversion BibleWorks -> Paratext"}));
}

// --- Save book -------------------------------------------------------------------------------------

const char kParatextHasIt[] =
    "Paratext is running and has Genesis opened. Saving this file would overwrite Paratext's file. You can close "
    "Paratext or go to another book within Paratext.";

class SaveBookTest : public LinkDialogsTest {
protected:
  app_testing::FakeHost host_;
};

TEST_F(SaveBookTest, WhileParatextShowsTheBookTheUserDecides) {
  struct Row {
    const char* Name;
    WORD Key;  // pressed with Alt, or Escape
    Integer Result;
    bool Save;
  } rows[] = {{"Alt+Y saves", 'Y', mrYes, true}, {"Alt+N does not", 'N', mrNo, false}, {"Escape does not", VK_ESCAPE, mrNo, false}};
  for (const Row& r : rows) {
    host_.Paratext = true;
    host_.Focus = "GEN 3:1";
    std::unique_ptr<TParatextIsRunningDialog> dialog(new TParatextIsRunningDialog(nullptr, host_, 1));
    std::string message;
    bool buttonsShown = false;
    const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
      message = dialog->MessageLabel->GetCaption();
      buttonsShown = IsWindowVisible(Child(wnd, "&Yes")) && IsWindowVisible(Child(wnd, "&No")) &&
                     dialog->QuestionLabel->GetVisible();
      if (r.Key == 'Y') SaveScreenshot(wnd, "save-book");
      PressKey(r.Key, r.Key != VK_ESCAPE);
    });
    EXPECT_EQ(result, r.Result) << r.Name;
    EXPECT_EQ(dialog->SaveBook, r.Save) << r.Name;
    EXPECT_EQ(message, kParatextHasIt) << r.Name;
    EXPECT_TRUE(buttonsShown) << r.Name;
  }
}

TEST_F(SaveBookTest, WhenParatextLetsGoOfTheBookItIsSaved) {
  struct Row {
    const char* Name;
    bool Running;
    const char* Focus;
  } rows[] = {{"Paratext closed", false, "GEN 3:1"}, {"Paratext at another book", true, "EXO 1:1"}};
  for (const Row& r : rows) {
    host_.Paratext = true;
    host_.Focus = "GEN 3:1";
    std::unique_ptr<TParatextIsRunningDialog> dialog(new TParatextIsRunningDialog(nullptr, host_, 1));
    // The dialog closes by itself at its watch timer's next tick; RunModal's guard fails a
    // dialog that is left open.
    const Integer result = RunModal(dialog.get(), [&](HWND) {
      host_.Paratext = r.Running;
      host_.Focus = r.Focus;
    });
    EXPECT_EQ(result, mrOk) << r.Name;
    EXPECT_TRUE(dialog->SaveBook) << r.Name;
  }
}

TEST_F(SaveBookTest, ABookParatextDoesNotShowIsSavedAtOnce) {
  host_.Paratext = true;
  host_.Focus = "MAT 5:3";
  std::unique_ptr<TParatextIsRunningDialog> dialog(new TParatextIsRunningDialog(nullptr, host_, 1));
  std::string message;
  bool buttonsShown = true;
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    message = dialog->MessageLabel->GetCaption();
    buttonsShown = IsWindowVisible(Child(wnd, "&Yes")) || IsWindowVisible(Child(wnd, "&No")) ||
                   dialog->QuestionLabel->GetVisible();
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(message, "Saving Genesis ...");
  EXPECT_FALSE(buttonsShown);
  EXPECT_TRUE(dialog->SaveBook);
}

}  // namespace
