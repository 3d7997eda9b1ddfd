// Menus: the menu bar of a form (TMainMenu), popup menus (TPopupMenu), their items (TMenuItem)
// and keyboard shortcuts.
//
// The items form a tree under a menu's Items. The Windows menus are built from the tree when a
// menu is first attached to a window or popped up, and rebuilt in place whenever an item
// changes, so that the caption, check mark, enabled state and shortcut text shown are always
// the item's. A chosen item runs its Click (OnClick or its action); opening a submenu runs the
// Click of the item that holds it first, so that its handler can set the items' states.
#pragma once

#include <vector>

#include "classlib/Controls.h"

class TMenu;
class TMenuItem;

// A menu item put in two places, or an index out of range.
class EMenuError : public Exception {
  CLASS_INFO(EMenuError, Exception)
public:
  using Exception::Exception;
};

// A key and its modifiers in one word: the virtual key in the low byte, scShift, scCtrl and
// scAlt above it.
using TShortCut = Word;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+X", "Shift+Del", "F1", "Alt+BkSp"; empty for a key without a name.
AnsiString ShortCutToText(TShortCut ShortCut);
// The reverse of ShortCutToText ("^" also stands for Ctrl+); 0 for text that names no key.
TShortCut TextToShortCut(const AnsiString& Text);
// A caption without its accelerator marks ("&File" -> "File", "&&" -> "&").
AnsiString StripHotkey(const AnsiString& Text);
// The accelerator character of a caption ("E&xit" -> "x"), or empty.
AnsiString GetHotkey(const AnsiString& Text);

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };
enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
ENUM_NAMES(TMenuBreak, "mbNone", "mbBreak", "mbBarBreak");
enum TPopupAlignment { paLeft, paRight, paCenter };
ENUM_NAMES(TPopupAlignment, "paLeft", "paRight", "paCenter");
enum TTrackButton { tbRightButton, tbLeftButton };
ENUM_NAMES(TTrackButton, "tbRightButton", "tbLeftButton");

class TMenuItem : public TComponent {
  CLASS_INFO(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  // --- The submenu's items
  Integer GetCount() const { return Integer(FItems.size()); }
  TMenuItem* GetItems(Integer Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
  TMenuItem* operator[](Integer Index) const { return GetItems(Index); }
  void Add(TMenuItem* Item);
  void Insert(Integer Index, TMenuItem* Item);
  // Takes the item out of the submenu without freeing it.
  void Remove(TMenuItem* Item);
  // Frees the item at Index.
  void Delete(Integer Index);
  // Frees every item of the submenu.
  void Clear();
  Integer IndexOf(const TMenuItem* Item) const;
  // The item whose caption, without accelerator marks, is Caption (compared without regard
  // to letter case); nullptr when there is none.
  TMenuItem* Find(const AnsiString& Caption) const;
  TMenuItem* GetParent() const { return FParent; }
  Integer GetMenuIndex() const;
  void SetMenuIndex(Integer Value);
  // The menu the item belongs to, through its parents.
  TMenu* GetParentMenu() const;

  // --- Properties
  AnsiString GetCaption() const { return FCaption; }
  void SetCaption(const AnsiString& Value);
  bool IsLine() const { return FCaption == "-"; }
  bool GetChecked() const { return FChecked; }
  // Checking a RadioItem unchecks the other radio items of its GroupIndex among its siblings.
  void SetChecked(bool Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  bool GetRadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  Byte GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Byte Value);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  TMenuBreak GetBreak() const { return FBreak; }
  void SetBreak(TMenuBreak Value);
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  AnsiString GetHint() const { return FHint; }
  void SetHint(const AnsiString& Value) { FHint = Value; }
  THelpContext GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext Value) { FHelpContext = Value; }
  TBasicAction* GetAction() const { return FAction; }
  void SetAction(TBasicAction* Value);

  // The command number Windows reports when the item is chosen.
  Word GetCommand() const { return FCommand; }
  // The Windows menu of the submenu (made when first asked for).
  HMENU GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  // Runs the item: toggles AutoCheck, then OnClick or the action. Nothing when disabled.
  virtual void Click();
  // Updates the item's action (and those of the submenu's items with InitiateActions).
  void InitiateAction();
  void InitiateActions();

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnClick;

protected:
  // The item changed: the Windows menu that shows it is rebuilt.
  void MenuChanged();

private:
  friend class TMenu;
  void ActionChanged(TObject* Sender);
  void RebuildHandle();
  void AppendTo(HMENU Menu);
  void TurnSiblingsOff();

  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item of a menu
  std::vector<TMenuItem*> FItems;
  HMENU FHandle = nullptr;
  AnsiString FCaption;
  AnsiString FHint;
  TShortCut FShortCut = 0;
  Word FCommand = 0;
  THelpContext FHelpContext = 0;
  Byte FGroupIndex = 0;
  TMenuBreak FBreak = mbNone;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  bool FRadioItem = false;
  bool FAutoCheck = false;
  TBasicAction* FAction = nullptr;
};

class TMenu : public TComponent {
  CLASS_INFO(TMenu, TComponent)
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  TMenuItem* GetItems() const { return FItems; }
  // The Windows menu, built from the items when first asked for.
  HMENU GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // The window whose messages carry the menu's commands; shortcuts work while it is set.
  HWND GetWindowHandle() const { return FWindowHandle; }
  virtual void SetWindowHandle(HWND Value);

  // Runs the item with that command; false when the menu has none.
  bool DispatchCommand(Word ACommand);
  // A submenu is about to open: runs its item's Click and updates its items' actions.
  bool DispatchPopup(HMENU AHandle);
  // The item with that command, submenu handle or shortcut.
  TMenuItem* FindItem(NativeInt Value, TFindItemKind Kind);
  // When the key message is the shortcut of an enabled item, clicks it (running the Click of
  // the items above it first) and returns true.
  bool IsShortCut(TMessage& Message);
  THelpContext GetHelpContext(NativeInt Value, bool ByCommand);

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

protected:
  // The Windows menu of this kind: a menu bar or a popup menu.
  virtual HMENU CreateMenuHandle() = 0;
  // Called after the Windows menu changed.
  virtual void MenuChanged();

  HWND FWindowHandle = nullptr;

private:
  friend class TMenuItem;
  TMenuItem* FItems;
  HMENU FHandle = nullptr;
};

class TMainMenu : public TMenu {
  CLASS_INFO(TMainMenu, TMenu)
public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

protected:
  HMENU CreateMenuHandle() override;
  void MenuChanged() override;
};

class TPopupMenu : public TMenu {
  CLASS_INFO(TPopupMenu, TMenu)
public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // Shows the menu at a screen point and waits until it closes; the item chosen is then
  // clicked, before Popup returns.
  virtual void Popup(Integer X, Integer Y);
  TPoint GetPopupPoint() const { return FPopupPoint; }

  // Whether a right click on a control that has this menu opens it.
  bool AutoPopup = true;
  // The control the menu was last opened for.
  TComponent* PopupComponent = nullptr;
  TPopupAlignment Alignment = paLeft;
  TTrackButton TrackButton = tbRightButton;
  TNotifyEvent OnPopup;

protected:
  HMENU CreateMenuHandle() override;
  virtual void DoPopup(TObject* Sender);

private:
  TPoint FPopupPoint;
};
