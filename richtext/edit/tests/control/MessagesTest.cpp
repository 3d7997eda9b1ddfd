// The edit messages the editor answers, its events, the keys of a Unicode text style, the input
// method's composition, the keyboard-language switch, searching from the caret, and the editor
// placed by a form text.
#include <memory>

#include "classlib/Clipbrd.h"
#include "classlib/FormText.h"
#include "classlib/Filer.h"
#include "richtext/edit/tests/control/EditorTestSupport.h"

using namespace editor_test;

namespace editor_test {

class TEditorForm : public TForm {
  CLASS_INFO(TEditorForm, TForm)
public:
  explicit TEditorForm(TComponent* AOwner) : TForm(AOwner) {}
  Integer Changes = 0;
  void BookChange(TObject*) { ++Changes; }
};

}  // namespace editor_test

PUBLISHED(TEditorForm) { Method("BookChange", &TEditorForm::BookChange); }

namespace {

TEST(EditorFormStream, AFormPlacesTheEditorWithItsProperties) {
  const char kText[] =
      "object EditorForm: TEditorForm\r\n"
      "  Width = 300\r\n"
      "  Height = 200\r\n"
      "  object UVStyle1: TUVStyle\r\n"
      "  end\r\n"
      "  object UzurUvadEdit1: VUzurUvadEdit\r\n"
      "    Width = 200\r\n"
      "    Height = 100\r\n"
      "    Align = alClient\r\n"
      "    Style = UVStyle1\r\n"
      "    ReadOnly = True\r\n"
      "    EditorOptions = [uvoClearTagOnStyleApp, uvoWantTabs]\r\n"
      "    UndoLimit = 10\r\n"
      "    OnChange = BookChange\r\n"
      "  end\r\n"
      "end\r\n";
  auto form = std::make_unique<TEditorForm>(Application);
  {
    TStringStream input(kText);
    TMemoryStream binary;
    ObjectTextToBinary(&input, &binary);
    binary.SetPosition(0);
    ReadComponentFromStream(&binary, form.get());
  }
  auto* editor = dynamic_cast<VUzurUvadEdit*>(form->FindComponent("UzurUvadEdit1"));
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->GetStyle(), form->FindComponent("UVStyle1"));
  EXPECT_TRUE(editor->GetReadOnly());
  EXPECT_EQ(editor->GetEditorOptions(), (TUVEditorOptions{uvoClearTagOnStyleApp, uvoWantTabs}));
  EXPECT_EQ(editor->GetUndoLimit(), 10);
  EXPECT_EQ(editor->GetCursor(), crIBeam);
  EXPECT_EQ(editor->GetTabNavigation(), uvtnNone);
  editor->SetReadOnly(false);
  editor->InsertText("x");
  EXPECT_EQ(form->Changes, 1);
  // Written back, the editor's usual values are left out.
  editor->SetReadOnly(false);
  editor->SetEditorOptions(TUVEditorOptions{uvoClearTagOnStyleApp});
  editor->SetUndoLimit(-1);
  TMemoryStream binary;
  WriteComponentToStream(&binary, editor);
  binary.SetPosition(0);
  TStringStream text("");
  ObjectBinaryToText(&binary, &text);
  for (const char* name : {"ReadOnly", "EditorOptions", "UndoLimit", "Cursor", "TabNavigation"})
    EXPECT_EQ(text.GetDataString().find(name), std::string::npos) << name;
}

class MessagesTest : public EditorFixture {
protected:
  void SetUp() override {
    EditorFixture::SetUp();
    Fill(kVerses);
    ShowForm();
  }
  LRESULT Send(UINT Message, WPARAM W = 0, LPARAM L = 0) {
    return ::SendMessageA(editor->GetHandle(), Message, W, L);
  }
};

TEST_F(MessagesTest, TheEditorHasNoTabNavigation) {
  try {
    editor->SetTabNavigation(uvtnTab);
    FAIL() << "no exception";
  } catch (const EUzurUvadError& e) {
    EXPECT_STREQ(e.what(), "Not supported in editor");
  }
  EXPECT_EQ(editor->GetTabNavigation(), uvtnNone);
}

TEST_F(MessagesTest, TheEditMessagesUndoRedoCutPasteAndClear) {
  EXPECT_EQ(Send(EM_CANUNDO), 0);
  EXPECT_EQ(Send(WM_UNDO), 0);
  EXPECT_EQ(BeepCount(), 1);
  editor->SetSelectionBounds(0, 1, 0, 4);
  Send(WM_CUT);
  EXPECT_EQ(Clipboard()->GetAsText(), "In ");
  EXPECT_EQ(editor->GetItemText(0), "the beginning God created the heaven and the earth.");
  EXPECT_EQ(Send(EM_CANUNDO), 1);
  EXPECT_EQ(Send(EM_CANREDO), 0);
  SetCaret(2, 1);
  Send(WM_PASTE);
  EXPECT_EQ(editor->GetItemText(2), "In " + kVerses[2]);
  editor->SetSelectionBounds(2, 1, 2, 4);
  Send(WM_CLEAR);
  EXPECT_EQ(editor->GetItemText(2), kVerses[2]);
  EXPECT_EQ(Send(EM_UNDO), 1);
  EXPECT_EQ(editor->GetItemText(2), "In " + kVerses[2]);
  EXPECT_EQ(Send(EM_CANREDO), 1);
  EXPECT_EQ(Send(EM_REDO), 1);
  EXPECT_EQ(editor->GetItemText(2), kVerses[2]);
  EXPECT_EQ(Send(EM_REDO), 0);
  EXPECT_EQ(Send(EM_UNDO), 1);
  EXPECT_EQ(Send(EM_UNDO), 1);
  EXPECT_EQ(Send(EM_UNDO), 1);
  EXPECT_EQ(Text(), kVerses[0] + "\n" + kVerses[1] + "\n" + kVerses[2]);
  EXPECT_EQ(BeepCount(), 1);
}

TEST_F(MessagesTest, TheEventsTellOfChangesCaretMovesAndStyles) {
  int changing = 0, changes = 0, moves = 0, textStyles = 0, paraStyles = 0;
  editor->OnChanging = TNotifyEvent::FromFunction([&](TObject*) { ++changing; });
  editor->OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
  editor->OnCaretMove = TNotifyEvent::FromFunction([&](TObject*) { ++moves; });
  editor->OnCurTextStyleChanged = TNotifyEvent::FromFunction([&](TObject*) { ++textStyles; });
  editor->OnCurParaStyleChanged = TNotifyEvent::FromFunction([&](TObject*) { ++paraStyles; });
  editor->AddNL("Big", edit_test::tsBig, edit_test::psCentered);
  editor->Format();
  moves = 0;
  EXPECT_FALSE(editor->GetModified());
  TypeKey(VK_RIGHT);
  EXPECT_EQ(moves, 1);
  TypeText("ab");
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(editor->GetModified());
  TypeKey(VK_RETURN);
  EXPECT_EQ(changing, 3);
  EXPECT_EQ(changes, 3);
  TypeKey('Z', false, true);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(textStyles + paraStyles, 0);
  // Into the big centred line: both current styles change.
  TypeKey(VK_END, false, true);
  EXPECT_EQ(editor->GetCurTextStyleNo(), edit_test::tsBig);
  EXPECT_EQ(editor->GetCurParaStyleNo(), edit_test::psCentered);
  EXPECT_EQ(textStyles, 1);
  EXPECT_EQ(paraStyles, 1);
  // While locked, no change events; the document still changes and is modified.
  editor->SetModified(false);
  editor->LockChangeNotifications();
  TypeText("c");
  editor->UnlockChangeNotifications();
  EXPECT_EQ(changing, 3);
  EXPECT_EQ(changes, 4);
  EXPECT_TRUE(editor->GetModified());
  // A refused Return (a paragraph that takes none) is no change.
  editor->ApplyParagraphStyle(edit_test::psNoReturns);
  int before = changes;
  editor->SetModified(false);
  TypeKey(VK_RETURN);
  EXPECT_EQ(changes, before);
  EXPECT_FALSE(editor->GetModified());
  // A second editor takes over the editing events.
  auto* other = new VUzurUvadEdit(form);
  other->AssignEvents(editor);
  other->OnChange(other);
  EXPECT_EQ(changes, before + 1);
  EXPECT_TRUE(other->OnCaretMove && other->OnCurTextStyleChanged && other->OnChanging);
}

TEST_F(MessagesTest, SearchingStartsAtTheCaretAndSelectsWhatItFinds) {
  // 1-based offsets of occurrences in the verses.
  auto at = [](Integer Verse, const char* Word, std::size_t From = 0) {
    return static_cast<Integer>(kVerses[Verse].find(Word, From)) + 1;
  };
  const Integer the1 = at(1, "the"), the2 = at(1, "the", the1), and1 = at(1, "and"), And2 = at(1, "And", 1);
  const Integer light = at(2, "light"), god = at(2, "God");
  struct {
    Place Caret;
    const char* Text;
    Integer Options;
    bool Found;
    Place Start;
    Place End;
  } cases[] = {
      {{1, 1}, "the", uvsoDown, true, {1, the1}, {1, the1 + 3}},
      {{1, the1 + 3}, "the", uvsoDown, true, {1, the2}, {1, the2 + 3}},
      {{1, the2}, "the", 0, true, {1, the1 + 3}, {1, the1}},
      {{1, 1}, "AND", uvsoDown, true, {1, 1}, {1, 4}},
      {{1, 4}, "And", uvsoDown | uvsoMatchCase, true, {1, And2}, {1, And2 + 3}},
      {{1, 4}, "and", uvsoDown | uvsoMatchCase, true, {1, and1}, {1, and1 + 3}},
      {{1, 1}, "light", uvsoDown | uvsoWholeWords, true, {2, light}, {2, light + 5}},
      {{2, 50}, "God", 0, true, {2, god + 3}, {2, god}},
      {{1, 1}, "ligh", uvsoDown | uvsoWholeWords, false, {1, 1}, {1, 1}},
      {{0, 20}, "heaven", 0, false, {0, 20}, {0, 20}},
  };
  for (auto& c : cases) {
    SetCaret(c.Caret.Item, c.Caret.Offs);
    EXPECT_EQ(editor->SearchText(c.Text, c.Options), c.Found) << c.Text;
    Integer si, so, ei, eo;
    editor->GetSelectionBounds(si, so, ei, eo, false);
    EXPECT_EQ((Place{si, so}), c.Start) << c.Text;
    EXPECT_EQ((Place{ei, eo}), c.End) << c.Text;
    // The caret is at the far end of what was found.
    EXPECT_EQ(Caret(), c.End) << c.Text;
  }
}

TEST_F(MessagesTest, KeysOfAUnicodeTextStyleAreTypedAsTheKeyboardGivesThem) {
  editor->AddNL(UVUniWideStringToRaw(L"\x03B1"), edit_test::tsUnicode, 0);
  editor->Format();
  SetCaret(3, 2);
  TypeText("Ab 1");
  EXPECT_EQ(UVUniRawToWide(editor->GetItemText(3)), L"\x03B1" L"Ab 1");
  EXPECT_EQ(Caret(), (Place{3, 6}));
  // Ctrl with a letter types nothing; undo takes the characters back one at a time.
  TypeKey('Z', false, true);
  EXPECT_EQ(UVUniRawToWide(editor->GetItemText(3)), L"\x03B1" L"Ab ");
  EXPECT_EQ(BeepCount(), 0);

  // A keyboard of another code page than the system's switches an 8-bit text style to the
  // default Unicode style before typing.
  style->DefUnicodeStyle = edit_test::tsUnicodeBig;
  UVGetKeyboardLayout = [](DWORD) { return reinterpret_cast<HKL>(static_cast<UINT_PTR>(0x04080408)); };
  SetCaret(0, 1);
  ASSERT_EQ(editor->GetCurTextStyleNo(), edit_test::tsNormal);
  TypeText("q");
  UVGetKeyboardLayout = &::GetKeyboardLayout;
  EXPECT_EQ(editor->GetItemStyle(0), edit_test::tsUnicodeBig);
  EXPECT_EQ(UVUniRawToWide(editor->GetItemText(0)), L"q");
  EXPECT_EQ(editor->GetItemText(1), kVerses[0]);
}

// What the editor told the input method.
struct ImeRecord {
  static ImeRecord& Get() {
    static ImeRecord record;
    return record;
  }
  LOGFONTA Font{};
  COMPOSITIONFORM Form{};
  int Fonts = 0;
  int Forms = 0;
  std::wstring Result;
};

TEST_F(MessagesTest, TheInputMethodWritesAtTheCaretInAUnicodeStyle) {
  ImeRecord::Get() = ImeRecord();
  UVImmSetCompositionFontA = [](HIMC, LPLOGFONTA font) -> BOOL {
    ImeRecord::Get().Font = *font;
    ++ImeRecord::Get().Fonts;
    return TRUE;
  };
  UVImmSetCompositionWindow = [](HIMC, LPCOMPOSITIONFORM form) -> BOOL {
    ImeRecord::Get().Form = *form;
    ++ImeRecord::Get().Forms;
    return TRUE;
  };
  UVImmGetCompositionStringW = [](HIMC, DWORD index, LPVOID buffer, DWORD size) -> LONG {
    if (index != GCS_RESULTSTR) return 0;
    const std::wstring& text = ImeRecord::Get().Result;
    LONG bytes = static_cast<LONG>(text.size() * sizeof(wchar_t));
    if (buffer && size >= static_cast<DWORD>(bytes)) std::memcpy(buffer, text.data(), bytes);
    return bytes;
  };
  style->DefUnicodeStyle = edit_test::tsUnicodeBig;
  SetCaret(0, 4);
  EXPECT_EQ(Send(WM_IME_STARTCOMPOSITION), 1);
  EXPECT_EQ(editor->GetCurTextStyleNo(), edit_test::tsUnicodeBig);
  EXPECT_EQ(ImeRecord::Get().Fonts, 1);
  EXPECT_STREQ(ImeRecord::Get().Font.lfFaceName, "Times New Roman");
  EXPECT_EQ(ImeRecord::Get().Forms, 1);
  EXPECT_EQ(ImeRecord::Get().Form.dwStyle, static_cast<DWORD>(CFS_POINT));
  TPoint caret = editor->GetEditData()->GetCaretClientPos();
  EXPECT_EQ(ImeRecord::Get().Form.ptCurrentPos.x, caret.X);
  EXPECT_EQ(ImeRecord::Get().Form.ptCurrentPos.y, caret.Y);
  // A composition still under way inserts nothing; its result is inserted.
  ImeRecord::Get().Result = std::wstring(L"\x65E5\x672C\0x", 4);
  Send(WM_IME_COMPOSITION, 0, GCS_COMPSTR);
  EXPECT_EQ(editor->GetItemText(0), kVerses[0]);
  EXPECT_EQ(Send(WM_IME_COMPOSITION, 0, GCS_RESULTSTR), 0);
  EXPECT_EQ(editor->GetItemText(0), "In ");
  EXPECT_EQ(UVUniRawToWide(editor->GetItemText(1)), L"\x65E5\x672C");
  EXPECT_EQ(editor->GetItemStyle(1), edit_test::tsUnicodeBig);
  EXPECT_EQ(Caret(), (Place{1, 3}));
  // A Korean keyboard's input method wants its area below the caret's top, and is told again
  // where the caret is after each result.
  UVGetKeyboardLayout = [](DWORD) { return reinterpret_cast<HKL>(static_cast<UINT_PTR>(0x04120412)); };
  Send(WM_IME_STARTCOMPOSITION);
  caret = editor->GetEditData()->GetCaretClientPos();
  EXPECT_EQ(ImeRecord::Get().Form.dwStyle, static_cast<DWORD>(CFS_RECT));
  EXPECT_EQ(ImeRecord::Get().Form.rcArea.left, caret.X);
  EXPECT_EQ(ImeRecord::Get().Form.rcArea.top, caret.Y + 1);
  EXPECT_EQ(ImeRecord::Get().Form.ptCurrentPos.x, caret.X);
  EXPECT_EQ(ImeRecord::Get().Form.ptCurrentPos.y, caret.Y + 1);
  const int forms = ImeRecord::Get().Forms;
  Send(WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
  ProcessUntil([&] { return ImeRecord::Get().Forms > forms; }, 30000);
  EXPECT_EQ(ImeRecord::Get().Forms, forms + 1);
  UVGetKeyboardLayout = &::GetKeyboardLayout;
  EXPECT_EQ(UVUniRawToWide(editor->GetItemText(1)), L"\x65E5\x672C\x65E5\x672C");
  // Read-only: refused with a beep.
  editor->SetReadOnly(true);
  Send(WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
  EXPECT_EQ(UVUniRawToWide(editor->GetItemText(1)), L"\x65E5\x672C\x65E5\x672C");
  EXPECT_EQ(BeepCount(), 1);
  UVImmSetCompositionFontA = &::ImmSetCompositionFontA;
  UVImmSetCompositionWindow = &::ImmSetCompositionWindow;
  UVImmGetCompositionStringW = &::ImmGetCompositionStringW;
}

TEST_F(MessagesTest, AKeyboardLanguageChangeSwitchesToAStyleOfItsCharacterSet) {
  TFontInfos* fonts = style->GetTextStyles();
  const Integer count = fonts->GetCount();
  SetCaret(0, 4);
  // Without the option nothing changes.
  Send(WM_INPUTLANGCHANGE, GREEK_CHARSET, 0x04080408);
  EXPECT_EQ(editor->GetCurTextStyleNo(), edit_test::tsNormal);
  editor->SetEditorOptions(editor->GetEditorOptions() << uvoAutoSwitchLang);
  EXPECT_EQ(Send(WM_INPUTLANGCHANGE, GREEK_CHARSET, 0x04080408), 1);
  ASSERT_EQ(fonts->GetCount(), count + 1);
  EXPECT_EQ(editor->GetCurTextStyleNo(), count);
  EXPECT_EQ(fonts->GetItem(count)->Charset, GREEK_CHARSET);
  EXPECT_FALSE(fonts->GetItem(count)->Standard);
  EXPECT_EQ(fonts->GetItem(count)->FontName, fonts->GetItem(0)->FontName);
  // Back and again: the styles are found, not added.
  Send(WM_INPUTLANGCHANGE, ANSI_CHARSET, 0x04090409);
  Send(WM_INPUTLANGCHANGE, GREEK_CHARSET, 0x04080408);
  EXPECT_EQ(fonts->GetCount(), count + 2);
  EXPECT_EQ(editor->GetCurTextStyleNo(), count);
  TypeText("w");
  EXPECT_EQ(editor->GetItemStyle(1), count);
}

TEST_F(MessagesTest, WhileACellIsEditedInPlaceTheOperationsGoToItsEditor) {
  SetCaret(0, 1);
  ASSERT_TRUE(editor->InsertText("Z"));
  // An editor laid over the document as a table cell's editor is.
  auto* cell = new VUzurUvadEdit(form);
  cell->SetParent(editor);
  cell->SetBounds(20, 120, 200, 60);
  cell->SetStyle(style);
  cell->AddNL("cell", edit_test::tsNormal, 0);
  cell->Format();
  cell->SetSelectionBounds(0, 5, 0, 5);
  editor->SetInplaceEditor(cell);
  EXPECT_TRUE(editor->InsertText(" text"));
  EXPECT_EQ(cell->GetItemText(0), "cell text");
  EXPECT_EQ(editor->GetItemText(0), "Z" + kVerses[0]);
  EXPECT_EQ(editor->GetItemAtCaret(), cell->GetItem(0));
  EXPECT_EQ(editor->GetOffsetInCurItem(), 10);
  editor->SetCurrentTextStyle(edit_test::tsBig);
  EXPECT_EQ(cell->GetEditData()->CurTextStyleNo, edit_test::tsBig);
  EXPECT_EQ(editor->GetEditData()->CurTextStyleNo, edit_test::tsNormal);
  EXPECT_EQ(editor->GetCurTextStyleNo(), edit_test::tsBig);
  // Undo: the cell's editor first; with nothing left there, the editor's own last action once
  // the cell's editor has been asked to close (a message the editor posts to itself).
  EXPECT_TRUE(editor->CanUndo());
  editor->Undo();
  EXPECT_EQ(cell->GetItemText(0), "cell");
  EXPECT_EQ(editor->GetItemText(0), "Z" + kVerses[0]);
  editor->Undo();
  ProcessUntil([&] { return editor->GetItemText(0) == kVerses[0]; }, 30000);
  EXPECT_EQ(editor->GetItemText(0), kVerses[0]);
  ProcessFor(50);
  EXPECT_FALSE(editor->CanUndo());
  EXPECT_EQ(BeepCount(), 0);
  // Redo too asks the cell's editor first.
  editor->Redo();
  EXPECT_EQ(cell->GetItemText(0), "cell text");
  EXPECT_EQ(editor->GetItemText(0), kVerses[0]);
  editor->Redo();
  ProcessUntil([&] { return editor->GetItemText(0) != kVerses[0]; }, 30000);
  EXPECT_EQ(editor->GetItemText(0), "Z" + kVerses[0]);
  editor->ClearUndoLists();
  EXPECT_FALSE(cell->CanUndo() || editor->CanUndo());
  editor->SetInplaceEditor(nullptr);
}

TEST_F(MessagesTest, StylesAreAppliedAndConvertedThroughTheEditorsEvents) {
  const std::vector<std::string> plain = edit_test::Snapshot(*editor->GetEditData());
  editor->SetSelectionBounds(0, 4, 0, 7);
  ASSERT_EQ(editor->GetSelText(), "the");
  // Without a handler nothing is converted.
  editor->ConvertTextStyles(edit_test::tsBig);
  EXPECT_EQ(edit_test::Snapshot(*editor->GetEditData()), plain);
  std::vector<Integer> asked;
  editor->OnStyleConversion = TUVStyleConversionEvent::FromFunction(
      [&](TObject* sender, Integer styleNo, Integer userData, bool, Integer& newStyleNo) {
        EXPECT_EQ(sender, editor);
        asked.push_back(styleNo);
        newStyleNo = userData;
      });
  editor->ConvertTextStyles(edit_test::tsBig);
  ASSERT_EQ(editor->GetItemCount(), 5);
  EXPECT_EQ(editor->GetItemText(1), "the");
  EXPECT_EQ(editor->GetItemStyle(1), edit_test::tsBig);
  EXPECT_FALSE(asked.empty());
  editor->Undo();
  EXPECT_EQ(edit_test::Snapshot(*editor->GetEditData()), plain);
  // Paragraph styles: each paragraph's style is mapped by the handler.
  editor->OnParaStyleConversion = TUVStyleConversionEvent::FromFunction(
      [&](TObject*, Integer styleNo, Integer userData, bool, Integer& newStyleNo) { newStyleNo = styleNo + userData; });
  editor->SetSelectionBounds(0, 5, 1, 5);
  editor->ConvertParagraphStyles(edit_test::psJustified);
  EXPECT_EQ(editor->GetItem(0)->ParaNo, edit_test::psJustified);
  EXPECT_EQ(editor->GetItem(1)->ParaNo, edit_test::psJustified);
  EXPECT_EQ(editor->GetItem(2)->ParaNo, edit_test::psNormal);
  editor->Undo();
  EXPECT_EQ(edit_test::Snapshot(*editor->GetEditData()), plain);
  // A paragraph style given outright: the caret's paragraph.
  SetCaret(2, 3);
  editor->ApplyParagraphStyle(edit_test::psCentered);
  EXPECT_EQ(editor->GetItem(2)->ParaNo, edit_test::psCentered);
  EXPECT_EQ(editor->GetCurParaStyleNo(), edit_test::psCentered);
  editor->Undo();
  EXPECT_EQ(edit_test::Snapshot(*editor->GetEditData()), plain);
  EXPECT_TRUE(editor->CanRedo());
}

TEST_F(MessagesTest, WithCtrlJumpsHyperlinksWorkWhileCtrlIsHeld) {
  editor->AddNL("a link", edit_test::tsJump, 0);
  editor->Format();
  int jumps = 0;
  editor->OnJump = TJumpEvent::FromFunction([&](TObject*, Integer) { ++jumps; });
  auto jumpMode = [&] { return (editor->GetDocumentFlags() & uvflBuildJumps) != 0; };
  EXPECT_FALSE(jumpMode());
  Click(PointAt(3, 3), MK_CONTROL);
  EXPECT_EQ(jumps, 0);
  editor->SetEditorOptions(editor->GetEditorOptions() << uvoCtrlJumps);
  Send(WM_KEYDOWN, VK_CONTROL, 1);
  EXPECT_TRUE(jumpMode());
  Click(PointAt(3, 3), MK_CONTROL);
  EXPECT_EQ(jumps, 1);
  Send(WM_KEYUP, VK_CONTROL, 0xC0000001);
  EXPECT_FALSE(jumpMode());
  Click(PointAt(3, 3));
  EXPECT_EQ(jumps, 1);
}

}  // namespace
