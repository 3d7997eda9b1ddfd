// What the table file tests share: a document holding a table with merged cells, a heading row,
// borders, colours, row alignments, cells of several styles and a table inside a cell; the
// table's properties in one line; and native records written by hand with a damaged cell list.
#pragma once

#include <string>
#include <vector>

#include "classlib/Filer.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"

namespace table_files_test {

inline TUVTableItemInfo* TableOf(TCustomUVData& Doc, Integer ItemNo) {
  if (ItemNo < 0 || ItemNo >= Doc.GetItemCount()) return nullptr;
  return dynamic_cast<TUVTableItemInfo*>(Doc.GetItem(ItemNo));
}

// "Before", a 4 x 3 table, "After". The table: row 1 merged over columns 0 and 1, column 2
// merged over rows 2 and 3, one heading row, coloured lowered borders and coloured cell borders,
// a cell with its own colours, hidden side, alignment and sizes, a cell of several text and
// paragraph styles, a row aligned to the middle, and a 2 x 2 table in cell (3, 0).
inline void BuildRichDocument(TCustomUVData& Doc) {
  using table_test::NumberedTable;
  Doc.AddNL("Before", edit_test::tsNormal, edit_test::psNormal);
  TUVTableItemInfo* table = NumberedTable(4, 3, &Doc);
  table->Rows->MergeCells(1, 0, 2, 1, true, true);
  table->Rows->MergeCells(2, 2, 1, 2, true, true);
  table->SetHeadingRowCount(1);
  table->SetBestWidth(-80);
  table->SetColor(clCream);
  table->SetBorderWidth(2);
  table->SetBorderStyle(uvtbLoweredColor);
  table->SetBorderColor(clRed);
  table->SetBorderLightColor(clYellow);
  table->SetCellBorderWidth(1);
  table->SetCellBorderStyle(uvtbColor);
  table->SetCellBorderColor(clNavy);
  table->SetCellPadding(3);
  table->SetCellHSpacing(4);
  table->SetCellVSpacing(5);
  table->SetHRuleWidth(1);
  table->SetHRuleColor(clPurple);
  TUVTableCellData* cell = table->GetCells(0, 0);
  cell->SetCellColor(clAqua);
  cell->BorderColor = clGreen;
  cell->BorderLightColor = clLime;
  cell->GetVisibleBorders()->Left = false;
  cell->VAlign = uvcBottom;
  cell->BestWidth = 120;
  cell->BestHeight = 30;
  table->GetCells(0, 1)->BestWidth = -25;
  TUVTableCellData* styled = table->GetCells(0, 2);
  styled->Clear();
  styled->AddNL("Bold", edit_test::tsBig, edit_test::psNormal);
  styled->Add(" small", edit_test::tsSmall);
  styled->AddNL("centred", edit_test::tsNormal, edit_test::psCentered);
  table->Rows->GetRow(3)->VAlign = uvcMiddle;
  TUVTableCellData* holder = table->GetCells(3, 0);
  TUVTableItemInfo* inner = NumberedTable(2, 2, holder);
  inner->GetCells(1, 1)->SetCellColor(clSilver);
  holder->AddItem(AnsiString(), inner);
  Doc.AddItem(AnsiString(), table);
  Doc.AddNL("After", edit_test::tsNormal, edit_test::psNormal);
}

// The table's own properties in one line.
inline std::string DescribeTable(TUVTableItemInfo* T) {
  return Format("w%d c%d h%d b%d/%d/%d/%d s%d/%d cb%d/%d/%d/%d p%d cs%d/%d r%d/%d/%d/%d o%d", T->GetBestWidth(),
                T->GetColor(), T->GetHeadingRowCount(), T->GetTableBorderWidth(), T->GetBorderColor(),
                T->GetBorderLightColor(), Integer(T->GetBorderStyle()), T->GetBorderVSpacing(),
                T->GetBorderHSpacing(), T->GetCellBorderWidth(), T->GetCellBorderColor(),
                T->GetCellBorderLightColor(), Integer(T->GetCellBorderStyle()), T->GetCellPadding(),
                T->GetCellVSpacing(), T->GetCellHSpacing(), T->GetVRuleWidth(), T->GetVRuleColor(),
                T->GetHRuleWidth(), T->GetHRuleColor(), Integer(T->GetOptions().Bits()));
}

// The document (whose last item is Table) saved as text, with the table's streamed body replaced
// by Body: a streamer holding only the given properties.
inline AnsiString ReplaceTableBody(TCustomUVData& Doc, const AnsiString& Body) {
  TMemoryStream saved;
  const TUVFOptions options = Doc.GetUVFOptions();
  TUVFOptions text = options;
  Doc.SetUVFOptions(text >> uvfoSaveBinary);
  Doc.SaveUVFToStream(&saved, false, clNone, nullptr, nullptr);
  Doc.SetUVFOptions(options);
  AnsiString data(static_cast<const char*>(saved.GetMemory()), static_cast<std::size_t>(saved.GetSize()));
  while (!data.empty() && (data.back() == '\r' || data.back() == '\n')) data.pop_back();
  data.resize(data.rfind("\r\n") + 2);
  return data + Body + "\r\n";
}

template <class Properties>
AnsiString StreamerBody(Properties&& WriteProperties) {
  TMemoryStream stream;
  {
    TWriter w(&stream);
    w.WriteSignature();
    w.WritePrefix(TFilerFlags(), 0);
    w.WriteStr("TUVTableSW");
    w.WriteStr("");
    WriteProperties(w);
    w.WriteListEnd();
    w.WriteListEnd();
  }
  return UVFStreamToHex(&stream);
}

// A cell of the list "C": its spans and a cell component without attributes or content.
inline void WriteEmptyCell(TWriter& W, Integer ColSpan, Integer RowSpan) {
  W.WriteInteger(ColSpan);
  W.WriteInteger(RowSpan);
  W.WritePrefix(TFilerFlags(), 0);
  W.WriteStr("TD");
  W.WriteStr("");
  W.WriteListEnd();
  W.WriteListEnd();
}

// The cell list "C" with the given counts, a cell more or less than the grid holds, and the
// first cell's column span; every cell is written without attributes or content.
inline AnsiString WriteTableRecord(TCustomUVData& Doc, TUVTableItemInfo*, Integer Rows, Integer Cols,
                                   bool ExtraCell, bool MissingCell, Integer FirstColSpan) {
  return ReplaceTableBody(Doc, StreamerBody([&](TWriter& w) {
                            w.WriteStr("C");
                            w.WriteInteger(Rows);
                            if (Rows <= 0) return;
                            w.WriteInteger(Cols);
                            w.WriteListBegin();
                            Integer cells = std::min(Rows * Cols, 4) + (ExtraCell ? 1 : 0) - (MissingCell ? 1 : 0);
                            for (Integer i = 0; i < cells; ++i) WriteEmptyCell(w, i == 0 ? FirstColSpan : 1, 1);
                            w.WriteListEnd();
                          }));
}

// A 2 x 1 grid followed by "RowVAlign" with the given values.
inline AnsiString WriteTableRecordWithRowVAlign(TCustomUVData& Doc, TUVTableItemInfo* Table,
                                                const std::vector<Integer>& Values) {
  (void)Table;
  return ReplaceTableBody(Doc, StreamerBody([&](TWriter& w) {
                            w.WriteStr("C");
                            w.WriteInteger(2);
                            w.WriteInteger(1);
                            w.WriteListBegin();
                            for (Integer i = 0; i < 2; ++i) WriteEmptyCell(w, 1, 1);
                            w.WriteListEnd();
                            w.WriteStr("RowVAlign");
                            w.WriteListBegin();
                            for (Integer v : Values) w.WriteInteger(v);
                            w.WriteListEnd();
                          }));
}

}  // namespace table_files_test
