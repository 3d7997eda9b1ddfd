// A windowless control of the component set with a bevel of its own drawn over its client area.
#pragma once

#include "controls/VisBevel.h"
#include "controls/VisCustomControl.h"

class TVisGraphicControl : public TVisBaseGraphicControl {
  CLASS_INFO(TVisGraphicControl, TVisBaseGraphicControl)
public:
  explicit TVisGraphicControl(TComponent* AOwner);
  ~TVisGraphicControl() override;

  TVisBevel* GetBevel() const { return FBevel; }
  void SetBevel(TVisBevel* Value) { FBevel->Assign(Value); }

protected:
  // The background (over the parent when Transparent), then the bevel around the client area.
  void Paint() override;

private:
  void BevelChanged(TObject* Sender);

  TVisBevel* FBevel;
};
