// Printing a table: a print record with a printable copy of every cell that has something to
// show, laid out in the printer's pixels, cut between rows into page parts so that rows joined
// by merged cells stay together, and each part drawn with the heading rows above it.
#include <algorithm>

#include "classlib/Handles.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVTable.h"

// ---------------------------------------------------------------------------------------------
// The print record

TUVTablePrintInfo::TUVTablePrintInfo(TUVTableItemInfo* ATable, TCustomMainPtblUVData* Printable,
                                     const TUVScreenAndDevice& ASad)
    : Sad(ASad), Table(ATable) {
  Integer rows = Table->GetRowCount(), cols = Table->GetColCount();
  Integer headings = std::min(Table->GetHeadingRowCount(), rows);
  RepeatHeadings = headings > 0 && Table->HeadingRowsValid();
  FI.PrintCells = new TUVList();
  for (Integer r = 0; r < rows; ++r)
    for (Integer c = 0; c < cols; ++c) {
      TUVTableCellData* cell = Table->GetCells(r, c);
      // An empty cell of one position has nothing to print; its box is still drawn.
      // The cell edited in place prints what its editor holds.
      TCustomUVFormattedData* source = Table->GetEditingData(cell);
      if (!cell || (source == cell && cell->RowSpan == 1 && cell->ColSpan == 1 && !cell->HasData(true))) {
        FI.PrintCells->Add(nullptr);
        continue;
      }
      auto* copy = new TCellPtblUVData(Printable, source);
      copy->Color = cell->GetEffectiveColor();
      FI.PrintCells->Add(copy);
    }
}

Integer TUVTablePrintInfo::FirstBodyRow() const {
  return RepeatHeadings ? std::min(Table->GetHeadingRowCount(), Table->GetRowCount()) : 0;
}

Integer TUVTablePrintInfo::RowBottom(Integer Row) const {
  return FI.RowStarts[static_cast<std::size_t>(Row)] + FI.RowHeights[static_cast<std::size_t>(Row)];
}

Integer TUVTablePrintInfo::Overhead() const {
  Integer last = Table->GetRowCount() - 1;
  return FI.RowStarts[static_cast<std::size_t>(FirstBodyRow())] + FI.Height - RowBottom(last);
}

bool TUVTablePrintInfo::StartPages() {
  ResetPages();
  Integer rows = Table->GetRowCount();
  // A table of heading rows alone has nothing to go on with: it is printed whole.
  if (!Table->GetPrintOptions().Contains(uvtoRowsSplit) || FirstBodyRow() >= rows ||
      static_cast<Integer>(FI.RowStarts.size()) != rows)
    return false;
  auto* part = new TUVTablePrintPart();
  part->FirstRow = FirstBodyRow();
  part->RowCount = rows - part->FirstRow;
  part->Height = FI.Height;
  PartsList.Add(part);
  return true;
}

bool TUVTablePrintInfo::CanSplitFirst(Integer Y) {
  Integer first = FirstBodyRow();
  if (first >= Table->GetRowCount()) return false;
  Integer bottomFrame = Overhead() - FI.RowStarts[static_cast<std::size_t>(first)];
  return Y - bottomFrame > RowBottom(Table->ExtendRowRangeDown(first));
}

bool TUVTablePrintInfo::SplitAt(Integer Y) {
  if (GetPartCount() == 0) throw EUzurUvadError("Internal printing error");
  TUVTablePrintPart* last = GetTablePart(GetPartCount() - 1);
  if (last->RowCount <= 1 || last->Height <= Y || FirstBodyRow() >= Table->GetRowCount()) return false;
  Integer overhead = Overhead();
  Integer first = last->FirstRow;
  Integer end = first + last->RowCount;
  // A row fits while its bottom stays above the room left for it below the part's start.
  Integer limit = Y - overhead + FI.RowStarts[static_cast<std::size_t>(first)];
  Integer candidate = first + 1;
  while (candidate < end && RowBottom(candidate) < limit) ++candidate;
  if (candidate - first >= last->RowCount) throw EUzurUvadError("Internal printing error");
  // Rows joined by a merged cell go to the next page together; a part always takes at least
  // the rows joined to its first one.
  Integer split = Table->ExtendRowRangeUp(candidate);
  if (split <= first) split = Table->ExtendRowRangeDown(first) + 1;
  if (split > end) throw EUzurUvadError("Internal printing error");
  if (split == end) return false;
  auto* next = new TUVTablePrintPart();
  next->FirstRow = split;
  next->RowCount = end - split;
  next->Height = RowBottom(end - 1) + overhead - FI.RowStarts[static_cast<std::size_t>(split)];
  last->RowCount = split - first;
  last->Height = RowBottom(split - 1) + overhead - FI.RowStarts[static_cast<std::size_t>(first)];
  PartsList.Add(next);
  return true;
}

// ---------------------------------------------------------------------------------------------
// The table's side

TUVDrawLineInfo* TUVTableItemInfo::CreateDrawRecord(bool Printing, TCustomUVData* UVData,
                                                    const TUVScreenAndDevice* Sad) {
  TCustomMainPtblUVData* printable = dynamic_cast<TCustomMainPtblUVData*>(UVData);
  if (!printable)
    if (auto* rect = dynamic_cast<TRectPtblUVData*>(UVData)) printable = rect->GetMainData();
  if (!Printing || !printable || !Sad) return TUVFullLineItemInfo::CreateDrawRecord(Printing, UVData, Sad);
  return new TUVTablePrintInfo(this, printable, *Sad);
}

void TUVTableItemInfo::Print(TCanvas* Canvas, Integer X, Integer Y, Integer /*X2*/, bool Preview, bool Correction,
                             const TUVScreenAndDevice& /*Sad*/, TCustomUVData* /*UVData*/, TUVDrawLineInfo* DrawItem,
                             Integer Part) {
  auto* record = dynamic_cast<TUVTablePrintInfo*>(DrawItem);
  if (!record || record->FI.Width <= 0) return;
  TUVTableItemFormattingInfo* fi = &record->FI;
  const TUVScreenAndDevice* savedRatio = FDeviceRatio;
  FDeviceRatio = &record->Sad;
  FPrintPreview = Preview;
  FPrintCorrection = Correction;
  ScopeExit restore([this, savedRatio] { FDeviceRatio = savedRatio; });
  Integer width = fi->Width;
  if (Part < 0 || Part >= record->GetPartCount()) {
    TRect all{X, Y, X + width, Y + fi->Height};
    PaintTo(X, Y, Canvas, all, TUVTextDrawStates(), fi, true, 0, -1, false);
    return;
  }
  TUVTablePrintPart* part = record->GetTablePart(Part);
  Integer rows = GetRowCount();
  Integer headings = record->RepeatHeadings ? std::min(FHeadingRowCount, rows) : 0;
  Integer bodyTop = fi->RowStarts[static_cast<std::size_t>(headings)];
  Integer bottomFrame = fi->Height - (fi->RowStarts[static_cast<std::size_t>(rows - 1)] +
                                      fi->RowHeights[static_cast<std::size_t>(rows - 1)]);
  Integer bodyHeight = part->Height - bodyTop - bottomFrame;
  // The cell borders of the part's last row reach below the row into the frame.
  Integer bodyBottom = bodyTop + bodyHeight + std::min(ScaleY(FCellBorderWidth), std::max(bottomFrame, 0));
  // The part is the table drawn three times through windows of the page: its top with the
  // heading rows, its rows moved up below them, and its bottom frame below those. Each row is
  // drawn in one of them only: a text clipped away is still output (a PDF keeps it, and search
  // and text extraction would find it twice).
  auto band = [&](Integer TableY, const TRect& Window, Integer FirstRow, Integer RowCount) {
    if (Window.Bottom <= Window.Top) return;
    HDC dc = Canvas->GetHandle();
    Integer saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, Window.Left, Window.Top, Window.Right, Window.Bottom);
    ScopeExit restoreDC([dc, saved] { ::RestoreDC(dc, saved); });
    PaintTo(X, TableY, Canvas, Window, TUVTextDrawStates(), fi, true, FirstRow, RowCount, false);
  };
  band(Y, TRect{X, Y, X + width, Y + bodyTop}, 0, headings);
  band(Y - (fi->RowStarts[static_cast<std::size_t>(part->FirstRow)] - bodyTop),
       TRect{X, Y + bodyTop, X + width, Y + bodyBottom}, part->FirstRow, part->RowCount);
  band(Y + part->Height - fi->Height, TRect{X, Y + bodyBottom, X + width, Y + part->Height}, 0, 0);
}
