// A 32-bit SetUp.exe on 64-bit Windows writes the component into the registry's 32-bit view
// (SOFTWARE\WOW6432Node\Microsoft\Active Setup): Windows runs the components of both views at
// logon, so no view flag is needed.
#include "install/active_setup.h"

#include "core/build_constants.h"
#include "framework/error_text.h"
#include "framework/registry_values.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"
#include "install/active_setup_entry.h"

#include <windows.h>

namespace install {

namespace {

// Logs one value as the install events do; false when it failed.
bool Logged(report::InstallLog& log, const std::wstring& key, const wchar_t* name,
            const std::wstring& data, LONG status) {
    const std::wstring shown = key + L" " + (*name ? name : L"(default)");
    if (status != ERROR_SUCCESS)
        log.Write(L"FAILED: write " + shown + L" (error " + fw::ErrorText(status) + L")");
    else
        log.Write(L"registry value written: " + shown + L" = " + data);
    return status == ERROR_SUCCESS;
}

} // namespace

ActiveSetupOutcome RegisterActiveSetup(const std::string& installFolder, report::InstallLog& log) {
    const std::wstring machineKey = std::wstring(L"HKEY_LOCAL_MACHINE\\") + kActiveSetupKey;
    fw::unique_hkey machine;
    const LONG opened = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kActiveSetupKey, 0, nullptr, 0,
                                        KEY_SET_VALUE, nullptr, machine.put(), nullptr);
    if (opened == ERROR_ACCESS_DENIED) {
        log.Write(L"Active Setup not registered: " + machineKey + L" may not be written (error " +
                  fw::ErrorText(opened) + L"); only this user's part is done");
        return ActiveSetupOutcome::NoRights;
    }
    if (opened != ERROR_SUCCESS) {
        log.Write(L"FAILED: create " + machineKey + L" (error " + fw::ErrorText(opened) + L")");
        return ActiveSetupOutcome::Failed;
    }
    const std::wstring version = ActiveSetupVersion(g_nVersion);
    const std::wstring command = UserPartCommand(fw::WideFromAnsi(installFolder));
    bool written = Logged(log, machineKey, L"", kActiveSetupName,
                          fw::SetRegText(machine.get(), L"", kActiveSetupName));
    written &= Logged(log, machineKey, L"StubPath", command,
                      fw::SetRegText(machine.get(), L"StubPath", command));
    written &= Logged(log, machineKey, L"Version", version,
                      fw::SetRegText(machine.get(), L"Version", version));
    written &= Logged(log, machineKey, L"IsInstalled", L"1",
                      fw::SetRegNumber(machine.get(), L"IsInstalled", 1));

    // The installing user has had the part done directly: Windows need not run it for them.
    const std::wstring userKey = std::wstring(L"HKEY_CURRENT_USER\\") + kActiveSetupKey;
    fw::unique_hkey user;
    const LONG userOpened = RegCreateKeyExW(HKEY_CURRENT_USER, kActiveSetupKey, 0, nullptr, 0,
                                            KEY_SET_VALUE, nullptr, user.put(), nullptr);
    if (userOpened != ERROR_SUCCESS) {
        log.Write(L"FAILED: create " + userKey + L" (error " + fw::ErrorText(userOpened) + L")");
        return ActiveSetupOutcome::Failed;
    }
    written &=
        Logged(log, userKey, L"Version", version, fw::SetRegText(user.get(), L"Version", version));
    return written ? ActiveSetupOutcome::Registered : ActiveSetupOutcome::Failed;
}

} // namespace install
