#include "tools/BibleMeasurer.h"

#include "classlib/Graphics.h"

Integer TCachedMeasurer::TextWidth(Integer style, std::string_view text) {
  if (!Cached(style)) return measurer_.TextWidth(style, text);
  if (text.size() == 1) return CharWidth(style, text[0]);
  auto& texts = texts_[style];
  const auto found = texts.find(std::string(text));
  if (found != texts.end()) return found->second;
  const Integer width = measurer_.TextWidth(style, text);
  texts.emplace(std::string(text), width);
  return width;
}

Integer TCachedMeasurer::TextHeight(Integer style) {
  if (!Cached(style)) return measurer_.TextHeight(style);
  if (!heightsKnown_[style]) {
    heights_[style] = measurer_.TextHeight(style);
    heightsKnown_[style] = true;
  }
  return heights_[style];
}

Integer TCachedMeasurer::CharWidth(Integer style, char c) {
  if (!Cached(style)) return measurer_.CharWidth(style, c);
  const auto code = static_cast<unsigned char>(c);
  if (!charsKnown_[style][code]) {
    chars_[style][code] = measurer_.CharWidth(style, c);
    charsKnown_[style][code] = true;
  }
  return chars_[style][code];
}

void TCanvasMeasurer::SetFont(Integer style, TFont* font) {
  if (style < 0 || style >= static_cast<Integer>(fonts_.size())) return;
  fonts_[style] = font;
  if (style == current_) current_ = -1;
}

void TCanvasMeasurer::Use(Integer style) {
  if (style == current_) return;
  if (style >= 0 && style < static_cast<Integer>(fonts_.size()) && fonts_[style])
    canvas_->GetFont()->Assign(fonts_[style]);
  current_ = style;
}

Integer TCanvasMeasurer::TextWidth(Integer style, std::string_view text) {
  Use(style);
  return canvas_->TextWidth(AnsiString(text));
}

Integer TCanvasMeasurer::TextHeight(Integer style) {
  Use(style);
  return canvas_->TextHeight(" ");
}
