// TVisFormShape gives the form it sits on the outline of a region (controls/visregion.h): the
// region becomes the form's window region, the title bar is kept or cut away, the form can be
// dragged by any empty spot of its client area, and the background is painted from a fill
// object or from the picture of a bitmap-shaped region, with the region's shadow and border.
// Transparent panels on the form show that background.
#pragma once

#include "controls/VisObject.h"
#include "controls/VisWndProc.h"
#include "controls/visregion.h"

class TCustomForm;
class TVisChangeLink;
class TVisCustomImageList;

class TVisFormShape : public TVisWndProcComponent {
  CLASS_INFO(TVisFormShape, TVisWndProcComponent)
public:
  // While designed, the owner must be a form without another form shape (VisEOneInstError of
  // kind 0).
  explicit TVisFormShape(TComponent* AOwner);
  ~TVisFormShape() override;
  // Applies the region when enabled.
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TVisBorderRegion* GetRegion() const { return FRegion; }
  void SetRegion(TVisBorderRegion* Value) { FRegion->Assign(Value); }
  TVisFillObject* GetFillObject() const { return FFillObject; }
  void SetFillObject(TVisFillObject* Value) { FFillObject->Assign(Value); }
  // The shared setter of the switches: 0 ShowFormCaption (re-applies the region), 1
  // FormDragable, 2 UseRgnBitmap (a change).
  bool GetSwitch(Integer Index) const { return FSwitches[Index]; }
  void SetSwitch(Integer Index, bool Value);
  bool GetShowFormCaption() const { return FSwitches[0]; }
  void SetShowFormCaption(bool Value) { SetSwitch(0, Value); }
  bool GetFormDragable() const { return FSwitches[1]; }
  void SetFormDragable(bool Value) { SetSwitch(1, Value); }
  bool GetUseRgnBitmap() const { return FSwitches[2]; }
  void SetUseRgnBitmap(bool Value) { SetSwitch(2, Value); }
  TVisCustomImageList* GetImageList() const { return FImageList; }
  // Moves the change link to the new list, then reports a change.
  void SetImageList(TVisCustomImageList* Value);
  Integer ListIndex = 0;
  Integer ImageIndex = 0;

  // Sets the form's window region from the region (see the source for the steps).
  void ApplyRegion();
  // The rectangle the region was last built for, in client coordinates.
  const TRect& GetRegionRect() const { return FRegionRect; }
  Integer GetCaptionHeight() const { return FCaptionHeight; }

  // The background transparent controls on the form show: the region's picture of a bitmap
  // shape (with UseRgnBitmap), or, outside design, the filled work bitmap; nil when there is
  // none.
  TBitmap* GetBackgroundBitmap();
  bool HasBackground() { return GetBackgroundBitmap() != nullptr; }
  // Copies the part of the background at Point, Rect's size, into Rect of Canvas; false when
  // there is no background.
  bool DrawBackground(TCanvas* Canvas, const TRect& Rect, TPoint Point);

protected:
  void WndProc(TMessage& Message) override;
  // Switched on again, the form takes the region at once.
  void Refresh() override;

private:
  void ShapeChanged(TObject* Sender);
  void PaintBackground(HDC DC);
  bool FillsBackground() const;
  // Sizes the work bitmap to the client area and fills it.
  void FillWorkBitmap(Integer Width, Integer Height);
  TCustomForm* Form() const;

  TVisBorderRegion* FRegion;
  TVisFillObject* FFillObject;
  TBitmap* FWork;
  TVisChangeLink* FChangeLink;
  TVisCustomImageList* FImageList = nullptr;
  bool FSwitches[3] = {true, true, true};
  bool FRightButtonOnFrame = false;
  bool FApplying = false;
  TRect FRegionRect{};
  Integer FCaptionHeight = 0;
};

// The first form shape among Form's components, or nil.
TVisFormShape* FindFormShape(TComponent* Form);

namespace visformshape_detail {
// Makes the form shape known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace visformshape_detail
