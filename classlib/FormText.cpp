#include "classlib/FormText.h"

#include <charconv>
#include <type_traits>
#include <clocale>
#include <cstdlib>
#include <cstring>

#include "classlib/Components.h"
#include "classlib/Filer.h"
#include "classlib/Handles.h"
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"

namespace {

bool IsIdentStart(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(unsigned char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }


// ---------------------------------------------------------------------------------------------
// Numbers in text: the shortest digits that give the same value back, laid out as the class
// library's general float format (fixed point unless the exponent is beyond 15 digits or the
// value is below 0.0001), always with "." as the decimal separator.

template <class F>
AnsiString FloatText(F value) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
  if (sci == "inf") return "INF";
  if (sci == "-inf") return "-INF";
  if (sci.find("nan") != std::string_view::npos) return "NAN";
  AnsiString sign;
  if (!sci.empty() && sci[0] == '-') {
    sign = "-";
    sci.remove_prefix(1);
  }
  std::size_t e = sci.find('e');
  AnsiString digits;
  for (char c : sci.substr(0, e))
    if (c != '.') digits += c;
  int exp10 = 0;
  std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exp10);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  if (digits == "0") return sign + "0";
  // value = 0.digits * 10^point
  const int point = exp10 + 1;
  const int n = static_cast<int>(digits.size());
  AnsiString out = sign;
  if (point > 15 || point < -3) {
    out += digits[0];
    if (n > 1) out += "." + digits.substr(1);
    out += "E" + IntToStr(point - 1);
  } else if (point <= 0) {
    out += "0." + AnsiString(static_cast<std::size_t>(-point), '0') + digits;
  } else if (point >= n) {
    out += digits + AnsiString(static_cast<std::size_t>(point - n), '0');
  } else {
    out += digits.substr(0, static_cast<std::size_t>(point)) + "." + digits.substr(static_cast<std::size_t>(point));
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Binary to text

class BinaryToText {
public:
  BinaryToText(TStream* input, AnsiString& out) : out_(out) {
    // The whole rest of the input is taken; what is not used is given back at the end.
    const Int64 rest = input->GetSize() - input->GetPosition();
    if (rest > 0) {
      data_.resize(static_cast<std::size_t>(rest));
      data_.resize(static_cast<std::size_t>(input->Read(data_.data(), static_cast<Integer>(rest))));
    }
  }

  void Run() {
    char signature[4];
    Bytes(signature, 4);
    if (std::memcmp(signature, "TPF0", 4) != 0) throw EReadError("Invalid stream format");
    ConvertObject(false);
  }

  Int64 Unused() const { return static_cast<Int64>(data_.size() - pos_); }

private:
  Byte Next() {
    if (pos_ >= data_.size()) throw EReadError("Stream read error");
    return static_cast<Byte>(data_[pos_]);
  }
  Byte ReadByte() {
    Byte b = Next();
    ++pos_;
    return b;
  }
  void Bytes(void* to, std::size_t n) {
    if (data_.size() - pos_ < n) throw EReadError("Stream read error");
    std::memcpy(to, data_.data() + pos_, n);
    pos_ += n;
  }
  template <class T>
  T Value() {
    T v;
    Bytes(&v, sizeof v);
    return v;
  }
  AnsiString Str() {
    Byte n = ReadByte();
    AnsiString s(n, '\0');
    Bytes(s.data(), n);
    return s;
  }
  Integer Count() {
    Integer n = Value<Integer>();
    if (n < 0) throw EReadError("Invalid property value");
    return n;
  }

  void Put(std::string_view s) { out_ += s; }
  void Indent() { out_.append(static_cast<std::size_t>(2 * level_), ' '); }
  void NewLine() {
    Put("\r\n");
    Indent();
  }

  // A component may stand where a value is expected (components written inside a list):
  // its header is a prefix byte, or a short string naming a registered component class.
  bool ComponentAhead() {
    if (pos_ >= data_.size()) return false;
    const Byte b = static_cast<Byte>(data_[pos_]);
    if ((b & 0xF0) == 0xF0) return true;
    if (b == 0 || data_.size() - pos_ <= b) return false;
    std::string_view name(data_.data() + pos_ + 1, b);
    if (!IsIdentStart(static_cast<unsigned char>(name[0]))) return false;
    for (char c : name)
      if (!IsIdentChar(static_cast<unsigned char>(c))) return false;
    TClass cls = GetClass(AnsiString(name));
    return cls && cls->InheritsFrom(TComponent::StaticClass());
  }

  void ConvertHeader(bool inValue) {
    TFilerFlags flags;
    Integer childPos = 0;
    if ((Next() & 0xF0) == 0xF0) {
      flags = TFilerFlags::FromBits(ReadByte() & 0x0F);
      if (flags.Contains(ffChildPos)) childPos = ReadInteger();
    }
    AnsiString className = Str();
    AnsiString objectName = Str();
    if (!inValue) Indent();
    Put(flags.Contains(ffInherited) ? "inherited " : flags.Contains(ffInline) ? "inline " : "object ");
    if (!objectName.empty()) {
      Put(objectName);
      Put(": ");
    }
    Put(className);
    if (flags.Contains(ffChildPos)) {
      Put(" [");
      Put(IntToStr(childPos));
      Put("]");
    }
    Put("\r\n");
  }

  void ConvertObject(bool inValue) {
    ConvertHeader(inValue);
    ++level_;
    while (Next() != vaNull) ConvertProperty();
    ReadByte();
    while (Next() != vaNull) ConvertObject(false);
    ReadByte();
    --level_;
    Indent();
    Put(inValue ? "end" : "end\r\n");
  }

  // A raw property may hold several values one after the other; they go on one line.
  void ConvertProperty() {
    Indent();
    propName_ = Str();
    Put(propName_);
    Put(" = ");
    ConvertValue();
    while (ValueAhead()) {
      Put(" ");
      ConvertValue();
    }
    Put("\r\n");
  }

  // Whether a value rather than the next property name (or the end of the list) follows.
  bool ValueAhead() {
    if (Next() == vaNull) return false;
    if (ComponentAhead()) return true;
    const Byte n = Next();
    if (data_.size() - pos_ <= n || !IsIdentStart(static_cast<unsigned char>(data_[pos_ + 1]))) return true;
    for (std::size_t i = 1; i <= n; ++i) {
      const unsigned char c = static_cast<unsigned char>(data_[pos_ + i]);
      if (!IsIdentChar(c) && c != '.') return true;
    }
    return false;
  }

  Integer ReadInteger() {
    switch (ReadByte()) {
      case vaInt8: return Value<std::int8_t>();
      case vaInt16: return Value<std::int16_t>();
      case vaInt32: return Value<std::int32_t>();
      default: throw EReadError("Invalid property value");
    }
  }

  // A string as quoted runs of plain characters and #nn codes for the others, in pieces of at
  // most 64 characters joined by " +" at line ends. The 8-bit form writes every character from
  // a blank up between quotes; the wide form only ASCII ones, so that codes of 128 and more mark
  // a wide string when the text is read back.
  template <class S>
  void ConvertChars(const S& s) {
    using C = typename S::value_type;
    auto plain = [](C c) {
      const auto code = static_cast<std::make_unsigned_t<C>>(c);
      return code >= ' ' && code != '\'' && (sizeof(C) == 1 || code <= 127);
    };
    const std::size_t n = s.size();
    if (n == 0) {
      Put("''");
      return;
    }
    constexpr std::size_t kLineLength = 64;
    ++level_;
    if (n > kLineLength) NewLine();
    std::size_t i = 0, lineStart = 0;
    while (i < n) {
      bool lineBreak = false;
      if (plain(s[i])) {
        std::size_t j = i;
        do
          ++i;
        while (i < n && plain(s[i]) && i - lineStart < kLineLength);
        if (i - lineStart >= kLineLength) lineBreak = true;
        Put("'");
        for (; j < i; ++j) out_ += static_cast<char>(s[j]);
        Put("'");
      } else {
        Put("#");
        Put(IntToStr(static_cast<std::make_unsigned_t<C>>(s[i])));
        ++i;
        if (i - lineStart >= kLineLength) lineBreak = true;
      }
      if (lineBreak && i < n) {
        Put(" +");
        NewLine();
        lineStart = i;
      }
    }
    --level_;
  }

  void ConvertBinary() {
    constexpr Integer kBytesPerLine = 32;
    static const char hex[] = "0123456789ABCDEF";
    Integer count = Count();
    Put("{");
    ++level_;
    const bool multiLine = count >= kBytesPerLine;
    while (count > 0) {
      if (multiLine) NewLine();
      Integer n = count < kBytesPerLine ? count : kBytesPerLine;
      for (Integer k = 0; k < n; ++k) {
        Byte b = ReadByte();
        out_ += hex[b >> 4];
        out_ += hex[b & 15];
      }
      count -= n;
    }
    --level_;
    Put("}");
  }

  void ConvertValue() {
    if (ComponentAhead()) {
      ConvertObject(true);
      return;
    }
    const Byte type = ReadByte();
    switch (type) {
      case vaList:
        Put("(");
        ++level_;
        while (Next() != vaNull) {
          NewLine();
          ConvertValue();
        }
        ReadByte();
        --level_;
        Put(")");
        break;
      case vaInt8: Put(IntToStr(Value<std::int8_t>())); break;
      case vaInt16: Put(IntToStr(Value<std::int16_t>())); break;
      case vaInt32: Put(IntToStr(Value<std::int32_t>())); break;
      case vaInt64: Put(IntToStr(Value<Int64>())); break;
      case vaExtended: {
        Extended v = 0;
        Bytes(&v, 10);
        AnsiString text = FloatText(v);
        // A float that looks like an integer is marked as a float, so that it reads back as one.
        if (text.find_first_of(".EN") == AnsiString::npos) text += ".0";
        Put(text);
        break;
      }
      case vaSingle: Put(FloatText(Value<float>()) + "s"); break;
      case vaDate: Put(FloatText(Value<double>()) + "d"); break;
      case vaCurrency: Put(IntToStr(Value<Int64>()) + "c"); break;
      case vaString: {
        Byte n = ReadByte();
        AnsiString s(n, '\0');
        Bytes(s.data(), n);
        ConvertChars(s);
        break;
      }
      case vaLString: {
        Integer n = Count();
        AnsiString s(static_cast<std::size_t>(n), '\0');
        Bytes(s.data(), static_cast<std::size_t>(n));
        ConvertChars(s);
        break;
      }
      case vaWString: {
        Integer n = Count();
        WideString s(static_cast<std::size_t>(n), L'\0');
        Bytes(s.data(), static_cast<std::size_t>(n) * 2);
        ConvertChars(s);
        break;
      }
      case vaIdent: Put(Str()); break;
      case vaFalse: Put("False"); break;
      case vaTrue: Put("True"); break;
      case vaNil: Put("nil"); break;
      case vaNull: Put("Null"); break;
      case vaBinary: ConvertBinary(); break;
      case vaSet: {
        Put("[");
        for (int i = 0;; ++i) {
          AnsiString s = Str();
          if (s.empty()) break;
          if (i > 0) Put(", ");
          Put(s);
        }
        Put("]");
        break;
      }
      case vaCollection:
        Put("<");
        ++level_;
        while (Next() != vaNull) {
          NewLine();
          Put("item");
          Byte t = Next();
          if (t == vaInt8 || t == vaInt16 || t == vaInt32) {
            Put(" [");
            Put(IntToStr(ReadInteger()));
            Put("]");
          }
          Put("\r\n");
          if (ReadByte() != vaList) throw EReadError("Invalid property value");
          ++level_;
          while (Next() != vaNull) ConvertProperty();
          ReadByte();
          --level_;
          Indent();
          Put("end");
        }
        ReadByte();
        --level_;
        Put(">");
        break;
      default:
        throw EReadError("Error reading property " + propName_ + ": unknown value type " + IntToStr(type));
    }
  }

  std::string data_;
  std::size_t pos_ = 0;
  AnsiString& out_;
  int level_ = 0;
  AnsiString propName_;
};

// ---------------------------------------------------------------------------------------------
// Text to binary

enum Token { toEOF, toSymbol, toString, toWString, toInteger, toFloat, toChar };

// Reads tokens from a stream, loading it in blocks as far as needed; Finish gives back what
// was loaded but not used.
class Parser {
public:
  explicit Parser(TStream* input) : input_(input) { NextToken(); }

  Token token() const { return token_; }
  char tokenChar() const { return tokenChar_; }
  const AnsiString& tokenString() const { return text_; }
  const WideString& tokenWide() const { return wide_; }
  char floatType() const { return floatType_; }
  int line() const { return line_; }

  [[noreturn]] void Error(const AnsiString& message) const {
    throw EParserError(message + " on line " + IntToStr(line_));
  }

  bool Is(char c) const { return token_ == toChar && tokenChar_ == c; }
  bool SymbolIs(std::string_view s) const { return token_ == toSymbol && CompareText(text_, s) == 0; }

  void CheckChar(char c) const {
    if (!Is(c)) Error(AnsiString("'") + c + "' expected");
  }
  void CheckSymbol() const {
    if (token_ != toSymbol) Error("Identifier expected");
  }
  void CheckSymbol(std::string_view s) const {
    if (!SymbolIs(s)) Error(AnsiString(s) + " expected");
  }

  Int64 TokenInt() const {
    if (token_ != toInteger) Error("Number expected");
    return intValue_;
  }

  // Whether the current symbol starts a property: its dotted path is followed by "=".
  bool SymbolStartsProperty() {
    if (token_ != toSymbol) return false;
    std::size_t k = 0;
    auto blanks = [&] {
      while (Peek(k) != '\0' && static_cast<unsigned char>(Peek(k)) <= ' ') ++k;
    };
    blanks();
    while (Peek(k) == '.') {
      ++k;
      blanks();
      if (!IsIdentStart(static_cast<unsigned char>(Peek(k)))) return false;
      while (IsIdentChar(static_cast<unsigned char>(Peek(k)))) ++k;
      blanks();
    }
    return Peek(k) == '=';
  }

  // The current symbol with any ".Name" parts that follow it directly (component references).
  AnsiString TokenComponentIdent() {
    CheckSymbol();
    AnsiString result = text_;
    while (Peek(0) == '.') {
      ++pos_;
      if (!IsIdentStart(static_cast<unsigned char>(Peek(0)))) Error("Identifier expected");
      result += '.';
      while (IsIdentChar(static_cast<unsigned char>(Peek(0)))) result += data_[pos_++];
    }
    return result;
  }

  // The bytes of a hexadecimal block: the current token is "{"; reads up to and including "}".
  std::string ReadBinary() {
    std::string bytes;
    for (;;) {
      SkipBlanks();
      char c = Peek(0);
      if (c == '}') {
        ++pos_;
        break;
      }
      int hi = HexDigit(c), lo = HexDigit(Peek(1));
      if (hi < 0 || lo < 0) Error("Invalid binary value");
      bytes += static_cast<char>(hi * 16 + lo);
      pos_ += 2;
    }
    NextToken();
    return bytes;
  }

  // The value of a float token, or of an integer token where a float is wanted, parsed in
  // the precision it is stored in (F is float, double or long double).
  template <class F>
  F TokenFloat() const {
    if (token_ == toInteger) return static_cast<F>(intValue_);
    if (token_ != toFloat) Error("Number expected");
    // The C library reads with the locale's decimal point; the text always has ".".
    AnsiString digits = text_;
    const char point = *std::localeconv()->decimal_point;
    for (char& c : digits)
      if (c == '.') c = point;
    char* end = nullptr;
    F v;
    if constexpr (std::is_same_v<F, float>)
      v = std::strtof(digits.c_str(), &end);
    else if constexpr (std::is_same_v<F, double>)
      v = std::strtod(digits.c_str(), &end);
    else
      v = std::strtold(digits.c_str(), &end);
    if (digits.empty() || end != digits.c_str() + digits.size())
      Error("Invalid floating point value '" + text_ + "'");
    return v;
  }

  // A currency token's value times 10000: the digits themselves when they have no fraction.
  Int64 TokenCurrency() const {
    Int64 v = 0;
    auto r = std::from_chars(text_.data(), text_.data() + text_.size(), v);
    if (r.ec == std::errc() && r.ptr == text_.data() + text_.size()) return v;
    const Extended f = TokenFloat<Extended>();
    return static_cast<Int64>(f + (f < 0 ? -0.5L : 0.5L));
  }

  void NextToken() {
    SkipBlanks();
    const char c = Peek(0);
    text_.clear();
    floatType_ = 0;
    if (c == '\0' && AtEnd()) {
      token_ = toEOF;
    } else if (IsIdentStart(static_cast<unsigned char>(c))) {
      while (IsIdentChar(static_cast<unsigned char>(Peek(0)))) text_ += data_[pos_++];
      token_ = toSymbol;
    } else if (c == '\'' || c == '#') {
      ReadStringToken();
    } else if (c == '$') {
      ++pos_;
      Int64 v = 0;
      int digits = 0;
      for (int d; (d = HexDigit(Peek(0))) >= 0; ++pos_, ++digits) {
        if (v > (INT64_MAX >> 4)) Error("Number expected");
        v = v * 16 + d;
      }
      if (digits == 0) Error("Number expected");
      intValue_ = v;
      token_ = toInteger;
    } else if (c == '-' || (c >= '0' && c <= '9')) {
      text_ += data_[pos_++];
      while (Peek(0) >= '0' && Peek(0) <= '9') text_ += data_[pos_++];
      token_ = toInteger;
      for (char d = Peek(0); (d >= '0' && d <= '9') || d == '.' || d == 'e' || d == 'E' || d == '+' || d == '-';
           d = Peek(0)) {
        text_ += data_[pos_++];
        token_ = toFloat;
      }
      char s = Peek(0);
      if (s == 'c' || s == 'C' || s == 'd' || s == 'D' || s == 's' || s == 'S') {
        floatType_ = static_cast<char>(s | 0x20);
        ++pos_;
        token_ = toFloat;
      }
      if (token_ == toInteger) {
        auto r = std::from_chars(text_.data(), text_.data() + text_.size(), intValue_);
        if (r.ec != std::errc() || r.ptr != text_.data() + text_.size()) Error("Number expected");
      }
    } else {
      tokenChar_ = c;
      ++pos_;
      token_ = toChar;
    }
  }

  // Gives back to the input what was loaded beyond the last token read and the blanks after it.
  void Finish() {
    SkipBlanks();
    input_->Seek(-static_cast<Int64>(data_.size() - pos_), soCurrent);
  }

private:
  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  }

  bool Load() {
    if (eof_) return false;
    char block[4096];
    Integer n = input_->Read(block, sizeof block);
    if (n <= 0) {
      eof_ = true;
      return false;
    }
    data_.append(block, static_cast<std::size_t>(n));
    return true;
  }
  // The character k places ahead; NUL at the end of the input.
  char Peek(std::size_t k) {
    while (pos_ + k >= data_.size())
      if (!Load()) return '\0';
    return data_[pos_ + k];
  }
  bool AtEnd() {
    while (pos_ >= data_.size())
      if (!Load()) return true;
    return false;
  }
  void SkipBlanks() {
    for (;;) {
      char c = Peek(0);
      if (c == '\0' || static_cast<unsigned char>(c) > ' ') return;
      if (c == '\n') ++line_;
      ++pos_;
    }
  }

  // Quoted pieces and #nn codes written one after the other make one string. A code of 128 or
  // more makes it a wide string (the 8-bit writer puts such characters between the quotes).
  void ReadStringToken() {
    std::string bytes;
    struct Piece {
      bool code;
      std::size_t from, to;
      unsigned value;
    };
    std::vector<Piece> pieces;
    bool wide = false;
    for (;;) {
      char c = Peek(0);
      if (c == '\'') {
        ++pos_;
        std::size_t from = bytes.size();
        for (;;) {
          char d = Peek(0);
          if (d == '\0' || d == '\r' || d == '\n') Error("Unterminated string");
          ++pos_;
          if (d == '\'') {
            if (Peek(0) != '\'') break;
            ++pos_;
          }
          bytes += d;
        }
        pieces.push_back({false, from, bytes.size(), 0});
      } else if (c == '#') {
        ++pos_;
        unsigned v = 0;
        int digits = 0;
        if (Peek(0) == '$') {
          ++pos_;
          for (int d; (d = HexDigit(Peek(0))) >= 0; ++pos_, ++digits) v = v * 16 + static_cast<unsigned>(d);
        } else {
          for (; Peek(0) >= '0' && Peek(0) <= '9'; ++pos_, ++digits) v = v * 10 + static_cast<unsigned>(Peek(0) - '0');
        }
        if (digits == 0 || v > 0xFFFF) Error("Invalid string constant");
        if (v >= 128) wide = true;
        pieces.push_back({true, 0, 0, v});
      } else {
        break;
      }
    }
    text_.clear();
    wide_.clear();
    if (wide) {
      for (const Piece& p : pieces)
        if (p.code)
          wide_ += static_cast<WideChar>(p.value);
        else
          wide_ += AnsiToWide(std::string_view(bytes).substr(p.from, p.to - p.from));
      token_ = toWString;
    } else {
      for (const Piece& p : pieces)
        if (p.code)
          text_ += static_cast<char>(p.value);
        else
          text_.append(bytes, p.from, p.to - p.from);
      token_ = toString;
    }
  }

  TStream* input_;
  std::string data_;
  std::size_t pos_ = 0;
  bool eof_ = false;
  int line_ = 1;
  Token token_ = toEOF;
  char tokenChar_ = 0;
  AnsiString text_;
  WideString wide_;
  Int64 intValue_ = 0;
  char floatType_ = 0;
};

class TextToBinary {
public:
  TextToBinary(Parser& parser, TWriter& writer) : p_(parser), w_(writer) {}

  void Run() {
    w_.WriteSignature();
    ConvertObject(true);
  }

private:
  static bool ObjectKeyword(const Parser& p) {
    return p.SymbolIs("object") || p.SymbolIs("inherited") || p.SymbolIs("inline");
  }

  Integer OrderModifier() {
    if (!p_.Is('[')) return -1;
    p_.NextToken();
    Int64 v = p_.TokenInt();
    p_.NextToken();
    p_.CheckChar(']');
    p_.NextToken();
    return static_cast<Integer>(v);
  }

  // The outermost object stops right after its "end": whatever follows is not part of it.
  void ConvertObject(bool outermost) {
    TFilerFlags flags;
    if (p_.SymbolIs("inherited"))
      flags << ffInherited;
    else if (p_.SymbolIs("inline"))
      flags << ffInline;
    else
      p_.CheckSymbol("OBJECT");
    p_.NextToken();
    p_.CheckSymbol();
    AnsiString className = p_.tokenString(), objectName;
    p_.NextToken();
    if (p_.Is(':')) {
      p_.NextToken();
      p_.CheckSymbol();
      objectName = className;
      className = p_.tokenString();
      p_.NextToken();
    }
    Integer position = OrderModifier();
    if (position >= 0) flags << ffChildPos;
    w_.WritePrefix(flags, position);
    w_.WriteStr(className);
    w_.WriteStr(objectName);
    while (!p_.SymbolIs("end") && !ObjectKeyword(p_)) ConvertProperty();
    w_.WriteListEnd();
    while (!p_.SymbolIs("end")) ConvertObject(false);
    w_.WriteListEnd();
    if (!outermost) p_.NextToken();
  }

  void ConvertProperty() {
    p_.CheckSymbol();
    AnsiString name = p_.tokenString();
    p_.NextToken();
    while (p_.Is('.')) {
      p_.NextToken();
      p_.CheckSymbol();
      name += "." + p_.tokenString();
      p_.NextToken();
    }
    w_.WriteStr(name);
    p_.CheckChar('=');
    p_.NextToken();
    ConvertValue();
    while (ValueFollows()) ConvertValue();
  }

  // After a property's value: whether another value of the same property follows (a raw
  // property may write several), rather than the next property, an object or "end".
  bool ValueFollows() {
    switch (p_.token()) {
      case toEOF: return false;
      case toChar: return !p_.Is(')') && !p_.Is('>') && !p_.Is(']');
      case toSymbol: return !p_.SymbolIs("end") && !ObjectKeyword(p_) && !p_.SymbolStartsProperty();
      default: return true;
    }
  }

  void ConvertString() {
    AnsiString text;
    WideString wide;
    bool isWide = false;
    for (;;) {
      if (p_.token() == toWString) {
        if (!isWide) wide = AnsiToWide(text);
        isWide = true;
        wide += p_.tokenWide();
      } else if (p_.token() == toString) {
        if (isWide)
          wide += AnsiToWide(p_.tokenString());
        else
          text += p_.tokenString();
      } else {
        p_.Error("String expected");
      }
      p_.NextToken();
      if (!p_.Is('+')) break;
      p_.NextToken();
    }
    if (isWide)
      w_.WriteWideString(wide);
    else
      w_.WriteString(text);
  }

  void ConvertValue() {
    switch (p_.token()) {
      case toString:
      case toWString:
        ConvertString();
        return;
      case toSymbol:
        if (ObjectKeyword(p_)) {
          ConvertObject(false);
          return;
        }
        w_.WriteIdent(p_.TokenComponentIdent());
        break;
      case toInteger:
        w_.WriteInteger(p_.TokenInt());
        break;
      case toFloat:
        switch (p_.floatType()) {
          case 's': w_.WriteSingle(p_.TokenFloat<float>()); break;
          case 'd': w_.WriteDate(p_.TokenFloat<double>()); break;
          case 'c': {
            Int64 raw = p_.TokenCurrency();
            w_.WriteValue(vaCurrency);
            w_.Write(&raw, 8);
            break;
          }
          default: w_.WriteFloat(p_.TokenFloat<Extended>()); break;
        }
        break;
      case toChar:
        switch (p_.tokenChar()) {
          case '[':
            p_.NextToken();
            w_.WriteValue(vaSet);
            if (!p_.Is(']'))
              for (;;) {
                if (p_.token() == toInteger)
                  w_.WriteStr(IntToStr(p_.TokenInt()));
                else {
                  p_.CheckSymbol();
                  w_.WriteStr(p_.tokenString());
                }
                p_.NextToken();
                if (p_.Is(']')) break;
                p_.CheckChar(',');
                p_.NextToken();
              }
            w_.WriteStr(AnsiString());
            break;
          case '(':
            p_.NextToken();
            w_.WriteListBegin();
            while (!p_.Is(')')) {
              if (p_.token() == toEOF) p_.CheckChar(')');
              ConvertValue();
            }
            w_.WriteListEnd();
            break;
          case '{': {
            std::string bytes = p_.ReadBinary();
            w_.WriteValue(vaBinary);
            Integer n = static_cast<Integer>(bytes.size());
            w_.Write(&n, 4);
            w_.Write(bytes.data(), n);
            return;  // ReadBinary has moved to the next token
          }
          case '<':
            p_.NextToken();
            w_.WriteValue(vaCollection);
            while (!p_.Is('>')) {
              p_.CheckSymbol("item");
              p_.NextToken();
              Integer order = OrderModifier();
              if (order != -1) w_.WriteInteger(order);
              w_.WriteListBegin();
              while (!p_.SymbolIs("end")) ConvertProperty();
              w_.WriteListEnd();
              p_.NextToken();
            }
            w_.WriteListEnd();
            break;
          default:
            p_.Error("Invalid property value");
        }
        break;
      default:
        p_.Error("Invalid property value");
    }
    p_.NextToken();
  }

  Parser& p_;
  TWriter& w_;
};

}  // namespace

void ObjectBinaryToText(TStream* Input, TStream* Output) {
  AnsiString text;
  BinaryToText converter(Input, text);
  {
    // What the converter read ahead goes back to the input, whether it finished or not.
    ScopeExit giveBack([&] { Input->Seek(-converter.Unused(), soCurrent); });
    converter.Run();
  }
  Output->WriteBuffer(text.data(), static_cast<Integer>(text.size()));
}

void ObjectTextToBinary(TStream* Input, TStream* Output) {
  Parser parser(Input);
  TMemoryStream binary;
  TWriter writer(&binary);
  TextToBinary(parser, writer).Run();
  parser.Finish();
  Output->WriteBuffer(binary.GetMemory(), static_cast<Integer>(binary.GetSize()));
}
