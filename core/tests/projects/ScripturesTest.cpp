#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/ScripturesUnit.h"
#include "core/StyleSheetUnit.h"
#include "core/tests/CoreTestSupport.h"

namespace {

using core_testing::CrLf;
using testing_support::WriteFileBytes;

std::vector<std::string> Items(TStrings* list) {
  std::vector<std::string> items;
  for (int i = 0; i < list->GetCount(); ++i) items.push_back(list->GetStrings(i));
  return items;
}

class ScripturesTest : public core_testing::CoreTest {};

TEST_F(ScripturesTest, CurrentProjectIsFoundByFullNameIgnoringCase) {
  WriteProject("AAA", "Alpha Version", "", ".SFM");
  WriteProject("BBB", "Beta Version", "", ".SFM");
  MyReg->SetCurrentProject("BETA version");
  std::unique_ptr<TAllScriptures> all(new TAllScriptures());
  ASSERT_EQ(all->ShortNames->GetCount(), 2);
  const int beta = all->ShortNames->IndexOf("BBB");
  EXPECT_EQ(all->CurrentIndex, beta);
  EXPECT_EQ(all->FullNames->GetStrings(beta), "Beta Version");
  EXPECT_EQ(all->Directories->GetStrings(beta), Projects() + "BBB");
  EXPECT_EQ(all->IndexOfProject("alpha VERSION"), all->ShortNames->IndexOf("AAA"));
  EXPECT_EQ(all->IndexOfProject("Gamma"), -1);

  MyReg->SetCurrentProject("No Such Project");
  std::unique_ptr<TAllScriptures> again(new TAllScriptures());
  EXPECT_EQ(again->CurrentIndex, 0);
  EXPECT_FALSE(FileExists(Projects() + "PQ$.ssf"));
}

TEST_F(ScripturesTest, AnUnusableProjectsFolderGivesNoProjectAndAMessage) {
  // A file where the folder should be: nothing can be listed or created there. An empty setting
  // must not fall back to the current folder.
  WriteFileBytes(temp_.File("blocked"), "not a folder");
  const AnsiString blocked = temp_.File("blocked") + "\\Projects";
  const AnsiString startFolder = GetCurrentDir();
  for (const AnsiString& folder : {blocked, AnsiString()}) {
    SCOPED_TRACE("folder \"" + folder + "\"");
    WriteFileBytes(temp_.File("cwd\\STRAY.ssf"), "<ScriptureText></ScriptureText>");
    SetCurrentDirectoryA(temp_.File("cwd").c_str());
    MyReg->SetParatextProjectsFolder(folder);
    const AnsiString shown = folder.empty() ? folder : folder + "\\";
    std::unique_ptr<TAllScriptures> all(new TAllScriptures());
    EXPECT_EQ(all->ShortNames->GetCount(), 0);
    EXPECT_EQ(all->CurrentIndex, -1);
    EXPECT_EQ(all->Problem.rfind("The Paratext projects folder \"" + shown + "\" holds no project", 0), 0u) << all->Problem;
    EXPECT_NE(all->Problem.find("Choose the folder of your Paratext projects under Settings, Paratext."), std::string::npos);
    EXPECT_EQ(ProjectsFolderProblem(), all->Problem);
    EXPECT_FALSE(FileExists(temp_.File("cwd\\PQ$.ssf")));

    std::unique_ptr<TScripture> scripture(new TScripture(nullptr, -1));
    EXPECT_EQ(scripture->BookNames->GetCount(), 0);
    EXPECT_EQ(scripture->WorkFolder, "");
    AnsiString name;
    EXPECT_FALSE(scripture->NextBook(name));
    EXPECT_EQ(CurrentProjectWorkFolder(), "");
    LoadStyleSheet();
    EXPECT_EQ(StyleSheetMarkers->GetCount(), 0);
    SetCurrentDirectoryA(startFolder.c_str());
  }

  // Once the folder is usable again the message goes.
  MyReg->SetParatextProjectsFolder(Projects());
  std::unique_ptr<TAllScriptures> fine(new TAllScriptures());
  EXPECT_EQ(fine->ShortNames->GetCount(), 1);
  EXPECT_EQ(ProjectsFolderProblem(), "");
}

class BookReaderTest : public core_testing::CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    WriteProject("XY", "Ex Why", "XY", ".SFM", "test.sty", "3");
    MyReg->SetCurrentProject("Ex Why");
    WriteBook("XY", "XY01GEN.SFM", "\\id GEN\r\n\\c 1\r\n");            // CR LF
    WriteBook("XY", "XY41MAT.SFM", "\\id MAT\n\\c 1\n\\v 1 Last");       // LF, final line without line end
    WriteBook("XY", "XY7REV.SFM", "\\id REV\r\n\\c 1\r");               // ends in a bare carriage return
    WriteBook("XY", "XYzzJHN.SFM", "\\id JHN\r\n");                     // only the last three characters count
    WriteBook("XY", "XYAjhn.SFM", "\\id JHN second\r\n");               // the same book again
    WriteBook("XY", "XYABC.SFM", "no book");
    WriteBook("XY", "XY.SFM", "no code");
    WriteBook("XY", "44ACT.SFM", "no prefix");
    WriteBook("XY", "XY45ROM.txt", "other suffix");
  }
  std::string Dir() const { return Projects() + "XY\\"; }
};

TEST_F(BookReaderTest, BooksAreListedByTheNamingRuleInCanonicalOrder) {
  std::unique_ptr<TScripture> s(new TScripture(nullptr, -1));
  EXPECT_EQ(Items(s->BookNames), (std::vector<std::string>{"Genesis", "Matthew", "John", "Revelation"}));
  EXPECT_EQ(Items(s->BookIds), (std::vector<std::string>{"GEN", "MAT", "JHN", "REV"}));
  const std::vector<std::string> files = Items(s->BookFiles);
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(files[0], Dir() + "XY01GEN.SFM");
  EXPECT_EQ(files[1], Dir() + "XY41MAT.SFM");
  EXPECT_TRUE(files[2] == Dir() + "XYzzJHN.SFM" || files[2] == Dir() + "XYAjhn.SFM") << files[2];
  EXPECT_EQ(files[3], Dir() + "XY7REV.SFM");
  EXPECT_EQ(s->WorkFolder, Dir() + "Pelorin\\");
  EXPECT_TRUE(DirectoryExists(Dir() + "Pelorin"));
  EXPECT_EQ(s->Versification, 3);
  EXPECT_TRUE(s->AllBooks);
  EXPECT_EQ(s->BookIndex, -1);
}

TEST_F(BookReaderTest, BooksAreReadOneByOneAndCharacterByCharacter) {
  std::unique_ptr<TScripture> s(new TScripture(nullptr, -1));
  EXPECT_FALSE(s->Loaded);
  s->Rewind();
  std::vector<std::string> names, texts;
  AnsiString name;
  while (s->NextBook(name)) {
    names.push_back(name);
    std::string text;
    char c;
    while (s->NextChar(c)) text.push_back(c);
    texts.push_back(text);
  }
  EXPECT_TRUE(s->Loaded);
  EXPECT_EQ(names, (std::vector<std::string>{"Genesis", "Matthew", "John", "Revelation"}));
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0], "\\id GEN\n\\c 1\n");
  EXPECT_EQ(texts[1], "\\id MAT\n\\c 1\n\\v 1 Last");
  // The carriage return at the very end is replaced by what the text-file reader gives there.
  EXPECT_EQ(texts[3], "\\id REV\n\\c 1\x1A");
  EXPECT_EQ(name, "");
  AnsiString again;
  EXPECT_FALSE(s->NextBook(again));

  s->Rewind();
  ASSERT_TRUE(s->NextBook(name));
  EXPECT_EQ(name, "Genesis");
}

TEST_F(BookReaderTest, AnotherProjectKeepsTheCurrentProjectsWorkFolder) {
  WriteProject("OT", "Old Translation", "", ".SFC");
  WriteBook("OT", "EXO.SFC", "\\id EXO\r\n");
  std::unique_ptr<TAllScriptures> all(new TAllScriptures());
  const int other = all->ShortNames->IndexOf("OT");
  std::unique_ptr<TScripture> s(new TScripture(nullptr, other));
  EXPECT_EQ(Items(s->BookNames), std::vector<std::string>{"Exodus"});
  EXPECT_EQ(s->BookFiles->GetStrings(0), Projects() + "OT\\EXO.SFC");
  EXPECT_EQ(s->WorkFolder, Dir() + "Pelorin\\");
  EXPECT_EQ(s->Versification, 4);
  EXPECT_EQ(CurrentProjectWorkFolder(), Dir() + "Pelorin\\");
}

TEST_F(BookReaderTest, AProjectWithoutItsFolderHasNoBooks) {
  WriteProject("GONE", "Gone Project", "", ".SFM");
  MyReg->SetCurrentProject("Gone Project");
  std::unique_ptr<TScripture> s(new TScripture(nullptr, -1));
  EXPECT_EQ(s->BookNames->GetCount(), 0);
  AnsiString name;
  EXPECT_FALSE(s->NextBook(name));
}

TEST_F(BookReaderTest, AMissingBookFileRaisesAnInputOutputError) {
  std::unique_ptr<TScripture> s(new TScripture(nullptr, -1));
  DeleteFile(Dir() + "XY01GEN.SFM");
  AnsiString name;
  EXPECT_THROW(s->NextBook(name), EInOutError);
}

}  // namespace
