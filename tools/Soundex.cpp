#include "tools/Soundex.h"

#include "classlib/Strings.h"

namespace {

// Scores by upper-case letter; -1 for H and W, which leave the previous score in place.
constexpr signed char LetterScores[26] = {
    //  A  B  C  D  E  F  G   H  I  J  K  L  M  N  O  P  Q  R  S  T  U  V   W  X  Y  Z
    0, 1, 2, 3, 0, 1, 2, -1, 0, 2, 2, 4, 5, 5, 0, 1, 2, 6, 2, 3, 0, 1, -1, 2, 0, 2};

int Score(char c) {
  const char upper = UpCase(c);
  return upper >= 'A' && upper <= 'Z' ? LetterScores[upper - 'A'] : 0;
}

}  // namespace

AnsiString Soundex(const AnsiString& text, int length) {
  if (text.empty()) return {};
  AnsiString code(1, UpCase(text[0]));
  int previous = Score(text[0]);
  for (std::size_t i = 1; i < text.size() && Length(code) < length; ++i) {
    const int score = Score(text[i]);
    if (score > 0 && score != previous) code += static_cast<char>('0' + score);
    if (score != -1) previous = score;
  }
  if (Length(code) < length) code.append(static_cast<std::size_t>(length - Length(code)), '0');
  if (Length(code) > length) SetLength(code, length);
  return code;
}
