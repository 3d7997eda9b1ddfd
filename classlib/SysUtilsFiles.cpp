// File, folder and path routines and the command line.
#include <vector>

#include "classlib/Handles.h"
#include "classlib/SysUtils.h"

namespace {

// Attributes that FindFirst reports only when asked for them.
constexpr Integer kSpecialAttributes = faHidden | faSysFile | faVolumeID | faDirectory;

Integer LocalDosTime(const FILETIME& utc) {
  FILETIME local;
  WORD date, time;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time)) return -1;
  return static_cast<Integer>(static_cast<std::uint32_t>(date) << 16 | time);
}

// Skips the entries whose attributes were not asked for; 0 when one was found.
Integer FindMatchingFile(TSearchRec& f) {
  while (f.FindData.dwFileAttributes & static_cast<DWORD>(f.ExcludeAttr)) {
    if (!FindNextFileA(f.FindHandle, &f.FindData)) return static_cast<Integer>(GetLastError());
  }
  f.Time = LocalDosTime(f.FindData.ftLastWriteTime);
  f.Size = static_cast<Int64>(static_cast<UInt64>(f.FindData.nFileSizeHigh) << 32 | f.FindData.nFileSizeLow);
  f.Attr = static_cast<Integer>(f.FindData.dwFileAttributes);
  f.Name = f.FindData.cFileName;
  return 0;
}

bool IsDriveOrUncRoot(std::string_view dir) {
  // "C:\", "C:" or "\\server\share" have no parent to create.
  if (dir.size() <= 3 && dir.size() >= 2 && dir[1] == ':') return true;
  return ExtractFileDrive(dir) == ExcludeTrailingBackslash(dir);
}

// The command line split the way the class library has always done it: blanks separate,
// double quotes group and are removed.
std::vector<AnsiString> CommandLineArguments() {
  std::vector<AnsiString> args;
  const char* p = GetCommandLineA();
  while (true) {
    while (*p && static_cast<unsigned char>(*p) <= ' ') ++p;
    if (!*p) break;
    AnsiString arg;
    bool quoted = false;
    while (*p && (quoted || static_cast<unsigned char>(*p) > ' ')) {
      if (*p == '"')
        quoted = !quoted;
      else
        arg += *p;
      ++p;
    }
    args.push_back(std::move(arg));
  }
  return args;
}

}  // namespace

Integer FindFirst(const AnsiString& path, Integer attr, TSearchRec& f) {
  f.ExcludeAttr = ~attr & kSpecialAttributes;
  f.FindHandle = FindFirstFileA(path.c_str(), &f.FindData);
  if (f.FindHandle == INVALID_HANDLE_VALUE) return static_cast<Integer>(GetLastError());
  const Integer result = FindMatchingFile(f);
  if (result != 0) FindClose(f);
  return result;
}

Integer FindNext(TSearchRec& f) {
  if (!FindNextFileA(f.FindHandle, &f.FindData)) return static_cast<Integer>(GetLastError());
  return FindMatchingFile(f);
}

void FindClose(TSearchRec& f) {
  if (f.FindHandle != INVALID_HANDLE_VALUE) {
    ::FindClose(f.FindHandle);
    f.FindHandle = INVALID_HANDLE_VALUE;
  }
}

bool FileExists(const AnsiString& fileName) {
  const DWORD attr = GetFileAttributesA(fileName.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const AnsiString& directory) {
  const DWORD attr = GetFileAttributesA(directory.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(const AnsiString& dir) { return CreateDirectoryA(dir.c_str(), nullptr) != 0; }
bool RemoveDir(const AnsiString& dir) { return RemoveDirectoryA(dir.c_str()) != 0; }

bool ForceDirectories(const AnsiString& dir) {
  if (dir.empty()) throw EInOutError("Unable to create directory");
  const AnsiString path = ExcludeTrailingBackslash(dir);
  if (DirectoryExists(path) || IsDriveOrUncRoot(path)) return DirectoryExists(path);
  const AnsiString parent = ExtractFilePath(path);
  if (!parent.empty() && parent != path && !ForceDirectories(parent)) return false;
  return CreateDir(path) || DirectoryExists(path);
}

bool DeleteFile(const AnsiString& fileName) { return DeleteFileA(fileName.c_str()) != 0; }
bool RenameFile(const AnsiString& oldName, const AnsiString& newName) {
  return MoveFileA(oldName.c_str(), newName.c_str()) != 0;
}
bool CopyFile(const AnsiString& existingName, const AnsiString& newName, bool failIfExists) {
  return CopyFileA(existingName.c_str(), newName.c_str(), failIfExists) != 0;
}

Integer FileGetAttr(const AnsiString& fileName) {
  const DWORD attr = GetFileAttributesA(fileName.c_str());
  return attr == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<Integer>(attr);
}

Integer FileSetAttr(const AnsiString& fileName, Integer attr) {
  if (SetFileAttributesA(fileName.c_str(), static_cast<DWORD>(attr))) return 0;
  return static_cast<Integer>(GetLastError());
}

Integer FileAge(const AnsiString& fileName) {
  WIN32_FIND_DATAA data;
  UniqueFindHandle find(FindFirstFileA(fileName.c_str(), &data));
  if (!find || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return -1;
  return LocalDosTime(data.ftLastWriteTime);
}

Int64 FileSizeOf(const AnsiString& fileName) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data)) return -1;
  return static_cast<Int64>(static_cast<UInt64>(data.nFileSizeHigh) << 32 | data.nFileSizeLow);
}

HANDLE FileOpen(const AnsiString& fileName, Word mode) {
  static const DWORD kAccess[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  static const DWORD kShare[5] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
  const unsigned access = mode & 3u, share = (mode & 0xF0u) >> 4;
  if (access > 2 || share > 4) return INVALID_HANDLE_VALUE;
  return CreateFileA(fileName.c_str(), kAccess[access], kShare[share], nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE FileCreate(const AnsiString& fileName) {
  return CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

Integer FileRead(HANDLE handle, void* buffer, Integer count) {
  DWORD done = 0;
  if (count < 0 || !ReadFile(handle, buffer, static_cast<DWORD>(count), &done, nullptr)) return -1;
  return static_cast<Integer>(done);
}

Integer FileWrite(HANDLE handle, const void* buffer, Integer count) {
  DWORD done = 0;
  if (count < 0 || !WriteFile(handle, buffer, static_cast<DWORD>(count), &done, nullptr)) return -1;
  return static_cast<Integer>(done);
}

Int64 FileSeek(HANDLE handle, Int64 offset, Integer origin) {
  LARGE_INTEGER distance, position;
  distance.QuadPart = offset;
  if (origin < 0 || origin > 2 || !SetFilePointerEx(handle, distance, &position, static_cast<DWORD>(origin)))
    return -1;
  return position.QuadPart;
}

void FileClose(HANDLE handle) {
  if (handle != INVALID_HANDLE_VALUE && handle != nullptr) CloseHandle(handle);
}

Integer FileGetDate(HANDLE handle) {
  FILETIME written;
  if (!GetFileTime(handle, nullptr, nullptr, &written)) return -1;
  return LocalDosTime(written);
}

Integer FileSetDate(HANDLE handle, Integer age) {
  FILETIME local, utc;
  const auto bits = static_cast<std::uint32_t>(age);
  if (DosDateTimeToFileTime(static_cast<WORD>(bits >> 16), static_cast<WORD>(bits & 0xFFFF), &local) &&
      LocalFileTimeToFileTime(&local, &utc) && SetFileTime(handle, nullptr, nullptr, &utc))
    return 0;
  return static_cast<Integer>(GetLastError());
}

Integer FileSetDate(const AnsiString& fileName, Integer age) {
  UniqueFileHandle file(CreateFileA(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return static_cast<Integer>(GetLastError());
  return FileSetDate(file.get(), age);
}

AnsiString ExtractFilePath(std::string_view fileName) {
  return AnsiString(fileName.substr(0, static_cast<std::size_t>(LastDelimiter("\\:", fileName))));
}

AnsiString ExtractFileDir(std::string_view fileName) {
  std::size_t i = static_cast<std::size_t>(LastDelimiter("\\:", fileName));
  if (i > 1 && fileName[i - 1] == '\\' && fileName[i - 2] != '\\' && fileName[i - 2] != ':') --i;
  return AnsiString(fileName.substr(0, i));
}

AnsiString ExtractFileName(std::string_view fileName) {
  return AnsiString(fileName.substr(static_cast<std::size_t>(LastDelimiter("\\:", fileName))));
}

AnsiString ExtractFileExt(std::string_view fileName) {
  const Integer i = LastDelimiter(".\\:", fileName);
  if (i > 0 && fileName[static_cast<std::size_t>(i - 1)] == '.') return AnsiString(fileName.substr(static_cast<std::size_t>(i - 1)));
  return {};
}

AnsiString ExtractFileDrive(std::string_view fileName) {
  if (fileName.size() >= 2 && fileName[1] == ':') return AnsiString(fileName.substr(0, 2));
  if (fileName.size() >= 2 && fileName[0] == '\\' && fileName[1] == '\\') {
    // "\\server\share": up to the backslash after the share name.
    std::size_t i = 2;
    int separators = 0;
    while (i < fileName.size()) {
      if (fileName[i] == '\\' && ++separators == 2) break;
      ++i;
    }
    return AnsiString(fileName.substr(0, i));
  }
  return {};
}

AnsiString ChangeFileExt(std::string_view fileName, std::string_view extension) {
  Integer i = LastDelimiter(".\\:", fileName);
  if (i == 0 || fileName[static_cast<std::size_t>(i - 1)] != '.') i = static_cast<Integer>(fileName.size()) + 1;
  return AnsiString(fileName.substr(0, static_cast<std::size_t>(i - 1))) + AnsiString(extension);
}

AnsiString ExpandFileName(const AnsiString& fileName) {
  char buf[MAX_PATH * 4];
  char* name = nullptr;
  const DWORD n = GetFullPathNameA(fileName.c_str(), sizeof buf, buf, &name);
  if (n == 0 || n >= sizeof buf) return fileName;
  return AnsiString(buf, n);
}

AnsiString IncludeTrailingBackslash(std::string_view s) {
  AnsiString r(s);
  if (r.empty() || r.back() != '\\') r += '\\';
  return r;
}

AnsiString ExcludeTrailingBackslash(std::string_view s) {
  AnsiString r(s);
  if (!r.empty() && r.back() == '\\') r.pop_back();
  return r;
}

bool IsPathDelimiter(std::string_view s, Integer index) noexcept {
  return index >= 1 && index <= static_cast<Integer>(s.size()) && s[static_cast<std::size_t>(index - 1)] == '\\';
}

AnsiString GetCurrentDir() {
  char buf[MAX_PATH * 4];
  const DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
  return n > 0 && n < sizeof buf ? AnsiString(buf, n) : AnsiString();
}

bool SetCurrentDir(const AnsiString& dir) { return SetCurrentDirectoryA(dir.c_str()) != 0; }

AnsiString ParamStr(Integer index) {
  if (index == 0) {
    char buf[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    return AnsiString(buf, n < sizeof buf ? n : 0);
  }
  const auto args = CommandLineArguments();
  return index > 0 && static_cast<std::size_t>(index) < args.size() ? args[static_cast<std::size_t>(index)] : AnsiString();
}

Integer ParamCount() {
  const auto args = CommandLineArguments();
  return args.empty() ? 0 : static_cast<Integer>(args.size()) - 1;
}
