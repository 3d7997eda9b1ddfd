// List boxes clicked with the real mouse, through the system's input queue, beside a plain system
// list box clicked the same way: a list reports what the user chose once per choice.
#include <vector>

#include "classlib/CheckLst.h"
#include "classlib/tests/stdctrls/StdTestSupport.h"

namespace {

using namespace stdctrls_test;

// Runs the loop until the input queue holds no mouse button message and `done` holds.
bool SettleInput(const std::function<bool()>& done) {
  return ProcessUntil([&] { return HIWORD(::GetQueueStatus(QS_MOUSEBUTTON)) == 0 && done(); });
}

// A plain system list box with LBS_NOTIFY in a window of its own, counting the selection changes
// and double clicks it reports to its parent.
class PlainListBox {
public:
  PlainListBox(int left, int top, int width, int height, const std::vector<const char*>& lines) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &HostProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "PelorinPlainListHost";
    ::RegisterClassA(&wc);
    host_ = ::CreateWindowExA(0, wc.lpszClassName, "Plain list", WS_POPUP | WS_CAPTION | WS_VISIBLE, left, top,
                              width + 20, height + 40, nullptr, nullptr, wc.hInstance, this);
    list_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 5, 5, width,
                              height, host_, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrA(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    for (const char* line : lines) ::SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    ::SetForegroundWindow(host_);
  }
  ~PlainListBox() { ::DestroyWindow(host_); }

  HWND List() const { return list_; }
  RECT ItemRect(int index) const {
    RECT r{};
    ::SendMessageA(list_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  int ItemIndex() const { return static_cast<int>(::SendMessageA(list_, LB_GETCURSEL, 0, 0)); }

  int SelectionChanges = 0;
  int DoubleClicks = 0;

private:
  static LRESULT CALLBACK HostProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PlainListBox*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && msg == WM_COMMAND) {
      if (HIWORD(wParam) == LBN_SELCHANGE) ++self->SelectionChanges;
      if (HIWORD(wParam) == LBN_DBLCLK) ++self->DoubleClicks;
    }
    return ::DefWindowProcA(window, msg, wParam, lParam);
  }

  HWND host_ = nullptr;
  HWND list_ = nullptr;
};

// One step of a user's clicking: the line clicked, how far into it, and whether the click
// follows the previous one on the same spot at once (a double click). Steps click at points apart,
// so the system joins no click to the one before.
struct ClickStep {
  const char* Name;
  int Line;
  int X;
  bool Double;
};

const ClickStep kSteps[] = {
    {"a line not yet chosen", 1, 40, false},
    {"the line already chosen", 1, 80, false},
    {"another line", 3, 40, false},
    {"a double click on a line", 2, 120, true},
};

void Click(HWND window, const RECT& line, const ClickStep& step) {
  testing_support::MouseClick(window, step.X, (line.top + line.bottom) / 2);
  if (step.Double) testing_support::MouseClick(window, step.X, (line.top + line.bottom) / 2);
}

class MouseClicksTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    plain_.reset(new PlainListBox(500, 50, 200, 120, {"alpha", "beta", "gamma", "delta"}));
    ProcessFor(50);
  }
  void TearDown() override {
    plain_.reset();
    FormTest::TearDown();
  }

  // What the plain system list box reports for the step: selection changes and double clicks.
  std::pair<int, int> PlainAnswer(const ClickStep& step) {
    ::SetForegroundWindow(::GetParent(plain_->List()));
    const int changes = plain_->SelectionChanges;
    const int doubles = plain_->DoubleClicks;
    Click(plain_->List(), plain_->ItemRect(step.Line), step);
    EXPECT_TRUE(SettleInput([&] { return plain_->ItemIndex() == step.Line; })) << step.Name;
    return {plain_->SelectionChanges - changes, plain_->DoubleClicks - doubles};
  }

  // Clicks the list box as the step says and compares its events with the plain list's answer.
  void ExpectLikeThePlainList(TCustomListBox* list, const ClickStep& step) {
    const std::pair<int, int> plain = PlainAnswer(step);
    if (step.Line != lastLine_) {
      EXPECT_EQ(plain.first, 1) << step.Name << ": a new choice is one selection change";
    }
    lastLine_ = step.Line;
    form_->BringToFront();
    ::SetForegroundWindow(form_->GetHandle());
    ProcessUntil([&] { return form_->GetActive(); });
    const int before = clicks_;
    const int doublesBefore = doubleClicks_;
    const int upsBefore = mouseUps_;
    TRect r = list->ItemRect(step.Line);
    Click(list->GetHandle(), RECT{r.Left, r.Top, r.Right, r.Bottom}, step);
    EXPECT_TRUE(SettleInput([&] { return mouseUps_ >= upsBefore + (step.Double ? 2 : 1); })) << step.Name;
    EXPECT_EQ(list->GetItemIndex(), step.Line) << step.Name;
    EXPECT_EQ(clicks_ - before, plain.first) << step.Name;
    EXPECT_EQ(doubleClicks_ - doublesBefore, plain.second) << step.Name;
  }

  template <class T>
  T* AddList() {
    T* list = Add<T>(10, 10, 200, 120);
    list->GetItems()->SetCommaText("alpha,beta,gamma,delta");
    list->OnClick = TNotifyEvent::FromFunction([this](TObject*) { ++clicks_; });
    list->OnDblClick = TNotifyEvent::FromFunction([this](TObject*) { ++doubleClicks_; });
    list->OnMouseUp = TMouseEvent::FromFunction(
        [this](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++mouseUps_; });
    return list;
  }

  std::unique_ptr<PlainListBox> plain_;
  int clicks_ = 0;
  int doubleClicks_ = 0;
  int mouseUps_ = 0;
  int lastLine_ = -1;
};

TEST_F(MouseClicksTest, AListBoxReportsEachChoiceOnce) {
  TListBox* list = AddList<TListBox>();
  for (const ClickStep& step : kSteps) ExpectLikeThePlainList(list, step);
}

TEST_F(MouseClicksTest, ACheckListBoxReportsEachChoiceOnce) {
  auto* list = AddList<TCheckListBox>();
  int checks = 0;
  list->OnClickCheck = TNotifyEvent::FromFunction([&checks](TObject*) { ++checks; });
  for (const ClickStep& step : kSteps) ExpectLikeThePlainList(list, step);
  EXPECT_EQ(checks, 0) << "clicks on the lines' text leave their boxes alone";

  // A click on a line's box chooses the line once and moves its box on once.
  const int before = clicks_;
  const int ups = mouseUps_;
  const TRect zero = list->ItemRect(0);
  testing_support::MouseClick(list->GetHandle(), zero.Left + 5, (zero.Top + zero.Bottom) / 2);
  EXPECT_TRUE(SettleInput([&] { return mouseUps_ > ups; }));
  EXPECT_EQ(list->GetItemIndex(), 0);
  EXPECT_TRUE(list->GetChecked(0));
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(clicks_ - before, 1);
}

// Each key goes to the plain list first, then to the list box, through the input queue.
TEST_F(MouseClicksTest, EachKeyThatMovesTheChoiceIsOneClick) {
  TListBox* list = AddList<TListBox>();
  const auto press = [](HWND window, WORD key) {
    ::SetForegroundWindow(::GetAncestor(window, GA_ROOT));
    ::SetFocus(window);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = key;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
    return ProcessUntil([] { return HIWORD(::GetQueueStatus(QS_KEY)) == 0; });
  };
  struct Row {
    WORD Key;
    int Line;
  } rows[] = {{VK_DOWN, 0}, {VK_DOWN, 1}, {VK_END, 3}, {VK_UP, 2}, {VK_HOME, 0}, {VK_UP, 0}};
  int line = -1;
  for (const Row& r : rows) {
    const int changes = plain_->SelectionChanges;
    EXPECT_TRUE(press(plain_->List(), r.Key));
    const int before = clicks_;
    EXPECT_TRUE(press(list->GetHandle(), r.Key));
    EXPECT_EQ(list->GetItemIndex(), r.Line) << "key " << r.Key;
    EXPECT_EQ(clicks_ - before, plain_->SelectionChanges - changes) << "key " << r.Key;
    if (r.Line != line) {
      EXPECT_EQ(clicks_ - before, 1) << "key " << r.Key;
    }
    line = r.Line;
  }
}

}  // namespace
