#include "install/install_sequence.h"

#include "core/install_events.h"
#include "core/mbcs_text.h"
#include "deploy/package_copy.h"
#include "deploy/package_folder.h"
#include "deploy/setup_messages.h"
#include "framework/text_convert.h"
#include "framework/whole_file.h"
#include "install/install_record.h"
#include "install/kept_files.h"
#include "install/list_entry.h"
#include "install/record_writer.h"
#include "picker/folder_actions.h"
#include "security/folder_owner.h"
#include "security/install_folders.h"

#include <windows.h>

#include <vector>

namespace install {

namespace {

// Every missing level of the install folder, from the drive down, as the picker makes them;
// each one made is told, for the uninstaller to remove when empty. When a level cannot be
// made, those made before it go again: a failed installation leaves no empty folders.
bool MakeInstallFolders(const std::string& installFolder, void* securityAttributes) {
    std::vector<std::string> made;
    DWORD error = ERROR_SUCCESS;
    FolderActions actions;
    actions.examine = ExamineFolderEntry;
    actions.createFolder = [&](const std::string& level) {
        if (CreateDirectoryA(level.c_str(), static_cast<SECURITY_ATTRIBUTES*>(securityAttributes)))
            made.push_back(level);
        else
            error = GetLastError(); // an existing level too; only the last one matters
    };
    if (CheckFolderPath(installFolder, false, actions) != FolderPathOk) {
        for (auto level = made.rbegin(); level != made.rend(); ++level)
            RemoveDirectoryA(level->c_str());
        core::InstallEvents::Failed(L"create " + fw::WideFromAnsi(installFolder), error);
        return false;
    }
    for (const std::string& level : made)
        core::InstallEvents::FolderCreated(level);
    return true;
}

// The record of the installation that the list of programs names, when it lies in another
// folder: its facts go first into this installation's record, so that one uninstall removes
// both and puts back what was there before the first.
std::string TakenOverRecord(const std::string& installFolder, bool machineWide) {
    const std::optional<std::string> listed = ListedInstallFolder(machineWide);
    if (!listed)
        return {};
    const std::optional<std::string> earlier =
        fw::ReadWholeFile(fw::WideFromAnsi(*listed + "\\" + kRecordFileName));
    return earlier ? TakeOverRecord(*earlier, fw::Utf8FromWide(fw::WideFromAnsi(installFolder)))
                   : std::string();
}

InstallOutcome InstallSteps(CAcadRegistry& registry, const std::string& installFolder,
                            const acad::ReleaseTicks& ticks, fw::ProgressBar& progress,
                            bool machineWide) {
    InstallOutcome outcome;
    // Every missing level, locked when the installation is machine-wide.
    const std::string targetFolder =
        installFolder.substr(0, core::FindLastBackslash(installFolder));
    const security::PreparedFolders folders = security::PrepareInstallFolders(
        targetFolder, installFolder, machineWide, [&](void* securityAttributes) {
            return MakeInstallFolders(installFolder, securityAttributes);
        });
    if (folders.state == security::FolderState::Refused) {
        ShowSetupMessage(security::UnsafeFolderMessage(folders.refused));
        outcome.folderRefused = true;
        return outcome;
    }
    if (folders.state == security::FolderState::NotMade) {
        outcome.folderMissing = true;
        return outcome;
    }
    const InstallTarget target{installFolder, progress};
    if (!CopyPackage(target))
        return outcome;
    outcome.copied = true;
    progress.StepIt();
    outcome.failures = registry.RegisterAddIn(ticks, installFolder);
    progress.StepIt();
    outcome.failures += registry.CopySupportFiles(ticks);
    outcome.failures += KeepInstallerFiles(installFolder);
    progress.StepIt();
    return outcome;
}
} // namespace

InstallOutcome Install(CAcadRegistry& registry, const std::string& installFolder,
                       const acad::ReleaseTicks& ticks, fw::ProgressBar& progress) {
    // Without a package nothing is made, not even a folder: the lookup has told the user.
    std::string packageFolder;
    if (!GetPackageFolder(packageFolder))
        return {};
    const bool machineWide = security::InstallsMachineWide();
    // The record hears every step, from the folders on, for the uninstaller.
    InstallRecordWriter record(installFolder, TakenOverRecord(installFolder, machineWide));
    const core::ScopedInstallListener recording(record);
    InstallOutcome outcome = InstallSteps(registry, installFolder, ticks, progress, machineWide);
    if (outcome.copied)
        RegisterUninstaller(installFolder, record);
    return outcome;
}

} // namespace install
