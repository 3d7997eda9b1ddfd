// What tests that compare layouts share: the draw lines of a formatted document as plain values,
// and styles that make lines differ in font, height, spacing, indents and alignment.
#pragma once

#include <ostream>
#include <vector>

#include "richtext/core/CUVFData.h"
#include "richtext/core/UVStyle.h"

namespace richtext_test {

// Everything a draw line holds.
struct DrawLine {
  Integer JustifySpace, Left, Top, Width, Height, ItemNo, Offs, Length, ExtraSpaceBelow;
  bool FromNewLine;
  bool operator==(const DrawLine&) const = default;
};

inline void PrintTo(const DrawLine& L, std::ostream* os) {
  *os << "{item " << L.ItemNo << " offs " << L.Offs << " len " << L.Length << " at " << L.Left << "," << L.Top
      << " size " << L.Width << "x" << L.Height << " justify " << L.JustifySpace << " extra " << L.ExtraSpaceBelow
      << (L.FromNewLine ? " new line}" : "}");
}

inline std::vector<DrawLine> DrawLines(TCustomUVFormattedData& Doc) {
  std::vector<DrawLine> lines;
  for (Integer i = 0; i < Doc.DrawItems->GetCount(); ++i) {
    TUVDrawLineInfo* d = Doc.DrawItems->Get(i);
    lines.push_back({d->JustifySpace, d->Left, d->Top, d->Width, d->Height, d->ItemNo, d->Offs, d->Length,
                     d->ExtraSpaceBelow, d->FromNewLine});
  }
  return lines;
}

// Text styles 1 (Times New Roman 14) and 2 (Courier New 8); paragraph styles 2 (justified, spaced
// around, 150% lines, first-line indent), 3 (centred, 3 pixels between lines, indents) and 4
// (right-aligned, spaced below, a hanging first line).
inline void AddLayoutStyles(TUVStyle& Style) {
  TFontInfos* fonts = Style.GetTextStyles();
  fonts->GetItem(1)->FontName = "Times New Roman";
  fonts->GetItem(1)->Size = 14;
  fonts->GetItem(2)->FontName = "Courier New";
  fonts->GetItem(2)->Size = 8;
  TParaInfos* paras = Style.GetParaStyles();
  TParaInfo* justified = paras->Add();
  justified->Alignment = uvaJustify;
  justified->SpaceBefore = 6;
  justified->SpaceAfter = 4;
  justified->LineSpacing = 150;
  justified->FirstIndent = 20;
  TParaInfo* centred = paras->Add();
  centred->Alignment = uvaCenter;
  centred->LineSpacingType = uvlsSpaceBetween;
  centred->LineSpacing = 3;
  centred->LeftIndent = 15;
  centred->RightIndent = 10;
  TParaInfo* right = paras->Add();
  right->Alignment = uvaRight;
  right->SpaceAfter = 9;
  right->FirstIndent = -10;
  right->LeftIndent = 25;
}

}  // namespace richtext_test
