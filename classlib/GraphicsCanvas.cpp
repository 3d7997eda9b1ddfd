// TCanvas: drawing with a font, pen and brush on a device context.
#include "classlib/Bitmaps.h"
#include "classlib/Graphics.h"
#include "classlib/Handles.h"
#include "classlib/Pictures.h"
#include "classlib/SysUtils.h"

namespace {

constexpr int kPenModes[] = {R2_BLACK,       R2_WHITE,       R2_NOP,         R2_NOT,
                             R2_COPYPEN,     R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                             R2_MERGENOTPEN, R2_MASKNOTPEN,  R2_MERGEPEN,    R2_NOTMERGEPEN,
                             R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,      R2_NOTXORPEN};

// Destination AND NOT source: clears the destination where the (monochrome) source is set.
constexpr DWORD kCanvasRopDSna = 0x00220326;

const TCanvasState kAllValid{csHandleValid, csFontValid, csPenValid, csBrushValid};

}  // namespace

TCanvas::TCanvas() {
  ::InitializeCriticalSection(&FLock);
  FFont = new TFont;
  FFont->OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
  FPen = new TPen;
  FPen->OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
  FBrush = new TBrush;
  FBrush->OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
  delete FFont;
  delete FPen;
  delete FBrush;
  ::DeleteCriticalSection(&FLock);
}

Integer TCanvas::DeviceCaps(Integer Index) { return ::GetDeviceCaps(GetHandle(), Index); }

HDC TCanvas::GetHandle() {
  Changing();
  RequiredState(kAllValid);
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (FHandle == Value) return;
  if (FHandle) {
    // A position left by TextOut belongs to the old context.
    FPending = PendingPen::None;
    DeselectHandles();
    FHandle = nullptr;
    FState.Exclude(csHandleValid);
  }
  if (Value) {
    FHandle = Value;
    FState.Include(csHandleValid);
  }
}

void TCanvas::DeselectHandles() {
  if (FHandle) {
    if (FSelectedFont) {
      ResolvePendingWidth();
      ::SelectObject(FHandle, ::GetStockObject(SYSTEM_FONT));
    }
    if (FSelectedPen) ::SelectObject(FHandle, ::GetStockObject(BLACK_PEN));
    if (FSelectedBrush) ::SelectObject(FHandle, ::GetStockObject(HOLLOW_BRUSH));
  }
  for (classlib_detail::GdiResource** slot : {&FSelectedFont, &FSelectedPen, &FSelectedBrush})
    if (*slot) {
      classlib_detail::ReleaseResource(*slot);
      *slot = nullptr;
    }
  FState -= TCanvasState{csFontValid, csPenValid, csBrushValid};
}

void TCanvas::RequiredState(TCanvasState ReqState) {
  const TCanvasState need = ReqState - FState;
  if (need.Empty()) return;
  if (need.Contains(csHandleValid)) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
    FState.Include(csHandleValid);
  }
  if (need.Contains(csFontValid)) SelectFont();
  if (need.Contains(csPenValid)) SelectPen();
  if (need.Contains(csBrushValid)) SelectBrush();
  FState += need;
}

// Keeps a reference to the resource whose object the context now holds (and lets the previous
// one go), so that the object is not deleted while selected.
void TCanvas::Select(classlib_detail::GdiResource*& Slot, classlib_detail::GdiResource* Resource) {
  if (Slot == Resource) return;
  classlib_detail::RetainResource(Resource);
  if (Slot) classlib_detail::ReleaseResource(Slot);
  Slot = Resource;
}

void TCanvas::SelectFont() {
  HFONT font = FFont->GetHandle();
  if (::GetCurrentObject(FHandle, OBJ_FONT) != font) {
    // The text TextOut left the pen after must be measured in its own font.
    ResolvePendingWidth();
    ::SelectObject(FHandle, font);
  }
  Select(FSelectedFont, FFont->FResource);
  const COLORREF color = static_cast<COLORREF>(ColorToRGB(FFont->GetColor()));
  if (::GetTextColor(FHandle) != color) ::SetTextColor(FHandle, color);
}

void TCanvas::SelectPen() {
  HPEN pen = FPen->GetHandle();
  if (::GetCurrentObject(FHandle, OBJ_PEN) != pen) ::SelectObject(FHandle, pen);
  Select(FSelectedPen, FPen->FResource);
  const int rop = kPenModes[FPen->GetMode()];
  if (::GetROP2(FHandle) != rop) ::SetROP2(FHandle, rop);
}

void TCanvas::SelectBrush() {
  HBRUSH brush = FBrush->GetHandle();
  if (::GetCurrentObject(FHandle, OBJ_BRUSH) != brush) ::SelectObject(FHandle, brush);
  Select(FSelectedBrush, FBrush->FResource);
  // A solid brush also paints the background of text and hatches; any other leaves it alone.
  // The background colour of a hatched brush must differ from the brush colour, or some
  // drivers draw no hatch.
  const COLORREF color = static_cast<COLORREF>(ColorToRGB(FBrush->GetColor()));
  COLORREF back;
  int mode;
  if (FBrush->GetStyle() == bsSolid) {
    back = color;
    mode = OPAQUE;
  } else {
    back = ~color & 0x00FFFFFF;
    mode = TRANSPARENT;
  }
  if (::GetBkColor(FHandle) != back) ::SetBkColor(FHandle, back);
  if (::GetBkMode(FHandle) != mode) ::SetBkMode(FHandle, mode);
}

void TCanvas::FontChanged(TObject*) { FState.Exclude(csFontValid); }
void TCanvas::PenChanged(TObject*) { FState.Exclude(csPenValid); }
void TCanvas::BrushChanged(TObject*) { FState.Exclude(csBrushValid); }

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

void TCanvas::ResolvePendingWidth() {
  if (FPending != PendingPen::AfterText) return;
  SIZE size{};
  if (FPendingWide)
    ::GetTextExtentPoint32W(FHandle, FPendingWideText.data(), static_cast<int>(FPendingWideText.size()), &size);
  else
    ::GetTextExtentPoint32A(FHandle, FPendingText.data(), static_cast<int>(FPendingText.size()), &size);
  FPendingPos.X += size.cx;
  FPending = PendingPen::At;
  FPendingText.clear();
  FPendingWideText.clear();
}

void TCanvas::FlushPenPos() {
  if (FPending == PendingPen::None) return;
  ResolvePendingWidth();
  ::MoveToEx(FHandle, FPendingPos.X, FPendingPos.Y, nullptr);
  FPending = PendingPen::None;
}

TPoint TCanvas::GetPenPos() {
  RequiredState({csHandleValid});
  if (FPending != PendingPen::None) {
    RequiredState({csFontValid});
    ResolvePendingWidth();
    return FPendingPos;
  }
  TPoint p;
  ::GetCurrentPositionEx(FHandle, AsPOINT(p));
  return p;
}

TRect TCanvas::GetClipRect() {
  RequiredState({csHandleValid});
  TRect r;
  ::GetClipBox(FHandle, AsRECT(r));
  return r;
}

TColor TCanvas::GetPixels(Integer X, Integer Y) {
  RequiredState({csHandleValid});
  return static_cast<TColor>(::GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(Integer X, Integer Y, TColor Value) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  ::SetPixel(FHandle, X, Y, static_cast<COLORREF>(ColorToRGB(Value)));
  Changed();
}

void TCanvas::Lock() {
  ::EnterCriticalSection(&FLock);
  ++FLockCount;
}

bool TCanvas::TryLock() {
  if (!::TryEnterCriticalSection(&FLock)) return false;
  ++FLockCount;
  return true;
}

void TCanvas::Unlock() {
  --FLockCount;
  ::LeaveCriticalSection(&FLock);
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::MoveTo(Integer X, Integer Y) {
  Changing();
  RequiredState({csHandleValid});
  FPending = PendingPen::None;
  ::MoveToEx(FHandle, X, Y, nullptr);
  Changed();
}

void TCanvas::LineTo(Integer X, Integer Y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  FlushPenPos();
  ::LineTo(FHandle, X, Y);
  Changed();
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::FillRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FillRect(FHandle, AsRECT(Rect), FBrush->GetHandle());
  Changed();
}

void TCanvas::FrameRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FrameRect(FHandle, AsRECT(Rect), FBrush->GetHandle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::DrawFocusRect(FHandle, AsRECT(Rect));
  Changed();
}

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Chord(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Polygon(const TPoint* Points, Integer Count) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polygon(FHandle, AsPOINT(*Points), Count);
  Changed();
}

void TCanvas::Polyline(const TPoint* Points, Integer Count) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polyline(FHandle, AsPOINT(*Points), Count);
  Changed();
}

void TCanvas::PolyBezier(const TPoint* Points, Integer Count) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::PolyBezier(FHandle, AsPOINT(*Points), static_cast<DWORD>(Count));
  Changed();
}

void TCanvas::PolyBezierTo(const TPoint* Points, Integer Count) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  FlushPenPos();
  ::PolyBezierTo(FHandle, AsPOINT(*Points), static_cast<DWORD>(Count));
  Changed();
}

void TCanvas::FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::ExtFloodFill(FHandle, X, Y, static_cast<COLORREF>(ColorToRGB(Color)),
                 FillStyle == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
  Changed();
}

void TCanvas::TextOut(Integer X, Integer Y, const AnsiString& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ::ExtTextOutA(FHandle, X, Y, static_cast<UINT>(TextFlags), nullptr, Text.data(), static_cast<UINT>(Text.size()),
                nullptr);
  FPending = PendingPen::AfterText;
  FPendingPos = {X, Y};
  FPendingText = Text;
  FPendingWide = false;
  Changed();
}

void TCanvas::TextOut(Integer X, Integer Y, const WideString& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ::ExtTextOutW(FHandle, X, Y, static_cast<UINT>(TextFlags), nullptr, Text.data(), static_cast<UINT>(Text.size()),
                nullptr);
  FPending = PendingPen::AfterText;
  FPendingPos = {X, Y};
  FPendingWideText = Text;
  FPendingWide = true;
  Changed();
}

void TCanvas::TextRect(const TRect& Rect, Integer X, Integer Y, const AnsiString& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED | static_cast<UINT>(TextFlags);
  if (FBrush->GetStyle() != bsClear) options |= ETO_OPAQUE;
  ::ExtTextOutA(FHandle, X, Y, options, AsRECT(Rect), Text.data(), static_cast<UINT>(Text.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& Rect, Integer X, Integer Y, const WideString& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED | static_cast<UINT>(TextFlags);
  if (FBrush->GetStyle() != bsClear) options |= ETO_OPAQUE;
  ::ExtTextOutW(FHandle, X, Y, options, AsRECT(Rect), Text.data(), static_cast<UINT>(Text.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const AnsiString& Text) {
  RequiredState({csHandleValid, csFontValid});
  TSize size;
  ::GetTextExtentPoint32A(FHandle, Text.data(), static_cast<int>(Text.size()), reinterpret_cast<SIZE*>(&size));
  return size;
}

TSize TCanvas::TextExtent(const WideString& Text) {
  RequiredState({csHandleValid, csFontValid});
  TSize size;
  ::GetTextExtentPoint32W(FHandle, Text.data(), static_cast<int>(Text.size()), reinterpret_cast<SIZE*>(&size));
  return size;
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->GetEmpty()) return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, Rect(X, Y, X + Graphic->GetWidth(), Y + Graphic->GetHeight()));
  Changed();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
  if (!Graphic || Graphic->GetEmpty()) return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, Rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  Canvas->RequiredState({csHandleValid, csBrushValid});
  ::StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Canvas->FHandle, Source.Left, Source.Top,
               Source.Width(), Source.Height(), static_cast<DWORD>(CopyMode));
  Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
  if (!Bitmap || Bitmap->GetEmpty()) return;
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  const int sw = Source.Width(), sh = Source.Height();
  HDC src = Bitmap->GetCanvas()->GetHandle();

  // The mask is set where the bitmap has the colour: a colour-to-monochrome copy sets the
  // pixels that equal the source's background colour.
  UniqueGdiObject mask(::CreateBitmap(sw, sh, 1, 1, nullptr));
  UniqueMemoryDC maskDC(::CreateCompatibleDC(nullptr));
  if (!mask || !maskDC) GDIError();
  SelectedObject maskSelected(maskDC.get(), mask.get());
  const COLORREF oldSrcBack = ::SetBkColor(src, static_cast<COLORREF>(ColorToRGB(Color)));
  ::BitBlt(maskDC.get(), 0, 0, sw, sh, src, Source.Left, Source.Top, SRCCOPY);
  ::SetBkColor(src, oldSrcBack);

  // The bitmap's pixels with the masked ones made black.
  WindowDC screen;
  UniqueGdiObject pixels(::CreateCompatibleBitmap(screen, sw, sh));
  UniqueMemoryDC pixelsDC(::CreateCompatibleDC(screen));
  if (!pixels || !pixelsDC) GDIError();
  SelectedObject pixelsSelected(pixelsDC.get(), pixels.get());
  ::BitBlt(pixelsDC.get(), 0, 0, sw, sh, src, Source.Left, Source.Top, SRCCOPY);
  ::SetTextColor(pixelsDC.get(), RGB(0, 0, 0));
  ::SetBkColor(pixelsDC.get(), RGB(255, 255, 255));
  ::BitBlt(pixelsDC.get(), 0, 0, sw, sh, maskDC.get(), 0, 0, kCanvasRopDSna);

  // The brush, kept where the mask is set, with the other pixels added. Monochrome sources
  // take the destination's text colour for 0 and its background colour for 1.
  const int dx = Dest.Left, dy = Dest.Top, dw = Dest.Width(), dh = Dest.Height();
  ::PatBlt(FHandle, dx, dy, dw, dh, PATCOPY);
  const COLORREF oldText = ::SetTextColor(FHandle, RGB(0, 0, 0));
  const COLORREF oldBack = ::SetBkColor(FHandle, RGB(255, 255, 255));
  ::StretchBlt(FHandle, dx, dy, dw, dh, maskDC.get(), 0, 0, sw, sh, SRCAND);
  ::StretchBlt(FHandle, dx, dy, dw, dh, pixelsDC.get(), 0, 0, sw, sh, SRCPAINT);
  ::SetTextColor(FHandle, oldText);
  ::SetBkColor(FHandle, oldBack);
  Changed();
}
