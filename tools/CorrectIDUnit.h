// Turns what a user typed as a book into one of the 66 book identifiers, and a typed reference
// ("2 Kings 3:4", "2kings 3 4") into the program's reference form ("2KI 3:4"). An identifier,
// BibleWorks abbreviation, English name or book number (any letter case, blanks around) is taken at
// once; a text that only sounds like a book makes the resolver ask, book by book, whether that book
// was meant.
#pragma once

#include "classlib/System.h"

// Whether the user meant a book whose name sounds like what was typed. Dialogs ask with a message
// box (MessageBoxBookQuestion); a test answers from a table.
class TBookQuestion {
public:
  virtual ~TBookQuestion() = default;
  // True when book 1..66 is the one meant.
  virtual bool MeansBook(int book) = 0;
};

// "The name of the book is unclear. Do you mean " + the English name of book 1..66 + "?".
AnsiString BookQuestionText(int book);

// Asks BookQuestionText in a confirmation message box with the buttons Yes and No.
class TMessageBoxBookQuestion : public TBookQuestion {
public:
  bool MeansBook(int book) override;
};
TBookQuestion& MessageBoxBookQuestion();

// Resolves the typed Name. Exact matches first (upper-cased and trimmed: the identifier, the
// upper-case BibleWorks abbreviation or English name, or the number "1" to "66"); then the books
// whose sound codes match, in three passes over the books in canonical order (identifiers with
// codes of length 2, abbreviations and English names with codes of half their length + 1), each
// book offered at most once per call, until one is accepted. On success Name becomes the book's
// identifier and BookNumber its number; otherwise Name becomes empty and BookNumber 0.
bool ResolveBookID(AnsiString& Name, Integer& BookNumber, TBookQuestion& question = MessageBoxBookQuestion());

// Reference becomes identifier + " " + chapter + ":" + verse when the text names a book (resolved
// as ResolveBookID does, questions included) followed by a chapter and a verse number; otherwise
// empty. A leading "1", "2" or "3" (with the blank after it, if any) belongs to the book's name,
// so "1John 2:3" and "1 John 2:3" both name the first letter of John.
void ParseTypedReference(const AnsiString& Text, AnsiString& Reference,
                         TBookQuestion& question = MessageBoxBookQuestion());
