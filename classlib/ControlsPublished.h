// The published properties that placed controls share, as pieces for the body of a PUBLISHED
// block (classlib/TypInfo.h): the standard controls publish them in ControlsPublished.cpp, and
// the controls of other libraries publish them the same way.
#pragma once

#include "classlib/Controls.h"
#include "classlib/Menus.h"

// What every placed control offers: where it is and how it follows its parent, whether it is
// shown and enabled, its hint and popup menu, and the mouse events.
#define PELORIN_CONTROL_PROPS                                                                       \
  Prop("Anchors", &TControl::GetAnchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop});   \
  Prop("Enabled", &TControl::GetEnabled, &TControl::SetEnabled).Default(true);                      \
  Prop("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint).Default(true); \
  Prop("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu);                              \
  Prop("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint).Default(false);                  \
  Prop("Visible", &TControl::GetVisible, &TControl::SetVisible).Default(true);                      \
  Prop("OnClick", &TControl::OnClick);                                                              \
  Prop("OnContextPopup", &TControl::OnContextPopup);                                                \
  Prop("OnDblClick", &TControl::OnDblClick);                                                        \
  Prop("OnMouseDown", &TControl::OnMouseDown);                                                      \
  Prop("OnMouseMove", &TControl::OnMouseMove);                                                      \
  Prop("OnMouseUp", &TControl::OnMouseUp)

#define PELORIN_FONT_PROPS                                                                  \
  Prop("Font", &TControl::GetFont, &TControl::SetFont).Stored(&TControl::IsFontStored);      \
  Prop("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont).Default(true)

#define PELORIN_COLOR_PROPS(DefaultColor)                                                           \
  Prop("Color", &TControl::GetColor, &TControl::SetColor).Type(ColorTypeInfo()).Default(DefaultColor); \
  Prop("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor)

// What a control with a window adds: its place in the Tab order and the focus and key events.
#define PELORIN_WINCONTROL_PROPS                                                           \
  Prop("TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder).Default(-1);      \
  Prop("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop);                     \
  Prop("OnEnter", &TWinControl::OnEnter);                                                  \
  Prop("OnExit", &TWinControl::OnExit);                                                    \
  Prop("OnKeyDown", &TWinControl::OnKeyDown);                                              \
  Prop("OnKeyPress", &TWinControl::OnKeyPress);                                            \
  Prop("OnKeyUp", &TWinControl::OnKeyUp)

#define PELORIN_ALIGN_PROP Prop("Align", &TControl::GetAlign, &TControl::SetAlign).Default(alNone)
#define PELORIN_CAPTION_PROP Prop("Caption", &TControl::GetCaption, &TControl::SetCaption)
