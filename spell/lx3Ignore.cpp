#include "spell/lx3Ignore.h"

#include <string_view>

#include "classlib/SysUtils.h"
#include "spell/lx3ParserBase.h"

namespace {

// Matches Text at the walker's position character by character. A match leaves the walker on
// its last character; a failed one leaves it where it was.
bool MatchHere(TControlParser* p, std::string_view text) {
  std::size_t moved = 0;
  bool matched = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (p->CurChar() != text[i]) {
      matched = false;
      break;
    }
    if (i + 1 < text.size()) {
      if (!p->MoveNext()) {
        matched = false;
        ++moved;  // the walker may have moved even though it failed
        break;
      }
      ++moved;
    }
  }
  if (!matched)
    for (; moved > 0; --moved) p->MovePrev();
  return matched;
}

bool StartsWithWww(const AnsiString& word) { return AnsiLowerCase(std::string_view(word).substr(0, 4)) == "www."; }

}  // namespace

bool THTMLIgnore::PreviewChar(AnsiChar C, TControlParser* Parser) {
  if (C != '<' || !Parser) return false;
  if (!Parser->MoveNext()) return true;
  if (MatchHere(Parser, "!--")) {
    // A comment: up to its closing "-->", whatever it holds.
    while (Parser->MoveNext())
      if (MatchHere(Parser, "-->")) break;
    return true;
  }
  const AnsiChar q = Parser->CurChar();
  if (q == '%' || q == '?') {
    // A script block: up to the ">" that follows its "%" or "?".
    AnsiChar previous = q;
    while (Parser->MoveNext()) {
      const AnsiChar c = Parser->CurChar();
      if (c == '>' && previous == q) break;
      previous = c;
    }
    return true;
  }
  while (Parser->CurChar() != '>' && Parser->MoveNext()) {
  }
  return true;
}

bool THTMLIgnore::IgnoreWord(const AnsiString& Word, TControlParser*) { return !Word.empty() && Word[0] == '&'; }

bool TURLIgnore::PreviewWord(const AnsiString& Word, TControlParser* Parser) {
  if (!Parser) return false;
  static constexpr std::string_view schemes[] = {"http", "ftp", "news", "mailto", "nntp", "file", "https", "telnet", "wais"};
  const AnsiChar c = Parser->CurChar();
  bool address = false;
  if (c == ':') {
    const AnsiString lower = AnsiLowerCase(Word);
    for (std::string_view scheme : schemes) address = address || lower == scheme;
  } else if (c == '@') {
    address = true;
  } else if (c == '\\' || c == '/') {
    address = StartsWithWww(Word);
  }
  if (!address) return false;
  static constexpr std::string_view stops("\r\n\t \"()[]{},<>'");
  while (stops.find(Parser->CurChar()) == std::string_view::npos && Parser->MoveNext()) {
  }
  return true;
}

bool TURLIgnore::IgnoreWord(const AnsiString& Word, TControlParser*) { return StartsWithWww(Word); }

bool TQuotedLineIgnore::IgnoreWord(const AnsiString&, TControlParser* Parser) {
  if (!Parser) return false;
  AnsiString line;
  Parser->GetText(line);
  return IgnoreLine(line);
}

bool TQuotedLineIgnore::IgnoreLine(const AnsiString& Line) {
  return !Line.empty() && QuoteChars.find(Line[0]) != AnsiString::npos;
}

bool TUppercaseWordIgnore::IgnoreWord(const AnsiString& Word, TControlParser*) { return AnsiUpperCase(Word) == Word; }

bool TNumbersIgnore::IgnoreWord(const AnsiString& Word, TControlParser*) {
  return Word.find_first_of("0123456789") != AnsiString::npos;
}

bool TAbbreviationsIgnore::IgnoreWord(const AnsiString& Word, TControlParser*) {
  if (Word.find('.') == AnsiString::npos) return false;
  std::string_view rest = Word;
  while (rest.size() >= 3 && rest[1] == '.') rest.remove_prefix(2);
  return rest.size() < 3;
}
