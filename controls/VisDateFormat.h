// The date layout of the mask edit's date mode: the system's short or long date format, or a
// format of its own. A date becomes a display text, or an editing text whose day and month
// fields keep fixed widths so that each field stays in its place while it is typed over; texts
// are split back into year, month and day; and the fields (day, month, year) of a text are found
// so that the edit can select, type into and step one field at a time.
//
// In a format a run of D, M or Y (either case) is a field: the letter gives the field and the
// length its form; every other character is a literal. Field codes: a day field 1 to 4 (its
// letters), a month field 11 to 14, a year field 21 to 24, a literal 0. Only a literal resets the
// code, so two fields written next to each other add their codes. Positions are 1-based; a
// field's end is the position just after it.
#pragma once

#include "classlib/SysUtils.h"
#include "controls/VisObject.h"

enum TVisDateFormats { dfShortSystem, dfLongSystem, dfCustom };
ENUM_NAMES(TVisDateFormats, "dfShortSystem", "dfLongSystem", "dfCustom");

// Where a field lies in a text: its code, its start and its end.
struct TVisDateField {
  Integer Code = 0;
  Integer Start = 0;
  Integer End = 0;
  // How many fields the scan passed; less than the number asked for when the text has no such field.
  Integer Count = 0;
};

class TVisDateFormat : public TVisObject {
  CLASS_INFO(TVisDateFormat, TVisObject)
public:
  TVisDateFormat() = default;
  // From another date format: Format, YearDelta and FormatStr.
  void Assign(TPersistent* Source) override;

  // The system's short or long date format, or FormatStr with each "/" made the system's date
  // separator.
  AnsiString EffectiveFormat() const;
  // The display text.
  AnsiString FormatDate(TDateTime Date) const;
  // The editing text: day and month numbers two characters wide, names padded to the longest name.
  AnsiString FormatDateFields(TDateTime Date) const;
  // Year, month and day read from a text in the effective format; what is missing stays 1900, 1
  // and 1, a missing month name gives month 0.
  void SplitDate(const AnsiString& Text, Word& Year, Word& Month, Word& Day) const;
  // The date of a text; a day beyond the end of February is taken as its last day. Raises
  // Exception "Invalid date format!" for a date that does not exist.
  TDateTime ParseDate(const AnsiString& Text) const;
  // Text followed by blanks up to Width characters.
  static AnsiString PadField(const AnsiString& Text, Integer Width);

  // The FieldNumber-th field of Text (code, start and end); with fewer fields, the last field or
  // literal the scan reached.
  TVisDateField LocateField(Integer FieldNumber, const AnsiString& Text) const;
  // The number of the field under the caret (a caret just after a field belongs to it), or -1.
  Integer FieldAt(Integer Caret, const AnsiString& Text) const;
  // Start, code and width of the field under the caret; 0 when there is none.
  Integer FieldStart(Integer Caret, const AnsiString& Text) const;
  Integer FieldKind(Integer Caret, const AnsiString& Text) const;
  Integer FieldWidth(Integer Caret, const AnsiString& Text) const;
  // The start of the next field (that of the field under the caret when it is the last; the caret
  // itself when it is in no field), and of the previous one (1 from the first field or none).
  Integer NextFieldStart(Integer Caret, const AnsiString& Text) const;
  Integer PrevFieldStart(Integer Caret, const AnsiString& Text) const;

  const AnsiString& GetFormatStr() const { return FFormatStr; }
  void SetFormatStr(const AnsiString& Value);
  TVisDateFormats GetFormat() const { return FFormat; }
  void SetFormat(TVisDateFormats Value);
  // The two-digit-year window: a year above it goes to the previous century. -1 takes the class
  // library's window; any other negative value keeps every two-digit year in this century.
  signed char GetYearDelta() const { return FYearDelta; }
  void SetYearDelta(signed char Value) { FYearDelta = Value; }

  TNotifyEvent OnChanging;

private:
  AnsiString FFormatStr;
  TVisDateFormats FFormat = dfShortSystem;
  signed char FYearDelta = -1;
};
