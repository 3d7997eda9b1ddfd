// The standard controls: labels, edits and memos, buttons, check boxes and radio buttons,
// group boxes, list boxes and combo boxes.
//
// Except for the label and the group box, which paint themselves, each control's window is
// the system's own control ("EDIT", "BUTTON", "LISTBOX", "COMBOBOX"), so that other programs
// and the system's accessibility see the real thing. The items of list and combo boxes are
// kept by their windows; while a control has no window (before it is shown, or while its
// window is made again after a style change) they are kept by the control.
#pragma once

#include "classlib/Controls.h"
#include "classlib/StringLists.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter");
ENUM_NAMES(TTextLayout, "tlTop", "tlCenter", "tlBottom");
ENUM_NAMES(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth");
ENUM_NAMES(TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase");

// What an owner-drawn item looks like right now (ODS_ flags).
enum TOwnerDrawStateItem {
  odSelected,
  odGrayed,
  odDisabled,
  odChecked,
  odFocused,
  odDefault,
  odHotLight,
  odInactive,
  odNoAccel,
  odNoFocusRect,
  odReserved1,
  odReserved2,
  odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

// The owner-draw state of a DRAWITEMSTRUCT's itemState.
TOwnerDrawState OwnerDrawState(UINT ItemState);

// Whether the character VK is the accelerator of the caption Str (the letter after "&"),
// compared without regard to letter case.
bool IsAccel(Word VK, const AnsiString& Str);

// The window styles of a control's border: none, a sunken edge (Ctl3D) or a line.
void AddBorderStyle(TCreateParams& Params, TBorderStyle Style, bool Ctl3D);

// A canvas drawing on a device context it was given (owner drawing), for the lifetime of this
// object: locked, and let go of the context afterwards.
class CanvasOnDC {
public:
  CanvasOnDC(TCanvas* canvas, HDC dc) : canvas_(canvas) {
    canvas_->Lock();
    canvas_->SetHandle(dc);
  }
  ~CanvasOnDC() {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
  }
  CanvasOnDC(const CanvasOnDC&) = delete;
  CanvasOnDC& operator=(const CanvasOnDC&) = delete;

private:
  TCanvas* canvas_;
};

using TDrawItemEvent = Closure<void(TWinControl* Control, Integer Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = Closure<void(TWinControl* Control, Integer Index, Integer& Height)>;

// ---------------------------------------------------------------------------------------------
// Labels

// A text on its parent without a window of its own. An "&" before a letter underlines it and
// makes Alt with the letter move the focus to FocusControl ("&&" shows one "&"); AutoSize
// makes the label as large as its text (as tall as the wrapped text with WordWrap).
class TCustomLabel : public TGraphicControl {
  CLASS_INFO(TCustomLabel, TGraphicControl)
public:
  explicit TCustomLabel(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  void SetAutoSize(bool Value) override;
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  bool GetTransparent() const { return !ControlStyle.Contains(csOpaque); }
  void SetTransparent(bool Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void Paint() override;
  void Loaded() override;
  // Makes the label as large as its text (AutoSize), keeping the side its alignment holds.
  virtual void AdjustBounds();
  // Draws (or with DT_CALCRECT in Flags, measures) the caption in Rect.
  virtual void DoDrawText(TRect& Rect, UINT Flags);
  // The caption as drawn: a single blank for an empty caption being measured, so that an
  // empty auto-sized label keeps the height of a line.
  virtual AnsiString GetLabelText();

private:
  void CMTextChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMDialogChar(TMessage& Message);

  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  TWinControl* FFocusControl = nullptr;
  bool FShowAccelChar = true;
  bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
  CLASS_INFO(TLabel, TCustomLabel)
public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Edits and memos

// A control over the system's edit window.
class TCustomEdit : public TWinControl {
  CLASS_INFO(TCustomEdit, TWinControl)
public:
  explicit TCustomEdit(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  void Clear();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  void ClearUndo();
  bool GetCanUndo();
  void SelectAll();

  // The selection in characters from the start of the text.
  Integer GetSelStart();
  void SetSelStart(Integer Value);
  Integer GetSelLength();
  void SetSelLength(Integer Value);
  AnsiString GetSelText();
  // Replaces the selection (which the user can undo).
  void SetSelText(const AnsiString& Value);

  // Whether the user changed the text since it was set (or Modified was cleared).
  bool GetModified();
  void SetModified(bool Value);
  // The most characters the user can type; 0 for no limit.
  Integer GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);
  void SetAutoSize(bool Value) override;

  // Whether the whole text is selected when the control gets the focus by the keyboard.
  bool AutoSelect = true;
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandleDone() override;
  void DestroyWnd() override;
  // OnChange.
  virtual void Change();
  void AdjustHeight();

  bool FMultiLine = false;

private:
  void CNCommand(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMEnter(TMessage& Message);
  void WMContextMenu(TMessage& Message);

  Integer FMaxLength = 0;
  bool FReadOnly = false;
  TBorderStyle FBorderStyle = bsSingle;
  TEditCharCase FCharCase = ecNormal;
  bool FHideSelection = true;
  char FPasswordChar = '\0';
  bool FModified = false;
  bool FCreating = false;
};

class TEdit : public TCustomEdit {
  CLASS_INFO(TEdit, TCustomEdit)
public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// A multi-line edit. Lines are the lines of the text as typed (ended by line breaks), also
// where WordWrap shows a long line on several rows.
class TCustomMemo : public TCustomEdit {
  CLASS_INFO(TCustomMemo, TCustomEdit)
public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;
  void Dispatch(TMessage& Message) override;

  TStrings* GetLines() const { return FLines; }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value);
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  // The caret's line and column (from 0) in the rows shown.
  TPoint GetCaretPos();

protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyPress(char& Key) override;

private:
  void WMGetDlgCode(TMessage& Message);

  TStrings* FLines;
  TAlignment FAlignment = taLeftJustify;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
  CLASS_INFO(TMemo, TCustomMemo)
public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Buttons, check boxes and radio buttons

// The base of the controls over the system's button window.
class TButtonControl : public TWinControl {
  CLASS_INFO(TButtonControl, TWinControl)
public:
  explicit TButtonControl(TComponent* AOwner);

  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

protected:
  void CreateParams(TCreateParams& Params) override;
  // The checked state, for the check box and the radio button.
  virtual bool GetChecked() { return false; }
  virtual void SetChecked(bool) {}
  // While set, changing the state in code does not run OnClick.
  bool FClicksDisabled = false;

private:
  bool FWordWrap = false;
};

// A push button. Enter clicks the Default button (unless the focused control is another
// button), Escape the Cancel button; a click sets the form's ModalResult to the button's.
class TButton : public TButtonControl {
  CLASS_INFO(TButton, TButtonControl)
public:
  explicit TButton(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  void Click() override;

  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }

  TModalResult ModalResult = mrNone;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandleDone() override;
  // Shows the button as the default button (the one Enter clicks) or not; an owner-drawn
  // descendant draws that look itself.
  virtual void SetButtonStyle(bool ADefault);

private:
  void CNCommand(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMFocusChanged(TMessage& Message);

  bool FDefault = false;
  bool FCancel = false;
  bool FActive = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
ENUM_NAMES(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed");

// A check box. Clicking it, or setting Checked or State in code, runs OnClick when the state
// changes; with AllowGrayed a click goes from unchecked to grayed to checked.
class TCustomCheckBox : public TButtonControl {
  CLASS_INFO(TCustomCheckBox, TButtonControl)
public:
  explicit TCustomCheckBox(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  bool GetChecked() override { return FState == cbChecked; }
  void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState GetState() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  // Where the caption is: taLeftJustify puts it left of the box, taRightJustify right of it.
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandleDone() override;
  // The next state after a click.
  virtual void Toggle();

private:
  void CNCommand(TMessage& Message);
  void CMDialogChar(TMessage& Message);

  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  CLASS_INFO(TCheckBox, TCustomCheckBox)
public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

// A radio button: checking it unchecks the radio buttons beside it (with the same parent).
// Checking it by a click or in code runs OnClick.
class TRadioButton : public TButtonControl {
  CLASS_INFO(TRadioButton, TButtonControl)
public:
  explicit TRadioButton(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  bool GetChecked() override { return FChecked; }
  void SetChecked(bool Value) override;
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandleDone() override;

private:
  void CNCommand(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void WMSetFocus(TMessage& Message);

  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};

// ---------------------------------------------------------------------------------------------
// Group boxes

// A frame with a caption around other controls; it paints itself.
class TCustomGroupBox : public TCustomControl {
  CLASS_INFO(TCustomGroupBox, TCustomControl)
public:
  explicit TCustomGroupBox(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

protected:
  void AdjustClientRect(TRect& Rect) override;
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

private:
  void CMDialogChar(TMessage& Message);
  void CMTextChanged(TMessage& Message);
};

class TGroupBox : public TCustomGroupBox {
  CLASS_INFO(TGroupBox, TCustomGroupBox)
public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// List boxes

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
ENUM_NAMES(TListBoxStyle, "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable");

class TListBoxStrings;

// A control over the system's list box. Items are the box's lines with their objects.
class TCustomListBox : public TWinControl {
  CLASS_INFO(TCustomListBox, TWinControl)
public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;
  void Dispatch(TMessage& Message) override;

  void Clear();
  // The item at a point of the client area; -1 when there is none (with Existing) or the
  // item the point is nearest to (without).
  Integer ItemAtPos(const TPoint& Pos, bool Existing);
  TRect ItemRect(Integer Index);

  TStrings* GetItems() const { return FItems; }
  void SetItems(TStrings* Value);
  // The selected line (in a multi-select box, the line with the focus rectangle); -1 for none.
  Integer GetItemIndex();
  void SetItemIndex(Integer Value);
  bool GetSelected(Integer Index);
  void SetSelected(Integer Index, bool Value);
  Integer GetSelCount();
  Integer GetTopIndex();
  void SetTopIndex(Integer Value);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  // With MultiSelect: Shift and Ctrl select ranges (true) or each click toggles a line.
  bool GetExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  // The number of columns shown side by side (the box then scrolls sideways); 0 for one.
  Integer GetColumns() const { return FColumns; }
  void SetColumns(Integer Value);
  // The width in pixels that the box can be scrolled across (its horizontal extent); a
  // horizontal scroll bar appears while it is wider than the box.
  Integer GetScrollWidth();
  void SetScrollWidth(Integer Value);
  TListBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  Integer GetItemHeight();
  void SetItemHeight(Integer Value);
  bool GetIntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // The distance between tab positions in dialog units; 0 shows tabs as blanks.
  Integer GetTabWidth() const { return FTabWidth; }
  void SetTabWidth(Integer Value);
  // The canvas of owner drawing, set up for the item being drawn.
  TCanvas* GetCanvas() const { return FCanvas; }

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandleDone() override;
  void DestroyWnd() override;
  // Draws an owner-drawn item: OnDrawItem, or the item's text on the selection colours.
  virtual void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(Integer Index, Integer& Height);
  // The data kept with an item, as the window keeps it, and as Items' objects see it (a
  // descendant may keep more with each item, such as a check mark).
  virtual LRESULT InternalGetItemData(Integer Index);
  virtual void InternalSetItemData(Integer Index, LRESULT Data);
  virtual LRESULT GetItemData(Integer Index) { return InternalGetItemData(Index); }
  virtual void SetItemData(Integer Index, LRESULT Data) { InternalSetItemData(Index, Data); }
  // Removes one item, or all of them, from the window.
  virtual void DeleteString(Integer Index);
  virtual void ResetContent();

  // The box's lines: the window's while it has one, else kept by the object.
  TStrings* FItems;

private:
  friend class TListBoxStrings;
  friend class TNativeListStrings;
  void CNCommand(TMessage& Message);
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  void WMSize(TMessage& Message);
  void SetColumnWidth();

  TCanvas* FCanvas;
  TListBoxStyle FStyle = lbStandard;
  Integer FItemHeight = 16;
  Integer FColumns = 0;
  Integer FScrollWidth = 0;
  Integer FTabWidth = 0;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  bool FSorted = false;
  bool FIntegralHeight = false;
  TBorderStyle FBorderStyle = bsSingle;
  // Kept while the box has no window.
  Integer FSavedIndex = -1;
  Integer FSavedTop = 0;
  std::vector<bool> FSavedSelection;
};

class TListBox : public TCustomListBox {
  CLASS_INFO(TListBox, TCustomListBox)
public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Combo boxes

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
ENUM_NAMES(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable");

class TComboBoxStrings;

// A control over the system's combo box. csDropDownList offers only the items; the other
// styles also let the user type.
//
// Choosing an item (with the mouse or the arrow keys) sets the text, runs OnClick and then
// OnSelect (OnChange when there is no OnSelect); typing runs OnChange.
class TCustomComboBox : public TWinControl {
  CLASS_INFO(TCustomComboBox, TWinControl)
public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;
  void Dispatch(TMessage& Message) override;

  void Clear();
  void SelectAll();

  TStrings* GetItems() const { return FItems; }
  void SetItems(TStrings* Value);
  Integer GetItemIndex();
  void SetItemIndex(Integer Value);
  TComboBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  // The number of items the list shows without scrolling.
  Integer GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer Value);
  bool GetDroppedDown();
  void SetDroppedDown(bool Value);
  Integer GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value);
  Integer GetItemHeight();
  void SetItemHeight(Integer Value);
  Integer GetSelStart();
  void SetSelStart(Integer Value);
  Integer GetSelLength();
  void SetSelLength(Integer Value);
  TCanvas* GetCanvas() const { return FCanvas; }

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void CreateWindowHandleDone() override;
  void DestroyWnd() override;
  virtual void Change();
  virtual void Select();
  virtual void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(Integer Index, Integer& Height);
  // Sizes the list that drops down for DropDownCount items.
  void AdjustDropDown();

  TStrings* FItems;

private:
  friend class TComboBoxStrings;
  friend class TNativeListStrings;
  void CNCommand(TMessage& Message);
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);

  TCanvas* FCanvas;
  TComboBoxStyle FStyle = csDropDown;
  bool FSorted = false;
  Integer FDropDownCount = 8;
  Integer FMaxLength = 0;
  Integer FItemHeight = 16;
  Integer FSavedIndex = -1;
};

class TComboBox : public TCustomComboBox {
  CLASS_INFO(TComboBox, TCustomComboBox)
public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
