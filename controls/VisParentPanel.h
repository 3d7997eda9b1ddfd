// Panels that keep their background in a bitmap of their own (the back bitmap) and hand it on to
// their transparent children: TVisCustomParentPanel shows a picture of its image list tiled over
// its area; TVisCustomPanelFill fills it with a fill object (solid, brush, bitmap, gradient) and
// draws a caption with a caption effect. The bitmap is rebuilt only when what it shows changes or
// the panel grows beyond it.
#pragma once

#include "controls/VisPanel.h"

class TVisFillObject;
class TVisFxCaption;

class TVisCustomParentPanel : public TVisCustomBevelPanel {
  CLASS_INFO(TVisCustomParentPanel, TVisCustomBevelPanel)
public:
  explicit TVisCustomParentPanel(TComponent* AOwner);
  ~TVisCustomParentPanel() override;
  void Dispatch(TMessage& Message) override;
  // Builds the back bitmap and tells the children that their background changed.
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  void BorderChanged() override;
  bool IsTransparent() override;
  // The back bitmap's part under the clip box when the panel draws one; else the bevelled panel's.
  void PaintBackground(TCanvas* Canvas) override;
  // Rebuilds the back bitmap (and the window and layout when the bevel changed), then repaints.
  void BackFXChanged(TObject* Sender) override;
  // Besides the bevelled panel's answer: no image is shown from the image list.
  bool CanFocusThemed() override;
  void ImageListChanged(TObject* Sender) override;
  // The back bitmap; else, while transparent over a background, the parent's.
  TBitmap* GetBackEffect() override;
  bool IsTransparentSet() override;
  bool DrawBackFX(TCanvas* Canvas, const TRect& Rect) override;
  // The back bitmap covers the panel from (0, 0): children's rectangles lie in it unchanged.
  TRect GetImageRect(const TRect& Rect) override;
  // Makes the back bitmap again; without Force only when the client area no longer fits in it.
  virtual void UpdateBackBitmap(bool Force);
  // The palette to realise for the background: that of the image list's item shown, or none.
  virtual HPALETTE GetPalette();

  TBitmap* GetBackBitmap() const { return FBackBitmap; }

protected:
  void Paint() override;
  // Whether the image list holds the picture (ListIndex, ImageIndex).
  bool ImageShown();
  void FreeBackBitmap();
  // True when the client area lies inside the back bitmap (a corner on its far edges does not).
  bool ClientFitsBitmap();

  TBitmap* FBackBitmap = nullptr;

private:
  void BevelChanged(TObject* Sender);
};

class TVisCustomPanelFill : public TVisCustomParentPanel {
  CLASS_INFO(TVisCustomPanelFill, TVisCustomParentPanel)
public:
  explicit TVisCustomPanelFill(TComponent* AOwner);
  ~TVisCustomPanelFill() override;
  void Dispatch(TMessage& Message) override;

  TVisAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TVisAlignment Value);
  TVisFxCaption* GetFontFX() const { return FFontFX; }
  void SetFontFX(TVisFxCaption* Value);
  TVisFillObject* GetFillObject() const { return FFillObject; }
  void SetFillObject(TVisFillObject* Value);

  // The fill over the whole panel in its Color, made 24 bits per pixel, through BackFX.
  void UpdateBackBitmap(bool Force) override;
  void BackFXChanged(TObject* Sender) override;
  // Besides the parent panel's answer: no caption and nothing to fill with.
  bool CanFocusThemed() override;
  HPALETTE GetPalette() override;

protected:
  void Paint() override;
  void Resize() override;
  // Draws the caption in Rect by Alignment with the caption effect.
  virtual void DrawCaption(const TRect& Rect, TVisAlignment Alignment);

private:
  TVisAlignment FAlignment = agCenter;
  TVisFxCaption* FFontFX;
  TVisFillObject* FFillObject;
};
