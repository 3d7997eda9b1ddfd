#include "classlib/SysUtils.h"
#include "syscomp/sycClasses.h"

TsycEventThread::TsycEventThread(TThreadMethod Event) : TThread(true), FEvent(std::move(Event)) {}

TsycEventThread::~TsycEventThread() { StopAndWait(); }

void TsycEventThread::StopAndWait() {
  if (::GetCurrentThreadId() == GetThreadID()) return;
  Terminate();
  while (GetSuspended()) Resume();
  WaitFor();
}

void TsycEventThread::Start() {
  FStarted = true;
  Resume();
}

void TsycEventThread::SetRunning(bool Value) {
  if (Value) {
    if (!GetStarted())
      Start();
    else
      while (GetSuspended()) Resume();
  } else if (GetStarted() && !GetSuspended()) {
    Suspend();
  }
}

void TsycEventThread::Stop() {
  Terminate();
  if (GetStarted())
    while (GetSuspended()) Resume();
}

void TsycEventThread::Execute() {
  if (GetTerminated()) return;
  if (Synchronized)
    Synchronize(TThreadMethod(this, &TsycEventThread::RunEvent));
  else
    DoEvent();
}

void TsycEventThread::RunEvent() {
  if (!GetTerminated()) DoEvent();
}

void TsycEventThread::DoEvent() {
  if (FEvent) FEvent();
}

// OnTerminate may be changed on the main thread while this thread runs, so it is only read there.
void TsycEventThread::DoTerminate() { Synchronize(TThreadMethod(this, &TsycEventThread::ReportTerminated)); }

void TsycEventThread::ReportTerminated() {
  if (!GetTerminated() && OnTerminate) OnTerminate(this);
}

TsycTimerThread::TsycTimerThread(TThreadMethod Event) : TsycEventThread(std::move(Event)) {
  // Auto-reset: each wake-up ends one wait.
  FEvent = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (!FEvent) throw EThread("Thread Error: " + SysErrorMessage(::GetLastError()));
}

TsycTimerThread::~TsycTimerThread() {
  Terminate();
  ::SetEvent(FEvent);
  StopAndWait();
  ::CloseHandle(FEvent);
}

void TsycTimerThread::Wake() { ::SetEvent(FEvent); }

void TsycTimerThread::SetInterval(Cardinal Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  Wake();
}

void TsycTimerThread::Stop() {
  inherited::Stop();
  Wake();
}

void TsycTimerThread::SetRunning(bool Value) {
  if (Value == GetRunning()) return;
  FPaused = !Value;
  if (Value && !GetStarted())
    Start();
  else
    Wake();
}

void TsycTimerThread::Execute() {
  while (!GetTerminated()) {
    const DWORD result = ::WaitForSingleObject(FEvent, FPaused ? INFINITE : FInterval.load());
    if (GetTerminated()) break;
    if (result == WAIT_TIMEOUT)
      inherited::Execute();
    else if (result != WAIT_OBJECT_0)
      break;
  }
}
