// Long work of the tool windows over whole books of the KJV: comparing all books with a very
// different earlier version, the names of the whole Bible, and the conversions to BibleWorks and
// to the notes editor. The results stay byte for byte what they were (fingerprints taken from
// the windows as they were first written).
#include <memory>
#include <string>
#include <vector>

#include "app/Compare.h"
#include "app/NamesList.h"
#include "app/SFMToBibleWorksUnit.h"
#include "app/TNEConvertUnit.h"
#include "app/tests/compare/CompareDialogsSupport.h"
#include "app/tests/support/DialogDriver.h"
#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "core/ScripturesUnit.h"
#include "richtext/edit/UVEdit.h"
#include "tools/TNEExport.h"
#include "tools/tests/support/DifferentVersions.h"

namespace {

using namespace compare_dialogs;
using namespace dialog_testing;
using testing_support::PumpUntil;
using testing_support::SaveScreenshot;
using tools_testing::Fingerprint;

// The lines of a book of the KJV of the shared data; none when it is not here.
Lines KjvBook(const std::string& fileName) {
  const std::string folder = testing_support::KjvDataFolder();
  if (folder.empty()) return {};
  std::unique_ptr<TStringList> lines(new TStringList());
  const std::string path = folder + "KJV\\" + fileName;
  if (!FileExists(path)) return {};
  lines->LoadFromFile(path);
  return app_testing::ItemsOf(lines.get());
}

// Every book file of the KJV, in canonical order.
std::vector<std::string> KjvFileNames() {
  std::vector<std::string> names;
  const std::string folder = testing_support::KjvDataFolder();
  if (folder.empty()) return names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "KJV\\*.SFM").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

class LongWorkTest : public CompareDialogsTest {
protected:
  void SetUp() override {
    CompareDialogsTest::SetUp();
    if (KjvFileNames().empty()) GTEST_SKIP() << "the KJV project of the shared data is not here";
  }
  // Books of the KJV as books of the test project; with `earlier`, the earlier project gets each
  // with the text of every verse taken from the verse seven lines on.
  void WriteKjvBooks(const std::vector<std::string>& ids, bool earlier) {
    for (const std::string& file : KjvFileNames()) {
      const std::string id = file.substr(2, 3);
      if (!ids.empty() && std::find(ids.begin(), ids.end(), id) == ids.end()) continue;
      const Lines lines = KjvBook(file);
      WriteTestBook(id, lines);
      if (earlier) WriteEarlierBook(id, tools_testing::ShiftVerseTexts(lines, 7));
    }
  }
};

// The document of "Compare all books", without the date lines (the paragraph before each
// "Comparison between").
std::string CompareDocumentPrint(TCompareDlg* dialog) {
  TCustomUVData* document = dialog->CompareUzurUvadEdit->GetUVData();
  std::vector<bool> dated(document->GetItemCount(), false);
  Integer previousParagraph = -1;
  for (Integer i = 0; i < document->GetItemCount(); ++i) {
    if (!document->IsParaStart(i)) continue;
    if (document->GetItemText(i).rfind("Comparison between", 0) == 0 && previousParagraph >= 0)
      dated[previousParagraph] = true;
    previousParagraph = i;
  }
  Fingerprint print;
  for (Integer i = 0; i < document->GetItemCount(); ++i) {
    print.Add(document->IsParaStart(i) ? "P" : "-");
    print.Add(std::to_string(document->GetItemStyle(i)));
    print.Add(dated[i] ? std::string("date") : std::string(document->GetItemText(i)));
  }
  tools_testing::AddLines(print, dialog->ChangePositions);
  return print.Hex();
}

TEST_F(LongWorkTest, CompareAllBooksWithAVeryDifferentVersionGivesTheDocumentItGave) {
  WriteKjvBooks({"RUT", "OBA", "JON", "MRK", "PHM"}, true);
  MyReg->SetCompareEarlierVersion("Earlier Project");
  std::unique_ptr<TCompareDlg> dialog(new TCompareDlg(nullptr));
  std::string finalStatus;
  RunModal(
      dialog.get(),
      [&](HWND wnd) {
        Choose(dialog->FilenamesComboBox, dialog->FilenamesComboBox->GetItems()->GetCount() - 1);
        PumpUntil([&] { return dialog->StatusBar1->GetSimpleText().rfind("Ready comparing all books", 0) == 0; },
                  240000);
        finalStatus = dialog->StatusBar1->GetSimpleText();
        SaveScreenshot(wnd, "long-work-compare-all-books");
        Click(wnd, "&OK");
      },
      300000);
  EXPECT_EQ(finalStatus, "Ready comparing all books - 59043 changes");
  EXPECT_EQ(dialog->CompareUzurUvadEdit->GetItemCount(), 87458);
  EXPECT_EQ(CompareDocumentPrint(dialog.get()), "a2581adece81e6e3");
}

TEST_F(LongWorkTest, TheNamesOfTheWholeKjvAreTheNamesTheyWere) {
  WriteKjvBooks({}, false);
  std::unique_ptr<TNamesListDlg> dialog(new TNamesListDlg(nullptr));
  std::string status;
  Fingerprint print;
  Integer count = 0;
  RunModal(
      dialog.get(),
      [&](HWND wnd) {
        Click(wnd, "&New names");
        PumpUntil([&] { return dialog->StatusBar1->GetSimpleText().find("new names found") != std::string::npos; },
                  120000);
        status = dialog->StatusBar1->GetSimpleText();
        tools_testing::AddLines(print, dialog->ListBoxNew->GetItems());
        count = dialog->ListBoxNew->GetItems()->GetCount();
        Click(wnd, "&Cancel");
      },
      150000);
  EXPECT_EQ(status, "3194 new names found");
  EXPECT_EQ(count, 3194);
  EXPECT_EQ(print.Hex(), "c230ba15779fce0a");
}

TEST_F(LongWorkTest, TheWholeKjvBecomesTheImportTextItBecame) {
  WriteKjvBooks({}, false);
  std::unique_ptr<TSFMToBibleWorksDlg> dialog(new TSFMToBibleWorksDlg(nullptr));
  Fingerprint print;
  Integer count = 0;
  RunModal(
      dialog.get(),
      [&](HWND wnd) {
        Choose(dialog->VersionsComboBox, dialog->VersionsComboBox->GetItems()->IndexOf("Test Project"));
        Click(wnd, "&Convert");
        PumpUntil([&] { return dialog->StatusBar1->GetSimpleText() == "Ready"; }, 120000);
        for (const std::string& line : TextOf(dialog->UzurUvadEdit1)) print.Add(line);
        count = dialog->UzurUvadEdit1->GetItemCount();
        SaveScreenshot(wnd, "long-work-bibleworks");
        Click(wnd, "Close");
      },
      150000);
  EXPECT_EQ(count, 31102);
  EXPECT_EQ(print.Hex(), "01281275dfeb9562");
}

// The notes file of the whole KJV (every verse a note) is the one the export makes of the books
// in one go; the dates of each run are its own, one second apart.
TEST_F(LongWorkTest, TheWholeKjvBecomesTheNotesFileItBecame) {
  WriteKjvBooks({}, false);
  std::unique_ptr<TTNEConvertDialog> dialog(new TTNEConvertDialog(nullptr));
  std::string status;
  RunModal(
      dialog.get(),
      [&](HWND wnd) {
        Choose(dialog->VersionsComboBox, dialog->VersionsComboBox->GetItems()->IndexOf("Test Project"));
        Click(wnd, "&Convert");
        PumpUntil([&] { return dialog->StatusBar1->GetSimpleText().rfind("Number of notes", 0) == 0; }, 120000);
        status = dialog->StatusBar1->GetSimpleText();
        PressKey(VK_ESCAPE);
      },
      150000);
  std::unique_ptr<TScripture> books(new TScripture(nullptr, -1));
  SYSTEMTIME start{};
  start.wYear = 2024;
  start.wMonth = 1;
  start.wDay = 1;
  TTNEExport expected({}, start);
  for (Integer i = 0; i < books->BookFiles->GetCount(); ++i)
    expected.AddBook(books->BookIds->GetStrings(i), SplitTextLines(testing_support::ReadFileBytes(books->BookFiles->GetStrings(i))));
  const TextLines want = expected.Finish();
  // The dates aside, line for line the same.
  auto undated = [](const TextLines& lines) {
    std::vector<std::string> out;
    for (const AnsiString& line : lines)
      out.push_back(line.find("Date>") != AnsiString::npos ? line.substr(0, line.find('>') + 1) : std::string(line));
    return out;
  };
  EXPECT_EQ(status, "Number of notes converted: " + std::to_string(expected.NoteCount()));
  ASSERT_EQ(dialog->Output.size(), want.size());
  EXPECT_TRUE(undated(dialog->Output) == undated(want));
}

}  // namespace
