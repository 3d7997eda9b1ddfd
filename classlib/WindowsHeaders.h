// The Windows headers as every unit sees them: the headers map many names (DeleteFile, CopyFile,
// TextOut, MessageBox, ...) to their ANSI forms with macros; those names are also the class
// library's own routines and methods, so the macros are removed here. Add a name to the list
// when a new clash appears. Units include classlib/WinApi.h, which includes this.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <ddeml.h>
#include <imm.h>
#include <mmsystem.h>
#include <richedit.h>
#include <shellapi.h>
#include <shlobj.h>

#undef CopyFile
#undef CreateDirectory
#undef CreateFont
#undef CreateWindow
#undef DeleteFile
#undef DrawText
#undef FindText
#undef GetClassName
#undef GetCurrentDirectory
#undef GetObject
#undef GetTextMetrics
#undef LoadBitmap
#undef LoadCursor
#undef LoadIcon
#undef MessageBox
#undef MoveFile
#undef PostMessage
#undef ReplaceText
#undef SendMessage
#undef SetCurrentDirectory
#undef StartDoc
#undef TextOut
#undef Yield
