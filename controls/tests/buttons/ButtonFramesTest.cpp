// Button frames of every style, with and without the visual styles, checked by their pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "classlib/Bitmaps.h"
#include "classlib/Forms.h"
#include "controls/VisObject.h"
#include "controls/visbtnframe.h"
#include "controls/visclass.h"
#include "controls/viscaption.h"
#include "controls/visglyph.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestSupport.h"

using namespace pixels;

namespace {

constexpr TColor kBack = 0x00ABCDEF;
constexpr TColor kFace = 0x00C8D0D4;

bool SamePixels(TBitmap& A, TBitmap& B) {
  for (Integer y = 0; y < A.GetHeight(); ++y)
    for (Integer x = 0; x < A.GetWidth(); ++x)
      if (At(A, x, y) != At(B, x, y)) return false;
  return true;
}

std::unique_ptr<TBitmap> Frame(TVisUserButtonStyle Style, Integer State, Word Flags, bool Hot = false,
                               TRect* Content = nullptr) {
  auto bitmap = Bitmap24(40, 30, kBack);
  TRect r = Rect(0, 0, 40, 30);
  EXPECT_TRUE(DrawButtonFrame(bitmap->GetCanvas(), Hot, r, kFace, Flags, State, Style));
  if (Content) *Content = r;
  return bitmap;
}

const TVisUserButtonStyle kAllStyles[] = {
    ubsAutoDetect, ubsWin31,       ubsWin40,    ubsDelphi,          ubsDelphiFlat, ubsFlat,   ubsFlatUnColored,
    ubsNavigator,  ubsExplorer,    ubsExplorerColored, ubsIntegrated, ubsWinXP,  ubsWinXPCombo, ubsWinXPTool};

TEST(ButtonFrames, ContentRectangleOfEveryStyleAndState) {
  for (TVisUserButtonStyle style : kAllStyles)
    for (Integer state = 0; state <= 8; ++state) {
      TRect content;
      Frame(style, state, 0, false, &content);
      const bool down = state == 3 || state == 4 || state == 6 || state == 7;
      EXPECT_EQ(content, down ? Rect(4, 4, 38, 28) : Rect(3, 3, 37, 27)) << style << "/" << state;
    }
}

TEST(ButtonFrames, LatchedWin40IsLoweredOnAPattern) {
  TRect content;
  auto latched = Frame(ubsWin40, 3, bfFull3D, false, &content);
  EXPECT_EQ(content, Rect(4, 4, 38, 28));
  // The same pattern, lowered: what DrawBorderEdge draws.
  auto expected = Bitmap24(40, 30, kBack);
  TCanvas* canvas = expected->GetCanvas();
  canvas->GetBrush()->SetBitmap(VisApplication->GetPatternBitmap(kFace));
  canvas->FillRect(Rect(0, 0, 40, 30));
  canvas->GetBrush()->SetBitmap(nullptr);
  TRect r = Rect(0, 0, 40, 30);
  DrawBorderEdge(canvas, r, lsLowered);
  EXPECT_TRUE(SamePixels(*latched, *expected));
  // The face alternates between the colour and white.
  EXPECT_NE(At(*latched, 10, 10), At(*latched, 11, 10));
  EXPECT_EQ(At(*latched, 10, 10) == kFace ? At(*latched, 11, 10) : At(*latched, 10, 10), clWhite);

  // A held button (state 4) has a plain face.
  auto held = Frame(ubsWin40, 4, bfFull3D);
  EXPECT_EQ(At(*held, 10, 10), kFace);
  EXPECT_EQ(At(*held, 11, 10), kFace);
  // With bfSunkenDown the edge is EDGE_SUNKEN.
  auto sunken = Frame(ubsWin40, 4, bfFull3D | bfSunkenDown);
  auto edge = Bitmap24(40, 30, kFace);
  r = Rect(0, 0, 40, 30);
  ::DrawEdge(edge->GetCanvas()->GetHandle(), AsRECT(r), EDGE_SUNKEN, BF_RECT);
  EXPECT_TRUE(SamePixels(*sunken, *edge));
}

TEST(ButtonFrames, LooksOfTheStyles) {
  const TColor grey = 0x00808080;
  struct Case {
    const char* what;
    TVisUserButtonStyle style;
    Integer state;
    Word flags;
    bool hot;
    std::vector<std::tuple<Integer, Integer, TColor>> samples;
  };
  const Case cases[] = {
      {"plain Win40 pressed", ubsWin40, 4, 0, false, {{0, 0, clBlack}, {1, 1, grey}, {2, 2, kFace}}},
      {"Delphi up", ubsDelphi, 0, 0, false, {{0, 0, clBlack}, {39, 29, clBlack}, {2, 2, kFace}}},
      {"Delphi down", ubsDelphi, 4, 0, false, {{0, 0, clBlack}, {1, 5, grey}, {5, 1, grey}, {38, 28, kFace}}},
      {"integrated up", ubsIntegrated, 0, 0, false,
       {{0, 0, clBlack}, {1, 5, ColorToRGB(clBtnFace)}, {2, 2, clWhite}, {36, 10, grey}, {10, 26, grey}}},
      {"integrated down", ubsIntegrated, 4, 0, false, {{0, 0, grey}, {39, 29, grey}, {1, 1, kFace}}},
      {"flat, not hot", ubsFlat, 0, 0, false, {{0, 0, kFace}, {39, 29, kFace}}},
      {"Delphi flat, hot", ubsDelphiFlat, 0, 0, true, {{0, 0, clBlack}, {1, 5, ColorToRGB(clBtnHighlight)}}},
      {"navigator down", ubsNavigator, 4, 0, false, {{0, 0, clBlack}, {1, 5, ColorToRGB(clBtnShadow)}}},
      {"explorer, not hot", ubsExplorer, 0, 0, false, {{0, 0, kBack}, {20, 15, kBack}}},
      {"explorer down", ubsExplorer, 4, 0, false, {{20, 15, kBack}, {0, 5, ColorToRGB(clBtnShadow)}}},
      {"coloured explorer, latched", ubsExplorerColored, 3, 0, false, {{20, 15, kBack}}},
      {"Win31 rounded", ubsWin31, 0, bfRounded, false, {{0, 0, ColorToRGB(clBtnFace)}, {39, 29, ColorToRGB(clBtnFace)}}},
      {"XP style draws nothing here", ubsWinXP, 0, 0, false, {{0, 0, kFace}, {39, 29, kFace}}},
  };
  for (const Case& c : cases) {
    auto bitmap = Frame(c.style, c.state, c.flags, c.hot);
    for (const auto& [x, y, colour] : c.samples)
      EXPECT_EQ(At(*bitmap, x, y), colour) << c.what << " at " << x << "," << y;
  }

  // A latched flat button under the mouse has a plain face, not the pattern.
  auto hotLatched = Frame(ubsFlat, 3, 0, true);
  EXPECT_EQ(At(*hotLatched, 10, 10), At(*hotLatched, 11, 10));

  // Focused and default buttons get a dark outer frame; focused ones a focus rectangle too.
  auto plain = Frame(ubsWin40, 0, bfFull3D);
  auto deflt = Frame(ubsWin40, 0, bfFull3D | bfDefault);
  EXPECT_NE(At(*deflt, 20, 0), At(*plain, 20, 0));
  EXPECT_EQ(At(*deflt, 20, 3), At(*plain, 20, 3));
  auto focused = Frame(ubsWin40, 0, bfFull3D | bfFocused);
  bool focusLine = false;
  for (Integer x = 3; x < 37; ++x) focusLine |= At(*focused, x, 3) != kFace;
  EXPECT_TRUE(focusLine);
  // BF_MIDDLE fills the edges' inside with the face colour of the system.
  auto middle = Frame(ubsWin31, 0, bfMiddle);
  EXPECT_EQ(At(*middle, 20, 15), ColorToRGB(clBtnFace));
}

// Themes switched off for the test's duration.
class ThemesOff {
public:
  ThemesOff() : was_(VisApplication->GetUseXPThemes()) { VisApplication->SetUseXPThemes(false); }
  ~ThemesOff() { VisApplication->SetUseXPThemes(was_); }

private:
  bool was_;
};

TEST(ThemedButtons, FallBackWithoutVisualStyles) {
  ThemesOff off;
  ASSERT_FALSE(VisApplication->GetUseXPThemes());
  struct Case {
    TVisUserButtonStyle themed;
    TVisUserButtonStyle plain;
  };
  const Case cases[] = {{ubsWinXP, ubsWin40},
                        {ubsWinXPCombo, ubsIntegrated},
                        {ubsWinXPTool, ubsExplorerColored},
                        {ubsAutoDetect, ubsWin40},
                        {ubsDelphi, ubsDelphi}};
  for (const Case& c : cases)
    for (Integer state : {0, 1, 3, 4})
      for (bool hot : {false, true}) {
        auto themed = Bitmap24(40, 30, kBack);
        TRect r = Rect(0, 0, 40, 30);
        EXPECT_TRUE(DrawThemedButton(nullptr, themed->GetCanvas(), hot, bfFull3D, state, kFace, c.themed, r));
        TRect content;
        auto plain = Frame(c.plain, state, bfFull3D, hot, &content);
        EXPECT_TRUE(SamePixels(*themed, *plain)) << c.themed << "/" << state << "/" << hot;
        EXPECT_EQ(r, content) << c.themed;
      }
}

TEST(ThemedButtons, DrawnByTheVisualStylesWhenInUse) {
  if (!VisApplication->GetUseXPThemes()) GTEST_SKIP() << "the system has no visual styles in use";
  TForm form(nullptr);
  form.SetBounds(0, 0, 100, 80);
  for (TVisUserButtonStyle style : {ubsWinXP, ubsWinXPCombo, ubsWinXPTool, ubsAutoDetect}) {
    auto themed = Bitmap24(40, 30, kBack);
    TRect r = Rect(0, 0, 40, 30);
    // Under the mouse, so that the toolbar button, flat when left alone, shows its face.
    EXPECT_TRUE(DrawThemedButton(&form, themed->GetCanvas(), true, 0, 0, kFace, style, r));
    // The rectangle is left as it was and the theme painted the background.
    EXPECT_EQ(r, Rect(0, 0, 40, 30)) << style;
    EXPECT_NE(At(*themed, 20, 15), kBack) << style;
  }
}

// A bitmap of the sample sheet for people to look at: every frame style in four looks, the
// caption styles and the standard faces. Written only when screenshots are asked for.
TEST(ButtonFrames, SampleSheet) {
  const char* folder = std::getenv("PELORIN_SCREENSHOTS");
  if (!folder || !*folder) GTEST_SKIP() << "no screenshot folder";
  auto sheet = Bitmap24(14 * 64 + 8, 4 * 40 + 11 * 30 + 40, ColorToRGB(clBtnFace));
  TCanvas* canvas = sheet->GetCanvas();
  const struct {
    Integer state;
    Word flags;
    bool hot;
  } looks[] = {{0, bfFull3D, false}, {0, bfFull3D, true}, {4, bfFull3D, false}, {3, bfFull3D | bfFocused, false}};
  for (Integer s = 0; s < 14; ++s)
    for (Integer l = 0; l < 4; ++l) {
      TRect r = Bounds(8 + s * 64, 8 + l * 40, 56, 32);
      DrawThemedButton(nullptr, canvas, looks[l].hot, looks[l].flags, looks[l].state, ColorToRGB(clBtnFace),
                       kAllStyles[s], r);
      canvas->GetFont()->SetName("Arial");
      canvas->GetFont()->SetSize(8);
      Draw3DText(canvas, "Ok", nullptr, nullptr, cfEnabled, DT_CENTER | DT_VCENTER | DT_SINGLELINE, r);
    }
  canvas->GetFont()->SetSize(16);
  canvas->GetFont()->SetStyle({fsBold});
  for (Integer style = tdNone; style <= tdExtrudeEnh; ++style) {
    TVis3DCaption caption;
    caption.SetStyle(static_cast<TVisThreeDStyle>(style));
    caption.SetShadowDepth(3);
    TRect r = Bounds(8, 170 + style * 30, 300, 30);
    canvas->GetBrush()->SetColor(clTeal);
    Draw3DText(canvas, caption.GetSummary(), &caption, nullptr, cfEnabled, 0, r);
  }
  TVisButtonFace faces;
  for (Integer i = 1; i <= 8; ++i) {
    TBitmap face;
    faces.LoadFace(&face, i);
    TRect r = Bounds(400 + i * 30, 180, 26, 28);
    DrawBitmapInRect(canvas, r, &face, clNone, nullptr, nullptr, nullptr, dbStretch, Rect(0, 0, 13, 14));
  }
  testing_support::ScreenImage image;
  image.width = sheet->GetWidth();
  image.height = sheet->GetHeight();
  for (Integer y = 0; y < image.height; ++y)
    for (Integer x = 0; x < image.width; ++x) {
      const TColor c = At(*sheet, x, y);
      image.rgb += static_cast<char>(c & 0xFF);
      image.rgb += static_cast<char>((c >> 8) & 0xFF);
      image.rgb += static_cast<char>((c >> 16) & 0xFF);
    }
  std::string path = folder;
  if (path.back() != '\\' && path.back() != '/') path += '\\';
  EXPECT_TRUE(testing_support::SavePng(image, path + "button-frames.png"));
}

}  // namespace
