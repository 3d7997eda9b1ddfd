// Currency amounts written and read back by the currency settings.
#include <string>

#include <gtest/gtest.h>

#include "controls/VisCurrencySettings.h"

namespace {

// Settings of their own: "$", two decimals, groups of three, "." and ",".
class CurrencyTest : public ::testing::Test {
protected:
  void SetUp() override {
    settings.SetSystemDefaults(cmUser);
    settings.SetSymbol("$");
    settings.SetDigits(2);
    settings.SetGrouping(3);
    settings.SetDecimalChar('.');
    settings.SetThousandsChar(',');
    settings.SetPositiveFormatStr(TVisCurrencySettings::PositivePatterns[0]);
    settings.SetNegativeFormatStr(TVisCurrencySettings::NegativePatterns[0]);
  }
  TVisCurrencySettings settings;
};

TEST_F(CurrencyTest, TheUsersLocaleGivesTheLayoutAtFirst) {
  // The test prefix is English (United States).
  TVisCurrencySettings system;
  EXPECT_EQ(system.GetSystemDefaults(), cmSystem);
  EXPECT_EQ(system.GetSymbol(), "$");
  EXPECT_EQ(system.GetDigits(), 2);
  EXPECT_EQ(system.GetGrouping(), 3);
  EXPECT_EQ(system.GetDecimalChar(), '.');
  EXPECT_EQ(system.GetThousandsChar(), ',');
  EXPECT_EQ(system.Format(-12345000), "($1,234.50)");
}

TEST_F(CurrencyTest, EveryNegativePatternWritesTheAmountAndReadsItBackNegative) {
  const char* expected[16] = {"($1,234,567.89)", "-$1,234,567.89", "$-1,234,567.89", "$1,234,567.89-",
                              "(1,234,567.89$)", "-1,234,567.89$", "1,234,567.89-$", "1,234,567.89$-",
                              "-1,234,567.89 $", "-$ 1,234,567.89", "1,234,567.89 $-", "$ 1,234,567.89-",
                              "$ -1,234,567.89", "1,234,567.89- $", "($ 1,234,567.89)", "(1,234,567.89 $)"};
  for (int i = 0; i < 16; ++i) {
    SCOPED_TRACE(i);
    settings.SetNegativeFormatStr(TVisCurrencySettings::NegativePatterns[i]);
    const AnsiString text = settings.Format(-12345678912);
    EXPECT_EQ(text, expected[i]);
    EXPECT_EQ(settings.Parse(text), -12345678900) << "cut to two decimals, and negative";
  }
}

TEST_F(CurrencyTest, PositivePatternsAndTheNumberText) {
  struct Case {
    int pattern;
    Byte digits;
    Int64 amount;
    const char* text;
  };
  const Case cases[] = {
      {0, 2, 123456, "$12.34"},        // 12.3456 cut, not rounded
      {1, 2, 123456, "12.34$"},
      {2, 2, 5, "$ 0.00"},             // 0.0005 cut away entirely
      {3, 2, 10000, "1.00 $"},         // decimals filled
      {0, 2, 12345670000, "$1,234,567.00"},
      {0, 0, 129999, "$12"},           // no decimals: no decimal character either
      {0, 4, 15, "$0.0015"},
      {0, 2, 9990000, "$999.00"},       // three digits take no separator
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    settings.SetPositiveFormatStr(TVisCurrencySettings::PositivePatterns[c.pattern]);
    settings.SetDigits(c.digits);
    EXPECT_EQ(settings.Format(c.amount), c.text);
  }
}

TEST_F(CurrencyTest, ParsingKeepsDigitsAndTheDecimalCharacterOnly) {
  settings.SetDecimalChar(',');
  settings.SetThousandsChar('.');
  struct Case {
    const char* text;
    Int64 amount;
  };
  const Case cases[] = {
      {"1.234,5 EUR", 12345000}, {"0,0001", 1}, {"no digits", 0}, {"", 0}, {"-", 0},
      {"1,2,3", 0},  // two decimal characters do not convert
      {"-3", -30000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(settings.Parse(c.text), c.amount);
  }
}

TEST_F(CurrencyTest, AssigningCopiesTheUsersLayout) {
  TVisCurrencySettings copy;
  copy.Assign(&settings);
  EXPECT_EQ(copy.GetSystemDefaults(), cmUser);
  settings.SetSymbol("EUR");
  settings.SetDecimalChar(',');
  copy.Assign(&settings);
  EXPECT_EQ(copy.GetSymbol(), "EUR");
  EXPECT_EQ(copy.GetDecimalChar(), ',');
  // Back to the system's layout, the locale's symbol returns.
  copy.SetSystemDefaults(cmSystem);
  EXPECT_EQ(copy.GetSymbol(), "$");
}

}  // namespace
