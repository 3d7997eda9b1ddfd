// The name comparison: every approved name against every other, listing the pairs that look or
// sound alike so that the translator can find names spelled in two ways. Pairs the translator has
// reviewed are dismissed, and their names are left out of later comparisons.
#pragma once

#include <functional>

#include "classlib/System.h"

class TStrings;

// The line of a pair: a + " and " + b.
AnsiString NamePairLine(const AnsiString& a, const AnsiString& b);

// Whether two names are alike: equal; or with the same sound code for the length of the longer name
// (at least 1), that is the same first letter, letter case ignored, and the same digits; or of one
// length and different in at most one place.
bool NamesAlike(const AnsiString& a, const AnsiString& b);

// Compares every name of `names` with every other, in both orders, and appends the line of each
// alike pair to `pairs`, unless one of its names is a name of a dismissed pair: a line of
// `dismissed` split at " and " gives the names compared whole (a line without " and " is one name).
// Reports "Comparing " + name + " ..." for each name.
void CompareNames(TStrings* names, TStrings* dismissed, TStrings* pairs,
                  const std::function<void(const AnsiString&)>& status = {});

// "Ready - " + the number of pair lines + " name combinations found".
AnsiString CompareNamesReadyText(int pairLines);
// The number removed + " name combination(s) removed".
AnsiString NamesRemovedText(int removed);
