// The owner-drawn edit driven by key and mouse messages on a shown form: typing, selecting,
// the clipboard, undo and redo, the context menu, the edit messages and the companion control.
#include <functional>
#include <string>
#include <vector>

#include "classlib/StdCtrls.h"
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
  void TearDown() override {
    VisApplication->SetShiftFlags(vsfInsert);
    ControlFormTest::TearDown();
  }

  void Expect(const char* Text, Integer SelStart, Integer SelLength) {
    EXPECT_EQ(edit->GetEditText(), Text);
    EXPECT_EQ(edit->GetSelStart(), SelStart);
    EXPECT_EQ(edit->GetSelLength(), SelLength);
  }
  // The text set, the caret at its end.
  void Start(const char* Text) {
    edit->SetText(Text);
    Key(VK_END);
  }
  void Click(Integer X, WPARAM Keys = 0) {
    SendMouse(edit, WM_LBUTTONDOWN, X, 5, MK_LBUTTON | Keys);
    SendMouse(edit, WM_LBUTTONUP, X, 5, Keys);
  }
  POINT CaretPos() {
    POINT p{};
    ::GetCaretPos(&p);
    return p;
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
  EXPECT_EQ(fresh->GetMaxLength(), 0);
  EXPECT_EQ(fresh->GetCaret()->GetWidth(), 2);
  EXPECT_EQ(fresh->GetCaret()->GetHeight(), 10);
  EXPECT_EQ(fresh->GetCaret()->GetStyle(), csDefault);
}

TEST_F(BaseEditTest, TypedCharactersAreInsertedAtTheCaret) {
  std::vector<Integer> positions;
  edit->OnTextChangedAt = TVisTextChangedAtEvent::FromFunction([&](TObject*, Integer p) { positions.push_back(p); });
  Type("Hello world");
  Expect("Hello world", 12, 0);
  EXPECT_EQ(edit->GetCaretIndex(), 12);
  EXPECT_EQ(changes, 11);
  EXPECT_EQ(positions.back(), 11);
  EXPECT_TRUE(edit->GetModified());
  Key(VK_HOME);
  Type("Oh, ");
  Expect("Oh, Hello world", 5, 0);
  // Letters follow CharCase; other characters stay.
  edit->SetCharCase(ecUpperCase);
  Type("a1");
  edit->SetCharCase(ecLowerCase);
  Type("B!");
  Expect("Oh, A1b!Hello world", 9, 0);
}

TEST_F(BaseEditTest, TheKeyboardMovesTheCaretAndSelects) {
  Start("In the beginning");
  changes = 0;
  struct Step {
    Word key;
    unsigned modifiers;
    Integer caret, selStart, selLength;
  };
  const Step steps[] = {
      {VK_HOME, None, 1, 1, 0},
      {VK_RIGHT, Shift, 2, 1, 1},
      {VK_RIGHT, Shift, 3, 1, 2},
      {VK_LEFT, Shift, 2, 1, 1},  // back towards the anchor
      {VK_ESCAPE, None, 2, 1, 0},
      {VK_END, Shift, 17, 2, 15},
      {VK_HOME, Shift, 1, 1, 1},  // across the anchor
      {VK_RIGHT, Ctrl, 3, 3, 0},  // to the blank after the word
      {VK_RIGHT, Ctrl, 7, 7, 0},
      {VK_LEFT, Ctrl, 3, 3, 0},   // to the blank before the word
      {'A', Ctrl, 3, 1, 16},
      {VK_RIGHT, None, 4, 4, 0},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "key " << s.key << " with " << s.modifiers);
    Key(s.key, s.modifiers);
    EXPECT_EQ(edit->GetCaretIndex(), s.caret);
    EXPECT_EQ(edit->GetSelStart(), s.selStart);
    EXPECT_EQ(edit->GetSelLength(), s.selLength);
  }
  EXPECT_EQ(changes, 0);
}

TEST_F(BaseEditTest, HomeAndEndStopAtLineBreaks) {
  edit->SetText("ab\r\ncd");
  Key(VK_END);
  EXPECT_EQ(edit->GetCaretIndex(), 3) << "before the carriage return";
  ::SendMessageA(edit->GetHandle(), EM_SETSEL, 6, 6);
  Key(VK_HOME);
  EXPECT_EQ(edit->GetCaretIndex(), 5) << "after the line feed";
  Key(VK_LEFT);
  EXPECT_EQ(edit->GetCaretIndex(), 3) << "a line break is passed in one step";
  // Deleting at the carriage return takes the line feed with it.
  Key(VK_DELETE);
  EXPECT_EQ(edit->GetEditText(), "abcd");
}

TEST_F(BaseEditTest, BackspaceAndDeleteRemoveOneCharacterOrTheSelection) {
  Start("Psalms");
  Key(VK_BACK);
  Expect("Psalm", 6, 0);
  Key(VK_HOME);
  Key(VK_BACK);
  Expect("Psalm", 1, 0);
  Key(VK_DELETE);
  Expect("salm", 1, 0);
  Key(VK_RIGHT, Shift);
  Key(VK_RIGHT, Shift);
  Key(VK_BACK);
  Expect("lm", 1, 0);
  Key(VK_END);
  Key(VK_DELETE);
  Expect("lm", 3, 0);
}

TEST_F(BaseEditTest, MaxLengthDropsAnInsertionThatWouldNotFit) {
  edit->SetMaxLength(3);
  edit->SetText("Genesis");
  EXPECT_EQ(edit->GetEditText(), "Gen") << "a text set is cut";
  Key(VK_END);
  Type("x");
  EXPECT_EQ(edit->GetEditText(), "Gen");
  Key(VK_LEFT, Shift);
  Type("x");
  EXPECT_EQ(edit->GetEditText(), "Gex") << "the selection goes, and then there is room";
  Key(VK_LEFT, Shift);
  Key(VK_LEFT, Shift);
  edit->SetMaxLength(1);
  Type("y");
  EXPECT_EQ(edit->GetEditText(), "G") << "what does not fit is dropped, the deletion stands";
}

// A paste that would not fit is refused whole: the selection it would have replaced stays, with
// nothing to undo; one that fits once the selection goes is taken.
TEST_F(BaseEditTest, APasteThatDoesNotFitKeepsTheSelection) {
  edit->SetMaxLength(6);
  Start("Hosea");
  edit->ClearUndo();
  Key(VK_LEFT, Shift);
  Key(VK_LEFT, Shift);
  changes = 0;
  struct Paste {
    const char* name;
    std::function<void()> paste;
  };
  const Paste ways[] = {
      {"Ctrl+V", [this] { Key('V', Ctrl); }},
      {"Shift+Insert", [this] { Key(VK_INSERT, Shift); }},
      {"WM_PASTE", [this] { ::SendMessageA(edit->GetHandle(), WM_PASTE, 0, 0); }},
  };
  Clipboard()->SetAsText("Jeremiah");
  for (const Paste& way : ways) {
    SCOPED_TRACE(way.name);
    way.paste();
    Expect("Hosea", 4, 2);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(edit->GetUndoBuffer()->IsEmpty());
  }
  Clipboard()->SetAsText("eas");
  Key('V', Ctrl);
  Expect("Hoseas", 7, 0);
}

TEST_F(BaseEditTest, InsertSwitchesToOverwriting) {
  Start("Psalm");
  Key(VK_HOME);
  Key(VK_INSERT);
  EXPECT_FALSE(VisApplication->GetShiftFlags() & vsfInsert);
  Type("Qu");
  Expect("Qualm", 3, 0);
  Key(VK_END);
  Type("s");
  Expect("Qualms", 7, 0);  // at the end there is nothing to overwrite
  Key(VK_INSERT);
  Key(VK_HOME);
  Type("A");
  Expect("AQualms", 2, 0);
}

TEST_F(BaseEditTest, TheClipboardKeysCopyCutAndPaste) {
  Clipboard()->SetAsText("before");
  Start("Ruth and Esther");
  Key(VK_HOME);
  for (int i = 0; i < 4; ++i) Key(VK_RIGHT, Shift);
  Key('C', Ctrl);
  EXPECT_EQ(ClipboardText(), "Ruth");
  Key(VK_END);
  Key('V', Ctrl);
  Expect("Ruth and EstherRuth", 20, 0);
  for (int i = 0; i < 4; ++i) Key(VK_LEFT, Shift);
  Key('X', Ctrl);
  Expect("Ruth and Esther", 16, 0);
  EXPECT_EQ(ClipboardText(), "Ruth");
  // The older keys do the same: Shift+Insert pastes, Ctrl+Insert copies, Shift+Delete cuts.
  Key(VK_INSERT, Shift);
  EXPECT_EQ(edit->GetEditText(), "Ruth and EstherRuth");
  Key(VK_LEFT, Shift);
  Key(VK_INSERT, Ctrl);
  EXPECT_EQ(ClipboardText(), "h");
  Key(VK_DELETE, Shift);
  EXPECT_EQ(edit->GetEditText(), "Ruth and EstherRut");
  // And the messages.
  ::SendMessageA(edit->GetHandle(), EM_SETSEL, 0, 4);
  ::SendMessageA(edit->GetHandle(), WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), "Ruth");
  ::SendMessageA(edit->GetHandle(), WM_CUT, 0, 0);
  EXPECT_EQ(edit->GetEditText(), " and EstherRut");
  ::SendMessageA(edit->GetHandle(), WM_PASTE, 0, 0);
  EXPECT_EQ(edit->GetEditText(), "Ruth and EstherRut");
  ::SendMessageA(edit->GetHandle(), EM_SETSEL, 0, 5);
  ::SendMessageA(edit->GetHandle(), WM_CLEAR, 0, 0);
  EXPECT_EQ(edit->GetEditText(), "and EstherRut");
}

TEST_F(BaseEditTest, UndoTakesBackOneChangeAtATimeAndRedoAppliesItAgain) {
  Type("ab");
  Key('Z', Ctrl);
  Expect("a", 2, 0);
  EXPECT_TRUE(edit->CanRedo());
  Key('Z', Ctrl);
  Expect("", 1, 0);
  EXPECT_FALSE(edit->CanUndo());
  Key('Z', Ctrl);
  Expect("", 1, 0);
  Key('Y', Ctrl);
  Key('Y', Ctrl);
  Expect("ab", 3, 0);
  EXPECT_FALSE(edit->CanRedo());
  // A new edit after an undo empties the redo store.
  Key('Z', Ctrl);
  Type("c");
  EXPECT_EQ(edit->GetEditText(), "ac");
  EXPECT_FALSE(edit->CanRedo());
  EXPECT_TRUE(edit->GetRedoBuffer()->IsEmpty());
  // Undoing a paste over a selection gives the selection back.
  Clipboard()->SetAsText("Jonah");
  Key(VK_HOME, Shift);
  Key('V', Ctrl);
  Expect("Jonah", 6, 0);
  Key('Z', Ctrl);
  Expect("ac", 1, 2);
  // Undo restores what was replaced even when it would not fit the limit any more.
  edit->SetMaxLength(1);
  Key('Y', Ctrl);
  Key('Z', Ctrl);
  EXPECT_EQ(edit->GetEditText(), "ac");
}

TEST_F(BaseEditTest, TheContextMenuOffersWhatCanBeDone) {
  const auto states = [](const MenuWatch& watch) {
    std::string s;
    for (const MenuWatch::Item& item : watch.items) s += item.caption == "-" ? "-" : item.enabled ? "+" : "o";
    return s;
  };
  // The items, in order: Undo, -, Cut, Copy, Insert, Delete, -, Select all.
  {
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    ::CloseClipboard();
    MenuWatch watch;
    RightClick(edit, 10, 5);
    ASSERT_TRUE(watch.seen);
    std::vector<std::string> captions;
    for (const MenuWatch::Item& item : watch.items) captions.push_back(item.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"&Undo", "-", "&Cut", "&Copy", "&Insert", "&Delete", "-",
                                                  "Select all"}));
    EXPECT_EQ(states(watch), "+-oooo-o") << "a fresh edit offers undo; no text, no selection, no clipboard text";
  }
  Type("Micah");
  Clipboard()->SetAsText("Joel ");
  {
    MenuWatch watch(MenuWatch::Choose(5));  // Select all
    RightClick(edit, 10, 5);
    EXPECT_EQ(states(watch), "+-oo+o-+");
    Expect("Micah", 1, 5);
  }
  {
    MenuWatch watch(MenuWatch::Choose(4));  // Delete
    RightClick(edit, 10, 5);
    EXPECT_EQ(states(watch), "+-++++-+");
    Expect("", 1, 0);
  }
  {
    MenuWatch watch(MenuWatch::Choose(3));  // Insert
    RightClick(edit, 10, 5);
    Expect("Joel ", 6, 0);
  }
  {
    MenuWatch watch(MenuWatch::Choose(0));  // Undo
    RightClick(edit, 10, 5);
    Expect("", 1, 0);
  }
  // Read-only: no cutting and no inserting.
  edit->SetText("Amos");
  edit->SetReadOnly(true);
  edit->SelectAll();
  {
    MenuWatch watch;
    RightClick(edit, 10, 5);
    EXPECT_EQ(states(watch), "+-o+o+-+");
  }
  // With an undo store emptied by a message, Undo is offered no more.
  edit->SetReadOnly(false);
  ::SendMessageA(edit->GetHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
  {
    MenuWatch watch;
    RightClick(edit, 10, 5);
    EXPECT_EQ(states(watch).substr(0, 1), "o");
  }
  // A popup menu of the edit's own replaces the built-in one.
  auto* own = new TPopupMenu(form_);
  auto* item = new TMenuItem(own);
  item->SetCaption("Own");
  own->GetItems()->Add(item);
  edit->SetPopupMenu(own);
  {
    MenuWatch watch;
    RightClick(edit, 10, 5);
    ASSERT_EQ(watch.items.size(), 1u);
    EXPECT_EQ(watch.items[0].caption, "Own");
  }
}

TEST_F(BaseEditTest, APasswordIsShownMaskedAndNeverCopied) {
  Clipboard()->SetAsText("unchanged");
  ::SendMessageA(edit->GetHandle(), EM_SETPASSWORDCHAR, '*', 0);
  EXPECT_EQ(::SendMessageA(edit->GetHandle(), EM_GETPASSWORDCHAR, 0, 0), '*');
  Type("secret");
  EXPECT_EQ(edit->GetDisplayText(), "******");
  Key('A', Ctrl);
  Key('C', Ctrl);
  Key('X', Ctrl);
  EXPECT_EQ(ClipboardText(), "unchanged");
  EXPECT_EQ(edit->GetEditText(), "secret") << "cutting is refused too";
  Key('V', Ctrl);
  EXPECT_EQ(edit->GetEditText(), "secret") << "and pasting";
  Key(VK_END);
  Shot("edit-password");
  // The stars are drawn: no letters' widths but equal steps.
  EXPECT_EQ(XBefore(edit, 3) - XBefore(edit, 2), XBefore(edit, 7) - XBefore(edit, 6));
}

TEST_F(BaseEditTest, TheMouseSetsTheCaretAndSelects) {
  Start("Song of Songs");
  Click(XBefore(edit, 6));
  Expect("Song of Songs", 6, 0);
  // Pressed before "o" of "of", dragged to after "of".
  SendMouse(edit, WM_LBUTTONDOWN, XBefore(edit, 6), 5, MK_LBUTTON);
  SendMouse(edit, WM_MOUSEMOVE, XBefore(edit, 8), 5, MK_LBUTTON);
  SendMouse(edit, WM_LBUTTONUP, XBefore(edit, 8), 5);
  Expect("Song of Songs", 6, 2);
  EXPECT_EQ(edit->GetSelText(), "of");
  // Dragged leftwards the anchor stays.
  SendMouse(edit, WM_LBUTTONDOWN, XBefore(edit, 5), 5, MK_LBUTTON);
  SendMouse(edit, WM_MOUSEMOVE, XBefore(edit, 1), 5, MK_LBUTTON);
  SendMouse(edit, WM_LBUTTONUP, XBefore(edit, 1), 5);
  Expect("Song of Songs", 1, 4);
  // Left of all the text is before the first character; right of it, after the last.
  Click(-30);
  EXPECT_EQ(edit->GetCaretIndex(), 1);
  Click(190);
  EXPECT_EQ(edit->GetCaretIndex(), 14);
  // A double click selects the word.
  SendMouse(edit, WM_LBUTTONDOWN, XBefore(edit, 10), 5, MK_LBUTTON);
  SendMouse(edit, WM_LBUTTONUP, XBefore(edit, 10), 5);
  SendMouse(edit, WM_LBUTTONDBLCLK, XBefore(edit, 10), 5, MK_LBUTTON);
  SendMouse(edit, WM_LBUTTONUP, XBefore(edit, 10), 5);
  EXPECT_EQ(edit->GetSelText(), "Songs");
  // With Shift held a click extends the selection from the caret.
  Click(XBefore(edit, 3));
  SetKeyState(VK_SHIFT, true);
  PostKey(WM_KEYDOWN, VK_SHIFT);
  Click(XBefore(edit, 8), MK_SHIFT);
  SetKeyState(VK_SHIFT, false);
  PostKey(WM_KEYUP, VK_SHIFT);
  EXPECT_EQ(edit->GetSelText(), "ng of");
}

TEST_F(BaseEditTest, SelectedTextIsDraggedToANewPlace) {
  Start("the quick fox");
  ::SendMessageA(edit->GetHandle(), EM_SETSEL, 4, 10);  // "quick "
  // Dropped inside its own selection: the selection goes and nothing moves.
  SendMouse(edit, WM_LBUTTONDOWN, XBefore(edit, 7), 5, MK_LBUTTON);
  SendMouse(edit, WM_MOUSEMOVE, XBefore(edit, 8), 5, MK_LBUTTON);
  SendMouse(edit, WM_LBUTTONUP, XBefore(edit, 8), 5);
  Expect("the quick fox", 8, 0);
  // Dropped after the selection, the text moves there; one undo takes the copy away again.
  ::SendMessageA(edit->GetHandle(), EM_SETSEL, 4, 10);
  SendMouse(edit, WM_LBUTTONDOWN, XBefore(edit, 7), 5, MK_LBUTTON);
  EXPECT_EQ(Screen->GetCursor(), crDrag);
  SendMouse(edit, WM_MOUSEMOVE, XBefore(edit, 14), 5, MK_LBUTTON);
  SendMouse(edit, WM_LBUTTONUP, XBefore(edit, 14), 5);
  EXPECT_EQ(edit->GetEditText(), "the foxquick ");
  EXPECT_NE(Screen->GetCursor(), crDrag);
  Key('Z', Ctrl);
  EXPECT_EQ(edit->GetEditText(), "the fox");
  Key('Z', Ctrl);
  EXPECT_EQ(edit->GetEditText(), "the quick fox");
  // Dragged before the selection.
  ::SendMessageA(edit->GetHandle(), EM_SETSEL, 10, 13);  // "fox"
  SendMouse(edit, WM_LBUTTONDOWN, XBefore(edit, 12), 5, MK_LBUTTON);
  SendMouse(edit, WM_MOUSEMOVE, XBefore(edit, 1), 5, MK_LBUTTON);
  SendMouse(edit, WM_LBUTTONUP, XBefore(edit, 1), 5);
  EXPECT_EQ(edit->GetEditText(), "foxthe quick ");
}

TEST_F(BaseEditTest, TheEditMessagesAreAnsweredAsTheSystemEditAnswersThem) {
  HWND wnd = edit->GetHandle();
  edit->SetText("Obadiah");
  struct Sel {
    int start, end;
    Integer selStart, selLength;
  };
  // The selection is normalised: a reversed range is swapped, -1 is the end, both are clamped.
  const Sel sels[] = {{1, 3, 2, 2}, {5, 2, 3, 3}, {2, -1, 3, 5}, {-3, 40, 1, 7}, {0, -1, 1, 7}, {4, 4, 5, 0}};
  for (const Sel& s : sels) {
    SCOPED_TRACE(testing::Message() << s.start << ", " << s.end);
    ::SendMessageA(wnd, EM_SETSEL, WPARAM(s.start), LPARAM(s.end));
    EXPECT_EQ(edit->GetSelStart(), s.selStart);
    EXPECT_EQ(edit->GetSelLength(), s.selLength);
  }
  ::SendMessageA(wnd, EM_SETSEL, 2, 5);
  DWORD start = 0, end = 0;
  EXPECT_EQ(::SendMessageA(wnd, EM_GETSEL, WPARAM(&start), LPARAM(&end)), MAKELONG(2, 5));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 5u);
  ::SendMessageA(wnd, EM_SETSEL, WPARAM(-1), 0);
  EXPECT_EQ(edit->GetSelLength(), 0) << "-1 removes the selection";

  EXPECT_EQ(::SendMessageA(wnd, WM_GETTEXTLENGTH, 0, 0), 7);
  EXPECT_EQ(::SendMessageA(wnd, EM_LINELENGTH, 0, 0), 7);
  EXPECT_EQ(::SendMessageA(wnd, EM_GETLINECOUNT, 0, 0), 1);
  char line[16] = {};
  *reinterpret_cast<WORD*>(line) = sizeof line;
  EXPECT_EQ(::SendMessageA(wnd, EM_GETLINE, 0, LPARAM(line)), 7);
  EXPECT_EQ(std::string(line, 7), "Obadiah");
  char text[5] = {};
  EXPECT_EQ(::SendMessageA(wnd, WM_GETTEXT, sizeof text, LPARAM(text)), 4);
  EXPECT_STREQ(text, "Obad");

  ::SendMessageA(wnd, EM_LIMITTEXT, 9, 0);
  EXPECT_EQ(::SendMessageA(wnd, EM_GETLIMITTEXT, 0, 0), 9);
  EXPECT_EQ(edit->GetMaxLength(), 9);

  ::SendMessageA(wnd, EM_SETMODIFY, FALSE, 0);
  EXPECT_EQ(::SendMessageA(wnd, EM_GETMODIFY, 0, 0), 0);
  ::SendMessageA(wnd, EM_SETSEL, 7, 7);
  ::SendMessageA(wnd, EM_REPLACESEL, TRUE, LPARAM("!!"));
  EXPECT_EQ(edit->GetEditText(), "Obadiah!!");
  EXPECT_NE(::SendMessageA(wnd, EM_GETMODIFY, 0, 0), 0);
  EXPECT_NE(::SendMessageA(wnd, EM_CANUNDO, 0, 0), 0);
  ::SendMessageA(wnd, EM_UNDO, 0, 0);
  EXPECT_EQ(edit->GetEditText(), "Obadiah");
  ::SendMessageA(wnd, EM_REPLACESEL, FALSE, LPARAM("?"));
  EXPECT_TRUE(edit->GetUndoBuffer()->IsEmpty()) << "a change that cannot be undone empties the stores";
  ::SendMessageA(wnd, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_EQ(::SendMessageA(wnd, EM_CANUNDO, 0, 0), 0);

  EXPECT_EQ(::SendMessageA(wnd, EM_SETREADONLY, TRUE, 0), 1);
  Type("x");
  EXPECT_EQ(edit->GetEditText(), "Obadiah?");
  ::SendMessageA(wnd, EM_SETREADONLY, FALSE, 0);

  RECT r{};
  ::SendMessageA(wnd, EM_GETRECT, 0, LPARAM(&r));
  EXPECT_EQ(r.left, edit->GetTextRect().Left);
  EXPECT_EQ(r.right, edit->GetTextRect().Right);
  const LRESULT code = ::SendMessageA(wnd, WM_GETDLGCODE, 0, 0);
  EXPECT_TRUE(code & DLGC_WANTARROWS);
  EXPECT_TRUE(code & DLGC_WANTCHARS);
  // Positions and characters agree.
  for (int i = 0; i <= 8; ++i) {
    const LRESULT pos = ::SendMessageA(wnd, EM_POSFROMCHAR, WPARAM(i), 0);
    EXPECT_EQ(LOWORD(::SendMessageA(wnd, EM_CHARFROMPOS, 0, pos)), i);
  }
}

TEST_F(BaseEditTest, TypingPastTheRightEdgeScrollsTheTextAndHomeScrollsItBack) {
  const TRect inner = edit->GetInnerRect();
  Type("In the beginning God created the heaven and the earth");
  EXPECT_GT(edit->GetScrollOffset(), 0);
  EXPECT_LE(CaretPos().x, inner.Right) << "the caret stays inside";
  EXPECT_GE(CaretPos().x, inner.Left);
  Shot("edit-scrolled");
  Key(VK_HOME);
  EXPECT_EQ(edit->GetScrollOffset(), 0);
  EXPECT_EQ(CaretPos().x, inner.Left);
  Key(VK_END);
  EXPECT_LE(CaretPos().x, inner.Right);
  // The characters the pointer hits follow the scroll.
  const Integer x = XBefore(edit, 50);
  EXPECT_GT(x, inner.Left);
  EXPECT_LT(x, inner.Right);
  Click(x);
  EXPECT_EQ(edit->GetCaretIndex(), 50);
}

TEST_F(BaseEditTest, AnEmptyTextPutsTheCaretWhereTheAlignmentStartsIt) {
  const TRect inner = edit->GetInnerRect();
  EXPECT_EQ(CaretPos().x, inner.Left);
  edit->SetAlignment(taRightJustify);
  EXPECT_EQ(CaretPos().x, inner.Right);
  edit->SetAlignment(taCenter);
  EXPECT_EQ(CaretPos().x, inner.Left + (inner.Right - inner.Left) / 2);
  Type("Nahum");
  edit->SetAlignment(taRightJustify);
  EXPECT_EQ(XBefore(edit, 6), inner.Right) << "right-aligned text ends at the right edge";
}

TEST_F(BaseEditTest, TheSelectionIsHighlightedWhileFocusedOrAlways) {
  edit->SetText("Habakkuk");
  ::SendMessageA(edit->GetHandle(), EM_SETSEL, 2, 3);  // "b"
  // Without the caret over the selection's first column; what is drawn reaches the screen with
  // the next turns of the loop.
  ::HideCaret(edit->GetHandle());
  edit->Repaint();
  ProcessFor(50);
  const TColor highlight = ColorToRGB(clHighlight);
  auto picture = CaptureClient(edit);
  ::ShowCaret(edit->GetHandle());
  const TRect lit = pixels::BoundsOf(*picture, highlight);
  EXPECT_EQ(lit.Left, XBefore(edit, 3));
  EXPECT_EQ(lit.Right, XBefore(edit, 4));
  Shot("edit-selection");
  // The focus moves away: the selection is hidden, unless HideSelection is off.
  auto* other = Add<TVisCustomEdit>(20, 80, 200, 25);
  other->SetFocus();
  ProcessFor(30);
  EXPECT_EQ(pixels::Count(*CaptureClient(edit), highlight), 0);
  edit->SetHideSelection(false);
  edit->SetFocus();
  other->SetFocus();
  ProcessFor(30);
  EXPECT_GT(pixels::Count(*CaptureClient(edit), highlight), 0);
}

TEST_F(BaseEditTest, TheHeightFollowsTheFontAndTheButtons) {
  auto* sized = Add<TVisCustomEdit>(20, 80, 60, -1);
  TCanvas* canvas = sized->GetCanvas();
  const auto qp = [&] {
    canvas->SetFont(sized->GetFont());
    return canvas->TextHeight("Qp");
  };
  EXPECT_EQ(sized->GetHeight(), qp() * 5 / 4 + 5);
  sized->GetFont()->SetSize(20);
  EXPECT_EQ(sized->GetHeight(), qp() * 5 / 4 + 5);
  // Another bevel: its room twice.
  sized->GetBevel()->SetMode(bmStandard);
  sized->GetFont()->SetSize(9);
  EXPECT_EQ(sized->GetHeight(), qp() * 5 / 4 + 2 * sized->GetBevel()->GetBevelExtent());
  // Buttons widen it to hold them and 30 pixels.
  for (int i = 0; i < 3; ++i) sized->GetSpecialButtons()->Add()->SetCaption(IntToStr(i + 1));
  EXPECT_EQ(sized->GetWidth(), 3 * 16 + 30);
  Shot("edit-heights");
}

TEST_F(BaseEditTest, EmbeddedButtonsSitAtTheRightEdgeAndReportTheirClicks) {
  edit->SetText("Zephaniah");
  TVisSpecialButton* first = edit->GetSpecialButtons()->Add();
  TVisSpecialButton* second = edit->GetSpecialButtons()->Add();
  first->SetCaption("A");
  second->SetCaption("B");
  second->SetHint("Second");
  ProcessFor(30);
  const TRect text = edit->GetTextRect();
  const TRect frame = edit->GetFrameRect();
  EXPECT_EQ(text.Right, frame.Right - 2 * 16 - 1);
  EXPECT_EQ(first->GetButton()->GetLeft(), text.Right + 1);
  EXPECT_EQ(second->GetButton()->GetLeft(), text.Right + 1 + 16);
  EXPECT_EQ(second->GetButton()->GetHint(), "Second");
  std::vector<std::string> clicks;
  second->OnClick = TVisOnCustomBtnClick::FromFunction(
      [&](TObject* Sender, Integer Index) { clicks.push_back(Sender == second ? "item " + std::to_string(Index) : "?"); });
  edit->OnButtonClick = TVisEditButtonClickEvent::FromFunction([&](TObject* Sender, TVisSpeedButton* Button, Integer Index) {
    clicks.push_back(Sender == edit && Button == second->GetButton() ? "edit " + std::to_string(Index) : "?");
  });
  ClickAt(second->GetButton(), 5, 5);
  EXPECT_EQ(clicks, (std::vector<std::string>{"item 1", "edit 1"}));
  Shot("edit-buttons");
  // Removing one gives its room back.
  delete first;
  ProcessFor(30);
  EXPECT_EQ(edit->GetTextRect().Right, frame.Right - 16 - 1);
  EXPECT_EQ(second->GetButton()->Tag, 0);
}

TEST_F(BaseEditTest, TheCompanionControlFollowsTheEdit) {
  auto* label = new TLabel(form_);
  label->SetParent(form_);
  label->SetBounds(0, 0, 40, 16);
  edit->SetBounds(100, 100, 120, 25);
  edit->SetBoundControl(label);
  struct Case {
    TVisBoundPosition position;
    Integer left, top;
  };
  const Case cases[] = {{bpAbove, 100, 100 - 16 - 3}, {bpBelow, 100, 100 + 25 + 3},
                        {bpLeft, 100 - 40 - 3, 100 + (25 - 16) / 2}, {bpRight, 100 + 120 + 3, 100 + (25 - 16) / 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    edit->SetBoundPosition(c.position);
    EXPECT_EQ(label->GetLeft(), c.left);
    EXPECT_EQ(label->GetTop(), c.top);
  }
  edit->SetLeft(60);
  EXPECT_EQ(label->GetLeft(), 60 + 120 + 3);
  edit->SetVisible(false);
  EXPECT_FALSE(label->GetVisible());
  edit->SetVisible(true);
  EXPECT_TRUE(label->GetVisible());
  auto* panel = Add<TVisCustomPanel>(0, 150, 400, 100);
  edit->SetParent(panel);
  EXPECT_EQ(label->GetParent(), panel);
  delete label;
  EXPECT_EQ(edit->GetBoundControl(), nullptr);
}

TEST_F(BaseEditTest, EnteringAndTheMouseAboveFollowTheSettings) {
  auto* second = Add<TVisCustomEdit>(20, 80, 200, 25);
  second->SetText("Zechariah");
  second->SetAutoSelect(true);
  std::vector<std::string> events;
  second->OnModified = TNotifyEvent::FromFunction([&](TObject*) { events.push_back("modified"); });
  second->OnCursorPosChanged = TNotifyEvent::FromFunction([&](TObject*) { events.push_back("caret"); });
  second->SetFocus();
  ProcessFor(20);
  EXPECT_EQ(second->GetSelLength(), 9) << "entering selects all";
  Type("Z");
  EXPECT_EQ(second->GetEditText(), "Z");
  EXPECT_EQ(events, (std::vector<std::string>{"modified", "caret"}));
  // With FocusOnMouseAbove the pointer coming over the edit gives it the focus.
  edit->SetFocusOnMouseAbove(true);
  EXPECT_TRUE(second->Focused());
  PointAt(edit, 10, 5);
  EXPECT_TRUE(IdleUntil([&] { return edit->Focused(); }));
}

TEST_F(BaseEditTest, TheEditIsReachedWithTabAndKeepsTheArrowKeys) {
  auto* before = Add<TVisCustomEdit>(20, 80, 100, 25);
  before->SetTabOrder(0);
  before->SetFocus();
  ProcessFor(20);
  Key(VK_TAB);
  ProcessFor(20);
  EXPECT_TRUE(edit->Focused());
  edit->SetText("Haggai");
  Key(VK_END);
  Key(VK_LEFT);
  EXPECT_TRUE(edit->Focused()) << "the arrows stay in the edit";
  EXPECT_EQ(edit->GetCaretIndex(), 6);
}

}  // namespace
