// The correction lists applied to a book: the order of the lists, whole words by the 14
// delimiters, case, the search going on after each correction, two chapters only; and the same
// result as searching and replacing in a hidden rich-text editor, one paragraph a line.
#include <memory>

#include "classlib/Forms.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEdit.h"
#include "tests/support/TestSupport.h"
#include "tools/CorrectionLists.h"
#include "tools/tests/support/KjvBooks.h"

namespace {

using Lists = std::array<TextLines, CorrectionListCount>;

// A list file's lines from pairs of misspelling and correction.
TextLines List(std::initializer_list<std::pair<const char*, const char*>> pairs) {
  TextLines lines;
  for (const auto& [wrong, right] : pairs) {
    lines.push_back(std::string("1") + wrong);
    lines.push_back(std::string("2") + right);
  }
  return lines;
}

Lists L(TextLines first, TextLines second, TextLines third, TextLines fourth) {
  return {std::move(first), std::move(second), std::move(third), std::move(fourth)};
}

// The book corrected in an editor as the correction window's steps describe it: the lines into the
// editor (through a plain-text file, or one by one for two chapters), every pair found with the
// editor's search from the document's start and replaced by inserting its correction, the text
// saved as plain text and read back as lines.
class EditorCorrection {
public:
  EditorCorrection(const std::string& folder) : folder_(folder) {
    form_ = new TForm(Application);
    form_->SetBounds(0, 0, 600, 400);
    style_ = new TUVStyle(form_);
    editor_ = new VUzurUvadEdit(form_);
    editor_->SetParent(form_);
    editor_->SetAlign(alClient);
    editor_->SetStyle(style_);
    editor_->SetDelimiters(CorrectionDelimiters);
  }
  ~EditorCorrection() { delete form_; }

  TBookCorrection Correct(const TextLines& book, const Lists& lists, bool onlyChapter, const AnsiString& chapter) {
    TBookCorrection result;
    const std::string temp = folder_ + "sc.tmp";
    editor_->Clear();
    TextLines before, after;
    if (onlyChapter) {
      const AnsiString end = "\\c " + IntToStr(StrToInt(chapter) + 2);
      int state = 0;
      for (const AnsiString& line : book) {
        if (state == 0 && line.find("\\c " + chapter) != AnsiString::npos)
          state = 1;
        else if (state == 1 && line.find(end) != AnsiString::npos)
          state = 2;
        if (state == 1) {
          editor_->Add(line, 0);
          editor_->AddNL("", 0, 0);
        } else {
          (state == 0 ? before : after).push_back(line);
        }
      }
    } else {
      testing_support::WriteFileBytes(temp, JoinLines(book));
      editor_->LoadText(temp, 0, 0, false);
    }
    editor_->Format();

    auto replaceAll = [&](const AnsiString& wrong, const AnsiString& right, Integer options) {
      editor_->SetSelectionBounds(0, 1, 0, 1);
      while (editor_->SearchText(wrong, options)) {
        editor_->InsertText(right);
        ++result.Count;
      }
    };
    std::vector<TCorrectionPair> first = CorrectionPairs(lists[0], 1000);
    const std::vector<TCorrectionPair> second = CorrectionPairs(lists[1], 1000);
    first.push_back({});
    for (const TCorrectionPair& f : first)
      for (const TCorrectionPair& s : second) replaceAll(f.Misspelling + s.Misspelling, f.Correction + s.Correction, 7);
    for (const TCorrectionPair& w : CorrectionPairs(lists[2])) replaceAll(w.Misspelling, w.Correction, 7);
    for (const TCorrectionPair& p : CorrectionPairs(lists[3])) replaceAll(p.Misspelling, p.Correction, 3);

    editor_->Format();
    editor_->SaveText(temp, 1000);
    std::unique_ptr<TStringList> back(new TStringList());
    back->LoadFromFile(temp);
    result.Lines = before;
    for (const AnsiString& line : LinesOf(back.get())) result.Lines.push_back(line);
    result.Lines.insert(result.Lines.end(), after.begin(), after.end());
    DeleteFile(temp);
    return result;
  }

private:
  std::string folder_;
  TForm* form_;
  TUVStyle* style_;
  VUzurUvadEdit* editor_;
};

class CorrectionListsTest : public testing_support::IsolatedTest {
protected:
  // Corrects the book both ways; they must agree.
  TBookCorrection Both(const TextLines& book, const Lists& lists, bool onlyChapter = false, const char* chapter = "") {
    const TBookCorrection lines = CorrectBook(book, lists, onlyChapter, chapter);
    EditorCorrection editor(temp_.Path());
    const TBookCorrection edited = editor.Correct(book, lists, onlyChapter, chapter);
    EXPECT_EQ(lines.Lines, edited.Lines);
    EXPECT_EQ(lines.Count, edited.Count);
    return lines;
  }
};

TEST_F(CorrectionListsTest, PairsOfLinesWithoutTheirFirstCharacter) {
  const std::vector<TCorrectionPair> pairs = CorrectionPairs({"1teh", "2the", "xabc", "y", "1last"});
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[0].Misspelling, "teh");
  EXPECT_EQ(pairs[0].Correction, "the");
  EXPECT_EQ(pairs[1].Misspelling, "abc");
  EXPECT_EQ(pairs[1].Correction, "");
  EXPECT_EQ(pairs[2].Misspelling, "last");
  EXPECT_EQ(pairs[2].Correction, "");
  EXPECT_EQ(CorrectionPairs({"1" + AnsiString(1500, 'a'), "2b"}, 1000)[0].Misspelling.size(), 1000u);
  EXPECT_EQ(CorrectionListFileName(3), "correctionlist3.txt");
}

TEST_F(CorrectionListsTest, EachListAsTheWindowAppliesIt) {
  struct Row {
    const char* Case;
    Lists Lists;
    TextLines Book;
    TextLines Corrected;
    int Count;
  } rows[] = {
      {"whole words, by the delimiters, in their case",
       L({}, {}, List({{"teh", "the"}}), {}),
       {"teh (teh) teh.teh,teh;teh:teh{teh}\"teh\"/teh\\teh?teh!", "Teh tehx xteh teh-teh teh'teh"},
       {"the (the) the.the,the;the:the{the}\"the\"/the\\the?the!", "Teh tehx xteh teh-teh teh'teh"},
       12},
      {"a correction holding its misspelling is made once", L({}, {}, List({{"an", "an an"}}), {}),
       {"an apple and an", "an"}, {"an an apple and an an", "an an"}, 3},
      {"phrases are found inside words too", L({}, {}, {}, List({{"ofthe", "of the"}, {"Lord", "LORD"}})),
       {"ofthe Lordship xofthey", "lord"}, {"of the LORDship xof they", "lord"}, 3},
      {"halves: every first half with every second half, and the second alone",
       L(List({{"beleiv", "believ"}, {"recieve", "receive"}}), List({{"ed", "ed"}, {"eth", "eth"}}), {}, {}),
       {"he beleived and beleiveth", "recieveed recieveth eth ed", "beleiv"},
       {"he believed and believeth", "receiveed recieveth eth ed", "beleiv"},
       5},
      {"first halves alone do nothing", L(List({{"teh", "the"}}), {}, {}, {}), {"teh"}, {"teh"}, 0},
      {"lists in order: a later list works on the earlier corrections",
       L({}, List({{"xx", "yy"}}), List({{"yy", "zz"}}), List({{"zz", "w"}})),
       {"xx yy zz", "axx"}, {"w w w", "axx"}, 6},
      {"overlapping finds that are no whole word are passed over", L({}, {}, List({{"aa", "b"}}), {}),
       {"aaa aa", "aa"}, {"aaa b", "b"}, 2},
      {"misspellings with delimiters and empty ones", L({}, {}, List({{"in to", "into"}, {"", "x"}, {" ,", ","}}), {}),
       {"go in to it", "win to", "a , b", "a  , b", "in tox"}, {"go into it", "win to", "a , b", "a , b", "in tox"}, 2},
      {"an empty last line does not come back", L({}, {}, List({{"a", "b"}}), {}), {"a", ""}, {"b"}, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Case);
    const TBookCorrection result = Both(r.Book, r.Lists);
    EXPECT_EQ(result.Lines, r.Corrected);
    EXPECT_EQ(result.Count, r.Count);
  }
}

// A tab is no delimiter, and it stays in the book (an editor would have made blanks of it).
TEST_F(CorrectionListsTest, TabsStayAndDoNotEndWords) {
  TextLines book{"teh\tteh teh"};
  EXPECT_EQ(CorrectLines(book, L({}, {}, List({{"teh", "the"}}), {})), 1);
  EXPECT_EQ(book, TextLines{"teh\tteh the"});
}

TEST_F(CorrectionListsTest, OnlyTheChapterAndTheNext) {
  const TextLines book{"\\id GEN", "\\c 1", "\\v 1 teh", "\\c 2", "\\v 1 teh", "\\c 3", "\\v 1 teh", "", "\\c 4",
                       "\\v 1 teh", "\\c 5", "\\v 1 teh", "\\c 6", "\\v 1 teh"};
  const Lists lists = L({}, {}, List({{"teh", "the"}}), {});
  const TBookCorrection result = Both(book, lists, true, "3");
  EXPECT_EQ(result.Lines, (TextLines{"\\id GEN", "\\c 1", "\\v 1 teh", "\\c 2", "\\v 1 teh", "\\c 3", "\\v 1 the", "",
                                     "\\c 4", "\\v 1 the", "\\c 5", "\\v 1 teh", "\\c 6", "\\v 1 teh"}));
  EXPECT_EQ(result.Count, 2);

  // A chapter that is not there: nothing is corrected, every line comes back.
  const TBookCorrection missing = Both(book, lists, true, "9");
  EXPECT_EQ(missing.Lines, book);
  EXPECT_EQ(missing.Count, 0);
  // The last chapters: up to the book's end.
  EXPECT_EQ(Both(book, lists, true, "5").Count, 2);
  // The chapter is taken as written: a chapter that is no number ends at "\c 151".
  EXPECT_EQ(CorrectBook(book, lists, true, "x").Count, 0);
}

TEST_F(CorrectionListsTest, TwoKjvBooksAsTheEditorCorrectsThem) {
  const std::vector<tools_testing::KjvBook> kjv = tools_testing::ReadKjvBooks();
  if (kjv.empty()) GTEST_SKIP() << "the KJV project of the shared data is not here";
  const Lists lists = L(List({{"beget", "begot"}, {"De", "Dee"}, {"Lo", "Lu"}}), List({{"at", "a"}, {"rd", "rd"}}),
                        List({{"LORD", "Lord"}, {"and", "and and"}, {"Jesus", "Yeshua"}, {"in to", "into"}}),
                        List({{"Lord God", "LORD GOD"}, {"eth ", "es "}, {" ,", ","}}));
  // Ruth and Jonah: small books, so that the editor's way stays quick.
  for (std::size_t book : {std::size_t{7}, std::size_t{31}}) {
    SCOPED_TRACE(kjv[book].FileName);
    const TBookCorrection whole = Both(kjv[book].Lines, lists);
    EXPECT_GT(whole.Count, 50);
    EXPECT_GT(Both(kjv[book].Lines, lists, true, "3").Count, 10);
  }
}

}  // namespace
