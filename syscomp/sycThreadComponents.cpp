#include "syscomp/sycThreadComponents.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "syscomp/sycClasses.h"
#include "syscomp/sycConsts.h"

TsycCustomThreadComponent::TsycCustomThreadComponent(TComponent* AOwner) : TsycCustomThreadComponent(AOwner, false) {}

TsycCustomThreadComponent::TsycCustomThreadComponent(TComponent* AOwner, bool TimerWorker)
    : TsycComponent(AOwner), FTimerWorker(TimerWorker) {
  CreateThread();
}

TsycCustomThreadComponent::~TsycCustomThreadComponent() {
  if (FThread) {
    FThread->Stop();
    delete FThread;
  }
  ReapRetired(true);
}

void TsycCustomThreadComponent::Loaded() {
  inherited::Loaded();
  if (!FThread || IsDesigning()) return;
  FThread->Synchronized = FSynchronized;
  FThread->SetRunning(!FSuspended);
}

TsycEventThread* TsycCustomThreadComponent::NewWorker() {
  const TThreadMethod event(this, &TsycCustomThreadComponent::DoExecute);
  TsycEventThread* worker = FTimerWorker ? new TsycTimerThread(event) : new TsycEventThread(event);
  worker->SetPriority(FPriority);
  worker->SetReturnValue(FReturnValue);
  worker->Synchronized = FSynchronized;
  worker->OnTerminate = FOnTerminate;
  return worker;
}

void TsycCustomThreadComponent::CreateThread() {
  if (IsDesigning()) return;
  FThread = NewWorker();
  if (!FSuspended && !IsLoading()) FThread->Start();
}

void TsycCustomThreadComponent::Reset() {
  TsycEventThread* old = FThread;
  if (old) {
    // The new worker goes on with what the old one was set to.
    FPriority = old->GetPriority();
    FReturnValue = old->GetReturnValue();
  }
  FThread = NewWorker();
  if (old) {
    if (auto* timer = dynamic_cast<TsycTimerThread*>(old))
      static_cast<TsycTimerThread*>(FThread)->SetInterval(timer->GetInterval());
    old->Stop();
    FRetired.push_back(old);
  }
  ReapRetired(false);
}

void TsycCustomThreadComponent::ReapRetired(bool Wait) {
  auto ended = [Wait](TsycEventThread* t) {
    if (!Wait && t->GetStarted() && ::WaitForSingleObject(t->GetHandle(), 0) != WAIT_OBJECT_0) return false;
    delete t;  // waits for a thread still running its handler
    return true;
  };
  FRetired.erase(std::remove_if(FRetired.begin(), FRetired.end(), ended), FRetired.end());
}

void TsycCustomThreadComponent::Execute() {
  if (IsDesigning()) return;
  Reset();
  FThread->SetRunning(true);
}

void TsycCustomThreadComponent::DoExecute() {
  try {
    if (OnExecute) OnExecute(this);
  } catch (Exception& e) {
    HandleException(&e);
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    HandleException(&wrapped);
  }
}

void TsycCustomThreadComponent::HandleException(Exception* E) {
  if (OnException) {
    OnException(E);
    return;
  }
  ShowWorkerException(GetName(), E);
}

void ShowWorkerException(const AnsiString& ComponentName, Exception* E) {
  const AnsiString text = Format(SsycThreadException, ComponentName, E->ClassName(), E->Message);
  ::MessageBoxA(Application->GetHandle(), text.c_str(), Application->GetTitle().c_str(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void TsycCustomThreadComponent::Synchronize(TThreadMethod Method) { TThread::Synchronize(FThread, std::move(Method)); }

void TsycCustomThreadComponent::SynchronizeWithParam(TsycParamMethod Method, void* Param) {
  bool idle = false;
  if (!FPendingBusy.compare_exchange_strong(idle, true)) return;
  FPendingMethod = std::move(Method);
  FPendingParam = Param;
  ScopeExit done([this] {
    FPendingMethod = nullptr;
    FPendingBusy = false;
  });
  TThread::Synchronize(FThread, TThreadMethod(this, &TsycCustomThreadComponent::CallPending));
}

void TsycCustomThreadComponent::CallPending() { FPendingMethod(FPendingParam); }

TThreadPriority TsycCustomThreadComponent::GetPriority() const {
  return UsesWorker() ? FThread->GetPriority() : FPriority;
}

void TsycCustomThreadComponent::SetPriority(TThreadPriority Value) {
  FPriority = Value;
  if (UsesWorker()) FThread->SetPriority(Value);
}

Integer TsycCustomThreadComponent::GetReturnValue() const {
  return UsesWorker() ? FThread->GetReturnValue() : FReturnValue;
}

void TsycCustomThreadComponent::SetReturnValue(Integer Value) {
  FReturnValue = Value;
  if (UsesWorker()) FThread->SetReturnValue(Value);
}

bool TsycCustomThreadComponent::GetSuspended() const { return UsesWorkerState() ? !FThread->GetRunning() : FSuspended; }

void TsycCustomThreadComponent::SetSuspended(bool Value) {
  FSuspended = Value;
  if (UsesWorkerState()) FThread->SetRunning(!Value);
}

bool TsycCustomThreadComponent::GetSynchronized() const {
  return UsesWorkerState() ? FThread->Synchronized.load() : FSynchronized;
}

void TsycCustomThreadComponent::SetSynchronized(bool Value) {
  FSynchronized = Value;
  if (UsesWorkerState()) FThread->Synchronized = Value;
}

void TsycCustomThreadComponent::SetOnTerminate(TNotifyEvent Value) {
  FOnTerminate = Value;
  if (FThread) FThread->OnTerminate = std::move(Value);
}

Cardinal TsycCustomThreadTimer::GetInterval() const {
  if (auto* timer = dynamic_cast<TsycTimerThread*>(GetThread()); timer && !IsDesigning()) return timer->GetInterval();
  return FInterval;
}

void TsycCustomThreadTimer::SetInterval(Cardinal Value) {
  FInterval = Value;
  if (auto* timer = dynamic_cast<TsycTimerThread*>(GetThread()); timer && !IsDesigning()) timer->SetInterval(Value);
}

PUBLISHED(TsycThreadComponent) {
  Prop("Priority", &TsycThreadComponent::GetPriority, &TsycThreadComponent::SetPriority).Default(tpNormal);
  Prop("ReturnValue", &TsycThreadComponent::GetReturnValue, &TsycThreadComponent::SetReturnValue).Default(0);
  Prop("Suspended", &TsycThreadComponent::GetSuspended, &TsycThreadComponent::SetSuspended).Default(true);
  Prop("Synchronized", &TsycThreadComponent::GetSynchronized, &TsycThreadComponent::SetSynchronized).Default(false);
  Prop("OnException", &TsycThreadComponent::OnException);
  Prop("OnExecute", &TsycThreadComponent::OnExecute);
  Prop("OnTerminate", &TsycThreadComponent::GetOnTerminate, &TsycThreadComponent::SetOnTerminate);
}

PUBLISHED(TsycThreadTimer) {
  Prop("Interval", &TsycThreadTimer::GetInterval, &TsycThreadTimer::SetInterval).Default(1000);
  Prop("Priority", &TsycThreadTimer::GetPriority, &TsycThreadTimer::SetPriority).Default(tpNormal);
  Prop("Synchronized", &TsycThreadTimer::GetSynchronized, &TsycThreadTimer::SetSynchronized).Default(false);
  Prop("OnTimer", &TsycThreadTimer::OnExecute);
  Prop("Enabled", &TsycThreadTimer::GetEnabled, &TsycThreadTimer::SetEnabled).Default(false);
}
