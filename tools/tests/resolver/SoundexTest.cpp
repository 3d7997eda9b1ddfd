// The sound code shared by the name comparison and the book name resolver.
#include <gtest/gtest.h>

#include "tools/Soundex.h"

namespace {

TEST(SoundexTest, Codes) {
  struct Row {
    const char* Text;
    int Length;
    const char* Code;
  } rows[] = {
      {"Robert", 4, "R163"},
      {"Rupert", 4, "R163"},
      {"Robert", 2, "R1"},  // cut at the length
      {"Robert", 8, "R1630000"},
      {"Lee", 4, "L000"},       // padded
      {"smith", 2, "S5"},       // the first letter upper-cased
      {"Ashcraft", 4, "A261"},  // H between two letters of one class keeps the class: one digit
      {"Shs", 3, "S00"},        // ... also right after the first letter
      {"Tymczak", 4, "T522"},   // neighbours of one class give one digit; a vowel between gives two
      {"Pfister", 4, "P236"},   // the first letter's class counts as the previous one
      {"Bb", 3, "B00"},
      {"Jo-Anne", 4, "J500"},
      {"Ab[b", 4, "A110"},  // a character between Z and a separates like a vowel
      {"A1b", 3, "A10"},    // so does a digit
      {"\xC4"
       "bel",
       4,
       "\xC4"
       "140"},  // a first letter outside A to Z stays as it is
      {"2KINGS", 2, "22"},
      {"a", 1, "A"},
      {"", 4, ""},
  };
  for (const Row& r : rows) EXPECT_EQ(Soundex(r.Text, r.Length), r.Code) << r.Text << " " << r.Length;
}

}  // namespace
