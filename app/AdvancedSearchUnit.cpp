#include "app/AdvancedSearchUnit.h"

#include <memory>

#include "app/PrintGeneralLists.h"
#include "app/ToolListFiles.h"
#include "classlib/ComCtrls.h"
#include "classlib/FormTextReader.h"
#include "classlib/Handles.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckPunctuation.h"
#include "core/MyRegistry.h"
#include "core/ScripturesUnit.h"
#include "core/USFMUnit.h"
#include "core/Utilities.h"
#include "tools/AdvancedSearch.h"

extern const char AdvancedSearchUnitFormText[];

PUBLISHED(TAdvancedSearchForm) {
  Field("ResultsBox", &TAdvancedSearchForm::ResultsBox);
  Field("SearchRadioButton", &TAdvancedSearchForm::SearchRadioButton);
  Field("CAPSRadioButton", &TAdvancedSearchForm::CAPSRadioButton);
  Field("Search2RadioButton", &TAdvancedSearchForm::Search2RadioButton);
  Field("Search3RadioButton", &TAdvancedSearchForm::Search3RadioButton);
  Field("Search4RadioButton", &TAdvancedSearchForm::Search4RadioButton);
  Field("W", &TAdvancedSearchForm::W);
  Field("WW", &TAdvancedSearchForm::WW);
  Field("PelorinTxtMemo", &TAdvancedSearchForm::PelorinTxtMemo);
  Field("OKBtn", &TAdvancedSearchForm::OKBtn);
  Field("SelectBooksBtn", &TAdvancedSearchForm::SelectBooksBtn);
  Field("SearchBtn", &TAdvancedSearchForm::SearchBtn);
  Field("RPButton", &TAdvancedSearchForm::RPButton);
  Field("StatusBar1", &TAdvancedSearchForm::StatusBar1);
  Method("FormCreate", &TAdvancedSearchForm::FormCreate);
  Method("FormDestroy", &TAdvancedSearchForm::FormDestroy);
  Method("OKBtnClick", &TAdvancedSearchForm::OKBtnClick);
  Method("SearchBtnClick", &TAdvancedSearchForm::SearchBtnClick);
  Method("SelectBooksBtnClick", &TAdvancedSearchForm::SelectBooksBtnClick);
  Method("RPButtonClick", &TAdvancedSearchForm::RPButtonClick);
  Method("SearchRadioButtonClick", &TAdvancedSearchForm::SearchRadioButtonClick);
  Method("CAPSRadioButtonClick", &TAdvancedSearchForm::CAPSRadioButtonClick);
  Method("Search2RadioButtonClick", &TAdvancedSearchForm::Search2RadioButtonClick);
  Method("Search3RadioButtonClick", &TAdvancedSearchForm::Search3RadioButtonClick);
  Method("Search4RadioButtonClick", &TAdvancedSearchForm::Search4RadioButtonClick);
}

TAdvancedSearchForm::TAdvancedSearchForm(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, AdvancedSearchUnitFormText);
  for (int i = 0; i < 4; ++i) {
    P[i] = static_cast<TEdit*>(FindComponent("P" + IntToStr(i + 1)));
    F[i] = static_cast<TEdit*>(FindComponent("F" + IntToStr(i + 1)));
    V[i] = static_cast<TEdit*>(FindComponent("V" + IntToStr(i + 1)));
  }
}

template <class Action>
void TAdvancedSearchForm::ForEachEdit(Action action) {
  action(W, AnsiString("Search Word"));
  for (int i = 0; i < 4; ++i) action(P[i], "Search P" + IntToStr(i + 1));
  for (int i = 0; i < 4; ++i) action(F[i], "Search F" + IntToStr(i + 1));
  for (int i = 0; i < 4; ++i) action(V[i], "Search V" + IntToStr(i + 1));
  action(WW, AnsiString("Search WW"));
}

AnsiString TAdvancedSearchForm::WordListPath() const { return Scripture->WorkFolder + "SearchData.txt"; }

void TAdvancedSearchForm::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  StatusBar1->Update();
}

void TAdvancedSearchForm::FormCreate(TObject*) {
  ForEachEdit([](TEdit* edit, const AnsiString& name) { edit->SetText(ReadSettingString(name)); });
  Scripture = new TScripture(this, -1);
  USFM = new TUSFM(Scripture);
  if (FileExists(WordListPath())) PelorinTxtMemo->GetLines()->LoadFromFile(WordListPath());
  FilteredOutChars = StringToCharSet(ReadSettingString("Chars Filtered Out"));
  SetSearchMode(1);
}

void TAdvancedSearchForm::FormDestroy(TObject*) {
  delete USFM;
  USFM = nullptr;
  delete Scripture;
  Scripture = nullptr;
}

void TAdvancedSearchForm::SetSearchMode(Integer mode) {
  ForEachEdit([](TEdit* edit, const AnsiString&) { edit->SetColor(clInactiveBorder); });
  PelorinTxtMemo->SetColor(clInactiveBorder);
  PelorinTxtMemo->SetReadOnly(true);
  switch (mode) {
    case smPhrase:
      for (TEdit* edit : P) edit->SetColor(clWindow);
      W->SetColor(clWindow);
      for (TEdit* edit : F) edit->SetColor(clWindow);
      break;
    case smVerse:
      for (TEdit* edit : V) edit->SetColor(clWindow);
      break;
    case smContaining:
      WW->SetColor(clWindow);
      break;
    case smWordList:
      PelorinTxtMemo->SetColor(clWindow);
      PelorinTxtMemo->SetReadOnly(false);
      break;
    default:
      break;
  }
}

void TAdvancedSearchForm::SearchRadioButtonClick(TObject*) { SetSearchMode(smPhrase); }
void TAdvancedSearchForm::CAPSRadioButtonClick(TObject*) { SetSearchMode(smAllCaps); }
void TAdvancedSearchForm::Search2RadioButtonClick(TObject*) { SetSearchMode(smVerse); }
void TAdvancedSearchForm::Search3RadioButtonClick(TObject*) { SetSearchMode(smContaining); }
void TAdvancedSearchForm::Search4RadioButtonClick(TObject*) {
  SetSearchMode(smWordList);
  if (FileExists(WordListPath())) PelorinTxtMemo->GetLines()->LoadFromFile(WordListPath());
}

Integer TAdvancedSearchForm::CheckedMode() {
  if (CAPSRadioButton->GetChecked()) return smAllCaps;
  if (Search2RadioButton->GetChecked()) return smVerse;
  if (Search3RadioButton->GetChecked()) return smContaining;
  if (Search4RadioButton->GetChecked()) return smWordList;
  return smPhrase;
}

void TAdvancedSearchForm::SearchBtnClick(TObject*) {
  const TSearchMode mode = static_cast<TSearchMode>(CheckedMode());
  TSearchPhrases phrases;
  phrases.Word = W->GetText();
  for (int i = 0; i < 4; ++i) {
    phrases.NotBefore[i] = P[i]->GetText();
    phrases.NotAfter[i] = F[i]->GetText();
    phrases.InVerse[i] = V[i]->GetText();
  }
  phrases.Containing = WW->GetText();
  // Without a phrase every character (or word) would be a hit and the last results would be lost.
  if (!HasSearchPhrase(mode, phrases)) {
    ::MessageBeep(MB_OK);
    ShowStatus(NoSearchPhraseText);
    return;
  }

  const TCursor cursor = Screen->GetCursor();
  Screen->SetCursor(crHourGlass);
  ScopeExit restore([cursor] { Screen->SetCursor(cursor); });
  ResultsBox->GetItems()->Clear();
  TAdvancedSearch search(Scripture, USFM, CapitalLetters, SmallLetters, FilteredOutChars);
  search.OnStatus = [this](const AnsiString& text) { ShowStatus(text); };
  search.Run(mode, phrases, PelorinTxtMemo->GetLines());
  ResultsBox->GetItems()->BeginUpdate();
  ResultsBox->GetItems()->Assign(search.Hits.get());
  ResultsBox->GetItems()->EndUpdate();
  if (mode == smContaining) PelorinTxtMemo->GetLines()->Assign(search.Hits.get());

  bool saved = false;
  const AnsiString status = SaveSearchResults(
      search.Hits.get(), SearchResultsPath(mode, MyReg->GetParatextProjectsFolder(), Scripture->WorkFolder), saved);
  if (!saved) ::MessageBeep(MB_OK);
  ShowStatus(status);
}

void TAdvancedSearchForm::SelectBooksBtnClick(TObject*) { Scripture->SelectBooks(); }

void TAdvancedSearchForm::RPButtonClick(TObject*) {
  if (ResultsBox->GetItems()->GetCount() == 0) {
    ShowStatus("There are no results to transfer to the editor");
    ::MessageBeep(MB_OK);
    return;
  }
  std::unique_ptr<TPrintGeneralListDialog> list(new TPrintGeneralListDialog(this));
  list->SetCaption(GetCaption());
  list->Title = GetCaption();
  list->ShowList(lkReferenceFile);
  list->ShowModal();
}

void TAdvancedSearchForm::OKBtnClick(TObject*) {
  ForEachEdit([](TEdit* edit, const AnsiString& name) { WriteSettingString(name, edit->GetText()); });
  // When the word list cannot be saved the dialog stays open, so that it is not lost.
  if (!SaveListFile(PelorinTxtMemo->GetLines(), WordListPath())) SetModalResult(mrNone);
}
