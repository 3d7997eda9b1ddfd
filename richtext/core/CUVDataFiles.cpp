// What the document does with files and formats around it: plain-text loading, picture files for
// HTML, the layout record, and the tables and escaping of RTF output.
#include <memory>

#include "classlib/Bitmaps.h"
#include "classlib/Icons.h"
#include "classlib/Jpeg.h"
#include "classlib/Metafiles.h"
#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

namespace {

// The lines of a text file: ended by CR, LF or CR LF; text after the last break is a line.
std::vector<AnsiString> SplitLines(const AnsiString& Text) {
  std::vector<AnsiString> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < Text.size()) {
    char c = Text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(Text.substr(start, i - start));
      if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < Text.size()) lines.push_back(Text.substr(start));
  return lines;
}

bool ReadWholeFile(const AnsiString& FileName, AnsiString& Text) {
  try {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    Int64 size = stream.GetSize();
    Text.assign(static_cast<std::size_t>(size), '\0');
    if (size > 0) stream.ReadBuffer(Text.data(), static_cast<Integer>(size));
    return true;
  } catch (const Exception&) {
    return false;
  }
}

// Pictures read from a document are made by the name of their class.
const bool kGraphicsRegistered =
    (RegisterClasses({TBitmap::StaticClass(), TIcon::StaticClass(), TMetafile::StaticClass(),
                      TJPEGImage::StaticClass()}),
     true);

}  // namespace

bool TCustomUVData::LoadText(const AnsiString& FileName, Integer StyleNo, Integer ParaNo, bool AsSingleParagraph) {
  AnsiString content;
  if (!ReadWholeFile(FileName, content)) return false;
  TUVStyle* style = GetUVStyle();
  bool unicode = style && style->GetTextStyles()->GetItem(StyleNo)->Unicode;
  Integer codePage = GetStyleCodePage(StyleNo);
  bool pageBreaks = SupportsPageBreaks();
  bool oldAddParagraphs = AddParagraphs;
  bool pendingBreak = false;
  bool first = true;
  auto addPiece = [&](AnsiString piece) {
    if (unicode) piece = AnsiToUnicodeCP(codePage, piece);
    AddTextItem(piece, StyleNo, ParaNo);
    if (pendingBreak) {
      GetItem(GetItemCount() - 1)->SetPageBreakBefore(true);
      pendingBreak = false;
    }
    if (first && AsSingleParagraph) AddParagraphs = false;
    first = false;
  };
  for (AnsiString& line : SplitLines(content)) {
    for (char& c : line)
      if (c == '\0') c = '?';
    bool hadFormFeed = false;
    if (pageBreaks) {
      std::size_t ff;
      while ((ff = line.find('\f')) != AnsiString::npos) {
        if (ff > 0) addPiece(line.substr(0, ff));
        line.erase(0, ff + 1);
        pendingBreak = true;
        hadFormFeed = true;
      }
    }
    if (!line.empty() || !hadFormFeed) addPiece(line);
  }
  AddParagraphs = oldAddParagraphs;
  return true;
}

AnsiString TCustomUVData::GetUniqueImageFileName(AnsiString Path, const AnsiString& Prefix,
                                                 const AnsiString& Extension, Integer& Counter, bool Overwrite) {
  if (!Path.empty() && Path.back() != '\\') Path += '\\';
  for (;;) {
    ++Counter;
    AnsiString name = Path + Prefix + IntToStr(Counter) + Extension;
    DWORD attributes = ::GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return name;
    if (Overwrite && !(attributes & FILE_ATTRIBUTE_READONLY)) return name;
  }
}

AnsiString TCustomUVData::SaveImageFile(TGraphic* Graphic, Integer Format, const AnsiString& Path,
                                        const AnsiString& Prefix, Integer& Counter, TColor BackColor,
                                        bool Overwrite) {
  AnsiString dir = Path;
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  bool jpeg = Format == 1;
  AnsiString fileName = GetUniqueImageFileName(dir, Prefix, jpeg ? ".jpg" : ".bmp", Counter, Overwrite);
  if (jpeg && dynamic_cast<TJPEGImage*>(Graphic)) {
    Graphic->SaveToFile(fileName);
  } else {
    TBitmap bitmap;
    if (auto* source = dynamic_cast<TBitmap*>(Graphic)) {
      bitmap.Assign(source);
    } else {
      bitmap.SetSize(Graphic->GetWidth(), Graphic->GetHeight());
      TCanvas* canvas = bitmap.GetCanvas();
      canvas->GetBrush()->SetColor(BackColor == clNone ? clWhite : BackColor);
      canvas->FillRect(Rect(0, 0, bitmap.GetWidth(), bitmap.GetHeight()));
      canvas->Draw(0, 0, Graphic);
    }
    if (jpeg) {
      TJPEGImage image;
      image.Assign(&bitmap);
      image.SaveToFile(fileName);
    } else {
      bitmap.SaveToFile(fileName);
    }
  }
  // The name as the page refers to it: relative to the folder the page is written to.
  return fileName.substr(dir.size());
}

// ---------------------------------------------------------------------------------------------
// TUVLayoutInfo

void TUVLayoutInfo::SaveToStream(TStream* Stream, bool WithSize) const {
  Integer header[2] = {0, 25};
  if (WithSize) {
    Integer size = 33;
    Stream->WriteBuffer(&size, 4);
  }
  Stream->WriteBuffer(header, 8);
  Integer fields[6] = {LeftMargin, RightMargin, TopMargin, BottomMargin, MinTextWidth, MaxTextWidth};
  Stream->WriteBuffer(fields, sizeof(fields));
  Byte bidi = static_cast<Byte>(BiDiMode);
  Stream->WriteBuffer(&bidi, 1);
}

void TUVLayoutInfo::LoadFromStream(TStream* Stream, bool WithSize) {
  Integer value = 0;
  if (WithSize) Stream->ReadBuffer(&value, 4);
  Stream->ReadBuffer(&value, 4);
  Integer size = 0;
  Stream->ReadBuffer(&size, 4);
  if (size < 25) throw EUzurUvadError("Invalid UVF format");
  Integer fields[6];
  Stream->ReadBuffer(fields, sizeof(fields));
  Byte bidi = 0;
  Stream->ReadBuffer(&bidi, 1);
  if (size > 25) Stream->Seek(size - 25, soCurrent);
  LeftMargin = fields[0];
  RightMargin = fields[1];
  TopMargin = fields[2];
  BottomMargin = fields[3];
  MinTextWidth = fields[4];
  MaxTextWidth = fields[5];
  BiDiMode = bidi <= uvbdRightToLeft ? static_cast<TUVBiDiMode>(bidi) : uvbdUnspecified;
  Loaded = true;
}

AnsiString TUVLayoutInfo::SaveToHex() const {
  TMemoryStream stream;
  SaveToStream(&stream, false);
  return UVFStreamToHex(&stream);
}

void TUVLayoutInfo::LoadFromHex(const AnsiString& Hex) {
  TMemoryStream stream;
  if (!UVFHexToStream(Hex, &stream)) throw EUzurUvadError("Invalid UVF format");
  stream.SetPosition(0);
  LoadFromStream(&stream, false);
}

// ---------------------------------------------------------------------------------------------
// RTF support

Integer TUVRTFFontTable::IndexOf(const AnsiString& FontName, TFontCharset Charset) const {
  for (Integer i = 0; i < GetCount(); ++i) {
    TUVRTFFontTableItem* item = GetItem(i);
    if (item->Charset == Charset && AnsiSameText(item->FontName, FontName)) return i;
  }
  return -1;
}

Integer TUVRTFFontTable::AddFont(const AnsiString& FontName, TFontCharset Charset) {
  Integer index = IndexOf(FontName, Charset);
  if (index >= 0) return index;
  auto* item = new TUVRTFFontTableItem();
  item->FontName = FontName;
  item->Charset = Charset;
  return Add(item);
}

void TCustomUVData::MakeRTFTables(TUVColorList* ColorList, TUVIntegerList* ListOverrideCounts, bool Rebuild) {
  if (Rebuild) {
    ColorList->Clear();
    if (ListOverrideCounts) ListOverrideCounts->Clear();
    static const TColor kFixed[] = {clWindowText, 0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0xFF00FF,
                                    0x0000FF,     0x00FFFF, 0xFFFFFF, 0x800000, 0x808000, 0x008000,
                                    0x800080,     0x000080, 0x008080, 0x808080, 0xC0C0C0};
    for (TColor c : kFixed) ColorList->Add(c);
    if (TUVStyle* style = GetUVStyle()) {
      TFontInfos* text = style->GetTextStyles();
      for (Integer i = 0; i < text->GetCount(); ++i) {
        TFontInfo* f = text->GetItem(i);
        ColorList->AddUnique(f->Color);
        ColorList->AddUnique(f->BackColor);
        ColorList->AddUnique(f->HoverColor);
        ColorList->AddUnique(f->HoverBackColor);
      }
      TParaInfos* paras = style->GetParaStyles();
      for (Integer i = 0; i < paras->GetCount(); ++i) {
        TParaInfo* p = paras->GetItem(i);
        if (p->GetBorder()->Style != uvbNone) ColorList->AddUnique(p->GetBorder()->Color);
        ColorList->AddUnique(p->GetBackground()->Color);
      }
      TUVListInfos* lists = style->GetListStyles();
      for (Integer i = 0; i < lists->GetCount(); ++i) {
        if (ListOverrideCounts) ListOverrideCounts->Add(1);
        TUVListLevelCollection* levels = lists->GetItem(i)->GetLevels();
        for (Integer j = 0; j < levels->GetCount(); ++j)
          if (levels->GetItem(j)->UsesFont()) ColorList->AddUnique(levels->GetItem(j)->GetFont()->GetColor());
      }
    }
  }
  for (Integer i = 0; i < GetItemCount(); ++i)
    if (GetItemStyle(i) < 0) GetItem(i)->FillRTFTables(ColorList, ListOverrideCounts, this);
}

AnsiString TCustomUVData::RTFEscapeText(const AnsiString& Text, bool IsRTFCode) {
  AnsiString result;
  result.reserve(Text.size());
  for (char c : Text) {
    Byte b = static_cast<Byte>(c);
    if (!IsRTFCode && (c == '\\' || c == '{' || c == '}')) {
      result += '\\';
      result += c;
    } else if (b < 26 || b > 127) {
      result += Format("\\'%s", LowerCase(IntToHex(b, 2)));
    } else {
      result += c;
    }
  }
  return result;
}

AnsiString TCustomUVData::RTFEscapeName(const AnsiString& Name) {
  AnsiString s = Name;
  for (char& c : s)
    if (c == '\\' || c == '{' || c == '}') c = '_';
  return RTFEscapeText(s, false);
}

AnsiString TCustomUVData::RTFEscapeIdentifier(const AnsiString& Name) {
  AnsiString s = Name;
  for (char& c : s)
    if (!::IsCharAlphaNumericA(c)) c = '_';
  return RTFEscapeText(s, false);
}

AnsiString TCustomUVData::RTFUnicodeText(const WideString& Text, TUVRTFOptions Options, Integer CodePage) {
  AnsiString result;
  for (WideChar w : Text) {
    Word unit = static_cast<Word>(w);
    if (unit >= 1 && unit <= 127) {
      result += RTFEscapeText(AnsiString(1, static_cast<char>(unit)), false);
      continue;
    }
    AnsiString bytes;
    if (Options.Contains(uvrtfDuplicateUnicode))
      bytes = UnicodeToAnsiCP(CodePage, UVUniWideStringToRaw(WideString(1, w)));
    if (!bytes.empty() && bytes.size() != 1) result += Format("\\uc%d", static_cast<Integer>(bytes.size()));
    result += Format("\\u%d ", static_cast<Integer>(static_cast<SmallInt>(unit)));
    if (!bytes.empty()) {
      result += RTFEscapeText(bytes, false);
      if (bytes.size() != 1) result += "\\uc1 ";
    }
  }
  return result;
}
