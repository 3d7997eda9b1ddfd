// TJPEGImage: a JPEG picture, coded and decoded with libjpeg. It keeps the JPEG bytes as read
// (saving writes them back unchanged) and the decoded pixels as a bitmap, each made from the
// other when first needed.
#pragma once

#include <string>

#include "classlib/Bitmaps.h"
#include "classlib/Pictures.h"

enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
// Decoding at full size or at 1/2, 1/4 or 1/8 of it.
enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };
// The decoded bitmap: 24-bit colour, or 8-bit (grey scale pictures with a grey palette).
enum TJPEGPixelFormat { jf24Bit, jf8Bit };

// libjpeg found the data not to be a JPEG picture it can read; the message is libjpeg's.
class EJPEG : public EInvalidGraphic {
  CLASS_INFO(EJPEG, EInvalidGraphic)
public:
  using EInvalidGraphic::EInvalidGraphic;
};

class TJPEGImage : public TGraphic {
  CLASS_INFO(TJPEGImage, TGraphic)
public:
  TJPEGImage() = default;
  ~TJPEGImage() override;

  // From a JPEG image: its bytes, pixels and settings. From a bitmap: its pixels, to be coded
  // when saved (or by Compress).
  void Assign(TPersistent* Source) override;

  // Codes the current pixels with the current settings, replacing the JPEG bytes.
  void Compress();
  // Makes sure the decoded pixels, or the JPEG bytes, exist.
  void DIBNeeded();
  void JPEGNeeded();

  bool GetEmpty() override;
  // The size of the decoded picture (at Scale).
  Integer GetWidth() override;
  Integer GetHeight() override;
  // A JPEG picture cannot be resized: raises EInvalidGraphicOperation.
  void SetWidth(Integer Value) override;
  void SetHeight(Integer Value) override;

  // 1 to 100 (default 90): used when pixels are coded.
  Integer GetCompressionQuality() const { return FQuality; }
  void SetCompressionQuality(Integer Value);
  // True for a picture read from grey scale JPEG data. Setting it decodes colour data as grey
  // and codes pixels as a one-channel grey JPEG.
  bool GetGrayscale() const { return FGrayscale; }
  void SetGrayscale(bool Value);
  TJPEGPixelFormat GetPixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TJPEGPixelFormat Value);
  TJPEGPerformance GetPerformance() const { return FPerformance; }
  void SetPerformance(TJPEGPerformance Value);
  TJPEGScale GetScale() const { return FScale; }
  void SetScale(TJPEGScale Value);
  bool GetSmoothing() const { return FSmoothing; }
  void SetSmoothing(bool Value);
  // Codes progressive JPEG data.
  bool ProgressiveEncoding = false;

  // Reads the rest of the stream as JPEG data; raises EJPEG when it is no JPEG picture.
  void LoadFromStream(TStream* Stream) override;
  // Writes the JPEG bytes, coding the pixels first when there are none.
  void SaveToStream(TStream* Stream) override;

protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  // To a bitmap: a copy of the decoded pixels.
  void AssignTo(TPersistent* Dest) override;
  // The form stream keeps the JPEG bytes behind a 4-byte length.
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

private:
  void ReadHeader();
  void FreeBitmap();
  void Decode();

  std::string FData;            // the JPEG bytes
  TBitmap* FBitmap = nullptr;   // the pixels
  Integer FImageWidth = 0;      // full size, from the JPEG header or the assigned bitmap
  Integer FImageHeight = 0;
  Integer FQuality = 90;
  bool FGrayscale = false;
  TJPEGPixelFormat FPixelFormat = jf24Bit;
  TJPEGPerformance FPerformance = jpBestQuality;
  TJPEGScale FScale = jsFullSize;
  bool FSmoothing = true;
};
