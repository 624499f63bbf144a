#include "security/install_folders.h"

#include "core/install_events.h"
#include "core/mbcs_text.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"
#include "security/folder_dacl.h"
#include "security/folder_owner.h"
#include "security/security_descriptor.h"

#include <vector>

namespace security {

namespace {

constexpr const wchar_t* kMachineListKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

bool IsAdministrator() {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0,
                                  0, 0, 0, 0, 0, &administrators))
        return false;
    BOOL member = FALSE;
    // A filtered administrator's token holds the group for denying only: not a member.
    const bool is = CheckTokenMembership(nullptr, administrators, &member) && member;
    FreeSid(administrators);
    return is;
}

enum class Level { Missing, Existed, Refused };

// The folder's owner must be trusted; an install folder that exists gets the locked DACL.
Level CheckExisting(const std::wstring& folder, bool lock, const SecurityDescriptor* locked,
                    const std::wstring& runner) {
    const std::wstring queried = core::QueryableFolder(folder); // "D:" chosen: the root
    const std::optional<std::wstring> owner = OwnerSid(queried);
    if (!owner) {
        const DWORD error = GetLastError();
        // A missing level is nobody's yet: the installation makes it, locked.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return Level::Missing;
        core::InstallEvents::Failed(L"read the owner of " + folder, error);
        return Level::Refused;
    }
    if (!IsTrustedOwner(*owner, runner)) {
        const std::wstring what = L"use " + folder + L": its owner " + *owner +
                                  L" is not Administrators, SYSTEM, TrustedInstaller or the "
                                  L"installing account " +
                                  runner;
        core::InstallEvents::Failed(what, ERROR_ACCESS_DENIED);
        return Level::Refused;
    }
    if (lock) {
        if (const unsigned long error = ProtectDacl(queried, *locked)) {
            core::InstallEvents::Failed(L"protect " + folder, error);
            return Level::Refused;
        }
    }
    return Level::Existed;
}

} // namespace

bool InstallsMachineWide() {
    fw::unique_hkey key;
    return IsAdministrator() &&
           RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMachineListKey, 0,
                         KEY_CREATE_SUB_KEY | KEY_WOW64_64KEY, key.put()) == ERROR_SUCCESS;
}

PreparedFolders PrepareInstallFolders(const std::string& target, const std::string& installFolder,
                                      bool machineWide, const MakeMissingLevels& makeMissing) {
    if (!machineWide)
        return {makeMissing(nullptr) ? FolderState::Ready : FolderState::NotMade, {}};
    std::optional<SecurityDescriptor> locked =
        SecurityDescriptor::FromSddl(ProtectedDaclSddl(LockedFolderGrants()));
    const std::optional<std::wstring> runner = RunnerSid();
    if (!locked || !runner) {
        core::InstallEvents::Failed(L"prepare the locked install folder", GetLastError());
        return {FolderState::Refused, fw::WideFromAnsi(target)};
    }
    // Every level that is there must be the machine's or this account's; the target stays
    // as it is (it may hold anything of the user's), an install folder gets locked.
    std::vector<std::wstring> levels = LevelsAbove(fw::WideFromAnsi(target));
    levels.push_back(fw::WideFromAnsi(target));
    const std::wstring install = fw::WideFromAnsi(installFolder);
    // The install folder is locked once: when it is found, or when it appeared since.
    Level installLevel = Level::Missing;
    const auto checkExisting = [&]() -> std::optional<std::wstring> {
        for (const std::wstring& level : levels)
            if (CheckExisting(level, false, &*locked, *runner) == Level::Refused)
                return level;
        const bool lock = installLevel == Level::Missing;
        installLevel = CheckExisting(install, lock, &*locked, *runner);
        if (installLevel == Level::Refused)
            return install;
        return std::nullopt;
    };
    if (const auto refused = checkExisting())
        return {FolderState::Refused, *refused};
    if (!makeMissing(locked->Attributes()))
        return {FolderState::NotMade, {}};
    // Once more: a level someone else made meanwhile is not made by us, and not trusted.
    if (const auto refused = checkExisting())
        return {FolderState::Refused, *refused};
    return {FolderState::Ready, {}};
}

} // namespace security
