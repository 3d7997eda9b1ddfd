#include "core/ProgramFolderUnit.h"

#include <memory>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"

AnsiString ProgramFolder;

void WriteDefaultBrackets(const AnsiString& folder) {
  const AnsiString path = folder + "brackets.txt";
  if (FileExists(path)) return;
  std::unique_ptr<TStringList> pairs(new TStringList());
  pairs->Add("[]");
  pairs->Add("{}");
  pairs->Add("()");
  pairs->Add("<>");
  pairs->SaveToFile(path);
}

void InitProgramFolder() {
  ProgramFolder = ExtractFilePath(ParamStr(0));
  try {
    WriteDefaultBrackets(ProgramFolder);
  } catch (const Exception&) {
    // A program folder the user may not write to must not stop the start; the checks then fall
    // back to the default pairs and say so.
  }
}
