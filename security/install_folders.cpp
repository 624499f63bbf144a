#include "security/install_folders.h"

#include "core/install_events.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"
#include "security/folder_dacl.h"
#include "security/folder_owner.h"
#include "security/security_descriptor.h"

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

// "D:" names the current folder of drive D; the folder the user chose is its root.
std::wstring FolderForQuery(const std::wstring& folder) {
    return folder.size() == 2 && folder[1] == L':' ? folder + L"\\" : folder;
}

enum class Level { Created, Existed, Refused };

// The folder's owner must be trusted; an install folder that existed gets the locked DACL.
Level CheckExisting(const std::wstring& folder, bool lock, const SecurityDescriptor* locked,
                    const std::wstring& runner) {
    const std::wstring queried = FolderForQuery(folder);
    const std::optional<std::wstring> owner = OwnerSid(queried);
    if (!owner) {
        const DWORD error = GetLastError();
        // A missing level is nobody's: the folders below it cannot be made, which shows up as
        // failed copies, as it always has.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return Level::Existed;
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

Level MakeLevel(const std::string& folder, bool lockExisting, SecurityDescriptor* locked,
                const std::wstring& runner) {
    const std::wstring wide = fw::WideFromAnsi(folder);
    const bool driveRoot = wide.size() == 2 && wide[1] == L':';
    if (!driveRoot && CreateDirectoryW(wide.c_str(), locked ? locked->Attributes() : nullptr)) {
        core::InstallEvents::FolderCreated(folder);
        return Level::Created;
    }
    // A folder that cannot be made shows up as failed copies, as it always has; only one
    // that is there already can be somebody else's.
    if (!locked || (!driveRoot && GetLastError() != ERROR_ALREADY_EXISTS))
        return Level::Existed;
    return CheckExisting(wide, lockExisting, locked, runner);
}

} // namespace

bool InstallsMachineWide() {
    fw::unique_hkey key;
    return IsAdministrator() &&
           RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMachineListKey, 0,
                         KEY_CREATE_SUB_KEY | KEY_WOW64_64KEY, key.put()) == ERROR_SUCCESS;
}

std::optional<FolderRefusal> PrepareInstallFolders(const std::string& target,
                                                   const std::string& installFolder,
                                                   bool machineWide) {
    std::optional<SecurityDescriptor> locked;
    std::wstring runner;
    if (machineWide) {
        locked = SecurityDescriptor::FromSddl(ProtectedDaclSddl(LockedFolderGrants()));
        const std::optional<std::wstring> sid = RunnerSid();
        if (!locked || !sid) {
            core::InstallEvents::Failed(L"prepare the locked install folder", GetLastError());
            return FolderRefusal{fw::WideFromAnsi(target)};
        }
        runner = *sid;
    }
    SecurityDescriptor* descriptor = locked ? &*locked : nullptr;
    if (machineWide)
        for (const std::wstring& level : LevelsAbove(fw::WideFromAnsi(target)))
            if (CheckExisting(level, false, descriptor, runner) == Level::Refused)
                return FolderRefusal{level};
    // The target stays as it is when it exists: it may hold anything of the user's.
    if (MakeLevel(target, false, descriptor, runner) == Level::Refused)
        return FolderRefusal{fw::WideFromAnsi(target)};
    if (MakeLevel(installFolder, true, descriptor, runner) == Level::Refused)
        return FolderRefusal{fw::WideFromAnsi(installFolder)};
    return std::nullopt;
}

} // namespace security
