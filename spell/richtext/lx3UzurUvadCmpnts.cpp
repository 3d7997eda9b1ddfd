#include "spell/richtext/lx3UzurUvadCmpnts.h"

#include "spell/richtext/lx3UzurUvad.h"

PUBLISHED(TUVLexemeSpell3) { Prop("CodePage", &TUVLexemeSpell3::CodePage).Default(0); }

void TUVLexemeSpell3::CheckUzurUvadEdit(TCustomUzurUvadEdit* Editor, Integer CheckKind) {
  if (!Editor) return;
  auto* walker = new VUzurUvadParser3();
  walker->CodePage = CodePage;
  walker->Init(Editor);
  CheckWithWalker(walker, CheckKind);
  ReleaseCallerWalker(walker);
}

void TUVLexemeSpell3::DialogDeactivated(TObject* Sender) {
  auto* walker = dynamic_cast<VUzurUvadParser3*>(GetWalker());
  // A cell editor the walker opens for the word takes the activation for a moment, and the walker
  // gives it back: the dialog stays as it is, its commands enabled.
  if (walker && walker->EnteringCell()) return;
  if (walker) walker->Reset();
  inherited::DialogDeactivated(Sender);
}

bool uvspell_detail::RegisterClasses() {
  if (!GetClass("TUVLexemeSpell3")) RegisterClass(TUVLexemeSpell3::StaticClass());
  return true;
}
