// Thumbing through the changes of a compared book: each step scrolls the laid-out document to the
// next line that holds a change, passing over further changes on the line last shown.
#pragma once

#include "classlib/System.h"

class TCustomUzurUvad;
class TStrings;

class TChangeThumb {
public:
  enum TStep {
    ctShown,       // a line with a change is in view
    ctEndReached,  // no change is left; the next step starts again at the first
  };

  // Starts again at the first change (a new comparison).
  void Restart() {
    NextChange = 0;
    LastChangeTop = 0;
  }
  // Scrolls the viewer so that the line of the next change stands 30 pixels below the top. The
  // positions are the changes' seven-digit item numbers in document order.
  TStep Next(TCustomUzurUvad* viewer, TStrings* positions);

  Integer NextChange = 0;     // index into the positions
  Integer LastChangeTop = 0;  // document top of the line shown last
};
