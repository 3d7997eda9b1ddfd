#include <gtest/gtest.h>

#include <memory>

#include "classlib/Streams.h"
#include "classlib/Handles.h"
#include "tests/support/TestSupport.h"

namespace {

AnsiString ReadAll(TStream& stream) {
  AnsiString s(static_cast<std::size_t>(stream.GetSize() - stream.GetPosition()), '\0');
  stream.ReadBuffer(s.data(), static_cast<Integer>(s.size()));
  return s;
}

void WriteText(TStream& stream, const AnsiString& s) { stream.WriteBuffer(s.data(), static_cast<Integer>(s.size())); }

TEST(MemoryStream, ReadsWritesSeeksAndGrows) {
  TMemoryStream stream;
  EXPECT_EQ(stream.GetSize(), 0);
  EXPECT_EQ(stream.GetMemory(), nullptr);
  WriteText(stream, "hello");
  EXPECT_EQ(stream.GetPosition(), 5);
  stream.SetPosition(1);
  WriteText(stream, "ELL");
  EXPECT_EQ(AnsiString(static_cast<const char*>(stream.GetMemory()), 5), "hELLo");

  // Writing beyond the end leaves zero bytes in the gap.
  stream.Seek(2, soEnd);
  WriteText(stream, "!");
  EXPECT_EQ(stream.GetSize(), 8);
  stream.SetPosition(0);
  EXPECT_EQ(ReadAll(stream), AnsiString("hELLo\0\0!", 8));

  char buffer[4];
  EXPECT_EQ(stream.Read(buffer, 4), 0);  // at the end
  stream.Seek(-3, soCurrent);
  EXPECT_EQ(stream.Read(buffer, 4), 3);

  stream.SetSize(3);
  EXPECT_EQ(stream.GetPosition(), 3);  // moved back to the new end
  stream.SetSize(6);
  stream.SetPosition(0);
  EXPECT_EQ(ReadAll(stream), AnsiString("hEL\0\0\0", 6));

  // Many small writes.
  stream.Clear();
  EXPECT_EQ(stream.GetSize(), 0);
  EXPECT_EQ(stream.GetPosition(), 0);
  for (int i = 0; i < 100000; ++i) stream.WriteBuffer("0123456789", 10);
  EXPECT_EQ(stream.GetSize(), 1000000);
  EXPECT_EQ(static_cast<const char*>(stream.GetMemory())[999999], '9');
}

TEST(MemoryStream, NegativePositionReadsAndWritesNothing) {
  TMemoryStream stream;
  WriteText(stream, "abc");
  EXPECT_EQ(stream.Seek(-5, soCurrent), -2);
  char c;
  EXPECT_EQ(stream.Read(&c, 1), 0);
  EXPECT_EQ(stream.Write("x", 1), 0);
  EXPECT_EQ(stream.GetSize(), 3);
}

TEST(Stream, ShortTransfersRaise) {
  TMemoryStream stream;
  WriteText(stream, "abc");
  stream.SetPosition(1);
  char buffer[8];
  try {
    stream.ReadBuffer(buffer, 3);
    FAIL() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message, "Stream read error");
  }
  stream.ReadBuffer(buffer, 0);  // nothing asked, nothing raised

  // A stream that cannot take bytes: a file opened for reading only.
  testing_support::TempFolder temp;
  testing_support::WriteFileBytes(temp.File("r.bin"), "x");
  TFileStream readOnly(temp.File("r.bin"), fmOpenRead);
  try {
    readOnly.WriteBuffer("abc", 3);
    FAIL() << "no exception";
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.Message, "Stream write error");
  }
}

TEST(Stream, CopyFrom) {
  TStringStream source("0123456789");
  TMemoryStream dest;
  source.SetPosition(7);
  // Count 0 copies the whole source from its start.
  EXPECT_EQ(dest.CopyFrom(&source, 0), 10);
  EXPECT_EQ(dest.GetSize(), 10);
  source.SetPosition(2);
  EXPECT_EQ(dest.CopyFrom(&source, 3), 3);
  dest.SetPosition(0);
  EXPECT_EQ(ReadAll(dest), "0123456789234");
  EXPECT_EQ(source.GetPosition(), 5);
  source.SetPosition(8);
  EXPECT_THROW(dest.CopyFrom(&source, 5), EReadError);

  // More than one buffer's worth.
  TMemoryStream big, copy;
  AnsiString block(200000, 'x');
  for (std::size_t i = 0; i < block.size(); i += 7) block[i] = static_cast<char>('a' + i % 26);
  WriteText(big, block);
  EXPECT_EQ(copy.CopyFrom(&big, 0), 200000);
  copy.SetPosition(0);
  EXPECT_EQ(ReadAll(copy), block);
}

TEST(StringStream, OverwritesInPlaceAndClampsThePosition) {
  TStringStream stream("abcdef");
  EXPECT_EQ(stream.GetSize(), 6);
  EXPECT_EQ(stream.ReadString(2), "ab");
  stream.WriteString("XY");
  EXPECT_EQ(stream.GetDataString(), "abXYef");  // the rest stays
  EXPECT_EQ(stream.ReadString(10), "ef");
  stream.WriteString("gh");
  EXPECT_EQ(stream.GetDataString(), "abXYefgh");
  EXPECT_EQ(stream.Seek(-3, soEnd), 5);
  EXPECT_EQ(stream.ReadString(1), "f");
  EXPECT_EQ(stream.Seek(100, soBeginning), 8);
  EXPECT_EQ(stream.Seek(-100, soCurrent), 0);
  EXPECT_EQ(stream.ReadString(-1), "");
  stream.SetPosition(7);
  stream.SetSize(4);
  EXPECT_EQ(stream.GetDataString(), "abXY");
  EXPECT_EQ(stream.GetPosition(), 4);
}

class FileStreamTest : public testing_support::IsolatedTest {};

TEST_F(FileStreamTest, CreatesOpensAndResizes) {
  const std::string path = temp_.File("data.bin");
  {
    TFileStream stream(path, fmCreate);
    WriteText(stream, "0123456789");
    EXPECT_EQ(stream.GetSize(), 10);
    stream.SetSize(4);
    EXPECT_EQ(stream.GetPosition(), 4);
    WriteText(stream, "x");
  }
  EXPECT_EQ(testing_support::ReadFileBytes(path), "0123x");
  {
    TFileStream stream(path, fmOpenReadWrite);
    stream.Seek(-1, soEnd);
    WriteText(stream, "45");
    stream.SetPosition(0);
    EXPECT_EQ(ReadAll(stream), "012345");
  }
  {
    TFileStream stream(path, fmCreate);  // empties the file
    EXPECT_EQ(stream.GetSize(), 0);
  }
  EXPECT_EQ(testing_support::ReadFileBytes(path), "");

  TMemoryStream memory;
  WriteText(memory, "saved");
  memory.SaveToFile(path);
  EXPECT_EQ(testing_support::ReadFileBytes(path), "saved");
  TMemoryStream loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(AnsiString(static_cast<const char*>(loaded.GetMemory()), 5), "saved");
}

TEST_F(FileStreamTest, FailuresNameTheFile) {
  const std::string missing = temp_.File("missing.bin");
  try {
    TFileStream stream(missing, fmOpenRead);
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message.rfind("Cannot open file \"" + missing + "\". ", 0), 0u) << e.Message;
    EXPECT_GT(e.Message.size(), missing.size() + 21) << "the reason is missing";
  }
  const std::string inMissingFolder = temp_.File("no\\such\\folder\\x.bin");
  try {
    TFileStream stream(inMissingFolder, fmCreate);
    FAIL() << "no exception";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message.rfind("Cannot create file \"" + inMissingFolder + "\". ", 0), 0u) << e.Message;
  }
}

TEST_F(FileStreamTest, ShareModesDecideWhoElseMayOpen) {
  const std::string path = temp_.File("shared.bin");
  testing_support::WriteFileBytes(path, "x");
  struct Case {
    Word first;
    Word second;
    bool allowed;
  };
  const Case cases[] = {
      {fmOpenRead | fmShareDenyNone, fmOpenReadWrite | fmShareDenyNone, true},
      {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyWrite, true},
      {fmOpenRead | fmShareDenyWrite, fmOpenWrite | fmShareDenyNone, false},
      {fmOpenWrite | fmShareDenyRead, fmOpenRead | fmShareDenyNone, false},
      {fmOpenWrite | fmShareDenyRead, fmOpenWrite | fmShareDenyNone, true},
      {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
      {fmOpenRead | fmShareCompat, fmOpenRead | fmShareDenyNone, false},
      {fmOpenRead | fmShareDenyNone, fmCreate, false},
  };
  for (const Case& c : cases) {
    TFileStream first(path, c.first);
    bool allowed = true;
    try {
      TFileStream second(path, c.second);
    } catch (const EFileStreamError&) {
      allowed = false;
    }
    EXPECT_EQ(allowed, c.allowed) << std::hex << c.first << " then " << c.second;
  }
}

TEST_F(FileStreamTest, HandleStreamLeavesTheHandleToItsOwner) {
  const std::string path = temp_.File("h.bin");
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
  {
    THandleStream stream(file.get());
    WriteText(stream, "abc");
    EXPECT_EQ(stream.GetHandle(), file.get());
  }
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file.get(), "d", 1, &written, nullptr));  // still open
  file.reset();
  EXPECT_EQ(testing_support::ReadFileBytes(path), "abcd");
}

}  // namespace
