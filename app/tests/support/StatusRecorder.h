// Every text a status bar is given while the recorder lives, for tests of windows that report
// their progress there.
#pragma once

#include "app/tests/support/AppTestSupport.h"
#include "classlib/ComCtrls.h"
#include "classlib/ObjectInstances.h"

namespace app_testing {

// The bar must have its window.
class StatusRecorder {
public:
  explicit StatusRecorder(TStatusBar* bar) : bar_(bar), old_(bar->WindowProc) {
    bar_->WindowProc = TWndMethod::FromFunction([this](TMessage& message) {
      if (message.Msg == SB_SETTEXTA) Texts.emplace_back(reinterpret_cast<const char*>(message.LParam));
      old_(message);
    });
  }
  ~StatusRecorder() { bar_->WindowProc = old_; }
  StatusRecorder(const StatusRecorder&) = delete;
  StatusRecorder& operator=(const StatusRecorder&) = delete;
  Lines Texts;

private:
  TStatusBar* bar_;
  TWndMethod old_;
};

}  // namespace app_testing
