// The picture strips of image-list items: their cells, drawing, copying and their record.
#include <algorithm>
#include <memory>

#include "classlib/Filer.h"
#include "classlib/Handles.h"
#include "controls/viscont.h"
#include "controls/visgraph.h"
#include "controls/visstream.h"

using namespace viscont_detail;

PUBLISHED(TVisImageListItem) {
  Prop("AllocBy", &TVisImageListItem::AllocBy).Default(4);
  Prop("Masked", &TVisImageListItem::GetMasked, &TVisImageListItem::SetMasked).Default(false);
  Prop("Height", &TVisImageListItem::GetHeight, &TVisImageListItem::SetHeight).Default(16);
  Prop("Width", &TVisImageListItem::GetWidth, &TVisImageListItem::SetWidth).Default(16);
}

namespace {

[[noreturn]] void InvalidImageSize() { throw EInvalidGraphicOperation("Invalid image size"); }
[[noreturn]] void TooManyImages() { throw EInvalidGraphicOperation("Too many images"); }

// A bitmap property read whole into a new bitmap.
std::unique_ptr<TBitmap> ReadStrip(TStream* Stream, bool Compressed) {
  auto strip = std::make_unique<TBitmap>();
  ReadObjectProp(Stream, strip.get(), Compressed);
  return strip;
}

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
  if (AWidth < 1 || AHeight < 1) InvalidImageSize();
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
    InvalidImageSize();
}

void TVisImageListItem::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetPictureCount()) throw EInvalidGraphicOperation("Invalid ImageList Index");
}

Integer TVisImageListItem::AllocPicture() {
  const Integer offset = FUsedWidth;
  if (FImage->GetWidth() < offset + FWidth) {
    const Integer grown = FImage->GetWidth() + std::max(AllocBy, 1) * FWidth;
    if (grown > kMaxStripWidth) TooManyImages();
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

void TVisImageListItem::SetPixelFormat(TVisSavePixelFormat Value) {
  if (Value == FPixelFormat) return;
  FPixelFormat = Value;
  Change();
}

void TVisImageListItem::AddPictures(TVisImageListItem* Other) {
  if (!Other || Other->FWidth != FWidth || Other->FHeight != FHeight) InvalidImageSize();
  const Integer count = Other->GetPictureCount();
  if (count == 0) return;
  const Integer width = count * FWidth;
  if (FUsedWidth + width > kMaxStripWidth) TooManyImages();
  BeginUpdate();
  if (FImage->GetWidth() < FUsedWidth + width) ResizeStrips(FUsedWidth + width);
  CopyCell(FImage, FUsedWidth, Other->FImage, 0, width, FHeight);
  if (FMasked) {
    if (Other->FMasked) {
      CopyCell(FMask, FUsedWidth, Other->FMask, 0, width, FHeight);
    } else {
      TCanvas* canvas = FMask->GetCanvas();
      canvas->GetBrush()->SetStyle(bsSolid);
      canvas->GetBrush()->SetColor(clBlack);
      canvas->FillRect(Bounds(FUsedWidth, 0, width, FHeight));
    }
  }
  for (Integer i = 0; i < count; ++i) FOffsets.push_back(FUsedWidth + i * FWidth);
  FUsedWidth += width;
  EndUpdate(true);
}

void TVisImageListItem::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index) {
  CheckIndex(Index);
  TRect r = Bounds(X, Y, FWidth, FHeight);
  DrawInRect(Canvas, Index, r, 0);
}

void TVisImageListItem::DrawInRect(TCanvas* Canvas, Integer Index, TRect& Rect, Word Flags, DWORD ClipOffset) {
  CheckIndex(Index);
  TBitmap* mask = nullptr;
  if (FMasked) {
    Flags |= dbMask;
    mask = FMask;
  }
  const TColor transparent = TransparentColor(Index);
  HPALETTE palette = (Flags & dbPalette) && PalettesRealized() ? FImage->GetPalette() : nullptr;
  std::unique_ptr<ClipIntersection> clip;
  if (Flags & dbClip)
    clip = std::make_unique<ClipIntersection>(Canvas->GetHandle(), *AsRECT(OffsetClipRect(Rect, ClipOffset)));
  DrawBitmapInRect(Canvas, Rect, FImage, transparent, nullptr, mask, palette, Flags & ~dbGraphic, PictureRect(Index));
}

Byte TVisImageListItem::DataFlags() { return PixelFormatFlags(FPixelFormat); }

void TVisImageListItem::WriteData(TStream* Stream) {
  const Integer count = GetPictureCount();
  WriteStreamInteger(Stream, FHeight);
  WriteStreamInteger(Stream, FWidth);
  WriteStreamInteger(Stream, AllocBy);
  WriteStreamByte(Stream, FMasked ? 1 : 0);
  WriteStreamInteger(Stream, count);
  if (count == 0) return;
  // Only the used cells are stored, not the room the strip keeps for more.
  const auto used = [&](TBitmap* Strip, bool Mono) {
    TBitmap copy;
    if (Mono)
      copy.SetMonochrome(true);
    else
      copy.SetPixelFormat(Strip->GetPixelFormat());
    copy.SetSize(FUsedWidth, FHeight);
    CopyCell(&copy, 0, Strip, 0, FUsedWidth, FHeight);
    WriteBitmapProp(Stream, &copy, GetCompressed(), Mono ? 2 : PixelFormatColors(FPixelFormat));
  };
  used(FImage, false);
  if (FMasked) used(FMask, true);
}

void TVisImageListItem::ReadData(TStream* Stream, Byte Flags) {
  const bool compressed = (Flags & 0x01) != 0;
  const Integer height = ReadStreamInteger(Stream);
  const Integer width = ReadStreamInteger(Stream);
  const Integer allocBy = ReadStreamInteger(Stream);
  const bool masked = ReadStreamByte(Stream) != 0;
  const Integer count = ReadStreamInteger(Stream);
  if (width < 1 || height < 1 || count < 0) InvalidImageSize();
  if (Int64(count) * width > kMaxStripWidth) TooManyImages();
  std::unique_ptr<TBitmap> image, mask;
  if (count > 0) {
    image = ReadStrip(Stream, compressed);
    if (masked) mask = ReadStrip(Stream, compressed);
  }
  CheckStrips(image.get(), mask.get(), width, height, count);
  FWidth = width;
  FHeight = height;
  AllocBy = allocBy;
  FMasked = masked;
  FPixelFormat = PixelFormatOfFlags(Flags);
  TakeStrips(image.get(), mask.get(), count);
}

void TVisImageListItem::CheckStrips(TBitmap* Image, TBitmap* Mask, Integer Width, Integer Height, Integer Count) {
  for (TBitmap* strip : {Image, Mask}) {
    if (!strip) continue;
    if (strip->GetHeight() != Height || strip->GetWidth() < Count * Width) InvalidImageSize();
    if (strip->GetWidth() > kMaxStripWidth) TooManyImages();
  }
}

void TVisImageListItem::TakeStrips(TBitmap* Image, TBitmap* Mask, Integer Count) {
  const Integer width = Count * FWidth;
  FOffsets.clear();
  FUsedWidth = 0;
  FImage->SetSize(0, FHeight);
  FMask->SetSize(0, FHeight);
  if (FMasked) FMask->SetMonochrome(true);
  if (Count == 0) return;
  // The strip as it was stored counts as used, also beyond the last cell.
  const Integer used = std::max(width, Image->GetWidth());
  ResizeStrips(used);
  CopyCell(FImage, 0, Image, 0, used, FHeight);
  if (FMasked) {
    if (Mask) {
      CopyCell(FMask, 0, Mask, 0, std::min(used, Mask->GetWidth()), FHeight);
    } else {
      TCanvas* canvas = FMask->GetCanvas();
      canvas->GetBrush()->SetStyle(bsSolid);
      canvas->GetBrush()->SetColor(clBlack);
      canvas->FillRect(Rect(0, 0, used, FHeight));
    }
  }
  for (Integer i = 0; i < Count; ++i) FOffsets.push_back(i * FWidth);
  FUsedWidth = used;
}

void TVisImageListItem::AssignData(TVisListItem* Source) {
  auto* source = static_cast<TVisImageListItem*>(Source);
  FWidth = source->FWidth;
  FHeight = source->FHeight;
  AllocBy = source->AllocBy;
  FMasked = source->FMasked;
  FPixelFormat = source->FPixelFormat;
  FImage->Assign(source->FImage);
  FMask->Assign(source->FMask);
  FOffsets = source->FOffsets;
  FUsedWidth = source->FUsedWidth;
}

void TVisImageListItem::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  // Only read: forms of the older layout kept the strips here.
  Filer->DefineBinaryProperty("Bitmap", TStreamProc(this, &TVisImageListItem::ReadBitmap), TStreamProc(), false);
}

void TVisImageListItem::ReadBitmap(TStream* Stream) {
  const Integer count = ReadStreamInteger(Stream);
  if (count < 0) InvalidImageSize();
  if (Int64(count) * FWidth > kMaxStripWidth) TooManyImages();
  std::unique_ptr<TBitmap> image, mask;
  if (count > 0) {
    image = ReadStrip(Stream, GetCompressed());
    if (FMasked) mask = ReadStrip(Stream, GetCompressed());
  }
  CheckStrips(image.get(), mask.get(), FWidth, FHeight, count);
  BeginUpdate();
  TakeStrips(image.get(), mask.get(), count);
  EndUpdate(true);
}
