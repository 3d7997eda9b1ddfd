#include "syscomp/sycMonitor.h"

#include "syscomp/sycClasses.h"

TsycCustomMonitor::~TsycCustomMonitor() { Stop(); }

void TsycCustomMonitor::Loaded() {
  inherited::Loaded();
  SetActive(FActive);
}

void TsycCustomMonitor::SetActive(bool Value) {
  FActive = Value;
  Update();
}

void TsycCustomMonitor::SetOnChange(TThreadMethod Value) {
  FOnChange = std::move(Value);
  Update();
}

void TsycCustomMonitor::Update() {
  if (FActive)
    Start();
  else
    Stop();
}

void TsycCustomMonitor::Start() {
  Stop();
  if (IsDesigning() || IsLoading() || IsDestroying() || !FActive || !FOnChange) return;
  FThread = CreateWorker(FOnChange, TsycWorkerEndedEvent(this, &TsycCustomMonitor::WorkerEnded));
  FThread->Start();
}

void TsycCustomMonitor::Stop() {
  if (IsDesigning() || IsLoading() || !FThread) return;
  TsycMonitorThread* worker = FThread;
  FThread = nullptr;
  worker->Stop();
}

void TsycCustomMonitor::WorkerEnded(TThread* Worker) {
  if (Worker == FThread) FThread = nullptr;
}
