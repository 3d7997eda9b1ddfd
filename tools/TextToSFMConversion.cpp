#include "tools/TextToSFMConversion.h"

#include <string_view>

#include "classlib/SysUtils.h"

namespace {

const char* const kPunctuationPairs[] = {" ,", " :", " ;", " ?", " !", " ."};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool SfmStartsWith(const AnsiString& text, std::string_view prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

void ReplaceAll(AnsiString& text, std::string_view what, std::string_view by) {
  for (std::size_t at = text.find(what); at != AnsiString::npos; at = text.find(what, at + by.size()))
    text.replace(at, what.size(), by);
}

// Reference form: one verse a line, book name or abbreviation, chapter ":" verse and the text.
void ConvertReferenceLines(const TextLines& input, TextLines& output) {
  Integer currentChapter = 0;
  for (const AnsiString& original : input) {
    AnsiString line = Trim(original);
    // The number of a book such as 1 Samuel is no chapter.
    if (!line.empty() && (line[0] == '1' || line[0] == '2' || line[0] == '3')) line.erase(0, 1);
    AnsiString chapter;
    const std::size_t at = FindDigits(line, chapter);
    if (at != AnsiString::npos) {
      const Integer number = StrToIntDef(chapter, -1);
      if (number != currentChapter) {
        output.push_back("\\c " + chapter);
        currentChapter = number;
      }
      line = Trim(line.substr(std::min(line.size(), at + chapter.size() + 1)));
    }
    output.push_back("\\v " + line);
  }
}

// Running text: paragraphs first, then titles, headings, chapter lines and verses by the numbers.
void ConvertRunningText(const TextLines& input, const AnsiString& chapterWord, TextLines& output) {
  TextLines paragraphs;
  for (const AnsiString& original : input) {
    const AnsiString line = Trim(original);
    const bool joins = !line.empty() && !paragraphs.empty() &&
                       ((line[0] >= 'a' && line[0] <= 'z') ||
                        (!paragraphs.back().empty() && paragraphs.back().back() == ':'));
    if (joins)
      paragraphs.back() += " " + line;
    else
      paragraphs.push_back(line);
  }

  auto heading = [&](const AnsiString& paragraph) {
    output.push_back("\\s " + paragraph);
    output.push_back("\\p");
  };
  bool numbersStarted = false;
  for (const AnsiString& paragraph : paragraphs) {
    AnsiString number;
    std::size_t at = FindDigits(paragraph, number);
    if (!numbersStarted) {
      if (at == AnsiString::npos) {
        if (!paragraph.empty()) output.push_back("\\mt " + paragraph);
        continue;
      }
      numbersStarted = true;
    }
    if (at == AnsiString::npos) {
      if (!paragraph.empty()) heading(paragraph);
    } else if (IsMostlyNumbers(paragraph)) {
      heading(paragraph);
    } else if (paragraph.size() < 15) {
      AnsiString rest = paragraph;
      rest.erase(at, number.size());
      rest = Trim(rest);
      if (AnsiCompareText(rest, chapterWord) == 0)
        output.push_back("\\c " + number);
      else
        output.push_back("\\c " + number + " " + rest);
    } else {
      // Every run of digits starts a verse; text before the first one is a paragraph of its own.
      AnsiString text = paragraph;
      while (!text.empty()) {
        at = FindDigits(text, number);
        if (at == AnsiString::npos) break;
        if (at > 0) {
          if (!output.empty() && output.back() == "\\p") output.pop_back();
          output.push_back("\\p " + Trim(text.substr(0, at)));
          text = Trim(text.substr(at));
          at = 0;
        }
        AnsiString next;
        const std::size_t nextAt = FindDigits(text, next, number.size());
        const std::size_t end = nextAt == AnsiString::npos ? text.size() : nextAt;
        output.push_back("\\v " + number + " " + Trim(text.substr(number.size(), end - number.size())));
        text = Trim(text.substr(end));
      }
    }
  }
}

bool HasPrefix(const TextLines& lines, std::size_t i, std::string_view prefix) { return SfmStartsWith(lines[i], prefix); }

// A heading (with the line after it) that stands just before a chapter line moves after it; no
// empty paragraph stays between two headings; every line is trimmed.
void Tidy(TextLines& lines) {
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
      if (i >= 2 && HasPrefix(lines, i, "\\c") && HasPrefix(lines, i - 2, "\\s")) {
        const AnsiString heading = lines[i - 2];
        const AnsiString after = lines[i - 1];
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, {heading, after});
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i) - 2, lines.begin() + static_cast<std::ptrdiff_t>(i));
      }
    }
  }
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (HasPrefix(lines, i, "\\s") && i + 3 < lines.size() && HasPrefix(lines, i + 2, "\\s") && lines[i + 1] == "\\p")
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1);
  }
  for (AnsiString& line : lines) line = Trim(line);
}

}  // namespace

AnsiString PrepareLine(const AnsiString& original, const TPrepareOptions& options, const TCharSet& smallLetters) {
  AnsiString line = Trim(original);
  for (char& c : line)
    if (c == '\t') c = ' ';
  AnsiString single;
  single.reserve(line.size());
  for (char c : line)
    if (c != ' ' || single.empty() || single.back() != ' ') single += c;
  line = Trim(single);

  if (options.CapitalsIIToEleven) {
    const std::size_t at = line.find("I I ");
    if (at != AnsiString::npos) line.replace(at, 4, "11 ");
  }
  auto small = [&](char c) { return smallLetters.Contains(c); };
  if (options.ZeroBetweenSmallLetters)
    for (std::size_t i = 1; i + 1 < line.size(); ++i)
      if (line[i] == '0' && small(line[i - 1]) && small(line[i + 1])) line[i] = 'O';
  // In place, so that the second of "G00D" follows the first: "GOOD".
  if (options.ZeroNotAfterDigit)
    for (std::size_t i = 1; i < line.size(); ++i)
      if (line[i] == '0' && !IsDigit(line[i - 1])) line[i] = 'O';
  if (options.BracketBeforeSmallLetter)
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
      if (line[i] == ']' && small(line[i + 1])) line[i] = 'l';
  if (options.SpaceBeforePunctuation)
    for (const char* pair : kPunctuationPairs) ReplaceAll(line, pair, std::string_view(pair).substr(1));
  return line;
}

bool IsMostlyNumbers(const AnsiString& original) {
  AnsiString text = original;
  AnsiString collected;
  int runs = 0;
  AnsiString digits;
  for (std::size_t at = FindDigits(text, digits); at != AnsiString::npos; at = FindDigits(text, digits)) {
    ++runs;
    collected += digits;
    text.erase(at, digits.size());
  }
  return runs >= 3 && text.size() < 4 * collected.size();
}

TextLines ConvertTextToSFM(const TextLines& input, const AnsiString& id, const AnsiString& chapterWord) {
  TextLines output{"\\id " + id};
  const AnsiString whole = JoinParagraphs(input);
  const std::size_t reference = whole.find("1:1");
  if (reference != AnsiString::npos && reference < 10)
    ConvertReferenceLines(input, output);
  else
    ConvertRunningText(input, chapterWord, output);
  Tidy(output);
  return output;
}
