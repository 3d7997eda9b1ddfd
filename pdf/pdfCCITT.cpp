#include "pdf/pdfCCITT.h"

#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/Streams.h"
#include "pdf/pdfResources.h"

namespace {

struct TCode {
  Byte Length;  // in bits
  Byte Code;    // right-aligned; the long codes all begin with zeros, so a byte holds them
  Word Run;
};

// Code words of ITU-T T.4 as bit strings: terminating codes for runs 0 to 63, make-up codes for
// 64 to 1728 and the extended make-up codes for 1792 to 2560 that both colours share.
const char* const kWhiteTerminating[64] = {
    "00110101", "000111",   "0111",     "1000",     "1011",     "1100",     "1110",     "1111",
    "10011",    "10100",    "00111",    "01000",    "001000",   "000011",   "110100",   "110101",
    "101010",   "101011",   "0100111",  "0001100",  "0001000",  "0010111",  "0000011",  "0000100",
    "0101000",  "0101011",  "0010011",  "0100100",  "0011000",  "00000010", "00000011", "00011010",
    "00011011", "00010010", "00010011", "00010100", "00010101", "00010110", "00010111", "00101000",
    "00101001", "00101010", "00101011", "00101100", "00101101", "00000100", "00000101", "00001010",
    "00001011", "01010010", "01010011", "01010100", "01010101", "00100100", "00100101", "01011000",
    "01011001", "01011010", "01011011", "01001010", "01001011", "00110010", "00110011", "00110100"};
const char* const kWhiteMakeUp[27] = {
    "11011",     "10010",     "010111",    "0110111",   "00110110",  "00110111",  "01100100",
    "01100101",  "01101000",  "01100111",  "011001100", "011001101", "011010010", "011010011",
    "011010100", "011010101", "011010110", "011010111", "011011000", "011011001", "011011010",
    "011011011", "010011000", "010011001", "010011010", "011000",    "010011011"};
const char* const kBlackTerminating[64] = {
    "0000110111",   "010",          "11",           "10",           "011",          "0011",
    "0010",         "00011",        "000101",       "000100",       "0000100",      "0000101",
    "0000111",      "00000100",     "00000111",     "000011000",    "0000010111",   "0000011000",
    "0000001000",   "00001100111",  "00001101000",  "00001101100",  "00000110111",  "00000101000",
    "00000010111",  "00000011000",  "000011001010", "000011001011", "000011001100", "000011001101",
    "000001101000", "000001101001", "000001101010", "000001101011", "000011010010", "000011010011",
    "000011010100", "000011010101", "000011010110", "000011010111", "000001101100", "000001101101",
    "000011011010", "000011011011", "000001010100", "000001010101", "000001010110", "000001010111",
    "000001100100", "000001100101", "000001010010", "000001010011", "000000100100", "000000110111",
    "000000111000", "000000100111", "000000101000", "000001011000", "000001011001", "000000101011",
    "000000101100", "000001011010", "000001100110", "000001100111"};
const char* const kBlackMakeUp[27] = {
    "0000001111",    "000011001000",  "000011001001",  "000001011011",  "000000110011",
    "000000110100",  "000000110101",  "0000001101100", "0000001101101", "0000001001010",
    "0000001001011", "0000001001100", "0000001001101", "0000001110010", "0000001110011",
    "0000001110100", "0000001110101", "0000001110110", "0000001110111", "0000001010010",
    "0000001010011", "0000001010100", "0000001010101", "0000001011010", "0000001011011",
    "0000001100100", "0000001100101"};
const char* const kExtendedMakeUp[13] = {"00000001000",  "00000001100",  "00000001101",  "000000010010",
                                         "000000010011", "000000010100", "000000010101", "000000010110",
                                         "000000010111", "000000011100", "000000011101", "000000011110",
                                         "000000011111"};

TCode Parse(const char* bits, int run) {
  TCode c{0, 0, static_cast<Word>(run)};
  for (; *bits; ++bits) {
    c.Code = static_cast<Byte>(c.Code << 1 | (*bits == '1'));
    ++c.Length;
  }
  return c;
}

// One table per colour: entries 0 to 63 terminate runs 0 to 63, entry 63 + r / 64 is the make-up
// code of run r (64 to 2560).
struct TCodeTables {
  TCode White[104];
  TCode Black[104];
  // Number of leading 0 bits of a byte, from the most significant bit.
  Byte LeadingZeros[256];
  TCodeTables() {
    for (int r = 0; r < 64; ++r) {
      White[r] = Parse(kWhiteTerminating[r], r);
      Black[r] = Parse(kBlackTerminating[r], r);
    }
    for (int i = 0; i < 27; ++i) {
      White[64 + i] = Parse(kWhiteMakeUp[i], 64 * (i + 1));
      Black[64 + i] = Parse(kBlackMakeUp[i], 64 * (i + 1));
    }
    for (int i = 0; i < 13; ++i) White[91 + i] = Black[91 + i] = Parse(kExtendedMakeUp[i], 1792 + 64 * i);
    LeadingZeros[0] = 8;
    for (int v = 1; v < 256; ++v) {
      int n = 0;
      while (!(v & (0x80 >> n))) ++n;
      LeadingZeros[v] = static_cast<Byte>(n);
    }
  }
};

const TCodeTables& Tables() {
  static const TCodeTables tables;
  return tables;
}

// Two-dimensional mode codes: pass, horizontal, and vertical indexed by b1 - a1 + 3
constexpr TCode kPass{4, 0x1, 0};
constexpr TCode kHorizontal{3, 0x1, 0};
// (VR3, VR2, VR1, V0, VL1, VL2, VL3).
constexpr TCode kVertical[7] = {{7, 0x03, 0}, {6, 0x03, 0}, {3, 0x3, 0}, {1, 0x1, 0},
                                {3, 0x2, 0},  {6, 0x02, 0}, {7, 0x02, 0}};
constexpr int kEolLength = 12;  // eleven 0 bits and a 1

// In the rows handed to the coder a 1 bit is black.
inline bool Pixel(const Byte* row, int x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }

// The end of the run of `black` pixels that starts at `start`: the first position at or after it
// whose colour differs, or `end`. Whole bytes are skipped at once.
int RunEnd(const Byte* row, int start, int end, bool black) {
  if (start >= end) return end;
  const Byte flip = black ? 0xFF : 0x00;
  const Byte* lz = Tables().LeadingZeros;
  int byte = start >> 3;
  Byte v = static_cast<Byte>((row[byte] ^ flip) & (0xFF >> (start & 7)));
  const int lastByte = (end - 1) >> 3;
  while (v == 0 && byte < lastByte) v = static_cast<Byte>(row[++byte] ^ flip);
  const int pos = byte * 8 + lz[v];
  return pos < end ? pos : end;
}

}  // namespace

TCCITTCompression::TCCITTCompression(Integer mode, TStream* stream) : mode_(mode), stream_(stream) {}

void TCCITTCompression::PutBits(unsigned code, int length) {
  while (length > 0) {
    const int n = length < freeBits_ ? length : freeBits_;
    length -= n;
    bitBuffer_ = (bitBuffer_ << n) | ((code >> length) & ((1u << n) - 1));
    freeBits_ -= n;
    if (freeBits_ == 0) {
      out_ += static_cast<char>(bitBuffer_);
      bitBuffer_ = 0;
      freeBits_ = 8;
    }
  }
}

void TCCITTCompression::PutRun(int run, bool black) {
  const TCode* table = black ? Tables().Black : Tables().White;
  while (run >= 2624) {
    PutBits(table[103].Code, table[103].Length);
    run -= 2560;
  }
  if (run >= 64) {
    const TCode& c = table[63 + run / 64];
    PutBits(c.Code, c.Length);
    run %= 64;
  }
  PutBits(table[run].Code, table[run].Length);
}

void TCCITTCompression::EncodeRow1D(const Byte* row) {
  bool black = false;
  for (int x = 0; x < width_;) {
    const int end = RunEnd(row, x, width_, black);
    PutRun(end - x, black);
    x = end;
    black = !black;
  }
}

void TCCITTCompression::EncodeRow2D(const Byte* row, const Byte* ref) {
  const int w = width_;
  int a0 = 0;
  int a1 = Pixel(row, 0) ? 0 : RunEnd(row, 0, w, false);
  int b1 = Pixel(ref, 0) ? 0 : RunEnd(ref, 0, w, false);
  for (;;) {
    const int b2 = b1 < w ? RunEnd(ref, b1, w, Pixel(ref, b1)) : w;
    if (b2 >= a1) {
      const int d = b1 - a1;
      if (d < -3 || d > 3) {
        const int a2 = a1 < w ? RunEnd(row, a1, w, Pixel(row, a1)) : w;
        PutBits(kHorizontal.Code, kHorizontal.Length);
        // a0 before the first pixel counts as white, whatever the first pixel is.
        const bool black = a0 + a1 != 0 && Pixel(row, a0);
        PutRun(a1 - a0, black);
        PutRun(a2 - a1, !black);
        a0 = a2;
      } else {
        PutBits(kVertical[d + 3].Code, kVertical[d + 3].Length);
        a0 = a1;
      }
    } else {
      PutBits(kPass.Code, kPass.Length);
      a0 = b2;
    }
    if (a0 >= w) break;
    const bool colour = Pixel(row, a0);
    a1 = RunEnd(row, a0, w, colour);
    b1 = RunEnd(ref, a0, w, !colour);
    b1 = RunEnd(ref, b1, w, colour);
  }
}

void TCCITTCompression::FlushOutput() {
  if (!out_.empty()) stream_->WriteBuffer(out_.data(), static_cast<Integer>(out_.size()));
  out_.clear();
}

void TCCITTCompression::CompressRows(Integer width, Integer height,
                                     const std::function<const Byte*(Integer)>& row) {
  if (!stream_) throw Exception(SNotSetOutputStream);
  if (width <= 0 || height <= 0) return;
  width_ = width;
  rowBytes_ = (width + 7) / 8;
  std::vector<Byte> current(rowBytes_), reference(rowBytes_, 0);
  for (Integer y = 0; y < height; ++y) {
    const Byte* src = row(y);
    for (Integer i = 0; i < rowBytes_; ++i) current[i] = static_cast<Byte>(~src[i]);
    switch (mode_) {
      case 0:
        EncodeRow1D(current.data());
        break;
      case 1:
        PutBits(1, kEolLength);
        PutBits(0, 1);
        EncodeRow2D(current.data(), reference.data());
        current.swap(reference);
        break;
      default:
        EncodeRow2D(current.data(), reference.data());
        current.swap(reference);
        break;
    }
    if (out_.size() >= 65536) FlushOutput();
  }
  if (mode_ == 2) {
    PutBits(1, kEolLength);
    PutBits(1, kEolLength);
  }
  if (freeBits_ < 8) {
    out_ += static_cast<char>(bitBuffer_ << freeBits_);
    bitBuffer_ = 0;
    freeBits_ = 8;
  }
  FlushOutput();
}

void TCCITTCompression::Compress(TBitmap* bitmap) {
  if (!stream_) throw Exception(SNotSetOutputStream);
  if (bitmap->GetPixelFormat() != pf1bit) throw Exception(SNotBWImage);
  CompressRows(bitmap->GetWidth(), bitmap->GetHeight(),
               [bitmap](Integer y) { return static_cast<const Byte*>(bitmap->GetScanLine(y)); });
}

void CCITTCompress(TBitmap* bitmap, TStream* stream, Integer mode) {
  TCCITTCompression encoder(mode, stream);
  encoder.Compress(bitmap);
}
