// Driving a modal dialog of the program as a user does: the test's actions run once the dialog
// shows, inside its modal loop, with clicks and keys sent to its controls.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "classlib/Forms.h"
#include "core/tests/CoreTestSupport.h"
#include "tests/support/DialogInput.h"
#include "tests/support/TestSupport.h"

namespace dialog_testing {

using core_testing::StoredSettings;
using testing_support::WindowWatch;

}  // namespace dialog_testing
