// The RTF writer: the document or its selection as 8-bit RTF with a font table, a colour table,
// optionally a style sheet, list tables for numbered and bulleted paragraphs, and "\u" escapes
// for UTF-16 text. Pictures, lines, markers and tables write their own RTF through their items.
#include <memory>
#include <random>
#include <vector>

#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

Integer UVRTFPixelsPerInch = 0;

namespace {

// The character set whose fonts show the text of a code page ("\fcharset" of the default
// charset, so that other word processors read accented letters as they are).
Integer CharsetOfCodePage(Integer CodePage) {
  CHARSETINFO info{};
  if (::TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<std::uintptr_t>(CodePage)), &info,
                             TCI_SRCCODEPAGE))
    return static_cast<Integer>(info.ciCharset);
  return ANSI_CHARSET;
}

// What one write shares: the tables, the factor from pixels to twips and the options.
struct RTFWrite {
  TCustomUVData* Data;
  TUVStyle* Style;
  TUVRTFOptions Options;
  double TwipsPerPixel;
  TUVRTFFontTable* Fonts;
  TUVColorList* Colors;
  Integer Level;
  Integer TextStyle0Charset = DEFAULT_CHARSET;

  Integer Tw(Integer Pixels) const { return static_cast<Integer>(Round(Pixels * TwipsPerPixel)); }
  // The index of a colour in the colour table; 0 (automatic) for a colour that is not there.
  Integer ColorIndex(TColor Color) const {
    Integer index = Colors->IndexOf(Color);
    return index < 0 ? 0 : index;
  }

  AnsiString CharFormatting(Integer StyleNo, bool InStyleSheet) const;
  AnsiString ParaFormatting(Integer ParaNo, Integer ItemNo, bool InStyleSheet) const;
  AnsiString FontFormatting(TFont* Font) const;
};

AnsiString RTFWrite::CharFormatting(Integer StyleNo, bool InStyleSheet) const {
  TFontInfo* font = Style->GetTextStyles()->GetItem(StyleNo);
  AnsiString s = Format("\\f%d", Fonts->IndexOf(font->FontName, font->Charset));
  if (font->Style.Contains(fsBold)) s += "\\b";
  if (font->Style.Contains(fsItalic)) s += "\\i";
  if (font->Style.Contains(fsUnderline)) s += "\\ul";
  if (font->Style.Contains(fsStrikeOut)) s += "\\strike";
  if (font->VShift < 0) s += "\\sub";
  if (font->VShift > 0) s += "\\super";
  if (font->CharScale != 100) s += Format("\\charscalex%d", font->CharScale);
  if (font->CharSpacing != 0) s += Format("\\expndtw%d", Tw(font->CharSpacing));
  if (font->StyleEx.Contains(uvfsAllCaps)) s += "\\caps";
  if (font->Charset != DEFAULT_CHARSET && font->Charset != TextStyle0Charset)
    s += Format("\\lang%d", UVCharsetToLanguage(font->Charset));
  // Raised and lowered text is set smaller by readers: the size is doubled to keep it.
  s += Format("\\fs%d", font->Size * (font->VShift != 0 ? 4 : 2));
  if (font->BackColor != clNone) s += Format("\\chcbpat%d", ColorIndex(font->BackColor));
  if (font->Color != clWindowText) {
    Integer index = Colors->IndexOf(font->Color);
    if (index > 0) s += Format("\\cf%d", index);
  }
  s += Data->GetRTFExtra(0, font, StyleNo, -1, InStyleSheet);
  s += " ";
  return s;
}

AnsiString RTFWrite::ParaFormatting(Integer ParaNo, Integer ItemNo, bool InStyleSheet) const {
  TParaInfo* para = Style->GetParaStyles()->GetItem(ParaNo);
  AnsiString s;
  if (para->LineSpacingType == uvlsPercent && para->LineSpacing > 100)
    s += Format("\\sl%d\\slmult1", para->LineSpacing * 240 / 100);
  TUVListLevel* level = nullptr;
  if (ItemNo >= 0) {
    Integer first = Data->GetFirstParaItem(ItemNo);
    if (Data->GetItemStyle(first) == uvsListMarker)
      level = static_cast<TUVMarkerItemInfo*>(Data->GetItem(first))->GetLevelInfo(Style);
  }
  if (level)
    s += Format("\\li%d\\fi%d\\jclisttab\\tx%d", Tw(level->LeftIndent), Tw(level->MarkerIndent - level->LeftIndent),
                Tw(level->LeftIndent + level->FirstIndent));
  else
    s += Format("\\fi%d\\li%d", Tw(para->FirstIndent), Tw(para->LeftIndent));
  static const char* const kAlign[] = {"l", "r", "c", "j"};
  s += Format("\\q%s\\ri%d\\sb%d\\sa%d", kAlign[para->Alignment], Tw(para->RightIndent), Tw(para->SpaceBefore),
              Tw(para->SpaceAfter));
  if (para->GetBackground()->Color != clNone) s += Format("\\cbpat%d", ColorIndex(para->GetBackground()->Color));
  TUVBorder* border = para->GetBorder();
  if (border->Style != uvbNone && border->Color != clNone) {
    s += "\\brdrbtw";
    AnsiString kind;
    Integer width = Tw(border->Width);
    switch (border->Style) {
      case uvbSingle:
        kind = "\\brdrs";
        break;
      case uvbDouble:
        kind = "\\brdrdb";
        break;
      case uvbTriple:
        kind = "\\brdrtriple";
        break;
      case uvbThickInside:
        kind = "\\brdrtnthmg";
        width *= 2;
        break;
      default:
        kind = "\\brdrthtnmg";
        width *= 2;
        break;
    }
    const TUVBooleanRect* visible = border->GetVisibleBorders();
    const TUVRect* offsets = border->GetBorderOffsets();
    const struct {
      bool Visible;
      const char* Word;
      Integer Offset;
    } sides[] = {{visible->Left, "\\brdrl", offsets->Left},
                 {visible->Top, "\\brdrt", offsets->Top},
                 {visible->Right, "\\brdrr", offsets->Right},
                 {visible->Bottom, "\\brdrb", offsets->Bottom}};
    for (const auto& side : sides)
      if (side.Visible)
        s += Format("%s\\brsp%d%s\\brdrcf%d\\brdrw%d", side.Word, Tw(side.Offset), kind, ColorIndex(border->Color),
                    width);
  }
  if (!InStyleSheet) {
    s += Format("\\itap%d", Level);
    if (Level == 1) s += "\\intbl";
  }
  s += Data->GetRTFExtra(1, para, ParaNo, -1, InStyleSheet);
  s += " ";
  return s;
}

AnsiString RTFWrite::FontFormatting(TFont* Font) const {
  AnsiString s = Format("\\f%d", Fonts->IndexOf(Font->GetName(), Font->GetCharset()));
  TFontStyles styles = Font->GetStyle();
  if (styles.Contains(fsBold)) s += "\\b";
  if (styles.Contains(fsItalic)) s += "\\i";
  if (styles.Contains(fsUnderline)) s += "\\ul";
  if (styles.Contains(fsStrikeOut)) s += "\\strike";
  s += Format("\\fs%d", Font->GetSize() * 2);
  if (Font->GetCharset() != DEFAULT_CHARSET) s += Format("\\lang%d", UVCharsetToLanguage(Font->GetCharset()));
  s += Format("\\cf%d", ColorIndex(Font->GetColor()));
  return s;
}

// A byte as RTF writes it in a text: "\'" and two lower-case hexadecimal digits.
AnsiString HexByte(Integer Value) { return "\\'" + LowerCase(IntToHex(Value & 0xFF, 2)); }

// The RTF number format of a list type.
Integer LevelNumberFormat(TUVListType Type) {
  switch (Type) {
    case uvlstDecimal:
    case uvlstImageListCounter:
      return 0;
    case uvlstLowerAlpha:
      return 4;
    case uvlstUpperAlpha:
      return 3;
    case uvlstLowerRoman:
      return 2;
    case uvlstUpperRoman:
      return 1;
    default:
      return 23;
  }
}

// "{\leveltext...;}{\levelnumbers...;}" of a list level.
AnsiString LevelTexts(TUVListLevel* Level, TUVRTFOptions Options) {
  AnsiString text, numbers;
  switch (Level->ListType) {
    case uvlstBullet:
      text = HexByte(static_cast<Integer>(Level->FormatString.size())) +
             TCustomUVData::RTFEscapeText(Level->FormatString, false);
      break;
    case uvlstUnicodeBullet: {
      Integer codePage = UVCharsetToCodePage(Level->GetFont()->GetCharset());
      text = HexByte(static_cast<Integer>(Level->FormatStringW.size())) +
             TCustomUVData::RTFUnicodeText(Level->FormatStringW, Options, codePage);
      break;
    }
    case uvlstPicture:
    case uvlstImageList:
      text = "\\'00";
      break;
    default: {
      // The level numbers stand where the format places its arguments: the bytes 0 to 8.
      std::vector<AnsiString> args;
      for (char n = 0; n < 9; ++n) args.push_back(AnsiString(1, n));
      AnsiString raw = UVFormatListLevelString(Level->FormatString, args);
      for (std::size_t i = 0; i < raw.size(); ++i)
        if (static_cast<Byte>(raw[i]) < 9) numbers += HexByte(static_cast<Integer>(i + 1));
      text = HexByte(static_cast<Integer>(raw.size())) + TCustomUVData::RTFEscapeText(raw, false);
    }
  }
  return Format("{\\leveltext%s;}{\\levelnumbers%s;}", text, numbers);
}

// Random list identifiers, each different from those already given in this write.
class ListIds {
public:
  Integer Next() {
    std::uniform_int_distribution<Integer> dist(1, 0x7FFFFFFE);
    for (;;) {
      Integer id = dist(FRandom);
      bool used = false;
      for (Integer given : FGiven) used = used || given == id;
      if (!used) {
        FGiven.push_back(id);
        return id;
      }
    }
  }

private:
  std::mt19937 FRandom{std::random_device{}()};
  std::vector<Integer> FGiven;
};

// A hyperlink target as the quoted argument of a field instruction: inside the quotation marks
// a quotation mark or a backslash of the target is preceded by a backslash, so that the reader
// finds where the argument ends.
AnsiString FieldArgument(const AnsiString& Text) {
  AnsiString result;
  result.reserve(Text.size());
  for (char c : Text) {
    if (c == '"' || c == '\\') result += '\\';
    result += c;
  }
  return result;
}

}  // namespace

bool TCustomUVData::SaveRTFToStream(TStream* Stream, bool SelectionOnly, TColor Color, Integer Level,
                                    TUVRTFFontTable* FontTable, TUVColorList* ColorList,
                                    TUVIntegerList* ListOverrideOffsets, double TwipsPerPixel) {
  Integer first, firstOffs, last, lastOffs;
  TCustomUVItemInfo* startPartial = nullptr;
  TCustomUVItemInfo* endPartial = nullptr;
  GetWriteRange(SelectionOnly, first, firstOffs, last, lastOffs, startPartial, endPartial);
  if (first < 0 || first > last) return true;
  TUVStyle* style = GetUVStyle();
  if (!style) return false;

  std::unique_ptr<TUVRTFFontTable> ownFonts;
  std::unique_ptr<TUVColorList> ownColors;
  std::unique_ptr<TUVIntegerList> ownOverrides;
  RTFWrite w{this, style, GetRTFOptions(), TwipsPerPixel, FontTable, ColorList, Level};
  if (style->GetTextStyles()->GetCount() > 0) w.TextStyle0Charset = style->GetTextStyles()->GetItem(0)->Charset;
  auto write = [Stream](const AnsiString& S) { UVFWrite(Stream, S); };
  // A table cell writes into the tables of the document that holds the table.
  if (Level > 0 && (!w.Fonts || !w.Colors)) return false;

  if (Level == 0) {
    ownFonts = std::make_unique<TUVRTFFontTable>();
    ownColors = std::make_unique<TUVColorList>();
    ownOverrides = std::make_unique<TUVIntegerList>();
    w.Fonts = ownFonts.get();
    w.Colors = ownColors.get();
    ListOverrideOffsets = ownOverrides.get();
    Integer ppi = UVRTFPixelsPerInch;
    if (ppi < 1) {
      UniqueMemoryDC screen(::CreateCompatibleDC(nullptr));
      ppi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    w.TwipsPerPixel = 1440.0 / ppi;

    TFontInfos* textStyles = style->GetTextStyles();
    for (Integer i = 0; i < textStyles->GetCount(); ++i)
      w.Fonts->AddFont(textStyles->GetItem(i)->FontName, textStyles->GetItem(i)->Charset);
    TUVListInfos* lists = style->GetListStyles();
    for (Integer i = 0; i < lists->GetCount(); ++i) {
      TUVListLevelCollection* levels = lists->GetItem(i)->GetLevels();
      for (Integer j = 0; j < levels->GetCount(); ++j)
        if (levels->GetItem(j)->UsesFont())
          w.Fonts->AddFont(levels->GetItem(j)->GetFont()->GetName(), levels->GetItem(j)->GetFont()->GetCharset());
    }
    MakeRTFTables(w.Colors, ListOverrideOffsets, true);
    if (Color != clWindow) w.Colors->AddUnique(Color);

    // The header.
    const Integer codePage = style->DefCodePage != 0 ? style->DefCodePage : static_cast<Integer>(::GetACP());
    const Integer lang = UVCharsetToLanguage(w.TextStyle0Charset);
    write(Format("{\\rtf1\\ansi\\ansicpg%d\\uc1\\deff0\\deflang%d\\deflangfe%d", codePage, lang, lang));
    write(GetRTFExtra(4, nullptr, -1, -1, false));
    const Integer defaultCharset = CharsetOfCodePage(codePage);
    write("{\\fonttbl");
    for (Integer i = 0; i < w.Fonts->GetCount(); ++i) {
      TUVRTFFontTableItem* font = w.Fonts->GetItem(i);
      write(Format("{\\f%d\\fnil\\fcharset%d %s;}", i,
                   font->Charset == DEFAULT_CHARSET ? defaultCharset : static_cast<Integer>(font->Charset),
                   font->FontName));
    }
    write("}{\\colortbl;");
    for (Integer i = 1; i < w.Colors->GetCount(); ++i) {
      LongInt rgb = ColorToRGB(w.Colors->Get(i));
      write(Format("\\red%d\\green%d\\blue%d;", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
    }
    write("}");

    if (w.Options.Contains(uvrtfSaveStyleSheet)) {
      TParaInfos* paraStyles = style->GetParaStyles();
      write("{\\stylesheet");
      for (Integer i = 0; i < paraStyles->GetCount(); ++i)
        write(Format("{\\s%d", i) + w.ParaFormatting(i, -1, true) + RTFEscapeName(paraStyles->GetItem(i)->StyleName) +
              ";}");
      for (Integer i = 0; i < textStyles->GetCount(); ++i)
        write(Format("{\\*\\cs%d", paraStyles->GetCount() + i) + w.CharFormatting(i, true) +
              RTFEscapeName(textStyles->GetItem(i)->StyleName) + ";}");
      write("}");
    }

    if (lists->GetCount() > 0) {
      ListIds ids;
      std::vector<Integer> listIds;
      write("{\\*\\listtable");
      for (Integer i = 0; i < lists->GetCount(); ++i) {
        TUVListLevelCollection* levels = lists->GetItem(i)->GetLevels();
        const Integer defined = levels->GetCount();
        write(Format("{\\list\\listtemplateid%d", ids.Next()));
        if (defined == 1) write("\\listsimple1");
        write("\r\n");
        const Integer count = defined == 0 ? 0 : defined == 1 ? 1 : 9;
        for (Integer j = 0; j < count; ++j) {
          TUVListLevel* level = levels->GetItem(std::min(j, defined - 1));
          const Integer nfc = LevelNumberFormat(level->ListType);
          const Integer jc = level->MarkerAlignment == uvmaRight ? 2 : level->MarkerAlignment == uvmaCenter ? 1 : 0;
          AnsiString s = Format("{\\listlevel\\levelnfc%d\\leveljc%d\\li%d\\fi%d\\jclisttab\\tx%d", nfc, jc,
                                w.Tw(level->LeftIndent), w.Tw(level->MarkerIndent - level->LeftIndent),
                                w.Tw(level->LeftIndent + level->FirstIndent));
          if (nfc != 23) s += Format("\\levelstartat%d", level->StartFrom);
          if (level->Options.Contains(uvloLegalStyleNumbering)) s += "\\levellegal1";
          if (!level->Options.Contains(uvloLevelReset)) s += "\\levelnorestart1";
          s += LevelTexts(level, w.Options);
          if (level->UsesFont()) s += w.FontFormatting(level->GetFont());
          write(s + "}\r\n");
        }
        listIds.push_back(ids.Next());
        write(Format("\\listid%d}\r\n", listIds.back()));
      }
      write("}");

      // Each list has an override of its own, and each marker that restarts its numbering one
      // more; the markers find theirs through the running sums of the counts.
      write("{\\*\\listoverridetable");
      Integer number = 0;
      std::vector<Integer> firstNumbers;
      for (Integer i = 0; i < lists->GetCount(); ++i) {
        firstNumbers.push_back(number + 1);
        write(Format("{\\listoverride\\listid%d\\listoverridecount0\\ls%d}", listIds[i], ++number));
        for (Integer k = 0; k < GetItemCount(); ++k) {
          if (GetItemStyle(k) != uvsListMarker) continue;
          auto* marker = static_cast<TUVMarkerItemInfo*>(GetItem(k));
          TUVListLevel* level = marker->GetLevelInfo(style);
          if (marker->ListNo != i || !marker->Reset || !level || !level->HasNumbering() ||
              level->ListType == uvlstImageListCounter)
            continue;
          AnsiString s = Format("{\\listoverride\\listid%d\\listoverridecount%d", listIds[i], marker->Level + 1);
          for (Integer l = 0; l < marker->Level; ++l) s += "{\\lfolevel}";
          s += Format("{\\lfolevel\\listoverridestartat\\levelstartat%d}\\ls%d}", marker->StartFrom, ++number);
          write(s);
        }
      }
      write("}");
      for (Integer i = 0; i < ListOverrideOffsets->GetCount() && i < static_cast<Integer>(firstNumbers.size()); ++i)
        ListOverrideOffsets->Put(i, firstNumbers[static_cast<std::size_t>(i)]);
    }
  }

  write(w.Options.Contains(uvrtfDuplicateUnicode) ? "\\uc1" : "\\uc0");

  TUVRTFSaveContext context;
  context.TwipsPerPixel = w.TwipsPerPixel;
  context.Level = Level;
  context.ColorList = w.Colors;
  context.FontTable = w.Fonts;
  context.ListOverrideNumbers = ListOverrideOffsets;

  Integer checkpointNo = 0;
  auto writeCheckpoint = [&](TUVCPInfo* CP) {
    if (!CP) return;
    AnsiString name = CP->Name.empty() ? Format("UzurUvadCheckpoint%d", checkpointNo++) : RTFEscapeIdentifier(CP->Name);
    write(Format("{\\*\\bkmkstart %s}{\\*\\bkmkend %s}", name, name));
  };

  // A selection that starts inside a list paragraph keeps its number: the marker first.
  if (SelectionOnly) {
    Integer paraStart = GetFirstParaItem(first);
    if (paraStart != first && GetItemStyle(paraStart) == uvsListMarker)
      GetItem(paraStart)->SaveRTF(Stream, AnsiString(), this, paraStart, GetItemText(paraStart), context);
  }

  const Integer paraStyleCount = style->GetParaStyles()->GetCount();
  bool firstParagraph = true;
  bool previousWasList = false;
  // A table's last row ends its paragraph: the paragraph after it needs no "\par", which readers
  // would take for an empty paragraph of its own. A table right after a table is the exception:
  // readers join the rows of consecutive tables into one table, so an empty paragraph goes
  // between them, as word processors keep two tables apart; it is marked so that this reader
  // keeps no paragraph for it.
  bool previousWasTable = false;
  Integer written = 0;
  for (Integer i = first; i <= last; ++i) {
    TCustomUVItemInfo* item = GetItem(i);
    const bool text = item->StyleNo >= 0;
    AnsiString itemText = GetItemText(i);
    if (text) {
      const Integer from = i == first ? firstOffs : 1;
      const Integer to = i == last ? lastOffs : GetItemLength(i) + 1;
      if (i == first || i == last) itemText = UVUniCopy(itemText, from, to - from, item->ItemOptions);
      if (SelectionOnly && (i == first || i == last) && itemText.empty() && first != last) continue;
    } else if (SelectionOnly && ((i == first && firstOffs >= GetOffsAfterItem(i)) ||
                                 (i == last && lastOffs <= GetOffsBeforeItem(i)))) {
      continue;
    }

    if (!item->GetContinuesPara()) {
      write("\r\n");
      if (item->GetBreaksLine()) {
        write("\\line");
      } else {
        if (!firstParagraph && !previousWasTable) {
          if (previousWasList) write("\\plain");
          write("\\par");
        } else if (previousWasTable && item->StyleNo == uvsTable) {
          write("\\uzuruvadtsep\\par");
        }
        write("\\pard");
        if (item->GetPageBreakBefore()) write("\\page");
        if (w.Options.Contains(uvrtfSaveStyleSheet)) write(Format("\\s%d", item->ParaNo));
        write(w.ParaFormatting(item->ParaNo, i, false));
        firstParagraph = false;
        previousWasList = item->StyleNo == uvsListMarker;
        previousWasTable = item->StyleNo == uvsTable;
      }
    }
    writeCheckpoint(item->Checkpoint);

    AnsiString target;
    if (item->QueryStyledFlag(uvbspJump, style)) target = RTFEscapeText(FieldArgument(GetURL(FirstJumpNo + item->HyperlinkId)), false);
    if (!target.empty()) write(Format("{\\field{\\*\\fldinst HYPERLINK \"%s\"}{\\fldrslt", target));
    if (text) {
      TFontInfo* font = style->GetTextStyles()->GetItem(item->StyleNo);
      write("\\plain ");
      if (w.Options.Contains(uvrtfSaveStyleSheet)) write(Format("\\s%d", paraStyleCount + item->StyleNo));
      write(w.CharFormatting(item->StyleNo, false));
      const bool rtfCode = font->Options.Contains(uvteoRTFCode);
      const Integer codePage = UVCharsetToCodePage(font->Charset);
      if (item->IsUnicode())
        write(rtfCode ? UnicodeToAnsiCP(codePage, itemText)
                      : RTFUnicodeText(UVUniRawToWide(itemText), w.Options, codePage));
      else
        write(RTFEscapeText(itemText, rtfCode));
    } else {
      item->SaveRTF(Stream, AnsiString(), this, i, itemText, context);
    }
    if (!target.empty()) write("}}");
    ++written;
  }

  if (last == GetItemCount() - 1 && lastOffs >= GetOffsAfterItem(last)) writeCheckpoint(NotAddedCP);
  if (Level == 0) {
    if (written > 1 && GetItemStyle(last) >= 0 && !GetItem(last)->GetContinuesPara() &&
        !GetItem(last)->GetBreaksLine() && GetItemText(last).empty())
      write("\\par");
    write("}");
  }
  return true;
}

bool TCustomUVData::SaveRTF(const AnsiString& FileName, bool SelectionOnly, TColor Color) {
  std::unique_ptr<TFileStream> stream;
  try {
    stream = std::make_unique<TFileStream>(FileName, fmCreate);
  } catch (const Exception&) {
    return false;
  }
  return SaveRTFToStream(stream.get(), SelectionOnly, Color);
}
