// The Delphi-style string routines that ported code relies on: 1-based positions, clamping of
// out-of-range arguments, a 256-bit character set, and conversions between 8-bit text in a
// code page and UTF-16.
//
// Positions are 1-based everywhere in this unit. Characters compare as unsigned bytes: use
// Ord(c) (0..255) or a TCharSet rather than comparing a plain char against a value above 127.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "classlib/System.h"

// --- Characters -----------------------------------------------------------------------------

constexpr Byte Ord(AnsiChar c) noexcept { return static_cast<Byte>(c); }
constexpr Word Ord(WideChar c) noexcept { return static_cast<Word>(c); }
constexpr AnsiChar Chr(Byte b) noexcept { return static_cast<AnsiChar>(b); }

// Upper case of an ASCII letter; every other character unchanged.
constexpr AnsiChar UpCase(AnsiChar c) noexcept { return (c >= 'a' && c <= 'z') ? static_cast<AnsiChar>(c - 32) : c; }
constexpr WideChar UpCase(WideChar c) noexcept {
  return (c >= L'a' && c <= L'z') ? static_cast<WideChar>(c - 32) : c;
}

// --- 1-based string routines ----------------------------------------------------------------

inline Integer Length(const AnsiString& s) noexcept { return static_cast<Integer>(s.size()); }
inline Integer Length(const WideString& s) noexcept { return static_cast<Integer>(s.size()); }
inline Integer Length(const char* s) noexcept { return s ? static_cast<Integer>(std::strlen(s)) : 0; }
inline void SetLength(AnsiString& s, Integer n) { s.resize(n > 0 ? static_cast<std::size_t>(n) : 0); }
inline void SetLength(WideString& s, Integer n) { s.resize(n > 0 ? static_cast<std::size_t>(n) : 0); }

// Position of the first occurrence of sub in s, 0 when absent or when sub is empty.
Integer Pos(std::string_view sub, std::string_view s) noexcept;
Integer Pos(std::wstring_view sub, std::wstring_view s) noexcept;
Integer Pos(AnsiChar c, std::string_view s) noexcept;
// As Pos, starting the search at position offset; 0 when offset is outside 1..Length(s).
Integer PosEx(std::string_view sub, std::string_view s, Integer offset = 1) noexcept;
Integer PosEx(std::wstring_view sub, std::wstring_view s, Integer offset = 1) noexcept;

// count characters from position index. An index below 1 counts as 1; an index past the end or
// a count below 1 gives an empty string; the count is cut at the end of s.
AnsiString Copy(std::string_view s, Integer index, Integer count);
WideString Copy(std::wstring_view s, Integer index, Integer count);
// Removes count characters from position index; nothing when index is outside 1..Length(s) or
// count is below 1.
void Delete(AnsiString& s, Integer index, Integer count);
void Delete(WideString& s, Integer index, Integer count);
// Inserts source before position index; an index below 1 inserts at the start, one past the
// end appends.
void Insert(std::string_view source, AnsiString& s, Integer index);
void Insert(std::wstring_view source, WideString& s, Integer index);

AnsiString StringOfChar(AnsiChar c, Integer count);
WideString StringOfChar(WideChar c, Integer count);
// s repeated count times.
AnsiString DupeString(std::string_view s, Integer count);

// --- Character sets ---------------------------------------------------------------------------

// An inclusive range of characters for building a TCharSet: TCharRange('a', 'z').
struct TCharRange {
  Byte First;
  Byte Last;
  constexpr TCharRange(AnsiChar first, AnsiChar last) noexcept : First(Ord(first)), Last(Ord(last)) {}
  constexpr TCharRange(int first, int last) noexcept : First(static_cast<Byte>(first)), Last(static_cast<Byte>(last)) {}
};

// A set of 8-bit characters, the counterpart of a Pascal "set of AnsiChar":
//   const TCharSet kDigits{TCharRange('0', '9')};
//   TCharSet letters{TCharRange('a', 'z'), TCharRange('A', 'Z'), '_'};
//   TCharSet enders = TCharSet::FromString(".!?");
//   if (letters.Contains(c)) ...; letters += '-'; TCharSet both = letters + kDigits;
class TCharSet {
public:
  // One element of a set constructor: a character, a range, or every character of a text.
  struct Item {
    constexpr Item(AnsiChar c) noexcept : first(Ord(c)), last(Ord(c)) {}
    constexpr Item(TCharRange r) noexcept : first(r.First), last(r.Last) {}
    constexpr Item(const char* chars) noexcept : text(chars) {}
    Item(const AnsiString& chars) noexcept : text(chars) {}
    Byte first = 1;
    Byte last = 0;
    std::string_view text;
  };

  constexpr TCharSet() noexcept = default;
  constexpr TCharSet(std::initializer_list<Item> items) noexcept {
    for (const Item& item : items) {
      for (int c = item.first; c <= item.last; ++c) Include(static_cast<Byte>(c));
      for (char c : item.text) Include(c);
    }
  }
  static constexpr TCharSet FromString(std::string_view chars) noexcept {
    TCharSet s;
    for (char c : chars) s.Include(c);
    return s;
  }

  constexpr bool Contains(AnsiChar c) const noexcept { return Contains(Ord(c)); }
  constexpr bool Contains(Byte c) const noexcept { return (bits_[c >> 6] >> (c & 63)) & 1u; }
  constexpr bool Contains(int c) const noexcept { return c >= 0 && c < 256 && Contains(static_cast<Byte>(c)); }
  // A wide character belongs when it is below 256 and its byte is in the set.
  constexpr bool Contains(WideChar c) const noexcept { return c < 256 && Contains(static_cast<Byte>(c)); }

  constexpr void Include(AnsiChar c) noexcept { Include(Ord(c)); }
  constexpr void Include(Byte c) noexcept { bits_[c >> 6] |= std::uint64_t{1} << (c & 63); }
  constexpr void Include(int c) noexcept { Include(static_cast<Byte>(c)); }
  constexpr void Exclude(AnsiChar c) noexcept { Exclude(Ord(c)); }
  constexpr void Exclude(Byte c) noexcept { bits_[c >> 6] &= ~(std::uint64_t{1} << (c & 63)); }
  constexpr void Exclude(int c) noexcept { Exclude(static_cast<Byte>(c)); }

  constexpr bool IsEmpty() const noexcept { return (bits_[0] | bits_[1] | bits_[2] | bits_[3]) == 0; }
  int Count() const noexcept;
  // The members in ascending byte order.
  AnsiString ToString() const;

  constexpr TCharSet& operator+=(const TCharSet& o) noexcept {
    for (int i = 0; i < 4; ++i) bits_[i] |= o.bits_[i];
    return *this;
  }
  constexpr TCharSet& operator-=(const TCharSet& o) noexcept {
    for (int i = 0; i < 4; ++i) bits_[i] &= ~o.bits_[i];
    return *this;
  }
  constexpr TCharSet& operator*=(const TCharSet& o) noexcept {
    for (int i = 0; i < 4; ++i) bits_[i] &= o.bits_[i];
    return *this;
  }
  constexpr TCharSet& operator+=(AnsiChar c) noexcept {
    Include(c);
    return *this;
  }
  constexpr TCharSet& operator-=(AnsiChar c) noexcept {
    Exclude(c);
    return *this;
  }
  friend constexpr TCharSet operator+(TCharSet a, const TCharSet& b) noexcept { return a += b; }
  friend constexpr TCharSet operator-(TCharSet a, const TCharSet& b) noexcept { return a -= b; }
  friend constexpr TCharSet operator*(TCharSet a, const TCharSet& b) noexcept { return a *= b; }
  friend constexpr bool operator==(const TCharSet& a, const TCharSet& b) noexcept = default;
  // Subset test, as "a <= b" on Pascal sets.
  friend constexpr bool operator<=(const TCharSet& a, const TCharSet& b) noexcept {
    for (int i = 0; i < 4; ++i)
      if (a.bits_[i] & ~b.bits_[i]) return false;
    return true;
  }

private:
  std::array<std::uint64_t, 4> bits_{};
};

// --- Code-page conversion ---------------------------------------------------------------------

// 8-bit text in the given code page (the system code page by default) to UTF-16.
WideString AnsiToWide(std::string_view s, unsigned codePage = 0 /* CP_ACP */);
// UTF-16 to 8-bit text in the given code page. A character the code page cannot hold becomes
// "?"; no look-alike ("best fit") character is substituted.
AnsiString WideToAnsi(std::wstring_view w, unsigned codePage = 0 /* CP_ACP */);

// UTF-16 to UTF-8 and back. Invalid input sequences become U+FFFD.
AnsiString UTF8Encode(std::wstring_view w);
WideString UTF8Decode(std::string_view s);
// 8-bit system code page text to UTF-8 and back.
AnsiString AnsiToUtf8(std::string_view s);
AnsiString Utf8ToAnsi(std::string_view s);
