// System helpers of the system components: file-name and path routines, registry writing and
// the auto-run keys, the operating-system kind, and the registry change-notification calls that
// the registry monitor's worker waits on.
#pragma once

#include "classlib/Controls.h"
#include "classlib/TypInfo.h"
#include "classlib/WinApi.h"

class TStrings;

// --- File names and strings ----------------------------------------------------------------------

// Replaces every occurrence of OldText by NewText, searching on after each inserted text.
void ReplaceAll(AnsiString& S, const AnsiString& OldText, const AnsiString& NewText);
void ReplaceChar(AnsiString& S, AnsiChar OldChar, AnsiChar NewChar);
// Cuts S at every Delimiter (one character or a longer text) and adds the pieces to Strings as
// lines; a delimiter at the very end adds no empty line.
void SplitToStrings(const AnsiString& S, const AnsiString& Delimiter, TStrings* Strings);
// Whether a file of that name exists or could be made: an absent file is created and deleted
// again to find out.
bool CanCreateFile(const AnsiString& FileName);
// The path with one trailing backslash.
AnsiString AddSlash(const AnsiString& Path);
// Every "\\" becomes "\".
AnsiString RemoveDoubleSlashes(const AnsiString& Path);
// The part after, and the part up to and with, the last "\", ":" or "/".
AnsiString ExtractFileNameEx(const AnsiString& S);
AnsiString ExtractFilePathEx(const AnsiString& S);
// ExtractFileNameEx without the extension.
AnsiString ExtractFileNameNoExt(const AnsiString& S);
// Dest as it is when it names a drive ("X:" or a UNC share), else Dest below Folder.
AnsiString ResolveDestination(const AnsiString& Folder, const AnsiString& Dest);
// The full target name of Source copied to Dest: Dest's folder (or Source's when Dest has
// none), then Dest's name and extension, each taken from Source where Dest leaves it empty or
// writes it with the wildcards "*" or "?". A blank Dest gives Source.
AnsiString ExpandDestinationName(const AnsiString& Source, const AnsiString& Dest);

// --- Registry and auto-run ----------------------------------------------------------------------

enum TsycRegRootKey { rrkClassesRoot, rrkCurrentUser, rrkLocalMachine, rrkUsers, rrkCurrentConfig, rrkDynData };
ENUM_NAMES(TsycRegRootKey, "rrkClassesRoot", "rrkCurrentUser", "rrkLocalMachine", "rrkUsers", "rrkCurrentConfig",
           "rrkDynData");

// The predefined key that a root stands for.
HKEY RegRootKeyHandle(TsycRegRootKey RootKey) noexcept;

enum TsycAutoExecKind {
  aekMachineRun,
  aekMachineRunOnce,
  aekUserRun,
  aekUserRunOnce,
  aekServiceRun,
  aekServiceRunOnce
};
ENUM_NAMES(TsycAutoExecKind, "aekMachineRun", "aekMachineRunOnce", "aekUserRun", "aekUserRunOnce", "aekServiceRun",
           "aekServiceRunOnce");

// Writes a string value, creating Key below RootKey when needed. Raises ERegistryException
// "Unable to open the %s key" when the key cannot be opened.
void WriteRegString(HKEY RootKey, const AnsiString& Key, const AnsiString& Name, const AnsiString& Value);
// The key that holds the programs started for Kind.
void GetAutoRunKey(TsycAutoExecKind Kind, HKEY& RootKey, AnsiString& Key);
// Adds the program FileName to the auto-run key of Kind, under its file name. The service
// kinds do not exist on the NT platform: false there.
bool AddToAutoRun(TsycAutoExecKind Kind, const AnsiString& FileName);
// Removes FileName's value from the auto-run key of Kind; true when it is not (or no longer)
// there.
bool RemoveFromAutoRun(TsycAutoExecKind Kind, const AnsiString& FileName);

// --- Registry change notification ---------------------------------------------------------------

// What a change notification of a key was asked for, so that it can be asked for again.
struct TsycRegNotifyRec {
  HKEY Key = nullptr;
  BOOL WatchSubTree = 0;  // 0 or -1
  DWORD Filter = 0;
};

// Asks for an asynchronous notification of a change of Key on a new manual-reset event and
// returns the event; INVALID_HANDLE_VALUE on failure, with the failure code as the thread's
// last error.
HANDLE RegNotifyStart(HKEY Key, bool WatchSubTree, DWORD Filter, TsycRegNotifyRec& Rec);
// Resets Event and asks for the next notification; false on failure (last error set).
bool RegNotifyReset(HANDLE Event, const TsycRegNotifyRec& Rec);
// Closes Handle unless it is INVALID_HANDLE_VALUE (or null).
void CloseHandleIfValid(HANDLE Handle);

// --- The system ---------------------------------------------------------------------------------

// The Windows version the program runs on: 0 for none of these, 1 Windows 95, 2 Windows 95 OSR2,
// 3 Windows 98, 4 Windows 98 SE, 5 NT 3, 6 NT 4, 7 Windows 2000, 8 Windows ME, 9 Windows XP.
Integer GetOSKind();
// The kind of a given version (what GetOSKind answers for it). Build is the version's build
// number as the system reports it; on the 9x platform only its low word counts.
Integer OSKindOfVersion(DWORD PlatformId, DWORD Major, DWORD Minor, DWORD Build, const AnsiString& ServiceText);

// The modifier keys held down now: shift, alt and control.
TShiftState GetShiftState();

// The colour of the screen pixel under the mouse cursor.
COLORREF GetColorUnderCursor();

// Set when the program starts.
extern AnsiString ExePath;      // the program's folder, with a trailing backslash
extern AnsiString LogFileName;  // the program's path with the extension ".log"
extern bool IsWin95, IsWin95OSR2, IsWin98, IsWin98SE, IsWinNT3, IsWinNT4, IsWin2000, IsWinME, IsWinXP;
extern bool IsWinNT;  // the NT platform
