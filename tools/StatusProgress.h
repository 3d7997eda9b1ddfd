// Progress texts in a status bar during work that does not yield. Setting a status bar's text
// costs as much as the work of a chapter, so the bar takes a text and repaints at most every
// 100 ms: the user sees the work advance, and when the work is done the bar holds its last text.
#pragma once

#include "classlib/System.h"

class TStatusBar;

class TStatusProgress {
public:
  // No bar: nothing is shown.
  explicit TStatusProgress(TStatusBar* bar) : bar_(bar) {}
  // Puts the last text shown into the bar.
  ~TStatusProgress();
  TStatusProgress(const TStatusProgress&) = delete;
  TStatusProgress& operator=(const TStatusProgress&) = delete;

  void Show(const AnsiString& text);

private:
  TStatusBar* bar_;
  AnsiString latest_;
  unsigned long painted_ = 0;  // tick count of the last text put into the bar
  bool everPainted_ = false;
};
