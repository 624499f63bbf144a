#include "install/install_sequence.h"

#include "core/install_events.h"
#include "core/mbcs_text.h"
#include "deploy/package_copy.h"
#include "deploy/setup_messages.h"
#include "install/kept_files.h"
#include "install/list_entry.h"
#include "install/record_writer.h"
#include "security/folder_owner.h"
#include "security/install_folders.h"

namespace app {

namespace {
InstallOutcome InstallSteps(CAcadRegistry& registry, const std::string& installFolder,
                            const acad::ReleaseTicks& ticks, fw::ProgressBar& progress) {
    InstallOutcome outcome;
    // The folder the user chose, then its V-ZiruzOrav sub-folder, one level each, locked when
    // the installation is machine-wide.
    const std::string targetFolder =
        installFolder.substr(0, core::FindLastBackslash(installFolder));
    if (const auto refused = security::PrepareInstallFolders(targetFolder, installFolder,
                                                             security::InstallsMachineWide())) {
        ShowSetupMessage(security::UnsafeFolderMessage(refused->folder));
        outcome.folderRefused = true;
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
    outcome.failures += unattended::KeepInstallerFiles(installFolder);
    progress.StepIt();
    return outcome;
}
} // namespace

InstallOutcome Install(CAcadRegistry& registry, const std::string& installFolder,
                       const acad::ReleaseTicks& ticks, fw::ProgressBar& progress) {
    // The record hears every step, from the folders on, for the uninstaller.
    uninstall::InstallRecordWriter record(installFolder);
    const core::ScopedInstallListener recording(record);
    InstallOutcome outcome = InstallSteps(registry, installFolder, ticks, progress);
    if (outcome.copied)
        uninstall::RegisterUninstaller(installFolder, record);
    return outcome;
}

} // namespace app
