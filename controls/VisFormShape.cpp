// The form shape: the window region, dragging by the client area and the background.
#include "controls/VisFormShape.h"

#include "classlib/Filer.h"
#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/StdCtrls.h"
#include "controls/VisOneInstance.h"
#include "controls/viscont.h"

PUBLISHED(TVisFormShape) {
  Prop("About", &TVisFormShape::About).Stored(false);
  Prop("Enabled", &TVisFormShape::GetEnabled, &TVisFormShape::SetEnabled).Default(true);
  Prop("Region", &TVisFormShape::GetRegion, &TVisFormShape::SetRegion);
  Prop("ShowFormCaption", &TVisFormShape::GetShowFormCaption, &TVisFormShape::SetShowFormCaption).Default(true);
  Prop("FormDragable", &TVisFormShape::GetFormDragable, &TVisFormShape::SetFormDragable).Default(true);
  Prop("UseRgnBitmap", &TVisFormShape::GetUseRgnBitmap, &TVisFormShape::SetUseRgnBitmap).Default(true);
  Prop("FillObject", &TVisFormShape::GetFillObject, &TVisFormShape::SetFillObject);
  Prop("ImageList", &TVisFormShape::GetImageList, &TVisFormShape::SetImageList);
  Prop("ListIndex", &TVisFormShape::ListIndex).Default(0);
  Prop("ImageIndex", &TVisFormShape::ImageIndex).Default(0);
}

bool visformshape_detail::RegisterClasses() {
  if (!GetClass("TVisFormShape")) RegisterClass(TVisFormShape::StaticClass());
  return true;
}

TVisFormShape* FindFormShape(TComponent* Form) {
  if (!Form) return nullptr;
  for (Integer i = 0; i < Form->GetComponentCount(); ++i)
    if (auto* shape = dynamic_cast<TVisFormShape*>(Form->GetComponents(i))) return shape;
  return nullptr;
}

TVisFormShape::TVisFormShape(TComponent* AOwner)
    : TVisWndProcComponent(AOwner),
      FRegion(new TVisBorderRegion),
      FFillObject(new TVisFillObject),
      FWork(new TBitmap),
      FChangeLink(new TVisChangeLink) {
  if (GetComponentState().Contains(csDesigning) && CheckOwner(AOwner, ClassType(), false)) {
    delete FChangeLink;
    delete FWork;
    delete FFillObject;
    delete FRegion;
    throw VisEOneInstError(ClassName(), 0);
  }
  FRegion->OwnerComponent = AOwner;
  FRegion->OnChange = TNotifyEvent(this, &TVisFormShape::ShapeChanged);
  FFillObject->SetStyle(sfNone);
  FFillObject->OnChange = TNotifyEvent(this, &TVisFormShape::ShapeChanged);
  FChangeLink->Sender = this;
  FChangeLink->OnChange = TNotifyEvent(this, &TVisFormShape::ShapeChanged);
}

TVisFormShape::~TVisFormShape() {
  // The hook goes first, so that no message reaches the parts while they go.
  Unhook();
  FRegion->OnChange = nullptr;
  FFillObject->OnChange = nullptr;
  FChangeLink->OnChange = nullptr;
  if (FImageList) FImageList->RemoveFreeNotification(this);
  delete FChangeLink;
  delete FWork;
  delete FFillObject;
  delete FRegion;
}

TCustomForm* TVisFormShape::Form() const { return dynamic_cast<TCustomForm*>(GetOwner()); }

void TVisFormShape::Loaded() {
  inherited::Loaded();
  if (GetEnabled()) ApplyRegion();
}

void TVisFormShape::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImageList) SetImageList(nullptr);
}

void TVisFormShape::SetImageList(TVisCustomImageList* Value) {
  if (TVisBaseContainer* container = FChangeLink->GetContainer()) container->UnRegisterChanges(FChangeLink);
  if (FImageList) FImageList->RemoveFreeNotification(this);
  FImageList = Value;
  if (FImageList) {
    FImageList->RegisterChanges(FChangeLink);
    FImageList->FreeNotification(this);
  }
  ShapeChanged(this);
}

void TVisFormShape::SetSwitch(Integer Index, bool Value) {
  if (Value == FSwitches[Index]) return;
  FSwitches[Index] = Value;
  if (Index == 0) ApplyRegion();
  if (Index == 2) ShapeChanged(this);
}

void TVisFormShape::ShapeChanged(TObject*) {
  Change();
  ApplyRegion();
  if (TCustomForm* form = Form(); form && form->HandleAllocated() && !GetComponentState().Contains(csLoading))
    ::InvalidateRect(form->GetHandle(), nullptr, TRUE);
}

void TVisFormShape::ApplyRegion() {
  TCustomForm* form = Form();
  if (!form || FApplying || GetComponentState().Contains(csLoading) || form->GetComponentState().Contains(csLoading))
    return;
  if (!GetEnabled()) return;
  const bool designing = GetComponentState().Contains(csDesigning);
  HWND wnd = form->GetHandle();
  const bool minimised = (::GetWindowLongPtrA(wnd, GWL_STYLE) & WS_MINIMIZE) != 0;
  FApplying = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{FApplying};

  const TFormBorderStyle border = form->GetBorderStyle();
  Integer frameX, frameY;
  if (border == bsSizeable || border == bsSizeToolWin) {
    frameX = ::GetSystemMetrics(SM_CXFRAME);
    frameY = ::GetSystemMetrics(SM_CYFRAME);
  } else {
    frameX = frameY = ::GetSystemMetrics(SM_CXDLGFRAME);
  }
  Integer caption = 0;
  switch (border) {
    case bsSingle:
    case bsSizeable:
    case bsDialog: caption = ::GetSystemMetrics(SM_CYCAPTION); break;
    case bsToolWindow:
    case bsSizeToolWin: caption = ::GetSystemMetrics(SM_CYSMCAPTION); break;
    default: break;
  }
  if (border == bsNone && !designing) frameX = frameY = 0;

  TVisRgnShadow* shadow = FRegion->GetShadow();
  const Integer depth = shadow->GetStyle() != hssNone ? shadow->GetDepth() : 0;
  if (!minimised && FRegion->GetShape() == rsBitmap) {
    TBitmap* picture = FRegion->GetMask()->GetBorderBmp();
    if (!picture->GetEmpty())
      form->SetBounds(form->GetLeft(), form->GetTop(), picture->GetWidth() + depth + 2 * frameX,
                      picture->GetHeight() + depth + caption + 2 * frameY);
  }
  TRect client{0, 0, form->GetWidth() - 2 * frameX, form->GetHeight() - 2 * frameY - caption};
  client = {client.Left - 1, client.Top - 1, client.Right + 1, client.Bottom + 1};
  const TRect title{0, 0, form->GetWidth(), frameY + caption};

  HRGN result = ::CreateRectRgn(0, 0, 0, 0);
  if (!minimised) {
    FRegionRect = client;
    if (HRGN shape = FRegion->BuildRegion(client)) {
      ::CombineRgn(result, shape, nullptr, RGN_COPY);
      ::OffsetRgn(result, frameX, frameY + caption);
      if (shadow->GetStyle() != hssNone) {
        HRGN moved = ::CreateRectRgn(0, 0, 0, 0);
        ::CombineRgn(moved, result, nullptr, RGN_COPY);
        ::OffsetRgn(moved, depth, depth);
        ::CombineRgn(result, result, moved, RGN_OR);
        ::DeleteObject(moved);
      }
    }
    HRGN strip = ::CreateRectRgn(title.Left, title.Top, title.Right, title.Bottom);
    const bool keepTitle = (FSwitches[0] && border != bsNone) || designing;
    ::CombineRgn(result, result, strip, keepTitle ? RGN_OR : RGN_DIFF);
    ::DeleteObject(strip);
  } else {
    FRegion->SetRectRegion(title);
    ::CombineRgn(result, FRegion->GetRegion(), nullptr, RGN_COPY);
  }
  if (!designing) {
    ::SetWindowRgn(wnd, nullptr, FALSE);
    // The system owns the region from here on.
    ::SetWindowRgn(wnd, result, TRUE);
  } else {
    ::DeleteObject(result);
  }
  FCaptionHeight = caption;
}

void TVisFormShape::Refresh() {
  if (GetEnabled()) ApplyRegion();
}

bool TVisFormShape::FillsBackground() const { return FFillObject->GetStyle() != sfNone; }

void TVisFormShape::FillWorkBitmap(Integer Width, Integer Height) {
  FWork->SetPixelFormat(pf24bit);
  FWork->SetSize(Width, Height);
  if (FFillObject->GetStyle() == sfBitmapList && FImageList && FImageList->IsValid(ListIndex, ImageIndex))
    FImageList->AssignPicture(ListIndex, ImageIndex, FFillObject->GetListBitmap());
  FFillObject->FillArea(FWork->GetCanvas(), Rect(0, 0, Width, Height), clWhite);
}

TBitmap* TVisFormShape::GetBackgroundBitmap() {
  if (FSwitches[2] && FRegion->GetShape() == rsBitmap) {
    TBitmap* picture = FRegion->GetMask()->GetBorderBmp();
    return picture->GetEmpty() ? nullptr : picture;
  }
  if (GetComponentState().Contains(csDesigning) || !FillsBackground()) return nullptr;
  TCustomForm* form = Form();
  if (!form) return nullptr;
  const TRect client = form->GetClientRect();
  if (FWork->GetWidth() != client.Width() || FWork->GetHeight() != client.Height())
    FillWorkBitmap(client.Width(), client.Height());
  return FWork;
}

bool TVisFormShape::DrawBackground(TCanvas* Canvas, const TRect& Rect, TPoint Point) {
  TBitmap* back = GetBackgroundBitmap();
  if (!back) return false;
  Canvas->CopyRect(Rect, back->GetCanvas(), Bounds(Point.X, Point.Y, Rect.Width(), Rect.Height()));
  return true;
}

void TVisFormShape::PaintBackground(HDC DC) {
  TCustomForm* form = Form();
  if (!form) return;
  TCanvas paint;
  CanvasOnDC onDC(&paint, DC);
  TCanvas* canvas = &paint;
  const TRect client = form->GetClientRect();
  const bool designing = GetComponentState().Contains(csDesigning);
  if (FSwitches[2] && FRegion->GetShape() == rsBitmap) {
    if (!designing) {
      canvas->Draw(0, 0, FRegion->GetMask()->GetBorderBmp());
    } else if (HRGN region = FRegion->GetMask()->CreateRegion()) {
      TRect clip;
      ::GetClipBox(DC, AsRECT(clip));
      ::OffsetRgn(region, 0, -clip.Top);
      canvas->RequiredState({csHandleValid, csBrushValid});
      ::FrameRgn(DC, region, canvas->GetBrush()->GetHandle(), 1, 1);
      ::DeleteObject(region);
    }
  } else if (FillsBackground()) {
    FillWorkBitmap(client.Width(), client.Height());
    if (!designing) canvas->Draw(0, 0, FWork);
  }
  FRegion->DrawBorder(canvas, client);
}

void TVisFormShape::WndProc(TMessage& Message) {
  TCustomForm* form = Form();
  switch (Message.Msg) {
    case WM_SIZE:
      inherited::WndProc(Message);
      if (!FApplying) ApplyRegion();
      if (form && form->HandleAllocated()) ::InvalidateRect(form->GetHandle(), nullptr, TRUE);
      return;
    case WM_ERASEBKGND:
      if (!FillsBackground() && FRegion->GetShape() != rsBitmap) inherited::WndProc(Message);
      PaintBackground(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_NCHITTEST:
      inherited::WndProc(Message);
      if (FSwitches[1] && Message.Result == HTCLIENT && !FRightButtonOnFrame && form) {
        const TPoint p = form->ScreenToClient(Point(SmallInt(LOWORD(Message.LParam)), SmallInt(HIWORD(Message.LParam))));
        if (!form->ControlAtPos(p, true, true)) Message.Result = HTCAPTION;
      }
      return;
    case WM_NCRBUTTONDOWN:
      inherited::WndProc(Message);
      FRightButtonOnFrame = true;
      return;
    case WM_NCRBUTTONUP:
    case WM_CAPTURECHANGED:
      inherited::WndProc(Message);
      FRightButtonOnFrame = false;
      return;
    default: inherited::WndProc(Message);
  }
}
