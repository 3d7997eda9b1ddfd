// Plain text: the document or its selection as 8-bit text in the ANSI code page, or as UTF-16
// little-endian without a byte-order mark; items that are not text give their own text form.
#include <memory>

#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

bool TCustomUVData::SaveTextToStream(TStream* Stream, const AnsiString& Path, Integer LineWidth, bool SelectionOnly,
                                     bool TextOnly, bool Unicode) {
  Integer first, firstOffs, last, lastOffs;
  TCustomUVItemInfo* startPartial = nullptr;
  TCustomUVItemInfo* endPartial = nullptr;
  GetWriteRange(SelectionOnly, first, firstOffs, last, lastOffs, startPartial, endPartial);
  if (first < 0 || first > last) return true;

  TUVStyle* style = GetUVStyle();
  const Integer defCodePage = style ? style->DefCodePage : 0;
  auto write = [Stream](const AnsiString& Bytes) {
    if (!Bytes.empty()) Stream->WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
  };
  const AnsiString lineEnd = Unicode ? AnsiString("\r\0\n\0", 4) : AnsiString("\r\n");

  // A text item's characters From..To-1 (1-based) in the output encoding.
  auto textPart = [&](Integer ItemNo, Integer From, Integer To) {
    const AnsiString& text = Items->GetStrings(ItemNo);
    const Byte options = GetItemOptions(ItemNo);
    AnsiString part = UVUniCopy(text, From, To - From, options);
    const bool itemUnicode = (options & uvioUnicode) != 0;
    if (itemUnicode && !Unicode) return UnicodeToAnsiCP(defCodePage, part);
    if (!itemUnicode && Unicode) return AnsiToUnicodeCP(GetStyleCodePage(GetItemStyle(ItemNo)), part);
    return part;
  };
  // A non-text item's own text, in the output encoding.
  auto exportOf = [&](Integer ItemNo) -> AnsiString {
    TCustomUVItemInfo* item = GetItem(ItemNo);
    if (TextOnly && !item->QueryFlag(uvbpAlwaysInText)) return AnsiString();
    const bool itemUnicode = Unicode && item->QueryFlag(uvbpCanSaveUnicode);
    AnsiString text = item->AsText(LineWidth, this, Items->GetStrings(ItemNo), Path, TextOnly, itemUnicode);
    if (Unicode && !itemUnicode) text = AnsiToUnicodeCP(defCodePage, text);
    return text;
  };
  auto whole = [&](Integer ItemNo) {
    if (GetItemStyle(ItemNo) < 0) return exportOf(ItemNo);
    return textPart(ItemNo, 1, GetItemLength(ItemNo) + 1);
  };

  // The number or bullet of a list paragraph whose text the selection starts in.
  if (SelectionOnly) {
    Integer lineStart = GetFirstLineItem(first);
    if (lineStart != first && GetItemStyle(lineStart) == uvsListMarker) write(exportOf(lineStart));
  }

  if (first == last) {
    if (GetItemStyle(first) >= 0)
      write(textPart(first, firstOffs, lastOffs));
    else if (firstOffs <= GetOffsBeforeItem(first) && lastOffs >= GetOffsAfterItem(first))
      write(exportOf(first));
    return true;
  }

  write(GetItemStyle(first) >= 0 ? textPart(first, firstOffs, GetItemLength(first) + 1) : exportOf(first));
  for (Integer i = first + 1; i <= last; ++i) {
    if (!GetItem(i)->GetContinuesPara()) write(lineEnd);
    if (i < last)
      write(whole(i));
    else
      write(GetItemStyle(i) >= 0 ? textPart(i, 1, lastOffs) : exportOf(i));
  }
  return true;
}

bool TCustomUVData::SaveText(const AnsiString& FileName, Integer LineWidth, bool Unicode) {
  std::unique_ptr<TFileStream> stream;
  try {
    stream = std::make_unique<TFileStream>(FileName, fmCreate);
  } catch (const Exception&) {
    return false;
  }
  return SaveTextToStream(stream.get(), ExtractFilePath(FileName), LineWidth, false, false, Unicode);
}
