#include "classlib/SysUtils.h"
#include "syscomp/sycClasses.h"

namespace {

HANDLE NewEvent(bool ManualReset) {
  HANDLE event = ::CreateEventA(nullptr, ManualReset, FALSE, nullptr);
  if (!event) throw EThread("Thread Error: " + SysErrorMessage(::GetLastError()));
  return event;
}

}  // namespace

TsycMonitorThread::TsycMonitorThread(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded)
    : TThread(true), FOnChange(std::move(OnChange)), FOnEnded(std::move(OnEnded)) {
  FreeOnTerminate = true;
  FWakeEvent.reset(NewEvent(false));
  FReadyEvent.reset(NewEvent(true));
}

TsycMonitorThread::~TsycMonitorThread() = default;

void TsycMonitorThread::Start() {
  // The worker cannot free itself before it is ready: it signals the event on its way out too,
  // and then waits for the main thread (which is here) before it goes.
  HANDLE ready = FReadyEvent.get();
  Resume();
  ::WaitForSingleObject(ready, INFINITE);
}

void TsycMonitorThread::Stop() {
  Terminate();
  Wake();
}

void TsycMonitorThread::Report() {
  if (!GetTerminated() && FOnChange) Synchronize(TThreadMethod(this, &TsycMonitorThread::ReportChange));
}

void TsycMonitorThread::ReportChange() {
  if (!GetTerminated() && FOnChange) FOnChange();
}

void TsycMonitorThread::DoTerminate() {
  Ready();
  inherited::DoTerminate();
  if (!GetTerminated() && FOnEnded) Synchronize(TThreadMethod(this, &TsycMonitorThread::ReportEnded));
}

void TsycMonitorThread::ReportEnded() {
  if (!GetTerminated() && FOnEnded) FOnEnded(this);
}
