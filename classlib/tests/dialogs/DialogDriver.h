// Answers the real dialog windows of the test's thread, from inside their modal loops.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/WinApi.h"

namespace dialogs_test {

// Steps run one after the other on the enabled dialog window (class "#32770") of this thread,
// from a timer that fires inside whatever modal loop is running. A step returns false to be
// tried again on the next tick (its window is not there yet). So that a test fails instead of
// hanging, a dialog still open ten seconds after the driver was made or took its last step is closed.
class DialogDriver {
public:
  using Step = std::function<bool(HWND dialog)>;
  explicit DialogDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
    current_ = this;
    start_ = ::GetTickCount();
    timer_ = ::SetTimer(nullptr, 0, 50, &Tick);
  }
  ~DialogDriver() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;
  bool Finished() const { return next_ == steps_.size(); }

  // The enabled, visible dialog window of this thread that is in front, or null.
  static HWND ActiveDialog() {
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND wnd, LPARAM data) -> BOOL {
          char cls[32] = {};
          ::GetClassNameA(wnd, cls, sizeof(cls));
          if (std::string(cls) == "#32770" && ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd)) {
            *reinterpret_cast<HWND*>(data) = wnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogDriver* self = current_;
    if (!self || self->busy_) return;
    HWND dialog = ActiveDialog();
    if (!dialog) return;
    if (::GetTickCount() - self->start_ > 10000) {
      ::PostMessageA(dialog, WM_CLOSE, 0, 0);
      return;
    }
    if (self->Finished()) return;
    self->busy_ = true;
    if (self->steps_[self->next_](dialog)) {
      ++self->next_;
      // The ten seconds count from the last step taken: a busy machine slows every step.
      self->start_ = ::GetTickCount();
    }
    self->busy_ = false;
  }

  static inline DialogDriver* current_ = nullptr;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  UINT_PTR timer_ = 0;
  DWORD start_ = 0;
  bool busy_ = false;
};

// The child window of a dialog with the given text (a button's caption), or null.
inline HWND ChildWithText(HWND dialog, const std::string& text) {
  struct Search {
    std::string text;
    HWND found = nullptr;
  } search{text};
  ::EnumChildWindows(
      dialog,
      [](HWND wnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        char buffer[256] = {};
        ::GetWindowTextA(wnd, buffer, sizeof(buffer));
        if (s->text == buffer) {
          s->found = wnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline std::string WindowText(HWND wnd) {
  char buffer[1024] = {};
  ::GetWindowTextA(wnd, buffer, sizeof(buffer));
  return buffer;
}

// Clicks the button of the dialog with that caption; false when there is none.
inline bool ClickButton(HWND dialog, const std::string& caption) {
  HWND button = ChildWithText(dialog, caption);
  if (!button) return false;
  ::PostMessageA(button, BM_CLICK, 0, 0);
  return true;
}

}  // namespace dialogs_test
