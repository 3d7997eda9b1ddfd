#include "classlib/ActnList.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ImgList.h"

// --- TBasicAction --------------------------------------------------------------------------------------

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
  // The clients forget the action through their free notification.
  FClients.clear();
}

bool TBasicAction::HandlesTarget(TObject*) { return false; }

void TBasicAction::UpdateTarget(TObject*) {}

void TBasicAction::ExecuteTarget(TObject*) {}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterChanges(TNotifyEvent Client) { FClients.push_back(Client); }

void TBasicAction::UnRegisterChanges(TNotifyEvent Client) {
  auto it = std::find(FClients.begin(), FClients.end(), Client);
  if (it != FClients.end()) FClients.erase(it);
}

void TBasicAction::Change() {
  const std::vector<TNotifyEvent> clients = FClients;
  for (const TNotifyEvent& client : clients) client(this);
}

// --- TContainedAction ------------------------------------------------------------------------------------

TContainedAction::~TContainedAction() {
  if (FActionList) FActionList->RemoveAction(this);
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
  if (Value == FActionList) return;
  if (FActionList) FActionList->RemoveAction(this);
  if (Value) Value->AddAction(this);
}

Integer TContainedAction::GetIndex() const {
  if (!FActionList) return -1;
  auto& list = FActionList->FActions;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : Integer(it - list.begin());
}

void TContainedAction::SetIndex(Integer Value) {
  if (!FActionList) return;
  auto& list = FActionList->FActions;
  const Integer current = GetIndex();
  Value = std::clamp(Value, 0, Integer(list.size()) - 1);
  if (current < 0 || Value == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + Value, this);
}

TComponent* TContainedAction::GetParentComponent() const { return FActionList; }

void TContainedAction::SetParentComponent(TComponent* Value) {
  if (auto* list = dynamic_cast<TCustomActionList*>(Value)) SetActionList(list);
}

bool TContainedAction::Execute() {
  if (FActionList && FActionList->ExecuteAction(this)) return true;
  if (Application->ExecuteAction(this)) return true;
  if (inherited::Execute()) return true;
  return ::SendMessageA(Application->GetHandle(), CM_ACTIONEXECUTE, 0, reinterpret_cast<LPARAM>(this)) == 1;
}

bool TContainedAction::Update() {
  if (FActionList && FActionList->UpdateAction(this)) return true;
  if (Application->UpdateAction(this)) return true;
  if (inherited::Update()) return true;
  return ::SendMessageA(Application->GetHandle(), CM_ACTIONUPDATE, 0, reinterpret_cast<LPARAM>(this)) == 1;
}

// --- TCustomAction ---------------------------------------------------------------------------------------

bool TCustomAction::Execute() {
  if (FActionList && FActionList->GetState() != asNormal) return false;
  Update();
  if (!FEnabled) return false;
  if (FAutoCheck && (!FChecked || FGroupIndex == 0)) SetChecked(!FChecked);
  return inherited::Execute();
}

bool TCustomAction::Update() {
  if (FActionList && FActionList->GetState() == asSuspended) return false;
  const bool handled = inherited::Update();
  if (!handled && DisableIfNoHandler && !OnExecute) SetEnabled(false);
  return handled;
}

bool TCustomAction::DoHint(AnsiString& HintStr, bool& CanShow) {
  CanShow = true;
  if (OnHint) OnHint(HintStr, CanShow);
  return CanShow;
}

void TCustomAction::SetCaption(const AnsiString& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Change();
}

void TCustomAction::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  if (Value && FGroupIndex > 0 && FActionList)
    for (TContainedAction* other : FActionList->FActions)
      if (auto* action = dynamic_cast<TCustomAction*>(other);
          action && action != this && action->FGroupIndex == FGroupIndex && action->FChecked) {
        action->FChecked = false;
        action->Change();
      }
  Change();
}

void TCustomAction::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  if (FActionList && FActionList->GetState() == asSuspendedEnabled) return;
  FEnabled = Value;
  Change();
}

void TCustomAction::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Change();
}

void TCustomAction::SetHint(const AnsiString& Value) {
  if (Value == FHint) return;
  FHint = Value;
  Change();
}

void TCustomAction::SetHelpContext(THelpContext Value) {
  if (Value == FHelpContext) return;
  FHelpContext = Value;
  Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
  if (Value == FShortCut) return;
  FShortCut = Value;
  Change();
}

void TCustomAction::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  Change();
}

void TCustomAction::SetAutoCheck(bool Value) {
  if (Value == FAutoCheck) return;
  FAutoCheck = Value;
  Change();
}

void TCustomAction::SetGroupIndex(Integer Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  if (FChecked && Value > 0) {
    FChecked = false;
    SetChecked(true);
  }
  Change();
}

// --- TCustomActionList --------------------------------------------------------------------------------

TCustomActionList::~TCustomActionList() {
  for (TContainedAction* action : FActions) action->FActionList = nullptr;
}

void TCustomActionList::AddAction(TContainedAction* Action) {
  if (Action->FActionList == this) return;
  if (Action->FActionList) Action->FActionList->RemoveAction(Action);
  FActions.push_back(Action);
  Action->FActionList = this;
  Action->FreeNotification(this);
  if (OnChange) OnChange(this);
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
  auto it = std::find(FActions.begin(), FActions.end(), Action);
  if (it == FActions.end()) return;
  FActions.erase(it);
  Action->FActionList = nullptr;
  if (OnChange) OnChange(this);
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (auto* action = dynamic_cast<TContainedAction*>(AComponent)) RemoveAction(action);
  if (AComponent == FImages) FImages = nullptr;
}

void TCustomActionList::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
  bool handled = false;
  if (OnExecute) OnExecute(Action, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
  bool handled = false;
  if (OnUpdate) OnUpdate(Action, handled);
  return handled;
}

bool TCustomActionList::IsShortCut(TMessage& Message) {
  const TWMKey key{Message};
  const TShortCut shortCut = ShortCut(key.CharCode(), KeyDataToShiftState(key.KeyData()));
  if (shortCut == scNone) return false;
  const std::vector<TContainedAction*> actions = FActions;
  for (TContainedAction* a : actions) {
    auto* action = dynamic_cast<TCustomAction*>(a);
    if (!action) continue;
    const auto& more = action->SecondaryShortCuts;
    if (action->GetShortCut() == shortCut || std::find(more.begin(), more.end(), shortCut) != more.end())
      return action->HandleShortCut();
  }
  return false;
}

void TCustomActionList::UpdateActions() {
  if (FState != asNormal) return;
  const std::vector<TContainedAction*> actions = FActions;
  for (TContainedAction* action : actions) action->Update();
}

void TCustomActionList::SetState(TActionListState Value) {
  if (Value == FState) return;
  FState = Value;
  if (Value == asSuspendedEnabled)
    for (TContainedAction* a : FActions)
      if (auto* action = dynamic_cast<TCustomAction*>(a)) {
        FState = asNormal;
        action->SetEnabled(true);
        FState = asSuspendedEnabled;
      }
}

void TCustomActionList::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TContainedAction* action : FActions)
    if (action->GetOwner() == Root) Proc(action);
}

// --- Standard edit actions ---------------------------------------------------------------------------

void TEditAction::SetControl(TWinControl* Value) {
  if (Value == FControl) return;
  FControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TEditAction::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FControl) FControl = nullptr;
}

HWND TEditAction::EditWindow(TObject* Target) const {
  auto* control = dynamic_cast<TWinControl*>(Target);
  if (!control || (FControl && control != FControl) || !control->HandleAllocated()) return nullptr;
  HWND focus = ::GetFocus();
  if (!focus || (focus != control->GetHandle() && !::IsChild(control->GetHandle(), focus))) return nullptr;
  if ((::SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) == 0) return nullptr;
  return focus;
}

bool TEditAction::HandlesTarget(TObject* Target) { return EditWindow(Target) != nullptr; }

void TEditAction::UpdateTarget(TObject* Target) { SetEnabled(EditWindow(Target) != nullptr); }

bool TEditAction::HasSelection(HWND Edit) const {
  DWORD start = 0, end = 0;
  ::SendMessageA(Edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return end > start;
}

bool TEditAction::IsReadOnly(HWND Edit) const { return (::GetWindowLongPtrA(Edit, GWL_STYLE) & ES_READONLY) != 0; }

TEditCut::TEditCut(TComponent* AOwner) : TEditAction(AOwner) {
  SetCaption("Cu&t");
  SetHint("Cut|Cuts the selection and puts it on the Clipboard");
  SetShortCut(ShortCut('X', {ssCtrl}));
}

void TEditCut::ExecuteTarget(TObject* Target) {
  if (HWND edit = EditWindow(Target)) ::SendMessageA(edit, WM_CUT, 0, 0);
}

void TEditCut::UpdateTarget(TObject* Target) {
  HWND edit = EditWindow(Target);
  SetEnabled(edit && HasSelection(edit) && !IsReadOnly(edit));
}

TEditCopy::TEditCopy(TComponent* AOwner) : TEditAction(AOwner) {
  SetCaption("&Copy");
  SetHint("Copy|Copies the selection and puts it on the Clipboard");
  SetShortCut(ShortCut('C', {ssCtrl}));
}

void TEditCopy::ExecuteTarget(TObject* Target) {
  if (HWND edit = EditWindow(Target)) ::SendMessageA(edit, WM_COPY, 0, 0);
}

void TEditCopy::UpdateTarget(TObject* Target) {
  HWND edit = EditWindow(Target);
  SetEnabled(edit && HasSelection(edit));
}

TEditPaste::TEditPaste(TComponent* AOwner) : TEditAction(AOwner) {
  SetCaption("&Paste");
  SetHint("Paste|Inserts Clipboard contents");
  SetShortCut(ShortCut('V', {ssCtrl}));
}

void TEditPaste::ExecuteTarget(TObject* Target) {
  if (HWND edit = EditWindow(Target)) ::SendMessageA(edit, WM_PASTE, 0, 0);
}

void TEditPaste::UpdateTarget(TObject* Target) {
  HWND edit = EditWindow(Target);
  SetEnabled(edit && !IsReadOnly(edit) && ::IsClipboardFormatAvailable(CF_TEXT));
}

TEditSelectAll::TEditSelectAll(TComponent* AOwner) : TEditAction(AOwner) {
  SetCaption("Select &All");
  SetHint("Select All|Selects the entire document");
  SetShortCut(ShortCut('A', {ssCtrl}));
}

void TEditSelectAll::ExecuteTarget(TObject* Target) {
  if (HWND edit = EditWindow(Target)) ::SendMessageA(edit, EM_SETSEL, 0, -1);
}

void TEditSelectAll::UpdateTarget(TObject* Target) {
  HWND edit = EditWindow(Target);
  SetEnabled(edit && ::GetWindowTextLengthA(edit) > 0);
}

TEditUndo::TEditUndo(TComponent* AOwner) : TEditAction(AOwner) {
  SetCaption("&Undo");
  SetHint("Undo|Reverts the last action");
  SetShortCut(ShortCut('Z', {ssCtrl}));
}

void TEditUndo::ExecuteTarget(TObject* Target) {
  if (HWND edit = EditWindow(Target)) ::SendMessageA(edit, WM_UNDO, 0, 0);
}

void TEditUndo::UpdateTarget(TObject* Target) {
  HWND edit = EditWindow(Target);
  SetEnabled(edit && !IsReadOnly(edit) && ::SendMessageA(edit, EM_CANUNDO, 0, 0) != 0);
}

TEditDelete::TEditDelete(TComponent* AOwner) : TEditAction(AOwner) {
  SetCaption("&Delete");
  SetHint("Delete|Erases the selection");
  SetShortCut(ShortCut(VK_DELETE, {}));
}

void TEditDelete::ExecuteTarget(TObject* Target) {
  if (HWND edit = EditWindow(Target)) ::SendMessageA(edit, WM_CLEAR, 0, 0);
}

void TEditDelete::UpdateTarget(TObject* Target) {
  HWND edit = EditWindow(Target);
  SetEnabled(edit && HasSelection(edit) && !IsReadOnly(edit));
}

// --- Published properties ------------------------------------------------------------------------------

PUBLISHED(TCustomActionList) {
  Prop("Images", &TCustomActionList::GetImages, &TCustomActionList::SetImages);
  Prop("OnChange", &TCustomActionList::OnChange);
  Prop("OnExecute", &TCustomActionList::OnExecute);
  Prop("OnUpdate", &TCustomActionList::OnUpdate);
}

PUBLISHED(TContainedAction) { Prop("Category", &TContainedAction::GetCategory, &TContainedAction::SetCategory); }

PUBLISHED(TCustomAction) {
  Prop("AutoCheck", &TCustomAction::GetAutoCheck, &TCustomAction::SetAutoCheck).Default(false);
  Prop("Caption", &TCustomAction::GetCaption, &TCustomAction::SetCaption);
  Prop("Checked", &TCustomAction::GetChecked, &TCustomAction::SetChecked).Default(false);
  Prop("Enabled", &TCustomAction::GetEnabled, &TCustomAction::SetEnabled).Default(true);
  Prop("GroupIndex", &TCustomAction::GetGroupIndex, &TCustomAction::SetGroupIndex).Default(0);
  Prop("HelpContext", &TCustomAction::GetHelpContext, &TCustomAction::SetHelpContext).Default(0);
  Prop("Hint", &TCustomAction::GetHint, &TCustomAction::SetHint);
  Prop("ImageIndex", &TCustomAction::GetImageIndex, &TCustomAction::SetImageIndex).Default(-1);
  Prop("ShortCut", &TCustomAction::GetShortCut, &TCustomAction::SetShortCut).Default(0);
  Prop("Visible", &TCustomAction::GetVisible, &TCustomAction::SetVisible).Default(true);
  Prop("OnExecute", &TBasicAction::OnExecute);
  Prop("OnHint", &TCustomAction::OnHint);
  Prop("OnUpdate", &TBasicAction::OnUpdate);
}

PUBLISHED(TEditAction) { Prop("Control", &TEditAction::GetControl, &TEditAction::SetControl); }
