// The button panel's grid.
#include "controls/VisButtonPanel.h"

#include <algorithm>

#include "classlib/ControlsPublished.h"
#include "controls/VisObject.h"
#include "controls/viscont.h"

PUBLISHED(TVisButtonPanel) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clBtnFace);
  PELORIN_WINCONTROL_PROPS;
  PELORIN_ALIGN_PROP;
  VIS_PUBLISH_LAYOUT_AND_DRAG;
  Prop("AutoSize", &TVisButtonPanel::GetAutoSize, &TVisButtonPanel::SetAutoSize).Default(false);
  Prop("BackFX", &TVisCustomControl::GetBackFX, &TVisCustomControl::SetBackFX);
  Prop("Bevel", &TVisCustomBevelPanel::GetBevel, &TVisCustomBevelPanel::SetBevel);
  Prop("Buttons", &TVisButtonPanel::GetButtons, &TVisButtonPanel::SetButtons);
  Prop("ButtonHeight", &TVisButtonPanel::GetButtonHeight, &TVisButtonPanel::SetButtonHeight).Default(20);
  Prop("ButtonWidth", &TVisButtonPanel::GetButtonWidth, &TVisButtonPanel::SetButtonWidth).Default(20);
  Prop("ButtonStyle", &TVisButtonPanel::GetButtonStyle, &TVisButtonPanel::SetButtonStyle).Default(ubsAutoDetect);
  Prop("FillObject", &TVisCustomPanelFill::GetFillObject, &TVisCustomPanelFill::SetFillObject);
  Prop("Flat", &TVisCustomControl::GetFlat, &TVisCustomControl::SetFlat).Default(false);
  Prop("ImageList", &TVisCustomControl::GetImageList, &TVisCustomControl::SetImageList)
      .Stored(&TVisCustomControl::IsImageListStored);
  Prop("ImageIndex", &TVisCustomControl::GetImageIndex, &TVisCustomControl::SetImageIndex).Default(0);
  Prop("ListIndex", &TVisCustomControl::GetListIndex, &TVisCustomControl::SetListIndex).Default(0);
  Prop("Transparent", &TVisCustomControl::GetTransparent, &TVisCustomControl::SetTransparent).Default(false);
  Prop("OnButtonClick", &TVisButtonPanel::OnButtonClick);
}

TVisButtonPanel::TVisButtonPanel(TComponent* AOwner)
    : TVisCustomPanelFill(AOwner), FButtons(new TVisSpecialButtons(this, true)) {
  FButtons->OnUpdate = TNotifyEvent(this, &TVisButtonPanel::ButtonsChanged);
}

TVisButtonPanel::~TVisButtonPanel() {
  FButtons->OnUpdate = nullptr;
  delete FButtons;
}

void TVisButtonPanel::Dispatch(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Msg == WM_SIZE) LayoutButtons();
}

void TVisButtonPanel::Loaded() {
  inherited::Loaded();
  LayoutButtons();
}

void TVisButtonPanel::SetButtonSize(Integer Which, Integer Value) {
  if (Value == FButtonSize[Which]) return;
  FButtonSize[Which] = Value;
  LayoutButtons();
}

void TVisButtonPanel::SetButtonStyle(TVisUserButtonStyle Value) {
  if (Value == FButtonStyle) return;
  FButtonStyle = Value;
  for (Integer i = 0; i < FButtons->GetCount(); ++i)
    if (TVisSpeedButton* button = FButtons->GetItems(i)->GetButton()) button->SetStyle(Value);
}

void TVisButtonPanel::ButtonsChanged(TObject*) { LayoutButtons(); }

void TVisButtonPanel::LayoutButtons() {
  if (FLayingOut || GetComponentState().Contains(csLoading) || GetComponentState().Contains(csDestroying)) return;
  FLayingOut = true;
  const Integer extent = GetBevel()->GetBevelExtent();
  TRect r = GetClientRect();
  if (GetBevel()->GetMode() != bmWindows) r = {r.Left + extent, r.Top + extent, r.Right - extent, r.Bottom - extent};
  const Integer width = std::max(FButtonSize[0], 1);
  const Integer height = std::max(FButtonSize[1], 1);
  const Integer n = FButtons->GetCount();
  Integer cols = std::max(std::min(r.Width() / width, n), 1);
  Integer rows = 1;
  if (n > cols) {
    rows = r.Height() / height;
    if (cols == 1) rows = std::min(rows, n);
    rows = std::max(rows, 1);
    while (cols * rows > n && rows > 1) --rows;
    while (cols * rows < n) ++rows;
  }
  FColumns = cols;
  FRows = rows;
  // While the window is being resized its bounds are not yet updated: its place is the window's.
  TPoint place = Point(GetLeft(), GetTop());
  if (HandleAllocated() && GetParent() && GetParent()->HandleAllocated()) {
    RECT w;
    ::GetWindowRect(GetHandle(), &w);
    ::MapWindowPoints(nullptr, GetParent()->GetHandle(), reinterpret_cast<POINT*>(&w), 2);
    place = Point(w.left, w.top);
  }
  SetBounds(place.X, place.Y, cols * FButtonSize[0] + 2 * extent, rows * FButtonSize[1] + 2 * extent);
  for (Integer i = 0; i < n; ++i) {
    // An item still being made (its collection is told of it before it is whole) has no button yet.
    auto* item = dynamic_cast<TVisSpecialButton*>(FButtons->TCollection::GetItems(i));
    TVisSpeedButton* button = item ? item->GetButton() : nullptr;
    if (!button) break;
    const Integer column = i % cols;
    const Integer row = (i / cols) % rows;
    button->SetBounds(r.Left + column * FButtonSize[0], r.Top + row * FButtonSize[1], FButtonSize[0], FButtonSize[1]);
    if (OnButtonClick) button->OnClick = TNotifyEvent(this, &TVisButtonPanel::ButtonClicked);
  }
  FLayingOut = false;
}

void TVisButtonPanel::ButtonClicked(TObject* Sender) {
  for (Integer i = 0; i < FButtons->GetCount(); ++i) {
    TVisSpeedButton* button = FButtons->GetItems(i)->GetButton();
    if (button == Sender) {
      if (OnButtonClick) OnButtonClick(this, button, i);
      return;
    }
  }
}

bool visbuttonpanel_detail::RegisterClasses() {
  if (!GetClass("TVisButtonPanel")) RegisterClass(TVisButtonPanel::StaticClass());
  return true;
}
