// List styles: their levels, the marker font, equality and similarity, HTML list tags, and the
// extra stored properties that keep format strings and image lists in form files.
#include <cstdlib>

#include "classlib/Filer.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVStyle.h"
#include "classlib/TypInfo.h"

TUVImageListByTagFunc UVFindImageListByTag = nullptr;

namespace {

const AnsiString kDefaultFormatString = "\xB7";

// The style sheet that owns the collection holding a list level, or nil.
TUVStyle* OwningStyleSheet(TCollection* Levels) {
  TPersistent* owner = Levels ? Levels->GetOwner() : nullptr;  // the list style
  auto* list = dynamic_cast<TUVListInfo*>(owner);
  TCollection* lists = list ? list->GetCollection() : nullptr;
  return lists ? dynamic_cast<TUVStyle*>(lists->GetOwner()) : nullptr;
}

TUVListInfos* OwningListInfos(TCollection* Levels) {
  TPersistent* owner = Levels ? Levels->GetOwner() : nullptr;
  auto* list = dynamic_cast<TUVListInfo*>(owner);
  return list ? dynamic_cast<TUVListInfos*>(list->GetCollection()) : nullptr;
}

AnsiString SavedBytes(TGraphic* Graphic) {
  TMemoryStream stream;
  Graphic->SaveToStream(&stream);
  return AnsiString(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TUVMarkerFont

TUVMarkerFont::TUVMarkerFont() {
  SetName("Arial");
  SetSize(8);
  SetColor(clWindowText);
  SetCharset(DEFAULT_CHARSET);
  SetStyle(TFontStyles());
}

bool TUVMarkerFont::IsDefault() const {
  return GetName() == "Arial" && GetSize() == 8 && GetColor() == clWindowText && GetCharset() == DEFAULT_CHARSET &&
         GetStyle().Empty();
}

// ---------------------------------------------------------------------------------------------
// TUVListLevel

TUVListLevel::TUVListLevel(TCollection* Collection) : TCollectionItem(Collection) {}

TUVListLevel::~TUVListLevel() {
  delete FPicture;
  delete FFont;
}

void TUVListLevel::Assign(TPersistent* Source) {
  auto* level = dynamic_cast<TUVListLevel*>(Source);
  if (!level) {
    TCollectionItem::Assign(Source);
    return;
  }
  ListType = level->ListType;
  StartFrom = level->StartFrom;
  SetImageList(level->FImageList);
  ImageIndex = level->ImageIndex;
  FormatString = level->FormatString;
  FormatStringW = level->FormatStringW;
  LeftIndent = level->LeftIndent;
  FirstIndent = level->FirstIndent;
  MarkerIndent = level->MarkerIndent;
  MarkerAlignment = level->MarkerAlignment;
  Options = level->Options;
  if (level->FPicture)
    GetPicture()->Assign(level->FPicture);
  else
    FreeAndNil(FPicture);
  if (level->FFont)
    GetFont()->Assign(level->FFont);
  else
    FreeAndNil(FFont);
}

AnsiString TUVListLevel::GetDisplayName() { return Format("List Level %d", GetIndex()); }

TPicture* TUVListLevel::GetPicture() {
  if (!FPicture) FPicture = new TPicture();
  return FPicture;
}

void TUVListLevel::SetPicture(TPicture* Value) {
  if (Value)
    GetPicture()->Assign(Value);
  else
    FreeAndNil(FPicture);
}

TUVMarkerFont* TUVListLevel::GetFont() {
  if (!FFont) FFont = new TUVMarkerFont();
  return FFont;
}

void TUVListLevel::SetFont(TFont* Value) { GetFont()->Assign(Value); }

void TUVListLevel::SetImageList(TCustomImageList* Value) {
  if (FImageList == Value) return;
  FImageList = Value;
  // The style sheet forgets an image list that is freed (its Notification clears the levels).
  if (Value)
    if (TUVStyle* style = OwningStyleSheet(GetCollection())) style->FreeNotification(Value);
}

bool TUVListLevel::UsesFont() const {
  return ListType == uvlstBullet || (ListType >= uvlstDecimal && ListType <= uvlstUpperRoman) ||
         ListType == uvlstUnicodeBullet;
}

bool TUVListLevel::HasNumbering() const { return ListType >= uvlstDecimal && ListType <= uvlstImageListCounter; }

bool TUVListLevel::HasTextNumbering() const { return ListType >= uvlstDecimal && ListType <= uvlstUpperRoman; }

bool TUVListLevel::FontsEqual(TUVListLevel* Value) {
  bool default1 = !FFont || FFont->IsDefault();
  bool default2 = !Value->FFont || Value->FFont->IsDefault();
  if (default1 && default2) return true;
  TUVMarkerFont* f1 = GetFont();
  TUVMarkerFont* f2 = Value->GetFont();
  return f1->GetHeight() == f2->GetHeight() && f1->GetStyle() == f2->GetStyle() && f1->GetColor() == f2->GetColor() &&
         f1->GetCharset() == f2->GetCharset() && AnsiSameText(f1->GetName(), f2->GetName());
}

bool TUVListLevel::PicturesEqual(TUVListLevel* Value) {
  TGraphic* g1 = FPicture ? FPicture->GetGraphic() : nullptr;
  TGraphic* g2 = Value->FPicture ? Value->FPicture->GetGraphic() : nullptr;
  if (!g1 || !g2) return !g1 && !g2;
  return g1->ClassType() == g2->ClassType() && g1->GetWidth() == g2->GetWidth() &&
         g1->GetHeight() == g2->GetHeight() && SavedBytes(g1) == SavedBytes(g2);
}

bool TUVListLevel::IsSimpleEqual(TUVListLevel* Value) {
  return ListType == Value->ListType && StartFrom == Value->StartFrom && FImageList == Value->FImageList &&
         ImageIndex == Value->ImageIndex && FormatString == Value->FormatString &&
         FormatStringW == Value->FormatStringW && LeftIndent == Value->LeftIndent &&
         FirstIndent == Value->FirstIndent && MarkerIndent == Value->MarkerIndent &&
         MarkerAlignment == Value->MarkerAlignment && Options == Value->Options && FontsEqual(Value) &&
         PicturesEqual(Value);
}

Integer TUVListLevel::SimilarityValue(TUVListLevel* Value) {
  Integer result = ListType == Value->ListType ? 5000 : 0;
  auto add = [&result](bool equal, Integer weight) {
    if (equal) result += weight;
  };
  add(StartFrom == Value->StartFrom, 100);
  add(FImageList == Value->FImageList, 100);
  add(ImageIndex == Value->ImageIndex, 100);
  add(FormatString == Value->FormatString, 100);
  add(FormatStringW == Value->FormatStringW, 100);
  add(LeftIndent == Value->LeftIndent, 100);
  add(MarkerIndent == Value->MarkerIndent, 100);
  add(MarkerAlignment == Value->MarkerAlignment, 100);
  add(Options == Value->Options, 100);
  add(FontsEqual(Value), 100);
  add(PicturesEqual(Value), 100);
  add(FirstIndent == Value->FirstIndent, 200);
  return result;
}

AnsiString TUVListLevel::HTMLOpenTag(bool UseCSS) const {
  AnsiString style;
  if (UseCSS) {
    if (LeftIndent > MarkerIndent)
      style = Format(" style=\"text-indent: %dpx; margin-left: %dpx; list-style:outside;\"", FirstIndent, LeftIndent);
    else
      style = Format(" style=\"text-indent: %dpx; margin-left: %dpx; list-style:inside;\"", MarkerIndent - LeftIndent,
                     LeftIndent);
  }
  if (HasNumbering()) {
    AnsiString type;
    switch (ListType) {
      case uvlstLowerAlpha:
        type = " type=a";
        break;
      case uvlstUpperAlpha:
        type = " type=A";
        break;
      case uvlstLowerRoman:
        type = " type=i";
        break;
      case uvlstUpperRoman:
        type = " type=I";
        break;
      default:
        break;
    }
    return Format("<OL%s%s>", type, style);
  }
  return Format("<UL%s>", style);
}

AnsiString TUVListLevel::HTMLCloseTag() const { return HasNumbering() ? "</OL>" : "</UL>"; }

AnsiString TUVListLevel::GetIndentCSSText() const {
  return Format("text-indent: %dpx; margin-left: %dpx;", MarkerIndent - LeftIndent, LeftIndent);
}

void TUVListLevel::DefineProperties(TFiler* Filer) {
  TCollectionItem::DefineProperties(Filer);
  TUVListInfos* lists = OwningListInfos(GetCollection());
  // Inside a document image lists are named by their tags; in a form they are component
  // references of the published ImageList property.
  if (lists && lists->FUVData)
    Filer->DefineProperty("ILTag", TReaderProc(this, &TUVListLevel::ReadImageListTag),
                          TWriterProc(this, &TUVListLevel::WriteImageListTag), FImageList != nullptr);
  Filer->DefineProperty("FormatStringCode", TReaderProc(this, &TUVListLevel::ReadFormatStringCode),
                        TWriterProc(this, &TUVListLevel::WriteFormatStringCode),
                        FormatString != kDefaultFormatString);
  Filer->DefineProperty("FormatStringWCode", TReaderProc(this, &TUVListLevel::ReadFormatStringWCode),
                        TWriterProc(this, &TUVListLevel::WriteFormatStringWCode), !FormatStringW.empty());
}

void TUVListLevel::ReadFormatStringCode(TReader* Reader) { FormatString = UVFHexToStr(Reader->ReadString()); }

void TUVListLevel::WriteFormatStringCode(TWriter* Writer) { Writer->WriteString(UVFStrToHex(FormatString)); }

void TUVListLevel::ReadFormatStringWCode(TReader* Reader) { FormatStringW = UVFHexToWideStr(Reader->ReadString()); }

void TUVListLevel::WriteFormatStringWCode(TWriter* Writer) { Writer->WriteString(UVFWideStrToHex(FormatStringW)); }

void TUVListLevel::ReadImageListTag(TReader* Reader) {
  Integer tag = Reader->ReadInteger();
  TUVListInfos* lists = OwningListInfos(GetCollection());
  if (lists && lists->FUVData && UVFindImageListByTag) SetImageList(UVFindImageListByTag(lists->FUVData, tag));
}

void TUVListLevel::WriteImageListTag(TWriter* Writer) { Writer->WriteInteger(FImageList ? FImageList->Tag : 0); }

// ---------------------------------------------------------------------------------------------
// TUVListLevelCollection, TUVListInfo, TUVListInfos

TUVListLevelCollection::TUVListLevelCollection(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TUVListLevel::StaticClass()) {}

TUVListInfo::TUVListInfo(TCollection* Collection)
    : TCustomUVInfo(Collection), FLevels(new TUVListLevelCollection(this)) {
  StyleName = "List Style";
}

TUVListInfo::~TUVListInfo() { delete FLevels; }

void TUVListInfo::Assign(TPersistent* Source) {
  if (auto* list = dynamic_cast<TUVListInfo*>(Source)) {
    TCustomUVInfo::Assign(Source);
    FLevels->Assign(list->FLevels);
    OneLevelPreview = list->OneLevelPreview;
    return;
  }
  TCustomUVInfo::Assign(Source);
}

bool TUVListInfo::HasNumbering() const {
  for (Integer i = 0; i < FLevels->GetCount(); ++i)
    if (FLevels->GetItem(i)->HasNumbering()) return true;
  return false;
}

bool TUVListInfo::HasTextNumbering() const {
  for (Integer i = 0; i < FLevels->GetCount(); ++i)
    if (FLevels->GetItem(i)->HasTextNumbering()) return true;
  return false;
}

bool TUVListInfo::IsSimpleEqual(TUVListInfo* Value) {
  if (OneLevelPreview != Value->OneLevelPreview || FLevels->GetCount() != Value->FLevels->GetCount()) return false;
  for (Integer i = 0; i < FLevels->GetCount(); ++i)
    if (!FLevels->GetItem(i)->IsSimpleEqual(Value->FLevels->GetItem(i))) return false;
  return true;
}

Integer TUVListInfo::SimilarityValue(TUVListInfo* Value) {
  Integer result = OneLevelPreview == Value->OneLevelPreview ? 100 : 0;
  Integer n1 = FLevels->GetCount();
  Integer n2 = Value->FLevels->GetCount();
  result -= 100 * std::abs(n1 - n2);
  for (Integer i = 0; i < n1 && i < n2; ++i) result += FLevels->GetItem(i)->SimilarityValue(Value->FLevels->GetItem(i));
  return result;
}

bool TUVListInfo::IsMappedEqual(TCustomUVInfo* Incoming, TUVIntegerList*) {
  return IsSimpleEqual(static_cast<TUVListInfo*>(Incoming));
}

Integer TUVListInfo::SimilarityTo(TCustomUVInfo* Existing) {
  return SimilarityValue(static_cast<TUVListInfo*>(Existing));
}

TUVListInfos::TUVListInfos(TPersistent* AOwner, TClass ItemClass) : TCustomUVInfos(AOwner, ItemClass) {}

bool TUVListInfos::CanTakeForMerge(TCustomUVInfo* Existing, TCustomUVInfo*, const std::vector<bool>& Taken) {
  Integer index = Existing->GetIndex();
  return index < 0 || static_cast<std::size_t>(index) >= Taken.size() || !Taken[static_cast<std::size_t>(index)];
}

bool TUVListInfos::MarksTaken(TCustomUVInfo* Incoming) { return static_cast<TUVListInfo*>(Incoming)->HasNumbering(); }

// ---------------------------------------------------------------------------------------------
// Published properties

bool TUVMarkerFont::NameStored() const { return GetName() != "Arial"; }
bool TUVMarkerFont::HeightStored() const { return GetSize() != 8; }
bool TUVListLevel::ImageListStored() const {
  TUVListInfos* lists = OwningListInfos(GetCollection());
  return FImageList && !(lists && lists->FUVData);
}
bool TUVListLevel::PictureStored() const { return FPicture && FPicture->GetGraphic(); }
bool TUVListLevel::FontStored() const { return FFont && !FFont->IsDefault(); }

PUBLISHED(TUVMarkerFont) {
  Prop("Height", &TFont::GetHeight, &TFont::SetHeight).Stored(&TUVMarkerFont::HeightStored);
  Prop("Name", &TFont::GetName, &TFont::SetName).Stored(&TUVMarkerFont::NameStored);
}

PUBLISHED(TUVListLevel) {
  Prop("ListType", &TUVListLevel::ListType).Default(uvlstBullet);
  Prop("StartFrom", &TUVListLevel::StartFrom).Default(1);
  Prop("ImageList", &TUVListLevel::GetImageList, &TUVListLevel::SetImageList).Stored(&TUVListLevel::ImageListStored);
  Prop("ImageIndex", &TUVListLevel::ImageIndex).Default(0);
  // The format strings are stored as hexadecimal text (FormatStringCode, FormatStringWCode).
  Prop("FormatString", &TUVListLevel::FormatString).Stored(false);
  Prop("FormatStringW", &TUVListLevel::FormatStringW).Stored(false);
  Prop("LeftIndent", &TUVListLevel::LeftIndent).Default(0);
  Prop("FirstIndent", &TUVListLevel::FirstIndent).Default(10);
  Prop("MarkerIndent", &TUVListLevel::MarkerIndent).Default(0);
  Prop("MarkerAlignment", &TUVListLevel::MarkerAlignment).Default(uvmaLeft);
  Prop("Picture", &TUVListLevel::GetPicture, &TUVListLevel::SetPicture).Stored(&TUVListLevel::PictureStored);
  Prop("Font", &TUVListLevel::GetFont, &TUVListLevel::SetFont).Stored(&TUVListLevel::FontStored);
  Prop("Options", &TUVListLevel::Options).Default(TUVListLevelOptions{uvloContinuous, uvloLevelReset});
}

PUBLISHED(TUVListInfo) {
  Prop("Levels", &TUVListInfo::GetLevels, &TUVListInfo::SetLevels);
  Prop("OneLevelPreview", &TUVListInfo::OneLevelPreview).Default(false);
}
