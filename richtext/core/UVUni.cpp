#include "richtext/core/UVUni.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "richtext/core/UVClasses.h"
#include "richtext/core/UVStyle.h"

namespace {

bool DetectNTPlatform() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  return ::GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool IsUnicode(Byte Options) { return (Options & uvioUnicode) != 0; }

const WideChar* Units(const AnsiString& Raw) { return reinterpret_cast<const WideChar*>(Raw.data()); }

}  // namespace

bool UVIsNTPlatform = DetectNTPlatform();

// ---------------------------------------------------------------------------------------------
// Text helpers

Integer UVUniLength(const AnsiString& Text, Byte Options) {
  Integer n = static_cast<Integer>(Text.size());
  return IsUnicode(Options) ? n / 2 : n;
}

AnsiString UVUniCopy(const AnsiString& Text, Integer Index, Integer Count, Byte Options) {
  if (!IsUnicode(Options)) return Copy(Text, Index, Count);
  if (Index < 1) Index = 1;
  return Copy(Text, 2 * Index - 1, 2 * Count);
}

void UVUniDelete(AnsiString& Text, Integer Index, Integer Count, Byte Options) {
  if (!IsUnicode(Options))
    Delete(Text, Index, Count);
  else
    Delete(Text, 2 * Index - 1, 2 * Count);
}

void UVUniInsert(AnsiString& Text, const AnsiString& SubText, Integer Index, Byte Options) {
  if (!IsUnicode(Options))
    Insert(SubText, Text, Index);
  else
    Insert(SubText, Text, 2 * Index - 1);
}

bool UVUniIsSpaceAt(const AnsiString& Text, Integer Index, Byte Options) {
  if (!IsUnicode(Options)) return Index >= 1 && Index <= Length(Text) && Text[Index - 1] == ' ';
  std::size_t byte = 2 * static_cast<std::size_t>(Index - 1);
  return Index >= 1 && byte + 1 < Text.size() && Text[byte] == ' ' && Text[byte + 1] == 0;
}

AnsiString UVUniApplyAllCaps(const AnsiString& Text, const TFontInfo* Style, Byte Options) {
  if (!Style || !Style->StyleEx.Contains(uvfsAllCaps)) return Text;
  if (!IsUnicode(Options)) return AnsiUpperCase(Text);
  if (!UVIsNTPlatform || Text.size() < 2) return Text;
  AnsiString result = Text;
  ::CharUpperBuffW(reinterpret_cast<WideChar*>(result.data()), static_cast<DWORD>(result.size() / 2));
  return result;
}

AnsiString UVUniWideStringToRaw(const WideString& Text) {
  return AnsiString(reinterpret_cast<const char*>(Text.data()), Text.size() * 2);
}

WideString UVUniRawToWide(const AnsiString& Raw) { return WideString(Units(Raw), Raw.size() / 2); }

const WideChar* WideCharScan(const WideChar* Buffer, WideChar Char, Integer Count) {
  for (Integer i = 0; i < Count; ++i)
    if (Buffer[i] == Char) return Buffer + i;
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Measuring

Integer UVUniTextWidth(const AnsiString& Text, TCanvas* Canvas, Byte Options) {
  SIZE sz{};
  HDC dc = Canvas->GetHandle();
  if (IsUnicode(Options))
    ::GetTextExtentPoint32W(dc, Units(Text), static_cast<int>(Text.size() / 2), &sz);
  else
    ::GetTextExtentPoint32A(dc, Text.data(), static_cast<int>(Text.size()), &sz);
  return sz.cx;
}

Integer UVUniTextHeight(const AnsiString& Text, TCanvas* Canvas, Byte Options) {
  SIZE sz{};
  HDC dc = Canvas->GetHandle();
  if (IsUnicode(Options))
    ::GetTextExtentPoint32W(dc, Units(Text), static_cast<int>(Text.size() / 2), &sz);
  else
    ::GetTextExtentPoint32A(dc, Text.data(), static_cast<int>(Text.size()), &sz);
  return sz.cy;
}

void UVUniGetFitExtents(TCanvas* Canvas, const char* Text, Integer Count, Integer MaxExtent, Byte Options,
                        std::vector<Integer>* Extents, Integer& Fit) {
  Fit = 0;
  if (Count <= 0) return;
  HDC dc = Canvas->GetHandle();
  int* dx = nullptr;
  if (Extents) {
    Extents->assign(static_cast<std::size_t>(Count), 0);
    dx = Extents->data();
  }
  int fit = 0;
  SIZE sz{};
  if (!IsUnicode(Options)) {
    ::GetTextExtentExPointA(dc, Text, Count, MaxExtent, &fit, dx, &sz);
  } else if (UVIsNTPlatform) {
    ::GetTextExtentExPointW(dc, reinterpret_cast<const WideChar*>(Text), Count, MaxExtent, &fit, dx, &sz);
  } else {
    // Without the wide extent call: prefixes of growing length until one is too wide.
    const WideChar* w = reinterpret_cast<const WideChar*>(Text);
    fit = Count;
    for (Integer n = 1; n <= Count; ++n) {
      ::GetTextExtentPoint32W(dc, w, n, &sz);
      if (dx) dx[n - 1] = sz.cx;
      if (sz.cx > MaxExtent) {
        fit = n - 1;
        break;
      }
    }
  }
  Fit = fit;
}

void UVUniGetTextExtentEx(TCanvas* Canvas, const AnsiString& Text, Integer MaxExtent, Byte Options,
                          std::vector<Integer>* Extents, Integer& Fit) {
  UVUniGetFitExtents(Canvas, Text.data(), UVUniLength(Text, Options), MaxExtent, Options, Extents, Fit);
}

namespace {

// Visual order and advance widths of the characters (and their classes when asked for).
bool CharacterPlacement(TCanvas* Canvas, const AnsiString& Text, Byte Options, DWORD Flags, std::vector<UINT>& Order,
                        std::vector<int>& Widths, std::vector<char>* Classes) {
  Integer count = UVUniLength(Text, Options);
  Order.assign(static_cast<std::size_t>(count), 0);
  Widths.assign(static_cast<std::size_t>(count), 0);
  HDC dc = Canvas->GetHandle();
  if (IsUnicode(Options)) {
    GCP_RESULTSW gcp{};
    gcp.lStructSize = sizeof(gcp);
    gcp.lpOrder = Order.data();
    gcp.lpDx = Widths.data();
    gcp.lpClass = Classes ? Classes->data() : nullptr;
    gcp.nGlyphs = static_cast<UINT>(count);
    return ::GetCharacterPlacementW(dc, Units(Text), count, 0, &gcp, Flags) != 0;
  }
  GCP_RESULTSA gcp{};
  gcp.lStructSize = sizeof(gcp);
  gcp.lpOrder = Order.data();
  gcp.lpDx = Widths.data();
  gcp.lpClass = Classes ? Classes->data() : nullptr;
  gcp.nGlyphs = static_cast<UINT>(count);
  return ::GetCharacterPlacementA(dc, Text.data(), count, 0, &gcp, Flags) != 0;
}

}  // namespace

bool GetTextCharPlacement(TCanvas* Canvas, const AnsiString& Text, std::vector<Integer>& Positions, Byte Options) {
  Integer count = UVUniLength(Text, Options);
  Positions.assign(static_cast<std::size_t>(count + 1), 0);
  if (count == 0) return true;
  std::vector<UINT> order;
  std::vector<int> widths;
  std::vector<char> classes(static_cast<std::size_t>(count));
  bool result = CharacterPlacement(Canvas, Text, Options, GCP_REORDER | GCP_USEKERNING | GCP_GLYPHSHAPE | GCP_DIACRITIC,
                                   order, widths, &classes);
  if (!result) return false;
  // The order array maps logical characters to visual positions; walk in visual order.
  std::vector<Integer> visualToLogical(static_cast<std::size_t>(count), 0);
  for (Integer j = 0; j < count; ++j) {
    UINT v = order[static_cast<std::size_t>(j)];
    if (v < static_cast<UINT>(count)) visualToLogical[v] = j;
  }
  Integer x = 0;
  for (Integer v = 0; v < count; ++v) {
    Integer j = visualToLogical[static_cast<std::size_t>(v)];
    Integer w = widths[static_cast<std::size_t>(j)];
    if (classes[static_cast<std::size_t>(j)] == GCPCLASS_HEBREW) {
      Positions[static_cast<std::size_t>(j + 1)] = x;
      if (j == 0) Positions[0] = x + w;
    } else {
      Positions[static_cast<std::size_t>(j + 1)] = x + w + 1;
      if (j == 0) Positions[0] = x;
    }
    x += w;
  }
  return true;
}

bool UVUniDrawSelectedText(TCanvas* Canvas, const AnsiString& Text, Integer First, Integer Last, Integer Left,
                           Integer Top, Integer Height, Byte Options, bool BiDi) {
  if (!BiDi) return false;
  Integer count = UVUniLength(Text, Options);
  if (count == 0 || First > Last) return false;
  std::vector<UINT> order;
  std::vector<int> widths;
  HDC dc = Canvas->GetHandle();
  bool ok = CharacterPlacement(Canvas, Text, Options, GCP_REORDER, order, widths, nullptr);
  if (!ok) return false;
  std::vector<Integer> logicalAt(static_cast<std::size_t>(count), 0);
  std::vector<Integer> xAt(static_cast<std::size_t>(count + 1), 0);
  for (Integer j = 0; j < count; ++j)
    if (order[static_cast<std::size_t>(j)] < static_cast<UINT>(count)) logicalAt[order[static_cast<std::size_t>(j)]] = j;
  for (Integer v = 0; v < count; ++v)
    xAt[static_cast<std::size_t>(v + 1)] = xAt[static_cast<std::size_t>(v)] + widths[static_cast<std::size_t>(logicalAt[static_cast<std::size_t>(v)])];
  std::vector<bool> marked(static_cast<std::size_t>(count), false);
  for (Integer v = 0; v < count; ++v) {
    Integer j = logicalAt[static_cast<std::size_t>(v)] + 1;
    marked[static_cast<std::size_t>(v)] = j >= First && j <= Last;
  }
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  for (;;) {
    Integer start = -1;
    for (Integer v = 0; v < count && start < 0; ++v)
      if (marked[static_cast<std::size_t>(v)]) start = v;
    if (start < 0) break;
    // The longest run of visually adjacent characters whose logical indices also follow on.
    Integer end = start;
    while (end + 1 < count && marked[static_cast<std::size_t>(end + 1)] &&
           std::abs(logicalAt[static_cast<std::size_t>(end + 1)] - logicalAt[static_cast<std::size_t>(end)]) == 1)
      ++end;
    for (Integer v = start; v <= end; ++v) marked[static_cast<std::size_t>(v)] = false;
    RECT clip{Left + xAt[static_cast<std::size_t>(start)], Top, Left + xAt[static_cast<std::size_t>(end + 1)],
              Top + Height};
    if (IsUnicode(Options))
      ::ExtTextOutW(dc, Left, Top, ETO_CLIPPED | ETO_OPAQUE, &clip, Units(Text), count, nullptr);
    else
      ::ExtTextOutA(dc, Left, Top, ETO_CLIPPED | ETO_OPAQUE, &clip, Text.data(), count, nullptr);
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Line breaking

const Byte UVLineBreakPairs[20][20] = {
    // OP CL QU GL NS EX SY IS PR PO NU AL ID IN HY BA BB B2 ZW CM
    {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1},  // OP
    {0, 2, 1, 1, 2, 2, 2, 2, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1},  // CL
    {2, 2, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1},  // QU
    {1, 2, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1},  // GL
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1},  // NS
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1},  // EX
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 0, 0, 0, 1, 1, 0, 0, 2, 1},  // SY
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 0, 0, 0, 1, 1, 0, 0, 2, 1},  // IS
    {1, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 1, 1, 0, 1, 1, 0, 0, 2, 1},  // PR
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1},  // PO
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 1, 1, 1, 0, 1, 1, 1, 0, 0, 2, 1},  // NU
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 1, 0, 1, 1, 1, 0, 0, 2, 1},  // AL
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 1, 0, 0, 0, 1, 1, 1, 0, 0, 2, 1},  // ID
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 2, 1},  // IN
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1},  // HY
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1},  // BA
    {1, 2, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1},  // BB
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 2, 2, 1},  // B2
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1},  // ZW
    {0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 1, 0, 1, 1, 1, 0, 0, 2, 1},  // CM
};

namespace {

struct ClassRange {
  Word First;
  Word Last;
  Byte Class;
};

const ClassRange kClassRanges[] = {
#include "richtext/core/UVUniLineBreakClasses.inc"
};

// The classes of U+0000 to U+00FF: letters and most symbols break like AL.
constexpr std::array<Byte, 256> MakeLatin1Classes() {
  std::array<Byte, 256> t{};
  for (auto& c : t) c = lbAL;
  for (int c = 0x00; c <= 0x08; ++c) t[c] = lbCM;
  t[0x09] = lbBA;
  t[0x0B] = lbCM;
  for (int c = 0x0E; c <= 0x1F; ++c) t[c] = lbCM;
  for (int c = 0x7F; c <= 0x9F; ++c) t[c] = lbCM;
  t[0x21] = lbEX;
  t[0x22] = lbQU;
  t[0x24] = lbPR;
  t[0x25] = lbPO;
  t[0x27] = lbQU;
  t[0x28] = lbOP;
  t[0x29] = lbCL;
  t[0x2B] = lbPR;
  t[0x2C] = lbIS;
  t[0x2D] = lbHY;
  t[0x2E] = lbIS;
  t[0x2F] = lbSY;
  for (int c = 0x30; c <= 0x39; ++c) t[c] = lbNU;
  t[0x3A] = lbIS;
  t[0x3B] = lbIS;
  t[0x3F] = lbEX;
  t[0x5B] = lbOP;
  t[0x5C] = lbPR;
  t[0x5D] = lbCL;
  t[0x7B] = lbOP;
  t[0x7C] = lbBA;
  t[0x7D] = lbCL;
  t[0xA0] = lbGL;
  t[0xA2] = lbPO;
  t[0xA3] = lbPR;
  t[0xA4] = lbPR;
  t[0xA5] = lbPR;
  t[0xAB] = lbQU;
  t[0xAD] = lbBA;
  t[0xB0] = lbPO;
  t[0xB1] = lbPR;
  t[0xB4] = lbBB;
  t[0xBB] = lbQU;
  return t;
}

constexpr std::array<Byte, 256> kLatin1Classes = MakeLatin1Classes();

}  // namespace

Integer UVUniGetCharLineBreakClass(WideChar Char) {
  Word c = static_cast<Word>(Char);
  if (c < 0x100) return kLatin1Classes[c];
  const ClassRange* begin = std::begin(kClassRanges);
  const ClassRange* end = std::end(kClassRanges);
  const ClassRange* r = std::upper_bound(begin, end, c, [](Word v, const ClassRange& range) { return v < range.First; });
  if (r == begin) return lbAL;
  --r;
  return c <= r->Last ? static_cast<Integer>(r->Class) : static_cast<Integer>(lbAL);
}

const WideChar* UVUniGetLineBreakPos(const WideChar* S, Integer P) {
  if (S[P] == L' ') return S + P;
  Integer after = UVUniGetCharLineBreakClass(S[P]);
  Integer i = P - 1;
  for (; i >= 0; --i) {
    if (S[i] == L' ') continue;
    Integer before = UVUniGetCharLineBreakClass(S[i]);
    Byte v = UVLineBreakPairs[before][after];
    if (v == 1 && S[i + 1] != L' ') v = 2;
    if (v == 0 || v == 1) break;
    after = before;
  }
  if (i < 0) return nullptr;
  // Spaces after the break stay on the line.
  while (i + 1 < P && S[i + 1] == L' ') ++i;
  return S + i;
}

// ---------------------------------------------------------------------------------------------
// Code pages

AnsiString AnsiToUnicodeCP(Integer CodePage, const AnsiString& Text) {
  if (Text.empty()) return AnsiString();
  const DWORD flags = MB_PRECOMPOSED | MB_USEGLYPHCHARS;
  int length = static_cast<int>(Text.size());
  UINT cp = static_cast<UINT>(CodePage);
  int n = ::MultiByteToWideChar(cp, flags, Text.data(), length, nullptr, 0);
  if (n == 0 && CodePage != 0) {
    cp = CP_ACP;
    n = ::MultiByteToWideChar(cp, flags, Text.data(), length, nullptr, 0);
  }
  if (n == 0) return UVUniWideStringToRaw(WideString(Text.size(), L'?'));
  WideString w(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(cp, flags, Text.data(), length, w.data(), n);
  return UVUniWideStringToRaw(w);
}

AnsiString UnicodeToAnsiCP(Integer CodePage, const AnsiString& Raw) {
  if (Raw.size() % 2 != 0) throw EUzurUvadError("Can't perform Unicode operation");
  if (Raw.empty()) return AnsiString();
  // Composite check with separate characters, discarding non-spacing marks, the default
  // character "?" for anything the code page lacks, and no look-alike substitutes.
  const DWORD flags = WC_COMPOSITECHECK | WC_SEPCHARS | WC_DISCARDNS | WC_DEFAULTCHAR | WC_NO_BEST_FIT_CHARS;
  const WideChar* w = Units(Raw);
  int length = static_cast<int>(Raw.size() / 2);
  auto convert = [&](UINT cp, AnsiString& out) {
    int n = ::WideCharToMultiByte(cp, flags, w, length, nullptr, 0, "?", nullptr);
    if (n == 0) return false;
    out.assign(static_cast<std::size_t>(n), '\0');
    return ::WideCharToMultiByte(cp, flags, w, length, out.data(), n, "?", nullptr) != 0;
  };
  AnsiString result;
  if (convert(static_cast<UINT>(CodePage), result)) return result;
  if (CodePage != 0 && convert(CP_ACP, result)) return result;
  return AnsiString(static_cast<std::size_t>(length), '?');
}

Integer GetKeyboardCodePage() {
  char buffer[16] = {};
  LCID locale = MAKELCID(LOWORD(reinterpret_cast<std::uintptr_t>(::GetKeyboardLayout(0))), SORT_DEFAULT);
  if (::GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, buffer, sizeof(buffer)) > 0) {
    Integer cp = 0;
    if (TryStrToInt(buffer, cp)) return cp;
  }
  return static_cast<Integer>(::GetACP());
}

bool UVUniSplitsPair(const WideChar* Text, Integer Count, Integer Index) {
  return Index > 0 && Index < Count && Text[Index] >= 0xDC00 && Text[Index] <= 0xDFFF && Text[Index - 1] >= 0xD800 &&
         Text[Index - 1] <= 0xDBFF;
}

AnsiString KeyboardAnsiToUnicode(const AnsiString& Text) { return AnsiToUnicodeCP(GetKeyboardCodePage(), Text); }

Integer UVCharsetToCodePage(Integer Charset) {
  switch (Charset) {
    case 0:
      return 1252;
    case 77:
      return 2;
    case 128:
      return 932;
    case 129:
      return 949;
    case 130:
      return 1361;
    case 134:
      return 936;
    case 136:
      return 950;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 255:
      return 1;
    default:
      return 0;
  }
}

Integer UVCharsetToLanguage(Integer Charset) {
  switch (Charset) {
    case 128:
      return 1041;
    case 129:
      return 1042;
    case 130:
      return 2066;
    case 134:
      return 2052;
    case 136:
      return 1028;
    case 161:
      return 1032;
    case 162:
      return 1055;
    case 163:
      return 1066;
    case 177:
      return 1037;
    case 204:
      return 1049;
    case 222:
      return 1054;
    default:
      return 1024;
  }
}

// ---------------------------------------------------------------------------------------------
// HTML

void UVUniHTMLEscapeChar(WideChar Char, bool& PrevSpace, bool Raw, AnsiString& Out) {
  if (Raw) {
    Out += static_cast<char>(Char);
    PrevSpace = false;
    return;
  }
  switch (Char) {
    case L'&':
      Out += "&amp;";
      break;
    case L'<':
      Out += "&lt;";
      break;
    case L'>':
      Out += "&gt;";
      break;
    case L' ':
      if (PrevSpace) {
        Out += "&nbsp;";
      } else {
        Out += ' ';
        PrevSpace = true;
        return;
      }
      break;
    default:
      Out += static_cast<char>(Char);
      break;
  }
  PrevSpace = false;
}

AnsiString UVUniToHTML(const AnsiString& Raw, bool EmptyGivesSpace, bool RawText) {
  AnsiString result;
  bool prevSpace = false;
  std::size_t n = Raw.size() / 2;
  const WideChar* w = Units(Raw);
  for (std::size_t i = 0; i < n; ++i) {
    if (static_cast<Word>(w[i]) < 128) {
      UVUniHTMLEscapeChar(w[i], prevSpace, RawText, result);
    } else {
      result += Format("&#%d;", static_cast<Integer>(static_cast<Word>(w[i])));
      prevSpace = false;
    }
  }
  if (result.empty() && EmptyGivesSpace) result = "&nbsp;";
  return result;
}

void UVUniWriteHTML(TStream* Stream, const AnsiString& Raw, bool EmptyGivesSpace, bool RawText) {
  AnsiString html = UVUniToHTML(Raw, EmptyGivesSpace, RawText);
  if (!html.empty()) Stream->WriteBuffer(html.data(), static_cast<Integer>(html.size()));
}
