// Graphic buttons: TVisBaseGraphicButton is the windowless button of the component set. It can
// be pressed and held, latched in a group of buttons (only one down at a time), repeat its
// click while held, show a drop-down menu, and turn hot under the mouse. TVisCustomSpeedButton
// and TVisSpeedButton draw it with a frame style.
#pragma once

#include "classlib/Menus.h"
#include "controls/VisCustomControl.h"
#include "controls/visbtnframe.h"

class TBitmap;
class TVisButtonLayout;
class TVisFxCaption;
class TVisGlyph;

using TVisNumGlyphs = Byte;

// The states of a button.
constexpr Byte bstUp = 0;
constexpr Byte bstDisabled = 1;
constexpr Byte bstHot = 2;              // the mouse is over a button that turns hot
constexpr Byte bstLatched = 3;          // Pressed
constexpr Byte bstHeld = 4;             // the left mouse button is held on it
constexpr Byte bstDropDown = 6;         // its drop-down menu is shown
constexpr Byte bstDisabledLatched = 7;

class TVisBaseGraphicButton : public TVisBaseControl {
  CLASS_INFO(TVisBaseGraphicButton, TVisBaseControl)
public:
  // 25 by 25 pixels.
  explicit TVisBaseGraphicButton(TComponent* AOwner);
  ~TVisBaseGraphicButton() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  // The glyph is taken from the image list (or cleared when it has no such picture).
  void GetChange(TObject* Sender) override;

  TVisButtonLayout* GetButtonLayout() const { return FButtonLayout; }
  void SetButtonLayout(TVisButtonLayout* Value);
  TColor GetEnterColor() const { return FEnterColor; }
  void SetEnterColor(TColor Value);
  bool GetEnterColorChange() const { return FEnterColorChange; }
  void SetEnterColorChange(bool Value);
  // The glyph bitmap: one to five pictures side by side for the states.
  TBitmap* GetGlyph() const;
  // Outside loading, a glyph set directly drops the image list; the button keeps a copy.
  void SetGlyph(TBitmap* Value);
  TVisFxCaption* GetFontFX() const { return FFontFX; }
  void SetFontFX(TVisFxCaption* Value);
  TVisNumGlyphs GetNumGlyphs() const;
  void SetNumGlyphs(TVisNumGlyphs Value);
  bool GetUseCaption() const { return FUseCaption; }
  void SetUseCaption(bool Value);
  TVisGlyph* GetGlyphObject() const { return FGlyph; }
  // A glyph taken from an image list is not stored with the form.
  bool IsGlyphStored() const { return !GetImageList(); }

  // Held down, the button clicks at once, again after RepeatingDelay and then every
  // RepeatingInterval milliseconds while the pointer is over it.
  bool RepeatedClick = false;
  Word RepeatingInterval = 100;
  Word RepeatingDelay = 500;
  // Leaving the button cancels the application's hint.
  bool HideHint = true;
  TNotifyEvent OnDropDown;

  // Grouped buttons (GroupIndex not 0) latch: pressing one releases the others of its group on
  // the same parent; without AllowAllUp one of them stays down.
  bool GetPressed() const { return FPressed; }
  // Only a grouped button can be pressed; releasing one needs AllowAllUp.
  void SetPressed(bool Value);
  Integer GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  TPopupMenu* GetDropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  // A drop-down combo has an arrow part of DropDownComboWidth pixels at its right that opens
  // the menu; switching it on widens the button by as much.
  bool GetDropDownCombo() const { return FDropDownCombo; }
  void SetDropDownCombo(bool Value);
  Integer GetDropDownComboWidth() const { return FDropDownComboWidth; }
  void SetDropDownComboWidth(Integer Value);
  Integer GetDropDownIndent() const { return FDropDownIndent; }
  void SetDropDownIndent(Integer Value);
  bool GetDropDownRight() const { return FDropDownRight; }
  void SetDropDownRight(bool Value);

  Byte GetState() const { return FState; }
  bool GetMouseInside() const { return FMouseInside; }
  // Whether the button has a drop-down combo's arrow part (a menu and DropDownCombo).
  bool HasComboArrow() const { return FCombo; }
  // The part of the client area that opens the menu of a drop-down combo, and the rest.
  TRect ArrowPart();
  TRect MainPart();
  // Whether a point of the client area belongs to the button; both far edges count.
  virtual bool HitTest(Integer X, Integer Y);

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

  void SetState(Byte Value);
  // Whether the button tracks the mouse with the hot-tracking timer (flat looks); not here.
  virtual bool IsFlat() { return false; }
  // Whether the face drawn depends on the state (a frame); not here.
  virtual bool FaceDependsOnState() { return false; }
  // Draws the glyph and the caption in Rect (the caption routine of the graphic buttons).
  void DrawCaption(TCanvas* Canvas, const TRect& Rect);
  // Whether the pointer at (X, Y) of the client area counts as over the button.
  bool PointerOver(Integer X, Integer Y);
  bool PointerOverNow();
  // Runs Click and sets the repeat timer to RepeatingInterval.
  void RepeatClick();
  // Shows the drop-down menu below (or beside) the button and waits until it closes.
  void OpenDropDown();

  // The button turns hot under the mouse.
  bool FAllowMouseOver = false;
  // Hovering is judged by the hit test on the hot-tracking timer, not by the mouse enter and
  // leave messages.
  bool FAllowTransparency = true;
  // The parent's background is drawn under the face.
  bool FTransparent = false;
  // A disabled button is drawn disabled (off: as if enabled).
  bool FKeepDisabledLook = true;

private:
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMButtonPressed(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void FontFXChanged(TObject* Sender);
  void LayoutChanged(TObject* Sender);
  void GlyphChanged(TObject* Sender);
  void HotTick(TObject* Sender);
  void RepeatTick(TObject* Sender);
  void StartTimer(Integer Slot, Word Interval);
  void StopTimer(Integer Slot);
  void NotifyGroup();
  void UpdateCombo();
  void TakeGlyphFromList();

  TVisButtonLayout* FButtonLayout;
  TVisFxCaption* FFontFX;
  TVisGlyph* FGlyph;
  TColor FEnterColor = clCaptionText;
  bool FEnterColorChange = false;
  bool FUseCaption = true;
  bool FPressed = false;
  Integer FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FMultiLine = false;
  TPopupMenu* FDropDownMenu = nullptr;
  bool FDropDownCombo = false;
  Integer FDropDownComboWidth = 12;
  Integer FDropDownIndent = 0;
  bool FDropDownRight = false;
  bool FCombo = false;
  bool FMenuShown = false;
  Byte FState = bstUp;
  Byte FOldState = bstUp;
  bool FMouseInside = false;
  bool FHeld = false;
  bool FSettingGlyph = false;
  // The hot-tracking (0) and repeat (1) timers of the application object's pool.
  Word FTimers[2] = {0, 0};
};

class TVisCustomSpeedButton : public TVisBaseGraphicButton {
  CLASS_INFO(TVisCustomSpeedButton, TVisBaseGraphicButton)
public:
  // 23 by 22 pixels, hot under the mouse.
  explicit TVisCustomSpeedButton(TComponent* AOwner);

  TVisUserButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TVisUserButtonStyle Value);
  // The automatic style and the XP styles draw with the visual styles.
  bool UseThemeAtThisLevel() override;

protected:
  void Paint() override;
  bool IsFlat() override;
  bool FaceDependsOnState() override { return true; }

private:
  TVisUserButtonStyle FStyle = ubsAutoDetect;
};

class TVisSpeedButton : public TVisCustomSpeedButton {
  CLASS_INFO(TVisSpeedButton, TVisCustomSpeedButton)
public:
  explicit TVisSpeedButton(TComponent* AOwner) : TVisCustomSpeedButton(AOwner) {}
};

namespace visbuttons_detail {
// Makes the speed button known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace visbuttons_detail
