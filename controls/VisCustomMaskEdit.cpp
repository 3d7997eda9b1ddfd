// The typed-input edit: modes, readers and the writer, the stored value, the range check and
// the focus changes. The key filters, the mask and the date fields are in
// VisCustomMaskEditTyping.cpp.
#include "controls/VisCustomMaskEdit.h"
#include "controls/VisObject.h"

#include <cmath>

#include "classlib/Filer.h"

const char VisRadixDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

namespace {


bool EndsWith(const AnsiString& Text, const AnsiString& End) {
  return Text.size() >= End.size() && Text.compare(Text.size() - End.size(), End.size(), End) == 0;
}

AnsiString Without(const AnsiString& Text, char Char) {
  AnsiString result;
  for (char c : Text)
    if (c != Char) result += c;
  return result;
}

// The class library's number text with its separators made the edit's own.
AnsiString WithSeparators(const AnsiString& Text, char Decimal, char Thousands) {
  AnsiString result = Text;
  for (char& c : result) {
    if (c == DecimalSeparator)
      c = Decimal;
    else if (c == ThousandSeparator)
      c = Thousands;
  }
  return result;
}

}  // namespace

Integer VisDigitValue(char Char) {
  for (Integer i = 0; i < 36; ++i)
    if (VisRadixDigits[i] == Char) return i;
  return -1;
}

Int64 VisRadixToInt(const AnsiString& Text, Integer Radix) {
  if (Radix == 10) return StrToInt64(Text);
  // The digits from the right, each worth its value times a power of the radix.
  Extended sum = 0;
  Extended power = 1;
  AnsiString rest = Text;
  while (!rest.empty() && rest != "-") {
    const Integer value = std::max(VisDigitValue(rest.back()), 0);
    sum += value * power;
    power *= Radix;
    rest.pop_back();
  }
  if (rest == "-") sum = -sum;
  constexpr Extended limit = 9223372036854775807.0L;
  return sum >= limit ? std::numeric_limits<Int64>::max() : sum <= -limit ? std::numeric_limits<Int64>::min()
                                                                          : static_cast<Int64>(sum);
}

AnsiString VisIntToRadix(Int64 Value, Integer Radix) {
  if (Value == 0) return "0";
  UInt64 rest = Value < 0 ? UInt64(0) - UInt64(Value) : UInt64(Value);
  AnsiString digits;
  while (rest > 0) {
    digits.insert(digits.begin(), VisRadixDigits[rest % UInt64(Radix)]);
    rest /= UInt64(Radix);
  }
  return Value < 0 ? "-" + digits : digits;
}

Extended VisRadixToFloat(const AnsiString& Text, Integer Radix, char DecimalSeparator) {
  // A general text with an exponent reads as the class library reads it.
  if (Radix == 10 && Text.find_first_of("Ee") != AnsiString::npos) {
    AnsiString decimal = Text;
    for (char& c : decimal)
      if (c == DecimalSeparator) c = ::DecimalSeparator;
    return StrToFloat(decimal);
  }
  AnsiString s = Text;
  if (s.empty() || s == "-") s = "0";
  if (s.size() >= 2 && s[0] == '-' && s[1] == DecimalSeparator) s.insert(1, "0");
  const auto separator = s.find(DecimalSeparator);
  const Int64 integer = VisRadixToInt(s.substr(0, separator), Radix);
  const bool negativeZero = integer == 0 && s[0] == '-';
  Extended fraction = 0;
  const auto textSeparator = Text.find(DecimalSeparator);
  if (textSeparator != AnsiString::npos && textSeparator + 1 < Text.size()) {
    const AnsiString digits = Text.substr(textSeparator + 1);
    fraction = std::max(VisDigitValue(digits.back()), 0);
    for (std::size_t i = digits.size() - 1; i-- > 0;) fraction = std::max(VisDigitValue(digits[i]), 0) + fraction / Radix;
    fraction /= Radix;
  }
  Extended result = integer < 0 && !negativeZero ? integer - fraction : integer + fraction;
  return negativeZero ? -result : result;
}

// --- Construction ----------------------------------------------------------------------------------

TVisCustomMaskEdit::TVisCustomMaskEdit(TComponent* AOwner)
    : TVisCustomEdit(AOwner),
      FThousandsSeparator(ThousandSeparator),
      FDecimalSeparator(DecimalSeparator),
      FDateFormat(new TVisDateFormat),
      FCurrency(new TVisCurrencySettings) {
  FDateFormat->OnChange = TNotifyEvent(this, &TVisCustomMaskEdit::DateFormatChanged);
  FDateFormat->OnChanging = TNotifyEvent(this, &TVisCustomMaskEdit::DateFormatChanged);
}

TVisCustomMaskEdit::~TVisCustomMaskEdit() {
  delete FCurrency;
  delete FDateFormat;
}

void TVisCustomMaskEdit::DateFormatChanged(TObject*) {}

void TVisCustomMaskEdit::Loaded() {
  inherited::Loaded();
  if (FDataMode == mdMask) SetText(EmptyMaskText());
  if (FDataMode == mdDate) {
    FDateField = -1;
    FDateTyped = 0;
  }
  if (FCurrency->GetSystemDefaults() == cmSystem) {
    const bool currency = FDataMode == mdCurrency;
    const Extended value = currency ? GetAsCurrency() : 0;
    FCurrency->LoadFromSystem();
    FCurrency->SetDigits(static_cast<Byte>(FDecimals));
    if (currency) WriteValue(double(value));
  }
}

// --- Mode and text ---------------------------------------------------------------------------------

AnsiString TVisCustomMaskEdit::DisplayedSuffix() const { return FDataMode <= mdNumber ? FSuffix : AnsiString(); }

AnsiString TVisCustomMaskEdit::ValueText() const {
  const AnsiString& text = GetEditText();
  const AnsiString suffix = DisplayedSuffix();
  if (!suffix.empty() && EndsWith(text, suffix)) return text.substr(0, text.size() - suffix.size());
  return text;
}

void TVisCustomMaskEdit::ShowValueText(const AnsiString& Text) { SetText(Text + DisplayedSuffix()); }

void TVisCustomMaskEdit::SetDataMode(TVisMaskDataMode Value) {
  if (Value == FDataMode) return;
  const AnsiString old = ValueText();
  FDataMode = Value;
  switch (Value) {
    case mdInteger:
    case mdUnsigned:
    case mdFloat: ShowValueText("0"); break;
    case mdFixed:
      FRadix = 10;
      ShowValueText(WithSeparators(FloatToStrF(0, ffFixed, 15, FDecimals), FDecimalSeparator, FThousandsSeparator));
      break;
    case mdNumber:
      FRadix = 10;
      ShowValueText(WithSeparators(FloatToStrF(0, ffNumber, 15, FDecimals), FDecimalSeparator, FThousandsSeparator));
      break;
    case mdCurrency:
      FRadix = 10;
      ShowValueText(FCurrency->Format(0));
      break;
    case mdDate:
      ShowValueText(old.empty() ? FDateFormat->FormatDate(Date()) : FDateFormat->FormatDate(FDateFormat->ParseDate(old)));
      break;
    case mdTime:
      if (old.empty())
        ShowValueText(TimeToStr(Time()));
      else
        StrToTime(old);
      break;
    case mdMask: ShowValueText(EmptyMaskText()); break;
    case mdText: break;
  }
}

void TVisCustomMaskEdit::SetSuffix(const AnsiString& Value) {
  const AnsiString value = ValueText();
  FSuffix = Value;
  ShowValueText(value);
}

void TVisCustomMaskEdit::SetMask(const AnsiString& Value) {
  FMask = Value;
  if (FDataMode == mdMask) SetText(EmptyMaskText());
}

void TVisCustomMaskEdit::SetMinValue(double Value) {
  if (Value == FMinValue) return;
  FMinValue = Value;
  if (FMinValue > FMaxValue) FMaxValue = FMinValue;
}

void TVisCustomMaskEdit::SetMaxValue(double Value) {
  if (Value == FMaxValue) return;
  FMaxValue = Value;
  if (FMinValue > FMaxValue) FMinValue = FMaxValue;
}

void TVisCustomMaskEdit::SetDecimals(Integer Value) {
  FDecimals = Value;
  FCurrency->SetDigits(static_cast<Byte>(Value));
  // A value that reads back is shown with the new number of decimals.
  if (Loading(this) || (FDataMode != mdFixed && FDataMode != mdNumber && FDataMode != mdCurrency) || !ReadsBack())
    return;
  WriteValue(double(FDataMode == mdCurrency ? GetAsCurrency() : GetAsFloat()));
}

bool TVisCustomMaskEdit::ReadsBack() {
  try {
    switch (FDataMode) {
      case mdInteger: GetAsInteger(); break;
      case mdFloat:
      case mdFixed:
      case mdNumber: GetAsFloat(); break;
      case mdDate: GetAsDate(); break;
      case mdTime: GetAsTime(); break;
      default: break;
    }
    return true;
  } catch (const EConvertError&) {
    return false;
  } catch (const EVisWrongDataType&) {
    return false;
  }
}

// --- Readers and the writer ------------------------------------------------------------------------

Integer TVisCustomMaskEdit::GetAsInteger() {
  if (FDataMode != mdInteger) throw EVisWrongDataType("No integer entered");
  const AnsiString text = ValueText();
  if (text.empty()) return 0;
  return static_cast<Integer>(static_cast<std::uint32_t>(VisRadixToInt(text, FRadix)));
}

Extended TVisCustomMaskEdit::GetAsFloat() {
  if (FDataMode != mdFloat && FDataMode != mdFixed && FDataMode != mdNumber) throw EVisWrongDataType("No float entered");
  const AnsiString text = Without(ValueText(), FThousandsSeparator);
  if (text.empty()) return 0;
  return VisRadixToFloat(text, FRadix, FDecimalSeparator);
}

Extended TVisCustomMaskEdit::GetAsCurrency() {
  const AnsiString text = ValueText();
  if (text.empty()) return 0;
  return static_cast<Extended>(FCurrency->Parse(text)) / 10000;
}

TDateTime TVisCustomMaskEdit::GetAsDate() {
  if (FDataMode != mdDate) throw EVisWrongDataType("No date entered");
  const AnsiString text = ValueText();
  if (text.empty()) return 0;
  return FDateFormat->ParseDate(text);
}

TDateTime TVisCustomMaskEdit::GetAsTime() {
  if (FDataMode != mdTime) throw EVisWrongDataType("No time entered");
  return StrToTime(ValueText());
}

AnsiString TVisCustomMaskEdit::ValueToText(double Value) const {
  const auto fixed = [&](TFloatFormat Format) {
    if (FRadix == 10)
      return WithSeparators(FloatToStrF(Value, Format, 15, FDecimals), FDecimalSeparator, FThousandsSeparator);
    // The integer part in the radix, the decimals of the general text cut or filled to Decimals.
    const AnsiString general = FloatToStr(Value);
    const auto separator = general.find(DecimalSeparator);
    const AnsiString integerText = general.substr(0, separator);
    AnsiString integer = VisIntToRadix(StrToInt64(integerText), FRadix);
    if (integerText[0] == '-' && integer[0] != '-') integer.insert(0, "-");
    if (Format == ffNumber) {
      const std::size_t first = integer[0] == '-' ? 1 : 0;
      for (std::size_t at = integer.size(); at > first + 3;) {
        at -= 3;
        integer.insert(at, 1, FThousandsSeparator);
      }
    }
    AnsiString decimals = separator == AnsiString::npos ? AnsiString() : general.substr(separator + 1);
    decimals.resize(static_cast<std::size_t>(std::max(FDecimals, 0)), '0');
    return FDecimals > 0 ? integer + FDecimalSeparator + decimals : integer;
  };
  switch (FDataMode) {
    case mdInteger: return VisIntToRadix(Round(Value), FRadix);
    case mdUnsigned: {
      const Int64 rounded = Round(Value);
      return VisIntToRadix(rounded < 0 ? -rounded : rounded, FRadix);
    }
    case mdFloat: {
      const AnsiString general = FloatToStr(Value);
      const auto separator = general.find(DecimalSeparator);
      if (FRadix == 10) return WithSeparators(general, FDecimalSeparator, FThousandsSeparator);
      if (separator == AnsiString::npos) return VisIntToRadix(Trunc(Value), FRadix);
      const AnsiString integerText = general.substr(0, separator);
      AnsiString integer = VisIntToRadix(StrToInt64(integerText), FRadix);
      // "-0.5" keeps its sign although its integer part is 0.
      if (integerText[0] == '-' && integer[0] != '-') integer.insert(0, "-");
      return integer + FDecimalSeparator + general.substr(separator + 1);
    }
    case mdFixed: return fixed(ffFixed);
    case mdNumber: return fixed(ffNumber);
    case mdCurrency: return FCurrency->Format(TVisCurrencySettings::AmountOf(Value));
    case mdDate: return FDateFormat->FormatDateFields(Value);
    case mdTime: return TimeToStr(Value);
    case mdMask:
    case mdText: break;
  }
  return ValueText();
}

void TVisCustomMaskEdit::WriteValue(double Value) { ShowValueText(ValueToText(Value)); }

// --- The stored value ------------------------------------------------------------------------------

void TVisCustomMaskEdit::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty("DateTime", TReaderProc(this, &TVisCustomMaskEdit::ReadStoredValue),
                        TWriterProc(this, &TVisCustomMaskEdit::WriteStoredValue), true);
}

void TVisCustomMaskEdit::WriteStoredValue(TWriter* Writer) {
  Extended value = 0;
  // A text that does not read as a value of its mode is stored as 0 rather than failing the form.
  try {
    switch (FDataMode) {
      case mdFloat:
      case mdFixed:
      case mdNumber: value = GetAsFloat(); break;
      case mdCurrency: value = GetAsCurrency(); break;
      case mdDate: value = ValueText().empty() ? 0 : FDateFormat->ParseDate(ValueText()); break;
      case mdTime: value = StrToTime(ValueText()); break;
      default: break;
    }
  } catch (const Exception&) {
    value = 0;
  }
  Writer->WriteFloat(value);
}

void TVisCustomMaskEdit::ReadStoredValue(TReader* Reader) {
  const Extended value = Reader->ReadFloat();
  switch (FDataMode) {
    case mdFloat:
    case mdFixed:
    case mdNumber:
      ShowValueText(WithSeparators(FloatToStr(value), FDecimalSeparator, FThousandsSeparator));
      break;
    case mdCurrency: ShowValueText(FCurrency->Format(TVisCurrencySettings::AmountOf(value))); break;
    case mdDate: ShowValueText(value == 0 ? AnsiString() : FDateFormat->FormatDate(double(value))); break;
    case mdTime: ShowValueText(TimeToStr(double(value))); break;
    default: break;
  }
}

// --- Focus -----------------------------------------------------------------------------------------

namespace {
// Posted to a mask edit whose required position was left unfilled: WParam is the position.
constexpr UINT kRefocusMaskPosition = WM_APP + 0x361;
}  // namespace

void TVisCustomMaskEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == kRefocusMaskPosition) {
    RefocusMaskPosition(Message);
    return;
  }
  inherited::Dispatch(Message);
}

void TVisCustomMaskEdit::DoFocusGain() {
  inherited::DoFocusGain();
  if (FDataMode != mdDate) return;
  FDateField = -1;
  FDateTyped = 0;
  FDateBuffer.clear();
  // While focused each field keeps its width, so that it stays in place while typed over.
  const AnsiString text = ValueText();
  if (!text.empty()) ShowValueText(FDateFormat->FormatDateFields(FDateFormat->ParseDate(text)));
}

void TVisCustomMaskEdit::DoFocusLoss() {
  inherited::DoFocusLoss();
  switch (FDataMode) {
    case mdDate: {
      const AnsiString text = ValueText();
      if (!text.empty()) ShowValueText(FDateFormat->FormatDate(FDateFormat->ParseDate(text)));
      break;
    }
    case mdTime: StrToTime(ValueText()); break;
    case mdMask: {
      const auto positions = ParseMask();
      const AnsiString& text = GetEditText();
      for (std::size_t i = 0; i < positions.size(); ++i) {
        if (!positions[i].Required) continue;
        const char c = i < text.size() ? text[i] : FBlankChar;
        if (!FitsPosition(positions[i], Integer(i + 1), c)) {
          if (HandleAllocated()) ::PostMessageA(GetHandle(), kRefocusMaskPosition, WPARAM(i + 1), 0);
          break;
        }
      }
      break;
    }
    case mdText: break;
    default: {
      if (ValueText() == "-") ShowValueText(AnsiString());
      if (!FRangeCheck) break;
      Extended value = 0;
      switch (FDataMode) {
        case mdInteger: value = GetAsInteger(); break;
        case mdUnsigned: value = ValueText().empty() ? 0 : Extended(VisRadixToInt(ValueText(), FRadix)); break;
        case mdCurrency: value = GetAsCurrency(); break;
        default: value = GetAsFloat(); break;
      }
      const auto hold = [&](bool Above, double Limit) {
        if (Above ? value <= Limit : value >= Limit) return;
        if (OnRangeError) OnRangeError(this, value, FMinValue, FMaxValue);
        if (Above ? value > Limit : value < Limit) value = Limit;
        WriteValue(double(value));
      };
      hold(true, FMaxValue);
      hold(false, FMinValue);
      break;
    }
  }
}

void TVisCustomMaskEdit::RefocusMaskPosition(TMessage& Message) {
  if (CanFocus()) SetFocus();
  const Integer position = Integer(Message.WParam);
  MoveCaretQuietly(position);
  SetSelStart(position);
  SetSelLength(1);
  CaretMoved();
}
