// Region shapes, checked by the points their regions hold, their borders and shadows drawn on
// bitmaps, and the form shape on shown forms: the title bar cut away or kept, the title strip of a
// minimised form, dragging by the client area, the painted background, and the region and border
// data through the form stream.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "classlib/FormText.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "controls/VisFormShape.h"
#include "controls/VisOneInstance.h"
#include "controls/tests/support/ControlForms.h"
#include "controls/visregion.h"

using namespace control_forms;
using namespace pixels;

namespace {

struct Probe {
  Integer x, y;
  bool inside;
};

struct ShapeCase {
  TVisRegionShape shape;
  std::vector<Probe> probes;
};

TEST(RegionShapes, EachShapeHoldsItsPoints) {
  // Every shape fitted into (0, 0, 100, 80).
  const ShapeCase cases[] = {
      {rsRect, {{0, 0, true}, {99, 79, true}, {100, 40, false}, {50, 80, false}}},
      {rsRoundRect, {{0, 0, false}, {50, 0, true}, {0, 40, true}, {98, 78, false}}},
      {rsElliptic, {{50, 40, true}, {5, 5, false}, {50, 2, true}, {95, 75, false}}},
      {rsStar, {{50, 5, true}, {50, 45, true}, {10, 10, false}, {5, 31, true}, {50, 70, false}, {84, 78, true}}},
      {rsDiamond, {{50, 40, true}, {5, 5, false}, {95, 75, false}, {50, 3, true}}},
      {rsOctagon, {{2, 2, false}, {50, 2, true}, {2, 40, true}, {97, 77, false}}},
      {rsComb, {{2, 2, false}, {50, 3, true}, {2, 40, true}, {97, 77, false}}},
      {rsHalfRound, {{50, 75, true}, {2, 75, false}, {50, 2, true}, {50, -10, true}}},
      {rsRoundShield, {{50, 60, true}, {2, 78, false}, {25, 5, false}, {50, 30, true}}},
      {rsSharpShield, {{50, 60, true}, {5, 70, false}, {50, 30, true}, {25, 5, false}}},
      // The nose of a 100-wide rectangle: n = 10 and d = 14; the body starts 10 in from the
      // left and top, the tip is the corner, the base runs from 5 to 19 below the moved top.
      // The nose is the thin triangle (0, 0), (10, 15), (10, 29).
      {rsNoseRect, {{3, 6, true}, {6, 14, true}, {5, 3, false}, {5, 16, false}, {12, 12, true}, {5, 40, false}}},
      // A rounded body moves the base down by RoundY: (0, 0), (10, 30), (10, 44).
      {rsRoundNoseRect, {{6, 24, true}, {6, 10, false}, {12, 60, true}, {3, 40, false}, {11, 11, false}}},
      // Bubbles trail from the outer corner to the body's corner (16, 16); the last is 8 across.
      {rsThinkBubble, {{20, 20, true}, {8, 8, false}, {99, 79, true}, {5, 40, false}}},
      {rsEllipticThinkBubble, {{58, 48, true}, {17, 17, true}, {24, 24, false}, {21, 12, false}}},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(GetEnumName(TypeInfo<TVisRegionShape>(), c.shape));
    TVisRegion region;
    region.SetShape(c.shape);
    HRGN r = region.BuildRegion(Rect(0, 0, 100, 80));
    ASSERT_TRUE(r);
    for (const Probe& p : c.probes) EXPECT_EQ(::PtInRegion(r, p.x, p.y) != 0, p.inside) << p.x << "," << p.y;
  }
}

TEST(RegionShapes, NosesAndBubblesAtEveryCorner) {
  struct Case {
    TVisExtPos position;
    TPoint tip;
    TPoint firstBase;
  };
  // (0, 0, 100, 80), n = 10: the base starts 5 from the corner along the named edge.
  const Case noses[] = {{epLeftTop, {0, 0}, {10, 15}},      {epTopLeft, {0, 0}, {15, 10}},
                        {epTopRight, {100, 0}, {85, 10}},   {epRightTop, {100, 0}, {90, 15}},
                        {epRightBottom, {100, 80}, {90, 65}}, {epBottomRight, {100, 80}, {85, 70}},
                        {epBottomLeft, {0, 80}, {15, 70}},  {epLeftBottom, {0, 80}, {10, 65}}};
  for (const Case& c : noses) {
    SCOPED_TRACE(GetEnumName(TypeInfo<TVisExtPos>(), c.position));
    const TVisShapeParts parts = NoseParts(Rect(0, 0, 100, 80), c.position, 10, 5);
    EXPECT_EQ(parts.Nose[0], c.tip);
    EXPECT_EQ(parts.Nose[1], c.firstBase);
    EXPECT_EQ(std::abs(parts.Nose[2].X - parts.Nose[1].X) + std::abs(parts.Nose[2].Y - parts.Nose[1].Y), 14);
    TVisRegion region;
    region.SetShape(rsNoseRect);
    region.SetExtPos(c.position);
    HRGN r = region.BuildRegion(Rect(0, 0, 100, 80));
    // The nose's middle lies inside; the corner square beside the nose, across from its base,
    // lies outside.
    const Integer cx = (parts.Nose[0].X + parts.Nose[1].X + parts.Nose[2].X) / 3;
    const Integer cy = (parts.Nose[0].Y + parts.Nose[1].Y + parts.Nose[2].Y) / 3;
    EXPECT_TRUE(::PtInRegion(r, cx, cy)) << cx << "," << cy;
    const bool vertical = parts.Nose[1].X == parts.Nose[2].X;
    const Integer ox = c.tip.X == 0 ? (vertical ? 7 : 3) : (vertical ? 92 : 96);
    const Integer oy = c.tip.Y == 0 ? (vertical ? 3 : 7) : (vertical ? 76 : 72);
    EXPECT_FALSE(::PtInRegion(r, ox, oy)) << ox << "," << oy;
  }

  // Four bubbles give six, their diameters growing from 0 by the same step (n = 16: 1.5708).
  const TVisShapeParts bubbles = BubbleParts(Rect(0, 0, 96, 80), epLeftTop, 16, 4);
  ASSERT_EQ(bubbles.Bubbles.size(), 6u);
  const Integer expected[] = {0, 2, 3, 5, 6, 8};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(bubbles.Bubbles[i].Width(), expected[i] / 2 * 2) << i;
  EXPECT_EQ(bubbles.Body, Rect(16, 16, 96, 80));
  // The first bubble lies on the moved left edge at the top; the trail bends round the corner.
  EXPECT_EQ(bubbles.Bubbles[0].Left, 0);
  EXPECT_EQ(bubbles.Bubbles[0].Top, 0);
  EXPECT_GT(bubbles.Bubbles[5].Top, bubbles.Bubbles[1].Top);
}

TEST(RegionShapes, PointListsShadowsAndPackedPoints) {
  TVisRegion region;
  region.SetShape(rsPointList);
  EXPECT_EQ(region.BuildRegion(Rect(0, 0, 100, 80)), nullptr);
  region.GetPoints()->AddPoint({10, 10});
  region.GetPoints()->AddPoint({90, 10});
  region.GetPoints()->AddPoint({50, 70});
  HRGN triangle = region.BuildRegion(Rect(0, 0, 100, 80));
  ASSERT_TRUE(triangle);
  EXPECT_TRUE(::PtInRegion(triangle, 50, 20));
  EXPECT_FALSE(::PtInRegion(triangle, 15, 60));
  // The point region follows a moved point at once.
  region.GetPoints()->SetPoint(2, {50, 30});
  EXPECT_FALSE(::PtInRegion(region.BuildRegion(Rect(0, 0, 100, 80)), 50, 40));

  // Bitmap and user shapes come from stored region data and yield nothing without; a user
  // region is a plain rectangle while its owner is designed.
  TForm owner(nullptr);
  TVisRegion stored;
  stored.OwnerComponent = &owner;
  for (TVisRegionShape shape : {rsBitmap, rsUserRegion}) {
    stored.SetShape(shape);
    EXPECT_EQ(stored.BuildRegion(Rect(0, 0, 100, 80)), nullptr);
  }
  HRGN circle = ::CreateEllipticRgn(10, 10, 50, 50);
  stored.StoreRegionData(circle);
  stored.GetMask()->SetRegionData(circle);
  ::DeleteObject(circle);
  for (TVisRegionShape shape : {rsBitmap, rsUserRegion}) {
    stored.SetShape(shape);
    HRGN made = stored.BuildRegion(Rect(0, 0, 100, 80));
    ASSERT_TRUE(made);
    EXPECT_TRUE(::PtInRegion(made, 30, 30));
    EXPECT_FALSE(::PtInRegion(made, 12, 12));
  }
  owner.SetDesigning(true);
  EXPECT_TRUE(::PtInRegion(stored.BuildRegion(Rect(0, 0, 100, 80)), 90, 70));

  // A shadow's depth comes off the right and bottom first.
  TVisRegion shaded;
  shaded.SetShape(rsRect);
  shaded.GetShadow()->SetStyle(hssSolid);
  shaded.GetShadow()->SetDepth(5);
  HRGN r = shaded.BuildRegion(Rect(0, 0, 100, 80));
  EXPECT_TRUE(::PtInRegion(r, 94, 74));
  EXPECT_FALSE(::PtInRegion(r, 95, 40));
  EXPECT_FALSE(::PtInRegion(r, 40, 75));

  struct Packed {
    TPoint in, out;
  };
  const Packed packed[] = {{{40000, -5}, {40000, -5}}, {{-1, 3}, {65535, 3}}, {{70000, 40000}, {4464, -25536}}};
  TVisPointList points;
  for (const Packed& p : packed) {
    points.AddPoint(p.in);
    EXPECT_EQ(points.GetPoint(points.GetCount() - 1), p.out);
  }
  TPoint untouched{7, 7};
  points.GetPoint(9, untouched);
  EXPECT_EQ(untouched, Point(7, 7));
}

TEST(RegionShapes, BordersAndShadowsDrawn) {
  struct Case {
    TVisRegionBorderStyle style;
    TColor top, bottom;
  };
  const Case cases[] = {{rbRaised, clWhite, clGray},  {rbLowered, clGray, clWhite},  {rbSingle, clBlack, clBlack},
                        {rbSingleRaised, clBlack, clBlack}, {rbRaisedpsb, clWhite, clBlack}, {rbNone, clYellow, clYellow}};
  for (const Case& c : cases) {
    SCOPED_TRACE(GetEnumName(TypeInfo<TVisRegionBorderStyle>(), c.style));
    TVisBorderRegion region;
    region.SetShape(rsRect);
    region.GetBorder()->SetStyle(c.style);
    region.GetBorder()->SetLightColor(clWhite);
    region.GetBorder()->SetShadowColor(clGray);
    region.GetBorder()->SetSingleColor(clBlack);
    auto bitmap = Bitmap24(60, 40, clYellow);
    region.BuildRegion(Rect(0, 0, 60, 40));
    region.DrawBorder(bitmap->GetCanvas(), Rect(0, 0, 60, 40));
    EXPECT_EQ(At(*bitmap, 30, 0), c.top);
    EXPECT_EQ(At(*bitmap, 30, 39), c.bottom);
    EXPECT_EQ(At(*bitmap, 30, 20), clYellow);
    if (c.style == rbSingleRaised) {
      EXPECT_EQ(At(*bitmap, 30, 1), clWhite);
      EXPECT_EQ(At(*bitmap, 30, 38), clGray);
    }
    if (c.style == rbRaisedpsb) EXPECT_EQ(At(*bitmap, 30, 38), clGray);
  }

  // A solid shadow fills what the shape moved by its depth covers beside the shape.
  TVisBorderRegion region;
  region.SetShape(rsRect);
  region.GetBorder()->SetStyle(rbNone);
  region.GetShadow()->SetStyle(hssSolid);
  region.GetShadow()->SetDepth(6);
  region.GetShadow()->SetColor(clNavy);
  auto bitmap = Bitmap24(60, 40, clYellow);
  region.BuildRegion(Rect(0, 0, 60, 40));
  region.DrawBorder(bitmap->GetCanvas(), Rect(0, 0, 60, 40));
  EXPECT_EQ(At(*bitmap, 57, 20), clNavy);
  EXPECT_EQ(At(*bitmap, 30, 37), clNavy);
  EXPECT_EQ(At(*bitmap, 2, 37), clYellow);
  EXPECT_EQ(At(*bitmap, 30, 20), clYellow);

  // A point list's outline takes its colours from each segment's direction.
  TVisBorderRegion points;
  points.SetShape(rsPointList);
  points.GetBorder()->SetStyle(rbRaised);
  points.GetBorder()->SetLightColor(clWhite);
  points.GetBorder()->SetShadowColor(clGray);
  for (TPoint p : {Point(5, 5), Point(50, 5), Point(50, 35), Point(5, 35)}) points.GetPoints()->AddPoint(p);
  auto lines = Bitmap24(60, 40, clYellow);
  points.DrawBorder(lines->GetCanvas(), Rect(0, 0, 60, 40));
  EXPECT_EQ(At(*lines, 25, 5), clWhite);   // rightward
  EXPECT_EQ(At(*lines, 50, 20), clGray);   // downward
  EXPECT_EQ(At(*lines, 25, 35), clGray);   // leftward
  EXPECT_EQ(At(*lines, 5, 20), clWhite);   // upward
}

// --- The form shape ----------------------------------------------------------------------------------

class FormShapeTest : public ::testing::Test {
protected:
  void TearDown() override {
    for (TForm* form : forms_) Free(form);
  }
  // A shown form with a form shape of the given outline.
  TForm* ShapedForm(TVisRegionShape Shape, TFormBorderStyle Border = bsSingle) {
    auto* form = new TForm(Application);
    forms_.push_back(form);
    form->SetBorderStyle(Border);
    form->SetBounds(80, 80, 300, 220);
    form->SetColor(clWhite);
    form->SetCaption("Shaped");
    shape_ = new TVisFormShape(form);
    shape_->GetRegion()->SetShape(Shape);
    shape_->GetRegion()->GetBorder()->SetStyle(rbSingle);
    form->Show();
    ProcessUntil([&] { return ::IsWindowVisible(form->GetHandle()) != 0; });
    form->Update();
    return form;
  }
  static bool InWindowRegion(TForm* Form, Integer X, Integer Y) {
    HRGN r = ::CreateRectRgn(0, 0, 0, 0);
    const int kind = ::GetWindowRgn(Form->GetHandle(), r);
    const bool inside = kind != ERROR && ::PtInRegion(r, X, Y);
    ::DeleteObject(r);
    return inside;
  }
  // The top of the client area in window coordinates.
  static Integer ClientTop(TForm* Form) {
    RECT w;
    ::GetWindowRect(Form->GetHandle(), &w);
    const TPoint origin = Form->ClientToScreen(Point(0, 0));
    return origin.Y - w.top;
  }

  std::vector<TForm*> forms_;
  TVisFormShape* shape_ = nullptr;
};

TEST_F(FormShapeTest, TheTitleBarIsKeptOrCutAway) {
  TForm* form = ShapedForm(rsElliptic);
  const Integer top = ClientTop(form);
  ASSERT_GT(top, 10);
  // The title strip stays; the client area is the ellipse's.
  EXPECT_TRUE(InWindowRegion(form, 5, top / 2));
  EXPECT_TRUE(InWindowRegion(form, 150, top + 100));
  EXPECT_FALSE(InWindowRegion(form, 6, top + 6));
  testing_support::SaveScreenshot(form->GetHandle(), "formshape-elliptic-caption");

  shape_->SetShowFormCaption(false);
  EXPECT_FALSE(InWindowRegion(form, 5, top / 2));
  EXPECT_TRUE(InWindowRegion(form, 150, top + 100));

  // Without a border there is no title strip to cut.
  TForm* plain = ShapedForm(rsRect, bsNone);
  shape_->SetShowFormCaption(false);
  EXPECT_EQ(ClientTop(plain), 0);
  EXPECT_TRUE(InWindowRegion(plain, 5, 2));
  EXPECT_EQ(shape_->GetCaptionHeight(), 0);
}

TEST_F(FormShapeTest, AShapeThatYieldsNothingLeavesTheTitleStripAlone) {
  TForm* form = ShapedForm(rsBitmap);
  const Integer top = ClientTop(form);
  HRGN r = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(form->GetHandle(), r), ERROR);
  RECT box;
  ::GetRgnBox(r, &box);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.bottom, top);
  EXPECT_EQ(box.right, form->GetWidth());
  // Without the caption the window keeps nothing.
  shape_->SetShowFormCaption(false);
  EXPECT_EQ(::GetWindowRgn(form->GetHandle(), r), NULLREGION);
  ::DeleteObject(r);
}

TEST_F(FormShapeTest, AMinimisedFormKeepsOnlyItsTitleStrip) {
  TForm* form = ShapedForm(rsStar);
  const Integer top = ClientTop(form);
  ::ShowWindow(form->GetHandle(), SW_MINIMIZE);
  ASSERT_TRUE(ProcessUntil([&] { return ::IsIconic(form->GetHandle()) != 0; }));
  // Minimising sends WM_SIZE, which applies the region again.
  shape_->ApplyRegion();
  HRGN r = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(form->GetHandle(), r), ERROR);
  RECT box;
  ::GetRgnBox(r, &box);
  ::DeleteObject(r);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.bottom, top);
  EXPECT_EQ(box.right, form->GetWidth());
  ::ShowWindow(form->GetHandle(), SW_RESTORE);
  ASSERT_TRUE(ProcessUntil([&] { return !::IsIconic(form->GetHandle()); }));
  shape_->ApplyRegion();
  EXPECT_TRUE(InWindowRegion(form, 150, top + 100));
}

TEST_F(FormShapeTest, TheFormIsDraggedByItsEmptyClientArea) {
  TForm* form = ShapedForm(rsRoundRect);
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(20, 20, 80, 25);
  form->Update();
  const auto hit = [&](Integer X, Integer Y) {
    const TPoint p = form->ClientToScreen(Point(X, Y));
    return ::SendMessageA(form->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y));
  };
  EXPECT_EQ(hit(150, 120), HTCAPTION);
  EXPECT_EQ(hit(40, 30), HTCLIENT);
  // The right button held on the frame makes no caption of the client area. (On the caption the
  // system would track the button for the window menu, so the message names the border.)
  ::SendMessageA(form->GetHandle(), WM_NCRBUTTONDOWN, HTBORDER, 0);
  EXPECT_EQ(hit(150, 120), HTCLIENT);
  ::SendMessageA(form->GetHandle(), WM_NCRBUTTONUP, HTBORDER, 0);
  EXPECT_EQ(hit(150, 120), HTCAPTION);
  shape_->SetFormDragable(false);
  EXPECT_EQ(hit(150, 120), HTCLIENT);
  shape_->SetFormDragable(true);

  // A real drag: the button goes down on the client area, the mouse moves, the button goes up.
  // The system's move loop runs inside the button-down message, so the input comes from another
  // thread while this one pumps.
  form->BringToFront();
  ::SetForegroundWindow(form->GetHandle());
  ProcessFor(100);
  const Integer left = form->GetLeft(), top = form->GetTop();
  const TPoint start = form->ClientToScreen(Point(150, 120));
  ::SetCursorPos(start.X, start.Y);
  std::atomic<bool> sent{false};
  std::thread mouse([&] {
    const auto send = [](DWORD Flags) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = Flags;
      ::SendInput(1, &input, sizeof input);
      ::Sleep(60);
    };
    send(MOUSEEVENTF_LEFTDOWN);
    for (Integer step = 1; step <= 4; ++step) {
      ::SetCursorPos(start.X + 10 * step, start.Y + 5 * step);
      send(MOUSEEVENTF_MOVE);
    }
    send(MOUSEEVENTF_LEFTUP);
    sent = true;
  });
  RECT moved{};
  const bool dragged = ProcessUntil([&] {
    ::GetWindowRect(form->GetHandle(), &moved);
    return sent && moved.left == left + 40 && moved.top == top + 20;
  }, 30000);
  mouse.join();
  ProcessFor(50);
  EXPECT_TRUE(dragged) << moved.left << "," << moved.top << " from " << left << "," << top;
}

TEST_F(FormShapeTest, TheBackgroundIsFilledAndBordered) {
  auto* form = new TForm(Application);
  forms_.push_back(form);
  form->SetBorderStyle(bsSingle);
  form->SetBounds(80, 80, 320, 240);
  form->SetCaption("Filled");
  shape_ = new TVisFormShape(form);
  shape_->GetRegion()->SetShape(rsNoseRect);
  shape_->GetRegion()->SetExtPos(epBottomLeft);
  shape_->GetRegion()->GetBorder()->SetStyle(rbSingle);
  shape_->GetRegion()->GetBorder()->SetSingleColor(clNavy);
  shape_->GetRegion()->GetShadow()->SetStyle(hssSolid);
  shape_->GetRegion()->GetShadow()->SetColor(clGray);
  shape_->GetRegion()->GetShadow()->SetDepth(6);
  shape_->GetFillObject()->SetStyle(sfGradient);
  shape_->GetFillObject()->GetGradient()->SetColor(clRed);
  shape_->GetFillObject()->GetGradient()->SetEndColor(clYellow);
  shape_->GetFillObject()->GetGradient()->SetStyle(gstHorizontal);
  form->Show();
  ProcessUntil([&] { return ::IsWindowVisible(form->GetHandle()) != 0; });
  form->Update();
  ProcessFor(100);
  testing_support::SaveScreenshot(form->GetHandle(), "formshape-nose-gradient");

  ASSERT_TRUE(shape_->HasBackground());
  TBitmap* back = shape_->GetBackgroundBitmap();
  EXPECT_EQ(back->GetWidth(), form->GetClientWidth());
  // The gradient runs from red at the left to yellow at the right.
  EXPECT_EQ(ColorToRGB(back->GetCanvas()->GetPixels(2, 50)) & 0xFF, 0xFF);
  EXPECT_LT((ColorToRGB(back->GetCanvas()->GetPixels(2, 50)) >> 8) & 0xFF, 0x20);
  EXPECT_GT((ColorToRGB(back->GetCanvas()->GetPixels(back->GetWidth() - 3, 50)) >> 8) & 0xFF, 0xE0);
  // On the screen: the gradient inside, the navy border along the body's top edge.
  const Integer inside = ScreenPixel(form, form->GetClientWidth() / 2, 40);
  EXPECT_EQ(inside & 0xFF, 0xFF);
  EXPECT_EQ(ScreenPixel(form, form->GetClientWidth() / 2, 0), Rgb(clNavy));
  // A shadow with no background means no picture for transparent controls.
  shape_->GetFillObject()->SetStyle(sfNone);
  EXPECT_FALSE(shape_->HasBackground());
}

TEST_F(FormShapeTest, RegionAndBorderDataRoundTripThroughTheFormStream) {
  TForm source(nullptr);
  auto* shape = new TVisFormShape(&source);
  shape->SetName("Shape");
  TVisBorderRegion* region = shape->GetRegion();
  region->SetShape(rsBitmap);
  region->SetRoundX(12);
  region->SetExtPos(epRightBottom);
  region->GetBorder()->SetStyle(rbRaisedpsb);
  region->GetBorder()->SetSingleColor(clMaroon);
  region->GetShadow()->SetStyle(hssTracing);
  region->GetShadow()->SetDepth(9);
  HRGN circle = ::CreateEllipticRgn(0, 0, 40, 30);
  region->GetMask()->SetRegionData(circle);
  ::DeleteObject(circle);
  region->GetMask()->SetCompressed(true);
  region->GetMask()->GetBorderBmp()->Assign(Bitmap24(40, 30, clTeal).get());
  region->GetPoints()->AddPoint({3, 4});
  region->GetPoints()->AddPoint({40000, -2});
  shape->SetShowFormCaption(false);

  const AnsiString text = FormText(&source);
  for (const char* name : {"Region.Mask.RegionData", "Region.Mask.BorderBmp", "Region.PointList",
                           "Region.Border.Style = rbRaisedpsb", "ShowFormCaption = False"})
    EXPECT_NE(text.find(name), AnsiString::npos) << name << "\n" << text;
  EXPECT_EQ(text.find("BorderUpBmp"), AnsiString::npos);

  TForm copy(nullptr);
  ReadFormText(text, &copy);
  auto* read = dynamic_cast<TVisFormShape*>(copy.FindComponent("Shape"));
  ASSERT_TRUE(read);
  TVisBorderRegion* r = read->GetRegion();
  EXPECT_EQ(r->GetShape(), rsBitmap);
  EXPECT_EQ(r->GetRoundX(), 12);
  EXPECT_EQ(r->GetExtPos(), epRightBottom);
  EXPECT_EQ(r->GetBorder()->GetStyle(), rbRaisedpsb);
  EXPECT_EQ(r->GetBorder()->GetSingleColor(), clMaroon);
  EXPECT_EQ(r->GetShadow()->GetStyle(), hssTracing);
  EXPECT_EQ(r->GetShadow()->GetDepth(), 9);
  EXPECT_EQ(r->GetMask()->GetRegionData(), region->GetMask()->GetRegionData());
  EXPECT_TRUE(r->GetMask()->GetCompressed());
  EXPECT_EQ(ColorToRGB(r->GetMask()->GetBorderBmp()->GetCanvas()->GetPixels(20, 15)), clTeal);
  ASSERT_EQ(r->GetPoints()->GetCount(), 2);
  EXPECT_EQ(r->GetPoints()->GetPoint(1), Point(40000, -2));
  EXPECT_FALSE(read->GetShowFormCaption());
  HRGN made = r->BuildRegion(Rect(0, 0, 40, 30));
  ASSERT_TRUE(made);
  EXPECT_TRUE(::PtInRegion(made, 20, 15));
  EXPECT_FALSE(::PtInRegion(made, 1, 1));

  // A mask without data and a region without points write neither.
  TForm empty(nullptr);
  auto* plain = new TVisFormShape(&empty);
  plain->SetName("Plain");
  const AnsiString plainText = FormText(&empty);
  EXPECT_EQ(plainText.find("RegionData"), AnsiString::npos);
  EXPECT_EQ(plainText.find("PointList"), AnsiString::npos);
  EXPECT_EQ(plainText.find("Bmp"), AnsiString::npos);

  // Region data whose length disagrees with its size is refused.
  AnsiString damaged = text;
  const std::size_t at = damaged.find("RegionDataSize = ");
  ASSERT_NE(at, AnsiString::npos);
  damaged.insert(at + 17, "1");
  TForm bad(nullptr);
  EXPECT_THROW(ReadFormText(damaged, &bad), Exception);
}

TEST_F(FormShapeTest, ASecondShapeOnADesignedFormIsRefused) {
  TForm form(nullptr);
  form.SetDesigning(true);
  new TVisFormShape(&form);
  try {
    new TVisFormShape(&form);
    FAIL() << "a second form shape was made";
  } catch (const VisEOneInstError& e) {
    EXPECT_NE(e.Message.find("Invalid owner (<>TForm) or second instance on a form"), AnsiString::npos);
  }
  EXPECT_EQ(form.GetComponentCount(), 1);
}

}  // namespace
