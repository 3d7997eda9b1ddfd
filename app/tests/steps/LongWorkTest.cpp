// Long work of the tool windows over whole books of the KJV: comparing all books with a very
// different earlier version, the names of the whole Bible, and the conversions to BibleWorks and
// to the notes editor. The results stay byte for byte what they were (fingerprints taken from
// the windows as they were first written).
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Compare.h"
#include "app/NamesList.h"
#include "app/SFMToBibleWorksUnit.h"
#include "app/TNEConvertUnit.h"
#include "app/tests/compare/CompareDialogsSupport.h"
#include "app/tests/support/DialogDriver.h"
#include "app/tests/support/StatusRecorder.h"
#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/Timers.h"
#include "core/ScripturesUnit.h"
#include "richtext/core/UzurUvad.h"
#include "richtext/edit/UVEdit.h"
#include "tools/DynamicCompareUnit.h"
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

// Watches a window's work from the window's own message loop, as a user's input arrives between
// the steps of the work: a timer of the test's thread (every 10 ms) counts its ticks served while
// `working` says the work runs, does `EachTick` then, and once the work is done does `WhenDone`. A
// window whose work holds the thread serves no tick while it works. The watch only looks: a state
// that passes (a book being worked on) may pass between two of its ticks, so the tests act on such
// a state from the work's own step (StatusTrigger), not from a tick.
class WorkWatch {
public:
  explicit WorkWatch(std::function<bool()> working) : working_(std::move(working)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
      if (current_) current_->Tick();
    });
  }
  ~WorkWatch() {
    KillTimer(nullptr, timer_);
    if (current_ == this) current_ = nullptr;
  }
  std::function<void()> EachTick;
  std::function<void()> WhenDone;
  int Served = 0;
  bool Done = false;

private:
  void Tick() {
    if (Done) return;
    if (!working_()) {
      Done = true;
      if (WhenDone) WhenDone();
      return;
    }
    ++Served;
    if (EachTick) EachTick();
  }
  static inline WorkWatch* current_ = nullptr;
  std::function<bool()> working_;
  UINT_PTR timer_ = 0;
};

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// A conversion's status once it converts a book after the first.
bool PastGenesis(const std::string& status) { return StartsWith(status, "Converting ") && status != "Converting Genesis"; }

// Acts from inside the work's own step, the moment the status bar is given the text the test
// waits for: `Act` runs there, once, before the step goes on. What a user does at that moment (a
// click, a key) goes into the system's input queue; the step ends once it sees input waiting, and
// the input is served before the next step. So the state the test acts on lasts until its input
// has been served, on a machine that does all the work between two ticks of a timer as on a slow
// one. Act must not run a message loop of its own: it runs in the middle of the step.
class StatusTrigger {
public:
  StatusTrigger(TStatusBar* bar, std::function<bool(const std::string&)> when, std::function<void()> act)
      : bar_(bar), old_(bar->WindowProc), when_(std::move(when)), act_(std::move(act)) {
    bar_->WindowProc = TWndMethod::FromFunction([this](TMessage& message) {
      old_(message);
      if (message.Msg != SB_SETTEXTA || Acted || !when_(reinterpret_cast<const char*>(message.LParam))) return;
      Acted = true;
      act_();
    });
  }
  ~StatusTrigger() { bar_->WindowProc = old_; }
  StatusTrigger(const StatusTrigger&) = delete;
  StatusTrigger& operator=(const StatusTrigger&) = delete;
  bool Acted = false;

private:
  TStatusBar* bar_;
  TWndMethod old_;
  std::function<bool(const std::string&)> when_;
  std::function<void()> act_;
};

// A key the test presses while the work runs (Shift, which does nothing in these windows), and
// whether the window's thread took it out of its queue while `working` said the work still ran:
// the window answers its user while it works.
class KeyWhileWorking {
public:
  explicit KeyWhileWorking(std::function<bool()> working) : working_(std::move(working)) {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_GETMESSAGE, &Taken, nullptr, GetCurrentThreadId());
  }
  ~KeyWhileWorking() {
    UnhookWindowsHookEx(hook_);
    if (current_ == this) current_ = nullptr;
  }
  KeyWhileWorking(const KeyWhileWorking&) = delete;
  KeyWhileWorking& operator=(const KeyWhileWorking&) = delete;
  // Into the system's input queue; it is served from the window's message loop.
  void Press() {
    dialog_testing::SendKeyEvents({{VK_SHIFT, false}, {VK_SHIFT, true}});
    Pressed = true;
  }
  bool Pressed = false;
  bool Served = false;
  bool ServedWhileWorking = false;

private:
  static LRESULT CALLBACK Taken(int code, WPARAM removed, LPARAM message) {
    const MSG* msg = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removed == PM_REMOVE && current_ && current_->Pressed && !current_->Served &&
        msg->message == WM_KEYDOWN && msg->wParam == VK_SHIFT) {
      current_->Served = true;
      current_->ServedWhileWorking = current_->working_();
    }
    return CallNextHookEx(nullptr, code, removed, message);
  }
  static inline KeyWhileWorking* current_ = nullptr;
  std::function<bool()> working_;
  HHOOK hook_ = nullptr;
};

// Clicks the button with the mouse, through the system's input queue, without waiting for it to
// be served.
void ClickWithMouse(HWND dialog, const std::string& caption) {
  HWND button = Child(dialog, caption);
  ASSERT_TRUE(button) << caption;
  RECT r{};
  GetClientRect(button, &r);
  testing_support::MouseClick(button, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// "&Find differences" for a whole book against a very different version: the dialog serves its
// messages while it compares, with the button that would start another comparison disabled, shows
// the chapters it is at, and gives the result the comparison in one go gives, laid out as a layout
// of the whole result lays it out.
TEST_F(LongWorkTest, FindDifferencesAnswersWhileItComparesABook) {
  WriteKjvBooks({"MRK"}, true);
  MyReg->SetCompareBook("Mark");
  MyReg->SetCompareEarlierVersion("Earlier Project");
  std::unique_ptr<TCompareDlg> dialog(new TCompareDlg(nullptr));
  std::unique_ptr<app_testing::StatusRecorder> recorder;
  std::unique_ptr<WorkWatch> watch;
  bool buttonOn = true, buttonOnAfter = false;
  Lines statuses;
  RunModal(
      dialog.get(),
      [&](HWND wnd) {
        recorder.reset(new app_testing::StatusRecorder(dialog->StatusBar1));
        Click(wnd, "&Find differences");
        watch.reset(new WorkWatch([&] { return !StartsWith(dialog->StatusBar1->GetSimpleText(), "Ready"); }));
        watch->EachTick = [&] { buttonOn = buttonOn && IsWindowEnabled(dialog->DiffBtn->GetHandle()); };
        watch->WhenDone = [&, wnd] {
          statuses = recorder->Texts;
          buttonOnAfter = IsWindowEnabled(dialog->DiffBtn->GetHandle());
          SaveScreenshot(wnd, "long-work-find-differences");
          Click(wnd, "&OK");
        };
      },
      150000);
  ASSERT_TRUE(watch);
  EXPECT_GT(watch->Served, 0);
  EXPECT_FALSE(buttonOn);
  EXPECT_TRUE(buttonOnAfter);
  ASSERT_FALSE(statuses.empty());
  EXPECT_EQ(statuses.front(), "Starting");
  EXPECT_TRUE(std::find(statuses.begin(), statuses.end(), "Chapter 16") != statuses.end());
  EXPECT_EQ(statuses.back(), "Ready - " + std::to_string(dialog->ChangeCount) + " changes");
  recorder.reset();

  std::unique_ptr<VUzurUvad> expected(new VUzurUvad(nullptr));
  std::unique_ptr<TStringList> positions(new TStringList());
  const Integer count = CompareVersionTexts(BookPath("MRK"), Projects() + "EAR\\MRKEAR.SFM", positions.get(),
                                            expected.get(), nullptr);
  EXPECT_EQ(dialog->ChangeCount, count);
  Fingerprint want, got;
  tools_testing::AddDocument(want, expected->GetUVData());
  TCustomUVData* document = dialog->CompareUzurUvadEdit->GetUVData();
  // The header (ten items) and the closing lines (three) aside.
  for (Integer i = 10; i < document->GetItemCount() - 3; ++i) {
    got.Add(document->IsParaStart(i) ? "P" : "-");
    got.Add(std::to_string(document->GetItemStyle(i)));
    got.Add(document->GetItemText(i));
  }
  EXPECT_EQ(got.Hex(), want.Hex());
  VUzurUvadEdit* editor = dialog->CompareUzurUvadEdit;
  auto layout = [editor] {
    std::vector<std::pair<Integer, Integer>> places;
    for (Integer i = 0; i < editor->GetItemCount(); i += 97) {
      Integer left = 0, top = 0;
      editor->GetItemCoords(i, left, top);
      places.emplace_back(left, top);
    }
    places.emplace_back(editor->GetDocumentHeight(), editor->GetItemCount());
    return places;
  };
  const auto laidOut = layout();
  editor->Format();
  EXPECT_TRUE(laidOut == layout());
}

// Closing the dialog while all books are compared stops the run: nothing goes on in the
// background, and the book chosen before stays stored.
TEST_F(LongWorkTest, ClosingDuringCompareAllBooksStopsIt) {
  WriteKjvBooks({"RUT", "JON", "MRK"}, true);
  MyReg->SetCompareBook("Jonah");
  MyReg->SetCompareEarlierVersion("Earlier Project");
  std::unique_ptr<TCompareDlg> dialog(new TCompareDlg(nullptr));
  std::unique_ptr<WorkWatch> watch;
  std::unique_ptr<StatusTrigger> trigger;
  bool buttonOn = true;
  RunModal(
      dialog.get(),
      [&](HWND wnd) {
        // Closed while Mark, the third book, is compared: once the bar shows its first chapter (the
        // bar takes a chapter's text at most every 100 ms, so later chapters may not show).
        trigger.reset(new StatusTrigger(
            dialog->StatusBar1,
            [&](const std::string& status) {
              return StartsWith(status, "Chapter ") && dialog->FilenamesComboBox->GetItemIndex() == 2;
            },
            [&, wnd] {
              buttonOn = IsWindowEnabled(dialog->DiffBtn->GetHandle());
              ClickWithMouse(wnd, "&OK");
            }));
        Choose(dialog->FilenamesComboBox, dialog->FilenamesComboBox->GetItems()->GetCount() - 1);
        watch.reset(new WorkWatch([&] { return !StartsWith(dialog->StatusBar1->GetSimpleText(), "Ready comparing"); }));
      },
      120000);
  ASSERT_TRUE(watch);
  ASSERT_TRUE(trigger);
  EXPECT_TRUE(trigger->Acted);
  EXPECT_FALSE(buttonOn);
  const Integer items = dialog->CompareUzurUvadEdit->GetItemCount();
  ProcessFor(500);
  EXPECT_FALSE(watch->Done);
  EXPECT_EQ(dialog->CompareUzurUvadEdit->GetItemCount(), items);
  EXPECT_FALSE(dialog->AllTimer->GetEnabled());
  EXPECT_EQ(MyReg->GetCompareBook(), "Jonah");
}

// New names over the whole KJV: the dialog serves its messages while it reads the books, with the
// buttons that would start another search disabled, and shows each book; cancelling half-way
// leaves the lists and their files as they were.
TEST_F(LongWorkTest, NewNamesAnswersWhileItSearchesAndCancelLeavesTheLists) {
  WriteKjvBooks({}, false);
  testing_support::WriteFileBytes(WorkFolder() + "ApprovedNames.txt", "Aaron\r\nNobody\r\n");
  std::unique_ptr<TNamesListDlg> dialog(new TNamesListDlg(nullptr));
  std::unique_ptr<app_testing::StatusRecorder> recorder;
  std::unique_ptr<WorkWatch> watch;
  std::unique_ptr<StatusTrigger> trigger;
  auto searching = [&] { return dialog->StatusBar1->GetSimpleText().find("new names") == std::string::npos; };
  KeyWhileWorking key(searching);
  bool buttonOn = true, buttonOnAfter = false;
  Lines statuses;
  RunModal(
      dialog.get(),
      [&](HWND wnd) {
        recorder.reset(new app_testing::StatusRecorder(dialog->StatusBar1));
        // A key pressed once Genesis is read is served while the search goes on.
        trigger.reset(new StatusTrigger(
            dialog->StatusBar1, [](const std::string& status) { return status == "Exodus"; },
            [&, wnd] {
              buttonOn = IsWindowEnabled(Child(wnd, "&New names"));
              key.Press();
            }));
        Click(wnd, "&New names");
        watch.reset(new WorkWatch(searching));
        watch->EachTick = [&, wnd] { buttonOn = buttonOn && IsWindowEnabled(Child(wnd, "&New names")); };
        watch->WhenDone = [&, wnd] {
          statuses = recorder->Texts;
          buttonOnAfter = IsWindowEnabled(Child(wnd, "&New names"));
          Click(wnd, "&Cancel");
        };
      },
      150000);
  recorder.reset();
  trigger.reset();
  ASSERT_TRUE(watch);
  EXPECT_TRUE(key.Pressed);
  EXPECT_TRUE(key.ServedWhileWorking);
  EXPECT_FALSE(buttonOn);
  EXPECT_TRUE(buttonOnAfter);
  ASSERT_EQ(statuses.size(), 69u);
  EXPECT_EQ(statuses[0], "Genesis");
  EXPECT_EQ(statuses[65], "Revelation");
  EXPECT_EQ(statuses[66], "Now picking out the names...");
  EXPECT_EQ(statuses[67], "Sorting words");

  // Cancelled once Genesis is read: nothing changed.
  std::unique_ptr<TNamesListDlg> again(new TNamesListDlg(nullptr));
  RunModal(
      again.get(),
      [&](HWND wnd) {
        trigger.reset(new StatusTrigger(
            again->StatusBar1, [](const std::string& status) { return status == "Exodus"; },
            [wnd] { ClickWithMouse(wnd, "&Cancel"); }));
        Click(wnd, "&New names");
        watch.reset(new WorkWatch(
            [&] { return again->StatusBar1->GetSimpleText().find("new names") == std::string::npos; }));
      },
      120000);
  ProcessFor(300);
  ASSERT_TRUE(trigger);
  EXPECT_TRUE(trigger->Acted);
  trigger.reset();
  EXPECT_FALSE(watch->Done);
  EXPECT_EQ(again->ListBoxNew->GetItems()->GetCount(), 0);
  EXPECT_EQ(app_testing::ItemsOf(again->ListBoxApproved->GetItems()), (Lines{"Aaron", "Nobody"}));
  EXPECT_EQ(testing_support::ReadFileBytes(WorkFolder() + "ApprovedNames.txt"), "Aaron\r\nNobody\r\n");
  EXPECT_FALSE(FileExists(WorkFolder() + "DisapprovedNames.txt"));
  EXPECT_EQ(Screen->GetCursor(), crDefault);
}

// The two conversions of the whole KJV serve their messages while they run, with the buttons that
// would start another or save disabled; closing one half-way keeps what it had before and writes
// nothing.
TEST_F(LongWorkTest, ConversionsAnswerWhileTheyRunAndClosingStopsThem) {
  WriteKjvBooks({}, false);
  struct Row {
    const char* Name;
    std::function<TForm*()> Make;
    std::function<TStatusBar*(TForm*)> Bar;
    std::function<TComboBox*(TForm*)> Versions;
    std::function<bool(const std::string&)> Done;
    const char* Close;
  } rows[] = {
      {"notes", [] { return new TTNEConvertDialog(nullptr); },
       [](TForm* f) { return static_cast<TTNEConvertDialog*>(f)->StatusBar1; },
       [](TForm* f) { return static_cast<TTNEConvertDialog*>(f)->VersionsComboBox; },
       [](const std::string& s) { return StartsWith(s, "Number of notes"); }, "Close"},
      {"BibleWorks", [] { return new TSFMToBibleWorksDlg(nullptr); },
       [](TForm* f) { return static_cast<TSFMToBibleWorksDlg*>(f)->StatusBar1; },
       [](TForm* f) { return static_cast<TSFMToBibleWorksDlg*>(f)->VersionsComboBox; },
       [](const std::string& s) { return s == "Ready"; }, "Close"},
  };
  for (const Row& r : rows) {
    for (bool closeHalfWay : {false, true}) {
      std::unique_ptr<TForm> dialog(r.Make());
      TStatusBar* bar = r.Bar(dialog.get());
      std::unique_ptr<WorkWatch> watch;
      std::unique_ptr<StatusTrigger> trigger;
      KeyWhileWorking key([&] { return !r.Done(bar->GetSimpleText()); });
      bool saveOn = true;
      std::string statusBefore;
      Lines shownBefore;
      RunModal(
          dialog.get(),
          [&](HWND wnd) {
            TComboBox* versions = r.Versions(dialog.get());
            Choose(versions, versions->GetItems()->IndexOf("Test Project"));
            if (auto* bw = dynamic_cast<TSFMToBibleWorksDlg*>(dialog.get())) shownBefore = TextOf(bw->UzurUvadEdit1);
            // Once Genesis is converted: a key is served while the work goes on, or Close stops it.
            trigger.reset(new StatusTrigger(bar, PastGenesis, [&, wnd] {
              saveOn = IsWindowEnabled(Child(wnd, "&Save File"));
              if (closeHalfWay)
                ClickWithMouse(wnd, r.Close);
              else
                key.Press();
            }));
            Click(wnd, "&Convert");
            watch.reset(new WorkWatch([&] { return !r.Done(bar->GetSimpleText()); }));
            watch->EachTick = [&, wnd] { saveOn = saveOn && IsWindowEnabled(Child(wnd, "&Save File")); };
            if (!closeHalfWay) watch->WhenDone = [&, wnd] { Click(wnd, r.Close); };
          },
          150000);
      ASSERT_TRUE(watch) << r.Name;
      ASSERT_TRUE(trigger) << r.Name;
      EXPECT_TRUE(trigger->Acted) << r.Name;
      trigger.reset();
      EXPECT_FALSE(saveOn) << r.Name;
      if (!closeHalfWay) {
        EXPECT_TRUE(key.ServedWhileWorking) << r.Name;
        continue;
      }
      ProcessFor(300);
      EXPECT_FALSE(watch->Done) << r.Name;
      EXPECT_TRUE(PastGenesis(bar->GetSimpleText())) << r.Name << ": " << bar->GetSimpleText();
      if (auto* notes = dynamic_cast<TTNEConvertDialog*>(dialog.get())) EXPECT_TRUE(notes->Output.empty());
      if (auto* bw = dynamic_cast<TSFMToBibleWorksDlg*>(dialog.get())) {
        ASSERT_FALSE(shownBefore.empty());
        EXPECT_EQ(shownBefore.front(), "Available books:");
        EXPECT_EQ(TextOf(bw->UzurUvadEdit1), shownBefore);
      }
    }
  }
}

}  // namespace
