#include "deploy/package_copy.h"

#include "deploy/package_folder.h"
#include "deploy/package_plan.h"
#include "deploy/setup_messages.h"
#include "core/bounded_format.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"

#include <windows.h>
#include <shlobj.h>

#include <direct.h>

namespace {

enum class EntryOutcome { Done, Aborted };

// Creates one folder level. A folder that already exists is what we want, and a folder that
// cannot be made shows up as failed copies, so the result is deliberately not looked at.
void MakeFolderLevel(const std::string& folder) {
    if (const auto buffer = core::FormatPath("%s", folder.c_str()))
        static_cast<void>(_mkdir(buffer->c_str()));
}

std::optional<std::string> ReadAppData() {
    char buffer[core::kPathBufferSize] = {};
    const DWORD length = GetEnvironmentVariableA("APPDATA", buffer, sizeof buffer);
    if (!deploy::AppDataFits(length))
        return std::nullopt;
    return std::string(buffer, length);
}

// Without a usable APPDATA the settings file still belongs to the user's roaming profile,
// not to a "\Vornik" at the root of whatever drive is current.
std::optional<std::string> RoamingAppDataFolder() {
    char buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer)) ||
        buffer[0] == '\0')
        return std::nullopt;
    return std::string(buffer);
}

// The settings folder, created when missing; nullopt when no base for it is known.
std::optional<std::string> PrepareSettingsFolder() {
    std::optional<std::string> base = ReadAppData();
    if (!base)
        base = RoamingAppDataFolder();
    if (!base)
        return std::nullopt;
    const std::string folder = deploy::SettingsFolderIn(*base);
    MakeFolderLevel(folder);
    return folder;
}

bool CopyOnce(const deploy::FilePaths& paths) {
    return paths.source && paths.destination &&
           CopyFileA(paths.source->c_str(), paths.destination->c_str(), FALSE);
}

// Copies until it succeeds or the user gives up on the file. An answer that is neither
// Abort nor Ignore means Retry; a box that could not be shown at all (0) ends the copy,
// since retrying without asking would never stop.
EntryOutcome CopyWithUserChoice(const deploy::FilePaths& paths) {
    while (!CopyOnce(paths)) {
        const int answer = ShowSetupMessage(
            deploy::CopyFailureText(fw::WideFromAnsi(paths.shownDestination)), MB_ABORTRETRYIGNORE);
        if (answer == IDABORT || answer == 0)
            return EntryOutcome::Aborted;
        if (answer == IDIGNORE)
            break;
    }
    return EntryOutcome::Done;
}

EntryOutcome CopyEntry(const std::string& packageFolder, const std::string& installFolder,
                       const WIN32_FIND_DATAA& entry) {
    const std::string name = entry.cFileName;
    const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const deploy::EntryPlace place = deploy::PlaceOfEntry(name, isFolder);
    if (place == deploy::EntryPlace::NotCopied)
        return EntryOutcome::Done;
    const std::optional<std::string> destinationFolder =
        place == deploy::EntryPlace::SettingsFolder ? PrepareSettingsFolder()
                                                    : std::optional<std::string>(installFolder);
    const deploy::FilePaths paths = deploy::PlanFilePaths(packageFolder, destinationFolder, name);

    // The copy takes over the source's attributes and streams, so clearing both marks on the
    // package's own file keeps them off the installed copy; the destination must be writable
    // to be replaced. The listing already holds the source's attributes.
    const bool sourceReadOnly = (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (paths.source) {
        if (sourceReadOnly)
            SetFileAttributesA(paths.source->c_str(),
                               entry.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
        RemoveZoneIdentifier(*paths.source);
    }
    if (paths.destination)
        ClearReadOnly(*paths.destination);

    if (CopyWithUserChoice(paths) == EntryOutcome::Aborted)
        return EntryOutcome::Aborted;
    // Only a read-only source (on a medium where the flag would not come off) can have
    // passed the flag on; a writable source leaves nothing to clear.
    if (paths.destination && sourceReadOnly)
        ClearReadOnly(*paths.destination);
    return EntryOutcome::Done;
}

fw::unique_find OpenListing(const std::string& packageFolder, WIN32_FIND_DATAA& entry) {
    const std::optional<std::string> pattern = deploy::ListingPattern(packageFolder);
    if (!pattern)
        return fw::unique_find();
    return fw::unique_find(FindFirstFileA(pattern->c_str(), &entry));
}

} // namespace

void ClearReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

bool RemoveZoneIdentifier(const std::string& path) {
    return DeleteFileA((path + ":Zone.Identifier").c_str()) != FALSE;
}

bool CopyPackage(const InstallTarget& target) {
    std::string packageFolder;
    if (!GetPackageFolder(packageFolder))
        return false;
    MakeFolderLevel(target.installFolder);

    WIN32_FIND_DATAA entry = {};
    const fw::unique_find listing = OpenListing(packageFolder, entry);
    if (!listing) {
        // The folder was there a moment ago; with nothing to copy, success would be a lie.
        ShowSetupMessage(kMissingPackageMessage);
        return false;
    }
    // One step per entry examined, and one for the read that finds the end.
    for (int k = 0;; ++k) {
        target.progressBar.StepIt();
        if (k > 0 && !FindNextFileA(listing.get(), &entry))
            return true;
        if (CopyEntry(packageFolder, target.installFolder, entry) == EntryOutcome::Aborted)
            return false;
    }
}
