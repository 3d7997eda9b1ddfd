// Glyph lists, the glyph cache, button glyphs and the standard faces.
#include "controls/visglyph.h"

#include <algorithm>
#include <memory>

#include "classlib/Handles.h"
#include "controls/VisObject.h"
#include "controls/viscont.h"

TVisGlyphCache* VisGlyphCache = nullptr;

namespace {

// The face resource, loaded once.
TBitmap* faceBitmap = nullptr;
// Glyphs alive: the cache goes with the last of them, not with the first whose lists are all
// given back, which would leave the others without a cache.
int glyphCount = 0;

}  // namespace

// --- TVisGlyphList ---------------------------------------------------------------------------------

TVisGlyphList::TVisGlyphList(Integer AWidth, Integer AHeight) : TVisImageListItem(AWidth, AHeight) {
  SetMasked(true);
}

Integer TVisGlyphList::AllocateSlot() {
  const Integer slot = FUsed.OpenBit();
  if (slot >= GetPictureCount()) AddPicture(nullptr, nullptr);
  FUsed.SetBits(slot, true);
  return slot;
}

Integer TVisGlyphList::AddMasked(TBitmap* Bitmap, TColor TransparentColor) {
  const Integer slot = AllocateSlot();
  try {
    ReplaceMasked(slot, Bitmap, TransparentColor);
  } catch (...) {
    FUsed.SetBits(slot, false);
    throw;
  }
  ++FCount;
  return slot;
}

void TVisGlyphList::DeleteSlot(Integer Index) {
  if (Index < 0 || Index >= FUsed.GetSize() || !FUsed[Index]) return;
  --FCount;
  FUsed.SetBits(Index, false);
}

// --- TVisGlyphCache --------------------------------------------------------------------------------

TVisGlyphCache::~TVisGlyphCache() {
  for (TVisGlyphList* list : FLists) delete list;
}

TVisGlyphList* TVisGlyphCache::GetList(Integer Width, Integer Height) {
  for (TVisGlyphList* list : FLists)
    if (list->GetWidth() == Width && list->GetHeight() == Height) return list;
  auto* list = new TVisGlyphList(Width, Height);
  FLists.push_back(list);
  return list;
}

void TVisGlyphCache::ReleaseList(TVisGlyphList* List) {
  if (!List || List->GetCount() != 0) return;
  const auto it = std::find(FLists.begin(), FLists.end(), List);
  if (it == FLists.end()) return;
  FLists.erase(it);
  delete List;
}

// --- TVisGlyph -------------------------------------------------------------------------------------

TVisGlyph::TVisGlyph() : FGlyph(new TBitmap) {
  std::fill(std::begin(FIndexes), std::end(FIndexes), -1);
  ++glyphCount;
  if (!VisGlyphCache) VisGlyphCache = new TVisGlyphCache;
  FGlyph->OnChange = TNotifyEvent(this, &TVisGlyph::GlyphChanged);
}

TVisGlyph::~TVisGlyph() {
  Invalidate();
  FGlyph->OnChange = nullptr;
  delete FGlyph;
  if (--glyphCount == 0 && VisGlyphCache && VisGlyphCache->IsEmpty()) FreeAndNil(VisGlyphCache);
}

void TVisGlyph::GlyphChanged(TObject*) {
  FTransparentColor = FGlyph->GetTransparentColor();
  Invalidate();
  if (OnChange) OnChange(this);
}

void TVisGlyph::SetGlyph(TBitmap* Bitmap) {
  Invalidate();
  FGlyph->Assign(Bitmap);
  const Integer w = FGlyph->GetWidth();
  const Integer h = FGlyph->GetHeight();
  if (!FGlyph->GetEmpty() && w % h == 0) SetNumGlyphs(static_cast<Byte>(w / h < 6 ? w / h : 1));
}

void TVisGlyph::SetGlyphFromList(TVisCustomImageList* List, Integer ListIndex, Integer ImageIndex) {
  TBitmap picture;
  if (List && List->IsValid(ListIndex, ImageIndex)) List->AssignPicture(ListIndex, ImageIndex, &picture);
  SetGlyph(&picture);
}

void TVisGlyph::SetNumGlyphs(Byte Value) {
  if (Value == 0 || Value == FNumGlyphs) return;
  Invalidate();
  FNumGlyphs = Value;
  if (OnChange) OnChange(this);
}

void TVisGlyph::SetDisabledMode(Byte Value) {
  if (Value == FDisabledMode) return;
  Invalidate();
  FDisabledMode = Value;
}

void TVisGlyph::Invalidate() {
  for (Integer& index : FIndexes) {
    if (index != -1 && FList) FList->DeleteSlot(index);
    index = -1;
  }
  if (FList && VisGlyphCache) VisGlyphCache->ReleaseList(FList);
  FList = nullptr;
}

Integer TVisGlyph::CreateButtonGlyph(Integer State) {
  if (State < 0 || State > 8) return -1;
  // The state whose image this state shows.
  Integer state = State;
  if (state == 7) {
    state = 1;
  } else if (state != 1 && state >= FNumGlyphs) {
    if (FDisabledMode == 1)
      state = state == 6 ? 4 : 2;
    else
      state = 0;
  }
  if (FIndexes[state] != -1) return FIndexes[state];
  if (FGlyph->GetEmpty()) return -1;

  const Integer w = FGlyph->GetWidth() / FNumGlyphs;
  const Integer h = FGlyph->GetHeight();
  if (w <= 0) return -1;
  const auto slice = [&](Integer Index) {
    auto image = std::make_unique<TBitmap>();
    image->SetPixelFormat(pf24bit);
    image->SetSize(w, h);
    image->GetCanvas()->CopyRect(Rect(0, 0, w, h), FGlyph->GetCanvas(), Bounds(Index * w, 0, w, h));
    return image;
  };

  std::unique_ptr<TBitmap> image;
  if (state < FNumGlyphs && !(FDisabledMode == 1 && state == 0)) {
    image = slice(state);
  } else if (state == 0) {
    std::unique_ptr<TBitmap> up = slice(0);
    image = std::make_unique<TBitmap>();
    BuildDisabledImage(image.get(), up.get());
  } else if (state == 1) {
    std::unique_ptr<TBitmap> up = slice(0);
    up->SetTransparentColor(FTransparentColor);
    image = std::make_unique<TBitmap>();
    image->SetPixelFormat(pf24bit);
    image->SetSize(w, h);
    DrawEmbossedGlyph(image.get(), up.get(), 0, 0);
  } else if (state >= 2 && state <= 4) {
    image = slice(0);
  } else {
    return -1;
  }

  if (!VisGlyphCache) VisGlyphCache = new TVisGlyphCache;
  if (!FList) FList = VisGlyphCache->GetList(w, h);
  FIndexes[state] = FList->AddMasked(image.get(), FTransparentColor);
  return FIndexes[state];
}

void TVisGlyph::Draw(TCanvas* Canvas, const TRect& ClientRect, TPoint Offset, const AnsiString& Caption,
                     TVisGlyphTextLayout* Layout, Integer State, TVis3DCaption* Caption3D, bool WordWrap,
                     UINT DrawFlags, Word Flags, TRect* GlyphRect, TRect* TextRect) {
  TVisGlyphImage image;
  const Integer index = CreateButtonGlyph(State);
  if (index != -1 && FList) {
    image.Width = FList->GetWidth();
    image.Height = FList->GetHeight();
    image.Image = FList->GetImage();
    image.Mask = FList->GetMask();
    image.Source = FList->PictureRect(index);
  }
  const TRect client{ClientRect.Left + Offset.X, ClientRect.Top + Offset.Y, ClientRect.Right + Offset.X,
                     ClientRect.Bottom + Offset.Y};
  TRect glyphRect;
  TRect textRect;
  CalcGlyphTextLayout(Canvas, Caption, Caption3D, Flags, DrawFlags, WordWrap, image, Layout, client, glyphRect,
                      textRect);
  if (GlyphRect) *GlyphRect = glyphRect;
  if (TextRect) *TextRect = textRect;
}

// --- TVisButtonFace --------------------------------------------------------------------------------

void TVisButtonFace::LoadFace(TBitmap* Bitmap, Integer Index) {
  if (!faceBitmap) {
    auto loaded = std::make_unique<TBitmap>();
    loaded->LoadFromResourceID(::GetModuleHandleA(nullptr), FaceResource);
    faceBitmap = loaded.release();
  }
  const Integer cell = (Index & 127) - 1;
  if (cell < 0 || (cell + 1) * FaceWidth > faceBitmap->GetWidth()) {
    Bitmap->Assign(nullptr);
    return;
  }
  Bitmap->Assign(faceBitmap);
  if (Index != 1) Bitmap->GetCanvas()->CopyRect(Rect(0, 0, FaceWidth, FaceHeight), faceBitmap->GetCanvas(),
                                                 Bounds(cell * FaceWidth, 0, FaceWidth, FaceHeight));
  Bitmap->SetWidth(FaceWidth);
}

Integer TVisButtonFace::ButtonFrameWidth(TVisUserButtonStyle Style) {
  switch (Style) {
    case ubsWin31: return 3;
    case ubsWin40:
    case ubsDelphi:
    case ubsDelphiFlat:
    case ubsNavigator:
    case ubsIntegrated: return 2;
    default: return 1;
  }
}

// --- Unit start-up ----------------------------------------------------------------------------------

namespace {
int glyphStartCount = 0;
}  // namespace

visglyph_detail::UnitStart::UnitStart() { ++glyphStartCount; }

visglyph_detail::UnitStart::~UnitStart() {
  if (--glyphStartCount != 0) return;
  FreeAndNil(faceBitmap);
  FreeAndNil(VisGlyphCache);
}
