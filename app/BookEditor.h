// The editor that shows the book being checked, as the background work of the main window uses
// it: the book is loaded into it as plain text, read back from it as lines, replaced by lines the
// white-space check has mended, and saved from it. The main window's editor implements it.
#pragma once

#include "classlib/System.h"

class TStrings;
struct TFontRecord;

class TBookEditor {
public:
  virtual ~TBookEditor() = default;

  // Removes all text.
  virtual void Clear() = 0;
  // The font of the text (text style 0).
  virtual void SetTextFont(const TFontRecord& font) = 0;
  // Appends the lines of a plain-text file, one paragraph per line; false when it cannot be read.
  virtual bool LoadText(const AnsiString& fileName) = 0;
  // Lays the text out again after it was changed.
  virtual void Format() = 0;
  // The text as lines, as plain text with a line width of 10000.
  virtual void GetLines(TStrings* lines) = 0;
  // Writes the text as plain text with a line width of 10000; false when it cannot be written.
  virtual bool SaveText(const AnsiString& fileName) = 0;
  // Whether the text changed since it was loaded or saved.
  virtual bool GetModified() = 0;
  virtual void SetModified(bool value) = 0;
};

// Loads a book file into the editor: cleared, in the editor text's font (font record 9), formatted
// and marked as not modified; its text read back into `lines`. False when any step failed.
bool LoadBookIntoEditor(TBookEditor* editor, const AnsiString& path, TStrings* lines);

// Replaces the editor's text by the lines and marks it modified. The lines go through the file
// "CopyEditControlLinesToUzurUvadEdit.txt" in the program folder, which is deleted afterwards.
void CopyLinesToEditor(TStrings* lines, TBookEditor* editor);
