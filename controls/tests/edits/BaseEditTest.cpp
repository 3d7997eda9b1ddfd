// The owner-drawn edit driven by key and mouse messages on a shown form: typing, selecting,
// the clipboard, undo and redo, the context menu, the edit messages and the companion control.
#include <string>
#include <vector>

#include "controls/tests/edits/EditTestSupport.h"
#include "controls/visclass.h"

using namespace edit_test;

namespace {

class BaseEditTest : public ControlFormTest {
protected:
  void SetUp() override {
    ControlFormTest::SetUp();
    VisApplication->SetShiftFlags(vsfInsert);
    edit = Add<TVisCustomEdit>(20, 20, 200, 25);
    edit->OnChange = TNotifyEvent::FromFunction([this](TObject*) { ++changes; });
    edit->SetFocus();
    ProcessFor(20);
  }

  void Expect(const char* Text, Integer SelStart, Integer SelLength) {
    EXPECT_EQ(edit->GetEditText(), Text);
    EXPECT_EQ(edit->GetSelStart(), SelStart);
    EXPECT_EQ(edit->GetSelLength(), SelLength);
  }

  TVisCustomEdit* edit = nullptr;
  int changes = 0;
};

TEST_F(BaseEditTest, ANewEditHasItsDefaults) {
  auto* fresh = new TVisCustomEdit(form_);
  EXPECT_EQ(fresh->GetHeight(), 21);
  EXPECT_EQ(fresh->GetColor(), clWhite);
  EXPECT_TRUE(fresh->GetTabStop());
  EXPECT_EQ(fresh->GetCursor(), crIBeam);
  EXPECT_EQ(fresh->GetBevel()->GetMode(), bmWindows);
  EXPECT_TRUE(fresh->CanUndo()) << "undo is offered until the first undo";
  EXPECT_FALSE(fresh->CanRedo());
  EXPECT_EQ(fresh->GetCaretIndex(), 1);
  EXPECT_EQ(fresh->GetSelStart(), 1);
  EXPECT_TRUE(fresh->GetHideSelection());
  EXPECT_EQ(fresh->GetCaret()->GetWidth(), 2);
  EXPECT_EQ(fresh->GetCaret()->GetHeight(), 10);
}

TEST_F(BaseEditTest, TypedCharactersAreInsertedAtTheCaret) {
  Type("Hello world");
  Expect("Hello world", 12, 0);
  EXPECT_EQ(edit->GetCaretIndex(), 12);
  EXPECT_EQ(changes, 11);
  EXPECT_TRUE(edit->GetModified());
  Key(VK_HOME);
  Type("Oh, ");
  Expect("Oh, Hello world", 5, 0);
  Shot("edit-typed");
}

}  // namespace
