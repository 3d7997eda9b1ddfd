// Closing the message boxes that a component shows, from a watcher thread, and keeping what
// they said.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "classlib/WinApi.h"

namespace syscomp_tests {

// While it lives, answers every message box titled Title with OK and keeps its text and style.
class MessageBoxCloser {
public:
  explicit MessageBoxCloser(std::string Title) : title_(std::move(Title)), watcher_([this] { Watch(); }) {}
  ~MessageBoxCloser() {
    stop_ = true;
    watcher_.join();
  }
  MessageBoxCloser(const MessageBoxCloser&) = delete;
  MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

  std::vector<std::string> Texts() {
    std::lock_guard<std::mutex> guard(lock_);
    return texts_;
  }
  // The windows that owned the boxes.
  std::vector<HWND> Owners() {
    std::lock_guard<std::mutex> guard(lock_);
    return owners_;
  }
  std::size_t Count() {
    std::lock_guard<std::mutex> guard(lock_);
    return texts_.size();
  }

private:
  void Watch() {
    while (!stop_) {
      HWND box = FindWindowA("#32770", title_.c_str());
      if (box && IsWindowVisible(box)) {
        char text[1024] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        {
          std::lock_guard<std::mutex> guard(lock_);
          texts_.push_back(text);
          owners_.push_back(GetWindow(box, GW_OWNER));
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(10);
      }
      Sleep(20);
    }
  }

  std::string title_;
  std::atomic<bool> stop_{false};
  std::mutex lock_;
  std::vector<std::string> texts_;
  std::vector<HWND> owners_;
  std::thread watcher_;
};

}  // namespace syscomp_tests
