// The bases of the component set's controls.
//
// TVisCustomControl is the windowed base (panels, edits, spin edits): transparency over its
// parent, a flat or three-dimensional border drawn into the window's device context, optional
// drawing through the visual styles, an image list reference, a background effect, mouse enter
// and leave events, and events that run once a focus change has been completed. TVisControl is
// the windowless base with mouse enter and leave events and a bounds-change hook;
// TVisBaseControl adds the image list reference and a background effect, and
// TVisBaseGraphicControl transparency. The bases publish nothing; their descendants publish
// what they show.
#pragma once

#include "classlib/Controls.h"
#include "controls/VisComponent.h"

class TBitmap;
class TVisBitmapEffectObject;
class TVisCustomImageList;

// The components' own control messages (VM_CHANGED, 45270, is in controls/visclass.h).
constexpr UINT VM_BACKCHANGED = 45262;      // what lies under the control may have changed
constexpr UINT VM_AFTERENTER = 45263;       // posted to itself once the control has the focus
constexpr UINT VM_AFTEREXIT = 45264;        // posted to itself once the control lost the focus
constexpr UINT VM_BEVELCHANGED = 45265;     // a bevelled control lays out and repaints again
constexpr UINT VM_CHILDRENBACKCHANGED = 45268;  // a transparent control tells its children 45262

// What changed in a windowless control's bounds: its size, its position, or both.
constexpr Integer bcSize = 1;
constexpr Integer bcPosition = 2;

// What the set's placed controls publish besides the class library's pieces
// (classlib/ControlsPublished.h): the reading order, size limits and dragging.
#define VIS_PUBLISH_LAYOUT_AND_DRAG                                                                 \
  Prop("BiDiMode", &TControl::GetBiDiMode, &TControl::SetBiDiMode).Default(bdLeftToRight);         \
  Prop("ParentBiDiMode", &TControl::GetParentBiDiMode, &TControl::SetParentBiDiMode).Default(true); \
  Prop("Constraints", &TControl::GetConstraints, &TControl::SetConstraints);                       \
  Prop("DragMode", &TControl::GetDragMode, &TControl::SetDragMode).Default(dmManual);              \
  Prop("OnDragDrop", &TControl::OnDragDrop);                                                       \
  Prop("OnDragOver", &TControl::OnDragOver);                                                       \
  Prop("OnEndDrag", &TControl::OnEndDrag);                                                         \
  Prop("OnStartDrag", &TControl::OnStartDrag)

using TVisControlChangeEvent = Closure<void(TObject* Sender, Integer Kind)>;

class TVisCustomControl : public TCustomControl {
  CLASS_INFO(TVisCustomControl, TCustomControl)
public:
  // 100 by 40 pixels, not a tab stop.
  explicit TVisCustomControl(TComponent* AOwner);
  ~TVisCustomControl() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The image list of the global list owner is stored by its name ("Internal").
  void DefineProperties(TFiler* Filer) override;

  bool GetFlat() const { return FFlat; }
  // A change runs FlatChanged and redraws the border flat or three-dimensional.
  void SetFlat(bool Value);
  bool GetTransparent() const { return FTransparent; }
  // A change makes the control opaque or not and re-creates its window.
  void SetTransparent(bool Value);
  TVisCustomImageList* GetImageList() const { return FImages.GetImageList(); }
  void SetImageList(TVisCustomImageList* Value) { FImages.SetImageList(Value); }
  Integer GetImageIndex() const { return FImages.GetImageIndex(); }
  void SetImageIndex(Integer Value) { FImages.SetImageIndex(Value); }
  Integer GetListIndex() const { return FImages.GetListIndex(); }
  void SetListIndex(Integer Value) { FImages.SetListIndex(Value); }
  bool IsImageListStored() const { return FImages.IsImageListStored(); }
  TVisBitmapEffectObject* GetBackFX() const { return FBackFX; }
  void SetBackFX(TVisBitmapEffectObject* Value);
  bool GetCtlXP() const { return FCtlXP; }
  // A change runs GetChange.
  void SetCtlXP(bool Value);
  bool GetMouseInside() const { return FMouseInside; }
  // Whether the control holds the focus (marked when it got it, cleared when it lost it).
  bool GetFocusMark() const { return FFocused; }
  // Whether the control draws with the visual styles: the application uses them and CtlXP.
  bool DrawsThemed() const;
  // The state the visual styles draw an edit frame in ("EDIT", part 1): normal 1, focused 5,
  // under the mouse 2, read-only 6, disabled 4; the last that holds wins.
  int EditThemeState();

  // The image list or one of the indexes changed: ImageListChanged, then the children are told
  // (VM_CHANGED), so that a change of look passes down the whole tree.
  virtual void GetChange(TObject* Sender);
  // Whether a transparent control lets the visual styles draw its parent's background.
  virtual bool ThemeParentBackground();
  virtual bool UseThemeAtThisLevel();
  // Transparent, drawn with the visual styles, and not over a background of the components.
  virtual bool IsThemedTransparent();
  virtual void BorderChanged();
  virtual void FlatChanged();
  // Transparent over a background of the components (IsTransparentSet).
  virtual bool IsTransparent();
  // Paints the client area's background on Canvas (see the source for the cases).
  virtual void PaintBackground(TCanvas* Canvas);
  // Repaints while the redraw-on-change flag is set.
  virtual void BackFXChanged(TObject* Sender);
  virtual bool CanFocusThemed();
  virtual bool IsReadOnly();
  virtual void ImageListChanged(TObject* Sender);
  // OnMouseEnter, then the mouse-inside mark.
  virtual void MouseEnter();
  // Clears the mark, redraws the border unless focused, then OnMouseExit.
  virtual void MouseExit();
  // The bitmap that holds this control's background for its transparent children; none here.
  virtual TBitmap* GetBackEffect();
  // Whether the control shows a background of the components' own; false here.
  virtual bool IsTransparentSet();
  // Draws the background of the components into Rect of Canvas; false (nothing drawn) here.
  virtual bool DrawBackFX(TCanvas* Canvas, const TRect& Rect);
  // The part of the background picture that lies under Rect; Rect itself here.
  virtual TRect GetImageRect(const TRect& Rect);
  // The palette to realise when the background is drawn: none when IsTransparentSet; else the
  // palette of a TVisCustomControl parent's background bitmap.
  virtual HPALETTE GetBackPalette();

  TNotifyEvent OnAfterEnter;
  TNotifyEvent OnAfterExit;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;

protected:
  void CreateParams(TCreateParams& Params) override;
  // The background (PaintBackground).
  void Paint() override;
  // Draws the border, flat or three-dimensional, with the visual styles when the control draws
  // with them: into the window's frame when it has one (WS_BORDER, WS_EX_CLIENTEDGE), else at
  // the edges of its client area.
  void DrawBorder(bool Flat);
  bool HasWindowFrame();
  // Draws the border as it looks now: flat while Flat and not focused, else three-dimensional.
  // At this level only a window with a frame of its own (WS_BORDER, WS_EX_CLIENTEDGE) has one.
  virtual void RedrawBorder();
  // Marks the kept result of the background effect stale without a change notification.
  void RefreshBackFX();

  // Changes of the image list or of the background effect repaint only while this is set.
  bool FRedrawOnChange = true;
  // 1: the parent repaints the area under the transparent control (WS_EX_TRANSPARENT).
  Byte FTransparencyMode = 0;
  Byte FStyleFlag = 0;

private:
  void DrawBorderOn(HDC DC, const TRect& Rect, bool Flat);
  void WMEraseBkgnd(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMSizeMove(TMessage& Message);
  void VMBackChanged(TMessage& Message);
  void VMAfterEnter(TMessage& Message);
  void VMAfterExit(TMessage& Message);
  void VMChildrenBackChanged(TMessage& Message);
  void VMChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);

  bool FSkipBackground = false;
  bool FMouseInside = false;
  bool FFocused = false;
  bool FFlat = false;
  bool FTransparent = false;
  TVisImageListRef FImages;
  TVisBitmapEffectObject* FBackFX;
  bool FCtlXP = true;
};

// The windowless base.
class TVisControl : public TGraphicControl {
  CLASS_INFO(TVisControl, TGraphicControl)
public:
  explicit TVisControl(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  // Outside loading, a change of position or size is reported to BoundsChanged.
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  bool GetCtlXP() const { return FCtlXP; }
  void SetCtlXP(bool Value);

  // Repaints when the control is visible.
  virtual void RepaintIfVisible();
  virtual bool UseThemeAtThisLevel();
  // OnChange with the kind of change.
  virtual void ChangeNotify(Integer Kind);
  // While enabled, OnMouseEnter and OnMouseExit.
  virtual void MouseEnter();
  virtual void MouseExit();
  // Changes: bcSize and bcPosition. Repaints unless loading.
  virtual void BoundsChanged(Integer Changes);
  virtual bool ThemeParentBackground();

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;
  TVisControlChangeEvent OnChange;

private:
  bool FCtlXP = false;
};

// A windowless control with an image list reference and a background effect.
class TVisBaseControl : public TVisControl {
  CLASS_INFO(TVisBaseControl, TVisControl)
public:
  explicit TVisBaseControl(TComponent* AOwner);
  ~TVisBaseControl() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DefineProperties(TFiler* Filer) override;

  TVisCustomImageList* GetImageList() const { return FImages.GetImageList(); }
  virtual void SetImageList(TVisCustomImageList* Value) { FImages.SetImageList(Value); }
  Integer GetImageIndex() const { return FImages.GetImageIndex(); }
  virtual void SetImageIndex(Integer Value) { FImages.SetImageIndex(Value); }
  Integer GetListIndex() const { return FImages.GetListIndex(); }
  virtual void SetListIndex(Integer Value) { FImages.SetListIndex(Value); }
  bool IsImageListStored() const { return FImages.IsImageListStored(); }
  TVisBitmapEffectObject* GetBackFX() const { return FBackFX; }
  void SetBackFX(TVisBitmapEffectObject* Value);

  // Whether the control draws over a background of the components; false here.
  virtual bool IsTransparentSet();
  // The image list, an index or the list's content changed: repaints.
  virtual void GetChange(TObject* Sender);

protected:
  // Whether the control is drawn over its parent (TVisBaseGraphicControl answers Transparent).
  virtual bool IsDrawnTransparent() { return false; }
  TVisImageListRef& Images() { return FImages; }

private:
  void BackFXChanged(TObject* Sender);

  TVisImageListRef FImages;
  TVisBitmapEffectObject* FBackFX;
};

// A windowless control drawn over its parent's image where Transparent.
class TVisBaseGraphicControl : public TVisBaseControl {
  CLASS_INFO(TVisBaseGraphicControl, TVisBaseControl)
public:
  // 30 by 30 pixels, transparent.
  explicit TVisBaseGraphicControl(TComponent* AOwner);

  bool GetTransparent() const { return FTransparent; }
  // Repaints.
  virtual void SetTransparent(bool Value);

protected:
  bool IsDrawnTransparent() override { return FTransparent; }
  // Transparent: the part of a components' parent's background picture under the control
  // (other parents have painted themselves already); else a fill with Color.
  virtual void PaintBackground(TCanvas* Canvas);

private:
  bool FTransparent = true;
};
