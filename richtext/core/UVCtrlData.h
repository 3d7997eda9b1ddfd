// The document of a control shown in a window: the keyboard focus among its hyperlinks and the
// controls placed in it, moved with Tab and Shift+Tab, the focus rectangle around a focused
// hyperlink, and the double-buffered paint that keeps that rectangle right. The viewer's
// document derives from it.
#pragma once

#include "richtext/core/CUVFData.h"

class TUVControlData : public TCustomUVFormattedData {
  CLASS_INFO(TUVControlData, TCustomUVFormattedData)
public:
  TUVControlData() = default;

  // Moves the document focus to the next (previous) hyperlink or control, or out of the control
  // to the next control of the form when there is none. FromControl is the window that lost the
  // focus (none when the focus came from no window); the control itself when Tab was pressed in
  // it.
  void DoTabNavigation(bool Backwards, TWinControl* FromControl);
  // Enter on the focused item: a hyperlink fires the jump event.
  void ExecuteFocused();
  // Draws the focus rectangle around a focused hyperlink by XOR: a second call removes it.
  void DrawFocusRect(TCanvas* Canvas);
  // The focus rectangle off, the buffered paint, the focus rectangle on.
  void PaintBuffered(TCanvas* Canvas, const TRect& ClipRect) override;
  // Gives item ItemNo of Data (a nested document or this one) the document focus, or nobody
  // (Data none, ItemNo -1); the focus rectangle is moved on the control's canvas.
  void SetFocusedItem(TCustomUVFormattedData* Data, Integer ItemNo);
  // The next control after Start in Parent's Tab order (cyclic) that is not the owner control
  // or inside it, can take the focus and is a tab stop; none after a full cycle.
  TWinControl* FindNextControl(TWinControl* Parent, TWinControl* Start, bool Forward);
  TCustomUVFormattedData* GetFocusedItemData() const { return FFocusedItemData; }
  bool HasFocusedItem() const { return FFocusedItemData && FFocusedItemData->FocusedItemNo >= 0; }

  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseFocusItem(TCustomUVFormattedData* Data, Integer ItemNo) override;
  void ClearFormattingData() override;
  void Deselect(TCustomUVItemInfo* NewPartiallySelected, bool MakeEvent) override;

  TUVTabNavigationType TabNavigation = uvtnTab;

private:
  // The item where a search for the next focusable item starts: the focused one, or the item of
  // this document that holds a focused item of a nested document.
  Integer FocusStart();
  void ShowFocusedItem();

  TCustomUVFormattedData* FFocusedItemData = nullptr;
};
