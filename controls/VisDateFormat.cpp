// The date layout of the mask edit.
#include "controls/VisDateFormat.h"

#include <algorithm>

PUBLISHED(TVisDateFormat) {
  Prop("FormatStr", &TVisDateFormat::GetFormatStr, &TVisDateFormat::SetFormatStr);
  Prop("Format", &TVisDateFormat::GetFormat, &TVisDateFormat::SetFormat).Default(dfShortSystem);
  Prop("YearDelta", &TVisDateFormat::GetYearDelta, &TVisDateFormat::SetYearDelta).Default(-1);
}

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool IsFieldLetter(char c) {
  const char u = Upper(c);
  return u == 'D' || u == 'M' || u == 'Y';
}

// The length of the run of the same field letter (either case) starting at Index.
std::size_t RunLength(const AnsiString& Format, std::size_t Index) {
  const char letter = Upper(Format[Index]);
  std::size_t end = Index;
  while (end < Format.size() && Upper(Format[end]) == letter) ++end;
  return end - Index;
}

AnsiString TwoDigits(Integer Value) { return Value < 10 ? "0" + IntToStr(Value) : IntToStr(Value); }

std::size_t LongestName(const AnsiString* Names, Integer Count) {
  std::size_t longest = 0;
  for (Integer i = 1; i <= Count; ++i) longest = std::max(longest, Names[i].size());
  return longest;
}

// Removes the digits at the front of Text; their value (0 without digits, at most 65535).
Word TakeNumber(AnsiString& Text) {
  std::size_t n = 0;
  Integer value = 0;
  while (n < Text.size() && Text[n] >= '0' && Text[n] <= '9') {
    value = std::min(value * 10 + (Text[n] - '0'), 65535);
    ++n;
  }
  Text.erase(0, n);
  return static_cast<Word>(value);
}

void TrimLeadingBlanks(AnsiString& Text) {
  std::size_t n = 0;
  while (n < Text.size() && Text[n] == ' ') ++n;
  Text.erase(0, n);
}

// Moves characters from the front of Text into an accumulator until it equals one of the names
// (compared in upper case) or the text runs out; the number of the name matched, or 0.
Integer TakeName(AnsiString& Text, const AnsiString* Names, Integer Count) {
  AnsiString accumulated;
  for (;;) {
    const AnsiString upper = UpperCase(accumulated);
    for (Integer i = 1; i <= Count; ++i)
      if (!accumulated.empty() && UpperCase(Names[i]) == upper) return i;
    if (Text.empty()) return 0;
    accumulated += Text[0];
    Text.erase(0, 1);
  }
}

// Removes the first of the names that stands at the very front of Text (exact comparison);
// the number of characters removed.
std::size_t TakeExactName(AnsiString& Text, const AnsiString* Names, Integer Count) {
  for (Integer i = 1; i <= Count; ++i)
    if (!Names[i].empty() && Text.compare(0, Names[i].size(), Names[i]) == 0) {
      Text.erase(0, Names[i].size());
      return Names[i].size();
    }
  return 0;
}

}  // namespace

void TVisDateFormat::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisDateFormat*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FFormat = source->FFormat;
  FYearDelta = source->FYearDelta;
  FFormatStr = source->FFormatStr;
  Change();
}

void TVisDateFormat::SetFormatStr(const AnsiString& Value) {
  if (Value == FFormatStr) return;
  if (OnChanging) OnChanging(this);
  FFormatStr = Value;
  if (FFormat == dfCustom) Change();
}

void TVisDateFormat::SetFormat(TVisDateFormats Value) {
  if (Value == FFormat) return;
  FFormat = Value;
  Change();
}

AnsiString TVisDateFormat::EffectiveFormat() const {
  switch (FFormat) {
    case dfShortSystem: return ShortDateFormat;
    case dfLongSystem: return LongDateFormat;
    case dfCustom: break;
  }
  AnsiString format = FFormatStr;
  if (DateSeparator != '/') std::replace(format.begin(), format.end(), '/', DateSeparator);
  return format;
}

AnsiString TVisDateFormat::PadField(const AnsiString& Text, Integer Width) {
  AnsiString padded = Text;
  if (Integer(padded.size()) < Width) padded.append(static_cast<std::size_t>(Width) - padded.size(), ' ');
  return padded;
}

AnsiString TVisDateFormat::FormatDate(TDateTime Date) const {
  const AnsiString format = UpperCase(EffectiveFormat());
  Word year, month, day;
  DecodeDate(Date, year, month, day);
  AnsiString out;
  for (std::size_t i = 0; i < format.size();) {
    if (!IsFieldLetter(format[i])) {
      out += format[i++];
      continue;
    }
    const char letter = format[i];
    const std::size_t run = RunLength(format, i);
    i += run;
    if (letter == 'Y') {
      if (run == 1 || run == 4) out += IntToStr(year);
      if (run == 2) out += TwoDigits(year % 100);
      continue;
    }
    const Integer value = letter == 'D' ? day : month;
    switch (run) {
      case 1: out += IntToStr(value); break;
      case 2: out += TwoDigits(value); break;
      case 3: out += letter == 'D' ? ShortDayNames[DayOfWeek(Date)] : ShortMonthNames[month]; break;
      case 4: out += letter == 'D' ? LongDayNames[DayOfWeek(Date)] : LongMonthNames[month]; break;
      default: break;
    }
  }
  return out;
}

AnsiString TVisDateFormat::FormatDateFields(TDateTime Date) const {
  const AnsiString format = EffectiveFormat();
  Word year, month, day;
  DecodeDate(Date, year, month, day);
  TDateTime encoded = 0;
  const Integer weekday = TryEncodeDate(year, month, day, encoded) ? DayOfWeek(encoded) : DayOfWeek(Date);
  AnsiString out;
  for (std::size_t i = 0; i < format.size();) {
    if (!IsFieldLetter(format[i])) {
      out += format[i++];
      continue;
    }
    const char letter = Upper(format[i]);
    const std::size_t run = RunLength(format, i);
    i += run;
    if (letter == 'Y') {
      out += run == 2 ? TwoDigits(year % 100) : IntToStr(year);
      continue;
    }
    const Integer value = letter == 'D' ? day : month;
    if (run == 2) {
      out += TwoDigits(value);
    } else if (run == 3 || run == 4) {
      const bool isLong = run == 4;
      const AnsiString* names = letter == 'D' ? (isLong ? LongDayNames : ShortDayNames)
                                              : (isLong ? LongMonthNames : ShortMonthNames);
      const Integer count = letter == 'D' ? 7 : 12;
      const Integer index = letter == 'D' ? weekday : month;
      out += PadField(names[index], Integer(LongestName(names, count)));
    } else {
      out += PadField(IntToStr(value), 2);
    }
  }
  return out;
}

void TVisDateFormat::SplitDate(const AnsiString& Text, Word& Year, Word& Month, Word& Day) const {
  Year = 1900;
  Month = 1;
  Day = 1;
  const AnsiString format = UpperCase(EffectiveFormat());
  AnsiString text = Text;
  // A pass only begins before the format's last character (i is 0-based here).
  std::size_t i = 0;
  while (i + 1 < format.size()) {
    while (i < format.size() && !IsFieldLetter(format[i])) {
      ++i;
      if (!text.empty()) text.erase(0, 1);
    }
    if (i >= format.size()) break;
    TrimLeadingBlanks(text);
    const char letter = format[i];
    const std::size_t run = RunLength(format, i);
    const std::size_t next = i + run;
    Integer value = 0;
    if (letter == 'D' && (run == 3 || run == 4)) {
      // A day name is read past and not kept.
      TakeName(text, run == 3 ? ShortDayNames : LongDayNames, 7);
      value = -1;
    } else if (letter == 'M' && (run == 3 || run == 4)) {
      value = TakeName(text, run == 3 ? ShortMonthNames : LongMonthNames, 12);
    } else {
      value = TakeNumber(text);
    }
    if (value >= 0) {
      if (letter == 'D') {
        Day = static_cast<Word>(value);
      } else if (letter == 'M') {
        Month = static_cast<Word>(value);
      } else {
        Integer year = value;
        if (year < 100) {
          Integer century = (CurrentYear() / 100) * 100;
          const Integer window = FYearDelta == -1 ? Integer(TwoDigitYearCenturyWindow) : Integer(FYearDelta);
          if (window >= 0 && year > window) century -= 100;
          year += century;
        }
        Year = static_cast<Word>(year);
      }
    }
    i = next;
    if (i >= format.size() || format[i] != ' ') TrimLeadingBlanks(text);
  }
}

TDateTime TVisDateFormat::ParseDate(const AnsiString& Text) const {
  Word year, month, day;
  SplitDate(Text, year, month, day);
  if (month == 2) {
    const Word last = IsLeapYear(year) ? 29 : 28;
    if (day > last) day = last;
  }
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date)) throw Exception("Invalid date format!");
  return date;
}

TVisDateField TVisDateFormat::LocateField(Integer FieldNumber, const AnsiString& Text) const {
  AnsiString format = EffectiveFormat();
  AnsiString text = Text;
  TVisDateField field;
  Integer position = 1;
  const auto takeDigits = [&] {
    std::size_t n = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9') ++n;
    text.erase(0, n);
    position += Integer(n);
  };
  const auto takeRun = [&] {
    const std::size_t run = RunLength(format, 0);
    format.erase(0, run);
    field.Code += Integer(run);
  };
  while (field.Count < FieldNumber && !format.empty()) {
    while (!text.empty() && text[0] == ' ' && format[0] != ' ') {
      text.erase(0, 1);
      ++position;
    }
    field.Start = position;
    switch (Upper(format[0])) {
      case 'D':
      case 'M': {
        const bool day = Upper(format[0]) == 'D';
        ++field.Count;
        takeRun();
        if (field.Code == 1 || field.Code == 2)
          takeDigits();
        else if (field.Code == 3 || field.Code == 4)
          position += Integer(TakeExactName(text, day ? (field.Code == 3 ? ShortDayNames : LongDayNames)
                                                      : (field.Code == 3 ? ShortMonthNames : LongMonthNames),
                                            day ? 7 : 12));
        if (!day) field.Code += 10;
        break;
      }
      case 'Y':
        ++field.Count;
        takeRun();
        takeDigits();
        field.Code += 20;
        break;
      default:
        format.erase(0, 1);
        if (!text.empty()) text.erase(0, 1);
        ++position;
        field.Code = 0;
        break;
    }
  }
  field.End = position;
  return field;
}

Integer TVisDateFormat::FieldAt(Integer Caret, const AnsiString& Text) const {
  // The search ends when no further field starts: the scan then passes fewer fields than asked.
  for (Integer k = 1;; ++k) {
    const TVisDateField field = LocateField(k, Text);
    if (field.Count < k || Caret < field.Start || field.Code == 0) return -1;
    if (Caret <= field.End) return k;
  }
}

Integer TVisDateFormat::FieldStart(Integer Caret, const AnsiString& Text) const {
  const Integer k = FieldAt(Caret, Text);
  return k < 1 ? 0 : LocateField(k, Text).Start;
}

Integer TVisDateFormat::FieldKind(Integer Caret, const AnsiString& Text) const {
  const Integer k = FieldAt(Caret, Text);
  return k < 1 ? 0 : LocateField(k, Text).Code;
}

Integer TVisDateFormat::FieldWidth(Integer Caret, const AnsiString& Text) const {
  const Integer k = FieldAt(Caret, Text);
  if (k < 1) return 0;
  const TVisDateField field = LocateField(k, Text);
  return field.End - field.Start;
}

Integer TVisDateFormat::NextFieldStart(Integer Caret, const AnsiString& Text) const {
  const Integer k = FieldAt(Caret, Text);
  if (k < 1) return Caret;
  TVisDateField field = LocateField(k + 1, Text);
  if (field.Code == 0) field = LocateField(k, Text);
  return field.Start;
}

Integer TVisDateFormat::PrevFieldStart(Integer Caret, const AnsiString& Text) const {
  const Integer k = FieldAt(Caret, Text) - 1;
  return k >= 1 ? LocateField(k, Text).Start : 1;
}
