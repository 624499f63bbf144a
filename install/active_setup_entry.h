// What the unattended install registers with Active Setup, Windows' once-per-user mechanism:
// at each user's next logon Windows runs the StubPath of every component whose Version is
// newer than the one it has noted for that user.
#pragma once

#include <string>

namespace install {

// Our component, below HKEY_LOCAL_MACHINE (the machine's) and HKEY_CURRENT_USER (done for
// this user). A deployment system can test the machine's key to see the add-in installed.
constexpr const wchar_t* kActiveSetupKey =
    L"SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\"
    L"{D769204B-A2B9-412B-B1B1-B1CDDFA4A3CA}";
// The component's default value: the name Windows may show while it runs the user's part.
constexpr const wchar_t* kActiveSetupName = L"Vornik批打印软件";
constexpr const wchar_t* kUserPartSwitch = L"/USERPART";

// "2026,4,2,0" for 20260402: Windows compares the four numbers one by one.
std::wstring ActiveSetupVersion(int version);

// "\"<install folder>\SetUp.exe\" /USERPART": the installer copy kept in the install folder.
std::wstring UserPartCommand(const std::wstring& installFolder);

} // namespace install
