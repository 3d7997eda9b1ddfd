// The spin edits on a shown form: values and the range, the arrow keys and buttons, the repeat
// while a button is held, the suffix, the numeric modes, and the form stream.
#include <algorithm>
#include <string>
#include <vector>

#include "classlib/Menus.h"
#include "controls/VisExtSpinEdit.h"
#include "controls/tests/edits/EditTestSupport.h"
#include "controls/visclass.h"

using namespace edit_test;

namespace edit_test {

// A form whose handler the events of a streamed spin edit name.
class TSpinForm : public TForm {
  CLASS_INFO(TSpinForm, TForm)
public:
  explicit TSpinForm(TComponent* AOwner) : TForm(AOwner) {}
  void MarginChange(TObject*) {}
};

}  // namespace edit_test

PUBLISHED(TSpinForm) { Method("MarginChange", &TSpinForm::MarginChange); }

namespace {

class SpinEditTest : public ControlFormTest {
protected:
  void SetUp() override {
    ControlFormTest::SetUp();
    VisApplication->SetShiftFlags(vsfInsert);
    other = Add<TVisCustomEdit>(250, 20, 100);
  }

  // A margin field as the print settings dialog has them.
  TVisExtSpinEdit* Margin(Integer Left, Integer Top) {
    auto* spin = Add<TVisExtSpinEdit>(Left, Top, 90);
    spin->SetSuffix(" mm");
    spin->SetMaxValue(70);
    return spin;
  }
  void Focus(TWinControl* Control) {
    Control->SetFocus();
    ProcessFor(30);
  }
  // Where the up and down arrows of a spin edit are, in its spin button: near the top left and
  // the bottom right corner, whether the pair is split along the diagonal or one above the other.
  static TPoint UpArrow(TVisExtSpinEdit*) { return {2, 2}; }
  static TPoint DownArrow(TVisExtSpinEdit* Spin) {
    return {Spin->GetSpinButton()->GetWidth() - 3, Spin->GetSpinButton()->GetHeight() - 3};
  }
  static void Press(TControl* Button, TPoint At) {
    SendMouse(Button, WM_LBUTTONDOWN, At.X, At.Y, MK_LBUTTON);
    SendMouse(Button, WM_LBUTTONUP, At.X, At.Y);
  }

  TVisCustomEdit* other = nullptr;
};

TEST_F(SpinEditTest, ANewSpinEditCountsWholeNumbersFromZeroToAHundred) {
  auto* spin = Add<TVisExtSpinEdit>(20, 20, 90);
  EXPECT_EQ(spin->GetEditType(), ntInteger);
  EXPECT_EQ(spin->GetDataMode(), mdInteger);
  EXPECT_EQ(spin->GetEditText(), "0");
  EXPECT_EQ(spin->GetValue(), 0.0);
  EXPECT_EQ(spin->GetMinValue(), 0.0);
  EXPECT_EQ(spin->GetMaxValue(), 100.0);
  EXPECT_EQ(spin->GetStep(), 1.0);
  EXPECT_EQ(spin->GetLargeStep(), 10.0);
  EXPECT_EQ(spin->GetFractionStep(), 0.1);
  EXPECT_EQ(spin->GetSpinBtnWidth(), -1);
  EXPECT_TRUE(spin->GetEditorEnabled());
  EXPECT_EQ(spin->GetDecimals(), 1);
  TVisSpinButton* button = spin->GetSpinButton();
  EXPECT_EQ(button->GetSpinButtons(), (TVisSpinButtons{sbUp, sbDown}));
  EXPECT_EQ(button->GetLayout(), 2);
  EXPECT_EQ(button->GetParent(), spin);
  // The buttons fill a square strip at the right of the text.
  const TRect text = spin->GetTextRect();
  EXPECT_EQ(button->GetLeft(), text.Right + 1);
  EXPECT_EQ(button->GetWidth(), text.Height());
  EXPECT_EQ(button->GetHeight(), text.Height());
  spin->SetSpinBtnWidth(12);
  EXPECT_EQ(spin->GetSpinButton()->GetWidth(), 12);
}

TEST_F(SpinEditTest, TheSpinButtonsLayoutIsTheExactSetOfItsButtons) {
  struct Case {
    TVisSpinButtons buttons;
    Byte layout;
  };
  const Case cases[] = {{{sbUp}, 1}, {{sbUp, sbDown}, 2}, {{sbUp, sbLeft}, 3}, {{sbUp, sbRight}, 4},
                        {{sbUp, sbDown, sbLeft}, 5}, {{sbUp, sbDown, sbRight}, 6}, {{sbUp, sbLeft, sbRight}, 7},
                        {{sbUp, sbDown, sbLeft, sbRight}, 8}, {{sbDown}, 9}, {{sbDown, sbRight}, 10},
                        {{sbDown, sbLeft}, 11}, {{sbDown, sbLeft, sbRight}, 12}, {{sbLeft}, 13},
                        {{sbLeft, sbRight}, 14}, {{sbRight}, 15}};
  auto* button = Add<TVisSpinButton>(20, 20, 40, 40);
  EXPECT_EQ(button->GetSpinButtons(), TVisSpinButtons{sbUp});
  EXPECT_EQ(button->GetLayout(), 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.layout));
    button->SetSpinButtons(c.buttons);
    EXPECT_EQ(button->GetLayout(), c.layout);
    // Every button present has a place of its own; no point belongs to two buttons but the
    // row the up and down buttons share.
    Integer shared = 0;
    for (TVisSingleSpinButton b : {sbUp, sbDown, sbLeft, sbRight}) {
      Integer points = 0;
      for (Integer y = 0; y < 40; ++y)
        for (Integer x = 0; x < 40; ++x) {
          if (!button->HitButton(b, x, y)) continue;
          ++points;
          for (TVisSingleSpinButton o : {sbUp, sbDown, sbLeft, sbRight})
            if (o > b && button->HitButton(o, x, y)) ++shared;
        }
      EXPECT_EQ(points > 0, c.buttons.Contains(b)) << "button " << b;
    }
    const bool pair = c.buttons.Contains(sbUp) && c.buttons.Contains(sbDown);
    EXPECT_EQ(shared > 0, pair);
  }
  button->SetSpinButtons({});
  EXPECT_EQ(button->GetLayout(), 15) << "an empty set keeps the layout";
}

TEST_F(SpinEditTest, TheValueIsHeldInTheRangeAndShownWithTheSuffix) {
  auto* spin = Margin(20, 20);
  EXPECT_EQ(spin->GetEditText(), "0 mm");
  struct Case {
    double value;
    double stored;
    const char* text;
  };
  const Case cases[] = {{25, 25, "25 mm"}, {75, 70, "70 mm"}, {-5, 0, "0 mm"}, {12.5, 12.5, "12 mm"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    spin->SetValue(c.value);
    EXPECT_EQ(spin->GetValue(), c.stored);
    EXPECT_EQ(spin->GetEditText(), c.text);
  }
  // The stored value again: the text is not written, even if it was edited meanwhile.
  spin->SetText("3 mm");
  spin->SetValue(12.5);
  EXPECT_EQ(spin->GetEditText(), "3 mm");
  EXPECT_EQ(spin->GetAsInteger(), 3);
  // The range's ends move each other.
  spin->SetMinValue(80);
  EXPECT_EQ(spin->GetMaxValue(), 80);
  spin->SetMaxValue(10);
  EXPECT_EQ(spin->GetMinValue(), 10);
}

TEST_F(SpinEditTest, TheArrowKeysStepTheNumberWithinTheRange) {
  auto* spin = Margin(20, 20);
  Focus(spin);
  struct Step {
    const char* start;
    Word key;
    const char* text;
  };
  const Step steps[] = {
      {"5 mm", VK_UP, "6 mm"},      {"5 mm", VK_DOWN, "4 mm"},    {"5 mm", VK_PRIOR, "15 mm"},
      {"5 mm", VK_NEXT, "0 mm"},    {"65 mm", VK_PRIOR, "70 mm"}, {"70 mm", VK_UP, "70 mm"},
      {"0 mm", VK_DOWN, "0 mm"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << s.start << " key " << s.key);
    spin->SetText(s.start);
    Key(s.key);
    EXPECT_EQ(spin->GetEditText(), s.text);
  }
  EXPECT_EQ(spin->GetValue(), 0.0) << "the value follows when the focus leaves";
  Focus(other);
  EXPECT_EQ(spin->GetValue(), 0.0);
}

// An amount beyond what the currency value holds (a 64-bit count of ten-thousandths) is held at
// the edit's range or at the value's limit: no error is shown while typing, stepping or leaving.
TEST_F(SpinEditTest, ACurrencyAmountBeyondTheValueIsHeldAtTheLimit) {
  std::vector<std::string> errors;
  Application->OnException = TExceptionEvent::FromFunction([&](TObject*, Exception* e) { errors.push_back(e->Message); });
  const double limit = 922337203685477.5807;
  struct Case {
    const char* name;
    double maxValue;
    const char* typed;
    Word key;
    double value;
  };
  const Case cases[] = {
      {"typed, within a range", 10000, "9,999,999,999,999,999.00", 0, 10000},
      {"seventeen nines and Up, within a range", 10000, "99999999999999999", VK_UP, 10000},
      {"typed, beyond the value", 1e30, "9,999,999,999,999,999.00", 0, limit},
      {"seventeen nines and Up, beyond the value", 1e30, "99999999999999999", VK_UP, limit},
  };
  auto* spin = Margin(20, 20);
  spin->SetEditType(ntCurrency);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    spin->SetMaxValue(c.maxValue);
    spin->SetValue(1);
    Focus(spin);
    Key('A', Ctrl);
    Type(c.typed);
    if (c.key) Key(c.key);
    Focus(other);
    EXPECT_DOUBLE_EQ(spin->GetValue(), c.value);
    EXPECT_EQ(spin->GetEditText(), FloatToStrF(c.value, ffCurrency, 15, CurrencyDecimals));
  }
  Application->OnException = nullptr;
  EXPECT_EQ(errors, std::vector<std::string>{});
}

TEST_F(SpinEditTest, AfterTheDecimalSeparatorTheFractionStepApplies) {
  auto* spin = Margin(20, 20);
  spin->SetEditType(ntFloat);
  Focus(spin);
  struct Step {
    int caret;  // 0-based
    Word key;
    const char* text;
    Integer caretAfter;
  };
  const Step steps[] = {
      {3, VK_UP, "2.6 mm", 4},   // after the 5
      {1, VK_UP, "3.5 mm", 2},   // before the separator
      {2, VK_DOWN, "2.4 mm", 3}, // just after the separator
      {0, VK_NEXT, "0 mm", 1},   // the minimum
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.text);
    spin->SetText("2.5 mm");
    ::SendMessageA(spin->GetHandle(), EM_SETSEL, WPARAM(s.caret), LPARAM(s.caret));
    Key(s.key);
    EXPECT_EQ(spin->GetEditText(), s.text);
    EXPECT_EQ(spin->GetCaretIndex(), s.caretAfter) << "the caret stays where it was";
  }
  // Below the minimum, a step up starts from it.
  spin->SetMinValue(10);
  spin->SetText("2 mm");
  Key(VK_UP);
  EXPECT_EQ(spin->GetEditText(), "11 mm");
}

TEST_F(SpinEditTest, ClickingTheArrowsStepsTheTextAndLeavesTheValueUntilTheFocusGoes) {
  auto* spin = Margin(20, 20);
  spin->SetValue(10);
  TVisSpinButton* button = spin->GetSpinButton();
  Press(button, UpArrow(spin));
  Press(button, UpArrow(spin));
  EXPECT_EQ(spin->GetEditText(), "12 mm");
  EXPECT_EQ(spin->GetAsInteger(), 12);
  EXPECT_EQ(spin->GetValue(), 10.0) << "the edit never had the focus";
  Press(button, DownArrow(spin));
  EXPECT_EQ(spin->GetEditText(), "11 mm");
  EXPECT_FALSE(button->Repeating()) << "released: no repeat";
  Focus(spin);
  Focus(other);
  EXPECT_EQ(spin->GetValue(), 11.0);
}

TEST_F(SpinEditTest, AHeldArrowStepsAtOnceThenAfter300MsThenEvery100Ms) {
  auto* spin = Add<TVisExtSpinEdit>(20, 20, 90);
  spin->SetMaxValue(1000);
  std::vector<DWORD> times;
  spin->OnChange = TNotifyEvent::FromFunction([&](TObject*) { times.push_back(::GetTickCount()); });
  TVisSpinButton* button = spin->GetSpinButton();
  const TPoint up = UpArrow(spin);
  // The pointer is over the arrow before the press, as a user's is.
  PointAt(button, up.X, up.Y);
  ProcessFor(50);
  const DWORD start = ::GetTickCount();
  SendMouse(button, WM_LBUTTONDOWN, up.X, up.Y, MK_LBUTTON);
  ASSERT_EQ(times.size(), 1u) << "one step with the press";
  EXPECT_EQ(button->GetState(sbUp), 2);
  ASSERT_TRUE(ProcessUntil([&] { return times.size() >= 8; }, 30000));
  SendMouse(button, WM_LBUTTONUP, up.X, up.Y);
  // Timers are never early; a loaded machine may make them late, so the times are bounded from
  // below only, from a moment before the press. That the repeats come faster than the delay is
  // seen in the shortest of six gaps: a busy machine would have to hold back every one of them.
  EXPECT_GE(times[1] - start, 280u);
  EXPECT_GE(times[3] - start, 280u + 2 * 90u);
  DWORD shortest = times[2] - times[1];
  for (size_t i = 2; i + 1 < times.size(); ++i) shortest = std::min<DWORD>(shortest, times[i + 1] - times[i]);
  EXPECT_LT(shortest, times[1] - start);
  const size_t given = times.size();
  ProcessFor(350);
  EXPECT_EQ(times.size(), given) << "released: no further step";
  EXPECT_EQ(spin->GetAsInteger(), Integer(given));
  EXPECT_NE(button->GetState(sbUp), 2);
}

TEST_F(SpinEditTest, WithoutThemesTheArrowsAreDrawnAndLightUpUnderThePointer) {
  VisApplication->SetUseXPThemes(false);
  auto* spin = Margin(20, 20);
  auto* disabled = Margin(20, 60);
  disabled->SetEnabled(false);
  TVisSpinButton* button = spin->GetSpinButton();
  EXPECT_TRUE(button->HitButton(sbUp, 2, 2));
  EXPECT_TRUE(button->HitButton(sbDown, button->GetWidth() - 3, button->GetHeight() - 3));
  EXPECT_FALSE(button->HitButton(sbDown, 2, 2)) << "split along the diagonal";
  const TPoint up = UpArrow(spin);
  PointAt(button, up.X, up.Y);
  SendMouse(button, WM_MOUSEMOVE, up.X, up.Y);
  EXPECT_EQ(button->GetState(sbUp), 1);
  form_->Update();
  ProcessFor(50);
  const auto red = [](TControl* Control) { return pixels::Count(*CaptureClient(Control), RGB(255, 0, 0)); };
  EXPECT_GT(red(button), 0) << "the hot arrow is red";
  EXPECT_EQ(disabled->GetSpinButton()->GetState(sbUp), 3);
  EXPECT_GT(pixels::Count(*CaptureClient(disabled->GetSpinButton()), RGB(128, 128, 128)), 0);
  Shot("spin-plain");
  // Moving over the text makes no arrow hot.
  PointAt(spin, 5, 5);
  SendMouse(spin, WM_MOUSEMOVE, 5, 5);
  EXPECT_EQ(button->GetState(sbUp), 0);
  form_->Update();
  ProcessFor(50);
  EXPECT_EQ(red(button), 0);
}

TEST_F(SpinEditTest, TheRangeIsAppliedWhenTheFocusLeaves) {
  auto* spin = Margin(20, 20);
  Focus(spin);
  struct Case {
    const char* typed;
    double value;
    const char* text;
  };
  const Case cases[] = {{"85", 70, "70 mm"}, {"42", 42, "42 mm"}, {"-5", 0, "0 mm"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Key('A', Ctrl);
    Type(c.typed);
    Focus(other);
    EXPECT_EQ(spin->GetValue(), c.value);
    EXPECT_EQ(spin->GetEditText(), c.text);
    Focus(spin);
  }
}

TEST_F(SpinEditTest, TheSuffixStaysWhileTheNumberIsTyped) {
  auto* spin = Margin(20, 20);
  spin->SetValue(12);
  Focus(spin);
  Key('A', Ctrl);
  Type("45");
  EXPECT_EQ(spin->GetEditText(), "45 mm") << "typing over a selection that reaches into the suffix";
  Key(VK_END);
  Type("6");
  EXPECT_EQ(spin->GetEditText(), "45 mm") << "nothing goes into the suffix";
  Key(VK_BACK);
  Key(VK_LEFT);
  Key(VK_LEFT);
  Key(VK_LEFT);
  Key(VK_DELETE);
  EXPECT_EQ(spin->GetEditText(), "45 mm") << "Backspace and Delete leave the suffix";
  Key(VK_BACK);
  EXPECT_EQ(spin->GetEditText(), "4 mm");
  Key(VK_HOME);
  Key(VK_END, Shift);
  Key(VK_DELETE);
  EXPECT_EQ(spin->GetEditText(), " mm");
  Focus(other);
  EXPECT_EQ(spin->GetValue(), 0.0);
}

TEST_F(SpinEditTest, EachEditTypeShowsAndReadsItsNumbers) {
  auto* spin = Margin(20, 20);
  spin->SetMaxValue(10000);
  struct Case {
    TVisNumberType type;
    const char* zero;
    double value;
    const char* text;
    const char* typed;
    double read;
  };
  const Case cases[] = {
      {ntInteger, "0 mm", 12.5, "12 mm", "7", 7},
      {ntFloat, "0 mm", 12.5, "12.5 mm", "7.25", 7.25},
      {ntFloatFixed, "0.0 mm", 12.34, "12.3 mm", "7.5", 7.5},
      {ntFloatNumber, "0.0 mm", 1234.5, "1,234.5 mm", "2345.5", 2345.5},
      {ntCurrency, "$0.00", 1234.5, "$1,234.50", "99.5", 99.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    spin->SetEditType(c.type == ntInteger ? ntCurrency : ntInteger);
    spin->SetEditType(c.type);
    EXPECT_EQ(spin->GetEditText(), c.zero) << "a new type starts at its zero";
    spin->SetValue(c.value);
    EXPECT_EQ(spin->GetEditText(), c.text);
    Focus(spin);
    Key('A', Ctrl);
    Type(c.typed);
    Focus(other);
    EXPECT_EQ(spin->GetValue(), c.read);
  }
  // The dialog reads an integer: other types are refused.
  EXPECT_EQ(spin->GetEditType(), ntCurrency);
  try {
    spin->GetAsInteger();
    ADD_FAILURE() << "no exception";
  } catch (const EVisWrongDataType& e) {
    EXPECT_EQ(e.Message, "No integer entered");
  }
  // Currency steps too.
  spin->SetValue(10);
  Focus(spin);
  Key(VK_UP);
  EXPECT_EQ(spin->GetEditText(), "$11.00");
}

TEST_F(SpinEditTest, OnlyTheButtonsAndKeysChangeANumberThatCannotBeTyped) {
  auto* spin = Margin(20, 20);
  spin->SetValue(5);
  spin->SetEditorEnabled(false);
  Focus(spin);
  Type("9");
  EXPECT_EQ(spin->GetEditText(), "5 mm");
  Key(VK_UP);
  EXPECT_EQ(spin->GetEditText(), "6 mm");
  // Read-only, nothing changes it.
  spin->SetEditorEnabled(true);
  spin->SetReadOnly(true);
  Key(VK_UP);
  Press(spin->GetSpinButton(), UpArrow(spin));
  EXPECT_EQ(spin->GetEditText(), "6 mm");
}

TEST_F(SpinEditTest, EveryPublishedPropertyTravelsThroughTheFormStream) {
  const char* text =
      "object SpinForm: TSpinForm\n"
      "  object PopupMenu1: TPopupMenu\n"
      "  end\n"
      "  object TopMargin: TVisExtSpinEdit\n"
      "    Left = 16\n"
      "    Top = 24\n"
      "    Width = 96\n"
      "    Height = 26\n"
      "    Cursor = crHandPoint\n"
      "    Hint = 'Top margin'\n"
      "    HelpContext = 7\n"
      "    Tag = 3\n"
      "    Anchors = [akLeft, akTop, akRight]\n"
      "    Enabled = False\n"
      "    ParentShowHint = False\n"
      "    PopupMenu = PopupMenu1\n"
      "    ShowHint = True\n"
      "    OnClick = MarginChange\n"
      "    OnDblClick = MarginChange\n"
      "    Color = clYellow\n"
      "    TabOrder = 0\n"
      "    TabStop = False\n"
      "    OnEnter = MarginChange\n"
      "    OnExit = MarginChange\n"
      "    BiDiMode = bdRightToLeft\n"
      "    ParentBiDiMode = False\n"
      "    Constraints.MinWidth = 40\n"
      "    DragMode = dmAutomatic\n"
      "    BackFX.GrayScale = True\n"
      "    Bevel.Mode = bmStandard\n"
      "    Bevel.StandardStyle = lsDoubleLowered\n"
      "    Ctl3D = False\n"
      "    CtlXP = False\n"
      "    Flat = True\n"
      "    ImageIndex = 2\n"
      "    ListIndex = 1\n"
      "    ParentCtl3D = False\n"
      "    Transparent = True\n"
      "    OnAfterEnter = MarginChange\n"
      "    OnAfterExit = MarginChange\n"
      "    OnMouseEnter = MarginChange\n"
      "    OnMouseExit = MarginChange\n"
      "    Font.Name = 'Arial'\n"
      "    Font.Size = 11\n"
      "    ParentFont = False\n"
      "    CharCase = ecUpperCase\n"
      "    Font3D.Style = tdSunken\n"
      "    MaxLength = 8\n"
      "    HideSelection = False\n"
      "    AutoSelect = True\n"
      "    OEMConvert = True\n"
      "    Alignment = taRightJustify\n"
      "    SpinBtnWidth = 14\n"
      "    Step = 0.5\n"
      "    LargeStep = 5\n"
      "    FractionStep = 0.25\n"
      "    EditorEnabled = False\n"
      "    Decimals = 2\n"
      "    MinValue = 5\n"
      "    MaxValue = 70\n"
      "    Suffix = ' mm'\n"
      "    EditType = ntFloat\n"
      "    Value = 12.5\n"
      "  end\n"
      "  object BottomMargin: TVisExtSpinEdit\n"
      "    MaxValue = 70\n"
      "    Suffix = ' mm'\n"
      "    Value = 90\n"
      "  end\n"
      "end\n";
  TSpinForm first(Application);
  ReadFormText(text, &first);
  auto* spin = dynamic_cast<TVisExtSpinEdit*>(first.FindComponent("TopMargin"));
  ASSERT_TRUE(spin);
  EXPECT_EQ(spin->GetLeft(), 16);
  EXPECT_EQ(spin->GetCursor(), crHandPoint);
  EXPECT_EQ(spin->GetHint(), "Top margin");
  EXPECT_EQ(spin->Tag, 3);
  EXPECT_EQ(spin->GetAnchors(), (TAnchors{akLeft, akTop, akRight}));
  EXPECT_FALSE(spin->GetEnabled());
  EXPECT_FALSE(spin->GetSpinButton()->GetEnabled()) << "the buttons are disabled with the edit";
  EXPECT_EQ(spin->GetPopupMenu(), first.FindComponent("PopupMenu1"));
  EXPECT_TRUE(spin->OnClick);
  EXPECT_TRUE(spin->OnAfterExit);
  EXPECT_EQ(spin->GetColor(), clYellow);
  EXPECT_FALSE(spin->GetTabStop());
  EXPECT_EQ(spin->GetBiDiMode(), bdRightToLeft);
  EXPECT_EQ(spin->GetConstraints()->GetMinWidth(), 40);
  EXPECT_TRUE(spin->GetBackFX()->GetGrayScale());
  EXPECT_EQ(spin->GetBevel()->GetStandardStyle(), lsDoubleLowered);
  EXPECT_FALSE(spin->GetCtlXP());
  EXPECT_FALSE(spin->GetSpinButton()->GetCtlXP()) << "the buttons follow the edit's look";
  EXPECT_TRUE(spin->GetFlat());
  EXPECT_EQ(spin->GetImageIndex(), 2);
  EXPECT_TRUE(spin->GetTransparent());
  EXPECT_EQ(spin->GetFont()->GetSize(), 11);
  EXPECT_EQ(spin->GetCharCase(), ecUpperCase);
  EXPECT_EQ(spin->GetFont3D()->GetStyle(), tdSunken);
  EXPECT_EQ(spin->GetMaxLength(), 8);
  EXPECT_FALSE(spin->GetHideSelection());
  EXPECT_TRUE(spin->GetAutoSelect());
  EXPECT_TRUE(spin->GetOEMConvert());
  EXPECT_EQ(spin->GetAlignment(), taRightJustify);
  EXPECT_EQ(spin->GetSpinBtnWidth(), 14);
  EXPECT_EQ(spin->GetStep(), 0.5);
  EXPECT_EQ(spin->GetLargeStep(), 5.0);
  EXPECT_EQ(spin->GetFractionStep(), 0.25);
  EXPECT_FALSE(spin->GetEditorEnabled());
  EXPECT_EQ(spin->GetDecimals(), 2);
  EXPECT_EQ(spin->GetMinValue(), 5.0);
  EXPECT_EQ(spin->GetMaxValue(), 70.0);
  EXPECT_EQ(spin->GetSuffix(), " mm");
  EXPECT_EQ(spin->GetEditType(), ntFloat);
  EXPECT_EQ(spin->GetValue(), 12.5);
  EXPECT_EQ(spin->GetEditText(), "12.5 mm");
  auto* bottom = dynamic_cast<TVisExtSpinEdit*>(first.FindComponent("BottomMargin"));
  ASSERT_TRUE(bottom);
  EXPECT_EQ(bottom->GetValue(), 70.0) << "a value read from the form is held in the range";
  EXPECT_EQ(bottom->GetEditText(), "70 mm");

  // Written and read again, the form is the same; its own spin button is not written.
  const AnsiString written = FormText(&first);
  EXPECT_EQ(written.find("TVisSpinButton"), std::string::npos);
  EXPECT_NE(written.find("DateTime = 12.5"), std::string::npos);
  for (const char* name : {"Cursor", "HelpContext", "Anchors", "Enabled", "PopupMenu", "OnDblClick", "Color",
                           "TabStop", "BiDiMode", "Constraints.MinWidth", "DragMode", "BackFX.GrayScale",
                           "Bevel.StandardStyle", "Ctl3D", "CtlXP", "Flat", "ImageIndex", "ListIndex", "ParentCtl3D",
                           "Transparent", "OnMouseExit", "Font.Height", "CharCase", "Font3D.Style", "MaxLength",
                           "HideSelection", "AutoSelect", "OEMConvert", "Alignment", "SpinBtnWidth", "Step",
                           "LargeStep", "FractionStep", "EditorEnabled", "Decimals", "MinValue", "MaxValue",
                           "Suffix", "EditType", "Value"})
    EXPECT_NE(written.find(AnsiString("    ") + name + " = "), std::string::npos) << name << " in\n" << written;
  TSpinForm second(nullptr);
  ReadFormText(written, &second);
  EXPECT_EQ(FormText(&second), written);
  // The defaults are not written.
  TSpinForm plain(nullptr);
  auto* fresh = new TVisExtSpinEdit(&plain);
  fresh->SetName("Fresh");
  fresh->SetParent(&plain);
  const AnsiString defaults = FormText(&plain);
  for (const char* name : {"TabStop", "Cursor", "Color =", "EditType", "Alignment", "SpinBtnWidth", "Decimals",
                           "EditorEnabled", "CtlXP", "HideSelection"})
    EXPECT_EQ(defaults.find(AnsiString("    ") + name), std::string::npos) << name;
}

TEST_F(SpinEditTest, MarginFieldsLookAsTheyShould) {
  auto* top = Margin(20, 20);
  top->SetValue(25);
  auto* fraction = Margin(20, 60);
  fraction->SetEditType(ntFloat);
  fraction->SetValue(12.5);
  auto* money = Add<TVisExtSpinEdit>(20, 100, 110);
  money->SetEditType(ntCurrency);
  money->SetMaxValue(5000);
  money->SetValue(1234.5);
  Focus(fraction);
  Key(VK_END);
  Shot("spin-margins");
  VisApplication->SetUseXPThemes(false);
  ProcessFor(50);
  Shot("spin-margins-plain");
}

}  // namespace
