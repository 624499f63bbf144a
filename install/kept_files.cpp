#include "install/kept_files.h"

#include "core/install_events.h"
#include "deploy/package_copy.h"
#include "deploy/package_folder.h"
#include "framework/own_path.h"
#include "framework/text_convert.h"

#include <windows.h>

namespace unattended {

namespace {

bool SameFile(const std::wstring& a, const std::wstring& b) {
    wchar_t fullA[MAX_PATH] = L"", fullB[MAX_PATH] = L"";
    return GetFullPathNameW(a.c_str(), MAX_PATH, fullA, nullptr) &&
           GetFullPathNameW(b.c_str(), MAX_PATH, fullB, nullptr) &&
           CompareStringOrdinal(fullA, -1, fullB, -1, TRUE) == CSTR_EQUAL;
}

// One kept copy; 1 when it failed.
int Keep(const std::wstring& source, const std::string& destination) {
    const std::wstring wideDestination = fw::WideFromAnsi(destination);
    if (source.empty()) {
        core::InstallEvents::Failed(L"keep " + wideDestination, ERROR_BAD_PATHNAME);
        return 1;
    }
    if (SameFile(source, wideDestination))
        return 0;
    const bool existed = ClearReadOnly(destination);
    if (!CopyFileW(source.c_str(), wideDestination.c_str(), FALSE)) {
        core::InstallEvents::Failed(L"keep " + wideDestination, GetLastError());
        return 1;
    }
    // Active Setup starts the kept installer without anyone to answer a download warning.
    RemoveZoneIdentifier(destination);
    ClearReadOnly(destination);
    core::InstallEvents::FileCopied(core::FileKind::Kept, fw::AnsiFromWide(source), destination,
                                    existed);
    return 0;
}

} // namespace

int KeepInstallerFiles(const std::string& installFolder) {
    int failures = Keep(fw::OwnPath(), installFolder + "\\" + kKeptInstaller);
    std::string packageFolder;
    if (!GetPackageFolder(packageFolder))
        return failures + 1; // it was there for the copy a moment ago
    const std::string settings = packageFolder + "\\" + kSettingsFile;
    if (GetPathKind(settings) == PathIsFile)
        failures += Keep(fw::WideFromAnsi(settings), installFolder + "\\" + kSettingsFile);
    return failures;
}

} // namespace unattended
