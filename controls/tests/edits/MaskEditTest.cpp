// The mask edit on a shown form: what each mode reads, writes, takes from the keyboard and from
// the clipboard; the suffix; date fields stepped by the arrows and the wheel; the range check and
// required mask positions when the focus leaves.
#include <string>
#include <vector>

#include "controls/VisCustomMaskEdit.h"
#include "controls/tests/edits/EditTestSupport.h"
#include "controls/visclass.h"

using namespace edit_test;

namespace {

class MaskEditTest : public ControlFormTest {
protected:
  void SetUp() override {
    ControlFormTest::SetUp();
    VisApplication->SetShiftFlags(vsfInsert);
    saved_ = {ShortDateFormat, DateSeparator};
    edit = Add<TVisCustomMaskEdit>(20, 20, 220);
    other = Add<TVisCustomEdit>(20, 80, 100);
    edit->SetFocus();
    ProcessFor(20);
    // Errors of key handlers are reported here rather than in a message box.
    Application->OnException = TExceptionEvent::FromFunction([this](TObject*, Exception* E) { errors.push_back(E->Message); });
  }
  void TearDown() override {
    // The form goes first: its edits may still report errors as they lose the focus.
    ControlFormTest::TearDown();
    Application->OnException = nullptr;
    ShortDateFormat = saved_.first;
    DateSeparator = saved_.second;
  }

  // The mode and the text, with the caret or selection at 0-based positions. The text goes first:
  // the date and time modes take over only a text that reads as a date or time.
  void Setup(TVisMaskDataMode Mode, const char* Text, int SelStart, int SelEnd) {
    edit->SetText("");
    edit->SetDataMode(Mode);
    edit->SetText(Text);
    ::SendMessageA(edit->GetHandle(), EM_SETSEL, WPARAM(SelStart), LPARAM(SelEnd));
  }
  void Paste(const char* Text) {
    Clipboard()->SetAsText(Text);
    Key('V', Ctrl);
  }
  void LeaveAndComeBack() {
    other->SetFocus();
    ProcessFor(30);
    edit->SetFocus();
    ProcessFor(30);
  }
  template <class Read>
  std::string Failure(Read read) {
    try {
      read();
    } catch (const Exception& e) {
      return e.ClassName() + ": " + e.Message;
    }
    return "no exception";
  }

  TVisCustomMaskEdit* edit = nullptr;
  TVisCustomEdit* other = nullptr;
  std::vector<std::string> errors;

private:
  std::pair<AnsiString, AnsiChar> saved_;
};

TEST_F(MaskEditTest, ANewMaskEditStartsInTheMaskModeWithAnEmptyRange) {
  auto* fresh = new TVisCustomMaskEdit(form_);
  EXPECT_EQ(fresh->GetDataMode(), mdMask);
  EXPECT_EQ(fresh->GetMinValue(), -1.0);
  EXPECT_EQ(fresh->GetMaxValue(), -1.0);
  EXPECT_EQ(fresh->GetRadix(), 10);
  EXPECT_EQ(fresh->GetDecimals(), 1);
  EXPECT_EQ(fresh->GetBlankChar(), '_');
  EXPECT_FALSE(fresh->GetRangeCheck());
}

TEST_F(MaskEditTest, EachReaderReadsItsOwnModes) {
  struct Case {
    TVisMaskDataMode mode;
    Integer radix;
    const char* text;
    const char* reader;
    std::string result;
  };
  const Case cases[] = {
      {mdInteger, 10, "", "integer", "0"},
      {mdInteger, 10, "-123", "integer", "-123"},
      {mdInteger, 10, "-", "integer", "EConvertError: '-' is not a valid integer value"},
      {mdInteger, 16, "-1F", "integer", "-31"},
      {mdInteger, 16, "-1f", "integer", "-16"},  // a lower-case letter counts 0
      {mdInteger, 2, "101", "integer", "5"},
      {mdInteger, 16, "FFFFFFFF", "integer", "-1"},  // the low 32 bits
      {mdFloat, 10, "", "integer", "EVisWrongDataType: No integer entered"},
      {mdFloat, 10, "2.5", "float", "2.5"},
      {mdNumber, 10, "1,234.5", "float", "1234.5"},
      {mdFixed, 16, "A.8", "float", "10.5"},
      {mdFloat, 10, "-.25", "float", "-0.25"},
      {mdFloat, 10, "1E3", "float", "1000"},
      {mdInteger, 10, "7", "float", "EVisWrongDataType: No float entered"},
      {mdText, 10, "($1,234.50)", "currency", "-1234.5"},
      {mdInteger, 10, "12", "currency", "12"},
      {mdInteger, 10, "1", "date", "EVisWrongDataType: No date entered"},
      {mdInteger, 10, "1", "time", "EVisWrongDataType: No time entered"},
      {mdTime, 10, "", "time", "EConvertError: '' is not a valid time"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.reader << " of \"" << c.text << "\" in mode " << int(c.mode));
    edit->SetDataMode(c.mode);
    edit->SetRadix(c.radix);
    edit->SetText(c.text);
    std::string result;
    const std::string failure = Failure([&] {
      if (std::string(c.reader) == "integer") result = IntToStr(edit->GetAsInteger());
      if (std::string(c.reader) == "float") result = FloatToStr(edit->GetAsFloat());
      if (std::string(c.reader) == "currency") result = FloatToStr(edit->GetAsCurrency());
      if (std::string(c.reader) == "date") result = FloatToStr(edit->GetAsDate());
      if (std::string(c.reader) == "time") result = FloatToStr(edit->GetAsTime());
    });
    EXPECT_EQ(failure == "no exception" ? result : failure, c.result);
  }
  // With another decimal separator, a comma.
  edit->SetDataMode(mdFloat);
  edit->SetRadix(10);
  edit->SetDecimalSeparator(',');
  edit->SetThousandsSeparator('.');
  edit->SetText("-,5");
  EXPECT_EQ(edit->GetAsFloat(), -0.5L);
}

TEST_F(MaskEditTest, TheSuffixIsCutOnlyWhereTheTextEndsWithIt) {
  edit->SetDataMode(mdInteger);
  edit->SetSuffix(" mm");
  EXPECT_EQ(edit->GetEditText(), "0 mm");
  edit->SetText("12 mm");
  EXPECT_EQ(edit->GetAsInteger(), 12);
  edit->SetText("12 m");
  EXPECT_EQ(Failure([&] { edit->GetAsInteger(); }), "EConvertError: '12 m' is not a valid integer value");
  // A new suffix replaces the old one and keeps the value.
  edit->SetText("7 mm");
  edit->SetSuffix(" cm");
  EXPECT_EQ(edit->GetEditText(), "7 cm");
  // The currency, date, time, mask and text modes show none.
  edit->SetDataMode(mdCurrency);
  EXPECT_EQ(edit->DisplayedSuffix(), "");
  EXPECT_EQ(edit->GetEditText(), "$0.00");
}

TEST_F(MaskEditTest, TheWriterShowsAValueInTheModesForm) {
  DateSeparator = '.';
  edit->GetDateFormat()->SetFormat(dfCustom);
  edit->GetDateFormat()->SetFormatStr("dd/MM/yyyy");
  struct Case {
    TVisMaskDataMode mode;
    Integer radix, decimals;
    double value;
    const char* text;
  };
  const Case cases[] = {
      {mdInteger, 10, 1, 2.5, "2"},  // halves to the even neighbour
      {mdInteger, 10, 1, 3.5, "4"},
      {mdInteger, 16, 1, 255, "FF"},
      {mdInteger, 16, 1, -255, "-FF"},
      {mdUnsigned, 10, 1, -7, "7"},
      {mdFloat, 10, 1, 2.5, "2.5"},
      {mdFloat, 16, 1, 26.25, "1A.25"},
      {mdFloat, 16, 1, -0.5, "-0.5"},  // the sign stays with a zero integer part
      {mdFixed, 10, 2, 1234.5, "1234.50"},
      {mdNumber, 10, 2, 1234.5, "1,234.50"},
      {mdNumber, 16, 2, 4096.5, "1,000.50"},
      {mdCurrency, 10, 2, -1234.5, "($1,234.50)"},
      {mdDate, 10, 1, EncodeDate(2024, 3, 5), "05.03.2024"},
      {mdTime, 10, 1, EncodeTime(14, 30, 0, 0), "2:30:00 PM"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    edit->SetText("");
    edit->SetDataMode(c.mode);
    edit->SetRadix(c.radix);
    edit->SetDecimals(c.decimals);
    edit->WriteValue(c.value);
    EXPECT_EQ(edit->GetEditText(), c.text);
  }
}

TEST_F(MaskEditTest, ANewModeStartsFromItsZero) {
  edit->SetSuffix(" kg");
  struct Case {
    TVisMaskDataMode mode;
    const char* text;
  };
  const Case cases[] = {{mdInteger, "0 kg"}, {mdUnsigned, "0 kg"}, {mdFloat, "0 kg"},
                        {mdFixed, "0.0 kg"}, {mdNumber, "0.0 kg"}, {mdCurrency, "$0.00"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    edit->SetDataMode(c.mode);
    EXPECT_EQ(edit->GetEditText(), c.text);
  }
  edit->SetMask("(000) 000-0000");
  edit->SetDataMode(mdMask);
  EXPECT_EQ(edit->GetEditText(), "(___) ___-____");
}

TEST_F(MaskEditTest, TypingPassesOnlyWhatTheModeTakes) {
  struct Case {
    TVisMaskDataMode mode;
    Integer radix;
    const char* suffix;
    const char* mask;
    const char* text;
    int selStart, selEnd;
    const char* typed;
    const char* result;
  };
  const Case cases[] = {
      {mdInteger, 10, "", "", "", 0, 0, "-12a.3", "-123"},
      {mdInteger, 10, "", "", "5", 0, 0, "-", "-5"},
      {mdInteger, 10, "", "", "-5", 0, 0, "7", "-5"},      // no digit in front of the sign
      {mdInteger, 10, "", "", "-5", 0, 2, "7", "7"},       // a selection from the start is typed over
      {mdInteger, 10, "", "", "12", 1, 1, "-", "12"},      // the sign only in front
      {mdInteger, 16, "", "", "", 0, 0, "1Fg", "1F"},      // upper-case digits only
      {mdUnsigned, 10, "", "", "", 0, 0, "-42", "42"},
      {mdFloat, 10, "", "", "2.5", 3, 3, ".7", "2.57"},    // a second separator never
      {mdFloat, 10, "", "", "", 0, 0, "-.5", "-.5"},
      {mdFloat, 10, "", "", "-5", 0, 0, ".", "-5"},        // the separator only after the sign
      {mdFixed, 10, "", "", "-5", 0, 2, "3", "3"},
      {mdInteger, 10, " mm", "", "12 mm", 5, 5, "3", "12 mm"},     // not inside the suffix
      {mdInteger, 10, " mm", "", "12 mm", 2, 2, "3", "123 mm"},
      {mdInteger, 10, " mm", "", "12 mm", 0, 5, "7", "7 mm"},      // a selection into the suffix keeps it
      {mdTime, 10, "", "", "", 0, 0, "12:3a0", "12:30"},
      {mdCurrency, 10, "", "", "12.50", 1, 1, ".", "1.250"},       // the decimal character moves
      {mdText, 10, "", "", "", 0, 0, "any-thing.", "any-thing."},
      {mdMask, 10, "", "(000) 000-0000", "(___) ___-____", 0, 0, "5551234567", "(555) 123-4567"},
      {mdMask, 10, "", "aA-b", "__-_", 0, 0, "xYz", "xY-z"},
      {mdMask, 10, "", "aA", "__", 0, 0, "Xy", "y_"},              // a letter of the wrong case goes nowhere
      {mdMask, 10, "", "9c", "__", 0, 0, "0a9b", "9b"},
      {mdMask, 10, "", "v1", "__", 0, 0, "+01", "+0"},
      {mdMask, 10, "", "8#*", "___", 0, 0, " -0+", " -+"},
      {mdMask, 10, "", "0\\0!0", "_0_", 0, 0, "123", "102"},       // an escaped literal is passed
      {mdMask, 10, "", "000", "123", 0, 3, "9", "923"},            // a selection overwrites one place
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "typing \"" << c.typed << "\" into \"" << c.text << "\"");
    edit->SetDataMode(mdText);
    edit->SetRadix(c.radix);
    edit->SetSuffix(c.suffix);
    edit->SetMask(c.mask);
    Setup(c.mode, c.text, c.selStart, c.selEnd);
    Type(c.typed);
    EXPECT_EQ(edit->GetEditText(), c.result);
  }
}

TEST_F(MaskEditTest, TheCustomPlaceholderAsksItsEvent) {
  std::vector<std::string> asked;
  edit->OnCustomChar = TVisCustomCharEvent::FromFunction([&](TObject*, bool& Accept, Integer Position, char Char) {
    asked.push_back(std::to_string(Position) + Char);
    Accept = Char == 'q';
  });
  edit->SetMask("r-r");
  Setup(mdMask, "_-_", 0, 0);
  Type("pq");
  EXPECT_EQ(edit->GetEditText(), "q-_");
  EXPECT_EQ(asked, (std::vector<std::string>{"1p", "1q"}));
}

TEST_F(MaskEditTest, BackspaceAndDeleteKeepTheSuffixAndEmptyMaskPlaces) {
  edit->SetSuffix(" mm");
  struct Case {
    TVisMaskDataMode mode;
    const char* mask;
    const char* text;
    int selStart, selEnd;
    Word key;
    const char* result;
    Integer caret;
  };
  const Case cases[] = {
      {mdInteger, "", "12 mm", 5, 5, VK_BACK, "12 mm", 6},
      {mdInteger, "", "12 mm", 2, 2, VK_BACK, "1 mm", 2},
      {mdInteger, "", "12 mm", 2, 2, VK_DELETE, "12 mm", 3},
      {mdInteger, "", "12 mm", 0, 5, VK_DELETE, " mm", 1},
      {mdInteger, "", "12 mm", 1, 4, VK_BACK, "1 mm", 2},
      {mdMask, "(000)", "(123)", 3, 3, VK_BACK, "(1_3)", 3},
      {mdMask, "(000)", "(123)", 1, 1, VK_DELETE, "(_23)", 2},
      {mdMask, "(000)", "(123)", 0, 5, VK_DELETE, "(___)", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " on \"" << c.text << "\" " << c.selStart << "-" << c.selEnd);
    edit->SetDataMode(mdText);
    edit->SetMask(c.mask);
    Setup(c.mode, c.text, c.selStart, c.selEnd);
    Key(c.key);
    EXPECT_EQ(edit->GetEditText(), c.result);
    EXPECT_EQ(edit->GetCaretIndex(), c.caret);
  }
}

TEST_F(MaskEditTest, PastingPassesTheModesFilter) {
  struct Case {
    TVisMaskDataMode mode;
    const char* mask;
    const char* text;
    int selStart, selEnd;
    const char* pasted;
    const char* result;
  };
  const Case cases[] = {
      {mdInteger, "", "", 0, 0, "-12", "-12"},
      {mdInteger, "", "5", 1, 1, "-1", "5"},     // a sign only in front
      {mdInteger, "", "-5", 0, 2, "-3", "-3"},   // over a selection from the start
      {mdInteger, "", "-5", 0, 0, "-3", "-5"},   // a second sign
      {mdInteger, "", "12", 2, 2, "1a", "12"},
      {mdUnsigned, "", "", 0, 0, "-1", ""},
      {mdUnsigned, "", "", 0, 0, "42", "42"},
      {mdFloat, "", "2.5", 3, 3, "1.2", "2.5"},  // two separators
      {mdFloat, "", "", 0, 0, "-1.5", "-1.5"},
      {mdFloat, "", "2", 1, 1, "-1", "2"},
      {mdFloat, "", "2", 1, 1, "x", "2"},
      {mdMask, "(000) 000", "(___) ___", 0, 9, "(555) 123", "(555) 123"},
      {mdMask, "(000) 000", "(___) ___", 0, 0, "555", "(___) ___"},   // would not keep the mask's length
      {mdMask, "(000) 000", "(___) ___", 0, 9, "(55a) 123", "(___) ___"},
      {mdFixed, "", "1.0", 3, 3, "abc", "1.0abc"},                     // no filter
      {mdText, "", "", 0, 0, "anything", "anything"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pasting \"" << c.pasted << "\" into \"" << c.text << "\"");
    edit->SetDataMode(mdText);
    edit->SetMask(c.mask);
    Setup(c.mode, c.text, c.selStart, c.selEnd);
    Paste(c.pasted);
    EXPECT_EQ(edit->GetEditText(), c.result);
  }
  // Neither cut nor paste touch a selection that reaches into the suffix.
  edit->SetSuffix(" mm");
  Setup(mdInteger, "12 mm", 1, 4);
  Clipboard()->SetAsText("before");
  Key('X', Ctrl);
  EXPECT_EQ(edit->GetEditText(), "12 mm");
  EXPECT_EQ(ClipboardText(), "before");
  Paste("3");
  EXPECT_EQ(edit->GetEditText(), "12 mm");
}

class DateFieldTest : public MaskEditTest {
protected:
  void SetUp() override {
    MaskEditTest::SetUp();
    DateSeparator = '.';
    edit->GetDateFormat()->SetFormat(dfCustom);
    edit->GetDateFormat()->SetFormatStr("dd/MM/yyyy");
    edit->SetDataMode(mdDate);
  }
  void Show(Word Y, Word M, Word D, int Caret) {
    edit->WriteValue(EncodeDate(Y, M, D));
    ::SendMessageA(edit->GetHandle(), EM_SETSEL, WPARAM(Caret), LPARAM(Caret));
    edit->SelectDateField();
  }
  void Wheel(int Delta) {
    const TPoint p = edit->ClientToScreen(Point(10, 5));
    ::SendMessageA(edit->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, Delta), MAKELPARAM(p.X, p.Y));
  }
};

TEST_F(DateFieldTest, TheArrowsAndTheWheelStepTheFieldUnderTheCaret) {
  Show(2024, 1, 15, 0);
  EXPECT_EQ(edit->GetSelText(), "15");
  struct Step {
    const char* what;
    std::function<void()> act;
    const char* text;
    const char* selected;
  };
  const Step steps[] = {
      {"Up", [] { Key(VK_UP); }, "16.01.2024", "16"},
      {"Down twice", [] { Key(VK_DOWN); Key(VK_DOWN); }, "14.01.2024", "14"},
      {"Right", [] { Key(VK_RIGHT); }, "14.01.2024", "01"},
      {"Up", [] { Key(VK_UP); }, "14.02.2024", "02"},
      {"wheel up", [this] { Wheel(WHEEL_DELTA); }, "14.03.2024", "03"},
      {"wheel down", [this] { Wheel(-WHEEL_DELTA); }, "14.02.2024", "02"},
      {"Right", [] { Key(VK_RIGHT); }, "14.02.2024", "2024"},
      {"Up", [] { Key(VK_UP); }, "14.02.2025", "2025"},
      {"Right at the last field", [] { Key(VK_RIGHT); }, "14.02.2025", "2025"},
      {"Left twice", [] { Key(VK_LEFT); Key(VK_LEFT); }, "14.02.2025", "14"},
      {"Home and End do nothing", [] { Key(VK_END); Key(VK_HOME); }, "14.02.2025", "14"},
      {"Down past the month's start", [] { for (int i = 0; i < 14; ++i) Key(VK_DOWN); }, "31.01.2025", "31"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    s.act();
    EXPECT_EQ(edit->GetEditText(), s.text);
    EXPECT_EQ(edit->GetSelText(), s.selected);
  }
  EXPECT_TRUE(errors.empty());
  // December and January follow each other within the same year.
  Show(2024, 12, 1, 3);
  Key(VK_UP);
  EXPECT_EQ(edit->GetEditText(), "01.01.2024");
  Key(VK_DOWN);
  EXPECT_EQ(edit->GetEditText(), "01.12.2024");
}

TEST_F(DateFieldTest, AStepToADayTheMonthDoesNotHaveIsRefused) {
  struct Case {
    Word y, m, d;
    int caret;
    Word key;
    const char* text;
  };
  const Case cases[] = {
      {2024, 1, 31, 3, VK_UP, "31.01.2024"},    // no 31 February
      {2024, 5, 31, 3, VK_DOWN, "31.05.2024"},  // no 31 April
      {2024, 2, 29, 6, VK_UP, "29.02.2024"},    // no 29 February in 2025
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    errors.clear();
    Show(c.y, c.m, c.d, c.caret);
    Key(c.key);
    EXPECT_EQ(errors, std::vector<std::string>{"Invalid argument to date encode"});
    EXPECT_EQ(edit->GetEditText(), c.text);
  }
  Show(2024, 1, 31, 3);
  EXPECT_EQ(Failure([&] { edit->StepDateField(1); }), "EConvertError: Invalid argument to date encode");
}

TEST_F(DateFieldTest, DigitsFillTheFieldAndMoveOn) {
  Show(2024, 1, 15, 0);
  Type("3");
  EXPECT_EQ(edit->GetEditText(), "03.01.2024") << "a day starting 3 may go on";
  Type("1");
  EXPECT_EQ(edit->GetEditText(), "31.01.2024");
  EXPECT_EQ(edit->GetSelText(), "01") << "on to the month";
  Type("5");
  EXPECT_EQ(edit->GetEditText(), "31.05.2024") << "a month starting 5 is complete";
  EXPECT_EQ(edit->GetSelText(), "2024");
  Type("1999");
  EXPECT_EQ(edit->GetEditText(), "31.05.1999");
  Type("/.x");
  EXPECT_EQ(edit->GetEditText(), "31.05.1999") << "the separator and letters are ignored";
  EXPECT_EQ(edit->GetAsDate(), EncodeDate(1999, 5, 31));
}

TEST_F(DateFieldTest, MonthNamesCompleteFromTheFirstLetters) {
  edit->GetDateFormat()->SetFormatStr("dd MMM yyyy");
  Show(2024, 1, 15, 3);
  EXPECT_EQ(edit->GetSelText(), "Jan");
  Type("ma");
  EXPECT_EQ(edit->GetEditText(), "15 Mar 2024") << "March comes before May";
  Type("y");
  EXPECT_EQ(edit->GetEditText(), "15 May 2024");
  EXPECT_EQ(edit->GetSelText(), "2024") << "a single name left: on to the year";
}

TEST_F(DateFieldTest, TheFocusSwitchesBetweenTheEditingAndTheDisplayForm) {
  edit->GetDateFormat()->SetFormatStr("d/M/yyyy");
  edit->SetText("5.3.2024");
  LeaveAndComeBack();
  EXPECT_EQ(edit->GetEditText(), "5 .3 .2024") << "fields of fixed width while editing";
  other->SetFocus();
  ProcessFor(30);
  EXPECT_EQ(edit->GetEditText(), "5.3.2024");
  // A click selects the field under the pointer.
  edit->SetFocus();
  ProcessFor(30);
  ClickAt(edit, XBefore(edit, 5), 5);
  EXPECT_EQ(edit->GetSelText(), "3");
}

TEST_F(MaskEditTest, TheRangeIsHeldWhenTheFocusLeaves) {
  edit->SetDataMode(mdInteger);
  edit->SetMinValue(0);
  edit->SetMaxValue(10);
  edit->SetRangeCheck(true);
  std::vector<std::string> reported;
  edit->OnRangeError = TVisRangeErrorEvent::FromFunction([&](TObject*, Extended& Value, double Min, double Max) {
    reported.push_back(FloatToStr(Value) + " " + FloatToStr(Min) + ".." + FloatToStr(Max));
    if (Value == 99) Value = 7;
  });
  struct Case {
    const char* typed;
    const char* result;
  };
  const Case cases[] = {{"25", "10"}, {"-3", "0"}, {"99", "7"}, {"5", "5"}, {"-", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Setup(mdInteger, "", 0, 0);
    Type(c.typed);
    LeaveAndComeBack();
    EXPECT_EQ(edit->GetEditText(), c.result);
  }
  EXPECT_EQ(reported, (std::vector<std::string>{"25 0..10", "-3 0..10", "99 0..10"}));
  // Raising the minimum above the maximum raises the maximum with it, and the other way round.
  edit->SetMinValue(20);
  EXPECT_EQ(edit->GetMaxValue(), 20);
  edit->SetMaxValue(5);
  EXPECT_EQ(edit->GetMinValue(), 5);
}

TEST_F(MaskEditTest, ARequiredPlaceLeftEmptyTakesTheFocusBack) {
  edit->SetMask("!0!0-0");
  edit->SetDataMode(mdMask);
  EXPECT_EQ(edit->GetEditText(), "__-_");
  Type("4");
  other->SetFocus();
  ProcessFor(50);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->GetSelStart(), 2);
  EXPECT_EQ(edit->GetSelLength(), 1);
  Type("2");
  other->SetFocus();
  ProcessFor(50);
  EXPECT_TRUE(other->Focused()) << "the optional place may stay empty";
  Shot("mask-edit");
}

}  // namespace
