#include "deploy/package_folder.h"

#include "deploy/setup_messages.h"
#include "framework/message_box.h"
#include "framework/unique_handle.h"
#include "core/mbcs_text.h"

#include <windows.h>

namespace {
std::optional<std::string> g_executableFolderOverride;
constexpr DWORD kModulePathCapacity = 261;
} // namespace

PathKind GetPathKind(const std::string& path) {
    WIN32_FIND_DATAA data;
    fw::unique_find find(FindFirstFileA(path.c_str(), &data));
    if (!find)
        return PathMissing;
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PathIsFolder : PathIsFile;
}

std::string GetExecutableFolder() {
    if (g_executableFolderOverride)
        return *g_executableFolderOverride;
    char path[kModulePathCapacity] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, kModulePathCapacity);
    // A path that filled the whole buffer may be cut short: treat it as unknown.
    std::string folder(path, length < kModulePathCapacity ? length : 0);
    const size_t slash = core::FindLastBackslash(folder);
    folder.erase(slash == std::string::npos ? 0 : slash);
    return folder;
}

void OverrideExecutableFolder(std::optional<std::string> folder) {
    g_executableFolderOverride = std::move(folder);
}

bool GetPackageFolder(std::string& folder) {
    const std::string executableFolder = GetExecutableFolder();
    // Without the executable's folder (its path could not be read whole) the lookups below
    // would search the root of the current drive and might take a stranger's Data folder.
    if (executableFolder.empty()) {
        ShowSetupMessage(kMissingPackageMessage);
        return false;
    }
    const std::string dataFolder = executableFolder + "\\Data";
    if (GetPathKind(dataFolder) == PathIsFolder) {
        folder = dataFolder;
        return true;
    }
    if (GetPathKind(executableFolder + "\\VK_ZiruzOrav2010.arx") == PathIsFile) {
        folder = executableFolder;
        return true;
    }
    ShowSetupMessage(kMissingPackageMessage);
    return false;
}
