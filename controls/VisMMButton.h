// The multimedia button: a graphic button whose whole face is a picture of an image list, one
// picture per button state, drawn in the style ButtonFaceStyle, with the caption over it. Only
// the pixels of the picture that differ from the transparent colour react to a press, so a round
// picture makes a round button.
#pragma once

#include "controls/VisButtons.h"
#include "controls/VisComponent.h"
#include "controls/visgraph.h"

class TVisButtonFace;

// The states a picture is kept for: the button states of the graphic buttons (0 to 7) and one more.
constexpr Integer kVisMMFaceStates = 9;

class TVisCustomMMButton : public TVisBaseGraphicButton {
  CLASS_INFO(TVisCustomMMButton, TVisBaseGraphicButton)
public:
  // Opaque, its clicks its own; every state's picture (0, 0), the transparent colour white.
  explicit TVisCustomMMButton(TComponent* AOwner);
  ~TVisCustomMMButton() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The face list's name when it is a global list, the pictures of the states and the
  // transparent colour (older forms' layouts of them are read too).
  void DefineProperties(TFiler* Filer) override;

  TVisCustomImageList* GetButtonFaceImageList() const { return FFaceList.GetImageList(); }
  void SetButtonFaceImageList(TVisCustomImageList* Value) { FFaceList.SetImageList(Value); }
  bool IsButtonFaceImageListStored() const { return FFaceList.IsImageListStored(); }
  TVisBitmapStyle GetButtonFaceStyle() const { return FButtonFaceStyle; }
  void SetButtonFaceStyle(TVisBitmapStyle Value);
  bool GetQuickDraw() const { return FQuickDraw; }
  void SetQuickDraw(bool Value);
  bool GetForceTransparent() const { return FForceTransparent; }
  void SetForceTransparent(bool Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool GetAllowMouseOver() const { return FAllowMouseOver; }
  void SetAllowMouseOver(bool Value) { FAllowMouseOver = Value; }
  bool GetAllowTransparency() const { return FAllowTransparency; }
  void SetAllowTransparency(bool Value) { FAllowTransparency = Value; }
  TVisButtonFace* GetButtonFace() const { return FButtonFace; }
  // Pixels the caption moves right and down while the button is down.
  Integer CaptionDown = 1;

  // The picture (list index, image index) of a state, 0 .. 8.
  TPoint GetFacePicture(Integer State) const { return FFaces[State]; }
  void SetFacePicture(Integer State, Integer ListIndex, Integer ImageIndex);
  // Pixels of this colour in a picture do not react to the mouse.
  TColor GetFaceTransparentColor() const { return FTransColor; }
  void SetFaceTransparentColor(TColor Value) { FTransColor = Value; }
  // Where the picture was drawn last; empty before.
  const TRect& GetFaceRect() const { return FFaceRect; }

  // Inside the face rectangle on a pixel of the picture that is not the transparent colour;
  // every point of the button when the state shows no picture.
  bool HitTest(Integer X, Integer Y) override;
  // The palette of the current state's item, or none.
  HPALETTE GetPalette();

  // What a state shows: the pair to draw (Found), only background and caption (Found false),
  // or nothing at all (Paint false).
  struct FacePicture {
    bool Found = false;
    bool Paint = true;
    TPoint Picture;
  };
  FacePicture PictureOf(Byte State);

protected:
  void Paint() override;
  // Each state has a picture of its own.
  bool FaceDependsOnState() override { return true; }

private:
  void FaceListChanged(TObject* Sender);
  bool Valid(const TPoint& Pair);
  void ReadFaceList(TReader* Reader);
  void WriteFaceList(TWriter* Writer);
  void ReadIndices(TStream* Stream);
  void ReadIndicesNew(TStream* Stream);
  void ReadIndicesNew2(TStream* Stream);
  void WriteIndicesNew2(TStream* Stream);
  void ReadTransCol(TStream* Stream);
  void WriteTransCol(TStream* Stream);

  TVisImageListRef FFaceList;
  TVisButtonFace* FButtonFace;
  TVisBitmapStyle FButtonFaceStyle = sbNone;
  bool FQuickDraw = false;
  bool FForceTransparent = true;
  TPoint FFaces[kVisMMFaceStates];
  TColor FTransColor = 0xFFFFFF;
  TRect FFaceRect;
};

class TVisMMButton : public TVisCustomMMButton {
  CLASS_INFO(TVisMMButton, TVisCustomMMButton)
public:
  explicit TVisMMButton(TComponent* AOwner) : TVisCustomMMButton(AOwner) {}
};

namespace vismmbutton_detail {
// Makes the multimedia button known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace vismmbutton_detail
