#include "tools/BibleWorksConversion.h"

#include "classlib/SysUtils.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

namespace {

bool TextStartsWith(const AnsiString& text, std::string_view prefix) { return text.compare(0, prefix.size(), prefix) == 0; }
AnsiString TextFrom(const AnsiString& text, std::size_t index) { return index < text.size() ? text.substr(index) : AnsiString(); }

}  // namespace

void TSFMToBibleWorks::Add(const TextLines& lines) {
  for (const AnsiString& original : lines) {
    const AnsiString line = Trim(original);
    if (TextStartsWith(line, "\\id")) {
      const int book = BookNumberFromId(line.substr(std::min<std::size_t>(line.size(), 4), 3));
      abbreviation_ = book > 0 ? BibleWorksBookName(book) : AnsiString("Nil");
      if (book > 0 && progress_) progress_(EnglishBookName(book));
      chapter_ = "1";
    } else if (IsMarkerLine(line, "\\c")) {
      // Only "\c" itself: "\cl" (a chapter label) and "\cp" carry no chapter number of their own.
      chapter_ = FirstNumberInString(line);
    } else if (IsMarkerLine(line, "\\v")) {
      output_.push_back(abbreviation_ + " " + chapter_ + ":" + TextFrom(line, 3));
    } else if (TextStartsWith(line, "\\p") || TextStartsWith(line, "\\q")) {
      if (!output_.empty()) output_.back() += " " + TextFrom(line, 3);
    }
  }
}

TextLines ConvertSFMToBibleWorks(const TextLines& books, const TBookProgress& progress) {
  TSFMToBibleWorks conversion(progress);
  conversion.Add(books);
  return std::move(conversion.Output());
}

TextLines ConvertOnlineBibleToBibleWorks(const TextLines& input, const TBookProgress& progress) {
  TextLines output;
  AnsiString abbreviation;
  AnsiString chapter;
  const char pilcrow = static_cast<char>(182);
  for (const AnsiString& original : input) {
    AnsiString line = Trim(original);
    const std::size_t mark = line.find(pilcrow);
    if (mark != AnsiString::npos) line.erase(mark, 1);
    const std::size_t twoBlanks = line.find("  ");
    if (twoBlanks != AnsiString::npos) line.erase(twoBlanks, 1);
    line = Trim(line);
    if (line.empty()) continue;

    // A heading is a book name, one character and the chapter number at the end.
    const std::size_t digitsStart = line.find_last_not_of("0123456789") + 1;
    if (digitsStart < line.size() && digitsStart > 0) {
      const int book = BookNumberFromEnglishName(line.substr(0, digitsStart - 1));
      if (book > 0) {
        abbreviation = BibleWorksBookName(book);
        chapter = line.substr(digitsStart);
        if (progress) progress(EnglishBookName(book));
        continue;
      }
    }
    output.push_back(abbreviation + " " + chapter + ":" + line);
  }
  return output;
}
