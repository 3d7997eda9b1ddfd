// Measures the spell engine on a whole Bible: one million look-ups against a main dictionary, a
// 25,000-word book and the whole Bible broken into words and judged by the spell-check component
// as the main window's background check does (IsWordAcceptable), and 100 suggestion lists of the
// component for misspelt words.
//
//   spell_bench.exe [--dictionary FILE] [--books FOLDER] [--out FOLDER]
//
// The dictionary defaults to American.lxm in the program folder, the books to the KJV project
// of the shared test data. With --out the words of each measurement are written there
// (lookups.txt, book.txt, misspelt.txt, code page 1252), so that another spelling checker can be
// timed on the same words; spell/bench/compare-with-hunspell.sh does that.
//
// Besides a readable report the program prints "name=value" lines for scripts.
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/SysUtils.h"
#include "spell/lx3MainDictionary.h"
#include "spell/lx3ParseEngine.h"
#include "spell/lx3SpellBase.h"
#include "spell/lx3StringParser.h"

namespace {

// Runs the step `repeat` times and returns the best time in seconds.
double Best(int repeat, const std::function<void()>& step) {
  double best = 1e30;
  for (int i = 0; i < repeat; ++i) {
    const auto start = std::chrono::steady_clock::now();
    step();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

// The verse texts of every book file in the folder, in file order.
std::vector<AnsiString> VerseTexts(const AnsiString& folder) {
  std::vector<AnsiString> verses;
  TSearchRec found;
  TStringList book;
  if (FindFirst(folder + "*.SFM", faAnyFile & ~faDirectory, found) != 0) return verses;
  do {
    book.LoadFromFile(folder + found.Name);
    for (Integer i = 0; i < book.GetCount(); ++i) {
      const AnsiString line = book[i];
      if (line.rfind("\\v ", 0) != 0) continue;
      const std::size_t blank = line.find(' ', 3);
      if (blank != AnsiString::npos) verses.push_back(line.substr(blank + 1));
    }
  } while (FindNext(found) == 0);
  FindClose(found);
  return verses;
}

void BreakIntoWords(AnsiString text, std::vector<AnsiString>& words) {
  TStringParser walker;
  walker.Init(text);
  TMainParsingEngine engine;
  engine.Initialize(&walker, ckWholeText);
  AnsiString w;
  for (engine.GetNextWord(w); !w.empty(); engine.GetNextWord(w)) words.push_back(w);
}

// A component that reads only the dictionary: no stored configuration, no user dictionaries.
TLexemeSpell3Base* NewSpellComponent(const AnsiString& dictionary) {
  auto* spell = new TLexemeSpell3Base(nullptr);
  spell->SetConfigStorage(csNone);
  spell->GetConfigDictionaryDir()->SetText(ExtractFileDir(dictionary));
  spell->GetConfigDefaultMain()->SetText(ExtractFileName(dictionary));
  spell->ConfigDefaultActiveCustom = "";
  spell->SetSuggestionsLearning(false);
  return spell;
}

// The main window's background check: the component's word breaker over the text, and each
// word judged by the component. Returns the number of words; counts the acceptable ones.
std::size_t CheckBook(TLexemeSpell3Base& spell, AnsiString text, std::size_t& acceptable) {
  TStringParser walker;
  walker.Init(text);
  TParsingEngine* engine = spell.GetParsingEngine();
  engine->Initialize(&walker, ckWholeText);
  std::size_t words = 0;
  acceptable = 0;
  AnsiString w;
  for (engine->GetNextWord(w); !w.empty(); engine->GetNextWord(w)) {
    ++words;
    acceptable += spell.IsWordAcceptable(w);
  }
  engine->Initialize(nullptr, ckWholeText);
  return words;
}

// A deterministic misspelling of a dictionary word: neighbours swapped, a letter replaced or a
// letter dropped.
AnsiString Misspell(const AnsiString& w, int kind) {
  AnsiString m = w;
  const std::size_t at = m.size() / 2;
  switch (kind % 3) {
    case 0: std::swap(m[at - 1], m[at]); break;
    case 1: m[at] = m[at] == 'e' ? 'a' : 'e'; break;
    default: m.erase(at, 1); break;
  }
  return m;
}

void Save(const AnsiString& fileName, const std::vector<AnsiString>& lines) {
  TStringList list;
  for (const AnsiString& l : lines) list.Add(l);
  list.SaveToFile(fileName);
}

}  // namespace

int main() {
  AnsiString dictionary = ExtractFilePath(ParamStr(0)) + "American.lxm";
  AnsiString books = "Z:\\work\\shared\\data\\kjv\\KJV";
  AnsiString out;
  for (Integer i = 1; i + 1 <= ParamCount(); i += 2) {
    const AnsiString option = ParamStr(i), value = ParamStr(i + 1);
    if (option == "--dictionary") dictionary = value;
    else if (option == "--books") books = value;
    else if (option == "--out") out = IncludeTrailingBackslash(value);
  }
  books = IncludeTrailingBackslash(books);

  TMainDictionary dict;
  dict.Open(dictionary);
  if (dict.GetFileName() != dictionary) {
    std::fprintf(stderr, "Cannot open the main dictionary %s\n", dictionary.c_str());
    return 1;
  }
  const std::vector<AnsiString> verses = VerseTexts(books);
  if (verses.empty()) {
    std::fprintf(stderr, "No verse lines in %s*.SFM\n", books.c_str());
    return 1;
  }

  // One million look-ups: the words of the Bible in order, again from the start when they run out.
  std::vector<AnsiString> bible;
  AnsiString all;
  for (const AnsiString& v : verses) all += v + "\r\n";
  BreakIntoWords(all, bible);
  std::vector<AnsiString> lookups;
  lookups.reserve(1000000);
  while (lookups.size() < 1000000) lookups.push_back(bible[lookups.size() % bible.size()]);
  std::size_t found = 0;
  dict.WordExists("map");  // maps the file
  const double lookupTime = Best(3, [&] {
    found = 0;
    for (const AnsiString& w : lookups) found += dict.WordExists(w);
  });

  // The spell-check component over a book of 25,000 words (the first verses of the Bible) and
  // over the whole Bible.
  std::unique_ptr<TLexemeSpell3Base, void (*)(TLexemeSpell3Base*)> spell(NewSpellComponent(dictionary),
                                                                         [](TLexemeSpell3Base* s) { delete s; });
  if (!spell->IsWordAcceptable("map") || spell->GetMainDictionaryCount() != 1) {
    std::fprintf(stderr, "The spell-check component cannot open %s\n", dictionary.c_str());
    return 1;
  }
  AnsiString book;
  std::size_t bookWords = 0;
  for (std::size_t i = 0; i < verses.size() && bookWords < 25000; ++i) {
    std::vector<AnsiString> words;
    BreakIntoWords(verses[i], words);
    bookWords += words.size();
    book += verses[i] + "\r\n";
  }
  std::size_t bookChecked = 0, bookFound = 0;
  const double bookTime = Best(5, [&] { bookChecked = CheckBook(*spell, book, bookFound); });
  std::size_t bibleChecked = 0, bibleFound = 0;
  const double bibleTime = Best(3, [&] { bibleChecked = CheckBook(*spell, all, bibleFound); });

  // 100 suggestion lists for misspelt dictionary words of the Bible.
  std::vector<AnsiString> misspelt;
  for (std::size_t i = 0; i < bible.size() && misspelt.size() < 100; i += 977) {
    const AnsiString& w = bible[i];
    if (w.size() < 5 || AnsiLowerCase(w) != w || !dict.WordExists(w)) continue;
    const AnsiString m = Misspell(w, static_cast<int>(misspelt.size()));
    if (!spell->IsWordAcceptable(m)) misspelt.push_back(m);
  }
  TStringList suggestions;
  std::size_t offered = 0;
  const double suggestTime = Best(3, [&] {
    offered = 0;
    for (const AnsiString& m : misspelt) {
      spell->BuildSuggestions(m, &suggestions, -1);
      offered += suggestions.GetCount();
    }
  });

  if (!out.empty()) {
    Save(out + "lookups.txt", lookups);
    TStringList lines;
    lines.SetText(book);
    lines.SaveToFile(out + "book.txt");
    Save(out + "misspelt.txt", misspelt);
  }

  const double lookupRate = lookups.size() / lookupTime, bookRate = bookChecked / bookTime;
  const double bibleRate = bibleChecked / bibleTime;
  const double msPerList = suggestTime * 1000.0 / misspelt.size();
  std::printf("Dictionary %s: %s\n", dictionary.c_str(), dict.GetName().c_str());
  std::printf("  %zu look-ups (%zu found)          %10.0f words/s\n", lookups.size(), found, lookupRate);
  std::printf("  book of %zu words checked (%zu acceptable) %8.0f words/s\n", bookChecked, bookFound, bookRate);
  std::printf("  Bible of %zu words checked (%zu acceptable) %7.0f words/s\n", bibleChecked, bibleFound, bibleRate);
  std::printf("  %zu suggestion lists (%zu entries)    %10.3f ms per list\n", misspelt.size(), offered, msPerList);
  spell->BuildSuggestions(misspelt.front(), &suggestions, -1);
  std::printf("  e.g. %s: %s\n", misspelt.front().c_str(), suggestions.GetCommaText().c_str());
  std::printf("lookup_words=%zu\nlookup_words_per_second=%.0f\nbook_words=%zu\nbook_words_per_second=%.0f\n",
              lookups.size(), lookupRate, bookChecked, bookRate);
  std::printf("bible_words=%zu\nbible_words_per_second=%.0f\n", bibleChecked, bibleRate);
  std::printf("suggestion_lists=%zu\nms_per_suggestion_list=%.3f\n", misspelt.size(), msPerList);
  return 0;
}
