// The typed-input edit: the text is filtered key by key by a data mode (integers in a radix from
// 2 to 36, unsigned integers, floats, fixed and number formats, currency, dates, times, a
// character mask or free text), read back through typed readers that raise EVisWrongDataType
// when the mode does not match, written through one typed writer, and optionally held to a range
// when the focus leaves. A suffix (" mm") may follow the value in the integer and float modes.
//
// Mask patterns: each character stands for one text position; "!" marks the next position as
// required and "\" makes the next character a literal. Placeholders: a (lower-case letter),
// A (upper-case letter), b (any letter), 0 (digit), 9 (digit 1-9), c (letter or digit),
// r (decided by OnCustomChar), v ("+" or "-"), 1 ("0" or "1"), 8 (digit or blank),
// # (digit, "+" or "-"), * (digit 1-9, "+" or "-"); any other character is a literal.
#pragma once

#include <algorithm>
#include <vector>

#include "classlib/SysUtils.h"
#include "controls/VisCurrencySettings.h"
#include "controls/VisCustomEdit.h"
#include "controls/VisDateFormat.h"

// A reader was asked for a value of another kind than the edit's mode holds.
class EVisWrongDataType : public Exception {
  CLASS_INFO(EVisWrongDataType, Exception)
public:
  using Exception::Exception;
};

// The data modes of the mask edit.
enum TVisMaskDataMode : Byte {
  mdInteger,
  mdUnsigned,
  mdFloat,
  mdFixed,
  mdNumber,
  mdCurrency,
  mdDate,
  mdTime,
  mdMask,
  mdText
};

// The numeric modes as the spin edit publishes them.
enum TVisNumberType { ntInteger, ntFloat, ntFloatFixed, ntFloatNumber, ntCurrency };
ENUM_NAMES(TVisNumberType, "ntInteger", "ntFloat", "ntFloatFixed", "ntFloatNumber", "ntCurrency");

using TVisCustomCharEvent = Closure<void(TObject* Sender, bool& Accept, Integer Position, char Char)>;
using TVisRangeErrorEvent = Closure<void(TObject* Sender, Extended& Value, double MinValue, double MaxValue)>;

// The digits of every radix: 0 to 9, then A to Z.
extern const char VisRadixDigits[];
// The value of a digit (0 to 35), or -1 for a character outside the alphabet.
Integer VisDigitValue(char Char);
// Text to a 64-bit integer in Radix: radix 10 through the class library's conversion (which
// raises EConvertError for bad text); other radixes sum the digits from the right, a lower-case
// letter or any other character counting 0, and a leading "-" negates.
Int64 VisRadixToInt(const AnsiString& Text, Integer Radix);
AnsiString VisIntToRadix(Int64 Value, Integer Radix);
// Float text in Radix: the integer part as VisRadixToInt reads it, the fraction digits after
// DecimalSeparator in the radix.
Extended VisRadixToFloat(const AnsiString& Text, Integer Radix, char DecimalSeparator);

class TVisCustomMaskEdit : public TVisCustomEdit {
  CLASS_INFO(TVisCustomMaskEdit, TVisCustomEdit)
public:
  explicit TVisCustomMaskEdit(TComponent* AOwner);
  ~TVisCustomMaskEdit() override;
  void Dispatch(TMessage& Message) override;
  // The empty mask in the mask mode; the date fields start afresh; currency settings that follow
  // the system are read again (a currency value is kept across that).
  void Loaded() override;
  // "DateTime": the value as a floating-point number, always written.
  void DefineProperties(TFiler* Filer) override;

  // --- Mode
  TVisMaskDataMode GetDataMode() const { return FDataMode; }
  // A new mode resets the text to the mode's zero, today's date, the current time or the empty
  // mask, followed by the displayed suffix.
  void SetDataMode(TVisMaskDataMode Value);
  // The suffix shown after the value: Suffix in the integer, unsigned and float modes, else none.
  AnsiString DisplayedSuffix() const;
  // The text without the displayed suffix, cut only when the text ends with it.
  AnsiString ValueText() const;

  // --- Readers and the writer
  // Mode integer only; "" reads 0. Raises EVisWrongDataType "No integer entered" in other modes.
  Integer GetAsInteger();
  // Float, fixed and number modes; "No float entered" in others.
  Extended GetAsFloat();
  // Any mode, through the currency settings.
  Extended GetAsCurrency();
  // Date mode only; "No date entered" in others.
  TDateTime GetAsDate();
  // Time mode only; "No time entered" in others; an empty text raises the time conversion error.
  TDateTime GetAsTime();
  // Shows Value in the mode's form, followed by the displayed suffix.
  void WriteValue(double Value);
  // The value's text in the mode's form, without the suffix.
  AnsiString ValueToText(double Value) const;

  // --- Settings
  const AnsiString& GetSuffix() const { return FSuffix; }
  // The text keeps its value and shows the new suffix.
  void SetSuffix(const AnsiString& Value);
  const AnsiString& GetMask() const { return FMask; }
  // In the mask mode the text becomes the empty mask.
  void SetMask(const AnsiString& Value);
  Integer GetRadix() const { return FRadix; }
  void SetRadix(Integer Value) { FRadix = std::clamp(Value, 2, 36); }
  bool GetRangeCheck() const { return FRangeCheck; }
  void SetRangeCheck(bool Value) { FRangeCheck = Value; }
  char GetThousandsSeparator() const { return FThousandsSeparator; }
  void SetThousandsSeparator(char Value) { FThousandsSeparator = Value; }
  char GetDecimalSeparator() const { return FDecimalSeparator; }
  void SetDecimalSeparator(char Value) { FDecimalSeparator = Value; }
  char GetBlankChar() const { return FBlankChar; }
  void SetBlankChar(char Value) { FBlankChar = Value; }
  Integer GetDecimals() const { return FDecimals; }
  // Also the currency settings' digits; the value is shown again.
  virtual void SetDecimals(Integer Value);
  TVisDateFormat* GetDateFormat() const { return FDateFormat; }
  TVisCurrencySettings* GetCurrencySettings() const { return FCurrency; }
  // Range (also the spin edit's): raising the minimum above the maximum raises the maximum with
  // it, lowering the maximum below the minimum lowers the minimum. The text stays.
  double GetMinValue() const { return FMinValue; }
  void SetMinValue(double Value);
  double GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(double Value);
  // The empty mask: the blank character at each placeholder, the literal elsewhere.
  AnsiString EmptyMaskText() const;

  // --- Date fields
  // Steps the date field under the caret by Step (days, months or years); the class library's
  // EConvertError "Invalid argument to date encode" leaves the text as it was when the day does
  // not exist in the new month or year.
  void StepDateField(Integer Step);
  // Selects the date field under the caret.
  void SelectDateField();

  TVisCustomCharEvent OnCustomChar;
  TVisRangeErrorEvent OnRangeError;

protected:
  void EditKeyDown(Word& Key) override;
  void EditChar(char Key) override;
  void DoFocusGain() override;
  void DoFocusLoss() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
  void BeforeChange() override;
  void AfterChange() override;
  void InsertHook(Integer Position, AnsiString& Text) override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  // Shows Text followed by the displayed suffix.
  void ShowValueText(const AnsiString& Text);
  // Whether the text reads as a value of the mode (used where a text that does not read is kept).
  bool ReadsBack();

private:
  struct MaskPosition {
    char Class;      // the placeholder, or 0 for a literal
    char Literal;    // the literal character
    bool Required;
  };
  std::vector<MaskPosition> ParseMask() const;
  bool FitsPosition(const MaskPosition& Position, Integer Index, char Char);
  bool SuffixReached() const;
  void CutSelectionBeforeSuffix();
  bool AcceptNumberChar(char Key, bool Float);
  bool AcceptPaste(const AnsiString& Text);
  void TypeDateChar(char Key);
  void MaskDelete(bool Backspace);
  void ReadStoredValue(TReader* Reader);
  void WriteStoredValue(TWriter* Writer);
  void DateFormatChanged(TObject* Sender);
  void RefocusMaskPosition(TMessage& Message);
  Integer SeparatorsBeforeCaret() const;
  char ThousandsChar() const;

  AnsiString FSuffix;
  AnsiString FMask;
  Integer FRadix = 10;
  bool FRangeCheck = false;
  char FThousandsSeparator;
  char FDecimalSeparator;
  char FBlankChar = '_';
  Integer FDecimals = 1;
  TVisDateFormat* FDateFormat;
  TVisCurrencySettings* FCurrency;
  // The date field being typed into and what has been typed into it.
  Integer FDateField = -1;
  Integer FDateTyped = 0;
  AnsiString FDateBuffer;
  double FMinValue = -1.0;
  double FMaxValue = -1.0;
  TVisMaskDataMode FDataMode = mdMask;
  Integer FSeparatorsBefore = 0;
  Integer FInsertedSeparators = 0;
};
