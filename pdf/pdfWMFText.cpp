// TEMWParser: fonts and text. A GDI font becomes the page's PDF font, and each text record one
// text showing placed on GDI's baseline and spaced out to the width GDI laid the text out in.
#include <cmath>
#include <cstring>

#include "classlib/Metafiles.h"
#include "classlib/Strings.h"
#include "pdf/pdfWMF.h"

namespace {


bool IsCJK(Integer charset) {
  return charset == SHIFTJIS_CHARSET || charset == HANGEUL_CHARSET || charset == GB2312_CHARSET ||
         charset == CHINESEBIG5_CHARSET;
}

UINT CodePageOf(Integer charset) {
  switch (charset) {
    case GREEK_CHARSET: return 1253;
    case TURKISH_CHARSET: return 1254;
    case BALTIC_CHARSET: return 1257;
    case RUSSIAN_CHARSET: return 1251;
    case EASTEUROPE_CHARSET: return 1250;
    case GB2312_CHARSET: return 936;
    case CHINESEBIG5_CHARSET: return 950;
    case HANGEUL_CHARSET: return 949;
    case SHIFTJIS_CHARSET: return 932;
    default: return CP_ACP;
  }
}

// The record's UTF-16 text in the font's 8-bit (or double-byte) code page.
AnsiString NarrowText(const WCHAR* text, int count, Integer charset) {
  AnsiString result;
  if (charset == SYMBOL_CHARSET) {
    result.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) result[i] = static_cast<char>(text[i] & 0xFF);
    return result;
  }
  const UINT codePage = CodePageOf(charset);
  const int n = ::WideCharToMultiByte(codePage, 0, text, count, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return result;
  result.resize(static_cast<std::size_t>(n));
  ::WideCharToMultiByte(codePage, 0, text, count, result.data(), n, nullptr, nullptr);
  return result;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Fonts

void TEMWParser::SelectFont(const LOGFONTA& Font) {
  FMetrics.Valid = false;
  // Only what chooses the PDF font or its size makes a new page font; the rest (escapement)
  // is taken along.
  const bool same = std::memcmp(Font.lfFaceName, FFont.lfFaceName, LF_FACESIZE) == 0 &&
                    Font.lfWeight == FFont.lfWeight && Font.lfItalic == FFont.lfItalic &&
                    Font.lfUnderline == FFont.lfUnderline && Font.lfStrikeOut == FFont.lfStrikeOut &&
                    Font.lfCharSet == FFont.lfCharSet && Font.lfHeight == FFont.lfHeight;
  FFont = Font;
  // The page font is made when text is shown: a font selected last of all, as a canvas does
  // when it lets go of its context, puts nothing on the page.
  if (!same) FFontChanged = true;
}

const TEMWParser::TFontMetrics& TEMWParser::Metrics() {
  if (!FMetrics.Valid) {
    TEXTMETRICA tm{};
    ::GetTextMetricsA(FDC, &tm);
    FMetrics.Ascent = tm.tmAscent;
    FMetrics.Descent = tm.tmDescent;
    FMetrics.Height = tm.tmHeight;
    FMetrics.InternalLeading = tm.tmInternalLeading;
    FMetrics.Valid = true;
  }
  return FMetrics;
}

bool TEMWParser::TrueTypeFace(const AnsiString& Face) {
  const std::string key = UpperCase(Face);
  auto known = FTrueTypeFaces.find(key);
  if (known != FTrueTypeFaces.end()) return known->second;
  const bool answer = IsTrueType(Face);
  FTrueTypeFaces.emplace(key, answer);
  return answer;
}

void TEMWParser::MakePageFont() {
  if (!FFontChanged) return;
  FFontChanged = false;
  TFontStyles style;
  if (FFont.lfWeight >= 600) style << fsBold;
  if (FFont.lfItalic) style << fsItalic;
  if (FFont.lfUnderline) style << fsUnderline;
  if (FFont.lfStrikeOut) style << fsStrikeOut;

  AnsiString face(FFont.lfFaceName, strnlen(FFont.lfFaceName, LF_FACESIZE));
  const AnsiString upper = UpperCase(face);
  // A face PDF cannot take as TrueType is shown in the standard sans-serif face.
  if (upper != "ZAPFDINGBATS" && upper != "SYMBOL" && !TrueTypeFace(face)) face = "Arial";

  // A negative height is the character height; a positive one the cell height, whose character
  // height GDI tells after taking away the internal leading.
  Extended em;
  if (FFont.lfHeight < 0) {
    em = -static_cast<Extended>(FFont.lfHeight);
  } else {
    const TFontMetrics& m = Metrics();
    em = m.Height - m.InternalLeading;
  }
  const Extended size = em * ScaleY() * 72 / FPrivateCanvas->GetFont()->PixelsPerInch;
  const Integer charset = FFont.lfCharSet == SYMBOL_CHARSET ? 0 : FFont.lfCharSet;
  FPage->SetActiveFont(face, style, size, charset);
  FPage->GetCharWidths(FWidths);
}

// ---------------------------------------------------------------------------------------------
// Text records

void TEMWParser::DoExtTextOut(bool Wide) {
  const Integer count = Field<Integer>(44);
  const UINT options = Field<UINT>(52);
  const RECTL rect = Field<RECTL>(56);
  auto fillRect = [&](COLORREF color) {
    ApplyFill(color);
    FPage->NewPath();
    FPage->Rectangle(MapX(rect.left), MapY(rect.top), MapX(rect.right), MapY(rect.bottom));
    FPage->Fill();
  };
  if (count <= 0) {
    // GDI's quick way to fill a rectangle: an opaque rectangle without text.
    if (!FInPath && (options & ETO_OPAQUE)) {
      FPage->EndText();
      fillRect(FBackColor);
      FPage->BeginText();
    }
    return;
  }
  MakePageFont();

  const std::size_t textOffset = Field<DWORD>(48);
  AnsiString text;
  if (Wide) {
    if (!Fits(textOffset, static_cast<std::size_t>(count) * 2)) return;
    std::vector<WCHAR> chars(static_cast<std::size_t>(count));
    std::memcpy(chars.data(), At(textOffset), chars.size() * 2);
    text = NarrowText(chars.data(), count, FFont.lfCharSet);
  } else {
    if (!Fits(textOffset, static_cast<std::size_t>(count))) return;
    text.assign(reinterpret_cast<const char*>(At(textOffset)), static_cast<std::size_t>(count));
  }
  if (text.empty()) return;

  // The width GDI laid the text out in, logical units: the advances it recorded, or its extent.
  Extended width = 0;
  const std::size_t dxOffset = Field<DWORD>(72);
  const std::size_t step = (options & ETO_PDY) ? 2 : 1;
  if (!FPage->GetDocument()->GetEMFSimpleText() && dxOffset &&
      Fits(dxOffset, static_cast<std::size_t>(count) * step * 4)) {
    for (Integer i = 0; i < count; ++i) {
      Integer dx;
      std::memcpy(&dx, At(dxOffset + static_cast<std::size_t>(i) * step * 4), 4);
      width += dx;
    }
  } else {
    SIZE extent{};
    if (Wide)
      ::GetTextExtentPoint32W(FDC, reinterpret_cast<const WCHAR*>(At(textOffset)), count, &extent);
    else
      ::GetTextExtentPoint32A(FDC, reinterpret_cast<const char*>(At(textOffset)), count, &extent);
    width = extent.cx;
  }

  // The reference point, and where the baseline begins: GDI aligns the text's cell to it.
  const Extended angle = FFont.lfEscapement / 10.0L;
  const Extended a = angle * kPi / 180, ca = std::cos(a), sa = std::sin(a);
  Extended refX, refY;
  if (FUpdateCP) {
    refX = FCurrentPosition.X;
    refY = FCurrentPosition.Y;
    if (FFont.lfEscapement == 0) {
      FCurrentPosition.X += static_cast<Integer>(std::lround(width));
    } else {
      FCurrentPosition.X += static_cast<Integer>(std::lround(ca * width));
      FCurrentPosition.Y -= static_cast<Integer>(std::lround(sa * width));
    }
  } else {
    refX = Field<LONG>(36);
    refY = Field<LONG>(40);
  }
  const TFontMetrics& m = Metrics();
  const Extended along = FHAlign == 1 ? -width / 2 : FHAlign == 2 ? -width : 0;
  const Extended down = FVAlign == 0 ? m.Ascent : FVAlign == 2 ? -m.Descent : 0;
  // Along the text (ca, -sa) and towards its foot (sa, ca), y growing downward.
  const Extended baseX = refX + along * ca + down * sa;
  const Extended baseY = refY - along * sa + down * ca;

  const bool clipped = !FInPath && (options & ETO_CLIPPED);
  const bool opaqueRect = !FInPath && (options & ETO_OPAQUE);
  const bool cell = !FInPath && !opaqueRect && FOpaque;
  if (clipped || opaqueRect || cell) {
    FPage->EndText();
    if (clipped) {
      FPage->GStateSave();
      FPage->NewPath();
      FPage->Rectangle(MapX(rect.left), MapY(rect.top), MapX(rect.right), MapY(rect.bottom));
      FPage->Clip();
      FPage->NewPath();
    }
    if (opaqueRect) fillRect(FBackColor);
    if (cell) {
      // The background of the text's cell, from the top of its ascent to the foot of its descent.
      ApplyFill(FBackColor);
      FPage->NewPath();
      const Extended topX = baseX - m.Ascent * sa, topY = baseY - m.Ascent * ca;
      const Extended footX = baseX + m.Descent * sa, footY = baseY + m.Descent * ca;
      FPage->MoveTo(MapX(topX), MapY(topY));
      FPage->LineTo(MapX(topX + width * ca), MapY(topY - width * sa));
      FPage->LineTo(MapX(footX + width * ca), MapY(footY - width * sa));
      FPage->LineTo(MapX(footX), MapY(footY));
      FPage->ClosePath();
      FPage->Fill();
    }
    FPage->BeginText();
  }
  ApplyFill(FTextColor);

  if (IsCJK(FFont.lfCharSet)) {
    FPage->SetCharacterSpacing(-0.6L);
    FPage->TextOut(MapX(refX), MapY(refY), angle, text);
  } else {
    const Extended target = width * ScaleX() * FDevScale - 1;
    Extended natural = 0;
    for (unsigned char c : text) natural += FWidths[c];
    natural /= 1000;
    FPage->SetCharacterSpacing((target - natural) / static_cast<Extended>(text.size()));
    // The page places text by its top left corner, one font size above the baseline.
    const Extended size = FPage->GetFontSize() * FPage->GetScale();
    FPage->TextOut(MapX(baseX) - size * sa, MapY(baseY) - size * ca, angle, text);
  }

  if (clipped) {
    FPage->EndText();
    FPage->GStateRestore();
    FPage->BeginText();
    ForgetState();
  }
}
