// The registry monitor: tells its owner, on the main thread, that a registry key changed,
// appeared or disappeared.
#pragma once

#include "classlib/TypInfo.h"
#include "syscomp/sycMonitor.h"
#include "syscomp/sycSysUtils.h"

enum TsycRegistryMonitorFilter { rmfSubTreeChange, rmfAttributeChange, rmfValueChange, rmfSecurityChange };
ENUM_NAMES(TsycRegistryMonitorFilter, "rmfSubTreeChange", "rmfAttributeChange", "rmfValueChange", "rmfSecurityChange");
using TsycRegistryMonitorFilters = TSet<TsycRegistryMonitorFilter>;

// The filter mask of RegNotifyChangeKeyValue for a set of filters.
DWORD RegistryFilterValue(TsycRegistryMonitorFilters Filters);

// Watches RegistryKey below RootKey for the changes that NotifyFilters name; a key that does not
// exist is reported when it is created, and a watched key when it is deleted.
class TsycCustomRegistryMonitor : public TsycCustomMonitor {
  CLASS_INFO(TsycCustomRegistryMonitor, TsycCustomMonitor)
public:
  explicit TsycCustomRegistryMonitor(TComponent* AOwner);

  const AnsiString& GetRegistryKey() const { return FRegistryKey; }
  // The same text again (compared exactly) changes nothing.
  void SetRegistryKey(const AnsiString& Value);
  TsycRegRootKey GetRootKey() const { return FRootKey; }
  void SetRootKey(TsycRegRootKey Value);
  TsycRegistryMonitorFilters GetNotifyFilters() const { return FNotifyFilters; }
  void SetNotifyFilters(TsycRegistryMonitorFilters Value);
  bool GetWatchSubTree() const { return FWatchSubTree; }
  void SetWatchSubTree(bool Value);

protected:
  TsycMonitorThread* CreateWorker(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded) override;

private:
  TsycRegistryMonitorFilters FNotifyFilters;
  bool FWatchSubTree = true;
  AnsiString FRegistryKey;
  TsycRegRootKey FRootKey = rrkCurrentUser;
};

class TsycRegistryMonitor : public TsycCustomRegistryMonitor {
  CLASS_INFO(TsycRegistryMonitor, TsycCustomRegistryMonitor)
public:
  using TsycCustomRegistryMonitor::TsycCustomRegistryMonitor;
};
