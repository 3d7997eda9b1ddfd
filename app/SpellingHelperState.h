// What the background spelling check's link with the spelling helper application shows the user
// in the tasks dialog: whether a DDE conversation with the helper is open, and the last thing done
// with it ("None" until something is done).
#pragma once

#include "classlib/System.h"

struct TSpellingHelperState {
  bool Linked = false;
  AnsiString Status = "None";
};
