// The releases the installer serves, AutoCAD 2007 to 2027, and how a product name is filed
// under one of them.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace acad {

constexpr int kReleaseCount = 21; // release index k = year - 2007
constexpr int kFirstYear = 2007;
constexpr int kWow6432NodeYears = 4; // the 32-bit node holds 2007 to 2010 only

inline int ReleaseYear(int index) {
    return kFirstYear + index;
}

// The release index of a product name: the first year of the table (of its first yearCount
// years) whose first occurrence in the name starts at position 1 or later. A year at the
// very start of the name does not count, and a later occurrence does not rescue it.
std::optional<int> ClassifyProductName(const std::string& productName,
                                       int yearCount = kReleaseCount);

// Whether an AcadLocation names a folder at all: an absolute path on a drive ("X:\...") or
// a share ("\\server\share..."). An empty or relative one would put support files and
// libraries into whatever folder happens to be current.
bool IsAbsoluteFolder(const std::string& path);

// One tick per release, 2007 first, as the dialog's check boxes hold them.
using ReleaseTicks = std::array<int, kReleaseCount>;

} // namespace acad
