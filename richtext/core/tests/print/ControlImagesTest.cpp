// Pictures of controls for printing: buttons, edit boxes and memos imitated, panels painting
// themselves with their controls imitated on top, other windowed controls painting themselves,
// and nothing for controls without a window.
#include <memory>

#include <gtest/gtest.h>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "richtext/core/CtrlImg.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestSupport.h"

namespace {

// The first and last columns of the text drawn (black) in a rectangle of the image.
std::pair<Integer, Integer> InkColumns(TBitmap& Image, TRect R) {
  Integer first = R.Right, last = -1;
  for (Integer y = R.Top; y < R.Bottom; ++y)
    for (Integer x = R.Left; x < R.Right; ++x) {
      TColor c = pixels::At(Image, x, y);
      if (GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
  return {first, last};
}

class ControlImages : public ::testing::Test {
protected:
  ControlImages() : form(new TForm(Application)) { form->SetBounds(0, 0, 400, 300); }
  ~ControlImages() override { delete form; }
  TForm* form;
};

TEST_F(ControlImages, APanelWithAButtonAndAnEditBox) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 200, 90);
  panel->SetColor(clTeal);
  panel->SetCaption("");
  auto* button = new TButton(form);
  button->SetParent(panel);
  button->SetBounds(10, 10, 80, 25);
  button->SetCaption("OK");
  auto* edit = new TEdit(form);
  edit->SetParent(panel);
  edit->SetBounds(100, 50, 90, 24);
  edit->SetColor(clYellow);
  edit->SetText("Genesis");

  std::unique_ptr<TBitmap> image(GetControlImage(panel));
  pixels::SaveForViewing(*image, "control-image-panel");
  EXPECT_EQ(image->GetWidth(), 200);
  EXPECT_EQ(image->GetHeight(), 90);
  EXPECT_EQ(pixels::At(*image, 100, 20), clTeal);
  // The button's face and its caption, centred on it.
  EXPECT_EQ(pixels::At(*image, 13, 13), ColorToRGB(clBtnFace));
  auto [captionLeft, captionRight] = InkColumns(*image, Rect(12, 12, 88, 33));
  EXPECT_NEAR((captionLeft + captionRight) / 2, 50, 2);
  // The edit box at its offset: its colour inside its sunken edge, its text on one line.
  const Integer right = 100 + edit->GetWidth(), bottom = 50 + edit->GetHeight();
  EXPECT_EQ(pixels::At(*image, 100, 50), ColorToRGB(clBtnShadow));
  EXPECT_EQ(pixels::At(*image, right - 1, bottom - 1), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(pixels::At(*image, 102, 52), clYellow);
  EXPECT_EQ(pixels::At(*image, right - 3, bottom - 3), clYellow);
  auto [textLeft, textRight] = InkColumns(*image, Rect(100, 50, right, bottom));
  EXPECT_GE(textLeft, 103);
  EXPECT_LT(textRight, right - 3);
}

TEST_F(ControlImages, EditBoxBorders) {
  struct Case {
    const char* Name;
    TBorderStyle Border;
    bool Ctl3D;
    TColor Corner;  // the top-left pixel
  };
  for (const Case& c : {Case{"sunken", bsSingle, true, clBtnShadow}, Case{"flat", bsSingle, false, clWindowFrame},
                        Case{"none", bsNone, true, clWhite}}) {
    SCOPED_TRACE(c.Name);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(0, 0, 80, 22);
    edit->SetColor(clWhite);
    edit->SetBorderStyle(c.Border);
    edit->SetCtl3D(c.Ctl3D);
    edit->SetText("Exodus");
    auto image = pixels::Bitmap24(100, 40, clLime);
    DrawControlImage(edit, image->GetCanvas(), 10, 5);
    pixels::SaveForViewing(*image, std::string("control-image-edit-") + c.Name);
    const Integer right = 10 + edit->GetWidth(), bottom = 5 + edit->GetHeight();
    EXPECT_EQ(pixels::At(*image, 9, 4), clLime);
    EXPECT_EQ(pixels::At(*image, 10, 5), ColorToRGB(c.Corner));
    TColor farCorner = c.Border == bsNone ? clWhite : c.Ctl3D ? clBtnHighlight : clWindowFrame;
    EXPECT_EQ(pixels::At(*image, right - 1, bottom - 1), ColorToRGB(farCorner));
    EXPECT_EQ(pixels::At(*image, right, bottom), clLime);
    // The text starts inside the border and one pixel more.
    const Integer inset = (c.Border == bsNone ? 0 : c.Ctl3D ? 2 : 1) + 1;
    auto [left, last] = InkColumns(*image, Rect(10, 5, right, bottom));
    EXPECT_GE(left, 10 + inset);
    EXPECT_LT(last, right - inset);
    delete edit;
  }
}

TEST_F(ControlImages, MemoLinesFollowTheAlignment) {
  Integer centres[3] = {};
  for (TAlignment alignment : {taLeftJustify, taCenter, taRightJustify}) {
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(0, 0, 160, 60);
    memo->SetAlignment(alignment);
    memo->SetText("Ruth\r\nLamentations");
    std::unique_ptr<TBitmap> image(GetControlImage(memo));
    pixels::SaveForViewing(*image, "control-image-memo-" + std::to_string(static_cast<int>(alignment)));
    // Two lines, each aligned in the memo.
    const Integer lineHeight = image->GetCanvas()->TextHeight(AnsiString("Ruth"));
    auto [firstLeft, firstRight] = InkColumns(*image, Rect(3, 3, 157, 3 + lineHeight));
    auto [secondLeft, secondRight] = InkColumns(*image, Rect(3, 3 + lineHeight, 157, 3 + 2 * lineHeight));
    ASSERT_LT(firstLeft, firstRight);
    ASSERT_LT(secondLeft, secondRight);
    switch (alignment) {
      case taLeftJustify:
        EXPECT_EQ(firstLeft, secondLeft);
        break;
      case taCenter:
        EXPECT_NEAR(firstLeft + firstRight, secondLeft + secondRight, 3);
        EXPECT_NEAR((firstLeft + firstRight) / 2, 80, 3);
        break;
      default:
        EXPECT_NEAR(firstRight, secondRight, 1);
        break;
    }
    centres[static_cast<int>(alignment)] = (firstLeft + firstRight) / 2;
    delete memo;
  }
  EXPECT_LT(centres[taLeftJustify], centres[taCenter]);
  EXPECT_LT(centres[taCenter], centres[taRightJustify]);
}

TEST_F(ControlImages, OtherControls) {
  // A windowed control paints itself; a control without a window draws nothing.
  auto* list = new TListBox(form);
  list->SetParent(form);
  list->SetBounds(0, 0, 80, 60);
  list->SetColor(clAqua);
  list->GetItems()->Add("Job");
  std::unique_ptr<TBitmap> image(GetControlImage(list));
  pixels::SaveForViewing(*image, "control-image-listbox");
  EXPECT_GT(pixels::Count(*image, clAqua), 80 * 60 / 2);
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetBounds(0, 0, 60, 20);
  label->SetCaption("Psalms");
  auto canvas = pixels::Bitmap24(60, 20, clLime);
  DrawControlImage(label, canvas->GetCanvas(), 0, 0);
  EXPECT_EQ(pixels::Count(*canvas, clLime), 60 * 20);
}

}  // namespace
