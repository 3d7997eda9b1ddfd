#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <set>

#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "syscomp/sycClasses.h"
#include "syscomp/sycFolderMonitor.h"
#include "syscomp/tests/FormReading.h"
#include "syscomp/tests/WorkerThreads.h"
#include "tests/support/TestSupport.h"

namespace {

using syscomp_tests::ThreadsSince;
using syscomp_tests::ThreadIds;
using testing_support::PumpFor;
using testing_support::PumpUntil;
using testing_support::WriteFileBytes;

// Counts the reports and notes whether each came on the main thread.
struct Reports {
  std::atomic<int> count{0};
  bool allOnMainThread = true;
  std::function<void()> extra;
  TThreadMethod Handler() {
    return TThreadMethod::FromFunction([this] {
      if (GetCurrentThreadId() != MainThreadID) allOnMainThread = false;
      ++count;
      if (extra) extra();
    });
  }
};

class FolderMonitorTest : public testing_support::IsolatedTest {
protected:
  void SetUp() override {
    folder_ = temp_.Path().substr(0, temp_.Path().size() - 1);  // no trailing backslash
    // Let threads that the system starts on first use of a notification come up before the
    // threads are counted.
    {
      TsycFolderMonitor warm(nullptr);
      warm.SetOnChange(reports_.Handler());
      warm.SetFolder(folder_);
      warm.SetActive(true);
      PumpFor(100);
    }
    PumpFor(200);
    before_ = ThreadIds();
  }

  std::unique_ptr<TsycFolderMonitor> NewMonitor(const std::string& folder) {
    auto monitor = std::make_unique<TsycFolderMonitor>(nullptr);
    monitor->SetNotifyFilters({fmfFileNameChange, fmfDirNameChange});
    monitor->SetWatchSubTree(false);
    monitor->SetFolder(folder);
    monitor->SetOnChange(reports_.Handler());
    monitor->SetActive(true);
    return monitor;
  }

  // Lets late reports of earlier changes arrive, then counts from zero.
  void Settle() {
    PumpFor(300);
    reports_.count = 0;
  }

  bool WorkersBackTo(std::size_t extra, DWORD timeoutMs = 30000) {
    return PumpUntil([&] { return ThreadsSince(before_) == extra; }, timeoutMs);
  }

  std::string folder_;
  Reports reports_;
  std::set<DWORD> before_;
};

TEST_F(FolderMonitorTest, ReportsNameChangesInTheFolderOnTheMainThread) {
  const std::string sub = temp_.File("sub");
  CreateDirectoryA(sub.c_str(), nullptr);
  WriteFileBytes(temp_.File("MAT.SFM"), "\\id MAT old");
  auto monitor = NewMonitor(folder_);

  struct Action {
    const char* name;
    std::function<void()> act;
  } actions[] = {
      {"create a file", [&] { WriteFileBytes(temp_.File("new.txt"), "x"); }},
      {"rename a file", [&] { MoveFileA(temp_.File("new.txt").c_str(), temp_.File("renamed.txt").c_str()); }},
      {"delete a file", [&] { DeleteFileA(temp_.File("renamed.txt").c_str()); }},
      {"create a folder", [&] { CreateDirectoryA(temp_.File("dir").c_str(), nullptr); }},
      {"rename a folder", [&] { MoveFileA(temp_.File("dir").c_str(), temp_.File("dir2").c_str()); }},
      {"delete a folder", [&] { RemoveDirectoryA(temp_.File("dir2").c_str()); }},
      {"save a book as Paratext does",
       [&] {
         WriteFileBytes(temp_.File("MAT.SFM.tmp"), "\\id MAT new");
         MoveFileExA(temp_.File("MAT.SFM.tmp").c_str(), temp_.File("MAT.SFM").c_str(), MOVEFILE_REPLACE_EXISTING);
       }},
  };
  for (const Action& a : actions) {
    SCOPED_TRACE(a.name);
    Settle();
    a.act();
    EXPECT_TRUE(PumpUntil([&] { return reports_.count > 0; }));
  }
  EXPECT_TRUE(reports_.allOnMainThread);

  struct Quiet {
    const char* name;
    std::function<void()> act;
  } quiet[] = {
      {"create a file in a subfolder", [&] { WriteFileBytes(sub + "\\inner.txt", "x"); }},
      {"rename a file in a subfolder",
       [&] { MoveFileA((sub + "\\inner.txt").c_str(), (sub + "\\inner2.txt").c_str()); }},
      {"write a file in place",
       [&] {
         HANDLE f = CreateFileA(temp_.File("MAT.SFM").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         DWORD written = 0;
         WriteFile(f, "changed", 7, &written, nullptr);
         CloseHandle(f);
       }},
  };
  for (const Quiet& q : quiet) {
    SCOPED_TRACE(q.name);
    Settle();
    q.act();
    PumpFor(500);
    EXPECT_EQ(reports_.count, 0);
  }
}

TEST_F(FolderMonitorTest, ReportsWhileAModalLoopRuns) {
  auto monitor = NewMonitor(folder_);
  Settle();
  static std::string tempName, finalName;
  static std::atomic<int>* count;
  static bool inModal;
  static int ticks;
  tempName = temp_.File("a.tmp");
  finalName = temp_.File("a.txt");
  count = &reports_.count;
  inModal = false;
  ticks = 0;
  bool reportedInModal = false;
  reports_.extra = [&] {
    if (inModal) reportedInModal = true;
  };
  // Inside the message box's loop: the first tick renames a file; later ticks close the box once
  // the change was reported, or after five seconds.
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    ++ticks;
    if (ticks == 1) {
      WriteFileBytes(tempName, "x");
      MoveFileA(tempName.c_str(), finalName.c_str());
    } else if (*count > 0 || ticks > 100) {
      EnumThreadWindows(
          GetCurrentThreadId(),
          [](HWND wnd, LPARAM) -> BOOL {
            char cls[32] = {};
            GetClassNameA(wnd, cls, sizeof cls);
            if (std::string(cls) == "#32770") PostMessageA(wnd, WM_COMMAND, IDOK, 0);
            return TRUE;
          },
          0);
    }
  });
  inModal = true;
  MessageBoxA(nullptr, "Waiting for a change", "FolderMonitorTest", MB_OK);
  inModal = false;
  KillTimer(nullptr, timer);
  EXPECT_TRUE(reportedInModal);
  EXPECT_TRUE(reports_.allOnMainThread);
}

TEST_F(FolderMonitorTest, RestartedAHundredTimesLeavesOneWorker) {
  const std::string other = temp_.File("other");
  CreateDirectoryA(other.c_str(), nullptr);
  auto monitor = NewMonitor(folder_);
  for (int i = 0; i < 100; ++i) {
    monitor->SetFolder(i % 2 ? folder_ : other);
    monitor->SetActive(false);
    monitor->SetActive(true);
  }
  EXPECT_TRUE(WorkersBackTo(1)) << ThreadsSince(before_);
  // The last folder set was the test folder; the one worker left still reports.
  Settle();
  WriteFileBytes(temp_.File("after.txt"), "x");
  EXPECT_TRUE(PumpUntil([&] { return reports_.count > 0; }));
  // Stopping ends the worker at once, with nothing changing in the folder.
  monitor->SetActive(false);
  EXPECT_TRUE(WorkersBackTo(0, 30000));
}

TEST_F(FolderMonitorTest, AWorkerGivenNewParametersWatchesTheNewFolder) {
  const std::string first = temp_.File("first");
  const std::string second = temp_.File("second");
  CreateDirectoryA(first.c_str(), nullptr);
  CreateDirectoryA(second.c_str(), nullptr);
  auto* worker = new TsycFolderMonitorThread(reports_.Handler());
  worker->SetParams(first, false, FILE_NOTIFY_CHANGE_FILE_NAME);
  worker->Start();
  Settle();
  WriteFileBytes(first + "\\a.txt", "x");
  EXPECT_TRUE(PumpUntil([&] { return reports_.count > 0; }));
  worker->SetParams(second, false, FILE_NOTIFY_CHANGE_FILE_NAME);
  Settle();
  WriteFileBytes(first + "\\b.txt", "x");
  PumpFor(500);
  EXPECT_EQ(reports_.count, 0) << "the old folder is no longer watched";
  WriteFileBytes(second + "\\c.txt", "x");
  EXPECT_TRUE(PumpUntil([&] { return reports_.count > 0; }));
  worker->Stop();
  EXPECT_TRUE(WorkersBackTo(0, 30000));
}

TEST_F(FolderMonitorTest, PropertyWritesReplaceTheWorkerOnlyWhenTheyChangeSomething) {
  auto monitor = NewMonitor(folder_);
  ASSERT_TRUE(WorkersBackTo(1));
  const std::set<DWORD> first = ThreadIds();

  monitor->SetFolder(folder_);
  monitor->SetWatchSubTree(false);
  monitor->SetNotifyFilters({fmfFileNameChange, fmfDirNameChange});
  PumpFor(200);
  EXPECT_EQ(ThreadIds(), first) << "the same values again";

  std::string otherCase = folder_;
  otherCase[0] = static_cast<char>(otherCase[0] == 'C' ? 'c' : 'C');
  monitor->SetFolder(otherCase);
  ASSERT_TRUE(WorkersBackTo(1));
  const std::set<DWORD> second = ThreadIds();
  EXPECT_NE(second, first) << "a folder differing in case only";

  monitor->SetActive(true);
  ASSERT_TRUE(WorkersBackTo(1));
  EXPECT_NE(ThreadIds(), second) << "Active written again";

  monitor->SetOnChange(nullptr);
  EXPECT_TRUE(WorkersBackTo(0)) << "no handler, no worker";
  EXPECT_TRUE(monitor->GetActive());
}

TEST_F(FolderMonitorTest, NothingIsReportedAfterTheMonitorLetGo) {
  for (bool destroy : {false, true}) {
    SCOPED_TRACE(destroy ? "destroyed" : "deactivated");
    auto monitor = NewMonitor(folder_);
    Settle();
    const std::string name = temp_.File(destroy ? "d.txt" : "a.txt");
    WriteFileBytes(name, "x");
    // The worker has seen the change and waits for the main thread to take its report.
    Sleep(500);
    if (destroy)
      monitor.reset();
    else
      monitor->SetActive(false);
    PumpFor(500);
    EXPECT_EQ(reports_.count, 0);
    EXPECT_TRUE(WorkersBackTo(0));
  }
}

TEST_F(FolderMonitorTest, AMissingFolderReportsNothingAndWaitsQuietly) {
  const std::set<DWORD> before = ThreadIds();
  auto monitor = NewMonitor(temp_.File("missing"));
  ASSERT_TRUE(WorkersBackTo(1));
  DWORD worker = 0;
  for (DWORD id : ThreadIds())
    if (!before.count(id)) worker = id;
  ASSERT_NE(worker, 0u);
  WriteFileBytes(temp_.File("x.txt"), "x");
  PumpFor(500);
  EXPECT_EQ(reports_.count, 0);
  EXPECT_TRUE(ThreadIds().count(worker)) << "the worker waits until it is stopped";
  HANDLE h = OpenThread(THREAD_QUERY_INFORMATION, FALSE, worker);
  ASSERT_NE(h, nullptr);
  FILETIME created, exited, kernel, user;
  ASSERT_TRUE(GetThreadTimes(h, &created, &exited, &kernel, &user));
  CloseHandle(h);
  const auto ticks = [](const FILETIME& t) { return (UInt64(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  EXPECT_LT(ticks(kernel) + ticks(user), 1000000u) << "less than 100 ms of work: it does not spin";
  monitor->SetActive(false);
  EXPECT_TRUE(WorkersBackTo(0, 30000));
}

TEST_F(FolderMonitorTest, AWorkerEndedByAnExceptionIsLetGo) {
  auto monitor = NewMonitor(folder_);
  monitor->SetOnChange(TThreadMethod::FromFunction([] { throw Exception("handler failed"); }));
  Settle();
  WriteFileBytes(temp_.File("boom.txt"), "x");
  EXPECT_TRUE(WorkersBackTo(0));
  // The component no longer holds the ended worker: starting again is safe and works.
  monitor->SetOnChange(reports_.Handler());
  Settle();
  WriteFileBytes(temp_.File("again.txt"), "x");
  EXPECT_TRUE(PumpUntil([&] { return reports_.count > 0; }));
  monitor->SetActive(false);
  EXPECT_TRUE(WorkersBackTo(0));
}

// A form that holds a monitor, as the main window does.
class TMonitorForm : public TComponent {
  CLASS_INFO(TMonitorForm, TComponent)
public:
  using TComponent::TComponent;
  void MonitorChange() { ++Changes; }
  int Changes = 0;
};

}  // namespace

PUBLISHED(TMonitorForm) { Method("MonitorChange", &TMonitorForm::MonitorChange); }

namespace {

TEST_F(FolderMonitorTest, AMonitorReadFromAFormStartsOnceTheFormIsRead) {
  RegisterClass(TsycFolderMonitor::StaticClass());
  const AnsiString folder = StringReplace(folder_, "'", "''", rfReplaceAll);
  const AnsiString text =
      "object MonitorForm: TMonitorForm\r\n"
      "  object Monitor: TsycFolderMonitor\r\n"
      "    Active = True\r\n"
      "    Folder = '" +
      folder +
      "'\r\n"
      "    NotifyFilters = [fmfFileNameChange, fmfDirNameChange]\r\n"
      "    WatchSubTree = False\r\n"
      "    OnChange = MonitorChange\r\n"
      "  end\r\n"
      "end\r\n";
  TMonitorForm form(nullptr);
  syscomp_tests::ReadFormText(text, &form);
  auto* monitor = static_cast<TsycFolderMonitor*>(form.FindComponent("Monitor"));
  ASSERT_NE(monitor, nullptr);
  EXPECT_TRUE(monitor->GetActive());
  EXPECT_FALSE(monitor->GetWatchSubTree());
  EXPECT_TRUE(WorkersBackTo(1));
  WriteFileBytes(temp_.File("form.txt"), "x");
  EXPECT_TRUE(PumpUntil([&] { return form.Changes > 0; }));
}

TEST(FolderMonitorDefaults, ConstructorValuesAndFilterMask) {
  TsycFolderMonitor monitor(nullptr);
  EXPECT_FALSE(monitor.GetActive());
  EXPECT_EQ(monitor.GetFolder(), "C:\\");
  EXPECT_EQ(monitor.GetNotifyFilters(), (TFolderMonitorFilters{fmfFileNameChange, fmfDirNameChange}));
  EXPECT_TRUE(monitor.GetWatchSubTree());
  EXPECT_EQ(NotifyFilterValue({fmfFileNameChange, fmfDirNameChange}), 3u);
  EXPECT_EQ(NotifyFilterValue({fmfAttributeChange, fmfSizeChange, fmfWriteChange, fmfSecurityChange}),
            4u + 8u + 16u + 256u);
}

}  // namespace
