// The installation itself, shared by the dialog and the unattended install: the folders, the
// package copy, the demand-load entries with the trusted paths, and the support files. The
// caller decides how the user hears of it; what happens is told to the install listeners.
#pragma once

#include "acad/acad_registry.h"
#include "framework/controls.h"

#include <string>

namespace install {

struct InstallOutcome {
    bool copied = false;        // false: the package was missing or its copy abandoned
    bool folderMissing = false; // the install folder could not be made: nothing was copied
    bool folderRefused = false; // nothing done: an existing folder others could change
    int failures = 0; // entries, profile lists, support and kept files that could not be written
};

// The whole installation into the install folder (MakeInstallFolder of a checked folder
// text): when the package is there, every missing level of the install folder, the package copy
// (advancing progress one step per listing entry), then, when it finished, registration and support
// files for the ticked releases, a step after each stage; last the installer and the settings file
// are kept in the install folder. Nothing is registered over an abandoned copy.
InstallOutcome Install(CAcadRegistry& registry, const std::string& installFolder,
                       const acad::ReleaseTicks& ticks, fw::ProgressBar& progress);

} // namespace install
