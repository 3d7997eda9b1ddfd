// Owner-drawn push buttons on a shown form: their look and the default look, clicks repeated
// while held, the drop-down menu, glyphs from an image list, and the old style property.
#include <vector>

#include "classlib/ActnList.h"
#include "classlib/ImgList.h"
#include "classlib/Menus.h"
#include "controls/VisObject.h"
#include "controls/VisPushButton.h"
#include "controls/tests/support/ControlForms.h"
#include "controls/viscont.h"
#include "controls/visglyph.h"

using namespace control_forms;
using namespace pixels;

namespace {

class PushButtonTest : public ControlFormTest {
protected:
  TVisButton* NewButton(Integer Left = 40, Integer Top = 40) {
    auto* button = Add<TVisButton>(Left, Top);
    button->SetExtStyle(ubsWin40);
    button->SetCaption("Genesis");
    button->OnClick = TNotifyEvent::FromFunction([this](TObject*) { ++clicks; });
    return button;
  }
  void Hold(TControl* Button) {
    PointAt(Button, 10, 10);
    SendMouse(Button, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
  }
  int clicks = 0;
};

TEST_F(PushButtonTest, TheButtonDrawsItselfAndShowsTheDefaultLook) {
  VisApplication->SetUseXPThemes(false);
  auto* button = NewButton();
  auto* other = NewButton(140, 40);
  EXPECT_EQ(button->GetWidth(), 75);
  EXPECT_EQ(button->GetHeight(), 25);
  EXPECT_EQ(button->GetColor(), clWindow);
  EXPECT_EQ(::GetWindowLongPtrA(button->GetHandle(), GWL_STYLE) & 0x0F, BS_OWNERDRAW);
  button->SetColor(clYellow);
  // The bottom-left pixel gives the glyph's transparent colour.
  auto glyph = Bitmap24(8, 8, clRed);
  Put(*glyph, 0, 7, clWhite);
  button->SetGlyph(glyph.get());
  button->SetDefault(true);
  other->SetFocus();
  Shot("push-button");
  EXPECT_TRUE(button->GetDefaultLook() == false) << "another button has the focus";
  EXPECT_EQ(ScreenPixel(button, 6, 12), Rgb(clYellow));
  // The glyph stands left of the caption, inside the frame.
  EXPECT_GT(pixels::Count(*CaptureClient(button), clRed), 40);
  button->SetFocus();
  ProcessUntil([&] { return button->GetDefaultLook(); });
  EXPECT_TRUE(button->GetDefaultLook());
  // Enter clicks the default button; the system's click goes through the owner drawing.
  ::SendMessageA(button->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(PushButtonTest, AHeldButtonRepeatsItsClickUntilReleasedOrHidden) {
  auto* button = NewButton();
  button->RepeatedClick = true;
  // Taken before the press, so that a slow machine can only make the wait look longer.
  const DWORD start = ::GetTickCount();
  Hold(button);
  EXPECT_TRUE(ProcessUntil([&] { return clicks >= 1; }));
  EXPECT_GE(::GetTickCount() - start, 400u) << "the first repeat waits RepeatingDelay";
  EXPECT_TRUE(ProcessUntil([&] { return clicks >= 3; }));
  SendMouse(button, WM_LBUTTONUP, 10, 10);
  const int released = clicks;
  ProcessFor(300);
  EXPECT_LE(clicks, released + 1) << "the release's own click at most";

  clicks = 0;
  Hold(button);
  EXPECT_TRUE(ProcessUntil([&] { return clicks >= 1; }));
  button->SetVisible(false);
  EXPECT_FALSE(button->GetHeld());
  const int hidden = clicks;
  ProcessFor(300);
  EXPECT_EQ(clicks, hidden) << "hiding stops the clicks at once";
}

TEST_F(PushButtonTest, TheDropDownMenuShowsOncePerClickAndTheButtonComesUp) {
  auto* menu = new TPopupMenu(form_);
  auto* item = new TMenuItem(menu);
  item->SetCaption("Exodus");
  int chosen = 0;
  item->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++chosen; });
  menu->GetItems()->Add(item);
  auto* button = NewButton();
  button->SetDropDownMenu(menu);
  int dropped = 0;
  button->OnDropDown = TNotifyEvent::FromFunction([&](TObject*) {
    ++dropped;
    EXPECT_TRUE(::SendMessageA(button->GetHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED) << "shown pressed";
  });
  struct Case {
    WPARAM key;  // closes the menu: Escape, or Return on its item
    int chosen;
  };
  for (const Case& c : {Case{VK_ESCAPE, 0}, Case{VK_RETURN, 1}}) {
    if (c.key == VK_RETURN) ::PostMessageA(form_->GetHandle(), WM_KEYDOWN, VK_DOWN, 1);
    ::PostMessageA(form_->GetHandle(), WM_KEYDOWN, c.key, 1);
    ::SendMessageA(button->GetHandle(), BM_CLICK, 0, 0);
    Application->ProcessMessages();
    EXPECT_EQ(chosen, c.chosen);
    EXPECT_FALSE(::SendMessageA(button->GetHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED) << "drawn up again";
  }
  EXPECT_EQ(dropped, 2);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(menu->GetPopupPoint(), button->ClientToScreen(Point(0, button->GetHeight())));
  delete menu;
  EXPECT_EQ(button->GetDropDownMenu(), nullptr);
}

TEST_F(PushButtonTest, AGlyphComesFromTheImageListUntilOneIsSetDirectly) {
  auto* pictures = new TVisBitmapList(form_);
  pictures->StorageMode = 0;
  static_cast<TVisBitmapListItem*>(pictures->Add())->SetBitmap(Bitmap24(12, 10, clBlue).get());
  auto* button = NewButton();
  button->SetImageList(pictures);
  EXPECT_EQ(button->GetGlyph()->GetWidth(), 12);
  button->SetListIndex(3);
  EXPECT_TRUE(button->GetGlyph()->GetEmpty()) << "the list holds no such picture";
  button->SetListIndex(0);
  EXPECT_FALSE(button->GetGlyph()->GetEmpty());
  auto own = Bitmap24(6, 6, clRed);
  button->SetGlyph(own.get());
  EXPECT_EQ(button->GetImageList(), nullptr);
  EXPECT_EQ(button->GetGlyph()->GetWidth(), 6);
  delete pictures;
}

TEST_F(PushButtonTest, ALinkedActionGivesItsPictureAsTheGlyph) {
  auto* images = new TImageList(10, 10, form_);
  // Two pictures: red, then green.
  auto strip = Bitmap24(20, 10, clRed);
  for (Integer y = 0; y < 10; ++y)
    for (Integer x = 10; x < 20; ++x) Put(*strip, x, y, clGreen);
  images->Add(strip.get(), nullptr);
  auto* actions = new TActionList(form_);
  actions->SetImages(images);
  auto* action = new TAction(form_);
  action->SetActionList(actions);
  action->SetCaption("Numbers");
  action->SetImageIndex(1);
  auto* button = NewButton();
  button->SetAction(action);
  EXPECT_EQ(button->GetCaption(), "Numbers");
  EXPECT_EQ(button->GetGlyph()->GetWidth(), 10);
  TBitmap second;
  images->GetBitmap(1, &second);
  EXPECT_EQ(button->GetGlyph()->GetCanvas()->GetPixels(5, 5), second.GetCanvas()->GetPixels(5, 5));
  EXPECT_NE(button->GetGlyph()->GetCanvas()->GetPixels(5, 5), ColorToRGB(clRed));
  // Freeing the images leaves the action list without them.
  delete images;
  EXPECT_EQ(actions->GetImages(), nullptr);
}

TEST_F(PushButtonTest, FormsWithTheOldStylePropertyLoad) {
  struct Case {
    const char* style;
    TVisUserButtonStyle expected;
  };
  for (const Case& c : {Case{"nbsWin40", ubsWin40}, Case{"nbsWin31", ubsWin31}, Case{"nbsAutoDetect", ubsAutoDetect}}) {
    auto* button = new TVisButton(form_);
    button->SetExtStyle(ubsFlat);
    ReadFormText("object Old: TVisButton\n  Style = " + AnsiString(c.style) + "\nend\n", button);
    EXPECT_EQ(button->GetExtStyle(), c.expected) << c.style;
    EXPECT_EQ(FormText(button).find("Style = nbs"), AnsiString::npos) << "never written";
    Free(button);
  }
}

}  // namespace
