// The SysUtils-style routines of the class library: exceptions, string handling, number and
// date conversion in the class library's own grammar and formats, formatting, locale settings,
// and file and path routines.
//
// Conversions between text and numbers or dates follow the settings below (DecimalSeparator,
// ShortDateFormat, ...), which are read from the user's locale when the program starts and can
// be changed by the program (tests set them to fixed values).
#pragma once

#include <concepts>
#include <initializer_list>
#include <string_view>
#include <type_traits>

#include "classlib/Strings.h"
#include "classlib/System.h"
#include "classlib/WinApi.h"  // TSearchRec carries the Win32 find data; MulDiv comes from here

// --- Exceptions --------------------------------------------------------------------------------

// A text that could not be converted, a bad date or time, a bad format string, an assignment
// between incompatible classes.
class EConvertError : public Exception {
  CLASS_INFO(EConvertError, Exception)
public:
  using Exception::Exception;
};

// A failed input/output operation on a Pascal file; ErrorCode is the Windows or Pascal I/O
// error number (2 file not found, 5 access denied, 100 read beyond end of file, 103 file not open...).
class EInOutError : public Exception {
  CLASS_INFO(EInOutError, Exception)
public:
  using Exception::Exception;
  EInOutError(AnsiString message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  int ErrorCode = 0;
};

// A failed operating-system call; ErrorCode is the GetLastError code.
class EOSError : public Exception {
  CLASS_INFO(EOSError, Exception)
public:
  using Exception::Exception;
  EOSError(AnsiString message, DWORD errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  DWORD ErrorCode = 0;
};

class EOutOfMemory : public Exception {
  CLASS_INFO(EOutOfMemory, Exception)
public:
  using Exception::Exception;
};

// A window, timer, GDI object or other system resource could not be had.
class EOutOfResources : public EOutOfMemory {
  CLASS_INFO(EOutOfResources, EOutOfMemory)
public:
  using EOutOfMemory::EOutOfMemory;
};

// An operation not allowed in the object's present state.
class EInvalidOperation : public Exception {
  CLASS_INFO(EInvalidOperation, Exception)
public:
  using Exception::Exception;
};

class EMathError : public Exception {
  CLASS_INFO(EMathError, Exception)
public:
  using Exception::Exception;
};

// A floating-point value with no integer counterpart (Round or Trunc of a value out of range,
// infinity or NaN): "Invalid floating point operation".
class EInvalidOp : public EMathError {
  CLASS_INFO(EInvalidOp, EMathError)
public:
  using EMathError::EMathError;
};

// The silent exception: it unwinds to the message loop, which does not report it.
class EAbort : public Exception {
  CLASS_INFO(EAbort, Exception)
public:
  using Exception::Exception;
};

// Raises EAbort with the message "Operation aborted".
[[noreturn]] void Abort();

// Raises EOSError for GetLastError(): "System Error.  Code: %d.\r\n%s".
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(DWORD errorCode);
// The system's text for an error code, without the trailing line break.
AnsiString SysErrorMessage(DWORD errorCode);

// --- Strings -------------------------------------------------------------------------------------

// Removes every character up to and including the blank (codes 0 to 32) from both ends, the start
// or the end.
AnsiString Trim(std::string_view s);
AnsiString TrimLeft(std::string_view s);
AnsiString TrimRight(std::string_view s);
WideString Trim(std::wstring_view s);
WideString TrimLeft(std::wstring_view s);
WideString TrimRight(std::wstring_view s);

// ASCII letters only; other characters are unchanged.
AnsiString UpperCase(std::string_view s);
AnsiString LowerCase(std::string_view s);
// Ordinal comparison (unsigned bytes); negative, zero or positive.
int CompareStr(std::string_view a, std::string_view b) noexcept;
// Ordinal comparison with ASCII letters folded to upper case.
int CompareText(std::string_view a, std::string_view b) noexcept;
bool SameStr(std::string_view a, std::string_view b) noexcept;

// Through the user's locale: every letter of the code page, compared the way the user sorts.
AnsiString AnsiUpperCase(std::string_view s);
AnsiString AnsiLowerCase(std::string_view s);
int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameStr(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
// Case-insensitive equality through the locale, like AnsiSameText.
bool SameText(std::string_view a, std::string_view b);
inline Integer AnsiPos(std::string_view sub, std::string_view s) noexcept { return Pos(sub, s); }
bool AnsiStartsText(std::string_view prefix, std::string_view s);
bool AnsiEndsText(std::string_view suffix, std::string_view s);
bool AnsiStartsStr(std::string_view prefix, std::string_view s) noexcept;
bool AnsiEndsStr(std::string_view suffix, std::string_view s) noexcept;
bool AnsiContainsText(std::string_view s, std::string_view sub);

WideString WideUpperCase(std::wstring_view s);
WideString WideLowerCase(std::wstring_view s);
int WideCompareStr(std::wstring_view a, std::wstring_view b);
int WideCompareText(std::wstring_view a, std::wstring_view b);
bool WideSameText(std::wstring_view a, std::wstring_view b);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = int;  // a combination of TReplaceFlag values
// Replaces the first (or with rfReplaceAll every) occurrence of oldPattern; with rfIgnoreCase
// the search ignores case through the locale.
AnsiString StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                         TReplaceFlags flags);

// s between single quotes, inner quotes doubled.
AnsiString QuotedStr(std::string_view s);
// s between the given quotes, inner quotes doubled.
AnsiString AnsiQuotedStr(std::string_view s, AnsiChar quote);
// Reads a quoted text starting at s[pos] (0-based), undoubling inner quotes; pos moves past
// the closing quote. Empty when s[pos] is not the quote.
AnsiString AnsiExtractQuotedStr(std::string_view s, std::size_t& pos, AnsiChar quote);
// The unquoted text when s is quoted, else s unchanged.
AnsiString AnsiDequotedStr(std::string_view s, AnsiChar quote);
AnsiString ReverseString(std::string_view s);
AnsiString LeftStr(std::string_view s, Integer count);
AnsiString RightStr(std::string_view s, Integer count);
AnsiString MidStr(std::string_view s, Integer start, Integer count);
// Every line break becomes CR LF: a lone CR or LF, CR LF unchanged, and LF CR counts as two breaks.
AnsiString AdjustLineBreaks(std::string_view s);
// Position (1-based) of the last character of s that is one of delimiters; 0 when none.
Integer LastDelimiter(std::string_view delimiters, std::string_view s) noexcept;
// True when the character at position index (1-based) is one of delimiters.
bool IsDelimiter(std::string_view delimiters, std::string_view s, Integer index) noexcept;

// --- Numbers and text ------------------------------------------------------------------------------

AnsiString IntToStr(Int64 value);
template <std::integral T>
  requires(!std::same_as<T, bool>)
AnsiString IntToStr(T value) {
  return IntToStr(static_cast<Int64>(value));
}
AnsiString UIntToStr(UInt64 value);

// Upper-case hexadecimal, at least `digits` digits; negative values show their two's
// complement in the width of their type (8 digits for 32-bit types, 16 for 64-bit ones).
AnsiString IntToHexBits(UInt64 bits, Integer digits, Integer maxDigits);
template <std::integral T>
  requires(!std::same_as<T, bool>)
AnsiString IntToHex(T value, Integer digits) {
  if constexpr (sizeof(T) <= 4)
    return IntToHexBits(static_cast<std::uint32_t>(value), digits, 8);
  else
    return IntToHexBits(static_cast<UInt64>(value), digits, 16);
}

// Text to integer: leading blanks, an optional sign, then decimal digits or hexadecimal digits
// after "$", "0x" or "x"; nothing may follow. Out-of-range values are errors. StrToInt raises
// EConvertError "'<text>' is not a valid integer value".
Integer StrToInt(std::string_view s);
Integer StrToIntDef(std::string_view s, Integer defaultValue);
bool TryStrToInt(std::string_view s, Integer& value);
Int64 StrToInt64(std::string_view s);
Int64 StrToInt64Def(std::string_view s, Int64 defaultValue);
bool TryStrToInt64(std::string_view s, Int64& value);

// Text to floating point: blanks, an optional sign, digits with at most one DecimalSeparator
// and at least one digit, an optional exponent ("E" or "e", optional sign, digits), blanks.
// Nothing else: no "inf", "nan" or hexadecimal forms. StrToFloat raises EConvertError
// "'<text>' is not a valid floating point value".
Extended StrToFloat(std::string_view s);
Extended StrToFloatDef(std::string_view s, Extended defaultValue);
bool TryStrToFloat(std::string_view s, Extended& value);
bool TryStrToFloat(std::string_view s, double& value);

// "-1"/"0", or with useBoolStrs "True"/"False".
AnsiString BoolToStr(bool value, bool useBoolStrs = false);
// A number (non-zero is true) or "True"/"False" in any case; otherwise EConvertError
// "'<text>' is not a valid boolean value".
bool StrToBool(std::string_view s);
bool StrToBoolDef(std::string_view s, bool defaultValue);
bool TryStrToBool(std::string_view s, bool& value);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Round and Trunc raise EInvalidOp for values outside the 64-bit range, infinity and NaN.
Int64 Round(Extended value);
// Drops the fraction (towards zero).
Int64 Trunc(Extended value);
Extended Int(Extended value);
Extended Frac(Extended value);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// The general text of a value: up to 15 significant digits, fixed or scientific notation
// whichever the value needs ("0.1", "1E20", "1.5E-5").
AnsiString FloatToStr(Extended value);
// ffGeneral: up to `precision` significant digits, scientific with at least `digits` exponent
// digits when needed; ffExponent: "d.ddddE+ddd" with `precision` digits and at least `digits`
// exponent digits; ffFixed/ffNumber: `digits` decimals (ffNumber with thousands separators);
// ffCurrency: the currency settings with `digits` decimals. Decimal digits are rounded half up.
AnsiString FloatToStrF(Extended value, TFloatFormat format, Integer precision, Integer digits);
// A picture format: "0" digit, "#" optional digit, "." decimal separator, "," thousands
// separators, "E+"/"E-" scientific, quoted literals, and up to three ";"-separated sections for
// positive, negative and zero values.
AnsiString FormatFloat(std::string_view format, Extended value);

// One argument of Format.
class TVarRec {
public:
  enum TKind { vkInteger, vkInt64, vkExtended, vkString, vkWideString, vkChar, vkWideChar, vkPointer, vkBoolean };

  TVarRec(int v) noexcept : kind_(vkInteger), int_(v) {}
  TVarRec(long v) noexcept : kind_(vkInteger), int_(v) {}
  TVarRec(long long v) noexcept : kind_(vkInt64), int_(v) {}
  TVarRec(unsigned v) noexcept : kind_(vkInt64), int_(v) {}
  TVarRec(unsigned long v) noexcept : kind_(vkInt64), int_(static_cast<Int64>(v)) {}
  TVarRec(unsigned long long v) noexcept : kind_(vkInt64), int_(static_cast<Int64>(v)) {}
  TVarRec(short v) noexcept : kind_(vkInteger), int_(v) {}
  TVarRec(unsigned short v) noexcept : kind_(vkInteger), int_(v) {}
  TVarRec(signed char v) noexcept : kind_(vkInteger), int_(v) {}
  TVarRec(unsigned char v) noexcept : kind_(vkInteger), int_(v) {}
  TVarRec(bool v) noexcept : kind_(vkBoolean), int_(v) {}
  TVarRec(char c) noexcept : kind_(vkChar), int_(static_cast<unsigned char>(c)) {}
  TVarRec(wchar_t c) noexcept : kind_(vkWideChar), int_(c) {}
  TVarRec(float v) noexcept : kind_(vkExtended), float_(v) {}
  TVarRec(double v) noexcept : kind_(vkExtended), float_(v) {}
  TVarRec(long double v) noexcept : kind_(vkExtended), float_(v) {}
  TVarRec(const char* s) noexcept : kind_(vkString), str_(s ? std::string_view(s) : std::string_view()) {}
  TVarRec(std::string_view s) noexcept : kind_(vkString), str_(s) {}
  TVarRec(const AnsiString& s) noexcept : kind_(vkString), str_(s) {}
  TVarRec(const wchar_t* s) noexcept : kind_(vkWideString), wstr_(s ? std::wstring_view(s) : std::wstring_view()) {}
  TVarRec(const WideString& s) noexcept : kind_(vkWideString), wstr_(s) {}
  TVarRec(const void* p) noexcept : kind_(vkPointer), ptr_(p) {}

  TKind Kind() const noexcept { return kind_; }
  Int64 AsInt64() const noexcept { return int_; }
  Extended AsExtended() const noexcept { return float_; }
  std::string_view AsString() const noexcept { return str_; }
  std::wstring_view AsWideString() const noexcept { return wstr_; }
  const void* AsPointer() const noexcept { return ptr_; }

private:
  TKind kind_;
  Int64 int_ = 0;
  Extended float_ = 0;
  std::string_view str_;
  std::wstring_view wstr_;
  const void* ptr_ = nullptr;
};

// Formats like the class library's Format: "%" [index ":"] ["-"] [width] ["." precision] type,
// where index, width and precision may be "*" (taken from the arguments) and type is one of
// d (integer; precision = minimum digits), u (unsigned), x (upper-case hexadecimal), e, f, g,
// n, m (floating point: scientific, fixed, general, with thousands separators, currency),
// s (text; precision = maximum characters), p (pointer); "%%" is "%". A width pads with blanks
// on the left, or on the right after "-". A bad format or an argument of the wrong kind raises
// EConvertError "Format '<format>' invalid or incompatible with argument"; a missing argument
// "No argument for format '<format>'".
//   Format("%s has %d lines", {name, count})   or   Format("%s has %d lines", name, count)
AnsiString Format(std::string_view format, std::initializer_list<TVarRec> args);
template <class... A>
AnsiString Format(std::string_view format, const A&... args) {
  return Format(format, {TVarRec(args)...});
}

// --- Locale settings ---------------------------------------------------------------------------

extern AnsiString CurrencyString;      // "$"
extern Byte CurrencyFormat;            // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
extern Byte NegCurrFormat;             // 0 "($1)" ... 15 "(1 $)"
extern Byte CurrencyDecimals;          // 2
extern AnsiChar ThousandSeparator;     // ","
extern AnsiChar DecimalSeparator;      // "."
extern AnsiChar DateSeparator;         // "/"
extern AnsiChar TimeSeparator;         // ":"
extern AnsiChar ListSeparator;         // ","
extern AnsiString ShortDateFormat;     // "M/d/yyyy"
extern AnsiString LongDateFormat;      // "dddd, MMMM d, yyyy"
extern AnsiString ShortTimeFormat;     // "h:mm AMPM"
extern AnsiString LongTimeFormat;      // "h:mm:ss AMPM"
extern AnsiString TimeAMString;        // "AM"
extern AnsiString TimePMString;        // "PM"
extern AnsiString ShortMonthNames[13];  // [1] "Jan" .. [12] "Dec"; [0] unused
extern AnsiString LongMonthNames[13];   // [1] "January" .. [12] "December"
extern AnsiString ShortDayNames[8];     // [1] "Sun" .. [7] "Sat"; [0] unused
extern AnsiString LongDayNames[8];      // [1] "Sunday" .. [7] "Saturday"
// Two-digit years read from text fall in the hundred years ending this many years after now.
extern Word TwoDigitYearCenturyWindow;  // 50
// Reads every setting above from the user's locale again.
void GetFormatSettings();

// --- Dates and times ---------------------------------------------------------------------------

constexpr Integer HoursPerDay = 24;
constexpr Integer MinsPerDay = HoursPerDay * 60;
constexpr Integer SecsPerDay = MinsPerDay * 60;
constexpr Integer MSecsPerDay = SecsPerDay * 1000;
// Days from 0001-01-01 to 1899-12-30.
constexpr Integer DateDelta = 693594;

// A date as days since 0001-01-01 (day 1) and a time as milliseconds since midnight.
struct TTimeStamp {
  Integer Time = 0;
  Integer Date = 0;
};
TTimeStamp DateTimeToTimeStamp(TDateTime dateTime);
TDateTime TimeStampToDateTime(const TTimeStamp& stamp);

bool IsLeapYear(Word year) noexcept;
// Days in the month (1..12) of the year.
Word DaysInAMonth(Word year, Word month) noexcept;
// Raises EConvertError "Invalid argument to date encode" / "Invalid argument to time encode".
TDateTime EncodeDate(Word year, Word month, Word day);
TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec);
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date) noexcept;
bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time) noexcept;
void DecodeDate(TDateTime date, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec);
// 1 = Sunday .. 7 = Saturday.
Integer DayOfWeek(TDateTime date);
TDateTime Now();
TDateTime Date();
TDateTime Time();
Word CurrentYear();
TDateTime IncMonth(TDateTime date, Integer months = 1);

// Formats a date and time. Tokens (letters in either case):
//   d dd (day), ddd dddd (short/long day name), ddddd (ShortDateFormat), dddddd (LongDateFormat),
//   m mm (month; minutes right after an h or hh token), mmm mmmm (short/long month name),
//   yy yyyy (year), h hh (hour), n nn (minute), s ss (second), z zzz (millisecond),
//   am/pm a/p (12-hour clock, text in the case written), ampm (TimeAMString/TimePMString),
//   c (ShortDateFormat, then LongTimeFormat when the time is not midnight), t (ShortTimeFormat),
//   tt (LongTimeFormat), / (DateSeparator), : (TimeSeparator), '...' and "..." literal text.
// Other characters are copied. An empty format is "c".
AnsiString FormatDateTime(std::string_view format, TDateTime dateTime);
AnsiString DateToStr(TDateTime date);      // "ddddd"
AnsiString TimeToStr(TDateTime time);      // "tt"
AnsiString DateTimeToStr(TDateTime value);  // "c"
// Text to a date in ShortDateFormat's order of day, month and year with DateSeparator (the
// year may be left out); raises EConvertError "'<text>' is not a valid date".
TDateTime StrToDate(std::string_view s);
// Text to a time: hour, optional minute, second and millisecond, optional AM/PM; raises
// EConvertError "'<text>' is not a valid time".
TDateTime StrToTime(std::string_view s);
// A date, a time, or a date followed by a time; raises EConvertError
// "'<text>' is not a valid date and time".
TDateTime StrToDateTime(std::string_view s);
bool TryStrToDate(std::string_view s, TDateTime& value);
bool TryStrToTime(std::string_view s, TDateTime& value);
bool TryStrToDateTime(std::string_view s, TDateTime& value);

// Local DOS date and time packed as date << 16 | time, and back.
Integer DateTimeToFileDate(TDateTime dateTime);
TDateTime FileDateToDateTime(Integer fileDate);

// --- Files and folders -------------------------------------------------------------------------

constexpr Integer faReadOnly = 0x01;
constexpr Integer faHidden = 0x02;
constexpr Integer faSysFile = 0x04;
constexpr Integer faVolumeID = 0x08;
constexpr Integer faDirectory = 0x10;
constexpr Integer faArchive = 0x20;
constexpr Integer faAnyFile = 0x3F;

// Open modes of FileOpen and the file streams: an access mode or-ed with a share mode.
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

// A file found by FindFirst/FindNext. Time is the local DOS date-time of the last write.
struct TSearchRec {
  Integer Time = 0;
  Int64 Size = 0;
  Integer Attr = 0;
  AnsiString Name;
  Integer ExcludeAttr = 0;
  HANDLE FindHandle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA FindData{};
};
// Finds the first file matching path (wildcards allowed) with attributes allowed by attr
// (hidden, system, volume and folder entries only when asked for). 0 on success, else a
// Windows error code. Every successful FindFirst needs a FindClose.
Integer FindFirst(const AnsiString& path, Integer attr, TSearchRec& f);
Integer FindNext(TSearchRec& f);
void FindClose(TSearchRec& f);

bool FileExists(const AnsiString& fileName);
bool DirectoryExists(const AnsiString& directory);
bool CreateDir(const AnsiString& dir);
bool RemoveDir(const AnsiString& dir);
// Creates the folder and every missing folder above it; raises EInOutError "Unable to create
// directory" for an empty name.
bool ForceDirectories(const AnsiString& dir);
bool DeleteFile(const AnsiString& fileName);
bool RenameFile(const AnsiString& oldName, const AnsiString& newName);
bool CopyFile(const AnsiString& existingName, const AnsiString& newName, bool failIfExists);
// The file's attributes (fa... values), -1 when it does not exist.
Integer FileGetAttr(const AnsiString& fileName);
// 0 on success, else a Windows error code.
Integer FileSetAttr(const AnsiString& fileName, Integer attr);
// The local DOS date-time of the file's last write packed in a signed 32-bit integer (date in
// the high word, time in the low word); -1 when the file is missing or is a folder.
Integer FileAge(const AnsiString& fileName);
Int64 FileSizeOf(const AnsiString& fileName);

// Low-level file handles: FileOpen takes an fm... open mode; they return INVALID_HANDLE_VALUE
// or -1 on failure.
HANDLE FileOpen(const AnsiString& fileName, Word mode);
HANDLE FileCreate(const AnsiString& fileName);
Integer FileRead(HANDLE handle, void* buffer, Integer count);
Integer FileWrite(HANDLE handle, const void* buffer, Integer count);
// origin 0 from the start, 1 from the current position, 2 from the end; the new position or -1.
Int64 FileSeek(HANDLE handle, Int64 offset, Integer origin);
void FileClose(HANDLE handle);
Integer FileGetDate(HANDLE handle);
Integer FileSetDate(HANDLE handle, Integer age);
Integer FileSetDate(const AnsiString& fileName, Integer age);

// Path parts. Delimiters are "\" and, before the name, ":".
AnsiString ExtractFilePath(std::string_view fileName);  // up to and with the last "\" or ":"
AnsiString ExtractFileDir(std::string_view fileName);   // as the path, without a trailing "\" unless a root
AnsiString ExtractFileName(std::string_view fileName);
AnsiString ExtractFileExt(std::string_view fileName);   // with the dot; empty when none
AnsiString ExtractFileDrive(std::string_view fileName);  // "C:" or "\\server\share"
AnsiString ChangeFileExt(std::string_view fileName, std::string_view extension);
AnsiString ExpandFileName(const AnsiString& fileName);
AnsiString IncludeTrailingBackslash(std::string_view s);
AnsiString ExcludeTrailingBackslash(std::string_view s);
inline AnsiString IncludeTrailingPathDelimiter(std::string_view s) { return IncludeTrailingBackslash(s); }
inline AnsiString ExcludeTrailingPathDelimiter(std::string_view s) { return ExcludeTrailingBackslash(s); }
bool IsPathDelimiter(std::string_view s, Integer index) noexcept;

AnsiString GetCurrentDir();
bool SetCurrentDir(const AnsiString& dir);

// The command line: ParamStr(0) is the program's full path; 1..ParamCount() are the
// arguments, split at blanks, with double quotes grouping and removed.
AnsiString ParamStr(Integer index);
Integer ParamCount();
