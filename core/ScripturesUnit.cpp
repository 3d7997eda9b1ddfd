#include "core/ScripturesUnit.h"

#include <memory>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "classlib/TextFiles.h"
#include "core/DemonstrationProjectUnit.h"
#include "core/MyRegistry.h"
#include "core/SSFUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

namespace {

AnsiString g_folderProblem;

// A tag of a settings file that cannot be read (no rights, locked) reads as empty, so that one
// broken project does not hide the others.
AnsiString SafeTag(AnsiString (*read)(const AnsiString&), const AnsiString& shortName) {
  try {
    return read(shortName);
  } catch (const Exception&) {
    return AnsiString();
  }
}

AnsiString WorkFolderOf(const AnsiString& directory) {
  return directory.empty() ? AnsiString() : IncludeTrailingBackslash(directory) + "Pelorin\\";
}

// The book code of a file name: without the naming rule's parts, the last three characters.
AnsiString BookCode(const AnsiString& fileName, const AnsiString& prePart, const AnsiString& postPart) {
  const AnsiString code = Copy(fileName, Length(prePart) + 1, Length(fileName) - Length(prePart) - Length(postPart));
  return LastChars(code, 3);
}

// The reason of a file routine's input/output error in the system's words: the error codes of the
// file routines' own (100 to 106) keep their message, every other is the system's error code.
AnsiString InOutErrorReason(const EInOutError& e) {
  if (e.ErrorCode >= 100 && e.ErrorCode <= 106) return e.Message;
  const AnsiString reason = SysErrorMessage(static_cast<DWORD>(e.ErrorCode));
  return reason.empty() ? e.Message : reason;
}

}  // namespace

AnsiString BookReadError(const AnsiString& bookName, const AnsiString& fileName, const AnsiString& reason) {
  return "The book " + bookName + " could not be read from the file " + fileName + ": " + reason + ".";
}

AnsiString FileReadProblem(const AnsiString& fileName) {
  const HANDLE file = ::CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    ::CloseHandle(file);
    return AnsiString();
  }
  const DWORD error = ::GetLastError();
  const AnsiString reason = SysErrorMessage(error);
  return reason.empty() ? "error " + IntToStr(static_cast<Integer>(error)) : reason;
}

AnsiString ProjectsFolderProblem() { return g_folderProblem; }

AnsiString CurrentProjectWorkFolder() {
  std::unique_ptr<TAllScriptures> all(new TAllScriptures());
  return all->CurrentIndex >= 0 ? WorkFolderOf(all->Directories->GetStrings(all->CurrentIndex)) : AnsiString();
}

TAllScriptures::TAllScriptures()
    : FullNames(new TStringList()), ShortNames(new TStringList()), Directories(new TStringList()) {
  Refresh();
  if (ShortNames->GetCount() == 0) {
    try {
      WriteDemonstrationProject();
    } catch (const Exception& e) {
      Problem = "The Paratext projects folder \"" + MyReg->GetParatextProjectsFolder() +
                "\" holds no project, and the demonstration project could not be written into it (" +
                e.Message + "). Choose the folder of your Paratext projects under Settings, Paratext.";
    }
    Refresh();
  }
  if (CurrentIndex == -1 && ShortNames->GetCount() > 0) CurrentIndex = 0;
  g_folderProblem = Problem;
}

TAllScriptures::~TAllScriptures() {
  delete FullNames;
  delete ShortNames;
  delete Directories;
}

void TAllScriptures::Refresh() {
  ListProjectFiles(ShortNames);
  FullNames->Clear();
  Directories->Clear();
  for (int i = 0; i < ShortNames->GetCount(); ++i) {
    FullNames->Add(SafeTag(&GetProjectFullName, ShortNames->GetStrings(i)));
    Directories->Add(SafeTag(&GetProjectDirectory, ShortNames->GetStrings(i)));
  }
  CurrentIndex = IndexOfProject(MyReg->GetCurrentProject());
}

int TAllScriptures::IndexOfProject(const AnsiString& fullName) {
  for (int i = 0; i < FullNames->GetCount(); ++i)
    if (AnsiCompareText(FullNames->GetStrings(i), fullName) == 0) return i;
  return -1;
}

TScripture::TScripture(TComponent* owner, int projectIndex)
    : Owner(owner),
      ProjectIndex(projectIndex),
      BookNames(new TStringList()),
      BookFiles(new TStringList()),
      BookIds(new TStringList()) {
  Load(projectIndex);
}

TScripture::~TScripture() {
  delete BookNames;
  delete BookFiles;
  delete BookIds;
}

void TScripture::Load(int projectIndex) {
  ProjectIndex = projectIndex;
  Rewind();
  AllBooks = true;
  BuildBookList(projectIndex);
  // A folder that cannot be created shows up later, when a file is written into it.
  if (!WorkFolder.empty() && !DirectoryExists(WorkFolder)) ForceDirectories(WorkFolder);
}

void TScripture::BuildBookList(int projectIndex) {
  std::unique_ptr<TAllScriptures> all(new TAllScriptures());
  const int p = projectIndex == -1 ? all->CurrentIndex : projectIndex;
  BookFiles->Clear();
  BookNames->Clear();
  BookIds->Clear();
  WorkFolder.clear();
  Versification = 4;
  // Without projects, or for an index outside the list, there is no book and no work folder.
  if (p < 0 || p >= all->ShortNames->GetCount()) return;

  const AnsiString shortName = all->ShortNames->GetStrings(p);
  AnsiString prePart, postPart, bookNameForm;
  GetProjectNaming(shortName, prePart, postPart, bookNameForm);
  const AnsiString directory = all->Directories->GetStrings(p);
  // An empty Directory must not turn into the root of the drive.
  if (!directory.empty()) {
    const AnsiString d = IncludeTrailingBackslash(directory);
    std::unique_ptr<TStringList> names(new TStringList());
    TSearchRec rec;
    if (FindFirst(d + prePart + "*" + postPart, faAnyFile, rec) == 0) {
      do {
        names->Add(rec.Name);
      } while (FindNext(rec) == 0);
      FindClose(rec);
    }
    std::unique_ptr<TStringList> codes(new TStringList());
    for (int i = 0; i < names->GetCount(); ++i)
      codes->Add(UpperCase(BookCode(names->GetStrings(i), prePart, postPart)));
    for (int book = 1; book <= BookCount; ++book) {
      for (int i = 0; i < codes->GetCount(); ++i) {
        if (codes->GetStrings(i) == BookId(book)) {
          BookFiles->Add(d + names->GetStrings(i));
          BookNames->Add(EnglishBookName(book));
          BookIds->Add(BookId(book));
          break;
        }
      }
    }
  }
  // The work folder is the current project's, whichever project was listed.
  WorkFolder = WorkFolderOf(all->Directories->GetStrings(all->CurrentIndex));
  Versification = GetProjectVersification(shortName);
}

bool TScripture::NextBook(AnsiString& bookName) {
  bookName.clear();
  CharIndex = 0;
  ++BookIndex;
  if (BookIndex >= BookNames->GetCount()) return false;

  Text.clear();
  const AnsiString fileName = BookFiles->GetStrings(BookIndex);
  try {
    TextFile f;  // closed by its destructor, also when reading fails
    AssignFile(f, fileName);
    Reset(f);
    char c;
    while (!Eof(f)) {
      Read(f, c);
      // A carriage return is dropped; what follows takes its place unexamined (at the very end of
      // the file that is the end-of-file character the reader gives).
      if (c == '\r') Read(f, c);
      Text.push_back(c);
    }
    CloseFile(f);
  } catch (const EInOutError& e) {
    // The file routines name neither the file nor the book ("I/O error 32"): the user is told both,
    // and why, in the system's words.
    Text.clear();
    throw EInOutError(BookReadError(BookNames->GetStrings(BookIndex), fileName, InOutErrorReason(e)), e.ErrorCode);
  }
  bookName = BookNames->GetStrings(BookIndex);
  Loaded = true;
  return true;
}
