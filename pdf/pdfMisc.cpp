#include "pdf/pdfMisc.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "classlib/Handles.h"
#include "classlib/Strings.h"

namespace {

const char kHex[] = "0123456789ABCDEF";

void AppendUnsigned(AnsiString& out, UInt64 v) {
  char buf[24];
  char* p = buf + sizeof buf;
  do {
    *--p = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v);
  out.append(p, buf + sizeof buf);
}

int CALLBACK TrueTypeProc(const LOGFONTA*, const TEXTMETRICA*, DWORD fontType, LPARAM data) {
  *reinterpret_cast<bool*>(data) = (fontType & TRUETYPE_FONTTYPE) != 0;
  return 1;
}

}  // namespace

void AppendFloat(AnsiString& out, Extended value) {
  const Extended scaled = std::round(value * 10000.0L);
  if (!std::isfinite(scaled)) {
    out += '0';
    return;
  }
  if (std::fabs(scaled) >= 9.0e18L) {
    // Beyond 64 bits the four decimals are noise anyway; print the integral part.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0Lf", value);
    out += buf;
    return;
  }
  Int64 n = static_cast<Int64>(scaled);
  if (n == 0) {
    out += '0';
    return;
  }
  if (n < 0) {
    out += '-';
    n = -n;
  }
  const UInt64 u = static_cast<UInt64>(n);
  AppendUnsigned(out, u / 10000);
  unsigned frac = static_cast<unsigned>(u % 10000);
  if (frac) {
    char digits[5] = {static_cast<char>('0' + frac / 1000), static_cast<char>('0' + frac / 100 % 10),
                      static_cast<char>('0' + frac / 10 % 10), static_cast<char>('0' + frac % 10), 0};
    int len = 4;
    while (digits[len - 1] == '0') --len;
    out += '.';
    out.append(digits, len);
  }
}

AnsiString FormatFloat(Extended value) {
  AnsiString s;
  AppendFloat(s, value);
  return s;
}

void AppendInt(AnsiString& out, Int64 value) {
  if (value < 0) {
    out += '-';
    AppendUnsigned(out, 0 - static_cast<UInt64>(value));
  } else {
    AppendUnsigned(out, static_cast<UInt64>(value));
  }
}

AnsiString IStr(Integer value) {
  AnsiString s;
  AppendInt(s, value);
  return s;
}

AnsiString IntToStrWithZero(Integer value, Integer width) {
  AnsiString digits = IStr(value);
  if (static_cast<Integer>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

AnsiString ByteToHex(Byte value) { return {kHex[value >> 4], kHex[value & 15]}; }

AnsiString WordToHex(Word value) {
  return {kHex[value >> 12], kHex[(value >> 8) & 15], kHex[(value >> 4) & 15], kHex[value & 15]};
}

AnsiString ByteToOct(Byte value) {
  AnsiString s;
  unsigned v = value;
  while (v > 7) {
    s.insert(s.begin(), static_cast<char>('0' + v % 8));
    v /= 8;
  }
  s.insert(s.begin(), static_cast<char>('0' + v));
  return s;
}

AnsiString StrToOctet(const AnsiString& text) {
  AnsiString s;
  s.reserve(text.size() * 4);
  for (unsigned char ch : text) {
    s += '\\';
    s += ByteToOct(ch);
  }
  return s;
}

AnsiString EscapeSpecialChar(const AnsiString& text) {
  AnsiString s;
  s.reserve(text.size() + 8);
  for (char ch : text) {
    switch (ch) {
      case '(':
      case ')':
      case '\\':
        s += '\\';
        s += ch;
        break;
      case '\r':
        s += "\\r";
        break;
      default:
        s += ch;
    }
  }
  return s;
}

AnsiString ReplStr(const AnsiString& text, char what, const AnsiString& with) {
  AnsiString s;
  s.reserve(text.size());
  for (char ch : text) {
    if (ch == what)
      s += with;
    else
      s += ch;
  }
  return s;
}

AnsiString EscapeName(const AnsiString& text) {
  AnsiString s;
  s.reserve(text.size());
  for (unsigned char ch : text) {
    if (ch < '!' || ch > '~' || std::strchr("()<>[]{}/%#", ch)) {
      s += '#';
      s += ByteToHex(ch);
    } else {
      s += static_cast<char>(ch);
    }
  }
  return s;
}

bool HasPDFDocEncodingClash(const AnsiString& text) {
  for (unsigned char ch : text)
    if (ch >= 128 && ch < 160) return true;
  return false;
}

AnsiString Reference(Integer id) {
  AnsiString s;
  AppendInt(s, id);
  s += " 0 R";
  return s;
}

AnsiString RGBTriple(Integer rgb) {
  AnsiString s;
  AppendFloat(s, (rgb & 0xFF) / 255.0L);
  s += ' ';
  AppendFloat(s, ((rgb >> 8) & 0xFF) / 255.0L);
  s += ' ';
  AppendFloat(s, ((rgb >> 16) & 0xFF) / 255.0L);
  return s;
}

AnsiString UnicodeChar(const AnsiString& text, Integer charset) {
  UINT codePage;
  switch (charset) {
    case 128: codePage = 932; break;
    case 129: codePage = 949; break;
    case 134: codePage = 936; break;
    case 136: codePage = 950; break;
    case 161: codePage = 1253; break;
    case 162: codePage = 1254; break;
    case 186: codePage = 1257; break;
    case 204: codePage = 1251; break;
    case 238: codePage = 1250; break;
    default: codePage = 1252;
  }
  const WideString w = AnsiToWide(text, codePage);
  if (w.empty()) return {};
  AnsiString s = "FEFF";
  s.reserve(4 + 4 * w.size());
  for (wchar_t ch : w) s += WordToHex(static_cast<Word>(ch));
  return s;
}

TPDFMatrix MultiplyMatrix(const TPDFMatrix& m1, const TPDFMatrix& m2) {
  TPDFMatrix r;
  r.a = m1.a * m2.a + m1.b * m2.c;
  r.b = m1.a * m2.b + m1.b * m2.d;
  r.c = m1.c * m2.a + m1.d * m2.c;
  r.d = m1.c * m2.b + m1.d * m2.d;
  r.e = m1.e * m2.a + m1.f * m2.c + m2.e;
  r.f = m1.e * m2.b + m1.f * m2.d + m2.f;
  return r;
}

TPDFPoint RotateCoordinate(Extended x, Extended y, Extended angle) {
  const Extended r = angle * 3.14159265358979323846L / 180.0L;
  const Extended s = std::sin(r), c = std::cos(r);
  return {x * c - y * s, x * s + y * c};
}

void NormalizeRect(Integer& x1, Integer& y1, Integer& x2, Integer& y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
}

void NormalizeRect(Extended& x1, Extended& y1, Extended& x2, Extended& y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
}

void NormalizeRect(TRect& r) { NormalizeRect(r.Left, r.Top, r.Right, r.Bottom); }

bool IsTrueType(const AnsiString& faceName) {
  if (faceName.empty()) return false;
  LOGFONTA lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, faceName.c_str(), LF_FACESIZE);
  bool trueType = false;
  WindowDC dc;
  ::EnumFontFamiliesExA(dc, &lf, &TrueTypeProc, reinterpret_cast<LPARAM>(&trueType), 0);
  return trueType;
}
