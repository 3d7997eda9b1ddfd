#include "classlib/Threads.h"

#include <process.h>

#include <vector>

#include "classlib/Handles.h"
#include "classlib/SyncObjs.h"
#include "classlib/SysUtils.h"

namespace {

// A method handed over by Synchronize, waiting for the main thread.
struct SyncRequest {
  TThreadMethod Method;
  std::exception_ptr Error;
  HANDLE Done;
};

// The queue of waiting requests and its lock. Function-local so that a thread created while
// other units are initialised still finds them.
TCriticalSection& SyncLock() {
  static TCriticalSection lock;
  return lock;
}

std::vector<SyncRequest*>& SyncQueue() {
  static std::vector<SyncRequest*> queue;
  return queue;
}

// Signalled while requests wait; TThread::WaitFor on the main thread watches it.
HANDLE SyncEvent() {
  static const UniqueHandle event(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  return event.get();
}

constexpr UINT kWakeMessage = WM_APP + 1;

LRESULT CALLBACK SyncWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kWakeMessage) {
    CheckSynchronize();
    return 0;
  }
  return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

// The message-only window of the main thread that workers wake with a posted message. It is made
// while the program starts, on the main thread, and lives as long as the program.
HWND CreateSyncWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &SyncWindowProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "PelorinThreadSync";
  ::RegisterClassA(&wc);
  return ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

const HWND g_syncWindow = CreateSyncWindow();

// Keeps the exception being handled so that it can be looked at later; anything that is not a
// class-library object becomes an Exception with the same text.
std::exception_ptr CaptureException() {
  try {
    throw;
  } catch (const TObject&) {
    return std::current_exception();
  } catch (const std::exception& e) {
    return std::make_exception_ptr(Exception(e.what()));
  } catch (...) {
    return std::make_exception_ptr(Exception("Unknown exception"));
  }
}

constexpr int kPriorities[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_BELOW_NORMAL,
                               THREAD_PRIORITY_NORMAL,       THREAD_PRIORITY_ABOVE_NORMAL,
                               THREAD_PRIORITY_HIGHEST,      THREAD_PRIORITY_TIME_CRITICAL};

}  // namespace

const DWORD MainThreadID = ::GetCurrentThreadId();

bool CheckSynchronize(int Timeout) {
  if (::GetCurrentThreadId() != MainThreadID)
    throw EThread("CheckSynchronize called from thread $" + IntToHex(static_cast<Integer>(::GetCurrentThreadId()), 0) +
                  ", which is NOT the main thread");
  // The event is reset before the queue is taken: a request queued after that sets it again.
  if (Timeout > 0) {
    if (::WaitForSingleObject(SyncEvent(), static_cast<DWORD>(Timeout)) == WAIT_OBJECT_0) ::ResetEvent(SyncEvent());
  } else {
    ::ResetEvent(SyncEvent());
  }
  std::vector<SyncRequest*> local;
  SyncLock().Enter();
  local.swap(SyncQueue());
  SyncLock().Leave();
  // A method may run a modal loop that calls CheckSynchronize again; it serves the requests
  // that arrive meanwhile, as this call has taken its own out of the queue.
  for (SyncRequest* request : local) {
    try {
      request->Method();
    } catch (...) {
      request->Error = std::current_exception();
    }
    ::SetEvent(request->Done);
  }
  return !local.empty();
}

TThread::TThread(bool CreateSuspended) {
  (void)g_syncWindow;
  FSuspended = CreateSuspended;
  unsigned id = 0;
  FHandle = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id));
  if (!FHandle) throw EThread("Thread creation error: " + SysErrorMessage(::GetLastError()));
  FThreadID = id;
  if (!CreateSuspended) ::ResumeThread(FHandle);
}

TThread::~TThread() {
  // A thread that deletes itself (FreeOnTerminate, or from Execute) has nothing to wait for.
  if (FThreadID != 0 && ::GetCurrentThreadId() != FThreadID) {
    try {
      if (!FFinished) Terminate();
      while (FSuspended) Resume();
      WaitFor();
    } catch (...) {
      // The thread is gone already; there is nothing left to wait for.
    }
  }
  if (FHandle) ::CloseHandle(FHandle);
}

unsigned __stdcall TThread::ThreadProc(void* Self) { return static_cast<unsigned>(static_cast<TThread*>(Self)->Run()); }

DWORD TThread::Run() {
  if (!FTerminated) {
    try {
      Execute();
    } catch (...) {
      FFatalException = CaptureException();
    }
  }
  const bool freeThread = FreeOnTerminate;
  const DWORD result = static_cast<DWORD>(ReturnValue.load());
  FFinished = true;
  try {
    DoTerminate();
  } catch (...) {
    // An exception from OnTerminate comes back through Synchronize; it ends the thread like one
    // from Execute instead of escaping the thread function.
    if (!FFatalException) FFatalException = CaptureException();
  }
  if (freeThread) delete this;
  return result;
}

void TThread::CheckThreadError(bool Success) const {
  if (Success) return;
  const int code = static_cast<int>(::GetLastError());
  throw EThread("Thread Error: " + SysErrorMessage(static_cast<DWORD>(code)) + " (" + IntToStr(code) + ")");
}

void TThread::Resume() {
  const DWORD count = ::ResumeThread(FHandle);
  CheckThreadError(count != static_cast<DWORD>(-1));
  if (count <= 1) FSuspended = false;
}

void TThread::Suspend() {
  const bool old = FSuspended;
  FSuspended = true;
  if (::SuspendThread(FHandle) == static_cast<DWORD>(-1)) {
    const DWORD error = ::GetLastError();
    FSuspended = old;
    ::SetLastError(error);
    CheckThreadError(false);
  }
  // SuspendThread only asks for the suspension; reading the thread's context waits until the
  // thread has really stopped, so that it does nothing more once Suspend has returned.
  if (::GetCurrentThreadId() != FThreadID) {
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL;
    ::GetThreadContext(FHandle, &context);
  }
}

void TThread::SetSuspended(bool Value) {
  if (Value == FSuspended) return;
  if (Value)
    Suspend();
  else
    Resume();
}

void TThread::Terminate() { FTerminated = true; }

DWORD TThread::WaitFor() {
  if (::GetCurrentThreadId() == MainThreadID) {
    // The thread may synchronize on its way out (OnTerminate); serve it while waiting, and let
    // messages sent to this thread's windows through so that a worker sending one is not stuck.
    HANDLE handles[2] = {FHandle, SyncEvent()};
    DWORD result = 0;
    do {
      if (result == WAIT_OBJECT_0 + 2) {
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
      }
      result = ::MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
      CheckThreadError(result != WAIT_FAILED);
      if (result == WAIT_OBJECT_0 + 1) CheckSynchronize();
    } while (result != WAIT_OBJECT_0);
  } else {
    ::WaitForSingleObject(FHandle, INFINITE);
  }
  DWORD code = 0;
  CheckThreadError(::GetExitCodeThread(FHandle, &code) != FALSE);
  return code;
}

void TThread::Synchronize(TThreadMethod Method) { Synchronize(this, std::move(Method)); }

void TThread::Synchronize(TThread*, TThreadMethod Method) {
  if (::GetCurrentThreadId() == MainThreadID) {
    Method();
    return;
  }
  UniqueHandle done(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!done) throw EThread("Thread Error: " + SysErrorMessage(::GetLastError()));
  SyncRequest request{std::move(Method), nullptr, done.get()};
  SyncLock().Enter();
  SyncQueue().push_back(&request);
  ::SetEvent(SyncEvent());
  SyncLock().Leave();
  ::PostMessageA(g_syncWindow, kWakeMessage, 0, 0);
  ::WaitForSingleObject(done.get(), INFINITE);
  if (request.Error) std::rethrow_exception(request.Error);
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize(TThreadMethod(this, &TThread::CallOnTerminate));
}

void TThread::CallOnTerminate() {
  if (OnTerminate) OnTerminate(this);
}

TObject* TThread::GetFatalException() const {
  if (!FFatalException) return nullptr;
  try {
    std::rethrow_exception(FFatalException);
  } catch (TObject& e) {
    return &e;
  } catch (...) {
    return nullptr;
  }
}

TThreadPriority TThread::GetPriority() const {
  const int p = ::GetThreadPriority(FHandle);
  CheckThreadError(p != THREAD_PRIORITY_ERROR_RETURN);
  for (int i = tpIdle; i <= tpTimeCritical; ++i)
    if (kPriorities[i] == p) return static_cast<TThreadPriority>(i);
  return tpNormal;
}

void TThread::SetPriority(TThreadPriority Value) {
  CheckThreadError(::SetThreadPriority(FHandle, kPriorities[Value]) != FALSE);
}
