#include "richtext/core/UVMarker.h"

#include <algorithm>

#include "classlib/Metafiles.h"
#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVUni.h"

// ---------------------------------------------------------------------------------------------
// Counters as text

AnsiString UVCounterToText(Integer Counter, TUVListType ListType) {
  switch (ListType) {
    case uvlstDecimal:
    case uvlstImageListCounter:
      return IntToStr(Counter);
    case uvlstLowerAlpha:
    case uvlstUpperAlpha: {
      // Bijective base 26: 1 = a, 26 = z, 27 = aa.
      AnsiString result;
      char first = ListType == uvlstLowerAlpha ? 'a' : 'A';
      for (Integer n = Counter; n > 0; n = (n - 1) / 26) result.insert(result.begin(), static_cast<char>(first + (n - 1) % 26));
      return result;
    }
    case uvlstLowerRoman:
    case uvlstUpperRoman: {
      if (Counter < 1) return "?";
      static const struct {
        Integer Value;
        const char* Text;
      } kRoman[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
                    {40, "XL"},  {10, "X"},   {9, "IX"},   {5, "V"},    {4, "IV"},   {1, "I"}};
      AnsiString result;
      Integer n = Counter;
      for (const auto& r : kRoman)
        for (; n >= r.Value; n -= r.Value) result += r.Text;
      return ListType == uvlstLowerRoman ? LowerCase(result) : result;
    }
    default:
      return AnsiString();
  }
}

AnsiString UVFormatListLevelString(const AnsiString& Format, const std::vector<AnsiString>& Args) {
  AnsiString result;
  std::size_t next = 0;
  auto arg = [&Args](std::size_t index) { return index < Args.size() ? Args[index] : AnsiString(); };
  for (std::size_t i = 0; i < Format.size(); ++i) {
    char c = Format[i];
    if (c == '%') {
      if (i + 1 < Format.size() && Format[i + 1] == '%') {
        result += '%';
        ++i;
        continue;
      }
      if (i + 1 < Format.size() && Format[i + 1] == 's') {
        result += arg(next++);
        ++i;
        continue;
      }
      std::size_t j = i + 1;
      std::size_t index = 0;
      while (j < Format.size() && Format[j] >= '0' && Format[j] <= '9' && index < 100000) {
        index = index * 10 + static_cast<std::size_t>(Format[j] - '0');
        ++j;
      }
      if (j > i + 1 && j + 1 < Format.size() && Format[j] == ':' && Format[j + 1] == 's') {
        result += arg(index);
        next = index + 1;
        i = j + 1;
        continue;
      }
    }
    result += c;
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// TUVMarkerList

void TUVMarkerList::InsertAfter(TUVMarkerItemInfo* Marker, TUVMarkerItemInfo* Previous) {
  Integer index = Previous ? Previous->GetIndexInList(this) + 1 : 0;
  Insert(index, Marker);
  Marker->IndexInList = index;
}

Integer TUVMarkerList::FindParentMarker(Integer Index) const {
  TUVMarkerItemInfo* marker = Get(Index);
  for (Integer i = Index - 1; i >= 0; --i) {
    TUVMarkerItemInfo* m = Get(i);
    if (m->ListNo == marker->ListNo && m->Level < marker->Level) return i;
  }
  return -1;
}

void TUVMarkerList::RecalcCounters(Integer From, TUVStyle* Style) {
  if (From < 0 || From >= GetCount()) return;
  Integer listNo = Get(From)->ListNo;
  if (listNo < 0) return;
  for (Integer i = From; i < GetCount(); ++i) {
    TUVMarkerItemInfo* m = Get(i);
    if (m->ListNo != listNo) continue;
    m->IndexInList = i;
    TUVListLevel* level = m->GetLevelInfo(Style);
    Integer startFrom = level ? level->StartFrom : 1;
    if (m->Reset) {
      m->Counter = m->StartFrom;
    } else {
      m->Counter = startFrom;
      bool levelReset = level && level->Options.Contains(uvloLevelReset);
      for (Integer j = i - 1; j >= 0; --j) {
        TUVMarkerItemInfo* p = Get(j);
        if (p->ListNo != listNo) continue;
        if (p->Level == m->Level) {
          m->Counter = p->Counter + 1;
          break;
        }
        if (p->Level < m->Level) {
          if (levelReset) {
            m->Counter = startFrom;
            break;
          }
        } else {
          m->Counter = startFrom + 1;
        }
      }
    }
    m->CalcDisplayString(Style, this, i);
  }
}

// ---------------------------------------------------------------------------------------------
// TUVMarkerItemInfo

TUVMarkerItemInfo::TUVMarkerItemInfo(TCustomUVData* UVData) : TUVRectItemInfo(UVData) {
  StyleNo = uvsListMarker;
  ItemOptions &= static_cast<Byte>(~uvioSameAsPrev);
}

TUVMarkerItemInfo::TUVMarkerItemInfo(TCustomUVData* UVData, Integer AListNo, Integer ALevel, Integer AStartFrom,
                                     bool AReset)
    : TUVRectItemInfo(UVData), ListNo(AListNo), Level(ALevel), Reset(AReset), StartFrom(AStartFrom) {
  StyleNo = uvsListMarker;
  ItemOptions &= static_cast<Byte>(~uvioSameAsPrev);
}

TUVListLevel* TUVMarkerItemInfo::GetLevelInfo(TUVStyle* Style) const {
  if (!Style || ListNo < 0 || Level < 0 || ListNo >= Style->GetListStyles()->GetCount()) return nullptr;
  TUVListLevelCollection* levels = Style->GetListStyles()->GetItem(ListNo)->GetLevels();
  if (levels->GetCount() == 0) return nullptr;
  return levels->GetItem(std::min(Level, levels->GetCount() - 1));
}

bool TUVMarkerItemInfo::HasNumbering(TUVStyle* Style) const {
  TUVListLevel* level = GetLevelInfo(Style);
  return level && level->HasNumbering();
}

Integer TUVMarkerItemInfo::GetIndexInList(TUVMarkerList* List) {
  if (!List) return -1;
  if (IndexInList >= 0 && IndexInList < List->GetCount() && List->Get(IndexInList) == this) return IndexInList;
  IndexInList = List->IndexOf(this);
  return IndexInList;
}

void TUVMarkerItemInfo::CalcDisplayString(TUVStyle* Style, TUVMarkerList* List, Integer Index) {
  TUVListLevel* level = GetLevelInfo(Style);
  DisplayString.clear();
  if (!level) return;
  switch (level->ListType) {
    case uvlstBullet:
      DisplayString = level->FormatString;
      return;
    case uvlstDecimal:
    case uvlstLowerAlpha:
    case uvlstUpperAlpha:
    case uvlstLowerRoman:
    case uvlstUpperRoman:
      break;
    default:
      return;
  }
  TUVListLevelCollection* levels = Style->GetListStyles()->GetItem(ListNo)->GetLevels();
  bool legal = level->Options.Contains(uvloLegalStyleNumbering);
  Integer own = std::min(Level, 255);
  std::vector<AnsiString> args(static_cast<std::size_t>(own + 1));
  args[static_cast<std::size_t>(own)] = UVCounterToText(Counter, level->ListType);
  Integer index = Index;
  for (Integer k = own - 1; k >= 0; --k) {
    TUVListLevel* kLevel = levels->GetItem(std::min(k, levels->GetCount() - 1));
    TUVListType type = legal ? uvlstDecimal : kLevel->ListType;
    Integer parent = List && index >= 0 ? List->FindParentMarker(index) : -1;
    if (parent >= 0 && List->Get(parent)->Level == k) {
      args[static_cast<std::size_t>(k)] = UVCounterToText(List->Get(parent)->Counter, type);
      index = parent;
    } else {
      args[static_cast<std::size_t>(k)] = UVCounterToText(kLevel->StartFrom, type);
    }
  }
  DisplayString = UVFormatListLevelString(level->FormatString, args);
}

void TUVMarkerItemInfo::Assign(TPersistent* Source) {
  if (auto* m = dynamic_cast<TUVMarkerItemInfo*>(Source)) {
    ListNo = m->ListNo;
    Level = m->Level;
    StartFrom = m->StartFrom;
    Reset = m->Reset;
  }
  TUVRectItemInfo::Assign(Source);
}

bool TUVMarkerItemInfo::QueryFlag(Integer Code) {
  if (Code == uvbpDrawingChangesFont || Code == uvbpCanSaveUnicode) return true;
  return TUVRectItemInfo::QueryFlag(Code);
}

bool TUVMarkerItemInfo::QueryStyledFlag(Integer Code, TUVStyle* Style) {
  switch (Code) {
    case uvbspPrintToBitmap: {
      TUVListLevel* level = GetLevelInfo(Style);
      if (!level) return false;
      if (level->ListType == uvlstImageList || level->ListType == uvlstImageListCounter) return true;
      if (level->ListType == uvlstPicture) {
        TGraphic* g = level->HasPicture() ? level->GetPicture()->GetGraphic() : nullptr;
        return g && !dynamic_cast<TMetafile*>(g);
      }
      return false;
    }
    case uvbspSetsDrawLineSize:
      return true;
    default:
      return Code == 0;
  }
}

Integer TUVMarkerItemInfo::GetImageWidth(TUVStyle* Style) {
  TUVListLevel* level = GetLevelInfo(Style);
  if (!level) return 0;
  if (level->ListType == uvlstPicture) return level->HasPicture() ? level->GetPicture()->GetWidth() : 0;
  if (level->ListType == uvlstImageList || level->ListType == uvlstImageListCounter)
    return level->GetImageList() ? level->GetImageList()->GetWidth() : 0;
  return 0;
}

Integer TUVMarkerItemInfo::GetImageHeight(TUVStyle* Style) {
  TUVListLevel* level = GetLevelInfo(Style);
  if (!level) return 0;
  if (level->ListType == uvlstPicture) return level->HasPicture() ? level->GetPicture()->GetHeight() : 0;
  if (level->ListType == uvlstImageList || level->ListType == uvlstImageListCounter)
    return level->GetImageList() ? level->GetImageList()->GetHeight() : 0;
  return 0;
}

void TUVMarkerItemInfo::ApplyLevelFont(TCanvas* Canvas, TUVStyle* Style, TUVListLevel* ALevel) {
  TFont* font = Canvas->GetFont();
  font->Assign(ALevel->GetFont());
  Integer ppi = Style ? Style->GetTextStyles()->PixelsPerInch : 0;
  Integer size = ALevel->GetFont()->GetSize();
  if (ppi != 0 && size > 0) font->SetHeight(-MulDiv(size, ppi, 72));
  HDC dc = Canvas->GetHandle();
  ::SetTextCharacterExtra(dc, 0);
  ::SetTextAlign(dc, TA_LEFT);
}

TUVMarkerItemInfo::Measure TUVMarkerItemInfo::DoMeasure(TCanvas* Canvas, TCustomUVData* UVData,
                                                        const TUVScreenAndDevice* Sad, bool Printing) {
  Measure m;
  TUVStyle* style = UVData ? UVData->GetUVStyle() : nullptr;
  TUVListLevel* level = GetLevelInfo(style);
  if (!level || !Canvas) return m;
  bool scale = Printing && Sad;
  switch (level->ListType) {
    case uvlstPicture:
    case uvlstImageList:
    case uvlstImageListCounter:
      m.Width = GetImageWidth(style);
      m.Height = GetImageHeight(style);
      if (scale) {
        m.Width = Sad->XToDevice(m.Width);
        m.Height = Sad->YToDevice(m.Height);
      }
      break;
    default: {
      ApplyLevelFont(Canvas, style, level);
      HDC dc = Canvas->GetHandle();
      SIZE sz{};
      if (level->ListType == uvlstUnicodeBullet)
        ::GetTextExtentPoint32W(dc, level->FormatStringW.data(), static_cast<int>(level->FormatStringW.size()), &sz);
      else
        ::GetTextExtentPoint32A(dc, DisplayString.data(), static_cast<int>(DisplayString.size()), &sz);
      m.Width = sz.cx;
      m.Height = sz.cy;
      TEXTMETRICA tm{};
      if (::GetTextMetricsA(dc, &tm)) m.Descent = tm.tmDescent;
      break;
    }
  }
  switch (level->MarkerAlignment) {
    case uvmaRight:
      m.Before = m.Width;
      break;
    case uvmaCenter:
      m.After = m.Width / 2;
      m.Before = m.Width - m.After;
      break;
    default:
      m.After = m.Width;
      break;
  }
  m.Indent = level->LeftIndent + level->FirstIndent - level->MarkerIndent;
  if (scale) m.Indent = Sad->XToDevice(m.Indent);
  return m;
}

Integer TUVMarkerItemInfo::GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas* Canvas, TCustomUVData* UVData) {
  Measure m = DoMeasure(Canvas, UVData, Sad, Sad != nullptr);
  return std::max(m.After, m.Indent);
}

bool TUVMarkerItemInfo::OnDocWidthChange(Integer, TUVDrawLineInfo* DrawItem, bool Printing, TCanvas* Canvas,
                                         TCustomUVData* UVData, const TUVScreenAndDevice* Sad, Integer& HShift,
                                         bool) {
  Measure m = DoMeasure(Canvas, UVData, Sad, Printing);
  Integer width = m.Width == 0 && m.Indent == 0 ? 0 : m.Before + std::max(m.After, m.Indent);
  bool rightToLeft = UVData && UVData->GetParaBiDiMode(ParaNo) == uvbdRightToLeft;
  HShift = 0;
  if (DrawItem) {
    DrawItem->Width = width;
    DrawItem->Height = m.Height;
    DrawItem->JustifySpace = rightToLeft ? m.Before + m.After - width : 0;
  }
  MarkerWidth = width;
  MarkerHeight = m.Height;
  MarkerDescent = m.Descent;
  MarkerOffset = rightToLeft ? m.Before : -m.Before;
  return false;
}

void TUVMarkerItemInfo::DrawMarker(TCanvas* Canvas, Integer X, Integer Y, TUVStyle* Style) {
  TUVListLevel* level = GetLevelInfo(Style);
  if (!level) return;
  switch (level->ListType) {
    case uvlstPicture:
      if (level->HasPicture()) Canvas->Draw(X, Y, level->GetPicture()->GetGraphic());
      return;
    case uvlstImageList:
    case uvlstImageListCounter: {
      TCustomImageList* list = level->GetImageList();
      Integer index = level->ImageIndex + (level->ListType == uvlstImageListCounter ? Counter - 1 : 0);
      if (list && index >= 0 && index < list->GetCount()) list->Draw(Canvas, X, Y, index);
      return;
    }
    default: {
      ApplyLevelFont(Canvas, Style, level);
      Canvas->GetBrush()->SetStyle(bsClear);
      if (level->ListType == uvlstUnicodeBullet)
        Canvas->TextOut(X, Y, level->FormatStringW);
      else
        Canvas->TextOut(X, Y, DisplayString);
      return;
    }
  }
}

void TUVMarkerItemInfo::Paint(Integer X, Integer Y, TCanvas* Canvas, TUVTextDrawStates, TUVStyle* Style,
                              TUVDrawLineInfo*) {
  DrawMarker(Canvas, X + MarkerOffset, Y, Style);
}

void TUVMarkerItemInfo::Print(TCanvas* Canvas, Integer X, Integer Y, Integer, bool, bool, const TUVScreenAndDevice&,
                              TCustomUVData* UVData, TUVDrawLineInfo*, Integer) {
  DrawMarker(Canvas, X + MarkerOffset, Y, UVData ? UVData->GetUVStyle() : nullptr);
}

bool TUVMarkerItemInfo::PrintToBitmap(TBitmap* Bitmap, bool, TCustomUVData* UVData, TUVDrawLineInfo*, Integer) {
  TUVStyle* style = UVData ? UVData->GetUVStyle() : nullptr;
  if (!GetLevelInfo(style)) return false;
  DrawMarker(Bitmap->GetCanvas(), 0, 0, style);
  return true;
}

void TUVMarkerItemInfo::Inserted(TCustomUVData* UVData, Integer ItemNo) {
  TUVRectItemInfo::Inserted(UVData, ItemNo);
  if (UVData) UVData->AddMarkerToList(ItemNo);
}

void TUVMarkerItemInfo::NotifyRemoving(TCustomUVData* UVData, Integer ItemNo) {
  TUVRectItemInfo::NotifyRemoving(UVData, ItemNo);
  if (UVData) UVData->RemoveMarkerFromList(this, false);
}

void TUVMarkerItemInfo::AfterUndoRestore(TCustomUVData* UVData, Integer ItemNo) {
  TUVRectItemInfo::AfterUndoRestore(UVData, ItemNo);
  if (UVData) UVData->AddMarkerToList(ItemNo);
}

void TUVMarkerItemInfo::MarkUsedParaStyle(TUVStyleUsage& Used) {
  TUVRectItemInfo::MarkUsedParaStyle(Used);
  if (Used.ListStyles && ListNo >= 0 && ListNo < Used.ListStyles->GetCount()) Used.ListStyles->Put(ListNo, 1);
}

void TUVMarkerItemInfo::RenumberParaStyle(TUVStyleUsage& Used) {
  TUVRectItemInfo::RenumberParaStyle(Used);
  if (Used.ListStyles && ListNo >= 0 && ListNo < Used.ListStyles->GetCount()) ListNo -= Used.ListStyles->Get(ListNo);
}

AnsiString TUVMarkerItemInfo::GetUVFExtraHeader(TCustomUVData*) {
  return Format("%d %d %d %d", ListNo, Level, StartFrom, Reset ? 1 : 0);
}

bool TUVMarkerItemInfo::ReadUVFHeader(const char*& P, TCustomUVData*) {
  Integer listNo = 0, level = 0, startFrom = 0, reset = 0;
  if (!UVFReadInteger(P, listNo) || !UVFReadInteger(P, level) || !UVFReadInteger(P, startFrom) ||
      !UVFReadInteger(P, reset))
    return false;
  ListNo = listNo;
  Level = level;
  StartFrom = startFrom;
  Reset = reset != 0;
  return true;
}



namespace {

// The arrows and bullets of the Symbol font as plain characters.
AnsiString SymbolToText(const AnsiString& S) {
  AnsiString result;
  for (char ch : S) {
    switch (static_cast<Byte>(ch)) {
      case 0xA7:
      case 0xA8:
      case 0xA9:
      case 0xAA:
      case 0xB7:
      case 0xD7:
      case 0xE0:
        result += '*';
        break;
      case 0xDB:
        result += "<=>";
        break;
      case 0xDC:
        result += "<=";
        break;
      case 0xDE:
        result += "=>";
        break;
      case 0xAB:
        result += "<->";
        break;
      case 0xAC:
        result += "<-";
        break;
      case 0xAE:
        result += "->";
        break;
      default:
        result += ch;
        break;
    }
  }
  return result;
}

}  // namespace

AnsiString TUVMarkerItemInfo::AsText(Integer, TCustomUVData* UVData, const AnsiString&, const AnsiString&, bool,
                                     bool Unicode) {
  TUVListLevel* level = GetLevelInfo(UVData ? UVData->GetUVStyle() : nullptr);
  if (!level) return AnsiString();
  AnsiString text;
  switch (level->ListType) {
    case uvlstPicture:
    case uvlstImageList:
    case uvlstImageListCounter:
      text = "* ";
      break;
    case uvlstUnicodeBullet: {
      AnsiString raw = UVUniWideStringToRaw(level->FormatStringW + L" ");
      if (Unicode) return raw;
      text = UnicodeToAnsiCP(0, raw);
      // A character the code page lacks shows as a star rather than a question mark.
      const WideString& w = level->FormatStringW;
      for (std::size_t i = 0; i < text.size() && i < w.size(); ++i)
        if (text[i] == '?' && w[i] != L'?') text[i] = '*';
      return text;
    }
    default:
      text = DisplayString;
      if (SameText(level->GetFont()->GetName(), "Symbol")) text = SymbolToText(text);
      text += ' ';
      break;
  }
  return Unicode ? AnsiToUnicodeCP(0, text) : text;
}

void TUVMarkerItemInfo::FillRTFTables(TUVColorList* ColorList, TUVIntegerList* ListOverrideCounts,
                                      TCustomUVData* UVData) {
  TUVStyle* style = UVData ? UVData->GetUVStyle() : nullptr;
  TUVListLevel* level = GetLevelInfo(style);
  if (!level) return;
  if (level->UsesFont()) ColorList->AddUnique(level->GetFont()->GetColor());
  // Each restart of the numbering gets a list override of its own.
  if (Reset && level->HasNumbering() && level->ListType != uvlstImageListCounter && ListOverrideCounts &&
      ListNo < ListOverrideCounts->GetCount())
    ListOverrideCounts->Put(ListNo, ListOverrideCounts->Get(ListNo) + 1);
}

void TUVMarkerItemInfo::SaveRTF(TStream* Stream, const AnsiString&, TCustomUVData* UVData, Integer,
                                const AnsiString&, TUVRTFSaveContext& Context) {
  TUVStyle* style = UVData ? UVData->GetUVStyle() : nullptr;
  TUVListLevel* level = GetLevelInfo(style);
  if (!level) return;
  TUVRTFOptions options = UVData->GetRTFOptions();
  switch (level->ListType) {
    case uvlstPicture:
      if (level->HasPicture())
        UVSaveImageToRTF(Stream, level->GetPicture()->GetGraphic(), 0, 0, options, Context.TwipsPerPixel);
      return;
    case uvlstImageList:
    case uvlstImageListCounter:
      if (level->GetImageList())
        UVSaveImageListImageToRTF(Stream, level->GetImageList(),
                                  level->ImageIndex + (level->ListType == uvlstImageListCounter ? Counter - 1 : 0),
                                  options);
      return;
    default:
      break;
  }
  TFont* font = level->GetFont();
  AnsiString code = "{\\listtext\\pard\\plain";
  if (Context.FontTable) code += Format("\\f%d", Context.FontTable->AddFont(font->GetName(), font->GetCharset()));
  TFontStyles fs = font->GetStyle();
  if (fs.Contains(fsBold)) code += "\\b";
  if (fs.Contains(fsItalic)) code += "\\i";
  if (fs.Contains(fsUnderline)) code += "\\ul";
  if (fs.Contains(fsStrikeOut)) code += "\\strike";
  code += Format("\\fs%d", font->GetSize() * 2);
  if (font->GetCharset() != DEFAULT_CHARSET) code += Format("\\lang%d", UVCharsetToLanguage(font->GetCharset()));
  if (Context.ColorList) {
    Integer index = Context.ColorList->IndexOf(font->GetColor());
    if (index > 0) code += Format("\\cf%d", index);
  }
  code += " ";
  if (level->ListType == uvlstUnicodeBullet)
    code += TCustomUVData::RTFUnicodeText(level->FormatStringW, options,
                                          UVCharsetToCodePage(font->GetCharset()));
  else
    code += TCustomUVData::RTFEscapeText(DisplayString, false);
  Integer overrideNo = 0;
  if (Context.ListOverrideNumbers && ListNo < Context.ListOverrideNumbers->GetCount()) {
    if (Reset && level->HasNumbering() && level->ListType != uvlstImageListCounter)
      Context.ListOverrideNumbers->Put(ListNo, Context.ListOverrideNumbers->Get(ListNo) + 1);
    overrideNo = Context.ListOverrideNumbers->Get(ListNo);
  }
  code += Format("\\tab}\\ls%d\\ilvl%d", overrideNo, Level);
  UVFWrite(Stream, code);
}

void TUVMarkerItemInfo::SaveHTML(TStream* Stream, TCustomUVData* UVData, Integer, const AnsiString&,
                                 const AnsiString& Path, const AnsiString& ImgSavePrefix, Integer& ImgSaveNo,
                                 TColor CurrentParaColor, Integer SaveOptions, bool UseCSS,
                                 TUVHTMLImageCache* Images) {
  // Without the marker-text option the writer makes list elements and the marker writes nothing.
  if (!(SaveOptions & 512)) return;
  TUVStyle* style = UVData ? UVData->GetUVStyle() : nullptr;
  TUVListLevel* level = GetLevelInfo(style);
  if (!level) return;
  bool widthRule = level->MarkerIndent >= level->LeftIndent;
  Integer width = level->LeftIndent + level->FirstIndent - level->MarkerIndent;
  switch (level->ListType) {
    case uvlstPicture:
    case uvlstImageList:
    case uvlstImageListCounter: {
      AnsiString file;
      Integer w = 0, h = 0;
      TColor back = CurrentParaColor == clNone ? clWhite : CurrentParaColor;
      if (level->ListType == uvlstPicture) {
        if (!level->HasPicture() || !Images) return;
        TGraphic* g = level->GetPicture()->GetGraphic();
        w = g->GetWidth();
        h = g->GetHeight();
        file = Images->GetImageFile(UVData, nullptr, 0, g, back, Path, ImgSavePrefix, ImgSaveNo, SaveOptions & 1);
      } else {
        TCustomImageList* list = level->GetImageList();
        Integer index = level->ImageIndex + (level->ListType == uvlstImageListCounter ? Counter - 1 : 0);
        if (!list || index < 0 || index >= list->GetCount() || !Images) return;
        w = list->GetWidth();
        h = list->GetHeight();
        file = Images->GetImageFile(UVData, list, index, nullptr, back, Path, ImgSavePrefix, ImgSaveNo,
                                    SaveOptions & 1);
      }
      if (file.empty()) return;
      AnsiString attrs = (SaveOptions & 32) ? " border=0 " : " ";
      if (SaveOptions & 64) attrs += Format("width=%d height=%d ", w, h);
      AnsiString img = Format("<IMG%ssrc=\"%s\">", attrs, UVMakeHTMLPath(file));
      if (UseCSS && level->ListType != uvlstPicture && widthRule)
        img = Format("<SPAN style=\"width:%dpx\">", width) + img + "</SPAN>";
      UVFWriteLine(Stream, img);
      return;
    }
    default:
      break;
  }
  AnsiString text = level->ListType == uvlstUnicodeBullet
                        ? UVUniToHTML(UVUniWideStringToRaw(level->FormatStringW), false, false)
                        : DisplayString;
  TFont* font = level->GetFont();
  if (UseCSS) {
    AnsiString css = Format("<SPAN style=\"{%s", UVFontToCSS(font));
    if (widthRule) css += Format(" width: %dpx;", width);
    UVFWriteLine(Stream, css + "}\">" + text + "</SPAN>");
  } else {
    TFontInfo* base = style->GetTextStyles()->GetItem(0);
    UVFWriteLine(Stream, UVOpenHTMLMarkerFontTags(font, base) + text + UVCloseHTMLMarkerFontTags(font, base));
  }
}
