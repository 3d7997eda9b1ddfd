// Command lines of the programs this program starts. Windows splits a command line at blanks
// and, for a program path that is not in quotes, tries each prefix that ends at a blank as a
// program of its own: "C:\Program Files\Pelorin\Editor\editor.exe" would first run
// "C:\Program.exe" if there were one. So a program is named by its full path in double quotes,
// every file argument is quoted too, and the program is handed to CreateProcess as the
// application name as well, so that the system runs that file and no other.
#pragma once

#include <initializer_list>

#include "classlib/System.h"
#include "classlib/WinApi.h"

// Text in double quotes, as one argument of a command line.
AnsiString QuotedArgument(const AnsiString& Text);

// The command line that starts Program (a full path) with the arguments: each in double quotes,
// separated by blanks.
AnsiString QuotedCommandLine(const AnsiString& Program, std::initializer_list<AnsiString> Arguments = {});

// The program a command line names in double quotes at its start, with ".exe" added when its
// file name has no extension (as the system adds it); empty when the line does not start with a
// quoted path that holds a folder (a bare name is left to the system's search).
AnsiString QuotedProgramOf(const AnsiString& CommandLine);

// Starts a command line with the window shown as Show (SW_...). A program named in quotes at the
// start of the line is also the application name. False when it cannot be started; otherwise
// Info holds the new process's handles, which the caller closes.
bool StartCommandLine(const AnsiString& CommandLine, WORD Show, PROCESS_INFORMATION& Info);

// The Windows folder with a trailing backslash, where the system's own programs (such as the
// help viewer "hh.exe") are.
AnsiString WindowsFolder();
