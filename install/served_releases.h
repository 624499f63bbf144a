// Which releases an installation starts with, decided without any window: the dialog's
// check boxes at start, and the silent install's choice, which may tick only what the
// dialog would let a user tick.
#pragma once

#include "acad/release_years.h"

namespace install {

// The 32-bit edition serves AutoCAD up to 2016; later releases exist only as 64-bit programs.
constexpr int kLastRelease32Bit = 9; // 2016

struct ReleaseBoxStart {
    bool visible = true;
    bool enabled = true;
    bool ticked = true;
};

// A box is enabled and ticked when AutoCAD of its release was found; in the 32-bit edition
// the releases after 2016 are hidden and unticked, found or not.
ReleaseBoxStart GetReleaseBoxStart(int release, bool installed, int targetBits);

// Install makes sense only with at least one release ticked.
bool AnyReleaseTicked(const acad::ReleaseTicks& ticks);

} // namespace install
