#include "app/ToolListFiles.h"

#include "classlib/Forms.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/Utilities.h"

bool SaveListFile(TStrings* lines, const AnsiString& path) {
  const Cardinal error = ReplaceFileContents(path, lines->GetText());
  if (error == 0) return true;
  Application->MessageBox("The list cannot be saved as " + path + ": " + Trim(SysErrorMessage(error)), "Pelorin",
                          MB_OK | MB_ICONERROR);
  return false;
}
