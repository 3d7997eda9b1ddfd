// Tables as HTML, with FONT tags and with CSS: the table's attributes, a cell across two columns
// as one TD, cell sizes, colours and alignment, an empty cell, and the CSS border styles of the
// table and its cells.
#include <string>

#include "classlib/Streams.h"
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using table_test::NumberedTable;

class TableHTML : public ::testing::Test {
protected:
  TableHTML() {
    edit_test::SetUpStyles(style);
    TUVTableItemInfo* table = NumberedTable(2, 2, &doc);
    table->Rows->MergeCells(0, 0, 2, 1, true, false);
    table->SetBestWidth(300);
    table->SetBorderWidth(2);
    table->SetBorderStyle(uvtbLoweredColor);
    table->SetBorderColor(clRed);
    table->SetBorderLightColor(clYellow);
    table->SetCellPadding(4);
    table->SetCellBorderWidth(1);
    table->SetCellBorderStyle(uvtbRaisedColor);
    table->SetCellBorderColor(clNavy);
    table->SetCellBorderLightColor(clSilver);
    table->GetCells(1, 0)->Clear();
    table->GetCells(1, 0)->AddNL(AnsiString(), 0, 0);
    TUVTableCellData* cell = table->GetCells(1, 1);
    cell->BestWidth = 50;
    cell->BestHeight = 20;
    cell->SetCellColor(clLime);
    cell->VAlign = uvcBottom;
    cell->GetVisibleBorders()->Top = false;
    table->Rows->GetRow(1)->VAlign = uvcMiddle;
    doc.AddItem(AnsiString(), table);
  }

  std::string Html(bool CSS) {
    TMemoryStream stream;
    if (CSS)
      doc.SaveHTMLToStreamWithCSS(&stream, "", "", "img", uvsoMiddleOnly, clWindow, 0, 0, 0, 0, nullptr, "");
    else
      doc.SaveHTMLToStream(&stream, "", "", "img", uvsoMiddleOnly, clWindow, 0, 0, 0, 0, nullptr);
    return std::string(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  }

  TUVStyle style{nullptr};
  TUVWindowlessEditData doc{&style};
};

TEST_F(TableHTML, TheFontFormWritesTheTableAsAttributes) {
  const std::string html = Html(false);
  const char* const expected[] = {
      "<TABLE width=300 bgcolor=#FFFFFF border=2 cellpadding=4 bordercolordark=#FF0000 bordercolorlight=#FFFF00>",
      "<TR><TD colspan=2>",
      "</TD></TR>\r\n<TR valign=middle><TD>&nbsp;</TD><TD width=50 height=20 bgcolor=#00FF00 valign=bottom>",
      "</TD></TR>\r\n</TABLE>",
  };
  for (const char* part : expected) EXPECT_NE(html.find(part), std::string::npos) << part << "\n" << html;
  EXPECT_EQ(html.find("style="), std::string::npos);
  EXPECT_NE(html.find(">0,0<"), std::string::npos);
  EXPECT_NE(html.find(">1,1<"), std::string::npos);
}

TEST_F(TableHTML, TheCSSFormAddsTheBorderStyles) {
  const std::string html = Html(true);
  const std::string cellBorders = "border-color : #C0C0C0 #000080 #000080 #C0C0C0; border-style: solid; ";
  const std::string expected[] = {
      "<TABLE width=300 bgcolor=#FFFFFF border=2 cellpadding=4 bordercolordark=#FF0000 bordercolorlight=#FFFF00 "
      "style='{border-color : #FF0000 #FFFF00 #FFFF00 #FF0000; border-style: solid}'>",
      "<TR><TD colspan=2 style='{" + cellBorders + "}'>",
      "<TR valign=middle><TD style='{" + cellBorders + "}'>&nbsp;</TD>",
      "<TD width=50 height=20 bgcolor=#00FF00 valign=bottom style='{" + cellBorders + "border-top: none; }'>",
  };
  for (const std::string& part : expected) EXPECT_NE(html.find(part), std::string::npos) << part << "\n" << html;
}

TEST_F(TableHTML, ThinBordersInTheCSSFormAndCellBorderWidths) {
  TUVTableItemInfo* table = static_cast<TUVTableItemInfo*>(doc.GetItem(0));
  struct Case {
    Integer BorderWidth, CellBorderWidth;
    TUVTableBorderStyle CellStyle;
    const char* Table;
    const char* Cell;
  } cases[] = {
      // A table without a border of its own whose cells have one.
      {0, 1, uvtbRaised, "<TABLE width=300 bgcolor=#FFFFFF border=1 style='{border-width : 0px}' cellpadding=4",
       "<TD colspan=2 style='{border-width : 1px; border-style: outset; }'>"},
      // Cells with wider borders than the table's say so.
      {1, 3, uvtbLowered, "<TABLE width=300 bgcolor=#FFFFFF border=1 cellpadding=4",
       "<TD colspan=2 style='{border-width : 3px; }'>"},
  };
  for (const Case& c : cases) {
    table->SetBorderWidth(c.BorderWidth);
    table->SetCellBorderWidth(c.CellBorderWidth);
    table->SetCellBorderStyle(c.CellStyle);
    const std::string html = Html(true);
    EXPECT_NE(html.find(c.Table), std::string::npos) << c.Table << "\n" << html;
    EXPECT_NE(html.find(c.Cell), std::string::npos) << c.Cell << "\n" << html;
  }
}

}  // namespace
