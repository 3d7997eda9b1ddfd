// The folder monitor: tells its owner, on the main thread, that something changed in a folder.
#pragma once

#include "classlib/Threads.h"
#include "classlib/TypInfo.h"
#include "syscomp/sycComponentBase.h"

class TsycFolderMonitorThread;

enum TFolderMonitorFilter {
  fmfFileNameChange,
  fmfDirNameChange,
  fmfAttributeChange,
  fmfSizeChange,
  fmfWriteChange,
  fmfSecurityChange
};
ENUM_NAMES(TFolderMonitorFilter, "fmfFileNameChange", "fmfDirNameChange", "fmfAttributeChange", "fmfSizeChange",
           "fmfWriteChange", "fmfSecurityChange");
using TFolderMonitorFilters = TSet<TFolderMonitorFilter>;

// The notify-filter mask of FindFirstChangeNotificationA for a set of filters.
DWORD NotifyFilterValue(TFolderMonitorFilters Filters);

// Watches Folder while Active and OnChange is set: one worker thread waits for the changes that
// NotifyFilters name and runs OnChange on the main thread once per wake-up, also while a modal
// window or menu runs its own message loop. Every change of a property replaces the worker by a
// new one; a stopped worker ends at once and reports nothing more.
class TsycCustomFolderMonitor : public TsycComponent {
  CLASS_INFO(TsycCustomFolderMonitor, TsycComponent)
public:
  explicit TsycCustomFolderMonitor(TComponent* AOwner);
  ~TsycCustomFolderMonitor() override;

  // Starts the worker of a monitor that was read active from a form.
  void Loaded() override;

  bool GetActive() const { return FActive; }
  // Starts (again) or stops the worker, also when the value does not change.
  void SetActive(bool Value);
  const AnsiString& GetFolder() const { return FFolder; }
  // A path without trailing backslash; empty or blank watches the current directory. The same
  // text again (compared exactly) changes nothing.
  void SetFolder(const AnsiString& Value);
  TFolderMonitorFilters GetNotifyFilters() const { return FNotifyFilters; }
  void SetNotifyFilters(TFolderMonitorFilters Value);
  bool GetWatchSubTree() const { return FWatchSubTree; }
  void SetWatchSubTree(bool Value);
  TThreadMethod GetOnChange() const { return FOnChange; }
  void SetOnChange(TThreadMethod Value);

protected:
  // Start when Active, else Stop.
  virtual void Update();
  // Replaces the worker by a new one (when Active and OnChange is set).
  virtual void Start();
  // Lets the worker go: it ends at once.
  virtual void Stop();

private:
  void WorkerEnded(TThread* Worker);

  bool FActive = false;
  AnsiString FFolder;
  TFolderMonitorFilters FNotifyFilters;
  bool FWatchSubTree = true;
  TThreadMethod FOnChange;
  TsycFolderMonitorThread* FThread = nullptr;
};

class TsycFolderMonitor : public TsycCustomFolderMonitor {
  CLASS_INFO(TsycFolderMonitor, TsycCustomFolderMonitor)
public:
  using TsycCustomFolderMonitor::TsycCustomFolderMonitor;
};
