#include "unattended/silent_install.h"

#include "app/install_rules.h"
#include "app/install_sequence.h"
#include "core/build_constants.h"
#include "deploy/acad_running.h"
#include "deploy/setup_messages.h"
#include "framework/text_convert.h"
#include "unattended/active_setup.h"
#include "unattended/install_exit_code.h"
#include "unattended/log_listener.h"
#include "unattended/release_choice.h"
#include "unattended/silent_messages.h"

namespace unattended {

namespace {

// Every product found, and what the scan made of it; returns which releases were found.
ReleasesFound LogReleasesFound(const CAcadRegistry& registry, InstallLog& log) {
    ReleasesFound found{};
    for (int k = 0; k < acad::kReleaseCount; ++k) {
        found[k] = registry.IsInstalled(k);
        const CStringList& keys = registry.m_arrProductKey[k];
        const CStringList& folders = registry.m_arrLocation[k];
        for (size_t i = 0; i < keys.size() && i < folders.size(); ++i)
            log.Write(L"AutoCAD " + std::to_wstring(acad::ReleaseYear(k)) +
                      L" found: HKEY_LOCAL_MACHINE\\" + fw::WideFromAnsi(keys[i]) + L" in " +
                      fw::WideFromAnsi(folders[i]));
    }
    return found;
}

std::wstring YearsText(const acad::ReleaseTicks& ticks) {
    std::wstring years;
    for (int k = 0; k < acad::kReleaseCount; ++k)
        if (ticks[k])
            years += (years.empty() ? L"" : L", ") + std::to_wstring(acad::ReleaseYear(k));
    return years;
}

} // namespace

int RunSilentInstall(CAcadRegistry& registry, const CommandLine& command, InstallLog& log) {
    const std::wstring folderText = command.folder.value_or(kDefaultFolderText);
    const std::optional<std::string> folder = fw::ExactAnsiFromWide(folderText);
    // The same rules as the dialog's Install: nothing is created for a folder it would refuse.
    if (!folder || !app::IsInstallableFolderText(*folder)) {
        log.Write(L"the folder cannot be installed into: " + folderText);
        return kExitBadCommandLine;
    }

    registry.ScanInstalledReleases();
    const ReleaseChoice choice =
        ChooseReleases(LogReleasesFound(registry, log), g_nTargetBits, command.years);
    if (choice.unavailableYear) {
        log.Write(L"AutoCAD " + std::to_wstring(*choice.unavailableYear) +
                  L" was asked for but is not found, or not served by this edition: nothing done");
        return kExitNoRelease;
    }
    if (!choice.Any()) {
        log.Write(L"no AutoCAD release to install for: nothing done");
        return kExitNoRelease;
    }
    if (IsAcadRunning()) {
        log.Write(L"AutoCAD is running: nothing done");
        return kExitAcadRunning;
    }
    log.Write(L"installing into " + fw::WideFromAnsi(app::MakeInstallFolder(*folder)) +
              L" for AutoCAD " + YearsText(choice.ticks));

    const SilentMessages messages(log);
    LogListener listener(log);
    const core::ScopedInstallListener listening(listener);
    fw::ProgressBar noWindow; // its messages go nowhere
    const app::InstallOutcome outcome = app::Install(registry, *folder, choice.ticks, noWindow);
    if (outcome.folderRefused) {
        log.Write(L"the folder is not safe to install into: nothing done");
        return kExitUnsafeFolder;
    }
    if (!outcome.copied) {
        log.Write(L"the package copy did not finish: nothing registered");
        return InstallExitCode(false, 0,
                               messages.WasShown(kMissingPackageMessage) ||
                                   messages.WasShown(kUnspellableFolderMessage));
    }
    int failures = outcome.failures;
    // Each user's part: the installing user has it; the others get it at their next logon.
    if (RegisterActiveSetup(outcome.installFolder, log) == ActiveSetupOutcome::Failed)
        ++failures;
    if (failures > 0)
        log.Write(std::to_wstring(failures) +
                  L" entries, profile lists or files could not be written (see FAILED above)");
    log.Write(L"installed into " + fw::WideFromAnsi(outcome.installFolder));
    return InstallExitCode(true, failures, false);
}

} // namespace unattended
