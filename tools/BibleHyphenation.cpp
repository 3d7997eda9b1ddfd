#include "tools/BibleHyphenation.h"

#include <algorithm>
#include <memory>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/Utilities.h"

void THyphenationList::Clear() {
  listed_.clear();
  plain_.clear();
  index_.clear();
}

void THyphenationList::Assign(TStrings* lines) {
  Clear();
  for (int i = 0; i < lines->GetCount(); ++i) {
    const AnsiString line = lines->GetStrings(i);
    AnsiString plain;
    for (char c : line)
      if (c != '-') plain += c;
    listed_.push_back(line);
    plain_.push_back(plain);
    index_.emplace(AnsiLowerCase(plain), static_cast<int>(plain_.size()) - 1);
  }
}

void THyphenationList::LoadFromFile(const AnsiString& fileName) {
  std::unique_ptr<TStringList> lines(new TStringList());
  ReadLinesOrNone(fileName, lines.get());
  Assign(lines.get());
}

int THyphenationList::IndexOf(const AnsiString& word) const {
  if (index_.empty()) return -1;
  const auto found = index_.find(AnsiLowerCase(word));
  return found == index_.end() ? -1 : found->second;
}

std::vector<bool> HyphenationPoints(const AnsiString& word, const THyphenationSettings& settings) {
  const int length = static_cast<int>(word.size());
  std::vector<bool> points(static_cast<std::size_t>(length) + 1, false);
  auto isLetter = [&](char c) { return settings.Consonants.Contains(c) || settings.Vowels.Contains(c); };

  int lead = 0;
  while (lead < length && !isLetter(word[lead])) ++lead;
  int end = length;
  while (end > lead && !isLetter(word[end - 1])) --end;
  const AnsiString stripped = word.substr(lead, end - lead);
  const int n = static_cast<int>(stripped.size());
  auto mark = [&](int position) {
    if (position + lead >= 0 && position + lead <= length) points[position + lead] = true;
  };

  if (settings.List) {
    const int listed = settings.List->IndexOf(stripped);
    if (listed >= 0) {
      // The k-th hyphen at position p (from 1) stands after p - k letters of the plain word.
      const AnsiString& form = settings.List->Listed()[listed];
      int hyphens = 0;
      for (int p = 1; p <= static_cast<int>(form.size()); ++p)
        if (form[p - 1] == '-') mark(p - ++hyphens);
      return points;
    }
  }
  if (settings.Rule != hrVowelConsonant && settings.Rule != hrConsonantVowel) return points;
  const int distance = settings.MinimumDistance;
  // The word's own hyphens end its parts: a break within a part keeps the minimum distance from
  // the part's ends as from the word's, so that a compound never breaks a letter or two after
  // its hyphen ("self-c-ontrol").
  std::vector<bool> nearHyphen(static_cast<std::size_t>(n) + 1, false);
  for (int p = 1; p <= n; ++p) {
    if (stripped[p - 1] != '-') continue;
    mark(p);
    // The hyphen stands between the first p - 1 letters and the rest.
    for (int j = std::max(0, p - 1 - distance + 1); j <= std::min(n, p + distance - 1); ++j)
      if (j != p) nearHyphen[j] = true;
  }
  const TCharSet& first = settings.Rule == hrVowelConsonant ? settings.Vowels : settings.Consonants;
  const TCharSet& second = settings.Rule == hrVowelConsonant ? settings.Consonants : settings.Vowels;
  for (int j = distance; j <= n - distance; ++j) {
    if (j < 1 || j >= n || nearHyphen[j]) continue;
    if (first.Contains(stripped[j - 1]) && second.Contains(stripped[j])) mark(j);
  }
  return points;
}
