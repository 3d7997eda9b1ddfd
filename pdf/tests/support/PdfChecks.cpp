#include "PdfChecks.h"

#include <zlib.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "classlib/WinApi.h"
#include "tests/support/TestSupport.h"

namespace pdf_checks {

namespace {

bool IsWhite(char c) { return c == 0 || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' '; }
bool IsDelimiter(char c) { return std::strchr("()<>[]{}/%", c) != nullptr && c != 0; }

// A reader of PDF object syntax over the whole file.
class Scanner {
public:
  Scanner(const std::string& s, std::vector<std::string>& errors) : s_(s), errors_(errors) {}

  size_t pos = 0;
  // Receives the object number of every indirect reference read, when set.
  std::vector<int>* references = nullptr;

  bool AtEnd() const { return pos >= s_.size(); }
  void SkipWhite() {
    while (pos < s_.size()) {
      if (IsWhite(s_[pos])) {
        ++pos;
      } else if (s_[pos] == '%') {
        while (pos < s_.size() && s_[pos] != '\r' && s_[pos] != '\n') ++pos;
      } else {
        break;
      }
    }
  }
  bool LookingAt(const char* text) const { return s_.compare(pos, std::strlen(text), text) == 0; }
  std::string Token() {
    size_t start = pos;
    while (pos < s_.size() && !IsWhite(s_[pos]) && !IsDelimiter(s_[pos])) ++pos;
    return s_.substr(start, pos - start);
  }
  bool Fail(const std::string& what) {
    errors_.push_back(what + " at offset " + std::to_string(pos));
    return false;
  }

  // Skips one value; for a dictionary also collects its direct keys.
  bool Value(std::map<std::string, std::string>* keys = nullptr) {
    SkipWhite();
    if (AtEnd()) return Fail("unexpected end of file");
    const char c = s_[pos];
    if (LookingAt("<<")) {
      pos += 2;
      for (;;) {
        SkipWhite();
        if (LookingAt(">>")) {
          pos += 2;
          return true;
        }
        if (AtEnd() || s_[pos] != '/') return Fail("dictionary key expected");
        ++pos;
        const std::string key = "/" + Token();
        SkipWhite();
        const size_t valueStart = pos;
        if (!Value()) return false;
        if (keys) (*keys)[key] = s_.substr(valueStart, pos - valueStart);
      }
    }
    if (c == '<') {
      const size_t end = s_.find('>', pos);
      if (end == std::string::npos) return Fail("unterminated hex string");
      for (size_t i = pos + 1; i < end; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(s_[i])) && !IsWhite(s_[i])) return Fail("bad hex string");
      pos = end + 1;
      return true;
    }
    if (c == '(') {
      int depth = 0;
      for (; pos < s_.size(); ++pos) {
        if (s_[pos] == '\\') {
          ++pos;
        } else if (s_[pos] == '(') {
          ++depth;
        } else if (s_[pos] == ')' && --depth == 0) {
          ++pos;
          return true;
        }
      }
      return Fail("unterminated literal string");
    }
    if (c == '[') {
      ++pos;
      for (;;) {
        SkipWhite();
        if (AtEnd()) return Fail("unterminated array");
        if (s_[pos] == ']') {
          ++pos;
          return true;
        }
        if (!Value()) return false;
      }
    }
    if (c == '/') {
      ++pos;
      Token();
      return true;
    }
    const std::string token = Token();
    if (token.empty()) return Fail(std::string("unexpected character '") + c + "'");
    // An indirect reference "n g R" reads as three tokens.
    if (std::isdigit(static_cast<unsigned char>(token[0]))) {
      const size_t save = pos;
      SkipWhite();
      const std::string generation = Token();
      SkipWhite();
      if (!generation.empty() && std::isdigit(static_cast<unsigned char>(generation[0])) && LookingAt("R") &&
          (pos + 1 >= s_.size() || IsWhite(s_[pos + 1]) || IsDelimiter(s_[pos + 1]))) {
        ++pos;
        if (references) references->push_back(std::atoi(token.c_str()));
      } else {
        pos = save;
      }
    }
    return true;
  }

private:
  const std::string& s_;
  std::vector<std::string>& errors_;
};

bool ParseInt(const std::string& text, long long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtoll(text.c_str(), &end, 10);
  return end && *end == 0;
}

int ReferencedObject(const std::string& value) {
  int n = 0, g = 0;
  char r = 0;
  if (std::sscanf(value.c_str(), "%d %d %c", &n, &g, &r) == 3 && r == 'R' && g == 0) return n;
  return -1;
}

}  // namespace

std::string PdfFile::Value(int number, const std::string& key) const {
  auto it = Objects.find(number);
  if (it == Objects.end()) return {};
  std::vector<std::string> ignored;
  Scanner scanner(it->second.Dictionary, ignored);
  std::map<std::string, std::string> keys;
  if (!scanner.Value(&keys)) return {};
  auto k = keys.find(key);
  return k == keys.end() ? std::string() : k->second;
}

PdfFile ParsePdf(const std::string& bytes) {
  PdfFile file;
  auto& errors = file.Errors;
  Scanner sc(bytes, errors);

  // Header: the version line and the binary comment line.
  const size_t headerEnd = bytes.find("\r\n");
  if (bytes.compare(0, 7, "%PDF-1.") != 0 || headerEnd == std::string::npos) {
    errors.push_back("no PDF header");
    return file;
  }
  file.Header = bytes.substr(0, headerEnd);
  sc.pos = headerEnd + 2;
  sc.SkipWhite();

  // The objects, one after the other, up to the cross-reference table.
  std::vector<int> references;
  sc.references = &references;
  while (!sc.AtEnd() && !sc.LookingAt("xref")) {
    const size_t start = sc.pos;
    long long number = 0, generation = -1;
    if (!ParseInt(sc.Token(), number)) {
      sc.Fail("object number expected");
      return file;
    }
    sc.SkipWhite();
    ParseInt(sc.Token(), generation);
    sc.SkipWhite();
    if (generation != 0 || sc.Token() != "obj") {
      sc.Fail("\"n 0 obj\" expected");
      return file;
    }
    if (file.Objects.count(static_cast<int>(number))) errors.push_back("object " + std::to_string(number) + " written twice");
    PdfObject& object = file.Objects[static_cast<int>(number)];
    object.Number = static_cast<int>(number);
    object.Offset = static_cast<long long>(start);
    sc.SkipWhite();
    const size_t valueStart = sc.pos;
    std::map<std::string, std::string> keys;
    if (!sc.Value(&keys)) return file;
    object.Dictionary = bytes.substr(valueStart, sc.pos - valueStart);
    sc.SkipWhite();
    if (sc.LookingAt("stream")) {
      sc.pos += 6;
      if (sc.LookingAt("\r\n"))
        sc.pos += 2;
      else if (sc.LookingAt("\n"))
        sc.pos += 1;
      else
        sc.Fail("end of line expected after \"stream\"");
      long long length = -1;
      auto it = keys.find("/Length");
      if (it == keys.end() || !ParseInt(it->second, length) || length < 0) {
        sc.Fail("object " + std::to_string(number) + ": stream without a direct /Length");
        return file;
      }
      if (sc.pos + static_cast<size_t>(length) > bytes.size()) {
        sc.Fail("object " + std::to_string(number) + ": /Length runs past the end of the file");
        return file;
      }
      object.HasStream = true;
      object.Stream = bytes.substr(sc.pos, static_cast<size_t>(length));
      sc.pos += static_cast<size_t>(length);
      if (sc.LookingAt("\r\n"))
        sc.pos += 2;
      else if (sc.LookingAt("\n") || sc.LookingAt("\r"))
        sc.pos += 1;
      if (!sc.LookingAt("endstream")) {
        sc.Fail("object " + std::to_string(number) + ": \"endstream\" does not follow /Length " +
                std::to_string(length) + " bytes of data");
        return file;
      }
      sc.pos += 9;
      sc.SkipWhite();
    }
    if (!sc.LookingAt("endobj")) {
      sc.Fail("object " + std::to_string(number) + ": \"endobj\" expected");
      return file;
    }
    sc.pos += 6;
    sc.SkipWhite();
  }

  sc.references = nullptr;
  for (int n : references)
    if (!file.Objects.count(n)) errors.push_back("a reference to object " + std::to_string(n) + ", which is not written");

  // The cross-reference table.
  const size_t xref = sc.pos;
  if (!sc.LookingAt("xref\r\n")) {
    sc.Fail("\"xref\" expected");
    return file;
  }
  sc.pos += 6;
  long long first = -1, count = -1;
  ParseInt(sc.Token(), first);
  sc.SkipWhite();
  ParseInt(sc.Token(), count);
  if (first != 0 || count < 1 || !sc.LookingAt("\r\n")) {
    sc.Fail("subsection \"0 n\" expected");
    return file;
  }
  sc.pos += 2;
  for (long long i = 0; i < count; ++i) {
    const std::string entry = bytes.substr(sc.pos, 20);
    sc.pos += 20;
    if (entry.size() != 20 || entry[10] != ' ' || entry[16] != ' ' || entry.compare(18, 2, "\r\n") != 0) {
      errors.push_back("entry " + std::to_string(i) + " is not 20 bytes: " + entry);
      return file;
    }
    long long offset = 0, generation = 0;
    ParseInt(entry.substr(0, 10), offset);
    ParseInt(entry.substr(11, 5), generation);
    if (i == 0) {
      if (entry != "0000000000 65535 f\r\n") errors.push_back("entry 0 is not the head of the free list");
      continue;
    }
    auto it = file.Objects.find(static_cast<int>(i));
    if (entry[17] != 'n' || generation != 0) {
      errors.push_back("entry " + std::to_string(i) + " is not an object in use");
    } else if (it == file.Objects.end()) {
      errors.push_back("object " + std::to_string(i) + " is listed but never written");
    } else if (it->second.Offset != offset) {
      errors.push_back("object " + std::to_string(i) + " is at " + std::to_string(it->second.Offset) +
                       ", the table says " + std::to_string(offset));
    }
  }
  for (const auto& [n, o] : file.Objects)
    if (n < 1 || n >= count) errors.push_back("object " + std::to_string(n) + " is not in the table");

  // Trailer.
  sc.SkipWhite();
  if (!sc.LookingAt("trailer")) {
    sc.Fail("\"trailer\" expected");
    return file;
  }
  sc.pos += 7;
  sc.SkipWhite();
  const size_t trailerStart = sc.pos;
  std::map<std::string, std::string> trailer;
  if (!sc.Value(&trailer)) return file;
  file.Trailer = bytes.substr(trailerStart, sc.pos - trailerStart);
  long long size = 0;
  if (!ParseInt(trailer["/Size"], size) || size != count) errors.push_back("/Size differs from the table");
  file.Size = static_cast<int>(size);
  for (const char* key : {"/Root", "/Info"}) {
    const int n = ReferencedObject(trailer[key]);
    if (!file.Objects.count(n)) errors.push_back(std::string(key) + " does not refer to an object");
  }
  if (trailer.count("/Encrypt") && !file.Objects.count(ReferencedObject(trailer["/Encrypt"])))
    errors.push_back("/Encrypt does not refer to an object");
  sc.SkipWhite();
  const std::string tail = "startxref\r\n" + std::to_string(xref) + "\r\n%%EOF\r\n";
  if (bytes.compare(sc.pos, std::string::npos, tail) != 0)
    errors.push_back("the file does not end with startxref " + std::to_string(xref) + " and %%EOF");
  file.XrefOffset = static_cast<long long>(xref);
  return file;
}

bool Inflate(const std::string& data, std::string& out) {
  out.clear();
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return false;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  char buffer[65536];
  int rc;
  do {
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    rc = inflate(&z, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - z.avail_out);
  } while (rc == Z_OK);
  inflateEnd(&z);
  return rc == Z_STREAM_END && z.avail_in == 0;
}

std::vector<std::string> ToolComplaints(const std::string& windowsPath, const std::string& userPassword) {
  const std::string folder = windowsPath.substr(0, windowsPath.find_last_of('\\') + 1);
  const std::string file = "'" + UnixPath(windowsPath) + "'";
  const std::string pw = userPassword.empty() ? "" : " -upw '" + userPassword + "'";
  const std::string render = "'" + UnixPath(folder) + "/check-render'";
  const struct {
    const char* name;
    std::string command;
  } tools[] = {
      {"qpdf", "qpdf --check" + (userPassword.empty() ? std::string() : " --password='" + userPassword + "'") + " " + file},
      {"pdfinfo", "pdfinfo" + pw + " " + file},
      {"pdffonts", "pdffonts" + pw + " " + file},
      {"pdftotext", "pdftotext" + pw + " " + file + " /dev/null"},
      {"pdftoppm", "pdftoppm -r 24" + pw + " " + file + " " + render + " && rm -f " + render + "*"},
      {"gs", "gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=nullpage" +
                 (userPassword.empty() ? std::string() : " -sPDFPassword='" + userPassword + "'") + " " + file},
  };
  // The tools read the file side by side: a whole Bible takes each of them a while.
  std::vector<LinuxRun> runs;
  for (const auto& tool : tools) runs.push_back(StartLinux(tool.command, folder));
  std::vector<std::string> complaints;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const auto& tool = tools[i];
    const ToolResult r = FinishLinux(runs[i]);
    if (r.ExitCode != 0) complaints.push_back(std::string(tool.name) + " exit code " + std::to_string(r.ExitCode));
    if (!r.Err.empty()) complaints.push_back(std::string(tool.name) + " stderr: " + r.Err);
    if (tool.name == std::string("qpdf") && r.Out.find("WARNING") != std::string::npos)
      complaints.push_back("qpdf: " + r.Out);
    if (tool.name == std::string("gs") && !r.Out.empty()) complaints.push_back("gs: " + r.Out);
  }
  return complaints;
}

unsigned Raster::Pixel(int x, int y) const {
  const size_t i = (static_cast<size_t>(y) * Width + x) * 3;
  return static_cast<unsigned char>(Rgb[i]) << 16 | static_cast<unsigned char>(Rgb[i + 1]) << 8 |
         static_cast<unsigned char>(Rgb[i + 2]);
}

namespace {

// Runs a renderer that writes one page as a binary PPM file and reads the file back. The command
// is made from the Unix path of the output file without its ".ppm" and the path of the PDF file,
// each in single quotes.
Raster RenderWith(const std::string& windowsPath,
                  const std::function<std::string(const std::string&, const std::string&)>& command) {
  const std::string folder = windowsPath.substr(0, windowsPath.find_last_of('\\') + 1);
  const std::string stem = folder + "raster";
  RunLinux(command("'" + UnixPath(stem) + "'", "'" + UnixPath(windowsPath) + "'"), folder);
  const std::string ppm = testing_support::ReadFileBytes(stem + ".ppm");
  ::DeleteFileA((stem + ".ppm").c_str());
  // The header: "P6", width, height and the largest value, separated by white space and
  // comment lines (Ghostscript names itself in one), then one byte of white space.
  Raster r;
  int numbers[3] = {};
  size_t pos = 2;
  for (int& n : numbers) {
    while (pos < ppm.size() && (std::isspace(static_cast<unsigned char>(ppm[pos])) || ppm[pos] == '#')) {
      if (ppm[pos] == '#') pos = ppm.find('\n', pos);
      if (pos != std::string::npos) ++pos;
    }
    while (pos < ppm.size() && std::isdigit(static_cast<unsigned char>(ppm[pos]))) n = n * 10 + (ppm[pos++] - '0');
  }
  if (ppm.compare(0, 2, "P6") != 0 || numbers[2] != 255 || pos >= ppm.size()) return r;
  r.Width = numbers[0];
  r.Height = numbers[1];
  r.Rgb = ppm.substr(pos + 1);
  if (r.Rgb.size() != static_cast<size_t>(r.Width) * r.Height * 3) r = Raster();
  return r;
}

}  // namespace

Raster RenderPage(const std::string& windowsPath, int page, int dpi, const std::string& password) {
  const std::string options = "-singlefile -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " +
                              std::to_string(page) + (password.empty() ? "" : " -upw '" + password + "'");
  return RenderWith(windowsPath, [&](const std::string& stem, const std::string& pdf) {
    return "pdftoppm " + options + " " + pdf + " " + stem;
  });
}

Raster RenderPageGs(const std::string& windowsPath, int page, int dpi, const std::string& password) {
  const std::string options = "-q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=ppmraw -r" + std::to_string(dpi) +
                              " -dFirstPage=" + std::to_string(page) + " -dLastPage=" + std::to_string(page) +
                              (password.empty() ? "" : " -sPDFPassword='" + password + "'");
  return RenderWith(windowsPath, [&](const std::string& stem, const std::string& pdf) {
    return "gs " + options + " -sOutputFile=" + stem + ".ppm " + pdf;
  });
}

}  // namespace pdf_checks
