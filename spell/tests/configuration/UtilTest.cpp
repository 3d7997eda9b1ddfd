#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "spell/lx3Util.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

std::string ProgramDir() {
  std::string dir = testing_support::ProgramFolder();
  dir.pop_back();
  return dir;
}

std::string ShellFolder(int folder) {
  char path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, folder, FALSE)) return "";
  return ExcludeTrailingBackslash(path);
}

TEST(PathMacros, ExpandTheFirstOccurrenceOfEachMacro) {
  char user[257];
  DWORD size = sizeof user;
  ASSERT_TRUE(GetUserNameA(user, &size));
  SetEnvironmentVariableA("PELORIN_SPELL_TEST", "from-env");
  const std::string appData = ShellFolder(CSIDL_APPDATA);
  struct {
    const char* path;
    std::string expanded;
  } const cases[] = {
      {"%AppDir%\\American.lxm", ProgramDir() + "\\American.lxm"},
      {"%AppDir%\\%AppDir%", ProgramDir() + "\\%AppDir%"},  // the second one stays
      {"%AppDir%\\%UserName%_sp.lxl", ProgramDir() + "\\" + user + "_sp.lxl"},
      {"%AppName%.lxu", "spell_configuration_tests.lxu"},
      {"%AppData%\\Lexeme", (appData.empty() ? ProgramDir() : appData) + "\\Lexeme"},
      {"%MyDocuments%", ShellFolder(CSIDL_PERSONAL)},
      {"%PELORIN_SPELL_TEST%\\x", "from-env\\x"},
      {"%NO_SUCH_VARIABLE_HERE%", "%NO_SUCH_VARIABLE_HERE%"},
      {"plain.lxu", "plain.lxu"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandPathMacros(c.path), c.expanded) << c.path;
}

class FilesTest : public testing_support::IsolatedTest {};

TEST_F(FilesTest, CanCreateFileNeverDeletesAnExistingFile) {
  const std::string existing = temp_.File("existing.lxu");
  WriteFileBytes(existing, "keep me");
  EXPECT_TRUE(CanCreateFile(existing, true));
  EXPECT_EQ(ReadFileBytes(existing), "keep me");
  EXPECT_TRUE(CanCreateFile(existing, false));
  EXPECT_EQ(ReadFileBytes(existing), "keep me");

  const std::string fresh = temp_.File("fresh.lxu");
  EXPECT_TRUE(CanCreateFile(fresh, true));
  EXPECT_FALSE(FileExists(fresh));  // removed again at once
  EXPECT_TRUE(CanCreateFile(fresh, false));
  EXPECT_TRUE(FileExists(fresh));
  EXPECT_FALSE(CanCreateFile(temp_.File("no\\such\\folder.lxu"), true));
  EXPECT_FALSE(CanCreateFile("", true));
}

TEST_F(FilesTest, ForceFoldersMakesEveryMissingParent) {
  const std::string deep = temp_.File("a\\b\\c\\");
  EXPECT_TRUE(ForceFolders(deep));
  EXPECT_TRUE(DirectoryExists(temp_.File("a\\b\\c")));
  EXPECT_TRUE(ForceFolders(temp_.File("a\\b")));  // already there
}

TEST(EngineVersion, IsFixed) { EXPECT_EQ(EngineVersion(), "3.3.1 Pro"); }

class Listener : public TObject {
public:
  explicit Listener(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
  void Heard(TObject*, Integer argument) { log_.push_back(name_ + std::to_string(argument)); }
  void Leave(TObject*, Integer) {
    log_.push_back(name_ + " leaves");
    list->Remove(TEventListMethod(this, &Listener::Leave));
  }
  TEventList* list = nullptr;

private:
  std::vector<std::string>& log_;
  std::string name_;
};

TEST(EventList, CallsEveryMethodInOrder) {
  std::vector<std::string> log;
  Listener a(log, "a"), b(log, "b");
  TEventList list;
  a.list = b.list = &list;
  list.Add(TEventListMethod(&a, &Listener::Heard));
  list.Add(TEventListMethod(&b, &Listener::Heard));
  list.Add(TEventListMethod(&b, &Listener::Leave));
  list.Call(nullptr, 1);
  list.Call(nullptr, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"a1", "b1", "b leaves", "a2", "b2"}));
  list.Remove(TEventListMethod(&a, &Listener::Heard));
  EXPECT_EQ(list.Count(), 1);
  list.Add(TEventListMethod(&a, &Listener::Heard));
  list.RemoveOwner(&b);
  log.clear();
  list.Call(nullptr, 3);
  EXPECT_EQ(log, std::vector<std::string>{"a3"});
}

}  // namespace
