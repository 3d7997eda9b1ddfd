// List markers numbered through a document, and the texts of every kind of numbering.
#include <vector>

#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(ListsTest, CountersAsText) {
  struct {
    Integer counter;
    TUVListType type;
    const char* text;
  } cases[] = {{7, uvlstDecimal, "7"},         {3, uvlstImageListCounter, "3"}, {1, uvlstLowerAlpha, "a"},
               {26, uvlstLowerAlpha, "z"},     {27, uvlstLowerAlpha, "aa"},     {28, uvlstLowerAlpha, "ab"},
               {702, uvlstUpperAlpha, "ZZ"},   {0, uvlstUpperAlpha, ""},        {1994, uvlstUpperRoman, "MCMXCIV"},
               {4, uvlstLowerRoman, "iv"},     {3000, uvlstUpperRoman, "MMM"},  {0, uvlstLowerRoman, "?"},
               {5, uvlstBullet, ""},           {5, uvlstPicture, ""}};
  for (auto c : cases) EXPECT_EQ(UVCounterToText(c.counter, c.type), c.text) << c.counter << " " << c.type;
}

TEST(ListsTest, FormatStringsOnlyTakeTheirPlaceholders) {
  std::vector<AnsiString> args{"1", "2", "3"};
  EXPECT_EQ(UVFormatListLevelString("%0:s.%1:s.", args), "1.2.");
  EXPECT_EQ(UVFormatListLevelString("%s-%s", args), "1-2");
  EXPECT_EQ(UVFormatListLevelString("%1:s %s", args), "2 3");
  EXPECT_EQ(UVFormatListLevelString("100% %d %9:s %x", args), "100% %d  %x");  // never raises
  EXPECT_EQ(UVFormatListLevelString("%", args), "%");
}

class ListsDocTest : public ::testing::Test {
protected:
  void SetUp() override {
    TUVListInfo* list = style.GetListStyles()->Add();
    for (int i = 0; i < 3; ++i) {
      TUVListLevel* level = list->GetLevels()->Add();
      level->ListType = uvlstDecimal;
      level->FormatString = i == 0 ? "%0:s." : i == 1 ? "%0:s.%1:s." : "%0:s.%1:s.%2:s";
    }
  }

  TUVMarkerItemInfo* AddMarker(Integer level, bool reset = false, Integer startFrom = 1) {
    auto* marker = new TUVMarkerItemInfo(&doc, 0, level, startFrom, reset);
    doc.AddItem("", marker);
    doc.Add("text", 0);
    return marker;
  }

  TUVStyle style{nullptr};
  TUVWindowlessData doc{&style};
};

TEST_F(ListsDocTest, MarkersNumberThroughTheDocument) {
  TUVMarkerItemInfo* a = AddMarker(0);
  TUVMarkerItemInfo* b = AddMarker(0, true, 5);
  TUVMarkerItemInfo* c = AddMarker(0);
  EXPECT_EQ(a->Counter, 1);
  EXPECT_EQ(b->Counter, 5);
  EXPECT_EQ(c->Counter, 6);
  EXPECT_EQ(c->DisplayString, "6.");
  ASSERT_NE(doc.GetMarkers(false), nullptr);
  EXPECT_EQ(doc.GetMarkers(false)->GetCount(), 3);
  b->Reset = false;
  doc.RecalcMarkersFrom(2);
  EXPECT_EQ(b->Counter, 2);
  EXPECT_EQ(c->Counter, 3);
  doc.DeleteItems(2, 2);  // the second marker and its text
  EXPECT_EQ(c->Counter, 2);
  EXPECT_EQ(doc.GetMarkers(false)->GetCount(), 2);
  doc.Clear();
  EXPECT_EQ(doc.GetMarkers(false), nullptr);
}

TEST_F(ListsDocTest, RemovingAMarkerRenumbersItsOwnListPastMarkersOfAnother) {
  TUVListLevel* other = style.GetListStyles()->Add()->GetLevels()->Add();
  other->ListType = uvlstDecimal;
  TUVMarkerItemInfo* first = AddMarker(0);
  auto* foreign = new TUVMarkerItemInfo(&doc, 1, 0, 1, false);
  doc.AddItem("", foreign);
  doc.Add("text", 0);
  TUVMarkerItemInfo* last = AddMarker(0);
  EXPECT_EQ(last->DisplayString, "2.");
  doc.DeleteItems(0, 2);  // the first marker and its text: the next marker is the other list's
  EXPECT_EQ(last->DisplayString, "1.");
  EXPECT_EQ(foreign->Counter, 1);
  (void)first;
}

TEST_F(ListsDocTest, NestedLevelsCountAndRestart) {
  TUVMarkerItemInfo* a = AddMarker(0);
  TUVMarkerItemInfo* a1 = AddMarker(1);
  TUVMarkerItemInfo* a2 = AddMarker(1);
  TUVMarkerItemInfo* b = AddMarker(0);
  TUVMarkerItemInfo* b1 = AddMarker(1);
  EXPECT_EQ(a->DisplayString, "1.");
  EXPECT_EQ(a1->DisplayString, "1.1.");
  EXPECT_EQ(a2->DisplayString, "1.2.");
  EXPECT_EQ(b->Counter, 2);  // the deeper markers between do not disturb the count
  EXPECT_EQ(b1->DisplayString, "2.1.");  // levels restart after their parent
}

TEST_F(ListsDocTest, WithoutLevelResetNumberingGoesOn) {
  style.GetListStyles()->GetItem(0)->GetLevels()->GetItem(1)->Options = TUVListLevelOptions{uvloContinuous};
  AddMarker(0);
  AddMarker(1);
  AddMarker(0);
  TUVMarkerItemInfo* last = AddMarker(1);
  EXPECT_EQ(last->Counter, 2);
}

TEST_F(ListsDocTest, LevelsBeyondTheListUseTheLastAndOtherTypesFormatTheirCounters) {
  TUVListLevelCollection* levels = style.GetListStyles()->GetItem(0)->GetLevels();
  levels->GetItem(0)->ListType = uvlstUpperRoman;
  levels->GetItem(1)->ListType = uvlstLowerAlpha;
  levels->GetItem(2)->ListType = uvlstLowerRoman;
  AddMarker(0);
  AddMarker(0);
  TUVMarkerItemInfo* b1 = AddMarker(1);
  TUVMarkerItemInfo* deep = AddMarker(5);
  EXPECT_EQ(b1->DisplayString, "II.a.");
  EXPECT_EQ(deep->GetLevelInfo(&style), levels->GetItem(2));
  EXPECT_EQ(deep->DisplayString, "II.a.i");
  levels->GetItem(2)->Options << uvloLegalStyleNumbering;
  doc.RecalcMarkersFrom(0);
  EXPECT_EQ(deep->DisplayString, "2.1.1");  // the parent levels in decimal, level 2 at its start
}

TEST_F(ListsDocTest, BulletsAndMarkersWithoutALevel) {
  TUVListLevel* level = style.GetListStyles()->GetItem(0)->GetLevels()->GetItem(0);
  level->ListType = uvlstBullet;
  level->FormatString = "\xB7";
  TUVMarkerItemInfo* bullet = AddMarker(0);
  EXPECT_EQ(bullet->DisplayString, "\xB7");
  auto* none = new TUVMarkerItemInfo(&doc, -1, 0, 1, false);
  doc.AddItem("", none);
  EXPECT_EQ(none->GetLevelInfo(&style), nullptr);
  EXPECT_EQ(none->DisplayString, "");
  EXPECT_EQ(none->AsText(80, &doc, "", "", false, false), "");
  level->GetFont()->SetName("Symbol");
  EXPECT_EQ(bullet->AsText(80, &doc, "", "", false, false), "* ");
  level->ListType = uvlstUnicodeBullet;
  level->FormatStringW = L"\x25BA";
  EXPECT_EQ(bullet->AsText(80, &doc, "", "", false, false), "* ");
  EXPECT_EQ(bullet->GetUVFExtraHeader(&doc), "0 0 1 0");
}

}  // namespace
