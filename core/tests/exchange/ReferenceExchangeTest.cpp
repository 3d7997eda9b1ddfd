#include <string>

#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "core/MyRegistry.h"
#include "core/ParatextBibleWorks.h"
#include "core/tests/CoreTestSupport.h"

namespace {

using core_testing::CrLf;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

const char kToBibleWorks[] =
    ": Conversion Paratext -> BibleWorks, open the Ref List Manager, then open file pelorin.vls.";
const char kToParatext[] = ": Conversion BibleWorks -> Paratext, open the List, then open file pelorin.ref.";

// The file opened as another program would hold it.
UniqueFileHandle Hold(const std::string& file, DWORD access, DWORD share) {
  UniqueFileHandle held(CreateFileA(file.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(held) << file;
  return held;
}

// The settings point the Paratext folder (with its trailing backslash) and the BibleWorks folder
// (without one, as the setting holds it) into the test's folder.
class ReferenceExchangeTest : public core_testing::CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    CreateDirectoryA(Projects().c_str(), nullptr);
    CreateDirectoryA(BibleWorks().c_str(), nullptr);
    WriteSettingString("BibleWorks Folder", BibleWorks());
    BuildRefFolders();
  }

  std::string BibleWorks() const { return temp_.Path() + "BibleWorks 5"; }
  std::string RefFile() const { return Projects() + "pelorin.ref"; }
  std::string VlsFile() const { return BibleWorks() + "\\pelorin.vls"; }

  std::string Convert(const char* direction) {
    AnsiString message;
    ConvertReferenceList(direction, message, afternoon_);
    return message;
  }

  const TDateTime afternoon_ = EncodeTime(14, 5, 9, 0);
};

TEST_F(ReferenceExchangeTest, FoldersComeFromTheSettings) {
  EXPECT_EQ(ParatextFolder, Projects());
  EXPECT_EQ(BibleWorksFolder, BibleWorks());
  EXPECT_EQ(ParatextReferenceFile(), RefFile());
  EXPECT_EQ(BibleWorksReferenceFile(), VlsFile());
}

TEST_F(ReferenceExchangeTest, ParatextToBibleWorks) {
  WriteFileBytes(RefFile(), CrLf({
                                "MAT 5:3 [1] Blessed are the poor in spirit",
                                "GEN 1:1",
                                "JHN 3:16 - A capitalized word (God) was found within a sentence.",
                                "SNG 2:1\t[1] a tab after the reference",
                                "1JN 1:9 [2]",
                                "XYZ 1:1 no book",
                                "",
                                "mat 5:4 letter case counts",
                                "PHP 4:13",
                            }));
  EXPECT_EQ(Convert("paratext"), std::string("2:05:09 PM") + kToBibleWorks);
  EXPECT_EQ(ReadFileBytes(VlsFile()),
            CrLf({"BWRL 1", "KJV Mat 5:3", "KJV Gen 1:1", "KJV Joh 3:16", "KJV Sol 2:1", "KJV 1Jo 1:9", "KJV Phi 4:13"}));
}

TEST_F(ReferenceExchangeTest, LinesThatAreNoReferenceAreDroppedOnTheWayToBibleWorks) {
  WriteFileBytes(RefFile(), CrLf({
                                "MAT",
                                "GEN1:1",
                                "GEN 1:1",
                                "MAT 5",
                                "MAT 5:",
                                "MAT :3",
                                "MAT  5:3 two blanks",
                                "MAT x:3",
                                "MAT 5:3x [1]",
                                "MAT 5:3-",
                                "MAT 5:3-4 [1] a range",
                                "MAT5:3",
                                "MAT\t5:3",
                                "REV 22:21",
                            }));
  Convert("paratext");
  EXPECT_EQ(ReadFileBytes(VlsFile()), CrLf({"BWRL 1", "KJV Gen 1:1", "KJV Mat 5:3-4", "KJV Mat 5:3", "KJV Rev 22:21"}));
}

TEST_F(ReferenceExchangeTest, BibleWorksToParatext) {
  // BibleWorks heads its list with two lines; every book's name is found wherever it stands.
  WriteFileBytes(VlsFile(), CrLf({"BWRL 1", "My list", "KJV Gen 1:1", "KJV Mat 5:3", "KJV 1Jo 1:9", "KJV Sol 2:1",
                                  "MINE Joh 3:16", "KJV Jud 1:3", "KJV Jdg 1:3", "KJV Xyz 1:1", ""}));
  EXPECT_EQ(Convert("bibleworks"), std::string("2:05:09 PM") + kToParatext);
  EXPECT_EQ(ReadFileBytes(RefFile()),
            CrLf({"GEN 1:1", "MAT 5:3", "1JN 1:9", "SNG 2:1", "JHN 3:16", "JUD 1:3", "JDG 1:3"}));
}

TEST_F(ReferenceExchangeTest, EdgesOfTheLists) {
  struct Row {
    const char* Name;
    const char* Direction;
    bool SourceExists;
    std::string Source;
    std::string Target;
  } rows[] = {
      {"empty Paratext list", "paratext", true, "", "BWRL 1\r\n"},
      {"missing Paratext list", "paratext", false, "", "BWRL 1\r\n"},
      {"header and one reference: both lines skipped", "bibleworks", true, "BWRL 1\r\nKJV Gen 1:1\r\n", ""},
      {"missing BibleWorks list", "bibleworks", false, "", ""},
  };
  for (const Row& r : rows) {
    const bool toBibleWorks = std::string(r.Direction) == "paratext";
    const std::string source = toBibleWorks ? RefFile() : VlsFile();
    const std::string target = toBibleWorks ? VlsFile() : RefFile();
    DeleteFileA(source.c_str());
    WriteFileBytes(target, "old list\r\n");
    if (r.SourceExists) WriteFileBytes(source, r.Source);
    EXPECT_EQ(Convert(r.Direction), std::string("2:05:09 PM") + (toBibleWorks ? kToBibleWorks : kToParatext)) << r.Name;
    EXPECT_EQ(ReadFileBytes(target), r.Target) << r.Name;
  }
}

TEST_F(ReferenceExchangeTest, TimeOfDayInTheLongTimeFormat) {
  struct Row {
    TDateTime Time;
    const char* Text;
  } rows[] = {
      {EncodeTime(0, 0, 0, 0), "12:00:00 AM"},
      {EncodeTime(9, 30, 5, 0), "9:30:05 AM"},
      {EncodeTime(23, 59, 59, 999), "11:59:59 PM"},
      {EncodeDate(2024, 2, 29) + EncodeTime(12, 0, 1, 0), "12:00:01 PM"},
  };
  for (const Row& r : rows) {
    AnsiString message;
    ConvertReferenceList("bibleworks", message, r.Time);
    EXPECT_EQ(message, std::string(r.Text) + kToParatext);
  }
  // Without a time the clock's is used.
  AnsiString message;
  const std::string before = TimeToStr(Now());
  ConvertReferenceList("paratext", message);
  const std::string after = TimeToStr(Now());
  EXPECT_TRUE(message == before + kToBibleWorks || message == after + kToBibleWorks) << message;
}

TEST_F(ReferenceExchangeTest, UnknownDirectionTouchesNoFile) {
  WriteFileBytes(RefFile(), "GEN 1:1\r\n");
  for (const char* direction : {"Paratext", "BibleWorks", "", "both"}) {
    EXPECT_EQ(Convert(direction), "Error encountered") << direction;
    EXPECT_EQ(ReadFileBytes(RefFile()), "GEN 1:1\r\n");
    EXPECT_EQ(GetFileAttributesA(VlsFile().c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

TEST_F(ReferenceExchangeTest, UnwritableTargetStaysAsItWas) {
  WriteFileBytes(RefFile(), "GEN 1:1\r\n");
  WriteFileBytes(VlsFile(), "BWRL 1\r\nKJV Rev 1:1\r\n");

  // Read-only.
  SetFileAttributesA(VlsFile().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Convert("paratext"), std::string("2:05:09 PM") + kToBibleWorks);
  SetFileAttributesA(VlsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadFileBytes(VlsFile()), "BWRL 1\r\nKJV Rev 1:1\r\n");

  // Held open by the other program without sharing.
  {
    UniqueFileHandle held = Hold(VlsFile(), GENERIC_READ | GENERIC_WRITE, 0);
    EXPECT_EQ(Convert("paratext"), std::string("2:05:09 PM") + kToBibleWorks);
  }
  EXPECT_EQ(ReadFileBytes(VlsFile()), "BWRL 1\r\nKJV Rev 1:1\r\n");

  // A folder that does not exist is not made.
  WriteSettingString("BibleWorks Folder", temp_.Path() + "Not installed");
  BuildRefFolders();
  EXPECT_EQ(Convert("paratext"), std::string("2:05:09 PM") + kToBibleWorks);
  EXPECT_EQ(GetFileAttributesA((temp_.Path() + "Not installed").c_str()), INVALID_FILE_ATTRIBUTES);

  // Nor is a folder left unset taken for the current folder or the drive's root.
  WriteSettingString("BibleWorks Folder", "");
  BuildRefFolders();
  EXPECT_EQ(BibleWorksReferenceFile(), "");
  EXPECT_EQ(Convert("paratext"), std::string("2:05:09 PM") + kToBibleWorks);
}

TEST_F(ReferenceExchangeTest, UnreadableSourceCountsAsEmpty) {
  WriteFileBytes(RefFile(), "GEN 1:1\r\n");
  {
    UniqueFileHandle held = Hold(RefFile(), GENERIC_READ | GENERIC_WRITE, 0);
    EXPECT_EQ(Convert("paratext"), std::string("2:05:09 PM") + kToBibleWorks);
  }
  EXPECT_EQ(ReadFileBytes(VlsFile()), "BWRL 1\r\n");

  // A source still open for writing by the program that made it is read all the same.
  {
    UniqueFileHandle held = Hold(RefFile(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    Convert("paratext");
  }
  EXPECT_EQ(ReadFileBytes(VlsFile()), "BWRL 1\r\nKJV Gen 1:1\r\n");
}

TEST_F(ReferenceExchangeTest, ConversionsLeaveAttributesAlone) {
  WriteFileBytes(RefFile(), "GEN 1:1\r\n");
  WriteFileBytes(VlsFile(), "BWRL 1\r\n\r\nKJV Exo 2:3\r\n");
  SetFileAttributesA(RefFile().c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  Convert("paratext");
  EXPECT_EQ(GetFileAttributesA(RefFile().c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(ReadFileBytes(VlsFile()), "BWRL 1\r\nKJV Gen 1:1\r\n");
}

TEST_F(ReferenceExchangeTest, FileChangeTest) {
  const std::string file = RefFile();
  EXPECT_FALSE(ReadExchangeFileStamp(file).Exists);
  EXPECT_FALSE(ExchangeFileChanged(file, TExchangeFileStamp()));
  EXPECT_FALSE(ExchangeFileChanged(Projects(), TExchangeFileStamp()));  // a folder
  EXPECT_FALSE(ExchangeFileChanged("", TExchangeFileStamp()));

  WriteFileBytes(file, "GEN 1:1\r\n");
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_TRUE(ExchangeFileChanged(file, TExchangeFileStamp()));
  TExchangeFileStamp converted = ReadExchangeFileStamp(file);
  EXPECT_TRUE(converted.Exists);
  EXPECT_EQ(converted.Size, 9);
  EXPECT_FALSE(ExchangeFileChanged(file, converted));  // the archive attribute alone says nothing

  // Another size, or the same size written later, is a change.
  WriteFileBytes(file, "GEN 1:1\r\nGEN 1:2\r\n");
  EXPECT_TRUE(ExchangeFileChanged(file, converted));
  converted = ReadExchangeFileStamp(file);
  {
    UniqueFileHandle h = Hold(file, GENERIC_WRITE, 0);
    const Int64 oneSecondLater = converted.LastWrite + 10000000;
    FILETIME later{static_cast<DWORD>(oneSecondLater), static_cast<DWORD>(oneSecondLater >> 32)};
    SetFileTime(h.get(), nullptr, nullptr, &later);
  }
  EXPECT_EQ(ReadExchangeFileStamp(file).Size, converted.Size);
  EXPECT_TRUE(ExchangeFileChanged(file, converted));
  converted = ReadExchangeFileStamp(file);

  // Where the archive attribute can be cleared, a file without it has not been written since.
  if (SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL) &&
      !(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_ARCHIVE)) {
    EXPECT_FALSE(ExchangeFileChanged(file, TExchangeFileStamp()));
  }
}

}  // namespace
