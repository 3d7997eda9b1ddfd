#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "classlib/IniFiles.h"
#include "classlib/Registry.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "classlib/tests/winbase/SortedNames.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;
using IniFilesTest = testing_support::IsolatedTest;

// The three kinds of ini file, each opened on a place of the test's own (a file in the
// temporary folder, a key in the test's registry).
struct IniKind {
  const char* name;
  std::function<TCustomIniFile*(const std::string& file)> open;
};

const IniKind kKinds[] = {
    {"TIniFile", [](const std::string& file) -> TCustomIniFile* { return new TIniFile(file); }},
    {"TMemIniFile", [](const std::string& file) -> TCustomIniFile* { return new TMemIniFile(file); }},
    {"TRegistryIniFile",
     [](const std::string&) -> TCustomIniFile* { return new TRegistryIniFile("\\Software\\Pelorin\\Settings"); }},
};

TEST_F(IniFilesTest, ValuesRoundTripThroughEveryKindAndSurviveReopening) {
  const TDateTime day = EncodeDate(2003, 4, 5);
  const TDateTime moment = day + EncodeTime(13, 45, 30, 0);
  for (const IniKind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    const std::string file = temp_.File(std::string(kind.name) + ".ini");
    {
      std::unique_ptr<TCustomIniFile> ini(kind.open(file));
      ini->WriteString("Main", "Text", "In the beginning");
      ini->WriteString("Main", "Empty", "");
      ini->WriteInteger("Main", "Count", -17);
      ini->WriteString("Main", "Hex", "0x1F");
      ini->WriteString("Main", "Dollar", "$10");
      ini->WriteString("Main", "Junk", "12abc");
      ini->WriteBool("Main", "On", true);
      ini->WriteBool("Main", "Off", false);
      ini->WriteFloat("Main", "Float", 2.5);
      ini->WriteDate("Main", "Day", day);
      ini->WriteDateTime("Main", "Moment", moment);
      ini->WriteString("Main", "Text", "In the beginning was");  // replaces
      ini->UpdateFile();
    }
    std::unique_ptr<TCustomIniFile> ini(kind.open(file));
    EXPECT_EQ(ini->ReadString("Main", "Text", "-"), "In the beginning was");
    EXPECT_EQ(ini->ReadString("Main", "Empty", "-"), "");
    EXPECT_EQ(ini->ReadString("Main", "Missing", "-"), "-");
    EXPECT_EQ(ini->ReadString("Nowhere", "Text", "-"), "-");
    EXPECT_EQ(ini->ReadInteger("Main", "Count", 0), -17);
    EXPECT_EQ(ini->ReadString("Main", "Count", ""), "-17");
    EXPECT_EQ(ini->ReadInteger("Main", "Hex", 0), 31);
    EXPECT_EQ(ini->ReadInteger("Main", "Dollar", 0), 16);
    EXPECT_EQ(ini->ReadInteger("Main", "Junk", 99), 99);
    EXPECT_EQ(ini->ReadInteger("Main", "Missing", 99), 99);
    EXPECT_TRUE(ini->ReadBool("Main", "On", false));
    EXPECT_FALSE(ini->ReadBool("Main", "Off", true));
    EXPECT_TRUE(ini->ReadBool("Main", "Missing", true));
    EXPECT_TRUE(ini->ReadBool("Main", "Hex", false));
    EXPECT_EQ(ini->ReadFloat("Main", "Float", 0), 2.5);
    EXPECT_EQ(ini->ReadFloat("Main", "Text", -1), -1);
    EXPECT_EQ(ini->ReadFloat("Main", "Missing", -1), -1);
    EXPECT_EQ(ini->ReadDate("Main", "Day", 0), day);
    EXPECT_NEAR(ini->ReadDateTime("Main", "Moment", 0), moment, 1e-9);
    EXPECT_EQ(ini->ReadDate("Main", "Text", -1), -1);
    EXPECT_EQ(ini->ReadDateTime("Main", "Text", -1), -1);
  }
}

TEST_F(IniFilesTest, SectionsListsAndDeletionInEveryKind) {
  for (const IniKind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    std::unique_ptr<TCustomIniFile> ini(kind.open(temp_.File(std::string(kind.name) + ".ini")));
    ini->WriteString("Beta", "b", "2");
    ini->WriteString("Alpha", "a", "1");
    ini->WriteString("Alpha", "c", "");
    ini->WriteString("Alpha", "d", "x=y");

    TStringList list;
    list.Add("stale");
    ini->ReadSections(&list);
    EXPECT_EQ(SortedNames(list), "Alpha,Beta");
    ini->ReadSection("Alpha", &list);
    EXPECT_EQ(SortedNames(list), "a,c,d");
    ini->ReadSectionValues("Alpha", &list);
    EXPECT_EQ(SortedNames(list), "a=1,c=,d=x=y");
    EXPECT_EQ(list.GetValues("d"), "x=y");
    ini->ReadSection("Nowhere", &list);
    EXPECT_EQ(list.GetCount(), 0);
    ini->ReadSectionValues("Nowhere", &list);
    EXPECT_EQ(list.GetCount(), 0);

    EXPECT_TRUE(ini->SectionExists("Alpha"));
    EXPECT_FALSE(ini->SectionExists("Nowhere"));
    EXPECT_TRUE(ini->ValueExists("Alpha", "c"));
    EXPECT_FALSE(ini->ValueExists("Alpha", "b"));

    ini->DeleteKey("Alpha", "a");
    ini->DeleteKey("Alpha", "missing");
    ini->DeleteKey("Nowhere", "a");
    EXPECT_FALSE(ini->ValueExists("Alpha", "a"));
    EXPECT_EQ(ini->ReadString("Alpha", "d", ""), "x=y");

    ini->EraseSection("Beta");
    ini->EraseSection("Nowhere");
    EXPECT_FALSE(ini->SectionExists("Beta"));
    EXPECT_EQ(ini->ReadString("Beta", "b", "-"), "-");
    ini->ReadSections(&list);
    EXPECT_EQ(SortedNames(list), "Alpha");
  }
}

// TIniFile goes through the system's profile calls on a real file.
TEST_F(IniFilesTest, IniFileReadsAndWritesARealFile) {
  const std::string file = temp_.File("real.ini");
  WriteFileBytes(file, "; a comment\r\n[Main]\r\n  Key =  Value  \r\nOther=1\r\n\r\n[Second]\r\nx=y\r\n");
  TIniFile ini(file);
  EXPECT_EQ(ini.GetFileName(), file);
  EXPECT_EQ(ini.ReadString("main", "key", ""), "Value");  // names ignore case, blanks are trimmed
  ini.WriteString("Second", "z", "new");
  ini.UpdateFile();
  // A memory ini file reads what the profile calls wrote.
  TMemIniFile mem(file);
  EXPECT_EQ(mem.ReadString("Second", "z", ""), "new");
  EXPECT_EQ(mem.ReadString("Second", "x", ""), "y");
  EXPECT_EQ(mem.ReadInteger("Main", "Other", 0), 1);
}

TEST_F(IniFilesTest, IniFileHandlesLongValuesAndManySections) {
  const std::string file = temp_.File("big.ini");
  {
    TIniFile ini(file);
    ini.WriteString("Main", "Long", AnsiString(5000, 'x') + "end");
  }
  // The many section names are more than fill one buffer of the profile calls.
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "[Section number " + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
  WriteFileBytes(temp_.File("many.ini"), text);

  TIniFile ini(file);
  EXPECT_EQ(ini.ReadString("Main", "Long", ""), AnsiString(5000, 'x') + "end");
  TIniFile many(temp_.File("many.ini"));
  TStringList sections;
  many.ReadSections(&sections);
  ASSERT_EQ(sections.GetCount(), 2000);
  EXPECT_EQ(sections[1999], "Section number 1999");
  EXPECT_EQ(many.ReadInteger("Section number 1234", "k", 0), 1234);
}

TEST_F(IniFilesTest, IniFileThatCannotBeWrittenRaises) {
  const std::string file = temp_.File("no such folder\\x.ini");
  TIniFile ini(file);
  try {
    ini.WriteString("Main", "Key", "Value");
    FAIL() << "wrote into a missing folder";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message, "Unable to write to " + file);
  }
}

TEST_F(IniFilesTest, MemIniFileParsesTrimsAndWritesOnlyOnUpdateFile) {
  const std::string file = temp_.File("mem.ini");
  const std::string original =
      "before=any section\r\n"
      "; comment\r\n"
      "[ Main ]\r\n"
      "  Key  =  Value with blanks  \r\n"
      "\r\n"
      "loose line\r\n"
      "Quoted=\"kept\"\r\n"
      "[Other]\r\n"
      "x=1\r\n";
  WriteFileBytes(file, original);
  {
    TMemIniFile ini(file);
    EXPECT_FALSE(ini.GetCaseSensitive());
    EXPECT_EQ(ini.ReadString("MAIN", "KEY", ""), "Value with blanks");
    EXPECT_EQ(ini.ReadString("Main", "Quoted", ""), "\"kept\"");
    EXPECT_EQ(ini.ReadString("Main", "before", "-"), "-");
    ini.WriteString("Other", "y", "2");
    // Destroyed without UpdateFile: the file stays as it was.
  }
  EXPECT_EQ(ReadFileBytes(file), original);

  TMemIniFile ini(file);
  ini.WriteString("Other", "X", "changed");  // the same name in another case
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(file),
            "[Main]\r\nKey=Value with blanks\r\nloose line\r\nQuoted=\"kept\"\r\n\r\n"
            "[Other]\r\nX=changed\r\n\r\n");

  ini.SetCaseSensitive(true);
  EXPECT_EQ(ini.ReadString("main", "Key", "-"), "-");
  EXPECT_EQ(ini.ReadString("Main", "key", "-"), "-");
  EXPECT_EQ(ini.ReadString("Main", "Key", "-"), "Value with blanks");
  ini.WriteString("other", "x", "new section");
  TStringList sections;
  ini.ReadSections(&sections);
  EXPECT_EQ(sections.GetCommaText(), "Main,Other,other");
  ini.SetCaseSensitive(false);
  EXPECT_EQ(ini.ReadString("main", "key", "-"), "Value with blanks");
}

TEST_F(IniFilesTest, MemIniFileStringsRenameAndClear) {
  TMemIniFile ini(temp_.File("missing.ini"));  // a missing file is an empty ini file
  TStringList lines;
  ini.GetStrings(&lines);
  EXPECT_EQ(lines.GetCount(), 0);

  lines.SetText("[A]\r\na=1\r\n[B]\r\nb=2\r\n");
  ini.SetStrings(&lines);
  EXPECT_EQ(ini.ReadString("B", "b", ""), "2");
  TStringList back;
  back.Add("kept");
  ini.GetStrings(&back);  // adds to what is there
  EXPECT_EQ(back.GetText(), "kept\r\n[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n\r\n");

  // Renamed without reloading, the contents go to the new file.
  const std::string other = temp_.File("other.ini");
  ini.Rename(other, false);
  EXPECT_EQ(ini.GetFileName(), other);
  EXPECT_EQ(ini.ReadString("A", "a", ""), "1");
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(other), "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n\r\n");

  // Renamed with reloading, the contents come from the file.
  WriteFileBytes(temp_.File("third.ini"), "[C]\r\nc=3\r\n");
  ini.Rename(temp_.File("third.ini"), true);
  EXPECT_EQ(ini.ReadString("A", "a", "-"), "-");
  EXPECT_EQ(ini.ReadString("C", "c", ""), "3");

  ini.Clear();
  ini.ReadSections(&back);
  EXPECT_EQ(back.GetCount(), 0);
}

TEST_F(IniFilesTest, RegistryIniFileKeepsSectionsAsSubkeys) {
  {
    TRegistryIniFile ini("Software\\Pelorin");
    EXPECT_EQ(ini.GetFileName(), "Software\\Pelorin");
    EXPECT_EQ(ini.GetRegIniFile()->GetCurrentPath(), "Software\\Pelorin");
    ini.WriteString("Paratext", "_FirstRun", "+");
    ini.WriteInteger("Paratext", "_DialogX", 120);
    ini.WriteFloat("Paratext", "Zoom", 1.25);
    ini.WriteString("Deep\\Er", "v", "w");
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Pelorin\\Paratext", false));
  EXPECT_EQ(reg.ReadString("_FirstRun"), "+");
  EXPECT_EQ(reg.GetDataType("_DialogX"), rdInteger);
  EXPECT_EQ(reg.ReadInteger("_DialogX"), 120);
  EXPECT_EQ(reg.ReadString("Zoom"), "1.25");
  reg.WriteString("FromText", "42");
  reg.WriteFloat("Binary", 0.5);

  TRegistryIniFile ini("\\Software\\Pelorin");  // the same key, written absolute
  EXPECT_EQ(ini.ReadInteger("Paratext", "FromText", 0), 42);
  EXPECT_EQ(ini.ReadFloat("Paratext", "Zoom", 0), 1.25);
  EXPECT_EQ(ini.ReadFloat("Paratext", "Binary", 0), 0.5);
  EXPECT_EQ(ini.ReadDateTime("Paratext", "Binary", 0), 0.5);
  EXPECT_EQ(ini.ReadString("Paratext", "_DialogX", ""), "120");
  EXPECT_EQ(ini.ReadString("Deep\\Er", "v", ""), "w");
  reg.DeleteValue("Binary");  // binary data has no text
  TStringList list;
  ini.ReadSectionValues("Paratext", &list);
  EXPECT_EQ(list.GetValues("_DialogX"), "120");
  EXPECT_EQ(list.GetValues("_FirstRun"), "+");
  ini.ReadSections(&list);
  EXPECT_EQ(SortedNames(list), "Deep,Paratext");

  ini.EraseSection("Deep");
  EXPECT_FALSE(reg.KeyExists("\\Software\\Pelorin\\Deep"));
  // Names that would reach keys outside the ini file's key erase nothing.
  ini.EraseSection("");
  ini.EraseSection("\\Software");
  EXPECT_TRUE(reg.KeyExists("\\Software\\Pelorin\\Paratext"));
}

}  // namespace
