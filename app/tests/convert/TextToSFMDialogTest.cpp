// The text-to-standard-format window driven through both phases, and the notes export window.
#include <memory>

#include "app/TNEConvertUnit.h"
#include "app/TextToSFM.h"
#include "app/tests/convert/ConvertTestSupport.h"
#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"
#include "richtext/edit/UVEdit.h"
#include "tools/EditorText.h"

namespace {

using namespace dialog_testing;
using convert_testing::Rtf;
using convert_testing::User;
using Lines = app_testing::Lines;
using testing_support::ReadFileBytes;
using testing_support::SaveScreenshot;
using testing_support::WriteFileBytes;

class TextToSFMDialogTest : public app_testing::AppTest {};

TEST_F(TextToSFMDialogTest, BothPhasesFromRtfToSavedBook) {
  WriteSettingString("Default ID", "MAT");
  const std::string rtf = temp_.Path() + "scan.rtf";
  // A letter the code page lacks (a with macron) arrives as its nearest letter.
  WriteFileBytes(rtf, Rtf({"Genesis", "Chapter  1", "1 In the beginning G0d created the heaven ,and the earth. 2 And",
                           "the earth was without form \\u257?nd void.", "I I  men came to the city"}));
  const std::string saved = temp_.Path() + "GEN.sfc";
  User user;
  user.Files = {rtf, saved};
  std::unique_ptr<TTextToSFMDialog> dialog(new TTextToSFMDialog(nullptr));
  std::string opened, refusedID, setID, unknown, converted, afterSave, id;
  Lines prepared, transferred, result;
  RunModal(dialog.get(), [&](HWND wnd) {
    id = TextOf(dialog->IDEdit->GetHandle());
    Click(wnd, "Open &File");
    opened = dialog->StatusBar1->GetSimpleText();
    SaveScreenshot(wnd, "text-to-sfm-loaded");
    Click(wnd, "&Prepare File");
    prepared = DocumentLines(dialog->PrepareUzurUvadEdit);
    Click(wnd, "&Next phase");
    transferred = DocumentLines(dialog->UzurUvadEdit1);
    // The identifier, typed: an unknown one is refused, then a known one in lower case.
    PressKey('I', true);
    SendMessageA(dialog->IDEdit->GetHandle(), EM_SETSEL, 0, -1);
    TypeText("xq");
    Click(wnd, "&Convert");
    unknown = dialog->StatusBar1->GetSimpleText();
    PressKey('I', true);
    SendMessageA(dialog->IDEdit->GetHandle(), EM_SETSEL, 0, -1);
    TypeText("gen");
    setID = dialog->StatusBar1->GetSimpleText();
    Click(wnd, "&Convert");
    converted = dialog->StatusBar1->GetSimpleText();
    result = DocumentLines(dialog->UzurUvadEdit1);
    SaveScreenshot(wnd, "text-to-sfm-converted");
    Click(wnd, "&Save File");
    afterSave = dialog->StatusBar1->GetSimpleText();
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(id, "MAT");
  EXPECT_EQ(opened, "File has been loaded");
  EXPECT_EQ(prepared, (Lines{"Genesis", "Chapter 1", "1 In the beginning GOd created the heaven,and the earth. 2 And",
                             "the earth was without form and void.", "11 men came to the city"}));
  EXPECT_EQ(transferred, prepared);
  EXPECT_EQ(unknown, "This is not a known ID");
  EXPECT_EQ(setID, "The ID has been set for Genesis");
  EXPECT_EQ(converted, "The file has been converted");
  EXPECT_EQ(result, (Lines{"\\id GEN", "\\mt Genesis", "\\c 1", "\\v 1 In the beginning GOd created the heaven,and the earth.",
                           "\\v 2 And the earth was without form and void.", "\\v 11 men came to the city"}));
  EXPECT_EQ(afterSave, "File has been saved");
  EXPECT_EQ(ReadSettingString("Default ID"), "GEN");
  EXPECT_EQ(user.Filters, (Lines{"RTF Documents|*.rtf", "Paratext File|*.sfc|All Files|*.*"}));
  EXPECT_EQ(ReadFileBytes(saved),
            "\\id GEN\r\n\\mt Genesis\r\n\\c 1\r\n\\v 1 In the beginning GOd created the heaven,and the earth.\r\n"
            "\\v 2 And the earth was without form and void.\r\n\\v 11 men came to the city");
}

TEST_F(TextToSFMDialogTest, NothingLoadedOrNoRtf) {
  const std::string plain = temp_.Path() + "plain.rtf";
  WriteFileBytes(plain, "just text\r\n");
  User user;
  user.Files = {plain};
  std::unique_ptr<TTextToSFMDialog> dialog(new TTextToSFMDialog(nullptr));
  std::string empty, notRtf;
  RunModal(dialog.get(), [&](HWND wnd) {
    Click(wnd, "&Prepare File");
    empty = dialog->StatusBar1->GetSimpleText();
    Click(wnd, "Open &File");
    notRtf = dialog->StatusBar1->GetSimpleText();
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(empty, "Load a file first");
  EXPECT_EQ(notRtf, "The file " + plain + " is not an RTF document");
}

TEST_F(TextToSFMDialogTest, NotesOfTheChosenProjectSaved) {
  WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\v 1 Check <this> & that.", "\\v 2", "\\p", "\\v 3 TODO unclear."});
  const std::string saved = temp_.Path() + "notes.tne";
  User user;
  user.Files = {saved};
  std::unique_ptr<TTNEConvertDialog> dialog(new TTNEConvertDialog(nullptr));
  std::string refused, chosen, converted, afterSave;
  RunModal(dialog.get(), [&](HWND wnd) {
    Click(wnd, "&Convert");
    refused = dialog->StatusBar1->GetSimpleText();
    PressKey('V', true);
    PressKey(VK_DOWN);
    chosen = dialog->StatusBar1->GetSimpleText();
    PressKey('1', true);  // Alt+1: the first category, its third entry
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey('N', true);  // Alt+N: the unresolved text
    TypeText("TODO");
    SaveScreenshot(wnd, "translation-notes-export");
    Click(wnd, "&Convert");
    converted = dialog->StatusBar1->GetSimpleText();
    Click(wnd, "&Save File");
    afterSave = dialog->StatusBar1->GetSimpleText();
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(refused, "First select a version");
  EXPECT_EQ(chosen, "Available books: 1");
  EXPECT_EQ(converted, "Number of notes converted: 2");
  EXPECT_EQ(afterSave, "File saved");
  EXPECT_EQ(user.Titles, (Lines{"Save Translation Notes"}));
  EXPECT_EQ(user.Filters, (Lines{"Translation Notes Editor Files (*.tne)|*.tne|All Files (*.*)|*.*|"}));
  EXPECT_EQ(user.DefaultExts, (Lines{"tne"}));
  const Lines lines = app_testing::LogLines(saved);
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_EQ(lines[0], "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
  EXPECT_EQ(lines[4], "<Type>2</Type>");
  EXPECT_EQ(lines[5], "<Category>Discourse [D]</Category>");
  EXPECT_EQ(lines[6], "<CreatedBy>Pelorin</CreatedBy>");
  EXPECT_EQ(lines[9], "<Project>Translation</Project>");
  EXPECT_EQ(lines[10], "<References>GEN 1:1</References>");
  EXPECT_EQ(lines[12], "<Contents><P>Check [this] &amp; that.</P></Contents>");
  EXPECT_EQ(lines[17], "<Type>3</Type>");
  EXPECT_EQ(lines[23], "<References>GEN 1:3</References>");
  EXPECT_EQ(lines[28], "</ScriptureNotes>");
}

}  // namespace
