#include "pdf/pdfMD5.h"

#include <algorithm>

namespace {

inline Cardinal Rol(Cardinal x, int n) { return (x << n) | (x >> (32 - n)); }

// Per-step shift amounts and sine-derived constants of the four rounds.
constexpr int kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                            5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                            4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                            6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};
constexpr Cardinal kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

void Transform(Cardinal state[4], const Byte block[64]) {
  Cardinal x[16];
  for (int i = 0; i < 16; ++i)
    x[i] = Cardinal(block[i * 4]) | Cardinal(block[i * 4 + 1]) << 8 | Cardinal(block[i * 4 + 2]) << 16 |
           Cardinal(block[i * 4 + 3]) << 24;
  Cardinal a = state[0], b = state[1], c = state[2], d = state[3];
  for (int i = 0; i < 64; ++i) {
    Cardinal f;
    int g;
    if (i < 16) {
      f = (b & c) | (~b & d);
      g = i;
    } else if (i < 32) {
      f = (d & b) | (~d & c);
      g = (5 * i + 1) % 16;
    } else if (i < 48) {
      f = b ^ c ^ d;
      g = (3 * i + 5) % 16;
    } else {
      f = c ^ (b | ~d);
      g = (7 * i) % 16;
    }
    const Cardinal t = d;
    d = c;
    c = b;
    b = b + Rol(a + f + kSine[i] + x[g], kShift[i]);
    a = t;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

}  // namespace

void MD5Init(TMD5Context& context) {
  context.State[0] = 0x67452301;
  context.State[1] = 0xefcdab89;
  context.State[2] = 0x98badcfe;
  context.State[3] = 0x10325476;
  context.Count[0] = context.Count[1] = 0;
  context.BufferLength = 0;
}

void MD5Update(TMD5Context& context, const void* data, std::size_t length) {
  const Byte* p = static_cast<const Byte*>(data);
  const UInt64 bits = (UInt64(context.Count[1]) << 32 | context.Count[0]) + UInt64(length) * 8;
  context.Count[0] = static_cast<Cardinal>(bits);
  context.Count[1] = static_cast<Cardinal>(bits >> 32);
  while (length > 0) {
    if (context.BufferLength == 0 && length >= 64) {
      Transform(context.State, p);
      p += 64;
      length -= 64;
      continue;
    }
    const std::size_t n = std::min<std::size_t>(64 - context.BufferLength, length);
    std::memcpy(context.Buffer + context.BufferLength, p, n);
    context.BufferLength += static_cast<Cardinal>(n);
    p += n;
    length -= n;
    if (context.BufferLength == 64) {
      Transform(context.State, context.Buffer);
      context.BufferLength = 0;
    }
  }
}

void MD5Final(TMD5Context& context, TMD5Digest& digest) {
  Byte length[8];
  for (int i = 0; i < 4; ++i) {
    length[i] = static_cast<Byte>(context.Count[0] >> (8 * i));
    length[i + 4] = static_cast<Byte>(context.Count[1] >> (8 * i));
  }
  static const Byte padding[64] = {0x80};
  const Cardinal used = context.BufferLength;
  MD5Update(context, padding, used < 56 ? 56 - used : 120 - used);
  MD5Update(context, length, 8);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) digest[i * 4 + j] = static_cast<Byte>(context.State[i] >> (8 * j));
  std::memset(&context, 0, sizeof context);
}

void MD5Buffer(const void* data, std::size_t length, TMD5Digest& digest) {
  TMD5Context context;
  MD5Init(context);
  MD5Update(context, data, length);
  MD5Final(context, digest);
}

AnsiString MD5String(const AnsiString& text) {
  static const char hex[] = "0123456789abcdef";
  TMD5Digest digest;
  MD5Buffer(text.data(), text.size(), digest);
  AnsiString s(32, '0');
  for (int i = 0; i < 16; ++i) {
    s[i * 2] = hex[digest[i] >> 4];
    s[i * 2 + 1] = hex[digest[i] & 15];
  }
  return s;
}
