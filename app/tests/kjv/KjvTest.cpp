// The real Pelorin.exe on a copy of the whole KJV: every book is checked once and gets its results
// file, a second start checks nothing, and a changed copy of one book renamed over it (as an
// editor saves) is the only book checked again.
#include <map>
#include <string>
#include <vector>

#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/ProgramDriver.h"
#include "core/TypesConstants.h"

namespace {

using namespace app_testing;

using core_testing::StoreSetting;

struct FileState {
  std::string bytes;
  unsigned long long written;
  bool operator==(const FileState&) const = default;
};

class KjvTest : public testing_support::IsolatedTest {
protected:
  void SetUp() override {
    if (KjvDataFolder().empty()) GTEST_SKIP() << "the KJV project of the shared data is not here";
    CopyKjvProject(Projects());
    StoreSetting("S6", Projects());
    StoreSetting("S7", "King James Version");
    // The fastest mechanical run, so that the whole Bible takes seconds rather than minutes.
    StoreSetting("I7", "1");
  }
  std::string Projects() const { return temp_.Path() + "Projects\\"; }
  std::string Program() const { return temp_.Path() + "Program\\"; }
  std::string Work() const { return Projects() + "KJV\\Pelorin\\"; }

  std::map<std::string, FileState> ResultsFiles() const {
    std::map<std::string, FileState> files;
    for (const std::string& path : FilesIn(Work(), "*.dat"))
      files[path.substr(Work().size())] = {testing_support::ReadFileBytes(path), LastWriteTime(path)};
    return files;
  }

  // Starts Pelorin, waits for the end of its first cycle and closes it.
  void RunOnce(DWORD timeoutMs) {
    PelorinProcess pelorin(Program(), registry_.Root());
    ASSERT_TRUE(pelorin.MainWindow());
    ASSERT_TRUE(pelorin.WaitForStatus("All checks done", timeoutMs)) << pelorin.StatusPanel(1);
    ASSERT_TRUE(pelorin.Close());
  }
};

TEST_F(KjvTest, EveryBookIsCheckedOnceAndASecondStartChecksNothing) {
  RunOnce(60000);
  const auto first = ResultsFiles();
  ASSERT_EQ(first.size(), 66u);
  for (int book = 1; book <= BookCount; ++book) {
    const std::string name = EnglishBookName(book) + ".dat";
    ASSERT_TRUE(first.count(name)) << name;
    const Lines lines = FileLines(Work() + name);
    ASSERT_GE(lines.size(), 5u);
    const std::string id = BookId(book);
    const std::string bookFile = FilesIn(Projects() + "KJV\\", "*" + id + "KJV.SFM").at(0);
    EXPECT_EQ(lines[0], std::to_string(FileAge(bookFile))) << name;
    EXPECT_EQ(lines[2], "[spelling errors]");
  }

  RunOnce(30000);
  EXPECT_EQ(ResultsFiles(), first);
}

TEST_F(KjvTest, ABookRenamedOverByAChangedCopyIsTheOnlyBookCheckedAgain) {
  // The results of an earlier check of every book, up to date.
  for (int book = 1; book <= BookCount; ++book) {
    const std::string bookFile = FilesIn(Projects() + "KJV\\", "*" + BookId(book) + "KJV.SFM").at(0);
    testing_support::WriteFileBytes(Work() + EnglishBookName(book) + ".dat",
                                    std::to_string(FileAge(bookFile)) +
                                        "\r\n0\r\n[spelling errors]\r\n[mechanical errors]\r\n[exceptions]\r\n");
  }
  const auto before = ResultsFiles();
  ASSERT_EQ(before.size(), 66u);

  // An editor saves Ruth: it writes a changed copy and renames it over the book.
  const std::string ruth = Projects() + "KJV\\08RUTKJV.SFM";
  const std::string copy = Projects() + "KJV\\08RUTKJV.tmp";
  testing_support::WriteFileBytes(copy, testing_support::ReadFileBytes(ruth) + "\\rem saved again\r\n");
  ASSERT_TRUE(MoveFileExA(copy.c_str(), ruth.c_str(), MOVEFILE_REPLACE_EXISTING));

  RunOnce(30000);
  auto after = ResultsFiles();
  ASSERT_EQ(after.size(), 66u);
  EXPECT_NE(after["Ruth.dat"], before.at("Ruth.dat"));
  EXPECT_EQ(FileLines(Work() + "Ruth.dat")[0], std::to_string(FileAge(ruth)));
  after.erase("Ruth.dat");
  auto others = before;
  others.erase("Ruth.dat");
  EXPECT_EQ(after, others);
}

}  // namespace
