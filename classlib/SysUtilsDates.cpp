// TDateTime arithmetic, FormatDateTime and the date and time readers.
#include <cmath>

#include "classlib/SysUtils.h"

namespace {

constexpr Word kMonthDays[2][13] = {{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

struct TDateParts {
  Word Year = 0, Month = 0, Day = 0, DayOfWeek = 0;
};

// Splits a day number (days since 0001-01-01, counting that day as 1) into its calendar date.
TDateParts DecodeDayNumber(Integer t) {
  TDateParts r;
  if (t <= 0) return r;
  constexpr Integer d1 = 365, d4 = d1 * 4 + 1, d100 = d4 * 25 - 1, d400 = d100 * 4 + 1;
  r.DayOfWeek = static_cast<Word>(t % 7 + 1);
  --t;
  Integer y = 1;
  while (t >= d400) {
    t -= d400;
    y += 400;
  }
  Integer i = t / d100, d = t % d100;
  if (i == 4) {
    --i;
    d += d100;
  }
  y += i * 100;
  i = d / d4;
  d %= d4;
  y += i * 4;
  i = d / d1;
  d %= d1;
  if (i == 4) {
    --i;
    d += d1;
  }
  y += i;
  const Word* table = kMonthDays[IsLeapYear(static_cast<Word>(y))];
  Word m = 1;
  while (d >= table[m]) {
    d -= table[m];
    ++m;
  }
  r.Year = static_cast<Word>(y);
  r.Month = m;
  r.Day = static_cast<Word>(d + 1);
  return r;
}

AnsiString Number(int value, int digits) {
  AnsiString s = IntToStr(value);
  if (static_cast<int>(s.size()) < digits) s.insert(0, static_cast<std::size_t>(digits) - s.size(), '0');
  return s;
}

bool StartsTextAt(std::string_view s, std::size_t at, std::string_view what) {
  if (at + what.size() > s.size()) return false;
  for (std::size_t i = 0; i < what.size(); ++i)
    if (UpCase(s[at + i]) != UpCase(what[i])) return false;
  return true;
}

// The era or the year in the era as the locale's alternative calendar writes them.
AnsiString CalendarText(const TDateParts& date, const char* picture) {
  SYSTEMTIME st{};
  st.wYear = date.Year;
  st.wMonth = date.Month;
  st.wDay = date.Day;
  char buf[256];
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_USE_ALT_CALENDAR, &st, picture, buf, sizeof buf) == 0) return {};
  return buf;
}

class TDateTimeFormatter {
public:
  explicit TDateTimeFormatter(TDateTime value) : value_(value) {}

  void Append(std::string_view format, int level) {
    if (format.empty() && level == 0) format = "c";
    char lastToken = ' ';
    bool use12Hour = false;
    std::size_t i = 0;
    const std::size_t n = format.size();
    while (i < n) {
      const char starter = format[i++];
      char token = UpCase(starter);
      if (token >= 'A' && token <= 'Z') {
        if (token == 'M' && lastToken == 'H') token = 'N';
        lastToken = token;
      }
      // The number of times the starter character repeats (itself included).
      auto count = [&]() {
        int c = 1;
        while (i < n && format[i] == starter) {
          ++i;
          ++c;
        }
        return c;
      };
      switch (token) {
        case 'Y': {
          const int c = count();
          out_ += c <= 2 ? Number(Date().Year % 100, 2) : Number(Date().Year, 4);
          break;
        }
        case 'G': {
          count();
          out_ += CalendarText(Date(), "gg");
          break;
        }
        case 'E': {
          const int c = count();
          AnsiString year = CalendarText(Date(), c <= 2 ? "yy" : "yyyy");
          if (c == 1 && !year.empty() && year[0] == '0') year.erase(0, 1);
          out_ += year;
          break;
        }
        case 'M': {
          const int c = count();
          if (c <= 2)
            out_ += Number(Date().Month, c);
          else if (c == 3)
            out_ += ShortMonthNames[Date().Month];
          else
            out_ += LongMonthNames[Date().Month];
          break;
        }
        case 'D': {
          const int c = count();
          if (c <= 2)
            out_ += Number(Date().Day, c);
          else if (c == 3)
            out_ += ShortDayNames[Date().DayOfWeek];
          else if (c == 4)
            out_ += LongDayNames[Date().DayOfWeek];
          else if (level < 2)
            Append(c == 5 ? ShortDateFormat : LongDateFormat, level + 1);
          break;
        }
        case 'H': {
          const int c = count();
          // A 12-hour clock when an am/pm token follows before the next hour token.
          bool quoted = false;
          for (std::size_t k = i; k < n; ++k) {
            const char ch = format[k];
            if (ch == '\'' || ch == '"') {
              quoted = !quoted;
            } else if (!quoted && (ch == 'a' || ch == 'A')) {
              if (StartsTextAt(format, k, "am/pm") || StartsTextAt(format, k, "a/p") || StartsTextAt(format, k, "ampm"))
                use12Hour = true;
              break;
            } else if (!quoted && (ch == 'h' || ch == 'H')) {
              break;
            }
          }
          int h = Time().Hour;
          if (use12Hour) {
            if (h == 0)
              h = 12;
            else if (h > 12)
              h -= 12;
          }
          out_ += Number(h, std::min(c, 2));
          break;
        }
        case 'N': out_ += Number(Time().Min, std::min(count(), 2)); break;
        case 'S': out_ += Number(Time().Sec, std::min(count(), 2)); break;
        case 'Z': out_ += Number(Time().MSec, std::min(count(), 3)); break;
        case 'T': {
          const int c = count();
          if (level < 2) Append(c == 1 ? ShortTimeFormat : LongTimeFormat, level + 1);
          break;
        }
        case 'C': {
          count();
          if (level < 2) {
            Append(ShortDateFormat, level + 1);
            if (Time().Hour != 0 || Time().Min != 0 || Time().Sec != 0) {
              out_ += ' ';
              Append(LongTimeFormat, level + 1);
            }
          }
          break;
        }
        case 'A': {
          const std::size_t at = i - 1;
          if (StartsTextAt(format, at, "am/pm")) {
            out_.append(format.substr(Time().Hour >= 12 ? at + 3 : at, 2));
            i = at + 5;
            use12Hour = true;
          } else if (StartsTextAt(format, at, "a/p")) {
            out_.append(format.substr(Time().Hour >= 12 ? at + 2 : at, 1));
            i = at + 3;
            use12Hour = true;
          } else if (StartsTextAt(format, at, "ampm")) {
            out_ += Time().Hour < 12 ? TimeAMString : TimePMString;
            i = at + 4;
            use12Hour = true;
          } else if (StartsTextAt(format, at, "aaaa")) {
            out_ += LongDayNames[Date().DayOfWeek];
            i = at + 4;
          } else if (StartsTextAt(format, at, "aaa")) {
            out_ += ShortDayNames[Date().DayOfWeek];
            i = at + 3;
          } else {
            out_ += starter;
          }
          break;
        }
        case '/':
          if (DateSeparator != '\0') out_ += DateSeparator;
          break;
        case ':':
          if (TimeSeparator != '\0') out_ += TimeSeparator;
          break;
        case '\'':
        case '"': {
          const auto end = format.find(starter, i);
          const std::size_t stop = end == std::string_view::npos ? n : end;
          out_.append(format.substr(i, stop - i));
          i = stop < n ? stop + 1 : n;
          break;
        }
        default: out_ += starter; break;
      }
    }
  }

  AnsiString Result() { return std::move(out_); }

private:
  struct TTimeParts {
    Word Hour = 0, Min = 0, Sec = 0, MSec = 0;
  };
  const TDateParts& Date() {
    if (!haveDate_) {
      date_ = DecodeDayNumber(DateTimeToTimeStamp(value_).Date);
      haveDate_ = true;
    }
    return date_;
  }
  const TTimeParts& Time() {
    if (!haveTime_) {
      DecodeTime(value_, time_.Hour, time_.Min, time_.Sec, time_.MSec);
      haveTime_ = true;
    }
    return time_;
  }

  TDateTime value_;
  AnsiString out_;
  TDateParts date_;
  TTimeParts time_;
  bool haveDate_ = false;
  bool haveTime_ = false;
};

// --- Reading dates and times ---

class TDateTimeScanner {
public:
  explicit TDateTimeScanner(std::string_view s) : s_(s) {}

  bool AtEnd() const { return pos_ >= s_.size(); }

  bool ScanDate(TDateTime& date) {
    enum { MDY, DMY, YMD } order = MDY;
    for (char c : ShortDateFormat) {
      const char u = UpCase(c);
      if (u == 'Y') {
        order = YMD;
        break;
      }
      if (u == 'M') {
        order = MDY;
        break;
      }
      if (u == 'D') {
        order = DMY;
        break;
      }
    }
    Word n1, n2, n3;
    int l1, l2, l3;
    if (!(ScanNumber(n1, l1) && ScanChar(DateSeparator) && ScanNumber(n2, l2))) return false;
    Word y, m, d;
    if (ScanChar(DateSeparator)) {
      if (!ScanNumber(n3, l3)) return false;
      int yearLength;
      switch (order) {
        case MDY: y = n3, yearLength = l3, m = n1, d = n2; break;
        case DMY: y = n3, yearLength = l3, m = n2, d = n1; break;
        default: y = n1, yearLength = l1, m = n2, d = n3; break;
      }
      if (yearLength <= 2) {
        // A two-digit year falls in the hundred years that end TwoDigitYearCenturyWindow years
        // from now.
        const int centuryBase = CurrentYear() - TwoDigitYearCenturyWindow;
        int year = y + centuryBase / 100 * 100;
        if (TwoDigitYearCenturyWindow > 0 && year < centuryBase) year += 100;
        y = static_cast<Word>(year);
      }
    } else {
      y = CurrentYear();
      if (order == DMY)
        d = n1, m = n2;
      else
        m = n1, d = n2;
    }
    ScanChar(DateSeparator);
    ScanBlanks();
    return TryEncodeDate(y, m, d, date);
  }

  bool ScanTime(TDateTime& time) {
    int baseHour = -1;
    if (ScanString(TimeAMString) || ScanString("AM"))
      baseHour = 0;
    else if (ScanString(TimePMString) || ScanString("PM"))
      baseHour = 12;
    if (baseHour >= 0) ScanBlanks();
    Word hour, min = 0, sec = 0, msec = 0;
    int length;
    if (!ScanNumber(hour, length)) return false;
    if (ScanChar(TimeSeparator)) {
      if (!ScanNumber(min, length)) return false;
      if (ScanChar(TimeSeparator)) {
        if (!ScanNumber(sec, length)) return false;
        if (ScanChar(DecimalSeparator) && !ScanNumber(msec, length)) return false;
      }
    }
    if (baseHour < 0) {
      if (ScanString(TimeAMString) || ScanString("AM"))
        baseHour = 0;
      else if (ScanString(TimePMString) || ScanString("PM"))
        baseHour = 12;
    }
    if (baseHour >= 0) {
      if (hour == 0 || hour > 12) return false;
      if (hour == 12) hour = 0;
      hour = static_cast<Word>(hour + baseHour);
    }
    ScanBlanks();
    return TryEncodeTime(hour, min, sec, msec, time);
  }

private:
  void ScanBlanks() {
    while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
  }
  // Up to four digits; a longer run leaves its rest, which then fails the scan.
  bool ScanNumber(Word& number, int& length) {
    ScanBlanks();
    std::size_t i = pos_;
    int n = 0;
    while (i < s_.size() && s_[i] >= '0' && s_[i] <= '9' && n < 1000) n = n * 10 + (s_[i++] - '0');
    if (i == pos_) return false;
    length = static_cast<int>(i - pos_);
    pos_ = i;
    number = static_cast<Word>(n);
    return true;
  }
  bool ScanChar(char c) {
    ScanBlanks();
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool ScanString(std::string_view what) {
    if (what.empty()) return false;
    ScanBlanks();
    if (pos_ + what.size() <= s_.size() && AnsiSameText(s_.substr(pos_, what.size()), what)) {
      pos_ += what.size();
      return true;
    }
    return false;
  }

  std::string_view s_;
  std::size_t pos_ = 0;
};

}  // namespace

bool IsLeapYear(Word year) noexcept { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

Word DaysInAMonth(Word year, Word month) noexcept {
  return month >= 1 && month <= 12 ? kMonthDays[IsLeapYear(year)][month] : 0;
}

TTimeStamp DateTimeToTimeStamp(TDateTime dateTime) {
  // Milliseconds rounded half to even, as the floating-point unit stores them; a negative value
  // counts its days backwards but its time forwards from midnight.
  const Int64 ms = Round(static_cast<Extended>(dateTime) * MSecsPerDay);
  const Int64 magnitude = ms < 0 ? -ms : ms;
  TTimeStamp stamp;
  stamp.Time = static_cast<Integer>(magnitude % MSecsPerDay);
  const Int64 days = magnitude / MSecsPerDay;
  stamp.Date = static_cast<Integer>(DateDelta + (ms < 0 ? -days : days));
  return stamp;
}

TDateTime TimeStampToDateTime(const TTimeStamp& stamp) {
  const TDateTime days = stamp.Date - DateDelta;
  const TDateTime time = static_cast<TDateTime>(stamp.Time) / MSecsPerDay;
  return days < 0 ? days - time : days + time;
}

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date) noexcept {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
  const Word* table = kMonthDays[IsLeapYear(year)];
  if (day < 1 || day > table[month]) return false;
  Integer d = day;
  for (int m = 1; m < month; ++m) d += table[m];
  const Integer y = year - 1;
  date = y * 365 + y / 4 - y / 100 + y / 400 + d - DateDelta;
  return true;
}

bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time) noexcept {
  if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000) return false;
  time = (hour * 3600000.0 + min * 60000.0 + sec * 1000.0 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeDate(Word year, Word month, Word day) {
  TDateTime d;
  if (!TryEncodeDate(year, month, day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec) {
  TDateTime t;
  if (!TryEncodeTime(hour, min, sec, msec, t)) throw EConvertError("Invalid argument to time encode");
  return t;
}

void DecodeDate(TDateTime date, Word& year, Word& month, Word& day) {
  const TDateParts p = DecodeDayNumber(DateTimeToTimeStamp(date).Date);
  year = p.Year;
  month = p.Month;
  day = p.Day;
}

void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec) {
  const Integer ms = DateTimeToTimeStamp(time).Time;
  hour = static_cast<Word>(ms / 3600000);
  min = static_cast<Word>(ms / 60000 % 60);
  sec = static_cast<Word>(ms / 1000 % 60);
  msec = static_cast<Word>(ms % 1000);
}

Integer DayOfWeek(TDateTime date) { return DateTimeToTimeStamp(date).Date % 7 + 1; }

TDateTime Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return EncodeDate(st.wYear, st.wMonth, st.wDay) + EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

TDateTime Date() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return EncodeDate(st.wYear, st.wMonth, st.wDay);
}

TDateTime Time() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

Word CurrentYear() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return st.wYear;
}

TDateTime IncMonth(TDateTime date, Integer months) {
  Word y, m, d;
  DecodeDate(date, y, m, d);
  Integer total = y * 12 + (m - 1) + months;
  y = static_cast<Word>(total / 12);
  m = static_cast<Word>(total % 12 + 1);
  const Word last = DaysInAMonth(y, m);
  if (d > last) d = last;
  const TDateTime day = EncodeDate(y, m, d);
  const TDateTime timeOfDay = std::fabs(date - std::trunc(date));
  return day < 0 ? day - timeOfDay : day + timeOfDay;
}

AnsiString FormatDateTime(std::string_view format, TDateTime dateTime) {
  TDateTimeFormatter f(dateTime);
  f.Append(format, 0);
  return f.Result();
}

AnsiString DateToStr(TDateTime date) { return FormatDateTime("ddddd", date); }
AnsiString TimeToStr(TDateTime time) { return FormatDateTime("tt", time); }
AnsiString DateTimeToStr(TDateTime value) { return FormatDateTime("", value); }

bool TryStrToDate(std::string_view s, TDateTime& value) {
  TDateTimeScanner scanner(s);
  TDateTime d;
  if (!scanner.ScanDate(d) || !scanner.AtEnd()) return false;
  value = d;
  return true;
}

bool TryStrToTime(std::string_view s, TDateTime& value) {
  TDateTimeScanner scanner(s);
  TDateTime t;
  if (!scanner.ScanTime(t) || !scanner.AtEnd()) return false;
  value = t;
  return true;
}

bool TryStrToDateTime(std::string_view s, TDateTime& value) {
  TDateTimeScanner scanner(s);
  TDateTime d = 0, t = 0;
  if (scanner.ScanDate(d) && (scanner.AtEnd() || (scanner.ScanTime(t) && scanner.AtEnd()))) {
    value = d >= 0 ? d + t : d - t;
    return true;
  }
  return TryStrToTime(s, value);
}

TDateTime StrToDate(std::string_view s) {
  TDateTime v;
  if (!TryStrToDate(s, v)) throw EConvertError("'" + AnsiString(s) + "' is not a valid date");
  return v;
}

TDateTime StrToTime(std::string_view s) {
  TDateTime v;
  if (!TryStrToTime(s, v)) throw EConvertError("'" + AnsiString(s) + "' is not a valid time");
  return v;
}

TDateTime StrToDateTime(std::string_view s) {
  TDateTime v;
  if (!TryStrToDateTime(s, v)) throw EConvertError("'" + AnsiString(s) + "' is not a valid date and time");
  return v;
}

Integer DateTimeToFileDate(TDateTime dateTime) {
  Word year, month, day, hour, min, sec, msec;
  DecodeDate(dateTime, year, month, day);
  if (year < 1980 || year > 2107) return 0;
  DecodeTime(dateTime, hour, min, sec, msec);
  const auto time = static_cast<std::uint32_t>((sec >> 1) | (min << 5) | (hour << 11));
  const auto date = static_cast<std::uint32_t>(day | (month << 5) | ((year - 1980) << 9));
  return static_cast<Integer>(date << 16 | time);
}

TDateTime FileDateToDateTime(Integer fileDate) {
  const auto bits = static_cast<std::uint32_t>(fileDate);
  const auto date = static_cast<Word>(bits >> 16), time = static_cast<Word>(bits & 0xFFFF);
  return EncodeDate(static_cast<Word>((date >> 9) + 1980), static_cast<Word>((date >> 5) & 15),
                    static_cast<Word>(date & 31)) +
         EncodeTime(static_cast<Word>(time >> 11), static_cast<Word>((time >> 5) & 63),
                    static_cast<Word>((time & 31) << 1), 0);
}
