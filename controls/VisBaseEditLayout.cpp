// The owner-drawn edit's rectangles, its off-screen picture, backgrounds and frame.
#include "controls/VisBaseEdit.h"

#include "classlib/Handles.h"
#include "controls/VisObject.h"
#include "controls/visuxtheme.h"

namespace {


TRect Inflated(const TRect& R, Integer D) { return {R.Left - D, R.Top - D, R.Right + D, R.Bottom + D}; }

// The theme data of the system's edit class for a window, closed when it goes.
class EditTheme {
public:
  explicit EditTheme(HWND Window)
      : theme_(VisThemeLibrary.OpenThemeData ? VisThemeLibrary.OpenThemeData(Window, L"EDIT") : nullptr) {}
  ~EditTheme() {
    if (theme_) VisThemeLibrary.CloseThemeData(theme_);
  }
  EditTheme(const EditTheme&) = delete;
  EditTheme& operator=(const EditTheme&) = delete;
  HTHEME get() const { return theme_; }

private:
  HTHEME theme_;
};

}  // namespace

void TVisBaseEdit::Layout() {
  if (FUpdateLock > 0 || Loading(this)) return;
  DoLayout();
}

void TVisBaseEdit::LayoutBuffered() {
  if (!FBuffered) return;
  if (!FBufferBitmap) FBufferBitmap = new TBitmap;
  FBufferBitmap->SetSize(GetWidth(), GetHeight());
  FFrameRect = GetClientRect();
  EraseTextBackground(GetClientRect());
  DoLayout();
}

void TVisBaseEdit::DoLayout() {
  FFrameRect = GetClientRect();
  AdjustFrameRect(FFrameRect);
  FTextRect = FFrameRect;
  AdjustTextRect(FTextRect);
  FInnerRect = Inflated(FTextRect, -1);
  AfterLayout();
}

void TVisBaseEdit::AdjustFrameRect(TRect& Rect) {
  if (DrawsThemed() && GetBevel()->GetMode() == bmWindows && HandleAllocated()) {
    EditTheme theme(GetHandle());
    if (theme.get() && VisThemeLibrary.GetThemeBackgroundContentRect) {
      WindowDC dc(GetHandle());
      const TRect bounds = Rect;
      VisThemeLibrary.GetThemeBackgroundContentRect(theme.get(), dc, 1, EditThemeState(), AsRECT(bounds),
                                                    AsRECT(Rect));
      return;
    }
  }
  Rect = Inflated(Rect, -GetBevel()->GetBevelExtent());
}

bool TVisBaseEdit::DrawThemedFrame(TCanvas* Canvas, const TRect& Client) {
  if (!HandleAllocated()) return false;
  EditTheme theme(GetHandle());
  if (!theme.get()) return false;
  Canvas->RequiredState({csHandleValid});
  VisThemeLibrary.DrawThemeBackground(theme.get(), Canvas->GetHandle(), 1, EditThemeState(), AsRECT(Client),
                                      nullptr);
  return true;
}

TCanvas* TVisBaseEdit::DrawingCanvas() {
  TCanvas* canvas = FBuffered && FBufferBitmap ? FBufferBitmap->GetCanvas() : GetCanvas();
  canvas->SetFont(GetFont());
  return canvas;
}

void TVisBaseEdit::EraseTextBackground(const TRect& Rect) {
  TCanvas* canvas = FBuffered && FBufferBitmap ? FBufferBitmap->GetCanvas() : GetCanvas();
  if (IsTransparent() && DrawBackFX(canvas, Rect)) return;
  if (DrawsThemed()) {
    // The styles draw the whole edit; the part under Rect is taken from it.
    const TRect client = GetClientRect();
    TBitmap back;
    back.SetSize(std::max(client.Right, Rect.Right), std::max(client.Bottom, Rect.Bottom));
    if (DrawThemedFrame(back.GetCanvas(), client)) {
      canvas->CopyRect(Rect, back.GetCanvas(), Rect);
      return;
    }
  }
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->GetBrush()->SetColor(GetColor());
  canvas->FillRect(Rect);
}

Integer TVisBaseEdit::TextHeightOf(const AnsiString& Text) {
  Integer height = DrawingCanvas()->TextHeight(Text);
  switch (GetFont3D()->GetStyle()) {
    case tdSunkenShadow:
    case tdRaisedShadow:
    case tdShadow: height += GetFont3D()->GetShadowDepth(); break;
    default: break;
  }
  return height;
}

void TVisBaseEdit::SetCaretPosition(Integer X, Integer Y) {
  if (GetCaret()->GetStyle() == csUnder) Y += CaretTextHeight() - 3;
  if (GetCaret()->GetStyle() == csUnderBlock) Y += CaretTextHeight() - GetCaret()->GetHeight() - 2;
  ::SetCaretPos(X, Y);
}

void TVisBaseEdit::UnlockUpdate() {
  if (FUpdateLock > 0) --FUpdateLock;
  if (FUpdateLock == 0) PaintText(-1);
}

bool TVisBaseEdit::ThemedFlat() { return DrawsThemed() && GetFlat(); }

void TVisBaseEdit::WMSize(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Focused())
    LayoutBuffered();
  else
    Layout();
}

void TVisBaseEdit::CreateWnd() {
  inherited::CreateWnd();
  Layout();
}

void TVisBaseEdit::Paint() {
  if (FTextRect.Left == -1) Layout();
  // The background and the frame around the text; the text area is painted once, by PaintText.
  TCanvas* canvas = GetCanvas();
  canvas->RequiredState({csHandleValid});
  HDC dc = canvas->GetHandle();
  UniqueGdiObject saved(::CreateRectRgn(0, 0, 0, 0));
  const bool hadClip = ::GetClipRgn(dc, static_cast<HRGN>(saved.get())) == 1;
  ::ExcludeClipRect(dc, FTextRect.Left, FTextRect.Top, FTextRect.Right, FTextRect.Bottom);
  inherited::Paint();
  ::SelectClipRgn(dc, hadClip ? static_cast<HRGN>(saved.get()) : nullptr);
  if (!Loading(this)) PaintText(-1);
}

void TVisBaseEdit::PaintBackground(TCanvas* Canvas) {
  if (DrawsThemed() && !IsTransparent() && DrawThemedFrame(Canvas, GetClientRect())) return;
  inherited::PaintBackground(Canvas);
}

void TVisBaseEdit::PaintBorder(TCanvas* Canvas) {
  if (DrawsThemed() && GetBevel()->GetMode() == bmWindows) return;
  inherited::PaintBorder(Canvas);
}

void TVisBaseEdit::RedrawBorder() {
  if (!HandleAllocated()) return;
  // A styled frame shows the edit's state; it is painted with the background.
  if (DrawsThemed())
    Invalidate();
  else
    inherited::RedrawBorder();
}

void TVisBaseEdit::GetChange(TObject* Sender) {
  inherited::GetChange(Sender);
  if (Focused())
    LayoutBuffered();
  else
    Layout();
  Invalidate();
  if (Focused()) PlaceCaret();
}

void TVisBaseEdit::BackFXChanged(TObject*) {
  if (!Loading(this)) PaintText(-1);
}
