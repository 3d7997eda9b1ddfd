#include "classlib/Streams.h"

#include <algorithm>
#include <cstdlib>

#include "classlib/Handles.h"

namespace {

// Memory streams allocate in steps of this many bytes.
constexpr Int64 kMemoryDelta = 0x2000;
// CopyFrom moves at most this many bytes at a time.
constexpr Integer kCopyBufferSize = 0xF000;

// The message names the file and gives the system's reason.
AnsiString FileErrorMessage(const char* format, const AnsiString& fileName, DWORD code) {
  return Format(format, {fileName, SysErrorMessage(code)});
}

const char kCreateError[] = "Cannot create file \"%s\". %s";
const char kOpenError[] = "Cannot open file \"%s\". %s";

HANDLE OpenFileHandle(const AnsiString& fileName, Word mode) {
  if (mode == fmCreate) {
    HANDLE h = ::CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw EFCreateError(FileErrorMessage(kCreateError, fileName, ::GetLastError()));
    return h;
  }
  static const DWORD kAccess[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  // Compatibility mode shares nothing, like exclusive mode.
  static const DWORD kShare[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
  unsigned access = mode & 3;
  unsigned share = (mode & 0xF0) >> 4;
  if (access > 2 || share > 4)
    throw EFOpenError(FileErrorMessage(kOpenError, fileName, ERROR_INVALID_PARAMETER));
  HANDLE h = ::CreateFileA(fileName.c_str(), kAccess[access], kShare[share], nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw EFOpenError(FileErrorMessage(kOpenError, fileName, ::GetLastError()));
  return h;
}

}  // namespace

// ---- TStream ----

void TStream::ReadBuffer(void* Buffer, Integer Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Integer Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->GetSize();
  }
  if (Count < 0) throw EReadError("Stream read error");
  Int64 result = Count;
  auto bufSize = static_cast<Integer>(std::min<Int64>(Count, kCopyBufferSize));
  std::unique_ptr<char[]> buffer(new char[std::max(bufSize, 1)]);
  while (Count != 0) {
    auto n = static_cast<Integer>(std::min<Int64>(Count, bufSize));
    Source->ReadBuffer(buffer.get(), n);
    WriteBuffer(buffer.get(), n);
    Count -= n;
  }
  return result;
}

Int64 TStream::GetSize() {
  Int64 pos = Seek(0, soCurrent);
  Int64 size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(Int64) {}

// ---- THandleStream ----

Integer THandleStream::Read(void* Buffer, Integer Count) {
  DWORD done = 0;
  if (Count <= 0 || !::ReadFile(FHandle, Buffer, static_cast<DWORD>(Count), &done, nullptr)) return 0;
  return static_cast<Integer>(done);
}

Integer THandleStream::Write(const void* Buffer, Integer Count) {
  DWORD done = 0;
  if (Count <= 0 || !::WriteFile(FHandle, Buffer, static_cast<DWORD>(Count), &done, nullptr)) return 0;
  return static_cast<Integer>(done);
}

Int64 THandleStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  static_assert(soBeginning == FILE_BEGIN && soCurrent == FILE_CURRENT && soEnd == FILE_END);
  LARGE_INTEGER distance, result;
  distance.QuadPart = Offset;
  if (!::SetFilePointerEx(FHandle, distance, &result, static_cast<DWORD>(Origin))) return -1;
  return result.QuadPart;
}

void THandleStream::SetSize(Int64 NewSize) {
  Seek(NewSize, soBeginning);
  if (!::SetEndOfFile(FHandle)) RaiseLastOSError();
}

// ---- TFileStream ----

TFileStream::TFileStream(const AnsiString& FileName, Word Mode) : THandleStream(OpenFileHandle(FileName, Mode)) {}

TFileStream::~TFileStream() { UniqueFileHandle closer(FHandle); }

// ---- TCustomMemoryStream ----

Integer TCustomMemoryStream::Read(void* Buffer, Integer Count) {
  if (FPosition < 0 || Count <= 0) return 0;
  Int64 available = FSize - FPosition;
  if (available <= 0) return 0;
  auto n = static_cast<Integer>(std::min<Int64>(available, Count));
  std::memcpy(Buffer, static_cast<const char*>(FMemory) + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = FSize + Offset; break;
  }
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) {
  if (FSize != 0) Stream->WriteBuffer(FMemory, static_cast<Integer>(FSize));
}

void TCustomMemoryStream::SaveToFile(const AnsiString& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}

// ---- TMemoryStream ----

TMemoryStream::~TMemoryStream() { std::free(FMemory); }

void TMemoryStream::SetCapacity(Int64 NewCapacity) {
  if (NewCapacity > 0 && NewCapacity != FSize) NewCapacity = (NewCapacity + kMemoryDelta - 1) & ~(kMemoryDelta - 1);
  if (NewCapacity == FCapacity) return;
  if (NewCapacity == 0) {
    std::free(FMemory);
    FMemory = nullptr;
  } else {
    void* p = std::realloc(FMemory, static_cast<std::size_t>(NewCapacity));
    if (!p) throw EStreamError("Out of memory while expanding memory stream");
    FMemory = p;
  }
  FCapacity = NewCapacity;
}

Integer TMemoryStream::Write(const void* Buffer, Integer Count) {
  if (FPosition < 0 || Count <= 0) return 0;
  Int64 end = FPosition + Count;
  if (end > FSize) {
    // Grow by a quarter at least, so that many small writes do not copy the block each time.
    if (end > FCapacity) SetCapacity(std::max(end, FCapacity + FCapacity / 4));
    // Bytes skipped by a position beyond the end read as zero.
    if (FPosition > FSize)
      std::memset(static_cast<char*>(FMemory) + FSize, 0, static_cast<std::size_t>(FPosition - FSize));
    FSize = end;
  }
  std::memcpy(static_cast<char*>(FMemory) + FPosition, Buffer, static_cast<std::size_t>(Count));
  FPosition = end;
  return Count;
}

void TMemoryStream::SetSize(Int64 NewSize) {
  NewSize = std::max<Int64>(NewSize, 0);
  Int64 oldPosition = FPosition;
  SetCapacity(NewSize);
  if (NewSize > FSize) std::memset(static_cast<char*>(FMemory) + FSize, 0, static_cast<std::size_t>(NewSize - FSize));
  FSize = NewSize;
  if (oldPosition > NewSize) Seek(0, soEnd);
}

void TMemoryStream::Clear() {
  SetCapacity(0);
  FSize = 0;
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  Int64 count = Stream->GetSize();
  SetSize(count);
  if (count != 0) Stream->ReadBuffer(FMemory, static_cast<Integer>(count));
}

void TMemoryStream::LoadFromFile(const AnsiString& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

// ---- TStringStream ----

Integer TStringStream::Read(void* Buffer, Integer Count) {
  Int64 available = static_cast<Int64>(FDataString.size()) - FPosition;
  if (Count <= 0 || available <= 0) return 0;
  auto n = static_cast<Integer>(std::min<Int64>(available, Count));
  std::memcpy(Buffer, FDataString.data() + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

Integer TStringStream::Write(const void* Buffer, Integer Count) {
  if (Count <= 0) return 0;
  auto pos = static_cast<std::size_t>(FPosition);
  if (pos + static_cast<std::size_t>(Count) > FDataString.size()) FDataString.resize(pos + static_cast<std::size_t>(Count));
  std::memcpy(FDataString.data() + pos, Buffer, static_cast<std::size_t>(Count));
  FPosition += Count;
  return Count;
}

Int64 TStringStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  auto size = static_cast<Int64>(FDataString.size());
  switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = size + Offset; break;
  }
  FPosition = std::clamp<Int64>(FPosition, 0, size);
  return FPosition;
}

void TStringStream::SetSize(Int64 NewSize) {
  FDataString.resize(static_cast<std::size_t>(std::max<Int64>(NewSize, 0)));
  FPosition = std::min(FPosition, static_cast<Int64>(FDataString.size()));
}

AnsiString TStringStream::ReadString(Integer Count) {
  Int64 available = static_cast<Int64>(FDataString.size()) - FPosition;
  auto n = static_cast<std::size_t>(std::clamp<Int64>(Count, 0, std::max<Int64>(available, 0)));
  AnsiString result = FDataString.substr(static_cast<std::size_t>(FPosition), n);
  FPosition += static_cast<Int64>(n);
  return result;
}

void TStringStream::WriteString(const AnsiString& AString) {
  Write(AString.data(), static_cast<Integer>(AString.size()));
}
