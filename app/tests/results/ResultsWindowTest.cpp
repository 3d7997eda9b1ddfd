// The results list window: each kind of list it shows, what it takes from the settings when it is
// made, single line spacing, copying, sending the list to Paratext and saving it as RTF and text,
// driven through its menu and keys.
#include <memory>
#include <string>

#include "app/tests/results/ResultsSupport.h"
#include "classlib/Clipbrd.h"
#include "classlib/Registry.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/FocusLink.h"
#include "core/FontTable.h"
#include "richtext/core/UVWindowless.h"

namespace {

using namespace results_testing;
using namespace dialog_testing;
using testing_support::PressDialogButton;
using testing_support::ReadFileBytes;
using testing_support::SaveScreenshot;
using testing_support::WriteFileBytes;

// UVF of a document with paragraphs in a style sheet of its own.
std::string UvfOf(const Lines& paragraphs) {
  TUVStyle style(nullptr);
  TUVWindowlessData document(&style);
  for (const std::string& p : paragraphs) document.AddNL(p, 0, 0);
  TMemoryStream stream;
  document.SaveUVFToStream(&stream, false, clNone, nullptr, nullptr);
  return std::string(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
}

void Fill(TMemoryStream* stream, const std::string& bytes) {
  stream->Clear();
  stream->Write(bytes.data(), static_cast<Integer>(bytes.size()));
}

class ResultsWindowTest : public ResultsTest {};

TEST_F(ResultsWindowTest, EachKindOfListIsShownAndOffersItsTools) {
  const Lines references = {"GEN 1:3 Punctuation: \"..\"", "EXO 2:4 Word repeated: the the"};
  struct Row {
    const char* Name;
    Integer Kind;
    bool ReferenceFile;  // "pelorin.ref" is there
    Lines Source;        // lines of the source list
    std::string Stream;  // bytes of the source stream
    Lines Shown;
    bool Transfer, Verses, Changes;
  } rows[] = {
      {"references with the verse tool", lkReferenceFile, true, {}, "", references, true, true, false},
      {"references missing", lkReferenceFile, false, {}, "", {}, true, true, false},
      {"references only", lkReferenceFileOnly, true, {}, "", references, true, false, false},
      {"a word list", lkLines, false, {"Abimelech", "", "caf\xe9"}, "", {"Abimelech", "", "caf\xe9"}, false, false, false},
      {"an empty word list", lkLines, false, {}, "", {}, false, false, false},
      {"comparison output", lkUVF, false, {}, UvfOf({"\\v 1 In the beginning", "\\v 2 And"}),
       {"\\v 1 In the beginning", "\\v 2 And"}, false, false, true},
      {"RTF", lkRTF, false, {}, "{\\rtf1\\ansi\\ansicpg1252 Na\\'efve text\\par Second}", {"Na\xefve text", "Second"},
       false, false, false},
  };
  for (const Row& r : rows) {
    if (r.ReferenceFile)
      WriteReferenceFile(references);
    else
      DeleteFile(ReferenceFile());
    auto dialog = Make();
    for (const std::string& line : r.Source) dialog->SourceList->Add(line);
    Fill(dialog->SourceStream, r.Stream);
    dialog->ShowList(r.Kind);
    EXPECT_EQ(Paragraphs(dialog->UzurUvadEdit1), r.Shown) << r.Name;
    EXPECT_EQ(Enabled(dialog.get(), "TransfertoParatext1"), r.Transfer) << r.Name;
    EXPECT_EQ(Enabled(dialog.get(), "AddVerseText1"), r.Verses) << r.Name;
    EXPECT_EQ(Enabled(dialog.get(), "ShowOnlyChanges1"), r.Changes) << r.Name;
    EXPECT_FALSE(Enabled(dialog.get(), "ShowWithoutValidTranslation1")) << r.Name;
  }
}

TEST_F(ResultsWindowTest, TheDateTheFontAndTheLineSpacingComeFromTheSettings) {
  Fonts[fiNormalText] = TFontRecord{"Courier New", 14, clMaroon, TFontStyles{fsItalic}};
  struct Row {
    const char* IncludeDate;
    const char* DateFormat;
    const char* LineSpacing;
    std::string Date;
    Integer Spacing;
    bool SingleSpacingOffered;
  } rows[] = {
      {"T", "yyyy-mm-dd", "150", std::string(FormatDateTime("yyyy-mm-dd", Date())), 150, true},
      {"F", "yyyy-mm-dd", "100", "", 100, false},
      {"t", "d mmm yyyy", "80", "", 80, true},
      {"T", "d mmm yyyy", "", std::string(FormatDateTime("d mmm yyyy", Date())), 100, false},
  };
  for (const Row& r : rows) {
    WriteSettingString("Include date", r.IncludeDate);
    WriteSettingString("Date format", r.DateFormat);
    WriteSettingString("Line spacing", r.LineSpacing);
    auto dialog = Make();
    EXPECT_EQ(dialog->DateText, r.Date) << r.IncludeDate << " " << r.DateFormat;
    TParaInfos* paragraphs = dialog->UVStyle1->GetParaStyles();
    for (Integer i = 0; i < paragraphs->GetCount(); ++i)
      EXPECT_EQ(paragraphs->GetItem(i)->LineSpacing, r.Spacing) << r.LineSpacing << " paragraph style " << i;
    EXPECT_EQ(Enabled(dialog.get(), "SingleLineSpacing1"), r.SingleSpacingOffered) << r.LineSpacing;
    TFontInfo* text = dialog->UVStyle1->GetTextStyles()->GetItem(0);
    EXPECT_EQ(text->FontName, "Courier New");
    EXPECT_EQ(text->Size, 14);
    EXPECT_EQ(text->Color, clMaroon);
    EXPECT_EQ(text->Style, TFontStyles{fsItalic});
  }
}

TEST_F(ResultsWindowTest, SingleLineSpacingIsCheckedAndUncheckedFromTheMenu) {
  WriteSettingString("Line spacing", "150");
  auto dialog = Make();
  dialog->SourceList->Add("one");
  dialog->ShowList(lkLines);
  TParaInfo* paragraph = dialog->UVStyle1->GetParaStyles()->GetItem(0);
  TMenuItem* item = dialog->SingleLineSpacing1;
  RunModal(dialog.get(), [&](HWND) {
    const Integer spaced = dialog->UzurUvadEdit1->GetDocumentHeight();
    Command(dialog.get(), "SingleLineSpacing1");
    EXPECT_TRUE(item->GetChecked());
    EXPECT_EQ(paragraph->LineSpacing, 100);
    EXPECT_LT(dialog->UzurUvadEdit1->GetDocumentHeight(), spaced) << "formatted again";
    Command(dialog.get(), "SingleLineSpacing1");
    EXPECT_FALSE(item->GetChecked());
    EXPECT_EQ(paragraph->LineSpacing, 150);
    EXPECT_EQ(dialog->UzurUvadEdit1->GetDocumentHeight(), spaced);
    Command(dialog.get(), "Exit1");
  });
}

TEST_F(ResultsWindowTest, TheListIsReadSelectedAndCopiedWithTheKeyboard) {
  auto dialog = Make();
  for (const char* line : {"Abimelech", "Bathsheba", "Zerubbabel"}) dialog->SourceList->Add(line);
  dialog->ShowList(lkLines);
  bool focused = false, copyBefore = true, copyAfter = false, cut = true, paste = true;
  Clipboard()->SetAsText("nothing yet");
  auto* edit = static_cast<TMenuItem*>(dialog->FindComponent("Edit1"));
  auto openEditMenu = [&] {
    SendMessageA(dialog->GetHandle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit->GetHandle()), MAKELPARAM(1, FALSE));
  };
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    focused = GetFocus() == dialog->UzurUvadEdit1->GetHandle();
    openEditMenu();
    copyBefore = dialog->Copy1->GetEnabled();
    SendKeyEvents({{VK_CONTROL, false}, {'A', false}, {'A', true}, {VK_CONTROL, true}});
    ProcessFor(100);
    openEditMenu();
    copyAfter = dialog->Copy1->GetEnabled();
    cut = dialog->Cut1->GetEnabled();
    paste = dialog->Paste1->GetEnabled();
    SendKeyEvents({{VK_CONTROL, false}, {'C', false}, {'C', true}, {VK_CONTROL, true}});
    ProcessFor(100);
    SaveScreenshot(wnd, "results-list-selected");
    // Alt+F opens File, X chooses E&xit: queued together, since the menu runs a loop of its own.
    SendKeyEvents({{VK_MENU, false}, {'F', false}, {'F', true}, {VK_MENU, true}, {'X', false}, {'X', true}});
    ProcessFor(200);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_TRUE(focused);
  EXPECT_FALSE(copyBefore);
  EXPECT_TRUE(copyAfter);
  EXPECT_FALSE(cut) << "the list is read-only";
  EXPECT_FALSE(paste) << "the list is read-only";
  EXPECT_EQ(std::string(Clipboard()->GetAsText()), "Abimelech\r\nBathsheba\r\nZerubbabel");
}

TEST_F(ResultsWindowTest, TransferSendsTheReferenceFileToParatext) {
  const Lines lines = {"MAT 5:3 Spelling: blesed", "Summary of the run", "MRK 1:1 Punctuation: ,,"};
  auto dialog = Make("Mechanical proofreading errors of all books");
  RunModal(dialog.get(), [&](HWND) {
    StatusRecorder status(dialog->StatusBar1);
    dialog->ShowList(lkReferenceFile);
    Command(dialog.get(), "TransfertoParatext1");
    EXPECT_EQ(status.Texts, Lines{"File " + ReferenceFile() + " does not exist"});

    WriteReferenceFile(lines);
    dialog->ShowList(lkReferenceFile);
    SendKeyEvents({{VK_CONTROL, false}, {'T', false}, {'T', true}, {VK_CONTROL, true}});
    ProcessFor(150);
    EXPECT_EQ(status.Texts.back(), "Transferred to Paratext");
    Command(dialog.get(), "Exit1");
  });
  std::unique_ptr<TStringList> sent(new TStringList());
  for (const std::string& line : lines) sent->Add(line);
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKeyReadOnly(FocusReferenceListKey));
  EXPECT_EQ(std::string(registry.ReadString("")), std::string(FocusReferenceListText(sent.get())));
}

TEST_F(ResultsWindowTest, SavingWritesRtfTextOrUnicodeTextAsTheFilterSays) {
  auto dialog = Make();
  for (const char* line : {"caf\xe9 na\xefve", "\xc5ngstr\xf6m"}) dialog->SourceList->Add(line);
  dialog->ShowList(lkLines);
  struct Row {
    Integer Filter;
    const char* File;
    std::string Expected;  // the whole file, or for RTF a piece of it
  } rows[] = {
      {1, "list.rtf", "caf\\'e9 na\\'efve"},
      {2, "list.txt", "caf\xe9 na\xefve\r\n\xc5ngstr\xf6m"},
      // UTF-16 without a byte-order mark, as the text writer writes it.
      {3, "unicode.txt", std::string("c\0a\0f\0\xe9\0 \0n\0a\0\xef\0v\0e\0\r\0\n\0\xc5\0n\0g\0s\0t\0r\0\xf6\0m\0", 40)},
  };
  for (const Row& r : rows) {
    SaveResponder user(temp_.File(r.File), r.Filter);
    Command(dialog.get(), "Save1");
    EXPECT_EQ(user.Shown, 1);
    EXPECT_EQ(user.Title, "Save");
    EXPECT_EQ(user.Filter, "RTF Files (*.rtf)|*.rtf|Text (*.txt)|*.txt|Unicode Text (*.txt)|*.txt|");
    EXPECT_EQ(user.DefaultExt, "rtf");
    EXPECT_TRUE(user.OverwritePrompt);
    const std::string saved = ReadFileBytes(temp_.File(r.File));
    if (r.Filter == 1) {
      EXPECT_EQ(saved.rfind("{\\rtf1", 0), 0u) << saved;
      EXPECT_NE(saved.find(r.Expected), std::string::npos) << saved;
      EXPECT_NE(saved.find("\\'c5ngstr\\'f6m"), std::string::npos) << saved;
    } else {
      // Lines are ended as the text writer ends them; the last one may or may not be.
      EXPECT_EQ(saved.substr(0, r.Expected.size()), r.Expected) << r.File;
    }
  }
}

TEST_F(ResultsWindowTest, AFileThatCannotBeWrittenIsReported) {
  auto dialog = Make();
  dialog->SourceList->Add("Abimelech");
  dialog->ShowList(lkLines);
  std::string text;
  WindowWatch box("Error", [&](HWND wnd) {
    text = TextOf(GetDlgItem(wnd, 0xFFFF));
    PressDialogButton(wnd, IDOK);
  });
  SaveResponder user(temp_.File("no such folder\\list.rtf"), 1);
  Command(dialog.get(), "Save1");
  EXPECT_TRUE(box.Done());
  EXPECT_EQ(text, "Error during saving");
  EXPECT_FALSE(FileExists(temp_.File("no such folder\\list.rtf")));
}

}  // namespace
