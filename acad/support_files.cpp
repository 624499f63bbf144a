// Support files: fonts, libraries and AutoCAD 2008's driver file copied from the package
// into the folders of every ticked AutoCAD.
#include "acad/acad_registry.h"

#include "acad/support_file_plan.h"
#include "deploy/package_folder.h"

namespace {

constexpr int kRelease2008 = 1; // the only release whose plot driver is replaced

// A source the package does not hold (most of the 44 library names) is no failure.
bool PackageHolds(const std::string& source) {
    return GetPathKind(source) == PathIsFile;
}

// 1 when the copy failed although its source is there, else 0.
int CopySupportFile(const acad::SupportFileCopy& copy) {
    if (!copy.source)
        return 1; // the package folder is too long to even look for the file
    if (!copy.destination)
        return PackageHolds(*copy.source) ? 1 : 0; // never copied to a path cut short
    // Copies overwrite; a missing Fonts or Drv folder, a locked file or a lack of rights
    // leaves that one destination as it was.
    if (CopyFileA(copy.source->c_str(), copy.destination->c_str(), FALSE))
        return 0;
    return PackageHolds(*copy.source) ? 1 : 0;
}

} // namespace

int CAcadRegistry::CopySupportFiles(const acad::ReleaseTicks& ticks) {
    int failures = 0;
    for (int k = 0; k < acad::kReleaseCount; ++k) {
        if (ticks[static_cast<size_t>(k)] == 0)
            continue;
        for (const auto& folder : m_arrLocation[k])
            failures += CopySupportFilesTo(folder, k == kRelease2008);
    }
    return failures;
}

int CAcadRegistry::CopySupportFilesTo(std::string acadFolder, bool withDriver) {
    // Looked up anew for every folder; when it is missing the user has just been told.
    std::string packageFolder;
    if (!GetPackageFolder(packageFolder))
        return 0;
    int failures = 0;
    for (const auto& copy : acad::PlanSupportFiles(packageFolder, acadFolder, withDriver))
        failures += CopySupportFile(copy);
    return failures;
}
