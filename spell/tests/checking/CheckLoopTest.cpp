// Checking texts with the spell-check component: a user (the test) answers each word shown,
// from the message loop of a synchronous check; the texts after each sequence of commands and
// after undoing every step, the words shown, series of checks and counts.
#include <gtest/gtest.h>

#include "classlib/SysUtils.h"
#include "spell/lx3StringParser.h"
#include "spell/lx3Util.h"
#include "spell/lx3WinAPIParser.h"
#include "spell/tests/SpellComponentFixture.h"

namespace {

using namespace spell_testing;
using A = TestUser::Answer;
using K = TestUser::Kind;

struct CheckRun {
  List prompts;
  std::string text;
};

class CheckLoopTest : public SpellComponentTest {
protected:
  CheckRun CheckString(const std::string& text, std::vector<A> answers) {
    TestUser user(Spell(), std::move(answers));
    AnsiString t = text;
    Spell().CheckText(t);
    EXPECT_FALSE(Spell().IsChecking());
    return {user.prompts, t};
  }

  // The active custom dictionary holds the auto-correction recieve -> receive.
  void WriteAutoCorrection() {
    TCustomDictionary d;
    d.SetFileName(temp_.File("Paratext.lxu"));
    d.SetActive(true);
    d.AddAutoCorrect("recieve", "receive");
    d.SetActive(false);
  }
};

TEST_F(CheckLoopTest, CommandSequencesGiveTheExactText) {
  WriteAutoCorrection();
  struct Case {
    const char* name;
    const char* text;
    std::vector<A> answers;
    List prompts;
    const char* result;
  };
  const Case cases[] = {
      {"change and change all", "Teh cat sat on teh mat, teh end.", {{K::Change, "The"}, {K::ChangeAll, "the"}},
       {"Teh", "teh"}, "The cat sat on the mat, the end."},
      {"ignore passes over one occurrence", "Teh cat and Teh dog.", {{K::Ignore}, {K::Ignore}}, {"Teh", "Teh"},
       "Teh cat and Teh dog."},
      {"ignore all and add pass over the rest", "Kefa sat with Zorb and Kefa sat with Zorb.",
       {{K::IgnoreAll}, {K::Add}}, {"Kefa", "Zorb"}, "Kefa sat with Zorb and Kefa sat with Zorb."},
      {"the check loop corrects by itself", "I recieve mail.", {}, {}, "I receive mail."},
      {"auto-correct adds a pair", "Wrold and Wrold.", {{K::AutoCorrect, "World"}}, {"Wrold"}, "World and World."},
      {"a replacement is checked again", "teh end", {{K::Change, "tehh"}, {K::Change, "the"}}, {"teh", "tehh"},
       "the end"},
      {"a change into several words", "alot of mail", {{K::Change, "a lot"}}, {"alot"}, "a lot of mail"},
      {"cancel keeps the rest", "Teh cat sat on teh mat.", {{K::Change, "The"}, {K::Cancel}}, {"Teh", "teh"},
       "The cat sat on teh mat."},
      {"repeated words", "the the dog barked at the the moon",
       {{K::IgnoreAll}, {K::Change, "x"}, {K::ChangeAll, "x"}, {K::Add}, {K::AutoCorrect, "x"}, {K::DeleteRepeated},
        {K::IgnoreRepeated}},
       {"the the (repeated)", "the the (repeated)"}, "the dog barked at the the moon"},
      {"undo of change and change all", "Teh cat sat on teh mat wrold.",
       {{K::Change, "The"}, {K::ChangeAll, "the"}, {K::Undo}, {K::Undo}, {K::Cancel}},
       {"Teh", "teh", "wrold", "teh", "Teh"}, "Teh cat sat on teh mat wrold."},
      {"undo of ignore all and add", "Kefa sat with Zorb and Kefa sat with Zorb wrold.",
       {{K::IgnoreAll}, {K::Add}, {K::Undo}, {K::Undo}, {K::Cancel}}, {"Kefa", "Zorb", "wrold", "Zorb", "Kefa"},
       "Kefa sat with Zorb and Kefa sat with Zorb wrold."},
      {"an automatic correction is undone with the step before", "Teh letter I recieve is teh end.",
       {{K::Ignore}, {K::Undo}, {K::Cancel}}, {"Teh", "teh", "Teh"}, "Teh letter I recieve is teh end."},
      {"undo of auto-correct", "Wrold and wrold.", {{K::AutoCorrect, "World"}, {K::Undo}, {K::Cancel}},
       {"Wrold", "wrold", "Wrold"}, "Wrold and wrold."},
      {"undo of a deleted repetition", "the the dog teh", {{K::DeleteRepeated}, {K::Undo}, {K::Cancel}},
       {"the the (repeated)", "teh", "the the (repeated)"}, "the the dog teh"},
      {"undo of a rechecked change", "teh end", {{K::Change, "tehh"}, {K::Undo}, {K::Cancel}},
       {"teh", "tehh", "teh"}, "teh end"},
      {"undo with nothing to undo shows the word again", "teh end", {{K::Undo}, {K::Change, "the"}},
       {"teh", "teh"}, "the end"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Each case starts from the same user dictionaries.
    spell_.reset();
    DeleteFile(temp_.File("learn.lxl"));
    DeleteFile(temp_.File("Paratext.lxu"));
    WriteAutoCorrection();
    spell_.reset(NewComponent());
    const CheckRun run = CheckString(c.text, c.answers);
    EXPECT_EQ(run.prompts, c.prompts);
    EXPECT_EQ(run.text, c.result);
  }
}

TEST_F(CheckLoopTest, DictionaryEffectsOfTheCommandsAndTheirUndo) {
  CheckRun run = CheckString("Kefa sat with Zorb and Kefa sat with Zorb.", {{K::IgnoreAll}, {K::Add}});
  EXPECT_TRUE(Spell().GetInternalList()->IsIgnored("Kefa"));
  EXPECT_TRUE(Spell().GetActiveCustomDictionary()->IsIgnored("Zorb"));
  // The internal list lasts as long as the component: the next check passes over the word.
  run = CheckString("Kefa and Kefa", {});
  EXPECT_TRUE(run.prompts.empty());

  run = CheckString("Tabor wrold teh", {{K::Add}, {K::ChangeAll, "world"}, {K::Undo}, {K::Undo}, {K::Cancel}});
  EXPECT_EQ(run.prompts, (List{"Tabor", "wrold", "teh", "wrold", "Tabor"}));
  EXPECT_EQ(run.text, "Tabor wrold teh");
  EXPECT_FALSE(Spell().GetActiveCustomDictionary()->IsIgnored("Tabor"));
  AnsiString replacement;
  EXPECT_FALSE(Spell().GetInternalList()->GetAutoCorrection("wrold", replacement));

  // Change All is remembered for later checks; Change teaches the learning dictionary.
  run = CheckString("wrold teh", {{K::ChangeAll, "world"}, {K::Change, "the"}});
  EXPECT_EQ(run.text, "world the");
  run = CheckString("wrold", {});
  EXPECT_EQ(run.text, "world");
  EXPECT_TRUE(Spell().GetLearningDictionary()->GetAutoCorrection("teh", replacement));
  EXPECT_EQ(replacement, "the");
}

TEST_F(CheckLoopTest, OnlyTheLastStepsAreKeptForUndo) {
  Spell().MaxUndo = 2;
  CheckRun run = CheckString("aaa bbb ccc ddd",
                        {{K::Ignore}, {K::Ignore}, {K::Ignore}, {K::Undo}, {K::Undo}, {K::Undo}, {K::Cancel}});
  EXPECT_EQ(run.prompts, (List{"aaa", "bbb", "ccc", "ddd", "ccc", "bbb", "bbb"}));
  Spell().MaxUndo = 0;
  run = CheckString("aaa bbb", {{K::Change, "cat"}, {K::Undo}, {K::Cancel}});
  EXPECT_EQ(run.prompts, (List{"aaa", "bbb", "bbb"}));
  EXPECT_EQ(run.text, "cat bbb");
}

TEST_F(CheckLoopTest, VerdictsFollowTheOptions) {
  TCustomDictionary d;
  d.SetFileName(temp_.File("Paratext.lxu"));
  d.SetActive(true);
  d.AddExclude("moon");
  d.AddAutoCorrect("cat", "kitten");
  d.SetActive(false);
  // An excluded word is shown even though the main dictionary holds it.
  CheckRun run = CheckString("cat and moon", {{K::Ignore}});
  EXPECT_EQ(run.prompts, List{"moon"});
  EXPECT_EQ(run.text, "cat and moon");
  Spell().UseExcludeWords = false;
  Spell().UseAutoCorrectFirst = true;
  run = CheckString("cat and moon", {});
  EXPECT_EQ(run.prompts, List{});
  EXPECT_EQ(run.text, "kitten and moon");
  // Without the option repeated words pass.
  Spell().GetConfiguration()->SetOptions(TSpellOptions{});
  run = CheckString("the the", {});
  EXPECT_EQ(run.prompts, List{});
  // The application has the last word on each verdict.
  Spell().OnWordCheck = TWordCheckEvent::FromFunction(
      [](TObject*, const AnsiString& w, TWordCheckType& verdict, AnsiString& replacement) {
        if (w == "house") {
          verdict = wcAutoCorrect;
          replacement = "home";
        } else if (w == "xyzzy") {
          verdict = wcAccepted;
        }
      });
  run = CheckString("xyzzy house", {});
  EXPECT_EQ(run.text, "xyzzy home");
}

TEST_F(CheckLoopTest, EventsAndListenersFollowTheText) {
  List log;
  Spell().OnBeforeChange = TNotifyEvent::FromFunction([&](TObject*) { log.push_back("before change"); });
  Spell().OnParserReplaceWord = TParserReplaceWordEvent::FromFunction(
      [&](TObject*, bool before, const AnsiString& r, Integer state) {
        log.push_back(std::string(before ? "replace " : "replaced ") + r + " " + std::to_string(state));
      });
  Spell().OnParserIgnoreWord = TParserIgnoreWordEvent::FromFunction([&](TObject*, bool before, Integer state) {
    log.push_back(std::string(before ? "ignore " : "ignored ") + std::to_string(state));
  });
  Spell().GetPassOverListeners()->Add(TEventListMethod::FromFunction(
      [&](TObject*, Integer state) { log.push_back("listener " + std::to_string(state)); }));
  Spell().OnParserUndoLast = TParserUndoLastEvent::FromFunction(
      [&](TObject*, Integer state, TSpellAction action, Integer) {
        log.push_back("undo " + std::to_string(state) + " " + std::to_string(action));
      });
  Spell().OnCompleteCheck = TNotifyEvent::FromFunction([&](TObject*) { log.push_back("complete"); });
  const CheckRun run =
      CheckString("aaa bbb ccc ddd", {{K::Ignore}, {K::IgnoreAll}, {K::Change, "cat"}, {K::Undo}, {K::Add}});
  EXPECT_EQ(run.text, "aaa bbb ccc ddd");
  const List expected = {
      "undo 0 0", "ignore 10", "listener 10", "ignored 10", "listener 266",  // Ignore
      "undo 0 1", "ignore 11", "listener 11", "ignored 11", "listener 267",  // Ignore All
      "undo 0 2", "before change", "replace cat 0", "replaced cat 0",         // Change
      "undo 1 2", "replace ccc 3", "replaced ccc 3", "undo 2 2",             // Undo
      "undo 0 4", "ignore 12", "listener 12", "ignored 12", "listener 268",  // Add
      "complete"};
  EXPECT_EQ(log, expected);
}

TEST_F(CheckLoopTest, AnAsynchronousCheckWaitsForTheApplication) {
  Spell().SynchronousCheck = false;
  int prompts = 0;
  Spell().OnPromptWord = TPromptWordEvent::FromFunction([&](TObject*, const AnsiString&, bool) { ++prompts; });
  AnsiString text = "Teh cat sat on teh mat.";
  Spell().CheckText(text);
  ASSERT_TRUE(Spell().IsChecking());
  EXPECT_EQ(Spell().GetCurrentWord(), "Teh");
  EXPECT_EQ(prompts, 1);
  // A second check is refused while one runs.
  AnsiString other = "teh";
  Spell().CheckText(other);
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(Spell().GetCurrentWord(), "Teh");
  Spell().DialogChange("The");
  EXPECT_EQ(Spell().GetCurrentWord(), "teh");
  EXPECT_TRUE(Spell().CanUndo());
  Spell().DialogChangeAll("the");
  EXPECT_FALSE(Spell().IsChecking());
  EXPECT_EQ(text, "The cat sat on the mat.");
  EXPECT_EQ(other, "teh");
  EXPECT_TRUE(Spell().GetTextChanged());
  EXPECT_FALSE(Spell().CanUndo());
  // Commands outside a check do nothing.
  Spell().DialogIgnore();
  Spell().DialogUndo();
  EXPECT_FALSE(Spell().IsChecking());

  Spell().CheckText(text = "wrold and teh");
  ASSERT_TRUE(Spell().IsChecking());
  Spell().StopCheck(true);
  EXPECT_FALSE(Spell().IsChecking());
  EXPECT_TRUE(Spell().GetCancelled());
  EXPECT_EQ(text, "wrold and teh");
}

TEST_F(CheckLoopTest, SeriesShareTheCountAndEndWithOneMessage) {
  Spell().UIType = suiDialog;
  Spell().EndMessage = emAlways;
  int messages = 0;
  Spell().OnShowEndMessage = TNotifyEvent::FromFunction([&](TObject*) { ++messages; });
  CheckRun run = CheckString("The cat sat.", {});
  EXPECT_EQ(Spell().GetWordsChecked(), 3);
  EXPECT_EQ(messages, 1);

  Spell().BeginCheckSeries();
  run = CheckString("The cat sat.", {});
  run = CheckString("The dog teh barked.", {{K::Change, "the"}});
  EXPECT_EQ(run.text, "The dog the barked.");
  EXPECT_EQ(messages, 1) << "no message inside a series";
  EXPECT_EQ(Spell().GetWordsChecked(), 3 + 5) << "the replacement is read again";
  Spell().EndCheckSeries();
  EXPECT_EQ(messages, 2);

  // A series that was cancelled refuses further checks.
  Spell().BeginCheckSeries();
  run = CheckString("teh", {{K::Cancel}});
  run = CheckString("wrold", {});
  EXPECT_EQ(run.prompts, List{});
  EXPECT_EQ(run.text, "wrold");
  Spell().EndCheckSeries();
  EXPECT_EQ(messages, 3) << "emAlways: also after a cancelled series";

  // The end message of each kind.
  struct {
    TSpellEndMessage kind;
    bool cancel;
    int shown;
  } const kinds[] = {{emNever, false, 0},        {emAlways, true, 1},  {emExceptCancel, false, 1},
                     {emExceptCancel, true, 0},  {emNoDialog, false, 0}};
  for (const auto& k : kinds) {
    messages = 0;
    Spell().EndMessage = k.kind;
    CheckString("teh", {{k.cancel ? K::Cancel : K::Ignore}});
    EXPECT_EQ(messages, k.shown) << k.kind << " " << k.cancel;
  }
  // The silent interface shows nothing.
  Spell().UIType = suiSilent;
  Spell().EndMessage = emAlways;
  messages = 0;
  CheckString("teh", {{K::Ignore}});
  EXPECT_EQ(messages, 0);
}

TEST_F(CheckLoopTest, CountsWordsAndErrorsWithoutChangingTheText) {
  TCustomDictionary d;
  d.SetFileName(temp_.File("Paratext.lxu"));
  d.SetActive(true);
  d.AddExclude("moon");
  d.SetActive(false);
  AnsiString text = "The cat sat on teh mat, the the moon.";
  EXPECT_EQ(Spell().CountWordsInText(text), 9);
  struct {
    Integer kind;
    bool stop;
    Integer words, errors;
  } const rows[] = {{ckWholeText, false, 9, 3}, {ckWholeText, true, 5, 1}, {ckSelection, false, 0, 0},
                    {ckFromCursor, false, 0, 0}, {ckAroundCursor, false, 0, 0}, {ckRange, false, 0, 0}};
  for (const auto& r : rows) {
    auto* walker = new TStringParser();
    walker->Init(text);
    Integer words = -1, errors = -1;
    bool any = false;
    Spell().CountWords(walker, r.kind, words, errors, any, r.stop, true);
    EXPECT_EQ(words, r.words) << r.kind;
    EXPECT_EQ(errors, r.errors) << r.kind;
    EXPECT_EQ(any, r.errors > 0);
  }
  EXPECT_EQ(text, "The cat sat on teh mat, the the moon.");
  EXPECT_FALSE(Spell().IsChecking());
}

// The check of a real edit control.
class EditCheckTest : public CheckLoopTest {
protected:
  void SetUp() override {
    CheckLoopTest::SetUp();
    parent_.reset(CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 50, 50, 600, 300, nullptr, nullptr,
                                  nullptr, nullptr));
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 580, 200,
                            parent_.get(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(edit_);
  }

  CheckRun CheckEdit(const std::string& text, Integer kind, std::vector<A> answers, DWORD caret = 0) {
    SetWindowTextA(edit_, text.c_str());
    SendMessageA(edit_, EM_SETSEL, caret, caret);
    TestUser user(Spell(), std::move(answers));
    Spell().CheckWindow(edit_, kind);
    EXPECT_FALSE(Spell().IsChecking());
    return {user.prompts, Text()};
  }

  std::string Text() const {
    char buf[4096] = {};
    GetWindowTextA(edit_, buf, sizeof buf);
    return buf;
  }

  DWORD Caret() const {
    DWORD start = 0, end = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start;
  }

  UniqueWindow parent_;
  HWND edit_ = nullptr;
};

TEST_F(EditCheckTest, CommandsAndUndoGiveTheExactText) {
  struct Case {
    const char* name;
    std::vector<A> answers;
    List prompts;
    const char* result;
  };
  const char* const text = "Teh cat sat\r\non teh mat,\r\nwrold and alot.";
  const Case cases[] = {
      {"change, change all and ignore", {{K::Change, "The"}, {K::ChangeAll, "the"}, {K::Ignore}, {K::Change, "a lot"}},
       {"Teh", "teh", "wrold", "alot"}, "The cat sat\r\non the mat,\r\nwrold and a lot."},
      {"undo of every step",
       {{K::Change, "The"}, {K::ChangeAll, "the"}, {K::Change, "world"}, {K::Undo}, {K::Undo}, {K::Undo}, {K::Cancel}},
       {"Teh", "teh", "wrold", "alot", "wrold", "teh", "Teh"}, text},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    spell_.reset(NewComponent());
    const CheckRun run = CheckEdit(text, ckWholeText, c.answers);
    EXPECT_EQ(run.prompts, c.prompts);
    EXPECT_EQ(run.text, c.result);
  }
}

TEST_F(EditCheckTest, TheCursorEndsWhereAsked) {
  const std::string text = "The cat teh sat.";
  CheckRun run = CheckEdit(text, ckWholeText, {{K::Change, "the"}}, 4);
  EXPECT_EQ(run.text, "The cat the sat.");
  EXPECT_EQ(Caret(), 4u) << "epOriginal";
  Spell().EndCursorPosition = epHome;
  CheckEdit(text, ckWholeText, {{K::Ignore}}, 4);
  EXPECT_EQ(Caret(), 0u);
}

TEST_F(EditCheckTest, ASelectionOrTheTextFromTheCursor) {
  const std::string text = "aaa bbb ccc\r\nddd eee";
  SetWindowTextA(edit_, text.c_str());
  SendMessageA(edit_, EM_SETSEL, 4, 11);
  {
    TestUser user(Spell(), {{K::Ignore}, {K::Ignore}, {K::Ignore}});
    Spell().CheckWindow(edit_, ckSelection);
    EXPECT_EQ(user.prompts, (List{"bbb", "ccc"}));
  }
  SendMessageA(edit_, EM_SETSEL, 5, 5);  // inside "bbb": the rest of that word is passed over
  {
    TestUser user(Spell(), {{K::Ignore}, {K::Ignore}, {K::Ignore}, {K::Ignore}});
    Spell().CheckWindow(edit_, ckFromCursor);
    EXPECT_EQ(user.prompts, (List{"ccc", "ddd", "eee"}));
  }
  // Around the cursor: the rest of the text, then its beginning up to the cursor.
  SendMessageA(edit_, EM_SETSEL, 8, 8);
  {
    TestUser user(Spell(), std::vector<A>(6, {K::Ignore}));
    Spell().CheckWindow(edit_, ckAroundCursor);
    EXPECT_EQ(user.prompts, (List{"ccc", "ddd", "eee", "aaa", "bbb"}));
  }
  // With a selection, the silent interface checks the selection only.
  SendMessageA(edit_, EM_SETSEL, 4, 11);
  {
    TestUser user(Spell(), std::vector<A>(6, {K::Ignore}));
    Spell().CheckWindow(edit_, ckAroundCursor);
    EXPECT_EQ(user.prompts, (List{"bbb", "ccc"}));
  }
  EXPECT_EQ(Spell().CountWordsInWindow(edit_, ckWholeText), 5);
  EXPECT_EQ(Text(), text);
}

TEST_F(EditCheckTest, TheRichEditWalkerKindCanBeForced) {
  LoadLibraryA("riched32.dll");
  HWND rich = CreateWindowExA(0, "RichEdit", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 580, 200, parent_.get(),
                              nullptr, nullptr, nullptr);
  ASSERT_TRUE(rich);
  SetWindowTextA(rich, "Teh cat\r\nsat on teh mat");
  TestUser user(Spell(), {{K::Change, "The"}, {K::ChangeAll, "the"}});
  Spell().CheckWindowAsRichEdit(rich, ckWholeText);
  char buf[256] = {};
  GetWindowTextA(rich, buf, sizeof buf);
  EXPECT_EQ(user.prompts, (List{"Teh", "teh"}));
  std::string result = buf;
  std::erase(result, '\r');
  EXPECT_EQ(result, "The cat\nsat on the mat");
  DestroyWindow(rich);
}

}  // namespace
