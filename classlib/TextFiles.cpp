#include "classlib/TextFiles.h"

#include <algorithm>

#include "classlib/Handles.h"

Byte FileMode = fmOpenReadWrite;

namespace {

constexpr std::size_t kTextBufferSize = 64 * 1024;
constexpr int kErrorEndOfFile = 100;
constexpr int kErrorDiskFull = 101;
constexpr int kErrorNotOpen = 103;
constexpr int kErrorNotForInput = 104;
constexpr int kErrorNotForOutput = 105;
constexpr char kEndOfFileMark = 26;

[[noreturn]] void InOutError(int code) {
  AnsiString message;
  switch (code) {
    case 2: message = "File not found"; break;
    case 3: message = "Invalid filename"; break;
    case 4: message = "Too many open files"; break;
    case 5: message = "File access denied"; break;
    case kErrorEndOfFile: message = "Read beyond end of file"; break;
    case kErrorDiskFull: message = "Disk full"; break;
    case 106: message = "Invalid numeric input"; break;
    default: message = "I/O error " + IntToStr(code); break;
  }
  throw EInOutError(message, code);
}

[[noreturn]] void LastInOutError() { InOutError(static_cast<int>(GetLastError())); }

Int64 Position(HANDLE h) {
  LARGE_INTEGER zero{}, pos{};
  if (!SetFilePointerEx(h, zero, &pos, FILE_CURRENT)) LastInOutError();
  return pos.QuadPart;
}

void SetPosition(HANDLE h, Int64 offset) {
  LARGE_INTEGER to;
  to.QuadPart = offset;
  if (!SetFilePointerEx(h, to, nullptr, FILE_BEGIN)) LastInOutError();
}

Int64 SizeOf(HANDLE h) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size)) LastInOutError();
  return size.QuadPart;
}

// Share flags of the fm... share modes; the compatibility mode shares everything.
DWORD ShareFlags(Byte mode) {
  switch (mode & 0x70) {
    case fmShareExclusive: return 0;
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyRead: return FILE_SHARE_WRITE;
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE;
  }
}

}  // namespace

// --- TPascalFile ---

TPascalFile::~TPascalFile() { ReleaseHandle(); }

void TPascalFile::Open(DWORD access, DWORD share, DWORD creation, TMode mode) {
  ReleaseHandle();
  if (name_.empty()) InOutError(2);
  handle_ = CreateFileA(name_.c_str(), access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) LastInOutError();
  mode_ = mode;
}

void TPascalFile::CheckOpen() const {
  if (handle_ == INVALID_HANDLE_VALUE) InOutError(kErrorNotOpen);
}

void TPascalFile::ReleaseHandle() noexcept {
  if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  mode_ = TMode::Closed;
}

// --- Text files ---

TextFile::~TextFile() {
  try {
    Close();
  } catch (...) {
    // A destructor cannot report a failed final write; CloseFile does.
  }
}

void TextFile::Close() {
  if (!IsOpen()) return;
  {
    // The file is closed even when its last write fails.
    ScopeExit release([this] { ReleaseHandle(); });
    if (mode_ != TMode::Input) FlushOutput();
  }
  buf_.clear();
  pos_ = 0;
}

bool TextFile::Fill() {
  if (pos_ < buf_.size()) return true;
  if (endOfInput_) return false;
  buf_.resize(kTextBufferSize);
  DWORD got = 0;
  if (!ReadFile(handle_, buf_.data(), static_cast<DWORD>(buf_.size()), &got, nullptr)) {
    buf_.clear();
    LastInOutError();
  }
  buf_.resize(got);
  pos_ = 0;
  if (got == 0) endOfInput_ = true;
  return got > 0;
}

void TextFile::FlushOutput() {
  std::size_t done = 0;
  while (done < buf_.size()) {
    DWORD wrote = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(buf_.size() - done, 1u << 30));
    if (!WriteFile(handle_, buf_.data() + done, chunk, &wrote, nullptr)) {
      buf_.clear();
      LastInOutError();
    }
    if (wrote == 0) {
      buf_.clear();
      InOutError(kErrorDiskFull);
    }
    done += wrote;
  }
  buf_.clear();
}

void TextFile::PutBytes(std::string_view s) {
  CheckOpen();
  if (mode_ == TMode::Input) InOutError(kErrorNotForOutput);
  buf_.append(s);
  if (buf_.size() >= kTextBufferSize) FlushOutput();
}

void AssignFile(TextFile& f, const AnsiString& name) {
  f.Close();
  f.name_ = name;
}

void Reset(TextFile& f) {
  f.Close();
  f.Open(GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, TextFile::TMode::Input);
  f.buf_.clear();
  f.pos_ = 0;
  f.endOfInput_ = false;
}

void Rewrite(TextFile& f) {
  f.Close();
  f.Open(GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, TextFile::TMode::Output);
  f.buf_.clear();
  f.pos_ = 0;
}

void Append(TextFile& f) {
  f.Close();
  f.Open(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING, TextFile::TMode::Output);
  f.buf_.clear();
  f.pos_ = 0;
  // Old editors ended text files with an end-of-file mark; new text goes where the mark was.
  const Int64 size = SizeOf(f.handle_);
  const Int64 tailStart = std::max<Int64>(0, size - 128);
  SetPosition(f.handle_, tailStart);
  char tail[128];
  DWORD got = 0;
  if (!ReadFile(f.handle_, tail, static_cast<DWORD>(size - tailStart), &got, nullptr)) LastInOutError();
  Int64 end = size;
  for (DWORD i = 0; i < got; ++i)
    if (tail[i] == kEndOfFileMark) {
      end = tailStart + i;
      break;
    }
  SetPosition(f.handle_, end);
  if (end < size && !SetEndOfFile(f.handle_)) LastInOutError();
}

void CloseFile(TextFile& f) {
  f.CheckOpen();
  f.Close();
}

void Flush(TextFile& f) {
  f.CheckOpen();
  if (f.mode_ != TextFile::TMode::Input) f.FlushOutput();
}

namespace {
void CheckInput(bool isInput) {
  if (!isInput) InOutError(kErrorNotForInput);
}
}  // namespace

bool Eof(TextFile& f) {
  f.CheckOpen();
  CheckInput(f.mode_ == TextFile::TMode::Input);
  return !f.Fill();
}

bool Eoln(TextFile& f) {
  f.CheckOpen();
  CheckInput(f.mode_ == TextFile::TMode::Input);
  if (!f.Fill()) return true;
  const char c = f.buf_[f.pos_];
  return c == '\r' || c == '\n';
}

void Read(TextFile& f, AnsiChar& c) {
  f.CheckOpen();
  CheckInput(f.mode_ == TextFile::TMode::Input);
  c = f.Fill() ? f.buf_[f.pos_++] : kEndOfFileMark;
}

void Read(TextFile& f, AnsiString& s) {
  f.CheckOpen();
  CheckInput(f.mode_ == TextFile::TMode::Input);
  s.clear();
  while (f.Fill()) {
    const char* begin = f.buf_.data() + f.pos_;
    const char* end = f.buf_.data() + f.buf_.size();
    const char* stop = std::find_if(begin, end, [](char c) { return c == '\r' || c == '\n'; });
    s.append(begin, stop);
    f.pos_ += static_cast<std::size_t>(stop - begin);
    if (stop != end) return;
  }
}

void Readln(TextFile& f, AnsiString& s) {
  Read(f, s);
  Readln(f);
}

void Readln(TextFile& f) {
  f.CheckOpen();
  CheckInput(f.mode_ == TextFile::TMode::Input);
  while (f.Fill()) {
    const char c = f.buf_[f.pos_++];
    if (c == '\n') return;
    if (c == '\r') {
      if (f.Fill() && f.buf_[f.pos_] == '\n') ++f.pos_;
      return;
    }
  }
}

void Write(TextFile& f, std::string_view s) { f.PutBytes(s); }
void Write(TextFile& f, AnsiChar c) { f.PutBytes(std::string_view(&c, 1)); }

void Writeln(TextFile& f, std::string_view s) {
  f.PutBytes(s);
  f.PutBytes("\r\n");
}

// --- Record files ---

void AssignFile(UntypedFile& f, const AnsiString& name) {
  f.ReleaseHandle();
  f.name_ = name;
}

void Reset(UntypedFile& f, Integer recordSize) {
  if (recordSize < 1) InOutError(kErrorNotOpen);
  static const DWORD kAccess[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  const Byte access = std::min<Byte>(FileMode & 3, 2);
  const UntypedFile::TMode mode = access == 0   ? UntypedFile::TMode::Input
                                  : access == 1 ? UntypedFile::TMode::Output
                                                : UntypedFile::TMode::InOut;
  f.Open(kAccess[access], ShareFlags(FileMode), OPEN_EXISTING, mode);
  f.recordSize_ = recordSize;
}

void Rewrite(UntypedFile& f, Integer recordSize) {
  if (recordSize < 1) InOutError(kErrorNotOpen);
  f.Open(GENERIC_READ | GENERIC_WRITE, ShareFlags(FileMode), CREATE_ALWAYS, UntypedFile::TMode::InOut);
  f.recordSize_ = recordSize;
}

void CloseFile(UntypedFile& f) {
  f.CheckOpen();
  f.ReleaseHandle();
}

void BlockRead(UntypedFile& f, void* buffer, Integer count, Integer* done) {
  f.CheckOpen();
  if (f.mode_ == UntypedFile::TMode::Output) InOutError(kErrorNotForInput);
  if (count < 0) count = 0;
  const Int64 bytes = static_cast<Int64>(count) * f.recordSize_;
  if (bytes > 0x7FFFFFFF) InOutError(kErrorEndOfFile);
  DWORD got = 0;
  if (bytes > 0 && !ReadFile(f.handle_, buffer, static_cast<DWORD>(bytes), &got, nullptr)) LastInOutError();
  const auto records = static_cast<Integer>(got / static_cast<DWORD>(f.recordSize_));
  if (done)
    *done = records;
  else if (records != count)
    InOutError(kErrorEndOfFile);
}

void BlockWrite(UntypedFile& f, const void* buffer, Integer count, Integer* done) {
  f.CheckOpen();
  if (f.mode_ == UntypedFile::TMode::Input) InOutError(kErrorNotForOutput);
  if (count < 0) count = 0;
  const Int64 bytes = static_cast<Int64>(count) * f.recordSize_;
  if (bytes > 0x7FFFFFFF) InOutError(kErrorDiskFull);
  DWORD wrote = 0;
  if (bytes > 0 && !WriteFile(f.handle_, buffer, static_cast<DWORD>(bytes), &wrote, nullptr)) LastInOutError();
  const auto records = static_cast<Integer>(wrote / static_cast<DWORD>(f.recordSize_));
  if (done)
    *done = records;
  else if (records != count)
    InOutError(kErrorDiskFull);
}

void Seek(UntypedFile& f, Int64 record) {
  f.CheckOpen();
  SetPosition(f.handle_, record * f.recordSize_);
}

Int64 FileSize(UntypedFile& f) {
  f.CheckOpen();
  return SizeOf(f.handle_) / f.recordSize_;
}

Int64 FilePos(UntypedFile& f) {
  f.CheckOpen();
  return Position(f.handle_) / f.recordSize_;
}

void Truncate(UntypedFile& f) {
  f.CheckOpen();
  if (f.mode_ == UntypedFile::TMode::Input) InOutError(kErrorNotForOutput);
  if (!SetEndOfFile(f.handle_)) LastInOutError();
}

bool Eof(UntypedFile& f) { return FilePos(f) >= FileSize(f); }
