// The window-procedure hook: offers every message of a window to events before and after the
// procedure it replaces, for any window or windowed control.
#pragma once

#include <functional>

#include "classlib/Messages.h"
#include "syscomp/sycComponentBase.h"

class TWinControl;

using TsycMessageEvent = Closure<void(TObject* Sender, TMessage& Msg, bool& Handled)>;

// Several hooks may watch one window: they form a chain in which the hook put on last sees each
// message first, and taking any of them off leaves the others working.
class TsycCustomWndProcHook : public TsycComponent {
  CLASS_INFO(TsycCustomWndProcHook, TsycComponent)
public:
  explicit TsycCustomWndProcHook(TComponent* AOwner);
  ~TsycCustomWndProcHook() override;

  // Hooks an active hook read from a form.
  void Loaded() override;
  // A WinControl that goes away is forgotten (and unhooked).
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Puts this hook into the window's chain; not in a designer.
  virtual void Hook();
  // Takes it out again, restoring the window's own procedure when no hook is left.
  virtual void Unhook();

  bool GetActive() const { return FActive; }
  virtual void SetActive(bool Value);
  // The window watched: the handle given, else WinControl's window (none while that control
  // is being read, or has no window while it is destroyed).
  virtual HWND GetHandle() const;
  virtual void SetHandle(HWND Value);
  // The control watched: the one given, else the owner when it is a windowed control.
  virtual TWinControl* GetWinControl() const;
  virtual void SetWinControl(TWinControl* Value);
  // Only a control given is written to forms; the owner is the owner anyway.
  bool IsWinControlStored() const { return FWinControl != nullptr; }
  bool IsHooked() const { return FHookedWindow != nullptr; }

  // A left button press drags the window, as a press on its caption would.
  bool AutoDrag = false;
  TNotifyEvent OnChangeHandle;
  TNotifyEvent OnChangeWinControl;
  TsycMessageEvent OnMessageAfter;
  TsycMessageEvent OnMessageBefore;

protected:
  // Every message of the window: OnMessageBefore, the procedure before this hook unless the
  // message was handled, OnMessageAfter.
  virtual void WndProc(TMessage& Msg);

private:
  friend class TsycWndProcHookList;
  // Changes what is watched, hooking the new window when the hook is active.
  void Rehook(const std::function<void()>& Change);

  bool FActive = false;
  HWND FHandle = nullptr;
  TWinControl* FWinControl = nullptr;
  HWND FHookedWindow = nullptr;    // the window this hook is in the chain of
  WNDPROC FPrevWndProc = nullptr;  // what this hook passes messages on to
  WNDPROC FObjectInstance = nullptr;
};

class TsycWndProcHook : public TsycCustomWndProcHook {
  CLASS_INFO(TsycWndProcHook, TsycCustomWndProcHook)
public:
  using TsycCustomWndProcHook::TsycCustomWndProcHook;
};
