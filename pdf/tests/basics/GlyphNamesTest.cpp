#include <gtest/gtest.h>

#include <cstring>

#include "pdf/pdfGliphNames.h"

namespace {

TEST(PdfGlyphNames, ListIsSortedAndFindsTheFirstName) {
  for (int i = 1; i < GlyphNameCount; ++i)
    ASSERT_LT(std::strcmp(GlyphNames[i - 1].Name, GlyphNames[i].Name), 0) << GlyphNames[i].Name;
  EXPECT_STREQ(GlyphNames[0].Name, "A");
  EXPECT_STREQ(GlyphNames[1].Name, "AE");
  EXPECT_STREQ(GlyphNames[2].Name, "AEacute");
  EXPECT_STREQ(GlyphNameOf(0x0041), "A");
  EXPECT_STREQ(GlyphNameOf(0x0020), "space");
  EXPECT_STREQ(GlyphNameOf(0x20AC), "Euro");
  EXPECT_STREQ(GlyphNameOf(0x0410), "Acyrillic");  // before "afii10017" in byte order
  EXPECT_STREQ(GlyphNameOf(0x0001), "controlSTX");
  EXPECT_EQ(GlyphNameOf(0x0378), nullptr);
}

TEST(PdfStandardWidths, PublishedMetrics) {
  EXPECT_EQ(StandardFontWidths[0][32], 278);   // Helvetica space
  EXPECT_EQ(StandardFontWidths[0]['A'], 667);
  EXPECT_EQ(StandardFontWidths[1]['A'], 722);  // Helvetica-Bold
  EXPECT_EQ(StandardFontWidths[4]['a'], 444);  // Times-Roman
  EXPECT_EQ(StandardFontWidths[8]['i'], 600);  // Courier is fixed pitch
  EXPECT_EQ(StandardFontWidths[11][0xE9], 600);
  EXPECT_EQ(StandardFontWidths[12]['a'], 631);  // Symbol alpha
  EXPECT_EQ(StandardFontWidths[13]['a'], 789);  // ZapfDingbats code 97
  EXPECT_EQ(StandardFontWidths[0][31], 0);
}

}  // namespace
