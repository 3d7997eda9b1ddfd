#include "app/SaveBookDialogUnit.h"

#include "app/CheckingHost.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/Strings.h"
#include "classlib/Timers.h"
#include "core/TypesConstants.h"

extern const char SaveBookDialogUnitFormText[];

PUBLISHED(TParatextIsRunningDialog) {
  Field("MessageLabel", &TParatextIsRunningDialog::MessageLabel);
  Field("QuestionLabel", &TParatextIsRunningDialog::QuestionLabel);
  Field("YesButton", &TParatextIsRunningDialog::YesButton);
  Field("NoButton", &TParatextIsRunningDialog::NoButton);
  Field("WatchTimer", &TParatextIsRunningDialog::WatchTimer);
  Method("FormCreate", &TParatextIsRunningDialog::FormCreate);
  Method("YesButtonClick", &TParatextIsRunningDialog::YesButtonClick);
  Method("NoButtonClick", &TParatextIsRunningDialog::NoButtonClick);
  Method("WatchTimerTimer", &TParatextIsRunningDialog::WatchTimerTimer);
}

TParatextIsRunningDialog::TParatextIsRunningDialog(TComponent* AOwner, TCheckingHost& host, int book)
    : TForm(AOwner), host_(host), book_(book) {
  ReadComponentFromText(this, SaveBookDialogUnitFormText);
}

bool TParatextIsRunningDialog::ParatextShowsTheBook() {
  return book_ >= 1 && book_ <= BookCount && host_.ParatextRunning() &&
         Copy(host_.FocusReference(), 1, 3) == BookId(book_);
}

void TParatextIsRunningDialog::FormCreate(TObject*) {
  const AnsiString name = book_ >= 1 && book_ <= BookCount ? EnglishBookName(book_) : AnsiString();
  if (ParatextShowsTheBook()) {
    MessageLabel->SetCaption("Paratext is running and has " + name +
                             " opened. Saving this file would overwrite Paratext's file. You can close Paratext or "
                             "go to another book within Paratext.");
    SaveBook = false;
  } else {
    MessageLabel->SetCaption("Saving " + name + " ...");
    QuestionLabel->SetVisible(false);
    YesButton->SetVisible(false);
    NoButton->SetVisible(false);
    SaveBook = true;
  }
}

void TParatextIsRunningDialog::YesButtonClick(TObject*) {
  SaveBook = true;
  SetModalResult(mrYes);
}

void TParatextIsRunningDialog::NoButtonClick(TObject*) {
  SaveBook = false;
  SetModalResult(mrNo);
}

void TParatextIsRunningDialog::WatchTimerTimer(TObject*) {
  if (!ParatextShowsTheBook()) SaveBook = true;
  if (SaveBook) SetModalResult(mrOk);
}
