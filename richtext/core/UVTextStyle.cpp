// Text styles: applying them to a canvas, drawing text, equality and similarity.
#include <algorithm>
#include <type_traits>
#include <vector>

#include "classlib/Filer.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVMapWht.h"
#include "richtext/core/UVStyle.h"
#include "classlib/TypInfo.h"
#include "richtext/core/UVUni.h"

TFontInfo::TFontInfo(TCollection* Collection) : TCustomUVInfo(Collection) { StyleName = "Font Style"; }

void TFontInfo::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFontInfo*>(Source)) {
    TCustomUVInfo::Assign(Source);
    BiDiMode = f->BiDiMode;
    Jump = f->Jump;
    JumpCursor = f->JumpCursor;
    FontName = f->FontName;
    Size = f->Size;
    Color = f->Color;
    BackColor = f->BackColor;
    HoverColor = f->HoverColor;
    HoverBackColor = f->HoverBackColor;
    Style = f->Style;
    StyleEx = f->StyleEx;
    VShift = f->VShift;
    NextStyleNo = f->NextStyleNo;
    Charset = f->Charset;
    Unicode = f->Unicode;
    Protection = f->Protection;
    Options = f->Options;
    CharScale = f->CharScale;
    CharSpacing = f->CharSpacing;
    return;
  }
  if (auto* font = dynamic_cast<TFont*>(Source)) {
    FontName = font->GetName();
    Size = font->GetSize();
    Color = font->GetColor();
    Style = font->GetStyle();
    Charset = font->GetCharset();
    return;
  }
  TCustomUVInfo::Assign(Source);
}

void TFontInfo::AssignTo(TPersistent* Dest) {
  if (auto* font = dynamic_cast<TFont*>(Dest)) {
    font->SetName(FontName);
    font->SetSize(Size);
    font->SetColor(Color);
    font->SetStyle(Style);
    font->SetCharset(Charset);
    return;
  }
  TCustomUVInfo::AssignTo(Dest);
}

void TFontInfo::DefineProperties(TFiler* Filer) {
  TCustomUVInfo::DefineProperties(Filer);
  // An old property that is still read but never written.
  Filer->DefineProperty("SingleSymbols", TReaderProc(this, &TFontInfo::ReadSingleSymbols), TWriterProc(), false);
}

void TFontInfo::ReadSingleSymbols(TReader* Reader) {
  if (Reader->ReadBoolean()) Protection << uvprStyleProtect << uvprDoNotAutoSwitch;
}

Integer TFontInfo::GetPixelsPerInch() const {
  auto* infos = dynamic_cast<TFontInfos*>(GetCollection());
  return infos ? infos->PixelsPerInch : 0;
}

void TFontInfo::FillLogFont(LOGFONTA& LogFont, TCanvas* Canvas) const {
  LogFont = LOGFONTA{};
  Integer ppi = GetPixelsPerInch();
  if (ppi == 0) ppi = Canvas->GetFont()->PixelsPerInch;
  LogFont.lfHeight = -MulDiv(Size, ppi, 72);
  LogFont.lfWeight = Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  LogFont.lfItalic = Style.Contains(fsItalic) ? 1 : 0;
  LogFont.lfUnderline = Style.Contains(fsUnderline) ? 1 : 0;
  LogFont.lfStrikeOut = Style.Contains(fsStrikeOut) ? 1 : 0;
  LogFont.lfCharSet = Charset;
  lstrcpynA(LogFont.lfFaceName, FontName.c_str(), LF_FACESIZE);
}

void TFontInfo::Apply(TCanvas* Canvas, TUVBiDiMode DefBiDiMode) const {
  TFont* font = Canvas->GetFont();
  if (CharScale == 100) {
    font->SetStyle(Style);
    Integer ppi = GetPixelsPerInch();
    if (ppi != 0)
      font->SetHeight(-MulDiv(Size, ppi, 72));
    else
      font->SetSize(Size);
    font->SetName(FontName);
    font->SetCharset(Charset);
  } else {
    LOGFONTA lf;
    FillLogFont(lf, Canvas);
    font->SetHandle(::CreateFontIndirectA(&lf));
    TEXTMETRICA tm;
    if (::GetTextMetricsA(Canvas->GetHandle(), &tm)) {
      lf.lfWidth = tm.tmAveCharWidth * CharScale / 100;
    } else {
      SIZE sz{};
      ::GetTextExtentPoint32A(Canvas->GetHandle(), "x", 1, &sz);
      lf.lfWidth = sz.cx * CharScale / 100;
    }
    font->SetHandle(::CreateFontIndirectA(&lf));
  }
  TUVBiDiMode mode = BiDiMode == uvbdUnspecified ? DefBiDiMode : BiDiMode;
  HDC dc = Canvas->GetHandle();
  switch (mode) {
    case uvbdLeftToRight:
      ::SetTextCharacterExtra(dc, CharSpacing);
      ::SetTextAlign(dc, TA_LEFT);
      break;
    case uvbdRightToLeft:
      ::SetTextCharacterExtra(dc, 0);
      ::SetTextAlign(dc, TA_RTLREADING);
      break;
    default:
      ::SetTextCharacterExtra(dc, CharSpacing);
      break;
  }
}

void TFontInfo::ApplyColor(TCanvas* Canvas, TUVStyle* Style, TUVTextDrawStates DrawState) const {
  TColor text;
  TColor back;
  if (DrawState.Contains(uvtsSelected)) {
    bool focused = DrawState.Contains(uvtsControlFocused);
    back = focused ? Style->SelColor : Style->InactiveSelColor;
    text = focused ? Style->SelTextColor : Style->InactiveSelTextColor;
    if (text == clNone) text = Color;
  } else if (DrawState.Contains(uvtsHover)) {
    text = Style->GetHoverColor(HoverColor);
    if (text == clNone) text = Color;
    back = HoverBackColor;
  } else {
    text = Color;
    back = BackColor;
  }
  Canvas->GetFont()->SetColor(text);
  if (back == clNone) {
    Canvas->GetBrush()->SetStyle(bsClear);
  } else {
    Canvas->GetBrush()->SetColor(back);
    Canvas->GetBrush()->SetStyle(bsSolid);
  }
}

namespace {

// The advance of each character of a run as the layout measures it. Drawn without advances, Wine
// sets the glyphs of some fonts closer together than it measures them, and the caret and
// selections would stand beside the text; with the run's partial extents every character goes
// where it was measured (character spacing included). A printer's character extra is not
// reliable: there (Extra not 0) each character is measured alone and the extra is added, with
// the device's extra set to 0 for the drawing (the caller puts it back).
template <class Char>
std::vector<int> TextAdvances(HDC DC, const Char* Text, int Count, int Extra) {
  constexpr bool wide = std::is_same_v<Char, wchar_t>;
  std::vector<int> advances(static_cast<std::size_t>(std::max(Count, 0)));
  if (Count <= 0) return advances;
  SIZE size{};
  if (Extra != 0) {
    ::SetTextCharacterExtra(DC, 0);
    for (int i = 0; i < Count; ++i) {
      if constexpr (wide)
        ::GetTextExtentPoint32W(DC, Text + i, 1, &size);
      else
        ::GetTextExtentPoint32A(DC, Text + i, 1, &size);
      advances[i] = size.cx + Extra;
    }
    return advances;
  }
  BOOL measured;
  if constexpr (wide)
    measured = ::GetTextExtentExPointW(DC, Text, Count, 0, nullptr, advances.data(), &size);
  else
    measured = ::GetTextExtentExPointA(DC, Text, Count, 0, nullptr, advances.data(), &size);
  if (!measured) return {};
  for (int i = Count - 1; i > 0; --i) advances[i] -= advances[i - 1];
  return advances;
}

}  // namespace

void TFontInfo::Draw(const AnsiString& Text, TCanvas* Canvas, Integer SpaceBefore, Integer Left, Integer Top,
                     Integer Width, Integer Height, bool Printing) const {
  TBrush* brush = Canvas->GetBrush();
  if (brush->GetStyle() != bsClear && (Printing || Width != 0)) {
    // The background covers the whole piece, justification gaps included.
    Canvas->FillRect(Bounds(Left, Top, Width, Height));
    brush->SetStyle(bsClear);
  }
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  HDC dc = Canvas->GetHandle();
  ::SetBkMode(dc, TRANSPARENT);
  Integer x = Left + SpaceBefore;
  ::SetTextColor(dc, ColorToRGB(Canvas->GetFont()->GetColor()));
  int extra = Printing ? ::GetTextCharacterExtra(dc) : 0;
  if (Unicode) {
    std::wstring w = UVUniRawToWide(Text);
    std::vector<int> advances = TextAdvances(dc, w.data(), static_cast<int>(w.size()), extra);
    ::ExtTextOutW(dc, x, Top, 0, nullptr, w.data(), static_cast<UINT>(w.size()),
                  advances.empty() ? nullptr : advances.data());
    if (extra != 0) ::SetTextCharacterExtra(dc, extra);
  } else {
    std::vector<int> advances = TextAdvances(dc, Text.data(), static_cast<int>(Text.size()), extra);
    ::ExtTextOutA(dc, x, Top, 0, nullptr, Text.data(), static_cast<UINT>(Text.size()),
                  advances.empty() ? nullptr : advances.data());
    if (extra != 0) ::SetTextCharacterExtra(dc, extra);
  }
  bool underline = Style.Contains(fsUnderline) && Width != 0;
  bool overline = StyleEx.Contains(uvfsOverline);
  if (!underline && !overline) return;
  OUTLINETEXTMETRICA otm{};
  otm.otmSize = sizeof(otm);
  bool haveMetrics = ::GetOutlineTextMetricsA(dc, sizeof(otm), &otm) != 0;
  Integer lineWidth = haveMetrics && otm.otmsUnderscoreSize > 0 ? static_cast<Integer>(otm.otmsUnderscoreSize) : 1;
  TPen* pen = Canvas->GetPen();
  TColor oldColor = pen->GetColor();
  Integer oldWidth = pen->GetWidth();
  TPenStyle oldStyle = pen->GetStyle();
  pen->SetColor(Canvas->GetFont()->GetColor());
  pen->SetWidth(lineWidth);
  if (underline && haveMetrics) {
    // Underline the justification gaps too, where the font's own underline does not reach.
    pen->SetStyle(psInsideFrame);
    Integer y = Top + otm.otmTextMetrics.tmAscent - otm.otmsUnderscorePosition;
    Canvas->MoveTo(Left, y);
    Canvas->LineTo(Left + Width + 1, y);
  }
  if (overline) {
    pen->SetStyle(psSolid);
    Canvas->MoveTo(Left, Top);
    Canvas->LineTo(Left + (Width != 0 ? Width : Canvas->TextWidth(Text)), Top);
  }
  pen->SetColor(oldColor);
  pen->SetWidth(oldWidth);
  pen->SetStyle(oldStyle);
}

bool TFontInfo::IsEqual(const TFontInfo* Value, bool IgnoreNext) const {
  return IsEqualIgnoring(Value, IgnoreNext ? (uvfiNextStyleNo | uvfiBaseStyleNo) : uvfiBaseStyleNo);
}

bool TFontInfo::IsEqualIgnoring(const TFontInfo* Value, Cardinal Ignore) const {
  auto differs = [&](Cardinal bit, bool different) { return !(Ignore & bit) && different; };
  if (differs(uvfiSize, Size != Value->Size)) return false;
  if (differs(uvfiCharset, Charset != Value->Charset)) return false;
  if (differs(uvfiUnicode, Unicode != Value->Unicode)) return false;
  if (differs(uvfiBold, Style.Contains(fsBold) != Value->Style.Contains(fsBold))) return false;
  if (differs(uvfiItalic, Style.Contains(fsItalic) != Value->Style.Contains(fsItalic))) return false;
  if (differs(uvfiUnderline, Style.Contains(fsUnderline) != Value->Style.Contains(fsUnderline))) return false;
  if (differs(uvfiStrikeout, Style.Contains(fsStrikeOut) != Value->Style.Contains(fsStrikeOut))) return false;
  if (differs(uvfiOverline, StyleEx.Contains(uvfsOverline) != Value->StyleEx.Contains(uvfsOverline))) return false;
  if (differs(uvfiAllCaps, StyleEx.Contains(uvfsAllCaps) != Value->StyleEx.Contains(uvfsAllCaps))) return false;
  if (differs(uvfiFontName, !AnsiSameText(FontName, Value->FontName))) return false;
  if (differs(uvfiVShift, VShift != Value->VShift)) return false;
  if (differs(uvfiColor, Color != Value->Color)) return false;
  if (differs(uvfiBackColor, BackColor != Value->BackColor)) return false;
  if (differs(uvfiJump, Jump != Value->Jump)) return false;
  if (Jump && Value->Jump) {
    if (differs(uvfiHoverColor, HoverColor != Value->HoverColor)) return false;
    if (differs(uvfiHoverBackColor, HoverBackColor != Value->HoverBackColor)) return false;
    if (differs(uvfiJumpCursor, JumpCursor != Value->JumpCursor)) return false;
  }
  if (differs(uvfiNextStyleNo, NextStyleNo != Value->NextStyleNo)) return false;
  if (differs(uvfiProtection, Protection != Value->Protection)) return false;
  if (differs(uvfiHTMLCode, Options.Contains(uvteoHTMLCode) != Value->Options.Contains(uvteoHTMLCode))) return false;
  if (differs(uvfiRTFCode, Options.Contains(uvteoRTFCode) != Value->Options.Contains(uvteoRTFCode))) return false;
  if (differs(uvfiCharScale, CharScale != Value->CharScale)) return false;
  if (differs(uvfiCharSpacing, CharSpacing != Value->CharSpacing)) return false;
  if (differs(uvfiBiDiMode, BiDiMode != Value->BiDiMode)) return false;
  if (differs(uvfiBaseStyleNo, BaseStyleNo != Value->BaseStyleNo)) return false;
  return true;
}

Integer TFontInfo::Similarity(const TFontInfo* Candidate) const {
  const TFontInfo* a = Candidate;
  Integer result = UVIntSimilarity(a->Size, Size, 10000) + UVIntSimilarity(a->VShift, VShift, 1000) +
                   UVIntSimilarity(a->CharScale, CharScale, 300) + UVIntSimilarity(a->CharSpacing, CharSpacing, 1000) +
                   UVColorSimilarity(a->Color, Color, 3333, 3000) +
                   UVColorSimilarity(a->BackColor, BackColor, 10000, 50000);
  if (a->BiDiMode == BiDiMode) result += 10000;
  if (AnsiSameText(a->FontName, FontName)) result += 10000;
  for (TFontStyle fs : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
    if (a->Style.Contains(fs) == Style.Contains(fs)) result += 50000;
  for (TUVFontStyle fs : {uvfsOverline, uvfsAllCaps})
    if (a->StyleEx.Contains(fs) == StyleEx.Contains(fs)) result += 50000;
  bool plainA = a->Style.Empty() && a->StyleEx.Empty();
  bool plain = Style.Empty() && StyleEx.Empty();
  if (plainA == plain) result += 50000;
  if (a->Jump && Jump) {
    if (a->JumpCursor == JumpCursor) result += 5000;
    result += UVColorSimilarity(a->HoverColor, HoverColor, 3333, 3000) / 2 +
              UVColorSimilarity(a->HoverBackColor, HoverBackColor, 10000, 50000) / 2;
  }
  if (a->Protection != Protection) result -= 100000;
  if (a->Options.Contains(uvteoHTMLCode) == Options.Contains(uvteoHTMLCode)) result += 50000;
  if (a->Options.Contains(uvteoRTFCode) == Options.Contains(uvteoRTFCode)) result += 50000;
  if (a->Charset == Charset)
    result += 50000;
  else if (a->Charset == DEFAULT_CHARSET || Charset == DEFAULT_CHARSET)
    result += 12500;
  return result;
}

bool TFontInfo::IsMappedEqual(TCustomUVInfo* Incoming, TUVIntegerList* Mapping) {
  auto* in = static_cast<TFontInfo*>(Incoming);
  if (!IsEqual(in, true)) return false;
  if (NextStyleNo >= 0 && NextStyleNo < Mapping->GetCount()) return Mapping->Get(NextStyleNo) == in->NextStyleNo;
  return true;
}

Integer TFontInfo::SimilarityTo(TCustomUVInfo* Existing) { return Similarity(static_cast<TFontInfo*>(Existing)); }

bool TFontInfo::InClosestPass(TCustomUVInfo* Existing, Integer Pass) {
  auto* e = static_cast<TFontInfo*>(Existing);
  switch (Pass) {
    case 0:
      return e->Jump == Jump && e->Unicode == Unicode;
    case 1:
      return e->Jump == Jump;
    case 2:
      return e->Unicode == Unicode;
    default:
      return true;
  }
}

void TFontInfo::TranslateReferences(TUVIntegerList* Mapping) {
  TCustomUVInfo::TranslateReferences(Mapping);
  if (NextStyleNo >= 0 && NextStyleNo < Mapping->GetCount()) NextStyleNo = Mapping->Get(NextStyleNo);
}

// ---------------------------------------------------------------------------------------------
// TFontInfos

TFontInfos::TFontInfos(TPersistent* AOwner, TClass ItemClass) : TCustomUVInfos(AOwner, ItemClass) {}

TFontInfo* TFontInfos::GetItem(Integer Index) {
  if (Index < 0 || Index >= GetCount()) return static_cast<TFontInfo*>(GetInvalidItem());
  return static_cast<TFontInfo*>(GetItems(Index));
}

void TFontInfos::InitInvalidItem(TCustomUVInfo* Item) {
  auto* f = static_cast<TFontInfo*>(Item);
  if (GetCount() > 0) f->Assign(GetItems(0));
  f->Color = clWhite;
  f->BackColor = clRed;
}

Integer TFontInfos::FindAnsiStyleWithCharset(Integer StyleNo, TFontCharset Charset) {
  TFontInfo* style = GetItem(StyleNo);
  if (style->Charset == Charset && !style->Unicode) return StyleNo;
  for (Integer i = 0; i < GetCount(); ++i) {
    if (i == StyleNo) continue;
    TFontInfo* other = GetItem(i);
    if (other->Charset == Charset && !other->Unicode &&
        other->IsEqualIgnoring(style, uvfiCharset | uvfiUnicode | uvfiBaseStyleNo))
      return i;
  }
  return -1;
}

PUBLISHED(TFontInfo) {
  Prop("BiDiMode", &TFontInfo::BiDiMode).Default(uvbdUnspecified);
  Prop("Jump", &TFontInfo::Jump).Default(false);
  Prop("JumpCursor", &TFontInfo::JumpCursor).Default(101);
  Prop("FontName", &TFontInfo::FontName);
  Prop("Size", &TFontInfo::Size).Default(10);
  Prop("Color", &TFontInfo::Color).Type(ColorTypeInfo()).Default(clWindowText);
  Prop("BackColor", &TFontInfo::BackColor).Type(ColorTypeInfo()).Default(clNone);
  Prop("HoverColor", &TFontInfo::HoverColor).Type(ColorTypeInfo()).Default(clNone);
  Prop("HoverBackColor", &TFontInfo::HoverBackColor).Type(ColorTypeInfo()).Default(clNone);
  Prop("Style", &TFontInfo::Style).Default(TFontStyles{});
  Prop("StyleEx", &TFontInfo::StyleEx).Default(TUVFontStyles{});
  Prop("VShift", &TFontInfo::VShift).Default(0);
  Prop("NextStyleNo", &TFontInfo::NextStyleNo).Default(-1);
  Prop("Charset", &TFontInfo::Charset).Type(CharsetTypeInfo()).Default(DEFAULT_CHARSET);
  Prop("Unicode", &TFontInfo::Unicode).Default(false);
  Prop("Protection", &TFontInfo::Protection).Default(TUVProtectOptions{});
  Prop("Options", &TFontInfo::Options).Default(TUVTextOptions{});
  Prop("CharScale", &TFontInfo::CharScale).Default(100);
  Prop("CharSpacing", &TFontInfo::CharSpacing).Default(0);
}
