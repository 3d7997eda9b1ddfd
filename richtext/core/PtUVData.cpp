#include "richtext/core/PtUVData.h"

#include <algorithm>
#include <memory>

#include "richtext/core/PtblUV.h"
#include "richtext/core/UVBack.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"

void TUVPageInfo::Assign(TPersistent* Source) {
  if (auto* page = dynamic_cast<TUVPageInfo*>(Source)) {
    PageTopY = page->PageTopY;
    FirstDrawItemNo = page->FirstDrawItemNo;
    return;
  }
  TCollectionItem::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// TCustomPrintableUVData

TUVFlags TCustomPrintableUVData::GetFlags() {
  return static_cast<TUVFlags>(VUzurUvadUVData::GetFlags() | uvflPrinting | uvflOwnDrawRecords);
}

void TCustomPrintableUVData::GetPageDrawItems(Integer, Integer& First, Integer& Last, Integer& FirstPart) {
  First = 0;
  Last = DrawItems->GetCount() - 1;
  FirstPart = -1;
}

void TCustomPrintableUVData::DrawPage(Integer PageNo, TCanvas* Canvas, bool Preview, bool Correction) {
  if (!GetUVStyle()) throw EUzurUvadError("Style of printable VUzurUvad component is not assigned");
  TUVScreenAndDevice sad;
  GetScreenAndDevice(sad, GetFormattingCanvas());
  Integer first = 0, last = -1, firstPart = -1;
  GetPageDrawItems(PageNo, first, last, firstPart);
  Integer pageTop = GetPageTop(PageNo);
  Integer areaLeft = GetPrintAreaLeft();
  Integer areaTop = GetPrintAreaTop();
  Canvas->GetBrush()->SetStyle(bsClear);

  // The page's background: the document's background picture laid out on a bitmap of the page
  // at screen size, else the document colour.
  std::unique_ptr<TBitmap> pageBackground;
  TUVBackground* background = GetPrintBackground();
  if (background && background->HasPicture()) {
    // A picture that scrolls with the text on the screen is tiled from each page's corner.
    if (background->Style == bsTiledAndScrolled) background->Style = bsTiled;
    Integer width = sad.XToScreen(GetWidth());
    Integer height = sad.YToScreen(GetHeight());
    if (width > 0 && height > 0) {
      pageBackground = std::make_unique<TBitmap>();
      pageBackground->SetPixelFormat(pf24bit);
      LOGPALETTE* palette = Preview && GetUVPalette() ? GetUVLogPalette() : nullptr;
      if (palette) pageBackground->SetPalette(::CreatePalette(palette));
      pageBackground->SetSize(width, height);
      background->Draw(pageBackground->GetCanvas()->GetHandle(), Rect(0, 0, width, height), 0, 0, width, height,
                       GetColor());
      UVDrawGraphic(Canvas, areaLeft, areaTop, -1, -1, pageBackground.get(), sad, Preview);
    }
  } else if (FillsArea && GetColor() != clNone) {
    Canvas->GetPen()->SetStyle(psSolid);
    Canvas->GetPen()->SetColor(GetColor());
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->Rectangle(areaLeft, areaTop, areaLeft + GetWidth(), areaTop + GetHeight());
    Canvas->GetBrush()->SetStyle(bsClear);
  }
  AfterDrawPageBackground(Canvas, PageNo, Preview, Correction);

  if (first <= last) {
    TUVPagePaint page;
    page.Preview = Preview;
    page.Correction = Correction;
    page.FirstPart = firstPart;
    page.ContinueOriginY = firstPart >= 0 ? -GetPageContinueTop(PageNo) : -pageTop;
    page.AreaTop = areaTop;
    page.Background = pageBackground.get();
    TUVPaintRequest request;
    request.Canvas = Canvas;
    request.OriginX = areaLeft;
    request.OriginY = -pageTop;
    request.ClipRect = Rect(areaLeft, areaTop, areaLeft + GetWidth(), areaTop + GetHeight());
    request.FirstDrawItem = first;
    request.LastDrawItem = last;
    request.Printing = true;
    request.Page = &page;
    PaintDrawLines(request);
  }
  AfterDrawPage(Canvas, PageNo, Preview);
}

// ---------------------------------------------------------------------------------------------
// TCustomMainPtblUVData

TCustomMainPtblUVData::TCustomMainPtblUVData(TCustomUzurUvad* AViewer)
    : TCustomPrintableUVData(AViewer), Pages(new TCollection(TUVPageInfo::StaticClass())) {}

TCustomMainPtblUVData::~TCustomMainPtblUVData() {
  // The draw lines of items drawn in parts go with the items, before the pages.
  Clear();
  delete Pages;
}

void TCustomMainPtblUVData::SetPrinter(TCanvas* Canvas, Integer ScreenWidth) {
  PrinterCanvas = Canvas;
  UVGetResolution(Canvas, PrnSad);
  TCustomUzurUvad* viewer = GetViewer();
  PrnSad.LeftMargin = PrnSad.XToDevice(viewer->GetLeftMargin());
  PrnSad.RightMargin = PrnSad.XToDevice(viewer->GetRightMargin());
  TopMargin = viewer->GetTopMargin();
  BottomMargin = viewer->GetBottomMargin();
  ScaledTopMargin = PrnSad.YToDevice(TopMargin);
  ScaledBottomMargin = PrnSad.YToDevice(BottomMargin);
  DocumentAreaWidth = MulDiv(ScreenWidth, PrnSad.DevicePpiX, PrnSad.ScreenPpiX);
}

void TCustomMainPtblUVData::GetScreenAndDevice(TUVScreenAndDevice& Sad, TCanvas*) { Sad = PrnSad; }

TColor TCustomMainPtblUVData::GetColor() {
  return TransparentBackground ? clNone : TCustomPrintableUVData::GetColor();
}

TUVBackground* TCustomMainPtblUVData::GetPrintBackground() { return GetViewer()->GetBackground(); }

TBitmap* TCustomMainPtblUVData::GetControlPrintImage(TControl* Control) {
  auto* viewer = dynamic_cast<TCustomPrintableUV*>(GetViewer());
  TCustomUVPrint* print = viewer ? viewer->PrintComponent : nullptr;
  TBitmap* image = nullptr;
  if (print && print->OnPrintComponent) print->OnPrintComponent(print, Control, image);
  return image;
}

Integer TCustomMainPtblUVData::GetFirstPageOffset() {
  auto* viewer = dynamic_cast<TCustomPrintableUV*>(GetViewer());
  return viewer && viewer->PrintComponent ? viewer->PrintComponent->FirstPageOffset : 0;
}

void TCustomMainPtblUVData::SetLastPageHeight(Integer Value) {
  auto* viewer = dynamic_cast<TCustomPrintableUV*>(GetViewer());
  if (viewer && viewer->PrintComponent) viewer->PrintComponent->LastPageHeight = Value;
}

Integer TCustomMainPtblUVData::GetPageTop(Integer PageNo) {
  Integer top = GetPage(PageNo - 1)->PageTopY - GetPrintAreaTop() - ScaledTopMargin;
  return PageNo == 1 ? top - GetFirstPageOffset() : top;
}

Integer TCustomMainPtblUVData::GetPageContinueTop(Integer PageNo) {
  Integer top = GetPage(PageNo - 1)->ContinueY - GetPrintAreaTop() - ScaledTopMargin;
  return PageNo == 1 ? top - GetFirstPageOffset() : top;
}

void TCustomMainPtblUVData::GetPageDrawItems(Integer PageNo, Integer& First, Integer& Last, Integer& FirstPart) {
  TUVPageInfo* page = GetPage(PageNo - 1);
  First = page->FirstDrawItemNo;
  FirstPart = page->FirstPart - 1;
  if (PageNo < GetPageCount()) {
    TUVPageInfo* next = GetPage(PageNo);
    // The next page starting past the first part of an item means the item begins here.
    Last = next->FirstDrawItemNo - 1 + (next->FirstPart > 1 ? 1 : 0);
  } else {
    Last = DrawItems->GetCount() - 1;
  }
}

void TCustomMainPtblUVData::ValidatePageNumber(Integer PageNo) {
  if (PageNo < 1 || PageNo > GetPageCount()) throw EUzurUvadError("Invalid page number is specified for printing");
}

// ---------------------------------------------------------------------------------------------
// Pagination

TUVPageInfo* TCustomMainPtblUVData::AddPage(Integer FirstDrawItemNo, Integer PageTopY, Integer FirstPart) {
  // Each page after the first is a soft page break where it starts; inside an item drawn in
  // parts, at the part the page starts with.
  if (GetPageCount() > 0) {
    TUVSoftPageBreakInfo pageBreak;
    pageBreak.ItemNo = DrawItems->Get(FirstDrawItemNo)->ItemNo;
    pageBreak.Offset = GetOffsBeforeDrawItem(FirstDrawItemNo);
    pageBreak.ExtraData = FirstPart > 1 ? FirstPart - 1 : -1;
    SoftPageBreaks.push_back(pageBreak);
  }
  auto* page = static_cast<TUVPageInfo*>(Pages->Add());
  page->FirstDrawItemNo = FirstDrawItemNo;
  page->PageTopY = PageTopY;
  page->FirstPart = FirstPart;
  return page;
}

Integer TCustomMainPtblUVData::SpaceBefore(Integer DrawItemNo) {
  Integer para = GetItemPara(DrawItems->Get(DrawItemNo)->ItemNo);
  return PrnSad.YToDevice(GetUVStyle()->GetParaStyles()->GetItem(para)->SpaceBefore);
}

Integer TCustomMainPtblUVData::SpaceAfter(Integer DrawItemNo) {
  Integer para = GetItemPara(DrawItems->Get(DrawItemNo)->ItemNo);
  return PrnSad.YToDevice(GetUVStyle()->GetParaStyles()->GetItem(para)->SpaceAfter);
}

bool TCustomMainPtblUVData::PlaceParts(Integer Height, TUVPaginationState& State) {
  Integer i = State.DrawItemNo;
  auto* multi = static_cast<TUVMultiDrawItemInfo*>(DrawItems->Get(i));
  Integer spaceBefore = SpaceBefore(i);
  if (multi->SplitAt(State.Remaining)) {
    // The rest goes on on the next page, which starts with the part just cut off.
    AddPage(i, -spaceBefore, multi->GetPartCount());
    State.PageTop = 0;
    State.Reserved = 0;
    State.Remaining = Height - spaceBefore - SpaceAfter(i);
    PageFormatted();
    return true;
  }
  // The last part fits: on a page that starts inside the item, what follows the item continues
  // below that part.
  TUVPageInfo* page = LastPage();
  if (page->FirstDrawItemNo == i) {
    Integer lastPart = multi->GetPartCount() > 0 ? multi->GetPart(multi->GetPartCount() - 1)->Height : multi->Height;
    page->ContinueY = multi->Top + multi->Height - lastPart - spaceBefore;
    State.PageTop = page->ContinueY;
  }
  State.DrawItemNo = i + 1;
  State.Splitting = false;
  return false;
}

void TCustomMainPtblUVData::Complete(TUVPaginationState& State) {
  Integer count = DrawItems->GetCount();
  Integer lineStart = count - 1;
  while (lineStart > 0 && !DrawItems->Get(lineStart)->FromNewLine) --lineStart;
  Integer end = 0;
  for (Integer d = lineStart; d < count; ++d) end = std::max(end, DrawItems->Get(d)->Top + DrawItems->Get(d)->Height);
  end += SpaceAfter(count - 1);
  TUVPageInfo* page = LastPage();
  Integer used = end - (page->FirstPart > 0 ? page->ContinueY : page->PageTopY);
  if (GetPageCount() == 1) used += GetFirstPageOffset();
  SetLastPageHeight(used);
  State.DrawItemNo = count;
  State.Splitting = false;
  State.Complete = true;
  PageFormatted();
}

void TCustomMainPtblUVData::FormatNextPage(Integer PageHeight, TUVPaginationState& State) {
  if (State.Complete) return;
  // The paragraphs' spacing comes from the style sheet, which may have gone since formatting.
  if (!GetUVStyle()) throw EUzurUvadError("Style of printable VUzurUvad component is not assigned");
  Integer count = DrawItems->GetCount();
  if (GetPageCount() == 0) {
    State = TUVPaginationState();
    if (count == 0) {
      State.Complete = true;
      return;
    }
    AddPage(0, 0, 0);
    State.Reserved = GetFirstPageOffset();
  }
  Integer height = PageHeight - ScaledTopMargin - ScaledBottomMargin;
  if (State.Splitting && PlaceParts(height, State)) return;

  for (Integer i = State.DrawItemNo;; ++i) {
    if (i >= count) {
      Complete(State);
      return;
    }
    TUVDrawLineInfo* dli = DrawItems->Get(i);
    TCustomUVItemInfo* item = GetItem(dli->ItemNo);
    bool pageStartsHere = LastPage()->FirstDrawItemNo == i;
    bool firstOfItem = i == 0 || DrawItems->Get(i - 1)->ItemNo != dli->ItemNo;
    bool forced = i > 0 && firstOfItem && item->GetPageBreakBefore() && !pageStartsHere;

    auto* multi = dynamic_cast<TUVMultiDrawItemInfo*>(dli);
    if (multi && multi->StartPages()) {
      Integer spaceBefore = SpaceBefore(i);
      Integer spaceAfter = SpaceAfter(i);
      if (pageStartsHere) {
        LastPage()->FirstPart = 1;
        LastPage()->PageTopY = -spaceBefore;
      }
      State.Remaining = State.PageTop + height - State.Reserved - dli->Top - spaceAfter;
      State.DrawItemNo = i;
      if (!forced && (pageStartsHere || multi->CanSplitFirst(State.Remaining))) {
        State.Splitting = true;
        if (PlaceParts(height, State)) return;
        continue;
      }
      // Not even a first part fits here: the item starts the next page.
      AddPage(i, -spaceBefore, 1);
      State.PageTop = 0;
      State.Reserved = 0;
      State.Remaining = height - spaceBefore - spaceAfter;
      State.Splitting = true;
      PageFormatted();
      return;
    }
    if (!forced && dli->Top + dli->Height + SpaceAfter(i) <= State.PageTop + height - State.Reserved) continue;

    // Lines are never split: the page breaks before the line that does not fit.
    Integer lineStart = i;
    while (lineStart > 0 && !DrawItems->Get(lineStart)->FromNewLine) --lineStart;
    Integer next = lineStart;
    if (State.Reserved == 0 && LastPage()->FirstDrawItemNo == lineStart) {
      // A line taller than a page stays on a page of its own and is cut off at its bottom.
      next = lineStart + 1;
      while (next < count && !DrawItems->Get(next)->FromNewLine) ++next;
    }
    if (next >= count) {
      Complete(State);
      return;
    }
    Integer top = DrawItems->Get(next)->Top;
    for (Integer d = next + 1; d < count && !DrawItems->Get(d)->FromNewLine; ++d)
      top = std::min(top, DrawItems->Get(d)->Top);
    top -= SpaceBefore(next);
    AddPage(next, top, 0);
    State.DrawItemNo = next;
    State.PageTop = top;
    State.Reserved = 0;
    PageFormatted();
    return;
  }
}

// ---------------------------------------------------------------------------------------------
// TRectPtblUVData

TRectPtblUVData::TRectPtblUVData(TCustomMainPtblUVData* AParentData, TCustomUVFormattedData* ASourceData)
    : TCustomPrintableUVData(AParentData->GetViewer()), SourceData(ASourceData), FParentData(AParentData) {
  FillsArea = false;
  Clear();
  FOwnItems = Items;
  Items = SourceData->Items;
}

TRectPtblUVData::~TRectPtblUVData() {
  // The source's items stay the source's: the document is cleared with a list of its own.
  ClearFormattingData();
  Items = FOwnItems;
}

void TRectPtblUVData::GetScreenAndDevice(TUVScreenAndDevice& Sad, TCanvas* Canvas) {
  FParentData->GetScreenAndDevice(Sad, Canvas);
}
