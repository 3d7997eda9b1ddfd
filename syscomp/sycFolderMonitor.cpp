#include "syscomp/sycFolderMonitor.h"

#include "syscomp/sycClasses.h"

DWORD NotifyFilterValue(TFolderMonitorFilters Filters) {
  static const DWORD bits[] = {FILE_NOTIFY_CHANGE_FILE_NAME,  FILE_NOTIFY_CHANGE_DIR_NAME,
                               FILE_NOTIFY_CHANGE_ATTRIBUTES, FILE_NOTIFY_CHANGE_SIZE,
                               FILE_NOTIFY_CHANGE_LAST_WRITE, FILE_NOTIFY_CHANGE_SECURITY};
  DWORD mask = 0;
  for (int f = fmfFileNameChange; f <= fmfSecurityChange; ++f)
    if (Filters.Contains(static_cast<TFolderMonitorFilter>(f))) mask |= bits[f];
  return mask;
}

TsycCustomFolderMonitor::TsycCustomFolderMonitor(TComponent* AOwner)
    : TsycCustomMonitor(AOwner), FFolder("C:\\"), FNotifyFilters{fmfFileNameChange, fmfDirNameChange} {}

void TsycCustomFolderMonitor::SetFolder(const AnsiString& Value) {
  if (Value == FFolder) return;
  FFolder = Value;
  Update();
}

void TsycCustomFolderMonitor::SetNotifyFilters(TFolderMonitorFilters Value) {
  if (Value == FNotifyFilters) return;
  FNotifyFilters = Value;
  Update();
}

void TsycCustomFolderMonitor::SetWatchSubTree(bool Value) {
  if (Value == FWatchSubTree) return;
  FWatchSubTree = Value;
  Update();
}

TsycMonitorThread* TsycCustomFolderMonitor::CreateWorker(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded) {
  auto* worker = new TsycFolderMonitorThread(std::move(OnChange), std::move(OnEnded));
  worker->SetParams(FFolder, FWatchSubTree, NotifyFilterValue(FNotifyFilters));
  return worker;
}

PUBLISHED(TsycFolderMonitor) {
  Prop("Active", &TsycFolderMonitor::GetActive, &TsycFolderMonitor::SetActive).Default(false);
  Prop("Folder", &TsycFolderMonitor::GetFolder, &TsycFolderMonitor::SetFolder);
  Prop("NotifyFilters", &TsycFolderMonitor::GetNotifyFilters, &TsycFolderMonitor::SetNotifyFilters);
  Prop("WatchSubTree", &TsycFolderMonitor::GetWatchSubTree, &TsycFolderMonitor::SetWatchSubTree);
  Prop("OnChange", &TsycFolderMonitor::GetOnChange, &TsycFolderMonitor::SetOnChange);
}
