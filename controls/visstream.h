// The byte formats in which the components store pictures, sounds and other data as streamed
// properties: a bitmap as a DIB file image, any object's own format behind a 32-bit length, and
// the block-compressed form (LZRW blocks of 32781 bytes of input each). All integers are
// little-endian.
//
// Compressed form: T, the number of bytes that follow (4 bytes); then per block its compressed
// length Lk (4 bytes, below 65536) and the Lk bytes of the block.
#pragma once

#include <functional>
#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/Streams.h"

class TVisWave;

// Input bytes per compressed block.
constexpr Integer VisStreamBlockSize = 0x800D;

// The BITMAPINFOHEADER of a DIB of Bitmap with a colour depth chosen by Colors: 0 the bitmap's
// own depth, 2 one bit, 16 four bits, 256 eight bits; a depth of 16 or 32 bits becomes 24.
void InitBitmapInfoHeader(HBITMAP Bitmap, BITMAPINFOHEADER& Header, Integer Colors);
// The header size (40 plus the colour table, none at 24 bits) and the pixel data size.
void GetDIBSizes(HBITMAP Bitmap, Integer& HeaderSize, Integer& ImageSize, Integer Colors);
// Fills Info (header and colour table, HeaderSize bytes) and Bits (ImageSize bytes) with the
// bitmap's DIB; with a palette, the palette is realized on a screen context around the copy.
bool GetDIB(HBITMAP Bitmap, HPALETTE Palette, void* Info, Integer Colors, void* Bits);
// The whole DIB file image: "BM", total size, 0, pixel offset, header, colour table, pixels.
// A zero bitmap handle raises Exception "Bitmap image is not valid".
std::vector<Byte> BitmapToDIBImage(HBITMAP Bitmap, HPALETTE Palette, Integer Colors);
// Writes the DIB file image, with its 32-bit length in front when WithLength.
void WriteDIB(TStream* Stream, HBITMAP Bitmap, HPALETTE Palette, Integer Colors, bool WithLength);
// Writes a bitmap property: Colors -1 is the bitmap's own save format, anything else a DIB file
// image of that colour count; compressed, or behind its 32-bit length.
void WriteBitmapProp(TStream* Stream, TBitmap* Bitmap, bool Compressed, Integer Colors);

// Compresses Count bytes of Source from its position (all that is left for a Count below 0)
// into Dest in the compressed form.
void CompressStream(TStream* Source, TStream* Dest, Int64 Count = -1);
// Expands the compressed form at Source's position into Dest. Data that ends early raises
// EReadError "Stream read error"; a block length no block can have, or a block that does not
// expand, raises Exception "Corrupt LZRW block".
void DecompressStream(TStream* Source, TStream* Dest);

// An object's own stream format, compressed or behind its 32-bit length; Save writes it, Load
// reads it from a stream holding exactly those bytes (at position 0).
void WriteStreamedProp(TStream* Stream, const std::function<void(TStream*)>& Save, bool Compressed);
void ReadStreamedProp(TStream* Stream, const std::function<void(TStream*)>& Load, bool Compressed);
// The same for any object with SaveToStream and LoadFromStream: pictures, string lists, sounds.
template <class T>
void WriteObjectProp(TStream* Stream, T* Object, bool Compressed) {
  WriteStreamedProp(Stream, [Object](TStream* s) { Object->SaveToStream(s); }, Compressed);
}
template <class T>
void ReadObjectProp(TStream* Stream, T* Object, bool Compressed) {
  ReadStreamedProp(Stream, [Object](TStream* s) { Object->LoadFromStream(s); }, Compressed);
}

// A wave sound: compressed, or in its "Data" form (length and bytes).
void WriteWaveProp(TStream* Stream, TVisWave* Wave, bool Compressed);
void ReadWaveProp(TStream* Stream, TVisWave* Wave, bool Compressed);

// Primitive values: a 32-bit integer, a byte, a short string (a length byte, then at most 255
// characters; a longer one raises EWriteError).
void WriteStreamInteger(TStream* Stream, Integer Value);
Integer ReadStreamInteger(TStream* Stream);
void WriteStreamByte(TStream* Stream, Byte Value);
Byte ReadStreamByte(TStream* Stream);
void WriteShortString(TStream* Stream, const AnsiString& Value);
AnsiString ReadShortString(TStream* Stream);
