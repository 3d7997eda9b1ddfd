// TEMWParser: the walk over the records, the dispatcher, the GDI state replayed on the private
// context, the coordinate mapping, the object table, saved states and the text-object brackets.
#include "pdf/pdfWMF.h"

#include <cmath>
#include <cstring>

#include "classlib/MetafileChecks.h"
#include "classlib/Metafiles.h"
#include "pdf/pdfResources.h"

namespace {

inline constexpr const char* SMetafileNotLoaded = "Metafile not loaded";

// Records that may come between two text records without ending the text object: they change
// only what a text object may change, or nothing on the page.
bool KeepsTextObject(DWORD type) {
  switch (type) {
    case EMR_SETBKMODE:
    case EMR_SETTEXTALIGN:
    case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR:
    case EMR_MOVETOEX:
    case EMR_SAVEDC:
    case EMR_RESTOREDC:
    case EMR_SELECTOBJECT:
    case EMR_CREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_DELETEOBJECT:
    case EMR_BITBLT:
    case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
      return true;
    default:
      return false;
  }
}

XFORM Multiply(const XFORM& a, const XFORM& b) {
  XFORM r;
  r.eM11 = a.eM11 * b.eM11 + a.eM12 * b.eM21;
  r.eM12 = a.eM11 * b.eM12 + a.eM12 * b.eM22;
  r.eM21 = a.eM21 * b.eM11 + a.eM22 * b.eM21;
  r.eM22 = a.eM21 * b.eM12 + a.eM22 * b.eM22;
  r.eDx = a.eDx * b.eM11 + a.eDy * b.eM21 + b.eDx;
  r.eDy = a.eDx * b.eM12 + a.eDy * b.eM22 + b.eDy;
  return r;
}

constexpr XFORM kIdentity{1, 0, 0, 1, 0, 0};

}  // namespace

TEMWParser::TEMWParser(TPDFPage* Page)
    : FPage(Page),
      FPrivateMetafile(new TMetafile),
      FPrivateCanvas(new TMetafileCanvas(FPrivateMetafile, nullptr)),
      FStream(new TMemoryStream) {
  // The page keeps the resolution it was made with, whatever the document's is now.
  FDevScale = static_cast<Extended>(Page->GetResolution()) / FPrivateCanvas->GetFont()->PixelsPerInch;
}

TEMWParser::~TEMWParser() {
  delete FPrivateCanvas;
  delete FPrivateMetafile;
  delete FStream;
}

void TEMWParser::LoadMetaFile(TMetafile* MetaFile) {
  FStream->Clear();
  MetaFile->SaveToStream(FStream);
}

TSize TEMWParser::GetMetaFileSize() const {
  if (FStream->GetSize() < static_cast<Int64>(sizeof(ENHMETAHEADER))) throw TPDFException(SMetafileNotLoaded);
  ENHMETAHEADER header;
  std::memcpy(&header, FStream->GetMemory(), sizeof header);
  return TSize{static_cast<Integer>(std::lround(header.rclBounds.right * FDevScale)) + 1,
               static_cast<Integer>(std::lround(header.rclBounds.bottom * FDevScale)) + 1};
}

// ---------------------------------------------------------------------------------------------
// The walk

void TEMWParser::ResetState() {
  FTransform = kIdentity;
  FSavedTransforms.clear();
  FSaveDepth = 0;
  FMapMode = MM_TEXT;
  FWindowOrg = {0, 0};
  FViewportOrg = {0, 0};
  FWindowExt = {1, 1};
  FViewportExt = {1, 1};
  FCurrentPosition = TPoint(0, 0);
  FEvenOdd = true;
  FOpaque = true;
  FTextColor = 0;
  FBackColor = 0xFFFFFF;
  FVAlign = FHAlign = 0;
  FUpdateCP = false;
  FClip = false;
  FCounterClockwise = true;
  FPenStyle = PS_SOLID;
  FLineWidth = 0;
  FPenColor = 0;
  FBrushColor = 0;
  FNullBrush = false;
  FFont = LOGFONTA{};
  FFontChanged = true;
  FMetrics = TFontMetrics();
  FInText = FInPath = FHavePath = false;
  FFillWritten = 0;
  FStrokeWritten = 0;
  FWidthWritten = -1;
  FEndOfFile = false;
}

void TEMWParser::Execute() {
  const std::size_t total = static_cast<std::size_t>(FStream->GetSize());
  if (total < sizeof(ENHMETAHEADER)) throw TPDFException(SMetafileNotLoaded);
  const Byte* data = static_cast<const Byte*>(FStream->GetMemory());
  ENHMETAHEADER header;
  std::memcpy(&header, data, sizeof header);
  FObjects.assign(header.nHandles, TTableObject());

  FPrivateMetafile->Clear();
  FDC = FPrivateCanvas->GetHandle();
  ::SetGraphicsMode(FDC, GM_ADVANCED);
  FDeviceTransform = ::SetWorldTransform(FDC, &kIdentity) != 0;
  ResetState();
  // The font the context starts with, so that a restore that brings it back changes nothing.
  ::GetObjectA(::GetCurrentObject(FDC, OBJ_FONT), sizeof FFont, &FFont);

  struct Cleanup {
    TEMWParser* p;
    ~Cleanup() {
      // The context lets go of the table's objects before they are deleted, each once.
      ::SelectObject(p->FDC, ::GetStockObject(BLACK_PEN));
      ::SelectObject(p->FDC, ::GetStockObject(WHITE_BRUSH));
      ::SelectObject(p->FDC, ::GetStockObject(SYSTEM_FONT));
      for (TTableObject& o : p->FObjects)
        if (o.Handle) ::DeleteObject(o.Handle);
      p->FObjects.clear();
      p->FSavedTransforms.clear();
      p->FPrivateCanvas->Refresh();
    }
  } cleanup{this};

  // GDI's pens end and join lines round.
  FPage->AppendLine("1 J");
  FPage->AppendLine("1 j");

  std::size_t offset = 0;
  FRecordSize = header.nSize;
  while (!FEndOfFile) {
    offset += FRecordSize;
    // A record whose size leaves the data ends the walk: nothing after it can be found.
    if (offset + 8 > total) break;
    DWORD type, size;
    std::memcpy(&type, data + offset, 4);
    std::memcpy(&size, data + offset + 4, 4);
    if (size < 8 || size % 4 != 0 || size > total - offset) break;
    FRecord = data + offset;
    FRecordSize = size;
    // A record too short for its kind, or whose counts, bitmaps or object numbers overrun it, is
    // damaged: it is skipped and the walk goes on with the next one.
    if (!IsWholeEnhancedMetafileRecord(FRecord, size, header.nHandles)) continue;
    Dispatch(type);
  }
}

void TEMWParser::Dispatch(DWORD Type) {
  if (FInText && !KeepsTextObject(Type)) CloseTextObject();
  if ((Type == EMR_EXTTEXTOUTA || Type == EMR_EXTTEXTOUTW) && !FInText) OpenTextObject();
  switch (Type) {
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
      DoPoly(Type, false);
      break;
    case EMR_POLYBEZIER16:
      DoPoly(EMR_POLYBEZIER, true);
      break;
    case EMR_POLYGON16:
      DoPoly(EMR_POLYGON, true);
      break;
    case EMR_POLYLINE16:
      DoPoly(EMR_POLYLINE, true);
      break;
    case EMR_POLYBEZIERTO16:
      DoPoly(EMR_POLYBEZIERTO, true);
      break;
    case EMR_POLYLINETO16:
      DoPoly(EMR_POLYLINETO, true);
      break;
    case EMR_POLYPOLYLINE:
      DoPolyPoly(false, false);
      break;
    case EMR_POLYPOLYLINE16:
      DoPolyPoly(false, true);
      break;
    case EMR_POLYPOLYGON:
      DoPolyPoly(true, false);
      break;
    case EMR_POLYPOLYGON16:
      DoPolyPoly(true, true);
      break;
    case EMR_POLYDRAW:
      DoPolyDraw(false);
      break;
    case EMR_POLYDRAW16:
      DoPolyDraw(true);
      break;
    case EMR_SETWINDOWEXTEX:
      ::SetWindowExtEx(FDC, Field<LONG>(8), Field<LONG>(12), nullptr);
      RefreshMapping();
      break;
    case EMR_SETWINDOWORGEX:
      ::SetWindowOrgEx(FDC, Field<LONG>(8), Field<LONG>(12), nullptr);
      RefreshMapping();
      break;
    case EMR_SETVIEWPORTEXTEX:
      ::SetViewportExtEx(FDC, Field<LONG>(8), Field<LONG>(12), nullptr);
      RefreshMapping();
      break;
    case EMR_SETVIEWPORTORGEX:
      ::SetViewportOrgEx(FDC, Field<LONG>(8), Field<LONG>(12), nullptr);
      RefreshMapping();
      break;
    case EMR_EOF:
      FEndOfFile = true;
      break;
    case EMR_SETPIXELV:
      DoSetPixel();
      break;
    case EMR_SETMAPMODE:
      ::SetMapMode(FDC, Field<DWORD>(8));
      RefreshMapping();
      FFontChanged = true;
      break;
    case EMR_SETBKMODE:
      FOpaque = Field<DWORD>(8) != TRANSPARENT;
      ::SetBkMode(FDC, static_cast<int>(Field<DWORD>(8)));
      break;
    case EMR_SETPOLYFILLMODE:
      FEvenOdd = Field<DWORD>(8) == ALTERNATE;
      ::SetPolyFillMode(FDC, static_cast<int>(Field<DWORD>(8)));
      break;
    case EMR_SETSTRETCHBLTMODE:
      ::SetStretchBltMode(FDC, static_cast<int>(Field<DWORD>(8)));
      break;
    case EMR_SETTEXTALIGN:
      ::SetTextAlign(FDC, Field<DWORD>(8));
      DoSetTextAlign(Field<DWORD>(8));
      break;
    case EMR_SETTEXTCOLOR:
      FTextColor = Field<COLORREF>(8);
      ::SetTextColor(FDC, FTextColor);
      break;
    case EMR_SETBKCOLOR:
      FBackColor = Field<COLORREF>(8);
      ::SetBkColor(FDC, FBackColor);
      break;
    case EMR_MOVETOEX:
      DoMoveTo();
      break;
    case EMR_EXCLUDECLIPRECT:
      DoExcludeClipRect();
      break;
    case EMR_INTERSECTCLIPRECT:
      DoIntersectClipRect();
      break;
    case EMR_SAVEDC:
      DoSaveDC();
      break;
    case EMR_RESTOREDC:
      DoRestoreDC();
      break;
    case EMR_SETWORLDTRANSFORM:
      DoSetWorldTransform();
      break;
    case EMR_MODIFYWORLDTRANSFORM:
      DoModifyWorldTransform();
      break;
    case EMR_SELECTOBJECT:
      DoSelectObject();
      break;
    case EMR_CREATEPEN:
      DoCreatePen();
      break;
    case EMR_CREATEBRUSHINDIRECT:
      DoCreateBrush();
      break;
    case EMR_DELETEOBJECT:
      DoDeleteObject();
      break;
    case EMR_ANGLEARC:
      DoAngleArc();
      break;
    case EMR_ELLIPSE:
    case EMR_RECTANGLE:
    case EMR_ROUNDRECT:
      DoBox(Type);
      break;
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE:
      DoArcRecord(Type);
      break;
    case EMR_LINETO:
      DoLineTo();
      break;
    case EMR_ARCTO:
      DoArcTo();
      break;
    case EMR_SETARCDIRECTION:
      FCounterClockwise = Field<DWORD>(8) == AD_COUNTERCLOCKWISE;
      ::SetArcDirection(FDC, static_cast<int>(Field<DWORD>(8)));
      break;
    case EMR_BEGINPATH:
      DoBeginPath();
      break;
    case EMR_ENDPATH:
      FInPath = false;
      break;
    case EMR_CLOSEFIGURE:
      FPage->ClosePath();
      break;
    case EMR_FILLPATH:
    case EMR_STROKEANDFILLPATH:
    case EMR_STROKEPATH:
      DoPaintPath(Type);
      break;
    case EMR_SELECTCLIPPATH:
      DoSelectClipPath();
      break;
    case EMR_ABORTPATH:
      FPage->NewPath();
      FInPath = FHavePath = false;
      break;
    case EMR_EXTSELECTCLIPRGN:
      DoExtSelectClipRgn();
      break;
    case EMR_BITBLT:
      DoBitBlt();
      break;
    case EMR_STRETCHBLT:
      DoStretchBlt();
      break;
    case EMR_SETDIBITSTODEVICE:
      DoSetDIBitsToDevice();
      break;
    case EMR_STRETCHDIBITS:
      DoStretchDIBits();
      break;
    case EMR_EXTCREATEFONTINDIRECTW:
      DoCreateFont();
      break;
    case EMR_EXTTEXTOUTA:
      DoExtTextOut(false);
      break;
    case EMR_EXTTEXTOUTW:
      DoExtTextOut(true);
      break;
    case EMR_EXTCREATEPEN:
      DoExtCreatePen();
      break;
    default:
      // Everything else (comments, palettes, regions painted, other bit-block records ...)
      // draws nothing on the page.
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Mapping

// GDI takes a logical point through the world transform (its rotation and shear are not
// carried over), then from the window to the viewport; the device pixels are then the page's
// device units times FDevScale.
Extended TEMWParser::MapX(Extended X) const {
  const Extended world = X * FTransform.eM11 + FTransform.eDx;
  return ((world - FWindowOrg.x) * FViewportExt.cx / FWindowExt.cx + FViewportOrg.x) * FDevScale;
}

Extended TEMWParser::MapY(Extended Y) const {
  const Extended world = Y * FTransform.eM22 + FTransform.eDy;
  return ((world - FWindowOrg.y) * FViewportExt.cy / FWindowExt.cy + FViewportOrg.y) * FDevScale;
}

// Logical lengths to device pixels.
Extended TEMWParser::ScaleX() const {
  return std::fabs(static_cast<Extended>(FViewportExt.cx) / FWindowExt.cx * FTransform.eM11);
}

Extended TEMWParser::ScaleY() const {
  return std::fabs(static_cast<Extended>(FViewportExt.cy) / FWindowExt.cy * FTransform.eM22);
}

void TEMWParser::RefreshMapping() {
  FMapMode = ::GetMapMode(FDC);
  ::GetWindowOrgEx(FDC, &FWindowOrg);
  ::GetViewportOrgEx(FDC, &FViewportOrg);
  ::GetWindowExtEx(FDC, &FWindowExt);
  ::GetViewportExtEx(FDC, &FViewportExt);
  if (FWindowExt.cx == 0) FWindowExt.cx = 1;
  if (FWindowExt.cy == 0) FWindowExt.cy = 1;
  FMetrics.Valid = false;
}

void TEMWParser::SetTransform(const XFORM& Form) {
  // A new vertical scale makes another font size.
  if (Form.eM22 != FTransform.eM22) FFontChanged = true;
  FTransform = Form;
  FMetrics.Valid = false;
}

void TEMWParser::RefreshTransform() {
  XFORM form;
  if (::GetWorldTransform(FDC, &form)) SetTransform(form);
}

void TEMWParser::DoSetWorldTransform() {
  const XFORM form = Field<XFORM>(8);
  if (FDeviceTransform) {
    ::SetWorldTransform(FDC, &form);
    RefreshTransform();
  } else {
    SetTransform(form);
  }
}

void TEMWParser::DoModifyWorldTransform() {
  const XFORM form = Field<XFORM>(8);
  const DWORD mode = Field<DWORD>(32);
  if (FDeviceTransform) {
    ::ModifyWorldTransform(FDC, &form, mode);
    RefreshTransform();
    return;
  }
  switch (mode) {
    case MWT_IDENTITY: SetTransform(kIdentity); break;
    case MWT_LEFTMULTIPLY: SetTransform(Multiply(form, FTransform)); break;
    case MWT_RIGHTMULTIPLY: SetTransform(Multiply(FTransform, form)); break;
    case 4: SetTransform(form); break;  // MWT_SET
    default: break;
  }
}

// ---------------------------------------------------------------------------------------------
// Saved states

void TEMWParser::DoSaveDC() {
  ::SaveDC(FDC);
  ++FSaveDepth;
  if (!FDeviceTransform) FSavedTransforms.push_back(FTransform);
}

// The level is a saved state's number counted from the first (positive) or back from the last
// (negative). A level naming no saved state is a damaged record and changes nothing: restoring
// would end a clip the content never began.
void TEMWParser::DoRestoreDC() {
  const LONG level = Field<LONG>(8);
  if (level == 0 || level > FSaveDepth || level < -FSaveDepth) return;
  const Integer keep = level > 0 ? level - 1 : FSaveDepth + level;
  ::RestoreDC(FDC, level);
  FSaveDepth = keep;
  if (FDeviceTransform) {
    RefreshTransform();
  } else {
    SetTransform(FSavedTransforms[keep]);
    FSavedTransforms.resize(keep);
  }
  // Everything the restore brought back, as the context has it now.
  const Integer mapMode = ::GetMapMode(FDC);
  if (mapMode != FMapMode) FFontChanged = true;
  RefreshMapping();
  FOpaque = ::GetBkMode(FDC) != TRANSPARENT;
  FTextColor = ::GetTextColor(FDC);
  FBackColor = ::GetBkColor(FDC);
  FEvenOdd = ::GetPolyFillMode(FDC) == ALTERNATE;
  FCounterClockwise = ::GetArcDirection(FDC) == AD_COUNTERCLOCKWISE;
  POINT p;
  if (::GetCurrentPositionEx(FDC, &p)) FCurrentPosition = TPoint(p.x, p.y);
  if (FClip) EndClip();

  LOGPEN pen{};
  if (::GetObjectA(::GetCurrentObject(FDC, OBJ_PEN), sizeof pen, &pen) == sizeof pen) SelectPen(pen);
  LOGBRUSH brush{};
  if (::GetObjectA(::GetCurrentObject(FDC, OBJ_BRUSH), sizeof brush, &brush)) SelectBrush(brush);
  LOGFONTA font{};
  if (::GetObjectA(::GetCurrentObject(FDC, OBJ_FONT), sizeof font, &font) &&
      std::memcmp(&font, &FFont, sizeof font) != 0) {
    FFont = font;
    FFontChanged = true;
    FMetrics.Valid = false;
  }
  DoSetTextAlign(::GetTextAlign(FDC));
}

void TEMWParser::DoSetTextAlign(UINT Align) {
  switch (Align & TA_CENTER) {
    case TA_LEFT: FHAlign = 0; break;
    case TA_CENTER: FHAlign = 1; break;
    case TA_RIGHT: FHAlign = 2; break;
    default: break;
  }
  switch (Align & TA_BASELINE) {
    case TA_TOP: FVAlign = 0; break;
    case TA_BASELINE: FVAlign = 1; break;
    case TA_BOTTOM: FVAlign = 2; break;
    default: break;
  }
  FUpdateCP = (Align & TA_UPDATECP) != 0;
}

// ---------------------------------------------------------------------------------------------
// The object table

void TEMWParser::StoreObject(DWORD Index, HGDIOBJ Handle, const TTableObject& Description) {
  if (!Handle) return;
  TTableObject& entry = FObjects[Index];
  // An index used again without a deletion between: the earlier object goes now, so that
  // every object is deleted once.
  if (entry.Handle) ::DeleteObject(entry.Handle);
  entry = Description;
  entry.Handle = Handle;
}

void TEMWParser::DoCreatePen() {
  const DWORD index = Field<DWORD>(8);
  if (index >= FObjects.size()) return;
  TTableObject d;
  d.Type = OBJ_PEN;
  d.Pen.lopnStyle = Field<UINT>(12);
  d.Pen.lopnWidth.x = Field<LONG>(16);
  d.Pen.lopnColor = Field<COLORREF>(24);
  StoreObject(index, ::CreatePenIndirect(&d.Pen), d);
}

void TEMWParser::DoExtCreatePen() {
  const DWORD index = Field<DWORD>(8);
  if (index >= FObjects.size()) return;
  TTableObject d;
  d.Type = OBJ_PEN;
  d.Pen.lopnStyle = Field<DWORD>(28) & PS_STYLE_MASK;
  d.Pen.lopnWidth.x = static_cast<LONG>(Field<DWORD>(32));
  d.Pen.lopnColor = Field<COLORREF>(40);
  const int style = d.Pen.lopnStyle <= PS_INSIDEFRAME ? static_cast<int>(d.Pen.lopnStyle) : PS_SOLID;
  StoreObject(index, ::CreatePen(style, d.Pen.lopnWidth.x, d.Pen.lopnColor), d);
}

void TEMWParser::DoCreateBrush() {
  const DWORD index = Field<DWORD>(8);
  if (index >= FObjects.size()) return;
  TTableObject d;
  d.Type = OBJ_BRUSH;
  d.Brush.lbStyle = Field<UINT>(12);
  d.Brush.lbColor = Field<COLORREF>(16);
  d.Brush.lbHatch = Field<DWORD>(20);
  // The record holds solid, hatched and hollow brushes; anything else is made solid.
  if (d.Brush.lbStyle != BS_SOLID && d.Brush.lbStyle != BS_HATCHED && d.Brush.lbStyle != BS_NULL) {
    d.Brush.lbStyle = BS_SOLID;
    d.Brush.lbHatch = 0;
  }
  StoreObject(index, ::CreateBrushIndirect(&d.Brush), d);
}

void TEMWParser::DoCreateFont() {
  const DWORD index = Field<DWORD>(8);
  if (index >= FObjects.size() || !Fits(12, sizeof(LOGFONTW))) return;
  LOGFONTW wide;
  std::memcpy(&wide, At(12), sizeof wide);
  TTableObject d;
  d.Type = OBJ_FONT;
  // The measures and flags are laid out alike; the face name goes to the system code page.
  std::memcpy(&d.Font, &wide, offsetof(LOGFONTA, lfFaceName));
  wide.lfFaceName[LF_FACESIZE - 1] = 0;
  const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.lfFaceName, -1, d.Font.lfFaceName, LF_FACESIZE, nullptr,
                                      nullptr);
  if (n == 0) d.Font.lfFaceName[0] = 0;
  d.Font.lfFaceName[LF_FACESIZE - 1] = 0;
  StoreObject(index, ::CreateFontIndirectW(&wide), d);
}

void TEMWParser::DoDeleteObject() {
  const DWORD index = Field<DWORD>(8);
  if (index >= FObjects.size()) return;
  TTableObject& entry = FObjects[index];
  if (entry.Handle) ::DeleteObject(entry.Handle);
  entry = TTableObject();
}

void TEMWParser::DoSelectObject() {
  const DWORD index = Field<DWORD>(8);
  if (index & ENHMETA_STOCK_OBJECT) {
    const int stock = static_cast<int>(index & ~ENHMETA_STOCK_OBJECT);
    HGDIOBJ object = ::GetStockObject(stock);
    if (!object) return;
    ::SelectObject(FDC, object);
    switch (::GetObjectType(object)) {
      case OBJ_PEN: {
        LOGPEN pen{};
        if (::GetObjectA(object, sizeof pen, &pen)) SelectPen(pen);
        break;
      }
      case OBJ_BRUSH: {
        LOGBRUSH brush{};
        if (::GetObjectA(object, sizeof brush, &brush)) SelectBrush(brush);
        break;
      }
      case OBJ_FONT:
        if (stock >= OEM_FIXED_FONT && stock <= SYSTEM_FONT) {
          LOGFONTA font = FFont;
          std::memset(font.lfFaceName, 0, LF_FACESIZE);
          std::strcpy(font.lfFaceName, "Arial");
          SelectFont(font);
        }
        break;
      default:
        break;
    }
    return;
  }
  if (index >= FObjects.size() || !FObjects[index].Handle) return;
  const TTableObject& entry = FObjects[index];
  ::SelectObject(FDC, entry.Handle);
  switch (entry.Type) {
    case OBJ_PEN: SelectPen(entry.Pen); break;
    case OBJ_BRUSH: SelectBrush(entry.Brush); break;
    case OBJ_FONT: SelectFont(entry.Font); break;
    default: break;
  }
}

// ---------------------------------------------------------------------------------------------
// What the content has been told

void TEMWParser::ApplyFill(COLORREF Color) {
  if (FFillWritten == static_cast<Int64>(Color)) return;
  FFillWritten = Color;
  FPage->SetRGBFillColor(GetRValue(Color) / 255.0L, GetGValue(Color) / 255.0L, GetBValue(Color) / 255.0L);
}

void TEMWParser::ApplyBrush() {
  if (!FInText) ApplyFill(FBrushColor);
}

void TEMWParser::ApplyStroke() {
  if (FStrokeWritten != static_cast<Int64>(FPenColor)) {
    FStrokeWritten = FPenColor;
    FPage->SetRGBStrokeColor(GetRValue(FPenColor) / 255.0L, GetGValue(FPenColor) / 255.0L,
                             GetBValue(FPenColor) / 255.0L);
  }
  switch (FPenStyle) {
    case PS_SOLID:
    case PS_INSIDEFRAME: FPage->SetDash("[] 0"); break;
    case PS_DASH: FPage->SetDash("[8 8] 0"); break;
    case PS_DOT: FPage->SetDash("[2 2] 0"); break;
    case PS_DASHDOT: FPage->SetDash("[8 2 2 2] 0"); break;
    case PS_DASHDOTDOT: FPage->SetDash("[8 2 2 2 2 2] 0"); break;
    default: break;
  }
  if (FWidthWritten != FLineWidth) {
    FWidthWritten = FLineWidth;
    FPage->SetLineWidth(FLineWidth * FDevScale);
  }
}

void TEMWParser::ForgetState() {
  FFillWritten = -1;
  FStrokeWritten = -1;
  FWidthWritten = -1;
  FFontChanged = true;
}

void TEMWParser::CloseTextObject() {
  FPage->EndText();
  FInText = false;
}

void TEMWParser::OpenTextObject() {
  FPage->BeginText();
  FInText = true;
}

void TEMWParser::EndClip() {
  FClip = false;
  if (FInText) {
    FPage->EndText();
    FPage->GStateRestore();
    FPage->BeginText();
    ForgetState();
  } else {
    FPage->GStateRestore();
    ForgetState();
  }
}
