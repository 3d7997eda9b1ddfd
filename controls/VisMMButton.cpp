// The multimedia button: its pictures per state, the shaped hit area, painting and form data.
#include "controls/VisMMButton.h"

#include <memory>

#include "classlib/ControlsPublished.h"
#include "classlib/Filer.h"
#include "classlib/Streams.h"
#include "controls/VisObject.h"
#include "controls/viscont.h"
#include "controls/visglyph.h"
#include "controls/visgraph.h"

PUBLISHED(TVisMMButton) {
  Prop("AllowAllUp", &TVisBaseGraphicButton::GetAllowAllUp, &TVisBaseGraphicButton::SetAllowAllUp).Default(false);
  Prop("AllowMouseOver", &TVisCustomMMButton::GetAllowMouseOver, &TVisCustomMMButton::SetAllowMouseOver)
      .Default(false);
  Prop("AllowTransparency", &TVisCustomMMButton::GetAllowTransparency, &TVisCustomMMButton::SetAllowTransparency)
      .Default(true);
  Prop("ButtonFaceStyle", &TVisCustomMMButton::GetButtonFaceStyle, &TVisCustomMMButton::SetButtonFaceStyle)
      .Default(sbNone);
  Prop("ButtonFaceImageList", &TVisCustomMMButton::GetButtonFaceImageList,
       &TVisCustomMMButton::SetButtonFaceImageList)
      .Stored(&TVisCustomMMButton::IsButtonFaceImageListStored);
  Prop("CaptionDown", &TVisCustomMMButton::CaptionDown).Default(1);
  Prop("ForceTransparent", &TVisCustomMMButton::GetForceTransparent, &TVisCustomMMButton::SetForceTransparent)
      .Default(true);
  Prop("GroupIndex", &TVisBaseGraphicButton::GetGroupIndex, &TVisBaseGraphicButton::SetGroupIndex).Default(0);
  Prop("Pressed", &TVisBaseGraphicButton::GetPressed, &TVisBaseGraphicButton::SetPressed).Default(false);
  Prop("QuickDraw", &TVisCustomMMButton::GetQuickDraw, &TVisCustomMMButton::SetQuickDraw).Default(false);
  Prop("DropDownMenu", &TVisBaseGraphicButton::GetDropDownMenu, &TVisBaseGraphicButton::SetDropDownMenu);
  Prop("DropDownIndent", &TVisBaseGraphicButton::GetDropDownIndent, &TVisBaseGraphicButton::SetDropDownIndent)
      .Default(0);
  Prop("DropDownRight", &TVisBaseGraphicButton::GetDropDownRight, &TVisBaseGraphicButton::SetDropDownRight)
      .Default(false);
  Prop("Transparent", &TVisCustomMMButton::GetTransparent, &TVisCustomMMButton::SetTransparent).Default(false);
  Prop("MultiLine", &TVisBaseGraphicButton::GetMultiLine, &TVisBaseGraphicButton::SetMultiLine).Default(false);
}

namespace {


Integer ReadInt32(TStream* Stream) {
  int32_t value = 0;
  Stream->ReadBuffer(&value, 4);
  return value;
}

void WriteInt32(TStream* Stream, Integer Value) {
  const int32_t value = Value;
  Stream->WriteBuffer(&value, 4);
}

// The state whose picture stands in for a state without one: the up picture for the disabled
// and hot faces (and entry 5), the down picture for the latched, menu-shown and disabled-latched
// faces; -1 for the others.
Integer StandIn(Byte State) {
  switch (State) {
    case bstDisabled:
    case bstHot:
    case 5: return bstUp;
    case bstLatched:
    case bstDropDown:
    case bstDisabledLatched: return bstHeld;
    default: return -1;
  }
}

}  // namespace

TVisCustomMMButton::TVisCustomMMButton(TComponent* AOwner)
    : TVisBaseGraphicButton(AOwner),
      FFaceList(this, TNotifyEvent(this, &TVisCustomMMButton::FaceListChanged)),
      FButtonFace(new TVisButtonFace) {
  // The button raises its clicks itself; the class library raises none for it.
  ControlStyle.Exclude(csClickEvents);
  ControlStyle.Include(csOpaque);
  ControlStyle.Include(csReplicatable);
  for (TPoint& face : FFaces) face = Point(0, 0);
}

TVisCustomMMButton::~TVisCustomMMButton() {
  FQuickDraw = false;
  delete FButtonFace;
}

void TVisCustomMMButton::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  FFaceList.Notification(AComponent, Operation);
}

void TVisCustomMMButton::FaceListChanged(TObject*) { Invalidate(); }

void TVisCustomMMButton::SetButtonFaceStyle(TVisBitmapStyle Value) {
  if (Value == FButtonFaceStyle) return;
  FButtonFaceStyle = Value;
  Invalidate();
}

void TVisCustomMMButton::SetQuickDraw(bool Value) {
  if (Value == FQuickDraw) return;
  FQuickDraw = Value;
  Invalidate();
}

void TVisCustomMMButton::SetForceTransparent(bool Value) {
  if (Value == FForceTransparent) return;
  FForceTransparent = Value;
  Invalidate();
}

void TVisCustomMMButton::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TVisCustomMMButton::SetFacePicture(Integer State, Integer ListIndex, Integer ImageIndex) {
  if (State < 0 || State >= kVisMMFaceStates) return;
  FFaces[State] = Point(ListIndex, ImageIndex);
  Invalidate();
}

bool TVisCustomMMButton::Valid(const TPoint& Pair) {
  TVisCustomImageList* list = GetButtonFaceImageList();
  return list && list->IsValid(Pair.X, Pair.Y);
}

TVisCustomMMButton::FacePicture TVisCustomMMButton::PictureOf(Byte State) {
  FacePicture result;
  const Integer state = State < kVisMMFaceStates ? State : bstUp;
  if (Valid(FFaces[state])) {
    result.Found = true;
    result.Picture = FFaces[state];
    return result;
  }
  if (state == bstUp || state == 8) {
    result.Paint = false;
    return result;
  }
  const Integer standIn = StandIn(static_cast<Byte>(state));
  if (standIn >= 0 && Valid(FFaces[standIn])) {
    result.Found = true;
    result.Picture = FFaces[standIn];
  }
  return result;
}

bool TVisCustomMMButton::HitTest(Integer X, Integer Y) {
  TVisCustomImageList* list = GetButtonFaceImageList();
  const FacePicture face = list ? PictureOf(GetState()) : FacePicture{};
  if (!face.Found) return inherited::HitTest(X, Y);
  if (X < FFaceRect.Left || X >= FFaceRect.Right || Y < FFaceRect.Top || Y >= FFaceRect.Bottom) return false;
  const TColor pixel = list->PixelColor(face.Picture.X, face.Picture.Y, Point(X - FFaceRect.Left, Y - FFaceRect.Top));
  return (ColorToRGB(pixel) & 0xFFFFFF) != (ColorToRGB(FTransColor) & 0xFFFFFF);
}

HPALETTE TVisCustomMMButton::GetPalette() {
  TVisCustomImageList* list = GetButtonFaceImageList();
  if (!list) return nullptr;
  const Byte state = GetState() < kVisMMFaceStates ? GetState() : bstUp;
  return list->ItemPalette(FFaces[state].X);
}

void TVisCustomMMButton::Paint() {
  if (Loading(this)) return;
  FFaceRect = TRect{};
  TCanvas* canvas = GetCanvas();
  const TRect client = GetClientRect();
  TVisCustomImageList* list = GetButtonFaceImageList();
  if (!list) {
    if (!FTransparent) {
      canvas->GetBrush()->SetStyle(bsSolid);
      canvas->GetBrush()->SetColor(GetColor());
      canvas->FillRect(client);
    }
    if (GetComponentState().Contains(csDesigning)) {
      canvas->GetPen()->SetStyle(psDash);
      canvas->GetBrush()->SetStyle(bsClear);
      canvas->Rectangle(client);
    }
    return;
  }
  const Byte state = GetState();
  const FacePicture face = PictureOf(state);
  if (!face.Paint) return;
  const Integer listIndex = FFaces[state < kVisMMFaceStates ? state : bstUp].X;

  if (FButtonFaceStyle == sbAutosize) {
    Integer w = list->ItemDimension(listIndex, 0);
    Integer h = list->ItemDimension(listIndex, 1);
    if (w == 0) w = 20;
    if (h == 0) h = 20;
    if (w != GetWidth() || h != GetHeight()) {
      SetBounds(GetLeft(), GetTop(), w, h);
      return;
    }
  }

  auto face24 = std::make_unique<TBitmap>();
  face24->SetPixelFormat(pf24bit);
  face24->SetSize(GetWidth(), GetHeight());
  TCanvas* target = face24->GetCanvas();
  const TRect all = ::Rect(0, 0, GetWidth(), GetHeight());
  bool background = false;
  if (!FTransparent) {
    target->GetBrush()->SetStyle(bsSolid);
    target->GetBrush()->SetColor(GetColor());
    target->FillRect(all);
    background = true;
  } else if (auto* parent = dynamic_cast<TVisCustomControl*>(GetParent())) {
    if (TBitmap* back = parent->GetBackEffect()) {
      target->CopyRect(all, back->GetCanvas(), parent->GetImageRect(GetBoundsRect()));
      background = true;
    }
  }

  Word flags = FQuickDraw ? 0 : dbPalette;
  switch (FButtonFaceStyle) {
    case sbCenter: flags |= 0x08; break;
    case sbStretch: flags |= 0x10; break;
    case sbTile: flags |= 0x20; break;
    case sbKeepAspRatio: flags |= 0x610; break;
    case sbKeepWidth: flags |= 0x210; break;
    case sbKeepHeight: flags |= 0x410; break;
    default: break;
  }
  TColor fillColor = GetColor();
  if (face.Found) {
    if (FTransparent && !background) {
      // Where the picture leaves the face free the button stays see-through.
      fillColor = list->TransparentColor(face.Picture.X, face.Picture.Y);
      target->GetBrush()->SetStyle(bsSolid);
      target->GetBrush()->SetColor(fillColor);
      target->FillRect(all);
    }
    if (FTransparent || FForceTransparent) flags |= dbTransparent;
    TRect r = all;
    list->DrawInRect(target, face.Picture.X, face.Picture.Y, r, flags);
    FFaceRect = r;
  }

  TRect caption = client;
  if (state == bstLatched || state == bstHeld || state == bstDropDown)
    caption = {caption.Left + CaptionDown, caption.Top + CaptionDown, caption.Right + CaptionDown,
               caption.Bottom + CaptionDown};
  DrawCaption(target, caption);

  HPALETTE palette = list->ItemPalette(listIndex);
  if (background) {
    HPALETTE old = nullptr;
    if (palette && !FQuickDraw) {
      old = ::SelectPalette(canvas->GetHandle(), palette, TRUE);
      ::RealizePalette(canvas->GetHandle());
    }
    canvas->Draw(0, 0, face24.get());
    if (old) ::SelectPalette(canvas->GetHandle(), old, TRUE);
  } else {
    TRect r = all;
    DrawBitmapInRect(canvas, r, face24.get(), fillColor, nullptr, nullptr, palette, 0x1040, all);
  }
}

// --- Form data --------------------------------------------------------------------------------------------

void TVisCustomMMButton::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty("ButtonFace", TReaderProc(this, &TVisCustomMMButton::ReadFaceList),
                        TWriterProc(this, &TVisCustomMMButton::WriteFaceList),
                        IsGlobalImageList(GetButtonFaceImageList()));
  Filer->DefineBinaryProperty("ButtonFaceIndices", TStreamProc(this, &TVisCustomMMButton::ReadIndices), nullptr,
                              false);
  Filer->DefineBinaryProperty("ButtonFaceIndicesNew", TStreamProc(this, &TVisCustomMMButton::ReadIndicesNew),
                              nullptr, false);
  Filer->DefineBinaryProperty("ButtonFaceIndicesNew2", TStreamProc(this, &TVisCustomMMButton::ReadIndicesNew2),
                              TStreamProc(this, &TVisCustomMMButton::WriteIndicesNew2), true);
  Filer->DefineBinaryProperty("ButtonFaceTransCol", TStreamProc(this, &TVisCustomMMButton::ReadTransCol), nullptr,
                              false);
  Filer->DefineBinaryProperty("ButtonFaceTransColNew", TStreamProc(this, &TVisCustomMMButton::ReadTransCol),
                              TStreamProc(this, &TVisCustomMMButton::WriteTransCol), true);
}

void TVisCustomMMButton::ReadFaceList(TReader* Reader) {
  if (TVisCustomImageList* list = ReadGlobalListRef(Reader)) SetButtonFaceImageList(list);
}

void TVisCustomMMButton::WriteFaceList(TWriter* Writer) { WriteGlobalListRef(Writer, GetButtonFaceImageList()); }

void TVisCustomMMButton::ReadIndices(TStream* Stream) {
  // States 0 to 7, each its list index and image index.
  for (Integer i = 0; i < 8; ++i) {
    const Integer list = ReadInt32(Stream);
    FFaces[i] = Point(list, ReadInt32(Stream));
  }
}

void TVisCustomMMButton::ReadIndicesNew(TStream* Stream) {
  // The list indexes of states 0 to 7, then their image indexes.
  for (Integer i = 0; i < 8; ++i) FFaces[i].X = ReadInt32(Stream);
  for (Integer i = 0; i < 8; ++i) FFaces[i].Y = ReadInt32(Stream);
}

void TVisCustomMMButton::ReadIndicesNew2(TStream* Stream) {
  // The image indexes of states 0 to 8, then the list indexes of states 8 down to 0.
  for (Integer i = 0; i < kVisMMFaceStates; ++i) FFaces[i].Y = ReadInt32(Stream);
  for (Integer i = kVisMMFaceStates - 1; i >= 0; --i) FFaces[i].X = ReadInt32(Stream);
}

void TVisCustomMMButton::WriteIndicesNew2(TStream* Stream) {
  for (Integer i = 0; i < kVisMMFaceStates; ++i) WriteInt32(Stream, FFaces[i].Y);
  for (Integer i = kVisMMFaceStates - 1; i >= 0; --i) WriteInt32(Stream, FFaces[i].X);
}

void TVisCustomMMButton::ReadTransCol(TStream* Stream) { FTransColor = ReadInt32(Stream); }

void TVisCustomMMButton::WriteTransCol(TStream* Stream) { WriteInt32(Stream, FTransColor); }

bool vismmbutton_detail::RegisterClasses() {
  if (!GetClass("TVisMMButton")) RegisterClass(TVisMMButton::StaticClass());
  return true;
}
