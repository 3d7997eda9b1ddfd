// Earlier versions of a book that differ from it in nearly every verse, as another translation
// chosen by mistake does, and a fingerprint of long results, so that the tests and benchmarks of
// long comparisons can check that a result stays the same byte for byte.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "richtext/core/CUVData.h"

namespace tools_testing {

// The verse lines ("\v " and a number) get the text of the verse line `shift` verse lines later
// (the last ones that of the first); every other line stays.
inline std::vector<std::string> ShiftVerseTexts(const std::vector<std::string>& lines, std::size_t shift) {
  std::vector<std::size_t> verses;
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("\\v ", 0) != 0) continue;
    const std::size_t number = lines[i].find(' ', 3);
    verses.push_back(i);
    texts.push_back(number == std::string::npos ? std::string() : lines[i].substr(number));
  }
  std::vector<std::string> shifted = lines;
  for (std::size_t v = 0; v < verses.size(); ++v) {
    const std::string& line = lines[verses[v]];
    const std::size_t number = line.find(' ', 3);
    shifted[verses[v]] = line.substr(0, number) + texts[(v + shift) % texts.size()];
  }
  return shifted;
}

// The words of each verse line after its number in the reverse order.
inline std::vector<std::string> ReverseVerseWords(const std::vector<std::string>& lines) {
  std::vector<std::string> reversed = lines;
  for (std::string& line : reversed) {
    if (line.rfind("\\v ", 0) != 0) continue;
    const std::size_t number = line.find(' ', 3);
    if (number == std::string::npos) continue;
    std::vector<std::string> words;
    std::size_t at = number + 1;
    while (at < line.size()) {
      const std::size_t end = std::min(line.find(' ', at), line.size());
      words.push_back(line.substr(at, end - at));
      at = end + 1;
    }
    std::string text = line.substr(0, number);
    for (auto word = words.rbegin(); word != words.rend(); ++word) text += " " + *word;
    line = text;
  }
  return reversed;
}

// A 64-bit FNV-1a fingerprint, as 16 hexadecimal digits.
class Fingerprint {
public:
  void Add(const std::string& text) {
    for (unsigned char c : text) hash_ = (hash_ ^ c) * 1099511628211ULL;
    // Each text ends, so that "ab" + "c" differs from "a" + "bc".
    hash_ = (hash_ ^ 0xFFu) * 1099511628211ULL;
  }
  std::string Hex() const {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash_));
    return text;
  }

private:
  std::uint64_t hash_ = 14695981039346656037ULL;
};

// Every item of a document: where a paragraph starts, its style and its text.
inline void AddDocument(Fingerprint& print, TCustomUVData* document) {
  for (Integer i = 0; i < document->GetItemCount(); ++i) {
    print.Add(document->IsParaStart(i) ? "P" : "-");
    print.Add(std::to_string(document->GetItemStyle(i)));
    print.Add(document->GetItemText(i));
  }
}

inline void AddLines(Fingerprint& print, TStrings* lines) {
  for (Integer i = 0; i < lines->GetCount(); ++i) print.Add(lines->GetStrings(i));
}

}  // namespace tools_testing
