// The testament choice ("Testament selection") that the commands working on many books ask
// first: "&Old Testament", "&New Testament" or "&Both Testaments" (0, 1, 2), preset from the
// stored choice; "OK" stores the choice, "Cancel" changes nothing.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TRadioGroup;

class TOTNTDialog : public TForm {
  CLASS_INFO(TOTNTDialog, TForm)
public:
  explicit TOTNTDialog(TComponent* AOwner);

  // The first and last book number of a testament choice (0: 1..39, 1: 40..66, 2: 1..66).
  static void BookRange(Integer testament, int& first, int& last);

  TRadioGroup* TestamentRadioGroup = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

  void FormCreate(TObject* Sender);
  void OKButtonClick(TObject* Sender);
};

// Shows the testament choice; true, with the choice stored, when the user pressed OK.
bool ChooseTestament(TComponent* owner);
