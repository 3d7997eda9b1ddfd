// What the viewer tests share: a form with a viewer on it, styled as the program's result list,
// and input helpers that go through the application's own message handling.
#pragma once

#include <cstring>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "classlib/tests/forms/FormsTestSupport.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UzurUvad.h"
#include "tests/support/TestSupport.h"

namespace viewer_test {

// The application's message handling until a condition holds, as the window tests of the class
// library run it.
using forms_test::ProcessFor;
using forms_test::ProcessUntil;

// A key going down or up on the keyboard, as SendInput takes it.
inline INPUT KeyInput(Word Key, bool Up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = Key;
  in.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(Key, 0));
  in.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
  if (Key == VK_INSERT || Key == VK_DELETE || (Key >= VK_PRIOR && Key <= VK_DOWN)) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  return in;
}

// Shows the form and waits (bounded) until the control has the focus.
inline bool ShowWithFocus(TForm* Form, TWinControl* Control) {
  Form->Show();
  if (!ProcessUntil([&] { return Control->HandleAllocated() && ::IsWindowVisible(Control->GetHandle()); }))
    return false;
  ::SetForegroundWindow(Form->GetHandle());
  Control->SetFocus();
  return ProcessUntil([&] { return ::GetFocus() == Control->GetHandle(); }, 30000);
}

// A key typed on the keyboard with the modifiers held (pressed in the order Ctrl, Alt, Shift),
// through the system's input queue, to the window with the focus. Waits (bounded) until the key's
// release has been handled.
inline void TypeKey(Word Key, bool Shift = false, bool Ctrl = false, bool Alt = false) {
  std::vector<INPUT> inputs;
  auto add = [&](Word vk, bool up) { inputs.push_back(KeyInput(vk, up)); };
  if (Ctrl) add(VK_CONTROL, false);
  if (Alt) add(VK_MENU, false);
  if (Shift) add(VK_SHIFT, false);
  add(Key, false);
  add(Key, true);
  if (Shift) add(VK_SHIFT, true);
  if (Alt) add(VK_MENU, true);
  if (Ctrl) add(VK_CONTROL, true);
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  // The releases have been read once the keyboard state shows the key up again.
  ProcessUntil(
      [&] {
        return ::GetKeyState(Key) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0 &&
               ::GetKeyState(VK_MENU) >= 0;
      },
      2000);
  ProcessFor(30);
}

// The document x of the caret place before character Offs of a text item, measured with the
// item's font.
inline Integer XAt(TCustomUzurUvad* Viewer, Integer ItemNo, Integer Offs) {
  TUVControlData* data = Viewer->GetUVData();
  Integer d, o;
  data->ItemToDrawItem(ItemNo, Offs, d, o);
  TUVDrawLineInfo* dli = data->DrawItems->Get(d);
  TCustomUVItemInfo* item = data->GetItem(ItemNo);
  TBitmap bitmap;
  bitmap.SetSize(1, 1);
  Viewer->GetStyle()->ApplyTextStyle(bitmap.GetCanvas(), item->StyleNo, uvbdUnspecified);
  AnsiString before = UVUniCopy(data->GetItemText(ItemNo), dli->Offs, o - 1, item->ItemOptions);
  return dli->Left + dli->JustifySpace + UVUniTextWidth(before, bitmap.GetCanvas(), item->ItemOptions);
}

// The client point of that place, at the middle of its line.
inline TPoint PointAt(TCustomUzurUvad* Viewer, Integer ItemNo, Integer Offs) {
  TUVControlData* data = Viewer->GetUVData();
  Integer d, o;
  data->ItemToDrawItem(ItemNo, Offs, d, o);
  TUVDrawLineInfo* dli = data->DrawItems->Get(d);
  return Point(XAt(Viewer, ItemNo, Offs) - Viewer->GetHOffs(), dli->Top + dli->Height / 2 - Viewer->GetVOffs());
}

// Mouse messages to the viewer, as the system sends them.
inline LRESULT Mouse(TCustomUzurUvad* Viewer, UINT Message, WPARAM Keys, TPoint P) {
  return ::SendMessageA(Viewer->GetHandle(), Message, Keys, MAKELPARAM(P.X, P.Y));
}

inline void Click(TCustomUzurUvad* Viewer, TPoint P, WPARAM Keys = 0) {
  Mouse(Viewer, WM_LBUTTONDOWN, Keys | MK_LBUTTON, P);
  Mouse(Viewer, WM_LBUTTONUP, Keys, P);
}

inline void Drag(TCustomUzurUvad* Viewer, TPoint From, TPoint To) {
  Mouse(Viewer, WM_LBUTTONDOWN, MK_LBUTTON, From);
  Mouse(Viewer, WM_MOUSEMOVE, MK_LBUTTON, Point((From.X + To.X) / 2, (From.Y + To.Y) / 2));
  Mouse(Viewer, WM_MOUSEMOVE, MK_LBUTTON, To);
  Mouse(Viewer, WM_LBUTTONUP, 0, To);
}

// The text styles the tests use: the style sheet's own normal text and two added ones.
constexpr Integer kText = 0;
constexpr Integer kReference = 6;  // bold
constexpr Integer kLink = 7;       // a hyperlink, blue and underlined, red under the mouse
constexpr Integer kUnicode = 8;    // UTF-16 text

// A form with a viewer filling its client area and a style sheet with the result list's styles.
class ViewerFixture : public ::testing::Test {
protected:
  void SetUp() override {
    style = new TUVStyle(nullptr);
    TFontInfo* reference = style->GetTextStyles()->Add();
    reference->StyleName = "Reference";
    reference->Style = TFontStyles{fsBold};
    TFontInfo* link = style->GetTextStyles()->Add();
    link->StyleName = "Link";
    link->Color = clBlue;
    link->Style = TFontStyles{fsUnderline};
    link->Jump = true;
    link->HoverColor = clRed;
    TFontInfo* unicode = style->GetTextStyles()->Add();
    unicode->StyleName = "Unicode";
    unicode->Unicode = true;
    unicode->FontName = "Times New Roman";
    EXPECT_EQ(style->GetTextStyles()->GetCount(), kUnicode + 1);
    form = new TForm(Application);
    form->SetCaption("Results");
    form->SetBounds(40, 40, 420, 300);
    viewer = new VUzurUvad(form);
    viewer->SetName("Results");
    viewer->SetParent(form);
    viewer->SetAlign(alClient);
    viewer->SetStyle(style);
  }
  void TearDown() override {
    delete form;
    delete style;
  }
  // Shows the form and waits until the viewer has the focus.
  void ShowForm() { ShowWithFocus(form, viewer); }
  // Fills the viewer the way the program fills its result list: a reference and a message per
  // line, each line with a checkpoint named after its reference that reports itself visible.
  void FillResults(Integer Lines) {
    viewer->Clear();
    for (Integer i = 0; i < Lines; ++i) {
      AnsiString reference = "GEN 1:" + IntToStr(i + 1);
      viewer->AddNamedCheckpointEx(reference, true);
      viewer->AddNL(reference, kReference, 0);
      viewer->Add(" Unknown word \"begat" + IntToStr(i) + "\"", kText);
    }
    viewer->Format();
  }
  TPoint PointAt(Integer ItemNo, Integer Offs) { return viewer_test::PointAt(viewer, ItemNo, Offs); }
  // The middle of an item's first draw line.
  TPoint MiddleOf(Integer ItemNo) {
    TUVControlData* data = viewer->GetUVData();
    TUVDrawLineInfo* dli = data->DrawItems->Get(data->ItemToFirstDrawItem(ItemNo));
    return Point(dli->Left + dli->Width / 2 - viewer->GetHOffs(), dli->Top + dli->Height / 2 - viewer->GetVOffs());
  }
  LRESULT Mouse(UINT Message, WPARAM Keys, TPoint P) { return viewer_test::Mouse(viewer, Message, Keys, P); }
  void Click(TPoint P, WPARAM Keys = 0) { viewer_test::Click(viewer, P, Keys); }
  void Drag(TPoint From, TPoint To) { viewer_test::Drag(viewer, From, To); }
  // Puts the real cursor on a client point of the viewer (double clicks read the cursor).
  void CursorTo(TPoint P) {
    TPoint s = viewer->ClientToScreen(P);
    ::SetCursorPos(s.X, s.Y);
    ProcessFor(20);
  }

  // The item of the first line whose top is in view (-1 when none).
  Integer TopItem() {
    TUVDrawLines* lines = viewer->GetUVData()->DrawItems;
    Integer voffs = viewer->GetVOffs();
    for (Integer d = 0; d < lines->GetCount(); ++d)
      if (lines->Get(d)->Top >= voffs) return lines->Get(d)->ItemNo;
    return -1;
  }

  TUVStyle* style = nullptr;
  TForm* form = nullptr;
  VUzurUvad* viewer = nullptr;
};

}  // namespace viewer_test
