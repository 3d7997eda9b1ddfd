#include "tools/ParatextConversion.h"

#include <algorithm>

#include "classlib/SysUtils.h"
#include "core/TypesConstants.h"

namespace {

int BookFromBibleWorksName(const AnsiString& abbreviation) {
  for (int book = 1; book <= BookCount; ++book)
    if (BibleWorksBookName(book) == abbreviation) return book;
  return 0;
}

AnsiString LineTextFrom(const AnsiString& text, std::size_t index) { return index < text.size() ? text.substr(index) : AnsiString(); }

// The verse's text cut into lines, taken from the end of the stored (visual-order) text: each line
// gets words until it is longer than the cut length and is turned back into reading order.
void AddHebrewVerse(const AnsiString& text, const AnsiString& verse, const TParatextConversionOptions& options,
                    TextLines& out) {
  AnsiString reversed(text.rbegin(), text.rend());
  reversed += ' ';
  AnsiString prefix = "\\v " + verse;
  AnsiString piece;
  auto addLine = [&] {
    out.push_back(options.OnlyMarkers ? prefix : prefix + AnsiString(piece.rbegin(), piece.rend()));
    prefix.clear();
    piece.clear();
  };
  for (std::size_t pos = 0; pos < reversed.size();) {
    const std::size_t blank = reversed.find(' ', pos);
    const std::size_t end = blank == AnsiString::npos ? reversed.size() : blank + 1;
    piece.append(reversed, pos, end - pos);
    pos = end;
    if (piece.size() > static_cast<std::size_t>(std::max(options.CutLength, 0))) addLine();
  }
  if (!piece.empty()) addLine();
}

AnsiString Shortened(AnsiString line) {
  if (line.size() > 60) {
    line.resize(60);
    line.append("...");
  }
  return line;
}

}  // namespace

bool LooksLikeHebrewExport(const TextLines& lines) {
  if (lines.empty()) return false;
  const std::size_t at = lines[0].find("1:1");
  return at != AnsiString::npos && at + 1 >= 10 && at + 1 <= 255;
}

bool ConvertBibleWorksToParatext(const TextLines& lines, const TParatextConversionOptions& options,
                                 std::vector<TConvertedBook>& books, AnsiString& error,
                                 const std::function<void(const AnsiString& englishName)>& progress) {
  books.clear();
  error.clear();
  std::vector<AnsiString> lastChapters;  // per book of `books`
  AnsiString previousAbbreviation;
  std::size_t current = 0;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    AnsiString line = Trim(lines[n]);
    if (line.empty()) continue;
    auto refuse = [&] {
      error = Format("Line %d has no BibleWorks reference: %s", static_cast<Integer>(n + 1), Shortened(Trim(lines[n])));
      books.clear();
      return false;
    };
    const AnsiString whole = line;
    AnsiString reference;
    if (options.Hebrew) {
      const std::size_t blank = line.rfind(' ');
      if (blank == AnsiString::npos || blank < 3) return refuse();
      reference = line.substr(blank - 3);
      line = reference;
    }
    const AnsiString abbreviation = line.substr(0, 3);
    const int book = BookFromBibleWorksName(abbreviation);
    if (book == 0 || line.size() < 4 || line[3] != ' ') return refuse();
    line.erase(0, 4);
    AnsiString chapter;
    const std::size_t chapterAt = FindDigits(line, chapter);
    if (chapterAt != 0 || line.size() <= chapter.size() || line[chapter.size()] != ':') return refuse();
    line = Trim(LineTextFrom(line, chapter.size() + 1));
    AnsiString verse;
    const std::size_t verseAt = FindDigits(line, verse);
    if (verseAt != 0) return refuse();

    if (abbreviation != previousAbbreviation) {
      const AnsiString id = BookId(book);
      auto found = std::find_if(books.begin(), books.end(), [&](const TConvertedBook& b) { return b.Id == id; });
      if (found == books.end()) {
        books.push_back({id, {"\\id " + id}});
        lastChapters.emplace_back();
        found = books.end() - 1;
      }
      current = static_cast<std::size_t>(found - books.begin());
      previousAbbreviation = abbreviation;
      if (progress) progress(EnglishBookName(book));
    }
    TextLines& out = books[current].Lines;
    if (chapter != lastChapters[current]) {
      out.push_back("\\c " + chapter);
      lastChapters[current] = chapter;
    }
    if (options.Hebrew) {
      const AnsiString text = Trim(whole.substr(0, whole.size() - std::min(whole.size(), reference.size() + 1)));
      AddHebrewVerse(text, verse, options, out);
    } else {
      // BibleWorks exports two separator characters after the verse number, its import text (and
      // ours) one blank: up to two blanks or control characters go, never a letter of the text.
      std::size_t start = verse.size();
      while (start < line.size() && start < verse.size() + 2 && static_cast<unsigned char>(line[start]) <= ' ') ++start;
      const AnsiString text = LineTextFrom(line, start);
      out.push_back(options.OnlyMarkers ? "\\v " + verse : "\\v " + verse + " " + text);
    }
  }
  return true;
}

AnsiString WriteConvertedBooks(const std::vector<TConvertedBook>& books, const AnsiString& folder) {
  const AnsiString path = IncludeTrailingPathDelimiter(folder);
  for (const TConvertedBook& book : books) {
    const AnsiString message = WriteResultFile(path + book.Id + ".sfc", JoinLines(book.Lines));
    if (!message.empty()) return message;
  }
  return AnsiString();
}
