// The folder monitor: tells its owner, on the main thread, that something changed in a folder.
#pragma once

#include "classlib/TypInfo.h"
#include "syscomp/sycMonitor.h"

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

// Watches Folder for the changes that NotifyFilters name, also while a modal window or menu runs
// its own message loop. Windows tells a folder monitor of changes of file and folder names, not
// of a file written in place.
class TsycCustomFolderMonitor : public TsycCustomMonitor {
  CLASS_INFO(TsycCustomFolderMonitor, TsycCustomMonitor)
public:
  explicit TsycCustomFolderMonitor(TComponent* AOwner);

  const AnsiString& GetFolder() const { return FFolder; }
  // A path without trailing backslash; empty or blank watches the current directory. The same
  // text again (compared exactly) changes nothing.
  void SetFolder(const AnsiString& Value);
  TFolderMonitorFilters GetNotifyFilters() const { return FNotifyFilters; }
  void SetNotifyFilters(TFolderMonitorFilters Value);
  bool GetWatchSubTree() const { return FWatchSubTree; }
  void SetWatchSubTree(bool Value);

protected:
  TsycMonitorThread* CreateWorker(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded) override;

private:
  AnsiString FFolder;
  TFolderMonitorFilters FNotifyFilters;
  bool FWatchSubTree = true;
};

class TsycFolderMonitor : public TsycCustomFolderMonitor {
  CLASS_INFO(TsycFolderMonitor, TsycCustomFolderMonitor)
public:
  using TsycCustomFolderMonitor::TsycCustomFolderMonitor;
};
