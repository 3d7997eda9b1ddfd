// The auto-complete list of a custom edit on a shown form, driven by typed keys: completing in
// the edit with the tail selected, the sorted drop-down list of matches from sorted and unsorted
// stored texts, choosing from it, and storing what was entered.
#include <string>
#include <vector>

#include "controls/VisEditAutoComplete.h"
#include "controls/tests/edits/EditTestSupport.h"
#include "controls/viscont.h"

using namespace edit_test;

namespace {

std::vector<std::string> Lines(TStrings* Strings) {
  std::vector<std::string> lines;
  for (Integer i = 0; i < Strings->GetCount(); ++i) lines.push_back(Strings->GetStrings(i));
  return lines;
}

class AutoCompleteTest : public ControlFormTest {
protected:
  // An edit with an auto-complete list that stores the texts in the given order.
  void Make(std::initializer_list<const char*> Stored, Byte Completion) {
    texts_ = new TVisStringList(form_);
    auto* item = static_cast<TVisStringListItem*>(texts_->Add());
    for (const char* text : Stored) item->GetItems()->Add(text);
    complete_ = new TVisEditAutoComplete(form_);
    complete_->SetContainer(texts_);
    complete_->SetCompletionOptions(Completion);
    edit_ = Add<TVisCustomEdit>(20, 20, 160, -1);
    edit_->SetAutoComplete(complete_);
    edit_->SetFocus();
    ProcessUntil([&] { return edit_->Focused(); });
  }
  TStrings* Stored() { return complete_->StoredTexts(); }
  std::vector<std::string> Shown() {
    return complete_->GetListBox() ? Lines(complete_->GetListBox()->GetItems()) : std::vector<std::string>{};
  }
  bool ListVisible() {
    return complete_->GetListBox() && ::IsWindowVisible(complete_->GetListBox()->GetHandle());
  }

  TVisStringList* texts_ = nullptr;
  TVisEditAutoComplete* complete_ = nullptr;
  TVisCustomEdit* edit_ = nullptr;
};

TEST_F(AutoCompleteTest, TypingCompletesWithTheFirstStoredTextTheTailSelected) {
  Make({"apple", "apricot", "banana"}, accInline);
  Type("ap");
  EXPECT_EQ(edit_->GetEditText(), "apple");
  EXPECT_EQ(edit_->GetSelStart(), 3);
  EXPECT_EQ(edit_->GetSelLength(), 3);
  EXPECT_EQ(edit_->GetSelText(), "ple");
  // Typing goes on over the selected tail.
  Type("r");
  EXPECT_EQ(edit_->GetEditText(), "apricot");
  EXPECT_EQ(edit_->GetSelText(), "icot");
  // Backspace takes the completed tail and the letter typed last.
  Key(VK_BACK);
  EXPECT_EQ(edit_->GetEditText().substr(0, 2), "ap");
  EXPECT_EQ(complete_->GetLastText(), "ap");
  // Nothing stored begins with it: the text stays as typed.
  edit_->SelectAll();
  Type("cherry");
  EXPECT_EQ(edit_->GetEditText(), "cherry");
  EXPECT_EQ(edit_->GetSelLength(), 0);
  EXPECT_FALSE(complete_->GetListBox()) << "no drop-down without its option";
}

TEST_F(AutoCompleteTest, AnUnsortedSourceCompletesInListOrderAndListsSorted) {
  Make({"banana", "apricot", "apple"}, accDropDown);
  Type("ap");
  EXPECT_EQ(edit_->GetEditText(), "ap");
  EXPECT_EQ(Shown(), (std::vector<std::string>{"apple", "apricot"}));
  ASSERT_TRUE(ListVisible());
  Shot("auto-complete-list");
  testing_support::SaveScreenshot(complete_->GetListBox()->GetHandle(), "auto-complete-drop-down");
  // The list lies under the edit, as wide as it, two rows high.
  RECT r;
  ::GetWindowRect(complete_->GetListBox()->GetHandle(), &r);
  const TPoint under = edit_->ClientToScreen(Point(0, edit_->GetHeight()));
  EXPECT_EQ(r.left, under.X);
  EXPECT_EQ(r.top, under.Y);
  EXPECT_EQ(r.right - r.left, edit_->GetWidth());
  EXPECT_TRUE(::GetWindowLongPtrA(complete_->GetListBox()->GetHandle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

  // Down chooses the first, Return takes it into the edit and closes the list.
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(edit_->GetEditText(), "apple");
  EXPECT_FALSE(complete_->GetListBox());

  // Completing in the edit takes the first in the stored order; the list then shows what the
  // text was completed to.
  complete_->SetCompletionOptions(accInline | accDropDown);
  edit_->SelectAll();
  Type("ap");
  EXPECT_EQ(edit_->GetEditText(), "apricot");
  EXPECT_EQ(Shown(), std::vector<std::string>{"apricot"});
}

TEST_F(AutoCompleteTest, TheWholeWordHidesTheListAndEscapeClosesIt) {
  Make({"apple", "apricot", "banana"}, accDropDown);
  const LONG_PTR own = ::GetWindowLongPtrA(edit_->GetHandle(), GWLP_WNDPROC);
  Type("ba");
  EXPECT_EQ(Shown(), std::vector<std::string>{"banana"});
  EXPECT_NE(::GetWindowLongPtrA(edit_->GetHandle(), GWLP_WNDPROC), own) << "held while the list shows";
  Type("nana");
  EXPECT_FALSE(complete_->GetListBox()) << "the single match is the text itself";
  EXPECT_EQ(::GetWindowLongPtrA(edit_->GetHandle(), GWLP_WNDPROC), own);

  edit_->SelectAll();
  Type("a");
  EXPECT_EQ(Shown(), (std::vector<std::string>{"apple", "apricot"})) << "every text that begins with it";
  Key(VK_ESCAPE);
  EXPECT_FALSE(complete_->GetListBox());
  EXPECT_EQ(::GetWindowLongPtrA(edit_->GetHandle(), GWLP_WNDPROC), own);
  EXPECT_EQ(edit_->GetEditText(), "a");
}

TEST_F(AutoCompleteTest, EnteredTextsAreStoredOnceAfterAskingOnAdd) {
  Make({"apple"}, 0);
  std::vector<std::string> asked;
  complete_->OnAdd = TVisAutoCompleteAddEvent::FromFunction(
      [&](TObject*, TVisCustomEdit*, AnsiString& Text, bool& Accept, bool&) {
        asked.push_back(Text);
        if (Text == "refused") Accept = false;
        if (Text == "fig ") Text = "fig";
      });
  struct Case {
    const char* typed;
    bool asked;
    std::vector<std::string> stored;
  };
  const Case cases[] = {
      {"apple", false, {"apple"}},              // already stored: nothing asked
      {"refused", true, {"apple"}},             // the handler refuses it
      {"fig ", true, {"apple", "fig"}},         // the handler changes it
      {"grape", true, {"apple", "fig", "grape"}},
  };
  for (const Case& c : cases) {
    asked.clear();
    edit_->SelectAll();
    Type(c.typed);
    Key(VK_RETURN);
    EXPECT_EQ(asked.empty(), !c.asked) << c.typed;
    EXPECT_EQ(Lines(Stored()), c.stored) << c.typed;
  }
  // Leaving the edit stores its text too.
  edit_->SelectAll();
  Type("kiwi");
  auto* other = Add<TVisCustomEdit>(20, 80, 160, -1);
  other->SetFocus();
  ProcessUntil([&] { return other->Focused(); });
  EXPECT_EQ(Stored()->IndexOf("kiwi"), 3);
  // Without a container nothing is stored, and every text is accepted unasked when no handler is set.
  complete_->SetContainer(nullptr);
  complete_->AddText(edit_, "melon");
  EXPECT_EQ(Lines(texts_->GetItems(0)->GetItems()).size(), 4u);
}

}  // namespace
