// The text walker interface: the spell engine reads every text through an object of a class
// derived from TControlParser, which presents it as 8-bit characters addressed by a column and
// a line, moves one character forward and back, marks (selects) the word just read, replaces it,
// and tells where the selection and the marked word are on the screen.
#pragma once

#include "classlib/System.h"

// SetPos modes.
constexpr Integer pmCurrent = 0;  // set the current position
constexpr Integer pmEnd = 1;      // set the end of the range: moving beyond it fails

class TControlParser : public TObject {
  CLASS_INFO(TControlParser, TObject)
public:
  // The character at the current position; 0 outside the text.
  virtual AnsiChar CurChar() = 0;
  // The letter that the current character (Current, as CurChar just gave it) stands for in word
  // breaking: the character itself, except where a walker reads a letter and its combining marks
  // as one character (an accented letter): there the letter alone, so that the marks belong to
  // the word of their letter whichever characters are word characters.
  virtual AnsiChar LetterOf(AnsiChar Current) { return Current; }
  // The current line (or the whole text for walkers without lines).
  virtual void GetText(AnsiString& Text) = 0;
  // One character forward; false at the end of the text or beyond the end position.
  virtual bool MoveNext() = 0;
  // One character back; false at the start.
  virtual bool MovePrev() = 0;
  virtual void SetPos(Integer Column, Integer Line, Integer Mode) = 0;
  virtual void GetPos(Integer& Column, Integer& Line) = 0;
  // Moves back by the length of the word just read and marks those characters.
  virtual void MarkBack(Integer Length) = 0;
  // Replaces the marked characters and moves behind the new text. State tells the walker why
  // (the spell-check component's replacement states); the walkers here do not need it.
  virtual void ReplaceWord(const AnsiString& Text, Integer State) = 0;
  // Moves behind the marked characters.
  virtual void SkipMarked() = 0;
  // Makes the marked word visible.
  virtual void ScrollToWord() = 0;
  // The control's caret position.
  virtual void GetCursor(Integer& Column, Integer& Line) = 0;
  virtual void GetSelection(Integer& StartColumn, Integer& StartLine, Integer& EndColumn, Integer& EndLine) = 0;
  // The control's rectangle and the marked word's rectangle, in screen coordinates.
  virtual void ControlRect(TRect& Rect) = 0;
  virtual void SelectionRect(TRect& Rect) = 0;
  // Lets a walker take part in undoing a step: State 0 asks it to store what it needs in Data,
  // 1 comes before an undo is carried out and 2 after it.
  virtual void UndoLast(Integer State, Integer Action, Integer& Data) = 0;
};
