// The spell-check component for the rich-text editor: checks an editor's document (its tables'
// cells included) through the rich-text walker, reading Unicode text in a code page of its own.
#pragma once

#include "spell/lx3Spell.h"

class TCustomUzurUvadEdit;

class TUVLexemeSpell3 : public TLexemeSpell3 {
  CLASS_INFO(TUVLexemeSpell3, TLexemeSpell3)
public:
  explicit TUVLexemeSpell3(TComponent* AOwner) : inherited(AOwner) {}

  // Checks the editor's document (CheckKind as for the other checks). The walker is freed when
  // the check is over, unless a check that goes on keeps it.
  virtual void CheckUzurUvadEdit(TCustomUzurUvadEdit* Editor, Integer CheckKind);

  // The code page Unicode text items are checked in; 0 for the system's.
  Integer CodePage = 0;

  // The user may edit the text while the dialog is inactive: the walker then resumes at the
  // caret.
  void DialogDeactivated(TObject* Sender) override;
};

// Forms name the component by its class: every program that includes this header links it and
// has it registered.
namespace uvspell_detail {
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace uvspell_detail
