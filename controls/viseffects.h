// Effects on the pixels of 24-bit bitmaps: grey scale, mirroring, inversion, brightness and the
// alpha blend of two pictures. Each routine reads rows Top .. Bottom-1 and columns Left ..
// Right-1 of SourceRect and writes the result to Dest from DestPoint on; Source and Dest may be
// the same bitmap. Only AlphaBlendBitmaps checks the pixel format; callers of the others make
// their bitmaps 24 bits per pixel first.
#pragma once

#include "classlib/Bitmaps.h"

// A bitmap that must hold 24 bits per pixel does not: "Wrong PixelFormat in <name> bitmap!".
class EVisWrongPixelFormat : public Exception {
  CLASS_INFO(EVisWrongPixelFormat, Exception)
public:
  using Exception::Exception;
};

// True for a 24-bit bitmap; otherwise raises EVisWrongPixelFormat naming the bitmap.
bool CheckPixelFormat(TBitmap* Bitmap, const AnsiString& Name);
// Each pixel becomes grey: Round(0.3 red) + Round(0.59 green) + Round(0.11 blue) in all three bytes.
void GrayScaleBitmap(TBitmap* Source, const TRect& SourceRect, TBitmap* Dest, TPoint DestPoint);
// Top and bottom exchanged.
void MirrorRowsBitmap(TBitmap* Source, const TRect& SourceRect, TBitmap* Dest, TPoint DestPoint);
// Left and right exchanged (a middle column stays).
void MirrorColumnsBitmap(TBitmap* Source, const TRect& SourceRect, TBitmap* Dest, TPoint DestPoint);
// Each byte becomes 255 minus the byte.
void InvertBitmap(TBitmap* Source, const TRect& SourceRect, TBitmap* Dest, TPoint DestPoint);
// Amount (-255 .. 255) added to each byte, held within 0 .. 255.
void BrightnessBitmap(TBitmap* Source, const TRect& SourceRect, TBitmap* Dest, Integer Amount, TPoint DestPoint);
// Target = Source2 + (Source1 - Source2) x Alpha per byte, over Rect of Source1 (Source2 read
// from Source2Point, Target written from TargetPoint). Raises EVisWrongPixelFormat unless all
// three are 24-bit ("Source 1", "Source 2", "Target").
void AlphaBlendBitmaps(TBitmap* Source1, TBitmap* Source2, const TRect& Rect, TPoint TargetPoint, Single Alpha,
                       TBitmap* Target, TPoint Source2Point);
