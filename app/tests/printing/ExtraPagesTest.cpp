// The extra pages of the printed Bible: edited in "Editor\editor.exe" from the print settings,
// saved there, and printed in "Bible.pdf" with the testaments' contents in place of their
// placeholders; and the demonstration project printed as a user's first try would.
#include <string>
#include <vector>

#include "app/editor/ExtraPageEditor.h"
#include "app/tests/printing/PrintingSupport.h"
#include "app/tests/support/ProgramDriver.h"
#include "classlib/SysUtils.h"
#include "core/ProgramFolderUnit.h"
#include "core/Utilities.h"
#include "classlib/Dialogs.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEdit.h"
#include "tools/ExtraPages.h"

namespace {

using namespace printing_testing;
using namespace dialog_testing;
using testing_support::SaveScreenshot;

class ExtraPagesTest : public PrintingTest {
protected:
  void SetUp() override {
    PrintingTest::SetUp();
    // The program folder of the test holds the editor, as Pelorin's does.
    ForceDirectories(ProgramFolder + "Editor\\");
    FileCopy(testing_support::ProgramFolder() + "Editor\\editor.exe", ProgramFolder + "Editor\\editor.exe");
  }

  // The top-level window of another program with the caption; null after the deadline.
  static HWND WaitForProgramWindow(const std::string& caption, DWORD timeoutMs = 30000) {
    HWND found = nullptr;
    testing_support::PumpUntil([&] { return (found = FindWindowA(nullptr, caption.c_str())) && IsWindowVisible(found); },
                               timeoutMs);
    return found;
  }

  // Waits until the program of the window has ended.
  static bool WaitForProgramEnd(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return true;
    const bool ended = testing_support::PumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 30000);
    CloseHandle(process);
    return ended;
  }

  std::vector<std::string> PrintAll() {
    auto dialog = MakePrintDialog();
    RunModal(dialog.get(), [&](HWND wnd) {
      SelectBooks(dialog.get(), {});
      Click(wnd, "Pr&int");
      SaveScreenshot(wnd, "print-bible-extra-pages");
      Click(wnd, "&OK");
    });
    return PdfRawPages(Printing() + "Bible.pdf", Printing());
  }
};

TEST_F(ExtraPagesTest, ACoverPageEditedInTheEditorIsPrinted) {
  MyReg->SetPrintCoverPages(true);
  auto settings = std::make_unique<TBibleSettingsDialog>(nullptr);
  HWND editor = nullptr;
  RunModal(settings.get(), [&](HWND wnd) {
    settings->PageControl1->SetActivePageIndex(2);
    ProcessFor(50);
    SendMessageA(settings->PageButtons[epCover]->GetHandle(), BM_CLICK, 0, 0);
    editor = WaitForProgramWindow("CoverPage.uvf - Editor");
    Click(wnd, "Cancel");
  });
  ASSERT_TRUE(editor) << "the editor did not show the cover page";
  const std::string cover = WorkFolder() + "CoverPage.uvf";
  const std::string before = testing_support::ReadFileBytes(cover);
  EXPECT_FALSE(before.empty());

  // The user types a line under the title and saves.
  SetForegroundWindow(editor);
  ProcessFor(300);
  SendKeyEvents({{VK_CONTROL, false}, {VK_END, false}, {VK_END, true}, {VK_CONTROL, true}});
  ProcessFor(100);
  PressKey(VK_RETURN);
  TypeText("Printed for the reviewers");
  EXPECT_NE(WaitForProgramWindow("*CoverPage.uvf - Editor", 30000), nullptr);
  SaveScreenshot(editor, "extra-page-editor");
  SendKeyEvents({{VK_CONTROL, false}, {'S', false}, {'S', true}, {VK_CONTROL, true}});
  EXPECT_NE(WaitForProgramWindow("CoverPage.uvf - Editor", 30000), nullptr);
  EXPECT_TRUE(testing_support::PumpUntil([&] { return testing_support::ReadFileBytes(cover) != before; }, 30000));
  PostMessageA(editor, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitForProgramEnd(editor));

  WriteBooks();
  WriteTestBook("EXO", {"\\id EXO", "\\mt Exodus", "\\c 1", "\\p", "\\v 1 Now these are the names."});
  const std::vector<std::string> pages = PrintAll();
  ASSERT_GE(pages.size(), 3u);
  EXPECT_NE(pages[0].find("The Holy Bible"), std::string::npos) << pages[0];
  EXPECT_NE(pages[0].find("Printed for the reviewers"), std::string::npos) << pages[0];
  EXPECT_EQ(pages[0].find("In the beginning"), std::string::npos);
  EXPECT_NE(pages[1].find("In the beginning"), std::string::npos);
}

// The editor is named by its full path in quotes: in a program folder whose name holds a blank
// ("pel orin"), a program "pel.exe" beside that folder, which the system would try first for an
// unquoted path, does not run, and the editor gets the page's path twice.
TEST_F(ExtraPagesTest, TheEditorIsStartedByItsQuotedPathFromAFolderWithABlank) {
  ASSERT_EQ(temp_.Path().find(' '), std::string::npos) << "the blank of \"pel orin\" must be the first";
  ProgramFolder = temp_.Path() + "pel orin\\";
  ForceDirectories(ProgramFolder + "Editor\\");
  const std::string peer = testing_support::ProgramFolder() + "CommandLinePeer.exe";
  ASSERT_TRUE(CopyFileA(peer.c_str(), (ProgramFolder + "Editor\\editor.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(peer.c_str(), (temp_.Path() + "pel.exe").c_str(), FALSE));
  const std::string editorLog = ProgramFolder + "Editor\\started.log";
  const std::string decoyLog = temp_.Path() + "started.log";

  auto settings = std::make_unique<TBibleSettingsDialog>(nullptr);
  RunModal(settings.get(), [&](HWND wnd) {
    settings->PageControl1->SetActivePageIndex(2);
    ProcessFor(50);
    SendMessageA(settings->PageButtons[epFirst]->GetHandle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return FileExists(editorLog) || FileExists(decoyLog); }, 30000));
    Click(wnd, "Cancel");
  });
  const std::string page = ExtraPageFileName(epFirst);
  EXPECT_TRUE(FileExists(page));
  EXPECT_EQ(app_testing::LogLines(editorLog), (app_testing::Lines{"editor.exe <" + page + "> <" + page + ">"}));
  EXPECT_EQ(app_testing::LogLines(decoyLog), app_testing::Lines{}) << "the decoy ran in place of the editor";
}

TEST_F(ExtraPagesTest, ATestamentsTitlePageShowsItsContentsInPlaceOfThePlaceholder) {
  MyReg->SetPrintNTTitlePages(true);
  PrepareExtraPage(epNTTitle);
  WriteBooks();
  const std::vector<std::string> pages = PrintAll();
  // The Old Testament's page, the New Testament's title page, its page.
  ASSERT_EQ(pages.size(), 3u);
  const std::string title = pages[1];
  EXPECT_NE(title.find("The New Testament"), std::string::npos) << title;
  EXPECT_EQ(title.find("table of contents"), std::string::npos) << title;
  // Each heading with its first page beside it, row by row.
  EXPECT_NE(Squeezed(title).find("Matthew1Philemon1"), std::string::npos) << title;
  EXPECT_NE(pages[2].find("Paul, a prisoner"), std::string::npos);
}

TEST_F(ExtraPagesTest, TheDemonstrationProjectIsPrinted) {
  // A projects folder without projects: the program writes its demonstration project.
  MyReg->SetParatextProjectsFolder(temp_.Path() + "Empty\\");
  MyReg->SetCurrentProject("");
  const std::vector<std::string> pages = PrintAll();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_NE(Squeezed(pages[0]).find(Squeezed("In the beginning was the Word, and the Word was with God, and the Word was God.")),
            std::string::npos)
      << pages[0];
  EXPECT_NE(pages[0].find("John 1"), std::string::npos) << pages[0];
  EXPECT_EQ(pdf_checks::ToolComplaints(Printing() + "Bible.pdf"), std::vector<std::string>{});
}

// Chooses a font in the font dialog.
class FontResponder : public TDialogResponder {
public:
  FontResponder() { previous_ = SetDialogResponder(this); }
  ~FontResponder() override { SetDialogResponder(previous_); }
  bool Execute(TCommonDialog* dialog) override {
    auto* fonts = dynamic_cast<TFontDialog*>(dialog);
    if (!fonts) return false;
    fonts->GetFont()->SetName("Liberation Sans");
    fonts->GetFont()->SetSize(18);
    fonts->GetFont()->SetStyle(TFontStyles{fsItalic});
    return true;
  }

private:
  TDialogResponder* previous_;
};

TEST_F(ExtraPagesTest, TheEditorsFontsAndAlignmentAreSavedWithThePage) {
  PrepareExtraPage(epFirst);
  const std::string path = ExtraPageFileName(epFirst);
  auto* editor = new TExtraPageEditor(nullptr);
  editor->Show();
  ASSERT_TRUE(editor->OpenDocument(path));
  EXPECT_EQ(editor->GetCaption(), "FirstPage.uvf - Editor");
  editor->Editor1->SetFocus();
  editor->SelectAll1Click(editor);
  {
    FontResponder responder;
    editor->Font1Click(editor);
  }
  editor->AlignRight1Click(editor);
  EXPECT_EQ(editor->GetCaption(), "*FirstPage.uvf - Editor");
  ProcessFor(100);
  SaveScreenshot(editor->GetHandle(), "extra-page-editor-formatted");
  ASSERT_TRUE(editor->SaveDocument());
  EXPECT_EQ(editor->GetCaption(), "FirstPage.uvf - Editor");
  delete editor;

  TUVStyle style(nullptr);
  VUzurUvad document(nullptr);
  document.SetStyle(&style);
  ASSERT_TRUE(document.LoadUVF(path));
  ASSERT_GE(document.GetItemCount(), 1);
  EXPECT_EQ(document.GetItemText(0), "The Holy Bible");
  TFontInfo* font = style.GetTextStyles()->GetItem(document.GetItemStyle(0));
  EXPECT_EQ(font->FontName, "Liberation Sans");
  EXPECT_EQ(font->Size, 18);
  EXPECT_TRUE(font->Style.Contains(fsItalic));
  EXPECT_EQ(style.GetParaStyles()->GetItem(document.GetItem(0)->ParaNo)->Alignment, uvaRight);
  document.SetStyle(nullptr);
}

}  // namespace
