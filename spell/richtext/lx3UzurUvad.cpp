#include "spell/richtext/lx3UzurUvad.h"

#include <algorithm>

#include "richtext/core/CUVFData.h"
#include "richtext/core/UVItem.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/edit/UVEdit.h"

// Restores the serializer's place when it goes out of scope, so that asking for the caret or the
// selection never moves the reading position (a correction must go into the word being checked).
class VUzurUvadParser3::KeepPlace {
public:
  explicit KeepPlace(TUVSerializer& s) : s_(s), line_(s.CurrentLine()), atEnd_(s.AtEnd()) {}
  ~KeepPlace() {
    if (line_ < 0) {
      s_.SeekLine(-1);
      return;
    }
    s_.SetLine(line_);
    if (atEnd_)
      while (s_.NextItem()) {
      }
  }
  KeepPlace(const KeepPlace&) = delete;
  KeepPlace& operator=(const KeepPlace&) = delete;

private:
  TUVSerializer& s_;
  Integer line_;
  bool atEnd_;
};

bool VUzurUvadParser3::IsCheckable(TCustomUVData* Data, Integer ItemNo) {
  const Integer style = Data->GetItemStyle(ItemNo);
  if (style < 0) return false;
  TFontInfo* font = Data->GetUVStyle()->GetTextStyles()->GetItem(style);
  return font->Charset != SYMBOL_CHARSET && !font->Protection.Contains(uvprModifyProtect);
}

void VUzurUvadParser3::Init(TCustomUzurUvadEdit* Editor) {
  serializer_.reset();
  editor_ = Editor;
  if (Editor) serializer_ = std::make_unique<TUVSerializer>(Editor);
  column_ = 0;
  endLine_ = endColumn_ = 0;
  endSet_ = false;
  reload_ = true;
  loadedLine_ = -1;
  length_ = 0;
  text_.clear();
  reset_ = false;
}

void VUzurUvadParser3::SkipForward() {
  TUVSerializer& s = *serializer_;
  bool skipped = false;
  while (!s.AtEnd()) {
    TCustomUVData* data;
    Integer item;
    s.CurrentItem(data, item);
    if (s.HasItem() && IsCheckable(data, item)) break;
    if (!s.NextItem()) break;
    skipped = true;
  }
  // A position on an item that is not read moves to the start of the next one that is.
  if (skipped) column_ = 0;
}

bool VUzurUvadParser3::LoadLine() {
  if (!serializer_) return false;
  TUVSerializer& s = *serializer_;
  TCustomUVData* data;
  Integer item;
  auto read = [&] {
    s.CurrentItem(data, item);
    text_ = data->GetItemText(item);
    if (data->GetItem(item)->IsUnicode()) text_ = UnicodeToAnsiCP(CodePage, text_);
    text_ += "\r\n";
    length_ = static_cast<Integer>(text_.size());
    loadedLine_ = s.CurrentLine();
    reload_ = false;
  };
  auto onItem = [&] { return !s.AtEnd() && s.HasItem(); };
  SkipForward();
  if (!onItem()) return false;
  // A changed item is read again before the column is measured against it.
  if (s.CurrentLine() != loadedLine_ || reload_) read();
  if (column_ >= length_) {
    // On to the start of the next item that is checked.
    if (!s.NextItem()) return false;
    column_ = 0;
    SkipForward();
    if (!onItem()) return false;
    read();
  } else if (column_ < 0) {
    // Back onto the line feed of the previous item that is checked.
    bool moved = s.PrevItem();
    while (moved) {
      s.CurrentItem(data, item);
      if (s.HasItem() && IsCheckable(data, item)) break;
      moved = s.PrevItem();
    }
    if (!moved) {
      // Before the first item: the position stays at the start.
      column_ = 0;
      SkipForward();
      if (onItem() && s.CurrentLine() != loadedLine_) read();
      return false;
    }
    read();
    column_ = length_ - 1;
  }
  return true;
}

AnsiChar VUzurUvadParser3::CurChar() {
  if (!LoadLine() || column_ < 0 || column_ >= length_) return 0;
  return text_[static_cast<std::size_t>(column_)];
}

void VUzurUvadParser3::GetText(AnsiString& Text) {
  if (LoadLine())
    Text = text_;
  else
    Text.clear();
}

bool VUzurUvadParser3::MoveNext() {
  ++column_;
  if (!LoadLine()) return false;
  if (endSet_) {
    const Integer line = serializer_->CurrentLine();
    if (line > endLine_ || (line == endLine_ && column_ > endColumn_)) return false;
  }
  return true;
}

bool VUzurUvadParser3::MovePrev() {
  --column_;
  return LoadLine();
}

void VUzurUvadParser3::SetPos(Integer Column, Integer Line, Integer Mode) {
  if (Mode == pmEnd) {
    endColumn_ = Column;
    endLine_ = Line;
    endSet_ = true;
    return;
  }
  column_ = Column;
  reload_ = true;
  if (serializer_) serializer_->SetLine(Line);
}

void VUzurUvadParser3::GetPos(Integer& Column, Integer& Line) {
  if (reset_) {
    reset_ = false;
    GetCursor(Column, Line);
    return;
  }
  Column = column_;
  Line = serializer_ ? serializer_->CurrentLine() : 0;
}

void VUzurUvadParser3::MarkBack(Integer Length) {
  if (!serializer_) return;
  TUVSerializer& s = *serializer_;
  if (s.AtEnd() || !s.HasItem()) return;
  if (s.CurrentLine() != loadedLine_ && !LoadLine()) return;
  TCustomUVData* data;
  Integer item;
  s.CurrentItem(data, item);
  const Integer first = data->GetOffsBeforeItem(item);
  const Integer last = data->GetOffsAfterItem(item);
  column_ = std::clamp<Integer>(column_ - Length, 0, last - first);
  const Integer length = std::clamp<Integer>(Length, 0, last - first - column_);
  // Opening the cell editor moves the cell's items into it: the word is selected there.
  s.EnterCell();
  s.CurrentItem(data, item);
  auto* formatted = static_cast<TCustomUVFormattedData*>(data);
  if (data->GetItemStyle(item) >= 0)
    formatted->SetSelectionBounds(item, column_ + 1, item, column_ + length + 1);
  else
    formatted->SetSelectionBounds(item, first, item, last);
  formatted->Invalidate();
}

bool VUzurUvadParser3::WordIsEdited() const {
  TCustomUVData* data;
  Integer item;
  serializer_->CurrentItem(data, item);
  return data == serializer_->EditedData();
}

Integer VUzurUvadParser3::MarkedLength() {
  if (WordIsEdited()) return static_cast<Integer>(editor_->GetTopLevelEditor()->GetSelText().size());
  TCustomUVData* data;
  Integer item;
  serializer_->CurrentItem(data, item);
  return static_cast<Integer>(static_cast<TCustomUVFormattedData*>(data)->GetSelText(false).size());
}

void VUzurUvadParser3::ReplaceWord(const AnsiString& Text, Integer) {
  if (!editor_ || !serializer_) return;
  const Integer selected = MarkedLength();
  if (!WordIsEdited()) {
    // No cell editor could be opened on the word's table cell (a read-only editor, a table that
    // cannot be edited): the editor would insert the text at its own selection outside the
    // cell. The word stays, as in a read-only editor, with its beep.
    editor_->GetEditData()->Beep();
    column_ += selected;
    return;
  }
  const Integer line = serializer_->CurrentLine();
  if (!editor_->InsertText(Text)) {
    // A refused change (a read-only editor) leaves the word: reading goes on behind it.
    column_ += selected;
    return;
  }
  if (endSet_ && endLine_ == line) endColumn_ += static_cast<Integer>(Text.size()) - selected;
  column_ += static_cast<Integer>(Text.size());
  reload_ = true;
}

void VUzurUvadParser3::SkipMarked() {
  if (!editor_ || !serializer_) return;
  column_ += MarkedLength();
}

// The start of the selection, which is the caret when nothing is selected. The editor keeps its
// caret at the end of a selection; the start is where a marked word begins, which undo records
// must find again.
void VUzurUvadParser3::GetCursor(Integer& Column, Integer& Line) {
  Integer endColumn, endLine;
  GetSelection(Column, Line, endColumn, endLine);
}

void VUzurUvadParser3::GetSelection(Integer& StartColumn, Integer& StartLine, Integer& EndColumn, Integer& EndLine) {
  StartColumn = StartLine = EndColumn = EndLine = 0;
  if (!serializer_) return;
  KeepPlace keep(*serializer_);
  serializer_->GetSelectionLines(StartColumn, StartLine, EndColumn, EndLine);
}

void VUzurUvadParser3::ControlRect(TRect& Rect) {
  if (!editor_) {
    Rect = ::Rect(-1, -1, -1, -1);
    return;
  }
  const TPoint origin = editor_->ClientToScreen(Point(0, 0));
  Rect = Bounds(origin.X, origin.Y, editor_->GetWidth(), editor_->GetHeight());
}

void VUzurUvadParser3::SelectionRect(TRect& Rect) {
  if (!editor_) {
    Rect = ::Rect(-1, -1, -1, -1);
    return;
  }
  Rect = editor_->GetTopLevelEditor()->GetSelectionRect();
}

void VUzurUvadParser3::Reset() {
  if (serializer_) serializer_->SeekLine(-1);
  column_ = -1;
  loadedLine_ = -1;
  text_.clear();
  length_ = 0;
  reset_ = true;
}
