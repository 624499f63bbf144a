// The Active Setup component that the unattended install registers for each user's part at
// logon; the uninstaller deletes it, machine-wide and the current user's mark.
#pragma once

namespace uninstall {

constexpr const wchar_t* kActiveSetupKey =
    L"SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\"
    L"{6D1F4A52-7C3B-4E8A-9B0D-5A2E17C4F3B9}";

} // namespace uninstall
