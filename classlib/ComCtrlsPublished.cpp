// The published properties of the page control, its sheets, the list view and its columns, and
// the image list, so that windows holding them can be described by their form text. A sheet
// names its page control in the form text, as the control it belongs to.
#include "classlib/ComCtrlsPublished.h"

#include "classlib/ComCtrls.h"
#include "classlib/ControlsPublished.h"
#include "classlib/ImgList.h"

PUBLISHED(TTabSheet) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_CAPTION_PROP;
  Prop("PageControl", &TTabSheet::GetPageControl, &TTabSheet::SetPageControl);
  Prop("ImageIndex", &TTabSheet::GetImageIndex, &TTabSheet::SetImageIndex).Default(-1);
  Prop("TabVisible", &TTabSheet::GetTabVisible, &TTabSheet::SetTabVisible).Default(true);
  Prop("OnShow", &TTabSheet::OnShow);
  Prop("OnHide", &TTabSheet::OnHide);
}

PUBLISHED(TPageControl) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_WINCONTROL_PROPS;
  PELORIN_ALIGN_PROP;
  Prop("ActivePage", &TPageControl::GetActivePage, &TPageControl::SetActivePage);
  Prop("Images", &TPageControl::GetImages, &TPageControl::SetImages);
  Prop("MultiLine", &TPageControl::GetMultiLine, &TPageControl::SetMultiLine).Default(false);
  Prop("OnChange", &TPageControl::OnChange);
  Prop("OnChanging", &TPageControl::OnChanging);
}

PUBLISHED(TListColumn) {
  Prop("Alignment", &TListColumn::GetAlignment, &TListColumn::SetAlignment).Default(taLeftJustify);
  Prop("Caption", &TListColumn::GetCaption, &TListColumn::SetCaption);
  Prop("Width", &TListColumn::GetWidth, &TListColumn::SetWidth).Default(50);
}

PUBLISHED(TListView) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clWindow);
  PELORIN_WINCONTROL_PROPS;
  PELORIN_ALIGN_PROP;
  Prop("BorderStyle", &TListView::GetBorderStyle, &TListView::SetBorderStyle).Default(bsSingle);
  Prop("Checkboxes", &TListView::GetCheckboxes, &TListView::SetCheckboxes).Default(false);
  Prop("ColumnClick", &TListView::GetColumnClick, &TListView::SetColumnClick).Default(true);
  Prop("Columns", &TListView::GetColumns, &TListView::SetColumns);
  Prop("HideSelection", &TListView::GetHideSelection, &TListView::SetHideSelection).Default(true);
  Prop("HotTrack", &TListView::GetHotTrack, &TListView::SetHotTrack).Default(false);
  Prop("HotTrackStyles", &TListView::GetHotTrackStyles, &TListView::SetHotTrackStyles);
  Prop("MultiSelect", &TListView::GetMultiSelect, &TListView::SetMultiSelect).Default(false);
  Prop("ReadOnly", &TListView::GetReadOnly, &TListView::SetReadOnly).Default(false);
  Prop("RowSelect", &TListView::GetRowSelect, &TListView::SetRowSelect).Default(false);
  Prop("ShowColumnHeaders", &TListView::GetShowColumnHeaders, &TListView::SetShowColumnHeaders).Default(true);
  Prop("SmallImages", &TListView::GetSmallImages, &TListView::SetSmallImages);
  Prop("LargeImages", &TListView::GetLargeImages, &TListView::SetLargeImages);
  Prop("SortType", &TListView::GetSortType, &TListView::SetSortType).Default(stNone);
  Prop("ViewStyle", &TListView::GetViewStyle, &TListView::SetViewStyle).Default(vsIcon);
  Prop("OnChange", &TListView::OnChange);
  Prop("OnColumnClick", &TListView::OnColumnClick);
  Prop("OnCompare", &TListView::OnCompare);
  Prop("OnDeletion", &TListView::OnDeletion);
  Prop("OnEdited", &TListView::OnEdited);
  Prop("OnEditing", &TListView::OnEditing);
  Prop("OnSelectItem", &TListView::OnSelectItem);
}

// The up-down buttons have a click event of their own (which button), so the shared control
// properties are listed here without the control's OnClick.
PUBLISHED(TUpDown) {
  Prop("Anchors", &TControl::GetAnchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop});
  Prop("Enabled", &TControl::GetEnabled, &TControl::SetEnabled).Default(true);
  Prop("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint).Default(true);
  Prop("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint).Default(false);
  Prop("Visible", &TControl::GetVisible, &TControl::SetVisible).Default(true);
  PELORIN_WINCONTROL_PROPS;
  Prop("Associate", &TUpDown::GetAssociate, &TUpDown::SetAssociate);
  Prop("AlignButton", &TUpDown::GetAlignButton, &TUpDown::SetAlignButton).Default(udRight);
  Prop("Orientation", &TUpDown::GetOrientation, &TUpDown::SetOrientation).Default(udVertical);
  Prop("Min", &TUpDown::GetMin, &TUpDown::SetMin).Default(0);
  Prop("Max", &TUpDown::GetMax, &TUpDown::SetMax).Default(100);
  Prop("Position", &TUpDown::GetPosition, &TUpDown::SetPosition).Default(0);
  Prop("Increment", &TUpDown::GetIncrement, &TUpDown::SetIncrement).Default(1);
  Prop("Wrap", &TUpDown::GetWrap, &TUpDown::SetWrap).Default(false);
  Prop("ArrowKeys", &TUpDown::GetArrowKeys, &TUpDown::SetArrowKeys).Default(true);
  Prop("Thousands", &TUpDown::GetThousands, &TUpDown::SetThousands).Default(true);
  Prop("OnClick", &TUpDown::OnClick);
  Prop("OnChanging", &TUpDown::OnChanging);
}

bool ComCtrlsClassesPublished() {
  static const bool registered = [] {
    RegisterClasses({TTabSheet::StaticClass(), TPageControl::StaticClass(), TListView::StaticClass(),
                     TUpDown::StaticClass(),
                     TImageList::StaticClass()});
    return true;
  }();
  return registered;
}
