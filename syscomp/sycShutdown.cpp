#include "syscomp/sycShutdown.h"

#include "classlib/Handles.h"
#include "syscomp/sycSysUtils.h"

namespace {

bool EnableShutdownPrivilege() {
  UniqueHandle process(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, ::GetCurrentProcessId()));
  if (!process) return false;
  HANDLE tokenHandle = nullptr;
  if (!::OpenProcessToken(process.get(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &tokenHandle)) return false;
  UniqueHandle token(tokenHandle);
  TOKEN_PRIVILEGES privileges{};
  if (!::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return false;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  return ::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr) != FALSE;
}

}  // namespace

TsycShutdown::TsycShutdown(TComponent* AOwner)
    : TsycComponent(AOwner),
      EndSession(TEndSession::FromFunction([](UINT Flags) { return ::ExitWindowsEx(Flags, 0) != FALSE; })),
      SetPowerState(TSetPowerState::FromFunction(
          [](bool Suspend, bool Force) { return ::SetSystemPowerState(Suspend, Force) != FALSE; })) {}

void TsycShutdown::DoQueryShutdown(bool& CanShutdown) {
  if (OnQueryShutdown) OnQueryShutdown(this, CanShutdown);
}

bool TsycShutdown::Execute() {
  if (IsWinNT && !EnableShutdownPrivilege()) return false;
  bool canShutdown = true;
  DoQueryShutdown(canShutdown);
  if (!canShutdown) return false;
  static const UINT exitFlags[] = {EWX_POWEROFF, EWX_SHUTDOWN, EWX_REBOOT, EWX_LOGOFF};
  switch (ActionType) {
    case aatSuspend:
      return SetPowerState(true, Force);
    case aatHibernate:
      return SetPowerState(false, Force);
    default:
      return EndSession(exitFlags[ActionType] | (Force ? EWX_FORCE : 0));
  }
}

PUBLISHED(TsycShutdown) {
  Prop("ActionType", &TsycShutdown::ActionType).Default(aatPowerOff);
  Prop("Force", &TsycShutdown::Force).Default(false);
  Prop("OnQueryShutdown", &TsycShutdown::OnQueryShutdown);
}
