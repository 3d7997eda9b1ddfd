#include "syscomp/sycFolderMonitor.h"

#include "syscomp/sycClasses.h"

DWORD NotifyFilterValue(TFolderMonitorFilters Filters) {
  static const DWORD bits[] = {FILE_NOTIFY_CHANGE_FILE_NAME, FILE_NOTIFY_CHANGE_DIR_NAME,
                               FILE_NOTIFY_CHANGE_ATTRIBUTES, FILE_NOTIFY_CHANGE_SIZE,
                               FILE_NOTIFY_CHANGE_LAST_WRITE, FILE_NOTIFY_CHANGE_SECURITY};
  DWORD mask = 0;
  for (int f = fmfFileNameChange; f <= fmfSecurityChange; ++f)
    if (Filters.Contains(static_cast<TFolderMonitorFilter>(f))) mask |= bits[f];
  return mask;
}

TsycCustomFolderMonitor::TsycCustomFolderMonitor(TComponent* AOwner)
    : TsycComponent(AOwner), FFolder("C:\\"), FNotifyFilters{fmfFileNameChange, fmfDirNameChange} {}

TsycCustomFolderMonitor::~TsycCustomFolderMonitor() { Stop(); }

void TsycCustomFolderMonitor::Loaded() {
  inherited::Loaded();
  SetActive(FActive);
}

void TsycCustomFolderMonitor::SetActive(bool Value) {
  FActive = Value;
  Update();
}

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

void TsycCustomFolderMonitor::SetOnChange(TThreadMethod Value) {
  FOnChange = std::move(Value);
  Update();
}

void TsycCustomFolderMonitor::Update() {
  if (FActive)
    Start();
  else
    Stop();
}

void TsycCustomFolderMonitor::Start() {
  Stop();
  if (IsDesigning() || IsLoading() || !FActive || !FOnChange) return;
  FThread = new TsycFolderMonitorThread(FOnChange, TsycWorkerEndedEvent(this, &TsycCustomFolderMonitor::WorkerEnded));
  FThread->SetParams(FFolder, FWatchSubTree, NotifyFilterValue(FNotifyFilters));
  FThread->Resume();
}

void TsycCustomFolderMonitor::Stop() {
  if (IsDesigning() || IsLoading() || !FThread) return;
  TsycFolderMonitorThread* worker = FThread;
  FThread = nullptr;
  worker->Stop();
}

void TsycCustomFolderMonitor::WorkerEnded(TThread* Worker) {
  if (Worker == FThread) FThread = nullptr;
}

PUBLISHED(TsycFolderMonitor) {
  Prop("Active", &TsycFolderMonitor::GetActive, &TsycFolderMonitor::SetActive).Default(false);
  Prop("Folder", &TsycFolderMonitor::GetFolder, &TsycFolderMonitor::SetFolder);
  Prop("NotifyFilters", &TsycFolderMonitor::GetNotifyFilters, &TsycFolderMonitor::SetNotifyFilters);
  Prop("WatchSubTree", &TsycFolderMonitor::GetWatchSubTree, &TsycFolderMonitor::SetWatchSubTree);
  Prop("OnChange", &TsycFolderMonitor::GetOnChange, &TsycFolderMonitor::SetOnChange);
}
