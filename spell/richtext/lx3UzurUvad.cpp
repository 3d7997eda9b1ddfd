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

namespace {

bool IsLowSurrogate(WideChar c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Unicode text (raw UTF-16) in the code page, and for each character of the result the offset of
// the unit it comes from; Offsets stays empty when each unit gave one character. A letter with
// the combining marks after it, and a surrogate pair, are converted together, so that the text is
// what converting the whole gives (a letter and its accent may become one accented letter). Marks
// that the code page has no character for, alone or joined with their letter, are left out (the
// conversion would give its default character, cutting the word at the mark): the letter is read
// with those of its marks that the code page can join with it. Letters holds, for each character
// that comes from a letter and its marks, that letter on its own (0 for the other characters);
// empty when there are none.
void ReadUnicode(Integer CodePage, const AnsiString& Raw, AnsiString& Text, std::vector<Integer>& Offsets,
                 AnsiString& Letters) {
  Offsets.clear();
  Letters.clear();
  const auto* units = reinterpret_cast<const WideChar*>(Raw.data());
  const Integer count = static_cast<Integer>(Raw.size() / 2);
  std::vector<WORD> types(static_cast<std::size_t>(count));
  if (count > 0) ::GetStringTypeW(CT_CTYPE3, units, count, types.data());
  // A combining mark: non-spacing and no letter itself (the system counts accented letters such
  // as "é" as non-spacing too).
  const auto isMark = [&](Integer i) { return (types[i] & (C3_NONSPACING | C3_ALPHA)) == C3_NONSPACING; };
  const auto joins = [&](Integer i) { return isMark(i) || IsLowSurrogate(units[i]); };
  const auto convert = [&](Integer from, Integer to) {
    return UnicodeToAnsiCP(CodePage, Raw.substr(static_cast<std::size_t>(from) * 2, static_cast<std::size_t>(to - from) * 2));
  };
  bool merges = false;
  for (Integer i = 1; i < count && !merges; ++i) merges = joins(i);
  Text = UnicodeToAnsiCP(CodePage, Raw);
  if (!merges && static_cast<Integer>(Text.size()) == count) return;
  Text.clear();
  bool marked = false;
  for (Integer i = 0; i < count;) {
    Integer next = i + 1;
    while (next < count && joins(next)) ++next;
    AnsiString part = convert(i, next);
    if (next - i > 1 && isMark(i + 1)) {
      // The letter with as many of its marks as the code page can join with it.
      const AnsiString bare = convert(i, i + 1);
      Integer end = next;
      while (end > i + 1 && part.find('?') != AnsiString::npos && bare.find('?') == AnsiString::npos)
        part = convert(i, --end);
      if (bare.size() == 1) {
        Letters.resize(Text.size(), '\0');
        Letters.append(part.size(), bare[0]);
        marked = true;
      }
    }
    Text += part;
    Offsets.insert(Offsets.end(), part.size(), i);
    i = next;
  }
  Offsets.push_back(count);
  if (marked)
    Letters.resize(Text.size(), '\0');
  else
    Letters.clear();
}

}  // namespace

Integer VUzurUvadParser3::OffsetOf(Integer Column) const {
  if (offsets_.empty() || Column < 0) return Column;
  const Integer last = static_cast<Integer>(offsets_.size()) - 1;
  // The line break after the text counts on from the end.
  if (Column >= last) return offsets_.back() + Column - last;
  return offsets_[static_cast<std::size_t>(Column)];
}

Integer VUzurUvadParser3::ColumnOf(Integer Offset) const {
  if (offsets_.empty() || Offset < 0) return Offset;
  const Integer last = static_cast<Integer>(offsets_.size()) - 1;
  if (Offset >= offsets_.back()) return last + Offset - offsets_.back();
  return static_cast<Integer>(std::lower_bound(offsets_.begin(), offsets_.end(), Offset) - offsets_.begin());
}

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
  offsets_.clear();
  letters_.clear();
  pendingOffset_ = -1;
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
  if (skipped) {
    column_ = 0;
    pendingOffset_ = -1;
  }
}

bool VUzurUvadParser3::LoadLine() {
  if (!serializer_) return false;
  TUVSerializer& s = *serializer_;
  TCustomUVData* data;
  Integer item;
  auto read = [&] {
    s.CurrentItem(data, item);
    text_ = data->GetItemText(item);
    if (data->GetItem(item)->IsUnicode()) {
      ReadUnicode(CodePage, AnsiString(text_), text_, offsets_, letters_);
    } else {
      offsets_.clear();
      letters_.clear();
    }
    if (!offsets_.empty()) {
      offsets_.push_back(offsets_.back() + 1);
      offsets_.push_back(offsets_.back() + 1);
    }
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
  if (pendingOffset_ >= 0) {
    // Steps taken since the position was given count in the text read.
    column_ = ColumnOf(pendingOffset_) + column_ - pendingOffset_;
    pendingOffset_ = -1;
  }
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

AnsiChar VUzurUvadParser3::LetterOf(AnsiChar Current) {
  // The current line is loaded: CurChar has just read it.
  if (column_ < 0 || column_ >= static_cast<Integer>(letters_.size())) return Current;
  const AnsiChar letter = letters_[static_cast<std::size_t>(column_)];
  return letter ? letter : Current;
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
    if (line > endLine_ || (line == endLine_ && OffsetOf(column_) > endColumn_)) return false;
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
  pendingOffset_ = Column;
  reload_ = true;
  if (serializer_) serializer_->SetLine(Line);
}

void VUzurUvadParser3::GetPos(Integer& Column, Integer& Line) {
  if (reset_) {
    reset_ = false;
    GetCursor(Column, Line);
    return;
  }
  Line = serializer_ ? serializer_->CurrentLine() : 0;
  if (pendingOffset_ >= 0)
    Column = pendingOffset_;
  else
    Column = Line == loadedLine_ ? OffsetOf(column_) : column_;
}

void VUzurUvadParser3::MarkBack(Integer Length) {
  if (!serializer_) return;
  TUVSerializer& s = *serializer_;
  if (s.AtEnd() || !s.HasItem()) return;
  if ((s.CurrentLine() != loadedLine_ || pendingOffset_ >= 0) && !LoadLine()) return;
  TCustomUVData* data;
  Integer item;
  s.CurrentItem(data, item);
  const Integer first = data->GetOffsBeforeItem(item);
  const Integer last = data->GetOffsAfterItem(item);
  // The word's columns in the text read, and its offsets in the item.
  const Integer end = column_;
  column_ = std::clamp<Integer>(column_ - Length, 0, ColumnOf(last - first));
  const Integer start = std::clamp<Integer>(OffsetOf(column_), 0, last - first);
  const Integer length = std::clamp<Integer>(OffsetOf(end) - start, 0, last - first - start);
  // Opening the cell editor moves the cell's items into it: the word is selected there. The cell
  // editor takes the keyboard, and with it the activation from the window the check is shown in
  // (the spelling dialog): that is no work of the user in the text, so the walker keeps its place
  // meanwhile and that window gets the keyboard back.
  const HWND active = ::GetActiveWindow();
  const HWND focus = ::GetFocus();
  enteringCell_ = true;
  try {
    s.EnterCell();
  } catch (...) {
    enteringCell_ = false;
    throw;
  }
  enteringCell_ = false;
  if (active && ::GetActiveWindow() != active && ::IsWindow(active)) {
    ::SetActiveWindow(active);
    if (focus && ::IsWindow(focus) && (focus == active || ::IsChild(active, focus))) ::SetFocus(focus);
  }
  s.CurrentItem(data, item);
  auto* formatted = static_cast<TCustomUVFormattedData*>(data);
  if (data->GetItemStyle(item) >= 0)
    formatted->SetSelectionBounds(item, start + 1, item, start + length + 1);
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
  TCustomUVData* data;
  Integer item;
  serializer_->CurrentItem(data, item);
  auto* cell = static_cast<TCustomUVFormattedData*>(data);
  const bool edited = WordIsEdited();
  if (offsets_.empty())
    return static_cast<Integer>(edited ? editor_->GetTopLevelEditor()->GetSelText().size() : cell->GetSelText(false).size());
  // Text read from Unicode: the selection's units, counted in the columns of the text read.
  const AnsiString units = edited ? editor_->GetTopLevelEditor()->GetSelTextW() : cell->GetSelText(true);
  return ColumnOf(OffsetOf(column_) + static_cast<Integer>(units.size() / 2)) - column_;
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
  // The end of a checked range is an item offset: it moves by the units replaced.
  const Integer selectedUnits = OffsetOf(column_ + selected) - OffsetOf(column_);
  if (!editor_->InsertText(Text)) {
    // A refused change (a read-only editor) leaves the word: reading goes on behind it.
    column_ += selected;
    return;
  }
  if (endSet_ && endLine_ == line) endColumn_ += static_cast<Integer>(Text.size()) - selectedUnits;
  column_ += static_cast<Integer>(Text.size());
  // The changed item is read again at once: the position behind the new text is then reported
  // as an offset of the new text, not of the old one (which differ where the replaced word held
  // combining marks), so that a check goes on right behind the correction.
  reload_ = true;
  LoadLine();
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
  if (enteringCell_) return;
  if (serializer_) serializer_->SeekLine(-1);
  column_ = -1;
  loadedLine_ = -1;
  text_.clear();
  offsets_.clear();
  letters_.clear();
  pendingOffset_ = -1;
  length_ = 0;
  reset_ = true;
}
