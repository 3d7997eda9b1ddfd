// The scrolling control under the viewer and the editor: a windowed control that owns the two
// window scroll bars and the scroll position of a document far larger than the window. It
// scrolls the window contents and the controls placed on it, turns keys and the wheel into
// scrolling, keeps a 216-colour palette on palette displays and draws a themed border while
// visual styles are active. It knows nothing of documents: its owner tells it the document's
// size (UpdateScrollBars) and reads its offsets back.
//
// Vertical positions are counted in steps of GetVSmallStep() pixels (so that documents
// millions of pixels high fit the scroll bar's range), horizontal ones in pixels.
#pragma once

#include "classlib/Controls.h"
#include "richtext/core/UVTypes.h"
#include "richtext/core/UVXPTheme.h"

class TCustomUVFormattedData;
class TCustomUVItemInfo;

// The scroll-bar calls the control makes, replaceable (tests record them); the system's
// functions by default.
extern decltype(&::ShowScrollBar) UVShowScrollBar;
extern decltype(&::GetScrollInfo) UVGetScrollInfo;
extern decltype(&::GetScrollPos) UVGetScrollPos;
extern decltype(&::SetScrollPos) UVSetScrollPos;
extern decltype(&::SetScrollInfo) UVSetScrollInfo;
extern decltype(&::EnableScrollBar) UVEnableScrollBar;

class TUVScroller : public TCustomControl {
  CLASS_INFO(TUVScroller, TCustomControl)
public:
  explicit TUVScroller(TComponent* AOwner);
  ~TUVScroller() override;

  // Tells the scroll bars the document's width (pixels) and height (steps); the positions are
  // pulled back inside the new ranges. VRedraw redraws the vertical bar; UpdateH also sets the
  // horizontal one.
  void UpdateScrollBars(Integer XS, Integer YS, bool VRedraw, bool UpdateH);
  // Scrolls so that document pixel Y is at the top (in whole steps), moving the window's pixels;
  // or only moves the position and the controls.
  void ScrollTo(Integer Y);
  void ScrollToNoRedraw(Integer Y);
  virtual void ScrollToPosition(Integer Position, bool Redraw);
  virtual void ScrollToHPosition(Integer X);
  // Moves every control placed on this one; a control's true top is kept in its Tag, its Top
  // shows it within -10000 .. 10000 so that controls far away stay inside the window system's
  // coordinates.
  void ScrollChildren(Integer DX, Integer DY);

  // The scroll offsets in pixels, the positions and the step.
  Integer GetHOffs() const { return FHPos; }
  Integer GetVOffs() const { return FVPos * FVSmallStep; }
  Integer GetHPos() const { return FHPos; }
  Integer GetVPos() const { return FVPos; }
  Integer GetVSmallStep() const { return FVSmallStep; }
  virtual void SetVSmallStep(Integer Value);
  // What the scroll bars were last given.
  Integer GetVScrollMax() const { return FVScrollMax; }
  Integer GetVScrollPage() const { return FVScrollPage; }
  Integer GetHScrollMax() const { return FHScrollMax; }
  Integer GetHScrollPage() const { return FHScrollPage; }
  Integer GetDocumentWidth() const { return FXSize; }
  Integer GetDocumentHeight() const { return FYSize; }

  // The editor of a nested document laid over this control (a table cell being edited), the
  // nested document chosen for it and the item holding that document.
  TWinControl* GetInplaceEditor() const { return FInplaceEditor; }
  void SetInplaceEditor(TWinControl* Editor) { FInplaceEditor = Editor; }
  // Asks the chosen item to close its in-place editor.
  virtual void CloseInplaceEditor();
  TCustomUVFormattedData* GetChosenData() const { return FChosenData; }
  TCustomUVItemInfo* GetChosenItem() const { return FChosenItem; }
  void SetChosen(TCustomUVFormattedData* Data, TCustomUVItemInfo* Item);
  void UnChoose(TCustomUVFormattedData* Data);
  // Whether this control or, following in-place editors inwards, one of them has the focus.
  bool IsFocusedDeep();
  // Makes the control its form's active control when it can take the focus.
  void SetActiveControlIfCanFocus();

  // The palette made on palette displays (none otherwise) and its description.
  HPALETTE GetPalette() const { return FPalette; }
  LOGPALETTE* GetLogPalette() const { return FLogPalette; }
  // Creates the palette when it is needed, frees it when not.
  virtual void UpdatePaletteInfo();
  // The open visual-styles theme of class "Edit", or 0.
  HTHEME GetThemeHandle() const { return FTheme; }

  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool GetVScrollVisible() const { return FVScrollVisible; }
  void SetVScrollVisible(bool Value);
  bool GetHScrollVisible() const { return FHScrollVisible; }
  void SetHScrollVisible(bool Value);
  bool GetUseXPThemes() const { return FUseXPThemes; }
  void SetUseXPThemes(bool Value);
  TUVPaletteAction GetDoInPaletteMode() const { return FDoInPaletteMode; }
  void SetDoInPaletteMode(TUVPaletteAction Value);
  TUVBiDiMode GetUVBiDiMode() const { return FBiDiMode; }
  virtual void SetUVBiDiMode(TUVBiDiMode Value);
  bool GetTracking() const { return FTracking; }
  void SetTracking(bool Value) { FTracking = Value; }
  Integer GetWheelStep() const { return FWheelStep; }
  void SetWheelStep(Integer Value) { FWheelStep = Value; }
  bool GetFullRedraw() const { return FFullRedraw; }
  void SetFullRedraw(bool Value) { FFullRedraw = Value; }
  bool GetKeyboardScroll() const { return FKeyboardScroll; }
  void SetKeyboardScroll(bool Value) { FKeyboardScroll = Value; }

  TNotifyEvent OnVScrolled;
  TNotifyEvent OnHScrolled;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // What window creation does after the window exists: the position back to the start and the
  // scroll bars set for the document last known.
  virtual void InitScrollState();
  virtual void CreateThemeHandle();
  virtual void FreeThemeHandle();
  virtual void DoVScroll();
  virtual void DoHScroll();
  void KeyDown(Word& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void Dispatch(TMessage& Message) override;
  // Whether this control or a scrolling control it lies on is being destroyed.
  bool IsDestroyingDeep() const;

  Integer FVSmallStep = 1;
  Integer FHPos = 0;
  Integer FVPos = 0;
  Integer FXSize = 0;
  Integer FYSize = 0;

private:
  void WMVScroll(TMessage& Message);
  void WMHScroll(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMThemeChanged(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMPaletteMessage(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  // A new position brought within the range: by the scroll bar when it is shown, else by the
  // range last given.
  Integer LimitPosition(Integer Bar, Integer Position);
  // Moves the window's pixels (or repaints them all) and the controls on it.
  void MoveContents(Integer DX, Integer DY, bool Redraw);
  // The thumb's position while it is dragged, read as 32 bits from the scroll bar.
  Integer TrackPosition(Integer Bar);
  void ReopenTheme();
  void FreePalette();

  TBorderStyle FBorderStyle = bsNone;
  bool FTracking = true;
  bool FFullRedraw = false;
  bool FVScrollVisible = true;
  bool FHScrollVisible = true;
  bool FUpdatingScrollBars = false;
  Integer FVScrollMax = 0;
  Integer FVScrollPage = 0;
  Integer FHScrollMax = 0;
  Integer FHScrollPage = 0;
  TUVPaletteAction FDoInPaletteMode = uvpaCreateCopies;
  TUVBiDiMode FBiDiMode = uvbdUnspecified;
  bool FUseXPThemes = true;
  bool FDisableNoScroll = false;
  bool FKeyboardScroll = true;
  TWinControl* FInplaceEditor = nullptr;
  TCustomUVFormattedData* FChosenData = nullptr;
  TCustomUVItemInfo* FChosenItem = nullptr;
  HTHEME FTheme = nullptr;
  Integer FWheelStep = 2;
  HPALETTE FPalette = nullptr;
  LOGPALETTE* FLogPalette = nullptr;
};
