// Small sets of enumeration values, the counterpart of "set of TEnum" for enumerations of up to
// 64 members (component states, font styles, options). A set of characters is TCharSet in
// classlib/Strings.h.
//
//   TComponentState state;
//   state << csLoading << csReading;        // Include
//   if (state.Contains(csLoading)) ...
//   state = state - TComponentState{csReading};
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

template <class E>
class TSet {
  static_assert(std::is_enum_v<E>, "TSet holds enumeration values");

public:
  constexpr TSet() noexcept = default;
  constexpr TSet(std::initializer_list<E> items) noexcept {
    for (E e : items) bits_ |= Bit(e);
  }

  // The members as a bit mask, bit n standing for the value n; what the form stream stores.
  static constexpr TSet FromBits(std::uint64_t bits) noexcept {
    TSet s;
    s.bits_ = bits;
    return s;
  }
  constexpr std::uint64_t Bits() const noexcept { return bits_; }

  constexpr bool Contains(E e) const noexcept { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const noexcept { return bits_ == 0; }

  constexpr TSet& Include(E e) noexcept {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) noexcept {
    bits_ &= ~Bit(e);
    return *this;
  }
  constexpr TSet& operator<<(E e) noexcept { return Include(e); }
  constexpr TSet& operator>>(E e) noexcept { return Exclude(e); }
  constexpr void Clear() noexcept { bits_ = 0; }

  // Union, difference and intersection, as + - * on Pascal sets.
  friend constexpr TSet operator+(TSet a, TSet b) noexcept { return FromBits(a.bits_ | b.bits_); }
  friend constexpr TSet operator-(TSet a, TSet b) noexcept { return FromBits(a.bits_ & ~b.bits_); }
  friend constexpr TSet operator*(TSet a, TSet b) noexcept { return FromBits(a.bits_ & b.bits_); }
  constexpr TSet& operator+=(TSet b) noexcept { return *this = *this + b; }
  constexpr TSet& operator-=(TSet b) noexcept { return *this = *this - b; }
  constexpr TSet& operator*=(TSet b) noexcept { return *this = *this * b; }
  // Subset test (a <= b: every member of a is in b).
  friend constexpr bool operator<=(TSet a, TSet b) noexcept { return (a.bits_ & ~b.bits_) == 0; }
  friend constexpr bool operator==(TSet a, TSet b) noexcept = default;

private:
  static constexpr std::uint64_t Bit(E e) noexcept { return std::uint64_t{1} << static_cast<unsigned>(e); }
  std::uint64_t bits_ = 0;
};
