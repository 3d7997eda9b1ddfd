// Button glyphs: images per state in shared glyph lists, slot reuse, the cache's lifetime, the
// picture strips under them, and the standard faces.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Bitmaps.h"
#include "controls/VisObject.h"
#include "controls/visglyph.h"

namespace {

constexpr TColor kOlive = 0x00008080;
// The colours of the images of a glyph strip.
constexpr TColor kImage[] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x0000FFFF, 0x00FF00FF};

TColor At(TBitmap& Bitmap, Integer X, Integer Y) { return ColorToRGB(Bitmap.GetCanvas()->GetPixels(X, Y)); }

// Count images of 16 x 16 side by side: a square of image i's colour on olive; the bottom-left
// pixel (olive) is the transparent colour.
std::unique_ptr<TBitmap> Strip(Integer Count, Integer Size = 16) {
  auto strip = std::make_unique<TBitmap>();
  strip->SetPixelFormat(pf24bit);
  strip->SetSize(Count * Size, Size);
  TCanvas* canvas = strip->GetCanvas();
  canvas->GetBrush()->SetColor(kOlive);
  canvas->FillRect(Rect(0, 0, Count * Size, Size));
  for (Integer i = 0; i < Count; ++i) {
    canvas->GetBrush()->SetColor(i < 5 ? kImage[i] : clBlack);
    canvas->FillRect(Bounds(i * Size + 4, 4, Size - 8, Size - 8));
  }
  return strip;
}

// The picture of a list slot, as a bitmap.
std::unique_ptr<TBitmap> Picture(TVisGlyph& Glyph, Integer Index) {
  auto picture = std::make_unique<TBitmap>();
  picture->SetPixelFormat(pf24bit);
  Glyph.GetList()->AssignPicture(Index, picture.get());
  return picture;
}

TEST(Glyphs, NumberOfImagesFollowsTheBitmap) {
  struct Case {
    Integer width;
    Integer height;
    Byte expected;
  };
  TVisGlyph glyph;
  const Case cases[] = {{64, 16, 4}, {96, 16, 1}, {48, 16, 3}, {50, 16, 3}, {80, 16, 5}, {16, 16, 1}};
  for (const Case& c : cases) {
    TBitmap bitmap;
    bitmap.SetSize(c.width, c.height);
    glyph.SetGlyph(&bitmap);
    EXPECT_EQ(glyph.GetNumGlyphs(), c.expected) << c.width << "x" << c.height;
  }
  glyph.SetNumGlyphs(0);
  EXPECT_EQ(glyph.GetNumGlyphs(), 1);
}

TEST(Glyphs, ImagesOfTheStates) {
  TVisGlyph glyph;
  EXPECT_EQ(glyph.CreateButtonGlyph(0), -1);  // empty
  auto strip = Strip(4);
  glyph.SetGlyph(strip.get());
  ASSERT_EQ(glyph.GetNumGlyphs(), 4);
  EXPECT_EQ(glyph.GetTransparentColor() & 0xFFFFFF, kOlive);
  // States 0 .. 3 have their own images; 4 and the others show the up image, 7 the disabled one.
  for (Integer state = 0; state < 4; ++state) {
    const Integer index = glyph.CreateButtonGlyph(state);
    ASSERT_GE(index, 0);
    EXPECT_EQ(At(*Picture(glyph, index), 8, 8), kImage[state]) << state;
  }
  EXPECT_EQ(glyph.CreateButtonGlyph(4), glyph.CreateButtonGlyph(0));
  EXPECT_EQ(glyph.CreateButtonGlyph(5), glyph.CreateButtonGlyph(0));
  EXPECT_EQ(glyph.CreateButtonGlyph(8), glyph.CreateButtonGlyph(0));
  EXPECT_EQ(glyph.CreateButtonGlyph(7), glyph.CreateButtonGlyph(1));
  EXPECT_EQ(glyph.GetList()->GetCount(), 4);
  EXPECT_EQ(glyph.CreateButtonGlyph(9), -1);

  // One image: the disabled state is embossed from it, the pressed states show it.
  TVisGlyph single;
  auto one = Strip(1);
  one->GetCanvas()->GetBrush()->SetColor(clBlack);
  one->GetCanvas()->FillRect(Rect(6, 6, 10, 10));
  single.SetGlyph(one.get());
  const Integer up = single.CreateButtonGlyph(0);
  EXPECT_EQ(single.CreateButtonGlyph(2), up);
  EXPECT_EQ(single.CreateButtonGlyph(4), up);
  const Integer disabled = single.CreateButtonGlyph(1);
  EXPECT_NE(disabled, up);
  auto embossed = Picture(single, disabled);
  EXPECT_EQ(At(*embossed, 7, 7), ColorToRGB(clBtnShadow));
  EXPECT_EQ(At(*embossed, 10, 10), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(At(*embossed, 1, 1), kOlive);

  // Disabled mode 1: the up state is the dimmed four-tone image, the hot state the glyph itself.
  single.SetDisabledMode(1);
  const Integer dimmed = single.CreateButtonGlyph(0);
  const Integer hot = single.CreateButtonGlyph(2);
  EXPECT_NE(dimmed, hot);
  EXPECT_EQ(single.CreateButtonGlyph(3), hot);
  EXPECT_EQ(At(*Picture(single, hot), 5, 5), kImage[0]);
  auto four = Picture(single, dimmed);
  EXPECT_EQ(At(*four, 1, 1), kOlive);
  EXPECT_NE(At(*four, 5, 5), kImage[0]);
  EXPECT_EQ(At(*four, 7, 7), 0);  // black stays black
  EXPECT_EQ(single.CreateButtonGlyph(6), single.CreateButtonGlyph(6));
  EXPECT_EQ(At(*Picture(single, single.CreateButtonGlyph(6)), 5, 5), kImage[0]);
}

TEST(Glyphs, ListsAreSharedBySizeAndFreedWithTheirLastUser) {
  ASSERT_EQ(VisGlyphCache, nullptr);
  auto strip = Strip(1);
  auto big = Strip(1, 24);
  {
    auto first = std::make_unique<TVisGlyph>();
    auto second = std::make_unique<TVisGlyph>();
    auto other = std::make_unique<TVisGlyph>();
    ASSERT_NE(VisGlyphCache, nullptr);
    first->SetGlyph(strip.get());
    second->SetGlyph(strip.get());
    other->SetGlyph(big.get());
    first->CreateButtonGlyph(0);
    second->CreateButtonGlyph(0);
    second->CreateButtonGlyph(1);
    other->CreateButtonGlyph(0);
    EXPECT_EQ(first->GetList(), second->GetList());
    EXPECT_NE(first->GetList(), other->GetList());
    EXPECT_EQ(VisGlyphCache->GetListCount(), 2);
    EXPECT_EQ(first->GetList()->GetCount(), 3);

    // A slot given back is taken again before the list grows.
    TVisGlyphList* shared = first->GetList();
    first.reset();
    EXPECT_EQ(shared->GetCount(), 2);
    const Integer pictures = shared->GetPictureCount();
    auto third = std::make_unique<TVisGlyph>();
    third->SetGlyph(strip.get());
    EXPECT_EQ(third->CreateButtonGlyph(0), 0);
    EXPECT_EQ(shared->GetPictureCount(), pictures);

    second.reset();
    third.reset();
    EXPECT_EQ(VisGlyphCache->GetListCount(), 1);  // the shared list went with its last user
    // A glyph without images outlives the others: the cache stays for it.
    auto late = std::make_unique<TVisGlyph>();
    other.reset();
    ASSERT_NE(VisGlyphCache, nullptr);
    EXPECT_TRUE(VisGlyphCache->IsEmpty());
    late->SetGlyph(strip.get());
    EXPECT_GE(late->CreateButtonGlyph(0), 0);
  }
  EXPECT_EQ(VisGlyphCache, nullptr);
}

TEST(Glyphs, DrawsImageAndCaptionTogether) {
  TVisGlyph glyph;
  auto strip = Strip(2);
  glyph.SetGlyph(strip.get());
  auto target = std::make_unique<TBitmap>();
  target->SetPixelFormat(pf24bit);
  target->SetSize(120, 40);
  TCanvas* canvas = target->GetCanvas();
  canvas->GetBrush()->SetColor(clWhite);
  canvas->FillRect(Rect(0, 0, 120, 40));
  canvas->GetFont()->SetName("Arial");
  TVisButtonLayout layout;
  TRect glyphRect, textRect;
  glyph.Draw(canvas, Rect(0, 0, 100, 40), Point(1, 1), "Open", &layout, 1, nullptr, false, 0, cfEnabled, &glyphRect,
             &textRect);
  EXPECT_EQ(glyphRect.Width(), 16);
  EXPECT_EQ(glyphRect.Right + 2, textRect.Left);
  // The disabled image (the second) is drawn; its olive background is not.
  EXPECT_EQ(At(*target, glyphRect.Left + 8, glyphRect.Top + 8), kImage[1]);
  EXPECT_EQ(At(*target, glyphRect.Left + 1, glyphRect.Top + 1), clWhite);
  // The whole layout moved by the offset: centred in (1, 1, 101, 41).
  EXPECT_EQ(glyphRect.Top, 1 + (40 - 16) / 2);
}

TEST(PictureStrips, SlotsSizesAndPictures) {
  TVisGlyphList list(16, 16);
  EXPECT_TRUE(list.GetMasked());
  auto strip = Strip(1);
  EXPECT_EQ(list.AddMasked(strip.get(), kOlive), 0);
  EXPECT_EQ(list.AddMasked(strip.get(), kOlive), 1);
  list.DeleteSlot(0);
  list.DeleteSlot(0);  // given back once only
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.AllocateSlot(), 0);
  EXPECT_EQ(list.AllocateSlot(), 2);
  EXPECT_EQ(list.GetPictureCount(), 3);
  EXPECT_EQ(list.PictureRect(2), Rect(32, 0, 48, 16));
  EXPECT_EQ(list.TransparentColor(1) & 0xFFFFFF, kOlive);
  EXPECT_EQ(list.PixelColor(1, Point(8, 8)) & 0xFFFFFF, kImage[0]);
  // The mask is set where the picture was olive.
  EXPECT_EQ(ColorToRGB(list.GetMask()->GetCanvas()->GetPixels(16 + 1, 1)), clWhite);
  EXPECT_EQ(ColorToRGB(list.GetMask()->GetCanvas()->GetPixels(16 + 8, 8)), clBlack);

  auto wrong = Strip(1, 20);
  EXPECT_THROW(list.AddMasked(wrong.get(), kOlive), EInvalidGraphicOperation);
  EXPECT_THROW(TVisImageListItem(0, 16), EInvalidGraphicOperation);
  EXPECT_THROW(list.PictureRect(7), EInvalidGraphicOperation);

  // A strip grows up to 32768 pixels.
  TVisImageListItem wide(4096, 1);
  wide.AllocBy = 1;
  for (Integer i = 0; i < 8; ++i) wide.AllocPicture();
  EXPECT_THROW(wide.AllocPicture(), EInvalidGraphicOperation);
  EXPECT_EQ(wide.GetPictureCount(), 8);

  TVisImageListItem item(nullptr);
  item.SetWidth(0);
  EXPECT_EQ(item.GetWidth(), 16);
  item.SetWidth(8);
  EXPECT_EQ(item.GetWidth(), 8);
}

TEST(ButtonFaces, CellsOfTheResource) {
  TBitmap all;
  all.LoadFromResourceID(::GetModuleHandleA(nullptr), TVisButtonFace::FaceResource);
  ASSERT_EQ(all.GetWidth(), 104);
  ASSERT_EQ(all.GetHeight(), 14);
  TVisButtonFace faces;
  for (Integer index : {1, 3, 8, 3 | 128}) {
    TBitmap face;
    faces.LoadFace(&face, index);
    ASSERT_EQ(face.GetWidth(), 13) << index;
    ASSERT_EQ(face.GetHeight(), 14) << index;
    const Integer cell = (index & 127) - 1;
    for (Integer y = 0; y < 14; ++y)
      for (Integer x = 0; x < 13; ++x)
        ASSERT_EQ(At(face, x, y), At(all, cell * 13 + x, y)) << index << " at " << x << "," << y;
  }
  // The faces differ from each other.
  TBitmap play, stop;
  faces.LoadFace(&play, 1);
  faces.LoadFace(&stop, 3);
  EXPECT_NE(At(play, 4, 2), At(stop, 4, 2));
  for (Integer index : {0, 9}) {
    TBitmap none;
    faces.LoadFace(&none, index);
    EXPECT_TRUE(none.GetEmpty()) << index;
  }

  struct Case {
    TVisUserButtonStyle style;
    Integer width;
  };
  const Case widths[] = {{ubsWin31, 3},      {ubsWin40, 2},   {ubsDelphi, 2},         {ubsDelphiFlat, 2},
                         {ubsNavigator, 2},  {ubsIntegrated, 2}, {ubsFlat, 1},         {ubsExplorer, 1},
                         {ubsAutoDetect, 1}, {ubsWinXP, 1},   {ubsExplorerColored, 1}, {ubsFlatUnColored, 1}};
  for (const Case& c : widths) EXPECT_EQ(TVisButtonFace::ButtonFrameWidth(c.style), c.width) << c.style;
}

}  // namespace
