#include "uninstall/kept_files_stand_in.h"

#include "core/install_events.h"
#include "deploy/package_folder.h"

#include <windows.h>

namespace uninstall {

void KeepInstallerFilesStandIn(const std::string& installFolder) {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string package;
    if (length == 0 || length >= MAX_PATH || !GetPackageFolder(package))
        return;
    const std::pair<std::string, std::string> kept[] = {
        {self, installFolder + "\\SetUp.exe"},
        {package + "\\Vornik.Ini", installFolder + "\\Vornik.Ini"}};
    for (const auto& [from, to] : kept) {
        const bool existed = GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (CopyFileA(from.c_str(), to.c_str(), FALSE))
            core::InstallEvents::FileCopied(core::FileKind::Kept, from, to, existed);
    }
}

} // namespace uninstall
