#include "deploy/package_folder.h"

#include "deploy/setup_messages.h"
#include "framework/own_path.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"

#include <windows.h>

namespace {
std::optional<std::wstring> g_executableFolderOverride;

// The folder of the running executable in UTF-16; empty when its path cannot be read.
std::wstring ExecutableFolder() {
    return g_executableFolderOverride ? *g_executableFolderOverride : fw::OwnFolder();
}
} // namespace

PathKind GetPathKind(const std::string& path) {
    WIN32_FIND_DATAA data;
    fw::unique_find find(FindFirstFileA(path.c_str(), &data));
    if (!find)
        return PathMissing;
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PathIsFolder : PathIsFile;
}

void OverrideExecutableFolder(std::optional<std::wstring> folder) {
    g_executableFolderOverride = std::move(folder);
}

bool GetPackageFolder(std::string& folder) {
    const std::wstring wideFolder = ExecutableFolder();
    // Without the executable's folder (its path could not be read) the lookups below
    // would search the root of the current drive and might take a stranger's Data folder.
    if (wideFolder.empty()) {
        ShowSetupMessage(kMissingPackageMessage);
        return false;
    }
    // Read through the code page, such a folder would come back with '?' for the characters
    // it lacks, and the user would be told to unzip a package that is there.
    const std::optional<std::string> executableFolder = fw::ExactAnsiFromWide(wideFolder);
    if (!executableFolder) {
        ShowSetupMessage(kUnspellableFolderMessage);
        return false;
    }
    const std::string dataFolder = *executableFolder + "\\Data";
    if (GetPathKind(dataFolder) == PathIsFolder) {
        folder = dataFolder;
        return true;
    }
    if (GetPathKind(*executableFolder + "\\VK_ZiruzOrav2010.arx") == PathIsFile) {
        folder = *executableFolder;
        return true;
    }
    ShowSetupMessage(kMissingPackageMessage);
    return false;
}
