// Corrects every book of the KJV with four correction lists of 100 pairs each, as the correction
// window corrects one book (whole) per click, and prints the time for the whole Bible and the
// slowest book. The lists are made from the Bible's own words so that many corrections are made:
// list 1 the first halves of 100 frequent words, list 2 100 frequent word endings (10,100 joined
// searches), list 3 100 whole words spread over the frequency list, list 4 100 frequent phrases of
// two words.
//
//   tools_CorrectionBench_bench.exe
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "classlib/WinApi.h"
#include "tools/CorrectionLists.h"
#include "tools/tests/support/KjvBooks.h"

namespace {

double Seconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Words and two-word phrases of the verse lines by frequency, most frequent first.
std::vector<std::string> ByFrequency(const std::unordered_map<std::string, int>& counts) {
  std::vector<std::pair<int, std::string>> sorted;
  for (const auto& [text, count] : counts) sorted.push_back({-count, text});
  std::sort(sorted.begin(), sorted.end());
  std::vector<std::string> texts;
  for (const auto& [count, text] : sorted) texts.push_back(text);
  return texts;
}

void AddPair(TextLines& list, const std::string& wrong, const std::string& right) {
  list.push_back("1" + wrong);
  list.push_back("2" + right);
}

// A misspelling of the word as a typist makes it: two letters after the first swapped.
std::string Swapped(std::string word) {
  if (word.size() >= 3) std::swap(word[1], word[2]);
  return word;
}

}  // namespace

int main() {
  const std::vector<tools_testing::KjvBook> kjv = tools_testing::ReadKjvBooks();
  if (kjv.empty()) {
    std::printf("The KJV project of the shared data is not here.\n");
    return 1;
  }
  std::unordered_map<std::string, int> words, endings, phrases;
  std::size_t characters = 0, lineCount = 0;
  for (const tools_testing::KjvBook& book : kjv) {
    lineCount += book.Lines.size();
    for (const AnsiString& line : book.Lines) {
      characters += line.size();
      if (line.rfind("\\v ", 0) != 0) continue;
      std::string previous;
      std::size_t i = 0;
      while (i < line.size()) {
        while (i < line.size() && !IsLetter(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && IsLetter(line[i])) ++i;
        if (i == start) break;
        const std::string word = line.substr(start, i - start);
        ++words[word];
        if (word.size() >= 6) ++endings[word.substr(word.size() - 3)];
        if (!previous.empty() && line[start - 1] == ' ' && start >= 1) ++phrases[previous + " " + word];
        previous = word;
      }
    }
  }
  const std::vector<std::string> frequentWords = ByFrequency(words);
  const std::vector<std::string> frequentEndings = ByFrequency(endings);
  const std::vector<std::string> frequentPhrases = ByFrequency(phrases);

  std::array<TextLines, CorrectionListCount> lists;
  int firstHalves = 0;
  for (const std::string& word : frequentWords) {
    if (firstHalves == 100) break;
    if (word.size() < 6) continue;
    AddPair(lists[0], word.substr(0, word.size() - 3), Swapped(word.substr(0, word.size() - 3)));
    ++firstHalves;
  }
  for (int i = 0; i < 100 && i < static_cast<int>(frequentEndings.size()); ++i)
    AddPair(lists[1], frequentEndings[static_cast<std::size_t>(i)], frequentEndings[static_cast<std::size_t>(i)]);
  for (int i = 0; i < 100; ++i) {
    const std::string& word = frequentWords[static_cast<std::size_t>(i) * 40];
    AddPair(lists[2], word, Swapped(word));
  }
  for (int i = 0; i < 100; ++i) {
    const std::string& phrase = frequentPhrases[static_cast<std::size_t>(i) * 3];
    AddPair(lists[3], phrase, Swapped(phrase));
  }

  long long corrections = 0;
  double slowest = 0;
  std::string slowestBook;
  const double start = Seconds();
  for (const tools_testing::KjvBook& book : kjv) {
    const double bookStart = Seconds();
    const TBookCorrection corrected = CorrectBook(book.Lines, lists, false, "");
    const double bookTime = Seconds() - bookStart;
    corrections += corrected.Count;
    if (bookTime > slowest) {
      slowest = bookTime;
      slowestBook = book.FileName;
    }
  }
  const double total = Seconds() - start;
  std::printf("Corrected %zu books (%zu lines, %.1f MB) with 4 lists of 100 pairs (%zu joined halves):\n", kjv.size(),
              lineCount, static_cast<double>(characters) / 1e6, (lists[0].size() / 2 + 1) * (lists[1].size() / 2));
  std::printf("  %lld corrections in %.3f s (goal: under 5 s); slowest book %s in %.3f s\n", corrections, total,
              slowestBook.c_str(), slowest);
  return 0;
}
