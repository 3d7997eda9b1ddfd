// The common dialogs and the dialog responder.
#include "classlib/Dialogs.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/Printers.h"

namespace {

TDialogResponder* responder = nullptr;

// Runs a modal system dialog the way a form is shown modally: the other windows of the
// program are disabled meanwhile, and the window that was active is active again afterwards.
template <class F>
auto RunModal(F run) {
  HWND active = ::GetActiveWindow();
  TTaskWindowList disabled = DisableTaskWindows(nullptr);
  struct Restore {
    HWND active;
    TTaskWindowList& disabled;
    ~Restore() {
      EnableTaskWindows(disabled);
      if (active && ::IsWindow(active)) ::SetActiveWindow(active);
    }
  } restore{active, disabled};
  return run();
}

// Option sets as flag words: the flag of each member that has one.
template <class E, std::size_t N>
DWORD Flags(TSet<E> options, const std::pair<E, DWORD> (&table)[N]) {
  DWORD flags = 0;
  for (const auto& [option, flag] : table)
    if (options.Contains(option)) flags |= flag;
  return flags;
}

const std::pair<TOpenOption, DWORD> kOpenFlags[] = {
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {ofNoLongNames, OFN_NOLONGNAMES},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
    {ofEnableSizing, OFN_ENABLESIZING},
};

const std::pair<TFontDialogOption, DWORD> kFontFlags[] = {
    {fdAnsiOnly, CF_SCRIPTSONLY},
    {fdTrueTypeOnly, CF_TTONLY},
    {fdEffects, CF_EFFECTS},
    {fdFixedPitchOnly, CF_FIXEDPITCHONLY},
    {fdForceFontExist, CF_FORCEFONTEXIST},
    {fdNoFaceSel, CF_NOFACESEL},
    {fdNoOEMFonts, CF_NOOEMFONTS},
    {fdNoSimulations, CF_NOSIMULATIONS},
    {fdNoSizeSel, CF_NOSIZESEL},
    {fdNoStyleSel, CF_NOSTYLESEL},
    {fdNoVectorFonts, CF_NOVECTORFONTS},
    {fdLimitSize, CF_LIMITSIZE},
    {fdScalableOnly, CF_SCALABLEONLY},
};

const std::pair<TColorDialogOption, DWORD> kColorFlags[] = {
    {cdFullOpen, CC_FULLOPEN},
    {cdPreventFullOpen, CC_PREVENTFULLOPEN},
    {cdSolidColor, CC_SOLIDCOLOR},
    {cdAnyColor, CC_ANYCOLOR},
};

const std::pair<TPrintDialogOption, DWORD> kPrintFlags[] = {
    {poPrintToFile, PD_PRINTTOFILE},
    {poDisablePrintToFile, PD_DISABLEPRINTTOFILE},
};

const std::pair<TFindOption, DWORD> kFindFlags[] = {
    {frDown, FR_DOWN},
    {frFindNext, FR_FINDNEXT},
    {frHideMatchCase, FR_HIDEMATCHCASE},
    {frHideWholeWord, FR_HIDEWHOLEWORD},
    {frHideUpDown, FR_HIDEUPDOWN},
    {frMatchCase, FR_MATCHCASE},
    {frDisableMatchCase, FR_NOMATCHCASE},
    {frDisableUpDown, FR_NOUPDOWN},
    {frDisableWholeWord, FR_NOWHOLEWORD},
    {frReplace, FR_REPLACE},
    {frReplaceAll, FR_REPLACEALL},
    {frWholeWord, FR_WHOLEWORD},
};

// A filter "a|b|c|d" as the system wants it: the parts ended by null characters, the whole by
// one more.
std::string FilterPairs(const AnsiString& filter) {
  std::string pairs = filter;
  std::replace(pairs.begin(), pairs.end(), '|', '\0');
  if (!pairs.empty() && pairs.back() != '\0') pairs.push_back('\0');
  pairs.push_back('\0');
  return pairs;
}

// The extension to add to names typed without one: "*.txt" and ".txt" both mean "txt".
AnsiString BareExtension(const AnsiString& ext) {
  std::size_t start = ext.find_first_not_of("*.");
  return start == AnsiString::npos ? AnsiString() : ext.substr(start);
}

}  // namespace

// The hook procedures of the system dialogs: they give the component its window handle while
// the dialog is shown.
struct DialogHooks {
  static void Showing(TCommonDialog* dialog, HWND wnd) { dialog->FHandle = wnd; }
  static void Closed(TCommonDialog* dialog) { dialog->FHandle = nullptr; }

  // The explorer-style file dialog calls its hook for a child of the dialog window.
  static UINT_PTR CALLBACK File(HWND wnd, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
      auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
      auto* dialog = reinterpret_cast<TCommonDialog*>(ofn->lCustData);
      Showing(dialog, (ofn->Flags & OFN_EXPLORER) ? ::GetParent(wnd) : wnd);
    }
    return 0;
  }
  static UINT_PTR CALLBACK Font(HWND wnd, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
      Showing(reinterpret_cast<TCommonDialog*>(reinterpret_cast<CHOOSEFONTA*>(lParam)->lCustData), wnd);
      return TRUE;
    }
    return 0;
  }
  static UINT_PTR CALLBACK Color(HWND wnd, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
      Showing(reinterpret_cast<TCommonDialog*>(reinterpret_cast<CHOOSECOLORA*>(lParam)->lCustData), wnd);
      return TRUE;
    }
    return 0;
  }
  static UINT_PTR CALLBACK Print(HWND wnd, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
      Showing(reinterpret_cast<TCommonDialog*>(reinterpret_cast<PRINTDLGA*>(lParam)->lCustData), wnd);
      return TRUE;
    }
    return 0;
  }

  // Runs the system's print dialog over the program's printer with the given flags and, when
  // confirmed, makes the chosen printer and its copies and orientation the printer's.
  static bool RunPrintDialog(TCommonDialog* dialog, PRINTDLGA& pd) {
    TPrinter* printer = Printer();
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = TCommonDialog::OwnerWindow();
    pd.Flags |= PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
    pd.lpfnPrintHook = &DialogHooks::Print;
    pd.lpfnSetupHook = &DialogHooks::Print;
    pd.lCustData = reinterpret_cast<LPARAM>(dialog);
    BOOL ok = RunModal([&] { return ::PrintDlgA(&pd); });
    DialogHooks::Closed(dialog);
    UniqueGlobal devMode(pd.hDevMode);
    UniqueGlobal devNames(pd.hDevNames);
    if (!ok) return false;
    if (devNames) {
      GlobalLockGuard names(devNames.get());
      if (auto* dn = static_cast<const DEVNAMES*>(names.get())) {
        AnsiString device = reinterpret_cast<const char*>(dn) + dn->wDeviceOffset;
        Integer index = printer->GetPrinters()->IndexOf(device);
        if (index >= 0) printer->SetPrinterIndex(index);
      }
    }
    if (devMode) {
      GlobalLockGuard mode(devMode.get());
      if (auto* dm = static_cast<const DEVMODEA*>(mode.get())) {
        if (dm->dmFields & DM_ORIENTATION)
          printer->SetOrientation(dm->dmOrientation == DMORIENT_LANDSCAPE ? poLandscape : poPortrait);
        if (dm->dmFields & DM_COPIES) printer->SetCopies(dm->dmCopies);
      }
    }
    return true;
  }
};

// ---- The responder ----

bool TDialogResponder::Execute(TCommonDialog*) { return false; }

Integer TDialogResponder::Message(const AnsiString&, const AnsiString&, TMsgDlgType, TMsgDlgButtons Buttons) {
  if (Buttons.Contains(mbCancel)) return mrCancel;
  if (Buttons.Contains(mbNo)) return mrNo;
  return mrOk;
}

bool TDialogResponder::Input(const AnsiString&, const AnsiString&, AnsiString&) { return false; }

bool TDialogResponder::SelectDirectory(const AnsiString&, const AnsiString&, AnsiString&) { return false; }

TDialogResponder* SetDialogResponder(TDialogResponder* Responder) { return std::exchange(responder, Responder); }

TDialogResponder* GetDialogResponder() { return responder; }

// ---- TCommonDialog ----

HWND TCommonDialog::OwnerWindow() {
  HWND active = ::GetActiveWindow();
  if (active) return active;
  return Application ? Application->GetHandle() : nullptr;
}

bool TCommonDialog::Responded(bool& Answer) {
  if (!responder) return false;
  Answer = responder->Execute(this);
  return true;
}

// ---- TOpenDialog, TSaveDialog ----

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(new TStringList) {}

TOpenDialog::~TOpenDialog() { delete FFiles; }

BOOL TOpenDialog::RunDialog(OPENFILENAMEA* Ofn) { return ::GetOpenFileNameA(Ofn); }

BOOL TSaveDialog::RunDialog(OPENFILENAMEA* Ofn) { return ::GetSaveFileNameA(Ofn); }

bool TOpenDialog::Execute() {
  bool answer = false;
  if (Responded(answer)) {
    if (answer && FFiles->GetCount() == 0 && !FileName.empty()) FFiles->Add(FileName);
    if (answer && FileName.empty() && FFiles->GetCount() > 0) FileName = FFiles->GetStrings(0);
    return answer;
  }

  const bool multi = Options.Contains(ofAllowMultiSelect);
  // Room for many names when several may be chosen, for one long path otherwise.
  std::vector<char> names(multi ? 1 << 20 : 32768, '\0');
  std::copy_n(FileName.begin(), std::min(FileName.size(), names.size() - 1), names.begin());
  const std::string filter = FilterPairs(Filter);
  const AnsiString ext = BareExtension(DefaultExt);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = OwnerWindow();
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.data();
  ofn.nFilterIndex = static_cast<DWORD>(std::max(FilterIndex, 0));
  ofn.lpstrFile = names.data();
  ofn.nMaxFile = static_cast<DWORD>(names.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = Flags(Options, kOpenFlags) | OFN_ENABLEHOOK | (Options.Contains(ofOldStyleDialog) ? 0 : OFN_EXPLORER);
  ofn.lpfnHook = &DialogHooks::File;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);

  BOOL ok = RunModal([&] { return RunDialog(&ofn); });
  DialogHooks::Closed(this);
  if (!ok) return false;

  // One file: its full path. Several: the folder, then each file's name, each ended by a null
  // character and the list by one more.
  FFiles->Clear();
  const char* first = names.data();
  const char* next = first + std::strlen(first) + 1;
  if (!multi || *next == '\0') {
    FFiles->Add(first);
  } else {
    AnsiString folder = first;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    for (; *next; next += std::strlen(next) + 1) FFiles->Add(folder + next);
  }
  FileName = FFiles->GetStrings(0);
  FilterIndex = static_cast<Integer>(ofn.nFilterIndex);
  if (ofn.Flags & OFN_READONLY)
    Options.Include(ofReadOnly);
  else
    Options.Exclude(ofReadOnly);
  if (ofn.Flags & OFN_EXTENSIONDIFFERENT)
    Options.Include(ofExtensionDifferent);
  else
    Options.Exclude(ofExtensionDifferent);
  return true;
}

// ---- TFontDialog ----

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(new TFont) {}

TFontDialog::~TFontDialog() { delete FFont; }

bool TFontDialog::Execute() {
  bool answer = false;
  if (Responded(answer)) return answer;

  LOGFONTA logFont{};
  ::GetObjectA(FFont->GetHandle(), sizeof(logFont), &logFont);
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = OwnerWindow();
  cf.lpLogFont = &logFont;
  cf.Flags = Flags(Options, kFontFlags) | CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
  cf.rgbColors = static_cast<COLORREF>(ColorToRGB(FFont->GetColor()));
  cf.lCustData = reinterpret_cast<LPARAM>(this);
  cf.lpfnHook = &DialogHooks::Font;
  cf.nSizeMin = MinFontSize;
  cf.nSizeMax = MaxFontSize;

  BOOL ok = RunModal([&] { return ::ChooseFontA(&cf); });
  DialogHooks::Closed(this);
  if (!ok) return false;
  FFont->SetHandle(::CreateFontIndirectA(&logFont));
  if (Options.Contains(fdEffects)) FFont->SetColor(static_cast<TColor>(cf.rgbColors));
  return true;
}

// ---- TColorDialog ----

TColorDialog::TColorDialog(TComponent* AOwner) : TCommonDialog(AOwner), FCustomColors(new TStringList) {}

TColorDialog::~TColorDialog() { delete FCustomColors; }

bool TColorDialog::Execute() {
  bool answer = false;
  if (Responded(answer)) return answer;

  COLORREF custom[16];
  for (int i = 0; i < 16; ++i) {
    AnsiString value = FCustomColors->GetValues(AnsiString("Color") + char('A' + i));
    unsigned long rgb = 0xFFFFFF;
    if (!value.empty()) {
      char* end = nullptr;
      unsigned long parsed = std::strtoul(value.c_str(), &end, 16);
      if (end && *end == '\0') rgb = parsed & 0xFFFFFF;
    }
    custom[i] = rgb;
  }
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = OwnerWindow();
  cc.rgbResult = static_cast<COLORREF>(ColorToRGB(Color));
  cc.lpCustColors = custom;
  cc.Flags = Flags(Options, kColorFlags) | CC_RGBINIT | CC_ENABLEHOOK;
  cc.lCustData = reinterpret_cast<LPARAM>(this);
  cc.lpfnHook = &DialogHooks::Color;

  BOOL ok = RunModal([&] { return ::ChooseColorA(&cc); });
  DialogHooks::Closed(this);
  if (!ok) return false;
  Color = static_cast<TColor>(cc.rgbResult);
  FCustomColors->Clear();
  for (int i = 0; i < 16; ++i) {
    char line[32];
    std::snprintf(line, sizeof(line), "Color%c=%.6lX", 'A' + i, static_cast<unsigned long>(custom[i]));
    FCustomColors->Add(line);
  }
  return true;
}

// ---- TPrintDialog, TPrinterSetupDialog ----

bool TPrintDialog::Execute() {
  bool answer = false;
  if (Responded(answer)) return answer;

  PRINTDLGA pd{};
  pd.Flags = Flags(Options, kPrintFlags) | PD_USEDEVMODECOPIESANDCOLLATE;
  if (!Options.Contains(poPageNums)) pd.Flags |= PD_NOPAGENUMS;
  if (!Options.Contains(poSelection)) pd.Flags |= PD_NOSELECTION;
  if (!Options.Contains(poWarning)) pd.Flags |= PD_NOWARNING;
  if (PrintToFile) pd.Flags |= PD_PRINTTOFILE;
  if (Collate) pd.Flags |= PD_COLLATE;
  if (PrintRange == prSelection) pd.Flags |= PD_SELECTION;
  if (PrintRange == prPageNums) pd.Flags |= PD_PAGENUMS;
  pd.nCopies = static_cast<WORD>(std::max(Copies, 1));
  pd.nFromPage = static_cast<WORD>(FromPage);
  pd.nToPage = static_cast<WORD>(ToPage);
  pd.nMinPage = static_cast<WORD>(MinPage);
  pd.nMaxPage = static_cast<WORD>(MaxPage);
  if (!DialogHooks::RunPrintDialog(this, pd)) return false;
  Collate = (pd.Flags & PD_COLLATE) != 0;
  Copies = pd.nCopies;
  FromPage = pd.nFromPage;
  ToPage = pd.nToPage;
  PrintToFile = (pd.Flags & PD_PRINTTOFILE) != 0;
  PrintRange = (pd.Flags & PD_SELECTION) ? prSelection : (pd.Flags & PD_PAGENUMS) ? prPageNums : prAllPages;
  return true;
}

bool TPrinterSetupDialog::Execute() {
  bool answer = false;
  if (Responded(answer)) return answer;
  PRINTDLGA pd{};
  pd.Flags = PD_PRINTSETUP;
  return DialogHooks::RunPrintDialog(this, pd);
}

// ---- TFindDialog ----

// The window that receives the find dialog's notifications (the dialog sends them to its
// owner), itself owned by the program's window so that the dialog stays in front of it.
struct FindDialogWindow {
  static constexpr const char* kClass = "PelorinFindNotify";

  static HWND Create(TFindDialog* dialog, HWND owner) {
    static const ATOM registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = &Proc;
      wc.hInstance = ::GetModuleHandleA(nullptr);
      wc.lpszClassName = kClass;
      return ::RegisterClassA(&wc);
    }();
    (void)registered;
    HWND wnd = ::CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 0, 0, owner, nullptr, ::GetModuleHandleA(nullptr),
                                 nullptr);
    if (wnd) ::SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
    return wnd;
  }

  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static const UINT findMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);
    if (msg == findMessage) {
      auto* dialog = reinterpret_cast<TFindDialog*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
      if (dialog) {
        try {
          dialog->Notified(*reinterpret_cast<const FINDREPLACEA*>(lParam));
        } catch (...) {
          Application->HandleException(dialog);
        }
      }
      return 0;
    }
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
  }

  // The dialog's own hook: the program's message loop gives the active find dialog its keys.
  static UINT_PTR CALLBACK Hook(HWND wnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_ACTIVATE && Application) {
      if (LOWORD(wParam) != WA_INACTIVE)
        Application->SetDialogHandle(wnd);
      else if (Application->GetDialogHandle() == wnd)
        Application->SetDialogHandle(nullptr);
    }
    return msg == WM_INITDIALOG ? TRUE : 0;
  }
};

struct TFindDialog::State {
  FINDREPLACEA data{};
  char findWhat[256] = {};
  UniqueWindow notify;
};

TFindDialog::TFindDialog(TComponent* AOwner) : TCommonDialog(AOwner), FState(new State) {}

TFindDialog::~TFindDialog() {
  CloseDialog();
  delete FState;
}

bool TFindDialog::Execute() {
  if (HWND wnd = GetHandle()) {
    ::SetForegroundWindow(wnd);
    return true;
  }
  State& s = *FState;
  s.notify.reset(FindDialogWindow::Create(this, OwnerWindow()));
  if (!s.notify) return false;
  std::snprintf(s.findWhat, sizeof(s.findWhat), "%s", FindText.c_str());
  s.data = FINDREPLACEA{};
  s.data.lStructSize = sizeof(s.data);
  s.data.hwndOwner = s.notify.get();
  s.data.Flags = Flags(Options, kFindFlags) | FR_ENABLEHOOK;
  s.data.lpstrFindWhat = s.findWhat;
  s.data.wFindWhatLen = sizeof(s.findWhat);
  s.data.lpfnHook = &FindDialogWindow::Hook;
  HWND wnd = ::FindTextA(&s.data);
  if (!wnd) {
    s.notify.reset();
    return false;
  }
  DialogHooks::Showing(this, wnd);
  return true;
}

void TFindDialog::CloseDialog() {
  if (HWND wnd = GetHandle()) ::SendMessageA(wnd, WM_CLOSE, 0, 0);
}

void TFindDialog::Notified(const FINDREPLACEA& Data) {
  if (Data.Flags & FR_DIALOGTERM) {
    if (Application && Application->GetDialogHandle() == GetHandle()) Application->SetDialogHandle(nullptr);
    DialogHooks::Closed(this);
    if (OnClose) OnClose(this);
    return;
  }
  FindText = Data.lpstrFindWhat;
  TFindOptions options;
  for (const auto& [option, flag] : kFindFlags)
    if (Data.Flags & flag) options.Include(option);
  Options = options;
  if (Data.Flags & FR_FINDNEXT && OnFind) OnFind(this);
}
