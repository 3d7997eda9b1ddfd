#include "app/UnitMain.h"

#include "app/BookResults.h"
#include "app/CheckingCycle.h"
#include "app/MechanicalRun.h"
#include "app/ProgramsLink.h"
#include "app/ResultsTotals.h"
#include "app/SpellTimerRun.h"
#include "app/UzurUvadBookEditor.h"
#include "classlib/ActnList.h"
#include "classlib/ComCtrls.h"
#include "classlib/CommandLines.h"
#include "classlib/DdeMan.h"
#include "classlib/ExtCtrls.h"
#include "classlib/FormTextReader.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "classlib/Timers.h"
#include "core/CheckMessages.h"
#include "core/CheckPunctuation.h"
#include "core/FontTable.h"
#include "core/MyRegistry.h"
#include "core/ParatextBibleWorks.h"
#include "core/ProgramFolderUnit.h"
#include "core/ScripturesUnit.h"
#include "core/USFMUnit.h"
#include "spell/lx3Configuration.h"
#include "spell/richtext/lx3UzurUvadCmpnts.h"
#include "richtext/edit/UVEdit.h"
#include "controls/VisAboutDlg.h"
#include "controls/VisOneInstance.h"
#include "syscomp/sycFolderMonitor.h"
#include "tools/BookHeadings.h"

extern const char UnitMainFormText[];

TMainScreen* MainScreen = nullptr;
bool ExpandedMode = false;

namespace {

bool StartProgramInNormalWindow(const AnsiString& commandLine) {
  PROCESS_INFORMATION process{};
  if (!StartCommandLine(commandLine, SW_SHOWNORMAL, process)) return false;
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

}  // namespace

TProgramStarter StartProgram = &StartProgramInNormalWindow;

PUBLISHED(TMainScreen) {
  Field("GotoCurrentButton", &TMainScreen::GotoCurrentButton);
  Field("ComboBox1", &TMainScreen::ComboBox1);
  Field("SaveButton", &TMainScreen::SaveButton);
  Field("NSpellOTLabel", &TMainScreen::NSpellOTLabel);
  Field("NSpellNTLabel", &TMainScreen::NSpellNTLabel);
  Field("NMechOTLabel", &TMainScreen::NMechOTLabel);
  Field("NMechNTLabel", &TMainScreen::NMechNTLabel);
  Field("ResultsToParatextButton", &TMainScreen::ResultsToParatextButton);
  Field("UzurUvadEdit1", &TMainScreen::UzurUvadEdit1);
  Field("EditCut1", &TMainScreen::EditCut1);
  Field("EditCopy1", &TMainScreen::EditCopy1);
  Field("EditPaste1", &TMainScreen::EditPaste1);
  Field("ResultsBox", &TMainScreen::ResultsBox);
  Field("PopupMenu1", &TMainScreen::PopupMenu1);
  Field("Alwaysignore1", &TMainScreen::Alwaysignore1);
  Field("Expandedmode1", &TMainScreen::Expandedmode1);
  Field("StatusBar1", &TMainScreen::StatusBar1);
  Field("CheckTimer", &TMainScreen::CheckTimer);
  Field("MechanicalTimer", &TMainScreen::MechanicalTimer);
  Field("ButtonTimer", &TMainScreen::ButtonTimer);
  Field("sycFolderMonitor1", &TMainScreen::sycFolderMonitor1);
  Field("DDETimer", &TMainScreen::DDETimer);
  Field("RefTimer", &TMainScreen::RefTimer);
  Field("IdleTimer", &TMainScreen::IdleTimer);
  Field("DdeClientConv1", &TMainScreen::DdeClientConv1);
  Field("VisAboutDlg1", &TMainScreen::VisAboutDlg1);
  Field("SpellTimer", &TMainScreen::SpellTimer);
  Field("SpellAllTimer", &TMainScreen::SpellAllTimer);
  Field("DdeClientConv2", &TMainScreen::DdeClientConv2);
  Field("UVLexemeSpell31", &TMainScreen::UVLexemeSpell31);
  Method("FormCreate", &TMainScreen::FormCreate);
  Method("FormDestroy", &TMainScreen::FormDestroy);
  Method("CheckTimerTimer", &TMainScreen::CheckTimerTimer);
  Method("MechanicalTimerTimer", &TMainScreen::MechanicalTimerTimer);
  Method("ButtonTimerTimer", &TMainScreen::ButtonTimerTimer);
  Method("sycFolderMonitor1Change", &TMainScreen::sycFolderMonitor1Change);
  Method("GotoCurrentButtonClick", &TMainScreen::GotoCurrentButtonClick);
  Method("ComboBox1Select", &TMainScreen::ComboBox1Select);
  Method("SaveButtonClick", &TMainScreen::SaveButtonClick);
  Method("ResultsBoxContextPopup", &TMainScreen::ResultsBoxContextPopup);
  Method("Alwaysignore1Click", &TMainScreen::Alwaysignore1Click);
  Method("Editlistofignoredmessages1Click", &TMainScreen::Editlistofignoredmessages1Click);
  Method("Exit1Click", &TMainScreen::Exit1Click);
  Method("Settings1Click", &TMainScreen::Settings1Click);
  Method("Fonts1Click", &TMainScreen::Fonts1Click);
  Method("Expandedmode1Click", &TMainScreen::Expandedmode1Click);
  Method("Help2Click", &TMainScreen::Help2Click);
  Method("About1Click", &TMainScreen::About1Click);
  Method("ActionList1Update", &TMainScreen::ActionList1Update);
  Method("ActionList1Execute", &TMainScreen::ActionList1Execute);
  Method("DDETimerTimer", &TMainScreen::DDETimerTimer);
  Method("RefTimerTimer", &TMainScreen::RefTimerTimer);
  Method("IdleTimerTimer", &TMainScreen::IdleTimerTimer);
  Method("SpellTimerTimer", &TMainScreen::SpellTimerTimer);
  Method("SpellAllTimerTimer", &TMainScreen::SpellAllTimerTimer);
  Method("CheckThisbook1Click", &TMainScreen::CheckThisbook1Click);
  Method("Allbooks1Click", &TMainScreen::Allbooks1Click);
  Method("LexemeSpellWordCheck", &TMainScreen::LexemeSpellWordCheck);
  Method("LexemeSpellAddCustomIgnore", &TMainScreen::LexemeSpellAddCustomIgnore);
  Method("DdeClientConv2Open", &TMainScreen::DdeClientConv2Open);
  Method("DdeClientConv2Close", &TMainScreen::DdeClientConv2Close);
  Method("ResultsToParatextButtonClick", &TMainScreen::ResultsToParatextButtonClick);
  Method("Tasks1Click", &TMainScreen::Tasks1Click);
  Method("Scriptures1Click", &TMainScreen::Scriptures1Click);
  Method("Paratext1Click", &TMainScreen::Paratext1Click);
  Method("Program1Click", &TMainScreen::Program1Click);
  Method("Spelling1Click", &TMainScreen::Spelling1Click);
  Method("BibleWorks1Click", &TMainScreen::BibleWorks1Click);
  Method("Mechanicalproofreading1Click", &TMainScreen::Mechanicalproofreading1Click);
  Method("Listspellingerrors1Click", &TMainScreen::Listspellingerrors1Click);
  Method("Allmessagestoeditor1Click", &TMainScreen::Allmessagestoeditor1Click);
  Method("Compareversions1Click", &TMainScreen::Compareversions1Click);
  Method("Approvebook1Click", &TMainScreen::Approvebook1Click);
  Method("Printversions1Click", &TMainScreen::Printversions1Click);
  Method("Nameslist1Click", &TMainScreen::Nameslist1Click);
  Method("Comparenames1Click", &TMainScreen::Comparenames1Click);
  Method("Unwantedwords1Click", &TMainScreen::Unwantedwords1Click);
  Method("Advancedsearch1Click", &TMainScreen::Advancedsearch1Click);
  Method("FloraFaunaOT1Click", &TMainScreen::FloraFaunaOT1Click);
  Method("FloraFaunaNT1Click", &TMainScreen::FloraFaunaNT1Click);
  Method("BorrowedWordsNT1Click", &TMainScreen::BorrowedWordsNT1Click);
  Method("KeywordsOT1Click", &TMainScreen::KeywordsOT1Click);
  Method("KeywordsNT1Click", &TMainScreen::KeywordsNT1Click);
  Method("NamesOT1Click", &TMainScreen::NamesOT1Click);
  Method("NamesNT1Click", &TMainScreen::NamesNT1Click);
  Method("Converttextdocument1Click", &TMainScreen::Converttextdocument1Click);
  Method("ConvertOnlineBible1Click", &TMainScreen::ConvertOnlineBible1Click);
  Method("ConvertParatextbooks1Click", &TMainScreen::ConvertParatextbooks1Click);
  Method("ConvertBibleWorksbooks1Click", &TMainScreen::ConvertBibleWorksbooks1Click);
  Method("Correctionofspellingerrors1Click", &TMainScreen::Correctionofspellingerrors1Click);
  Method("ConvertToTNE1Click", &TMainScreen::ConvertToTNE1Click);
  Method("Conversion1Click", &TMainScreen::Conversion1Click);
  Method("PrintBible1Click", &TMainScreen::PrintBible1Click);
  Method("PrintingSettings1Click", &TMainScreen::PrintingSettings1Click);
}

void InitializeUnitMain() {
  InitProgramFolder();
  ExpandedMode = false;
  InitializeLinks();
}

void FinalizeUnitMain() {}

void RestartProgram() {
  // When "restart.exe" cannot be started the program still ends; the user is told to start it
  // again, rather than seeing it vanish.
  if (!StartProgram(QuotedCommandLine(ProgramFolder + "restart.exe")))
    Application->MessageBox("Pelorin ends now to take up the new settings, but restart.exe, which starts it again, "
                            "cannot be started. Start Pelorin again yourself.",
                            "Pelorin", MB_OK | MB_ICONWARNING);
  Application->Terminate();
}

TMainScreen::TMainScreen(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, UnitMainFormText);
  editor_ = std::make_unique<TUzurUvadBookEditor>(UzurUvadEdit1);
}

TMainScreen::~TMainScreen() = default;

void TMainScreen::FormCreate(TObject*) {
  // The one-instance guard has ended this copy while its form was read: it does no work at all.
  if (!Application->GetShowMainForm()) return;
  if (MyReg->GetStartMaximized()) SetWindowState(wsMaximized);
  LoadCheckSettings();
  BuildRefFolders();
  LoadBookHeadings();
  LoadFontsFile();
  editor_->Clear();
  editor_->SetTextFont(Fonts[fiEditorText]);
  HandWordCharsToSpelling(UVLexemeSpell31);
  HelperState.Status = "None";

  Scripture = new TScripture(this, -1);
  USFM = new TUSFM(Scripture);
  Book = new TBookResults(*this, Scripture);
  Mechanical = new TMechanicalRun(*this, *Book, USFM);
  Cycle = new TCheckingCycle(*this, *Book, *Mechanical);
  Buttons = new TButtonTimerRun(*this, *Book);
  CreateLinks();
  CreateSpelling();
  SetMessageTarget(ResultsBox->GetItems(), Book->IgnoreList);
  if (!ProjectsFolderProblem().empty()) AddPlainMessage(ProjectsFolderProblem());
  created_ = true;
}

void TMainScreen::FormDestroy(TObject*) {
  if (!created_) return;
  created_ = false;
  CheckTimer->SetEnabled(false);
  MechanicalTimer->SetEnabled(false);
  ButtonTimer->SetEnabled(false);
  DdeClientConv1->CloseLink();
  FreeSpelling();
  if (UVLexemeSpell31->GetConfiguration()->GetModified()) UVLexemeSpell31->GetConfiguration()->Save();
  SaveBookIfModified();
  MyReg->SetStartMaximized(GetWindowState() == wsMaximized);
  SetMessageTarget(nullptr, nullptr);
  FreeLinks();
  delete Buttons;
  delete Cycle;
  delete Mechanical;
  delete Book;
  delete USFM;
  delete Scripture;
  Buttons = nullptr;
  Cycle = nullptr;
  Mechanical = nullptr;
  Book = nullptr;
  USFM = nullptr;
  Scripture = nullptr;
}

// --- The timers ---------------------------------------------------------------------------------

void TMainScreen::CheckTimerTimer(TObject*) {
  if (Cycle) Cycle->Tick();
}

void TMainScreen::MechanicalTimerTimer(TObject*) {
  if (!Mechanical) return;
  // A tick may add many messages; the list is drawn once after the tick rather than after each
  // line added (drawing it takes milliseconds, adding a line microseconds).
  HWND list = ResultsBox->GetHandle();
  const LRESULT before = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  try {
    Mechanical->Tick(::GetTickCount());
  } catch (...) {
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ResultsBox->Invalidate();
    throw;
  }
  ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  if (::SendMessageA(list, LB_GETCOUNT, 0, 0) != before) ResultsBox->Invalidate();
}

void TMainScreen::ButtonTimerTimer(TObject*) {
  if (Buttons) Buttons->Tick();
}

void TMainScreen::sycFolderMonitor1Change() {
  if (Cycle) Cycle->FolderChanged();
}

// --- What the background work asks of the window ------------------------------------------------

TBookEditor* TMainScreen::Editor() { return editor_.get(); }

TStrings* TMainScreen::Results() { return ResultsBox->GetItems(); }

void TMainScreen::SetStatus(TStatusPanelIndex panel, const AnsiString& text) {
  StatusBar1->GetPanels()->GetItems(panel)->SetText(text);
}

void TMainScreen::SaveBookIfModified() {
  if (!Book || Book->LoadedBookPath.empty() || !editor_->GetModified()) return;
  // No tick of the cycle may load another book while the question waits.
  const bool checking = CheckTimer->GetEnabled();
  CheckTimer->SetEnabled(false);
  try {
    if (!GetShowing()) Show();
    if (GetWindowState() == wsMinimized) SetWindowState(wsNormal);
    BringToFront();
    if (Application->MessageBox("File " + Book->LoadedBookPath + " has changed. Save?", "Pelorin", MB_YESNO) == IDYES)
      SaveLoadedBookAsked();
  } catch (...) {
    CheckTimer->SetEnabled(checking);
    throw;
  }
  CheckTimer->SetEnabled(checking);
}

void TMainScreen::SaveLoadedBook() {
  if (!Book || Book->LoadedBookPath.empty()) return;
  if (editor_->SaveText(Book->LoadedBookPath))
    editor_->SetModified(false);
  else
    Application->MessageBox("The book cannot be saved as " + Book->LoadedBookPath + ".", "Pelorin",
                            MB_OK | MB_ICONERROR);
}

bool TMainScreen::WindowActive() { return GetActive(); }

void TMainScreen::ShowCurrentBookButton(const AnsiString& bookName) {
  if (bookName.empty()) {
    GotoCurrentButton->SetVisible(false);
    return;
  }
  GotoCurrentButton->SetCaption(bookName);
  GotoCurrentButton->SetVisible(true);
}

void TMainScreen::ShowBookNames(TStrings* names) { ComboBox1->GetItems()->Assign(names); }

void TMainScreen::WatchProjectFolder(const AnsiString& folder, bool active) {
  sycFolderMonitor1->SetFolder(folder);
  sycFolderMonitor1->SetActive(active);
}

void TMainScreen::EnableButtons(bool resultsToParatext, bool save) {
  ResultsToParatextButton->SetEnabled(resultsToParatext);
  SaveButton->SetEnabled(save);
}

void TMainScreen::ShowTotals(const AnsiString& spellingOT, const AnsiString& spellingNT,
                             const AnsiString& mechanicalOT, const AnsiString& mechanicalNT) {
  NSpellOTLabel->SetCaption(spellingOT);
  NSpellNTLabel->SetCaption(spellingNT);
  NMechOTLabel->SetCaption(mechanicalOT);
  NMechNTLabel->SetCaption(mechanicalNT);
}

void TMainScreen::SetCheckInterval(Cardinal milliseconds) {
  if (CheckTimer->GetInterval() != milliseconds) CheckTimer->SetInterval(milliseconds);
}

void TMainScreen::SetMechanicalTimer(bool enabled, Cardinal milliseconds) {
  if (milliseconds && MechanicalTimer->GetInterval() != milliseconds) MechanicalTimer->SetInterval(milliseconds);
  MechanicalTimer->SetEnabled(enabled);
}

bool TMainScreen::ParatextRunning() { return Link && Link->ParatextRunning; }
AnsiString TMainScreen::FocusReference() { return Link ? Link->FocusReference : AnsiString(); }

// --- Opening and saving books -------------------------------------------------------------------

void TMainScreen::OpenBookManually(const AnsiString& englishName) {
  if (Cycle) Cycle->OpenBookManually(englishName);
}

void TMainScreen::GotoCurrentButtonClick(TObject*) { OpenBookManually(GotoCurrentButton->GetCaption()); }

void TMainScreen::ComboBox1Select(TObject*) {
  const Integer i = ComboBox1->GetItemIndex();
  if (i >= 0) OpenBookManually(ComboBox1->GetItems()->GetStrings(i));
}

void TMainScreen::SaveButtonClick(TObject*) { SaveLoadedBookAsked(); }
