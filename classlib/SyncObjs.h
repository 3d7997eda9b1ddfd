// Synchronisation objects shared between threads: critical sections and events.
#pragma once

#include "classlib/WinApi.h"

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// Raised when the operating system cannot create a synchronisation object.
class ESyncObjectException : public Exception {
  CLASS_INFO(ESyncObjectException, Exception)
public:
  using Exception::Exception;
};

// The common base: something a thread acquires before it touches shared state and releases after.
class TSynchroObject : public TObject {
  CLASS_INFO(TSynchroObject, TObject)
public:
  virtual void Acquire() {}
  virtual void Release() {}
};

// A synchronisation object the operating system knows by a handle, which threads wait on.
class THandleObject : public TSynchroObject {
  CLASS_INFO(THandleObject, TSynchroObject)
public:
  ~THandleObject() override;

  // Waits until the object is signalled or Timeout milliseconds (INFINITE for no limit) pass.
  // wrError leaves the system's error code in GetLastError().
  virtual TWaitResult WaitFor(DWORD Timeout);

  HANDLE GetHandle() const noexcept { return FHandle; }
  int GetLastError() const noexcept { return FLastError; }

protected:
  HANDLE FHandle = nullptr;
  int FLastError = 0;
};

// An event object. A manual-reset event stays signalled until ResetEvent; an auto-reset event
// releases one waiting thread and resets itself. A non-empty Name opens or creates a named event
// that other processes can share.
class TEvent : public THandleObject {
  CLASS_INFO(TEvent, THandleObject)
public:
  TEvent(SECURITY_ATTRIBUTES* EventAttributes, bool ManualReset, bool InitialState, const AnsiString& Name);

  void SetEvent();
  void ResetEvent();
};

// A manual-reset, unnamed event that starts unsignalled.
class TSimpleEvent : public TEvent {
  CLASS_INFO(TSimpleEvent, TEvent)
public:
  TSimpleEvent();
};

// A critical section: only one thread at a time runs between Enter and Leave. The same thread may
// enter again; it must leave as often as it entered.
class TCriticalSection : public TSynchroObject {
  CLASS_INFO(TCriticalSection, TSynchroObject)
public:
  TCriticalSection();
  ~TCriticalSection() override;

  void Acquire() override;
  void Release() override;
  // Enters when no other thread is inside; never waits.
  bool TryEnter();
  void Enter() { Acquire(); }
  void Leave() { Release(); }

private:
  CRITICAL_SECTION FSection;
};
