#include "classlib/Menus.h"

#include <algorithm>

#include "classlib/ActnList.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"

namespace {

// Command numbers are 16-bit; each item holds one for its life.
class CommandPool {
public:
  Word Acquire() {
    for (std::size_t i = 0; i < used_.size(); ++i) {
      const std::size_t n = (next_ + i) % used_.size();
      if (n != 0 && !used_[n]) {
        used_[n] = true;
        next_ = n + 1;
        return Word(n);
      }
    }
    throw EOutOfResources("Too many menu items");
  }
  void Release(Word Command) {
    if (Command) used_[Command] = false;
  }

private:
  std::vector<bool> used_ = std::vector<bool>(0x10000, false);
  std::size_t next_ = 1;
};

CommandPool& Commands() {
  static auto* pool = new CommandPool;
  return *pool;
}

struct KeyCap {
  Word Key;
  const char* Name;
};

constexpr KeyCap kKeyCaps[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},  {0x0D, "Enter"}, {0x1B, "Esc"},   {0x20, "Space"}, {0x21, "PgUp"},
    {0x22, "PgDn"}, {0x23, "End"},  {0x24, "Home"},  {0x25, "Left"},  {0x26, "Up"},    {0x27, "Right"},
    {0x28, "Down"}, {0x2D, "Ins"},  {0x2E, "Del"},
};

// The name the keyboard gives a key that has none of its own here (such as the OEM keys).
AnsiString SpecialKeyName(TShortCut ShortCut) {
  const UINT scan = ::MapVirtualKeyA(UINT(ShortCut & 0xFF), 0);
  char name[64];
  if (scan != 0 && ::GetKeyNameTextA(LONG(scan) << 16, name, sizeof(name)) > 0) return name;
  return AnsiString();
}

// The popup menus that are alive, and the hidden window that receives their menu messages.
std::vector<TPopupMenu*>& PopupMenus() {
  static auto* list = new std::vector<TPopupMenu*>;
  return *list;
}

void PopupListWndProc(TMessage& Message);

HWND PopupListWindow() {
  static HWND wnd = AllocateHWnd(TWndMethod::FromFunction(&PopupListWndProc));
  return wnd;
}

void PopupListWndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_INITMENUPOPUP:
      for (TPopupMenu* menu : PopupMenus())
        if (menu->DispatchPopup(reinterpret_cast<HMENU>(Message.WParam))) return;
      break;
    case WM_MENUSELECT: {
      const TWMMenuSelect m{Message};
      for (TPopupMenu* menu : PopupMenus()) {
        TMenuItem* item = nullptr;
        if (m.MenuFlag() & MF_POPUP)
          item = menu->FindItem(reinterpret_cast<NativeInt>(::GetSubMenu(m.Menu(), m.IDItem())), fkHandle);
        else
          item = menu->FindItem(m.IDItem(), fkCommand);
        if (item) {
          Application->SetHint(GetLongHint(item->GetHint()));
          return;
        }
      }
      Application->SetHint(AnsiString());
      break;
    }
    case WM_COMMAND:
      for (TPopupMenu* menu : PopupMenus())
        if (menu->DispatchCommand(LOWORD(Message.WParam))) return;
      break;
    default: break;
  }
  Message.Result = ::DefWindowProcA(PopupListWindow(), Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace

// --- Shortcuts ----------------------------------------------------------------------------------------

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if (Key & 0xFF00) return 0;
  TShortCut result = Key;
  if (Shift.Contains(ssShift)) result += scShift;
  if (Shift.Contains(ssCtrl)) result += scCtrl;
  if (Shift.Contains(ssAlt)) result += scAlt;
  return result;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift) {
  Key = ShortCut & ~(scShift | scCtrl | scAlt);
  Shift.Clear();
  if (ShortCut & scShift) Shift << ssShift;
  if (ShortCut & scCtrl) Shift << ssCtrl;
  if (ShortCut & scAlt) Shift << ssAlt;
}

AnsiString ShortCutToText(TShortCut ShortCut) {
  const Word key = ShortCut & 0xFF;
  AnsiString name;
  for (const KeyCap& cap : kKeyCaps)
    if (cap.Key == key) name = cap.Name;
  if (name.empty()) {
    if (key >= 0x30 && key <= 0x39)
      name = AnsiString(1, char('0' + key - 0x30));
    else if (key >= 0x41 && key <= 0x5A)
      name = AnsiString(1, char('A' + key - 0x41));
    else if (key >= 0x60 && key <= 0x69)
      name = AnsiString(1, char('0' + key - 0x60));
    else if (key >= 0x70 && key <= 0x87)
      name = "F" + IntToStr(key - 0x6F);
    else
      name = SpecialKeyName(ShortCut);
  }
  if (name.empty()) return AnsiString();
  AnsiString result;
  if (ShortCut & scShift) result += "Shift+";
  if (ShortCut & scCtrl) result += "Ctrl+";
  if (ShortCut & scAlt) result += "Alt+";
  return result + name;
}

TShortCut TextToShortCut(const AnsiString& Text) {
  AnsiString rest = Text;
  TShortCut shift = 0;
  auto front = [&](const char* prefix) {
    const std::size_t n = std::strlen(prefix);
    if (rest.size() >= n && SameText(rest.substr(0, n), prefix)) {
      rest.erase(0, n);
      return true;
    }
    return false;
  };
  for (;;) {
    if (front("Shift+"))
      shift |= scShift;
    else if (front("^") || front("Ctrl+"))
      shift |= scCtrl;
    else if (front("Alt+"))
      shift |= scAlt;
    else
      break;
  }
  if (rest.empty()) return 0;
  for (Word key = 0x08; key <= 0xFF; ++key)
    if (SameText(rest, ShortCutToText(key))) return TShortCut(key | shift);
  return 0;
}

AnsiString StripHotkey(const AnsiString& Text) {
  AnsiString result = Text;
  for (std::size_t i = 0; i < result.size(); ++i)
    if (result[i] == '&') result.erase(i, 1);  // the character after a doubled mark stays
  return result;
}

AnsiString GetHotkey(const AnsiString& Text) {
  AnsiString result;
  for (std::size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] == '&') {
      ++i;
      if (Text[i] != '&') result = AnsiString(1, Text[i]);
    }
  }
  return result;
}

// --- TMenuItem ----------------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(Commands().Acquire()) {}

TMenuItem::~TMenuItem() {
  SetAction(nullptr);
  if (FParent) FParent->Remove(this);
  // The submenus are detached first, so that each is destroyed once, by its own item.
  if (FHandle)
    while (::GetMenuItemCount(FHandle) > 0) ::RemoveMenu(FHandle, 0, MF_BYPOSITION);
  while (!FItems.empty()) {
    TMenuItem* child = FItems.back();
    FItems.pop_back();
    child->FParent = nullptr;
    delete child;
  }
  if (FHandle && !FMenu) ::DestroyMenu(FHandle);
  Commands().Release(FCommand);
}

void TMenuItem::Add(TMenuItem* Item) { Insert(GetCount(), Item); }

void TMenuItem::Insert(Integer Index, TMenuItem* Item) {
  if (Item->FParent) throw EMenuError("Menu inserted twice");
  Index = std::clamp(Index, 0, GetCount());
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  RebuildHandle();
  MenuChanged();
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) throw EMenuError("Sub-menu is not in menu");
  FItems.erase(it);
  Item->FParent = nullptr;
  RebuildHandle();
  MenuChanged();
}

void TMenuItem::Delete(Integer Index) {
  if (Index < 0 || Index >= GetCount()) throw EMenuError("Menu index out of range");
  delete FItems[static_cast<std::size_t>(Index)];
}

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

Integer TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : Integer(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const AnsiString& Caption) const {
  const AnsiString wanted = StripHotkey(Caption);
  for (TMenuItem* item : FItems)
    if (SameText(wanted, StripHotkey(item->FCaption))) return item;
  return nullptr;
}

Integer TMenuItem::GetMenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(Integer Value) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  const Integer count = parent->GetCount();
  Value = std::clamp(Value, 0, count - 1);
  if (Value == GetMenuIndex()) return;
  parent->Remove(this);
  parent->Insert(Value, this);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

void TMenuItem::SetCaption(const AnsiString& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  MenuChanged();
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  if (Value && FRadioItem) TurnSiblingsOff();
  MenuChanged();
}

void TMenuItem::TurnSiblingsOff() {
  if (!FParent) return;
  for (TMenuItem* sibling : FParent->FItems)
    if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex && sibling->FChecked) {
      sibling->FChecked = false;
      sibling->MenuChanged();
    }
}

void TMenuItem::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  MenuChanged();
}

void TMenuItem::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  MenuChanged();
}

void TMenuItem::SetDefault(bool Value) {
  if (Value == FDefault) return;
  if (Value && FParent)
    for (TMenuItem* sibling : FParent->FItems) sibling->FDefault = false;
  FDefault = Value;
  MenuChanged();
}

void TMenuItem::SetRadioItem(bool Value) {
  if (Value == FRadioItem) return;
  FRadioItem = Value;
  if (FChecked && Value) TurnSiblingsOff();
  MenuChanged();
}

void TMenuItem::SetGroupIndex(Byte Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (Value == FShortCut) return;
  FShortCut = Value;
  MenuChanged();
}

void TMenuItem::SetBreak(TMenuBreak Value) {
  if (Value == FBreak) return;
  FBreak = Value;
  MenuChanged();
}

HMENU TMenuItem::GetHandle() {
  if (!FHandle) {
    FHandle = FMenu ? FMenu->CreateMenuHandle() : ::CreatePopupMenu();
    if (!FHandle) throw EOutOfResources("Out of system resources");
    if (FMenu) FMenu->FHandle = FHandle;
    RebuildHandle();
  }
  return FHandle;
}

// The entries of this item's Windows menu, made anew from the visible items. The submenus of
// the items are kept (RemoveMenu does not destroy them).
void TMenuItem::RebuildHandle() {
  if (!FHandle) return;
  while (::GetMenuItemCount(FHandle) > 0) ::RemoveMenu(FHandle, 0, MF_BYPOSITION);
  for (TMenuItem* item : FItems)
    if (item->FVisible) item->AppendTo(FHandle);
  if (TMenu* menu = GetParentMenu(); menu && !FParent) menu->MenuChanged();
}

void TMenuItem::AppendTo(HMENU Menu) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  AnsiString text;
  if (IsLine()) {
    info.fType = MFT_SEPARATOR;
    info.fMask &= ~UINT(MIIM_STRING);
  } else {
    info.fType = MFT_STRING;
    if (FRadioItem) info.fType |= MFT_RADIOCHECK;
    text = FCaption;
    // The menu bar shows no shortcuts; the items of a submenu or popup menu show them after a tab.
    const bool onMenuBar = FParent && !FParent->FParent && dynamic_cast<TMainMenu*>(FParent->FMenu);
    if (FShortCut != 0 && !onMenuBar) text += "\t" + ShortCutToText(FShortCut);
    info.dwTypeData = text.data();
    info.cch = UINT(text.size());
  }
  if (FBreak == mbBreak) info.fType |= MFT_MENUBREAK;
  if (FBreak == mbBarBreak) info.fType |= MFT_MENUBARBREAK;
  if (FChecked) info.fState |= MFS_CHECKED;
  if (!FEnabled) info.fState |= MFS_GRAYED;
  if (FDefault) info.fState |= MFS_DEFAULT;
  info.wID = FCommand;
  info.hSubMenu = FItems.empty() ? nullptr : GetHandle();
  ::InsertMenuItemA(Menu, UINT(::GetMenuItemCount(Menu)), TRUE, &info);
}

void TMenuItem::MenuChanged() {
  if (FParent) {
    FParent->RebuildHandle();
    if (TMenu* menu = GetParentMenu(); menu && !FParent->FParent) menu->MenuChanged();
  }
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck) SetChecked(!FChecked);
  if (OnClick && FAction && !(OnClick == FAction->OnExecute))
    OnClick(this);
  else if (FAction)
    FAction->Execute();
  else if (OnClick)
    OnClick(this);
}

void TMenuItem::InitiateAction() {
  if (FAction) FAction->Update();
}

void TMenuItem::InitiateActions() {
  const std::vector<TMenuItem*> items = FItems;
  for (TMenuItem* item : items) item->InitiateAction();
}

void TMenuItem::SetAction(TBasicAction* Value) {
  if (Value == FAction) return;
  if (FAction) FAction->UnRegisterChanges(TNotifyEvent(this, &TMenuItem::ActionChanged));
  FAction = Value;
  if (Value) {
    Value->RegisterChanges(TNotifyEvent(this, &TMenuItem::ActionChanged));
    Value->FreeNotification(this);
    ActionChanged(Value);
  }
}

// A linked action's caption, states, shortcut, hint and help context become the item's.
void TMenuItem::ActionChanged(TObject* Sender) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  FCaption = action->GetCaption();
  FChecked = action->GetChecked();
  FEnabled = action->GetEnabled();
  FVisible = action->GetVisible();
  FShortCut = action->GetShortCut();
  FHint = action->GetHint();
  FHelpContext = action->GetHelpContext();
  FAutoCheck = action->GetAutoCheck();
  FRadioItem = FRadioItem || action->GetGroupIndex() > 0;
  if (action->GetGroupIndex() > 0) FGroupIndex = Byte(action->GetGroupIndex());
  MenuChanged();
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FAction) FAction = nullptr;
}

void TMenuItem::GetChildren(TGetChildProc Proc, TComponent*) {
  for (TMenuItem* item : FItems) Proc(item);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (FParent) FParent->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(Value))
    menu->GetItems()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(Value))
    item->Add(this);
}

// --- TMenu --------------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner) {
  FItems = new TMenuItem(nullptr);
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  if (FHandle && FWindowHandle && ::IsWindow(FWindowHandle) && ::GetMenu(FWindowHandle) == FHandle)
    ::SetMenu(FWindowHandle, nullptr);
  FItems->FMenu = nullptr;  // the root item now destroys the menu itself
  delete FItems;
  FHandle = nullptr;
}

HMENU TMenu::GetHandle() { return FItems->GetHandle(); }

void TMenu::SetWindowHandle(HWND Value) { FWindowHandle = Value; }

void TMenu::MenuChanged() {}

bool TMenu::DispatchCommand(Word ACommand) {
  TMenuItem* item = FindItem(ACommand, fkCommand);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU AHandle) {
  TMenuItem* item = FindItem(reinterpret_cast<NativeInt>(AHandle), fkHandle);
  if (!item) return false;
  item->InitiateActions();
  if (item != FItems) item->Click();
  return true;
}

TMenuItem* TMenu::FindItem(NativeInt Value, TFindItemKind Kind) {
  auto matches = [&](TMenuItem* item) {
    switch (Kind) {
      case fkCommand: return item->FCommand == Value;
      case fkHandle: return item->FHandle && reinterpret_cast<NativeInt>(item->FHandle) == Value;
      case fkShortCut: return item->FShortCut != 0 && item->FShortCut == Value;
    }
    return false;
  };
  auto search = [&](auto&& self, TMenuItem* parent) -> TMenuItem* {
    if (matches(parent)) return parent;
    for (TMenuItem* item : parent->FItems)
      if (TMenuItem* found = self(self, item)) return found;
    return nullptr;
  };
  if (Kind == fkHandle && FHandle && reinterpret_cast<NativeInt>(FHandle) == Value) return FItems;
  for (TMenuItem* item : FItems->FItems)
    if (TMenuItem* found = search(search, item)) return found;
  return nullptr;
}

// The items above the shortcut's item are clicked first (their handlers may set up the
// submenu, as when it opens), and the actions updated, so that a disabled item or action does
// not run. A key whose item stays disabled is not taken, so that the control with the focus
// still gets it.
bool TMenu::IsShortCut(TMessage& Message) {
  if (!FWindowHandle) return false;
  const TWMKey key{Message};
  TShortCut shortCut = Byte(key.CharCode());
  if (::GetKeyState(VK_SHIFT) < 0) shortCut += scShift;
  if (::GetKeyState(VK_CONTROL) < 0) shortCut += scCtrl;
  if (key.KeyData() & 0x20000000) shortCut += scAlt;
  TMenuItem* item = FindItem(shortCut, fkShortCut);
  if (!item) return false;
  std::vector<TMenuItem*> path;
  for (TMenuItem* p = item->FParent; p && p != FItems; p = p->FParent) path.insert(path.begin(), p);
  for (TMenuItem* p : path) {
    if (!p->FEnabled) return false;
    p->InitiateActions();
    p->Click();
  }
  item->InitiateAction();
  if (!item->FEnabled || !item->FVisible) return false;
  try {
    item->Click();
  } catch (...) {
    Application->HandleException(this);
  }
  return true;
}

THelpContext TMenu::GetHelpContext(NativeInt Value, bool ByCommand) {
  TMenuItem* item = FindItem(Value, ByCommand ? fkCommand : fkHandle);
  while (item && item->FHelpContext == 0) item = item->FParent;
  return item ? item->FHelpContext : 0;
}

void TMenu::GetChildren(TGetChildProc Proc, TComponent*) {
  for (TMenuItem* item : FItems->FItems) Proc(item);
}

// --- TMainMenu, TPopupMenu ------------------------------------------------------------------------------

HMENU TMainMenu::CreateMenuHandle() { return ::CreateMenu(); }

void TMainMenu::MenuChanged() {
  if (FWindowHandle && HandleAllocated()) ::DrawMenuBar(FWindowHandle);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {
  FWindowHandle = PopupListWindow();
  PopupMenus().push_back(this);
}

TPopupMenu::~TPopupMenu() {
  auto& list = PopupMenus();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

HMENU TPopupMenu::CreateMenuHandle() { return ::CreatePopupMenu(); }

void TPopupMenu::DoPopup(TObject* Sender) {
  if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(Integer X, Integer Y) {
  FPopupPoint = {X, Y};
  DoPopup(this);
  static constexpr UINT kAlign[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
  UINT flags = kAlign[Alignment] | TPM_RETURNCMD;
  flags |= TrackButton == tbLeftButton ? TPM_LEFTBUTTON : TPM_RIGHTBUTTON;
  const BOOL command = ::TrackPopupMenu(GetHandle(), flags, X, Y, 0, PopupListWindow(), nullptr);
  ::PostMessageA(PopupListWindow(), WM_NULL, 0, 0);
  if (command) DispatchCommand(Word(command));
}

// --- Published properties ------------------------------------------------------------------------------

PUBLISHED(TMenuItem) {
  Prop("Action", &TMenuItem::GetAction, &TMenuItem::SetAction);
  Prop("AutoCheck", &TMenuItem::GetAutoCheck, &TMenuItem::SetAutoCheck).Default(false);
  Prop("Break", &TMenuItem::GetBreak, &TMenuItem::SetBreak).Default(mbNone);
  Prop("Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption);
  Prop("Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked).Default(false);
  Prop("Default", &TMenuItem::GetDefault, &TMenuItem::SetDefault).Default(false);
  Prop("Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled).Default(true);
  Prop("GroupIndex", &TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex).Default(0);
  Prop("HelpContext", &TMenuItem::GetHelpContext, &TMenuItem::SetHelpContext).Default(0);
  Prop("Hint", &TMenuItem::GetHint, &TMenuItem::SetHint);
  Prop("RadioItem", &TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem).Default(false);
  Prop("ShortCut", &TMenuItem::GetShortCut, &TMenuItem::SetShortCut).Default(0);
  Prop("Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible).Default(true);
  Prop("OnClick", &TMenuItem::OnClick);
}

PUBLISHED(TPopupMenu) {
  Prop("Alignment", &TPopupMenu::Alignment).Default(paLeft);
  Prop("AutoPopup", &TPopupMenu::AutoPopup).Default(true);
  Prop("TrackButton", &TPopupMenu::TrackButton).Default(tbRightButton);
  Prop("OnPopup", &TPopupMenu::OnPopup);
}
