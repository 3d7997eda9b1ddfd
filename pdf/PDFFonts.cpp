// Fonts: turning a Windows font request into one of the 14 standard fonts, a CJK font or an
// embedded TrueType font; the TrueType data (faces, widths, outline metrics, the font file) comes
// from the platform's font services; at the end of the document the font files and dictionaries
// are written.
#include "pdf/PDF.h"

#include <optional>

#include "classlib/Handles.h"
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "pdf/pdfGliphNames.h"
#include "pdf/pdfResources.h"
#include "pdf/pdfZLib.h"

namespace {

const char* const kStandardNames[14] = {
    "Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
    "Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic",
    "Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique",
    "Symbol", "ZapfDingbats"};

struct TCJKScript {
  Integer Charset;
  const char* FaceName;
  const char* Alias;
  const char* BaseFont;
  const char* Encoding;
  const char* Ordering;
  const char* Supplement;
  const char* Widths;
  const char* Ascent;
  const char* CapHeight;
  const char* Descent;
  const char* FontBBox;
  const char* XHeight;
  const char* AvgWidth;
};

const TCJKScript kCJKScripts[4] = {
    {128, "JapanFont", "CIDJ", "HeiseiMin-W3", "90msp-RKSJ-H", "Japan1", "2",
     "/DW 1000 /W [ 1 95 500 231 632 500 ]", "857", "718", "-143", "[-123 -257 1001 910]", "500", "702"},
    {129, "KoreanFont", "CIDK", "HYSMyeongJo-Medium", "KSCms-UHC-H", "Korea1", "1",
     "/DW 1000 /W [ 1 95 500 8094 8190 500 ]", "880", "800", "-120", "[-0 -148 1001 880]", "616", "1000"},
    {136, "ChineseTraditionalFont", "CIDCT", "MSung-Light", "ETenms-B5-H", "CNS1", "0",
     "/DW 1000 /W [ 1 95 500 13648 13742 500 ]", "880", "880", "-120", "[-160 -249 1015 888]", "616", "1000"},
    {134, "ChineseSimplifiedFont", "CIDCS", "STSong-Light", "GB-EUC-H", "GB1", "2",
     "/DW 1000 /W [ 1 95 500 814 939 500 7712 [ 500 ] 7716 [ 500 ] ]", "880", "880", "-120",
     "[-25 -254 1000 880]", "616", "1000"},
};

const TCJKScript* FindCJKScript(Integer charset) {
  for (const auto& s : kCJKScripts)
    if (s.Charset == charset) return &s;
  return nullptr;
}

TFontStyles BoldItalic(TFontStyles style) { return style * TFontStyles{fsBold, fsItalic}; }

// ---- The platform's font services -----------------------------------------------------------

struct TFace {
  AnsiString Name;  // the family name as the system reports it
  bool Bold;
  bool Italic;
  Integer Charset;
};

int CALLBACK CollectFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD fontType, LPARAM data) {
  if (fontType & TRUETYPE_FONTTYPE) {
    auto* faces = reinterpret_cast<std::vector<TFace>*>(data);
    faces->push_back({lf->lfFaceName, lf->lfWeight >= 600, lf->lfItalic != 0, lf->lfCharSet});
  }
  return 1;
}

// The TrueType faces of a family in one character set (DEFAULT_CHARSET: in every set).
std::vector<TFace> EnumTrueTypeFaces(const AnsiString& name, Integer charset) {
  std::vector<TFace> faces;
  LOGFONTA lf{};
  lf.lfCharSet = static_cast<BYTE>(charset);
  lstrcpynA(lf.lfFaceName, name.c_str(), LF_FACESIZE);
  WindowDC dc;
  ::EnumFontFamiliesExA(dc, &lf, &CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  return faces;
}

int CALLBACK AnyFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM data) {
  *reinterpret_cast<bool*>(data) = true;
  return 0;
}

bool FaceExists(const AnsiString& name, Integer charset) {
  LOGFONTA lf{};
  lf.lfCharSet = static_cast<BYTE>(charset);
  lstrcpynA(lf.lfFaceName, name.c_str(), LF_FACESIZE);
  bool found = false;
  WindowDC dc;
  ::EnumFontFamiliesExA(dc, &lf, &AnyFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// A font of the face at 1000 pixels to the em, selected into a memory DC of the screen.
class TFaceAt1000 {
public:
  TFaceAt1000(const AnsiString& name, TFontStyles style, Integer charset) : dc_(::CreateCompatibleDC(nullptr)) {
    const int ppi = ::GetDeviceCaps(dc_.get(), LOGPIXELSY);
    const int size = static_cast<int>((72000 + ppi / 2) / ppi);
    LOGFONTA lf{};
    lf.lfHeight = -::MulDiv(size, ppi, 72);
    lf.lfWeight = style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style.Contains(fsItalic);
    lf.lfCharSet = static_cast<BYTE>(charset);
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lstrcpynA(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    font_.reset(::CreateFontIndirectA(&lf));
    selected_.emplace(dc_.get(), font_.get());
  }
  HDC DC() const { return dc_.get(); }

private:
  UniqueMemoryDC dc_;
  UniqueGdiObject font_;
  std::optional<SelectedObject> selected_;
};

// ---- Encodings --------------------------------------------------------------------------------

UINT EncodingCodePage(Integer charset) {
  switch (charset) {
    case 177: return 1255;
    case 161: return 1253;
    case 128: return 932;
    case 134: return 936;
    case 136: return 950;
    case 162: return 1254;
    case 163: return 1258;
    case 222: return 874;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 238: return 1250;
    case 255: return ::GetOEMCP();
    default: return 1252;
  }
}

const char* CharsetSuffix(Integer charset) {
  switch (charset) {
    case 186: return "-Baltic";
    case 238: return "-EastEurope";
    case 161: return "-Greek";
    case 77: return "-MAC";
    case 255: return "-OEM";
    case 204: return "-Russian";
    case 162: return "-Turkish";
    default: return "";
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------

Integer TPDFFont::GetWidth(Byte Code) const {
  switch (Kind) {
    case fkCJK: return 1000;
    case fkTrueType: return Widths[Code];
    default: return StandardFontWidths[StandardIndex][Code];
  }
}

TPDFFonts::TPDFFonts(TPDFDocument* Owner) : FOwner(Owner) {}

TPDFFonts::~TPDFFonts() = default;

void TPDFFonts::Clear() {
  FFonts.clear();
  FRequests.clear();
  FCurrentIndex = -1;
}

TPDFFont* TPDFFonts::Add() {
  FFonts.push_back(std::make_unique<TPDFFont>());
  TPDFFont* font = FFonts.back().get();
  font->ObjectNumber = FOwner->GetNextID();
  return font;
}

Integer TPDFFonts::FindFont(const AnsiString& FaceName, TFontStyles Style, Integer Charset) const {
  const AnsiString name = UpperCase(FaceName);
  for (Integer i = 0; i < GetCount(); ++i) {
    const TPDFFont* f = FFonts[i].get();
    if (f->Style == Style && f->Charset == Charset && UpperCase(f->FaceName) == name) return i;
  }
  return -1;
}

TPDFFont* TPDFFonts::SelectFont(const AnsiString& FaceName, TFontStyles Style, Integer Charset) {
  if (Charset == DEFAULT_CHARSET) Charset = ANSI_CHARSET;
  if (FindCJKScript(Charset)) return SelectCJK(Style, Charset);

  Style = BoldItalic(Style);
  std::string request = UpperCase(FaceName);
  request += '\0';
  request += static_cast<char>('0' + Style.Bits());
  request += IStr(Charset);
  if (auto known = FRequests.find(request); known != FRequests.end()) {
    FCurrentIndex = known->second;
    return GetItems(FCurrentIndex);
  }
  TPDFFont* font = SelectUncached(FaceName, Style, Charset);
  FRequests.emplace(std::move(request), FCurrentIndex);
  return font;
}

TPDFFont* TPDFFonts::SelectUncached(const AnsiString& FaceName, TFontStyles Style, Integer Charset) {
  AnsiString name = UpperCase(FaceName);
  const bool replaceable = name == "ARIAL" || name == "COURIER NEW" || name == "TIMES NEW ROMAN";
  if (replaceable && (Charset == ANSI_CHARSET || !FaceExists(FaceName, Charset))) {
    name = name == "ARIAL" ? "HELVETICA" : name == "COURIER NEW" ? "COURIER" : "TIMES";
  }
  const bool bold = Style.Contains(fsBold), italic = Style.Contains(fsItalic);
  const Integer variant = (bold ? 1 : 0) + (italic ? 2 : 0);
  if (name == "HELVETICA") return SelectStandard(variant);
  if (name == "TIMES") return SelectStandard(4 + variant);
  if (name == "COURIER") return SelectStandard(8 + variant);
  if (name == "SYMBOL") return SelectStandard(12);
  if (name == "ZAPFDINGBATS") return SelectStandard(13);
  return SelectTrueType(FaceName, Style, Charset);
}

TPDFFont* TPDFFonts::SelectStandard(Integer Index) {
  // The BaseFont name tells bold and italic; Symbol and ZapfDingbats have one face for any style.
  TFontStyles style;
  if (Index < 12) {
    if (Index % 4 == 1 || Index % 4 == 3) style << fsBold;
    if (Index % 4 >= 2) style << fsItalic;
  }
  Integer i = FindFont(kStandardNames[Index], style, 0);
  if (i < 0) {
    TPDFFont* font = Add();
    font->Kind = fkStandard;
    font->StandardIndex = Index;
    font->BaseFont = kStandardNames[Index];
    font->FaceName = kStandardNames[Index];
    font->Style = style;
    font->Charset = 0;
    font->Alias = "F" + IStr(Index);
    i = GetCount() - 1;
  }
  FCurrentIndex = i;
  return GetItems(i);
}

TPDFFont* TPDFFonts::SelectCJK(TFontStyles Style, Integer Charset) {
  const TCJKScript* script = FindCJKScript(Charset);
  Style = BoldItalic(Style);
  Integer i = FindFont(script->FaceName, Style, Charset);
  if (i < 0) {
    TPDFFont* font = Add();
    font->Kind = fkCJK;
    font->CJKScript = Charset;
    font->FaceName = script->FaceName;
    font->BaseFont = script->BaseFont;
    font->Style = Style;
    font->Charset = Charset;
    font->Alias = AnsiString(script->Alias) + (Style.Contains(fsBold) ? "B" : "") + (Style.Contains(fsItalic) ? "I" : "");
    i = GetCount() - 1;
  }
  FCurrentIndex = i;
  return GetItems(i);
}

TPDFFont* TPDFFonts::SelectTrueType(const AnsiString& FaceName, TFontStyles Style, Integer Charset) {
  // Find a TrueType face: the requested style and character set first, then with italic and
  // bold given up, then in the style and the character set of the first face the family has.
  const std::vector<TFace> all = EnumTrueTypeFaces(FaceName, DEFAULT_CHARSET);
  const TFace* found = nullptr;
  TFontStyles style = Style;
  Integer charset = Charset;
  auto tryMatch = [&](TFontStyles s, Integer cs) {
    if (found) return;
    for (const TFace& f : all) {
      if (f.Bold == s.Contains(fsBold) && f.Italic == s.Contains(fsItalic) && f.Charset == cs) {
        found = &f;
        style = s;
        charset = cs;
        return;
      }
    }
  };
  tryMatch(Style, Charset);
  if (!all.empty()) {
    const TFace& first = all.front();
    TFontStyles firstStyle;
    if (first.Bold) firstStyle << fsBold;
    if (first.Italic) firstStyle << fsItalic;
    for (Integer cs : {Charset, first.Charset}) {
      if (cs != Charset) tryMatch(Style, cs);
      TFontStyles s = Style;
      if (s.Contains(fsItalic)) tryMatch(s >> fsItalic, cs);
      if (s.Contains(fsBold)) tryMatch(s >> fsBold, cs);
      tryMatch(firstStyle, cs);
    }
  }
  if (!found) throw TPDFException(SCannotReceiveDataForFont + FaceName);

  const AnsiString face = found->Name;
  Integer i = FindFont(face, style, charset);
  if (i < 0) {
    Integer trueTypeCount = 1;
    for (const auto& f : FFonts)
      if (f->Kind == fkTrueType) ++trueTypeCount;
    TPDFFont* font = Add();
    font->Kind = fkTrueType;
    font->FaceName = face;
    font->Style = style;
    font->Charset = charset;
    font->BaseFont =
        ReplStr(face + (style.Contains(fsBold) ? " Bold" : "") + (style.Contains(fsItalic) ? " Italic" : ""), ' ', "#20");
    font->Alias = "TT" + IStr(trueTypeCount);
    TFaceAt1000 measure(face, style, charset);
    ABC abc[256];
    if (::GetCharABCWidthsA(measure.DC(), 0, 255, abc)) {
      for (int c = 0; c < 256; ++c) font->Widths[c] = abc[c].abcA + static_cast<Integer>(abc[c].abcB) + abc[c].abcC;
      font->WidthsMeasured = true;
    }
    i = GetCount() - 1;
  }
  FCurrentIndex = i;
  return GetItems(i);
}

// ---------------------------------------------------------------------------------------------
// Writing

void TPDFFonts::EmbedFontFiles() {
  TStringList* nonEmbedded = FOwner->GetNonEmbeddedFont();
  for (Integer i = 0; i < GetCount(); ++i) {
    TPDFFont* font = GetItems(i);
    if (font->Kind != fkTrueType) continue;
    font->FontFileNumber = -1;
    bool skip = false;
    for (Integer n = 0; n < nonEmbedded->GetCount() && !skip; ++n) skip = SameText(nonEmbedded->GetStrings(n), font->FaceName);
    if (skip) continue;
    for (Integer j = 0; j < i && font->FontFileNumber < 0; ++j) {
      const TPDFFont* earlier = GetItems(j);
      if (earlier->Kind == fkTrueType && earlier->FontFileNumber > 0 && earlier->BaseFont == font->BaseFont)
        font->FontFileNumber = earlier->FontFileNumber;
    }
    if (font->FontFileNumber > 0) continue;

    TFaceAt1000 face(font->FaceName, font->Style, font->Charset);
    const DWORD size = ::GetFontData(face.DC(), 0, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0) throw TPDFException(SCannotReceiveDataForFont + font->BaseFont);
    AnsiString data(size, '\0');
    if (::GetFontData(face.DC(), 0, 0, data.data(), size) != size)
      throw TPDFException(SCannotReceiveDataForFont + font->BaseFont);
    TMemoryStream packed;
    {
      TCompressionStream deflate(TCompressionLevel::clDefault, &packed);
      deflate.WriteBuffer(data.data(), static_cast<Integer>(data.size()));
      deflate.Finish();
    }
    Integer id = 0;
    FOwner->StartObj(id);
    font->FontFileNumber = id;
    FOwner->SaveToStream("/Filter /FlateDecode /Length " + IStr(static_cast<Integer>(packed.GetSize())) +
                         " /Length1 " + IStr(static_cast<Integer>(size)));
    FOwner->CloseHObj();
    FOwner->StartStream();
    FOwner->WriteStreamData(packed.GetMemory(), static_cast<std::size_t>(packed.GetSize()), id);
    FOwner->SaveToStream("");
    FOwner->CloseStream();
    FOwner->CloseObj();
  }
}

void TPDFFonts::WriteFonts() {
  for (Integer i = 0; i < GetCount(); ++i) {
    TPDFFont* font = GetItems(i);
    if (font->Written) continue;
    switch (font->Kind) {
      case fkStandard: WriteStandard(font); break;
      case fkCJK: WriteCJK(font); break;
      case fkTrueType: WriteTrueType(font); break;
    }
    font->Written = true;
  }
}

void TPDFFonts::WriteStandard(TPDFFont* Font) {
  FOwner->StartObj(Font->ObjectNumber);
  FOwner->SaveToStream("/Type /Font");
  FOwner->SaveToStream("/Subtype /Type1");
  FOwner->SaveToStream("/BaseFont /" + Font->BaseFont);
  if (Font->StandardIndex < 12) FOwner->SaveToStream("/Encoding /WinAnsiEncoding");
  FOwner->SaveToStream("/FirstChar 32");
  FOwner->SaveToStream("/LastChar 255");
  FOwner->CloseHObj();
  FOwner->CloseObj();
}

void TPDFFonts::WriteCJK(TPDFFont* Font) {
  const TCJKScript* script = FindCJKScript(Font->CJKScript);
  AnsiString suffix;
  if (Font->Style.Contains(fsBold) || Font->Style.Contains(fsItalic)) {
    suffix = ",";
    if (Font->Style.Contains(fsBold)) suffix += "Bold";
    if (Font->Style.Contains(fsItalic)) suffix += "Italic";
  }
  const AnsiString name = AnsiString(script->BaseFont) + suffix;
  Integer descendant = FOwner->GetNextID();
  Integer descriptor = FOwner->GetNextID();

  FOwner->StartObj(Font->ObjectNumber);
  FOwner->SaveToStream("/Type /Font /Subtype /Type0  /BaseFont /" + name);
  FOwner->SaveToStream("/DescendantFonts  [ " + IStr(descendant) + " 0 R ] /Encoding /" + script->Encoding);
  FOwner->CloseHObj();
  FOwner->CloseObj();

  FOwner->StartObj(descendant);
  FOwner->SaveToStream("/Type /Font /Subtype /CIDFontType2 /BaseFont /" + name);
  FOwner->SaveToStream("/WinCharSet 128 /FontDescriptor " + Reference(descriptor));
  FOwner->SaveToStream(AnsiString("/CIDSystemInfo << /Registry (Adobe) /Ordering (") + script->Ordering +
                       ") /Supplement " + script->Supplement + " >>");
  FOwner->SaveToStream(script->Widths);
  FOwner->CloseHObj();
  FOwner->CloseObj();

  FOwner->StartObj(descriptor);
  FOwner->SaveToStream("/Type /FontDescriptor");
  FOwner->SaveToStream(AnsiString("/Ascent ") + script->Ascent);
  FOwner->SaveToStream(AnsiString("/CapHeight ") + script->CapHeight);
  FOwner->SaveToStream(AnsiString("/Descent ") + script->Descent);
  FOwner->SaveToStream("/Flags 6");
  FOwner->SaveToStream(AnsiString("/FontBBox ") + script->FontBBox);
  FOwner->SaveToStream("/FontName /" + name);
  FOwner->SaveToStream("/ItalicAngle 0");
  FOwner->SaveToStream("/MissingWidth 500");
  FOwner->SaveToStream("/StemV 93");
  FOwner->SaveToStream("/StemH 31");
  FOwner->SaveToStream(AnsiString("/XHeight ") + script->XHeight);
  FOwner->SaveToStream("/Leading 250");
  FOwner->SaveToStream("/MaxWidth 1000");
  FOwner->SaveToStream(AnsiString("/AvgWidth ") + script->AvgWidth);
  FOwner->SaveToStream("/Style << /Panose <010502020400000000000000> >>");
  FOwner->CloseHObj();
  FOwner->CloseObj();
}

void TPDFFonts::WriteTrueType(TPDFFont* Font) {
  OUTLINETEXTMETRICA otm{};
  {
    TFaceAt1000 face(Font->FaceName, Font->Style, Font->Charset);
    otm.otmSize = sizeof otm;
    if (!::GetOutlineTextMetricsA(face.DC(), sizeof otm, &otm))
      throw TPDFException(SCannotReceiveDataForFont + Font->BaseFont);
  }
  Integer descriptor = 0;
  FOwner->StartObj(descriptor);
  FOwner->SaveToStream("/Type /FontDescriptor");
  FOwner->SaveToStream("/Ascent " + IStr(otm.otmAscent));
  FOwner->SaveToStream("/CapHeight 666");
  FOwner->SaveToStream("/Descent " + IStr(otm.otmDescent));
  FOwner->SaveToStream("/Flags 32");
  FOwner->SaveToStream("/FontBBox [" + IStr(otm.otmrcFontBox.left) + " " + IStr(otm.otmrcFontBox.bottom) + " " +
                       IStr(otm.otmrcFontBox.right) + " " + IStr(otm.otmrcFontBox.top) + "]");
  FOwner->SaveToStream("/FontName /" + Font->BaseFont + CharsetSuffix(Font->Charset));
  // The system reports the angle in tenths of a degree; PDF wants degrees.
  FOwner->SaveToStream("/ItalicAngle " + FormatFloat(otm.otmItalicAngle / 10.0L));
  FOwner->SaveToStream("/StemV 87");
  if (Font->FontFileNumber > 0) FOwner->SaveToStream("/FontFile2 " + Reference(Font->FontFileNumber));
  FOwner->CloseHObj();
  FOwner->CloseObj();

  FOwner->StartObj(Font->ObjectNumber);
  FOwner->SaveToStream("/Type /Font");
  FOwner->SaveToStream("/Subtype /TrueType");
  FOwner->SaveToStream("/BaseFont /" + Font->BaseFont);
  FOwner->SaveToStream("/FirstChar 0");
  FOwner->SaveToStream("/LastChar 255");
  if (Font->Charset == ANSI_CHARSET || Font->Charset == SYMBOL_CHARSET) {
    FOwner->SaveToStream("/Encoding /WinAnsiEncoding");
  } else if (Font->Charset == MAC_CHARSET) {
    FOwner->SaveToStream("/Encoding /MacRomanEncoding");
  } else {
    FOwner->SaveToStream("/Encoding <</Type/Encoding");
    AnsiString bytes(255, '\0');
    for (int c = 1; c <= 255; ++c) bytes[c - 1] = static_cast<char>(c);
    const WideString chars = AnsiToWide(bytes, EncodingCodePage(Font->Charset));
    if (chars.size() != 255) {
      FOwner->SaveToStream("/BaseEncoding /WinAnsiEncoding");
    } else {
      FOwner->SaveToStream("/Differences [1 ");
      for (int c = 0; c < 255; ++c) {
        const Word u = static_cast<Word>(chars[c]);
        if (const char* glyph = GlyphNameOf(u))
          FOwner->SaveToStream(AnsiString("/") + glyph);
        else if (u > 256)
          FOwner->SaveToStream("/uni" + WordToHex(u));
        else
          FOwner->SaveToStream("/space");
      }
      FOwner->SaveToStream("]");
    }
    FOwner->CloseHObj();
  }
  FOwner->SaveToStream("/FontDescriptor " + Reference(descriptor));
  FOwner->SaveToStream("/Widths [");
  AnsiString line;
  for (int row = 0; row < 16; ++row) {
    line.clear();
    for (int c = row * 16; c < row * 16 + 16; ++c) {
      AppendInt(line, Font->Widths[c]);
      line += ' ';
    }
    FOwner->SaveToStream(line);
  }
  FOwner->SaveToStream("]");
  FOwner->CloseHObj();
  FOwner->CloseObj();
}
