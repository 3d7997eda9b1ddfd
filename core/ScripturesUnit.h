// The program's model of the Paratext projects: TAllScriptures lists the projects of the projects
// folder; TScripture holds one project's books as files and reads them a book at a time and then
// a character at a time. Every check, list and conversion reads books through TScripture.
#pragma once

#include "classlib/System.h"

class TComponent;
class TStringList;

class TAllScriptures : public TObject {
  CLASS_INFO(TAllScriptures, TObject)
public:
  // Lists the projects; writes the demonstration project into a folder that holds none. A folder
  // that cannot be read or written leaves the lists empty and says why in Problem.
  TAllScriptures();
  ~TAllScriptures() override;

  // Lists the projects again and finds the current one (slot S7, letter case ignored).
  void Refresh();
  // The index of the project with this full name (letter case ignored), or -1.
  int IndexOfProject(const AnsiString& fullName);

  // Parallel lists, one entry per project, in the order the file search returned the ".ssf" files.
  TStringList* FullNames;
  TStringList* ShortNames;
  TStringList* Directories;
  // The current project; -1 only while the lists are empty.
  Integer CurrentIndex = -1;
  // Empty, or a message for the user saying why the projects folder gave no project.
  AnsiString Problem;
};

// The message of the latest TAllScriptures that found the projects folder unusable, for the main
// window to show once it exists; empty when the folder was fine.
AnsiString ProjectsFolderProblem();

// The current project's work folder (its Directory with a trailing backslash + "Pelorin\"), where
// the program keeps its per-project files; empty when there is no project.
AnsiString CurrentProjectWorkFolder();

// What the user is told when a book's file cannot be read: "The book " + the English name + " could
// not be read from the file " + the path + ": " + the reason + ".".
AnsiString BookReadError(const AnsiString& bookName, const AnsiString& fileName, const AnsiString& reason);
// The system's reason why the file cannot be opened for reading; empty when it can.
AnsiString FileReadProblem(const AnsiString& fileName);

class TScripture : public TObject {
  CLASS_INFO(TScripture, TObject)
public:
  // projectIndex -1 stands for the current project.
  TScripture(TComponent* owner, int projectIndex);
  ~TScripture() override;

  // Rebuilds the book list of the project (all books) and creates the work folder when missing.
  void Load(int projectIndex);
  void Rewind() { BookIndex = -1; }
  // Reads the next book into Text (carriage returns removed) and gives its English name; false
  // after the last book. A book file that cannot be read (another program holds it locked, it is
  // gone) raises EInOutError with the error code of the failure and a message that names the book,
  // its file and the system's reason (BookReadError).
  bool NextBook(AnsiString& bookName);
  // The next character of the book read last; false at its end.
  // Lets the user choose books of the project in the books dialog: with OK, the three book lists
  // keep only the chosen books (in canonical order); with Cancel they keep the books they had.
  // AllBooks then tells whether every book of the project is kept.
  void SelectBooks();
  bool NextChar(char& c) {
    if (CharIndex >= static_cast<Integer>(Text.size())) return false;
    c = Text[CharIndex++];
    return true;
  }

  TComponent* Owner;  // owns the dialogs opened for this object; not owned
  Integer CharIndex = 0;
  AnsiString Text;  // the whole current book
  Integer ProjectIndex;
  // Parallel lists of the books present, in canonical order: English names, full file paths and
  // three-letter identifiers.
  TStringList* BookNames;
  TStringList* BookFiles;
  TStringList* BookIds;
  // The current project's folder + "Pelorin\": where the program keeps its per-project files.
  AnsiString WorkFolder;
  bool AllBooks = true;
  Integer Versification = 4;
  Integer BookIndex = -1;
  bool Loaded = false;

private:
  void BuildBookList(int projectIndex);
};
