#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"
#include "classlib/SysUtils.h"
#include "controls/VisSendKeys.h"

namespace {

using testing_support::TempFolder;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + " | ";
  return s;
}

// One key recorder program for the whole suite, started through the keystroke sender.
class SendKeysTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    temp_ = new TempFolder;
    ::SetEnvironmentVariableA("PELORIN_KEYLOG", temp_->File("keys.log").c_str());
    sender_ = new TVisSendKeys(nullptr);
    sender_->AutoActivate = true;
    started_ = sender_->StartProgram(testing_support::ProgramFolder() + "KeyRecorderPeer.exe");
  }
  static void TearDownTestSuite() {
    if (sender_->GetProcessHandle()) sender_->CloseProgram();
    delete sender_;
    delete temp_;
  }
  void SetUp() override { ASSERT_TRUE(started_); }

  // Sends a script, then F12 as an end mark, and returns what the recorder received before the
  // end mark.
  static std::vector<std::string> Record(TVisSendKeys& sender, const AnsiString& script) {
    const std::size_t before = RecordedCount();
    sender.SendKeys(script, true);
    return RecordedSince(sender, before);
  }
  static std::size_t RecordedCount() { return Lines(testing_support::ReadFileBytes(temp_->File("keys.log"))).size(); }
  // Sends the end mark and returns what was recorded after the first `before` lines.
  static std::vector<std::string> RecordedSince(TVisSendKeys& sender, std::size_t before) {
    sender.SendKeys("{F12}", true);
    std::vector<std::string> lines;
    testing_support::PumpUntil(
        [&] {
          lines = Lines(testing_support::ReadFileBytes(temp_->File("keys.log")));
          // The log already ends with the previous script's end mark: wait for this one's.
          return lines.size() >= before + 2 && lines.back() == "KU 123";
        },
        10000);
    if (lines.size() < before + 2) return {"(nothing recorded)"};
    return std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end() - 2);
  }

  static TempFolder* temp_;
  static TVisSendKeys* sender_;
  static bool started_;
};

TempFolder* SendKeysTest::temp_ = nullptr;
TVisSendKeys* SendKeysTest::sender_ = nullptr;
bool SendKeysTest::started_ = false;

TEST_F(SendKeysTest, RemembersTheStartedProgram) {
  EXPECT_NE(sender_->GetWindowHandle(), nullptr);
  EXPECT_EQ(sender_->GetProgramTitle(), "Key Recorder");
  EXPECT_TRUE(AnsiEndsText("KeyRecorderPeer.exe", sender_->GetProgramPath()));
  DWORD process = 0;
  ::GetWindowThreadProcessId(sender_->GetWindowHandle(), &process);
  EXPECT_EQ(process, ::GetProcessId(sender_->GetProcessHandle()));
}

TEST_F(SendKeysTest, ScriptsArriveAsTyped) {
  struct Case {
    const char* script;
    const char* expected;
    bool charactersOnly = false;  // how the keys are typed depends on the layout
  };
  const Case cases[] = {
      {"abc", "KD 65|CH 97|KU 65|KD 66|CH 98|KU 66|KD 67|CH 99|KU 67"},
      {"A", "KD 16|KD 65|CH 65|KU 65|KU 16"},
      // Ctrl stays down until the end of the script.
      {"^o", "KD 17|KD 79|CH 15|KU 79|KU 17"},
      {"^ab", "KD 17|KD 65|CH 1|KU 65|KD 66|CH 2|KU 66|KU 17"},
      // Alt is held throughout: pressed again for the second key, let go once at the end.
      {"%e%a", "SD 18|SD 69|SC 101|SU 69|SD 18|SD 65|SC 97|SU 65|KU 18"},
      // A group keeps Shift for both its keys and lets it go at its end.
      {"+(ab)c", "KD 16|KD 65|CH 65|KU 65|KD 66|CH 66|KU 66|KU 16|KD 67|CH 99|KU 67"},
      // "~" lets the held modifiers go, then presses Enter.
      {"+x~y", "KD 16|KD 88|CH 88|KU 88|KU 16|KD 13|CH 13|KU 13|KD 89|CH 121|KU 89"},
      {"{ENTER}", "KD 13|CH 13|KU 13"},
      // Names in any case, with repeat counts.
      {"{TAB}{tab 2}{LEFT 3}", "KD 9|CH 9|KU 9|KD 9|CH 9|KU 9|KD 9|CH 9|KU 9|KD 37|KU 37|KD 37|KU 37|KD 37|KU 37"},
      {"{F5}{bs}{Del}{PGDN}", "KD 116|KU 116|KD 8|CH 8|KU 8|KD 46|KU 46|KD 34|KU 34"},
      // The special characters in braces, and a closing bracket outside a group.
      {"{{}{}}", "KD 16|KD 219|CH 123|KU 219|KU 16|KD 16|KD 221|CH 125|KU 221|KU 16"},
      {"{+}{^}{%}{~}", "KD 16|KD 187|CH 43|KU 187|KU 16|KD 16|KD 54|CH 94|KU 54|KU 16|KD 16|KD 53|CH 37|KU 53|KU 16|"
                       "KD 16|KD 192|CH 126|KU 192|KU 16"},
      {"){(}", "CH 41|CH 40", true},
      {"{x 3}", "KD 88|CH 120|KU 88|KD 88|CH 120|KU 88|KD 88|CH 120|KU 88"},
      // No key of the US layout types these: they arrive as Unicode key events.
      {"\xE9\x80", "KD 231|CH 233|KU 231|KD 231|CH 8364|KU 231"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> expected;
    std::istringstream in(c.expected);
    for (std::string item; std::getline(in, item, '|');) expected.push_back(item);
    std::vector<std::string> got = Record(*sender_, c.script);
    if (c.charactersOnly) std::erase_if(got, [](const std::string& line) { return !line.starts_with("CH"); });
    EXPECT_EQ(got, expected) << "script " << c.script << ": " << Join(got);
  }
}

TEST_F(SendKeysTest, FindsATargetByTitle) {
  TVisSendKeys other(nullptr);
  EXPECT_FALSE(other.ActivateWindow("No window has this title"));
  EXPECT_TRUE(other.ActivateWindow("Key Recorder"));
  EXPECT_EQ(other.GetWindowTitle(), "Key Recorder");
  other.AutoActivate = true;
  other.ActivateBeforeKey = true;
  EXPECT_EQ(Join(Record(other, "hi")), "KD 72 | CH 104 | KU 72 | KD 73 | CH 105 | KU 73 | ");
}

TEST_F(SendKeysTest, ControlCharactersWithoutAKeyAreSkippedOrRaised) {
  // No key of the layout types the file separator, and it is not text to send as Unicode.
  EXPECT_TRUE(Record(*sender_, "\x1C").empty());
  sender_->RaiseException = true;
  const std::size_t before = RecordedCount();
  try {
    sender_->SendKeys("+a\x1C", true);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Invalid key identifier");
  }
  sender_->RaiseException = false;
  EXPECT_EQ(Join(RecordedSince(*sender_, before)), "KD 16 | KD 65 | CH 65 | KU 65 | KU 16 | ");
}

TEST_F(SendKeysTest, ARepeatCountMustBeANumber) {
  const std::size_t before = RecordedCount();
  EXPECT_THROW(sender_->SendKeys("^{TAB x}", true), EConvertError);
  // Ctrl, pressed before the failure, has been let go.
  EXPECT_EQ(Join(RecordedSince(*sender_, before)), "KD 17 | KU 17 | ");
}

TEST(SendKeys, StartAndCloseFailures) {
  TVisSendKeys sender(nullptr);
  EXPECT_FALSE(sender.CloseProgram());
  EXPECT_FALSE(sender.StartProgram(""));
  EXPECT_FALSE(sender.StartProgram(testing_support::ProgramFolder() + "NoSuchProgram.exe"));
  EXPECT_EQ(sender.GetProcessHandle(), nullptr);
  EXPECT_FALSE(sender.CloseProgram());
}

TEST(SendKeys, CloseProgramEndsIt) {
  TempFolder temp;
  ::SetEnvironmentVariableA("PELORIN_KEYLOG", temp.File("keys.log").c_str());
  TVisSendKeys sender(nullptr);
  ASSERT_TRUE(sender.StartProgram(testing_support::ProgramFolder() + "KeyRecorderPeer.exe"));
  HANDLE process = nullptr;
  ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), sender.GetProcessHandle(), ::GetCurrentProcess(), &process, 0,
                                FALSE, DUPLICATE_SAME_ACCESS));
  EXPECT_TRUE(sender.CloseProgram());
  EXPECT_EQ(::WaitForSingleObject(process, 0), WAIT_OBJECT_0);
  DWORD code = 0;
  ::GetExitCodeProcess(process, &code);
  EXPECT_EQ(code, 10u);
  ::CloseHandle(process);
  EXPECT_EQ(sender.GetProcessHandle(), nullptr);
  EXPECT_EQ(sender.GetWindowHandle(), nullptr);
  EXPECT_EQ(sender.GetProgramTitle(), "");
  EXPECT_FALSE(sender.CloseProgram());
}

// A target that takes its keys slowly, as a program on a busy machine does: the keys of one script
// still wait in its queue when the next script is sent. Its window in front is a dialog-like note
// that the first keys opened; the next script, sent with activation on, must not take the keys
// typed ahead away from it by bringing the started program's main window to the front.
TEST(SendKeys, KeysTypedAheadStayWithTheWindowTheyWereTypedInto) {
  TempFolder temp;
  const std::string log = temp.File("keys.log");
  ::SetEnvironmentVariableA("PELORIN_KEYLOG", log.c_str());
  ::SetEnvironmentVariableA("PELORIN_KEYDELAY", "30");
  TVisSendKeys sender(nullptr);
  const bool started = sender.StartProgram(testing_support::ProgramFolder() + "KeyRecorderPeer.exe");
  ::SetEnvironmentVariableA("PELORIN_KEYDELAY", nullptr);
  ASSERT_TRUE(started);
  sender.AutoActivate = true;
  sender.SendKeys("{F2}", true);
  sender.AutoActivate = false;
  sender.SendKeys("abcdefghij", true);
  sender.AutoActivate = true;
  sender.SendKeys("{ESC}", true);
  std::vector<std::string> lines;
  testing_support::PumpUntil(
      [&] {
        lines = Lines(testing_support::ReadFileBytes(log));
        return !lines.empty() && lines.back().ends_with("KU 27");
      },
      30000);
  std::vector<std::string> expected = {"KD 113", "note KU 113"};
  for (char c = 'a'; c <= 'j'; ++c) {
    const std::string key = std::to_string(c - 'a' + 'A');
    for (const std::string& line : {"note KD " + key, "note CH " + std::to_string(c), "note KU " + key})
      expected.push_back(line);
  }
  for (const char* line : {"note KD 27", "note CH 27", "note KU 27"}) expected.push_back(line);
  EXPECT_EQ(lines, expected) << Join(lines);
  sender.CloseProgram();
}

}  // namespace
