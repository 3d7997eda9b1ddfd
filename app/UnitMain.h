// The main window: the program's only window created at start. It holds the timers that drive
// the background work (the checking cycle, the mechanical run, the buttons and totals), the editor
// that shows the book being checked, the results list, the totals and the main menu that opens the
// dialogs. The state machines live in their own units; the window owns their timers, forwards the
// ticks and does what they ask of it (TCheckingHost).
#pragma once

#include <memory>

#include "app/CheckingHost.h"
#include "app/SpellingHelperState.h"
#include "classlib/Forms.h"
#include "spell/lx3SpellBase.h"

class TBasicAction;
class TBookResults;
class TButton;
class TButtonTimerRun;
class TCheckingCycle;
class TComboBox;
class TDdeClientConv;
class THelperLink;
class TIdleWaits;
class TLexemeSpell3Base;
class TUVLexemeSpell3;
class TLabel;
class TListBox;
class TMechanicalRun;
class TUzurUvadBookEditor;
class VUzurUvadEdit;
class TMenuItem;
class TPopupMenu;
class TProgramsLink;
class TReferenceExchangeRun;
class TScripture;
class TStatusBar;
class TTimer;
class TSpellAllRun;
class TSpellCheckPeer;
class TSpellTimerRun;
class TSystemLinkPeers;
class TUSFM;
class TVisAboutDlg;
class TsycFolderMonitor;

// The program's own values that live beside the main window.
// Toggled by "&Expanded mode"; not stored.
extern bool ExpandedMode;

// Starts a program with a command line (its program's full path and its file arguments in
// quotes, see QuotedCommandLine) in a normal window; false when it cannot be started. Tests
// replace it to see what would be started.
using TProgramStarter = bool (*)(const AnsiString& commandLine);
extern TProgramStarter StartProgram;

// The main window's unit start and end, in the program's start-up order: after the settings store
// and the style sheet, before the main window is created.
void InitializeUnitMain();
void FinalizeUnitMain();
// The links' share of it: the BibleWorks program name (its DDE service) is taken once.
void InitializeLinks();

// Hands the word characters of the settings to the spell component's word breaker.
void HandWordCharsToSpelling(TLexemeSpell3Base* spell);

// Starts "restart.exe" of the program folder (which starts the program again) and ends this copy.
void RestartProgram();

class TMainScreen : public TForm, public TCheckingHost {
  CLASS_INFO(TMainScreen, TForm)
public:
  explicit TMainScreen(TComponent* AOwner);
  ~TMainScreen() override;

  // --- What the background work asks of the window
  TBookEditor* Editor() override;
  TStrings* Results() override;
  void SetStatus(TStatusPanelIndex panel, const AnsiString& text) override;
  void SaveBookIfModified() override;
  bool WindowActive() override;
  void ShowCurrentBookButton(const AnsiString& bookName) override;
  void ShowBookNames(TStrings* names) override;
  void WatchProjectFolder(const AnsiString& folder, bool active) override;
  void EnableButtons(bool resultsToParatext, bool save) override;
  void ShowTotals(const AnsiString& spellingOT, const AnsiString& spellingNT, const AnsiString& mechanicalOT,
                  const AnsiString& mechanicalNT) override;
  void SetCheckInterval(Cardinal milliseconds) override;
  void SetMechanicalTimer(bool enabled, Cardinal milliseconds) override;
  void StartSpellingCheck() override;
  void StopSpellingCheck() override;
  void ResetSpellingCheck() override;
  bool SpellingCheckIdle() override;
  bool InteractiveSpellCheckRunning() override;
  bool ParatextRunning() override;
  AnsiString FocusReference() override;

  // Loads the book (by its English name) by hand; the cycle holds meanwhile.
  void OpenBookManually(const AnsiString& englishName);
  // Saves the loaded book from the editor.
  void SaveLoadedBook();
  // Shows the save-book dialog, which waits while Paratext has the book open, and saves the book
  // when it lets it be saved.
  void SaveLoadedBookAsked();

  // The background work, for the menu commands and for tests (nullptr in a copy that the
  // one-instance guard ended).
  TScripture* Scripture = nullptr;
  TUSFM* USFM = nullptr;
  TBookResults* Book = nullptr;
  TMechanicalRun* Mechanical = nullptr;
  TCheckingCycle* Cycle = nullptr;
  TButtonTimerRun* Buttons = nullptr;
  // The links with Paratext and BibleWorks, the reference-list exchange and its idle waits.
  TIdleWaits* IdleWaits = nullptr;
  TProgramsLink* Link = nullptr;
  TReferenceExchangeRun* Exchange = nullptr;
  // The link with the spelling helper application, as the tasks dialog shows it.
  TSpellingHelperState HelperState;
  // The background spelling check of the loaded book, and the interactive check of all books.
  TSpellTimerRun* Spelling = nullptr;
  TSpellAllRun* SpellingAll = nullptr;

  // Components of the form text.
  TButton* GotoCurrentButton = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TButton* SaveButton = nullptr;
  TLabel* NSpellOTLabel = nullptr;
  TLabel* NSpellNTLabel = nullptr;
  TLabel* NMechOTLabel = nullptr;
  TLabel* NMechNTLabel = nullptr;
  TButton* ResultsToParatextButton = nullptr;
  VUzurUvadEdit* UzurUvadEdit1 = nullptr;
  TBasicAction* EditCut1 = nullptr;
  TBasicAction* EditCopy1 = nullptr;
  TBasicAction* EditPaste1 = nullptr;
  TListBox* ResultsBox = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* Alwaysignore1 = nullptr;
  TMenuItem* Expandedmode1 = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TTimer* CheckTimer = nullptr;
  TTimer* MechanicalTimer = nullptr;
  TTimer* ButtonTimer = nullptr;
  TsycFolderMonitor* sycFolderMonitor1 = nullptr;
  TTimer* DDETimer = nullptr;
  TTimer* RefTimer = nullptr;
  TTimer* IdleTimer = nullptr;
  TDdeClientConv* DdeClientConv1 = nullptr;
  TVisAboutDlg* VisAboutDlg1 = nullptr;
  TTimer* SpellTimer = nullptr;
  TTimer* SpellAllTimer = nullptr;
  TDdeClientConv* DdeClientConv2 = nullptr;
  TUVLexemeSpell3* UVLexemeSpell31 = nullptr;

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void CheckTimerTimer(TObject* Sender);
  void MechanicalTimerTimer(TObject* Sender);
  void ButtonTimerTimer(TObject* Sender);
  void sycFolderMonitor1Change();
  void GotoCurrentButtonClick(TObject* Sender);
  void ComboBox1Select(TObject* Sender);
  void SaveButtonClick(TObject* Sender);
  void ResultsBoxContextPopup(TObject* Sender, TPoint MousePos, bool& Handled);
  void Alwaysignore1Click(TObject* Sender);
  void Editlistofignoredmessages1Click(TObject* Sender);
  void Exit1Click(TObject* Sender);
  void Settings1Click(TObject* Sender);
  void Fonts1Click(TObject* Sender);
  void Expandedmode1Click(TObject* Sender);
  void Help2Click(TObject* Sender);
  void About1Click(TObject* Sender);
  // The Edit menu's actions on the book editor (UnitMainMenu.cpp).
  void ActionList1Update(TBasicAction* Action, bool& Handled);
  void ActionList1Execute(TBasicAction* Action, bool& Handled);
  // The links (UnitMainLink.cpp).
  void DDETimerTimer(TObject* Sender);
  void RefTimerTimer(TObject* Sender);
  void IdleTimerTimer(TObject* Sender);
  void ResultsToParatextButtonClick(TObject* Sender);
  void Tasks1Click(TObject* Sender);
  // The spelling checks (UnitMainSpelling.cpp).
  void SpellTimerTimer(TObject* Sender);
  void SpellAllTimerTimer(TObject* Sender);
  void CheckThisbook1Click(TObject* Sender);
  void Allbooks1Click(TObject* Sender);
  void LexemeSpellWordCheck(TObject* Sender, const AnsiString& Word, TWordCheckType& CheckType,
                            AnsiString& Replacement);
  void LexemeSpellAddCustomIgnore(TObject* Sender);
  void DdeClientConv2Open(TObject* Sender);
  void DdeClientConv2Close(TObject* Sender);
  // The settings dialogs (UnitMainSettings.cpp).
  void Scriptures1Click(TObject* Sender);
  void Paratext1Click(TObject* Sender);
  void Program1Click(TObject* Sender);
  void Spelling1Click(TObject* Sender);
  void BibleWorks1Click(TObject* Sender);
  void Mechanicalproofreading1Click(TObject* Sender);
  // The lists of the Text checking menu, shown in the results list window (UnitMainLists.cpp).
  void Listspellingerrors1Click(TObject* Sender);
  void Allmessagestoeditor1Click(TObject* Sender);
  // The comparison of versions, version approval and printing versions (UnitMainCompare.cpp).
  void Compareversions1Click(TObject* Sender);
  void Approvebook1Click(TObject* Sender);
  void Printversions1Click(TObject* Sender);
  // The names list, name comparison, unwanted words and the advanced search (UnitMainNames.cpp).
  void Nameslist1Click(TObject* Sender);
  void Comparenames1Click(TObject* Sender);
  void Unwantedwords1Click(TObject* Sender);
  void Advancedsearch1Click(TObject* Sender);
  // The consistency lists (UnitMainConsistency.cpp).
  void FloraFaunaOT1Click(TObject* Sender);
  void FloraFaunaNT1Click(TObject* Sender);
  void BorrowedWordsNT1Click(TObject* Sender);
  void KeywordsOT1Click(TObject* Sender);
  void KeywordsNT1Click(TObject* Sender);
  void NamesOT1Click(TObject* Sender);
  void NamesNT1Click(TObject* Sender);
  // The conversions, the correction lists and the conversion settings (UnitMainConversions.cpp).
  void Converttextdocument1Click(TObject* Sender);
  void ConvertOnlineBible1Click(TObject* Sender);
  void ConvertParatextbooks1Click(TObject* Sender);
  void ConvertBibleWorksbooks1Click(TObject* Sender);
  void Correctionofspellingerrors1Click(TObject* Sender);
  void ConvertToTNE1Click(TObject* Sender);
  void Conversion1Click(TObject* Sender);
  // Printing the Bible and its settings (UnitMainPrinting.cpp).
  void PrintBible1Click(TObject* Sender);
  void PrintingSettings1Click(TObject* Sender);

private:
  // Makes and frees the links (UnitMainLink.cpp).
  void CreateLinks();
  void FreeLinks();
  // Makes and frees the spelling checks (UnitMainSpelling.cpp).
  void CreateSpelling();
  void FreeSpelling();

  std::unique_ptr<TUzurUvadBookEditor> editor_;
  std::unique_ptr<TSystemLinkPeers> linkPeers_;
  std::unique_ptr<TSpellCheckPeer> spellPeer_;
  std::unique_ptr<THelperLink> helperLink_;
  // Set once FormCreate has built the background work; a copy ended by the one-instance guard
  // never does, and then has nothing to save or free at its end.
  bool created_ = false;
};

extern TMainScreen* MainScreen;
