// The main window's menu opens each comparison tool, enabled, as a modal dialog of its own.
#include <memory>
#include <string>

#include "app/UnitMain.h"
#include "app/tests/compare/CompareDialogsSupport.h"
#include "classlib/Menus.h"

namespace {

using testing_support::PumpUntil;
using testing_support::WindowWatch;

class ComparisonMenuTest : public compare_dialogs::CompareDialogsTest {
protected:
  void TearDown() override {
    delete main_;
    CompareDialogsTest::TearDown();
  }
  TMainScreen* main_ = nullptr;
};

TEST_F(ComparisonMenuTest, TheMenuItemsOpenTheirDialogs) {
  WriteTestBook("RUT", {"\\id RUT", "\\c 1", "\\v 1 Now it came to pass."});
  main_ = new TMainScreen(Application);
  main_->AfterConstruction();
  main_->Show();
  struct Row {
    const char* Item;
    const char* Caption;
  } rows[] = {{"Compareversions1", "Compare versions"},
              {"Approvebook1", "Version approval"},
              {"Printversions1", "Print Versions"}};
  for (const Row& r : rows) {
    auto* item = static_cast<TMenuItem*>(main_->FindComponent(r.Item));
    ASSERT_TRUE(item) << r.Item;
    EXPECT_TRUE(item->GetEnabled()) << r.Item;
    bool modal = false;
    WindowWatch dialog(r.Caption, [&](HWND wnd) {
      // The main window waits behind the dialog.
      modal = !IsWindowEnabled(main_->GetHandle());
      PostMessageA(wnd, WM_CLOSE, 0, 0);
    });
    PostMessageA(main_->GetHandle(), WM_COMMAND, item->GetCommand(), 0);
    EXPECT_TRUE(PumpUntil([&] { return dialog.Done() && IsWindowEnabled(main_->GetHandle()); }, 30000)) << r.Item;
    EXPECT_TRUE(modal) << r.Item;
  }
}

}  // namespace
