// The save-book dialog ("Save book"), shown before the book in the main editor is written to its
// file. While Paratext shows the same book, saving would overwrite the file Paratext has open:
// the dialog says so and asks; it lets the book be saved as soon as Paratext is closed or moves
// to another book. Otherwise it only says "Saving <book> ..." for a moment. Whoever showed it
// saves the book when SaveBook is set once it has closed.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TCheckingHost;
class TLabel;
class TTimer;

class TParatextIsRunningDialog : public TForm {
  CLASS_INFO(TParatextIsRunningDialog, TForm)
public:
  // `book` is the number of the book in the editor; the host tells whether Paratext runs and
  // what it shows.
  TParatextIsRunningDialog(TComponent* AOwner, TCheckingHost& host, int book);

  // Whether the book is to be saved.
  bool SaveBook = false;

  TLabel* MessageLabel = nullptr;
  TLabel* QuestionLabel = nullptr;
  TButton* YesButton = nullptr;
  TButton* NoButton = nullptr;
  TTimer* WatchTimer = nullptr;

  void FormCreate(TObject* Sender);
  void YesButtonClick(TObject* Sender);
  void NoButtonClick(TObject* Sender);
  // Every second: a Paratext that no longer has the book open lets it be saved; once it may be
  // saved the dialog closes.
  void WatchTimerTimer(TObject* Sender);

private:
  bool ParatextShowsTheBook();

  TCheckingHost& host_;
  int book_;
};
