// The sound code of a name by which the name comparison and the book name resolver find names that
// sound alike: the first character upper-cased, then a digit for each run of consonants that
// sound alike, cut or padded with "0" to a given length.
#pragma once

#include "classlib/System.h"

// The sound code of a text for the length. The first character is upper-cased (ASCII
// letters only) and kept; walking on from the second, every letter of a sound class (B F P V 1,
// C G J K Q S X Z 2, D T 3, L 4, M N 5, R 6, either case) adds its digit unless the previous
// character scored the same. Vowels, Y and every character that is no ASCII letter score 0 and so
// separate two runs of one class; H and W score nothing and keep the previous score. A code shorter
// than the length is padded with "0", a longer one (only for a length below 1) cut. An empty text
// has an empty code.
AnsiString Soundex(const AnsiString& text, int length);
