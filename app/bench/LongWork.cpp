// How long the tool windows go without answering during their long work on a whole Bible (a copy
// of the KJV of the shared data): "Compare all books" against a very different earlier version
// (every verse with the text of the verse seven lines on, as another translation chosen by mistake)
// and against itself, New names, the notes export and the conversion to BibleWorks. Each window is
// shown and its work started as a click does; another thread sends the window a message every
// 5 ms and times how long each takes to be answered. Printed per work: the time in all, the
// longest time without an answer, and the size of the result.
//   scripts/wine-env.sh build wine build/bin/app_long_work_bench.exe
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/Compare.h"
#include "app/NamesList.h"
#include "app/SFMToBibleWorksUnit.h"
#include "app/TNEConvertUnit.h"
#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "core/CheckPunctuation.h"
#include "core/FontTable.h"
#include "core/MyRegistry.h"
#include "core/ProgramFolderUnit.h"
#include "core/StyleSheetUnit.h"
#include "core/Utilities.h"
#include "richtext/edit/UVEdit.h"
#include "tests/support/TestSupport.h"
#include "tools/tests/support/DifferentVersions.h"

namespace {

double Milliseconds() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Sends WM_NULL to the window every 5 ms from a thread of its own; the longest time one took.
class AnswerProbe {
public:
  explicit AnswerProbe(HWND window) : window_(window), thread_([this] { Run(); }) {}
  ~AnswerProbe() { Stop(); }
  // The window's thread answers the probe's last message while it waits for the probe to end.
  double Stop() {
    stop_ = true;
    while (!ended_) {
      Application->ProcessMessages();
      Sleep(1);
    }
    if (thread_.joinable()) thread_.join();
    return longest_;
  }

private:
  void Run() {
    while (!stop_) {
      const double sent = Milliseconds();
      DWORD_PTR result = 0;
      SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &result);
      longest_ = std::max(longest_, Milliseconds() - sent);
      Sleep(5);
    }
    ended_ = true;
  }
  HWND window_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  double longest_ = 0;
  std::thread thread_;
};

// Lets the window's thread handle its messages until `done`, waiting for them in between.
bool LoopUntil(const std::function<bool()>& done, double timeoutMs) {
  const double start = Milliseconds();
  while (!done()) {
    if (Milliseconds() - start > timeoutMs) return false;
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void Choose(TComboBox* box, int index) {
  HWND combo = box->GetHandle();
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

HWND ButtonOf(TForm* form, const char* caption) {
  HWND found = nullptr;
  struct Search {
    const char* caption;
    HWND* found;
  } search{caption, &found};
  EnumChildWindows(
      form->GetHandle(),
      [](HWND wnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        char text[256] = {};
        GetWindowTextA(wnd, text, sizeof text);
        if (std::string(text) != s->caption) return TRUE;
        *s->found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return found;
}

// Shows the window, starts its work with `start`, lets it run until `done`, and prints the figures.
void Measure(const char* name, TForm* form, const std::function<void()>& start, const std::function<bool()>& done,
             const std::function<std::string()> result) {
  form->Show();
  LoopUntil([] { return false; }, 300);
  const double begun = Milliseconds();
  double longest = 0;
  bool finished = false;
  {
    AnswerProbe probe(form->GetHandle());
    start();
    finished = LoopUntil(done, 900000);
    longest = probe.Stop();
  }
  const double seconds = (Milliseconds() - begun) / 1000.0;
  std::printf("%-44s %8.2f s in all, longest without an answer %8.3f s%s; %s\n", name, seconds, longest / 1000.0,
              finished ? "" : " (not finished)", result().c_str());
  form->Hide();
}

std::string Status(TStatusBar* bar) { return bar->GetSimpleText(); }

}  // namespace

int main() {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string source = testing_support::KjvDataFolder();
  if (source.empty()) {
    std::fprintf(stderr, "the KJV project of the shared data was not found (set PELORIN_KJV)\n");
    return 2;
  }
  testing_support::IsolatedRegistry registry;
  testing_support::TempFolder temp;
  const std::string projects = temp.Path() + "Projects\\";
  testing_support::CopyKjvProject(source, projects);
  // The earlier version: every book with the text of each verse taken from the verse seven on.
  CreateDirectoryA((projects + "EAR").c_str(), nullptr);
  std::string ssf = testing_support::ReadFileBytes(projects + "KJV.ssf");
  for (auto [from, to] : {std::pair<std::string, std::string>{projects + "KJV<", projects + "EAR<"},
                          {"King James Version", "Earlier Version"},
                          {"<Name>KJV", "<Name>EAR"},
                          {"KJV.SFM", "EAR.SFM"}}) {
    for (std::size_t at; (at = ssf.find(from)) != std::string::npos;) ssf.replace(at, from.size(), to);
  }
  testing_support::WriteFileBytes(projects + "EAR.ssf", ssf);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((projects + "KJV\\*.SFM").c_str(), &found);
  do {
    const std::string name = found.cFileName;
    std::unique_ptr<TStringList> book(new TStringList());
    book->LoadFromFile(projects + "KJV\\" + name);
    std::vector<std::string> lines;
    for (Integer i = 0; i < book->GetCount(); ++i) lines.push_back(book->GetStrings(i));
    std::string bytes;
    for (const std::string& line : tools_testing::ShiftVerseTexts(lines, 7)) bytes += line + "\r\n";
    testing_support::WriteFileBytes(projects + "EAR\\" + name.substr(0, 5) + "EAR.SFM", bytes);
  } while (FindNextFileA(search, &found));
  FindClose(search);

  InitializeMyRegistry();
  MyReg->SetParatextProjectsFolder(projects);
  MyReg->SetCurrentProject("King James Version");
  InitializeStyleSheet();
  ProgramFolder = temp.Path();
  WriteDefaultBrackets(ProgramFolder);
  LoadCheckSettings();
  Fonts = DefaultFontTable();
  WriteSettingString("Date format", "yyyy-mm-dd");

  for (const char* earlier : {"Earlier Version", "King James Version"}) {
    MyReg->SetCompareEarlierVersion(earlier);
    std::unique_ptr<TCompareDlg> dialog(new TCompareDlg(nullptr));
    const std::string name = std::string("Compare all books with ") +
                             (earlier == std::string("Earlier Version") ? "a very different version" : "itself");
    Measure(
        name.c_str(), dialog.get(),
        [&] { Choose(dialog->FilenamesComboBox, dialog->FilenamesComboBox->GetItems()->GetCount() - 1); },
        [&] { return Status(dialog->StatusBar1).rfind("Ready comparing all books", 0) == 0; },
        [&] {
          return Status(dialog->StatusBar1) + ", " + std::to_string(dialog->CompareUzurUvadEdit->GetItemCount()) +
                 " items";
        });
  }
  {
    std::unique_ptr<TNamesListDlg> dialog(new TNamesListDlg(nullptr));
    Measure(
        "New names", dialog.get(), [&] { PostMessageA(ButtonOf(dialog.get(), "&New names"), BM_CLICK, 0, 0); },
        [&] { return Status(dialog->StatusBar1).find("new names found") != std::string::npos; },
        [&] { return Status(dialog->StatusBar1); });
  }
  {
    std::unique_ptr<TTNEConvertDialog> dialog(new TTNEConvertDialog(nullptr));
    Measure(
        "Notes export", dialog.get(),
        [&] {
          Choose(dialog->VersionsComboBox, dialog->VersionsComboBox->GetItems()->IndexOf("King James Version"));
          PostMessageA(ButtonOf(dialog.get(), "&Convert"), BM_CLICK, 0, 0);
        },
        [&] { return Status(dialog->StatusBar1).rfind("Number of notes", 0) == 0; },
        [&] { return Status(dialog->StatusBar1) + ", " + std::to_string(dialog->Output.size()) + " lines"; });
  }
  {
    std::unique_ptr<TSFMToBibleWorksDlg> dialog(new TSFMToBibleWorksDlg(nullptr));
    Measure(
        "Conversion to BibleWorks", dialog.get(),
        [&] {
          Choose(dialog->VersionsComboBox, dialog->VersionsComboBox->GetItems()->IndexOf("King James Version"));
          PostMessageA(ButtonOf(dialog.get(), "&Convert"), BM_CLICK, 0, 0);
        },
        [&] { return Status(dialog->StatusBar1) == "Ready"; },
        [&] { return std::to_string(dialog->UzurUvadEdit1->GetItemCount()) + " lines"; });
  }
  FinalizeStyleSheet();
  FinalizeMyRegistry();
  return 0;
}
