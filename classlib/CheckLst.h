// A list box with a check box on each line.
#pragma once

#include "classlib/StdCtrls.h"

// A list box whose lines each have a check box (unchecked, checked or, with AllowGrayed,
// grayed). A click on a box, or Space on the chosen line, moves it on (as a check box's click
// does) and runs OnClickCheck; a line that is not ItemEnabled cannot be changed by the user.
// Items' objects stay the program's: the check state is kept beside them.
class TCheckListBox : public TCustomListBox {
  CLASS_INFO(TCheckListBox, TCustomListBox)
public:
  explicit TCheckListBox(TComponent* AOwner);
  ~TCheckListBox() override;
  void Dispatch(TMessage& Message) override;

  bool GetChecked(Integer Index);
  void SetChecked(Integer Index, bool Value);
  TCheckBoxState GetState(Integer Index);
  void SetState(Integer Index, TCheckBoxState Value);
  bool GetItemEnabled(Integer Index);
  void SetItemEnabled(Integer Index, bool Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);

  bool AllowGrayed = false;
  TNotifyEvent OnClickCheck;

protected:
  LRESULT GetItemData(Integer Index) override;
  void SetItemData(Integer Index, LRESULT Data) override;
  void DeleteString(Integer Index) override;
  void ResetContent() override;
  void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void KeyPress(char& Key) override;
  void CreateWnd() override;
  // OnClickCheck.
  virtual void ClickCheck();

private:
  struct ItemState;
  // The state kept with a line (made when first needed), or nil.
  ItemState* State(Integer Index, bool Make);
  void ToggleClickCheck(Integer Index);
  void InvalidateCheck(Integer Index);
  Integer CheckWidth() const;
  void ResetItemHeight();

  bool FFlat = true;
};
