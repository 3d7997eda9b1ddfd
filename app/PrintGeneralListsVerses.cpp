// "Add verse text to the references": under each reference line of "pelorin.ref" the text of its
// verse from the current project's book, with the words that hold one of the line's expected
// translations ("Translate as: ...") highlighted; or "Verse not found".
#include <memory>
#include <unordered_map>
#include <vector>

#include "app/PrintGeneralLists.h"
#include "classlib/Strings.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/FontTable.h"
#include "core/MyRegistry.h"
#include "core/ScripturesUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"

namespace {

constexpr Integer kNormalStyle = 0;
constexpr Integer kTranslationStyle = 1;
// Only this much of a line after "Translate as: " is read.
constexpr Integer kMaxExpectedLength = 1000;
const char kTranslateAs[] = "Translate as: ";

// One book's lines, with the line of each verse found once, on first use.
class TBookText {
public:
  std::vector<AnsiString> Lines;

  // The text of the verse: from after its number on the line that begins with "\v " and the
  // number, in the chapter, to the next verse marker or chapter line (lines joined by a blank).
  // False when the chapter has no such line.
  bool Verse(Integer chapter, Integer verse, AnsiString& text) {
    if (!indexed_) Index();
    const auto found = verses_.find(Key(chapter, verse));
    if (found == verses_.end()) return false;
    std::size_t line = found->second;
    const AnsiString& first = Lines[line];
    std::size_t start = 3;  // after "\v "
    while (start < first.size() && IsDigit(first[start])) ++start;
    AnsiString rest = first.substr(start);
    text.clear();
    for (;;) {
      const std::size_t next = rest.find("\\v ");
      if (!text.empty() && !rest.empty()) text += ' ';
      text += next == AnsiString::npos ? rest : rest.substr(0, next);
      if (next != AnsiString::npos || ++line >= Lines.size() || IsMarkerLine(Lines[line], "\\c")) break;
      rest = Lines[line];
    }
    text = Trim(text);
    return true;
  }

private:
  static long long Key(Integer chapter, Integer verse) { return static_cast<long long>(chapter) << 32 | verse; }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  void Index() {
    indexed_ = true;
    Integer chapter = 0;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
      const AnsiString& line = Lines[i];
      if (IsMarkerLine(line, "\\c")) {
        chapter = StrToIntDef(FirstNumberInString(line), 0);
      } else if (line.compare(0, 3, "\\v ") == 0 && line.size() > 3 && IsDigit(line[3])) {
        std::size_t end = 3;
        while (end < line.size() && IsDigit(line[end])) ++end;
        verses_.emplace(Key(chapter, StrToIntDef(line.substr(3, end - 3), 0)), i);  // the first one counts
      }
    }
  }

  bool indexed_ = false;
  std::unordered_map<long long, std::size_t> verses_;
};

// Every book of the current project by book number.
std::vector<TBookText> ReadAllBooks(TComponent* owner) {
  std::vector<TBookText> books(BookCount + 1);
  std::unique_ptr<TScripture> scripture(new TScripture(owner, -1));
  scripture->Rewind();
  AnsiString name;
  while (scripture->NextBook(name)) {
    const int book = BookNumberFromEnglishName(name);
    if (book < 1) continue;
    std::vector<AnsiString>& lines = books[book].Lines;
    const AnsiString& text = scripture->Text;
    for (std::size_t start = 0; start < text.size();) {
      std::size_t end = text.find('\n', start);
      if (end == AnsiString::npos) end = text.size();
      lines.push_back(text.substr(start, end - start));
      start = end + 1;
    }
  }
  return books;
}

// The reference of a list line: its book (the first three characters), chapter and verse (the
// first numbers before and after its first colon). False when it names none.
bool ParseReference(const AnsiString& line, int& book, Integer& chapter, Integer& verse) {
  book = BookNumberFromId(line.substr(0, 3));
  const std::size_t colon = line.find(':', 3);
  if (book < 1 || colon == AnsiString::npos) return false;
  chapter = StrToIntDef(FirstNumberInString(line.substr(3, colon - 3)), 0);
  verse = StrToIntDef(FirstNumberInString(line.substr(colon + 1)), 0);
  return chapter > 0 && verse > 0;
}

// The words after "Translate as: ": at most 1000 characters, trimmed, every character that is no
// word character taken as a blank.
std::vector<AnsiString> ExpectedTranslations(const AnsiString& line, const TCharSet& wordChars) {
  std::vector<AnsiString> words;
  const Integer at = Pos(kTranslateAs, line);
  if (at == 0) return words;
  AnsiString wanted = Trim(Copy(line, at + static_cast<Integer>(sizeof kTranslateAs) - 1, kMaxExpectedLength));
  AnsiString word;
  for (char c : wanted + " ") {
    if (wordChars.Contains(static_cast<Byte>(c))) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

// A piece of verse text in a text style.
struct TPiece {
  AnsiString Text;
  Integer Style;
};

// The verse cut into runs of word characters and the characters between them; a word that holds
// one of the expected translations is in the translation's style. `holds` tells whether any did.
std::vector<TPiece> MarkTranslations(const AnsiString& verse, const std::vector<AnsiString>& expected,
                                     const TCharSet& wordChars, bool& holds) {
  std::vector<TPiece> pieces;
  holds = false;
  auto add = [&](const AnsiString& text, Integer style) {
    if (text.empty()) return;
    if (!pieces.empty() && pieces.back().Style == style)
      pieces.back().Text += text;
    else
      pieces.push_back({text, style});
  };
  std::size_t i = 0;
  while (i < verse.size()) {
    const bool isWord = wordChars.Contains(static_cast<Byte>(verse[i]));
    std::size_t end = i;
    while (end < verse.size() && wordChars.Contains(static_cast<Byte>(verse[end])) == isWord) ++end;
    const AnsiString run = verse.substr(i, end - i);
    bool marked = false;
    if (isWord)
      for (const AnsiString& word : expected)
        if (run.find(word) != AnsiString::npos) marked = true;
    holds = holds || marked;
    add(run, marked ? kTranslationStyle : kNormalStyle);
    i = end;
  }
  return pieces;
}

}  // namespace

void TPrintGeneralListDialog::AddVerseText() {
  UzurUvadEdit1->Clear();
  const AnsiString path = ReferenceFilePath();
  if (!FileExists(path)) {
    UzurUvadEdit1->Format();
    ShowStatus("File " + path + " does not exist");
    ::MessageBeep(MB_OK);
    return;
  }
  std::unique_ptr<TStringList> list(new TStringList());
  ReadLinesOrNone(path, list.get());
  ShowStatus("Loading all books...");
  std::vector<TBookText> books = ReadAllBooks(this);
  TFontInfos* styles = UVStyle1->GetTextStyles();
  styles->GetItem(kNormalStyle)->Assign(FontRecordToFont(Fonts[fiNormalText]));
  while (styles->GetCount() <= kTranslationStyle) styles->Add();
  styles->GetItem(kTranslationStyle)->Assign(FontRecordToFont(Fonts[fiAddedText]));

  ShowStatus("Extracting verses...");
  const TCharSet wordChars = StringToCharSet(ReadSettingString("Small Letters") + ReadSettingString("Capitals") +
                                             ReadSettingString("Chars Filtered Out"));
  const bool onlyWithout = ShowWithoutValidTranslation1->GetChecked();
  for (Integer i = 0; i < list->GetCount(); ++i) {
    const AnsiString line = list->GetStrings(i);
    int book = 0;
    Integer chapter = 0, verse = 0;
    AnsiString text;
    const bool found = ParseReference(line, book, chapter, verse) && books[book].Verse(chapter, verse, text);
    bool holds = false;
    std::vector<TPiece> pieces;
    if (found) pieces = MarkTranslations(text, ExpectedTranslations(line, wordChars), wordChars, holds);
    if (onlyWithout && holds) continue;
    UzurUvadEdit1->AddNL(line, kNormalStyle, 0);
    if (!found) {
      UzurUvadEdit1->AddNL("Verse not found", kNormalStyle, 0);
      continue;
    }
    if (pieces.empty()) pieces.push_back({AnsiString(), kNormalStyle});
    UzurUvadEdit1->AddNL(pieces.front().Text, pieces.front().Style, 0);
    for (std::size_t p = 1; p < pieces.size(); ++p) UzurUvadEdit1->Add(pieces[p].Text, pieces[p].Style);
  }
  UzurUvadEdit1->Format();
  ShowStatus(onlyWithout ? "Showing verses without valid translation ready" : "Showing all verses ready");
}
