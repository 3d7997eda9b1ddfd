#include "spell/lx3Util.h"

#include <algorithm>

#include "classlib/Handles.h"
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"

namespace {

// Replaces the first occurrence of Macro in S by the value that Value() gives; Value is asked
// only when the macro is there.
template <class F>
void ReplaceFirst(AnsiString& s, std::string_view macro, F value) {
  const Integer at = Pos(macro, s);
  if (at == 0) return;
  Delete(s, at, Length(AnsiString(macro)));
  Insert(value(), s, at);
}

AnsiString UserName() {
  char buf[257];
  DWORD size = sizeof buf;
  if (!GetUserNameA(buf, &size) || buf[0] == '\0') return "default";
  return buf;
}

AnsiString ProgramDir() { return ExcludeTrailingBackslash(ExtractFilePath(ParamStr(0))); }

// A shell folder through shell32.dll, loaded for the call; empty when the shell has none.
AnsiString ShellFolder(int folder) {
  UniqueModule shell(LoadLibraryA("shell32.dll"));
  if (!shell) return AnsiString();
  using GetPath = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
  auto proc = reinterpret_cast<GetPath>(reinterpret_cast<void*>(GetProcAddress(shell.get(), "SHGetSpecialFolderPathA")));
  if (!proc)
    proc = reinterpret_cast<GetPath>(reinterpret_cast<void*>(GetProcAddress(shell.get(), "SHGetSpecialFolderPath")));
  char buf[MAX_PATH + 1] = {};
  if (!proc || !proc(nullptr, buf, folder, FALSE)) return AnsiString();
  return ExcludeTrailingBackslash(buf);
}

}  // namespace

AnsiString ExpandNameMacros(std::string_view Path) {
  AnsiString s(Path);
  ReplaceFirst(s, "%AppName%", [] { return ChangeFileExt(ExtractFileName(ParamStr(0)), ""); });
  ReplaceFirst(s, "%UserName%", UserName);
  return s;
}

AnsiString ExpandPathMacros(std::string_view Path) {
  AnsiString s = ExpandNameMacros(Path);
  ReplaceFirst(s, "%AppDir%", ProgramDir);
  ReplaceFirst(s, "%AppData%", [] {
    AnsiString folder = ShellFolder(CSIDL_APPDATA);
    return folder.empty() ? ProgramDir() : folder;
  });
  ReplaceFirst(s, "%MyDocuments%", [] { return ShellFolder(CSIDL_PERSONAL); });
  char expanded[4097];
  const DWORD n = ExpandEnvironmentStringsA(s.c_str(), expanded, sizeof expanded);
  if (n > 0 && n <= sizeof expanded) s = expanded;
  return s;
}

Integer EditDistance(std::string_view A, std::string_view B) {
  const std::size_t n = A.size(), m = B.size();
  if (n >= 255 || m >= 255) return static_cast<Integer>(std::max(n, m));
  // One row of the Levenshtein table at a time.
  Integer row[256];
  for (std::size_t j = 0; j <= m; ++j) row[j] = static_cast<Integer>(j);
  for (std::size_t i = 1; i <= n; ++i) {
    Integer diagonal = row[0];
    row[0] = static_cast<Integer>(i);
    for (std::size_t j = 1; j <= m; ++j) {
      const Integer above = row[j];
      const Integer cost = A[i - 1] == B[j - 1] ? 0 : 1;
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + cost});
      diagonal = above;
    }
  }
  Integer distance = row[m];
  // A swap of neighbours costs two substitutions above; count it once.
  const std::size_t shorter = std::min(n, m);
  for (std::size_t i = 2; i <= shorter; ++i) {
    if (A[i - 1] == B[i - 2] && A[i - 2] == B[i - 1] && A[i - 1] != A[i - 2] && distance > 0) {
      --distance;
      ++i;
    }
  }
  return distance;
}

bool ForceFolders(const AnsiString& Path) {
  if (Path.empty()) return false;
  return ForceDirectories(ExcludeTrailingBackslash(Path));
}

bool CanCreateFile(const AnsiString& FileName, bool DeleteOnClose) {
  if (FileName.empty()) return false;
  // A new file first, so that delete-on-close can only ever remove what this call made.
  UniqueFileHandle h(CreateFileA(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | (DeleteOnClose ? FILE_FLAG_DELETE_ON_CLOSE : 0), nullptr));
  if (h) return true;
  if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  h.reset(CreateFileA(FileName.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(h);
}

AnsiString EngineVersion() { return "3.3.1 Pro"; }

TEventList::~TEventList() {
  methods_.clear();
  owners_.clear();
}

void TEventList::Add(const TEventListMethod& Method, TObject* Owner) {
  if (!Method) return;
  methods_.push_back(Method);
  owners_.push_back(Owner ? static_cast<const void*>(Owner) : Method.Object());
}

void TEventList::Remove(const TEventListMethod& Method) {
  for (std::size_t i = methods_.size(); i-- > 0;)
    if (methods_[i] == Method) {
      methods_.erase(methods_.begin() + static_cast<std::ptrdiff_t>(i));
      owners_.erase(owners_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void TEventList::RemoveOwner(const TObject* Owner) {
  for (std::size_t i = methods_.size(); i-- > 0;)
    if (owners_[i] == Owner) {
      methods_.erase(methods_.begin() + static_cast<std::ptrdiff_t>(i));
      owners_.erase(owners_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void TEventList::Call(TObject* Sender, Integer Argument) const {
  // A copy: a listener may remove itself (or others) while it is called.
  const std::vector<TEventListMethod> methods = methods_;
  for (const TEventListMethod& m : methods) m(Sender, Argument);
}
