// A table in the editor edited in place: a click on a cell opens the cell editor over it with the
// caret where the click was; typing goes into the cell and the table grows with its text; Tab,
// Shift+Tab and the arrows move from cell to cell and out of the table; Ctrl+Z undoes in the cell,
// then the editor's own last action, and after leaving the cell the cell's typing as one action;
// a read-only editor stays read-only.
#include "richtext/edit/UVTInplace.h"
#include "richtext/edit/UVTable.h"
#include "richtext/edit/tests/control/EditorTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"

namespace {

using editor_test::TypeText;
using table_test::CellText;
using viewer_test::ProcessFor;
using viewer_test::TypeKey;

class CellEditor : public editor_test::EditorFixture {
protected:
  // A verse, a table of 2 x 2 cells reading "r,c", a verse; shown with the focus.
  void SetUp() override {
    EditorFixture::SetUp();
    editor->Clear();
    editor->AddNL("Before the table", edit_test::tsNormal, edit_test::psNormal);
    table = table_test::NumberedTable(2, 2, editor->GetEditData());
    table->SetCellBorderWidth(1);
    editor->GetEditData()->AddItem(AnsiString(), table);
    editor->AddNL("After the table", edit_test::tsNormal, edit_test::psNormal);
    ShowForm();
    editor->Format();
    ProcessFor(50);
  }
  TPoint CellPoint(Integer Row, Integer Col, Integer DX = 0) {
    TUVEditUVData* data = editor->GetEditData();
    TUVDrawLineInfo* line = data->DrawItems->Get(data->ItemToFirstDrawItem(1));
    Integer x = line->Left - editor->GetHOffs(), y = line->Top - editor->GetVOffs();
    TUVTableCellData* cell = table->GetCells(Row, Col);
    return Point(x + cell->Left + (DX ? DX : cell->Width / 2), y + cell->Top + cell->Height / 2);
  }
  TUVTableInplaceEdit* CellEditorOpen() { return table->GetInplaceEditor(); }
  // The edited cell as "r,c", or "none".
  std::string Edited() {
    Integer r, c;
    table->GetEditedCell(r, c);
    return r < 0 ? "none" : std::to_string(r) + "," + std::to_string(c);
  }
  TUVTableItemInfo* table = nullptr;
};

// The text of the cell editor's document, paragraphs separated by "|".
std::string TextOf(TCustomUVData* Data) {
  std::string text;
  for (Integer i = 0; i < Data->GetItemCount(); ++i) {
    if (i > 0 && Data->IsParaStart(i)) text += "|";
    text += Data->GetItemText(i);
  }
  return text;
}

TEST_F(CellEditor, AClickOpensTheCellEditorAndTypingGoesIntoTheCell) {
  Click(CellPoint(0, 1, 3));
  ProcessFor(30);
  ASSERT_NE(CellEditorOpen(), nullptr);
  EXPECT_EQ(Edited(), "0,1");
  EXPECT_TRUE(CellEditorOpen()->Focused());
  EXPECT_TRUE(CellEditorOpen()->GetVisible());
  // The click put the caret before the text: what is typed comes first.
  TypeText("Gen ");
  EXPECT_EQ(TextOf(CellEditorOpen()->GetEditData()), "Gen 0,1");
  Screenshot("cell-editor-typing");
  // A long text makes the table grow, the editor with its cell.
  Integer before = table->GetCells(0, 1)->Height;
  TypeText("in the beginning was the word and the word was with God");
  ProcessFor(30);
  EXPECT_GT(table->GetCells(0, 1)->Height, before);
  EXPECT_EQ(CellEditorOpen()->GetHeight(), table->GetCells(0, 1)->Height);
  Screenshot("cell-editor-grown");
  // The document's plain text holds what the cell editor holds.
  EXPECT_NE(Text().find("Gen in the beginning"), std::string::npos) << Text();
  // So do the document's files: saved while the cell is edited, nothing typed is lost.
  for (bool rtf : {false, true}) {
    TMemoryStream stream;
    ASSERT_TRUE(rtf ? editor->SaveRTFToStream(&stream, false) : editor->SaveUVFToStream(&stream, false));
    std::string saved(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
    EXPECT_NE(saved.find("Gen in the beginning"), std::string::npos) << (rtf ? "RTF" : "UVF");
  }
  // A click outside the table closes the editor: the cell keeps the text.
  Click(PointAt(2, 3));
  ProcessFor(30);
  EXPECT_EQ(CellEditorOpen(), nullptr);
  EXPECT_EQ(CellText(table->GetCells(0, 1)), "Gen in the beginning was the word and the word was with God0,1");
  EXPECT_EQ(Caret(), (editor_test::Place{2, 3}));
}

TEST_F(CellEditor, DraggingFromTheEditedCellIntoAnotherSelectsCells) {
  // The drag starts with the click that opens the cell editor (the host has the mouse), or with
  // a press in the cell editor already open (the editor has it and looks selected meanwhile).
  for (bool inEditor : {false, true}) {
    SCOPED_TRACE(inEditor ? "in the open cell editor" : "with the opening click");
    Click(CellPoint(0, 0, 3));
    ProcessFor(30);
    ASSERT_EQ(Edited(), "0,0");
    if (!inEditor) {
      // A drag inside the cell selects its text; on into the next row it selects cells.
      Drag(CellPoint(0, 0, 3), CellPoint(1, 1));
    } else {
      TUVTableInplaceEdit* cell = CellEditorOpen();
      cell->ClickTime = 0;
      auto local = [&](TPoint P) { return Point(P.X - cell->GetLeft(), P.Y - cell->GetTop()); };
      viewer_test::Mouse(cell, WM_LBUTTONDOWN, MK_LBUTTON, local(CellPoint(0, 0, 3)));
      viewer_test::Mouse(cell, WM_MOUSEMOVE, MK_LBUTTON, local(CellPoint(0, 0, 8)));
      EXPECT_FALSE(cell->GetDimmed());
      viewer_test::Mouse(cell, WM_MOUSEMOVE, MK_LBUTTON, local(CellPoint(1, 1)));
      ProcessFor(30);
      EXPECT_TRUE(cell->GetDimmed());
      EXPECT_EQ(cell->GetColor(), style->SelColor);
      Screenshot("cell-editor-dimmed");
      // Back over its own cell the editor shows its own selection again.
      viewer_test::Mouse(cell, WM_MOUSEMOVE, MK_LBUTTON, local(CellPoint(0, 0, 8)));
      EXPECT_FALSE(cell->GetDimmed());
      EXPECT_FALSE(table->HasPartialSelection());
      viewer_test::Mouse(cell, WM_MOUSEMOVE, MK_LBUTTON, local(CellPoint(1, 1)));
      viewer_test::Mouse(cell, WM_LBUTTONUP, 0, local(CellPoint(1, 1)));
    }
    ProcessFor(30);
    EXPECT_EQ(CellEditorOpen(), nullptr);
    Integer top, left, rows, cols;
    ASSERT_TRUE(table->GetNormalizedSelectionBounds(false, top, left, rows, cols));
    EXPECT_EQ(std::vector<Integer>({top, left, rows, cols}), std::vector<Integer>({0, 0, 2, 2}));
    EXPECT_TRUE(editor->Focused());
    Screenshot(inEditor ? "cell-editor-dragged-in-editor" : "cell-editor-dragged");
    EXPECT_EQ(CellText(table->GetCells(0, 0)), "0,0");
    // A click elsewhere ends the cell selection before the next round.
    Click(PointAt(2, 3));
    ProcessFor(30);
  }
}

TEST_F(CellEditor, ACellEditorStepsAsideWhileAColumnBorderIsDragged) {
  Click(CellPoint(0, 0, 3));
  ProcessFor(30);
  TypeText("ab");
  ASSERT_EQ(Edited(), "0,0");
  Integer before = table->FormattingInfo->ColWidths[0];
  TPoint cell = CellPoint(0, 0);
  TPoint border(cell.X - table->GetCells(0, 0)->Width / 2 + table->FormattingInfo->ColStarts[1] -
                    table->FormattingInfo->ColStarts[0] - 1,
                cell.Y);
  Drag(border, Point(border.X + 30, border.Y));
  ProcessFor(30);
  EXPECT_EQ(table->FormattingInfo->ColWidths[0], before + 30);
  // Back on its cell, with the caret where it was and the typing kept.
  ASSERT_EQ(Edited(), "0,0");
  EXPECT_EQ(CellEditorOpen()->GetWidth(), table->GetCells(0, 0)->Width);
  TypeText("c");
  EXPECT_EQ(TextOf(CellEditorOpen()->GetEditData()), "abc0,0");
}

TEST_F(CellEditor, AQuickSecondClickOnTheOpenedCellSelectsAWord) {
  table_test::SetCellText(table->GetCells(0, 1), "Genesis one");
  table->MarkChanged();
  editor->Format();
  Click(CellPoint(0, 1, 12));
  ProcessFor(10);
  ASSERT_NE(CellEditorOpen(), nullptr);
  // The second click reaches the editor now lying over the cell.
  TUVTableInplaceEdit* cell = CellEditorOpen();
  TPoint at = Point(12, cell->GetHeight() / 2);
  // The word is looked up where the mouse pointer is.
  TPoint screen = cell->ClientToScreen(at);
  ::SetCursorPos(screen.X, screen.Y);
  std::vector<std::string> words;
  editor->OnUVDblClick =
      TUVDblClickEvent::FromFunction([&](TObject*, const AnsiString& w, Integer) { words.push_back(w.c_str()); });
  viewer_test::Click(cell, at);
  ProcessFor(30);
  EXPECT_EQ(cell->GetSelText(), "Genesis");
  // The host editor hears of the double click as if it had been its own.
  EXPECT_EQ(words, std::vector<std::string>{"Genesis"});
}

TEST_F(CellEditor, TheHostEditorHearsTheCellEditorsMouseHyperlinkAndControlEvents) {
  Click(CellPoint(0, 1, 3));
  ProcessFor(30);
  TUVTableInplaceEdit* cell = CellEditorOpen();
  ASSERT_NE(cell, nullptr);
  std::vector<std::string> log;
  auto point = [](Integer X, Integer Y) { return std::to_string(X) + "," + std::to_string(Y); };
  editor->OnUVMouseDown = TUVMouseEvent::FromFunction(
      [&](TObject* s, TMouseButton, TShiftState, Integer, Integer X, Integer Y) {
        log.push_back(std::string(s == editor ? "" : "?") + "down " + point(X, Y));
      });
  editor->OnUVMouseUp = TUVMouseEvent::FromFunction(
      [&](TObject*, TMouseButton, TShiftState, Integer, Integer X, Integer Y) { log.push_back("up " + point(X, Y)); });
  editor->OnClick = TNotifyEvent::FromFunction([&](TObject*) { log.push_back("click"); });
  editor->OnJump = TJumpEvent::FromFunction([&](TObject*, Integer id) { log.push_back("jump " + std::to_string(id)); });
  editor->OnMouseMove = TMouseMoveEvent::FromFunction(
      [&](TObject*, TShiftState, Integer X, Integer Y) { log.push_back("move " + point(X, Y)); });
  editor->OnControlAction = TUVControlActionEvent::FromFunction(
      [&](TObject*, TUVControlAction a, Integer, TControl*&) { log.push_back("action " + std::to_string(a)); });
  // A click in the cell editor reaches the host at the host's coordinates of the same point.
  TPoint at = Point(6, cell->GetHeight() / 2);
  TPoint host = Point(at.X + cell->GetLeft(), at.Y + cell->GetTop());
  // A plain click, not the second half of a double click on the cell.
  cell->ClickTime = 0;
  viewer_test::Click(cell, at);
  ProcessFor(30);
  // A hyperlink followed in the cell, and a control's life in it, are the host's.
  cell->GetEditData()->DoJump(7);
  TControl* control = nullptr;
  cell->GetEditData()->ControlAction(uvcaAfterUVFLoad, 0, control);
  ProcessFor(30);
  std::vector<std::string> expected = {"down " + point(host.X, host.Y), "click", "up " + point(host.X, host.Y),
                                       "action 0", "jump 7"};
  // Moves come as often as the system makes them up: they are compared on their own.
  std::vector<std::string> seen;
  for (const std::string& e : log)
    if (e.rfind("move", 0) != 0) seen.push_back(e);
  EXPECT_EQ(seen, expected);
  viewer_test::Mouse(cell, WM_MOUSEMOVE, 0, Point(at.X + 2, at.Y));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "move " + point(host.X + 2, host.Y));
  // The cell editor is still the one on the cell: nothing forwarded closed it.
  EXPECT_EQ(CellEditorOpen(), cell);
}

TEST_F(CellEditor, SearchingWhileACellIsEditedFindsItsTextAndGoesOn) {
  Click(CellPoint(0, 1, 3));
  ProcessFor(30);
  TypeText("x ");
  ASSERT_EQ(Edited(), "0,1");
  SetCaret(0, 1);
  // From the start: the text typed into the edited cell, then the next cell's.
  table_test::SetCellText(table->GetCells(1, 0), "an x");
  table->MarkChanged();
  editor->Format();
  EXPECT_TRUE(editor->SearchText("x", uvsoDown));
  EXPECT_EQ(CellEditorOpen(), nullptr);
  EXPECT_EQ(editor->GetUVData()->GetChosenData(), table->GetCells(0, 1));
  EXPECT_TRUE(editor->SearchText("x", uvsoDown));
  EXPECT_EQ(editor->GetUVData()->GetChosenData(), table->GetCells(1, 0));
  EXPECT_FALSE(editor->SearchText("x", uvsoDown));
}

TEST_F(CellEditor, TabShiftTabAndArrowsMoveAcrossTheCellsAndOutOfTheTable) {
  Click(CellPoint(0, 0, 3));
  ProcessFor(30);
  ASSERT_EQ(Edited(), "0,0");
  struct Step {
    const char* Name;
    Word Key;
    bool Shift;
    std::string Cell;  // "none": the caret is in the editor's own text
  } steps[] = {
      {"Tab", VK_TAB, false, "0,1"},
      {"Tab into the next row", VK_TAB, false, "1,0"},
      {"Shift+Tab", VK_TAB, true, "0,1"},
      {"Tab", VK_TAB, false, "1,0"},
      {"Tab", VK_TAB, false, "1,1"},
      {"Tab in the last cell stays", VK_TAB, false, "1,1"},
      {"Up: at the end of the text above", VK_UP, false, "0,1"},
      {"Home", VK_HOME, false, "0,1"},
      {"Left at the start of the text", VK_LEFT, false, "0,0"},
      {"Right at the end of the text", VK_RIGHT, false, "0,1"},
      {"Down", VK_DOWN, false, "1,1"},
  };
  for (const Step& s : steps) {
    TypeKey(s.Key, s.Shift);
    ProcessFor(30);
    EXPECT_EQ(Edited(), s.Cell) << s.Name;
    if (CellEditorOpen()) {
      EXPECT_TRUE(CellEditorOpen()->Focused()) << s.Name;
    }
  }
  // Entering 0,1 from the right put the caret at its start, Down into 1,1 at the start too:
  // Right past the end of the last cell leaves the table after it.
  TypeKey(VK_END);
  TypeKey(VK_RIGHT);
  ProcessFor(50);
  EXPECT_EQ(Edited(), "none");
  EXPECT_TRUE(editor->Focused());
  EXPECT_EQ(Caret(), (editor_test::Place{1, 1}));
  // Left steps back into the last cell, at the end of its text.
  TypeKey(VK_LEFT);
  ProcessFor(30);
  EXPECT_EQ(Edited(), "1,1");
  TypeText("!");
  EXPECT_EQ(TextOf(CellEditorOpen()->GetEditData()), "1,1!");
  // Up from the first row leaves before the table.
  TypeKey(VK_UP);
  TypeKey(VK_UP);
  ProcessFor(50);
  EXPECT_EQ(Edited(), "none");
  EXPECT_EQ(Caret(), (editor_test::Place{1, 0}));
  // Ctrl+Tab types a tab (spaces) in the cell.
  Click(CellPoint(1, 0, 3));
  ProcessFor(30);
  TypeKey(VK_TAB, false, true);
  ProcessFor(30);
  EXPECT_EQ(Edited(), "1,0");
  EXPECT_EQ(TextOf(CellEditorOpen()->GetEditData()),
            std::string(static_cast<std::size_t>(style->SpacesInTab), ' ') + "1,0");
}

TEST_F(CellEditor, CtrlZUndoesInTheCellThenTheEditorsActionAndTheCellsTypingAfterLeavingIt) {
  // An action of the editor itself before the cell is edited.
  SetCaret(0, 1);
  TypeText("X");
  ASSERT_EQ(editor->GetItemText(0), "XBefore the table");
  Click(CellPoint(0, 0, 3));
  ProcessFor(30);
  TypeText("a");
  ASSERT_EQ(TextOf(CellEditorOpen()->GetEditData()), "a0,0");
  // Inside the cell Ctrl+Z takes the cell's typing back.
  TypeKey('Z', false, true);
  EXPECT_EQ(TextOf(CellEditorOpen()->GetEditData()), "0,0");
  EXPECT_EQ(editor->GetItemText(0), "XBefore the table");
  // With nothing left in the cell it undoes the editor's last action, closing the cell editor.
  TypeKey('Z', false, true);
  ProcessFor(50);
  EXPECT_EQ(editor->GetItemText(0), "Before the table");
  EXPECT_EQ(CellEditorOpen(), nullptr);
  EXPECT_EQ(CellText(table->GetCells(0, 0)), "0,0");

  // Typing in a cell and leaving it: Ctrl+Z in the editor takes the typing back as one action,
  // Ctrl+Y brings it back.
  Click(CellPoint(1, 1, 3));
  ProcessFor(30);
  TypeText("yz");
  TypeKey(VK_TAB, true);
  TypeText("w");
  Click(PointAt(2, 3));
  ProcessFor(30);
  ASSERT_EQ(CellEditorOpen(), nullptr);
  EXPECT_EQ(CellText(table->GetCells(1, 1)), "yz1,1");
  EXPECT_EQ(CellText(table->GetCells(1, 0)), "1,0w");
  TypeKey('Z', false, true);
  ProcessFor(30);
  EXPECT_EQ(CellText(table->GetCells(1, 0)), "1,0");
  EXPECT_EQ(CellText(table->GetCells(1, 1)), "yz1,1");
  TypeKey('Z', false, true);
  ProcessFor(30);
  EXPECT_EQ(CellText(table->GetCells(1, 1)), "1,1");
  TypeKey('Y', false, true);
  ProcessFor(30);
  EXPECT_EQ(CellText(table->GetCells(1, 1)), "yz1,1");
  EXPECT_EQ(editor_test::BeepCount(), 0);
}

// The point over the middle of a cell of a table shown by a viewer (a cell editor too), DX
// pixels into the cell when given.
TPoint CellPointIn(TCustomUzurUvad* Viewer, TUVTableItemInfo* Table, Integer Row, Integer Col, Integer DX = 0) {
  TUVControlData* data = Viewer->GetUVData();
  TUVDrawLineInfo* line = data->DrawItems->Get(data->ItemToFirstDrawItem(Table->GetItemIndex()));
  TUVTableCellData* cell = Table->GetCells(Row, Col);
  return Point(line->Left - Viewer->GetHOffs() + cell->Left + (DX ? DX : cell->Width / 2),
               line->Top - Viewer->GetVOffs() + cell->Top + cell->Height / 2);
}

TEST_F(CellEditor, ClosingACellEditorClosesTheCellEditorsOpenInsideItKeepingTheirEdits) {
  // A table of 1 x 2 cells reading "in0" and "in1" below the text of cell 0,0.
  TUVTableCellData* outerCell = table->GetCells(0, 0);
  auto* inner = new TUVTableItemInfo(1, 2, outerCell);
  inner->ParaNo = 0;
  table_test::SetCellText(inner->GetCells(0, 0), "in0");
  table_test::SetCellText(inner->GetCells(0, 1), "in1");
  outerCell->AddItem(AnsiString(), inner);
  table->MarkChanged();
  editor->Format();
  ProcessFor(30);

  // The outer cell's editor opens, then the inner cell's inside it; a letter goes into the inner
  // cell.
  Click(CellPoint(0, 0, 3));
  ProcessFor(30);
  TUVTableInplaceEdit* outerEditor = CellEditorOpen();
  ASSERT_NE(outerEditor, nullptr);
  outerEditor->ClickTime = 0;
  viewer_test::Click(outerEditor, CellPointIn(outerEditor, inner, 0, 1, 3));
  ProcessFor(30);
  TUVTableInplaceEdit* innerEditor = inner->GetInplaceEditor();
  ASSERT_NE(innerEditor, nullptr);
  EXPECT_EQ(innerEditor->GetParent(), outerEditor);
  innerEditor->SetSelectionBounds(0, 1, 0, 1);
  TypeText("x");
  ASSERT_EQ(TextOf(innerEditor->GetEditData()), "xin1");
  Screenshot("cell-editor-nested");

  // A click on the paragraph after the outer table closes both editors, the inner one first:
  // the inner cell keeps the letter.
  Click(PointAt(2, 3));
  ProcessFor(30);
  EXPECT_EQ(CellEditorOpen(), nullptr);
  EXPECT_EQ(inner->GetInplaceEditor(), nullptr);
  EXPECT_EQ(CellText(inner->GetCells(0, 1)), "xin1");
  EXPECT_EQ(Caret(), (editor_test::Place{2, 3}));
  // The document is written whole, the letter with it.
  for (bool rtf : {false, true}) {
    TMemoryStream stream;
    ASSERT_TRUE(rtf ? editor->SaveRTFToStream(&stream, false) : editor->SaveUVFToStream(&stream, false));
    std::string saved(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
    EXPECT_NE(saved.find("xin1"), std::string::npos) << (rtf ? "RTF" : "UVF");
  }

  // The letter is one action of the editor: undone and redone from outside the tables.
  ASSERT_TRUE(editor->CanUndo());
  TypeKey('Z', false, true);
  ProcessFor(80);
  EXPECT_EQ(CellText(inner->GetCells(0, 1)), "in1");
  TypeKey('Y', false, true);
  ProcessFor(80);
  EXPECT_EQ(CellText(inner->GetCells(0, 1)), "xin1");
  EXPECT_EQ(editor_test::BeepCount(), 0);
  // Nothing is left pointing at a closed editor when the form goes (TearDown frees it).
  Click(PointAt(2, 3));
  ProcessFor(30);
  EXPECT_EQ(inner->GetInplaceEditor(), nullptr);
}

TEST_F(CellEditor, DeletingColumnsOpensTheCellEditorAgainWhereItsCellWent) {
  // A third column, so that columns can go on both sides of the edited cell.
  table->InsertCols(2, 1, -1, false);
  for (Integer r = 0; r < 2; ++r) table_test::SetCellText(table->GetCells(r, 2), IntToStr(r) + ",2");
  table->MarkChanged();
  editor->Format();
  editor->ClearUndoLists();
  const AnsiString saved = [&] {
    TMemoryStream stream;
    editor->SaveUVFToStream(&stream, false);
    return AnsiString(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  }();
  struct Case {
    const char* Name;
    Integer EditRow, EditCol;  // -1: no cell edited
    Integer Index, Count;
    std::string Opened;        // the edited cell afterwards
    std::string Text;          // its text
  } cases[] = {
      {"columns left of the cell", 1, 2, 0, 2, "1,0", "q1,2"},
      {"a column right of the cell", 0, 0, 1, 1, "0,0", "q0,0"},
      {"the cell's own column", 1, 1, 1, 1, "1,1", "1,2"},
      {"the last column, edited", 0, 2, 2, 1, "0,1", "0,1"},
      {"no cell edited", -1, -1, 1, 2, "0,0", "0,0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    // The table as it was, its own object again.
    {
      TMemoryStream stream;
      stream.WriteBuffer(saved.data(), static_cast<Integer>(saved.size()));
      stream.SetPosition(0);
      editor->LoadUVFFromStream(&stream);
      editor->Format();
      table = dynamic_cast<TUVTableItemInfo*>(editor->GetEditData()->GetItem(1));
      ASSERT_NE(table, nullptr);
    }
    if (c.EditRow >= 0) {
      Click(CellPoint(c.EditRow, c.EditCol, 3));
      ProcessFor(30);
      ASSERT_EQ(Edited(), std::to_string(c.EditRow) + "," + std::to_string(c.EditCol));
      CellEditorOpen()->SetSelectionBounds(0, 1, 0, 1);
      TypeText("q");
    }
    table->DeleteCols(c.Index, c.Count, false);
    ProcessFor(30);
    EXPECT_EQ(Edited(), c.Opened);
    ASSERT_NE(CellEditorOpen(), nullptr);
    EXPECT_EQ(TextOf(CellEditorOpen()->GetEditData()), c.Text);
    EXPECT_TRUE(CellEditorOpen()->Focused());
    // The caret at the start of the cell's text, the editor over its cell.
    Integer si, so, ei, eo;
    CellEditorOpen()->GetSelectionBounds(si, so, ei, eo, true);
    EXPECT_EQ(std::vector<Integer>({si, so, ei, eo}), std::vector<Integer>({0, 1, 0, 1}));
    Integer r, col;
    table->GetEditedCell(r, col);
    EXPECT_EQ(CellEditorOpen()->GetWidth(), table->GetCells(r, col)->Width);
    // What was typed before is one action of its own, the deletion another.
    Click(PointAt(2, 3));
    ProcessFor(30);
    TypeKey('Z', false, true);
    ProcessFor(50);
    EXPECT_EQ(table->GetColCount(), 3);
  }
  Screenshot("cell-editor-after-column-deletion");
}

TEST_F(CellEditor, AReadOnlyEditorStaysReadOnly) {
  editor->SetReadOnly(true);
  Click(CellPoint(0, 0, 3));
  ProcessFor(30);
  ASSERT_NE(CellEditorOpen(), nullptr);
  TypeText("q");
  TypeKey(VK_TAB);
  TypeText("q");
  TypeKey('Z', false, true);
  ProcessFor(30);
  EXPECT_TRUE(editor->GetReadOnly());
  Click(PointAt(2, 3));
  ProcessFor(30);
  EXPECT_EQ(CellText(table->GetCells(0, 0)), "0,0");
  EXPECT_EQ(CellText(table->GetCells(0, 1)), "0,1");
  EXPECT_TRUE(editor->GetReadOnly());
  EXPECT_GT(editor_test::BeepCount(), 0);
}

}  // namespace
