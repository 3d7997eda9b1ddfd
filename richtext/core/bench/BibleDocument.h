// What the rich-text benchmarks share: the King James Bible of the test data set as a document
// would show it: chapter headings, paragraphs and poetry lines, verse numbers raised in a style
// of their own, section headings, and one paragraph in a UTF-16 style per chapter.
#pragma once

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UzurUvad.h"

namespace bible_document {

inline const char* const kBooks = "Z:\\work\\shared\\data\\kjv\\KJV\\";

// The book files in canonical order.
inline std::vector<AnsiString> BookFiles() {
  std::vector<AnsiString> files;
  TSearchRec rec;
  if (FindFirst(AnsiString(kBooks) + "*.SFM", faAnyFile, rec) == 0) {
    do files.push_back(AnsiString(kBooks) + rec.Name);
    while (FindNext(rec) == 0);
    FindClose(rec);
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The verses of the Book of Psalms as (reference "PSA c:v", text) pairs; empty when the book
// file is missing (the reason printed).
inline std::vector<std::pair<AnsiString, AnsiString>> PsalmVerses() {
  std::vector<std::pair<AnsiString, AnsiString>> verses;
  const AnsiString file = AnsiString(kBooks) + "19PSAKJV.SFM";
  if (!FileExists(file)) {
    std::printf("No book file %s\n", file.c_str());
    return verses;
  }
  TStringList lines;
  lines.LoadFromFile(file);
  AnsiString chapter;
  for (Integer i = 0; i < lines.GetCount(); ++i) {
    AnsiString line = lines[i];
    if (line.compare(0, 3, "\\c ") == 0) chapter = line.substr(3);
    if (line.compare(0, 3, "\\v ") != 0) continue;
    std::size_t blank = line.find(' ', 3);
    verses.emplace_back("PSA " + chapter + ":" + line.substr(3, blank - 3),
                        blank == AnsiString::npos ? AnsiString() : line.substr(blank + 1));
  }
  return verses;
}

// Text styles: 0 text, 1 chapter, 2 section, 6 verse number, 7 UTF-16 text.
// Paragraph styles: 0 text, 1 centred headings, 2 poetry.
inline void MakeStyles(TUVStyle& Style) {
  TFontInfo* verse = Style.GetTextStyles()->Add();
  verse->StyleName = "Verse number";
  verse->Color = clMaroon;
  verse->VShift = 30;
  verse->Size = 7;
  TFontInfo* unicode = Style.GetTextStyles()->Add();
  unicode->StyleName = "Unicode";
  unicode->Unicode = true;
  unicode->FontName = "Times New Roman";
  TParaInfo* poetry = Style.GetParaStyles()->Add();
  poetry->LeftIndent = 30;
  poetry->FirstIndent = -10;
  poetry->SpaceAfter = 2;
}

// Adds one book, line by line.
inline void AddBook(TCustomUVData& Doc, const AnsiString& File) {
  TStringList lines;
  lines.LoadFromFile(File);
  Integer para = 0;
  bool newPara = true;
  for (Integer i = 0; i < lines.GetCount(); ++i) {
    AnsiString line = lines[i];
    if (line.compare(0, 3, "\\c ") == 0) {
      Doc.AddNL("Chapter " + line.substr(3), 1, 1);
      Doc.AddNL(UVUniWideStringToRaw(L"\x0393\x03C1\x03B1\x03C6\x03AE \x2014 Scripture \x00B6"), 7, 1);
      newPara = true;
    } else if (line.compare(0, 3, "\\s ") == 0 || line.compare(0, 3, "\\d ") == 0) {
      Doc.AddNL(line.substr(3), 2, 1);
      newPara = true;
    } else if (line.compare(0, 2, "\\p") == 0 || line.compare(0, 2, "\\q") == 0) {
      para = line[1] == 'q' ? 2 : 0;
      newPara = true;
    } else if (line.compare(0, 3, "\\v ") == 0) {
      std::size_t blank = line.find(' ', 3);
      AnsiString number = line.substr(3, blank - 3);
      AnsiString text = blank == AnsiString::npos ? AnsiString() : line.substr(blank);
      if (newPara)
        Doc.AddNL(number, 6, para);
      else
        Doc.Add(number, 6);
      Doc.Add(text + " ", 0);
      newPara = false;
    }
  }
}

// Adds the Book of Psalms; false (with a message) when the test data is not there.
inline bool AddPsalms(TCustomUVData& Doc) {
  AnsiString psalms = AnsiString(kBooks) + "19PSAKJV.SFM";
  if (!FileExists(psalms)) {
    std::printf("No book file %s\n", psalms.c_str());
    return false;
  }
  AddBook(Doc, psalms);
  return true;
}

// One line per verse of every book, the way the program fills a result list: the reference in
// ReferenceStyle (with a checkpoint that reports itself when it comes into view), then the verse.
// The number of verses.
inline Integer AddResultLines(TCustomUzurUvad& Viewer, Integer ReferenceStyle) {
  Integer verses = 0;
  for (const AnsiString& file : BookFiles()) {
    TStringList lines;
    lines.LoadFromFile(file);
    AnsiString book, chapter;
    for (Integer i = 0; i < lines.GetCount(); ++i) {
      const AnsiString& line = lines[i];
      if (line.compare(0, 4, "\\id ") == 0) {
        book = line.substr(4, 3);
      } else if (line.compare(0, 3, "\\c ") == 0) {
        chapter = line.substr(3);
      } else if (line.compare(0, 3, "\\v ") == 0) {
        std::size_t blank = line.find(' ', 3);
        AnsiString reference = book + " " + chapter + ":" + line.substr(3, blank - 3);
        Viewer.AddNamedCheckpointEx(reference, true);
        Viewer.AddNL(reference, ReferenceStyle, 0);
        Viewer.Add(blank == AnsiString::npos ? AnsiString() : line.substr(blank), 0);
        ++verses;
      }
    }
  }
  return verses;
}

}  // namespace bible_document
