// How pagination measures text: the width and height of text in the font of one of the Bible's
// text styles, in the units of the page it lays out. The real run measures with the widths of the
// PDF's fonts (TPdfTextMeasurer of BiblePdf.h); tests measure with fixed widths.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

#include "classlib/System.h"

class TCanvas;
class TFont;

class TBibleMeasurer {
public:
  virtual ~TBibleMeasurer() = default;
  // The width of the text in the style's font.
  virtual Integer TextWidth(Integer style, std::string_view text) = 0;
  // The height of a line of text in the style's font (as the canvas gives it for any text).
  virtual Integer TextHeight(Integer style) = 0;
  // The width of one character; by default the width of a text of that character.
  virtual Integer CharWidth(Integer style, char c) { return TextWidth(style, std::string_view(&c, 1)); }
};

// Remembers what another measurer answered: the width of each character and of each text per
// style, and each style's height. Text in the Bible repeats its words over and over; this keeps
// the canvas from measuring the same word twice.
class TCachedMeasurer : public TBibleMeasurer {
public:
  explicit TCachedMeasurer(TBibleMeasurer& measurer) : measurer_(measurer) {}
  Integer TextWidth(Integer style, std::string_view text) override;
  Integer TextHeight(Integer style) override;
  Integer CharWidth(Integer style, char c) override;

private:
  static constexpr int kStyles = 11;
  static bool Cached(Integer style) { return style >= 0 && style < kStyles; }
  TBibleMeasurer& measurer_;
  std::array<std::array<Integer, 256>, kStyles> chars_{};
  std::array<std::array<bool, 256>, kStyles> charsKnown_{};
  std::array<Integer, kStyles> heights_{};
  std::array<bool, kStyles> heightsKnown_{};
  std::array<std::unordered_map<std::string, Integer>, kStyles> texts_;
};

// Measures on a canvas: each style's font is given by a TFont (not owned) that the canvas takes
// whenever another style is measured.
class TCanvasMeasurer : public TBibleMeasurer {
public:
  explicit TCanvasMeasurer(TCanvas* canvas) : canvas_(canvas) {}
  // The font of style 0..10.
  void SetFont(Integer style, TFont* font);
  Integer TextWidth(Integer style, std::string_view text) override;
  Integer TextHeight(Integer style) override;

private:
  void Use(Integer style);
  TCanvas* canvas_;
  std::array<TFont*, 11> fonts_{};
  Integer current_ = -1;
};
