// Building the documents of the printed Bible: the standard-format books of a testament become
// text items in the Bible's text and paragraph styles (BibleText.h). Only a few markers are read:
// titles ("\st", "\mt"), chapters ("\c"), subheadings ("\s"), paragraphs ("\p") and verses
// ("\v"), and the text of poetry and no-break lines ("\q", "\nb"), which start an indented
// paragraph as "\p" does; "\id" and "\h" lines and bare "\q" and "\nb" markers are dropped, and
// every other line is copied into the running text as it stands.
#pragma once

#include <functional>
#include <vector>

#include "classlib/System.h"
#include "core/FontTable.h"
#include "tools/BiblePagination.h"

class TBibleText;
class TStrings;
class TUVStyle;

// A book chosen for printing: its entry in the books list (an English book name, normally) and
// its file.
struct TBibleBook {
  AnsiString Entry;
  AnsiString FileName;
};

// What "Text in brackets" asks of text between square brackets.
enum TBracketsMode : Integer {
  bmKeep = 0,         // the text and its brackets as they stand
  bmOwnStyle = 1,     // the brackets removed, the text in the brackets style
  bmRemove = 2,       // the brackets removed
};

struct TBibleBuildOptions {
  bool EBook = false;
  // Only the chapter whose number text is Chapter (titles are kept).
  bool OnlyChapter = false;
  AnsiString Chapter;
  Integer Brackets = bmKeep;
};

// Gives the style sheet the Bible's nine text styles ("Font Style", "Subtitle", "Maintitle",
// "Chapter", "Subheading", "Versenumber", "Text", "Brackets", "eBook TOC") and three paragraph
// styles ("Normal", "Centered", "Indented" with a first-line indent of 20), all of them at the line
// spacing in percent.
void CreateBibleStyles(TUVStyle* style, Integer lineSpacing);
// Sets text styles 1 to 7 from font records 0 to 6 and style 8 from style 6 underlined. For
// e-books the sizes are scaled by 60, 70, 80, 90 or 110 percent (by eBookFontSize 0..4) and the
// chapter style takes 1.6 times the text's size, underlined.
void ApplyBibleFonts(TUVStyle* style, const TFontTable& fonts, bool eBook, Integer eBookFontSize);

class TBibleDocumentBuilder {
public:
  // `style` (may be null) is the documents' style sheet, whose chapter style follows each book.
  TBibleDocumentBuilder(TBibleText& target, TUVStyle* style);

  // Receives "Formatting <entry>" before each book and, when not for e-books, "Formatting text..."
  // at the end.
  std::function<void(const AnsiString&)> OnStatus;

  // Appends the books in order, then three empty paragraphs, and records in `starts` (cleared
  // first) the item at which each book's titles and chapters begin, and a last entry for the
  // document's end. A book file that cannot be read raises the file error and ends the build.
  void Build(const std::vector<TBibleBook>& books, const TBibleBuildOptions& options, TBookStarts& starts);

  // The number of chapters of the book built last.
  Integer ChapterCount() const { return chapterCount_; }

private:
  void BuildBook(TStrings* lines);
  // One line of a book, trimmed.
  void BuildLine(const AnsiString& line);
  // A new paragraph (the chapter's first when a chapter number is pending) with the text.
  void AddParagraph(const AnsiString& text);
  // Appends text to the last paragraph; nothing for empty text.
  void Add(const AnsiString& text, Integer style);
  void AddScriptureText(const AnsiString& text);
  void AddChapterParagraph();
  void AddChapterLinks(Integer count);
  void RecordBookStart();
  bool ChapterFiltered() const;

  TBibleText& target_;
  TUVStyle* style_;
  TBibleBuildOptions options_;
  TBookStarts* starts_ = nullptr;
  const TBibleBook* book_ = nullptr;
  Integer chapterCount_ = 1;
  AnsiString chapter_;
  Integer lastStyle_ = 0;
  Integer lastParagraphKind_ = 0;  // 1 after "\p", 2 after "\v"
  bool chapterPending_ = false;
};
