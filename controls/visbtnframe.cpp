// Button frames of every style, themed or not.
#include "controls/visbtnframe.h"

#include "classlib/Bitmaps.h"
#include "classlib/Controls.h"
#include "controls/visclass.h"
#include "controls/visgraph.h"

namespace {

enum class Kind { Win31, Win40, Win40Plain, Delphi, Flat, Integrated, Themed };

Kind KindOf(TVisUserButtonStyle Style, Word Flags) {
  switch (Style) {
    case ubsWin31: return Kind::Win31;
    case ubsWin40: return (Flags & bfFull3D) ? Kind::Win40 : Kind::Win40Plain;
    case ubsDelphi: return Kind::Delphi;
    case ubsIntegrated: return Kind::Integrated;
    case ubsWinXP:
    case ubsWinXPCombo:
    case ubsWinXPTool: return Kind::Themed;
    default: return Kind::Flat;  // ubsDelphiFlat .. ubsExplorerColored
  }
}

bool IsDown(Integer State) { return State == 3 || State == 4 || State == 6 || State == 7; }

TRect Inset(const TRect& R, Integer By) { return {R.Left + By, R.Top + By, R.Right - By, R.Bottom - By}; }

// A one-pixel outline in Color (solid pen, clear brush).
void Outline(TCanvas* Canvas, const TRect& R, TColor Color) {
  TBrush* brush = Canvas->GetBrush();
  brush->SetStyle(bsSolid);
  brush->SetColor(Color);
  Canvas->FrameRect(R);
}

void Line(TCanvas* Canvas, TColor Color, TPoint From, TPoint To) {
  TPen* pen = Canvas->GetPen();
  pen->SetStyle(psSolid);
  pen->SetWidth(1);
  pen->SetColor(Color);
  Canvas->MoveTo(From.X, From.Y);
  Canvas->LineTo(To.X, To.Y);
}

// The dark outer frame of Windows 3.1 buttons and of focused and default buttons: sunken outer
// edge at the top and left, raised outer edge at the bottom and right. With Rounded its corner
// pixels take the face colour. R shrinks by one pixel.
void OuterFrame(TCanvas* Canvas, TRect& R, UINT Middle, bool Rounded) {
  HDC dc = Canvas->GetHandle();
  ::DrawEdge(dc, AsRECT(R), BDR_SUNKENOUTER, BF_SOFT | BF_TOPLEFT | Middle);
  ::DrawEdge(dc, AsRECT(R), BDR_RAISEDOUTER, BF_BOTTOMRIGHT | Middle);
  if (Rounded) {
    Canvas->SetPixels(R.Left, R.Top, clBtnFace);
    Canvas->SetPixels(R.Right - 1, R.Top, clBtnFace);
    Canvas->SetPixels(R.Left, R.Bottom - 1, clBtnFace);
    Canvas->SetPixels(R.Right - 1, R.Bottom - 1, clBtnFace);
  }
  R = Inset(R, 1);
}

}  // namespace

bool DrawButtonFrame(TCanvas* Canvas, bool MouseInside, TRect& Rect, TColor Color, Word Flags, Integer State,
                     TVisUserButtonStyle Style) {
  if (Style == ubsAutoDetect) Style = LOBYTE(LOWORD(::GetVersion())) >= 4 ? ubsWin40 : ubsWin31;
  const Kind kind = KindOf(Style, Flags);
  const bool down = IsDown(State);
  const bool hot = MouseInside;
  const bool explorer = Style == ubsExplorer || Style == ubsExplorerColored;
  const TRect incoming = Rect;
  TRect r = Rect;

  TBrush* brush = Canvas->GetBrush();
  const auto fillFace = [&] {
    brush->SetStyle(bsSolid);
    if (State == 3 && !(kind == Kind::Flat && hot) && VisApplication)
      brush->SetBitmap(VisApplication->GetPatternBitmap(Color));
    else
      brush->SetColor(Color);
    Canvas->FillRect(r);
    brush->SetBitmap(nullptr);
  };
  if (!explorer) fillFace();

  const UINT middle = (Flags & bfMiddle) ? BF_MIDDLE : 0;
  Canvas->RequiredState({csHandleValid, csPenValid, csBrushValid});
  HDC dc = Canvas->GetHandle();
  const auto edge = [&](UINT type, UINT flags) { ::DrawEdge(dc, AsRECT(r), type, flags | middle); };

  if (!down && (Flags & (bfFocused | bfDefault))) {
    OuterFrame(Canvas, r, middle, kind == Kind::Win31 && (Flags & bfRounded));
    Flags &= static_cast<Word>(~bfRounded);
  }

  switch (kind) {
    case Kind::Win31:
      OuterFrame(Canvas, r, middle, (Flags & bfRounded) != 0);
      if (down) {
        edge(BDR_SUNKENINNER, BF_TOPLEFT);
      } else {
        edge(BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        edge(BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
      }
      break;
    case Kind::Win40:
      if (!down)
        DrawBorderEdge(Canvas, r, lsRaisedspb);
      else if (Flags & bfSunkenDown)
        edge(EDGE_SUNKEN, BF_RECT);
      else
        DrawBorderEdge(Canvas, r, lsLowered);
      break;
    case Kind::Win40Plain:
      if (down) {
        Outline(Canvas, r, clBlack);
        Outline(Canvas, Inset(r, 1), TColor(0x808080));
      } else if (Flags & bfFocused) {
        edge(BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST);
        edge(BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
      } else {
        DrawBorderEdge(Canvas, r, lsRaisedspb);
      }
      break;
    case Kind::Flat: {
      const bool outlined = Style == ubsDelphiFlat || Style == ubsNavigator;
      if (down) {
        if (outlined) {
          Outline(Canvas, r, clBlack);
          r = Inset(r, 1);
        }
        edge(BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
      } else if (hot) {
        if (outlined) {
          Outline(Canvas, r, clBlack);
          r = Inset(r, 1);
        }
        edge(BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
      } else if (!explorer) {
        fillFace();
      }
      break;
    }
    case Kind::Delphi:
      Outline(Canvas, r, clBlack);
      if (down) {
        Line(Canvas, TColor(0x808080), Point(r.Left + 1, r.Bottom - 2), Point(r.Left + 1, r.Top + 1));
        Line(Canvas, TColor(0x808080), Point(r.Left + 1, r.Top + 1), Point(r.Right - 1, r.Top + 1));
      } else {
        r = Inset(r, 1);
        edge(BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
      }
      break;
    case Kind::Integrated:
      if (down) {
        Outline(Canvas, r, TColor(0x808080));
      } else {
        // Rings from the outside in: black; the face colour at the top and left; white; dark
        // grey at the right and bottom.
        Outline(Canvas, r, clBlack);
        const TRect second = Inset(r, 1);
        Line(Canvas, clBtnFace, Point(second.Left, second.Bottom - 1), Point(second.Left, second.Top));
        Line(Canvas, clBtnFace, Point(second.Left, second.Top), Point(second.Right, second.Top));
        const TRect third = Inset(r, 2);
        Outline(Canvas, third, clWhite);
        const TRect fourth = Inset(r, 3);
        Line(Canvas, TColor(0x808080), Point(fourth.Right - 1, fourth.Top), Point(fourth.Right - 1, fourth.Bottom - 1));
        Line(Canvas, TColor(0x808080), Point(fourth.Right - 1, fourth.Bottom - 1), Point(fourth.Left - 1, fourth.Bottom - 1));
      }
      break;
    case Kind::Themed: break;
  }

  if (Flags & bfFocused) {
    brush->SetStyle(bsClear);
    Canvas->DrawFocusRect(Inset(incoming, down ? 4 : 3));
  }
  Rect = Inset(incoming, 3);
  if (down) Rect = {Rect.Left + 1, Rect.Top + 1, Rect.Right + 1, Rect.Bottom + 1};
  return true;
}

bool DrawThemedButton(TControl* Control, TCanvas* Canvas, bool MouseInside, Word Flags, Integer State, TColor Color,
                      TVisUserButtonStyle Style, TRect& Rect) {
  const bool themed = VisApplication && VisApplication->GetUseXPThemes();
  if (Style == ubsAutoDetect && themed) Style = ubsWinXP;
  if (!themed) {
    if (Style == ubsWinXP) Style = ubsWin40;
    if (Style == ubsWinXPCombo) Style = ubsIntegrated;
    if (Style == ubsWinXPTool) Style = ubsExplorerColored;
  }
  if (Style != ubsWinXP && Style != ubsWinXPCombo && Style != ubsWinXPTool)
    return DrawButtonFrame(Canvas, MouseInside, Rect, Color, Flags, State, Style);

  HWND window = nullptr;
  if (auto* windowed = dynamic_cast<TWinControl*>(Control))
    window = windowed->GetHandle();
  else if (Control && Control->GetParent())
    window = Control->GetParent()->GetHandle();
  const wchar_t* themeClass = Style == ubsWinXP ? L"BUTTON" : Style == ubsWinXPCombo ? L"COMBOBOX" : L"TOOLBAR";
  HTHEME theme = VisThemeLibrary.OpenThemeData ? VisThemeLibrary.OpenThemeData(window, themeClass) : nullptr;
  if (!theme) {
    // The theme has no data for the class: the style's look without themes.
    const TVisUserButtonStyle plain = Style == ubsWinXP ? ubsWin40 : Style == ubsWinXPCombo ? ubsIntegrated
                                                                                             : ubsExplorerColored;
    return DrawButtonFrame(Canvas, MouseInside, Rect, Color, Flags, State, plain);
  }

  int part = 1;
  if (Style == ubsWinXPTool && (Flags & bfSplit)) part = (Flags & bfSplitArrow) ? 4 : 3;
  int state = 1;
  if (MouseInside) state = 2;
  if (IsDown(State)) state = 3;
  if (State == 1 || State == 7) state = 4;

  const TRect incoming = Rect;
  TRect r = Rect;
  if (Style == ubsWinXP) r = {r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
  Canvas->RequiredState({csHandleValid});
  VisThemeLibrary.DrawThemeBackground(theme, Canvas->GetHandle(), part, state, AsRECT(r), nullptr);
  if (Flags & bfFocused) {
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->DrawFocusRect({incoming.Left + 3, incoming.Top + 3, incoming.Right - 3, incoming.Bottom - 3});
  }
  VisThemeLibrary.CloseThemeData(theme);
  Rect = incoming;
  return true;
}
