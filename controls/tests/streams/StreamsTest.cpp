// Streamed properties: DIB images, the compressed block format, the object and wave helpers, and
// wave sounds, with data that is cut short or damaged.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/StringLists.h"
#include "controls/VisWave.h"
#include "controls/visstream.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Bytes(TMemoryStream& Stream) {
  return std::string(static_cast<const char*>(Stream.GetMemory()), static_cast<std::size_t>(Stream.GetSize()));
}

LongWord U32(const std::string& s, std::size_t at) {
  LongWord v = 0;
  std::memcpy(&v, s.data() + at, 4);
  return v;
}

Word U16(const std::string& s, std::size_t at) {
  Word v = 0;
  std::memcpy(&v, s.data() + at, 2);
  return v;
}

std::unique_ptr<TBitmap> Picture(TPixelFormat Format = pf24bit) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(Format);
  bitmap->SetSize(5, 3);
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->GetBrush()->SetColor(clWhite);
  canvas->FillRect(Rect(0, 0, 5, 3));
  canvas->SetPixels(0, 0, clRed);
  canvas->SetPixels(4, 2, clBlue);
  canvas->SetPixels(2, 1, clBlack);
  return bitmap;
}

TEST(DIBImages, LayoutByColourCount) {
  struct Case {
    Integer colors;
    Integer bits;
    Integer tableBytes;
  };
  const Case cases[] = {{0, 24, 0}, {2, 1, 8}, {16, 4, 64}, {256, 8, 1024}};
  for (TPixelFormat format : {pf24bit, pf32bit}) {
    auto picture = Picture(format);
    for (const Case& c : cases) {
      const std::vector<Byte> image = BitmapToDIBImage(picture->GetHandle(), nullptr, c.colors);
      const std::string s(image.begin(), image.end());
      const Integer stride = (5 * c.bits + 31) / 32 * 4;
      const Integer offset = 14 + 40 + c.tableBytes;
      ASSERT_EQ(s.size(), static_cast<std::size_t>(offset + stride * 3)) << c.colors;
      EXPECT_EQ(s.substr(0, 2), "BM");
      EXPECT_EQ(U32(s, 2), s.size());
      EXPECT_EQ(U32(s, 6), 0u);
      EXPECT_EQ(U32(s, 10), static_cast<LongWord>(offset));
      EXPECT_EQ(U32(s, 14), 40u);
      EXPECT_EQ(U32(s, 18), 5u);
      EXPECT_EQ(U32(s, 22), 3u);
      EXPECT_EQ(U16(s, 26), 1);
      EXPECT_EQ(U16(s, 28), c.bits);
      EXPECT_EQ(U32(s, 30), 0u);
      EXPECT_EQ(U32(s, 34), static_cast<LongWord>(stride * 3));
      for (std::size_t at : {38, 42, 46, 50}) EXPECT_EQ(U32(s, at), 0u) << c.colors;
      // The file reads back as the same picture.
      TMemoryStream stream;
      stream.WriteBuffer(image.data(), static_cast<Integer>(image.size()));
      stream.SetPosition(0);
      TBitmap back;
      back.LoadFromStream(&stream);
      EXPECT_EQ(back.GetCanvas()->GetPixels(4, 2), c.bits == 1 ? clBlack : clBlue) << c.colors;
      EXPECT_EQ(back.GetCanvas()->GetPixels(1, 1), clWhite) << c.colors;
    }
  }
  // 24 bits: the pixels begin at offset 54, bottom row first, blue-green-red.
  const std::vector<Byte> image = BitmapToDIBImage(Picture()->GetHandle(), nullptr, 0);
  EXPECT_EQ(image[54 + 4 * 3], 0xFF);  // (4, 2) blue, in the first row stored
  EXPECT_EQ(image[54 + 2 * 16 + 2], 0xFF);  // (0, 0) red, in the last row stored

  Integer header = 0, size = 0;
  GetDIBSizes(Picture()->GetHandle(), header, size, 16);
  EXPECT_EQ(header, 40 + 64);
  EXPECT_EQ(size, 4 * 3);

  try {
    BitmapToDIBImage(nullptr, nullptr, 0);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Bitmap image is not valid");
  }

  TMemoryStream withLength;
  WriteDIB(&withLength, Picture()->GetHandle(), nullptr, 0, true);
  const std::string s = Bytes(withLength);
  EXPECT_EQ(U32(s, 0), s.size() - 4);
  EXPECT_EQ(s.substr(4, 2), "BM");
}

std::string Random(std::size_t Size, unsigned State, int Alphabet = 256) {
  std::mt19937 random(State);
  std::string s(Size, '\0');
  for (char& c : s) c = static_cast<char>(random() % Alphabet);
  return s;
}

TEST(CompressedStreams, RoundTripsAndBlocks) {
  struct Case {
    std::string data;
    Integer blocks;
  };
  const Case cases[] = {
      {"", 0},
      {"x", 1},
      {std::string(32781, 'a'), 1},
      {Random(32781, 1), 1},  // incompressible: one block stored one byte longer
      {std::string(32782, 'a'), 2},
      {Random(100000, 2, 4), 4},
  };
  for (const Case& c : cases) {
    TMemoryStream source;
    if (!c.data.empty()) source.WriteBuffer(c.data.data(), static_cast<Integer>(c.data.size()));
    source.SetPosition(0);
    TMemoryStream packed;
    CompressStream(&source, &packed);
    const std::string p = Bytes(packed);
    // Walk the blocks: T, then per block its length and bytes.
    ASSERT_GE(p.size(), 4u);
    EXPECT_EQ(U32(p, 0), p.size() - 4) << c.data.size();
    Integer blocks = 0;
    for (std::size_t at = 4; at < p.size(); at += 4 + U32(p, at)) {
      EXPECT_LE(U32(p, at), 32782u);
      ++blocks;
    }
    EXPECT_EQ(blocks, c.blocks) << c.data.size();

    packed.SetPosition(0);
    TMemoryStream back;
    DecompressStream(&packed, &back);
    EXPECT_TRUE(Bytes(back) == c.data) << c.data.size();
  }
  // Count limits what is taken from the source.
  TStringStream source("abcdef");
  source.SetPosition(1);
  TMemoryStream packed;
  CompressStream(&source, &packed, 3);
  packed.SetPosition(0);
  TMemoryStream back;
  DecompressStream(&packed, &back);
  EXPECT_EQ(Bytes(back), "bcd");
}

TEST(CompressedStreams, RefuseCutAndDamagedData) {
  const std::string data = Random(40000, 3, 8);
  TMemoryStream source;
  source.WriteBuffer(data.data(), static_cast<Integer>(data.size()));
  source.SetPosition(0);
  TMemoryStream packed;
  CompressStream(&source, &packed);
  const std::string good = Bytes(packed);

  const auto expand = [](const std::string& bytes) -> std::string {
    TStringStream in(bytes);
    TMemoryStream out;
    try {
      DecompressStream(&in, &out);
    } catch (const EReadError& e) {
      return "read: " + e.Message;
    } catch (const Exception& e) {
      return e.Message;
    }
    return "ok";
  };
  EXPECT_EQ(expand(good), "ok");
  for (std::size_t cut : {std::size_t(2), std::size_t(6), std::size_t(9), std::size_t(100), good.size() - 1})
    EXPECT_EQ(expand(good.substr(0, cut)), "read: Stream read error") << cut;

  std::string tooLong = good;
  const LongWord huge = 70000;
  std::memcpy(&tooLong[4], &huge, 4);
  EXPECT_EQ(expand(tooLong), "Corrupt LZRW block");

  // A block longer than what the total leaves.
  std::string beyond = good;
  const LongWord total = 10;
  std::memcpy(&beyond[0], &total, 4);
  EXPECT_EQ(expand(beyond), "Corrupt LZRW block");
  // A total that ends inside a block length.
  const std::string stub("\x02\x00\x00\x00\x01\x00", 6);
  EXPECT_EQ(expand(stub), "Corrupt LZRW block");
  // A block whose contents are damaged.
  std::string damaged = good;
  damaged[8] = 0x11;
  EXPECT_EQ(expand(damaged), "Corrupt LZRW block");
}

TEST(ObjectProperties, BitmapsAndOtherObjects) {
  auto picture = Picture();
  for (bool compressed : {false, true}) {
    // The bitmap's own format.
    TMemoryStream stream;
    WriteBitmapProp(&stream, picture.get(), compressed, -1);
    TMemoryStream own;
    picture->SaveToStream(&own);
    if (!compressed) {
      const std::string s = Bytes(stream);
      EXPECT_EQ(U32(s, 0), s.size() - 4);
      EXPECT_TRUE(s.substr(4) == Bytes(own));
    }
    stream.SetPosition(0);
    TBitmap back;
    ReadObjectProp(&stream, &back, compressed);
    EXPECT_EQ(back.GetCanvas()->GetPixels(4, 2), clBlue) << compressed;
    EXPECT_EQ(stream.GetPosition(), stream.GetSize());

    // A DIB of 16 colours.
    TMemoryStream dib;
    WriteBitmapProp(&dib, picture.get(), compressed, 16);
    dib.SetPosition(0);
    TBitmap fromDib;
    ReadObjectProp(&dib, &fromDib, compressed);
    EXPECT_EQ(fromDib.GetPixelFormat(), pf4bit);
    EXPECT_EQ(fromDib.GetCanvas()->GetPixels(0, 0), clRed);

    // Strings through the same helpers.
    TStringList lines;
    lines.Add("first");
    lines.Add("second");
    TMemoryStream text;
    WriteObjectProp(&text, &lines, compressed);
    text.SetPosition(0);
    TStringList read;
    ReadObjectProp(&text, &read, compressed);
    EXPECT_EQ(read.GetText(), lines.GetText());
  }

  // A length beyond the data is refused before anything is read.
  TMemoryStream cut;
  WriteBitmapProp(&cut, picture.get(), false, -1);
  cut.SetSize(cut.GetSize() - 1);
  cut.SetPosition(0);
  TBitmap none;
  try {
    ReadObjectProp(&cut, &none, false);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message, "Stream read error");
  }
}

TEST(ObjectProperties, PrimitiveValues) {
  TMemoryStream stream;
  WriteStreamInteger(&stream, -2);
  WriteStreamByte(&stream, 200);
  WriteShortString(&stream, "Pelorin");
  WriteShortString(&stream, std::string(255, 'x'));
  EXPECT_THROW(WriteShortString(&stream, std::string(256, 'x')), EWriteError);
  EXPECT_EQ(stream.GetSize(), 4 + 1 + 8 + 256);
  stream.SetPosition(0);
  EXPECT_EQ(ReadStreamInteger(&stream), -2);
  EXPECT_EQ(ReadStreamByte(&stream), 200);
  EXPECT_EQ(ReadShortString(&stream), "Pelorin");
  EXPECT_EQ(ReadShortString(&stream).size(), 255u);
  EXPECT_THROW(ReadStreamByte(&stream), EReadError);
  TStringStream shortString(std::string("\x05" "abc", 4));
  EXPECT_THROW(ReadShortString(&shortString), EReadError);
}

// A RIFF wave: PCM, the channels and rate given, and some sample bytes.
std::string Wave(Word Channels = 1, LongWord Rate = 8000, Word Tag = 1, std::size_t Samples = 16) {
  std::string w = "RIFF";
  const auto put32 = [&w](LongWord v) { w.append(reinterpret_cast<const char*>(&v), 4); };
  const auto put16 = [&w](Word v) { w.append(reinterpret_cast<const char*>(&v), 2); };
  put32(static_cast<LongWord>(36 + Samples));
  w += "WAVEfmt ";
  put32(16);
  put16(Tag);
  put16(Channels);
  put32(Rate);
  put32(Rate * Channels);
  put16(Channels);  // block alignment
  put16(8);
  w += "data";
  put32(static_cast<LongWord>(Samples));
  for (std::size_t i = 0; i < Samples; ++i) w += static_cast<char>(128 + i);
  return w;
}

struct ChangeCounter {
  int count = 0;
  void Changed(TObject*) { ++count; }
};

TEST(Waves, HeaderInformation) {
  struct Case {
    Word channels;
    Word tag;
    Byte mode;
  };
  for (const Case& c : {Case{1, 1, 1}, Case{2, 1, 2}, Case{6, 3, 0}}) {
    TStringStream stream(Wave(c.channels, 22050, c.tag));
    stream.SetPosition(0);
    TVisWaveInfo info;
    ASSERT_TRUE(GetWaveInfo(&stream, info));
    EXPECT_EQ(stream.GetPosition(), 0);
    EXPECT_EQ(info.RiffSize, 36u + 16u);
    EXPECT_EQ(info.SamplesPerSec, 22050u);
    EXPECT_EQ(info.ChannelMode, c.mode);
    EXPECT_EQ(info.PCM, c.tag == 1);
    EXPECT_EQ(info.BlockAlign, c.channels);
  }
  const std::string good = Wave();
  std::string noWave = good;
  noWave[8] = 'X';
  for (const std::string& bad : {std::string(), good.substr(0, 33), std::string("RIFX") + good.substr(4), noWave}) {
    TStringStream stream(bad);
    TVisWaveInfo info;
    EXPECT_FALSE(GetWaveInfo(&stream, info)) << bad.size();
  }
}

TEST(Waves, LoadingKeepsTheOldSoundOnBadData) {
  testing_support::TempFolder temp;
  TVisWave wave;
  ChangeCounter counter;
  wave.OnChange = TNotifyEvent(&counter, &ChangeCounter::Changed);
  EXPECT_TRUE(wave.Empty());
  EXPECT_EQ(wave.Size(), 0);

  const std::string sound = Wave();
  TStringStream stream(sound);
  wave.LoadFromStream(&stream);
  EXPECT_EQ(wave.Size(), static_cast<Int64>(sound.size()));
  EXPECT_EQ(counter.count, 1);

  const auto refusal = [&wave](const std::string& bytes) -> std::string {
    TStringStream in(bytes);
    try {
      wave.LoadFromStream(&in);
    } catch (const EInvalidWave& e) {
      return e.Message;
    }
    return "taken";
  };
  EXPECT_EQ(refusal("RIFF and more but no wave at all, really"), "TVisWave: Cannot open file");
  EXPECT_EQ(refusal(sound.substr(0, 30)), "TVisWave: Cannot open file");
  EXPECT_EQ(wave.Size(), static_cast<Int64>(sound.size()));
  EXPECT_EQ(counter.count, 1);

  const std::string bad = temp.File("bad.wav");
  testing_support::WriteFileBytes(bad, "not a wave");
  try {
    wave.LoadFromFile(bad);
    FAIL();
  } catch (const EInvalidWave& e) {
    EXPECT_EQ(e.Message, "TVisWave: Cannot open file " + bad);
  }
  EXPECT_THROW(wave.LoadFromFile(temp.File("missing.wav")), EFOpenError);

  // The "Data" form: a length and the bytes; cut short it is refused, 0 clears the sound.
  TMemoryStream data;
  wave.WriteData(&data);
  EXPECT_EQ(U32(Bytes(data), 0), sound.size());
  const std::string cut = Bytes(data).substr(0, data.GetSize() - 3);
  TStringStream cutStream(cut);
  EXPECT_THROW(wave.ReadData(&cutStream), EReadError);
  EXPECT_EQ(wave.Size(), static_cast<Int64>(sound.size()));
  TStringStream zero(std::string(4, '\0'));
  wave.ReadData(&zero);
  EXPECT_TRUE(wave.Empty());
  EXPECT_EQ(counter.count, 2);
  data.SetPosition(0);
  wave.ReadData(&data);
  EXPECT_EQ(wave.Size(), static_cast<Int64>(sound.size()));

  // Files both ways.
  const std::string file = temp.File("copy.wav");
  wave.SaveToFile(file);
  EXPECT_TRUE(testing_support::ReadFileBytes(file) == sound);
  std::unique_ptr<TVisWave> loaded(TVisWave::CreateFromFile(file));
  EXPECT_EQ(loaded->Size(), static_cast<Int64>(sound.size()));
}

TEST(Waves, AssignAndProperties) {
  TStringStream stream(Wave(2));
  TVisWave wave;
  wave.LoadFromStream(&stream);
  TVisWave copy;
  ChangeCounter counter;
  copy.OnChange = TNotifyEvent(&counter, &ChangeCounter::Changed);
  copy.Assign(&wave);
  EXPECT_EQ(counter.count, 1);
  EXPECT_TRUE(Bytes(*copy.GetData()) == Bytes(*wave.GetData()));
  EXPECT_EQ(copy.GetData()->GetPosition(), 0);
  EXPECT_EQ(wave.GetData()->GetPosition(), 0);
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
  TStringList notAWave;
  EXPECT_THROW(copy.Assign(&notAWave), EConvertError);

  for (bool compressed : {false, true}) {
    TMemoryStream prop;
    WriteWaveProp(&prop, &wave, compressed);
    if (!compressed) {
      EXPECT_TRUE(Bytes(prop).substr(4) == Bytes(*wave.GetData()));
    }
    prop.SetPosition(0);
    TVisWave back;
    ReadWaveProp(&prop, &back, compressed);
    EXPECT_TRUE(Bytes(*back.GetData()) == Bytes(*wave.GetData())) << compressed;
  }
}

// A component with a sound, as a container item keeps one.
class TSoundHolder : public TComponent {
  CLASS_INFO(TSoundHolder, TComponent)
public:
  explicit TSoundHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TVisWave* GetWave() const { return FWave.get(); }
  void SetWave(TVisWave* Value) { FWave->Assign(Value); }

private:
  std::unique_ptr<TVisWave> FWave = std::make_unique<TVisWave>();
};

PUBLISHED(TSoundHolder) { Prop("Wave", &TSoundHolder::GetWave, &TSoundHolder::SetWave); }

TEST(Waves, FormStreamBothWays) {
  RegisterClass(TSoundHolder::StaticClass());
  TSoundHolder holder(nullptr);
  holder.SetName("Holder");
  TStringStream sound(Wave());
  holder.GetWave()->LoadFromStream(&sound);

  TMemoryStream binary;
  WriteComponentToStream(&binary, &holder);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  EXPECT_NE(text.GetDataString().find("Wave.Data = {\r\n    3C000000524946463400"), AnsiString::npos)
      << text.GetDataString();

  TStringStream source(text.GetDataString());
  TMemoryStream again;
  ObjectTextToBinary(&source, &again);
  again.SetPosition(0);
  TSoundHolder copy(nullptr);
  ReadComponentFromStream(&again, &copy);
  EXPECT_TRUE(Bytes(*copy.GetWave()->GetData()) == Bytes(*holder.GetWave()->GetData()));

  // No sound, no "Data".
  TSoundHolder silent(nullptr);
  silent.SetName("Silent");
  TMemoryStream empty;
  WriteComponentToStream(&empty, &silent);
  EXPECT_EQ(Bytes(empty).find("Data"), std::string::npos);
}

}  // namespace
