// The installation without any window: SetUp.exe /S [/R=years] [/LOG=file] [/D=folder].
#pragma once

#include "acad/acad_registry.h"
#include "report/install_log.h"

#include <optional>
#include <string>
#include <vector>

namespace silent {

// Checks the folder asked for (/D=, else the current installation's, else the dialog's
// default) and the releases (/R=, else
// what the dialog ticks at start), then installs as the dialog would and registers each
// user's part with Active Setup when the machine's registry may be written. Every step and
// its outcome goes to log. Returns the exit code (report::ExitCode).
int RunSilentInstall(CAcadRegistry& registry, const std::optional<std::wstring>& folderAsked,
                     const std::optional<std::vector<int>>& years, report::InstallLog& log);

} // namespace silent
