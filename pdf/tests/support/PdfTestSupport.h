// Shared pieces of the document tests: a document writing into a temporary folder and the full
// set of file checks.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "PdfChecks.h"
#include "classlib/Streams.h"
#include "pdf/PDF.h"
#include "tests/support/TestSupport.h"

namespace pdf_test {

inline std::string ReadStream(TMemoryStream& s) {
  return std::string(static_cast<const char*>(s.GetMemory()), static_cast<size_t>(s.GetSize()));
}

// Parses the file strictly and runs the Linux tools over it; every complaint fails the test.
inline pdf_checks::PdfFile ExpectSoundPdf(const std::string& path, const std::string& password = "") {
  const std::string bytes = testing_support::ReadFileBytes(path);
  pdf_checks::PdfFile file = pdf_checks::ParsePdf(bytes);
  for (const auto& e : file.Errors) ADD_FAILURE() << path << ": " << e;
  for (const auto& c : pdf_checks::ToolComplaints(path, password)) ADD_FAILURE() << path << ": " << c;
  return file;
}

// The message of the TPDFException a call raises, or "no exception".
inline std::string Refusal(const std::function<void()>& call) {
  try {
    call();
  } catch (const TPDFException& e) {
    return e.Message;
  }
  return "no exception";
}

class PdfTest : public testing_support::IsolatedTest {
protected:
  void SetUp() override {
    doc_ = std::make_unique<TPDFDocument>(nullptr);
    doc_->GetDocumentInfo()->SetCreationDate(EncodeDate(2024, 1, 2) + EncodeTime(3, 4, 5, 0));
  }
  // Begins a document writing to `name` in the test's folder.
  std::string Begin(const std::string& name) {
    const std::string path = temp_.File(name);
    doc_->SetFileName(path);
    doc_->BeginDoc();
    return path;
  }
  std::unique_ptr<TPDFDocument> doc_;
};

}  // namespace pdf_test
