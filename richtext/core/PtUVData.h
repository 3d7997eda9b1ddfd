// Printable documents: the document of a hidden viewer formatted once for a printer's width, cut
// into pages by walking its draw lines from top to bottom, and drawn page by page onto a printer,
// a picture or a PDF page canvas; and the printable copy of another document drawn inside a
// rectangle of a page (a table cell). Items taller than a page (pictures and controls with a
// minimal height on a page, tables) are drawn in parts on several pages.
#pragma once

#include "classlib/Components.h"
#include "richtext/core/UVUVData.h"

class TUVBackground;

// One page of a printed document.
class TUVPageInfo : public TCollectionItem {
  CLASS_INFO(TUVPageInfo, TCollectionItem)
public:
  explicit TUVPageInfo(TCollection* Collection) : TCollectionItem(Collection) {}
  // Copies PageTopY and FirstDrawItemNo.
  void Assign(TPersistent* Source) override;

  // The document y at the top of the page.
  Integer PageTopY = 0;
  Integer FirstDrawItemNo = 0;
  // 0 when the page does not start inside an item drawn in parts; else 1 + the index of the part
  // of that item with which it starts.
  Integer FirstPart = 0;
  // On a page that starts inside an item drawn in parts, the document y at which the content
  // after that item continues on the page (taking the place of PageTopY from there on).
  Integer ContinueY = 0;
};

// Where pagination stands between two pages.
struct TUVPaginationState {
  Integer DrawItemNo = 0;  // the next draw line to place
  Integer PageTop = 0;     // the document y of the top of the page being filled
  Integer Reserved = 0;    // the height kept free at the top of that page
  Integer Remaining = 0;   // the room left for the item drawn in parts being placed
  bool Splitting = false;  // an item drawn in parts is being placed
  bool Complete = false;   // every draw line is placed
};

// Document data that can be drawn page by page. Printing never scrolls and has no focus; its
// items are measured for the printer and make the draw records of printing.
class TCustomPrintableUVData : public VUzurUvadUVData {
  CLASS_INFO(TCustomPrintableUVData, VUzurUvadUVData)
public:
  explicit TCustomPrintableUVData(TCustomUzurUvad* AViewer) : VUzurUvadUVData(AViewer) {}

  // The background picture of the printed document; none here.
  virtual TUVBackground* GetPrintBackground() { return nullptr; }
  // The document y that goes to the canvas's y = 0 on page PageNo, and the same for the content
  // after an item drawn in parts with which the page starts.
  virtual Integer GetPageTop(Integer /*PageNo*/) { return 0; }
  virtual Integer GetPageContinueTop(Integer /*PageNo*/) { return 0; }
  // The top of the printed area on the canvas, device pixels.
  virtual Integer GetPrintAreaTop() { return 0; }
  // Called after the page's background and after the whole page is drawn.
  virtual void AfterDrawPageBackground(TCanvas* /*Canvas*/, Integer /*PageNo*/, bool /*Preview*/,
                                       bool /*Correction*/) {}
  virtual void AfterDrawPage(TCanvas* /*Canvas*/, Integer /*PageNo*/, bool /*Preview*/) {}
  // The draw lines of page PageNo and the part of the first with which the page starts (-1 for
  // none); here every draw line, no part.
  virtual void GetPageDrawItems(Integer PageNo, Integer& First, Integer& Last, Integer& FirstPart);
  // Raises EUzurUvadError "Invalid page number is specified for printing" for a page that is not
  // there (nothing here).
  virtual void ValidatePageNumber(Integer /*PageNo*/) {}
  // The left of the printed area on the canvas, device pixels.
  virtual Integer GetPrintAreaLeft() { return 0; }

  // Draws page PageNo on Canvas: the page's background (a picture, else the document colour
  // over the printed area), then its draw lines through the document's painter. Preview: a
  // preview on the screen (pictures are stretched, items are told). Correction: text is spaced
  // to the widths formatting gave it and pieces of a line never overlap. Raises EUzurUvadError
  // "Style of printable VUzurUvad component is not assigned" without a style sheet; a page that
  // is not there raises the list-index error of the page list.
  void DrawPage(Integer PageNo, TCanvas* Canvas, bool Preview, bool Correction);

  // Items are measured and make their draw records for printing.
  TUVFlags GetFlags() override;
  // No scroll bars, no scrolling, no focus, no window of its own for controls to move in.
  void SetDocumentAreaSize(Integer /*Width*/, Integer /*Height*/, bool /*UpdateH*/) override {}
  void AdjustVScrollUnits() override {}
  void ScrollTo(Integer /*Y*/, bool /*Redraw*/) override {}
  void HScrollTo(Integer /*X*/) override {}
  Integer GetHOffs() override { return 0; }
  Integer GetVOffs() override { return 0; }
  bool CanMoveChildren() override { return false; }
  bool IsControlFocused() override { return false; }

protected:
  // Whether DrawPage fills the printed area with the document colour (a table fills its cells).
  bool FillsArea = true;
};

// The printable root document: the document of a hidden viewer, formatted for a printer canvas
// and cut into pages.
class TCustomMainPtblUVData : public TCustomPrintableUVData {
  CLASS_INFO(TCustomMainPtblUVData, TCustomPrintableUVData)
public:
  explicit TCustomMainPtblUVData(TCustomUzurUvad* AViewer);
  ~TCustomMainPtblUVData() override;

  Integer GetPageCount() const { return Pages->GetCount(); }
  // Index from 0; the page list's index error outside.
  TUVPageInfo* GetPage(Integer Index) const { return static_cast<TUVPageInfo*>(Pages->GetItems(Index)); }
  // Empties the page list and the soft page breaks it made.
  void ClearPages() {
    Pages->Clear();
    SoftPageBreaks.clear();
  }
  // Takes the canvas and its resolution, the viewer's margins (the top and bottom ones scaled to
  // the canvas for the pages) and the width to format for, ScreenWidth screen pixels.
  void SetPrinter(TCanvas* Canvas, Integer ScreenWidth);

  // Cuts the next page: continues from State until a page is full, adds the page that follows
  // (and its soft page break) and returns; State.Complete once every draw line is placed.
  // PageHeight is the height of a page in device pixels; the top and bottom margins are taken
  // off it. Raises EUzurUvadError "Style of printable VUzurUvad component is not assigned" when
  // the style sheet has gone.
  void FormatNextPage(Integer PageHeight, TUVPaginationState& State);
  // Called after every page added and when pagination is complete; nothing here.
  virtual void PageFormatted() {}

  // The print component's figures: the height kept free at the top of the first page, and the
  // height used on the last page once pagination is complete (none without a print component).
  virtual Integer GetFirstPageOffset();
  virtual void SetLastPageHeight(Integer Value);

  TUVBackground* GetPrintBackground() override;
  Integer GetPageTop(Integer PageNo) override;
  Integer GetPageContinueTop(Integer PageNo) override;
  Integer GetPrintAreaTop() override { return PrintAreaTop; }
  Integer GetPrintAreaLeft() override { return PrintAreaLeft; }
  void GetPageDrawItems(Integer PageNo, Integer& First, Integer& Last, Integer& FirstPart) override;
  void ValidatePageNumber(Integer PageNo) override;

  // The printer canvas and its resolution, the width to format for (device pixels).
  TCanvas* GetCanvas() override { return PrinterCanvas; }
  void GetScreenAndDevice(TUVScreenAndDevice& Sad, TCanvas* Canvas) override;
  Integer GetWidth() override { return DocumentAreaWidth; }
  // The top and bottom margins are applied to each page when it is drawn, not to the layout.
  Integer GetTopMargin() override { return 0; }
  Integer GetBottomMargin() override { return 0; }
  // clNone with a transparent background: no colour is painted under the text.
  TColor GetColor() override;
  // The print component's picture of a control (its OnPrintComponent event).
  TBitmap* GetControlPrintImage(TControl* Control) override;

  TCollection* Pages;  // of TUVPageInfo
  TCanvas* PrinterCanvas = nullptr;
  // Screen and printer resolutions, with the left and right margins scaled to the printer.
  TUVScreenAndDevice PrnSad;
  // The top and bottom margins in screen pixels, and scaled to the printer.
  Integer TopMargin = 0;
  Integer BottomMargin = 0;
  Integer ScaledTopMargin = 0;
  Integer ScaledBottomMargin = 0;
  Integer DocumentAreaWidth = 0;
  bool TransparentBackground = false;
  // Where the printed area lies on the canvas, device pixels (the report helper moves the
  // canvas's origin instead and leaves these 0).
  Integer PrintAreaLeft = 0;
  Integer PrintAreaTop = 0;

private:
  TUVPageInfo* AddPage(Integer FirstDrawItemNo, Integer PageTopY, Integer FirstPart);
  TUVPageInfo* LastPage() const { return GetPage(Pages->GetCount() - 1); }
  Integer SpaceBefore(Integer DrawItemNo);
  Integer SpaceAfter(Integer DrawItemNo);
  // Asks the item drawn in parts at State.DrawItemNo to fit the room left; true when it goes on
  // on a new page, which has then been added.
  bool PlaceParts(Integer Height, TUVPaginationState& State);
  void Complete(TUVPaginationState& State);
};

// The printable copy of another document drawn inside a rectangle of a page (a table cell): it
// shows the source's items, and takes its canvas and resolutions from the printable root.
class TRectPtblUVData : public TCustomPrintableUVData {
  CLASS_INFO(TRectPtblUVData, TCustomPrintableUVData)
public:
  TRectPtblUVData(TCustomMainPtblUVData* AParentData, TCustomUVFormattedData* ASourceData);
  ~TRectPtblUVData() override;

  bool ShareItems() override { return true; }
  TCustomUVData* GetParentData() override { return FParentData; }
  TCustomMainPtblUVData* GetMainData() const { return FParentData; }
  TCanvas* GetCanvas() override { return FParentData->GetCanvas(); }
  void GetScreenAndDevice(TUVScreenAndDevice& Sad, TCanvas* Canvas) override;
  Integer GetWidth() override { return Width; }
  Integer GetHeight() override { return Height; }
  TColor GetColor() override { return Color; }
  Integer GetLeftMargin() override { return 0; }
  Integer GetRightMargin() override { return 0; }
  Integer GetTopMargin() override { return 0; }
  Integer GetBottomMargin() override { return 0; }
  Integer GetPrintAreaLeft() override { return Left + DX; }
  Integer GetPrintAreaTop() override { return Top + DY; }
  Integer GetPageTop(Integer /*PageNo*/) override { return -(Top + DY); }
  TBitmap* GetControlPrintImage(TControl* Control) override { return FParentData->GetControlPrintImage(Control); }

  TCustomUVFormattedData* SourceData;
  // The rectangle on the page and the offsets added to its corner, device pixels.
  Integer Left = 0;
  Integer Top = 0;
  Integer Width = 0;
  Integer Height = 0;
  Integer DX = 0;
  Integer DY = 0;
  TColor Color = clNone;

private:
  TCustomMainPtblUVData* FParentData;
  TStringList* FOwnItems;
};
