// The text operators of a page: text objects, the active font, character spacing, the text
// matrix, text output with simulated bold, italic, underline and strike-out, and text widths.
#include "pdf/PDF.h"

#include <cmath>

#include "classlib/SysUtils.h"
#include "pdf/pdfResources.h"

namespace {

constexpr Extended kDegreeText = kPi / 180;

void AppendNumbers(AnsiString& line, std::initializer_list<Extended> values) {
  bool first = true;
  for (Extended v : values) {
    if (!first) line += ' ';
    first = false;
    AppendFloat(line, v);
  }
}

}  // namespace

void TPDFPage::RequireText() const {
  if (!FTextInited) throw TPDFException(STextObjectNotInited);
}

void TPDFPage::RequireFont() const {
  if (!FActiveFont) throw TPDFException(SActiveFontNotSetting);
}

void TPDFPage::BeginText() {
  if (FTextInited) throw TPDFException(SCannotBeginTextObjectTwice);
  AppendLine("BT");
  FTextInited = true;
  FTextMatrix = TPDFMatrix();
  FLastTextAngle = FRotationAngle = 0;
  if (FActiveFont && FSimulateItalic) SetTextSkew(0, 0);
}

void TPDFPage::EndText() {
  AppendLine("ET");
  FTextInited = false;
}

void TPDFPage::SetActiveFont(const AnsiString& FaceName, TFontStyles Style, Extended Size, Integer Charset) {
  if (!FTextInited) AppendLine("BT");
  TPDFFont* font = FOwner->GetFonts()->SelectFont(FaceName, Style, Charset);
  if (std::find(FFonts.begin(), FFonts.end(), font) == FFonts.end()) FFonts.push_back(font);
  AnsiString line = "/" + font->Alias + " ";
  AppendFloat(line, Size);
  line += " Tf";
  AppendLine(line);
  FActiveFont = font;
  FFontSize = Size;
  FSimulateUnderline = Style.Contains(fsUnderline);
  FSimulateStrikeOut = Style.Contains(fsStrikeOut);
  if (font->Kind == fkTrueType) {
    FSimulateBold = Style.Contains(fsBold) && !font->Style.Contains(fsBold);
    FSimulateItalic = Style.Contains(fsItalic) && !font->Style.Contains(fsItalic);
    if (!FTextInited)
      AppendLine("ET");
    else
      SetTextSkew(0, 0);
  } else {
    FSimulateBold = FSimulateItalic = false;
    if (!FTextInited) AppendLine("ET");
  }
}

void TPDFPage::SetCharacterSpacing(Extended Spacing) {
  const bool outside = !FTextInited;
  if (outside) AppendLine("BT");
  FCharSpace = PtLength(Spacing);
  WriteOperator({FCharSpace}, " Tc");
  if (outside) AppendLine("ET");
}

// ---------------------------------------------------------------------------------------------
// The text matrix

void TPDFPage::WriteTextMatrix() {
  WriteOperator({FTextMatrix.a, FTextMatrix.b, FTextMatrix.c, FTextMatrix.d, FTextMatrix.e, FTextMatrix.f}, " Tm");
}

void TPDFPage::SetTextMatrix(Extended A, Extended B, Extended C, Extended D, Extended E, Extended F) {
  RequireText();
  FTextMatrix = {A, B, C, D, E, F};
  WriteTextMatrix();
}

void TPDFPage::SetTextPosition(Extended X, Extended Y) {
  RequireText();
  FTextMatrix.e = X;
  FTextMatrix.f = Y;
  WriteTextMatrix();
}

void TPDFPage::ConcatTextMatrix(const TPDFMatrix& M) {
  RequireText();
  FTextMatrix = MultiplyMatrix(M, FTextMatrix);
  WriteTextMatrix();
}

void TPDFPage::ConcatTextMatrix(Extended A, Extended B, Extended C, Extended D, Extended E, Extended F) {
  ConcatTextMatrix(TPDFMatrix{A, B, C, D, E, F});
}

void TPDFPage::RotateText(Extended Angle) {
  const Extended d = (Angle - FLastTextAngle) * kDegreeText;
  ConcatTextMatrix(TPDFMatrix{std::cos(d), std::sin(d), -std::sin(d), std::cos(d), 0, 0});
  FRotationAngle = Angle;
}

// Every caller passes 0 and 0: the text matrix is skewed by 7 degrees when italic is simulated.
void TPDFPage::SetTextSkew(Extended First, Extended Second) {
  if (FSimulateItalic) Second += 7;
  ConcatTextMatrix(TPDFMatrix{1, std::tan(First * kDegreeText), std::tan(Second * kDegreeText), 1, 0, 0});
}

// ---------------------------------------------------------------------------------------------
// Text output

void TPDFPage::TextOut(Extended X, Extended Y, Extended Angle, const AnsiString& Text) {
  if (Angle == 0) {
    TextOutPt(PtX(X), PtY(Y) - FFontSize, 0, Text);
  } else {
    const Extended r = Angle * kDegreeText;
    TextOutPt(PtX(X) + FFontSize * std::sin(r), PtY(Y) - FFontSize * std::cos(r), Angle, Text);
  }
  FLastTextAngle = Angle;
  if (Angle == 0 && FOwner->GetAutoCreateURL() && !FIsForm) CreateLinks(X, Y, Text);
}

void TPDFPage::CreateLinks(Extended X, Extended Y, const AnsiString& Text) {
  const AnsiString upper = UpperCase(Text);
  // The font size in device units: the link reaches from a third of the size below the top of
  // the text's line down to the baseline.
  const Extended size = FFontSize * FScale;
  for (const char* prefix : {"HTTP://", "MAILTO:", "FTP://"}) {
    const std::size_t p = upper.find(prefix);
    if (p == AnsiString::npos || (p > 0 && static_cast<unsigned char>(Text[p - 1]) > ' ')) continue;
    std::size_t end = p;
    while (end < Text.size() && static_cast<unsigned char>(Text[end]) > ' ') ++end;
    const AnsiString address = Text.substr(p, end - p);
    // The advance up to the address: the widths before it and the spacing after each.
    const Extended before = p > 0 ? TextWidth(Text.substr(0, p)) + FCharSpace * FScale : 0;
    const Extended width = TextWidth(address);
    auto* link = new TPDFActionAnnotation(this);
    link->SetRect(TRect(static_cast<Integer>(Round(X + before)), static_cast<Integer>(Round(Y + 0.33L * size)),
                        static_cast<Integer>(Round(X + before + width)), static_cast<Integer>(Round(Y + size))));
    auto action = std::make_unique<TPDFURLAction>();
    link->SetAction(action.get());
    action.release()->SetURL(address);
    link->Border = "[]";
  }
}

void TPDFPage::TextOutPt(Extended X, Extended Y, Extended Angle, const AnsiString& Text) {
  RequireText();
  RequireFont();
  SetTextPosition(X, Y);
  if (Angle != FLastTextAngle) RotateText(Angle);
  ShowText(Text);
}

void TPDFPage::TextBox(const TRect& Rect, const AnsiString& Text, Integer VerticalAlign, Integer HorizontalAlign) {
  TRect r = Rect;
  NormalizeRect(r);
  Extended x = r.Left, y = r.Top;
  if (HorizontalAlign == 1)
    x = r.Left + (r.Width() - TextWidth(Text)) / 2;
  else if (HorizontalAlign == 2)
    x = r.Right - TextWidth(Text);
  // The box and the text's height alike in device units (the font size is in points).
  const Extended height = FFontSize * FScale;
  if (VerticalAlign == 1)
    y = r.Top + (r.Height() - height) / 2;
  else if (VerticalAlign == 2)
    y = r.Bottom - height;
  TextOut(x, y, 0, Text);
}

Extended TPDFPage::TextWidth(const AnsiString& Text) {
  RequireFont();
  if (FActiveFont->Kind == fkCJK) return 0;
  Extended sum = 0;
  for (unsigned char c : Text) {
    const Integer w = FActiveFont->GetWidth(c);
    sum += w * FFontSize / 1000;
    if (w > 0) sum += FCharSpace;
  }
  return (sum - FCharSpace) * FScale;
}

void TPDFPage::GetCharWidths(Integer (&Widths)[256]) {
  RequireFont();
  const Extended factor = FFontSize * FScale;
  for (int c = 0; c < 256; ++c) {
    const Integer w = FActiveFont->Kind == fkCJK ? 1000 : FActiveFont->GetWidth(static_cast<Byte>(c));
    Widths[c] = static_cast<Integer>(std::lround(w * factor));
  }
}

void TPDFPage::ShowText(const AnsiString& Text) {
  RequireText();
  RequireFont();
  FUsesText = true;
  if (FActiveFont->Kind == fkTrueType)
    for (unsigned char c : Text) FActiveFont->Used[c] = true;
  const AnsiString shown =
      "(" + (FActiveFont->Charset == SYMBOL_CHARSET ? StrToOctet(Text) : EscapeSpecialChar(Text)) + ") Tj";
  AppendLine(shown);
  if (FSimulateBold) {
    AppendLine("-0.02 -0.02 TD");
    AppendLine(shown);
    AppendLine("0.02 0 TD");
    AppendLine(shown);
    AppendLine("-0.02 0.02 TD");
    AppendLine(shown);
  }
  if (FSimulateUnderline || FSimulateStrikeOut) {
    AppendLine("ET");
    FTextInited = false;
    const Extended r = FRotationAngle * kDegreeText;
    const Extended length = TextWidth(Text) / FScale;
    const Extended thickness = 0.05L * FFontSize;
    auto bar = [&](Extended x, Extended y) {
      const TPDFPoint corners[3] = {RotateCoordinate(length, 0, FRotationAngle),
                                    RotateCoordinate(length, thickness, FRotationAngle),
                                    RotateCoordinate(0, thickness, FRotationAngle)};
      AnsiString line;
      AppendNumbers(line, {x, y});
      AppendLine(line + " m");
      for (const TPDFPoint& p : corners) {
        line.clear();
        AppendNumbers(line, {x + p.x, y + p.y});
        AppendLine(line + " l");
      }
    };
    if (FSimulateUnderline) bar(FTextMatrix.e + 3 * std::sin(r), FTextMatrix.f - 3 * std::cos(r));
    if (FSimulateStrikeOut)
      bar(FTextMatrix.e - FFontSize / 4 * std::sin(r), FTextMatrix.f + FFontSize / 4 * std::cos(r));
    AppendLine("f");
    AppendLine("BT");
    FTextInited = true;
    WriteTextMatrix();
  }
}
