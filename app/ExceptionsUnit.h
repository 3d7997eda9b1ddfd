// The dialog that takes messages off the loaded book's ignore list ("Edit ignored messages"): the
// ignored messages in a list; "&Remove" puts the selected ones back into the results list.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TListBox;
class TStrings;

class TDlgExceptions : public TForm {
  CLASS_INFO(TDlgExceptions, TForm)
public:
  // Shows the ignore list's lines; neither list is owned.
  TDlgExceptions(TComponent* AOwner, TStrings* ignoreList, TStrings* results);

  TListBox* ExceptionsListBox = nullptr;
  TButton* RemoveButton = nullptr;
  TButton* OKButton = nullptr;

  // Moves every selected line, from the last to the first, to the end of the results list; the
  // ignore list keeps the lines left.
  void RemoveButtonClick(TObject* Sender);

private:
  TStrings* ignoreList_;
  TStrings* results_;
};
