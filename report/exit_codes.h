// The exit codes of the unattended install and uninstall, read by deployment systems.
#pragma once

namespace report {

enum ExitCode {
    kExitDone = 0,           // installed (or removed)
    kExitPartly = 1,         // done, but entries or files could not be written (or removed)
    kExitAcadRunning = 2,    // AutoCAD runs: nothing done; try again later
    kExitNoPackage = 3,      // the package is missing (uninstall: no install record found)
    kExitCopyFailed = 4,     // a package file could not be copied; nothing registered
    kExitBadCommandLine = 5, // a command line or log file that cannot be used; nothing done
    kExitNoRelease = 6,      // no AutoCAD release to install for
    kExitUnsafeFolder = 7,   // an existing folder others own or could change; nothing done
    kExitInternalError = 8,  // the program failed itself (an exception, values it cannot read)
};

} // namespace report
