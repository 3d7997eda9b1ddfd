// The button panel: a filled, bevelled panel holding a collection of speed buttons laid out in a
// grid of equal cells inside its bevel; the panel takes the size of the grid.
#pragma once

#include "controls/VisParentPanel.h"
#include "controls/vissbtn.h"

// A click of one of the panel's buttons: the panel, the button and its index.
using TVisBtnClickEvent = Closure<void(TObject* Sender, TVisSpeedButton* Button, Integer Index)>;

class TVisButtonPanel : public TVisCustomPanelFill {
  CLASS_INFO(TVisButtonPanel, TVisCustomPanelFill)
public:
  explicit TVisButtonPanel(TComponent* AOwner);
  ~TVisButtonPanel() override;
  void Dispatch(TMessage& Message) override;
  void Loaded() override;

  TVisSpecialButtons* GetButtons() const { return FButtons; }
  void SetButtons(TVisSpecialButtons* Value) { FButtons->Assign(Value); }
  Integer GetButtonWidth() const { return FButtonSize[0]; }
  void SetButtonWidth(Integer Value) { SetButtonSize(0, Value); }
  Integer GetButtonHeight() const { return FButtonSize[1]; }
  void SetButtonHeight(Integer Value) { SetButtonSize(1, Value); }
  TVisUserButtonStyle GetButtonStyle() const { return FButtonStyle; }
  // Gives every button the style.
  void SetButtonStyle(TVisUserButtonStyle Value);
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }

  // Places the buttons in the grid and sizes the panel to it (see the source for the rule).
  void LayoutButtons();
  // The grid of the last layout.
  Integer GetColumns() const { return FColumns; }
  Integer GetRows() const { return FRows; }

  // When assigned, receives every button's click.
  TVisBtnClickEvent OnButtonClick;

private:
  void SetButtonSize(Integer Which, Integer Value);
  void ButtonsChanged(TObject* Sender);
  void ButtonClicked(TObject* Sender);

  TVisSpecialButtons* FButtons;
  Integer FButtonSize[2] = {20, 20};
  TVisUserButtonStyle FButtonStyle = ubsAutoDetect;
  bool FAutoSize = false;
  bool FLayingOut = false;
  Integer FColumns = 0;
  Integer FRows = 0;
};

namespace visbuttonpanel_detail {
// Makes the button panel known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace visbuttonpanel_detail
