#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "spell/lx3Ignore.h"
#include "spell/lx3ParseEngine.h"
#include "spell/lx3StringParser.h"

namespace {

using List = std::vector<std::string>;

// Words of a text, with the filters hooked in the way the spell-check component hooks them:
// character and word previews through the breaker's hooks, ignored words shown in brackets.
class Breaker {
public:
  Breaker() {
    engine.OnPreviewChar = TPreviewCharEvent::FromFunction([this](AnsiChar c, TControlParser* p, bool& skip) {
      for (auto& f : filters)
        if (f->WantsCharPreview() && f->PreviewChar(c, p)) {
          skip = true;
          return;
        }
    });
    engine.OnWordFound = TWordFoundEvent::FromFunction([this](const AnsiString& w, TControlParser* p, bool& again) {
      for (auto& f : filters)
        if (f->WantsCharPreview() && f->PreviewWord(w, p)) {
          again = true;
          return;
        }
    });
  }

  List Words(AnsiString text, Integer kind = ckWholeText) {
    TStringParser walker;
    walker.Init(text);
    engine.Initialize(&walker, kind);
    return Collect(walker);
  }

  List Collect(TControlParser& walker) {
    List words;
    AnsiString w;
    for (engine.GetNextWord(w); !w.empty(); engine.GetNextWord(w)) {
      bool ignored = false;
      for (auto& f : filters) ignored = ignored || f->IgnoreWord(w, &walker);
      words.push_back(ignored ? "(" + w + ")" : w);
    }
    return words;
  }

  TMainParsingEngine engine;
  std::vector<std::unique_ptr<TParserIgnore>> filters;
};

struct BreakCase {
  const char* text;
  List words;
};

TEST(WordBreaking, CutsWordsWithTheDefaultCharacters) {
  const BreakCase cases[] = {
      {"Hello world", {"Hello", "world"}},
      {"  leading and trailing  ", {"leading", "and", "trailing"}},
      {"end.Next", {"end.Next"}},              // a period before an inner character stays
      {"e.g. this", {"e.g.", "this"}},         // an abbreviation keeps both periods
      {"U.S.A. is", {"U.S.A.", "is"}},
      {"The end.", {"The", "end"}},            // a full stop is not part of the word
      {"word... more", {"word", "more"}},
      {"'quoted' \"double\"", {"quoted", "double"}},
      {"dogs' tails", {"dogs", "tails"}},       // a closing apostrophe is trimmed
      {"don't won\x92t", {"don't", "won\x92t"}},
      {"R&D", {"R", "&D"}},                    // "&" begins a word but does not continue one
      {"abc123 4.5 3,5", {"abc123", "4.5", "3", "5"}},
      {"caf\xE9 na\xEFve \xC5ngstr\xF6m", {"caf\xE9", "na\xEFve", "\xC5ngstr\xF6m"}},
      {"last", {"last"}},                      // a word at the very end is complete
      {"", {}},
      {"... !!! ", {}},
  };
  for (const BreakCase& c : cases) EXPECT_EQ(Breaker().Words(c.text), c.words) << c.text;
}

TEST(WordBreaking, SplitApostrophesForElision) {
  Breaker b;
  b.engine.SetSplitApostrophes(true);
  EXPECT_EQ(b.engine.GetBreakChars(), "&'");
  EXPECT_EQ(b.Words("l'homme aujourd'hui Entr'acte qu'il"),
            (List{"l", "homme", "aujourd'hui", "Entr'acte", "qu", "il"}));
  b.engine.SetSplitApostrophes(true);  // added once only
  EXPECT_EQ(b.engine.GetBreakChars(), "&'");
  b.engine.SetBreakChars("'&'");
  b.engine.SetSplitApostrophes(false);  // every apostrophe goes
  EXPECT_EQ(b.engine.GetBreakChars(), "&");
  EXPECT_EQ(b.Words("l'homme"), List{"l'homme"});
}

TEST(WordBreaking, OwnWordCharacters) {
  Breaker b;
  b.engine.SetWordChars("abcdefghijklmnopqrstuvwxyz\"-");
  b.engine.NoStartChars = "-";
  EXPECT_TRUE(b.engine.IsWordChar('"'));
  EXPECT_FALSE(b.engine.IsWordChar('A'));
  // A stretch of trim characters only gives no word, and the words after it still come.
  EXPECT_EQ(b.Words("\"\" well-known Xray -dash"), (List{"well-known", "ray", "dash"}));
}

TEST(WordBreaking, RangesAndStartPositions) {
  Breaker b;
  AnsiString text = "hello world again";
  TStringParser walker;
  walker.Init(text);
  b.engine.Initialize(&walker, ckWholeText);
  walker.SetPos(9, 0, pmEnd);  // the range ends inside "world"
  EXPECT_EQ(b.Collect(walker), List{"hello"});

  struct {
    Integer start;
    List words;
  } const starts[] = {
      {1, {"hello", "world", "again"}},  // a word that starts at the position is read whole
      {3, {"world", "again"}},           // the rest of a word that the position cuts is skipped
      {6, {"world", "again"}},
      {7, {"world", "again"}},
      {8, {"again"}},
  };
  for (const auto& s : starts) {
    walker.Init(text);
    walker.SetPos(s.start, 0, pmCurrent);
    b.engine.Initialize(&walker, ckFromCursor);
    EXPECT_EQ(b.Collect(walker), s.words) << s.start;
  }
  EXPECT_EQ(b.engine.GetLastWord(), "again");
}

TEST(WordBreaking, WordHookCanRejectWords) {
  Breaker b;
  b.engine.OnWordFound = TWordFoundEvent::FromFunction(
      [](const AnsiString& w, TControlParser*, bool& again) { again = w == "skip"; });
  EXPECT_EQ(b.Words("keep skip keep2"), (List{"keep", "keep2"}));
}

TEST(IgnoreFilters, MarkupIsSkipped) {
  Breaker b;
  b.filters.push_back(std::make_unique<THTMLIgnore>());
  const BreakCase cases[] = {
      {"<b>bold</b> text &amp; more", {"bold", "text", "(&amp)", "more"}},
      {"a <!-- note > still note --> b", {"a", "b"}},
      {"a <% if x > y %> b <?php q ?> c", {"a", "b", "c"}},
      {"a <br/>b", {"a", "b"}},
      {"text <", {"text"}},
      {"text <unclosed tag", {"text"}},
  };
  for (const BreakCase& c : cases) EXPECT_EQ(b.Words(c.text), c.words) << c.text;
}

TEST(IgnoreFilters, InternetAddressesAreSkipped) {
  Breaker b;
  b.filters.push_back(std::make_unique<TURLIgnore>());
  const BreakCase cases[] = {
      {"see http://www.example.com/path?x=1 now", {"see", "now"}},
      {"or HTTPS://host.org/a,b then", {"or", "b", "then"}},  // a comma ends an address
      {"mail john.smith@example.com today", {"mail", "today"}},
      {"go www.example.com/page more", {"go", "more"}},
      {"alone www.example.com here", {"alone", "(www.example.com)", "here"}},
      {"note: this", {"note", "this"}},
  };
  for (const BreakCase& c : cases) EXPECT_EQ(b.Words(c.text), c.words) << c.text;
}

TEST(IgnoreFilters, WordsOfEveryKind) {
  TUppercaseWordIgnore upper;
  TNumbersIgnore numbers;
  TAbbreviationsIgnore abbreviations;
  TQuotedLineIgnore quoted;
  quoted.QuoteChars = ">|";
  struct {
    TParserIgnore* filter;
    const char* word;
    bool ignored;
  } const cases[] = {
      {&upper, "NASA", true},        {&upper, "Nasa", false},       {&upper, "123", true},
      {&upper, "\xC9T\xC9", true},   {&upper, "\xC9t\xE9", false},
      {&numbers, "abc1", true},      {&numbers, "abc", false},      {&numbers, "4th", true},
      {&abbreviations, "e.g.", true}, {&abbreviations, "U.S.A.", true}, {&abbreviations, "a.b", true},
      {&abbreviations, "etc.", false}, {&abbreviations, "ab.cd", false}, {&abbreviations, "word", false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.filter->IgnoreWord(c.word, nullptr), c.ignored) << c.word;
  EXPECT_TRUE(quoted.IgnoreLine("> quoted"));
  EXPECT_TRUE(quoted.IgnoreLine("|bar"));
  EXPECT_FALSE(quoted.IgnoreLine(" > not"));
  EXPECT_FALSE(quoted.IgnoreLine(""));
  EXPECT_FALSE(quoted.IgnoreWord("x", nullptr));
  EXPECT_TRUE(quoted.WantsLinePreview());
  EXPECT_FALSE(quoted.WantsCharPreview());
  TParserIgnoreBase base;
  EXPECT_FALSE(base.WantsCharPreview() || base.WantsLinePreview() || base.IgnoreLine("x"));
}

TEST(IgnoreFilters, QuotedTextThroughTheWalker) {
  Breaker b;
  auto quoted = std::make_unique<TQuotedLineIgnore>();
  quoted->QuoteChars = ">";
  b.filters.push_back(std::move(quoted));
  EXPECT_EQ(b.Words("> quoted text"), (List{"(quoted)", "(text)"}));
  EXPECT_EQ(b.Words("plain > text"), (List{"plain", "text"}));
}

TEST(StringWalker, MovesMarksAndReplacesInTheCallersString) {
  AnsiString text = "ab cd";
  TStringParser w;
  w.Init(text);
  EXPECT_EQ(w.CurChar(), 'a');
  EXPECT_FALSE(w.MovePrev());
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(w.MoveNext());
  EXPECT_EQ(w.CurChar(), 'd');
  EXPECT_TRUE(w.MoveNext());  // onto the position past the end
  EXPECT_EQ(w.CurChar(), '\0');
  EXPECT_FALSE(w.MoveNext());
  Integer column, line;
  w.GetPos(column, line);
  EXPECT_EQ(column, 7);  // moved even though it failed
  EXPECT_EQ(line, 0);

  w.SetPos(6, 0, pmCurrent);
  w.SetPos(5, 0, pmEnd);  // the range ends on "d"
  w.MarkBack(2);          // "cd"
  w.GetCursor(column, line);
  EXPECT_EQ(column, 4);
  w.ReplaceWord("cdef", 0);
  EXPECT_EQ(text, "ab cdef");
  w.GetPos(column, line);
  EXPECT_EQ(column, 8);
  w.SetPos(6, 0, pmCurrent);
  EXPECT_TRUE(w.MoveNext());  // the end moved with the longer word: column 7 is still inside
  EXPECT_FALSE(w.MoveNext());

  w.SetPos(1, 0, pmCurrent);
  w.MarkBack(0);
  w.SetPos(3, 0, pmCurrent);
  w.MarkBack(2);
  w.SkipMarked();
  w.GetPos(column, line);
  EXPECT_EQ(column, 3);
  AnsiString all;
  w.GetText(all);
  EXPECT_EQ(all, "ab cdef");
  TRect r;
  w.ControlRect(r);
  EXPECT_EQ(r, Rect(-1, -1, -1, -1));
  w.SelectionRect(r);
  EXPECT_EQ(r, Rect(-1, -1, -1, -1));
  Integer sc, sl, ec, el;
  w.GetSelection(sc, sl, ec, el);
  EXPECT_EQ(sc, 3);
  EXPECT_EQ(ec, 3);
  w.SetPos(-5, 0, pmCurrent);
  w.GetPos(column, line);
  EXPECT_EQ(column, 1);
}

}  // namespace
