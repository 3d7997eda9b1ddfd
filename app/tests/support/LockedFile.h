// A file that another program holds open without sharing, as an editor or a backup program may,
// and the error box that the program then shows.
#pragma once

#include <functional>
#include <string>

#include "classlib/Forms.h"
#include "tests/support/TestSupport.h"

namespace app_testing {

// Open with share mode 0 while the object lives: nobody else can read or write the file.
class LockedFile {
public:
  explicit LockedFile(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~LockedFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;
  bool Locked() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
  HANDLE handle_;
};

// The system's words for a file that another program holds open.
inline std::string SharingViolationText() {
  return SysErrorMessage(ERROR_SHARING_VIOLATION);
}

// Runs `act`, which should make the program show its error box (a message box with the
// application's title); the box is answered with OK. The box's text, or "(no box)".
inline std::string ErrorBoxText(const std::function<void()>& act, DWORD timeoutMs = 30000) {
  std::string text = "(no box)";
  testing_support::WindowWatch box(
      Application->GetTitle(),
      [&](HWND w) {
        char buffer[2048] = {};
        GetDlgItemTextA(w, 0xFFFF, buffer, sizeof buffer);
        text = buffer;
        testing_support::SaveScreenshot(w, "locked-book-error");
        testing_support::PressDialogButton(w, IDOK);
      },
      timeoutMs, "#32770");
  act();
  testing_support::PumpUntil([&] { return box.Done(); }, timeoutMs);
  return text;
}

}  // namespace app_testing
