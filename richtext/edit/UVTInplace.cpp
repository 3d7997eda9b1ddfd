// The cell editor: its settings taken from the document that holds the table, its keys (Tab and
// Shift+Tab move between cells, caret moves past the text leave the cell, undo with nothing of
// its own left undoes the host's last action) and its messages.
#include "richtext/edit/UVTInplace.h"

#include "classlib/Handles.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVTable.h"

TUVTableInplaceEdit::TUVTableInplaceEdit(TComponent* AOwner) : VUzurUvadEdit(AOwner) {
  SetBorderStyle(bsNone);
  SetVisible(false);
  SetWheelStep(0);
  // The table sizes the editor to its text: it has nothing to scroll.
  SetVScrollVisible(false);
  SetHScrollVisible(false);
  OnCaretGetOut = TUVOnCaretGetOutEvent(this, &TUVTableInplaceEdit::CaretLeft);
}

void TUVTableInplaceEdit::SetHostData(TUVEditUVData* Data) {
  HostData = Data;
  auto* host = Host();
  if (!host) return;
  SetOptions(host->GetOptions());
  SetUVFOptions(host->GetUVFOptions());
  SetRTFOptions(host->GetRTFOptions());
  SetStyle(host->GetStyle());
}

void TUVTableInplaceEdit::SetCell(Integer ARow, Integer ACol, Integer CellPadding, TUVTableItemInfo* ATable) {
  Row = ARow;
  Col = ACol;
  Table = ATable;
  Cell = ATable->GetCells(ARow, ACol);
  TableItemNo = ATable->GetItemIndex();
  SetLeftMargin(CellPadding);
  SetRightMargin(CellPadding);
  SetTopMargin(CellPadding);
  SetBottomMargin(CellPadding);
  // Unlimited undo within the cell while the host records undo at all.
  Integer limit = HostData && HostData->UndoList->GetLimit() != 0 ? -1 : 0;
  GetEditData()->UndoList->SetLimit(limit);
  GetEditData()->RedoList->SetLimit(limit);
}

void TUVTableInplaceEdit::ForwardEventsToHost() {
  OnUVMouseDown = TUVMouseEvent(this, &TUVTableInplaceEdit::ForwardMouseDown);
  OnUVMouseUp = TUVMouseEvent(this, &TUVTableInplaceEdit::ForwardMouseUp);
  OnJump = TJumpEvent(this, &TUVTableInplaceEdit::ForwardJump);
  OnUVDblClick = TUVDblClickEvent(this, &TUVTableInplaceEdit::ForwardDblClick);
  OnControlAction = TUVControlActionEvent(this, &TUVTableInplaceEdit::ForwardControlAction);
  OnMouseMove = TMouseMoveEvent(this, &TUVTableInplaceEdit::ForwardMouseMove);
  OnDragOver = TDragOverEvent(this, &TUVTableInplaceEdit::ForwardDragOver);
  OnDragDrop = TDragDropEvent(this, &TUVTableInplaceEdit::ForwardDragDrop);
}

void TUVTableInplaceEdit::PostMouseRecord(Byte Kind, TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X,
                                          Integer Y) {
  TCustomUzurUvadEdit* host = Host();
  if (!host) return;
  auto* record = new TUVMouseUpDownMessageData(Kind);
  record->Button = Button;
  record->Shift = Shift;
  record->ItemNo = ItemNo;
  record->X = X + GetLeft();
  record->Y = Y + GetTop();
  host->PostUVEvent(record);
}

void TUVTableInplaceEdit::ForwardMouseDown(TObject*, TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X,
                                           Integer Y) {
  PostMouseRecord(uvmkMouseDown, Button, Shift, ItemNo, X, Y);
}

void TUVTableInplaceEdit::ForwardMouseUp(TObject*, TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X,
                                         Integer Y) {
  PostMouseRecord(uvmkMouseUp, Button, Shift, ItemNo, X, Y);
}

void TUVTableInplaceEdit::ForwardJump(TObject*, Integer Id) {
  if (TCustomUzurUvadEdit* host = Host()) {
    auto* record = new TUVJumpMessageData();
    record->Id = Id;
    host->PostUVEvent(record);
  }
}

void TUVTableInplaceEdit::ForwardDblClick(TObject*, const AnsiString& ClickedWord, Integer Style) {
  if (TCustomUzurUvadEdit* host = Host()) {
    auto* record = new TUVDblClickMessageData();
    record->ClickedWord = ClickedWord;
    record->Style = Style;
    host->PostUVEvent(record);
  }
}

void TUVTableInplaceEdit::Click() {
  if (TCustomUzurUvadEdit* host = Host()) host->PostUVEvent(new TUVClickMessageData(uvmkClick));
}

void TUVTableInplaceEdit::ForwardControlAction(TObject*, TUVControlAction Action, Integer ItemNo, TControl*& Control) {
  if (HostData) HostData->ControlAction(Action, ItemNo, Control);
}

void TUVTableInplaceEdit::ForwardMouseMove(TObject*, TShiftState Shift, Integer X, Integer Y) {
  TCustomUzurUvadEdit* host = Host();
  if (host && host->OnMouseMove) host->OnMouseMove(host, Shift, X + GetLeft(), Y + GetTop());
}

void TUVTableInplaceEdit::ForwardDragOver(TObject*, TObject* Source, Integer X, Integer Y, TDragState State,
                                          bool& Accept) {
  TCustomUzurUvadEdit* host = Host();
  if (host && host->OnDragOver) host->OnDragOver(host, Source, X + GetLeft(), Y + GetTop(), State, Accept);
}

void TUVTableInplaceEdit::ForwardDragDrop(TObject*, TObject* Source, Integer X, Integer Y) {
  TCustomUzurUvadEdit* host = Host();
  if (host && host->OnDragDrop) host->OnDragDrop(host, Source, X + GetLeft(), Y + GetTop());
}

TCustomUzurUvadEdit* TUVTableInplaceEdit::Host() const { return dynamic_cast<TCustomUzurUvadEdit*>(GetParent()); }

void TUVTableInplaceEdit::ScrollToPosition(Integer Position, bool Redraw) {
  if (AllowScroll) VUzurUvadEdit::ScrollToPosition(Position, Redraw);
}

void TUVTableInplaceEdit::CaretLeft(TObject* /*Sender*/, TUVGetOutDirection Direction) {
  if (HandleAllocated()) ::PostMessageA(GetHandle(), WM_UVMOVETOCELL, static_cast<WPARAM>(Direction), 0);
}

void TUVTableInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool alt = Shift.Contains(ssAlt);
  if (Key == VK_TAB && !ctrl && !alt) {
    // Tab and Shift+Tab go to the next and the previous cell; the Tab character is not typed.
    FSwallowTab = true;
    if (HandleAllocated()) ::PostMessageA(GetHandle(), WM_UVMOVETOCELL, Shift.Contains(ssShift) ? 7 : 6, 0);
    Key = 0;
    return;
  }
  // Undo and redo with nothing left in the cell go to the host editor: its last action is taken
  // back once this editor has closed.
  const bool undoKeys = (Key == 'Z' && ctrl && !alt) || (Key == VK_BACK && alt);
  const bool redo = undoKeys ? Shift.Contains(ssShift) : (Key == 'Y' && ctrl && !alt && !Shift.Contains(ssShift));
  if ((undoKeys || redo) && !GetReadOnly() && !(redo ? CanRedo() : CanUndo())) {
    if (TCustomUzurUvadEdit* host = Host()) {
      Key = 0;
      if (redo)
        host->Redo();
      else
        host->Undo();
      return;
    }
  }
  VUzurUvadEdit::KeyDown(Key, Shift);
}

void TUVTableInplaceEdit::KeyPress(char& Key) {
  if (Key == '\t' && FSwallowTab) {
    FSwallowTab = false;
    Key = 0;
    return;
  }
  VUzurUvadEdit::KeyPress(Key);
}

void TUVTableInplaceEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  // A second click soon after the click that opened the editor is a double click: the first one
  // reached the table, not this window.
  bool asDouble = Button == mbLeft && ClickTime != 0 && !Shift.Contains(ssDouble) &&
                  ::GetMessageTime() - static_cast<LONG>(ClickTime) <= static_cast<LONG>(::GetDoubleClickTime());
  if (Button == mbLeft) {
    ClickTime = 0;
    MouseDownInCell = true;
    // The host scrolls while the drag goes past its edges.
    if (TCustomUzurUvadEdit* host = Host()) host->StartAutoScroll();
  }
  if (asDouble)
    DblClick();
  else
    VUzurUvadEdit::MouseDown(Button, Shift, X, Y);
}

void TUVTableInplaceEdit::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  VUzurUvadEdit::MouseMove(Shift, X, Y);
  // While text is being selected the host sees the move too: over another cell the table
  // selects cells from this one.
  TCustomUzurUvadEdit* host = Host();
  if (MouseDownInCell && Shift.Contains(ssLeft) && (GetEditData()->State & uvstSelecting) && host &&
      host->HandleAllocated())
    ::SendMessageA(host->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(X + GetLeft(), Y + GetTop()));
}

void TUVTableInplaceEdit::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  VUzurUvadEdit::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !MouseDownInCell) return;
  MouseDownInCell = false;
  if (HandleAllocated() && ::GetCapture() == GetHandle()) ::ReleaseCapture();
  TCustomUzurUvadEdit* host = Host();
  if (host) host->StopAutoScroll();
  if (host && host->HandleAllocated() && Table && Table->HasPartialSelection()) {
    // The table ends its cell selection; the host's users heard of the release from this editor.
    TUVMouseEvent saved = host->OnUVMouseUp;
    host->OnUVMouseUp = TUVMouseEvent();
    ScopeExit restore([&] { host->OnUVMouseUp = saved; });
    ::SendMessageA(host->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(X + GetLeft(), Y + GetTop()));
  }
  if (FDimmed) {
    // Cells are selected: the editor goes once this message is over.
    if (HandleAllocated()) ::PostMessageA(GetHandle(), WM_UVCLOSECELLEDITOR, 0, 0);
  } else {
    SetDimmed(false);
  }
}

void TUVTableInplaceEdit::SetDimmed(bool On) {
  if (On == FDimmed) return;
  FDimmed = On;
  TUVEditUVData* data = GetEditData();
  if (On) {
    data->State |= uvstDrawAllSelected;
    FSavedColor = GetColor();
    if (TUVStyle* style = GetStyle()) SetColor(style->SelColor);
  } else {
    data->State &= ~static_cast<Cardinal>(uvstDrawAllSelected);
    SetColor(FSavedColor);
  }
  // No caret while the whole text is shown selected.
  data->ChangeCaret(false, false, true);
  Invalidate();
}

void TUVTableInplaceEdit::CloseAfterCellSelection() {
  TWinControl* parent = GetParent();
  if (TUVTableItemInfo* table = Table) {
    Integer startRow = table->SelStartRow, startCol = table->SelStartCol;
    Integer rowOffs = table->SelRowOffs, colOffs = table->SelColOffs;
    bool cells = FDimmed && table->HasPartialSelection();
    table->DetachInplaceEditor();
    if (cells) table->Select(startRow, startCol, rowOffs, colOffs);
  }
  delete this;
  if (parent && parent->GetVisible() && parent->CanFocus()) parent->SetFocus();
}

void TUVTableInplaceEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_UVMOVETOCELL:
      Message.Result = 0;
      if (Table) Table->MoveFromCell(static_cast<Integer>(Message.WParam));
      return;
    case WM_UVCLOSECELLEDITOR:
      // The host gets the focus back.
      Message.Result = 0;
      CloseAfterCellSelection();
      return;
    case EM_UNDO:
    case EM_CANUNDO:
    case WM_UNDO:
    case EM_REDO:
    case EM_CANREDO:
      // The host answers for the cell, whose editor it asks first.
      if (TWinControl* parent = GetParent(); parent && parent->HandleAllocated()) {
        Message.Result = ::SendMessageA(parent->GetHandle(), Message.Msg, Message.WParam, Message.LParam);
        return;
      }
      break;
    default: break;
  }
  VUzurUvadEdit::Dispatch(Message);
}
