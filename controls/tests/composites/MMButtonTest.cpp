// Multimedia buttons on a shown form: a round picture that reacts to a press only inside its
// circle, the picture each state shows, resizing to the picture, and the pictures of the states
// kept with the form.
#include <vector>

#include "controls/VisMMButton.h"
#include "controls/tests/support/ControlForms.h"
#include "controls/viscont.h"

using namespace control_forms;
using namespace pixels;

namespace {

// A disc of radius 10 in Colour on a white 24 x 24 picture.
std::unique_ptr<TBitmap> Disc(TColor Colour) {
  auto picture = Bitmap24(24, 24, clWhite);
  for (Integer y = 0; y < 24; ++y)
    for (Integer x = 0; x < 24; ++x)
      if ((x - 12) * (x - 12) + (y - 12) * (y - 12) <= 100) Put(*picture, x, y, Colour);
  return picture;
}

class MMButtonTest : public ControlFormTest {
protected:
  void SetUp() override {
    ControlFormTest::SetUp();
    faces_ = new TVisBitmapList(form_);
    faces_->StorageMode = 0;
    static_cast<TVisBitmapListItem*>(faces_->Add())->SetBitmap(Disc(clRed).get());   // up
    static_cast<TVisBitmapListItem*>(faces_->Add())->SetBitmap(Disc(clBlue).get());  // down
    static_cast<TVisBitmapListItem*>(faces_->Add())->SetBitmap(Bitmap24(32, 24, clGreen).get());
  }
  TVisMMButton* NewButton() {
    auto* button = Add<TVisMMButton>(40, 40, 24, 24);
    button->SetColor(clYellow);
    button->SetButtonFaceImageList(faces_);
    // Every pair starts as (0, 0), the first picture; only up and down have pictures here.
    for (Integer state = 0; state < kVisMMFaceStates; ++state) button->SetFacePicture(state, 99, 0);
    button->SetFacePicture(bstUp, 0, 0);
    button->SetFacePicture(bstHeld, 1, 0);
    button->OnClick = TNotifyEvent::FromFunction([this](TObject*) { ++clicks; });
    return button;
  }
  TVisBitmapList* faces_ = nullptr;
  int clicks = 0;
};

TEST_F(MMButtonTest, ARoundPictureReactsOnlyInsideItsCircle) {
  TVisMMButton* button = NewButton();
  Shot("mm-button-up");
  EXPECT_EQ(button->GetFaceRect(), Rect(0, 0, 24, 24));
  EXPECT_EQ(ScreenPixel(button, 12, 12), Rgb(clRed));
  // The white corners are left out of the picture: the button's colour shows.
  EXPECT_EQ(ScreenPixel(button, 1, 1), Rgb(clYellow));
  EXPECT_FALSE(button->HitTest(1, 1));
  EXPECT_TRUE(button->HitTest(12, 12));

  ClickAt(button, 1, 1);
  EXPECT_EQ(clicks, 0) << "a corner outside the circle";
  ClickAt(button, 12, 12);
  EXPECT_EQ(clicks, 1);
  ClickAt(button, 12, 3);
  EXPECT_EQ(clicks, 2) << "just inside the edge";

  // Held down it shows the down picture.
  PointAt(button, 12, 12);
  SendMouse(button, WM_LBUTTONDOWN, 12, 12, MK_LBUTTON);
  Shot("mm-button-held");
  EXPECT_EQ(ScreenPixel(button, 12, 12), Rgb(clBlue));
  SendMouse(button, WM_LBUTTONUP, 12, 12);

  // Another transparent colour makes the whole square react.
  button->SetFaceTransparentColor(clBlack);
  EXPECT_TRUE(button->HitTest(1, 1));
}

TEST_F(MMButtonTest, StatesWithoutAPictureBorrowOneOrShowNone) {
  TVisMMButton* button = NewButton();
  struct Case {
    Byte state;
    bool found, paint;
    Integer list;
  };
  // With up and down pictures: the hot and disabled faces take the up picture, the latched and
  // menu faces the down one.
  const Case both[] = {{bstUp, true, true, 0},       {bstHot, true, true, 0},
                       {bstDisabled, true, true, 0}, {bstLatched, true, true, 1},
                       {bstDropDown, true, true, 1}, {bstDisabledLatched, true, true, 1}};
  for (const Case& c : both) {
    const auto face = button->PictureOf(c.state);
    EXPECT_EQ(face.Found, c.found) << int(c.state);
    EXPECT_EQ(face.Picture.X, c.list) << int(c.state);
  }
  // Without a down picture a held or latched button shows only background and caption; without
  // an up picture nothing is painted in the up state.
  button->SetFacePicture(bstHeld, 7, 0);
  const Case missing[] = {{bstHeld, false, true, 0}, {bstLatched, false, true, 0}, {bstHot, true, true, 0}};
  for (const Case& c : missing) {
    const auto face = button->PictureOf(c.state);
    EXPECT_EQ(face.Found, c.found) << int(c.state);
    EXPECT_EQ(face.Paint, c.paint) << int(c.state);
  }
  button->SetFacePicture(bstUp, 9, 0);
  EXPECT_FALSE(button->PictureOf(bstUp).Paint);
  EXPECT_TRUE(button->HitTest(1, 1)) << "without a picture the whole button reacts";

  // A held button without a down picture: its colour and caption, no picture.
  button->SetFacePicture(bstUp, 0, 0);
  button->SetCaption("Go");
  Shot("mm-button-caption");
  PointAt(button, 12, 12);
  SendMouse(button, WM_LBUTTONDOWN, 12, 12, MK_LBUTTON);
  EXPECT_EQ(button->GetState(), bstHeld);
  Shot("mm-button-held-without-picture");
  EXPECT_EQ(ScreenPixel(button, 1, 1), Rgb(clYellow));
  EXPECT_NE(ScreenPixel(button, 12, 12), Rgb(clRed));
  SendMouse(button, WM_LBUTTONUP, 12, 12);
}

TEST_F(MMButtonTest, AutosizeTakesThePicturesSize) {
  TVisMMButton* button = NewButton();
  button->SetFacePicture(bstUp, 2, 0);
  button->SetForceTransparent(false);
  button->SetButtonFaceStyle(sbAutosize);
  form_->Update();
  EXPECT_TRUE(ProcessUntil([&] { return button->GetWidth() == 32; }));
  EXPECT_EQ(button->GetHeight(), 24);
  Shot("mm-button-autosize");
  EXPECT_EQ(ScreenPixel(button, 30, 20), Rgb(clGreen));
}

TEST_F(MMButtonTest, ThePicturesOfTheStatesAreKeptWithTheForm) {
  TVisMMButton* button = NewButton();
  for (Integer state = 0; state < kVisMMFaceStates; ++state) button->SetFacePicture(state, state + 1, 10 * state);
  button->SetFaceTransparentColor(clAqua);
  const AnsiString text = FormText(button);
  EXPECT_NE(text.find("ButtonFaceIndicesNew2"), AnsiString::npos);
  auto* copy = new TVisMMButton(form_);
  ReadFormText(text, copy);
  for (Integer state = 0; state < kVisMMFaceStates; ++state)
    EXPECT_EQ(copy->GetFacePicture(state), Point(state + 1, 10 * state)) << state;
  EXPECT_EQ(copy->GetFaceTransparentColor(), clAqua);

  // Older forms: eight pairs, state 8 left at (0, 0).
  const auto hex = [](std::initializer_list<int32_t> values) {
    AnsiString out;
    char buffer[3];
    for (int32_t v : values)
      for (int b = 0; b < 4; ++b) {
        std::snprintf(buffer, sizeof buffer, "%02X", unsigned((uint32_t(v) >> (8 * b)) & 0xFF));
        out += buffer;
      }
    return out;
  };
  const AnsiString pairs = hex({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
  const struct {
    const char* property;
    TPoint state0, state7;
  } forms[] = {{"ButtonFaceIndices", Point(1, 2), Point(15, 16)}, {"ButtonFaceIndicesNew", Point(1, 9), Point(8, 16)}};
  for (const auto& f : forms) {
    auto* old = new TVisMMButton(form_);
    ReadFormText("object Old: TVisMMButton\n  " + AnsiString(f.property) + " = {" + pairs + "}\nend\n", old);
    EXPECT_EQ(old->GetFacePicture(0), f.state0) << f.property;
    EXPECT_EQ(old->GetFacePicture(7), f.state7) << f.property;
    EXPECT_EQ(old->GetFacePicture(8), Point(0, 0)) << f.property;
    Free(old);
  }
}

}  // namespace
