// Notifications a native child sends its parent come back to the child's control (CN_*);
// components of a form built in code are Loaded before OnCreate; the screen's lists; scrolling.
#include <vector>

#include "FormsTestSupport.h"

using namespace forms_test;

namespace forms_test {

// An owner-drawn native list box that records the notifications reflected to it.
class TReflectedList : public TWinControl {
  CLASS_INFO(TReflectedList, TWinControl)
public:
  explicit TReflectedList(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 120, 80);
    SetTabStop(true);
  }
  std::vector<UINT> Seen;

protected:
  void CreateParams(TCreateParams& Params) override {
    inherited::CreateParams(Params);
    CreateSubClass(Params, "LISTBOX");
    Params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | WS_VSCROLL;
  }
  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
      case CN_COMMAND:
      case CN_DRAWITEM:
      case CN_CTLCOLORLISTBOX:
        Seen.push_back(Message.Msg);
        inherited::Dispatch(Message);
        break;
      case CN_MEASUREITEM:
        Seen.push_back(Message.Msg);
        TWMMeasureItem{Message}.MeasureItemStruct()->itemHeight = 17;
        Message.Result = 1;
        break;
      default: inherited::Dispatch(Message);
    }
  }
};

class TLoadProbe : public TComponent {
  CLASS_INFO(TLoadProbe, TComponent)
public:
  using TComponent::TComponent;
  std::vector<std::string>* Log = nullptr;
  void Loaded() override {
    inherited::Loaded();
    Log->push_back("loaded " + GetName());
  }
};

class TProbedForm : public TForm {
  CLASS_INFO(TProbedForm, TForm)
public:
  static inline std::vector<std::string>* Log = nullptr;
  explicit TProbedForm(TComponent* AOwner) : TForm(AOwner) {
    for (const char* name : {"First", "Second"}) {
      auto* probe = new TLoadProbe(this);
      probe->SetName(name);
      probe->Log = Log;
    }
    OnCreate = TNotifyEvent::FromFunction([](TObject*) { Log->push_back("create"); });
  }
};

}  // namespace forms_test

TEST(ReflectionTest, ANativeChildsNotificationsReachItsControl) {
  auto* form = new TForm(Application);
  auto* list = new TReflectedList(form);
  list->SetParent(form);
  form->Show();
  HWND wnd = list->GetHandle();
  // The item height was asked for while the list box's window was being made.
  EXPECT_EQ(list->Seen.front(), CN_MEASUREITEM);
  EXPECT_EQ(::SendMessageA(wnd, LB_GETITEMHEIGHT, 0, 0), 17);
  ::SendMessageA(wnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
  ::SendMessageA(wnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("two"));
  list->Seen.clear();
  ::UpdateWindow(form->GetHandle());
  ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  EXPECT_NE(std::find(list->Seen.begin(), list->Seen.end(), CN_DRAWITEM), list->Seen.end());
  list->Seen.clear();
  // A click selects an item: LBN_SELCHANGE comes back as CN_COMMAND.
  ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 20));
  ::SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 20));
  EXPECT_NE(std::find(list->Seen.begin(), list->Seen.end(), CN_COMMAND), list->Seen.end());
  EXPECT_EQ(::SendMessageA(wnd, LB_GETCURSEL, 0, 0), 1);
  delete form;
}

TEST(ReflectionTest, AFormBuiltInCodeLoadsItsComponentsBeforeOnCreate) {
  std::vector<std::string> log;
  TProbedForm::Log = &log;
  TProbedForm* form = nullptr;
  Application->CreateForm(form);
  EXPECT_EQ(log, (std::vector<std::string>{"loaded First", "loaded Second", "create"}));
  form->Show();  // once only
  EXPECT_EQ(log.size(), 3u);
  delete form;
  log.clear();
  auto* shown = new TProbedForm(Application);
  EXPECT_TRUE(log.empty());
  shown->Show();
  EXPECT_EQ(log, (std::vector<std::string>{"loaded First", "loaded Second", "create"}));
  delete shown;
}

TEST(ScreenTest, KnowsTheFormsTheCursorsAndTheFonts) {
  const Integer before = Screen->GetFormCount();
  auto* form = new TForm(Application);
  EXPECT_EQ(Screen->GetFormCount(), before + 1);
  delete form;
  EXPECT_EQ(Screen->GetFormCount(), before);
  EXPECT_EQ(Screen->GetPixelsPerInch(), 96);
  EXPECT_EQ(Screen->GetWidth(), ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(Screen->GetCursors(crIBeam), ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32513)));
  EXPECT_EQ(Screen->GetCursors(crNone), nullptr);
  EXPECT_EQ(CursorToString(crHandPoint), "crHandPoint");
  EXPECT_EQ(StringToCursor("crHourGlass"), crHourGlass);
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Screen->GetCursor(), crHourGlass);
  Screen->SetCursor(crDefault);
  TStrings* fonts = Screen->GetFonts();
  EXPECT_GE(fonts->IndexOf("Liberation Sans"), 0);
  for (Integer i = 0; i < fonts->GetCount(); ++i) EXPECT_NE(fonts->GetStrings(i)[0], '@');
}

TEST(ScrollingTest, ChildrenBeyondTheClientAreaAreReachedByScrolling) {
  auto* form = new TForm(Application);
  form->SetBounds(100, 100, 300, 200);
  auto* distant = new TColorBox(form);
  distant->SetBounds(10, 500, 40, 30);
  distant->SetParent(form);
  auto* close = new TColorBox(form);
  close->SetBounds(10, 10, 40, 30);
  close->SetParent(form);
  form->Show();
  TControlScrollBar* bar = form->GetVertScrollBar();
  EXPECT_EQ(bar->GetRange(), 530);
  EXPECT_TRUE(bar->IsScrollBarVisible());
  EXPECT_TRUE(::GetWindowLongPtrA(form->GetHandle(), GWL_STYLE) & WS_VSCROLL);
  // Scrolling moves the children; the range stays.
  bar->SetPosition(100);
  EXPECT_EQ(close->GetTop(), -90);
  EXPECT_EQ(distant->GetTop(), 400);
  EXPECT_EQ(::GetScrollPos(form->GetHandle(), SB_VERT), 100);
  ::SendMessageA(form->GetHandle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(bar->GetPosition(), 108);
  ::SendMessageA(form->GetHandle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(bar->GetPosition(), 0);
  EXPECT_EQ(close->GetTop(), 10);
  // A control scrolled into view.
  form->ScrollInView(distant);
  EXPECT_EQ(distant->GetTop() + distant->GetHeight(), form->GetClientHeight());
  EXPECT_EQ(bar->GetPosition(), 530 - form->GetClientHeight());
  // Without children out of sight there is no bar.
  delete distant;
  EXPECT_FALSE(bar->IsScrollBarVisible());
  EXPECT_EQ(close->GetTop(), 10);
  delete form;
}
