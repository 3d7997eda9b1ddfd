#include "app/BookEditor.h"

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/FontTable.h"
#include "core/ProgramFolderUnit.h"

bool LoadBookIntoEditor(TBookEditor* editor, const AnsiString& path, TStrings* lines) {
  try {
    editor->Clear();
    editor->SetTextFont(Fonts[fiEditorText]);
    if (!editor->LoadText(path)) return false;
    editor->Format();
    editor->SetModified(false);
    editor->GetLines(lines);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

void CopyLinesToEditor(TStrings* lines, TBookEditor* editor) {
  const AnsiString transfer = ProgramFolder + "CopyEditControlLinesToUzurUvadEdit.txt";
  lines->SaveToFile(transfer);
  editor->Clear();
  editor->LoadText(transfer);
  editor->Format();
  DeleteFile(transfer);
  editor->SetModified(true);
}
