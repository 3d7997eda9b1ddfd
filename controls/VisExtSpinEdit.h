// Spin edits: TVisSpinButton is a windowless strip of up to four arrow buttons that click again
// while held; TVisCustomExtSpinEdit is the mask edit in a numeric mode with such a strip at its
// right edge, stepping its number by the buttons and the Up, Down, Page Up and Page Down keys;
// TVisExtSpinEdit publishes it for forms (the print settings' margins, the tools' number fields).
#pragma once

#include "controls/VisCustomMaskEdit.h"
#include "controls/VisGraphicControl.h"

enum TVisSingleSpinButton { sbUp, sbDown, sbLeft, sbRight };
ENUM_NAMES(TVisSingleSpinButton, "sbUp", "sbDown", "sbLeft", "sbRight");
using TVisSpinButtons = TSet<TVisSingleSpinButton>;

class TVisSpinButton : public TVisGraphicControl {
  CLASS_INFO(TVisSpinButton, TVisGraphicControl)
public:
  // The layout number of every exact set of buttons (1 to 15); 0 for the empty set.
  static Byte LayoutOf(TVisSpinButtons Buttons);

  // 20 by 20 pixels, the up button only, drawn with the visual styles when they are in use.
  explicit TVisSpinButton(TComponent* AOwner);
  ~TVisSpinButton() override;
  void Dispatch(TMessage& Message) override;

  TVisSpinButtons GetSpinButtons() const { return FSpinButtons; }
  // An empty set keeps the layout it had.
  void SetSpinButtons(TVisSpinButtons Value);
  Byte GetLayout() const { return FLayout; }
  // 0: the arrows are drawn with the styles' "SPIN" class, 1: with "SCROLLBAR".
  Byte GetThemeClass() const { return FThemeClass; }
  void SetThemeClass(Byte Value);
  bool GetDiagonalSplit() const { return FDiagonal; }
  void SetDiagonalSplit(bool Value);
  TVisBorderStyle GetFrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TVisBorderStyle Value);
  Word GetRepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(Word Value) { FRepeatInterval = Value; }
  // The state of a button: 0 normal, 1 hot, 2 pressed, 3 disabled.
  Byte GetState(TVisSingleSpinButton Button) const { return FStates[Index(Button)]; }
  // Whether a point of the client area lies on the button.
  bool HitButton(TVisSingleSpinButton Button, Integer X, Integer Y) const;
  // The mouse stands at (X, Y) (at (-1, -1): away): every state follows; repaints on a change.
  void MouseAt(TShiftState Shift, Integer X, Integer Y);
  // Whether the repeat timer runs.
  bool Repeating() const { return FRepeatTimer != 0; }

  TNotifyEvent OnLeftClick;
  TNotifyEvent OnRightClick;
  TNotifyEvent OnTopClick;
  TNotifyEvent OnBottomClick;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void BoundsChanged(Integer Changes) override;

private:
  // Slots of the states and regions: up, down, right, left.
  static int Index(TVisSingleSpinButton Button);
  bool ThemedLook();
  void UpdateGeometry();
  void BuildFaces();
  void FreeRegions();
  bool HitTest(TVisSingleSpinButton Button, Integer X, Integer Y, bool Held);
  void Fire(TVisSingleSpinButton Button);
  void RepeatTick(TObject* Sender);
  void StopRepeat();
  void SetAllStates(Byte State);
  void Changed();

  Word FRepeatTimer = 0;
  TBitmap* FFaces;
  bool FFacesValid = false;
  bool FPressed = false;
  Byte FThemeClass = 0;
  bool FDiagonal = true;
  TVisSpinButtons FSpinButtons{sbUp};
  Byte FLayout = 1;
  TVisBorderStyle FFrameStyle = lsSingleRaised;
  Byte FStates[4] = {0, 0, 0, 0};
  HRGN FRegions[4] = {nullptr, nullptr, nullptr, nullptr};
  TRect FAreas[4];
  Word FRepeatInterval = 100;
};

class TVisCustomExtSpinEdit : public TVisCustomMaskEdit {
  CLASS_INFO(TVisCustomExtSpinEdit, TVisCustomMaskEdit)
public:
  // The integer mode, steps 1 and 10 (0.1 after the decimal separator), the range 0 to 100, the
  // up and down buttons at the right edge.
  explicit TVisCustomExtSpinEdit(TComponent* AOwner);
  ~TVisCustomExtSpinEdit() override;
  void Dispatch(TMessage& Message) override;
  // The mode follows EditType; the integer mode takes a whole minimum; the buttons are opaque
  // and enabled as the edit is.
  void Loaded() override;
  // The spin button is the edit's own and is not written with it.
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  // The buttons follow the visual styles' switch.
  void GetChange(TObject* Sender) override;
  // The button strip at the right edge of the text area.
  void AdjustTextRect(TRect& Rect) override;
  // Not while EditorEnabled is off.
  bool CanModify() override;
  void MouseExit() override;

  // Stored within the range and shown; a value equal to the stored one changes nothing.
  double GetValue() const { return FValue; }
  void SetValue(double Value);
  TVisNumberType GetEditType() const { return FEditType; }
  void SetEditType(TVisNumberType Value);
  Integer GetSpinBtnWidth() const { return FSpinBtnWidth; }
  void SetSpinBtnWidth(Integer Value);
  double GetStep() const { return FStep; }
  void SetStep(double Value) { FStep = Value; }
  double GetLargeStep() const { return FLargeStep; }
  void SetLargeStep(double Value) { FLargeStep = Value; }
  double GetFractionStep() const { return FFractionStep; }
  void SetFractionStep(double Value) { FFractionStep = Value; }
  bool GetEditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  void SetDecimals(Integer Value) override;
  TVisSpinButton* GetSpinButton() const { return FSpinButton; }

  // The text's number stepped up or down by Step (with the caret after the decimal separator, by
  // FractionStep), held to the range; Value follows when the focus leaves.
  void StepUp(double Step);
  void StepDown(double Step);
  // Value in the form of EditType.
  AnsiString FormatValue(double Value) const;

protected:
  void EditKeyDown(Word& Key) override;
  void DoFocusLoss() override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;

private:
  void StepUpClick(TObject* Sender);
  void StepDownClick(TObject* Sender);
  void Step(double Amount, bool Up);

  TVisSpinButton* FSpinButton;
  Integer FSpinBtnWidth = -1;
  double FStep = 1.0;
  double FLargeStep = 10.0;
  double FFractionStep = 0.1;
  bool FEditorEnabled = true;
  TVisNumberType FEditType = ntInteger;
  double FValue = 0.0;
};

class TVisExtSpinEdit : public TVisCustomExtSpinEdit {
  CLASS_INFO(TVisExtSpinEdit, TVisCustomExtSpinEdit)
public:
  explicit TVisExtSpinEdit(TComponent* AOwner) : TVisCustomExtSpinEdit(AOwner) {}
};

namespace visextspinedit_detail {
// Makes the spin edit and the spin button known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace visextspinedit_detail
