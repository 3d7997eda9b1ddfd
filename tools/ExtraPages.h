// The extra pages of the printed Bible (cover, first, Old and New Testament title and last pages):
// rich-text documents in the current project's work folder that the user edits in the program's
// editor, "Editor\editor.exe" in the program folder.
#pragma once

#include "classlib/System.h"

enum TExtraPageKind : int {
  epCover = 0,
  epFirst = 1,
  epOTTitle = 2,
  epNTTitle = 3,
  epLast = 4,
};
constexpr int ExtraPageKindCount = 5;

// "CoverPage.uvf", "FirstPage.uvf", "OTTitlePage.uvf", "NTTitlePage.uvf", "LastPage.uvf".
const char* ExtraPageName(int kind);
// The full path of the kind's document in the current project's work folder.
AnsiString ExtraPageFileName(int kind);

// The placeholders that printing replaces by a testament's table of contents.
extern const char OldTestamentContentsPlaceholder[];
extern const char NewTestamentContentsPlaceholder[];

// Makes sure the kind's document exists: a missing one is copied from the template of the same
// name in the program folder or, when there is none, written as a short starting page (a centred
// title; the testament title pages with their placeholder). Raises the file error when it cannot
// be written.
void PrepareExtraPage(int kind);

// The editor: the program folder + "Editor\editor.exe".
AnsiString ExtraPageEditor();
// The editor's command line for a document: the editor's path in double quotes, then the
// document's path in double quotes twice.
AnsiString ExtraPageEditorCommandLine(const AnsiString& path);
// Prepares the kind's document and starts the editor on it (not waited for). Empty on success,
// else a message that says what failed.
AnsiString EditExtraPage(int kind);
