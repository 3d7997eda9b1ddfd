// Paints the Book of Psalms of the test data (about 2,500 verses) onto a 24-bit bitmap of a
// screen's size and prints the times: every draw line once, a screen at a time as consecutive
// ranges of draw lines; then as a viewer does, scrolled a screen at a time through the clip
// rectangle; then again with everything selected.
#include <chrono>
#include <cstdio>

#include "classlib/Bitmaps.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVWindowless.h"
#include "richtext/core/bench/BibleDocument.h"

namespace {

constexpr Integer kWidth = 600;
constexpr Integer kHeight = 800;

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

// Every draw line once: the lines whose tops lie on each screen, painted with that screen's
// origin.
double PaintEveryLineOnce(TUVWindowlessData& Doc, TBitmap& Bitmap, Integer& Screens) {
  auto start = std::chrono::steady_clock::now();
  Integer count = Doc.DrawItems->GetCount();
  Screens = 0;
  for (Integer first = 0; first < count;) {
    Integer top = Doc.DrawItems->Get(first)->Top;
    Integer last = first;
    while (last + 1 < count && Doc.DrawItems->Get(last + 1)->Top < top + kHeight) ++last;
    TUVPaintRequest request;
    request.Canvas = Bitmap.GetCanvas();
    request.OriginY = -top;
    request.ClipRect = Rect(0, 0, kWidth, kHeight);
    request.FirstDrawItem = first;
    request.LastDrawItem = last;
    Doc.PaintDrawLines(request);
    ++Screens;
    first = last + 1;
  }
  return Seconds(start);
}

// A screen at a time through the view's clip rectangle, as scrolling a viewer would.
double PaintScreens(TUVWindowlessData& Doc, TBitmap& Bitmap) {
  auto start = std::chrono::steady_clock::now();
  for (Doc.VOffs = 0; Doc.VOffs < Doc.DocumentHeight; Doc.VOffs += kHeight)
    Doc.PaintTo(Bitmap.GetCanvas(), Rect(0, 0, kWidth, kHeight));
  Doc.VOffs = 0;
  return Seconds(start);
}

}  // namespace

int main() {
  using namespace bible_document;
  TUVStyle style(nullptr);
  MakeStyles(style);
  TUVWindowlessData doc(&style);
  doc.ClientWidth = kWidth;
  doc.ClientHeight = kHeight;
  if (!AddPsalms(doc)) return 1;
  auto start = std::chrono::steady_clock::now();
  doc.FormatDefault(false);
  double formatted = Seconds(start);
  Integer lines = doc.DrawItems->GetCount();
  std::printf("Psalms: %d items, %d draw lines, %d pixels high; formatted in %.3f s\n", doc.GetItemCount(), lines,
              doc.DocumentHeight, formatted);

  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(kWidth, kHeight);
  Integer screens = 0;
  double once = PaintEveryLineOnce(doc, bitmap, screens);
  std::printf("%-34s %8.3f s  (%d screens, %.1f us a draw line)\n", "every draw line once", once, screens,
              once * 1e6 / lines);
  double scrolled = PaintScreens(doc, bitmap);
  std::printf("%-34s %8.3f s\n", "a screen at a time, clipped", scrolled);
  doc.SelectAll();
  double selected = PaintScreens(doc, bitmap);
  std::printf("%-34s %8.3f s\n", "the same, all selected", selected);
  return 0;
}
