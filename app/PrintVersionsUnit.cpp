#include "app/PrintVersionsUnit.h"

#include <memory>
#include <vector>

#include "app/PrintGeneralLists.h"
#include "classlib/ComCtrls.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/Streams.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/FontTable.h"
#include "core/Mapping.h"
#include "core/SSFUnit.h"
#include "core/ScripturesUnit.h"
#include "core/Utilities.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"
#include "richtext/edit/UVEdit.h"
#include "richtext/edit/UVTable.h"
#include "tools/DynamicCompareUnit.h"
#include "tools/PrintVersionsBlocks.h"

extern const char PrintVersionsUnitFormText[];

PUBLISHED(TPrintVersionsDlg) {
  Field("FileNamesComboBox", &TPrintVersionsDlg::FileNamesComboBox);
  Field("NewerComboBox", &TPrintVersionsDlg::NewerComboBox);
  Field("OlderComboBox", &TPrintVersionsDlg::OlderComboBox);
  Field("ProduceBtn", &TPrintVersionsDlg::ProduceBtn);
  Field("ClipboardBtn", &TPrintVersionsDlg::ClipboardBtn);
  Field("OKBtn", &TPrintVersionsDlg::OKBtn);
  Field("UzurUvadEdit1", &TPrintVersionsDlg::UzurUvadEdit1);
  Field("UzurUvad1", &TPrintVersionsDlg::UzurUvad1);
  Field("StatusBar1", &TPrintVersionsDlg::StatusBar1);
  Field("UVStyle1", &TPrintVersionsDlg::UVStyle1);
  Field("UVStyle2", &TPrintVersionsDlg::UVStyle2);
  Method("FormCreate", &TPrintVersionsDlg::FormCreate);
  Method("FormDestroy", &TPrintVersionsDlg::FormDestroy);
  Method("Version1ComboBoxChange", &TPrintVersionsDlg::Version1ComboBoxChange);
  for (const char* name : {"Version2ComboBoxChange", "Version3ComboBoxChange", "Version4ComboBoxChange",
                           "Version5ComboBoxChange", "Version6ComboBoxChange", "Version7ComboBoxChange",
                           "FileNamesComboBoxChange", "NewerComboBoxChange", "OlderComboBoxChange"})
    Method(name, &TPrintVersionsDlg::ExampleChange);
  Method("ProduceBtnClick", &TPrintVersionsDlg::ProduceBtnClick);
  Method("ClipboardBtnClick", &TPrintVersionsDlg::ClipboardBtnClick);
}

namespace {

// A project's file of the book; empty when it has not got the book.
AnsiString BookFileOf(TScripture* books, const AnsiString& book) {
  const Integer index = books->BookNames->IndexOf(book);
  return index >= 0 ? books->BookFiles->GetStrings(index) : AnsiString();
}

// The font of the project's language. A project whose language file is missing or names no font
// keeps the style's font from the form: its versions still print.
void SetVersionFont(TFontInfo* font, const AnsiString& shortName) {
  try {
    const AnsiString name = GetLanguageFontName(shortName);
    if (name.empty()) return;
    font->FontName = name;
    font->Size = GetLanguageFontSize(shortName);
  } catch (const Exception&) {
  }
}

void CopyFontRecord(TUVStyle* style, Integer textStyle, TFontIndex record) {
  style->GetTextStyles()->GetItem(textStyle)->Assign(FontRecordToFont(Fonts[record]));
}

}  // namespace

TPrintVersionsDlg::TPrintVersionsDlg(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, PrintVersionsUnitFormText);
  for (std::size_t k = 0; k < VersionComboBoxes.size(); ++k)
    VersionComboBoxes[k] =
        static_cast<TComboBox*>(FindComponent("Version" + IntToStr(static_cast<Integer>(k) + 1) + "ComboBox"));
  AfterConstruction();
}

void TPrintVersionsDlg::FormCreate(TObject*) {
  Projects = new TAllScriptures();
  UzurUvadEdit1->Clear();
  for (TComboBox* box : VersionComboBoxes) box->GetItems()->Assign(Projects->FullNames);
  NewerComboBox->GetItems()->Assign(Projects->FullNames);
  OlderComboBox->GetItems()->Assign(Projects->FullNames);
}

void TPrintVersionsDlg::FormDestroy(TObject*) {
  delete Projects;
  Projects = nullptr;
}

void TPrintVersionsDlg::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  StatusBar1->Update();
}

void TPrintVersionsDlg::Version1ComboBoxChange(TObject*) {
  {
    std::unique_ptr<TScripture> books(new TScripture(this, VersionComboBoxes[0]->GetItemIndex()));
    FileNamesComboBox->GetItems()->Assign(books->BookNames);
  }
  FileNamesComboBox->SetItemIndex(-1);
  ProduceVersions(false);
  ShowStatus("Select a book");
}

void TPrintVersionsDlg::ExampleChange(TObject*) {
  ProduceVersions(false);
  ShowStatus("Example produced");
}

void TPrintVersionsDlg::ProduceBtnClick(TObject*) {
  ProduceVersions(true);
  ShowStatus("Ready");
}

void TPrintVersionsDlg::ClipboardBtnClick(TObject*) {
  ShowStatus("Transferring to editor...");
  {
    std::unique_ptr<TPrintGeneralListDialog> list(new TPrintGeneralListDialog(this));
    list->SetCaption(FileNamesComboBox->GetText());
    list->Title = FileNamesComboBox->GetText();
    UzurUvadEdit1->SaveRTFToStream(list->SourceStream, false);
    list->ShowList(lkRTF);
    list->ShowModal();
  }
  ShowStatus("Ready");
}

void TPrintVersionsDlg::ProduceVersions(bool Full) {
  UzurUvadEdit1->Clear();
  const Integer bookIndex = FileNamesComboBox->GetItemIndex();
  if (bookIndex < 0) return;
  const AnsiString book = FileNamesComboBox->GetItems()->GetStrings(bookIndex);

  // The chosen versions, numbered without gaps in the order of their boxes.
  std::vector<TPrintedVersion> versions;
  std::vector<Integer> versifications;
  TFontInfos* styles = UVStyle1->GetTextStyles();
  for (TComboBox* box : VersionComboBoxes) {
    const Integer project = box->GetItemIndex();
    if (project < 0) continue;
    std::unique_ptr<TScripture> books(new TScripture(this, project));
    const AnsiString file = BookFileOf(books.get(), book);
    const AnsiString shortName = Projects->ShortNames->GetStrings(project);
    TPrintedVersion& version = versions.emplace_back();
    if (!file.empty()) version.Label = shortName;
    std::unique_ptr<TStringList> lines(new TStringList());
    if (FileExists(file)) ReadLinesOrNone(file, lines.get());
    for (Integer i = 0; i < lines->GetCount(); ++i) version.Lines.push_back(lines->GetStrings(i));
    versifications.push_back(books->Versification);
    SetVersionFont(styles->GetItem(pvsFirstVersion + static_cast<Integer>(versions.size()) - 1), shortName);
  }

  AnsiString newerFile, olderFile, title;
  const Integer newer = NewerComboBox->GetItemIndex(), older = OlderComboBox->GetItemIndex();
  if (newer >= 0 && older >= 0) {
    std::unique_ptr<TScripture> newerBooks(new TScripture(this, newer));
    std::unique_ptr<TScripture> olderBooks(new TScripture(this, older));
    newerFile = BookFileOf(newerBooks.get(), book);
    olderFile = BookFileOf(olderBooks.get(), book);
    title = ComparisonTitle(Projects->ShortNames->GetStrings(newer), !newerFile.empty(),
                            Projects->ShortNames->GetStrings(older), !olderFile.empty());
  }

  if (!versions.empty()) {
    // Every version is read in the versification of the first.
    for (std::size_t k = 1; k < versions.size(); ++k) {
      if (versifications[k] == versifications[0]) continue;
      std::unique_ptr<TStringList> lines(new TStringList());
      for (const AnsiString& line : versions[k].Lines) lines->Add(line);
      MapTextVersification(versifications[k], versifications[0], lines.get());
      versions[k].Lines.clear();
      for (Integer i = 0; i < lines->GetCount(); ++i) versions[k].Lines.push_back(lines->GetStrings(i));
    }
    if (Full) {
      TPrintedComparison comparison;
      if (!title.empty()) {
        CopyFontRecord(UVStyle2, csAdded, fiAddedText);
        CopyFontRecord(UVStyle2, csRemoved, fiRemovedText);
        CopyFontRecord(UVStyle1, pvsAdded, fiAddedText);
        CopyFontRecord(UVStyle1, pvsRemoved, fiRemovedText);
        ShowStatus("Producing comparison...");
        UzurUvad1->Clear();
        std::unique_ptr<TStringList> positions(new TStringList());
        CompareVersionTexts(newerFile, olderFile, positions.get(), UzurUvad1, StatusBar1);
        comparison = ReadPrintedComparison(UzurUvad1->GetUVData(), title);
        UzurUvad1->Clear();
        ShowStatus("Comparison loaded");
      }
      // The editor was emptied above, so its caret stands at the end: each table is appended
      // there, and the whole document is laid out once below (inserting each table as an edit
      // would lay the growing document out again for every verse).
      TCustomUVData* document = UzurUvadEdit1->GetUVData();
      BuildVersionBlocks(
          versions, comparison,
          [&](const TVersionBlock& block) { document->AddItem("", MakeBlockTable(block, document)); }, StatusBar1);
    } else {
      WriteVersionsExample(UzurUvadEdit1->GetUVData(), versions, title, newerFile.empty(), olderFile.empty());
    }
  }
  ShowStatus("Formatting ...");
  UzurUvadEdit1->Format();
}
