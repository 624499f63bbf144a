// Which package files go into which folder of one AutoCAD installation: the shape fonts,
// itextsharp.dll, the managed libraries of every generation, and AutoCAD 2008's plot driver.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace acad {

// The managed libraries tried: ACAD2007P.dll to ACAD2050P.dll, whether or not the package
// holds them, so that a package with a new generation needs no new installer.
constexpr int kFirstLibraryYear = 2007;
constexpr int kLastLibraryYear = 2050;
// The only release whose plot driver is replaced.
constexpr int kDriverReleaseYear = 2008;

// One copy. A path that would not fit a 260-byte buffer is nullopt: the copy is skipped
// rather than made to or from a path cut short.
struct SupportFileCopy {
    std::optional<std::string> source;
    std::optional<std::string> destination;
};

// The copies into the AutoCAD folder acadFolder from the package folder, in copying order:
// the two fonts into Fonts, itextsharp.dll and the 44 libraries into the folder itself, and
// with the driver flag Vornik.prt5 as Drv\pdfplot9.hdi.
std::vector<SupportFileCopy> PlanSupportFiles(const std::string& packageFolder,
                                              const std::string& acadFolder, bool withDriver);

} // namespace acad
