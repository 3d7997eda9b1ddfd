#include <gtest/gtest.h>

#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "pdf/PDF.h"

namespace {

// The document sits on the print dialogs' forms: its published properties go through the form
// stream, all of them, defaults included (an empty string is never written).
TEST(PdfDocumentStreaming, PublishedPropertiesRoundTrip) {
  TPDFDocument doc(nullptr);
  doc.SetName("PDF1");
  doc.SetFileName("C:\\Out\\List.pdf");
  doc.SetCompression(ctFlate);
  doc.SetPageMode(pmUseOutlines);
  doc.SetProtectionOptions({coPrint, coModifyAnnotation});
  doc.SetUserPassword("user");
  doc.SetResolution(96);
  doc.SetViewerPreferences({vpFitWindow});
  doc.SetVersion(v14);
  doc.GetDocumentInfo()->SetTitle("Genesis");

  TMemoryStream binary, text;
  WriteComponentToStream(&binary, &doc);
  binary.SetPosition(0);
  ObjectBinaryToText(&binary, &text);
  const std::string form(static_cast<const char*>(text.GetMemory()), static_cast<size_t>(text.GetSize()));
  for (const char* line : {"AutoLaunch = False", "FileName = 'C:\\Out\\List.pdf'", "Compression = ctFlate",
                           "DocumentInfo.Author = 'Windows 9x/NT/2000/XP User'", "DocumentInfo.Title = 'Genesis'",
                           "PageLayout = plSinglePage", "PageMode = pmUseOutlines", "ProtectionEnabled = False",
                           "ProtectionOptions = [coPrint, coModifyAnnotation]", "UserPassword = 'user'",
                           "JPEGQuality = 80", "Resolution = 96",
                           "ViewerPreferences = [vpFitWindow]", "AutoCreateURL = False", "OnePass = False",
                           "Version = v14", "EMFImageAsJpeg = False", "EMFSimpleText = False"})
    EXPECT_NE(form.find(line), std::string::npos) << line << "\n" << form;

  TPDFDocument copy(nullptr);
  binary.SetPosition(0);
  ReadComponentFromStream(&binary, &copy);
  EXPECT_EQ(copy.GetFileName(), "C:\\Out\\List.pdf");
  EXPECT_EQ(copy.GetCompression(), ctFlate);
  EXPECT_EQ(copy.GetPageMode(), pmUseOutlines);
  EXPECT_EQ(copy.GetProtectionOptions(), (TPDFCtiptoOptions{coPrint, coModifyAnnotation}));
  EXPECT_EQ(copy.GetUserPassword(), "user");
  EXPECT_EQ(copy.GetResolution(), 96);
  EXPECT_EQ(copy.GetViewerPreferences(), TViewerPreferences{vpFitWindow});
  EXPECT_EQ(copy.GetVersion(), v14);
  EXPECT_EQ(copy.GetDocumentInfo()->GetTitle(), "Genesis");
}

}  // namespace
