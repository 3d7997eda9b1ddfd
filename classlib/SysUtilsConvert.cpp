// Text to number and back in the class library's grammar, and Round/Trunc.
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "classlib/SysUtils.h"

namespace {

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

int HexValue(char c) noexcept {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Leading blanks, a sign, decimal digits or hex digits after "$", "x" or "0x", nothing after.
// The decimal range is that of the signed type; hexadecimal text may use every bit of it.
bool ParseInteger(std::string_view s, int bits, Int64& value) noexcept {
  std::size_t i = 0;
  const std::size_t n = s.size();
  while (i < n && s[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  bool hex = false;
  if (i < n && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return false;
  const UInt64 unsignedMax = bits == 32 ? 0xFFFFFFFFull : ~0ull;
  const UInt64 signedMax = bits == 32 ? 0x7FFFFFFFull : 0x7FFFFFFFFFFFFFFFull;
  const UInt64 limit = hex ? unsignedMax : signedMax + (negative ? 1 : 0);
  const unsigned base = hex ? 16 : 10;
  UInt64 v = 0;
  for (; i < n; ++i) {
    const int d = hex ? HexValue(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
    if (d < 0) return false;
    if (v > (limit - static_cast<UInt64>(d)) / base) return false;
    v = v * base + static_cast<UInt64>(d);
  }
  if (!hex) {
    value = negative ? static_cast<Int64>(0 - v) : static_cast<Int64>(v);
  } else if (bits == 32) {
    const auto u = static_cast<std::uint32_t>(v);
    value = static_cast<Integer>(negative ? 0u - u : u);
  } else {
    value = static_cast<Int64>(negative ? 0 - v : v);
  }
  return true;
}

// Checks the text against the grammar and converts it; the conversion itself is correctly
// rounded, on a copy that uses "." so that the C library's locale plays no part.
bool ParseFloat(std::string_view s, Extended& value) {
  std::size_t i = 0;
  const std::size_t n = s.size();
  std::string text;
  text.reserve(n + 2);
  while (i < n && s[i] == ' ') ++i;
  if (i < n && (s[i] == '-' || s[i] == '+')) text += s[i++];
  std::size_t digits = 0;
  while (i < n && IsDigit(s[i])) {
    text += s[i++];
    ++digits;
  }
  if (i < n && s[i] == DecimalSeparator) {
    text += '.';
    ++i;
    while (i < n && IsDigit(s[i])) {
      text += s[i++];
      ++digits;
    }
  }
  if (digits == 0) return false;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    text += 'e';
    ++i;
    if (i < n && (s[i] == '-' || s[i] == '+')) text += s[i++];
    std::size_t expDigits = 0;
    while (i < n && IsDigit(s[i])) {
      text += s[i++];
      ++expDigits;
    }
    if (expDigits == 0) return false;
  }
  while (i < n && s[i] == ' ') ++i;
  if (i != n) return false;
  errno = 0;
  char* end = nullptr;
  const Extended v = std::strtold(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

[[noreturn]] void RaiseQuoted(const char* before, std::string_view s, const char* after) {
  throw EConvertError(AnsiString(before) + AnsiString(s) + after);
}

[[noreturn]] void InvalidInteger(std::string_view s) { RaiseQuoted("'", s, "' is not a valid integer value"); }

[[noreturn]] void InvalidOp() { throw EInvalidOp("Invalid floating point operation"); }

Int64 ToInt64(Extended v) {
  // 2^63 is exact in the 80-bit format; everything from it upwards does not fit.
  constexpr Extended two63 = 9223372036854775808.0L;
  if (!(v < two63 && v >= -two63)) InvalidOp();
  return static_cast<Int64>(v);
}

}  // namespace

AnsiString IntToStr(Int64 value) {
  char buf[24];
  char* p = buf + sizeof buf;
  UInt64 v = value < 0 ? 0ull - static_cast<UInt64>(value) : static_cast<UInt64>(value);
  do {
    *--p = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v);
  if (value < 0) *--p = '-';
  return AnsiString(p, buf + sizeof buf);
}

AnsiString UIntToStr(UInt64 value) {
  char buf[24];
  char* p = buf + sizeof buf;
  do {
    *--p = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value);
  return AnsiString(p, buf + sizeof buf);
}

AnsiString IntToHexBits(UInt64 bits, Integer digits, Integer maxDigits) {
  static const char kHex[] = "0123456789ABCDEF";
  if (maxDigits < 16) bits &= (1ull << (4 * maxDigits)) - 1;
  AnsiString r;
  do {
    r.insert(r.begin(), kHex[bits & 15]);
    bits >>= 4;
  } while (bits);
  if (static_cast<Integer>(r.size()) < digits) r.insert(0, static_cast<std::size_t>(digits) - r.size(), '0');
  return r;
}

Integer StrToInt(std::string_view s) {
  Int64 v;
  if (!ParseInteger(s, 32, v)) InvalidInteger(s);
  return static_cast<Integer>(v);
}

Integer StrToIntDef(std::string_view s, Integer defaultValue) {
  Int64 v;
  return ParseInteger(s, 32, v) ? static_cast<Integer>(v) : defaultValue;
}

bool TryStrToInt(std::string_view s, Integer& value) {
  Int64 v;
  if (!ParseInteger(s, 32, v)) return false;
  value = static_cast<Integer>(v);
  return true;
}

Int64 StrToInt64(std::string_view s) {
  Int64 v;
  if (!ParseInteger(s, 64, v)) InvalidInteger(s);
  return v;
}

Int64 StrToInt64Def(std::string_view s, Int64 defaultValue) {
  Int64 v;
  return ParseInteger(s, 64, v) ? v : defaultValue;
}

bool TryStrToInt64(std::string_view s, Int64& value) { return ParseInteger(s, 64, value); }

Extended StrToFloat(std::string_view s) {
  Extended v;
  if (!ParseFloat(s, v)) RaiseQuoted("'", s, "' is not a valid floating point value");
  return v;
}

Extended StrToFloatDef(std::string_view s, Extended defaultValue) {
  Extended v;
  return ParseFloat(s, v) ? v : defaultValue;
}

bool TryStrToFloat(std::string_view s, Extended& value) { return ParseFloat(s, value); }

bool TryStrToFloat(std::string_view s, double& value) {
  Extended v;
  if (!ParseFloat(s, v) || std::fabs(v) > DBL_MAX) return false;
  value = static_cast<double>(v);
  return true;
}

AnsiString BoolToStr(bool value, bool useBoolStrs) {
  if (useBoolStrs) return value ? "True" : "False";
  return value ? "-1" : "0";
}

bool TryStrToBool(std::string_view s, bool& value) {
  Extended v;
  if (ParseFloat(s, v)) {
    value = v != 0;
    return true;
  }
  if (AnsiSameText(s, "True")) {
    value = true;
    return true;
  }
  if (AnsiSameText(s, "False")) {
    value = false;
    return true;
  }
  return false;
}

bool StrToBool(std::string_view s) {
  bool v;
  if (!TryStrToBool(s, v)) RaiseQuoted("'", s, "' is not a valid boolean value");
  return v;
}

bool StrToBoolDef(std::string_view s, bool defaultValue) {
  bool v;
  return TryStrToBool(s, v) ? v : defaultValue;
}

Int64 Round(Extended value) {
  if (!std::isfinite(value)) InvalidOp();
  // The distance to the floor is exact in binary, so the halfway test is exact too.
  const Extended floor = std::floor(value);
  const Extended diff = value - floor;
  Extended r = floor;
  if (diff > 0.5L) {
    r = floor + 1;
  } else if (diff == 0.5L) {
    if (std::fmod(floor, 2.0L) != 0) r = floor + 1;
  }
  return ToInt64(r);
}

Int64 Trunc(Extended value) {
  if (!std::isfinite(value)) InvalidOp();
  return ToInt64(std::trunc(value));
}

Extended Int(Extended value) { return std::trunc(value); }
Extended Frac(Extended value) { return value - std::trunc(value); }
