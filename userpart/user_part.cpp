#include "userpart/user_part.h"

#include "core/install_events.h"
#include "deploy/package_copy.h"
#include "framework/own_path.h"
#include "framework/text_convert.h"
#include "install/kept_files.h"
#include "report/exit_codes.h"
#include "report/log_listener.h"
#include "report/silent_messages.h"

#include <windows.h>

namespace userpart {

namespace {

std::wstring DefaultLogPath() {
    wchar_t temp[MAX_PATH + 1] = L"";
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp, length <= MAX_PATH ? length : 0) + kUserPartLogName;
}

// The kept settings file into the user's settings folder, unless one is there. Returns the
// number of failures (0 or 1).
int GiveSettingsFile(const std::wstring& installFolder, report::InstallLog& log) {
    const std::wstring kept = installFolder + L"\\" + fw::WideFromAnsi(install::kSettingsFile);
    if (GetFileAttributesW(kept.c_str()) == INVALID_FILE_ATTRIBUTES) {
        log.Write(L"no settings file kept in " + installFolder + L": none given to the user");
        return 0;
    }
    const std::optional<std::wstring> folder = UserSettingsFolder();
    if (!folder) {
        core::InstallEvents::Failed(L"find the user's settings folder (APPDATA)",
                                    ERROR_PATH_NOT_FOUND);
        return 1;
    }
    if (CreateDirectoryW(folder->c_str(), nullptr))
        core::InstallEvents::FolderCreated(fw::AnsiFromWide(*folder));
    const std::wstring settings = *folder + L"\\" + fw::WideFromAnsi(install::kSettingsFile);
    // Fails on an existing file, so that a user's own settings are never replaced, even one
    // written between a look and the copy.
    if (CopyFileW(kept.c_str(), settings.c_str(), TRUE)) {
        core::InstallEvents::FileCopied(core::FileKind::Settings, fw::AnsiFromWide(kept),
                                        fw::AnsiFromWide(settings), false);
        return 0;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS) {
        log.Write(L"settings file already present, left as it is: " + settings);
        return 0;
    }
    core::InstallEvents::Failed(L"copy " + kept + L" -> " + settings, error);
    return 1;
}

} // namespace

int RunUserPart(CAcadRegistry& registry, const std::optional<std::wstring>& logPath) {
    std::unique_ptr<report::InstallLog> log =
        report::InstallLog::Create(logPath.value_or(DefaultLogPath()));
    if (!log) {
        if (logPath)
            return report::kExitBadCommandLine;
        log = report::InstallLog::Discarding(); // at logon nobody could be told; do the part anyway
    }
    const report::SilentMessages messages(*log);
    report::LogListener listener(*log);
    const core::ScopedInstallListener listening(listener);
    const std::wstring installFolder = fw::OwnFolder();
    log->Write(L"user part for the installation in " + installFolder);

    int failures = 0;
    // The installation could only use a folder that the ANSI code page spells: any other is
    // not one of ours.
    if (fw::ExactAnsiFromWide(installFolder) && !installFolder.empty()) {
        failures += registry.AddTrustedPath(installFolder);
    } else {
        core::InstallEvents::Failed(L"trust " + installFolder + L" (not in the ANSI code page)",
                                    ERROR_NO_UNICODE_TRANSLATION);
        ++failures;
    }
    failures += GiveSettingsFile(installFolder, *log);
    const int code = failures > 0 ? report::kExitPartly : report::kExitDone;
    log->Write(L"exit code " + std::to_wstring(code));
    return code;
}

} // namespace userpart
