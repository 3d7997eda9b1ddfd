// What the editor control's tests share: a form with an editor on it and the editing tests'
// style sheet, typing through the system's input queue, mouse messages, the document as text,
// and a record of the beeps a refusal makes.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "classlib/Streams.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/tests/viewer/ViewerTestSupport.h"
#include "richtext/edit/UVEdit.h"
#include "richtext/edit/tests/support/EditTestSupport.h"

namespace editor_test {

using viewer_test::ProcessFor;
using viewer_test::ProcessUntil;
using viewer_test::TypeKey;

// A caret or selection end: item and offset.
struct Place {
  Integer Item = -1;
  Integer Offs = -1;
  bool operator==(const Place&) const = default;
};

inline void PrintTo(const Place& P, std::ostream* os) { *os << "(" << P.Item << ", " << P.Offs << ")"; }

// The beeps of refused edits, counted instead of sounded.
inline int& BeepCount() {
  static int count = 0;
  return count;
}

inline BOOL WINAPI CountBeep(UINT) {
  ++BeepCount();
  return TRUE;
}

// Waits (bounded) until the keys and the characters they made have been handled.
inline void WaitForInput() {
  ProcessUntil([] { return HIWORD(::GetQueueStatus(QS_KEY | QS_POSTMESSAGE)) == 0; }, 30000);
  ProcessFor(20);
}

// Types the characters as the keyboard does: each one's key (with Shift when it needs it)
// through the system's input queue.
inline void TypeText(const std::string& Text) {
  std::vector<INPUT> inputs;
  auto add = [&](Word vk, bool up) { inputs.push_back(viewer_test::KeyInput(vk, up)); };
  for (char c : Text) {
    SHORT scan = ::VkKeyScanA(c);
    Word vk = LOBYTE(scan);
    bool shift = (HIBYTE(scan) & 1) != 0;
    if (shift) add(VK_SHIFT, false);
    add(vk, false);
    add(vk, true);
    if (shift) add(VK_SHIFT, true);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  WaitForInput();
}

// A new form (owned by the application) holding an editor named "Book" that fills its client
// area and shows the style sheet; the caller frees the form.
inline VUzurUvadEdit* NewEditorForm(TUVStyle* Style, const char* Caption, Integer Width, Integer Height,
                                    TForm*& Form) {
  Form = new TForm(Application);
  Form->SetCaption(Caption);
  Form->SetBounds(40, 40, Width, Height);
  auto* editor = new VUzurUvadEdit(Form);
  editor->SetName("Book");
  editor->SetParent(Form);
  editor->SetAlign(alClient);
  editor->SetStyle(Style);
  return editor;
}

// A form with an editor filling its client area and the editing tests' style sheet (edit_test).
class EditorFixture : public ::testing::Test {
protected:
  void SetUp() override {
    BeepCount() = 0;
    UVMessageBeep = &CountBeep;
    style = new TUVStyle(nullptr);
    edit_test::SetUpStyles(*style);
    editor = NewEditorForm(style, "Editor", 420, 300, form);
  }
  void TearDown() override {
    delete form;
    delete style;
    UVMessageBeep = &::MessageBeep;
  }
  // Shows the form and waits until the editor has the focus.
  void ShowForm() { ASSERT_TRUE(viewer_test::ShowWithFocus(form, editor)); }
  // One paragraph of the normal style per line, formatted, the caret at the start.
  void Fill(const std::vector<std::string>& Lines) {
    editor->Clear();
    for (const std::string& line : Lines) editor->AddNL(line, edit_test::tsNormal, edit_test::psNormal);
    editor->Format();
  }
  // The document as plain text, one line per paragraph.
  std::string Text() {
    TMemoryStream stream;
    editor->SaveTextToStream("", &stream, 80, false, true);
    std::string text(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
    std::string out;
    for (char c : text)
      if (c != '\r') out += c;
    return out;
  }
  Place Caret() { return {editor->GetCurItemNo(), editor->GetOffsetInCurItem()}; }
  // A picture of the form once what it shows has been painted.
  void Screenshot(const std::string& Name) {
    form->Update();
    ProcessFor(50);
    testing_support::SaveScreenshot(form->GetHandle(), Name);
  }
  void SetCaret(Integer ItemNo, Integer Offs) { editor->SetSelectionBounds(ItemNo, Offs, ItemNo, Offs); }

  TPoint PointAt(Integer ItemNo, Integer Offs) { return viewer_test::PointAt(editor, ItemNo, Offs); }
  Integer XAt(Integer ItemNo, Integer Offs) { return viewer_test::XAt(editor, ItemNo, Offs); }
  void Click(TPoint P, WPARAM Keys = 0) { viewer_test::Click(editor, P, Keys); }
  void Drag(TPoint From, TPoint To) { viewer_test::Drag(editor, From, To); }

  TUVStyle* style = nullptr;
  TForm* form = nullptr;
  VUzurUvadEdit* editor = nullptr;
};

// Three verses, one paragraph each; the second is long enough to wrap in the form.
inline const std::vector<std::string> kVerses = {
    "In the beginning God created the heaven and the earth.",
    "And the earth was without form, and void; and darkness was upon the face of the deep. And the Spirit of "
    "God moved upon the face of the waters.",
    "And God said, Let there be light: and there was light.",
};

}  // namespace editor_test
