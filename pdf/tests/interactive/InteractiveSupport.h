// What the tests of links, outlines and form fields share: documents written into the test's
// folder, the exact text of written objects, and the readers' views of them.
#pragma once

#include <regex>

#include "PdfTestSupport.h"

namespace pdf_test {

class PdfInteractiveTest : public PdfTest {
protected:
  pdf_checks::ToolResult Run(const std::string& command) { return pdf_checks::RunLinux(command, temp_.Path()); }
  static std::string Quoted(const std::string& path) { return "'" + pdf_checks::UnixPath(path) + "'"; }

  // Ends the document and checks the file strictly and with every reader.
  pdf_checks::PdfFile Finish(const std::string& path, const std::string& password = "") {
    doc_->EndDoc();
    bytes_ = testing_support::ReadFileBytes(path);
    return ExpectSoundPdf(path, password);
  }

  // The bytes of object n of the last finished file, from "n 0 obj" to the end of "endobj", with
  // line ends shown as "|".
  std::string Object(const pdf_checks::PdfFile& file, int n) const {
    auto it = file.Objects.find(n);
    if (it == file.Objects.end()) return "object " + std::to_string(n) + " not written";
    const size_t end = bytes_.find("endobj\r\n", static_cast<size_t>(it->second.Offset));
    std::string text = bytes_.substr(static_cast<size_t>(it->second.Offset), end + 8 - it->second.Offset);
    return std::regex_replace(text, std::regex("\r\n"), "|");
  }

  // The numbers of the objects whose dictionary holds the text, in number order.
  static std::vector<int> ObjectsWith(const pdf_checks::PdfFile& file, const std::string& text) {
    std::vector<int> found;
    for (const auto& [n, o] : file.Objects)
      if (o.Dictionary.find(text) != std::string::npos) found.push_back(n);
    return found;
  }

  // The object a key refers to ("5 0 R" -> 5), 0 when the key holds no reference.
  static int Referenced(const pdf_checks::PdfFile& file, int n, const std::string& key) {
    return std::atoi(file.Value(n, key).c_str());
  }

  // The catalog of a file.
  static int Catalog(const pdf_checks::PdfFile& file) {
    return std::atoi(file.Trailer.substr(file.Trailer.find("/Root ") + 6).c_str());
  }

  std::string bytes_;
};

}  // namespace pdf_test
