#include "core/SSFUnit.h"

#include <memory>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"

namespace {

const char* const kTagNames[] = {"FullName",   "Directory",     "Naming",   "DefaultFont",
                                 "DefaultFontSize", "Versification", "Language", "StyleSheet"};
const char* const kLanguageKeys[] = {"font=", "size="};

AnsiString ProjectsFolder() { return MyReg->GetParatextProjectsFolder(); }

// The text of a Naming attribute: after `name="` up to the next double quote; empty when absent.
AnsiString NamingAttribute(const AnsiString& naming, const AnsiString& name) {
  const int p = Pos(name, naming);
  if (p == 0) return AnsiString();
  AnsiString rest = Copy(naming, p + Length(name) + 2, Length(naming));
  const int quote = Pos("\"", rest);
  return quote == 0 ? rest : Copy(rest, 1, quote - 1);
}

}  // namespace

void ListProjectFiles(TStrings* list) {
  list->Clear();
  // No folder set: a search would look in the current folder and list strangers' files.
  if (ProjectsFolder().empty()) return;
  TSearchRec rec;
  if (FindFirst(ProjectsFolder() + "*" + ".ssf", faAnyFile, rec) == 0) {
    do {
      list->Add(Copy(rec.Name, 1, Length(rec.Name) - 4));
    } while (FindNext(rec) == 0);
    FindClose(rec);
  }
}

AnsiString ReadProjectTag(const AnsiString& shortName, int tag) {
  if (tag < ptFullName || tag > ptStyleSheet) throw Exception("Unknown project tag " + IntToStr(tag));
  const AnsiString name = kTagNames[tag];
  const int n = Length(name);
  std::unique_ptr<TStringList> lines(new TStringList());
  lines->LoadFromFile(ProjectsFolder() + shortName + ".ssf");
  for (int i = 0; i < lines->GetCount(); ++i) {
    const AnsiString line = Trim(lines->GetStrings(i));
    // A prefix test on the element name: "<Directory..." matches the tag Directory.
    if (Copy(line, 2, n) == name) return Copy(line, n + 3, Length(line) - (n + 2) - (n + 3));
  }
  return AnsiString();
}

AnsiString GetProjectFullName(const AnsiString& shortName) { return ReadProjectTag(shortName, ptFullName); }
AnsiString GetProjectDirectory(const AnsiString& shortName) { return ReadProjectTag(shortName, ptDirectory); }
AnsiString GetProjectStyleSheet(const AnsiString& shortName) { return ReadProjectTag(shortName, ptStyleSheet); }

void GetProjectNaming(const AnsiString& shortName, AnsiString& prePart, AnsiString& postPart,
                      AnsiString& bookNameForm) {
  const AnsiString naming = ReadProjectTag(shortName, ptNaming);
  prePart = NamingAttribute(naming, "PrePart");
  postPart = NamingAttribute(naming, "PostPart");
  bookNameForm = NamingAttribute(naming, "BookNameForm");
}

int GetProjectVersification(const AnsiString& shortName) {
  const int v = StrToIntDef(ReadProjectTag(shortName, ptVersification), 0);
  return v >= 1 && v <= 5 ? v : 4;
}

AnsiString ReadLanguageSetting(const AnsiString& language, int key) {
  if (key < lkFont || key > lkSize) throw Exception("Unknown language setting " + IntToStr(key));
  const AnsiString k = kLanguageKeys[key];
  std::unique_ptr<TStringList> lines(new TStringList());
  lines->LoadFromFile(ProjectsFolder() + language + ".lds");
  for (int i = 0; i < lines->GetCount(); ++i) {
    const AnsiString line = Trim(lines->GetStrings(i));
    if (Copy(line, 1, Length(k)) == k) return Copy(line, Length(k) + 1, Length(line));
  }
  return AnsiString();
}

AnsiString GetLanguageFontName(const AnsiString& shortName) {
  return ReadLanguageSetting(ReadProjectTag(shortName, ptLanguage), lkFont);
}

int GetLanguageFontSize(const AnsiString& shortName) {
  return StrToIntDef(ReadLanguageSetting(ReadProjectTag(shortName, ptLanguage), lkSize), 12);
}
