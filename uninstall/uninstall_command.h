// Taking the add-in off the machine: SetUp.exe /UNINSTALL [/S] [/LOG=file], started from the
// copy that an installation keeps in its install folder.
#pragma once

#include <optional>
#include <string>

namespace uninstall {

// Removes what the install record beside this program names; returns the process's exit
// code (report::ExitCode). arguments: the command line after the program's name, handed
// on unchanged to the temporary copy; silent: no window at all.
int RunUninstall(const std::wstring& arguments, bool silent,
                 const std::optional<std::wstring>& logPath);

} // namespace uninstall
