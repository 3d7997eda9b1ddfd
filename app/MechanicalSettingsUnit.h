// The mechanical proofreading settings ("Mechanical proofreading"): which checks run (white space,
// standard format markers, structure, each needing the ones before it) and how fast the run goes
// through a book (a track bar of seven intervals per line, 800 ms at the slow end to 1 ms at the
// fast end). "OK" stores them; "Cancel" changes nothing.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TCheckBox;
class TTrackBar;

class TMechanicalSettingsDialog : public TForm {
  CLASS_INFO(TMechanicalSettingsDialog, TForm)
public:
  // The interval per line, in milliseconds, of each track-bar position.
  static constexpr Integer Intervals[] = {800, 400, 200, 100, 30, 5, 1};

  explicit TMechanicalSettingsDialog(TComponent* AOwner);

  TCheckBox* WhiteSpaceCheckBox = nullptr;
  TCheckBox* USFMCheckBox = nullptr;
  TCheckBox* StructureCheckBox = nullptr;
  TTrackBar* SpeedTrackBar = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

  void FormCreate(TObject* Sender);
  // Checking a box checks the boxes of the checks it needs; unchecking one unchecks the boxes of
  // the checks that need it.
  void WhiteSpaceCheckBoxClick(TObject* Sender);
  void USFMCheckBoxClick(TObject* Sender);
  void StructureCheckBoxClick(TObject* Sender);
  void OKButtonClick(TObject* Sender);

private:
  void LevelClicked(int level);
  bool levelling_ = false;
};
