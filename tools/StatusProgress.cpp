#include "tools/StatusProgress.h"

#include "classlib/ComCtrls.h"
#include "classlib/WinApi.h"

namespace {

constexpr unsigned long kRepaintInterval = 100;  // ms

}  // namespace

TStatusProgress::~TStatusProgress() {
  if (bar_ && everPainted_) bar_->SetSimpleText(latest_);
}

void TStatusProgress::Show(const AnsiString& text) {
  if (!bar_) return;
  latest_ = text;
  const unsigned long now = ::GetTickCount();
  if (everPainted_ && now - painted_ < kRepaintInterval) return;
  bar_->SetSimpleText(text);
  bar_->Update();
  painted_ = now;
  everPainted_ = true;
}
