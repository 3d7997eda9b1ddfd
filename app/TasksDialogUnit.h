// The tasks dialog ("View background tasks", menu View, "&Tasks"): what the links with Paratext,
// BibleWorks and the spelling helper are doing, the folders of the reference-list exchange and
// what the last conversions of reference lists said, refreshed every 100 ms.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TLabel;
class TMemo;
class TProgramsLink;
class TReferenceExchangeRun;
class TTimer;
struct TSpellingHelperState;

class TTasksDlg : public TForm {
  CLASS_INFO(TTasksDlg, TForm)
public:
  // The links are the main window's; none of them is owned.
  TTasksDlg(TComponent* AOwner, TProgramsLink& link, TReferenceExchangeRun& exchange,
            const TSpellingHelperState& helper);

  TLabel* ParatextLabel = nullptr;
  TLabel* ParatextReferenceLabel = nullptr;
  TLabel* ParatextFolderLabel = nullptr;
  TLabel* BibleWorksLabel = nullptr;
  TLabel* BibleWorksVerseLabel = nullptr;
  TLabel* BibleWorksFolderLabel = nullptr;
  TMemo* ConversionsMemo = nullptr;
  TLabel* HelperLabel = nullptr;
  TLabel* HelperStatusLabel = nullptr;
  TButton* CloseButton = nullptr;
  TTimer* RefreshTimer = nullptr;

  void FormCreate(TObject* Sender);
  void RefreshTimerTimer(TObject* Sender);

private:
  TProgramsLink& link_;
  TReferenceExchangeRun& exchange_;
  const TSpellingHelperState& helper_;
};
