// Which existing folder the installation may use: the owner of a folder can always change
// its permissions, so a folder owned by anyone but the machine's administrators or the
// account that installs stays theirs whatever the installation sets.
#pragma once

#include <string>
#include <vector>

namespace security {

constexpr const wchar_t* kSystemSid = L"S-1-5-18";
constexpr const wchar_t* kAdministratorsSid = L"S-1-5-32-544";
constexpr const wchar_t* kTrustedInstallerSid =
    L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

// Whether a folder owned by ownerSid may hold a machine-wide installation run by runnerSid
// (SID strings as ConvertSidToStringSid writes them).
bool IsTrustedOwner(const std::wstring& ownerSid, const std::wstring& runnerSid);

// The folders above a target folder, from the drive's root down ("C:\" and "C:\A" for
// C:\A\B): whoever owns one of them can rename the level below it away and put another in
// its place, so they must be trusted as well.
std::vector<std::wstring> LevelsAbove(const std::wstring& target);

// What the user is told when the folder is refused, naming it.
std::wstring UnsafeFolderMessage(const std::wstring& folder);

} // namespace security
