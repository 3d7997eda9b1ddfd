#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/Mapping.h"
#include "core/ProgramFolderUnit.h"
#include "tests/support/TestSupport.h"

namespace {

using Lines = std::vector<std::string>;

std::string CrLf(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// English numbering against the original: the last verse of Genesis 31 is the first of chapter 32
// in the original, so the verses of chapter 32 are one lower; in Joel two original verses are
// joined into one English verse. Septuagint numbering moves one verse of Genesis 32 further on.
const Lines kEnglishMap = {
    "GEN 32:1 - GEN 31:55", "GEN 32:2 - GEN 32:1", "GEN 32:3 - GEN 32:2",
    "JOL 3:4 - JOL 3:3",    "JOL 3:5 - JOL 3:3",   "not a pair", "", "EXO 1:1 -",
};
const Lines kSeptuagintMap = {"GEN 32:2 - GEN 32:5"};

class MappingTest : public testing_support::IsolatedTest {
protected:
  void SetUp() override {
    ProgramFolder = temp_.Path();
    testing_support::WriteFileBytes(temp_.File("English.map"), CrLf(kEnglishMap));
    testing_support::WriteFileBytes(temp_.File("Septuagint.map"), CrLf(kSeptuagintMap));
  }

  static std::unique_ptr<TStringList> List(const Lines& lines) {
    std::unique_ptr<TStringList> list(new TStringList());
    for (const std::string& line : lines) list->Add(line);
    return list;
  }
  static Lines LinesOf(TStrings* list) {
    Lines lines;
    for (int i = 0; i < list->GetCount(); ++i) lines.push_back(list->GetStrings(i));
    return lines;
  }
  static Lines MapReferences(int from, int to, const Lines& lines) {
    auto list = List(lines);
    MapReferencesVersification(from, to, list.get());
    return LinesOf(list.get());
  }
  static Lines MapText(int from, int to, const Lines& lines) {
    auto list = List(lines);
    MapTextVersification(from, to, list.get());
    return LinesOf(list.get());
  }
};

TEST_F(MappingTest, LoadMapFile) {
  auto first = List({"left over"});
  auto second = List({"left over"});
  LoadMapFile(4, first.get(), second.get(), false);
  const Lines original = {"GEN 32:1", "GEN 32:2", "GEN 32:3", "JOL 3:4", "JOL 3:5"};
  const Lines english = {"GEN 31:55", "GEN 32:1", "GEN 32:2", "JOL 3:3", "JOL 3:3"};
  EXPECT_EQ(LinesOf(first.get()), original);
  EXPECT_EQ(LinesOf(second.get()), english);

  LoadMapFile(4, first.get(), second.get(), true);
  EXPECT_EQ(LinesOf(first.get()), english);
  EXPECT_EQ(LinesOf(second.get()), original);

  // No map file: for Vulgate here, for Original ever, and for numbers that name no versification.
  for (int v : {3, 1, 0, 6}) {
    LoadMapFile(v, first.get(), second.get(), false);
    EXPECT_EQ(first->GetCount() + second->GetCount(), 0) << v;
  }
  EXPECT_EQ(MapFileName(4), temp_.File("English.map"));
  EXPECT_EQ(MapFileName(5), temp_.File("Russian Canonical.map"));
  EXPECT_EQ(MapFileName(1), "");
}

TEST_F(MappingTest, References) {
  struct Row {
    const char* Name;
    int From, To;
    Lines Before, After;
  } rows[] = {
      {"to the original", 4, 1,
       {"GEN 31:55 [1] text", "GEN 32:1 text", "gen 32:2", "GEN 31:54 text", "JOL 3:3 x", "no reference", ""},
       {"GEN 32:1 [1] text", "GEN 32:2 text", "GEN 32:3", "GEN 31:54 text", "JOL 3:4 x", "no reference", ""}},
      {"from the original", 1, 4,
       {"GEN 32:1 - message 32:2", "  GEN 32:3 indented", "JOL 3:5", "GEN 32:10 longer verse"},
       {"GEN 31:55 - message 32:2", "  GEN 32:2 indented", "JOL 3:3", "GEN 32:10 longer verse"}},
      {"through the original", 4, 2, {"GEN 32:1 a", "GEN 31:55 b"}, {"GEN 32:5 a", "GEN 32:1 b"}},
      {"same versification", 4, 4, {"GEN 31:55 a"}, {"GEN 31:55 a"}},
      {"no map file", 1, 3, {"GEN 32:1 a"}, {"GEN 32:1 a"}},
  };
  for (const Row& r : rows) EXPECT_EQ(MapReferences(r.From, r.To, r.Before), r.After) << r.Name;
}

TEST_F(MappingTest, VerseMovedIntoTheNextChapter) {
  const Lines english = {"\\id GEN", "\\c 31", "\\p", "\\v 54 Jacob offered a sacrifice.",
                         "\\v 55 Laban rose early.", "\\c 32", "\\p", "\\v 1 Jacob went on his way.",
                         "\\v 2 He saw them.", "\\v 3 Jacob sent messengers."};
  // Verse 55 becomes the first verse of chapter 32 and keeps its English number in its text; the
  // next verse of chapter 32 gets no chapter line of its own. Paragraph lines stay where they were.
  const Lines original = {"\\id GEN",
                          "\\p",
                          "\\c 31",
                          "\\v 54 Jacob offered a sacrifice.",
                          "\\c 32",
                          "\\v 1 31:55 Laban rose early.",
                          "\\p",
                          "\\v 2 32:1 Jacob went on his way.",
                          "\\v 3 32:2 He saw them.",
                          "\\v 3 Jacob sent messengers."};
  EXPECT_EQ(MapText(4, 1, english), original);

  // And back: the verses return to their chapters, each with the number it had on the way.
  const Lines back = {"\\id GEN",
                      "\\p",
                      "\\c 31",
                      "\\v 54 Jacob offered a sacrifice.",
                      "\\v 55 32:1 31:55 Laban rose early.",
                      "\\p",
                      "\\c 32",
                      "\\v 1 32:2 32:1 Jacob went on his way.",
                      "\\v 2 32:3 32:2 He saw them.",
                      "\\v 2 32:3 Jacob sent messengers."};
  EXPECT_EQ(MapText(1, 4, original), back);
}

TEST_F(MappingTest, JoinedVersesAndChainedSteps) {
  EXPECT_EQ(MapText(1, 4, {"\\id JOL", "\\c 3", "\\v 4 The sun.", "\\v 5 And it shall be."}),
            (Lines{"\\id JOL", "\\c 3", "\\v 3 3:4 The sun.", "\\v 3 3:5 And it shall be."}));
  // English to Septuagint goes through the original: 32:1 is 32:2 there, and 32:5 in the Septuagint.
  EXPECT_EQ(MapText(4, 2, {"\\id GEN", "\\c 32", "\\v 1 Jacob went on."}),
            (Lines{"\\id GEN", "\\c 32", "\\v 5 32:2 32:1 Jacob went on."}));
}

TEST_F(MappingTest, TextLeftAsItIs) {
  const Lines genesis = {"\\id GEN", "\\c 31", "\\v 55 Laban rose early."};
  struct Row {
    const char* Name;
    int From, To;
    Lines Text;
  } rows[] = {
      {"same versification", 4, 4, genesis},
      {"no map file", 3, 1, genesis},
      {"book the map does not mention", 4, 1, {"\\id EXO", "\\c 1", "\\p", "\\v 1 These are the names."}},
      {"no book id", 4, 1, {"\\c 31", "\\v 55 Laban rose early."}},
  };
  for (const Row& r : rows) EXPECT_EQ(MapText(r.From, r.To, r.Text), r.Text) << r.Name;
}

// A map line that is not two whole references (book id, blank, chapter ":" verse) is skipped: alone
// it leaves a book and a list as they were; before a sound pair of the same verse, the sound pair
// is the one that counts, and the chapter lines and verse markers stay.
TEST_F(MappingTest, DamagedMapLinesAreSkipped) {
  const char* const damaged[] = {
      "2 - MAT 2:1",          // a number for the reference
      "x - MAT 2:1",          // a word for the reference
      "MAT 1: - MAT 2:1",     // no verse
      ":1 - MAT 2:1",         // no book and no chapter
      "MAT 2:1 - MAT 1:",     // no verse on the other side
      "MAT 2:1 - 2",          // a number on the other side
      "MAT\x01 2:1 - MAT 2:1",  // a stray byte after the book id
      "M\xC1T 2:1 - MAT 2:1",   // a stray byte in the book id
      "MAT 2:1 - MAT 2\x01:1",  // a stray byte in the number
      "MAT 2:1 - MAT 2:1a",   // more than a verse number
      "MAT2:1 - MAT 2:1",     // no blank after the book id
      "XYZ 2:1 - MAT 2:1",    // no book of the Bible
      "MAT 0:2 - MAT 2:1",    // chapter 0
      "MAT 2:1 - MAT 0:2",    // chapter 0 on the other side
      "MAT 1:0 - MAT 2:1",    // verse 0
      "MAT 2:1 - MAT 2:00",   // verse 0 on the other side, written with two digits
  };
  const Lines matthew = {"\\id MAT", "\\c 1", "\\p", "\\v 1 One.", "\\v 2 Two.", "\\c 2", "\\v 1 Three."};
  const Lines references = {"MAT 2:1 Three.", "MAT 1:2 Two."};
  for (const char* line : damaged) {
    testing_support::WriteFileBytes(temp_.File("English.map"), CrLf({line}));
    for (int to : {1, 4}) {
      const int from = 5 - to;
      EXPECT_EQ(MapText(from, to, matthew), matthew) << line << " " << from;
      EXPECT_EQ(MapReferences(from, to, references), references) << line << " " << from;
    }
    // English 2:1 is 2:2 in the original. The chapter lines are made anew before the first verse
    // of each chapter, so the paragraph line comes before the first.
    testing_support::WriteFileBytes(temp_.File("English.map"), CrLf({line, "MAT 2:2 - MAT 2:1"}));
    EXPECT_EQ(MapText(4, 1, matthew),
              (Lines{"\\id MAT", "\\p", "\\c 1", "\\v 1 One.", "\\v 2 Two.", "\\c 2", "\\v 2 2:1 Three."}))
        << line;
    EXPECT_EQ(MapReferences(4, 1, references), (Lines{"MAT 2:2 Three.", "MAT 1:2 Two."})) << line;
  }
  // Whole references with blanks around them and a book id in small letters are sound.
  testing_support::WriteFileBytes(temp_.File("English.map"), CrLf({"  mat 2:2 -  MAT 2:1\t"}));
  EXPECT_EQ(MapReferences(4, 1, references), (Lines{"mat 2:2 Three.", "MAT 1:2 Two."}));
}

TEST_F(MappingTest, LinesThatAreNoVerseOrChapterLines) {
  const Lines english = {"\\id GEN",
                         "\\v 1 Before any chapter.",
                         "\\c 31",
                         "\\cl Chapter",
                         "\\v 54-55 A range.",
                         "\\v 55",
                         "12 tribes on a line of their own",
                         "\\vp 55",
                         "\\c 32",
                         "\\v 1 Jacob went on."};
  const Lines original = {"\\id GEN",
                          "0:1 Before any chapter.",  // has no chapter to return to
                          "\\cl Chapter",
                          "\\c 31",
                          "\\v 54-55 A range.",
                          "\\c 32",
                          "\\v 1 31:55",
                          "12 tribes on a line of their own",
                          "\\vp 55",
                          "\\v 2 32:1 Jacob went on."};
  EXPECT_EQ(MapText(4, 1, english), original);
}

}  // namespace
