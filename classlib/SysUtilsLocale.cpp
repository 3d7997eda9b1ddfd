// The locale settings of the class library, read from the user's locale at start-up.
#include "classlib/SysUtils.h"

// The settings are made and read before any other unit's static objects run, so that those may
// already format numbers and dates.
#define CLASSLIB_EARLY __attribute__((init_priority(200)))

AnsiString CurrencyString CLASSLIB_EARLY = "$";
Byte CurrencyFormat = 0;
Byte NegCurrFormat = 0;
Byte CurrencyDecimals = 2;
AnsiChar ThousandSeparator = ',';
AnsiChar DecimalSeparator = '.';
AnsiChar DateSeparator = '/';
AnsiChar TimeSeparator = ':';
AnsiChar ListSeparator = ',';
AnsiString ShortDateFormat CLASSLIB_EARLY = "M/d/yyyy";
AnsiString LongDateFormat CLASSLIB_EARLY = "dddd, MMMM d, yyyy";
AnsiString ShortTimeFormat CLASSLIB_EARLY = "h:mm AMPM";
AnsiString LongTimeFormat CLASSLIB_EARLY = "h:mm:ss AMPM";
AnsiString TimeAMString CLASSLIB_EARLY = "AM";
AnsiString TimePMString CLASSLIB_EARLY = "PM";
AnsiString ShortMonthNames[13] CLASSLIB_EARLY;
AnsiString LongMonthNames[13] CLASSLIB_EARLY;
AnsiString ShortDayNames[8] CLASSLIB_EARLY;
AnsiString LongDayNames[8] CLASSLIB_EARLY;
Word TwoDigitYearCenturyWindow = 50;

namespace {

AnsiString LocaleStr(LCTYPE type, const char* fallback) {
  char buf[256];
  const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
  return n > 1 ? AnsiString(buf, static_cast<std::size_t>(n - 1)) : AnsiString(fallback);
}

AnsiChar LocaleChar(LCTYPE type, AnsiChar fallback) {
  const AnsiString s = LocaleStr(type, "");
  return s.empty() ? fallback : s[0];
}

Byte LocaleByte(LCTYPE type, Byte fallback) { return static_cast<Byte>(StrToIntDef(LocaleStr(type, ""), fallback)); }

struct TLocaleLoader {
  TLocaleLoader() { GetFormatSettings(); }
};
const TLocaleLoader g_localeLoader CLASSLIB_EARLY;

}  // namespace

void GetFormatSettings() {
  for (int m = 1; m <= 12; ++m) {
    ShortMonthNames[m] = LocaleStr(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(m - 1), "");
    LongMonthNames[m] = LocaleStr(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(m - 1), "");
  }
  // The locale counts days from Monday; the class library from Sunday.
  for (int d = 1; d <= 7; ++d) {
    const auto localeDay = static_cast<LCTYPE>((d + 5) % 7);
    ShortDayNames[d] = LocaleStr(LOCALE_SABBREVDAYNAME1 + localeDay, "");
    LongDayNames[d] = LocaleStr(LOCALE_SDAYNAME1 + localeDay, "");
  }
  CurrencyString = LocaleStr(LOCALE_SCURRENCY, "");
  CurrencyFormat = LocaleByte(LOCALE_ICURRENCY, 0);
  NegCurrFormat = LocaleByte(LOCALE_INEGCURR, 0);
  ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, ',');
  DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, '.');
  CurrencyDecimals = LocaleByte(LOCALE_ICURRDIGITS, 0);
  DateSeparator = LocaleChar(LOCALE_SDATE, '/');
  ShortDateFormat = LocaleStr(LOCALE_SSHORTDATE, "m/d/yy");
  LongDateFormat = LocaleStr(LOCALE_SLONGDATE, "mmmm d, yyyy");
  TimeSeparator = LocaleChar(LOCALE_STIME, ':');
  TimeAMString = LocaleStr(LOCALE_S1159, "am");
  TimePMString = LocaleStr(LOCALE_S2359, "pm");
  // The time formats are built from the locale's 12/24-hour and leading-zero choices rather than
  // taken from its pattern, which uses letters this class library reads differently.
  const AnsiString hour = StrToIntDef(LocaleStr(LOCALE_ITLZERO, "0"), 0) == 0 ? "h" : "hh";
  AnsiString prefix, postfix;
  if (StrToIntDef(LocaleStr(LOCALE_ITIME, "0"), 0) == 0) {
    if (StrToIntDef(LocaleStr(LOCALE_ITIMEMARKPOSN, "0"), 0) == 0)
      postfix = " AMPM";
    else
      prefix = "AMPM ";
  }
  ShortTimeFormat = prefix + hour + ":mm" + postfix;
  LongTimeFormat = prefix + hour + ":mm:ss" + postfix;
  ListSeparator = LocaleChar(LOCALE_SLIST, ',');
}
