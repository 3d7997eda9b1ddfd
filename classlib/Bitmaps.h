// TBitmap: an image of pixels held in a DIB section, with a canvas to draw on it, pixel formats
// from 1 to 32 bits, direct access to its rows, transparency, and BMP files.
#pragma once

#include <vector>

#include "classlib/Graphics.h"
#include "classlib/Handles.h"
#include "classlib/Pictures.h"

// pfDevice is the screen's own depth (32 bits under Wine). pf15bit is 5-5-5 and pf16bit 5-6-5
// RGB; pfCustom stands for a handle of another layout taken over with SetHandle.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
// tmAuto takes the transparent colour from the bottom-left pixel; tmFixed uses TransparentColor.
enum TTransparentMode { tmAuto, tmFixed };
// bmDIB: a DIB section whose pixels ScanLine reaches; bmDDB: a device-dependent bitmap, as
// taken over from the clipboard or a resource.
enum TBitmapHandleType { bmDIB, bmDDB };

class TBitmap;

// The canvas of a bitmap: a memory context with the bitmap selected, made when first drawn on.
class TBitmapCanvas : public TCanvas {
  CLASS_INFO(TBitmapCanvas, TCanvas)
public:
  explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
  ~TBitmapCanvas() override;

protected:
  void CreateHandle() override;
  void Changed() override;

private:
  friend class TBitmap;
  // Puts another bitmap handle (or none) into the context, if the context exists.
  void SelectBitmap(HBITMAP Handle);
  void FreeContext();

  TBitmap* FBitmap;
  HGDIOBJ FOldBitmap = nullptr;
};

class TBitmap : public TGraphic {
  CLASS_INFO(TBitmap, TGraphic)
public:
  // A pixel layout: bits per pixel, colour table (1 to 8 bits), 5-6-5 masks (16 bits).
  struct Layout {
    Integer BitCount = 32;
    TPixelFormat PixelFormat = pfDevice;
    std::vector<RGBQUAD> Colors;
    bool BitFields = false;
  };
  TBitmap();
  ~TBitmap() override;

  // From a bitmap: a deep copy of its pixels, format, colour table and transparency settings.
  // From other pictures (through their AssignTo): their image drawn on a bitmap of their size.
  // nil empties the bitmap.
  void Assign(TPersistent* Source) override;

  TCanvas* GetCanvas();
  // The bitmap handle (a DIB section unless a DDB was taken over); made when first asked for.
  // The canvas's context lets the bitmap go (unless the canvas is locked), so that the caller
  // can select it into a context of its own.
  HBITMAP GetHandle();
  // Takes over a bitmap made elsewhere (DIB section or DDB); the TBitmap then owns it.
  void SetHandle(HBITMAP Value);
  // Gives the handle to the caller, who then owns it; the bitmap keeps its size and makes a new
  // blank image when next used.
  HBITMAP ReleaseHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  TBitmapHandleType GetHandleType() const { return FDDB ? bmDDB : bmDIB; }
  // bmDIB turns a device-dependent bitmap into a DIB section of the same depth.
  void SetHandleType(TBitmapHandleType Value);

  bool GetEmpty() override { return FWidth <= 0 || FHeight <= 0; }
  Integer GetWidth() override { return FWidth; }
  Integer GetHeight() override { return FHeight; }
  // Resizing keeps the pixels that still fit; new area is filled with the canvas's brush (white).
  void SetWidth(Integer Value) override { SetSize(Value, FHeight); }
  void SetHeight(Integer Value) override { SetSize(FWidth, Value); }
  void SetSize(Integer AWidth, Integer AHeight);

  TPixelFormat GetPixelFormat() const { return FPixelFormat; }
  // Converts the pixels: to fewer colours by the nearest colour of the new colour table (black
  // and white; the 16 standard colours; the halftone palette), to more without loss.
  void SetPixelFormat(TPixelFormat Value);
  bool GetMonochrome() const { return FBitCount == 1; }
  void SetMonochrome(bool Value);
  // For 1 to 8 bits a palette made from the colour table (owned by the bitmap).
  HPALETTE GetPalette() override;
  // Takes over the palette; for 1 to 8 bits its colours become the colour table.
  void SetPalette(HPALETTE Value) override;

  // Row Row (0 = top) of the pixels. Rows are stored bottom-up and each is padded to a
  // multiple of 4 bytes; pixels are B, G, R (and a fourth byte at 32 bits), or colour indexes.
  void* GetScanLine(Integer Row);

  // The colour drawn as transparent when Transparent is set, with $02000000 added: under
  // tmAuto the bottom-left pixel (white for monochrome), else the colour set.
  TColor GetTransparentColor();
  // Sets the colour and switches to tmFixed (clDefault switches back to tmAuto).
  void SetTransparentColor(TColor Value);
  TTransparentMode GetTransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  // A BMP file: file header, header, colour table and rows. Reads BITMAPCOREHEADER to V5
  // headers, 1 to 32 bits, top-down rows, bit fields and RLE4/RLE8; writes a BITMAPINFOHEADER
  // image in the bitmap's own format.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // A bitmap resource (RT_BITMAP) of the module; raises EResNotFound when it is missing.
  void LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName);
  void LoadFromResourceID(HINSTANCE Instance, Integer ResID);
  // CF_BITMAP (with CF_PALETTE) and CF_DIB.
  void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) override;
  // CF_BITMAP: a device-dependent copy of the pixels.
  void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) override;

protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  void Changed(TObject* Sender) override;
  // The form stream stores the BMP file behind a 4-byte length.
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;


private:
  friend class TBitmapCanvas;

  void HandleNeeded();
  // Replaces the image by a new one of the given format, with the pixels drawn over from the
  // old one when copyPixels is set.
  void NewImage(Integer AWidth, Integer AHeight, const Layout& format, bool copyPixels);
  void InstallHandle(HBITMAP handle, void* bits);
  void DropImage();
  // Empty (0 x 0), in the same pixel format.
  void Clear();
  Layout CurrentFormat() const;
  const BITMAPINFO* Info();
  Integer Stride() const { return ((FWidth * FBitCount + 31) / 32) * 4; }
  void ReadBitmapFile(TStream* Stream);
  void WriteBitmapFile(TStream* Stream);
  void LoadFromPackedDIB(const void* Data, std::size_t Size);
  // Makes the image from a DIB: its header with the colour table (or masks), and the pixels.
  void LoadDIB(const Byte* Header, std::size_t HeaderSize, const Byte* Bits, std::size_t BitsSize);
  void DrawTransparent(HDC dc, const TRect& Rect);
  void InvalidateMasks();

  HBITMAP FHandle = nullptr;
  void* FBits = nullptr;  // the DIB section's pixels; nullptr for a DDB
  bool FDDB = false;
  Integer FWidth = 0;
  Integer FHeight = 0;
  Integer FBitCount = 32;
  TPixelFormat FPixelFormat = pfDevice;
  std::vector<RGBQUAD> FColors;  // the colour table of 1 to 8-bit images
  bool FBitFields = false;       // 16 bits as 5-6-5
  // BITMAPINFO with colour table or masks, kept for StretchDIBits.
  std::vector<Byte> FInfo;
  HPALETTE FPalette = nullptr;
  TBitmapCanvas* FCanvas = nullptr;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  // Header fields of a loaded file that the pixels do not determine, written back unchanged.
  Integer FXPelsPerMeter = 0;
  Integer FYPelsPerMeter = 0;
  Cardinal FClrUsed = 0;
  Cardinal FClrImportant = 0;
  // Masks for transparent drawing, made on first use for one transparent colour.
  UniqueGdiObject FMask;
  UniqueGdiObject FMaskedImage;
  TColor FMaskColor = clNone;
};

// A resource that FindResource did not find.
class EResNotFound : public Exception {
  CLASS_INFO(EResNotFound, Exception)
public:
  using Exception::Exception;
};
