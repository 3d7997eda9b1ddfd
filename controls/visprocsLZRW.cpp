// The LZRW block coder: literals, back copies of 3 to 18 bytes found through a hash of the next
// three bytes, and runs of 16 or more equal bytes; blocks that do not shrink are stored.
#include <array>
#include <cstring>
#include <vector>

#include "controls/visprocs.h"

namespace {

constexpr Byte kCompressed = 0x40;
constexpr Byte kStored = 0x80;
constexpr Word kEmptySlot = 0xFFFF;
constexpr Integer kMaxDistance = 4095;
constexpr Integer kMinCopy = 3;
constexpr Integer kMaxCopy = 18;
constexpr Integer kMinRun = 16;
constexpr Integer kMaxRunMeasured = 4095;
constexpr Integer kItemsPerControlWord = 16;

Word HashOf(const Byte* p) {
  const unsigned v = ((((unsigned(p[0]) << 4) ^ p[1]) << 4) ^ p[2]);
  return static_cast<Word>(((v * 40543u) >> 4) & 0xFFF);
}

void PutWord(Byte* p, unsigned value) {
  p[0] = static_cast<Byte>(value >> 8);
  p[1] = static_cast<Byte>(value);
}

unsigned GetWord(const Byte* p) { return (unsigned(p[0]) << 8) | p[1]; }

[[noreturn]] void Corrupt() { RaiseCorruptLZRWBlock(); }

}  // namespace

Integer LZRWCompress(const void* Source, void* Dest, Word Length) {
  const auto* src = static_cast<const Byte*>(Source);
  auto* dest = static_cast<Byte*>(Dest);
  const Integer length = Length;

  std::array<Word, 4096> table;
  table.fill(kEmptySlot);
  // The loop stops once the output has grown past the input; one more step writes at most a
  // control word and a run item, so this buffer never overflows.
  std::vector<Byte> out(static_cast<std::size_t>(length) + 8);
  out[0] = kCompressed;
  Integer controlPos = 1;
  Integer pos = 3;
  unsigned control = 0;
  Integer items = 0;

  Integer in = 0;
  while (in < length && pos <= length) {
    if (items == kItemsPerControlWord) {
      PutWord(&out[controlPos], control);
      controlPos = pos;
      pos += 2;
      control = 0;
      items = 0;
    }
    Integer run = 1;
    while (in + run < length && run < kMaxRunMeasured && src[in + run] == src[in]) ++run;
    if (run >= kMinRun) {
      out[pos++] = 0;
      PutWord(&out[pos], static_cast<unsigned>(run - kMinRun));
      pos += 2;
      out[pos++] = src[in];
      control = (control << 1) | 1;
      in += run;
    } else {
      Integer match = 0;
      Integer distance = 0;
      if (in + kMinCopy <= length) {
        Word& slot = table[HashOf(src + in)];
        if (slot != kEmptySlot && in - slot <= kMaxDistance) {
          distance = in - slot;
          const Integer limit = std::min(kMaxCopy, length - in);
          while (match < limit && src[slot + match] == src[in + match]) ++match;
        }
        slot = static_cast<Word>(in);
      }
      if (match >= kMinCopy) {
        PutWord(&out[pos], (static_cast<unsigned>(distance) << 4) | static_cast<unsigned>(match - kMinCopy));
        pos += 2;
        control = (control << 1) | 1;
        in += match;
      } else {
        out[pos++] = src[in++];
        control <<= 1;
      }
    }
    ++items;
  }
  PutWord(&out[controlPos], (control << (kItemsPerControlWord - items)) & 0xFFFF);

  if (pos > length) {
    dest[0] = kStored;
    if (length > 0) std::memcpy(dest + 1, src, static_cast<std::size_t>(length));
    return length + 1;
  }
  std::memcpy(dest, out.data(), static_cast<std::size_t>(pos));
  return pos;
}

Integer LZRWDecompress(const void* Source, void* Dest, Integer SourceLength, Integer DestSize) {
  const auto* src = static_cast<const Byte*>(Source);
  auto* dest = static_cast<Byte*>(Dest);
  if (SourceLength <= 0) return 0;
  if (src[0] == kStored) {
    const Integer count = SourceLength - 1;
    if (count > DestSize) Corrupt();
    if (count > 0) std::memcpy(dest, src + 1, static_cast<std::size_t>(count));
    return count;
  }
  if (src[0] != kCompressed) Corrupt();
  if (SourceLength <= 3) return 0;

  unsigned control = GetWord(src + 1);
  Integer pos = 3;
  Integer out = 0;
  Integer items = 0;
  while (pos < SourceLength) {
    if (items == kItemsPerControlWord) {
      if (pos + 2 > SourceLength) Corrupt();
      control = GetWord(src + pos);
      pos += 2;
      items = 0;
      if (pos == SourceLength) break;
    }
    if ((control & 0x8000) == 0) {
      if (out >= DestSize) Corrupt();
      dest[out++] = src[pos++];
    } else {
      if (pos + 2 > SourceLength) Corrupt();
      const unsigned value = GetWord(src + pos);
      const Integer distance = static_cast<Integer>(value >> 4);
      if (distance == 0) {
        if (pos + 4 > SourceLength) Corrupt();
        const Integer run = static_cast<Integer>(GetWord(src + pos + 1)) + kMinRun;
        if (run > DestSize - out) Corrupt();
        std::memset(dest + out, src[pos + 3], static_cast<std::size_t>(run));
        out += run;
        pos += 4;
      } else {
        const Integer count = static_cast<Integer>(value & 0xF) + kMinCopy;
        if (distance > out || count > DestSize - out) Corrupt();
        // Byte by byte: a copy may overlap the bytes it produces.
        for (Integer i = 0; i < count; ++i, ++out) dest[out] = dest[out - distance];
        pos += 2;
      }
    }
    control = (control << 1) & 0xFFFF;
    ++items;
  }
  return out;
}

void RaiseCorruptLZRWBlock() { throw Exception("Corrupt LZRW block"); }
