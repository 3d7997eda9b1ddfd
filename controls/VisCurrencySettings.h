// Currency amounts as text: an amount held as a 64-bit count of ten-thousandths is written with a
// symbol, a pattern for positive and one for negative amounts, a thousands character every
// Grouping digits and a decimal character, and read back from such text. The layout comes from
// the user's locale (cmSystem) or from the object's own settings (cmUser).
//
// Patterns hold "¤" (code 164) where the symbol goes and "1,1" where the number goes; every
// other character stands for itself.
#pragma once

#include "controls/VisObject.h"

enum TVisCurrencyMode { cmSystem, cmUser };
ENUM_NAMES(TVisCurrencyMode, "cmSystem", "cmUser");

class TVisCurrencySettings : public TVisObject {
  CLASS_INFO(TVisCurrencySettings, TVisObject)
public:
  // The locale's negative formats 0 to 15 and positive formats 0 to 3 as patterns.
  static const char* const NegativePatterns[16];
  static const char* const PositivePatterns[4];

  // Takes the locale's layout.
  TVisCurrencySettings();
  // From other settings: the mode and, for cmUser, the symbol, digits, both characters and both
  // patterns.
  void Assign(TPersistent* Source) override;

  // Reads the symbol, patterns, grouping, digits and separators from the user's locale.
  void LoadFromSystem();

  // Appends the amount's text to Text.
  void Format(Int64 Amount, AnsiString& Text) const;
  AnsiString Format(Int64 Amount) const;
  // The amount in a text: digits and the decimal character count, every other character is
  // dropped; the amount is negative when the text shows the sign of the negative pattern (a "("
  // where the pattern has parentheses, or a "-"). Text without digits gives 0.
  // An amount beyond the 64-bit count is held at its limit.
  Int64 Parse(const AnsiString& Text) const;
  // Value as a count of ten-thousandths, rounded to the nearest; held at the limits of the 64-bit
  // count when it lies beyond them (not a number gives 0).
  static Int64 AmountOf(Extended Value);

  TVisCurrencyMode GetSystemDefaults() const { return FSystemDefaults; }
  // Switching to cmSystem reads the locale again.
  void SetSystemDefaults(TVisCurrencyMode Value);
  // The shared setter of the strings: 0 PositiveFormatStr, 1 NegativeFormatStr, 2 Symbol.
  void SetString(Integer Index, const AnsiString& Value);
  const AnsiString& GetPositiveFormatStr() const { return FStrings[0]; }
  void SetPositiveFormatStr(const AnsiString& Value) { SetString(0, Value); }
  const AnsiString& GetNegativeFormatStr() const { return FStrings[1]; }
  void SetNegativeFormatStr(const AnsiString& Value) { SetString(1, Value); }
  const AnsiString& GetSymbol() const { return FStrings[2]; }
  void SetSymbol(const AnsiString& Value) { SetString(2, Value); }
  Byte GetGrouping() const { return FGrouping; }
  void SetGrouping(Byte Value) { FGrouping = Value; }
  Byte GetDigits() const { return FDigits; }
  void SetDigits(Byte Value) { FDigits = Value; }
  AnsiChar GetThousandsChar() const { return FThousandsChar; }
  void SetThousandsChar(AnsiChar Value) { FThousandsChar = Value; }
  AnsiChar GetDecimalChar() const { return FDecimalChar; }
  void SetDecimalChar(AnsiChar Value) { FDecimalChar = Value; }

private:
  // The number of Amount without its sign, with Digits decimals (cut, not rounded) and grouped.
  AnsiString NumberText(Int64 Amount) const;

  TVisCurrencyMode FSystemDefaults = cmSystem;
  AnsiString FStrings[3];
  Byte FGrouping = 3;
  Byte FDigits = 2;
  AnsiChar FThousandsChar = ',';
  AnsiChar FDecimalChar = '.';
};
