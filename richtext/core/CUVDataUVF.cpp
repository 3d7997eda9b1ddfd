// The native format, UVF: the document (or its selection) written as records of a header line and
// data lines, and such records read back into a document at any item index. Each item class
// writes and reads its own record; this file holds the frame, the document's own records
// (version, background, styles, layout, checkpoints) and the text records.
#include <memory>
#include <string_view>

#include "classlib/Filer.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/CUVFData.h"
#include "richtext/core/UVBack.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

namespace {

// Record kinds that belong to the document, and the kinds of its -9 records.
enum : Integer { kStylesText = 1, kStylesPara = 2, kLayout = 3, kStylesList = 4 };
// Warnings of the reader (the item readers add their own bits).
enum : Cardinal {
  kWarnStyleConverted = 4,
  kWarnAnsiToUnicode = 16,
  kWarnUnicodeToAnsi = 32,
};

// A style collection as the class library's component writer writes a collection value.
void WriteCollection(TStream* Stream, TCollection* Collection) {
  TWriter writer(Stream);
  writer.WriteCollection(Collection);
}

// The collection record: its header, the style sheet's name and the collection's data.
void WriteStylesRecord(TStream* Stream, Integer Kind, const AnsiString& StyleName, TCollection* Collection,
                       bool Binary) {
  UVFWriteLine(Stream, Format("%d %d %d %d %d %d %d", uvsDocProperty, 2, 0, 0, Binary ? uvf_dfBinary : uvf_dfText,
                              0, Kind));
  UVFWriteLine(Stream, StyleName);
  TMemoryStream data;
  WriteCollection(&data, Collection);
  if (Binary) {
    Integer size = static_cast<Integer>(data.GetSize());
    Stream->WriteBuffer(&size, 4);
    Stream->WriteBuffer(data.GetMemory(), size);
  } else {
    UVFWriteLine(Stream, UVFStreamToHex(&data));
  }
}

}  // namespace

void UVFWriteCheckpoint(TStream* Stream, bool TagsArePChars, TUVCPInfo* CP) {
  if (!CP) return;
  UVFWriteLine(Stream, Format("%d %d %d %d %d %s %d", uvsCheckpoint, 1, 0, 0, 0,
                              UVFTagToStr(CP->Tag, TagsArePChars), CP->RaiseEvent ? 1 : 0));
  UVFWriteLine(Stream, CP->Name);
}

// --- Writing --------------------------------------------------------------------------------------

bool TCustomUVData::SaveUVFToStream(TStream* Stream, bool SelectionOnly, TColor Color, TUVBackground* Background,
                                    TUVLayoutInfo* Layout) {
  return SaveUVFToStreamEx(Stream, SelectionOnly ? uvfss_Selection : uvfss_Full, Color, Background, Layout);
}

bool TCustomUVData::SaveUVFToStreamEx(TStream* Stream, TUVFSaveScope Scope, TColor Color, TUVBackground* Background,
                                      TUVLayoutInfo* Layout) {
  if (GetItemCount() == 0) return true;
  const TUVFOptions options = GetUVFOptions();
  const bool binary = options.Contains(uvfoSaveBinary);
  const bool tagsArePChars = TagsArePChars();
  const bool useNames = options.Contains(uvfoUseStyleNames);
  TUVStyle* style = GetUVStyle();

  UVFWriteLine(Stream, Format("%d %d %d", uvsVersion, 1, 2));

  if (Scope != uvfss_Selection && options.Contains(uvfoSaveBack)) {
    const Integer backStyle = Background ? static_cast<Integer>(Background->Style) : 0;
    if (!Background || Background->Bitmap->GetEmpty() || Background->Style == bsNoBitmap) {
      UVFWriteLine(Stream, Format("%d %d %d %d %d %d %d %d", uvsBack, 0, -1, 0, 0, 0, backStyle, Color));
    } else {
      UVFWriteLine(Stream, Format("%d %d %d %d %d %d %d %d", uvsBack, 2, 0, 0, binary ? uvf_dfBinary : uvf_dfText, 0,
                                  backStyle, Color));
      UVFWriteLine(Stream, Background->Bitmap->ClassName());
      if (binary)
        UVFSavePictureBinary(Stream, Background->Bitmap);
      else
        UVFWriteLine(Stream, UVFSavePicture(Background->Bitmap));
    }
  }

  // The styles and the layout belong to the document as a whole, not to its table cells.
  if (!GetParentData() && style) {
    if (options.Contains(uvfoSaveTextStyles))
      WriteStylesRecord(Stream, kStylesText, style->GetName(), style->GetTextStyles(), binary);
    if (options.Contains(uvfoSaveParaStyles)) {
      WriteStylesRecord(Stream, kStylesPara, style->GetName(), style->GetParaStyles(), binary);
      TUVListInfos* lists = style->GetListStyles();
      lists->FUVData = this;
      ScopeExit written([lists] { lists->FUVData = nullptr; });
      WriteStylesRecord(Stream, kStylesList, style->GetName(), lists, binary);
    }
  }
  if (!GetParentData() && options.Contains(uvfoSaveLayout) && Layout && Scope != uvfss_Selection) {
    UVFWriteLine(Stream, Format("%d %d %d %d %d %d %d", uvsDocProperty, 2, 0, 0, binary ? uvf_dfBinary : uvf_dfText,
                                0, kLayout));
    UVFWriteLine(Stream, AnsiString());
    if (binary)
      Layout->SaveToStream(Stream, true);
    else
      UVFWriteLine(Stream, Layout->SaveToHex());
  }

  // An edited table cell holds the selection: it writes it.
  if (Scope == uvfss_Selection)
    if (auto* formatted = dynamic_cast<TCustomUVFormattedData*>(this); formatted && formatted->ChosenUVData)
      return formatted->ChosenUVData->SaveUVFToStreamEx(Stream, uvfss_Selection, clNone, nullptr, nullptr);

  Integer first, firstOffs, last, lastOffs;
  TCustomUVItemInfo* firstPartial = nullptr;
  TCustomUVItemInfo* lastPartial = nullptr;
  GetWriteRange(Scope == uvfss_Selection, first, firstOffs, last, lastOffs, firstPartial, lastPartial);
  if (first < 0 || first > last) return false;

  // The part of a text item inside the range.
  const Integer rangeFirst = first;
  auto selectedText = [&](Integer ItemNo) -> AnsiString {
    AnsiString text = GetItemText(ItemNo);
    if (GetItemStyle(ItemNo) < 0) return text;
    const Byte itemOptions = GetItemOptions(ItemNo);
    Integer from = ItemNo == rangeFirst ? firstOffs : 1;
    Integer to = ItemNo == last ? lastOffs : UVUniLength(text, itemOptions) + 1;
    if (from < 1) from = 1;
    return UVUniCopy(text, from, to - from, itemOptions);
  };
  auto writeTextRecord = [&](Integer ItemNo, const std::vector<AnsiString>& Lines, bool ForceSameAsPrev) {
    TCustomUVItemInfo* item = GetItem(ItemNo);
    Byte itemOptions = item->ItemOptions & 15;
    AnsiString para;
    if (ForceSameAsPrev) {
      itemOptions = static_cast<Byte>((itemOptions | uvioSameAsPrev) & ~(uvioPageBreakBefore | uvioBR));
      para = "-1";
    } else {
      para = UVFItemParaNoToStr(this, item);
    }
    UVFWriteLine(Stream, Format("%s %d %s %d %d %s", UVFStyleNoToStr(style, item->StyleNo, useNames),
                                static_cast<Integer>(Lines.size()), para, static_cast<Integer>(itemOptions), 0,
                                UVFTagToStr(item->Tag, tagsArePChars)));
    const bool unicode = (item->ItemOptions & uvioUnicode) != 0;
    for (const AnsiString& line : Lines) UVFWriteTerminatedLine(Stream, line, unicode);
  };

  // A range inside one text item.
  if (first == last && GetItemStyle(first) >= 0 && !firstPartial &&
      (firstOffs > GetOffsBeforeItem(first) || lastOffs < GetOffsAfterItem(first))) {
    writeTextRecord(first, {selectedText(first)}, false);
    return true;
  }

  if (firstPartial) {
    GetItem(first)->SaveUVFSelection(Stream, this, first);
    ++first;
  } else if (Scope == uvfss_Selection) {
    // A selection inside a numbered paragraph keeps its number: the marker comes first.
    Integer paraStart = GetFirstParaItem(first);
    if (paraStart != first && GetItemStyle(paraStart) == uvsListMarker) {
      TCustomUVItemInfo* marker = GetItem(paraStart);
      UVFWriteCheckpoint(Stream, tagsArePChars, marker->Checkpoint);
      marker->SaveUVF(Stream, this, paraStart, GetItemText(paraStart), false);
      TCustomUVItemInfo* item = GetItem(first);
      if (!(item->StyleNo < 0 && firstOffs >= GetOffsAfterItem(first))) {
        UVFWriteCheckpoint(Stream, tagsArePChars, item->Checkpoint);
        if (item->StyleNo >= 0)
          writeTextRecord(first, {selectedText(first)}, true);
        else
          item->SaveUVF(Stream, this, first, GetItemText(first), true);
      }
      ++first;
    }
  }

  const Integer walkLast = lastPartial ? last - 1 : last;
  Integer pending = -1;  // the first item of the text record being collected
  std::vector<AnsiString> pendingLines;
  auto flush = [&]() {
    if (pending < 0) return;
    UVFWriteCheckpoint(Stream, tagsArePChars, GetItem(pending)->Checkpoint);
    writeTextRecord(pending, pendingLines, false);
    pending = -1;
    pendingLines.clear();
  };
  for (Integer i = first; i <= walkLast; ++i) {
    TCustomUVItemInfo* item = GetItem(i);
    if (item->StyleNo >= 0) {
      if (pending >= 0 && !item->GetContinuesPara() && !item->Checkpoint) {
        TCustomUVItemInfo* head = GetItem(pending);
        if (item->StyleNo == head->StyleNo && item->ParaNo == head->ParaNo &&
            (item->ItemOptions & 15) == (head->ItemOptions & 15) && UVCompareTags(item->Tag, head->Tag, tagsArePChars)) {
          pendingLines.push_back(selectedText(i));
          continue;
        }
      }
      flush();
      pending = i;
      pendingLines.push_back(selectedText(i));
      continue;
    }
    flush();
    // A picture or the like at the ends of a selection counts only when the range covers it.
    if ((i == rangeFirst && Scope == uvfss_Selection && firstOffs >= GetOffsAfterItem(i)) ||
        (i == last && Scope == uvfss_Selection && lastOffs <= GetOffsBeforeItem(i)))
      continue;
    UVFWriteCheckpoint(Stream, tagsArePChars, item->Checkpoint);
    item->SaveUVF(Stream, this, i, GetItemText(i), false);
  }
  flush();
  if (lastPartial) {
    GetItem(last)->SaveUVFSelection(Stream, this, last);
  } else if (last == GetItemCount() - 1 && lastOffs >= GetOffsAfterItem(last)) {
    UVFWriteCheckpoint(Stream, tagsArePChars, NotAddedCP);
  }
  return true;
}

void TCustomUVData::SaveUVFToStreamWithLength(TStream* Stream) {
  const Int64 start = Stream->GetPosition();
  Integer size = 0;
  Stream->WriteBuffer(&size, 4);
  TUVFOptions options = GetUVFOptions();
  const bool saveBack = options.Contains(uvfoSaveBack);
  if (saveBack) SetUVFOptions(options - TUVFOptions{uvfoSaveBack});
  {
    ScopeExit restore([&] {
      if (saveBack) SetUVFOptions(options);
    });
    SaveUVFToStreamEx(Stream, uvfss_Full, clNone, nullptr, nullptr);
  }
  const Int64 end = Stream->GetPosition();
  size = static_cast<Integer>(end - start - 4);
  Stream->SetPosition(start);
  Stream->WriteBuffer(&size, 4);
  Stream->SetPosition(end);
}

// --- Reading --------------------------------------------------------------------------------------

// One run of the reader over a stream: the record header being read, the line modes, the
// pending checkpoint and the style maps.
struct TCustomUVData::UVFReader {
  enum TLineMode { lmText, lmBinaryFollows, lmBinary, lmUnicodeFollows, lmUnicode, lmAfterUnicode };

  UVFReader(TCustomUVData* AData, Integer AIndex, bool AEditing, bool AJoin, bool AWholeDocument, Integer AFirstParaNo,
            TUVLayoutInfo* ALayout, TUVBackground* ABackground, TColor* AColor)
      : Data(AData),
        Style(AData->GetUVStyle()),
        Options(AData->GetUVFOptions()),
        TagsArePChars(AData->TagsArePChars()),
        Index(AIndex),
        Editing(AEditing),
        Join(AJoin),
        WholeDocument(AWholeDocument),
        FirstParaNo(AFirstParaNo),
        Layout(ALayout),
        Background(ABackground),
        Color(AColor) {}

  ~UVFReader() {
    FreeHeaderObjects();
    if (Maps) Data->ReleaseUVFStyleMaps();
  }

  // The header's item and tags that were not handed on.
  void FreeHeaderObjects() {
    if (Item) {
      Data->FreeTag(Item->Tag);
      delete Item;
      Item = nullptr;
    }
    Data->FreeTag(HeaderTag);
  }

  void Warn(Cardinal Bit) { Data->SetUVFWarnings(Data->GetUVFWarnings() | Bit); }

  // --- Header -------------------------------------------------------------------------------
  bool ReadHeader(const AnsiString& Line);
  bool MapStyle(Integer& Number, TUVIntegerList* Map, Integer Count);

  // --- Records ------------------------------------------------------------------------------
  bool ReadDocPropertyLine(const AnsiString& Line);
  bool ReadBackgroundLine(const AnsiString& Line);
  bool InsertRecord(const AnsiString& Text);
  TUVCPInfo* TakePendingCheckpoint();
  void DiscardPendingCheckpoint();
  void AttachPendingCheckpoint(TCustomUVItemInfo* Target);

  bool Run(const char* Begin, const char* End);

  TCustomUVData* Data;
  TUVStyle* Style;
  TUVFOptions Options;
  bool TagsArePChars;
  Integer Index;
  bool Editing;
  bool Join;
  bool WholeDocument;
  Integer FirstParaNo;
  TUVLayoutInfo* Layout;
  TUVBackground* Background;
  TColor* Color;

  // The record header.
  Integer StyleNo = 0;
  Integer ParaNo = 0;
  Integer ReadMode = 0;
  Integer ExtraValue = 0;
  Integer LineCount = 0;
  Integer LinesRead = 0;
  TCustomUVItemInfo* Item = nullptr;  // owned until inserted
  AnsiString Name;
  Integer VersionMajor = 1;
  Integer VersionMinor = 0;
  bool CPRaiseEvent = false;
  TUVTag HeaderTag = 0;  // the tag of a checkpoint record, owned

  // Checkpoints: the pending one, whether it is the document's trailing checkpoint, and the one
  // new checkpoints are linked after.
  TUVCPInfo* PendingCP = nullptr;
  TUVCPInfo* PrevCP = nullptr;
  bool FirstItem = true;
  Integer ItemsAdded = 0;

  TUVFStyleMaps* Maps = nullptr;
};

bool TCustomUVData::UVFReader::MapStyle(Integer& Number, TUVIntegerList* Map, Integer Count) {
  if (Map) {
    if (Number >= Map->GetCount()) {
      Warn(kWarnStyleConverted);
      return false;
    }
    Number = Map->Get(Number);
  }
  if (Style && Number >= Count) {
    Warn(kWarnStyleConverted);
    if (!Options.Contains(uvfoConvUnknownStylesToZero)) return false;
    Number = 0;
  }
  return true;
}

bool TCustomUVData::UVFReader::ReadHeader(const AnsiString& Line) {
  const char* p = Line.c_str();
  if (!UVFReadTextStyle(p, Style, StyleNo)) return false;
  if (StyleNo == uvsVersion) {
    if (!UVFReadInteger(p, VersionMajor) || !UVFReadInteger(p, VersionMinor)) return false;
    LineCount = 0;
    return true;
  }
  if (!UVFReadInteger(p, LineCount) || LineCount < 0) return false;
  if (!UVFReadParaStyle(p, Style, ParaNo)) return false;
  if (StyleNo != uvsBack && StyleNo != uvsCheckpoint && StyleNo != uvsDocProperty) {
    Item = CreateItemByStyleNo(Data, StyleNo);
    if (Item) Item->BeforeLoading(uvlfUVF);
  }
  Integer itemOptions = 0;
  if (VersionMajor >= 1 && VersionMinor >= 2) {
    if (!UVFReadInteger(p, itemOptions)) return false;
    if (Item) Item->ItemOptions = static_cast<Byte>(itemOptions);
  }
  if (!UVFReadInteger(p, ReadMode)) return false;
  TUVTag tag = 0;
  if (!UVFReadTag(p, TagsArePChars, tag)) return false;
  if (Item)
    Item->Tag = tag;
  else if (StyleNo == uvsCheckpoint)
    HeaderTag = tag;
  else
    Data->FreeTag(tag);
  if (StyleNo == uvsDocProperty && !UVFReadInteger(p, ExtraValue)) return false;

  if (StyleNo >= 0 && !MapStyle(StyleNo, Maps->TextStyles, Style ? Style->GetTextStyles()->GetCount() : 0))
    return false;
  if (Item && ParaNo >= 0 &&
      !MapStyle(ParaNo, Maps->ParaStyles, Style ? Style->GetParaStyles()->GetCount() : 0))
    return false;
  if (Item) {
    Item->StyleNo = StyleNo;
    Item->ParaNo = ParaNo;
  }

  switch (StyleNo) {
    case uvsBack: {
      Integer backStyle = 0, backColor = 0;
      if (!UVFReadInteger(p, backStyle) || !UVFReadInteger(p, backColor)) return false;
      if (Options.Contains(uvfoLoadBack)) {
        if (Color) *Color = backColor;
        if (Background) {
          Background->Style = backStyle >= bsNoBitmap && backStyle <= bsCentered ? static_cast<TBackgroundStyle>(backStyle)
                                                                                 : bsNoBitmap;
          Background->Bitmap->Assign(nullptr);
        }
      }
      break;
    }
    case uvsCheckpoint:
      CPRaiseEvent = false;
      if (*p) {
        Integer raise = 0;
        if (!UVFReadInteger(p, raise)) return false;
        CPRaiseEvent = raise != 0;
      }
      break;
    default:
      if (Item && !Item->ReadUVFHeader(p, Data)) return false;
  }
  return true;
}

bool TCustomUVData::UVFReader::ReadDocPropertyLine(const AnsiString& Line) {
  if (LinesRead != 1) return true;  // line 0 names the style sheet; it is not needed
  const bool binary = ReadMode == uvf_dfBinary;
  auto body = [&](TMemoryStream& Stream) -> bool {
    if (binary) {
      Stream.WriteBuffer(Line.data(), static_cast<Integer>(Line.size()));
    } else if (ReadMode == uvf_dfText) {
      if (!UVFHexToStream(Line, &Stream)) return false;
    } else {
      return false;
    }
    Stream.SetPosition(0);
    return true;
  };

  if (ExtraValue == kLayout) {
    if (!Layout || !WholeDocument || !Options.Contains(uvfoLoadLayout)) return true;
    if (ReadMode != uvf_dfText && ReadMode != uvf_dfBinary) return true;
    TMemoryStream stream;
    if (!body(stream)) return false;
    Layout->LoadFromStream(&stream, false);
    return true;
  }
  if (ExtraValue != kStylesText && ExtraValue != kStylesPara && ExtraValue != kStylesList) return true;
  if (!Style) return true;
  const TUVFReaderStyleMode mode =
      ExtraValue == kStylesText ? Data->GetUVFTextStylesReadMode() : Data->GetUVFParaStylesReadMode();
  if (mode == uvf_sIgnore) return true;
  TCustomUVInfos* target;
  TUVIntegerList** map;
  std::unique_ptr<TCustomUVInfos> stored;
  switch (ExtraValue) {
    case kStylesText:
      target = Style->GetTextStyles();
      map = &Maps->TextStyles;
      stored = std::make_unique<TFontInfos>(nullptr, Style->GetTextStyleClass());
      break;
    case kStylesPara:
      target = Style->GetParaStyles();
      map = &Maps->ParaStyles;
      stored = std::make_unique<TParaInfos>(nullptr, Style->GetParaStyleClass());
      break;
    default:
      target = Style->GetListStyles();
      map = &Maps->ListStyles;
      stored = std::make_unique<TUVListInfos>(nullptr, Style->GetListStyleClass());
      static_cast<TUVListInfos*>(stored.get())->FUVData = Data;
  }
  TMemoryStream stream;
  if (!body(stream)) return false;
  {
    TReader reader(&stream, 4096);
    if (reader.ReadValue() != vaCollection) return false;
    reader.ReadCollection(stored.get());
  }
  if (auto* lists = dynamic_cast<TUVListInfos*>(stored.get())) lists->FUVData = nullptr;
  if (stored->GetCount() == 0) return true;
  if (WholeDocument) {
    target->Assign(stored.get());
    return true;
  }
  // A second record of the same kind is not merged again.
  if (*map) return true;
  *map = new TUVIntegerList;
  target->MergeCollection(stored.get(), mode == uvf_sInsertMap ? uvsmClosest : uvsmMerge, *map);
  return true;
}

bool TCustomUVData::UVFReader::ReadBackgroundLine(const AnsiString& Line) {
  if (LinesRead != 1 || !Options.Contains(uvfoLoadBack)) return true;
  TBitmap scratch;
  TBitmap* bitmap = Background ? Background->Bitmap : &scratch;
  if (ReadMode == uvf_dfBinary) {
    UVFLoadPictureBinary(Line, bitmap);
    return true;
  }
  return UVFLoadPicture(Line, bitmap);
}

TUVCPInfo* TCustomUVData::UVFReader::TakePendingCheckpoint() {
  TUVCPInfo* cp = PendingCP;
  PendingCP = nullptr;
  // The document's trailing checkpoint stops being one.
  if (cp && Data->NotAddedCP == cp) {
    Data->NotAddedCP = nullptr;
    --Data->CPCount;
  }
  return cp;
}

void TCustomUVData::UVFReader::DiscardPendingCheckpoint() {
  if (TUVCPInfo* cp = TakePendingCheckpoint()) {
    Data->FreeTag(cp->Tag);
    delete cp;
  }
}

void TCustomUVData::UVFReader::AttachPendingCheckpoint(TCustomUVItemInfo* Target) {
  TUVCPInfo* cp = TakePendingCheckpoint();
  if (!cp) return;
  cp->ItemInfo = Target;
  Target->Checkpoint = cp;
  if (Editing) return;
  ++Data->CPCount;
  // Linked right after the checkpoint before the insertion point: the chain stays in item order
  // without a walk over the document for every checkpoint.
  cp->Prev = PrevCP;
  cp->Next = PrevCP ? PrevCP->Next : Data->FirstCP;
  if (cp->Prev)
    cp->Prev->Next = cp;
  else
    Data->FirstCP = cp;
  if (cp->Next)
    cp->Next->Prev = cp;
  else
    Data->LastCP = cp;
  PrevCP = cp;
}

bool TCustomUVData::UVFReader::InsertRecord(const AnsiString& Text) {
  if (StyleNo == uvsVersion || StyleNo == uvsBack || StyleNo == uvsDocProperty || StyleNo == uvsCheckpoint) return true;
  TCustomUVItemInfo* item;
  AnsiString text = Text;
  if (StyleNo >= 0) {
    if (!Item) return false;
    if (Editing && Style && Style->GetTextStyles()->GetItem(StyleNo)->Protection.Contains(uvprUVFInsertProtect))
      return true;
    item = UVTextItemConstructor(Data);
    item->Assign(Item);
    item->Tag = CopyItemTag(Item->Tag, TagsArePChars);
  } else {
    item = Item;
    Item = nullptr;
    if (item && !item->QueryFlag(uvbpValid)) {
      Data->FreeTag(item->Tag);
      delete item;
      item = nullptr;
    }
    if (!item) {
      // Nothing to carry the checkpoint read for it.
      DiscardPendingCheckpoint();
      return true;
    }
  }
  std::unique_ptr<TCustomUVItemInfo> guard(item);

  const bool joinThis = Join && FirstItem;
  Integer paraNo = joinThis ? FirstParaNo : item->ParaNo;
  if (paraNo == -1) {
    TCustomUVItemInfo* before = Index > 0 ? Data->GetItem(Index - 1) : nullptr;
    if (before && !before->QueryFlag(uvbpFullWidth)) {
      item->SetContinuesPara(true);
      item->ParaNo = before->ParaNo;
    } else {
      item->ItemOptions &= static_cast<Byte>(~uvioSameAsPrev);
      item->ParaNo = 0;
    }
  } else if (joinThis) {
    item->ParaNo = paraNo;
  }
  item->UpdateStyleContext(Data);

  if (item->StyleNo >= 0 && Style) {
    TFontInfo* font = Style->GetTextStyles()->GetItem(item->StyleNo);
    if (item->IsUnicode() && !font->Unicode) {
      CheckUnicodeLength(text);
      text = UnicodeToAnsiCP(UVCharsetToCodePage(font->Charset), text);
      item->ItemOptions &= static_cast<Byte>(~uvioUnicode);
      Warn(kWarnUnicodeToAnsi);
    } else if (!item->IsUnicode() && font->Unicode) {
      text = AnsiToUnicodeCP(UVCharsetToCodePage(font->Charset), text);
      item->ItemOptions |= uvioUnicode;
      Warn(kWarnAnsiToUnicode);
    }
  }
  if (item->StyleNo == uvsListMarker) {
    auto* marker = static_cast<TUVMarkerItemInfo*>(item);
    if (TUVIntegerList* map = Maps->ListStyles) {
      if (marker->ListNo >= map->GetCount()) {
        marker->ListNo = 0;
        Warn(kWarnStyleConverted);
      } else if (marker->ListNo >= 0) {
        marker->ListNo = map->Get(marker->ListNo);
      }
    }
  }

  guard.release();
  AttachPendingCheckpoint(item);
  Integer itemNo = Index;
  if (joinThis) {
    Integer firstItemNo = -1;
    if (!Data->InsertItem(Index, text, item, true, firstItemNo)) {
      // The document refused the item (and did not take it).
      if (item->Checkpoint) {
        TUVCPInfo* cp = item->Checkpoint;
        Data->FreeCheckpoint(cp, !Editing, !Editing);
      }
      Data->FreeTag(item->Tag);
      delete item;
      return false;
    }
    if (firstItemNo >= 0) itemNo = firstItemNo;
    Index = itemNo + 1;
  } else {
    item->Inserting(Data, text, false);
    Data->Items->InsertObject(Index, text, item);
    item->Inserted(Data, Index);
    if (item->StyleNo == uvsListMarker) Data->AddMarkerToList(Index);
    ++Index;
  }
  FirstItem = false;
  ++ItemsAdded;
  if (auto* control = dynamic_cast<TUVControlItemInfo*>(item)) {
    TControl* c = control->Control;
    Data->ControlAction(uvcaAfterUVFLoad, itemNo, c);
  }
  if (!(Data->State & uvstInsertingNestedUVF)) item->AfterLoading(uvlfUVF);
  return true;
}

bool TCustomUVData::UVFReader::Run(const char* Begin, const char* End) {
  enum { stHeader, stData, stSkip } state = stHeader;
  TLineMode mode = lmText;
  const char* p = Begin;
  AnsiString line;

  auto isLast = [&](Integer LineNo) { return LineNo == LineCount - 1; };

  while (p < End) {
    // One line in the current mode.
    TLineMode lineMode = mode;
    switch (lineMode) {
      case lmText:
      case lmBinaryFollows:
      case lmUnicodeFollows: {
        const char* q = p;
        while (q < End && *q != '\0' && *q != '\r' && *q != '\n') ++q;
        line.assign(p, q);
        p = q;
        // A NUL ends the line as a line end does.
        if (p < End && *p == '\0') ++p;
        break;
      }
      case lmBinary: {
        if (End - p < 4) return false;
        Integer size;
        std::memcpy(&size, p, 4);
        p += 4;
        if (size < 0 || size > End - p) return false;
        line.assign(p, static_cast<std::size_t>(size));
        p += size;
        break;
      }
      case lmUnicode:
      case lmAfterUnicode: {
        const char* q = p;
        while (End - q >= 2) {
          const Word unit = static_cast<Word>(static_cast<Byte>(q[0]) | (static_cast<Byte>(q[1]) << 8));
          if (unit == 0x2029 || unit == 0) break;
          q += 2;
        }
        if (End - q == 1) q = End;  // a last odd byte belongs to no unit
        line.assign(p, q);
        p = q;
        break;
      }
    }

    // What the line is.
    TUVFReadMode itemMode = uvf_rmText;
    const bool dataLine = state != stHeader;
    switch (state) {
      case stHeader:
        StyleNo = ParaNo = ReadMode = ExtraValue = LineCount = 0;
        LinesRead = 0;
        Name.clear();
        if (!ReadHeader(line)) return false;
        if (LineCount == 0) {
          if (!InsertRecord(AnsiString())) return false;
          FreeHeaderObjects();
          break;
        }
        if (StyleNo == uvsCheckpoint || StyleNo == uvsBack || StyleNo == uvsDocProperty ||
            (Item && Item->QueryFlag(uvbpRequiresUVFLines))) {
          state = stData;
        } else {
          state = stSkip;
          if (isLast(0) && ReadMode == uvf_dfBinary) mode = lmBinaryFollows;
        }
        if (Item && (Item->ItemOptions & uvioUnicode)) mode = lmUnicodeFollows;
        break;
      case stData:
        switch (StyleNo) {
          case uvsDocProperty:
            if (LinesRead == 0 && ReadMode == uvf_dfBinary) mode = lmBinaryFollows;
            if (!ReadDocPropertyLine(line)) return false;
            break;
          case uvsBack:
            if (LinesRead == 0 && ReadMode == uvf_dfBinary) mode = lmBinaryFollows;
            if (!ReadBackgroundLine(line)) return false;
            break;
          case uvsCheckpoint:
            if (LinesRead == 0) {
              if (!PendingCP) {
                PendingCP = new TUVCPInfo;
                PendingCP->Name = line;
                PendingCP->RaiseEvent = CPRaiseEvent;
                PendingCP->Tag = HeaderTag;
                HeaderTag = 0;
              }
            }
            break;
          default:
            if (StyleNo >= 0) {
              if (!InsertRecord(line)) return false;
            } else {
              TUVFReadState readState = uvf_rsData;
              if (!Item->ReadUVFLine(line, Data, ReadMode, LinesRead, LineCount, Name, itemMode, readState))
                return false;
              if (isLast(LinesRead) && !InsertRecord(Name)) return false;
            }
        }
        break;
      case stSkip:
        if (isLast(LinesRead + 1) && ReadMode == uvf_dfBinary) mode = lmBinaryFollows;
        if (isLast(LinesRead) && !InsertRecord(AnsiString())) return false;
        break;
    }
    if (dataLine && ++LinesRead >= LineCount) {
      state = stHeader;
      FreeHeaderObjects();
      if (mode == lmUnicode || mode == lmUnicodeFollows) mode = lmAfterUnicode;
    }

    // The line's end, by the mode the record now asks for.
    switch (mode) {
      case lmText:
        if (p < End && *p == '\r') ++p;
        if (p < End && *p == '\n') ++p;
        break;
      case lmBinaryFollows:
      case lmUnicodeFollows:
        if (End - p < 2 || p[0] != '\r' || p[1] != '\n') return false;
        p += 2;
        mode = mode == lmBinaryFollows ? lmBinary : lmUnicode;
        break;
      case lmBinary:
        mode = lmText;
        break;
      case lmUnicode:
      case lmAfterUnicode:
        if (End - p >= 2 && static_cast<Byte>(p[0]) == 0x29 && static_cast<Byte>(p[1]) == 0x20) p += 2;
        if (mode == lmAfterUnicode) mode = lmText;
        break;
    }
    // An item asks for the mode of its next line.
    if (itemMode == uvf_rmBinaryFollows && mode == lmText) mode = lmBinaryFollows;
  }
  return state == stHeader;
}

bool TCustomUVData::InsertUVFFromStream(TStream* Stream, Integer& Index, bool& InProgress, Integer& ItemsAdded,
                                        TUVLayoutInfo* Layout, TUVBackground* Background, TColor* Color, bool Editing,
                                        bool Join, bool WholeDocument, Integer FirstParaNo) {
  InProgress = true;
  SetUVFWarnings(0);
  if (Index > GetItemCount()) Index = GetItemCount();
  if (Index < 0) Index = 0;
  const Integer startIndex = Index;
  UVFReader reader(this, Index, Editing, Join, WholeDocument, FirstParaNo, Layout, Background, Color);
  if (Index == GetItemCount()) {
    reader.PrevCP = LastCP;
    if (!Editing) reader.PendingCP = NotAddedCP;
  } else {
    reader.PrevCP = GetCheckpointBeforeItem(Index);
  }
  reader.Maps = GetUVFStyleMaps();

  // Everything from the stream's position to its end.
  AnsiString data;
  const Int64 size = Stream->GetSize() - Stream->GetPosition();
  if (size > 0) {
    data.resize(static_cast<std::size_t>(size));
    Stream->ReadBuffer(data.data(), static_cast<Integer>(size));
  }

  bool result;
  try {
    result = reader.Run(data.data(), data.data() + data.size());
  } catch (const Exception&) {
    result = false;
  }
  InProgress = false;
  Index = reader.Index;
  ItemsAdded = reader.ItemsAdded;
  if (result && !Editing && GetItemCount() > 0) UnifyParaNo(startIndex);

  // A checkpoint read after the last item ends the document when the stream filled it to its end.
  if (TUVCPInfo* cp = reader.PendingCP) {
    reader.PendingCP = nullptr;
    if (cp != NotAddedCP) {
      if (result && reader.Index == GetItemCount() && !NotAddedCP) {
        NotAddedCP = cp;
        ++CPCount;
      } else {
        FreeTag(cp->Tag);
        delete cp;
      }
    }
  }
  return result;
}

bool TCustomUVData::InsertUVFFromStreamAt(TStream* Stream, Integer Index, bool WholeDocument, TUVLayoutInfo* Layout,
                                          TUVBackground* Background, TColor* Color) {
  bool inProgress = false;
  Integer added = 0;
  return InsertUVFFromStream(Stream, Index, inProgress, added, Layout, Background, Color, false, false, WholeDocument,
                             -1);
}

bool TCustomUVData::LoadUVFFromStream(TStream* Stream, TColor* Color, TUVBackground* Background,
                                      TUVLayoutInfo* Layout) {
  Clear();
  return InsertUVFFromStreamAt(Stream, 0, true, Layout, Background, Color);
}

bool TCustomUVData::LoadUVF(const AnsiString& FileName, TColor* Color, TUVBackground* Background,
                            TUVLayoutInfo* Layout) {
  std::unique_ptr<TFileStream> stream;
  try {
    stream = std::make_unique<TFileStream>(FileName, fmOpenRead | fmShareDenyWrite);
  } catch (const Exception&) {
    return false;
  }
  return LoadUVFFromStream(stream.get(), Color, Background, Layout);
}

bool TCustomUVData::InsertUVFFromStreamWithLength(TStream* Stream) {
  Integer size = 0;
  Stream->ReadBuffer(&size, 4);
  if (size < 0) return false;
  TMemoryStream data;
  if (size > 0) data.CopyFrom(Stream, size);
  data.SetPosition(0);
  const Cardinal oldState = State;
  State |= uvstInsertingNestedUVF;
  ScopeExit restore(
      [&] { State = (State & ~static_cast<Cardinal>(uvstInsertingNestedUVF)) | (oldState & uvstInsertingNestedUVF); });
  return InsertUVFFromStreamAt(&data, GetItemCount(), false, nullptr, nullptr, nullptr);
}
