#include "spell/lx3StringParser.h"

#include <algorithm>

void TStringParser::Init(AnsiString& Text) {
  text_ = &Text;
  column_ = 1;
  endColumn_ = 0;
  endSet_ = false;
  markedLength_ = 0;
}

AnsiChar TStringParser::CurChar() {
  if (!text_ || column_ < 1 || column_ > static_cast<Integer>(text_->size())) return '\0';
  return (*text_)[column_ - 1];
}

void TStringParser::GetText(AnsiString& Text) { Text = text_ ? *text_ : AnsiString(); }

bool TStringParser::MoveNext() {
  bool moved = text_ && column_ <= static_cast<Integer>(text_->size());
  ++column_;
  if (endSet_ && column_ > endColumn_) moved = false;
  return moved;
}

bool TStringParser::MovePrev() {
  if (column_ <= 1) return false;
  --column_;
  return true;
}

void TStringParser::SetPos(Integer Column, Integer, Integer Mode) {
  if (Mode == pmCurrent) {
    column_ = std::max<Integer>(1, Column);
  } else if (Mode == pmEnd) {
    endColumn_ = Column;
    endSet_ = true;
  }
}

void TStringParser::GetPos(Integer& Column, Integer& Line) {
  Column = column_;
  Line = 0;
}

void TStringParser::MarkBack(Integer Length) {
  markedLength_ = Length;
  column_ = std::max<Integer>(1, column_ - Length);
}

void TStringParser::ReplaceWord(const AnsiString& Text, Integer) {
  if (!text_) return;
  const Integer length = static_cast<Integer>(Text.size());
  if (endSet_) endColumn_ += length - markedLength_;
  const std::size_t at = std::min<std::size_t>(static_cast<std::size_t>(column_ - 1), text_->size());
  text_->replace(at, static_cast<std::size_t>(markedLength_), Text);
  column_ += length;
}

void TStringParser::SkipMarked() { column_ += markedLength_; }

void TStringParser::GetCursor(Integer& Column, Integer& Line) {
  Column = column_;
  Line = 0;
}

void TStringParser::GetSelection(Integer& StartColumn, Integer& StartLine, Integer& EndColumn, Integer& EndLine) {
  StartColumn = EndColumn = column_;
  StartLine = EndLine = 0;
}

void TStringParser::ControlRect(TRect& Rect) { Rect = ::Rect(-1, -1, -1, -1); }

void TStringParser::SelectionRect(TRect& Rect) { Rect = ::Rect(-1, -1, -1, -1); }
