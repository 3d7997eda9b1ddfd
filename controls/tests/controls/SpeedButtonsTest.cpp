// Speed buttons on a shown form, pressed with real mouse messages: clicks, groups, repeating,
// drop-down menus and combos, turning hot under the pointer, and where glyph, caption and
// drop-down arrow are drawn.
#include <algorithm>
#include <string>
#include <vector>

#include "classlib/Menus.h"
#include "controls/VisButtons.h"
#include "controls/VisObject.h"
#include "controls/tests/support/ControlForms.h"
#include "controls/viscont.h"
#include "controls/visglyph.h"

using namespace control_forms;
using namespace pixels;

namespace {

class SpeedButtonTest : public ControlFormTest {
protected:
  TVisSpeedButton* NewButton(Integer Left, Integer Top, Integer Group = 0) {
    auto* button = Add<TVisSpeedButton>(Left, Top);
    button->SetStyle(ubsWin40);
    button->SetGroupIndex(Group);
    button->OnClick = TNotifyEvent::FromFunction([this](TObject* Sender) { clicks.push_back(Sender); });
    return button;
  }
  // A press and release at (X, Y) of the button, the pointer there.
  void Press(TControl* Button, Integer X = 5, Integer Y = 5) { ClickAt(Button, X, Y); }

  std::vector<TObject*> clicks;
};

TEST_F(SpeedButtonTest, NewButtonsHaveTheirSizes) {
  auto* speed = new TVisSpeedButton(form_);
  EXPECT_EQ(speed->GetWidth(), 23);
  EXPECT_EQ(speed->GetHeight(), 22);
  EXPECT_EQ(speed->GetColor(), clWindow);
  EXPECT_EQ(speed->GetStyle(), ubsAutoDetect);
  auto* graphic = new TVisBaseGraphicButton(form_);
  EXPECT_EQ(graphic->GetWidth(), 25);
  EXPECT_EQ(graphic->GetHeight(), 25);
  EXPECT_EQ(graphic->RepeatingDelay, 500);
  EXPECT_EQ(graphic->RepeatingInterval, 100);
}

TEST_F(SpeedButtonTest, AClickIsAReleaseOverTheButton) {
  auto* button = NewButton(20, 20);
  Press(button);
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_EQ(button->GetState(), bstUp);
  // Pressed, dragged off and released elsewhere: no click, and the button is up again.
  PointAt(button, 5, 5);
  SendMouse(button, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  EXPECT_EQ(button->GetState(), bstHeld);
  SendMouse(button, WM_MOUSEMOVE, 60, 60, MK_LBUTTON);
  EXPECT_EQ(button->GetState(), bstUp);
  SendMouse(button, WM_MOUSEMOVE, 6, 6, MK_LBUTTON);
  EXPECT_EQ(button->GetState(), bstHeld) << "back over it while held";
  SendMouse(button, WM_MOUSEMOVE, 60, 60, MK_LBUTTON);
  SendMouse(button, WM_LBUTTONUP, 60, 60);
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_EQ(button->GetState(), bstUp);
  // A disabled button gives no click.
  button->SetEnabled(false);
  EXPECT_EQ(button->GetState(), bstDisabled);
  Press(button);
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, TheUsersMouseClicksAndLatchesIt) {
  auto* button = NewButton(20, 20, 1);
  // Through the system's input queue, as a person's click comes.
  testing_support::MouseClick(form_->GetHandle(), 30, 30);
  EXPECT_TRUE(ProcessUntil([&] { return clicks.size() == 1; }));
  EXPECT_TRUE(button->GetPressed());
  EXPECT_EQ(button->GetState(), bstLatched);
}

TEST_F(SpeedButtonTest, OnlyAGroupedButtonCanBePressed) {
  auto* single = NewButton(20, 20);
  single->SetPressed(true);
  EXPECT_FALSE(single->GetPressed());
  Press(single);
  EXPECT_FALSE(single->GetPressed());

  auto* grouped = NewButton(50, 20, 1);
  grouped->SetPressed(true);
  EXPECT_TRUE(grouped->GetPressed());
  EXPECT_EQ(grouped->GetState(), bstLatched);
  grouped->SetPressed(false);
  EXPECT_TRUE(grouped->GetPressed()) << "without AllowAllUp one of the group stays down";
  grouped->SetEnabled(false);
  EXPECT_EQ(grouped->GetState(), bstDisabledLatched);
  grouped->SetEnabled(true);
  EXPECT_EQ(grouped->GetState(), bstLatched);
}

TEST_F(SpeedButtonTest, ButtonsOfAGroupLatchOneAtATime) {
  auto* genesis = NewButton(20, 20, 1);
  auto* exodus = NewButton(50, 20, 1);
  auto* other = NewButton(80, 20, 2);
  other->SetPressed(true);
  Press(genesis);
  EXPECT_TRUE(genesis->GetPressed());
  EXPECT_EQ(clicks, std::vector<TObject*>{genesis});
  Press(exodus);
  EXPECT_TRUE(exodus->GetPressed());
  EXPECT_FALSE(genesis->GetPressed());
  EXPECT_EQ(genesis->GetState(), bstUp);
  EXPECT_TRUE(other->GetPressed()) << "another group is left alone";
  // Clicking the pressed one again leaves it pressed, without a click.
  Press(exodus);
  EXPECT_TRUE(exodus->GetPressed());
  EXPECT_EQ(clicks.size(), 2u);

  // With AllowAllUp (which the group shares) the pressed one comes up again.
  genesis->SetAllowAllUp(true);
  EXPECT_TRUE(exodus->GetAllowAllUp());
  Press(exodus);
  EXPECT_FALSE(exodus->GetPressed());
  EXPECT_FALSE(genesis->GetPressed());
  EXPECT_EQ(clicks.size(), 3u);

  // A double click on a pressed button is a double click.
  int doubles = 0;
  exodus->OnDblClick = TNotifyEvent::FromFunction([&](TObject*) { ++doubles; });
  Press(exodus);
  SendMouse(exodus, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);
  SendMouse(exodus, WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(doubles, 1);
}

TEST_F(SpeedButtonTest, HeldWithRepeatedClickItClicksAtOnceThenAfterTheDelayThenEveryInterval) {
  auto* button = NewButton(20, 20);
  button->RepeatedClick = true;
  std::vector<DWORD> times;
  button->OnClick = TNotifyEvent::FromFunction([&](TObject*) { times.push_back(::GetTickCount()); });
  PointAt(button, 5, 5);
  const DWORD start = ::GetTickCount();
  SendMouse(button, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  ASSERT_EQ(times.size(), 1u) << "the first click comes with the press";
  ASSERT_TRUE(ProcessUntil([&] { return times.size() >= 8; }, 30000));
  SendMouse(button, WM_LBUTTONUP, 5, 5);
  // Timers are never early; a loaded machine may make them late, so the times are bounded from
  // below only, from a moment before the press. That the repeats come faster than the delay is
  // seen in the shortest of six gaps: a busy machine would have to hold back every one of them.
  EXPECT_GE(times[1] - start, 450u);
  EXPECT_GE(times[3] - start, 450u + 2 * 90u);
  DWORD shortest = times[2] - times[1];
  for (size_t i = 2; i + 1 < times.size(); ++i) shortest = std::min<DWORD>(shortest, times[i + 1] - times[i]);
  EXPECT_LT(shortest, times[1] - start);
  // Released: no further click.
  const size_t given = times.size();
  ProcessFor(350);
  EXPECT_EQ(times.size(), given);

  // Off the button the clicks pause, and come again when the pointer is back.
  times.clear();
  SendMouse(button, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  PointAt(button, 80, 80);
  SendMouse(button, WM_MOUSEMOVE, 80, 80, MK_LBUTTON);
  ProcessFor(700);
  EXPECT_EQ(times.size(), 1u);
  PointAt(button, 5, 5);
  SendMouse(button, WM_MOUSEMOVE, 5, 5, MK_LBUTTON);
  EXPECT_TRUE(ProcessUntil([&] { return times.size() >= 2; }, 30000));
  // Released outside: the repeat stops and no click is added.
  PointAt(button, 80, 80);
  SendMouse(button, WM_LBUTTONUP, 80, 80);
  const size_t after = times.size();
  ProcessFor(300);
  EXPECT_EQ(times.size(), after);
}

TEST_F(SpeedButtonTest, ADropDownComboIsWiderByItsArrowPart) {
  auto* button = NewButton(20, 20);
  EXPECT_EQ(button->GetWidth(), 23);
  button->SetDropDownCombo(true);
  EXPECT_EQ(button->GetWidth(), 35);
  button->SetDropDownComboWidth(16);
  EXPECT_EQ(button->GetWidth(), 39);
  button->SetDropDownComboWidth(12);
  button->SetDropDownCombo(false);
  EXPECT_EQ(button->GetWidth(), 23);
}

TEST_F(SpeedButtonTest, TheDropDownMenuOpensBelowOrBesideTheButton) {
  auto* menu = new TPopupMenu(form_);
  auto* item = new TMenuItem(menu);
  item->SetCaption("Genesis");
  menu->GetItems()->Add(item);
  auto* button = NewButton(40, 30);
  button->SetDropDownMenu(menu);
  std::vector<Byte> statesShown;
  button->OnDropDown = TNotifyEvent::FromFunction([&](TObject*) { statesShown.push_back(button->GetState()); });
  struct Case {
    bool right;
    Integer indent;
    TPoint corner;  // in the button's client coordinates
  };
  for (const Case& c : {Case{false, 0, {0, 22}}, Case{false, 5, {5, 22}}, Case{true, 4, {23, 4}}}) {
    SCOPED_TRACE(c.indent);
    button->SetDropDownRight(c.right);
    button->SetDropDownIndent(c.indent);
    // The menu's own loop reads the key that closes it.
    ::PostMessageA(form_->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
    Press(button);
    EXPECT_EQ(menu->GetPopupPoint(), button->ClientToScreen(c.corner));
    EXPECT_EQ(button->GetState(), bstHot);
  }
  EXPECT_EQ(statesShown, std::vector<Byte>(3, bstDropDown));
  EXPECT_TRUE(clicks.empty()) << "the press opened the menu";
  // Freeing the menu leaves the button without one.
  delete menu;
  EXPECT_EQ(button->GetDropDownMenu(), nullptr);
  Press(button);
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, AComboOpensTheMenuOnlyFromItsArrowPart) {
  auto* menu = new TPopupMenu(form_);
  auto* item = new TMenuItem(menu);
  item->SetCaption("Exodus");
  menu->GetItems()->Add(item);
  auto* button = NewButton(40, 30);
  button->SetDropDownMenu(menu);
  button->SetDropDownCombo(true);
  int opened = 0;
  button->OnDropDown = TNotifyEvent::FromFunction([&](TObject*) { ++opened; });
  Press(button, 5, 5);
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(clicks.size(), 1u);
  ::PostMessageA(form_->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
  Press(button, 29, 5);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, TheButtonTurnsHotUnderThePointer) {
  auto* button = NewButton(20, 20);
  int enters = 0, exits = 0;
  button->OnMouseEnter = TNotifyEvent::FromFunction([&](TObject*) { ++enters; });
  button->OnMouseExit = TNotifyEvent::FromFunction([&](TObject*) { ++exits; });
  PointAt(form_, 300, 200);
  ASSERT_TRUE(IdleUntil([&] { return !button->GetMouseInside(); }));
  PointAt(button, 5, 5);
  EXPECT_TRUE(IdleUntil([&] { return button->GetState() == bstHot; }));
  EXPECT_TRUE(button->GetMouseInside());
  PointAt(form_, 300, 200);
  EXPECT_TRUE(IdleUntil([&] { return button->GetState() == bstUp; }));
  EXPECT_FALSE(button->GetMouseInside());
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(exits, 1);

  // A flat button also notices with its timer that the pointer left.
  button->SetStyle(ubsFlat);
  PointAt(button, 5, 5);
  EXPECT_TRUE(IdleUntil([&] { return button->GetState() == bstHot; }));
  PointAt(form_, 300, 200);
  EXPECT_TRUE(ProcessUntil([&] { return button->GetState() == bstUp; }));
}

// Picture with everything outside Area painted white (to leave out a button's frame).
std::unique_ptr<TBitmap> Only(TBitmap& Picture, const TRect& Area) {
  auto copy = Bitmap24(Picture.GetWidth(), Picture.GetHeight());
  for (Integer y = Area.Top; y < Area.Bottom; ++y)
    for (Integer x = Area.Left; x < Area.Right; ++x) Put(*copy, x, y, At(Picture, x, y));
  return copy;
}

// A red square glyph, so that its place shows among the caption's black pixels.
std::unique_ptr<TBitmap> RedSquare() {
  auto glyph = Bitmap24(10, 10, clRed);
  Put(*glyph, 0, 9, clOlive);  // the bottom-left pixel is the transparent colour
  return glyph;
}

TEST_F(SpeedButtonTest, GlyphAndCaptionFollowTheButtonLayout) {
  VisApplication->SetUseXPThemes(false);
  struct Case {
    TVisTextArrange arrange;
    int dx;  // caption's centre right (1) or left (-1) of the glyph's, or 0
    int dy;  // below (1) or above (-1), or 0
  };
  const Case cases[] = {{taRight, 1, 0}, {taLeft, -1, 0}, {taBottom, 0, 1}, {taTop, 0, -1}};
  auto glyph = RedSquare();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arrange);
    auto* button = NewButton(20, 20);
    button->SetBounds(20, 20, 90, 60);
    button->SetColor(clWhite);
    button->SetGlyph(glyph.get());
    button->SetCaption("Go");
    button->GetFont()->SetColor(clBlack);
    button->GetButtonLayout()->SetAlignText2Glyph(c.arrange);
    Shot("speedbutton-layout");
    auto picture = CaptureClient(button);
    const TRect red = BoundsOf(*picture, clRed);
    const TRect black = BoundsOf(*Only(*picture, Rect(3, 3, 87, 57)), clBlack);
    ASSERT_GT(red.Width(), 0);
    ASSERT_GT(black.Width(), 0);
    const auto centre = [](const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; };
    const TPoint g = centre(red), t = centre(black);
    if (c.dx != 0) {
      EXPECT_EQ(t.X > g.X ? 1 : -1, c.dx);
    }
    if (c.dy != 0) {
      EXPECT_EQ(t.Y > g.Y ? 1 : -1, c.dy);
    }
    // The pair is centred in the button: the room left and right differs by at most a pixel
    // or two of rounding.
    const Integer left = std::min(red.Left, black.Left), right = std::max(red.Right, black.Right);
    EXPECT_LE(std::abs(left - (90 - right)), 3);
    delete button;
  }
}

TEST_F(SpeedButtonTest, AComboDrawsItsArrowInTheArrowPart) {
  VisApplication->SetUseXPThemes(false);
  auto* menu = new TPopupMenu(form_);
  auto* button = NewButton(20, 20);
  button->SetColor(clWhite);
  button->SetDropDownMenu(menu);
  button->SetDropDownCombo(true);
  button->SetCaption("");
  Shot("speedbutton-combo");
  auto picture = CaptureClient(button);
  // The arrow is the only text-coloured shape: a triangle 5 pixels wide and 3 high, centred
  // in the rightmost 12 pixels.
  const TRect arrow = BoundsOf(*Only(*picture, Rect(25, 4, 33, 18)), Sys(clBtnText));
  EXPECT_EQ(arrow.Width(), 5);
  EXPECT_EQ(arrow.Height(), 3);
  EXPECT_EQ(arrow.Left, 23 + (12 - 5) / 2);
  EXPECT_EQ(arrow.Top, (22 - 3) / 2);
}

TEST_F(SpeedButtonTest, EveryStyleDrawsAFaceWithItsCaption) {
  const TVisUserButtonStyle styles[] = {ubsAutoDetect, ubsWin31,      ubsWin40,     ubsDelphi,     ubsDelphiFlat,
                                        ubsFlat,       ubsFlatUnColored, ubsNavigator, ubsExplorer,   ubsExplorerColored,
                                        ubsIntegrated, ubsWinXP,      ubsWinXPCombo, ubsWinXPTool};
  auto glyph = RedSquare();
  auto* menu = new TPopupMenu(form_);
  std::vector<TVisSpeedButton*> buttons;
  for (size_t i = 0; i < std::size(styles); ++i) {
    auto* button = NewButton(10 + static_cast<Integer>(i % 5) * 80, 10 + static_cast<Integer>(i / 5) * 40, 1);
    button->SetBounds(button->GetLeft(), button->GetTop(), 60, 30);
    button->SetStyle(styles[i]);
    button->SetColor(clBtnFace);
    button->SetGlyph(glyph.get());
    button->SetCaption("Go");
    if (i % 3 == 1) button->SetPressed(true);
    if (i % 4 == 2) {
      button->SetDropDownMenu(menu);
      button->SetDropDownCombo(true);
    }
    buttons.push_back(button);
  }
  buttons[2]->SetEnabled(false);
  Shot("speedbutton-styles");
  for (TVisSpeedButton* button : buttons) {
    SCOPED_TRACE(button->GetStyle());
    const Integer red = Count(*CaptureClient(button), clRed);
    if (!button->GetEnabled())
      EXPECT_EQ(red, 0) << "a disabled glyph is drawn embossed";
    else if (button->GetStyle() == ubsWinXPCombo)
      EXPECT_EQ(red, 0) << "the themed combo shows its arrow alone";
    else
      EXPECT_GT(red, 0) << "the glyph";
  }
}

// A picture list holding one 10 x 10 red square at (0, 2).
class TOneSquareList : public TVisCustomImageList {
  CLASS_INFO(TOneSquareList, TVisCustomImageList)
public:
  using TVisCustomImageList::TVisCustomImageList;
  bool IsValid(Integer ListIndex, Integer ImageIndex) override { return ListIndex == 0 && ImageIndex == 2; }
  void AssignPicture(Integer ListIndex, Integer ImageIndex, TBitmap* Target) override {
    if (IsValid(ListIndex, ImageIndex) && Target) Target->Assign(RedSquare().get());
  }
};

TEST_F(SpeedButtonTest, TheGlyphComesFromTheImageListUntilOneIsSetDirectly) {
  auto* list = new TOneSquareList(form_);
  auto* button = NewButton(20, 20);
  button->SetImageIndex(2);
  button->SetImageList(list);
  EXPECT_EQ(button->GetGlyph()->GetWidth(), 10);
  EXPECT_FALSE(button->IsGlyphStored());
  button->SetImageIndex(3);
  EXPECT_TRUE(button->GetGlyph()->GetEmpty()) << "the list has no such picture";
  button->SetImageIndex(2);
  auto own = Bitmap24(16, 16, clBlue);
  button->SetGlyph(own.get());
  EXPECT_EQ(button->GetImageList(), nullptr);
  EXPECT_EQ(button->GetGlyph()->GetWidth(), 16);
  EXPECT_TRUE(button->IsGlyphStored());
}

TEST_F(SpeedButtonTest, AGroupReadFromAFormKeepsItsPressedButton) {
  auto* button = new TVisSpeedButton(form_);
  button->SetParent(form_);
  ReadFormText(
      "object Button1: TVisSpeedButton\n"
      "  Caption = 'NT'\n"
      "  GroupIndex = 3\n"
      "  Pressed = True\n"
      "  DropDownCombo = True\n"
      "  Style = ubsFlat\n"
      "end\n",
      button);
  EXPECT_TRUE(button->GetPressed());
  EXPECT_EQ(button->GetGroupIndex(), 3);
  EXPECT_EQ(button->GetStyle(), ubsFlat);
  EXPECT_EQ(button->GetWidth(), 23) << "a combo read from a form keeps its stored width";
}

}  // namespace
