#include "app/TasksDialogUnit.h"

#include "app/ProgramsLink.h"
#include "app/ReferenceExchangeRun.h"
#include "app/SpellingHelperState.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "classlib/Timers.h"
#include "core/ParatextBibleWorks.h"

extern const char TasksDialogUnitFormText[];

PUBLISHED(TTasksDlg) {
  Field("ParatextLabel", &TTasksDlg::ParatextLabel);
  Field("ParatextReferenceLabel", &TTasksDlg::ParatextReferenceLabel);
  Field("ParatextFolderLabel", &TTasksDlg::ParatextFolderLabel);
  Field("BibleWorksLabel", &TTasksDlg::BibleWorksLabel);
  Field("BibleWorksVerseLabel", &TTasksDlg::BibleWorksVerseLabel);
  Field("BibleWorksFolderLabel", &TTasksDlg::BibleWorksFolderLabel);
  Field("ConversionsMemo", &TTasksDlg::ConversionsMemo);
  Field("HelperLabel", &TTasksDlg::HelperLabel);
  Field("HelperStatusLabel", &TTasksDlg::HelperStatusLabel);
  Field("CloseButton", &TTasksDlg::CloseButton);
  Field("RefreshTimer", &TTasksDlg::RefreshTimer);
  Method("FormCreate", &TTasksDlg::FormCreate);
  Method("RefreshTimerTimer", &TTasksDlg::RefreshTimerTimer);
}

namespace {

// "Paratext folder is D:\Projects\ - monitoring pelorin.ref", or "... - does not exist".
AnsiString FolderLine(const char* program, const AnsiString& folder, const char* file) {
  return AnsiString(program) + " folder is " + folder +
         (!folder.empty() && DirectoryExists(folder) ? AnsiString(" - monitoring ") + file : AnsiString(" - does not exist"));
}

void ShowText(TLabel* label, const AnsiString& caption) {
  if (label->GetCaption() != caption) label->SetCaption(caption);
}

}  // namespace

TTasksDlg::TTasksDlg(TComponent* AOwner, TProgramsLink& link, TReferenceExchangeRun& exchange,
                     const TSpellingHelperState& helper)
    : TForm(AOwner), link_(link), exchange_(exchange), helper_(helper) {
  ReadComponentFromText(this, TasksDialogUnitFormText);
}

void TTasksDlg::FormCreate(TObject*) {
  ParatextFolderLabel->SetCaption(FolderLine("Paratext", ParatextFolder, ParatextReferenceFileName));
  BibleWorksFolderLabel->SetCaption(FolderLine("BibleWorks", BibleWorksFolder, BibleWorksReferenceFileName));
  RefreshTimerTimer(this);
}

void TTasksDlg::RefreshTimerTimer(TObject*) {
  if (!link_.BibleWorksRunning) {
    ShowText(BibleWorksLabel, "BibleWorks is not running");
    ShowText(BibleWorksVerseLabel, "");
  } else if (link_.BibleWorksLinked()) {
    ShowText(BibleWorksLabel, "Connection with BibleWorks established");
    ShowText(BibleWorksVerseLabel,
               "BibleWorks displays " + Copy(link_.BibleWorksVerse, 5, Length(link_.BibleWorksVerse)));
  } else {
    ShowText(BibleWorksLabel, "Contacting BibleWorks ...");
    ShowText(BibleWorksVerseLabel, "");
  }
  if (link_.ParatextRunning) {
    ShowText(ParatextLabel, "Paratext is running");
    ShowText(ParatextReferenceLabel, "Paratext displays " + link_.FocusReference);
  } else {
    ShowText(ParatextLabel, "Paratext is not running");
    ShowText(ParatextReferenceLabel, "");
  }
  const AnsiString conversions = exchange_.ParatextToBibleWorksMessage + "\r\n" + exchange_.BibleWorksToParatextMessage;
  if (ConversionsMemo->GetText() != conversions) ConversionsMemo->SetText(conversions);
  ShowText(HelperLabel, helper_.Linked ? "Connection has been established" : "No connection has been established");
  ShowText(HelperStatusLabel, helper_.Status);
}
