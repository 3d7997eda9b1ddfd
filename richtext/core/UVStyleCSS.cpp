// The style sheet written as CSS: one rule per text style (classes UVTS<n>) and per paragraph
// style (classes UVPS<n>), each described relative to its base style where it has one.
#include "classlib/SysUtils.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVStyle.h"

namespace {

AnsiString Comment(const TCustomUVInfo* Info) {
  return Info->Standard ? Format(" /* %s */", Info->StyleName) : AnsiString();
}

AnsiString Decoration(const TFontInfo* F) {
  AnsiString first;
  if (F->Style.Contains(fsUnderline))
    first = "underline";
  else if (F->Style.Contains(fsStrikeOut))
    first = "line-through";
  AnsiString second = F->StyleEx.Contains(uvfsOverline) ? "overline" : "";
  if (!first.empty() && !second.empty()) return first + " " + second;
  if (!first.empty()) return first;
  if (!second.empty()) return second;
  return "none";
}

AnsiString VAlignWord(const TFontInfo* F) {
  if (F->VShift > 0) return "super";
  if (F->VShift < 0) return "sub";
  return "baseline";
}

AnsiString CSSColor(TColor Color) { return Color == clNone ? AnsiString("transparent") : ColorToHTMLString(Color); }

AnsiString AlignmentWord(TUVAlignment A) {
  switch (A) {
    case uvaRight:
      return "right";
    case uvaCenter:
      return "center";
    case uvaJustify:
      return "justify";
    default:
      return "left";
  }
}

bool HasCSSBorder(const TParaInfo* P) { return P->GetBorder()->Style != uvbNone && P->GetBorder()->Color != clNone; }

}  // namespace

void TUVStyle::SaveCSSToStream(TStream* Stream, Byte Options) {
  SaveTextStylesCSS(Stream, Options);
  SaveParaStylesCSS(Stream, Options);
}

void TUVStyle::SaveTextStylesCSS(TStream* Stream, Byte Options) {
  UVFWriteLine(Stream, "/*----------Text Styles----------*/");
  UVFWriteLine(Stream, "HR { color: " + ColorToHTMLString(FTextStyles->GetItem(0)->Color) + "}");
  Integer count = FTextStyles->GetCount();
  TFontInfo* style0 = count > 0 ? FTextStyles->GetItem(0) : nullptr;
  bool style0IsBody = style0 && !style0->Jump && style0->BackColor == clNone;
  for (Integer i = 0; i < count; ++i) {
    TFontInfo* f = FTextStyles->GetItem(i);
    AnsiString comment = Comment(f);
    if (i == 0 && style0IsBody)
      UVFWriteLine(Stream, Format("BODY, TABLE%s", comment));
    else if (!f->Jump)
      UVFWriteLine(Stream, Format("SPAN.UVTS%d%s", i, comment));
    else
      UVFWriteLine(Stream, Format("A.UVTS%d, SPAN.UVTS%d%s", i, i, comment));
    UVFWriteLine(Stream, "{");
    TFontInfo* base = nullptr;
    if ((Options & 1) && f->BaseStyleNo >= 0 && f->BaseStyleNo < count && f->BaseStyleNo != i)
      base = FTextStyles->GetItem(f->BaseStyleNo);
    else if (i > 0 && style0IsBody)
      base = style0;
    if (!base || base->Size != f->Size) UVFWriteLine(Stream, Format("  font-size: %dpt;", f->Size));
    if (!base || !AnsiSameText(base->FontName, f->FontName))
      UVFWriteLine(Stream, Format("  font-family: \"%s\";", f->FontName));
    if (!base || base->Style.Contains(fsItalic) != f->Style.Contains(fsItalic))
      UVFWriteLine(Stream, Format("  font-style: %s;", f->Style.Contains(fsItalic) ? "italic" : "normal"));
    if (!base || base->Style.Contains(fsBold) != f->Style.Contains(fsBold))
      UVFWriteLine(Stream, Format("  font-weight: %s;", f->Style.Contains(fsBold) ? "bold" : "normal"));
    if (!base || base->Color != f->Color) UVFWriteLine(Stream, Format("  color: %s;", ColorToHTMLString(f->Color)));
    if (base ? base->CharSpacing != f->CharSpacing : f->CharSpacing != 0)
      UVFWriteLine(Stream, Format("  letter-spacing: %dpx;", f->CharSpacing));
    bool caps = f->StyleEx.Contains(uvfsAllCaps);
    bool baseCaps = base && base->StyleEx.Contains(uvfsAllCaps);
    if (caps && !baseCaps) UVFWriteLine(Stream, "  text-transform: uppercase;");
    if (!caps && baseCaps) UVFWriteLine(Stream, "  text-transform: none;");
    if (base ? base->BackColor != f->BackColor : f->BackColor != clNone)
      UVFWriteLine(Stream, Format("  background-color: %s;", CSSColor(f->BackColor)));
    if (base ? VAlignWord(base) != VAlignWord(f) : f->VShift != 0)
      UVFWriteLine(Stream, Format("  vertical-align: %s;", VAlignWord(f)));
    AnsiString decoration = Decoration(f);
    if (!base || Decoration(base) != decoration || (f->Jump && decoration == "none"))
      UVFWriteLine(Stream, Format("  text-decoration: %s;", decoration));
    UVFWriteLine(Stream, "}");
    if (f->Jump) {
      TColor hover = GetHoverColor(f->HoverColor);
      if (hover != clNone || f->HoverBackColor != clNone) {
        AnsiString rule = Format("A.UVTS%d:hover {", i);
        if (hover != clNone) rule += Format(" color: %s;", ColorToHTMLString(hover));
        if (f->HoverBackColor != clNone) rule += Format(" background-color: %s;", ColorToHTMLString(f->HoverBackColor));
        rule += " }";
        UVFWriteLine(Stream, rule);
      }
    }
  }
}

void TUVStyle::SaveParaStylesCSS(TStream* Stream, Byte Options) {
  UVFWriteLine(Stream, "/*----------Para Styles----------*/");
  Integer count = FParaStyles->GetCount();
  for (Integer i = 0; i < count; ++i) {
    TParaInfo* p = FParaStyles->GetItem(i);
    AnsiString comment = Comment(p);
    UVFWriteLine(Stream, i == 0 ? Format("P,UL,OL%s", comment) : Format(".UVPS%d%s", i, comment));
    UVFWriteLine(Stream, "{");
    TParaInfo* base = nullptr;
    if ((Options & 1) && p->BaseStyleNo >= 0 && p->BaseStyleNo < count && p->BaseStyleNo != i)
      base = FParaStyles->GetItem(p->BaseStyleNo);
    else if (i > 0)
      base = FParaStyles->GetItem(0);
    if (base ? base->Alignment != p->Alignment : !((Options & 2) && p->Alignment == uvaLeft))
      UVFWriteLine(Stream, "  text-align: " + AlignmentWord(p->Alignment) + ";");
    if (!base || base->FirstIndent != p->FirstIndent)
      UVFWriteLine(Stream, Format("  text-indent: %dpx;", p->FirstIndent));
    if (p->LineSpacingType == uvlsPercent) {
      bool differs = base ? (base->LineSpacingType != uvlsPercent || base->LineSpacing != p->LineSpacing)
                          : p->LineSpacing != 100;
      if (differs) UVFWriteLine(Stream, Format("  line-height: %d%%;", p->LineSpacing));
    } else if (base && base->LineSpacingType == uvlsPercent && base->LineSpacing != 100) {
      UVFWriteLine(Stream, "  line-height: normal;");
    }
    bool noWrap = p->Options.Contains(uvpaoNoWrap);
    bool baseNoWrap = base && base->Options.Contains(uvpaoNoWrap);
    if (noWrap && !baseNoWrap) UVFWriteLine(Stream, "  white-space: nowrap;");
    if (!noWrap && baseNoWrap) UVFWriteLine(Stream, "  white-space: normal;");
    TUVBorder* border = p->GetBorder();
    if (HasCSSBorder(p)) {
      UVFWriteLine(Stream, Format("  border-color: %s;", ColorToHTMLString(border->Color)));
      UVFWriteLine(Stream, Format("  border-style: %s;", border->Style == uvbSingle ? "solid" : "double"));
      Integer width = border->Width;
      switch (border->Style) {
        case uvbDouble:
          width = border->Width + border->InternalWidth;
          break;
        case uvbTriple:
          width = border->Width + 2 * border->InternalWidth;
          break;
        case uvbThickInside:
        case uvbThickOutside:
          width = border->Width * 3 / 2 + border->InternalWidth;
          break;
        default:
          break;
      }
      UVFWriteLine(Stream, Format("  border-width: %dpx;", width));
      TUVBooleanRect* visible = border->GetVisibleBorders();
      if (!visible->Top) UVFWriteLine(Stream, "  border-top: none;");
      if (!visible->Right) UVFWriteLine(Stream, "  border-right: none;");
      if (!visible->Bottom) UVFWriteLine(Stream, "  border-bottom: none;");
      if (!visible->Left) UVFWriteLine(Stream, "  border-left: none;");
    } else if (base && HasCSSBorder(base)) {
      UVFWriteLine(Stream, "  border: none;");
    }
    TColor back = p->GetBackground()->Color;
    if (base ? base->GetBackground()->Color != back : back != clNone)
      UVFWriteLine(Stream, Format("  background: %s;", CSSColor(back)));
    TRect pad = p->GetBorderSpace();
    UVFWriteLine(Stream, Format("  padding: %dpx %dpx %dpx %dpx;", pad.Top, pad.Right, pad.Bottom, pad.Left));
    UVFWriteLine(Stream, Format("  margin: %dpx %dpx %dpx %dpx;", p->SpaceBefore - pad.Top, p->RightIndent - pad.Right,
                                p->SpaceAfter - pad.Bottom, p->LeftIndent - pad.Left));
    UVFWriteLine(Stream, "}");
  }
}
