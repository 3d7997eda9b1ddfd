// The bevel: its width in every mode, the area inside it, its layers drawn from the outside in,
// its change notifications, and its form-stream defaults.
#include <string>

#include <gtest/gtest.h>

#include "controls/VisBevel.h"
#include "controls/tests/support/ControlForms.h"

using namespace control_forms;
using namespace pixels;

namespace {

using enum TVisBevelStyle;

// A component that publishes a bevel, to see what forms store of it.
class TBevelHolder : public TComponent {
  CLASS_INFO(TBevelHolder, TComponent)
public:
  explicit TBevelHolder(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
  TVisBevel* GetBevel() const { return FBevel.get(); }
  void SetBevel(TVisBevel* Value) { FBevel->Assign(Value); }

private:
  std::unique_ptr<TVisBevel> FBevel = std::make_unique<TVisBevel>();
};

PUBLISHED(TBevelHolder) { Prop("Bevel", &TBevelHolder::GetBevel, &TBevelHolder::SetBevel); }

TEST(Bevel, ExtentsInEveryMode) {
  struct Case {
    const char* name;
    TVisBevelMode mode;
    TVisBevelStyle outer, inner;
    Integer widthOuter, widthInner, border, innerBorder;
    TVisBorderStyle standard;
    bool themed;
    Integer extent, client;
  };
  const Case cases[] = {
      {"custom, nothing", bmCustom, bvNone, bvNone, 1, 1, 0, 0, lsSingleLowered, false, 0, 0},
      {"custom, framed outer", bmCustom, bvFrameRaised, bvNone, 2, 1, 0, 0, lsSingleLowered, false, 3, 3},
      {"custom, all layers", bmCustom, bvRaised, bvFrameLowered, 2, 1, 3, 1, lsSingleLowered, false, 8, 8},
      {"custom, inner shadow", bmCustom, bvRaised, bvShadow, 2, 4, 3, 1, lsSingleLowered, false, 5, 5},
      {"custom, outer shadow", bmCustom, bvShadow, bvLowered, 4, 1, 0, 2, lsSingleLowered, false, 7, 7},
      {"standard, single", bmStandard, bvNone, bvNone, 1, 1, 0, 0, lsSingleLowered, false, 1, 1},
      {"standard, raised", bmStandard, bvNone, bvNone, 1, 1, 5, 2, lsRaised, false, 4, 4},
      {"standard, none", bmStandard, bvNone, bvNone, 1, 1, 0, 0, lsNone, false, 0, 0},
      {"edge", bmEdge, bvNone, bvNone, 1, 1, 0, 1, lsSingleLowered, false, 3, 3},
      {"windows", bmWindows, bvNone, bvNone, 1, 1, 0, 1, lsSingleLowered, false, 3, 3},
      {"windows, themed", bmWindows, bvNone, bvNone, 1, 1, 0, 1, lsSingleLowered, true, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TVisBevel bevel;
    bevel.SetMode(c.mode);
    bevel.SetStyleOuter(c.outer);
    bevel.SetStyleInner(c.inner);
    bevel.SetWidthOuter(static_cast<TVisBevelWidth>(c.widthOuter));
    bevel.SetWidthInner(static_cast<TVisBevelWidth>(c.widthInner));
    bevel.SetBorderWidth(static_cast<TVisBorderWidth>(c.border));
    bevel.SetBorderInnerWidth(static_cast<TVisBorderWidth>(c.innerBorder));
    bevel.SetStandardStyle(c.standard);
    bevel.SetOwnerThemed(c.themed);
    EXPECT_EQ(bevel.GetBevelExtent(), c.extent);
    EXPECT_EQ(bevel.GetBevelExtentClient(), c.client);
  }
  // An edge without sides takes no room besides the inner border.
  TVisBevel edge;
  edge.SetMode(bmEdge);
  edge.SetBorderSides({});
  EXPECT_EQ(edge.GetBevelExtent(), 0);
}

TEST(Bevel, AnOuterShadowTakesRoomOnlyAtTheRightAndBottom) {
  TVisBevel bevel;
  bevel.SetMode(bmCustom);
  bevel.SetStyleOuter(bvShadow);
  bevel.SetWidthOuter(4);
  bevel.SetStyleInner(bvRaised);
  bevel.SetWidthInner(1);
  bevel.SetBorderInnerWidth(2);
  EXPECT_EQ(bevel.GetClientRect(Rect(10, 10, 110, 60)), Rect(13, 13, 103, 53));
  bevel.SetStyleOuter(bvRaised);
  EXPECT_EQ(bevel.GetClientRect(Rect(10, 10, 110, 60)), Rect(17, 17, 103, 53));
}

TEST(Bevel, CustomLayersAreDrawnFromTheOutsideIn) {
  constexpr TColor light = 0x0000C000, shadow = 0x00C00000, border = 0x000000D0, back = 0x00808080;
  TVisBevel bevel;
  bevel.SetMode(bmCustom);
  bevel.SetLightColor(light);
  bevel.SetShadowColor(shadow);
  bevel.SetBorderColor(border);
  bevel.SetStyleOuter(bvRaised);
  bevel.SetBorderWidth(2);
  bevel.SetStyleInner(bvLowered);
  bevel.SetBorderInnerWidth(1);
  auto picture = Bitmap24(20, 20, back);
  TRect r = Rect(0, 0, 20, 20);
  bevel.Draw(picture->GetCanvas(), r, false);
  EXPECT_EQ(r, Rect(5, 5, 15, 15));
  const struct {
    Integer at;
    TColor topLeft, bottomRight;
  } rings[] = {{0, light, shadow}, {1, border, border}, {2, border, border}, {3, shadow, light}, {4, border, border}};
  for (const auto& ring : rings) {
    SCOPED_TRACE(ring.at);
    EXPECT_EQ(At(*picture, ring.at, 10), ring.topLeft);
    EXPECT_EQ(At(*picture, 10, ring.at), ring.topLeft);
    EXPECT_EQ(At(*picture, 19 - ring.at, 10), ring.bottomRight);
    EXPECT_EQ(At(*picture, 10, 19 - ring.at), ring.bottomRight);
  }
  EXPECT_EQ(At(*picture, 5, 5), back);
  // Asked only for the area, the bevel draws nothing.
  auto untouched = Bitmap24(20, 20, back);
  r = Rect(0, 0, 20, 20);
  bevel.Draw(untouched->GetCanvas(), r, true);
  EXPECT_EQ(r, Rect(5, 5, 15, 15));
  EXPECT_EQ(Colours(*untouched), std::set<TColor>{back});
}

TEST(Bevel, ModesDrawWithinTheirExtent) {
  constexpr TColor back = 0x00808080;
  for (TVisBevelMode mode : {bmCustom, bmStandard, bmEdge, bmWindows}) {
    SCOPED_TRACE(mode);
    TVisBevel bevel;
    bevel.SetMode(mode);
    bevel.SetStyleOuter(bvRaised);
    bevel.SetStandardStyle(lsLowered);
    auto picture = Bitmap24(20, 20, back);
    TRect r = Rect(0, 0, 20, 20);
    bevel.Draw(picture->GetCanvas(), r, false);
    const Integer e = bevel.GetBevelExtent();
    EXPECT_EQ(r, Rect(e, e, 20 - e, 20 - e));
    // Nothing inside the extent is touched; in bmWindows the owner draws the edges.
    for (Integer y = e; y < 20 - e; ++y)
      for (Integer x = e; x < 20 - e; ++x) ASSERT_EQ(At(*picture, x, y), back) << x << "," << y;
    EXPECT_EQ(At(*picture, 0, 0) == back, mode == bmWindows);
  }
}

TEST(Bevel, ChangesAreReportedOnceAndOnlyWhereTheyShow) {
  TVisBevel bevel;
  int changes = 0;
  bevel.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
  bevel.SetWidthInner(1);
  EXPECT_EQ(changes, 0) << "an unchanged value";
  bevel.SetStandardStyle(lsRaised);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(bevel.GetBevelExtent(), 2);
  bevel.SetMode(bmCustom);
  changes = 0;
  bevel.SetStandardStyle(lsSingle);
  EXPECT_EQ(changes, 0) << "the standard style shows only in bmStandard";

  // Assign copies everything and reports one change.
  TVisBevel source;
  source.SetMode(bmEdge);
  source.SetEdgeStyle(etBump);
  source.SetBorderSides({fsTop, fsBottom});
  source.SetBorderInnerWidth(3);
  source.SetLightColor(clRed);
  source.SetOwnerThemed(true);
  changes = 0;
  bevel.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(bevel.GetMode(), bmEdge);
  EXPECT_EQ(bevel.GetEdgeStyle(), etBump);
  EXPECT_EQ(bevel.GetBorderSides(), (TVisFrameSides{fsTop, fsBottom}));
  EXPECT_EQ(bevel.GetLightColor(), clRed);
  EXPECT_TRUE(bevel.GetOwnerThemed());
  EXPECT_EQ(bevel.GetBevelExtent(), 5);

  // Into or out of bmWindows, with or without themes, the owner's window border changes: the
  // owner must make its window again.
  for (bool themed : {true, false}) {
    bevel.SetOwnerThemed(themed);
    EXPECT_FALSE(bevel.TakeRecreateWanted());
    bevel.SetMode(bmWindows);
    EXPECT_TRUE(bevel.TakeRecreateWanted());
    EXPECT_FALSE(bevel.TakeRecreateWanted());
    bevel.SetMode(bmStandard);
    EXPECT_TRUE(bevel.TakeRecreateWanted());
    bevel.SetMode(bmCustom);
    EXPECT_FALSE(bevel.TakeRecreateWanted());
  }
}

TEST(Bevel, TheStandardModeIsTheDefaultAndNotStored) {
  TBevelHolder holder;
  EXPECT_EQ(holder.GetBevel()->GetMode(), bmStandard);
  EXPECT_EQ(FormText(&holder).find("Mode"), std::string::npos);
  holder.GetBevel()->SetMode(bmCustom);
  holder.GetBevel()->SetStyleOuter(bvFrameRaised);
  holder.GetBevel()->SetBorderSides({fsLeft});
  const AnsiString text = FormText(&holder);
  EXPECT_NE(text.find("Bevel.Mode = bmCustom"), std::string::npos);
  EXPECT_NE(text.find("Bevel.StyleOuter = bvFrameRaised"), std::string::npos);
  // Read back, the bevel is the same.
  TBevelHolder copy;
  ReadFormText(text, &copy);
  EXPECT_EQ(copy.GetBevel()->GetMode(), bmCustom);
  EXPECT_EQ(copy.GetBevel()->GetStyleOuter(), bvFrameRaised);
  EXPECT_EQ(copy.GetBevel()->GetBorderSides(), TVisFrameSides{fsLeft});

  // The scroll boxes' bevel defaults to bmWindows.
  TVisScrollBoxBevel scrollBox;
  EXPECT_EQ(scrollBox.GetMode(), bmWindows);
  EXPECT_EQ(scrollBox.GetBevelExtent(), 2);
}

}  // namespace
