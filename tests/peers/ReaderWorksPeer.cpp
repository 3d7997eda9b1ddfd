// Stands in for the outside e-book builder that Print Bible drives with keystrokes. It has the
// builder's windows and keys, takes only keys (no mouse is needed), and logs what it receives and
// does, so that a test can check the keystrokes and what came of them.
//
// Windows (each one at a time in front; the main window is disabled while another is open):
// - "ReaderWorks Standard", the main window, with the menus "&File" ("&New Project" Ctrl+N, "&Open
//   Project..." Ctrl+O, "&Build eBook..." Ctrl+B, "E&xit") and "&Edit" ("&Add Source Files...");
//   a menu opens with Alt and its letter, an item then takes its letter with or without Alt.
// - "Open Project" and "Add Source Files": "&File name:" and "&Open" (the default) and "Cancel";
//   opening needs an existing file.
// - "Build eBook": "Save the eBook in &my folder:" (a check box; the folder's edit beside it is
//   enabled while it is ticked), "Bro&wse...", "&Build" and "&Close". "&Build" turns the project's
//   source into "<folder>\<source's name>.lit", a copy of the source page, and meanwhile keeps the
//   busy marker "<e-book>.OLD" (for a second and a half); the window stays open, showing "Done".
// - "New Project": "&Blank project" or "From &template", "OK" (the default) and "Cancel"; with
//   unsaved changes it asks in "Save Changes": "&Yes", "&No", "Cancel".
// - At start, "Welcome" when the option "Show Startup Dialog" is not 0, and "Recover Project"
//   when the "Auto-save" key holds values (both stand in front of the main window).
// In every window Tab goes to the next control, Enter presses the default button, Esc cancels,
// Alt and a letter presses (or ticks) the control with that letter, and Alt+F4 closes the window
// (the main window: the program ends).
//
// Environment: PELORIN_BUILDER_LOG names the log; PELORIN_REGISTRY_ROOT the test's registry (the
// options under "Software\OverDrive Systems, Inc.\ReaderWorks"); PELORIN_BUILDER_MODE what a
// build does: "" (or none) builds, "quick" writes the e-book without a busy marker, "nothing"
// keeps the marker and writes no e-book, "vanish" ends the program once the marker is made, and
// "hang" stops answering (no marker, no e-book); "slow" builds as "" does, but takes every key it is
// sent 15 ms late and every command key (a key with Ctrl or Alt, Tab, Enter, Esc) 2 s late, as a
// builder on a busy machine does, so that the keys of one step still wait in its queue when the
// next step comes; its main window, back in front, takes the focus 2 s late as well, and the
// question "Save Changes" comes 2 s after "New Project" has closed, the main window in front
// meanwhile. It ends by itself after ten minutes.
//
// Log lines:
//   start Show Startup Dialog=V Extract HTML Titles=V Autorun Reader=V Build To CE=V Auto-save=N
//       (V a number or "missing", N the number of auto-saved values)
//   [WINDOW] CHORD          a key with Ctrl or Alt, or Tab, Enter, Esc, F1..F12 ("Ctrl+Alt+B")
//   [WINDOW] "TEXT"         characters typed in a row
//   open project PATH / add source PATH / cannot open PATH
//   build EBOOK title "TITLE" / built EBOOK / built nothing / vanish / hang / not built: no folder
//   autorun reader EBOOK / build to CE EBOOK (when the options ask for them)
//   new project / new project from template / changes saved / changes not saved / exit
//   startup dialog / recover project
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "tests/peers/PeerSupport.h"

namespace {

const char kOptionsKey[] = "Software\\OverDrive Systems, Inc.\\ReaderWorks\\Options";
const char kSettingsKey[] = "Software\\OverDrive Systems, Inc.\\ReaderWorks\\Settings";
const char kAutoSaveKey[] = "Software\\OverDrive Systems, Inc.\\ReaderWorks\\Auto-save";
const char kMainTitle[] = "ReaderWorks Standard";
const UINT kBuildTime = 1500;
const DWORD kLifetime = 10 * 60 * 1000;
const UINT_PTR kBuildTimer = 1;
const DWORD kSlowKey = 15;
const DWORD kSlowCommand = 2000;

std::string logFile;
std::string mode;

// Characters typed in a row into one window, logged as one line before the next line.
std::string typedWindow, typedText;

void FlushTyped() {
  if (!typedText.empty()) peer::AppendLine(logFile, "[" + typedWindow + "] \"" + typedText + "\"");
  typedText.clear();
}

void Log(const std::string& line) {
  FlushTyped();
  peer::AppendLine(logFile, line);
}

// --- The registry options

// The value as text, "missing" when there is none.
std::string OptionText(const char* key, const char* name) {
  DWORD value = 0, size = sizeof(value);
  if (::RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return "missing";
  return std::to_string(value);
}

bool OptionOn(const char* key, const char* name, bool missing) {
  const std::string text = OptionText(key, name);
  return text == "missing" ? missing : text != "0";
}

int AutoSavedValues() {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kAutoSaveKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD values = 0;
  ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
  ::RegCloseKey(key);
  return static_cast<int>(values);
}

// As the builder keeps a project with unsaved changes, for a recovery at its next start.
void AutoSave(const std::string& project) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kAutoSaveKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  ::RegSetValueExA(key, "Project", 0, REG_SZ, reinterpret_cast<const BYTE*>(project.c_str()),
                   static_cast<DWORD>(project.size() + 1));
  ::RegCloseKey(key);
}

// --- Files

std::string ReadWhole(const std::string& path) {
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool FileThere(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The text of the page's TITLE element; empty without one.
std::string HtmlTitle(const std::string& page) {
  const std::string lower = Lower(page);
  const std::size_t open = lower.find("<title>");
  const std::size_t close = lower.find("</title>");
  if (open == std::string::npos || close == std::string::npos || close < open) return {};
  return page.substr(open + 7, close - open - 7);
}

// --- Windows

std::string WindowText(HWND wnd) {
  char buffer[1024] = {};
  ::GetWindowTextA(wnd, buffer, sizeof buffer);
  return buffer;
}

struct Control {
  HWND Wnd;
  int Id;
  std::string Caption;
  bool TabStop;
};

// A top-level window of the builder with its controls.
class Form {
public:
  Form(const char* title, int width, int height);
  virtual ~Form() { ::DestroyWindow(wnd_); }
  HWND Handle() const { return wnd_; }
  const std::string& Title() const { return title_; }

  // A control; `y` and `x` in dialog-like pixels.
  HWND Add(const char* cls, const char* caption, int id, DWORD style, int x, int y, int w, int h, bool tabStop);
  HWND Item(int id) const;

  // A button pressed (by key or by the button itself).
  virtual void Command(int id) = 0;
  // Keys of the window beyond those of every window; true when taken.
  virtual bool Key(UINT, bool /*ctrl*/, bool /*alt*/) { return false; }
  // Alt+F4.
  virtual void Close() { Command(IDCANCEL); }
  // The window's timer.
  virtual void Timer() {}

  // The keys every window has; true when the key was one of them.
  bool CommonKey(UINT vk, bool ctrl, bool alt, bool shift);
  void FocusFirst();

  int DefaultId = IDOK;
  int CancelId = IDCANCEL;

private:
  void FocusNext(bool back);

  HWND wnd_ = nullptr;
  std::string title_;
  std::vector<Control> controls_;
};

Form* mainForm = nullptr;
// The windows open in front of the main window, the last in front.
std::vector<std::unique_ptr<Form>> openForms;
// Windows closed while one of their handlers runs, freed when the message has been handled.
std::vector<std::unique_ptr<Form>> closedForms;

LRESULT CALLBACK FormProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = reinterpret_cast<Form*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
  switch (message) {
    case WM_COMMAND:
      if (form && HIWORD(wParam) == BN_CLICKED) form->Command(LOWORD(wParam));
      return 0;
    case WM_TIMER:
      if (form) form->Timer();
      return 0;
    case WM_CLOSE:
      if (form) form->Close();
      return 0;
    case WM_DESTROY:
      if (form == mainForm) ::PostQuitMessage(0);
      return 0;
    case WM_ACTIVATE:
      // A busy builder moves the focus into its main window late once that is in front again:
      // keys sent meanwhile go to the window that had the focus, the one just closed.
      if (mode == "slow" && form == mainForm && LOWORD(wParam) != WA_INACTIVE) ::Sleep(kSlowCommand);
      return ::DefWindowProcA(wnd, message, wParam, lParam);
    default:
      return ::DefWindowProcA(wnd, message, wParam, lParam);
  }
}

Form::Form(const char* title, int width, int height) : title_(title) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "PelorinBuilderForm";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    ::RegisterClassA(&wc);
    registered = true;
  }
  const bool isMain = mainForm == nullptr;
  const DWORD style = isMain ? WS_OVERLAPPEDWINDOW : (WS_POPUP | WS_CAPTION | WS_SYSMENU);
  wnd_ = ::CreateWindowExA(isMain ? 0 : WS_EX_DLGMODALFRAME, "PelorinBuilderForm", title, style, isMain ? 60 : 120,
                           isMain ? 60 : 120, width, height, isMain ? nullptr : mainForm->Handle(), nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
  ::SetWindowLongPtrA(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

HWND Form::Add(const char* cls, const char* caption, int id, DWORD style, int x, int y, int w, int h, bool tabStop) {
  HWND control = ::CreateWindowExA(std::string(cls) == "EDIT" ? WS_EX_CLIENTEDGE : 0, cls, caption,
                                   WS_CHILD | WS_VISIBLE | style | (tabStop ? WS_TABSTOP : 0), x, y, w, h, wnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                   nullptr);
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  controls_.push_back(Control{control, id, caption, tabStop});
  return control;
}

HWND Form::Item(int id) const {
  for (const Control& c : controls_)
    if (c.Id == id) return c.Wnd;
  return nullptr;
}

void Form::FocusFirst() {
  for (const Control& c : controls_)
    if (c.TabStop && ::IsWindowEnabled(c.Wnd)) {
      ::SetFocus(c.Wnd);
      return;
    }
  ::SetFocus(wnd_);
}

void Form::FocusNext(bool back) {
  const HWND focus = ::GetFocus();
  std::vector<const Control*> stops;
  for (const Control& c : controls_)
    if (c.TabStop && ::IsWindowEnabled(c.Wnd)) stops.push_back(&c);
  if (stops.empty()) return;
  std::size_t at = stops.size() - 1;
  for (std::size_t i = 0; i < stops.size(); ++i)
    if (stops[i]->Wnd == focus) at = i;
  const std::size_t next = back ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
  ::SetFocus(stops[next]->Wnd);
  // As in a dialog, an edit reached by Tab has its text selected, so that typing replaces it.
  if (::SendMessageA(stops[next]->Wnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    ::SendMessageA(stops[next]->Wnd, EM_SETSEL, 0, -1);
}

bool Form::CommonKey(UINT vk, bool /*ctrl*/, bool alt, bool shift) {
  if (vk == VK_TAB) {
    FocusNext(shift);
    return true;
  }
  if (vk == VK_RETURN) {
    if (DefaultId) Command(DefaultId);
    return true;
  }
  if (vk == VK_ESCAPE) {
    if (CancelId) Command(CancelId);
    return true;
  }
  if (alt && vk == VK_F4) {
    Close();
    return true;
  }
  if (alt && vk >= 'A' && vk <= 'Z') {
    const char letter = static_cast<char>(std::tolower(static_cast<int>(vk)));
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      const Control& c = controls_[i];
      const std::size_t amp = c.Caption.find('&');
      if (amp == std::string::npos || amp + 1 >= c.Caption.size() ||
          std::tolower(static_cast<unsigned char>(c.Caption[amp + 1])) != letter || !::IsWindowEnabled(c.Wnd))
        continue;
      char cls[32] = {};
      ::GetClassNameA(c.Wnd, cls, sizeof cls);
      if (Lower(cls) == "static") {
        // A label gives the focus to the control after it.
        if (i + 1 < controls_.size()) ::SetFocus(controls_[i + 1].Wnd);
        return true;
      }
      const LONG style = ::GetWindowLongA(c.Wnd, GWL_STYLE) & BS_TYPEMASK;
      ::SetFocus(c.Wnd);
      if (style == BS_AUTOCHECKBOX)
        ::SendMessageA(c.Wnd, BM_SETCHECK, ::SendMessageA(c.Wnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? BST_UNCHECKED
                                                                                                      : BST_CHECKED,
                       0);
      else if (style == BS_AUTORADIOBUTTON)
        ::SendMessageA(c.Wnd, BM_SETCHECK, BST_CHECKED, 0);
      if (style == BS_AUTORADIOBUTTON)
        for (const Control& other : controls_)
          if (other.Wnd != c.Wnd && (::GetWindowLongA(other.Wnd, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            ::SendMessageA(other.Wnd, BM_SETCHECK, BST_UNCHECKED, 0);
      Command(c.Id);
      return true;
    }
    return false;
  }
  return false;
}

// Shows a window in front of the main window, which is disabled meanwhile.
Form* Open(std::unique_ptr<Form> form) {
  Form* shown = form.get();
  openForms.push_back(std::move(form));
  ::EnableWindow(mainForm->Handle(), FALSE);
  ::ShowWindow(shown->Handle(), SW_SHOW);
  ::SetForegroundWindow(shown->Handle());
  shown->FocusFirst();
  return shown;
}

// Closes the window in front (later, when it is the one handling a key now).
void CloseFront() {
  if (openForms.empty()) return;
  std::unique_ptr<Form> closing = std::move(openForms.back());
  openForms.pop_back();
  if (openForms.empty()) ::EnableWindow(mainForm->Handle(), TRUE);
  HWND next = openForms.empty() ? mainForm->Handle() : openForms.back()->Handle();
  ::ShowWindow(closing->Handle(), SW_HIDE);
  ::SetForegroundWindow(next);
  if (openForms.empty())
    ::SetFocus(next);
  else
    openForms.back()->FocusFirst();
  closedForms.push_back(std::move(closing));
}

// --- The project

struct Project {
  std::string Path;
  std::vector<std::string> Sources;
  bool Changed = false;
} project;

// --- The windows of the builder

// "Open Project" and "Add Source Files".
class FileForm : public Form {
public:
  FileForm(const char* title, bool source) : Form(title, 420, 130), source_(source) {
    Add("STATIC", "&File name:", 100, 0, 12, 16, 70, 16, false);
    Add("EDIT", "", 101, ES_AUTOHSCROLL, 86, 12, 310, 22, true);
    Add("BUTTON", "&Open", IDOK, BS_DEFPUSHBUTTON, 226, 50, 80, 24, true);
    Add("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON, 316, 50, 80, 24, true);
  }
  void Command(int id) override {
    if (id == IDCANCEL) {
      CloseFront();
      return;
    }
    if (id != IDOK) return;
    const std::string path = WindowText(Item(101));
    if (!FileThere(path)) {
      Log("cannot open " + path);
      return;
    }
    if (source_) {
      project.Sources.push_back(path);
      project.Changed = true;
      AutoSave(project.Path);
      Log("add source " + path);
    } else {
      project = Project{path, {}, false};
      Log("open project " + path);
    }
    CloseFront();
  }

private:
  bool source_;
};

// "Build eBook".
class BuildForm : public Form {
public:
  BuildForm() : Form("Build eBook", 430, 190) {
    const std::string source = project.Sources.back();
    const std::string page = ReadWhole(source);
    title_ = OptionOn(kOptionsKey, "Extract HTML Titles", false) ? HtmlTitle(page) : std::string();
    Add("STATIC", ("Title: " + title_).c_str(), 200, 0, 12, 12, 400, 16, false);
    Add("BUTTON", "Save the eBook in &my folder:", 201, BS_AUTOCHECKBOX, 12, 36, 200, 20, true);
    Add("EDIT", "C:\\My Documents", 202, ES_AUTOHSCROLL | WS_DISABLED, 12, 60, 300, 22, true);
    Add("BUTTON", "Bro&wse...", 203, BS_PUSHBUTTON, 320, 59, 90, 24, true);
    Add("BUTTON", "&Build", IDOK, BS_DEFPUSHBUTTON, 230, 110, 85, 24, true);
    Add("BUTTON", "&Close", IDCANCEL, BS_PUSHBUTTON, 325, 110, 85, 24, true);
    Add("STATIC", "", 204, 0, 12, 114, 200, 16, false);
  }
  void Command(int id) override {
    if (id == 201) {
      ::EnableWindow(Item(202), ::SendMessageA(Item(201), BM_GETCHECK, 0, 0) == BST_CHECKED);
    } else if (id == IDOK && !building_) {
      Build();
    } else if (id == IDCANCEL && !building_) {
      CloseFront();
    }
  }
  // The build's end.
  void Timer() override {
    ::KillTimer(Handle(), kBuildTimer);
    ::DeleteFileA((eBook_ + ".OLD").c_str());
    if (mode == "nothing") {
      Log("built nothing");
    } else {
      WriteWhole(eBook_, ReadWhole(project.Sources.back()));
      Finished();
    }
    building_ = false;
    ::SetWindowTextA(Item(204), "Done");
  }

private:
  void Build() {
    if (::SendMessageA(Item(201), BM_GETCHECK, 0, 0) != BST_CHECKED) {
      Log("not built: no folder");
      return;
    }
    std::string folder = WindowText(Item(202));
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    std::string name = project.Sources.back();
    name = name.substr(name.find_last_of('\\') + 1);
    name = name.substr(0, name.find_last_of('.'));
    eBook_ = folder + name + ".lit";
    Log("build " + eBook_ + " title \"" + title_ + "\"");
    if (mode == "hang") {
      Log("hang");
      ::Sleep(kLifetime);
      ::ExitProcess(4);
    }
    if (mode == "quick") {
      WriteWhole(eBook_, ReadWhole(project.Sources.back()));
      Finished();
      ::SetWindowTextA(Item(204), "Done");
      return;
    }
    WriteWhole(eBook_ + ".OLD", "busy");
    if (mode == "vanish") {
      Log("vanish");
      ::ExitProcess(3);
    }
    building_ = true;
    ::SetWindowTextA(Item(204), "Building ...");
    ::SetTimer(Handle(), kBuildTimer, kBuildTime, nullptr);
  }
  void Finished() {
    Log("built " + eBook_);
    if (OptionOn(kSettingsKey, "Autorun Reader", true)) Log("autorun reader " + eBook_);
    if (OptionOn(kSettingsKey, "Build To CE", false)) Log("build to CE " + eBook_);
  }

  std::string title_;
  std::string eBook_;
  bool building_ = false;
};

// "Save Changes".
class SaveChangesForm : public Form {
public:
  SaveChangesForm() : Form("Save Changes", 330, 120) {
    Add("STATIC", "Save the changes to the project?", 0, 0, 12, 12, 300, 16, false);
    Add("BUTTON", "&Yes", IDYES, BS_DEFPUSHBUTTON, 40, 50, 80, 24, true);
    Add("BUTTON", "&No", IDNO, BS_PUSHBUTTON, 130, 50, 80, 24, true);
    Add("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON, 220, 50, 80, 24, true);
    DefaultId = IDYES;
  }
  void Command(int id) override {
    if (id == IDYES || id == IDNO) {
      Log(id == IDYES ? "changes saved" : "changes not saved");
      project = Project();
      Log("new project");
    }
    if (id == IDYES || id == IDNO || id == IDCANCEL) CloseFront();
  }
};

// "New Project".
class NewProjectForm : public Form {
public:
  NewProjectForm() : Form("New Project", 330, 150) {
    Add("BUTTON", "&Blank project", 301, BS_AUTORADIOBUTTON, 12, 12, 200, 20, true);
    Add("BUTTON", "From &template", 302, BS_AUTORADIOBUTTON, 12, 36, 200, 20, true);
    Add("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON, 130, 80, 80, 24, true);
    Add("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON, 220, 80, 80, 24, true);
    ::SendMessageA(Item(302), BM_SETCHECK, BST_CHECKED, 0);
  }
  void Command(int id) override {
    if (id == IDCANCEL) {
      CloseFront();
      return;
    }
    if (id != IDOK) return;
    const bool blank = ::SendMessageA(Item(301), BM_GETCHECK, 0, 0) == BST_CHECKED;
    CloseFront();
    if (!blank) {
      Log("new project from template");
      return;
    }
    if (project.Changed) {
      if (mode == "slow") ::Sleep(kSlowCommand);
      Open(std::make_unique<SaveChangesForm>());
      return;
    }
    project = Project();
    Log("new project");
  }
};

// "Welcome" and "Recover Project": windows that only stand in the way.
class NoticeForm : public Form {
public:
  NoticeForm(const char* title, const char* text) : Form(title, 330, 120) {
    Add("STATIC", text, 0, 0, 12, 12, 300, 16, false);
    Add("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON, 220, 50, 80, 24, true);
  }
  void Command(int id) override {
    if (id == IDOK || id == IDCANCEL) CloseFront();
  }
};

enum MenuItem { miNone, miNew, miOpen, miBuild, miExit, miAdd };

// The main window.
class MainForm : public Form {
public:
  MainForm() : Form(kMainTitle, 480, 300) {
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuA(file, MF_STRING, miNew, "&New Project\tCtrl+N");
    ::AppendMenuA(file, MF_STRING, miOpen, "&Open Project...\tCtrl+O");
    ::AppendMenuA(file, MF_STRING, miBuild, "&Build eBook...\tCtrl+B");
    ::AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(file, MF_STRING, miExit, "E&xit");
    HMENU edit = ::CreatePopupMenu();
    ::AppendMenuA(edit, MF_STRING, miAdd, "&Add Source Files...");
    HMENU bar = ::CreateMenu();
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    ::SetMenu(Handle(), bar);
    DefaultId = 0;
    CancelId = 0;
  }
  void Command(int id) override {
    switch (id) {
      case miNew: Open(std::make_unique<NewProjectForm>()); break;
      case miOpen: Open(std::make_unique<FileForm>("Open Project", false)); break;
      case miAdd: Open(std::make_unique<FileForm>("Add Source Files", true)); break;
      case miBuild:
        if (project.Sources.empty())
          Log("not built: no source");
        else
          Open(std::make_unique<BuildForm>());
        break;
      case miExit: Close(); break;
      default: break;
    }
  }
  bool Key(UINT vk, bool ctrl, bool alt) override {
    const char menu = menu_;
    menu_ = 0;
    if (menu) {
      // An item of the open menu by its letter.
      static const struct {
        char Menu, Letter;
        int Item;
      } items[] = {{'F', 'N', miNew}, {'F', 'O', miOpen}, {'F', 'B', miBuild}, {'F', 'X', miExit}, {'E', 'A', miAdd}};
      for (const auto& item : items)
        if (item.Menu == menu && item.Letter == static_cast<char>(vk)) {
          Command(item.Item);
          return true;
        }
      return true;
    }
    if (ctrl && !alt) {
      if (vk == 'N') Command(miNew);
      if (vk == 'O') Command(miOpen);
      if (vk == 'B') Command(miBuild);
      return vk == 'N' || vk == 'O' || vk == 'B';
    }
    if (alt && (vk == 'F' || vk == 'E')) {
      menu_ = static_cast<char>(vk);
      return true;
    }
    return false;
  }
  void Close() override {
    Log("exit");
    ::DestroyWindow(Handle());
  }

private:
  char menu_ = 0;
};

// --- Keys

bool IsModifier(UINT vk) {
  return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || vk == VK_LSHIFT || vk == VK_RSHIFT ||
         vk == VK_LCONTROL || vk == VK_RCONTROL || vk == VK_LMENU || vk == VK_RMENU;
}

std::string KeyName(UINT vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, static_cast<char>(vk));
  if (vk >= VK_F1 && vk <= VK_F12) return "F" + std::to_string(vk - VK_F1 + 1);
  switch (vk) {
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_BACK: return "Backspace";
    case VK_DELETE: return "Del";
    case VK_LEFT: return "Left";
    case VK_RIGHT: return "Right";
    case VK_UP: return "Up";
    case VK_DOWN: return "Down";
    default: return "Key" + std::to_string(vk);
  }
}

// A key that types a character, as opposed to one that commands.
bool Types(UINT vk, bool ctrl, bool alt) {
  if (ctrl || alt) return false;
  return !(vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE || (vk >= VK_F1 && vk <= VK_F24) ||
           (vk >= VK_PRIOR && vk <= VK_DOWN));
}

Form* Front() { return openForms.empty() ? mainForm : openForms.back().get(); }

// The modifiers as the key messages taken so far leave them. On Windows a thread's key state is
// just that. Wine, when a window of the thread gets the X server's focus (a window opens or
// closes), sets the thread's key state to the X server's, which never saw the keys sent through
// Wine: a Ctrl or Alt held by them would be up when the key it modifies comes. Before each key the
// thread's state is set back to what the messages say, for the chords below and for
// TranslateMessage alike.
struct Held {
  bool Shift = false, Ctrl = false, Alt = false;
} held;

void FollowModifiers(const MSG& msg) {
  const UINT vk = static_cast<UINT>(msg.wParam);
  const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  if (down || msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
    if (vk == VK_SHIFT || vk == VK_LSHIFT || vk == VK_RSHIFT) held.Shift = down;
    if (vk == VK_CONTROL || vk == VK_LCONTROL || vk == VK_RCONTROL) held.Ctrl = down;
    if (vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU) held.Alt = down;
  }
  BYTE state[256];
  if (!::GetKeyboardState(state)) return;
  auto set = [&state](std::initializer_list<int> keys, bool on) {
    for (int key : keys) state[key] = static_cast<BYTE>(on ? (state[key] | 0x80) : (state[key] & ~0x80));
  };
  set({VK_SHIFT, VK_LSHIFT}, held.Shift);
  set({VK_CONTROL, VK_LCONTROL}, held.Ctrl);
  set({VK_MENU, VK_LMENU}, held.Alt);
  set({VK_RSHIFT, VK_RCONTROL, VK_RMENU}, false);
  ::SetKeyboardState(state);
}

// Takes a keyboard message; true when it is not to be dispatched. Keys belong to the window in
// front when they are taken, as on Windows, where keys typed ahead go to the window that a key
// before them opened (Wine gives them the window that had the focus when they were sent).
bool HandleKey(MSG& msg) {
  if (mode == "slow") ::Sleep(kSlowKey);
  FollowModifiers(msg);
  Form* form = Front();
  const std::string window = form->Title();
  if (::GetAncestor(msg.hwnd, GA_ROOT) != form->Handle()) {
    HWND focus = ::GetFocus();
    msg.hwnd = focus && ::GetAncestor(focus, GA_ROOT) == form->Handle() ? focus : form->Handle();
  }
  switch (msg.message) {
    case WM_CHAR:
    case WM_SYSCHAR:
      if (msg.message == WM_CHAR && msg.wParam >= 0x20) {
        if (window != typedWindow) FlushTyped();
        typedWindow = window;
        typedText += static_cast<char>(msg.wParam);
      }
      return msg.message == WM_SYSCHAR;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const UINT vk = static_cast<UINT>(msg.wParam);
      if (IsModifier(vk)) return true;
      const bool ctrl = ::GetKeyState(VK_CONTROL) < 0, alt = ::GetKeyState(VK_MENU) < 0,
                 shift = ::GetKeyState(VK_SHIFT) < 0;
      if (Types(vk, ctrl, alt)) {
        ::TranslateMessage(&msg);
        return false;
      }
      FlushTyped();
      if (mode == "slow") ::Sleep(kSlowCommand);
      std::string chord = (ctrl ? "Ctrl+" : "") + std::string(alt ? "Alt+" : "") + (shift ? "Shift+" : "") + KeyName(vk);
      Log("[" + window + "] " + chord);
      if (!form->Key(vk, ctrl, alt)) form->CommonKey(vk, ctrl, alt, shift);
      return true;
    }
    case WM_SYSKEYUP:
      return true;
    default:
      return false;
  }
}

}  // namespace

int main() {
  peer::RedirectRegistryFromEnvironment();
  if (const char* path = std::getenv("PELORIN_BUILDER_LOG")) logFile = path;
  if (const char* m = std::getenv("PELORIN_BUILDER_MODE")) mode = m;
  const int autoSaved = AutoSavedValues();
  Log("start Show Startup Dialog=" + OptionText(kOptionsKey, "Show Startup Dialog") +
      " Extract HTML Titles=" + OptionText(kOptionsKey, "Extract HTML Titles") +
      " Autorun Reader=" + OptionText(kSettingsKey, "Autorun Reader") +
      " Build To CE=" + OptionText(kSettingsKey, "Build To CE") + " Auto-save=" + std::to_string(autoSaved));

  std::unique_ptr<MainForm> main(new MainForm());
  mainForm = main.get();
  ::ShowWindow(mainForm->Handle(), SW_SHOWNORMAL);
  ::SetForegroundWindow(mainForm->Handle());
  if (OptionOn(kOptionsKey, "Show Startup Dialog", true)) {
    Log("startup dialog");
    Open(std::make_unique<NoticeForm>("Welcome", "Start a new project or open one."));
  }
  if (autoSaved > 0) {
    Log("recover project");
    Open(std::make_unique<NoticeForm>("Recover Project", "Recover the project saved automatically?"));
  }

  ::SetTimer(nullptr, 0, kLifetime, nullptr);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr && msg.message == WM_TIMER) break;
    if (!(msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && HandleKey(msg))) ::DispatchMessageA(&msg);
    closedForms.clear();
  }
  FlushTyped();
  openForms.clear();
  closedForms.clear();
  return 0;
}
