// Labels: TVisBaseLabel is the windowless, by default transparent text of the component set,
// sized to its caption, with multi-line text, an accelerator that moves the focus to a control,
// ellipsis options and twinkling (blinking) text. TVisCustomSimpleLabel and TVisSimpleLabel add
// three-dimensional caption effects and make the label a link: clicking it opens an internet
// address, a mail address or a program through the shell.
#pragma once

#include "classlib/TypInfo.h"
#include "controls/VisCustomControl.h"
#include "controls/visgraph.h"

class TVis3DCaption;

enum TVisJumpModes { jmInternet, jmApplication, jmNone, jmCustom };
ENUM_NAMES(TVisJumpModes, "jmInternet", "jmApplication", "jmNone", "jmCustom");

enum TVisLabelOption { loPathEllipsis, loEndEllipsis, loEditControl };
ENUM_NAMES(TVisLabelOption, "loPathEllipsis", "loEndEllipsis", "loEditControl");
using TVisLabelOptions = TSet<TVisLabelOption>;

// The "no colour" of TwinkleColor: the hidden phase leaves the text out.
constexpr TColor clVisNoColor = 0x1FFFFFFF;

// The shell call through which jump labels open their targets (ShellExecuteA by default); a
// test puts a recorder here.
using TVisShellExecute = HINSTANCE(WINAPI*)(HWND Wnd, LPCSTR Operation, LPCSTR File, LPCSTR Parameters,
                                            LPCSTR Directory, INT ShowCmd);
extern TVisShellExecute VisShellExecute;

class TVisBaseLabel : public TVisBaseGraphicControl {
  CLASS_INFO(TVisBaseLabel, TVisBaseGraphicControl)
public:
  // 30 by 30 pixels, transparent, sized to its caption.
  explicit TVisBaseLabel(TComponent* AOwner);
  ~TVisBaseLabel() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TVisAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TVisAlignment Value);
  // Sizing to the caption: the side the alignment holds stays in place.
  void SetAutoSize(bool Value) override;
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  // Breaks the caption into lines at word boundaries (within the label's width).
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TVisLabelOptions GetOptions() const { return FOptions; }
  void SetOptions(TVisLabelOptions Value);
  // Twinkling: the caption is shown TwinkleVisible milliseconds and hidden (or drawn in
  // TwinkleColor) TwinkleInVisible milliseconds, through a timer of the application object.
  bool GetTwinkle() const { return FTwinkle; }
  void SetTwinkle(bool Value);
  TColor GetTwinkleColor() const { return FTwinkleColor; }
  void SetTwinkleColor(TColor Value);
  Integer GetTwinkleVisible() const { return FTwinkleVisible; }
  void SetTwinkleVisible(Integer Value) { FTwinkleVisible = Value; }
  Integer GetTwinkleInVisible() const { return FTwinkleInVisible; }
  void SetTwinkleInVisible(Integer Value) { FTwinkleInVisible = Value; }
  // Whether the twinkling caption is in its hidden phase.
  bool GetTwinkleHidden() const { return FTwinkleHidden; }
  // The timer of the application object's pool while twinkling; 0 otherwise.
  Word GetTwinkleTimer() const { return FTwinkleTimer; }

  // The DrawText flags of the caption: alignment, lines, accelerator and options.
  UINT TextFlags() const;
  // Sizes the label to its caption when AutoSize.
  void AdjustBounds();

protected:
  void Loaded() override;
  void Paint() override;
  // The 3D look of the caption; none here.
  virtual TVis3DCaption* GetCaption3D() { return nullptr; }
  // A change of the font or of its 3D look: re-measure and repaint (not while loading).
  void FontChanged();

private:
  void CMTextChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void TwinkleTick(TObject* Sender);
  void StartTwinkle();
  void StopTwinkle();
  // The caption's box (with a pixel of margin on each side) in the label's font.
  TRect MeasureText(Integer WidthLimit);
  AnsiString MeasuredText();

  TVisAlignment FAlignment = agTopLeft;
  TWinControl* FFocusControl = nullptr;
  bool FMultiLine = false;
  bool FShowAccelChar = true;
  TVisLabelOptions FOptions;
  bool FTwinkle = false;
  TColor FTwinkleColor = clVisNoColor;
  Integer FTwinkleVisible = 700;
  Integer FTwinkleInVisible = 700;
  bool FTwinkleHidden = false;
  Word FTwinkleTimer = 0;
};

class TVisCustomSimpleLabel : public TVisBaseLabel {
  CLASS_INFO(TVisCustomSimpleLabel, TVisBaseLabel)
public:
  explicit TVisCustomSimpleLabel(TComponent* AOwner);
  ~TVisCustomSimpleLabel() override;
  // Reads the old stored "UseAsJump" (never written).
  void DefineProperties(TFiler* Filer) override;
  // Opens the jump's target (jmInternet, jmApplication) or runs OnClick (jmNone, jmCustom).
  void Click() override;

  TVis3DCaption* GetFont3D() const { return FFont3D; }
  void SetFont3D(TVis3DCaption* Value);
  const AnsiString& GetJump() const { return FJump; }
  void SetJump(const AnsiString& Value) { FJump = Value; }
  TColor GetActiveColor() const { return FActiveColor; }
  void SetActiveColor(TColor Value) { FActiveColor = Value; }
  TColor GetInActiveColor() const { return FInActiveColor; }
  void SetInActiveColor(TColor Value);
  bool GetJumpUnderline() const { return FJumpUnderline; }
  void SetJumpUnderline(bool Value);
  TVisJumpModes GetJumpMode() const { return FJumpMode; }
  // Outside loading: the visit count starts again and the link look is set: the hand cursor,
  // InActiveColor and (JumpUnderline) underlined text for a jump; the default cursor and black
  // text without one.
  void SetJumpMode(TVisJumpModes Value);
  // How often the link was pressed since its mode was set.
  Integer GetVisits() const { return FVisits; }

  TVisAboutVar About;

protected:
  void Loaded() override;
  TVis3DCaption* GetCaption3D() override { return FFont3D; }
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  // What a jump opens: Jump, or the caption when Jump is blank ("mailto:" in front of a
  // caption with an at sign for jmInternet).
  AnsiString JumpTarget() const;

private:
  void Font3DChanged(TObject* Sender);
  void ApplyLinkLook();
  void ReadUseAsJump(TReader* Reader);

  TVis3DCaption* FFont3D;
  AnsiString FJump;
  TColor FActiveColor = 8388736;
  TColor FInActiveColor = 16711680;
  bool FJumpUnderline = true;
  TVisJumpModes FJumpMode = jmNone;
  bool FUseAsJump = false;
  Integer FVisits = 0;
};

class TVisSimpleLabel : public TVisCustomSimpleLabel {
  CLASS_INFO(TVisSimpleLabel, TVisCustomSimpleLabel)
public:
  explicit TVisSimpleLabel(TComponent* AOwner) : TVisCustomSimpleLabel(AOwner) {}
};

namespace vislabel_detail {
// Makes the label known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace vislabel_detail
