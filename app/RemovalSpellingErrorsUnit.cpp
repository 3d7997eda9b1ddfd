#include "app/RemovalSpellingErrorsUnit.h"

#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "classlib/Timers.h"
#include "core/MyRegistry.h"
#include "core/ProgramFolderUnit.h"
#include "core/ScripturesUnit.h"

extern const char RemovalSpellingErrorsUnitFormText[];

PUBLISHED(TRemovalSpellingErrorsDlg) {
  Field("ComboBox1", &TRemovalSpellingErrorsDlg::ComboBox1);
  Field("CheckBox1", &TRemovalSpellingErrorsDlg::CheckBox1);
  Field("Edit3", &TRemovalSpellingErrorsDlg::Edit3);
  Field("UpDown1", &TRemovalSpellingErrorsDlg::UpDown1);
  Field("Edit1", &TRemovalSpellingErrorsDlg::Edit1);
  Field("Edit2", &TRemovalSpellingErrorsDlg::Edit2);
  Field("Label8", &TRemovalSpellingErrorsDlg::Label8);
  Field("Label9", &TRemovalSpellingErrorsDlg::Label9);
  Field("ListBox1", &TRemovalSpellingErrorsDlg::ListBox1);
  Field("StatusBar1", &TRemovalSpellingErrorsDlg::StatusBar1);
  Field("Timer1", &TRemovalSpellingErrorsDlg::Timer1);
  Method("FormCreate", &TRemovalSpellingErrorsDlg::FormCreate);
  Method("FormDestroy", &TRemovalSpellingErrorsDlg::FormDestroy);
  Method("Timer1Timer", &TRemovalSpellingErrorsDlg::Timer1Timer);
  Method("Button1Click", &TRemovalSpellingErrorsDlg::Button1Click);
  Method("Button2Click", &TRemovalSpellingErrorsDlg::Button2Click);
  Method("Button3Click", &TRemovalSpellingErrorsDlg::Button3Click);
  Method("RadioButton1Click", &TRemovalSpellingErrorsDlg::RadioButton1Click);
  Method("RadioButton2Click", &TRemovalSpellingErrorsDlg::RadioButton2Click);
  Method("RadioButton3Click", &TRemovalSpellingErrorsDlg::RadioButton3Click);
  Method("RadioButton4Click", &TRemovalSpellingErrorsDlg::RadioButton4Click);
  Method("CheckBox1Click", &TRemovalSpellingErrorsDlg::CheckBox1Click);
  Method("OKBtnClick", &TRemovalSpellingErrorsDlg::OKBtnClick);
}

namespace {

const char* const kChapterSetting = "Only correct chapter";

struct ListTexts {
  const char* Header;
  const char* Misspelling;
  const char* Correction;
};
const ListTexts kListTexts[CorrectionListCount] = {
    {"First half word:  spelling mistake  -  correction", "&Enter first half of the misspelled word",
     "Enter first half of the &correction"},
    {"Second half word:  spelling mistake  -  correction", "&Enter second half of the misspelled word",
     "Enter second half of the &correction"},
    {"Whole word:  spelling mistake  -  correction", "&Enter the misspelled word", "Enter the &correction"},
    {"Phrase:  spelling mistake  -  correction", "&Enter the misspelled phrase", "Enter the &correction"},
};

AnsiString ListFile(int list) { return ProgramFolder + CorrectionListFileName(list); }

}  // namespace

TRemovalSpellingErrorsDlg::TRemovalSpellingErrorsDlg(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, RemovalSpellingErrorsUnitFormText);
}

void TRemovalSpellingErrorsDlg::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  StatusBar1->Update();
}

void TRemovalSpellingErrorsDlg::Refuse(const AnsiString& text) {
  ShowStatus(text);
  MessageBeep(0);
}

void TRemovalSpellingErrorsDlg::FormCreate(TObject*) {
  ShowStatus("Ready");
  Edit1->SetText("");
  Edit2->SetText("");
  for (int list = 1; list <= CorrectionListCount; ++list) {
    AnsiString bytes;
    Lists[static_cast<std::size_t>(list - 1)] =
        FileExists(ListFile(list)) && ReadResultFile(ListFile(list), bytes) ? SplitTextLines(bytes) : TextLines();
  }
  CurrentList = 1;
  Busy = false;
  Refresh = true;
  const AnsiString chapter = ReadSettingString(kChapterSetting);
  if (!chapter.empty()) UpDown1->SetPosition(StrToIntDef(chapter, 0));
  Books = new TScripture(this, -1);
  ComboBox1->GetItems()->Assign(Books->BookNames);
  if (Books->BookNames->GetCount() == 0) ShowStatus("No books found");
  CheckBox1->SetChecked(MyReg->GetOnlyCorrectChapter());
  CheckBox1Click(nullptr);
  ComboBox1->SetItemIndex(ComboBox1->GetItems()->IndexOf(MyReg->GetSpellingRemovalBook()));
}

void TRemovalSpellingErrorsDlg::FormDestroy(TObject*) {
  delete Books;
  Books = nullptr;
  // The lists are written at every close, changed or not.
  AnsiString problems;
  for (int list = 1; list <= CorrectionListCount; ++list) {
    const AnsiString problem = WriteResultFile(ListFile(list), JoinLines(Lists[static_cast<std::size_t>(list - 1)]));
    if (!problem.empty()) problems += problem + "\n";
  }
  if (!problems.empty()) MessageDlg(Trim(problems), mtError, TMsgDlgButtons{mbOK}, 0);
}

void TRemovalSpellingErrorsDlg::ChooseList(int list) {
  const ListTexts& texts = kListTexts[list - 1];
  Label8->SetCaption(texts.Misspelling);
  Label9->SetCaption(texts.Correction);
  CurrentList = list;
  Refresh = true;
}

void TRemovalSpellingErrorsDlg::RadioButton1Click(TObject*) { ChooseList(1); }
void TRemovalSpellingErrorsDlg::RadioButton2Click(TObject*) { ChooseList(2); }
void TRemovalSpellingErrorsDlg::RadioButton3Click(TObject*) { ChooseList(3); }
void TRemovalSpellingErrorsDlg::RadioButton4Click(TObject*) { ChooseList(4); }

void TRemovalSpellingErrorsDlg::Timer1Timer(TObject*) {
  if (Busy || !Refresh) return;
  Busy = true;
  TStrings* items = ListBox1->GetItems();
  items->BeginUpdate();
  items->Clear();
  const std::vector<TCorrectionPair> pairs = CorrectionPairs(Lists[static_cast<std::size_t>(CurrentList - 1)], 100);
  if (pairs.empty()) {
    items->Add("No entries in this list");
  } else {
    items->Add(kListTexts[CurrentList - 1].Header);
    items->Add("");
    for (const TCorrectionPair& pair : pairs) items->Add(pair.Misspelling + "  -  " + pair.Correction);
  }
  items->EndUpdate();
  Refresh = false;
  Busy = false;
}

void TRemovalSpellingErrorsDlg::Button2Click(TObject*) {
  TextLines& list = Lists[static_cast<std::size_t>(CurrentList - 1)];
  const AnsiString misspelling = Edit1->GetText();
  if (misspelling.empty()) {
    Refuse("First enter text under \"" + Label8->GetCaption() + "\"");
  } else if (Edit2->GetText().empty()) {
    Refuse("First enter text under \"" + Label9->GetCaption() + "\"");
  } else {
    bool exists = false;
    for (const TCorrectionPair& pair : CorrectionPairs(list)) exists = exists || pair.Misspelling == misspelling;
    if (exists) {
      Refuse("The word " + misspelling + " already exists in this list; it has not been added");
    } else {
      list.push_back("1" + misspelling);
      list.push_back("2" + Edit2->GetText());
      ShowStatus("Words added");
      Refresh = true;
    }
  }
  Edit1->SetFocus();
  Edit1->SetText("");
  Edit2->SetText("");
}

void TRemovalSpellingErrorsDlg::Button3Click(TObject*) {
  TextLines& list = Lists[static_cast<std::size_t>(CurrentList - 1)];
  bool deleted = false;
  for (Integer k = ListBox1->GetItems()->GetCount() - 1; k >= 2; --k) {
    if (!ListBox1->GetSelected(k)) continue;
    const std::size_t at = 2 * static_cast<std::size_t>(k - 2);
    if (at >= list.size()) continue;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(at),
               list.begin() + static_cast<std::ptrdiff_t>(std::min(at + 2, list.size())));
    deleted = true;
    Refresh = true;
  }
  if (deleted)
    ShowStatus("An entry has been deleted");
  else
    Refuse("First select a word, then press the button");
}

void TRemovalSpellingErrorsDlg::CheckBox1Click(TObject*) {
  const bool on = CheckBox1->GetChecked();
  Edit3->SetEnabled(on);
  UpDown1->SetEnabled(on);
}

void TRemovalSpellingErrorsDlg::Button1Click(TObject*) {
  const Integer index = ComboBox1->GetItemIndex();
  if (index < 0) return Refuse("Select a book first");
  const AnsiString bookName = ComboBox1->GetItems()->GetStrings(index);
  const AnsiString file = Books->BookFiles->GetStrings(index);
  const bool onlyChapter = CheckBox1->GetChecked();
  const AnsiString chapter = Edit3->GetText();
  if (onlyChapter)
    ShowStatus("Removing errors from " + bookName + " chapter " + chapter + " and the next ...");
  else
    ShowStatus("Removing errors from " + bookName + " ...");
  AnsiString bytes;
  if (!ReadResultFile(file, bytes)) return Refuse("The file " + file + " could not be read");
  const TBookCorrection corrected = CorrectBook(SplitTextLines(bytes), Lists, onlyChapter, chapter);
  const AnsiString problem = WriteResultFile(file, JoinLines(corrected.Lines));
  if (!problem.empty()) return Refuse(problem);
  ShowStatus(bookName + " corrected, " + IntToStr(corrected.Count) + " errors removed");
}

void TRemovalSpellingErrorsDlg::OKBtnClick(TObject*) {
  MyReg->SetOnlyCorrectChapter(CheckBox1->GetChecked());
  // The next use starts at the next chapter.
  if (MyReg->GetOnlyCorrectChapter()) UpDown1->SetPosition(UpDown1->GetPosition() + 1);
  WriteSettingString(kChapterSetting, Edit3->GetText());
  if (ComboBox1->GetItemIndex() >= 0)
    MyReg->SetSpellingRemovalBook(ComboBox1->GetItems()->GetStrings(ComboBox1->GetItemIndex()));
}
