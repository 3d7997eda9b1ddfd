// A comparison of two versions of the Book of Psalms laid out as a table in a windowless editor
// document, one row per verse (reference, text, the text again in capitals), and the times of
// what a user does to it: the first layout, a new width, painting a screen of it, a row inserted
// and a cell property changed in the middle (each laid out again), and undoing them.
#include <chrono>
#include <cstdio>

#include "classlib/Bitmaps.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/bench/BibleDocument.h"
#include "richtext/edit/UVTable.h"
#include "richtext/edit/UVWindowlessEdit.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

void SetText(TUVTableCellData* Cell, const AnsiString& Text, Integer StyleNo) {
  Cell->Clear();
  Cell->AddNL(Text, StyleNo, 0);
}

}  // namespace

int main() {
  using namespace bible_document;
  const std::vector<std::pair<AnsiString, AnsiString>> verses = PsalmVerses();
  if (verses.empty()) return 1;

  TUVStyle style(nullptr);
  MakeStyles(style);
  TUVWindowlessEditData doc(&style);
  doc.ClientWidth = 900;
  doc.ClientHeight = 700;
  auto start = std::chrono::steady_clock::now();
  auto* table = new TUVTableItemInfo(static_cast<Integer>(verses.size()), 3, &doc);
  table->ParaNo = 0;
  table->SetCellBorderWidth(1);
  for (std::size_t r = 0; r < verses.size(); ++r) {
    Integer row = static_cast<Integer>(r);
    SetText(table->GetCells(row, 0), verses[r].first, 6);
    SetText(table->GetCells(row, 1), verses[r].second, 0);
    SetText(table->GetCells(row, 2), UpperCase(verses[r].second), 0);
    table->GetCells(row, 0)->BestWidth = 90;
  }
  doc.AddNL("Psalms in two versions", 1, 1);
  doc.AddItem(AnsiString(), table);
  double building = Seconds(start);

  start = std::chrono::steady_clock::now();
  doc.FormatDefault(false);
  double layout = Seconds(start);
  std::printf("Psalms as a table: %d rows of 3 cells built in %.3f s, laid out in %.3f s (%d x %d pixels)\n",
              table->GetRowCount(), building, layout, table->FormattingInfo->Width, table->FormattingInfo->Height);

  doc.ClientWidth = 700;
  start = std::chrono::steady_clock::now();
  doc.FormatDefault(false);
  std::printf("a new width laid out in %.3f s\n", Seconds(start));

  TBitmap screen;
  screen.SetPixelFormat(pf24bit);
  screen.SetSize(doc.ClientWidth, doc.ClientHeight);
  constexpr Integer pages = 50;
  start = std::chrono::steady_clock::now();
  for (Integer p = 0; p < pages; ++p) {
    doc.VOffs = (doc.DocumentHeight - doc.ClientHeight) * p / pages;
    doc.PaintTo(screen.GetCanvas(), Rect(0, 0, doc.ClientWidth, doc.ClientHeight));
  }
  std::printf("painting a screen of the table: %.2f ms\n", Seconds(start) * 1000 / pages);

  Integer middle = table->GetRowCount() / 2;
  Integer itemNo = doc.IndexOfItem(table);
  start = std::chrono::steady_clock::now();
  table->InsertRows(middle, 1, middle, false);
  doc.ReformatItemIfWider(itemNo, doc.GetParaSectionMinWidth(itemNo));
  double inserting = Seconds(start);
  start = std::chrono::steady_clock::now();
  table->SetCellBestWidth(middle, 0, 120);
  doc.ReformatItemIfWider(itemNo, doc.GetParaSectionMinWidth(itemNo));
  double property = Seconds(start);
  start = std::chrono::steady_clock::now();
  while (doc.UndoList->GetCount() > 0) doc.UndoList->Undo(&doc);
  double undoing = Seconds(start);
  std::printf("a row inserted and laid out in %.3f s, a cell's width changed in %.3f s, both undone in %.3f s\n",
              inserting, property, undoing);
  return 0;
}
