// The texts of the entry in Windows' list of programs ("Apps", "Programs and Features"),
// which also tells a deployment system that the add-in is installed.
#pragma once

#include <string>

namespace install {

// The entry's key below HKEY_LOCAL_MACHINE (in the registry's 64-bit view on 64-bit Windows)
// or HKEY_CURRENT_USER.
constexpr const wchar_t* kListKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vornik V-ZiruzOrav";

// "2026.04.02" for 20260402.
std::wstring DisplayVersion(int version);
// "Vornik批打印软件 2026.04.02".
std::wstring DisplayName(int version);
// "\"<installer>\" /UNINSTALL", with " /S" when quiet.
std::wstring UninstallCommand(const std::wstring& keptInstaller, bool quiet);
// Kilobytes, rounded up, of so many bytes.
unsigned long EstimatedSizeKb(unsigned long long bytes);

} // namespace install
