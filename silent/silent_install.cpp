#include "silent/silent_install.h"

#include "core/build_constants.h"
#include "deploy/acad_running.h"
#include "deploy/setup_messages.h"
#include "framework/text_convert.h"
#include "install/active_setup.h"
#include "install/install_rules.h"
#include "install/install_sequence.h"
#include "install/list_entry.h"
#include "report/install_exit_code.h"
#include "report/log_listener.h"
#include "report/silent_messages.h"
#include "security/install_folders.h"
#include "silent/release_choice.h"

namespace silent {

namespace {

// Every product found, and what the scan made of it; returns which releases were found.
ReleasesFound LogReleasesFound(const CAcadRegistry& registry, report::InstallLog& log) {
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

int RunSilentInstall(CAcadRegistry& registry, const std::optional<std::wstring>& folderAsked,
                     const std::optional<std::vector<int>>& years, report::InstallLog& log) {
    const std::optional<std::string> folder =
        folderAsked ? fw::ExactAnsiFromWide(*folderAsked)
                    : install::CurrentFolderText(
                          install::ListedInstallFolder(security::InstallsMachineWide()));
    const std::wstring folderText = folderAsked ? *folderAsked : fw::WideFromAnsi(*folder);
    // The same rules as the dialog's Install: nothing is created for a folder it would refuse.
    if (!folder || !install::IsInstallableFolderText(*folder)) {
        log.Write(L"the folder cannot be installed into: " + folderText);
        return report::kExitBadCommandLine;
    }

    registry.ScanInstalledReleases();
    const ReleaseChoice choice =
        ChooseReleases(LogReleasesFound(registry, log), g_nTargetBits, years);
    if (choice.unavailableYear) {
        log.Write(L"AutoCAD " + std::to_wstring(*choice.unavailableYear) +
                  L" was asked for but is not found, or not served by this edition: nothing done");
        return report::kExitNoRelease;
    }
    if (!choice.Any()) {
        log.Write(L"no AutoCAD release to install for: nothing done");
        return report::kExitNoRelease;
    }
    if (IsAcadRunning()) {
        log.Write(L"AutoCAD is running: nothing done");
        return report::kExitAcadRunning;
    }
    const std::string installFolder = install::MakeInstallFolder(*folder);
    log.Write(L"installing into " + fw::WideFromAnsi(installFolder) + L" for AutoCAD " +
              YearsText(choice.ticks));

    const report::SilentMessages messages(log);
    report::LogListener listener(log);
    const core::ScopedInstallListener listening(listener);
    fw::ProgressBar noWindow; // its messages go nowhere
    const install::InstallOutcome outcome =
        install::Install(registry, installFolder, choice.ticks, noWindow);
    if (outcome.folderRefused) {
        log.Write(L"the folder is not safe to install into: nothing done");
        return report::kExitUnsafeFolder;
    }
    if (outcome.folderMissing) {
        log.Write(L"the folder cannot be made: nothing done");
        return report::kExitBadCommandLine;
    }
    if (!outcome.copied) {
        log.Write(L"the package copy did not finish: nothing registered");
        return report::InstallExitCode(false, 0,
                                       messages.WasShown(kMissingPackageMessage) ||
                                           messages.WasShown(kUnspellableFolderMessage));
    }
    int failures = outcome.failures;
    // Each user's part: the installing user has it; the others get it at their next logon.
    if (install::RegisterActiveSetup(installFolder, log) == install::ActiveSetupOutcome::Failed)
        ++failures;
    if (failures > 0)
        log.Write(std::to_wstring(failures) +
                  L" entries, profile lists or files could not be written (see FAILED above)");
    log.Write(L"installed into " + fw::WideFromAnsi(installFolder));
    return report::InstallExitCode(true, failures, false);
}

} // namespace silent
