#include "app/Compare.h"

#include <memory>

#include "app/PrintGeneralLists.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/Streams.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "classlib/Timers.h"
#include "core/FontTable.h"
#include "core/MyRegistry.h"
#include "core/ScripturesUnit.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"
#include "richtext/edit/UVEdit.h"
#include "tools/ComparisonReport.h"
#include "tools/DynamicCompareUnit.h"

extern const char CompareFormText[];

PUBLISHED(TCompareDlg) {
  Field("CurrentComboBox", &TCompareDlg::CurrentComboBox);
  Field("FilenamesComboBox", &TCompareDlg::FilenamesComboBox);
  Field("EarlierComboBox", &TCompareDlg::EarlierComboBox);
  Field("DiffBtn", &TCompareDlg::DiffBtn);
  Field("ClipboardBtn", &TCompareDlg::ClipboardBtn);
  Field("IterateButton", &TCompareDlg::IterateButton);
  Field("OKBtn", &TCompareDlg::OKBtn);
  Field("VersionsPanel", &TCompareDlg::VersionsPanel);
  Field("ResultPanel", &TCompareDlg::ResultPanel);
  Field("CurrentPanel", &TCompareDlg::CurrentPanel);
  Field("UzurUvad1", &TCompareDlg::UzurUvad1);
  Field("UzurUvad2", &TCompareDlg::UzurUvad2);
  Field("CompareUzurUvadEdit", &TCompareDlg::CompareUzurUvadEdit);
  Field("StatusBar1", &TCompareDlg::StatusBar1);
  Field("AllTimer", &TCompareDlg::AllTimer);
  Field("UVStyle1", &TCompareDlg::UVStyle1);
  Method("FormCreate", &TCompareDlg::FormCreate);
  Method("FormDestroy", &TCompareDlg::FormDestroy);
  Method("CurrentComboBoxChange", &TCompareDlg::CurrentComboBoxChange);
  Method("FilenamesComboBoxChange", &TCompareDlg::FilenamesComboBoxChange);
  Method("EarlierComboBoxChange", &TCompareDlg::EarlierComboBoxChange);
  Method("DiffBtnClick", &TCompareDlg::DiffBtnClick);
  Method("IterateButtonClick", &TCompareDlg::IterateButtonClick);
  Method("ClipboardBtnClick", &TCompareDlg::ClipboardBtnClick);
  Method("AllTimerTimer", &TCompareDlg::AllTimerTimer);
  Method("VersionsPanelResize", &TCompareDlg::VersionsPanelResize);
}

namespace {

const char kCompareAllBooks[] = "Compare all books";

void ClearAndFormat(TCustomUzurUvad* viewer) {
  viewer->Clear();
  viewer->Format();
}

}  // namespace

TCompareDlg::TCompareDlg(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, CompareFormText);
  // The list exists before the handlers that may fill it run.
  ChangePositions = new TStringList();
  ChangePositions->SetSorted(true);
  ChangePositions->Duplicates = dupIgnore;
  AfterConstruction();
}

void TCompareDlg::FormCreate(TObject*) {
  ClearVersionViews();
  ClearAndFormat(CompareUzurUvadEdit);
  LoadedBookIndex = -1;
  std::unique_ptr<TAllScriptures> projects(new TAllScriptures());
  CurrentComboBox->GetItems()->Assign(projects->FullNames);
  CurrentComboBox->SetItemIndex(projects->CurrentIndex);
  CurrentComboBoxChange(CurrentComboBox);
  EarlierComboBox->GetItems()->Assign(projects->FullNames);
  EarlierComboBox->SetItemIndex(projects->FullNames->IndexOf(MyReg->GetCompareEarlierVersion()));
  EarlierComboBoxChange(EarlierComboBox);
  Thumb.Restart();
  TFontInfos* styles = UVStyle1->GetTextStyles();
  styles->GetItem(csAdded)->Assign(FontRecordToFont(Fonts[fiAddedText]));
  styles->GetItem(csRemoved)->Assign(FontRecordToFont(Fonts[fiRemovedText]));
}

void TCompareDlg::FormDestroy(TObject*) {
  AllTimer->SetEnabled(false);
  delete ChangePositions;
  ChangePositions = nullptr;
}

void TCompareDlg::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  // Long steps show what they do before the window's next paint.
  StatusBar1->Update();
}

void TCompareDlg::ShowResultView(bool show) {
  VersionsPanel->SetVisible(!show);
  ResultPanel->SetVisible(show);
}

void TCompareDlg::ClearVersionViews() {
  ClearAndFormat(UzurUvad1);
  ClearAndFormat(UzurUvad2);
}

void TCompareDlg::VersionsPanelResize(TObject*) { CurrentPanel->SetHeight(VersionsPanel->GetClientHeight() / 2); }

Integer TCompareDlg::AllBooksEntry() const {
  const Integer count = FilenamesComboBox->GetItems()->GetCount();
  return count > 0 ? count - 1 : -1;
}

AnsiString TCompareDlg::ChosenBook() const {
  const Integer index = FilenamesComboBox->GetItemIndex();
  if (index < 0 || index == AllBooksEntry()) return AnsiString();
  return FilenamesComboBox->GetItems()->GetStrings(index);
}

void TCompareDlg::CurrentComboBoxChange(TObject*) {
  ClearVersionViews();
  {
    std::unique_ptr<TScripture> books(new TScripture(this, CurrentComboBox->GetItemIndex()));
    TStrings* items = FilenamesComboBox->GetItems();
    items->Assign(books->BookNames);
    if (books->BookNames->GetCount() > 0)
      items->Add(kCompareAllBooks);
    else
      ShowStatus("No files found");
  }
  // The book last chosen, unless it is "Compare all books" (that entry is never stored).
  Integer book = FilenamesComboBox->GetItems()->IndexOf(MyReg->GetCompareBook());
  if (book == AllBooksEntry()) book = -1;
  FilenamesComboBox->SetItemIndex(book);
  LoadedBookIndex = -1;
  FilenamesComboBoxChange(FilenamesComboBox);
}

void TCompareDlg::FilenamesComboBoxChange(TObject*) {
  const Integer index = FilenamesComboBox->GetItemIndex();
  if (index >= 0 && index == AllBooksEntry()) {
    ClearAndFormat(CompareUzurUvadEdit);
    ChangePositions->Clear();
    AllBooksTotal = 0;
    AllBooksIndex = 0;
    AllTimer->SetEnabled(true);
    return;
  }
  if (index != LoadedBookIndex) {
    ShowResultView(false);
    ShowStatus("Loading current version");
    std::unique_ptr<TScripture> books(new TScripture(this, CurrentComboBox->GetItemIndex()));
    LoadedBookIndex = index;
    if (!AllBooksRunning) ClearVersionViews();
    CurrentFile.clear();
    if (index >= 0 && index < books->BookFiles->GetCount()) {
      CurrentFile = books->BookFiles->GetStrings(index);
      UzurUvad1->LoadText(CurrentFile, 0, 0, false);
      UzurUvad1->Format();
    }
    books.reset();
    ShowStatus("Viewing versions");
    ShowEarlierVersion();
  }
  // The all-books run passes through every book; the book chosen before it stays stored.
  if (!AllBooksRunning) MyReg->SetCompareBook(index >= 0 ? FilenamesComboBox->GetItems()->GetStrings(index) : "");
}

void TCompareDlg::ShowEarlierVersion() {
  const AnsiString book = ChosenBook();
  if (book.empty()) return;
  ShowStatus("Loading older version ...");
  ShowResultView(false);
  ClearAndFormat(UzurUvad2);
  EarlierFile.clear();
  if (EarlierComboBox->GetItemIndex() < 0) {
    UzurUvad2->AddNL("Select an earlier version first", 0, 0);
    UzurUvad2->Format();
    return;
  }
  std::unique_ptr<TScripture> books(new TScripture(this, EarlierComboBox->GetItemIndex()));
  const Integer found = books->BookNames->IndexOf(book);
  if (found >= 0) {
    EarlierFile = books->BookFiles->GetStrings(found);
    UzurUvad2->LoadText(EarlierFile, 0, 0, false);
    UzurUvad2->Format();
    ShowStatus("Viewing versions");
  } else {
    ShowStatus(book + " does not exist in the earlier version.");
  }
}

void TCompareDlg::EarlierComboBoxChange(TObject*) {
  ShowEarlierVersion();
  MyReg->SetCompareEarlierVersion(EarlierComboBox->GetText());
}

void TCompareDlg::DiffBtnClick(TObject*) {
  ShowStatus("Starting");
  ShowResultView(false);
  if (!AllBooksRunning) {
    CompareUzurUvadEdit->Clear();
    ChangePositions->Clear();
  }
  // Both viewers must show a book: the earlier viewer also shows "Select an earlier version
  // first", which is no book to compare with.
  if (UzurUvad1->GetItemCount() > 0 && UzurUvad2->GetItemCount() > 0 && !CurrentFile.empty() &&
      !EarlierFile.empty()) {
    const TComparedVersions versions{CurrentComboBox->GetText(), EarlierComboBox->GetText(), ChosenBook(),
                                     CurrentFile, EarlierFile};
    ChangeCount = WriteComparisonReport(CompareUzurUvadEdit->GetUVData(), versions, Now(), ChangePositions, StatusBar1);
    ShowStatus("Formatting ...");
    ShowStatus("Ready - " + IntToStr(ChangeCount) + " changes");
  } else {
    CompareUzurUvadEdit->AddNL(LoadBothVersionsFirst, 0, 0);
  }
  if (!AllBooksRunning) {
    CompareUzurUvadEdit->Format();
    ShowResultView(true);
  }
  Thumb.Restart();
}

void TCompareDlg::IterateButtonClick(TObject*) {
  ShowResultView(true);
  if (Thumb.Next(CompareUzurUvadEdit, ChangePositions) == TChangeThumb::ctEndReached) {
    ShowStatus("End reached");
    ::MessageBeep(MB_OK);
  } else {
    ShowStatus("Viewing next change(s)");
  }
}

void TCompareDlg::ClipboardBtnClick(TObject*) {
  ShowResultView(true);
  ShowStatus("Copying to editor ...");
  {
    std::unique_ptr<TPrintGeneralListDialog> list(new TPrintGeneralListDialog(this));
    list->SetCaption(GetCaption());
    list->Title = "Comparison of " + FilenamesComboBox->GetText();
    CompareUzurUvadEdit->SaveUVFToStream(list->SourceStream, false);
    list->ShowList(lkUVF);
    list->ShowModal();
  }
  ShowStatus("Ready");
}

void TCompareDlg::AllTimerTimer(TObject*) {
  if (AllBooksRunning) return;
  AllBooksRunning = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{AllBooksRunning};
  const Integer last = AllBooksEntry();
  if (AllBooksIndex >= last) {
    AllTimer->SetEnabled(false);
    FilenamesComboBox->SetItemIndex(last);
    ClearVersionViews();
    ShowStatus("Formatting text ...");
    CompareUzurUvadEdit->Format();
    ShowResultView(true);
    ShowStatus("Ready comparing all books - " + IntToStr(AllBooksTotal) + " changes");
    return;
  }
  FilenamesComboBox->SetItemIndex(AllBooksIndex);
  ClearVersionViews();
  // The book is loaded even when it is the one loaded last.
  LoadedBookIndex = -1;
  FilenamesComboBoxChange(FilenamesComboBox);
  if (UzurUvad2->GetItemCount() > 1) {
    DiffBtnClick(DiffBtn);
    AllBooksTotal += ChangeCount;
  }
  ++AllBooksIndex;
}
