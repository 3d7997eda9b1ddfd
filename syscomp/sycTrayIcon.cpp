#include "syscomp/sycTrayIcon.h"

#include <cstring>

#include "classlib/Forms.h"
#include "classlib/Icons.h"
#include "classlib/ImgList.h"
#include "classlib/Menus.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "syscomp/sycConsts.h"
#include "syscomp/sycSysUtils.h"
#include "syscomp/sycVclUtils.h"

namespace {

// The shell broadcasts this message when it starts again (after a crash of the taskbar): icons
// must then be added anew.
UINT TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageA("TaskbarCreated");
  return message;
}

const UINT g_taskbarCreated = TaskbarCreatedMessage();

// The first version of the shell's record, which every shell takes, has room for 63 characters
// of tip and its terminating zero.
constexpr std::size_t kMaxHint = 63;

// The item of a menu marked as its default (shown in bold).
TMenuItem* DefaultItem(TMenuItem* Items) {
  for (Integer i = 0; i < Items->GetCount(); ++i)
    if (Items->GetItems(i)->GetDefault()) return Items->GetItems(i);
  return nullptr;
}

}  // namespace

TsycTrayIcon::TsycTrayIcon(TComponent* AOwner)
    : TsycCustomTimer(AOwner), FIcon(new TIcon()), FImageChangeLink(new TChangeLink()) {
  (void)g_taskbarCreated;
  inherited::SetEnabled(false);
  SetInterval(200);
  FImageChangeLink->OnChange = TNotifyEvent(this, &TsycTrayIcon::ImageListChange);
  FIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
  FIconData.hWnd = GetWindowHandle();
  FIconData.uFlags = NIF_MESSAGE | NIF_TIP;
  FIconData.uCallbackMessage = kTrayIconMessage;
  if (!IsDesigning()) {
    Application->HookMainWindow(TWindowHook(this, &TsycTrayIcon::ApplicationHook));
    FHooked = true;
  }
}

TsycTrayIcon::~TsycTrayIcon() {
  if (FVisible) DeleteIcon();
  if (FHooked) Application->UnhookMainWindow(TWindowHook(this, &TsycTrayIcon::ApplicationHook));
  if (FImageList) FImageList->UnRegisterChanges(FImageChangeLink);
  delete FImageChangeLink;
  delete FIcon;
}

bool TsycTrayIcon::ApplicationHook(TMessage& Message) {
  if (Message.Msg == WM_SIZE && Message.WParam == SIZE_MINIMIZED && MinimizeToTray) Minimize();
  return false;
}

void TsycTrayIcon::Loaded() {
  inherited::Loaded();
  if (!IsDesigning() && MinimizeOnStart) {
    Application->SetShowMainForm(false);
    Minimize();
  }
  if ((IsDesigning() ? FVisibleOnDesigning : FVisibleStored) && !FVisible) Show();
}

void TsycTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImageList) {
    FImageList->UnRegisterChanges(FImageChangeLink);
    FImageList = nullptr;
  }
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TsycTrayIcon::FillIconData() {
  FIconData.hWnd = GetWindowHandle();
  FIconData.uID = static_cast<UINT>(FIconID);
  FIconData.hIcon = FIcon->GetEmpty() ? nullptr : FIcon->GetHandle();
  std::memset(FIconData.szTip, 0, sizeof FIconData.szTip);
  if (FShowHint) std::memcpy(FIconData.szTip, FHint.data(), FHint.size());
}

void TsycTrayIcon::Update() {
  FillIconData();
  ::Shell_NotifyIconA(NIM_MODIFY, &FIconData);
}

bool TsycTrayIcon::AddIcon() {
  FIconData.uFlags |= NIF_ICON;
  FillIconData();
  return ::Shell_NotifyIconA(NIM_ADD, &FIconData) != FALSE;
}

bool TsycTrayIcon::DeleteIcon() {
  FIconData.uFlags &= ~NIF_ICON;
  return ::Shell_NotifyIconA(NIM_DELETE, &FIconData) != FALSE;
}

void TsycTrayIcon::Show() {
  if (!AddIcon()) throw EsycTrayIcon(Format(SsycInsertToTrayFailed, GetName()));
  FVisible = true;
  if (IsDesigning()) FVisibleOnDesigning = true;
  if (OnShow) OnShow(this);
}

void TsycTrayIcon::Hide() {
  if (!DeleteIcon()) throw EsycTrayIcon(Format(SsycDeleteFromTrayFailed, GetName()));
  FVisible = false;
  if (OnHide) OnHide(this);
  if (MinimizeToTray) ShowApplication();
  if (auto* owner = dynamic_cast<TWinControl*>(GetOwner()); owner && !owner->GetVisible()) owner->SetVisible(true);
}

void TsycTrayIcon::Minimize() {
  HideApplication();
  if (!FVisible) Show();
  if (OnMinimize) OnMinimize(this);
}

void TsycTrayIcon::ShowApplication() { ::ShowApplication(); }

void TsycTrayIcon::HideApplication() { ::HideApplication(); }

HWND TsycTrayIcon::OwnerFormHandle() const {
  auto* owner = dynamic_cast<TWinControl*>(GetOwner());
  return owner ? owner->GetHandle() : nullptr;
}

void TsycTrayIcon::BringOwnerForward() {
  if (HWND owner = OwnerFormHandle()) ::SetForegroundWindow(owner);
}

void TsycTrayIcon::ShowPopup() {
  if (!FPopupMenu || !FPopupMenu->AutoPopup) return;
  // A menu of a notification icon closes when the user clicks elsewhere only when its owner is
  // the foreground window, and the null message lets the menu end cleanly.
  HWND owner = OwnerFormHandle();
  if (owner) ::SetForegroundWindow(owner);
  POINT p{};
  ::GetCursorPos(&p);
  FPopupMenu->PopupComponent = this;
  FPopupMenu->Popup(p.x, p.y);
  if (owner) ::PostMessageA(owner, WM_NULL, 0, 0);
  if (OnPopupMenu) OnPopupMenu(this);
}

void TsycTrayIcon::WndProc(TMessage& Message) {
  if (Message.Msg == TaskbarCreatedMessage()) {
    // The new taskbar knows no icons: a shown one is added again.
    if (FVisible) {
      DeleteIcon();
      AddIcon();
    }
    return;
  }
  if (Message.Msg == WM_QUERYENDSESSION) {
    Message.Result = 1;
    return;
  }
  if (Message.Msg != kTrayIconMessage) {
    inherited::WndProc(Message);
    return;
  }
  if (!FEnabled || IsDesigning()) return;
  POINT p{};
  ::GetCursorPos(&p);
  const TShiftState shift = GetShiftState();
  switch (Message.LParam) {
    case WM_MOUSEMOVE:
      MouseMove(shift, p.x, p.y);
      break;
    case WM_LBUTTONDOWN:
      MouseDown(mbLeft, shift + TShiftState{ssLeft}, p.x, p.y);
      FClicked = true;
      break;
    case WM_LBUTTONUP:
      MouseUp(mbLeft, shift, p.x, p.y);
      if (FClicked) {
        FClicked = false;
        Click();
      }
      if (PopupByLeft) ShowPopup();
      break;
    case WM_LBUTTONDBLCLK:
      DblClick();
      break;
    case WM_RBUTTONDOWN:
      MouseDown(mbRight, shift + TShiftState{ssRight}, p.x, p.y);
      break;
    case WM_RBUTTONUP:
      MouseUp(mbRight, shift, p.x, p.y);
      ShowPopup();
      break;
    case WM_MBUTTONDOWN:
      MouseDown(mbMiddle, shift + TShiftState{ssMiddle}, p.x, p.y);
      break;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, shift, p.x, p.y);
      break;
  }
}

void TsycTrayIcon::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TsycTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TsycTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  BringOwnerForward();
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TsycTrayIcon::Click() {
  if (OnClick) OnClick(this);
}

void TsycTrayIcon::DblClick() {
  if (FPopupMenu && FPopupMenu->AutoPopup && !PopupByLeft) {
    if (TMenuItem* item = DefaultItem(FPopupMenu->GetItems())) {
      item->Click();
      if (OnDblClick) OnDblClick(this);
      BringOwnerForward();
      return;
    }
  }
  if (IsDesigning()) return;
  auto* owner = dynamic_cast<TWinControl*>(GetOwner());
  const bool ownerVisible = owner ? owner->GetVisible() : ::IsWindowVisible(Application->GetHandle()) != FALSE;
  if (MinimizeToTray && ownerVisible)
    HideApplication();
  else
    ShowApplication();
  if (OnDblClick) OnDblClick(this);
}

void TsycTrayIcon::Timer() {
  if (FImageList && FImageList->GetCount() > 0)
    SetImageIndex(FImageIndex + 1 < FImageList->GetCount() ? FImageIndex + 1 : 0);
  if (OnCycleIcons) OnCycleIcons(this);
}

void TsycTrayIcon::ImageListChange(TObject*) { LoadIconFromList(); }

void TsycTrayIcon::LoadIconFromList() {
  if (!FImageList || FImageIndex < 0 || FImageIndex >= FImageList->GetCount()) return;
  FImageList->GetIcon(FImageIndex, FIcon);
  Update();
}

void TsycTrayIcon::SetHint(const AnsiString& Value) {
  FHint = Value.substr(0, kMaxHint);
  Update();
}

void TsycTrayIcon::SetIcon(TIcon* Value) {
  FIcon->Assign(Value);
  Update();
}

void TsycTrayIcon::SetImageList(TCustomImageList* Value) {
  if (Value == FImageList) return;
  if (FImageList) FImageList->UnRegisterChanges(FImageChangeLink);
  FImageList = Value;
  if (FImageList) {
    FImageList->RegisterChanges(FImageChangeLink);
    FImageList->FreeNotification(this);
  }
  LoadIconFromList();
}

void TsycTrayIcon::SetImageIndex(Integer Value) {
  FImageIndex = Value;
  LoadIconFromList();
}

void TsycTrayIcon::SetIconID(Integer Value) {
  if (Value == FIconID) return;
  // The shell knows the icon by its identifier: a shown icon goes under the old one and comes
  // back under the new one.
  const bool shown = FVisible;
  if (shown) DeleteIcon();
  FIconID = Value;
  if (shown) AddIcon();
}

void TsycTrayIcon::SetPopupMenu(TPopupMenu* Value) {
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TsycTrayIcon::SetShowHint(bool Value) {
  FShowHint = Value;
  Update();
}

void TsycTrayIcon::SetVisible(bool Value) {
  if (IsLoading()) {
    FVisibleStored = Value;
    return;
  }
  if (Value == FVisible) return;
  if (Value)
    Show();
  else
    Hide();
}

void TsycTrayIcon::SetVisibleOnDesigning(bool Value) {
  FVisibleOnDesigning = Value;
  if (!IsDesigning() || IsLoading() || Value == FVisible) return;
  if (Value)
    Show();
  else
    Hide();
}

PUBLISHED(TsycTrayIcon) {
  Prop("CycleIcons", &TsycTrayIcon::GetCycleIcons, &TsycTrayIcon::SetCycleIcons).Default(false);
  Prop("CycleInterval", &TsycTrayIcon::GetCycleInterval, &TsycTrayIcon::SetCycleInterval).Default(200);
  Prop("Enabled", &TsycTrayIcon::GetEnabled, &TsycTrayIcon::SetEnabled).Default(true);
  Prop("Hint", &TsycTrayIcon::GetHint, &TsycTrayIcon::SetHint);
  Prop("Icon", &TsycTrayIcon::GetIcon, &TsycTrayIcon::SetIcon).Stored(&TsycTrayIcon::IsIconStored);
  Prop("ImageList", &TsycTrayIcon::GetImageList, &TsycTrayIcon::SetImageList);
  Prop("ImageIndex", &TsycTrayIcon::GetImageIndex, &TsycTrayIcon::SetImageIndex).Default(0);
  Prop("IconID", &TsycTrayIcon::GetIconID, &TsycTrayIcon::SetIconID).Default(0);
  Prop("MinimizeToTray", &TsycTrayIcon::MinimizeToTray).Default(false);
  Prop("MinimizeOnStart", &TsycTrayIcon::MinimizeOnStart).Default(false);
  Prop("PopupMenu", &TsycTrayIcon::GetPopupMenu, &TsycTrayIcon::SetPopupMenu);
  Prop("PopupByLeft", &TsycTrayIcon::PopupByLeft).Default(false);
  Prop("ShowHint", &TsycTrayIcon::GetShowHint, &TsycTrayIcon::SetShowHint).Default(true);
  Prop("Visible", &TsycTrayIcon::GetVisible, &TsycTrayIcon::SetVisible).Default(false);
  Prop("VisibleOnDesigning", &TsycTrayIcon::GetVisibleOnDesigning, &TsycTrayIcon::SetVisibleOnDesigning).Default(false);
  Prop("OnMinimize", &TsycTrayIcon::OnMinimize);
  Prop("OnMouseMove", &TsycTrayIcon::OnMouseMove);
  Prop("OnMouseDown", &TsycTrayIcon::OnMouseDown);
  Prop("OnMouseUp", &TsycTrayIcon::OnMouseUp);
  Prop("OnClick", &TsycTrayIcon::OnClick);
  Prop("OnDblClick", &TsycTrayIcon::OnDblClick);
  Prop("OnPopupMenu", &TsycTrayIcon::OnPopupMenu);
  Prop("OnShow", &TsycTrayIcon::OnShow);
  Prop("OnHide", &TsycTrayIcon::OnHide);
  Prop("OnCycleIcons", &TsycTrayIcon::OnCycleIcons);
}
