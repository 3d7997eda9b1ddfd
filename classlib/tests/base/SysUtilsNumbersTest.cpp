#include <cmath>
#include <functional>
#include <limits>

#include <gtest/gtest.h>

#include "classlib/SysUtils.h"
#include "classlib/tests/base/FixedLocale.h"

namespace {

class Numbers : public ::testing::Test {
protected:
  FixedLocale locale_;
};

TEST_F(Numbers, IntToStrAndHex) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(std::numeric_limits<Integer>::min()), "-2147483648");
  EXPECT_EQ(IntToStr(std::numeric_limits<Int64>::min()), "-9223372036854775808");
  EXPECT_EQ(IntToStr(Word{65535}), "65535");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(Int64{-1}, 2), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(0, 0), "0");
}

TEST_F(Numbers, StrToIntFollowsTheIntegerGrammar) {
  const struct {
    const char* s;
    bool ok;
    Integer value;
  } cases[] = {
      {"0", true, 0},
      {"123", true, 123},
      {"  -7", true, -7},
      {"+7", true, 7},
      {"$FF", true, 255},
      {"0x1f", true, 31},
      {"x10", true, 16},
      {"-$10", true, -16},
      {"$FFFFFFFF", true, -1},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, std::numeric_limits<Integer>::min()},
      {"2147483648", false, 0},
      {"$100000000", false, 0},
      {"12 ", false, 0},  // trailing blanks are not allowed
      {"1 2", false, 0},
      {"", false, 0},
      {" ", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"1.0", false, 0},
      {"\t1", false, 0},
      {"1e3", false, 0},
  };
  for (const auto& c : cases) {
    Integer v = 99;
    EXPECT_EQ(TryStrToInt(c.s, v), c.ok) << "'" << c.s << "'";
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.s;
    }
    EXPECT_EQ(StrToIntDef(c.s, -99), c.ok ? c.value : -99) << c.s;
  }
  EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<Int64>::max());
  EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<Int64>::min());
  EXPECT_EQ(StrToInt64Def("9223372036854775808", 5), 5);
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
}

TEST_F(Numbers, ConversionErrorsQuoteTheText) {
  const struct {
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {[] { StrToInt("12a"); }, "'12a' is not a valid integer value"},
      {[] { StrToInt(""); }, "'' is not a valid integer value"},
      {[] { StrToInt64("x"); }, "'x' is not a valid integer value"},
      {[] { StrToFloat("1.2.3"); }, "'1.2.3' is not a valid floating point value"},
      {[] { StrToBool("maybe"); }, "'maybe' is not a valid boolean value"},
      {[] { StrToBool(""); }, "'' is not a valid boolean value"},
  };
  for (const auto& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no exception for " << c.message;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, c.message);
    }
  }
}

TEST_F(Numbers, StrToFloatFollowsTheFloatGrammar) {
  const struct {
    const char* s;
    bool ok;
    double value;
  } cases[] = {
      {"1.5", true, 1.5},  {" -2.25 ", true, -2.25}, {"+3", true, 3},       {".5", true, 0.5},
      {"5.", true, 5},     {"1e3", true, 1000},      {"1.5E-2", true, 0.015}, {"2e+2", true, 200},
      {"0.1", true, 0.1},  {"", false, 0},           {".", false, 0},       {"1e", false, 0},
      {"1e+", false, 0},   {"e5", false, 0},         {"inf", false, 0},     {"INF", false, 0},
      {"nan", false, 0},   {"0x1p3", false, 0},      {"1,5", false, 0},     {"1.5x", false, 0},
      {"- 1", false, 0},   {"1e99999", false, 0},    {"\t1", false, 0},     {"1..5", false, 0},
  };
  for (const auto& c : cases) {
    double v = 0;
    EXPECT_EQ(TryStrToFloat(c.s, v), c.ok) << "'" << c.s << "'";
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.s;
    }
  }
  // The locale's decimal separator, and only it.
  DecimalSeparator = ',';
  EXPECT_EQ(StrToFloat("1,5"), 1.5L);
  EXPECT_EQ(StrToFloatDef("1.5", -1), -1);
  // Correctly rounded: the nearest double of a long decimal text.
  double v = 0;
  ASSERT_TRUE(TryStrToFloat("0,30000000000000004", v));
  EXPECT_EQ(v, 0.30000000000000004);
}

TEST_F(Numbers, BooleansAsMinusOneAndZero) {
  EXPECT_EQ(BoolToStr(true), "-1");
  EXPECT_EQ(BoolToStr(false), "0");
  EXPECT_EQ(BoolToStr(true, true), "True");
  const struct {
    const char* s;
    bool ok, value;
  } cases[] = {{"-1", true, true}, {"0", true, false}, {"1", true, true},      {"2.5", true, true},
               {"true", true, true}, {"FALSE", true, false}, {"yes", false, false}, {"", false, false}};
  for (const auto& c : cases) {
    bool v = !c.value;
    EXPECT_EQ(TryStrToBool(c.s, v), c.ok) << c.s;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.s;
    }
  }
}

TEST_F(Numbers, RoundHalvesToEvenAndTruncCutsTowardsZero) {
  const struct {
    Extended value;
    Int64 round, trunc;
  } cases[] = {
      {0.5L, 0, 0},   {1.5L, 2, 1},    {2.5L, 2, 2},     {3.5L, 4, 3},   {-0.5L, 0, 0},    {-1.5L, -2, -1},
      {-2.5L, -2, -2}, {2.4999L, 2, 2}, {2.5001L, 3, 2},  {-2.6L, -3, -2}, {0, 0, 0},        {1e15L, 1000000000000000, 1000000000000000},
      {4503599627370497.5L, 4503599627370498, 4503599627370497},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Round(c.value), c.round) << static_cast<double>(c.value);
    EXPECT_EQ(Trunc(c.value), c.trunc) << static_cast<double>(c.value);
  }
  EXPECT_THROW(Round(1e19L), EInvalidOp);
  EXPECT_THROW(Trunc(std::numeric_limits<double>::quiet_NaN()), EInvalidOp);
  EXPECT_EQ(Frac(2.75L), 0.75L);
  EXPECT_EQ(Int(-2.75L), -2.0L);
  EXPECT_EQ(MulDiv(10, 3, 4), 8);  // 7.5 rounds away from zero
  EXPECT_EQ(MulDiv(10, 3, 0), -1);
}

TEST_F(Numbers, FloatToStrGivesFifteenSignificantDigits) {
  const struct {
    Extended value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {1, "1"},
      {-1.5L, "-1.5"},
      {0.1, "0.1"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789012345.0L, "123456789012345"},
      {1234567890123456.0L, "1.23456789012346E15"},
      {1e15L, "1E15"},
      {1e20L, "1E20"},
      {0.0001L, "0.0001"},
      {0.00001L, "1E-5"},
      {-1.5e-10L, "-1.5E-10"},
      {100, "100"},
      {0.30000000000000004, "0.3"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value), c.text);
  DecimalSeparator = ',';
  EXPECT_EQ(FloatToStr(2.5), "2,5");
}

TEST_F(Numbers, FloatToStrFFormats) {
  const struct {
    Extended value;
    TFloatFormat format;
    int precision, digits;
    const char* text;
  } cases[] = {
      {1234.5678L, ffFixed, 15, 2, "1234.57"},
      {1234.5678L, ffNumber, 15, 2, "1,234.57"},
      {1234567.0L, ffNumber, 15, 0, "1,234,567"},
      {-1234.5L, ffNumber, 15, 1, "-1,234.5"},
      {2.5L, ffFixed, 15, 0, "3"},  // decimal digits round half up
      {0.125L, ffFixed, 15, 2, "0.13"},
      {-0.001L, ffFixed, 15, 2, "0.00"},
      {0, ffFixed, 15, 3, "0.000"},
      {1.5L, ffExponent, 4, 2, "1.500E+00"},
      {-1234.5L, ffExponent, 3, 3, "-1.23E+003"},
      {0.00012L, ffExponent, 2, 0, "1.2E-4"},
      {0, ffExponent, 3, 1, "0.00E+0"},
      {1e20L, ffGeneral, 15, 3, "1E020"},
      {123.456L, ffGeneral, 4, 0, "123.5"},
      {1234.5L, ffCurrency, 15, 2, "$1,234.50"},
      {-1234.5L, ffCurrency, 15, 2, "($1,234.50)"},
      {1e20L, ffFixed, 15, 2, "1E20"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.text) << c.text;
  NegCurrFormat = 8;
  CurrencyString = "EUR";
  EXPECT_EQ(FloatToStrF(-5, ffCurrency, 15, 2), "-5.00 EUR");
  CurrencyFormat = 3;
  EXPECT_EQ(FloatToStrF(5, ffCurrency, 15, 0), "5 EUR");
}

TEST_F(Numbers, FormatFloatPictures) {
  const struct {
    const char* format;
    Extended value;
    const char* text;
  } cases[] = {
      {"0", 1234, "1234"},
      {"0", 0.5L, "1"},
      {"0.00", -1234, "-1234.00"},
      {"0.00", 0.5L, "0.50"},
      {"#.##", 1234, "1234"},
      {"#.##", 0.5L, ".5"},
      {"#.##", 0, ""},
      {"#,##0.00", 1234, "1,234.00"},
      {"#,##0.00", -1234, "-1,234.00"},
      {"#,##0.00", 1234567.891L, "1,234,567.89"},
      {"#,##0.00;(#,##0.00)", -1234, "(1,234.00)"},
      {"#,##0.00;;Zero", 0, "Zero"},
      {"#,##0.00;;Zero", 0.001L, "Zero"},
      {"0.000E+00", 1234, "1.234E+03"},
      {"0.000E+00", 0.5L, "5.000E-01"},
      {"0.000E+00", -1234, "-1.234E+03"},
      {"#.###E-0", 1234, "1.234E3"},
      {"#.###E-0", 0.5L, "5E-1"},
      {"#.###E-0", 0, "0E0"},
      {"000", 7, "007"},
      {"#0#", 5, "05"},
      {"0-0", 12345, "1234-5"},
      {"'Total: '0.0' kg'", 2.25L, "Total: 2.3 kg"},
      {"0.0#", 2.5L, "2.5"},
      {"0.0#", 2.567L, "2.57"},
      {"00.##%", 3.14159L, "03.14%"},
      {"", 0.1, "0.1"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format;
  ThousandSeparator = '.';
  DecimalSeparator = ',';
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5L), "1.234,50");
}

TEST_F(Numbers, FormatArguments) {
  const struct {
    AnsiString text, expected;
  } cases[] = {
      {Format("%d lines", {42}), "42 lines"},
      {Format("%5d|%-5d|", {42, 42}), "   42|42   |"},
      {Format("%.4d", {-7}), "-0007"},
      {Format("%d", {Int64{-9000000000}}), "-9000000000"},
      {Format("%u", {-1}), "4294967295"},
      {Format("%x %.4X", {255, 255}), "FF 00FF"},
      {Format("%x", {-1}), "FFFFFFFF"},
      {Format("%s and %s", {"a", AnsiString("b")}), "a and b"},
      {Format("%.2s|%4s|%-4s|", {"abcdef", "ab", "ab"}), "ab|  ab|ab  |"},
      {Format("%s", {'c'}), "c"},
      {Format("%s", {WideString(L"\u00E9")}), "\xE9"},
      {Format("%f", {2.5}), "2.50"},
      {Format("%.1f", {0.25}), "0.3"},
      {Format("%8.3f|", {3.14159}), "   3.142|"},
      {Format("%.0f", {0.5}), "1"},
      {Format("%e", {1234.5}), "1.23450000000000E+003"},
      {Format("%.3e", {1234.5}), "1.23E+003"},
      {Format("%g", {0.5}), "0.5"},
      {Format("%g", {1e20}), "1E020"},
      {Format("%n", {1234567.891}), "1,234,567.89"},
      {Format("%m", {-3.5}), "($3.50)"},
      {Format("%1:s %0:s %s", {"a", "b"}), "b a b"},
      {Format("%*d|%-*d|%.*f", {4, 1, 3, 2, 1, 2.25}), "   1|2  |2.3"},
      {Format("100%%", {}), "100%"},
      {Format("%s has %d lines", AnsiString("GEN"), 50), "GEN has 50 lines"},
      {Format("no arguments"), "no arguments"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
}

TEST_F(Numbers, FormatRejectsBadSpecificationsAndArguments) {
  const struct {
    std::function<AnsiString()> call;
    const char* message;
  } cases[] = {
      {[] { return Format("%d", {1.5}); }, "Format '%d' invalid or incompatible with argument"},
      {[] { return Format("%f", {1}); }, "Format '%f' invalid or incompatible with argument"},
      {[] { return Format("%s", {1}); }, "Format '%s' invalid or incompatible with argument"},
      {[] { return Format("%q", {1}); }, "Format '%q' invalid or incompatible with argument"},
      {[] { return Format("abc %", {1}); }, "Format 'abc %' invalid or incompatible with argument"},
      {[] { return Format("%d %d", {1}); }, "No argument for format '%d %d'"},
      {[] { return Format("%2:d", {1}); }, "No argument for format '%2:d'"},
  };
  for (const auto& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no exception for " << c.message;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, c.message);
    }
  }
}

}  // namespace
