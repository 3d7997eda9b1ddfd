#include "syscomp/sycRegistryMonitor.h"

#include "syscomp/sycClasses.h"

DWORD RegistryFilterValue(TsycRegistryMonitorFilters Filters) {
  static const DWORD bits[] = {REG_NOTIFY_CHANGE_NAME, REG_NOTIFY_CHANGE_ATTRIBUTES, REG_NOTIFY_CHANGE_LAST_SET,
                               REG_NOTIFY_CHANGE_SECURITY};
  DWORD mask = 0;
  for (int f = rmfSubTreeChange; f <= rmfSecurityChange; ++f)
    if (Filters.Contains(static_cast<TsycRegistryMonitorFilter>(f))) mask |= bits[f];
  return mask;
}

TsycCustomRegistryMonitor::TsycCustomRegistryMonitor(TComponent* AOwner)
    : TsycCustomMonitor(AOwner), FNotifyFilters{rmfSubTreeChange, rmfValueChange} {}

void TsycCustomRegistryMonitor::SetRegistryKey(const AnsiString& Value) {
  if (Value == FRegistryKey) return;
  FRegistryKey = Value;
  Update();
}

void TsycCustomRegistryMonitor::SetRootKey(TsycRegRootKey Value) {
  if (Value == FRootKey) return;
  FRootKey = Value;
  Update();
}

void TsycCustomRegistryMonitor::SetNotifyFilters(TsycRegistryMonitorFilters Value) {
  if (Value == FNotifyFilters) return;
  FNotifyFilters = Value;
  Update();
}

void TsycCustomRegistryMonitor::SetWatchSubTree(bool Value) {
  if (Value == FWatchSubTree) return;
  FWatchSubTree = Value;
  Update();
}

TsycMonitorThread* TsycCustomRegistryMonitor::CreateWorker(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded) {
  auto* worker = new TsycRegistryMonitorThread(std::move(OnChange), std::move(OnEnded));
  worker->SetParams(RegRootKeyHandle(FRootKey), FRegistryKey, RegistryFilterValue(FNotifyFilters), FWatchSubTree);
  worker->SetOwnerName(GetName());
  return worker;
}

PUBLISHED(TsycRegistryMonitor) {
  Prop("Active", &TsycRegistryMonitor::GetActive, &TsycRegistryMonitor::SetActive).Default(false);
  Prop("RegistryKey", &TsycRegistryMonitor::GetRegistryKey, &TsycRegistryMonitor::SetRegistryKey);
  Prop("RootKey", &TsycRegistryMonitor::GetRootKey, &TsycRegistryMonitor::SetRootKey).Default(rrkCurrentUser);
  Prop("NotifyFilters", &TsycRegistryMonitor::GetNotifyFilters, &TsycRegistryMonitor::SetNotifyFilters);
  Prop("WatchSubTree", &TsycRegistryMonitor::GetWatchSubTree, &TsycRegistryMonitor::SetWatchSubTree);
  Prop("OnChange", &TsycRegistryMonitor::GetOnChange, &TsycRegistryMonitor::SetOnChange);
}
