// The notes of a Paratext project (one note a verse, or a chapter or book heading) as a notes file
// of the Translation Notes Editor: XML text with one "Note" element a note, each tied to a book,
// chapter and verse, with its own creation and modification dates one second apart.
#pragma once

#include "classlib/WinApi.h"
#include "tools/ConversionText.h"

// What every note carries besides its place and text; empty categories are left out.
struct TTNENoteSettings {
  AnsiString TypeCode = "2";  // "2" no issue, "4" resolved, "3" unresolved
  AnsiString Category1, Category2, Category3;
  AnsiString CreatedBy = "Pelorin";
  AnsiString Project = "Translation";
  AnsiString NoteLanguage = "English";
  // A note whose text contains this (when it is not empty) is unresolved, whatever TypeCode says.
  AnsiString Unresolved;
};

// One export run: the file's lines, the notes counted, and the clock of the dates.
class TTNEExport {
public:
  // `start` is the moment of the conversion; the first date written is one second after it.
  TTNEExport(const TTNENoteSettings& settings, const SYSTEMTIME& start);

  // Adds the notes of one book (its identifier and its lines). "<" and ">" of a line become "[" and
  // "]" in its note.
  void AddBook(const AnsiString& bookId, const TextLines& lines);
  // The whole file's lines, the closing element included.
  TextLines Finish();
  int NoteCount() const { return count_; }

private:
  void WriteNote(const AnsiString& text);
  AnsiString NextDate();

  TTNENoteSettings settings_;
  TextLines lines_;
  int count_ = 0;
  unsigned long long clock_ = 0;  // 100 ns units, as a file time
  AnsiString bookId_, chapter_ = "1", verse_ = "1";
};

// The text with "&", "<" and ">" (of the settings; a note has none left) written as XML entities, and every character that ISO-8859-1 (the
// file's declared encoding) would read as another written as a character reference ("&#8217;").
AnsiString EscapeXmlText(const AnsiString& text);
