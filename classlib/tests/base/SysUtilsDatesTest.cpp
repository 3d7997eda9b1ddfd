#include <functional>

#include <gtest/gtest.h>

#include "classlib/SysUtils.h"
#include "classlib/tests/base/FixedLocale.h"

namespace {

class Dates : public ::testing::Test {
protected:
  FixedLocale locale_;
  // Tuesday, 5 March 2024, 14:07:09.045
  const TDateTime sample_ = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
};

TEST_F(Dates, EncodeAndDecodeCountDaysFrom1899December30) {
  const struct {
    Word y, m, d;
    double serial;
  } cases[] = {
      {1899, 12, 30, 0}, {1900, 1, 1, 2}, {2000, 2, 29, 36585}, {2024, 3, 5, 45356}, {1, 1, 1, -693593},
      {9999, 12, 31, 2958465}, {1899, 12, 29, -1}, {1900, 3, 1, 61},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
    Word y, m, d;
    DecodeDate(c.serial, y, m, d);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(m, c.m);
    EXPECT_EQ(d, c.d);
  }
  const struct {
    Word y, m, d;
  } bad[] = {{2023, 2, 29}, {0, 1, 1}, {2024, 13, 1}, {2024, 4, 31}, {2024, 1, 0}, {10000, 1, 1}};
  for (const auto& b : bad) {
    try {
      EncodeDate(b.y, b.m, b.d);
      ADD_FAILURE() << b.y << "-" << b.m << "-" << b.d;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, "Invalid argument to date encode");
    }
  }
  try {
    EncodeTime(24, 0, 0, 0);
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "Invalid argument to time encode");
  }
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_EQ(DaysInAMonth(2023, 2), 28);
  EXPECT_EQ(DayOfWeek(sample_), 3);
  EXPECT_EQ(DayOfWeek(0), 7);  // 1899-12-30 was a Saturday
}

TEST_F(Dates, TimeOfDayRoundsToTheMillisecondAndNegativeDatesCountTimeForwards) {
  Word h, n, s, ms, y, m, d;
  DecodeTime(sample_, h, n, s, ms);
  EXPECT_EQ(h, 14);
  EXPECT_EQ(n, 7);
  EXPECT_EQ(s, 9);
  EXPECT_EQ(ms, 45);
  // A hair before midnight is midnight of the next day, for the date and for the time.
  const TDateTime almost = EncodeDate(2024, 3, 5) + 86399999.6 / MSecsPerDay;
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", almost), "2024-03-06 00:00:00.000");
  // -1.25 is 1899-12-29 at 06:00.
  DecodeDate(-1.25, y, m, d);
  DecodeTime(-1.25, h, n, s, ms);
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
  EXPECT_EQ(h, 6);
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31), 1), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15) + 0.5, -13), EncodeDate(2022, 12, 15) + 0.5);
}

TEST_F(Dates, FormatDateTimeTokens) {
  const struct {
    const char* format;
    const char* text;
  } cases[] = {
      {"d mmm yyyy", "5 Mar 2024"},
      {"dd/mm/yy", "05/03/24"},
      {"mm/dd/yy", "03/05/24"},
      {"d mmmm yyyy", "5 March 2024"},
      {"yyyymmddhhnnss", "20240305140709"},
      {"ddd dd-mm-yyyy hh:nn:ss.zzz", "Tue 05-03-2024 14:07:09.045"},
      {"yyyy/mm/dd hh:mm:ss", "2024/03/05 14:07:09"},  // m after h is the minute
      {" yyyy mm dd hh nn", " 2024 03 05 14 07"},
      {"d dd ddd dddd", "5 05 Tue Tuesday"},
      {"ddddd", "3/5/2024"},
      {"dddddd", "Tuesday, March 5, 2024"},
      {"m mm mmm mmmm", "3 03 Mar March"},
      {"M/D/YYYY", "3/5/2024"},
      {"yy yyy yyyy", "24 2024 2024"},
      {"h hh n nn s ss z zzz", "14 14 7 07 9 09 45 045"},
      {"c", "3/5/2024 2:07:09 PM"},
      {"", "3/5/2024 2:07:09 PM"},
      {"t", "2:07 PM"},
      {"tt", "2:07:09 PM"},
      {"h:nn am/pm", "2:07 pm"},
      {"h:nn AM/PM", "2:07 PM"},
      {"h:nn a/p", "2:07 p"},
      {"hh:nn ampm", "02:07 PM"},
      {"hh", "14"},
      {"aaa aaaa", "Tue Tuesday"},
      {"'d' d \"mm\" mm", "d 5 mm 03"},
      {"'unclosed d", "unclosed d"},
      {"x-q", "x-q"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, sample_), c.text) << c.format;

  const TDateTime midnight = EncodeDate(2005, 1, 9);
  EXPECT_EQ(FormatDateTime("c", midnight), "1/9/2005");
  EXPECT_EQ(FormatDateTime("h am/pm", midnight), "12 am");
  EXPECT_EQ(FormatDateTime("h ampm", midnight + EncodeTime(12, 30, 0, 0)), "12 PM");
  EXPECT_EQ(FormatDateTime("yy", midnight), "05");
  EXPECT_EQ(FormatDateTime("yyyy", EncodeDate(99, 1, 1)), "0099");
  EXPECT_EQ(DateToStr(midnight), "1/9/2005");
  EXPECT_EQ(TimeToStr(EncodeTime(9, 5, 3, 0)), "9:05:03 AM");
  EXPECT_EQ(DateTimeToStr(sample_), "3/5/2024 2:07:09 PM");
}

TEST_F(Dates, SeparatorsComeFromTheLocale) {
  DateSeparator = '-';
  TimeSeparator = '.';
  EXPECT_EQ(FormatDateTime("dd/mm/yy hh:nn", sample_), "05-03-24 14.07");
  EXPECT_EQ(FormatDateTime("yyyy'/'mm", sample_), "2024/03");
  ShortDateFormat = "dd/MM/yyyy";
  LongTimeFormat = "HH:mm:ss";
  EXPECT_EQ(DateTimeToStr(sample_), "05-03-2024 14.07.09");
  LongMonthNames[3] = "mars";
  EXPECT_EQ(FormatDateTime("d mmmm", sample_), "5 mars");
}

TEST_F(Dates, StrToTimeAndStrToDate) {
  const struct {
    const char* text;
    bool ok;
    Word h, n, s, ms;
  } times[] = {
      {"14:07", true, 14, 7, 0, 0},      {"2:07:09 PM", true, 14, 7, 9, 0}, {"12:00 AM", true, 0, 0, 0, 0},
      {"12:30 pm", true, 12, 30, 0, 0},  {"PM 3:00", true, 15, 0, 0, 0},   {"1:2:3.456", true, 1, 2, 3, 456},
      {" 14 : 07 ", true, 14, 7, 0, 0},  {"7", true, 7, 0, 0, 0},          {"13:00 PM", false, 0, 0, 0, 0},
      {"25:00", false, 0, 0, 0, 0},      {"10:60", false, 0, 0, 0, 0},     {"abc", false, 0, 0, 0, 0},
      {"", false, 0, 0, 0, 0},           {"10:", false, 0, 0, 0, 0},       {"10:00 xyz", false, 0, 0, 0, 0},
  };
  for (const auto& t : times) {
    TDateTime v = -1;
    EXPECT_EQ(TryStrToTime(t.text, v), t.ok) << t.text;
    if (t.ok) {
      EXPECT_EQ(v, EncodeTime(t.h, t.n, t.s, t.ms)) << t.text;
    }
  }
  try {
    StrToTime("abc");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "'abc' is not a valid time");
  }

  const Word thisYear = CurrentYear();
  EXPECT_EQ(StrToDate("3/5/2024"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDate(" 3 / 5 "), EncodeDate(thisYear, 3, 5));
  // Two-digit years fall in the hundred years ending 50 years from now.
  const int base = thisYear - 50;
  const Word expected24 = static_cast<Word>(base / 100 * 100 + 24 < base ? base / 100 * 100 + 124 : base / 100 * 100 + 24);
  EXPECT_EQ(StrToDate("3/5/24"), EncodeDate(expected24, 3, 5));
  ShortDateFormat = "d/M/yyyy";
  EXPECT_EQ(StrToDate("5/3/2024"), EncodeDate(2024, 3, 5));
  ShortDateFormat = "yyyy-MM-dd";
  DateSeparator = '-';
  EXPECT_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
  const struct {
    std::function<void()> call;
    const char* message;
  } errors[] = {
      {[] { StrToDate("2024-02-30"); }, "'2024-02-30' is not a valid date"},
      {[] { StrToDate("2024/03/05"); }, "'2024/03/05' is not a valid date"},
      {[] { StrToDateTime("2024-03-05 25:00"); }, "'2024-03-05 25:00' is not a valid date and time"},
  };
  for (const auto& e : errors) {
    try {
      e.call();
      ADD_FAILURE() << e.message;
    } catch (const EConvertError& x) {
      EXPECT_EQ(x.Message, e.message);
    }
  }
  EXPECT_EQ(StrToDateTime("2024-03-05 2:07 PM"), EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 0, 0));
  EXPECT_EQ(StrToDateTime("2024-03-05"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDateTime("2:07 PM"), EncodeTime(14, 7, 0, 0));
}

TEST_F(Dates, FileDatesPackTheLocalDosDateAndTime) {
  const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
  // Date: day 5, month 3 << 5, (2024 - 1980) << 9; time: seconds / 2, minute << 5, hour << 11.
  EXPECT_EQ(DateTimeToFileDate(t), static_cast<Integer>(0x586570E4));
  EXPECT_EQ(FileDateToDateTime(0x586570E4), EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 8, 0));
  // From 2044 on the date's top bit is set and the packed value is negative.
  EXPECT_LT(DateTimeToFileDate(EncodeDate(2050, 1, 1)), 0);
  EXPECT_EQ(FileDateToDateTime(DateTimeToFileDate(EncodeDate(2050, 1, 1))), EncodeDate(2050, 1, 1));
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(1979, 12, 31)), 0);
}

TEST(Locale, SettingsAreReadFromTheUserLocale) {
  // Read once at start-up, before any test ran...
  EXPECT_EQ(LongMonthNames[1], "January");
  // ...and again on request. The test prefix runs in English (United States).
  DecimalSeparator = ',';
  GetFormatSettings();
  EXPECT_EQ(DecimalSeparator, '.');
  EXPECT_EQ(ThousandSeparator, ',');
  EXPECT_EQ(DateSeparator, '/');
  EXPECT_EQ(TimeSeparator, ':');
  EXPECT_EQ(ShortDateFormat, "M/d/yyyy");
  EXPECT_EQ(LongTimeFormat, "h:mm:ss AMPM");
  EXPECT_EQ(ShortTimeFormat, "h:mm AMPM");
  EXPECT_EQ(TimeAMString, "AM");
  EXPECT_EQ(ShortMonthNames[1], "Jan");
  EXPECT_EQ(LongMonthNames[12], "December");
  EXPECT_EQ(ShortDayNames[1], "Sun");
  EXPECT_EQ(LongDayNames[7], "Saturday");
  EXPECT_EQ(CurrencyString, "$");
  EXPECT_EQ(CurrencyDecimals, 2);
}

}  // namespace
