// Tables in RTF and HTML: the RTF the project writes for a table (merging, nesting) and reads back
// into the same grid; tables written by LibreOffice read as tables with their rows, columns,
// merged cells, heading row and texts; table groups without rows read as paragraphs; and the HTML
// of a table in the FONT and the CSS form.
#include <functional>
#include <string>

#include "classlib/Streams.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"
#include "richtext/edit/tests/tablefiles/TableFilesSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using table_test::CellText;
using table_test::CheckGrid;
using table_test::NumberedTable;
using namespace table_files_test;

std::string Fixture(const char* Name) {
  std::string path = std::string("Z:") + TABLE_FIXTURES_DIR + Name;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// Each row: its cells as "text" with "(rows x cols)" after merged ones, "-" for covered slots.
std::vector<std::string> Cells(TUVTableItemInfo* Table) {
  std::vector<std::string> lines;
  for (Integer r = 0; r < Table->GetRowCount(); ++r) {
    std::string line;
    for (Integer c = 0; c < Table->GetColCount(); ++c) {
      if (c > 0) line += " | ";
      TUVTableCellData* cell = Table->GetCells(r, c);
      if (!cell) {
        line += "-";
        continue;
      }
      line += CellText(cell);
      if (cell->RowSpan > 1 || cell->ColSpan > 1) line += Format(" (%dx%d)", cell->RowSpan, cell->ColSpan);
    }
    lines.push_back(line);
  }
  return lines;
}

class TableRTF : public testing_support::IsolatedTest {
protected:
  TableRTF() {
    edit_test::SetUpStyles(style);
    props.TextStyleMode = uvrsAddIfNeeded;
    props.ParaStyleMode = uvrsAddIfNeeded;
  }

  static std::string SaveRTF(TCustomUVData& Doc) {
    TMemoryStream stream;
    EXPECT_TRUE(Doc.SaveRTFToStream(&stream, false, clNone));
    return std::string(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  }
  TUVRTFResult ReadRTF(TCustomUVData& Doc, const std::string& Rtf) {
    TStringStream stream(Rtf);
    return props.ReadFromStream(&stream, &Doc);
  }
  // The tables of a document, in order.
  static std::vector<TUVTableItemInfo*> Tables(TCustomUVData& Doc) {
    std::vector<TUVTableItemInfo*> tables;
    for (Integer i = 0; i < Doc.GetItemCount(); ++i)
      if (auto* t = TableOf(Doc, i)) tables.push_back(t);
    return tables;
  }

  TUVStyle style{nullptr};
  TUVRTFReaderProperties props;
};

TEST_F(TableRTF, TheProjectsOwnTableComesBackFromItsRTF) {
  TUVWindowlessEditData source{&style};
  BuildRichDocument(source);
  TUVWindowlessEditData copy{&style};
  ASSERT_EQ(ReadRTF(copy, SaveRTF(source)), rtf_ec_OK);
  ASSERT_EQ(Tables(copy).size(), 1u);
  TUVTableItemInfo* table = Tables(copy)[0];
  TUVTableItemInfo* original = TableOf(source, 1);
  EXPECT_EQ(CheckGrid(table), "");
  EXPECT_EQ(Cells(table), Cells(original));
  EXPECT_EQ(table->GetHeadingRowCount(), 1);
  EXPECT_EQ(table->GetBestWidth(), -80);
  // The cells' own colours, pixel sizes, hidden side and alignment.
  TUVTableCellData* cell = table->GetCells(0, 0);
  EXPECT_EQ(cell->GetCellColor(), clAqua);
  EXPECT_EQ(cell->BestWidth, 120);
  EXPECT_EQ(cell->BestHeight, 30);
  EXPECT_FALSE(cell->GetVisibleBorders()->Left);
  EXPECT_EQ(cell->VAlign, uvcBottom);
  // Cell borders of one colour are written in the dark one.
  EXPECT_EQ(cell->BorderColor, clGreen);
  EXPECT_EQ(table->GetCells(0, 1)->BestWidth, -25);
  EXPECT_EQ(table->GetCells(3, 1)->VAlign, uvcMiddle);
  // The nested styles of a cell, and the table inside a cell.
  TUVTableCellData* styled = table->GetCells(0, 2);
  ASSERT_EQ(styled->GetItemCount(), 3);
  EXPECT_TRUE(style.GetTextStyles()->GetItem(styled->GetItemStyle(0))->Style.Contains(fsBold));
  EXPECT_EQ(style.GetTextStyles()->GetItem(styled->GetItemStyle(1))->Size, 8);
  EXPECT_EQ(style.GetParaStyles()->GetItem(styled->GetItemPara(2))->Alignment, uvaCenter);
  TUVTableCellData* holder = table->GetCells(3, 0);
  auto inner = Tables(*holder);
  ASSERT_EQ(inner.size(), 1u);
  EXPECT_EQ(Cells(inner[0]), (std::vector<std::string>{"0,0 | 0,1", "1,0 | 1,1"}));
  EXPECT_EQ(inner[0]->GetCells(1, 1)->GetCellColor(), clSilver);
  // The paragraphs around the table.
  EXPECT_EQ(copy.GetItemText(0), "Before");
  EXPECT_EQ(copy.GetItemText(copy.GetItemCount() - 1), "After");
  EXPECT_EQ(copy.GetItemCount(), 3);
  EXPECT_EQ(edit_test::CheckInvariants(copy), "");
}

// A document's paragraphs, one per entry: a table as its rows of cells in brackets (a table in
// a cell described the same way), text as its text.
std::vector<std::string> Paragraphs(TCustomUVData& Doc) {
  std::vector<std::string> out;
  for (Integer i = 0; i < Doc.GetItemCount(); ++i) {
    if (TUVTableItemInfo* table = TableOf(Doc, i)) {
      std::string text = "[";
      for (Integer r = 0; r < table->GetRowCount(); ++r)
        for (Integer c = 0; c < table->GetColCount(); ++c) {
          TUVTableCellData* cell = table->GetCells(r, c);
          if (r > 0 || c > 0) text += c == 0 ? " / " : " | ";
          if (!cell) continue;
          std::vector<std::string> inside = Paragraphs(*cell);
          for (std::size_t k = 0; k < inside.size(); ++k) text += (k > 0 ? " " : "") + inside[k];
        }
      out.push_back(text + "]");
    } else if (i == 0 || Doc.IsParaStart(i)) {
      out.push_back(Doc.GetItemText(i));
    } else {
      out.back() += Doc.GetItemText(i);
    }
  }
  return out;
}

TEST_F(TableRTF, TablesOneAfterTheOtherStayTablesOfTheirOwn) {
  // A table of 2 x 2 cells "r,c" and one of 1 x 3 cells "t,c", directly after each other.
  auto addTables = [](TCustomUVData& Doc, bool EmptyParagraphBetween = false) {
    Doc.AddItem(AnsiString(), NumberedTable(2, 2, &Doc));
    if (EmptyParagraphBetween) Doc.AddNL("", edit_test::tsNormal, edit_test::psNormal);
    TUVTableItemInfo* second = NumberedTable(1, 3, &Doc);
    for (Integer c = 0; c < 3; ++c) table_test::SetCellText(second->GetCells(0, c), "t," + IntToStr(c));
    Doc.AddItem(AnsiString(), second);
  };
  const std::string first = "[0,0 | 0,1 / 1,0 | 1,1]", second = "[t,0 | t,1 | t,2]";
  struct Case {
    const char* Name;
    std::function<void(TCustomUVData&)> Build;
    std::vector<std::string> Expected;  // read back
  } cases[] = {
      {"between paragraphs",
       [&](TCustomUVData& Doc) {
         Doc.AddNL("Before", edit_test::tsNormal, edit_test::psNormal);
         addTables(Doc);
         Doc.AddNL("After", edit_test::tsNormal, edit_test::psNormal);
       },
       {"Before", first, second, "After"}},
      {"at the start and the end of the document", [&](TCustomUVData& Doc) { addTables(Doc); }, {first, second}},
      {"with an empty paragraph of the document between them",
       [&](TCustomUVData& Doc) { addTables(Doc, true); }, {first, "", second}},
      {"inside a cell",
       [&](TCustomUVData& Doc) {
         TUVTableItemInfo* holder = NumberedTable(1, 2, &Doc);
         TUVTableCellData* cell = holder->GetCells(0, 1);
         cell->Clear();
         cell->AddNL("In", edit_test::tsNormal, edit_test::psNormal);
         addTables(*cell);
         Doc.AddItem(AnsiString(), holder);
         Doc.AddNL("After", edit_test::tsNormal, edit_test::psNormal);
       },
       {"[0,0 | In " + first + " " + second + "]", "After"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TUVWindowlessEditData source{&style};
    c.Build(source);
    TUVWindowlessEditData copy{&style};
    const std::string rtf = SaveRTF(source);
    ASSERT_EQ(ReadRTF(copy, rtf), rtf_ec_OK);
    EXPECT_EQ(Paragraphs(copy), c.Expected) << rtf;
    // Other readers see a paragraph between the tables, which keeps them apart; one of the
    // document's own needs no mark.
    const bool separated = rtf.find("row}\r\n\\uzuruvadtsep\\par\\pard") != std::string::npos;
    EXPECT_EQ(separated, c.Expected.size() < 3 || c.Expected[1] != "") << rtf;
    EXPECT_EQ(edit_test::CheckInvariants(copy), "");
    // Written again, the document reads back the same: nothing more is added.
    TUVWindowlessEditData again{&style};
    ASSERT_EQ(ReadRTF(again, SaveRTF(copy)), rtf_ec_OK);
    EXPECT_EQ(Paragraphs(again), c.Expected);
  }
}

TEST_F(TableRTF, MergedCellsAndNestedTablesAreWrittenAsRTFMarksThem) {
  TUVWindowlessEditData doc{&style};
  TUVTableItemInfo* table = NumberedTable(2, 2, &doc);
  table->Rows->MergeCells(0, 0, 2, 1, true, true);
  TUVTableCellData* holder = table->GetCells(1, 1);
  holder->AddItem(AnsiString(), NumberedTable(1, 2, holder));
  doc.AddItem(AnsiString(), table);
  const std::string rtf = SaveRTF(doc);
  const std::size_t firstRow = rtf.find("\\trowd");
  const std::size_t secondRow = rtf.find("\\trowd", firstRow + 1);
  ASSERT_NE(secondRow, std::string::npos);
  const std::string row0 = rtf.substr(firstRow, rtf.find("\\pard", firstRow) - firstRow);
  EXPECT_LT(row0.find("\\clmgf"), row0.find("\\clmrg"));
  EXPECT_NE(row0.find("\\clmrg"), std::string::npos);
  std::size_t edges = 0;
  for (std::size_t at = row0.find("\\cellx"); at != std::string::npos; at = row0.find("\\cellx", at + 1)) ++edges;
  EXPECT_EQ(edges, 2u);
  // The nested table: its own row group, the "nest" words and one level more.
  const std::size_t nested = rtf.find("{\\*\\nesttableprops\\trowd");
  ASSERT_NE(nested, std::string::npos);
  EXPECT_NE(rtf.find("\\itap2", nested), std::string::npos);
  EXPECT_NE(rtf.find("\\nestcell}", nested), std::string::npos);
  EXPECT_NE(rtf.find("\\nestrow}", nested), std::string::npos);
  EXPECT_EQ(rtf.find("\\itap1\\trhdr"), std::string::npos);

  TUVWindowlessEditData copy{&style};
  ASSERT_EQ(ReadRTF(copy, rtf), rtf_ec_OK);
  ASSERT_EQ(Tables(copy).size(), 1u);
  EXPECT_EQ(Cells(Tables(copy)[0]), (std::vector<std::string>{"0,0|0,1 (1x2) | -", "1,0 | 1,1|"}));
  auto inner = Tables(*Tables(copy)[0]->GetCells(1, 1));
  ASSERT_EQ(inner.size(), 1u);
  EXPECT_EQ(Cells(inner[0]), (std::vector<std::string>{"0,0 | 0,1"}));
}

TEST_F(TableRTF, LibreOfficeTablesReadAsTables) {
  struct Case {
    const char* File;
    Integer HeadingRows;
    std::vector<std::string> Cells;
  } cases[] = {
      {"table-2x2.rtf", 0, {"North | South", "East | West"}},
      {"table-merged.rtf",
       1,
       {"Book | Chapter | Verse", "Genesis one (1x2) | - | 1", "Exodus (2x1) | 2 | 3", "- | 4 | 5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.File);
    TUVWindowlessEditData doc{&style};
    ASSERT_EQ(props.ReadFromFile(Fixture(c.File).c_str(), &doc), rtf_ec_OK);
    auto tables = Tables(doc);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(CheckGrid(tables[0]), "");
    EXPECT_EQ(Cells(tables[0]), c.Cells);
    EXPECT_EQ(tables[0]->GetHeadingRowCount(), c.HeadingRows);
    EXPECT_EQ(edit_test::CheckInvariants(doc), "");
    // The borders drawn once between neighbours leave a table that lays out with every cell.
    doc.ClientWidth = 600;
    doc.Format(false, false, false, 0, nullptr, false, false);
    EXPECT_GT(tables[0]->FormattingInfo->Width, 0);
    for (Integer r = 0; r < tables[0]->GetRowCount(); ++r)
      for (Integer col = 0; col < tables[0]->GetColCount(); ++col)
        if (TUVTableCellData* cell = tables[0]->GetCells(r, col)) {
          EXPECT_GT(cell->Width, 0) << r << "," << col;
          EXPECT_GT(cell->Height, 0) << r << "," << col;
        }
  }
}

TEST_F(TableRTF, TableGroupsWithoutRowsReadAsParagraphs) {
  TUVWindowlessEditData doc{&style};
  ASSERT_EQ(ReadRTF(doc, "{\\rtf1 Before\\par\\intbl One\\cell Two\\cell\\pard After\\par}"), rtf_ec_OK);
  EXPECT_TRUE(Tables(doc).empty());
  EXPECT_EQ(edit_test::Texts(doc), (std::vector<AnsiString>{"Before", "One", "Two", "After"}));
}

TEST_F(TableRTF, RowsWithOtherBoundariesSplitAndMergeColumns) {
  // The second row puts a boundary inside the first row's only cell, and the third row's cell
  // spans both.
  TUVWindowlessEditData doc{&style};
  ASSERT_EQ(ReadRTF(doc, "{\\rtf1\\trowd\\cellx2000\\intbl A\\cell\\row"
                         "\\trowd\\cellx1000\\cellx2000\\intbl B\\cell C\\cell\\row"
                         "\\trowd\\clvmrg\\cellx2000\\intbl D\\cell\\row\\pard End\\par}"),
            rtf_ec_OK);
  auto tables = Tables(doc);
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_EQ(CheckGrid(tables[0]), "");
  EXPECT_EQ(Cells(tables[0]), (std::vector<std::string>{"A (1x2) | -", "B | C", "D (1x2) | -"}));
}

TEST_F(TableRTF, ARowWithoutBoundariesAndCellWordsAfterItAreRead) {
  // The row ends without a \cellx; the words that follow describe a cell of the next row.
  TUVWindowlessEditData doc{&style};
  ASSERT_EQ(ReadRTF(doc, "{\\rtf1\\trowd\\intbl A\\cell\\row\\clvmgf\\clcbpat1\\cellx1000\\intbl B\\cell\\row\\pard C\\par}"),
            rtf_ec_OK);
  auto tables = Tables(doc);
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_EQ(CheckGrid(tables[0]), "");
  EXPECT_EQ(tables[0]->GetRowCount(), 2);
}

}  // namespace
