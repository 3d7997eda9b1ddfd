// editor.exe: the editor of the printed Bible's extra pages. Pelorin starts it with the document's
// path twice on the command line ("editor.exe "path" "path""); the first names the document.
#include "app/editor/ExtraPageEditor.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"

int main() {
  int result = 0;
  try {
    Application->Initialize();
    TExtraPageEditor* editor = nullptr;
    Application->CreateForm(editor);
    if (ParamCount() >= 1) editor->OpenDocument(ParamStr(1));
    Application->Run();
  } catch (const Exception& e) {
    ::MessageBoxA(nullptr, e.Message.c_str(), "Editor", MB_OK | MB_ICONERROR);
    result = 1;
  }
  return result;
}
