// The visual and the system components linked into one program: routines that both libraries
// name alike each reach their own callers.
#include <gtest/gtest.h>

#include "Callers.h"
#include "classlib/Forms.h"
#include "controls/visclass.h"
#include "controls/visgraph.h"
#include "syscomp/sycVclUtils.h"

TEST(LibrariesTogether, EachLibrarysActivatePrevInstanceServesItsOwnCallers) {
  Application->SetTitle("Libraries together");
  ASSERT_FALSE(VisApplication->GetPrevInstance());
  // No earlier copy runs: the system components report that nothing was brought forward, and
  // the visual components leave this copy's application window as it was.
  EXPECT_EQ(FindPrevInstanceWindow(), nullptr);
  EXPECT_FALSE(ActivateThroughSystemComponents());
  EXPECT_EQ(ActivateThroughVisualComponents(), "Libraries together");
  // A unit that includes both headers calls each as its unit offers it.
  EXPECT_FALSE(syc::ActivatePrevInstance());
  ActivatePrevInstance();
  EXPECT_EQ(Application->GetTitle(), "Libraries together");
}
