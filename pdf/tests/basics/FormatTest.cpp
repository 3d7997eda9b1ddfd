#include <gtest/gtest.h>

#include "pdf/pdfMisc.h"

namespace {

TEST(PdfNumberFormat, RoundsToFourDecimalsWithoutExponent) {
  const struct {
    Extended value;
    const char* text;
  } cases[] = {
      {2.5, "2.5"},         {3, "3"},
      {0.00004, "0"},       {1E-5, "0"},
      {-1.23456, "-1.2346"}, {12.34567, "12.3457"},
      {-0.00004, "0"},      {100000, "100000"},
      {0.1, "0.1"},         {842, "842"},
      {-595.5, "-595.5"},   {0.1228, "0.1228"},
      {1234567890123.0, "1234567890123"}, {1.0 / 3.0, "0.3333"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFloat(c.value), c.text) << static_cast<double>(c.value);
}

TEST(PdfNumberFormat, IntegersAndZeroPadding) {
  EXPECT_EQ(IStr(0), "0");
  EXPECT_EQ(IStr(-17), "-17");
  EXPECT_EQ(IStr(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(IntToStrWithZero(123, 10), "0000000123");
  EXPECT_EQ(IntToStrWithZero(0, 5), "00000");
  EXPECT_EQ(IntToStrWithZero(65535, 5), "65535");
  EXPECT_EQ(IntToStrWithZero(123456, 3), "123456");
}

TEST(PdfNumberFormat, HexAndOctalForms) {
  EXPECT_EQ(ByteToHex(0), "00");
  EXPECT_EQ(ByteToHex(0xAF), "AF");
  EXPECT_EQ(WordToHex(0x0041), "0041");
  EXPECT_EQ(WordToHex(0xFEFF), "FEFF");
  const struct {
    Byte value;
    const char* octal;
  } octal[] = {{0, "0"}, {7, "7"}, {8, "10"}, {65, "101"}, {255, "377"}};
  for (const auto& c : octal) EXPECT_EQ(ByteToOct(c.value), c.octal);
  EXPECT_EQ(StrToOctet("A"), "\\101");
  EXPECT_EQ(StrToOctet(AnsiString("\x01" "0", 2)), "\\1\\60");
}

TEST(PdfStringFormat, LiteralEscapeTouchesOnlyDelimitersBackslashAndCR) {
  EXPECT_EQ(EscapeSpecialChar("a(b)c\\d\re\nf\xE9"), "a\\(b\\)c\\\\d\\re\nf\xE9");
  EXPECT_EQ(EscapeSpecialChar(""), "");
  EXPECT_EQ(ReplStr("Times New Roman", ' ', "#20"), "Times#20New#20Roman");
}

TEST(PdfStringFormat, UnicodeTextStrings) {
  EXPECT_EQ(UnicodeChar("AB", 0), "FEFF00410042");
  EXPECT_EQ(UnicodeChar("", 0), "");
  EXPECT_EQ(UnicodeChar("\xC0", 204), "FEFF0410");   // Cyrillic A in code page 1251
  EXPECT_EQ(UnicodeChar("\xC1", 161), "FEFF0391");   // Greek Alpha in code page 1253
  EXPECT_EQ(UnicodeChar("\x80", 0), "FEFF20AC");     // the euro sign of code page 1252
  EXPECT_EQ(UnicodeChar("\x82\xA0", 128), "FEFF3042");  // hiragana a in code page 932
}

TEST(PdfGeometry, MatrixProductAppliesTheFirstMatrixFirst) {
  const TPDFMatrix scale{2, 0, 0, 3, 0, 0};
  const TPDFMatrix move{1, 0, 0, 1, 10, 20};
  const TPDFMatrix m = MultiplyMatrix(scale, move);
  EXPECT_EQ(FormatFloat(m.a), "2");
  EXPECT_EQ(FormatFloat(m.d), "3");
  EXPECT_EQ(FormatFloat(m.e), "10");
  EXPECT_EQ(FormatFloat(m.f), "20");
  const TPDFMatrix n = MultiplyMatrix(move, scale);
  EXPECT_EQ(FormatFloat(n.e), "20");
  EXPECT_EQ(FormatFloat(n.f), "60");
  const TPDFPoint p = RotateCoordinate(10, 0, 90);
  EXPECT_EQ(FormatFloat(p.x), "0");
  EXPECT_EQ(FormatFloat(p.y), "10");
}

TEST(PdfGeometry, NormalizeOrdersCorners) {
  TRect r{110, 60, 10, 10};
  NormalizeRect(r);
  EXPECT_EQ(r, (TRect{10, 10, 110, 60}));
  Extended x1 = 5, y1 = 1, x2 = 1, y2 = 5;
  NormalizeRect(x1, y1, x2, y2);
  EXPECT_EQ(x1, 1);
  EXPECT_EQ(x2, 5);
}

TEST(PdfFonts, TrueTypeTest) {
  EXPECT_TRUE(IsTrueType("Liberation Serif"));
  EXPECT_TRUE(IsTrueType("Times New Roman"));
  EXPECT_FALSE(IsTrueType(""));
  EXPECT_FALSE(IsTrueType("No Such Face Anywhere"));
}

}  // namespace
