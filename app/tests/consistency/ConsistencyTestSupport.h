// What the tests of the consistency-list windows share: the keywords list of the tools' fixtures
// in the program folder, and a user's clicks, keys and looks at the list boxes, combo boxes,
// message boxes and the results window.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/PrintGeneralLists.h"
#include "app/tests/results/ResultsSupport.h"
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/DialogDriver.h"
#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "core/ProgramFolderUnit.h"
#include "tools/tests/consistency/ListTestSupport.h"

namespace consistency_testing {

using app_testing::FileLines;
using dialog_testing::PressKey;
using dialog_testing::ProcessFor;
using dialog_testing::TypeText;
using testing_support::ReadFileBytes;
using testing_support::WindowWatch;
using testing_support::WriteFileBytes;

using namespace list_testing;

// Clicks the middle of a control with the mouse and lets the click be handled.
inline void ClickOn(TWinControl* control) {
  testing_support::MouseClick(control->GetHandle(), control->GetWidth() / 2, control->GetHeight() / 2);
  ProcessFor(80);
}

// Clicks a line of a list box with the mouse.
inline void ClickLine(TListBox* list, Integer line) {
  RECT item{};
  SendMessageA(list->GetHandle(), LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
  testing_support::MouseClick(list->GetHandle(), item.left + 5, (item.top + item.bottom) / 2);
  ProcessFor(80);
}

// Chooses a line of a closed drop-down list with the arrow keys, from the line selected (each
// step is a change the window handles).
inline void ChooseLine(TComboBox* combo, Integer line) {
  combo->SetFocus();
  ProcessFor(30);
  Integer at = combo->GetItemIndex();
  if (at < 0) {
    PressKey(VK_DOWN);
    at = 0;
  }
  for (; at < line; ++at) PressKey(VK_DOWN);
  for (; at > line; --at) PressKey(VK_UP);
}

// Replaces the text of an edit by typing, as a user does after selecting what is there.
inline void TypeInto(TEdit* edit, const std::string& text) {
  ClickOn(edit);
  edit->SelectAll();
  PressKey(VK_DELETE);
  TypeText(text);
}

// The text of a message box: the texts of its static controls that have one (the message, not
// the icon).
inline std::string MessageText(HWND box) {
  std::string text;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM param) -> BOOL {
        char name[32] = {}, buffer[4096] = {};
        GetClassNameA(child, name, sizeof name);
        GetWindowTextA(child, buffer, sizeof buffer);
        if (lstrcmpiA(name, "Static") == 0 && buffer[0]) *reinterpret_cast<std::string*>(param) += buffer;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

// Answers the message boxes captioned `caption` that show while it lives, in turn, with the
// buttons given (the last one for any further box), remembering their texts.
class MessageAnswers {
public:
  MessageAnswers(std::string caption, std::vector<int> buttons) : caption_(std::move(caption)), buttons_(std::move(buttons)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 30, &Tick);
  }
  ~MessageAnswers() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  MessageAnswers(const MessageAnswers&) = delete;
  MessageAnswers& operator=(const MessageAnswers&) = delete;
  std::vector<std::string> Texts;

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MessageAnswers* self = current_;
    if (!self || self->busy_) return;
    HWND box = testing_support::FindOwnWindow(self->caption_, "#32770");
    // A box answered is hidden at once, so only a new one is found.
    if (!box) return;
    self->busy_ = true;
    self->Texts.push_back(MessageText(box));
    const std::size_t n = self->Texts.size() - 1;
    const int button = self->buttons_.empty() ? IDOK : self->buttons_[std::min(n, self->buttons_.size() - 1)];
    testing_support::PressDialogButton(box, button);
    self->busy_ = false;
  }
  static inline MessageAnswers* current_ = nullptr;
  std::string caption_;
  std::vector<int> buttons_;
  UINT_PTR timer_ = 0;
  bool busy_ = false;
};

// Runs an action once, a while after it is made, from a timer of this thread: for what a user
// does after a modal window has handled a click that the test's action made (the window closes
// or stays open only once that action has returned).
class Later {
public:
  Later(DWORD ms, std::function<void()> action) : action_(std::move(action)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, ms, &Tick);
  }
  ~Later() {
    if (timer_) KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  Later(const Later&) = delete;
  Later& operator=(const Later&) = delete;
  bool Done() const { return done_; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Later* self = current_;
    if (!self || self->done_) return;
    KillTimer(nullptr, self->timer_);
    self->timer_ = 0;
    self->done_ = true;
    self->action_();
  }
  static inline Later* current_ = nullptr;
  std::function<void()> action_;
  UINT_PTR timer_ = 0;
  bool done_ = false;
};

// Looks at the results window that opens (its class, since it has the caption of the window that
// opens it), remembers its caption and paragraphs, and closes it.
class ResultsLook {
public:
  ResultsLook(const std::string& caption, const std::string& screenshot = {})
      : watch_(caption, [this, screenshot](HWND wnd) {
          auto* results = dynamic_cast<TPrintGeneralListDialog*>(FindControl(wnd));
          ASSERT_TRUE(results);
          Caption = results->GetCaption();
          Title = results->Title;
          Paragraphs = results_testing::Paragraphs(results->UzurUvadEdit1);
          if (!screenshot.empty()) testing_support::SaveScreenshot(wnd, screenshot);
          PostMessageA(wnd, WM_CLOSE, 0, 0);
        }, 15000, "TPrintGeneralListDialog") {}
  bool Done() const { return watch_.Done(); }
  std::string Caption;
  std::string Title;
  Lines Paragraphs;

private:
  WindowWatch watch_;
};

// A test with the keywords list of the fixtures (kwotref.txt, kwotdef.txt) in the program folder
// and the project's translations of it (KeyWordsOTTranslation.txt) in the project's work folder.
class ConsistencyTest : public app_testing::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteFileBytes(ProgramFolder + "kwotref.txt", Fixture("kwotref.txt"));
    WriteFileBytes(ProgramFolder + "kwotdef.txt", Fixture("kwotdef.txt"));
    WriteFileBytes(WorkFolder() + "KeyWordsOTTranslation.txt", Fixture("KeyWordsOTTranslation.txt"));
  }
  std::string ReferenceFile() const { return ProgramFolder + "kwotref.txt"; }
  std::string DefinitionFile() const { return ProgramFolder + "kwotdef.txt"; }
  std::string TranslationFile() const { return WorkFolder() + "KeyWordsOTTranslation.txt"; }
  std::string ExchangeFile() const { return Projects() + "pelorin.ref"; }
};

}  // namespace consistency_testing
