// Forms: showing, events, the modal loop with timers and workers, closing and releasing.
#include <algorithm>
#include <atomic>
#include <vector>

#include "FormsTestSupport.h"
#include "classlib/Threads.h"
#include "classlib/Timers.h"

using namespace forms_test;

namespace forms_test {

// A form built in code the way the program's windows are: controls and handlers bound in the
// constructor. (Outside an anonymous namespace: the compiler would otherwise inline its
// destroying delete and warn about it.)
class TSampleForm : public TForm {
  CLASS_INFO(TSampleForm, TForm)
public:
  explicit TSampleForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Sample");
    SetBounds(100, 100, 300, 200);
    OkButton = new TResultButton(this);
    OkButton->SetParent(this);
    OkButton->SetBounds(10, 10, 60, 24);
    OkButton->ModalResult = mrOk;
    OnCreate = TNotifyEvent(this, &TSampleForm::FormCreate);
    OnShow = TNotifyEvent(this, &TSampleForm::FormShow);
    OnActivate = TNotifyEvent(this, &TSampleForm::FormActivate);
    OnHide = TNotifyEvent(this, &TSampleForm::FormHide);
    OnClose = TCloseEvent(this, &TSampleForm::FormClose);
    OnCloseQuery = TCloseQueryEvent(this, &TSampleForm::FormCloseQuery);
    OnDestroy = TNotifyEvent(this, &TSampleForm::FormDestroy);
  }
  TResultButton* OkButton;
  std::vector<std::string> Events;
  TCloseAction CloseAction = caHide;
  bool AllowClose = true;
  std::vector<std::string>* DestroyLog = nullptr;

private:
  void FormCreate(TObject*) { Events.push_back("create"); }
  void FormShow(TObject*) { Events.push_back("show"); }
  void FormActivate(TObject*) { Events.push_back("activate"); }
  void FormHide(TObject*) { Events.push_back("hide"); }
  void FormClose(TObject*, TCloseAction& Action) {
    Events.push_back("close");
    Action = CloseAction;
  }
  void FormCloseQuery(TObject*, bool& CanClose) {
    Events.push_back("closequery");
    CanClose = AllowClose;
  }
  void FormDestroy(TObject*) {
    if (DestroyLog) DestroyLog->push_back("destroy:" + GetCaption());
  }
};

}  // namespace forms_test

namespace {

// Sets the modal result of a form after some ticks of a timer.
struct ModalCloser {
  TCustomForm* Form;
  int Ticks = 0;
  int CloseAfter = 3;
  TModalResult Result = mrYes;
  void Tick(TObject*) {
    if (++Ticks == CloseAfter) Form->SetModalResult(Result);
  }
};

}  // namespace

TEST(FormTest, ShowsWithItsEventsInOrderAndClosesByHiding) {
  auto* form = new TSampleForm(Application);
  form->Show();
  EXPECT_TRUE(ProcessUntil([&] { return form->GetActive(); }));
  EXPECT_TRUE(form->HandleAllocated());
  EXPECT_TRUE(::IsWindowVisible(form->GetHandle()));
  EXPECT_TRUE(::IsWindowVisible(form->OkButton->GetHandle()));
  // Forms are owned by the application window, which is visible while a form is.
  EXPECT_EQ(::GetWindow(form->GetHandle(), GW_OWNER), Application->GetHandle());
  EXPECT_TRUE(::IsWindowVisible(Application->GetHandle()));
  char text[64];
  ::GetWindowTextA(form->GetHandle(), text, sizeof text);
  EXPECT_STREQ(text, "Sample");
  ASSERT_GE(form->Events.size(), 3u);
  EXPECT_EQ((std::vector<std::string>(form->Events.begin(), form->Events.begin() + 3)),
            (std::vector<std::string>{"create", "show", "activate"}));
  EXPECT_EQ(Screen->GetActiveForm(), form);

  form->Events.clear();
  ::SendMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form->Events, (std::vector<std::string>{"closequery", "close", "hide"}));
  EXPECT_FALSE(form->GetVisible());
  EXPECT_FALSE(::IsWindowVisible(form->GetHandle()));
  delete form;
}

TEST(FormTest, CloseQueryAndCloseActionDecideWhatClosingDoes) {
  auto* form = new TSampleForm(Application);
  form->Show();
  form->AllowClose = false;
  form->Close();
  EXPECT_TRUE(form->GetVisible());
  form->AllowClose = true;
  form->CloseAction = caNone;
  form->Close();
  EXPECT_TRUE(form->GetVisible());
  form->CloseAction = caMinimize;
  form->Close();
  EXPECT_EQ(form->GetWindowState(), wsMinimized);
  EXPECT_TRUE(::IsIconic(form->GetHandle()));
  delete form;
}

TEST(FormTest, ReleaseFreesTheFormAfterTheCurrentMessage) {
  std::vector<std::string> log;
  auto* form = new TSampleForm(Application);
  form->DestroyLog = &log;
  form->CloseAction = caFree;
  form->Show();
  HWND wnd = form->GetHandle();
  // The form closes itself from inside its own message handling.
  ::SendMessageA(wnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(log.empty()) << "freed inside the handler";
  EXPECT_TRUE(ProcessUntil([&] { return !log.empty(); }));
  EXPECT_EQ(log, std::vector<std::string>{"destroy:Sample"});
  EXPECT_FALSE(::IsWindow(wnd));
}

TEST(FormTest, OwnerFreesItsFormsWithTheirOnDestroy) {
  std::vector<std::string> log;
  auto* owner = new TComponent(nullptr);
  auto* form = new TSampleForm(owner);
  form->DestroyLog = &log;
  form->Show();
  HWND wnd = form->GetHandle();
  delete owner;
  EXPECT_EQ(log, std::vector<std::string>{"destroy:Sample"});
  EXPECT_FALSE(::IsWindow(wnd));
}

TEST(FormTest, ShowModalReturnsTheModalResultWhileTimersTick) {
  auto* form = new TSampleForm(Application);
  auto* timer = new TTimer(form);
  timer->SetInterval(20);
  ModalCloser closer{form};
  timer->OnTimer = TNotifyEvent(&closer, &ModalCloser::Tick);
  auto* other = new TForm(Application);
  other->Show();
  EXPECT_EQ(form->ShowModal(), mrYes);
  EXPECT_EQ(closer.Ticks, 3);
  EXPECT_FALSE(form->GetVisible());
  // While the form was modal the other windows were disabled; now they are enabled again.
  EXPECT_TRUE(::IsWindowEnabled(other->GetHandle()));
  delete other;
  delete form;
}

TEST(FormTest, ShowModalEndsThroughAButtonAndThroughClose) {
  auto* form = new TSampleForm(Application);
  auto* timer = new TTimer(form);
  timer->SetInterval(10);
  int step = 0;
  timer->OnTimer = TNotifyEvent::FromFunction([&](TObject*) {
    if (++step == 2) {
      // A click on the button: its window gets the mouse press and release.
      HWND button = form->OkButton->GetHandle();
      ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      ::SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  step = 0;
  timer->OnTimer = TNotifyEvent::FromFunction([&](TObject*) {
    if (++step == 2) ::PostMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
  });
  form->Events.clear();
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(form->Events.front(), "show");
  // Closing a modal form asks OnCloseQuery; refusing keeps it open.
  step = 0;
  form->AllowClose = false;
  timer->OnTimer = TNotifyEvent::FromFunction([&](TObject*) {
    ++step;
    if (step == 2) form->SetModalResult(mrAbort);
    if (step == 5) {
      form->AllowClose = true;
      form->SetModalResult(mrRetry);
    }
  });
  EXPECT_EQ(form->ShowModal(), mrRetry);
  EXPECT_GE(step, 5);
  delete form;
}

TEST(FormTest, ModalResultValuesAreTheSystemButtonIds) {
  EXPECT_EQ(mrOk, 1);
  EXPECT_EQ(mrCancel, 2);
  EXPECT_EQ(mrAbort, 3);
  EXPECT_EQ(mrRetry, 4);
  EXPECT_EQ(mrIgnore, 5);
  EXPECT_EQ(mrYes, 6);
  EXPECT_EQ(mrNo, 7);
}

namespace {

class TWorker : public TThread {
  CLASS_INFO(TWorker, TThread)
public:
  TWorker() : TThread(true) {}
  std::atomic<int> Served{0};
  DWORD MainThread = 0;
  DWORD RanOn = 0;

protected:
  void Execute() override {
    for (int i = 0; i < 3 && !GetTerminated(); ++i)
      Synchronize(TThreadMethod::FromFunction([this] {
        RanOn = ::GetCurrentThreadId();
        ++Served;
      }));
  }
};

}  // namespace

TEST(FormTest, SynchronizeIsServedInsideShowModalAndMessageBox) {
  auto* form = new TSampleForm(Application);
  auto* timer = new TTimer(form);
  timer->SetInterval(20);
  TWorker worker;
  worker.Resume();
  timer->OnTimer = TNotifyEvent::FromFunction([&](TObject*) {
    if (worker.Served == 3) form->SetModalResult(mrOk);
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(worker.Served, 3);
  EXPECT_EQ(worker.RanOn, ::GetCurrentThreadId());
  worker.WaitFor();
  delete form;
}

// A message box runs its own message loop: timers keep ticking and workers are served there.
TEST(FormTest, TimersTickAndWorkersAreServedInsideAMessageBox) {
  auto* owner = new TComponent(nullptr);
  auto* timer = new TTimer(owner);
  timer->SetInterval(20);
  TWorker worker;
  int ticks = 0;
  timer->OnTimer = TNotifyEvent::FromFunction([&](TObject*) {
    ++ticks;
    if (ticks == 1) worker.Resume();
    if (ticks >= 3 && worker.Served == 3) {
      timer->SetEnabled(false);
      // Answer the message box the way a user would.
      HWND box = ::FindWindowA("#32770", "Box title");
      if (box) ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  });
  EXPECT_EQ(Application->MessageBox("Waiting", "Box title", MB_OK), IDOK);
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(worker.Served, 3);
  worker.WaitFor();
  delete owner;
}

TEST(FormTest, AFormIsPlacedByItsPosition) {
  auto* form = new TForm(Application);
  form->SetBounds(0, 0, 200, 100);
  form->SetPosition(poScreenCenter);
  form->Show();
  EXPECT_EQ(form->GetLeft(), (Screen->GetWidth() - 200) / 2);
  EXPECT_EQ(form->GetTop(), (Screen->GetHeight() - 100) / 2);
  auto* dialog = new TForm(form);
  dialog->SetBounds(0, 0, 100, 50);
  dialog->SetPosition(poOwnerFormCenter);
  dialog->Show();
  // (The window may be wider than asked: a captioned window has a least width.)
  EXPECT_EQ(dialog->GetLeft(), form->GetLeft() + (200 - dialog->GetWidth()) / 2);
  EXPECT_EQ(dialog->GetTop(), form->GetTop() + (100 - dialog->GetHeight()) / 2);
  delete form;
}

TEST(FormTest, ClientSizeSetBeforeTheWindowExistsHolds) {
  auto* form = new TForm(Application);
  form->SetBorderStyle(bsDialog);
  form->SetClientWidth(250);
  form->SetClientHeight(120);
  EXPECT_FALSE(form->HandleAllocated());
  form->Show();
  RECT r;
  ::GetClientRect(form->GetHandle(), &r);
  EXPECT_EQ(r.right, 250);
  EXPECT_EQ(r.bottom, 120);
  delete form;
}

TEST(TimerTest, TicksAtItsIntervalAndStopsWhenDisabledOrZero) {
  auto* timer = new TTimer(nullptr);
  int ticks = 0;
  timer->OnTimer = TNotifyEvent::FromFunction([&](TObject* sender) {
    EXPECT_EQ(sender, timer);
    ++ticks;
  });
  timer->SetInterval(15);
  EXPECT_TRUE(ProcessUntil([&] { return ticks >= 3; }, 30000));
  timer->SetEnabled(false);
  const int stopped = ticks;
  ProcessFor(100);
  EXPECT_EQ(ticks, stopped);
  timer->SetEnabled(true);
  timer->SetInterval(0);
  ProcessFor(100);
  EXPECT_EQ(ticks, stopped) << "interval 0 gives no ticks";
  timer->SetInterval(10);
  EXPECT_TRUE(ProcessUntil([&] { return ticks > stopped; }, 30000));
  delete timer;
}

TEST(TimerTest, SettingTheIntervalRestartsTheCountdown) {
  auto* timer = new TTimer(nullptr);
  int ticks = 0;
  timer->OnTimer = TNotifyEvent::FromFunction([&](TObject*) { ++ticks; });
  timer->SetInterval(1000);
  // Restarted every 50 ms, a 1 s timer never gets to tick (unless a busy machine held this
  // thread back for the whole second between two restarts: the longest gap says whether it did).
  DWORD longest = 0;
  for (int i = 0; i < 8; ++i) {
    const DWORD before = ::GetTickCount();
    ProcessFor(50);
    timer->SetInterval(i % 2 ? 1000 : 1001);
    longest = std::max<DWORD>(longest, ::GetTickCount() - before);
  }
  if (longest < 1000) EXPECT_EQ(ticks, 0) << "the longest gap between restarts was " << longest << " ms";
  EXPECT_TRUE(ProcessUntil([&] { return ticks >= 1; }, 30000));
  delete timer;
}

TEST(ApplicationTest, TheApplicationWindowHasItsClassAndTheTitle) {
  char name[64];
  ::GetClassNameA(Application->GetHandle(), name, sizeof name);
  EXPECT_STREQ(name, "TApplication");
  const AnsiString saved = Application->GetTitle();
  Application->SetTitle("Forms test title");
  EXPECT_EQ(::FindWindowA("TApplication", "Forms test title"), Application->GetHandle());
  Application->SetTitle(saved);
  EXPECT_EQ(Application->GetTitle(), "classlib_forms_tests");
}

TEST(ApplicationTest, HooksOfTheApplicationWindowSeeItsMessages) {
  std::vector<UINT> seen;
  TWindowHook hook = TWindowHook::FromFunction([&](TMessage& m) {
    seen.push_back(m.Msg);
    if (m.Msg == WM_USER + 77) {
      m.Result = 5;
      return true;
    }
    return false;
  });
  Application->HookMainWindow(hook);
  EXPECT_EQ(::SendMessageA(Application->GetHandle(), WM_USER + 77, 0, 0), 5);
  Application->UnhookMainWindow(hook);
  EXPECT_EQ(::SendMessageA(Application->GetHandle(), WM_USER + 77, 0, 0), 0);
  EXPECT_EQ(seen, std::vector<UINT>{WM_USER + 77});
}

TEST(ApplicationTest, OnIdleAndOnMessageRunFromTheLoop) {
  int idles = 0;
  int posted = 0;
  Application->OnIdle = TIdleEvent::FromFunction([&](TObject*, bool& Done) {
    ++idles;
    Done = true;
  });
  Application->OnMessage = TMessageEvent::FromFunction([&](MSG& msg, bool& Handled) {
    if (msg.message == WM_USER + 55) {
      ++posted;
      Handled = true;
    }
  });
  ::PostMessageA(Application->GetHandle(), WM_USER + 55, 0, 0);
  ::PostMessageA(Application->GetHandle(), WM_NULL, 0, 0);
  Application->HandleMessage();
  Application->HandleMessage();
  ::PostMessageA(Application->GetHandle(), WM_NULL, 0, 0);
  Application->HandleMessage();  // the WM_NULL
  ::PostMessageA(Application->GetHandle(), WM_NULL, 0, 0);
  Application->HandleMessage();
  Application->OnMessage = nullptr;
  EXPECT_EQ(posted, 1);
  EXPECT_EQ(idles, 0) << "no idling while messages wait";

  // With nothing left to do the loop idles; Done false keeps it from waiting for a message.
  Application->OnIdle = TIdleEvent::FromFunction([&](TObject*, bool& Done) {
    ++idles;
    Done = false;
  });
  const DWORD start = ::GetTickCount();
  while (idles == 0 && ::GetTickCount() - start < 30000) Application->HandleMessage();
  Application->OnIdle = nullptr;
  EXPECT_GE(idles, 1);
}

TEST(FormTest, AModalFormOpensAnotherModalForm) {
  auto* outer = new TSampleForm(Application);
  auto* inner = new TSampleForm(outer);
  auto* timer = new TTimer(outer);
  timer->SetInterval(10);
  std::vector<std::string> steps;
  TModalResult innerResult = mrNone;
  int ticks = 0;
  timer->OnTimer = TNotifyEvent::FromFunction([&](TObject*) {
    ++ticks;
    if (ticks == 2) {
      steps.push_back("inner opens");
      innerResult = inner->ShowModal();  // the timer keeps ticking inside
      steps.push_back("inner closed");
      outer->SetModalResult(mrIgnore);
    }
    if (ticks == 5 && inner->GetVisible()) {
      EXPECT_FALSE(::IsWindowEnabled(outer->GetHandle())) << "the outer form is disabled under the inner one";
      inner->SetModalResult(mrNo);
    }
  });
  EXPECT_EQ(outer->ShowModal(), mrIgnore);
  EXPECT_EQ(innerResult, mrNo);
  EXPECT_EQ(steps, (std::vector<std::string>{"inner opens", "inner closed"}));
  delete outer;
}

TEST(TimerTest, AnExceptionInOnTimerIsShownByTheApplication) {
  auto* timer = new TTimer(nullptr);
  timer->SetInterval(10);
  timer->OnTimer = TNotifyEvent::FromFunction([](TObject*) { throw Exception("timer failed"); });
  std::vector<std::string> reported;
  TObject* sender = nullptr;
  Application->OnException = TExceptionEvent::FromFunction([&](TObject* s, Exception* e) {
    sender = s;
    reported.push_back(e->Message);
  });
  EXPECT_TRUE(ProcessUntil([&] { return !reported.empty(); }, 30000));
  Application->OnException = nullptr;
  delete timer;
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.front(), "timer failed");
  EXPECT_EQ(sender, static_cast<TObject*>(timer));
}

// The close button of a dialog's caption shows its symbol, a cross drawn with the system's symbol
// font; without that font it would be blank or show the box of a missing character. The button
// is found by hit-testing the frame; its inner area (within its 3-D edges) must be dark in the
// middle, where the cross's strokes meet and a box would be hollow, and dark near both ends of
// both diagonals, where a blank would be empty.
TEST(FormTest, ADialogsCaptionShowsItsCloseSymbol) {
  auto* dialog = new TForm(Application);
  dialog->SetBorderStyle(bsDialog);
  dialog->SetCaption("Close symbol");
  dialog->SetBounds(120, 120, 260, 120);
  dialog->Show();
  ProcessUntil([&] { return dialog->GetActive(); });
  const HWND window = dialog->GetHandle();
  RECT frame;
  ::GetWindowRect(window, &frame);
  RECT button{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int y = 0; y < ::GetSystemMetrics(SM_CYCAPTION) + 8; ++y) {
    for (int x = 0; x < frame.right - frame.left; ++x) {
      if (::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(frame.left + x, frame.top + y)) != HTCLOSE) continue;
      button = {std::min<LONG>(button.left, x), std::min<LONG>(button.top, y), std::max<LONG>(button.right, x + 1),
                std::max<LONG>(button.bottom, y + 1)};
    }
  }
  ASSERT_LT(button.left, button.right) << "no close button in the caption";
  testing_support::SaveScreenshot(window, "dialog-caption");
  const testing_support::ScreenImage image = testing_support::CaptureWindow(window);
  ASSERT_EQ(image.width, frame.right - frame.left);
  const auto dark = [&](int x, int y) {
    const COLORREF c = image.Pixel(x, y);
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96;
  };
  // Any dark pixel in a square of the inner area, given by its centre.
  const auto darkNear = [&](int cx, int cy) {
    for (int y = cy - 1; y <= cy + 1; ++y)
      for (int x = cx - 1; x <= cx + 1; ++x)
        if (dark(x, y)) return true;
    return false;
  };
  const int left = button.left + 3, top = button.top + 3, right = button.right - 4, bottom = button.bottom - 4;
  const int cx = (left + right) / 2, cy = (top + bottom) / 2;
  const int dx = (right - left) / 4, dy = (bottom - top) / 4;
  EXPECT_TRUE(darkNear(cx, cy)) << "the strokes meet in the middle";
  EXPECT_TRUE(darkNear(cx - dx, cy - dy) && darkNear(cx + dx, cy + dy)) << "one diagonal";
  EXPECT_TRUE(darkNear(cx + dx, cy - dy) && darkNear(cx - dx, cy + dy)) << "the other diagonal";
  EXPECT_FALSE(darkNear(cx, top + 1) || darkNear(cx, bottom - 1)) << "no box edge above or below the middle";
  delete dialog;
}
