// Measures the components' heavy drawing paths on a window-sized 24-bit bitmap: each gradient
// style, the fill object's gradient through an off-screen bitmap, the pixel effects and the alpha
// blend; and the block compression of streamed properties.
//
//   controls_drawing_bench.exe
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>

#include "classlib/Bitmaps.h"
#include "classlib/Streams.h"
#include "controls/VisObject.h"
#include "controls/viseffects.h"
#include "controls/visgradient.h"
#include "controls/visstream.h"

namespace {

// Milliseconds per run, the best of a few rounds.
double Time(int Runs, const std::function<void()>& Work) {
  double best = 1e30;
  for (int round = 0; round < 3; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < Runs; ++i) Work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count() / Runs);
  }
  return best;
}

}  // namespace

int main() {
  constexpr Integer W = 1024;
  constexpr Integer H = 768;
  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(W, H);
  TVisGradient gradient;
  gradient.SetColor(clNavy);
  gradient.SetEndColor(clAqua);
  gradient.SetColorCount(236);

  static const char* const names[] = {"horizontal",   "vertical",    "square",       "elliptic",
                                      "top left",     "top right",   "bottom left",  "bottom right",
                                      "top left diag", "top right diag"};
  std::printf("%d x %d pixels, %d colours\n", W, H, gradient.GetColorCount());
  for (Integer style = gstHorizontal; style <= gstTopRightDiagonal; ++style) {
    const double ms = Time(10, [&] {
      FillGradient(target.GetCanvas(), Rect(0, 0, W, H), static_cast<TVisGradientStyle>(style), 0, nullptr, 0,
                   &gradient.GetColorTable());
    });
    std::printf("gradient %-15s %7.2f ms\n", names[style], ms);
  }
  TVisFillObject fill;
  fill.SetStyle(sfGradient);
  fill.SetGradient(&gradient);
  std::printf("fill through bitmap      %7.2f ms\n",
              Time(10, [&] { fill.FillArea(target.GetCanvas(), Rect(0, 0, W, H), clWhite); }));

  TBitmap other;
  other.Assign(&target);
  const TRect all = Rect(0, 0, W, H);
  std::printf("grey scale               %7.2f ms\n",
              Time(10, [&] { GrayScaleBitmap(&target, all, &target, Point(0, 0)); }));
  std::printf("mirror rows              %7.2f ms\n",
              Time(10, [&] { MirrorRowsBitmap(&target, all, &target, Point(0, 0)); }));
  std::printf("mirror columns           %7.2f ms\n",
              Time(10, [&] { MirrorColumnsBitmap(&target, all, &target, Point(0, 0)); }));
  std::printf("brightness               %7.2f ms\n",
              Time(10, [&] { BrightnessBitmap(&target, all, &target, 20, Point(0, 0)); }));
  std::printf("alpha blend              %7.2f ms\n",
              Time(10, [&] { AlphaBlendBitmaps(&target, &other, all, Point(0, 0), 0.6f, &target, Point(0, 0)); }));

  // 4 MB of bitmap-like data: long runs with some noise.
  std::string data(4 << 20, '\0');
  std::mt19937 random(1);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((i / 300) % 7 * 30 + (random() % 4));
  TMemoryStream source;
  source.WriteBuffer(data.data(), static_cast<Integer>(data.size()));
  TMemoryStream packed;
  const double compress = Time(3, [&] {
    source.SetPosition(0);
    packed.Clear();
    CompressStream(&source, &packed);
  });
  TMemoryStream back;
  const double expand = Time(3, [&] {
    packed.SetPosition(0);
    back.Clear();
    DecompressStream(&packed, &back);
  });
  std::printf("compress 4 MB            %7.2f ms (%.1f%% of the size)\n", compress,
              100.0 * static_cast<double>(packed.GetSize()) / static_cast<double>(data.size()));
  std::printf("expand 4 MB              %7.2f ms\n", expand);
  return 0;
}
