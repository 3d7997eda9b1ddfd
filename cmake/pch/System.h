// The system and standard headers nearly every source of the project reads, compiled once into a
// precompiled header that every library, test and program reuses. Only headers from outside the
// project belong here, read as the class library reads them (with the Windows headers' clashing
// macros removed): a header of the project would make every source depend on it.
#include "classlib/WindowsHeaders.h"
#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>
