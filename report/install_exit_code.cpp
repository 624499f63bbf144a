#include "report/install_exit_code.h"

namespace report {

ExitCode InstallExitCode(bool copied, int failures, bool packageMissing) {
    if (copied)
        return failures > 0 ? kExitPartly : kExitDone;
    return packageMissing ? kExitNoPackage : kExitCopyFailed;
}

} // namespace report
