// The report helper: formats rich text for any canvas (a printer, a picture, a PDF page canvas)
// and width, cuts it into pages and draws each page at a chosen position. Callers fill its
// viewer (UzurUvad) like any viewer, then:
//   PrepareFormatting(canvas, width); while (FormatNextPage(height)) {}
//   for each page: DrawPageAt(left, top, page, canvas, false, height).
#pragma once

#include "richtext/core/PtblUV.h"

class TUVReportHelper;

// The document of the report helper's viewer, with the state of pagination between pages.
class TReportUVData : public TCustomMainPtblUVData {
  CLASS_INFO(TReportUVData, TCustomMainPtblUVData)
public:
  explicit TReportUVData(TCustomUzurUvad* AViewer) : TCustomMainPtblUVData(AViewer) {}

  // The height of the area being drawn (set by each draw call), device pixels.
  Integer GetHeight() override { return AreaHeight; }

  TUVPaginationState Pagination;
  // Pagination as it stood before the page last cut.
  TUVPaginationState SavedPagination;
  Integer AreaHeight = 0;
};

// The helper's hidden viewer, with the viewer properties a report sets published.
class TReportUzurUvad : public TCustomPrintableUV {
  CLASS_INFO(TReportUzurUvad, TCustomPrintableUV)
public:
  explicit TReportUzurUvad(TUVReportHelper* AOwner);
  TReportUVData* GetReportData() const { return static_cast<TReportUVData*>(GetUVData()); }
};

// Pagination reports its progress: Step 0 when it starts, 1 after each page with the number of
// pages cut so far, 2 when every page is cut.
using TUVFormattingEvent = Closure<void(TObject* Sender, Integer PageCount, Integer Step)>;

class TUVReportHelper : public TCustomUVPrint {
  CLASS_INFO(TUVReportHelper, TCustomUVPrint)
public:
  explicit TUVReportHelper(TComponent* AOwner);

  TReportUzurUvad* GetUzurUvad() const { return FUzurUvad; }

  // Starts formatting for Canvas, Width screen pixels wide: the old pages go, the viewer's
  // margins are scaled to the canvas, and the document is laid out for the width at the
  // canvas's resolution.
  void PrepareFormatting(TCanvas* Canvas, Integer Width);
  // Cuts the next page of PageHeight device pixels (the viewer's top and bottom margins are
  // taken off it); false, at once, when every draw line is placed or there is none.
  bool FormatNextPage(Integer PageHeight);
  // Draws page PageNo (from 1) with its printed area AreaHeight device pixels high. A page that
  // is not there raises the page list's index error; no style sheet raises EUzurUvadError
  // "Style of printable VUzurUvad component is not assigned".
  void DrawPage(Integer PageNo, TCanvas* Canvas, bool Preview, Integer AreaHeight);
  // The same with the page's top-left corner at (Left, Top), device pixels of the canvas: the
  // canvas's viewport origin moves there for the drawing and comes back afterwards.
  void DrawPageAt(Integer Left, Integer Top, Integer PageNo, TCanvas* Canvas, bool Preview, Integer AreaHeight);

  TUVFormattingEvent OnFormatting;

private:
  void DoFormatting(Integer PageCount, Integer Step);

  TReportUzurUvad* FUzurUvad;
  // Pagination's progress for the event: started, pages cut, finished.
  bool FStarted = false;
  Integer FPagesCut = 0;
  bool FFinished = false;
};
