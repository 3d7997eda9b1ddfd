// Weighted similarity of style values, used to map the styles of an incoming document onto the
// most similar styles of a style sheet. Every result is an integer that may be negative.
#pragma once

#include "classlib/Graphics.h"
#include "classlib/System.h"

// Similarity of two integers with weight W: (1 - |B|) * W when A is 0, else
// (1 - |A - B| / |A|) * W rounded to the nearest integer (halves to even). A is the reference.
Integer UVIntSimilarity(Integer A, Integer B, Integer W);

// Similarity of two colours: 0 minus, for each of red, green and blue, the difference times W1
// div 255; plus W2 when both colours are light or both dark. One colour clNone gives 0, both
// clNone give 3 * W1 + W2.
Integer UVColorSimilarity(TColor Color1, TColor Color2, Integer W1, Integer W2);
