// What the results list window's tests share: the window made as the main window makes it, the
// paragraphs and styled runs of its text, the texts its status bar showed, and a stand-in for the
// user who answers the save dialog.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/PrintGeneralLists.h"
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/DialogDriver.h"
#include "app/tests/support/StatusRecorder.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/Menus.h"
#include "classlib/ObjectInstances.h"
#include "classlib/StringLists.h"
#include "core/ParatextBibleWorks.h"
#include "pdf/PDF.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"

namespace results_testing {

using app_testing::Lines;

// A piece of text in a text style.
using StyledRun = std::pair<std::string, int>;

// The paragraphs of the window's text.
inline Lines Paragraphs(VUzurUvad* viewer) {
  Lines paragraphs;
  for (Integer i = 0; i < viewer->GetItemCount(); ++i) {
    if (viewer->IsParaStart(i) || paragraphs.empty()) paragraphs.emplace_back();
    paragraphs.back() += viewer->GetItemText(i);
  }
  return paragraphs;
}

// The paragraphs as runs of text styles.
inline std::vector<std::vector<StyledRun>> StyledParagraphs(VUzurUvad* viewer) {
  std::vector<std::vector<StyledRun>> paragraphs;
  for (Integer i = 0; i < viewer->GetItemCount(); ++i) {
    if (viewer->IsParaStart(i) || paragraphs.empty()) paragraphs.emplace_back();
    paragraphs.back().emplace_back(viewer->GetItemText(i), viewer->GetItemStyle(i));
  }
  return paragraphs;
}

using app_testing::StatusRecorder;

// Answers the save dialog with a file and a filter, and remembers how the dialog was set up.
class SaveResponder : public TDialogResponder {
public:
  SaveResponder(std::string fileName, Integer filterIndex) : fileName_(std::move(fileName)), filter_(filterIndex) {
    previous_ = SetDialogResponder(this);
  }
  ~SaveResponder() override { SetDialogResponder(previous_); }
  bool Execute(TCommonDialog* dialog) override {
    auto* save = dynamic_cast<TSaveDialog*>(dialog);
    if (!save) return false;
    Title = save->Title;
    Filter = save->Filter;
    DefaultExt = save->DefaultExt;
    OverwritePrompt = save->Options.Contains(ofOverwritePrompt);
    save->FileName = fileName_;
    save->FilterIndex = filter_;
    ++Shown;
    return true;
  }
  std::string Title, Filter, DefaultExt;
  bool OverwritePrompt = false;
  int Shown = 0;

private:
  std::string fileName_;
  Integer filter_;
  TDialogResponder* previous_;
};

class ResultsTest : public app_testing::AppTest {
protected:
  // The window as a caller makes it, with its PDF file not opened in a viewer afterwards.
  std::unique_ptr<TPrintGeneralListDialog> Make(const std::string& title = "Spelling errors of all books") {
    auto dialog = std::make_unique<TPrintGeneralListDialog>(nullptr);
    dialog->SetCaption(title);
    dialog->Title = title;
    dialog->PDFDocument1->SetAutoLaunch(false);
    return dialog;
  }
  // Chooses a menu item of the window by its command, as a click on it does.
  static void Command(TPrintGeneralListDialog* dialog, const char* item) {
    auto* menuItem = static_cast<TMenuItem*>(dialog->FindComponent(item));
    ASSERT_TRUE(menuItem) << item;
    SendMessageA(dialog->GetHandle(), WM_COMMAND, menuItem->GetCommand(), 0);
  }
  static bool Enabled(TPrintGeneralListDialog* dialog, const char* item) {
    return static_cast<TMenuItem*>(dialog->FindComponent(item))->GetEnabled();
  }
  std::string ReferenceFile() const { return Projects() + "pelorin.ref"; }
  void WriteReferenceFile(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    testing_support::WriteFileBytes(ReferenceFile(), bytes);
  }
};

}  // namespace results_testing
