#include "app/VersionManagementUnit.h"

#include <memory>

#include "classlib/ComCtrls.h"
#include "classlib/ComCtrlsPublished.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/FontTable.h"
#include "core/ScripturesUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"
#include "richtext/edit/UVEdit.h"
#include "tools/DynamicCompareUnit.h"
#include "tools/VersionCopies.h"

extern const char VersionManagementUnitFormText[];

PUBLISHED(TVersionManagementDlg) {
  Field("PageControl1", &TVersionManagementDlg::PageControl1);
  Field("CurrentSheet", &TVersionManagementDlg::CurrentSheet);
  Field("ApprovalSheet", &TVersionManagementDlg::ApprovalSheet);
  Field("CommentsSheet", &TVersionManagementDlg::CommentsSheet);
  Field("PreviousSheet", &TVersionManagementDlg::PreviousSheet);
  Field("BookListBox", &TVersionManagementDlg::BookListBox);
  Field("UzurUvad1", &TVersionManagementDlg::UzurUvad1);
  Field("UzurUvadEdit1", &TVersionManagementDlg::UzurUvadEdit1);
  Field("SaveButton", &TVersionManagementDlg::SaveButton);
  Field("ThumbButton", &TVersionManagementDlg::ThumbButton);
  Field("Memo1", &TVersionManagementDlg::Memo1);
  Field("CommentsButton", &TVersionManagementDlg::CommentsButton);
  Field("ComboBox1", &TVersionManagementDlg::ComboBox1);
  Field("Memo2", &TVersionManagementDlg::Memo2);
  Field("PVUzurUvad", &TVersionManagementDlg::PVUzurUvad);
  Field("OKBtn", &TVersionManagementDlg::OKBtn);
  Field("StatusBar1", &TVersionManagementDlg::StatusBar1);
  Field("UVStyle1", &TVersionManagementDlg::UVStyle1);
  Method("FormCreate", &TVersionManagementDlg::FormCreate);
  Method("FormDestroy", &TVersionManagementDlg::FormDestroy);
  Method("BookListBoxClick", &TVersionManagementDlg::BookListBoxClick);
  Method("PageControl1Change", &TVersionManagementDlg::PageControl1Change);
  Method("SaveButtonClick", &TVersionManagementDlg::SaveButtonClick);
  Method("ThumbButtonClick", &TVersionManagementDlg::ThumbButtonClick);
  Method("CommentsButtonClick", &TVersionManagementDlg::CommentsButtonClick);
  Method("ComboBox1Change", &TVersionManagementDlg::ComboBox1Change);
}

namespace {

// Loads a book file into a viewer as plain text and lays it out.
void ShowBookFile(TCustomUzurUvad* viewer, const AnsiString& fileName) {
  viewer->Clear();
  viewer->LoadText(fileName, 0, 0, false);
  viewer->Format();
}

}  // namespace

TVersionManagementDlg::TVersionManagementDlg(TComponent* AOwner) : TForm(AOwner) {
  ComCtrlsClassesPublished();
  ReadComponentFromText(this, VersionManagementUnitFormText);
  AfterConstruction();
}

void TVersionManagementDlg::FormCreate(TObject*) {
  PageControl1->SetActivePage(CurrentSheet);
  Books = new TScripture(this, -1);
  BookListBox->GetItems()->Assign(Books->BookNames);
  if (Books->BookNames->GetCount() == 0) {
    ShowStatus("No books found");
    ::MessageBeep(MB_OK);
  }
  UVStyle1->GetTextStyles()->GetItem(csCommon)->Assign(FontRecordToFont(Fonts[fiNormalText]));
  ChangePositions = new TStringList();
  PreviousCopies = new TStringList();
}

void TVersionManagementDlg::FormDestroy(TObject*) {
  delete ChangePositions;
  ChangePositions = nullptr;
  delete PreviousCopies;
  PreviousCopies = nullptr;
  delete Books;
  Books = nullptr;
}

void TVersionManagementDlg::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  StatusBar1->Update();
}

AnsiString TVersionManagementDlg::BookName() const {
  return BookNumber > 0 ? EnglishBookName(BookNumber) : AnsiString();
}

void TVersionManagementDlg::BookListBoxClick(TObject*) {
  const Integer index = BookListBox->GetItemIndex();
  if (index < 0) return;
  Compared = false;
  const AnsiString name = BookListBox->GetItems()->GetStrings(index);
  BookNumber = BookNumberFromEnglishName(name);
  BookFile = Books->BookFiles->GetStrings(Books->BookNames->IndexOf(name));
  ShowBookFile(UzurUvad1, BookFile);
  ShowStatus("Viewing " + name);
  Memo1->GetLines()->Clear();
  CommentsButton->SetEnabled(false);
  Memo2->GetLines()->Clear();
  PVUzurUvad->Clear();
  PVUzurUvad->Format();
}

void TVersionManagementDlg::PageControl1Change(TObject*) {
  if (BookNumber == 0) return;
  TTabSheet* page = PageControl1->GetActivePage();
  if (page == ApprovalSheet && !Compared) {
    ProduceApprovalComparison();
    Compared = true;
  } else if (page == PreviousSheet) {
    FindPreviousCopies();
    TStrings* items = ComboBox1->GetItems();
    items->Clear();
    for (Integer i = 0; i < PreviousCopies->GetCount(); ++i) items->Add(ExtractFileName(PreviousCopies->GetStrings(i)));
  }
}

void TVersionManagementDlg::FindPreviousCopies() { ::FindPreviousCopies(Books->WorkFolder, BookName(), PreviousCopies); }

void TVersionManagementDlg::ProduceApprovalComparison() {
  ShowStatus("Looking for previous versions ...");
  FindPreviousCopies();
  UzurUvadEdit1->Clear();
  UzurUvadEdit1->Format();
  ChangePositions->Clear();
  ChangeCount = 0;
  Thumb.Restart();
  if (PreviousCopies->GetCount() == 0) {
    ShowBookFile(UzurUvadEdit1, BookFile);
    // The first version is kept at once; a copy that failed keeps its message and the button.
    if (!SaveVersion()) return;
    ShowStatus("No older version available - the current has been saved for future reference");
    SaveButton->SetEnabled(false);
    return;
  }
  ShowStatus("Producing comparison ...");
  TFontInfos* styles = UVStyle1->GetTextStyles();
  styles->GetItem(csAdded)->Assign(FontRecordToFont(Fonts[fiAddedText]));
  styles->GetItem(csRemoved)->Assign(FontRecordToFont(Fonts[fiRemovedText]));
  const AnsiString newest = PreviousCopies->GetStrings(PreviousCopies->GetCount() - 1);
  ChangeCount = CompareVersionTexts(BookFile, newest, ChangePositions, UzurUvadEdit1, StatusBar1);
  RemoveLeadingEmptyItems(UzurUvadEdit1->GetUVData(), ChangePositions, 2);
  UzurUvadEdit1->Format();
  ShowStatus("The current version has been compared with the previous version - displaying the comparison");
  SaveButton->SetEnabled(true);
}

bool TVersionManagementDlg::SaveVersion() {
  const AnsiString copy = DatedCopyName(Books->WorkFolder, BookName(), Now());
  const AnsiString failure = SaveDatedCopy(BookFile, copy);
  if (!failure.empty()) {
    ShowStatus("This version has not been saved. " + failure);
    ::MessageBeep(MB_ICONEXCLAMATION);
    return false;
  }
  SavedCopy = copy;
  SaveButton->SetEnabled(false);
  ShowStatus("This version has been saved as " + SavedCopy);
  const AnsiString comparedWith =
      PreviousCopies->GetCount() > 0 ? PreviousCopies->GetStrings(PreviousCopies->GetCount() - 1) : AnsiString();
  ApprovalComments(Memo1->GetLines(), BookName(), DateTimeToStr(Now()), comparedWith, ChangeCount);
  const AnsiString commentsFailure = SaveComments(SavedCopy, Memo1->GetLines());
  PageControl1->SetActivePage(CommentsSheet);
  CommentsButton->SetEnabled(true);
  if (!commentsFailure.empty()) {
    // The copy stands; its comments can be saved again from the comments page.
    ShowStatus("This version has been saved as " + SavedCopy + ", but its comments have not. " + commentsFailure);
    ::MessageBeep(MB_ICONEXCLAMATION);
  }
  return true;
}

void TVersionManagementDlg::SaveButtonClick(TObject*) { SaveVersion(); }

void TVersionManagementDlg::CommentsButtonClick(TObject*) {
  const AnsiString failure = SaveComments(SavedCopy, Memo1->GetLines());
  if (!failure.empty()) {
    ShowStatus("The comments have not been saved. " + failure);
    ::MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  CommentsButton->SetEnabled(false);
  ShowStatus("Comments saved to file " + CommentFileName(SavedCopy));
}

void TVersionManagementDlg::ComboBox1Change(TObject*) {
  const Integer index = ComboBox1->GetItemIndex();
  if (index < 0 || index >= PreviousCopies->GetCount()) return;
  const AnsiString copy = PreviousCopies->GetStrings(index);
  ShowBookFile(PVUzurUvad, copy);
  TStrings* comments = Memo2->GetLines();
  comments->Clear();
  std::unique_ptr<TStringList> lines(new TStringList());
  if (FileExists(CommentFileName(copy))) {
    ReadLinesOrNone(CommentFileName(copy), lines.get());
    comments->Assign(lines.get());
  } else {
    comments->Add("No comments available for this version");
  }
}

void TVersionManagementDlg::ThumbButtonClick(TObject*) {
  if (ChangePositions->GetCount() == 0) {
    ShowStatus("No differences found");
    ::MessageBeep(MB_OK);
    return;
  }
  if (Thumb.Next(UzurUvadEdit1, ChangePositions) == TChangeThumb::ctEndReached) {
    ShowStatus("End reached");
    ::MessageBeep(MB_OK);
  } else {
    ShowStatus("Viewing next change(s)");
  }
}
