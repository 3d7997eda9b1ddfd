// What the tests of the comparison dialogs share: the test project (the current version) and an
// earlier project beside it, books written into either, choosing an entry of a drop-down list as
// a user does, and the results list window found when a dialog opens it.
#pragma once

#include <string>

#include "app/tests/results/ResultsSupport.h"
#include "classlib/StdCtrls.h"
#include "tools/tests/support/CompareTestSupport.h"

namespace compare_dialogs {

using app_testing::Lines;

// Chooses the entry of a drop-down list, as choosing it with the mouse does: the list shows it and
// tells its parent that the choice changed.
inline void Choose(TComboBox* box, int index) {
  HWND combo = box->GetHandle();
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

// The paragraphs of a viewer's or editor's text.
inline Lines TextOf(TCustomUzurUvad* viewer) {
  Lines paragraphs;
  for (Integer i = 0; i < viewer->GetItemCount(); ++i) {
    if (viewer->IsParaStart(i) || paragraphs.empty()) paragraphs.emplace_back();
    paragraphs.back() += viewer->GetItemText(i);
  }
  return paragraphs;
}

inline Lines ItemsOf(TComboBox* box) { return app_testing::ItemsOf(box->GetItems()); }

// The results list window that a dialog has open; null when none is.
inline TPrintGeneralListDialog* OpenResultsWindow() {
  HWND window = FindWindowA("TPrintGeneralListDialog", nullptr);
  return window ? dynamic_cast<TPrintGeneralListDialog*>(FindControl(window)) : nullptr;
}

class CompareDialogsTest : public app_testing::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteProject("EAR", "Earlier Project", "", "EAR.SFM");
  }
  // A book of the earlier project.
  std::string WriteEarlierBook(const std::string& id, const Lines& lines) {
    const std::string path = Projects() + "EAR\\" + id + "EAR.SFM";
    compare_testing::WriteLines(path, lines);
    return path;
  }
};

}  // namespace compare_dialogs
