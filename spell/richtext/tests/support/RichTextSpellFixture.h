// What the tests of spelling in rich text share: the spell-check tests' component, of the
// rich-text class, and a form with an editor holding a document of mixed styles, a hyperlink, a
// list, text in a symbol font, protected text and Unicode text.
#pragma once

#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Streams.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/edit/UVTable.h"
#include "richtext/edit/tests/control/EditorTestSupport.h"
#include "spell/richtext/lx3UzurUvadCmpnts.h"
#include "spell/tests/SpellComponentFixture.h"

namespace richtext_spell_test {

using namespace spell_testing;
using namespace edit_test;

// A text style in a symbol font, added after the editing tests' styles.
constexpr Integer tsSymbol = 12;

class RichTextSpellTest : public SpellComponentTest {
protected:
  void SetUp() override {
    SpellComponentTest::SetUp();
    spell_.reset(Configure(new TUVLexemeSpell3(nullptr)));
    // Checked as the background check does, without the dialog; its tests ask for it.
    UV().UIType = suiSilent;
    editor_test::BeepCount() = 0;
    UVMessageBeep = &editor_test::CountBeep;
    style = new TUVStyle(nullptr);
    SetUpStyles(*style);
    TFontInfo* symbol = style->GetTextStyles()->Add();
    symbol->FontName = "Symbol";
    symbol->Charset = SYMBOL_CHARSET;
    editor = editor_test::NewEditorForm(style, "Book", 460, 320, form);
  }
  void TearDown() override {
    delete form;
    delete style;
    UVMessageBeep = &::MessageBeep;
    SpellComponentTest::TearDown();
  }

  TUVLexemeSpell3& UV() { return static_cast<TUVLexemeSpell3&>(Spell()); }

  void Show() { ASSERT_TRUE(viewer_test::ShowWithFocus(form, editor)); }

  // One paragraph of the normal style per line.
  void Fill(const std::vector<std::string>& Lines) {
    editor->Clear();
    for (const std::string& line : Lines) editor->AddNL(line, tsNormal, psNormal);
    editor->Format();
  }

  // The mixed document: each paragraph's items in their styles.
  void FillMixed() {
    TCustomUVData* doc = editor->GetEditData();
    editor->Clear();
    doc->AddNL("Teh quick ", tsNormal, psNormal);
    doc->Add("brwn", tsBig);
    doc->Add(" fox jmups ovr", tsNormal);
    doc->AddNL("hello wrold", tsJump, psNormal);
    doc->Add(" and teh moon.", tsNormal);
    auto* marker = new TUVMarkerItemInfo(doc, 0, 0, 1, false);
    marker->ParaNo = psNormal;
    doc->AddItem("", marker);
    doc->Add("the lazy dgo", tsNormal);
    doc->AddNL("Zqx wrold", tsSymbol, psNormal);
    doc->AddNL("kefa wrold", tsModifyProtected, psNormal);
    doc->AddNL(AnsiToUnicodeCP(1252, "the mat is brwn"), tsUnicode, psNormal);
    editor->Format();
  }

  // Text before and after a table of two rows and three columns: a cell of two paragraphs, a
  // cell merged over two columns, an empty cell, and a last cell of two paragraphs.
  void FillTable() {
    TCustomUVData* doc = editor->GetEditData();
    editor->Clear();
    doc->AddNL("Teh cat", tsNormal, psNormal);
    table = new TUVTableItemInfo(2, 3, doc);
    table->ParaNo = psNormal;
    table->Rows->MergeCells(0, 1, 2, 1, true, false);
    const auto set = [this](Integer row, Integer col, const std::vector<std::string>& paragraphs) {
      TUVTableCellData* cell = table->GetCells(row, col);
      cell->Clear();
      for (const std::string& p : paragraphs) cell->AddNL(p, tsNormal, psNormal);
    };
    set(0, 0, {"a teh", "dog"});
    set(0, 1, {"the brwn"});
    set(1, 1, {"moon"});
    set(1, 2, {"fox", "hello wrold"});
    doc->AddItem("", table);
    doc->AddNL("the lazy dgo", tsNormal, psNormal);
    editor->Format();
  }

  // The table's cells in reading order, paragraphs separated by "|".
  std::vector<std::string> Cells() {
    std::vector<std::string> out;
    for (Integer r = 0; r < table->GetRowCount(); ++r)
      for (Integer c = 0; c < table->GetColCount(); ++c)
        if (TUVTableCellData* stored = table->GetCells(r, c)) {
          // A cell's items live in the cell editor while it is open on the cell.
          TCustomUVFormattedData* cell = table->GetEditingData(stored);
          std::string text;
          for (Integer i = 0; i < cell->GetItemCount(); ++i) {
            if (i > 0 && cell->IsParaStart(i)) text += "|";
            text += cell->GetItemText(i);
          }
          out.push_back(text);
        }
    return out;
  }

  // The document as plain text, one line per paragraph.
  std::string Text() {
    TMemoryStream stream;
    editor->SaveTextToStream("", &stream, 80, false, true);
    std::string text(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
    std::string out;
    for (char c : text)
      if (c != '\r') out += c;
    return out;
  }

  TUVStyle* style = nullptr;
  TForm* form = nullptr;
  VUzurUvadEdit* editor = nullptr;
  TUVTableItemInfo* table = nullptr;
};

}  // namespace richtext_spell_test
