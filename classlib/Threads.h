// Worker threads and the hand-over of work to the main thread.
//
// A worker runs a method on the main thread with Synchronize: the method is queued, the main
// thread is woken by a message posted to a hidden message-only window it owns, and the window's
// procedure runs the queue (CheckSynchronize). Because any message loop of the main thread
// dispatches that message - the program's own loop as well as the modal loops of dialogs, message
// boxes and menus - the worker is served even while the main thread waits in a modal window.
#pragma once

#include <atomic>
#include <exception>

#include "classlib/TypInfo.h"
#include "classlib/WinApi.h"

using TThreadMethod = Closure<void()>;

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
// Thread components publish a priority.
ENUM_NAMES(TThreadPriority, "tpIdle", "tpLowest", "tpLower", "tpNormal", "tpHigher", "tpHighest", "tpTimeCritical");

// A thread operation that the operating system refused.
class EThread : public Exception {
  CLASS_INFO(EThread, Exception)
public:
  using Exception::Exception;
};

// The id of the program's main thread: the one that serves Synchronize.
extern const DWORD MainThreadID;

// Runs the methods that workers handed over with Synchronize. Only the main thread may call it
// (EThread otherwise). With a positive Timeout it first waits that many milliseconds for work to
// arrive. Returns whether it ran anything.
bool CheckSynchronize(int Timeout = 0);

// A thread of its own. Derive from it and override Execute.
//
// TThread(false) starts the operating-system thread at once, before the constructor of the
// derived class has run. A derived class whose Execute uses members that its constructor sets up
// therefore passes true and calls Resume() as the last step of its own constructor when it is
// to start running.
//
// Execute should look at Terminated now and then and return when it is set. An exception that
// escapes Execute ends the thread and is kept in FatalException.
//
// Destroying a thread object from another thread terminates the thread (Terminate, resuming it
// when suspended) and waits for it. The base class does that after the derived destructors have
// run, so a derived class whose Execute uses its own members stops the thread first in its own
// destructor (Terminate(); WaitFor();).
class TThread : public TObject {
  CLASS_INFO(TThread, TObject)
public:
  explicit TThread(bool CreateSuspended);
  ~TThread() override;

  // Lets a suspended thread run again; a thread suspended twice needs two calls.
  void Resume();
  // Stops the thread where it is (the operating system suspends it); when called from another
  // thread it returns once the thread has stopped.
  void Suspend();
  // Asks the thread to end: sets Terminated, which Execute is expected to watch.
  void Terminate();
  // Waits until the thread has ended and returns its exit code, which is ReturnValue. Called on
  // the main thread it keeps serving Synchronize meanwhile, so a worker that synchronizes on its
  // way out cannot deadlock it. Never call it for a FreeOnTerminate thread.
  DWORD WaitFor();

  // Runs Method on the main thread and waits until it has run (see the protected overload).
  static void Synchronize(TThread* AThread, TThreadMethod Method);

  // The exception that ended Execute, or nullptr. Exceptions that are not class-library objects
  // are kept as an Exception with their text.
  TObject* GetFatalException() const;
  HANDLE GetHandle() const noexcept { return FHandle; }
  DWORD GetThreadID() const noexcept { return FThreadID; }
  TThreadPriority GetPriority() const;
  void SetPriority(TThreadPriority Value);
  bool GetSuspended() const noexcept { return FSuspended; }
  void SetSuspended(bool Value);
  bool GetTerminated() const noexcept { return FTerminated; }

  // When set, the object deletes itself once the thread has ended (after OnTerminate).
  std::atomic<bool> FreeOnTerminate{false};
  // Runs on the main thread (through Synchronize) when Execute has returned.
  TNotifyEvent OnTerminate;

protected:
  // The work of the thread.
  virtual void Execute() = 0;
  // Called in the thread after Execute; runs OnTerminate on the main thread.
  virtual void DoTerminate();
  // Runs Method on the main thread and blocks this thread until it has run. An exception raised
  // by Method is raised again here, in this thread. Called on the main thread, it runs Method
  // directly.
  void Synchronize(TThreadMethod Method);

  // The thread's exit code, returned by WaitFor.
  std::atomic<Integer> ReturnValue{0};

private:
  static unsigned __stdcall ThreadProc(void* Self);
  DWORD Run();
  void CallOnTerminate();
  void CheckThreadError(bool Success) const;

  HANDLE FHandle = nullptr;
  DWORD FThreadID = 0;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FSuspended{false};
  std::atomic<bool> FFinished{false};
  std::exception_ptr FFatalException;
};
