// Painting: the control canvas and its device contexts, the painted control classes and the
// hint window.
#include <algorithm>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/Forms.h"

namespace {

// The control canvases that hold a device context of their own, so that the contexts can be
// given back after each message (they are a scarce resource of the window system).
std::vector<TControlCanvas*>& CanvasList() {
  static auto* list = new std::vector<TControlCanvas*>;
  return *list;
}

}  // namespace

// --- TControlCanvas ------------------------------------------------------------------------------

TControlCanvas::TControlCanvas() = default;

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* AControl) {
  if (AControl == FControl) return;
  FreeHandle();
  FControl = AControl;
}

void TControlCanvas::CreateHandle() {
  if (!FControl) {
    inherited::CreateHandle();
    return;
  }
  if (!FDeviceContext) {
    FDeviceContext = FControl->GetDeviceContext(FWindowHandle);
    CanvasList().push_back(this);
  }
  SetHandle(FDeviceContext);
  UpdateTextFlags();
}

void TControlCanvas::FreeHandle() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  auto& list = CanvasList();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  ::ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  FWindowHandle = nullptr;
}

void TControlCanvas::UpdateTextFlags() {
  if (!FControl) return;
  if (FControl->UseRightToLeftReading())
    TextFlags |= ETO_RTLREADING;
  else
    TextFlags &= ~ETO_RTLREADING;
}

void FreeDeviceContexts() {
  auto& list = CanvasList();
  for (std::size_t i = list.size(); i-- > 0;) {
    if (i >= list.size()) continue;
    TControlCanvas* canvas = list[i];
    if (canvas->TryLock()) {
      canvas->FreeHandle();
      canvas->Unlock();
    }
  }
}

void FreeDeviceContext(HWND Window) {
  auto& list = CanvasList();
  for (std::size_t i = list.size(); i-- > 0;) {
    if (i >= list.size()) continue;
    TControlCanvas* canvas = list[i];
    if (canvas->GetWindowHandle() == Window) canvas->FreeHandle();
  }
}

// --- TGraphicControl -------------------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
  auto* canvas = new TControlCanvas;
  canvas->SetControl(this);
  FCanvas = canvas;
}

TGraphicControl::~TGraphicControl() { delete FCanvas; }

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT)
    WMPaint(Message);
  else
    inherited::Dispatch(Message);
}

// The parent paints its windowless children with WM_PAINT and the context in WParam, the
// origin moved to the child's corner and the clipping set to its rectangle.
void TGraphicControl::WMPaint(TMessage& Message) {
  HDC dc = TWMPaint{Message}.DC();
  if (!dc || GetComponentState().Contains(csDestroying)) return;
  TCanvasPaintScope scope(FCanvas, dc);
  Paint();
}

// --- TCustomControl ----------------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
  auto* canvas = new TControlCanvas;
  canvas->SetControl(this);
  FCanvas = canvas;
  ControlState << csCustomPaint;
}

TCustomControl::~TCustomControl() { delete FCanvas; }

void TCustomControl::PaintWindow(HDC DC) {
  TCanvasPaintScope scope(FCanvas, DC);
  static_cast<TControlCanvas*>(FCanvas)->UpdateTextFlags();
  Paint();
}

// --- THintWindow ------------------------------------------------------------------------------------

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clInfoBk);
  GetCanvas()->SetFont(Screen->GetHintFont());
  GetCanvas()->GetBrush()->SetStyle(bsClear);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WindowClass.style |= CS_SAVEBITS;
  Params.WndParent = Application->GetHandle();
}

void THintWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST: Message.Result = HTTRANSPARENT; break;
    default: inherited::Dispatch(Message);
  }
}

void THintWindow::Paint() {
  TRect r = GetClientRect();
  r.Left += 2;
  r.Top += 2;
  TCanvas* canvas = GetCanvas();
  canvas->GetFont()->SetColor(Screen->GetHintFont()->GetColor());
  canvas->GetBrush()->SetStyle(bsClear);
  const AnsiString text = GetText();
  canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  ::DrawTextA(canvas->GetHandle(), text.c_str(), -1, AsRECT(r),
              DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | UINT(DrawTextBiDiModeFlagsReadingOnly()));
}

TRect THintWindow::CalcHintRect(Integer MaxWidth, const AnsiString& AHint, void*) {
  TRect result = Rect(0, 0, MaxWidth, 0);
  TCanvas* canvas = GetCanvas();
  canvas->RequiredState({csHandleValid, csFontValid});
  ::DrawTextA(canvas->GetHandle(), AHint.c_str(), -1, AsRECT(result),
              DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | UINT(DrawTextBiDiModeFlagsReadingOnly()));
  result.Right += 6;
  result.Bottom += 2;
  return result;
}

void THintWindow::ActivateHint(TRect Rect, const AnsiString& AHint) {
  SetText(AHint);
  Rect.Bottom += 4;
  UpdateBoundsRect(Rect);
  const TRect desktop = Screen->GetDesktopRect();
  if (Rect.Top + FHeight > desktop.Bottom) Rect.Top = desktop.Bottom - FHeight;
  if (Rect.Left + FWidth > desktop.Right) Rect.Left = desktop.Right - FWidth;
  if (Rect.Left < desktop.Left) Rect.Left = desktop.Left;
  if (Rect.Top < desktop.Top) Rect.Top = desktop.Top;
  ::SetWindowPos(GetHandle(), HWND_TOPMOST, Rect.Left, Rect.Top, FWidth, FHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  Invalidate();
}

void THintWindow::ReleaseHandle() { DestroyHandle(); }

// Messages that end a hint: keys, clicks, commands, activation changes.
bool THintWindow::IsHintMsg(const MSG& Msg) {
  const UINT m = Msg.message;
  return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == CM_ACTIVATE || m == CM_DEACTIVATE || m == CM_APPKEYDOWN ||
         m == CM_APPSYSCOMMAND || m == WM_COMMAND || (m > WM_MOUSEMOVE && m <= WM_MOUSELAST) || m == WM_NCMOUSEMOVE;
}
