// The text walker over the rich-text editor. The serializer presents the editor's document (and
// the cells of its tables, in order) as numbered lines, one per item; the walker reads each text
// item as a line of 8-bit text followed by a carriage return and line feed, and steps over items
// that are no text or whose text is not to be checked (symbol fonts, text protected against
// changes). The positions it reports and takes are 0-based offsets into the item's text, also
// where the code page conversion of Unicode text merges characters (a letter and its combining
// marks read as one accented letter, which counts as its letter in word breaking).
#pragma once

#include <memory>
#include <vector>

#include "spell/lx3ParserBase.h"
#include "spell/richtext/UVSer.h"

class TCustomUzurUvadEdit;

class VUzurUvadParser3 : public TControlParser {
  CLASS_INFO(VUzurUvadParser3, TControlParser)
public:
  // Binds the walker to the editor and starts before its first item.
  void Init(TCustomUzurUvadEdit* Editor);
  TCustomUzurUvadEdit* GetEditor() const { return editor_; }
  TUVSerializer* GetSerializer() const { return serializer_.get(); }

  // The code page Unicode text items are read in.
  Integer CodePage = 0;

  AnsiChar CurChar() override;
  // For a character read from a letter and its combining marks, the letter: the marks belong to
  // the word of their letter.
  AnsiChar LetterOf(AnsiChar Current) override;
  void GetText(AnsiString& Text) override;
  bool MoveNext() override;
  bool MovePrev() override;
  void SetPos(Integer Column, Integer Line, Integer Mode) override;
  // After Reset, the caret's position once.
  void GetPos(Integer& Column, Integer& Line) override;
  // Selects the word in its item (entering its cell first).
  void MarkBack(Integer Length) override;
  // Replaces the selection through the editor, as one undoable change.
  void ReplaceWord(const AnsiString& Text, Integer State) override;
  void SkipMarked() override;
  void ScrollToWord() override {}
  // The start of the selection (the caret without one); never moves the reading position.
  void GetCursor(Integer& Column, Integer& Line) override;
  // The selection; never moves the reading position.
  void GetSelection(Integer& StartColumn, Integer& StartLine, Integer& EndColumn, Integer& EndLine) override;
  void ControlRect(TRect& Rect) override;
  void SelectionRect(TRect& Rect) override;
  void UndoLast(Integer, Integer, Integer&) override {}
  // Back before the first item; the next GetPos reports the caret. Called when the spelling
  // dialog loses activation, as the user may then edit the text; ignored while the walker opens a
  // cell editor for a word (which takes the activation for a moment).
  void Reset();
  // Whether the walker is opening a table's cell editor on the word it marks.
  bool EnteringCell() const { return enteringCell_; }

  // Whether the item's text is checked: a text item whose style is no symbol font and is not
  // protected against changes.
  static bool IsCheckable(TCustomUVData* Data, Integer ItemNo);

private:
  // Brings the current item's text in and resolves a column beyond either end of it; false at
  // either end of the document.
  bool LoadLine();
  void SkipForward();
  // Whether the current item lies in the document the editor edits (the root, or the cell an
  // editor is open on); a word marked elsewhere is selected in its own cell only.
  bool WordIsEdited() const;
  // The length of the marked word's selection.
  Integer MarkedLength();
  // Keeps the serializer where it is while a position elsewhere is asked for.
  class KeepPlace;
  // The item offset of a column of the text read, and the first column at or after an item
  // offset. The two differ in Unicode text where the code page joins a letter and its combining
  // marks into one character (or writes one as two bytes).
  Integer OffsetOf(Integer Column) const;
  Integer ColumnOf(Integer Offset) const;

  TCustomUzurUvadEdit* editor_ = nullptr;
  Integer column_ = 0;
  Integer endLine_ = 0;
  Integer endColumn_ = 0;
  bool endSet_ = false;
  AnsiString text_;
  Integer loadedLine_ = -1;
  Integer length_ = 0;
  // For text read from Unicode: the item offset each character of text_ comes from, and one more
  // entry for the end; empty where the columns are the item's offsets.
  std::vector<Integer> offsets_;
  // For text read from Unicode: for each character of text_ that comes from a letter and its
  // combining marks, the letter alone, else 0; empty where there are none.
  AnsiString letters_;
  // An item offset given by SetPos, turned into a column once its item is read; -1 for none.
  Integer pendingOffset_ = -1;
  bool reload_ = true;
  std::unique_ptr<TUVSerializer> serializer_;
  bool reset_ = false;
  bool enteringCell_ = false;
};
