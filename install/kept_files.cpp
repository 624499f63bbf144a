#include "install/kept_files.h"

#include "core/install_events.h"
#include "deploy/package_copy.h"
#include "deploy/package_folder.h"
#include "framework/no_link_file.h"
#include "framework/own_path.h"
#include "framework/text_convert.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace install {

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
    // Not onto a link: the kept installer would be written wherever it points.
    const Destination found = ClearReadOnly(destination);
    if (found.link || !CopyFileW(source.c_str(), wideDestination.c_str(), FALSE)) {
        core::InstallEvents::Failed(L"keep " + wideDestination,
                                    found.link ? fw::kStoppedOnLink : GetLastError());
        return 1;
    }
    // Active Setup starts the kept installer without anyone to answer a download warning.
    RemoveZoneIdentifier(destination);
    ClearReadOnly(destination);
    core::InstallEvents::FileCopied(core::FileKind::Kept, fw::AnsiFromWide(source), destination,
                                    found.exists);
    return 0;
}

} // namespace

int KeepInstallerFiles(const std::string& installFolder) {
    std::vector<std::pair<std::wstring, std::string>> kept{
        {fw::OwnPath(), installFolder + "\\" + kKeptInstaller}};
    std::string packageFolder;
    const bool package = GetPackageFolder(packageFolder); // there for the copy a moment ago
    const std::string settings = packageFolder + "\\" + kSettingsFile;
    if (package && GetPathKind(settings) == PathIsFile)
        kept.emplace_back(fw::WideFromAnsi(settings), installFolder + "\\" + kSettingsFile);
    for (const auto& [source, destination] : kept)
        core::InstallEvents::FilePlanned(core::FileKind::Kept, destination,
                                         GetFileAttributesA(destination.c_str()) !=
                                             INVALID_FILE_ATTRIBUTES);
    core::InstallEvents::StagePlanned();
    int failures = package ? 0 : 1;
    for (const auto& [source, destination] : kept)
        failures += Keep(source, destination);
    return failures;
}

} // namespace install
