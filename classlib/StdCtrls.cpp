// Labels, edits and memos.
#include "classlib/StdCtrls.h"

#include <algorithm>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/Menus.h"
#include "classlib/Messages.h"
#include "classlib/SysUtils.h"

TOwnerDrawState OwnerDrawState(UINT ItemState) {
  static const std::pair<UINT, TOwnerDrawStateItem> flags[] = {
      {ODS_SELECTED, odSelected}, {ODS_GRAYED, odGrayed},       {ODS_DISABLED, odDisabled},
      {ODS_CHECKED, odChecked},   {ODS_FOCUS, odFocused},       {ODS_DEFAULT, odDefault},
      {ODS_HOTLIGHT, odHotLight}, {ODS_INACTIVE, odInactive},   {ODS_NOACCEL, odNoAccel},
      {ODS_NOFOCUSRECT, odNoFocusRect}, {ODS_COMBOBOXEDIT, odComboBoxEdit}};
  TOwnerDrawState state;
  for (const auto& [flag, item] : flags)
    if (ItemState & flag) state.Include(item);
  return state;
}

bool IsAccel(Word VK, const AnsiString& Str) {
  const AnsiString key = GetHotkey(Str);
  return !key.empty() && AnsiUpperCase(key) == AnsiUpperCase(AnsiString(1, static_cast<char>(VK)));
}

void AddBorderStyle(TCreateParams& Params, TBorderStyle Style, bool Ctl3D) {
  if (Style != bsSingle) return;
  if (Ctl3D)
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  else
    Params.Style |= WS_BORDER;
}

namespace {

const UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

}  // namespace

// ---- TCustomLabel ----

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  ControlStyle << csOpaque << csReplicatable;
  SetBounds(0, 0, 65, 17);
  FAutoSize = true;
}

void TCustomLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    default: inherited::Dispatch(Message);
  }
}

AnsiString TCustomLabel::GetLabelText() { return GetText(); }

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  AnsiString text = GetLabelText();
  // An empty caption (or a lone accelerator mark) is measured as a blank, so that an auto-sized
  // label keeps the height of a line.
  if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += ' ';
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  Flags = static_cast<UINT>(DrawTextBiDiModeFlags(static_cast<Integer>(Flags)));
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  auto draw = [&](TRect r, TColor color) {
    canvas->GetFont()->SetColor(color);
    HDC dc = canvas->GetHandle();
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), AsRECT(r), Flags);
    if (Flags & DT_CALCRECT) Rect = r;
  };
  if (!GetEnabled() && !(Flags & DT_CALCRECT)) {
    // Disabled text: embossed, a light copy below and right of the shadow.
    TRect shifted = Rect;
    shifted.Left += 1;
    shifted.Top += 1;
    shifted.Right += 1;
    shifted.Bottom += 1;
    draw(shifted, clBtnHighlight);
    draw(Rect, clBtnShadow);
  } else {
    draw(Rect, GetFont()->GetColor());
  }
}

void TCustomLabel::Paint() {
  TCanvas* canvas = GetCanvas();
  TRect rect = GetClientRect();
  if (!GetTransparent()) {
    canvas->GetBrush()->SetColor(GetColor());
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->FillRect(rect);
  }
  canvas->GetBrush()->SetStyle(bsClear);
  const UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | kAlignments[FAlignment];
  if (FLayout != tlTop) {
    TRect measured = rect;
    DoDrawText(measured, flags | DT_CALCRECT);
    const int offset = rect.Height() - measured.Height();
    rect.Top += FLayout == tlBottom ? offset : offset / 2;
  }
  DoDrawText(rect, flags);
}

void TCustomLabel::Loaded() {
  inherited::Loaded();
  AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
  if (GetComponentState().Contains(csLoading) || !GetAutoSize()) return;
  TRect rect = GetClientRect();
  {
    WindowDC dc(nullptr);
    GetCanvas()->SetHandle(dc);
    DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    GetCanvas()->SetHandle(nullptr);
  }
  // The side the alignment holds stays where it is.
  Integer left = FLeft;
  TAlignment alignment = FAlignment;
  if (UseRightToLeftAlignment() && alignment != taCenter)
    alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
  if (alignment == taRightJustify) left += FWidth - rect.Right;
  SetBounds(left, FTop, rect.Right, rect.Bottom);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (Value == GetAutoSize()) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (Value == FFocusControl) return;
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (Value == FShowAccelChar) return;
  FShowAccelChar = Value;
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Value == GetTransparent()) return;
  if (Value)
    ControlStyle.Exclude(csOpaque);
  else
    ControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::CMTextChanged(TMessage&) {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  AdjustBounds();
}

// Alt and the underlined letter (or the letter alone where no control takes characters) moves
// the focus to FocusControl.
void TCustomLabel::CMDialogChar(TMessage& Message) {
  if (FFocusControl && GetEnabled() && FShowAccelChar && IsAccel(static_cast<Word>(Message.WParam), GetText()) &&
      FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    Message.Result = 1;
  }
}

// ---- TCustomEdit ----

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  SetBounds(0, 0, 121, 25);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  FAutoSize = true;
}

void TCustomEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, "EDIT");
  static const DWORD cases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | cases[FCharCase];
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (FPasswordChar != '\0' && !FMultiLine) Params.Style |= ES_PASSWORD;
  AddBorderStyle(Params, FBorderStyle, GetCtl3D());
}

void TCustomEdit::CreateWindowHandleDone() {
  inherited::CreateWindowHandleDone();
  Perform(EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FPasswordChar != '\0' && !FMultiLine) Perform(EM_SETPASSWORDCHAR, static_cast<Byte>(FPasswordChar), 0);
  Perform(EM_SETMODIFY, FModified ? 1 : 0, 0);
  AdjustHeight();
}

void TCustomEdit::DestroyWnd() {
  FModified = GetModified();
  inherited::DestroyWnd();
}

void TCustomEdit::CNCommand(TMessage& Message) {
  if (TWMCommand{Message}.NotifyCode() == EN_CHANGE && !FCreating) Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

// A multi-line edit does not report text set from outside, and without a window nothing
// reports it: then the change is told here.
void TCustomEdit::CMTextChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!HandleAllocated() || FMultiLine) Change();
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (HandleAllocated()) AdjustHeight();
}

// Entering by the keyboard selects the whole text, so that typing replaces it.
void TCustomEdit::CMEnter(TMessage& Message) {
  if (AutoSelect && !FMultiLine && !(::GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
  inherited::Dispatch(Message);
}

// The edit's own context menu, unless the control has a popup menu of its own.
void TCustomEdit::WMContextMenu(TMessage& Message) {
  if (GetPopupMenu()) {
    inherited::Dispatch(Message);
    return;
  }
  DefaultHandler(Message);
}

void TCustomEdit::AdjustHeight() {
  if (!GetAutoSize() || FMultiLine || !HandleAllocated()) return;
  WindowDC dc(nullptr);
  SelectedObject font(dc, GetFont()->GetHandle());
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc, &metrics);
  // The text's height and the border (the system's edge, or a line with room around it).
  int extra = 0;
  if (FBorderStyle == bsSingle)
    extra = GetCtl3D() ? ::GetSystemMetrics(SM_CYEDGE) * 4 : ::GetSystemMetrics(SM_CYBORDER) * 4;
  SetHeight(metrics.tmHeight + extra + 2);
}

void TCustomEdit::SetAutoSize(bool Value) {
  if (Value == GetAutoSize()) return;
  FAutoSize = Value;
  if (Value) AdjustHeight();
}

void TCustomEdit::Clear() { SetText(AnsiString()); }

void TCustomEdit::ClearSelection() { Perform(WM_CLEAR, 0, 0); }

void TCustomEdit::CopyToClipboard() { Perform(WM_COPY, 0, 0); }

void TCustomEdit::CutToClipboard() { Perform(WM_CUT, 0, 0); }

void TCustomEdit::PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }

void TCustomEdit::Undo() {
  if (HandleAllocated()) Perform(WM_UNDO, 0, 0);
}

void TCustomEdit::ClearUndo() {
  if (HandleAllocated()) Perform(EM_EMPTYUNDOBUFFER, 0, 0);
}

bool TCustomEdit::GetCanUndo() { return HandleAllocated() && Perform(EM_CANUNDO, 0, 0) != 0; }

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) Perform(EM_SETSEL, 0, -1);
}

Integer TCustomEdit::GetSelStart() {
  DWORD start = 0, end = 0;
  Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<Integer>(start);
}

void TCustomEdit::SetSelStart(Integer Value) { Perform(EM_SETSEL, static_cast<WPARAM>(Value), Value); }

Integer TCustomEdit::GetSelLength() {
  DWORD start = 0, end = 0;
  Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<Integer>(end - start);
}

void TCustomEdit::SetSelLength(Integer Value) {
  const Integer start = GetSelStart();
  Perform(EM_SETSEL, static_cast<WPARAM>(start), start + Value);
  Perform(EM_SCROLLCARET, 0, 0);
}

AnsiString TCustomEdit::GetSelText() {
  const Integer start = GetSelStart();
  const Integer length = GetSelLength();
  const AnsiString text = GetText();
  if (start >= static_cast<Integer>(text.size())) return AnsiString();
  return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

void TCustomEdit::SetSelText(const AnsiString& Value) {
  Perform(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
}

bool TCustomEdit::GetModified() {
  if (!HandleAllocated()) return FModified;
  return Perform(EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool Value) {
  FModified = Value;
  if (HandleAllocated()) Perform(EM_SETMODIFY, Value ? 1 : 0, 0);
}

void TCustomEdit::SetMaxLength(Integer Value) {
  FMaxLength = std::max(Value, 0);
  if (HandleAllocated()) Perform(EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  if (HandleAllocated()) Perform(EM_SETREADONLY, Value ? 1 : 0, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (Value == FCharCase) return;
  FCharCase = Value;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  RecreateWnd();
}

void TCustomEdit::SetPasswordChar(char Value) {
  if (Value == FPasswordChar) return;
  FPasswordChar = Value;
  if (HandleAllocated()) {
    Perform(EM_SETPASSWORDCHAR, static_cast<Byte>(Value), 0);
    SetText(GetText());
    Invalidate();
  }
}

// ---- Memo lines ----

namespace {

// The lines of a memo: its text cut at line breaks. Changes go to the window through its
// selection, so that the rest of the text stays as it is.
class TMemoStrings : public TStrings {
  CLASS_INFO(TMemoStrings, TStrings)
public:
  explicit TMemoStrings(TCustomMemo* memo = nullptr) : memo_(memo) {}

  Integer GetCount() const override { return static_cast<Integer>(Split().size()); }

  void Clear() override { memo_->SetText(AnsiString()); }

  void Delete(Integer Index) override {
    const AnsiString text = memo_->GetText();
    const auto lines = Bounds(text);
    Check(Index, lines);
    // The line with its break; the last line takes the break before it instead.
    std::size_t start = lines[static_cast<std::size_t>(Index)].first;
    std::size_t end = NextStart(text, lines, static_cast<std::size_t>(Index));
    if (end == text.size() && Index > 0) start = lines[static_cast<std::size_t>(Index) - 1].second;
    Replace(start, end, AnsiString());
  }

  void Insert(Integer Index, const AnsiString& S) override {
    const AnsiString text = memo_->GetText();
    const auto lines = Bounds(text);
    if (Index < 0 || Index > static_cast<Integer>(lines.size())) Error(Index);
    if (Index < static_cast<Integer>(lines.size())) {
      const std::size_t at = lines[static_cast<std::size_t>(Index)].first;
      Replace(at, at, S + "\r\n");
    } else if (text.empty()) {
      Replace(0, 0, S);
    } else if (EndsWithBreak(text)) {
      Replace(text.size(), text.size(), S);
    } else {
      Replace(text.size(), text.size(), "\r\n" + S);
    }
  }

  void SetTextStr(const AnsiString& Value) override {
    // The memo's text with every line ended as the edit control wants it (CR LF).
    AnsiString text;
    text.reserve(Value.size());
    for (std::size_t i = 0; i < Value.size(); ++i) {
      const char c = Value[i];
      if (c == '\r' || c == '\n') {
        text += "\r\n";
        if (c == '\r' && i + 1 < Value.size() && Value[i + 1] == '\n') ++i;
      } else {
        text += c;
      }
    }
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    memo_->SetText(text);
  }

protected:
  AnsiString Get(Integer Index) const override {
    const auto lines = Split();
    if (Index < 0 || Index >= static_cast<Integer>(lines.size())) Error(Index);
    return lines[static_cast<std::size_t>(Index)];
  }

  void Put(Integer Index, const AnsiString& S) override {
    const AnsiString text = memo_->GetText();
    const auto lines = Bounds(text);
    Check(Index, lines);
    Replace(lines[static_cast<std::size_t>(Index)].first, lines[static_cast<std::size_t>(Index)].second, S);
  }

  void SetUpdateState(bool Updating) override {
    if (memo_->HandleAllocated()) {
      memo_->Perform(WM_SETREDRAW, Updating ? 0 : 1, 0);
      if (!Updating) memo_->Invalidate();
    }
  }

private:
  using Line = std::pair<std::size_t, std::size_t>;  // start and end of the line's characters

  static bool EndsWithBreak(const AnsiString& text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
  }

  // The lines of the text; a break at the very end adds no empty line.
  static std::vector<Line> Bounds(const AnsiString& text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' || text[i] == '\n') {
        lines.emplace_back(start, i);
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
      }
    }
    if (start < text.size()) lines.emplace_back(start, text.size());
    return lines;
  }

  // Where the line after Index starts (the end of the text for the last line).
  static std::size_t NextStart(const AnsiString& text, const std::vector<Line>& lines, std::size_t index) {
    return index + 1 < lines.size() ? lines[index + 1].first : text.size();
  }

  std::vector<AnsiString> Split() const {
    const AnsiString text = memo_->GetText();
    std::vector<AnsiString> result;
    for (const Line& l : Bounds(text)) result.push_back(text.substr(l.first, l.second - l.first));
    return result;
  }

  void Replace(std::size_t start, std::size_t end, const AnsiString& with) {
    if (memo_->HandleAllocated()) {
      memo_->Perform(EM_SETSEL, start, static_cast<LPARAM>(end));
      memo_->Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(with.c_str()));
      memo_->Perform(CM_TEXTCHANGED, 0, 0);
    } else {
      AnsiString text = memo_->GetText();
      text.replace(start, end - start, with);
      memo_->SetText(text);
    }
  }

  void Check(Integer Index, const std::vector<Line>& lines) const {
    if (Index < 0 || Index >= static_cast<Integer>(lines.size())) Error(Index);
  }

  [[noreturn]] static void Error(Integer Index) {
    throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
  }

  TCustomMemo* memo_;
};

}  // namespace

// ---- TCustomMemo ----

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(new TMemoStrings(this)) {
  FMultiLine = true;
  ControlStyle.Exclude(csFixedHeight);
  SetBounds(0, 0, 185, 89);
  FAutoSize = false;
}

TCustomMemo::~TCustomMemo() { delete FLines; }

void TCustomMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE)
    WMGetDlgCode(Message);
  else
    inherited::Dispatch(Message);
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  static const DWORD scrollBars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
  static const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  Params.Style &= ~DWORD(ES_AUTOHSCROLL);
  Params.Style |= ES_MULTILINE | alignments[FAlignment] | scrollBars[FScrollBars];
  // Without word wrap, or with a horizontal scroll bar, long lines scroll sideways.
  if (!FWordWrap || FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= ES_AUTOHSCROLL;
  if (FWantReturns) Params.Style |= ES_WANTRETURN;
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TCustomMemo::SetWantReturns(bool Value) {
  if (Value == FWantReturns) return;
  FWantReturns = Value;
  RecreateWnd();
}

TPoint TCustomMemo::GetCaretPos() {
  DWORD start = 0, end = 0;
  Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  // The caret is at the end of the selection that the user made last; the edit reports both
  // ends, and the one that moved is the end.
  const Integer line = static_cast<Integer>(Perform(EM_LINEFROMCHAR, end, 0));
  const Integer column = static_cast<Integer>(end) - static_cast<Integer>(Perform(EM_LINEINDEX, static_cast<WPARAM>(line), 0));
  return Point(column, line);
}

// Enter and Tab go into the text when the memo wants them; otherwise they are dialog keys.
void TCustomMemo::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  if (FWantTabs)
    Message.Result |= DLGC_WANTTAB;
  else
    Message.Result &= ~LRESULT(DLGC_WANTTAB);
  if (!FWantReturns) Message.Result &= ~LRESULT(DLGC_WANTALLKEYS);
}

void TCustomMemo::KeyPress(char& Key) {
  inherited::KeyPress(Key);
  if (Key == '\r' && !FWantReturns) Key = '\0';
}
