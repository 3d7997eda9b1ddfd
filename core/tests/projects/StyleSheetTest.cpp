#include <string>

#include "classlib/Handles.h"
#include "classlib/StringLists.h"
#include "core/StyleSheetUnit.h"
#include "core/tests/CoreTestSupport.h"

namespace {

using core_testing::CrLf;

class StyleSheetTest : public core_testing::CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    WriteProject("STY", "Style Test", "", ".SFM");
    MyReg->SetCurrentProject("Style Test");
  }
};

TEST_F(StyleSheetTest, MarkersTypesAndProperties) {
  testing_support::WriteFileBytes(
      Projects() + "test.sty",
      CrLf({"\\TextType VerseNumber", "\\TextProperties verse", "# comment", "\\marker id", "\\TextType other",
            "\\TextProperties paragraph book nonpublishable", "   \\Marker v", "\\TextType  VerseNumber",
            "\\textproperties VERSE unknownword", "\\Marker mt", "\\Name mt - Title", "\\Marker id",
            "\\TextType versetext", "\\TextProperties note crossreference level_1 level_2 level_3 poetic",
            "\\Marker q", "\\TextType NoteText", "\\TextProperties publishable vernacular nonvernacular chapter",
            "\\Marker s", "\\TextType Section", "\\Marker c", "\\TextType ChapterNumber", "\\Marker t",
            "\\TextType Title"}));
  LoadStyleSheet();
  ASSERT_EQ(StyleSheetMarkers->GetCount(), 8);
  const struct {
    const char* Marker;
    StyleSheetTextTypeType Type;
    TStyleSheetTextProperties Properties;
  } rows[] = {
      {"id", sttOther, 1 + 64 + 512},
      // Two blanks give an empty word, so the type word is missing: any other word.
      {"v", sttOther, tpVerse},
      {"mt", sttTitle, 0},
      {"id", sttVerseText, tpNote | tpCrossReference | tpLevel1 | tpLevel2 | tpLevel3 | tpPoetic},
      {"q", sttNoteText, tpPublishable | tpVernacular | tpNonVernacular | tpChapter},
      {"s", sttSection, 0},
      {"c", sttChapterNumber, 0},
      {"t", sttTitle, 0},
  };
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(StyleSheetMarkers->GetStrings(i), rows[i].Marker) << i;
    EXPECT_EQ(StyleSheetTextTypes[i], rows[i].Type) << i;
    EXPECT_EQ(StyleSheetTextProperties[i], rows[i].Properties) << i;
  }
  // Lookups ignore letter case and find the first of a marker declared twice.
  EXPECT_EQ(FindStyleSheetMarker("ID"), 0);
  EXPECT_EQ(FindStyleSheetMarker("Mt"), 2);
  EXPECT_EQ(FindStyleSheetMarker("nd"), -1);

  // Loading again starts from empty tables.
  testing_support::WriteFileBytes(Projects() + "test.sty", CrLf({"\\Marker nd"}));
  LoadStyleSheet();
  ASSERT_EQ(StyleSheetMarkers->GetCount(), 1);
  EXPECT_EQ(FindStyleSheetMarker("nd"), 0);
  EXPECT_EQ(FindStyleSheetMarker("id"), -1);
}

TEST_F(StyleSheetTest, AMissingOrUnreadableStyleSheetLeavesTheTablesEmpty) {
  LoadStyleSheet();
  EXPECT_EQ(StyleSheetMarkers->GetCount(), 0);
  EXPECT_TRUE(StyleSheetTextTypes.empty());
  EXPECT_EQ(FindStyleSheetMarker("p"), -1);

  const std::string path = Projects() + "test.sty";
  testing_support::WriteFileBytes(path, CrLf({"\\Marker p"}));
  UniqueFileHandle locked(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(locked);
  LoadStyleSheet();
  EXPECT_EQ(StyleSheetMarkers->GetCount(), 0);
  locked.reset();
  LoadStyleSheet();
  EXPECT_EQ(StyleSheetMarkers->GetCount(), 1);
}

}  // namespace
