#include "spell/lx3WinAPIParser.h"

#include <richedit.h>

#include "classlib/Controls.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"

void TWinAPIControlParser::Init(TWinControl* Control) {
  Init(Control ? Control->GetHandle() : nullptr);
  control_ = Control;
}

void TWinAPIControlParser::Init(HWND Window) {
  control_ = nullptr;
  window_ = Window;
  column_ = line_ = 0;
  endColumn_ = endLine_ = 0;
  endSet_ = false;
  bufferLine_ = -1;
  bufferLength_ = 0;
  reload_ = true;
  markStart_ = markLength_ = 0;
  lineCount_ = static_cast<Integer>(Send(EM_GETLINECOUNT));
  char className[1025] = {};
  GetClassNameA(Window, className, 1024);
  const AnsiString name = AnsiLowerCase(className);
  if (name.find("richedit2") != AnsiString::npos)
    kind_ = ckRichEdit2;
  else if (name.find("richedit") != AnsiString::npos || name.find("syntaxmemo") != AnsiString::npos ||
           name.find("vismemo") != AnsiString::npos)
    kind_ = ckRichEdit1;
  else
    kind_ = ckEdit;
}

LRESULT TWinAPIControlParser::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return window_ ? SendMessageA(window_, message, wParam, lParam) : 0;
}

bool TWinAPIControlParser::ReadLine(Integer line) {
  if (line < 0 || line >= lineCount_) return false;
  *reinterpret_cast<WORD*>(buffer_) = static_cast<WORD>(kLineRoom);
  Integer n = static_cast<Integer>(Send(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer_)));
  if (n < 0 || n > kLineRoom) n = 0;
  buffer_[n] = '\r';
  buffer_[n + 1] = '\n';
  bufferLength_ = n + 2;
  bufferLine_ = line;
  reload_ = false;
  lineCount_ = static_cast<Integer>(Send(EM_GETLINECOUNT));
  return true;
}

bool TWinAPIControlParser::LoadLine() {
  if (column_ < 0) {
    // Back over the start of a line: onto the previous line's line feed.
    if (line_ <= 0) {
      column_ = 0;
      return false;
    }
    --line_;
    if (!ReadLine(line_)) return false;
    column_ = bufferLength_ - 1;
  } else {
    if ((line_ != bufferLine_ || reload_) && !ReadLine(line_)) return false;
    if (column_ >= bufferLength_) {
      ++line_;
      column_ = 0;
      if (!ReadLine(line_)) return false;
    }
  }
  // The range ends at the end column of the end line.
  return !endSet_ || line_ < endLine_ || (line_ == endLine_ && column_ <= endColumn_);
}

AnsiChar TWinAPIControlParser::CurChar() { return LoadLine() ? buffer_[column_] : '\0'; }

void TWinAPIControlParser::GetText(AnsiString& Text) {
  if (LoadLine())
    Text.assign(buffer_, static_cast<std::size_t>(bufferLength_));
  else
    Text.clear();
}

bool TWinAPIControlParser::MoveNext() {
  ++column_;
  return LoadLine();
}

bool TWinAPIControlParser::MovePrev() {
  --column_;
  return LoadLine();
}

void TWinAPIControlParser::SetPos(Integer Column, Integer Line, Integer Mode) {
  if (Mode == pmCurrent) {
    column_ = Column;
    line_ = Line;
    reload_ = true;
  } else if (Mode == pmEnd) {
    endColumn_ = Column;
    endLine_ = Line;
    endSet_ = true;
  }
}

void TWinAPIControlParser::GetPos(Integer& Column, Integer& Line) {
  Column = column_;
  Line = line_;
}

void TWinAPIControlParser::MarkBack(Integer Length) {
  column_ -= Length;
  markStart_ = static_cast<Integer>(Send(EM_LINEINDEX, static_cast<WPARAM>(line_))) + column_;
  markLength_ = Length;
  Send(EM_SETSEL, static_cast<WPARAM>(markStart_), static_cast<LPARAM>(markStart_ + markLength_));
}

void TWinAPIControlParser::ReplaceWord(const AnsiString& Text, Integer) {
  Send(EM_SETSEL, static_cast<WPARAM>(markStart_), static_cast<LPARAM>(markStart_ + markLength_));
  const Integer length = static_cast<Integer>(Text.size());
  if (endSet_ && line_ == endLine_) {
    DWORD start = 0, end = 0;
    Selection(start, end);
    endColumn_ += length - static_cast<Integer>(end - start);
  }
  Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Text.c_str()));
  column_ += length;
  reload_ = true;
}

void TWinAPIControlParser::SkipMarked() {
  DWORD start = 0, end = 0;
  Selection(start, end);
  column_ += static_cast<Integer>(end - start);
}

void TWinAPIControlParser::Selection(DWORD& start, DWORD& end) const {
  start = end = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
}

void TWinAPIControlParser::LineAndColumn(DWORD index, Integer& column, Integer& line) const {
  line = static_cast<Integer>(Send(EM_LINEFROMCHAR, index));
  column = static_cast<Integer>(index) - static_cast<Integer>(Send(EM_LINEINDEX, static_cast<WPARAM>(line)));
}

Integer TWinAPIControlParser::LineHeight() const {
  WindowDC dc(window_);
  SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT)));
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  return tm.tmHeight + tm.tmExternalLeading;
}

TPoint TWinAPIControlParser::PosFromChar(Integer index) const {
  if (kind_ == ckRichEdit1) {
    POINTL pt{};
    Send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), index);
    return Point(pt.x, pt.y);
  }
  const LRESULT r = Send(EM_POSFROMCHAR, static_cast<WPARAM>(index));
  return Point(static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r)));
}

void TWinAPIControlParser::ScrollToWord() {
  TRect client;
  GetClientRect(window_, AsRECT(client));
  const Integer height = LineHeight();
  const Integer visible = height > 0 ? client.Height() / height : 0;
  const Integer first = static_cast<Integer>(Send(EM_GETFIRSTVISIBLELINE));
  Send(EM_LINESCROLL, 0, line_ - (first + visible / 2));
  DWORD start = 0, end = 0;
  Selection(start, end);
  Send(EM_SETSEL, start, start);
  Send(EM_SCROLLCARET);
  Send(EM_SETSEL, end, end);
  Send(EM_SCROLLCARET);
  Send(EM_SETSEL, start, end);
}

void TWinAPIControlParser::GetCursor(Integer& Column, Integer& Line) {
  DWORD start = 0, end = 0;
  Selection(start, end);
  LineAndColumn(start, Column, Line);
}

void TWinAPIControlParser::GetSelection(Integer& StartColumn, Integer& StartLine, Integer& EndColumn,
                                        Integer& EndLine) {
  DWORD start = 0, end = 0;
  Selection(start, end);
  LineAndColumn(start, StartColumn, StartLine);
  LineAndColumn(end, EndColumn, EndLine);
}

void TWinAPIControlParser::ControlRect(TRect& Rect) {
  TPoint origin;
  ClientToScreen(window_, AsPOINT(origin));
  TRect window;
  GetWindowRect(window_, AsRECT(window));
  Rect = Bounds(origin.X, origin.Y, window.Width(), window.Height());
}

void TWinAPIControlParser::SelectionRect(TRect& Rect) {
  DWORD start = 0, end = 0;
  Selection(start, end);
  TPoint topLeft = PosFromChar(static_cast<Integer>(start));
  TPoint bottomRight = PosFromChar(static_cast<Integer>(end));
  bottomRight.Y = topLeft.Y + LineHeight();
  const Integer line = static_cast<Integer>(Send(EM_LINEFROMCHAR, start));
  if (line + 1 < static_cast<Integer>(Send(EM_GETLINECOUNT))) {
    const Integer next = PosFromChar(static_cast<Integer>(Send(EM_LINEINDEX, static_cast<WPARAM>(line + 1)))).Y;
    if (next > bottomRight.Y) bottomRight.Y = next;
  }
  ClientToScreen(window_, AsPOINT(topLeft));
  ClientToScreen(window_, AsPOINT(bottomRight));
  Rect = ::Rect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
}
