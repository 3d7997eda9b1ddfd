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

bool ComCtrlsClassesPublished() {
  static const bool registered = [] {
    RegisterClasses({TTabSheet::StaticClass(), TPageControl::StaticClass(), TListView::StaticClass(),
                     TImageList::StaticClass()});
    return true;
  }();
  return registered;
}
