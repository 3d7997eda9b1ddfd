#include "syscomp/sycSysUtils.h"

#include <memory>

#include "classlib/Handles.h"
#include "classlib/Registry.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "syscomp/sycConsts.h"

namespace {

AnsiString ModuleFileName() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD n = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return AnsiString(buffer, n);
}

bool HasWildcard(const AnsiString& S) { return S.find_first_of("*?") != AnsiString::npos; }

// The extension of a bare file name, with its dot; empty when it has none.
AnsiString NameExtension(const AnsiString& Name) {
  const std::size_t dot = Name.rfind('.');
  return dot == AnsiString::npos ? AnsiString() : Name.substr(dot);
}

AnsiString NameWithoutExtension(const AnsiString& Name) {
  const std::size_t dot = Name.rfind('.');
  return dot == AnsiString::npos ? Name : Name.substr(0, dot);
}

bool IsServiceKind(TsycAutoExecKind Kind) { return Kind == aekServiceRun || Kind == aekServiceRunOnce; }

struct OSState {
  Integer Kind = 0;
  bool NT = false;
};

OSState ReadOSState() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  OSState state;
  if (!::GetVersionExA(&info)) return state;
  state.NT = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  state.Kind = OSKindOfVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                               info.szCSDVersion);
  return state;
}

}  // namespace

// --- File names and strings ----------------------------------------------------------------------

void ReplaceAll(AnsiString& S, const AnsiString& OldText, const AnsiString& NewText) {
  if (OldText.empty()) return;
  std::size_t at = 0;
  while ((at = S.find(OldText, at)) != AnsiString::npos) {
    S.replace(at, OldText.size(), NewText);
    at += NewText.size();
  }
}

void ReplaceChar(AnsiString& S, AnsiChar OldChar, AnsiChar NewChar) {
  for (AnsiChar& c : S)
    if (c == OldChar) c = NewChar;
}

void SplitToStrings(const AnsiString& S, const AnsiString& Delimiter, TStrings* Strings) {
  AnsiString text = S;
  ReplaceAll(text, Delimiter, "\r\n");
  TStringList lines;
  lines.SetText(text);
  Strings->AddStrings(&lines);
}

bool CanCreateFile(const AnsiString& FileName) {
  if (FileName.empty()) return false;
  if (FileExists(FileName)) return true;
  UniqueFileHandle file(
      ::CreateFileA(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  file.reset();
  return ::DeleteFileA(FileName.c_str()) != FALSE;
}

AnsiString AddSlash(const AnsiString& Path) {
  if (!Path.empty() && Path.back() == '\\') return Path;
  return Path + "\\";
}

AnsiString RemoveDoubleSlashes(const AnsiString& Path) {
  AnsiString result = Path;
  ReplaceAll(result, "\\\\", "\\");
  return result;
}

AnsiString ExtractFileNameEx(const AnsiString& S) {
  const std::size_t at = S.find_last_of("\\:/");
  return at == AnsiString::npos ? S : S.substr(at + 1);
}

AnsiString ExtractFilePathEx(const AnsiString& S) {
  const std::size_t at = S.find_last_of("\\:/");
  return at == AnsiString::npos ? AnsiString() : S.substr(0, at + 1);
}

AnsiString ExtractFileNameNoExt(const AnsiString& S) { return NameWithoutExtension(ExtractFileNameEx(S)); }

AnsiString ResolveDestination(const AnsiString& Folder, const AnsiString& Dest) {
  if (!ExtractFileDrive(Dest).empty()) return Dest;
  return RemoveDoubleSlashes(AddSlash(Folder) + Dest);
}

AnsiString ExpandDestinationName(const AnsiString& Source, const AnsiString& Dest) {
  if (Trim(Dest).empty()) return Source;
  AnsiString path = ExtractFilePathEx(Dest);
  if (path.empty()) path = ExtractFilePathEx(Source);
  const AnsiString destName = ExtractFileNameEx(Dest);
  const AnsiString sourceName = ExtractFileNameEx(Source);
  AnsiString name = NameWithoutExtension(destName);
  if (name.empty() || HasWildcard(name)) name = NameWithoutExtension(sourceName);
  AnsiString ext = NameExtension(destName);
  if (ext.empty() || HasWildcard(ext)) ext = NameExtension(sourceName);
  return path + name + ext;
}

// --- Registry and auto-run ----------------------------------------------------------------------

HKEY RegRootKeyHandle(TsycRegRootKey RootKey) noexcept {
  static const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE,
                               HKEY_USERS,        HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
  return roots[RootKey];
}

void WriteRegString(HKEY RootKey, const AnsiString& Key, const AnsiString& Name, const AnsiString& Value) {
  TRegistry registry;
  registry.SetRootKey(RootKey);
  if (!registry.OpenKey(Key, true)) throw ERegistryException(Format(SsycUnableToOpenKey, Key));
  registry.WriteString(Name, Value);
}

void GetAutoRunKey(TsycAutoExecKind Kind, HKEY& RootKey, AnsiString& Key) {
  RootKey = (Kind == aekUserRun || Kind == aekUserRunOnce) ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  static const char* const names[] = {"Run", "RunOnce", "Run", "RunOnce", "RunServices", "RunServicesOnce"};
  Key = AnsiString("Software\\Microsoft\\Windows\\CurrentVersion\\") + names[Kind];
}

bool AddToAutoRun(TsycAutoExecKind Kind, const AnsiString& FileName) {
  if (IsServiceKind(Kind) && IsWinNT) return false;
  HKEY root;
  AnsiString key;
  GetAutoRunKey(Kind, root, key);
  WriteRegString(root, key, ExtractFileNameEx(FileName), FileName);
  return true;
}

bool RemoveFromAutoRun(TsycAutoExecKind Kind, const AnsiString& FileName) {
  if (IsServiceKind(Kind) && IsWinNT) return false;
  HKEY root;
  AnsiString key;
  GetAutoRunKey(Kind, root, key);
  TRegistry registry;
  registry.SetRootKey(root);
  if (!registry.OpenKey(key, false)) return false;
  const AnsiString name = ExtractFileNameEx(FileName);
  if (registry.ValueExists(name)) return registry.DeleteValue(name);
  return true;
}

// --- Registry change notification ---------------------------------------------------------------

HANDLE RegNotifyStart(HKEY Key, bool WatchSubTree, DWORD Filter, TsycRegNotifyRec& Rec) {
  Rec.Key = Key;
  Rec.WatchSubTree = WatchSubTree ? -1 : 0;
  Rec.Filter = Filter;
  UniqueHandle event(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!event) return INVALID_HANDLE_VALUE;
  LONG result = ::RegNotifyChangeKeyValue(Key, Rec.WatchSubTree, Filter, event.get(), TRUE);
  // A change that came in while the notification was being set up has used it up already.
  if (result == ERROR_SUCCESS && ::WaitForSingleObject(event.get(), 0) == WAIT_OBJECT_0)
    result = ::RegNotifyChangeKeyValue(Key, Rec.WatchSubTree, Filter, event.get(), TRUE);
  if (result != ERROR_SUCCESS) {
    // The event goes with the failed request, so that a monitor failing again and again leaks
    // nothing.
    event.reset();
    ::SetLastError(static_cast<DWORD>(result));
    return INVALID_HANDLE_VALUE;
  }
  return event.release();
}

bool RegNotifyReset(HANDLE Event, const TsycRegNotifyRec& Rec) {
  if (Event == INVALID_HANDLE_VALUE || !Event || !::ResetEvent(Event)) return false;
  const LONG result = ::RegNotifyChangeKeyValue(Rec.Key, Rec.WatchSubTree, Rec.Filter, Event, TRUE);
  if (result != ERROR_SUCCESS) {
    ::SetLastError(static_cast<DWORD>(result));
    return false;
  }
  return true;
}

void CloseHandleIfValid(HANDLE Handle) {
  if (Handle != INVALID_HANDLE_VALUE && Handle) ::CloseHandle(Handle);
}

// --- The system ---------------------------------------------------------------------------------

Integer OSKindOfVersion(DWORD PlatformId, DWORD Major, DWORD Minor, DWORD Build, const AnsiString& ServiceText) {
  Integer kind = 0;
  const AnsiString service = Trim(ServiceText);
  if (PlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    Build &= 0xFFFF;
    if (Major == 4 && Minor == 0)
      kind = service == "B" ? 2 : 1;
    else if (Major == 4 && Minor == 10)
      kind = service == "A" ? 4 : 3;
    else if (Major == 4 && Minor == 90)
      kind = 8;
  } else if (PlatformId == VER_PLATFORM_WIN32_NT) {
    if (Major == 3)
      kind = 5;
    else if (Major == 4)
      kind = 6;
    else if (Major == 5)
      kind = Minor == 0 ? 7 : 9;
  }
  // Every kind but the first releases is known by its build number too.
  static const DWORD builds[] = {0, 0, 1111, 1998, 2222, 0, 1381, 2195, 3000, 2600};
  if (builds[kind] != 0 && builds[kind] != Build) kind = 0;
  return kind;
}

Integer GetOSKind() { return ReadOSState().Kind; }

TShiftState GetShiftState() {
  TShiftState state;
  if (::GetKeyState(VK_SHIFT) < 0) state << ssShift;
  if (::GetKeyState(VK_MENU) < 0) state << ssAlt;
  if (::GetKeyState(VK_CONTROL) < 0) state << ssCtrl;
  return state;
}

COLORREF GetColorUnderCursor() {
  POINT p{};
  ::GetCursorPos(&p);
  WindowDC screen(::GetDesktopWindow());
  return ::GetPixel(screen, p.x, p.y);
}

AnsiString ExePath = ExtractFilePathEx(ModuleFileName());
AnsiString LogFileName = [] {
  const AnsiString path = ModuleFileName();
  return path.empty() ? AnsiString() : ChangeFileExt(path, ".log");
}();

namespace {
const OSState g_os = ReadOSState();
}

bool IsWin95 = g_os.Kind == 1;
bool IsWin95OSR2 = g_os.Kind == 2;
bool IsWin98 = g_os.Kind == 3;
bool IsWin98SE = g_os.Kind == 4;
bool IsWinNT3 = g_os.Kind == 5;
bool IsWinNT4 = g_os.Kind == 6;
bool IsWin2000 = g_os.Kind == 7;
bool IsWinME = g_os.Kind == 8;
bool IsWinXP = g_os.Kind == 9;
bool IsWinNT = g_os.NT;
