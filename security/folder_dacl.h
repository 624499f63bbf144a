// Who may do what in the folders the installation makes, as the SDDL text that Windows turns
// into a security descriptor. Plain text here, so that what each folder grants is tested
// without Windows.
#pragma once

#include <string>
#include <vector>

namespace security {

// Trustees in SDDL's short form.
constexpr const wchar_t* kSystem = L"SY";
constexpr const wchar_t* kAdministrators = L"BA";
constexpr const wchar_t* kUsers = L"BU";

// File and folder access masks.
constexpr unsigned long kFullControl = 0x1F01FF; // FILE_ALL_ACCESS, "FA" in SDDL
// Read, list, traverse and execute, with READ_CONTROL and SYNCHRONIZE: what loading the
// add-in and starting the kept installer take, and nothing that changes the folder.
constexpr unsigned long kReadExecute = 0x1200A9;

struct Grant {
    std::wstring trustee; // "SY", "BA", "BU" or a SID string
    unsigned long access;
};

// A folder that HKEY_LOCAL_MACHINE entries start code from: only SYSTEM and Administrators
// may change it; every user may read and run what is in it.
std::vector<Grant> LockedFolderGrants();

// The uninstaller's temporary folder: SYSTEM, Administrators and the account running it, and
// nobody else, not even to look.
std::vector<Grant> PrivateFolderGrants(const std::wstring& runnerSid);

// A protected DACL (nothing inherited from the parent, so a parent open to every user opens
// nothing here) whose entries pass on to every sub-folder and file.
std::wstring ProtectedDaclSddl(const std::vector<Grant>& grants);

} // namespace security
