// Narrowing a project to some of its books in the books dialog, driven as a user drives it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "core/ScripturesUnit.h"
#include "core/tests/CoreTestSupport.h"

namespace {

using testing_support::WindowWatch;

std::vector<std::string> Items(TStrings* list) {
  std::vector<std::string> items;
  for (int i = 0; i < list->GetCount(); ++i) items.push_back(list->GetStrings(i));
  return items;
}

HWND Child(HWND dialog, const char* caption) { return FindWindowExA(dialog, nullptr, nullptr, caption); }

// The dialog's list box: its only child without a caption.
HWND BookList(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char text[64] = {};
    GetWindowTextA(child, text, sizeof text);
    if (!*text) return child;
  }
  return nullptr;
}

std::vector<std::string> SelectedIn(HWND list) {
  std::vector<std::string> selected;
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (SendMessageA(list, LB_GETSEL, i, 0) <= 0) continue;
    char text[64] = {};
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    selected.push_back(text);
  }
  return selected;
}

class ExcludeBooksTest : public core_testing::CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    WriteProject("TST", "Test Project", "", "TST.SFM");
    MyReg->SetCurrentProject("Test Project");
    for (const char* id : {"GEN", "EXO", "MAT", "JHN"}) WriteBook("TST", std::string(id) + "TST.SFM", "\\id x\r\n");
  }

  // Runs SelectBooks with `act` driving the dialog; returns the books kept.
  std::vector<std::string> Select(TScripture* scripture, const std::function<void(HWND)>& act) {
    bool shown = false;
    WindowWatch watch("Include or exclude books", [&](HWND dialog) {
      shown = true;
      act(dialog);
    });
    scripture->SelectBooks();
    EXPECT_TRUE(shown);
    return Items(scripture->BookNames);
  }
};

TEST_F(ExcludeBooksTest, ButtonsChooseTestamentsAndOkKeepsTheChoice) {
  using Books = std::vector<std::string>;
  struct Case {
    const char* button;
    const char* end;
    Books kept;
  };
  const Books all{"Genesis", "Exodus", "Matthew", "John"};
  const Case cases[] = {
      {"&OT Books", "OK", {"Genesis", "Exodus"}},
      {"&NT Books", "OK", {"Matthew", "John"}},
      {"No &Books", "OK", {}},
      {"&All Books", "OK", all},
      {"&OT Books", "Cancel", all},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " " + c.end);
    std::unique_ptr<TScripture> scripture(new TScripture(nullptr, -1));
    EXPECT_EQ(Select(scripture.get(), [&](HWND dialog) {
                SendMessageA(Child(dialog, c.button), BM_CLICK, 0, 0);
                SendMessageA(Child(dialog, c.end), BM_CLICK, 0, 0);
              }),
              c.kept);
    EXPECT_EQ(scripture->AllBooks, c.kept.size() == all.size());
    // The three lists stay parallel.
    EXPECT_EQ(scripture->BookFiles->GetCount(), static_cast<int>(c.kept.size()));
    if (!c.kept.empty()) EXPECT_EQ(scripture->BookIds->GetStrings(0), c.kept[0] == "Genesis" ? "GEN" : "MAT");
  }
}

TEST_F(ExcludeBooksTest, TheDialogShowsTheBooksKeptAndTakesBooksPickedOneByOne) {
  std::unique_ptr<TScripture> scripture(new TScripture(nullptr, -1));
  Select(scripture.get(), [](HWND dialog) {
    SendMessageA(Child(dialog, "No &Books"), BM_CLICK, 0, 0);
    SendMessageA(BookList(dialog), LB_SETSEL, TRUE, 3);
    SendMessageA(BookList(dialog), LB_SETSEL, TRUE, 0);
    SendMessageA(Child(dialog, "OK"), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(Items(scripture->BookNames), (std::vector<std::string>{"Genesis", "John"}));
  EXPECT_EQ(Items(scripture->BookFiles), (std::vector<std::string>{Projects() + "TST\\GENTST.SFM", Projects() + "TST\\JHNTST.SFM"}));
  EXPECT_FALSE(scripture->AllBooks);

  // Opened again, the dialog lists every book with the kept ones selected; Cancel keeps them.
  std::vector<std::string> listed, selected;
  Select(scripture.get(), [&](HWND dialog) {
    HWND list = BookList(dialog);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[64] = {};
      SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      listed.push_back(text);
    }
    selected = SelectedIn(list);
    testing_support::PumpFor(100);
    testing_support::SaveScreenshot(dialog, "exclude-books-dialog");
    SendMessageA(Child(dialog, "Cancel"), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(listed, (std::vector<std::string>{"Genesis", "Exodus", "Matthew", "John"}));
  EXPECT_EQ(selected, (std::vector<std::string>{"Genesis", "John"}));
  EXPECT_EQ(Items(scripture->BookNames), (std::vector<std::string>{"Genesis", "John"}));
  EXPECT_FALSE(scripture->AllBooks);
}

}  // namespace
