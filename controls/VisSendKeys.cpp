// The keystroke sender.
#include "controls/VisSendKeys.h"

#include <algorithm>

#include "classlib/Handles.h"
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

PUBLISHED(TVisSendKeys) {
  Prop("About", &TVisSendKeys::About).Stored(false);
  Prop("AutoActivate", &TVisSendKeys::AutoActivate).Default(false);
  Prop("ActivateBeforeKey", &TVisSendKeys::ActivateBeforeKey).Default(false);
  Prop("RaiseException", &TVisSendKeys::RaiseException).Default(false);
}

namespace {

constexpr Byte kShift = 1;
constexpr Byte kCtrl = 2;
constexpr Byte kAlt = 4;
constexpr Word kNoKey = 0xFFFF;
constexpr DWORD kPollMs = 50;

struct NamedKey {
  const char* name;
  Byte key;
};

constexpr NamedKey kNamedKeys[] = {
    {"BACKSPACE", VK_BACK}, {"BKSP", VK_BACK},       {"BS", VK_BACK},         {"BREAK", VK_CANCEL},
    {"SNAPSHOT", VK_SNAPSHOT}, {"DELETE", VK_DELETE}, {"DEL", VK_DELETE},     {"DOWN", VK_DOWN},
    {"UP", VK_UP},          {"LEFT", VK_LEFT},       {"RIGHT", VK_RIGHT},     {"CAPSLOCK", VK_CAPITAL},
    {"END", VK_END},        {"ENTER", VK_RETURN},    {"ESC", VK_ESCAPE},      {"HELP", VK_HELP},
    {"HOME", VK_HOME},      {"INSERT", VK_INSERT},   {"INS", VK_INSERT},      {"NUMLOCK", VK_NUMLOCK},
    {"PGDN", VK_NEXT},      {"PGUP", VK_PRIOR},      {"PRTSC", VK_PRINT},     {"SCROLLOCK", VK_SCROLL},
    {"TAB", VK_TAB},
};

Byte ModifierKey(Byte Modifier) {
  switch (Modifier) {
    case kShift: return VK_SHIFT;
    case kCtrl: return VK_CONTROL;
    default: return VK_MENU;
  }
}

// The virtual key of a key name, or 0 when the name is not one of the named keys.
Byte NamedKeyOf(const AnsiString& Name) {
  for (const NamedKey& k : kNamedKeys)
    if (Name == k.name) return k.key;
  if (Name.size() >= 2 && Name.size() <= 3 && Name[0] == 'F' &&
      std::all_of(Name.begin() + 1, Name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    const Integer n = StrToInt(Name.substr(1));
    if (n >= 1 && n <= 16) return static_cast<Byte>(VK_F1 + n - 1);
  }
  return 0;
}

// The top-level window of a process that is visible, first in Z order; none when it has none.
HWND FirstVisibleWindowOf(DWORD ProcessId) {
  struct Search {
    DWORD process;
    HWND found = nullptr;
  } search{ProcessId};
  ::EnumWindows(
      [](HWND wnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD process = 0;
        ::GetWindowThreadProcessId(wnd, &process);
        if (process != s->process || !::IsWindowVisible(wnd)) return TRUE;
        s->found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

AnsiString WindowText(HWND Wnd) {
  char buffer[256] = {};
  const int n = ::GetWindowTextA(Wnd, buffer, 256);
  return AnsiString(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// The top-level window whose text equals Title under the user's locale, letter case counting.
HWND FindWindowByText(const AnsiString& Title) {
  if (HWND wnd = ::FindWindowA(nullptr, Title.c_str())) return wnd;
  struct Search {
    const AnsiString* title;
    HWND found = nullptr;
  } search{&Title};
  ::EnumWindows(
      [](HWND wnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        const AnsiString text = WindowText(wnd);
        if (::CompareStringA(LOCALE_USER_DEFAULT, 0, text.data(), static_cast<int>(text.size()), s->title->data(),
                             static_cast<int>(s->title->size())) != CSTR_EQUAL)
          return TRUE;
        s->found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The key that types Character on the current keyboard layout, as VkKeyScanA gives it, or
// kNoKey when no key does. What VkKeyScanA reports is checked by typing it in thought: for
// characters outside the layout it may name a key that types a similar character instead.
Word KeyForCharacter(AnsiChar Character) {
  const Word key = static_cast<Word>(::VkKeyScanA(Character));
  if (key == kNoKey) return kNoKey;
  const WideString wide = AnsiToWide(AnsiString(1, Character));
  if (wide.size() != 1) return kNoKey;
  BYTE state[256] = {};
  if (key & 0x100) state[VK_SHIFT] = 0x80;
  if (key & 0x200) state[VK_CONTROL] = 0x80;
  if (key & 0x400) state[VK_MENU] = 0x80;
  const UINT vk = key & 0xFF;
  WCHAR typed[4] = {};
  const int n = ::ToUnicodeEx(vk, ::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC), state, typed, 4, 0, ::GetKeyboardLayout(0));
  return n == 1 && typed[0] == wide[0] ? key : kNoKey;
}

// Whether the window in front is a visible window of the process.
bool ProcessInFront(DWORD ProcessId) {
  const HWND front = ::GetForegroundWindow();
  if (!ProcessId || !front || !::IsWindowVisible(front)) return false;
  DWORD process = 0;
  ::GetWindowThreadProcessId(front, &process);
  return process == ProcessId;
}

bool Activate(HWND Wnd) {
  if (!Wnd) return false;
  ::SendMessageA(Wnd, WM_SYSCOMMAND, SC_HOTKEY, reinterpret_cast<LPARAM>(Wnd));
  ::SendMessageA(Wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  ::SetForegroundWindow(Wnd);
  return true;
}

}  // namespace

TVisSendKeys::~TVisSendKeys() = default;

void TVisSendKeys::Forget() {
  FProcess.reset();
  FWindowHandle = nullptr;
  FProgramTitle.clear();
  FProgramPath.clear();
}

bool TVisSendKeys::StartProgram(const AnsiString& FileName) {
  Forget();
  if (FileName.empty()) return false;

  char executable[MAX_PATH] = {};
  if (reinterpret_cast<INT_PTR>(::FindExecutableA(FileName.c_str(), nullptr, executable)) <= 32) return false;

  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  // A document is opened by passing its name to the program found for it.
  AnsiString commandLine = "\"" + AnsiString(executable) + "\"";
  if (!SameText(ExpandFileName(executable), ExpandFileName(FileName))) commandLine += " \"" + FileName + "\"";
  if (!::CreateProcessA(executable, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        nullptr, &startup, &info))
    return false;
  ::CloseHandle(info.hThread);
  FProcess.reset(info.hProcess);
  FProgramPath = executable;

  const DWORD start = ::GetTickCount();
  ::WaitForInputIdle(info.hProcess, StartTimeout);
  // The process may show its window a little after it became idle; a program that ends or never
  // shows one leaves WindowHandle empty.
  for (;;) {
    FWindowHandle = FirstVisibleWindowOf(info.dwProcessId);
    if (FWindowHandle || ::WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0 ||
        ::GetTickCount() - start >= StartTimeout)
      break;
    ::Sleep(kPollMs);
  }
  if (FWindowHandle) FProgramTitle = WindowText(FWindowHandle);
  return true;
}

bool TVisSendKeys::CloseProgram() {
  if (!FProcess) return false;
  ::TerminateProcess(FProcess.get(), 10);
  ::WaitForSingleObject(FProcess.get(), CloseTimeout);
  DWORD code = 0;
  if (!::GetExitCodeProcess(FProcess.get(), &code) || code == STILL_ACTIVE) return false;
  Forget();
  return true;
}

bool TVisSendKeys::ActivateWindow(const AnsiString& Title) {
  FWindowTitle = Title;
  if (!FProcess) return Activate(FindWindowByText(Title));
  return Activate(FWindowHandle);
}

void TVisSendKeys::BringTargetToFront() {
  DWORD process = 0;
  if (FProcess)
    process = ::GetProcessId(FProcess.get());
  else if (HWND target = FindWindowByText(FWindowTitle))
    ::GetWindowThreadProcessId(target, &process);
  if (!ProcessInFront(process)) ActivateWindow(FWindowTitle);
}

void TVisSendKeys::DrainKeyboardMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

void TVisSendKeys::SendKeyEvent(Byte Key, bool Up) {
  const Byte scan = static_cast<Byte>(::MapVirtualKeyA(Key, MAPVK_VK_TO_VSC));
  DWORD flags = Up ? KEYEVENTF_KEYUP : 0;
  // Page up and down, end, home, the arrows, insert and delete are the extended keys, not the
  // keys of the numeric keypad.
  if ((Key >= VK_PRIOR && Key <= VK_DOWN) || Key == VK_INSERT || Key == VK_DELETE) flags |= KEYEVENTF_EXTENDEDKEY;
  ::keybd_event(Key, scan, flags, 0);
  if (FWait) DrainKeyboardMessages();
}

void TVisSendKeys::SendUnicode(AnsiChar Character) {
  const WideString wide = AnsiToWide(AnsiString(1, Character));
  if (wide.size() != 1) return;
  INPUT inputs[2] = {};
  for (int i = 0; i < 2; ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wScan = static_cast<WORD>(wide[0]);
    inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
  }
  ::SendInput(1, &inputs[0], sizeof(INPUT));
  if (FWait) DrainKeyboardMessages();
  ::SendInput(1, &inputs[1], sizeof(INPUT));
  if (FWait) DrainKeyboardMessages();
}

void TVisSendKeys::PressModifier(Byte Modifier) {
  FHeld |= Modifier;
  SendKeyEvent(ModifierKey(Modifier), false);
}

void TVisSendKeys::ReleaseModifiers() {
  if (FGroup) return;
  for (Byte modifier : {kShift, kCtrl, kAlt})
    if (FHeld & modifier) SendKeyEvent(ModifierKey(modifier), true);
  FHeld = 0;
}

void TVisSendKeys::SendKey(Word Key, Integer Count, AnsiChar Character) {
  if (ActivateBeforeKey) BringTargetToFront();
  if (Key == kNoKey) {
    // No key of the layout types the character: a printable one goes as a Unicode key event.
    if (static_cast<Byte>(Character) >= 0x20) {
      for (Integer i = 0; i < Count; ++i) SendUnicode(Character);
      return;
    }
    if (RaiseException) throw Exception("Invalid key identifier");
    return;
  }
  const Byte shiftState = static_cast<Byte>(Key >> 8);
  const Byte vk = static_cast<Byte>(Key);
  for (Byte modifier : {kShift, kCtrl, kAlt})
    if (shiftState & modifier) SendKeyEvent(ModifierKey(modifier), false);
  for (Integer i = 0; i < Count; ++i) {
    SendKeyEvent(vk, false);
    SendKeyEvent(vk, true);
  }
  for (Byte modifier : {kShift, kCtrl, kAlt})
    if (shiftState & modifier) SendKeyEvent(ModifierKey(modifier), true);
}

void TVisSendKeys::SendKeys(const AnsiString& Keys, bool Wait) {
  if (AutoActivate) BringTargetToFront();
  FWait = Wait;
  FHeld = 0;
  FGroup = false;
  // Never leave a modifier key pressed, also behind a script that failed.
  ScopeExit released([this] {
    FGroup = false;
    ReleaseModifiers();
  });
  SendScript(Keys);
}

void TVisSendKeys::SendScript(const AnsiString& Keys) {
  const auto keyOf = KeyForCharacter;
  std::size_t i = 0;
  while (i < Keys.size()) {
    const AnsiChar c = Keys[i++];
    switch (c) {
      case '+': PressModifier(kShift); break;
      case '^': PressModifier(kCtrl); break;
      case '%': PressModifier(kAlt); break;
      case '(': FGroup = true; break;
      case ')':
        if (FGroup) {
          FGroup = false;
          ReleaseModifiers();
        } else {
          SendKey(keyOf(c), 1, c);
        }
        break;
      case '~':
        ReleaseModifiers();
        SendKey(VK_RETURN, 1, '\r');
        break;
      case '{': {
        AnsiString name;
        // "{}}" names the closing brace itself.
        if (i + 1 < Keys.size() && Keys[i] == '}' && Keys[i + 1] == '}') name = Keys[i++];
        while (i < Keys.size() && Keys[i] != ' ' && Keys[i] != '}') name += Keys[i++];
        Integer count = 1;
        if (i < Keys.size() && Keys[i] == ' ') {
          ++i;
          AnsiString number;
          while (i < Keys.size() && Keys[i] != '}') number += Keys[i++];
          count = StrToInt(number);
        }
        if (i < Keys.size()) ++i;  // the closing brace
        if (name.empty()) break;
        const AnsiString upper = UpperCase(name);
        const Byte named = NamedKeyOf(upper);
        if (named)
          SendKey(named, count, '\0');
        else
          SendKey(keyOf(name[0]), count, name[0]);
        break;
      }
      default: SendKey(keyOf(c), 1, c); break;
    }
  }
}

bool vissendkeys_detail::RegisterClasses() {
  if (!GetClass("TVisSendKeys")) RegisterClass(TVisSendKeys::StaticClass());
  return true;
}
