#include "uninstall/uninstall_command.h"

#include "unattended/exit_codes.h"

namespace uninstall {

int RunUninstall(bool /*silent*/, const std::optional<std::wstring>& /*logPath*/) {
    return unattended::kExitNoPackage; // no install record is written yet
}

} // namespace uninstall
