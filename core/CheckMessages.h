// Where the findings of the checks go. The checks call AddCheckMessage and AddPlainMessage; the
// lines land in the message target: the main window's results list, or any string list a tool or
// a test provides. AddCheckMessage is also the filter that puts the current reference in front of
// a finding and drops it when the user chose to ignore that line.
#pragma once

#include "classlib/System.h"

class TStrings;
class TUSFM;

// Sets the list that receives the lines and the list of ignored lines (either may be nullptr:
// without results list the lines are dropped, without ignore list nothing is ignored).
// Neither is owned.
void SetMessageTarget(TStrings* results, TStrings* ignoreList);
TStrings* MessageResults();
TStrings* MessageIgnoreList();

// The results line of a finding: with the reference flag, the marker checker's current reference
// ("MAT 5:3 ") followed by the text; otherwise the text alone.
AnsiString CheckMessageLine(TUSFM* usfm, const AnsiString& text, bool withReference);
// The text of a finding in running text: the marker checker's last 23 running-text characters,
// " - " and the message.
AnsiString WindowMessageText(TUSFM* usfm, const AnsiString& message);
// True when the ignore list holds the line, letter case ignored.
bool IsIgnoredMessage(const AnsiString& line, TStrings* ignoreList);

// The line as it can be shown and sent: a NUL byte of the book becomes "<NUL>".
AnsiString ShowableMessage(const AnsiString& line);
// Adds the finding's line (as ShowableMessage gives it) at the end of the results list unless it
// is ignored. usfm may be nullptr when withReference is false.
void AddCheckMessage(TUSFM* usfm, const AnsiString& text, bool withReference);
// AddCheckMessage of WindowMessageText with the reference in front: how the checks of the running
// text report.
void AddWindowMessage(TUSFM* usfm, const AnsiString& message);
// Adds the text at the end of the results list as it is, never filtered.
void AddPlainMessage(const AnsiString& text);
