// The folder browser.
#pragma once

#include "classlib/WinApi.h"

// Shows the system's folder browser with Caption as its instruction, limited to the folder Root
// and below (the whole namespace when Root is empty), with Directory chosen at the start. True,
// with Directory set to the chosen folder (without a trailing backslash, except for a drive's
// root), when the user confirmed a folder of the file system.
bool SelectDirectory(const AnsiString& Caption, const AnsiString& Root, AnsiString& Directory);
// The same with the browser owned by Owner (the active window when none) and the shell's BIF_
// flags as given.
bool SelectDirectory(const AnsiString& Caption, const AnsiString& Root, AnsiString& Directory, HWND Owner,
                     UINT Flags);
