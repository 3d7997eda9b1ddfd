// Calls into one library each, from units that include only that library's header, the way the
// program's units call them.
#pragma once

#include <string>

// The visual components: brings an earlier copy forward (nothing without one) and returns the
// application window's title afterwards.
std::string ActivateThroughVisualComponents();
// The system components: whether an earlier copy was brought forward.
bool ActivateThroughSystemComponents();
