// The installation without any window: SetUp.exe /S [/R=years] [/LOG=file] [/D=folder].
#pragma once

#include "acad/acad_registry.h"
#include "unattended/command_line.h"
#include "unattended/install_log.h"

namespace unattended {

// The dialog's default folder text.
constexpr const wchar_t* kDefaultFolderText = L"C:\\Vornik";

// Checks the folder and the releases, then installs as the dialog would and registers each
// user's part with Active Setup when the machine's registry may be written. Every step and
// its outcome goes to log. Returns the exit code (unattended::ExitCode).
int RunSilentInstall(CAcadRegistry& registry, const CommandLine& command, InstallLog& log);

} // namespace unattended
