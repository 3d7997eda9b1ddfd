// The names list ("Names list"): picks out of the running text of the current project's books every
// capitalised word that is not yet known, for the translator to approve as a name or to disapprove,
// and keeps the approved and disapproved names in "ApprovedNames.txt" and "DisapprovedNames.txt" of
// the project's work folder. "&OK" saves both lists and closes with 6 when they were changed (the
// main window then checks every book again), else with 1.
#pragma once

#include <memory>

#include "app/WorkSteps.h"
#include "classlib/Forms.h"

class TButton;
class TEdit;
class TGroupBox;
class TListBox;
class TNewNamesSearch;
class TScripture;
class TStatusBar;
class TUSFM;

class TNamesListDlg : public TForm {
  CLASS_INFO(TNamesListDlg, TForm)
public:
  explicit TNamesListDlg(TComponent* AOwner);
  ~TNamesListDlg() override;

  TListBox* ListBoxNew = nullptr;
  TListBox* ListBoxApproved = nullptr;
  TListBox* DisapprovedListBox = nullptr;
  TEdit* Edit1 = nullptr;
  TButton* ProduceListBtn = nullptr;
  TButton* ApproveBtn = nullptr;
  TButton* DisapproveBtn = nullptr;
  TButton* SelectButton = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  // The current project's books (with the selection of books) and the marker checker over them.
  TScripture* Scripture = nullptr;
  TUSFM* USFM = nullptr;
  // Set by every change of the lists the user makes; a search changes nothing.
  bool ListsChanged = false;

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void ProduceListBtnClick(TObject* Sender);
  void ApproveBtnClick(TObject* Sender);
  void DisapproveBtnClick(TObject* Sender);
  void RejectBtnClick(TObject* Sender);
  void NoDisapproveBtnClick(TObject* Sender);
  void ManualBtnClick(TObject* Sender);
  void ClipboardBtnClick(TObject* Sender);
  void SelectButtonClick(TObject* Sender);
  void OKBtnClick(TObject* Sender);
  void CancelBtnClick(TObject* Sender);

protected:
  // Closing stops a search that runs; the lists are left as they were.
  void DoClose(TCloseAction& Action) override;

private:
  // The search of the books runs in steps so that the dialog answers while it reads a whole
  // Bible; the new names are shown when it ends.
  void SearchFinished();
  void SearchEnded();
  // While the books are searched, nothing that would start another search, change the books to
  // search or act on the new names about to be replaced can be chosen.
  void SetSearching(bool searching);
  void ShowStatus(const AnsiString& text);
  AnsiString ApprovedPath() const;
  AnsiString DisapprovedPath() const;

  TWorkSteps Work;
  std::unique_ptr<TNewNamesSearch> Search;
};
