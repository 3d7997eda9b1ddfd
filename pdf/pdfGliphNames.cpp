#include "pdf/pdfGliphNames.h"

#include <array>

namespace {

// Index from a Unicode value to the first entry of the list that carries it, built once:
// the /Differences array of every non-Latin TrueType font asks for 255 values.
struct FirstNameIndex {
  std::array<Word, 65536> Entry{};  // 1-based entry number, 0 = none
  FirstNameIndex() {
    for (int i = GlyphNameCount - 1; i >= 0; --i) Entry[GlyphNames[i].Unicode] = static_cast<Word>(i + 1);
  }
};

}  // namespace

const char* GlyphNameOf(Word unicode) {
  static const FirstNameIndex index;
  const Word e = index.Entry[unicode];
  return e ? GlyphNames[e - 1].Name : nullptr;
}
