// The auto-complete list: completing, matching, the drop-down list and storing texts.
#include "controls/VisEditAutoComplete.h"

#include <algorithm>
#include <memory>

#include "classlib/ControlsPublished.h"
#include "classlib/ObjectInstances.h"
#include "classlib/StringLists.h"
#include "controls/VisCustomEdit.h"
#include "controls/viscont.h"

PUBLISHED(TVisEditAutoComplete) {
  Prop("Active", &TVisEditAutoComplete::GetActive, &TVisEditAutoComplete::SetActive).Default(true);
  Prop("Container", &TVisEditAutoComplete::GetContainer, &TVisEditAutoComplete::SetContainer);
  Prop("DropDownCount", &TVisEditAutoComplete::GetDropDownCount, &TVisEditAutoComplete::SetDropDownCount).Default(8);
  Prop("ListIndex", &TVisEditAutoComplete::GetListIndex, &TVisEditAutoComplete::SetListIndex).Default(0);
  Prop("SourceOptions", &TVisEditAutoComplete::GetSourceOptions, &TVisEditAutoComplete::SetSourceOptions)
      .Default(acsFromContainer);
  Prop("CompletionOptions", &TVisEditAutoComplete::GetCompletionOptions,
       &TVisEditAutoComplete::SetCompletionOptions)
      .Default(accInline | accDropDown);
  Prop("AddOptions", &TVisEditAutoComplete::GetAddOptions, &TVisEditAutoComplete::SetAddOptions)
      .Default(acaOnExit | acaOnEnter);
  Prop("OnAdd", &TVisEditAutoComplete::OnAdd);
}

namespace {

// A text that is not empty and stands at the start of Stored (an empty text begins nothing).
bool Begins(const AnsiString& Stored, const AnsiString& Text) {
  return !Text.empty() && Stored.compare(0, Text.size(), Text) == 0;
}

}  // namespace

TVisEditAutoComplete::TVisEditAutoComplete(TComponent* AOwner) : TVisCustomComponent(AOwner) {}

TVisEditAutoComplete::~TVisEditAutoComplete() {
  HideList();
  delete FRetiredBox;
}

void TVisEditAutoComplete::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FContainer) FContainer = nullptr;
  if (AComponent == FListBox) FListBox = nullptr;
}

void TVisEditAutoComplete::SetContainer(TVisStringList* Value) {
  if (Value == FContainer) return;
  if (FContainer) FContainer->RemoveFreeNotification(this);
  FContainer = Value;
  if (Value) Value->FreeNotification(this);
}

TStrings* TVisEditAutoComplete::StoredTexts() {
  if (!FContainer || FListIndex < 0 || FListIndex >= FContainer->GetCount()) return nullptr;
  return FContainer->GetItems(FListIndex)->GetItems();
}

void TVisEditAutoComplete::TextChanged(TVisCustomEdit* Edit, AnsiString Text) {
  // Setting the completed text is itself a change of the edit's text.
  if (!FActive || FCompleting) return;
  FCompleting = true;
  try {
    const AnsiString completed = Complete(Edit, Text);
    if (completed != Text) {
      Edit->SetText(completed);
      const Integer typed = Integer(Text.size());
      Edit->SetCaretIndex(typed + 1);
      Edit->SetSelStart(typed + 1);
      Edit->SetSelLength(Integer(completed.size()) - typed);
    }
  } catch (...) {
    FCompleting = false;
    throw;
  }
  FCompleting = false;
}

AnsiString TVisEditAutoComplete::Complete(TVisCustomEdit* Edit, const AnsiString& Text) {
  AnsiString result = Text;
  FLastText = Text;
  if (FCompletionOptions & accInline)
    if (TStrings* stored = StoredTexts())
      for (Integer i = 0; i < stored->GetCount(); ++i)
        if (Begins(stored->GetStrings(i), Text)) {
          result = stored->GetStrings(i);
          break;
        }
  if (FCompletionOptions & accDropDown) ShowMatches(Edit, result);
  return result;
}

void TVisEditAutoComplete::ShowMatches(TVisCustomEdit* Edit, const AnsiString& Text) {
  TStringList matches;
  TStrings* stored = StoredTexts();
  if ((FSourceOptions & acsFromContainer) && stored) {
    matches.Assign(stored);
    matches.Sort();
    while (matches.GetCount() > 0 && !Begins(matches.GetStrings(0), Text)) matches.Delete(0);
    Integer count = 0;
    while (count < matches.GetCount() && Begins(matches.GetStrings(count), Text)) ++count;
    while (matches.GetCount() > count) matches.Delete(matches.GetCount() - 1);
  }
  ShowList(Edit, &matches);
}

void TVisEditAutoComplete::ShowList(TVisCustomEdit* Edit, TStrings* Matches) {
  if (Matches->GetCount() == 0) {
    // Nothing that matches: an open list would show texts that no longer fit.
    HideList();
    return;
  }
  if (Matches->GetCount() == 1 && Matches->GetStrings(0) == Edit->GetText()) {
    HideList();
    return;
  }
  delete FRetiredBox;
  FRetiredBox = nullptr;
  if (!FListBox) {
    FListBox = new TListBox(this);
    // The thin border added below is the list's only frame: its rows fill the height given.
    FListBox->SetBorderStyle(bsNone);
    FListBox->OnClick = TNotifyEvent(this, &TVisEditAutoComplete::ListClick);
  }
  if (!FInstance) FInstance = MakeObjectInstance(TWndMethod(this, &TVisEditAutoComplete::EditWndProc));
  FListBox->SetParent(Edit);
  FEdit = Edit;
  if (!FSubclassed) {
    FSubclassed = Edit->GetHandle();
    FSavedProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(FSubclassed, GWLP_WNDPROC));
    ::SetWindowLongPtrA(FSubclassed, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FInstance));
  }
  const TPoint p = Edit->ClientToScreen(Point(0, Edit->GetHeight()));
  HWND box = FListBox->GetHandle();
  ::SetParent(box, ::GetDesktopWindow());
  ::SetWindowLongPtrA(box, GWL_EXSTYLE, ::GetWindowLongPtrA(box, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  ::SetWindowLongPtrA(box, GWL_STYLE, ::GetWindowLongPtrA(box, GWL_STYLE) | WS_BORDER);
  ::SetWindowPos(box, HWND_TOPMOST, p.X, p.Y, Edit->GetWidth(), FListBox->GetHeight(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
  FListBox->GetItems()->Assign(Matches);
  TControlCanvas canvas;
  canvas.SetControl(FListBox);
  canvas.SetFont(FListBox->GetFont());
  const Integer rows = std::min(Matches->GetCount(), FDropDownCount);
  const Integer height = rows * canvas.TextHeight(Matches->GetStrings(0)) + 5;
  ::SetWindowPos(box, HWND_TOPMOST, p.X, p.Y, Edit->GetWidth(), height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TVisEditAutoComplete::HideList() {
  if (FSubclassed) {
    ::SetWindowLongPtrA(FSubclassed, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FSavedProc));
    FSubclassed = nullptr;
  }
  FEdit = nullptr;
  if (FInstance) {
    FreeObjectInstance(FInstance);
    FInstance = nullptr;
  }
  if (FListBox) {
    TListBox* box = FListBox;
    FListBox = nullptr;
    if (FInListClick) {
      // The list is handling its own click: it goes out of sight now and is freed later.
      ::ShowWindow(box->GetHandle(), SW_HIDE);
      FRetiredBox = box;
    } else {
      delete box;
    }
  }
}

void TVisEditAutoComplete::AddText(TVisCustomEdit* Edit, const AnsiString& Text) {
  if (!FActive) return;
  bool accept = true;
  bool handled = false;
  TStrings* stored = StoredTexts();
  if (stored && stored->IndexOf(Text) >= 0) return;
  AnsiString text = Text;
  if (OnAdd) OnAdd(this, Edit, text, accept, handled);
  if (accept && !handled && stored) stored->Add(text);
}

void TVisEditAutoComplete::EditWndProc(TMessage& Message) {
  // Hiding the list gives the edit its procedure back: the message then goes to that.
  const HWND wnd = FSubclassed;
  const WNDPROC saved = FSavedProc;
  switch (Message.Msg) {
    case WM_KEYDOWN:
      if (FListBox) {
        const Integer count = FListBox->GetItems()->GetCount();
        const Integer index = FListBox->GetItemIndex();
        switch (Message.WParam) {
          case VK_DOWN: FListBox->SetItemIndex(std::min(index + 1, count - 1)); return;
          case VK_UP: FListBox->SetItemIndex(std::max(index - 1, 0)); return;
          case VK_ESCAPE: HideList(); return;
          case VK_RETURN:
            if (index >= 0) {
              TakeChoice();
              return;
            }
            break;
          default: break;
        }
      }
      break;
    case WM_KILLFOCUS:
      // A click into the list takes the focus to it; the list stays for the choice.
      if (FListBox && reinterpret_cast<HWND>(Message.WParam) == FListBox->GetHandle()) break;
      [[fallthrough]];
    case WM_DESTROY:
      HideList();
      Message.Result = ::CallWindowProcA(saved, wnd, Message.Msg, Message.WParam, Message.LParam);
      return;
    default: break;
  }
  Message.Result = ::CallWindowProcA(saved, wnd, Message.Msg, Message.WParam, Message.LParam);
}

void TVisEditAutoComplete::ListClick(TObject*) {
  FInListClick = true;
  try {
    TakeChoice();
  } catch (...) {
    FInListClick = false;
    throw;
  }
  FInListClick = false;
}

void TVisEditAutoComplete::TakeChoice() {
  if (!FListBox || !FEdit) return;
  const Integer index = FListBox->GetItemIndex();
  if (index < 0) return;
  const AnsiString chosen = FListBox->GetItems()->GetStrings(index);
  TVisCustomEdit* edit = FEdit;
  HideList();
  FCompleting = true;
  edit->SetText(chosen);
  edit->SetCaretIndex(Integer(chosen.size()) + 1);
  FCompleting = false;
}

bool viseditautocomplete_detail::RegisterClasses() {
  if (!GetClass("TVisEditAutoComplete")) RegisterClass(TVisEditAutoComplete::StaticClass());
  return true;
}
