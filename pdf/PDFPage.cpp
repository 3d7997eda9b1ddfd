// A page: its size and orientation, the text, font and image operators that write its content,
// and the writing of its resources, content stream and page dictionary.
#include "pdf/PDF.h"

#include <cmath>

#include "pdf/pdfResources.h"
#include "pdf/pdfZLib.h"

namespace {

constexpr Extended kPi = 3.14159265358979323846L;
constexpr Extended kDegree = kPi / 180;

// Height and width in points of the standard sizes 1 to 19, portrait.
const Integer kSizes[20][2] = {{0, 0},     {792, 612}, {842, 595}, {1190, 842}, {1008, 612},
                               {728, 516}, {649, 459}, {792, 595}, {1031, 728}, {595, 419},
                               {936, 612}, {756, 522}, {1031, 728}, {708, 499}, {459, 323},
                               {623, 312}, {540, 279}, {639, 279}, {684, 297}, {747, 324}};

// Round to the nearest integer, halves to even, as the page's device sizes are reported.
Integer RoundEven(Extended v) { return static_cast<Integer>(std::nearbyint(v)); }

void AppendNumbers(AnsiString& line, std::initializer_list<Extended> values) {
  bool first = true;
  for (Extended v : values) {
    if (!first) line += ' ';
    first = false;
    AppendFloat(line, v);
  }
}

}  // namespace

TPDFPage::TPDFPage(TPDFDocument* Owner) : FOwner(Owner) {
  FPageNumber = FOwner->GetNextID();
  FResolution = FOwner->GetResolution();
  FScale = FResolution / 72.0L;
  SetSize(2);
  GStateSave();
}

TPDFPage::~TPDFPage() = default;

// ---------------------------------------------------------------------------------------------
// Size and orientation

void TPDFPage::CheckNotDrawn() const {
  if (FDrawn) throw TPDFException(SPageInProgress);
}

void TPDFPage::SetSize(Byte Value) {
  CheckNotDrawn();
  FSize = Value;
  if (Value >= 1 && Value <= 19) {
    FHeightPt = kSizes[Value][0];
    FWidthPt = kSizes[Value][1];
  }
  SetOrientation(FOrientation);
}

void TPDFPage::SetOrientation(Byte Value) {
  CheckNotDrawn();
  FOrientation = Value;
  if ((Value == 0 && FWidthPt > FHeightPt) || (Value == 1 && FWidthPt < FHeightPt)) std::swap(FWidthPt, FHeightPt);
}

Integer TPDFPage::GetHeight() const { return RoundEven(FHeightPt * FScale); }
Integer TPDFPage::GetWidth() const { return RoundEven(FWidthPt * FScale); }

void TPDFPage::SetHeight(Integer Value) {
  CheckNotDrawn();
  if (Value == GetHeight()) return;
  FHeightPt = RoundEven(Value / FScale);
  FSize = 0;
}

void TPDFPage::SetWidth(Integer Value) {
  CheckNotDrawn();
  if (Value == GetWidth()) return;
  FWidthPt = RoundEven(Value / FScale);
  FSize = 0;
}

// ---------------------------------------------------------------------------------------------
// Content

void TPDFPage::AppendLine(const AnsiString& Line) {
  FContent += Line;
  FContent += "\r\n";
}

void TPDFPage::GStateSave() {
  AppendLine("q");
  ++FGStateDepth;
}

void TPDFPage::GStateRestore() {
  if (FGStateDepth == 1) return;
  AppendLine("Q");
  --FGStateDepth;
}

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

void TPDFPage::WriteTextMatrix() {
  AnsiString line;
  AppendNumbers(line, {FTextMatrix.a, FTextMatrix.b, FTextMatrix.c, FTextMatrix.d, FTextMatrix.e, FTextMatrix.f});
  line += " Tm";
  AppendLine(line);
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

void TPDFPage::RotateText(Extended Angle) {
  const Extended d = (Angle - FLastTextAngle) * kDegree;
  ConcatTextMatrix({std::cos(d), std::sin(d), -std::sin(d), std::cos(d), 0, 0});
  FRotationAngle = Angle;
}

void TPDFPage::SetTextSkew(Extended First, Extended Second) {
  if (FSimulateItalic) Second += 7;
  ConcatTextMatrix({1, std::tan(First * kDegree), std::tan(Second * kDegree), 1, 0, 0});
}

void TPDFPage::TextOutPt(Extended X, Extended Y, Extended Angle, const AnsiString& Text) {
  RequireText();
  RequireFont();
  SetTextPosition(X, Y);
  if (Angle != FLastTextAngle) RotateText(Angle);
  ShowText(Text);
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
    const Extended r = FRotationAngle * kDegree;
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

void TPDFPage::ShowImagePt(Integer Index, Extended X, Extended Y, Extended W, Extended H, Extended Angle) {
  TPDFImages* images = FOwner->GetImages();
  if (Index < 0 || Index >= images->GetCount()) throw TPDFException(SOutOfRange);
  TPDFImage* image = images->GetItems(Index);
  if (image->BitPerPixel == 1 || image->GrayScale)
    FUsesGrayImage = true;
  else
    FUsesColorImage = true;
  AppendLine("q");
  AnsiString line;
  AppendNumbers(line, {1, 0, 0, 1, X, Y});
  AppendLine(line + " cm");
  if (std::fabs(Angle) > 0.001L) {
    const Extended a = Angle * kDegree;
    line.clear();
    AppendNumbers(line, {std::cos(a), std::sin(a), -std::sin(a), std::cos(a), 0, 0});
    AppendLine(line + " cm");
  }
  line.clear();
  AppendNumbers(line, {W, 0, 0, H, 0, 0});
  AppendLine(line + " cm");
  AppendLine("/" + image->Name + " Do");
  AppendLine("Q");
  if (std::find(FImages.begin(), FImages.end(), image) == FImages.end()) FImages.push_back(image);
}

// ---------------------------------------------------------------------------------------------
// Writing

void TPDFPage::WritePageObject() {
  TPDFDocument* doc = FOwner;
  for (TPDFFont* font : FFonts)
    if (font->ObjectNumber == -1) font->ObjectNumber = doc->GetNextID();
  for (TPDFImage* image : FImages)
    if (image->ObjectNumber == -1) image->Save(doc);

  while (FGStateDepth > 1) {
    AppendLine("Q");
    --FGStateDepth;
  }
  FGStateDepth = 2;
  GStateRestore();

  FResourceNumber = doc->GetNextID();
  if (!FIsForm) FContentNumber = doc->GetNextID();

  doc->StartObj(FResourceNumber);
  AnsiString procSet = " /ProcSet [/PDF ";
  if (FUsesText) procSet += "/Text ";
  if (FUsesGrayImage) procSet += "/ImageB ";
  if (FUsesColorImage) procSet += "/ImageC ";
  doc->SaveToStream(procSet + "]");
  if (!FFonts.empty()) {
    doc->SaveToStream("/Font <<");
    for (TPDFFont* font : FFonts) doc->SaveToStream("/" + font->Alias + " " + IStr(font->ObjectNumber) + " 0 R");
    doc->SaveToStream(">>");
  }
  if (!FImages.empty()) {
    doc->SaveToStream(" /XObject <<");
    for (TPDFImage* image : FImages) doc->SaveToStream("/" + image->Name + " " + IStr(image->ObjectNumber) + " 0 R");
    doc->SaveToStream(">>");
  }
  doc->CloseHObj();
  doc->CloseObj();

  Integer streamNumber;
  if (!FIsForm) {
    doc->StartObj(FContentNumber);
    streamNumber = FContentNumber;
  } else {
    doc->StartObj(FPageNumber);
    streamNumber = FPageNumber;
    doc->SaveToStream("/Type /XObject");
    doc->SaveToStream("/Subtype /Form");
    doc->SaveToStream("/Resources " + IStr(FResourceNumber) + " 0 R");
    AnsiString matrix = "/Matrix [";
    for (Extended v : {FFormMatrix.a, FFormMatrix.b, FFormMatrix.c, FFormMatrix.d, FFormMatrix.e}) {
      AppendFloat(matrix, v);
      matrix += ' ';
    }
    AppendFloat(matrix, FFormMatrix.f);
    doc->SaveToStream(matrix + " ]");
    doc->SaveToStream("/BBox [0 0 " + IStr(FWidthPt) + " " + IStr(FHeightPt) + "]");
  }
  if (doc->GetCompression() == ctNone) {
    doc->SaveToStream("/Length " + IStr(static_cast<Integer>(FContent.size())));
    doc->CloseHObj();
    doc->StartStream();
    doc->WriteStreamData(FContent.data(), FContent.size(), streamNumber);
  } else {
    TMemoryStream packed;
    {
      TCompressionStream deflate(TCompressionLevel::clDefault, &packed);
      deflate.WriteBuffer(FContent.data(), static_cast<Integer>(FContent.size()));
      deflate.Finish();
    }
    doc->SaveToStream("/Length " + IStr(static_cast<Integer>(packed.GetSize())));
    doc->SaveToStream("/Filter /FlateDecode");
    doc->CloseHObj();
    doc->StartStream();
    doc->WriteStreamData(packed.GetMemory(), static_cast<std::size_t>(packed.GetSize()), streamNumber);
  }
  doc->SaveToStream("");
  doc->CloseStream();
  doc->CloseObj();
  AnsiString().swap(FContent);

  if (!FIsForm) {
    doc->StartObj(FPageNumber);
    doc->SaveToStream("/Type /Page");
    doc->SaveToStream("/Parent " + IStr(doc->GetPagesID()) + " 0 R");
    doc->SaveToStream("/Resources " + IStr(FResourceNumber) + " 0 R");
    doc->SaveToStream("/Contents [" + IStr(FContentNumber) + " 0 R]");
    doc->SaveToStream("/MediaBox [0 0 " + IStr(FWidthPt) + " " + IStr(FHeightPt) + "]");
    if (FRotation >= 1 && FRotation <= 3) doc->SaveToStream("/Rotate " + IStr(FRotation * 90));
    doc->CloseHObj();
    doc->CloseObj();
  }
}

// ---------------------------------------------------------------------------------------------

TPDFPages::~TPDFPages() = default;

TPDFPage* TPDFPages::Add() {
  FPages.push_back(std::make_unique<TPDFPage>(FOwner));
  TPDFPage* page = FPages.back().get();
  page->FIsForm = FForms;
  return page;
}

Integer TPDFPages::IndexOf(const TPDFPage* Page) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (FPages[i].get() == Page) return i;
  return -1;
}

void TPDFPages::Clear() { FPages.clear(); }
