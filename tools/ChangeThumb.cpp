#include "tools/ChangeThumb.h"

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UzurUvad.h"

namespace {

// How far below the window's top the line of a change is shown.
constexpr Integer kChangeMargin = 30;

}  // namespace

TChangeThumb::TStep TChangeThumb::Next(TCustomUzurUvad* viewer, TStrings* positions) {
  for (;;) {
    if (NextChange >= positions->GetCount()) {
      NextChange = 0;
      return ctEndReached;
    }
    const Integer item = StrToIntDef(positions->GetStrings(NextChange), -1);
    ++NextChange;
    Integer left = 0, top = 0;
    // A position the document no longer has (its text was edited meanwhile) is passed over.
    if (item < 0 || item >= viewer->GetItemCount() || !viewer->GetItemCoords(item, left, top)) continue;
    viewer->ScrollTo(top - kChangeMargin);
    if (top != LastChangeTop) {
      LastChangeTop = top;
      return ctShown;
    }
  }
}
