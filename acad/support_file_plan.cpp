#include "acad/support_file_plan.h"

#include "core/bounded_format.h"

namespace acad {

namespace {

// "<folder>\<name>", or nullopt when the folder is unknown or the path would not fit.
std::optional<std::string> PathIn(const std::optional<std::string>& folder, const char* name) {
    if (!folder)
        return std::nullopt;
    return core::FormatPath("%s\\%s", folder->c_str(), name);
}

} // namespace

std::vector<SupportFileCopy> PlanSupportFiles(const std::string& packageFolder,
                                              const std::string& acadFolder, bool withDriver) {
    const std::optional<std::string> package = packageFolder;
    const std::optional<std::string> acad = acadFolder;
    const auto fonts = core::FormatPath("%s\\Fonts", acadFolder.c_str());

    std::vector<SupportFileCopy> copies;
    copies.push_back({PathIn(package, "Vornik_EN.shx"), PathIn(fonts, "Vornik_EN.shx")});
    copies.push_back({PathIn(package, "Vornik_HZ.shx"), PathIn(fonts, "Vornik_HZ.shx")});
    copies.push_back({PathIn(package, "itextsharp.dll"), PathIn(acad, "itextsharp.dll")});
    for (int year = kFirstLibraryYear; year <= kLastLibraryYear; ++year) {
        const std::string name = "ACAD" + std::to_string(year) + "P.dll";
        copies.push_back({PathIn(package, name.c_str()), PathIn(acad, name.c_str())});
    }
    if (withDriver) {
        // AutoCAD 2008's own PDF driver is replaced by the add-in's.
        const auto drivers = core::FormatPath("%s\\Drv", acadFolder.c_str());
        copies.push_back({PathIn(package, "Vornik.prt5"), PathIn(drivers, "pdfplot9.hdi")});
    }
    return copies;
}

} // namespace acad
