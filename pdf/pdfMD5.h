// The MD5 message digest (RFC 1321), used by the standard security handler for keys and by the
// document for its file identifier.
#pragma once

#include "classlib/System.h"

using TMD5Digest = Byte[16];

struct TMD5Context {
  Cardinal State[4];
  Cardinal Count[2];  // bits hashed, low half first
  Byte Buffer[64];
  Cardinal BufferLength;
};

void MD5Init(TMD5Context& context);
void MD5Update(TMD5Context& context, const void* data, std::size_t length);
// Completes the digest; the context must be started again before further use.
void MD5Final(TMD5Context& context, TMD5Digest& digest);

void MD5Buffer(const void* data, std::size_t length, TMD5Digest& digest);
// The digest of the string's bytes as 32 lower-case hexadecimal characters.
AnsiString MD5String(const AnsiString& text);
