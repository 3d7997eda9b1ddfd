// The RC4 stream cipher of the standard security handler.
#pragma once

#include "classlib/System.h"

struct TRC4Context {
  Byte State[256];
  Byte KeyState[256];  // the state right after the key set-up, for RC4Reset
};

// Sets up the key; a key length outside 1 to 256 raises Exception "RC4: Invalid key length".
void RC4Init(TRC4Context& context, const void* key, Integer keyLength);
// Enciphers or deciphers `length` bytes; `input` and `output` may be the same buffer. The output
// generator starts from i = j = 0 on every call and goes on from the state the last call left.
void RC4Crypt(TRC4Context& context, const void* input, void* output, std::size_t length);
// Puts the state back to what the key set-up made.
void RC4Reset(TRC4Context& context);
