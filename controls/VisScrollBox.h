// The scroll box of the component set: a scrolling container that draws its border itself (a
// scroll-box bevel, or the styles' edit frame), reports scrolling through OnScroll, and, with
// SaveResources, keeps windows only for the child controls in its visible area. It never shows a
// background picture of its own for transparent panels on it.
#pragma once

#include "classlib/ExtCtrls.h"
#include "controls/VisBevel.h"

class TVisCustomScrollBox : public TScrollBox {
  CLASS_INFO(TVisCustomScrollBox, TScrollBox)
public:
  // 185 by 41 pixels, Ctl3D, no border style of the class library's own.
  explicit TVisCustomScrollBox(TComponent* AOwner);
  ~TVisCustomScrollBox() override;
  void Dispatch(TMessage& Message) override;

  TVisScrollBoxBevel* GetBevel() const { return FBevel; }
  void SetBevel(TVisScrollBoxBevel* Value) { FBevel->Assign(Value); }
  bool GetFullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }
  bool GetSaveResources() const { return FSaveResources; }
  // Switching it on drops the windows of the children out of view at once.
  void SetSaveResources(bool Value);

  // The bevel asks for a new window; another sender repaints the frame and the box.
  virtual void BevelChanged(TObject* Sender);
  // A switch of the visual styles: a new window, and the children are told (VM_CHANGED).
  virtual void GetChange();
  // Without a background of its own these answer false, none and unchanged.
  virtual bool IsThemedTransparent() { return FTransparent; }
  virtual bool IsTransparentSet() { return FTransparent; }
  virtual TBitmap* GetBackEffect() { return nullptr; }
  virtual TRect GetImageRect(const TRect& Rect) { return Rect; }
  virtual bool DrawBackFX(TCanvas*, const TRect&) { return false; }
  // Whether the styles' edit frame is drawn: bmWindows, the application uses the styles, and
  // the box may.
  bool UsesThemedFrame();
  // Gives windows to the children in view and takes them from those outside, leaving the scroll
  // positions where they were.
  void SaveResourcesNow();

  AnsiString About;
  TNotifyEvent OnScroll;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMScroll(TMessage& Message);
  bool BothScrollBars();
  void RedrawFrame();

  TVisScrollBoxBevel* FBevel;
  TControlCanvas* FCanvas;
  bool FThemed = true;
  bool FPainted = false;
  bool FTransparent = false;
  bool FFullRepaint = false;
  bool FSaveResources = false;
};

class TVisScrollBox : public TVisCustomScrollBox {
  CLASS_INFO(TVisScrollBox, TVisCustomScrollBox)
public:
  explicit TVisScrollBox(TComponent* AOwner) : TVisCustomScrollBox(AOwner) {}
};

namespace visscrollbox_detail {
// Makes the scroll box known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace visscrollbox_detail
