#include "app/ImportTextFileDialog.h"

#include <memory>

#include "classlib/Dialogs.h"
#include "core/MyRegistry.h"

bool ChooseImportTextFile(TComponent* owner, AnsiString& fileName) {
  std::unique_ptr<TSaveDialog> save(new TSaveDialog(owner));
  save->Filter = "Text File|*.txt|All Files|*.*";
  save->DefaultExt = "*.txt";
  save->Options << ofOverwritePrompt;
  save->InitialDir = ReadSettingString("BibleWorks Folder") + "\\userdb";
  if (!save->Execute()) return false;
  fileName = save->FileName;
  return true;
}
