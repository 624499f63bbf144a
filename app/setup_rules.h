// What the setup dialog shows at start, decided without any window: the title and edition
// texts and the state of each release check box.
#pragma once

#include "acad/release_years.h"

#include <string>

namespace setup {

// "批打印软件 V2026.04.02" for 20260402 (major * 10000 + minor * 100 + patch); minor and
// patch take two digits.
std::wstring FormatTitle(int version);

// "( 32位 AutoCAD版 )" for 32: the AutoCAD edition this build serves.
std::wstring FormatEdition(int targetBits);

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

} // namespace setup
