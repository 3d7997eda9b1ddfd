// Button frames: the face and edges of the library's buttons in fourteen styles, three of them
// drawn by the system's visual styles when those are in use.
#pragma once

#include "classlib/Graphics.h"
#include "classlib/TypInfo.h"

class TControl;

enum TVisUserButtonStyle {
  ubsAutoDetect,
  ubsWin31,
  ubsWin40,
  ubsDelphi,
  ubsDelphiFlat,
  ubsFlat,
  ubsFlatUnColored,
  ubsNavigator,
  ubsExplorer,
  ubsExplorerColored,
  ubsIntegrated,
  ubsWinXP,
  ubsWinXPCombo,
  ubsWinXPTool
};
ENUM_NAMES(TVisUserButtonStyle, "ubsAutoDetect", "ubsWin31", "ubsWin40", "ubsDelphi", "ubsDelphiFlat", "ubsFlat",
           "ubsFlatUnColored", "ubsNavigator", "ubsExplorer", "ubsExplorerColored", "ubsIntegrated", "ubsWinXP",
           "ubsWinXPCombo", "ubsWinXPTool");

// Flags of DrawButtonFrame and DrawThemedButton.
constexpr Word bfRounded = 0x0001;    // ubsWin31: the frame's corner pixels take the face colour
constexpr Word bfFocused = 0x0002;    // a focus rectangle and the dark outer frame
constexpr Word bfFull3D = 0x0004;     // ubsWin40 with the full 3D edges
constexpr Word bfSunkenDown = 0x0008; // ubsWin40 pressed with EDGE_SUNKEN
constexpr Word bfMiddle = 0x0010;     // edges fill their middle too (BF_MIDDLE)
constexpr Word bfDefault = 0x0020;    // the default button's dark outer frame
constexpr Word bfSplit = 0x0080;      // a part of a split toolbar button
constexpr Word bfSplitArrow = 0x0100; // with bfSplit: the arrow part

// Button states as the controls number them: 0 up, 1 disabled, 3 latched down (drawn on a
// chequered face), 4, 6 and 7 further pressed states (7 also disabled); every other state is up.

// Fills Rect with Color (a latched button with the application's pattern of Color) and draws
// the style's edges for the up, down, hot (MouseInside) and focused looks; Rect becomes the
// content area, 3 pixels in from each side and moved by (1, 1) when down. The XP styles draw
// nothing here (see DrawThemedButton). Always true.
bool DrawButtonFrame(TCanvas* Canvas, bool MouseInside, TRect& Rect, TColor Color, Word Flags, Integer State,
                     TVisUserButtonStyle Style);
// Draws the XP styles with the system's visual styles on Control's window ("BUTTON",
// "COMBOBOX" or "TOOLBAR" theme class) and leaves Rect as it was; ubsAutoDetect counts as
// ubsWinXP when the application uses XP themes. Without themes the XP styles fall back to
// ubsWin40, ubsIntegrated and ubsExplorerColored; every other style goes to DrawButtonFrame.
bool DrawThemedButton(TControl* Control, TCanvas* Canvas, bool MouseInside, Word Flags, Integer State, TColor Color,
                      TVisUserButtonStyle Style, TRect& Rect);
