#include "deploy/package_copy.h"

#include "deploy/package_folder.h"
#include "deploy/package_plan.h"
#include "deploy/setup_messages.h"
#include "core/bounded_format.h"
#include "core/install_events.h"
#include "framework/no_link_file.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"

#include <windows.h>
#include <shlobj.h>

#include <direct.h>

#include <cwchar>
#include <vector>

namespace {

enum class EntryOutcome { Done, Aborted };
enum class CopyOutcome { Copied, Ignored, Aborted };

// Creates one folder level. A folder that already exists is what we want, and a folder that
// cannot be made shows up as failed copies; only a folder made here is worth telling.
void MakeFolderLevel(const std::string& folder) {
    if (const auto buffer = core::FormatPath("%s", folder.c_str()))
        if (_mkdir(buffer->c_str()) == 0)
            core::InstallEvents::FolderCreated(*buffer);
}

// A destination folder as the copy uses it (nullopt when the code page cannot spell it or no
// base for it is known) and as the user is shown it.
struct DestinationFolder {
    std::optional<std::string> path;
    std::wstring shown;
};

std::optional<std::wstring> ReadAppData() {
    wchar_t buffer[core::kPathBufferSize] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", buffer, core::kPathBufferSize);
    if (!deploy::AppDataFits(length))
        return std::nullopt;
    return std::wstring(buffer, length);
}

// Without a usable APPDATA the settings file still belongs to the user's roaming profile,
// not to a "\Vornik" at the root of whatever drive is current.
std::optional<std::wstring> RoamingAppDataFolder() {
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer)) ||
        buffer[0] == L'\0')
        return std::nullopt;
    return std::wstring(buffer);
}

// The settings folder, created when missing. A base the code page cannot spell makes the
// copy fail with the folder's real name in the message, rather than one full of '?'.
DestinationFolder PrepareSettingsFolder() {
    const std::optional<std::wstring> settings = UserSettingsFolder();
    if (!settings)
        return {std::nullopt, L"%APPDATA%\\Vornik"};
    const std::wstring folder = *settings;
    const std::optional<std::string> spelled = fw::ExactAnsiFromWide(folder);
    if (spelled)
        MakeFolderLevel(*spelled);
    return {spelled, folder};
}

// A destination that is a link fails as a copy does, with its own reason: the install folder
// may have been prepared by someone else, and the copy must not write where it points.
bool CopyOnce(const deploy::FilePaths& paths, const std::wstring& shown, bool destinationIsLink) {
    if (paths.source && paths.destination && !destinationIsLink &&
        CopyFileA(paths.source->c_str(), paths.destination->c_str(), FALSE))
        return true;
    const DWORD error = destinationIsLink                   ? fw::kStoppedOnLink
                        : paths.source && paths.destination ? GetLastError()
                                                            : ERROR_BAD_PATHNAME;
    core::InstallEvents::Failed(L"copy " + shown, error);
    return false;
}

// Copies until it succeeds or the user gives up on the file. An answer that is neither
// Abort nor Ignore means Retry; a box that could not be shown at all (0) ends the copy,
// since retrying without asking would never stop.
CopyOutcome CopyWithUserChoice(const deploy::FilePaths& paths, const std::wstring& shown,
                               Destination found, const fw::ProgressBar& progressBar) {
    while (!CopyOnce(paths, shown, found.link)) {
        progressBar.SendSteps(); // the box shows the bar at this file
        const int answer = ShowSetupMessage(deploy::CopyFailureText(shown), MB_ABORTRETRYIGNORE);
        if (answer == IDABORT || answer == 0)
            return CopyOutcome::Aborted;
        if (answer == IDIGNORE)
            return CopyOutcome::Ignored;
        if (paths.destination) // the user may have taken the link away before Retry
            found = ClearReadOnly(*paths.destination);
    }
    return CopyOutcome::Copied;
}

// One listing entry that is copied: its kind, its paths and the destination as the user is
// shown it.
struct PlannedCopy {
    core::FileKind kind;
    deploy::FilePaths paths;
    std::wstring shown;
    DWORD destinationAttributes; // INVALID_FILE_ATTRIBUTES: no such file yet
};

// True when the folder holds nothing at all: then no path below it names anything, and the
// plan need not look at each destination.
bool IsEmptyFolder(const std::string& folder) {
    WIN32_FIND_DATAW entry = {};
    const fw::unique_find listing(
        FindFirstFileW((fw::WideFromAnsi(folder) + L"\\*").c_str(), &entry));
    if (!listing)
        return false;
    do {
        if (std::wcscmp(entry.cFileName, L".") != 0 && std::wcscmp(entry.cFileName, L"..") != 0)
            return false;
    } while (FindNextFileW(listing.get(), &entry));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

std::optional<PlannedCopy> PlanEntry(const std::string& packageFolder,
                                     const std::string& installFolder, bool installFolderEmpty,
                                     const WIN32_FIND_DATAW& entry) {
    const std::wstring wideName = entry.cFileName;
    const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // Our fixed names are plain ASCII: a name spelled with '?' for what the code page lacks
    // is none of them.
    const deploy::EntryPlace place = deploy::PlaceOfEntry(fw::AnsiFromWide(wideName), isFolder);
    if (place == deploy::EntryPlace::NotCopied)
        return std::nullopt;
    const bool settings = place == deploy::EntryPlace::SettingsFolder;
    const DestinationFolder destination =
        settings ? PrepareSettingsFolder()
                 : DestinationFolder{installFolder, fw::WideFromAnsi(installFolder)};
    // A name the code page cannot spell has no ANSI path: its copy fails and the message
    // names the file as it is really called.
    const std::optional<std::string> name = fw::ExactAnsiFromWide(wideName);
    PlannedCopy planned{settings ? core::FileKind::Settings : core::FileKind::Package,
                        name ? deploy::PlanFilePaths(packageFolder, destination.path, *name)
                             : deploy::FilePaths{},
                        destination.shown + L"\\" + wideName, INVALID_FILE_ATTRIBUTES};
    if (planned.paths.destination && (settings || !installFolderEmpty))
        planned.destinationAttributes = GetFileAttributesA(planned.paths.destination->c_str());
    return planned;
}

// Whether the folder's volume can hold named streams. Without them no file there carries the
// internet's mark, and a look for it per file can be spared; when the volume cannot be asked,
// every file is looked at.
bool HoldsNamedStreams(const std::string& folder) {
    const fw::unique_file handle(CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                             nullptr));
    DWORD flags = 0;
    return !handle ||
           !GetVolumeInformationByHandleW(handle.get(), nullptr, 0, nullptr, nullptr, &flags,
                                          nullptr, 0) ||
           (flags & FILE_NAMED_STREAMS) != 0;
}

EntryOutcome CopyEntry(const PlannedCopy& planned, const WIN32_FIND_DATAW& entry,
                       bool sourceMayBeMarked, const fw::ProgressBar& progressBar) {
    const deploy::FilePaths& paths = planned.paths;
    // The copy takes over the source's attributes and streams, so clearing both marks on the
    // package's own file keeps them off the installed copy; the destination must be writable
    // to be replaced. The listing already holds the source's attributes.
    const bool sourceReadOnly = (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (paths.source) {
        if (sourceReadOnly)
            SetFileAttributesA(paths.source->c_str(),
                               entry.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
        if (sourceMayBeMarked)
            RemoveZoneIdentifier(*paths.source);
    }
    // The destination as the plan found it a moment ago: one look per file is enough. A link
    // is never written through, nor its flags touched.
    const DWORD attributes = planned.destinationAttributes;
    const Destination found{attributes != INVALID_FILE_ATTRIBUTES,
                            attributes != INVALID_FILE_ATTRIBUTES && fw::IsLink(attributes)};
    if (found.exists && !found.link && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(paths.destination->c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);

    const CopyOutcome outcome = CopyWithUserChoice(paths, planned.shown, found, progressBar);
    if (outcome == CopyOutcome::Aborted)
        return EntryOutcome::Aborted;
    if (outcome == CopyOutcome::Copied)
        core::InstallEvents::FileCopied(planned.kind, *paths.source, *paths.destination,
                                        found.exists);
    // Only a read-only source (on a medium where the flag would not come off) can have
    // passed the flag on; a writable source leaves nothing to clear.
    if (paths.destination && sourceReadOnly)
        ClearReadOnly(*paths.destination);
    return EntryOutcome::Done;
}

fw::unique_find OpenListing(const std::string& packageFolder, WIN32_FIND_DATAW& entry) {
    const std::optional<std::string> pattern = deploy::ListingPattern(packageFolder);
    if (!pattern)
        return fw::unique_find();
    // Listed in UTF-16, so that a name the code page lacks is seen as it is.
    return fw::unique_find(FindFirstFileW(fw::WideFromAnsi(*pattern).c_str(), &entry));
}

FindNextEntry g_findNextEntry = FindNextFileW;

} // namespace

std::optional<std::wstring> UserSettingsFolder() {
    std::optional<std::wstring> base = ReadAppData();
    if (!base)
        base = RoamingAppDataFolder();
    if (!base)
        return std::nullopt;
    return *base + L"\\Vornik";
}

Destination ClearReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {};
    if (fw::IsLink(attributes))
        return {true, true};
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return {true, false};
}

bool RemoveZoneIdentifier(const std::string& path) {
    return DeleteFileA((path + ":Zone.Identifier").c_str()) != FALSE;
}

void OverrideFindNextEntry(FindNextEntry next) {
    g_findNextEntry = next ? next : FindNextFileW;
}

bool CopyPackage(const InstallTarget& target) {
    std::string packageFolder;
    if (!GetPackageFolder(packageFolder))
        return false;
    MakeFolderLevel(target.installFolder);

    WIN32_FIND_DATAW entry = {};
    const fw::unique_find listing = OpenListing(packageFolder, entry);
    if (!listing) {
        // The folder was there a moment ago; with nothing to copy, success would be a lie.
        ShowSetupMessage(kMissingPackageMessage);
        return false;
    }
    // The whole listing first: the record takes the copy's every file before the first one.
    std::vector<WIN32_FIND_DATAW> entries{entry};
    while (g_findNextEntry(listing.get(), &entry))
        entries.push_back(entry);
    if (GetLastError() != ERROR_NO_MORE_FILES) {
        // A listing that broke off leaves files uncopied that nobody has seen: a failed copy
        // with no file to retry or skip, so it ends as Abort does, before any copy.
        core::InstallEvents::Failed(fw::WideFromAnsi("list " + packageFolder), GetLastError());
        ShowSetupMessage(deploy::CopyFailureText(fw::WideFromAnsi(packageFolder + "\\*.*")));
        return false;
    }
    std::vector<std::optional<PlannedCopy>> plan;
    const bool installFolderEmpty = IsEmptyFolder(target.installFolder);
    for (const WIN32_FIND_DATAW& listed : entries) {
        plan.push_back(PlanEntry(packageFolder, target.installFolder, installFolderEmpty, listed));
        if (plan.back() && plan.back()->paths.destination)
            core::InstallEvents::FilePlanned(plan.back()->kind, *plan.back()->paths.destination,
                                             plan.back()->destinationAttributes !=
                                                 INVALID_FILE_ATTRIBUTES);
    }
    core::InstallEvents::StagePlanned();
    const bool packageMayBeMarked = HoldsNamedStreams(packageFolder);
    // One step per entry examined, and one for the end of the listing.
    for (size_t k = 0; k < entries.size(); ++k) {
        target.progressBar.StepIt();
        if (plan[k] && CopyEntry(*plan[k], entries[k], packageMayBeMarked, target.progressBar) ==
                           EntryOutcome::Aborted)
            return false;
    }
    target.progressBar.StepIt();
    return true;
}
