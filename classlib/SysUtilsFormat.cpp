// Number formatting: FloatToStr, FloatToStrF, FormatFloat and Format.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "classlib/SysUtils.h"

namespace {

// A value as decimal digits: value = 0.Digits x 10^Exponent, Digits without trailing zeros and
// empty for zero.
struct TFloatRec {
  enum TKind { Finite, Infinite, NotANumber };
  TKind Kind = Finite;
  bool Negative = false;
  int Exponent = 0;
  std::string Digits;
};

constexpr int kMaxDigits = 18;

// The value's digits, rounded to at most `precision` significant digits and at most `decimals`
// digits after the decimal point. Like the original class library it first takes 18
// significant digits and then rounds those half up, so 2.5 gives "3" and 0.125 with two
// decimals "0.13".
TFloatRec FloatToDecimal(Extended value, int precision, int decimals) {
  TFloatRec rec;
  if (std::isnan(value)) {
    rec.Kind = TFloatRec::NotANumber;
    return rec;
  }
  rec.Negative = std::signbit(value);
  if (std::isinf(value)) {
    rec.Kind = TFloatRec::Infinite;
    return rec;
  }
  value = std::fabs(value);
  if (value == 0) {
    rec.Negative = false;
    return rec;
  }
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, kMaxDigits - 1);
  // buf holds "d.ddddddddddddddddde[+-]xx".
  std::string digits;
  digits += buf[0];
  const char* p = buf + 2;
  while (p < res.ptr && *p != 'e') digits += *p++;
  int exp10 = 0;
  std::from_chars(p + 1 + (p[1] == '+'), res.ptr, exp10);
  rec.Exponent = exp10 + 1;

  if (precision > kMaxDigits) precision = kMaxDigits;
  if (precision < 1) precision = 1;
  long keep = std::min<long>(precision, static_cast<long>(rec.Exponent) + decimals);
  if (keep < 0) {
    rec.Negative = false;
    rec.Exponent = 0;
    return rec;
  }
  const bool roundUp = static_cast<std::size_t>(keep) < digits.size() && digits[static_cast<std::size_t>(keep)] >= '5';
  digits.resize(static_cast<std::size_t>(keep));
  if (roundUp) {
    int i = static_cast<int>(keep) - 1;
    while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
      ++digits[static_cast<std::size_t>(i)];
    } else {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      if (digits.empty()) digits = "1";
      ++rec.Exponent;
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) {
    rec.Negative = false;
    rec.Exponent = 0;
  }
  rec.Digits = std::move(digits);
  return rec;
}

AnsiString SpecialText(const TFloatRec& rec) {
  if (rec.Kind == TFloatRec::NotANumber) return "NAN";
  return rec.Negative ? "-INF" : "INF";
}

char DigitAt(const TFloatRec& rec, int i) {
  return i >= 0 && i < static_cast<int>(rec.Digits.size()) ? rec.Digits[static_cast<std::size_t>(i)] : '0';
}

// The integer digits of the value ("" for a value below 1).
std::string IntegerDigits(const TFloatRec& rec) {
  std::string r;
  for (int i = 0; i < rec.Exponent; ++i) r += DigitAt(rec, i);
  return r;
}

// The fraction digits of the value without trailing zeros.
std::string FractionDigits(const TFloatRec& rec) {
  std::string r;
  const int n = static_cast<int>(rec.Digits.size());
  for (int i = std::min(rec.Exponent, 0); i < n; ++i)
    if (i >= rec.Exponent) r += DigitAt(rec, i);
  return r;
}

std::string GroupThousands(const std::string& digits) {
  if (ThousandSeparator == '\0' || digits.size() <= 3) return digits;
  std::string r;
  const std::size_t n = digits.size();
  for (std::size_t i = 0; i < n; ++i) {
    r += digits[i];
    const std::size_t left = n - 1 - i;
    if (left > 0 && left % 3 == 0) r += ThousandSeparator;
  }
  return r;
}

AnsiString ExponentText(int exponent, int minDigits, bool plusSign) {
  AnsiString r;
  if (exponent < 0)
    r += '-';
  else if (plusSign)
    r += '+';
  AnsiString digits = IntToStr(std::abs(exponent));
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
  return r + digits;
}

AnsiString FormatGeneral(Extended value, int precision, int expDigits) {
  const TFloatRec rec = FloatToDecimal(value, precision, 9999);
  if (rec.Kind != TFloatRec::Finite) return SpecialText(rec);
  if (rec.Digits.empty()) return "0";
  AnsiString r = rec.Negative ? "-" : "";
  if (rec.Exponent > std::min(precision, kMaxDigits) || rec.Exponent < -3) {
    r += rec.Digits[0];
    if (rec.Digits.size() > 1) {
      r += DecimalSeparator;
      r.append(rec.Digits, 1);
    }
    r += 'E';
    r += ExponentText(rec.Exponent - 1, std::clamp(expDigits, 0, 4), false);
    return r;
  }
  const std::string whole = IntegerDigits(rec);
  r += whole.empty() ? "0" : whole;
  const std::string fraction = FractionDigits(rec);
  if (!fraction.empty()) {
    r += DecimalSeparator;
    r += fraction;
  }
  return r;
}

AnsiString FormatExponent(Extended value, int precision, int expDigits) {
  precision = std::clamp(precision, 1, kMaxDigits);
  const TFloatRec rec = FloatToDecimal(value, precision, 9999);
  if (rec.Kind != TFloatRec::Finite) return SpecialText(rec);
  AnsiString r = rec.Negative ? "-" : "";
  r += DigitAt(rec, 0);
  if (precision > 1) {
    r += DecimalSeparator;
    for (int i = 1; i < precision; ++i) r += DigitAt(rec, i);
  }
  r += 'E';
  r += ExponentText(rec.Digits.empty() ? 0 : rec.Exponent - 1, std::clamp(expDigits, 0, 4), true);
  return r;
}

// The unsigned digits of a fixed-point text with `decimals` decimals; grouped when asked.
// Returns false when the value is too large for `precision` digits before the point.
bool FixedDigits(const TFloatRec& rec, int precision, int decimals, bool grouped, AnsiString& out) {
  if (rec.Exponent > std::min(precision, kMaxDigits)) return false;
  std::string whole = IntegerDigits(rec);
  if (whole.empty()) whole = "0";
  out = grouped ? GroupThousands(whole) : whole;
  if (decimals > 0) {
    std::string fraction = FractionDigits(rec);
    fraction.resize(static_cast<std::size_t>(decimals), '0');
    out += DecimalSeparator;
    out += fraction;
  }
  return true;
}

AnsiString ApplyCurrencyPattern(const AnsiString& number, bool negative) {
  const AnsiString& cur = CurrencyString;
  if (!negative) {
    switch (CurrencyFormat) {
      case 1: return number + cur;
      case 2: return cur + " " + number;
      case 3: return number + " " + cur;
      default: return cur + number;
    }
  }
  switch (NegCurrFormat) {
    case 1: return "-" + cur + number;
    case 2: return cur + "-" + number;
    case 3: return cur + number + "-";
    case 4: return "(" + number + cur + ")";
    case 5: return "-" + number + cur;
    case 6: return number + "-" + cur;
    case 7: return number + cur + "-";
    case 8: return "-" + number + " " + cur;
    case 9: return "-" + cur + " " + number;
    case 10: return number + " " + cur + "-";
    case 11: return cur + " " + number + "-";
    case 12: return cur + " -" + number;
    case 13: return number + "- " + cur;
    case 14: return "(" + cur + " " + number + ")";
    case 15: return "(" + number + " " + cur + ")";
    default: return "(" + cur + number + ")";
  }
}

// --- FormatFloat ---

// The three sections of a picture format, split at ";" outside quotes.
std::vector<std::string_view> SplitSections(std::string_view format) {
  std::vector<std::string_view> sections;
  std::size_t start = 0;
  char quote = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
      if (sections.size() == 2) break;
    }
  }
  sections.push_back(format.substr(start));
  if (sections.size() == 3) {
    // Only three sections count; a third ";" ends the zero section.
    std::string_view z = sections[2];
    char q = 0;
    for (std::size_t i = 0; i < z.size(); ++i) {
      if (q) {
        if (z[i] == q) q = 0;
      } else if (z[i] == '\'' || z[i] == '"') {
        q = z[i];
      } else if (z[i] == ';') {
        sections[2] = z.substr(0, i);
        break;
      }
    }
  }
  return sections;
}

struct TSectionInfo {
  int DigitCount = 0;     // "0" and "#" placeholders
  int DecimalIndex = -1;  // placeholders before the decimal point
  int FirstZero = -1;     // index of the first "0" placeholder
  int LastZero = 0;       // index after the last "0" placeholder
  bool Thousands = false;
  bool Scientific = false;
};

TSectionInfo ScanSection(std::string_view section) {
  TSectionInfo info;
  for (std::size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    switch (c) {
      case '#': ++info.DigitCount; break;
      case '0':
        if (info.FirstZero < 0) info.FirstZero = info.DigitCount;
        ++info.DigitCount;
        info.LastZero = info.DigitCount;
        break;
      case '.':
        if (info.DecimalIndex < 0) info.DecimalIndex = info.DigitCount;
        break;
      case ',': info.Thousands = ThousandSeparator != '\0'; break;
      case 'e':
      case 'E':
        if (i + 1 < section.size() && (section[i + 1] == '+' || section[i + 1] == '-')) {
          info.Scientific = true;
          ++i;
          while (i + 1 < section.size() && section[i + 1] == '0') ++i;
        }
        break;
      case '\'':
      case '"': {
        const auto end = section.find(c, i + 1);
        i = end == std::string_view::npos ? section.size() : end;
        break;
      }
      default: break;
    }
  }
  if (info.DecimalIndex < 0) info.DecimalIndex = info.DigitCount;
  return info;
}

TFloatRec RoundForSection(Extended value, const TSectionInfo& info) {
  if (info.Scientific) return FloatToDecimal(value, std::max(info.DigitCount, 1), 9999);
  return FloatToDecimal(value, kMaxDigits, info.DigitCount - info.DecimalIndex);
}

// Writes the value into the section's picture: digits go to the placeholders left to right
// (integer digits that have no placeholder of their own all go to the first one), literals stay
// where they stand.
AnsiString ApplySection(std::string_view section, const TSectionInfo& info, const TFloatRec& rec, bool minus) {
  const int decimalIndex = info.DecimalIndex;
  std::string whole, fraction;
  int exponent = 0;
  if (info.Scientific) {
    for (int i = 0; i < decimalIndex; ++i) whole += DigitAt(rec, i);
    for (int i = decimalIndex; i < static_cast<int>(rec.Digits.size()); ++i) fraction += DigitAt(rec, i);
    exponent = rec.Digits.empty() ? 0 : rec.Exponent - decimalIndex;
  } else {
    whole = IntegerDigits(rec);
    fraction = FractionDigits(rec);
    const int minWhole = info.FirstZero >= 0 && info.FirstZero < decimalIndex ? decimalIndex - info.FirstZero : 0;
    if (static_cast<int>(whole.size()) < minWhole) whole.insert(0, static_cast<std::size_t>(minWhole) - whole.size(), '0');
  }
  const int minFraction = std::max(0, info.LastZero - decimalIndex);
  if (static_cast<int>(fraction.size()) < minFraction) fraction.resize(static_cast<std::size_t>(minFraction), '0');

  AnsiString out = minus ? "-" : "";
  const int wholeCount = static_cast<int>(whole.size());
  int placeholder = 0;
  auto putWholeDigit = [&](int index) {  // index into `whole`
    out += whole[static_cast<std::size_t>(index)];
    const int placesLeft = wholeCount - 1 - index;
    if (info.Thousands && placesLeft > 0 && placesLeft % 3 == 0) out += ThousandSeparator;
  };
  for (std::size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    if (c == '0' || c == '#') {
      if (placeholder == 0)
        for (int k = 0; k < wholeCount - decimalIndex; ++k) putWholeDigit(k);
      if (placeholder < decimalIndex) {
        const int index = wholeCount - (decimalIndex - placeholder);
        if (index >= 0) putWholeDigit(index);
      } else {
        const int k = placeholder - decimalIndex;
        if (k < static_cast<int>(fraction.size())) {
          if (k == 0) out += DecimalSeparator;
          out += fraction[static_cast<std::size_t>(k)];
        }
      }
      ++placeholder;
    } else if (c == '.' || c == ',') {
      // placed by the digits
    } else if (c == '\'' || c == '"') {
      const auto end = section.find(c, i + 1);
      const std::size_t stop = end == std::string_view::npos ? section.size() : end;
      out.append(section.substr(i + 1, stop - i - 1));
      i = stop;
    } else if ((c == 'e' || c == 'E') && info.Scientific && i + 1 < section.size() &&
               (section[i + 1] == '+' || section[i + 1] == '-')) {
      const bool plus = section[i + 1] == '+';
      i += 1;
      int zeros = 0;
      while (i + 1 < section.size() && section[i + 1] == '0') {
        ++i;
        ++zeros;
      }
      out += c;
      out += ExponentText(exponent, zeros, plus);
    } else {
      out += c;
    }
  }
  return out;
}

// --- Format ---

[[noreturn]] void InvalidFormat(std::string_view format) {
  throw EConvertError("Format '" + AnsiString(format) + "' invalid or incompatible with argument");
}

AnsiString PadDigits(AnsiString digits, int minDigits) {
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
  return digits;
}

}  // namespace

AnsiString FloatToStr(Extended value) { return FormatGeneral(value, 15, 0); }

AnsiString FloatToStrF(Extended value, TFloatFormat format, Integer precision, Integer digits) {
  precision = std::clamp(precision, 1, kMaxDigits);
  switch (format) {
    case ffExponent: return FormatExponent(value, precision, digits);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      digits = std::clamp(digits, 0, kMaxDigits);
      const TFloatRec rec = FloatToDecimal(value, kMaxDigits, digits);
      if (rec.Kind != TFloatRec::Finite) return SpecialText(rec);
      AnsiString number;
      if (!FixedDigits(rec, precision, digits, format != ffFixed, number)) return FormatGeneral(value, precision, 0);
      if (format == ffCurrency) return ApplyCurrencyPattern(number, rec.Negative);
      return rec.Negative ? "-" + number : number;
    }
    case ffGeneral:
    default: return FormatGeneral(value, precision, digits);
  }
}

AnsiString FormatFloat(std::string_view format, Extended value) {
  if (format.empty()) return FloatToStr(value);
  const auto sections = SplitSections(format);
  const bool negative = std::signbit(value) && value != 0;
  std::string_view section = sections[0];
  bool minus = negative;
  if (negative && sections.size() > 1 && !sections[1].empty()) {
    section = sections[1];
    minus = false;
  }
  TSectionInfo info = ScanSection(section);
  TFloatRec rec = RoundForSection(value, info);
  if (rec.Kind != TFloatRec::Finite) return SpecialText(rec);
  if (!info.Scientific && rec.Exponent > kMaxDigits) return FloatToStr(value);
  if (rec.Digits.empty()) {
    // Zero after rounding: the zero section when there is one, else no sign.
    minus = false;
    if (sections.size() > 2 && !sections[2].empty()) {
      section = sections[2];
      info = ScanSection(section);
      rec = RoundForSection(0, info);
    } else if (section != sections[0]) {
      section = sections[0];
      info = ScanSection(section);
      rec = RoundForSection(0, info);
    }
  }
  return ApplySection(section, info, rec, minus);
}

AnsiString Format(std::string_view format, std::initializer_list<TVarRec> args) {
  AnsiString out;
  out.reserve(format.size() + 16 * args.size());
  const TVarRec* const argv = args.begin();
  const std::size_t argc = args.size();
  std::size_t next = 0;
  const std::size_t n = format.size();

  auto takeArg = [&]() -> const TVarRec& {
    if (next >= argc) throw EConvertError("No argument for format '" + AnsiString(format) + "'");
    return argv[next++];
  };
  // A number or "*" (an integer argument); -1 when neither is there.
  auto scanNumber = [&](std::size_t& i) -> Int64 {
    if (i < n && format[i] == '*') {
      ++i;
      const TVarRec& a = takeArg();
      if (a.Kind() != TVarRec::vkInteger && a.Kind() != TVarRec::vkInt64) InvalidFormat(format);
      return a.AsInt64();
    }
    if (i >= n || format[i] < '0' || format[i] > '9') return -1;
    Int64 v = 0;
    while (i < n && format[i] >= '0' && format[i] <= '9') {
      v = v * 10 + (format[i++] - '0');
      if (v > 0x7FFFFFFF) InvalidFormat(format);
    }
    return v;
  };

  for (std::size_t i = 0; i < n; ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (++i >= n) InvalidFormat(format);
    if (format[i] == '%') {
      out += '%';
      continue;
    }
    bool left = false;
    Int64 width = scanNumber(i);
    if (i < n && format[i] == ':') {
      if (width < 0) InvalidFormat(format);
      next = static_cast<std::size_t>(width);
      ++i;
      width = -1;
    }
    if (width < 0) {
      if (i < n && format[i] == '-') {
        left = true;
        ++i;
      }
      width = scanNumber(i);
    }
    Int64 precision = -1;
    if (i < n && format[i] == '.') {
      ++i;
      precision = scanNumber(i);
      if (precision < 0) precision = 0;
    }
    if (i >= n) InvalidFormat(format);
    const char type = UpCase(format[i]);
    const TVarRec& a = takeArg();
    const bool isInt = a.Kind() == TVarRec::vkInteger || a.Kind() == TVarRec::vkInt64;
    AnsiString text;
    switch (type) {
      case 'D': {
        if (!isInt) InvalidFormat(format);
        const Int64 v = a.AsInt64();
        const UInt64 magnitude = v < 0 ? 0ull - static_cast<UInt64>(v) : static_cast<UInt64>(v);
        text = PadDigits(UIntToStr(magnitude), static_cast<int>(precision));
        if (v < 0) text.insert(text.begin(), '-');
        break;
      }
      case 'U': {
        if (!isInt) InvalidFormat(format);
        const UInt64 v = a.Kind() == TVarRec::vkInteger ? static_cast<std::uint32_t>(a.AsInt64())
                                                        : static_cast<UInt64>(a.AsInt64());
        text = PadDigits(UIntToStr(v), static_cast<int>(precision));
        break;
      }
      case 'X': {
        if (!isInt) InvalidFormat(format);
        text = IntToHexBits(static_cast<UInt64>(a.AsInt64()), static_cast<int>(precision),
                            a.Kind() == TVarRec::vkInteger ? 8 : 16);
        break;
      }
      case 'E':
      case 'F':
      case 'G':
      case 'N':
      case 'M': {
        if (a.Kind() != TVarRec::vkExtended) InvalidFormat(format);
        const Extended v = a.AsExtended();
        const int p = static_cast<int>(std::min<Int64>(precision, kMaxDigits));
        switch (type) {
          case 'E': text = FloatToStrF(v, ffExponent, precision < 0 ? 15 : p, 3); break;
          case 'F': text = FloatToStrF(v, ffFixed, kMaxDigits, precision < 0 ? 2 : p); break;
          case 'G': text = FloatToStrF(v, ffGeneral, precision < 0 ? 15 : p, 3); break;
          case 'N': text = FloatToStrF(v, ffNumber, kMaxDigits, precision < 0 ? 2 : p); break;
          default: text = FloatToStrF(v, ffCurrency, kMaxDigits, precision < 0 ? CurrencyDecimals : p); break;
        }
        break;
      }
      case 'S': {
        switch (a.Kind()) {
          case TVarRec::vkString: text = AnsiString(a.AsString()); break;
          case TVarRec::vkWideString: text = WideToAnsi(a.AsWideString()); break;
          case TVarRec::vkChar: text = AnsiString(1, static_cast<char>(a.AsInt64())); break;
          case TVarRec::vkWideChar: {
            const wchar_t w = static_cast<wchar_t>(a.AsInt64());
            text = WideToAnsi(std::wstring_view(&w, 1));
            break;
          }
          default: InvalidFormat(format);
        }
        if (precision >= 0 && static_cast<Int64>(text.size()) > precision) text.resize(static_cast<std::size_t>(precision));
        break;
      }
      case 'P': {
        if (a.Kind() != TVarRec::vkPointer) InvalidFormat(format);
        text = IntToHexBits(reinterpret_cast<std::uintptr_t>(a.AsPointer()), 2 * sizeof(void*), 2 * sizeof(void*));
        break;
      }
      default: InvalidFormat(format);
    }
    if (width > static_cast<Int64>(text.size())) {
      const std::size_t pad = static_cast<std::size_t>(width) - text.size();
      if (left)
        text.append(pad, ' ');
      else
        text.insert(0, pad, ' ');
    }
    out += text;
  }
  return out;
}
