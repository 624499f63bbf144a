// Which releases an unattended install serves: the years asked for with /R=, or what the
// setup dialog would tick at start.
#pragma once

#include "acad/release_years.h"

#include <array>
#include <optional>
#include <vector>

namespace silent {

using ReleasesFound = std::array<bool, acad::kReleaseCount>; // by release index

struct ReleaseChoice {
    acad::ReleaseTicks ticks{};
    // A year asked for that this build cannot serve here: not found, or hidden for the
    // edition. Then nothing is ticked and nothing is done.
    std::optional<int> unavailableYear;
    bool Any() const;
};

// Without years: every release the dialog ticks at start (found and shown for targetBits).
// With years: exactly those, each of which must be one the dialog could tick.
ReleaseChoice ChooseReleases(const ReleasesFound& found, int targetBits,
                             const std::optional<std::vector<int>>& years);

} // namespace silent
