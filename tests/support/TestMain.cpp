// The entry point of every test program.
#include <gtest/gtest.h>

#include "classlib/WinApi.h"

int main(int argc, char** argv) {
  // A crashing test must fail the run, not wait for somebody to close an error box.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
