#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/Strings.h"
#include "spell/compiler/lx3DictionaryCompiler.h"
#include "spell/lx3DictionaryFormat.h"
#include "spell/lx3MainDictionary.h"
#include "spell/lx3PhoneticsMap.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

std::string Compile(const std::vector<std::string>& words, std::u16string name = u"Test", std::uint32_t language = 1033,
                    TDictionaryCompiler::TStatistics* stats = nullptr) {
  TDictionaryCompiler compiler;
  std::string error, bytes;
  for (const std::string& w : words) EXPECT_TRUE(compiler.AddWord(w, error)) << error;
  EXPECT_TRUE(compiler.Compile(name, language, bytes, error, stats)) << error;
  return bytes;
}

class MainDictionaryTest : public ::testing::Test {
protected:
  // Writes the bytes as a dictionary file and opens it; the object must accept it.
  TMainDictionary& Load(const std::string& bytes, const char* name = "test.lxm") {
    const std::string path = temp_.File(name);
    WriteFileBytes(path, bytes);
    dict_ = std::make_unique<TMainDictionary>();
    dict_->Open(path);
    EXPECT_EQ(dict_->GetFileName(), path);
    return *dict_;
  }

  testing_support::TempFolder temp_;
  std::unique_ptr<TMainDictionary> dict_;
};

TEST_F(MainDictionaryTest, LooksUpWordsExactly) {
  TMainDictionary& d = Load(Compile({"car", "cars", "cat", "a", "I", "do", "dog", "dogs", "done", "strength", "Zoe",
                                     "ba", "bb", "bc", "bd", "be", "bf", "bg", "bh", "bi", "bj", "b\xE9t\xE9"}));
  struct {
    const char* word;
    bool found;
  } const cases[] = {
      {"car", true},        {"cars", true},      {"cat", true},       {"ca", false},     {"c", false},
      {"carsx", false},     {"cxr", false},      // the only child's letter is compared too
      {"a", true},          {"I", true},         {"i", false},        {"A", false},      {"", false},
      {"do", true},         {"dog", true},       {"dogs", true},      {"done", true},    {"don", false},
      {"strength", true},   {"streng", false},   // ends inside the extra letters
      {"strengt", false},   // ends right after them
      {"strenqth", false},  {"strengths", false}, {"st", false},
      {"Zoe", true},        {"zoe", false},      {"ZOE", false},
      {"ba", true},         {"bj", true},        {"bk", false},       // ten children: the count is in the side array
      {"b\xE9t\xE9", true}, {"bete", false},
  };
  for (const auto& c : cases) EXPECT_EQ(d.WordExists(c.word), c.found) << c.word;
  EXPECT_TRUE(d.GetMapped());
}

TEST_F(MainDictionaryTest, SingleChildLetterIsCompared) {
  TMainDictionary& d = Load(Compile({"car", "cars"}));
  EXPECT_TRUE(d.WordExists("car"));
  EXPECT_TRUE(d.WordExists("cars"));
  EXPECT_FALSE(d.WordExists("cxr"));
  EXPECT_FALSE(d.WordExists("cax"));
  EXPECT_FALSE(d.WordExists("cxrs"));
}

TEST_F(MainDictionaryTest, ReadsNameLanguageAndCountsUses) {
  TMainDictionary& d = Load(Compile({"word"}, u"Fran\u00E7ais", 1036));
  EXPECT_EQ(d.GetName(), "Fran\xE7" "ais");
  EXPECT_EQ(d.GetLanguage(), 1036u);
  EXPECT_FALSE(d.GetMapped());  // mapped at the first lookup
  EXPECT_EQ(d.GetUses(), 0);
  d.IncUses();
  d.IncUses();
  EXPECT_EQ(d.GetUses(), 2);
  d.SetMapped(true);
  d.Open(d.GetFileName());  // opening again keeps the mapping and restarts the count
  EXPECT_TRUE(d.GetMapped());
  EXPECT_EQ(d.GetUses(), 0);
  EXPECT_TRUE(d.WordExists("word"));
}

TEST_F(MainDictionaryTest, WideChildNumbersAcrossManyNodes) {
  // Enough unrelated words for more than 65535 nodes: child numbers then take 2 or 3 bytes.
  std::vector<std::string> words;
  std::uint32_t state = 12345;
  auto next = [&] { return state = state * 1103515245u + 12345u, (state >> 16) & 0x7FFF; };
  while (words.size() < 100000) {
    std::string w(3 + next() % 7, 'a');
    for (char& c : w) c = static_cast<char>('a' + next() % 26);
    words.push_back(w);
  }
  TDictionaryCompiler::TStatistics stats;
  TMainDictionary& d = Load(Compile(words, u"Wide", 1033, &stats));
  ASSERT_GE(stats.Nodes, 65535u);
  for (const std::string& w : words) ASSERT_TRUE(d.WordExists(w)) << w;
  std::size_t misses = 0;
  for (const std::string& w : words) misses += !d.WordExists(w + "q") && !d.WordExists("q" + w.substr(1) + "zz");
  EXPECT_GT(misses, 90000u);
}

TEST_F(MainDictionaryTest, RefusesFilesThatAreNotDictionaries) {
  const std::string good = Compile({"word"});
  struct {
    const char* name;
    std::string bytes;
  } const files[] = {
      {"header-only.lxm", good.substr(0, lx3_format::HeaderBlockSize)},
      {"banner.lxm", "X" + good.substr(1)},
      {"short-name.lxm", good.substr(0, lx3_format::HeaderBlockSize + 10)},
  };
  for (const auto& f : files) {
    const std::string path = temp_.File(f.name);
    WriteFileBytes(path, f.bytes);
    TMainDictionary d;
    d.Open(path);
    EXPECT_EQ(d.GetFileName(), "") << f.name;
    EXPECT_FALSE(d.WordExists("word")) << f.name;
  }
  TMainDictionary missing;
  missing.Open(temp_.File("missing.lxm"));
  EXPECT_EQ(missing.GetFileName(), "");
}

TEST_F(MainDictionaryTest, FileShorterThanItsTablesOpensButNeverMaps) {
  const std::string good = Compile({"word", "words"});
  TMainDictionary& d = Load(good.substr(0, good.size() - 1));
  EXPECT_FALSE(d.WordExists("word"));
  EXPECT_FALSE(d.GetMapped());
  d.SetMapped(true);
  EXPECT_FALSE(d.GetMapped());
}

// A dictionary file put together by hand, for links a compiler never writes.
struct RawDictionary {
  std::vector<std::uint32_t> nodes;  // all in table 0
  std::string side;
  std::string firstLetters = std::string(2048, '\0');

  void First(unsigned char letter, bool word, unsigned count, std::uint32_t link) {
    firstLetters[letter * 8] = word ? 1 : 0;
    firstLetters[letter * 8 + 1] = static_cast<char>(count);
    for (int i = 0; i < 4; ++i) firstLetters[letter * 8 + 4 + i] = static_cast<char>(link >> (8 * i));
  }
  std::string Bytes(std::uint32_t indexWidth = 0) const {
    std::string out(lx3_format::MainDictionaryBanner);
    out.resize(1024, '\0');
    out += '\0';
    out.append(2, '\0');
    auto u32 = [&out](std::uint32_t v) {
      for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i));
    };
    u32(1033);
    u32(0);
    u32(indexWidth);
    u32(static_cast<std::uint32_t>(nodes.size()));
    for (int k = 1; k < 9; ++k) u32(0);
    for (std::uint32_t n : nodes) u32(n);
    u32(static_cast<std::uint32_t>(side.size()));
    out += side;
    out += firstLetters;
    out.append(1024, '\0');
    return out;
  }
};

TEST_F(MainDictionaryTest, DamagedLinksAnswerNotFound) {
  using lx3_format::MakeNode;
  RawDictionary raw;
  raw.nodes = {MakeNode(0, 1, 1, false), MakeNode('a', 0, 2, false), MakeNode('b', 0xFFFFF, 0, true)};
  raw.side = std::string("\x02\x00\x09\x00", 4);  // children 2 and 9: node 9 does not exist
  raw.First('a', false, 2, 0);
  raw.First('x', false, 1, 70000);        // a node number beyond the tables
  raw.First('y', false, 2, 0x7FFFFFF0);   // a list beyond the side array
  raw.First('z', false, 200, 2);          // a list running off the side array's end
  TMainDictionary& d = Load(raw.Bytes());
  EXPECT_TRUE(d.WordExists("ab"));
  EXPECT_FALSE(d.WordExists("ac"));  // reaches the missing node 9
  EXPECT_FALSE(d.WordExists("xa"));
  EXPECT_FALSE(d.WordExists("ya"));
  EXPECT_FALSE(d.WordExists("za"));
}

TEST_F(MainDictionaryTest, LoopingLinksEndThePhoneticSearch) {
  using lx3_format::MakeNode;
  RawDictionary raw;
  // "a" leads to "b", whose children are "b" and "c" again, and "c" likewise: endless words.
  raw.nodes = {MakeNode(0, 1, 1, false), MakeNode('a', 0, 1, false), MakeNode('b', 0, 2, true),
               MakeNode('c', 0, 2, true)};
  raw.nodes[1] = MakeNode('a', 2, 1, false);
  raw.side = std::string("\x02\x00\x03\x00", 4);
  raw.First('a', false, 1, 2);
  TMainDictionary& d = Load(raw.Bytes());
  EXPECT_TRUE(d.WordExists("abcbcb"));
  TPhoneticsMap map;
  map.SetLanguage(1033);
  TStringList results;
  const auto start = std::chrono::steady_clock::now();
  d.FindPhoneticMatches("abc", map, &results);
  // An endless search would never come back; this bound only lets it fail instead of hanging, and
  // is far beyond what the cut-short search takes on any machine, however busy.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(120));
  EXPECT_LE(results.GetCount(), 501);

  // A list that names one child twice is cut short at once.
  raw.side = std::string("\x02\x00\x02\x00", 4);
  TMainDictionary& twice = Load(raw.Bytes(), "twice.lxm");
  results.Clear();
  twice.FindPhoneticMatches("abb", map, &results);
  EXPECT_LE(results.GetCount(), 256);
}

std::vector<std::string> Strings(const TStringList& list) {
  std::vector<std::string> out;
  for (Integer i = 0; i < list.GetCount(); ++i) out.push_back(list[i]);
  return out;
}

TEST_F(MainDictionaryTest, FindsWordsWithTheSamePhoneticKey) {
  TMainDictionary& d =
      Load(Compile({"letter", "litter", "latter", "lighter", "leader", "ladder", "let", "letters", "strength", "a"}));
  TPhoneticsMap map;
  map.SetLanguage(1033);
  TStringList results;
  d.FindPhoneticMatches("leter", map, &results);  // key "letr"
  EXPECT_EQ(Strings(results), (std::vector<std::string>{"leader", "letter"}));

  results.Clear();
  d.FindPhoneticMatches("a", map, &results);  // a key shorter than 2 characters
  EXPECT_EQ(results.GetCount(), 0);
  d.FindPhoneticMatches("xyzzy", map, &results);  // no word begins with "xy"
  EXPECT_EQ(results.GetCount(), 0);

  // With a prefix of three letters the walk ends inside a node's extra letters.
  map.SetDepth(3);
  d.FindPhoneticMatches("strenkth", map, &results);
  EXPECT_EQ(Strings(results), std::vector<std::string>{"strength"});
}

TEST_F(MainDictionaryTest, PhoneticMatchesStopAfter500) {
  // Every "ab" followed by vowels has the key "ab".
  std::vector<std::string> words;
  const std::string vowels = "aeiou";
  std::vector<std::string> level{""};
  for (int length = 1; length <= 4; ++length) {
    std::vector<std::string> longer;
    for (const std::string& s : level)
      for (char v : vowels) longer.push_back(s + v);
    for (const std::string& s : longer) words.push_back("ab" + s);
    level = longer;
  }
  ASSERT_EQ(words.size(), 780u);
  TMainDictionary& d = Load(Compile(words));
  TPhoneticsMap map;
  map.SetLanguage(1033);
  TStringList results;
  d.FindPhoneticMatches("abo", map, &results);
  EXPECT_EQ(results.GetCount(), 501);
  results.Clear();
  results.Add("abo");  // an entry already there is not added twice
  d.FindPhoneticMatches("abooo", map, &results);
  EXPECT_EQ(results.GetCount(), 501);
  EXPECT_EQ(results.IndexOf("abo"), 0);
}

TEST(DictionaryCompiler, RefusesWordsItCannotStore) {
  TDictionaryCompiler compiler;
  std::string error;
  EXPECT_TRUE(compiler.AddWord("", error));
  EXPECT_FALSE(compiler.AddWord(std::string(256, 'a'), error));
  EXPECT_FALSE(compiler.AddWord(std::string("a\0b", 3), error));
  EXPECT_FALSE(compiler.AddWordList("one\r\ntwo\n\nthree\n" + std::string(300, 'x') + "\n", error));
  EXPECT_EQ(error.rfind("line 5:", 0), 0u) << error;
  EXPECT_EQ(compiler.WordCount(), 3u);
  std::string bytes;
  EXPECT_FALSE(compiler.Compile(std::u16string(256, u'n'), 1033, bytes, error));
}

// The build compiles American.lxm with the compiler built for the build machine; the compiler
// built for Windows must produce the very same bytes from the same word list.
TEST(DictionaryCompiler, DefaultDictionaryMatchesTheWindowsBuild) {
  std::string listPath = PELORIN_WORDLIST_1252;
  for (char& c : listPath)
    if (c == '/') c = '\\';
  const std::string list = ReadFileBytes("Z:" + listPath);
  const std::string built = ReadFileBytes(testing_support::ProgramFolder() + "American.lxm");
  ASSERT_FALSE(list.empty());
  ASSERT_FALSE(built.empty());
  TDictionaryCompiler compiler;
  std::string error, bytes;
  ASSERT_TRUE(compiler.AddWordList(list, error)) << error;
  ASSERT_TRUE(compiler.Compile(u"American English", 1033, bytes, error)) << error;
  EXPECT_TRUE(bytes == built);

  TMainDictionary d;
  d.Open(testing_support::ProgramFolder() + "American.lxm");
  EXPECT_EQ(d.GetName(), "American English");
  EXPECT_EQ(d.GetLanguage(), 1033u);
  for (const char* w : {"hello", "zebra", "Asunci\xF3n", "Asunci\xF3n's", "don't", "America"})
    EXPECT_TRUE(d.WordExists(w)) << w;
  for (const char* w : {"helo", "Hello", "zebras's", "teh"}) EXPECT_FALSE(d.WordExists(w)) << w;
}

}  // namespace
