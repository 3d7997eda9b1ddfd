// The program block: the units start in the program's order (the settings store with its
// defaults, the style sheet, the main window's unit), the main window is created and the message
// loop runs; the units end in reverse order.
#include <cstdlib>

#include "app/UnitMain.h"
#include "classlib/Forms.h"
#include "classlib/Registry.h"
#include "classlib/WinApi.h"
#include "controls/visclass.h"
#include "core/MyRegistry.h"
#include "core/StyleSheetUnit.h"

namespace {

// PELORIN_REGISTRY_ROOT names a key under the current user's key; the program then keeps its
// settings below its "HKCU" and "HKLM" subkeys instead of the real ones, so that tests can start
// the program on a registry of their own (the test programs redirect themselves the same way).
void RedirectRegistryForTests() {
  const char* root = std::getenv("PELORIN_REGISTRY_ROOT");
  if (root && *root) RedirectRootKeys(root);
}

}  // namespace

int main() {
  RedirectRegistryForTests();
  InitializeMyRegistry();
  InitializeStyleSheet();
  InitializeUnitMain();
  int result = 0;
  try {
    Application->Initialize();
    Application->CreateForm(MainScreen);
    Application->Run();
  } catch (const Exception& e) {
    ::MessageBoxA(nullptr, e.Message.c_str(), "Pelorin", MB_OK | MB_ICONERROR);
    result = 1;
  }
  FinalizeUnitMain();
  FinalizeStyleSheet();
  FinalizeMyRegistry();
  return result;
}
