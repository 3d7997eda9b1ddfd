// Paragraph styles: equality, similarity and the space their borders and backgrounds take.
#include "richtext/core/UVMapWht.h"
#include "richtext/core/UVStyle.h"
#include "classlib/TypInfo.h"

TParaInfo::TParaInfo(TCollection* Collection)
    : TCustomUVInfo(Collection), FBorder(new TUVBorder()), FBackground(new TUVBackgroundRect()) {
  StyleName = "Paragraph Style";
}

TParaInfo::~TParaInfo() {
  delete FBorder;
  delete FBackground;
}

void TParaInfo::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TParaInfo*>(Source)) {
    TCustomUVInfo::Assign(Source);
    FirstIndent = p->FirstIndent;
    LeftIndent = p->LeftIndent;
    RightIndent = p->RightIndent;
    SpaceBefore = p->SpaceBefore;
    SpaceAfter = p->SpaceAfter;
    LineSpacing = p->LineSpacing;
    LineSpacingType = p->LineSpacingType;
    Alignment = p->Alignment;
    FBorder->Assign(p->FBorder);
    NextParaNo = p->NextParaNo;
    FBackground->Assign(p->FBackground);
    Options = p->Options;
    BiDiMode = p->BiDiMode;
    return;
  }
  TCustomUVInfo::Assign(Source);
}

bool TParaInfo::ExtraLineSpacing() const {
  return (LineSpacingType == uvlsPercent && LineSpacing >= 101) ||
         (LineSpacingType == uvlsSpaceBetween && LineSpacing >= 1);
}

bool TParaInfo::IsEqual(const TParaInfo* Value, bool IgnoreNext) const {
  return Alignment == Value->Alignment && FirstIndent == Value->FirstIndent && LeftIndent == Value->LeftIndent &&
         RightIndent == Value->RightIndent && SpaceBefore == Value->SpaceBefore && SpaceAfter == Value->SpaceAfter &&
         LineSpacing == Value->LineSpacing && LineSpacingType == Value->LineSpacingType &&
         Options == Value->Options && BiDiMode == Value->BiDiMode &&
         (IgnoreNext || NextParaNo == Value->NextParaNo) && FBackground->IsEqual(Value->FBackground) &&
         FBorder->IsEqual(Value->FBorder);
}

bool TParaInfo::IsEqualIgnoring(const TParaInfo* Value, Cardinal Ignore) const {
  auto same = [&](Cardinal bit, bool equal) { return (Ignore & bit) || equal; };
  const TUVBorder* b1 = FBorder;
  const TUVBorder* b2 = Value->FBorder;
  const TUVRect* bo1 = b1->GetBorderOffsets();
  const TUVRect* bo2 = b2->GetBorderOffsets();
  const TUVRect* go1 = FBackground->GetBorderOffsets();
  const TUVRect* go2 = Value->FBackground->GetBorderOffsets();
  const TUVBooleanRect* v1 = b1->GetVisibleBorders();
  const TUVBooleanRect* v2 = b2->GetVisibleBorders();
  return same(uvpiFirstIndent, FirstIndent == Value->FirstIndent) &&
         same(uvpiLeftIndent, LeftIndent == Value->LeftIndent) &&
         same(uvpiRightIndent, RightIndent == Value->RightIndent) &&
         same(uvpiSpaceBefore, SpaceBefore == Value->SpaceBefore) &&
         same(uvpiSpaceAfter, SpaceAfter == Value->SpaceAfter) && same(uvpiAlignment, Alignment == Value->Alignment) &&
         same(uvpiNextParaNo, NextParaNo == Value->NextParaNo) &&
         same(uvpiLineSpacing, LineSpacing == Value->LineSpacing) &&
         same(uvpiLineSpacingType, LineSpacingType == Value->LineSpacingType) &&
         same(uvpiBackground_Color, FBackground->Color == Value->FBackground->Color) &&
         go1->IsEqualIgnoring(go2, Ignore & uvpiBackground_BOLeft, Ignore & uvpiBackground_BOTop,
                              Ignore & uvpiBackground_BORight, Ignore & uvpiBackground_BOBottom) &&
         same(uvpiBorder_Color, b1->Color == b2->Color) && same(uvpiBorder_Style, b1->Style == b2->Style) &&
         same(uvpiBorder_Width, b1->Width == b2->Width) &&
         same(uvpiBorder_InternalWidth, b1->InternalWidth == b2->InternalWidth) &&
         bo1->IsEqualIgnoring(bo2, Ignore & uvpiBorder_BOLeft, Ignore & uvpiBorder_BOTop, Ignore & uvpiBorder_BORight,
                              Ignore & uvpiBorder_BOBottom) &&
         v1->IsEqualIgnoring(v2, Ignore & uvpiBorder_Vis_Left, Ignore & uvpiBorder_Vis_Top,
                             Ignore & uvpiBorder_Vis_Right, Ignore & uvpiBorder_Vis_Bottom) &&
         same(uvpiNoWrap, Options.Contains(uvpaoNoWrap) == Value->Options.Contains(uvpaoNoWrap)) &&
         same(uvpiReadOnly, Options.Contains(uvpaoReadOnly) == Value->Options.Contains(uvpaoReadOnly)) &&
         same(uvpiStyleProtect, Options.Contains(uvpaoStyleProtect) == Value->Options.Contains(uvpaoStyleProtect)) &&
         same(uvpiDoNotWantReturns,
              Options.Contains(uvpaoDoNotWantReturns) == Value->Options.Contains(uvpaoDoNotWantReturns)) &&
         same(uvpiBiDiMode, BiDiMode == Value->BiDiMode);
}

Integer TParaInfo::Similarity(const TParaInfo* Candidate) const {
  const TParaInfo* b = Candidate;
  Integer result = UVIntSimilarity(FirstIndent, b->FirstIndent, 1000) +
                   UVIntSimilarity(LeftIndent, b->LeftIndent, 1000) +
                   UVIntSimilarity(RightIndent, b->RightIndent, 1000) +
                   UVIntSimilarity(SpaceBefore, b->SpaceBefore, 1000) +
                   UVIntSimilarity(SpaceAfter, b->SpaceAfter, 1000);
  result += UVColorSimilarity(FBackground->Color, b->FBackground->Color, 10000, 50000) +
            FBackground->GetBorderOffsets()->Similarity(b->FBackground->GetBorderOffsets(), 100);
  result += FBorder->Similarity(b->FBorder);
  if (Alignment == b->Alignment) result += 50000;
  if (BiDiMode == b->BiDiMode) result += 10000;
  if (Options.Contains(uvpaoNoWrap) == b->Options.Contains(uvpaoNoWrap)) result += 1000;
  if (Options.Contains(uvpaoReadOnly) == b->Options.Contains(uvpaoReadOnly)) result += 100000;
  if (Options.Contains(uvpaoStyleProtect) == b->Options.Contains(uvpaoStyleProtect)) result += 1000;
  if (Options.Contains(uvpaoDoNotWantReturns) == b->Options.Contains(uvpaoDoNotWantReturns)) result += 10000;
  if (LineSpacingType == b->LineSpacingType)
    result += UVIntSimilarity(LineSpacing, b->LineSpacing, 5000);
  else if (ExtraLineSpacing() != b->ExtraLineSpacing())
    result -= 20000;
  return result;
}

TRect TParaInfo::GetBorderSpace() const {
  TRect r{0, 0, 0, 0};
  if (FBorder->Style != uvbNone) {
    FBorder->GetBorderOffsets()->AssignToRect(r);
    Integer w = FBorder->GetTotalWidth();
    r.Left += w;
    r.Top += w;
    r.Right += w;
    r.Bottom += w;
  }
  if (FBackground->Color != clNone) FBackground->GetBorderOffsets()->AssignToRectIfGreater(r);
  return r;
}

bool TParaInfo::IsMappedEqual(TCustomUVInfo* Incoming, TUVIntegerList* Mapping) {
  auto* in = static_cast<TParaInfo*>(Incoming);
  if (!IsEqual(in, true)) return false;
  if (NextParaNo >= 0 && NextParaNo < Mapping->GetCount()) return Mapping->Get(NextParaNo) == in->NextParaNo;
  return true;
}

Integer TParaInfo::SimilarityTo(TCustomUVInfo* Existing) { return Similarity(static_cast<TParaInfo*>(Existing)); }

void TParaInfo::TranslateReferences(TUVIntegerList* Mapping) {
  TCustomUVInfo::TranslateReferences(Mapping);
  if (NextParaNo >= 0 && NextParaNo < Mapping->GetCount()) NextParaNo = Mapping->Get(NextParaNo);
}

// ---------------------------------------------------------------------------------------------
// TParaInfos

TParaInfos::TParaInfos(TPersistent* AOwner, TClass ItemClass) : TCustomUVInfos(AOwner, ItemClass) {}

TParaInfo* TParaInfos::GetItem(Integer Index) {
  if (Index < 0 || Index >= GetCount()) return static_cast<TParaInfo*>(GetInvalidItem());
  return static_cast<TParaInfo*>(GetItems(Index));
}

void TParaInfos::InitInvalidItem(TCustomUVInfo* Item) {
  auto* p = static_cast<TParaInfo*>(Item);
  if (GetCount() > 0) p->Assign(GetItems(0));
  p->SpaceBefore = 1;
  p->SpaceAfter = 1;
  p->LeftIndent = 1;
  p->RightIndent = 1;
  p->GetBorder()->Style = uvbSingle;
  p->GetBorder()->Width = 2;
  p->GetBorder()->Color = clRed;
  p->GetBorder()->GetBorderOffsets()->SetAll(1);
}

Integer TParaInfos::FindMatchingStyle(Integer ParaNo, TParaInfo* Style, Cardinal IgnoreList) {
  // The set names what to leave out of the comparison by its complement: the properties in it
  // are the ones compared.
  Cardinal ignore = uvpiFullParaInfo & ~IgnoreList;
  if (ParaNo >= 0 && ParaNo < GetCount() && GetItem(ParaNo)->IsEqualIgnoring(Style, ignore)) return ParaNo;
  for (Integer i = 0; i < GetCount(); ++i)
    if (i != ParaNo && GetItem(i)->IsEqualIgnoring(Style, ignore)) return i;
  return -1;
}

PUBLISHED(TParaInfo) {
  Prop("FirstIndent", &TParaInfo::FirstIndent).Default(0);
  Prop("LeftIndent", &TParaInfo::LeftIndent).Default(0);
  Prop("RightIndent", &TParaInfo::RightIndent).Default(0);
  Prop("SpaceBefore", &TParaInfo::SpaceBefore).Default(0);
  Prop("SpaceAfter", &TParaInfo::SpaceAfter).Default(0);
  Prop("LineSpacing", &TParaInfo::LineSpacing).Default(100);
  Prop("LineSpacingType", &TParaInfo::LineSpacingType).Default(uvlsPercent);
  Prop("Alignment", &TParaInfo::Alignment).Default(uvaLeft);
  Prop("Border", &TParaInfo::GetBorder, &TParaInfo::SetBorder);
  Prop("NextParaNo", &TParaInfo::NextParaNo).Default(-1);
  Prop("Background", &TParaInfo::GetBackground, &TParaInfo::SetBackground);
  Prop("Options", &TParaInfo::Options).Default(TUVParaOptions{});
  Prop("BiDiMode", &TParaInfo::BiDiMode).Default(uvbdUnspecified);
}
