// Registers each user's part of an unattended installation with Active Setup.
#pragma once

#include "report/install_log.h"

#include <string>

namespace install {

enum class ActiveSetupOutcome {
    Registered, // the machine's component and this user's mark are written
    NoRights,   // HKEY_LOCAL_MACHINE may not be written: only this user got the part
    Failed,     // a value could not be written
};

// The machine's component (name, StubPath running the kept installer with /USERPART,
// Version of this build, IsInstalled 1), and the same Version for the current user, whose
// part the installation has just done. Each value written is logged.
ActiveSetupOutcome RegisterActiveSetup(const std::string& installFolder, report::InstallLog& log);

} // namespace install
