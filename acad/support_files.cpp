// Support files: fonts, libraries and AutoCAD 2008's driver file copied from the package
// into the folders of every ticked AutoCAD.
#include "acad/acad_registry.h"

#include "acad/support_file_plan.h"
#include "acad/write_failures.h"
#include "core/install_events.h"
#include "deploy/package_folder.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"

#include <windows.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace {

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return _stricmp(a.c_str(), b.c_str()) < 0;
    }
};
using FileNames = std::set<std::string, NoCaseLess>;

// The names of the files directly in the package folder: one listing, rather than a look
// for each planned name of every AutoCAD folder, most of which the package does not hold.
FileNames PackageFiles(const std::string& packageFolder) {
    FileNames names;
    WIN32_FIND_DATAA entry;
    const fw::unique_find listing(FindFirstFileA((packageFolder + "\\*").c_str(), &entry));
    if (!listing)
        return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(entry.cFileName);
    } while (FindNextFileA(listing.get(), &entry));
    return names;
}

// A source the package does not hold (most of the 44 library names) is no failure.
bool PackageHolds(const FileNames& packageFiles, const std::string& source) {
    const size_t slash = source.find_last_of('\\');
    return packageFiles.count(slash == std::string::npos ? source : source.substr(slash + 1)) > 0;
}

// One planned copy: whether the package holds its source, and its destination was there.
struct PlannedSupportFile {
    acad::SupportFileCopy copy;
    bool held;
    bool existed;
};

// True when the copy failed although its source is there.
bool CopySupportFile(const PlannedSupportFile& planned) {
    const acad::SupportFileCopy& copy = planned.copy;
    if (!copy.source)
        return true; // the package folder is too long to even look for the file
    if (!planned.held)
        return false;
    if (!copy.destination)
        return true; // never copied to a path cut short
    // Copies overwrite; a missing Fonts or Drv folder, a locked file or a lack of rights
    // leaves that one destination as it was.
    if (CopyFileA(copy.source->c_str(), copy.destination->c_str(), FALSE)) {
        core::InstallEvents::FileCopied(core::FileKind::Support, *copy.source, *copy.destination,
                                        planned.existed);
        return false;
    }
    core::InstallEvents::Failed(fw::WideFromAnsi("copy " + *copy.destination), GetLastError());
    return true;
}

} // namespace

int CAcadRegistry::CopySupportFiles(const acad::ReleaseTicks& ticks) {
    std::string packageFolder;
    if (!GetPackageFolder(packageFolder))
        return 0; // the user has been told; nothing to place
    // Each ticked folder's plan, looked at once; the record takes every file the stage may
    // place, and whether it was there, before the first copy.
    std::vector<std::pair<std::string, std::vector<PlannedSupportFile>>> plans;
    const FileNames packageFiles = PackageFiles(packageFolder);
    for (int k = 0; k < acad::kReleaseCount; ++k) {
        if (ticks[static_cast<size_t>(k)] == 0)
            continue;
        for (const auto& folder : m_arrLocation[k]) {
            auto& [acadFolder, planned] =
                plans.emplace_back(folder, std::vector<PlannedSupportFile>{});
            for (const auto& copy : acad::PlanSupportFiles(
                     packageFolder, folder, acad::ReleaseYear(k) == acad::kDriverReleaseYear)) {
                const bool held = copy.source && PackageHolds(packageFiles, *copy.source);
                const bool existed =
                    held && copy.destination &&
                    GetFileAttributesA(copy.destination->c_str()) != INVALID_FILE_ATTRIBUTES;
                planned.push_back({copy, held, existed});
                if (held && copy.destination)
                    core::InstallEvents::FilePlanned(core::FileKind::Support, *copy.destination,
                                                     existed);
            }
        }
    }
    core::InstallEvents::StagePlanned();
    acad::WriteFailures failures(kWowPathsJoined);
    for (const auto& [acadFolder, planned] : plans) {
        for (size_t i = 0; i < planned.size(); ++i) {
            // A destination too long to form is known by its folder and its place in the plan.
            if (CopySupportFile(planned[i]))
                failures.AddFile(
                    planned[i].copy.destination.value_or(acadFolder + "|#" + std::to_string(i)));
        }
    }
    return failures.Count();
}
