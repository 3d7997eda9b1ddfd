// The published properties of the standard controls, the panels, bevels and radio groups, the
// status bar, the track bar and the up-down, so that windows can be described by their form text
// and read with the form reader. Only the classes meant to be placed on forms publish; their custom bases do not, so
// that a form written back holds what a form of the leaf class holds.
#include "classlib/ControlsPublished.h"

#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

PUBLISHED(TLabel) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clBtnFace);
  PELORIN_ALIGN_PROP;
  PELORIN_CAPTION_PROP;
  Prop("Alignment", &TCustomLabel::GetAlignment, &TCustomLabel::SetAlignment).Default(taLeftJustify);
  Prop("AutoSize", &TControl::GetAutoSize, &TCustomLabel::SetAutoSize).Default(true);
  Prop("FocusControl", &TCustomLabel::GetFocusControl, &TCustomLabel::SetFocusControl);
  Prop("Layout", &TCustomLabel::GetLayout, &TCustomLabel::SetLayout).Default(tlTop);
  Prop("ShowAccelChar", &TCustomLabel::GetShowAccelChar, &TCustomLabel::SetShowAccelChar).Default(true);
  Prop("Transparent", &TCustomLabel::GetTransparent, &TCustomLabel::SetTransparent).Default(false);
  Prop("WordWrap", &TCustomLabel::GetWordWrap, &TCustomLabel::SetWordWrap).Default(false);
}

#define PELORIN_EDIT_PROPS                                                                              \
  PELORIN_CONTROL_PROPS;                                                                                \
  PELORIN_FONT_PROPS;                                                                                   \
  PELORIN_COLOR_PROPS(clWindow);                                                                        \
  PELORIN_WINCONTROL_PROPS;                                                                             \
  Prop("BorderStyle", &TCustomEdit::GetBorderStyle, &TCustomEdit::SetBorderStyle).Default(bsSingle);    \
  Prop("HideSelection", &TCustomEdit::GetHideSelection, &TCustomEdit::SetHideSelection).Default(true);  \
  Prop("MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength).Default(0);                 \
  Prop("ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly).Default(false);                \
  Prop("OnChange", &TCustomEdit::OnChange)

PUBLISHED(TEdit) {
  PELORIN_EDIT_PROPS;
  Prop("AutoSelect", &TCustomEdit::AutoSelect).Default(true);
  Prop("AutoSize", &TControl::GetAutoSize, &TCustomEdit::SetAutoSize).Default(true);
  Prop("CharCase", &TCustomEdit::GetCharCase, &TCustomEdit::SetCharCase).Default(ecNormal);
  Prop("PasswordChar", &TCustomEdit::GetPasswordChar, &TCustomEdit::SetPasswordChar).Default('\0');
  Prop("Text", &TControl::GetText, &TControl::SetText);
}

PUBLISHED(TMemo) {
  PELORIN_EDIT_PROPS;
  PELORIN_ALIGN_PROP;
  Prop("Alignment", &TCustomMemo::GetAlignment, &TCustomMemo::SetAlignment).Default(taLeftJustify);
  Prop("Lines", &TCustomMemo::GetLines, &TCustomMemo::SetLines);
  Prop("ScrollBars", &TCustomMemo::GetScrollBars, &TCustomMemo::SetScrollBars).Default(ssNone);
  Prop("WantReturns", &TCustomMemo::GetWantReturns, &TCustomMemo::SetWantReturns).Default(true);
  Prop("WantTabs", &TCustomMemo::GetWantTabs, &TCustomMemo::SetWantTabs).Default(false);
  Prop("WordWrap", &TCustomMemo::GetWordWrap, &TCustomMemo::SetWordWrap).Default(true);
}

PUBLISHED(TButton) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_WINCONTROL_PROPS;
  PELORIN_CAPTION_PROP;
  Prop("Cancel", &TButton::GetCancel, &TButton::SetCancel).Default(false);
  Prop("Default", &TButton::GetDefault, &TButton::SetDefault).Default(false);
  Prop("ModalResult", &TButton::ModalResult).Default(mrNone);
  Prop("WordWrap", &TButtonControl::GetWordWrap, &TButtonControl::SetWordWrap).Default(false);
}

PUBLISHED(TCheckBox) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clBtnFace);
  PELORIN_WINCONTROL_PROPS;
  PELORIN_CAPTION_PROP;
  Prop("Alignment", &TCustomCheckBox::GetAlignment, &TCustomCheckBox::SetAlignment).Default(taRightJustify);
  Prop("AllowGrayed", &TCustomCheckBox::GetAllowGrayed, &TCustomCheckBox::SetAllowGrayed).Default(false);
  Prop("Checked", &TCustomCheckBox::GetChecked, &TCustomCheckBox::SetChecked).Stored(false);
  Prop("State", &TCustomCheckBox::GetState, &TCustomCheckBox::SetState).Default(cbUnchecked);
  Prop("WordWrap", &TButtonControl::GetWordWrap, &TButtonControl::SetWordWrap).Default(false);
}

PUBLISHED(TRadioButton) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clBtnFace);
  PELORIN_WINCONTROL_PROPS;
  PELORIN_CAPTION_PROP;
  Prop("Alignment", &TRadioButton::GetAlignment, &TRadioButton::SetAlignment).Default(taRightJustify);
  Prop("Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked).Default(false);
  Prop("WordWrap", &TButtonControl::GetWordWrap, &TButtonControl::SetWordWrap).Default(false);
}

PUBLISHED(TGroupBox) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clBtnFace);
  PELORIN_WINCONTROL_PROPS;
  PELORIN_ALIGN_PROP;
  PELORIN_CAPTION_PROP;
}

PUBLISHED(TListBox) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clWindow);
  PELORIN_WINCONTROL_PROPS;
  PELORIN_ALIGN_PROP;
  Prop("BorderStyle", &TCustomListBox::GetBorderStyle, &TCustomListBox::SetBorderStyle).Default(bsSingle);
  Prop("Columns", &TCustomListBox::GetColumns, &TCustomListBox::SetColumns).Default(0);
  Prop("ExtendedSelect", &TCustomListBox::GetExtendedSelect, &TCustomListBox::SetExtendedSelect).Default(true);
  Prop("IntegralHeight", &TCustomListBox::GetIntegralHeight, &TCustomListBox::SetIntegralHeight).Default(false);
  Prop("ItemHeight", &TCustomListBox::GetItemHeight, &TCustomListBox::SetItemHeight).Default(16);
  Prop("Items", &TCustomListBox::GetItems, &TCustomListBox::SetItems);
  Prop("MultiSelect", &TCustomListBox::GetMultiSelect, &TCustomListBox::SetMultiSelect).Default(false);
  Prop("ScrollWidth", &TCustomListBox::GetScrollWidth, &TCustomListBox::SetScrollWidth).Default(0);
  Prop("Sorted", &TCustomListBox::GetSorted, &TCustomListBox::SetSorted).Default(false);
  Prop("Style", &TCustomListBox::GetStyle, &TCustomListBox::SetStyle).Default(lbStandard);
  Prop("TabWidth", &TCustomListBox::GetTabWidth, &TCustomListBox::SetTabWidth).Default(0);
  Prop("OnDrawItem", &TCustomListBox::OnDrawItem);
  Prop("OnMeasureItem", &TCustomListBox::OnMeasureItem);
}

PUBLISHED(TComboBox) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clWindow);
  PELORIN_WINCONTROL_PROPS;
  Prop("DropDownCount", &TCustomComboBox::GetDropDownCount, &TCustomComboBox::SetDropDownCount).Default(8);
  Prop("ItemHeight", &TCustomComboBox::GetItemHeight, &TCustomComboBox::SetItemHeight).Default(16);
  Prop("Items", &TCustomComboBox::GetItems, &TCustomComboBox::SetItems);
  Prop("MaxLength", &TCustomComboBox::GetMaxLength, &TCustomComboBox::SetMaxLength).Default(0);
  Prop("Sorted", &TCustomComboBox::GetSorted, &TCustomComboBox::SetSorted).Default(false);
  Prop("Style", &TCustomComboBox::GetStyle, &TCustomComboBox::SetStyle).Default(csDropDown);
  Prop("Text", &TControl::GetText, &TControl::SetText);
  Prop("OnChange", &TCustomComboBox::OnChange);
  Prop("OnCloseUp", &TCustomComboBox::OnCloseUp);
  Prop("OnDrawItem", &TCustomComboBox::OnDrawItem);
  Prop("OnDropDown", &TCustomComboBox::OnDropDown);
  Prop("OnMeasureItem", &TCustomComboBox::OnMeasureItem);
  Prop("OnSelect", &TCustomComboBox::OnSelect);
}

PUBLISHED(TBevel) {
  PELORIN_CONTROL_PROPS;
  PELORIN_ALIGN_PROP;
  Prop("Shape", &TBevel::GetShape, &TBevel::SetShape).Default(bsBox);
  Prop("Style", &TBevel::GetStyle, &TBevel::SetStyle).Default(bsLowered);
}

PUBLISHED(TPanel) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clBtnFace);
  PELORIN_WINCONTROL_PROPS;
  PELORIN_ALIGN_PROP;
  PELORIN_CAPTION_PROP;
  Prop("Alignment", &TCustomPanel::GetAlignment, &TCustomPanel::SetAlignment).Default(taCenter);
  Prop("BevelInner", &TCustomPanel::GetBevelInner, &TCustomPanel::SetBevelInner).Default(bvNone);
  Prop("BevelOuter", &TCustomPanel::GetBevelOuter, &TCustomPanel::SetBevelOuter).Default(bvRaised);
  Prop("BevelWidth", &TCustomPanel::GetBevelWidth, &TCustomPanel::SetBevelWidth).Default(1);
  Prop("BorderStyle", &TCustomPanel::GetBorderStyle, &TCustomPanel::SetBorderStyle).Default(bsNone);
  Prop("BorderWidth", &TWinControl::GetBorderWidth, &TWinControl::SetBorderWidth).Default(0);
  Prop("OnResize", &TControl::OnResize);
}

PUBLISHED(TRadioGroup) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clBtnFace);
  PELORIN_WINCONTROL_PROPS;
  PELORIN_ALIGN_PROP;
  PELORIN_CAPTION_PROP;
  Prop("Columns", &TCustomRadioGroup::GetColumns, &TCustomRadioGroup::SetColumns).Default(1);
  Prop("ItemIndex", &TCustomRadioGroup::GetItemIndex, &TCustomRadioGroup::SetItemIndex).Default(-1);
  Prop("Items", &TCustomRadioGroup::GetItems, &TCustomRadioGroup::SetItems);
}

PUBLISHED(TStatusPanel) {
  Prop("Alignment", &TStatusPanel::GetAlignment, &TStatusPanel::SetAlignment).Default(taLeftJustify);
  Prop("Bevel", &TStatusPanel::GetBevel, &TStatusPanel::SetBevel).Default(pbLowered);
  Prop("Style", &TStatusPanel::GetStyle, &TStatusPanel::SetStyle).Default(psText);
  Prop("Text", &TStatusPanel::GetText, &TStatusPanel::SetText);
  Prop("Width", &TStatusPanel::GetWidth, &TStatusPanel::SetWidth).Default(50);
}

PUBLISHED(TStatusBar) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clBtnFace);
  PELORIN_ALIGN_PROP;
  Prop("Panels", &TStatusBar::GetPanels, &TStatusBar::SetPanels);
  Prop("SimplePanel", &TStatusBar::GetSimplePanel, &TStatusBar::SetSimplePanel).Default(false);
  Prop("SimpleText", &TStatusBar::GetSimpleText, &TStatusBar::SetSimpleText);
  Prop("SizeGrip", &TStatusBar::GetSizeGrip, &TStatusBar::SetSizeGrip).Default(true);
  Prop("OnDrawPanel", &TStatusBar::OnDrawPanel);
  Prop("OnResize", &TControl::OnResize);
}

PUBLISHED(TTrackBar) {
  PELORIN_CONTROL_PROPS;
  PELORIN_WINCONTROL_PROPS;
  Prop("Frequency", &TTrackBar::GetFrequency, &TTrackBar::SetFrequency).Default(1);
  Prop("LineSize", &TTrackBar::GetLineSize, &TTrackBar::SetLineSize).Default(1);
  Prop("Max", &TTrackBar::GetMax, &TTrackBar::SetMax).Default(10);
  Prop("Min", &TTrackBar::GetMin, &TTrackBar::SetMin).Default(0);
  Prop("Orientation", &TTrackBar::GetOrientation, &TTrackBar::SetOrientation).Default(trHorizontal);
  Prop("PageSize", &TTrackBar::GetPageSize, &TTrackBar::SetPageSize).Default(2);
  Prop("Position", &TTrackBar::GetPosition, &TTrackBar::SetPosition).Default(0);
  Prop("TickMarks", &TTrackBar::GetTickMarks, &TTrackBar::SetTickMarks).Default(tmBottomRight);
  Prop("TickStyle", &TTrackBar::GetTickStyle, &TTrackBar::SetTickStyle).Default(tsAuto);
  Prop("OnChange", &TTrackBar::OnChange);
}

PUBLISHED(TUpDown) {
  PELORIN_CONTROL_PROPS;
  PELORIN_WINCONTROL_PROPS;
  Prop("Associate", &TUpDown::GetAssociate, &TUpDown::SetAssociate);
  Prop("Min", &TUpDown::GetMin, &TUpDown::SetMin).Default(0);
  Prop("Max", &TUpDown::GetMax, &TUpDown::SetMax).Default(100);
  Prop("Increment", &TUpDown::GetIncrement, &TUpDown::SetIncrement).Default(1);
  Prop("Position", &TUpDown::GetPosition, &TUpDown::SetPosition).Default(0);
  Prop("ArrowKeys", &TUpDown::GetArrowKeys, &TUpDown::SetArrowKeys).Default(true);
  Prop("Thousands", &TUpDown::GetThousands, &TUpDown::SetThousands).Default(true);
  Prop("Wrap", &TUpDown::GetWrap, &TUpDown::SetWrap).Default(false);
  Prop("OnClick", &TUpDown::OnClick);
  Prop("OnChanging", &TUpDown::OnChanging);
}

// The form reader creates these classes by name. FormTextReader.cpp refers to this flag, so that
// every program that reads a form text links this file and with it the properties above.
extern const bool ControlClassesPublished;
const bool ControlClassesPublished = [] {
  RegisterClasses({TLabel::StaticClass(), TEdit::StaticClass(), TMemo::StaticClass(), TButton::StaticClass(),
                   TCheckBox::StaticClass(), TRadioButton::StaticClass(), TGroupBox::StaticClass(),
                   TListBox::StaticClass(), TComboBox::StaticClass(), TBevel::StaticClass(), TPanel::StaticClass(),
                   TRadioGroup::StaticClass(), TStatusBar::StaticClass()});
  RegisterClass(TTrackBar::StaticClass());
  RegisterClass(TUpDown::StaticClass());
  return true;
}();
