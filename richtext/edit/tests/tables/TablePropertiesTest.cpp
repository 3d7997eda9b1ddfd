// The properties of tables and cells: their defaults, each table property's change recorded in an
// editor as one action of its own with the flags that say what must be laid out again, cell
// properties and copied attributes, undo and redo of all of these, and values stored directly
// where nothing records them.
#include "classlib/TypInfo.h"
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"
#include "richtext/edit/UVTableUndo.h"
#include "tests/support/TestSupport.h"

namespace {

using table_test::CheckGrid;
using table_test::DescribeGrid;
using table_test::NumberedTable;

class TableProperties : public ::testing::Test {
protected:
  TableProperties() {
    edit_test::SetUpStyles(style);
    doc.ClientWidth = 600;
    doc.AddNL("Before", 0, 0);
    table = NumberedTable(2, 3, &doc);
    doc.AddItem(AnsiString(), table);
    doc.AddNL("After", 0, 0);
    doc.Format(false, false, false, 0, nullptr, false, false);
  }
  TUVUndoInfos* LastAction() { return doc.UndoList->LastAction(); }

  TUVStyle style{nullptr};
  TUVWindowlessEditData doc{&style};
  TUVTableItemInfo* table;
};

TEST_F(TableProperties, EachTablePropertyIsOneActionWithItsLayoutFlags) {
  struct Case {
    const char* Name;
    Integer Value;
    bool NeedsLayout, AffectsWidth;
  } cases[] = {
      {"Color", clYellow, false, false},
      {"HeadingRowCount", 1, false, false},
      {"BorderWidth", 3, true, true},
      {"BorderColor", clRed, false, false},
      {"BorderLightColor", clLime, false, false},
      {"BorderStyle", uvtbColor, false, false},
      {"BorderVSpacing", 5, true, false},
      {"BorderHSpacing", 6, true, true},
      {"CellBorderWidth", 2, true, true},
      {"CellBorderColor", clBlue, false, false},
      {"CellBorderLightColor", clAqua, false, false},
      {"CellPadding", 4, true, true},
      {"CellBorderStyle", uvtbRaisedColor, false, false},
      {"VRuleWidth", 1, false, false},
      {"VRuleColor", clGreen, false, false},
      {"HRuleWidth", 2, false, false},
      {"HRuleColor", clMaroon, false, false},
      {"CellVSpacing", 7, true, false},
      {"CellHSpacing", 8, true, true},
      {"VOutermostRule", 1, false, false},
      {"HOutermostRule", 1, false, false},
  };
  for (const Case& c : cases) {
    Integer old = static_cast<Integer>(GetOrdProp(table, c.Name));
    Integer actions = doc.UndoList->GetCount();
    // The property's own setter, as the program calls it.
    SetOrdProp(table, c.Name, c.Value);
    EXPECT_EQ(GetOrdProp(table, c.Name), c.Value) << c.Name;
    ASSERT_EQ(doc.UndoList->GetCount(), actions + 1) << c.Name;
    EXPECT_EQ(LastAction()->UndoType, uvutModifyTable) << c.Name;
    ASSERT_EQ(LastAction()->GetCount(), 1) << c.Name;
    auto* record = dynamic_cast<TUVUndoModifyItemIntProperty*>(LastAction()->GetRecord(0));
    ASSERT_NE(record, nullptr) << c.Name;
    EXPECT_EQ(record->PropertyName, c.Name);
    EXPECT_EQ(record->OldValue, old) << c.Name;
    EXPECT_EQ(record->AffectSize, c.NeedsLayout) << c.Name;
    EXPECT_EQ(record->AffectWidth, c.AffectsWidth) << c.Name;
    EXPECT_TRUE(table->State & uvtsInDocument) << c.Name;
    edit_test::Undo(doc);
    EXPECT_EQ(GetOrdProp(table, c.Name), old) << c.Name;
    edit_test::Redo(doc);
    EXPECT_EQ(GetOrdProp(table, c.Name), c.Value) << c.Name;
    EXPECT_EQ(edit_test::CheckLayout(doc), "") << c.Name;
  }
}

TEST_F(TableProperties, APropertyChangeNeverJoinsAnotherAction) {
  // Typing just before: the change still gets an action of its own, and undoing it leaves the
  // typed text.
  edit_test::SetCaret(doc, 0, 7);
  edit_test::TypeChar(doc, '!');
  ASSERT_EQ(doc.UndoList->GetCount(), 1);
  table->SetBorderWidth(2);
  ASSERT_EQ(doc.UndoList->GetCount(), 2);
  edit_test::Undo(doc);
  EXPECT_EQ(table->GetTableBorderWidth(), 0);
  EXPECT_EQ(doc.GetItemText(0), "Before!");
  // An empty undo list with recording left pointing nowhere.
  doc.UndoList->Clear();
  doc.RedoList->Clear();
  doc.UndoDest = uvudNone;
  table->SetCellPadding(5);
  EXPECT_EQ(doc.UndoList->GetCount(), 1);
  EXPECT_EQ(table->GetCellPadding(), 5);
}

TEST_F(TableProperties, UndoingThePaddingLaysTheTableOutAgain) {
  Integer width = table->FormattingInfo->Width;
  Integer height = table->FormattingInfo->Height;
  Integer cellWidth = table->GetCells(0, 0)->Width;
  Integer contentWidth = table->GetCells(0, 0)->GetWidth();
  table->SetCellPadding(10);
  doc.Format(false, false, false, 0, nullptr, false, false);
  EXPECT_GT(table->FormattingInfo->Height, height);
  EXPECT_EQ(table->GetCells(0, 0)->GetWidth(), contentWidth - 18);
  edit_test::Undo(doc);
  EXPECT_EQ(table->GetCellPadding(), 1);
  EXPECT_EQ(table->FormattingInfo->Width, width);
  EXPECT_EQ(table->FormattingInfo->Height, height);
  EXPECT_EQ(table->GetCells(0, 0)->Width, cellWidth);
  EXPECT_EQ(table->GetCells(0, 0)->GetWidth(), contentWidth);
}

TEST_F(TableProperties, OutsideADocumentValuesAreStored) {
  TUVTableItemInfo loose(2, 2, nullptr);
  loose.SetBorderWidth(4);
  loose.SetCellHSpacing(9);
  loose.SetCellIntProperty("BestWidth", 77, 0, 1, true, true);
  EXPECT_EQ(loose.GetTableBorderWidth(), 4);
  EXPECT_EQ(loose.GetCellHSpacing(), 9);
  EXPECT_EQ(loose.GetCells(0, 1)->BestWidth, 77);
  // In a document that is not an editor's: stored, nothing recorded, the table marked changed.
  TUVWindowlessData viewer(&style);
  auto* shown = new TUVTableItemInfo(1, 1, &viewer);
  viewer.AddItem(AnsiString(), shown);
  shown->State &= ~static_cast<Word>(uvtsRelayout);
  shown->SetCellPadding(6);
  EXPECT_EQ(shown->GetCellPadding(), 6);
  EXPECT_TRUE(shown->State & uvtsRelayout);
  EXPECT_TRUE(shown->State & uvtsInDocument);
}

TEST_F(TableProperties, CellPropertiesAndAttributesUndoAsOneRecordEach) {
  std::vector<std::string> before = DescribeGrid(table);
  table->SetCellBestWidth(0, 1, -40);
  table->SetCellBestHeight(1, 2, 25);
  ASSERT_EQ(doc.UndoList->GetCount(), 2);
  EXPECT_EQ(table->GetCells(0, 1)->BestWidth, -40);
  EXPECT_EQ(table->GetCells(1, 2)->BestHeight, 25);
  TUVTableCellData* source = table->GetCells(0, 0);
  source->SetCellColor(clRed);
  source->BorderColor = clBlue;
  source->VAlign = uvcBottom;
  source->BestWidth = 90;
  source->BestHeight = 60;
  source->GetVisibleBorders()->Top = false;
  std::vector<std::string> withSource = DescribeGrid(table);
  table->AssignCellAttributes(1, 0, source, true, 2, 3);
  ASSERT_EQ(doc.UndoList->GetCount(), 3);
  TUVTableCellData* target = table->GetCells(1, 0);
  EXPECT_EQ(target->GetCellColor(), clRed);
  EXPECT_EQ(target->BorderColor, clBlue);
  EXPECT_EQ(target->VAlign, uvcBottom);
  EXPECT_EQ(target->BestWidth, 30);
  EXPECT_EQ(target->BestHeight, 30);
  EXPECT_FALSE(target->GetVisibleBorders()->Top);
  // The record between its brackets.
  TUVUndoInfos* action = LastAction();
  Integer properties = 0;
  for (Integer i = 0; i < action->GetCount(); ++i)
    if (auto* record = dynamic_cast<TUVUndoModifyCellIntProperties*>(action->GetRecord(i))) {
      ++properties;
      EXPECT_EQ(record->Row, 1);
      EXPECT_EQ(record->Col, 0);
      EXPECT_TRUE(record->HasBorders);
    }
  EXPECT_EQ(properties, 1);
  edit_test::Undo(doc);
  EXPECT_EQ(DescribeGrid(table), withSource);
  edit_test::Redo(doc);
  EXPECT_FALSE(table->GetCells(1, 0)->GetVisibleBorders()->Top);
  edit_test::Undo(doc);
  edit_test::Undo(doc);
  edit_test::Undo(doc);
  source->SetCellColor(clNone);
  source->BorderColor = clNone;
  source->VAlign = uvcVDefault;
  source->BestWidth = 0;
  source->BestHeight = 0;
  source->GetVisibleBorders()->Top = true;
  EXPECT_EQ(DescribeGrid(table), before);
  EXPECT_EQ(CheckGrid(table), "");
}

TEST_F(TableProperties, AUnchangedValueRecordsNothing) {
  table->SetCellBestWidth(0, 0, 0);
  table->AssignCellAttributes(0, 1, table->GetCells(0, 2), true, 1, 1);
  table->MergeCells(0, 0, 1, 1, false);
  EXPECT_EQ(doc.UndoList->GetCount(), 0);
}

TEST_F(TableProperties, TheCellEffectiveBackground) {
  TUVTableCellData* cell = table->GetCells(0, 0);
  table->State &= ~static_cast<Word>(uvtsInDocument);
  table->SetColor(clNone);
  style.GetParaStyles()->GetItem(0)->GetBackground()->Color = clSilver;
  EXPECT_EQ(cell->GetEffectiveColor(), clSilver);
  style.GetParaStyles()->GetItem(0)->GetBackground()->Color = clNone;
  doc.Color = clCream;
  EXPECT_EQ(cell->GetEffectiveColor(), clCream);
  table->SetColor(clAqua);
  EXPECT_EQ(cell->GetEffectiveColor(), clAqua);
  cell->SetCellColor(clRed);
  EXPECT_EQ(cell->GetEffectiveColor(), clRed);
}

}  // namespace

namespace {

// Style operations of the editor on a selection of cells: each selected cell changed as a whole
// document, the others not, as one action that undoes and redoes cell by cell.
class SelectedCells : public TableProperties {
protected:
  std::vector<Integer> ParaStyles() {
    std::vector<Integer> styles;
    for (Integer r = 0; r < table->GetRowCount(); ++r)
      for (Integer c = 0; c < table->GetColCount(); ++c) styles.push_back(table->GetCells(r, c)->GetItemPara(0));
    return styles;
  }
  std::vector<Integer> TextStyles() {
    std::vector<Integer> styles;
    for (Integer r = 0; r < table->GetRowCount(); ++r)
      for (Integer c = 0; c < table->GetColCount(); ++c) styles.push_back(table->GetCells(r, c)->GetItemStyle(0));
    return styles;
  }
};

TEST_F(SelectedCells, AParagraphStyleGoesToEverySelectedCell) {
  table->Select(0, 1, 1, 1);
  edit_test::ApplyParagraphStyle(doc, edit_test::psCentered);
  EXPECT_EQ(ParaStyles(), (std::vector<Integer>{0, 1, 1, 0, 1, 1}));
  ASSERT_EQ(doc.UndoList->GetCount(), 1);
  EXPECT_EQ(doc.UndoList->LastUndoType(), uvutModifyTable);
  edit_test::Undo(doc);
  EXPECT_EQ(ParaStyles(), (std::vector<Integer>{0, 0, 0, 0, 0, 0}));
  edit_test::Redo(doc);
  EXPECT_EQ(ParaStyles(), (std::vector<Integer>{0, 1, 1, 0, 1, 1}));
  EXPECT_EQ(edit_test::CheckLayout(doc), "");
  edit_test::Undo(doc);
  EXPECT_EQ(ParaStyles(), (std::vector<Integer>{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(CheckGrid(table), "");
}

TEST_F(SelectedCells, TextStylesAreConvertedThroughTheEditorsEvent) {
  doc.OnStyleConversion = [](Integer StyleNo, Integer UserData, bool, Integer& NewStyleNo) {
    NewStyleNo = StyleNo == 0 ? UserData : StyleNo;
  };
  // A cell the program keeps from being edited stays as it is.
  struct Refuser {
    void Ask(TUVTableItemInfo*, Integer Row, Integer Col, bool Automatic, bool& AllowEdit) {
      EXPECT_TRUE(Automatic);
      if (Row == 1 && Col == 2) AllowEdit = false;
    }
  } refuser;
  table->OnCellEditing = TUVCellEditingEvent(&refuser, &Refuser::Ask);
  table->Select(0, 0, 1, 2);
  edit_test::ConvertTextStyles(doc, edit_test::tsBig);
  EXPECT_EQ(TextStyles(), (std::vector<Integer>{1, 1, 1, 1, 1, 0}));
  edit_test::Undo(doc);
  EXPECT_EQ(TextStyles(), (std::vector<Integer>{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(table_test::CellText(table->GetCells(1, 1)), "1,1");
  edit_test::Redo(doc);
  EXPECT_EQ(TextStyles(), (std::vector<Integer>{1, 1, 1, 1, 1, 0}));
}

TEST_F(SelectedCells, NothingWithoutASelectionOrEditing) {
  edit_test::ApplyParagraphStyle(doc, edit_test::psCentered);
  EXPECT_EQ(ParaStyles(), (std::vector<Integer>{0, 0, 0, 0, 0, 0}));
  table->Select(0, 0, 0, 0);
  table->SetOptions(table->GetOptions() - TUVTableOptions{uvtoEditing});
  table->ApplyToSelectedCells(1, edit_test::psCentered);
  EXPECT_EQ(ParaStyles(), (std::vector<Integer>{0, 0, 0, 0, 0, 0}));
  doc.ReadOnly = true;
  table->SetOptions(table->GetOptions() << uvtoEditing);
  table->ApplyToSelectedCells(1, edit_test::psCentered);
  EXPECT_EQ(ParaStyles(), (std::vector<Integer>{0, 0, 0, 0, 0, 0}));
}

}  // namespace

namespace {

TEST_F(SelectedCells, TwoChangesOfSelectedCellsUndoOneAfterTheOther) {
  table->Select(0, 1, 0, 0);
  edit_test::ApplyParagraphStyle(doc, edit_test::psCentered);
  table->Select(1, 0, 0, 0);
  edit_test::ApplyParagraphStyle(doc, edit_test::psCentered);
  ASSERT_EQ(doc.UndoList->GetCount(), 2);
  EXPECT_EQ(ParaStyles(), (std::vector<Integer>{0, 1, 0, 1, 0, 0}));
  edit_test::Undo(doc);
  EXPECT_EQ(ParaStyles(), (std::vector<Integer>{0, 1, 0, 0, 0, 0}));
  edit_test::Undo(doc);
  EXPECT_EQ(ParaStyles(), (std::vector<Integer>{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(CheckGrid(table), "");
}

}  // namespace
