// The spin edits on a shown form: values and the range, the arrow keys and buttons, the repeat
// while a button is held, the suffix, the numeric modes, and the form stream.
#include <string>
#include <vector>

#include "controls/VisExtSpinEdit.h"
#include "controls/tests/edits/EditTestSupport.h"
#include "controls/visclass.h"

using namespace edit_test;

namespace {

class SpinEditTest : public ControlFormTest {
protected:
  void SetUp() override {
    ControlFormTest::SetUp();
    VisApplication->SetShiftFlags(vsfInsert);
  }

  // A margin field as the print settings dialog has them.
  TVisExtSpinEdit* Margin(Integer Left, Integer Top) {
    auto* spin = Add<TVisExtSpinEdit>(Left, Top, 90);
    spin->SetSuffix(" mm");
    spin->SetMaxValue(70);
    return spin;
  }
};

TEST_F(SpinEditTest, AMarginFieldShowsItsValueWithTheSuffix) {
  auto* spin = Margin(20, 20);
  EXPECT_EQ(spin->GetEditText(), "0 mm");
  spin->SetValue(25);
  EXPECT_EQ(spin->GetEditText(), "25 mm");
  EXPECT_EQ(spin->GetAsInteger(), 25);
  auto* second = Margin(20, 60);
  second->SetEditType(ntFloat);
  second->SetValue(12.5);
  second->SetFocus();
  ProcessFor(50);
  Shot("spin-margins");
}

}  // namespace
