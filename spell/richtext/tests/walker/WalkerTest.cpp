// The rich-text walker over a real editor: the words it presents and their positions, the caret
// and selection asked for in the middle of reading, and checks of an editor's document answered
// by a user: the document's text after each sequence of commands, and the editor's own undo.
#include <gtest/gtest.h>

#include "richtext/core/DLines.h"
#include "richtext/edit/UVTInplace.h"
#include "spell/lx3ParseEngine.h"
#include "spell/richtext/lx3UzurUvad.h"
#include "spell/richtext/tests/support/RichTextSpellFixture.h"

namespace {

using namespace richtext_spell_test;
using A = TestUser::Answer;
using K = TestUser::Kind;

struct Word {
  std::string text;
  Integer column, line;
  bool operator==(const Word&) const = default;
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += (out.empty() ? "" : "\n") + l;
  return out;
}

void PrintTo(const Word& w, std::ostream* os) { *os << w.text << "@" << w.column << "," << w.line; }

class WalkerTest : public RichTextSpellTest {
protected:
  // The words of the whole document with the position where each starts.
  std::vector<Word> Words(VUzurUvadParser3& walker, Integer kind = ckWholeText) {
    TMainParsingEngine engine;
    engine.Initialize(&walker, kind);
    std::vector<Word> words;
    AnsiString w;
    for (engine.GetNextWord(w); !w.empty(); engine.GetNextWord(w)) {
      Integer column, line;
      walker.GetPos(column, line);
      words.push_back({w, column - static_cast<Integer>(w.size()), line});
    }
    return words;
  }
};

const std::vector<std::string> kMixedText = {
    "Teh quick brwn fox jmups ovr", "hello wrold and teh moon.", "the lazy dgo", "Zqx wrold", "kefa wrold",
    "the mat is brwn"};

// The document with a table: its text (the cells' paragraphs, a line after each row), and its
// cells in reading order.
const std::vector<std::string> kTableText = {"Teh cat", "a teh", "dog",         "the brwn", "",
                                             "moon",    "fox",   "hello wrold", "",         "the lazy dgo"};
const std::vector<std::string> kTableCells = {"a teh|dog", "the brwn", "", "moon", "fox|hello wrold"};

TEST_F(WalkerTest, VisitsTheCheckableTextOfEveryItemInOrder) {
  Show();
  FillMixed();
  VUzurUvadParser3 walker;
  walker.Init(editor);
  // Items: 0-2 the first paragraph in two styles, 3 a hyperlink, 4 text after it, 5 a list
  // marker, 6 its text, 7 a symbol font, 8 protected text, 9 Unicode text.
  const std::vector<Word> expected = {
      {"Teh", 0, 0},  {"quick", 4, 0}, {"brwn", 0, 1}, {"fox", 1, 2},  {"jmups", 5, 2}, {"ovr", 11, 2},
      {"hello", 0, 3}, {"wrold", 6, 3}, {"and", 1, 4},  {"teh", 5, 4},  {"moon", 9, 4},  {"the", 0, 6},
      {"lazy", 4, 6},  {"dgo", 9, 6},   {"the", 0, 9},  {"mat", 4, 9},  {"is", 8, 9},    {"brwn", 11, 9}};
  EXPECT_EQ(Words(walker), expected);
  // Read again from the start after reaching the end.
  EXPECT_EQ(Words(walker), expected);
}

// The cells of a table are read in order between the text before and after the table, each of
// their items a line of its own: a merged cell once, an empty cell as its empty line.
TEST_F(WalkerTest, ReadsTheCellsOfATableInOrder) {
  Show();
  FillTable();
  VUzurUvadParser3 walker;
  walker.Init(editor);
  const std::vector<Word> expected = {{"Teh", 0, 0}, {"cat", 4, 0},  {"a", 0, 2},     {"teh", 2, 2},
                                      {"dog", 0, 3}, {"the", 0, 4},  {"brwn", 4, 4},  {"moon", 0, 6},
                                      {"fox", 0, 7}, {"hello", 0, 8}, {"wrold", 6, 8}, {"the", 0, 9},
                                      {"lazy", 4, 9}, {"dgo", 9, 9}};
  EXPECT_EQ(Words(walker), expected);
  // Back into the first cell, and on through the rest of the table.
  walker.SetPos(0, 3, pmCurrent);
  AnsiString text;
  walker.GetText(text);
  EXPECT_EQ(text, "dog\r\n");
  walker.SetPos(4, 3, pmCurrent);
  EXPECT_TRUE(walker.MoveNext());
  Integer column, line;
  walker.GetPos(column, line);
  EXPECT_EQ(column, 0);
  EXPECT_EQ(line, 4);
  walker.SetPos(0, 9, pmCurrent);
  walker.GetText(text);
  EXPECT_EQ(text, "the lazy dgo\r\n");
}

// Unicode text is read as 8-bit text in the walker's code page; what the page lacks reads as "?".
TEST_F(WalkerTest, ReadsUnicodeTextInItsCodePage) {
  Show();
  editor->Clear();
  editor->GetEditData()->AddNL(AnsiToUnicodeCP(1252, "caf\xe9 \x80"), tsUnicode, psNormal);
  editor->Format();
  const std::pair<Integer, AnsiString> cases[] = {{1252, "caf\xe9 \x80\r\n"}, {1251, "caf? \x88\r\n"}};
  for (const auto& [codePage, text] : cases) {
    VUzurUvadParser3 walker;
    walker.CodePage = codePage;
    walker.Init(editor);
    walker.SetPos(0, 0, pmCurrent);
    AnsiString read;
    walker.GetText(read);
    EXPECT_EQ(read, text) << codePage;
  }
}

TEST_F(WalkerTest, ReadsLinesWithTheirLineBreakAndStepsBackAcrossItems) {
  Show();
  FillMixed();
  VUzurUvadParser3 walker;
  walker.Init(editor);
  walker.SetPos(0, 6, pmCurrent);
  AnsiString text;
  walker.GetText(text);
  EXPECT_EQ(text, "the lazy dgo\r\n");
  // Back from the start of the list item's text: over the marker onto the line feed of item 4.
  EXPECT_TRUE(walker.MovePrev());
  Integer column, line;
  walker.GetPos(column, line);
  EXPECT_EQ(line, 4);
  EXPECT_EQ(walker.CurChar(), '\n');
  // Forward again over the marker.
  EXPECT_TRUE(walker.MoveNext());
  walker.GetPos(column, line);
  EXPECT_EQ(column, 0);
  EXPECT_EQ(line, 6);
  EXPECT_EQ(walker.CurChar(), 't');
  // Before the first item moving back fails and stays at the start.
  walker.SetPos(0, 0, pmCurrent);
  EXPECT_FALSE(walker.MovePrev());
  EXPECT_EQ(walker.CurChar(), 'T');
  // The symbol font and protected text are stepped over: from item 6's end straight to item 9.
  walker.SetPos(13, 6, pmCurrent);
  EXPECT_EQ(walker.CurChar(), '\n');
  EXPECT_TRUE(walker.MoveNext());
  walker.GetPos(column, line);
  EXPECT_EQ(line, 9);
  EXPECT_EQ(walker.CurChar(), 't');
}

TEST_F(WalkerTest, CaretAndSelectionQueriesKeepTheReadingPlace) {
  Show();
  FillMixed();
  VUzurUvadParser3 walker;
  walker.Init(editor);
  // The caret after "the l" of the list item.
  editor->SetSelectionBounds(6, 6, 6, 6);
  TMainParsingEngine engine;
  engine.Initialize(&walker, ckWholeText);
  AnsiString w;
  std::vector<std::string> words;
  for (engine.GetNextWord(w); !w.empty(); engine.GetNextWord(w)) {
    words.push_back(w);
    Integer column, line;
    walker.GetCursor(column, line);
    EXPECT_EQ(column, 5);
    EXPECT_EQ(line, 6);
  }
  EXPECT_EQ(words.size(), 18u);
  // A selection from "fox" (item 2) to the middle of the hyperlink.
  editor->SetSelectionBounds(2, 2, 3, 4);
  Integer sc, sl, ec, el;
  walker.SetPos(0, 4, pmCurrent);
  walker.GetSelection(sc, sl, ec, el);
  EXPECT_EQ((std::vector<Integer>{sc, sl, ec, el}), (std::vector<Integer>{1, 2, 3, 3}));
  EXPECT_EQ(walker.CurChar(), ' ');
  // A check of the selection reads its words only.
  VUzurUvadParser3 selection;
  selection.Init(editor);
  // A word cut by the end of the selection is not read.
  const std::vector<Word> expected = {{"fox", 1, 2}, {"jmups", 5, 2}, {"ovr", 11, 2}};
  EXPECT_EQ(Words(selection, ckSelection), expected);
  // After Reset the next position is the caret's.
  editor->SetSelectionBounds(4, 6, 4, 6);
  walker.Reset();
  Integer column, line;
  walker.GetPos(column, line);
  EXPECT_EQ(column, 5);
  EXPECT_EQ(line, 4);
}

// A letter followed by combining marks is one character in the code page: the walker still
// reports the item's own offsets, and a correction after it replaces exactly the word.
TEST_F(WalkerTest, CombiningMarksKeepTheItemsOffsets) {
  const auto raw = [](const std::wstring& text) {
    return AnsiString(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  };
  // Offsets: "Qxe" 0-2, the accent 3, "the" 5, "Moabb" 9, "and" 15, "wrold" 19.
  const std::wstring line = L"Qxe\u0301 the Moabb and wrold.";
  Show();
  const auto fill = [&] {
    editor->Clear();
    editor->GetEditData()->AddNL(raw(line), tsUnicode, psNormal);
    editor->Format();
  };
  fill();
  VUzurUvadParser3 walker;
  walker.CodePage = 1252;
  walker.Init(editor);
  AnsiString read;
  walker.SetPos(0, 0, pmCurrent);
  walker.GetText(read);
  EXPECT_EQ(read, "Qx\xe9 the Moabb and wrold.\r\n") << "the letter and its accent are one character";
  const std::vector<Word> words = Words(walker);
  ASSERT_EQ(words.size(), 5u);
  EXPECT_EQ(words[0].text, "Qx\xe9");
  EXPECT_EQ(std::vector<Word>(words.begin() + 1, words.end()),
            (std::vector<Word>{{"the", 5, 0}, {"Moabb", 9, 0}, {"and", 15, 0}, {"wrold", 19, 0}}));
  // A position given is an offset of the item too.
  walker.SetPos(14, 0, pmCurrent);
  walker.MarkBack(5);
  EXPECT_EQ(editor->GetSelTextW(), raw(L"Moabb"));

  // Checked by a user: the words after the accent are shown whole and corrected exactly.
  fill();
  UV().CodePage = 1252;
  // The replacement is checked in its turn: "Moab" is not in the dictionary.
  TestUser user(UV(), {{K::Ignore}, {K::Change, "Moab"}, {K::Ignore}, {K::Change, "world"}});
  UV().CheckUzurUvadEdit(editor, ckWholeText);
  EXPECT_EQ(user.prompts, (List{"Qx\xe9", "Moabb", "Moab", "wrold"}));
  EXPECT_EQ(editor->GetItemText(0), raw(L"Qxe\u0301 the Moab and world."));
}

// A letter and its combining marks belong to one word: a decomposed "José" ("Jose" and U+0301) is
// read whole, also where the code page has no accented "é" (the mark is left out) or the accented
// letter is no word character (the program's own letters), and a mark the code page cannot join
// does not cut the word. After a correction the check goes on right behind the corrected word,
// also when the replaced word held a mark: only the misspelt words are shown, and the text after
// the check is exact.
TEST_F(WalkerTest, ALetterAndItsCombiningMarksBelongToOneWord) {
  const auto raw = [](const std::wstring& text) {
    return AnsiString(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  };
  WriteMainDictionary(temp_.File("names.lxm"), {"Jos\xe9", "Jose", "went", "Moab", "today"});
  SetLines(Spell().GetConfigDefaultMain(), {"test.lxm", "names.lxm"});
  const AnsiString letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  struct Case {
    const char* what;
    Integer codePage;
    bool programLetters;  // the program's letters (A-Z only) as word characters
    std::wstring text;
    List prompts;
    std::wstring corrected;
  } cases[] = {
      {"accent joined", 1252, false, L"Jose\u0301 went to Moabb today", {"Moabb"}, L"Jose\u0301 went to Moab today"},
      {"the system's code page", 0, false, L"Jose\u0301 went to Moabb today", {"Moabb"},
       L"Jose\u0301 went to Moab today"},
      {"accented letter no word character", 1252, true, L"Jose\u0301 went to Moabb today", {"Moabb"},
       L"Jose\u0301 went to Moab today"},
      {"no accented letter in the code page", 1251, false, L"Jose\u0301 went to Moabb today", {"Moabb"},
       L"Jose\u0301 went to Moab today"},
      {"a mark the code page cannot join", 1252, false, L"Jose\u0331 went to Moabb today", {"Moabb"},
       L"Jose\u0331 went to Moab today"},
      {"two marks, one joined", 1252, false, L"Jose\u0301\u0331 went to Moabb today", {"Moabb"},
       L"Jose\u0301\u0331 went to Moab today"},
      {"a corrected word with a mark", 1252, false, L"Joze\u0301 went to Moabb today", {"Joz\xe9", "Moabb"},
       L"Jos\u00e9 went to Moab today"},
  };
  Show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    editor->Clear();
    editor->GetEditData()->AddNL(raw(c.text), tsUnicode, psNormal);
    editor->Format();
    UV().CodePage = c.codePage;
    auto* engine = static_cast<TMainParsingEngine*>(UV().GetParsingEngine());
    const AnsiString wordChars = engine->GetWordChars();
    if (c.programLetters) engine->SetWordChars(letters + "0123456789");
    // The user corrects the misspelt words and passes over anything else shown.
    TestUser* shown = nullptr;
    const auto answer = [&] {
      const std::string word = shown->prompts.back();
      if (word == "Moabb")
        UV().DialogChange("Moab");
      else if (word == "Joz\xe9")
        UV().DialogChange("Jos\xe9");
      else
        UV().DialogIgnore();
    };
    TestUser user(UV(), std::vector<A>(6, A{K::Do, "", answer}));
    shown = &user;
    UV().CheckUzurUvadEdit(editor, ckWholeText);
    engine->SetWordChars(wordChars);
    EXPECT_EQ(user.prompts, c.prompts);
    EXPECT_EQ(editor->GetItemText(0), raw(c.corrected));
  }
}

TEST_F(WalkerTest, MarkingSelectsTheWordInItsItem) {
  Show();
  FillMixed();
  VUzurUvadParser3 walker;
  walker.Init(editor);
  // Just read "brwn" of the Unicode item.
  walker.SetPos(15, 9, pmCurrent);
  EXPECT_EQ(walker.CurChar(), '\r');
  walker.MarkBack(4);
  EXPECT_EQ(editor->GetSelText(), "brwn");
  Integer s1, o1, s2, o2;
  editor->GetSelectionBounds(s1, o1, s2, o2, true);
  EXPECT_EQ((std::vector<Integer>{s1, o1, s2, o2}), (std::vector<Integer>{9, 12, 9, 16}));
  TRect control, word;
  walker.ControlRect(control);
  walker.SelectionRect(word);
  EXPECT_EQ(control.TopLeft(), editor->ClientToScreen(Point(0, 0)));
  EXPECT_GT(word.Bottom, word.Top);
  EXPECT_GE(word.Top, control.Top);

  // A word inside a table cell is selected in the table's cell editor, opened on its cell.
  FillTable();
  walker.Init(editor);
  // Just read "brwn" of the merged cell.
  walker.SetPos(8, 4, pmCurrent);
  EXPECT_EQ(walker.CurChar(), '\r');
  walker.MarkBack(4);
  TUVTableCellData* cell = table->GetCells(0, 1);
  ASSERT_NE(table->GetInplaceEditor(), nullptr);
  EXPECT_EQ(table->GetInplaceEditor()->Cell, cell);
  EXPECT_EQ(editor->GetTopLevelEditor()->GetSelText(), "brwn");
  // A word after the table is selected in the document again, the cell editor closed.
  walker.SetPos(12, 9, pmCurrent);
  walker.MarkBack(3);
  EXPECT_EQ(table->GetInplaceEditor(), nullptr);
  EXPECT_EQ(editor->GetEditData()->GetChosenData(), nullptr);
  EXPECT_EQ(Cells(), kTableCells);
  EXPECT_EQ(editor->GetSelText(), "dgo");
  // A read-only editor opens no cell editor: the word is shown in its cell, chosen.
  editor->SetReadOnly(true);
  walker.SetPos(8, 4, pmCurrent);
  walker.MarkBack(4);
  EXPECT_EQ(table->GetInplaceEditor(), nullptr);
  EXPECT_EQ(editor->GetEditData()->GetChosenData(), cell);
  EXPECT_EQ(cell->GetSelText(false), "brwn");
  editor->SetReadOnly(false);
  // Clearing the document gives the choice up with the table.
  editor->Clear();
  EXPECT_EQ(editor->GetEditData()->GetChosenData(), nullptr);
  EXPECT_EQ(editor->GetSelText(), "");
}

// Checks of the editor's document answered by the user: the text after the check, the words
// shown, and the editor's undo list, which holds every change of the check.
TEST_F(WalkerTest, CommandSequencesGiveTheExactDocumentText) {
  {
    TCustomDictionary d;
    d.SetFileName(temp_.File("Paratext.lxu"));
    d.SetActive(true);
    d.AddAutoCorrect("dgo", "dog");
    d.SetActive(false);
  }
  struct Case {
    const char* name;
    std::vector<A> answers;
    List prompts;
    std::vector<std::string> text;
    int changes;  // editor undo steps the check left
    // For the document with a table: its cells after the check.
    std::vector<std::string> cells = {};
    int beeps = 0;
    bool readOnly = false;
  };
  const Case cases[] = {
      {"change, change all and auto-correction",
       {{K::Change, "The"},
        {K::ChangeAll, "brown"},
        {K::Change, "jumps"},
        {K::Change, "over"},
        {K::Change, "world"},
        {K::Ignore}},
       {"Teh", "brwn", "jmups", "ovr", "wrold", "teh"},
       {"The quick brown fox jumps over", "hello world and teh moon.", "the lazy dog", "Zqx wrold", "kefa wrold",
        "the mat is brown"},
       7},
      {"a shorter and a longer replacement in one item",
       {{K::Ignore}, {K::Ignore}, {K::Change, "at"}, {K::Change, "over"}, {K::Cancel}},
       {"Teh", "brwn", "jmups", "ovr", "wrold"},
       {"Teh quick brwn fox at over", "hello wrold and teh moon.", "the lazy dgo", "Zqx wrold", "kefa wrold",
        "the mat is brwn"},
       2},
      {"undo of change and change all",
       {{K::Change, "The"}, {K::ChangeAll, "brown"}, {K::Undo}, {K::Undo}, {K::Cancel}},
       {"Teh", "brwn", "jmups", "brwn", "Teh"}, kMixedText, 0},
      {"auto-correct into the active dictionary",
       {{K::Ignore}, {K::Ignore}, {K::Ignore}, {K::Ignore}, {K::AutoCorrect, "world"}, {K::Ignore}, {K::Cancel}},
       {"Teh", "brwn", "jmups", "ovr", "wrold", "teh", "brwn"},
       {"Teh quick brwn fox jmups ovr", "hello world and teh moon.", "the lazy dog", "Zqx wrold", "kefa wrold",
        "the mat is brwn"},
       0},
      // Corrections inside cells go through the table's cell editor, which moves from cell to
      // cell and closes at the text after the table; "wrold" is the auto-correction the case
      // before added to the dictionary.
      {"change, change all and auto-correction inside cells",
       {{K::Change, "The"}, {K::Change, "the"}, {K::ChangeAll, "brown"}},
       {"Teh", "teh", "brwn"},
       {"The cat", "a the", "dog", "the brown", "", "moon", "fox", "hello world", "", "the lazy dog"},
       5,
       {"a the|dog", "the brown", "", "moon", "fox|hello world"}},
      {"undo of a change inside a cell",
       {{K::Ignore}, {K::Change, "the"}, {K::Undo}, {K::Cancel}},
       {"Teh", "teh", "brwn", "teh"},
       kTableText,
       0,
       kTableCells},
      // A read-only editor opens no cell editor: the change is refused with a beep, and the
      // word left is checked again as a replacement is.
      {"a change inside a cell of a read-only editor",
       {{K::Ignore}, {K::Change, "the"}, {K::Cancel}},
       {"Teh", "teh", "teh"},
       kTableText,
       0,
       kTableCells,
       1,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Change All pairs last as long as the component: each case has its own.
    spell_.reset(Configure(new TUVLexemeSpell3(nullptr)));
    UV().UIType = suiSilent;
    // A check cancelled in a cell leaves the cell editor open with the keyboard: filling the
    // document again closes it before the editor takes the keyboard back.
    if (c.cells.empty())
      FillMixed();
    else
      FillTable();
    Show();
    editor->ClearUndoLists();
    editor->SetReadOnly(c.readOnly);
    TestUser user(UV(), c.answers);
    UV().CheckUzurUvadEdit(editor, ckWholeText);
    EXPECT_FALSE(UV().IsChecking());
    EXPECT_EQ(user.prompts, c.prompts);
    const std::vector<std::string> text = c.text;
    if (!text.empty()) {
      EXPECT_EQ(Text(), Joined(text));
    }
    if (!c.cells.empty()) EXPECT_EQ(Cells(), c.cells);
    EXPECT_EQ(editor_test::BeepCount(), c.beeps);
    editor_test::BeepCount() = 0;
    const std::string originalText = Joined(c.cells.empty() ? kMixedText : kTableText);
    if (c.changes > 0) {
      int undone = 0;
      while (editor->CanUndo() && undone < 20) {
        editor->Undo();
        ++undone;
      }
      EXPECT_EQ(undone, c.changes);
      EXPECT_EQ(Text(), originalText);
      if (!c.cells.empty()) EXPECT_EQ(Cells(), kTableCells);
    }
    if (c.cells.empty()) EXPECT_TRUE(editor->GetItem(9)->IsUnicode());
  }
}

// The walker of a check is freed once, by the component or after the call, and lives as long as
// a check that goes on after the call returns.
TEST_F(WalkerTest, TheWalkerLivesAsLongAsItsCheck) {
  Show();
  Fill({"Teh cat", "teh dog"});
  for (const bool freesWalker : {true, false}) {
    SCOPED_TRACE(freesWalker ? "the component frees it" : "the caller frees it");
    UV().SetFreesWalker(freesWalker);
    UV().SynchronousCheck = false;
    UV().CheckUzurUvadEdit(editor, ckWholeText);
    ASSERT_TRUE(UV().IsChecking());
    auto* walker = dynamic_cast<VUzurUvadParser3*>(UV().GetWalker());
    ASSERT_NE(walker, nullptr);
    EXPECT_EQ(walker->GetEditor(), editor);
    UV().DialogChange("The");
    EXPECT_TRUE(UV().IsChecking());
    UV().DialogCancel();
    EXPECT_FALSE(UV().IsChecking());
    EXPECT_EQ(UV().GetWalker(), nullptr);
    UV().SynchronousCheck = true;
    TestUser user(UV(), {{K::Change, "the"}});
    UV().CheckUzurUvadEdit(editor, ckWholeText);
    EXPECT_EQ(user.prompts, (List{"teh"}));
    EXPECT_EQ(Text(), "The cat\nthe dog");
    Fill({"Teh cat", "teh dog"});
  }
}

}  // namespace
