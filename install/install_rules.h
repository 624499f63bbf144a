// What the Install command decides without asking Windows anything.
#pragma once

#include <string>

namespace app {

// The longest name the installation itself writes into the install folder: the LOADER file
// of the 64-bit edition's extra ARX entry (package files keep their own names and are
// checked one by one when they are copied).
constexpr const char* kLongestInstalledName = "VK_ZiruzOrav2010_32.ARX";

// Whether Install may use the folder text as typed, before anything is created: the install
// folder made of it must pass the picker's rules for a typed path (on a drive, valid names,
// no ';', nothing cut), and the longest path written below it must fit a 260-byte buffer.
bool IsInstallableFolderText(const std::string& folderText);

// The folder the package goes into: the folder text without one trailing backslash, then
// "\V-ZiruzOrav". A folder that already ends in V-ZiruzOrav still gets its own sub-folder.
std::string MakeInstallFolder(const std::string& folderText);

// The warning shown before the completion screen when registration entries or support files
// could not be written.
std::wstring WriteFailureWarning(int failures);

} // namespace app
