// Pascal files: text files read and written line by line, and record files of fixed-size
// records (untyped files with a record size, and typed files of a record type).
//
// Every failure raises EInOutError with the I/O error code in ErrorCode: 2 "File not found",
// 3 "Invalid filename", 5 "File access denied", 100 "Read beyond end of file", 101 "Disk full",
// 103 "I/O error 103" (file not open), 104 (not open for input), 105 (not open for output), or
// "I/O error <code>" for any other Windows error.
#pragma once

#include <string_view>
#include <type_traits>

#include "classlib/SysUtils.h"

// The access and share mode with which Reset opens record files (an fm... value; default
// fmOpenReadWrite). Text files ignore it.
extern Byte FileMode;

// A file variable: a name given by AssignFile, opened by Reset/Rewrite/Append, closed by
// CloseFile or by its destructor.
class TPascalFile {
public:
  TPascalFile() = default;
  TPascalFile(const TPascalFile&) = delete;
  TPascalFile& operator=(const TPascalFile&) = delete;
  ~TPascalFile();

  const AnsiString& Name() const noexcept { return name_; }
  bool IsOpen() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }

protected:
  enum class TMode { Closed, Input, Output, InOut };
  void Open(DWORD access, DWORD share, DWORD creation, TMode mode);
  void CheckOpen() const;
  void ReleaseHandle() noexcept;

  AnsiString name_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  TMode mode_ = TMode::Closed;

};

// --- Text files ---

class TextFile : public TPascalFile {
public:
  TextFile() = default;
  ~TextFile();

private:
  bool Fill();  // more input; false at the end of the file
  void FlushOutput();
  void PutBytes(std::string_view s);
  void Close();

  std::string buf_;
  std::size_t pos_ = 0;  // next byte of buf_ to read
  bool endOfInput_ = false;

  friend void AssignFile(TextFile& f, const AnsiString& name);
  friend void Reset(TextFile& f);
  friend void Rewrite(TextFile& f);
  friend void Append(TextFile& f);
  friend void CloseFile(TextFile& f);
  friend void Flush(TextFile& f);
  friend bool Eof(TextFile& f);
  friend bool Eoln(TextFile& f);
  friend void Read(TextFile& f, AnsiChar& c);
  friend void Read(TextFile& f, AnsiString& s);
  friend void Readln(TextFile& f, AnsiString& s);
  friend void Readln(TextFile& f);
  friend void Write(TextFile& f, std::string_view s);
  friend void Write(TextFile& f, AnsiChar c);
  friend void Writeln(TextFile& f, std::string_view s);
};

// Names the file for the next Reset, Rewrite or Append; an open file is closed first (written
// text is flushed).
void AssignFile(TextFile& f, const AnsiString& name);
// Opens an existing file for reading.
void Reset(TextFile& f);
// Creates the file, or empties an existing one, for writing.
void Rewrite(TextFile& f);
// Opens an existing file for writing at its end; an end-of-file mark (#26) near the end of
// the file and anything after it are removed first.
void Append(TextFile& f);
void CloseFile(TextFile& f);
void Flush(TextFile& f);
bool Eof(TextFile& f);
// True at the end of the file or before a line break (CR or LF).
bool Eoln(TextFile& f);
// The next character; #26 at the end of the file.
void Read(TextFile& f, AnsiChar& c);
// The rest of the line, leaving the line break to be read.
void Read(TextFile& f, AnsiString& s);
// The rest of the line; then skips the line break, which is CR, LF or CR LF. At the end of
// the file s is empty.
void Readln(TextFile& f, AnsiString& s);
void Readln(TextFile& f);
void Write(TextFile& f, std::string_view s);
void Write(TextFile& f, AnsiChar c);
// Writes s and CR LF.
void Writeln(TextFile& f, std::string_view s = {});

// --- Record files ---

// A file of fixed-size records, read and written a block of records at a time. Positions and
// sizes count records.
class UntypedFile : public TPascalFile {
public:
  UntypedFile() = default;

  Integer RecordSize() const noexcept { return recordSize_; }

private:
  Integer recordSize_ = 128;

  friend void AssignFile(UntypedFile& f, const AnsiString& name);
  friend void Reset(UntypedFile& f, Integer recordSize);
  friend void Rewrite(UntypedFile& f, Integer recordSize);
  friend void CloseFile(UntypedFile& f);
  friend void BlockRead(UntypedFile& f, void* buffer, Integer count, Integer* done);
  friend void BlockWrite(UntypedFile& f, const void* buffer, Integer count, Integer* done);
  friend void Seek(UntypedFile& f, Int64 record);
  friend Int64 FileSize(UntypedFile& f);
  friend Int64 FilePos(UntypedFile& f);
  friend void Truncate(UntypedFile& f);
};

// Names the file for the next Reset or Rewrite; an open file is closed first.
void AssignFile(UntypedFile& f, const AnsiString& name);
// Opens an existing file with FileMode's access and sharing.
void Reset(UntypedFile& f, Integer recordSize = 128);
// Creates the file, or empties an existing one, for reading and writing.
void Rewrite(UntypedFile& f, Integer recordSize = 128);
void CloseFile(UntypedFile& f);
// Reads up to count records. With `done` the number read is stored there; without it reading
// fewer than count records raises EInOutError 100.
void BlockRead(UntypedFile& f, void* buffer, Integer count, Integer* done = nullptr);
// Writes count records. With `done` the number written is stored there; without it a short
// write raises EInOutError 101.
void BlockWrite(UntypedFile& f, const void* buffer, Integer count, Integer* done = nullptr);
void Seek(UntypedFile& f, Int64 record);
Int64 FileSize(UntypedFile& f);
Int64 FilePos(UntypedFile& f);
// Cuts the file at the current position.
void Truncate(UntypedFile& f);
bool Eof(UntypedFile& f);

// A file of records of type T ("file of T"). T must be a plain record with the layout the
// file has on disk.
template <class T>
class FileOf : public UntypedFile {
  static_assert(std::is_trivially_copyable_v<T>, "a typed file holds plain records");
};

template <class T>
void Reset(FileOf<T>& f) {
  Reset(static_cast<UntypedFile&>(f), static_cast<Integer>(sizeof(T)));
}
template <class T>
void Rewrite(FileOf<T>& f) {
  Rewrite(static_cast<UntypedFile&>(f), static_cast<Integer>(sizeof(T)));
}
// Reads the next record; at the end of the file raises EInOutError 100.
template <class T>
void Read(FileOf<T>& f, T& record) {
  BlockRead(f, &record, 1);
}
template <class T>
void Write(FileOf<T>& f, const T& record) {
  BlockWrite(f, &record, 1);
}
