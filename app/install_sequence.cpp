#include "app/install_sequence.h"

#include "app/install_rules.h"
#include "core/install_events.h"
#include "deploy/package_copy.h"
#include "deploy/setup_messages.h"
#include "security/folder_owner.h"
#include "security/install_folders.h"
#include "unattended/kept_files.h"
#include "uninstall/list_entry.h"
#include "uninstall/record_writer.h"

namespace app {

namespace {
InstallOutcome InstallSteps(CAcadRegistry& registry, const std::string& folderText,
                            const acad::ReleaseTicks& ticks, fw::ProgressBar& progress) {
    InstallOutcome outcome;
    // The folder of the (checked) folder text and its V-ZiruzOrav sub-folder, one level each,
    // locked when the installation is machine-wide.
    const std::string targetFolder = WithoutTrailingBackslash(folderText);
    outcome.installFolder = MakeInstallFolder(targetFolder);
    if (const auto refused = security::PrepareInstallFolders(targetFolder, outcome.installFolder,
                                                             security::InstallsMachineWide())) {
        ShowSetupMessage(security::UnsafeFolderMessage(refused->folder));
        outcome.folderRefused = true;
        return outcome;
    }
    const InstallTarget target{outcome.installFolder, progress};
    if (!CopyPackage(target))
        return outcome;
    outcome.copied = true;
    progress.StepIt();
    registry.SetInstallDir(outcome.installFolder);
    outcome.failures = registry.RegisterAddIn(ticks);
    progress.StepIt();
    outcome.failures += registry.CopySupportFiles(ticks);
    outcome.failures += unattended::KeepInstallerFiles(outcome.installFolder);
    progress.StepIt();
    return outcome;
}
} // namespace

InstallOutcome Install(CAcadRegistry& registry, const std::string& folderText,
                       const acad::ReleaseTicks& ticks, fw::ProgressBar& progress) {
    // The record hears every step, from the folders on, for the uninstaller.
    uninstall::InstallRecordWriter record(MakeInstallFolder(WithoutTrailingBackslash(folderText)));
    const core::ScopedInstallListener recording(record);
    InstallOutcome outcome = InstallSteps(registry, folderText, ticks, progress);
    if (outcome.copied)
        uninstall::RegisterUninstaller(outcome.installFolder, record);
    return outcome;
}

} // namespace app
