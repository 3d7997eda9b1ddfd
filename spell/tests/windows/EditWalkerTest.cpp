// The edit-control walker against real edit and rich edit controls, and dialog placement
// against a real window.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <richedit.h>

#include "classlib/Handles.h"
#include "spell/lx3ParseEngine.h"
#include "spell/lx3Util.h"
#include "spell/lx3WinAPIParser.h"
#include "tests/support/TestSupport.h"

namespace {

using List = std::vector<std::string>;

struct ControlKind {
  const char* library;  // loaded for the class; nullptr for the plain edit control
  const char* className;
  Integer kind;
};

class EditWalkerTest : public ::testing::TestWithParam<ControlKind> {
protected:
  void SetUp() override {
    if (GetParam().library) library_.reset(LoadLibraryA(GetParam().library));
    parent_.reset(CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 50, 50, 700, 300, nullptr,
                                  nullptr, nullptr, nullptr));
    ASSERT_TRUE(parent_);
    edit_ = CreateWindowExA(0, GetParam().className, "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 0, 0,
                            680, 120, parent_.get(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(edit_) << GetParam().className;
    SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  }

  void SetText(const std::string& text) { SetWindowTextA(edit_, text.c_str()); }

  // Lines of the control as the walker reads them, without their line breaks.
  std::string Text() {
    std::string text;
    const Integer lines = static_cast<Integer>(SendMessageA(edit_, EM_GETLINECOUNT, 0, 0));
    for (Integer i = 0; i < lines; ++i) {
      char buf[1024];
      *reinterpret_cast<WORD*>(buf) = sizeof buf - 1;
      const LRESULT n = SendMessageA(edit_, EM_GETLINE, i, reinterpret_cast<LPARAM>(buf));
      std::string line(buf, static_cast<std::size_t>(n));
      while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
      text += (i ? "|" : "") + line;
    }
    return text;
  }

  // Reads every word the way a check does, replacing those that have a correction.
  List Check(Integer kind, const std::map<std::string, std::string>& corrections = {}) {
    TWinAPIControlParser walker;
    walker.Init(edit_);
    EXPECT_EQ(walker.GetControlKind(), GetParam().kind);
    TMainParsingEngine engine;
    engine.Initialize(&walker, kind);
    List words;
    AnsiString w;
    for (engine.GetNextWord(w); !w.empty(); engine.GetNextWord(w)) {
      words.push_back(w);
      auto it = corrections.find(w);
      if (it == corrections.end()) continue;
      walker.MarkBack(static_cast<Integer>(w.size()));
      walker.ReplaceWord(it->second, 0);
    }
    return words;
  }

  UniqueModule library_;
  UniqueWindow parent_;
  HWND edit_ = nullptr;
};

TEST_P(EditWalkerTest, ReadsWordsLineByLine) {
  SetText("First line, with words.\r\nSecond line\r\n\r\nlast");
  EXPECT_EQ(Check(ckWholeText), (List{"First", "line", "with", "words", "Second", "line", "last"}));
}

TEST_P(EditWalkerTest, ReplacesWordsInTheControl) {
  SetText("This is teh first line\r\nand teh second tehline teh");
  const List words = Check(ckWholeText, {{"teh", "the"}, {"is", "was"}});
  EXPECT_EQ(words, (List{"This", "is", "teh", "first", "line", "and", "teh", "second", "tehline", "teh"}));
  EXPECT_EQ(Text(), "This was the first line|and the second tehline the");
}

TEST_P(EditWalkerTest, ChecksOnlyTheSelection) {
  SetText("one two three\r\nfour five six");
  SendMessageA(edit_, EM_SETSEL, 4, 21);  // from "two" into "five"
  EXPECT_EQ(Check(ckSelection), (List{"two", "three", "four"}));  // "five" is cut by the end
  SendMessageA(edit_, EM_SETSEL, 4, 24);  // to the end of "five"
  EXPECT_EQ(Check(ckSelection, {{"five", "fifty"}}), (List{"two", "three", "four", "five"}));
  EXPECT_EQ(Text(), "one two three|four fifty six");
  SendMessageA(edit_, EM_SETSEL, 4, 13);  // to the end of the first line: the next line is outside
  EXPECT_EQ(Check(ckSelection), (List{"two", "three"}));
  SendMessageA(edit_, EM_SETSEL, 5, 5);  // the cursor inside "two"
  EXPECT_EQ(Check(ckFromCursor), (List{"three", "four", "fifty", "six"}));
}

TEST_P(EditWalkerTest, ReplacementOnTheLastLineOfARangeKeepsItsEnd) {
  SetText("aa bb cc dd");
  SendMessageA(edit_, EM_SETSEL, 0, 8);  // "aa bb cc"
  EXPECT_EQ(Check(ckSelection, {{"aa", "a"}, {"bb", "bbbb"}}), (List{"aa", "bb", "cc"}));
  EXPECT_EQ(Text(), "a bbbb cc dd");
}

TEST_P(EditWalkerTest, PositionsLinesAndScreen) {
  SetText("ab\r\ncd");
  TWinAPIControlParser w;
  w.Init(edit_);
  AnsiString line;
  w.GetText(line);
  EXPECT_EQ(line.substr(line.size() - 2), "\r\n");  // every line ends in a line break
  EXPECT_EQ(line.substr(0, 2), "ab");
  EXPECT_FALSE(w.MovePrev());  // before the first character
  Integer column, row;
  w.GetPos(column, row);
  EXPECT_EQ(column, 0);
  EXPECT_EQ(row, 0);
  while (w.CurChar() != 'c') ASSERT_TRUE(w.MoveNext());
  w.GetPos(column, row);
  EXPECT_EQ(column, 0);
  EXPECT_EQ(row, 1);
  EXPECT_TRUE(w.MovePrev());  // back onto the line feed of line 0
  EXPECT_EQ(w.CurChar(), '\n');
  w.GetPos(column, row);
  EXPECT_EQ(row, 0);

  const LPARAM d = SendMessageA(edit_, EM_LINEINDEX, 1, 0) + 1;
  SendMessageA(edit_, EM_SETSEL, d, d + 1);  // "d"
  Integer sc, sl, ec, el;
  w.GetSelection(sc, sl, ec, el);
  EXPECT_EQ(std::vector<Integer>({sc, sl, ec, el}), std::vector<Integer>({1, 1, 2, 1}));
  w.GetCursor(column, row);
  EXPECT_EQ(column, 1);
  EXPECT_EQ(row, 1);

  w.SetPos(0, 1, pmCurrent);
  w.MoveNext();
  w.MarkBack(1);  // "c"
  TRect control, word;
  w.ControlRect(control);
  w.SelectionRect(word);
  EXPECT_LT(word.Left, word.Right);
  EXPECT_LT(word.Top, word.Bottom);
  EXPECT_GE(word.Left, control.Left);
  EXPECT_GE(word.Top, control.Top);
  EXPECT_LE(word.Bottom, control.Bottom);
  w.SkipMarked();
  w.GetPos(column, row);
  EXPECT_EQ(column, 1);
}

TEST_P(EditWalkerTest, LongLinesAreCut) {
  SetText(std::string(20000, 'x') + "\r\nend");
  TWinAPIControlParser w;
  w.Init(edit_);
  AnsiString line;
  w.GetText(line);
  EXPECT_EQ(line.size(), 16376u);
  EXPECT_EQ(line.substr(16374), "\r\n");
}

TEST_P(EditWalkerTest, ScrollsTheMarkedWordIntoView) {
  std::string text;
  for (int i = 0; i < 60; ++i) text += "line" + std::to_string(i) + "\r\n";
  SetText(text);
  TWinAPIControlParser w;
  w.Init(edit_);
  w.SetPos(6, 40, pmCurrent);
  w.MarkBack(6);  // "line40"
  w.ScrollToWord();
  const LRESULT first = SendMessageA(edit_, EM_GETFIRSTVISIBLELINE, 0, 0);
  EXPECT_GT(first, 25);
  EXPECT_LE(first, 40);
  DWORD start = 0, end = 0;
  SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end - start, 6u);
}

INSTANTIATE_TEST_SUITE_P(Controls, EditWalkerTest,
                         ::testing::Values(ControlKind{nullptr, "EDIT", TWinAPIControlParser::ckEdit},
                                           ControlKind{"riched20.dll", "RichEdit20A", TWinAPIControlParser::ckRichEdit2},
                                           ControlKind{"riched32.dll", "RICHEDIT", TWinAPIControlParser::ckRichEdit1}),
                         [](const auto& info) { return std::string(info.param.className); });

TEST(DialogPlacement, StaysInsideTheWorkArea) {
  TRect area;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, AsRECT(area), 0));
  UniqueWindow form(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "dialog", WS_POPUP, 100, 100, 300, 200,
                                    nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(form);
  auto at = [&] {
    TRect r;
    GetWindowRect(form.get(), AsRECT(r));
    EXPECT_EQ(r.Width(), 300);
    EXPECT_EQ(r.Height(), 200);
    return r.TopLeft();
  };
  ClampDialog(form.get(), area.Left - 50, area.Top - 50);
  EXPECT_EQ(at(), Point(area.Left, area.Top));
  ClampDialog(form.get(), area.Right - 100, area.Bottom - 10);
  EXPECT_EQ(at(), Point(area.Right - 300, area.Bottom - 200));

  // Below the word, at its left edge.
  PlaceDialogNear(form.get(), Rect(200, 150, 260, 170), true, true);
  EXPECT_EQ(at(), Point(200, 170));
  // Too wide for the space right of the word: right-aligned to the work area.
  PlaceDialogNear(form.get(), Rect(area.Right - 100, 150, area.Right - 40, 170), true, true);
  EXPECT_EQ(at(), Point(area.Right - 300, 170));
  // No room below the word: above it.
  PlaceDialogNear(form.get(), Rect(200, area.Bottom - 50, 260, area.Bottom - 30), true, true);
  EXPECT_EQ(at(), Point(200, area.Bottom - 50 - 200));
  // Only vertically: the left edge stays where it was.
  PlaceDialogNear(form.get(), Rect(500, 300, 560, 320), false, true);
  EXPECT_EQ(at(), Point(200, 320));
}

}  // namespace
