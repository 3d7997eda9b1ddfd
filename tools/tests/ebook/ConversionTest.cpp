// Converting one page: the builder driven state by state with the keys and activations of each
// step, the busy marker watched, and every way a builder can fail ending the conversion within
// its bound. The builder is a fake that records what it is told; time is a fake clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "tools/eBookUnit.h"
#include "tools/tests/support/ToolsTestSupport.h"

namespace {

using tools_testing::Lines;

class FakeBuilder : public TEBookBuilder {
public:
  bool Running() override { return running; }
  bool Answers() override { return answers; }
  void ShowWindow(bool visible) override {
    calls.push_back(visible ? "show" : "hide");
    shown = visible;
  }
  bool Shown() override { return shown; }
  TFront Front() override { return !front ? bfNone : between ? bfBetween : dialog ? bfDialog : bfMain; }
  std::uintptr_t FrontWindow() override { return front ? window : 0; }
  void BringToFront() override {
    calls.push_back("bring to front");
    front = comesToFront;
  }
  void SetActivation(bool on) override { calls.push_back(on ? "activation on" : "activation off"); }
  void SendKeys(const AnsiString& keys, bool processMessages) override {
    calls.push_back("send " + keys + (processMessages ? "" : " (messages wait)"));
    sentTo.push_back(keys + " to " + std::to_string(FrontWindow()));
    queued.push_back(keys);
    if (takesKeys) TakeKeys();
  }
  // The builder takes the keys queued for it: those that open a window and those that close one
  // open or close it, and the window opened or gone back to is in front.
  void TakeKeys() {
    for (const AnsiString& keys : queued) {
      // Enter in the new project window closes it and opens the question in its place.
      if (keys == "^o" || keys == "%e%a" || keys == "^b" || keys == "^n%b" || keys == "{ENTER}")
        Open();
      else if (keys == "%{F4}" || keys == "%n" || AnsiEndsStr("%o", keys))
        BackToMain();
    }
    queued.clear();
  }
  // A window opened in front of the main window; the main window back in front.
  void Open() {
    dialog = true;
    window = ++windows;
  }
  void BackToMain() {
    dialog = false;
    window = 1;
  }

  bool running = true;
  bool answers = true;
  bool shown = false;
  bool dialog = false;
  bool front = true;
  bool comesToFront = true;
  // One window closing, the next not yet in front.
  bool between = false;
  // The window in front: the main window 1, each window opened after it a number of its own.
  std::uintptr_t window = 1;
  std::uintptr_t windows = 1;
  // Off: keys wait in the queue until TakeKeys.
  bool takesKeys = true;
  Lines queued;
  Lines calls;
  // Each script sent, with the window in front when it was sent ("^o to 1").
  Lines sentTo;
};

class ConversionTest : public tools_testing::ToolsTest {
public:
  void SetUp() override {
    ToolsTest::SetUp();
    // A program folder whose name holds characters that mean keys to the sender.
    ProgramFolder = temp_.Path() + "Pelorin (x86)\\";
    MyReg->SetEBooksFolder(temp_.Path() + "eBooks");
    ForceDirectories(EBooksFolder());
    ForceDirectories(EBookWorkFolder());
    html_ = HtmlFileName("Genesis");
    testing_support::WriteFileBytes(html_, "<HTML></HTML>");
  }

  std::uint64_t now_ = 1000000;
  TEBookConversion::TClock Clock() {
    return [this] { return now_; };
  }
  // Steps until the conversion reaches `state` (or ends), the clock standing still; the result of
  // the last step.
  TEBookConversion::TResult StepTo(TEBookConversion& c, Integer state) {
    TEBookConversion::TResult result = TEBookConversion::crWorking;
    for (int i = 0; i < 40 && c.State() < state && result == TEBookConversion::crWorking; ++i) result = c.Step();
    return result;
  }
  std::string EBook() const { return EBooksFolder() + "Genesis.lit"; }
  std::string Marker() const { return EBook() + ".OLD"; }

  std::string html_;
  FakeBuilder builder_;
};

TEST_F(ConversionTest, EachStateSendsItsKeys) {
  testing_support::WriteFileBytes(EBook(), "an old e-book");
  testing_support::WriteFileBytes(Marker(), "left by a builder that ended");
  TEBookConversion c(builder_, html_, "Genesis", Clock());
  EXPECT_EQ(c.EBookFile(), EBook());
  EXPECT_EQ(StepTo(c, 12), TEBookConversion::crWorking);
  EXPECT_EQ(c.State(), 12);
  // Before the build starts, the old e-book and a marker left behind are gone.
  EXPECT_FALSE(FileExists(EBook()));
  EXPECT_FALSE(FileExists(Marker()));
  const std::string folder = temp_.Path() + "Pelorin {(}x86{)}\\ebook\\";
  EXPECT_EQ(builder_.calls, (Lines{"show", "activation on",
                                   "send ^o", "activation off",
                                   "send " + folder + "pelorin.rwp",
                                   "send %o", "activation on",
                                   "send %e%a", "activation off",
                                   "send " + folder + "Genesis.html%o", "activation on",
                                   "send ^b", "activation off",
                                   "send %m", "activation off",
                                   "send {TAB}", "activation off",
                                   "send " + temp_.Path() + "eBooks\\", "activation off",
                                   "send {TAB}{TAB}", "activation off",
                                   "send  "}));
  builder_.calls.clear();

  // The build: the marker comes, the e-book is written, the marker goes.
  EXPECT_TRUE(c.MarkerWatched());
  c.WatchMarker();
  EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
  EXPECT_EQ(c.State(), 12);
  testing_support::WriteFileBytes(Marker(), "busy");
  c.WatchMarker();
  testing_support::WriteFileBytes(EBook(), "the e-book");
  c.WatchMarker();
  EXPECT_TRUE(c.MarkerWatched());
  ::DeleteFileA(Marker().c_str());
  c.WatchMarker();
  EXPECT_FALSE(c.MarkerWatched());

  TEBookConversion::TResult result = TEBookConversion::crWorking;
  for (int i = 0; i < 10 && result == TEBookConversion::crWorking; ++i) result = c.Step();
  EXPECT_EQ(result, TEBookConversion::crDone);
  EXPECT_EQ(builder_.calls, (Lines{"send %{F4} (messages wait)",
                                   "activation on", "send ^n%b (messages wait)",
                                   "activation off", "send {ENTER} (messages wait)",
                                   "send %n (messages wait)",
                                   "hide"}));
  EXPECT_FALSE(FileExists(html_));
  EXPECT_EQ(testing_support::ReadFileBytes(EBook()), "the e-book");
}

TEST_F(ConversionTest, KeysThatOpenOrCloseAWindowAreTakenBeforeTheNextAreSent) {
  // A busy builder: its keys wait in its queue until it takes them.
  builder_.takesKeys = false;
  TEBookConversion c(builder_, html_, "Genesis", Clock());
  // The scripts after which a step waited for the builder to take them; each wait lasts until it
  // has. The others are typed ahead into the window that is open.
  Lines waitedFor;
  auto run = [&](Integer until) {
    for (int i = 0; i < 60 && c.State() < until; ++i) {
      const std::size_t calls = builder_.calls.size();
      ASSERT_EQ(c.Step(), TEBookConversion::crWorking);
      if (builder_.calls.size() > calls || builder_.queued.empty()) continue;
      waitedFor.push_back(builder_.queued.back());
      now_ += 1000;
      EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
      EXPECT_EQ(builder_.calls.size(), calls) << "sent before the builder took " << builder_.queued.back();
      builder_.TakeKeys();
    }
  };
  run(12);
  const std::string source = temp_.Path() + "Pelorin {(}x86{)}\\ebook\\Genesis.html%o";
  EXPECT_EQ(waitedFor, (Lines{"^o", "%o", "%e%a", source, "^b"}));
  builder_.TakeKeys();
  testing_support::WriteFileBytes(EBook(), "built in a flash");
  c.WatchMarker();
  ASSERT_FALSE(c.MarkerWatched());
  waitedFor.clear();
  run(17);
  // The builder's window is hidden only once it has taken its last key: hidden before, it would
  // lose it.
  EXPECT_EQ(waitedFor, (Lines{"%{F4}", "^n%b", "{ENTER}"}));
  ASSERT_EQ(builder_.queued, Lines{"%n"});
  EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
  EXPECT_NE(builder_.calls.back(), "hide");
  builder_.TakeKeys();
  EXPECT_EQ(c.Step(), TEBookConversion::crDone);
  EXPECT_EQ(builder_.calls.back(), "hide");
}

TEST_F(ConversionTest, TheNewProjectsQuestionIsAnsweredBeforeTheBuilderIsHidden) {
  // A busy builder takes the keys of the new project late, one window at a time: "New Project"
  // opens, closes on Enter, and only a moment later asks in "Save Changes" whether to save the old
  // project; meanwhile its main window stands in front. Keys and the hiding go by what stands in
  // front, each step waiting, the clock standing still, until the builder has got there.
  TEBookConversion c(builder_, html_, "Genesis", Clock());
  StepTo(c, 12);
  testing_support::WriteFileBytes(EBook(), "built in a flash");
  c.WatchMarker();
  StepTo(c, 14);
  builder_.takesKeys = false;
  builder_.windows = 1;  // the windows opened from here on are 2, 3, ...
  builder_.calls.clear();
  builder_.sentTo.clear();
  auto steps = [&] {
    TEBookConversion::TResult result = TEBookConversion::crWorking;
    for (int i = 0; i < 3 && result == TEBookConversion::crWorking; ++i) result = c.Step();
    return result;
  };
  EXPECT_EQ(steps(), TEBookConversion::crWorking);
  builder_.Open();  // "New Project", the keys before Enter taken
  EXPECT_EQ(steps(), TEBookConversion::crWorking);
  builder_.BackToMain();  // "New Project" closed, "Save Changes" not there yet
  EXPECT_EQ(steps(), TEBookConversion::crWorking);
  EXPECT_EQ(std::count(builder_.calls.begin(), builder_.calls.end(), "hide"), 0) << "hidden before its question";
  builder_.Open();  // "Save Changes"
  EXPECT_EQ(steps(), TEBookConversion::crWorking);
  builder_.BackToMain();
  EXPECT_EQ(steps(), TEBookConversion::crDone);
  EXPECT_EQ(builder_.calls.back(), "hide");
  // The keys as before, each part sent to the window it is for: the main window, "New Project"
  // (opened as window 2), "Save Changes" (window 3).
  EXPECT_EQ(builder_.sentTo, (Lines{"^n%b to 1", "{ENTER} to 2", "%n to 3"}));
}

TEST_F(ConversionTest, KeysGoOnlyToTheBuilderInFront) {
  TEBookConversion c(builder_, html_, "Genesis", Clock());
  StepTo(c, 6);
  // The source window is closing (the main window enabled again, the closing window still in
  // front): keys sent now would go to it and be lost with it.
  builder_.between = true;
  builder_.calls.clear();
  EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
  EXPECT_TRUE(builder_.calls.empty());
  builder_.between = false;
  StepTo(c, 7);
  builder_.calls.clear();
  // Another program took the front: the builder is brought back before its keys are sent.
  builder_.front = false;
  EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
  EXPECT_EQ(builder_.calls, (Lines{"bring to front", "send %m", "activation off"}));

  // It does not come: the keys wait, and after the bound they are sent as they are.
  builder_.calls.clear();
  builder_.front = false;
  builder_.comesToFront = false;
  EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
  now_ += TEBookConversion::AnswerBound - 1;
  EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
  EXPECT_EQ(builder_.calls, (Lines{"bring to front", "bring to front"}));
  EXPECT_EQ(c.State(), 8);
  now_ += 1;
  EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
  EXPECT_EQ(c.State(), 9);
  EXPECT_EQ(builder_.calls.back(), "activation off");

  // A builder that never closes its window is hidden after the bound all the same.
  builder_.front = true;
  StepTo(c, 12);
  testing_support::WriteFileBytes(EBook(), "built in a flash");
  c.WatchMarker();
  StepTo(c, 17);
  ASSERT_EQ(c.State(), 17);
  builder_.dialog = true;
  EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
  now_ += TEBookConversion::AnswerBound;
  EXPECT_EQ(c.Step(), TEBookConversion::crDone);
  EXPECT_EQ(builder_.calls.back(), "hide");
}

TEST_F(ConversionTest, AnEBookWithoutAMarkerIsDone) {
  TEBookConversion c(builder_, html_, "Genesis", Clock());
  StepTo(c, 12);
  testing_support::WriteFileBytes(EBook(), "built in a flash");
  c.WatchMarker();
  EXPECT_FALSE(c.MarkerWatched());
  EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
  EXPECT_EQ(c.State(), 13);
}

TEST_F(ConversionTest, ABuilderThatDoesNotAnswerIsWaitedForWithinTheBound) {
  TEBookConversion c(builder_, html_, "Genesis", Clock());
  StepTo(c, 5);
  // Busy for a while: the step waits, then goes on.
  builder_.answers = false;
  builder_.calls.clear();
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
    now_ += 1000;
  }
  EXPECT_EQ(c.State(), 5);
  EXPECT_TRUE(builder_.calls.empty());
  builder_.answers = true;
  EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
  EXPECT_EQ(c.State(), 6);
  // Silent for good: the bound counts from the first unanswered step.
  builder_.answers = false;
  EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
  now_ += TEBookConversion::AnswerBound - 1;
  EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
  now_ += 1;
  EXPECT_EQ(c.Step(), TEBookConversion::crFailed);
  EXPECT_EQ(c.Failure(), "The eBook builder does not answer while converting Genesis");
}

TEST_F(ConversionTest, EveryWayOfFailingEndsWithItsTextWithinItsBound) {
  struct Row {
    const char* What;
    // What the builder does once it was told to build, as the watch sees it.
    std::function<void(ConversionTest&, TEBookConversion&)> Build;
    // How long after that the watch gives up.
    std::uint64_t Bound;
    const char* Failure;
  } rows[] = {
      {"ends before building", [](ConversionTest& t, TEBookConversion&) { t.builder_.running = false; }, 0,
       "The eBook builder has ended while converting Genesis"},
      {"never starts", [](ConversionTest&, TEBookConversion&) {}, TEBookConversion::StartBound,
       "The eBook builder did not start building Genesis"},
      // It took the build (no marker yet) and stopped answering: it began and never ends.
      {"hangs in the build", [](ConversionTest& t, TEBookConversion&) { t.builder_.answers = false; },
       TEBookConversion::StartBound, "The eBook builder did not finish building Genesis"},
      {"ends while building",
       [](ConversionTest& t, TEBookConversion& c) {
         testing_support::WriteFileBytes(t.Marker(), "busy");
         c.WatchMarker();
         t.builder_.running = false;
       },
       0, "The eBook builder has ended while converting Genesis"},
      {"builds nothing",
       [](ConversionTest& t, TEBookConversion& c) {
         testing_support::WriteFileBytes(t.Marker(), "busy");
         c.WatchMarker();
         ::DeleteFileA(t.Marker().c_str());
         c.WatchMarker();
       },
       TEBookConversion::EBookLag, "The eBook builder made no eBook of Genesis"},
      {"never finishes",
       [](ConversionTest& t, TEBookConversion& c) {
         testing_support::WriteFileBytes(t.Marker(), "busy");
         c.WatchMarker();
       },
       TEBookConversion::BuildBound, "The eBook builder did not finish building Genesis"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.What);
    builder_ = FakeBuilder();
    ::DeleteFileA(Marker().c_str());
    testing_support::WriteFileBytes(html_, "<HTML></HTML>");
    TEBookConversion c(builder_, html_, "Genesis", Clock());
    StepTo(c, 12);
    ASSERT_EQ(c.State(), 12);
    row.Build(*this, c);
    if (row.Bound > 0) {
      now_ += row.Bound - 1;
      c.WatchMarker();
      EXPECT_TRUE(c.MarkerWatched());
      EXPECT_EQ(c.Step(), TEBookConversion::crWorking);
      now_ += 1;
    }
    c.WatchMarker();
    EXPECT_FALSE(c.MarkerWatched());
    EXPECT_EQ(c.Step(), TEBookConversion::crFailed);
    EXPECT_EQ(c.Failure(), row.Failure);
  }
}

TEST_F(ConversionTest, ABuilderThatEndsBetweenStepsFails) {
  TEBookConversion c(builder_, html_, "Genesis", Clock());
  StepTo(c, 3);
  builder_.running = false;
  builder_.calls.clear();
  EXPECT_EQ(c.Step(), TEBookConversion::crFailed);
  EXPECT_EQ(c.Failure(), "The eBook builder has ended while converting Genesis");
  EXPECT_TRUE(builder_.calls.empty());
}

}  // namespace
