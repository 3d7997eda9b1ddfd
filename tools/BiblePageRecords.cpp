#include "tools/BiblePageRecords.h"

#include <algorithm>
#include <cstring>

#include "classlib/Streams.h"

namespace {

// Records are written and read this many at a time.
constexpr std::size_t kBlockRecords = 1024;

void PutInt(char* at, Integer value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

Integer GetInt(const char* at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(at[i])) << (8 * i);
  return static_cast<Integer>(v);
}

}  // namespace

void EncodePageRecord(const TPageRecord& record, char* bytes) {
  std::memset(bytes, 0, PageRecordSize);
  PutInt(bytes, record.X);
  PutInt(bytes + 4, record.Y);
  const std::size_t length = std::min<std::size_t>(record.Text.size(), PageRecordTextSize);
  bytes[8] = static_cast<char>(length);
  std::memcpy(bytes + 9, record.Text.data(), length);
  PutInt(bytes + 264, record.Style);
  PutInt(bytes + 268, record.Page);
  PutInt(bytes + 272, record.Book);
  PutInt(bytes + 276, record.Chapter);
}

TPageRecord DecodePageRecord(const char* bytes) {
  TPageRecord record;
  record.X = GetInt(bytes);
  record.Y = GetInt(bytes + 4);
  record.Text.assign(bytes + 9, static_cast<unsigned char>(bytes[8]));
  record.Style = GetInt(bytes + 264);
  record.Page = GetInt(bytes + 268);
  record.Book = GetInt(bytes + 272);
  record.Chapter = GetInt(bytes + 276);
  return record;
}

TPageFileWriter::TPageFileWriter(TStream* stream) : stream_(stream) {}

TPageFileWriter::~TPageFileWriter() = default;

void TPageFileWriter::Append(const TPageRecord& record) { held_.push_back(record); }

void TPageFileWriter::Release(Integer index) {
  if (index <= first_) return;
  WriteOut(std::min<std::size_t>(static_cast<std::size_t>(index - first_), held_.size()));
}

void TPageFileWriter::Flush() { WriteOut(held_.size()); }

void TPageFileWriter::WriteOut(std::size_t count) {
  for (std::size_t done = 0; done < count;) {
    const std::size_t n = std::min(kBlockRecords, count - done);
    buffer_.resize(n * PageRecordSize);
    for (std::size_t i = 0; i < n; ++i) EncodePageRecord(held_[done + i], buffer_.data() + i * PageRecordSize);
    stream_->WriteBuffer(buffer_.data(), static_cast<Integer>(buffer_.size()));
    done += n;
  }
  held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(count));
  first_ += static_cast<Integer>(count);
}

TPageFileReader::TPageFileReader(TStream* stream) : stream_(stream), buffer_(kBlockRecords * PageRecordSize) {}

bool TPageFileReader::Next(TPageRecord& record) {
  if (position_ + PageRecordSize > filled_) {
    const std::size_t rest = filled_ - position_;
    std::memmove(buffer_.data(), buffer_.data() + position_, rest);
    filled_ = rest + static_cast<std::size_t>(
                         stream_->Read(buffer_.data() + rest, static_cast<Integer>(buffer_.size() - rest)));
    position_ = 0;
    if (filled_ < PageRecordSize) return false;
  }
  record = DecodePageRecord(buffer_.data() + position_);
  position_ += PageRecordSize;
  return true;
}
