// Actions: a command (its caption, shortcut, enabled and checked state, hint and handler) kept
// once and shared by the menu items and controls that offer it. An action list holds the
// actions of a form and answers their shortcuts.
//
// An action without its own OnExecute (or OnUpdate) is carried out by a target: the action
// list's OnExecute, Application->OnActionExecute, then the active form's focused control (its
// ExecuteAction), the form and its other controls. The standard edit actions (TEditCut,
// TEditCopy, TEditPaste, TEditSelectAll, TEditUndo, TEditDelete) act this way on the edit
// control that has the focus.
#pragma once

#include <vector>

#include "classlib/Controls.h"
#include "classlib/Menus.h"

class TCustomActionList;
class TCustomImageList;

class TBasicAction : public TComponent {
  CLASS_INFO(TBasicAction, TComponent)
public:
  explicit TBasicAction(TComponent* AOwner);
  ~TBasicAction() override;

  // Whether the action can act on Target, and acting on it (the standard actions).
  virtual bool HandlesTarget(TObject* Target);
  virtual void UpdateTarget(TObject* Target);
  virtual void ExecuteTarget(TObject* Target);
  // Carries the action out; true when something did.
  virtual bool Execute();
  // Brings the action's state up to date (OnUpdate or a target); true when something did.
  virtual bool Update();

  // The clients (controls, menu items) hear of every change of the action through these.
  void RegisterChanges(TNotifyEvent Client);
  void UnRegisterChanges(TNotifyEvent Client);

  // The client that executed the action last.
  TComponent* ActionComponent = nullptr;
  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

protected:
  // Tells the clients that the action changed.
  virtual void Change();

private:
  std::vector<TNotifyEvent> FClients;
};

// An action that belongs to an action list.
class TContainedAction : public TBasicAction {
  CLASS_INFO(TContainedAction, TBasicAction)
public:
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  ~TContainedAction() override;

  bool Execute() override;
  bool Update() override;

  TCustomActionList* GetActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* Value);
  AnsiString GetCategory() const { return FCategory; }
  void SetCategory(const AnsiString& Value) { FCategory = Value; }
  Integer GetIndex() const;
  void SetIndex(Integer Value);

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

protected:
  TCustomActionList* FActionList = nullptr;

private:
  friend class TCustomActionList;
  AnsiString FCategory;
};

using THintEvent = Closure<void(AnsiString& HintStr, bool& CanShow)>;

class TCustomAction : public TContainedAction {
  CLASS_INFO(TCustomAction, TContainedAction)
public:
  explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

  // Updates the action; when it is enabled, toggles AutoCheck and carries it out.
  bool Execute() override;
  // OnUpdate or a target; an action that nothing updates and nothing executes is disabled
  // when DisableIfNoHandler is set.
  bool Update() override;
  // Executes the action for its shortcut; false when it is disabled.
  virtual bool HandleShortCut() { return Execute(); }
  // OnHint; false when the hint is not to be shown.
  virtual bool DoHint(AnsiString& HintStr, bool& CanShow);

  AnsiString GetCaption() const { return FCaption; }
  void SetCaption(const AnsiString& Value);
  bool GetChecked() const { return FChecked; }
  // Checking an action of a group (GroupIndex > 0) unchecks the others of the group in its list.
  void SetChecked(bool Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  AnsiString GetHint() const { return FHint; }
  void SetHint(const AnsiString& Value);
  THelpContext GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext Value);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  // Further shortcuts that run the action (not shown in menus).
  std::vector<TShortCut> SecondaryShortCuts;
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value);
  Integer GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);

  bool DisableIfNoHandler = true;
  THintEvent OnHint;

private:
  AnsiString FCaption;
  AnsiString FHint;
  TShortCut FShortCut = 0;
  THelpContext FHelpContext = 0;
  Integer FImageIndex = -1;
  Integer FGroupIndex = 0;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FAutoCheck = false;
};

class TAction : public TCustomAction {
  CLASS_INFO(TAction, TCustomAction)
public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

using TActionEvent = Closure<void(TBasicAction* Action, bool& Handled)>;
enum TActionListState { asNormal, asSuspended, asSuspendedEnabled };

class TCustomActionList : public TComponent {
  CLASS_INFO(TCustomActionList, TComponent)
public:
  explicit TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}
  ~TCustomActionList() override;

  Integer GetActionCount() const { return Integer(FActions.size()); }
  TContainedAction* GetActions(Integer Index) const { return FActions.at(static_cast<std::size_t>(Index)); }
  TContainedAction* operator[](Integer Index) const { return GetActions(Index); }
  void AddAction(TContainedAction* Action);
  void RemoveAction(TContainedAction* Action);

  // OnExecute / OnUpdate for one of the list's actions; true when handled.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);
  // When the key message is the shortcut of one of the actions, executes it; true when it ran.
  bool IsShortCut(TMessage& Message);
  // Updates every action (done when the program is idle).
  void UpdateActions();

  TActionListState GetState() const { return FState; }
  void SetState(TActionListState Value);
  // The pictures of the actions (by their ImageIndex) for the controls linked to them.
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TActionEvent OnExecute;
  TActionEvent OnUpdate;
  TNotifyEvent OnChange;

private:
  friend class TContainedAction;
  friend class TCustomAction;
  std::vector<TContainedAction*> FActions;
  TActionListState FState = asNormal;
  TCustomImageList* FImages = nullptr;
};

class TActionList : public TCustomActionList {
  CLASS_INFO(TActionList, TCustomActionList)
public:
  explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

// --- The standard edit actions ----------------------------------------------------------------------

// An action on an edit control: a native edit (or a control that answers WM_GETDLGCODE with
// DLGC_HASSETSEL, such as a combo box's edit) that has the focus, or the fixed Control.
class TEditAction : public TAction {
  CLASS_INFO(TEditAction, TAction)
public:
  explicit TEditAction(TComponent* AOwner) : TAction(AOwner) {}
  bool HandlesTarget(TObject* Target) override;
  void UpdateTarget(TObject* Target) override;

  TWinControl* GetControl() const { return FControl; }
  void SetControl(TWinControl* Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  // The edit window the action works on for Target (the focused window inside it).
  HWND EditWindow(TObject* Target) const;
  bool HasSelection(HWND Edit) const;
  bool IsReadOnly(HWND Edit) const;

private:
  TWinControl* FControl = nullptr;
};

// Cuts the selection to the clipboard. Caption "Cu&t", Ctrl+X.
class TEditCut : public TEditAction {
  CLASS_INFO(TEditCut, TEditAction)
public:
  explicit TEditCut(TComponent* AOwner);
  void ExecuteTarget(TObject* Target) override;
  void UpdateTarget(TObject* Target) override;
};

// Copies the selection to the clipboard. Caption "&Copy", Ctrl+C.
class TEditCopy : public TEditAction {
  CLASS_INFO(TEditCopy, TEditAction)
public:
  explicit TEditCopy(TComponent* AOwner);
  void ExecuteTarget(TObject* Target) override;
  void UpdateTarget(TObject* Target) override;
};

// Pastes the clipboard's text. Caption "&Paste", Ctrl+V.
class TEditPaste : public TEditAction {
  CLASS_INFO(TEditPaste, TEditAction)
public:
  explicit TEditPaste(TComponent* AOwner);
  void ExecuteTarget(TObject* Target) override;
  void UpdateTarget(TObject* Target) override;
};

// Selects the whole text. Caption "Select &All", Ctrl+A.
class TEditSelectAll : public TEditAction {
  CLASS_INFO(TEditSelectAll, TEditAction)
public:
  explicit TEditSelectAll(TComponent* AOwner);
  void ExecuteTarget(TObject* Target) override;
  void UpdateTarget(TObject* Target) override;
};

// Undoes the last change. Caption "&Undo", Ctrl+Z.
class TEditUndo : public TEditAction {
  CLASS_INFO(TEditUndo, TEditAction)
public:
  explicit TEditUndo(TComponent* AOwner);
  void ExecuteTarget(TObject* Target) override;
  void UpdateTarget(TObject* Target) override;
};

// Deletes the selection. Caption "&Delete", Del.
class TEditDelete : public TEditAction {
  CLASS_INFO(TEditDelete, TEditAction)
public:
  explicit TEditDelete(TComponent* AOwner);
  void ExecuteTarget(TObject* Target) override;
  void UpdateTarget(TObject* Target) override;
};
