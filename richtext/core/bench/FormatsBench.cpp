// Writes and reads a document of about 5 MB as RTF and as UVF, and prints the times. The
// document is the King James Bible from the test data set as it would be shown (BibleDocument.h);
// books are added until the written form reaches 5 MB.
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
#include "richtext/core/bench/BibleDocument.h"

namespace {

constexpr Int64 kTarget = 5 * 1024 * 1024;

using namespace bible_document;

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
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
