#include "PdfTestSupport.h"

using namespace pdf_test;

namespace {

std::string Hex(const Byte* p, size_t n) {
  static const char digits[] = "0123456789abcdef";
  std::string s;
  for (size_t i = 0; i < n; ++i) {
    s += digits[p[i] >> 4];
    s += digits[p[i] & 15];
  }
  return s;
}

TEST(PdfSecurityKeys, KnownAnswers) {
  const std::string id = "0123456789abcdef0123456789abcdef";
  const struct {
    const char* owner;
    const char* user;
    Cardinal permissions;
    const char* o;
    const char* u;  // empty: not checked
    const char* key;
  } cases[] = {
      {"", "", 0xFFFFFFC4, "2055c756c72e1ad702608e8196acad447ad32d17cff583235f6dd15fed7dab67",
       "6711765458b47b7ad44ce5754befee2ee3eb78c5e9bca6566c87d8e196c90968", "4e40cb31d2"},
      {"owner", "user", 0xFFFFFFC4, "94e8094419662a774442fb072e3d9f19e9d130ec09a4d0061e78fe920f7ab62f",
       "a7be09918c6b3b032bb3d1331676cd11531b0117e72a7656d1c9733aa71a3ee8", "74b9fb153d"},
      // Without an owner password the user password keys /O.
      {"", "user", 0xFFFFFFC4, "8ec99e00c3d184910a4064df0f9516b041362b9bf1dc3f68d15bf71fb16dc5f3", "", ""},
  };
  for (const auto& c : cases) {
    const TPDFSecurityKeys keys = CalcSecurityKeys(c.owner, c.user, c.permissions, id);
    EXPECT_EQ(Hex(keys.Owner, 32), c.o) << c.owner << "/" << c.user;
    if (*c.u) {
      EXPECT_EQ(Hex(keys.User, 32), c.u) << c.owner << "/" << c.user;
    }
    if (*c.key) {
      EXPECT_EQ(Hex(keys.Key, 5), c.key) << c.owner << "/" << c.user;
    }
  }
  // Passwords longer than 32 bytes count with their first 32 only.
  const std::string long1 = std::string(32, 'x') + "tail one", long2 = std::string(32, 'x') + "other";
  const TPDFSecurityKeys a = CalcSecurityKeys(long1, long1, 0xFFFFFFC0, id);
  const TPDFSecurityKeys b = CalcSecurityKeys(long2, long2, 0xFFFFFFC0, id);
  EXPECT_EQ(Hex(a.Owner, 32), Hex(b.Owner, 32));
  EXPECT_EQ(Hex(a.Key, 5), Hex(b.Key, 5));
}

class PdfSecurityTest : public PdfTest {
protected:
  std::string WriteProtected(const std::string& name, const std::string& owner, const std::string& user,
                             TPDFCtiptoOptions options) {
    doc_->SetProtectionEnabled(true);
    doc_->SetOwnerPassword(owner);
    doc_->SetUserPassword(user);
    doc_->SetProtectionOptions(options);
    doc_->SetCompression(ctFlate);
    doc_->GetDocumentInfo()->SetTitle("Secret (Title)");
    const std::string path = Begin(name);
    TPDFPage* page = doc_->GetCurrentPage();
    page->SetActiveFont("Times New Roman", {}, 14);
    page->BeginText();
    page->TextOutPt(72, 700, 0, "In the beginning (was) the Word");
    page->EndText();
    page->SetActiveFont("Liberation Serif", {}, 14);
    page->BeginText();
    page->TextOutPt(72, 650, 0, "and the Word was with God");
    page->EndText();
    doc_->EndDoc();
    return path;
  }
  pdf_checks::ToolResult Run(const std::string& command) { return pdf_checks::RunLinux(command, temp_.Path()); }
};

TEST_F(PdfSecurityTest, OpensWithTheUserPasswordOnlyAndReportsPermissions) {
  const std::string path = WriteProtected("secret.pdf", "owner", "user", {coPrint, coCopyInformation});
  EXPECT_EQ(doc_->GetPermissions(), 0xFFFFFFD4u);
  const std::string file = "'" + pdf_checks::UnixPath(path) + "'";
  ExpectSoundPdf(path, "user");

  EXPECT_NE(Run("qpdf --check " + file).ExitCode, 0) << "opens without a password";
  EXPECT_NE(Run("qpdf --check --password=wrong " + file).ExitCode, 0);
  const pdf_checks::ToolResult shown = Run("qpdf --show-encryption --password=user " + file);
  EXPECT_EQ(shown.ExitCode, 0) << shown.Err;
  for (const char* line : {"R = 2", "P = -44", "User password = user", "print low resolution: allowed",
                           "print high resolution: allowed", "modify document assembly: not allowed",
                           "extract for any purpose: allowed", "modify annotations: not allowed",
                           "modify other: not allowed"})
    EXPECT_NE(shown.Out.find(line), std::string::npos) << line << "\n" << shown.Out;

  const pdf_checks::ToolResult key = Run("qpdf --show-encryption-key --show-encryption --password=user " + file);
  std::string expectedKey;
  for (char c : doc_->GetEncryptionKey()) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(c));
    expectedKey += hex;
  }
  EXPECT_NE(key.Out.find("Encryption key = " + expectedKey), std::string::npos) << key.Out;

  const pdf_checks::ToolResult text = Run("pdftotext -upw user " + file + " -");
  EXPECT_EQ(text.Out, "In the beginning (was) the Word\n\nand the Word was with God\n\n\f");
  const pdf_checks::ToolResult info = Run("pdfinfo -upw user " + file);
  EXPECT_NE(info.Out.find("Title:           Secret (Title)"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("Encrypted:       yes (print:yes copy:yes change:no addNotes:no algorithm:RC4)"),
            std::string::npos)
      << info.Out;

  // The encryption dictionary: /O and /U as literal strings, /P unsigned.
  const pdf_checks::PdfFile parsed = pdf_checks::ParsePdf(testing_support::ReadFileBytes(path));
  const std::string encrypt = parsed.Trailer.substr(parsed.Trailer.find("/Encrypt ") + 9);
  const int encryptId = std::atoi(encrypt.c_str());
  EXPECT_EQ(parsed.Value(encryptId, "/P"), "4294967252");
  EXPECT_EQ(parsed.Value(encryptId, "/Filter"), "/Standard");
  EXPECT_EQ(parsed.Value(encryptId, "/V"), "1");
  EXPECT_EQ(parsed.Value(encryptId, "/R"), "2");
  EXPECT_EQ(parsed.Value(encryptId, "/O"), "(" + EscapeSpecialChar(doc_->GetOwnerKey()) + ")");
}

TEST_F(PdfSecurityTest, EmptyPasswordsOpenWithoutPassword) {
  const std::string path = WriteProtected("open.pdf", "", "", {});
  EXPECT_EQ(doc_->GetPermissions(), 0xFFFFFFC0u);
  ExpectSoundPdf(path);
  const pdf_checks::ToolResult text = Run("pdftotext '" + pdf_checks::UnixPath(path) + "' -");
  EXPECT_EQ(text.Out, "In the beginning (was) the Word\n\nand the Word was with God\n\n\f");
  const pdf_checks::ToolResult info = Run("pdfinfo '" + pdf_checks::UnixPath(path) + "'");
  EXPECT_NE(info.Out.find("print:no copy:no change:no addNotes:no"), std::string::npos) << info.Out;
}

TEST_F(PdfSecurityTest, AUserPasswordWithoutOwnerPasswordStillProtects) {
  const std::string path = WriteProtected("user-only.pdf", "", "user", {coPrint, coModifyStructure,
                                                                        coCopyInformation, coModifyAnnotation});
  EXPECT_EQ(doc_->GetPermissions(), 0xFFFFFFFCu);
  ExpectSoundPdf(path, "user");
  const std::string file = "'" + pdf_checks::UnixPath(path) + "'";
  EXPECT_NE(Run("qpdf --check " + file).ExitCode, 0);
  EXPECT_NE(Run("qpdf --check --password= " + file).ExitCode, 0);
}

}  // namespace
