// The push button of the component set: a system push button that the library draws itself
// (owner drawing) in one of the button frame styles, with a glyph, a caption effect, hot
// tracking, a click repeated while it is held and, in TVisButton, a drop-down menu. It keeps the
// system button's focus, default and cancel behaviour and ModalResult.
#pragma once

#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "controls/VisComponent.h"
#include "controls/visbtnframe.h"

class TVisButtonLayout;
class TVisFxCaption;
class TVisGlyph;

class TVisCustomButton : public TButton {
  CLASS_INFO(TVisCustomButton, TButton)
public:
  // 75 by 25 pixels, window-coloured.
  explicit TVisCustomButton(TComponent* AOwner);
  ~TVisCustomButton() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  // The image list as "Internal" when it is a global list; the old "Style" is read.
  void DefineProperties(TFiler* Filer) override;

  TVisButtonLayout* GetButtonLayout() const { return FButtonLayout; }
  void SetButtonLayout(TVisButtonLayout* Value);
  TVisUserButtonStyle GetExtStyle() const { return FExtStyle; }
  void SetExtStyle(TVisUserButtonStyle Value);
  TVisFxCaption* GetFontFX() const { return FFontFX; }
  void SetFontFX(TVisFxCaption* Value);
  TBitmap* GetGlyph() const;
  // Outside loading, drops an image list the glyph came from; the button keeps a copy.
  void SetGlyph(TBitmap* Value);
  bool IsGlyphStored() const { return !GetImageList(); }
  Byte GetNumGlyphs() const;
  void SetNumGlyphs(Byte Value);
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  bool GetUseCaption() const { return FUseCaption; }
  void SetUseCaption(bool Value);
  TVisCustomImageList* GetImageList() const { return FImages.GetImageList(); }
  void SetImageList(TVisCustomImageList* Value) { FImages.SetImageList(Value); }
  Integer GetImageIndex() const { return FImages.GetImageIndex(); }
  void SetImageIndex(Integer Value) { FImages.SetImageIndex(Value); }
  Integer GetListIndex() const { return FImages.GetListIndex(); }
  void SetListIndex(Integer Value) { FImages.SetListIndex(Value); }
  bool IsImageListStored() const { return FImages.IsImageListStored(); }
  TVisGlyph* GetGlyphObject() const { return FGlyph; }

  // The drawing state: 0 up, 1 disabled, 2 hot, 4 down.
  Byte GetDrawState() const { return FDrawState; }
  bool GetMouseInside() const { return FMouseInside; }
  bool GetDefaultLook() const { return FDefaultLook; }
  bool GetHeld() const { return FHeld; }

  AnsiString About;
  bool HideHint = true;
  // Held down, the button clicks after RepeatingDelay and then every RepeatingInterval
  // milliseconds until it is released.
  bool RepeatedClick = false;
  Word RepeatingInterval = 100;
  Word RepeatingDelay = 500;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;

protected:
  void CreateParams(TCreateParams& Params) override;
  void SetButtonStyle(bool ADefault) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  // Besides the class library's properties, the action's picture of its list's images.
  void ActionChange(TBasicAction* Sender, bool CheckDefaults) override;

  // Nothing at this level.
  virtual void Notify() {}
  // The glyph and the caption inside Rect.
  virtual void DrawContent(TCanvas* Canvas, const TRect& Rect);
  // Draws the button for the system's request.
  virtual void DrawItem(const DRAWITEMSTRUCT& Item);
  // Clicks, and from now on at RepeatingInterval.
  virtual void RepeatClick();
  // While the drop-down menu of TVisButton is shown.
  bool FMenuDropped = false;

private:
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void ImageChanged(TObject* Sender);
  void TakeGlyphFromList();
  void FontFXChanged(TObject* Sender);
  void LayoutChanged(TObject* Sender);
  void RepeatTick(TObject* Sender);
  void StopRepeat();
  void ReadStyle(TReader* Reader);

  TVisImageListRef FImages;
  TCanvas* FCanvas;
  TVisGlyph* FGlyph;
  TVisButtonLayout* FButtonLayout;
  TVisFxCaption* FFontFX;
  TVisUserButtonStyle FExtStyle = ubsAutoDetect;
  bool FMultiLine = false;
  bool FUseCaption = true;
  bool FDefaultLook = false;
  bool FMouseInside = false;
  Byte FDrawState = 0;
  bool FHeld = false;
  Word FRepeatTimer = 0;
};

class TVisButton : public TVisCustomButton {
  CLASS_INFO(TVisButton, TVisCustomButton)
public:
  explicit TVisButton(TComponent* AOwner) : TVisCustomButton(AOwner) {}
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // OnClick, then the drop-down menu when there is one.
  void Click() override;

  TPopupMenu* GetDropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  Integer DropDownIndent = 0;
  bool DropDownRight = false;
  TNotifyEvent OnDropDown;

private:
  TPopupMenu* FDropDownMenu = nullptr;
};

namespace vispushbutton_detail {
// Makes the push button known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace vispushbutton_detail
