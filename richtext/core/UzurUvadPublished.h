// The published properties of the viewer, as a piece for the body of a PUBLISHED block
// (classlib/TypInfo.h): the viewer publishes them, and so does every control derived from
// TCustomUzurUvad that forms place (the editor), each with its own cursor and Tab navigation
// defaults.
#pragma once

#include "richtext/core/UzurUvad.h"

#define UV_VIEWER_PUBLISHED_PROPS(CursorDefault, TabNavigationDefault)                                               \
  Prop("Align", &TCustomUzurUvad::GetAlign, &TCustomUzurUvad::SetAlign).Default(alNone);                             \
  Prop("Anchors", &TCustomUzurUvad::GetAnchors, &TCustomUzurUvad::SetAnchors);                                       \
  Prop("Color", &TCustomUzurUvad::GetColor, &TCustomUzurUvad::SetColor).Type(ColorTypeInfo()).Default(clNone);       \
  Prop("Ctl3D", &TCustomUzurUvad::GetCtl3D, &TCustomUzurUvad::SetCtl3D);                                             \
  Prop("ParentCtl3D", &TCustomUzurUvad::GetParentCtl3D, &TCustomUzurUvad::SetParentCtl3D).Default(true);             \
  Prop("Enabled", &TCustomUzurUvad::GetEnabled, &TCustomUzurUvad::SetEnabled).Default(true);                         \
  Prop("PopupMenu", &TCustomUzurUvad::GetPopupMenu, &TCustomUzurUvad::SetPopupMenu);                                 \
  Prop("ShowHint", &TCustomUzurUvad::GetShowHint, &TCustomUzurUvad::SetShowHint);                                    \
  Prop("TabOrder", &TCustomUzurUvad::GetTabOrder, &TCustomUzurUvad::SetTabOrder);                                    \
  Prop("TabStop", &TCustomUzurUvad::GetTabStop, &TCustomUzurUvad::SetTabStop).Default(true);                         \
  Prop("Visible", &TCustomUzurUvad::GetVisible, &TCustomUzurUvad::SetVisible).Default(true);                         \
  Prop("Options", &TCustomUzurUvad::GetOptions, &TCustomUzurUvad::SetOptions).Default(uvoDefaultOptions);            \
  Prop("RTFOptions", &TCustomUzurUvad::GetRTFOptions, &TCustomUzurUvad::SetRTFOptions).Default(uvrtfDefaultOptions); \
  Prop("UVFOptions", &TCustomUzurUvad::GetUVFOptions, &TCustomUzurUvad::SetUVFOptions).Default(uvfoDefaultOptions);  \
  Prop("UVFTextStylesReadMode", &TCustomUzurUvad::GetUVFTextStylesReadMode,                                          \
       &TCustomUzurUvad::SetUVFTextStylesReadMode)                                                                   \
      .Default(uvf_sInsertMerge);                                                                                    \
  Prop("UVFParaStylesReadMode", &TCustomUzurUvad::GetUVFParaStylesReadMode,                                          \
       &TCustomUzurUvad::SetUVFParaStylesReadMode)                                                                   \
      .Default(uvf_sInsertMerge);                                                                                    \
  Prop("LeftMargin", &TCustomUzurUvad::GetLeftMargin, &TCustomUzurUvad::SetLeftMargin).Default(5);                   \
  Prop("RightMargin", &TCustomUzurUvad::GetRightMargin, &TCustomUzurUvad::SetRightMargin).Default(5);                \
  Prop("TopMargin", &TCustomUzurUvad::GetTopMargin, &TCustomUzurUvad::SetTopMargin).Default(5);                      \
  Prop("BottomMargin", &TCustomUzurUvad::GetBottomMargin, &TCustomUzurUvad::SetBottomMargin).Default(5);             \
  Prop("MaxTextWidth", &TCustomUzurUvad::GetMaxTextWidth, &TCustomUzurUvad::SetMaxTextWidth).Default(0);             \
  Prop("MinTextWidth", &TCustomUzurUvad::GetMinTextWidth, &TCustomUzurUvad::SetMinTextWidth).Default(0);             \
  Prop("BorderStyle", &TCustomUzurUvad::GetBorderStyle, &TCustomUzurUvad::SetBorderStyle).Default(bsSingle);         \
  Prop("Cursor", &TCustomUzurUvad::GetCursor, &TCustomUzurUvad::SetCursor)                                           \
      .Type(CursorTypeInfo())                                                                                        \
      .Default(CursorDefault);                                                                                       \
  Prop("Delimiters", &TCustomUzurUvad::GetDelimiters, &TCustomUzurUvad::SetDelimiters)                               \
      .Stored(&TCustomUzurUvad::IsDelimitersStored);                                                                 \
  Prop("TabNavigation", &TCustomUzurUvad::GetTabNavigation, &TCustomUzurUvad::SetTabNavigation)                      \
      .Default(TabNavigationDefault);                                                                                \
  Prop("FirstJumpNo", &TCustomUzurUvad::GetFirstJumpNo, &TCustomUzurUvad::SetFirstJumpNo).Default(0);                \
  Prop("Style", &TCustomUzurUvad::GetStyle, &TCustomUzurUvad::SetStyle);                                             \
  Prop("CPEventKind", &TCustomUzurUvad::GetCPEventKind, &TCustomUzurUvad::SetCPEventKind).Default(cpeNone);          \
  Prop("BackgroundBitmap", &TCustomUzurUvad::GetBackgroundBitmap, &TCustomUzurUvad::SetBackgroundBitmap);            \
  Prop("BackgroundStyle", &TCustomUzurUvad::GetBackgroundStyle, &TCustomUzurUvad::SetBackgroundStyle)                \
      .Default(bsNoBitmap);                                                                                          \
  Prop("RTFReadProperties", &TCustomUzurUvad::GetRTFReadProperties, &TCustomUzurUvad::SetRTFReadProperties);         \
  Prop("DoInPaletteMode", &TCustomUzurUvad::GetDoInPaletteMode, &TCustomUzurUvad::SetDoInPaletteMode)                \
      .Default(uvpaCreateCopies);                                                                                    \
  Prop("BiDiMode", &TCustomUzurUvad::GetUVBiDiMode, &TCustomUzurUvad::SetUVBiDiMode).Default(uvbdUnspecified);       \
  Prop("UseXPThemes", &TCustomUzurUvad::GetUseXPThemes, &TCustomUzurUvad::SetUseXPThemes).Default(true);             \
  Prop("Tracking", &TCustomUzurUvad::GetTracking, &TCustomUzurUvad::SetTracking).Default(true);                      \
  Prop("VScrollVisible", &TCustomUzurUvad::GetVScrollVisible, &TCustomUzurUvad::SetVScrollVisible).Default(true);    \
  Prop("HScrollVisible", &TCustomUzurUvad::GetHScrollVisible, &TCustomUzurUvad::SetHScrollVisible).Default(true);    \
  Prop("WheelStep", &TCustomUzurUvad::GetWheelStep, &TCustomUzurUvad::SetWheelStep).Default(2);                      \
  Prop("AllowSelection", &TCustomUzurUvad::GetAllowSelection, &TCustomUzurUvad::SetAllowSelection).Stored(false);    \
  Prop("SingleClick", &TCustomUzurUvad::GetSingleClick, &TCustomUzurUvad::SetSingleClick).Stored(false);             \
  Prop("OnClick", &TCustomUzurUvad::OnClick);                                                                        \
  Prop("OnDblClick", &TCustomUzurUvad::OnDblClick);                                                                  \
  Prop("OnMouseDown", &TCustomUzurUvad::OnMouseDown);                                                                \
  Prop("OnMouseMove", &TCustomUzurUvad::OnMouseMove);                                                                \
  Prop("OnMouseUp", &TCustomUzurUvad::OnMouseUp);                                                                    \
  Prop("OnMouseWheel", &TCustomUzurUvad::OnMouseWheel);                                                              \
  Prop("OnMouseWheelDown", &TCustomUzurUvad::OnMouseWheelDown);                                                      \
  Prop("OnMouseWheelUp", &TCustomUzurUvad::OnMouseWheelUp);                                                          \
  Prop("OnKeyDown", &TCustomUzurUvad::OnKeyDown);                                                                    \
  Prop("OnKeyPress", &TCustomUzurUvad::OnKeyPress);                                                                  \
  Prop("OnKeyUp", &TCustomUzurUvad::OnKeyUp);                                                                        \
  Prop("OnEnter", &TCustomUzurUvad::OnEnter);                                                                        \
  Prop("OnExit", &TCustomUzurUvad::OnExit);                                                                          \
  Prop("OnDragDrop", &TCustomUzurUvad::OnDragDrop);                                                                  \
  Prop("OnDragOver", &TCustomUzurUvad::OnDragOver);                                                                  \
  Prop("OnEndDrag", &TCustomUzurUvad::OnEndDrag);                                                                    \
  Prop("OnStartDrag", &TCustomUzurUvad::OnStartDrag);                                                                \
  Prop("OnJump", &TCustomUzurUvad::OnJump);                                                                          \
  Prop("OnUVMouseMove", &TCustomUzurUvad::OnUVMouseMove);                                                            \
  Prop("OnUVMouseDown", &TCustomUzurUvad::OnUVMouseDown);                                                            \
  Prop("OnUVMouseUp", &TCustomUzurUvad::OnUVMouseUp);                                                                \
  Prop("OnUVDblClick", &TCustomUzurUvad::OnUVDblClick);                                                              \
  Prop("OnUVRightClick", &TCustomUzurUvad::OnUVRightClick);                                                          \
  Prop("OnSelect", &TCustomUzurUvad::OnSelect);                                                                      \
  Prop("OnCopy", &TCustomUzurUvad::OnCopy);                                                                          \
  Prop("OnPaint", &TCustomUzurUvad::OnPaint);                                                                        \
  Prop("OnVScrolled", &TCustomUzurUvad::OnVScrolled);                                                                \
  Prop("OnHScrolled", &TCustomUzurUvad::OnHScrolled);                                                                \
  Prop("OnCheckpointVisible", &TCustomUzurUvad::OnCheckpointVisible);                                                \
  Prop("OnURLNeeded", &TCustomUzurUvad::OnURLNeeded);                                                                \
  Prop("OnReadHyperlink", &TCustomUzurUvad::OnReadHyperlink);                                                        \
  Prop("OnSaveComponentToFile", &TCustomUzurUvad::OnSaveComponentToFile);                                            \
  Prop("OnSaveRTFExtra", &TCustomUzurUvad::OnSaveRTFExtra);                                                          \
  Prop("OnSaveHTMLExtra", &TCustomUzurUvad::OnSaveHTMLExtra);                                                        \
  Prop("OnHTMLSaveImage", &TCustomUzurUvad::OnHTMLSaveImage);                                                        \
  Prop("OnUVFPictureNeeded", &TCustomUzurUvad::OnUVFPictureNeeded);                                                  \
  Prop("OnUVFControlNeeded", &TCustomUzurUvad::OnUVFControlNeeded);                                                  \
  Prop("OnUVFImageListNeeded", &TCustomUzurUvad::OnUVFImageListNeeded);                                              \
  Prop("OnControlAction", &TCustomUzurUvad::OnControlAction);                                                        \
  Prop("OnItemAction", &TCustomUzurUvad::OnItemAction)
