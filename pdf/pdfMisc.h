// Value formatting for PDF objects and content streams: numbers, padded integers, hexadecimal and
// octal forms, literal-string escapes, Unicode text strings, and the small geometry helpers of
// the page code.
#pragma once

#include "classlib/System.h"

// Pi for the page code's angles (degrees in the drawing calls, radians in the arcs).
inline constexpr Extended kPi = 3.14159265358979323846L;

// A number as PDF writes it: at most four decimals, "." as separator, no exponent, trailing
// zeros dropped (2.5, 3, 0.00004 -> 0, -1.23456 -> -1.2346). Halves round away from zero and a
// value that rounds to zero is written "0" without sign. The process-wide locale is not touched.
AnsiString FormatFloat(Extended value);
// Appends the same text to `out`, for writers that build lines piece by piece.
void AppendFloat(AnsiString& out, Extended value);

// An integer in plain decimal, "-" for negatives.
AnsiString IStr(Integer value);
void AppendInt(AnsiString& out, Int64 value);

// Decimal text left-padded with "0" to `width` digits; longer text is not cut.
AnsiString IntToStrWithZero(Integer value, Integer width);

// Two (four) upper-case hexadecimal digits, high byte first.
AnsiString ByteToHex(Byte value);
AnsiString WordToHex(Word value);

// The value in octal without leading zeros (7 -> "7", 8 -> "10", 255 -> "377").
AnsiString ByteToOct(Byte value);
// Every byte as a backslash followed by its octal form.
AnsiString StrToOctet(const AnsiString& text);

// The text that goes between the parentheses of a literal string: "(", ")" and "\" get a
// backslash, CR becomes "\r"; every other byte is copied.
AnsiString EscapeSpecialChar(const AnsiString& text);

// `text` with every `what` replaced by `with` (blanks in font names become "#20").
AnsiString ReplStr(const AnsiString& text, char what, const AnsiString& with);

// Text made a valid name (without its "/"): every byte outside "!" to "~", every delimiter and
// "#" itself are written as "#" and two hexadecimal digits.
AnsiString EscapeName(const AnsiString& text);

// True when the 8-bit text holds a byte from 128 to 159, which PDF's own 8-bit text encoding
// reads as a different character than the Western Windows code page does.
bool HasPDFDocEncodingClash(const AnsiString& text);

// A reference to object `id`: "id 0 R".
AnsiString Reference(Integer id);

// The red, green and blue bytes of an RGB value (red in the low byte), each divided by 255,
// separated by blanks: "1 0.502 0".
AnsiString RGBTriple(Integer rgb);

// A text string in UTF-16: "FEFF" and four upper-case hex digits per code unit, the bytes read in
// the code page of the Windows character set. Empty when the conversion yields nothing.
AnsiString UnicodeChar(const AnsiString& text, Integer charset);

// An affine matrix a b c d e f, as in the PDF "cm" and "Tm" operators.
struct TPDFMatrix {
  Extended a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
};
// The product m1 * m2: m1 applied first.
TPDFMatrix MultiplyMatrix(const TPDFMatrix& m1, const TPDFMatrix& m2);

struct TPDFPoint {
  Extended x = 0, y = 0;
};
// (x, y) rotated by `angle` degrees around the origin.
TPDFPoint RotateCoordinate(Extended x, Extended y, Extended angle);

// Orders two corners so that x1 <= x2 and y1 <= y2.
void NormalizeRect(Integer& x1, Integer& y1, Integer& x2, Integer& y2);
void NormalizeRect(Extended& x1, Extended& y1, Extended& x2, Extended& y2);
void NormalizeRect(TRect& r);

// True when the face enumerates as a TrueType font on the screen (false for an empty name).
bool IsTrueType(const AnsiString& faceName);
