// The date layout of the mask edit: writing dates, reading them back, and finding their fields.
#include <string>

#include <gtest/gtest.h>

#include "controls/VisDateFormat.h"

namespace {

// The class library's date settings as an English system has them, put back afterwards.
class DateFormatTest : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = {ShortDateFormat, LongDateFormat, DateSeparator, TwoDigitYearCenturyWindow};
    ShortDateFormat = "M/d/yyyy";
    LongDateFormat = "dddd, MMMM d, yyyy";
    DateSeparator = '/';
    TwoDigitYearCenturyWindow = 50;
  }
  void TearDown() override {
    ShortDateFormat = saved_.shortFormat;
    LongDateFormat = saved_.longFormat;
    DateSeparator = saved_.separator;
    TwoDigitYearCenturyWindow = saved_.window;
  }
  void Custom(const char* Format) {
    format.SetFormat(dfCustom);
    format.SetFormatStr(Format);
  }
  static Integer Century() { return CurrentYear() / 100 * 100; }

  TVisDateFormat format;

private:
  struct Saved {
    AnsiString shortFormat, longFormat;
    AnsiChar separator;
    Word window;
  } saved_;
};

TEST_F(DateFormatTest, TheEffectiveFormatFollowsTheChoice) {
  EXPECT_EQ(format.EffectiveFormat(), "M/d/yyyy");
  format.SetFormat(dfLongSystem);
  EXPECT_EQ(format.EffectiveFormat(), "dddd, MMMM d, yyyy");
  Custom("dd/MM/yyyy");
  EXPECT_EQ(format.EffectiveFormat(), "dd/MM/yyyy");
  DateSeparator = '.';
  EXPECT_EQ(format.EffectiveFormat(), "dd.MM.yyyy") << "a slash stands for the system's separator";
}

TEST_F(DateFormatTest, EveryTokenWritesItsForm) {
  // Tuesday, 5 March 2024.
  const TDateTime date = EncodeDate(2024, 3, 5);
  struct Case {
    const char* format;
    const char* display;
    const char* fields;
  };
  const Case cases[] = {
      {"d", "5", "5 "},           {"dd", "05", "05"},          {"ddd", "Tue", "Tue"},
      {"dddd", "Tuesday", "Tuesday  "},  // padded to "Wednesday"
      {"ddddd", "", "5 "},        {"M", "3", "3 "},            {"MM", "03", "03"},
      {"MMM", "Mar", "Mar"},      {"MMMM", "March", "March    "},  // padded to "September"
      {"y", "2024", "2024"},      {"yy", "24", "24"},          {"yyy", "", "2024"},
      {"yyyy", "2024", "2024"},   {"yyyyy", "", "2024"},
      {"d-M ok", "5-3 OK", "5 -3  ok"},  // the display text upper-cases literals
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    Custom(c.format);
    EXPECT_EQ(format.FormatDate(date), c.display);
    EXPECT_EQ(format.FormatDateFields(date), c.fields);
  }
}

TEST_F(DateFormatTest, ACustomFormatWithTheSystemSeparatorWritesAndReadsDates) {
  DateSeparator = '.';
  Custom("dd/MM/yyyy");
  const TDateTime date = EncodeDate(2024, 3, 5);
  EXPECT_EQ(format.FormatDate(date), "05.03.2024");
  EXPECT_EQ(format.FormatDateFields(date), "05.03.2024");
  Word y, m, d;
  format.SplitDate("5.3.24", y, m, d);
  EXPECT_EQ(d, 5);
  EXPECT_EQ(m, 3);
  EXPECT_EQ(y, Century() + 24);
  EXPECT_EQ(format.ParseDate("05.03.2024"), date);
}

TEST_F(DateFormatTest, TwoDigitYearsFallInACenturyByTheWindow) {
  Custom("dd/MM/yy");
  struct Case {
    signed char delta;
    const char* text;
    Integer year;
  };
  const Case cases[] = {
      {-1, "01/01/50", Century() + 50},        // the class library's window: 50
      {-1, "01/01/51", Century() - 100 + 51},  // above it: the century before
      {20, "01/01/21", Century() - 100 + 21},
      {20, "01/01/20", Century() + 20},
      {-5, "01/01/99", Century() + 99},        // any other negative window keeps this century
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    format.SetYearDelta(c.delta);
    Word y, m, d;
    format.SplitDate(c.text, y, m, d);
    EXPECT_EQ(y, c.year);
  }
}

TEST_F(DateFormatTest, ReadingHoldsFebruaryAndRefusesDatesThatDoNotExist) {
  DateSeparator = '.';
  Custom("dd/MM/yyyy");
  EXPECT_EQ(format.ParseDate("31.02.2023"), EncodeDate(2023, 2, 28));
  EXPECT_EQ(format.ParseDate("30.02.2024"), EncodeDate(2024, 2, 29));
  for (const char* text : {"31.04.2023", "00.01.2023", "01.13.2023", "01.01.10000"}) {
    SCOPED_TRACE(text);
    try {
      format.ParseDate(text);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "Invalid date format!");
    }
  }
}

TEST_F(DateFormatTest, NamesAreReadAndMissingPartsKeepTheirStart) {
  format.SetFormat(dfLongSystem);
  const TDateTime date = EncodeDate(2024, 9, 12);
  EXPECT_EQ(format.FormatDate(date), "Thursday, September 12, 2024");
  EXPECT_EQ(format.ParseDate("Thursday, September 12, 2024"), date);
  EXPECT_EQ(format.ParseDate("thursday, september 12, 2024"), date) << "names in any case";
  Word y, m, d;
  format.SplitDate("Someday, Nonember 3, 1999", y, m, d);
  EXPECT_EQ(m, 0) << "a month name that is none";
  // A field the format lacks keeps its start value; a field without digits reads 0.
  Custom("MM/dd");
  format.SplitDate("3/", y, m, d);
  EXPECT_EQ(y, 1900);
  EXPECT_EQ(m, 3);
  EXPECT_EQ(d, 0);
}

TEST_F(DateFormatTest, AFormatEndingInLiteralsIsNotReadPastItsEnd) {
  DateSeparator = '/';
  Custom("yyyy. MM. dd.");
  const TDateTime date = EncodeDate(2023, 11, 7);
  EXPECT_EQ(format.FormatDate(date), "2023. 11. 07.");
  EXPECT_EQ(format.ParseDate("2023. 11. 07."), date);
  EXPECT_EQ(format.FieldAt(14, "2023. 11. 07."), -1) << "after the last literal";
  EXPECT_EQ(format.NextFieldStart(12, "2023. 11. 07."), 11) << "the last field has none after it";
}

TEST_F(DateFormatTest, FieldsAreFoundUnderTheCaret) {
  DateSeparator = '.';
  Custom("dd/MM/yyyy");
  const AnsiString text = "05.03.2024";
  struct Case {
    Integer caret;
    Integer field, start, kind, width;
  };
  const Case cases[] = {
      {1, 1, 1, 2, 2},  {3, 1, 1, 2, 2},   // a caret just after a field belongs to it
      {4, 2, 4, 12, 2}, {7, 3, 7, 24, 4},  {11, 3, 7, 24, 4},
      {12, -1, 0, 0, 0},  // past the end of a format that ends with a field: none, and no endless search
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caret);
    EXPECT_EQ(format.FieldAt(c.caret, text), c.field);
    EXPECT_EQ(format.FieldStart(c.caret, text), c.start);
    EXPECT_EQ(format.FieldKind(c.caret, text), c.kind);
    EXPECT_EQ(format.FieldWidth(c.caret, text), c.width);
  }
  EXPECT_EQ(format.NextFieldStart(1, text), 4);
  EXPECT_EQ(format.NextFieldStart(8, text), 7) << "the last field is its own next";
  EXPECT_EQ(format.PrevFieldStart(8, text), 4);
  EXPECT_EQ(format.PrevFieldStart(2, text), 1);
}

TEST_F(DateFormatTest, FieldsWithoutALiteralBetweenThemAddTheirCodes) {
  Custom("ddMM");
  const TVisDateField day = format.LocateField(1, "0503");
  EXPECT_EQ(day.Code, 2);
  const TVisDateField month = format.LocateField(2, "0503");
  EXPECT_EQ(month.Code, 14);
  Custom("d MMM yyyy");
  const TVisDateField name = format.LocateField(2, "5 Mar 2024");
  EXPECT_EQ(name.Code, 13);
  EXPECT_EQ(name.Start, 3);
  EXPECT_EQ(name.End, 6);
  const TVisDateField none = format.LocateField(2, "5 Xyz 2024");
  EXPECT_EQ(none.End, none.Start) << "a text with no month name there takes nothing";
}

TEST_F(DateFormatTest, EditingTextsOfOneFormatHaveOneLength) {
  Custom("dd MMM yyyy");
  std::size_t length = 0;
  for (Word month = 1; month <= 12; ++month) {
    const AnsiString text = format.FormatDateFields(EncodeDate(2024, month, 1));
    if (month == 1) length = text.size();
    EXPECT_EQ(text.size(), length) << text;
  }
  Custom("dd MMMM yyyy");
  EXPECT_EQ(format.FormatDateFields(EncodeDate(2024, 5, 1)), "01 May       2024");
}

}  // namespace
