// Reading and writing the record files of a consistency list: missing, damaged, unreadable and
// read-only files.
#include <memory>

#include "classlib/SysUtils.h"
#include "tools/ConsistencyListFiles.h"
#include "tools/tests/consistency/ListTestSupport.h"

namespace {

using namespace list_testing;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

class ListFileReadingTest : public ListFilesTest {};

TEST_F(ListFileReadingTest, ReferencesAndItemNumbersThatTheListsKeep) {
  struct Row {
    const char* Text;
    bool Reference;
  } references[] = {
      {"GEN 1:1", true},    {"PSA 119:176", true}, {"GEN 01:001", true}, {"REV 22:21", true},
      {"GN 1:1", false},    {"gen 1:1", false},    {"XYZ 1:1", false},   {"GEN 1:", false},
      {"GEN :1", false},    {"GEN 1", false},      {"GEN  1:1", false},  {"GEN 1:1 ", false},
      {"GEN 1234:1", false}, {"GEN 1:1234", false}, {"GEN 1:1a", false},  {"GEN 1.1", false},
      {"", false},
  };
  for (const Row& r : references) EXPECT_EQ(IsListReference(r.Text), r.Reference) << r.Text;

  struct Item {
    const char* Text;
    bool Number;
  } items[] = {{"0", true}, {"15", true}, {"007", true}, {"123456789", true}, {"1234567890", false},
               {"", false}, {"-1", false}, {"1st", false}, {" 1", false}};
  for (const Item& r : items) EXPECT_EQ(IsItemNumber(r.Text), r.Number) << r.Text;
}

TEST_F(ListFileReadingTest, DamagedLinesAreLeftOutWithAMessageAndTheRestLoads) {
  const std::string file = temp_.File("kwotref.txt");
  struct Row {
    const char* Name;
    TListFile Kind;
    std::string Bytes;
    Lines Records;  // the lines loaded
    Lines Problems;
  } rows[] = {
      {"sound file", TListFile::References, Fixture("kwotref.txt"), FixtureLines("kwotref.txt"), {}},
      {"damaged references", TListFile::References, Fixture("kwotref-damaged.txt"),
       {"bara", "GEN 1:1", "0", "elohim", "GEN 1:1", "0", "erets", "PSA 24:1", "0"},
       {"File " + file + ", lines 4 to 5: the reference \"0\" cannot be read - skipped",
        "File " + file + ", lines 9 to 11: the reference \"GN 1:1\" cannot be read - skipped",
        "File " + file + ", lines 12 to 14: the item number \"first\" is not a number - skipped",
        "File " + file + ", lines 18 to 19: too few lines for a whole record - skipped"}},
      {"empty lines at the end are no damage", TListFile::Definitions, Fixture("kwotdef-trailing.txt"),
       {"elohim", "3", "God", "erets", "2", "earth"}, {}},
      {"a definition cut short", TListFile::Definitions, Fixture("kwotdef-short.txt"), {"elohim", "3", "God"},
       {"File " + file + ", lines 4 to 5: too few lines for a whole record - skipped"}},
      {"a definition's group is not checked", TListFile::Definitions, CrLf({"x", "no group", "gloss"}),
       {"x", "no group", "gloss"}, {}},
      {"translations cut short", TListFile::Translations, CrLf({"a", "b", "c"}), {"a", "b"},
       {"File " + file + ", line 3: too few lines for a whole record - skipped"}},
      {"an empty translation is a translation", TListFile::Translations, CrLf({"a", "", "c", "d"}),
       {"a", "", "c", "d"}, {}},
      {"empty file", TListFile::References, "", {}, {}},
  };
  for (const Row& r : rows) {
    WriteFileBytes(file, r.Bytes);
    TListDatabase table(file, r.Kind);
    EXPECT_EQ(ItemsOf(table.Lines), r.Records) << r.Name;
    EXPECT_EQ(ItemsOf(table.Problems), r.Problems) << r.Name;
    EXPECT_FALSE(table.Modified) << r.Name;
    EXPECT_FALSE(table.Unreadable) << r.Name;
    EXPECT_EQ(table.LastRecord, table.RecordCount() - 1) << r.Name;
    // The file itself is not touched by reading.
    EXPECT_EQ(ReadFileBytes(file), r.Bytes) << r.Name;
  }
}

TEST_F(ListFileReadingTest, SavingADamagedFileWritesTheRecordsThatLoaded) {
  const std::string file = temp_.File("kwotref.txt");
  WriteFileBytes(file, Fixture("kwotref-damaged.txt"));
  TListDatabase table(file, TListFile::References);
  table.AppendField(rfKeyword, "bara", false);
  table.AppendField(rfReference, "GEN 2:3", true);
  table.AppendField(rfItem, "0", true);
  AnsiString error;
  ASSERT_TRUE(table.SaveChanges(error)) << error;
  EXPECT_EQ(error, "");
  EXPECT_FALSE(table.Modified);
  EXPECT_EQ(ReadFileBytes(file),
            CrLf({"bara", "GEN 1:1", "0", "elohim", "GEN 1:1", "0", "erets", "PSA 24:1", "0", "bara", "GEN 2:3", "0"}));
  // Read again, the file has nothing left to report.
  table.Reload();
  EXPECT_EQ(table.Problems->GetCount(), 0);
  EXPECT_EQ(table.RecordCount(), 4);
}

TEST_F(ListFileReadingTest, AMissingFileIsAnEmptyListMadeWhenFirstSaved) {
  const std::string file = temp_.File("NamesOTTranslation.txt");
  TListDatabase table(file, TListFile::Translations);
  EXPECT_EQ(table.RecordCount(), 0);
  EXPECT_EQ(table.LastRecord, -1);
  EXPECT_EQ(table.Problems->GetCount(), 0);
  EXPECT_FALSE(table.Unreadable);
  AnsiString error;
  EXPECT_TRUE(table.SaveChanges(error)) << error;
  EXPECT_EQ(ReadFileBytes(file), "");
  table.AppendField(tfTranslation, "Adam", false);
  table.AppendField(tfKeyword, "adam", true);
  EXPECT_TRUE(table.SaveChanges(error)) << error;
  EXPECT_EQ(ReadFileBytes(file), CrLf({"adam", "Adam"}));
}

TEST_F(ListFileReadingTest, AFailedSaveLeavesTheOldFileWholeAndSaysSo) {
  const std::string file = temp_.File("KeyWordsOTTranslation.txt");
  const std::string before = Bytes("KeyWordsOTTranslation.txt");
  TListDatabase table(file, TListFile::Translations);
  table.SetField(0, tfTranslation, "erschaffen");
  ASSERT_EQ(FileSetAttr(file, faReadOnly), 0);
  AnsiString error;
  EXPECT_FALSE(table.SaveChanges(error));
  EXPECT_EQ(error.rfind("Cannot create file \"" + file + "\". ", 0), 0u) << error;
  EXPECT_GT(error.size(), ("Cannot create file \"" + file + "\". ").size()) << "the system's reason follows";
  EXPECT_TRUE(table.Modified);
  FileSetAttr(file, 0);
  EXPECT_EQ(ReadFileBytes(file), before);
  // Once the file may be written again, the changes are still there to save.
  EXPECT_TRUE(table.SaveChanges(error)) << error;
  EXPECT_EQ(ReadFileBytes(file), CrLf({"bara", "erschaffen", "elohim", "Gott", "bara", "erschaffen"}));
}

TEST_F(ListFileReadingTest, AFileThatCannotBeReadIsNotReplacedByTheFewRecordsTypedSince) {
  const std::string file = temp_.File("kwotdef.txt");
  const std::string before = Bytes("kwotdef.txt");
  // Another program holds the file open and lets nobody read it.
  HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  TListDatabase table(file, TListFile::Definitions);
  CloseHandle(held);
  EXPECT_TRUE(table.Unreadable);
  EXPECT_EQ(table.RecordCount(), 0);
  ASSERT_EQ(table.Problems->GetCount(), 1);
  EXPECT_EQ(table.Problems->GetStrings(0).rfind("File " + file + " cannot be read: ", 0), 0u)
      << table.Problems->GetStrings(0);

  table.AppendField(dfKeyword, "adam", false);
  AnsiString error;
  EXPECT_FALSE(table.SaveChanges(error));
  EXPECT_EQ(error, "File " + file + " could not be read when the list was opened, so it has not been replaced");
  EXPECT_TRUE(table.Modified);
  EXPECT_EQ(ReadFileBytes(file), before);

  // Read again once it may be read, it is whole.
  table.Reload();
  EXPECT_FALSE(table.Unreadable);
  EXPECT_EQ(table.RecordCount(), 6);
  EXPECT_FALSE(table.Modified);
}

TEST_F(ListFileReadingTest, ProblemsAreShownTogetherUpToALimit) {
  TListDatabase missing(temp_.File("absent.txt"), TListFile::References);
  WriteFileBytes(temp_.File("short.txt"), CrLf({"a", "1"}));
  TListDatabase shortFile(temp_.File("short.txt"), TListFile::Definitions);
  std::unique_ptr<TStringList> problems(new TStringList());
  CollectListProblems(problems.get(), {&missing, nullptr, &shortFile});
  const std::string message = "File " + temp_.File("short.txt") + ", lines 1 to 2: too few lines for a whole record - skipped";
  EXPECT_EQ(ItemsOf(problems.get()), Lines{message});
  EXPECT_EQ(ListProblemsText(problems.get()),
            "Some lines of the list files could not be read; they have been left out:\r\n\r\n" + message);
  for (int i = 0; i < 3; ++i) problems->Add("problem " + std::to_string(i));
  EXPECT_EQ(ListProblemsText(problems.get(), 2),
            "Some lines of the list files could not be read; they have been left out:\r\n\r\n" + message +
                "\r\nproblem 0\r\n... and 2 more");
}

}  // namespace
