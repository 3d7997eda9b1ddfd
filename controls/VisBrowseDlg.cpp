// The folder browse dialog.
#include "controls/VisBrowseDlg.h"

#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/ObjectInstances.h"
#include "classlib/SysUtils.h"
#include "controls/visprocs.h"

PUBLISHED(TVisBrowseDlg) {
  Prop("About", &TVisBrowseDlg::About).Stored(false);
  Prop("CaptionTitle", &TVisBrowseDlg::CaptionTitle);
  Prop("Caption", &TVisBrowseDlg::Caption);
  Prop("StartFolder", &TVisBrowseDlg::StartFolder).Default(bfoDesktopExpanded);
  Prop("Options", &TVisBrowseDlg::Options).Default(TVisBrowseDlgOptions{doReturnFileSysDirs, doShowPath});
  Prop("SelectedFolder", &TVisBrowseDlg::GetSelectedFolder, &TVisBrowseDlg::SetSelectedFolder);
  Prop("Position", &TVisBrowseDlg::Position).Default(bpCenter);
  Prop("RelatePos", &TVisBrowseDlg::RelatePos).Default(brActiveWindow);
  Prop("StatusText", &TVisBrowseDlg::GetStatusText, &TVisBrowseDlg::SetStatusText);
  Prop("OnInit", &TVisBrowseDlg::OnInit);
  Prop("OnSelectionChanged", &TVisBrowseDlg::OnSelectionChanged);
  Prop("OnValidate", &TVisBrowseDlg::OnValidate);
}

namespace {

constexpr Integer kSpecialFolders[] = {0,  0xFEFE, 2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 16, 17, 18, 19,
                                       1,  20,     21, 22, 23, 24, 25, 26, 27, 29, 30, 31, 32, 33, 34};
static_assert(std::size(kSpecialFolders) == bfoHistory + 1);

// The status line shows paths shortened to this many characters.
constexpr Integer kShownPathLength = 40;

// An item identifier list that the shell allocated, given back to it.
class ShellItemList {
public:
  explicit ShellItemList(LPITEMIDLIST item = nullptr) : item_(item) {}
  ~ShellItemList() { ::CoTaskMemFree(item_); }
  ShellItemList(const ShellItemList&) = delete;
  ShellItemList& operator=(const ShellItemList&) = delete;
  LPITEMIDLIST get() const { return item_; }
  LPITEMIDLIST* out() { return &item_; }

private:
  LPITEMIDLIST item_;
};

// COM for the shell's picker, for the time of one Execute.
class ComScope {
public:
  ComScope() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

private:
  HRESULT result_;
};

AnsiString PathOf(LPCITEMIDLIST Item) {
  char path[MAX_PATH] = {};
  if (!Item || !::SHGetPathFromIDListA(Item, path)) return AnsiString();
  return path;
}

}  // namespace

Integer SpecialFolderOf(TVisSystemFolders Folder) { return kSpecialFolders[Folder]; }

UINT BrowseFlagsOf(TVisBrowseDlgOptions Options) {
  UINT flags = 0;
  if (Options.Contains(doBrowseForComputer)) flags |= BIF_BROWSEFORCOMPUTER;
  if (Options.Contains(doBrowseForPrinter)) flags |= BIF_BROWSEFORPRINTER;
  if (Options.Contains(doDontGoBelowDomain)) flags |= BIF_DONTGOBELOWDOMAIN;
  if (Options.Contains(doReturnFileSysAncestors)) flags |= BIF_RETURNFSANCESTORS;
  if (Options.Contains(doReturnFileSysDirs)) flags |= BIF_RETURNONLYFSDIRS;
  if (Options.Contains(doStatusText)) flags |= BIF_STATUSTEXT;
  if (Options.Contains(doShowFiles)) flags |= BIF_BROWSEINCLUDEFILES;
  if (Options.Contains(doAllowEdit)) flags |= BIF_EDITBOX | BIF_VALIDATE;
  return flags;
}

void TVisBrowseDlg::SetSelectedFolder(const AnsiString& Value) {
  FSelectedFolder = Value;
  if (FDialog) ::SendMessageA(FDialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(FSelectedFolder.c_str()));
}

void TVisBrowseDlg::SetStatusText(const AnsiString& Value) {
  FStatusText = Value;
  if (FDialog) ::SendMessageA(FDialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(FStatusText.c_str()));
}

AnsiString TVisBrowseDlg::RootPath() const {
  if (StartFolder == bfoDesktopExpanded) return AnsiString();
  char path[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathA(nullptr, path, SpecialFolderOf(StartFolder), FALSE)) return AnsiString();
  return path;
}

bool TVisBrowseDlg::Execute() {
  if (TDialogResponder* responder = GetDialogResponder()) {
    AnsiString directory = FSelectedFolder;
    if (!responder->SelectDirectory(Caption, RootPath(), directory)) return false;
    FSelectedFolder = directory;
    FDisplayName = ExtractFileName(ExcludeTrailingBackslash(directory));
    return true;
  }
  HWND owner = nullptr;
  if (auto* control = dynamic_cast<TWinControl*>(GetOwner()))
    owner = control->GetHandle();
  else if (Application && Application->GetMainForm() && !GetOwner())
    owner = Application->GetMainForm()->GetHandle();

  ComScope com;
  ShellItemList root;
  // The expanded desktop names no special folder: no root, the tree starts at the desktop.
  if (FAILED(::SHGetSpecialFolderLocation(owner, SpecialFolderOf(StartFolder), root.out()))) *root.out() = nullptr;

  char displayName[MAX_PATH + 1] = {};
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pidlRoot = root.get();
  info.pszDisplayName = displayName;
  info.lpszTitle = Caption.c_str();
  info.ulFlags = BrowseFlagsOf(Options);
  info.lpfn = &TVisBrowseDlg::Callback;
  info.lParam = reinterpret_cast<LPARAM>(this);
  ShellItemList chosen(::SHBrowseForFolderA(&info));
  const AnsiString path = PathOf(chosen.get());
  FDialog = nullptr;
  if (!chosen.get()) return false;
  FSelectedFolder = path;
  FDisplayName = displayName;
  return true;
}

int CALLBACK TVisBrowseDlg::Callback(HWND Wnd, UINT Msg, LPARAM LParam, LPARAM Data) {
  auto* dialog = reinterpret_cast<TVisBrowseDlg*>(Data);
  if (!dialog) return 0;
  // Exceptions of the handlers stop here: they must not unwind through the shell.
  try {
    return dialog->Notify(Wnd, Msg, LParam);
  } catch (...) {
    HandleBoundaryException(dialog);
    return 0;
  }
}

int TVisBrowseDlg::Notify(HWND Wnd, UINT Msg, LPARAM LParam) {
  switch (Msg) {
    case BFFM_INITIALIZED:
      Initialized(Wnd);
      return 0;
    case BFFM_SELCHANGED: {
      if (!Options.Contains(doShowPath) && !OnSelectionChanged) return 0;
      const auto item = reinterpret_cast<LPCITEMIDLIST>(LParam);
      const AnsiString path = PathOf(item);
      if (Options.Contains(doShowPath)) SetStatusText(ShortenPath(path, kShownPathLength));
      if (OnSelectionChanged) OnSelectionChanged(this, Wnd, path, item);
      return 0;
    }
    case BFFM_VALIDATEFAILEDA: {
      if (!OnValidate) return 0;
      bool cancel = false;
      OnValidate(this, AnsiString(reinterpret_cast<const char*>(LParam)), cancel);
      return cancel ? 1 : 0;
    }
    default:
      return 0;
  }
}

void TVisBrowseDlg::Initialized(HWND Wnd) {
  FDialog = Wnd;
  const bool designing = GetComponentState().Contains(csDesigning);
  PlaceWindow(Wnd, GetRelateRect(designing ? brScreenWorkArea : RelatePos), Position);
  if (!CaptionTitle.empty()) ::SendMessageA(Wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(CaptionTitle.c_str()));
  if (!FStatusText.empty()) SetStatusText(FStatusText);
  if (!FSelectedFolder.empty()) SetSelectedFolder(FSelectedFolder);
  // OK starts enabled with doEnableOK, and when the folder the picker starts at exists.
  const bool enable = Options.Contains(doEnableOK) || (!FSelectedFolder.empty() && DirectoryExists(FSelectedFolder));
  ::SendMessageA(Wnd, BFFM_ENABLEOK, 0, enable ? TRUE : FALSE);
  if (OnInit) OnInit(this);
}

bool visbrowsedlg_detail::RegisterClasses() {
  if (!GetClass("TVisBrowseDlg")) RegisterClass(TVisBrowseDlg::StaticClass());
  return true;
}
