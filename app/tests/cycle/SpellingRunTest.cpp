// The background spelling check (words until the tick's share is spent, the spelling helper asked
// after an idle wait, one that does not answer asked no more),
// the spelling dialog's verdicts with the helper, the filter of bracketed words, and the check of
// all books, on a fake spell component, a fake helper and the idle waits without their thread.
#include <algorithm>
#include <map>
#include <set>

#include "app/IdleWait.h"
#include "app/SpellAllRun.h"
#include "app/SpellTimerRun.h"
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/FakeHost.h"

namespace {

using namespace app_testing;

// A spell component that knows a set of words and reads a list of words as the book's text.
class FakeSpell : public TSpellCheckPeer {
public:
  bool ComponentBusy() override { return Busy; }
  void StartWords() override {
    ++Starts;
    next_ = 0;
  }
  AnsiString NextWord() override { return next_ < Words.size() ? Words[next_++] : AnsiString(); }
  bool IsWordAcceptable(const AnsiString& word) override { return Known.count(word) > 0; }
  // The share of a tick is spent after WordsPerTick words.
  void StartTickBudget() override {
    wordsThisTick_ = 0;
    ++Ticks;
  }
  bool TickBudgetSpent() override { return ++wordsThisTick_ >= WordsPerTick; }
  void AcceptWord(const AnsiString& word) override {
    Known.insert(word);
    Accepted.push_back(word);
  }
  void SetTimerInterval(Cardinal milliseconds) override { Interval = milliseconds; }
  void DisableTimer() override { TimerEnabled = false; }

  bool CheckCancelled() override { return Cancelled; }
  void SetEndMessage(TSpellEndMessage endMessage) override { EndMessage = endMessage; }
  void CheckEditor() override { CheckedTexts.push_back(Host->EditorView.Lines->GetStrings(0)); }
  void DisableAllBooksTimer() override { AllBooksTimerEnabled = false; }
  void ShowAllBooksFinished() override { ++FinishedMessages; }

  Lines Words;
  std::set<std::string> Known = {"the", "In", "beginning", "was", "Word"};
  Lines Accepted;
  bool Busy = false;
  int Starts = 0;
  Cardinal Interval = 10;
  bool TimerEnabled = true;
  int WordsPerTick = 1;
  int Ticks = 0;

  FakeHost* Host = nullptr;
  bool Cancelled = false;
  TSpellEndMessage EndMessage = emExceptCancel;
  Lines CheckedTexts;
  bool AllBooksTimerEnabled = true;
  int FinishedMessages = 0;

private:
  std::size_t next_ = 0;
  int wordsThisTick_ = 0;
};

// A helper that answers from a table. Its program takes StartSteps steps of the link to start
// (each step returns at once); unreachable, it never opens a link; timing out, it never answers.
class FakeHelper : public THelperLink {
public:
  explicit FakeHelper(TSpellingHelperState& state) : state_(state) {}
  TDdeOpenProgress Open(const AnsiString& service, const AnsiString& serviceApplication) override {
    Opened.push_back(service + " " + serviceApplication);
    if (stepsLeft_ == 0) {
      ++Starts;
      stepsLeft_ = StartSteps + 1;
    }
    if (--stepsLeft_ > 0) return dopStarting;
    state_.Linked = Reachable;
    return Reachable ? dopOpen : dopFailed;
  }
  void Ask(const AnsiString& word) override { Asked.push_back(word); }
  bool Answer(AnsiString& text) override {
    if (TimesOut) return false;
    auto it = Answers.find(Asked.back());
    text = it == Answers.end() ? AnsiString() : it->second;
    return true;
  }

  bool Reachable = true;
  int StartSteps = 0;
  bool TimesOut = false;
  std::map<std::string, std::string> Answers;
  Lines Opened;
  Lines Asked;
  int Starts = 0;

private:
  TSpellingHelperState& state_;
  int stepsLeft_ = 0;
};

class SpellingRunTest : public AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteTestBook("RUT", {"\\id RUT", "\\c 1", "\\p", "\\v 1 Elimelech went."}, 10);
    WriteTestBook("MAT", {"\\id MAT", "\\c 1", "\\p", "\\v 1 Abia begat Asa."}, 10);
    WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 In the beginning was the Word."}, 10);
    Fresh();
  }

  // A new check with nothing remembered, no helper named.
  void Fresh() {
    run_.reset();
    folder_.clear();
    fileName_.clear();
    state_ = TSpellingHelperState();
    spell_ = FakeSpell();
    work_ = std::make_unique<Background>();
    spell_.Host = &work_->Host;
    helper_ = std::make_unique<FakeHelper>(state_);
    idle_ = std::make_unique<TIdleWaits>([this](bool on) { idleTimer_ = on; }, false);
    run_ = std::make_unique<TSpellTimerRun>(work_->Host, spell_, *helper_, *idle_, *work_->Book, state_, folder_,
                                            fileName_);
  }

  // Loads the book and runs its check from state 3 to the end (the idle waits end as soon as they
  // start); false when it does not end within `limit` ticks.
  bool CheckBook(int book, const Lines& words, int limit = 1000) {
    work_->Book->LoadBookAndResults(book);
    spell_.Words = words;
    spell_.TimerEnabled = true;
    run_->SpellState = 3;
    for (int i = 0; i < limit; ++i) {
      run_->Tick();
      if (run_->SpellState == 5) idle_->GetChannel(TIdleWaits::HelperChannel).Done = true;
      if (run_->SpellState == 0) return true;
    }
    return false;
  }
  Lines BookErrors() { return ItemsOf(work_->Book->BookSpellingErrors); }
  Lines KnownBad() { return ItemsOf(work_->Book->KnownBadWords); }

  AnsiString folder_;
  AnsiString fileName_;
  TSpellingHelperState state_;
  FakeSpell spell_;
  std::unique_ptr<FakeHelper> helper_;
  bool idleTimer_ = false;
  std::unique_ptr<Background> work_;
  std::unique_ptr<TIdleWaits> idle_;
  std::unique_ptr<TSpellTimerRun> run_;
};

TEST_F(SpellingRunTest, WithoutAHelperEveryOccurrenceOfAnUnknownWordCountsAndTheWordIsListedOnce) {
  run_->SpellState = 3;
  work_->Book->LoadBookAndResults(8);
  spell_.Words = {"Elimelech", "went", "Elimelech", "the", "Elimelech"};
  run_->Tick();
  EXPECT_EQ(work_->Host.Status[spCycle], "Spelling checking ...");
  EXPECT_EQ(spell_.Interval, 10u);
  EXPECT_EQ(run_->SpellState, 4);
  for (int i = 0; i < 6; ++i) run_->Tick();
  EXPECT_EQ(run_->SpellState, 0);
  EXPECT_EQ(work_->Host.Status[spCycle], "Spelling check ready");
  EXPECT_FALSE(spell_.TimerEnabled);
  EXPECT_EQ(work_->Book->SpellingErrorCount, 4);
  EXPECT_EQ(BookErrors(), (Lines{"Elimelech", "went"}));
  EXPECT_TRUE(helper_->Opened.empty());

  // The results file keeps the count and the words of the finished check.
  work_->Book->ChecksFinished();
  work_->Book->WriteResultsFile();
  const Lines file = ResultsOf("Ruth");
  ASSERT_GE(file.size(), 5u);
  EXPECT_EQ(Lines(file.begin() + 1, file.begin() + 5), (Lines{"4", "[spelling errors]", "Elimelech", "went"}));

  // Idle, the timer only looks again every second.
  run_->Tick();
  EXPECT_EQ(spell_.Interval, 1000u);
  EXPECT_EQ(run_->SpellState, 0);
}

TEST_F(SpellingRunTest, AWordMisspeltInOneBookIsCountedInALaterBookWithoutAskingTheHelperAgain) {
  fileName_ = "Helper.exe";
  folder_ = "C:\\Spell Helpers\\";
  helper_->Answers = {{"Elimelech", "No"}, {"Abia", "Yes"}};
  ASSERT_TRUE(CheckBook(8, {"Elimelech", "the", "Elimelech"}));
  EXPECT_EQ(helper_->Asked, (Lines{"Elimelech"}));
  // The program that serves the link is named by its path in quotes.
  EXPECT_EQ(helper_->Opened, (Lines{"Helper \"C:\\Spell Helpers\\Helper\""}));
  EXPECT_EQ(work_->Book->SpellingErrorCount, 2);

  helper_->Answers["went"] = "Yes";
  ASSERT_TRUE(CheckBook(40, {"Abia", "Elimelech", "Abia", "went"}));
  EXPECT_EQ(helper_->Asked, (Lines{"Elimelech", "Abia", "went"}));
  EXPECT_EQ(spell_.Accepted, (Lines{"Abia", "went"}));
  EXPECT_EQ(work_->Book->SpellingErrorCount, 1);
  EXPECT_EQ(BookErrors(), Lines{"Elimelech"});
  EXPECT_EQ(KnownBad(), Lines{"Elimelech"});
}

TEST_F(SpellingRunTest, TheHelpersAnswerDecidesAndAnUnreachableHelperLeavesTheWordMisspelt) {
  struct Case {
    const char* name;
    bool reachable;
    const char* answer;
    bool approved;
    const char* status;
  };
  const Case cases[] = {
      {"Yes", true, "Yes", true, "Approved of Abia"},
      {"Yes and more", true, "Yes, it exists", true, "Approved of Abia"},
      {"lower case", true, "yes", false, "Disapproved of Abia"},
      {"No", true, "No", false, "Disapproved of Abia"},
      {"too short", true, "Ye", false, "Disapproved of Abia"},
      {"silent", true, nullptr, false, "Disapproved of Abia"},
      {"unreachable", false, "Yes", false, TSpellTimerRun::HelperSilentText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    fileName_ = "Helper.exe";
    helper_->Reachable = c.reachable;
    state_ = TSpellingHelperState();
    if (c.answer) helper_->Answers["Abia"] = c.answer;
    ASSERT_TRUE(CheckBook(40, {"Abia", "Abia"}));
    EXPECT_EQ(state_.Status, c.status);
    EXPECT_EQ(spell_.Accepted, c.approved ? Lines{"Abia"} : Lines{});
    EXPECT_EQ(work_->Book->SpellingErrorCount, c.approved ? 0 : 2);
    EXPECT_EQ(BookErrors(), c.approved ? Lines{} : Lines{"Abia"});
    EXPECT_EQ(helper_->Asked, c.reachable ? Lines{"Abia"} : Lines{});
  }
}

TEST_F(SpellingRunTest, TheAnswerIsReadOnceTheMachineWasIdleLongEnoughOrAfterTwentySeconds) {
  fileName_ = "Helper.exe";
  helper_->Answers["Abia"] = "No";
  work_->Book->LoadBookAndResults(40);
  spell_.Words = {"Abia"};
  run_->SpellState = 3;
  run_->Tick();
  run_->Tick();
  ASSERT_EQ(run_->SpellState, 5);
  EXPECT_EQ(state_.Status, "Enquiring about Abia");
  EXPECT_TRUE(idleTimer_);

  // Busy: the counter stays low, and the wait ends only when its 2000 ticks have passed.
  for (int i = 0; i < 2000; ++i) idle_->Tick();
  run_->Tick();
  EXPECT_EQ(run_->SpellState, 5);
  idle_->Tick();
  EXPECT_FALSE(idleTimer_);
  run_->Tick();
  EXPECT_EQ(run_->SpellState, 6);
  run_->Tick();
  EXPECT_EQ(state_.Status, "Disapproved of Abia");

  // Idle: the counter passing 100 ends the wait at once.
  spell_.Words = {"Asa"};
  run_->SpellState = 3;
  run_->Tick();
  run_->Tick();
  ASSERT_EQ(run_->SpellState, 5);
  idle_->GetChannel(TIdleWaits::HelperChannel).Counter = 101;
  idle_->Tick();
  run_->Tick();
  EXPECT_EQ(run_->SpellState, 5);
  idle_->GetChannel(TIdleWaits::HelperChannel).Counter = 102;
  idle_->Tick();
  run_->Tick();
  EXPECT_EQ(run_->SpellState, 6);
}

TEST_F(SpellingRunTest, AnInteractiveCheckStopsTheBackgroundCheckWhichStartsAgainFromTheFirstWord) {
  work_->Book->LoadBookAndResults(8);
  spell_.Words = {"Elimelech", "went", "Naomi"};
  run_->SpellState = 3;
  run_->Tick();
  run_->Tick();
  ASSERT_EQ(work_->Book->SpellingErrorCount, 1);
  spell_.Busy = true;
  run_->Tick();
  EXPECT_EQ(run_->SpellState, 2);
  EXPECT_EQ(spell_.Interval, 5000u);
  run_->Tick();
  EXPECT_EQ(run_->SpellState, 2);  // still busy: state 1, then 2 again
  EXPECT_EQ(spell_.Interval, 5000u);
  spell_.Busy = false;
  run_->Tick();
  EXPECT_EQ(run_->SpellState, 3);
  EXPECT_EQ(spell_.Interval, 1000u);
  run_->Tick();
  EXPECT_EQ(spell_.Starts, 2);
  EXPECT_EQ(work_->Book->SpellingErrorCount, 0);
  for (int i = 0; i < 4; ++i) run_->Tick();
  EXPECT_EQ(run_->SpellState, 0);
  EXPECT_EQ(work_->Book->SpellingErrorCount, 3);
}

TEST_F(SpellingRunTest, AClosedConversationIsOpenedAgainForTheNextQuestion) {
  fileName_ = "Helper.exe";
  helper_->Answers = {{"Abia", "No"}, {"Asa", "No"}};
  ASSERT_TRUE(CheckBook(40, {"Abia"}));
  state_.Linked = false;  // the helper ended the conversation
  ASSERT_TRUE(CheckBook(40, {"Asa"}));
  EXPECT_EQ(helper_->Opened.size(), 2u);
  EXPECT_EQ(helper_->Asked, (Lines{"Abia", "Asa"}));
}

TEST_F(SpellingRunTest, ATickChecksWordsUntilItsShareIsSpentAndStopsAtAQuestionToTheHelper) {
  // Without a helper: ten words a tick, the count and the words as one word a tick gives them.
  spell_.WordsPerTick = 10;
  Lines words;
  for (int i = 0; i < 25; ++i) words.push_back(i % 5 == 0 ? "Elimelech" : "the");
  ASSERT_TRUE(CheckBook(8, words));
  EXPECT_EQ(spell_.Ticks, 3);
  EXPECT_EQ(work_->Book->SpellingErrorCount, 5);
  EXPECT_EQ(BookErrors(), Lines{"Elimelech"});

  // With a helper, a tick ends at the word put to it; the words after it wait for the answer.
  Fresh();
  spell_.WordsPerTick = 1000;
  fileName_ = "Helper.exe";
  helper_->Answers = {{"Abia", "No"}, {"Asa", "Yes"}};
  work_->Book->LoadBookAndResults(40);
  spell_.Words = {"the", "Abia", "the", "Asa", "Abia", "the"};
  run_->SpellState = 3;
  run_->Tick();
  run_->Tick();
  EXPECT_EQ(run_->SpellState, 5);
  EXPECT_EQ(helper_->Asked, Lines{"Abia"});
  EXPECT_EQ(work_->Book->SpellingErrorCount, 0);
  idle_->GetChannel(TIdleWaits::HelperChannel).Done = true;
  run_->Tick();
  run_->Tick();
  EXPECT_EQ(work_->Book->SpellingErrorCount, 1);
  run_->Tick();
  EXPECT_EQ(run_->SpellState, 5);
  EXPECT_EQ(helper_->Asked, (Lines{"Abia", "Asa"}));
  idle_->GetChannel(TIdleWaits::HelperChannel).Done = true;
  for (int i = 0; i < 3; ++i) run_->Tick();
  EXPECT_EQ(run_->SpellState, 0);
  EXPECT_EQ(work_->Book->SpellingErrorCount, 2);
  EXPECT_EQ(spell_.Accepted, Lines{"Asa"});
}

TEST_F(SpellingRunTest, AStartingHelperIsWaitedForATickAtATimeAndAnswersTheWord) {
  fileName_ = "Helper.exe";
  helper_->StartSteps = 3;
  helper_->Answers["Abia"] = "Yes";
  work_->Book->LoadBookAndResults(40);
  spell_.Words = {"Abia", "Asa"};
  run_->SpellState = 3;
  run_->Tick();
  run_->Tick();
  EXPECT_EQ(run_->SpellState, 7);
  EXPECT_EQ(spell_.Interval, TSpellTimerRun::HelperStartIntervalMs);
  run_->Tick();
  run_->Tick();
  EXPECT_EQ(run_->SpellState, 7);
  run_->Tick();
  EXPECT_EQ(run_->SpellState, 5);
  EXPECT_EQ(spell_.Interval, TSpellTimerRun::WordIntervalMs);
  EXPECT_EQ(helper_->Starts, 1);
  EXPECT_EQ(helper_->Opened.size(), 4u);
  EXPECT_EQ(helper_->Asked, Lines{"Abia"});

  // An interactive check meanwhile: the word comes again after it, and the same start goes on.
  Fresh();
  fileName_ = "Helper.exe";
  helper_->StartSteps = 3;
  helper_->Answers["Abia"] = "No";
  ASSERT_EQ(helper_->Starts, 0);
  work_->Book->LoadBookAndResults(40);
  spell_.Words = {"Abia"};
  run_->SpellState = 3;
  run_->Tick();
  run_->Tick();
  ASSERT_EQ(run_->SpellState, 7);
  spell_.Busy = true;
  run_->Tick();
  spell_.Busy = false;
  run_->Tick();
  ASSERT_EQ(run_->SpellState, 3);
  for (int i = 0; i < 20 && run_->SpellState != 0; ++i) {
    run_->Tick();
    if (run_->SpellState == 5) idle_->GetChannel(TIdleWaits::HelperChannel).Done = true;
  }
  EXPECT_EQ(run_->SpellState, 0);
  EXPECT_EQ(helper_->Starts, 1);
  EXPECT_EQ(helper_->Asked, Lines{"Abia"});
  EXPECT_EQ(work_->Book->SpellingErrorCount, 1);
}

TEST_F(SpellingRunTest, AHelperThatDoesNotAnswerIsNotAskedAgainUntilTheSettingsChange) {
  struct Case {
    const char* name;
    bool reachable;
    bool timesOut;
    Lines asked;  // in the first book
  };
  const Case cases[] = {
      {"never answers the link", false, false, {}},
      {"never answers a question", true, true, {"Abia"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    fileName_ = "Helper.exe";
    helper_->StartSteps = 2;
    helper_->Reachable = c.reachable;
    helper_->TimesOut = c.timesOut;
    spell_.WordsPerTick = 1000;
    ASSERT_TRUE(CheckBook(40, {"Abia", "Asa", "the", "Naomi", "Abia"}));
    EXPECT_EQ(helper_->Starts, 1);
    EXPECT_EQ(helper_->Asked, c.asked);
    EXPECT_TRUE(run_->HelperSilent());
    EXPECT_EQ(work_->Book->SpellingErrorCount, 4);
    EXPECT_EQ(BookErrors(), (Lines{"Abia", "Asa", "Naomi"}));
    EXPECT_EQ(state_.Status, TSpellTimerRun::HelperSilentText);

    // Nor in the next book, nor by the spelling dialog; the status bar said so once.
    ASSERT_TRUE(CheckBook(8, {"Elimelech", "Mahlon"}));
    TWordCheckType verdict = wcNotFound;
    run_->WordCheck("Chilion", verdict);
    EXPECT_EQ(verdict, wcNotFound);
    EXPECT_EQ(helper_->Starts, 1);
    EXPECT_EQ(helper_->Asked, c.asked);
    EXPECT_EQ(std::count(work_->Host.CycleStatuses.begin(), work_->Host.CycleStatuses.end(),
                         TSpellTimerRun::HelperSilentText),
              1);

    // Changed settings: the helper is asked again.
    helper_->Reachable = true;
    helper_->TimesOut = false;
    helper_->Answers["Orpah"] = "Yes";
    run_->HelperSettingsChanged();
    ASSERT_TRUE(CheckBook(8, {"Orpah"}));
    EXPECT_EQ(helper_->Asked.back(), "Orpah");
    EXPECT_EQ(spell_.Accepted, Lines{"Orpah"});
  }
}

TEST_F(SpellingRunTest, TheSpellingDialogDoesNotWaitForAStartingHelper) {
  fileName_ = "Helper.exe";
  helper_->StartSteps = 1;
  helper_->Answers = {{"Abia", "Yes"}, {"Asa", "Yes"}};
  TWordCheckType verdict = wcNotFound;
  run_->WordCheck("Abia", verdict);
  EXPECT_EQ(verdict, wcNotFound);
  EXPECT_TRUE(helper_->Asked.empty());
  EXPECT_TRUE(KnownBad().empty());
  run_->WordCheck("Asa", verdict);
  EXPECT_EQ(verdict, wcAccepted);
  EXPECT_EQ(helper_->Starts, 1);
  EXPECT_EQ(helper_->Asked, Lines{"Asa"});
}

TEST_F(SpellingRunTest, BracketsAreTakenOffAMisspeltWord) {
  ASSERT_TRUE(CheckBook(40, {"[Abia]", "Abia"}));
  EXPECT_EQ(BookErrors(), Lines{"Abia"});
  EXPECT_EQ(work_->Book->SpellingErrorCount, 2);
}

TEST_F(SpellingRunTest, TheSpellingDialogsVerdictOnAWordItDoesNotFind) {
  struct Case {
    const char* name;
    const char* word;
    TWordCheckType verdict;
    const char* helperFile;
    TWordCheckType expected;
    Lines asked;
    Lines knownBad;
  };
  const Case cases[] = {
      {"another verdict is kept", "Abia", wcExcluded, "Helper.exe", wcExcluded, {}, {"Elimelech"}},
      {"acceptable without its brackets", "[Word]", wcNotFound, "Helper.exe", wcAccepted, {}, {"Elimelech"}},
      {"no helper", "Abia", wcNotFound, "", wcNotFound, {}, {"Elimelech"}},
      {"known to be misspelt", "Elimelech", wcNotFound, "Helper.exe", wcNotFound, {}, {"Elimelech"}},
      {"approved by the helper", "[Abia]", wcNotFound, "Helper.exe", wcAccepted, {"Abia"}, {"Elimelech"}},
      {"disapproved by the helper", "Asa", wcNotFound, "Helper.exe", wcNotFound, {"Asa"}, {"Asa", "Elimelech"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    work_->Book->KnownBadWords->Add("Elimelech");
    helper_->Answers = {{"Abia", "Yes"}, {"Asa", "No"}};
    fileName_ = c.helperFile;
    TWordCheckType verdict = c.verdict;
    run_->WordCheck(c.word, verdict);
    EXPECT_EQ(verdict, c.expected);
    EXPECT_EQ(helper_->Asked, c.asked);
    EXPECT_EQ(KnownBad(), c.knownBad);
    EXPECT_EQ(spell_.Accepted, c.expected == wcAccepted && !c.asked.empty() ? Lines{"Abia"} : Lines{});
  }
}

// A component whose dictionary knows one word.
class OneWordSpell : public TLexemeSpell3Base {
public:
  OneWordSpell() : TLexemeSpell3Base(nullptr) {}
  bool IsWordAcceptable(const AnsiString& Word) override { return Word == "Word"; }
};

TEST_F(SpellingRunTest, TheFilterPassesOverAWordInBracketsThatIsAcceptableWithoutThem) {
  OneWordSpell spell;
  TFilterWordIgnore filter(&spell);
  const std::pair<const char*, bool> cases[] = {
      {"[Word]", true}, {"Word]", true}, {"[Words]", false}, {"Word", false}, {"", false}};
  for (const auto& [word, ignored] : cases) EXPECT_EQ(filter.IgnoreWord(word, nullptr), ignored) << word;
}

class SpellAllRunTest : public SpellingRunTest {
protected:
  void SetUp() override {
    SpellingRunTest::SetUp();
    all_ = std::make_unique<TSpellAllRun>(work_->Host, spell_, *work_->Book);
  }
  // Ticks until the timer is disabled; the books checked.
  Lines Run(int limit = 20) {
    all_->Start();
    spell_.AllBooksTimerEnabled = true;
    for (int i = 0; i < limit && spell_.AllBooksTimerEnabled; ++i) all_->Tick();
    return spell_.CheckedTexts;
  }
  std::unique_ptr<TSpellAllRun> all_;
};

TEST_F(SpellAllRunTest, EveryBookOfTheChosenTestamentIsCheckedInTurn) {
  const std::pair<int, Lines> cases[] = {
      {0, {"\\id RUT"}}, {1, {"\\id MAT", "\\id JHN"}}, {2, {"\\id RUT", "\\id MAT", "\\id JHN"}}};
  for (const auto& [testament, books] : cases) {
    SCOPED_TRACE(testament);
    spell_.CheckedTexts.clear();
    spell_.FinishedMessages = 0;
    MyReg->SetTestament(testament);
    EXPECT_EQ(Run(), books);
    EXPECT_EQ(work_->Host.Status[spCycle], "All checks done");
    EXPECT_EQ(spell_.FinishedMessages, 1);
    EXPECT_EQ(spell_.EndMessage, emExceptCancel);
  }
}

TEST_F(SpellAllRunTest, CancellingTheDialogEndsTheRunAndANewRunIsNotTakenForCancelled) {
  MyReg->SetTestament(2);
  all_->Start();
  all_->Tick();
  EXPECT_EQ(spell_.EndMessage, emNever);
  all_->Tick();
  ASSERT_EQ(spell_.CheckedTexts, Lines{"\\id RUT"});
  spell_.Busy = true;  // the dialog still runs: nothing happens
  all_->Tick();
  EXPECT_EQ(spell_.CheckedTexts.size(), 1u);
  spell_.Busy = false;
  spell_.Cancelled = true;
  all_->Tick();
  EXPECT_FALSE(spell_.AllBooksTimerEnabled);
  EXPECT_EQ(work_->Host.Status[spCycle], "Checks cancelled");
  EXPECT_EQ(spell_.EndMessage, emExceptCancel);
  EXPECT_EQ(spell_.FinishedMessages, 0);

  // The component keeps its cancelled flag until its next check starts.
  spell_.CheckedTexts.clear();
  all_->Start();
  spell_.AllBooksTimerEnabled = true;
  all_->Tick();
  all_->Tick();
  EXPECT_TRUE(spell_.AllBooksTimerEnabled);
  EXPECT_EQ(spell_.CheckedTexts, Lines{"\\id RUT"});
}

}  // namespace
