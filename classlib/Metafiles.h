// Metafiles: TMetafile holds an enhanced metafile (a recording of GDI calls), TMetafileCanvas
// records one by drawing on it.
#pragma once

#include "classlib/Graphics.h"
#include "classlib/Pictures.h"

class TMetafile : public TGraphic {
  CLASS_INFO(TMetafile, TGraphic)
public:
  // Empty, enhanced; drawing a metafile leaves the background where it draws nothing.
  TMetafile();
  ~TMetafile() override;

  // From a metafile: a copy of its recording and sizes. nil empties it.
  void Assign(TPersistent* Source) override;
  // Frees the recording; sizes become 0.
  void Clear();

  bool GetEmpty() override { return FHandle == nullptr; }
  // Size in pixels: the size in hundredths of a millimetre converted by the screen's pixels per
  // millimetre, or by Inch when set (placeable Windows metafiles).
  Integer GetWidth() override;
  void SetWidth(Integer Value) override;
  Integer GetHeight() override;
  void SetHeight(Integer Value) override;
  // Size in hundredths of a millimetre; for a recording, that of its frame.
  Integer GetMMWidth() const { return FMMWidth; }
  void SetMMWidth(Integer Value);
  Integer GetMMHeight() const { return FMMHeight; }
  void SetMMHeight(Integer Value);
  // Units per inch of a placeable Windows metafile; 0 for enhanced ones.
  Word GetInch() const { return FInch; }
  void SetInch(Word Value);
  // Saved as an enhanced metafile when true, as a placeable Windows metafile when false.
  bool GetEnhanced() const { return FEnhanced; }
  void SetEnhanced(bool Value);

  HENHMETAFILE GetHandle() const { return FHandle; }
  // Takes over a recording; the sizes become those of its frame.
  void SetHandle(HENHMETAFILE Value);
  // Gives the recording to the caller, who then owns it.
  HENHMETAFILE ReleaseHandle();
  // The two parts of the description string stored in the header.
  AnsiString GetCreatedBy();
  AnsiString GetDescription();

  // Enhanced: the EMF bytes as the system keeps them. Windows metafiles: the placeable header
  // (key $9AC6CDD7) and the metafile bytes. Loading takes either.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // CF_ENHMETAFILE.
  void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) override;
  void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) override;

protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
  // Takes over a recording and its frame's size, without reporting a change.
  void Adopt(HENHMETAFILE Value);
  AnsiString DescriptionPart(int Index);
  void LoadWindowsMetafile(TStream* Stream);
  void LoadEnhancedMetafile(TStream* Stream, std::uint32_t FirstDword);

  HENHMETAFILE FHandle = nullptr;
  Integer FMMWidth = 0;
  Integer FMMHeight = 0;
  Word FInch = 0;
  bool FEnhanced = true;
};

// Records an enhanced metafile. The recording is made against a reference device (the screen
// when none is given), in that device's pixels; its frame is the metafile's size, or the whole
// reference device when the metafile has none. Freeing the canvas completes the recording and
// hands it to the metafile.
class TMetafileCanvas : public TCanvas {
  CLASS_INFO(TMetafileCanvas, TCanvas)
public:
  TMetafileCanvas(TMetafile* AMetafile, HDC ReferenceDevice);
  // With the two parts of the header's description string.
  TMetafileCanvas(TMetafile* AMetafile, HDC ReferenceDevice, const AnsiString& CreatedBy, const AnsiString& Description);
  ~TMetafileCanvas() override;

private:
  void Start(HDC ReferenceDevice, const AnsiString& CreatedBy, const AnsiString& Description);
  TMetafile* FMetafile;
};
