// The book name resolver: exact names of every kind, numbers, sound-alike names with their
// questions answered from a table, and typed references.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "classlib/Dialogs.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "tools/CorrectIDUnit.h"

namespace {

// Answers Yes for the books of its table and No for any other, recording the books asked about.
class TableQuestion : public TBookQuestion {
public:
  explicit TableQuestion(std::set<int> yes) : yes_(std::move(yes)) {}
  bool MeansBook(int book) override {
    asked.push_back(book);
    return yes_.count(book) > 0;
  }
  std::vector<int> asked;

private:
  std::set<int> yes_;
};

TEST(ResolveBookIDTest, ExactNamesOfEveryKindNeedNoQuestion) {
  struct Row {
    const char* Typed;
    const char* Id;
    int Number;
  } rows[] = {
      {"GEN", "GEN", 1},      // identifier
      {"  jhn ", "JHN", 43},  // identifier, lower case, blanks around
      {"2sa", "2SA", 10},     // identifier beginning with its number
      {"Joh", "JHN", 43},     // BibleWorks abbreviation that differs from the identifier
      {"sol", "SNG", 22},
      {"MAR", "MRK", 41},
      {"song OF solomon", "SNG", 22},    // English name with blanks inside
      {"\t1 corinthians  ", "1CO", 46},  // English name with its number
      {"REVELATION", "REV", 66},
      {"40", "MAT", 40},  // book numbers
      {"1", "GEN", 1},
      {" 66 ", "REV", 66},
  };
  for (const Row& r : rows) {
    TableQuestion question({});
    AnsiString name = r.Typed;
    Integer number = -1;
    EXPECT_TRUE(ResolveBookID(name, number, question)) << r.Typed;
    EXPECT_EQ(name, r.Id) << r.Typed;
    EXPECT_EQ(number, r.Number) << r.Typed;
    EXPECT_TRUE(question.asked.empty()) << r.Typed;
  }
}

TEST(ResolveBookIDTest, SoundAlikeBooksAreOfferedInTheOrderOfThePassesEachOnce) {
  struct Row {
    const char* Typed;
    std::set<int> Yes;       // the books the user accepts
    const char* Id;          // empty: not resolved
    std::vector<int> Asked;  // the books asked about, in order
  } rows[] = {
      // One wrong vowel: the identifier pass offers Genesis; the passes over abbreviations and
      // names find it again but do not ask a second time.
      {"Genisis", {1}, "GEN", {1}},
      {"Genisis", {}, "", {1}},
      // Identifier codes "J5": Jonah, then John.
      {"Jhon", {43}, "JHN", {32, 43}},
      // Declined in the identifier pass, accepted in the abbreviation pass ("Jam").
      {"Jama", {59}, "JAS", {32, 43, 59}},
      // Only the English name's code matches (the identifier "DEU" codes as "D0").
      {"Dueteronomy", {5}, "DEU", {5}},
      // A number joined to the name: every identifier of that number with a sound of class 2.
      {"2kings", {12}, "2KI", {10, 12}},
      {"1John", {62}, "1JN", {9, 11, 13, 46, 62}},
      // Five books sound like it; all declined.
      {"ese", {}, "", {2, 15, 17, 21, 26}},
      {"Mathew", {40}, "MAT", {40}},
      {"Psalm", {19}, "PSA", {19}},
      // Nothing sounds like these; no question.
      {"67", {}, "", {}},
      {"", {}, "", {}},
      {"   ", {}, "", {}},
  };
  for (const Row& r : rows) {
    TableQuestion question(r.Yes);
    AnsiString name = r.Typed;
    Integer number = -1;
    const bool resolved = ResolveBookID(name, number, question);
    EXPECT_EQ(resolved, *r.Id != 0) << r.Typed;
    EXPECT_EQ(name, r.Id) << r.Typed;
    EXPECT_EQ(number, resolved ? BookNumberFromId(r.Id) : 0) << r.Typed;
    EXPECT_EQ(question.asked, r.Asked) << r.Typed;
  }
}

TEST(ParseTypedReferenceTest, TypedReferencesWithTheirQuestions) {
  struct Row {
    const char* Typed;
    std::set<int> Yes;
    const char* Reference;
    std::vector<int> Asked;
  } rows[] = {
      {"2 Kings 3:4", {}, "2KI 3:4", {}},
      {"2 kings 3 4", {}, "2KI 3:4", {}},
      {" 2Ki 3:4 ", {}, "2KI 3:4", {}},
      // Without the blank the name sounds like several books of that number.
      {"2Kings 3:4", {12}, "2KI 3:4", {10, 12}},
      {"2Kings 3 4", {12}, "2KI 3:4", {10, 12}},
      // The leading number belongs to the name, with or without a blank.
      {"1 John 2:3", {}, "1JN 2:3", {}},
      {"3 John 1:14", {}, "3JN 1:14", {}},
      {"1Jn 5:7", {}, "1JN 5:7", {}},
      {"John 3:16", {}, "JHN 3:16", {}},
      {"Song of Solomon 2:1", {}, "SNG 2:1", {}},
      {"rev 22:21", {}, "REV 22:21", {}},
      {"Jhon 3:16", {43}, "JHN 3:16", {32, 43}},
      // No verse, no chapter, or no book: no reference; a question may still have been asked.
      {"John 3", {}, "", {}},
      {"Jhon 3", {43}, "", {32, 43}},
      {"John", {}, "", {}},
      {"3:16", {}, "", {}},
      {"", {}, "", {}},
      // A declined book gives no reference.
      {"Genisis 1:1", {}, "", {1}},
  };
  for (const Row& r : rows) {
    TableQuestion question(r.Yes);
    AnsiString reference = "old";
    ParseTypedReference(r.Typed, reference, question);
    EXPECT_EQ(reference, r.Reference) << r.Typed;
    EXPECT_EQ(question.asked, r.Asked) << r.Typed;
  }
}

// The message box asks the question as a confirmation with Yes and No.
class RecordingResponder : public TDialogResponder {
public:
  Integer Message(const AnsiString& caption, const AnsiString& msg, TMsgDlgType type, TMsgDlgButtons buttons) override {
    captions.push_back(caption);
    texts.push_back(msg);
    EXPECT_EQ(type, mtConfirmation);
    EXPECT_TRUE(buttons == (TMsgDlgButtons{mbYes, mbNo}));
    return texts.size() == 2 ? mrYes : mrNo;
  }
  std::vector<std::string> captions, texts;
};

TEST(ResolveBookIDTest, MessageBoxAsksTheQuestionText) {
  RecordingResponder responder;
  TDialogResponder* before = SetDialogResponder(&responder);
  AnsiString name = "Jhon";
  Integer number = 0;
  EXPECT_TRUE(ResolveBookID(name, number));
  SetDialogResponder(before);
  EXPECT_EQ(name, "JHN");
  EXPECT_EQ(number, 43);
  EXPECT_EQ(responder.texts, (std::vector<std::string>{"The name of the book is unclear. Do you mean Jonah?",
                                                       "The name of the book is unclear. Do you mean John?"}));
  EXPECT_EQ(BookQuestionText(22), "The name of the book is unclear. Do you mean Song of Solomon?");
}

}  // namespace
