// The lines of a text, the limit of a line's length and the writing of result files.
#include "tests/support/TestSupport.h"
#include "tools/ConversionText.h"

namespace {

TEST(ConversionTextTest, LinesAsAStringListReadsThem) {
  struct Row {
    const char* Text;
    TextLines Lines;
  } rows[] = {
      {"a\r\nb\r\n", {"a", "b"}}, {"a\nb", {"a", "b"}}, {"a\rb\r\r\n", {"a", "b", ""}}, {"", {}}, {"\r\n", {""}},
  };
  for (const Row& r : rows) EXPECT_EQ(SplitTextLines(r.Text), r.Lines) << r.Text;
  EXPECT_EQ(JoinParagraphs({"a", "", "b"}), "a\r\n\r\nb");
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(JoinLines({}), "");
}

TEST(ConversionTextTest, AnOverlongLineIsNamed) {
  EXPECT_EQ(CheckLineLengths({"short", AnsiString(10000, 'x')}), "");
  EXPECT_EQ(CheckLineLengths({"short", "", AnsiString(1 << 20, 'x')}),
            "Line 3 is longer than 10000 characters; nothing has been converted");
}

class ResultFileTest : public testing_support::IsolatedTest {};

TEST_F(ResultFileTest, ReplacesTheFileOrSaysWhyNot) {
  const std::string file = temp_.Path() + "out.txt";
  testing_support::WriteFileBytes(file, "old");
  EXPECT_EQ(WriteResultFile(file, "new\r\n"), "");
  EXPECT_EQ(testing_support::ReadFileBytes(file), "new\r\n");
  const std::string missing = temp_.Path() + "no such folder\\out.txt";
  const AnsiString message = WriteResultFile(missing, "x");
  EXPECT_EQ(message.rfind("The file " + missing + " could not be written: ", 0), 0u) << message;
  EXPECT_GT(message.size(), ("The file " + missing + " could not be written: ").size());
}

}  // namespace
