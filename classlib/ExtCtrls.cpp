// Panels, bevels, images, radio groups, splitters and scroll boxes.
#include "classlib/ExtCtrls.h"

#include <algorithm>
#include <cmath>

#include "classlib/Handles.h"
#include "classlib/Icons.h"
#include "classlib/Metafiles.h"

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width) {
  TPen* pen = Canvas->GetPen();
  pen->SetWidth(1);
  Rect.Bottom -= 1;
  Rect.Right -= 1;
  for (Integer i = 0; i < Width; ++i) {
    pen->SetColor(TopColor);
    Canvas->Polyline({Point(Rect.Left, Rect.Bottom), Point(Rect.Left, Rect.Top), Point(Rect.Right, Rect.Top)});
    pen->SetColor(BottomColor);
    Canvas->Polyline({Point(Rect.Right, Rect.Top), Point(Rect.Right, Rect.Bottom), Point(Rect.Left - 1, Rect.Bottom)});
    Rect.Left += 1;
    Rect.Top += 1;
    Rect.Right -= 1;
    Rect.Bottom -= 1;
  }
  Rect.Bottom += 1;
  Rect.Right += 1;
}

// ---- TBevel ----

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  ControlStyle << csReplicatable;
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
  if (Value == FShape) return;
  FShape = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* canvas = GetCanvas();
  TColor shadow = clBtnShadow, light = clBtnHighlight;
  if (FStyle == bsRaised) std::swap(shadow, light);
  TPen* pen = canvas->GetPen();
  pen->SetWidth(1);
  auto rect = [&](TColor top, TColor bottom, const TRect& r) {
    pen->SetColor(top);
    canvas->Polyline({Point(r.Left, r.Bottom), Point(r.Left, r.Top), Point(r.Right, r.Top)});
    pen->SetColor(bottom);
    canvas->Polyline({Point(r.Right, r.Top), Point(r.Right, r.Bottom), Point(r.Left, r.Bottom)});
  };
  auto line = [&](TColor color, Integer x1, Integer y1, Integer x2, Integer y2) {
    pen->SetColor(color);
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
  };
  const Integer w = FWidth, h = FHeight;
  switch (FShape) {
    case bsBox: rect(shadow, light, Rect(0, 0, w - 1, h - 1)); break;
    case bsFrame:
      // Two boxes, one pixel apart, look like a groove (or a ridge when raised).
      rect(light, light, Rect(1, 1, w - 1, h - 1));
      rect(shadow, shadow, Rect(0, 0, w - 2, h - 2));
      break;
    case bsTopLine:
      line(shadow, 0, 0, w, 0);
      line(light, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(shadow, 0, h - 2, w, h - 2);
      line(light, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(shadow, 0, 0, 0, h);
      line(light, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(shadow, w - 2, 0, w - 2, h);
      line(light, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}

// ---- TCustomPanel ----

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                               csDoubleClicks, csReplicatable};
  SetBounds(0, 0, 185, 41);
  SetParentColor(false);
  SetColor(clBtnFace);
}

void TCustomPanel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); break;
    default: inherited::Dispatch(Message);
  }
}

// Sizing repaints only what is new (the class has no CS_HREDRAW or CS_VREDRAW), but the bevels
// and the centred caption move with the edges: the whole panel is painted again, or the old
// bevel stays behind as a line across it.
void TCustomPanel::WMWindowPosChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  const auto* wp = TWMWindowPosChanged{Message}.WindowPos();
  if (wp && !(wp->flags & SWP_NOSIZE) && HandleAllocated()) Invalidate();
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  AddBorderStyle(Params, FBorderStyle, GetCtl3D());
  // Sizing repaints only what is new; WMWindowPosChanged adds what moved.
  Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

// The children stay inside the bevels and the border between them (which the inherited rule
// takes off).
void TCustomPanel::AdjustClientRect(TRect& Rect) {
  inherited::AdjustClientRect(Rect);
  Integer size = 0;
  if (FBevelOuter != bvNone) size += FBevelWidth;
  if (FBevelInner != bvNone) size += FBevelWidth;
  Rect.Left += size;
  Rect.Top += size;
  Rect.Right -= size;
  Rect.Bottom -= size;
}

void TCustomPanel::Paint() {
  TCanvas* canvas = GetCanvas();
  TRect rect = GetClientRect();
  auto bevel = [&](TPanelBevel kind) {
    const TColor top = kind == bvLowered ? clBtnShadow : clBtnHighlight;
    const TColor bottom = kind == bvLowered ? clBtnHighlight : clBtnShadow;
    Frame3D(canvas, rect, top, bottom, FBevelWidth);
  };
  if (FBevelOuter != bvNone) bevel(FBevelOuter);
  Frame3D(canvas, rect, GetColor(), GetColor(), GetBorderWidth());
  if (FBevelInner != bvNone) bevel(FBevelInner);
  canvas->GetBrush()->SetColor(GetColor());
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->FillRect(rect);
  const AnsiString caption = GetText();
  if (caption.empty()) return;
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->SetFont(GetFont());
  const Integer fontHeight = canvas->TextHeight("W");
  rect.Top = (rect.Bottom + rect.Top - fontHeight) / 2;
  rect.Bottom = rect.Top + fontHeight;
  static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  const UINT flags = static_cast<UINT>(DrawTextBiDiModeFlags(DT_EXPANDTABS | DT_VCENTER | alignments[FAlignment]));
  HDC dc = canvas->GetHandle();
  ::SetBkMode(dc, TRANSPARENT);
  ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), AsRECT(rect), flags);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
  if (Value == FBevelInner) return;
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(Integer Value) {
  if (Value < 1 || Value == FBevelWidth) return;
  FBevelWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  Invalidate();
}

// ---- TImage ----

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(new TPicture) {
  ControlStyle << csReplicatable;
  FPicture->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { delete FPicture; }

TRect TImage::DestRect() {
  Integer w = FPicture->GetWidth(), h = FPicture->GetHeight();
  const Integer cw = GetClientWidth(), ch = GetClientHeight();
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      const double aspect = static_cast<double>(w) / h;
      if (w > h) {
        w = cw;
        h = static_cast<Integer>(cw / aspect);
        if (h > ch) {
          h = ch;
          w = static_cast<Integer>(ch * aspect);
        }
      } else {
        h = ch;
        w = static_cast<Integer>(ch * aspect);
        if (w > cw) {
          w = cw;
          h = static_cast<Integer>(cw / aspect);
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r = Rect(0, 0, w, h);
  if (FCenter) {
    const Integer dx = (cw - w) / 2, dy = (ch - h) / 2;
    r = Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
  }
  return r;
}

void TImage::Paint() {
  if (TGraphic* graphic = FPicture->GetGraphic()) GetCanvas()->StretchDraw(DestRect(), graphic);
}

bool TImage::CanAutoSize(Integer& NewWidth, Integer& NewHeight) {
  if (FPicture->GetWidth() > 0 && FPicture->GetHeight() > 0) {
    const TAlign align = GetAlign();
    if (align == alNone || align == alLeft || align == alRight) NewWidth = FPicture->GetWidth();
    if (align == alNone || align == alTop || align == alBottom) NewHeight = FPicture->GetHeight();
  }
  return true;
}

void TImage::SetAutoSize(bool Value) {
  if (Value == GetAutoSize()) return;
  FAutoSize = Value;
  if (Value) PictureChanged(this);
}

void TImage::PictureChanged(TObject*) {
  if (GetAutoSize() && FPicture->GetWidth() > 0 && FPicture->GetHeight() > 0)
    SetBounds(FLeft, FTop, FPicture->GetWidth(), FPicture->GetHeight());
  TGraphic* graphic = FPicture->GetGraphic();
  // An opaque picture that covers the whole control hides what is behind it.
  bool opaque = false;
  if (graphic) {
    if (!graphic->InheritsFrom(TMetafile::StaticClass()) && !graphic->InheritsFrom(TIcon::StaticClass()))
      graphic->SetTransparent(FTransparent);
    const TRect dest = DestRect();
    opaque = !graphic->GetTransparent() && dest.Left <= 0 && dest.Top <= 0 && dest.Right >= FWidth &&
             dest.Bottom >= FHeight;
  }
  if (opaque)
    ControlStyle.Include(csOpaque);
  else
    ControlStyle.Exclude(csOpaque);
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  if (Value == FCenter) return;
  FCenter = Value;
  PictureChanged(this);
}

void TImage::SetStretch(bool Value) {
  if (Value == FStretch) return;
  FStretch = Value;
  PictureChanged(this);
}

void TImage::SetProportional(bool Value) {
  if (Value == FProportional) return;
  FProportional = Value;
  PictureChanged(this);
}

void TImage::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  PictureChanged(this);
}

// ---- TCustomRadioGroup ----

// A radio button of a radio group: its clicks choose the group's line.
class TRadioGroupButton : public TRadioButton {
  CLASS_INFO(TRadioGroupButton, TRadioButton)
public:
  explicit TRadioGroupButton(TCustomRadioGroup* group) : TRadioButton(group), FGroup(group) {
    group->FButtons.push_back(this);
    SetVisible(false);
    SetEnabled(group->GetEnabled());
    SetParentShowHint(false);
    SetParent(group);
  }
  ~TRadioGroupButton() override {
    auto& buttons = FGroup->FButtons;
    buttons.erase(std::remove(buttons.begin(), buttons.end(), this), buttons.end());
  }

  void Click() override {
    if (FInClick) return;
    FInClick = true;
    ScopeExit clicked([this] { FInClick = false; });
    if (GetChecked()) FGroup->ButtonClick(this);
  }

  void Dispatch(TMessage& Message) override {
    // The group may refuse a change by the user.
    if (Message.Msg == CN_COMMAND && !FGroup->CanModify()) return;
    inherited::Dispatch(Message);
  }

private:
  TCustomRadioGroup* FGroup;
  bool FInClick = false;
};

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner), FItems(new TStringList) {
  ControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FItems->OnChange = TNotifyEvent(this, &TCustomRadioGroup::ItemsChange);
}

TCustomRadioGroup::~TCustomRadioGroup() {
  FItems->OnChange = nullptr;
  // The buttons take themselves out of the list as they go, which they must do while it is
  // still there.
  while (!FButtons.empty()) delete FButtons.back();
  delete FItems;
}

void TCustomRadioGroup::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    default: inherited::Dispatch(Message);
  }
}

TRadioButton* TCustomRadioGroup::GetButton(Integer Index) const {
  if (Index < 0 || Index >= static_cast<Integer>(FButtons.size())) return nullptr;
  return FButtons[static_cast<std::size_t>(Index)];
}

// The buttons in columns under the caption's line, each column filled from the top.
void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty() || FReading) return;
  TEXTMETRICA metrics{};
  {
    WindowDC dc(nullptr);
    SelectedObject font(dc, GetFont()->GetHandle());
    ::GetTextMetricsA(dc, &metrics);
  }
  const Integer count = static_cast<Integer>(FButtons.size());
  const Integer perColumn = (count + FColumns - 1) / FColumns;
  const Integer buttonWidth = (FWidth - 10) / FColumns;
  const Integer room = FHeight - metrics.tmHeight - 5;
  const Integer buttonHeight = room / perColumn;
  const Integer topMargin = metrics.tmHeight + 1 + (room % perColumn) / 2;
  for (Integer i = 0; i < count; ++i) {
    TRadioGroupButton* button = FButtons[static_cast<std::size_t>(i)];
    button->SetBiDiMode(GetBiDiMode());
    Integer left = (i / perColumn) * buttonWidth + 8;
    if (UseRightToLeftAlignment()) left = GetClientWidth() - left - buttonWidth;
    button->SetBounds(left, (i % perColumn) * buttonHeight + topMargin, buttonWidth, buttonHeight);
    button->SetVisible(true);
  }
}

void TCustomRadioGroup::ButtonClick(TRadioGroupButton* Sender) {
  if (FUpdating) return;
  auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
  FItemIndex = it == FButtons.end() ? -1 : static_cast<Integer>(it - FButtons.begin());
  Click();
}

void TCustomRadioGroup::ItemsChange(TObject*) {
  if (FReading) return;
  if (FItemIndex >= FItems->GetCount()) FItemIndex = FItems->GetCount() - 1;
  UpdateButtons();
}

void TCustomRadioGroup::Loaded() {
  inherited::Loaded();
  ArrangeButtons();
}

void TCustomRadioGroup::ReadState(TReader* Reader) {
  FReading = true;
  inherited::ReadState(Reader);
  FReading = false;
  UpdateButtons();
}

void TCustomRadioGroup::Resize() {
  inherited::Resize();
  ArrangeButtons();
}

void TCustomRadioGroup::SetButtonCount(Integer Value) {
  while (static_cast<Integer>(FButtons.size()) < Value) new TRadioGroupButton(this);
  while (static_cast<Integer>(FButtons.size()) > Value) delete FButtons.back();
}

void TCustomRadioGroup::SetColumns(Integer Value) {
  Value = std::clamp(Value, 1, 16);
  if (Value == FColumns) return;
  FColumns = Value;
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::SetItemIndex(Integer Value) {
  if (FReading) {
    FItemIndex = Value;
    return;
  }
  if (Value < -1) Value = -1;
  if (Value >= static_cast<Integer>(FButtons.size())) Value = static_cast<Integer>(FButtons.size()) - 1;
  if (Value == FItemIndex) return;
  if (FItemIndex >= 0) FButtons[static_cast<std::size_t>(FItemIndex)]->SetChecked(false);
  FItemIndex = Value;
  // Checking the button clicks it, which runs the group's OnClick.
  if (FItemIndex >= 0) FButtons[static_cast<std::size_t>(FItemIndex)]->SetChecked(true);
}

void TCustomRadioGroup::UpdateButtons() {
  SetButtonCount(FItems->GetCount());
  for (std::size_t i = 0; i < FButtons.size(); ++i) FButtons[i]->SetCaption(FItems->GetStrings(static_cast<Integer>(i)));
  if (FItemIndex >= 0) {
    FUpdating = true;
    FButtons[static_cast<std::size_t>(FItemIndex)]->SetChecked(true);
    FUpdating = false;
  }
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::CMEnabledChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  for (TRadioGroupButton* button : FButtons) button->SetEnabled(GetEnabled());
}

void TCustomRadioGroup::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  ArrangeButtons();
}

// ---- TSplitter ----

namespace {

// The brush of the dotted line drawn while dragging: alternate black and white pixels.
HBRUSH NewPatternBrush() {
  static const WORD bits[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  UniqueGdiObject bitmap(::CreateBitmap(8, 8, 1, 1, bits));
  return ::CreatePatternBrush(static_cast<HBITMAP>(bitmap.get()));
}

}  // namespace

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetAlign(alLeft);
  SetWidth(3);
  SetCursor(crHSplit);
}

TSplitter::~TSplitter() {
  ReleaseLineDC();
  if (FBrush) ::DeleteObject(FBrush);
}

void TSplitter::Paint() {
  TCanvas* canvas = GetCanvas();
  TRect r = GetClientRect();
  canvas->GetBrush()->SetColor(GetColor());
  canvas->FillRect(r);
  if (!Beveled) return;
  if (GetAlign() == alLeft || GetAlign() == alRight)
    r = Rect(r.Left + 1, r.Top - 2, r.Right - 1, r.Bottom + 2);
  else
    r = Rect(r.Left - 2, r.Top + 1, r.Right + 2, r.Bottom - 1);
  r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  canvas->GetBrush()->SetColor(clBtnHighlight);
  canvas->FrameRect(r);
  r = Rect(r.Left - 2, r.Top - 2, r.Right - 2, r.Bottom - 2);
  canvas->GetBrush()->SetColor(clBtnShadow);
  canvas->FrameRect(r);
}

TControl* TSplitter::FindControl() {
  TPoint p = Point(FLeft, FTop);
  switch (GetAlign()) {
    case alLeft: p.X -= 1; break;
    case alRight: p.X += FWidth; break;
    case alTop: p.Y -= 1; break;
    case alBottom: p.Y += FHeight; break;
    default: return nullptr;
  }
  TWinControl* parent = GetParent();
  if (!parent) return nullptr;
  for (Integer i = 0; i < parent->GetControlCount(); ++i) {
    TControl* c = parent->GetControls(i);
    if (c == this || !c->GetVisible() || !c->GetEnabled()) continue;
    TRect r = c->GetBoundsRect();
    const bool before = GetAlign() == alTop || GetAlign() == alLeft;
    // A control closed to nothing is still found at its edge.
    if (r.Width() == 0) (before ? r.Left : r.Right) += before ? -1 : 1;
    if (r.Height() == 0) (before ? r.Top : r.Bottom) += before ? -1 : 1;
    if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) return c;
  }
  return nullptr;
}

bool TSplitter::DoCanResize(Integer& NewSize) {
  bool accept = true;
  if (OnCanResize) OnCanResize(this, NewSize, accept);
  if (accept && NewSize <= FMinSize && AutoSnap) NewSize = 0;
  return accept;
}

void TSplitter::CalcSplitSize(Integer X, Integer Y, Integer& NewSize, Integer& Split) {
  const bool horizontal = GetAlign() == alLeft || GetAlign() == alRight;
  Split = horizontal ? X - FDownPos.X : Y - FDownPos.Y;
  Integer size = 0;
  switch (GetAlign()) {
    case alLeft: size = FControl->GetWidth() + Split; break;
    case alRight: size = FControl->GetWidth() - Split; break;
    case alTop: size = FControl->GetHeight() + Split; break;
    case alBottom: size = FControl->GetHeight() - Split; break;
    default: break;
  }
  NewSize = std::clamp(size, FMinSize, std::max(FMaxSize, FMinSize));
  if (size != NewSize) Split += (GetAlign() == alRight || GetAlign() == alBottom) ? size - NewSize : NewSize - size;
}

void TSplitter::UpdateSize(Integer X, Integer Y) { CalcSplitSize(X, Y, FNewSize, FSplit); }

void TSplitter::UpdateControlSize() {
  if (FNewSize == FOldSize) return;
  TWinControl* parent = GetParent();
  switch (GetAlign()) {
    case alLeft: FControl->SetWidth(FNewSize); break;
    case alTop: FControl->SetHeight(FNewSize); break;
    case alRight:
      parent->DisableAlign();
      FControl->SetBounds(FControl->GetLeft() + FControl->GetWidth() - FNewSize, FControl->GetTop(), FNewSize,
                          FControl->GetHeight());
      parent->EnableAlign();
      break;
    case alBottom:
      parent->DisableAlign();
      FControl->SetBounds(FControl->GetLeft(), FControl->GetTop() + FControl->GetHeight() - FNewSize,
                          FControl->GetWidth(), FNewSize);
      parent->EnableAlign();
      break;
    default: break;
  }
  Update();
  if (OnMoved) OnMoved(this);
  FOldSize = FNewSize;
}

void TSplitter::RequestAlign() {
  inherited::RequestAlign();
  const TCursor cursor = GetCursor();
  if (cursor != crHSplit && cursor != crVSplit) return;
  SetCursor(GetAlign() == alTop || GetAlign() == alBottom ? crVSplit : crHSplit);
}

void TSplitter::AllocateLineDC() {
  FLineWnd = GetParent()->GetHandle();
  FLineDC = ::GetDCEx(FLineWnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
  if (ResizeStyle == rsPattern) {
    if (!FBrush) FBrush = NewPatternBrush();
    FPrevBrush = static_cast<HBRUSH>(::SelectObject(FLineDC, FBrush));
  }
}

// Shows or hides (the same inverting draw twice) the line where the edge will go.
void TSplitter::DrawLine() {
  FLineVisible = !FLineVisible;
  TPoint p = Point(FLeft, FTop);
  if (GetAlign() == alLeft || GetAlign() == alRight)
    p.X = FLeft + FSplit;
  else
    p.Y = FTop + FSplit;
  ::PatBlt(FLineDC, p.X, p.Y, FWidth, FHeight, PATINVERT);
}

void TSplitter::ReleaseLineDC() {
  if (!FLineDC) return;
  if (FPrevBrush) ::SelectObject(FLineDC, FPrevBrush);
  FPrevBrush = nullptr;
  ::ReleaseDC(FLineWnd, FLineDC);
  FLineDC = nullptr;
  FLineWnd = nullptr;
}

void TSplitter::StopSizing() {
  if (!FControl) return;
  if (FLineVisible) DrawLine();
  FControl = nullptr;
  ReleaseLineDC();
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FControl = FindControl();
  FDownPos = Point(X, Y);
  if (!FControl) return;
  TWinControl* parent = GetParent();
  const bool horizontal = GetAlign() == alLeft || GetAlign() == alRight;
  // The others keep at least MinSize of the parent.
  FMaxSize = (horizontal ? parent->GetClientWidth() : parent->GetClientHeight()) - FMinSize;
  for (Integer i = 0; i < parent->GetControlCount(); ++i) {
    TControl* c = parent->GetControls(i);
    if (!c->GetVisible()) continue;
    const TAlign a = c->GetAlign();
    if (horizontal && (a == alLeft || a == alRight)) FMaxSize -= c->GetWidth();
    if (!horizontal && (a == alTop || a == alBottom)) FMaxSize -= c->GetHeight();
  }
  FMaxSize += horizontal ? FControl->GetWidth() : FControl->GetHeight();
  UpdateSize(X, Y);
  AllocateLineDC();
  if (ResizeStyle == rsLine || ResizeStyle == rsPattern) DrawLine();
}

void TSplitter::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!FControl || !Shift.Contains(ssLeft)) return;
  Integer newSize = 0, split = 0;
  CalcSplitSize(X, Y, newSize, split);
  if (!DoCanResize(newSize)) return;
  if (ResizeStyle == rsLine || ResizeStyle == rsPattern) DrawLine();
  FNewSize = newSize;
  FSplit = split;
  if (ResizeStyle == rsUpdate) UpdateControlSize();
  if (ResizeStyle == rsLine || ResizeStyle == rsPattern) DrawLine();
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (!FControl) return;
  if (FLineVisible) DrawLine();
  UpdateControlSize();
  StopSizing();
}

// ---- TScrollBox ----

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  ControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 185, 41);
  SetAutoScroll(true);
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  AddBorderStyle(Params, FBorderStyle, GetCtl3D());
  Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}
