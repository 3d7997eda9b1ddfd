// What the tests of the spell component's own dialogs share: the component with its interface,
// configured against the test's registry and folder, and the dialog input helpers.
#pragma once

#include "spell/lx3Spell.h"
#include "spell/tests/SpellComponentFixture.h"
#include "tests/support/DialogInput.h"

namespace spell_testing {

using testing_support::WindowWatch;

class SpellFormsTest : public SpellComponentTest {
protected:
  void SetUp() override {
    SpellComponentTest::SetUp();
    spell_.reset(Configure(new TLexemeSpell3(nullptr)));
  }
  TLexemeSpell3& Spell3() { return static_cast<TLexemeSpell3&>(Spell()); }
};

}  // namespace spell_testing
