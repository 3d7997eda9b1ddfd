#include <zlib.h>

#include "PdfTestSupport.h"
#include "classlib/SysUtils.h"

using namespace pdf_test;

namespace {

// The bytes of a document with one empty page, as the writer lays them out.
std::string EmptyDocument(const std::string& fileId, bool flate) {
  std::string e = "%PDF-1.3\r\n%\xD2\xE5\xD1\xF2\r\n";
  long long offsets[7] = {};
  offsets[3] = static_cast<long long>(e.size());
  e += "3 0 obj\r\n<</Creator (PelPDF program)\r\n/CreationDate (D:20240102030405)\r\n/Producer (PelPDF 2.x)\r\n"
       "/Author (Windows 9x/NT/2000/XP User)\r\n/Title (No Title)\r\n/Subject (None)\r\n/Keywords (PelPDF)\r\n"
       ">>\r\nendobj\r\n";
  offsets[1] = static_cast<long long>(e.size());
  e += "1 0 obj\r\n<</Type /Pages\r\n/Kids [\r\n2 0 R\r\n]\r\n/Count 1\r\n>>\r\nendobj\r\n";
  offsets[4] = static_cast<long long>(e.size());
  e += "4 0 obj\r\n<< /ProcSet [/PDF ]\r\n>>\r\nendobj\r\n";
  offsets[5] = static_cast<long long>(e.size());
  if (!flate) {
    e += "5 0 obj\r\n<</Length 6\r\n>>\r\nstream\r\nq\r\nQ\r\n\r\nendstream\r\nendobj\r\n";
  } else {
    Bytef packed[64];
    uLongf size = sizeof packed;
    compress2(packed, &size, reinterpret_cast<const Bytef*>("q\r\nQ\r\n"), 6, Z_DEFAULT_COMPRESSION);
    e += "5 0 obj\r\n<</Length " + std::to_string(size) + "\r\n/Filter /FlateDecode\r\n>>\r\nstream\r\n" +
         std::string(reinterpret_cast<const char*>(packed), size) + "\r\nendstream\r\nendobj\r\n";
  }
  offsets[2] = static_cast<long long>(e.size());
  e += "2 0 obj\r\n<</Type /Page\r\n/Parent 1 0 R\r\n/Resources 4 0 R\r\n/Contents [5 0 R]\r\n"
       "/MediaBox [0 0 595 842]\r\n>>\r\nendobj\r\n";
  offsets[6] = static_cast<long long>(e.size());
  e += "6 0 obj\r\n<</Type /Catalog\r\n /Pages 1 0 R\r\n/PageLayout /SinglePage\r\n/PageMode /UseNone\r\n"
       ">>\r\nendobj\r\n";
  const size_t xref = e.size();
  e += "xref\r\n0 7\r\n0000000000 65535 f\r\n";
  for (int i = 1; i <= 6; ++i) {
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010lld 00000 n\r\n", offsets[i]);
    e += entry;
  }
  e += "trailer\r\n<<\r\n/Size 7\r\n/Root 6 0 R\r\n/Info 3 0 R\r\n/ID [<" + fileId + "><" + fileId +
       ">]\r\n>>\r\nstartxref\r\n" + std::to_string(xref) + "\r\n%%EOF\r\n";
  return e;
}

class PdfDocumentTest : public PdfTest {};

TEST_F(PdfDocumentTest, EmptyPageByteForByteWithAndWithoutFlate) {
  for (bool flate : {false, true}) {
    SCOPED_TRACE(flate ? "flate" : "plain");
    doc_->SetCompression(flate ? ctFlate : ctNone);
    const std::string path = Begin(flate ? "flate.pdf" : "plain.pdf");
    doc_->EndDoc();
    const std::string id = doc_->GetFileID();
    ASSERT_EQ(id.size(), 32u);
    EXPECT_EQ(id.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(testing_support::ReadFileBytes(path), EmptyDocument(id, flate));
    ExpectSoundPdf(path);
  }
}

TEST_F(PdfDocumentTest, OutputStreamReceivesTheFileAndNoFileIsMade) {
  TMemoryStream out;
  doc_->OutputStream = &out;
  doc_->SetAutoLaunch(true);  // has no effect with an output stream
  const std::string path = Begin("never.pdf");
  doc_->EndDoc();
  EXPECT_EQ(ReadStream(out), EmptyDocument(doc_->GetFileID(), false));
  EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA(temp_.File("*").c_str(), &data);
  int entries = 0;
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (data.cFileName[0] != '.') ++entries;
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
  }
  EXPECT_EQ(entries, 0) << "the document left a file behind";
}

TEST_F(PdfDocumentTest, FilesDifferInIdentifierAfterOneSecond) {
  TMemoryStream a, b;
  doc_->OutputStream = &a;
  Begin("same.pdf");
  doc_->EndDoc();
  const std::string first = doc_->GetFileID();
  ::Sleep(1100);
  doc_->OutputStream = &b;
  Begin("same.pdf");
  doc_->EndDoc();
  EXPECT_NE(doc_->GetFileID(), first);
}

TEST_F(PdfDocumentTest, StateErrors) {
  auto message = [](auto&& call) -> std::string {
    try {
      call();
    } catch (const TPDFException& e) {
      return e.Message;
    }
    return "no exception";
  };
  TPDFDocument* d = doc_.get();
  for (auto call : {std::function<void()>([d] { d->NewPage(); }), std::function<void()>([d] { d->EndDoc(); }),
                    std::function<void()>([d] { d->Abort(); })})
    EXPECT_EQ(message(call), "Generation PDF file not activated");

  Begin("state.pdf");
  EXPECT_EQ(message([d] { d->BeginDoc(); }), "Generation PDF file in progress");
  const struct {
    const char* what;
    std::function<void()> call;
  } refused[] = {
      {"FileName", [d] { d->SetFileName("other.pdf"); }},
      {"OwnerPassword", [d] { d->SetOwnerPassword("x"); }},
      {"UserPassword", [d] { d->SetUserPassword("x"); }},
      {"ProtectionEnabled", [d] { d->SetProtectionEnabled(true); }},
      {"ProtectionOptions", [d] { d->SetProtectionOptions({coPrint}); }},
      {"OnePass", [d] { d->SetOnePass(true); }},
  };
  for (const auto& r : refused) EXPECT_EQ(message(r.call), "Generation PDF file in progress") << r.what;
  EXPECT_EQ(d->GetFileName(), temp_.File("state.pdf"));
  EXPECT_FALSE(d->GetProtectionEnabled());
  EXPECT_EQ(message([d] { d->GetPage(d->GetPageCount()); }), "Out of range");
  EXPECT_EQ(message([d] { d->GetPage(-1); }), "Out of range");
  EXPECT_EQ(d->GetPage(0), d->GetCurrentPage());
  d->Abort();
  EXPECT_TRUE(d->GetAborted());

  d->SetOnePass(true);
  Begin("onepass.pdf");
  EXPECT_EQ(message([d] { d->GetPage(0); }), "Cannot access to page in One Pass mode");
  d->Abort();
}

TEST_F(PdfDocumentTest, UnfinishedDocumentsLeaveTheUsersFileAlone) {
  const std::string path = temp_.File("Bible.pdf");
  testing_support::WriteFileBytes(path, "the user's own file");
  auto filesInFolder = [&] {
    int n = 0;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA(temp_.File("*").c_str(), &data);
    do {
      if (data.cFileName[0] != '.') ++n;
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return n;
  };

  Begin("Bible.pdf");
  doc_->NewPage();
  EXPECT_EQ(testing_support::ReadFileBytes(path), "the user's own file");
  doc_->Abort();
  EXPECT_EQ(testing_support::ReadFileBytes(path), "the user's own file");
  EXPECT_EQ(filesInFolder(), 1);

  // A document dropped while in progress takes its temporary file with it.
  Begin("Bible.pdf");
  doc_.reset();
  EXPECT_EQ(testing_support::ReadFileBytes(path), "the user's own file");
  EXPECT_EQ(filesInFolder(), 1);

  // A finished document replaces the file.
  SetUp();
  Begin("Bible.pdf");
  doc_->EndDoc();
  EXPECT_EQ(testing_support::ReadFileBytes(path).substr(0, 8), "%PDF-1.3");
  EXPECT_EQ(filesInFolder(), 1);
}

TEST_F(PdfDocumentTest, EndDocThatCannotReplaceTheFileAbortsAndReports) {
  const std::string path = temp_.File("locked.pdf");
  testing_support::WriteFileBytes(path, "open in a viewer");
  HANDLE locked = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  Begin("locked.pdf");
  EXPECT_THROW(doc_->EndDoc(), Exception);
  EXPECT_FALSE(doc_->GetPrinting());
  ::CloseHandle(locked);
  EXPECT_EQ(testing_support::ReadFileBytes(path), "open in a viewer");
}

TEST_F(PdfDocumentTest, CatalogOptionsAndInformation) {
  doc_->SetPageLayout(plTwoColumnRight);
  doc_->SetPageMode(pmFullScreen);
  doc_->SetViewerPreferences({vpHideToolBar, vpFitWindow, vpCenterWindow});
  doc_->SetVersion(v14);
  TPDFDocInfo* info = doc_->GetDocumentInfo();
  info->SetTitle("");
  info->SetAuthor("Ann (of) Cleves\\\r");
  TPDFDocInfo other;
  other.SetCreator("Pelorin");
  other.SetSubject("Psalms");
  other.SetCreationDate(EncodeDate(2023, 12, 31) + EncodeTime(23, 59, 58, 0));
  doc_->SetDocumentInfo(&other);  // copies everything but the producer
  info->SetAuthor("Ann (of) Cleves\\\r");
  const std::string path = Begin("catalog.pdf");
  doc_->NewPage();
  doc_->GetCurrentPage()->SetSize(1);
  doc_->GetCurrentPage()->SetOrientation(1);
  doc_->GetCurrentPage()->SetRotation(1);
  doc_->EndDoc();
  const pdf_checks::PdfFile file = ExpectSoundPdf(path);
  EXPECT_EQ(file.Header, "%PDF-1.4");
  // Objects: 1 page tree, 2 and 3 the pages, then information, resources and contents, catalog.
  const std::string catalog = file.Objects.at(9).Dictionary;
  EXPECT_EQ(catalog,
            "<</Type /Catalog\r\n /Pages 1 0 R\r\n/PageLayout /TwoColumnRight\r\n/ViewerPreferences <<\r\n"
            "/HideToolbar true\r\n/FitWindow true\r\n/CenterWindow true\r\n>>\r\n/PageMode /FullScreen\r\n>>");
  const std::string infoText = file.Objects.at(4).Dictionary;
  EXPECT_NE(infoText.find("/Creator (Pelorin)\r\n"), std::string::npos);
  EXPECT_NE(infoText.find("/CreationDate (D:20231231235958)\r\n"), std::string::npos);
  EXPECT_NE(infoText.find("/Producer (PelPDF 2.x)\r\n"), std::string::npos);
  EXPECT_NE(infoText.find("/Author (Ann \\(of\\) Cleves\\\\\\r)\r\n"), std::string::npos);
  EXPECT_NE(infoText.find("/Title ()\r\n"), std::string::npos);
  EXPECT_NE(infoText.find("/Subject (Psalms)\r\n"), std::string::npos);
  EXPECT_EQ(file.Objects.at(3).Dictionary,
            "<</Type /Page\r\n/Parent 1 0 R\r\n/Resources 7 0 R\r\n/Contents [8 0 R]\r\n"
            "/MediaBox [0 0 792 612]\r\n/Rotate 90\r\n>>");
  EXPECT_EQ(file.Value(1, "/Kids"), "[\r\n2 0 R\r\n3 0 R\r\n]");
  EXPECT_EQ(file.Value(1, "/Count"), "2");
}

TEST_F(PdfDocumentTest, PageSizesInDeviceUnits) {
  Begin("sizes.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  EXPECT_EQ(page->GetWidth(), 595);
  EXPECT_EQ(page->GetHeight(), 842);
  page->SetOrientation(1);
  page->SetSize(1);  // keeps landscape
  EXPECT_EQ(page->GetWidth(), 792);
  EXPECT_EQ(page->GetHeight(), 612);
  page->SetSize(0);
  EXPECT_EQ(page->GetWidth(), 792);
  page->SetWidth(500);
  EXPECT_EQ(page->GetSize(), 0);
  EXPECT_EQ(page->GetWidth(), 500);
  doc_->Abort();

  doc_->SetResolution(96);
  Begin("sizes96.pdf");
  EXPECT_EQ(doc_->GetCurrentPage()->GetWidth(), 793);
  EXPECT_EQ(doc_->GetCurrentPage()->GetHeight(), 1123);
  doc_->Abort();
}

TEST_F(PdfDocumentTest, ManyPagesInOnePassAndAtTheEnd) {
  for (bool onePass : {false, true}) {
    SCOPED_TRACE(onePass ? "one pass" : "at the end");
    doc_->SetOnePass(onePass);
    doc_->SetCompression(ctFlate);
    const std::string path = Begin(onePass ? "onepass.pdf" : "twopass.pdf");
    for (int i = 0; i < 30; ++i) {
      if (i) doc_->NewPage();
      TPDFPage* page = doc_->GetCurrentPage();
      page->SetActiveFont("Arial", {}, 12);
      page->BeginText();
      page->TextOutPt(72, 700, 0, "Page " + std::to_string(i + 1));
      page->EndText();
    }
    doc_->EndDoc();
    const pdf_checks::PdfFile file = ExpectSoundPdf(path);
    const pdf_checks::ToolResult text =
        pdf_checks::RunLinux("pdftotext -f 30 -l 30 '" + pdf_checks::UnixPath(path) + "' -", temp_.Path());
    EXPECT_EQ(text.Out, "Page 30\n\n\f");
    EXPECT_EQ(file.Value(1, "/Count"), "30");
  }
}

TEST_F(PdfDocumentTest, ContentWithStringsOfEveryByte) {
  doc_->SetCompression(ctNone);
  const std::string path = Begin("bytes.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  page->SetActiveFont("Courier New", {}, 8);
  page->BeginText();
  for (int row = 0; row < 8; ++row) {
    std::string text;
    for (int c = row * 32; c < row * 32 + 32; ++c)
      if (c != 0) text += static_cast<char>(c);
    page->TextOutPt(20, 800 - row * 12, 0, text);
  }
  page->EndText();
  doc_->EndDoc();
  ExpectSoundPdf(path);
}

}  // namespace
