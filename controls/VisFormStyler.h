// TVisFormStyler paints the title bar of the form it sits on: a colour gradient in place of the
// flat caption colour, the caption text in its own font with a 3D effect, or what an event paints.
#pragma once

#include "classlib/Graphics.h"
#include "classlib/StdCtrls.h"
#include "controls/VisFormFill.h"
#include "controls/VisWndProc.h"

class TBitmap;
class TCustomForm;
class TVis3DCaption;

// fsAdjustRect: the text keeps clear of the icon and the caption buttons; fsUseDefaultFont: the
// system's caption font instead of Font; fsUseFontColor: Font's colour instead of the caption
// text colour; fsInactiveGradient: an inactive caption is painted too; fsDrawCaptionEvent:
// OnCaptionPaint paints instead of the text; fsUseFormCaption: the form keeps its caption text
// (else the styler holds it and the system sees a blank); fsCheckSystemGradient: nothing is
// painted where the system draws gradient captions itself on a display of more than 8 bits.
enum TVisFormStyleOption {
  fsAdjustRect,
  fsUseDefaultFont,
  fsUseFontColor,
  fsInactiveGradient,
  fsDrawCaptionEvent,
  fsUseFormCaption,
  fsCheckSystemGradient
};
ENUM_NAMES(TVisFormStyleOption, "fsAdjustRect", "fsUseDefaultFont", "fsUseFontColor", "fsInactiveGradient",
           "fsDrawCaptionEvent", "fsUseFormCaption", "fsCheckSystemGradient");
using TVisFormStyleOptions = TSet<TVisFormStyleOption>;

class TVisFormStyler : public TVisWndProcComponent {
  CLASS_INFO(TVisFormStyler, TVisWndProcComponent)
public:
  // While designed, the owner must be a form without another styler (VisEOneInstError of kind 0).
  explicit TVisFormStyler(TComponent* AOwner);
  ~TVisFormStyler() override;

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  Byte GetColors() const { return FColors; }
  void SetColors(Byte Value);
  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TVis3DCaption* GetFont3D() const { return FFont3D; }
  void SetFont3D(TVis3DCaption* Value);
  TVisPaintMode GetPaintMode() const { return FPaintMode; }
  void SetPaintMode(TVisPaintMode Value);
  TVisFormStyleOptions GetOptions() const { return FOptions; }
  // Taking fsUseFormCaption in gives the form its caption text back; leaving it out takes it.
  void SetOptions(TVisFormStyleOptions Value);
  TVisPaintEvent OnPaint;
  TVisPaintEvent OnCaptionPaint;

  // Whether the system paints gradient captions itself (newer systems, or themes active).
  bool GetSystemGradient() const { return FSystemGradient; }
  // Whether the form's caption is active, as the last activation message said.
  bool GetActive() const { return FActive; }
  // Paints the caption now (when painting applies; see the source).
  void PaintCaption();

protected:
  void Hook() override;
  void Unhook() override;
  void WndProc(TMessage& Message) override;

private:
  bool PaintingOn() const { return FPaintMode != pcNone; }
  // Paints the caption, or when painting is off lets the system redraw the frame.
  void Redraw();
  void PartChanged(TObject* Sender);
  void HoldCaption();
  void GiveCaptionBack();
  TCustomForm* Form() const;

  TAlignment FAlignment = taLeftJustify;
  Byte FColors = 32;
  TFont* FFont;
  TVis3DCaption* FFont3D;
  TVisPaintMode FPaintMode = pcControl;
  TVisFormStyleOptions FOptions{fsAdjustRect, fsUseDefaultFont, fsUseFormCaption, fsCheckSystemGradient};
  bool FSystemGradient = false;
  bool FActive = false;
  // The form's caption while the styler holds it.
  AnsiString FSavedCaption;
  bool FCaptionHeld = false;
  TBitmap* FWork;
  bool FPainting = false;
};

namespace visformstyler_detail {
// Makes the styler known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace visformstyler_detail
