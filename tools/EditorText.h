// The text of a conversion's rich-text editor as lines and back, and the loading of the files the
// conversions start from, with a clear message for a file that cannot serve.
#pragma once

#include "tools/ConversionText.h"

class TCustomUzurUvad;

// The document's paragraphs as lines of 8-bit text (an empty last paragraph gives no line, as a
// string list reads the text). Text read as Unicode comes out as the system converts it to its
// code page (a letter the code page lacks becomes its nearest letter, where the system knows one),
// not as question marks.
TextLines DocumentLines(TCustomUzurUvad* editor);
// The document as the plain text a save writes: the lines joined with carriage return and line feed.
AnsiString DocumentText(TCustomUzurUvad* editor);
// Replaces the document by the lines, one paragraph each in the first text and paragraph style,
// and lays it out.
void ShowLines(TCustomUzurUvad* editor, const TextLines& lines);

// Appends an RTF file to the document (the caller clears and formats). Empty on success;
// otherwise the message that says why nothing was loaded: the file cannot be read, is empty, or
// is no RTF document.
AnsiString LoadRTFDocument(TCustomUzurUvad* editor, const AnsiString& fileName);
