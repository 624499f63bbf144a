#include "install/install_sequence.h"

#include "core/install_events.h"
#include "core/mbcs_text.h"
#include "deploy/package_copy.h"
#include "install/kept_files.h"
#include "install/list_entry.h"
#include "install/record_writer.h"

#include <direct.h>

namespace app {

namespace {
void MakeFolder(const std::string& folder) {
    if (_mkdir(folder.c_str()) == 0) // an existing folder is fine
        core::InstallEvents::FolderCreated(folder);
}

// The folder the user chose, then its V-ZiruzOrav sub-folder: one level each.
void CreateInstallFolders(const std::string& installFolder) {
    MakeFolder(installFolder.substr(0, core::FindLastBackslash(installFolder)));
    MakeFolder(installFolder);
}

InstallOutcome InstallSteps(CAcadRegistry& registry, const std::string& installFolder,
                            const acad::ReleaseTicks& ticks, fw::ProgressBar& progress) {
    InstallOutcome outcome;
    CreateInstallFolders(installFolder);
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
