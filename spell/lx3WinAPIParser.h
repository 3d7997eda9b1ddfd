// A text walker over a standard Windows edit or rich edit control, driven by edit-control
// messages. Columns are 0-based character indexes within a line; every line is read with a
// carriage return and line feed after it, so that the word breaker sees the line break.
#pragma once

#include "classlib/WinApi.h"
#include "spell/lx3ParserBase.h"

class TWinControl;

class TWinAPIControlParser : public TControlParser {
  CLASS_INFO(TWinAPIControlParser, TControlParser)
public:
  // Control kinds.
  static constexpr Integer ckEdit = 0;       // plain edit control
  static constexpr Integer ckRichEdit1 = 1;  // rich edit of the first generation, or a memo like one
  static constexpr Integer ckRichEdit2 = 2;  // rich edit of the second generation

  // Binds the walker to the control's window and resets it; the kind follows the window class.
  void Init(HWND Window);
  // The same for a control of the class library, whose window is made when needed.
  void Init(TWinControl* Control);
  // The control given to Init; none when the walker was given a window.
  TWinControl* GetControl() const { return control_; }
  HWND GetHandle() const { return window_; }
  Integer GetControlKind() const { return kind_; }
  void SetControlKind(Integer Kind) { kind_ = Kind; }

  AnsiChar CurChar() override;
  void GetText(AnsiString& Text) override;
  bool MoveNext() override;
  bool MovePrev() override;
  void SetPos(Integer Column, Integer Line, Integer Mode) override;
  void GetPos(Integer& Column, Integer& Line) override;
  void MarkBack(Integer Length) override;
  void ReplaceWord(const AnsiString& Text, Integer State) override;
  void SkipMarked() override;
  // Brings the marked word's line to the middle of the control.
  void ScrollToWord() override;
  void GetCursor(Integer& Column, Integer& Line) override;
  void GetSelection(Integer& StartColumn, Integer& StartLine, Integer& EndColumn, Integer& EndLine) override;
  void ControlRect(TRect& Rect) override;
  void SelectionRect(TRect& Rect) override;
  void UndoLast(Integer, Integer, Integer&) override {}

private:
  static constexpr Integer kBufferSize = 16384;
  static constexpr Integer kLineRoom = 16374;  // characters read of one line

  // Brings the current line into the buffer and resolves a column beyond either end of it;
  // false outside the text or beyond the end of the range.
  bool LoadLine();
  bool ReadLine(Integer line);
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void Selection(DWORD& start, DWORD& end) const;
  // Column and line of a character index of the whole control.
  void LineAndColumn(DWORD index, Integer& column, Integer& line) const;
  TPoint PosFromChar(Integer index) const;
  Integer LineHeight() const;

  TWinControl* control_ = nullptr;
  HWND window_ = nullptr;
  Integer kind_ = ckEdit;
  Integer endColumn_ = 0;
  Integer endLine_ = 0;
  bool endSet_ = false;
  Integer column_ = 0;
  Integer line_ = 0;
  char buffer_[kBufferSize] = {};
  Integer bufferLine_ = -1;
  Integer bufferLength_ = 0;
  Integer lineCount_ = 0;
  bool reload_ = true;
  Integer markStart_ = 0;
  Integer markLength_ = 0;
};
