// The seven consistency lists opened from the main window's menu "Text checking", "Consistency
// checks": each with its caption, language, groups and files.
#include <memory>

#include "app/FloraAndFaunaUnit.h"
#include "app/UnitMain.h"
#include "app/tests/consistency/ConsistencyTestSupport.h"
#include "classlib/Menus.h"

namespace {

using namespace consistency_testing;
using testing_support::PumpUntil;

bool NoProgramStarted(const AnsiString&) { return true; }

class ConsistencyMenuTest : public ConsistencyTest {
protected:
  void SetUp() override {
    ConsistencyTest::SetUp();
    StartProgram = &NoProgramStarted;
  }
  void TearDown() override {
    delete form_;
    ConsistencyTest::TearDown();
  }
  TMainScreen* form_ = nullptr;
};

TEST_F(ConsistencyMenuTest, EachListOpensWithItsCaptionLanguageGroupsAndFiles) {
  WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\p", "\\v 1 In the beginning."});
  form_ = new TMainScreen(Application);
  form_->AfterConstruction();
  form_->Show();
  struct Row {
    const char* Item;
    const char* Caption;
    const char* Label;
    Integer Groups;
    const char* Files[3];
    Integer Kind;
  } rows[] = {
      {"FloraFaunaOT1", "Flora and fauna of the Old Testament", "Hebrew:", 13,
       {"ffotref.txt", "ffotdef.txt", "FloraFaunaOTTranslation.txt"}, 1},
      {"FloraFaunaNT1", "Flora and fauna of the New Testament", "Greek:", 13,
       {"ffntref.txt", "ffntdef.txt", "FloraFaunaNTTranslation.txt"}, 1},
      {"BorrowedWordsNT1", "Borrowed words in the New Testament", "Greek:", 2,
       {"bwntref.txt", "bwntdef.txt", "BorrowedWordsNTTranslation.txt"}, 2},
      {"KeywordsOT1", "Keywords of the Old Testament", "Hebrew:", 9,
       {"kwotref.txt", "kwotdef.txt", "KeyWordsOTTranslation.txt"}, 3},
      {"KeywordsNT1", "Keywords of the New Testament", "Greek:", 9,
       {"kwntref.txt", "kwntdef.txt", "KeyWordsNTTranslation.txt"}, 3},
      {"NamesOT1", "Names of the Old Testament", "Hebrew:", 3, {"NamesOTRef.txt", "NamesOTDef.txt", "NamesOTTranslation.txt"}, 4},
      {"NamesNT1", "Names of the New Testament", "Hebrew:", 3, {"NamesNTRef.txt", "NamesNTDef.txt", "NamesNTTranslation.txt"}, 4},
  };
  for (const Row& r : rows) {
    auto* item = static_cast<TMenuItem*>(form_->FindComponent(r.Item));
    ASSERT_TRUE(item) << r.Item;
    EXPECT_TRUE(item->GetEnabled()) << r.Item;
    Lines seen;
    WindowWatch list(r.Caption, [&](HWND wnd) {
      auto* dialog = dynamic_cast<TFloraAndFaunaDlg*>(FindControl(wnd));
      ASSERT_TRUE(dialog);
      seen = {dialog->OriginalLanguageLabel->GetCaption(), std::to_string(dialog->GroupComboBox->GetItems()->GetCount()),
              dialog->ReferenceFileName, dialog->DefinitionFileName, dialog->TranslationFileName,
              std::to_string(dialog->ListKind)};
      if (std::string(r.Item) == "KeywordsOT1") {
        SetForegroundWindow(wnd);
        ChooseLine(dialog->GroupComboBox, 2);
        seen.push_back(dialog->TargetEdit->GetText());
        testing_support::SaveScreenshot(wnd, "consistency-list-from-menu");
      }
      PostMessageA(wnd, WM_CLOSE, 0, 0);
    });
    PostMessageA(form_->GetHandle(), WM_COMMAND, item->GetCommand(), 0);
    ASSERT_TRUE(PumpUntil([&] { return list.Done() && !testing_support::FindOwnWindow(r.Caption); }, 30000)) << r.Item;
    Lines expected = {r.Label, std::to_string(r.Groups), ProgramFolder + r.Files[0], ProgramFolder + r.Files[1],
                      WorkFolder() + r.Files[2], std::to_string(r.Kind)};
    // The project's translations are read from its work folder.
    if (std::string(r.Item) == "KeywordsOT1") expected.push_back("Gott");
    EXPECT_EQ(seen, expected) << r.Item;
  }

  // A project without a work folder gets one, for the translations to be saved in.
  testing_support::RemoveTree(WorkFolder());
  WindowWatch list("Names of the Old Testament", [](HWND wnd) { PostMessageA(wnd, WM_CLOSE, 0, 0); });
  PostMessageA(form_->GetHandle(), WM_COMMAND, static_cast<TMenuItem*>(form_->FindComponent("NamesOT1"))->GetCommand(), 0);
  ASSERT_TRUE(PumpUntil([&] { return list.Done() && !testing_support::FindOwnWindow("Names of the Old Testament"); }, 30000));
  EXPECT_TRUE(DirectoryExists(WorkFolder()));
}

}  // namespace
