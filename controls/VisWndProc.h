// TVisWndProcComponent: a component that changes how its owner form looks or behaves by putting
// its own window procedure in front of the form's and passing messages on. TVisXPThemeManager
// follows theme changes of the system with it.
#pragma once

#include "classlib/Messages.h"
#include "controls/VisComponent.h"

class TVisWndProcComponent : public TVisCustomComponent {
  CLASS_INFO(TVisWndProcComponent, TVisCustomComponent)
public:
  // FormKind is taken from the owner's form style: 0 ordinary, 1 MDI child, 2 MDI frame.
  explicit TVisWndProcComponent(TComponent* AOwner);
  // Removes the hook first.
  ~TVisWndProcComponent() override;

  bool GetEnabled() const { return FEnabled; }
  // On a change: hooks (true) or unhooks (false) unless designing, then Refresh.
  void SetEnabled(bool Value);
  // Hook also while the component is designed.
  bool DesignActive = false;
  // Also receive the application window's messages (AppWndProc).
  bool HookApplication = false;
  // With an MDI frame owner, hook the form's own window instead of its client window.
  bool UseFormHandle = false;

  Byte GetFormKind() const { return FFormKind; }
  bool GetHooked() const { return FSavedProc != nullptr; }
  // The window the hook is put on: none without an owner; the client window of an MDI frame
  // owner unless UseFormHandle; otherwise the owner's window (made if needed).
  virtual HWND GetTargetWindow();

  void Loaded() override;

protected:
  // A message of the application window, before the application's own procedure. True answers
  // that it was handled, which stops it there: neither later hooks nor the application see it.
  // The base handles none, so that the application keeps working while hooked.
  virtual bool AppWndProc(TMessage& Message);
  // Installs the hook when Enabled and not yet installed (also refused without a target
  // window, and while designing without DesignActive).
  virtual void Hook();
  virtual void Unhook();
  // The replacement window procedure. Descendants handle their messages first and pass the
  // rest to this, which hands them to the procedure the window had before.
  virtual void WndProc(TMessage& Message);
  // Removes the hook while designing without DesignActive.
  virtual void CheckDesign();
  // Called after Enabled changed; nothing at this level.
  virtual void Refresh();

  // Passes a message to the procedure the window had before.
  void CallSavedProc(TMessage& Message);
  HWND GetHookedWindow() const { return FHookedWindow; }
  // Set once the hooked window is being destroyed: descendants leave their work alone.
  bool GetDestroying() const { return FDestroying; }

private:
  void HookedWndProc(TMessage& Message);
  bool IsDesigningInactive() const;

  bool FEnabled = true;
  bool FAppHooked = false;
  Byte FFormKind = 0;
  WNDPROC FObjectInstance = nullptr;
  WNDPROC FSavedProc = nullptr;
  HWND FHookedWindow = nullptr;
  bool FDestroying = false;
};

// Follows theme changes of the system: when the system reports one while the application uses
// XP themes, the themes are switched off and on again so that every form is refreshed. It
// listens on a hidden top-level window of its own, which the system tells of theme changes.
// One is made with the application object.
class TVisXPThemeManager : public TVisWndProcComponent {
  CLASS_INFO(TVisXPThemeManager, TVisWndProcComponent)
public:
  // Sets the application's theme switch from the themes' availability and starts listening.
  explicit TVisXPThemeManager(TComponent* AOwner);
  ~TVisXPThemeManager() override;
  HWND GetTargetWindow() override { return FWindow; }

protected:
  void WndProc(TMessage& Message) override;

private:
  HWND FWindow = nullptr;
};
