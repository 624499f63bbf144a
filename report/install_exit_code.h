// The exit code of an installation that was started: what the deployment system reads.
#pragma once

#include "report/exit_codes.h"

namespace report {

// copied: the package copy finished; failures: entries and files not written afterwards;
// packageMissing: the copy ended because there was no package to copy (the missing-package
// or unspellable-folder message), not because a file could not be copied.
ExitCode InstallExitCode(bool copied, int failures, bool packageMissing);

} // namespace report
