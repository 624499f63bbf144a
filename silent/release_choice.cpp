#include "silent/release_choice.h"

#include "install/served_releases.h"

namespace silent {

bool ReleaseChoice::Any() const {
    return install::AnyReleaseTicked(ticks);
}

ReleaseChoice ChooseReleases(const ReleasesFound& found, int targetBits,
                             const std::optional<std::vector<int>>& years) {
    ReleaseChoice choice;
    for (int k = 0; k < acad::kReleaseCount; ++k) {
        const install::ReleaseBoxStart box = install::GetReleaseBoxStart(k, found[k], targetBits);
        if (!years) {
            choice.ticks[k] = box.ticked ? 1 : 0;
            continue;
        }
        for (int year : *years) {
            if (year != acad::ReleaseYear(k))
                continue;
            // The dialog would not let a user tick it either.
            if (!box.visible || !box.enabled) {
                ReleaseChoice refused;
                refused.unavailableYear = year;
                return refused;
            }
            choice.ticks[k] = 1;
        }
    }
    return choice;
}

} // namespace silent
