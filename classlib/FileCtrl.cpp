#include "classlib/FileCtrl.h"

#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Strings.h"
#include "classlib/WinApi.h"

namespace {

// Frees an item id list of the shell.
struct ItemIdList {
  LPITEMIDLIST pidl = nullptr;
  ~ItemIdList() {
    if (pidl) ::CoTaskMemFree(pidl);
  }
};

// Chooses the starting folder once the browser is up.
int CALLBACK BrowseProc(HWND wnd, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data) ::SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

}  // namespace

bool SelectDirectory(const AnsiString& Caption, const AnsiString& Root, AnsiString& Directory) {
  return SelectDirectory(Caption, Root, Directory, nullptr, BIF_RETURNONLYFSDIRS);
}

bool SelectDirectory(const AnsiString& Caption, const AnsiString& Root, AnsiString& Directory, HWND Owner,
                     UINT Flags) {
  if (TDialogResponder* responder = GetDialogResponder()) return responder->SelectDirectory(Caption, Root, Directory);

  // The shell's browser needs COM on this thread; it stays initialised as long as we need it.
  HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ItemIdList root;
  if (!Root.empty()) ::SHParseDisplayName(AnsiToWide(Root).c_str(), nullptr, &root.pidl, 0, nullptr);
  char display[MAX_PATH] = {};
  BROWSEINFOA bi{};
  bi.hwndOwner = Owner ? Owner : ::GetActiveWindow();
  if (!bi.hwndOwner && Application) bi.hwndOwner = Application->GetHandle();
  bi.pidlRoot = root.pidl;
  bi.pszDisplayName = display;
  bi.lpszTitle = Caption.c_str();
  bi.ulFlags = Flags;
  bi.lpfn = &BrowseProc;
  bi.lParam = Directory.empty() ? 0 : reinterpret_cast<LPARAM>(Directory.c_str());

  TTaskWindowList disabled = DisableTaskWindows(nullptr);
  ItemIdList chosen;
  chosen.pidl = ::SHBrowseForFolderA(&bi);
  EnableTaskWindows(disabled);
  if (bi.hwndOwner && ::IsWindow(bi.hwndOwner)) ::SetActiveWindow(bi.hwndOwner);

  bool ok = false;
  char path[MAX_PATH] = {};
  if (chosen.pidl && ::SHGetPathFromIDListA(chosen.pidl, path) && path[0]) {
    Directory = path;
    ok = true;
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return ok;
}
