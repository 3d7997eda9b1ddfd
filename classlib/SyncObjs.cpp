#include "classlib/SyncObjs.h"

#include "classlib/SysUtils.h"

THandleObject::~THandleObject() {
  if (FHandle) ::CloseHandle(FHandle);
}

TWaitResult THandleObject::WaitFor(DWORD Timeout) {
  switch (::WaitForSingleObject(FHandle, Timeout)) {
    case WAIT_OBJECT_0:
      return wrSignaled;
    case WAIT_TIMEOUT:
      return wrTimeout;
    case WAIT_ABANDONED:
      return wrAbandoned;
    case WAIT_FAILED:
      FLastError = static_cast<int>(::GetLastError());
      return wrError;
    default:
      return wrError;
  }
}

TEvent::TEvent(SECURITY_ATTRIBUTES* EventAttributes, bool ManualReset, bool InitialState, const AnsiString& Name) {
  FHandle = ::CreateEventA(EventAttributes, ManualReset, InitialState, Name.empty() ? nullptr : Name.c_str());
  // A name already taken by another kind of object (a mutex, a file mapping) gives no event.
  if (!FHandle) {
    FLastError = static_cast<int>(::GetLastError());
    const AnsiString what = Name.empty() ? AnsiString("an event") : "the event '" + Name + "'";
    throw ESyncObjectException("Cannot create " + what + ": " + SysErrorMessage(static_cast<DWORD>(FLastError)));
  }
}

void TEvent::SetEvent() { ::SetEvent(FHandle); }

void TEvent::ResetEvent() { ::ResetEvent(FHandle); }

TSimpleEvent::TSimpleEvent() : TEvent(nullptr, true, false, AnsiString()) {}

TCriticalSection::TCriticalSection() { ::InitializeCriticalSection(&FSection); }

TCriticalSection::~TCriticalSection() { ::DeleteCriticalSection(&FSection); }

void TCriticalSection::Acquire() { ::EnterCriticalSection(&FSection); }

void TCriticalSection::Release() { ::LeaveCriticalSection(&FSection); }

bool TCriticalSection::TryEnter() { return ::TryEnterCriticalSection(&FSection) != FALSE; }
