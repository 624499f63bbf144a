#include "acad/release_years.h"

#include "core/mbcs_text.h"

namespace acad {

std::optional<int> ClassifyProductName(const std::string& productName, int yearCount) {
    for (int k = 0; k < yearCount && k < kReleaseCount; ++k) {
        const size_t pos = core::FindText(productName, std::to_string(ReleaseYear(k)));
        if (pos != std::string::npos && pos >= 1)
            return k;
    }
    return std::nullopt;
}

bool IsAbsoluteFolder(const std::string& path) {
    const char drive = path.empty() ? '\0' : path[0];
    if (((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')) &&
        path.compare(1, 2, ":\\") == 0)
        return true;
    if (path.compare(0, 2, "\\\\") != 0)
        return false;
    // A server name, one backslash, a share name.
    const size_t serverEnd = core::FindText(path, "\\", 2);
    return serverEnd != std::string::npos && serverEnd > 2 && serverEnd + 1 < path.size() &&
           path[serverEnd + 1] != '\\';
}

} // namespace acad
