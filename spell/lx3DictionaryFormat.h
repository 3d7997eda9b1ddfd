// The fixed texts and sizes of the spell engine's dictionary files, shared by the dictionary
// compiler, the dictionary readers and the tests. This header uses the standard library only, so
// that the compiler can also be built as a native tool of the build machine.
//
// Main dictionary (.lxm), all integers little-endian:
//   0       1024         header block: MainDictionaryBanner, then zero bytes
//   1024    1            L, the length of the dictionary's name
//   1025    2*(L+1)      the name in UTF-16 with a terminating zero unit
//           4            Language (Windows language identifier)
//           4            the number of words the compiler stored (informative only)
//           4            W, the index-width selector: the total number of nodes
//           36           C0..C8, the number of nodes in node tables 0..8
//   T0..T8               node table k holds nodes of 4 + k bytes
//   S       4            N, the length of the side array
//   S+4     N            side array: child counts and child index lists
//           2048         first-letter table, 256 entries of 8 bytes
//           1024         reserved table, written as zeros
//
// User dictionary (.lxu, .lxl): UserDictionaryBanner, its zero byte, 0x1A, then counts, the hash
// table and the string pool (see lx3CustomDictionary.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lx3_format {

// A text of fixed length made at compile time.
template <std::size_t N>
struct FixedText {
  char data[N] = {};
  constexpr std::string_view View() const { return std::string_view(data, N); }
};

// The first banner line, the maker's lines and an empty line, joined.
template <std::size_t A, std::size_t B>
constexpr FixedText<A - 1 + B - 1 + 2> Banner(const char (&first)[A], const char (&maker)[B]) {
  FixedText<A - 1 + B - 1 + 2> text;
  std::size_t at = 0;
  for (std::size_t i = 0; i + 1 < A; ++i) text.data[at++] = first[i];
  for (std::size_t i = 0; i + 1 < B; ++i) text.data[at++] = maker[i];
  text.data[at++] = '\r';
  text.data[at++] = '\n';
  return text;
}

// The three lines of the maker that follow the first banner line in both kinds of file.
inline constexpr char BannerMakerLines[] =
    "Copyright (C) Lexeme Software\r\n"
    "All rights reserved.\r\n"
    "Spelling engine data file\r\n";

inline constexpr auto MainDictionaryBannerText = Banner("Lexeme Dictionary Compiler, Version 4.0\r\n", BannerMakerLines);
inline constexpr auto UserDictionaryBannerText = Banner("Lexeme User Dictionary, Version 4.0\r\n", BannerMakerLines);
inline constexpr std::string_view MainDictionaryBanner = MainDictionaryBannerText.View();
inline constexpr std::string_view UserDictionaryBanner = UserDictionaryBannerText.View();

static_assert(MainDictionaryBanner.size() == 123, "main dictionaries carry a banner of 123 characters");
static_assert(UserDictionaryBanner.size() == 119, "user dictionaries carry a banner of 119 characters");

// Main dictionary layout.
inline constexpr std::size_t HeaderBlockSize = 1024;
inline constexpr std::size_t NodeTableCount = 9;      // tables of nodes with 0 to 8 extra letters
inline constexpr std::size_t MaxExtraLetters = NodeTableCount - 1;
inline constexpr std::size_t FirstLetterTableSize = 2048;
inline constexpr std::size_t FirstLetterEntrySize = 8;
inline constexpr std::size_t ReservedTableSize = 1024;
inline constexpr std::uint32_t NoChildren = 0xFFFFF;  // child field of a leaf
inline constexpr std::uint32_t ChildFieldLimit = 0xFFFFF;
inline constexpr std::uint32_t MaxDirectChildCount = 7;  // more children keep their count in the side array
inline constexpr std::uint32_t WideIndexSelector = 65535;  // W at or above it: 2- or 3-byte child numbers
inline constexpr std::uint32_t ShortWideIndexLimit = 0x8000;  // below it a wide child number takes 2 bytes
inline constexpr std::uint32_t LongWideIndexLimit = 0x800000;
// Longest word the compiler stores; readers bound their walks by it.
inline constexpr std::size_t MaxWordLength = 255;

// Node word: letter in bits 0-7, child field in bits 8-27, child count in bits 28-30, end of word in bit 31.
inline constexpr std::uint32_t NodeLetter(std::uint32_t node) { return node & 0xFF; }
inline constexpr std::uint32_t NodeChildField(std::uint32_t node) { return (node >> 8) & 0xFFFFF; }
inline constexpr std::uint32_t NodeChildCount(std::uint32_t node) { return (node >> 28) & 7; }
inline constexpr bool NodeIsWordEnd(std::uint32_t node) { return (node >> 31) != 0; }
inline constexpr std::uint32_t MakeNode(std::uint8_t letter, std::uint32_t childField, std::uint32_t childCount,
                                        bool wordEnd) {
  return letter | (childField << 8) | (childCount << 28) | (wordEnd ? 0x80000000u : 0u);
}

// User dictionary layout.
inline constexpr std::size_t UserHeaderSize = 121;  // banner, its zero byte and 0x1A
inline constexpr std::uint8_t UserHeaderMark = 0x1A;
inline constexpr std::size_t MaxUserEntryLength = 500;  // word and replacement together

}  // namespace lx3_format
