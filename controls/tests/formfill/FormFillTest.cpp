// The form fills and the form styler on shown forms: a picture of a list tiled over the client
// area, the owner-drawn background, and the title bar painted with a gradient and a caption of
// the styler's own, checked by the pixels on the screen and the messages the form receives.
#include <gtest/gtest.h>

#include "classlib/StdCtrls.h"
#include "controls/VisFormFill.h"
#include "controls/VisFormStyler.h"
#include "controls/VisObject.h"
#include "controls/VisOneInstance.h"
#include "controls/tests/support/ControlForms.h"
#include "controls/viscont.h"
#include "controls/visgradient.h"
#include "controls/vissysinfo.h"

using namespace control_forms;
using namespace pixels;

namespace {

// A 20 x 20 picture of four coloured squares: red, blue / green, yellow.
std::unique_ptr<TBitmap> Quarters() {
  auto bitmap = Bitmap24(20, 20);
  TCanvas* canvas = bitmap->GetCanvas();
  const struct {
    TRect r;
    TColor c;
  } squares[] = {{Rect(0, 0, 10, 10), clRed}, {Rect(10, 0, 20, 10), clBlue},
                 {Rect(0, 10, 10, 20), clLime}, {Rect(10, 10, 20, 20), clYellow}};
  for (const auto& s : squares) {
    canvas->GetBrush()->SetColor(s.c);
    canvas->FillRect(s.r);
  }
  return bitmap;
}

class FormFillTest : public ControlFormTest {
protected:
  void SetUp() override {
    ControlFormTest::SetUp();
    list_ = new TVisBitmapList(form_);
    list_->StorageMode = 0;
    list_->Add();  // item 0 holds no picture
    static_cast<TVisBitmapListItem*>(list_->Add())->SetBitmap(Quarters().get());
  }
  TColor ClientAt(Integer X, Integer Y) {
    form_->Invalidate();
    form_->Update();
    ProcessFor(30);
    auto shot = CaptureClient(form_);
    return At(*shot, X, Y);
  }
  TVisBitmapList* list_ = nullptr;
};

TEST_F(FormFillTest, APictureOfTheListIsTiledOverTheClientArea) {
  auto* back = new TVisBack(form_);
  back->SetImageList(list_);
  back->SetListIndex(1);
  back->Loaded();
  ASSERT_TRUE(back->GetHooked());
  struct Probe {
    Integer x, y;
    TColor color;
  };
  // Tiles start at the client area's corner: every 20 pixels the picture begins again.
  const Probe probes[] = {{5, 5, clRed},     {15, 5, clBlue},   {25, 5, clRed},      {35, 15, clYellow},
                          {205, 3, clRed},   {213, 47, clBlue}, {399, 259, clYellow}, {0, 10, clLime}};
  form_->Invalidate();
  form_->Update();
  ProcessFor(50);
  testing_support::SaveScreenshot(form_->GetHandle(), "formfill-tiled");
  auto shot = CaptureClient(form_);
  for (const Probe& p : probes) EXPECT_EQ(At(*shot, p.x, p.y), p.color) << p.x << "," << p.y;

  // The erase message is answered as handled, on any device context.
  auto bitmap = Bitmap24(40, 40, clWhite);
  EXPECT_EQ(::SendMessageA(form_->GetHandle(), WM_ERASEBKGND, WPARAM(bitmap->GetCanvas()->GetHandle()), 0), 1);
  EXPECT_EQ(At(*bitmap, 12, 12), clYellow);

  // A negative index is ignored; an item without the picture leaves the erasing to the form.
  back->SetListIndex(-1);
  EXPECT_EQ(back->GetListIndex(), 1);
  back->SetListIndex(0);
  EXPECT_EQ(ClientAt(5, 5), kFormColor);
  back->SetListIndex(1);
  EXPECT_EQ(ClientAt(5, 5), clRed);
  // Without painting by the control, the form erases as usual.
  back->SetPaintMode(pcNone);
  EXPECT_EQ(ClientAt(5, 5), kFormColor);
  back->SetPaintMode(pcControl);
  EXPECT_EQ(ClientAt(5, 5), clRed);
  // Switched off, the form erases itself again.
  back->SetEnabled(false);
  EXPECT_FALSE(back->GetHooked());
  EXPECT_EQ(ClientAt(5, 5), kFormColor);
  back->SetEnabled(true);
  EXPECT_EQ(ClientAt(5, 5), clRed);
  // A list that goes is let go.
  Free(list_);
  list_ = nullptr;
  EXPECT_EQ(back->GetImageList(), nullptr);
  EXPECT_EQ(ClientAt(5, 5), kFormColor);
}

TEST_F(FormFillTest, AnEventPaintsTheBackgroundOverTheFormsColour) {
  auto* fill = new TVisCustomFormFill(form_);
  fill->SetPaintMode(pcOwnerDraw);
  TRect painted;
  Integer calls = 0;
  fill->OnPaint = TVisPaintEvent::FromFunction([&](TObject* Sender, TCanvas* Canvas, const TRect& Area) {
    EXPECT_EQ(Sender, fill);
    painted = Area;
    ++calls;
    Canvas->GetBrush()->SetColor(clNavy);
    Canvas->FillRect(Rect(0, 0, 30, 30));
  });
  fill->Loaded();
  EXPECT_EQ(ClientAt(10, 10), clNavy);
  EXPECT_EQ(ClientAt(100, 100), kFormColor);
  EXPECT_GT(calls, 0);
  EXPECT_EQ(painted, Rect(0, 0, form_->GetClientWidth(), form_->GetClientHeight()));

  // Without the default fill only the event paints.
  fill->DefaultFill = false;
  auto bitmap = Bitmap24(60, 60, clWhite);
  EXPECT_EQ(::SendMessageA(form_->GetHandle(), WM_ERASEBKGND, WPARAM(bitmap->GetCanvas()->GetHandle()), 0), 1);
  EXPECT_EQ(At(*bitmap, 10, 10), clNavy);
  EXPECT_EQ(At(*bitmap, 50, 50), clWhite);
  // A resize is noted and repaints.
  fill->SizeChanged = false;
  form_->SetWidth(form_->GetWidth() + 20);
  EXPECT_TRUE(fill->SizeChanged);
  // Without an event nothing is taken over.
  fill->OnPaint = nullptr;
  EXPECT_EQ(::SendMessageA(form_->GetHandle(), WM_ERASEBKGND, WPARAM(bitmap->GetCanvas()->GetHandle()), 0), 1);
  EXPECT_EQ(ClientAt(10, 10), kFormColor);
}

TEST_F(FormFillTest, TheFillKeepsItsListAndIndexesInTheFormStream) {
  TForm source(nullptr);
  auto* list = new TVisBitmapList(&source);
  list->SetName("Pictures");
  auto* back = new TVisBack(&source);
  back->SetName("Back");
  back->SetImageList(list);
  back->SetListIndex(2);
  back->SetImageIndex(1);
  back->SetPaintMode(pcOwnerDraw);
  const AnsiString text = FormText(&source);
  TForm copy(nullptr);
  ReadFormText(text, &copy);
  auto* read = dynamic_cast<TVisBack*>(copy.FindComponent("Back"));
  ASSERT_TRUE(read) << text;
  EXPECT_EQ(read->GetImageList(), copy.FindComponent("Pictures"));
  EXPECT_EQ(read->GetListIndex(), 2);
  EXPECT_EQ(read->GetImageIndex(), 1);
  EXPECT_EQ(read->GetPaintMode(), pcOwnerDraw);
}

// --- The form styler ---------------------------------------------------------------------------------

class FormStylerTest : public ControlFormTest {
protected:
  // A styler that paints whatever the system does itself, in two plain bands of colour.
  TVisFormStyler* Styler(TVisFormStyleOptions Options = {fsAdjustRect, fsUseDefaultFont, fsUseFormCaption}) {
    auto* styler = new TVisFormStyler(form_);
    styler->SetOptions(Options);
    styler->SetColors(2);
    styler->Loaded();
    return styler;
  }
  // The screen's pixels of the caption, in window coordinates.
  testing_support::ScreenImage Caption(const std::string& Name) {
    ProcessFor(50);
    testing_support::SaveScreenshot(form_->GetHandle(), Name);
    return testing_support::CaptureWindow(form_->GetHandle());
  }
  // Whether any pixel of the text area (between icon and buttons) has Color.
  static bool TextAreaHas(const testing_support::ScreenImage& Shot, const TVisCaptionMetrics& M, TColor Color) {
    const Integer right = M.Buttons[M.ButtonCount - 1].Left;
    for (Integer y = M.Caption.Top; y < M.Caption.Bottom; ++y)
      for (Integer x = M.Icon.Right + 1; x < right; ++x)
        if (Shot.Pixel(x, y) == Rgb(Color)) return true;
    return false;
  }
};

TEST_F(FormStylerTest, TheCaptionIsPaintedAsAGradientWithTheFormsCaption) {
  TVisFormStyler* styler = Styler();
  ASSERT_TRUE(styler->GetHooked());
  ASSERT_TRUE(styler->GetActive());
  const TVisCaptionMetrics m = GetCaptionMetrics(form_->GetHandle());
  ASSERT_GE(m.ButtonCount, 1);
  TColor end = clGradientActiveCaption;
  if (Rgb(end) == Rgb(clActiveCaption)) end = InterpolateColor(clActiveCaption, clWhite, 1, 2);
  // Two steps of gradient: the left half in the caption colour, the right half in the end colour.
  const Integer y = m.Caption.Top + 1;
  const Integer quarter = m.Caption.Left + m.Caption.Width() / 4;
  const Integer threeQuarters = m.Caption.Left + 3 * m.Caption.Width() / 4;
  testing_support::ScreenImage shot = Caption("formstyler-active");
  EXPECT_EQ(shot.Pixel(m.Caption.Left, y), Rgb(clActiveCaption));
  EXPECT_EQ(shot.Pixel(quarter, m.Caption.Bottom - 1), Rgb(clActiveCaption));
  EXPECT_EQ(shot.Pixel(threeQuarters, y), Rgb(end));
  EXPECT_TRUE(TextAreaHas(shot, m, clCaptionText)) << "the caption text";
  EXPECT_EQ(form_->GetCaption(), "Controls");

  // Deactivated, the system paints the inactive caption; with the inactive gradient asked for,
  // the styler paints it in the inactive colours.
  ::SendMessageA(form_->GetHandle(), WM_NCACTIVATE, FALSE, 0);
  EXPECT_FALSE(styler->GetActive());
  shot = Caption("formstyler-inactive-system");
  EXPECT_NE(shot.Pixel(threeQuarters, y), Rgb(end));
  styler->SetOptions(styler->GetOptions() + TVisFormStyleOptions{fsInactiveGradient});
  shot = Caption("formstyler-inactive");
  EXPECT_EQ(shot.Pixel(m.Caption.Left, y), Rgb(clInactiveCaption));
  EXPECT_EQ(::SendMessageA(form_->GetHandle(), WM_NCACTIVATE, TRUE, 0), 1);
  EXPECT_TRUE(styler->GetActive());
  shot = Caption("formstyler-active-again");
  EXPECT_EQ(shot.Pixel(m.Caption.Left, y), Rgb(clActiveCaption));
  EXPECT_EQ(shot.Pixel(threeQuarters, y), Rgb(end));

  // A caption text set through the window is painted over at once.
  ::SetWindowTextA(form_->GetHandle(), "Renamed");
  shot = Caption("formstyler-renamed");
  EXPECT_EQ(shot.Pixel(threeQuarters, y), Rgb(end));
  // Switched off, the system paints its own caption again.
  styler->SetEnabled(false);
  shot = Caption("formstyler-off");
  EXPECT_NE(shot.Pixel(threeQuarters, y), Rgb(end));
}

TEST_F(FormStylerTest, ATiledBackgroundUnderAGradientCaption) {
  auto* list = new TVisBitmapList(form_);
  list->StorageMode = 0;
  static_cast<TVisBitmapListItem*>(list->Add())->SetBitmap(Quarters().get());
  auto* back = new TVisBack(form_);
  back->SetImageList(list);
  back->Loaded();
  auto* styler = new TVisFormStyler(form_);
  styler->SetOptions({fsAdjustRect, fsUseDefaultFont, fsUseFormCaption});
  styler->Loaded();
  form_->Invalidate();
  form_->Update();
  const TVisCaptionMetrics m = GetCaptionMetrics(form_->GetHandle());
  const testing_support::ScreenImage shot = Caption("formstyler-tiled-gradient");
  // The tiles in the client area.
  auto client = CaptureClient(form_);
  EXPECT_EQ(At(*client, 5, 5), clRed);
  EXPECT_EQ(At(*client, 35, 35), clYellow);
  // The caption runs in 32 steps from the caption colour towards the end colour: each colour
  // component moves one way only, from the first band to the last.
  TColor end = clGradientActiveCaption;
  if (Rgb(end) == Rgb(clActiveCaption)) end = InterpolateColor(clActiveCaption, clWhite, 1, 2);
  const COLORREF first = Rgb(clActiveCaption), last = Rgb(end);
  const Integer y = m.Caption.Top + 1;
  EXPECT_EQ(shot.Pixel(m.Caption.Left, y), first);
  COLORREF previous = first;
  Integer changes = 0;
  // Past the icon, along the caption's top row, above the text.
  for (Integer x = m.Icon.Right + 1; x < m.Buttons[m.ButtonCount - 1].Left - 2; ++x) {
    const COLORREF c = shot.Pixel(x, y);
    if (c == previous) continue;
    ++changes;
    for (int shift : {0, 8, 16}) {
      const int from = (first >> shift) & 0xFF, to = (last >> shift) & 0xFF, now = (c >> shift) & 0xFF;
      EXPECT_TRUE(std::min(from, to) <= now && now <= std::max(from, to)) << x << " " << std::hex << c;
    }
    previous = c;
  }
  EXPECT_GT(changes, 20) << "a gradient, not a flat caption";
}

TEST_F(FormStylerTest, WithoutTheFormsCaptionTheSystemSeesABlankAndGetsTheTextBack) {
  TVisFormStyler* styler = Styler({fsAdjustRect, fsUseDefaultFont});
  char text[32] = "";
  EXPECT_EQ(::GetWindowTextA(form_->GetHandle(), text, sizeof text), 1);
  EXPECT_STREQ(text, " ");
  EXPECT_EQ(::SendMessageA(form_->GetHandle(), WM_GETTEXTLENGTH, 0, 0), 1);
  const TVisCaptionMetrics m = GetCaptionMetrics(form_->GetHandle());
  // The styler draws the caption it holds, in its own font colour when asked.
  styler->GetFont()->SetColor(clRed);
  styler->SetOptions(styler->GetOptions() + TVisFormStyleOptions{fsUseFontColor});
  EXPECT_TRUE(TextAreaHas(Caption("formstyler-held-caption"), m, clRed));
  // Taking the form's caption in gives the text back; leaving it out takes it again.
  styler->SetOptions(styler->GetOptions() + TVisFormStyleOptions{fsUseFormCaption});
  EXPECT_EQ(form_->GetCaption(), "Controls");
  styler->SetOptions(styler->GetOptions() - TVisFormStyleOptions{fsUseFormCaption});
  ::GetWindowTextA(form_->GetHandle(), text, sizeof text);
  EXPECT_STREQ(text, " ");
  // Switching off restores the form's caption.
  styler->SetEnabled(false);
  ::GetWindowTextA(form_->GetHandle(), text, sizeof text);
  EXPECT_STREQ(text, "Controls");
}

TEST_F(FormStylerTest, EventsPaintTheCaptionAndItsText) {
  TVisFormStyler* styler = Styler();
  const TVisCaptionMetrics m = GetCaptionMetrics(form_->GetHandle());
  TRect textArea;
  styler->OnCaptionPaint = TVisPaintEvent::FromFunction([&](TObject*, TCanvas* Canvas, const TRect& Area) {
    textArea = Area;
    Canvas->GetBrush()->SetColor(clLime);
    Canvas->FillRect(Area);
  });
  styler->OnPaint = TVisPaintEvent::FromFunction([&](TObject*, TCanvas* Canvas, const TRect& Area) {
    Canvas->GetBrush()->SetColor(clFuchsia);
    Canvas->FillRect(Area);
  });
  styler->SetOptions(styler->GetOptions() + TVisFormStyleOptions{fsDrawCaptionEvent});
  styler->SetPaintMode(pcOwnerDraw);
  testing_support::ScreenImage shot = Caption("formstyler-events");
  EXPECT_EQ(shot.Pixel(m.Caption.Left, m.Caption.Top + 1), Rgb(clFuchsia));
  // The text area keeps clear of the icon and the buttons.
  EXPECT_EQ(textArea.Left, m.Icon.Right - m.Caption.Left + 2);
  EXPECT_EQ(textArea.Right, m.Buttons[m.ButtonCount - 1].Left - m.Caption.Left - 2);
  EXPECT_EQ(shot.Pixel(m.Caption.Left + textArea.Left + 5, m.Caption.Top + 5), Rgb(clLime));
  // Painting off leaves the caption to the system.
  styler->SetPaintMode(pcNone);
  shot = Caption("formstyler-none");
  EXPECT_NE(shot.Pixel(m.Caption.Left, m.Caption.Top + 1), Rgb(clFuchsia));
}

TEST_F(FormStylerTest, WhereTheSystemDrawsGradientsTheStylerCanLeaveItTo) {
  testing_support::ScreenImage system = Caption("formstyler-system");
  TVisFormStyler* styler = Styler({fsAdjustRect, fsUseDefaultFont, fsUseFormCaption, fsCheckSystemGradient});
  if (!styler->GetSystemGradient() || ColorDepth() <= 8) GTEST_SKIP() << "this system draws no gradients";
  const TVisCaptionMetrics m = GetCaptionMetrics(form_->GetHandle());
  testing_support::ScreenImage shot = Caption("formstyler-checked");
  for (Integer x = m.Caption.Left; x < m.Caption.Right; x += 7)
    EXPECT_EQ(shot.Pixel(x, m.Caption.Top + 1), system.Pixel(x, m.Caption.Top + 1)) << x;
}

TEST_F(FormStylerTest, TheStylersSettingsGoThroughTheFormStream) {
  TForm source(nullptr);
  auto* styler = new TVisFormStyler(&source);
  styler->SetName("Styler");
  styler->SetAlignment(taCenter);
  styler->SetColors(64);
  styler->SetOptions({fsUseFontColor, fsInactiveGradient});
  styler->SetPaintMode(pcOwnerDraw);
  styler->GetFont()->SetColor(clMaroon);
  styler->GetFont3D()->SetStyle(tdRaised);
  const AnsiString text = FormText(&source);
  TForm copy(nullptr);
  ReadFormText(text, &copy);
  auto* read = dynamic_cast<TVisFormStyler*>(copy.FindComponent("Styler"));
  ASSERT_TRUE(read) << text;
  EXPECT_EQ(read->GetAlignment(), taCenter);
  EXPECT_EQ(read->GetColors(), 64);
  EXPECT_EQ(read->GetOptions(), (TVisFormStyleOptions{fsUseFontColor, fsInactiveGradient}));
  EXPECT_EQ(read->GetPaintMode(), pcOwnerDraw);
  EXPECT_EQ(read->GetFont()->GetColor(), clMaroon);
  EXPECT_EQ(read->GetFont3D()->GetStyle(), tdRaised);
}

TEST_F(FormStylerTest, ASecondStylerOnADesignedFormIsRefused) {
  TForm form(nullptr);
  form.SetDesigning(true);
  new TVisFormStyler(&form);
  EXPECT_THROW(new TVisFormStyler(&form), VisEOneInstError);
  EXPECT_EQ(form.GetComponentCount(), 1);
}

}  // namespace
