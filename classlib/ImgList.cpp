// Image lists and change links.
#include "classlib/ImgList.h"

#include <algorithm>

#include "classlib/Filer.h"
#include "classlib/SysUtils.h"

namespace {

// Paints the brush where the source is black and leaves the destination where it is white.
constexpr DWORD kRopPSDPxax = 0x00B8074A;
// Clears the destination where the monochrome source is set.
constexpr DWORD kRopDSna = 0x00220326;

COLORREF ListColor(TColor color) {
  if (color == clNone) return CLR_NONE;
  if (color == clDefault) return CLR_DEFAULT;
  return static_cast<COLORREF>(ColorToRGB(color));
}

UINT DrawingFlags(TDrawingStyle style, TImageType type) {
  static constexpr UINT kStyles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  return kStyles[style] | (type == itMask ? ILD_MASK : 0);
}

// A mask of the pixels of Image that have the colour (set where transparent), and a copy of
// Image with those pixels black, as image lists keep masked pictures.
void SplitByColor(TBitmap* image, TColor color, TBitmap* blackened, TBitmap* mask) {
  const int w = image->GetWidth(), h = image->GetHeight();
  blackened->Assign(image);
  mask->SetPixelFormat(pf1bit);
  mask->SetSize(w, h);
  HDC source = blackened->GetCanvas()->GetHandle();
  HDC maskDC = mask->GetCanvas()->GetHandle();
  // Colour to monochrome sets the pixels equal to the source's background colour.
  const COLORREF oldBack = ::SetBkColor(source, static_cast<COLORREF>(ColorToRGB(color)));
  ::BitBlt(maskDC, 0, 0, w, h, source, 0, 0, SRCCOPY);
  ::SetBkColor(source, oldBack);
  const COLORREF oldText = ::SetTextColor(source, RGB(0, 0, 0));
  const COLORREF oldBack2 = ::SetBkColor(source, RGB(255, 255, 255));
  ::BitBlt(source, 0, 0, w, h, maskDC, 0, 0, kRopDSna);
  ::SetTextColor(source, oldText);
  ::SetBkColor(source, oldBack2);
}

struct ReleaseCom {
  void operator()(IUnknown* object) const { object->Release(); }
};
using StreamPtr = std::unique_ptr<IStream, ReleaseCom>;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TChangeLink

TChangeLink::~TChangeLink() {
  if (Sender) Sender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (Sender && OnChange) OnChange(Sender);
}

// ---------------------------------------------------------------------------------------------
// TCustomImageList

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) { CreateList(); }

TCustomImageList::TCustomImageList(Integer AWidth, Integer AHeight, TComponent* AOwner)
    : TComponent(AOwner), FWidth(AWidth), FHeight(AHeight) {
  if (AWidth < 1 || AHeight < 1) throw EInvalidOperation("Invalid image size");
  CreateList();
}

TCustomImageList::~TCustomImageList() {
  while (!FClients.empty()) UnRegisterChanges(FClients.back());
  FreeHandle();
}

void TCustomImageList::CreateList() {
  FreeHandle();
  FHandle = ::ImageList_Create(FWidth, FHeight, ILC_COLORDDB | (FMasked ? ILC_MASK : 0), AllocBy, AllocBy);
  if (!FHandle) throw EInvalidOperation("Invalid ImageList");
  ::ImageList_SetBkColor(FHandle, ListColor(FBkColor));
}

void TCustomImageList::FreeHandle() {
  if (FHandle && !ShareImages) ::ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

HIMAGELIST TCustomImageList::GetHandle() {
  if (!FHandle) CreateList();
  return FHandle;
}

void TCustomImageList::SetHandle(HIMAGELIST Value) {
  FreeHandle();
  FHandle = Value;
  if (Value) {
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(Value, &cx, &cy);
    FWidth = cx;
    FHeight = cy;
  }
  Change();
}

Integer TCustomImageList::GetCount() { return FHandle ? ::ImageList_GetImageCount(FHandle) : 0; }

void TCustomImageList::CheckImage(TGraphic* Image) const {
  if (Image->GetHeight() < FHeight || Image->GetWidth() < FWidth) throw EInvalidOperation("Invalid image size");
}

void TCustomImageList::CheckIndex(Integer Index) {
  if (Index < 0 || Index >= GetCount()) throw EInvalidOperation("Invalid ImageList Index");
}

void TCustomImageList::Change() {
  FChanged = true;
  if (FUpdateCount > 0) return;
  FChanged = false;
  const std::vector<TChangeLink*> clients = FClients;
  for (TChangeLink* link : clients) link->Change();
  if (OnChange) OnChange(this);
}

void TCustomImageList::BeginUpdate() { ++FUpdateCount; }

void TCustomImageList::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChanged) Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (Value->Sender && Value->Sender != this) Value->Sender->UnRegisterChanges(Value);
  Value->Sender = this;
  if (std::find(FClients.begin(), FClients.end(), Value) == FClients.end()) FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  std::erase(FClients, Value);
  Value->Sender = nullptr;
}

Integer TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image) return -1;
  CheckImage(Image);
  HIMAGELIST list = GetHandle();
  const Integer result =
      ::ImageList_Add(list, Image->GetHandle(), FMasked && Mask ? Mask->GetHandle() : nullptr);
  if (result >= 0) Change();
  return result;
}

Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image) return -1;
  CheckImage(Image);
  // The system blackens the transparent pixels of the bitmap it is given: give it a copy.
  TBitmap copy;
  copy.Assign(Image);
  const Integer result =
      ::ImageList_AddMasked(GetHandle(), copy.GetHandle(), static_cast<COLORREF>(ColorToRGB(MaskColor)));
  if (result >= 0) Change();
  return result;
}

Integer TCustomImageList::AddIcon(TIcon* Image) {
  if (!Image || Image->GetEmpty()) return -1;
  CheckImage(Image);
  const Integer result = ::ImageList_ReplaceIcon(GetHandle(), -1, Image->GetHandle());
  if (result >= 0) Change();
  return result;
}

Integer TCustomImageList::AddImage(TCustomImageList* Value, Integer Index) {
  if (!Value) return -1;
  Value->CheckIndex(Index);
  TBitmap image, mask;
  Value->GetImages(Index, &image, &mask);
  if (image.GetWidth() != FWidth || image.GetHeight() != FHeight) {
    image.SetSize(FWidth, FHeight);
    mask.SetSize(FWidth, FHeight);
  }
  return Add(&image, &mask);
}

void TCustomImageList::AddImages(TCustomImageList* Value) {
  if (!Value || Value == this) return;
  BeginUpdate();
  try {
    for (Integer i = 0; i < Value->GetCount(); ++i) AddImage(Value, i);
  } catch (...) {
    // EndUpdate runs the change handlers, which may raise: it is called here, not from a
    // destructor.
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomImageList::Insert(Integer Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index > GetCount()) throw EInvalidOperation("Invalid ImageList Index");
  BeginUpdate();
  const Integer before = GetCount();
  try {
    if (Add(Image, Mask) >= 0)
      for (Integer i = before; i < GetCount(); ++i) Move(i, Index + (i - before));
  } catch (...) {
    // EndUpdate runs the change handlers, which may raise: it is called here, not from a
    // destructor.
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomImageList::InsertMasked(Integer Index, TBitmap* Image, TColor MaskColor) {
  if (!Image) return;
  TBitmap blackened, mask;
  SplitByColor(Image, MaskColor, &blackened, &mask);
  Insert(Index, &blackened, &mask);
}

void TCustomImageList::InsertIcon(Integer Index, TIcon* Image) {
  if (Index < 0 || Index > GetCount()) throw EInvalidOperation("Invalid ImageList Index");
  BeginUpdate();
  const Integer before = GetCount();
  try {
    if (AddIcon(Image) >= 0) Move(before, Index);
  } catch (...) {
    // EndUpdate runs the change handlers, which may raise: it is called here, not from a
    // destructor.
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomImageList::Replace(Integer Index, TBitmap* Image, TBitmap* Mask) {
  CheckIndex(Index);
  if (!Image) return;
  CheckImage(Image);
  if (!::ImageList_Replace(FHandle, Index, Image->GetHandle(), FMasked && Mask ? Mask->GetHandle() : nullptr))
    throw EInvalidOperation("Unable to Replace Image");
  Change();
}

void TCustomImageList::ReplaceMasked(Integer Index, TBitmap* NewImage, TColor MaskColor) {
  CheckIndex(Index);
  if (!NewImage) return;
  TBitmap blackened, mask;
  SplitByColor(NewImage, MaskColor, &blackened, &mask);
  Replace(Index, &blackened, &mask);
}

void TCustomImageList::ReplaceIcon(Integer Index, TIcon* Image) {
  CheckIndex(Index);
  if (!Image || Image->GetEmpty()) return;
  CheckImage(Image);
  if (::ImageList_ReplaceIcon(FHandle, Index, Image->GetHandle()) < 0) throw EInvalidOperation("Unable to Replace Image");
  Change();
}

void TCustomImageList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  // The pictures between shift by one; each is copied out and put back in its new place.
  TBitmap moved, movedMask;
  GetImages(CurIndex, &moved, &movedMask);
  const Integer step = NewIndex > CurIndex ? 1 : -1;
  for (Integer i = CurIndex; i != NewIndex; i += step) {
    TBitmap image, mask;
    GetImages(i + step, &image, &mask);
    ::ImageList_Replace(FHandle, i, image.GetHandle(), FMasked ? mask.GetHandle() : nullptr);
  }
  ::ImageList_Replace(FHandle, NewIndex, moved.GetHandle(), FMasked ? movedMask.GetHandle() : nullptr);
  Change();
}

void TCustomImageList::Delete(Integer Index) {
  CheckIndex(Index);
  ::ImageList_Remove(FHandle, Index);
  Change();
}

void TCustomImageList::Clear() {
  if (FHandle) ::ImageList_Remove(FHandle, -1);
  Change();
}

void TCustomImageList::GetImages(Integer Index, TBitmap* Image, TBitmap* Mask) {
  Image->SetPixelFormat(pfDevice);
  Image->SetSize(FWidth, FHeight);
  Mask->SetPixelFormat(pf1bit);
  Mask->SetSize(FWidth, FHeight);
  const RECT all{0, 0, FWidth, FHeight};
  HDC imageDC = Image->GetCanvas()->GetHandle();
  HDC maskDC = Mask->GetCanvas()->GetHandle();
  ::FillRect(imageDC, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  if (FMasked) {
    // Drawing the mask keeps the destination where the picture is transparent: on white.
    ::FillRect(maskDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::ImageList_DrawEx(FHandle, Index, maskDC, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
    ::ImageList_DrawEx(FHandle, Index, imageDC, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    // The picture's transparent pixels become black, whatever the list kept there.
    const COLORREF oldText = ::SetTextColor(imageDC, RGB(0, 0, 0));
    const COLORREF oldBack = ::SetBkColor(imageDC, RGB(255, 255, 255));
    ::BitBlt(imageDC, 0, 0, FWidth, FHeight, maskDC, 0, 0, kRopDSna);
    ::SetTextColor(imageDC, oldText);
    ::SetBkColor(imageDC, oldBack);
  } else {
    ::FillRect(maskDC, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::ImageList_DrawEx(FHandle, Index, imageDC, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
  }
}

bool TCustomImageList::GetBitmap(Integer Index, TBitmap* Image) {
  if (!Image || !FHandle || Index < 0 || Index >= GetCount()) return false;
  Image->SetSize(FWidth, FHeight);
  Draw(Image->GetCanvas(), 0, 0, Index);
  return true;
}

void TCustomImageList::GetIcon(Integer Index, TIcon* Image) {
  CheckIndex(Index);
  if (Image) Image->SetHandle(::ImageList_GetIcon(FHandle, Index, ILD_NORMAL));
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) {
  Draw(Canvas, X, Y, Index, FDrawingStyle, FImageType, Enabled);
}

void TCustomImageList::DrawStretched(HDC DC, Integer X, Integer Y, Integer Index) {
  TBitmap image, mask;
  GetImages(Index, &image, &mask);
  HDC imageDC = image.GetCanvas()->GetHandle();
  if (!FMasked) {
    ::StretchBlt(DC, X, Y, FWidth, FHeight, imageDC, 0, 0, FWidth, FHeight, SRCCOPY);
    return;
  }
  // The mask (white where transparent) keeps the background, the blackened picture is added.
  ::StretchBlt(DC, X, Y, FWidth, FHeight, mask.GetCanvas()->GetHandle(), 0, 0, FWidth, FHeight, SRCAND);
  ::StretchBlt(DC, X, Y, FWidth, FHeight, imageDC, 0, 0, FWidth, FHeight, SRCPAINT);
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
  if (!FHandle || Index < 0 || Index >= GetCount()) return;
  HDC dc = Canvas->GetHandle();
  // A metafile recording needs the pixels in stretch records; the system's drawing copies
  // blocks.
  const bool recording = ::GetObjectType(dc) == OBJ_ENHMETADC;
  if (Enabled) {
    if (recording && AImageType == itImage)
      DrawStretched(dc, X, Y, Index);
    else
      ::ImageList_DrawEx(FHandle, Index, dc, X, Y, 0, 0, ListColor(FBkColor), ListColor(FBlendColor),
                         DrawingFlags(ADrawingStyle, AImageType));
    return;
  }
  // Disabled: the picture's shape, in the highlight colour one pixel down and right, then in
  // the shadow colour. The shape is every pixel that is not transparent and not white; it is
  // black in a monochrome DIB, whose colour table (not the context's colours) maps its bits.
  TBitmap shape;
  shape.SetPixelFormat(pf1bit);
  shape.SetSize(FWidth, FHeight);
  HDC shapeDC = shape.GetCanvas()->GetHandle();
  const RECT all{0, 0, FWidth, FHeight};
  ::FillRect(shapeDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::ImageList_DrawEx(FHandle, Index, shapeDC, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
  for (const auto& [offset, color] : {std::pair{1, COLOR_BTNHIGHLIGHT}, std::pair{0, COLOR_BTNSHADOW}}) {
    UniqueGdiObject brush(::CreateSolidBrush(::GetSysColor(color)));
    SelectedObject selected(dc, brush.get());
    ::StretchBlt(dc, X + offset, Y + offset, FWidth, FHeight, shapeDC, 0, 0, FWidth, FHeight, kRopPSDPxax);
  }
}

void TCustomImageList::SetWidth(Integer Value) {
  if (Value == FWidth || Value < 1) return;
  FWidth = Value;
  CreateList();
  Change();
}

void TCustomImageList::SetHeight(Integer Value) {
  if (Value == FHeight || Value < 1) return;
  FHeight = Value;
  CreateList();
  Change();
}

void TCustomImageList::SetMasked(bool Value) {
  if (Value == FMasked) return;
  HIMAGELIST old = FHandle;
  const Integer count = GetCount();
  std::vector<std::pair<std::unique_ptr<TBitmap>, std::unique_ptr<TBitmap>>> pictures;
  for (Integer i = 0; i < count; ++i) {
    auto image = std::make_unique<TBitmap>(), mask = std::make_unique<TBitmap>();
    GetImages(i, image.get(), mask.get());
    pictures.emplace_back(std::move(image), std::move(mask));
  }
  FMasked = Value;
  FHandle = nullptr;
  CreateList();
  if (old && !ShareImages) ::ImageList_Destroy(old);
  for (auto& [image, mask] : pictures)
    ::ImageList_Add(FHandle, image->GetHandle(), FMasked ? mask->GetHandle() : nullptr);
  Change();
}

void TCustomImageList::SetBkColor(TColor Value) {
  if (Value == FBkColor) return;
  FBkColor = Value;
  if (FHandle) ::ImageList_SetBkColor(FHandle, ListColor(Value));
  Change();
}

void TCustomImageList::SetBlendColor(TColor Value) {
  if (Value == FBlendColor) return;
  FBlendColor = Value;
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
  if (Value == FDrawingStyle) return;
  FDrawingStyle = Value;
  Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
  if (Value == FImageType) return;
  FImageType = Value;
  Change();
}

void TCustomImageList::Assign(TPersistent* Source) {
  auto* list = dynamic_cast<TCustomImageList*>(Source);
  if (!list) {
    inherited::Assign(Source);
    return;
  }
  if (list == this) return;
  BeginUpdate();
  FWidth = list->FWidth;
  FHeight = list->FHeight;
  FMasked = list->FMasked;
  FBkColor = list->FBkColor;
  FBlendColor = list->FBlendColor;
  FDrawingStyle = list->FDrawingStyle;
  FImageType = list->FImageType;
  AllocBy = list->AllocBy;
  FreeHandle();
  ShareImages = false;
  FHandle = list->FHandle ? ::ImageList_Duplicate(list->FHandle) : nullptr;
  if (!FHandle) {
    CreateList();
    AddImages(list);
  }
  Change();
  EndUpdate();
}

void TCustomImageList::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty("Bitmap", TStreamProc(this, &TCustomImageList::ReadData),
                              TStreamProc(this, &TCustomImageList::WriteData), GetCount() > 0);
}

// The system writes and reads image lists through COM streams; a stream over global memory
// carries the bytes between them and ours.
void TCustomImageList::WriteData(TStream* Stream) {
  IStream* raw = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &raw))) throw EWriteError("Failed to write ImageList data to stream");
  StreamPtr stream(raw);
  if (!::ImageList_Write(GetHandle(), stream.get())) throw EWriteError("Failed to write ImageList data to stream");
  HGLOBAL memory = nullptr;
  ULARGE_INTEGER size{};
  if (FAILED(::GetHGlobalFromStream(stream.get(), &memory)) ||
      FAILED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &size)))
    throw EWriteError("Failed to write ImageList data to stream");
  GlobalLockGuard lock(memory);
  Stream->WriteBuffer(lock.get(), static_cast<Integer>(size.QuadPart));
}

void TCustomImageList::ReadData(TStream* Stream) {
  const Int64 size = Stream->GetSize() - Stream->GetPosition();
  UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(std::max<Int64>(size, 1))));
  if (!memory) throw EOutOfMemory("Out of memory");
  {
    GlobalLockGuard lock(memory.get());
    if (size > 0) Stream->ReadBuffer(lock.get(), static_cast<Integer>(size));
  }
  IStream* raw = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(memory.get(), TRUE, &raw))) throw EReadError("Failed to read ImageList data from stream");
  memory.release();  // the stream frees it
  StreamPtr stream(raw);
  HIMAGELIST list = ::ImageList_Read(stream.get());
  if (!list) throw EReadError("Failed to read ImageList data from stream");
  BeginUpdate();
  SetHandle(list);
  EndUpdate();
}

PUBLISHED(TCustomImageList) {
  Prop("AllocBy", &TCustomImageList::AllocBy).Default(4);
  Prop("BlendColor", &TCustomImageList::GetBlendColor, &TCustomImageList::SetBlendColor)
      .Type(ColorTypeInfo())
      .Default(clNone);
  Prop("BkColor", &TCustomImageList::GetBkColor, &TCustomImageList::SetBkColor).Type(ColorTypeInfo()).Default(clNone);
  Prop("DrawingStyle", &TCustomImageList::GetDrawingStyle, &TCustomImageList::SetDrawingStyle).Default(dsNormal);
  Prop("Height", &TCustomImageList::GetHeight, &TCustomImageList::SetHeight).Default(16);
  Prop("ImageType", &TCustomImageList::GetImageType, &TCustomImageList::SetImageType).Default(itImage);
  Prop("Masked", &TCustomImageList::GetMasked, &TCustomImageList::SetMasked).Default(true);
  Prop("OnChange", &TCustomImageList::OnChange);
  Prop("ShareImages", &TCustomImageList::ShareImages).Default(false);
  Prop("Width", &TCustomImageList::GetWidth, &TCustomImageList::SetWidth).Default(16);
}
