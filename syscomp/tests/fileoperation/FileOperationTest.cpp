#include <gtest/gtest.h>

#include <vector>

#include "classlib/Forms.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "syscomp/sycFileOperation.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

// A silent copy, as the version approval sets it up.
class FileOperationTest : public testing_support::IsolatedTest {
protected:
  FileOperationTest() : op_(new TsycFileOperation(nullptr)) {
    op_->Options = {fofFilesOnly, fofNoConfirmation, fofNoConfirmMkDir, fofSilent, fofNoErrorUI};
    op_->OnError = TsycFileOperationEvent::FromFunction([this](TObject* Sender, const AnsiString& S, bool& Handled) {
      EXPECT_EQ(Sender, op_.get());
      errors_.push_back(S);
      Handled = true;
    });
    source_ = temp_.File("src\\");
    dest_ = temp_.File("dest");
    CreateDirectoryA(source_.c_str(), nullptr);
  }

  std::string Source(const char* name, const char* text) {
    const std::string path = source_ + name;
    WriteFileBytes(path, text);
    return path;
  }

  std::unique_ptr<TsycFileOperation> op_;
  std::vector<AnsiString> errors_;
  std::string source_;
  std::string dest_;
};

TEST_F(FileOperationTest, CopiesAListIntoTheDestinationFolder) {
  op_->GetFileList()->Add(Source("Matthew.SFM", "\\id MAT"));
  op_->GetFileList()->Add("");
  op_->GetFileList()->Add(Source("Mark.SFM", "\\id MRK"));
  op_->DestFolder = dest_;
  op_->Operation = fotDelete;  // Copy does not look at it
  EXPECT_TRUE(op_->Copy());
  EXPECT_EQ(ReadFileBytes(dest_ + "\\Matthew.SFM"), "\\id MAT");
  EXPECT_EQ(ReadFileBytes(dest_ + "\\Mark.SFM"), "\\id MRK");
  EXPECT_TRUE(FileExists(source_ + "Mark.SFM"));
  EXPECT_TRUE(errors_.empty());
}

// A destination folder that does not exist is made, so that even one file lands inside it.
TEST_F(FileOperationTest, OneFileGoesIntoADestinationFolderThatIsMade) {
  const std::string nested = dest_ + "\\2024\\approved";
  const struct {
    const char* Name;
    TsycFileOperationType Operation;
    std::string Folder;
  } rows[] = {
      {"copied into a new folder", fotCopy, dest_},
      {"copied two levels down", fotCopy, nested},
      {"moved into a new folder", fotMove, dest_ + "2"},
  };
  for (const auto& row : rows) {
    const std::string file = Source("John.SFM", "\\id JHN");
    op_->GetFileList()->SetText(AnsiString(file));
    op_->DestFolder = row.Folder;
    EXPECT_TRUE(op_->Execute(row.Operation)) << row.Name;
    EXPECT_TRUE(DirectoryExists(row.Folder)) << row.Name;
    EXPECT_EQ(ReadFileBytes(row.Folder + "\\John.SFM"), "\\id JHN") << row.Name;
    EXPECT_EQ(FileExists(file), row.Operation == fotCopy) << row.Name;
  }
  EXPECT_TRUE(errors_.empty());

  // A folder that cannot be made is reported, and nothing is copied under its name.
  const std::string blocked = Source("blocked", "a file, not a folder");
  op_->GetFileList()->SetText(AnsiString(Source("Luke.SFM", "\\id LUK")));
  op_->DestFolder = blocked + "\\inside";
  EXPECT_FALSE(op_->Copy());
  EXPECT_EQ(errors_.size(), 1u);
  EXPECT_EQ(ReadFileBytes(blocked), "a file, not a folder");
}

TEST_F(FileOperationTest, CopiesPairsEachToItsOwnTarget) {
  const std::string a = Source("a.txt", "A");
  const std::string b = Source("b.txt", "B");
  const std::string c = Source("c.txt", "C");
  const std::string d = Source("d.txt", "D");
  const std::string e = Source("e.txt", "E");
  const std::string other = temp_.File("other\\");
  TStrings* list = op_->GetFileList();
  list->Add(a + "=2024-01-01 a.txt");     // relative: below DestFolder
  list->Add(b + "=sub\\*.bak");           // wildcard name: the source's
  list->Add(c);                           // no target: DestFolder under its own name
  list->Add(d + "=" + other + "d2.txt");  // a drive: used as it is
  list->Add("=" + dest_ + "\\lost.txt");  // no source: left out
  list->Add(e + "=");                     // no target: left out
  op_->DestFolder = dest_;
  EXPECT_TRUE(op_->Copy());
  EXPECT_EQ(ReadFileBytes(dest_ + "\\2024-01-01 a.txt"), "A");
  EXPECT_EQ(ReadFileBytes(dest_ + "\\sub\\b.bak"), "B");
  EXPECT_EQ(ReadFileBytes(dest_ + "\\c.txt"), "C");
  EXPECT_EQ(ReadFileBytes(other + "d2.txt"), "D");
  EXPECT_FALSE(FileExists(dest_ + "\\lost.txt"));
  EXPECT_FALSE(FileExists(dest_ + "\\e.txt"));
  EXPECT_TRUE(errors_.empty());
}

TEST_F(FileOperationTest, AMissingSourceIsReportedAndTheOthersAreStillCopied) {
  for (bool pairs : {false, true}) {
    SCOPED_TRACE(pairs ? "pairs" : "plain");
    errors_.clear();
    const std::string target = dest_ + (pairs ? "-pairs" : "-plain");
    TStrings* list = op_->GetFileList();
    list->Clear();
    const std::string missing = source_ + "missing.txt";
    list->Add(Source("one.txt", "1") + (pairs ? "=one-copy.txt" : ""));
    list->Add(missing + (pairs ? "=missing-copy.txt" : ""));
    list->Add(Source("two.txt", "2") + (pairs ? "=two-copy.txt" : ""));
    op_->DestFolder = target;
    EXPECT_FALSE(op_->Copy());
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(Pos(missing, errors_[0]), 1) << errors_[0];
    EXPECT_GT(Length(errors_[0]), Length(missing) + 3);
    EXPECT_EQ(ReadFileBytes(target + (pairs ? "\\one-copy.txt" : "\\one.txt")), "1");
    EXPECT_EQ(ReadFileBytes(target + (pairs ? "\\two-copy.txt" : "\\two.txt")), "2");
  }
}

TEST_F(FileOperationTest, TheShellsWindowsBelongToAWindowedOwner) {
  TForm* form = TForm::CreateNew(nullptr);
  auto* op = new TsycFileOperation(form);
  op->Options = op_->Options;
  op->GetFileList()->Add(Source("owned.txt", "O"));
  CreateDirectoryA(dest_.c_str(), nullptr);
  op->DestFolder = dest_;
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_TRUE(op->Copy());
  EXPECT_TRUE(form->HandleAllocated()) << "the owner's window was made for the shell";
  EXPECT_EQ(ReadFileBytes(dest_ + "\\owned.txt"), "O");
  delete form;
}

TEST_F(FileOperationTest, AnEmptyListDoesNothing) {
  op_->DestFolder = dest_;
  EXPECT_TRUE(op_->Execute());
  op_->GetFileList()->Add("   ");
  EXPECT_TRUE(op_->Execute());
  EXPECT_FALSE(DirectoryExists(dest_));
}

TEST_F(FileOperationTest, MovesRenamesAndDeletes) {
  const std::string a = Source("a.txt", "A");
  op_->GetFileList()->Add(a);
  op_->DestFolder = dest_;
  op_->Operation = fotMove;
  ASSERT_TRUE(op_->Execute());
  EXPECT_FALSE(FileExists(a));
  EXPECT_EQ(ReadFileBytes(dest_ + "\\a.txt"), "A");

  op_->GetFileList()->SetText(AnsiString(dest_ + "\\a.txt"));
  op_->DestFolder = dest_ + "\\renamed.txt";
  ASSERT_TRUE(op_->Execute(fotRename));
  EXPECT_EQ(ReadFileBytes(dest_ + "\\renamed.txt"), "A");

  op_->GetFileList()->SetText(AnsiString(dest_ + "\\renamed.txt"));
  ASSERT_TRUE(op_->Execute(fotDelete));
  EXPECT_FALSE(FileExists(dest_ + "\\renamed.txt"));
  EXPECT_TRUE(errors_.empty());
}

TEST_F(FileOperationTest, ErrorTextsAndHandled) {
  EXPECT_EQ(op_->GetErrorText(0), "");
  EXPECT_EQ(Pos(SysErrorMessage(ERROR_FILE_NOT_FOUND), op_->GetErrorText(ERROR_FILE_NOT_FOUND)), 1);
  EXPECT_TRUE(op_->DoError("text"));
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0], "text");
  op_->OnError = nullptr;
  EXPECT_FALSE(op_->DoError("text"));
}

TEST_F(FileOperationTest, PublishesItsPropertiesWithTheirDefaults) {
  TsycFileOperation fresh(nullptr);
  EXPECT_EQ(fresh.Operation, fotCopy);
  EXPECT_EQ(fresh.Options, (TsycFileOperationFlags{fofAllowUndo, fofFilesOnly, fofRenameCollision}));
  EXPECT_EQ(GetEnumProp(&fresh, "Operation"), "fotCopy");
  const TPropInfo* about = GetPropInfo(&fresh, "About");
  ASSERT_NE(about, nullptr);
  EXPECT_FALSE(IsStoredProp(&fresh, about));
  TStringList lines;
  lines.Add("x.txt");
  SetObjectProp(&fresh, "FileList", &lines);
  EXPECT_EQ(fresh.GetFileList()->GetText(), "x.txt\r\n");
  EXPECT_NE(fresh.GetFileList(), &lines);
}

}  // namespace
