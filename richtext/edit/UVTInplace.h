// The editor laid over a table cell while the cell is edited in place: an editor control on the
// cell's items, placed over the cell inside the control that shows the table. Tab, Shift+Tab and
// caret moves past its text ask the table to go on to another cell or out of the table; its
// edits reach the table after every change and become one undoable change of the table when it
// closes.
#pragma once

#include "richtext/edit/UVEdit.h"

class TUVTableItemInfo;
class TUVTableCellData;

// Messages of the cell editor: move to a cell (wParam: 0 left, 1 up, 2 right, 3 down, 4 start
// of the document, 5 its end, 6 next cell, 7 previous cell), and close.
constexpr UINT WM_UVMOVETOCELL = WM_USER + 10;
constexpr UINT WM_UVCLOSECELLEDITOR = 0xB021;

class TUVTableInplaceEdit : public VUzurUvadEdit {
  CLASS_INFO(TUVTableInplaceEdit, VUzurUvadEdit)
public:
  explicit TUVTableInplaceEdit(TComponent* AOwner);

  // Takes the document's settings and style sheet.
  void SetHostData(TUVEditUVData* Data);
  // The cell edited and its padding as the editor's margins.
  void SetCell(Integer ARow, Integer ACol, Integer CellPadding, TUVTableItemInfo* ATable);
  // The editor never scrolls itself: the table places it over the whole cell.
  void ScrollToPosition(Integer Position, bool Redraw) override;
  void ScrollToHPosition(Integer) override {}
  // Hands the editor's mouse, hyperlink, double-click, drag and control events on to the host
  // editor, so that its handlers see what happens in the cell as if it happened in the host.
  void ForwardEventsToHost();
  // Shows the editor as part of the table's cell selection (its whole text drawn selected in the
  // selection colour, no caret) while a drag that started in it goes on over other cells.
  void SetDimmed(bool On);
  bool GetDimmed() const { return FDimmed; }

  TUVEditUVData* HostData = nullptr;
  TUVTableItemInfo* Table = nullptr;
  TUVTableCellData* Cell = nullptr;
  Integer Row = -1;
  Integer Col = -1;
  Integer TableItemNo = -1;
  // The message time of the click that opened the editor (a second click soon after is a
  // double click), 0 otherwise.
  DWORD ClickTime = 0;
  bool AllowScroll = false;
  // The left button went down in this editor and has not been released.
  bool MouseDownInCell = false;

protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Dispatch(TMessage& Message) override;
  void Click() override;

private:
  // The forwarders: records posted to the host (handled there once this editor's own handling
  // is over, even when that closes it) or the host's handlers called at once with the point in
  // the host's client coordinates.
  void ForwardMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X, Integer Y);
  void ForwardMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X, Integer Y);
  void PostMouseRecord(Byte Kind, TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X, Integer Y);
  void ForwardJump(TObject* Sender, Integer Id);
  void ForwardDblClick(TObject* Sender, const AnsiString& ClickedWord, Integer Style);
  void ForwardControlAction(TObject* Sender, TUVControlAction Action, Integer ItemNo, TControl*& Control);
  void ForwardMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y);
  void ForwardDragOver(TObject* Sender, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
  void ForwardDragDrop(TObject* Sender, TObject* Source, Integer X, Integer Y);
  void CaretLeft(TObject* Sender, TUVGetOutDirection Direction);
  // The host editor: the control that shows the table.
  TCustomUzurUvadEdit* Host() const;
  // Closes the editor; cells selected by a drag out of it stay selected.
  void CloseAfterCellSelection();
  bool FSwallowTab = false;
  bool FDimmed = false;
  // The colour shown before the editor was dimmed.
  TColor FSavedColor = clNone;
};
