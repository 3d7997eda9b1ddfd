#include "core/USFMUnit.h"

#include <cstring>
#include <memory>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckMessages.h"
#include "core/ScripturesUnit.h"
#include "core/StyleSheetUnit.h"
#include "core/Utilities.h"

namespace {

const char kQ = '"';

AnsiString Quoted(const AnsiString& text) { return kQ + LineFeedsToBlanks(text) + kQ; }

// The number made by the digits at the start of the text; 0 when it starts with none.
Integer LeadingNumber(const AnsiString& text) {
  Integer n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    if (n < 100000000) n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

TUSFM::TUSFM(TScripture* scripture) : Scripture(scripture) { Reset(); }

void TUSFM::Reset() {
  InMarker = false;
  InId = false;
  IdDone = false;
  Marker.clear();
  ChapterPending = false;
  VersePending = false;
  SkipLine = false;
  InHeading = false;
  InParagraph = false;
  MarkupCount = 0;
  HeadingCount = 0;
  FirstChapter = true;
  // Text before the book's first chapter line belongs to no verse of an earlier book: its
  // messages carry "<ID> 0:0". The line checker restarts its own sequence at the first chapter,
  // so the sequence checks do not depend on these.
  PrevChapter = 0;
  Chapter = 0;
  PrevVerse = 0;
  Verse = 0;
  Window.assign(WindowLength, '-');
}

AnsiString TUSFM::GetReference() const {
  return BookId + " " + IntToStr(Chapter) + ":" + IntToStr(Verse) + " ";
}

void TUSFM::Message(const AnsiString& text) { AddCheckMessage(this, text, true); }

void TUSFM::CheckLine(const AnsiString& line) {
  if (line.empty() || line[0] != '\\') {
    Message("Line " + Quoted(line) + " does not start with a backslash");
    return;
  }
  const AnsiString r = Copy(line, 2, Length(line));
  const int p = Pos(" ", r);
  AnsiString marker;
  if (p == 0) {
    marker = r;
  } else if (p == 1) {
    Message("Format marker in line " + Quoted(r) + " is too short");
    return;
  } else {
    marker = Copy(r, 1, p - 1);
  }
  if (marker.empty()) {
    Message("Empty format marker in line " + Quoted(r));
    return;
  }
  const int index = FindStyleSheetMarker(marker);
  if (index < 0) {
    Message("The format marker " + Quoted(marker) + " that is in the text is not in the stylesheet");
    return;
  }
  const TStyleSheetTextProperties properties = StyleSheetTextProperties[index];
  const StyleSheetTextTypeType textType = StyleSheetTextTypes[index];
  // What follows the marker and one blank: an id or a number.
  const AnsiString t = Copy(r, Length(marker) + 2, 3);

  if (properties & tpBook) {
    // The id must be the book's own three-letter id: one that merely occurs in it ("JH") is wrong.
    if (t != UpperCase(BookId))
      Message("The id " + Quoted(t) + " and the filename " + Quoted(ExtractFileName(FileName)) + " do not agree.");
    else
      BookId = t;
  }

  if (textType == sttChapterNumber) {
    VerseChecksOff = false;
    ChapterText = FirstNumberInString(t);
    if (ChapterText.empty()) {
      ChapterText = "0";
      Message("No valid chapter number found in line " + Quoted(r));
      return;
    }
    if (ChapterText != t) Message("There is a formatting problem with the chapter number in line " + Quoted(r));
    PrevChapter = Chapter;
    PrevVerse = 0;
    Verse = 1;
    Chapter = StrToInt(ChapterText);
    const bool scriptureLoaded = Scripture && Scripture->Loaded;
    if (scriptureLoaded || FirstChapter) {
      PrevChapter = 0;
      if (Scripture) Scripture->Loaded = false;
      FirstChapter = false;
      if (Chapter != 1) {
        Chapter = 1;
        Message("Chapter number should be 1, but it is " + LineFeedsToBlanks(ChapterText) + ".");
      }
    }
    if (Chapter != PrevChapter + 1) {
      Chapter = PrevChapter + 1;
      Message("Chapter number is out of sequence: " + LineFeedsToBlanks(ChapterText) +
              "; therefore rejected; it should be " + IntToStr(PrevChapter + 1) + ".");
    }
    ChapterPending = false;
    ChapterStarted = true;
  }

  if (textType == sttVerseNumber) {
    PrevVerse = Verse;
    VerseText = FirstNumberInString(t);
    if (VerseText.empty()) {
      Message("No valid verse number found in line " + Quoted(r));
      Verse = PrevVerse;
      return;
    }
    Verse = StrToInt(VerseText);
    if (ChapterStarted) {
      PrevVerse = 0;
      ChapterStarted = false;
      if (Verse != 1) {
        Verse = 1;
        Message("Verse number should be 1, but it is " + LineFeedsToBlanks(VerseText) + ".");
      }
    }
    if (Verse != PrevVerse + 1) {
      Verse = PrevVerse + 1;
      if (!VerseChecksOff) {
        Message("Verse number is out of sequence: " + LineFeedsToBlanks(VerseText) +
                "; therefore rejected; it should be " + IntToStr(PrevVerse + 1) + ".");
        Message("Further checks on verse numbers within this chapter disabled.");
      }
      VerseChecksOff = true;
    }
  }

  if (Pos("\\", r) > 0) {
    std::unique_ptr<TStringList> words(new TStringList());
    SplitLineIntoWords(r, words.get(), false);
    for (int i = 0; i < words->GetCount(); ++i) {
      const AnsiString word = words->GetStrings(i);
      if (!word.empty() && word[0] == '\\')
        Message("The format marker " + Quoted(word) + " is not at the beginning of the line");
    }
  }
}

// A blank or line feed ends the marker being read: act on its name.
void TUSFM::EndMarker() {
  Marker.pop_back();  // the blank or line feed that ended it
  if (Marker == "id") {
    InId = true;
    IdDone = false;
    IdText.clear();
    SkipLine = true;
  } else if (Marker == "h") {
    SkipLine = true;
  } else if (Marker == "st" || Marker == "mt") {
    MarkupCount = 1;
    InHeading = true;
    ++HeadingCount;
    InTitle = true;
  } else if (Marker == "c") {
    ChapterPending = true;
    ChapterText.clear();
    MarkupCount = 2;
    InHeading = false;
    ++HeadingCount;
    InTitle = false;
  } else if (Marker == "s") {
    MarkupCount = 1;
    InHeading = true;
    ++HeadingCount;
    InTitle = false;
  } else if (Marker == "p") {
    MarkupCount = 1;
    InParagraph = true;
    InHeading = false;
    InTitle = false;
  } else if (Marker == "v") {
    VersePending = true;
    VerseText.clear();
    MarkupCount = 2;
    InHeading = false;
    InTitle = false;
  } else if (Marker == "z") {
    SkipLine = true;
    MarkupCount = 0;
    InHeading = false;
    InTitle = false;
  } else if (Marker == "nb") {
    MarkupCount = 1;
    InHeading = false;
    InTitle = false;
  } else if (Marker == "q") {
    MarkupCount = 1;
    InHeading = false;
  }
}

bool TUSFM::ProcessChar(char c) {
  if (InMarker) Marker.push_back(c);
  if (c == '\\') {
    InMarker = true;
    Marker.clear();
    MarkupCount = 1;
  }
  const bool blank = c == ' ';
  const bool lineFeed = c == '\n';
  if (blank || lineFeed) {
    if (InMarker) EndMarker();
    InMarker = false;
    Marker.clear();
  }
  if (InId) {
    if (!IdDone) {
      IdText.push_back(c);
      if (IdText.size() == 4) {
        IdText.erase(0, 1);  // the blank after "\id"
        IdDone = true;
        BookId = IdText;
      }
    }
    if (lineFeed) InId = false;
  }
  if (ChapterPending) {
    ChapterText.push_back(c);
    if (lineFeed) {
      ChapterText.pop_back();
      ChapterText.erase(0, 1);
      PrevChapter = Chapter;
      PrevVerse = 0;
      Verse = 1;
      Chapter = LeadingNumber(ChapterText);
      ChapterPending = false;
    }
  }
  if (VersePending) {
    VerseText.push_back(c);
    if (blank && VerseText != " ") {
      PrevVerse = Verse;
      VerseText.pop_back();
      VerseText.erase(0, 1);
      Verse = LeadingNumber(VerseText);
      VersePending = false;
    }
  }
  if (lineFeed) SkipLine = false;
  if (blank) --MarkupCount;

  if (SkipLine || MarkupCount >= 1 || lineFeed || c == '\\') return true;
  std::memmove(&Window[0], &Window[1], WindowLength - 1);
  Window[WindowLength - 1] = c;
  return false;
}
