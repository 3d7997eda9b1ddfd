#include "app/MechanicalSettingsUnit.h"

#include "classlib/ComCtrls.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "core/MyRegistry.h"

extern const char MechanicalSettingsUnitFormText[];

PUBLISHED(TMechanicalSettingsDialog) {
  Field("WhiteSpaceCheckBox", &TMechanicalSettingsDialog::WhiteSpaceCheckBox);
  Field("USFMCheckBox", &TMechanicalSettingsDialog::USFMCheckBox);
  Field("StructureCheckBox", &TMechanicalSettingsDialog::StructureCheckBox);
  Field("SpeedTrackBar", &TMechanicalSettingsDialog::SpeedTrackBar);
  Field("OKButton", &TMechanicalSettingsDialog::OKButton);
  Field("CancelButton", &TMechanicalSettingsDialog::CancelButton);
  Method("FormCreate", &TMechanicalSettingsDialog::FormCreate);
  Method("WhiteSpaceCheckBoxClick", &TMechanicalSettingsDialog::WhiteSpaceCheckBoxClick);
  Method("USFMCheckBoxClick", &TMechanicalSettingsDialog::USFMCheckBoxClick);
  Method("StructureCheckBoxClick", &TMechanicalSettingsDialog::StructureCheckBoxClick);
  Method("OKButtonClick", &TMechanicalSettingsDialog::OKButtonClick);
}

TMechanicalSettingsDialog::TMechanicalSettingsDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, MechanicalSettingsUnitFormText);
}

void TMechanicalSettingsDialog::FormCreate(TObject*) {
  // The stored boxes are shown as they are, even when they break the order of the levels.
  levelling_ = true;
  WhiteSpaceCheckBox->SetChecked(MyReg->GetWhiteSpaceCheck());
  USFMCheckBox->SetChecked(MyReg->GetUSFMCheck());
  StructureCheckBox->SetChecked(MyReg->GetStructureCheck());
  levelling_ = false;
  // A stored interval that is none of the seven leaves the track bar where the form put it.
  const Integer speed = MyReg->GetMechanicalSpeed();
  for (int p = 0; p < static_cast<int>(std::size(Intervals)); ++p)
    if (Intervals[p] == speed) SpeedTrackBar->SetPosition(p);
}

void TMechanicalSettingsDialog::LevelClicked(int level) {
  if (levelling_) return;
  levelling_ = true;
  TCheckBox* boxes[] = {WhiteSpaceCheckBox, USFMCheckBox, StructureCheckBox};
  const bool checked = boxes[level - 1]->GetChecked();
  for (int other = 1; other <= 3; ++other) {
    if (checked && other < level) boxes[other - 1]->SetChecked(true);
    if (!checked && other > level) boxes[other - 1]->SetChecked(false);
  }
  levelling_ = false;
}

void TMechanicalSettingsDialog::WhiteSpaceCheckBoxClick(TObject*) { LevelClicked(1); }
void TMechanicalSettingsDialog::USFMCheckBoxClick(TObject*) { LevelClicked(2); }
void TMechanicalSettingsDialog::StructureCheckBoxClick(TObject*) { LevelClicked(3); }

void TMechanicalSettingsDialog::OKButtonClick(TObject*) {
  MyReg->SetWhiteSpaceCheck(WhiteSpaceCheckBox->GetChecked());
  MyReg->SetUSFMCheck(USFMCheckBox->GetChecked());
  MyReg->SetStructureCheck(StructureCheckBox->GetChecked());
  MyReg->SetMechanicalSpeed(Intervals[SpeedTrackBar->GetPosition()]);
}
