// Parent panels, panel fills and button panels on a shown form: the back bitmap built from an
// image list or a fill and rebuilt only when the panel grows beyond it, transparent children
// showing the part of it under them, and the button panel's grid.
#include <vector>

#include "controls/VisButtonPanel.h"
#include "controls/VisFormShape.h"
#include "controls/VisObject.h"
#include "controls/VisParentPanel.h"
#include "controls/tests/support/ControlForms.h"
#include "controls/viscont.h"

using namespace control_forms;
using namespace pixels;

namespace {

// A 2 x 2 checker of red and blue cells of 8 pixels.
std::unique_ptr<TBitmap> Checker() {
  auto picture = Bitmap24(16, 16, clRed);
  for (Integer y = 0; y < 16; ++y)
    for (Integer x = 0; x < 16; ++x)
      if ((x < 8) != (y < 8)) Put(*picture, x, y, clBlue);
  return picture;
}

// A transparent panel that counts the colour changes it is told of.
class CountingPanel : public TVisCustomPanel {
public:
  explicit CountingPanel(TComponent* AOwner) : TVisCustomPanel(AOwner) { SetTransparent(true); }
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CM_COLORCHANGED) ++colourChanges;
    TVisCustomPanel::Dispatch(Message);
  }
  int colourChanges = 0;
};

class PanelFillTest : public ControlFormTest {
protected:
  void SetUp() override {
    ControlFormTest::SetUp();
    pictures_ = new TVisBitmapList(form_);
    pictures_->StorageMode = 0;
    static_cast<TVisBitmapListItem*>(pictures_->Add())->SetBitmap(Checker().get());
  }
  TVisBitmapList* pictures_ = nullptr;
};

TEST_F(PanelFillTest, AParentPanelWithoutAPictureKeepsNoBackBitmap) {
  auto* panel = Add<TVisCustomParentPanel>(20, 20, 120, 80);
  panel->SetColor(clYellow);
  Shot("parent-panel-plain");
  EXPECT_EQ(panel->GetBackBitmap(), nullptr);
  EXPECT_EQ(ScreenPixel(panel, 60, 40), Rgb(clYellow));
  // An index the list does not hold shows no picture either.
  panel->SetImageList(pictures_);
  panel->SetListIndex(3);
  EXPECT_EQ(panel->GetBackBitmap(), nullptr);
}

TEST_F(PanelFillTest, ThePictureIsTiledAndRebuiltOnlyWhenThePanelGrows) {
  auto* panel = Add<TVisCustomParentPanel>(20, 20, 100, 60);
  panel->SetImageList(pictures_);
  auto* child = Add<TVisCustomPanel>(30, 20, 40, 30, panel);
  child->SetTransparent(true);
  Shot("parent-panel-picture");
  TBitmap* back = panel->GetBackBitmap();
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetWidth(), 100);
  EXPECT_EQ(back->GetHeight(), 60);
  // The checker repeats every 16 pixels.
  for (const TPoint p : {Point(4, 4), Point(20, 20), Point(52, 36)}) EXPECT_EQ(ScreenPixel(panel, p.X, p.Y), Rgb(clRed));
  for (const TPoint p : {Point(12, 4), Point(4, 28), Point(92, 4)}) EXPECT_EQ(ScreenPixel(panel, p.X, p.Y), Rgb(clBlue));
  // The transparent child shows the part of the picture under it: its (2, 4) is the panel's (32, 24).
  EXPECT_EQ(ScreenPixel(child, 2, 4), Rgb(clBlue));
  EXPECT_EQ(ScreenPixel(child, 10, 4), Rgb(clRed));

  panel->SetBounds(20, 20, 80, 50);
  EXPECT_EQ(panel->GetBackBitmap()->GetWidth(), 100) << "a smaller panel keeps its bitmap";
  EXPECT_EQ(panel->GetBackBitmap()->GetHeight(), 60);
  panel->SetBounds(20, 20, 140, 50);
  EXPECT_EQ(panel->GetBackBitmap()->GetWidth(), 140) << "a wider one makes it again";
  EXPECT_EQ(panel->GetBackBitmap()->GetHeight(), 50);
  Shot("parent-panel-wider");
  EXPECT_EQ(ScreenPixel(panel, 132, 4), Rgb(clRed));

  // A transparent parent panel shows its parent's background instead.
  panel->SetTransparent(true);
  EXPECT_EQ(panel->GetBackBitmap(), nullptr);
}

TEST_F(PanelFillTest, ATransparentParentPanelShowsTheShapedFormsBackground) {
  auto* shape = new TVisFormShape(form_);
  shape->GetFillObject()->SetStyle(sfGradient);
  shape->GetFillObject()->GetGradient()->SetColor(clRed);
  shape->GetFillObject()->GetGradient()->SetEndColor(clYellow);
  shape->GetFillObject()->GetGradient()->SetStyle(gstHorizontal);
  auto* panel = Add<TVisCustomParentPanel>(20, 20, 100, 60);
  panel->SetColor(clBlue);
  Shot("parent-panel-opaque-on-shaped-form");
  EXPECT_FALSE(panel->IsTransparentSet());
  EXPECT_EQ(ScreenPixel(panel, 50, 30), Rgb(clBlue));
  panel->SetTransparent(true);
  form_->Invalidate();
  Shot("parent-panel-on-shaped-form");
  ASSERT_TRUE(shape->HasBackground());
  EXPECT_TRUE(panel->IsTransparentSet());
  EXPECT_EQ(panel->GetBackEffect(), shape->GetBackgroundBitmap());
  // Red to yellow: full red, little blue, whatever the green.
  const COLORREF shown = ScreenPixel(panel, 50, 30);
  EXPECT_GT(GetRValue(shown), 200);
  EXPECT_LT(GetBValue(shown), 60);
  Free(shape);
}

TEST_F(PanelFillTest, AGradientFillIsMadeAgainAtEveryResizeAndTheChildrenAreTold) {
  auto* fill = Add<TVisCustomPanelFill>(20, 20, 160, 100);
  fill->GetBevel()->SetMode(bmCustom);
  fill->GetFillObject()->SetStyle(sfGradient);
  fill->GetFillObject()->GetGradient()->SetColor(clBlack);
  fill->GetFillObject()->GetGradient()->SetEndColor(clWhite);
  fill->GetFillObject()->GetGradient()->SetStyle(gstHorizontal);
  auto* child = new CountingPanel(form_);
  child->SetParent(fill);
  child->SetBounds(100, 30, 40, 40);
  fill->SetCaption("Genesis");
  Shot("panel-fill-gradient");
  ASSERT_NE(fill->GetBackBitmap(), nullptr);
  // Dark at the left, light at the right, and the child shows the light part under it.
  const COLORREF left = ScreenPixel(fill, 2, 2);
  const COLORREF right = ScreenPixel(fill, 157, 2);
  EXPECT_LT(GetRValue(left), 60);
  EXPECT_GT(GetRValue(right), 190);
  EXPECT_EQ(ScreenPixel(child, 20, 5), ScreenPixel(fill, 120, 35));
  const int told = child->colourChanges;
  fill->SetBounds(20, 20, 120, 100);
  EXPECT_EQ(fill->GetBackBitmap()->GetWidth(), 120) << "a gradient is made for the new width";
  EXPECT_GT(child->colourChanges, told);
  // Nothing to fill with: no bitmap.
  fill->GetFillObject()->SetStyle(sfNone);
  EXPECT_EQ(fill->GetBackBitmap(), nullptr);
}

TEST_F(PanelFillTest, APanelFillFollowsItsParentsFontUntilItGetsOneOfItsOwn) {
  auto* fill = Add<TVisCustomPanelFill>(20, 20, 160, 100);
  fill->SetCaption("Genesis");
  for (const Integer size : {12, 14}) {
    form_->GetFont()->SetSize(size);
    EXPECT_EQ(fill->GetFont()->GetSize(), size);
    EXPECT_TRUE(fill->GetParentFont());
  }
  fill->GetFont()->SetSize(9);
  EXPECT_FALSE(fill->GetParentFont());
  form_->GetFont()->SetSize(16);
  EXPECT_EQ(fill->GetFont()->GetSize(), 9);
}

class ButtonPanelTest : public ControlFormTest {
protected:
  TVisButtonPanel* NewPanel(Integer Count, Integer InnerWidth, Integer InnerHeight) {
    auto* panel = new TVisButtonPanel(form_);
    panel->SetParent(form_);
    panel->GetBevel()->SetMode(bmStandard);
    extent = panel->GetBevel()->GetBevelExtent();
    for (Integer i = 0; i < Count; ++i) panel->GetButtons()->Add()->SetCaption(AnsiString(1, char('1' + i)));
    // The grid follows the panel's size; each button added lays it out again.
    panel->SetBounds(30, 30, InnerWidth + 2 * extent, InnerHeight + 2 * extent);
    return panel;
  }
  Integer extent = 0;
};

TEST_F(ButtonPanelTest, ButtonsFillAGridThatSizesThePanel) {
  struct Case {
    Integer count, innerWidth, innerHeight, cols, rows;
  };
  const Case cases[] = {
      {5, 45, 45, 2, 3},   // five in a width for two: three rows
      {5, 10, 45, 1, 5},   // narrower than one button: one column
      {3, 100, 20, 3, 1},  // room for all in one row
      {4, 45, 100, 2, 2},  // more rows of room than needed: fewer rows
  };
  for (const Case& c : cases) {
    TVisButtonPanel* panel = NewPanel(c.count, c.innerWidth, c.innerHeight);
    EXPECT_EQ(panel->GetColumns(), c.cols) << c.count << " in " << c.innerWidth;
    EXPECT_EQ(panel->GetRows(), c.rows) << c.count << " in " << c.innerWidth;
    EXPECT_EQ(panel->GetWidth(), c.cols * 20 + 2 * extent);
    EXPECT_EQ(panel->GetHeight(), c.rows * 20 + 2 * extent);
    for (Integer i = 0; i < c.count; ++i) {
      TVisSpeedButton* button = panel->GetButtons()->GetItems(i)->GetButton();
      EXPECT_EQ(button->GetLeft(), extent + (i % c.cols) * 20) << i;
      EXPECT_EQ(button->GetTop(), extent + (i / c.cols) * 20) << i;
      EXPECT_EQ(button->GetWidth(), 20);
    }
    Free(panel);
  }
}

TEST_F(ButtonPanelTest, ClicksReachThePanelWithTheButtonsIndex) {
  TVisButtonPanel* panel = NewPanel(5, 45, 45);
  std::vector<Integer> clicked;
  panel->OnButtonClick = TVisBtnClickEvent::FromFunction(
      [&](TObject* Sender, TVisSpeedButton* Button, Integer Index) {
        EXPECT_EQ(Sender, panel);
        EXPECT_EQ(Button, panel->GetButtons()->GetItems(Index)->GetButton());
        clicked.push_back(Index);
      });
  panel->SetButtonStyle(ubsWin40);
  EXPECT_EQ(panel->GetButtons()->GetItems(4)->GetButton()->GetStyle(), ubsWin40);
  panel->SetButtonHeight(24);  // lays the buttons out again, routing their clicks
  Shot("button-panel");
  EXPECT_EQ(panel->GetHeight(), 72 + 2 * extent);
  TVisSpeedButton* fifth = panel->GetButtons()->GetItems(4)->GetButton();
  ClickAt(fifth, 5, 5);
  ClickAt(panel->GetButtons()->GetItems(1)->GetButton(), 5, 5);
  EXPECT_EQ(clicked, (std::vector<Integer>{4, 1}));
  // The fifth button's face shows on the screen where the grid put it.
  EXPECT_EQ(fifth->GetLeft(), extent);
  EXPECT_EQ(fifth->GetTop(), extent + 48);
}

TEST_F(ButtonPanelTest, AStoredPanelReadsItsButtonsAndLaysThemOut) {
  TVisButtonPanel* panel = NewPanel(3, 45, 45);
  panel->GetButtons()->GetItems(2)->SetHint("Leviticus");
  const AnsiString text = FormText(panel);
  auto* copy = new TVisButtonPanel(form_);
  copy->SetParent(form_);
  ReadFormText(text, copy);
  ASSERT_EQ(copy->GetButtons()->GetCount(), 3);
  EXPECT_EQ(copy->GetButtons()->GetItems(2)->GetCaption(), "3");
  EXPECT_EQ(copy->GetButtons()->GetItems(2)->GetHint(), "Leviticus");
  EXPECT_EQ(copy->GetColumns(), panel->GetColumns());
  EXPECT_EQ(copy->GetRows(), panel->GetRows());
  EXPECT_EQ(copy->GetButtons()->GetItems(2)->GetButton()->GetTop(), panel->GetButtons()->GetItems(2)->GetButton()->GetTop());
}

}  // namespace
