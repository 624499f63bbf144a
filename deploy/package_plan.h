// What the package copy decides before it touches a file: which listing entries are copied
// and where to, the paths it works with, and the text it shows when a copy fails. Plain
// code, so the rules are tested without Windows.
#pragma once

#include <optional>
#include <string>

namespace deploy {

// Where one entry of the package folder's listing goes.
enum class EntryPlace {
    NotCopied,      // ".", "..", a sub-folder, the installer, or a support file placed later
    InstallFolder,  // every other file
    SettingsFolder, // the add-in's settings file
};

// Names are compared without regard to case, "." and ".." exactly.
EntryPlace PlaceOfEntry(const std::string& name, bool isFolder);

// Whether APPDATA, read into the 260-byte buffer, gave a usable base: reportedLength is what
// the environment read returned (0 when the variable is unset or empty, the size it would
// need when it does not fit).
bool AppDataFits(unsigned long reportedLength);

// The paths of one file's copy. A path that does not fit a 260-byte buffer is nullopt and is
// never cut short: the copy of that file then fails and the user decides what happens.
struct FilePaths {
    std::optional<std::string> source;
    std::optional<std::string> destination; // also nullopt when its folder is unknown
};

// destinationFolder is nullopt for a settings folder without a known (or spellable) base.
FilePaths PlanFilePaths(const std::string& packageFolder,
                        const std::optional<std::string>& destinationFolder,
                        const std::string& name);

// "<package folder>\*.*", or nullopt when it does not fit its 260-byte buffer.
std::optional<std::string> ListingPattern(const std::string& packageFolder);

// The failure message of one copy, naming its destination.
std::wstring CopyFailureText(const std::wstring& destination);

} // namespace deploy
