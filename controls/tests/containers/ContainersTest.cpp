// Containers and their items: list files with their index, item records in the form stream,
// compressed pictures that span several blocks, the picture operations of the bitmap list, the
// image list and the connector of class-library image lists, and damaged data, which raises the
// containers' messages and leaves a container as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "classlib/Filer.h"
#include "classlib/ImgList.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "controls/VisWave.h"
#include "controls/viscont.h"
#include "controls/visgraph.h"
#include "controls/visstream.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestSupport.h"

using namespace pixels;
using testing_support::IsolatedTest;

namespace {

std::string Bytes(TMemoryStream& Stream) {
  return std::string(static_cast<const char*>(Stream.GetMemory()), static_cast<std::size_t>(Stream.GetSize()));
}

Integer I32(const std::string& s, std::size_t at) {
  Integer v = 0;
  std::memcpy(&v, s.data() + at, 4);
  return v;
}

// A picture whose pixels differ from (Shift, 0): a gradient that LZRW cannot pack to nothing.
std::unique_ptr<TBitmap> Noise(Integer Width, Integer Height, Integer Shift) {
  auto bitmap = Bitmap24(Width, Height);
  for (Integer y = 0; y < Height; ++y) {
    auto* row = static_cast<Byte*>(bitmap->GetScanLine(y));
    for (Integer x = 0; x < Width; ++x) {
      const unsigned v = static_cast<unsigned>((x * 7 + y * 13 + Shift) * 2654435761u);
      row[3 * x] = Byte(v >> 8);
      row[3 * x + 1] = Byte(v >> 16);
      row[3 * x + 2] = Byte(v >> 24);
    }
  }
  return bitmap;
}

bool SamePixels(TBitmap& A, TBitmap& B) {
  if (A.GetWidth() != B.GetWidth() || A.GetHeight() != B.GetHeight()) return false;
  for (Integer y = 0; y < A.GetHeight(); ++y)
    for (Integer x = 0; x < A.GetWidth(); ++x)
      if (ColorToRGB(A.GetCanvas()->GetPixels(x, y)) != ColorToRGB(B.GetCanvas()->GetPixels(x, y))) return false;
  return true;
}

// A strip of Count cells of Width x Height, cell i filled with Colors[i] and a black dot at
// (1, 1) of each cell.
std::unique_ptr<TBitmap> Strip(Integer Width, Integer Height, std::initializer_list<TColor> Colors) {
  auto strip = Bitmap24(Width * static_cast<Integer>(Colors.size()), Height);
  Integer i = 0;
  for (TColor color : Colors) {
    TCanvas* canvas = strip->GetCanvas();
    canvas->GetBrush()->SetColor(color);
    canvas->FillRect(Bounds(i * Width, 0, Width, Height));
    canvas->SetPixels(i * Width + 1, 1, clBlack);
    ++i;
  }
  return strip;
}

// A bitmap list of three items: a plain picture, a compressed 8-bit one and an empty one.
void FillBitmapList(TVisBitmapList& List) {
  auto* first = static_cast<TVisBitmapListItem*>(List.Add());
  first->SetDescription("first");
  first->SetIdent(7);
  first->SetBitmap(Noise(9, 5, 1).get());
  auto* second = static_cast<TVisBitmapListItem*>(List.Add());
  second->SetCompressed(true);
  second->SetPixelFormat(spf8bit);
  second->SetBitmap(Strip(6, 4, {clRed, clBlue}).get());
  List.Add()->SetDescription("no picture");
}

class ContainersTest : public IsolatedTest {};

TEST_F(ContainersTest, ListFilesRoundTripWithTheirIndex) {
  TVisBitmapList list(nullptr);
  list.StorageMode = 0;
  FillBitmapList(list);
  const std::string file = temp_.File("pictures.bmp");
  list.SaveToFile(file);

  const std::string bytes = testing_support::ReadFileBytes(file);
  ASSERT_GE(bytes.size(), 25u);
  EXPECT_EQ(bytes.substr(0, 9), std::string("\x08VisBML30"));
  EXPECT_EQ(I32(bytes, 9), 3);
  std::vector<Integer> positions;
  ASSERT_EQ(ReadListHeader(file, positions), vlkBitmapList);
  ASSERT_EQ(positions.size(), 3u);
  // The first record follows the index; each begins with its flags byte.
  EXPECT_EQ(positions[0], 9 + 4 + 3 * 4);
  EXPECT_EQ(Byte(bytes[std::size_t(positions[0])]), 0x02 | 0x04 | 0x08);
  EXPECT_EQ(Byte(bytes[std::size_t(positions[1])]), 0x01 | 0x08 | 0x40);
  EXPECT_EQ(Byte(bytes[std::size_t(positions[2])]), 0x02);

  // One record read by its index.
  TVisBitmapListItem one(nullptr);
  LoadItemFromFile(file, vlkBitmapList, &one, 1);
  EXPECT_TRUE(one.GetCompressed());
  EXPECT_EQ(one.GetPixelFormat(), spf8bit);
  EXPECT_EQ(one.GetBitmapNoLoad()->GetWidth(), 12);
  EXPECT_EQ(ColorToRGB(one.GetBitmapNoLoad()->GetCanvas()->GetPixels(7, 1)), clBlack);
  EXPECT_EQ(ColorToRGB(one.GetBitmapNoLoad()->GetCanvas()->GetPixels(9, 2)), clBlue);
  EXPECT_THROW(LoadItemFromFile(file, vlkBitmapList, &one, 3), EListError);

  // The whole file.
  TVisBitmapList copy(nullptr);
  copy.StorageMode = 0;
  Integer changes = 0;
  copy.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
  copy.LoadFromFile(file);
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(copy.GetCount(), 3);
  EXPECT_EQ(copy.GetItems(0)->GetDescription(), "first");
  EXPECT_EQ(copy.GetItems(0)->GetIdent(), 7);
  EXPECT_TRUE(SamePixels(*copy.GetItems(0)->GetBitmap(), *list.GetItems(0)->GetBitmap()));
  EXPECT_EQ(copy.GetItems(2)->GetDescription(), "no picture");
  EXPECT_TRUE(copy.GetItems(2)->GetBitmap()->GetEmpty());
  EXPECT_EQ(copy.GetItems(1)->GetOwner(), &copy);
}

TEST_F(ContainersTest, AnUnknownSignatureIsKindSixAndLoadsNothing) {
  const std::string file = temp_.File("other.iml");
  testing_support::WriteFileBytes(file, std::string("\x08OtherL30") + std::string(4, '\0'));
  std::vector<Integer> positions{1, 2};
  EXPECT_EQ(ReadListHeader(file, positions), vlkUnknown);
  EXPECT_TRUE(positions.empty());

  TVisImageList list(nullptr);
  list.Add();
  try {
    list.LoadFromFile(file);
    FAIL() << "a file of no known kind loaded";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Invalid list file: " + file);
  }
  EXPECT_EQ(list.GetCount(), 1);
  TVisImageListItem item(nullptr);
  EXPECT_THROW(LoadItemFromFile(file, vlkImageList, &item, 0), Exception);

  // A list file of another known kind is refused the same way.
  TVisStringList strings(nullptr);
  const std::string stringsFile = temp_.File("texts.txt");
  strings.SaveToFile(stringsFile);
  EXPECT_EQ(ReadListHeader(stringsFile, positions), vlkStringList);
  EXPECT_THROW(list.LoadFromFile(stringsFile), Exception);

  struct Case {
    Integer kind;
    const char* dotted;
  };
  const Case extensions[] = {{0, ".iml"}, {1, ".bmp"}, {2, ".wav"}, {3, ".txt"}, {4, ".*"}, {5, ".rtf"}, {6, ""}};
  for (const Case& c : extensions) EXPECT_EQ(ExtensionOf(c.kind, true), c.dotted) << c.kind;
  EXPECT_EQ(ExtensionOf(vlkImageList, false), "iml");
}

TEST_F(ContainersTest, CompressedPicturesSpanBlocks) {
  // 200 x 120 pixels of 24 bits are 72,000 bytes: three blocks of at most 32,781.
  auto big = Noise(200, 120, 3);
  TVisBitmapList list(nullptr);
  list.StorageMode = 0;
  auto* item = static_cast<TVisBitmapListItem*>(list.Add());
  item->SetCompressed(true);
  item->SetBitmap(big.get());
  TMemoryStream stream;
  list.SaveToStream(&stream, false);
  const std::string bytes = Bytes(stream);
  // Count, flags, then the compressed property: its total and the blocks.
  const Integer total = I32(bytes, 5);
  ASSERT_EQ(std::size_t(total), bytes.size() - 9);
  Integer blocks = 0;
  for (std::size_t at = 9; at < bytes.size(); at += 4 + std::size_t(I32(bytes, at))) ++blocks;
  EXPECT_EQ(blocks, 3);

  TVisBitmapList copy(nullptr);
  copy.StorageMode = 0;
  stream.SetPosition(0);
  copy.LoadFromStream(&stream, false);
  ASSERT_EQ(copy.GetCount(), 1);
  EXPECT_TRUE(copy.GetItems(0)->GetCompressed());
  EXPECT_TRUE(SamePixels(*copy.GetItems(0)->GetBitmap(), *big));

  // The strips of an image-list item too, with their mask.
  TVisImageList images(nullptr);
  auto* strip = static_cast<TVisImageListItem*>(images.Add());
  strip->SetCompressed(true);
  strip->SetWidth(100);
  strip->SetHeight(60);
  strip->SetMasked(true);
  for (Integer shift = 0; shift < 4; ++shift) strip->ReplaceMasked(strip->AddPicture(nullptr, nullptr), Noise(100, 60, shift).get(), clWhite);
  TMemoryStream imageStream;
  images.SaveToStream(&imageStream, true);
  TVisImageList imagesCopy(nullptr);
  imageStream.SetPosition(0);
  imagesCopy.LoadFromStream(&imageStream, true);
  TVisImageListItem* read = imagesCopy.GetItems(0);
  ASSERT_EQ(read->GetPictureCount(), 4);
  EXPECT_TRUE(read->GetMasked());
  for (Integer i = 0; i < 4; ++i) {
    TBitmap a, b;
    read->AssignPicture(i, &a);
    strip->AssignPicture(i, &b);
    EXPECT_TRUE(SamePixels(a, b)) << i;
  }
}

TEST_F(ContainersTest, ImageListItemsKeepTheirRecordInTheFormStream) {
  TVisImageListItem item(8, 6);
  item.SetDescription("arrows");
  item.SetMasked(true);
  item.AllocBy = 2;
  auto strip = Strip(8, 6, {clRed, clLime, clBlue});
  for (Integer i = 0; i < 3; ++i) {
    TBitmap cell;
    cell.SetPixelFormat(pf24bit);
    cell.SetSize(8, 6);
    cell.GetCanvas()->CopyRect(Rect(0, 0, 8, 6), strip->GetCanvas(), Bounds(i * 8, 0, 8, 6));
    item.ReplaceMasked(item.AddPicture(nullptr, nullptr), &cell, clBlack);
  }
  TMemoryStream form;
  WriteComponentToStream(&form, &item);
  EXPECT_NE(Bytes(form).find("Internal"), std::string::npos);
  EXPECT_EQ(Bytes(form).find("\x06" "Bitmap"), std::string::npos);

  TVisImageListItem copy(nullptr);
  form.SetPosition(0);
  ReadComponentFromStream(&form, &copy);
  EXPECT_EQ(copy.GetDescription(), "arrows");
  EXPECT_EQ(copy.GetWidth(), 8);
  EXPECT_EQ(copy.GetHeight(), 6);
  EXPECT_EQ(copy.AllocBy, 2);
  EXPECT_TRUE(copy.GetMasked());
  ASSERT_EQ(copy.GetPictureCount(), 3);
  EXPECT_EQ(copy.PictureRect(2), Rect(16, 0, 24, 6));
  EXPECT_EQ(copy.PixelColor(1, Point(3, 3)) & 0xFFFFFF, clLime);
  // The black dot is transparent through the mask: drawn over yellow, yellow shows there.
  auto target = Bitmap24(8, 6, clYellow);
  copy.Draw(target->GetCanvas(), 0, 0, 2);
  EXPECT_EQ(At(*target, 1, 1), clYellow);
  EXPECT_EQ(At(*target, 4, 4), clBlue);

  // An item without pictures stores nothing after its count.
  TVisImageListItem empty(nullptr);
  TMemoryStream record;
  empty.SaveToStream(&record);
  EXPECT_EQ(record.GetSize(), 1 + 4 + 4 + 4 + 1 + 4);
}

TEST_F(ContainersTest, StringWaveAndAllKindContainersRoundTrip) {
  TVisStringList strings(nullptr);
  strings.DefaultCompressed = true;
  auto* texts = static_cast<TVisStringListItem*>(strings.Add());
  EXPECT_TRUE(texts->GetCompressed());
  texts->GetItems()->Add("apple");
  texts->GetItems()->Add("banana");
  strings.Add();
  TMemoryStream stream;
  strings.SaveToStream(&stream, true);
  TVisStringList copy(nullptr);
  copy.Assign(&strings);
  ASSERT_EQ(copy.GetCount(), 2);
  EXPECT_EQ(copy.GetItems(0)->GetItems()->GetText(), "apple\r\nbanana\r\n");
  EXPECT_EQ(copy.GetItems(1)->GetItems()->GetCount(), 0);

  // A sound, compressed and not.
  std::string riff = "RIFF" + std::string(4, '\0') + "WAVEfmt " + std::string("\x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0", 20) +
                     "data" + std::string("\x04\0\0\0\x80\x90\xa0\xb0", 8);
  TMemoryStream waveBytes;
  waveBytes.WriteBuffer(riff.data(), Integer(riff.size()));
  waveBytes.SetPosition(0);
  TVisWaveList waves(nullptr);
  for (bool compressed : {false, true}) {
    auto* sound = static_cast<TVisWaveListItem*>(waves.Add());
    sound->SetCompressed(compressed);
    waveBytes.SetPosition(0);
    sound->GetWave()->LoadFromStream(&waveBytes);
  }
  waves.Add();
  TVisWaveList wavesCopy(nullptr);
  wavesCopy.Assign(&waves);
  ASSERT_EQ(wavesCopy.GetCount(), 3);
  for (Integer i = 0; i < 2; ++i) {
    TMemoryStream saved;
    wavesCopy.GetItems(i)->GetWave()->SaveToStream(&saved);
    EXPECT_EQ(Bytes(saved), riff) << i;
  }
  EXPECT_TRUE(wavesCopy.GetItems(2)->GetWave()->Empty());

  // A container of every kind keeps each list's content in the form.
  TVisContainer all(nullptr);
  all.GetStringList()->Assign(&strings);
  auto* picture = static_cast<TVisBitmapListItem*>(all.GetBitmapList()->Add());
  picture->SetBitmap(Strip(4, 4, {clRed}).get());
  all.GetBitmapList()->StorageMode = 0;
  Integer changes = 0;
  all.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
  all.GetImageList()->Add();
  EXPECT_EQ(changes, 1);
  TMemoryStream form;
  WriteComponentToStream(&form, &all);
  TVisContainer read(nullptr);
  read.GetBitmapList()->StorageMode = 0;
  form.SetPosition(0);
  ReadComponentFromStream(&form, &read);
  EXPECT_EQ(read.GetStringList()->GetCount(), 2);
  EXPECT_EQ(read.GetImageList()->GetCount(), 1);
  ASSERT_EQ(read.GetBitmapList()->GetCount(), 1);
  EXPECT_EQ(ColorToRGB(read.GetBitmapList()->GetItems(0)->GetBitmap()->GetCanvas()->GetPixels(2, 2)), clRed);
  EXPECT_EQ(read.GetWaveList()->GetCount(), 0);

  // The global list owner names its picture lists as forms refer to them.
  ASSERT_TRUE(VisGlobalListOwner);
  EXPECT_TRUE(dynamic_cast<TVisBitmapList*>(VisGlobalListOwner->FindComponent("VisBML30")));
  EXPECT_TRUE(IsGlobalImageList(dynamic_cast<TVisImageList*>(VisGlobalListOwner->FindComponent("VisIML30"))));
}

TEST_F(ContainersTest, PicturesComeFromTheStorageModeOnFirstUse) {
  // Mode 1: the item of the same index in the container's list file.
  TVisBitmapList stored(nullptr);
  stored.StorageMode = 0;
  FillBitmapList(stored);
  stored.SaveToFile(temp_.File("faces.bmp"));
  TVisBitmapList list(nullptr);
  list.PathPrefix = ppFixed;
  list.FileName = temp_.File("faces");
  list.Add();
  list.Add();
  TBitmap* second = list.GetItems(1)->GetBitmap();
  EXPECT_EQ(second->GetWidth(), 12);
  EXPECT_EQ(list.GetItems(1)->GetPixelFormat(), spf8bit);

  // Mode 4: a file per item, read through the container.
  auto picture = Noise(5, 4, 9);
  picture->SaveToFile(temp_.File("tiles2.bmp"));
  TVisBitmapList tiles(nullptr);
  tiles.Add();
  tiles.Add();
  tiles.StorageMode = 4;
  tiles.PathPrefix = ppFixed;
  tiles.FileName = temp_.File("tiles");
  EXPECT_TRUE(tiles.GetItems(0)->GetBitmap()->GetEmpty());
  EXPECT_TRUE(SamePixels(*tiles.GetItems(1)->GetBitmap(), *picture));
  EXPECT_TRUE(tiles.IsValid(1, 0));
  EXPECT_FALSE(tiles.IsValid(0, 0));
}

// --- Damaged data ------------------------------------------------------------------------------------

// The bytes of a list holding one item whose record the caller writes after the common part.
std::string OneRecord(const std::function<void(TStream*)>& Data, Byte Flags) {
  TMemoryStream s;
  WriteStreamInteger(&s, 1);
  WriteStreamByte(&s, Flags);
  Data(&s);
  return Bytes(s);
}

void ImageRecord(TStream* S, Integer Height, Integer Width, Integer Count, TBitmap* Strip) {
  WriteStreamInteger(S, Height);
  WriteStreamInteger(S, Width);
  WriteStreamInteger(S, 4);
  WriteStreamByte(S, 0);
  WriteStreamInteger(S, Count);
  if (Strip) WriteBitmapProp(S, Strip, false, -1);
}

TEST_F(ContainersTest, DamagedDataRaisesAndLeavesTheContainerAsItWas) {
  auto strip = Strip(10, 8, {clRed, clLime});
  struct Case {
    const char* what;
    std::string bytes;
    const char* message;
  };
  const Case cases[] = {
      {"cell width 0", OneRecord([&](TStream* s) { ImageRecord(s, 8, 0, 2, strip.get()); }, 0), "Invalid image size"},
      {"negative height", OneRecord([&](TStream* s) { ImageRecord(s, -8, 10, 2, strip.get()); }, 0),
       "Invalid image size"},
      {"strip lower than the cells", OneRecord([&](TStream* s) { ImageRecord(s, 9, 10, 2, strip.get()); }, 0),
       "Invalid image size"},
      {"strip narrower than its count", OneRecord([&](TStream* s) { ImageRecord(s, 8, 10, 3, strip.get()); }, 0),
       "Invalid image size"},
      {"strip beyond 32768 pixels", OneRecord([&](TStream* s) { ImageRecord(s, 8, 10, 4000, strip.get()); }, 0),
       "Too many images"},
      {"count of pictures cut off", OneRecord([&](TStream* s) { ImageRecord(s, 8, 10, 2, nullptr); }, 0),
       "Stream read error"},
      {"item count beyond the data", [] {
         TMemoryStream s;
         WriteStreamInteger(&s, 1000000);
         WriteStreamByte(&s, 0);
         return Bytes(s);
       }(), "Stream read error"},
      {"description cut off", std::string("\x01\0\0\0\x02\x20" "abc", 9), "Stream read error"},
      {"compressed total beyond the data", OneRecord([&](TStream* s) {
         ImageRecord(s, 8, 10, 1, nullptr);
         WriteStreamInteger(s, 0x7FFFFFF0);
         WriteStreamInteger(s, 10);
       }, 0x01), "Stream read error"},
      {"a block longer than any block", OneRecord([&](TStream* s) {
         ImageRecord(s, 8, 10, 1, nullptr);
         WriteStreamInteger(s, 4 + 40000);
         WriteStreamInteger(s, 40000);
         const std::string filler(40000, '\0');
         s->WriteBuffer(filler.data(), 40000);
       }, 0x01), "Corrupt LZRW block"},
      {"a picture that is no bitmap", OneRecord([&](TStream* s) {
         ImageRecord(s, 8, 10, 1, nullptr);
         WriteStreamInteger(s, 6);
         s->WriteBuffer("BMjunk", 6);
       }, 0), "Bitmap image is not valid"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TVisImageList list(nullptr);
    auto* kept = static_cast<TVisImageListItem*>(list.Add());
    kept->SetDescription("kept");
    TMemoryStream stream;
    stream.WriteBuffer(c.bytes.data(), Integer(c.bytes.size()));
    stream.SetPosition(0);
    try {
      list.LoadFromStream(&stream, false);
      ADD_FAILURE() << "damaged data was read";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, c.message);
    }
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetItems(0), kept);
    EXPECT_EQ(list.GetItems(0)->GetDescription(), "kept");
  }

  // A list file cut anywhere raises instead of reading past its end.
  TVisBitmapList full(nullptr);
  full.StorageMode = 0;
  FillBitmapList(full);
  const std::string file = temp_.File("full.bmp");
  full.SaveToFile(file);
  const std::string bytes = testing_support::ReadFileBytes(file);
  for (std::size_t cut : {std::size_t(5), std::size_t(12), std::size_t(20), bytes.size() / 2, bytes.size() - 1}) {
    SCOPED_TRACE(cut);
    const std::string shortFile = temp_.File("short.bmp");
    testing_support::WriteFileBytes(shortFile, bytes.substr(0, cut));
    TVisBitmapList list(nullptr);
    EXPECT_THROW(list.LoadFromFile(shortFile), Exception);
    EXPECT_EQ(list.GetCount(), 0);
  }
}

// --- Picture operations -------------------------------------------------------------------------------

TEST_F(ContainersTest, PictureOperationsOfBitmapAndImageLists) {
  TVisBitmapList bitmaps(nullptr);
  bitmaps.StorageMode = 0;
  auto* item = static_cast<TVisBitmapListItem*>(bitmaps.Add());
  auto picture = Strip(6, 5, {clRed});
  picture->GetCanvas()->SetPixels(0, 4, clNavy);
  item->SetBitmap(picture.get());
  bitmaps.Add();

  TVisImageList images(nullptr);
  auto* cells = static_cast<TVisImageListItem*>(images.Add());
  cells->SetWidth(6);
  cells->SetHeight(5);
  cells->AddPicture(Strip(6, 5, {clLime}).get(), nullptr);
  cells->AddPicture(picture.get(), nullptr);

  struct Case {
    TVisCustomImageList* list;
    Integer listIndex, imageIndex;
    Integer count;
    bool valid;
    TColor transparent, pixel;
    Integer width;
  };
  const Case cases[] = {
      {&bitmaps, 0, 0, 1, true, clNavy, clBlack, 6},  {&bitmaps, 1, 0, 0, false, 0xFFFFFF, 0xFFFFFF, 0},
      {&bitmaps, 5, 0, 0, false, 0xFFFFFF, 0xFFFFFF, 0}, {&images, 0, 1, 2, true, clNavy, clBlack, 6},
      {&images, 0, 0, 2, true, clLime, clBlack, 6},    {&images, 0, 2, 2, false, 0xFFFFFF, 0xFFFFFF, 6},
      {&images, 3, 0, -1, false, 0xFFFFFF, 0xFFFFFF, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list->ClassName() + " " + IntToStr(c.listIndex) + "," + IntToStr(c.imageIndex));
    EXPECT_EQ(c.list->PictureCount(c.listIndex), c.count);
    EXPECT_EQ(c.list->IsValid(c.listIndex, c.imageIndex), c.valid);
    EXPECT_EQ(c.list->TransparentColor(c.listIndex, c.imageIndex), c.transparent);
    EXPECT_EQ(c.list->PixelColor(c.listIndex, c.imageIndex, Point(1, 1)), c.pixel);
    EXPECT_EQ(c.list->ItemDimension(c.listIndex, 0), c.width);
    EXPECT_FALSE(c.list->IsMasked(c.listIndex));
  }
  EXPECT_EQ(images.ItemRect(0, 1), Rect(6, 0, 12, 5));
  EXPECT_EQ(bitmaps.ItemRect(0, 0), Rect(0, 0, 6, 5));

  // Drawing: tiled over a rectangle, and stretched with the transparent colour left out.
  auto target = Bitmap24(20, 12, clWhite);
  TRect r = Rect(0, 0, 20, 12);
  images.DrawEffect(target->GetCanvas(), 0, 0, r, dbTile);
  EXPECT_EQ(At(*target, 16, 10), clLime);
  EXPECT_EQ(At(*target, 7, 6), clBlack);
  auto over = Bitmap24(12, 10, clYellow);
  TRect s = Rect(0, 0, 12, 10);
  bitmaps.DrawInRect(over->GetCanvas(), 0, 0, s, dbStretch | dbTransparent);
  EXPECT_EQ(s, Rect(0, 0, 12, 10));
  EXPECT_EQ(At(*over, 0, 9), clYellow);
  EXPECT_EQ(At(*over, 6, 4), clRed);

  // Pictures of another item join with the same cell size only.
  TVisImageListItem more(6, 5);
  more.AddPicture(Strip(6, 5, {clBlue}).get(), nullptr);
  cells->AddPictures(&more);
  EXPECT_EQ(cells->GetPictureCount(), 3);
  EXPECT_EQ(cells->PixelColor(2, Point(3, 3)) & 0xFFFFFF, clBlue);
  TVisImageListItem other(7, 5);
  other.AllocPicture();
  try {
    cells->AddPictures(&other);
    FAIL();
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message, "Invalid image size");
  }
  TVisImageListItem many(6, 5);
  many.AllocBy = 10;
  // 5459 cells of 6 pixels fit in a strip; three more do not.
  for (Integer i = 0; i < 5459; ++i) many.AllocPicture();
  try {
    cells->AddPictures(&many);
    FAIL();
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message, "Too many images");
  }
  EXPECT_EQ(cells->GetPictureCount(), 3);
}

TEST_F(ContainersTest, TheConnectorPresentsClassLibraryImageLists) {
  TComponent owner(nullptr);
  auto* library = new TImageList(&owner);
  library->SetName("Tools");
  library->SetWidth(8);
  library->SetHeight(8);
  library->Add(Strip(8, 8, {clRed, clBlue}).get(), nullptr);
  TVisImageListConnector connector(nullptr);
  Integer changes = 0;
  connector.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
  TVisBorImageListItem* entry = connector.GetImageLists()->Add();
  entry->SetImageList(library);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(entry->GetDisplayName(), "Tools");
  entry->SetName("Toolbar");
  EXPECT_EQ(entry->GetDisplayName(), "Toolbar");
  EXPECT_EQ(connector.GetCount(), 1);
  EXPECT_EQ(connector.GetItem(0)->GetDescription(), "Toolbar");
  EXPECT_EQ(connector.GetItem(1), nullptr);

  EXPECT_EQ(connector.PictureCount(0), 2);
  EXPECT_EQ(connector.PictureCount(1), -1);
  EXPECT_TRUE(connector.IsValid(0, 1));
  EXPECT_FALSE(connector.IsValid(0, 2));
  EXPECT_EQ(connector.ItemRect(0, 0), Rect(0, 0, 8, 8));
  EXPECT_EQ(connector.ItemPalette(0), nullptr);
  EXPECT_EQ(connector.PixelColor(0, 0, Point(1, 1)), 0xFFFFFF);
  TBitmap copy;
  connector.AssignPicture(0, 1, &copy);
  EXPECT_EQ(ColorToRGB(copy.GetCanvas()->GetPixels(4, 4)), clBlue);
  auto target = Bitmap24(16, 8, clWhite);
  TRect r = Rect(0, 0, 16, 8);
  connector.DrawEffect(target->GetCanvas(), 0, 0, r, dbTile);
  EXPECT_EQ(At(*target, 12, 4), clRed);

  // A change of the list is the connector's; a list that goes is let go.
  changes = 0;
  library->Add(Strip(8, 8, {clLime}).get(), nullptr);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(connector.PictureCount(0), 3);
  delete library;
  EXPECT_EQ(entry->GetImageList(), nullptr);
  EXPECT_EQ(connector.PictureCount(0), 0);
  EXPECT_FALSE(connector.IsValid(0, 0));
}

}  // namespace
