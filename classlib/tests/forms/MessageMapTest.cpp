// The message road: object instances, the message map with its inherited handlers, Perform,
// the class library's notifications and the exception boundary.
#include <stdexcept>
#include <vector>

#include "FormsTestSupport.h"
#include "classlib/SysUtils.h"

using namespace forms_test;

namespace {

struct Recorder {
  std::vector<UINT> Messages;
  void Handle(TMessage& Message) {
    Messages.push_back(Message.Msg);
    Message.Result = LRESULT(Message.WParam + Message.LParam);
  }
};

// A base and a derived control whose handlers for the same message chain through
// inherited::Dispatch, and a message only the base handles.
class TBaseProbe : public TCustomControl {
  CLASS_INFO(TBaseProbe, TCustomControl)
public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> Calls;
  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_USER + 1:
        Calls.push_back("base1");
        Message.Result += 10;
        break;
      case WM_USER + 2: Calls.push_back("base2"); break;
      default: inherited::Dispatch(Message);
    }
  }
};

class TDerivedProbe : public TBaseProbe {
  CLASS_INFO(TDerivedProbe, TBaseProbe)
public:
  using TBaseProbe::TBaseProbe;
  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_USER + 1:
        Calls.push_back("derived1");
        inherited::Dispatch(Message);
        Message.Result += 1;
        break;
      case WM_USER + 3: throw EConvertError("bad value in handler");
      default: inherited::Dispatch(Message);
    }
  }
};

class MessageMapTest : public ::testing::Test {
protected:
  void SetUp() override { form = new TForm(Application); }
  void TearDown() override { delete form; }
  TForm* form = nullptr;
};

}  // namespace

TEST(ObjectInstanceTest, EachInstanceCallsItsOwnMethodWithTheMessage) {
  Recorder a, b;
  WNDPROC pa = MakeObjectInstance(TWndMethod(&a, &Recorder::Handle));
  WNDPROC pb = MakeObjectInstance(TWndMethod(&b, &Recorder::Handle));
  ASSERT_NE(pa, pb);
  EXPECT_EQ(::CallWindowProcA(pa, nullptr, WM_USER + 7, 3, 4), 7);
  EXPECT_EQ(::CallWindowProcA(pb, nullptr, WM_USER + 8, 10, 20), 30);
  EXPECT_EQ(a.Messages, std::vector<UINT>{WM_USER + 7});
  EXPECT_EQ(b.Messages, std::vector<UINT>{WM_USER + 8});
  FreeObjectInstance(pa);
  FreeObjectInstance(pb);
  // Freed instances are reused.
  WNDPROC pc = MakeObjectInstance(TWndMethod(&a, &Recorder::Handle));
  EXPECT_TRUE(pc == pa || pc == pb);
  FreeObjectInstance(pc);
}

// The thunks subclass a foreign window and chain: each hook sees every message and passes it on.
TEST(ObjectInstanceTest, HooksChainOnAForeignWindow) {
  HWND wnd = ::CreateWindowExA(0, "STATIC", "original", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(wnd);
  struct Hook {
    HWND Wnd;
    WNDPROC Previous = nullptr;
    int Seen = 0;
    void Handle(TMessage& m) {
      if (m.Msg == WM_SETTEXT) ++Seen;
      m.Result = ::CallWindowProcA(Previous, Wnd, m.Msg, m.WParam, m.LParam);
    }
  };
  Hook first{wnd}, second{wnd};
  WNDPROC i1 = MakeObjectInstance(TWndMethod(&first, &Hook::Handle));
  first.Previous = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(i1)));
  WNDPROC i2 = MakeObjectInstance(TWndMethod(&second, &Hook::Handle));
  second.Previous = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(i2)));
  ::SetWindowTextA(wnd, "changed");
  char text[32];
  ::GetWindowTextA(wnd, text, sizeof text);
  EXPECT_STREQ(text, "changed");
  EXPECT_EQ(first.Seen, 1);
  EXPECT_EQ(second.Seen, 1);
  ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(first.Previous));
  ::DestroyWindow(wnd);
  FreeObjectInstance(i1);
  FreeObjectInstance(i2);
}

TEST(ObjectInstanceTest, AllocateHWndDeliversToTheMethod) {
  Recorder r;
  HWND wnd = AllocateHWnd(TWndMethod(&r, &Recorder::Handle));
  char name[64];
  ::GetClassNameA(wnd, name, sizeof name);
  EXPECT_STREQ(name, "TPUtilWindow");
  EXPECT_EQ(::SendMessageA(wnd, WM_USER + 1, 2, 5), 7);
  EXPECT_EQ(r.Messages.back(), UINT(WM_USER + 1));
  DeallocateHWnd(wnd);
  EXPECT_FALSE(::IsWindow(wnd));
}

TEST_F(MessageMapTest, HandlersFallThroughToTheInheritedOnesAndTheDefault) {
  auto* probe = new TDerivedProbe(form);
  probe->SetParent(form);
  EXPECT_EQ(probe->Perform(WM_USER + 1, 0, 0), 11);
  EXPECT_EQ(probe->Calls, (std::vector<std::string>{"derived1", "base1"}));
  probe->Calls.clear();
  probe->Perform(WM_USER + 2, 0, 0);
  EXPECT_EQ(probe->Calls, std::vector<std::string>{"base2"});
  // Nobody handles WM_SETTEXT: it ends in the default handling, which keeps the text - in the
  // object before the window exists, in the window afterwards.
  probe->SetText("before");
  EXPECT_EQ(probe->GetText(), "before");
  probe->HandleNeeded();
  char text[32];
  ::GetWindowTextA(probe->GetHandle(), text, sizeof text);
  EXPECT_STREQ(text, "before");
  ::SendMessageA(probe->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after"));
  EXPECT_EQ(probe->GetText(), "after");
}

TEST_F(MessageMapTest, WindowProcCanBeReplacedToWatchAControl) {
  auto* probe = new TDerivedProbe(form);
  probe->SetParent(form);
  std::vector<UINT> seen;
  TWndMethod old = probe->WindowProc;
  probe->WindowProc = TWndMethod::FromFunction([&](TMessage& m) {
    seen.push_back(m.Msg);
    old(m);
  });
  EXPECT_EQ(probe->Perform(WM_USER + 1, 0, 0), 11);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), UINT(WM_USER + 1));
  probe->WindowProc = old;
}

TEST_F(MessageMapTest, AnExceptionInAHandlerStopsAtTheWindowProcedure) {
  auto* probe = new TDerivedProbe(form);
  probe->SetParent(form);
  std::vector<std::string> reported;
  TObject* sender = nullptr;
  Application->OnException = TExceptionEvent::FromFunction([&](TObject* s, Exception* e) {
    sender = s;
    reported.push_back(e->Message);
  });
  EXPECT_EQ(::SendMessageA(probe->GetHandle(), WM_USER + 3, 0, 0), 0);
  Application->OnException = nullptr;
  EXPECT_EQ(reported, std::vector<std::string>{"bad value in handler"});
  EXPECT_EQ(sender, probe);
}

TEST_F(MessageMapTest, PropertyChangesAreAnnouncedToTheControlAndItsChildren) {
  auto* panel = new TColorBox(form);
  panel->SetParent(form);
  auto* spot = new TColorSpot(form);
  spot->SetParent(panel);
  std::vector<UINT> panelSeen, spotSeen;
  const UINT interesting[] = {CM_ENABLEDCHANGED, CM_VISIBLECHANGED, CM_TEXTCHANGED, CM_FONTCHANGED,
                              CM_COLORCHANGED,   CM_PARENTCOLORCHANGED, CM_PARENTFONTCHANGED};
  auto watch = [&](TControl* c, std::vector<UINT>& seen) {
    TWndMethod old = c->WindowProc;
    c->WindowProc = TWndMethod::FromFunction([&seen, old, &interesting](TMessage& m) {
      for (UINT i : interesting)
        if (m.Msg == i) seen.push_back(m.Msg);
      old(m);
    });
  };
  watch(panel, panelSeen);
  watch(spot, spotSeen);
  panel->SetColor(clYellow);
  panel->GetFont()->SetSize(14);
  panel->SetEnabled(false);
  panel->SetText("Caption");
  spot->SetVisible(false);
  EXPECT_EQ(panelSeen, (std::vector<UINT>{CM_COLORCHANGED, CM_FONTCHANGED, CM_ENABLEDCHANGED, CM_TEXTCHANGED}));
  EXPECT_EQ(spotSeen, (std::vector<UINT>{CM_PARENTCOLORCHANGED, CM_COLORCHANGED, CM_PARENTFONTCHANGED,
                                         CM_FONTCHANGED, CM_VISIBLECHANGED}));
  EXPECT_EQ(spot->GetColor(), clYellow);
  EXPECT_TRUE(spot->GetParentColor());
  EXPECT_EQ(spot->GetFont()->GetSize(), 14);
}

TEST(MessageNumbersTest, HaveTheirUsualValues) {
  EXPECT_EQ(CM_ENABLEDCHANGED, 0xB00Cu);
  EXPECT_EQ(CM_MOUSEENTER, 0xB013u);
  EXPECT_EQ(CM_MOUSELEAVE, 0xB014u);
  EXPECT_EQ(CM_DIALOGKEY, 0xB005u);
  EXPECT_EQ(CM_DIALOGCHAR, 0xB006u);
  EXPECT_EQ(CM_BUTTONPRESSED, 0xB018u);
  EXPECT_EQ(CM_HINTSHOW, 0xB030u);
  EXPECT_EQ(CN_COMMAND, 0xBC00u + WM_COMMAND);
  EXPECT_EQ(CN_DRAWITEM, 0xBC00u + WM_DRAWITEM);
  EXPECT_EQ(CN_MEASUREITEM, 0xBC00u + WM_MEASUREITEM);
}
