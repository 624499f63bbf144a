// Support files: fonts, libraries and AutoCAD 2008's driver file copied from the package
// into the folders of every ticked AutoCAD.
#include "acad/acad_registry.h"

#include "acad/support_file_plan.h"
#include "acad/write_failures.h"
#include "core/install_events.h"
#include "deploy/package_folder.h"
#include "framework/text_convert.h"

namespace {

// A source the package does not hold (most of the 44 library names) is no failure.
bool PackageHolds(const std::string& source) {
    return GetPathKind(source) == PathIsFile;
}

// True when the copy failed although its source is there.
bool CopySupportFile(const acad::SupportFileCopy& copy) {
    if (!copy.source)
        return true; // the package folder is too long to even look for the file
    if (!copy.destination)
        return PackageHolds(*copy.source); // never copied to a path cut short
    // Copies overwrite; a missing Fonts or Drv folder, a locked file or a lack of rights
    // leaves that one destination as it was.
    const bool existed = GetFileAttributesA(copy.destination->c_str()) != INVALID_FILE_ATTRIBUTES;
    if (CopyFileA(copy.source->c_str(), copy.destination->c_str(), FALSE)) {
        core::InstallEvents::FileCopied(core::FileKind::Support, *copy.source, *copy.destination,
                                        existed);
        return false;
    }
    const DWORD error = GetLastError();
    if (!PackageHolds(*copy.source))
        return false;
    core::InstallEvents::Failed(fw::WideFromAnsi("copy " + *copy.destination), error);
    return true;
}

} // namespace

int CAcadRegistry::CopySupportFiles(const acad::ReleaseTicks& ticks) {
    acad::WriteFailures failures(kWowPathsJoined);
    for (int k = 0; k < acad::kReleaseCount; ++k) {
        if (ticks[static_cast<size_t>(k)] == 0)
            continue;
        for (const auto& folder : m_arrLocation[k])
            CopySupportFilesTo(folder, acad::ReleaseYear(k) == acad::kDriverReleaseYear, failures);
    }
    return failures.Count();
}

void CAcadRegistry::CopySupportFilesTo(std::string acadFolder, bool withDriver,
                                       acad::WriteFailures& failures) {
    // Looked up anew for every folder; when it is missing the user has just been told.
    std::string packageFolder;
    if (!GetPackageFolder(packageFolder))
        return;
    const auto copies = acad::PlanSupportFiles(packageFolder, acadFolder, withDriver);
    for (size_t i = 0; i < copies.size(); ++i) {
        // A destination too long to form is known by its folder and its place in the plan.
        if (CopySupportFile(copies[i]))
            failures.AddFile(copies[i].destination.value_or(acadFolder + "|#" + std::to_string(i)));
    }
}
