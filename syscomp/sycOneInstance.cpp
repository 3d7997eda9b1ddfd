#include "syscomp/sycOneInstance.h"

#include <vector>

#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "syscomp/sycConsts.h"
#include "syscomp/sycVclUtils.h"

namespace {

// The "Default" mutexes this process took: held until the program ends.
class HeldMutexes {
public:
  ~HeldMutexes() {
    for (HANDLE h : handles_) {
      ::ReleaseMutex(h);
      ::CloseHandle(h);
    }
  }
  void Keep(HANDLE h) { handles_.push_back(h); }

private:
  std::vector<HANDLE> handles_;
};

HeldMutexes& Held() {
  static HeldMutexes held;
  return held;
}

}  // namespace

void TsycOneInstance::Loaded() {
  inherited::Loaded();
  Check();
}

void TsycOneInstance::Check() {
  if (IsAnotherInstance()) DoAnotherInstance();
}

bool TsycOneInstance::IsAnotherInstance() {
  if (IsDesigning()) return false;
  const AnsiString prefix = Application->GetTitle() + ".OneInstance.";
  UniqueHandle section(::CreateMutexA(nullptr, TRUE, (prefix + "CriticalSection").c_str()));
  if (!section || ::GetLastError() == ERROR_ALREADY_EXISTS) return true;
  bool another = true;
  if (HANDLE first = ::CreateMutexA(nullptr, FALSE, (prefix + "Default").c_str())) {
    // Only a copy that holds the mutex makes the wait time out; this thread may hold it already
    // from an earlier check, which answers at once.
    another = ::WaitForSingleObject(first, 0) == WAIT_TIMEOUT;
    if (another)
      ::CloseHandle(first);
    else
      Held().Keep(first);
  }
  ::ReleaseMutex(section.get());
  return another;
}

void TsycOneInstance::DoAnotherInstance() {
  const bool showMainForm = Application->GetShowMainForm();
  Application->SetShowMainForm(false);
  bool terminate = true;
  if (ShowMessage) {
    if (OnShowMessage) {
      OnShowMessage(this, terminate);
    } else {
      const AnsiString title = Application->GetTitle();
      const AnsiString text = Message.empty() ? Format(SsycAlreadyRunning, title) : Message;
      ::MessageBoxA(Application->GetHandle(), text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
    }
  }
  if (ActivatePrevInstance) syc::ActivatePrevInstance();
  if (terminate)
    Application->Terminate();
  else
    Application->SetShowMainForm(showMainForm);
}

PUBLISHED(TsycOneInstance) {
  Prop("ActivatePrevInstance", &TsycOneInstance::ActivatePrevInstance).Default(true);
  Prop("Message", &TsycOneInstance::Message);
  Prop("ShowMessage", &TsycOneInstance::ShowMessage).Default(false);
  Prop("OnShowMessage", &TsycOneInstance::OnShowMessage);
}
