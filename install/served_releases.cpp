#include "install/served_releases.h"

namespace install {

ReleaseBoxStart GetReleaseBoxStart(int release, bool installed, int targetBits) {
    ReleaseBoxStart start;
    if (!installed) {
        start.enabled = false;
        start.ticked = false;
    }
    if (targetBits == 32 && release > kLastRelease32Bit) {
        start.visible = false;
        start.ticked = false;
    }
    return start;
}

bool AnyReleaseTicked(const acad::ReleaseTicks& ticks) {
    for (int tick : ticks)
        if (tick != 0)
            return true;
    return false;
}

} // namespace install
