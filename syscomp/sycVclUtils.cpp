#include "syscomp/sycVclUtils.h"

#include "classlib/Forms.h"

void ShowApplicationWindow() {
  if (HWND wnd = Application->GetHandle()) ::ShowWindow(wnd, SW_SHOWNORMAL);
}

void HideApplicationWindow() {
  if (HWND wnd = Application->GetHandle(); wnd && ::IsWindowVisible(wnd)) ::ShowWindow(wnd, SW_HIDE);
}

void ShowApplication() {
  ShowApplicationWindow();
  if (TForm* form = Application->GetMainForm()) form->SetVisible(true);
}

void HideApplication() {
  HideApplicationWindow();
  if (TForm* form = Application->GetMainForm()) form->SetVisible(false);
}

HWND FindPrevInstanceWindow() {
  const AnsiString className = Application->ClassName();
  const AnsiString title = Application->GetTitle();
  HWND own = Application->GetHandle();
  for (HWND wnd = nullptr; (wnd = ::FindWindowExA(nullptr, wnd, className.c_str(), title.c_str()));)
    if (wnd != own) return wnd;
  return nullptr;
}

bool syc::ActivatePrevInstance() {
  HWND wnd = FindPrevInstanceWindow();
  if (!wnd) return false;
  if (::IsIconic(wnd))
    ::OpenIcon(wnd);
  else
    ::SetForegroundWindow(wnd);
  return true;
}
