// The editor's input: the key map, typed characters, keys of a Unicode text style translated with
// the keyboard layout, input-method results, the focus and the caret, and the Windows edit
// messages it answers.
#include <cstdlib>

#include "classlib/Clipbrd.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/edit/UVEdit.h"

namespace {

// The primary language of a Korean keyboard layout: its input method wants the composition window
// moved as the caret moves.
constexpr WORD kKoreanLanguage = 0x412;

bool IsKoreanLayout() { return LOWORD(reinterpret_cast<UINT_PTR>(UVGetKeyboardLayout(0))) == kKoreanLanguage; }

// The ANSI code page of the keyboard layout's language.
UINT KeyboardCodePage() {
  char buffer[8] = {};
  LCID locale = MAKELCID(LOWORD(reinterpret_cast<UINT_PTR>(UVGetKeyboardLayout(0))), SORT_DEFAULT);
  if (::GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, buffer, sizeof buffer) == 0) return ::GetACP();
  return static_cast<UINT>(std::atoi(buffer));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Keys

void TCustomUzurUvadEdit::KeyDown(Word& Key, TShiftState Shift) {
  TUVEditUVData* data = GetEditData();
  data->PrepareForEdit();
  if (Key == VK_RETURN && FEditorOptions.Contains(uvoDoNotWantReturns)) Key = 0;
  const bool shift = Shift.Contains(ssShift);
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool alt = Shift.Contains(ssAlt);
  // Undo and redo: Ctrl+Z and Alt+Backspace, with Shift (or Ctrl+Y) to redo.
  const bool undoKeys = (Key == 'Z' && ctrl && !alt) || (Key == VK_BACK && alt);
  if (undoKeys || (Key == 'Y' && ctrl && !alt && !shift)) {
    if (shift || Key == 'Y')
      Redo();
    else
      Undo();
    // Alt+Backspace is followed by its system character, which would beep.
    if (Key == VK_BACK) FSwallowSysChar = true;
    Key = 0;
    return;
  }
  inherited::KeyDown(Key, Shift);
  if (Key == 0) return;
  switch (Key) {
    case VK_BACK:
    case VK_DELETE:
      if (!CanChange()) return;
      if (data->SelectionExists()) {
        if (Key == VK_DELETE && shift)
          Perform(WM_CUT, 0, 0);
        else if (data->DeleteSelection())
          Refresh();
        Key = 0;
        return;
      }
      if (Key == VK_BACK)
        data->PressBackspace(ctrl, false);
      else
        data->PressDelete(ctrl);
      Key = 0;
      return;
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_PAUSE:
    case VK_CAPITAL:
    case VK_ESCAPE:
      if (Key == VK_CONTROL && FEditorOptions.Contains(uvoCtrlJumps)) SetJumpMode(true);
      return;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: MoveCaretByKey(Key, shift, ctrl); return;
    case VK_SNAPSHOT:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_NUMLOCK:
    case VK_SCROLL: return;
    default:
      if (Key >= VK_F1 && Key <= VK_F24) return;
      break;
  }
  if (IsCopyShortcut(Key, Shift)) {
    // The viewer copied already.
    Key = 0;
    return;
  }
  if (IsCutShortcut(Key, Shift)) {
    Perform(WM_CUT, 0, 0);
    Key = 0;
    return;
  }
  if (IsPasteShortcut(Key, Shift)) {
    Perform(WM_PASTE, 0, 0);
    Key = 0;
    return;
  }
  if (Key == VK_RETURN) {
    Key = 0;
    if (shift && FEditorOptions.Contains(uvoDoNotWantShiftReturns)) return;
    // Return inserts a paragraph end in place of the selection, as a typed character would.
    if (!CanChange()) return;
    if (data->SelectionExists() && !data->DeleteSelection()) return;
    TUVUndoInfos* lastBefore = data->UndoList->LastAction();
    data->PressReturn(shift);
    Invalidate();
    // A refused Return (a paragraph that takes none) leaves the undo list as it was.
    if (data->UndoList->GetLimit() == 0 || data->UndoList->LastAction() != lastBefore) NotifyChanged(true);
    return;
  }
  if (Key == VK_TAB && ctrl && HandleAllocated()) ::PostMessageA(GetHandle(), WM_CHAR, VK_TAB, 0);
}

bool TCustomUzurUvadEdit::MoveCaretByKey(Word Key, bool Shift, bool Ctrl) {
  TUVEditUVData* data = GetEditData();
  const bool hadSelection = data->SelectionExists();
  if (!Shift) {
    if (hadSelection) data->Deselect(nullptr, true);
  } else {
    data->AnchorSelectionAtCaret();
  }
  const bool rightToLeft = GetUVBiDiMode() == uvbdRightToLeft;
  switch (Key) {
    case VK_PRIOR: data->MoveCaretPageUp(); break;
    case VK_NEXT: data->MoveCaretPageDown(); break;
    case VK_HOME:
      if (data->MoveCaretHome(Ctrl)) CaretGetOut(uvcgoHome);
      break;
    case VK_END:
      if (data->MoveCaretEnd(Ctrl)) CaretGetOut(uvcgoEnd);
      break;
    case VK_LEFT:
    case VK_RIGHT: {
      // Left goes backward in a left-to-right document and forward in a right-to-left one.
      bool forward = (Key == VK_RIGHT) != rightToLeft;
      bool atEdge = forward ? data->MoveCaretRight(Shift, Ctrl) : data->MoveCaretLeft(Shift, Ctrl);
      if (atEdge) CaretGetOut(forward ? uvcgoForward : uvcgoBackward);
      break;
    }
    case VK_UP:
      if (data->MoveCaretUp(Shift, Ctrl)) CaretGetOut(uvcgoUp);
      break;
    case VK_DOWN:
      if (data->MoveCaretDown(Shift, Ctrl)) CaretGetOut(uvcgoDown);
      break;
    default: return false;
  }
  if (Shift)
    data->ExtendSelectionToCaret();
  else if (hadSelection)
    Invalidate();
  return true;
}

void TCustomUzurUvadEdit::CaretGetOut(TUVGetOutDirection Direction) {
  if (OnCaretGetOut) OnCaretGetOut(this, Direction);
}

void TCustomUzurUvadEdit::KeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_CONTROL) SetJumpMode(false);
  inherited::KeyUp(Key, Shift);
}

void TCustomUzurUvadEdit::SetJumpMode(bool On) {
  TUVEditUVData* data = GetEditData();
  const bool isOn = (GetDocumentFlags() & uvflBuildJumps) != 0;
  if (On == isOn || !FEditorOptions.Contains(uvoCtrlJumps)) return;
  if (On)
    data->EnableJumps(false);
  else
    data->DisableJumps();
  // The cursor over a hyperlink changes with the mode.
  GenerateMouseMove(false);
}

void TCustomUzurUvadEdit::KeyPress(char& Key) {
  TUVEditUVData* data = GetEditData();
  if (data->EditFlags & uvefKeyTyped) {
    // The key-down typed this character already.
    data->EditFlags &= ~static_cast<Cardinal>(uvefKeyTyped);
    Key = 0;
    return;
  }
  const Byte ch = static_cast<Byte>(Key);
  if (ch == '\r' && FEditorOptions.Contains(uvoDoNotWantReturns)) {
    Key = 0;
    Beep();
    return;
  }
  // Backspace and Return were handled as keys; other control characters type nothing.
  if ((ch < 32 && ch != '\t') || ch == 127) return;
  if (!CanChange()) return;
  inherited::KeyPress(Key);
  if (Key == 0) return;
  if (data->SelectionExists() && !data->DeleteSelection()) return;
  if (Key == '\t')
    InsertText(AnsiString(static_cast<std::size_t>(std::max(GetStyle()->SpacesInTab, 0)), ' '));
  else
    data->KeyPressChar(Key);
}

bool TCustomUzurUvadEdit::TranslateUnicodeKey(Word Key, LPARAM KeyData) {
  TUVStyle* style = GetStyle();
  if (!style) return false;
  // Text typed on a keyboard of another code page than the system's only survives as UTF-16.
  if (KeyboardCodePage() != ::GetACP()) SwitchToUnicodeTextStyle();
  TUVEditUVData* data = GetEditData();
  if (!style->GetTextStyles()->GetItem(data->CurTextStyleNo)->Unicode) return false;
  const bool typingKey = (Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z') || (Key >= 187 && Key <= 192) ||
                         Key == 220;
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
  const bool alt = ::GetKeyState(VK_MENU) < 0;
  if (!typingKey || (ctrl && !alt)) return false;
  BYTE state[256];
  if (!::GetKeyboardState(state)) return false;
  wchar_t units[5];
  int count = ::ToUnicode(Key, static_cast<UINT>((KeyData >> 16) & 0xFF), state, units, 5, 0);
  // A dead key, or a key that gives nothing, goes on as usual.
  if (count < 1) return false;
  if (!CanChange()) return true;
  if (data->SelectionExists() && !data->DeleteSelection()) return true;
  if (count == 1)
    data->TypeText(UVUniWideStringToRaw(WideString(1, units[0])));
  else
    InsertUnicodeText(WideString(units, static_cast<std::size_t>(count)));
  return true;
}

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomUzurUvadEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.UnicodeChars = true;
}

void TCustomUzurUvadEdit::CMUnicodeChar(TMessage& Message) {
  Message.Result = 0;
  const auto unit = static_cast<WideChar>(Message.WParam);
  WideString text;
  if (unit >= 0xD800 && unit < 0xDC00) {
    FHighSurrogate = unit;
    Message.Result = 1;
    return;
  }
  if (unit >= 0xDC00 && unit < 0xE000) {
    // A second half without its first is no character.
    Message.Result = 1;
    if (!FHighSurrogate) return;
    text = {FHighSurrogate, unit};
    FHighSurrogate = 0;
  } else {
    FHighSurrogate = 0;
    char ansi[4];
    BOOL lost = FALSE;
    int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &unit, 1, ansi, sizeof ansi, nullptr, &lost);
    if (length > 0 && !lost) return;
    text = WideString(1, unit);
    Message.Result = 1;
  }
  TUVEditUVData* data = GetEditData();
  if (data->EditFlags & uvefKeyTyped) {
    // The key-down typed this character already.
    data->EditFlags &= ~static_cast<Cardinal>(uvefKeyTyped);
    return;
  }
  if (!GetStyle() || !CanChange()) return;
  if (data->SelectionExists() && !data->DeleteSelection()) return;
  // The text takes a Unicode style; without one in the style sheet it is inserted as the code
  // page allows.
  SwitchToUnicodeTextStyle();
  if (GetStyle()->GetTextStyles()->GetItem(data->CurTextStyleNo)->Unicode)
    data->TypeText(UVUniWideStringToRaw(text));
  else
    InsertUnicodeText(text);
}

void TCustomUzurUvadEdit::WMKeyDown(TMessage& Message) {
  TUVEditUVData* data = GetEditData();
  data->EditFlags &= ~static_cast<Cardinal>(uvefKeyTyped);
  FSwallowSysChar = false;
  if (TranslateUnicodeKey(static_cast<Word>(Message.WParam), Message.LParam)) {
    data->EditFlags |= uvefKeyTyped;
    Message.Result = 0;
    return;
  }
  inherited::Dispatch(Message);
}

void TCustomUzurUvadEdit::WMSysChar(TMessage& Message) {
  const bool altBackspace = Message.WParam == VK_BACK && (Message.LParam & (1 << 29));
  const bool swallow = altBackspace && (FSwallowSysChar || CanUndo());
  FSwallowSysChar = false;
  if (swallow) {
    Message.Result = 0;
    return;
  }
  inherited::Dispatch(Message);
}

void TCustomUzurUvadEdit::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (!FEditorOptions.Contains(uvoDoNotWantReturns)) Message.Result |= DLGC_WANTALLKEYS;
  if (FEditorOptions.Contains(uvoWantTabs)) Message.Result |= DLGC_WANTTAB;
}

void TCustomUzurUvadEdit::WMSetFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  if (IsBeingDestroyed()) return;
  TUVEditUVData* data = GetEditData();
  data->PrepareForEdit();
  if (GetStyle() && data->DrawItems->GetCount() > 0) {
    data->ChangeCaret(false, false, true);
    Invalidate();
  }
}

void TCustomUzurUvadEdit::WMKillFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  if (IsBeingDestroyed()) return;
  TUVEditUVData* data = GetEditData();
  // A Ctrl released in another window ends the hyperlink mode here.
  SetJumpMode(false);
  if (!FReadOnly)
    if (TCustomUVFormattedData* chosen = data->GetChosenData()) chosen->Deselect(nullptr, false);
  if (GetStyle() && data->DrawItems->GetCount() > 0 && data->CaretHeight != 0) {
    ::HideCaret(GetHandle());
    ::DestroyCaret();
    data->CaretHeight = 0;
  }
}

void TCustomUzurUvadEdit::WMInputLangChange(TMessage& Message) {
  inherited::Dispatch(Message);
  TUVStyle* style = GetStyle();
  if (!style || !FEditorOptions.Contains(uvoAutoSwitchLang)) return;
  TFontInfos* fonts = style->GetTextStyles();
  Integer current = GetCurTextStyleNo();
  if (fonts->GetItem(current)->Unicode) return;
  auto charset = static_cast<TFontCharset>(Message.WParam);
  Integer styleNo = fonts->FindAnsiStyleWithCharset(current, charset);
  if (styleNo < 0) {
    // A copy of the current style in the new character set.
    TFontInfo* copy = fonts->Add();
    copy->Assign(fonts->GetItem(current));
    copy->Charset = charset;
    copy->Standard = false;
    styleNo = fonts->GetCount() - 1;
  }
  SetCurrentTextStyle(styleNo);
  Message.Result = 1;
}

void TCustomUzurUvadEdit::WMCanPaste(TMessage& Message) {
  Message.Result = 0;
  if (FReadOnly) return;
  const UINT format = static_cast<UINT>(Message.WParam);
  TClipboard* clipboard = Clipboard();
  if (format == 0)
    Message.Result = CanPaste();
  else if (format == CF_TEXT || format == CF_BITMAP || format == CF_METAFILEPICT || format == CF_UNICODETEXT ||
           format == ::RegisterClipboardFormatA("Rich Text Format") ||
           format == ::RegisterClipboardFormatA("UzurUvad Format"))
    Message.Result = clipboard->HasFormat(static_cast<Word>(format));
}

void TCustomUzurUvadEdit::WMImeStartComposition(TMessage& Message) {
  TUVStyle* style = GetStyle();
  if (!style) {
    inherited::Dispatch(Message);
    return;
  }
  SwitchToUnicodeTextStyle();
  if (HIMC context = ::ImmGetContext(GetHandle())) {
    // The composition is written in the current text style at the caret.
    TUVEditUVData* data = GetEditData();
    LOGFONTA font{};
    style->GetTextStyles()->GetItem(data->CurTextStyleNo)->FillLogFont(font, GetCanvas());
    UVImmSetCompositionFontA(context, &font);
    TPoint caret = data->GetCaretClientPos();
    COMPOSITIONFORM form{};
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos = POINT{caret.X, caret.Y};
    if (IsKoreanLayout()) {
      form.dwStyle = CFS_RECT;
      form.rcArea = RECT{caret.X, caret.Y + 1, GetClientWidth(), GetClientHeight()};
      form.ptCurrentPos = POINT{form.rcArea.left, form.rcArea.top};
    }
    UVImmSetCompositionWindow(context, &form);
    ::ImmReleaseContext(GetHandle(), context);
  }
  inherited::Dispatch(Message);
  Message.Result = 1;
}

void TCustomUzurUvadEdit::WMImeComposition(TMessage& Message) {
  if (!(Message.LParam & GCS_RESULTSTR) || !GetStyle()) {
    inherited::Dispatch(Message);
    return;
  }
  // The result is typed here, or refused (with a beep) here: not again as characters.
  Message.Result = 0;
  if (!CanChange()) return;
  HIMC context = ::ImmGetContext(GetHandle());
  WideString text;
  LONG bytes = UVImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
  if (bytes > 0) {
    text.resize(static_cast<std::size_t>(bytes) / sizeof(wchar_t));
    UVImmGetCompositionStringW(context, GCS_RESULTSTR, text.data(), static_cast<DWORD>(bytes));
    std::size_t end = text.find(L'\0');
    if (end != WideString::npos) text.resize(end);
  }
  if (context) ::ImmReleaseContext(GetHandle(), context);
  if (!text.empty()) InsertUnicodeText(text);
  if (IsKoreanLayout() && HandleAllocated()) ::PostMessageA(GetHandle(), WM_IME_STARTCOMPOSITION, 0, 0);
}

void TCustomUzurUvadEdit::WMUndoFromInplace(TMessage& Message, bool Redo) {
  Message.Result = 0;
  CloseInplaceEditor();
  // This editor's own action, even when the cell's editor would not close: asking it again
  // would post this message again and again.
  if (FReadOnly)
    Beep();
  else
    PerformLastAction(Redo);
  if (GetVisible()) SetActiveControlIfCanFocus();
}

void TCustomUzurUvadEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_SYSCHAR: WMSysChar(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_INPUTLANGCHANGE: WMInputLangChange(Message); break;
    case WM_CUT:
      CutSelectionToClipboard();
      Message.Result = 0;
      break;
    case WM_PASTE:
      Paste();
      Message.Result = 0;
      break;
    case WM_CLEAR:
      DeleteSelected();
      Message.Result = 0;
      break;
    case WM_UNDO:
    case EM_UNDO:
      Message.Result = CanUndo();
      Undo();
      break;
    case EM_REDO:
      Message.Result = CanRedo();
      if (Message.Result) Redo();
      break;
    case EM_CANUNDO: Message.Result = CanUndo(); break;
    case EM_CANREDO: Message.Result = CanRedo(); break;
    case EM_CANPASTE: WMCanPaste(Message); break;
    case WM_IME_STARTCOMPOSITION: WMImeStartComposition(Message); break;
    case WM_IME_COMPOSITION: WMImeComposition(Message); break;
    case WM_UVUNDO: WMUndoFromInplace(Message, false); break;
    case WM_UVREDO: WMUndoFromInplace(Message, true); break;
    case CM_UNICODECHAR: CMUnicodeChar(Message); break;
    default: inherited::Dispatch(Message);
  }
}
