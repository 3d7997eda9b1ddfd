// The mask edit's input: the typing filter of each mode, the suffix kept whole, the clipboard
// filter, the mask and the date fields.
#include "controls/VisCustomMaskEdit.h"

#include <algorithm>
#include <cstring>

#include "classlib/Clipbrd.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char kMaskClasses[] = "aAb09crv18#*";

}  // namespace

// --- The suffix --------------------------------------------------------------------------------------

// Whether the insertion point lies inside the displayed suffix.
bool TVisCustomMaskEdit::SuffixReached() const {
  const Integer suffix = Integer(DisplayedSuffix().size());
  const Integer at = GetSelLength() > 0 ? GetSelStart() : GetCaretIndex();
  return suffix > 0 && at > Integer(GetEditText().size()) - suffix + 1;
}

void TVisCustomMaskEdit::CutSelectionBeforeSuffix() {
  const Integer suffix = Integer(DisplayedSuffix().size());
  if (suffix == 0 || GetSelLength() <= 0) return;
  const Integer valueEnd = Integer(GetEditText().size()) - suffix + 1;
  if (GetSelStart() + GetSelLength() > valueEnd) SetSelLength(std::max(valueEnd - GetSelStart(), 0));
}

// --- Typing --------------------------------------------------------------------------------------------

bool TVisCustomMaskEdit::AcceptNumberChar(char Key, bool Float) {
  const AnsiString& text = GetEditText();
  const Integer at = GetSelLength() > 0 ? GetSelStart() : GetCaretIndex();
  const char atCaret = at >= 1 && at <= Integer(text.size()) ? text[at - 1] : '\0';
  // A selection from the start may be typed over, its minus sign with it.
  const bool overStart = GetSelStart() == 1 && GetSelLength() > 0;
  const Integer value = VisDigitValue(Key);
  if (value >= 0 && value < FRadix) return text.empty() || atCaret != '-' || overStart;
  if (Key == '-') return (at == 1 && text.find('-') == AnsiString::npos) || overStart;
  if (Float && Key == FDecimalSeparator) {
    if (text.find(FDecimalSeparator) != AnsiString::npos) return false;
    const auto minus = text.find('-');
    return minus == AnsiString::npos || Integer(minus) + 1 < at;
  }
  return false;
}

void TVisCustomMaskEdit::EditChar(char Key) {
  if (static_cast<Byte>(Key) < 32) return;
  if (FDataMode == mdMask && GetSelLength() > 1) SetSelLength(1);
  if (!DisplayedSuffix().empty()) {
    CutSelectionBeforeSuffix();
    if (SuffixReached()) return;
  }
  switch (FDataMode) {
    case mdInteger:
      if (!AcceptNumberChar(Key, false)) return;
      break;
    case mdUnsigned: {
      const Integer value = VisDigitValue(Key);
      if (value < 0 || value >= FRadix) return;
      break;
    }
    case mdFloat:
    case mdFixed:
    case mdNumber:
      if (!AcceptNumberChar(Key, true)) return;
      break;
    case mdCurrency: {
      const char decimal = FCurrency->GetDecimalChar();
      if (Key == decimal && GetSelLength() == 0) {
        // The decimal character moves to where it is typed.
        const AnsiString& text = GetEditText();
        const auto old = text.find(decimal);
        if (old != AnsiString::npos) {
          Integer caret = GetCaretIndex();
          if (Integer(old) + 1 < caret) --caret;
          SetSelStart(Integer(old) + 1);
          SetSelLength(1);
          ReplaceSelection(AnsiString());
          MoveCaretQuietly(caret);
          SetSelStart(caret);
        }
      } else if (!IsDigit(Key) && Key != '-' && Key != decimal) {
        return;
      }
      break;
    }
    case mdDate: TypeDateChar(Key); return;
    case mdTime:
      if (!IsDigit(Key) && Key != TimeSeparator) return;
      break;
    case mdMask: {
      const auto positions = ParseMask();
      Integer at = GetSelLength() > 0 ? GetSelStart() : GetCaretIndex();
      // The caret passes the literals before the next place the character can go.
      while (at <= Integer(positions.size()) && positions[at - 1].Class == 0 && positions[at - 1].Literal != Key) ++at;
      if (at > Integer(positions.size())) return;
      if (!FitsPosition(positions[at - 1], at, Key) && Key != FBlankChar) return;
      // Typing in a mask overwrites.
      MoveCaretQuietly(at);
      SetSelStart(at);
      SetSelLength(at <= Integer(GetEditText().size()) ? 1 : 0);
      break;
    }
    case mdText: break;
  }
  inherited::EditChar(Key);
}

void TVisCustomMaskEdit::EditKeyDown(Word& Key) {
  switch (Key) {
    case VK_BACK:
    case VK_DELETE: {
      const Integer suffix = Integer(DisplayedSuffix().size());
      if (suffix > 0) {
        CutSelectionBeforeSuffix();
        // Without a selection the keys stop at the suffix too.
        const Integer valueEnd = Integer(GetEditText().size()) - suffix + 1;
        const Integer caret = GetCaretIndex();
        if (GetSelLength() == 0 && ((Key == VK_DELETE && caret >= valueEnd) || (Key == VK_BACK && caret > valueEnd))) {
          Key = 0;
          return;
        }
      }
      if (FDataMode == mdMask) {
        MaskDelete(Key == VK_BACK);
        Key = 0;
        return;
      }
      break;
    }
    case VK_HOME:
    case VK_END:
      if (FDataMode == mdDate) {
        Key = 0;
        return;
      }
      break;
    case VK_LEFT:
    case VK_RIGHT:
      if (FDataMode == mdDate) {
        const AnsiString& text = GetEditText();
        const Integer caret = GetCaretIndex();
        MoveCaretQuietly(Key == VK_LEFT ? FDateFormat->PrevFieldStart(caret, text)
                                        : FDateFormat->NextFieldStart(caret, text));
        FDateTyped = 0;
        FDateBuffer.clear();
        SelectDateField();
        Key = 0;
        return;
      }
      break;
    case VK_UP:
    case VK_DOWN:
      if (FDataMode == mdDate) {
        if (!GetReadOnly()) StepDateField(Key == VK_UP ? 1 : -1);
        Key = 0;
        return;
      }
      break;
    default: break;
  }
  inherited::EditKeyDown(Key);
}

bool TVisCustomMaskEdit::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  bool handled = inherited::DoMouseWheel(Shift, WheelDelta, MousePos);
  if (FDataMode == mdDate && !GetReadOnly()) {
    StepDateField(WheelDelta >= 1 ? 1 : -1);
    handled = true;
  }
  return handled;
}

void TVisCustomMaskEdit::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && FDataMode == mdDate) SelectDateField();
}

// --- Thousands separators in front of the caret --------------------------------------------------------

char TVisCustomMaskEdit::ThousandsChar() const {
  return FDataMode == mdCurrency ? FCurrency->GetThousandsChar() : FThousandsSeparator;
}

Integer TVisCustomMaskEdit::SeparatorsBeforeCaret() const {
  const AnsiString& text = GetEditText();
  const auto end = std::min<std::size_t>(static_cast<std::size_t>(std::max(GetCaretIndex() - 1, 0)), text.size());
  return Integer(std::count(text.begin(), text.begin() + std::ptrdiff_t(end), ThousandsChar()));
}

void TVisCustomMaskEdit::BeforeChange() {
  FInsertedSeparators = 0;
  if (FDataMode == mdNumber || FDataMode == mdCurrency) FSeparatorsBefore = SeparatorsBeforeCaret();
}

void TVisCustomMaskEdit::InsertHook(Integer, AnsiString& Text) {
  FInsertedSeparators = Integer(std::count(Text.begin(), Text.end(), ThousandsChar()));
}

void TVisCustomMaskEdit::AfterChange() {
  if (FDataMode != mdNumber && FDataMode != mdCurrency) return;
  // The caret stays behind the same digit when separators came in front of it; those the change
  // brought in itself are behind the caret already.
  const Integer now = SeparatorsBeforeCaret() - FInsertedSeparators;
  if (now > FSeparatorsBefore) {
    MoveCaretQuietly(GetCaretIndex() + now - FSeparatorsBefore);
    SetSelStart(GetCaretIndex());
  }
}

// --- Clipboard ---------------------------------------------------------------------------------------

void TVisCustomMaskEdit::CutToClipboard() {
  const Integer suffix = Integer(DisplayedSuffix().size());
  if (suffix > 0 && GetSelStart() + GetSelLength() > Integer(GetEditText().size()) - suffix + 1) return;
  inherited::CutToClipboard();
}

void TVisCustomMaskEdit::PasteFromClipboard() {
  const Integer suffix = Integer(DisplayedSuffix().size());
  if (suffix > 0 && GetSelStart() + GetSelLength() > Integer(GetEditText().size()) - suffix + 1) return;
  if (!ClipboardAllowed() || !Clipboard()->HasFormat(CF_TEXT)) return;
  if (!AcceptPaste(Clipboard()->GetAsText())) return;
  inherited::PasteFromClipboard();
}

bool TVisCustomMaskEdit::AcceptPaste(const AnsiString& Text) {
  const AnsiString& text = GetEditText();
  const Integer length = Integer(text.size());
  const Integer start = std::clamp(GetSelStart(), 1, length + 1);
  const Integer count = std::clamp(GetSelLength(), 0, length + 1 - start);
  // The text as the paste would leave it.
  const AnsiString result = text.substr(0, static_cast<std::size_t>(start - 1)) + Text +
                            text.substr(static_cast<std::size_t>(start - 1 + count));
  const auto radixDigit = [this](char c) {
    const Integer value = VisDigitValue(c);
    return value >= 0 && value < FRadix;
  };
  switch (FDataMode) {
    case mdInteger: {
      std::size_t first = 0;
      if (!Text.empty() && Text[0] == '-') {
        if (start != 1) return false;
        if (!text.empty() && text[0] == '-' && !(GetSelStart() == 1 && GetSelLength() > 0)) return false;
        first = 1;
      }
      for (std::size_t i = first; i < Text.size(); ++i)
        if (!radixDigit(Text[i])) return false;
      return true;
    }
    case mdUnsigned: return std::all_of(Text.begin(), Text.end(), radixDigit);
    case mdFloat: {
      for (char c : Text)
        if (!radixDigit(c) && c != '-' && c != FDecimalSeparator) return false;
      // One sign, in front, and one decimal separator.
      AnsiString value = result;
      const AnsiString suffixText = DisplayedSuffix();
      if (!suffixText.empty() && value.size() >= suffixText.size() &&
          value.compare(value.size() - suffixText.size(), suffixText.size(), suffixText) == 0)
        value.resize(value.size() - suffixText.size());
      return value.find('-', 1) == AnsiString::npos && std::count(value.begin(), value.end(), FDecimalSeparator) <= 1;
    }
    case mdMask: {
      const auto positions = ParseMask();
      if (result.size() != positions.size()) return false;
      for (std::size_t i = 0; i < positions.size(); ++i)
        if (result[i] != FBlankChar && !FitsPosition(positions[i], Integer(i + 1), result[i])) return false;
      return true;
    }
    default: return true;
  }
}

// --- The mask --------------------------------------------------------------------------------------

std::vector<TVisCustomMaskEdit::MaskPosition> TVisCustomMaskEdit::ParseMask() const {
  std::vector<MaskPosition> positions;
  bool required = false;
  for (std::size_t i = 0; i < FMask.size(); ++i) {
    char c = FMask[i];
    if (c == '!') {
      required = true;
      continue;
    }
    if (c == '\\' && i + 1 < FMask.size()) {
      positions.push_back({0, FMask[++i], required});
    } else if (std::strchr(kMaskClasses, c)) {
      positions.push_back({c, c, required});
    } else {
      positions.push_back({0, c, required});
    }
    required = false;
  }
  return positions;
}

AnsiString TVisCustomMaskEdit::EmptyMaskText() const {
  AnsiString text;
  for (const MaskPosition& position : ParseMask()) text += position.Class ? FBlankChar : position.Literal;
  return text;
}

bool TVisCustomMaskEdit::FitsPosition(const MaskPosition& Position, Integer Index, char Char) {
  const auto letter = [](char c) { return ::IsCharAlphaA(c) != 0; };
  switch (Position.Class) {
    case 0: return Char == Position.Literal;
    case 'a': return ::IsCharLowerA(Char) != 0;
    case 'A': return ::IsCharUpperA(Char) != 0;
    case 'b': return letter(Char);
    case '0': return IsDigit(Char);
    case '9': return Char >= '1' && Char <= '9';
    case 'c': return ::IsCharAlphaNumericA(Char) != 0;
    case 'r': {
      bool accept = false;
      if (OnCustomChar) OnCustomChar(this, accept, Index, Char);
      return accept;
    }
    case 'v': return Char == '+' || Char == '-';
    case '1': return Char == '0' || Char == '1';
    case '8': return IsDigit(Char) || Char == ' ';
    case '#': return IsDigit(Char) || Char == '+' || Char == '-';
    case '*': return (Char >= '1' && Char <= '9') || Char == '+' || Char == '-';
    default: return false;
  }
}

void TVisCustomMaskEdit::MaskDelete(bool Backspace) {
  const auto positions = ParseMask();
  const Integer length = Integer(GetEditText().size());
  if (GetSelLength() <= 0) {
    const Integer at = Backspace ? GetCaretIndex() - 1 : GetCaretIndex();
    if (at < 1 || at > std::min(length, Integer(positions.size()))) return;
    SetSelStart(at);
    SetSelLength(1);
  }
  const Integer start = GetSelStart();
  // The places emptied: the blank at a placeholder, the literal elsewhere.
  AnsiString emptied;
  for (Integer i = start; i < start + GetSelLength() && i <= length; ++i)
    emptied += i <= Integer(positions.size()) && positions[i - 1].Class == 0 ? positions[i - 1].Literal : FBlankChar;
  ReplaceSelection(emptied);
  SetCaretIndex(start);
}

// --- Date fields -------------------------------------------------------------------------------------

void TVisCustomMaskEdit::SelectDateField() {
  const AnsiString& text = GetEditText();
  const Integer caret = GetCaretIndex();
  const Integer start = FDateFormat->FieldStart(caret, text);
  if (start < 1) return;
  const Integer width = FDateFormat->FieldWidth(caret, text);
  MoveCaretQuietly(start);
  SetSelStart(start);
  SetSelLength(width);
  PaintText(-1);
  CaretMoved();
}

void TVisCustomMaskEdit::StepDateField(Integer Step) {
  const AnsiString text = GetEditText();
  const Integer caret = GetCaretIndex();
  const Integer kind = FDateFormat->FieldKind(caret, text);
  TDateTime date = GetAsDate();
  Word year, month, day;
  DecodeDate(date, year, month, day);
  if (kind == 1 || kind == 2) {
    date += Step;
  } else if (kind >= 11 && kind <= 14) {
    Integer next = month + Step;
    if (next == 13) next = 1;
    if (next == 0) next = 12;
    date = EncodeDate(year, Word(next), day);
  } else if (kind >= 21 && kind <= 24) {
    date = EncodeDate(Word(year + Step), month, day);
  } else {
    return;
  }
  ShowValueText(FDateFormat->FormatDateFields(date));
  MoveCaretQuietly(caret);
  SelectDateField();
}

void TVisCustomMaskEdit::TypeDateChar(char Key) {
  if (Key == DateSeparator) return;
  const AnsiString text = GetEditText();
  const Integer at = GetSelLength() > 0 ? GetSelStart() : GetCaretIndex();
  const Integer k = FDateFormat->FieldAt(at, text);
  if (k < 1) return;
  const TVisDateField field = FDateFormat->LocateField(k, text);
  if (k != FDateField) {
    FDateField = k;
    FDateTyped = 0;
    FDateBuffer.clear();
  }
  // Four characters typed into one field start it afresh.
  if (FDateTyped >= 4) {
    FDateTyped = 0;
    FDateBuffer.clear();
  }
  const Integer code = field.Code;
  const bool day = code == 1 || code == 2;
  const bool monthNumber = code == 11 || code == 12;
  const bool monthName = code == 13 || code == 14;
  const bool year = code >= 21 && code <= 24;
  AnsiString fieldText;
  Integer slot = 0;
  bool complete = false;
  if (day || monthNumber || year) {
    if (!IsDigit(Key)) return;
    FDateBuffer += Key;
    ++FDateTyped;
    if (year) {
      const std::size_t width = code == 22 ? 2 : 4;
      if (FDateBuffer.size() > width) FDateBuffer = FDateBuffer.substr(FDateBuffer.size() - width);
      fieldText = AnsiString(width - FDateBuffer.size(), '0') + FDateBuffer;
      complete = FDateBuffer.size() == width;
      slot = field.End - field.Start;
    } else {
      // A first digit that no two-digit day or month begins with completes the field at once.
      if (FDateBuffer.size() == 1 && ((day && Key > '3') || (monthNumber && Key > '1'))) FDateBuffer.insert(0, "0");
      complete = FDateBuffer.size() >= 2;
      const bool twoDigits = code == 2 || code == 12;
      if (twoDigits)
        fieldText = FDateBuffer.size() == 1 ? "0" + FDateBuffer : FDateBuffer;
      else
        fieldText = TVisDateFormat::PadField(IntToStr(StrToInt(FDateBuffer)), 2);
      slot = 2;
    }
  } else if (monthName) {
    const AnsiString* names = code == 13 ? ShortMonthNames : LongMonthNames;
    const AnsiString typed = AnsiUpperCase(FDateBuffer + Key);
    std::size_t longest = 0;
    Integer first = 0, matches = 0;
    for (Integer m = 1; m <= 12; ++m) {
      longest = std::max(longest, names[m].size());
      if (AnsiUpperCase(names[m]).compare(0, typed.size(), typed) == 0) {
        if (!first) first = m;
        ++matches;
      }
    }
    if (!first) return;
    FDateBuffer += Key;
    ++FDateTyped;
    fieldText = TVisDateFormat::PadField(names[first], Integer(longest));
    complete = matches == 1;
    slot = Integer(longest);
  } else {
    return;
  }
  slot = std::min(slot, Integer(text.size()) + 1 - field.Start);
  MoveCaretQuietly(field.Start);
  SetSelStart(field.Start);
  SetSelLength(std::max(slot, 0));
  ReplaceSelection(fieldText);
  const AnsiString& now = GetEditText();
  const TVisDateField typed = FDateFormat->LocateField(k, now);
  if (complete) {
    FDateTyped = 0;
    FDateBuffer.clear();
    const Integer next = FDateFormat->NextFieldStart(typed.Start, now);
    MoveCaretQuietly(next);
    SelectDateField();
  } else {
    MoveCaretQuietly(monthName ? field.Start + Integer(FDateBuffer.size()) : typed.End);
    SetSelStart(GetCaretIndex());
    CaretMoved();
  }
}
