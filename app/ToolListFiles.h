// Saving the lists the tool dialogs keep (names, unwanted words, word lists) as text files, one
// entry per line: the file is replaced whole or not at all, and a failure is said in a message box.
#pragma once

#include "classlib/System.h"

class TStrings;

// Writes the lines to the file through a new file that then takes the old one's place; true when
// that worked. Otherwise the old file is left as it was and a message box says which list could not
// be saved and why.
bool SaveListFile(TStrings* lines, const AnsiString& path);
