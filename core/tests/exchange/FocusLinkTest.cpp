#include <memory>
#include <string>
#include <vector>

#include "classlib/Registry.h"
#include "classlib/StringLists.h"
#include "classlib/WinApi.h"
#include "core/FocusLink.h"
#include "core/MyRegistry.h"
#include "core/tests/CoreTestSupport.h"

namespace {

using core_testing::CrLf;
using testing_support::PumpUntil;
using testing_support::ReadFileBytes;

std::unique_ptr<TStringList> ListOf(std::initializer_list<const char*> lines) {
  std::unique_ptr<TStringList> list(new TStringList());
  for (const char* line : lines) list->Add(line);
  return list;
}

AnsiString ReadDefaultValue(const char* key) {
  TRegistry registry;
  if (!registry.OpenKeyReadOnly(key)) return "(no key)";
  return registry.ReadString("");
}

// A top-level window of this process with a title; it records the focus messages it receives.
class TitledWindow {
public:
  explicit TitledWindow(const std::string& title) {
    static const ATOM cls = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = &Proc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "FocusLinkTestWindow";
      return RegisterClassA(&wc);
    }();
    (void)cls;
    wnd_ = CreateWindowExA(0, "FocusLinkTestWindow", title.c_str(), WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  }
  ~TitledWindow() { DestroyWindow(wnd_); }
  static std::vector<std::pair<WPARAM, LPARAM>> received;

private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RegisterWindowMessageA("SantaFeFocus")) {
      received.emplace_back(wParam, lParam);
      return 0;
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
  }
  HWND wnd_;
};
std::vector<std::pair<WPARAM, LPARAM>> TitledWindow::received;

class FocusLinkTest : public core_testing::CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    CreateDirectoryA(Projects().c_str(), nullptr);
    TitledWindow::received.clear();
  }
};

TEST_F(FocusLinkTest, ReferenceListLines) {
  struct Row {
    const char* Line;
    const char* Published;  // nullptr: left out
  } rows[] = {
      {"MAT 5:3 Blessed are the poor", "MAT 5:3\t[1]Blessed are the poor\r\n"},
      {"MAT 5:3 [2] Blessed", "MAT 5:3\t[2] Blessed\r\n"},
      {"  JHN 3:16 ...the world - Capital missing  ", "JHN 3:16\t[1]...the world - Capital missing\r\n"},
      {"SNG 2:1\ta tab after the reference", "SNG 2:1\t[1]a tab after the reference\r\n"},
      {"GEN 1:1", "GEN 1:1\t[1]\r\n"},
      {"1JN 1:9 [3]", "1JN 1:9\t[3]\r\n"},
      {"GEN 12:10-20 a range", "GEN 12:10\t[1]-20 a range\r\n"},
      {"XYZ 1:1 no book", nullptr},
      {"mat 5:3 letter case counts", nullptr},
      {"Superfluous white space in line 4", nullptr},
      {"MAT without a reference", nullptr},
      {"", nullptr},
  };
  for (const Row& r : rows) {
    auto list = ListOf({r.Line});
    EXPECT_EQ(FocusReferenceListText(list.get()), r.Published ? r.Published : "") << r.Line;
  }
}

TEST_F(FocusLinkTest, ReferenceListIsWrittenAndAnnounced) {
  TitledWindow listener("listener");
  auto lines = ListOf({"MAT 5:3 first", "white space message", "ROM 1:1 [2] second"});
  SetFocusReferenceList(lines.get());
  EXPECT_EQ(ReadDefaultValue(FocusReferenceListKey), "MAT 5:3\t[1]first\r\nROM 1:1\t[2] second\r\n");
  ASSERT_TRUE(PumpUntil([] { return !TitledWindow::received.empty(); }, 30000));
  EXPECT_EQ(TitledWindow::received.front(), std::make_pair(WPARAM(2), LPARAM(0)));
}

TEST_F(FocusLinkTest, FocusReferenceFromTheRegistry) {
  // A missing key is made and reads as no reference.
  EXPECT_EQ(GetFocusReference(), "");
  EXPECT_EQ(ReadDefaultValue(FocusReferenceKey), "");
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(FocusReferenceKey, true));
    registry.WriteString("", "MAT 5:3");
  }
  EXPECT_EQ(GetFocusReference(), "MAT 5:3");
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(FocusReferenceKey, true));
    registry.WriteInteger("", 7);
  }
  EXPECT_EQ(GetFocusReference(), "");
}

TEST_F(FocusLinkTest, WindowsAreFoundByTitleOrItsBeginning) {
  TitledWindow bibleWorks("BibleWorks - KJV Mat 5:3");
  TitledWindow paratext("Paratext 6");
  struct Row {
    const char* Title;
    bool Found;
  } rows[] = {
      {"Paratext 6", true},
      {"BibleWorks - ", true},
      {"bibleworks - ", true},
      {"BIBLEWORKS - KJV MAT", true},
      {"BibleWorks -- ", false},
      {"Paratext 7", false},
      {"KJV Mat 5:3", false},
  };
  for (const Row& r : rows) EXPECT_EQ(FindWindowByTitle(r.Title), r.Found) << r.Title;
}

TEST_F(FocusLinkTest, ResultsToParatextKeepsTheLinesWithAReference) {
  TitledWindow listener("listener");
  auto results = ListOf({"Superfluous white space in line 3", "MAT 5:3 ...poor in spirit - Capital missing",
                         "XYZ 1:1 not a book", "ROM 1:1 [2] - Bracket not closed"});
  EXPECT_EQ(SendResultsToParatext(results.get()), Projects() + "pelorin.ref");
  EXPECT_EQ(ReadFileBytes(Projects() + "pelorin.ref"),
            CrLf({"MAT 5:3 ...poor in spirit - Capital missing", "ROM 1:1 [2] - Bracket not closed"}));
  EXPECT_EQ(ReadDefaultValue(FocusReferenceListKey),
            "MAT 5:3\t[1]...poor in spirit - Capital missing\r\nROM 1:1\t[2] - Bracket not closed\r\n");
  ASSERT_TRUE(PumpUntil([] { return !TitledWindow::received.empty(); }, 30000));

  // Without a projects folder to write to, the list still goes to Paratext.
  MyReg->SetParatextProjectsFolder(temp_.Path() + "missing\\");
  auto one = ListOf({"GEN 1:1 x"});
  EXPECT_EQ(SendResultsToParatext(one.get()), "");
  EXPECT_EQ(ReadDefaultValue(FocusReferenceListKey), "GEN 1:1\t[1]x\r\n");
}

}  // namespace
