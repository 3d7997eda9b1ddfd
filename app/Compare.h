// The compare versions dialog ("Compare versions"): a book of the current translation beside the
// same book of an earlier version (another Paratext project, usually a saved copy), the two
// compared word by word with the changes marked, thumbing from one changed line to the next, all
// books of the project compared one after the other, and the result sent to the results list
// window for saving or printing.
#pragma once

#include <memory>

#include "app/WorkSteps.h"
#include "classlib/Forms.h"
#include "tools/ChangeThumb.h"

class TButton;
class TComparisonReport;
class TComboBox;
class TLabel;
class TPanel;
class TStatusBar;
class TStringList;
class TTimer;
class TUVStyle;
class VUzurUvad;
class VUzurUvadEdit;

class TCompareDlg : public TForm {
  CLASS_INFO(TCompareDlg, TForm)
public:
  explicit TCompareDlg(TComponent* AOwner);
  ~TCompareDlg() override;

  // Components of the form text.
  TComboBox* CurrentComboBox = nullptr;
  TComboBox* FilenamesComboBox = nullptr;
  TComboBox* EarlierComboBox = nullptr;
  TButton* DiffBtn = nullptr;
  TButton* ClipboardBtn = nullptr;
  TButton* IterateButton = nullptr;
  TButton* OKBtn = nullptr;
  TPanel* VersionsPanel = nullptr;  // the two versions and their labels
  TPanel* ResultPanel = nullptr;    // "Differences" and the result editor
  TPanel* CurrentPanel = nullptr;
  VUzurUvad* UzurUvad1 = nullptr;
  VUzurUvad* UzurUvad2 = nullptr;
  VUzurUvadEdit* CompareUzurUvadEdit = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TTimer* AllTimer = nullptr;
  TUVStyle* UVStyle1 = nullptr;

  // The state the user sees: the files shown, the last count and the changes of the result.
  AnsiString CurrentFile;
  AnsiString EarlierFile;
  Integer ChangeCount = 0;
  Integer AllBooksTotal = 0;
  TStringList* ChangePositions = nullptr;  // sorted, seven-digit item numbers

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void CurrentComboBoxChange(TObject* Sender);
  void FilenamesComboBoxChange(TObject* Sender);
  void EarlierComboBoxChange(TObject* Sender);
  void DiffBtnClick(TObject* Sender);
  void IterateButtonClick(TObject* Sender);
  void ClipboardBtnClick(TObject* Sender);
  void AllTimerTimer(TObject* Sender);
  // Gives the two versions half of their panel each.
  void VersionsPanelResize(TObject* Sender);

protected:
  // Closing stops a comparison that runs: its document is left as far as it got.
  void DoClose(TCloseAction& Action) override;

private:
  void ShowStatus(const AnsiString& text);
  // Loads the chosen book of the earlier project into the lower viewer.
  void ShowEarlierVersion();
  // The two versions (false) or the result (true).
  void ShowResultView(bool show);
  void ClearVersionViews();
  // The index of "Compare all books" in the book list; -1 when the project has no books.
  Integer AllBooksEntry() const;
  // The chosen book's English name; empty when none or "Compare all books" is chosen.
  AnsiString ChosenBook() const;

  // A comparison is made in steps so that the dialog answers while it runs (a whole book against
  // a very different version takes long); these go on with it and end it.
  bool CompareStep(const TWorkSteps::TSpent& spent);
  void ComparisonFinished();
  void ComparisonFailed();
  // What "&Find differences" does after the comparison, or instead of one.
  void EndDiff();
  // The all-books run is done with the book it compared (or passed over).
  void BookDone(bool compared);
  // Lays out the items added to the result since it was last laid out.
  void FormatResultTail();
  // While a comparison or the all-books run works, nothing that would start another can be chosen.
  void SetWorking(bool working);
  // What to say when a version's file could not be loaded into its viewer.
  AnsiString LoadProblem(const AnsiString& file) const;

  // True from the tick of the all-books run that takes up a book until that book is compared.
  bool AllBooksRunning = false;
  Integer AllBooksIndex = 0;
  Integer LoadedBookIndex = -1;
  TChangeThumb Thumb;
  TWorkSteps Work;
  std::unique_ptr<TComparisonReport> Report;
  // Whether the result editor was laid out since it was cleared; its tail is laid out as it grows.
  bool ResultLaidOut = true;
  // Why the file of the current or the earlier version shown could not be read; empty when it
  // could.
  AnsiString CurrentProblem;
  AnsiString EarlierProblem;
};
