// What the tests of the spell-check component share: small main dictionaries compiled at test
// time, a component configured against its own registry key and temporary folder, and a user
// who answers the component's prompts from the message loop, as the spelling dialog would.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Handles.h"
#include "classlib/StringLists.h"
#include "spell/compiler/lx3DictionaryCompiler.h"
#include "spell/lx3ConfigurationDialogCtrl.h"
#include "spell/lx3CustomDictionary.h"
#include "spell/lx3SpellBase.h"
#include "tests/support/TestSupport.h"

namespace spell_testing {

using List = std::vector<std::string>;

inline List Strings(const TStrings* list) {
  List out;
  for (Integer i = 0; i < list->GetCount(); ++i) out.push_back(list->GetStrings(i));
  return out;
}

inline void SetLines(TStrings* list, const List& lines) {
  list->Clear();
  for (const std::string& l : lines) list->Add(l);
}

// A main dictionary file of these words.
inline void WriteMainDictionary(const std::string& path, const List& words, std::uint32_t language = 1033,
                                std::u16string name = u"Test") {
  TDictionaryCompiler compiler;
  std::string error, bytes;
  for (const std::string& w : words) EXPECT_TRUE(compiler.AddWord(w, error)) << error;
  ASSERT_TRUE(compiler.Compile(name, language, bytes, error)) << error;
  testing_support::WriteFileBytes(path, bytes);
}

// The words every test dictionary holds.
inline const List& CommonWords() {
  static const List words = {"a",     "I",      "the",   "The",  "cat",    "sat",    "on",     "mat",   "dog",
                             "barked", "at",     "moon",  "house", "John",   "car",    "is",     "was",   "it",
                             "and",   "to",     "of",    "in",   "quick",  "brown",  "fox",    "jumps", "over",
                             "lazy",  "this",   "that",  "with", "color",  "receive", "believe", "world", "hello",
                             "mail",  "letter", "word",  "words", "spell", "check",  "end",    "line",  "Paris", "lot"};
  return words;
}

// A component configured like the program's, but against the test's registry and folder: the
// folder holds "test.lxm" (the common words, English) and is the only dictionary folder.
class SpellComponentTest : public testing_support::IsolatedTest {
protected:
  void SetUp() override {
    WriteMainDictionary(temp_.File("test.lxm"), CommonWords());
    spell_.reset(NewComponent());
  }
  void TearDown() override { spell_.reset(); }

  TLexemeSpell3Base* NewComponent() { return Configure(new TLexemeSpell3Base(nullptr)); }

  // Points a component (of any class) at the test's registry key and folder.
  template <class T>
  T* Configure(T* s) {
    s->SetConfigRegistryKey("Software\\PelorinSpellTest");
    s->SetConfigID("Paratext");
    List folder = {Folder()};
    SetLines(s->GetConfigDictionaryDir(), folder);
    SetLines(s->GetConfigDefaultMain(), {"test.lxm"});
    s->SetSuggestionsLearningDict(temp_.File("learn.lxl"));
    return s;
  }

  // The temporary folder without its trailing backslash.
  std::string Folder() const { return temp_.Path().substr(0, temp_.Path().size() - 1); }
  TLexemeSpell3Base& Spell() { return *spell_; }

  struct ComponentDeleter {
    void operator()(TLexemeSpell3Base* s) const { delete s; }
  };
  std::unique_ptr<TLexemeSpell3Base, ComponentDeleter> spell_;
};

// Answers the component's prompts as a user at the spelling dialog: each prompt is recorded and
// answered with the next answer of the list, from the message loop that a synchronous check
// runs (so the answer comes after the prompt, as a button click would). With no answer left the
// check is cancelled. Given a dialog control, the user hears the prompts and gives the commands
// through it, as the spelling dialog does.
class TestUser {
public:
  enum Kind {
    Ignore,
    IgnoreAll,
    Change,
    ChangeAll,
    Add,
    AutoCorrect,
    Undo,
    IgnoreRepeated,
    DeleteRepeated,
    Cancel,
    Do  // runs the action; the word is shown again or the check goes on by the action itself
  };
  struct Answer {
    Kind kind;
    std::string text = {};
    std::function<void()> action = {};
  };

  TestUser(TLexemeSpell3Base& spell, std::vector<Answer> answers, TConfigurationDialogCtrl* control = nullptr)
      : spell_(spell), control_(control), answers_(std::move(answers)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TestUser::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PelorinSpellTestUser";
    RegisterClassA(&wc);  // a second registration fails harmlessly
    window_.reset(CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (control_)
      control_->OnPromptWord = TWordPromptEvent(this, &TestUser::Prompt);
    else
      spell_.OnPromptWord = TPromptWordEvent(this, &TestUser::Prompt);
  }
  ~TestUser() {
    if (control_)
      control_->OnPromptWord = nullptr;
    else
      spell_.OnPromptWord = nullptr;
  }

  // Each prompt: the word, with " (repeated)" after a repeated pair, and the text as it was then.
  List prompts;
  std::size_t answered = 0;

  void Prompt(TObject*, const AnsiString& Word, bool Repeated) {
    prompts.push_back(Word + (Repeated ? " (repeated)" : ""));
    PostMessageA(window_.get(), WM_APP, 0, 0);
  }

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
      reinterpret_cast<TestUser*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))->AnswerNext();
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  }

  void AnswerNext() {
    const std::size_t before = prompts.size();
    if (answered >= answers_.size()) {
      spell_.DialogCancel();
      return;
    }
    const Answer a = answers_[answered++];
    if (control_)
      Give(*control_, a);
    else
      Give(spell_, a);
    // A command that did nothing leaves the word shown: the user answers again.
    if (spell_.IsChecking() && prompts.size() == before) PostMessageA(window_.get(), WM_APP, 0, 0);
  }

  // The component and the dialog control take the same commands.
  template <class T>
  static void Give(T& to, const Answer& a) {
    switch (a.kind) {
      case Ignore: to.DialogIgnore(); break;
      case IgnoreAll: to.DialogIgnoreAll(); break;
      case Change: to.DialogChange(a.text); break;
      case ChangeAll: to.DialogChangeAll(a.text); break;
      case Add: to.DialogAdd(); break;
      case AutoCorrect: to.DialogAutoCorrect(a.text); break;
      case Undo: to.DialogUndo(); break;
      case IgnoreRepeated: to.DialogIgnoreRepeated(); break;
      case DeleteRepeated: to.DialogDeleteRepeated(); break;
      case Cancel: to.DialogCancel(); break;
      case Do: a.action(); break;
    }
  }

  TLexemeSpell3Base& spell_;
  TConfigurationDialogCtrl* control_;
  std::vector<Answer> answers_;
  UniqueWindow window_;
};

}  // namespace spell_testing
