// The mouse side of a formatted document: the draw line under the mouse, selecting by pressing,
// dragging, Shift+clicking, double clicking and right clicking, hyperlinks that highlight under
// the mouse and fire when clicked, the selection's text, picture and rectangle, and copying the
// selection to the clipboard. The owner (a viewer) forwards its mouse messages here in client
// coordinates; the events go out through the owner.
#include <algorithm>
#include <cstring>
#include <optional>

#include "classlib/Clipbrd.h"
#include "classlib/Forms.h"
#include "classlib/Streams.h"
#include "richtext/core/CUVFData.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

namespace {

TCustomUVFormattedData* FormattedRoot(TCustomUVData* Data) {
  auto* root = dynamic_cast<TCustomUVFormattedData*>(Data->GetAbsoluteRootData());
  return root ? root : static_cast<TCustomUVFormattedData*>(Data);
}

// (DrawItemNo, Offs) before (DrawItemNo2, Offs2).
bool Before(Integer DrawItemNo, Integer Offs, Integer DrawItemNo2, Integer Offs2) {
  return DrawItemNo < DrawItemNo2 || (DrawItemNo == DrawItemNo2 && Offs < Offs2);
}

// Hands a block of bytes, followed by Zeros zero bytes, to the open clipboard as Format.
void PutBlock(UINT Format, const void* Data, std::size_t Size, std::size_t Zeros) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, Size + Zeros);
  if (!block) throw EUzurUvadError("No memory");
  UniqueGlobal owner(block);
  {
    GlobalLockGuard lock(block);
    auto* bytes = static_cast<char*>(lock.get());
    if (Size) std::memcpy(bytes, Data, Size);
    std::memset(bytes + Size, 0, Zeros);
  }
  // The clipboard owns the block once it has taken it.
  Clipboard()->SetAsHandle(static_cast<Word>(Format), owner.release());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The owner's side (a document without an owner answers these itself; a nested one asks its
// root)

#define UV_FORMATTED_ROOT_OR(call, fallback)          \
  do {                                                \
    TCustomUVFormattedData* root = FormattedRoot(this); \
    if (root != this) return root->call;              \
    return fallback;                                  \
  } while (false)

void TCustomUVFormattedData::SetCursor(TCursor Cursor) {
  TCustomUVFormattedData* root = FormattedRoot(this);
  if (root != this) root->SetCursor(Cursor);
}

TCursor TCustomUVFormattedData::GetCursor() { UV_FORMATTED_ROOT_OR(GetCursor(), crDefault); }

void TCustomUVFormattedData::SetControlFocus() {
  TWinControl* control = GetParentControl();
  if (control && control->CanFocus()) control->SetFocus();
}

TWinControl* TCustomUVFormattedData::GetInplaceEditor() { UV_FORMATTED_ROOT_OR(GetInplaceEditor(), nullptr); }

void TCustomUVFormattedData::CloseInplaceEditor() {
  TCustomUVFormattedData* root = FormattedRoot(this);
  if (root != this) root->CloseInplaceEditor();
}

TCustomUVFormattedData* TCustomUVFormattedData::GetChosenData() { UV_FORMATTED_ROOT_OR(GetChosenData(), ChosenUVData); }

TCustomUVItemInfo* TCustomUVFormattedData::GetChosenItem() { UV_FORMATTED_ROOT_OR(GetChosenItem(), ChosenItem); }

void TCustomUVFormattedData::MouseFocusItem(TCustomUVFormattedData* Data, Integer ItemNo) {
  TCustomUVFormattedData* root = FormattedRoot(this);
  if (root != this) root->MouseFocusItem(Data, ItemNo);
}

#define UV_RAISE_THROUGH_ROOT(call)                   \
  do {                                                \
    TCustomUVFormattedData* root = FormattedRoot(this); \
    if (root != this) root->call;                     \
  } while (false)

void TCustomUVFormattedData::DoJump(Integer Id) { UV_RAISE_THROUGH_ROOT(DoJump(Id)); }
void TCustomUVFormattedData::DoUVMouseMove(Integer Id) { UV_RAISE_THROUGH_ROOT(DoUVMouseMove(Id)); }
void TCustomUVFormattedData::DoUVMouseDown(TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X,
                                           Integer Y) {
  UV_RAISE_THROUGH_ROOT(DoUVMouseDown(Button, Shift, ItemNo, X, Y));
}
void TCustomUVFormattedData::DoUVMouseUp(TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X,
                                         Integer Y) {
  UV_RAISE_THROUGH_ROOT(DoUVMouseUp(Button, Shift, ItemNo, X, Y));
}
void TCustomUVFormattedData::DoUVDblClick(const AnsiString& ClickedWord, Integer Style) {
  UV_RAISE_THROUGH_ROOT(DoUVDblClick(ClickedWord, Style));
}
void TCustomUVFormattedData::DoUVRightClick(const AnsiString& ClickedWord, Integer Style, Integer X, Integer Y) {
  UV_RAISE_THROUGH_ROOT(DoUVRightClick(ClickedWord, Style, X, Y));
}
void TCustomUVFormattedData::DoCopy() { UV_RAISE_THROUGH_ROOT(DoCopy()); }

bool TCustomUVFormattedData::IsAssignedOnJump() { UV_FORMATTED_ROOT_OR(IsAssignedOnJump(), false); }
bool TCustomUVFormattedData::IsAssignedOnUVMouseDown() { UV_FORMATTED_ROOT_OR(IsAssignedOnUVMouseDown(), false); }
bool TCustomUVFormattedData::IsAssignedOnUVMouseUp() { UV_FORMATTED_ROOT_OR(IsAssignedOnUVMouseUp(), false); }
bool TCustomUVFormattedData::IsAssignedOnUVDblClick() { UV_FORMATTED_ROOT_OR(IsAssignedOnUVDblClick(), false); }
bool TCustomUVFormattedData::IsAssignedOnUVRightClick() { UV_FORMATTED_ROOT_OR(IsAssignedOnUVRightClick(), false); }
bool TCustomUVFormattedData::IsAssignedOnCopy() { UV_FORMATTED_ROOT_OR(IsAssignedOnCopy(), false); }
bool TCustomUVFormattedData::IsAssignedOnCheckpointVisible() {
  UV_FORMATTED_ROOT_OR(IsAssignedOnCheckpointVisible(), false);
}

#undef UV_RAISE_THROUGH_ROOT
#undef UV_FORMATTED_ROOT_OR

// ---------------------------------------------------------------------------------------------
// Hit testing

void TCustomUVFormattedData::UpdateDIUnderMouse(Integer X, Integer Y) {
  if (LastDIUnderMouse >= 0 && LastDIUnderMouse < DrawItems->GetCount()) {
    TUVDrawLineInfo* dli = DrawItems->Get(LastDIUnderMouse);
    if (X >= dli->Left && X < dli->Left + dli->Width && Y >= dli->Top && Y < dli->Top + dli->Height) return;
  }
  LastDIUnderMouse = FindDrawItemByPoint(X, Y);
}

TUVJumpInfo* TCustomUVFormattedData::FindJumpAt(Integer X, Integer Y) {
  Integer x = X + GetHOffs();
  Integer y = Y + GetVOffs();
  for (Integer i = 0; i < Jumps->GetCount(); ++i) {
    auto* jump = static_cast<TUVJumpInfo*>(Jumps->Get(i));
    if (x >= jump->Left && x <= jump->Left + jump->Width && y >= jump->Top && y <= jump->Top + jump->Height)
      return jump;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TCustomUVFormattedData::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  Integer docX = X + GetHOffs();
  Integer docY = Y + GetVOffs();
  UpdateDIUnderMouse(docX, docY);
  Integer itemNo = LastDIUnderMouse >= 0 ? DrawItems->Get(LastDIUnderMouse)->ItemNo : -1;
  TCustomUVItemInfo* item = itemNo >= 0 ? GetItem(itemNo) : nullptr;
  if (!item || (item != PartialSelectedItem && item != GetChosenItem())) {
    ReleasePartialSelection(item);
    SetControlFocus();
  }
  if (GetInplaceEditor() && (!item || item != GetChosenItem())) {
    CloseInplaceEditor();
    SetControlFocus();
  }
  if (item) {
    TUVDrawLineInfo* dli = DrawItems->Get(LastDIUnderMouse);
    item->MouseDown(Button, Shift, docX - dli->Left, docY - dli->Top, itemNo, this);
  }
  if (!CaptureMouseItem && IsAssignedOnUVMouseDown()) DoUVMouseDown(Button, Shift, itemNo, X, Y);
  if (Button == mbLeft) {
    TUVJumpInfo* jump = FindJumpAt(X, Y);
    LastJumpDowned = jump ? jump->Id : -1;
  }
  if (!CaptureMouseItem && !GetInplaceEditor()) {
    if (Button != mbLeft || (State & uvstDblClickWord)) return;
    TUVOptions options = GetOptions();
    if (options.Contains(uvoSingleClick) && IsAssignedOnUVDblClick()) {
      TCustomUVFormattedData* data;
      Integer wordItem, offs, styleNo;
      AnsiString word;
      if (GetItemAtPos(docX, docY, data, wordItem, offs, styleNo, word)) DoUVDblClick(word, styleNo);
    }
    if (options.Contains(uvoAllowSelection) && Shift.Contains(ssLeft)) {
      if (PartialSelectedItem) {
        TCustomUVItemInfo* partial = PartialSelectedItem;
        PartialSelectedItem = nullptr;
        partial->DeselectPartial();
      }
      Integer d, o;
      FindDrawItemAtPos(docX, docY, false, d, o);
      if (d >= 0) {
        FSelEndNo = d;
        FSelEndOffs = o;
        if (!Shift.Contains(ssShift) || FSelStartNo < 0) {
          FSelStartNo = d;
          FSelStartOffs = o;
        }
        State |= uvstSelecting;
      } else {
        FSelStartNo = FSelEndNo = -1;
        FSelStartOffs = FSelEndOffs = 0;
        State &= ~static_cast<Cardinal>(uvstSelecting);
      }
      SelectionChanged();
      Invalidate();
    }
  } else if (LastDIUnderMouse >= 0) {
    FSelStartNo = FSelEndNo = LastDIUnderMouse;
    FSelStartOffs = FSelEndOffs = 1;
    SelectionChanged();
  }
}

void TCustomUVFormattedData::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  Integer docX = X + GetHOffs();
  Integer docY = Y + GetVOffs();
  HideXorDrawing();
  if (CaptureMouseItem) {
    Integer left, top;
    SetMouseCapture(CaptureMouseItem, left, top);
    CaptureMouseItem->MouseMove(Shift, docX - left, docY - top, IndexOfItem(CaptureMouseItem), this);
    XorDrawingAt(docX, docY);
    return;
  }
  if (State & uvstSelecting) {
    // The selection follows the mouse only as far as the window shows (the auto-scroll timer
    // brings more into view).
    Integer x = X, y = Y;
    y = std::clamp(y, 0, std::max(GetHeight() - 1, 0));
    if (!(GetFlags() & uvflMouseUnclamped)) x = std::clamp(x, 0, std::max(GetWidth() - 1, 0));
    Integer d, o;
    FindDrawItemAtPos(x + GetHOffs(), y + GetVOffs(), false, d, o);
    if (d >= 0 && (d != FSelEndNo || o != FSelEndOffs)) {
      FSelEndNo = d;
      FSelEndOffs = o;
      SelectionChanged();
      Invalidate();
    }
  }
  bool handled = false;
  if (GetFlags() & uvflBuildJumps) {
    TCustomUVFormattedData* root = FormattedRoot(this);
    TCustomUVFormattedData* owner = root->HoverOwner;
    if (TUVJumpInfo* jump = FindJumpAt(X, Y)) {
      handled = true;
      SetCursor(jump->Cursor);
      TCustomUVFormattedData* data = jump->UVData ? jump->UVData : this;
      bool same = owner == data && owner->HoverJumpNo == jump->Id;
      if (!same) {
        DoUVMouseMove(jump->Id + root->FirstJumpNo);
        if (owner) {
          Integer old = owner->HoverJumpNo;
          bool drawing = (owner->State & uvstDrawHover) != 0;
          owner->State &= ~static_cast<Cardinal>(uvstDrawHover);
          owner->HoverJumpNo = -1;
          owner->HoverDrawItemNo = -1;
          if (drawing && old >= 0) owner->InvalidateJumpRect(old);
        }
      }
      bool wasDrawing = same && (data->State & uvstDrawHover);
      data->HoverJumpNo = jump->Id;
      data->HoverDrawItemNo = jump->DrawItemNo;
      root->HoverOwner = data;
      if (!wasDrawing && jump->DrawItemNo >= 0 && jump->DrawItemNo < data->DrawItems->GetCount()) {
        TCustomUVItemInfo* item = data->GetItem(data->DrawItems->Get(jump->DrawItemNo)->ItemNo);
        if (item->QueryStyledFlag(uvbspHotColdJump, GetUVStyle())) {
          data->State |= uvstDrawHover;
          data->InvalidateJumpRect(jump->Id);
        }
      }
    } else if (owner) {
      Integer old = owner->HoverJumpNo;
      bool drawing = (owner->State & uvstDrawHover) != 0;
      owner->State &= ~static_cast<Cardinal>(uvstDrawHover);
      owner->HoverJumpNo = -1;
      owner->HoverDrawItemNo = -1;
      root->HoverOwner = nullptr;
      if (drawing && old >= 0) owner->InvalidateJumpRect(old);
      DoUVMouseMove(-1);
    }
  }
  if (!handled) {
    UpdateDIUnderMouse(docX, docY);
    if (LastDIUnderMouse >= 0) {
      TUVDrawLineInfo* dli = DrawItems->Get(LastDIUnderMouse);
      handled = GetItem(dli->ItemNo)->MouseMove(Shift, docX - dli->Left, docY - dli->Top, dli->ItemNo, this);
    }
    if (!handled) SetCursor(GetCursor());
  }
  XorDrawingAt(docX, docY);
}

void TCustomUVFormattedData::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  Integer docX = X + GetHOffs();
  Integer docY = Y + GetVOffs();
  if (CaptureMouseItem) {
    // The item holding the capture gets the release wherever it happens (a table's border
    // dragged and let go beside the table).
    Integer left, top;
    TCustomUVItemInfo* item = CaptureMouseItem;
    SetMouseCapture(item, left, top);
    item->MouseUp(Button, Shift, docX - left, docY - top, IndexOfItem(item), this);
    return;
  }
  bool selectedBefore = SelectionExists();
  if (!CaptureMouseItem) {
    State &= ~static_cast<Cardinal>(uvstDblClickWord);
    if (Button == mbLeft && (State & uvstSelecting)) {
      Integer x = std::clamp(X, 0, std::max(GetWidth() - 1, 0));
      Integer y = std::clamp(Y, 0, std::max(GetHeight() - 1, 0));
      if (GetFlags() & uvflMouseUnclamped) x = X;
      Integer d, o;
      FindDrawItemAtPos(x + GetHOffs(), y + GetVOffs(), false, d, o);
      if (d >= 0) {
        FSelEndNo = d;
        FSelEndOffs = o;
      }
      State &= ~static_cast<Cardinal>(uvstSelecting);
      SelectionChanged();
      Invalidate();
      DoSelect();
    }
  }
  if (Button == mbRight && GetOptions().Contains(uvoRClickDeselects)) {
    Integer d, o;
    FindDrawItemAtPos(docX, docY, false, d, o);
    if (d >= 0) {
      Integer sd, so, ed, eo;
      GetSelDrawItemBounds(true, sd, so, ed, eo);
      bool outside = sd < 0 || Before(d, o, sd, so) || Before(ed, eo, d, o);
      if (outside) {
        FSelStartNo = FSelEndNo = d;
        FSelStartOffs = FSelEndOffs = o;
        SelectionChanged();
        Refresh();
        DoSelect();
      }
    }
  }
  UpdateDIUnderMouse(docX, docY);
  Integer itemNo = LastDIUnderMouse >= 0 ? DrawItems->Get(LastDIUnderMouse)->ItemNo : -1;
  if (itemNo >= 0) {
    TUVDrawLineInfo* dli = DrawItems->Get(LastDIUnderMouse);
    GetItem(itemNo)->MouseUp(Button, Shift, docX - dli->Left, docY - dli->Top, itemNo, this);
  }
  if ((Button == mbLeft || Button == mbRight) && itemNo >= 0 && !selectedBefore &&
      GetItem(itemNo)->QueryStyledFlag(uvbspAllowsFocus, GetUVStyle()))
    MouseFocusItem(this, itemNo);
  if (IsAssignedOnUVMouseUp()) DoUVMouseUp(Button, Shift, itemNo, X, Y);
  if (Button == mbRight && IsAssignedOnUVRightClick()) {
    TCustomUVFormattedData* data;
    Integer wordItem, offs, styleNo;
    AnsiString word;
    if (GetItemAtPos(docX, docY, data, wordItem, offs, styleNo, word)) {
      TPoint p(X, Y);
      if (TWinControl* control = GetParentControl()) p = control->ClientToScreen(p);
      DoUVRightClick(word, styleNo, p.X, p.Y);
    }
  }
  if (Button == mbLeft && LastJumpDowned >= 0 && IsAssignedOnJump() && !selectedBefore) {
    Integer pressed = LastJumpDowned;
    LastJumpDowned = -1;
    Integer x = X + GetHOffs();
    Integer y = Y + GetVOffs();
    for (Integer i = 0; i < Jumps->GetCount(); ++i) {
      auto* jump = static_cast<TUVJumpInfo*>(Jumps->Get(i));
      if (jump->Id == pressed && x >= jump->Left && x <= jump->Left + jump->Width && y >= jump->Top &&
          y <= jump->Top + jump->Height) {
        DoJump(pressed + FormattedRoot(this)->FirstJumpNo);
        break;
      }
    }
  }
}

void TCustomUVFormattedData::DblClick() {
  TUVOptions options = GetOptions();
  bool selectsWord = options.Contains(uvoDblClickSelectsWord);
  if (!selectsWord && (options.Contains(uvoSingleClick) || !IsAssignedOnUVDblClick())) return;
  TWinControl* control = GetParentControl();
  POINT p;
  ::GetCursorPos(&p);
  TPoint client(p.x, p.y);
  if (control) client = control->ScreenToClient(client);
  Integer docX = client.X + GetHOffs();
  Integer docY = client.Y + GetVOffs();
  TCustomUVFormattedData* data;
  Integer itemNo, offs, styleNo;
  AnsiString word;
  if (selectsWord && options.Contains(uvoAllowSelection)) {
    if (!GetItemAtPos(docX, docY, data, itemNo, offs, styleNo, word)) return;
    if (data->GetItemStyle(itemNo) >= 0)
      data->SetSelectionBounds(itemNo, offs, itemNo, offs + UVUniLength(word, data->GetItemOptions(itemNo)));
    else
      data->SetSelectionBounds(itemNo, 0, itemNo, 1);
    State |= uvstDblClickWord;
    State &= ~static_cast<Cardinal>(uvstSelecting);
    data->State |= uvstDblClickWord;
    data->State &= ~static_cast<Cardinal>(uvstSelecting);
    Invalidate();
    if (IsAssignedOnUVDblClick()) DoUVDblClick(word, styleNo);
  } else if (IsAssignedOnUVDblClick()) {
    if (GetItemAtPos(docX, docY, data, itemNo, offs, styleNo, word)) DoUVDblClick(word, styleNo);
  }
}

// ---------------------------------------------------------------------------------------------
// The selection

bool TCustomUVFormattedData::SelectionExists(bool UsePartial, bool AllowReset) {
  TCustomUVFormattedData* chosen = GetChosenData();
  if (chosen && chosen != this) return chosen->SelectionExists(UsePartial, AllowReset);
  if (SelectionExists()) return true;
  if (AllowReset && !(State & uvstSelecting) && FSelStartNo >= 0) Deselect(nullptr, false);
  return UsePartial && PartialSelectedItem && PartialSelectedItem->HasPartialSelection();
}

void TCustomUVFormattedData::GetSelStart(Integer& DrawItemNo, Integer& DrawOffs) const {
  DrawItemNo = FSelStartNo;
  DrawOffs = FSelStartOffs;
}

void TCustomUVFormattedData::SetSelectionBounds(Integer StartItemNo, Integer StartOffs, Integer EndItemNo,
                                                Integer EndOffs) {
  if (PartialSelectedItem) {
    TCustomUVItemInfo* partial = PartialSelectedItem;
    PartialSelectedItem = nullptr;
    partial->DeselectPartial();
  }
  if (GetInplaceEditor()) CloseInplaceEditor();
  // A list marker is selected whole, from before it.
  Integer count = GetItemCount();
  if (StartItemNo >= 0 && StartItemNo + 1 < count && GetItemStyle(StartItemNo) == uvsListMarker)
    StartOffs = GetOffsBeforeItem(StartItemNo);
  if (EndItemNo >= 0 && EndItemNo + 1 < count && GetItemStyle(EndItemNo) == uvsListMarker)
    EndOffs = GetOffsBeforeItem(EndItemNo);
  SetSelBoundsFromItems(StartItemNo, StartOffs, EndItemNo, EndOffs);
  SelectionChanged();
  DoSelect();
}

AnsiString TCustomUVFormattedData::GetSelText(bool Unicode) {
  TCustomUVFormattedData* chosen = GetChosenData();
  if (chosen && chosen != this) return chosen->GetSelText(Unicode);
  if (!SelectionExists(true, false)) return AnsiString();
  TMemoryStream stream;
  if (!SaveTextToStream(&stream, AnsiString(), 80, true, true, Unicode)) return AnsiString();
  return AnsiString(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
}

TGraphic* TCustomUVFormattedData::GetSelectedImage() {
  if (!SelectionExists()) return nullptr;
  Integer si, so, ei, eo;
  GetSelectionItemBounds(true, si, so, ei, eo);
  if (si < 0 || ei < 0) return nullptr;
  // An end just after the item before or just before the item after belongs to the picture.
  if (si < ei && so == GetOffsAfterItem(si)) {
    ++si;
    so = GetOffsBeforeItem(si);
  }
  if (ei > si && eo == GetOffsBeforeItem(ei)) {
    --ei;
    eo = GetOffsAfterItem(ei);
  }
  if (si != ei || so != GetOffsBeforeItem(si) || eo != GetOffsAfterItem(si)) return nullptr;
  return GetItem(si)->AsImage();
}

TRect TCustomUVFormattedData::GetSelectionRect() {
  TCustomUVFormattedData* chosen = GetChosenData();
  if (chosen && chosen != this) return chosen->GetSelectionRect();
  TWinControl* control = GetParentControl();
  TRect client = Rect(0, 0, GetWidth(), GetHeight());
  TRect result = client;
  if (SelectionExists()) {
    Integer sd, so, ed, eo;
    GetSelDrawItemBounds(true, sd, so, ed, eo);
    TUVDrawLineInfo* first = DrawItems->Get(sd);
    TUVDrawLineInfo* last = DrawItems->Get(ed);
    Integer hoffs = GetHOffs(), voffs = GetVOffs();
    result.Left = std::min(first->Left, last->Left) - hoffs;
    result.Top = std::min(first->Top, last->Top) - voffs;
    result.Right = std::max(first->Left + first->Width, last->Left + last->Width) - hoffs;
    result.Bottom = std::max(first->Top + first->Height, last->Top + last->Height) - voffs;
    result.Left = std::max(result.Left, client.Left);
    result.Top = std::max(result.Top, client.Top);
    result.Right = std::min(result.Right, client.Right);
    result.Bottom = std::min(result.Bottom, client.Bottom);
  }
  if (control) {
    TPoint origin = control->ClientToScreen(TPoint(0, 0));
    result.Left += origin.X;
    result.Right += origin.X;
    result.Top += origin.Y;
    result.Bottom += origin.Y;
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// The clipboard

bool TCustomUVFormattedData::Copy(TColor Color, TUVBackground* Background) {
  TCustomUVFormattedData* chosen = GetChosenData();
  if (chosen && chosen != this) return chosen->Copy(Color, Background);
  TUVOptions options = GetOptions();
  bool any = options.Contains(uvoAutoCopyText) || options.Contains(uvoAutoCopyUVF) ||
             options.Contains(uvoAutoCopyUnicodeText) || options.Contains(uvoAutoCopyRTF) ||
             options.Contains(uvoAutoCopyImage) || IsAssignedOnCopy();
  if (!any) return false;
  if (!SelectionExists(true, false)) return true;
  // The session closes the clipboard whatever happens below.
  std::optional<ClipboardSession> session;
  try {
    session.emplace();
  } catch (const Exception&) {
    return false;
  }
  Clipboard()->Clear();
  DoCopy();
  if (options.Contains(uvoAutoCopyUVF)) CopyUVF(Color, Background);
  // NT-based systems make CF_TEXT from the Unicode text themselves.
  if (options.Contains(uvoAutoCopyText) && !(UVIsNTPlatform && options.Contains(uvoAutoCopyUnicodeText))) CopyText();
  if (options.Contains(uvoAutoCopyImage)) CopyImage();
  if (options.Contains(uvoAutoCopyUnicodeText)) CopyUnicodeText();
  if (options.Contains(uvoAutoCopyRTF)) CopyRTF(Color);
  return true;
}

void TCustomUVFormattedData::CopyText() {
  AnsiString text = GetSelText(false);
  PutBlock(CF_TEXT, text.data(), text.size(), 1);
}

void TCustomUVFormattedData::CopyUnicodeText() {
  AnsiString text = GetSelText(true);
  PutBlock(CF_UNICODETEXT, text.data(), text.size(), 2);
}

void TCustomUVFormattedData::CopyRTF(TColor Color) {
  TMemoryStream stream;
  SaveRTFToStream(&stream, true, Color);
  PutBlock(::RegisterClipboardFormatA("Rich Text Format"), stream.GetMemory(),
           static_cast<std::size_t>(stream.GetSize()), 0);
}

void TCustomUVFormattedData::CopyUVF(TColor Color, TUVBackground* Background) {
  TMemoryStream stream;
  Integer length = 0;
  stream.WriteBuffer(&length, 4);
  SaveUVFToStream(&stream, true, Color, Background, nullptr);
  length = static_cast<Integer>(stream.GetSize() - 4);
  std::memcpy(stream.GetMemory(), &length, 4);
  PutBlock(::RegisterClipboardFormatA("UzurUvad Format"), stream.GetMemory(),
           static_cast<std::size_t>(stream.GetSize()), 0);
}

void TCustomUVFormattedData::CopyImage() {
  if (TGraphic* graphic = GetSelectedImage()) Clipboard()->Assign(graphic);
}
