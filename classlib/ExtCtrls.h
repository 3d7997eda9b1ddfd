// More controls: panels, bevels, images, radio groups, splitters and scroll boxes.
#pragma once

#include <vector>

#include "classlib/Forms.h"
#include "classlib/Pictures.h"
#include "classlib/StdCtrls.h"

// Draws a frame Width pixels wide inside Rect: TopColor on the top and left, BottomColor on
// the bottom and right. Rect comes back as the area inside the frame.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width);

// ---------------------------------------------------------------------------------------------
// Bevels

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };
ENUM_NAMES(TBevelShape, "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer");
ENUM_NAMES(TBevelStyle, "bsLowered", "bsRaised");

// A sunk or raised box, frame or line without a window of its own.
class TBevel : public TGraphicControl {
  CLASS_INFO(TBevel, TGraphicControl)
public:
  explicit TBevel(TComponent* AOwner);

  TBevelShape GetShape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle GetStyle() const { return FStyle; }
  void SetStyle(TBevelStyle Value);

protected:
  void Paint() override;

private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

// ---------------------------------------------------------------------------------------------
// Panels

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
ENUM_NAMES(TPanelBevel, "bvNone", "bvLowered", "bvRaised", "bvSpace");

// A container with an outer and an inner bevel, a border between them and a caption in the
// middle. Its children go inside the bevels and the border.
class TCustomPanel : public TCustomControl {
  CLASS_INFO(TCustomPanel, TCustomControl)
public:
  explicit TCustomPanel(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TPanelBevel GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  Integer GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(Integer Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

protected:
  void AdjustClientRect(TRect& Rect) override;
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

private:
  void CMTextChanged(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);

  TAlignment FAlignment = taCenter;
  TPanelBevel FBevelInner = bvNone;
  TPanelBevel FBevelOuter = bvRaised;
  Integer FBevelWidth = 1;
  TBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
  CLASS_INFO(TPanel, TCustomPanel)
public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Images

// Shows a picture: at its size in the top left corner, centred, stretched to the control, or
// (Proportional) made as large as fits without changing its shape. AutoSize makes the control
// the picture's size.
class TImage : public TGraphicControl {
  CLASS_INFO(TImage, TGraphicControl)
public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  TPicture* GetPicture() const { return FPicture; }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool Value);
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool GetProportional() const { return FProportional; }
  void SetProportional(bool Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  void SetAutoSize(bool Value) override;
  // Where the picture is drawn in the control.
  TRect DestRect();

protected:
  void Paint() override;
  bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;

private:
  void PictureChanged(TObject* Sender);

  TPicture* FPicture;
  bool FCenter = false;
  bool FStretch = false;
  bool FProportional = false;
  bool FTransparent = false;
};

// ---------------------------------------------------------------------------------------------
// Radio groups

class TRadioGroupButton;

// A group box of radio buttons, one per line of Items, set out in Columns columns. ItemIndex
// is the checked line (-1 for none); checking one by a click or in code runs OnClick.
class TCustomRadioGroup : public TCustomGroupBox {
  CLASS_INFO(TCustomRadioGroup, TCustomGroupBox)
public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;
  void Dispatch(TMessage& Message) override;

  TStrings* GetItems() const { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  Integer GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer Value);
  Integer GetColumns() const { return FColumns; }
  void SetColumns(Integer Value);
  // The radio button of a line.
  TRadioButton* GetButton(Integer Index) const;

protected:
  void Loaded() override;
  void ReadState(TReader* Reader) override;
  void Resize() override;
  // Whether the user may change the choice now; descendants may refuse.
  virtual bool CanModify() { return true; }

private:
  friend class TRadioGroupButton;
  void ArrangeButtons();
  void ButtonClick(TRadioGroupButton* Sender);
  void ItemsChange(TObject* Sender);
  void SetButtonCount(Integer Value);
  void UpdateButtons();
  void CMEnabledChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);

  std::vector<TRadioGroupButton*> FButtons;
  TStringList* FItems;
  Integer FItemIndex = -1;
  Integer FColumns = 1;
  bool FReading = false;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
  CLASS_INFO(TRadioGroup, TCustomRadioGroup)
public:
  explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Splitters

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
using TCanResizeSplitterEvent = Closure<void(TObject* Sender, Integer& NewSize, bool& Accept)>;

// A bar between a control aligned to an edge and the rest of its parent; dragging it sizes the
// control (not below MinSize, and leaving the others MinSize). With rsUpdate the control
// follows the mouse, with rsLine or rsPattern a line shows where it will end.
class TSplitter : public TGraphicControl {
  CLASS_INFO(TSplitter, TGraphicControl)
public:
  explicit TSplitter(TComponent* AOwner);
  ~TSplitter() override;

  Integer GetMinSize() const { return FMinSize; }
  void SetMinSize(Integer Value) { FMinSize = std::max(Value, 1); }
  // With AutoSnap, a control dragged smaller than MinSize closes (its size becomes 0).
  bool AutoSnap = true;
  bool Beveled = false;
  TResizeStyle ResizeStyle = rsPattern;
  TCanResizeSplitterEvent OnCanResize;
  TNotifyEvent OnMoved;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  bool DoCanResize(Integer& NewSize);
  // Keeps the cursor a splitter's for the edge it is aligned to.
  void RequestAlign() override;

private:
  // The control the splitter sizes: the one aligned to the same edge right before it.
  TControl* FindControl();
  void CalcSplitSize(Integer X, Integer Y, Integer& NewSize, Integer& Split);
  void UpdateSize(Integer X, Integer Y);
  void UpdateControlSize();
  void AllocateLineDC();
  void DrawLine();
  void ReleaseLineDC();
  void StopSizing();

  TControl* FControl = nullptr;
  TPoint FDownPos;
  Integer FMinSize = 30;
  Integer FMaxSize = 0;
  Integer FNewSize = 0;
  Integer FOldSize = -1;
  Integer FSplit = 0;
  HWND FLineWnd = nullptr;
  HDC FLineDC = nullptr;
  bool FLineVisible = false;
  HBRUSH FBrush = nullptr;
  HBRUSH FPrevBrush = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Scroll boxes

// A bordered area whose controls may reach beyond it; scroll bars appear as they are needed.
class TScrollBox : public TScrollingWinControl {
  CLASS_INFO(TScrollBox, TScrollingWinControl)
public:
  explicit TScrollBox(TComponent* AOwner);

  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  TBorderStyle FBorderStyle = bsSingle;
};
