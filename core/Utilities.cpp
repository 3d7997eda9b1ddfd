#include "core/Utilities.h"

#include <memory>

#include "classlib/StringLists.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/TypesConstants.h"

TCharSet StringToCharSet(const AnsiString& text) {
  TCharSet set;
  for (char c : text) set.Include(c);
  return set;
}

AnsiString LastChars(const AnsiString& text, int n) {
  if (n <= 0) return AnsiString();
  if (Length(text) <= n) return text;
  return Copy(text, Length(text) - n + 1, n);
}

AnsiString FirstNumberInString(const AnsiString& text) {
  const std::size_t start = text.find_first_of("0123456789");
  if (start == AnsiString::npos) return AnsiString();
  std::size_t end = start;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  return text.substr(start, end - start);
}

void SplitLineIntoWords(const AnsiString& line, TStrings* words, bool keepBlanks) {
  words->Clear();
  if (!keepBlanks) {
    const AnsiString s = Trim(line);
    if (s.empty()) return;
    std::size_t start = 0;
    for (;;) {
      const std::size_t blank = s.find(' ', start);
      if (blank == AnsiString::npos) {
        words->Add(s.substr(start));
        return;
      }
      words->Add(s.substr(start, blank - start));
      start = blank + 1;
    }
  }
  std::size_t start = 0;
  while (start < line.size()) {
    const bool blank = line[start] == ' ';
    std::size_t end = start;
    while (end < line.size() && (line[end] == ' ') == blank) ++end;
    words->Add(line.substr(start, end - start));
    start = end;
  }
}

AnsiString OrdinalWord(int n) {
  if (n < 1 || n > 15) return AnsiString();
  const char* suffix = "th";
  if (n == 1) suffix = "st";
  else if (n == 2) suffix = "nd";
  else if (n == 3) suffix = "rd";
  return IntToStr(n) + suffix;
}

bool FileCopy(const AnsiString& source, const AnsiString& target) {
  std::unique_ptr<TFileStream> in(new TFileStream(source, fmOpenRead | fmShareDenyWrite));
  std::unique_ptr<TFileStream> out(new TFileStream(target, fmCreate));
  out->CopyFrom(in.get(), 0);
  return true;
}

AnsiString LineFeedsToBlanks(const AnsiString& text) {
  AnsiString result = text;
  for (char& c : result)
    if (c == '\n') c = ' ';
  return result;
}

AnsiString NumberToText(int n) { return IntToStr(n); }

int BookNumberFromEnglishName(const AnsiString& name) {
  for (int book = 1; book <= BookCount; ++book)
    if (EnglishBookName(book) == name) return book;
  return 0;
}

AnsiString ExtractReference(const AnsiString& line) {
  const AnsiString s = Trim(line);
  const int colon = Pos(":", s);
  return Copy(s, 1, colon) + FirstNumberInString(Copy(s, colon + 1, Length(s)));
}
