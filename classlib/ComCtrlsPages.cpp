// Page controls and their tab sheets.
#include <algorithm>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"

// ---- TTabSheet ----

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle << csAcceptsControls << csNoDesignVisible;
  SetAlign(alClient);
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TTabSheet::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (Value == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  SetParent(Value);
  if (Value) Value->InsertPage(this);
}

Integer TTabSheet::GetPageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  auto it = std::find(pages.begin(), pages.end(), this);
  return it == pages.end() ? -1 : static_cast<Integer>(it - pages.begin());
}

void TTabSheet::SetPageIndex(Integer Value) {
  if (FPageControl) FPageControl->MovePage(this, Value);
}

Integer TTabSheet::GetTabIndex() const {
  if (!FTabShowing || !FPageControl) return -1;
  Integer index = 0;
  for (TTabSheet* page : FPageControl->FPages) {
    if (page == this) return index;
    if (page->FTabShowing) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (Value == FTabVisible) return;
  FTabVisible = Value;
  if (!FPageControl) return;
  if (!Value && FPageControl->FActivePage == this)
    FPageControl->ChangeActivePage(FPageControl->FindNextPage(this, true, true) == this
                                       ? nullptr
                                       : FPageControl->FindNextPage(this, true, true));
  FPageControl->UpdateTabs();
}

void TTabSheet::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  if (FPageControl) FPageControl->UpdateTab(this);
}

void TTabSheet::ReadState(TReader* Reader) {
  inherited::ReadState(Reader);
  if (auto* pages = dynamic_cast<TPageControl*>(GetParent())) SetPageControl(pages);
}

void TTabSheet::DoShow() {
  if (OnShow) OnShow(this);
}

void TTabSheet::DoHide() {
  if (OnHide) OnHide(this);
}

void TTabSheet::CMTextChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (FPageControl) FPageControl->UpdateTab(this);
}

void TTabSheet::CMShowingChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (GetShowing())
    DoShow();
  else
    DoHide();
}

// ---- TPageControl ----

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  InitCommonControlClasses();
  ControlStyle = TControlStyle{csAcceptsControls, csDoubleClicks, csOpaque};
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  // The sheets are the page control's children and go with it; they need not tell it.
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
}

void TPageControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TPageControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, WC_TABCONTROLA);
  Params.Style |= WS_CLIPCHILDREN | TCS_TABS;
  if (FMultiLine) Params.Style |= TCS_MULTILINE;
  Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TPageControl::CreateWindowHandleDone() {
  inherited::CreateWindowHandleDone();
  if (FImages) Perform(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages->GetHandle()));
  UpdateTabs();
}

// The sheets fill the part of the control inside its tabs and frame.
void TPageControl::AdjustClientRect(TRect& Rect) {
  if (HandleAllocated()) {
    Rect = GetClientRect();
    Perform(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(AsRECT(Rect)));
  }
  inherited::AdjustClientRect(Rect);
}

TTabSheet* TPageControl::GetPages(Integer Index) const {
  if (Index < 0 || Index >= GetPageCount()) return nullptr;
  return FPages[static_cast<std::size_t>(Index)];
}

Integer TPageControl::GetActivePageIndex() const { return FActivePage ? FActivePage->GetPageIndex() : -1; }

void TPageControl::SetActivePageIndex(Integer Value) { SetActivePage(GetPages(Value)); }

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->FPageControl != this) return;
  ChangeActivePage(Page);
  if (HandleAllocated()) Perform(TCM_SETCURSEL, static_cast<WPARAM>(Page ? Page->GetTabIndex() : -1), 0);
}

void TPageControl::ChangeActivePage(TTabSheet* Page) {
  if (Page == FActivePage) return;
  TCustomForm* form = GetParentForm(this);
  TWinControl* focused = form ? form->GetActiveControl() : nullptr;
  const bool focusOnOldPage = focused && FActivePage && FActivePage->ContainsControl(focused);
  // The focus leaves the page that is going away.
  if (focusOnOldPage) form->SetActiveControl(this);
  if (Page) {
    Page->BringToFront();
    Page->SetVisible(true);
    if (focusOnOldPage && form) {
      TWinControl* first = Page->FindNextControl(nullptr, true, true, false);
      form->SetActiveControl(first && first->CanFocus() ? first : this);
    }
  }
  if (FActivePage) FActivePage->SetVisible(false);
  FActivePage = Page;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurrentPage, bool GoForward, bool CheckTabVisible) {
  const Integer count = GetPageCount();
  if (count == 0) return nullptr;
  Integer start = CurrentPage ? CurrentPage->GetPageIndex() : -1;
  if (start < 0) start = GoForward ? count - 1 : 0;
  Integer i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TTabSheet* page = FPages[static_cast<std::size_t>(i)];
    if (!CheckTabVisible || page->FTabVisible) return page;
  } while (i != start);
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward) {
  TTabSheet* page = FindNextPage(FActivePage, GoForward, true);
  if (page && page != FActivePage && CanChange()) {
    SetActivePage(page);
    Change();
  }
}

void TPageControl::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  if (HandleAllocated()) Perform(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Value ? Value->GetHandle() : nullptr));
}

void TPageControl::SetMultiLine(bool Value) {
  if (Value == FMultiLine) return;
  FMultiLine = Value;
  RecreateWnd();
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TPageControl::ShowControl(TControl* AControl) {
  if (auto* page = dynamic_cast<TTabSheet*>(AControl); page && page->FPageControl == this) SetActivePage(page);
  inherited::ShowControl(AControl);
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  UpdateTabs();
  // The first page is shown until another is chosen.
  if (!FActivePage && Page->FTabVisible) SetActivePage(Page);
}

void TPageControl::RemovePage(TTabSheet* Page) {
  if (Page == FActivePage) {
    TTabSheet* next = FindNextPage(Page, true, true);
    ChangeActivePage(next == Page ? nullptr : next);
  }
  FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
  Page->FPageControl = nullptr;
  Page->FTabShowing = false;
  UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* Page, Integer NewIndex) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end()) return;
  FPages.erase(it);
  NewIndex = std::clamp(NewIndex, 0, GetPageCount());
  FPages.insert(FPages.begin() + NewIndex, Page);
  UpdateTabs();
}

void TPageControl::UpdateTabs() {
  for (TTabSheet* page : FPages) page->FTabShowing = page->FTabVisible;
  if (!HandleAllocated()) return;
  Perform(TCM_DELETEALLITEMS, 0, 0);
  Integer index = 0;
  for (TTabSheet* page : FPages) {
    if (!page->FTabShowing) continue;
    AnsiString text = page->GetText();
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM | TCIF_IMAGE;
    item.pszText = text.data();
    item.iImage = page->FImageIndex;
    item.lParam = reinterpret_cast<LPARAM>(page);
    Perform(TCM_INSERTITEMA, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
  Perform(TCM_SETCURSEL, static_cast<WPARAM>(FActivePage ? FActivePage->GetTabIndex() : -1), 0);
  // More or fewer rows of tabs change the room the sheets have.
  Realign();
}

void TPageControl::UpdateTab(TTabSheet* Page) {
  const Integer index = Page->GetTabIndex();
  if (!HandleAllocated() || index < 0) return;
  AnsiString text = Page->GetText();
  TCITEMA item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text.data();
  item.iImage = Page->FImageIndex;
  Perform(TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  Realign();
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

void TPageControl::CNNotify(TMessage& Message) {
  switch (TWMNotify{Message}.NMHdr()->code) {
    case TCN_SELCHANGING: Message.Result = CanChange() ? 0 : 1; break;
    case TCN_SELCHANGE: {
      // The sheet whose tab is now chosen.
      const Integer tab = static_cast<Integer>(Perform(TCM_GETCURSEL, 0, 0));
      TTabSheet* chosen = nullptr;
      for (TTabSheet* page : FPages)
        if (page->GetTabIndex() == tab && tab >= 0) chosen = page;
      ChangeActivePage(chosen);
      Change();
      break;
    }
    default: break;
  }
}

// Ctrl+Tab and Ctrl+Shift+Tab go to the next and previous page while the focus is inside.
void TPageControl::CMDialogKey(TMessage& Message) {
  const HWND focus = ::GetFocus();
  if (HandleAllocated() && (focus == FHandle || ::IsChild(FHandle, focus)) && Message.WParam == VK_TAB &&
      ::GetKeyState(VK_CONTROL) < 0) {
    SelectNextPage(::GetKeyState(VK_SHIFT) >= 0);
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}
