#include "richtext/core/UVMapWht.h"

#include <cstdlib>

#include "classlib/SysUtils.h"

Integer UVIntSimilarity(Integer A, Integer B, Integer W) {
  if (A == 0) return static_cast<Integer>((1 - static_cast<Int64>(std::llabs(B))) * W);
  Extended ratio = static_cast<Extended>(std::llabs(static_cast<Int64>(A) - B)) / std::llabs(static_cast<Int64>(A));
  return static_cast<Integer>(Round((1 - ratio) * W));
}

Integer UVColorSimilarity(TColor Color1, TColor Color2, Integer W1, Integer W2) {
  if (Color1 == clNone && Color2 == clNone) return 3 * W1 + W2;
  if (Color1 == clNone || Color2 == clNone) return 0;
  LongInt rgb1 = ColorToRGB(Color1);
  LongInt rgb2 = ColorToRGB(Color2);
  Integer result = 0;
  bool light1 = false;
  bool light2 = false;
  for (int shift = 0; shift <= 16; shift += 8) {
    Integer c1 = (rgb1 >> shift) & 0xFF;
    Integer c2 = (rgb2 >> shift) & 0xFF;
    result -= std::abs(c1 - c2) * W1 / 255;
    if (c1 > 64) light1 = true;
    if (c2 > 64) light2 = true;
  }
  if (light1 == light2) result += W2;
  return result;
}
