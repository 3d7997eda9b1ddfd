// Image lists: adding, drawing, ordering and the change links.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "classlib/ImgList.h"
#include "classlib/Metafiles.h"
#include "classlib/SysUtils.h"
#include "tests/support/TestSupport.h"

namespace {

// A 4 x 4 picture on a fuchsia ground with a 2 x 2 square of the colour in its middle.
std::unique_ptr<TBitmap> Glyph(TColor color, int pictures = 1) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(4 * pictures, 4);
  TCanvas* c = bitmap->GetCanvas();
  c->GetBrush()->SetColor(clFuchsia);
  c->FillRect(Rect(0, 0, 4 * pictures, 4));
  c->GetBrush()->SetColor(color);
  for (int i = 0; i < pictures; ++i) c->FillRect(Rect(4 * i + 1, 1, 4 * i + 3, 3));
  return bitmap;
}

std::unique_ptr<TBitmap> Ground(TColor color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(6, 6);
  bitmap->GetCanvas()->GetBrush()->SetColor(color);
  bitmap->GetCanvas()->FillRect(Rect(0, 0, 6, 6));
  return bitmap;
}

// The middle colour of each picture of a list, drawn on green.
std::vector<TColor> Middles(TImageList& list) {
  std::vector<TColor> result;
  for (int i = 0; i < list.GetCount(); ++i) {
    auto ground = Ground(clGreen);
    list.Draw(ground->GetCanvas(), 0, 0, i);
    result.push_back(ground->GetCanvas()->GetPixels(1, 1));
  }
  return result;
}

TEST(ImageList, MaskedPicturesDrawOverTheBackground) {
  TImageList list(4, 4);
  auto glyph = Glyph(clRed);
  EXPECT_EQ(list.AddMasked(glyph.get(), clFuchsia), 0);
  EXPECT_EQ(list.GetCount(), 1);
  // The caller's bitmap keeps its colours.
  EXPECT_EQ(glyph->GetCanvas()->GetPixels(0, 0), clFuchsia);
  auto ground = Ground(clGreen);
  list.Draw(ground->GetCanvas(), 1, 1, 0);
  TCanvas* c = ground->GetCanvas();
  EXPECT_EQ(c->GetPixels(1, 1), clGreen);  // transparent corner
  EXPECT_EQ(c->GetPixels(2, 2), clRed);
  EXPECT_EQ(c->GetPixels(3, 3), clRed);
  EXPECT_EQ(c->GetPixels(4, 4), clGreen);

  // With an explicit mask.
  TBitmap mask;
  mask.SetMonochrome(true);
  mask.SetSize(4, 4);
  mask.GetCanvas()->GetBrush()->SetColor(clWhite);
  mask.GetCanvas()->FillRect(Rect(0, 0, 4, 4));
  mask.GetCanvas()->GetBrush()->SetColor(clBlack);
  mask.GetCanvas()->FillRect(Rect(0, 0, 2, 4));  // the left half is opaque
  EXPECT_EQ(list.Add(Glyph(clBlue).get(), &mask), 1);
  ground = Ground(clGreen);
  list.Draw(ground->GetCanvas(), 0, 0, 1);
  EXPECT_EQ(ground->GetCanvas()->GetPixels(0, 0), clFuchsia);
  EXPECT_EQ(ground->GetCanvas()->GetPixels(1, 1), clBlue);
  EXPECT_EQ(ground->GetCanvas()->GetPixels(2, 1), clGreen);

  TBitmap copy;
  EXPECT_TRUE(list.GetBitmap(0, &copy));
  EXPECT_EQ(copy.GetWidth(), 4);
  EXPECT_EQ(copy.GetCanvas()->GetPixels(2, 2), clRed);
  EXPECT_FALSE(list.GetBitmap(5, &copy));
}

TEST(ImageList, OrderOfPictures) {
  TImageList list(4, 4);
  list.AddMasked(Glyph(clRed, 3).get(), clFuchsia);  // a strip of three pictures
  EXPECT_EQ(list.GetCount(), 3);
  list.ReplaceMasked(1, Glyph(clBlue).get(), clFuchsia);
  list.InsertMasked(0, Glyph(clLime).get(), clFuchsia);
  EXPECT_EQ(Middles(list), (std::vector<TColor>{clLime, clRed, clBlue, clRed}));
  list.Move(0, 3);
  EXPECT_EQ(Middles(list), (std::vector<TColor>{clRed, clBlue, clRed, clLime}));
  list.Move(2, 0);
  EXPECT_EQ(Middles(list), (std::vector<TColor>{clRed, clRed, clBlue, clLime}));
  list.Delete(2);
  EXPECT_EQ(Middles(list), (std::vector<TColor>{clRed, clRed, clLime}));

  TImageList copy(nullptr);
  copy.Assign(&list);
  EXPECT_EQ(copy.GetWidth(), 4);
  EXPECT_EQ(Middles(copy), Middles(list));
  TImageList added(4, 4);
  added.AddImages(&list);
  EXPECT_EQ(Middles(added), Middles(list));

  list.SetMasked(false);
  EXPECT_EQ(list.GetCount(), 3);
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(ImageList, Errors) {
  TImageList list(4, 4);
  auto small = std::make_unique<TBitmap>();
  small->SetSize(3, 4);
  const struct {
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {[&] { list.Add(small.get(), nullptr); }, "Invalid image size"},
      {[&] { list.Delete(0); }, "Invalid ImageList Index"},
      {[&] { list.Replace(0, Glyph(clRed).get(), nullptr); }, "Invalid ImageList Index"},
      {[&] { list.Move(0, 1); }, "Invalid ImageList Index"},
      {[&] { list.Insert(1, Glyph(clRed).get(), nullptr); }, "Invalid ImageList Index"},
      {[&] { TImageList bad(0, 4); }, "Invalid image size"},
  };
  for (const auto& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no exception for " << c.message;
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(e.Message, c.message);
    }
  }
  EXPECT_EQ(list.Add(nullptr, nullptr), -1);
}

TEST(ImageList, ChangeLinks) {
  TImageList list(4, 4);
  int changes = 0, events = 0;
  TObject* sender = nullptr;
  auto link = std::make_unique<TChangeLink>();
  link->OnChange = TNotifyEvent::FromFunction([&](TObject* s) {
    ++changes;
    sender = s;
  });
  list.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++events; });
  list.RegisterChanges(link.get());
  EXPECT_EQ(link->Sender, &list);
  list.AddMasked(Glyph(clRed).get(), clFuchsia);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(sender, &list);

  // Changes inside an update bracket are told once.
  list.BeginUpdate();
  list.AddMasked(Glyph(clRed).get(), clFuchsia);
  list.Delete(0);
  list.SetBkColor(clBlack);
  EXPECT_EQ(changes, 1);
  list.EndUpdate();
  EXPECT_EQ(changes, 2);

  // A freed link leaves its list; a freed list leaves its links without a sender.
  link.reset();
  list.Clear();
  EXPECT_EQ(changes, 2);
  auto second = std::make_unique<TChangeLink>();
  {
    TImageList other(nullptr);
    other.RegisterChanges(second.get());
  }
  EXPECT_EQ(second->Sender, nullptr);
}

TEST(ImageList, DisabledPicturesAndMetafiles) {
  TImageList list(4, 4);
  list.AddMasked(Glyph(clRed).get(), clFuchsia);
  auto ground = Ground(clGreen);
  list.Draw(ground->GetCanvas(), 0, 0, 0, false);
  EXPECT_EQ(ground->GetCanvas()->GetPixels(0, 0), clGreen);
  EXPECT_EQ(ground->GetCanvas()->GetPixels(1, 1), TColor(::GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(ground->GetCanvas()->GetPixels(3, 3), TColor(::GetSysColor(COLOR_BTNHIGHLIGHT)));

  TMetafile metafile;
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    list.Draw(&canvas, 10, 10, 0);
  }
  TStringStream emf;
  metafile.SaveToStream(&emf);
  const std::string bytes = emf.GetDataString();
  int stretches = 0, blocks = 0;
  for (std::size_t offset = 0; offset + 8 <= bytes.size();) {
    DWORD type, size;
    std::memcpy(&type, bytes.data() + offset, 4);
    std::memcpy(&size, bytes.data() + offset + 4, 4);
    stretches += type == EMR_STRETCHBLT;
    blocks += type == EMR_BITBLT;
    offset += size;
  }
  EXPECT_EQ(stretches, 2);
  EXPECT_EQ(blocks, 0);
  // Played back, the picture is there with its transparency.
  auto played = Ground(clGreen);
  played->GetCanvas()->Draw(-10, -10, &metafile);
  EXPECT_EQ(played->GetCanvas()->GetPixels(2, 2), clRed);
  EXPECT_EQ(played->GetCanvas()->GetPixels(0, 0), clGreen);
}

}  // namespace
