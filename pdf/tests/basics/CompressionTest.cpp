#include <gtest/gtest.h>

#include <zlib.h>

#include "pdf/pdfResources.h"
#include "pdf/pdfZLib.h"

namespace {

std::string Inflate(const std::string& data) {
  z_stream z{};
  inflateInit(&z);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  std::string out;
  char buffer[4096];
  int rc;
  do {
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    rc = inflate(&z, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - z.avail_out);
  } while (rc == Z_OK);
  inflateEnd(&z);
  return rc == Z_STREAM_END ? out : "<broken: " + std::to_string(rc) + ">";
}

std::string Bytes(TMemoryStream& s) {
  return std::string(static_cast<const char*>(s.GetMemory()), static_cast<size_t>(s.GetSize()));
}

TEST(PdfCompressionStream, EmptyStreamIsACompleteDeflateStream) {
  TMemoryStream dest;
  { TCompressionStream z(TCompressionLevel::clDefault, &dest); }
  EXPECT_GT(dest.GetSize(), 0);
  EXPECT_EQ(Inflate(Bytes(dest)), "");
}

TEST(PdfCompressionStream, MatchesZlibAtEachLevel) {
  const std::string text = "In the beginning God created the heaven and the earth. ";
  std::string input;
  for (int i = 0; i < 50; ++i) input += text;
  const struct {
    TCompressionLevel level;
    int zlibLevel;
  } levels[] = {{TCompressionLevel::clNone, 0},
                {TCompressionLevel::clFastest, 1},
                {TCompressionLevel::clDefault, -1},
                {TCompressionLevel::clMax, 9}};
  for (const auto& l : levels) {
    TMemoryStream dest;
    dest.WriteBuffer("head", 4);  // compression starts at the destination's position
    {
      TCompressionStream z(l.level, &dest);
      z.WriteBuffer(input.data(), 100);
      EXPECT_EQ(z.Seek(0, soCurrent), 100);
      z.WriteBuffer(input.data() + 100, static_cast<Integer>(input.size() - 100));
    }
    std::string expected(compressBound(input.size()), '\0');
    uLongf size = expected.size();
    compress2(reinterpret_cast<Bytef*>(expected.data()), &size, reinterpret_cast<const Bytef*>(input.data()),
              input.size(), l.zlibLevel);
    expected.resize(size);
    EXPECT_EQ(Bytes(dest), "head" + expected) << l.zlibLevel;
  }
}

TEST(PdfCompressionStream, LargeOutputGoesOutInFullBuffers) {
  // Incompressible data larger than the 64 KiB buffer.
  std::string input(300000, '\0');
  unsigned x = 12345;
  for (char& c : input) {
    x = x * 1103515245 + 12345;
    c = static_cast<char>(x >> 23);
  }
  TMemoryStream dest;
  int progress = 0;
  {
    TCompressionStream z(TCompressionLevel::clDefault, &dest);
    z.OnProgress = TNotifyEvent::FromFunction([&](TObject*) { ++progress; });
    z.WriteBuffer(input.data(), static_cast<Integer>(input.size()));
    EXPECT_GE(dest.GetSize(), 4 * 65536);  // the full buffers are already out
    EXPECT_EQ(dest.GetSize() % 65536, 0);
  }
  EXPECT_GE(progress, 4);
  EXPECT_EQ(Inflate(Bytes(dest)), input);
}

TEST(PdfCompressionStream, ReadAndSeekAreRefused) {
  TMemoryStream dest;
  TCompressionStream z(TCompressionLevel::clDefault, &dest);
  char buffer[4];
  auto message = [](auto&& call) -> std::string {
    try {
      call();
    } catch (const ECompressionError& e) {
      return e.Message;
    }
    return "no exception";
  };
  EXPECT_EQ(message([&] { z.Read(buffer, 4); }), "Invalid stream operation");
  EXPECT_EQ(message([&] { z.Seek(1, soCurrent); }), "Invalid stream operation");
  EXPECT_EQ(message([&] { z.Seek(0, soBeginning); }), "Invalid stream operation");
  z.Finish();
  EXPECT_EQ(message([&] { z.Write("x", 1); }), "Invalid stream operation");
}

}  // namespace
