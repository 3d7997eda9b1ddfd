// Sets the class library's locale settings to fixed English (United States) values for a
// test and puts the previous ones back afterwards, so that results do not depend on the
// machine's locale and a test that changes a separator cannot disturb another.
#pragma once

#include <array>

#include "classlib/SysUtils.h"

class FixedLocale {
public:
  FixedLocale() : saved_(Capture()) {
    CurrencyString = "$";
    CurrencyFormat = 0;
    NegCurrFormat = 0;
    CurrencyDecimals = 2;
    ThousandSeparator = ',';
    DecimalSeparator = '.';
    DateSeparator = '/';
    TimeSeparator = ':';
    ListSeparator = ',';
    ShortDateFormat = "M/d/yyyy";
    LongDateFormat = "dddd, MMMM d, yyyy";
    ShortTimeFormat = "h:mm AMPM";
    LongTimeFormat = "h:mm:ss AMPM";
    TimeAMString = "AM";
    TimePMString = "PM";
    static const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static const char* const kLongMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                              "July",    "August",   "September", "October", "November", "December"};
    static const char* const kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kLongDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int i = 1; i <= 12; ++i) {
      ShortMonthNames[i] = kShortMonths[i - 1];
      LongMonthNames[i] = kLongMonths[i - 1];
    }
    for (int i = 1; i <= 7; ++i) {
      ShortDayNames[i] = kShortDays[i - 1];
      LongDayNames[i] = kLongDays[i - 1];
    }
    TwoDigitYearCenturyWindow = 50;
  }
  ~FixedLocale() { Restore(saved_); }
  FixedLocale(const FixedLocale&) = delete;
  FixedLocale& operator=(const FixedLocale&) = delete;

private:
  struct Settings {
    AnsiString currency, shortDate, longDate, shortTime, longTime, am, pm;
    Byte currencyFormat, negCurrFormat, currencyDecimals;
    AnsiChar thousand, decimal, date, time, list;
    std::array<AnsiString, 13> shortMonths, longMonths;
    std::array<AnsiString, 8> shortDays, longDays;
    Word window;
  };
  static Settings Capture() {
    Settings s{CurrencyString, ShortDateFormat, LongDateFormat, ShortTimeFormat, LongTimeFormat, TimeAMString,
               TimePMString,   CurrencyFormat,  NegCurrFormat,  CurrencyDecimals, ThousandSeparator,
               DecimalSeparator, DateSeparator, TimeSeparator, ListSeparator, {}, {}, {}, {}, TwoDigitYearCenturyWindow};
    for (int i = 0; i < 13; ++i) s.shortMonths[i] = ShortMonthNames[i], s.longMonths[i] = LongMonthNames[i];
    for (int i = 0; i < 8; ++i) s.shortDays[i] = ShortDayNames[i], s.longDays[i] = LongDayNames[i];
    return s;
  }
  static void Restore(const Settings& s) {
    CurrencyString = s.currency;
    ShortDateFormat = s.shortDate;
    LongDateFormat = s.longDate;
    ShortTimeFormat = s.shortTime;
    LongTimeFormat = s.longTime;
    TimeAMString = s.am;
    TimePMString = s.pm;
    CurrencyFormat = s.currencyFormat;
    NegCurrFormat = s.negCurrFormat;
    CurrencyDecimals = s.currencyDecimals;
    ThousandSeparator = s.thousand;
    DecimalSeparator = s.decimal;
    DateSeparator = s.date;
    TimeSeparator = s.time;
    ListSeparator = s.list;
    for (int i = 0; i < 13; ++i) ShortMonthNames[i] = s.shortMonths[i], LongMonthNames[i] = s.longMonths[i];
    for (int i = 0; i < 8; ++i) ShortDayNames[i] = s.shortDays[i], LongDayNames[i] = s.longDays[i];
    TwoDigitYearCenturyWindow = s.window;
  }

  Settings saved_;
};
