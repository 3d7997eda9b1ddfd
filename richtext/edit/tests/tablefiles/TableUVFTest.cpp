// Tables in the native format: a table with merged cells, heading rows, borders, colours, row
// alignments, cells of several text and paragraph styles and a table inside a cell comes back
// the same and is written again byte for byte, as text and as binary; the record of some rows
// only; and damaged records that fail to load without harm.
#include "classlib/Streams.h"
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"
#include "richtext/edit/tests/tablefiles/TableFilesSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using table_test::CheckGrid;
using table_test::DescribeGrid;
using namespace table_files_test;

class TableUVF : public ::testing::Test {
protected:
  TableUVF() {
    edit_test::SetUpStyles(style);
    BuildRichDocument(source);
  }

  AnsiString Save(TCustomUVData& Doc) {
    TMemoryStream stream;
    EXPECT_TRUE(Doc.SaveUVFToStream(&stream, false, clNone, nullptr, nullptr));
    return AnsiString(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  }
  bool Load(TCustomUVData& Doc, const AnsiString& Data) {
    TMemoryStream stream;
    stream.WriteBuffer(Data.data(), static_cast<Integer>(Data.size()));
    stream.SetPosition(0);
    return Doc.LoadUVFFromStream(&stream, nullptr, nullptr, nullptr);
  }

  // Rows of Table written on their own (after the version record) and loaded into Doc.
  TUVTableItemInfo* LoadRows(TCustomUVData& Doc, TUVTableItemInfo* Table, Integer FirstRow, Integer RowCount) {
    TMemoryStream stream;
    UVFWriteLine(&stream, Format("%d 1 2", uvsVersion));
    Table->SaveRowsUVF(&stream, &source, AnsiString(), false, FirstRow, RowCount);
    stream.SetPosition(0);
    if (!Doc.LoadUVFFromStream(&stream, nullptr, nullptr, nullptr)) return nullptr;
    return TableOf(Doc, 0);
  }

  TUVStyle style{nullptr};
  TUVWindowlessEditData source{&style};
  TUVWindowlessEditData copy{&style};
};

TEST_F(TableUVF, ARichTableComesBackAndIsWrittenAgainByteForByte) {
  for (bool binary : {false, true}) {
    SCOPED_TRACE(binary ? "binary" : "text");
    TUVFOptions options = source.UVFOptions;
    if (binary)
      options << uvfoSaveBinary;
    else
      options >> uvfoSaveBinary;
    source.UVFOptions = copy.UVFOptions = options;
    const AnsiString first = Save(source);
    ASSERT_TRUE(Load(copy, first));
    EXPECT_EQ(Save(copy), first);

    ASSERT_EQ(copy.GetItemCount(), source.GetItemCount());
    auto* table = TableOf(copy, 1);
    ASSERT_NE(table, nullptr);
    auto* original = TableOf(source, 1);
    EXPECT_EQ(CheckGrid(table), "");
    EXPECT_EQ(DescribeGrid(table), DescribeGrid(original));
    EXPECT_EQ(DescribeTable(table), DescribeTable(original));
    // The cell of several styles keeps its items and their styles.
    EXPECT_EQ(edit_test::Snapshot(*table->GetCells(0, 2)), edit_test::Snapshot(*original->GetCells(0, 2)));
    // The table inside a cell.
    TUVTableCellData* holder = table->GetCells(3, 0);
    ASSERT_EQ(holder->GetItemCount(), 2);
    auto* inner = dynamic_cast<TUVTableItemInfo*>(holder->GetItem(1));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(DescribeGrid(inner), DescribeGrid(static_cast<TUVTableItemInfo*>(original->GetCells(3, 0)->GetItem(1))));
    EXPECT_EQ(edit_test::CheckInvariants(copy), "");
  }
}

TEST_F(TableUVF, ATableWithoutRowsIsStoredAsNoRowsAndLoadsEmpty) {
  TUVWindowlessEditData doc{&style};
  auto* table = new TUVTableItemInfo(0, 0, &doc);
  table->ParaNo = 0;
  doc.AddItem(AnsiString(), table);
  const AnsiString data = Save(doc);
  ASSERT_TRUE(Load(copy, data));
  auto* loaded = TableOf(copy, 0);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->GetRowCount(), 0);
  EXPECT_EQ(Save(copy), data);
}

TEST_F(TableUVF, SomeRowsOnlyAreWrittenWithTheirOwnCounts) {
  // Rows 2 and 3 of the rich table share the cell merged down the last column.
  auto* table = TableOf(source, 1);
  TUVWindowlessEditData doc{&style};
  auto* part = LoadRows(doc, table, 2, 2);
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->GetRowCount(), 2);
  EXPECT_EQ(part->GetColCount(), 3);
  EXPECT_EQ(CheckGrid(part), "");
  EXPECT_EQ(part->GetCells(0, 2)->RowSpan, 2);

  // A range that cuts a cell merged downwards keeps the part of it inside the range.
  TUVWindowlessEditData one{&style};
  auto* last = LoadRows(one, table, 3, 1);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(CheckGrid(last), "");
  EXPECT_EQ(last->GetRowCount(), 1);
  EXPECT_EQ(last->GetCells(0, 2)->RowSpan, 1);

  // Selected cells are written as the table of their rows.
  table->Select(2, 0, 1, 1);
  TMemoryStream selection;
  UVFWriteLine(&selection, Format("%d 1 2", uvsVersion));
  ASSERT_TRUE(table->SaveUVFSelection(&selection, &source, 1));
  selection.SetPosition(0);
  TUVWindowlessEditData selected{&style};
  ASSERT_TRUE(selected.LoadUVFFromStream(&selection, nullptr, nullptr, nullptr));
  ASSERT_NE(TableOf(selected, 0), nullptr);
  EXPECT_EQ(DescribeGrid(TableOf(selected, 0)), DescribeGrid(part));
}

TEST_F(TableUVF, DamagedCellListsFailTheLoadCleanly) {
  // The streamed table of a small document, changed where the cell list is.
  TUVWindowlessEditData doc{&style};
  auto* table = table_test::NumberedTable(2, 2, &doc);
  doc.AddItem(AnsiString(), table);
  struct Case {
    const char* What;
    Integer Rows, Cols;
    bool ExtraCell, MissingCell;
    Integer ColSpan;
    bool Loads;
  } cases[] = {
      {"as written", 2, 2, false, false, 1, true},
      {"negative row count", -1, 2, false, false, 1, false},
      {"no columns", 2, 0, false, false, 1, false},
      {"more cells than the data can hold", 100000, 100000, false, false, 1, false},
      {"one cell too many", 2, 2, true, false, 1, false},
      {"one cell too few", 2, 2, false, true, 1, false},
      {"a span past the grid", 2, 2, false, false, 3, false},
      {"a span of 0", 2, 2, false, false, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    const AnsiString data = WriteTableRecord(doc, table, c.Rows, c.Cols, c.ExtraCell, c.MissingCell, c.ColSpan);
    TUVWindowlessEditData target{&style};
    EXPECT_EQ(Load(target, data), c.Loads);
    if (c.Loads) {
      TUVTableItemInfo* loaded = TableOf(target, 0);
      ASSERT_NE(loaded, nullptr);
      EXPECT_EQ(CheckGrid(loaded), "");
      EXPECT_EQ(loaded->GetRowCount(), 2);
      EXPECT_EQ(loaded->GetColCount(), 2);
    }
  }
}

TEST_F(TableUVF, RowAlignmentsBeyondTheRowsAreIgnoredAndMissingOnesDefaulted) {
  TUVWindowlessEditData doc{&style};
  auto* table = table_test::NumberedTable(2, 1, &doc);
  doc.AddItem(AnsiString(), table);
  for (const auto& [values, expected] : std::vector<std::pair<std::vector<Integer>, std::vector<Integer>>>{
           {{2, 1, 1, 1}, {2, 1}}, {{1}, {1, 0}}, {{7, 2}, {0, 2}}}) {
    TUVWindowlessEditData target{&style};
    ASSERT_TRUE(Load(target, WriteTableRecordWithRowVAlign(doc, table, values)));
    TUVTableItemInfo* loaded = TableOf(target, 0);
    ASSERT_NE(loaded, nullptr);
    for (Integer r = 0; r < 2; ++r) EXPECT_EQ(Integer(loaded->Rows->GetRow(r)->VAlign), expected[r]) << r;
  }
}

}  // namespace
