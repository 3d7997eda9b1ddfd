#include <type_traits>

#include "Callers.h"
#include "classlib/Forms.h"
#include "controls/visclass.h"
#include "controls/visgraph.h"

static_assert(std::is_void_v<decltype(ActivatePrevInstance())>, "the visual components' routine returns nothing");

std::string ActivateThroughVisualComponents() {
  ActivatePrevInstance();
  char title[256] = {};
  ::GetWindowTextA(Application->GetHandle(), title, sizeof(title));
  return title;
}
