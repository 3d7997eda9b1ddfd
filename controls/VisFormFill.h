// Form fills take over the background erasing of the form they sit on: TVisCustomFormFill lets an
// event paint the background, TVisBack tiles a picture of an image list over it.
#pragma once

#include "classlib/TypInfo.h"
#include "controls/VisComponent.h"
#include "controls/VisWndProc.h"

class TCanvas;
class TCustomForm;

// Who paints: nobody (the form erases as usual), the component itself, or an event.
enum TVisPaintMode { pcNone, pcControl, pcOwnerDraw };
ENUM_NAMES(TVisPaintMode, "pcNone", "pcControl", "pcOwnerDraw");

// Painting of a surface: the canvas and the rectangle to paint.
using TVisPaintEvent = Closure<void(TObject* Sender, TCanvas* Canvas, const TRect& Rect)>;

class TVisCustomFormFill : public TVisWndProcComponent {
  CLASS_INFO(TVisCustomFormFill, TVisWndProcComponent)
public:
  explicit TVisCustomFormFill(TComponent* AOwner);
  ~TVisCustomFormFill() override;

  // The list the picture comes from; a list of the global list owner is stored by its name
  // ("Internal"). A change of list, index or the list's pictures repaints the form.
  TVisCustomImageList* GetImageList() const { return FImages.GetImageList(); }
  void SetImageList(TVisCustomImageList* Value) { FImages.SetImageList(Value); }
  Integer GetImageIndex() const { return FImages.GetImageIndex(); }
  Integer GetListIndex() const { return FImages.GetListIndex(); }
  // Negative and unchanged values are ignored.
  void SetImageIndex(Integer Value) { FImages.SetImageIndex(Value); }
  void SetListIndex(Integer Value) { FImages.SetListIndex(Value); }
  bool IsImageListStored() const { return FImages.IsImageListStored(); }

  TVisPaintMode GetPaintMode() const { return FPaintMode; }
  void SetPaintMode(TVisPaintMode Value);
  // With owner drawing, the form's colour fills the client area before OnPaint runs.
  bool DefaultFill = true;
  // A resized form is invalidated with erasing (else the new size is painted over the old
  // background).
  bool RepaintErase = true;
  // Set once the form was resized; the painting may look at it.
  bool SizeChanged = false;
  TVisPaintEvent OnPaint;

  void DefineProperties(TFiler* Filer) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Invalidates the form, erasing its background.
  virtual void Repaint();
  // Paints the background on DC; true when it did (the form then erases nothing itself). The
  // base paints through OnPaint in pcOwnerDraw.
  virtual bool PaintBackground(HDC DC);

protected:
  void Hook() override;
  void Unhook() override;
  void WndProc(TMessage& Message) override;
  TCustomForm* Form() const;
  // The form's client rectangle, (0, 0, width, height).
  TRect FormClientRect() const;

private:
  void ImagesChanged(TObject* Sender);

  TVisImageListRef FImages;
  TVisPaintMode FPaintMode = pcControl;
};

// Tiles the chosen picture of the image list over the form's client area (pcControl).
class TVisBack : public TVisCustomFormFill {
  CLASS_INFO(TVisBack, TVisCustomFormFill)
public:
  explicit TVisBack(TComponent* AOwner) : TVisCustomFormFill(AOwner) {}
  bool PaintBackground(HDC DC) override;
};

namespace visformfill_detail {
// Makes the form fill known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace visformfill_detail
