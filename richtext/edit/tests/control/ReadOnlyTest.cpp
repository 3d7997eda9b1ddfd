// A read-only editor refuses every change, with a beep and nothing touched, but lets the user
// move, select and copy; and the system caret stands where the editor says its caret is.
#include <functional>

#include "classlib/Clipbrd.h"
#include "richtext/edit/tests/control/EditorTestSupport.h"

using namespace editor_test;

namespace {

class ReadOnlyTest : public EditorFixture {
protected:
  void SetUp() override {
    EditorFixture::SetUp();
    Fill(kVerses);
    ShowForm();
  }
};

TEST_F(ReadOnlyTest, EveryChangeIsRefusedAndNavigationSelectionAndCopyingWork) {
  // Something to undo, made before the editor became read-only.
  SetCaret(2, 1);
  TypeText("X");
  editor->SetReadOnly(true);
  const std::vector<std::string> before = edit_test::Snapshot(*editor->GetEditData());
  const Integer undoActions = editor->GetEditData()->UndoList->GetCount();
  Clipboard()->SetAsText("pasted");
  editor->SetSelectionBounds(0, 4, 0, 7);
  struct {
    const char* What;
    std::function<void()> Do;
  } refusals[] = {
      {"typing", [] { TypeText("a"); }},
      {"Backspace", [] { TypeKey(VK_BACK); }},
      {"Delete", [] { TypeKey(VK_DELETE); }},
      {"Return", [] { TypeKey(VK_RETURN); }},
      {"Ctrl+Tab", [] { TypeKey(VK_TAB, false, true); }},
      {"Ctrl+X", [] { TypeKey('X', false, true); }},
      {"Ctrl+V", [] { TypeKey('V', false, true); }},
      {"Ctrl+Z", [] { TypeKey('Z', false, true); }},
      {"Ctrl+Y", [] { TypeKey('Y', false, true); }},
      {"WM_CLEAR", [&] { ::SendMessageA(editor->GetHandle(), WM_CLEAR, 0, 0); }},
      {"WM_UNDO", [&] { ::SendMessageA(editor->GetHandle(), WM_UNDO, 0, 0); }},
      {"InsertText", [&] { EXPECT_FALSE(editor->InsertText("inserted")); }},
      {"ApplyParagraphStyle", [&] { editor->ApplyParagraphStyle(edit_test::psCentered); }},
  };
  for (auto& r : refusals) {
    BeepCount() = 0;
    r.Do();
    EXPECT_GE(BeepCount(), 1) << r.What;
    EXPECT_EQ(edit_test::Snapshot(*editor->GetEditData()), before) << r.What;
    EXPECT_EQ(editor->GetEditData()->UndoList->GetCount(), undoActions) << r.What;
    EXPECT_EQ(editor->GetSelText(), "the") << r.What;
  }
  EXPECT_EQ(Clipboard()->GetAsText(), "pasted");

  // Moving, selecting and copying.
  BeepCount() = 0;
  TypeKey(VK_RIGHT);
  EXPECT_EQ(Caret(), (Place{0, 8}));
  TypeKey(VK_RIGHT, true, true);
  EXPECT_EQ(editor->GetSelText(), "beginning ");
  TypeKey('C', false, true);
  EXPECT_EQ(Clipboard()->GetAsText(), "beginning ");
  TypeKey(VK_END, false, true);
  EXPECT_EQ(Caret(), (Place{2, 56}));
  Drag(PointAt(0, 1), PointAt(0, 3));
  EXPECT_EQ(editor->GetSelText(), "In");
  EXPECT_EQ(BeepCount(), 0);
  EXPECT_EQ(edit_test::Snapshot(*editor->GetEditData()), before);
  Screenshot("editor-read-only");

  // Editable again, the same keys change the text.
  editor->SetReadOnly(false);
  TypeText("At");
  EXPECT_EQ(editor->GetItemText(0).substr(0, 6), "At the");
  TypeKey('Z', false, true);
  EXPECT_EQ(editor->GetItemText(0).substr(0, 6), "A the ");
}

TEST_F(ReadOnlyTest, AReadOnlyEditorCanHideItsCaret) {
  POINT p;
  editor->SetEditorOptions(editor->GetEditorOptions() << uvoHideReadOnlyCaret);
  EXPECT_TRUE(::GetCaretPos(&p));
  EXPECT_NE(editor->GetEditData()->CaretHeight, 0);
  editor->SetReadOnly(true);
  EXPECT_EQ(editor->GetEditData()->CaretHeight, 0);
  TypeKey(VK_END);
  EXPECT_EQ(Caret(), (Place{0, 55}));
  EXPECT_EQ(editor->GetEditData()->CaretHeight, 0);
  editor->SetReadOnly(false);
  EXPECT_NE(editor->GetEditData()->CaretHeight, 0);
  ::GetCaretPos(&p);
  EXPECT_EQ(p.x, XAt(0, 55));
}

// The system caret at each place the editor reports, also after the view scrolled.
class SystemCaretTest : public EditorFixture {
protected:
  // Where the system caret must be for the caret at an item and offset: one pixel wide at the
  // place's x, from two pixels above its line to the line's bottom.
  POINT Expected(Integer ItemNo, Integer Offs) {
    TUVEditUVData* data = editor->GetEditData();
    Integer d, o;
    data->ItemToDrawItem(ItemNo, Offs, d, o);
    TUVDrawLineInfo* dli = data->DrawItems->Get(d);
    return POINT{XAt(ItemNo, Offs) - editor->GetHOffs(), dli->Top - 2 - editor->GetVOffs()};
  }
  POINT Actual() {
    POINT p{-1, -1};
    ::GetCaretPos(&p);
    return p;
  }
};

TEST_F(SystemCaretTest, TheSystemCaretIsWhereTheEditorSaysItsCaretIs) {
  std::vector<std::string> lines = kVerses;
  for (int i = 0; i < 40; ++i) lines.push_back("Line " + std::to_string(i + 4));
  Fill(lines);
  ShowForm();
  struct {
    const char* What;
    std::function<void()> Do;
  } moves[] = {
      {"start", [] {}},
      {"End", [] { TypeKey(VK_END); }},
      {"Ctrl+Left", [] { TypeKey(VK_LEFT, false, true); }},
      {"Down", [] { TypeKey(VK_DOWN); }},
      {"typing", [] { TypeText("ab"); }},
      {"Page Down", [] { TypeKey(VK_NEXT); }},
      {"Ctrl+End", [] { TypeKey(VK_END, false, true); }},
      {"a click", [&] { Click(PointAt(Caret().Item - 3, 3)); }},
  };
  for (auto& m : moves) {
    m.Do();
    Place caret = Caret();
    POINT expected = Expected(caret.Item, caret.Offs);
    POINT actual = Actual();
    EXPECT_EQ(actual.x, expected.x) << m.What;
    EXPECT_EQ(actual.y, expected.y) << m.What;
    TPoint reported = editor->GetEditData()->GetCaretClientPos();
    EXPECT_EQ(actual.x, reported.X) << m.What;
    EXPECT_EQ(actual.y, reported.Y - 1) << m.What;
  }
  EXPECT_GT(editor->GetVOffs(), 0);
  // Scrolling the view by its scroll bar takes the caret along.
  Place caret = Caret();
  ::SendMessageA(editor->GetHandle(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(Actual().y, Expected(caret.Item, caret.Offs).y);
  ::SendMessageA(editor->GetHandle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(editor->GetVOffs(), 0);
  EXPECT_EQ(Actual().y, Expected(caret.Item, caret.Offs).y);
  EXPECT_EQ(Caret(), caret);
  Screenshot("editor-caret");
}

TEST_F(SystemCaretTest, TheCaretComesWithTheFocusAndGoesWithIt) {
  auto* other = new TForm(Application);
  other->SetBounds(500, 40, 200, 100);
  Fill(kVerses);
  ShowForm();
  SetCaret(0, 5);
  EXPECT_NE(editor->GetEditData()->CaretHeight, 0);
  POINT p;
  EXPECT_TRUE(::GetCaretPos(&p));
  other->Show();
  ::SetForegroundWindow(other->GetHandle());
  ::SetFocus(other->GetHandle());
  ASSERT_TRUE(ProcessUntil([&] { return ::GetFocus() == other->GetHandle(); }));
  EXPECT_EQ(editor->GetEditData()->CaretHeight, 0);
  ::SetForegroundWindow(form->GetHandle());
  editor->SetFocus();
  ASSERT_TRUE(ProcessUntil([&] { return ::GetFocus() == editor->GetHandle(); }));
  EXPECT_NE(editor->GetEditData()->CaretHeight, 0);
  ::GetCaretPos(&p);
  EXPECT_EQ(p.x, Expected(0, 5).x);
  // Cleared, the document has no caret until it is laid out again.
  editor->Clear();
  EXPECT_EQ(editor->GetEditData()->CaretHeight, 0);
  editor->Format();
  EXPECT_NE(editor->GetEditData()->CaretHeight, 0);
  EXPECT_EQ(editor->GetItemCount(), 1);
  delete other;
}

}  // namespace
