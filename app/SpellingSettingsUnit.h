// The spelling settings ("Spelling and proofreading settings"): the spell component's options, the
// spelling helper application (a program asked over DDE about each word the dictionaries do not
// know), and a fresh spelling check of every book of a testament. "OK" stores whether the helper
// is used and its path; "Cancel" stores nothing (a fresh check already asked for stays asked for).
#pragma once

#include "classlib/Forms.h"

class TBookResults;
class TButton;
class TCheckBox;
class TLabel;
class TLexemeSpell3Base;

// Makes the spelling of every book of the testament (0 Old, 1 New, 2 both) that has a results
// file count as not yet checked: the file becomes "0", "0" and its lines from the third on
// without the words under "[spelling errors]" (the header, the mechanical messages and the
// ignored messages stay). Files that cannot be read or written are left as they are.
void ForgetSpellingResults(TBookResults& results, Integer testament);

class TSpellingSettingsDialog : public TForm {
  CLASS_INFO(TSpellingSettingsDialog, TForm)
public:
  // The spell component (its options dialog; none: the button is disabled) and the books'
  // results are the main window's.
  TSpellingSettingsDialog(TComponent* AOwner, TLexemeSpell3Base* spell, TBookResults* results);

  TButton* SpellingOptionsButton = nullptr;
  TCheckBox* HelperCheckBox = nullptr;
  TLabel* HelperLabel = nullptr;
  TButton* CheckAgainButton = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

  void FormCreate(TObject* Sender);
  void SpellingOptionsButtonClick(TObject* Sender);
  // Checked by the user: the helper program is chosen in a file dialog; cancelling it unchecks
  // the box again. The label with the helper's path shows only while the box is checked.
  void HelperCheckBoxClick(TObject* Sender);
  // Asks for the testament, forgets the books' spelling results and says so.
  void CheckAgainButtonClick(TObject* Sender);
  void OKButtonClick(TObject* Sender);

private:
  TLexemeSpell3Base* spell_;
  TBookResults* results_;
  bool showing_ = false;
};
