// The program folder: where the program-wide files live ("brackets.txt", "pelorin.fnt", the
// consistency lists, ...), found by appending bare file names to it.
#pragma once

#include "classlib/System.h"

// The executable's folder with a trailing backslash, once InitProgramFolder has run.
extern AnsiString ProgramFolder;

// Sets ProgramFolder and writes "brackets.txt" there with the four default pairs when it is
// missing (a folder that cannot be written is left as it is).
void InitProgramFolder();
// Writes "brackets.txt" into the folder with the pairs "[]", "{}", "()" and "<>" when it is missing.
void WriteDefaultBrackets(const AnsiString& folder);
