#include "richtext/core/CtrlImg.h"

#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"
#include "richtext/core/UVItem.h"

// Printing a control item asks for its picture here unless the print component supplies one.
TUVControlImageFunc UVGetControlImage = &GetControlImage;

namespace {

// The text of an edit box or memo the way the control shows it: on the control's font, in the
// rectangle left inside its border.
void DrawEditText(TCustomEdit* Edit, TCanvas* Canvas, RECT R, UINT Format) {
  Canvas->GetBrush()->SetColor(Edit->GetColor());
  Canvas->GetBrush()->SetStyle(bsSolid);
  TRect all = Rect(R.left, R.top, R.right, R.bottom);
  Canvas->FillRect(all);
  if (Edit->GetBorderStyle() == bsSingle) {
    if (Edit->GetCtl3D()) {
      ::DrawEdge(Canvas->GetHandle(), &R, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    } else {
      Canvas->GetBrush()->SetColor(clWindowFrame);
      Canvas->FrameRect(all);
      ::InflateRect(&R, -1, -1);
    }
  }
  ::InflateRect(&R, -1, -1);
  Canvas->GetFont()->Assign(Edit->GetFont());
  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  HDC dc = Canvas->GetHandle();
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Edit->GetFont()->GetColor())));
  AnsiString text = Edit->GetText();
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &R, Format);
}

}  // namespace

TBitmap* GetControlImage(TControl* Control) {
  auto* bitmap = new TBitmap;
  try {
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(Control->GetWidth(), Control->GetHeight());
    DrawControlImage(Control, bitmap->GetCanvas(), 0, 0);
  } catch (...) {
    delete bitmap;
    throw;
  }
  return bitmap;
}

void DrawControlImage(TControl* Control, TCanvas* Canvas, Integer X, Integer Y) {
  RECT r{X, Y, X + Control->GetWidth(), Y + Control->GetHeight()};
  if (auto* button = dynamic_cast<TButton*>(Control)) {
    HDC dc = Canvas->GetHandle();
    ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
    Canvas->GetFont()->Assign(button->GetFont());
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(button->GetFont()->GetColor())));
    AnsiString caption = button->GetCaption();
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  } else if (auto* edit = dynamic_cast<TEdit*>(Control)) {
    DrawEditText(edit, Canvas, r, DT_SINGLELINE | DT_EDITCONTROL);
  } else if (auto* memo = dynamic_cast<TMemo*>(Control)) {
    UINT alignment = memo->GetAlignment() == taRightJustify ? DT_RIGHT
                     : memo->GetAlignment() == taCenter      ? DT_CENTER
                                                              : DT_LEFT;
    DrawEditText(memo, Canvas, r, DT_EDITCONTROL | alignment);
  } else if (auto* panel = dynamic_cast<TPanel*>(Control)) {
    panel->PaintTo(Canvas, X, Y);
    for (Integer i = 0; i < panel->GetControlCount(); ++i) {
      TControl* child = panel->GetControls(i);
      DrawControlImage(child, Canvas, X + child->GetLeft(), Y + child->GetTop());
    }
  } else if (auto* windowed = dynamic_cast<TWinControl*>(Control)) {
    windowed->PaintTo(Canvas, X, Y);
  }
}
