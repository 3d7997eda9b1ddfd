// The picture strips of image-list items.
#include <algorithm>

#include "classlib/Handles.h"
#include "controls/viscont.h"
#include "controls/visgraph.h"

namespace {

// The widest strip GDI handles well on every system the set runs on.
constexpr Integer kMaxStripWidth = 32768;

void CopyCell(TBitmap* Dest, Integer DestX, TBitmap* Source, Integer SourceX, Integer Width, Integer Height) {
  HDC dest = Dest->GetCanvas()->GetHandle();
  // A monochrome source reaches the target through its text (black) and background (white)
  // colours.
  DCColors colors(dest, RGB(0, 0, 0), RGB(255, 255, 255));
  ::BitBlt(dest, DestX, 0, Width, Height, Source->GetCanvas()->GetHandle(), SourceX, 0, SRCCOPY);
}

}  // namespace

TVisImageListItem::TVisImageListItem(TComponent* AOwner)
    : TVisListItem(AOwner), FImage(new TBitmap), FMask(new TBitmap) {
  FImage->SetPixelFormat(pf24bit);
  FImage->SetHeight(FHeight);
  FMask->SetHeight(FHeight);
}

TVisImageListItem::TVisImageListItem(Integer AWidth, Integer AHeight, TComponent* AOwner)
    : TVisImageListItem(AOwner) {
  // The delegated constructor has finished, so the destructor frees the strips.
  if (AWidth < 1 || AHeight < 1) throw EInvalidGraphicOperation("Invalid image size");
  FWidth = AWidth;
  FHeight = AHeight;
  FImage->SetHeight(FHeight);
  FMask->SetHeight(FHeight);
}

TVisImageListItem::~TVisImageListItem() {
  delete FImage;
  delete FMask;
}

void TVisImageListItem::ResizeStrips(Integer StripWidth) {
  FImage->SetSize(StripWidth, FHeight);
  if (FMasked) FMask->SetSize(StripWidth, FHeight);
}

void TVisImageListItem::SetWidth(Integer Value) {
  if (Value < 1 || Value == FWidth) return;
  FWidth = Value;
  for (std::size_t i = 0; i < FOffsets.size(); ++i) FOffsets[i] = static_cast<Integer>(i) * FWidth;
  FUsedWidth = GetPictureCount() * FWidth;
  ResizeStrips(FUsedWidth);
  Change();
}

void TVisImageListItem::SetHeight(Integer Value) {
  if (Value < 1 || Value == FHeight) return;
  FHeight = Value;
  ResizeStrips(FImage->GetWidth());
  Change();
}

void TVisImageListItem::SetMasked(bool Value) {
  if (Value == FMasked) return;
  FMasked = Value;
  if (FMasked) {
    FMask->SetMonochrome(true);
    FMask->SetSize(FImage->GetWidth(), FHeight);
  } else {
    FMask->SetSize(0, FHeight);
  }
  Change();
}

TRect TVisImageListItem::PictureRect(Integer Index) const {
  CheckIndex(Index);
  return Bounds(FOffsets[static_cast<std::size_t>(Index)], 0, FWidth, FHeight);
}

void TVisImageListItem::CheckSize(TBitmap* Image) const {
  if (!Image || Image->GetHeight() != FHeight || Image->GetWidth() < FWidth || Image->GetWidth() % FWidth != 0)
    throw EInvalidGraphicOperation("Invalid image size");
}

void TVisImageListItem::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetPictureCount()) throw EInvalidGraphicOperation("Invalid ImageList Index");
}

Integer TVisImageListItem::AllocPicture() {
  const Integer offset = FUsedWidth;
  if (FImage->GetWidth() < offset + FWidth) {
    const Integer grown = FImage->GetWidth() + std::max(AllocBy, 1) * FWidth;
    if (grown > kMaxStripWidth) throw EInvalidGraphicOperation("Too many images");
    ResizeStrips(std::max(grown, offset + FWidth));
  }
  FUsedWidth = offset + FWidth;
  FOffsets.push_back(offset);
  return GetPictureCount() - 1;
}

Integer TVisImageListItem::AddPicture(TBitmap* Image, TBitmap* Mask) {
  if (!Image && !Mask) return AllocPicture();
  CheckSize(Image);
  if (FMasked && Mask) CheckSize(Mask);
  const Integer index = AllocPicture();
  ReplacePicture(index, Image, Mask);
  return index;
}

void TVisImageListItem::ReplacePicture(Integer Index, TBitmap* Image, TBitmap* Mask) {
  CheckIndex(Index);
  CheckSize(Image);
  const Integer x = FOffsets[static_cast<std::size_t>(Index)];
  CopyCell(FImage, x, Image, 0, FWidth, FHeight);
  if (FMasked) {
    if (Mask) {
      CheckSize(Mask);
      FMask->SetMonochrome(true);
      CopyCell(FMask, x, Mask, 0, FWidth, FHeight);
    } else {
      TCanvas* canvas = FMask->GetCanvas();
      canvas->GetBrush()->SetStyle(bsSolid);
      canvas->GetBrush()->SetColor(clBlack);
      canvas->FillRect(Bounds(x, 0, FWidth, FHeight));
    }
  }
  Change();
}

void TVisImageListItem::ReplaceMasked(Integer Index, TBitmap* Image, TColor TransparentColor) {
  CheckSize(Image);
  if (!FMasked) {
    ReplacePicture(Index, Image, nullptr);
    return;
  }
  // Only the mask is made; the cell keeps the picture's own colours, so that a picture copied
  // out of the list again looks as it went in.
  TBitmap mask;
  TBitmap work;
  MakeTransparentMask(Image->GetCanvas(), Rect(0, 0, FWidth, FHeight), &mask, TransparentColor, &work);
  ReplacePicture(Index, Image, &mask);
}

void TVisImageListItem::AssignPicture(Integer Index, TBitmap* Target) {
  CheckIndex(Index);
  Target->SetSize(FWidth, FHeight);
  CopyCell(Target, 0, FImage, FOffsets[static_cast<std::size_t>(Index)], FWidth, FHeight);
}

TColor TVisImageListItem::TransparentColor(Integer Index) {
  CheckIndex(Index);
  return FImage->GetCanvas()->GetPixels(FOffsets[static_cast<std::size_t>(Index)], FHeight - 1);
}

TColor TVisImageListItem::PixelColor(Integer Index, TPoint Point) {
  CheckIndex(Index);
  return FImage->GetCanvas()->GetPixels(FOffsets[static_cast<std::size_t>(Index)] + Point.X, Point.Y);
}

void TVisImageListItem::Clear() {
  FOffsets.clear();
  FUsedWidth = 0;
  FImage->SetSize(0, FHeight);
  if (FMasked) {
    FMask->SetMonochrome(true);
    FMask->SetSize(0, FHeight);
  }
  Change();
}
