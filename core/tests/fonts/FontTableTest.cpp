// The font table and its file "pelorin.fnt".
#include <string>

#include "core/FontTable.h"
#include "core/ProgramFolderUnit.h"
#include "core/tests/CoreTestSupport.h"

namespace {

class FontTableTest : public core_testing::CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    ProgramFolder = temp_.Path();
  }
};

// One 48-byte record as the file holds it.
std::string Record(const std::string& name, int size, unsigned color, int style, int nameLength = -1) {
  std::string bytes(48, '\0');
  bytes[0] = static_cast<char>(nameLength < 0 ? name.size() : nameLength);
  bytes.replace(1, name.size(), name);
  for (int i = 0; i < 4; ++i) bytes[36 + i] = static_cast<char>((static_cast<unsigned>(size) >> (8 * i)) & 0xFF);
  for (int i = 0; i < 4; ++i) bytes[40 + i] = static_cast<char>((color >> (8 * i)) & 0xFF);
  bytes[44] = static_cast<char>(style);
  return bytes;
}

TEST_F(FontTableTest, MissingOrShortFileGivesTheDefaultTable) {
  struct Use {
    int size;
    TFontStyles style;
  };
  const Use uses[FontCount] = {{16, {fsBold}}, {20, {fsBold}}, {34, {fsBold}}, {12, {fsBold}}, {12, {}},
                               {12, {}},       {12, {}},       {12, {fsBold}}, {12, {fsStrikeOut}}, {12, {}}};
  for (const std::string& bytes : {std::string("none"), std::string(), std::string(479, 'x')}) {
    SCOPED_TRACE(bytes.size());
    if (bytes != "none") testing_support::WriteFileBytes(ProgramFolder + "pelorin.fnt", bytes);
    Fonts[0].Name = "changed";
    LoadFontsFile();
    for (int i = 0; i < FontCount; ++i) {
      EXPECT_EQ(Fonts[i], (TFontRecord{"Times New Roman", uses[i].size, clBlack, uses[i].style})) << i;
    }
  }
}

TEST_F(FontTableTest, FileIsTenRecordsOfFortyEightBytes) {
  TFontTable table = DefaultFontTable();
  table[fiNormalText] = {"Gentium Book", 11, static_cast<TColor>(0x00336699), {fsItalic, fsUnderline}};
  table[fiEditorText] = {std::string(40, 'N'), -13, clBlack, {fsBold, fsItalic, fsUnderline, fsStrikeOut}};
  ASSERT_EQ(SaveFontsFile(table), 0u);
  const std::string bytes = testing_support::ReadFileBytes(ProgramFolder + "pelorin.fnt");
  ASSERT_EQ(bytes.size(), 480u);
  EXPECT_EQ(bytes.substr(0, 48), Record("Times New Roman", 16, 0, 1));
  EXPECT_EQ(bytes.substr(5 * 48, 48), Record("Gentium Book", 11, 0x00336699, 2 | 4));
  // A name longer than 32 characters is stored cut.
  EXPECT_EQ(bytes.substr(9 * 48, 48), Record(std::string(32, 'N'), -13, 0, 15));

  LoadFontsFile();
  table[fiEditorText].Name = std::string(32, 'N');
  EXPECT_EQ(Fonts, table);
}

TEST_F(FontTableTest, RecordsAreReadAsTheFileHoldsThem) {
  std::string bytes;
  for (int i = 0; i < FontCount; ++i) bytes += Record("Arial", 10 + i, 0x0000FF, 0);
  // A name length above 32 is read as 32; style bits beyond the four are not styles; bytes after
  // the tenth record are not read.
  bytes.replace(3 * 48, 48, Record(std::string(32, 'A'), 9, 0, 0xF1, 200));
  bytes += "trailing bytes";
  testing_support::WriteFileBytes(ProgramFolder + "pelorin.fnt", bytes);
  LoadFontsFile();
  EXPECT_EQ(Fonts[0], (TFontRecord{"Arial", 10, static_cast<TColor>(0x0000FF), {}}));
  EXPECT_EQ(Fonts[3], (TFontRecord{std::string(32, 'A'), 9, clBlack, {fsBold}}));
  EXPECT_EQ(Fonts[9].Size, 19);
}

TEST_F(FontTableTest, RecordsAndFontsConvertBothWays) {
  const TFontRecord record{"Liberation Serif", 14, static_cast<TColor>(0x000080), {fsBold, fsUnderline}};
  TFont* font = FontRecordToFont(record);
  EXPECT_EQ(font->GetName(), "Liberation Serif");
  EXPECT_EQ(font->GetSize(), 14);
  EXPECT_EQ(font->GetColor(), static_cast<TColor>(0x000080));
  EXPECT_EQ(font->GetStyle(), (TFontStyles{fsBold, fsUnderline}));
  TFontRecord back;
  FontToFontRecord(font, back);
  EXPECT_EQ(back, record);
}

}  // namespace
