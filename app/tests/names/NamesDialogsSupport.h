// What the tests of the names, unwanted words and search dialogs share: clicks with the mouse on
// controls and list lines, and the lines of list boxes and files.
#pragma once

#include <string>

#include "app/PrintGeneralLists.h"
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/DialogDriver.h"
#include "classlib/StdCtrls.h"
#include "richtext/core/UzurUvad.h"

namespace names_testing {

using app_testing::ItemsOf;
using app_testing::Lines;
using namespace dialog_testing;
using testing_support::PumpUntil;

// Clicks the middle of a window with the mouse and lets the application handle the click.
inline void ClickWindow(HWND wnd) {
  ASSERT_TRUE(wnd);
  RECT r{};
  GetClientRect(wnd, &r);
  testing_support::MouseClick(wnd, r.right / 2, r.bottom / 2);
  ProcessFor(120);
}

// Clicks the control (a button, check box, radio button or edit) with the caption or text.
inline void ClickOn(HWND dialog, const std::string& caption) {
  HWND control = Child(dialog, caption);
  ASSERT_TRUE(control) << caption;
  ClickWindow(control);
}
inline void ClickOn(TWinControl* control) { ClickWindow(control->GetHandle()); }

// Clicks line `index` of a list box, with Ctrl held to add it to the lines selected.
inline void ClickLine(TListBox* list, int index, bool ctrl = false) {
  HWND wnd = list->GetHandle();
  RECT item{};
  ASSERT_NE(SendMessageA(wnd, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)), LB_ERR) << index;
  if (ctrl) SendKeyEvents({{VK_CONTROL, false}});
  testing_support::MouseClick(wnd, item.left + 10, (item.top + item.bottom) / 2);
  ProcessFor(120);
  if (ctrl) SendKeyEvents({{VK_CONTROL, true}});
  ProcessFor(30);
}

inline Lines SelectedLines(TListBox* list) {
  Lines lines;
  for (int i = 0; i < list->GetItems()->GetCount(); ++i)
    if (list->GetSelected(i)) lines.push_back(list->GetItems()->GetStrings(i));
  return lines;
}

// The bytes of lines as the lists are saved: each ended with carriage return and line feed.
inline std::string CrLf(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The paragraphs of a rich-text viewer (the results list window's text).
inline Lines Paragraphs(VUzurUvad* viewer) {
  Lines paragraphs;
  for (Integer i = 0; i < viewer->GetItemCount(); ++i) {
    if (viewer->IsParaStart(i) || paragraphs.empty()) paragraphs.emplace_back();
    paragraphs.back() += viewer->GetItemText(i);
  }
  return paragraphs;
}

// What the results list window showed when the button with `button` opened it over `dialog`: its
// caption and its paragraphs. The window is looked at (`screenshot`) and closed.
struct ShownList {
  std::string Caption;
  Lines Text;
};
inline ShownList OpenResultsList(HWND dialog, const std::string& button, const std::string& screenshot) {
  ShownList shown;
  char caption[256] = {};
  GetWindowTextA(dialog, caption, sizeof caption);
  testing_support::WindowWatch list(
      caption,
      [&](HWND w) {
        auto* window = static_cast<TPrintGeneralListDialog*>(FindControl(w));
        shown.Caption = window->GetCaption();
        shown.Text = Paragraphs(window->UzurUvadEdit1);
        testing_support::SaveScreenshot(w, screenshot);
        PostMessageA(w, WM_CLOSE, 0, 0);
      },
      10000, "TPrintGeneralListDialog");
  ClickOn(dialog, button);
  EXPECT_TRUE(PumpUntil([&] { return list.Done(); })) << button;
  return shown;
}

}  // namespace names_testing
