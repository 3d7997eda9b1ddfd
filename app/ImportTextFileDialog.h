// The save dialog of BibleWorks import text, shared by the two conversions that make it.
#pragma once

#include "classlib/System.h"

class TComponent;

// Asks where to save the import text: a text file, normally in the "userdb" folder of the
// setting "BibleWorks Folder", where the dialog starts; it asks before replacing a file. False
// when the user cancels.
bool ChooseImportTextFile(TComponent* owner, AnsiString& fileName);
