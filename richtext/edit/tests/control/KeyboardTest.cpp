// Editing with the keyboard and the mouse through the system's input: typing, Return, Tab,
// Backspace and Delete, moving the caret by every movement key, selecting with Shift and the
// mouse, undo and redo by their shortcuts, and where the caret could not go.
#include <functional>

#include "richtext/edit/tests/control/EditorTestSupport.h"

using namespace editor_test;

namespace {

// One step of a session: what the user does, the document's text and the caret afterwards.
struct Step {
  const char* What;
  std::function<void()> Do;
  std::string Text;
  Place Caret;
};

class KeyboardTest : public EditorFixture {
protected:
  void Run(const std::vector<Step>& Steps) {
    for (const Step& step : Steps) {
      step.Do();
      EXPECT_EQ(Text(), step.Text) << step.What;
      EXPECT_EQ(Caret(), step.Caret) << step.What;
    }
  }
  // The offsets at which the lines of a (wrapped) paragraph start.
  std::vector<Integer> LineStarts(Integer ItemNo) {
    TUVEditUVData* data = editor->GetEditData();
    std::vector<Integer> starts;
    for (Integer d = 0; d < data->DrawItems->GetCount(); ++d)
      if (data->DrawItems->Get(d)->ItemNo == ItemNo) starts.push_back(data->DrawItems->Get(d)->Offs);
    return starts;
  }
};

auto Key(Word K, bool Shift = false, bool Ctrl = false, bool Alt = false) {
  return [=] { TypeKey(K, Shift, Ctrl, Alt); };
}
auto Type(std::string S) {
  return [=] { TypeText(S); };
}

TEST_F(KeyboardTest, TypingReturnTabBackspaceAndDeleteInAnEmptyEditor) {
  editor->SetEditorOptions(editor->GetEditorOptions() << uvoWantTabs);
  style->SpacesInTab = 4;
  editor->Clear();
  editor->Format();
  ShowForm();
  Run({
      {"typing", Type("In the beginning"), "In the beginning", {0, 17}},
      {"Return", Key(VK_RETURN), "In the beginning\n", {1, 1}},
      {"typing on", Type("God created"), "In the beginning\nGod created", {1, 12}},
      {"Tab", Key(VK_TAB), "In the beginning\nGod created    ", {1, 16}},
      {"Backspace", Key(VK_BACK), "In the beginning\nGod created   ", {1, 15}},
      {"Home", Key(VK_HOME), "In the beginning\nGod created   ", {1, 1}},
      {"Delete", Key(VK_DELETE), "In the beginning\nod created   ", {1, 1}},
      {"Backspace joins the paragraphs", Key(VK_BACK), "In the beginningod created   ", {0, 17}},
      {"Return splits them again", Key(VK_RETURN), "In the beginning\nod created   ", {1, 1}},
      {"Up, End", [] { TypeKey(VK_UP), TypeKey(VK_END); }, "In the beginning\nod created   ", {0, 17}},
      {"Delete at the end joins", Key(VK_DELETE), "In the beginningod created   ", {0, 17}},
      {"Ctrl+Backspace deletes a word", Key(VK_BACK, false, true), "In the od created   ", {0, 8}},
      {"Ctrl+Delete deletes the next word", Key(VK_DELETE, false, true), "In the created   ", {0, 8}},
  });
  EXPECT_TRUE(editor->GetModified());
  EXPECT_EQ(BeepCount(), 0);
  Screenshot("editor-typing");
}

TEST_F(KeyboardTest, TheMovementKeysMoveTheCaret) {
  Fill(kVerses);
  ShowForm();
  const std::string text = kVerses[0] + "\n" + kVerses[1] + "\n" + kVerses[2];
  const Integer end0 = static_cast<Integer>(kVerses[0].size()) + 1;
  const Integer end2 = static_cast<Integer>(kVerses[2].size()) + 1;
  const std::vector<Integer> lines = LineStarts(1);
  ASSERT_GT(lines.size(), 1u) << "the second verse wraps";
  const Place last{1, lines.back()};
  std::vector<Step> steps = {
      {"End", Key(VK_END), text, {0, end0}},
      {"Home", Key(VK_HOME), text, {0, 1}},
      {"Right", Key(VK_RIGHT), text, {0, 2}},
      {"Ctrl+Right to the next word", Key(VK_RIGHT, false, true), text, {0, 4}},
      {"Ctrl+Right again", Key(VK_RIGHT, false, true), text, {0, 8}},
      {"Ctrl+Left", Key(VK_LEFT, false, true), text, {0, 4}},
      {"Left", Key(VK_LEFT), text, {0, 3}},
      {"Home, Down", [] { TypeKey(VK_HOME), TypeKey(VK_DOWN); }, text, {1, 1}},
  };
  for (std::size_t i = 1; i < lines.size(); ++i) steps.push_back({"Down into a wrapped line", Key(VK_DOWN), text, {1, lines[i]}});
  std::vector<Step> more = {
      {"Down to the last verse", Key(VK_DOWN), text, {2, 1}},
      {"Up", Key(VK_UP), text, last},
      {"Left from a line start goes to the end of the line before", Key(VK_LEFT), text, {1, last.Offs - 1}},
      {"Ctrl+End", Key(VK_END, false, true), text, {2, end2}},
      {"Right at the very end stays", Key(VK_RIGHT), text, {2, end2}},
      {"Ctrl+Home", Key(VK_HOME, false, true), text, {0, 1}},
      {"End of a paragraph, Right goes to the next", [] { TypeKey(VK_END), TypeKey(VK_RIGHT); }, text, {1, 1}},
  };
  steps.insert(steps.end(), more.begin(), more.end());
  Run(steps);
  EXPECT_EQ(BeepCount(), 0);
  EXPECT_FALSE(editor->GetModified());
}

TEST_F(KeyboardTest, PageDownAndUpMoveByTwoThirdsOfTheWindowAndKeepTheCaretInView) {
  std::vector<std::string> lines;
  for (int i = 0; i < 80; ++i) lines.push_back("Line " + std::to_string(i + 1));
  Fill(lines);
  ShowForm();
  auto caretVisible = [&] {
    POINT p;
    ::GetCaretPos(&p);
    return p.y >= 0 && p.y < editor->GetClientHeight();
  };
  TypeKey(VK_NEXT);
  Integer first = Caret().Item;
  EXPECT_GT(first, 5);
  EXPECT_LT(first, 20);
  EXPECT_GT(editor->GetVOffs(), 0);
  EXPECT_TRUE(caretVisible());
  TypeKey(VK_NEXT);
  Integer second = Caret().Item;
  EXPECT_GT(second, first);
  EXPECT_TRUE(caretVisible());
  TypeKey(VK_PRIOR);
  EXPECT_LT(Caret().Item, second);
  EXPECT_TRUE(caretVisible());
  TypeKey(VK_END, false, true);
  EXPECT_EQ(Caret(), (Place{79, 8}));
  EXPECT_TRUE(caretVisible());
  // The last page: Page Down finds no later line and goes to the end.
  TypeKey(VK_UP);
  TypeKey(VK_NEXT);
  EXPECT_EQ(Caret(), (Place{79, 8}));
  TypeKey(VK_PRIOR);
  TypeKey(VK_PRIOR);
  EXPECT_LT(Caret().Item, 79);
  // The first page: Page Up finds no earlier line and goes to the start.
  TypeKey(VK_HOME, false, true);
  TypeKey(VK_DOWN);
  TypeKey(VK_PRIOR);
  EXPECT_EQ(Caret(), (Place{0, 1}));
  EXPECT_EQ(editor->GetVOffs(), 0);
}

TEST_F(KeyboardTest, ShiftSelectsFromTheCaretAndTypingReplacesTheSelection) {
  Fill(kVerses);
  ShowForm();
  TypeKey(VK_RIGHT, true);
  TypeKey(VK_RIGHT, true);
  EXPECT_EQ(editor->GetSelText(), "In");
  // Ctrl+Shift+Right goes on to the start of the next word.
  TypeKey(VK_RIGHT, true, true);
  EXPECT_EQ(editor->GetSelText(), "In ");
  TypeKey(VK_RIGHT, true, true);
  EXPECT_EQ(editor->GetSelText(), "In the ");
  TypeKey(VK_LEFT, true);
  EXPECT_EQ(editor->GetSelText(), "In the");
  EXPECT_EQ(Caret(), (Place{0, 7}));
  TypeText("At");
  EXPECT_EQ(Text().substr(0, 18), "At beginning God c");
  EXPECT_FALSE(editor->SelectionExists());
  // A selection across paragraphs; a movement without Shift ends it where the caret is.
  TypeKey(VK_DOWN, true);
  EXPECT_TRUE(editor->SelectionExists());
  Place end = Caret();
  EXPECT_EQ(end.Item, 1);
  TypeKey(VK_RIGHT);
  EXPECT_FALSE(editor->SelectionExists());
  EXPECT_EQ(Caret(), (Place{1, end.Offs + 1}));
  // Shift+Home on the last verse, then Backspace deletes the selection only.
  TypeKey(VK_END, false, true);
  TypeKey(VK_HOME, true);
  EXPECT_EQ(editor->GetSelText(), kVerses[2]);
  TypeKey(VK_BACK);
  EXPECT_EQ(editor->GetItemText(2), "");
  EXPECT_EQ(Caret(), (Place{2, 1}));
  EXPECT_FALSE(editor->SelectionExists());
  // Return in place of a selection.
  SetCaret(0, 14);
  TypeKey(VK_RIGHT, true, true);
  EXPECT_EQ(editor->GetSelText(), "God ");
  TypeKey(VK_RETURN);
  EXPECT_EQ(editor->GetItemText(0), "At beginning ");
  EXPECT_EQ(editor->GetItemText(1), "created the heaven and the earth.");
  EXPECT_EQ(Caret(), (Place{1, 1}));
}

TEST_F(KeyboardTest, TheMouseSelectsAndPlacesTheCaret) {
  Fill(kVerses);
  ShowForm();
  Drag(PointAt(0, 4), PointAt(0, 17));
  EXPECT_EQ(editor->GetSelText(), "the beginning");
  EXPECT_EQ(Caret(), (Place{0, 17}));
  TypeText("the start");
  EXPECT_EQ(editor->GetItemText(0), "In the start God created the heaven and the earth.");
  EXPECT_EQ(Caret(), (Place{0, 13}));
  // A click puts the caret; Shift+click selects from it.
  Click(PointAt(2, 5));
  EXPECT_EQ(Caret(), (Place{2, 5}));
  EXPECT_FALSE(editor->SelectionExists());
  Click(PointAt(2, 14), MK_SHIFT);
  EXPECT_EQ(editor->GetSelText(), "God said,");
  EXPECT_EQ(Caret(), (Place{2, 14}));
  // Dragging backwards leaves the caret at the start.
  Drag(PointAt(0, 13), PointAt(0, 8));
  EXPECT_EQ(editor->GetSelText(), "start");
  EXPECT_EQ(Caret(), (Place{0, 8}));
  TypeKey(VK_DELETE);
  EXPECT_EQ(editor->GetItemText(0), "In the  God created the heaven and the earth.");
  EXPECT_EQ(Caret(), (Place{0, 8}));
  Screenshot("editor-mouse");
}

TEST_F(KeyboardTest, CtrlZCtrlYAndAltBackspaceUndoAndRedo) {
  Fill(kVerses);
  ShowForm();
  const std::string rest = "\n" + kVerses[1] + "\n" + kVerses[2];
  const Integer end0 = static_cast<Integer>(kVerses[0].size()) + 1;
  TypeKey(VK_END);
  Run({
      {"typing", Type(" Amen"), kVerses[0] + " Amen" + rest, {0, end0 + 5}},
      {"Return", Key(VK_RETURN), kVerses[0] + " Amen\n" + rest, {1, 1}},
      {"Ctrl+Z undoes the Return", Key('Z', false, true), kVerses[0] + " Amen" + rest, {0, end0 + 5}},
      {"Ctrl+Z takes back a typed character", Key('Z', false, true), kVerses[0] + " Ame" + rest, {0, end0 + 4}},
      {"Alt+Backspace too", Key(VK_BACK, false, false, true), kVerses[0] + " Am" + rest, {0, end0 + 3}},
      {"Ctrl+Y redoes", Key('Y', false, true), kVerses[0] + " Ame" + rest, {0, end0 + 4}},
      {"Ctrl+Shift+Z redoes", Key('Z', true, true), kVerses[0] + " Amen" + rest, {0, end0 + 5}},
      {"Shift+Alt+Backspace redoes", Key(VK_BACK, true, false, true), kVerses[0] + " Amen\n" + rest, {1, 1}},
      {"nothing left to redo", Key('Y', false, true), kVerses[0] + " Amen\n" + rest, {1, 1}},
  });
  EXPECT_EQ(BeepCount(), 1);  // the last redo, with nothing to redo
  // Everything back.
  while (editor->CanUndo()) TypeKey('Z', false, true);
  EXPECT_EQ(Text(), kVerses[0] + rest);
  EXPECT_TRUE(editor->CanRedo());
}

// Records the window messages this thread's windows receive, sent and posted.
class MessageRecorder {
public:
  MessageRecorder() {
    Messages().clear();
    sent_ = ::SetWindowsHookExA(WH_CALLWNDPROC, &RecordSent, nullptr, ::GetCurrentThreadId());
    posted_ = ::SetWindowsHookExA(WH_GETMESSAGE, &RecordPosted, nullptr, ::GetCurrentThreadId());
  }
  ~MessageRecorder() {
    ::UnhookWindowsHookEx(sent_);
    ::UnhookWindowsHookEx(posted_);
  }
  static std::vector<UINT>& Messages() {
    static std::vector<UINT> messages;
    return messages;
  }
  int Count(UINT Message) const {
    int n = 0;
    for (UINT m : Messages()) n += m == Message;
    return n;
  }

private:
  static LRESULT CALLBACK RecordSent(int Code, WPARAM W, LPARAM L) {
    if (Code == HC_ACTION) Messages().push_back(reinterpret_cast<CWPSTRUCT*>(L)->message);
    return ::CallNextHookEx(nullptr, Code, W, L);
  }
  static LRESULT CALLBACK RecordPosted(int Code, WPARAM W, LPARAM L) {
    if (Code == HC_ACTION && W == PM_REMOVE) Messages().push_back(reinterpret_cast<MSG*>(L)->message);
    return ::CallNextHookEx(nullptr, Code, W, L);
  }
  HHOOK sent_;
  HHOOK posted_;
};

TEST_F(KeyboardTest, AltBackspaceSwallowsItsSystemCharacterSoNothingBeeps) {
  Fill(kVerses);
  ShowForm();
  TypeKey(VK_END);
  TypeText("!");
  MessageRecorder recorder;
  // Undoing the only action: afterwards nothing can be undone, and still the system character
  // that follows goes no further (it would look for a menu and beep).
  TypeKey(VK_BACK, false, false, true);
  EXPECT_EQ(editor->GetItemText(0), kVerses[0]);
  EXPECT_FALSE(editor->CanUndo());
  EXPECT_EQ(recorder.Count(WM_SYSCHAR), 1);
  EXPECT_EQ(recorder.Count(WM_SYSCOMMAND), 0);
  EXPECT_EQ(BeepCount(), 0);
  // A system character of another key goes on.
  ::SendMessageA(editor->GetHandle(), WM_SYSCHAR, 'q', 1 << 29);
  EXPECT_GE(recorder.Count(WM_SYSCOMMAND), 1);
}

// Characters sent as an on-screen keyboard sends them: UTF-16 units, a character outside the
// Basic Multilingual Plane as its two halves.
void TypeUnits(const std::wstring& Units) {
  std::vector<INPUT> inputs;
  for (wchar_t unit : Units)
    for (bool up : {false, true}) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wScan = unit;
      in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(in);
    }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  WaitForInput();
}

TEST_F(KeyboardTest, CharactersTheCodePageCannotHoldAreTypedAsUTF16) {
  style->DefUnicodeStyle = edit_test::tsUnicode;
  Fill({"Psalm"});
  ShowForm();
  std::string pressed;
  editor->OnKeyPress = TKeyPressEvent::FromFunction([&](TObject*, char& Key) { pressed += Key; });
  TypeKey(VK_END);
  // A letter of the code page goes through the key events as ever and joins the text.
  TypeUnits(L" \x00E9");
  EXPECT_EQ(pressed, " \xE9");
  EXPECT_EQ(editor->GetItemText(0), "Psalm \xE9");
  // Alef and a character of two units (U+1F600): typed in the Unicode style, never as "?".
  const std::wstring other = L"\x05D0\xD83D\xDE00";
  TypeUnits(other);
  ASSERT_EQ(editor->GetItemCount(), 2);
  EXPECT_EQ(editor->GetItemText(0), "Psalm \xE9");
  EXPECT_EQ(editor->GetItemStyle(1), edit_test::tsUnicode);
  EXPECT_EQ(editor->GetItemText(1), UVUniWideStringToRaw(other));
  EXPECT_EQ(Caret(), (Place{1, 4}));
  // More of them in the Unicode text; undoing takes the pair back whole.
  TypeUnits(L"\xD83D\xDE00");
  EXPECT_EQ(editor->GetItemText(1), UVUniWideStringToRaw(other + L"\xD83D\xDE00"));
  TypeKey('Z', false, true);
  EXPECT_EQ(editor->GetItemText(1), UVUniWideStringToRaw(other));
  EXPECT_EQ(pressed, " \xE9");
  Screenshot("editor-unicode-typed");
}

TEST_F(KeyboardTest, TheCaretReportsWhereItCouldNotGo) {
  Fill(kVerses);
  ShowForm();
  std::vector<TUVGetOutDirection> outs;
  editor->OnCaretGetOut =
      TUVOnCaretGetOutEvent::FromFunction([&](TObject*, TUVGetOutDirection d) { outs.push_back(d); });
  struct {
    Place From;
    Word Key;
    bool Ctrl;
    bool RightToLeft;
    std::vector<TUVGetOutDirection> Expected;
  } cases[] = {
      {{0, 1}, VK_LEFT, false, false, {uvcgoBackward}},
      {{0, 1}, VK_UP, false, false, {uvcgoUp}},
      {{2, 55}, VK_RIGHT, false, false, {uvcgoForward}},
      {{2, 5}, VK_DOWN, false, false, {uvcgoDown}},
      {{1, 5}, VK_HOME, true, false, {uvcgoHome}},
      {{1, 5}, VK_END, true, false, {uvcgoEnd}},
      {{1, 5}, VK_HOME, false, false, {}},
      {{1, 5}, VK_LEFT, false, false, {}},
      // Right-to-left: Left goes forward.
      {{2, 55}, VK_LEFT, false, true, {uvcgoForward}},
      {{0, 1}, VK_RIGHT, false, true, {uvcgoBackward}},
  };
  for (auto& c : cases) {
    editor->SetUVBiDiMode(c.RightToLeft ? uvbdRightToLeft : uvbdUnspecified);
    SetCaret(c.From.Item, c.From.Offs);
    outs.clear();
    TypeKey(c.Key, false, c.Ctrl);
    EXPECT_EQ(outs, c.Expected) << c.From.Item << "," << c.From.Offs << " key " << c.Key;
    if (!c.Expected.empty() && !c.Ctrl) EXPECT_EQ(Caret(), c.From);
  }
}

TEST_F(KeyboardTest, KeysThatTypeNothingKeepTheSelection) {
  Fill(kVerses);
  ShowForm();
  editor->SetSelectionBounds(0, 4, 0, 7);
  ASSERT_EQ(editor->GetSelText(), "the");
  for (Word key : {VK_VOLUME_MUTE, VK_MEDIA_PLAY_PAUSE, VK_BROWSER_BACK, VK_CLEAR, VK_SLEEP, VK_F5, VK_INSERT}) {
    ::SendMessageA(editor->GetHandle(), WM_KEYDOWN, key, 1);
    ::SendMessageA(editor->GetHandle(), WM_KEYUP, key, 0xC0000001);
    EXPECT_EQ(editor->GetSelText(), "the") << key;
  }
  EXPECT_EQ(editor->GetItemText(0), kVerses[0]);
  EXPECT_FALSE(editor->GetModified());
}

TEST_F(KeyboardTest, ReturnOptionsAndTheKeysTheEditorAsksFor) {
  Fill(kVerses);
  ShowForm();
  struct {
    TUVEditorOptions Options;
    LRESULT DlgCode;
    Integer ItemsAfterReturn;
    Integer ItemsAfterShiftReturn;
    int Beeps;  // a Return that comes as a character to an editor that wants none
  } cases[] = {
      {{}, DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS, 4, 5, 0},
      {{uvoWantTabs}, DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTTAB, 4, 5, 0},
      {{uvoDoNotWantShiftReturns}, DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS, 4, 4, 0},
      {{uvoDoNotWantReturns}, DLGC_WANTARROWS | DLGC_WANTCHARS, 3, 3, 2},
  };
  for (auto& c : cases) {
    Fill(kVerses);
    editor->SetEditorOptions(c.Options);
    BeepCount() = 0;
    EXPECT_EQ(::SendMessageA(editor->GetHandle(), WM_GETDLGCODE, 0, 0), c.DlgCode);
    SetCaret(0, 4);
    TypeKey(VK_RETURN);
    EXPECT_EQ(editor->GetItemCount(), c.ItemsAfterReturn);
    TypeKey(VK_RETURN, true);
    EXPECT_EQ(editor->GetItemCount(), c.ItemsAfterShiftReturn);
    EXPECT_EQ(BeepCount(), c.Beeps);
  }
}

}  // namespace
