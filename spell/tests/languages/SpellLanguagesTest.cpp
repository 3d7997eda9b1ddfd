#include <gtest/gtest.h>

#include "spell/lx3SpellLanguages.h"

namespace {

const char* const kEnglish[kSpellStringCount] = {
    "Check spelling as you type",
    "Correct spelling errors as you type",
    "Ignore words in &UPPERCASE",
    "Ignore words containing numbers",
    "Ignore markup languages (&HTML, XML, etc)",
    "Ignore Internet addresses",
    "Ignore quoted lines",
    "Ignore abbreviations",
    "Suggest from main dictionaries only",
    "Prompt on repeated word",
    "Automatically correct DUal capitals",
    "Confirmation:",
    "Delete this custom dictionary?",
    "(Ignore All / Change All)",
    "Spelling",
    "Spelling Options",
    "Dictionaries",
    "Words added with Ignore All / Change All",
    "New Custom Dictionary",
    "Not Found:",
    "Repeated Word:",
    "&Replace With:",
    "&Suggestions:",
    "&Undo",
    "&Options...",
    "&Ignore All",
    "I&gnore",
    "&Change All",
    "C&hange",
    "&Add",
    "Au&to-Correct",
    "&Help",
    "Cancel",
    "Reset Defaults",
    " O&ptions: ",
    " D&ictionaries: ",
    "Name",
    "Filename",
    "&Custom Dictionary:",
    "&Dictionaries ...",
    "Locate Dictionaries...",
    "Choose Folder Containing Dictionaries",
    " Custom Dictionaries: ",
    "&Edit",
    "&Delete",
    "&New",
    "&OK",
    "&Enter the new custom dictionary name:",
    "Add&ed Words",
    "These words will be considered correct during a spell check operation.",
    "&Ignore this word:",
    "A&uto-Correct Pairs",
    "These words will automatically be corrected when encountered during a spelling check.",
    "&Replace:",
    "&With:",
    "&Excluded Words",
    "These words will always be considered incorrect during a spell check operation.",
    "E&xclude this word:",
    "The spelling check is complete.",
    "Words checked:",
    "The selection has been checked.  Would you like to check the remainder of the document?",
    "(no suggestions)",
    "I&gnore",
    "&Ignore All",
    "&Add",
    "&Change All",
    "A&uto Correct",
    "&Spelling ...",
};

AnsiString Text(Integer id, TSpellLanguageType language) {
  AnsiString text = "unchanged";
  GetSpellString(id, language, text);
  return text;
}

TEST(SpellLanguages, EnglishTextsByNumber) {
  for (Integer id = 0; id < kSpellStringCount; ++id) EXPECT_EQ(Text(id, ltEnglish), kEnglish[id]) << id;
}

TEST(SpellLanguages, EveryLanguageHasEveryText) {
  for (Integer language = 0; language < kSpellLanguageCount; ++language)
    for (Integer id = 0; id < kSpellStringCount; ++id)
      EXPECT_FALSE(Text(id, static_cast<TSpellLanguageType>(language)).empty()) << language << "/" << id;
}

TEST(SpellLanguages, NumbersAndLanguagesOutsideTheTablesGiveNothing) {
  EXPECT_EQ(Text(68, ltEnglish), "");
  EXPECT_EQ(Text(-1, ltGerman), "");
  EXPECT_EQ(Text(0, static_cast<TSpellLanguageType>(13)), "");
}

TEST(SpellLanguages, TextsAreInTheirLanguagesCodePage) {
  EXPECT_EQ(Text(16, ltGerman), "W\xF6rterb\xFC" "cher");
  EXPECT_EQ(Text(14, ltRussian), "\xCE\xF0\xF4\xEE\xE3\xF0\xE0\xF4\xE8\xFF");  // code page 1251
  EXPECT_EQ(Text(16, ltPolish), "S\xB3owniki");                                     // code page 1250
  EXPECT_EQ(Text(16, ltCzech), "Slovn\xEDky");
  EXPECT_EQ(Text(12, ltSpanish), "\xBF" "Eliminar este diccionario personal?");
  // Group-box captions keep their blanks.
  EXPECT_EQ(Text(34, ltFrench), " O&ptions : ");
}

TEST(SpellLanguages, PopupTextsAreSeparateNumbersWithTheSameWording) {
  const std::pair<Integer, Integer> same[] = {{25, 63}, {26, 62}, {27, 65}, {29, 64}};
  for (auto [a, b] : same)
    for (Integer language = 0; language < kSpellLanguageCount; ++language)
      EXPECT_EQ(Text(a, static_cast<TSpellLanguageType>(language)), Text(b, static_cast<TSpellLanguageType>(language)));
}

}  // namespace
