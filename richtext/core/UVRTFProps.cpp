// The RTF import: its options, the run of one import over a stream, and the reader's events that
// become text items, pictures, page breaks and list markers in the document.
#include "richtext/core/UVRTFProps.h"

#include <memory>

#include "classlib/Metafiles.h"
#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVItem.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

PUBLISHED(TUVRTFReaderProperties) {
  Prop("UnicodeMode", &TUVRTFReaderProperties::UnicodeMode).Default(uvruNoUnicode);
  Prop("TextStyleMode", &TUVRTFReaderProperties::TextStyleMode).Default(uvrsUseClosest);
  Prop("ParaStyleMode", &TUVRTFReaderProperties::ParaStyleMode).Default(uvrsUseClosest);
  Prop("IgnorePictures", &TUVRTFReaderProperties::IgnorePictures).Default(false);
  Prop("UseHypertextStyles", &TUVRTFReaderProperties::UseHypertextStyles).Default(false);
  Prop("TextStyleNo", &TUVRTFReaderProperties::GetTextStyleNo, &TUVRTFReaderProperties::SetTextStyleNo).Default(0);
  Prop("ParaStyleNo", &TUVRTFReaderProperties::GetParaStyleNo, &TUVRTFReaderProperties::SetParaStyleNo).Default(0);
  Prop("SkipHiddenText", &TUVRTFReaderProperties::SkipHiddenText).Default(true);
  Prop("AutoHideTableGridLines", &TUVRTFReaderProperties::AutoHideTableGridLines).Default(false);
  Prop("LineBreaksAsParagraphs", &TUVRTFReaderProperties::LineBreaksAsParagraphs).Default(false);
  Prop("ConvertHighlight", &TUVRTFReaderProperties::ConvertHighlight).Default(rtfhlColorTable);
}

namespace {

TUVRTFTableImportMaker& TableImportMaker() {
  static TUVRTFTableImportMaker maker;
  return maker;
}

// The screen's pixels per twip.
double ScreenPixelsPerTwip() {
  UniqueMemoryDC screen(::CreateCompatibleDC(nullptr));
  return ::GetDeviceCaps(screen.get(), LOGPIXELSX) / 1440.0;
}

// The quoted word of a field instruction that opens at Start: the index after it, and its text
// without the quotation marks. Inside them a backslash makes a following quotation mark or
// backslash a character of the word; other backslashes stay, as in paths written without escapes.
// A word whose closing mark is not found that way was written without escapes (a target ending
// in a backslash): it ends at the next quotation mark, and its text is taken as it is.
std::size_t QuotedWord(const AnsiString& Instruction, std::size_t Start, AnsiString& Text) {
  Text.clear();
  for (std::size_t i = Start + 1; i < Instruction.size(); ++i) {
    const char c = Instruction[i];
    if (c == '"') return i + 1;
    if (c == '\\' && i + 1 < Instruction.size() && (Instruction[i + 1] == '"' || Instruction[i + 1] == '\\')) ++i;
    Text += Instruction[i];
  }
  const std::size_t close = Instruction.find('"', Start + 1);
  const std::size_t end = close == AnsiString::npos ? Instruction.size() : close;
  Text = Instruction.substr(Start + 1, end - Start - 1);
  return close == AnsiString::npos ? Instruction.size() : close + 1;
}

// The words of a field instruction after its keyword: switches (a word starting with "\" and the
// word after it, as written) and the first other word, a quoted one without its quotation marks
// and escapes.
void SplitHyperlink(const AnsiString& Instruction, AnsiString& Target, AnsiString& Extras) {
  struct Word {
    AnsiString Written;
    AnsiString Text;
  };
  std::vector<Word> words;
  std::size_t i = 0;
  while (i < Instruction.size()) {
    while (i < Instruction.size() && Instruction[i] == ' ') ++i;
    if (i >= Instruction.size()) break;
    Word word;
    std::size_t end;
    if (Instruction[i] == '"') {
      end = QuotedWord(Instruction, i, word.Text);
    } else {
      end = Instruction.find(' ', i);
      if (end == AnsiString::npos) end = Instruction.size();
      word.Text = Instruction.substr(i, end - i);
    }
    word.Written = Instruction.substr(i, end - i);
    words.push_back(word);
    i = end;
  }
  Target.clear();
  Extras.clear();
  bool targetFound = false;
  for (std::size_t w = 0; w < words.size(); ++w) {
    if (!words[w].Written.empty() && words[w].Written[0] == '\\') {
      UVAppendWord(Extras, words[w].Written);
      if (w + 1 < words.size()) UVAppendWord(Extras, words[++w].Written);
      continue;
    }
    if (targetFound) continue;
    Target = words[w].Text;
    targetFound = true;
  }
}

}  // namespace

void RegisterUVRTFTableImport(TUVRTFTableImportMaker Maker) { TableImportMaker() = std::move(Maker); }

TUVRTFReaderProperties::TUVRTFReaderProperties() = default;

TUVRTFReaderProperties::~TUVRTFReaderProperties() = default;

void TUVRTFReaderProperties::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TUVRTFReaderProperties*>(Source)) {
    UnicodeMode = source->UnicodeMode;
    TextStyleMode = source->TextStyleMode;
    ParaStyleMode = source->ParaStyleMode;
    IgnorePictures = source->IgnorePictures;
    UseHypertextStyles = source->UseHypertextStyles;
    FParaStyleNo = source->FParaStyleNo;
    FTextStyleNo = source->FTextStyleNo;
    return;
  }
  TPersistent::Assign(Source);
}

void TUVRTFReaderProperties::SetTextStyleNo(Integer Value) {
  if (Value < 0) throw EUzurUvadError("Value must not be negative");
  FTextStyleNo = Value;
}

void TUVRTFReaderProperties::SetParaStyleNo(Integer Value) {
  if (Value < 0) throw EUzurUvadError("Value must not be negative");
  FParaStyleNo = Value;
}

// --- Reading --------------------------------------------------------------------------------------

TUVRTFResult TUVRTFReaderProperties::ReadFromFile(const AnsiString& FileName, TCustomUVData* UVData) {
  Integer first;
  return Read(nullptr, &FileName, UVData, UVData->GetItemCount(), false, first);
}

TUVRTFResult TUVRTFReaderProperties::ReadFromStream(TStream* Stream, TCustomUVData* UVData) {
  Integer first;
  return Read(Stream, nullptr, UVData, UVData->GetItemCount(), false, first);
}

TUVRTFResult TUVRTFReaderProperties::InsertFromStream(TStream* Stream, TCustomUVData* UVData, Integer& Index) {
  return Read(Stream, nullptr, UVData, Index, true, Index);
}

TUVRTFResult TUVRTFReaderProperties::Read(TStream* Stream, const AnsiString* FileName, TCustomUVData* UVData,
                                          Integer Index, bool InsertMode, Integer& FirstIndex) {
  TUVRTFReader reader(nullptr);
  FReader = &reader;
  FTarget = FCurrent = FOuter = UVData;
  FStyle = UVData->GetUVStyle();
  FIndex = std::clamp(Index, 0, UVData->GetItemCount());
  const Integer start = FIndex;
  FInsertMode = InsertMode;
  FFirstItem = true;
  FFirstIndex = -1;
  FPixelsPerTwip = ScreenPixelsPerTwip();
  FPageBreakPending = false;
  FCachedParaNo = -1;
  FCachedParaProps.reset();
  FRTFListStyles.clear();
  FOldMarkerStyles.clear();
  FUsedOverrides.clear();
  FLastMarkerData = nullptr;
  FLastMarkerIndex = -1;

  reader.OnNewText = TUVRTFNewTextEvent(this, &TUVRTFReaderProperties::NewText);
  if (UnicodeMode != uvruNoUnicode)
    reader.OnNewUnicodeText = TUVRTFNewUnicodeTextEvent(this, &TUVRTFReaderProperties::NewUnicodeText);
  if (!IgnorePictures) reader.OnNewPicture = TUVRTFNewPictureEvent(this, &TUVRTFReaderProperties::NewPicture);
  reader.OnTable = TUVRTFTableEvent(this, &TUVRTFReaderProperties::Table);
  reader.OnRequiredPageBreak = TNotifyEvent(this, &TUVRTFReaderProperties::RequiredPageBreak);
  reader.OnUpdateMarker = TNotifyEvent(this, &TUVRTFReaderProperties::UpdateMarker);
  if (HeaderData || FooterData) {
    if (HeaderData) HeaderData->Clear();
    if (FooterData) FooterData->Clear();
    reader.OnHeaderFooter = TUVRTFHeaderFooterEvent(this, &TUVRTFReaderProperties::HeaderFooter);
  }
  reader.DefCodePage = FStyle ? static_cast<Cardinal>(FStyle->DefCodePage) : 0;
  reader.ConvertHighlight = static_cast<TUVRTFHighlightConvert>(ConvertHighlight);

  struct Finish {
    TUVRTFReaderProperties* Self;
    ~Finish() {
      Self->FTables.reset();
      Self->FReader = nullptr;
      Self->FTarget = Self->FCurrent = Self->FOuter = nullptr;
    }
  } finish{this};
  if (TableImportMaker()) FTables = TableImportMaker()(this);

  TUVRTFResult result = FileName ? reader.ReadFromFile(*FileName) : reader.ReadFromStream(Stream);
  RefreshLastMarker();
  FirstIndex = FFirstIndex;
  // Runs of one style that the reader reported in pieces become one item again.
  if (!InsertMode && FIndex > start) UVData->NormalizeTextItems(start > 0 ? start - 1 : 0, FIndex);
  return result;
}

// --- Events ---------------------------------------------------------------------------------------

void TUVRTFReaderProperties::NewText(TUVRTFReader*, const AnsiString& Text, TUVRTFPosition Position) {
  AddText(Text, false, Position);
}

void TUVRTFReaderProperties::NewUnicodeText(TUVRTFReader*, const WideString& Text, TUVRTFPosition Position) {
  AddText(UVUniWideStringToRaw(Text), true, Position);
}

bool TUVRTFReaderProperties::GetHyperlink(AnsiString& Target, AnsiString& Extras) {
  const AnsiString instruction = Trim(FReader->GetState()->FieldInstruction);
  if (instruction.compare(0, 9, "HYPERLINK") != 0) return false;
  SplitHyperlink(instruction.substr(9), Target, Extras);
  if (!BasePath.empty() && Target.find(':') == AnsiString::npos) Target = BasePath + Target;
  return true;
}

void TUVRTFReaderProperties::AddText(const AnsiString& Text, bool Unicode, TUVRTFPosition Position) {
  if (SkipHiddenText && FReader->GetCharProps().Hidden) return;
  // The empty paragraph written only to keep two tables apart is no paragraph of the document.
  if (Text.empty() && FReader->GetParaProps().TableSeparator) return;
  AnsiString target, extras;
  const bool hyperlink = GetHyperlink(target, extras);
  Integer styleNo = FindTextStyle(Unicode || UnicodeMode == uvruOnlyUnicode, hyperlink);
  TUVTag tag = 0;
  AnsiString name;
  if (hyperlink) FCurrent->ReadHyperlink(target, extras, uvlfRTF, styleNo, tag, name);

  TCustomUVItemInfo* item = CreateItemByStyleNo(FCurrent, styleNo);
  if (!item) return;
  item->Tag = tag;
  AnsiString text = Text;
  TFontInfo* font = FStyle ? FStyle->GetTextStyles()->GetItem(styleNo) : nullptr;
  const bool styleUnicode = font && font->Unicode;
  // The code page of the RTF font for 8-bit text, else of the document.
  Integer codePage = static_cast<Integer>(FReader->GetCodePage());
  TUVRTFFontList* fonts = FReader->GetFontList();
  const Integer fontIndex = FReader->GetCharProps().FontIndex;
  if (fontIndex >= 0 && fontIndex < fonts->GetCount() && fonts->GetItem(fontIndex)->Charset != DEFAULT_CHARSET)
    codePage = UVCharsetToCodePage(fonts->GetItem(fontIndex)->Charset);
  if (styleUnicode) {
    item->ItemOptions |= uvioUnicode;
    if (!Unicode) text = AnsiToUnicodeCP(codePage, text);
  } else if (Unicode) {
    Integer styleCodePage = font && font->Charset != DEFAULT_CHARSET ? UVCharsetToCodePage(font->Charset)
                                                                     : static_cast<Integer>(FReader->GetCodePage());
    text = UnicodeToAnsiCP(styleCodePage, text);
  }
  // The document keeps no tabs in its text.
  const Integer spaces = FStyle ? FStyle->SpacesInTab : 8;
  text = styleUnicode ? ReplaceTabsUnicode(text, spaces) : ReplaceTabsAnsi(text, spaces);

  const bool newPara = Position == rtf_ts_NewPara || (Position == rtf_ts_NewLine && LineBreaksAsParagraphs);
  item->ParaNo = newPara ? FindParaStyle() : PreviousParaNo();
  InsertItem(item, text, Position);
}

void TUVRTFReaderProperties::NewPicture(TUVRTFReader*, TUVRTFPicture* RTFPicture, TGraphic* Graphic,
                                        TUVRTFPosition Position) {
  std::unique_ptr<TGraphic> graphic(Graphic);
  AnsiString target, extras;
  const bool hyperlink = GetHyperlink(target, extras);
  TCustomUVItemInfo* custom = nullptr;
  bool freeGraphic = true;
  if (FCurrent->ImportRTFPicture(RTFPicture, graphic.get(), hyperlink, custom, freeGraphic)) {
    if (!freeGraphic) graphic.release();
    if (!custom) return;
    custom->ParaNo = Position == rtf_ts_NewPara ? FindParaStyle() : PreviousParaNo();
    InsertItem(custom, AnsiString(), Position);
    return;
  }
  if (!graphic) {
    if (!FStyle) return;
    // What cannot be read is shown as the style sheet's picture for bad pictures.
    TGraphic* invalid = FStyle->GetInvalidPicture();
    graphic.reset(UVCreateGraphic(invalid->ClassType()));
    if (!graphic) return;
    graphic->Assign(invalid);
  }
  Integer styleNo = uvsPicture;
  TUVTag tag = 0;
  AnsiString name;
  if (hyperlink) FCurrent->ReadHyperlink(target, extras, uvlfRTF, styleNo, tag, name);
  TUVGraphicItemInfo* item = styleNo == uvsHotPicture
                                 ? new TUVHotGraphicItemInfo(FCurrent, graphic.release(), 0)
                                 : new TUVGraphicItemInfo(FCurrent, graphic.release(), 0);
  item->Tag = tag;
  if (RTFPicture) {
    const bool metafile = dynamic_cast<TMetafile*>(item->Image) != nullptr;
    if (metafile || RTFPicture->PicScaleX != 100) {
      Integer w = RTFPicture->SuggestedWidth >= 1 ? RTFPicture->SuggestedWidth : item->Image->GetWidth();
      item->ImageWidth = ::MulDiv(w, RTFPicture->PicScaleX, 100);
    }
    if (metafile || RTFPicture->PicScaleY != 100) {
      Integer h = RTFPicture->SuggestedHeight >= 1 ? RTFPicture->SuggestedHeight : item->Image->GetHeight();
      item->ImageHeight = ::MulDiv(h, RTFPicture->PicScaleY, 100);
    }
  }
  item->ParaNo = Position == rtf_ts_NewPara ? FindParaStyle() : PreviousParaNo();
  InsertItem(item, name, Position);
}

void TUVRTFReaderProperties::Table(TUVRTFReader*, TUVRTFTableEventKind WhatHappens) {
  // Without a table import the cells are read as paragraphs: every cell starts one.
  if (!FTables) return;
  FTables->Table(WhatHappens);
  TCustomUVData* cell = FTables->CurrentCell();
  FCurrent = cell ? cell : FOuter;
}

Integer TUVRTFReaderProperties::TableParaStyle(TUVRTFAlignment Alignment) {
  // The style of a plain paragraph with the row's alignment.
  TUVRTFParaProperties& pp = FReader->GetParaProps();
  TUVRTFParaProperties saved;
  saved.Assign(pp);
  TUVRTFParaProperties plain;
  pp.Assign(plain);
  pp.Alignment = Alignment;
  Integer result;
  try {
    result = FindParaStyle();
  } catch (...) {
    pp.Assign(saved);
    throw;
  }
  pp.Assign(saved);
  return result;
}

void TUVRTFReaderProperties::PlaceTableItem(TCustomUVItemInfo* Item, const AnsiString& Text, TCustomUVData* Parent) {
  TCustomUVData* current = FCurrent;
  FCurrent = Parent ? Parent : FOuter;
  try {
    if (Item->StyleNo != uvsTable && Item->GetContinuesPara()) {
      Item->ParaNo = PreviousParaNo();
      PlaceItem(Item, Text);
    } else {
      InsertItem(Item, Text, rtf_ts_NewPara);
    }
  } catch (...) {
    FCurrent = current;
    throw;
  }
  FCurrent = current;
}

void TUVRTFReaderProperties::RequiredPageBreak(TObject*) { FPageBreakPending = true; }

void TUVRTFReaderProperties::HeaderFooter(TUVRTFReader*, TUVRTFHeaderFooterType HFType, bool Starting) {
  TCustomUVData* target = HFType == rtf_hf_Header ? HeaderData : FooterData;
  if (Starting && target)
    FOuter = target;
  else if (!Starting)
    FOuter = FTarget;
  TCustomUVData* cell = FTables ? FTables->CurrentCell() : nullptr;
  FCurrent = cell ? cell : FOuter;
}

void TUVRTFReaderProperties::UpdateMarker(TObject*) { RefreshLastMarker(); }

// --- Inserting ------------------------------------------------------------------------------------

Integer TUVRTFReaderProperties::PreviousParaNo() {
  if (FCurrent != FTarget) {
    const Integer count = FCurrent->GetItemCount();
    return count > 0 ? FCurrent->GetItemPara(count - 1) : FindParaStyle();
  }
  return FIndex > 0 ? FTarget->GetItemPara(FIndex - 1) : FindParaStyle();
}

void TUVRTFReaderProperties::InsertItem(TCustomUVItemInfo* Item, AnsiString Text, TUVRTFPosition Position) {
  std::unique_ptr<TCustomUVItemInfo> guard(Item);
  if (Position == rtf_ts_ContinuePara) {
    Item->SetContinuesPara(true);
  } else if (Position == rtf_ts_NewLine && !LineBreaksAsParagraphs) {
    Item->SetBreaksLine(true);
  } else if (!ParagraphBreaks) {
    Item->SetBreaksLine(true);
  } else if (Item->StyleNo != uvsListMarker && Item->StyleNo != uvsTable) {
    // A numbered or bulleted paragraph begins with its marker; the item joins its paragraph.
    if (TCustomUVItemInfo* marker = MakeDueMarker()) {
      marker->ParaNo = Item->ParaNo;
      PlaceItem(marker, AnsiString());
      Item->SetContinuesPara(true);
    }
  }
  if (FPageBreakPending) {
    Item->SetPageBreakBefore(true);
    FPageBreakPending = false;
  }
  guard.release();
  PlaceItem(Item, Text);
}

void TUVRTFReaderProperties::PlaceItem(TCustomUVItemInfo* Item, const AnsiString& Text) {
  std::unique_ptr<TCustomUVItemInfo> guard(Item);
  AnsiString text = Text;
  TCustomUVData* data = FCurrent;
  Integer placedAt;
  if (data == FTarget) {
    TCustomUVItemInfo* before = FIndex > 0 ? data->GetItem(FIndex - 1) : nullptr;
    const bool nothingToContinue = !before || before->QueryFlag(uvbpFullWidth);
    if (FFirstItem) {
      FFirstItem = false;
      if (!FInsertMode && nothingToContinue) Item->ItemOptions &= static_cast<Byte>(~uvioSameAsPrev);
      Integer firstItemNo = -1;
      guard.release();
      if (!data->InsertItem(FIndex, text, Item, FInsertMode, firstItemNo)) {
        // The document refused the item: the import ends here.
        if (data->GetOptions().Contains(uvoTagsArePChars)) UVFreeStringTag(Item->Tag);
        delete Item;
        Abort();
      }
      Integer index = data->IndexOfItem(Item);
      if (index < 0) {
        // The document took the content into an item of its own.
        FFirstItem = true;
        return;
      }
      placedAt = index;
      FIndex = index + 1;
      if (FFirstIndex < 0) FFirstIndex = index;
      if (Item->StyleNo == uvsListMarker) data->AddMarkerToList(index);
      Item->AfterLoading(uvlfRTF);
    } else {
      if (nothingToContinue) Item->ItemOptions &= static_cast<Byte>(~uvioSameAsPrev);
      guard.release();
      Item->Inserting(data, text, false);
      data->Items->InsertObject(FIndex, text, Item);
      Item->Inserted(data, FIndex);
      Item->AfterLoading(uvlfRTF);
      if (Item->StyleNo == uvsListMarker) data->AddMarkerToList(FIndex);
      placedAt = FIndex++;
      if (FFirstIndex < 0) FFirstIndex = placedAt;
    }
  } else {
    const Integer count = data->GetItemCount();
    if (count == 0 || data->GetItem(count - 1)->QueryFlag(uvbpFullWidth))
      Item->ItemOptions &= static_cast<Byte>(~uvioSameAsPrev);
    guard.release();
    Item->Inserting(data, text, false);
    data->Items->AddObject(text, Item);
    Item->Inserted(data, count);
    Item->AfterLoading(uvlfRTF);
    if (Item->StyleNo == uvsListMarker) data->AddMarkerToList(count);
    placedAt = count;
  }
  if (Item->StyleNo == uvsListMarker) {
    FLastMarkerData = data;
    FLastMarkerIndex = placedAt;
  }
}
