// The books of the KJV project of the shared data as lines, for the tests and benchmarks of the
// conversions and the correction lists.
#pragma once

#include <string>
#include <vector>

#include "tools/ConversionText.h"

namespace tools_testing {

struct KjvBook {
  std::string FileName;
  TextLines Lines;
};

// Every book file of the project's "KJV" folder in canonical (file name) order; empty when the
// shared data is not here.
std::vector<KjvBook> ReadKjvBooks();

}  // namespace tools_testing
