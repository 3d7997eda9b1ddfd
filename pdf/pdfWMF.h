// The translator of a page's recording: TEMWParser walks the enhanced metafile that the page
// canvas recorded, record by record, and writes the same drawing with the page's content
// operators: text with the positions and widths GDI gave it, paths, pens, brushes, clipping and
// bitmaps.
//
// While it walks, it replays the records that change GDI state on a private device context, so
// that GDI keeps the selected objects, the mapping, the world transform and the saved states and
// measures the fonts; beside that it keeps what the PDF content has been told (colours, line
// width, font), so that each operator is written only when a drawing needs it changed.
#pragma once

#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "classlib/Streams.h"
#include "classlib/WinApi.h"
#include "pdf/PDF.h"

class TEMWParser : public TObject {
  CLASS_INFO(TEMWParser, TObject)
public:
  explicit TEMWParser(TPDFPage* Page);
  ~TEMWParser() override;

  // Takes the recording's bytes (in enhanced form).
  void LoadMetaFile(TMetafile* MetaFile);
  // The extent of what was drawn, in the page's device units: the right and bottom of the
  // recording's bounds, plus one. Raises TPDFException "Metafile not loaded" without a recording.
  TSize GetMetaFileSize() const;
  // Appends the translated drawing to the page's content. Raises "Metafile not loaded" without
  // a recording.
  void Execute();

private:
  // An entry of the recording's object table, with the description it was made from.
  struct TTableObject {
    HGDIOBJ Handle = nullptr;
    DWORD Type = 0;  // OBJ_PEN, OBJ_BRUSH or OBJ_FONT
    LOGPEN Pen{};
    LOGBRUSH Brush{};
    LOGFONTA Font{};
  };
  // The font's vertical measures in logical units, read from the context when first needed.
  struct TFontMetrics {
    bool Valid = false;
    Integer Ascent = 0, Descent = 0, Height = 0, InternalLeading = 0;
  };

  // The walk (pdfWMF.cpp).
  void ResetState();
  void Dispatch(DWORD Type);
  // Whether the current record holds Count bytes at Offset.
  bool Fits(std::size_t Offset, std::size_t Count) const {
    return Offset <= FRecordSize && Count <= FRecordSize - Offset;
  }
  // A field of the current record; zero when the record is too short to hold it.
  template <class T>
  T Field(std::size_t Offset) const {
    T value{};
    if (Fits(Offset, sizeof(T))) std::memcpy(&value, FRecord + Offset, sizeof(T));
    return value;
  }
  const Byte* At(std::size_t Offset) const { return FRecord + Offset; }

  // Coordinates: logical units to the page's device units, mapped through the world transform
  // and the window and viewport, or device pixels scaled only.
  Extended MapX(Extended X) const;
  Extended MapY(Extended Y) const;
  Extended ScaleX() const;
  Extended ScaleY() const;
  Extended DeviceValue(Extended V) const { return V * FDevScale; }
  void RefreshMapping();
  void RefreshTransform();
  void SetTransform(const XFORM& Form);

  // State records.
  void DoSaveDC();
  void DoRestoreDC();
  void DoSetWorldTransform();
  void DoModifyWorldTransform();
  void DoSetTextAlign(UINT Align);
  void DoCreatePen();
  void DoExtCreatePen();
  void DoCreateBrush();
  void DoCreateFont();
  void DoDeleteObject();
  void DoSelectObject();
  void StoreObject(DWORD Index, HGDIOBJ Handle, const TTableObject& Description);

  // What the PDF content has been told, brought in line with what GDI holds before a drawing
  // uses it (a fill colour, the pen's stroke colour, dash and width).
  void ApplyFill(COLORREF Color);
  void ApplyBrush();
  void ApplyStroke();
  // After a "Q" the content's colours, line width, dash and font are those before the "q".
  void ForgetState();
  void CloseTextObject();
  void OpenTextObject();
  // Ends a clip's graphics state ("Q"), inside a text object too.
  void EndClip();

  // Text (pdfWMFText.cpp).
  void SelectFont(const LOGFONTA& Font);
  // Makes the GDI font the page's font when it changed since; called before text is shown.
  void MakePageFont();
  const TFontMetrics& Metrics();
  bool TrueTypeFace(const AnsiString& Face);
  void DoExtTextOut(bool Wide);

  // Paths, pens, brushes and clipping (pdfWMFPaths.cpp).
  void SelectPen(const LOGPEN& Pen);
  void SelectBrush(const LOGBRUSH& Brush);
  TPoint PointAt(std::size_t Offset, bool Small, DWORD Index) const;
  std::size_t PointsHeld(std::size_t Size) const;
  void MoveToLogical(Extended X, Extended Y);
  void LineToLogical(Extended X, Extended Y);
  void StrokeOrEnd();
  void FillAndStroke();
  void PaintBox();
  // Before a shape outside a path: the pen and brush it will use.
  void PrepareShape(bool Fills);
  void StartShape();
  void DoPoly(DWORD Type, bool Small);
  void DoPolyPoly(bool Closed, bool Small);
  void DoPolyDraw(bool Small);
  void DoBox(DWORD Type);
  void DoArcRecord(DWORD Type);
  void DoArcTo();
  void DoAngleArc();
  void DoLineTo();
  void DoMoveTo();
  void DoSetPixel();
  void DoBeginPath();
  void DoPaintPath(DWORD Type);
  // Moves the path built so far behind operators that must precede it.
  AnsiString TakePath();
  void PutPathBack(const AnsiString& Path);
  void DoIntersectClipRect();
  void DoExcludeClipRect();
  void DoSelectClipPath();
  void DoExtSelectClipRgn();

  // Bitmaps (pdfWMFBitmaps.cpp).
  void DoBitBlt();
  void DoStretchBlt();
  void DoSetDIBitsToDevice();
  void DoStretchDIBits();
  // Draws the record's bitmap into a work bitmap and adds it to the document; -1 for none.
  Integer AddBitmap(std::size_t InfoOffset, std::size_t InfoSize, std::size_t BitsOffset, std::size_t BitsSize,
                    Integer SrcX, Integer SrcY, Integer SrcW, Integer SrcH, UINT Usage, DWORD Rop, bool Stretch,
                    UINT StartScan, UINT Scans);
  // Places an image over the logical rectangle.
  void PlaceImage(Integer Index, Extended X1, Extended Y1, Extended X2, Extended Y2);
  // Fills the logical rectangle in the colour.
  void FillLogicalRect(Integer X, Integer Y, Integer W, Integer H, COLORREF Color);

  // The advance of every 8-bit code in the page's font, thousandths of a device unit.
  Integer FWidths[256] = {};
  Integer FMapMode = MM_TEXT;
  TPDFPage* FPage;
  // The document's Resolution over the screen's pixels per inch.
  Extended FDevScale;
  TMetafile* FPrivateMetafile;
  TMetafileCanvas* FPrivateCanvas;
  HDC FDC = nullptr;
  TMemoryStream* FStream;

  // The record being handled.
  const Byte* FRecord = nullptr;
  std::size_t FRecordSize = 0;
  bool FEndOfFile = false;

  TPoint FCurrentPosition;
  bool FEvenOdd = true;
  bool FOpaque = true;
  COLORREF FTextColor = 0, FBackColor = 0xFFFFFF;
  Integer FVAlign = 0, FHAlign = 0;  // 0 top/left, 1 baseline/centre, 2 bottom/right
  bool FUpdateCP = false;
  bool FClip = false;
  bool FCounterClockwise = true;
  Integer FPenStyle = PS_SOLID;
  Extended FLineWidth = 0;
  COLORREF FPenColor = 0;
  COLORREF FBrushColor = 0;
  bool FNullBrush = false;
  LOGFONTA FFont{};
  bool FFontChanged = true;
  TFontMetrics FMetrics;
  bool FInText = false;
  bool FInPath = false;
  // Where the path being built begins in the content, while it may still be painted or clipped.
  std::size_t FPathStart = 0;
  bool FHavePath = false;

  // What the content has been told; -1 when unknown.
  Int64 FFillWritten = 0;
  Int64 FStrokeWritten = 0;
  Extended FWidthWritten = -1;

  // World transform: the context keeps it when it accepts one (FDeviceTransform); otherwise the
  // parser keeps it with its own saved copies.
  bool FDeviceTransform = false;
  XFORM FTransform{1, 0, 0, 1, 0, 0};
  std::vector<XFORM> FSavedTransforms;
  // The states saved on the context and not yet restored.
  Integer FSaveDepth = 0;
  // Window and viewport, as the context has them.
  POINT FWindowOrg{0, 0}, FViewportOrg{0, 0};
  SIZE FWindowExt{1, 1}, FViewportExt{1, 1};

  std::vector<TTableObject> FObjects;
  std::unordered_map<std::string, bool> FTrueTypeFaces;
};
