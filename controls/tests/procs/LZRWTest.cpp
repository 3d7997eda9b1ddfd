#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "classlib/WinApi.h"
#include "controls/visprocs.h"

namespace {

using Bytes = std::vector<Byte>;

Bytes Compress(const Bytes& input) {
  Bytes block(input.size() + 1);
  block.resize(static_cast<std::size_t>(LZRWCompress(input.data(), block.data(), static_cast<Word>(input.size()))));
  return block;
}

Bytes Decompress(const Bytes& block, std::size_t capacity) {
  Bytes out(capacity);
  out.resize(static_cast<std::size_t>(
      LZRWDecompress(block.data(), out.data(), static_cast<Integer>(block.size()), static_cast<Integer>(capacity))));
  return out;
}

Bytes FromText(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Memory whose last byte is followed by an inaccessible page, so that any read past the end of
// the data faults.
class GuardedBuffer {
public:
  explicit GuardedBuffer(const Bytes& data) {
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    const std::size_t page = info.dwPageSize;
    const std::size_t pages = (data.size() + page - 1) / page + 1;
    base_ = static_cast<Byte*>(::VirtualAlloc(nullptr, pages * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    ::VirtualProtect(base_ + (pages - 1) * page, page, PAGE_NOACCESS, &old);
    data_ = base_ + (pages - 1) * page - data.size();
    std::copy(data.begin(), data.end(), data_);
  }
  ~GuardedBuffer() { ::VirtualFree(base_, 0, MEM_RELEASE); }
  GuardedBuffer(const GuardedBuffer&) = delete;
  GuardedBuffer& operator=(const GuardedBuffer&) = delete;
  const Byte* data() const { return data_; }

private:
  Byte* base_ = nullptr;
  Byte* data_ = nullptr;
};

TEST(LZRW, KnownBlocks) {
  // Three literals, then a copy of distance 3 and length 6.
  EXPECT_EQ(Compress(FromText("abcabcabc")), (Bytes{0x40, 0x10, 0x00, 'a', 'b', 'c', 0x00, 0x33}));
  // 100 equal bytes are one run item.
  EXPECT_EQ(Compress(Bytes(100, 'x')), (Bytes{0x40, 0x80, 0x00, 0x00, 0x00, 100 - 16, 'x'}));
  // What does not shrink is stored: one byte longer than the input.
  EXPECT_EQ(Compress(FromText("abcd")), (Bytes{0x80, 'a', 'b', 'c', 'd'}));
  EXPECT_EQ(Compress(Bytes{}), (Bytes{0x80}));
}

TEST(LZRW, ControlWordsPrecedeEveryGroupOfSixteenItems) {
  // 17 runs of 16 bytes: the 17th item needs a second control word.
  Bytes input;
  for (int i = 0; i < 17; ++i) input.insert(input.end(), 16, static_cast<Byte>(i));
  const Bytes block = Compress(input);
  ASSERT_EQ(block.size(), 1u + 2 + 16 * 4 + 2 + 4);
  EXPECT_EQ(block[1], 0xFF);
  EXPECT_EQ(block[2], 0xFF);
  EXPECT_EQ(block[3 + 64], 0x80);
  EXPECT_EQ(block[3 + 65], 0x00);
  EXPECT_EQ(Decompress(block, input.size()), input);
}

TEST(LZRW, RoundTripsRandomAndEdgeSizes) {
  std::mt19937 random(1234);
  const std::size_t sizes[] = {0, 1, 2, 3, 4, 5, 15, 16, 17, 18, 19, 31, 32, 33, 255, 4095, 4096, 4097, 4111, 4112,
                               8191, 32781, 65535};
  for (std::size_t size : sizes) {
    // Random bytes (stored), text over a small alphabet (copies) and long runs with noise (runs).
    Bytes noise(size), text(size), runs(size);
    for (std::size_t i = 0; i < size; ++i) {
      noise[i] = static_cast<Byte>(random());
      text[i] = static_cast<Byte>("in the beginning was the word "[random() % 30]);
      runs[i] = (random() % 97 == 0) ? static_cast<Byte>(random()) : static_cast<Byte>(i / 5000);
    }
    for (const Bytes* input : {&noise, &text, &runs}) {
      const Bytes block = Compress(*input);
      ASSERT_LE(block.size(), size + 1) << size;
      EXPECT_EQ(Decompress(block, size), *input) << size;
    }
  }
}

TEST(LZRW, NeverReadsPastItsInput) {
  std::mt19937 random(99);
  for (std::size_t size : {1u, 2u, 3u, 5u, 17u, 100u, 5000u}) {
    Bytes input(size);
    for (std::size_t i = 0; i < size; ++i) input[i] = static_cast<Byte>(random() % 3);
    const GuardedBuffer guardedInput(input);
    Bytes block(size + 1);
    block.resize(static_cast<std::size_t>(LZRWCompress(guardedInput.data(), block.data(), static_cast<Word>(size))));
    const GuardedBuffer guardedBlock(block);
    Bytes out(size);
    EXPECT_EQ(LZRWDecompress(guardedBlock.data(), out.data(), static_cast<Integer>(block.size()), static_cast<Integer>(size)),
              static_cast<Integer>(size));
    EXPECT_EQ(out, input);
  }
}

TEST(LZRW, ShortCompressedBlocksYieldNothing) {
  EXPECT_TRUE(Decompress(Bytes{0x40}, 10).empty());
  EXPECT_TRUE(Decompress(Bytes{0x40, 0x00, 0x00}, 10).empty());
  EXPECT_TRUE(Decompress(Bytes{}, 10).empty());
  EXPECT_EQ(Decompress(Bytes{0x80, 'a', 'b'}, 10), FromText("ab"));
}

TEST(LZRW, RejectsCorruptBlocks) {
  struct Case {
    const char* what;
    Bytes block;
    std::size_t capacity;
  };
  const Case cases[] = {
      {"unknown kind", {0x41, 0x00, 0x00, 'a'}, 10},
      {"stored block larger than the destination", {0x80, 'a', 'b', 'c'}, 2},
      {"literals beyond the destination", {0x40, 0x00, 0x00, 'a', 'b', 'c'}, 2},
      {"copy from before the start", {0x40, 0x40, 0x00, 'a', 0x00, 0x20}, 10},
      {"copy beyond the destination", {0x40, 0x40, 0x00, 'a', 0x00, 0x1F}, 10},
      {"run beyond the destination", {0x40, 0x80, 0x00, 0x00, 0x00, 0x10, 'x'}, 20},
      {"run longer than any buffer", {0x40, 0x80, 0x00, 0x00, 0xFF, 0xFF, 'x'}, 32781},
      {"truncated copy", {0x40, 0x40, 0x00, 'a', 0x00}, 10},
      {"truncated run", {0x40, 0x80, 0x00, 0x00, 0x00, 0x10}, 100},
      {"truncated control word", Bytes{0x40, 0x00, 0x00, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l',
                                       'm', 'n', 'o', 'p', 0x00},
       100},
  };
  for (const Case& c : cases) EXPECT_THROW(Decompress(c.block, c.capacity), Exception) << c.what;
}

}  // namespace
