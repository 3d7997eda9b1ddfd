// What the tools' benchmarks share: a copy of a whole Bible as a Paratext 6 project (by default the
// King James Version of the shared test data) in a temporary projects folder, made the current
// project of a private registry, and a stopwatch.
#pragma once

#include <memory>
#include <string>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckPunctuation.h"
#include "core/MyRegistry.h"
#include "core/ProgramFolderUnit.h"
#include "core/Utilities.h"
#include "tests/support/TestSupport.h"

namespace tools_bench {

using testing_support::Stopwatch;

// The project copied from `source` (a folder holding KJV.ssf, usfm.sty, English.lds and KJV\, or
// empty for the shared data's) into a temporary projects folder, current in a private registry,
// with the check settings loaded as the main window loads them.
class KjvProject {
public:
  explicit KjvProject(std::string source) : source_(source.empty() ? testing_support::KjvDataFolder() : source) {
    if (!source_.empty() && source_.back() != '\\') source_ += '\\';
    const std::string projects = temp_.Path() + "Projects\\";
    ready_ = !source_.empty() && testing_support::CopyKjvProject(source_, projects);
    if (!ready_) return;
    InitializeMyRegistry();
    MyReg->SetParatextProjectsFolder(projects);
    MyReg->SetCurrentProject("King James Version");
    ProgramFolder = temp_.Path();
    WriteDefaultBrackets(ProgramFolder);
    LoadCheckSettings();
  }
  ~KjvProject() {
    if (ready_) FinalizeMyRegistry();
  }
  bool Ready() const { return ready_; }
  const std::string& Source() const { return source_; }

private:
  testing_support::IsolatedRegistry registry_;
  testing_support::TempFolder temp_;
  std::string source_;
  bool ready_ = false;
};

}  // namespace tools_bench
