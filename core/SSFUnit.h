// Reading the few values the program needs from a Paratext project's settings file
// (projects folder + short name + ".ssf", one element per line) and from a language settings file
// (projects folder + language + ".lds"), by a plain line rule rather than an XML parser.
// A missing file raises the class library's file-open error; a missing tag gives empty text.
#pragma once

#include "classlib/System.h"

class TStrings;

// The tags ReadProjectTag knows, by index.
enum TProjectTag {
  ptFullName = 0,
  ptDirectory = 1,
  ptNaming = 2,
  ptDefaultFont = 3,
  ptDefaultFontSize = 4,
  ptVersification = 5,
  ptLanguage = 6,
  ptStyleSheet = 7,
};

// The keys ReadLanguageSetting knows, by index.
enum TLanguageKey {
  lkFont = 0,
  lkSize = 1,
};

// Clears the list, then adds the short name of every "*.ssf" file in the projects folder, in the
// order the file search returns them.
void ListProjectFiles(TStrings* list);
// The text of the first line whose element name begins with the tag's name.
AnsiString ReadProjectTag(const AnsiString& shortName, int tag);
AnsiString GetProjectFullName(const AnsiString& shortName);
AnsiString GetProjectDirectory(const AnsiString& shortName);
AnsiString GetProjectStyleSheet(const AnsiString& shortName);
// The book-file naming rule: file name = prePart + book code + postPart.
void GetProjectNaming(const AnsiString& shortName, AnsiString& prePart, AnsiString& postPart,
                      AnsiString& bookNameForm);
// 1..5; 4 (English) when the tag is missing, no number or out of range.
int GetProjectVersification(const AnsiString& shortName);
// The rest of the first trimmed line of the language file that begins with the key.
AnsiString ReadLanguageSetting(const AnsiString& language, int key);
AnsiString GetLanguageFontName(const AnsiString& shortName);
// The language's font size in points; 12 when it is no number.
int GetLanguageFontSize(const AnsiString& shortName);
