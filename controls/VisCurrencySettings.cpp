// Currency amounts as text.
#include "controls/VisCurrencySettings.h"

#include <cmath>
#include <limits>

#include "classlib/SysUtils.h"

PUBLISHED(TVisCurrencySettings) {
  Prop("SystemDefaults", &TVisCurrencySettings::GetSystemDefaults, &TVisCurrencySettings::SetSystemDefaults)
      .Default(cmSystem);
  Prop("PositiveFormatStr", &TVisCurrencySettings::GetPositiveFormatStr, &TVisCurrencySettings::SetPositiveFormatStr);
  Prop("NegativeFormatStr", &TVisCurrencySettings::GetNegativeFormatStr, &TVisCurrencySettings::SetNegativeFormatStr);
  Prop("Symbol", &TVisCurrencySettings::GetSymbol, &TVisCurrencySettings::SetSymbol);
}

// "\xA4" is the currency sign of the code page, the symbol's place in a pattern.
const char* const TVisCurrencySettings::NegativePatterns[16] = {
    "(\xA4" "1,1)", "-\xA4" "1,1",  "\xA4-1,1",  "\xA4" "1,1-",   "(1,1\xA4)", "-1,1\xA4",  "1,1-\xA4",     "1,1\xA4-",
    "-1,1 \xA4",    "-\xA4 1,1",    "1,1 \xA4-", "\xA4 1,1-",     "\xA4 -1,1", "1,1- \xA4", "(\xA4 1,1)",   "(1,1 \xA4)"};
const char* const TVisCurrencySettings::PositivePatterns[4] = {"\xA4" "1,1", "1,1\xA4", "\xA4 1,1", "1,1 \xA4"};

namespace {

constexpr char kSymbolMark = '\xA4';

AnsiString LocaleValue(LCTYPE Type) {
  char buffer[128];
  const int n = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, Type, buffer, sizeof buffer);
  return n > 0 ? AnsiString(buffer, static_cast<std::size_t>(n - 1)) : AnsiString();
}

Integer LocaleNumber(LCTYPE Type, Integer Fallback) { return StrToIntDef(LocaleValue(Type), Fallback); }

AnsiChar LocaleChar(LCTYPE Type, AnsiChar Fallback) {
  const AnsiString value = LocaleValue(Type);
  return value.empty() ? Fallback : value[0];
}

}  // namespace

TVisCurrencySettings::TVisCurrencySettings() { LoadFromSystem(); }

void TVisCurrencySettings::LoadFromSystem() {
  FStrings[2] = LocaleValue(LOCALE_SCURRENCY);
  const Integer negative = LocaleNumber(LOCALE_INEGCURR, 0);
  FStrings[1] = NegativePatterns[negative >= 0 && negative < 16 ? negative : 0];
  const Integer positive = LocaleNumber(LOCALE_ICURRENCY, 0);
  FStrings[0] = PositivePatterns[positive >= 0 && positive < 4 ? positive : 0];
  const AnsiString grouping = LocaleValue(LOCALE_SMONGROUPING);
  const auto semicolon = grouping.find(';');
  FGrouping = static_cast<Byte>(StrToIntDef(grouping.substr(0, semicolon), FGrouping));
  FDigits = static_cast<Byte>(LocaleNumber(LOCALE_ICURRDIGITS, FDigits));
  FDecimalChar = LocaleChar(LOCALE_SMONDECIMALSEP, '.');
  FThousandsChar = LocaleChar(LOCALE_SMONTHOUSANDSEP, ',');
}

void TVisCurrencySettings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisCurrencySettings*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetSystemDefaults(source->FSystemDefaults);
  if (FSystemDefaults != cmUser) return;
  FStrings[2] = source->FStrings[2];
  FDigits = source->FDigits;
  FDecimalChar = source->FDecimalChar;
  FThousandsChar = source->FThousandsChar;
  FStrings[0] = source->FStrings[0];
  FStrings[1] = source->FStrings[1];
  Change();
}

void TVisCurrencySettings::SetSystemDefaults(TVisCurrencyMode Value) {
  if (Value == FSystemDefaults) return;
  FSystemDefaults = Value;
  if (Value == cmSystem) LoadFromSystem();
  Change();
}

void TVisCurrencySettings::SetString(Integer Index, const AnsiString& Value) {
  if (FStrings[Index] == Value) return;
  FStrings[Index] = Value;
  Change();
}

AnsiString TVisCurrencySettings::NumberText(Int64 Amount) const {
  AnsiString s = FloatToStr(static_cast<Extended>(Amount) / 10000);
  if (!s.empty() && s[0] == '-') s.erase(0, 1);
  const auto separator = s.find(DecimalSeparator);
  if (separator != AnsiString::npos) {
    // Cut, not rounded, to Digits decimals; with none the separator goes too.
    s.resize(std::min(s.size(), separator + 1 + FDigits));
    if (FDigits == 0)
      s.resize(separator);
    else
      s[separator] = FDecimalChar;
  }
  const auto decimal = s.find(FDecimalChar);
  const std::size_t integerLength = decimal == AnsiString::npos ? s.size() : decimal;
  const std::size_t decimals = s.size() - integerLength - (decimal == AnsiString::npos ? 0 : 1);
  if (FDigits > 0 && decimals < FDigits) {
    if (decimal == AnsiString::npos) s += FDecimalChar;
    s.append(FDigits - decimals, '0');
  }
  if (FGrouping > 0)
    for (std::size_t at = integerLength; at > FGrouping;) {
      at -= FGrouping;
      s.insert(at, 1, FThousandsChar);
    }
  return s;
}

void TVisCurrencySettings::Format(Int64 Amount, AnsiString& Text) const {
  const AnsiString& pattern = Amount >= 0 ? FStrings[0] : FStrings[1];
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '1') {
      Text += NumberText(Amount);
      i += 2;
    } else if (pattern[i] == kSymbolMark) {
      Text += FStrings[2];
    } else {
      Text += pattern[i];
    }
  }
}

AnsiString TVisCurrencySettings::Format(Int64 Amount) const {
  AnsiString text;
  Format(Amount, text);
  return text;
}

Int64 TVisCurrencySettings::Parse(const AnsiString& Text) const {
  const bool parentheses = FStrings[1].find('(') != AnsiString::npos;
  const bool negative =
      Text.find('-') != AnsiString::npos || (parentheses && Text.find('(') != AnsiString::npos);
  AnsiString number;
  bool digits = false;
  for (char c : Text) {
    if (c >= '0' && c <= '9') {
      number += c;
      digits = true;
    } else if (c == FDecimalChar) {
      number += DecimalSeparator;
    }
  }
  Extended value = 0;
  if (!digits || !TryStrToFloat(number, value)) return 0;
  return AmountOf(negative ? -value : value);
}

Int64 TVisCurrencySettings::AmountOf(Extended Value) {
  const Extended scaled = Value * 10000;
  if (std::isnan(scaled)) return 0;
  // 2^63 itself is beyond the count: the comparison is with it, exactly representable.
  constexpr Extended limit = 9223372036854775808.0L;
  if (scaled >= limit) return std::numeric_limits<Int64>::max();
  if (scaled <= -limit) return std::numeric_limits<Int64>::min();
  return Round(scaled);
}
