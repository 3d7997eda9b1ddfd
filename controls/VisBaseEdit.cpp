// The owner-drawn edit: text, selection, the editing primitive, undo and redo, the clipboard, keys,
// the mouse, the edit messages and the context menu. Layout and painting are in
// VisBaseEditLayout.cpp.
#include "controls/VisBaseEdit.h"

#include <algorithm>
#include <functional>
#include <memory>

#include "classlib/Clipbrd.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "controls/VisObject.h"
#include "controls/viscaption.h"
#include "controls/visclass.h"

namespace {

constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';


// The text through the OEM code page and back, as the system edit's ES_OEMCONVERT does.
AnsiString ThroughOem(const AnsiString& Text) {
  if (Text.empty()) return Text;
  AnsiString oem(Text.size(), '\0');
  ::CharToOemBuffA(Text.c_str(), oem.data(), static_cast<DWORD>(Text.size()));
  AnsiString back(Text.size(), '\0');
  ::OemToCharBuffA(oem.c_str(), back.data(), static_cast<DWORD>(oem.size()));
  return back;
}

}  // namespace

AnsiString VisEditMenuCaption(UINT Id) {
  char buffer[64];
  const int n = ::LoadStringA(::GetModuleHandleA(nullptr), Id, buffer, sizeof buffer);
  if (n > 0) return AnsiString(buffer, static_cast<std::size_t>(n));
  // A program without the components' resources still gets the captions.
  switch (Id) {
    case SVisEditInsert: return "&Insert";
    case SVisEditCopy: return "&Copy";
    case SVisEditCut: return "&Cut";
    case SVisEditUndo: return "&Undo";
    case SVisEditSelectAll: return "Select all";
    case SVisEditDelete: return "&Delete";
    default: return AnsiString();
  }
}

// A change as the undo and redo stores keep it: what was put in, what it replaced, where, and
// where the caret and the selection were.
struct TVisBaseEdit::UndoRecord {
  AnsiString Inserted;
  AnsiString Replaced;
  Integer SelStart = 1;
  Integer SelLength = 0;
  Integer InsertedLength = 0;
  Integer CaretIndex = 1;
};

// --- Construction ----------------------------------------------------------------------------------

// The edit's bevel is in bmWindows unless set otherwise, as the scroll boxes' is; the form stores
// its mode only when it differs from that.
TVisBaseEdit::TVisBaseEdit(TComponent* AOwner)
    : TVisCustomBevelPanel(AOwner, new TVisScrollBoxBevel),
      FCaret(new TVisCaret(this)),
      FFont3D(new TVis3DCaption),
      FUndoBuffer(new TVisDynLIFOBuffer),
      FRedoBuffer(new TVisDynLIFOBuffer) {
  FFont3D->OnChange = TNotifyEvent::FromFunction([this](TObject*) { Perform(CM_FONTCHANGED, 0, 0); });
  FUndoBuffer->OnFreeBlock = TVisBufferBlockEvent(this, &TVisBaseEdit::FreeUndoRecord);
  FRedoBuffer->OnFreeBlock = TVisBufferBlockEvent(this, &TVisBaseEdit::FreeUndoRecord);
  SetColor(clWhite);
  SetParentColor(false);
  SetCursor(crIBeam);
  SetTabStop(true);
  SetBounds(FLeft, FTop, FWidth, 21);
}

TVisBaseEdit::~TVisBaseEdit() {
  StopScrollTimer();
  if (FTextDragging) Screen->SetCursor(FSavedCursor);
  FFont3D->OnChange = nullptr;
  delete FRedoBuffer;
  delete FUndoBuffer;
  delete FFont3D;
  delete FCaret;
  delete FBufferBitmap;
}

void TVisBaseEdit::FreeUndoRecord(TObject*, void* Block) { delete static_cast<UndoRecord*>(Block); }

void TVisBaseEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETTEXT: WMSetText(Message); break;
    case WM_GETTEXT: WMGetText(Message); break;
    case WM_GETTEXTLENGTH: WMGetTextLength(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case WM_ERASEBKGND: Message.Result = 1; break;
    case WM_CUT: CutToClipboard(); break;
    case WM_COPY: CopyToClipboard(); break;
    case WM_PASTE:
      if (FKeyboardEditing) PasteFromClipboard();
      break;
    case WM_CLEAR: ClearSelection(); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    case CM_BIDIMODECHANGED: CMBiDiModeChanged(Message); break;
    default:
      if (Message.Msg >= EM_GETSEL && Message.Msg <= EM_GETIMESTATUS)
        EditMessage(Message);
      else
        inherited::Dispatch(Message);
  }
}

void TVisBaseEdit::Loaded() {
  inherited::Loaded();
  Layout();
}

void TVisBaseEdit::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FBoundControl) FBoundControl = nullptr;
}

// --- Text and selection ----------------------------------------------------------------------------

void TVisBaseEdit::ReplaceText(const AnsiString& Value) {
  if (Value == FEditText) return;
  FEditText = Value;
  if (FMaxLength != 0 && Integer(FEditText.size()) > FMaxLength) FEditText.resize(static_cast<std::size_t>(FMaxLength));
  FCaretIndex = 1;
  FSelStart = 1;
  FSelLength = 0;
  TextReplaced();
}

void TVisBaseEdit::WMSetText(TMessage& Message) {
  const char* text = reinterpret_cast<const char*>(Message.LParam);
  ReplaceText(text ? AnsiString(text) : AnsiString());
  Message.Result = 1;
}

void TVisBaseEdit::WMGetText(TMessage& Message) {
  char* buffer = reinterpret_cast<char*>(Message.LParam);
  const auto size = static_cast<std::size_t>(Message.WParam);
  Message.Result = 0;
  if (buffer && size > 0) {
    const std::size_t n = std::min(size - 1, FEditText.size());
    FEditText.copy(buffer, n);
    buffer[n] = '\0';
    Message.Result = LRESULT(n);
  }
  TextRead();
}

void TVisBaseEdit::WMGetTextLength(TMessage& Message) { Message.Result = LRESULT(FEditText.size()); }

void TVisBaseEdit::MoveCaretQuietly(Integer Index) {
  FCaretIndex = std::clamp(Index, 1, Integer(FEditText.size()) + 1);
}

void TVisBaseEdit::SetCaretIndex(Integer Value) {
  const Integer previous = FCaretIndex;
  MoveCaretQuietly(Value);
  RunSelectionRule(previous);
  CaretMoved();
}

void TVisBaseEdit::RunSelectionRule(Integer Previous) {
  if (FUpdatingSelection || FTextDragging) return;
  Byte flags = VisApplication->GetShiftFlags();
  if (!FSelectionEnabled && (flags & vsfShift)) {
    flags &= Byte(~vsfShift);
    VisApplication->SetShiftFlags(flags);
  }
  const Integer c = FCaretIndex;
  if (!(flags & vsfShift) && !FMouseSelecting) {
    FSelLength = 0;
    FSelStart = c;
    return;
  }
  // The selection grows or shrinks from its anchor: the end the caret did not stand at.
  Integer s = FSelStart, l = FSelLength;
  const Integer p = Previous;
  if (l == 0) {
    // The anchor is where the caret was, wherever the empty selection was left.
    l = std::abs(p - c);
    s = std::min(p, c);
  } else if (c <= s) {
    l = p != s ? s - c : l + (s - c);
    s = c;
  } else if (c >= s + l) {
    if (p <= s) {
      s += l;
      l = c - s;
    } else {
      l = c - s;
    }
  } else if (c > p) {
    l = s + l - c;
    s = c;
  } else {
    l = c - s;
  }
  FSelStart = s;
  FSelLength = l;
}

void TVisBaseEdit::SetSelStart(Integer Value) { FSelStart = Value; }

void TVisBaseEdit::SetSelLength(Integer Value) {
  if (Value == FSelLength) return;
  FSelLength = Value;
  PaintText(-1);
}

AnsiString TVisBaseEdit::GetSelText() const {
  const Integer length = Integer(FEditText.size());
  const Integer start = std::clamp(FSelStart, 1, length + 1);
  const Integer count = std::clamp(FSelLength, 0, length + 1 - start);
  return FEditText.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

void TVisBaseEdit::SetSelection(Integer Start, Integer End) {
  const Integer length = Integer(FEditText.size());
  if (Start == -1) {
    FSelStart = FCaretIndex;
    SetSelLength(0);
    return;
  }
  if (Start == 0 && End == -1) {
    SelectAll();
    return;
  }
  if (End == -1) End = length;
  if (Start > End) std::swap(Start, End);
  Start = std::clamp(Start, 0, length);
  End = std::clamp(End, 0, length);
  MoveCaretQuietly(Start + 1);
  FSelStart = Start + 1;
  FSelLength = End - Start;
  PaintText(-1);
  CaretMoved();
}

void TVisBaseEdit::SelectAll() {
  FSelStart = 1;
  SetSelLength(Integer(FEditText.size()));
}

bool TVisBaseEdit::IsDelimiter(Integer Index) const {
  return Index >= 1 && Index <= Integer(FEditText.size()) && FWordDelimiters.Contains(FEditText[Index - 1]);
}

void TVisBaseEdit::SelectWord() {
  const Integer length = Integer(FEditText.size());
  Integer p = FCaretIndex;
  if (IsDelimiter(p)) --p;
  while (p >= 2 && !IsDelimiter(p)) --p;
  if (p != 1) ++p;
  FSelStart = p;
  Integer e = FCaretIndex;
  while (e < length + 1 && !IsDelimiter(e)) ++e;
  FSelLength = e - p;
}

void TVisBaseEdit::WordLeft() {
  Integer i = FCaretIndex;
  if (IsDelimiter(i) && i > 1) --i;
  while (i >= 2 && !IsDelimiter(i)) --i;
  SetCaretIndex(i);
}

void TVisBaseEdit::WordRight() {
  const Integer length = Integer(FEditText.size());
  Integer i = FCaretIndex;
  if (IsDelimiter(i) && i < length) ++i;
  while (i <= length && !IsDelimiter(i)) ++i;
  SetCaretIndex(i);
}

// --- The editing primitive and undo -----------------------------------------------------------------

void TVisBaseEdit::ReplaceSelection(const AnsiString& Value) { ReplaceSelectionAs(Value, ChangeKind::Edit); }

void TVisBaseEdit::ReplaceSelectionAs(const AnsiString& Value, ChangeKind Kind) {
  if (!CanModify()) return;
  AnsiString inserted = FOEMConvert ? ThroughOem(Value) : Value;
  const bool edit = Kind == ChangeKind::Edit || Kind == ChangeKind::Paste;
  BeforeChange();
  const Integer length = Integer(FEditText.size());
  const auto at = [this, length](Integer i) { return i >= 1 && i <= length ? FEditText[i - 1] : '\0'; };
  Integer s = std::clamp(FSelStart, 1, length + 1);
  Integer l = std::clamp(FSelLength, 0, length + 1 - s);
  // A line break stays whole: a change never splits a carriage return from its line feed.
  if (l > 0) {
    if (at(s + l - 1) == kCarriageReturn && at(s + l) == kLineFeed) ++l;
    if (at(s) == kLineFeed && s > 1) {
      --s;
      ++l;
    }
  } else {
    if (at(s) == kLineFeed && s > 1) --s;
    // Typing in overwrite mode replaces the character at the caret (both halves of a line break).
    if (edit && !inserted.empty() && !(VisApplication->GetShiftFlags() & vsfInsert) &&
        s <= length)
      l = std::min(at(s) == kCarriageReturn ? 2 : 1, length + 1 - s);
  }
  const AnsiString replaced = FEditText.substr(static_cast<std::size_t>(s - 1), static_cast<std::size_t>(l));
  // Undoing and redoing restore what was there, whatever the limit is now. A paste that does not
  // fit leaves the text and the selection as they were: the selection is not given up for nothing.
  if (edit && FMaxLength != 0 && length - l + Integer(inserted.size()) > FMaxLength) {
    if (Kind == ChangeKind::Paste) {
      ::MessageBeep(MB_OK);
      return;
    }
    inserted.clear();
  }
  DeleteHook(s, replaced);
  InsertHook(s, inserted);

  // The record holds the range actually replaced, so that undoing restores every character.
  auto* record = new UndoRecord{inserted, replaced, s, l, Integer(inserted.size()), FCaretIndex};
  if (Kind == ChangeKind::Undo) {
    if (!FRedoBuffer->Push(record)) delete record;
    FRedoAvailable = true;
  } else {
    FUndoAvailable = true;
    if (!FUndoBuffer->Push(record)) delete record;
    if (edit) {
      FRedoBuffer->Clear();
      FRedoAvailable = false;
    }
  }

  FEditText = FEditText.substr(0, static_cast<std::size_t>(s - 1)) + inserted +
          FEditText.substr(static_cast<std::size_t>(s - 1 + l));
  SetModified(true);
  FCaretIndex = std::min(s + Integer(inserted.size()), Integer(FEditText.size()) + 1);
  FSelLength = 0;
  FSelStart = FCaretIndex;
  AfterChange();
  Changed(s);
  CaretMoved();
}

void TVisBaseEdit::Undo() {
  if (FUndoAvailable && !FUndoBuffer->IsEmpty() && CanModify()) ApplyRecord(ChangeKind::Undo);
}

void TVisBaseEdit::Redo() {
  if (FRedoAvailable && !FRedoBuffer->IsEmpty() && CanModify()) ApplyRecord(ChangeKind::Redo);
}

void TVisBaseEdit::ApplyRecord(ChangeKind Kind) {
  const bool undo = Kind == ChangeKind::Undo;
  std::unique_ptr<UndoRecord> record(static_cast<UndoRecord*>((undo ? FUndoBuffer : FRedoBuffer)->Pop()));
  (undo ? FUndoing : FRedoing) = true;
  FSelStart = record->SelStart;
  FSelLength = record->InsertedLength;
  try {
    ReplaceSelectionAs(record->Replaced, Kind);
  } catch (...) {
    FUndoing = FRedoing = false;
    throw;
  }
  (undo ? FUndoing : FRedoing) = false;
  if (undo) {
    FUndoAvailable = !FUndoBuffer->IsEmpty();
    // The caret and the selection as they were before the change.
    MoveCaretQuietly(record->CaretIndex);
    FSelStart = record->SelStart;
    FSelLength = record->SelLength;
  } else {
    FRedoAvailable = !FRedoBuffer->IsEmpty();
    // The caret where the change left it.
    MoveCaretQuietly(record->CaretIndex);
    FSelStart = FCaretIndex;
    FSelLength = 0;
  }
  PaintText(-1);
  CaretMoved();
}

void TVisBaseEdit::ClearUndo() {
  FRedoBuffer->Clear();
  FUndoBuffer->Clear();
}

// --- Clipboard -------------------------------------------------------------------------------------

void TVisBaseEdit::CopyToClipboard() {
  if (!ClipboardAllowed() || FSelLength <= 0) return;
  Clipboard()->SetAsText(GetSelText());
}

void TVisBaseEdit::CutToClipboard() {
  if (!ClipboardAllowed()) return;
  CopyToClipboard();
  ReplaceSelection(AnsiString());
}

void TVisBaseEdit::PasteFromClipboard() {
  if (!ClipboardAllowed() || !Clipboard()->HasFormat(CF_TEXT)) return;
  ReplaceSelectionAs(Clipboard()->GetAsText(), ChangeKind::Paste);
}

void TVisBaseEdit::ClearSelection() { ReplaceSelection(AnsiString()); }

void TVisBaseEdit::Clear() {
  SelectAll();
  ClearSelection();
}

Integer TVisBaseEdit::PosFromChar(Integer Count) {
  TRect box = FInnerRect;
  MeasureCaption(DrawingCanvas(), -1, false, false, DT_SINGLELINE | DT_NOPREFIX, FFont3D,
                 FEditText.substr(0, static_cast<std::size_t>(Count)), box);
  return (Count == 0 ? 0 : box.Width()) + FInnerRect.Left - FScrollOffset;
}

Integer TVisBaseEdit::GetSelTextBuf(char* Buffer, Integer Size) {
  const AnsiString selected = GetSelText();
  const Integer n = std::min(Size, Integer(selected.size()));
  if (Buffer && n > 0) selected.copy(Buffer, static_cast<std::size_t>(n));
  return n;
}

// --- Properties ------------------------------------------------------------------------------------

void TVisBaseEdit::SetCaret(TVisCaret* Value) { FCaret->Assign(Value); }

void TVisBaseEdit::SetFont3D(TVis3DCaption* Value) {
  FFont3D->Assign(Value);
  Perform(CM_FONTCHANGED, 0, 0);
}

void TVisBaseEdit::SetFlag(Integer Index, bool Value) {
  switch (Index) {
    case 0: FHideSelection = Value; break;
    case 1:
      FReadOnly = Value;
      if (DrawsThemed()) Invalidate();
      break;
    case 2:
      if (FModified != Value) {
        FModified = Value;
        if (OnModified) OnModified(this);
      }
      break;
    case 4: FAutoSelect = Value; break;
    case 5: FOEMConvert = Value; break;
    case 6: FFocusOnMouseAbove = Value; break;
    default: break;
  }
}

void TVisBaseEdit::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  FScrollOffset = 0;
  AlignmentChanged();
  PlaceCaret();
  PaintText(-1);
  CaretMoved();
}

bool TVisBaseEdit::CanModify() { return !FReadOnly; }

void TVisBaseEdit::CaretMoved() {
  PlaceCaret();
  if (OnCursorPosChanged) OnCursorPosChanged(this);
}

void TVisBaseEdit::Changed(Integer Position) {
  if (FUpdateLock > 0) return;
  PaintText(Position);
  if (Loading(this)) return;
  if (OnTextChangedAt) OnTextChangedAt(this, Position);
  if (OnChange) OnChange(this);
}

// --- The companion control -------------------------------------------------------------------------

void TVisBaseEdit::SetBoundControl(TControl* Value) {
  if (Value == FBoundControl) return;
  if (FBoundControl) FBoundControl->RemoveFreeNotification(this);
  FBoundControl = Value;
  if (Value) {
    Value->FreeNotification(this);
    PlaceBoundControl();
  }
}

void TVisBaseEdit::SetBoundPosition(TVisBoundPosition Value) {
  FBoundPosition = Value;
  PlaceBoundControl();
}

void TVisBaseEdit::SetBoundSpacing(Integer Value) {
  FBoundSpacing = Value;
  PlaceBoundControl();
}

void TVisBaseEdit::PlaceBoundControl() {
  if (!FBoundControl) return;
  const Integer w = FBoundControl->GetWidth();
  const Integer h = FBoundControl->GetHeight();
  const Integer middle = FTop + (FHeight - h) / 2;
  switch (FBoundPosition) {
    case bpAbove: FBoundControl->SetBounds(FLeft, FTop - h - FBoundSpacing, w, h); break;
    case bpBelow: FBoundControl->SetBounds(FLeft, FTop + FHeight + FBoundSpacing, w, h); break;
    case bpLeft: FBoundControl->SetBounds(FLeft - w - FBoundSpacing, middle, w, h); break;
    case bpRight: FBoundControl->SetBounds(FLeft + FWidth + FBoundSpacing, middle, w, h); break;
  }
}

void TVisBaseEdit::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlaceBoundControl();
}

void TVisBaseEdit::SetParent(TWinControl* AParent) {
  inherited::SetParent(AParent);
  if (FBoundControl && FBoundControl != AParent) {
    FBoundControl->SetParent(AParent);
    FBoundControl->SetVisible(true);
  }
}

void TVisBaseEdit::CMVisibleChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (FBoundControl) FBoundControl->SetVisible(GetVisible());
}

void TVisBaseEdit::CMBiDiModeChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (FBoundControl) FBoundControl->SetBiDiMode(GetBiDiMode());
}

void TVisBaseEdit::ChangeName(const AnsiString& NewName) {
  // In a designer a renamed edit starts empty and its companion shows the new name.
  if (GetComponentState().Contains(csDesigning) && !Loading(this)) {
    ReplaceText(AnsiString());
    if (FBoundControl && FBoundControl->GetText() != GetName()) FBoundControl->SetText(NewName);
  }
  inherited::ChangeName(NewName);
}

// --- Keyboard --------------------------------------------------------------------------------------

void TVisBaseEdit::RecordShiftFlags(Word Key, bool Down) {
  Byte flags = Byte(VisApplication->GetShiftFlags() & vsfInsert);
  const auto held = [&](int VirtualKey, Word Released) {
    return (::GetKeyState(VirtualKey) & 0x8000) != 0 && !(Key == Released && !Down);
  };
  if (held(VK_SHIFT, VK_SHIFT)) flags |= vsfShift;
  if (held(VK_CONTROL, VK_CONTROL)) flags |= vsfCtrl;
  if (held(VK_MENU, VK_MENU)) flags |= vsfAlt;
  VisApplication->SetShiftFlags(flags);
}

void TVisBaseEdit::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  RecordShiftFlags(Key, true);
  if (Key != 0 && GetEnabled()) EditKeyDown(Key);
}

void TVisBaseEdit::KeyUp(Word& Key, TShiftState Shift) {
  inherited::KeyUp(Key, Shift);
  RecordShiftFlags(Key, false);
}

void TVisBaseEdit::EditKeyDown(Word& Key) {
  const Byte flags = VisApplication->GetShiftFlags();
  const bool shift = flags & vsfShift;
  const bool ctrl = flags & vsfCtrl;
  const bool alt = flags & vsfAlt;
  const Integer length = Integer(FEditText.size());
  const auto at = [this, length](Integer i) { return i >= 1 && i <= length ? FEditText[i - 1] : '\0'; };
  const Integer oldSelLength = FSelLength;
  switch (Key) {
    case VK_INSERT:
      if (shift && FKeyboardEditing)
        PasteFromClipboard();
      else if (ctrl)
        CopyToClipboard();
      else if (!alt)
        VisApplication->SetShiftFlags(Byte(flags ^ vsfInsert));
      break;
    case 'C':
      if (ctrl) {
        CopyToClipboard();
        Key = 0;
      }
      break;
    case 'V':
      if (ctrl) {
        if (FKeyboardEditing) PasteFromClipboard();
        Key = 0;
      }
      break;
    case 'X':
      if (ctrl) {
        if (FKeyboardEditing) CutToClipboard();
        Key = 0;
      }
      break;
    case 'A':
      if (ctrl) {
        SelectAll();
        Key = 0;
      }
      break;
    case 'Z':
      if (ctrl) {
        Undo();
        Key = 0;
      }
      break;
    case 'Y':
      if (ctrl) {
        Redo();
        Key = 0;
      }
      break;
    case VK_DELETE:
      if (!FKeyboardEditing) break;
      if (shift) {
        CutToClipboard();
      } else if (!FReadOnly && length > 0) {
        if (FSelLength <= 0) {
          if (FCaretIndex > length) break;
          FSelStart = FCaretIndex;
          FSelLength = 1;
        }
        ReplaceSelection(AnsiString());
      }
      break;
    case VK_BACK:
      if (!FKeyboardEditing || FReadOnly || FSelStart < 1) break;
      if (FCaretIndex == 1 && FSelStart == 1 && FSelLength == 0) break;
      if (FSelLength == 0) {
        FSelStart = FCaretIndex - 1;
        FSelLength = 1;
      } else if (AutoCompleteActive()) {
        FSelStart = FCaretIndex - 1;
        ++FSelLength;
      }
      ReplaceSelection(AnsiString());
      break;
    case VK_ESCAPE: SetSelLength(0); break;
    case VK_HOME:
      if (ctrl) {
        SetCaretIndex(1);
      } else {
        Integer i = FCaretIndex - 1;
        while (i >= 1 && at(i) != kLineFeed) --i;
        SetCaretIndex(i + 1);
      }
      break;
    case VK_END: {
      Integer i = FCaretIndex;
      while (i <= length && at(i) != kCarriageReturn) ++i;
      SetCaretIndex(i);
      break;
    }
    case VK_LEFT:
      if (FCaretIndex > 1) {
        Integer i = FCaretIndex - 1;
        if (at(i) == kLineFeed && i > 1) --i;
        SetCaretIndex(i);
        if (ctrl) WordLeft();
      }
      break;
    case VK_RIGHT:
      if (FCaretIndex <= length && length > 0) {
        Integer i = FCaretIndex + 1;
        if (at(i) == kLineFeed) ++i;
        SetCaretIndex(i);
        if (ctrl) WordRight();
      }
      break;
    default: break;
  }
  if (FSelLength != oldSelLength) PaintText(-1);
}

void TVisBaseEdit::KeyPress(char& Key) {
  inherited::KeyPress(Key);
  if (Key != '\0' && FKeyboardEditing) EditChar(Key);
}

void TVisBaseEdit::EditChar(char Key) {
  if (static_cast<Byte>(Key) < 32) return;
  if (FCharCase == ecUpperCase && Key >= 'a' && Key <= 'z') Key = char(Key - 'a' + 'A');
  if (FCharCase == ecLowerCase && Key >= 'A' && Key <= 'Z') Key = char(Key - 'A' + 'a');
  ReplaceSelection(AnsiString(1, Key));
}

void TVisBaseEdit::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
}

// --- Focus and font --------------------------------------------------------------------------------

Integer TVisBaseEdit::CaretTextHeight() {
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  return canvas->TextHeight("Qp");
}

void TVisBaseEdit::WMSetFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  DoFocusGain();
}

void TVisBaseEdit::DoFocusGain() {
  LayoutBuffered();
  if (FCaret->GetStyle() == csDefault) FCaret->SetTextHeight(static_cast<Word>(CaretTextHeight()));
  FCaret->CreateCaret();
  FCaret->Show();
  if (RepaintOnEnter()) PaintText(-1);
  if (FAutoSelect) SelectAll();
  const bool wasHidden = FSelectionHidden;
  FSelectionHidden = false;
  // A selection that was hidden while the focus was away shows again.
  if (wasHidden && FSelLength > 0) PaintText(-1);
  PlaceCaret();
}

void TVisBaseEdit::WMKillFocus(TMessage& Message) {
  if (FHideSelection && FSelLength > 0) {
    FSelectionHidden = true;
    PaintText(-1);
  }
  inherited::Dispatch(Message);
  DoFocusLoss();
}

void TVisBaseEdit::DoFocusLoss() {
  if (ThemedFlat()) PaintText(-1);
  FCaret->Destroy();
  if (FFreeBufferOnExit) {
    delete FBufferBitmap;
    FBufferBitmap = nullptr;
  }
}

void TVisBaseEdit::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  FCaret->SetTextHeight(static_cast<Word>(CaretTextHeight()));
  if (FCaret->GetCreated()) {
    const bool visible = FCaret->GetVisible();
    FCaret->Destroy();
    FCaret->CreateCaret();
    if (visible) FCaret->Show();
    PlaceCaret();
  }
}

// --- Mouse -----------------------------------------------------------------------------------------

void TVisBaseEdit::MouseEnter() {
  inherited::MouseEnter();
  if (FFocusOnMouseAbove && GetEnabled() && CanFocus()) SetFocus();
}

void TVisBaseEdit::PlaceCaretAt(Integer X) {
  const Integer index = CharFromX(X);
  const Integer oldSelLength = FSelLength;
  SetCaretIndex(index);
  if (FSelLength != oldSelLength) PaintText(-1);
}

void TVisBaseEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled()) return;
  if (Shift.Contains(ssDouble)) {
    if (FSelectionEnabled) {
      LockUpdate();
      SelectWord();
      UnlockUpdate();
    }
    return;
  }
  FMouseDown = true;
  FLastMouse = Point(X, Y);
  if (!Focused() && CanFocus()) SetFocus();
  // A press inside the selection starts dragging the selected text.
  const Integer index = CharFromX(X);
  if (FTextDragAllowed && !FTextDragging && index > FSelStart && index < FSelStart + FSelLength) {
    FTextDragging = true;
    FSavedCursor = Screen->GetCursor();
    Screen->SetCursor(crDrag);
  }
  PlaceCaretAt(X);
  if (!FScrollTimer && VisApplication)
    FScrollTimer = VisApplication->AddTimer(200, TNotifyEvent(this, &TVisBaseEdit::ScrollTick));
}

void TVisBaseEdit::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  FLastMouse = Point(X, Y);
  if (!FMouseDown || !Shift.Contains(ssLeft)) return;
  FMouseSelecting = true;
  try {
    PlaceCaretAt(X);
  } catch (...) {
    FMouseSelecting = false;
    throw;
  }
  FMouseSelecting = false;
}

void TVisBaseEdit::ScrollTick(TObject*) {
  if (!FMouseDown) return;
  // Held outside the text, the pointer keeps scrolling the text; over a selection, it extends it.
  FMouseSelecting = FSelLength > 0;
  try {
    PlaceCaretAt(FLastMouse.X);
  } catch (...) {
    FMouseSelecting = false;
    throw;
  }
  FMouseSelecting = false;
}

void TVisBaseEdit::StopScrollTimer() {
  if (FScrollTimer && VisApplication) VisApplication->RemoveTimer(FScrollTimer);
  FScrollTimer = 0;
}

void TVisBaseEdit::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) {
    StopScrollTimer();
    FMouseDown = false;
    if (FTextDragging) EndTextDrag();
  } else if (Button == mbRight && GetEnabled() && !GetPopupMenu()) {
    ShowEditMenu(ClientToScreen(Point(X, Y)));
  }
}

void TVisBaseEdit::EndTextDrag() {
  Screen->SetCursor(FSavedCursor);
  FTextDragging = false;
  Integer p = FCaretIndex;
  if (p >= FSelStart && p <= FSelStart + FSelLength) {
    // Dropped on itself: the selection goes, nothing moves.
    FSelStart = p;
    FSelLength = 0;
    PaintText(-1);
    return;
  }
  const AnsiString moved = GetSelText();
  const Integer start = FSelStart;
  ReplaceSelection(AnsiString());
  if (p > start) p -= Integer(moved.size());
  if (p >= 1 && p <= Integer(FEditText.size()) && FEditText[p - 1] == kLineFeed) --p;
  MoveCaretQuietly(p);
  FSelStart = FCaretIndex;
  FSelLength = 0;
  ReplaceSelection(moved);
  PaintText(-1);
  SetCaretIndex(p);
}

// --- The context menu ------------------------------------------------------------------------------

void TVisBaseEdit::ShowEditMenu(const TPoint& ScreenPoint) {
  TPopupMenu menu(nullptr);
  const bool selection = FSelLength > 0;
  const auto add = [&](UINT Caption, bool Enabled, std::function<void()> Action) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(Caption ? VisEditMenuCaption(Caption) : AnsiString("-"));
    item->SetEnabled(Enabled);
    if (Action) item->OnClick = TNotifyEvent::FromFunction([Action](TObject*) { Action(); });
    menu.GetItems()->Add(item);
  };
  add(SVisEditUndo, FUndoAvailable, [this] { Undo(); });
  add(0, true, nullptr);
  add(SVisEditCut, selection && !FReadOnly, [this] { CutToClipboard(); });
  add(SVisEditCopy, selection, [this] { CopyToClipboard(); });
  add(SVisEditInsert, Clipboard()->HasFormat(CF_TEXT) && !FReadOnly, [this] { PasteFromClipboard(); });
  add(SVisEditDelete, selection, [this] { ClearSelection(); });
  add(0, true, nullptr);
  add(SVisEditSelectAll, !FEditText.empty(), [this] { SelectAll(); });
  menu.Popup(ScreenPoint.X, ScreenPoint.Y);
}

// --- Edit messages ---------------------------------------------------------------------------------

void TVisBaseEdit::EditMessage(TMessage& Message) {
  const Integer length = Integer(FEditText.size());
  Message.Result = 0;
  switch (Message.Msg) {
    case EM_GETSEL: {
      const DWORD start = DWORD(FSelStart - 1);
      const DWORD end = DWORD(FSelStart + FSelLength - 1);
      if (auto* p = reinterpret_cast<DWORD*>(Message.WParam)) *p = start;
      if (auto* p = reinterpret_cast<DWORD*>(Message.LParam)) *p = end;
      Message.Result = MAKELONG(start, end);
      break;
    }
    case EM_SETSEL: SetSelection(Integer(Message.WParam), Integer(Message.LParam)); break;
    case EM_GETRECT:
      if (auto* r = reinterpret_cast<RECT*>(Message.LParam)) *r = *AsRECT(FTextRect);
      break;
    case EM_GETMODIFY: Message.Result = FModified; break;
    case EM_SETMODIFY: SetModified(Message.WParam != 0); break;
    case EM_GETLINECOUNT: Message.Result = 1; break;
    case EM_LINELENGTH: Message.Result = length; break;
    case EM_GETLINE: {
      // The buffer's first word holds its size, as for the system edit.
      char* buffer = reinterpret_cast<char*>(Message.LParam);
      if (!buffer) break;
      const std::size_t size = *reinterpret_cast<const WORD*>(buffer);
      const std::size_t n = std::min(size, FEditText.size());
      FEditText.copy(buffer, n);
      Message.Result = LRESULT(n);
      break;
    }
    case EM_LIMITTEXT: SetMaxLength(Integer(Message.WParam)); break;
    case EM_GETLIMITTEXT: Message.Result = FMaxLength; break;
    case EM_CANUNDO: Message.Result = FUndoAvailable; break;
    case EM_UNDO:
      Undo();
      Message.Result = FUndoAvailable;
      break;
    case EM_EMPTYUNDOBUFFER:
      FUndoBuffer->Clear();
      FUndoAvailable = false;
      break;
    case EM_REPLACESEL: {
      const char* text = reinterpret_cast<const char*>(Message.LParam);
      ReplaceSelection(text ? AnsiString(text) : AnsiString());
      if (!Message.WParam) ClearUndo();
      break;
    }
    case EM_SETREADONLY:
      SetReadOnly(Message.WParam != 0);
      Message.Result = 1;
      break;
    case EM_POSFROMCHAR: {
      const Integer x = PosFromChar(std::clamp(Integer(Message.WParam), 0, length));
      Message.Result = MAKELONG(Word(SmallInt(x)), 0);
      break;
    }
    case EM_CHARFROMPOS: {
      const Integer x = SmallInt(LOWORD(Message.LParam));
      Message.Result = MAKELONG(Word(CharFromX(x) - 1), 0);
      break;
    }
    default: break;  // the other edit messages are answered 0 and change nothing
  }
}
