// The page records of the typeset Bible: one fixed record of 280 bytes per placed text run, in the
// page files "otpages.dat" and "ntpages.dat" of the program folder, which pagination writes and
// printing draws from.
//
// A record, little-endian:
//    0  X        signed 32-bit, left edge of the run on the page
//    4  Y        signed 32-bit, top of the run's line
//    8  Text     1 length byte, then 255 bytes holding the text (longer runs are cut to 255);
//                the bytes after the text are zero
//  264  Style    signed 32-bit, text style of the Bible documents (1 to 7)
//  268  Page     signed 32-bit, page within the testament, from 1
//  272  Book     signed 32-bit, book 1..66 of the chapter last placed, 0 before the first
//  276  Chapter  signed 32-bit, chapter last placed (1 for an empty chapter item), 0 before it
#pragma once

#include <vector>

#include "classlib/System.h"

class TStream;

constexpr int PageRecordSize = 280;
constexpr int PageRecordTextSize = 255;

struct TPageRecord {
  Integer X = 0;
  Integer Y = 0;
  AnsiString Text;
  Integer Style = 0;
  Integer Page = 0;
  Integer Book = 0;
  Integer Chapter = 0;
  bool operator==(const TPageRecord&) const = default;
};

// Writes the record's 280 bytes at `bytes`.
void EncodePageRecord(const TPageRecord& record, char* bytes);
TPageRecord DecodePageRecord(const char* bytes);

// A page file being written: records are appended, and the records from a given one on (the
// current column block, at most a page) stay in memory so that they can be read and rewritten in
// place; the ones before it go to the stream in large writes.
class TPageFileWriter {
public:
  // Writes to the stream from its current position (not owned; a file or a memory stream).
  explicit TPageFileWriter(TStream* stream);
  ~TPageFileWriter();

  // The number of records written so far.
  Integer Count() const { return first_ + static_cast<Integer>(held_.size()); }
  void Append(const TPageRecord& record);
  // The records from index `from` (not below the last held index) to the end.
  const std::vector<TPageRecord>& Held() const { return held_; }
  Integer FirstHeld() const { return first_; }
  TPageRecord& HeldRecord(Integer index) { return held_[index - first_]; }
  // Lets every record before `index` be written out; they can no longer be changed.
  void Release(Integer index);
  // Writes every record.
  void Flush();

private:
  void WriteOut(std::size_t count);
  TStream* stream_;
  Integer first_ = 0;
  std::vector<TPageRecord> held_;
  std::vector<char> buffer_;
};

// Reads a page file record by record in large reads.
class TPageFileReader {
public:
  explicit TPageFileReader(TStream* stream);
  // The next record; false at the end (a partial record at the end is not read).
  bool Next(TPageRecord& record);

private:
  TStream* stream_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
};
