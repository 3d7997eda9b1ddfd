// The viewer's files and streams (UVF with its layout and colour, RTF, plain text) and the
// viewer as a form places it, read from the form stream.
#include <memory>

#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/Streams.h"
#include "richtext/core/tests/viewer/ViewerTestSupport.h"

using namespace viewer_test;

namespace viewer_test {

class TViewerForm : public TForm {
  CLASS_INFO(TViewerForm, TForm)
public:
  explicit TViewerForm(TComponent* AOwner) : TForm(AOwner) {}
  Integer Jumps = 0;
  void ResultsJump(TObject*, Integer) { ++Jumps; }
};

}  // namespace viewer_test

PUBLISHED(TViewerForm) { Method("ResultsJump", &TViewerForm::ResultsJump); }

namespace {

class FilesTest : public ViewerFixture {
protected:
  testing_support::TempFolder temp;
};

TEST_F(FilesTest, UVFKeepsTheLayoutAndColourOfTheViewer) {
  FillResults(3);
  viewer->SetLeftMargin(20);
  viewer->SetTopMargin(11);
  viewer->SetMaxTextWidth(300);
  viewer->SetColor(clYellow);
  viewer->SetUVFOptions(viewer->GetUVFOptions() << uvfoSaveLayout << uvfoSaveBack);
  const std::string file = temp.File("results.uvf");
  ASSERT_TRUE(viewer->SaveUVF(file, false));

  auto* other = new VUzurUvad(form);
  other->SetParent(form);
  other->SetStyle(style);
  other->SetUVFOptions(other->GetUVFOptions() << uvfoLoadLayout << uvfoLoadBack);
  ASSERT_TRUE(other->LoadUVF(file));
  EXPECT_EQ(other->GetItemCount(), 6);
  EXPECT_EQ(other->GetItemText(4), "GEN 1:3");
  EXPECT_EQ(other->GetLeftMargin(), 20);
  EXPECT_EQ(other->GetTopMargin(), 11);
  EXPECT_EQ(other->GetRightMargin(), 5);
  EXPECT_EQ(other->GetMaxTextWidth(), 300);
  EXPECT_EQ(other->GetColor(), clYellow);
  // Only the selection.
  viewer->SetSelectionBounds(2, 1, 2, 8);
  ASSERT_TRUE(viewer->SaveUVF(file, true));
  ASSERT_TRUE(other->LoadUVF(file));
  ASSERT_EQ(other->GetItemCount(), 1);
  EXPECT_EQ(other->GetItemText(0), "GEN 1:2");
  // A file that is not there.
  EXPECT_FALSE(other->LoadUVF(temp.File("missing.uvf")));
}

TEST_F(FilesTest, RTFAndTextAreWrittenAndAppended) {
  FillResults(2);
  const std::string rtf = temp.File("results.rtf");
  ASSERT_TRUE(viewer->SaveRTF(rtf, false));
  const std::string text = temp.File("results.txt");
  ASSERT_TRUE(viewer->SaveText(text, 80));
  EXPECT_EQ(testing_support::ReadFileBytes(text), "GEN 1:1 Unknown word \"begat0\"\r\nGEN 1:2 Unknown word \"begat1\"");
  // Reading appends.
  viewer->Clear();
  viewer->AddNL("Before:", kText, 0);
  ASSERT_TRUE(viewer->LoadRTF(rtf));
  viewer->Format();
  EXPECT_EQ(viewer->GetItemText(0), "Before:");
  EXPECT_EQ(viewer->GetItemText(1), "GEN 1:1");
  EXPECT_TRUE(viewer->LoadText(text, kText, 0, false));
  EXPECT_EQ(viewer->GetItemText(viewer->GetItemCount() - 1), "GEN 1:2 Unknown word \"begat1\"");
  // RTF the reader refuses: false.
  testing_support::WriteFileBytes(temp.File("bad.rtf"), "{\\rtf1 {unclosed");
  EXPECT_FALSE(viewer->LoadRTF(temp.File("bad.rtf")));
  EXPECT_FALSE(viewer->LoadRTF(temp.File("missing.rtf")));
}

TEST(ViewerFormStream, AFormPlacesTheViewerWithItsProperties) {
  const char kText[] =
      "object ViewerForm: TViewerForm\r\n"
      "  Left = 40\r\n"
      "  Top = 40\r\n"
      "  Width = 300\r\n"
      "  Height = 200\r\n"
      "  Caption = 'Compare'\r\n"
      "  object Results: VUzurUvad\r\n"
      "    Left = 0\r\n"
      "    Top = 0\r\n"
      "    Width = 200\r\n"
      "    Height = 100\r\n"
      "    Align = alClient\r\n"
      "    Options = [uvoAllowSelection, uvoAutoCopyText, uvoDblClickSelectsWord]\r\n"
      "    LeftMargin = 12\r\n"
      "    Delimiters = ' .'\r\n"
      "    TabNavigation = uvtnCtrlTab\r\n"
      "    CPEventKind = cpeWhenVisible\r\n"
      "    Style = ResultStyle\r\n"
      "    OnJump = ResultsJump\r\n"
      "  end\r\n"
      "  object ResultStyle: TUVStyle\r\n"
      "  end\r\n"
      "end\r\n";
  auto* form = new TViewerForm(Application);
  {
    TStringStream input(kText);
    TMemoryStream binary;
    ObjectTextToBinary(&input, &binary);
    binary.SetPosition(0);
    ReadComponentFromStream(&binary, form);
  }
  auto* viewer = dynamic_cast<VUzurUvad*>(form->FindComponent("Results"));
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->GetOptions(), (TUVOptions{uvoAllowSelection, uvoAutoCopyText, uvoDblClickSelectsWord}));
  EXPECT_EQ(viewer->GetLeftMargin(), 12);
  EXPECT_EQ(viewer->GetRightMargin(), 5);
  EXPECT_EQ(viewer->GetDelimiters(), " .");
  EXPECT_EQ(viewer->GetTabNavigation(), uvtnCtrlTab);
  EXPECT_EQ(viewer->GetCPEventKind(), cpeWhenVisible);
  EXPECT_EQ(viewer->GetStyle(), form->FindComponent("ResultStyle"));
  EXPECT_EQ(viewer->GetBorderStyle(), bsSingle);
  ASSERT_TRUE(viewer->OnJump);
  viewer->OnJump(viewer, 1);
  EXPECT_EQ(form->Jumps, 1);
  // Written back, the usual values are left out.
  TMemoryStream binary;
  WriteComponentToStream(&binary, viewer);
  binary.SetPosition(0);
  TStringStream text("");
  ObjectBinaryToText(&binary, &text);
  EXPECT_NE(text.GetDataString().find("Delimiters = ' .'"), std::string::npos);
  EXPECT_EQ(text.GetDataString().find("TopMargin"), std::string::npos);
  viewer->SetDelimiters(UVDefaultDelimiters);
  TMemoryStream again;
  WriteComponentToStream(&again, viewer);
  again.SetPosition(0);
  TStringStream text2("");
  ObjectBinaryToText(&again, &text2);
  EXPECT_EQ(text2.GetDataString().find("Delimiters"), std::string::npos);
  // The style sheet going away leaves the viewer without one.
  delete form->FindComponent("ResultStyle");
  EXPECT_EQ(viewer->GetStyle(), nullptr);
  delete form;
}

}  // namespace
