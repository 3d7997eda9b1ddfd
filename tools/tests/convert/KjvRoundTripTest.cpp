// The whole KJV from its books to BibleWorks import text and back to books: every verse comes
// back with its text (the text of the paragraph and poetry lines of a verse joined to it).
#include <map>
#include <tuple>

#include "classlib/SysUtils.h"
#include "tests/support/TestSupport.h"
#include "tools/BibleWorksConversion.h"
#include "tools/ParatextConversion.h"
#include "tools/tests/support/DifferentVersions.h"
#include "tools/tests/support/KjvBooks.h"

namespace {

using VerseKey = std::tuple<AnsiString, AnsiString, AnsiString>;  // book, chapter, verse

AnsiString Collapsed(const AnsiString& text) {
  AnsiString out;
  for (char c : text)
    if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
  return Trim(out);
}

// The verses of standard-format lines: the text of each "\v" line after its number, with the text
// of the "\p" and "\q" lines after it.
std::map<VerseKey, AnsiString> Verses(const AnsiString& id, const TextLines& lines) {
  std::map<VerseKey, AnsiString> verses;
  AnsiString chapter, verse;
  for (const AnsiString& original : lines) {
    const AnsiString line = Trim(original);
    if (line.rfind("\\c ", 0) == 0) {
      chapter = line.substr(3);
      verse.clear();
    } else if (line.rfind("\\v ", 0) == 0) {
      const std::size_t blank = line.find(' ', 3);
      verse = line.substr(3, blank - 3);
      verses[{id, chapter, verse}] = blank == AnsiString::npos ? AnsiString() : line.substr(blank + 1);
    } else if ((line.rfind("\\p", 0) == 0 || line.rfind("\\q", 0) == 0) && !verse.empty()) {
      verses[{id, chapter, verse}] += " " + (line.size() > 3 ? line.substr(3) : AnsiString());
    }
  }
  for (auto& [key, text] : verses) text = Collapsed(text);
  return verses;
}

TEST(KjvRoundTripTest, EveryVerseComesBack) {
  const std::vector<tools_testing::KjvBook> kjv = tools_testing::ReadKjvBooks();
  if (kjv.empty()) GTEST_SKIP() << "the KJV project of the shared data is not here";
  ASSERT_EQ(kjv.size(), 66u);

  TextLines all;
  std::map<VerseKey, AnsiString> expected;
  for (const tools_testing::KjvBook& book : kjv) {
    all.insert(all.end(), book.Lines.begin(), book.Lines.end());
    const AnsiString id = book.Lines.at(0).substr(4, 3);
    expected.merge(Verses(id, book.Lines));
  }
  ASSERT_EQ(expected.size(), 31102u);

  const TextLines bibleWorks = ConvertSFMToBibleWorks(all);
  ASSERT_EQ(bibleWorks.size(), 31102u);
  EXPECT_EQ(bibleWorks[0], "Gen 1:1 In the beginning God created the heaven and the earth.");
  EXPECT_EQ(CheckLineLengths(bibleWorks), "");

  std::vector<TConvertedBook> books;
  AnsiString error;
  ASSERT_FALSE(LooksLikeHebrewExport(bibleWorks));
  ASSERT_TRUE(ConvertBibleWorksToParatext(bibleWorks, {}, books, error)) << error;
  ASSERT_EQ(books.size(), 66u);
  std::map<VerseKey, AnsiString> back;
  for (const TConvertedBook& book : books) {
    EXPECT_EQ(book.Lines.at(0), "\\id " + book.Id);
    back.merge(Verses(book.Id, book.Lines));
  }
  EXPECT_EQ(back.size(), expected.size());
  int differing = 0;
  for (const auto& [key, text] : expected) {
    auto found = back.find(key);
    if (found == back.end() || found->second != text) {
      if (++differing <= 5)
        ADD_FAILURE() << std::get<0>(key) << " " << std::get<1>(key) << ":" << std::get<2>(key) << " came back as \""
                      << (found == back.end() ? AnsiString("(missing)") : found->second) << "\", not \"" << text << "\"";
    }
  }
  EXPECT_EQ(differing, 0);
}

// The import text of the whole KJV stays what it was (a fingerprint taken from the conversion as it
// was first written), whatever steps the conversion is done in.
TEST(KjvRoundTripTest, TheImportTextOfTheWholeKjvIsWhatItWas) {
  const std::vector<tools_testing::KjvBook> kjv = tools_testing::ReadKjvBooks();
  if (kjv.empty()) GTEST_SKIP() << "the KJV project of the shared data is not here";
  TextLines all;
  for (const tools_testing::KjvBook& book : kjv) all.insert(all.end(), book.Lines.begin(), book.Lines.end());
  std::vector<std::string> names;
  const TextLines bibleWorks = ConvertSFMToBibleWorks(all, [&](const AnsiString& name) { names.push_back(name); });
  tools_testing::Fingerprint print;
  for (const AnsiString& line : bibleWorks) print.Add(line);
  EXPECT_EQ(print.Hex(), "01281275dfeb9562");
  ASSERT_EQ(names.size(), 66u);
  EXPECT_EQ(names.front(), "Genesis");
}

// The books added one by one to one conversion give the import text of all of them at once: a
// paragraph line at the start of a book continues the last verse of the book before.
TEST(KjvRoundTripTest, BookByBookTheImportTextIsThatOfAllBooksAtOnce) {
  const TextLines first = {"\\id GEN", "\\c 1", "\\v 1 In the beginning", "\\q was the word"};
  const TextLines second = {"\\q and more", "\\id EXO", "\\c 2", "\\v 3 Now", "\\p", "\\q1 poetry"};
  TextLines all = first;
  all.insert(all.end(), second.begin(), second.end());
  std::vector<AnsiString> names;
  TSFMToBibleWorks conversion([&](const AnsiString& name) { names.push_back(name); });
  conversion.Add(first);
  conversion.Add(second);
  EXPECT_EQ(conversion.Output(), ConvertSFMToBibleWorks(all));
  EXPECT_EQ(conversion.Output(),
            (TextLines{"Gen 1:1 In the beginning was the word and more", "Exo 2:3 Now   poetry"}));
  EXPECT_EQ(names, (std::vector<AnsiString>{"Genesis", "Exodus"}));
}

}  // namespace
