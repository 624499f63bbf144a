// What the Install command decides without asking Windows anything.
#pragma once

#include <string>

namespace app {

// The folder the package goes into: the folder text without one trailing backslash, then
// "\V-ZiruzOrav". A folder that already ends in V-ZiruzOrav still gets its own sub-folder.
std::string MakeInstallFolder(const std::string& folderText);

// The folder text with one trailing backslash cut (the target folder that is created first).
std::string WithoutTrailingBackslash(const std::string& folderText);

// The warning shown before the completion screen when registration entries or support files
// could not be written.
std::wstring WriteFailureWarning(int failures);

} // namespace app
