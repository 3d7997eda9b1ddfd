// The BibleWorks conversions' windows and the conversion settings, driven by clicks and keys:
// BibleWorks text to book files, Online Bible text and Paratext books to BibleWorks import text.
#include <memory>

#include "app/ConversionVariablesUnit.h"
#include "app/ConvertBibleWorksToParatextUnit.h"
#include "app/OnlineBibleToBibleWorksUnit.h"
#include "app/SFMToBibleWorksUnit.h"
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

class BibleWorksDialogsTest : public app_testing::AppTest {
protected:
  std::string Fixture(const std::string& name, const std::string& bytes) {
    const std::string path = temp_.Path() + name;
    WriteFileBytes(path, bytes);
    return path;
  }
};

TEST_F(BibleWorksDialogsTest, ConversionSettingsShownChangedAndStored) {
  WriteSettingString("Hebrew cut length", "60");
  WriteSettingString("Remove chapter line", "chapter");
  std::unique_ptr<TConversionVariablesDlg> dialog(new TConversionVariablesDlg(nullptr));
  std::string shownLength, shownWord;
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    shownLength = TextOf(dialog->HebrewEdit->GetHandle());
    shownWord = TextOf(dialog->ChapterLineEdit->GetHandle());
    SaveScreenshot(wnd, "conversion-variables");
    PressKey('H', true);  // Alt+H: the length, whose arrows the keys move
    PressKey(VK_UP);
    PressKey(VK_UP);
    PressKey('T', true);  // Alt+T: the chapter word
    SendMessageA(dialog->ChapterLineEdit->GetHandle(), EM_SETSEL, 0, -1);
    TypeText("psalm");
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(shownLength, "60");
  EXPECT_EQ(shownWord, "chapter");
  EXPECT_EQ(ReadSettingString("Hebrew cut length"), "70");
  EXPECT_EQ(ReadSettingString("Remove chapter line"), "psalm");

  const auto before = StoredSettings();
  std::unique_ptr<TConversionVariablesDlg> again(new TConversionVariablesDlg(nullptr));
  RunModal(again.get(), [&](HWND) {
    shownLength = TextOf(again->HebrewEdit->GetHandle());
    PressKey('H', true);
    PressKey(VK_DOWN);
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(shownLength, "70");
  EXPECT_EQ(StoredSettings(), before);
}

TEST_F(BibleWorksDialogsTest, BibleWorksTextBecomesBookFiles) {
  const std::string out = temp_.Path() + "books\\";
  CreateDir(out);
  WriteFileBytes(out + "GEN.sfc", "old Genesis");
  User user;
  user.Files = {Fixture("export.rtf", Rtf({"Gen 1:1  In the beginning", "Gen 1:2  And the earth", "Exo 1:1  Now these"}))};
  user.Folder = out.substr(0, out.size() - 1);
  std::unique_ptr<TConvertBibleWorksToParatextDlg> dialog(new TConvertBibleWorksToParatextDlg(nullptr));
  std::string early, loaded, converted;
  RunModal(dialog.get(), [&](HWND wnd) {
    Click(wnd, "&Convert");
    early = dialog->Status->GetCaption();
    Click(wnd, "Open &file");
    loaded = dialog->Status->GetCaption();
    SaveScreenshot(wnd, "bibleworks-to-paratext");
    Click(wnd, "&Location to save files");
    Click(wnd, "&Convert");
    converted = dialog->Status->GetCaption();
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(early, "First choose the location to save files");
  EXPECT_EQ(loaded, "Loaded");
  EXPECT_EQ(converted, "Converted");
  EXPECT_EQ(user.Filters, (Lines{"Rich Text Files|*.rtf"}));
  EXPECT_TRUE(user.Asked.empty());
  EXPECT_EQ(ReadFileBytes(out + "GEN.sfc"), "\\id GEN\r\n\\c 1\r\n\\v 1 In the beginning\r\n\\v 2 And the earth\r\n");
  EXPECT_EQ(ReadFileBytes(out + "EXO.sfc"), "\\id EXO\r\n\\c 1\r\n\\v 1 Now these\r\n");
}

TEST_F(BibleWorksDialogsTest, HebrewIsAskedForAndCutOnlyWhenConfirmed) {
  WriteSettingString("Hebrew cut length", "20");
  const std::string line = "dddd cccc bbbb aaaa eeee ffff Gen 1:1";
  for (Integer answer : {mrYes, mrNo}) {
    const std::string out = temp_.Path() + (answer == mrYes ? "yes" : "no");
    CreateDir(out);
    User user;
    user.Files = {Fixture("hebrew.rtf", Rtf({line}))};
    user.Folder = out;
    user.Answer = answer;
    std::unique_ptr<TConvertBibleWorksToParatextDlg> dialog(new TConvertBibleWorksToParatextDlg(nullptr));
    std::string status;
    RunModal(dialog.get(), [&](HWND wnd) {
      Click(wnd, "Open &file");
      Click(wnd, "&Location to save files");
      Click(wnd, "&Convert");
      status = dialog->Status->GetCaption();
      PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(user.Asked, (Lines{"Hebrew file found. Treat it as such?"}));
    if (answer == mrYes) {
      EXPECT_EQ(status, "Converted");
      EXPECT_EQ(ReadFileBytes(out + "\\GEN.sfc"),
                "\\id GEN\r\n\\c 1\r\n\\v 1 cccc bbbb aaaa eeee ffff\r\n dddd\r\n");
    } else {
      // Read as a normal line, its first three characters are no book.
      EXPECT_EQ(status, "Line 1 has no BibleWorks reference: " + line);
      EXPECT_FALSE(FileExists(out + "\\GEN.sfc"));
    }
  }
}

TEST_F(BibleWorksDialogsTest, BadFilesAreNamedAndNothingIsWritten) {
  const std::string out = temp_.Path() + "books";
  CreateDir(out);
  WriteFileBytes(out + "\\GEN.sfc", "old Genesis");
  struct Row {
    std::string File;
    std::string Bytes;
    std::string Status;  // after loading, or after converting when loading worked
  } rows[] = {
      {"plain.rtf", "Gen 1:1  In the beginning\r\n", "The file %s is not an RTF document"},
      {"empty.rtf", "", "The file %s is empty"},
      {"noref.rtf", Rtf({"Gen 1:1  In the beginning", "In the beginning without reference"}),
       "Line 2 has no BibleWorks reference: In the beginning without reference"},
      {"long.rtf", Rtf({"Gen 1:1  " + std::string(1 << 20, 'x')}),
       "Line 1 is longer than 10000 characters; nothing has been converted"},
  };
  for (const Row& r : rows) {
    User user;
    const std::string path = Fixture(r.File, r.Bytes);
    user.Files = {path};
    user.Folder = out;
    std::unique_ptr<TConvertBibleWorksToParatextDlg> dialog(new TConvertBibleWorksToParatextDlg(nullptr));
    std::string status;
    RunModal(dialog.get(), [&](HWND wnd) {
      Click(wnd, "&Location to save files");
      Click(wnd, "Open &file");
      if (dialog->Status->GetCaption() == "Loaded") Click(wnd, "&Convert");
      status = dialog->Status->GetCaption();
      PressKey(VK_ESCAPE);
    });
    std::string expected = r.Status;
    const std::size_t at = expected.find("%s");
    if (at != std::string::npos) expected.replace(at, 2, path);
    EXPECT_EQ(status, expected) << r.File;
    EXPECT_EQ(ReadFileBytes(out + "\\GEN.sfc"), "old Genesis") << r.File;
  }
}

TEST_F(BibleWorksDialogsTest, OnlineBibleTextBecomesImportText) {
  WriteSettingString("BibleWorks Folder", "C:\\BW");
  const std::string saved = temp_.Path() + "olb.txt";
  User user;
  user.Files = {Fixture("olb.rtf", Rtf({"Genesis 1", "\\'b6 1  In the beginning God created", "2 And the earth",
                                         "Song of Solomon 2", "1 I am the rose"})),
                saved};
  std::unique_ptr<TOnlineBibleToBibleWorksDialog> dialog(new TOnlineBibleToBibleWorksDialog(nullptr));
  std::string converted, afterSave;
  Lines shown;
  RunModal(dialog.get(), [&](HWND wnd) {
    Click(wnd, "Open &File");
    Click(wnd, "&Convert");
    converted = dialog->Status->GetCaption();
    shown = DocumentLines(dialog->UzurUvadEdit1);
    SaveScreenshot(wnd, "online-bible-to-bibleworks");
    Click(wnd, "&Save File");
    afterSave = dialog->Status->GetCaption();
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(converted, "Loaded");
  EXPECT_EQ(shown, (Lines{"Gen 1:1 In the beginning God created", "Gen 1:2 And the earth", "Sol 2:1 I am the rose"}));
  EXPECT_EQ(afterSave, "Ready");
  EXPECT_EQ(user.InitialDirs.back(), "C:\\BW\\userdb");
  EXPECT_EQ(user.Filters.back(), "Text File|*.txt|All Files|*.*");
  EXPECT_EQ(ReadFileBytes(saved), "Gen 1:1 In the beginning God created\r\nGen 1:2 And the earth\r\nSol 2:1 I am the rose");
}

TEST_F(BibleWorksDialogsTest, ParatextBooksBecomeImportText) {
  WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\s Heading", "\\p", "\\v 1 In the beginning", "\\q was the word"});
  WriteTestBook("EXO", {"\\id EXO", "\\c 2", "\\v 3 And"});
  WriteSettingString("BibleWorks Folder", "C:\\BW");
  const std::string saved = temp_.Path() + "import.txt";
  User user;
  user.Files = {saved};
  std::unique_ptr<TSFMToBibleWorksDlg> dialog(new TSFMToBibleWorksDlg(nullptr));
  std::string refused, converted;
  Lines books, result;
  RunModal(dialog.get(), [&](HWND wnd) {
    Click(wnd, "&Convert");
    refused = dialog->StatusBar1->GetSimpleText();
    PressKey('V', true);  // Alt+V: the versions, the first chosen with the arrow key
    PressKey(VK_DOWN);
    books = DocumentLines(dialog->UzurUvadEdit1);
    Click(wnd, "&Convert");
    converted = dialog->StatusBar1->GetSimpleText();
    result = DocumentLines(dialog->UzurUvadEdit1);
    ProcessFor(200);
    SaveScreenshot(wnd, "paratext-to-bibleworks");
    Click(wnd, "&Save File");
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(refused, "First select a version");
  EXPECT_EQ(books, (Lines{"Available books:", "Genesis", "Exodus"}));
  EXPECT_EQ(converted, "Ready");
  EXPECT_EQ(result, (Lines{"Gen 1:1 In the beginning was the word", "Exo 2:3 And"}));
  EXPECT_EQ(user.InitialDirs, (Lines{"C:\\BW\\userdb"}));
  EXPECT_EQ(ReadFileBytes(saved), "Gen 1:1 In the beginning was the word\r\nExo 2:3 And");
}

}  // namespace
