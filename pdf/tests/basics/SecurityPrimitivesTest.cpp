#include <gtest/gtest.h>

#include "pdf/pdfMD5.h"
#include "pdf/pdfRC4.h"

namespace {

AnsiString Hex(const Byte* p, std::size_t n) {
  static const char digits[] = "0123456789abcdef";
  AnsiString s;
  for (std::size_t i = 0; i < n; ++i) {
    s += digits[p[i] >> 4];
    s += digits[p[i] & 15];
  }
  return s;
}

TEST(PdfMD5, PublishedTestSuite) {
  const struct {
    const char* input;
    const char* digest;
  } cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const auto& c : cases) EXPECT_EQ(MD5String(c.input), c.digest) << c.input;
}

TEST(PdfMD5, PiecewiseUpdatesEqualOneUpdate) {
  AnsiString data;
  for (int i = 0; i < 1000; ++i) data += static_cast<char>(i * 7);
  TMD5Digest whole, pieces;
  MD5Buffer(data.data(), data.size(), whole);
  TMD5Context context;
  MD5Init(context);
  std::size_t at = 0;
  for (std::size_t step : {1, 63, 64, 65, 127, 200, 480}) {
    MD5Update(context, data.data() + at, step);
    at += step;
  }
  MD5Final(context, pieces);
  ASSERT_EQ(at, data.size());
  EXPECT_EQ(Hex(whole, 16), Hex(pieces, 16));
}

TEST(PdfRC4, KnownAnswers) {
  const struct {
    const char* key;
    const char* plain;
    const char* cipher;
  } cases[] = {
      {"Key", "Plaintext", "bbf316e8d940af0ad3"},
      {"Wiki", "pedia", "1021bf0420"},
      {"Secret", "Attack at dawn", "45a01f645fc35b383552544b9bf5"},
  };
  for (const auto& c : cases) {
    TRC4Context rc4;
    RC4Init(rc4, c.key, static_cast<Integer>(std::strlen(c.key)));
    AnsiString buffer = c.plain;
    RC4Crypt(rc4, buffer.data(), buffer.data(), buffer.size());  // in place
    EXPECT_EQ(Hex(reinterpret_cast<const Byte*>(buffer.data()), buffer.size()), c.cipher) << c.key;
    RC4Reset(rc4);
    RC4Crypt(rc4, buffer.data(), buffer.data(), buffer.size());
    EXPECT_EQ(buffer, c.plain);
  }
}

TEST(PdfRC4, FortyBitKeyStream) {
  // The first keystream bytes of the 40-bit key 0102030405.
  const Byte key[] = {1, 2, 3, 4, 5};
  TRC4Context rc4;
  RC4Init(rc4, key, 5);
  Byte zeros[16] = {}, stream[16];
  RC4Crypt(rc4, zeros, stream, 16);
  EXPECT_EQ(Hex(stream, 16), "b2396305f03dc027ccc3524a0a1118a8");
}

TEST(PdfRC4, RefusesKeysOutsideOneTo256Bytes) {
  Byte key[257] = {};
  TRC4Context rc4;
  for (Integer length : {0, 257}) {
    try {
      RC4Init(rc4, key, length);
      ADD_FAILURE() << "no exception for length " << length;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "RC4: Invalid key length");
    }
  }
  EXPECT_NO_THROW(RC4Init(rc4, key, 256));
  EXPECT_NO_THROW(RC4Init(rc4, key, 1));
}

}  // namespace
