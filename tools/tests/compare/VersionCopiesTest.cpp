// Dated copies of approved books: their names, which files are copies of a book, writing a copy
// and its comments whole or not at all, the first comments, and the document's leading empty items.
#include <memory>
#include <string>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UzurUvad.h"
#include "tools/VersionCopies.h"
#include "tools/tests/support/CompareTestSupport.h"

namespace {

using namespace compare_testing;

// The files of a folder, in the order of their names.
Lines FilesIn(const std::string& folder) {
  std::unique_ptr<TStringList> names(new TStringList());
  TSearchRec rec;
  if (FindFirst(folder + "*", faAnyFile, rec) == 0) {
    do
      if (!(rec.Attr & faDirectory)) names->Add(rec.Name);
    while (FindNext(rec) == 0);
    FindClose(rec);
  }
  names->Sort();
  return LinesOf(names.get());
}

class VersionCopiesTest : public testing_support::IsolatedTest {};

TEST_F(VersionCopiesTest, ACopyIsNamedAfterTheBookAndTheMinute) {
  const TDateTime moment = EncodeDate(2024, 1, 5) + EncodeTime(13, 7, 42, 0);
  EXPECT_EQ(DatedCopyName("C:\\P\\Pelorin\\", "1 John", moment), "C:\\P\\Pelorin\\1 John 2024 01 05 13 07.sfc");
  EXPECT_EQ(CommentFileName("C:\\P\\Pelorin\\Jude 2024 01 05 13 07.sfc"),
            "C:\\P\\Pelorin\\Jude 2024 01 05 13 07.sfc.txt");
}

TEST_F(VersionCopiesTest, OnlyTheBooksOwnCopiesAreFoundOldestFirst) {
  const std::string folder = temp_.Path();
  for (const char* name : {"Jude 2024 01 05 13 07.sfc", "Jude 2023 12 31 23 59.sfc", "jude 2022 06 01 08 00.SFC",
                           "Judges 2024 01 05 13 07.sfc", "Jude 2024 01 05 13 07.sfc.txt", "Jude notes.sfc",
                           "Jude 2024 1 5 13 7.sfc", "Jude 2024 01 05 13 07.sfc.bak", "Jude 2024-01-05 13 07.sfc",
                           "1 Jude 2024 01 05 13 07.sfc"})
    testing_support::WriteFileBytes(folder + name, "x");
  CreateDir(folder + "Jude 2020 01 01 00 00.sfc");  // a folder, no copy
  std::unique_ptr<TStringList> copies(new TStringList());
  copies->Add("left from before");
  FindPreviousCopies(folder, "Jude", copies.get());
  EXPECT_EQ(LinesOf(copies.get()), (Lines{folder + "jude 2022 06 01 08 00.SFC", folder + "Jude 2023 12 31 23 59.sfc",
                                         folder + "Jude 2024 01 05 13 07.sfc"}));
  FindPreviousCopies(folder, "Judges", copies.get());
  EXPECT_EQ(LinesOf(copies.get()), (Lines{folder + "Judges 2024 01 05 13 07.sfc"}));
  FindPreviousCopies(folder, "Ruth", copies.get());
  EXPECT_TRUE(LinesOf(copies.get()).empty());
  FindPreviousCopies(folder + "Missing\\", "Jude", copies.get());
  EXPECT_TRUE(LinesOf(copies.get()).empty());
}

TEST_F(VersionCopiesTest, ACopyIsWrittenWholeOrNotAtAll) {
  const std::string book = temp_.File("JUD.SFM");
  const std::string bytes = "\\id JUD\r\n\\c 1\r\n\\v 1 Jude, a servant\xE9.\n";
  testing_support::WriteFileBytes(book, bytes);
  const std::string work = temp_.Path() + "Pelorin\\";
  CreateDir(work);
  const std::string copy = work + "Jude 2024 01 05 13 07.sfc";

  EXPECT_EQ(SaveDatedCopy(book, copy), "");
  EXPECT_EQ(testing_support::ReadFileBytes(copy), bytes);
  // A copy of the same minute takes the earlier one's place.
  testing_support::WriteFileBytes(book, "\\id JUD\r\n");
  EXPECT_EQ(SaveDatedCopy(book, copy), "");
  EXPECT_EQ(testing_support::ReadFileBytes(copy), "\\id JUD\r\n");
  EXPECT_EQ(FilesIn(work), (Lines{"Jude 2024 01 05 13 07.sfc"}));

  // A book that cannot be read leaves the copy as it was; a folder that is not there takes none.
  const std::string unread = SaveDatedCopy(temp_.File("missing.sfm"), copy);
  EXPECT_EQ(unread.rfind("Could not read " + temp_.File("missing.sfm") + ": ", 0), 0u) << unread;
  EXPECT_EQ(testing_support::ReadFileBytes(copy), "\\id JUD\r\n");
  const std::string elsewhere = temp_.Path() + "Gone\\Jude 2024 01 05 13 07.sfc";
  const std::string unwritten = SaveDatedCopy(book, elsewhere);
  EXPECT_EQ(unwritten.rfind("Could not write " + elsewhere + ": ", 0), 0u) << unwritten;
  EXPECT_FALSE(FileExists(elsewhere));
  // A read-only copy is not replaced, and no temporary file is left beside it.
  FileSetAttr(copy, faReadOnly);
  testing_support::WriteFileBytes(book, "new");
  EXPECT_EQ(SaveDatedCopy(book, copy).rfind("Could not write " + copy + ": ", 0), 0u);
  EXPECT_EQ(testing_support::ReadFileBytes(copy), "\\id JUD\r\n");
  EXPECT_EQ(FilesIn(work), (Lines{"Jude 2024 01 05 13 07.sfc"}));
  FileSetAttr(copy, 0);
}

TEST_F(VersionCopiesTest, CommentsAreWrittenBesideTheCopy) {
  const std::string copy = temp_.File("Ruth 2024 01 05 13 07.sfc");
  std::unique_ptr<TStringList> lines(new TStringList());
  lines->Add("Approved by the committee.");
  lines->Add("");
  lines->Add("Chapter 2 to be read again.");
  EXPECT_EQ(SaveComments(copy, lines.get()), "");
  EXPECT_EQ(testing_support::ReadFileBytes(copy + ".txt"),
            "Approved by the committee.\r\n\r\nChapter 2 to be read again.\r\n");
  lines->Clear();
  lines->Add("Shorter.");
  EXPECT_EQ(SaveComments(copy, lines.get()), "");
  EXPECT_EQ(testing_support::ReadFileBytes(copy + ".txt"), "Shorter.\r\n");
  const std::string nowhere = temp_.Path() + "Gone\\Ruth.sfc";
  EXPECT_EQ(SaveComments(nowhere, lines.get()).rfind("Could not write " + nowhere + ".txt: ", 0), 0u);
}

TEST_F(VersionCopiesTest, TheFirstCommentsSayWhatWasSavedAndCompared) {
  struct Row {
    const char* ComparedWith;
    Integer Count;
    Lines Expected;
  } rows[] = {
      {"", 0,
       {"This version of Ruth has been saved on 05/01/2024 13:07:42.",
        "It is the first version to be saved - there was no previous version to compare with."}},
      {"C:\\W\\Ruth 2023 01 01 10 00.sfc", 1,
       {"This version of Ruth has been saved on 05/01/2024 13:07:42.",
        "It has been compared with file C:\\W\\Ruth 2023 01 01 10 00.sfc",
        "There was 1 difference between these two files"}},
      {"C:\\W\\Ruth 2023 01 01 10 00.sfc", 0,
       {"This version of Ruth has been saved on 05/01/2024 13:07:42.",
        "It has been compared with file C:\\W\\Ruth 2023 01 01 10 00.sfc",
        "There were 0 differences between these two files"}},
      {"C:\\W\\Ruth 2023 01 01 10 00.sfc", 17,
       {"This version of Ruth has been saved on 05/01/2024 13:07:42.",
        "It has been compared with file C:\\W\\Ruth 2023 01 01 10 00.sfc",
        "There were 17 differences between these two files"}},
  };
  std::unique_ptr<TStringList> lines(new TStringList());
  for (const Row& r : rows) {
    lines->Add("left from before");
    ApprovalComments(lines.get(), "Ruth", "05/01/2024 13:07:42", r.ComparedWith, r.Count);
    EXPECT_EQ(LinesOf(lines.get()), r.Expected) << r.Count;
  }
}

TEST_F(VersionCopiesTest, LeadingEmptyItemsGoAndThePositionsFollow) {
  struct Row {
    const char* Name;
    std::vector<std::pair<std::string, int>> Items;  // text, style; each a paragraph but "+" continues
    Lines Positions;
    Lines ExpectedParagraphs;
    Lines ExpectedPositions;
  } rows[] = {
      {"two empty items go", {{"", 0}, {"", 0}, {"\\id RUT", 0}, {"a", 1}},
       {"0000003"}, {"\\id RUT", "<+a>"}, {"0000001"}},
      {"at most two", {{"", 0}, {"", 0}, {"", 0}, {"b", 2}}, {"0000003"}, {"", "<-b>"}, {"0000001"}},
      {"an empty added line goes with its position", {{"", 1}, {"x", 0}, {"c", 1}},
       {"0000000", "0000002"}, {"x", "<+c>"}, {"0000001"}},
      {"the first text item stays", {{"\\id RUT", 0}, {"", 0}}, {}, {"\\id RUT", ""}, {}},
      {"the item after a removed paragraph start begins the first paragraph", {{"", 0}, {"+w", 0}, {"+<", 1}},
       {"0000002"}, {"w|<+<>"}, {"0000001"}},
  };
  for (const Row& r : rows) {
    std::unique_ptr<VUzurUvad> viewer(new VUzurUvad(nullptr));
    for (const auto& [text, style] : r.Items) {
      if (!text.empty() && text[0] == '+')
        viewer->Add(text.substr(1), style);
      else
        viewer->AddNL(text, style, 0);
    }
    std::unique_ptr<TStringList> positions(new TStringList());
    for (const std::string& p : r.Positions) positions->Add(p);
    RemoveLeadingEmptyItems(viewer->GetUVData(), positions.get(), 2);
    EXPECT_EQ(DescribeParagraphs(viewer->GetUVData()), r.ExpectedParagraphs) << r.Name;
    EXPECT_EQ(LinesOf(positions.get()), r.ExpectedPositions) << r.Name;
    EXPECT_TRUE(viewer->GetItemCount() == 0 || viewer->IsParaStart(0)) << r.Name;
  }
}

}  // namespace
