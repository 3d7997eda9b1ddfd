#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/DatabaseUnit.h"
#include "tests/support/TestSupport.h"

namespace {

using Lines = std::vector<std::string>;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

std::string CrLf(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

Lines LinesOf(const TDatabase& table) {
  Lines lines;
  for (int i = 0; i < table.Lines->GetCount(); ++i) lines.push_back(table.Lines->GetStrings(i));
  return lines;
}

// Seven lines with three fields per record: two whole records and the first line of a third.
const Lines kSevenLines = {"a0", "a1", "a2", "b0", "b1", "b2", "c0"};

class DatabaseTest : public testing_support::IsolatedTest {
protected:
  std::unique_ptr<TDatabase> Open(const std::string& bytes, int fieldCount = 3) {
    WriteFileBytes(path_, bytes);
    return std::unique_ptr<TDatabase>(new TDatabase(path_, fieldCount));
  }
  const std::string path_ = temp_.File("table.txt");
};

TEST_F(DatabaseTest, ShortLastRecordIsKeptButNotCounted) {
  auto table = Open(CrLf(kSevenLines));
  EXPECT_EQ(table->RecordCount(), 2);
  EXPECT_EQ(table->LastRecord, 1);
  EXPECT_EQ(table->FieldCount, 3);
  EXPECT_FALSE(table->Modified);

  struct Row {
    int Record, Field;
    const char* Text;
  } rows[] = {
      {0, 0, "a0"}, {0, 2, "a2"}, {1, 1, "b1"},
      {2, 0, ""},   // the incomplete third record is no record
      {2, 1, ""},   {9, 0, ""},   {-1, 0, ""}, {0, 3, ""}, {0, -1, ""}, {0x7FFFFFFF, 2, ""},
  };
  for (const Row& r : rows) EXPECT_EQ(table->GetField(r.Record, r.Field), r.Text) << r.Record << "," << r.Field;

  table->Save();
  EXPECT_EQ(ReadFileBytes(path_), CrLf(kSevenLines));
}

TEST_F(DatabaseTest, ReadsAnyLineEndAndALastLineWithoutOne) {
  auto table = Open("x0\ny0\r\nx1\ry1", 2);
  EXPECT_EQ(table->RecordCount(), 2);
  EXPECT_EQ(table->GetField(1, 1), "y1");
  table->Save();
  EXPECT_EQ(ReadFileBytes(path_), "x0\r\ny0\r\nx1\r\ny1\r\n");
}

TEST_F(DatabaseTest, EmptyFileHasNoRecords) {
  auto table = Open("");
  EXPECT_EQ(table->RecordCount(), 0);
  EXPECT_EQ(table->LastRecord, -1);
  EXPECT_EQ(table->GetField(0, 0), "");
  table->SetField(0, 0, "x");
  EXPECT_FALSE(table->Modified);
  EXPECT_EQ(table->Lines->GetCount(), 0);
  table->DeleteRecord(0);
  EXPECT_FALSE(table->Modified);
}

TEST_F(DatabaseTest, MissingFileRaisesTheFileOpenError) {
  EXPECT_THROW(TDatabase(temp_.File("absent.txt"), 3), EFOpenError);
  EXPECT_THROW(TDatabase(temp_.File("no folder\\absent.txt"), 3), EFOpenError);
  WriteFileBytes(path_, "a\r\n");
  EXPECT_THROW(TDatabase(path_, 0), Exception);
}

TEST_F(DatabaseTest, TableOverLinesReadElsewhereReadsNothingAndSavesAsUsual) {
  const std::string absent = temp_.File("new folder\\made.txt");
  std::unique_ptr<TStringList> lines(new TStringList());
  for (const std::string& line : kSevenLines) lines->Add(line);
  TDatabase table(absent, 3, lines.get());
  lines->Clear();  // copied, not shared
  EXPECT_EQ(LinesOf(table), kSevenLines);
  EXPECT_EQ(table.RecordCount(), 2);
  EXPECT_EQ(table.LastRecord, 1);
  EXPECT_FALSE(table.Modified);

  TDatabase empty(path_, 2, nullptr);
  EXPECT_EQ(empty.RecordCount(), 0);
  EXPECT_EQ(empty.LastRecord, -1);
  EXPECT_FALSE(FileExists(path_));
  empty.AppendField(0, "k", false);
  empty.Save();
  EXPECT_EQ(ReadFileBytes(path_), CrLf({"k", ""}));
  EXPECT_THROW(TDatabase(path_, 0, nullptr), Exception);
}

TEST_F(DatabaseTest, SetFieldReplacesExistingLinesOnly) {
  auto table = Open(CrLf(kSevenLines));
  table->SetField(5, 0, "far");
  table->SetField(2, 1, "beyond the last line");
  EXPECT_FALSE(table->Modified);
  EXPECT_EQ(LinesOf(*table), kSevenLines);

  table->SetField(1, 2, "B2");
  table->SetField(2, 0, "C0");  // the line is there, though its record is incomplete
  EXPECT_TRUE(table->Modified);
  EXPECT_EQ(LinesOf(*table), (Lines{"a0", "a1", "a2", "b0", "b1", "B2", "C0"}));
}

TEST_F(DatabaseTest, AppendField) {
  struct Row {
    const char* Name;
    Lines Before;
    int Field;
    bool SameRecord;
    Lines After;
  } rows[] = {
      {"target line exists: replaced, nothing appended", kSevenLines, 0, false,
       {"a0", "a1", "a2", "b0", "b1", "b2", "new"}},
      {"whole records: a new record of empty lines", {"a0", "a1", "a2", "b0", "b1", "b2"}, 1, false,
       {"a0", "a1", "a2", "b0", "b1", "b2", "", "new", ""}},
      {"same record: the last whole record", {"a0", "a1", "a2", "b0", "b1", "b2"}, 2, true,
       {"a0", "a1", "a2", "b0", "b1", "new"}},
      {"same record with an incomplete one after it", kSevenLines, 0, true,
       {"a0", "a1", "a2", "new", "b1", "b2", "c0"}},
      {"incomplete last record is filled up to its end", kSevenLines, 2, false,
       {"a0", "a1", "a2", "b0", "b1", "b2", "c0", "", "new"}},
      {"empty table", {}, 1, false, {"", "new", ""}},
      {"empty table, same record: a first record", {}, 0, true, {"new", "", ""}},
      {"field out of range changes nothing", kSevenLines, 3, false, kSevenLines},
  };
  for (const Row& r : rows) {
    auto table = Open(CrLf(r.Before));
    table->AppendField(r.Field, "new", r.SameRecord);
    EXPECT_EQ(LinesOf(*table), r.After) << r.Name;
    EXPECT_EQ(table->Modified, r.After != r.Before) << r.Name;
  }
}

TEST_F(DatabaseTest, AppendingRecordsFieldByField) {
  auto table = Open("");
  for (const char* word : {"one", "two"}) {
    table->AppendField(0, word, false);
    table->AppendField(1, std::string(word) + " meaning", true);
    table->AppendField(2, "note", true);
  }
  EXPECT_EQ(LinesOf(*table), (Lines{"one", "one meaning", "note", "two", "two meaning", "note"}));
  EXPECT_EQ(table->RecordCount(), 2);
  EXPECT_EQ(table->LastRecord, -1);  // as it was when the table was created
}

TEST_F(DatabaseTest, DeleteRecordMovesLaterRecordsUp) {
  auto table = Open(CrLf(kSevenLines));
  table->DeleteRecord(0);
  EXPECT_TRUE(table->Modified);
  EXPECT_EQ(LinesOf(*table), (Lines{"b0", "b1", "b2", "c0"}));
  EXPECT_EQ(table->GetField(0, 1), "b1");
  EXPECT_EQ(table->RecordCount(), 1);

  table->DeleteRecord(1);  // the incomplete record's lines
  EXPECT_EQ(LinesOf(*table), (Lines{"b0", "b1", "b2"}));

  table->Modified = false;
  table->DeleteRecord(3);
  table->DeleteRecord(-1);
  EXPECT_FALSE(table->Modified);
  EXPECT_EQ(table->RecordCount(), 1);
}

TEST_F(DatabaseTest, SaveWritesOnlyWhenAskedAndLoadReadsAfresh) {
  auto table = Open(CrLf({"k", "v"}), 2);
  table->SetField(0, 1, "changed");
  EXPECT_EQ(ReadFileBytes(path_), CrLf({"k", "v"}));  // nothing written before Save
  table->Save();
  EXPECT_FALSE(table->Modified);
  EXPECT_EQ(ReadFileBytes(path_), CrLf({"k", "changed"}));

  WriteFileBytes(path_, CrLf({"x", "y", "z", "w"}));
  table->Load();
  EXPECT_EQ(table->RecordCount(), 2);
  EXPECT_EQ(table->GetField(1, 0), "z");
}

TEST_F(DatabaseTest, DestroyingDoesNotSave) {
  {
    auto table = Open(CrLf({"k", "v"}), 2);
    table->AppendField(0, "lost", false);
  }
  EXPECT_EQ(ReadFileBytes(path_), CrLf({"k", "v"}));
}

TEST_F(DatabaseTest, FailedSaveLeavesTheFileAsItWas) {
  auto table = Open(CrLf({"k", "v"}), 2);
  table->SetField(0, 0, "changed");
  ASSERT_EQ(FileSetAttr(path_, faReadOnly), 0);
  EXPECT_THROW(table->Save(), EFCreateError);
  EXPECT_TRUE(table->Modified);
  FileSetAttr(path_, 0);
  EXPECT_EQ(ReadFileBytes(path_), CrLf({"k", "v"}));

  // No half-written file is left behind in the folder either.
  TSearchRec rec;
  int files = 0;
  if (FindFirst(temp_.Path() + "*", faAnyFile & ~faDirectory, rec) == 0) {
    do ++files;
    while (FindNext(rec) == 0);
    FindClose(rec);
  }
  EXPECT_EQ(files, 1);
}

}  // namespace
