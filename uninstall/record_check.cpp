#include "uninstall/record_check.h"

#include "acad/demand_load_entries.h"
#include "acad/support_file_plan.h"
#include "acad/trusted_path_merge.h"
#include "core/split_text.h"
#include "install/install_rules.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <set>

namespace uninstall {

namespace {

constexpr unsigned long kRegSz = 1;

std::vector<std::string> Split(const std::string& path) {
    return core::SplitAt(path, '\\');
}

// Windows drops a level's trailing dots and spaces and reads "." and ".." as moves, so such
// a level would not name what the text seems to name.
bool PlainLevel(const std::string& level) {
    if (level.empty() || level.back() == '.' || level.back() == ' ')
        return false;
    return std::none_of(level.begin(), level.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 ||
               std::string(":*?\"<>|").find(c) != std::string::npos;
    });
}

// An absolute path ("X:\..." or "\\server\share\...") with '/' read as '\', as Windows reads
// it; nullopt for anything else.
std::optional<std::string> PlainPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    std::string rest;
    size_t rootLevels = 0;
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && path[2] == '\\') {
        if (path.size() == 3)
            return path;
        rest = path.substr(3);
    } else if (path.rfind("\\\\", 0) == 0) {
        rest = path.substr(2);
        rootLevels = 2; // server and share
    } else {
        return std::nullopt;
    }
    const std::vector<std::string> levels = Split(rest);
    if (levels.size() < rootLevels || !std::all_of(levels.begin(), levels.end(), PlainLevel))
        return std::nullopt;
    return path;
}

bool IsRoot(const std::string& plain) {
    return plain.size() == 3 || (plain[0] == '\\' && Split(plain.substr(2)).size() == 2);
}

bool IsInside(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() + 1 && path[folder.size()] == '\\' &&
           install::SamePath(path.substr(0, folder.size()), folder);
}

bool IsDirectlyIn(const std::string& path, const std::string& folder) {
    return IsInside(path, folder) && path.find('\\', folder.size() + 1) == std::string::npos;
}

std::string FolderOf(const std::string& path) {
    const size_t last = path.rfind('\\');
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

// Planned with an empty folder, a support file's destination is its place below the AutoCAD
// folder: "\Fonts\Vornik_EN.shx", "\itextsharp.dll", "\Drv\pdfplot9.hdi".
bool IsSupportFile(const std::string& path, const std::vector<FoundProduct>& products) {
    for (const FoundProduct& product : products) {
        const std::optional<std::string> folder = PlainPath(product.folder);
        if (!folder || IsRoot(*folder))
            continue;
        for (const auto& copy :
             acad::PlanSupportFiles("", "", product.year == acad::kDriverReleaseYear)) {
            if (copy.destination && install::SamePath(path, *folder + *copy.destination))
                return true;
        }
    }
    return false;
}

// The Active Setup component and the list entry are removed by their fixed names, never
// from a record line, so only demand-load keys are looked for here.
bool IsEntryKey(const install::RecordedKey& key, const MachineFacts& facts) {
    if (key.view != facts.view)
        return false;
    for (const FoundProduct& product : facts.products) {
        for (const auto& entry : acad::DemandLoadEntries(product.year, "", "", facts.targetBits)) {
            if (entry && install::SamePath(key.path, product.key + entry->keyName))
                return true;
        }
    }
    return false;
}

// "SOFTWARE\Autodesk\AutoCAD\<release>\<product>\Profiles\<profile>\Variables", where the
// install updates TRUSTEDPATHS (acad::VariablesKeyPath).
bool IsProfileVariablesKey(const std::string& key) {
    const std::vector<std::string> levels = Split(key);
    const char* const fixed[] = {"SOFTWARE", "Autodesk", "AutoCAD", nullptr,
                                 nullptr,    "Profiles", nullptr,   "Variables"};
    if (levels.size() != std::size(fixed))
        return false;
    for (size_t i = 0; i < levels.size(); ++i) {
        if (levels[i].empty() || (fixed[i] && !install::SamePath(levels[i], fixed[i])))
            return false;
    }
    return true;
}

// The restore puts "before" back only while the value is as "written"; "written" must then be
// what installations make of "before", which lists their folders and adds nothing else: each
// merge adds one folder (a second installation upper-cases a folder that the first wrote alone
// into a short value, so a folder may come twice). Also "before" keeps its type: REG_EXPAND_SZ
// would turn the same text into other folders.
bool OnlyTheFoldersChanged(const install::RecordedTrustedPath& t,
                           const std::vector<std::string>& folders, WidenUtf8 widen) {
    const install::RecordedText before = t.before.value_or(install::RecordedText{kRegSz, {}});
    if (before.type != t.written.type)
        return false;
    const std::wstring written = widen(t.written.text);
    std::set<std::wstring> reached, last{widen(before.text)};
    for (size_t round = 0; round < 2 * folders.size() && !last.empty(); ++round) {
        std::set<std::wstring> next;
        for (const std::wstring& value : last)
            for (const std::string& folder : folders) {
                std::wstring merged = acad::MergeTrustedPaths(value, widen(folder));
                if (reached.insert(merged).second)
                    next.insert(std::move(merged));
            }
        last = std::move(next);
    }
    return reached.count(written) > 0;
}

// An earlier installation's folder that this record took over: an install folder by its name.
bool IsEarlierInstallFolder(const std::string& path) {
    const std::vector<std::string> levels = Split(path);
    return !IsRoot(path) && !levels.empty() &&
           install::SamePath(levels.back(), install::kInstallFolderName);
}

} // namespace

CheckedRecord CheckRecord(const install::InstallRecord& record, const MachineFacts& facts,
                          WidenUtf8 widen) {
    CheckedRecord result;
    install::InstallRecord& ok = result.accepted;
    ok.listedUnder = record.listedUnder;
    const auto refuse = [&](const std::string& what) { result.refused.push_back(what); };

    const std::optional<std::string> recorded = PlainPath(record.installFolder);
    const std::optional<std::string> running = PlainPath(facts.installFolder);
    if (recorded && running && install::SamePath(*recorded, *running) && !IsRoot(*recorded))
        ok.installFolder = *recorded;
    else if (!record.installFolder.empty())
        refuse("install folder " + record.installFolder);
    // The install folders that files may lie in: this one, and those of the installations
    // that this record took over.
    std::vector<std::string> installFolders;
    if (!ok.installFolder.empty())
        installFolders.push_back(ok.installFolder);
    for (const std::string& earlier : record.earlierFolders) {
        const std::optional<std::string> path = PlainPath(earlier);
        if (path && IsEarlierInstallFolder(*path)) {
            ok.earlierFolders.push_back(*path);
            installFolders.push_back(*path);
        } else {
            refuse("install folder " + earlier);
        }
    }
    const auto inAnInstallFolder = [&](const std::string& path) {
        return std::any_of(installFolders.begin(), installFolders.end(),
                           [&](const std::string& folder) { return IsDirectlyIn(path, folder); });
    };
    const auto atOrAboveAnInstallFolder = [&](const std::string& path) {
        return !IsRoot(path) && std::any_of(installFolders.begin(), installFolders.end(),
                                            [&](const std::string& folder) {
                                                return install::SamePath(path, folder) ||
                                                       IsInside(folder, path);
                                            });
    };

    for (const std::string& created : record.folders) {
        const std::optional<std::string> path = PlainPath(created);
        const bool settingsFolder = std::any_of(
            record.files.begin(), record.files.end(), [&](const install::RecordedFile& f) {
                return f.kind == core::FileKind::Settings &&
                       install::SamePath(FolderOf(f.path), created);
            });
        if (path && atOrAboveAnInstallFolder(*path))
            ok.folders.push_back(*path);
        else if (!settingsFolder) // the user's settings stay, and so does their folder
            refuse("folder " + created);
    }

    for (const install::RecordedFile& file : record.files) {
        const std::optional<std::string> path = PlainPath(file.path);
        bool ours = file.kind == core::FileKind::Settings; // never removed
        if (path && (file.kind == core::FileKind::Package || file.kind == core::FileKind::Kept))
            ours = inAnInstallFolder(*path);
        else if (path && file.kind == core::FileKind::Support)
            ours = IsSupportFile(*path, facts.products);
        if (ours)
            ok.files.push_back({file.kind, path.value_or(file.path), file.existedBefore});
        else
            refuse("file " + file.path);
    }

    for (const install::RecordedKey& key : record.keys) {
        if (IsEntryKey(key, facts))
            ok.keys.push_back(key);
        else
            refuse("HKEY_LOCAL_MACHINE\\" + key.path);
    }

    for (const install::RecordedTrustedPath& profile : record.trustedPaths) {
        if (!installFolders.empty() && IsProfileVariablesKey(profile.variablesKey) &&
            OnlyTheFoldersChanged(profile, installFolders, widen))
            ok.trustedPaths.push_back(profile);
        else
            refuse("HKEY_CURRENT_USER\\" + profile.variablesKey + " TRUSTEDPATHS");
    }
    return result;
}

} // namespace uninstall
