// The standard format markers of a book. TUSFM has two faces:
// - a line checker (CheckLine): each line must begin with a marker the style sheet declares, the
//   book marker must agree with the file, chapters and verses must run 1, 2, 3 ..., and no marker
//   may stand inside a line;
// - a character walker (ProcessChar), fed every character of a book in order: it follows the book
//   id, chapter and verse, tells markup from running text, keeps the last 23 running-text
//   characters and a few flags about headings and paragraphs for the punctuation checks and the
//   word lists.
// Its findings go to AddCheckMessage with the current reference in front.
#pragma once

#include "classlib/System.h"

class TScripture;

class TUSFM : public TObject {
  CLASS_INFO(TUSFM, TObject)
public:
  static constexpr int WindowLength = 23;

  explicit TUSFM(TScripture* scripture);

  // Starts a book: clears the walker's state and sets the reference to chapter 0, verse 0.
  void Reset();
  void CheckLine(const AnsiString& line);
  // True when the character is markup, false when it is running text.
  bool ProcessChar(char c);
  // Book id, blank, chapter, ":", verse and a trailing blank, e.g. "MAT 5:3 ".
  AnsiString GetReference() const;
  // The character n places before the newest of Window (0 the newest, 22 the oldest).
  char WindowChar(int n) const { return Window[WindowLength - 1 - n]; }

  bool InMarker = false;
  bool InId = false;
  bool IdDone = false;
  AnsiString Marker;
  AnsiString IdText;
  bool ChapterPending = false;
  AnsiString ChapterText;
  bool VersePending = false;
  AnsiString VerseText;
  Integer MarkupCount = 0;  // blanks still to pass before running text resumes
  bool SkipLine = false;
  bool VerseChecksOff = false;
  Integer PrevChapter = 0;
  Integer Chapter = 0;
  Integer PrevVerse = 0;
  Integer Verse = 0;
  TScripture* Scripture;  // not owned
  bool ChapterStarted = false;
  bool FirstChapter = true;
  bool InHeading = false;
  bool InParagraph = false;
  Integer HeadingCount = 0;
  bool InTitle = false;
  // Exactly 23 characters, the last running-text characters, oldest first.
  AnsiString Window;
  // Set by the caller to the id expected from the file list; replaced by the id in the "\id" line.
  AnsiString BookId;
  // The book file's path, set by the caller.
  AnsiString FileName;

private:
  void Message(const AnsiString& text);
  void EndMarker();
};
