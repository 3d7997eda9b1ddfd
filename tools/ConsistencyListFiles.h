// The three record files of a consistency list, as the consistency-list dialog, the keywords
// editor and the check-list export read and write them:
//   references   (3 lines a record): keyword, reference ("GEN 1:21"), item number in the verse
//                ("0" for the only occurrence, n for the n-th);
//   definitions  (3 lines a record): keyword, group number (1-based), English gloss;
//   translations (2 lines a record): keyword, the translation into the project's language.
// Keywords join the three; they are always compared as whole texts, letter case included.
//
// A file that is missing reads as an empty list, made when it is first saved. A file whose lines
// are damaged loads all the same: every line that belongs to no readable record is left out, and
// Problems names the file and the line, so that one lost line costs one record and not the order
// of every record after it.
#pragma once

#include <initializer_list>

#include "classlib/System.h"
#include "core/DatabaseUnit.h"

class TStringList;
class TStrings;

enum class TListFile { References, Definitions, Translations };

// Field numbers of the records.
enum : Integer {
  rfKeyword = 0, rfReference = 1, rfItem = 2,  // references
  dfKeyword = 0, dfGroup = 1, dfEnglish = 2,   // definitions
  tfKeyword = 0, tfTranslation = 1,            // translations
};

// The lines a record of the kind takes.
Integer ListFieldCount(TListFile kind);

// True for a reference as the lists keep it: a book identifier of the book table (upper case), a
// blank, a chapter of one to three digits, ":" and a verse of one to three digits, nothing else.
bool IsListReference(const AnsiString& text);
// True for an item number as the lists keep it: one to nine decimal digits.
bool IsItemNumber(const AnsiString& text);

class TListDatabase : public TDatabase {
  CLASS_INFO(TListDatabase, TDatabase)
public:
  // Reads the file as Reload does.
  TListDatabase(const AnsiString& fileName, TListFile kind);
  ~TListDatabase() override;

  // Reads the file afresh: no records when it is missing; the readable records when some lines
  // are damaged (references: a record whose reference or item number cannot be read; every kind:
  // lines at the end too few for a record, unless they are all empty). Problems holds one message
  // per run of lines left out, or the reason the file could not be read. Modified is cleared.
  void Reload();
  // Writes the records back, replacing the file in one step. False, with the reason in `error`,
  // when the file could not be written (the old file stays whole and Modified stays set), or when
  // the file exists but could not be read (writing would put the few records typed since in
  // place of all it holds).
  bool SaveChanges(AnsiString& error);

  TListFile Kind;
  TStringList* Problems;  // owned; the messages of the latest Reload
  bool Unreadable = false;
};

// Adds the problems of the databases to `problems` in order (null databases are passed over).
void CollectListProblems(TStrings* problems, std::initializer_list<const TListDatabase*> databases);
// The text the program shows for problems met while reading list files: a heading and the
// messages, at most `shown` of them followed by how many more there are.
AnsiString ListProblemsText(TStrings* problems, Integer shown = 15);
