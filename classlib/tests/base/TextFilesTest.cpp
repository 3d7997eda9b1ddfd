#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/TextFiles.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

class TextFiles : public testing_support::IsolatedTest {
protected:
  std::vector<AnsiString> ReadLines(const std::string& bytes) {
    const AnsiString name = temp_.File("lines.txt");
    WriteFileBytes(name, bytes);
    TextFile f;
    AssignFile(f, name);
    Reset(f);
    std::vector<AnsiString> lines;
    while (!Eof(f)) {
      AnsiString line;
      Readln(f, line);
      lines.push_back(line);
    }
    CloseFile(f);
    return lines;
  }

  void ExpectInOutError(const std::function<void()>& call, int code, const char* message) {
    try {
      call();
      ADD_FAILURE() << "no EInOutError " << code;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.ErrorCode, code);
      EXPECT_EQ(e.Message, message);
    }
  }
};

TEST_F(TextFiles, ReadlnSplitsAtCrLfOrCrLf) {
  using Lines = std::vector<AnsiString>;
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"one\r\ntwo\nthree\rfour", {"one", "two", "three", "four"}},
      {"a\r\n\r\nb\n", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR: two line ends
      {"a\r\r\n", {"a", ""}},
      {"\n", {""}},
      {"", {}},
      {"tab\there \xE9\x1A", {"tab\there \xE9\x1A"}},
      {std::string("nul\0byte", 8), {std::string("nul\0byte", 8)}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadLines(c.bytes), c.lines) << c.bytes;
}

TEST_F(TextFiles, LineEndsAcrossTheReadBuffer) {
  // A CR as the last byte of one buffer load and its LF as the first of the next is one line end.
  std::string longLine(64 * 1024 - 1, 'x');
  const auto lines = ReadLines(longLine + "\r\nnext\r\n" + std::string(200000, 'y'));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], longLine);
  EXPECT_EQ(lines[1], "next");
  EXPECT_EQ(lines[2].size(), 200000u);
}

TEST_F(TextFiles, ReadCharacterGivesEndOfFileMarkAtTheEnd) {
  const AnsiString name = temp_.File("chars.txt");
  WriteFileBytes(name, "ab\r\nc");
  TextFile f;
  AssignFile(f, name);
  Reset(f);
  std::string got;
  AnsiChar c;
  EXPECT_FALSE(Eoln(f));
  for (int i = 0; i < 7; ++i) {
    if (i == 2) {
      EXPECT_TRUE(Eoln(f));
    }
    Read(f, c);
    got += c;
  }
  EXPECT_EQ(got, "ab\r\nc\x1A\x1A");
  EXPECT_TRUE(Eof(f));
  EXPECT_TRUE(Eoln(f));
  AnsiString rest = "untouched";
  Readln(f, rest);
  EXPECT_EQ(rest, "");  // reading past the end gives empty lines
  CloseFile(f);

  Reset(f);
  AnsiString part;
  Read(f, part);  // up to the line end, which stays
  EXPECT_EQ(part, "ab");
  Read(f, c);
  EXPECT_EQ(c, '\r');
  CloseFile(f);
}

TEST_F(TextFiles, WritingRewriteAndAppend) {
  const AnsiString name = temp_.File("out.txt");
  TextFile f;
  AssignFile(f, name);
  Rewrite(f);
  Write(f, "a");
  Write(f, 'b');
  Writeln(f, "c");
  Writeln(f);
  CloseFile(f);
  EXPECT_EQ(ReadFileBytes(name), "abc\r\n\r\n");

  Append(f);
  Writeln(f, "more");
  CloseFile(f);
  EXPECT_EQ(ReadFileBytes(name), "abc\r\n\r\nmore\r\n");

  // An end-of-file mark near the end is dropped with what follows it.
  WriteFileBytes(name, "old\x1Ajunk");
  Append(f);
  Writeln(f, "new");
  CloseFile(f);
  EXPECT_EQ(ReadFileBytes(name), "oldnew\r\n");

  // Rewrite empties an existing file; the destructor flushes and closes.
  {
    TextFile g;
    AssignFile(g, name);
    Rewrite(g);
    Write(g, std::string(100000, 'z'));
  }
  EXPECT_EQ(ReadFileBytes(name), std::string(100000, 'z'));

  // Naming another file closes the open one without losing what was written.
  Rewrite(f);
  Writeln(f, "kept");
  AssignFile(f, temp_.File("other.txt"));
  EXPECT_FALSE(f.IsOpen());
  EXPECT_EQ(ReadFileBytes(name), "kept\r\n");
}

TEST_F(TextFiles, FailuresRaiseInOutErrors) {
  TextFile f;
  ExpectInOutError([&] { Reset(f); }, 2, "File not found");  // no name assigned
  AssignFile(f, temp_.File("missing.txt"));
  ExpectInOutError([&] { Reset(f); }, 2, "File not found");
  ExpectInOutError([&] { Append(f); }, 2, "File not found");
  AssignFile(f, temp_.File("no\\such\\folder\\x.txt"));
  ExpectInOutError([&] { Rewrite(f); }, 3, "Invalid filename");
  AnsiString s;
  ExpectInOutError([&] { Readln(f, s); }, 103, "I/O error 103");
  ExpectInOutError([&] { CloseFile(f); }, 103, "I/O error 103");

  const AnsiString name = temp_.File("x.txt");
  WriteFileBytes(name, "x");
  AssignFile(f, name);
  Reset(f);
  ExpectInOutError([&] { Writeln(f, "y"); }, 105, "I/O error 105");
  CloseFile(f);
  Rewrite(f);
  ExpectInOutError([&] { Readln(f, s); }, 104, "I/O error 104");
  ExpectInOutError([&] { Eof(f); }, 104, "I/O error 104");
  CloseFile(f);
  // A file another program holds open for writing cannot be read.
  HANDLE writer = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  ExpectInOutError([&] { Reset(f); }, 32, "I/O error 32");
  CloseHandle(writer);
}

struct FontRecord {
  char name[40];
  Integer size;
  Integer color;
};

TEST_F(TextFiles, RecordFilesCountInRecords) {
  const AnsiString name = temp_.File("pages.dat");
  UntypedFile f;
  AssignFile(f, name);
  Rewrite(f, 4);
  const char data[] = "AAAABBBBCCCC";
  BlockWrite(f, data, 3);
  EXPECT_EQ(FileSize(f), 3);
  EXPECT_EQ(FilePos(f), 3);
  EXPECT_TRUE(Eof(f));
  Seek(f, 1);
  char rec[5] = {};
  BlockRead(f, rec, 1);
  EXPECT_STREQ(rec, "BBBB");
  EXPECT_EQ(FilePos(f), 2);
  Truncate(f);
  EXPECT_EQ(FileSize(f), 2);
  Integer done = -1;
  BlockRead(f, rec, 1, &done);
  EXPECT_EQ(done, 0);
  ExpectInOutError([&] { BlockRead(f, rec, 1); }, 100, "Read beyond end of file");
  CloseFile(f);
  EXPECT_EQ(ReadFileBytes(name), "AAAABBBB");

  // A partial last record does not count.
  WriteFileBytes(name, "AAAABB");
  FileMode = fmOpenRead;
  Reset(f, 4);
  EXPECT_EQ(FileSize(f), 1);
  char two[8];
  BlockRead(f, two, 2, &done);
  EXPECT_EQ(done, 1);
  ExpectInOutError([&] { BlockWrite(f, data, 1); }, 105, "I/O error 105");
  CloseFile(f);
  FileMode = fmOpenReadWrite;
  ExpectInOutError([&] { FileSize(f); }, 103, "I/O error 103");
}

TEST_F(TextFiles, TypedFilesReadAndWriteWholeRecords) {
  const AnsiString name = temp_.File("pelorin.fnt");
  FileOf<FontRecord> f;
  AssignFile(f, name);
  Rewrite(f);
  for (int i = 0; i < 10; ++i) {
    FontRecord r{};
    std::snprintf(r.name, sizeof r.name, "Font %d", i);
    r.size = 10 + i;
    r.color = i * 1000;
    Write(f, r);
  }
  CloseFile(f);
  EXPECT_EQ(ReadFileBytes(name).size(), 10 * sizeof(FontRecord));

  Reset(f);
  EXPECT_EQ(FileSize(f), 10);
  Seek(f, 9);
  FontRecord r{};
  Read(f, r);
  EXPECT_STREQ(r.name, "Font 9");
  EXPECT_EQ(r.size, 19);
  EXPECT_TRUE(Eof(f));
  ExpectInOutError([&] { Read(f, r); }, 100, "Read beyond end of file");
  CloseFile(f);
}

}  // namespace
