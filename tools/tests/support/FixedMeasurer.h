// A measurer of fixed widths for the Bible's layout tests: every character of a style is equally
// wide, every style has a fixed line height, so that the expected positions can be worked out by
// hand.
#pragma once

#include <string_view>

#include "tools/BibleMeasurer.h"

namespace bible_testing {

class TFixedMeasurer : public TBibleMeasurer {
public:
  // Character widths of the styles 0..7: titles 20, chapter 40, subheading 12, verse number 6,
  // text 10, brackets 8.
  static Integer Width(Integer style) {
    static const Integer widths[] = {10, 20, 20, 40, 12, 6, 10, 8};
    return style >= 0 && style < 8 ? widths[style] : 10;
  }
  // Line heights: titles 30, chapter 50, everything else 20.
  static Integer Height(Integer style) {
    if (style == 1 || style == 2) return 30;
    if (style == 3) return 50;
    return 20;
  }
  Integer TextWidth(Integer style, std::string_view text) override {
    ++Calls;
    return Width(style) * static_cast<Integer>(text.size());
  }
  Integer TextHeight(Integer style) override { return Height(style); }

  int Calls = 0;
};

}  // namespace bible_testing
