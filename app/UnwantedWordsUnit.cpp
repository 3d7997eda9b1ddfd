#include "app/UnwantedWordsUnit.h"

#include "app/ToolListFiles.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckPunctuation.h"
#include "core/ScripturesUnit.h"
#include "tools/UnwantedWordsList.h"

extern const char UnwantedWordsUnitFormText[];

PUBLISHED(TUnwantedWordsDlg) {
  Field("ListBox1", &TUnwantedWordsDlg::ListBox1);
  Field("Edit1", &TUnwantedWordsDlg::Edit1);
  Field("CheckBox1", &TUnwantedWordsDlg::CheckBox1);
  Field("Edit2", &TUnwantedWordsDlg::Edit2);
  Field("Edit3", &TUnwantedWordsDlg::Edit3);
  Field("EnterBtn", &TUnwantedWordsDlg::EnterBtn);
  Field("RemoveBtn", &TUnwantedWordsDlg::RemoveBtn);
  Field("Button1", &TUnwantedWordsDlg::Button1);
  Field("Status", &TUnwantedWordsDlg::Status);
  Field("OKBtn", &TUnwantedWordsDlg::OKBtn);
  Field("CancelBtn", &TUnwantedWordsDlg::CancelBtn);
  Method("FormCreate", &TUnwantedWordsDlg::FormCreate);
  Method("FormDestroy", &TUnwantedWordsDlg::FormDestroy);
  Method("OKBtnClick", &TUnwantedWordsDlg::OKBtnClick);
  Method("EnterBtnClick", &TUnwantedWordsDlg::EnterBtnClick);
  Method("RemoveBtnClick", &TUnwantedWordsDlg::RemoveBtnClick);
  Method("Edit1Change", &TUnwantedWordsDlg::Edit1Change);
  Method("Button1Click", &TUnwantedWordsDlg::Button1Click);
  Method("Edit3Change", &TUnwantedWordsDlg::Edit3Change);
}

TUnwantedWordsDlg::TUnwantedWordsDlg(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, UnwantedWordsUnitFormText);
}

AnsiString TUnwantedWordsDlg::ListPath() const { return Scripture->WorkFolder + "UnwantedWords.txt"; }

void TUnwantedWordsDlg::FormCreate(TObject*) {
  Scripture = new TScripture(this, -1);
  ListBox1->GetItems()->Clear();
  if (FileExists(ListPath())) ListBox1->GetItems()->LoadFromFile(ListPath());
  Edit1->SetMaxLength(MaxUnwantedWordLength);
  Edit1->SetText("");
  Edit2->SetText("");
  Edit3->SetText("");
  Status->SetCaption("");
  SearchPosition = 0;
  ListsChanged = false;
}

void TUnwantedWordsDlg::FormDestroy(TObject*) {
  delete Scripture;
  Scripture = nullptr;
}

void TUnwantedWordsDlg::Edit1Change(TObject*) {
  // A text with a blank is a phrase.
  if (Edit1->GetText().find(' ') != AnsiString::npos) CheckBox1->SetChecked(false);
}

void TUnwantedWordsDlg::EnterBtnClick(TObject*) {
  const AnsiString text = Edit1->GetText();
  const bool wholeWord = CheckBox1->GetChecked();
  const AnsiString entry = UnwantedWordEntry(text, wholeWord, Edit2->GetText());
  if (!WordCanMatch(text, wholeWord, CapitalLetters, SmallLetters, FilteredOutChars)) {
    ::MessageBeep(MB_OK);
    Status->SetCaption("This word won't produce any result. Not added.");
  } else if (!text.empty()) {
    ListBox1->GetItems()->Add(entry);
    ShowEntry(entry);
    Status->SetCaption("Word added.");
  }
  Edit1->SetFocus();
  Edit1->SetText("");
  Edit2->SetText("");
  CheckBox1->SetChecked(true);
  ListsChanged = true;
}

void TUnwantedWordsDlg::ShowEntry(const AnsiString& entry) {
  TStrings* items = ListBox1->GetItems();
  for (Integer i = 0; i < items->GetCount(); ++i) ListBox1->SetSelected(i, false);
  // Selecting a line at the very end first scrolls the list there, so that selecting the entry
  // scrolls back up just far enough to show it.
  items->Add("zzzzz");
  ListBox1->SetSelected(items->GetCount() - 1, true);
  items->Delete(items->IndexOf("zzzzz"));
  const Integer line = items->IndexOf(entry);
  if (line >= 0) ListBox1->SetSelected(line, true);
}

void TUnwantedWordsDlg::RemoveBtnClick(TObject*) {
  TStrings* items = ListBox1->GetItems();
  for (Integer i = items->GetCount() - 1; i >= 0; --i)
    if (ListBox1->GetSelected(i)) items->Delete(i);
  ListsChanged = true;
}

void TUnwantedWordsDlg::Button1Click(TObject*) {
  if (Edit3->GetText().empty()) {
    Status->SetCaption("First enter phrase, then press the Search button");
    return;
  }
  const Integer line = FindUnwantedEntry(ListBox1->GetItems(), Edit3->GetText(), SearchPosition);
  if (line < 0) {
    Status->SetCaption("Phrase not found");
    return;
  }
  ShowEntry(ListBox1->GetItems()->GetStrings(line));
  Status->SetCaption("Phrase found");
}

void TUnwantedWordsDlg::Edit3Change(TObject*) { SearchPosition = 0; }

void TUnwantedWordsDlg::OKBtnClick(TObject*) {
  // A list that cannot be saved keeps the dialog open, so that nothing the user did is lost.
  if (!SaveListFile(ListBox1->GetItems(), ListPath())) {
    SetModalResult(mrNone);
    return;
  }
  SetModalResult(ListsChanged ? mrYes : mrOk);
}
