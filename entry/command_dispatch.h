// What SetUp.exe does with its command line: without one, the dialog as always; otherwise
// the silent install, a user's part, the uninstall, or the usage text.
#pragma once

#include "acad/acad_registry.h"

#include <functional>

namespace entry {

// Runs the command of this process's command line and returns the process's exit code.
// runDialog scans and shows the setup dialog (with /LOG= it runs with the log attached) and
// returns its exit code. An exception that escapes a logged run is logged and ends it with
// kExitInternalError.
int RunCommandLine(CAcadRegistry& registry, const std::function<int()>& runDialog);

} // namespace entry
