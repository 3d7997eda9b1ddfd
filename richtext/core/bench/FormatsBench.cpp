// Writes and reads a document of about 5 MB as RTF and as UVF, and prints the times. The
// document is the King James Bible from the test data, set as it would be shown: chapter
// headings, paragraphs and poetry lines, verse numbers raised in a style of their own, section
// headings, and one paragraph in a UTF-16 style per chapter; books are added until the written
// form reaches 5 MB.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVRTF.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UVWindowless.h"

namespace {

constexpr Int64 kTarget = 5 * 1024 * 1024;
const char* const kBooks = "Z:\\work\\shared\\data\\kjv\\KJV\\";

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

// The book files in canonical order.
std::vector<AnsiString> BookFiles() {
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

// Text styles: 0 text, 1 chapter, 2 section, 6 verse number, 7 UTF-16 text.
// Paragraph styles: 0 text, 1 centred headings, 2 poetry.
void MakeStyles(TUVStyle& Style) {
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
void AddBook(TCustomUVData& Doc, const AnsiString& File) {
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

Int64 Size(TCustomUVData& Doc, bool Rtf) {
  TMemoryStream stream;
  if (Rtf)
    Doc.SaveRTFToStream(&stream, false, clWindow);
  else
    Doc.SaveUVFToStream(&stream, false, clWindow, nullptr, nullptr);
  return stream.GetSize();
}

// A document whose written form reaches the target size.
void Build(TCustomUVData& Doc, const std::vector<AnsiString>& Files, bool Rtf) {
  Int64 size = 0;
  for (const AnsiString& file : Files) {
    TUVStyle style(nullptr);
    MakeStyles(style);
    TUVWindowlessData book(&style);
    book.UVFOptions = TUVFOptions();
    AddBook(book, file);
    size += Size(book, Rtf);
    AddBook(Doc, file);
    if (size >= kTarget) break;
  }
}

}  // namespace

int main() {
  const std::vector<AnsiString> files = BookFiles();
  if (files.empty()) {
    std::printf("No book files in %s\n", kBooks);
    return 1;
  }
  std::printf("%-28s %10s %10s\n", "", "MB", "seconds");

  {
    TUVStyle style(nullptr);
    MakeStyles(style);
    TUVWindowlessData doc(&style);
    Build(doc, files, true);
    TMemoryStream rtf;
    auto start = std::chrono::steady_clock::now();
    doc.SaveRTFToStream(&rtf, false, clWindow);
    double written = Seconds(start);
    const double mb = rtf.GetSize() / 1048576.0;
    std::printf("%-28s %10.2f %10.3f   (%d items)\n", "RTF write", mb, written, doc.GetItemCount());

    TUVRTFReader reader(nullptr);
    Integer runs = 0;
    reader.OnNewText = TUVRTFNewTextEvent::FromFunction([&](TUVRTFReader*, const AnsiString&, TUVRTFPosition) { ++runs; });
    rtf.SetPosition(0);
    start = std::chrono::steady_clock::now();
    TUVRTFResult result = reader.ReadFromStream(&rtf);
    std::printf("%-28s %10.2f %10.3f   (%d runs, result %d)\n", "RTF read, tokenizer only", mb, Seconds(start), runs,
                result);

    for (TUVReaderStyleMode mode : {uvrsAddIfNeeded, uvrsUseClosest}) {
      TUVStyle readStyle(nullptr);
      TUVWindowlessData read(&readStyle);
      TUVRTFReaderProperties props;
      props.TextStyleMode = mode;
      props.ParaStyleMode = mode;
      props.UnicodeMode = uvruMixed;
      rtf.SetPosition(0);
      start = std::chrono::steady_clock::now();
      result = props.ReadFromStream(&rtf, &read);
      std::printf("%-28s %10.2f %10.3f   (%d items, result %d)\n",
                  mode == uvrsAddIfNeeded ? "RTF read, styles added" : "RTF read, closest styles", mb, Seconds(start),
                  read.GetItemCount(), result);
    }
  }

  for (bool binary : {false, true}) {
    TUVStyle style(nullptr);
    MakeStyles(style);
    TUVWindowlessData doc(&style);
    doc.UVFOptions = binary ? TUVFOptions{uvfoSaveBinary, uvfoSaveTextStyles, uvfoSaveParaStyles}
                            : TUVFOptions{uvfoSaveTextStyles, uvfoSaveParaStyles};
    Build(doc, files, false);
    TMemoryStream uvf;
    auto start = std::chrono::steady_clock::now();
    doc.SaveUVFToStream(&uvf, false, clWindow, nullptr, nullptr);
    double written = Seconds(start);
    const double mb = uvf.GetSize() / 1048576.0;
    std::printf("%-28s %10.2f %10.3f   (%d items)\n", binary ? "UVF write, binary" : "UVF write, text", mb, written,
                doc.GetItemCount());
    TUVStyle readStyle(nullptr);
    TUVWindowlessData read(&readStyle);
    uvf.SetPosition(0);
    start = std::chrono::steady_clock::now();
    bool ok = read.LoadUVFFromStream(&uvf, nullptr, nullptr, nullptr);
    std::printf("%-28s %10.2f %10.3f   (%d items, %s)\n", binary ? "UVF read, binary" : "UVF read, text", mb,
                Seconds(start), read.GetItemCount(), ok ? "ok" : "failed");
  }
  return 0;
}
