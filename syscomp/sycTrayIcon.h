// The tray icon: an icon in the taskbar's notification area whose mouse messages become component
// events, with a popup menu, icon cycling and hiding the program instead of minimising it.
#pragma once

#include "classlib/Controls.h"
#include "syscomp/sycTimers.h"

class TCustomImageList;
class TChangeLink;
class TIcon;
class TPopupMenu;

// "%s.InsertToTray failed" or "%s.DeleteFromTray failed": the shell refused the icon.
class EsycTrayIcon : public Exception {
  CLASS_INFO(EsycTrayIcon, Exception)
public:
  using Exception::Exception;
};

// The message the shell sends the icon's window for mouse actions on the icon.
constexpr UINT kTrayIconMessage = 1235;

// The timer it stands on cycles the icons of ImageList (CycleIcons, CycleInterval).
class TsycTrayIcon : public TsycCustomTimer {
  CLASS_INFO(TsycTrayIcon, TsycCustomTimer)
public:
  explicit TsycTrayIcon(TComponent* AOwner);
  ~TsycTrayIcon() override;

  // MinimizeOnStart hides the program at once; a stored Visible shows the icon.
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Puts the properties into the shell's record.
  virtual void FillIconData();
  // Hands the record to the shell again.
  virtual void Update();
  // Adds the icon to the notification area; EsycTrayIcon when the shell refuses.
  virtual void Show();
  // Takes it away; with MinimizeToTray the program comes back. EsycTrayIcon when the shell refuses.
  virtual void Hide();
  // Pops up PopupMenu (when it pops up automatically) at the cursor.
  virtual void ShowPopup();
  virtual void ShowApplication();
  virtual void HideApplication();

  bool GetCycleIcons() const { return inherited::GetEnabled(); }
  void SetCycleIcons(bool Value) { inherited::SetEnabled(Value); }
  Cardinal GetCycleInterval() const { return GetInterval(); }
  void SetCycleInterval(Cardinal Value) { SetInterval(Value); }
  // Whether mouse messages are handled.
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  const AnsiString& GetHint() const { return FHint; }
  // At most 63 characters; the rest is cut off.
  void SetHint(const AnsiString& Value);
  TIcon* GetIcon() const { return FIcon; }
  // Copies the icon.
  void SetIcon(TIcon* Value);
  bool IsIconStored() const { return !FImageList; }
  TCustomImageList* GetImageList() const { return FImageList; }
  void SetImageList(TCustomImageList* Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  Integer GetIconID() const { return FIconID; }
  void SetIconID(Integer Value);
  TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  bool GetVisibleOnDesigning() const { return FVisibleOnDesigning; }
  void SetVisibleOnDesigning(bool Value);
  // The record the shell was last given.
  const NOTIFYICONDATAA& GetIconData() const { return FIconData; }

  bool MinimizeToTray = false;
  bool MinimizeOnStart = false;
  bool PopupByLeft = false;
  TNotifyEvent OnMinimize;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnPopupMenu;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnCycleIcons;

protected:
  // The shell's messages: a new taskbar, the end of the session and the icon's mouse messages.
  void WndProc(TMessage& Message) override;
  // The next icon of the list.
  void Timer() override;
  bool NeedsTimer() const override { return true; }
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void Click();
  virtual void DblClick();
  // Hides the program and shows the icon instead.
  virtual void Minimize();

private:
  bool ApplicationHook(TMessage& Message);
  void ImageListChange(TObject* Sender);
  void LoadIconFromList();
  // The shell calls without the component's events; whether the shell took them.
  bool AddIcon();
  bool DeleteIcon();
  void BringOwnerForward();
  HWND OwnerFormHandle() const;

  bool FEnabled = true;
  AnsiString FHint;
  TIcon* FIcon;
  TCustomImageList* FImageList = nullptr;
  TChangeLink* FImageChangeLink;
  Integer FImageIndex = 0;
  Integer FIconID = 0;
  TPopupMenu* FPopupMenu = nullptr;
  bool FShowHint = true;
  bool FVisible = false;        // the icon is in the notification area
  bool FVisibleStored = false;  // Visible as read from a form, shown by Loaded
  bool FVisibleOnDesigning = false;
  bool FClicked = false;
  bool FHooked = false;
  NOTIFYICONDATAA FIconData{};
};
