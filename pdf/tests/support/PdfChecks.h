// Checks of written PDF files: a strict structural checker of our own (every cross-reference
// offset and every stream length exact), and the Linux PDF tools run from inside Wine.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/support/LinuxTools.h"

namespace pdf_checks {

struct PdfObject {
  int Number = 0;
  long long Offset = 0;
  std::string Dictionary;  // the text of the object's value, "<<" ... ">>" for dictionaries
  bool HasStream = false;
  std::string Stream;      // the raw stream bytes, exactly /Length of them
};

struct PdfFile {
  std::vector<std::string> Errors;  // empty when the file is sound
  std::string Header;
  std::map<int, PdfObject> Objects;
  std::string Trailer;
  long long XrefOffset = 0;
  int Size = 0;

  // The value of a direct key of an object's dictionary ("" when absent): "/Length" -> "6".
  std::string Value(int number, const std::string& key) const;
};

// Parses the file object by object and checks: the header, that every object sits at the offset
// its cross-reference entry gives and is listed once, that every stream holds exactly /Length
// bytes followed by an optional end-of-line and "endstream", that every indirect reference names
// an object of the file, the trailer's /Size, /Root and /Info, and "startxref" pointing at "xref".
PdfFile ParsePdf(const std::string& bytes);

// Inflates a /FlateDecode stream ("" and a failure when it is not sound zlib data).
bool Inflate(const std::string& data, std::string& out);

// The Linux tools run from inside Wine (tests/support/LinuxTools.h).
using testing_support::FinishLinux;
using testing_support::LinuxRun;
using testing_support::RunLinux;
using testing_support::StartLinux;
using testing_support::ToolResult;
using testing_support::UnixPath;

// Runs qpdf --check, pdfinfo, pdffonts, pdftotext, pdftoppm and Ghostscript over the file and
// returns one line per complaint (a non-zero exit, anything on standard error, a qpdf warning).
std::vector<std::string> ToolComplaints(const std::string& windowsPath, const std::string& userPassword = "");

// A rendered page: pdftoppm at `dpi`, RGB samples row by row from the top.
struct Raster {
  int Width = 0, Height = 0;
  std::string Rgb;
  unsigned Pixel(int x, int y) const;  // 0xRRGGBB
};
Raster RenderPage(const std::string& windowsPath, int page, int dpi, const std::string& password = "");
// The same page rendered by Ghostscript.
Raster RenderPageGs(const std::string& windowsPath, int page, int dpi, const std::string& password = "");

}  // namespace pdf_checks
