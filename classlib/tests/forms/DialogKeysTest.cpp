// Keys that belong to the dialog rather than the control with the focus: Enter and Escape
// offered to the form's controls (CM_DIALOGKEY), accelerators (CM_DIALOGCHAR), and F1 with help
// by context number.
#include <vector>

#include "FormsTestSupport.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

using namespace forms_test;

namespace {

// Takes Enter (like a default button) or its accelerator character (like a button or a label).
class TKeyTaker : public TCustomControl {
  CLASS_INFO(TKeyTaker, TCustomControl)
public:
  explicit TKeyTaker(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 50, 20); }
  Word DialogKey = 0;
  std::vector<std::string>* Log = nullptr;

protected:
  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
      case CM_DIALOGKEY:
        if (TWMKey{Message}.CharCode() == DialogKey) {
          Log->push_back(GetName() + " key");
          Message.Result = 1;
        }
        break;
      case CM_DIALOGCHAR:
        if (IsAccel(TWMKey{Message}.CharCode(), GetCaption())) {
          Log->push_back(GetName() + " accel");
          Message.Result = 1;
        }
        break;
      default: inherited::Dispatch(Message);
    }
  }
};

class DialogKeysTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = new TForm(Application);
    edit = new TNativeEdit(form);
    edit->SetParent(form);
    ok = new TKeyTaker(form);
    ok->SetName("Ok");
    ok->SetCaption("&Ok");
    ok->DialogKey = VK_RETURN;
    ok->Log = &log;
    ok->SetTop(40);
    ok->SetParent(form);
    cancel = new TKeyTaker(form);
    cancel->SetName("Cancel");
    cancel->SetCaption("&Cancel");
    cancel->DialogKey = VK_ESCAPE;
    cancel->Log = &log;
    cancel->SetTop(70);
    cancel->SetParent(form);
    form->Show();
    ProcessUntil([&] { return edit->Focused(); });
  }
  void TearDown() override { delete form; }
  TForm* form = nullptr;
  TNativeEdit* edit = nullptr;
  TKeyTaker* ok = nullptr;
  TKeyTaker* cancel = nullptr;
  std::vector<std::string> log;
};

}  // namespace

TEST_F(DialogKeysTest, EnterAndEscapeGoToTheControlsThatTakeThem) {
  ASSERT_TRUE(edit->Focused());
  PressKey(VK_RETURN);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(log, (std::vector<std::string>{"Ok key", "Cancel key"}));
}

TEST_F(DialogKeysTest, AltAndAnAcceleratorReachTheControl) {
  // Alt+C arrives as WM_SYSCHAR with the Alt bit set.
  ::PostMessageA(edit->GetHandle(), WM_SYSCHAR, 'c', LPARAM(0x20000001));
  Application->ProcessMessages();
  EXPECT_EQ(log, std::vector<std::string>{"Cancel accel"});
  // A plain character is the edit's own: it wants characters.
  log.clear();
  PressKey('O');
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(edit->GetText(), "o");
}

TEST_F(DialogKeysTest, F1AsksForHelpByTheContextOfTheControl) {
  std::vector<std::pair<Word, NativeInt>> asked;
  Application->OnHelp = THelpEvent::FromFunction([&](Word Command, NativeInt Data, bool& CallHelp) {
    asked.emplace_back(Command, Data);
    CallHelp = false;
    return true;
  });
  form->HelpContext = 300;
  edit->HelpContext = 0;  // the nearest parent's context is used
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_WINDOW;
  info.hItemHandle = edit->GetHandle();
  ::SendMessageA(form->GetHandle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  edit->HelpContext = 310;
  ::SendMessageA(form->GetHandle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  // The F1 key itself, typed on the keyboard: Windows turns it into WM_HELP for the window
  // with the focus, which passes it up to the form.
  ::keybd_event(VK_F1, 0, 0, 0);
  ::keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
  ProcessUntil([&] { return asked.size() == 3; }, 30000);
  Application->OnHelp = nullptr;
  ASSERT_GE(asked.size(), 2u);
  EXPECT_EQ(asked[0], (std::pair<Word, NativeInt>{HELP_CONTEXT, 300}));
  EXPECT_EQ(asked[1], (std::pair<Word, NativeInt>{HELP_CONTEXT, 310}));
  EXPECT_EQ(asked.size(), 3u) << "F1 did not ask for help";
  // A form's own OnHelp comes first, and the help file of the form counts.
  form->SetHelpFile("form.chm");
  Application->SetHelpFile("app.chm");
  EXPECT_EQ(Application->GetCurrentHelpFile(), "form.chm");
  Application->SetHelpFile("");
}
