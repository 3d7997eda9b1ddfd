// The precompiled header of the test programs: the system headers and the test framework.
#include "System.h"

#include <gtest/gtest.h>
