// A text walker over a string variable of the caller: words are replaced in that string.
// Columns are 1-based; the line is always 0.
#pragma once

#include "spell/lx3ParserBase.h"

class TStringParser : public TControlParser {
  CLASS_INFO(TStringParser, TControlParser)
public:
  // Binds the walker to Text, which must outlive it: column 1, no end, nothing marked.
  void Init(AnsiString& Text);

  AnsiChar CurChar() override;
  void GetText(AnsiString& Text) override;
  // Succeeds once more from the last character, onto the position past it (where CurChar is 0),
  // so that a word at the very end is complete. The column moves even when this fails.
  bool MoveNext() override;
  bool MovePrev() override;
  void SetPos(Integer Column, Integer Line, Integer Mode) override;
  void GetPos(Integer& Column, Integer& Line) override;
  void MarkBack(Integer Length) override;
  // Keeps the end of the range on the same text when the replacement's length differs.
  void ReplaceWord(const AnsiString& Text, Integer State) override;
  void SkipMarked() override;
  void ScrollToWord() override {}
  void GetCursor(Integer& Column, Integer& Line) override;
  void GetSelection(Integer& StartColumn, Integer& StartLine, Integer& EndColumn, Integer& EndLine) override;
  void ControlRect(TRect& Rect) override;
  void SelectionRect(TRect& Rect) override;
  void UndoLast(Integer, Integer, Integer&) override {}

private:
  AnsiString* text_ = nullptr;
  Integer endColumn_ = 0;
  bool endSet_ = false;
  Integer column_ = 1;
  Integer markedLength_ = 0;
};
