// DIB images, compressed streams and the streamed-property helpers.
#include "controls/visstream.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "classlib/Handles.h"
#include "controls/VisWave.h"
#include "controls/visprocs.h"

namespace {

// The largest block LZRWCompress makes: a block stored as it is, one byte longer than its input.
constexpr Integer kMaxBlock = VisStreamBlockSize + 1;

Integer BitCountFor(HBITMAP Bitmap, Integer Colors) {
  BITMAP info{};
  if (!Bitmap || !::GetObjectA(Bitmap, sizeof(info), &info)) throw Exception("Bitmap image is not valid");
  Integer bits;
  switch (Colors) {
    case 2: bits = 1; break;
    case 16: bits = 4; break;
    case 256: bits = 8; break;
    default: bits = info.bmPlanes * info.bmBitsPixel; break;
  }
  return bits == 16 || bits == 32 ? 24 : bits;
}

}  // namespace

void InitBitmapInfoHeader(HBITMAP Bitmap, BITMAPINFOHEADER& Header, Integer Colors) {
  const Integer bits = BitCountFor(Bitmap, Colors);
  BITMAP info{};
  ::GetObjectA(Bitmap, sizeof(info), &info);
  Header = {};
  Header.biSize = sizeof(BITMAPINFOHEADER);
  Header.biWidth = info.bmWidth;
  Header.biHeight = info.bmHeight;
  Header.biPlanes = 1;
  Header.biBitCount = static_cast<WORD>(bits);
  Header.biCompression = BI_RGB;
  Header.biSizeImage = static_cast<DWORD>(((info.bmWidth * bits + 31) / 32 * 4) * info.bmHeight);
}

void GetDIBSizes(HBITMAP Bitmap, Integer& HeaderSize, Integer& ImageSize, Integer Colors) {
  BITMAPINFOHEADER header;
  InitBitmapInfoHeader(Bitmap, header, Colors);
  HeaderSize = sizeof(BITMAPINFOHEADER) + (header.biBitCount == 24 ? 0 : 4 * (1 << header.biBitCount));
  ImageSize = static_cast<Integer>(header.biSizeImage);
}

bool GetDIB(HBITMAP Bitmap, HPALETTE Palette, void* Info, Integer Colors, void* Bits) {
  auto* header = static_cast<BITMAPINFOHEADER*>(Info);
  InitBitmapInfoHeader(Bitmap, *header, Colors);
  WindowDC screen;
  HPALETTE old = nullptr;
  if (Palette) {
    old = ::SelectPalette(screen, Palette, FALSE);
    ::RealizePalette(screen);
  }
  const int lines = ::GetDIBits(screen, Bitmap, 0, static_cast<UINT>(header->biHeight), Bits,
                                static_cast<BITMAPINFO*>(Info), DIB_RGB_COLORS);
  if (old) ::SelectPalette(screen, old, FALSE);
  return lines != 0;
}

std::vector<Byte> BitmapToDIBImage(HBITMAP Bitmap, HPALETTE Palette, Integer Colors) {
  if (!Bitmap) throw Exception("Bitmap image is not valid");
  Integer headerSize = 0;
  Integer imageSize = 0;
  GetDIBSizes(Bitmap, headerSize, imageSize, Colors);
  const Integer offset = 14 + headerSize;
  std::vector<Byte> image(static_cast<std::size_t>(offset + imageSize), 0);
  const auto put32 = [&](std::size_t at, LongWord v) { std::memcpy(&image[at], &v, 4); };
  image[0] = 'B';
  image[1] = 'M';
  put32(2, static_cast<LongWord>(offset + imageSize));
  put32(10, static_cast<LongWord>(offset));
  if (!GetDIB(Bitmap, Palette, &image[14], Colors, &image[static_cast<std::size_t>(offset)]))
    throw Exception("Bitmap image is not valid");
  // GetDIBits fills in what it knows about the pixels; the stored header keeps the fixed values.
  InitBitmapInfoHeader(Bitmap, *reinterpret_cast<BITMAPINFOHEADER*>(&image[14]), Colors);
  return image;
}

void WriteDIB(TStream* Stream, HBITMAP Bitmap, HPALETTE Palette, Integer Colors, bool WithLength) {
  const std::vector<Byte> image = BitmapToDIBImage(Bitmap, Palette, Colors);
  if (WithLength) WriteStreamInteger(Stream, static_cast<Integer>(image.size()));
  Stream->WriteBuffer(image.data(), static_cast<Integer>(image.size()));
}

void WriteBitmapProp(TStream* Stream, TBitmap* Bitmap, bool Compressed, Integer Colors) {
  if (Compressed) {
    TMemoryStream plain;
    if (Colors == -1)
      Bitmap->SaveToStream(&plain);
    else
      WriteDIB(&plain, Bitmap->GetHandle(), Bitmap->GetPalette(), Colors, false);
    plain.SetPosition(0);
    CompressStream(&plain, Stream, plain.GetSize());
    return;
  }
  if (Colors != -1) {
    WriteDIB(Stream, Bitmap->GetHandle(), Bitmap->GetPalette(), Colors, true);
    return;
  }
  WriteStreamedProp(Stream, [Bitmap](TStream* s) { Bitmap->SaveToStream(s); }, false);
}

void CompressStream(TStream* Source, TStream* Dest, Int64 Count) {
  if (Count < 0) Count = Source->GetSize() - Source->GetPosition();
  std::vector<Byte> input(static_cast<std::size_t>(VisStreamBlockSize));
  std::vector<Byte> block(static_cast<std::size_t>(kMaxBlock));
  TMemoryStream blocks;
  while (Count > 0) {
    const auto length = static_cast<Integer>(std::min<Int64>(Count, VisStreamBlockSize));
    Source->ReadBuffer(input.data(), length);
    const Integer packed = LZRWCompress(input.data(), block.data(), static_cast<Word>(length));
    WriteStreamInteger(&blocks, packed);
    blocks.WriteBuffer(block.data(), packed);
    Count -= length;
  }
  WriteStreamInteger(Dest, static_cast<Integer>(blocks.GetSize()));
  if (blocks.GetSize() > 0) Dest->WriteBuffer(blocks.GetMemory(), static_cast<Integer>(blocks.GetSize()));
}

void DecompressStream(TStream* Source, TStream* Dest) {
  Int64 left = static_cast<LongWord>(ReadStreamInteger(Source));
  // A total beyond the data that remain is damage; found at once, before any block expands.
  if (left > Source->GetSize() - Source->GetPosition()) throw EReadError("Stream read error");
  std::vector<Byte> block(static_cast<std::size_t>(kMaxBlock));
  std::vector<Byte> output(static_cast<std::size_t>(VisStreamBlockSize));
  while (left > 0) {
    if (left < 4) RaiseCorruptLZRWBlock();
    const LongWord length = static_cast<LongWord>(ReadStreamInteger(Source));
    // No block is longer than its input plus one byte, nor longer than what the total leaves.
    if (length > static_cast<LongWord>(kMaxBlock) || length > left - 4) RaiseCorruptLZRWBlock();
    Source->ReadBuffer(block.data(), static_cast<Integer>(length));
    const Integer produced =
        LZRWDecompress(block.data(), output.data(), static_cast<Integer>(length & 0xFFFF), VisStreamBlockSize);
    if (produced > 0) Dest->WriteBuffer(output.data(), produced);
    left -= 4 + static_cast<Int64>(length);
  }
}

void WriteStreamedProp(TStream* Stream, const std::function<void(TStream*)>& Save, bool Compressed) {
  TMemoryStream plain;
  Save(&plain);
  plain.SetPosition(0);
  if (Compressed) {
    CompressStream(&plain, Stream, plain.GetSize());
    return;
  }
  WriteStreamInteger(Stream, static_cast<Integer>(plain.GetSize()));
  if (plain.GetSize() > 0) Stream->WriteBuffer(plain.GetMemory(), static_cast<Integer>(plain.GetSize()));
}

void ReadStreamedProp(TStream* Stream, const std::function<void(TStream*)>& Load, bool Compressed) {
  TMemoryStream plain;
  if (Compressed) {
    DecompressStream(Stream, &plain);
  } else {
    const auto length = static_cast<LongWord>(ReadStreamInteger(Stream));
    if (length > Stream->GetSize() - Stream->GetPosition()) throw EReadError("Stream read error");
    plain.SetSize(length);
    if (length > 0) Stream->ReadBuffer(plain.GetMemory(), static_cast<Integer>(length));
  }
  plain.SetPosition(0);
  Load(&plain);
}

void WriteWaveProp(TStream* Stream, TVisWave* Wave, bool Compressed) {
  if (Compressed)
    WriteObjectProp(Stream, Wave, true);
  else
    Wave->WriteData(Stream);
}

void ReadWaveProp(TStream* Stream, TVisWave* Wave, bool Compressed) {
  if (Compressed)
    ReadObjectProp(Stream, Wave, true);
  else
    Wave->ReadData(Stream);
}

void WriteStreamInteger(TStream* Stream, Integer Value) { Stream->WriteBuffer(&Value, 4); }

Integer ReadStreamInteger(TStream* Stream) {
  Integer value = 0;
  Stream->ReadBuffer(&value, 4);
  return value;
}

void WriteStreamByte(TStream* Stream, Byte Value) { Stream->WriteBuffer(&Value, 1); }

Byte ReadStreamByte(TStream* Stream) {
  Byte value = 0;
  Stream->ReadBuffer(&value, 1);
  return value;
}

void WriteShortString(TStream* Stream, const AnsiString& Value) {
  if (Value.size() > 255) throw EWriteError("Stream write error");
  WriteStreamByte(Stream, static_cast<Byte>(Value.size()));
  if (!Value.empty()) Stream->WriteBuffer(Value.data(), static_cast<Integer>(Value.size()));
}

AnsiString ReadShortString(TStream* Stream) {
  const Byte length = ReadStreamByte(Stream);
  AnsiString value(length, '\0');
  if (length > 0) Stream->ReadBuffer(value.data(), length);
  return value;
}
