// The notes file of the Translation Notes Editor: which lines are notes, their references, the
// dates one second apart, and the escaping of the note texts.
#include "tests/support/LinuxTools.h"
#include "tests/support/TestSupport.h"
#include "tools/TNEExport.h"

namespace {

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME t{};
  t.wYear = year;
  t.wMonth = month;
  t.wDay = day;
  t.wHour = hour;
  t.wMinute = minute;
  t.wSecond = second;
  return t;
}

// The lines of one note as the file holds them, with the default settings.
TextLines Note(const char* reference, const char* created, const char* modified, const char* text,
               const char* type = "2") {
  return {"",
          "<Note>",
          std::string("<Type>") + type + "</Type>",
          "<CreatedBy>Pelorin</CreatedBy>",
          std::string("<CreationDate>") + created + "</CreationDate>",
          std::string("<ModificationDate>") + modified + "</ModificationDate>",
          "<Project>Translation</Project>",
          std::string("<References>") + reference + "</References>",
          "<NoteEncoding>English</NoteEncoding>",
          std::string("<Contents><P>") + text + "</P></Contents>",
          "</Note>",
          ""};
}

TextLines File(const std::vector<TextLines>& notes) {
  TextLines lines{"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", "<ScriptureNotes>"};
  for (const TextLines& note : notes) lines.insert(lines.end(), note.begin(), note.end());
  lines.push_back("</ScriptureNotes>");
  return lines;
}

TEST(TNEExportTest, NotesOfVersesChaptersAndHeadings) {
  TTNEExport tne({}, At(2024, 12, 31, 23, 59, 57));
  tne.AddBook("GEN", {"\\id GEN", "\\c 1", "\\v 1 Check the word for God.", "\\v 2", "\\p", "\\v 3 Unclear."});
  tne.AddBook("EXO", {"\\id EXO Remarks", "\\c 2 Chapter remark", "\\v 4-6 Combined.", "\\s Heading", "",
                      " \\v 7 a < b & c > d "});
  EXPECT_EQ(tne.NoteCount(), 8);
  EXPECT_EQ(tne.Finish(),
            File({Note("GEN 1:1", "2024/12/31 23:59:58", "2024/12/31 23:59:59", "Check the word for God."),
                  Note("GEN 1:3", "2025/01/01 00:00:00", "2025/01/01 00:00:01", "Unclear."),
                  Note("EXO 1:1", "2025/01/01 00:00:02", "2025/01/01 00:00:03", " EXO Remarks"),
                  Note("EXO 2:1", "2025/01/01 00:00:04", "2025/01/01 00:00:05", " 2 Chapter remark"),
                  Note("EXO 2:4", "2025/01/01 00:00:06", "2025/01/01 00:00:07", "-6 Combined."),
                  Note("EXO 2:4", "2025/01/01 00:00:08", "2025/01/01 00:00:09", "\\s Heading"),
                  Note("EXO 2:4", "2025/01/01 00:00:10", "2025/01/01 00:00:11", ""),
                  Note("EXO 2:7", "2025/01/01 00:00:12", "2025/01/01 00:00:13", "a [ b &amp; c ] d")}));
}

TEST(TNEExportTest, VerseLinesWithoutANoteOfTheirOwn) {
  TTNEExport tne({}, At(2020, 1, 1, 10, 0, 0));
  // A verse number not at its place, a verse line without number, and a chapter label.
  tne.AddBook("MAT", {"\\id MAT", "\\c 5", "\\v  3 Late number", "\\v", "\\cl Chapter"});
  EXPECT_EQ(tne.Finish(), File({Note("MAT 5:3", "2020/01/01 10:00:01", "2020/01/01 10:00:02", "\\cl Chapter")}));
}

TEST(TNEExportTest, TypeCategoriesAndTheUnresolvedText) {
  TTNENoteSettings settings;
  settings.TypeCode = "4";
  settings.Category1 = "Exegesis and text [E]";
  settings.Category3 = "Lexicon [L]";
  settings.CreatedBy = "A & B";
  settings.Project = "Notes";
  settings.NoteLanguage = "Dutch";
  settings.Unresolved = "TODO";
  TTNEExport tne(settings, At(2021, 3, 4, 5, 6, 7));
  tne.AddBook("JHN", {"\\v 1 Resolved one", "\\v 2 TODO check", "\\v 3 todo is another case"});
  const TextLines lines = tne.Finish();
  const TextLines first(lines.begin() + 2, lines.begin() + 16);
  EXPECT_EQ(first, (TextLines{"", "<Note>", "<Type>4</Type>", "<Category>Exegesis and text [E]</Category>",
                              "<AltAltCategory>Lexicon [L]</AltAltCategory>", "<CreatedBy>A &amp; B</CreatedBy>",
                              "<CreationDate>2021/03/04 05:06:08</CreationDate>",
                              "<ModificationDate>2021/03/04 05:06:09</ModificationDate>", "<Project>Notes</Project>",
                              "<References>JHN 1:1</References>", "<NoteEncoding>Dutch</NoteEncoding>",
                              "<Contents><P>Resolved one</P></Contents>", "</Note>", ""}));
  EXPECT_EQ(lines[18], "<Type>3</Type>");
  EXPECT_EQ(lines[32], "<Type>4</Type>");
}

// The file says it is ISO-8859-1, whose characters are the first 256 of Unicode, and holds the
// system code page (1252 here): the letters it shares stay as they are, and every other character
// reaches an XML reader as itself through a character reference, the quotes, dashes and other
// signs of 0x80 to 0x9F among them, which ISO-8859-1 would read as control characters.
class TNEExportFileTest : public testing_support::IsolatedTest {};

TEST_F(TNEExportFileTest, EveryCharacterReachesAnXmlReaderAsItself) {
  TTNENoteSettings settings;
  settings.CreatedBy = "Caf\xE9 \x96 \x8A\x9F";
  settings.Project = "\x84Notes\x93";
  TTNEExport tne(settings, At(2024, 5, 6, 7, 8, 9));
  tne.AddBook("GEN", {"\\id GEN", "\\c 1", "\\v 1 Let\x92s go \x93now\x94 \x85 \x80 5, na\xEFve \xAB\xBB & more"});
  const TextLines lines = tne.Finish();
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[0], "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
  EXPECT_EQ(lines[5], "<CreatedBy>Caf\xE9 &#8211; &#352;&#376;</CreatedBy>");
  EXPECT_EQ(lines[8], "<Project>&#8222;Notes&#8220;</Project>");
  EXPECT_EQ(lines[11],
            "<Contents><P>Let&#8217;s go &#8220;now&#8221; &#8230; &#8364; 5, na\xEFve \xAB\xBB &amp; more</P></Contents>");

  const std::string file = temp_.File("notes.tne");
  testing_support::WriteFileBytes(file, JoinLines(lines));
  const std::string path = "'" + testing_support::UnixPath(file) + "'";
  const testing_support::ToolResult checked = testing_support::RunLinux("xmllint --noout " + path, temp_.Path());
  EXPECT_EQ(checked.ExitCode, 0) << checked.Err;
  EXPECT_EQ(checked.Err, "");
  // What a reader gets, in UTF-8.
  const testing_support::ToolResult read = testing_support::RunLinux(
      "xmllint --xpath 'concat(//CreatedBy, \"|\", //Project, \"|\", //Contents/P)' " + path, temp_.Path());
  EXPECT_EQ(read.Err, "");
  EXPECT_EQ(read.Out,
            "Caf\xC3\xA9 \xE2\x80\x93 \xC5\xA0\xC5\xB8|\xE2\x80\x9ENotes\xE2\x80\x9C|"
            "Let\xE2\x80\x99s go \xE2\x80\x9Cnow\xE2\x80\x9D \xE2\x80\xA6 \xE2\x82\xAC 5, na\xC3\xAFve "
            "\xC2\xAB\xC2\xBB & more\n");
}

}  // namespace
