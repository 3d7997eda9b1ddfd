// The form styler: the title bar painted with a gradient and a caption of its own.
#include "controls/VisFormStyler.h"

#include <cstring>

#include "classlib/Bitmaps.h"
#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "controls/VisObject.h"
#include "controls/VisOneInstance.h"
#include "controls/viscaption.h"
#include "controls/visgradient.h"
#include "controls/vissysinfo.h"
#include "controls/visuxtheme.h"

PUBLISHED(TVisFormStyler) {
  Prop("About", &TVisFormStyler::About).Stored(false);
  Prop("Alignment", &TVisFormStyler::GetAlignment, &TVisFormStyler::SetAlignment).Default(taLeftJustify);
  Prop("Colors", &TVisFormStyler::GetColors, &TVisFormStyler::SetColors).Default(32);
  Prop("Enabled", &TVisFormStyler::GetEnabled, &TVisFormStyler::SetEnabled).Default(true);
  Prop("Font", &TVisFormStyler::GetFont, &TVisFormStyler::SetFont);
  Prop("Font3D", &TVisFormStyler::GetFont3D, &TVisFormStyler::SetFont3D);
  Prop("PaintMode", &TVisFormStyler::GetPaintMode, &TVisFormStyler::SetPaintMode).Default(pcControl);
  Prop("Options", &TVisFormStyler::GetOptions, &TVisFormStyler::SetOptions)
      .Default(TVisFormStyleOptions{fsAdjustRect, fsUseDefaultFont, fsUseFormCaption, fsCheckSystemGradient});
  Prop("OnPaint", &TVisFormStyler::OnPaint);
  Prop("OnCaptionPaint", &TVisFormStyler::OnCaptionPaint);
}

bool visformstyler_detail::RegisterClasses() {
  if (!GetClass("TVisFormStyler")) RegisterClass(TVisFormStyler::StaticClass());
  return true;
}

namespace {

// Gradient captions came with Windows 98 and 2000; themes draw their own captions.
bool SystemDrawsGradients() {
  if (IsWin98() || IsWinME()) return true;
  if (IsNT() && MajorVersion() >= 5) return true;
  return ThemesAvailable();
}

// The system's caption font (of tool windows when Small).
void UseCaptionFont(TFont* Font, bool Small) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
  const LOGFONTA& font = Small ? metrics.lfSmCaptionFont : metrics.lfCaptionFont;
  const TColor color = Font->GetColor();
  Font->SetHandle(::CreateFontIndirectA(&font));
  Font->SetColor(color);
}

// The window's small icon, as the system would show it in the caption.
HICON CaptionIcon(HWND Wnd) {
  for (WPARAM kind : {WPARAM(ICON_SMALL), WPARAM(ICON_BIG)})
    if (auto icon = reinterpret_cast<HICON>(::SendMessageA(Wnd, WM_GETICON, kind, 0))) return icon;
  if (auto icon = reinterpret_cast<HICON>(::GetClassLongPtrA(Wnd, GCLP_HICONSM))) return icon;
  if (auto icon = reinterpret_cast<HICON>(::GetClassLongPtrA(Wnd, GCLP_HICON))) return icon;
  if (Application && Application->GetIcon()->GetHandle()) return Application->GetIcon()->GetHandle();
  // The system shows its logo when a window names no icon.
  return ::LoadIconA(nullptr, IDI_WINLOGO);
}

// The kind of each caption button in the order of the caption metrics (rightmost first).
void DrawCaptionButtons(HDC DC, HWND Wnd, const TVisCaptionMetrics& Metrics, TPoint Offset) {
  const LONG style = ::GetWindowLongA(Wnd, GWL_STYLE);
  const bool boxes = (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) != 0;
  for (Integer i = 0; i < Metrics.ButtonCount; ++i) {
    UINT kind = DFCS_CAPTIONCLOSE;
    bool enabled = true;
    if (i == 0) {
      HMENU menu = ::GetSystemMenu(Wnd, FALSE);
      const UINT state = menu ? ::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) : 0;
      enabled = state == UINT(-1) || !(state & (MF_GRAYED | MF_DISABLED));
    } else if (!boxes) {
      kind = DFCS_CAPTIONHELP;
    } else if (i == 1) {
      kind = ::IsZoomed(Wnd) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX;
      enabled = (style & WS_MAXIMIZEBOX) != 0;
    } else {
      kind = ::IsIconic(Wnd) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN;
      enabled = (style & WS_MINIMIZEBOX) != 0;
    }
    RECT r = *AsRECT(Metrics.Buttons[i]);
    ::OffsetRect(&r, -Offset.X, -Offset.Y);
    ::DrawFrameControl(DC, &r, DFC_CAPTION, kind | (enabled ? 0 : DFCS_INACTIVE));
  }
}

}  // namespace

TVisFormStyler::TVisFormStyler(TComponent* AOwner)
    : TVisWndProcComponent(AOwner), FFont(new TFont), FFont3D(new TVis3DCaption), FWork(new TBitmap) {
  if (GetComponentState().Contains(csDesigning) && CheckOwner(AOwner, ClassType(), false)) {
    delete FWork;
    delete FFont3D;
    delete FFont;
    throw VisEOneInstError(ClassName(), 0);
  }
  // An MDI frame's caption is on the form's own window, not on its client window.
  UseFormHandle = true;
  FSystemGradient = SystemDrawsGradients();
  FFont->OnChange = TNotifyEvent(this, &TVisFormStyler::PartChanged);
  FFont3D->OnChange = TNotifyEvent(this, &TVisFormStyler::PartChanged);
}

TVisFormStyler::~TVisFormStyler() {
  Unhook();
  FFont->OnChange = nullptr;
  FFont3D->OnChange = nullptr;
  delete FWork;
  delete FFont3D;
  delete FFont;
}

TCustomForm* TVisFormStyler::Form() const { return dynamic_cast<TCustomForm*>(GetOwner()); }

void TVisFormStyler::PartChanged(TObject*) {
  if (PaintingOn()) PaintCaption();
}

void TVisFormStyler::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  if (PaintingOn()) PaintCaption();
}

void TVisFormStyler::SetColors(Byte Value) {
  if (Value == FColors) return;
  FColors = Value;
  if (FPaintMode == pcControl) PaintCaption();
}

void TVisFormStyler::SetFont3D(TVis3DCaption* Value) { FFont3D->Assign(Value); }

void TVisFormStyler::SetPaintMode(TVisPaintMode Value) {
  if (Value == FPaintMode) return;
  FPaintMode = Value;
  Redraw();
}

void TVisFormStyler::SetOptions(TVisFormStyleOptions Value) {
  if (Value == FOptions) return;
  const bool hadFormCaption = FOptions.Contains(fsUseFormCaption);
  FOptions = Value;
  if (GetHooked() && hadFormCaption != FOptions.Contains(fsUseFormCaption)) {
    if (hadFormCaption)
      HoldCaption();
    else
      GiveCaptionBack();
  }
  Redraw();
}

void TVisFormStyler::Redraw() {
  if (PaintingOn()) {
    PaintCaption();
    return;
  }
  // The system paints the frame again; the activation state stays what it is.
  if (HWND wnd = GetHookedWindow()) ::SendMessageA(wnd, WM_NCACTIVATE, FActive ? 1 : 0, 0);
}

void TVisFormStyler::HoldCaption() {
  TCustomForm* form = Form();
  if (!form || FCaptionHeld) return;
  FSavedCaption = form->GetCaption();
  FCaptionHeld = true;
  form->SetCaption(" ");
}

void TVisFormStyler::GiveCaptionBack() {
  if (!FCaptionHeld) return;
  FCaptionHeld = false;
  TCustomForm* form = Form();
  if (form && form->HandleAllocated() && !form->GetComponentState().Contains(csDestroying))
    form->SetCaption(FSavedCaption);
}

void TVisFormStyler::Hook() {
  if (!GetEnabled() || GetHooked()) return;
  inherited::Hook();
  HWND wnd = GetHookedWindow();
  if (!wnd) return;
  FActive = ::GetActiveWindow() == wnd;
  if (!FOptions.Contains(fsUseFormCaption)) HoldCaption();
  if (!GetComponentState().Contains(csLoading)) PaintCaption();
}

void TVisFormStyler::Unhook() {
  const bool wasHooked = GetHooked();
  HWND wnd = GetHookedWindow();
  inherited::Unhook();
  FWork->SetSize(0, 0);
  GiveCaptionBack();
  if (wasHooked && wnd && ::IsWindow(wnd) && !GetComponentState().Contains(csDestroying))
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

void TVisFormStyler::WndProc(TMessage& Message) {
  if (!GetEnabled() || !PaintingOn() || GetDestroying()) {
    inherited::WndProc(Message);
    return;
  }
  const bool paint = [&] { return FActive || FOptions.Contains(fsInactiveGradient); }();
  switch (Message.Msg) {
    case WM_GETTEXT:
      if (FOptions.Contains(fsUseFormCaption)) break;
      // The system draws a blank caption; the styler draws the text.
      if (Message.WParam >= 2) {
        std::memcpy(reinterpret_cast<char*>(Message.LParam), " ", 2);
        Message.Result = 1;
      } else {
        Message.Result = 0;
      }
      return;
    case WM_GETTEXTLENGTH:
      if (FOptions.Contains(fsUseFormCaption)) break;
      Message.Result = 1;
      return;
    case WM_NCPAINT:
      inherited::WndProc(Message);
      if (paint) PaintCaption();
      Message.Result = 0;
      return;
    case WM_NCACTIVATE:
      FActive = Message.WParam != 0;
      inherited::WndProc(Message);
      if (FActive || FOptions.Contains(fsInactiveGradient)) PaintCaption();
      Message.Result = 1;
      return;
    case WM_SETTEXT:
      // The system draws the new caption straight away, without a paint message. (The form's
      // own SetCaption performs the message past this hook; whoever uses it redraws the frame.)
      inherited::WndProc(Message);
      if (paint) PaintCaption();
      return;
    default: break;
  }
  inherited::WndProc(Message);
}

void TVisFormStyler::PaintCaption() {
  TCustomForm* form = Form();
  if (!form || !form->HandleAllocated()) return;
  if (GetComponentState().Contains(csDesigning) || !GetEnabled() || FPaintMode == pcNone || FPainting) return;
  HWND wnd = form->GetHandle();
  if ((::IsIconic(wnd) && !NewShell()) || !::IsWindowVisible(wnd)) return;
  if (FSystemGradient && FOptions.Contains(fsCheckSystemGradient) && ColorDepth() > 8) return;
  const LONG style = ::GetWindowLongA(wnd, GWL_STYLE);
  if ((style & WS_CAPTION) != WS_CAPTION) return;
  const TVisCaptionMetrics metrics = GetCaptionMetrics(wnd);
  const TRect& caption = metrics.Caption;
  if (caption.Width() <= 0 || caption.Height() <= 0) return;
  FPainting = true;
  ScopeExit done([this] { FPainting = false; });

  const AnsiString text = FOptions.Contains(fsUseFormCaption) || !FCaptionHeld ? form->GetCaption() : FSavedCaption;
  const TPoint origin = caption.TopLeft();
  FWork->SetPixelFormat(pf24bit);
  FWork->SetSize(caption.Width(), caption.Height());
  TCanvas* canvas = FWork->GetCanvas();
  const TRect area = Rect(0, 0, caption.Width(), caption.Height());

  // The background: the event's picture, or the gradient from the caption colour towards the
  // system's second caption colour (where the system has none of its own, towards the caption
  // colour lightened halfway to white, so that dark and light caption texts stay readable).
  if (FPaintMode == pcOwnerDraw && OnPaint) {
    OnPaint(this, canvas, area);
  } else {
    const TColor start = FActive ? clActiveCaption : clInactiveCaption;
    TColor end = FActive ? clGradientActiveCaption : clGradientInactiveCaption;
    if (ColorToRGB(end) == ColorToRGB(start)) end = InterpolateColor(start, clWhite, 1, 2);
    DrawGradientList(canvas, area, start, end, FColors, gstHorizontal, 0);
  }

  canvas->RequiredState({csHandleValid});
  HDC dc = canvas->GetHandle();
  if (metrics.Icon.Width() > 0) {
    const TRect icon = metrics.Icon;
    ::DrawIconEx(dc, icon.Left - origin.X, icon.Top - origin.Y, CaptionIcon(wnd), icon.Width(), icon.Height(), 0,
                 nullptr, DI_NORMAL);
  }
  DrawCaptionButtons(dc, wnd, metrics, origin);

  TRect textRect = Rect(2, 0, area.Right - 2, area.Bottom);
  if (FOptions.Contains(fsAdjustRect)) {
    if (metrics.Icon.Width() > 0) textRect.Left = metrics.Icon.Right - origin.X + 2;
    if (metrics.ButtonCount > 0) textRect.Right = metrics.Buttons[metrics.ButtonCount - 1].Left - origin.X - 2;
  }
  if (FOptions.Contains(fsDrawCaptionEvent) && OnCaptionPaint) {
    OnCaptionPaint(this, canvas, textRect);
  } else {
    canvas->GetFont()->Assign(FFont);
    if (FOptions.Contains(fsUseDefaultFont))
      UseCaptionFont(canvas->GetFont(), (::GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0);
    if (!FOptions.Contains(fsUseFontColor)) canvas->GetFont()->SetColor(FActive ? clCaptionText : clInactiveCaptionText);
    canvas->GetBrush()->SetStyle(bsClear);
    const UINT align = FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    Draw3DText(canvas, text, FFont3D, nullptr, cfEnabled, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | align,
               textRect);
  }

  WholeWindowDC windowDC(wnd);
  if (windowDC) ::BitBlt(windowDC, caption.Left, caption.Top, caption.Width(), caption.Height(), dc, 0, 0, SRCCOPY);
}
