// Data of the PDF writer's font code: the glyph-name list that builds the /Differences arrays of
// TrueType fonts in non-Latin character sets, and the advance widths of the 14 standard fonts.
#pragma once

#include "classlib/System.h"

struct TGlyphName {
  Word Unicode;
  const char* Name;
};

// The list, sorted by name in byte order.
inline constexpr int GlyphNameCount = 4200;
extern const TGlyphName GlyphNames[GlyphNameCount];

// The first name of the list (in its order) whose Unicode value is `unicode`, or nullptr.
const char* GlyphNameOf(Word unicode);

// Widths in thousandths of an em of the standard fonts, indexed by the standard-font index
// (0 Helvetica ... 13 ZapfDingbats) and the character code.
extern const Word StandardFontWidths[14][256];
