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

} // namespace acad
