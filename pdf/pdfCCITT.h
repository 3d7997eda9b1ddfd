// The CCITT fax encoder for 1-bit images under the /CCITTFaxDecode filter: Group 3
// one-dimensional (mode 0), Group 3 two-dimensional (mode 1) and Group 4 (mode 2).
#pragma once

#include <functional>

#include "classlib/System.h"

class TStream;
class TBitmap;

class TCCITTCompression : public TObject {
  CLASS_INFO(TCCITTCompression, TObject)
public:
  TCCITTCompression(Integer mode, TStream* stream);

  // Encodes a bitmap of 1 bit per pixel, rows from top to bottom. Raises Exception
  // "Not set output stream." without a stream and "Not b/w image." for another pixel format,
  // in both cases before anything is written.
  void Compress(TBitmap* bitmap);

  // Encodes `height` rows of `width` pixels, packed 8 to a byte from the most significant bit,
  // with a 1 bit white and a 0 bit black as in a 1-bit bitmap of the default palette.
  // `row(y)` gives row y (0 = top); it is read only during this call.
  void CompressRows(Integer width, Integer height, const std::function<const Byte*(Integer)>& row);

private:
  void PutBits(unsigned code, int length);
  void PutRun(int run, bool black);
  void EncodeRow1D(const Byte* row);
  void EncodeRow2D(const Byte* row, const Byte* reference);
  void FlushOutput();

  Integer mode_;
  TStream* stream_;
  Integer width_ = 0;
  Integer rowBytes_ = 0;
  unsigned bitBuffer_ = 0;  // bits waiting to fill the output byte
  int freeBits_ = 8;
  AnsiString out_;
};

// Creates an encoder with the mode and the stream, encodes the bitmap and frees the encoder.
void CCITTCompress(TBitmap* bitmap, TStream* stream, Integer mode);
