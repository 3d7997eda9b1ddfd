// Streams: the abstract byte stream and its kinds over a file handle, a named file, a block of
// memory and a string, with the exceptions they raise.
#pragma once

#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

// Where Seek counts from.
enum TSeekOrigin { soBeginning, soCurrent, soEnd };
// The older spellings of the origins.
constexpr TSeekOrigin soFromBeginning = soBeginning;
constexpr TSeekOrigin soFromCurrent = soCurrent;
constexpr TSeekOrigin soFromEnd = soEnd;

// TFileStream modes: one access mode or'ed with one share mode (fmOpenRead ... fmShareDenyNone,
// classlib/SysUtils.h), or fmCreate alone, which creates the file (or empties an existing one)
// and opens it for reading and writing, unshared.
constexpr Word fmCreate = 0xFFFF;

class EStreamError : public Exception {
  CLASS_INFO(EStreamError, Exception)
public:
  using Exception::Exception;
};

// A file stream could not be opened or created; the message names the file and the reason.
class EFileStreamError : public EStreamError {
  CLASS_INFO(EFileStreamError, EStreamError)
public:
  using EStreamError::EStreamError;
};

class EFCreateError : public EFileStreamError {
  CLASS_INFO(EFCreateError, EFileStreamError)
public:
  using EFileStreamError::EFileStreamError;
};

class EFOpenError : public EFileStreamError {
  CLASS_INFO(EFOpenError, EFileStreamError)
public:
  using EFileStreamError::EFileStreamError;
};

// The base of the errors met while reading or writing objects from or to a stream.
class EFilerError : public EStreamError {
  CLASS_INFO(EFilerError, EStreamError)
public:
  using EStreamError::EStreamError;
};

// "Stream read error": fewer bytes could be read than were asked for.
class EReadError : public EFilerError {
  CLASS_INFO(EReadError, EFilerError)
public:
  using EFilerError::EFilerError;
};

// "Stream write error": fewer bytes could be written than were given.
class EWriteError : public EFilerError {
  CLASS_INFO(EWriteError, EFilerError)
public:
  using EFilerError::EFilerError;
};

// A sequence of bytes with a current position. Read and Write move as many bytes as they can and
// return the count; ReadBuffer and WriteBuffer move all or raise.
class TStream : public TObject {
  CLASS_INFO(TStream, TObject)
public:
  virtual Integer Read(void* Buffer, Integer Count) = 0;
  virtual Integer Write(const void* Buffer, Integer Count) = 0;
  // Moves the position and returns the new one (-1 when a file handle refuses the move).
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

  void ReadBuffer(void* Buffer, Integer Count);
  void WriteBuffer(const void* Buffer, Integer Count);
  // Copies Count bytes from Source's position; Count 0 copies the whole of Source from its start.
  // Returns the number of bytes copied.
  Int64 CopyFrom(TStream* Source, Int64 Count);

  Int64 GetPosition() { return Seek(0, soCurrent); }
  void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
  virtual Int64 GetSize();
  // Streams that cannot change their size ignore it.
  virtual void SetSize(Int64 NewSize);
};

// A stream over an open file (or pipe) handle that the caller owns.
class THandleStream : public TStream {
  CLASS_INFO(THandleStream, TStream)
public:
  explicit THandleStream(HANDLE AHandle) : FHandle(AHandle) {}

  Integer Read(void* Buffer, Integer Count) override;
  Integer Write(const void* Buffer, Integer Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  // Cuts or extends the file at NewSize and leaves the position there; raises EOSError when
  // the system refuses.
  void SetSize(Int64 NewSize) override;

  HANDLE GetHandle() const { return FHandle; }

protected:
  HANDLE FHandle;
};

// A stream over a named file, opened with one of the fm... modes; raises EFOpenError or
// EFCreateError naming the file when that fails. The file is closed when the stream goes.
class TFileStream : public THandleStream {
  CLASS_INFO(TFileStream, THandleStream)
public:
  TFileStream(const AnsiString& FileName, Word Mode);
  ~TFileStream() override;
};

// A stream over a block of memory. The block belongs to the subclass that sets it.
class TCustomMemoryStream : public TStream {
  CLASS_INFO(TCustomMemoryStream, TStream)
public:
  Integer Read(void* Buffer, Integer Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 GetSize() override { return FSize; }

  void SaveToStream(TStream* Stream);
  void SaveToFile(const AnsiString& FileName);

  void* GetMemory() const { return FMemory; }

protected:
  void SetPointer(void* Ptr, Int64 Size) {
    FMemory = Ptr;
    FSize = Size;
  }
  void* FMemory = nullptr;
  Int64 FSize = 0;
  // May lie beyond the end: reading there gives nothing, writing there extends the block.
  Int64 FPosition = 0;
};

// A stream in memory that grows as it is written.
class TMemoryStream : public TCustomMemoryStream {
  CLASS_INFO(TMemoryStream, TCustomMemoryStream)
public:
  TMemoryStream() = default;
  ~TMemoryStream() override;

  Integer Write(const void* Buffer, Integer Count) override;
  // Keeps the first NewSize bytes; new bytes are zero. A position beyond the new end moves to it.
  void SetSize(Int64 NewSize) override;
  void Clear();

  // Replaces the content by the whole of Stream (read from its start) or of the file.
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const AnsiString& FileName);

protected:
  Int64 FCapacity = 0;

private:
  void SetCapacity(Int64 NewCapacity);
};

// A stream over an 8-bit string, which DataString gives back.
class TStringStream : public TStream {
  CLASS_INFO(TStringStream, TStream)
public:
  explicit TStringStream(AnsiString AString = AnsiString()) : FDataString(std::move(AString)) {}

  Integer Read(void* Buffer, Integer Count) override;
  // Overwrites from the position on and extends the string where the bytes go beyond its end.
  Integer Write(const void* Buffer, Integer Count) override;
  // The position stays within the string.
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 GetSize() override { return static_cast<Int64>(FDataString.size()); }
  void SetSize(Int64 NewSize) override;

  // Up to Count bytes from the position on.
  AnsiString ReadString(Integer Count);
  void WriteString(const AnsiString& AString);

  const AnsiString& GetDataString() const { return FDataString; }

private:
  AnsiString FDataString;
  Int64 FPosition = 0;
};
