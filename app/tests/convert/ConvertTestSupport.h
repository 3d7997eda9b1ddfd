// What the conversion dialogs' tests share: a user who answers the file dialogs, the folder
// picker and the questions, and small RTF documents.
#pragma once

#include <string>
#include <vector>

#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/DialogDriver.h"
#include "classlib/Dialogs.h"

namespace convert_testing {

using app_testing::Lines;

// Answers each open or save dialog with the next file of its list (cancels when none is left),
// the folder picker with Folder (cancels when empty) and each question with Answer; remembers
// how the dialogs were set up and what was asked.
struct User : TDialogResponder {
  User() : previous(SetDialogResponder(this)) {}
  ~User() override { SetDialogResponder(previous); }
  bool Execute(TCommonDialog* dialog) override {
    auto* file = dynamic_cast<TOpenDialog*>(dialog);
    if (!file) return false;
    Filters.push_back(file->Filter);
    Titles.push_back(file->Title);
    InitialDirs.push_back(file->InitialDir);
    DefaultExts.push_back(file->DefaultExt);
    if (Files.empty()) return false;
    file->FileName = Files.front();
    Files.erase(Files.begin());
    return true;
  }
  Integer Message(const AnsiString&, const AnsiString& text, TMsgDlgType, TMsgDlgButtons) override {
    Asked.push_back(text);
    return Answer;
  }
  bool SelectDirectory(const AnsiString&, const AnsiString&, AnsiString& directory) override {
    StartedAt.push_back(directory);
    if (Folder.empty()) return false;
    directory = Folder;
    return true;
  }
  TDialogResponder* previous;
  Lines Files;
  std::string Folder;
  Integer Answer = mrYes;
  Lines Filters, Titles, InitialDirs, DefaultExts, Asked, StartedAt;
};

// An RTF document of one paragraph a line (characters above 127 written as escapes).
inline std::string Rtf(const Lines& lines) {
  std::string text = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20 ";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\\par ";
    text += lines[i];
  }
  return text + "\\par}";
}

}  // namespace convert_testing
