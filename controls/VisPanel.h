// Panels: TVisCustomPanel is the container control of the component set, able to show the
// background of a components' parent through itself; TVisCustomBevelPanel adds a TVisBevel
// border and keeps its children inside it. The edits of the set are bevelled panels.
#pragma once

#include "controls/VisBevel.h"
#include "controls/VisCustomControl.h"

class TVisCustomPanel : public TVisCustomControl {
  CLASS_INFO(TVisCustomPanel, TVisCustomControl)
public:
  // Takes child controls, is opaque, and has the button-face colour.
  explicit TVisCustomPanel(TComponent* AOwner);

  // While IsTransparentSet: the parent's background picture (made 24 bits per pixel when the
  // panel's effect is on).
  TBitmap* GetBackEffect() override;
  // Transparent over a parent of the components that shows a background of its own.
  bool IsTransparentSet() override;
  // Draws the part of the parent's background under Rect, through the effect when it is on.
  bool DrawBackFX(TCanvas* Canvas, const TRect& Rect) override;
  // Rect moved to where it lies in the parent's background picture.
  TRect GetImageRect(const TRect& Rect) override;
};

class TVisCustomBevelPanel : public TVisCustomPanel {
  CLASS_INFO(TVisCustomBevelPanel, TVisCustomPanel)
public:
  explicit TVisCustomBevelPanel(TComponent* AOwner);
  ~TVisCustomBevelPanel() override;
  void Dispatch(TMessage& Message) override;

  TVisBevel* GetBevel() const { return FBevel; }
  // Copies Value, then lays the panel out and repaints it (VM_BEVELCHANGED).
  void SetBevel(TVisBevel* Value);

  // Only a panel without border width that is not in bmWindows.
  bool CanFocusThemed() override;
  // A switch of the visual styles reaches the bevel (and the window border of bmWindows).
  void GetChange(TObject* Sender) override;

protected:
  // A panel whose bevel is of another class (one that publishes another default mode, say); the
  // panel owns it.
  TVisCustomBevelPanel(TComponent* AOwner, TVisBevel* ABevel);
  void CreateParams(TCreateParams& Params) override;
  // The children stay inside the bevel.
  void AdjustClientRect(TRect& Rect) override;
  // The background, then the border.
  void Paint() override;
  // The flat border while Flat and not focused; the Windows edges in bmWindows; otherwise the
  // bevel around the client area (only its room when the panel is transparent).
  virtual void PaintBorder(TCanvas* Canvas);
  // The panel's border is painted with it: it repaints.
  void RedrawBorder() override;

private:
  void BevelChanged(TObject* Sender);
  void Relayout();

  TVisBevel* FBevel;
};
