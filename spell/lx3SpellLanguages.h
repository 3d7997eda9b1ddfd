// The texts that the spell-check component and its dialogs show (captions, buttons, option
// names, prompts and messages) in thirteen interface languages, each in the code page of its
// language. "&" marks a caption's accelerator letter.
#pragma once

#include "classlib/System.h"
#include "classlib/TypInfo.h"

enum TSpellLanguageType {
  ltEnglish,
  ltSwedish,
  ltBrPort,
  ltAfrikaans,
  ltGerman,
  ltSpanish,
  ltRussian,
  ltCzech,
  ltDutch,
  ltDanish,
  ltPolish,
  ltNorwegianBok,
  ltFrench
};
ENUM_NAMES(TSpellLanguageType, "ltEnglish", "ltSwedish", "ltBrPort", "ltAfrikaans", "ltGerman", "ltSpanish", "ltRussian",
           "ltCzech", "ltDutch", "ltDanish", "ltPolish", "ltNorwegianBok", "ltFrench");

inline constexpr Integer kSpellLanguageCount = 13;
inline constexpr Integer kSpellStringCount = 68;

// The text of that number (0 to 67) in that language; empty for any other number or language.
void GetSpellString(Integer Id, TSpellLanguageType Language, AnsiString& Text);
