// The formatted document: the items of a document laid out into draw lines for a width, and the
// lookups between items, draw lines and coordinates that painting, the mouse, the editor and
// printing use. What the owner supplies (margins, the client area, the canvas, scrolling, the
// notifications) is virtual: the viewer's document, a table cell, a printable copy and the
// windowless root answer it, each for itself.
#pragma once

#include <functional>
#include <vector>

#include "classlib/Controls.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/DLines.h"

class TUVStyle;
class TUVBackground;
class TCustomUVFormattedData;

// One hyperlink area: a formatted piece of a hyperlink item.
class TUVJumpInfo : public TObject {
  CLASS_INFO(TUVJumpInfo, TObject)
public:
  Integer Left = 0;
  Integer Top = 0;
  Integer Width = 0;
  Integer Height = 0;
  Integer Id = 0;  // hyperlink number inside its document
  TCustomUVFormattedData* UVData = nullptr;
  Integer DrawItemNo = -1;
  SmallInt Cursor = 0;
};

// The events a document raises through its owner (a viewer publishes them).
// A hyperlink was clicked: its number (the area's id plus FirstJumpNo).
using TJumpEvent = Closure<void(TObject* Sender, Integer Id)>;
// The hyperlink under the mouse changed: its number, -1 when the mouse left every hyperlink.
using TUVMouseMoveEvent = Closure<void(TObject* Sender, Integer Id)>;
// A mouse button over the document: the item under it (-1 when none), client coordinates.
using TUVMouseEvent =
    Closure<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X, Integer Y)>;
// A double click on a word (its text style) or on an item (its negative style number).
using TUVDblClickEvent = Closure<void(TObject* Sender, const AnsiString& ClickedWord, Integer Style)>;
// A right click on a word or item, at a point on the screen.
using TUVRightClickEvent =
    Closure<void(TObject* Sender, const AnsiString& ClickedWord, Integer Style, Integer X, Integer Y)>;

// Visits the nested documents of an item in order (backwards when not Forward) until Visit
// answers true; true when it did. Stopped is given the item's saved position of that document.
bool UVForEachSubDocument(TCustomUVItemInfo* Item, bool Forward,
                          const std::function<bool(TCustomUVFormattedData* Data)>& Visit,
                          const std::function<void(TUVStoreSubUVData* Position)>& Stopped = {});

// The overlay drawn by inverting (a table's resize line): called with the two coordinates.
using TUVXorDrawingEvent = Closure<void(TObject* Sender, Integer X, Integer Y)>;

// Modes of FindDrawItemByY.
enum : Integer { uvfdyFirstForPaint = 1, uvfdyAtOrBelow = 3 };

// A page break that pagination found, shown in the view while page breaks are shown: the item
// and caret offset where the new page starts and, for a break inside an item (a table row), the
// value the item turns into a distance from its top (GetSoftPageBreakDY); -1 for none.
struct TUVSoftPageBreakInfo {
  Integer ItemNo = 0;
  Integer Offset = 0;
  Integer ExtraData = -1;
};

// What painting a printed page adds to a paint (TUVPaintRequest::Page); the printable document
// fills it for each page it draws. Items are then printed (Print, PrintToBitmap) rather than
// painted, text is spaced the way the printer needs, and an item drawn in parts over several
// pages shows the part of this page.
struct TUVPagePaint {
  // Drawing a preview on the screen: pictures printed through bitmaps are stretched onto the
  // canvas, and items are told.
  bool Preview = false;
  // The pieces of a line are kept from overlapping, and text is spaced out to the width that
  // formatting gave it, when the canvas measures text otherwise than the one formatted on.
  bool Correction = false;
  // The part of the first draw line with which the page starts; -1 when it starts with a whole
  // draw line.
  Integer FirstPart = -1;
  // The canvas position of the document's y = 0 for the draw lines after a first one drawn in
  // part (the content that follows an item split over pages).
  Integer ContinueOriginY = 0;
  // The top of the printed area on the canvas (its left is the request's OriginX).
  Integer AreaTop = 0;
  // The page's background picture at screen size, drawn at the printed area's top-left corner;
  // items printed through bitmaps copy what lies behind them from it. None when there is none.
  TBitmap* Background = nullptr;
};

// One paint of a formatted document: the canvas, where the document's (0, 0) lies on it, the
// part of the canvas to cover, and which draw lines are painted in what state. A viewer paints
// its visible part onto a bitmap of the clip rectangle's size, a table cell paints at its place
// inside the table, printing and control images paint onto metafile and printer canvases.
struct TUVPaintRequest {
  TCanvas* Canvas = nullptr;
  // The canvas position of the document's (0, 0).
  Integer OriginX = 0;
  Integer OriginY = 0;
  // The part of the canvas to cover, in canvas coordinates. Without a range of draw lines, the
  // draw lines painted run from the first paragraph that reaches its top to the first line
  // after its bottom. Full-line items (tables) are told it so that they paint only that part.
  TRect ClipRect;
  // An explicit range of draw lines (both 0 or more): exactly these are painted, and the
  // backgrounds and borders of their paragraphs cover only them.
  Integer FirstDrawItem = -1;
  Integer LastDrawItem = -1;
  // The state every piece and item starts from; uvtsControlFocused picks the focused
  // selection colours.
  TUVTextDrawStates BaseState;
  // For a printer or a picture of the document: no selection, hover, active item, checkpoint
  // or page-break marks, and text drawn the way printing draws it.
  bool Printing = false;
  // A page of a printed document (with Printing and an explicit range of draw lines).
  const TUVPagePaint* Page = nullptr;
};

class TCustomUVFormattedData : public TCustomUVData {
  CLASS_INFO(TCustomUVFormattedData, TCustomUVData)
public:
  TCustomUVFormattedData();
  ~TCustomUVFormattedData() override;

  // --- What the owner supplies ---------------------------------------------------------------
  virtual Integer GetLeftMargin() { return 0; }
  virtual Integer GetRightMargin() { return 0; }
  virtual Integer GetTopMargin() { return 0; }
  virtual Integer GetBottomMargin() { return 0; }
  virtual Integer GetMinTextWidth() { return 0; }
  virtual Integer GetMaxTextWidth() { return 0; }
  // The client area of the owner.
  virtual Integer GetWidth() { return 0; }
  virtual Integer GetHeight() { return 0; }
  // Scroll offsets in pixels and the vertical scroll unit.
  virtual Integer GetHOffs() { return 0; }
  virtual Integer GetVOffs() { return 0; }
  virtual Integer GetVSmallStep() { return 1; }
  // The canvas formatting measures on, and the resolutions for a canvas.
  virtual TCanvas* GetCanvas();
  virtual TCanvas* GetFormattingCanvas() { return GetCanvas(); }
  virtual void GetScreenAndDevice(TUVScreenAndDevice& Sad, TCanvas* Canvas);
  // Where this document's (0, 0) lies in the coordinates of the document that holds it.
  virtual void GetOrigin(Integer& X, Integer& Y);
  // Converts a point of this document into the coordinates of the outermost document that holds
  // it; nothing here, for a document that no other holds.
  virtual void ConvertToRootCoords(Integer& /*X*/, Integer& /*Y*/) {}
  // The owner learns the size of the formatted document.
  virtual void SetDocumentAreaSize(Integer /*Width*/, Integer /*Height*/, bool /*UpdateH*/) {}
  virtual void AdjustVScrollUnits() {}
  // Scroll requests.
  virtual void ScrollTo(Integer /*Y*/, bool /*Redraw*/) {}
  virtual void HScrollTo(Integer /*X*/) {}
  virtual TCPEventKind GetCPEventKind();
  // Notifications (empty here; the viewer fires its events).
  virtual void DoCheckpointVisible(TUVCPInfo* /*Checkpoint*/) {}
  virtual void SelectionChanged() {}
  virtual void DoSelect() {}
  virtual void Formatted(Integer FirstItemNo, Integer LastItemNo, bool Partial);
  virtual void NotifyHyperlinkNo(Integer /*JumpNo*/) {}
  // Whether inserted controls can be moved now (the owner has a window).
  virtual bool CanMoveChildren() { return false; }
  // Whether the owner control is being destroyed.
  virtual bool IsDestroying() { return false; }
  // The background object and the effective colour the view is painted on: none and the style
  // sheet's Color (clWindow without a style sheet) here; a nested document asks its root.
  virtual TUVBackground* GetBackground();
  virtual TColor GetColor();
  // Whether the owner control, or a window inside it (a nested editor), has the keyboard focus:
  // selections are then painted in the focused colours.
  virtual bool IsControlFocused();
  // Shows Cursor over the owner control (through the root).
  virtual void SetCursor(TCursor Cursor);
  // The owner control's own cursor, shown where nothing else asks for another.
  virtual TCursor GetCursor();
  // The owner control takes the keyboard focus.
  virtual void SetControlFocus();
  // The editor of a nested document laid over the owner (a table cell being edited), the nested
  // document chosen for it and its item; none here, a viewer's document asks its control.
  virtual TWinControl* GetInplaceEditor();
  virtual void CloseInplaceEditor();
  virtual TCustomUVFormattedData* GetChosenData();
  virtual TCustomUVItemInfo* GetChosenItem();

  // --- Events raised through the owner -------------------------------------------------------
  // A document without an owner raises nothing; a nested document raises through its root.
  virtual void DoJump(Integer Id);
  virtual void DoUVMouseMove(Integer Id);
  virtual void DoUVMouseDown(TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X, Integer Y);
  virtual void DoUVMouseUp(TMouseButton Button, TShiftState Shift, Integer ItemNo, Integer X, Integer Y);
  virtual void DoUVDblClick(const AnsiString& ClickedWord, Integer Style);
  virtual void DoUVRightClick(const AnsiString& ClickedWord, Integer Style, Integer X, Integer Y);
  virtual void DoCopy();
  virtual bool IsAssignedOnJump();
  virtual bool IsAssignedOnUVMouseDown();
  virtual bool IsAssignedOnUVMouseUp();
  virtual bool IsAssignedOnUVDblClick();
  virtual bool IsAssignedOnUVRightClick();
  virtual bool IsAssignedOnCopy();
  virtual bool IsAssignedOnCheckpointVisible();

  // --- Formatting ------------------------------------------------------------------------------
  // Lays out the document for the owner's width (see the implementation for the steps).
  virtual void Format(bool KeepPosition, bool Force, bool NoScroll, Integer Depth, TCanvas* Canvas, bool OnlyTail,
                      bool NoCaching);
  void FormatDefault(bool NoCaching) { Format(false, false, false, 0, nullptr, false, NoCaching); }
  // Drops the draw lines, hyperlink areas and selection.
  virtual void ClearFormattingData();

  // --- Partial reformatting (after an edit) -------------------------------------------------
  // Widens a range of draw lines to whole paragraphs, taking in the paragraph before and the
  // paragraph after as well (an edit may change how its neighbours end or begin). Called on the
  // formatting as it was before the edit.
  void GetParaBounds(Integer FirstDrawItem, Integer LastDrawItem, Integer& ParaFirst, Integer& ParaLast) const;
  // Lays out again the paragraphs of a range of draw lines of the formatting before the edit;
  // ItemsInserted items were inserted (negative: removed) inside it. Later draw lines move as a
  // whole and their item numbers shift by ItemsInserted.
  void FormatParas(Integer FirstDrawItem, Integer LastDrawItem, Integer ItemsInserted);
  // The same for exactly the given range, without widening it to paragraphs.
  void FormatParasExact(Integer FirstDrawItem, Integer LastDrawItem, Integer ItemsInserted, bool NoCaching);
  // Lays out again after the text of item ItemNo changed from character Offs on, Delta
  // characters inserted there (negative: removed), the other items as they were: from the line
  // before the change's line (text taken out may let words move up) until a line begins where
  // one began before, past the change; the lines from there on only move by the change of
  // height. False, with nothing done, when the draw lines do not allow it (the caller lays out
  // the paragraphs instead).
  bool FormatChangedText(Integer ItemNo, Integer Offs, Integer Delta);
  void Clear() override;
  void DeleteItems(Integer First, Integer Count) override;
  void FreeItemObject(TCustomUVItemInfo* Item, bool Clearing) override;
  // Drops every reference the document keeps to an item that leaves it (capture, selection inside
  // it, active item, chosen sub-document, last visible checkpoint).
  void ForgetItem(TCustomUVItemInfo* Item);

  // --- Painting ----------------------------------------------------------------------------------
  // Paints the part ClipRect (client coordinates) of the view onto Canvas, a surface of the clip
  // rectangle's size whose (0, 0) is the clip rectangle's top-left corner.
  void PaintTo(TCanvas* Canvas, const TRect& ClipRect);
  // The painter behind every paint (see TUVPaintRequest).
  void PaintDrawLines(const TUVPaintRequest& Request);
  // Paints ClipRect (client coordinates) of the view onto Canvas through a memory bitmap: the
  // background first (GetBackground, GetColor), then the document; an exception raised while
  // painting the document is shown as "Error:" and its message at the top left, over what was
  // painted. The focus rectangle is the caller's (drawn by XOR, before and after).
  virtual void PaintBuffered(TCanvas* Canvas, const TRect& ClipRect);
  // Draws (by XOR, so that a second call removes it) a focus rectangle around every draw line of
  // ItemNo when the item asks for one (hyperlinks), in the client coordinates of the root view.
  void DrawItemFocusRect(TCanvas* Canvas, Integer ItemNo);
  // Ask the owner control (GetParentControl) to invalidate, repaint at once, or paint what is
  // pending; nothing without a control.
  virtual void Invalidate();
  void Refresh();
  void UpdateView();
  // Invalidates the areas of hyperlink JumpNo, each grown by 5 pixels on every side (the whole
  // control with the style sheet's FullRedraw), then updates the control.
  void InvalidateJumpRect(Integer JumpNo);
  // The control's colour changed: whether the hyperlink under the mouse shows its hover colours
  // is decided again, and it is painted again.
  void ColorChanged();
  // Tells Background to take the owner's palette (IsUpdatingPalette meanwhile).
  void UpdateBackgroundPaletted(TUVBackground* Background);
  bool IsUpdatingPalette() const { return (State & uvstUpdatingPalette) != 0; }

  // --- Lookups ---------------------------------------------------------------------------------
  Integer ItemToFirstDrawItem(Integer ItemNo) const;
  Integer FindFirstDrawItemOfItem(Integer ItemNo) const;
  void ItemToDrawItem(Integer ItemNo, Integer Offs, Integer& DrawItemNo, Integer& DrawOffs) const;
  void DrawItemToItem(Integer DrawItemNo, Integer DrawOffs, Integer& ItemNo, Integer& Offs) const;
  Integer GetOffsBeforeDrawItem(Integer DrawItemNo) const;
  Integer GetOffsAfterDrawItem(Integer DrawItemNo) const;
  // The first and last draw line of the visual line that holds DrawItemNo.
  void GetScreenLineBounds(Integer DrawItemNo, Integer& First, Integer& Last) const;
  // Left and top of the item's first draw line; false when it has none.
  bool GetItemCoords(Integer ItemNo, Integer& Left, Integer& Top) const;
  bool GetItemClientCoords(Integer ItemNo, Integer& Left, Integer& Top);
  // The draw line and caret offset at a point (document coordinates).
  void FindDrawItemAtPos(Integer X, Integer Y, bool Strict, Integer& DrawItemNo, Integer& DrawOffs);
  // The item, offset, style and word at a point; descends into sub-documents.
  bool GetItemAtPos(Integer X, Integer Y, TCustomUVFormattedData*& UVData, Integer& ItemNo, Integer& OffsInItem,
                    Integer& StyleNo, AnsiString& Word);
  Integer FindDrawItemByY(Integer Y, Integer Mode) const;
  Integer FindDrawItemByPoint(Integer X, Integer Y) const;
  Integer GetFirstVisibleItem();
  Integer GetLastVisibleItem();

  // --- Minimal widths --------------------------------------------------------------------------
  // The widest that the lines of items First..Last ask for: their indents and the widest word (or
  // the whole line where it does not wrap). A caller that only needs to know about widths above
  // Floor gets Floor when nothing is wider: words that cannot be wider are not measured, which on
  // a long document saves most of the work.
  Integer CalculateMinItemsWidth(Integer First, Integer Last, const TUVScreenAndDevice* Sad, TCanvas* Canvas,
                                 Integer Floor = 0);
  Integer CalculateMinItemsWidthPartial(Integer First, Integer Last, const TUVScreenAndDevice* Sad,
                                        TCanvas* Canvas);
  // MaxCharWidths, when given, holds twice the widest character of each text style met so far,
  // from call to call over one document.
  Integer CalculateParaSectionMinWidth(Integer ItemNo, const TUVScreenAndDevice* Sad, TCanvas* Canvas,
                                       Integer Floor = 0, std::vector<Integer>* MaxCharWidths = nullptr);
  Integer CalculateParaSectionMinWidthDef(Integer ItemNo);
  // What the words of text item ItemNo that touch its characters From..To - 1 (the place before
  // From when To is From) ask of their line: the line's indents and the widest of those words,
  // with a list marker before the item. The rest of the item, and of its paragraph, is not
  // measured. -1 for an item that is not text and in a paragraph that does not wrap (its whole
  // line counts there).
  Integer CalculateTextMinWidth(Integer ItemNo, Integer From, Integer To, const TUVScreenAndDevice* Sad,
                                TCanvas* Canvas);
  Integer CalculateMinDocWidth(const TUVScreenAndDevice* Sad, TCanvas* Canvas, Integer Floor = 0);

  // --- Selection -------------------------------------------------------------------------------
  void SetSelBoundsFromItems(Integer StartItemNo, Integer StartOffs, Integer EndItemNo, Integer EndOffs);
  void GetSelectionItemBounds(bool Ordered, Integer& StartItemNo, Integer& StartOffs, Integer& EndItemNo,
                              Integer& EndOffs) const;
  void GetSelDrawItemBounds(bool Ordered, Integer& StartDrawItemNo, Integer& StartOffs, Integer& EndDrawItemNo,
                            Integer& EndOffs) const;
  void GetSelectionBoundsEx(Integer& StartItemNo, Integer& StartOffs, Integer& EndItemNo, Integer& EndOffs,
                            TCustomUVItemInfo*& StartPartial, TCustomUVItemInfo*& EndPartial,
                            bool Normalize) override;
  virtual void Deselect(TCustomUVItemInfo* NewPartiallySelected, bool MakeEvent);
  void SelectAll();
  // Whether both ends of the selection exist and differ.
  bool SelectionExists() const;
  // The same, asking an active nested document first; UsePartial counts a selection inside an
  // item (selected table cells); AllowReset deselects an empty selection (not while selecting).
  bool SelectionExists(bool UsePartial, bool AllowReset);
  // The start of the selection in draw-line terms (the end of the mouse's anchor).
  void GetSelStart(Integer& DrawItemNo, Integer& DrawOffs) const;
  // Selects from (StartItemNo, StartOffs) to (EndItemNo, EndOffs) and raises the selection
  // events; an end on a list marker followed by an item moves before the marker's text.
  void SetSelectionBounds(Integer StartItemNo, Integer StartOffs, Integer EndItemNo, Integer EndOffs);
  // The selected text (plain-text writer, 80 characters a line), 8-bit or UTF-16; empty
  // without a selection.
  AnsiString GetSelText(bool Unicode);
  // The picture of a picture item when the selection is exactly that item; none otherwise.
  TGraphic* GetSelectedImage();
  // The selection's first and last draw lines, within the client area, in screen coordinates;
  // the client area without a selection.
  TRect GetSelectionRect();

  // --- Mouse -------------------------------------------------------------------------------------
  // Mouse input in the owner's client coordinates (the document adds its scroll offsets).
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void DblClick();
  // The hyperlink area containing a client point (bounds inclusive); none when none does.
  TUVJumpInfo* FindJumpAt(Integer X, Integer Y);
  // Remembers the draw line at a document point: the last one while the point stays in it.
  void UpdateDIUnderMouse(Integer X, Integer Y);
  // A click on an item that can take the focus gives it the document focus, when the root
  // document moves the focus among items (nothing here).
  virtual void MouseFocusItem(TCustomUVFormattedData* Data, Integer ItemNo);

  // --- Clipboard ---------------------------------------------------------------------------------
  // Copies the selection in the formats the options ask for (Color and Background go into the
  // UVF and RTF). False when no format is asked for and nobody handles the copy event, or when
  // the clipboard cannot be opened.
  bool Copy(TColor Color, TUVBackground* Background);
  void CopyText();
  void CopyUnicodeText();
  void CopyRTF(TColor Color);
  void CopyUVF(TColor Color, TUVBackground* Background);
  void CopyImage();

  // --- Search ------------------------------------------------------------------------------------
  // Finds the next occurrence of Text from the selection (or the visible part) in the direction
  // and selects it; true when found.
  bool SearchText(bool Down, bool MatchCase, const AnsiString& Text, bool WholeWords);
  // Where a search starts: the selection's far end in the direction, or the visible part (an
  // editor's document starts at its caret).
  virtual void GetSearchStart(bool Down, Integer& ItemNo, Integer& Offs);
  // The first (last) occurrence of Pattern in Text, 1-based, 0 when none; with WholeWords only
  // occurrences between delimiters of this document count.
  Integer FindInText(const AnsiString& Pattern, const AnsiString& Text, bool WholeWords);
  Integer FindLastInText(const AnsiString& Pattern, const AnsiString& Text, bool WholeWords);
  // Searches the nested documents of one item in turn; true when one selected a hit.
  bool SearchInSubDocuments(Integer ItemNo, bool Down, bool MatchCase, const AnsiString& Text, bool WholeWords);
  // Selects Length characters from Offs of an item: start to end searching down, end to start
  // searching up; scrolls the draw line into view and raises the selection events.
  void SelectFoundText(bool Down, Integer ItemNo, Integer Offs, Integer Length);
  // Searches from (ItemNo, Offs) on in the direction, skipping the start item when it is
  // SearchedItemNo (its nested document was searched already).
  bool SearchFrom(bool Down, bool MatchCase, const AnsiString& Text, bool WholeWords, Integer ItemNo, Integer Offs,
                  Integer SearchedItemNo);
  virtual void SetPartialSelectedItem(TCustomUVItemInfo* Item);
  virtual void ReleasePartialSelection(TCustomUVItemInfo* Item);

  // --- Services ----------------------------------------------------------------------------------
  // Moves every inserted control to its first draw line.
  void AdjustChildrenCoords();
  void ClearJumps();
  void BuildJumpList();
  // Routes mouse events to Item; Left and Top receive its first draw line's position.
  void SetMouseCapture(TCustomUVItemInfo* Item, Integer& Left, Integer& Top);
  void ReleaseMouseCapture(TCustomUVItemInfo* Item);
  void AssignXorDrawing(TUVXorDrawingEvent Method);
  void UnassignXorDrawing(TUVXorDrawingEvent Method);
  bool UsesXorDrawing(TUVXorDrawingEvent Method) const { return XorDrawing == Method; }
  void XorDrawingAt(Integer X, Integer Y);
  void HideXorDrawing();
  // The next item at or after Start (before it when not Forward) that can take the focus,
  // descending into sub-documents; -1 when none.
  Integer FindNextFocusableItem(Integer Start, bool Forward, TCustomUVFormattedData*& FoundData);
  void ClearFocusedItem() { FocusedItemNo = -1; }
  void SetFocusedItemNo(Integer ItemNo) { FocusedItemNo = ItemNo; }
  void ScrollToShowRect(Integer X, Integer Y, Integer Width, Integer Height);
  void NotifyCheckpointVisible();

  TUVDrawLines* DrawItems;
  Integer DocumentWidth = -1;
  Integer TextWidth = -1;
  Integer DocumentHeight = 0;
  Integer LastFormattedItem = -1;
  // The widest unbreakable content of the items up to MeasuredLastItem, measured on MeasuredCanvas
  // against the floor MeasuredFloor (the client width less the margins): a format of the tail then
  // measures only the items added since. -1 when not known.
  Integer MeasuredMinWidth = -1;
  Integer MeasuredFloor = -1;
  Integer MeasuredLastItem = -1;
  TCanvas* MeasuredCanvas = nullptr;
  TUVList* Jumps;
  Integer JumpCount = 0;
  bool SizeChangeGuard = false;

  Integer FSelStartNo = -1;
  Integer FSelStartOffs = 0;
  Integer FSelEndNo = -1;
  Integer FSelEndOffs = 0;
  TCustomUVItemInfo* PartialSelectedItem = nullptr;
  TCustomUVItemInfo* CaptureMouseItem = nullptr;
  Integer CaptureMouseDrawItemNo = -1;
  TUVXorDrawingEvent XorDrawing;
  bool XorDrawingShown = false;
  Integer XorX = 0;
  Integer XorY = 0;
  Integer FocusedItemNo = -1;
  TCustomUVFormattedData* ChosenUVData = nullptr;
  TCustomUVItemInfo* ChosenItem = nullptr;
  // The checkpoint last reported as visible (NotifyCheckpointVisible).
  TUVCPInfo* LastVisibleCP = nullptr;
  bool LastVisibleCPReported = false;
  // The client size of the last Format.
  Integer LastClientWidth = 0;
  Integer LastClientHeight = 0;
  // The hyperlink under the mouse (-1 for none) and its draw line; painted in its hover colours
  // while the state bit uvstDrawHover is set.
  Integer HoverJumpNo = -1;
  Integer HoverDrawItemNo = -1;
  // The item at the caret that is marked while it holds it (a picture in an editor); none here.
  TCustomUVItemInfo* ActiveItem = nullptr;
  // Page breaks found by pagination, in item order; shown with uvoShowPageBreaks.
  std::vector<TUVSoftPageBreakInfo> SoftPageBreaks;
  // The draw line under the mouse at the last hit test (-1 for none).
  Integer LastDIUnderMouse = -1;
  // The hyperlink pressed with the left button (-1 for none).
  Integer LastJumpDowned = -1;
  // On the outermost document: the document, possibly nested, that holds the hyperlink under
  // the mouse.
  TCustomUVFormattedData* HoverOwner = nullptr;

  // When true, the fit search asks the system for the extent of every prefix (GetTextExtentEx)
  // instead of searching by interpolation.
  static bool UseExtentArrayMeasuring;

protected:
  struct TFormatState;
  // The layout state at the start of a formatting pass on Canvas.
  void InitFormatState(TFormatState& St, TCanvas* Canvas, bool NoCaching);
  // The space the layout puts between the bottom of the line before item ItemNo and the top of
  // the item's first line (paragraph spacing, and a break's extra space).
  Integer SpaceBeforeItem(const TFormatState& St, Integer ItemNo);
  // The bottom of the visual line ending at draw line Last, plus its extra line spacing.
  Integer LineBottomWithSpacing(TFormatState& St, Integer Last);
  // Sets the hyperlink areas to those of the current draw lines, in the document's coordinates.
  void PlaceJumps();
  // Lays out items First..Last into the draw lines from Insert on.
  void FormatItems(TFormatState& St, Integer First, Integer Last);
  void FormatItem(TFormatState& St, Integer ItemNo);
  void FormatLine(TFormatState& St, Integer ItemNo, const AnsiString& Text, Integer Offs, Integer Count,
                  bool FirstPieceOfItem);
  // The text of a text item from character Offs on (1: the whole item).
  void FormatItemText(TFormatState& St, Integer ItemNo, const AnsiString& Text, Integer Offs);
  // The end of a partial reformat: the document's new height told to the owner (the whole
  // document laid out again when that shows or hides a scroll bar), hyperlink areas, controls,
  // and the items-formatted notification.
  void FinishPartialFormat(Integer NewHeight, Integer FirstItemNo, Integer LastItemNo, bool NoCaching);
  void FormatWords(TFormatState& St, Integer ItemNo, const AnsiString& Text, Integer Offs);
  void FormatRectItem(TFormatState& St, Integer ItemNo);
  void FormatFullLineItem(TFormatState& St, Integer ItemNo);
  void FinishLine(TFormatState& St, bool LastInPara);
  void StartNewLine(TFormatState& St, Integer ItemNo, bool ParaStart);
  void ApplyTextStyle(TFormatState& St, Integer StyleNo, Integer ItemNo);
  void AddDrawItem(TFormatState& St, TUVDrawLineInfo* DrawItem);
  void RaiseLineAscent(TFormatState& St, Integer Difference);
  Integer GetFitCount(TFormatState& St, Integer ItemNo, const char* Text, Integer Count, Integer Width);
  // The caret position k (0..Length) of a text draw line closest to X.
  Integer FindCaretInDrawItem(Integer DrawItemNo, Integer X);
  void GetMinIndents(Integer ItemNo, Integer FirstParaItem, Integer& Indents, const TUVScreenAndDevice* Sad);
};
