// The common controls of the system: list views, status bars, progress bars, track bars,
// up-down buttons and page controls with their tab sheets.
#pragma once

#include <vector>

#include "classlib/Controls.h"
#include "classlib/ImgList.h"
#include "classlib/StdCtrls.h"

// Registers the window classes of the system's common controls (once per process).
void InitCommonControlClasses();

// ---------------------------------------------------------------------------------------------
// Status bars

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
ENUM_NAMES(TStatusPanelStyle, "psText", "psOwnerDraw");
ENUM_NAMES(TStatusPanelBevel, "pbNone", "pbLowered", "pbRaised");

class TStatusBar;

// One part of a status bar: its text, width in pixels (the last panel takes the rest of the
// bar), alignment and bevel.
class TStatusPanel : public TCollectionItem {
  CLASS_INFO(TStatusPanel, TCollectionItem)
public:
  explicit TStatusPanel(TCollection* Collection);
  void Assign(TPersistent* Source) override;
  AnsiString GetDisplayName() override;

  const AnsiString& GetText() const { return FText; }
  void SetText(const AnsiString& Value);
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TStatusPanelBevel GetBevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel Value);
  TStatusPanelStyle GetStyle() const { return FStyle; }
  void SetStyle(TStatusPanelStyle Value);

private:
  AnsiString FText;
  Integer FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;
  TStatusPanelStyle FStyle = psText;
};

class TStatusPanels : public TCollection {
  CLASS_INFO(TStatusPanels, TCollection)
public:
  explicit TStatusPanels(TStatusBar* StatusBar);
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
  TStatusPanel* GetItems(Integer Index) const { return static_cast<TStatusPanel*>(TCollection::GetItems(Index)); }
  TStatusPanel* operator[](Integer Index) const { return GetItems(Index); }
  TPersistent* GetOwner() const override;

protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
  friend class TStatusPanel;
  TStatusBar* FStatusBar;
  // A panel being made: the collection hears of it before its own constructor has run.
  TCollectionItem* FAdding = nullptr;
};

using TDrawPanelEvent = Closure<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

// The system's status bar, aligned to the bottom of its parent: its Panels, or one simple
// text while SimplePanel is set.
class TStatusBar : public TWinControl {
  CLASS_INFO(TStatusBar, TWinControl)
public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;
  void Dispatch(TMessage& Message) override;

  TStatusPanels* GetPanels() const { return FPanels; }
  void SetPanels(TStatusPanels* Value) { FPanels->Assign(Value); }
  bool GetSimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  const AnsiString& GetSimpleText() const { return FSimpleText; }
  void SetSimpleText(const AnsiString& Value);
  bool GetSizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  // The canvas of owner-drawn panels while OnDrawPanel runs.
  TCanvas* GetCanvas() const { return FCanvas; }

  TDrawPanelEvent OnDrawPanel;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandleDone() override;
  virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);

private:
  friend class TStatusPanels;
  friend class TStatusPanel;
  bool ShowsSizeGrip();
  void SetParts();
  void UpdatePanel(Integer Index);
  void UpdatePanels();
  void CNDrawItem(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);

  TStatusPanels* FPanels;
  TCanvas* FCanvas;
  AnsiString FSimpleText;
  bool FSimplePanel = false;
  bool FSizeGrip = true;
};

// ---------------------------------------------------------------------------------------------
// Progress bars, track bars and up-down buttons

enum TProgressBarOrientation { pbHorizontal, pbVertical };

// The system's progress bar: Position between Min and Max.
class TProgressBar : public TWinControl {
  CLASS_INFO(TProgressBar, TWinControl)
public:
  explicit TProgressBar(TComponent* AOwner);

  Integer GetMin() const { return FMin; }
  void SetMin(Integer Value);
  Integer GetMax() const { return FMax; }
  void SetMax(Integer Value);
  Integer GetPosition();
  void SetPosition(Integer Value);
  Integer GetStep() const { return FStep; }
  void SetStep(Integer Value);
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  TProgressBarOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TProgressBarOrientation Value);
  // Advances the position by Step (or Delta), staying within Min and Max.
  void StepIt();
  void StepBy(Integer Delta);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandleDone() override;
  void DestroyWnd() override;

private:
  Integer FMin = 0;
  Integer FMax = 100;
  Integer FPosition = 0;
  Integer FStep = 10;
  bool FSmooth = false;
  TProgressBarOrientation FOrientation = pbHorizontal;
};

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };
ENUM_NAMES(TTrackBarOrientation, "trHorizontal", "trVertical");
ENUM_NAMES(TTickMark, "tmBottomRight", "tmTopLeft", "tmBoth");
ENUM_NAMES(TTickStyle, "tsNone", "tsAuto", "tsManual");

// The system's track bar: a slider on positions Min to Max. Moving it, by the mouse, the keys
// or in code, runs OnChange.
class TTrackBar : public TWinControl {
  CLASS_INFO(TTrackBar, TWinControl)
public:
  explicit TTrackBar(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  Integer GetMin() const { return FMin; }
  void SetMin(Integer Value);
  Integer GetMax() const { return FMax; }
  void SetMax(Integer Value);
  Integer GetPosition();
  void SetPosition(Integer Value);
  Integer GetFrequency() const { return FFrequency; }
  void SetFrequency(Integer Value);
  Integer GetLineSize() const { return FLineSize; }
  void SetLineSize(Integer Value);
  Integer GetPageSize() const { return FPageSize; }
  void SetPageSize(Integer Value);
  TTrackBarOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation Value);
  TTickMark GetTickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMark Value);
  TTickStyle GetTickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle Value);
  // A tick at a position, for tsManual.
  void SetTick(Integer Value);

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandleDone() override;
  void DestroyWnd() override;
  virtual void Changed();

private:
  void CNScroll(TMessage& Message);

  Integer FMin = 0;
  Integer FMax = 10;
  Integer FPosition = 0;
  Integer FFrequency = 1;
  Integer FLineSize = 1;
  Integer FPageSize = 2;
  TTrackBarOrientation FOrientation = trHorizontal;
  TTickMark FTickMarks = tmBottomRight;
  TTickStyle FTickStyle = tsAuto;
  std::vector<Integer> FTicks;
};

enum TUDAlignButton { udLeft, udRight };
ENUM_NAMES(TUDAlignButton, "udLeft", "udRight");
enum TUDOrientation { udHorizontal, udVertical };
ENUM_NAMES(TUDOrientation, "udHorizontal", "udVertical");
enum TUDBtnType { btNext, btPrev };
using TUDClickEvent = Closure<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = Closure<void(TObject* Sender, bool& AllowChange)>;

// The system's up-down buttons. With an Associate, they sit at its side and show their
// Position in it; Increment is the step of a click (or an arrow key, with ArrowKeys).
class TUpDown : public TWinControl {
  CLASS_INFO(TUpDown, TWinControl)
public:
  explicit TUpDown(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TWinControl* GetAssociate() const { return FAssociate; }
  void SetAssociate(TWinControl* Value);
  TUDAlignButton GetAlignButton() const { return FAlignButton; }
  void SetAlignButton(TUDAlignButton Value);
  Integer GetMin() const { return FMin; }
  void SetMin(Integer Value);
  Integer GetMax() const { return FMax; }
  void SetMax(Integer Value);
  Integer GetPosition();
  void SetPosition(Integer Value);
  Integer GetIncrement() const { return FIncrement; }
  void SetIncrement(Integer Value);
  TUDOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation Value);
  bool GetWrap() const { return FWrap; }
  void SetWrap(bool Value);
  bool GetArrowKeys() const { return FArrowKeys; }
  void SetArrowKeys(bool Value);
  bool GetThousands() const { return FThousands; }
  void SetThousands(bool Value);

  TUDClickEvent OnClick;
  TUDChangingEvent OnChanging;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandleDone() override;
  void DestroyWnd() override;
  virtual bool CanChange();
  virtual void Click(TUDBtnType Button);

private:
  void CNNotify(TMessage& Message);
  void CNScroll(TMessage& Message);
  void SetRange();

  TWinControl* FAssociate = nullptr;
  TUDAlignButton FAlignButton = udRight;
  TUDOrientation FOrientation = udVertical;
  Integer FMin = 0;
  Integer FMax = 100;
  Integer FPosition = 0;
  Integer FIncrement = 1;
  bool FWrap = false;
  bool FArrowKeys = true;
  bool FThousands = true;
};

// ---------------------------------------------------------------------------------------------
// Page controls

class TPageControl;

// A page of a page control: a container shown while its tab is the chosen one.
class TTabSheet : public TWinControl {
  CLASS_INFO(TTabSheet, TWinControl)
public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  void Dispatch(TMessage& Message) override;

  TPageControl* GetPageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* Value);
  // The place among the page control's pages (and tabs).
  Integer GetPageIndex() const;
  void SetPageIndex(Integer Value);
  // The index of the sheet's tab among the shown tabs; -1 while the tab is hidden.
  Integer GetTabIndex() const;
  bool GetTabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

protected:
  void CreateParams(TCreateParams& Params) override;
  void ReadState(TReader* Reader) override;
  virtual void DoShow();
  virtual void DoHide();

private:
  friend class TPageControl;
  void CMTextChanged(TMessage& Message);
  void CMShowingChanged(TMessage& Message);

  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  bool FTabShowing = false;
  Integer FImageIndex = -1;
};

using TTabChangingEvent = Closure<void(TObject* Sender, bool& AllowChange)>;

// The system's tab control with a page per tab. Choosing a tab (by a click or Ctrl+Tab) asks
// OnChanging, then shows its sheet and runs OnChange.
class TPageControl : public TWinControl {
  CLASS_INFO(TPageControl, TWinControl)
public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  void Dispatch(TMessage& Message) override;

  Integer GetPageCount() const { return static_cast<Integer>(FPages.size()); }
  TTabSheet* GetPages(Integer Index) const;
  TTabSheet* GetActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* Page);
  Integer GetActivePageIndex() const;
  void SetActivePageIndex(Integer Value);
  // The next (or previous) page after CurrentPage whose tab shows.
  TTabSheet* FindNextPage(TTabSheet* CurrentPage, bool GoForward, bool CheckTabVisible);
  void SelectNextPage(bool GoForward);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandleDone() override;
  void AdjustClientRect(TRect& Rect) override;
  void ShowControl(TControl* AControl) override;
  virtual bool CanChange();
  virtual void Change();

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void MovePage(TTabSheet* Page, Integer NewIndex);
  // Makes the tabs of the window those of the sheets whose tabs show.
  void UpdateTabs();
  void UpdateTab(TTabSheet* Page);
  void ChangeActivePage(TTabSheet* Page);
  void CNNotify(TMessage& Message);
  void CMDialogKey(TMessage& Message);

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  TCustomImageList* FImages = nullptr;
  bool FMultiLine = false;
};

// ---------------------------------------------------------------------------------------------
// List views

class TListView;
class TListItems;

// One row of a list view: its caption, the texts of the further columns, the check mark, its
// image and a pointer of the program's.
class TListItem : public TPersistent {
  CLASS_INFO(TListItem, TPersistent)
public:
  explicit TListItem(TListItems* AOwner);
  ~TListItem() override;
  void Assign(TPersistent* Source) override;
  // Removes the row from the list and frees it.
  void Delete();
  // Scrolls the list so that the row shows.
  void MakeVisible(bool PartialOK);
  // Starts editing the caption in place (a list view whose labels may be edited).
  void EditCaption();
  // The row's rectangle, or that of its label only, in the list's client area.
  TRect DisplayRect(bool LabelOnly);

  TListView* GetListView() const;
  Integer GetIndex() const;
  const AnsiString& GetCaption() const { return FCaption; }
  void SetCaption(const AnsiString& Value);
  TStrings* GetSubItems() const { return FSubItems; }
  void SetSubItems(TStrings* Value) { FSubItems->Assign(Value); }
  bool GetChecked();
  void SetChecked(bool Value);
  bool GetSelected();
  void SetSelected(bool Value);
  bool GetFocused();
  void SetFocused(bool Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);

  void* Data = nullptr;

private:
  friend class TListItems;
  friend class TListView;
  void SubItemsChanged(TObject* Sender);

  TListItems* FOwner;
  AnsiString FCaption;
  TStringList* FSubItems;
  Integer FImageIndex = -1;
  // Kept while the list has no window.
  bool FChecked = false;
  bool FSelected = false;
  bool FFocused = false;
};

// The rows of a list view, in the order shown.
class TListItems : public TPersistent {
  CLASS_INFO(TListItems, TPersistent)
public:
  explicit TListItems(TListView* AOwner) : FOwner(AOwner) {}
  ~TListItems() override;
  void Assign(TPersistent* Source) override;

  TListItem* Add();
  TListItem* Insert(Integer Index);
  void Delete(Integer Index);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  Integer IndexOf(const TListItem* Value) const;

  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TListItem* GetItem(Integer Index) const;
  TListItem* operator[](Integer Index) const { return GetItem(Index); }
  TListView* GetListView() const { return FOwner; }
  TPersistent* GetOwner() const override;

private:
  friend class TListView;
  friend class TListItem;
  void Remove(TListItem* Item);

  TListView* FOwner;
  std::vector<TListItem*> FItems;
  Integer FUpdateCount = 0;
};

// A column of a list view in report style.
class TListColumn : public TCollectionItem {
  CLASS_INFO(TListColumn, TCollectionItem)
public:
  explicit TListColumn(TCollection* Collection);
  void Assign(TPersistent* Source) override;
  AnsiString GetDisplayName() override;

  const AnsiString& GetCaption() const { return FCaption; }
  void SetCaption(const AnsiString& Value);
  // The width in pixels; as set, or as the user dragged it.
  Integer GetWidth();
  void SetWidth(Integer Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

private:
  friend class TListView;
  TListView* ListView() const;

  AnsiString FCaption;
  Integer FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
};

class TListColumns : public TCollection {
  CLASS_INFO(TListColumns, TCollection)
public:
  explicit TListColumns(TListView* AOwner);
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* GetItems(Integer Index) const { return static_cast<TListColumn*>(TCollection::GetItems(Index)); }
  TListColumn* operator[](Integer Index) const { return GetItems(Index); }
  TPersistent* GetOwner() const override;

protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
  friend class TListColumn;
  TListView* FOwner;
  // A column being made: the collection hears of it before its own constructor has run.
  TCollectionItem* FAdding = nullptr;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TSortType { stNone, stData, stText, stBoth };
enum TItemChange { ctText, ctImage, ctState };
enum TListHotTrackStyle { htHandPoint, htUnderlineCold, htUnderlineHot };
using TListHotTrackStyles = TSet<TListHotTrackStyle>;
ENUM_NAMES(TViewStyle, "vsIcon", "vsSmallIcon", "vsList", "vsReport");
ENUM_NAMES(TSortType, "stNone", "stData", "stText", "stBoth");
ENUM_NAMES(TListHotTrackStyle, "htHandPoint", "htUnderlineCold", "htUnderlineHot");

using TLVChangeEvent = Closure<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVSelectItemEvent = Closure<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVDeletedEvent = Closure<void(TObject* Sender, TListItem* Item)>;
using TLVEditingEvent = Closure<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = Closure<void(TObject* Sender, TListItem* Item, AnsiString& S)>;
using TLVColumnClickEvent = Closure<void(TObject* Sender, TListColumn* Column)>;
using TLVCompareEvent = Closure<void(TObject* Sender, TListItem* Item1, TListItem* Item2, Integer Data, Integer& Compare)>;

// The system's list view. The rows are kept by the control (and shown by the window), so that
// they outlive a new window after a style change. In report style the Columns show the caption
// and the sub-items of each row.
class TListView : public TWinControl {
  CLASS_INFO(TListView, TWinControl)
public:
  explicit TListView(TComponent* AOwner);
  ~TListView() override;
  void Dispatch(TMessage& Message) override;

  void Clear() { FItems->Clear(); }
  // The row at a point of the client area, or nil.
  TListItem* GetItemAt(Integer X, Integer Y);
  // Sorts the rows by SortType (by caption, or through OnCompare).
  void AlphaSort();

  TListItems* GetItems() const { return FItems; }
  TListColumns* GetColumns() const { return FColumns; }
  void SetColumns(TListColumns* Value) { FColumns->Assign(Value); }
  TViewStyle GetViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value);
  // The first selected row, or nil; setting it selects that row alone.
  TListItem* GetSelected();
  void SetSelected(TListItem* Value);
  Integer GetSelCount();
  // The row with the focus rectangle, or nil.
  TListItem* GetItemFocused();
  void SetItemFocused(TListItem* Value);
  Integer GetItemIndex();
  void SetItemIndex(Integer Value);
  // Whether a label is being edited in place.
  bool IsEditing();

  bool GetCheckboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool GetShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool Value);
  bool GetColumnClick() const { return FColumnClick; }
  void SetColumnClick(bool Value);
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  TListHotTrackStyles GetHotTrackStyles() const { return FHotTrackStyles; }
  void SetHotTrackStyles(TListHotTrackStyles Value);
  TSortType GetSortType() const { return FSortType; }
  void SetSortType(TSortType Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TCustomImageList* GetSmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* Value);
  TCustomImageList* GetLargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TLVChangeEvent OnChange;
  TLVSelectItemEvent OnSelectItem;
  TLVDeletedEvent OnDeletion;
  TLVEditingEvent OnEditing;
  TLVEditedEvent OnEdited;
  TLVColumnClickEvent OnColumnClick;
  TLVCompareEvent OnCompare;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandleDone() override;
  void DestroyWnd() override;
  virtual void Change(TListItem* Item, TItemChange Change);
  virtual void Delete(TListItem* Item);

private:
  friend class TListItem;
  friend class TListItems;
  friend class TListColumn;
  friend class TListColumns;
  // The window's row of an item (kept in step with the list of items), and back.
  Integer RowOf(const TListItem* Item) const;
  TListItem* ItemOfRow(Integer Row) const;
  void InsertRow(TListItem* Item, Integer Row);
  void UpdateRow(TListItem* Item);
  void DeleteRow(Integer Row);
  void UpdateColumns();
  void UpdateExtendedStyles();
  void SortItems();
  // The state bits of a row.
  UINT RowState(const TListItem* Item, UINT Mask);
  void SetRowState(const TListItem* Item, UINT State, UINT Mask);
  void CNNotify(TMessage& Message);

  TListItems* FItems;
  TListColumns* FColumns;
  TCustomImageList* FSmallImages = nullptr;
  TCustomImageList* FLargeImages = nullptr;
  TViewStyle FViewStyle = vsIcon;
  TSortType FSortType = stNone;
  TBorderStyle FBorderStyle = bsSingle;
  TListHotTrackStyles FHotTrackStyles;
  bool FCheckboxes = false;
  bool FReadOnly = false;
  bool FRowSelect = false;
  bool FMultiSelect = false;
  bool FHideSelection = true;
  bool FShowColumnHeaders = true;
  bool FColumnClick = true;
  bool FHotTrack = false;
  // While the window is filled from the items, its notifications run no events.
  bool FFilling = false;
  TListItem* FEditing = nullptr;
};
