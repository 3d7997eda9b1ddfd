#include <gtest/gtest.h>

#include <vector>

#include "classlib/Streams.h"
#include "pdf/pdfCCITT.h"

namespace {

// Encodes rows given as strings of '#' (black) and '.' (white) and returns the bits written.
std::string Encode(Integer mode, const std::vector<std::string>& rows) {
  const int width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  std::vector<std::vector<Byte>> packed;
  for (const std::string& r : rows) {
    std::vector<Byte> bytes((width + 7) / 8, 0xFF);  // padding bits white
    for (int x = 0; x < width; ++x)
      if (r[x] == '#') bytes[x / 8] &= static_cast<Byte>(~(0x80 >> (x % 8)));  // 0 is black
    packed.push_back(bytes);
  }
  TMemoryStream out;
  TCCITTCompression encoder(mode, &out);
  encoder.CompressRows(width, static_cast<Integer>(rows.size()), [&](Integer y) { return packed[y].data(); });
  std::string bits;
  const Byte* p = static_cast<const Byte*>(out.GetMemory());
  for (Int64 i = 0; i < out.GetSize(); ++i)
    for (int b = 7; b >= 0; --b) bits += (p[i] >> b & 1) ? '1' : '0';
  return bits;
}

// The expected bit string, padded with 0 bits to whole bytes.
std::string Padded(std::string bits) {
  while (bits.size() % 8) bits += '0';
  return bits;
}

TEST(PdfCCITT, OneDimensionalRuns) {
  const struct {
    const char* what;
    std::vector<std::string> rows;
    std::string bits;
  } cases[] = {
      {"a one-pixel white row codes a white run of 1", {".", ".", "."}, "000111" "000111" "000111"},
      {"a row that starts black codes a white run of 0 first", {"##.."}, "00110101" "11" "0111"},
      {"a white run of 3000 is make-up 2560, make-up 384, terminating 56",
       {std::string(3000, '.')}, "000000011111" "00110111" "01011001"},
      {"a black run of 64 is make-up 64 and terminating 0",
       {std::string(64, '#')}, "00110101" "0000001111" "0000110111"},
      {"a run of 2624 takes the 2560 code and a terminating 64 through make-up 64",
       {std::string(2624, '.')}, "000000011111" "11011" "00110101"},
  };
  for (const auto& c : cases) EXPECT_EQ(Encode(0, c.rows), Padded(c.bits)) << c.what;
}

TEST(PdfCCITT, TwoDimensionalModes) {
  const std::string eol = "000000000001";
  // Vertical mode V0 for an all-white row against the white reference.
  EXPECT_EQ(Encode(2, {".", ".", "."}), Padded("1" "1" "1" + eol + eol));
  // Group 3 two-dimensional: an end-of-line code and a 0 bit before each row, no end block.
  EXPECT_EQ(Encode(1, {".", "."}), Padded(eol + "0" "1" + eol + "0" "1"));
  // Horizontal mode for a black run far from the reference's changes: white 4, black 2; then
  // the rest of the row by V0 against the reference's end; the second, equal row by V0 thrice.
  EXPECT_EQ(Encode(2, {"....##..", "....##.."}), Padded("001" "1011" "11" "1" "111" + eol + eol));
  // Vertical modes: the black run moves 1 to the right (VR1, VR1, V0) and back (VL1, VL1, V0).
  EXPECT_EQ(Encode(2, {"....##......", ".....##.....", "....##......"}).substr(0, 24),
            std::string("001" "1011" "11" "1") + "011" "011" "1" "010" "010" "1");
  // Pass mode: a reference black run that ends before the coding row's next change.
  EXPECT_EQ(Encode(2, {"..##........", "............"}).substr(0, 20),
            std::string("001" "0111" "11" "1") + "0001" "1" "00000");
}

TEST(PdfCCITT, NothingForEmptyImagesAndNoStream) {
  EXPECT_EQ(Encode(0, {}), "");
  EXPECT_EQ(Encode(2, {""}), "");
  TCCITTCompression encoder(2, nullptr);
  Byte row = 0;
  try {
    encoder.CompressRows(1, 1, [&](Integer) { return &row; });
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Not set output stream.");
  }
}

}  // namespace
