// Enhanced metafiles built record by record, for records the canvas does not make or states it
// does not reach, and the translation of one into a page's content.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "PdfTestSupport.h"
#include "classlib/Metafiles.h"
#include "pdf/pdfWMF.h"

namespace emf_fixture {

// Appends 32-bit fields, 16-bit fields and raw bytes to a record body.
class Body {
public:
  Body& I(std::int32_t v) { return Raw(&v, 4); }
  Body& F(float v) { return Raw(&v, 4); }
  Body& S(std::int16_t v) { return Raw(&v, 2); }
  Body& Raw(const void* data, size_t n) {
    bytes_.append(static_cast<const char*>(data), n);
    return *this;
  }
  Body& Text(const std::wstring& text) { return Raw(text.data(), text.size() * 2); }
  Body& Pad() {
    while (bytes_.size() % 4) bytes_ += '\0';
    return *this;
  }
  size_t Size() const { return bytes_.size(); }
  const std::string& Bytes() const { return bytes_; }

private:
  std::string bytes_;
};

class Emf {
public:
  // A record: its type, then the body (the size is filled in).
  Emf& Record(std::uint32_t type, const Body& body) {
    Body record;
    Body padded = body;
    padded.Pad();
    record.I(static_cast<std::int32_t>(type)).I(static_cast<std::int32_t>(8 + padded.Size()));
    records_ += record.Bytes() + padded.Bytes();
    ++count_;
    return *this;
  }
  Emf& Record(std::uint32_t type, std::initializer_list<std::int32_t> fields) {
    Body b;
    for (std::int32_t f : fields) b.I(f);
    return Record(type, b);
  }

  Emf& CreatePen(int index, int style, int width, COLORREF color) {
    return Record(EMR_CREATEPEN, {index, style, width, 0, static_cast<std::int32_t>(color)});
  }
  Emf& CreateBrush(int index, int style, COLORREF color) {
    return Record(EMR_CREATEBRUSHINDIRECT, {index, style, static_cast<std::int32_t>(color), 0});
  }
  Emf& CreateFont(int index, const std::wstring& face, int height, int weight = 400, int charset = 0,
                  int escapement = 0, bool italic = false, bool underline = false) {
    LOGFONTW f{};
    f.lfHeight = height;
    f.lfEscapement = escapement;
    f.lfOrientation = escapement;
    f.lfWeight = weight;
    f.lfItalic = italic;
    f.lfUnderline = underline;
    f.lfCharSet = static_cast<BYTE>(charset);
    wcsncpy(f.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    Body b;
    b.I(index).Raw(&f, sizeof f);
    return Record(EMR_EXTCREATEFONTINDIRECTW, b);
  }
  Emf& Select(std::uint32_t index) { return Record(EMR_SELECTOBJECT, {static_cast<std::int32_t>(index)}); }
  Emf& Delete(int index) { return Record(EMR_DELETEOBJECT, {index}); }
  // EMR_EXTTEXTOUTW with one advance per character and options and rectangle as given.
  Emf& Text(int x, int y, const std::wstring& text, const std::vector<int>& advances, int options = 0,
            RECTL rect = {0, 0, -1, -1}) {
    const int n = static_cast<int>(text.size());
    const int offString = 76;
    const int offDx = offString + ((n * 2 + 3) / 4) * 4;
    Body b;
    b.I(0).I(0).I(-1).I(-1).I(GM_COMPATIBLE).F(1).F(1);  // bounds, graphics mode, scales
    b.I(x).I(y).I(n).I(offString).I(options).I(rect.left).I(rect.top).I(rect.right).I(rect.bottom).I(offDx);
    b.Text(text).Pad();
    for (int a : advances) b.I(a);
    return Record(EMR_EXTTEXTOUTW, b);
  }
  // Points for the records of 32-bit point lists: bounds, count, points.
  Emf& Poly(std::uint32_t type, const std::vector<POINT>& points) {
    Body b;
    b.I(0).I(0).I(0).I(0).I(static_cast<std::int32_t>(points.size()));
    for (const POINT& p : points) b.I(p.x).I(p.y);
    return Record(type, b);
  }
  Emf& Box(std::uint32_t type, int l, int t, int r, int b) { return Record(type, {l, t, r, b}); }

  // The whole metafile: a header with the given bounds and object count, the records, EOF.
  std::string Bytes(RECTL bounds = {0, 0, 599, 799}, int handles = 16) const {
    std::string eof;
    {
      Body b;
      b.I(EMR_EOF).I(20).I(0).I(16).I(20);
      eof = b.Bytes();
    }
    ENHMETAHEADER h{};
    h.iType = EMR_HEADER;
    h.nSize = sizeof h;
    h.rclBounds = bounds;
    h.rclFrame = {0, 0, 21000, 29700};
    h.dSignature = ENHMETA_SIGNATURE;
    h.nVersion = 0x10000;
    h.nBytes = static_cast<DWORD>(sizeof h + records_.size() + eof.size());
    h.nRecords = static_cast<DWORD>(count_ + 2);
    h.nHandles = static_cast<WORD>(handles);
    h.szlDevice = {1280, 1024};
    h.szlMillimeters = {339, 271};
    return std::string(reinterpret_cast<const char*>(&h), sizeof h) + records_ + eof;
  }

private:
  std::string records_;
  int count_ = 0;
};

// The lines of a piece of content.
inline std::vector<std::string> ContentLines(const std::string& content) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < content.size()) {
    const size_t end = content.find("\r\n", pos);
    lines.push_back(content.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

// Translates the metafile onto a page of its own and returns the lines written. The document
// is at 96 device units per inch, so that metafile units are page units.
class TranslateTest : public pdf_test::PdfTest {
protected:
  void SetUp() override {
    PdfTest::SetUp();
    doc_->SetResolution(96);
    doc_->OutputStream = &out_;
  }
  TPDFPage* Page() {
    if (!doc_->GetPrinting()) doc_->BeginDoc();
    return doc_->GetCurrentPage();
  }
  std::vector<std::string> Translate(const Emf& emf, RECTL bounds = {0, 0, 599, 799}) {
    const std::string bytes = emf.Bytes(bounds);
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
    stream.SetPosition(0);
    TMetafile metafile;
    metafile.LoadFromStream(&stream);
    return TranslateMetafile(&metafile);
  }
  // Translates records the metafile loader would refuse: the recording is handed to the metafile
  // as the system took it, the way a recording made elsewhere reaches the page.
  std::vector<std::string> TranslateUnchecked(const Emf& emf) {
    const std::string bytes = emf.Bytes();
    TMetafile metafile;
    metafile.SetHandle(::SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data())));
    EXPECT_FALSE(metafile.GetEmpty()) << "the system refused the recording";
    return TranslateMetafile(&metafile);
  }
  std::vector<std::string> TranslateMetafile(TMetafile* metafile) {
    TPDFPage* page = Page();
    const size_t before = page->GetContent().size();
    TEMWParser parser(page);
    parser.LoadMetaFile(metafile);
    parser.Execute();
    std::vector<std::string> lines = ContentLines(page->GetContent().substr(before));
    // Every translation begins with GDI's round line ends and joins.
    EXPECT_GE(lines.size(), 2u);
    if (lines.size() >= 2) {
      EXPECT_EQ(lines[0], "1 J");
      EXPECT_EQ(lines[1], "1 j");
      lines.erase(lines.begin(), lines.begin() + 2);
    }
    return lines;
  }
  // Only the operators of the lines, one word each.
  static std::vector<std::string> Operators(const std::vector<std::string>& lines) {
    std::vector<std::string> ops;
    for (const std::string& l : lines) {
      const size_t blank = l.rfind(' ');
      ops.push_back(blank == std::string::npos ? l : l.substr(blank + 1));
    }
    return ops;
  }
  TMemoryStream out_;
};

}  // namespace emf_fixture
