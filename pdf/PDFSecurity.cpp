// The standard security handler, revision 2 with a 40-bit RC4 key: the file identifier, the
// document key, the /O and /U values, the encryption of strings and streams per object, and the
// encryption dictionary.
#include "pdf/PDF.h"

#include "classlib/SysUtils.h"
#include "pdf/pdfMD5.h"
#include "pdf/pdfRC4.h"

namespace {

// The padding string of the password algorithms.
const Byte kPadding[32] = {0x28, 0xBF, 0x4E, 0x5E, 0x4E, 0x75, 0x8A, 0x41, 0x64, 0x00, 0x4E,
                           0x56, 0xFF, 0xFA, 0x01, 0x08, 0x2E, 0x2E, 0x00, 0xB6, 0xD0, 0x68,
                           0x3E, 0x80, 0x2F, 0x0C, 0xA9, 0xFE, 0x64, 0x53, 0x69, 0x7A};

void PadPassword(const AnsiString& password, Byte out[32]) {
  const std::size_t n = password.size() < 32 ? password.size() : 32;
  std::memcpy(out, password.data(), n);
  std::memcpy(out + n, kPadding, 32 - n);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

}  // namespace

void TPDFDocument::CalcFileID() {
  FFileID = MD5String(FormatDateTime("ddd dd-mm-yyyy hh:nn:ss.zzz", Now()) + FFileName);
}

TPDFSecurityKeys CalcSecurityKeys(const AnsiString& OwnerPassword, const AnsiString& UserPassword,
                                  Cardinal Permissions, const AnsiString& FileID) {
  TPDFSecurityKeys keys;
  Byte user[32], owner[32];
  PadPassword(UserPassword, user);
  // Without an owner password the user password keys /O, so that it really protects the file.
  PadPassword(OwnerPassword.empty() ? UserPassword : OwnerPassword, owner);

  TMD5Digest digest;
  MD5Buffer(owner, 32, digest);
  TRC4Context rc4;
  RC4Init(rc4, digest, 5);
  RC4Crypt(rc4, user, keys.Owner, 32);

  const Byte p[4] = {static_cast<Byte>(Permissions), static_cast<Byte>(Permissions >> 8),
                     static_cast<Byte>(Permissions >> 16), static_cast<Byte>(Permissions >> 24)};
  Byte id[16] = {};
  for (std::size_t i = 0; i < 16 && 2 * i + 1 < FileID.size(); ++i)
    id[i] = static_cast<Byte>(HexDigit(FileID[2 * i]) << 4 | HexDigit(FileID[2 * i + 1]));
  TMD5Context md5;
  MD5Init(md5);
  MD5Update(md5, user, 32);
  MD5Update(md5, keys.Owner, 32);
  MD5Update(md5, p, 4);
  MD5Update(md5, id, 16);
  MD5Final(md5, digest);
  std::memcpy(keys.Key, digest, 5);

  RC4Init(rc4, keys.Key, 5);
  RC4Crypt(rc4, kPadding, keys.User, 32);
  return keys;
}

void TPDFDocument::CalcKey() {
  const TPDFSecurityKeys keys = CalcSecurityKeys(FOwnerPassword, FUserPassword, FPermissions, FFileID);
  std::memcpy(FOwnerKey, keys.Owner, 32);
  std::memcpy(FUserKey, keys.User, 32);
  std::memcpy(FKey, keys.Key, 5);
}

void TPDFDocument::CryptBuffer(void* Data, std::size_t Count, Integer ID) const {
  if (!FProtectionEnabled || Count == 0) return;
  Byte keyInput[10];
  std::memcpy(keyInput, FKey, 5);
  keyInput[5] = static_cast<Byte>(ID);
  keyInput[6] = static_cast<Byte>(ID >> 8);
  keyInput[7] = static_cast<Byte>(ID >> 16);
  keyInput[8] = keyInput[9] = 0;
  TMD5Digest digest;
  MD5Buffer(keyInput, 10, digest);
  TRC4Context rc4;
  RC4Init(rc4, digest, 10);
  RC4Crypt(rc4, Data, Data, Count);
}

AnsiString TPDFDocument::CryptString(const AnsiString& Text, Integer ID) const {
  AnsiString s = Text;
  CryptBuffer(s.data(), s.size(), ID);
  return s;
}

AnsiString TPDFDocument::CryptHexString(const AnsiString& HexText, Integer ID) const {
  if (!FProtectionEnabled) return HexText;
  AnsiString bytes(HexText.size() / 2, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(HexDigit(HexText[2 * i]) << 4 | HexDigit(HexText[2 * i + 1]));
  CryptBuffer(bytes.data(), bytes.size(), ID);
  AnsiString hex;
  hex.reserve(bytes.size() * 2);
  for (char c : bytes) hex += ByteToHex(static_cast<Byte>(c));
  return hex;
}

AnsiString TPDFDocument::TextString(const AnsiString& Text, bool Unicode, Integer Charset, Integer ID) const {
  if (!Unicode && !HasPDFDocEncodingClash(Text)) return "(" + EscapeSpecialChar(CryptString(Text, ID)) + ")";
  return "<" + CryptHexString(UnicodeChar(Text, Charset), ID) + ">";
}

void TPDFDocument::WriteEncrypt() {
  FEncryptID = 0;
  StartObj(FEncryptID);
  SaveToStream("/Filter /Standard");
  SaveToStream("/V 1");
  SaveToStream("/R 2");
  AnsiString p = "/P ";
  AppendInt(p, FPermissions);
  SaveToStream(p);
  SaveToStream("/O (" + EscapeSpecialChar(GetOwnerKey()) + ")");
  SaveToStream("/U (" + EscapeSpecialChar(GetUserKey()) + ")");
  CloseHObj();
  CloseObj();
}
