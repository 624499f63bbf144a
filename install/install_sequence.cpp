#include "install/install_sequence.h"

#include "core/install_events.h"
#include "core/mbcs_text.h"
#include "deploy/package_copy.h"
#include "install/install_rules.h"
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

// The folder of the (checked) folder text and its V-ZiruzOrav sub-folder, one level each;
// returns the install folder.
std::string CreateInstallFolders(const std::string& folderText) {
    std::string target = folderText;
    core::StripTrailingBackslash(target);
    MakeFolder(target);
    const std::string installFolder = MakeInstallFolder(target);
    MakeFolder(installFolder);
    return installFolder;
}

InstallOutcome InstallSteps(CAcadRegistry& registry, const std::string& folderText,
                            const acad::ReleaseTicks& ticks, fw::ProgressBar& progress) {
    InstallOutcome outcome;
    outcome.installFolder = CreateInstallFolders(folderText);
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
    uninstall::InstallRecordWriter record(MakeInstallFolder(folderText));
    const core::ScopedInstallListener recording(record);
    InstallOutcome outcome = InstallSteps(registry, folderText, ticks, progress);
    if (outcome.copied)
        uninstall::RegisterUninstaller(outcome.installFolder, record);
    return outcome;
}

} // namespace app
