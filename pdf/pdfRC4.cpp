#include "pdf/pdfRC4.h"

#include <utility>
#include <algorithm>

#include "pdf/pdfResources.h"

void RC4Init(TRC4Context& context, const void* key, Integer keyLength) {
  if (keyLength < 1 || keyLength > 256) throw Exception(SRC4InvalidKeyLength);
  const Byte* k = static_cast<const Byte*>(key);
  for (int i = 0; i < 256; ++i) context.State[i] = static_cast<Byte>(i);
  Byte j = 0;
  for (int i = 0; i < 256; ++i) {
    j = static_cast<Byte>(j + context.State[i] + k[i % keyLength]);
    std::swap(context.State[i], context.State[j]);
  }
  std::memcpy(context.KeyState, context.State, 256);
}

void RC4Crypt(TRC4Context& context, const void* input, void* output, std::size_t length) {
  const Byte* in = static_cast<const Byte*>(input);
  Byte* out = static_cast<Byte*>(output);
  Byte* s = context.State;
  Byte i = 0, j = 0;
  for (std::size_t n = 0; n < length; ++n) {
    i = static_cast<Byte>(i + 1);
    j = static_cast<Byte>(j + s[i]);
    std::swap(s[i], s[j]);
    out[n] = in[n] ^ s[static_cast<Byte>(s[i] + s[j])];
  }
}

void RC4Reset(TRC4Context& context) { std::memcpy(context.State, context.KeyState, 256); }
