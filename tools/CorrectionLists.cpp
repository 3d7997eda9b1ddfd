#include "tools/CorrectionLists.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "classlib/SysUtils.h"

const char CorrectionDelimiters[] = " .;,:(){}\"/\\?!";

namespace {

// The halves of lists 1 and 2 keep at most this many characters.
constexpr std::size_t kHalfLimit = 1000;

class TDelimiters {
public:
  TDelimiters() {
    for (const char* c = CorrectionDelimiters; *c; ++c) is_[static_cast<unsigned char>(*c)] = true;
  }
  bool operator()(char c) const { return is_[static_cast<unsigned char>(c)]; }

private:
  bool is_[256] = {};
};

const TDelimiters kIsDelimiter;

// Calls `f` with every word of the text: a maximal run of characters that are no delimiters.
template <class F>
void ForEachWord(std::string_view text, F f) {
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && kIsDelimiter(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !kIsDelimiter(text[i])) ++i;
    if (i > start) f(text.substr(start, i - start));
  }
}

// Replaces in one line as searching from its start and replacing each find does: an occurrence
// counts when (for whole words) a delimiter or the line's edge stands on both sides of it; the
// search goes on after the inserted correction, or one character further after a refused find.
int ReplaceInLine(AnsiString& line, std::string_view misspelling, std::string_view correction, bool wholeWords) {
  int count = 0;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = line.find(misspelling, from);
    if (at == AnsiString::npos) return count;
    const std::size_t end = at + misspelling.size();
    if (wholeWords && !((at == 0 || kIsDelimiter(line[at - 1])) && (end == line.size() || kIsDelimiter(line[end])))) {
      from = at + 1;
      continue;
    }
    line.replace(at, misspelling.size(), correction);
    from = at + correction.size();
    ++count;
  }
}

// The lines of the book with, for every word, the lines it stands in. A whole-word occurrence of a
// misspelling makes every word of the misspelling a word of the line, so only the lines of its
// first word need a search. Lists of lines grow as corrections bring words into lines; a line may
// stand in a list more than once.
class TWordIndex {
public:
  explicit TWordIndex(const TextLines& lines) {
    for (std::size_t n = 0; n < lines.size(); ++n) Add(lines[n], static_cast<int>(n));
  }
  void Add(std::string_view line, int n) {
    ForEachWord(line, [&](std::string_view word) {
      std::vector<int>& at = words_[AnsiString(word)];
      if (at.empty() || at.back() != n) at.push_back(n);
    });
  }
  // The lines to search for a misspelling; null when every line must be searched.
  bool Candidates(std::string_view misspelling, std::vector<int>& lines) const {
    std::string_view first;
    ForEachWord(misspelling, [&](std::string_view word) {
      if (first.empty()) first = word;
    });
    if (first.empty()) return false;
    lines.clear();
    auto found = words_.find(AnsiString(first));
    if (found != words_.end()) lines = found->second;
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return true;
  }

private:
  std::unordered_map<AnsiString, std::vector<int>> words_;
};

}  // namespace

AnsiString CorrectionListFileName(int list) { return "correctionlist" + IntToStr(list) + ".txt"; }

std::vector<TCorrectionPair> CorrectionPairs(const TextLines& listLines, std::size_t limit) {
  std::vector<TCorrectionPair> pairs;
  auto text = [&](std::size_t i) {
    if (i >= listLines.size() || listLines[i].empty()) return AnsiString();
    return listLines[i].substr(1, limit);
  };
  for (std::size_t i = 0; i < listLines.size(); i += 2) pairs.push_back({text(i), text(i + 1)});
  return pairs;
}

int CorrectLines(TextLines& lines, const std::array<TextLines, CorrectionListCount>& lists) {
  int count = 0;
  TWordIndex index(lines);
  std::vector<int> candidates;
  auto correctWholeWords = [&](const AnsiString& misspelling, const AnsiString& correction) {
    if (misspelling.empty()) return;
    const bool some = index.Candidates(misspelling, candidates);
    auto search = [&](std::size_t n) {
      const int found = ReplaceInLine(lines[n], misspelling, correction, true);
      if (found == 0) return;
      count += found;
      index.Add(lines[n], static_cast<int>(n));
    };
    if (some) {
      for (int n : candidates) search(static_cast<std::size_t>(n));
    } else {
      for (std::size_t n = 0; n < lines.size(); ++n) search(n);
    }
  };

  // Every first half (and none) joined to every second half.
  std::vector<TCorrectionPair> firstHalves = CorrectionPairs(lists[0], kHalfLimit);
  const std::vector<TCorrectionPair> secondHalves = CorrectionPairs(lists[1], kHalfLimit);
  firstHalves.push_back({});
  for (const TCorrectionPair& first : firstHalves)
    for (const TCorrectionPair& second : secondHalves)
      correctWholeWords(first.Misspelling + second.Misspelling, first.Correction + second.Correction);

  for (const TCorrectionPair& word : CorrectionPairs(lists[2])) correctWholeWords(word.Misspelling, word.Correction);

  for (const TCorrectionPair& phrase : CorrectionPairs(lists[3])) {
    if (phrase.Misspelling.empty()) continue;
    for (AnsiString& line : lines) count += ReplaceInLine(line, phrase.Misspelling, phrase.Correction, false);
  }
  return count;
}

TBookCorrection CorrectBook(const TextLines& book, const std::array<TextLines, CorrectionListCount>& lists,
                            bool onlyChapter, const AnsiString& chapter) {
  TBookCorrection result;
  if (!onlyChapter) {
    result.Lines = book;
    // A document of one paragraph a line gives its text back without the break after the last
    // paragraph, so an empty last line does not come back.
    if (!result.Lines.empty() && result.Lines.back().empty()) result.Lines.pop_back();
    result.Count = CorrectLines(result.Lines, lists);
    return result;
  }
  Integer number = 0;
  const AnsiString start = "\\c " + chapter;
  const AnsiString end = "\\c " + (TryStrToInt(chapter, number) ? IntToStr(number + 2) : AnsiString("151"));
  TextLines before, middle, after;
  int state = 0;
  for (const AnsiString& line : book) {
    if (state == 0 && line.find(start) != AnsiString::npos)
      state = 1;
    else if (state == 1 && line.find(end) != AnsiString::npos)
      state = 2;
    (state == 0 ? before : state == 1 ? middle : after).push_back(line);
  }
  result.Count = CorrectLines(middle, lists);
  result.Lines = std::move(before);
  result.Lines.insert(result.Lines.end(), middle.begin(), middle.end());
  result.Lines.insert(result.Lines.end(), after.begin(), after.end());
  return result;
}
