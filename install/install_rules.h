// What the Install command decides without asking Windows anything.
#pragma once

#include <optional>
#include <string>

namespace install {

// The dialog's folder at start, and the silent install's when there is no installation yet.
constexpr const char* kDefaultFolderText = "C:\\Vornik";

// The longest name the installation itself writes into the install folder: the LOADER file
// of the 64-bit edition's extra ARX entry (package files keep their own names and are
// checked one by one when they are copied).
constexpr const char* kLongestInstalledName = "VK_ZiruzOrav2010_32.ARX";

// Whether Install may use the folder text as typed, before anything is created: the install
// folder made of it must pass the picker's rules for a typed path (on a drive, valid names,
// no ';', nothing cut), and the longest path written below it must fit a 260-byte buffer.
bool IsInstallableFolderText(const std::string& folderText);

// The last level of every install folder.
constexpr const char* kInstallFolderName = "V-ZiruzOrav";

// The folder the package goes into: the folder text without one trailing backslash, then
// "\V-ZiruzOrav". A folder that already ends in V-ZiruzOrav still gets its own sub-folder.
std::string MakeInstallFolder(const std::string& folderText);

// The folder text that an installation's install folder (the list entry's InstallLocation)
// was made of, when MakeInstallFolder gives that folder back and Install may use it; the
// default folder otherwise. A silent install without /D= goes there, so that installing the
// next version keeps one installation where it was.
std::string CurrentFolderText(const std::optional<std::string>& installFolder);

// The warning shown before the completion screen when registration entries or support files
// could not be written.
std::wstring WriteFailureWarning(int failures);

} // namespace install
