// Print Bible in e-book mode: the outside builder kept running (hidden) while the mode is on, and
// the run of "&Produce": per chosen book an HTML page and its conversion, then the contents page.
// The timers drive it a step at a time: eBookTimer walks the books, ConvertTimer drives the
// builder through one conversion (tools/eBookUnit.h) and OLDTimer watches the builder's busy
// marker meanwhile; ReaderWorksTimer starts and closes the builder as the mode asks.
#include "app/PrintBibleV3Unit.h"

#include "classlib/ComCtrls.h"
#include "classlib/Handles.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "classlib/Timers.h"
#include "controls/VisSendKeys.h"
#include "core/MyRegistry.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "richtext/edit/UVEdit.h"
#include "tools/BibleText.h"

namespace {

// "eBook builder not found: <program>" and the like.
AnsiString MissingFileText(const char* what, const AnsiString& path) { return AnsiString(what) + " not found: " + path; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// The builder

bool TPrintBibleV3Dialog::StartBuilder() {
  const AnsiString program = MyReg->GetReaderWorksProgram();
  // Said once: the timer tries again every 300 ms.
  auto trouble = [this](const AnsiString& text) {
    if (!builderTrouble_) ShowStatus(text);
    builderTrouble_ = true;
    return false;
  };
  if (program.empty() || !FileExists(program)) return trouble(MissingFileText("eBook builder", program));
  // The builder reads its options when it starts. What it auto-saved before it ended (a run
  // that failed) would greet a new builder with a question that takes the keys meant for it.
  if (!builderOptions_.IsSet()) {
    AnsiString error;
    if (!builderOptions_.Set(error)) return trouble(error);
  } else {
    TBuilderOptions::EmptyAutoSave();
  }
  builderStarted_ = VisSendKeys1->StartProgram(program);
  if (!builderStarted_) return trouble("The eBook builder could not be started: " + program);
  builderTrouble_ = false;
  builder_->ShowWindow(false);
  ::SetForegroundWindow(GetHandle());
  return true;
}

void TPrintBibleV3Dialog::CloseBuilder() {
  if (!builderStarted_) return;
  VisSendKeys1->CloseProgram();
  builderStarted_ = false;
}

void TPrintBibleV3Dialog::ReaderWorksTimerTimer(TObject*) {
  if (eBookRunning_) return;
  if (!eBookCheckBox->GetChecked()) {
    CloseBuilder();
    return;
  }
  // A builder that ended by itself is started anew, ready for the next run.
  if (builderStarted_ && !builder_->Running()) CloseBuilder();
  if (!builderStarted_) StartBuilder();
}

// ---------------------------------------------------------------------------------------------
// The run

void TPrintBibleV3Dialog::EnableForRun(bool running) {
  for (TControl* control : std::initializer_list<TControl*>{PageControl1, ProduceButton, OKBtn, eBookCheckBox})
    control->SetEnabled(!running);
  StopButton->SetEnabled(running);
}

void TPrintBibleV3Dialog::StartEBookRun() {
  if (eBookRunning_) return;
  const AnsiString program = MyReg->GetReaderWorksProgram();
  AnsiString missing;
  if (program.empty() || !FileExists(program))
    missing = MissingFileText("eBook builder", program);
  else if (!FileExists(BuilderProjectTemplate()))
    missing = MissingFileText("eBook builder project", BuilderProjectTemplate());
  else if (EBooksFolder().empty())
    missing = "No folder for eBooks is set";
  if (!missing.empty()) {
    ShowStatus(missing);
    ::MessageBeep(MB_OK);
    return;
  }
  builderTrouble_ = false;
  if (!builderStarted_ && !StartBuilder()) return;
  if (!ForceDirectories(EBooksFolder())) {
    ShowStatus("Cannot make the folder " + EBooksFolder());
    return;
  }
  eBookRunning_ = true;
  stopRequested_ = false;
  EnableForRun(true);
  eBookIndex_ = 0;
  eBookTimer->SetEnabled(true);
}

void TPrintBibleV3Dialog::EndEBookRun(AnsiString status) {
  // Taken by value: the text may be the conversion's own, which goes below.
  for (TTimer* timer : {eBookTimer, ConvertTimer, OLDTimer}) timer->SetEnabled(false);
  if (conversion_) {
    // The builder stands somewhere in its windows: a fresh one serves the next run.
    ::DeleteFileA(conversion_->HtmlFile().c_str());
    conversion_.reset();
    CloseBuilder();
  }
  if (!status.empty()) ShowStatus(status);
  // The testament views were emptied book by book: printing builds its documents anew.
  SelectionChanged();
  RestoreBookSelection();
  eBookRunning_ = false;
  stopRequested_ = false;
  EnableForRun(false);
}

void TPrintBibleV3Dialog::ConvertBook(Integer entry) {
  TStrings* items = BooksListBox->GetItems();
  const AnsiString name = items->GetStrings(entry);
  for (Integer i = 0; i < items->GetCount(); ++i) BooksListBox->SetSelected(i, i == entry);
  for (VUzurUvadEdit* editor : {OTUzurUvadEdit, NTUzurUvadEdit}) {
    editor->Clear();
    editor->Format();
  }
  const Integer testament = BookNumberFromEnglishName(name) > OldTestamentBookCount ? 1 : 0;
  VUzurUvadEdit* editor = Editor(testament);
  // A formatted empty editor holds an empty line; the page begins with the book.
  editor->Clear();
  ProduceTestament(testament, true);
  const AnsiString htmlFile = HtmlFileName(name);
  if (!ForceDirectories(EBookWorkFolder())) throw EInOutError("Cannot make the folder " + EBookWorkFolder(), 0);
  SaveEBookPage(editor, htmlFile, name);
  editor->Clear();
  editor->Format();
  BooksListBox->SetSelected(entry, false);
  CopyBuilderProject();
  ShowStatus("Converting " + name + " to eBook format");
  conversion_ = std::make_unique<TEBookConversion>(*builder_, htmlFile, name);
  ConvertTimer->SetEnabled(true);
}

void TPrintBibleV3Dialog::eBookTimerTimer(TObject*) {
  // Building a page lets messages through, and with them this timer's next tick.
  if (eBookTicking_) return;
  eBookTicking_ = true;
  ScopeExit ticked([this] { eBookTicking_ = false; });
  if (stopRequested_) {
    EndEBookRun("Stopped");
    return;
  }
  if (eBookIndex_ == 0) {
    for (Integer i = 0; i < BooksListBox->GetItems()->GetCount(); ++i) BooksListBox->SetSelected(i, false);
    eBookIndex_ = 1;
    return;
  }
  if (eBookIndex_ <= BookCount) {
    // One book at a time: the next waits for the conversion of the one before.
    if (conversion_) return;
    const Integer count = BooksListBox->GetItems()->GetCount();
    while (eBookIndex_ <= BookCount && (eBookIndex_ > count || !selection_.count(eBookIndex_ - 1))) ++eBookIndex_;
    if (eBookIndex_ > BookCount) return;
    try {
      ConvertBook(eBookIndex_ - 1);
    } catch (const Exception& e) {
      ::DeleteFileA(HtmlFileName(BooksListBox->GetItems()->GetStrings(eBookIndex_ - 1)).c_str());
      EndEBookRun(e.Message);
    }
    return;
  }
  ShowStatus("Producing Table of contents ...");
  RestoreBookSelection();
  try {
    BuildContentsPage(OTUzurUvadEdit, bsText);
  } catch (const Exception& e) {
    EndEBookRun(e.Message);
    return;
  }
  EndEBookRun("Ready");
}

void TPrintBibleV3Dialog::ConvertTimerTimer(TObject*) {
  if (convertTicking_ || !conversion_) return;
  convertTicking_ = true;
  ScopeExit ticked([this] { convertTicking_ = false; });
  if (stopRequested_) {
    EndEBookRun("Stopped");
    return;
  }
  switch (conversion_->Step()) {
    case TEBookConversion::crWorking:
      if (conversion_->MarkerWatched() != OLDTimer->GetEnabled()) OLDTimer->SetEnabled(conversion_->MarkerWatched());
      break;
    case TEBookConversion::crDone:
      conversion_.reset();
      ConvertTimer->SetEnabled(false);
      OLDTimer->SetEnabled(false);
      ::SetForegroundWindow(GetHandle());
      ++eBookIndex_;
      break;
    case TEBookConversion::crFailed:
      EndEBookRun(conversion_->Failure());
      break;
  }
}

void TPrintBibleV3Dialog::OLDTimerTimer(TObject*) {
  if (!conversion_) {
    OLDTimer->SetEnabled(false);
    return;
  }
  conversion_->WatchMarker();
  if (!conversion_->MarkerWatched()) OLDTimer->SetEnabled(false);
}

void TPrintBibleV3Dialog::OTUzurUvadEditURLNeeded(TObject*, Integer Id, AnsiString& URL) {
  URL = CheckpointURL(Id, chapterCount_);
}

void TPrintBibleV3Dialog::NTUzurUvadEditURLNeeded(TObject*, Integer Id, AnsiString& URL) {
  URL = CheckpointURL(Id, chapterCount_);
}
