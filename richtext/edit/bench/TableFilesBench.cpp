// The Book of Psalms as a table of 2,461 rows (reference, text, the text in capitals) written to
// and read from the document formats, with the times: the native format as text and as binary,
// RTF written and read back as a table, and HTML in both forms.
#include <chrono>
#include <cstdio>

#include "classlib/Streams.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/bench/BibleDocument.h"
#include "richtext/edit/UVTable.h"
#include "richtext/edit/UVWindowlessEdit.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

// Runs Step once and prints its time and the size of what it wrote.
template <class Step>
void Time(const char* What, Step&& Run) {
  auto start = std::chrono::steady_clock::now();
  Int64 size = Run();
  std::printf("%-28s %8.3f s %10lld bytes\n", What, Seconds(start), static_cast<long long>(size));
}

// The rows of the document's first table.
Integer RowsOf(TCustomUVData& Doc) {
  for (Integer i = 0; i < Doc.GetItemCount(); ++i)
    if (auto* table = dynamic_cast<TUVTableItemInfo*>(Doc.GetItem(i))) return table->GetRowCount();
  return 0;
}

}  // namespace

int main() {
  using namespace bible_document;
  const std::vector<std::pair<AnsiString, AnsiString>> verses = PsalmVerses();
  if (verses.empty()) return 1;

  TUVStyle style(nullptr);
  MakeStyles(style);
  TUVWindowlessEditData doc(&style);
  auto* table = new TUVTableItemInfo(static_cast<Integer>(verses.size()), 3, &doc);
  table->ParaNo = 0;
  table->SetCellBorderWidth(1);
  table->SetHeadingRowCount(1);
  for (std::size_t r = 0; r < verses.size(); ++r) {
    const Integer row = static_cast<Integer>(r);
    const AnsiString texts[3] = {verses[r].first, verses[r].second, UpperCase(verses[r].second)};
    for (Integer c = 0; c < 3; ++c) {
      TUVTableCellData* cell = table->GetCells(row, c);
      cell->Clear();
      cell->AddNL(texts[c], c == 0 ? 6 : 0, 0);
    }
  }
  doc.AddItem(AnsiString(), table);
  std::printf("A table of %d rows\n", table->GetRowCount());

  for (bool binary : {false, true}) {
    TUVFOptions options = doc.UVFOptions;
    if (binary)
      options << uvfoSaveBinary;
    else
      options >> uvfoSaveBinary;
    doc.UVFOptions = options;
    TMemoryStream stream;
    Time(binary ? "native format, binary: save" : "native format, text: save", [&] {
      doc.SaveUVFToStream(&stream, false, clNone, nullptr, nullptr);
      return stream.GetSize();
    });
    TUVWindowlessEditData copy(&style);
    Time("  load", [&] {
      stream.SetPosition(0);
      copy.LoadUVFFromStream(&stream, nullptr, nullptr, nullptr);
      return stream.GetSize();
    });
    std::printf("  %d rows loaded\n", RowsOf(copy));
  }

  TMemoryStream rtf;
  Time("RTF: save", [&] {
    doc.SaveRTFToStream(&rtf, false, clNone);
    return rtf.GetSize();
  });
  TUVWindowlessEditData imported(&style);
  TUVRTFReaderProperties props;
  Time("  read as a table", [&] {
    rtf.SetPosition(0);
    props.ReadFromStream(&rtf, &imported);
    return rtf.GetSize();
  });
  std::printf("  %d rows read\n", RowsOf(imported));
  for (bool css : {false, true}) {
    TMemoryStream html;
    Time(css ? "HTML with CSS" : "HTML with FONT tags", [&] {
      if (css)
        doc.SaveHTMLToStreamWithCSS(&html, "", "", "img", 0, clWindow, 0, 0, 0, 0, nullptr, "");
      else
        doc.SaveHTMLToStream(&html, "", "", "img", 0, clWindow, 0, 0, 0, 0, nullptr);
      return html.GetSize();
    });
  }
  return 0;
}
