// The RTF import's choice of styles: the text style and paragraph style for the RTF properties in
// force (a fixed one, the closest one, or an equal one added when missing), and the list styles
// for RTF lists and old-style paragraph numbering.
#include <cmath>
#include <memory>

#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVMapWht.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/core/UVStyle.h"

namespace {

Integer Sign(Integer Value) { return Value > 0 ? 1 : Value < 0 ? -1 : 0; }

// A border side of RTF as this library draws it.
struct SideBorder {
  TUVBorderStyle Style = uvbNone;
  Integer Width = 1;
  Integer InternalWidth = 1;
};

SideBorder ConvertBorder(TUVRTFBorderType Type, Integer WidthTw, TUVRTFSide Side, double PixelsPerTwip) {
  SideBorder b;
  const Integer w = static_cast<Integer>(Round(WidthTw * PixelsPerTwip));
  const bool leftTop = Side == rtf_side_Left || Side == rtf_side_Top;
  switch (Type) {
    case 0:
      break;
    case 2:  // thick: a single line twice as wide
      b = {uvbSingle, 2 * w, 1};
      break;
    case 7:  // hairline
      b = {uvbSingle, 1, 1};
      break;
    case 4:
    case 22:
      b = {uvbDouble, w, 2 * w - 1};
      break;
    case 11:
      b = {uvbTriple, w, 2 * w - 1};
      break;
    case 14:
      b = {uvbTriple, w / 3, 1};
      break;
    case 17: {
      const Integer half = w / 2;
      b = {uvbTriple, half, 3 * half - 1};
      break;
    }
    case 20:
      b = {uvbTriple, 1, w};
      break;
    case 12:
    case 15:
    case 18:  // thin line outside, thick inside on the left and top
      b = {leftTop ? uvbThickInside : uvbThickOutside, w / 2, 1};
      break;
    case 13:
    case 16:
    case 19:
      b = {leftTop ? uvbThickOutside : uvbThickInside, w / 2, 1};
      break;
    default:
      b = {uvbSingle, w, 1};
  }
  if (b.Style != uvbNone && b.Width < 1) b.Width = 1;
  if (b.InternalWidth < 1) b.InternalWidth = 1;
  return b;
}

TColor BorderColor(TColor Color) { return Color == clNone ? clWindowText : Color; }

TUVAlignment ToAlignment(TUVRTFAlignment Alignment) {
  switch (Alignment) {
    case rtf_al_Right:
      return uvaRight;
    case rtf_al_Center:
      return uvaCenter;
    case rtf_al_Justify:
      return uvaJustify;
    default:
      return uvaLeft;
  }
}

TUVMarkerAlignment ToMarkerAlignment(TUVRTFAlignment Alignment) {
  return Alignment == rtf_al_Right ? uvmaRight : Alignment == rtf_al_Center ? uvmaCenter : uvmaLeft;
}

TUVListType ToListType(TUVRTFParaListType Type) {
  switch (Type) {
    case rtf_pn_LowerLetter:
      return uvlstLowerAlpha;
    case rtf_pn_UpperLetter:
      return uvlstUpperAlpha;
    case rtf_pn_LowerRoman:
      return uvlstLowerRoman;
    case rtf_pn_UpperRoman:
      return uvlstUpperRoman;
    case rtf_pn_Bullet:
      return uvlstBullet;
    default:
      return uvlstDecimal;
  }
}

// The paragraph properties that decide a paragraph style.
bool SameParagraph(const TUVRTFParaProperties& A, const TUVRTFParaProperties& B) {
  if (A.LeftIndentTw != B.LeftIndentTw || A.RightIndentTw != B.RightIndentTw || A.FirstIndentTw != B.FirstIndentTw ||
      A.SpaceBeforeTw != B.SpaceBeforeTw || A.SpaceAfterTw != B.SpaceAfterTw || A.Alignment != B.Alignment ||
      A.LineSpacing != B.LineSpacing || A.LineSpacingMulti != B.LineSpacingMulti || A.BackColor != B.BackColor ||
      A.HasBorder() != B.HasBorder())
    return false;
  if (!A.HasBorder()) return true;
  for (int i = 0; i < 4; ++i) {
    const TUVRTFBorderSide& a = A.Border->Sides[i];
    const TUVRTFBorderSide& b = B.Border->Sides[i];
    if (a.BorderType != b.BorderType || a.WidthTw != b.WidthTw || a.Color != b.Color) return false;
  }
  return true;
}

bool SameFont(TFont* A, TFont* B) {
  return AnsiSameText(A->GetName(), B->GetName()) && A->GetSize() == B->GetSize() && A->GetColor() == B->GetColor() &&
         A->GetStyle() == B->GetStyle();
}

// The level fields that tell two imported levels apart.
bool SameImportedLevel(TUVListLevel* A, TUVListLevel* B) {
  const bool unicode = A->ListType == uvlstUnicodeBullet;
  return A->ListType == B->ListType && A->StartFrom == B->StartFrom && A->MarkerAlignment == B->MarkerAlignment &&
         A->LeftIndent == B->LeftIndent && A->FirstIndent == B->FirstIndent && A->MarkerIndent == B->MarkerIndent &&
         A->Options.Contains(uvloLevelReset) == B->Options.Contains(uvloLevelReset) &&
         A->Options.Contains(uvloLegalStyleNumbering) == B->Options.Contains(uvloLegalStyleNumbering) &&
         SameFont(A->GetFont(), B->GetFont()) &&
         (unicode ? A->FormatStringW == B->FormatStringW : A->FormatString == B->FormatString);
}

// "%s" and "%0:s" place the counter of a one-level list alike.
AnsiString OneLevelFormat(const AnsiString& Format) {
  AnsiString s = Format;
  std::size_t p = s.find("%0:s");
  if (p != AnsiString::npos) s.replace(p, 4, "%s");
  return s;
}

}  // namespace

// --- Text styles ----------------------------------------------------------------------------------

Integer TUVRTFReaderProperties::FindTextStyle(bool Unicode, bool Hyperlink) {
  if (TextStyleMode == uvrsUseSpecified || !FStyle) return FTextStyleNo;
  const TUVRTFCharProperties& cp = FReader->GetCharProps();
  TUVRTFFontList* fonts = FReader->GetFontList();
  TFontInfos* styles = FStyle->GetTextStyles();
  const AnsiString fontName = FReader->GetCurrentFontName();
  const Byte charset = cp.FontIndex >= 0 && cp.FontIndex < fonts->GetCount() ? fonts->GetItem(cp.FontIndex)->Charset
                                                                             : Byte(DEFAULT_CHARSET);
  const bool shifted = cp.SScriptType != rtf_ss_Normal;
  const Integer size = shifted ? cp.Size / 2 : cp.Size;
  const Integer vshift = cp.SScriptType == rtf_ss_Subscript ? -25 : cp.SScriptType == rtf_ss_Superscript ? 45 : 0;
  const Integer spacing = static_cast<Integer>(Round(cp.CharSpacingTw * FPixelsPerTwip));

  if (TextStyleMode == uvrsAddIfNeeded) {
    if (fonts->GetCount() == 0) return 0;
    for (Integer i = 0; i < styles->GetCount(); ++i) {
      if (!Allowed(i, false)) continue;
      TFontInfo* f = styles->GetItem(i);
      if (AnsiSameText(f->FontName, fontName) && f->Size == size && f->Color == cp.Color &&
          f->BackColor == cp.BackColor && f->Style == cp.Style &&
          (f->Charset == charset || f->Charset == DEFAULT_CHARSET) && f->CharScale == cp.CharScaleX &&
          f->CharSpacing == spacing && f->StyleEx == (cp.AllCaps ? TUVFontStyles{uvfsAllCaps} : TUVFontStyles()) &&
          Sign(f->VShift) == Sign(vshift) && f->Unicode == Unicode && f->Jump == Hyperlink)
        return i;
    }
    TFontInfo* f = styles->Add();
    f->FontName = fontName;
    f->Charset = charset;
    f->Size = size;
    f->Color = cp.Color;
    f->BackColor = cp.BackColor;
    f->Style = cp.Style;
    f->CharScale = cp.CharScaleX;
    f->CharSpacing = spacing;
    f->VShift = vshift;
    if (cp.AllCaps) f->StyleEx = TUVFontStyles{uvfsAllCaps};
    f->Jump = Hyperlink;
    if (Hyperlink) f->JumpCursor = FStyle->JumpCursor;
    f->Unicode = Unicode;
    return styles->GetCount() - 1;
  }

  Integer best = 0;
  Integer bestScore = 0;
  for (Integer i = 0; i < styles->GetCount(); ++i) {
    if (!Allowed(i, false)) continue;
    TFontInfo* f = styles->GetItem(i);
    if (f->Unicode != Unicode) continue;
    if (Hyperlink ? !f->Jump : (f->Jump && !UseHypertextStyles)) continue;
    Integer score = 0;
    if (AnsiSameText(f->FontName, fontName)) score += 10000;
    if (f->Charset == charset)
      score += 50000;
    else if (f->Charset == DEFAULT_CHARSET || charset == DEFAULT_CHARSET)
      score += 12500;
    score += UVIntSimilarity(size, f->Size, 10000);
    score += UVColorSimilarity(cp.Color, f->Color, 3333, 3000);
    score += UVColorSimilarity(cp.BackColor, f->BackColor, 10000, 50000);
    if (f->StyleEx.Contains(uvfsAllCaps) == cp.AllCaps) score += 50000;
    for (TFontStyle s : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
      if (f->Style.Contains(s) == cp.Style.Contains(s)) score += 50000;
    if ((f->Style.Empty() && f->StyleEx.Empty()) == (cp.Style.Empty() && !cp.AllCaps)) score += 50000;
    score += static_cast<Integer>(Round((1.0L - std::abs(cp.CharScaleX - f->CharScale) / 100.0L) * 300));
    score += UVIntSimilarity(spacing, f->CharSpacing, 10000);
    if (Sign(f->VShift) == Sign(vshift)) score += 50000;
    if (!f->StyleEx.Empty()) score /= 4;
    if (score > bestScore) {
      best = i;
      bestScore = score;
    }
  }
  return best;
}

// --- Paragraph styles -----------------------------------------------------------------------------

void TUVRTFReaderProperties::FillParaStyle(TParaInfo* Para) {
  const TUVRTFParaProperties& pp = FReader->GetParaProps();
  auto px = [this](Integer Twips) { return static_cast<Integer>(Round(Twips * FPixelsPerTwip)); };
  Para->Alignment = ToAlignment(pp.Alignment);
  Para->FirstIndent = px(pp.FirstIndentTw);
  Para->LeftIndent = px(pp.LeftIndentTw);
  Para->RightIndent = px(pp.RightIndentTw);
  Para->SpaceBefore = px(pp.SpaceBeforeTw);
  Para->SpaceAfter = px(pp.SpaceAfterTw);
  Para->LineSpacingType = uvlsPercent;
  Para->LineSpacing = pp.LineSpacingMulti && pp.LineSpacing != 0 ? std::abs(pp.LineSpacing) * 100 / 240 : 100;
  Para->GetBackground()->Color = pp.BackColor;
  TUVBorder* border = Para->GetBorder();
  if (!pp.HasBorder()) return;
  // The border takes its line from the first side that has one.
  for (TUVRTFSide side : {rtf_side_Top, rtf_side_Left, rtf_side_Bottom, rtf_side_Right}) {
    const TUVRTFBorderSide& s = pp.Border->GetSide(side);
    if (s.BorderType == 0) continue;
    SideBorder b = ConvertBorder(s.BorderType, s.WidthTw, side, FPixelsPerTwip);
    border->Style = b.Style;
    border->Width = b.Width;
    border->InternalWidth = b.InternalWidth;
    border->Color = BorderColor(s.Color);
    break;
  }
  TUVBooleanRect* visible = border->GetVisibleBorders();
  visible->Left = pp.Border->GetSide(rtf_side_Left).BorderType != 0;
  visible->Top = pp.Border->GetSide(rtf_side_Top).BorderType != 0;
  visible->Right = pp.Border->GetSide(rtf_side_Right).BorderType != 0;
  visible->Bottom = pp.Border->GetSide(rtf_side_Bottom).BorderType != 0;
  // The border stands in the spaces before and after the paragraph.
  const Integer total = border->GetTotalWidth();
  Para->SpaceBefore += total;
  Para->SpaceAfter += total;
}

Integer TUVRTFReaderProperties::FindParaStyle() {
  if (ParaStyleMode == uvrsUseSpecified || !FStyle) return FParaStyleNo;
  const TUVRTFParaProperties& pp = FReader->GetParaProps();
  TParaInfos* styles = FStyle->GetParaStyles();
  if (FCachedParaProps && FCachedParaNo >= 0 && FCachedParaNo < styles->GetCount() &&
      SameParagraph(*FCachedParaProps, pp))
    return FCachedParaNo;

  TParaInfos scratch(nullptr, FStyle->GetParaStyleClass());
  TParaInfo* wanted = scratch.Add();
  FillParaStyle(wanted);
  Integer result = -1;
  if (ParaStyleMode == uvrsAddIfNeeded) {
    const Cardinal compared = uvpiFirstIndent | uvpiLeftIndent | uvpiRightIndent | uvpiSpaceBefore | uvpiSpaceAfter |
                              uvpiAlignment | uvpiLineSpacing | uvpiLineSpacingType | uvpiBackground_Color |
                              uvpiBorder_Color | uvpiBorder_Style | uvpiBorder_Width | uvpiBorder_InternalWidth |
                              uvpiBorder_Vis_Left | uvpiBorder_Vis_Top | uvpiBorder_Vis_Right | uvpiBorder_Vis_Bottom;
    for (Integer i = 0; i < styles->GetCount() && result < 0; ++i) {
      if (!Allowed(i, true)) continue;
      TParaInfo* p = styles->GetItem(i);
      // A border that is not drawn has no sides to compare.
      Cardinal ignore = uvpiFullParaInfo & ~compared;
      if (p->GetBorder()->Style == uvbNone && wanted->GetBorder()->Style == uvbNone)
        ignore |= uvpiBorder_Color | uvpiBorder_Width | uvpiBorder_InternalWidth | uvpiBorder_Vis_Left |
                  uvpiBorder_Vis_Top | uvpiBorder_Vis_Right | uvpiBorder_Vis_Bottom;
      if (p->IsEqualIgnoring(wanted, ignore)) result = i;
    }
    if (result < 0) {
      styles->Add()->Assign(wanted);
      result = styles->GetCount() - 1;
    }
  } else {
    result = 0;
    Integer bestScore = 0;
    const bool hasBorder = pp.HasBorder();
    const Integer rtfPercent = wanted->LineSpacing;
    for (Integer i = 0; i < styles->GetCount(); ++i) {
      if (!Allowed(i, true)) continue;
      TParaInfo* p = styles->GetItem(i);
      Integer score = p->Alignment == wanted->Alignment ? 50000 : 0;
      score += UVIntSimilarity(wanted->FirstIndent, p->FirstIndent, 1000);
      score += UVIntSimilarity(wanted->LeftIndent, p->LeftIndent, 1000);
      score += UVIntSimilarity(wanted->RightIndent, p->RightIndent, 1000);
      score += UVIntSimilarity(wanted->SpaceBefore, p->SpaceBefore, 1000);
      score += UVIntSimilarity(wanted->SpaceAfter, p->SpaceAfter, 1000);
      score += UVColorSimilarity(wanted->GetBackground()->Color, p->GetBackground()->Color, 10000, 50000);
      if (pp.LineSpacingMulti) {
        if (p->LineSpacingType == uvlsPercent)
          score += UVIntSimilarity(std::max(100, rtfPercent), std::max(100, p->LineSpacing), 5000);
        else if (p->LineSpacing >= 2)
          score -= 20000;
        else if (rtfPercent <= 100)
          score += 5000;
      }
      TUVBorder* border = p->GetBorder();
      if (!hasBorder) {
        if (border->Style == uvbNone) score += 20000;
      } else {
        for (TUVRTFSide side : {rtf_side_Left, rtf_side_Top, rtf_side_Right, rtf_side_Bottom}) {
          const TUVRTFBorderSide& s = pp.Border->GetSide(side);
          const bool shown = border->Style != uvbNone && border->SideDrawn(side);
          if (s.BorderType == 0) {
            if (!shown) score += 20000;
            continue;
          }
          if (!shown) continue;
          SideBorder b = ConvertBorder(s.BorderType, s.WidthTw, side, FPixelsPerTwip);
          score += 5000 + UVIntSimilarity(b.Width, border->Width, 1000) +
                   UVIntSimilarity(b.InternalWidth, border->InternalWidth, 1000) +
                   UVColorSimilarity(BorderColor(s.Color), border->Color, 3333, 3000);
          if (b.Style == border->Style) score += 1000;
        }
      }
      if (score > bestScore) {
        result = i;
        bestScore = score;
      }
    }
  }
  FCachedParaNo = result;
  if (!FCachedParaProps) FCachedParaProps = std::make_unique<TUVRTFParaProperties>();
  FCachedParaProps->Assign(pp);
  return result;
}

// --- Lists ----------------------------------------------------------------------------------------

void TUVRTFReaderProperties::FillListLevel(TUVListLevel* Level, const TUVRTFListLevel97& R) {
  auto px = [this](Integer Twips) { return static_cast<Integer>(Round(Twips * FPixelsPerTwip)); };
  TUVRTFFontList* fonts = FReader->GetFontList();
  TUVMarkerFont* font = Level->GetFont();
  if (R.FontIndex >= 0 && R.FontIndex < fonts->GetCount()) {
    font->SetName(fonts->GetItem(R.FontIndex)->Name);
    font->SetCharset(fonts->GetItem(R.FontIndex)->Charset);
  }
  font->SetStyle(R.Style);
  font->SetColor(R.Color);
  font->SetSize(R.FontSize);
  Level->ListType = ToListType(R.ListType);
  Level->MarkerAlignment = ToMarkerAlignment(R.Alignment);
  Level->LeftIndent = px(R.LeftIndentTw);
  Level->MarkerIndent = Level->LeftIndent + px(R.FirstIndentTw);
  // Without a tab of its own the text after the marker starts at the left indent.
  Level->FirstIndent = px(R.TabPosTw > 0 ? R.TabPosTw : R.LeftIndentTw) - Level->LeftIndent;
  Level->StartFrom = R.Start;
  if (R.NoRestart) Level->Options.Exclude(uvloLevelReset);
  if (R.Legal) Level->Options.Include(uvloLegalStyleNumbering);

  if (Level->ListType == uvlstBullet) {
    if (R.TextW.size() > 1) {
      const Word first = static_cast<Word>(R.TextW[1]);
      const AnsiString name = font->GetName();
      if ((first >= 0xF0A1 && first <= 0xF0FE && AnsiSameText(name, "Symbol")) ||
          (first >= 0xF021 && first <= 0xF0FF && AnsiSameText(name, "Wingdings"))) {
        Level->FormatString = AnsiString(1, static_cast<char>(first - 0xF000));
      } else {
        Level->ListType = uvlstUnicodeBullet;
        Level->FormatStringW = R.TextW.substr(1);
      }
    } else {
      Level->FormatString = R.Text.size() > 1 ? R.Text.substr(1) : AnsiString();
    }
    return;
  }
  // The level numbers stand where the level text holds the level's number; a literal "%" is
  // doubled for the format.
  std::set<std::size_t> placeholders;
  for (char n : R.Numbers) placeholders.insert(static_cast<Byte>(n));
  AnsiString format;
  for (std::size_t i = 1; i < R.Text.size(); ++i) {
    const Byte c = static_cast<Byte>(R.Text[i]);
    if (placeholders.count(i) && c < 10)
      format += Format("%%%d:s", static_cast<Integer>(c));
    else if (c == '%')
      format += "%%";
    else
      format += static_cast<char>(c);
  }
  Level->FormatString = format;
}

Integer TUVRTFReaderProperties::ListStyleOfRTFList(Integer ListIndex) {
  auto cached = FRTFListStyles.find(ListIndex);
  if (cached != FRTFListStyles.end()) return cached->second;
  TUVRTFListTable97* table = FReader->GetListTable();
  if (ListIndex < 0 || ListIndex >= table->GetCount()) return -1;
  TUVRTFList97* list = table->GetItem(ListIndex);
  TUVListInfos* styles = FStyle->GetListStyles();
  TUVListInfos scratch(nullptr, FStyle->GetListStyleClass());
  TUVListInfo* wanted = scratch.Add();
  for (Integer i = 0; i < list->GetCount(); ++i) FillListLevel(wanted->GetLevels()->Add(), *list->GetItem(i));
  Integer result = -1;
  for (Integer i = 0; i < styles->GetCount() && result < 0; ++i) {
    TUVListLevelCollection* levels = styles->GetItem(i)->GetLevels();
    if (levels->GetCount() < list->GetCount()) continue;
    bool same = true;
    for (Integer j = 0; j < list->GetCount() && same; ++j)
      same = SameImportedLevel(wanted->GetLevels()->GetItem(j), levels->GetItem(j));
    if (same) result = i;
  }
  if (result < 0) {
    styles->Add()->Assign(wanted);
    result = styles->GetCount() - 1;
  }
  FRTFListStyles[ListIndex] = result;
  return result;
}

Integer TUVRTFReaderProperties::ListStyleOfOldMarker(const TUVRTFMarkerProperties& Marker) {
  TUVRTFFontList* fonts = FReader->GetFontList();
  if (Marker.Level < 1 || Marker.FontIndex < 0 || Marker.FontIndex >= fonts->GetCount()) return -1;
  auto px = [this](Integer Twips) { return static_cast<Integer>(Round(Twips * FPixelsPerTwip)); };
  const TUVRTFParaProperties& pp = FReader->GetParaProps();
  TUVListInfos scratch(nullptr, FStyle->GetListStyleClass());
  TUVListInfo* info = scratch.Add();
  TUVListLevel* level = info->GetLevels()->Add();
  const bool bullet = Marker.Level == 11;
  TUVMarkerFont* font = level->GetFont();
  font->SetName(fonts->GetItem(Marker.FontIndex)->Name);
  font->SetCharset(fonts->GetItem(Marker.FontIndex)->Charset);
  font->SetSize(Marker.FontSize);
  font->SetStyle(Marker.Style);
  font->SetColor(Marker.Color);
  level->ListType = bullet ? uvlstBullet : ToListType(Marker.ListType);
  level->FormatString = bullet ? Marker.TextBefore + Marker.TextAfter : Marker.TextBefore + "%s" + Marker.TextAfter;
  level->MarkerAlignment = bullet ? uvmaLeft : ToMarkerAlignment(Marker.Alignment);
  level->StartFrom = Marker.Start;
  level->LeftIndent = px(pp.LeftIndentTw);
  level->MarkerIndent = level->LeftIndent + px(pp.FirstIndentTw);
  if (Marker.Hanging)
    level->FirstIndent = std::max(px(Marker.SpaceTw), px(pp.FirstIndentTw + Marker.IndentTw));
  else
    level->FirstIndent = std::max(0, px(std::max(Marker.IndentTw, Marker.SpaceTw) + pp.FirstIndentTw));
  if (level->MarkerAlignment == uvmaRight)
    level->MarkerIndent = level->FirstIndent + level->LeftIndent;
  else if (level->MarkerAlignment == uvmaCenter)
    level->MarkerIndent = (level->FirstIndent + level->LeftIndent + level->MarkerIndent) / 2;

  TUVListInfos* styles = FStyle->GetListStyles();
  for (Integer i = 0; i < styles->GetCount(); ++i) {
    TUVListLevelCollection* levels = styles->GetItem(i)->GetLevels();
    if (levels->GetCount() == 0) continue;
    TUVListLevel* l = levels->GetItem(0);
    if (l->ListType == level->ListType && l->MarkerAlignment == level->MarkerAlignment &&
        l->LeftIndent == level->LeftIndent && l->FirstIndent == level->FirstIndent &&
        l->MarkerIndent == level->MarkerIndent && SameFont(l->GetFont(), font) &&
        OneLevelFormat(l->FormatString) == OneLevelFormat(level->FormatString))
      return FOldMarkerStyles[Marker.Level] = i;
  }
  styles->Add()->Assign(info);
  return FOldMarkerStyles[Marker.Level] = styles->GetCount() - 1;
}

TCustomUVItemInfo* TUVRTFReaderProperties::MakeDueMarker() {
  if (ParaStyleMode != uvrsAddIfNeeded || !FStyle) return nullptr;
  const TUVRTFParaProperties& pp = FReader->GetParaProps();
  if (pp.Marker && pp.Marker->Level >= 1) {
    auto cached = FOldMarkerStyles.find(pp.Marker->Level);
    const Integer list = cached != FOldMarkerStyles.end() ? cached->second : ListStyleOfOldMarker(*pp.Marker);
    if (list < 0) return nullptr;
    FLastMarkerOldStyle = true;
    if (!FLastMarkerProps) FLastMarkerProps = std::make_unique<TUVRTFMarkerProperties>();
    FLastMarkerProps->Assign(*pp.Marker);
    return new TUVMarkerItemInfo(FCurrent, list, 0, pp.Marker->Start, false);
  }
  if (pp.ListOverrideIndex < 0) return nullptr;
  TUVRTFListOverride97* lo = FReader->GetListOverrideTable()->GetItem(pp.ListOverrideIndex);
  const Integer list = ListStyleOfRTFList(lo->ListIndex);
  if (list < 0) return nullptr;
  const Integer level = std::max(pp.ListLevel, 0);
  Integer start = 1;
  bool reset = false;
  // An override that restarts the numbering does so at its first paragraph.
  if (level < lo->GetCount() && lo->GetItem(level)->UseStart && !FUsedOverrides.count(pp.ListOverrideIndex)) {
    start = lo->GetItem(level)->Start;
    reset = true;
    FUsedOverrides.insert(pp.ListOverrideIndex);
  }
  FLastMarkerOldStyle = false;
  return new TUVMarkerItemInfo(FCurrent, list, level, start, reset);
}

void TUVRTFReaderProperties::RefreshLastMarker() {
  if (ParaStyleMode != uvrsAddIfNeeded || !FStyle || !FLastMarkerData || !FLastMarkerOldStyle) return;
  if (FLastMarkerIndex < 0 || FLastMarkerIndex >= FLastMarkerData->GetItemCount()) return;
  auto* marker = dynamic_cast<TUVMarkerItemInfo*>(FLastMarkerData->GetItem(FLastMarkerIndex));
  const TUVRTFParaProperties& pp = FReader->GetParaProps();
  if (!marker || !pp.Marker || !FLastMarkerProps) return;
  // The reader may already stand in the next numbered paragraph, whose text it has not reported:
  // its numbering must not change the marker made for another definition.
  const TUVRTFMarkerProperties& m = *FLastMarkerProps;
  const TUVRTFMarkerProperties& n = *pp.Marker;
  if (m.Level != n.Level || m.ListType != n.ListType || m.TextBefore != n.TextBefore || m.TextAfter != n.TextAfter ||
      m.IndentTw != n.IndentTw || m.SpaceTw != n.SpaceTw || m.Hanging != n.Hanging || m.Alignment != n.Alignment ||
      m.Start != n.Start)
    return;
  // The marker's font follows the text, which is known only now.
  const Integer list = ListStyleOfOldMarker(*pp.Marker);
  if (list >= 0) marker->ListNo = list;
  FLastMarkerData->RecalcMarkersFrom(FLastMarkerIndex);
}
