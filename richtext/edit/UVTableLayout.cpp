// Table layout: the width of every column from the cells' minimal widths and best widths
// (pixels, percentages or automatic) and the width the table gets, the height of every row from
// the cells' contents, the position and size of every cell, and each cell's document formatted
// at its width. Printing runs the same computation in device pixels on the cells' printable
// copies.
#include <algorithm>

#include "classlib/Handles.h"
#include "richtext/core/PtUVData.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVTable.h"

namespace {

// Column kinds of one layout.
enum : Byte { ckAuto = 0, ckPixels = 1, ckPercent = 2 };

TRectPtblUVData* PrintCellAt(TUVTableItemFormattingInfo* FI, Integer Index) {
  return static_cast<TRectPtblUVData*>(FI->PrintCells->Get(Index));
}

// Shares Amount over the entries of Weights (in order) in proportion, with running remainders
// so that nothing is lost to rounding; equally, the remainder to the last, when the weights sum
// to 0. Shares receives each entry's share.
void ShareOut(Integer Amount, const std::vector<Integer>& Weights, std::vector<Integer>& Shares) {
  Shares.assign(Weights.size(), 0);
  if (Weights.empty()) return;
  Integer sum = 0;
  for (Integer w : Weights) sum += w;
  if (sum == 0) {
    Integer n = static_cast<Integer>(Weights.size());
    for (Integer i = 0; i < n; ++i) Shares[static_cast<std::size_t>(i)] = Amount / n;
    Shares.back() += Amount - (Amount / n) * n;
    return;
  }
  for (std::size_t i = 0; i < Weights.size() && Amount != 0; ++i) {
    Integer share = MulDiv(Amount, Weights[i], sum);
    Shares[i] = share;
    sum -= Weights[i];
    Amount -= share;
  }
}

// The starts of columns (rows) of Sizes from First on, Spacing spread over them with the
// remainders going to the later ones.
void PlaceStarts(Integer First, Integer Spacing, const std::vector<Integer>& Sizes, std::vector<Integer>& Starts) {
  Integer count = static_cast<Integer>(Sizes.size());
  Integer position = First;
  Starts.clear();
  for (Integer i = 0; i < count; ++i) {
    Starts.push_back(position);
    Integer step = Spacing / (count - i);
    Spacing -= step;
    position += step + Sizes[static_cast<std::size_t>(i)];
  }
}

}  // namespace

Integer TUVTableItemInfo::ScaleX(Integer Value) const {
  return FDeviceRatio ? MulDiv(Value, FDeviceRatio->DevicePpiX, FDeviceRatio->ScreenPpiX) : Value;
}

Integer TUVTableItemInfo::ScaleY(Integer Value) const {
  return FDeviceRatio ? MulDiv(Value, FDeviceRatio->DevicePpiY, FDeviceRatio->ScreenPpiY) : Value;
}

Integer TUVTableItemInfo::GetHorzExtra() const {
  Integer c = GetColCount();
  return ScaleX((c - 1) * FCellHSpacing + 2 * (FBorderWidth + FBorderHSpacing) + 2 * c * FCellBorderWidth);
}

bool TUVTableItemInfo::AllColsFixed() const {
  Integer colCount = GetColCount();
  std::vector<bool> ended(static_cast<std::size_t>(colCount), false);
  std::vector<bool> own(static_cast<std::size_t>(colCount), false);
  for (Integer r = 0; r < GetRowCount(); ++r)
    for (Integer c = 0; c < colCount; ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell) continue;
      if (cell->BestWidth < 0) return false;
      own[static_cast<std::size_t>(c)] = true;
      if (cell->BestWidth > 0) ended[static_cast<std::size_t>(c + cell->ColSpan - 1)] = true;
    }
  for (Integer c = 0; c < colCount; ++c)
    if (!ended[static_cast<std::size_t>(c)] || !own[static_cast<std::size_t>(c)]) return false;
  return true;
}

Integer TUVTableItemInfo::ColumnMinWidth(Integer Col) {
  Integer result = 0;
  for (Integer r = 0; r < GetRowCount(); ++r) {
    TUVTableCellData* cell = GetCells(r, Col);
    if (cell && cell->ColSpan == 1) result = std::max(result, CellMinWidth(cell));
  }
  return result;
}

Integer TUVTableItemInfo::CellMinWidth(TUVTableCellData* Cell) {
  return Cell->GetMinWidth(FDeviceRatio, FLayoutCanvas ? FLayoutCanvas : Cell->GetFormattingCanvas());
}

void TUVTableItemInfo::WidenSpannedColumns(Integer Row, Integer Col, Integer Required, bool MinimumMode,
                                           Integer MaxLevel, std::vector<Integer>& Widths, std::vector<Byte>& Kinds,
                                           bool Fixed, Integer& Extra, Integer& MinSum) {
  TUVTableCellData* cell = GetCells(Row, Col);
  Integer span = cell->ColSpan;
  Integer padding2 = ScaleX(2 * FCellPadding);
  Integer need = Required + padding2;
  Integer perGap = ScaleX(FCellHSpacing + 2 * FCellPadding + 2 * FCellBorderWidth);
  Integer have = 0;
  std::vector<Integer> eligible;
  for (Integer level = 0;; ++level) {
    have = ScaleX(-FCellHSpacing - 2 * FCellBorderWidth);
    eligible.clear();
    for (Integer k = Col; k < Col + span; ++k) {
      have += Widths[static_cast<std::size_t>(k)] + perGap;
      if (MinimumMode || Kinds[static_cast<std::size_t>(k)] <= level) eligible.push_back(k);
    }
    if (MinimumMode || !eligible.empty() || level + 1 > MaxLevel) break;
  }
  if (have >= need || eligible.empty()) return;
  Integer grow = need - have;
  if (!MinimumMode && !Fixed) {
    grow = std::min(grow, Extra);
    Extra -= grow;
  }
  // The columns grow in proportion to their widths with padding; equally when those are all 0.
  std::vector<Integer> weights;
  for (Integer k : eligible) weights.push_back(Widths[static_cast<std::size_t>(k)] + padding2);
  std::vector<Integer> shares;
  ShareOut(grow, weights, shares);
  for (std::size_t i = 0; i < eligible.size(); ++i) {
    Widths[static_cast<std::size_t>(eligible[i])] += shares[i];
    if (MinimumMode) MinSum += shares[i];
  }
}

void TUVTableItemInfo::CalculateTableLayout(Integer AvailWidth, TUVTableItemFormattingInfo* FI, bool Force) {
  Integer colCount = GetColCount();
  Integer rowCount = GetRowCount();
  if (Rows->IsEmpty()) {
    FI->Clear();
    FI->Width = ScaleX(2 * (FBorderWidth + FBorderHSpacing));
    FI->Height = ScaleY(2 * (FBorderWidth + FBorderVSpacing));
    return;
  }
  // The width the table aims at; 0 for a table as wide as its pixel columns.
  Integer target;
  bool fixed = false;
  if (FBestWidth > 0) {
    target = ScaleX(FBestWidth);
  } else if (FBestWidth < 0) {
    target = (-FBestWidth * AvailWidth) / 100;
  } else {
    fixed = AllColsFixed();
    target = fixed ? 0 : AvailWidth;
  }
  if (target != 0 && target == FI->Width && !Force && static_cast<Integer>(FI->ColStarts.size()) == colCount &&
      static_cast<Integer>(FI->RowStarts.size()) == rowCount)
    return;
  FI->Width = target;
  Integer horz = GetHorzExtra();
  Integer padding2 = ScaleX(2 * FCellPadding);
  Integer paddingTotal = ScaleX(colCount * 2 * FCellPadding);
  Integer avail = fixed ? 0 : target - horz - paddingTotal;
  Integer extra = 0;

  FI->Clear();
  std::vector<Integer>& widths = FI->ColWidths;
  Integer minSum = 0;
  for (Integer c = 0; c < colCount; ++c) {
    widths.push_back(ColumnMinWidth(c));
    minSum += widths.back();
  }
  std::vector<Byte> kinds(static_cast<std::size_t>(colCount), ckAuto);
  // Cells over several columns widen them to their own minimal width.
  for (Integer r = 0; r < rowCount; ++r)
    for (Integer c = 0; c < colCount; ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (cell && cell->ColSpan > 1)
        WidenSpannedColumns(r, c, CellMinWidth(cell), true, 0, widths, kinds, fixed, extra, minSum);
    }

  if (!fixed && minSum >= avail) {
    // The content does not fit: the table grows beyond its target, the columns keep their minimum.
    FI->Width = target - avail + minSum;
  } else {
    extra = fixed ? 0 : avail - minSum;
    Integer pixelColumns = 0;
    // The part of a column that a percentage asks for, less the padding (negative without one).
    std::vector<Integer> percent(static_cast<std::size_t>(colCount), 0);
    if (!fixed) {
      Integer total = 0;
      for (Integer c = 0; c < colCount; ++c) {
        Integer largest = 0;
        for (Integer r = 0; r < rowCount; ++r) {
          TUVTableCellData* cell = GetCells(r, c);
          if (cell && cell->ColSpan == 1 && cell->BestWidth < 0)
            largest = std::max(largest, (-cell->BestWidth * (target - horz)) / 100);
        }
        percent[static_cast<std::size_t>(c)] = largest - padding2;
        total += percent[static_cast<std::size_t>(c)];
      }
      if (total != 0) {
        if (total < extra) total = extra;
        Integer extraAtStart = extra;
        for (Integer c = 0; c < colCount && extra != 0; ++c) {
          Integer want = MulDiv(percent[static_cast<std::size_t>(c)], extraAtStart, total);
          if (want > 0) kinds[static_cast<std::size_t>(c)] = ckPercent;
          Integer& width = widths[static_cast<std::size_t>(c)];
          if (want > width) {
            extra += width;
            want = std::min(want, extra);
            width = want;
            extra -= want;
          }
        }
      }
    }
    if (!fixed && extra > 0) {
      // Cells over several columns with a percentage.
      for (Integer r = 0; r < rowCount; ++r)
        for (Integer c = 0; c < colCount; ++c) {
          TUVTableCellData* cell = GetCells(r, c);
          if (!cell || cell->ColSpan < 2 || cell->BestWidth >= 0) continue;
          Integer need = MulDiv(-cell->BestWidth, target - horz, 100) - padding2;
          WidenSpannedColumns(r, c, need, false, 2, widths, kinds, fixed, extra, minSum);
          for (Integer k = c; k < c + cell->ColSpan; ++k)
            if (kinds[static_cast<std::size_t>(k)] == ckAuto) kinds[static_cast<std::size_t>(k)] = ckPercent;
        }
    }
    if (fixed || extra > 0) {
      // Columns with pixel widths.
      for (Integer c = 0; c < colCount; ++c) {
        if (kinds[static_cast<std::size_t>(c)] != ckAuto) continue;
        Integer largest = 0;
        bool anyPercent = false;
        for (Integer r = 0; r < rowCount; ++r) {
          TUVTableCellData* cell = GetCells(r, c);
          if (!cell || cell->ColSpan != 1) continue;
          if (cell->BestWidth < 0) anyPercent = true;
          largest = std::max(largest, cell->BestWidth);
        }
        Integer want = anyPercent ? 0 : ScaleX(largest);
        if (want > 0) {
          kinds[static_cast<std::size_t>(c)] = ckPixels;
          ++pixelColumns;
        }
        Integer& width = widths[static_cast<std::size_t>(c)];
        if (want > width) {
          if (!fixed) {
            extra += width;
            want = std::min(want, extra);
          }
          width = want;
          if (!fixed) {
            extra -= want;
            if (extra == 0) break;
          }
        }
      }
    }
    if (fixed || extra > 0) {
      // Cells over several columns with pixel widths.
      for (Integer r = 0; r < rowCount; ++r)
        for (Integer c = 0; c < colCount; ++c) {
          TUVTableCellData* cell = GetCells(r, c);
          if (!cell || cell->ColSpan < 2 || cell->BestWidth <= 0) continue;
          WidenSpannedColumns(r, c, ScaleX(cell->BestWidth), false, 1, widths, kinds, fixed, extra, minSum);
          for (Integer k = c; k < c + cell->ColSpan; ++k)
            if (kinds[static_cast<std::size_t>(k)] == ckAuto) {
              kinds[static_cast<std::size_t>(k)] = ckPixels;
              ++pixelColumns;
            }
        }
    }
    if (fixed) {
      Integer sum = 0;
      for (Integer w : widths) sum += w;
      FI->Width = horz + paddingTotal + sum;
    } else if (extra > 0) {
      // What is left goes to the automatic columns, else to the pixel columns in proportion to
      // their widths, else to the percentage columns in proportion to their percentages.
      std::vector<Integer> columns;
      std::vector<Integer> weights;
      for (Integer c = 0; c < colCount; ++c)
        if (kinds[static_cast<std::size_t>(c)] == ckAuto) columns.push_back(c);
      if (!columns.empty()) {
        Integer remaining = static_cast<Integer>(columns.size());
        for (Integer c : columns) {
          Integer share = extra / remaining--;
          widths[static_cast<std::size_t>(c)] += share;
          extra -= share;
          if (extra == 0) break;
        }
      } else {
        for (Integer c = 0; c < colCount; ++c) {
          if (pixelColumns > 0) {
            if (kinds[static_cast<std::size_t>(c)] == ckPercent) continue;
            Integer largest = 0;
            for (Integer r = 0; r < rowCount; ++r) {
              TUVTableCellData* cell = GetCells(r, c);
              if (cell && cell->ColSpan == 1) largest = std::max(largest, cell->BestWidth);
            }
            weights.push_back(largest > 0 ? largest : 1);
          } else {
            if (kinds[static_cast<std::size_t>(c)] != ckPercent) continue;
            weights.push_back(std::max(1, percent[static_cast<std::size_t>(c)]));
          }
          columns.push_back(c);
        }
        std::vector<Integer> shares;
        ShareOut(extra, weights, shares);
        for (std::size_t i = 0; i < columns.size(); ++i)
          widths[static_cast<std::size_t>(columns[i])] += std::min(shares[i], extra);
      }
    }
  }
  PlaceColumns(FI);
  CalculateRowHeights(FI);
  PlaceRows(FI);
}

void TUVTableItemInfo::PlaceColumns(TUVTableItemFormattingInfo* FI) {
  Integer colCount = GetColCount();
  bool printing = FI->PrintCells != nullptr;
  Integer spacing = ScaleX(colCount * (2 * (FCellPadding + FCellBorderWidth) + FCellHSpacing));
  PlaceStarts(ScaleX(FBorderWidth + FBorderHSpacing + FCellBorderWidth), spacing, FI->ColWidths, FI->ColStarts);
  Integer padding = ScaleX(FCellPadding);
  for (Integer r = 0; r < GetRowCount(); ++r)
    for (Integer c = 0; c < colCount; ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell) continue;
      Integer left = FI->ColStarts[static_cast<std::size_t>(c)];
      Integer width = SpanWidth(FI, c, cell->ColSpan);
      if (printing) {
        if (TRectPtblUVData* copy = PrintCellAt(FI, r * colCount + c)) {
          copy->Left = left + padding;
          copy->Width = width - 2 * padding;
          copy->Format(false, true, false, 0, copy->GetCanvas(), false, true);
        }
      } else {
        cell->Left = left;
        cell->Width = width;
        cell->Format(false, true, false, 0, FLayoutCanvas ? FLayoutCanvas : cell->GetFormattingCanvas(), false, false);
      }
    }
}

namespace {

// The border box over Span columns (rows) from Index: their sizes, the padding of the first, and
// their share of the spacing that the layout spreads over all Count of them.
Integer SpanSize(const std::vector<Integer>& Sizes, Integer Index, Integer Span, Integer Count, Integer Spacing,
                 Integer Padding2) {
  Integer size = Padding2 + MulDiv(Spacing, Span - 1, Count);
  for (Integer k = Index; k < Index + Span; ++k) size += Sizes[static_cast<std::size_t>(k)];
  return size;
}

}  // namespace

Integer TUVTableItemInfo::SpanWidth(TUVTableItemFormattingInfo* FI, Integer Col, Integer Span) const {
  Integer count = GetColCount();
  return SpanSize(FI->ColWidths, Col, Span, count,
                  ScaleX(count * (2 * (FCellPadding + FCellBorderWidth) + FCellHSpacing)), ScaleX(2 * FCellPadding));
}

Integer TUVTableItemInfo::SpanHeight(TUVTableItemFormattingInfo* FI, Integer Row, Integer Span) const {
  Integer count = GetRowCount();
  return SpanSize(FI->RowHeights, Row, Span, count,
                  ScaleY(count * (2 * (FCellPadding + FCellBorderWidth) + FCellVSpacing)), ScaleY(2 * FCellPadding));
}

void TUVTableItemInfo::CalculateRowHeights(TUVTableItemFormattingInfo* FI) {
  Integer rowCount = GetRowCount();
  Integer colCount = GetColCount();
  bool printing = FI->PrintCells != nullptr;
  FI->Height = ScaleY(2 * (rowCount * FCellPadding + FBorderWidth + FBorderVSpacing) +
                      (rowCount - 1) * FCellVSpacing + 2 * rowCount * FCellBorderWidth);
  FI->RowHeights.clear();
  for (Integer r = 0; r < rowCount; ++r) {
    Integer height = 0;
    if (printing) {
      for (Integer c = 0; c < colCount; ++c) {
        TUVTableCellData* cell = GetCells(r, c);
        if (cell && cell->RowSpan == 1) height = std::max(height, cell->BestHeight);
      }
      height = ScaleY(height);
      for (Integer c = 0; c < colCount; ++c) {
        TUVTableCellData* cell = GetCells(r, c);
        TRectPtblUVData* copy = cell && cell->RowSpan == 1 ? PrintCellAt(FI, r * colCount + c) : nullptr;
        if (copy) height = std::max(height, copy->DocumentHeight);
      }
      height = std::max(height, ScaleY(10));
    } else {
      for (Integer c = 0; c < colCount; ++c) {
        TUVTableCellData* cell = GetCells(r, c);
        if (cell && cell->RowSpan == 1) height = std::max(height, cell->GetCellHeight());
      }
      if (height == 0) height = 10;
      height = ScaleY(height);
    }
    FI->RowHeights.push_back(height);
    FI->Height += height;
  }
  // Cells over several rows make their rows tall enough for them.
  Integer padding2 = ScaleY(2 * FCellPadding);
  for (Integer r = 0; r < rowCount; ++r)
    for (Integer c = 0; c < colCount; ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell || cell->RowSpan < 2) continue;
      Integer last = r + cell->RowSpan - 1;
      Integer need;
      if (printing) {
        TRectPtblUVData* copy = PrintCellAt(FI, r * colCount + c);
        need = cell->BestHeight < 11 ? ScaleY(10) : ScaleY(cell->BestHeight);
        if (copy) need = std::max(need, copy->DocumentHeight);
        need += padding2;
      } else {
        need = ScaleY(cell->GetCellHeight() + 2 * FCellPadding);
      }
      Integer have = ScaleY(-FCellVSpacing - 2 * FCellBorderWidth);
      for (Integer k = r; k <= last; ++k)
        have += FI->RowHeights[static_cast<std::size_t>(k)] +
                ScaleY(FCellVSpacing + 2 * FCellPadding + 2 * FCellBorderWidth);
      if (have >= need) continue;
      FI->Height += need - have;
      // The rows that no other cell ends in take the height; all of them when each has one.
      std::vector<Integer> rows;
      for (Integer k = r; k <= last; ++k) {
        bool endsInside = false;
        for (Integer j = 0; j < colCount && !endsInside; ++j) {
          TUVTableCellData* other = GetCells(k, j);
          endsInside = other && other != cell && k + other->RowSpan - 1 <= last;
        }
        if (!endsInside) rows.push_back(k);
      }
      if (rows.empty())
        for (Integer k = r; k <= last; ++k) rows.push_back(k);
      std::vector<Integer> weights;
      for (Integer k : rows) weights.push_back(FI->RowHeights[static_cast<std::size_t>(k)]);
      std::vector<Integer> shares;
      ShareOut(need - have, weights, shares);
      for (std::size_t i = 0; i < rows.size(); ++i) FI->RowHeights[static_cast<std::size_t>(rows[i])] += shares[i];
    }
}

void TUVTableItemInfo::PlaceRows(TUVTableItemFormattingInfo* FI) {
  Integer rowCount = GetRowCount();
  Integer colCount = GetColCount();
  bool printing = FI->PrintCells != nullptr;
  Integer spacing = ScaleY(rowCount * (2 * (FCellPadding + FCellBorderWidth) + FCellVSpacing));
  PlaceStarts(ScaleY(FBorderWidth + FBorderVSpacing + FCellBorderWidth), spacing, FI->RowHeights, FI->RowStarts);
  Integer padding = ScaleY(FCellPadding);
  for (Integer r = 0; r < rowCount; ++r)
    for (Integer c = 0; c < colCount; ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell) continue;
      Integer top = FI->RowStarts[static_cast<std::size_t>(r)];
      Integer height = SpanHeight(FI, r, cell->RowSpan);
      if (printing) {
        if (TRectPtblUVData* copy = PrintCellAt(FI, r * colCount + c)) {
          copy->Top = top + padding;
          copy->Height = height - 2 * padding;
        }
      } else {
        cell->Top = top;
        cell->Height = height;
      }
    }
}

// ---------------------------------------------------------------------------------------------
// What the formatter asks

Integer TUVTableItemInfo::GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas* Canvas, TCustomUVData* /*UVData*/) {
  const TUVScreenAndDevice* saved = FDeviceRatio;
  TCanvas* savedCanvas = FLayoutCanvas;
  FDeviceRatio = Sad;
  FLayoutCanvas = Canvas;
  ScopeExit restore([this, saved, savedCanvas] {
    FDeviceRatio = saved;
    FLayoutCanvas = savedCanvas;
  });
  if (Rows->IsEmpty()) return ScaleX(2 * (FBorderWidth + FBorderHSpacing));
  Integer colCount = GetColCount();
  Integer base = ScaleX(colCount * 2 * FCellPadding) + GetHorzExtra();
  std::vector<Integer> widths;
  Integer sum = 0;
  for (Integer c = 0; c < colCount; ++c) {
    Integer width = ColumnMinWidth(c);
    if (FBestWidth == 0) {
      Integer largest = 0;
      bool anyPercent = false;
      for (Integer r = 0; r < GetRowCount(); ++r) {
        TUVTableCellData* cell = GetCells(r, c);
        if (!cell || cell->ColSpan != 1) continue;
        if (cell->BestWidth < 0) anyPercent = true;
        largest = std::max(largest, cell->BestWidth);
      }
      if (!anyPercent) width = std::max(width, ScaleX(largest));
    }
    widths.push_back(width);
    sum += width;
  }
  std::vector<Byte> kinds(static_cast<std::size_t>(colCount), ckAuto);
  Integer extra = 0;
  for (Integer r = 0; r < GetRowCount(); ++r)
    for (Integer c = 0; c < colCount; ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell || cell->ColSpan < 2) continue;
      Integer need = CellMinWidth(cell);
      if (FBestWidth == 0) need = std::max(need, ScaleX(cell->BestWidth));
      WidenSpannedColumns(r, c, need, true, 0, widths, kinds, false, extra, sum);
    }
  Integer result = base + sum;
  if (FBestWidth > 0) result = std::max(result, ScaleX(FBestWidth));
  return result;
}

bool TUVTableItemInfo::OnDocWidthChange(Integer DocWidth, TUVDrawLineInfo* DrawItem, bool Printing,
                                        TCanvas* Canvas, TCustomUVData* /*UVData*/, const TUVScreenAndDevice* Sad,
                                        Integer& HShift, bool /*NoCaching*/) {
  HShift = 0;
  // Drawn into a canvas the table is never laid out wider than the widest drawing allowed, which
  // counts the canvas's device pixels: a canvas laid out in finer units (a PDF page in hundredths
  // of a point) allows as many more of them.
  if (Printing) {
    const Integer widest = UVDevicePixelsToLogicalX(Canvas, UVTableMaxDrawWidth);
    if (DocWidth > widest) {
      DocWidth = widest;
      State |= uvtsWiderThanDrawing;
    } else {
      State &= ~static_cast<Word>(uvtsWiderThanDrawing);
    }
  }
  // A print record is laid out on its own, in the printer's pixels, on the cells' print copies;
  // the table's layout for the screen stays as it is.
  if (auto* record = Printing ? dynamic_cast<TUVTablePrintInfo*>(DrawItem) : nullptr) {
    const TUVScreenAndDevice* savedRatio = FDeviceRatio;
    TCanvas* savedCanvas = FLayoutCanvas;
    FDeviceRatio = &record->Sad;
    FLayoutCanvas = Canvas;
    ScopeExit restore([this, savedRatio, savedCanvas] {
      FDeviceRatio = savedRatio;
      FLayoutCanvas = savedCanvas;
    });
    CalculateTableLayout(DocWidth, &record->FI, false);
    record->Width = record->FI.Width;
    record->Height = record->FI.Height;
    return true;
  }
  Integer oldWidth = FormattingInfo->Width;
  Integer oldHeight = FormattingInfo->Height;
  TCanvas* savedCanvas = FLayoutCanvas;
  FLayoutCanvas = Canvas;
  bool force = false;
  if (Printing) {
    // Laid out in device pixels; the next layout for the screen starts afresh.
    FDeviceRatio = Sad;
    force = true;
  } else if (State & uvtsRelayout) {
    State &= ~static_cast<Word>(uvtsRelayout);
    FormattingInfo->Width = 0;
  }
  try {
    CalculateTableLayout(DocWidth, FormattingInfo, force);
  } catch (...) {
    FDeviceRatio = nullptr;
    FLayoutCanvas = savedCanvas;
    throw;
  }
  if (Printing) {
    FDeviceRatio = nullptr;
    State |= uvtsRelayout;
  }
  FLayoutCanvas = savedCanvas;
  return FormattingInfo->Width != oldWidth || FormattingInfo->Height != oldHeight;
}
