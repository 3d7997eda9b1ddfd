#include <type_traits>

#include "Callers.h"
#include "syscomp/sycVclUtils.h"

static_assert(std::is_same_v<decltype(syc::ActivatePrevInstance()), bool>, "the system components' routine reports");

bool ActivateThroughSystemComponents() { return syc::ActivatePrevInstance(); }
