// The exchange of reference lists between Paratext and BibleWorks. Each keeps a list of verse
// references in a file of its own: "pelorin.ref" in the Paratext projects folder (one line per
// reference: book id, blank, chapter ":" verse, optionally a blank and further text) and
// "pelorin.vls" in the BibleWorks folder (a first line "BWRL 1", then "KJV ", the BibleWorks name of
// the book, a blank and chapter ":" verse per line). A list made in one program is converted into
// the other's file so that the other program can open it.
#pragma once

#include "classlib/System.h"

// The two folders, as BuildRefFolders took them from the settings (the Paratext projects folder
// and the setting "BibleWorks Folder").
extern AnsiString ParatextFolder;
extern AnsiString BibleWorksFolder;

extern const char* const ParatextReferenceFileName;    // "pelorin.ref"
extern const char* const BibleWorksReferenceFileName;  // "pelorin.vls"

// Takes the two folders from the settings; called once when the main window is created.
void BuildRefFolders();

// The full paths of the two exchange files (folder, backslash, file name); empty while the folder
// is not set, so that no file is ever looked for in the current folder or the drive's root.
AnsiString ParatextReferenceFile();
AnsiString BibleWorksReferenceFile();

// Converts a list with the direction "paratext" ("pelorin.ref" into "pelorin.vls") or
// "bibleworks" ("pelorin.vls" into "pelorin.ref"). A source that cannot be read counts as an empty
// list; a target that cannot be written stays as it was. `message` tells the user what to do next,
// beginning with the time of day in the long time format, or is "Error encountered" for any other
// direction, which touches no file. The file attributes are neither read nor changed.
void ConvertReferenceList(const AnsiString& direction, AnsiString& message);
// The same with the time of day that the message gives.
void ConvertReferenceList(const AnsiString& direction, AnsiString& message, TDateTime timeOfDay);

// What an exchange file looked like: whether it existed, its last-write time (in 100 ns units) and
// its size. The link remembers the stamp of each file after converting, because the archive
// attribute that marks a written file cannot be relied on to be cleared.
struct TExchangeFileStamp {
  bool Exists = false;
  Int64 LastWrite = 0;
  Int64 Size = 0;
  bool operator==(const TExchangeFileStamp&) const = default;
};

TExchangeFileStamp ReadExchangeFileStamp(const AnsiString& fileName);
// True when the file exists with its archive attribute set and its last-write time or size
// differs from the stamp taken after the last conversion.
bool ExchangeFileChanged(const AnsiString& fileName, const TExchangeFileStamp& lastConverted);
