// Forms: the application object, the screen object, scrolling controls and forms.
//
// Application (a TApplication) exists before any form: it owns the hidden top-level window of
// class "TApplication" whose text is the Title and which owns every form's window, runs the
// message loop (Run, HandleMessage, ProcessMessages and the modal loops), routes keys to menus,
// dialog keys and accelerators before they reach a control, shows hints and reports
// exceptions. Screen (a TScreen) knows the forms, the active form and control, the cursors and
// the screen's size.
//
// A form is built in code: a class derived from TForm creates its controls and binds its
// handlers in its constructor. Once the whole object has been constructed, the form starts as
// one read from a form stream does: each of its components' Loaded runs (a form that was read
// from a stream has had that already), then OnCreate. That happens in AfterConstruction, which
// Application->CreateForm calls and - for a form made with plain `new` - the first Show or
// ShowModal calls at the latest; a form created with new and never shown can call it itself.
#pragma once

#include <vector>

#include "classlib/Controls.h"
#include "classlib/Icons.h"

class TMainMenu;
class TCustomForm;
class TForm;
class TCustomActionList;

// --- Scrolling --------------------------------------------------------------------------------------

class TScrollingWinControl;

enum TScrollBarKind { sbHorizontal, sbVertical };

// One scroll bar of a scrolling control: Range is the size of what can be scrolled, Position the
// part scrolled out of sight (both in pixels).
class TControlScrollBar : public TPersistent {
  CLASS_INFO(TControlScrollBar, TPersistent)
public:
  TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind);
  void Assign(TPersistent* Source) override;

  TScrollBarKind GetKind() const { return FKind; }
  Integer GetIncrement() const { return FIncrement; }
  void SetIncrement(Integer Value) { FIncrement = Value; }
  Integer GetMargin() const { return FMargin; }
  void SetMargin(Integer Value);
  Integer GetPosition() const { return FPosition; }
  void SetPosition(Integer Value);
  Integer GetRange() const { return FRange; }
  void SetRange(Integer Value);
  bool GetTracking() const { return FTracking; }
  void SetTracking(bool Value) { FTracking = Value; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  // Whether the bar is shown: Visible and a range larger than the control's client size.
  bool IsScrollBarVisible();
  // The largest position.
  Integer GetScrollMax();

protected:
  TPersistent* GetOwner() const override;

private:
  friend class TScrollingWinControl;
  Integer ControlSize(bool ControlSB, bool AssumeSB);
  void ScrollMessage(TMessage& Message);
  void Update(bool ControlSB, bool AssumeSB);
  void CalcAutoRange();

  TScrollingWinControl* FControl;
  TScrollBarKind FKind;
  Integer FIncrement = 8;
  Integer FPosition = 0;
  Integer FRange = 0;
  Integer FCalcRange = 0;
  Integer FMargin = 0;
  bool FVisible = true;
  bool FTracking = false;
  bool FUpdateNeeded = true;
};

// A windowed control whose children may reach beyond its client area; the scroll bars move them.
class TScrollingWinControl : public TWinControl {
  CLASS_INFO(TScrollingWinControl, TWinControl)
public:
  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;
  void Dispatch(TMessage& Message) override;

  // Scrolls so that the whole of AControl (a descendant) can be seen.
  void ScrollInView(TControl* AControl);
  void DisableAutoRange() { ++FAutoRangeCount; }
  void EnableAutoRange();

  bool GetAutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  TControlScrollBar* GetHorzScrollBar() const { return FHorzScrollBar; }
  void SetHorzScrollBar(TControlScrollBar* Value) { FHorzScrollBar->Assign(Value); }
  TControlScrollBar* GetVertScrollBar() const { return FVertScrollBar; }
  void SetVertScrollBar(TControlScrollBar* Value) { FVertScrollBar->Assign(Value); }

protected:
  void AdjustClientRect(TRect& Rect) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void CreateWnd() override;
  // Works out the ranges from the children when AutoScroll is on.
  void CalcAutoRange();

public:
  // Scrolls a control that received the focus into view, when AutoScroll is on.
  void AutoScrollInView(TControl* AControl);

protected:
  void UpdateScrollBars();

private:
  friend class TControlScrollBar;
  void WMSize(TMessage& Message);
  void WMScroll(TMessage& Message);

  TControlScrollBar* FHorzScrollBar;
  TControlScrollBar* FVertScrollBar;
  bool FAutoScroll = false;
  Integer FAutoRangeCount = 0;
  bool FUpdatingScrollBars = false;
};

// --- Forms ------------------------------------------------------------------------------------------------

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
ENUM_NAMES(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp");
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
ENUM_NAMES(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
           "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter");
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
ENUM_NAMES(TWindowState, "wsNormal", "wsMinimized", "wsMaximized");
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
ENUM_NAMES(TFormStyle, "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop");
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem>;
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = Closure<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = Closure<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = Closure<void(TMessage& Msg, bool& Handled)>;
// Command and Data as for WinHelp (HELP_CONTEXT and a context number...); clearing CallHelp
// stops the help file from being opened. The result is the event's answer.
using THelpEvent = Closure<bool(Word Command, NativeInt Data, bool& CallHelp)>;

class TCustomForm : public TScrollingWinControl {
  CLASS_INFO(TCustomForm, TScrollingWinControl)
public:
  // A form without controls: hidden, 320 by 240, sizeable, owned by AOwner (usually Application).
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  void BeforeDestruction() override;
  // Runs the components' Loaded and OnCreate, once; see the top of this file.
  virtual void AfterConstruction();
  // Reading the form from a form stream (its components get Loaded from the reader).
  void ReadState(TReader* Reader) override;

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  // --- Showing and closing
  // Makes the form visible and brings it to the front.
  void Show();
  // Shows the form modally: other windows of the program are disabled and messages are
  // processed (timers, posted messages, workers' Synchronize) until ModalResult is set; then
  // the form is hidden and ModalResult returned.
  virtual Integer ShowModal();
  // Asks OnCloseQuery, then OnClose decides what closing means (hide, free, minimise or
  // nothing). Closing the main form ends the program; closing a modal form sets ModalResult to
  // mrCancel.
  void Close();
  virtual bool CloseQuery();
  // Frees the form after the message being handled (a form may release itself from its own
  // handlers).
  void Release();
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  TFormState GetFormState() const { return FFormState; }

  // --- Focus
  TWinControl* GetActiveControl() const { return FActiveControl; }
  // The control that gets the focus when the form is active; EInvalidOperation when it cannot
  // take the focus.
  void SetActiveControl(TWinControl* Control);
  void FocusControl(TWinControl* Control);
  void DefocusControl(TWinControl* Control, bool Removing);
  // Called when a control of the form receives the focus: runs OnExit and OnEnter along the
  // way from the old focused control to the new one. False when the focus moved elsewhere
  // meanwhile.
  bool SetFocusedControl(TWinControl* Control);
  bool GetActive() const { return FActive; }
  void SetFocus() override;
  bool CanFocus() override { return FVisible && GetEnabled(); }
  void SendCancelMode(TControl* Sender);

  // --- Keys
  // Whether a key is a shortcut of OnShortCut, the menu or an action list of the form; if so
  // it has been carried out.
  virtual bool IsShortCut(TMessage& Message);
  virtual bool WantChildKey(TControl* Child, TMessage& Message);
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }

  // --- Look
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons GetBorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TWindowState GetWindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  TFormStyle GetFormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TMainMenu* GetMenu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  TIcon* GetIcon() const { return FIcon; }
  void SetIcon(TIcon* Value) { FIcon->Assign(Value); }
  TCanvas* GetCanvas() const { return FCanvas; }
  // The client window of a multiple-document frame; forms here have none.
  HWND GetClientHandle() const { return nullptr; }
  Integer GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(Integer Value) { FPixelsPerInch = Value; }

  // --- Help
  AnsiString GetHelpFile() const { return FHelpFile; }
  void SetHelpFile(const AnsiString& Value) { FHelpFile = Value; }

  TNotifyEvent OnActivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnDestroy;
  THelpEvent OnHelp;
  TNotifyEvent OnHide;
  TNotifyEvent OnPaint;
  TShortCutEvent OnShortCut;
  TNotifyEvent OnShow;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // The controls, then the form's components that have no parent (menus, timers, lists).
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void PaintWindow(HDC DC) override;
  void SetZOrder(bool TopMost) override;
  void Loaded() override;
  virtual void Paint();
  virtual void Activate();
  virtual void Deactivate();
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  // Ends a modal loop step: CloseQuery and OnClose with caHide; caNone keeps the form open.
  void CloseModal();

private:
  friend class TApplication;
  friend class TScreen;
  void SetActive(bool Value);
  void SetWindowFocus();
  void UpdateMenu();
  void UpdateIcon();
  bool SendFocusMessage(HWND Window, UINT Msg);

  void WMActivate(TMessage& Message);
  void WMClose(TMessage& Message);
  void WMCommand(TMessage& Message);
  void WMInitMenuPopup(TMessage& Message);
  void WMMenuSelect(TMessage& Message);
  void WMSysCommand(TMessage& Message);
  void WMHelp(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);
  void WMQueryEndSession(TMessage& Message);
  void WMDestroy(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void CMActivate(TMessage& Message);
  void CMDeactivate(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMRelease(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMIconChanged(TMessage& Message);
  void CMMenuChanged(TMessage& Message);

  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  TFormStyle FFormStyle = fsNormal;
  TFormState FFormState;
  TModalResult FModalResult = mrNone;
  TMainMenu* FMenu = nullptr;
  TIcon* FIcon = nullptr;
  TCanvas* FCanvas = nullptr;
  AnsiString FHelpFile;
  Integer FPixelsPerInch = 96;
  Integer FFocusCount = 0;
  bool FActive = false;
  bool FKeyPreview = false;
  bool FCreated = false;
  bool FReadFromStream = false;
  bool FReleasing = false;
};

// A form with its properties meant to be set.
class TForm : public TCustomForm {
  CLASS_INFO(TForm, TCustomForm)
public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
  // A plain form, for building a window entirely from the outside.
  static TForm* CreateNew(TComponent* AOwner) { return new TForm(AOwner); }
};

// The form a control is on (the outermost one, or the nearest with TopForm false); nullptr
// when it is on none.
TCustomForm* GetParentForm(TControl* Control, bool TopForm = true);
// Like GetParentForm, but raises EInvalidOperation when there is no form.
TCustomForm* ValidParentForm(TControl* Control, bool TopForm = true);

// Disables every enabled, visible top-level window of this thread except ActiveWindow, for a
// modal window; EnableTaskWindows enables them again.
using TTaskWindowList = std::vector<HWND>;
TTaskWindowList DisableTaskWindows(HWND ActiveWindow);
void EnableTaskWindows(const TTaskWindowList& WindowList);

// --- The screen ---------------------------------------------------------------------------------------

class TScreen : public TComponent {
  CLASS_INFO(TScreen, TComponent)
public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  Integer GetWidth() const { return ::GetSystemMetrics(SM_CXSCREEN); }
  Integer GetHeight() const { return ::GetSystemMetrics(SM_CYSCREEN); }
  Integer GetPixelsPerInch() const { return FPixelsPerInch; }
  // The whole desktop and the part not covered by task bars.
  TRect GetDesktopRect() const;
  TRect GetWorkAreaRect() const;

  // The cursor shown over every window of the program; crDefault lets each control show its own.
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  HCURSOR GetCursors(TCursor Index) const;
  // Registers a cursor (a loaded HCURSOR, which the screen then owns) under an index.
  void SetCursors(TCursor Index, HCURSOR Handle);

  // The forms (TForm and its descendants), the most recently active first.
  Integer GetFormCount() const;
  TForm* GetForms(Integer Index) const;
  Integer GetCustomFormCount() const { return Integer(FCustomForms.size()); }
  TCustomForm* GetCustomForms(Integer Index) const { return FCustomForms.at(static_cast<std::size_t>(Index)); }
  TForm* GetActiveForm() const { return FActiveForm; }
  TCustomForm* GetActiveCustomForm() const { return FActiveCustomForm; }
  TWinControl* GetActiveControl() const { return FActiveControl; }
  TCustomForm* GetFocusedForm() const { return FFocusedForm; }

  // The names of the screen fonts, sorted.
  TStrings* GetFonts();
  void ResetFonts();
  TFont* GetHintFont() const { return FHintFont; }
  TFont* GetIconFont() const { return FIconFont; }
  TFont* GetMenuFont() const { return FMenuFont; }

  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

private:
  friend class TCustomForm;
  friend class TApplication;
  void AddForm(TCustomForm* AForm);
  void RemoveForm(TCustomForm* AForm);
  void UpdateLastActive();
  void LoadSystemFonts();

  // The forms, the most recently active first. (Whether one is a TForm is asked when needed: a
  // form is added from TCustomForm's constructor, before it is one.)
  std::vector<TCustomForm*> FCustomForms;
  std::vector<std::pair<TCursor, HCURSOR>> FCursorList;
  HCURSOR FDefaultCursor = nullptr;
  TCursor FCursor = crDefault;
  Integer FCursorCount = 0;
  Integer FPixelsPerInch = 96;
  TForm* FActiveForm = nullptr;
  TCustomForm* FActiveCustomForm = nullptr;
  TWinControl* FActiveControl = nullptr;
  TCustomForm* FLastActiveCustomForm = nullptr;
  TWinControl* FLastActiveControl = nullptr;
  TCustomForm* FFocusedForm = nullptr;
  std::vector<TCustomForm*> FSaveFocusedList;
  TStringList* FFonts = nullptr;
  TFont* FHintFont = nullptr;
  TFont* FIconFont = nullptr;
  TFont* FMenuFont = nullptr;
};

// --- The application --------------------------------------------------------------------------------

using TIdleEvent = Closure<void(TObject* Sender, bool& Done)>;
using TMessageEvent = Closure<void(MSG& Msg, bool& Handled)>;
using TExceptionEvent = Closure<void(TObject* Sender, Exception* E)>;
using TShowHintEvent = Closure<void(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo)>;
// A hook on the application window's messages; true stops the message there.
using TWindowHook = Closure<bool(TMessage& Message)>;

class TApplication : public TComponent {
  CLASS_INFO(TApplication, TComponent)
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Prepares the application before the first form is created (nothing to do so far).
  void Initialize() {}
  // Creates a form owned by the application and sets Reference to it before OnCreate runs; the
  // first form created this way becomes the main form.
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = nullptr;
    T* form = new T(this);
    Reference = form;
    FormCreated(form);
  }
  // Shows the main form (when ShowMainForm) and runs the message loop until Terminate. When the
  // loop ends, the forms the application owns are freed, as the end of the program would.
  void Run();
  // Handles one message, or waits for one when there is none (idle processing first).
  void HandleMessage();
  // Handles every message waiting, then returns.
  void ProcessMessages();
  // Ends the message loop (posts WM_QUIT).
  void Terminate();
  bool GetTerminated() const { return FTerminate; }

  // Shows an exception: OnException, or a message box with its message. Call it inside a catch
  // block; EAbort is silent.
  void HandleException(TObject* Sender);
  void ShowException(Exception* E);
  // A message box owned by the active window, with the other windows disabled meanwhile.
  Integer MessageBox(const AnsiString& Text, const AnsiString& Caption, Integer Flags = MB_OK);

  // --- Help
  bool HelpCommand(Integer Command, NativeInt Data);
  bool HelpContext(THelpContext Context);
  bool HelpJump(const AnsiString& JumpID);
  AnsiString GetHelpFile() const { return FHelpFile; }
  void SetHelpFile(const AnsiString& Value) { FHelpFile = Value; }
  // The help file of the active form when it has one, else the application's.
  AnsiString GetCurrentHelpFile() const;

  // --- Hints
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  AnsiString GetHint() const { return FHint; }
  // Sets the current long hint and runs OnHint when it changes.
  void SetHint(const AnsiString& Value);
  TColor HintColor = clInfoBk;
  Integer HintPause = 500;
  Integer HintShortPause = 50;
  Integer HintHidePause = 2500;
  void CancelHint();
  void HideHint();
  void ActivateHint(const TPoint& CursorPos);
  // Called by controls for every mouse move: starts or moves the hint.
  void HintMouseMessage(TControl* Control, TMessage& Message);
  THintWindow* GetHintWindow() const { return FHintWindow; }

  // --- Windows and state
  HWND GetHandle() const { return FHandle; }
  TForm* GetMainForm() const { return FMainForm; }
  bool GetShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }
  AnsiString GetTitle() const { return FTitle; }
  void SetTitle(const AnsiString& Value);
  AnsiString GetExeName() const;
  TIcon* GetIcon() const { return FIcon; }
  void SetIcon(TIcon* Value);
  bool GetActive() const { return FActive; }
  // Minimizes the program (the application window and with it the forms) or restores it.
  void Minimize();
  void Restore();
  // Brings the program's top-most form to the front.
  void BringToFront();

  // The window of a dialog that is not a form (common dialogs) that should get dialog keys.
  HWND GetDialogHandle() const { return FDialogHandle; }
  void SetDialogHandle(HWND Value) { FDialogHandle = Value; }

  // Hooks on the application window's messages, called in the order added.
  void HookMainWindow(TWindowHook Hook);
  void UnhookMainWindow(TWindowHook Hook);

  // Runs an action's update or execution through OnActionUpdate/OnActionExecute, then the
  // active control and form.
  bool ExecuteAction(TBasicAction* Action);
  bool UpdateAction(TBasicAction* Action);

  // The control under the mouse, updated when idle; sends CM_MOUSEENTER and CM_MOUSELEAVE.
  TControl* DoMouseIdle();
  // Forgets a control that is being destroyed.
  void ControlDestroyed(TControl* Control);
  // Whether a key is a shortcut of the main form (OnShortCut first).
  bool IsShortCut(TMessage& Message);

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TExceptionEvent OnException;
  THelpEvent OnHelp;
  TNotifyEvent OnHint;
  TIdleEvent OnIdle;
  TMessageEvent OnMessage;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TShowHintEvent OnShowHint;
  TShortCutEvent OnShortCut;
  Closure<bool(TBasicAction* Action)> OnActionExecute;
  Closure<bool(TBasicAction* Action)> OnActionUpdate;

private:
  friend class TCustomForm;
  void FormCreated(TCustomForm* Form);
  void WndProc(TMessage& Message);
  bool ProcessMessage(MSG& Msg);
  void Idle(const MSG& Msg);
  bool IsKeyMsg(MSG& Msg);
  bool IsDlgMsg(MSG& Msg);
  bool IsHintMsg(MSG& Msg);
  void DoActionIdle();
  void UpdateVisible();
  void StartHintTimer(Integer Value, int Mode);
  void StopHintTimer();
  void HintTimerExpired();
  bool DoOnHelp(Integer Command, NativeInt Data, bool& CallHelp);
  bool InvokeHelp(Integer Command, NativeInt Data);

  HWND FHandle = nullptr;
  WNDPROC FObjectInstance = nullptr;
  TForm* FMainForm = nullptr;
  AnsiString FTitle;
  AnsiString FHelpFile;
  AnsiString FHint;
  TIcon* FIcon = nullptr;
  bool FTerminate = false;
  bool FActive = false;
  bool FShowMainForm = true;
  bool FShowHint = true;
  bool FHintActive = false;
  bool FRunning = false;
  int FHintTimerMode = 0;
  TControl* FMouseControl = nullptr;
  TControl* FHintControl = nullptr;
  TRect FHintCursorRect;
  THintWindow* FHintWindow = nullptr;
  HWND FDialogHandle = nullptr;
  std::vector<TWindowHook> FWindowHooks;
};

extern TApplication* Application;
extern TScreen* Screen;
