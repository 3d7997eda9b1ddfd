// The focus link with Paratext and the search for the two programs' windows. Paratext publishes
// the reference it shows as the default value of the current user's key
// "\Software\SantaFe\Focus\ScriptureReference"; a list of references for Paratext to show is
// written as the default value of "\Software\SantaFe\Focus\ScriptureReferenceList" and announced
// by posting the registered window message "SantaFeFocus" (parameters 2 and 0) to every top-level
// window.
#pragma once

#include "classlib/System.h"

class TStrings;

extern const char* const FocusReferenceKey;      // "\Software\SantaFe\Focus\ScriptureReference"
extern const char* const FocusReferenceListKey;  // "\Software\SantaFe\Focus\ScriptureReferenceList"
extern const char* const FocusMessageName;       // "SantaFeFocus"

// True when a top-level window has exactly this title, or else when the title of one (its first
// 260 characters) begins with it, letter case aside.
bool FindWindowByTitle(const AnsiString& title);

// The reference Paratext shows ("MAT 5:3"); empty when none. The key is created when missing.
AnsiString GetFocusReference();

// The reference list as Paratext reads it, from result lines: per line that begins with a book
// identifier and holds a reference (the trimmed line up to its first colon and the digits after
// it), the reference, a tab and the rest of the line trimmed, with "[1]" in front unless it
// begins with "[", ended by carriage return and line feed. Other lines are left out.
AnsiString FocusReferenceListText(TStrings* lines);

// Writes the reference list of the lines into the registry and posts "SantaFeFocus" (2, 0) to
// every top-level window, so that Paratext shows the list.
void SetFocusReferenceList(TStrings* lines);

// "Results to Paratext": the result lines that begin with a book identifier are saved as
// "pelorin.ref" in the Paratext projects folder and sent with SetFocusReferenceList. Returns the
// file's path, or empty when it could not be written (the list is sent all the same).
AnsiString SendResultsToParatext(TStrings* results);
