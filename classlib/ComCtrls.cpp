// Status bars, progress bars, track bars, up-down buttons and page controls.
#include "classlib/ComCtrls.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"

void InitCommonControlClasses() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                              ICC_UPDOWN_CLASS | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    return ::InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}

namespace {

TControlCanvas* NewCanvas(TControl* control) {
  auto* canvas = new TControlCanvas;
  canvas->SetControl(control);
  return canvas;
}

}  // namespace

// ---- TStatusPanel, TStatusPanels ----

TStatusPanel::TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {
  if (auto* panels = dynamic_cast<TStatusPanels*>(Collection)) {
    panels->FAdding = nullptr;
    Changed(true);
  }
}

void TStatusPanel::Assign(TPersistent* Source) {
  if (auto* panel = dynamic_cast<TStatusPanel*>(Source)) {
    FText = panel->FText;
    FWidth = panel->FWidth;
    FAlignment = panel->FAlignment;
    FBevel = panel->FBevel;
    FStyle = panel->FStyle;
    Changed(true);
    return;
  }
  inherited::Assign(Source);
}

AnsiString TStatusPanel::GetDisplayName() { return FText.empty() ? inherited::GetDisplayName() : FText; }

void TStatusPanel::SetText(const AnsiString& Value) {
  if (Value == FText) return;
  FText = Value;
  Changed(false);
}

void TStatusPanel::SetWidth(Integer Value) {
  if (Value == FWidth) return;
  FWidth = Value;
  Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
  if (Value == FBevel) return;
  FBevel = Value;
  Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed(false);
}

TStatusPanels::TStatusPanels(TStatusBar* StatusBar)
    : TCollection(TStatusPanel::StaticClass()), FStatusBar(StatusBar) {}

TPersistent* TStatusPanels::GetOwner() const { return FStatusBar; }

void TStatusPanels::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  if (Action == cnAdded) FAdding = Item;
  inherited::Notify(Item, Action);
}

void TStatusPanels::Update(TCollectionItem* Item) {
  if (FAdding) return;
  if (Item)
    FStatusBar->UpdatePanel(Item->GetIndex());
  else
    FStatusBar->UpdatePanels();
}

// ---- TStatusBar ----

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner), FPanels(new TStatusPanels(this)), FCanvas(NewCanvas(this)) {
  InitCommonControlClasses();
  ControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() {
  delete FCanvas;
  delete FPanels;
}

void TStatusBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_DRAWITEM: CNDrawItem(Message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); break;
    default: inherited::Dispatch(Message);
  }
}

// The grip shows only where it can size the window: on a sizeable form that is not maximised.
bool TStatusBar::ShowsSizeGrip() {
  TCustomForm* form = GetParentForm(this);
  if (!FSizeGrip || !form || (form->GetBorderStyle() != bsSizeable && form->GetBorderStyle() != bsSizeToolWin))
    return false;
  return !form->HandleAllocated() || !::IsZoomed(form->GetHandle());
}

void TStatusBar::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, STATUSCLASSNAMEA);
  // The control keeps the place its Align gives it.
  Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY;
  if (ShowsSizeGrip()) Params.Style |= SBARS_SIZEGRIP;
  Params.WindowClass.style &= ~UINT(CS_HREDRAW);
}

// Sized by its Align (the system's control does not follow the size itself): the panels are laid
// out again for the new width, the grip shown or hidden as the form was maximised or restored, and
// the whole bar repainted, since the grip and the last panel's border moved.
void TStatusBar::WMWindowPosChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  const auto* wp = TWMWindowPosChanged{Message}.WindowPos();
  if (!wp || (wp->flags & SWP_NOSIZE) || !HandleAllocated()) return;
  const LONG_PTR style = ::GetWindowLongPtrA(GetHandle(), GWL_STYLE);
  const LONG_PTR wanted = ShowsSizeGrip() ? style | SBARS_SIZEGRIP : style & ~LONG_PTR(SBARS_SIZEGRIP);
  if (wanted != style) ::SetWindowLongPtrA(GetHandle(), GWL_STYLE, wanted);
  SetParts();
  ::InvalidateRect(GetHandle(), nullptr, TRUE);
}

void TStatusBar::CreateWindowHandleDone() {
  inherited::CreateWindowHandleDone();
  UpdatePanels();
  Perform(SB_SIMPLE, FSimplePanel ? TRUE : FALSE, 0);
  Perform(SB_SETTEXTA, SB_SIMPLEID | SBT_NOBORDERS, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::UpdatePanel(Integer Index) {
  if (!HandleAllocated() || Index < 0 || Index >= FPanels->GetCount()) return;
  TStatusPanel* panel = FPanels->GetItems(Index);
  static const WPARAM bevels[] = {SBT_NOBORDERS, 0, SBT_POPOUT};
  WPARAM flags = static_cast<WPARAM>(Index) | bevels[panel->GetBevel()];
  if (panel->GetStyle() == psOwnerDraw) {
    Perform(SB_SETTEXTA, flags | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(panel));
    return;
  }
  // A tab before the text centres it, two put it at the right.
  static const char* const prefixes[] = {"", "\t\t", "\t"};
  const AnsiString text = prefixes[panel->GetAlignment()] + panel->GetText();
  Perform(SB_SETTEXTA, flags, reinterpret_cast<LPARAM>(text.c_str()));
}

// The right edge of each part; the last one reaches the end of the bar.
void TStatusBar::SetParts() {
  const Integer count = std::max<Integer>(1, std::min(FPanels->GetCount(), 64));
  std::vector<INT> edges(static_cast<std::size_t>(count));
  Integer position = 0;
  for (Integer i = 0; i < count - 1; ++i) {
    position += FPanels->GetItems(i)->GetWidth();
    edges[static_cast<std::size_t>(i)] = position;
  }
  edges.back() = -1;
  Perform(SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(edges.data()));
}

void TStatusBar::UpdatePanels() {
  if (!HandleAllocated()) return;
  SetParts();
  if (FPanels->GetCount() == 0) {
    Perform(SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(""));
    return;
  }
  for (Integer i = 0; i < std::min(FPanels->GetCount(), 64); ++i) UpdatePanel(i);
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (Value == FSimplePanel) return;
  FSimplePanel = Value;
  if (HandleAllocated()) Perform(SB_SIMPLE, Value ? TRUE : FALSE, 0);
}

void TStatusBar::SetSimpleText(const AnsiString& Value) {
  if (Value == FSimpleText) return;
  FSimpleText = Value;
  if (HandleAllocated()) Perform(SB_SETTEXTA, SB_SIMPLEID | SBT_NOBORDERS, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::SetSizeGrip(bool Value) {
  if (Value == FSizeGrip) return;
  FSizeGrip = Value;
  RecreateWnd();
}

void TStatusBar::CNDrawItem(TMessage& Message) {
  const DRAWITEMSTRUCT& dis = *TWMDrawItem{Message}.DrawItemStruct();
  const Integer index = static_cast<Integer>(dis.itemID);
  if (index < 0 || index >= FPanels->GetCount()) return;
  CanvasOnDC drawing(FCanvas, dis.hDC);
  FCanvas->SetFont(GetFont());
  FCanvas->GetBrush()->SetColor(clBtnFace);
  FCanvas->GetBrush()->SetStyle(bsSolid);
  DrawPanel(FPanels->GetItems(index), TRect{dis.rcItem.left, dis.rcItem.top, dis.rcItem.right, dis.rcItem.bottom});
  Message.Result = TRUE;
}

void TStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect) {
  if (OnDrawPanel)
    OnDrawPanel(this, Panel, Rect);
  else
    FCanvas->FillRect(Rect);
}

// ---- TProgressBar ----

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) {
  InitCommonControlClasses();
  SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, PROGRESS_CLASSA);
  if (FSmooth) Params.Style |= PBS_SMOOTH;
  if (FOrientation == pbVertical) Params.Style |= PBS_VERTICAL;
}

void TProgressBar::CreateWindowHandleDone() {
  inherited::CreateWindowHandleDone();
  Perform(PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
  Perform(PBM_SETSTEP, static_cast<WPARAM>(FStep), 0);
  Perform(PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::DestroyWnd() {
  FPosition = GetPosition();
  inherited::DestroyWnd();
}

Integer TProgressBar::GetPosition() {
  if (HandleAllocated()) return static_cast<Integer>(Perform(PBM_GETPOS, 0, 0));
  return FPosition;
}

void TProgressBar::SetPosition(Integer Value) {
  FPosition = std::clamp(Value, FMin, std::max(FMin, FMax));
  if (HandleAllocated()) Perform(PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetMin(Integer Value) {
  if (Value == FMin) return;
  FMin = Value;
  if (HandleAllocated()) Perform(PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
  SetPosition(GetPosition());
}

void TProgressBar::SetMax(Integer Value) {
  if (Value == FMax) return;
  FMax = Value;
  if (HandleAllocated()) Perform(PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
  SetPosition(GetPosition());
}

void TProgressBar::SetStep(Integer Value) {
  FStep = Value;
  if (HandleAllocated()) Perform(PBM_SETSTEP, static_cast<WPARAM>(FStep), 0);
}

void TProgressBar::SetSmooth(bool Value) {
  if (Value == FSmooth) return;
  FSmooth = Value;
  RecreateWnd();
}

void TProgressBar::SetOrientation(TProgressBarOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  RecreateWnd();
}

void TProgressBar::StepIt() { StepBy(FStep); }

void TProgressBar::StepBy(Integer Delta) { SetPosition(GetPosition() + Delta); }

// ---- TTrackBar ----

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  InitCommonControlClasses();
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TTrackBar::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, TRACKBAR_CLASSA);
  Params.Style |= FOrientation == trVertical ? TBS_VERT : TBS_HORZ;
  static const DWORD marks[] = {TBS_BOTTOM, TBS_TOP, TBS_BOTH};
  Params.Style |= marks[FTickMarks];
  static const DWORD styles[] = {TBS_NOTICKS, TBS_AUTOTICKS, 0};
  Params.Style |= styles[FTickStyle];
  Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TTrackBar::CreateWindowHandleDone() {
  inherited::CreateWindowHandleDone();
  Perform(TBM_SETRANGEMIN, FALSE, FMin);
  Perform(TBM_SETRANGEMAX, FALSE, FMax);
  Perform(TBM_SETLINESIZE, 0, FLineSize);
  Perform(TBM_SETPAGESIZE, 0, FPageSize);
  Perform(TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
  for (Integer tick : FTicks) Perform(TBM_SETTIC, 0, tick);
  Perform(TBM_SETPOS, TRUE, FPosition);
}

void TTrackBar::DestroyWnd() {
  FPosition = GetPosition();
  inherited::DestroyWnd();
}

Integer TTrackBar::GetPosition() {
  if (HandleAllocated()) return static_cast<Integer>(Perform(TBM_GETPOS, 0, 0));
  return FPosition;
}

void TTrackBar::SetPosition(Integer Value) {
  Value = std::clamp(Value, FMin, std::max(FMin, FMax));
  if (Value == GetPosition()) return;
  FPosition = Value;
  if (HandleAllocated()) Perform(TBM_SETPOS, TRUE, Value);
  Changed();
}

void TTrackBar::SetMin(Integer Value) {
  if (Value == FMin) return;
  FMin = Value;
  if (HandleAllocated()) Perform(TBM_SETRANGEMIN, TRUE, FMin);
  if (GetPosition() < FMin) SetPosition(FMin);
}

void TTrackBar::SetMax(Integer Value) {
  if (Value == FMax) return;
  FMax = Value;
  if (HandleAllocated()) Perform(TBM_SETRANGEMAX, TRUE, FMax);
  if (GetPosition() > FMax) SetPosition(FMax);
}

void TTrackBar::SetFrequency(Integer Value) {
  FFrequency = Value;
  if (HandleAllocated()) Perform(TBM_SETTICFREQ, static_cast<WPARAM>(Value), 0);
}

void TTrackBar::SetLineSize(Integer Value) {
  FLineSize = Value;
  if (HandleAllocated()) Perform(TBM_SETLINESIZE, 0, Value);
}

void TTrackBar::SetPageSize(Integer Value) {
  FPageSize = Value;
  if (HandleAllocated()) Perform(TBM_SETPAGESIZE, 0, Value);
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  // The slider turns with the bar: its length becomes its height.
  if (!GetComponentState().Contains(csLoading)) SetBounds(FLeft, FTop, FHeight, FWidth);
  RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark Value) {
  if (Value == FTickMarks) return;
  FTickMarks = Value;
  RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle Value) {
  if (Value == FTickStyle) return;
  FTickStyle = Value;
  RecreateWnd();
}

void TTrackBar::SetTick(Integer Value) {
  FTicks.push_back(Value);
  if (HandleAllocated()) Perform(TBM_SETTIC, 0, Value);
}

void TTrackBar::Changed() {
  if (OnChange) OnChange(this);
}

// The user moved the slider (the mouse, the arrows, Page Up and Down, Home and End).
void TTrackBar::CNScroll(TMessage& Message) {
  const Integer position = static_cast<Integer>(Perform(TBM_GETPOS, 0, 0));
  if (position != FPosition) {
    FPosition = position;
    Changed();
  }
  Message.Result = 0;
}

// ---- TUpDown ----

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {
  InitCommonControlClasses();
  SetBounds(0, 0, 17, 25);
  ControlStyle.Exclude(csDoubleClicks);
}

void TUpDown::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TUpDown::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, UPDOWN_CLASSA);
  Params.Style |= UDS_SETBUDDYINT;
  if (FAlignButton == udLeft)
    Params.Style |= UDS_ALIGNLEFT;
  else
    Params.Style |= UDS_ALIGNRIGHT;
  if (FOrientation == udHorizontal) Params.Style |= UDS_HORZ;
  if (FArrowKeys) Params.Style |= UDS_ARROWKEYS;
  if (!FThousands) Params.Style |= UDS_NOTHOUSANDS;
  if (FWrap) Params.Style |= UDS_WRAP;
}

void TUpDown::CreateWindowHandleDone() {
  inherited::CreateWindowHandleDone();
  SetRange();
  UDACCEL accel{0, static_cast<UINT>(std::max(FIncrement, 1))};
  Perform(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  // Taking a partner makes the window read the partner's number; the position is ours.
  if (FAssociate) Perform(UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->GetHandle()), 0);
  Perform(UDM_SETPOS32, 0, FPosition);
}

void TUpDown::DestroyWnd() {
  FPosition = GetPosition();
  inherited::DestroyWnd();
}

void TUpDown::SetRange() {
  if (HandleAllocated()) Perform(UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FAssociate) {
    FAssociate = nullptr;
    if (HandleAllocated()) Perform(UDM_SETBUDDY, 0, 0);
  }
}

void TUpDown::SetAssociate(TWinControl* Value) {
  if (Value == FAssociate) return;
  if (Value && (Value == this || Value->InheritsFrom(TUpDown::StaticClass()) || Value == GetParent()))
    throw EInvalidOperation(Format("%s cannot be associated with %s", {GetName(), Value->GetName()}));
  FAssociate = Value;
  if (Value) {
    Value->FreeNotification(this);
    if (GetParent() != Value->GetParent()) SetParent(Value->GetParent());
  }
  if (HandleAllocated()) {
    // The window takes its place at the side of its partner and shows the position there
    // (taking a partner makes it read the partner's number; the position is ours).
    const Integer position = GetPosition();
    Perform(UDM_SETBUDDY, Value ? reinterpret_cast<WPARAM>(Value->GetHandle()) : 0, 0);
    SetPosition(position);
    if (Value) {
      Value->SetText(IntToStr(position));
      RECT r{};
      ::GetWindowRect(FHandle, &r);
      ::MapWindowPoints(nullptr, ::GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
      UpdateBoundsRect(TRect{r.left, r.top, r.right, r.bottom});
    }
  }
}

void TUpDown::SetAlignButton(TUDAlignButton Value) {
  if (Value == FAlignButton) return;
  FAlignButton = Value;
  RecreateWnd();
}

void TUpDown::SetMin(Integer Value) {
  FMin = Value;
  SetRange();
}

void TUpDown::SetMax(Integer Value) {
  FMax = Value;
  SetRange();
}

Integer TUpDown::GetPosition() {
  if (!HandleAllocated()) return FPosition;
  BOOL failed = FALSE;
  const Integer position = static_cast<Integer>(Perform(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
  return failed ? FPosition : position;
}

void TUpDown::SetPosition(Integer Value) {
  FPosition = Value;
  if (HandleAllocated()) Perform(UDM_SETPOS32, 0, Value);
}

void TUpDown::SetIncrement(Integer Value) {
  FIncrement = Value;
  if (HandleAllocated()) {
    UDACCEL accel{0, static_cast<UINT>(std::max(Value, 1))};
    Perform(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  }
}

void TUpDown::SetOrientation(TUDOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  if (!GetComponentState().Contains(csLoading)) SetBounds(FLeft, FTop, FHeight, FWidth);
  RecreateWnd();
}

void TUpDown::SetWrap(bool Value) {
  if (Value == FWrap) return;
  FWrap = Value;
  RecreateWnd();
}

void TUpDown::SetArrowKeys(bool Value) {
  if (Value == FArrowKeys) return;
  FArrowKeys = Value;
  RecreateWnd();
}

void TUpDown::SetThousands(bool Value) {
  if (Value == FThousands) return;
  FThousands = Value;
  RecreateWnd();
}

bool TUpDown::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TUpDown::Click(TUDBtnType Button) {
  if (OnClick) OnClick(this, Button);
}

// Before the position moves: OnChanging may refuse it.
void TUpDown::CNNotify(TMessage& Message) {
  const NMHDR* header = TWMNotify{Message}.NMHdr();
  if (header->code == UDN_DELTAPOS) Message.Result = CanChange() ? 0 : 1;
}

// After it moved: a click up (or right) is btNext.
void TUpDown::CNScroll(TMessage& Message) {
  const TWMScroll m{Message};
  if (m.ScrollCode() != SB_THUMBPOSITION) return;
  const Integer position = GetPosition();
  if (position == FPosition) return;
  const bool up = position > FPosition || (FWrap && position == FMin && FPosition == FMax);
  FPosition = position;
  Click(up ? btNext : btPrev);
}
