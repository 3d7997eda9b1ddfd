// What the tests of the Bible's printing share: a project of a few books, the dialogs made as the
// main window makes them (Bible.pdf not opened in a viewer afterwards), and the text of the PDF
// files written, read back with the PDF tools.
#pragma once

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "PdfChecks.h"
#include "app/FontDialogUnit.h"
#include "app/PrintBibleV3Unit.h"
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/DialogDriver.h"
#include "app/tests/support/StatusRecorder.h"
#include "classlib/ComCtrls.h"
#include "classlib/ObjectInstances.h"
#include "classlib/StdCtrls.h"
#include "pdf/PDF.h"

// Printed as {"heading", page} when a comparison fails.
inline void PrintTo(const TContentsEntry& entry, std::ostream* out) { *out << "{\"" << entry.Heading << "\", " << entry.Page << "}"; }

namespace printing_testing {

using app_testing::Lines;

using app_testing::StatusRecorder;

// A word of a page with its box, in points from the page's top left corner (pdftotext -bbox).
struct PdfWord {
  std::string Text;
  double XMin = 0, YMin = 0, XMax = 0, YMax = 0;
};

struct PdfPage {
  double Width = 0, Height = 0;
  std::vector<PdfWord> Words;
};

// The text of an XML element with its entities decoded.
inline std::string XmlText(const std::string& text) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    static const std::pair<const char*, char> entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    bool replaced = false;
    for (const auto& [entity, c] : entities) {
      if (text.compare(i, std::strlen(entity), entity) == 0) {
        decoded += c;
        i += std::strlen(entity) - 1;
        replaced = true;
        break;
      }
    }
    if (!replaced) decoded += text[i];
  }
  return decoded;
}

// The words of every page of a PDF file: pdftotext -bbox started on it, and what it wrote.
inline pdf_checks::LinuxRun StartPdfWords(const std::string& path, const std::string& folder) {
  return pdf_checks::StartLinux("pdftotext -bbox '" + pdf_checks::UnixPath(path) + "' -", folder);
}
inline std::vector<PdfPage> PdfWordsOf(const std::string& output) {
  std::vector<PdfPage> pages;
  std::istringstream in(output);
  std::string line;
  auto attribute = [](const std::string& tag, const std::string& name) {
    const std::size_t at = tag.find(" " + name + "=\"");
    if (at == std::string::npos) return 0.0;
    return std::stod(tag.substr(at + name.size() + 3));
  };
  while (std::getline(in, line)) {
    const std::size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos) continue;
    const std::string tag = line.substr(start);
    if (tag.rfind("<page ", 0) == 0) {
      pages.push_back(PdfPage{attribute(tag, "width"), attribute(tag, "height"), {}});
    } else if (tag.rfind("<word ", 0) == 0 && !pages.empty()) {
      const std::size_t open = tag.find('>'), close = tag.rfind("</word>");
      PdfWord word{XmlText(tag.substr(open + 1, close - open - 1)), attribute(tag, "xMin"), attribute(tag, "yMin"),
                   attribute(tag, "xMax"), attribute(tag, "yMax")};
      pages.back().Words.push_back(word);
    }
  }
  return pages;
}
inline std::vector<PdfPage> PdfWords(const std::string& path, const std::string& folder) {
  return PdfWordsOf(pdf_checks::FinishLinux(StartPdfWords(path, folder)).Out);
}

// The text of each page in the order it was drawn (pdftotext -raw), as UTF-8: the tool started
// on a file, and what it wrote.
inline pdf_checks::LinuxRun StartPdfRawPages(const std::string& path, const std::string& folder) {
  return pdf_checks::StartLinux("pdftotext -raw '" + pdf_checks::UnixPath(path) + "' -", folder);
}
inline std::vector<std::string> PdfRawPagesOf(const std::string& output) {
  std::vector<std::string> pages(1);
  for (char c : output) {
    if (c == '\f')
      pages.emplace_back();
    else
      pages.back() += c;
  }
  while (!pages.empty() && pages.back().empty()) pages.pop_back();
  return pages;
}
inline std::vector<std::string> PdfRawPages(const std::string& path, const std::string& folder) {
  return PdfRawPagesOf(pdf_checks::FinishLinux(StartPdfRawPages(path, folder)).Out);
}

// Text without its blanks, line ends and hyphens, so that text broken into lines and hyphenated
// compares with the text it came from.
inline std::string Squeezed(const std::string& text) {
  std::string squeezed;
  for (char c : text)
    if (c != ' ' && c != '\n' && c != '\r' && c != '-' && c != '\t') squeezed += c;
  return squeezed;
}

// Western 8-bit text as UTF-8, as the PDF tools give it.
inline std::string Utf8(const std::string& text) {
  const WideString wide = AnsiToWide(text, 1252);
  return UTF8Encode(wide);
}

class PrintingTest : public app_testing::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    MyReg->SetPrintingFolder(Printing());
    WriteSettingString("Date format", "yyyy-mm-dd");
  }
  std::string Printing() const { return temp_.Path() + "Printing\\"; }
  std::string Today() const { return FormatDateTime("yyyy-mm-dd", Date()); }

  // Books of the test project: two of the Old Testament and two of the New.
  void WriteBooks() {
    WriteTestBook("GEN", {"\\id GEN", "\\h Genesis", "\\mt The First Book of Moses", "\\c 1", "\\p",
                          "\\v 1 In the beginning God created the heaven and the earth.",
                          "\\v 2 And the earth was without form, and void.", "\\c 2", "\\p",
                          "\\v 1 Thus the heavens and the earth were finished."});
    WriteTestBook("RUT", {"\\id RUT", "\\mt Ruth", "\\c 1", "\\p",
                          "\\v 1 Now it came to pass in the days when the judges ruled.",
                          "\\v 2 And the name of the man was Elimelech."});
    WriteTestBook("MAT", {"\\id MAT", "\\mt Matthew", "\\c 1", "\\s The genealogy", "\\p",
                          "\\v 1 The book of the generation of Jesus Christ.",
                          "\\v 2 Abraham begat Isaac; and Isaac begat Jacob."});
    WriteTestBook("PHM", {"\\id PHM", "\\mt Philemon", "\\c 1", "\\p",
                          "\\v 1 Paul, a prisoner of Jesus Christ, and Timothy our brother.",
                          "\\v 2 And to our beloved Apphia."});
  }

  std::unique_ptr<TPrintBibleV3Dialog> MakePrintDialog() {
    auto dialog = std::make_unique<TPrintBibleV3Dialog>(nullptr);
    dialog->PDFDocument1->SetAutoLaunch(false);
    return dialog;
  }

  static void SelectBooks(TPrintBibleV3Dialog* dialog, const std::vector<std::string>& names) {
    TStrings* items = dialog->BooksListBox->GetItems();
    for (Integer i = 0; i < items->GetCount(); ++i) {
      bool chosen = names.empty();
      for (const std::string& name : names) chosen = chosen || items->GetStrings(i) == name;
      dialog->BooksListBox->SetSelected(i, chosen);
    }
    dialog->BooksListBoxClick(dialog->BooksListBox);
  }
};

}  // namespace printing_testing
