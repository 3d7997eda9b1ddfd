#include "app/NamesList.h"

#include <memory>

#include "app/PrintGeneralLists.h"
#include "app/ToolListFiles.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/FormTextReader.h"
#include "classlib/Handles.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckPunctuation.h"
#include "core/ScripturesUnit.h"
#include "core/USFMUnit.h"
#include "tools/NewNames.h"

extern const char NamesListFormText[];

PUBLISHED(TNamesListDlg) {
  Field("ListBoxNew", &TNamesListDlg::ListBoxNew);
  Field("ListBoxApproved", &TNamesListDlg::ListBoxApproved);
  Field("DisapprovedListBox", &TNamesListDlg::DisapprovedListBox);
  Field("Edit1", &TNamesListDlg::Edit1);
  Field("OKBtn", &TNamesListDlg::OKBtn);
  Field("CancelBtn", &TNamesListDlg::CancelBtn);
  Field("StatusBar1", &TNamesListDlg::StatusBar1);
  Method("FormCreate", &TNamesListDlg::FormCreate);
  Method("FormDestroy", &TNamesListDlg::FormDestroy);
  Method("ProduceListBtnClick", &TNamesListDlg::ProduceListBtnClick);
  Method("ApproveBtnClick", &TNamesListDlg::ApproveBtnClick);
  Method("DisapproveBtnClick", &TNamesListDlg::DisapproveBtnClick);
  Method("RejectBtnClick", &TNamesListDlg::RejectBtnClick);
  Method("NoDisapproveBtnClick", &TNamesListDlg::NoDisapproveBtnClick);
  Method("ManualBtnClick", &TNamesListDlg::ManualBtnClick);
  Method("ClipboardBtnClick", &TNamesListDlg::ClipboardBtnClick);
  Method("SelectButtonClick", &TNamesListDlg::SelectButtonClick);
  Method("OKBtnClick", &TNamesListDlg::OKBtnClick);
  Method("CancelBtnClick", &TNamesListDlg::CancelBtnClick);
}

namespace {

// Moves (or, without a target, deletes) the selected lines of a list box, from the last to the
// first; the number of lines.
int MoveSelected(TListBox* from, TListBox* to) {
  TStrings* items = from->GetItems();
  int moved = 0;
  for (Integer i = items->GetCount() - 1; i >= 0; --i) {
    if (!from->GetSelected(i)) continue;
    if (to) to->GetItems()->Add(items->GetStrings(i));
    items->Delete(i);
    ++moved;
  }
  return moved;
}

}  // namespace

TNamesListDlg::TNamesListDlg(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, NamesListFormText);
}

AnsiString TNamesListDlg::ApprovedPath() const { return Scripture->WorkFolder + "ApprovedNames.txt"; }
AnsiString TNamesListDlg::DisapprovedPath() const { return Scripture->WorkFolder + "DisapprovedNames.txt"; }

void TNamesListDlg::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  StatusBar1->Update();
}

void TNamesListDlg::FormCreate(TObject*) {
  Scripture = new TScripture(this, -1);
  USFM = new TUSFM(Scripture);
  // An approved list read from its file stays sorted; a new one keeps the order names come in.
  if (FileExists(ApprovedPath())) {
    ListBoxApproved->GetItems()->LoadFromFile(ApprovedPath());
    ListBoxApproved->SetSorted(true);
  }
  Edit1->SetText("");
  ListsChanged = false;
  if (FileExists(DisapprovedPath())) DisapprovedListBox->GetItems()->LoadFromFile(DisapprovedPath());
}

void TNamesListDlg::FormDestroy(TObject*) {
  delete USFM;
  USFM = nullptr;
  delete Scripture;
  Scripture = nullptr;
}

void TNamesListDlg::ProduceListBtnClick(TObject*) {
  ListBoxNew->GetItems()->Clear();
  const TCursor cursor = Screen->GetCursor();
  Screen->SetCursor(crHourGlass);
  ScopeExit restore([cursor] { Screen->SetCursor(cursor); });

  TNewNamesSearch search;
  search.OnStatus = [this](const AnsiString& text) { ShowStatus(text); };
  search.Run(Scripture, USFM, ListBoxApproved->GetItems(), DisapprovedListBox->GetItems());
  ListBoxNew->GetItems()->BeginUpdate();
  ListBoxNew->GetItems()->Assign(search.NewNames.get());
  ListBoxNew->GetItems()->EndUpdate();
  // Only a search of every book shows which approved names no longer occur; a project whose book
  // files are missing shows nothing of the kind, and its approved names are kept.
  const bool everyBookSearched = Scripture->AllBooks && Scripture->BookFiles->GetCount() > 0;
  const int removed = everyBookSearched ? PruneApprovedNames(ListBoxApproved->GetItems(), search.AllNames.get()) : 0;
  ShowStatus(NewNamesStatusText(ListBoxNew->GetItems()->GetCount(), removed));
}

void TNamesListDlg::ApproveBtnClick(TObject*) {
  if (MoveSelected(ListBoxNew, ListBoxApproved) > 0) ListsChanged = true;
}

void TNamesListDlg::DisapproveBtnClick(TObject*) {
  MoveSelected(ListBoxNew, DisapprovedListBox);
  ListsChanged = true;
}

void TNamesListDlg::RejectBtnClick(TObject*) {
  if (MoveSelected(ListBoxApproved, nullptr) > 0) ListsChanged = true;
}

void TNamesListDlg::NoDisapproveBtnClick(TObject*) {
  MoveSelected(DisapprovedListBox, nullptr);
  ListsChanged = true;
}

void TNamesListDlg::ManualBtnClick(TObject*) {
  const AnsiString name = Edit1->GetText();
  if (name.empty()) {
    ShowStatus("Enter a name first");
  } else if (CapitalLetters.Contains(name[0])) {
    ListBoxApproved->GetItems()->Add(name);
    ListsChanged = true;
    ShowStatus("Name added: " + name);
    Edit1->SetText("");
  } else {
    ShowStatus("Start the name with a capital");
  }
}

void TNamesListDlg::ClipboardBtnClick(TObject*) {
  ShowStatus("Transferring words to editor...");
  std::unique_ptr<TPrintGeneralListDialog> list(new TPrintGeneralListDialog(this));
  list->SetCaption(GetCaption());
  list->Title = GetCaption();
  list->SourceList->Assign(ListBoxApproved->GetItems());
  list->ShowList(lkLines);
  list->ShowModal();
  list.reset();
  ShowStatus("Ready");
}

void TNamesListDlg::SelectButtonClick(TObject*) { Scripture->SelectBooks(); }

void TNamesListDlg::OKBtnClick(TObject*) {
  // A list that cannot be saved keeps the dialog open, so that nothing the user did is lost.
  if (!SaveListFile(ListBoxApproved->GetItems(), ApprovedPath()) ||
      !SaveListFile(DisapprovedListBox->GetItems(), DisapprovedPath())) {
    SetModalResult(mrNone);
    return;
  }
  SetModalResult(ListsChanged ? mrYes : mrOk);
}

void TNamesListDlg::CancelBtnClick(TObject*) {
  if (!ListsChanged) return;
  if (MessageDlg("Do you want to discard the changes in the lists?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) !=
      mrYes)
    SetModalResult(mrNone);
}
