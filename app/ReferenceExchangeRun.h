// The reference-list exchange between Paratext and BibleWorks, driven by the main window's
// reference timer (250 ms). It watches "pelorin.ref" in the Paratext folder and "pelorin.vls" in
// the BibleWorks folder; when one of them was written since it was last converted, it waits up to
// 2 s for the machine to be idle and converts the list into the other program's file. A list that
// came from BibleWorks is also sent to Paratext through the focus link.
//
// A file counts as written when its archive attribute is set and its last-write time or size
// differs from what it had after the last conversion: the attribute is cleared after each
// conversion, but a system may not let it be cleared.
//
// States: 0 look at Paratext's file, 1 wait for idleness, 2 convert it for BibleWorks, 3 look at
// BibleWorks's file, 4 wait, 5 convert it for Paratext.
#pragma once

#include <functional>

#include "classlib/System.h"
#include "core/ParatextBibleWorks.h"

class TIdleWaits;
class TStrings;

class TReferenceExchangeRun : public TObject {
  CLASS_INFO(TReferenceExchangeRun, TObject)
public:
  // Hands a reference list to Paratext; the program's is SetFocusReferenceList.
  using TPublish = std::function<void(TStrings* lines)>;

  TReferenceExchangeRun(TIdleWaits& idle, TPublish publish);

  // One tick of the reference timer; a tick that starts while another runs does nothing.
  void Tick();

  Integer State = 0;
  // What the last conversion in each direction told the user.
  AnsiString ParatextToBibleWorksMessage;
  AnsiString BibleWorksToParatextMessage;

private:
  void Step();
  // Clears both files' archive attributes (failures ignored) and notes how they look now.
  void Converted();

  TIdleWaits& idle_;
  TPublish publish_;
  TExchangeFileStamp paratextFile_;
  TExchangeFileStamp bibleWorksFile_;
  bool ticking_ = false;
};
